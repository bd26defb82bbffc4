// Layer: window framework.

#include "ui/sunken_frame.h"

#include "ui/gdi_scope.h"

namespace {

void Polyline3(HDC dc, COLORREF colour, const POINT (&points)[3])
{
    GdiObject pen(CreatePen(PS_SOLID, 1, colour));
    if (!pen)
        return;
    Selected selected(dc, pen.Get());
    Polyline(dc, points, 3);
}

} // namespace

void SunkenFrame::Draw(HDC dc) const
{
    const int right = x + width - 1;
    const int bottom = y + height - 1;
    Polyline3(dc, dark, {{x, bottom}, {x, y}, {right, y}});
    Polyline3(dc, light, {{right, y}, {right, bottom}, {x, bottom}});
}
