// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// What the file passes need from the program around them: the user's answers,
// the working window, and word that the list or the folder changed. The main
// window implements it; tests put in a scripted one.
#pragma once
#include "file_ops.h"
#include "working_set.h"

#include <string>

class EngineHost {
public:
    virtual ~EngineHost() = default;

    // The program's own Yes/No box, caption "Quillet". True for Yes.
    virtual bool Confirm(const std::string& text) = 0;
    // The system's Yes/No "Error" box with the warning icon. True for Yes.
    virtual bool AskToContinue(const std::string& text) = 0;
    // A warning with an OK button, caption "Quillet".
    virtual void Warn(const std::string& text) = 0;

    virtual void ShowWorking(const std::string& text) = 0;
    virtual void CloseWorking() = 0;

    // A scan found files: the menus of the actions come alive.
    virtual void FilesLoaded() = 0;
    // The entries changed: the list shows them anew.
    virtual void Refill() = 0;
    // A folder was opened: title and file count follow it.
    virtual void ShowFolder(const std::string& searchPath, int fileCount) = 0;
    // Proposals wait to be applied (true), or were applied (false).
    virtual void SetPending(bool pending) = 0;

    // Between two files of a pass: shows how far it got, keeps the windows
    // answering, and says false once the user asked it to stop.
    virtual bool KeepGoing(int done, int total)
    {
        (void)done;
        (void)total;
        return true;
    }
    // A pass stopped at the user's word after changing this many files.
    virtual void ShowStopped(int changed) { (void)changed; }

    // Between two files of a folder being read, `found` 0 as it starts:
    // keeps the windows answering, and says false once the user asked the
    // reading to stop. EndListing follows every listing, read through or
    // stopped so.
    virtual bool KeepListing(int found)
    {
        (void)found;
        return true;
    }
    virtual void EndListing(bool stopped) { (void)stopped; }
};

class JournalFolder;

// Everything a pass works on.
struct FolderContext {
    WorkingSet& set;
    const std::string& folder; // the current folder path, ending in a backslash
    FileOps& files;
    EngineHost& host;
    JournalFolder* journals = nullptr; // where passes record their batches; none in some tests
};
