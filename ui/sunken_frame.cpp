#include "ui/sunken_frame.h"

namespace {

void Polyline3(HDC dc, COLORREF colour, const POINT (&points)[3])
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    if (!pen)
        return;
    HGDIOBJ previous = SelectObject(dc, pen);
    Polyline(dc, points, 3);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

} // namespace

void SunkenFrame::Draw(HDC dc) const
{
    const int right = x + width - 1;
    const int bottom = y + height - 1;
    Polyline3(dc, dark, {{x, bottom}, {x, y}, {right, y}});
    Polyline3(dc, light, {{right, y}, {right, bottom}, {x, bottom}});
}
