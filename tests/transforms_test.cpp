// The proposals each rename action computes.
#include "engine/characters.h"
#include "engine/collation.h"
#include "engine/name_pieces.h"
#include "engine/transforms.h"
#include "case_rows.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Names = std::vector<std::string>;

const std::string kLong259 = std::string(255, 'n') + ".txt";
const std::string kLong259NoDot = std::string(259, 'n');

} // namespace

TEST(CaseTransforms, OnlyAsciiLettersChange)
{
    ExpectCaseRows({
        {"Photo.JPG", "PHOTO.JPG", "photo.jpg"},
        {"\xC4" "BC.TXT", "\xC4" "BC.TXT", "\xC4" "bc.txt"},
        {"stra\xDF" "e.doc", "STRA\xDF" "E.DOC", "stra\xDF" "e.doc"},
        {".bashrc", ".BASHRC", ".bashrc"},
        {"README", "README", "readme"},
        {kLong259, std::string(255, 'N') + ".TXT", kLong259},
    });
}

TEST(PrefixOrAppend, TextGoesBeforeTheNameOrBeforeTheExtension)
{
    struct Case { std::string name; std::string text; TextPosition position; std::string result; };
    const Case cases[] = {
        {"01.mp3", "CD3-", TextPosition::Prefix, "CD3-01.mp3"},
        {"02.mp3", " Beatles", TextPosition::Append, "02 Beatles.mp3"},
        {"README", "_old", TextPosition::Append, "README_old."},
        {".profile", "_x", TextPosition::Append, "_x.profile"},
        {"a.b.c", "-1", TextPosition::Append, "a.b-1.c"},
        {"\xC4rger.txt", "\xE9", TextPosition::Prefix, "\xE9\xC4rger.txt"},
        {kLong259, std::string(40, 'p'), TextPosition::Prefix, (std::string(40, 'p') + kLong259).substr(0, 260)},
        {kLong259NoDot, std::string(40, 'a'), TextPosition::Append, kLong259NoDot + std::string(40, 'a') + "."},
    };
    for (const Case& c : cases) {
        WorkingSet set = SetOf({c.name});
        PrefixOrAppend(set, c.text, c.position);
        EXPECT_EQ(c.result, set.Entry(0).newName) << c.name;
    }
}

TEST(PrefixOrAppend, EntriesOffTheListKeepTheirProposal)
{
    WorkingSet set = SetOf({"a.txt", "b.txt"});
    MakeUpper(set);
    set.RemoveByName("a.txt");
    PrefixOrAppend(set, "x", TextPosition::Prefix);
    EXPECT_EQ((Names{"A.TXT", "xb.txt"}), NewNames(set));
}

TEST(Shorten, CutsTheBaseAndKeepsTheExtension)
{
    struct Case { std::string name; int length; std::string result; };
    const Case cases[] = {
        {"abcdefgh.txt", 10, "abcdefgh.txt"},
        {"abcdefgh.txt", 5, "abcde.txt"},
        {"my.long.file.txt", 6, "my.txt"},
        {"short.txt", 250, "short.txt"},
        {"README", 3, "REA."},
        {".profile", 3, ".profile"},
        {kLong259, 250, std::string(250, 'n') + ".txt"},
    };
    for (const Case& c : cases) {
        WorkingSet set = SetOf({c.name});
        Shorten(set, c.length);
        EXPECT_EQ(c.result, set.Entry(0).newName) << c.name << " to " << c.length;
    }
}

TEST(Shorten, NumbersNamesThatMeetAnotherProposal)
{
    WorkingSet set = SetOf({"holiday.jpg", "holiday2.jpg", "Holiday3.JPG", "README", "READMEtoo"});
    Shorten(set, 5);
    EXPECT_EQ((Names{"holid.jpg", "holid~1.jpg", "Holid~2.JPG", "READM.", "READM~1."}), NewNames(set));
}

