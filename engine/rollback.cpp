#include "rollback.h"

#include "apply_changes.h"
#include "apply_dates.h"
#include "folder_scan.h"
#include "pass_reports.h"
#include "rollback_plan.h"

#include <stdexcept>

namespace {

// What a re-dated file shows now: still the batch's time (to be put back),
// its old time again, or something else that is not ours to change.
enum class DatePlace { Batch, Old, Other };

DatePlace WhereDateIs(FileOps& files, const Journal& journal, const JournalFile& file)
{
    uint64_t creation = 0, lastWrite = 0;
    if (files.GetFileTimes(journal.folder + file.oldName, creation, lastWrite) != 0)
        return DatePlace::Other;
    if (lastWrite == journal.moment)
        return DatePlace::Batch;
    return lastWrite == file.lastWrite ? DatePlace::Old : DatePlace::Other;
}

void PutBackDates(FolderContext& context, const Journal& journal, PassOutcome& outcome)
{
    for (size_t i = 0; i < journal.files.size(); ++i) {
        const JournalFile& file = journal.files[i];
        if (!context.host.KeepGoing(static_cast<int>(i), static_cast<int>(journal.files.size()))) {
            outcome.cancelled = true;
            return;
        }
        const DatePlace place = WhereDateIs(context.files, journal, file);
        if (place == DatePlace::Other)
            outcome.notPutBack.push_back(file.oldName);
        if (place != DatePlace::Batch)
            continue;
        const uint32_t error =
            SetDatesOfFile(context.files, journal.folder + file.oldName, file.creation, file.lastWrite);
        if (error == 0)
            ++outcome.changed;
        else if (!ReportFileError(context.host, error, file.oldName))
            return;
    }
}

void PutBackNames(FolderContext& context, const Journal& journal, PassOutcome& outcome)
{
    std::vector<std::string> names;
    if (const uint32_t error = FolderNames(context.files, journal.folder, names))
        throw std::runtime_error(UnreadableFolderText(journal.folder, error));
    const RollbackPlan plan = PlanRollback(journal, names);
    outcome.notPutBack = plan.problems;
    for (size_t i = 0; i < plan.moves.size(); ++i) {
        const RollbackMove& move = plan.moves[i];
        if (!context.host.KeepGoing(static_cast<int>(i), static_cast<int>(plan.moves.size()))) {
            outcome.cancelled = true;
            return;
        }
        const uint32_t error = context.files.Rename(journal.folder + move.from, journal.folder + move.to);
        if (error == 0) {
            ++outcome.changed;
        } else {
            outcome.notPutBack.push_back(move.from);
            if (!ReportFileError(context.host, error, move.from))
                return;
        }
    }
}

} // namespace

int CountChangedFiles(FileOps& files, const Journal& journal)
{
    if (journal.kind != JournalKind::Dates) {
        std::vector<std::string> names;
        if (FolderNames(files, journal.folder, names) != 0)
            return -1;
        return PlanRollback(journal, names).moved;
    }
    int changed = 0;
    for (const JournalFile& file : journal.files)
        changed += WhereDateIs(files, journal, file) == DatePlace::Batch ? 1 : 0;
    return changed;
}

void RollBack(FolderContext& context, const Journal& journal)
{
    FolderContext batch{context.set, journal.folder, context.files, context.host};
    PassOutcome outcome;
    const bool shown = journal.folder == context.folder;
    RunPass(
        batch, "Putting files back - please wait...", outcome,
        [&] {
            if (journal.kind == JournalKind::Dates)
                PutBackDates(batch, journal, outcome);
            else
                PutBackNames(batch, journal, outcome);
        },
        [] {},
        [&] {
            if (shown)
                OpenFolder(context, "*.*");
        });
}
