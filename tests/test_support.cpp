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

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\");
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

TempFolder::~TempFolder()
{
    RemoveTree(path_);
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
    return FileContent(path_ + name);
}

void BuildTree(const std::string& folder, const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        if (path.back() == '\\') {
            CreateDirectoryA((folder + path).c_str(), nullptr);
            continue;
        }
        HANDLE file = CreateFileA((folder + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, path.data(), static_cast<DWORD>(path.size()), &written, nullptr);
        CloseHandle(file);
    }
}

std::string FileContent(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[512];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

namespace {

void AddTree(std::map<std::string, std::string>& tree, const std::string& folder, const std::string& below)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + below + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[below + name + "\\"] = "";
            AddTree(tree, folder, below + name + "\\");
        } else {
            tree[below + name] = FileContent(folder + below + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

std::map<std::string, std::string> TreeOf(const std::string& folder)
{
    std::map<std::string, std::string> tree;
    AddTree(tree, folder, "");
    return tree;
}

uint32_t FaultyFileOps::ListFolder(const std::string& searchPath,
                                   const std::function<bool(const FoundFile&)>& visit)
{
    if (listRule) {
        if (const uint32_t error = listRule(searchPath))
            return error;
    }
    return SystemFileOps().ListFolder(searchPath, visit);
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

uint32_t FaultyFileOps::GetFileTimes(const std::string& path, uint64_t& creation, uint64_t& lastWrite)
{
    return SystemFileOps().GetFileTimes(path, creation, lastWrite);
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

uint32_t FaultyFileOps::ReadFileStart(const std::string& path, size_t maxBytes, std::string& content)
{
    return SystemFileOps().ReadFileStart(path, maxBytes, content);
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

uint32_t FaultyFileOps::CopyReplacing(const std::string& from, const std::string& to)
{
    copied.push_back(from);
    if (copyRule) {
        if (const uint32_t error = copyRule(from, to))
            return error;
    }
    return SystemFileOps().CopyReplacing(from, to);
}
