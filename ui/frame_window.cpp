// Layer: window framework.

#include "ui/frame_window.h"

#include <commctrl.h>

namespace {

// The system font's height on the display; 0 when it cannot be read.
int DisplayTextHeight()
{
    TEXTMETRICA metrics{};
    return DisplayTextMetrics(metrics) ? metrics.tmHeight : 0;
}

void Place(HDWP& batch, HWND window, int x, int y, int width, int height)
{
    // A failed entry ends the whole batch, so windows not yet created stay out.
    if (batch && window)
        batch = DeferWindowPos(batch, window, nullptr, x, y, width, height, SWP_NOZORDER);
}

} // namespace

// The class is registered by Create, not here: a constructor would reach only
// this class's FillWindowClass, never a derived window's icon and menu.
FrameWnd::FrameWnd() : Wnd(WS_OVERLAPPEDWINDOW) {}

bool FrameWnd::RegisterWindowClass()
{
    static bool registered = false;
    WNDCLASSA windowClass = SharedWindowClass("MainClass", CS_BYTEALIGNCLIENT);
    windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    return RegisterOnce(registered, windowClass, true);
}

void FrameWnd::OnDestroyed()
{
    PostQuitMessage(0);
}

void FrameWnd::OnClose()
{
    if (CanClose())
        Destroy();
}

bool FrameWnd::OnCreate()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    return statusBar_->Create(GetHandle());
}

LRESULT FrameWnd::OnQueryEndSession()
{
    return CanClose();
}

void FrameWnd::OnSetFocus()
{
    if (listView_ && listView_->GetHandle())
        SetFocus(listView_->GetHandle());
}

int FrameWnd::CanClose() { return 1; }
int FrameWnd::RestorePlacement() { return 0; }

void FrameWnd::OnSize(WPARAM wParam, LPARAM lParam)
{
    clientWidth_ = LOWORD(lParam);
    clientHeight_ = HIWORD(lParam);
    statusBar_->Resize(wParam, lParam);
    LayOutChildren();
}

void FrameWnd::LayOutChildren()
{
    const int usedTop = topBar_->IsVisible() ? barHeight_ : 0;
    const int statusHeight = statusBar_->VisibleHeight();
    HDWP batch = BeginDeferWindowPos(3);
    Place(batch, topBar_->GetHandle(), 0, 0, clientWidth_, usedTop);
    Place(batch, listView_->GetHandle(), 0, usedTop, clientWidth_, clientHeight_ - statusHeight - usedTop);
    Place(batch, statusBar_->GetHandle(), 0, clientHeight_ - statusHeight, clientWidth_, statusHeight);
    if (batch)
        EndDeferWindowPos(batch);
}

bool FrameWnd::Create(ListViewCtl& listView, BtnBar& topBar, StatusBar& statusBar)
{
    listView_ = &listView;
    topBar_ = &topBar;
    statusBar_ = &statusBar;
    RegisterWindowClass();
    CREATESTRUCTA params{};
    params.lpszClass = "MainClass";
    params.lpszName = "";
    params.style = static_cast<LONG>(WS_OVERLAPPEDWINDOW);
    params.x = params.y = params.cx = params.cy = CW_USEDEFAULT;
    FillCreateParams(&params);
    exStyle_ = params.dwExStyle;
    style_ = static_cast<DWORD>(params.style);
    if (!CreateWindowObject(params.lpszClass, nullptr, nullptr, params.lpszName, params.x, params.y, params.cx,
                            params.cy))
        return false;
    const int textHeight = DisplayTextHeight();
    if (!textHeight)
        return false;
    barHeight_ = textHeight + 12;
    if (!topBar.Create(GetHandle(), 0, 0, clientWidth_, barHeight_))
        return false;
    listView.SetExStyle(WS_EX_CLIENTEDGE);
    if (!listView.Create(GetHandle(), 0, "", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT))
        return false;
    LayOutChildren();
    return true;
}

bool FrameWnd::LoadAccelerators(const char* resourceName)
{
    accelerators_ = ::LoadAcceleratorsA(GetModuleHandleA(nullptr), resourceName);
    return accelerators_ != nullptr;
}

void FrameWnd::Show(int showCommand)
{
    if (!RestorePlacement())
        ShowWindow(GetHandle(), showCommand);
    UpdateWindow(GetHandle());
}

WPARAM FrameWnd::Run()
{
    MSG msg{};
    // GetMessageA answers -1 on a broken call; that ends the loop too.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (accelerators_ && TranslateAcceleratorA(GetHandle(), accelerators_, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return msg.wParam;
}
