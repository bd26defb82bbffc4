// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// The pass driver: what every batch goes through, from above. It asks the
// user to confirm, opens the batch's journal, shows the working window while
// the pass runs, has the folder read anew and tells the outcome. The passes
// (renames, dates, putting back) do only their own work and never start
// another.
#pragma once
#include "engine_action.h"
#include "engine_host.h"
#include "journal.h"
#include "local_time.h"

// Asks the user to confirm the pending action and runs its pass. `prefix`
// picks the text of the prefix/append action; `date` is what the date action
// writes. False when the user said No.
bool ConfirmAndApply(FolderContext& context, EngineAction action, bool prefix, const LocalDateTime& date);

// Renames every listed entry to its proposal (see MakeRenamePass).
void ApplyRenames(FolderContext& context);
// Renames in two steps, so that files may exchange names (see
// MakeIndexRenamePass).
void ApplyIndexRenames(FolderContext& context);
// Sets the creation and last-write times of every listed file to `date`
// (local time). A date that cannot be converted is told to the user and
// changes nothing: the dates stay pending.
void ApplyDates(FolderContext& context, const LocalDateTime& date);

// Puts the files of the batch back under the working window, and warns about
// the files it could not put back, naming each and why. The current folder
// is read anew when it is the batch's.
void RollBack(FolderContext& context, const Journal& journal);
// At start: offers to put back each batch that a crash cut short, from every
// journal that no running Quillet holds.
void RecoverUnfinishedBatches(FolderContext& context);
// Asks, then puts back the last batch made in the context's folder.
void UndoLastBatch(FolderContext& context);
