// Layer: window framework.
// Placing a window over its owner.
#pragma once
#include <windows.h>

// Centres the window over its owner (over the screen without one), moved in
// far enough to line up with the owner's right and bottom edges when it is
// larger, but never left of or above position 0.
void CenterOverOwner(HWND window);
