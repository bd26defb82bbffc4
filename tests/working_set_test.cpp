// The working set: order, removal and the proposal index.
#include "engine/collation.h"
#include "engine/list_order.h"
#include "engine/text_arena.h"
#include "engine/transforms.h"
#include "engine/working_set.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {
using Names = std::vector<std::string>;

Names Sorted(Names names)
{
    std::shuffle(names.begin(), names.end(), std::mt19937(7));
    WorkingSet set = SetOf(names);
    SortShown(set);
    return CurrentNames(set);
}

} // namespace

// The order of ASCII names is the platform's in every build: punctuation
// before digits before letters, case ignored, hyphens weighed last, numbers
// by their value.
TEST(WorkingSet, SortsAsciiNamesLikeThePlatform)
{
    const Names order = {" x", "!x", "(x", ".x", "@x", "_x", "~x", "+x", "=x", "1", "2", "10", "A b", "a_b",
                         "ab", "a-b", "a'c", "Arger", "coop", "co-op", "File1", "file9", "file10", "zebra"};
    for (unsigned seed = 1; seed <= 3; ++seed) {
        Names shuffled = order;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(seed));
        WorkingSet set = SetOf(shuffled);
        SortShown(set);
        EXPECT_EQ(order, CurrentNames(set)) << "seed " << seed;
    }
    EXPECT_EQ(CollationKey("READ.me"), CollationKey("read.ME"));
    EXPECT_NE(CollationKey("coop"), CollationKey("co-op"));
    EXPECT_NE(CollationKey("co-op"), CollationKey("co'op"));
}

TEST(WorkingSet, NameOrderReadsNumbersByTheirValue)
{
    const Names orders[] = {
        {"Track 1.mp3", "Track 2.mp3", "Track 10.mp3"},
        {"1a", "2a", "10a", "a"},
        {"a", "a.txt", "a0", "a00", "a001", "a01", "a1", "a2", "ab"}, // leading zeros break ties
        {"x9", "x99999999999999999999999", "x100000000000000000000000"},
        {"README", "readme", "ReadMe2"}, // names equal but for case keep one order
        {"\x93\xFA" "2", "\x93\xFA" "10"}, // a double-byte character before the digits
    };
    for (const Names& order : orders)
        EXPECT_EQ(order, Sorted(order));
}

// A folder's sort reads only a part of each key where it can; it must give
// the order of the whole keys, wherever and however late the names part.
TEST(WorkingSet, NameOrderIsTheOrderOfWholeKeys)
{
    std::mt19937 random(5);
    const char* pieces[] = {"Photo ", "photo", "0", "7", "10", " from", "-", "a", "A", ".jpg", "~"};
    for (int round = 0; round < 40; ++round) {
        Names names;
        const std::string shared = round % 2 ? "IMG_2024 holiday " : "";
        for (int i = 0; i < 30; ++i) {
            std::string name = shared;
            for (unsigned k = random() % 9; k-- != 0;)
                name += pieces[random() % 11];
            names.push_back(name + std::to_string(i % 4));
        }
        NameKeys keys;
        Names expected = names;
        std::sort(expected.begin(), expected.end(), [&](const std::string& a, const std::string& b) {
            return NameBefore(a, keys.KeyOf(a), b, keys.KeyOf(b));
        });
        EXPECT_EQ(expected, Sorted(names)) << "round " << round;
    }
}

