// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// Carrying out the proposals on disk: the two rename passes the pass driver
// runs.
#pragma once
#include "batch_record.h"
#include "file_pass.h"
#include "pass_reports.h"

#include <memory>

// Renames every listed entry to its proposal, in passes, so that a chain of
// renames whose targets are freed by later entries still goes through.
std::unique_ptr<FilePass> MakeRenamePass(FolderContext& context, PassOutcome& outcome, BatchRecord& record);

// Renames in two steps, through each entry's scratch name, so that files may
// exchange names.
std::unique_ptr<FilePass> MakeIndexRenamePass(FolderContext& context, PassOutcome& outcome, BatchRecord& record);
