#include "apply_dates.h"

#include "apply_changes.h"
#include "batch_record.h"
#include "folder_scan.h"
#include "pass_reports.h"

namespace {

// Read-only, hidden and system files refuse to be opened for writing; their
// attributes are cleared for the change and put back afterwards.
constexpr int kAttributeRetries = 3;

} // namespace

uint32_t SetDatesOfFile(FileOps& files, const std::string& path, uint64_t creation, uint64_t lastWrite)
{
    uint32_t error = files.SetFileTimes(path, creation, lastWrite);
    uint32_t original = 0;
    bool cleared = false;
    for (int retry = 0; retry < kAttributeRetries && error == kErrorAccessDenied; ++retry) {
        if (!cleared && files.GetAttributes(path, original) != 0)
            break;
        if (files.SetAttributes(path, kAttributeNormal) != 0)
            break;
        cleared = true;
        error = files.SetFileTimes(path, creation, lastWrite);
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

void ApplyDates(FolderContext& context, const LocalDateTime& date)
{
    uint64_t time = 0;
    if (!LocalToUtcFileTime(date, time)) {
        context.host.Warn("The chosen date and time cannot be given to files.\n"
                          "No file was changed. Please choose another date.");
        return;
    }
    PassOutcome outcome;
    BatchRecord record(context, JournalKind::Dates);
    record.Plan().moment = time;
    std::vector<JournalFile> done;
    const auto pass = [&] {
        // Each file's old times go into the plan, so the batch can be undone;
        // a file whose times cannot be read is not changed.
        std::vector<uint32_t> readErrors(static_cast<size_t>(context.set.Count()), 0);
        for (int i = 0; i < context.set.Count(); ++i) {
            const std::string& name = context.set.Entry(i).name;
            JournalFile file{name, "", "", 0, 0};
            if (!context.set.IsListed(i) || !CanReach(context.folder, name))
                continue;
            readErrors[static_cast<size_t>(i)] =
                context.files.GetFileTimes(context.folder + name, file.creation, file.lastWrite);
            if (readErrors[static_cast<size_t>(i)] == 0)
                record.Plan().files.push_back(file);
        }
        if (!record.Begin())
            return;
        size_t planned = 0;
        for (int i = 0; i < context.set.Count(); ++i) {
            if (!context.set.IsListed(i))
                continue;
            if (!context.host.KeepGoing(i, context.set.Count())) {
                outcome.cancelled = true;
                break;
            }
            const std::string& name = context.set.Entry(i).name;
            if (!CanReach(context.folder, name)) {
                outcome.unreachable.push_back(name);
                continue;
            }
            uint32_t error = readErrors[static_cast<size_t>(i)];
            if (error == 0) {
                error = SetDatesOfFile(context.files, context.folder + name, time, time);
                if (error == 0)
                    done.push_back(record.Plan().files[planned]);
                ++planned;
            }
            if (error != 0 && !ReportFileError(context.host, error, name))
                break;
        }
        outcome.changed = static_cast<int>(done.size());
        record.Finish(done);
    };
    RunPass(context, "Changing dates - please wait...", outcome, pass, [&] { record.Finish(done); },
            [&] { Scan(context, context.folder + "*.*"); });
}