// Date and size orders fall back on the name order; the index numbers and
// the marks of shortened names that meet follow the order shown.
TEST(WorkingSet, OtherOrdersAndTheNumberingFollowThem)
{
    struct Case {
        SortOrder order;
        Names names;
        Names shortened;
    };
    const Case cases[] = {
        {{ListOrder::Name, false}, {"a2.jpg", "a10.jpg", "b.jpg", "c.jpg"}, {"a.jpg", "a~1.jpg", "b.jpg", "c.jpg"}},
        {{ListOrder::Name, true}, {"c.jpg", "b.jpg", "a10.jpg", "a2.jpg"}, {"c.jpg", "b.jpg", "a.jpg", "a~1.jpg"}},
        {{ListOrder::Modified, false}, {"a10.jpg", "c.jpg", "a2.jpg", "b.jpg"}, {"a.jpg", "c.jpg", "a~1.jpg", "b.jpg"}},
        {{ListOrder::Modified, true}, {"b.jpg", "a2.jpg", "c.jpg", "a10.jpg"}, {"b.jpg", "a.jpg", "c.jpg", "a~1.jpg"}},
        {{ListOrder::Size, false}, {"b.jpg", "a2.jpg", "c.jpg", "a10.jpg"}, {"b.jpg", "a.jpg", "c.jpg", "a~1.jpg"}},
        {{ListOrder::Size, true}, {"a10.jpg", "c.jpg", "a2.jpg", "b.jpg"}, {"a.jpg", "c.jpg", "a~1.jpg", "b.jpg"}},
    };
    for (const Case& c : cases) {
        WorkingSet set;
        for (const FoundFile& file : {FoundFile{"b.jpg", 0, 10, 300}, FoundFile{"a10.jpg", 0, 30, 100},
                                      FoundFile{"c.jpg", 0, 20, 200}, FoundFile{"a2.jpg", 0, 20, 300}})
            set.AppendFile(file);
        set.SetOrder(c.order);
        SortShown(set);
        EXPECT_EQ(c.names, CurrentNames(set));
        IndexOptions options;
        options.position = TextPosition::Prefix;
        options.startWithOne = true;
        IndexNames(set, options);
        for (int i = 0; i < set.Count(); ++i)
            EXPECT_EQ(std::to_string(i + 1) + c.names[static_cast<size_t>(i)], set.Entry(i).newName);
        Shorten(set, 1);
        EXPECT_EQ(c.shortened, NewNames(set));
    }
}

TEST(WorkingSet, SortingCarriesProposalsWithTheirNames)
{
    WorkingSet set = SetOf({"b", "a"});
    set.SetNewName(0, "B");
    set.SetTempName(0, "tb");
    SortShown(set);
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
    // Under Western, the platform counts a soft hyphen for nothing and a
    // sharp s as "ss": texts beyond ASCII equal to ASCII ones.
    const char* pool[] = {"a.txt", "A.TXT", "b.txt", "", "c", "C", "\xE4.txt", "\xC4.TXT", "x~1.t", ("\xAD" "a.txt"),
                          "SS", "\xDF"};
    WorkingSet set;
    const auto fill = [&set] {
        for (int i = 0; i < 60; ++i)
            set.Append("fresh" + std::to_string(i));
    };
    fill();
    for (int step = 0; step < 3000; ++step) {
        const int action = static_cast<int>(random() % 12);
        if (action == 10) {
            set.RemoveByName(set.Entry(static_cast<int>(random() % static_cast<unsigned>(set.Count()))).name);
        } else if (action == 11) {
            SortShown(set);
        } else if (action < 6) {
            set.SetNewName(static_cast<int>(random() % static_cast<unsigned>(set.Count())), pool[random() % 12]);
        } else if (action < 8) {
            set.Append(std::to_string(step), pool[random() % 12]);
        } else if (action == 8 && random() % 8 == 0) {
            set.Clear();
            fill();
        } else if (action == 9 && random() % 4 == 0) {
            // So many changes at once that the index links every entry anew.
            for (int i = 0; i < set.Count(); ++i)
                set.SetNewName(i, pool[random() % 12]);
        } else {
            const std::string probe = pool[random() % 12];
            bool expected = false;
            for (int i = 0; i < set.Count(); ++i)
                expected = expected || CollationKey(set.Entry(i).newName) == CollationKey(probe);
            ASSERT_EQ(expected, set.IsProposedName(probe)) << "step " << step << " probe " << probe;
        }
    }
}

