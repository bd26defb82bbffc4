// Layer: application (the main window, the application object, the program).
// The program's long-lived objects, built before the entry point runs in the
// order below and torn down in reverse.
#pragma once
#include "app/batch_history.h"
#include "app/file_list.h"
#include "app/help_page.h"
#include "app/main_bar.h"
#include "app/main_window.h"
#include "engine/file_ops.h"
#include "ui/message_box.h"
#include "ui/shell_calls.h"
#include "ui/status_bar.h"
#include "ui/working_window.h"

struct Application {
    explicit Application(FileOps& files = SystemFileOps(), ShellCalls& shell = SystemShellCalls());

    // Builds the main window and its children; false when any of them could
    // not be created.
    bool Start(const std::string& settingsPath, const char* folderArgument, int showCommand);

    AboutBox aboutBox;
    WarningBox confirmBox;
    MainBar bar;
    HelpPage helpPage;
    ActionDialogs dialogs;
    FolderTools tools;
    WorkingSet set;
    FileList list;
    BatchHistory history;
    MainWindow mainWindow;
    StatusBar status;
    WorkWnd working;
    DateDialog dateDialog;
};
