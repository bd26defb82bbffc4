// The working set: order, removal and the proposal index.
#include "engine/collation.h"
#include "engine/working_set.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {
using Names = std::vector<std::string>;
} // namespace

// The order of ASCII names is the platform's in every build: punctuation
// before digits before letters, case ignored, hyphens weighed last.
TEST(WorkingSet, SortsAsciiNamesLikeThePlatform)
{
    const Names order = {" x", "!x", "(x", ".x", "@x", "_x", "~x", "+x", "=x", "1", "10", "2", "A b", "a_b",
                         "ab", "a-b", "a'c", "Arger", "coop", "co-op", "File1", "file10", "file9", "zebra"};
    for (unsigned seed = 1; seed <= 3; ++seed) {
        Names shuffled = order;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(seed));
        WorkingSet set = SetOf(shuffled);
        set.SortByName();
        EXPECT_EQ(order, CurrentNames(set)) << "seed " << seed;
    }
    EXPECT_EQ(CollationKey("READ.me"), CollationKey("read.ME"));
    EXPECT_NE(CollationKey("coop"), CollationKey("co-op"));
    EXPECT_NE(CollationKey("co-op"), CollationKey("co'op"));
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
