// Layer: pure core (no <windows.h>, built natively too).

#include "tools/folder_numbers.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int32_t kLargest = std::numeric_limits<int32_t>::max();

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The digits of the text from `at` on, as a value held at the largest one.
int32_t DigitsValue(const std::string& text, size_t at)
{
    int64_t value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at)
        value = std::min<int64_t>(value * 10 + (text[at] - '0'), int64_t{kLargest} + 1);
    return static_cast<int32_t>(std::min<int64_t>(value, kLargest));
}

std::string Padded(int32_t number, size_t width)
{
    const std::string digits = std::to_string(number);
    return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

} // namespace

int32_t FirstNumberIn(const std::string& text)
{
    const size_t first = text.find_first_of("0123456789");
    return first == std::string::npos ? 0 : DigitsValue(text, first);
}

int32_t IndexFromName(const std::string& name)
{
    const int32_t number = FirstNumberIn(name);
    return number == 0 ? 1 : number;
}

std::string CutAtFirstDigit(const std::string& name)
{
    return name.substr(0, name.find_first_of("0123456789"));
}

std::string FloppyFolderName(const std::string& base, int32_t index)
{
    return base + Padded(index, 3);
}

int32_t NextFolderIndex(const std::vector<std::string>& existingFolders)
{
    int32_t highest = 0;
    for (const std::string& name : existingFolders)
        if (name != "." && name != "..")
            highest = std::max(highest, IndexFromName(name));
    return FollowingIndex(highest);
}

int32_t FollowingIndex(int32_t index)
{
    return index < kLargest ? index + 1 : kLargest;
}

NumberReading ReadRunNumber(const std::string& text, int32_t& value)
{
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return NumberReading::Empty;
    const size_t end = text.find_last_not_of(" \t") + 1;
    for (size_t at = begin; at < end; ++at)
        if (!IsDigit(text[at]))
            return NumberReading::NotDigits;
    // Leading zeros do not make a number larger.
    const size_t significant = std::min(text.find_first_not_of('0', begin), end - 1);
    if (end - significant > 10)
        return NumberReading::TooLarge;
    int64_t read = 0;
    for (size_t at = significant; at < end; ++at)
        read = read * 10 + (text[at] - '0');
    if (read > kLargest)
        return NumberReading::TooLarge;
    value = static_cast<int32_t>(read);
    return NumberReading::Number;
}

int64_t RunLength(int32_t start, int32_t last)
{
    return last < start ? 0 : int64_t{last} - start + 1;
}

std::string RunFolderName(const std::string& name, int32_t number, int32_t last)
{
    return name + Padded(number, std::to_string(last).size());
}
