// The platform's collation itself, with the letters above ASCII that only
// the real one orders and matches as the platform does.
#include "engine/collation.h"
#include "engine/list_order.h"
#include "engine/wide_text.h"
#include "engine/working_set.h"
#include "test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {
using Names = std::vector<std::string>;
} // namespace

TEST(WorkingSet, SortsInThePlatformCollation)
{
    const Names order = {"_x", "~y", "1", "2", "10", "A b", "a_b", "ab", "a-b", "Arger", Western("\xC4rger"),
                         "coop", "co-op", "File1", "file9", "file10", "zebra"};
    Names shuffled = order;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
    WorkingSet set = SetOf(shuffled);
    SortShown(set);
    EXPECT_EQ(order, CurrentNames(set));
}

// Sorting and the proposal index rest on collation keys answering exactly as
// lstrcmpiA does, for order and for equality.
TEST(Collation, KeysAgreeWithThePlatformComparison)
{
    const Names names = {"a.txt", "A.TXT", "co-op", "coop", Western("stra\xDF" "e"), "STRASSE", Western("\xE6on"), "aeon",
                         Western("\xC4rger"), Western("\xE4rger"), "Arger", "file10", "File9", "", " ", "_", "~", "a b", "ab"};
    for (const std::string& a : names) {
        for (const std::string& b : names) {
            const int platform = lstrcmpiA(a.c_str(), b.c_str());
            const int keys = CollationKey(a).compare(CollationKey(b));
            EXPECT_EQ(platform == 0, keys == 0) << "[" << a << "] [" << b << "]";
            EXPECT_EQ(platform < 0, keys < 0) << "[" << a << "] [" << b << "]";
        }
    }
}

// The name order's own rule gives what the system's number-aware comparison
// gives, wherever the system tells the names apart.
TEST(Collation, NameOrderAgreesWithTheSystemsNumberOrder)
{
    const Names names = {"Track 1", "track 2", "Track 10", "IMG_9.jpg", "IMG_10.jpg", "a.txt", "a1.txt", "ab", "a b",
                         "coop", "co-op2", Western("\xC4rger"), "Arger", "x1y10", "x1y2", "1a", "10a", "file 10"};
    NameKeys keys;
    for (const std::string& a : names) {
        for (const std::string& b : names) {
            const int system = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE | SORT_DIGITSASNUMBERS,
                                               Widened(a).c_str(), -1, Widened(b).c_str(), -1, nullptr, nullptr, 0);
            if (system != CSTR_EQUAL) {
                EXPECT_EQ(system == CSTR_LESS_THAN, NameBefore(a, keys.KeyOf(a), b, keys.KeyOf(b)))
                    << "[" << a << "] [" << b << "]";
            }
        }
    }
}

TEST(WorkingSet, ProposedNamesCompareLikeThePlatform)
{
    WorkingSet set = SetOf({"one", "two", "three"});
    set.SetNewName(0, "Photo.JPG");
    set.SetNewName(1, Western("stra\xDF" "e"));
    set.SetNewName(2, "co-op");
    set.RemoveByName("one");
    struct Case { const char* text; bool proposed; };
    const Case cases[] = {
        {"photo.jpg", true},   // case never matters
        {"PHOTO.JPG", true},   // an entry off the list still counts
        {"STRASSE", true},     // the platform takes sharp s for ss
        {"coop", false},
        {"Photo.JP", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.proposed, set.IsProposedName(c.text)) << c.text;
    set.Append("four");
    EXPECT_TRUE(set.IsProposedName("")) << "a new entry proposes nothing, and so matches the empty text";
}
