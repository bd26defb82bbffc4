// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "pass_driver.h"

#include "apply_changes.h"
#include "apply_dates.h"
#include "batch_record.h"
#include "pass_reports.h"
#include "rollback.h"

#include <exception>
#include <string>

namespace {

const char kRenamingText[] = "Renaming files - please wait...";

const char* ConfirmationText(EngineAction action, bool prefix)
{
    switch (action) {
    case EngineAction::Uppercase: return "This will convert these files to uppercase.";
    case EngineAction::Lowercase: return "This will convert these files to lowercase.";
    case EngineAction::IndexNames: return "This will rename the files using an index number.";
    case EngineAction::PrefixAppend:
        return prefix ? "This will start the file names with the text you entered."
                      : "This will append text to the file names.";
    case EngineAction::Shorten: return "This will shorten these file names.";
    case EngineAction::RemoveText: return "This will remove some text from the file names.";
    case EngineAction::ChangeExtensions: return "This will change the file extensions.";
    case EngineAction::ChangeDates: return "This will change the file dates";
    }
    return "";
}

// The frame of every pass: the working window while it runs, then the
// folder read anew, the pending flag cleared, and the outcome told. A pass
// that breaks off with an exception puts back what it can and is followed by
// a warning; the rescan then shows the folder as it is.
void RunPass(FolderContext& context, const std::string& workingText, PassOutcome& outcome, FilePass& pass)
{
    EngineHost& host = context.host;
    host.ShowWorking(workingText);
    try {
        pass.Run();
    } catch (const std::exception& e) {
        outcome.failure = e.what();
        pass.AfterFailure();
    }
    try {
        pass.Rescan();
    } catch (const std::exception& e) {
        if (outcome.failure.empty())
            outcome.failure = e.what();
    }
    host.SetPending(false);
    host.CloseWorking();
    if (outcome.cancelled)
        host.ShowStopped(outcome.changed);
    TellOutcome(host, outcome);
    pass.TellAfter();
}

} // namespace

bool ConfirmAndApply(FolderContext& context, EngineAction action, bool prefix, const LocalDateTime& date)
{
    if (!context.host.Confirm(std::string(ConfirmationText(action, prefix)) + "\nDo you want to do this?"))
        return false;
    if (action == EngineAction::IndexNames)
        ApplyIndexRenames(context);
    else if (action == EngineAction::ChangeDates)
        ApplyDates(context, date);
    else
        ApplyRenames(context);
    return true;
}

void ApplyRenames(FolderContext& context)
{
    PassOutcome outcome;
    BatchRecord record(context, JournalKind::Renames);
    RunPass(context, kRenamingText, outcome, *MakeRenamePass(context, outcome, record));
}

void ApplyIndexRenames(FolderContext& context)
{
    PassOutcome outcome;
    BatchRecord record(context, JournalKind::Index);
    RunPass(context, kRenamingText, outcome, *MakeIndexRenamePass(context, outcome, record));
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
    RunPass(context, "Changing dates - please wait...", outcome, *MakeDatePass(context, outcome, record, time));
}

void RollBack(FolderContext& context, const Journal& journal)
{
    FolderContext batch{context.set, journal.folder, context.files, context.host};
    PassOutcome outcome;
    RunPass(batch, "Putting files back - please wait...", outcome, *MakePutBackPass(context, batch, journal, outcome));
}

void RecoverUnfinishedBatches(FolderContext& context)
{
    if (!context.journals)
        return;
    for (JournalStore& store : context.journals->All()) {
        Journal journal;
        if (!OfferRecovery(context, store, journal))
            continue;
        RollBack(context, journal);
        CloseIfAllBack(context.files, store, journal);
    }
}

void UndoLastBatch(FolderContext& context)
{
    if (!context.journals)
        return;
    JournalStore store = context.journals->For(context.folder);
    Journal journal;
    if (!OfferUndo(context, store, journal))
        return;
    RollBack(context, journal);
    CloseIfAllBack(context.files, store, journal);
}
