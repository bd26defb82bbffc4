// Layer: pure core (no <windows.h>, built natively too).

#include "command_line.h"

int SplitCommandLine(char* text, char* arguments[], int count)
{
    int nonEmpty = 0;
    char* cursor = text;
    for (int slot = 0; slot < count; ++slot) {
        while (*cursor == ' ')
            ++cursor;
        const bool quoted = *cursor == '"';
        if (quoted)
            ++cursor;
        const char stop = quoted ? '"' : ' ';
        arguments[slot] = cursor;
        while (*cursor != '\0' && *cursor != stop)
            ++cursor;
        if (cursor != arguments[slot])
            ++nonEmpty;
        if (*cursor != '\0')
            *cursor++ = '\0';
    }
    return nonEmpty;
}
