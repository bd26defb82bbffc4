// The framework measures and paints its UTF-8 text (the program's manifest
// runs these tests in UTF-8) as the same text in wide characters.
#include "ui/gdi_scope.h"
#include "ui/painted_text.h"

#include <gtest/gtest.h>

TEST(PaintedText, TakesTheTextAsItsWideForm)
{
    const char text[] = u8"Ωμέγα Ёлка";
    const wchar_t wide[] = L"Ωμέγα Ёлка";
    DisplayInfoDC display;
    SIZE expected{};
    GetTextExtentPoint32W(display.Get(), wide, lstrlenW(wide), &expected);
    EXPECT_EQ(expected.cx, PaintedTextExtent(display.Get(), text).cx);
    RECT drawn{}, painted{};
    DrawTextW(display.Get(), wide, -1, &drawn, DT_CALCRECT | DT_SINGLELINE);
    PaintTextIn(display.Get(), text, painted, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(drawn.right, painted.right);
}
