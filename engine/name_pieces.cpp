// Layer: pure core (no <windows.h>, built natively too).

#include "name_pieces.h"

#include "characters.h"
#include "code_page.h"
#include "collation.h"

namespace {

// The step from the character at `at` to the next: in a single-byte code
// page always one byte, which spares the question for every byte.
size_t Step(const std::string& text, size_t at, bool doubleBytes)
{
    return doubleBytes ? CharacterLength(text, at) : 1;
}

// Index of the last '.', '\' or ':' that stands as a character of its own
// (not as the second byte of a double-byte character), or npos.
size_t LastSeparator(std::string_view text)
{
    if (!HasLeadBytes()) {
        // Not find_last_of, which asks memchr about every character: a call
        // into the system's library each, for the extension of every name.
        for (size_t at = text.size(); at-- > 0;)
            if (text[at] == '.' || text[at] == '\\' || text[at] == ':')
                return at;
        return std::string_view::npos;
    }
    size_t last = std::string_view::npos;
    for (size_t at = 0; at < text.size(); at += CharacterLength(text, at))
        if (text[at] == '.' || text[at] == '\\' || text[at] == ':')
            last = at;
    return last;
}

template <typename Fold>
std::string Folded(std::string text, Fold fold)
{
    const bool doubleBytes = HasLeadBytes();
    for (size_t at = 0; at < text.size(); at += Step(text, at, doubleBytes))
        text[at] = fold(text[at]);
    return text;
}

// The first character of `text` for which `stop` holds, walking characters.
template <typename Stop>
size_t FindCharacter(const std::string& text, Stop stop)
{
    const bool doubleBytes = HasLeadBytes();
    for (size_t at = 0; at < text.size(); at += Step(text, at, doubleBytes))
        if (stop(text[at]))
            return at;
    return std::string::npos;
}

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 32;
}

// "COM", "LPT" and the rest take one digit 1-9, written plainly or as the
// superscripts 1, 2 and 3, of the Western code page or of UTF-8.
bool IsDeviceDigit(const std::string& digit)
{
    if (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9')
        return true;
    const std::string superscript = digit.size() == 2 && digit[0] == '\xC2' ? digit.substr(1) : digit;
    return superscript == "\xB9" || superscript == "\xB2" || superscript == "\xB3";
}

} // namespace

size_t ExtensionStart(std::string_view text)
{
    const size_t at = LastSeparator(text);
    return at == std::string_view::npos || text[at] != '.' ? text.size() : at;
}

std::string FindExtension(const std::string& text)
{
    return text.substr(ExtensionStart(text));
}

std::string StripExtension(const std::string& text)
{
    return text.substr(0, ExtensionStart(text));
}

std::string FoldedToLower(const std::string& text)
{
    return Folded(text, AsciiLower);
}

std::string FoldedToUpper(const std::string& text)
{
    return Folded(text, AsciiUpper);
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() == b.size() && FoldedToLower(a) == FoldedToLower(b))
        return true;
    return CollationKey(a) == CollationKey(b);
}

std::string StoredName(const std::string& name)
{
    const size_t last = name.find_last_not_of(". ");
    return last == std::string::npos ? std::string() : name.substr(0, last + 1);
}

size_t FindForbiddenCharacter(const std::string& text)
{
    return FindCharacter(text, [](char c) {
        switch (c) {
        case '\\': case '/': case ':': case '*': case '?':
        case '"': case '<': case '>': case '|':
            return true;
        default:
            return IsControl(c);
        }
    });
}

size_t FindPathCharacter(const std::string& pattern)
{
    return FindCharacter(pattern, [](char c) { return c == '\\' || c == '/' || c == ':' || IsControl(c); });
}

std::string UnfitCharacterText(const std::string& text, size_t at)
{
    const std::string problem = IsControl(text[at])
                                    ? std::string("A file name cannot hold control characters such as tabs.")
                                    : std::string("The character ") + text[at] + " cannot stand in a file name.";
    return problem + "\nPlease change the text.";
}

bool IsReservedDeviceName(const std::string& name)
{
    // The system reads a device name up to the first dot, blanks after it
    // ignored.
    std::string base = name.substr(0, name.find('.'));
    base.erase(base.find_last_not_of(' ') + 1);
    base = FoldedToUpper(base);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    return (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && IsDeviceDigit(base.substr(3));
}

bool IsValidFileName(const std::string& name)
{
    if (name.empty() || SystemLength(name) > kMaxNameLength)
        return false;
    if (name.find_first_not_of(". ") == std::string::npos)
        return false;
    return FindForbiddenCharacter(name) == std::string::npos && !IsReservedDeviceName(name);
}

bool IsAddressableName(const std::string& name)
{
    return !name.empty() && StoredName(name) == name && FindForbiddenCharacter(name) == std::string::npos &&
           !IsReservedDeviceName(name);
}
