// Layer: application (the main window, the application object, the program).
// Quillet's entry point: the application's objects exist before it runs; it
// wires them together, opens the folder named on the command line, and runs
// the message loop until the main window is gone.
#include "app/application.h"
#include "app/command_line.h"
#include "app/settings_store.h"
#include "engine/wide_text.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace {
Application application;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand)
{
    // Narrowed from the wide line, program name first: the narrow line the
    // system hands WinMain may put a look-alike for a character outside the
    // code page, naming another folder.
    const wchar_t* wide = GetCommandLineW();
    const std::string whole = Narrowed(wide, wcslen(wide));
    std::vector<char> line(whole.c_str(), whole.c_str() + whole.size() + 1);
    char* arguments[2];
    SplitCommandLine(line.data(), arguments, 2);
    if (!application.Start(SettingsPath(SystemFileOps()), arguments[1], showCommand))
        return 0;
    return static_cast<int>(application.mainWindow.Run());
}
