// Layer: application (the main window, the application object, the program).

#include "application.h"

#include "resources/resource.h"

#include <commctrl.h>

Application::Application(FileOps& files, ShellCalls& shell)
    : aboutBox(shell), helpPage(files, shell), tools(files, shell, working), list(set), history(files),
      mainWindow(MainWindowParts{set, list, bar, status, working, confirmBox, aboutBox, helpPage, dialogs,
                                     dateDialog, tools, history, files, shell}),
      dateDialog(status)
{
}

bool Application::Start(const std::string& settingsPath, const char* folderArgument, int showCommand)
{
    status.Init(3);
    status.AddPane(7, SBT_NOBORDERS);
    status.AddPane(20, 0);
    status.AddPane(14, 0);
    mainWindow.LoadSettings(settingsPath);
    if (!mainWindow.Create(list, bar, status))
        return false;
    list.RestoreLayout(mainWindow.StoredSettings());
    mainWindow.Show(showCommand);
    list.ShowInstructions();
    mainWindow.LoadAccelerators(MAKEINTRESOURCEA(IDR_ACCELERATORS));
    mainWindow.OfferRecovery();
    if (folderArgument && *folderArgument)
        mainWindow.OpenByPath(folderArgument);
    return true;
}
