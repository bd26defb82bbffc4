// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "folder_scan.h"

#include "list_order.h"
#include "pass_reports.h"

namespace {

// Lists the folder into the set, asking the host every so many files
// whether to go on. False when the user stopped it.
bool ListInto(FolderContext& context, const std::string& searchPath, uint32_t& error)
{
    constexpr int kAskEvery = 256;
    EngineHost& host = context.host;
    bool stopped = false;
    int seen = 0;
    host.KeepListing(0);
    try {
        error = context.files.ListFolder(searchPath, [&](const FoundFile& found) {
            if (++seen % kAskEvery == 0 && !host.KeepListing(seen)) {
                stopped = true;
                return false;
            }
            if (found.attributes & kAttributeDirectory)
                return true;
            if (context.set.AppendFile(found))
                return true;
            host.Warn("Out of memory");
            return false;
        });
    } catch (...) {
        host.EndListing(false);
        throw;
    }
    host.EndListing(stopped);
    return !stopped;
}

} // namespace

void Scan(FolderContext& context, const std::string& searchPath)
{
    WorkingSet& set = context.set;
    set.Clear();
    try {
        uint32_t error = 0;
        const bool read = ListInto(context, searchPath, error);
        // Part of a listing is no picture of the folder.
        if (!read || error != 0)
            set.Clear();
        if (error != 0) {
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
