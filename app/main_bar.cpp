// Layer: application (the main window, the application object, the program).

#include "main_bar.h"

#include "resources/resource.h"

namespace {
constexpr int kPathLeft = 82;
constexpr int kPathTop = 3;
constexpr int kPathHeight = 21;
constexpr int kPathMargin = 88; // left edge plus a little room on the right
} // namespace

bool MainBar::Create(HWND parent, int x, int y, int width, int height)
{
    if (!BtnBar::Create(parent, x, y, width, height))
        return false;
    if (!browse_.Create(GetHandle(), ID_BROWSE, "Browse", 4, 4, 74, 22))
        return false;
    path_.SetStyle(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
    path_.SetExStyle(WS_EX_CLIENTEDGE);
    if (!path_.Create(GetHandle(), 0, "", kPathLeft, kPathTop, width - kPathMargin, kPathHeight))
        return false;
    SendMessageA(path_.GetHandle(), EM_SETREADONLY, TRUE, 0);
    const WPARAM font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(browse_.GetHandle(), WM_SETFONT, font, FALSE);
    SendMessageA(path_.GetHandle(), WM_SETFONT, font, FALSE);
    return true;
}

LRESULT MainBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SIZE)
        LayOutPathField(LOWORD(lParam));
    return BtnBar::WindowProc(msg, wParam, lParam);
}

void MainBar::ShowPath(const char* text)
{
    SetWindowTextA(path_.GetHandle(), text);
}

void MainBar::LayOutPathField(int barWidth)
{
    if (path_.GetHandle())
        MoveWindow(path_.GetHandle(), kPathLeft, kPathTop, barWidth - kPathMargin, kPathHeight, TRUE);
}
