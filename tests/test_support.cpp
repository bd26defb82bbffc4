#include "test_support.h"

#include <windows.h>

#include <atomic>

TempFolder::TempFolder()
{
    static std::atomic<int> serial{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "quillet-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(serial++) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = path_ + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryA(path.c_str());
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

void TempFolder::Create(const std::string& name, const std::string& content) const
{
    HANDLE file = CreateFileA((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

void TempFolder::CreateSubfolder(const std::string& name) const
{
    CreateDirectoryA((path_ + name).c_str(), nullptr);
}

std::set<std::string> TempFolder::Names() const
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string TempFolder::Read(const std::string& name) const
{
    HANDLE file = CreateFileA((path_ + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

void FaultyFileOps::ListFolder(const std::string& searchPath,
                               const std::function<bool(const char*, uint32_t)>& visit)
{
    SystemFileOps().ListFolder(searchPath, visit);
}

uint32_t FaultyFileOps::Rename(const std::string& from, const std::string& to)
{
    renames.emplace_back(BaseName(from), BaseName(to));
    if (renameRule) {
        if (const uint32_t error = renameRule(BaseName(from), BaseName(to)))
            return error;
    }
    return SystemFileOps().Rename(from, to);
}

uint32_t FaultyFileOps::SetFileTimes(const std::string& path, uint64_t creation, uint64_t lastWrite)
{
    ++timesCalls;
    if (timesRule) {
        if (const uint32_t error = timesRule(BaseName(path)))
            return error;
    }
    return SystemFileOps().SetFileTimes(path, creation, lastWrite);
}

uint32_t FaultyFileOps::GetAttributes(const std::string& path, uint32_t& attributes)
{
    return SystemFileOps().GetAttributes(path, attributes);
}

uint32_t FaultyFileOps::SetAttributes(const std::string& path, uint32_t attributes)
{
    attributesSet.push_back(attributes);
    return SystemFileOps().SetAttributes(path, attributes);
}

uint32_t FaultyFileOps::ReadWholeFile(const std::string& path, std::string& content)
{
    return SystemFileOps().ReadWholeFile(path, content);
}

uint32_t FaultyFileOps::WriteWholeFile(const std::string& path, const std::string& content)
{
    if (writeRule) {
        if (const uint32_t error = writeRule(BaseName(path))) {
            SystemFileOps().WriteWholeFile(path, content.substr(0, content.size() / 2));
            return error;
        }
    }
    return SystemFileOps().WriteWholeFile(path, content);
}

uint32_t FaultyFileOps::MoveReplacing(const std::string& from, const std::string& to)
{
    if (replaceRule) {
        if (const uint32_t error = replaceRule(BaseName(from), BaseName(to)))
            return error;
    }
    return SystemFileOps().MoveReplacing(from, to);
}

uint32_t FaultyFileOps::RemoveFile(const std::string& path)
{
    return SystemFileOps().RemoveFile(path);
}

uint32_t FaultyFileOps::CreateFolder(const std::string& path)
{
    foldersCreated.push_back(path);
    if (createFolderRule) {
        if (const uint32_t error = createFolderRule(path))
            return error;
    }
    return SystemFileOps().CreateFolder(path);
}
