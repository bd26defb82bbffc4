// The numbers of folder runs and floppy folders, without a window.
#include "tools/folder_numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kLargest = std::numeric_limits<int32_t>::max();

} // namespace

TEST(FolderNumbers, IndexFromName)
{
    struct Case { const char* name; int32_t index; };
    const Case cases[] = {
        {"Floppy", 1},
        {"Floppy0", 1},
        {"Floppy000", 1},
        {"Floppy001", 1},
        {"Floppy007", 7},
        {"Backup25", 25},
        {"Floppy1000", 1000},
        {"12Disk34", 12},
        {"", 1},
        {"Floppy2147483647", kLargest},
        {"Floppy2147483648", kLargest},
        {"Floppy99999999999999999999", kLargest},
        {"Floppy00000000000000000042", 42},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.index, IndexFromName(c.name)) << c.name;
}

TEST(FolderNumbers, FloppyFolderNames)
{
    struct Case { const char* typed; int32_t index; const char* folder; };
    const Case cases[] = {
        {"Floppy", 1, "Floppy001"},
        {"Floppy007", 8, "Floppy008"},
        {"Backup25", 25, "Backup025"},
        {"Backup", 1, "Backup001"},
        {"Floppy999", 1000, "Floppy1000"},
        {"Floppy", kLargest, "Floppy2147483647"},
        {"", 12, "012"},
        {"Disk 5 of 9", 6, "Disk 006"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.folder, FloppyFolderName(CutAtFirstDigit(c.typed), c.index)) << c.typed;
}

TEST(FolderNumbers, NextFolderAfterTheHighestThere)
{
    struct Case { std::vector<std::string> folders; int32_t next; };
    const Case cases[] = {
        {{}, 1},
        {{"Floppy001", "Floppy002", "Floppy003", "Floppy004", "Floppy005", "Floppy006", "Floppy007"}, 8},
        {{"Floppy"}, 2},
        {{"Floppy012", "Floppy003"}, 13},
        {{"Floppy999"}, 1000},
        {{".", "..", "Floppy002"}, 3},
        {{"Floppy99999999999"}, kLargest},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.next, NextFolderIndex(c.folders)) << c.folders.size() << " folders";
    EXPECT_EQ(kLargest, FollowingIndex(kLargest));
    EXPECT_EQ(3, FollowingIndex(2));
}

TEST(FolderNumbers, RunNumbersAreWholeNumbersThatFit)
{
    struct Case { const char* text; NumberReading reading; int32_t value; };
    const Case cases[] = {
        {"1", NumberReading::Number, 1},
        {"0", NumberReading::Number, 0},
        {" 12 ", NumberReading::Number, 12},
        {"0005", NumberReading::Number, 5},
        {"2147483647", NumberReading::Number, kLargest},
        {"0000002147483647", NumberReading::Number, kLargest},
        {"2147483648", NumberReading::TooLarge, -1},
        {"4294967297", NumberReading::TooLarge, -1},
        {"99999999999999999999", NumberReading::TooLarge, -1},
        {"", NumberReading::Empty, -1},
        {"   ", NumberReading::Empty, -1},
        {"-5", NumberReading::NotDigits, -1},
        {"12abc", NumberReading::NotDigits, -1},
        {"1 2", NumberReading::NotDigits, -1},
        {"+3", NumberReading::NotDigits, -1},
    };
    for (const Case& c : cases) {
        int32_t value = -1;
        EXPECT_EQ(c.reading, ReadRunNumber(c.text, value)) << c.text;
        EXPECT_EQ(c.value, value) << c.text;
    }
}

TEST(FolderNumbers, RunNamesArePaddedToTheLastNumber)
{
    struct Case { const char* name; int32_t start; int32_t last; int64_t length; const char* first; const char* final; };
    const Case cases[] = {
        {"Disk", 1, 12, 12, "Disk01", "Disk12"},
        {"Disk", 1, 9, 9, "Disk1", "Disk9"},
        {"Disk", 5, 100, 96, "Disk005", "Disk100"},
        {"Disk", 7, 7, 1, "Disk7", "Disk7"},
        {"", 1, 10, 10, "01", "10"},
        {"CD_", 0, 1000, 1001, "CD_0000", "CD_1000"},
        {"x", kLargest - 1, kLargest, 2, "x2147483646", "x2147483647"},
        {"all", 0, kLargest, int64_t{kLargest} + 1, "all0000000000", "all2147483647"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.length, RunLength(c.start, c.last)) << c.first;
        EXPECT_EQ(c.first, RunFolderName(c.name, c.start, c.last));
        EXPECT_EQ(c.final, RunFolderName(c.name, c.last, c.last));
    }
    EXPECT_EQ(0, RunLength(12, 1));
    EXPECT_EQ(0, RunLength(kLargest, 0));
}
