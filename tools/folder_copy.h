// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// Copying a folder's files, and optionally all its subfolders, into another
// folder. It runs on the window thread: between two files the host lets the
// windows have their messages, and it puts the failures to the user. The
// disk is reached through the file seam only.
#pragma once
#include "engine/file_ops.h"

#include <cstdint>
#include <string>

struct CopyCounters {
    int32_t filesCopied = 0;
    // Every destination folder that is there after the attempt to create it,
    // whether it was made now or stood already.
    int32_t foldersCreated = 0;
};

class CopyHost {
public:
    virtual ~CopyHost() = default;
    // A warning with an OK button under this caption.
    virtual void Warn(const std::string& text, const std::string& caption) = 0;
    // A warning with OK and Cancel; true for OK.
    virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
    // Dispatches the messages waiting for the windows; true when the program
    // is to quit, which ends the copy without a word.
    virtual bool QuitPending() = 0;
};

// Copies every file matching the source pattern (a folder and a file pattern,
// "A:\*.*") into the destination folder (ending in a backslash), which is
// created first; the copies have normal attributes and replace files of the
// same name. With `recurse` every subfolder whose name does not begin with a
// dot follows, depth first, each after the files of its parent, to the same
// place below the destination; a destination inside the source is not copied
// into itself. A subfolder that cannot be read is put to the user, who may
// pass over it. 1 when the run completed, 0 when it stopped early, -1 when
// the source folder itself cannot be read (a drive without a disk, a disk
// that cannot be read): the host was told, and nothing was made. The
// counters start from 0 and keep what was reached.
int CopyFolderTree(CopyCounters& counters, CopyHost& host, FileOps& files, const std::string& sourcePattern,
                   const std::string& destination, bool recurse);
