// Which moves put the files of a renaming batch back under their old names,
// worked out from the batch's journal and a listing of the folder as the
// disk has it now. Pure code. A file is moved only when the disk shows it
// where the batch left it; everything else is named as a problem and left
// alone, so a journal that no longer fits the folder is never followed
// blindly.
#pragma once
#include "journal.h"

#include <string>
#include <vector>

struct RollbackMove {
    std::string from;
    std::string to;
};

struct RollbackPlan {
    std::vector<RollbackMove> moves;     // in this order
    std::vector<std::string> problems;   // old names of files left as they are
    int moved = 0;                       // files found away from their old names
};

// `listing` holds every name in the folder, files and folders, as stored.
RollbackPlan PlanRollback(const Journal& journal, const std::vector<std::string>& listing);
