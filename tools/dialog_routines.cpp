// Layer: pure core (no <windows.h>, built natively too).

#include "tools/dialog_routines.h"

#include <cstring>

char* TwoDigits(int number, char* output)
{
    // Dates and times only ever need two places; anything else is kept to
    // its last two digits rather than overrunning the caller's field.
    const int value = ((number % 100) + 100) % 100;
    output[0] = static_cast<char>('0' + value / 10);
    output[1] = static_cast<char>('0' + value % 10);
    output[2] = '\0';
    return output + 2;
}

void DeleteFirstChar(char* text)
{
    if (*text)
        memmove(text, text + 1, strlen(text));
}
