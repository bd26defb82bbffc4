#include "apply_dates.h"

#include "file_error.h"
#include "folder_scan.h"

namespace {

// Read-only, hidden and system files refuse to be opened for writing; their
// attributes are cleared for the change and put back afterwards.
constexpr int kAttributeRetries = 3;

// Returns 0 or the error that stopped the change.
uint32_t SetDatesOfFile(FileOps& files, const std::string& path, uint64_t time)
{
    uint32_t error = files.SetFileTimes(path, time, time);
    uint32_t original = 0;
    bool cleared = false;
    for (int retry = 0; retry < kAttributeRetries && error == kErrorAccessDenied; ++retry) {
        if (!cleared && files.GetAttributes(path, original) != 0)
            break;
        files.SetAttributes(path, kAttributeNormal);
        cleared = true;
        error = files.SetFileTimes(path, time, time);
    }
    // Attributes that cannot be put back are a failure of their own: the
    // user hears of the file like one whose dates could not be set.
    if (cleared) {
        const uint32_t restored = files.SetAttributes(path, original);
        if (error == 0)
            error = restored;
    }
    return error;
}

} // namespace

void ApplyDates(FolderContext& context, const LocalDateTime& date)
{
    uint64_t time = 0;
    if (!LocalToUtcFileTime(date, time))
        return;
    EngineHost& host = context.host;
    host.ShowWorking("Changing dates - please wait...");
    for (int i = 0; i < context.set.Count(); ++i) {
        if (!context.set.IsListed(i))
            continue;
        const std::string& name = context.set.Entry(i).name;
        const uint32_t error = SetDatesOfFile(context.files, context.folder + name, time);
        if (error != 0 && !ReportFileError(host, error, name))
            break;
    }
    Scan(context, context.folder + "*.*");
    host.SetPending(false);
    host.CloseWorking();
}
