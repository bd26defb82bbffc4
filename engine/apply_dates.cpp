#include "apply_dates.h"

#include "apply_changes.h"
#include "folder_scan.h"
#include "pass_reports.h"

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
    if (cleared)
        files.SetAttributes(path, original);
    return error;
}

} // namespace

void ApplyDates(FolderContext& context, const LocalDateTime& date)
{
    uint64_t time = 0;
    if (!LocalToUtcFileTime(date, time)) {
        context.host.Warn("The chosen date and time cannot be given to files.\n"
                          "No file was changed. Please choose another date.");
        return;
    }
    PassOutcome outcome;
    const auto pass = [&] {
        for (int i = 0; i < context.set.Count(); ++i) {
            if (!context.set.IsListed(i))
                continue;
            const std::string& name = context.set.Entry(i).name;
            if (!CanReach(context.folder, name)) {
                outcome.unreachable.push_back(name);
                continue;
            }
            const uint32_t error = SetDatesOfFile(context.files, context.folder + name, time);
            if (error != 0 && !ReportFileError(context.host, error, name))
                break;
        }
    };
    RunPass(context, "Changing dates - please wait...", outcome, pass, [] {},
            [&] { Scan(context, context.folder + "*.*"); });
}
