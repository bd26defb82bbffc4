// Layer: pure core (no <windows.h>, built natively too).
// The orders the list can show the files in: by name as people read numbers
// in names ("Track 2" before "Track 10"), by date modified or by size, each
// ascending or reversed. The index action numbers the files in this order.
// Pure code.
#pragma once
#include "sort_order.h"
#include "working_set.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A click on the header of the column that shows `column`: the order in force
// turns round, another one starts ascending.
SortOrder ClickedOrder(SortOrder current, ListOrder column);

// Keys whose byte order is the name order: each character weighs what the
// platform's case-insensitive collation gives it alone, and a run of digits
// weighs as its value, so leading zeros do not count and a run may be of any
// length. Hyphens and apostrophes weigh nothing, as in the platform's word
// order. The weight of each character is asked of the platform once.
class NameKeys {
public:
    NameKeys();
    std::string KeyOf(const std::string& name);
    // Appends the name's key to `keys`, the keys of many names in one block;
    // or as much of it as brings `keys` to `limit` bytes or just past.
    void AppendKey(std::string_view name, std::string& keys, size_t limit = std::string::npos);

private:
    // An ASCII character's weight, when it fits in eight bytes (it takes
    // one or two); the others are looked up as characters beyond ASCII are.
    struct Weight {
        char bytes[8] = {};
        uint8_t length = 0;
        bool fits = false;
    };

    // A character beyond ASCII lately weighed: a folder's names use few of
    // them, over and over.
    struct Recent {
        uint32_t character = 0;
        Weight weight;
    };

    void AppendOther(std::string_view name, size_t& at, std::string& keys);
    void AppendNumber(std::string_view name, size_t& at, std::string& keys) const;
    void AppendAscii(std::string_view name, size_t& at, std::string& keys, size_t limit) const;

    Weight ascii_[128];
    size_t longestAscii_ = 0;
    std::string digitMark_;
    std::unordered_map<uint32_t, std::string> others_;
    Recent recent_[256];
};

// True when `a` comes before `b` in name order: by their name keys, then by
// the platform's collation, then byte for byte, so that no two different
// names tie and the order is the same at every scan.
bool NameBefore(const std::string& a, std::string_view aKey, const std::string& b, std::string_view bKey);

// The entries' positions in the order asked for; entries off the list come
// last, in the order they stood.
std::vector<uint32_t> SortedPositions(const WorkingSet& set, SortOrder order);

// Puts the entries in the set's own order. A set holding lines of text
// instead of files stays as it is.
void SortShown(WorkingSet& set);
// Makes `order` the set's order and puts the entries in it; a set already in
// the same order reversed is only turned round.
void ChangeOrder(WorkingSet& set, SortOrder order);
