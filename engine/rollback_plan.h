// Layer: pure core (no <windows.h>, built natively too).
// Which moves put the files of a renaming batch back under their old names,
// worked out from the batch's journal and a listing of the folder as the
// disk has it now. Pure code. A file is moved only when the disk shows it
// where the batch left it; everything else is named as a problem and left
// alone, so a journal that no longer fits the folder is never followed
// blindly. A finished batch lists only files that moved: one of them found
// under its old name while the name the batch gave it still holds a file
// came back only if that file is another of the batch back home; otherwise
// a new file took the old name, and it is named as a problem.
#pragma once
#include "journal.h"

#include <cstdint>
#include <string>
#include <vector>

struct RollbackMove {
    std::string from;
    std::string to;
};

struct RollbackPlan {
    std::vector<RollbackMove> moves;     // in this order
    std::vector<std::string> problems;   // files left as they are: old name and, in brackets, why
    int moved = 0;                       // files the moves put back
};

// `listing` holds every name in the folder, files and folders, as stored.
RollbackPlan PlanRollback(const Journal& journal, const std::vector<std::string>& listing);

// Two file times (100 ns units) that a volume keeps as one.
bool SameFileTime(uint64_t a, uint64_t b);
