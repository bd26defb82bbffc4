// Layer: window framework.
// A one-pixel sunken frame: dark left and top edges, light right and bottom.
#pragma once
#include <windows.h>

struct SunkenFrame {
    COLORREF light = 0xFFFFFF;
    COLORREF dark = 0x808080;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    void Draw(HDC dc) const;
};
