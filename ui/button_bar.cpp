// Layer: window framework.

#include "ui/button_bar.h"

#include "ui/controls.h"
#include "ui/gdi_scope.h"

namespace {

void DrawRow(HDC dc, int colourIndex, int y, int left, int right)
{
    GdiObject pen(CreatePen(PS_SOLID, 1, GetSysColor(colourIndex)));
    if (!pen)
        return;
    Selected selected(dc, pen.Get());
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);
}

} // namespace

BtnBar::BtnBar() : Wnd(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS)
{
    RegisterWindowClass();
}

bool BtnBar::RegisterWindowClass()
{
    static bool registered = false;
    WNDCLASSA windowClass = SharedWindowClass("BtnBarClass", CS_BYTEALIGNWINDOW);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    return RegisterOnce(registered, windowClass, false);
}

bool BtnBar::Create(HWND parent, int x, int y, int width, int height)
{
    if (!CreateWindowObject("BtnBarClass", parent, nullptr, "", x, y, width, height))
        return false;
    height_ = height;
    ShowWindow(GetHandle(), visible_ ? SW_SHOW : SW_HIDE);
    return true;
}

void BtnBar::SetVisible(bool visible)
{
    visible_ = visible;
    if (GetHandle())
        ShowWindow(GetHandle(), visible ? SW_SHOW : SW_HIDE);
}

void BtnBar::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(GetHandle(), &paint);
    if (dc && visible_) {
        RECT client;
        GetClientRect(GetHandle(), &client);
        DrawRow(dc, COLOR_WINDOWFRAME, client.bottom - 1, client.left, client.right);
        DrawRow(dc, COLOR_BTNHIGHLIGHT, client.top, client.left, client.right);
    }
    EndPaint(GetHandle(), &paint);
}

void BtnBar::RelayCommand(WPARAM wParam, LPARAM lParam)
{
    Control* control = Control::FromWindow(reinterpret_cast<HWND>(lParam));
    if (control && control->OnCommandNotify(HIWORD(wParam), LOWORD(wParam)))
        return;
    if (HIWORD(wParam) == 0)
        SendMessageA(GetParent(GetHandle()), WM_COMMAND, LOWORD(wParam), reinterpret_cast<LPARAM>(GetHandle()));
}

LRESULT BtnBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        // Painted even when hidden, so that the update region is validated.
        Paint();
        return 0;
    case WM_COMMAND:
        RelayCommand(wParam, lParam);
        return 0;
    case WM_BAR_RELAY:
        return SendMessageA(GetParent(GetHandle()), msg, wParam, lParam);
    }
    return DefWindowProcA(GetHandle(), msg, wParam, lParam);
}
