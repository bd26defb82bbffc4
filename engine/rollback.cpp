// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).

#include "rollback.h"

#include "batch_record.h"
#include "file_dates.h"
#include "folder_scan.h"
#include "name_pieces.h"
#include "pass_reports.h"
#include "rollback_plan.h"
#include "ui/number_text.h"

#include <stdexcept>

namespace {

// What a re-dated file shows now: still the batch's time (to be put back),
// its old time again, or something else that is not ours to change.
enum class DatePlace { Batch, Old, Other, Missing };

DatePlace WhereDateIs(FileOps& files, const Journal& journal, const JournalFile& file)
{
    uint64_t creation = 0, lastWrite = 0;
    if (files.GetFileTimes(journal.folder + file.oldName, creation, lastWrite) != 0)
        return DatePlace::Missing;
    if (SameFileTime(lastWrite, journal.moment))
        return DatePlace::Batch;
    return SameFileTime(lastWrite, file.lastWrite) ? DatePlace::Old : DatePlace::Other;
}

std::string WhyNotBack(DatePlace place)
{
    return place == DatePlace::Missing ? " (not found)" : " (its date was changed since)";
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
        if (place == DatePlace::Other || place == DatePlace::Missing)
            outcome.notPutBack.push_back(file.oldName + WhyNotBack(place));
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

std::string ErrorText(uint32_t error)
{
    char digits[34];
    return std::string("File error - ") + FormatUInt(error, digits, 10);
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
            outcome.notPutBack.push_back(move.from + " (" + ErrorText(error) + ")");
            if (!ReportFileError(context.host, error, move.from))
                return;
        }
    }
}

std::string Files(int count)
{
    char digits[34];
    return std::string(FormatInt(count, digits, 10)) + (count == 1 ? " file" : " files");
}

// A journal that cannot be closed is asked about again.
void Close(JournalStore& store, Journal& journal)
{
    journal.state = JournalState::Closed;
    (void)store.Write(journal);
}

// When no file can go back, those that cannot are named and the user may
// forget the batch; false when there are files to put back.
bool NothingCanGoBack(EngineHost& host, JournalStore& store, Journal& journal, const RollbackSurvey& survey,
                      const std::string& cannot, const char* forget)
{
    if (survey.canGoBack != 0)
        return false;
    if (survey.blocked.empty() || host.Confirm(cannot + ListOfNames(survey.blocked) + forget))
        Close(store, journal);
    return true;
}

// Puts the files of a batch back: its dates or its names.
class PutBack : public FilePass {
public:
    PutBack(FolderContext& shown, FolderContext& batch, const Journal& journal, PassOutcome& outcome)
        : shown_(shown), batch_(batch), journal_(journal), outcome_(outcome), isShown_(journal.folder == shown.folder)
    {
    }

    void Run() override
    {
        if (journal_.kind == JournalKind::Dates)
            PutBackDates(batch_, journal_, outcome_);
        else
            PutBackNames(batch_, journal_, outcome_);
    }

    void Rescan() override
    {
        if (isShown_)
            OpenFolder(shown_, "*.*");
    }

private:
    FolderContext& shown_;
    FolderContext& batch_;
    const Journal& journal_;
    PassOutcome& outcome_;
    const bool isShown_;
};

} // namespace

bool OfferRecovery(FolderContext& context, JournalStore& store, Journal& journal)
{
    // A journal another Quillet holds is a batch under way, not a crash.
    if (store.Hold() == kErrorSharingViolation)
        return false;
    const JournalStore::Found found = store.Read(journal);
    if (found == JournalStore::Found::Broken) {
        store.SetAside();
        context.host.Warn("The record of the last changes cannot be read, so they cannot be put back. It was kept as\n" +
                          store.Path() + ".bad");
        return false;
    }
    if (found == JournalStore::Found::Nothing || journal.state != JournalState::Open)
        return false;
    const std::string stopped = "Quillet stopped in the middle of changing the files in\n" + journal.folder;
    if (!IsFolder(context.files, journal.folder)) {
        if (context.host.Confirm(stopped + "\nbut that folder is not there now.\nForget these changes?"))
            Close(store, journal);
        return false;
    }
    const RollbackSurvey survey = SurveyRollback(context.files, journal);
    if (survey.error != 0) {
        context.host.Warn(stopped + "\nbut that folder cannot be read now (" + ErrorText(survey.error) +
                          ").\nQuillet will ask again when it next starts.");
        return false;
    }
    if (NothingCanGoBack(context.host, store, journal, survey, stopped + "\nThese files cannot be put back:",
                         "\nForget these changes?"))
        return false;
    return context.host.Confirm(stopped + "\n" + Files(survey.canGoBack) + (survey.canGoBack == 1 ? " was" : " were") +
                                " changed before it stopped.\nDo you want to put them back?");
}

RollbackSurvey SurveyRollback(FileOps& files, const Journal& journal)
{
    RollbackSurvey survey;
    if (journal.kind != JournalKind::Dates) {
        std::vector<std::string> names;
        survey.error = FolderNames(files, journal.folder, names);
        if (survey.error != 0)
            return survey;
        const RollbackPlan plan = PlanRollback(journal, names);
        survey.canGoBack = plan.moved;
        survey.blocked = plan.problems;
        return survey;
    }
    for (const JournalFile& file : journal.files) {
        const DatePlace place = WhereDateIs(files, journal, file);
        if (place == DatePlace::Batch)
            ++survey.canGoBack;
        else if (place != DatePlace::Old)
            survey.blocked.push_back(file.oldName + WhyNotBack(place));
    }
    return survey;
}

std::unique_ptr<FilePass> MakePutBackPass(FolderContext& shown, FolderContext& batch, const Journal& journal,
                                          PassOutcome& outcome)
{
    return std::make_unique<PutBack>(shown, batch, journal, outcome);
}

void CloseIfAllBack(FileOps& files, JournalStore& store, Journal& journal)
{
    if (SurveyRollback(files, journal).NothingLeft())
        Close(store, journal);
}

bool CanUndo(JournalFolder& journals, const std::string& folder)
{
    JournalState state = JournalState::Closed;
    std::string recorded;
    return journals.For(folder).ReadState(state, recorded) && state == JournalState::Finished &&
           SameNameIgnoringCase(recorded, folder);
}

bool OfferUndo(FolderContext& context, JournalStore& store, Journal& journal)
{
    if (store.Hold() == kErrorSharingViolation) {
        context.host.Warn(AnotherQuilletText(context.folder));
        return false;
    }
    if (store.Read(journal) != JournalStore::Found::Whole || journal.state != JournalState::Finished ||
        !SameNameIgnoringCase(journal.folder, context.folder))
        return false;
    const RollbackSurvey survey = SurveyRollback(context.files, journal);
    if (survey.error != 0) {
        context.host.Warn("The folder cannot be read (" + ErrorText(survey.error) +
                          "), so the files cannot be put back now.");
        return false;
    }
    if (NothingCanGoBack(context.host, store, journal, survey, "The last changes in this folder cannot be put back:",
                         "\nForget them?"))
        return false;
    return context.host.Confirm("This will put back " + Files(survey.canGoBack) + ".\nDo you want to do this?");
}
