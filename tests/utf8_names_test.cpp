// Names in every script while the program speaks UTF-8 (the test program with
// the manifest, or the native build with QUILLET_CODE_PAGE=utf-8): characters
// are whole UTF-8 sequences, letters of every script change case.
#include "app/settings_file.h"
#include "engine/characters.h"
#include "engine/code_page.h"
#include "engine/journal.h"
#include "engine/list_order.h"
#include "engine/name_pieces.h"
#include "engine/transforms.h"
#include "case_rows.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

class Utf8Names : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (ActiveCodePage() != CodePageKind::Utf8)
            GTEST_SKIP() << "runs where the program speaks UTF-8";
    }
};

std::string Repeated(const std::string& piece, size_t times)
{
    std::string text;
    for (size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

// Malformed bytes count one each: a lead byte without its continuation, an
// overlong form, a surrogate, a code point past U+10FFFF.
TEST_F(Utf8Names, CharactersAreWholeSequences)
{
    struct Case { std::string text; std::vector<size_t> lengths; size_t units; };
    const Case cases[] = {
        {"a\xC3\xA9", {1, 2}, 2},
        {"日本", {3, 3}, 2},
        {"😀x", {4, 1}, 3},
        {"e\xCC\x81", {1, 2}, 2},
        {"\xE6\x97", {1, 1}, 2},
        {"\xC0\x80\xED\xA0\x80", {1, 1, 1, 1, 1}, 5},
        {"\xF4\x90\x80\x80", {1, 1, 1, 1}, 4},
    };
    for (const Case& c : cases) {
        std::vector<size_t> lengths;
        for (size_t at = 0; at < c.text.size(); at += lengths.back())
            lengths.push_back(CharacterLength(c.text, at));
        EXPECT_EQ(c.lengths, lengths) << c.text;
        EXPECT_EQ(c.units, SystemLength(c.text)) << c.text;
    }
    EXPECT_EQ("😀", CutToSystemLength("😀😀", 3));
}

TEST_F(Utf8Names, NameOrderFoldsEveryScriptAndReadsNumbers)
{
    const std::vector<std::string> order = {"Фото 2.jpg", "фото 3.jpg", "Фото 10.jpg", "写真9", "写真10"};
    WorkingSet set = SetOf({order[4], order[2], order[0], order[3], order[1]});
    SortShown(set);
    EXPECT_EQ(order, CurrentNames(set));
}

TEST_F(Utf8Names, CaseChangesLettersOfEveryScript)
{
    ExpectCaseRows({
        {"élan.txt", "ÉLAN.TXT", "élan.txt"},
        {"Привет.doc", "ПРИВЕТ.DOC", "привет.doc"},
        {"Ωμέγα", "ΩΜΈΓΑ", "ωμέγα"},
        {"日本語😀.Txt", "日本語😀.TXT", "日本語😀.txt"},
        {"\xC8\xBA" "b", "\xC8\xBA" "B", "\xE2\xB1\xA5" "b"},  // Ⱥ's small letter takes a byte more
        {"in\xFF" "a", "IN\xFF" "A", "in\xFF" "a"},            // a malformed byte stays
        {"Istanbul é", "ISTANBUL É", "istanbul é"},            // no dotted or dotless i
    });
}

TEST_F(Utf8Names, ShortenAndRemoveTextSeeWholeCharacters)
{
    WorkingSet shortened = SetOf({"日本語のファイル.txt", "日本語のフォルダ.txt", "😀😀😀.png", "ÉLAN1.txt", "élan2.txt"});
    Shorten(shortened, 5);
    EXPECT_EQ((std::vector<std::string>{"日本語のフ.txt", "日本語のフ~1.txt", "😀😀😀.png", "ÉLAN1.txt", "élan2.txt"}),
              NewNames(shortened));
    Shorten(shortened, 4);
    EXPECT_EQ("élan~1.txt", NewNames(shortened)[4]) << "names that differ in case only are one name";

    struct Case { std::string name; std::string text; std::string result; };
    const Case cases[] = {
        {"ÄRGER-Liste.txt", "ärger-", "Liste.txt"},
        {"\xC8\xBA" "B.txt", "\xE2\xB1\xA5", "B.txt"},   // the match is shorter than its folded text
        {"日x本.txt", "\x97\xA5x", "日x本.txt"},           // never from inside a character
        {"日本語.txt", "本", "日語.txt"},
    };
    for (const Case& c : cases) {
        WorkingSet set = SetOf({c.name});
        RemoveText(set, c.text);
        EXPECT_EQ(c.result, set.Entry(0).newName) << c.name << " - " << c.text;
    }
    // A character beyond ASCII matches as its small letter even where that
    // is ASCII, as the Kelvin sign's is "k" where the platform maps it so.
    WorkingSet kelvin = SetOf({"\xE2\x84\xAA" "a-日.txt"});
    RemoveText(kelvin, "k");
    EXPECT_EQ(LowerCased("\xE2\x84\xAA") == "k" ? "a-日.txt" : "\xE2\x84\xAA" "a-日.txt", kelvin.Entry(0).newName);
}

// Names are as long as the system counts them: 255 UTF-16 units, an emoji two.
TEST_F(Utf8Names, NamesAreMeasuredInTheSystemsUnits)
{
    EXPECT_TRUE(IsValidFileName(Repeated("語", 255)));
    EXPECT_FALSE(IsValidFileName(Repeated("語", 256)));
    EXPECT_TRUE(IsValidFileName(Repeated("😀", 127) + "a"));
    EXPECT_FALSE(IsValidFileName(Repeated("😀", 128)));
    EXPECT_FALSE(IsValidFileName("COM\xC2\xB9.txt"));
    EXPECT_EQ(".日本", FindExtension("写真.日本"));

    WorkingSet set = SetOf({"写真.日本"});
    IndexNames(set, IndexOptions{});
    EXPECT_EQ("写真0.日本", set.Entry(0).newName);
}

// What an 8-bit version wrote reads in the Western code page; UTF-8 stays.
TEST_F(Utf8Names, StoredEightBitTextIsConverted)
{
    for (const char* image : {"[Settings]\r\nPath=C:\\Fotos\\Caf\xE9\\\r\n", "[Settings]\r\nPath=C:\\Fotos\\Café\\\r\n"}) {
        const Settings settings = ReadSettings(image);
        EXPECT_EQ("C:\\Fotos\\Café\\", settings.path);
        EXPECT_EQ(settings.path, ReadSettings(WriteSettings(settings)).path);
    }
    Journal journal;
    ASSERT_TRUE(ReadJournal("Quillet journal 1\nstate=open\nkind=renames\nfolder=C:\\Caf\xE9\\\n"
                            "file=\xC4rger.txt\t\t\xE4rger.txt\nend\n",
                            journal));
    EXPECT_EQ("C:\\Café\\", journal.folder);
    EXPECT_EQ("Ärger.txt", journal.files.at(0).oldName);
    EXPECT_EQ("ärger.txt", journal.files.at(0).newName);
}
