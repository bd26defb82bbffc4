// Layer: pure core (no <windows.h>, built natively too).
// Which order the list shows the files in. Pure code.
#pragma once

enum class ListOrder { Name, Modified, Size };

struct SortOrder {
    ListOrder by = ListOrder::Name;
    bool reversed = false;
};

inline bool operator==(const SortOrder& a, const SortOrder& b)
{
    return a.by == b.by && a.reversed == b.reversed;
}
