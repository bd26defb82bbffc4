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

size_t FindForbiddenCharacter(const std::string& text)
{
    for (size_t at = 0; at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) < 32)
            return at;
        switch (text[at]) {
        case '\\': case '/': case ':': case '*': case '?':
        case '"': case '<': case '>': case '|':
            return at;
        default:
            break;
        }
    }
    return std::string::npos;
}

bool IsValidFileName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxNameLength)
        return false;
    if (name.find_first_not_of(". ") == std::string::npos)
        return false;
    return FindForbiddenCharacter(name) == std::string::npos;
}
