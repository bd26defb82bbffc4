// Layer: application (the main window, the application object, the program).
// What the main window takes from its stored settings: the folder it holds
// and whether a stored placement shows it.
#pragma once
#include "app/settings_file.h"

#include <string>

// The folder as the window holds it: a full path ending in a backslash that
// the system takes as a path (at most kMaxPathLength wide characters, however
// many bytes they take here), or empty when it cannot be one. A hand-written
// settings file may name it without its backslash.
std::string HeldFolder(const std::string& path);

// A stored placement is used only when it shows the window: a normal,
// minimised or maximised window whose frame lies at least partly on a monitor.
bool ShowsWindow(const Settings& settings);
