#include "collation.h"

#include <windows.h>

#include <vector>

std::string CollationKey(const std::string& text)
{
    if (text.empty())
        return std::string();
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = static_cast<int>(text.size());
    char small[1024];
    int size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, small, sizeof small);
    if (size > 0)
        return std::string(small, static_cast<size_t>(size));
    // Keys grow with the text; ask for the size when the stack buffer was short.
    size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, nullptr, 0);
    if (size <= 0)
        return text;
    std::vector<char> big(static_cast<size_t>(size));
    size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, big.data(), size);
    return std::string(big.data(), static_cast<size_t>(size > 0 ? size : 0));
}
