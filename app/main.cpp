// Quillet's entry point: the application's objects exist before it runs; it
// wires them together, opens the folder named on the command line, and runs
// the message loop until the main window is gone.
#include "app/application.h"
#include "app/command_line.h"
#include "app/settings_store.h"

#include <windows.h>

#include <vector>

namespace {
Application application;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int showCommand)
{
    std::vector<char> line(commandLine, commandLine + lstrlenA(commandLine) + 1);
    char* arguments[3];
    SplitCommandLine(line.data(), arguments, 3);
    if (!application.Start(SettingsPath(SystemFileOps()), arguments[0], showCommand))
        return 0;
    return static_cast<int>(application.mainWindow.Run());
}
