// Layer: pure core (no <windows.h>, built natively too).
// Numbers as text in a caller's buffer. Pure code: used by the engine, the
// settings file and the windows alike.
#pragma once
#include <cstdint>

// Signed in radix 10 ("-12"); any other radix takes the bits as unsigned
// (-1 in radix 16 is "ffffffff"). The buffer holds 34 bytes for radix 2.
char* FormatInt(int32_t value, char* buffer, int radix);

// Always unsigned. Digits beyond 9 are lower-case letters.
char* FormatUInt(uint32_t value, char* buffer, int radix);
