// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).
// The code page of the program's strings, as far as the pure code needs it.
// Where the system honours the manifest, every "A" call of the process speaks
// UTF-8, and a character is one UTF-8 sequence; elsewhere the strings are in
// the system's 8-bit code page, where in a double-byte code page (932, 936,
// 949, 950) a lead byte starts a character of two bytes whose second byte may
// look like an ASCII letter or a backslash. Declared here so that the pure
// code can walk names character by character without including <windows.h>;
// defined once per platform.
#pragma once
#include <cstddef>
#include <string>

enum class CodePageKind { SingleByte, DoubleByte, Utf8 };

CodePageKind ActiveCodePage();

// Only in a double-byte code page is any byte a lead byte.
bool IsLeadByte(char c);

// True in the double-byte code pages, the only ones where an ASCII byte can
// be the second half of a character: elsewhere a search for '.', '\\' or a
// letter may go byte by byte.
bool HasLeadBytes();

// Bytes of the UTF-8 sequence that starts `text` (of `left` bytes, at least
// one): 2 to 4 for a well-formed sequence, 1 for an ASCII byte and for every
// byte that does not start one, so that malformed bytes count one each.
inline size_t Utf8SequenceLength(const char* text, size_t left)
{
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    size_t length = 1;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length > left)
        return 1;
    for (size_t at = 1; at < length; ++at) {
        const unsigned char next = static_cast<unsigned char>(text[at]);
        if (next < (at == 1 ? low : 0x80) || next > (at == 1 ? high : 0xBF))
            return 1;
    }
    return length;
}

// Appends the UTF-8 sequence of the character numbered `code`.
inline void AppendUtf8(unsigned long code, std::string& out)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
        return;
    }
    const size_t length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    const unsigned char leads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(leads[length] | (code >> (6 * (length - 1))));
    for (size_t at = length - 1; at > 0; --at)
        out += static_cast<char>(0x80 | ((code >> (6 * (at - 1))) & 0x3F));
}

// UTF-8 text with the letters of every script in upper or in lower case, by
// the platform's rules for no language in particular (no Turkish dotless i).
// The characters stay as many as they were; their bytes may not. A character
// without the other case, and every malformed byte, stays as it is.
std::string Utf8CaseMapped(const std::string& text, bool upper);

// Text of the system's legacy 8-bit code page (that of the user's default
// locale) in UTF-8.
std::string Utf8FromLegacy(const std::string& text);
