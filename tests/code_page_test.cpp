// Names in a double-byte code page, under the system's own code page tables.
#include "engine/name_pieces.h"
#include "engine/transforms.h"
#include "case_rows.h"
#include "test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

// Run by the "engine_cp932" test, under a Japanese locale: the second byte of
// a double-byte character may be an ASCII letter or a backslash, and must be
// left alone. (0x83 0x41 is one katakana; 0x83 0x61 another; 0x83 0x5C a third.)
TEST(DoubleByteCodePage, SecondBytesAreNeverTakenForLettersOrBackslashes)
{
    ASSERT_EQ(932u, GetACP()) << "run with LANG=ja_JP.UTF-8";
    ExpectCaseRows({
        {"\x83\x41" "b.txt", "\x83\x41" "B.TXT", "\x83\x41" "b.txt"},
        {"x\x83\x61" ".Doc", "X\x83\x61" ".DOC", "x\x83\x61" ".doc"},
    });
    EXPECT_TRUE(IsValidFileName("\x83\x5C" ".txt"));
    EXPECT_EQ(std::string::npos, FindPathCharacter("\x83\x5C" "*.txt"));
    EXPECT_EQ(".b\x83\x5C", FindExtension("a.b\x83\x5C"));
    EXPECT_FALSE(SameNameIgnoringCase("\x83\x41" ".txt", "\x83\x61" ".txt"));
    WorkingSet set = SetOf({"\x83\x41" "a.txt"});
    RemoveText(set, "A");
    EXPECT_EQ("\x83\x41" ".txt", set.Entry(0).newName) << "the match starts on a character";
}
