// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// The journal files beside the settings file, read and written through the
// file seam: one for each folder that batches changed, so that two Quillets
// working in two folders keep a record each. A write goes to a new file that
// then takes the old one's place, flushed to the disk, so a crash leaves the
// old journal or the new one whole.
#pragma once
#include "file_ops.h"
#include "journal.h"

#include <memory>
#include <string>
#include <vector>

class JournalStore {
public:
    JournalStore(FileOps& files, std::string path);

    const std::string& Path() const { return path_; }

    // Takes the journal for this process for as long as it works on its
    // batch: 0, kErrorSharingViolation while another running Quillet has it
    // (its batch is under way, not cut short), or another error.
    [[nodiscard]] uint32_t Hold();
    void LetGo() { hold_.reset(); }

    // 0 or the system's error code.
    [[nodiscard]] uint32_t Write(const Journal& journal);

    enum class Found { Nothing, Whole, Broken };
    Found Read(Journal& journal);
    // Reads only the head of the journal: its state and folder, without the
    // files, which may be megabytes. False when there is no whole head.
    bool ReadState(JournalState& state, std::string& folder);

    // Moves an unreadable journal aside (".bad"), where it is kept for the
    // user but never read again.
    void SetAside();
    // 0 or the system's error code; 0 also when there was no journal.
    [[nodiscard]] uint32_t RemoveFile();

private:
    FileOps& files_;
    std::string path_;
    std::unique_ptr<FileHold> hold_;
};

// The folder that holds the journals (it ends in a backslash).
class JournalFolder {
public:
    JournalFolder(FileOps& files, std::string folder);

    // The journal of the batches made in `batchFolder`.
    JournalStore For(const std::string& batchFolder) const;
    // Every journal in the folder, the single one of earlier versions too.
    std::vector<JournalStore> All() const;

private:
    FileOps& files_;
    std::string folder_;
};

// Where the journals live, given the settings file's path.
std::string JournalFolderBeside(const std::string& settingsPath);
