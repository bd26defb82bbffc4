// Layer: application (the main window, the application object, the program).
// The record of the batches made in each folder, over one run: at start it
// offers to put back the batches a crash cut short, and it keeps the Undo
// item of the Change menu in step with the last batch of the folder shown,
// which Undo puts back.
#pragma once
#include "engine/engine_host.h"
#include "engine/journal_store.h"

#include <windows.h>

#include <memory>
#include <string>

class BatchHistory {
public:
    explicit BatchHistory(FileOps& files);

    // The journals live beside the settings file; with no settings file
    // there are none, and nothing can be undone.
    void KeepBeside(const std::string& settingsPath);
    JournalFolder* Journals() { return journals_.get(); }

    // At start: offers each batch that an earlier run did not end for
    // rolling back.
    void Recover(FolderContext context);
    // The context's folder is shown now: its last batch may be undone.
    void FolderShown() { folderShown_ = true; }
    // Puts back the last finished batch of the folder shown.
    void Undo(FolderContext context);
    // Enables Undo in the menu when the head of the shown folder's journal
    // says its last batch can be put back, and no pass runs.
    void ShowUndo(HMENU menu, const std::string& folder, bool passRunning);

private:
    bool Shown(const std::string& folder) const { return folderShown_ && !folder.empty(); }

    FileOps& files_;
    std::unique_ptr<JournalFolder> journals_;
    bool folderShown_ = false; // the stored folder is not shown until it is opened
};
