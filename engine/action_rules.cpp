// Layer: pure core (no <windows.h>, built natively too).

#include "action_rules.h"

#include "name_pieces.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

bool ParseShortenLength(const std::string& typed, int& length)
{
    if (typed.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(typed.c_str(), &end, 10);
    if (end == typed.c_str() || *end != '\0' || errno == ERANGE || value < 1 || value > kLongestShortenLength)
        return false;
    length = static_cast<int>(value);
    return true;
}

std::string TrimBlanks(const std::string& text)
{
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::string();
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::string SourcePattern(const std::string& typed)
{
    const std::string pattern = TrimBlanks(typed);
    return pattern.empty() ? "*.*" : pattern;
}

std::string BareExtension(const std::string& typed)
{
    return typed.substr(std::min(typed.find_first_not_of("*.?"), typed.size()));
}
