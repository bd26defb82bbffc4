// The journal file beside the settings file, read and written through the
// file seam. A write goes to a new file that then takes the old one's place,
// flushed to the disk, so a crash leaves the old journal or the new one whole.
#pragma once
#include "file_ops.h"
#include "journal.h"

#include <string>

class JournalStore {
public:
    JournalStore(FileOps& files, std::string path);

    const std::string& Path() const { return path_; }

    // 0 or the system's error code.
    uint32_t Write(const Journal& journal);

    enum class Found { Nothing, Whole, Broken };
    Found Read(Journal& journal);

    // Moves an unreadable journal aside (".bad"), where it is kept for the
    // user but never read again.
    void SetAside();
    // 0 or the system's error code.
    [[nodiscard]] uint32_t RemoveFile();

private:
    FileOps& files_;
    std::string path_;
};

// Where the journal lives, given the settings file's path.
std::string JournalPathBeside(const std::string& settingsPath);
