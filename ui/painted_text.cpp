// Layer: window framework.

#include "ui/painted_text.h"

#include "engine/wide_text.h"

SIZE PaintedTextExtent(HDC dc, const std::string& text)
{
    const std::wstring wide = Widened(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

void PaintText(HDC dc, int x, int y, const std::string& text)
{
    const std::wstring wide = Widened(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void PaintTextIn(HDC dc, const std::string& text, RECT& rect, UINT format)
{
    const std::wstring wide = Widened(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}
