// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).

#include "code_page.h"

#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <locale.h>

// The native build stands in for a Western code page, one byte a character
// read as Latin-1, or, with QUILLET_CODE_PAGE=utf-8 in the environment, for
// the UTF-8 code page, so that the pure tables run under both.
namespace {

CodePageKind Chosen()
{
    const char* chosen = std::getenv("QUILLET_CODE_PAGE");
    return chosen && std::strcmp(chosen, "utf-8") == 0 ? CodePageKind::Utf8 : CodePageKind::SingleByte;
}

// The C library's case tables of every script, without touching the
// process's own locale.
locale_t Unicode()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

unsigned long Decoded(const unsigned char* s, size_t length)
{
    if (length == 1)
        return s[0];
    unsigned long code = s[0] & (0x7F >> length);
    for (size_t at = 1; at < length; ++at)
        code = (code << 6) | (s[at] & 0x3F);
    return code;
}

unsigned long Cased(unsigned long code, bool upper)
{
    if (!Unicode()) {
        if (upper && code >= 'a' && code <= 'z')
            return code - 'a' + 'A';
        return !upper && code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code;
    }
    const wint_t c = static_cast<wint_t>(code);
    return upper ? towupper_l(c, Unicode()) : towlower_l(c, Unicode());
}

} // namespace

CodePageKind ActiveCodePage()
{
    static const CodePageKind kind = Chosen();
    return kind;
}

bool IsLeadByte(char)
{
    return false;
}

bool HasLeadBytes()
{
    return false;
}

std::string Utf8CaseMapped(const std::string& text, bool upper)
{
    std::string mapped;
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8SequenceLength(text.data() + at, text.size() - at);
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data() + at);
        if (length == 1 && bytes[0] >= 0x80)
            mapped += text[at];
        else
            AppendUtf8(Cased(Decoded(bytes, length), upper), mapped);
        at += length;
    }
    return mapped;
}

std::string Utf8FromLegacy(const std::string& text)
{
    std::string converted;
    for (char c : text)
        AppendUtf8(static_cast<unsigned char>(c), converted);
    return converted;
}
