// The working set: order, removal and the proposal index.
#include "engine/collation.h"
#include "engine/working_set.h"
#include "test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {
using Names = std::vector<std::string>;

Names CurrentNames(const WorkingSet& set)
{
    Names names;
    for (int i = 0; i < set.Count(); ++i)
        names.push_back(set.Entry(i).name);
    return names;
}
} // namespace

TEST(WorkingSet, SortsInThePlatformCollation)
{
    const Names order = {"_x", "~y", "1", "10", "2", "A b", "a_b", "ab", "a-b", "Arger", "\xC4rger",
                         "coop", "co-op", "File1", "file10", "file9", "zebra"};
    Names shuffled = order;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
    WorkingSet set = SetOf(shuffled);
    set.SortByName();
    EXPECT_EQ(order, CurrentNames(set));
}

// Sorting and the proposal index rest on collation keys answering exactly as
// lstrcmpiA does, for order and for equality.
TEST(Collation, KeysAgreeWithThePlatformComparison)
{
    const Names names = {"a.txt", "A.TXT", "co-op", "coop", "stra\xDF" "e", "STRASSE", "\xE6on", "aeon",
                         "\xC4rger", "\xE4rger", "Arger", "file10", "File9", "", " ", "_", "~", "a b", "ab"};
    for (const std::string& a : names) {
        for (const std::string& b : names) {
            const int platform = lstrcmpiA(a.c_str(), b.c_str());
            const int keys = CollationKey(a).compare(CollationKey(b));
            EXPECT_EQ(platform == 0, keys == 0) << "[" << a << "] [" << b << "]";
            EXPECT_EQ(platform < 0, keys < 0) << "[" << a << "] [" << b << "]";
        }
    }
}

TEST(WorkingSet, SortingCarriesProposalsWithTheirNames)
{
    WorkingSet set = SetOf({"b", "a"});
    set.SetNewName(0, "B");
    set.SetTempName(0, "tb");
    set.SortByName();
    EXPECT_EQ("a", set.Entry(0).name);
    EXPECT_EQ("B", set.Entry(1).newName);
    EXPECT_EQ("tb", set.Entry(1).tempName);
}

TEST(WorkingSet, RemovalMatchesTheExactBytesOfTheFirstEntry)
{
    WorkingSet set = SetOf({"Strasse.txt", "Stra\xDF" "e.txt", "a.txt", "A.TXT"});
    EXPECT_TRUE(set.RemoveByName("Stra\xDF" "e.txt"));
    EXPECT_TRUE(set.RemoveByName("A.TXT"));
    EXPECT_FALSE(set.RemoveByName("missing"));
    EXPECT_EQ((Names{"Strasse.txt", "", "a.txt", ""}), CurrentNames(set));
    EXPECT_EQ(4, set.Count());
    EXPECT_FALSE(set.IsListed(1));
}

TEST(WorkingSet, ProposedNamesCompareLikeThePlatform)
{
    WorkingSet set = SetOf({"one", "two", "three"});
    set.SetNewName(0, "Photo.JPG");
    set.SetNewName(1, "stra\xDF" "e");
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

// The index must answer as a walk over every entry would, however proposals
// and entries come and go between questions.
TEST(WorkingSet, ProposalIndexFollowsEveryChange)
{
    std::mt19937 random(11);
    const char* pool[] = {"a.txt", "A.TXT", "b.txt", "", "c", "C", "\xE4.txt", "\xC4.TXT", "x~1.t"};
    WorkingSet set = SetOf({"1", "2", "3", "4", "5"});
    for (int step = 0; step < 400; ++step) {
        const int action = static_cast<int>(random() % 10);
        if (action < 6) {
            set.SetNewName(static_cast<int>(random() % static_cast<unsigned>(set.Count())), pool[random() % 9]);
        } else if (action < 8) {
            set.Append(std::to_string(step), pool[random() % 9]);
        } else if (action == 8 && random() % 8 == 0) {
            set.Clear();
            set.Append("fresh");
        } else {
            const std::string probe = pool[random() % 9];
            bool expected = false;
            for (int i = 0; i < set.Count(); ++i)
                expected = expected || CollationKey(set.Entry(i).newName) == CollationKey(probe);
            ASSERT_EQ(expected, set.IsProposedName(probe)) << "step " << step << " probe " << probe;
        }
    }
}
