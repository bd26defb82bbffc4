// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// A pass's entry in the journal of its folder: its plan written before the
// first file is touched, and marked finished, with what was done, however
// the pass ends. The journal is this process's while the batch runs.
#pragma once
#include "engine_host.h"
#include "journal.h"
#include "journal_store.h"

#include <optional>
#include <vector>

class BatchRecord {
public:
    // A record whose pass breaks off without Finish stays open, as after a
    // crash: the next start offers to roll the batch back.
    BatchRecord(FolderContext& context, JournalKind kind);
    BatchRecord(const BatchRecord&) = delete;
    BatchRecord& operator=(const BatchRecord&) = delete;

    // The plan to fill before Begin.
    Journal& Plan() { return journal_; }

    // Writes the plan. False when the batch may not start: another Quillet
    // is working in the folder, or the plan could not be written and the
    // user would rather not change the files without it. A batch that goes
    // on unrecorded leaves no record of an earlier one behind, so Undo can
    // never put back other changes than the last ones. (There is no journal
    // in some tests: true then.)
    bool Begin();
    // Writes the plan again after it changed (the second step of an index
    // batch): 0 or the system's error code.
    [[nodiscard]] uint32_t Rewrite();
    // Marks the batch finished: `done` lists what the files went through.
    void Finish(std::vector<JournalFile> done);

private:
    bool RecordOrForget(uint32_t error);

    FolderContext& context_;
    Journal journal_;
    std::optional<JournalStore> store_;
    bool begun_ = false;
};

// Why a batch, a rollback or an undo cannot start in the folder now.
std::string AnotherQuilletText(const std::string& folder);
