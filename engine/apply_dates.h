// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// Giving every listed file one chosen date and time: the date pass the pass
// driver runs.
#pragma once
#include "batch_record.h"
#include "file_pass.h"
#include "pass_reports.h"

#include <cstdint>
#include <memory>

// Sets the creation and last-write times of every listed file to `time` (a
// UTC file time); the last-access time stays. Each file's old times go into
// the record's plan first, so that the batch can be undone.
std::unique_ptr<FilePass> MakeDatePass(FolderContext& context, PassOutcome& outcome, BatchRecord& record, uint64_t time);
