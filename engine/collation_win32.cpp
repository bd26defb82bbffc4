// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).

#include "collation.h"

#include "wide_text.h"

#include <windows.h>

namespace {

constexpr DWORD kKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

// By the locale's number: Wine looks a locale's name up on every call, and a
// key by number costs a quarter less.
int SortKey(const wchar_t* text, int length, char* key, int size)
{
    return LCMapStringW(LOCALE_USER_DEFAULT, kKeyFlags, text, length, reinterpret_cast<LPWSTR>(key), size);
}

} // namespace

// Widened by the process's code page, as lstrcmpiA widens: LCMapStringA would
// read the text in the locale's own 8-bit code page, which is not the
// process's once the program speaks UTF-8.
void CollationKeyInto(std::string_view text, std::string& key)
{
    key.clear();
    if (text.empty())
        return;
    wchar_t shortText[512];
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), shortText, 512);
    const wchar_t* wide = shortText;
    std::wstring longText;
    if (length <= 0) {
        longText = Widened(std::string(text));
        wide = longText.data();
        length = static_cast<int>(longText.size());
    }
    char small[1024];
    int size = SortKey(wide, length, small, sizeof small);
    if (size > 0) {
        key.assign(small, static_cast<size_t>(size));
        return;
    }
    // Keys grow with the text; ask for the size when the stack buffer was short.
    size = SortKey(wide, length, nullptr, 0);
    if (size <= 0) {
        key.assign(text);
        return;
    }
    key.resize(static_cast<size_t>(size));
    size = SortKey(wide, length, &key[0], size);
    key.resize(static_cast<size_t>(size > 0 ? size : 0));
}
