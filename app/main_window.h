// Layer: application (the main window, the application object, the program).
// The program's one top-level window: the menu commands, the status texts,
// the list's pop-up menu, drag and drop, the exit question, and the settings
// it keeps between runs. It is also the engine's way to the user.
#pragma once
#include "app/batch_history.h"
#include "app/file_list.h"
#include "app/help_page.h"
#include "app/main_bar.h"
#include "app/settings_file.h"
#include "engine/dialogs/action_dialogs.h"
#include "engine/engine_host.h"
#include "engine/local_time.h"
#include "tools/date_dialog.h"
#include "tools/floppy_saver.h"
#include "tools/folder_creator.h"
#include "ui/frame_window.h"
#include "ui/message_box.h"
#include "ui/shell_calls.h"
#include "ui/working_window.h"

#include <string>

// The dialogs of the rename actions, kept for the whole run so that each
// opens with what was confirmed last.
struct ActionDialogs {
    IndexDialog index;
    PrefixAppendDialog prefixAppend;
    ShortenDialog shorten;
    RemoveTextDialog removeText;
    ExtensionDialog extension;
};

// The folder tools of the File menu, kept for the whole run: the floppy
// saver remembers its destination, folder name and drive.
struct FolderTools {
    FolderTools(FileOps& files, ShellCalls& shell, WorkWnd& working) : creator(files, working), floppy(files, shell)
    {
    }

    FolderCreatorDialog creator;
    FloppySaver floppy;
};

// What the main window works with; all of it outlives the window.
struct MainWindowParts {
    WorkingSet& set;
    FileList& list;
    MainBar& bar;
    StatusBar& status;
    WorkWnd& working;
    WarningBox& confirmBox;
    AboutBox& aboutBox;
    HelpPage& helpPage;
    ActionDialogs& dialogs;
    DateDialog& dateDialog;
    FolderTools& tools;
    BatchHistory& history;
    FileOps& files;
    ShellCalls& shell;
};

class MainWindow : public FrameWnd, public EngineHost {
public:
    explicit MainWindow(const MainWindowParts& parts);

    void FillWindowClass(WNDCLASSA* windowClass) override;
    void FillCreateParams(CREATESTRUCTA* params) override;
    int OnSaveState() override;
    void OnClose() override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnContextMenu(WPARAM wParam, LPARAM lParam) override;
    bool OnCreate() override;
    void OnDropFiles(HDROP drop) override;
    void OnInitMenu(HMENU menu) override;
    int OnMenuSelect(WPARAM wParam, LPARAM lParam) override;
    int RestorePlacement() override;

    // Reads the settings file (at start-up, before the window exists).
    void LoadSettings(const std::string& settingsPath);
    const Settings& StoredSettings() const { return settings_; }
    // Opens a folder, or the folder of a file, named by a path from the
    // command line or a drop; a path that names neither is ignored.
    void OpenByPath(const char* path);
    // At start: a batch that an earlier run did not end is offered for
    // rolling back.
    void OfferRecovery();

    // EngineHost
    bool Confirm(const std::string& text) override;
    bool AskToContinue(const std::string& text) override;
    void Warn(const std::string& text) override;
    void ShowWorking(const std::string& text) override;
    void CloseWorking() override;
    void FilesLoaded() override;
    void Refill() override;
    void ShowFolder(const std::string& searchPath, int fileCount) override;
    void SetPending(bool pending) override;
    bool KeepGoing(int done, int total) override;
    bool KeepListing(int found) override;
    void EndListing(bool stopped) override;
    void ShowStopped(int changed) override;

    bool Pending() const { return pending_; }
    bool FilesAreLoaded() const { return filesLoaded_; }
    int CurrentAction() const { return action_; }
    const std::string& Folder() const { return folder_; }

private:
    FolderContext Context();
    void Browse();
    void Propose(int action, const char* label, void (*transform)(WorkingSet&));
    // Runs the action's dialog and, when it is confirmed, its transform.
    bool RunAction(int action);
    // The proposals of an action are in the set: show them, wait for Change.
    void Proposed(int action, const char* label);
    // Shows the files in another order.
    void ChangeOrder(SortOrder order);
    void ShowAbout();
    void UpdateUndo();
    // Message boxes re-enable the main window as they close; while a pass
    // runs it must stay disabled.
    void KeepDisabledDuringPass();
    void CreateFolders();
    void RunFloppySaver();
    void EnableItem(int id, bool enabled);

    MainWindowParts parts_;
    bool pending_ = false;
    bool prefix_ = false;
    bool filesLoaded_ = false;
    HMENU menu_ = nullptr;
    HMENU popup_ = nullptr;
    std::string folder_; // ends in a backslash once a folder is open
    std::string settingsPath_;
    bool passRunning_ = false;
    WorkProgress progress_{parts_.working};
    CountedRun listing_{progress_};
    int action_ = 0;
    Settings settings_;
};
