// Layer: pure core (no <windows.h>, built natively too).
// The journal of a batch: what a pass is about to do to a folder, written
// before its first file is touched, so that a batch cut short by a crash can
// be rolled back at the next start, and a finished one undone. Pure code: the
// text format only; engine/journal_store reads and writes the file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class JournalState {
    Open,     // the pass is running, or stopped without ending
    Finished, // the pass ended; the files list what it changed
    Closed,   // undone or rolled back: nothing left to put back
};

enum class JournalKind {
    Renames, // each file: old name, temporary name of a case change or empty, new name
    Index,   // each file: old name, scratch name, new name
    Dates,   // each file: name, and its old creation and last-write times
};

struct JournalFile {
    std::string oldName;
    std::string tempName;
    std::string newName;
    uint64_t creation = 0;  // dates only
    uint64_t lastWrite = 0; // dates only
};

struct Journal {
    JournalState state = JournalState::Open;
    JournalKind kind = JournalKind::Renames;
    std::string folder; // ends in a backslash
    // Index batches: true once every listed file carries its scratch name and
    // the files list only those that do.
    bool secondStep = false;
    uint64_t moment = 0; // dates: the time the files were given
    std::vector<JournalFile> files;
};

std::string WriteJournal(const Journal& journal);

// False for text that is not a whole journal: cut short, garbage, a field out
// of range, or a name that could not stand in the folder.
bool ReadJournal(const std::string& text, Journal& journal);

// The state and folder from the start of a journal, up to its first file:
// enough to tell whether a batch can be undone without reading every file.
bool ReadJournalHead(const std::string& head, JournalState& state, std::string& folder);
