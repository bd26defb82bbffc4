// Layer: Win32 adapters (the real file operations and the settings file's place).

#include "settings_store.h"

#include "engine/wide_text.h"

#include <windows.h>
#include <shlobj.h>

#include <new>

namespace {

// Where the first level below the root starts: after "C:\" for a drive, after
// "\\server\share\" for a network path.
size_t RootLength(const std::string& path)
{
    size_t end;
    if (path.size() > 1 && path[1] == '\\') {
        end = path.find('\\', 2);
        if (end != std::string::npos)
            end = path.find('\\', end + 1);
    } else {
        end = path.find('\\');
    }
    return end == std::string::npos ? path.size() : end + 1;
}

std::string AppDataFolder()
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &list)))
        return std::string();
    wchar_t path[MAX_PATH] = L"";
    const BOOL found = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    return found ? Narrowed(path) : std::string();
}

} // namespace

std::string SettingsPathUnder(FileOps& files, const std::string& appData)
{
    const std::string folder = appData + "\\OsbrinFreeware\\Quillet\\";
    if (!IsFolder(files, folder))
        CreateFolderLevels(files, folder);
    return folder + "Quillet.ini";
}

std::string SettingsPath(FileOps& files)
{
    return SettingsPathUnder(files, AppDataFolder());
}

void CreateFolderLevels(FileOps& files, const std::string& folder)
{
    for (size_t end = folder.find('\\', RootLength(folder)); end != std::string::npos;
         end = folder.find('\\', end + 1)) {
        const uint32_t error = files.CreateFolder(folder.substr(0, end));
        if (error != 0 && error != kErrorAlreadyExists)
            return;
    }
}

Settings LoadSettings(FileOps& files, const std::string& path)
{
    // The file holds a few hundred bytes; a huge one is not ours, and its
    // start is all that is read.
    constexpr size_t kLongestRead = 64 * 1024;
    std::string image;
    if (files.ReadFileStart(path, kLongestRead, image) != 0)
        return Settings();
    return ReadSettings(image);
}

uint32_t SaveSettings(FileOps& files, const std::string& path, const Settings& settings)
{
    std::string text;
    try {
        text = WriteSettings(settings);
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    return WriteInPlaceOf(files, path, text);
}
