// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).
// The collation of builds without the platform (the native sanitizer and
// fuzz builds): the Windows word order for ASCII, byte order above it, the
// letters of every script folded while the build stands in for UTF-8.
#include "collation.h"

#include "code_page.h"

#include <cstring>

namespace {

// ASCII in the order the platform's case-insensitive comparison puts it:
// control characters, blank and punctuation, then symbols, digits, letters.
// The hyphen and the apostrophe are left out: they weigh only when the rest
// of two texts is equal ("coop" before "co-op").
const char kAsciiOrder[] =
    "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f"
    "\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f\x7f"
    " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>"
    "0123456789abcdefghijklmnopqrstuvwxyz";

// A weight for each byte, all of them above the end mark: ASCII from 2 up,
// bytes above ASCII as themselves.
struct Weights {
    unsigned char of[256] = {};
    Weights()
    {
        for (int b = 0; b < 256; ++b)
            of[b] = static_cast<unsigned char>(b);
        const size_t count = std::strlen(kAsciiOrder);
        for (size_t rank = 0; rank < count; ++rank)
            of[static_cast<unsigned char>(kAsciiOrder[rank])] = static_cast<unsigned char>(3 + rank);
        for (int b = 'A'; b <= 'Z'; ++b)
            of[b] = of[b - 'A' + 'a'];
        of[0] = 2;
    }
};

bool IsLateWeighted(char c)
{
    return c == '-' || c == '\'';
}

} // namespace

void CollationKeyInto(std::string_view given, std::string& key)
{
    static const Weights weights;
    const std::string text =
        ActiveCodePage() == CodePageKind::Utf8 ? Utf8CaseMapped(std::string(given), false) : std::string(given);
    key.clear();
    for (char c : text)
        if (!IsLateWeighted(c))
            key += static_cast<char>(weights.of[static_cast<unsigned char>(c)]);
    // The end mark sorts a text before any longer one it begins; after it,
    // where the hyphens and apostrophes stood.
    key += '\x01';
    for (size_t at = 0; at < text.size(); ++at) {
        if (IsLateWeighted(text[at])) {
            key += static_cast<char>(at >> 16);
            key += static_cast<char>(at >> 8);
            key += static_cast<char>(at & 0xff);
            key += text[at];
        }
    }
}