TEST(Shorten, ASecondRunMeetsItsOwnProposals)
{
    WorkingSet one = SetOf({"holiday.jpg"});
    Shorten(one, 5);
    Shorten(one, 5);
    EXPECT_EQ((Names{"holid~1.jpg"}), NewNames(one));

    // The first entry moves on to ~2, which frees the plain name for the second.
    WorkingSet two = SetOf({"holiday.jpg", "holiday2.jpg"});
    Shorten(two, 5);
    Shorten(two, 5);
    EXPECT_EQ((Names{"holid~2.jpg", "holid.jpg"}), NewNames(two));
}

// The Shorten rule written the plain way: count from 1 for every name, and
// ask every entry whether it proposes the candidate.
Names ShortenTheLongWay(WorkingSet set, int length)
{
    auto proposed = [&set](const std::string& text) {
        const std::string key = CollationKey(text);
        for (int i = 0; i < set.Count(); ++i)
            if (CollationKey(set.Entry(i).newName) == key)
                return true;
        return false;
    };
    for (int i = 0; i < set.Count(); ++i) {
        if (!set.IsListed(i))
            continue;
        const std::string& name = set.Entry(i).name;
        std::string work = StripExtension(LeadingCharacters(name, static_cast<size_t>(length)));
        const std::string extension = FindExtension(name);
        if (extension.empty() || extension[0] != '.')
            work += '.';
        work += extension;
        std::string candidate = work;
        for (int k = 1; proposed(candidate); ++k)
            candidate = StripExtension(work) + "~" + std::to_string(k) + FindExtension(work);
        set.SetNewName(i, candidate);
    }
    return NewNames(set);
}

TEST(Shorten, AgreesWithThePlainRuleOverRepeatedRuns)
{
    std::mt19937 random(7);
    // Two stems beyond ASCII, one the other's capital, are counted by their
    // collation keys.
    const char* stems[] = {"abc", "ABC", "abcd", "ab", "abc~1", "abc~2", "abc~10", "\xC3\x84" "bc", "\xC3\xA4" "bc"};
    const char* extensions[] = {".txt", ".TXT", ".jpg", "", ".t"};
    for (int round = 0; round < 20; ++round) {
        WorkingSet set;
        const int files = 3 + static_cast<int>(random() % 25);
        for (int f = 0; f < files; ++f)
            set.Append(std::string(stems[random() % 9]) + std::to_string(random() % 3) + extensions[random() % 5]);
        if (random() % 2)
            set.RemoveByName(set.Entry(0).name);
        for (int run = 0; run < 3; ++run) {
            const int length = 2 + static_cast<int>(random() % 5);
            const Names expected = ShortenTheLongWay(set, length);
            Shorten(set, length);
            ASSERT_EQ(expected, NewNames(set)) << "round " << round << " run " << run;
        }
    }
}

TEST(RemoveText, RemovesTheFirstMatchFromTheBaseName)
{
    struct Case { std::string name; std::string text; std::string result; };
    const Case cases[] = {
        {"Copy of Report.doc", "copy of ", "Report.doc"},
        {"notes.txt", "copy", "notes.txt"},
        {"abc.txt", "abc", "abc.txt"},
        {"abcabc.txt", "ABC", "abc.txt"},
        {"a.txt.txt", "txt", "a..txt"},
        {"photo.jpg", "jpg", "photo.jpg"},
        {"README", "ME", "READ."},
        {"README", "E.", "READM"},
        {"\xC4rger.txt", "\xE4", "\xC4rger.txt"},
        {"\xC4rger.txt", "RG", "\xC4" "er.txt"},
    };
    for (const Case& c : cases) {
        WorkingSet set = SetOf({c.name});
        RemoveText(set, c.text);
        EXPECT_EQ(c.result, set.Entry(0).newName) << c.name << " - " << c.text;
    }
}

