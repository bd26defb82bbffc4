// Any number in any radix from 2 to 36: the text reads back to the number,
// fits the 34 bytes the callers give, and radix 10 is the usual decimal.
#include "fuzz_check.h"
#include "ui/number_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 5)
        return 0;
    uint32_t bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    const int radix = 2 + data[4] % 35;
    // Exactly the size the callers give, so that a byte too many is caught.
    char* buffer = static_cast<char*>(std::malloc(34));

    const char* text = FormatUInt(bits, buffer, radix);
    FUZZ_CHECK(text == buffer);
    FUZZ_CHECK(std::strlen(text) <= 32);
    FUZZ_CHECK(std::strtoull(text, nullptr, radix) == bits);
    for (const char* p = text; *p; ++p)
        FUZZ_CHECK((*p >= '0' && *p <= '9') || (*p >= 'a' && *p <= 'z'));

    const int32_t value = static_cast<int32_t>(bits);
    FormatInt(value, buffer, radix);
    if (radix == 10)
        FUZZ_CHECK(std::string(buffer) == std::to_string(value));
    else
        FUZZ_CHECK(std::strtoull(buffer, nullptr, radix) == bits);
    std::free(buffer);
    return 0;
}
