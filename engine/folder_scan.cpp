// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "folder_scan.h"

#include "pass_reports.h"

void Scan(FolderContext& context, const std::string& searchPath)
{
    WorkingSet& set = context.set;
    set.Clear();
    try {
        const uint32_t error = context.files.ListFolder(searchPath, [&](const char* name, uint32_t attributes) {
            if (attributes & kAttributeDirectory)
                return true;
            if (set.Append(name))
                return true;
            context.host.Warn("Out of memory");
            return false;
        });
        if (error != 0) {
            // Part of a listing is no picture of the folder.
            set.Clear();
            context.host.Warn(UnreadableFolderText(searchPath.substr(0, searchPath.rfind('\\') + 1), error));
        }
        if (set.Count() != 0) {
            set.SortByName();
            context.host.FilesLoaded();
        }
    } catch (...) {
        // The list must not keep rows of entries that are gone.
        set.Clear();
        context.host.Refill();
        throw;
    }
    context.host.Refill();
}

void OpenFolder(FolderContext& context, const std::string& pattern)
{
    const std::string searchPath = context.folder + pattern;
    Scan(context, searchPath);
    context.host.ShowFolder(searchPath, context.set.Count());
}

uint32_t FolderNames(FileOps& files, const std::string& folder, std::vector<std::string>& names)
{
    names.clear();
    return files.ListFolder(folder + "*", [&](const char* name, uint32_t) {
        if (std::string(name) != "." && std::string(name) != "..")
            names.push_back(name);
        return true;
    });
}