TEST(RemoveText, AResultAnotherEntryProposesKeepsTheName)
{
    WorkingSet set = SetOf({"x-report.doc", "y-report.doc"});
    RemoveText(set, "x-");
    EXPECT_EQ("report.doc", set.Entry(0).newName);
    RemoveText(set, "y-");
    // The first entry's proposal from this run is now "x-report.doc"; the
    // second would meet the first's old "report.doc", which is gone.
    EXPECT_EQ((Names{"x-report.doc", "report.doc"}), NewNames(set));

    WorkingSet taken = SetOf({"b.txt", "ab.txt"});
    RemoveText(taken, "a");
    EXPECT_EQ((Names{"b.txt", "ab.txt"}), NewNames(taken));

    WorkingSet own = SetOf({"xa.txt"});
    own.SetNewName(0, "A.TXT");
    RemoveText(own, "x");
    EXPECT_EQ("xa.txt", own.Entry(0).newName) << "the entry's own old proposal counts";
}

TEST(IndexNames, NumbersAreAsWideAsTheCount)
{
    Names twelve;
    for (int i = 0; i < 12; ++i)
        twelve.push_back("pic" + std::string(1, static_cast<char>('a' + i)) + ".jpg");
    WorkingSet set = SetOf(twelve);
    IndexOptions options;
    options.useNewName = true;
    options.newName = "file";
    options.startWithOne = true;
    IndexNames(set, options);
    EXPECT_EQ("file01.jpg", set.Entry(0).newName);
    EXPECT_EQ("file12.jpg", set.Entry(11).newName);
    EXPECT_EQ("`]000007.jpg", set.Entry(7).tempName);

    WorkingSet nine = SetOf(Names(twelve.begin(), twelve.begin() + 9));
    IndexNames(nine, options);
    EXPECT_EQ("file1.jpg", nine.Entry(0).newName);
    EXPECT_EQ("file9.jpg", nine.Entry(8).newName);
}

TEST(IndexNames, PositionsAndNameSources)
{
    struct Case { TextPosition position; bool useNewName; bool startWithOne; Names result; };
    const Case cases[] = {
        {TextPosition::Prefix, false, false, {"0a.txt", "", "1README", "2.profile"}},
        {TextPosition::Append, false, true, {"a1.txt", "", "README2", "3.profile"}},
        {TextPosition::Prefix, true, false, {"0x.txt", "", "1x", "2x.profile"}},
    };
    for (const Case& c : cases) {
        WorkingSet set = SetOf({"a.txt", "b.txt", "README", ".profile"});
        set.RemoveByName("b.txt");
        IndexOptions options;
        options.position = c.position;
        options.useNewName = c.useNewName;
        options.newName = "x";
        options.startWithOne = c.startWithOne;
        IndexNames(set, options);
        EXPECT_EQ(c.result, NewNames(set));
        EXPECT_EQ("`]000001", set.Entry(2).tempName) << "listed entries only are counted";
        EXPECT_EQ("`]000002.profile", set.Entry(3).tempName);
    }
}

TEST(Extensions, TypedTextIsCleanedAndChecked)
{
    struct Case { const char* typed; const char* clean; bool illegal; };
    const Case cases[] = {
        {"jpg", "jpg", false},
        {"*.jpg", "jpg", false},
        {".JPG", "JPG", false},
        {" \t.txt \t", "txt", false},
        {"tar.gz", "gz", false},
        {"", "", false},
        {"j?g", "j?g", true},
        {"a/b", "a/b", true},
        {"x:y", "x:y", true},
        {"<p>", "<p>", true},
        {"\\..\\x", "\\x", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.clean, CleanExtension(c.typed)) << c.typed;
        EXPECT_EQ(c.illegal, HasIllegalExtensionCharacter(CleanExtension(c.typed))) << c.typed;
    }
}

TEST(Extensions, EveryListedFileTakesTheNewExtension)
{
    WorkingSet set = SetOf({"a.gif", "README", "x.tar.gz"});
    ProposeExtension(set, "JPG");
    EXPECT_EQ((Names{"a.JPG", "README.JPG", "x.tar.JPG"}), NewNames(set));
    ProposeExtension(set, "");
    EXPECT_EQ((Names{"a.", "README.", "x.tar."}), NewNames(set));
}