// The index that counts ASCII texts as they are gives every transform the
// same proposals and "~k" marks as the one that asks the platform of each.
TEST(WorkingSet, FoldingIndexAnswersAsTheCollationOne)
{
    std::mt19937 random(5);
    const Names pieces = {"a", "B", "ab", "AB", "-", "~1", " ", ".txt", ".TXT", "x", "1", "ss",
                          Western("\xE4"), Western("\xC4"), Western("\xDF")};
    const auto transformed = [](WorkingSet& set) {
        Names proposals;
        // Uppercase asks nothing: the index is dropped and made again.
        for (int maxLength : {3, 1, 2}) {
            Shorten(set, maxLength);
            RemoveText(set, "b");
            const Names now = NewNames(set);
            proposals.insert(proposals.end(), now.begin(), now.end());
            MakeUpper(set);
        }
        return proposals;
    };
    for (int round = 0; round < 60; ++round) {
        WorkingSet folding;
        WorkingSet collation(NameIndex::CollationOnly);
        // Every other round names are plain ASCII: the folding index serves throughout.
        const size_t choices = round % 2 == 0 ? pieces.size() - 3 : pieces.size();
        for (int n = 0; n < 12; ++n) {
            std::string name;
            for (unsigned k = 0, count = 1 + random() % 4; k < count; ++k)
                name += pieces[random() % choices];
            folding.Append(name + std::to_string(n));
            collation.Append(name + std::to_string(n));
        }
        EXPECT_EQ(transformed(collation), transformed(folding)) << "round " << round;
    }
}

// Texts that end a block exactly, that open one, that fill one whole and
// that outgrow one come back whole, each followed by its NUL.
TEST(TextArena, KeepsTextsWholeAtTheEdgesOfItsBlocks)
{
    constexpr size_t block = TextArena::kBlockSize;
    const size_t lengths[] = {1, block - 3, 0, block - 1, block + 4464, 4};
    TextArena arena;
    std::vector<std::pair<TextArena::Handle, std::string>> held;
    char fill = 'a';
    for (size_t length : lengths) {
        const std::string text(length, fill++);
        held.emplace_back(arena.Add(text, text.size() + 1), text);
    }
    for (const auto& [handle, text] : held)
        EXPECT_EQ(text, std::string(arena.At(handle))) << "a text of " << text.size() << " bytes";
}

// Proposals written over, grown, dropped and taken from other entries, until
// the dead texts are reclaimed again and again: every entry keeps its own,
// the index answers for them, and a copy of the set holds them too. The
// first name is as long as a name can be: 255 characters of three bytes.
TEST(WorkingSet, ProposalsOutliveTheReclaimOfDeadTexts)
{
    std::mt19937 random(3);
    constexpr int kEntries = 3000;
    const std::string longest(765, 'n');
    WorkingSet set;
    Names expected(kEntries);
    for (int i = 0; i < kEntries; ++i)
        set.Append(i == 0 ? longest : "f" + std::to_string(i));
    for (int round = 0; round < 40; ++round) {
        for (int i = 1; i < kEntries; ++i) {
            const unsigned roll = random() % 8;
            if (roll == 0) {
                set.SetNewName(i, set.Entry(i - 1).newName);
                expected[static_cast<size_t>(i)] = expected[static_cast<size_t>(i - 1)];
            } else if (roll == 1 && !expected[static_cast<size_t>(i)].empty()) {
                set.SetNewName(i, set.Entry(i).newName.substr(1)); // a part of its own text
                expected[static_cast<size_t>(i)].erase(0, 1);
            } else if (roll < 6) {
                const std::string text = roll == 2 ? "" : std::to_string(round) + std::string(random() % 60, 'p');
                set.SetNewName(i, text);
                expected[static_cast<size_t>(i)] = text;
            }
        }
        ASSERT_EQ(expected, NewNames(set)) << "round " << round;
        ASSERT_TRUE(set.IsProposedName(expected[static_cast<size_t>(1 + random() % (kEntries - 1))]));
    }
    const WorkingSet copy = set;
    set.Clear();
    EXPECT_EQ(expected, NewNames(copy));
    EXPECT_EQ(longest, copy.Entry(0).name);
}
