// The command-line splitter over a writable copy of each line.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SplitCase {
    const char* line;
    int nonEmpty;
    const char* first;
    const char* second;
    const char* third;
};

const SplitCase kSplitCases[] = {
    {"", 0, "", "", ""},
    {"   ", 0, "", "", ""},
    {"  \"C:\\My Pictures\" word", 2, "C:\\My Pictures", "word", ""},
    {"C:\\My Pictures", 2, "C:\\My", "Pictures", ""},
    {"\"C:\\My Pictures", 1, "C:\\My Pictures", "", ""},
    {"\"\" next", 1, "", "next", ""},
    {"a\"b c", 2, "a\"b", "c", ""},
    {"\"a b\"c d", 3, "a b", "c", "d"},
    {"one two three four", 3, "one", "two", "three"},
    {"\tC:\\tab", 1, "\tC:\\tab", "", ""},
};

} // namespace

TEST(CommandLine, SplitsIntoThreeSlots)
{
    for (const SplitCase& c : kSplitCases) {
        std::vector<char> text(c.line, c.line + std::char_traits<char>::length(c.line) + 1);
        char* arguments[3] = {nullptr, nullptr, nullptr};
        EXPECT_EQ(c.nonEmpty, SplitCommandLine(text.data(), arguments, 3)) << c.line;
        EXPECT_STREQ(c.first, arguments[0]) << c.line;
        EXPECT_STREQ(c.second, arguments[1]) << c.line;
        EXPECT_STREQ(c.third, arguments[2]) << c.line;
    }
}
