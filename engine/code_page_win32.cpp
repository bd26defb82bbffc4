// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).

#include "code_page.h"

#include "wide_text.h"

#include <windows.h>

namespace {

// The answers for all 256 bytes, read once: the code page does not change
// while the program runs, and names are walked byte by byte by the hundred
// thousand.
struct CodePage {
    CodePage()
    {
        const UINT page = GetACP();
        kind = page == CP_UTF8 ? CodePageKind::Utf8 : CodePageKind::SingleByte;
        for (int c = 0; c < 256 && page != CP_UTF8; ++c) {
            lead[c] = IsDBCSLeadByteEx(page, static_cast<BYTE>(c)) != 0;
            if (lead[c])
                kind = CodePageKind::DoubleByte;
        }
    }
    bool lead[256] = {};
    CodePageKind kind;
};

const CodePage& Active()
{
    static const CodePage page;
    return page;
}

std::string Utf8Of(const std::wstring& wide)
{
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, &text[0], size, nullptr, nullptr);
    return text;
}

// One run of well-formed UTF-8 mapped; false when the run does not convert
// or the mapping would change its length in UTF-16 units. A name fits the
// buffers on the stack; only a longer text takes the heap.
bool MapRun(const char* text, size_t length, DWORD flag, std::string& mapped)
{
    wchar_t shortWide[512];
    int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, static_cast<int>(length), shortWide, 512);
    std::wstring longWide;
    const wchar_t* wide = shortWide;
    if (size <= 0) {
        longWide = WidenedFrom(CP_UTF8, MB_ERR_INVALID_CHARS, text, length);
        wide = longWide.data();
        size = static_cast<int>(longWide.size());
    }
    if (size == 0)
        return false;
    wchar_t shortCased[512];
    std::wstring longCased;
    wchar_t* cased = shortCased;
    if (size > 512) {
        longCased.assign(static_cast<size_t>(size), L'\0');
        cased = &longCased[0];
    }
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, flag, wide, size, cased, size, nullptr, nullptr, 0) != size)
        return false;
    char narrow[1536];
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, cased, size, narrow, sizeof narrow, nullptr, nullptr);
    if (bytes > 0)
        mapped.append(narrow, static_cast<size_t>(bytes));
    else
        mapped += Utf8Of(std::wstring(cased, static_cast<size_t>(size)));
    return true;
}

} // namespace

CodePageKind ActiveCodePage()
{
    return Active().kind;
}

bool IsLeadByte(char c)
{
    return Active().lead[static_cast<unsigned char>(c)];
}

bool HasLeadBytes()
{
    return Active().kind == CodePageKind::DoubleByte;
}

std::string Utf8CaseMapped(const std::string& text, bool upper)
{
    const DWORD flag = upper ? LCMAP_UPPERCASE : LCMAP_LOWERCASE;
    std::string mapped;
    if (MapRun(text.data(), text.size(), flag, mapped))
        return mapped;
    // A malformed byte spoils the run: map it a character at a time.
    mapped.clear();
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8SequenceLength(text.data() + at, text.size() - at);
        if (!MapRun(text.data() + at, length, flag, mapped))
            mapped.append(text, at, length);
        at += length;
    }
    return mapped;
}

std::string Utf8FromLegacy(const std::string& text)
{
    DWORD page = CP_ACP;
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                    reinterpret_cast<LPWSTR>(&page), sizeof page / sizeof(WCHAR));
    // A locale that has only Unicode (Hindi, say) never wrote 8-bit letters
    // of its own; the Western page reads whatever was there.
    if (page == CP_UTF8 || page == CP_ACP)
        page = 1252;
    return Utf8Of(WidenedFrom(page, 0, text.data(), text.size()));
}
