// Layer: pure core (no <windows.h>, built natively too).

#include "number_text.h"

#include <algorithm>

char* FormatUInt(uint32_t value, char* buffer, int radix)
{
    char* p = buffer;
    do {
        const uint32_t digit = value % static_cast<uint32_t>(radix);
        *p++ = static_cast<char>(digit < 10 ? '0' + digit : 'a' + (digit - 10));
        value /= static_cast<uint32_t>(radix);
    } while (value != 0);
    *p = '\0';
    std::reverse(buffer, p);
    return buffer;
}

char* FormatInt(int32_t value, char* buffer, int radix)
{
    if (radix == 10 && value < 0) {
        buffer[0] = '-';
        // Negate in unsigned arithmetic so that INT32_MIN has a magnitude.
        FormatUInt(0u - static_cast<uint32_t>(value), buffer + 1, radix);
        return buffer;
    }
    return FormatUInt(static_cast<uint32_t>(value), buffer, radix);
}
