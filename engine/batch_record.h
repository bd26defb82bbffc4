// A pass's entry in the journal: its plan written before the first file is
// touched, and marked finished, with what was done, however the pass ends.
#pragma once
#include "engine_host.h"
#include "journal.h"

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

    // Writes the plan. False when it could not be written and the user would
    // rather not change the files without it (there is no journal to write
    // to in some tests: true then).
    bool Begin();
    // Writes the plan again after it changed (the second step of an index
    // batch); no writes for single files.
    void Rewrite();
    // Marks the batch finished: `done` lists what the files went through.
    void Finish(std::vector<JournalFile> done);

private:
    FolderContext& context_;
    Journal journal_;
    bool begun_ = false;
};
