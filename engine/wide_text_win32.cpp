// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).

#include "wide_text.h"

#include <windows.h>

#include <algorithm>

namespace {

bool IsLoneSurrogate(const wchar_t* text, size_t length, size_t at)
{
    const wchar_t c = text[at];
    if (c >= 0xD800 && c <= 0xDBFF)
        return at + 1 >= length || text[at + 1] < 0xDC00 || text[at + 1] > 0xDFFF;
    if (c >= 0xDC00 && c <= 0xDFFF)
        return at == 0 || text[at - 1] < 0xD800 || text[at - 1] > 0xDBFF;
    return false;
}

// UTF-8 would turn a lone surrogate into U+FFFD, a character a name may hold.
std::wstring WithoutLoneSurrogates(const wchar_t* text, size_t length)
{
    std::wstring kept(text, length);
    for (size_t at = 0; at < length; ++at)
        if (IsLoneSurrogate(text, length, at))
            kept[at] = L'?';
    return kept;
}

} // namespace

std::wstring Widened(const std::string& text)
{
    return WidenedFrom(CP_ACP, 0, text.data(), text.size());
}

std::wstring WidenedFrom(unsigned int codePage, unsigned long flags, const char* text, size_t length)
{
    if (length == 0)
        return std::wstring();
    const int bytes = static_cast<int>(length);
    const int size = MultiByteToWideChar(codePage, flags, text, bytes, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(codePage, flags, text, bytes, &wide[0], size);
    return wide;
}

std::string Narrowed(const wchar_t* text, size_t length)
{
    std::string narrow;
    NarrowInto(text, length, narrow);
    return narrow;
}

void NarrowInto(const wchar_t* text, size_t length, std::string& narrow)
{
    narrow.clear();
    if (length == 0)
        return;
    // Every code page writes plain ASCII as it is: most names need no call
    // to the system, which would cost more than the listing's own.
    if (std::all_of(text, text + length, [](wchar_t c) { return c < 0x80; })) {
        narrow.resize(length);
        std::transform(text, text + length, narrow.begin(), [](wchar_t c) { return static_cast<char>(c); });
        return;
    }
    std::wstring kept;
    for (size_t at = 0; at < length; ++at) {
        if (IsLoneSurrogate(text, length, at)) {
            kept = WithoutLoneSurrogates(text, length);
            text = kept.data();
            break;
        }
    }
    // UTF-8 takes no default character and no best-fit flag; the 8-bit code
    // pages would otherwise turn "ā" into the "a" of another file's name.
    const UINT codePage = GetACP();
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = utf8 ? nullptr : "?";
    const int wideLength = static_cast<int>(length);
    // A name fits the buffer on the stack; only a long path asks for its size.
    char small[1024];
    int size = WideCharToMultiByte(codePage, flags, text, wideLength, small, sizeof small, fallback, nullptr);
    if (size > 0) {
        narrow.assign(small, static_cast<size_t>(size));
        return;
    }
    size = WideCharToMultiByte(codePage, flags, text, wideLength, nullptr, 0, fallback, nullptr);
    narrow.assign(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(codePage, flags, text, wideLength, &narrow[0], size, fallback, nullptr);
}

std::string Narrowed(const std::wstring& text)
{
    return Narrowed(text.data(), text.size());
}
