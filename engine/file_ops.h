// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// The one seam through which the file passes reach the disk. The real one
// makes the Win32 calls; tests put in their own to produce the failures that
// cannot be had on demand (a file in use, a write-protected drive).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// System error codes the passes tell apart.
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorWriteProtect = 19;
constexpr uint32_t kErrorNotReady = 21; // a drive without a disk
constexpr uint32_t kErrorSharingViolation = 32;
constexpr uint32_t kErrorDiskFull = 112;
constexpr uint32_t kErrorInvalidName = 123;
constexpr uint32_t kErrorAlreadyExists = 183;

// File attribute bits, as the system numbers them.
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeNormal = 0x80;

// A file held open without sharing: while one process holds it, no other can
// (they get kErrorSharingViolation), and the system lets go of it when the
// process ends, however it ends. Letting go removes the file.
class FileHold {
public:
    virtual ~FileHold() = default;
};

// One match of a listing, as the system's listing gives it.
struct FoundFile {
    const char* name;
    uint32_t attributes;
    uint64_t size;
    uint64_t lastWrite; // file time in UTC
};

class FileOps {
public:
    virtual ~FileOps() = default;

    // Calls `visit` with every match of the search path (wildcards allowed),
    // until it returns false. Returns 0 when the
    // listing ran to its end or `visit` stopped it, and when nothing matched
    // in a folder that is there; otherwise the system's error code, so that a
    // folder that cannot be read is never taken for an empty one.
    [[nodiscard]] virtual uint32_t ListFolder(const std::string& searchPath,
                                            const std::function<bool(const FoundFile& found)>& visit) = 0;

    // Each returns 0 on success or the system's error code.
    [[nodiscard]] virtual uint32_t Rename(const std::string& from, const std::string& to) = 0;
    // Opens the file for writing without sharing and sets its creation and
    // last-write times (file times in UTC); the last-access time stays.
    [[nodiscard]] virtual uint32_t SetFileTimes(const std::string& path, uint64_t creation, uint64_t lastWrite) = 0;
    [[nodiscard]] virtual uint32_t GetFileTimes(const std::string& path, uint64_t& creation, uint64_t& lastWrite) = 0;
    [[nodiscard]] virtual uint32_t GetAttributes(const std::string& path, uint32_t& attributes) = 0;
    [[nodiscard]] virtual uint32_t SetAttributes(const std::string& path, uint32_t attributes) = 0;

    // Reads the file, opened without sharing, up to `maxBytes` from its start.
    [[nodiscard]] virtual uint32_t ReadFileStart(const std::string& path, size_t maxBytes, std::string& content) = 0;
    // Creates the file (or empties an existing one) and writes `content` to
    // it, flushed to the disk before the file is closed.
    [[nodiscard]] virtual uint32_t WriteWholeFile(const std::string& path, const std::string& content) = 0;
    // Renames `from` to `to`, putting it in place of a file of that name in
    // one step.
    [[nodiscard]] virtual uint32_t MoveReplacing(const std::string& from, const std::string& to) = 0;
    [[nodiscard]] virtual uint32_t RemoveFile(const std::string& path) = 0;
    [[nodiscard]] virtual uint32_t CreateFolder(const std::string& path) = 0;
    // Copies the file, putting the copy in place of a file of that name.
    [[nodiscard]] virtual uint32_t CopyReplacing(const std::string& from, const std::string& to) = 0;
    // Creates or opens the file and holds it (see FileHold) until `hold` is
    // let go of.
    [[nodiscard]] virtual uint32_t Hold(const std::string& path, std::unique_ptr<FileHold>& hold) = 0;
};

// True when the path names a folder that is there.
inline bool IsFolder(FileOps& files, const std::string& path)
{
    uint32_t attributes = 0;
    return files.GetAttributes(path, attributes) == 0 && (attributes & kAttributeDirectory);
}

// Writes the text to a new file beside `path` and then puts it in the old
// one's place, so that a write that fails or is cut short leaves the previous
// file whole. Returns 0 or the system's error code.
[[nodiscard]] inline uint32_t WriteInPlaceOf(FileOps& files, const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".tmp";
    uint32_t error = files.WriteWholeFile(temporary, text);
    if (error == 0)
        error = files.MoveReplacing(temporary, path);
    if (error != 0)
        (void)files.RemoveFile(temporary); // a leftover temporary file harms nothing
    return error;
}

// The Win32 calls themselves.
FileOps& SystemFileOps();
