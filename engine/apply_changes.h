// Carrying out the proposals on disk.
#pragma once
#include "engine_action.h"
#include "engine_host.h"
#include "local_time.h"

#include <cstdint>
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
