// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// Putting a batch back: after a crash cut it short, or when the user undoes
// it. Works from the batch's journal and what the disk shows now. A journal
// stays until every file of its batch is back or the user says to forget
// it: a rollback that is stopped, or that finds files it cannot put back,
// can be run again. The pass driver runs the putting back.
#pragma once
#include "engine_host.h"
#include "file_pass.h"
#include "journal.h"
#include "journal_store.h"
#include "pass_reports.h"

#include <memory>
#include <string>
#include <vector>

// What putting the batch back would do now.
struct RollbackSurvey {
    uint32_t error = 0;               // the folder could not be read
    int canGoBack = 0;                // files away from their old names that can go back
    std::vector<std::string> blocked; // files that cannot, each with why
    bool NothingLeft() const { return error == 0 && canGoBack == 0 && blocked.empty(); }
};

RollbackSurvey SurveyRollback(FileOps& files, const Journal& journal);

// Puts the files of the batch back, with the same checked steps and questions
// as the passes; `batch` is the context of the batch's folder. The folder
// shown in `shown` is read anew when it is the batch's.
std::unique_ptr<FilePass> MakePutBackPass(FolderContext& shown, FolderContext& batch, const Journal& journal,
                                          PassOutcome& outcome);

// Reads the store's journal at start and, when a crash cut its batch short,
// offers to put it back: true when the user said yes. A batch another
// Quillet is running, a broken journal (set aside), a folder that is gone and
// files that cannot go back are dealt with here, and give false.
bool OfferRecovery(FolderContext& context, JournalStore& store, Journal& journal);

// Whether the last batch made in the folder can be undone; reads only the
// head of its journal.
bool CanUndo(JournalFolder& journals, const std::string& folder);
// Reads the journal of the context's folder and asks whether to put back its
// last batch: true when the user said yes.
bool OfferUndo(FolderContext& context, JournalStore& store, Journal& journal);

// A rollback ends the journal only when nothing is left to put back.
void CloseIfAllBack(FileOps& files, JournalStore& store, Journal& journal);
