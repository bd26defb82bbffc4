#include "code_page.h"

#include <windows.h>

namespace {

// The answers for all 256 bytes, read once: the code page does not change
// while the program runs, and names are walked byte by byte by the hundred
// thousand.
struct LeadBytes {
    LeadBytes()
    {
        for (int c = 0; c < 256; ++c) {
            lead[c] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(c)) != 0;
            any = any || lead[c];
        }
    }
    bool lead[256];
    bool any = false;
};

const LeadBytes& Table()
{
    static const LeadBytes table;
    return table;
}

} // namespace

bool IsLeadByte(char c)
{
    return Table().lead[static_cast<unsigned char>(c)];
}

bool HasLeadBytes()
{
    return Table().any;
}
