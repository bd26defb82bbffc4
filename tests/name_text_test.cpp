// Numbers as text and the pieces of names.
#include "engine/name_pieces.h"
#include "ui/number_text.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(FormatNumbers, SignedAndUnsignedInEveryRadix)
{
    struct Case { int32_t value; int radix; bool isSigned; const char* text; };
    const Case cases[] = {
        {0, 10, true, "0"},
        {255, 16, true, "ff"},
        {-12, 10, true, "-12"},
        {-1, 16, true, "ffffffff"},
        {INT32_MIN, 10, true, "-2147483648"},
        {INT32_MAX, 10, true, "2147483647"},
        {-1, 10, false, "4294967295"},
        {5, 2, false, "101"},
        {35, 36, false, "z"},
    };
    for (const Case& c : cases) {
        char buffer[40];
        std::memset(buffer, '#', sizeof buffer);
        const char* text = c.isSigned ? FormatInt(c.value, buffer, c.radix)
                                      : FormatUInt(static_cast<uint32_t>(c.value), buffer, c.radix);
        EXPECT_EQ(text, buffer);
        EXPECT_STREQ(c.text, buffer) << c.value << " in radix " << c.radix;
    }
}

TEST(FormatNumbers, RadixTwoFillsThirtyThreeBytes)
{
    char buffer[33];
    EXPECT_STREQ("11111111111111111111111111111111", FormatUInt(0xffffffffu, buffer, 2));
}

TEST(NamePieces, ExtensionIsFromTheLastDot)
{
    struct Case { const char* text; const char* extension; const char* stripped; };
    const Case cases[] = {
        {"photo.jpg", ".jpg", "photo"},
        {"my.long.file.txt", ".txt", "my.long.file"},
        {"README", "", "README"},
        {".profile", ".profile", ""},
        {"name.", ".", "name"},
        {"", "", ""},
        {"C:\\dir.x\\file", "", "C:\\dir.x\\file"},
        {"C:\\dir\\", "", "C:\\dir\\"},
        {"C:", "", "C:"},
        {"a:b.c", ".c", "a:b"},
        {"\xC4" "BC.TXT", ".TXT", "\xC4" "BC"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.extension, FindExtension(c.text)) << c.text;
        EXPECT_EQ(c.stripped, StripExtension(c.text)) << c.text;
    }
}

TEST(NamePieces, StoredNamesLoseTrailingDotsAndBlanks)
{
    EXPECT_EQ("README_old", StoredName("README_old."));
    EXPECT_EQ("a.txt", StoredName("a.txt . ."));
    EXPECT_EQ(". a", StoredName(". a"));
    EXPECT_EQ("", StoredName(".."));
}

TEST(NamePieces, ValidFileNames)
{
    struct Case { std::string name; bool valid; };
    const Case cases[] = {
        {"file.txt", true},
        {"CD3-01.mp3", true},
        {"\xE4rger.txt", true},
        {".hidden", true},
        {"README_old.", true},
        {std::string(255, 'a'), true},
        {std::string(256, 'a'), false},
        {"", false},
        {".", false},
        {"..", false},
        {" . ", false},
        {"..\\up.txt", false},
        {"a/b", false},
        {"C:x", false},
        {"what?.txt", false},
        {"star*", false},
        {"\"q\"", false},
        {"<a>", false},
        {"a|b", false},
        {std::string("tab\there"), false},
        {std::string("nl\nx"), false},
        // Device names, which a rename would turn into a copy to the device.
        {"NUL", false},
        {"con.txt", false},
        {"Prn.tar.gz", false},
        {"aux .log", false},
        {"nul...", false},
        {"COM1", false},
        {"lpt9.doc", false},
        {"COM\xB9", false},
        {"lpt\xB3.txt", false},
        {"COM0", true},
        {"COM10", true},
        {"CONSOLE.txt", true},
        {"con_x.txt", true},
        {"my nul.txt", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.valid, IsValidFileName(c.name)) << "[" << c.name << "]";
}

TEST(NamePieces, ListedNamesTheSystemCanReach)
{
    struct Case { std::string name; bool reachable; };
    const Case cases[] = {
        {"file.txt", true},
        {".hidden", true},
        {"name.", false},
        {"name ", false},
        {"a.txt. ", false},
        {"?mega.txt", false},
        {"a:b", false},
        {"aux.txt", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.reachable, IsAddressableName(c.name)) << "[" << c.name << "]";
}

TEST(NamePieces, PatternsStayInTheFolder)
{
    struct Case { std::string pattern; size_t at; };
    const Case cases[] = {
        {"*.*", std::string::npos},
        {"a?c*.txt", std::string::npos},
        {"..\\*.txt", 2},
        {"sub/*.*", 3},
        {"C:\\x\\*.*", 1},
        {"/", 0},
        {std::string("a\tb"), 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.at, FindPathCharacter(c.pattern)) << c.pattern;
    EXPECT_EQ("The character \\ cannot stand in a file name.\nPlease change the text.",
              UnfitCharacterText("..\\*.txt", 2));
    EXPECT_EQ("A file name cannot hold control characters such as tabs.\nPlease change the text.",
              UnfitCharacterText("a\tb", 1));
}

TEST(NamePieces, SameNameIgnoringCase)
{
    struct Case { const char* a; const char* b; bool same; };
    const Case cases[] = {
        {"file.txt", "FILE.TXT", true},
        {"Iota.txt", "iOTA.TXT", true},
        {"abc.txt", "abd.txt", false},
        {"abc.txt", "abc.txt ", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.same, SameNameIgnoringCase(c.a, c.b)) << c.a << " / " << c.b;
}
