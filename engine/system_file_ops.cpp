#include "file_ops.h"

#include <windows.h>

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

class Win32FileOps : public FileOps {
public:
    void ListFolder(const std::string& searchPath,
                    const std::function<bool(const char*, uint32_t)>& visit) override
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(searchPath.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            if (!visit(found.cFileName, found.dwFileAttributes))
                break;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }

    uint32_t Rename(const std::string& from, const std::string& to) override
    {
        return Result(MoveFileA(from.c_str(), to.c_str()));
    }

    uint32_t SetFileTimes(const std::string& path, uint64_t creation, uint64_t lastWrite) override
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError();
        const FILETIME created = ToFileTime(creation);
        const FILETIME written = ToFileTime(lastWrite);
        const uint32_t error = Result(SetFileTime(file, &created, nullptr, &written));
        CloseHandle(file);
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
};

} // namespace

FileOps& SystemFileOps()
{
    static Win32FileOps files;
    return files;
}
