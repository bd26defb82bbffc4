// What the action dialogs accept, as rules over the typed text.
#include "engine/action_rules.h"
#include "engine/name_pieces.h"

#include <gtest/gtest.h>

TEST(ActionRules, ShortenTakesOnlyALengthFromOneTo250)
{
    struct Case { const char* typed; bool taken; int length; };
    const Case cases[] = {
        {"0", false, 0},      {"-1", false, 0},        {"251", false, 0},  {"letters", false, 0},
        {"", false, 0},       {"12abc", false, 0},     {" 12", true, 12},  {"12 ", false, 0},
        {"+7", true, 7},      {"99999999999", false, 0}, {"250", true, 250}, {"1", true, 1},
        {"00000250", true, 250},
    };
    for (const Case& c : cases) {
        int length = -5;
        EXPECT_EQ(c.taken, ParseShortenLength(c.typed, length)) << c.typed;
        EXPECT_EQ(c.taken ? c.length : -5, length) << c.typed;
    }
}

TEST(ActionRules, ThePatternAndTheBareExtension)
{
    struct Case { const char* pattern; const char* typed; const char* storedPattern; const char* extension; };
    const Case cases[] = {
        {"*.gif", "*.jpg", "*.gif", "jpg"}, {"*.*", ".jpg", "*.*", "jpg"},    {"*.*", "jpg", "*.*", "jpg"},
        {"*.*", "?*..png", "*.*", "png"},   {"  ", "JPG", "*.*", "JPG"},       {"*.*", "*.*", "*.*", ""},
        {"\t*.txt ", "j.p", "*.txt", "j.p"}, {"", "", "*.*", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.storedPattern, SourcePattern(c.pattern)) << c.pattern;
        EXPECT_EQ(c.extension, BareExtension(c.typed)) << c.typed;
    }
}

TEST(ActionRules, BlanksAndTabsAreTrimmedAtBothEnds)
{
    EXPECT_EQ("file name", TrimBlanks(" \tfile name\t "));
    EXPECT_EQ("", TrimBlanks(" \t "));
    EXPECT_EQ("a", TrimBlanks("a"));
}

// Texts that would turn a rename into a move, or fail it, are refused with a
// reason that names the character.
TEST(ActionRules, TextsThatCannotStandInANameSayWhy)
{
    struct Case { const char* typed; const char* named; };
    const Case cases[] = {{"..\\", "\\"}, {"C:", ":"},     {"a/b", "/"}, {"a*b", "*"},
                          {"why?", "?"},  {"\"q\"", "\""}, {"<a", "<"},  {"a>", ">"},
                          {"a|b", "|"},   {"a\tb", "control characters"}, {"a\x01" "b", "control characters"}};
    for (const Case& c : cases) {
        const size_t at = FindForbiddenCharacter(c.typed);
        ASSERT_NE(std::string::npos, at) << c.typed;
        const std::string reason = UnfitCharacterText(c.typed, at);
        EXPECT_NE(std::string::npos, reason.find(c.named)) << c.typed << ": " << reason;
    }
    for (const char* fit : {"", "CD3-", " Beatles", "file.name", "\xC4rger"})
        EXPECT_EQ(std::string::npos, FindForbiddenCharacter(fit)) << fit;
}
