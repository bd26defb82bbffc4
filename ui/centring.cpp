// Layer: window framework.

#include "ui/centring.h"

#include <algorithm>

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
