// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "folder_scan.h"

#include "list_order.h"
#include "pass_reports.h"

void Scan(FolderContext& context, const std::string& searchPath)
{
    WorkingSet& set = context.set;
    set.Clear();
    try {
        const uint32_t error = context.files.ListFolder(searchPath, [&](const FoundFile& found) {
            if (found.attributes & kAttributeDirectory)
                return true;
            if (set.AppendFile(found))
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
            SortShown(set);
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
    return files.ListFolder(folder + "*", [&](const FoundFile& found) {
        if (std::string(found.name) != "." && std::string(found.name) != "..")
            names.push_back(found.name);
        return true;
    });
}
