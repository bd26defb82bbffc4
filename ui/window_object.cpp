// Layer: window framework.

#include "ui/window_object.h"

#include "ui/controls.h"
#include "ui/gdi_scope.h"

namespace {

Wnd* ObjectOf(HWND window)
{
    return reinterpret_cast<Wnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

} // namespace

WNDCLASSA SharedWindowClass(const char* className, UINT classStyle)
{
    WNDCLASSA windowClass{};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = Wnd::SharedWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    return windowClass;
}

Wnd::Wnd(DWORD style) : style_(style) {}

Wnd::~Wnd()
{
    // A window that outlives its object must not reach it any more.
    if (handle_ && IsWindow(handle_) && ObjectOf(handle_) == this)
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
}

bool Wnd::Create(HWND, INT_PTR, const char*, int, int, int, int)
{
    ReportMissingCreate();
    return false;
}

void Wnd::FillWindowClass(WNDCLASSA*) {}
void Wnd::FillCreateParams(CREATESTRUCTA*) {}
void Wnd::OnDestroyed() {}
bool Wnd::OnOtherMessage(UINT, WPARAM, LPARAM) { return false; }
int Wnd::OnSaveState() { return 0; }
void Wnd::OnChar(WPARAM, LPARAM) {}
void Wnd::OnClose() { Destroy(); }
void Wnd::OnCommand(WPARAM, LPARAM) {}
void Wnd::OnContextMenu(WPARAM, LPARAM) {}
bool Wnd::OnCreate() { return false; }
LRESULT Wnd::OnCtlColorListBox(WPARAM, LPARAM) { return 0; }
void Wnd::OnDestroy() {}
void Wnd::OnDrawItem(WPARAM, LPARAM) {}
void Wnd::OnDropFiles(HDROP) {}
void Wnd::OnEndSession(WPARAM, LPARAM) {}
void Wnd::OnHScroll(WPARAM, LPARAM) {}
void Wnd::OnInitMenu(HMENU) {}
void Wnd::OnKeyDown(WPARAM, LPARAM) {}
void Wnd::OnKeyUp(WPARAM, LPARAM) {}
void Wnd::OnKillFocus() {}
void Wnd::OnLButtonDblClk(WPARAM, LPARAM) {}
void Wnd::OnLButtonDown(WPARAM, LPARAM) {}
void Wnd::OnLButtonUp(WPARAM, LPARAM) {}
int Wnd::OnMenuSelect(WPARAM, LPARAM) { return 0; }
void Wnd::OnMouseMove(WPARAM, LPARAM) {}
void Wnd::OnMouseWheel(WPARAM, LPARAM) {}
void Wnd::OnNotify(WPARAM, LPARAM) {}

void Wnd::OnPaint()
{
    PAINTSTRUCT paint;
    BeginPaint(handle_, &paint);
    EndPaint(handle_, &paint);
}

LRESULT Wnd::OnQueryEndSession() { return 1; }
void Wnd::OnRButtonDown(WPARAM, LPARAM) {}
void Wnd::OnRButtonUp(WPARAM, LPARAM) {}
void Wnd::OnSetFocus() {}
void Wnd::OnSize(WPARAM, LPARAM) {}
void Wnd::OnSysColorChange() {}
void Wnd::OnSysCommand() {}
void Wnd::OnSysKeyDown(WPARAM, LPARAM) {}
void Wnd::OnSysKeyUp(WPARAM, LPARAM) {}
void Wnd::OnTimer(UINT_PTR) {}
LRESULT Wnd::OnVKeyToItem(WPARAM) { return -1; }
void Wnd::OnVScroll(WPARAM, LPARAM) {}

bool Wnd::RegisterOnce(bool& registered, WNDCLASSA windowClass, bool fill)
{
    if (registered)
        return false;
    if (fill)
        FillWindowClass(&windowClass);
    registered = RegisterClassA(&windowClass) != 0;
    return registered;
}

bool Wnd::CreateWindowObject(const char* className, HWND parent, HMENU menuOrId, const char* windowName, int x,
                             int y, int width, int height)
{
    if (handle_)
        return true;
    // The handle is stored during WM_NCCREATE; this keeps it when a class
    // procedure of its own let that message pass by.
    HWND window = CreateWindowExA(exStyle_, className, windowName, style_, x, y, width, height, parent, menuOrId,
                                  GetModuleHandleA(nullptr), this);
    if (window)
        handle_ = window;
    return handle_ != nullptr;
}

bool Wnd::Destroy()
{
    if (!handle_ || !DestroyWindow(handle_))
        return false;
    handle_ = nullptr;
    return true;
}

LRESULT Wnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_DESTROY:
        OnDestroy();
        OnSaveState();
        OnDestroyed();
        return 0;
    case WM_ENDSESSION:
        OnEndSession(wParam, lParam);
        if (wParam)
            OnSaveState();
        return 0;
    case WM_DRAWITEM:
        OnDrawItem(wParam, lParam);
        return 1;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_VKEYTOITEM:
        return OnVKeyToItem(wParam);
    case WM_CTLCOLORLISTBOX:
        return OnCtlColorListBox(wParam, lParam);
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Control* control = Control::FromWindow(header->hwndFrom))
            return control->OnNotifyMessage(header);
        OnNotify(wParam, lParam);
        return 0;
    }
    case WM_SYSCOMMAND:
        OnSysCommand();
        break;
    case WM_CHAR: OnChar(wParam, lParam); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case WM_CONTEXTMENU: OnContextMenu(wParam, lParam); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_HSCROLL: OnHScroll(wParam, lParam); return 0;
    case WM_INITMENU: OnInitMenu(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam, lParam); return 0;
    case WM_KEYUP: OnKeyUp(wParam, lParam); return 0;
    case WM_KILLFOCUS: OnKillFocus(); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, lParam); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return 0;
    case WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return 0;
    case WM_MENUSELECT: OnMenuSelect(wParam, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(wParam, lParam); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return 0;
    case WM_RBUTTONUP: OnRButtonUp(wParam, lParam); return 0;
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_SIZE: OnSize(wParam, lParam); return 0;
    case WM_SYSCOLORCHANGE: OnSysColorChange(); return 0;
    case WM_SYSKEYDOWN: OnSysKeyDown(wParam, lParam); return 0;
    case WM_SYSKEYUP: OnSysKeyUp(wParam, lParam); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_VSCROLL: OnVScroll(wParam, lParam); return 0;
    }
    if (OnOtherMessage(msg, wParam, lParam))
        return 0;
    return DefWindowProcA(handle_, msg, wParam, lParam);
}

LRESULT CALLBACK Wnd::SharedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        if (msg == WM_NCCREATE) {
            auto* object = static_cast<Wnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
            if (object)
                object->handle_ = window;
        }
        Wnd* object = ObjectOf(window);
        if (!object)
            return DefWindowProcA(window, msg, wParam, lParam);
        const LRESULT result = object->WindowProc(msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            // A window destroyed with its parent, or by the system, leaves the
            // object free to create a new one.
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            if (object->handle_ == window)
                object->handle_ = nullptr;
        }
        return result;
    } catch (...) {
        return msg == WM_CREATE ? -1 : 0;
    }
}

bool DisplayTextMetrics(TEXTMETRICA& metrics)
{
    DisplayInfoDC info;
    return info.Get() && GetTextMetricsA(info.Get(), &metrics) != FALSE;
}
