#include "code_page.h"

// The native build stands in for a Western code page: one byte a character.
bool IsLeadByte(char)
{
    return false;
}

bool HasLeadBytes()
{
    return false;
}
