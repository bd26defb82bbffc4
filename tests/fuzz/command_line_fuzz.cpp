// Any text as a command line, split into one to five arguments: each argument
// is a piece of the line as it was, an unquoted one holds no blank, the count
// of non-empty ones is right, and nothing outside the line is touched.
#include "app/command_line.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int count = 1 + data[0] % 5;
    const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    // Exactly as long as the text and its terminator, so that a step past the
    // end is caught.
    std::vector<char> text(line.c_str(), line.c_str() + std::strlen(line.c_str()) + 1);
    const std::string original(text.data());
    char* arguments[5];
    const int nonEmpty = SplitCommandLine(text.data(), arguments, count);
    int seen = 0;
    size_t previousEnd = 0;
    for (int i = 0; i < count; ++i) {
        const char* argument = arguments[i];
        FUZZ_CHECK(argument >= text.data() && argument < text.data() + text.size());
        const size_t at = static_cast<size_t>(argument - text.data());
        const size_t length = std::strlen(argument);
        FUZZ_CHECK(at >= previousEnd);
        FUZZ_CHECK(original.compare(at, length, argument) == 0);
        // Blanks, then an opening quote, lie between the last argument's end
        // (and the separator it ended at) and a quoted argument.
        const size_t from = i == 0 || previousEnd >= original.size() ? previousEnd : previousEnd + 1;
        const size_t firstUsed = original.find_first_not_of(' ', from);
        const bool quoted = at > from && firstUsed == at - 1 && original[at - 1] == '"';
        if (quoted)
            FUZZ_CHECK(std::strchr(argument, '"') == nullptr);
        else
            FUZZ_CHECK(std::strchr(argument, ' ') == nullptr);
        if (length)
            ++seen;
        previousEnd = at + length;
    }
    FUZZ_CHECK(seen == nonEmpty);
    return 0;
}
