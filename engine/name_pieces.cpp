#include "name_pieces.h"

namespace {

// Index of the last '.', '\' or ':', or npos.
size_t LastSeparator(const std::string& text)
{
    return text.find_last_of(".\\:");
}

} // namespace

std::string FindExtension(const std::string& text)
{
    const size_t at = LastSeparator(text);
    if (at == std::string::npos || text[at] != '.')
        return std::string();
    return text.substr(at);
}

std::string StripExtension(const std::string& text)
{
    const size_t at = LastSeparator(text);
    if (at == std::string::npos || text[at] != '.')
        return text;
    return text.substr(0, at);
}

char FoldToLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char FoldToUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string StoredName(const std::string& name)
{
    const size_t last = name.find_last_not_of(". ");
    return last == std::string::npos ? std::string() : name.substr(0, last + 1);
}

bool IsValidFileName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxNameLength)
        return false;
    if (name.find_first_not_of(". ") == std::string::npos)
        return false;
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32)
            return false;
        switch (c) {
        case '\\': case '/': case ':': case '*': case '?':
        case '"': case '<': case '>': case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}
