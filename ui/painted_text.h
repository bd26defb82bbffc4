// Layer: window framework.
// Text the program paints itself. GDI's narrow calls read their text in the
// system's code page even where the program runs in another one (UTF-8, from
// its manifest), so the program's strings are widened as the process reads
// them and painted through the wide calls.
#pragma once
#include <windows.h>

#include <string>

SIZE PaintedTextExtent(HDC dc, const std::string& text);
void PaintText(HDC dc, int x, int y, const std::string& text);
// DrawText of the whole text in `rect`, with DrawText's format flags.
void PaintTextIn(HDC dc, const std::string& text, RECT& rect, UINT format);
