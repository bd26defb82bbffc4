// Carrying out the proposals on disk.
#pragma once
#include "engine_action.h"
#include "engine_host.h"
#include "local_time.h"
#include "pass_reports.h"

#include <functional>
#include <string>

// Asks the user to confirm the pending action and runs its pass. `prefix`
// picks the text of the prefix/append action; `date` is what the date action
// writes. False when the user said No.
bool ConfirmAndApply(FolderContext& context, EngineAction action, bool prefix, const LocalDateTime& date);

// Renames every listed entry to its proposal, in passes, so that a chain of
// renames whose targets are freed by later entries still goes through.
void ApplyRenames(FolderContext& context);

// Renames in two steps, through each entry's scratch name, so that files may
// exchange names.
void ApplyIndexRenames(FolderContext& context);

// The frame of every pass: the working window while `pass` runs, then
// `rescan`, the pending flag cleared, and the outcome told. A pass that
// breaks off with an exception is followed by `afterFailure` (which puts back
// what it can) and a warning; the rescan then shows the folder as it is.
void RunPass(FolderContext& context, const std::string& workingText, PassOutcome& outcome,
             const std::function<void()>& pass, const std::function<void()>& afterFailure,
             const std::function<void()>& rescan);
