#include "tools/dialog_routines.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Start of a span of `length` centred on [low, high), pulled back to end at
// `high` when it does not fit, and never below 0.
int CentredStart(int low, int high, int length)
{
    const int start = std::min(low + (high - low) / 2 - length / 2, high - length);
    return start > 0 ? start : 0;
}

} // namespace

void CenterOverOwner(HWND window)
{
    RECT reference{0, 0, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
    if (HWND owner = GetWindow(window, GW_OWNER))
        GetWindowRect(owner, &reference);
    RECT own;
    if (!GetWindowRect(window, &own))
        return;
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    MoveWindow(window, CentredStart(reference.left, reference.right, width),
               CentredStart(reference.top, reference.bottom, height), width, height, FALSE);
}

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

std::string ItemText(HWND dialog, int id, int limit)
{
    std::vector<char> buffer(static_cast<size_t>(limit) + 1, '\0');
    const UINT length = GetDlgItemTextA(dialog, id, buffer.data(), limit + 1);
    return std::string(buffer.data(), length);
}
