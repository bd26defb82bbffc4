// Layer: window framework.

#include "ui/font_object.h"

#include "ui/gdi_scope.h"

FontObject::FontObject() : description_{} {}

FontObject::~FontObject()
{
    Delete();
}

bool FontObject::Create(HDC dc, const char* face, int points)
{
    Delete();
    if (face && *face)
        lstrcpynA(description_.lfFaceName, face, LF_FACESIZE);
    description_.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font_ = CreateFontIndirectA(&description_);
    if (!font_)
        return false;
    TEXTMETRICA metrics{};
    {
        Selected selected(dc, font_);
        GetTextMetricsA(dc, &metrics);
    }
    charWidth_ = metrics.tmAveCharWidth;
    lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
    return true;
}

HGDIOBJ FontObject::Select(HDC dc) const
{
    SetTextColor(dc, colour_);
    return SelectObject(dc, font_);
}

void FontObject::Delete()
{
    if (font_)
        DeleteObject(font_);
    font_ = nullptr;
}
