// Layer: application (the main window, the application object, the program).
// What the main window takes from its stored settings and gives back to
// them: the folder it holds and its placement.
#pragma once
#include "app/settings_file.h"

#include <windows.h>

#include <string>

// The folder as the window holds it: a full path ending in a backslash that
// the system takes as a path (at most kMaxPathLength wide characters, however
// many bytes they take here), or empty when it cannot be one. A hand-written
// settings file may name it without its backslash.
std::string HeldFolder(const std::string& path);

// A stored placement is used only when it shows the window: a normal,
// minimised or maximised window whose frame lies at least partly on a monitor.
bool ShowsWindow(const Settings& settings);

// The window's placement into the settings.
void StorePlacement(HWND window, Settings& settings);
// Places the window as the settings say when they say so and that shows it
// on the screen; false otherwise.
bool RestorePlacement(HWND window, const Settings& settings);
