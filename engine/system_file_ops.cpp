// Layer: Win32 adapters (the real file operations and the settings file's place).

#include "file_ops.h"
#include "wide_text.h"
#include "win32_handle.h"

#include <windows.h>

#include <algorithm>
#include <new>

namespace {

uint32_t Result(BOOL ok)
{
    return ok ? 0 : GetLastError();
}

FILETIME ToFileTime(uint64_t value)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(value);
    time.dwHighDateTime = static_cast<DWORD>(value >> 32);
    return time;
}

uint64_t FromFileTime(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Reads from the start to the end of the file as its size stood when opened,
// or to `maxBytes` when the file is longer.
uint32_t ReadOpenFile(HANDLE file, size_t maxBytes, std::string& content)
{
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return GetLastError();
    if (high != 0 || size > maxBytes)
        size = static_cast<DWORD>(std::min<size_t>(maxBytes, MAXDWORD));
    try {
        content.resize(size);
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    DWORD filled = 0;
    while (filled < size) {
        DWORD read = 0;
        if (!ReadFile(file, &content[filled], size - filled, &read, nullptr))
            return GetLastError();
        if (read == 0)
            break;
        filled += read;
    }
    content.resize(filled);
    return 0;
}

uint32_t WriteOpenFile(HANDLE file, const std::string& content)
{
    size_t done = 0;
    while (done < content.size()) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, content.data() + done, piece, &written, nullptr))
            return GetLastError();
        if (written == 0)
            return ERROR_DISK_FULL;
        done += written;
    }
    return 0;
}

class Win32FileHold : public FileHold {
public:
    explicit Win32FileHold(HANDLE file) : file_(file) {}

private:
    FileHandle file_;
};

class Win32FileOps : public FileOps {
public:
    uint32_t ListFolder(const std::string& searchPath,
                        const std::function<bool(const FoundFile&)>& visit) override
    {
        // The wide listing: an "A" one holds 260 bytes of a name, which a long
        // name in UTF-8 outgrows, and would end the listing there.
        WIN32_FIND_DATAW found;
        const FindHandle search(FindFirstFileW(Widened(searchPath).c_str(), &found));
        if (!search.IsValid()) {
            // A pattern that matches nothing in a folder that is there.
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND ? 0 : error;
        }
        std::string name;
        do {
            NarrowInto(found.cFileName, wcslen(found.cFileName), name);
            const uint64_t size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            if (!visit(FoundFile{name.c_str(), found.dwFileAttributes, size, FromFileTime(found.ftLastWriteTime)}))
                return 0;
        } while (FindNextFileW(search.Get(), &found));
        const DWORD error = GetLastError();
        return error == ERROR_NO_MORE_FILES ? 0 : error;
    }

    uint32_t Rename(const std::string& from, const std::string& to) override
    {
        // No flags: the move never replaces a file, and never becomes a copy
        // and delete (which a device name as target would turn into).
        return Result(MoveFileExA(from.c_str(), to.c_str(), 0));
    }

    uint32_t SetFileTimes(const std::string& path, uint64_t creation, uint64_t lastWrite) override
    {
        const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid())
            return GetLastError();
        const FILETIME created = ToFileTime(creation);
        const FILETIME written = ToFileTime(lastWrite);
        return Result(SetFileTime(file.Get(), &created, nullptr, &written));
    }

    uint32_t GetFileTimes(const std::string& path, uint64_t& creation, uint64_t& lastWrite) override
    {
        const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid())
            return GetLastError();
        FILETIME created{}, written{};
        const uint32_t error = Result(GetFileTime(file.Get(), &created, nullptr, &written));
        creation = FromFileTime(created);
        lastWrite = FromFileTime(written);
        return error;
    }

    uint32_t GetAttributes(const std::string& path, uint32_t& attributes) override
    {
        const DWORD value = GetFileAttributesA(path.c_str());
        if (value == INVALID_FILE_ATTRIBUTES)
            return GetLastError();
        attributes = value;
        return 0;
    }

    uint32_t SetAttributes(const std::string& path, uint32_t attributes) override
    {
        return Result(SetFileAttributesA(path.c_str(), attributes));
    }

    uint32_t ReadFileStart(const std::string& path, size_t maxBytes, std::string& content) override
    {
        const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid())
            return GetLastError();
        return ReadOpenFile(file.Get(), maxBytes, content);
    }

    uint32_t WriteWholeFile(const std::string& path, const std::string& content) override
    {
        const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid())
            return GetLastError();
        const uint32_t error = WriteOpenFile(file.Get(), content);
        return error == 0 ? Result(FlushFileBuffers(file.Get())) : error;
    }

    uint32_t MoveReplacing(const std::string& from, const std::string& to) override
    {
        return Result(MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    }

    uint32_t RemoveFile(const std::string& path) override
    {
        return Result(DeleteFileA(path.c_str()));
    }

    uint32_t CreateFolder(const std::string& path) override
    {
        return Result(CreateDirectoryA(path.c_str(), nullptr));
    }

    uint32_t CopyReplacing(const std::string& from, const std::string& to) override
    {
        return Result(CopyFileA(from.c_str(), to.c_str(), FALSE));
    }

    uint32_t Hold(const std::string& path, std::unique_ptr<FileHold>& hold) override
    {
        // The system closes the handles of a process that ends, so a hold
        // never outlives its holder; delete-on-close then takes the file away.
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError();
        try {
            hold = std::make_unique<Win32FileHold>(file);
        } catch (const std::bad_alloc&) {
            CloseHandle(file);
            return ERROR_NOT_ENOUGH_MEMORY;
        }
        return 0;
    }
};

} // namespace

FileOps& SystemFileOps()
{
    static Win32FileOps files;
    return files;
}
