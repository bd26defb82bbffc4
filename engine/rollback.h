// Putting a batch back: after a crash cut it short, or when the user undoes
// it. Works from the batch's journal and what the disk shows now. A journal
// stays until every file of its batch is back or the user says to forget
// it: a rollback that is stopped, or that finds files it cannot put back,
// can be run again.
#pragma once
#include "engine_host.h"
#include "journal.h"
#include "journal_store.h"

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
// as the passes, under the working window, and warns about the files it could
// not put back, naming each and why. The current folder is read anew when it
// is the batch's.
void RollBack(FolderContext& context, const Journal& journal);

// At start: offers to put back each batch that a crash cut short, from every
// journal that no running Quillet holds.
void RecoverUnfinishedBatches(FolderContext& context);

// Whether the last batch made in the folder can be undone; reads only the
// head of its journal.
bool CanUndo(JournalFolder& journals, const std::string& folder);
// Asks, then puts back the last batch made in the context's folder.
void UndoLastBatch(FolderContext& context);
