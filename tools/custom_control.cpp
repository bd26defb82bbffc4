// Layer: dialogs (the action dialogs and the tools' windows).

#include "tools/custom_control.h"

#include <forward_list>

namespace {

struct RegistryNode {
    int id;
    CustomControl* control;
};

// Newest first, so that a control built later under an id already taken
// serves the windows of that id.
std::forward_list<RegistryNode>& Registry()
{
    static std::forward_list<RegistryNode> nodes;
    return nodes;
}

// Hands one message to its operation; false for messages the controls leave
// to the default procedure.
bool Dispatch(CustomControl& control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETCURSOR: control.OnSetCursor(wParam, lParam); return true;
    case WM_COMMAND: control.OnCommand(wParam, lParam); return true;
    case WM_CREATE: control.OnCreate(); return true;
    case WM_DESTROY: control.OnDestroy(); return true;
    case WM_DRAWITEM: control.OnDrawItem(wParam, lParam); return true;
    case WM_LBUTTONDOWN: control.OnLButtonDown(wParam, lParam); return true;
    case WM_LBUTTONUP: control.OnLButtonUp(wParam, lParam); return true;
    case WM_MOUSEMOVE: control.OnMouseMove(wParam, lParam); return true;
    case WM_PAINT: control.OnPaint(); return true;
    case WM_SETFOCUS: control.OnSetFocus(); return true;
    case WM_SIZE: control.OnSize(wParam, lParam); return true;
    default: return false;
    }
}

} // namespace

CustomControl::CustomControl(int id, const char* className) : id_(id), className_(className)
{
    Registry().push_front({id, this});
}

CustomControl::~CustomControl()
{
    // Objects of a whole run never leave; those of a shorter life (a test's)
    // must not be found after they are gone.
    Registry().remove_if([this](const RegistryNode& node) { return node.control == this; });
}

bool CustomControl::RegisterClass()
{
    WNDCLASSA windowClass{};
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoA(instance, className_, &windowClass))
        return false;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = CustomControlProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className_;
    return ::RegisterClassA(&windowClass) != 0;
}

void CustomControl::OnSetCursor(WPARAM, LPARAM) {}
void CustomControl::OnCommand(WPARAM, LPARAM) {}
void CustomControl::OnCreate() {}
void CustomControl::OnDestroy() {}
void CustomControl::OnDrawItem(WPARAM, LPARAM) {}
void CustomControl::OnLButtonDown(WPARAM, LPARAM) {}
void CustomControl::OnLButtonUp(WPARAM, LPARAM) {}
void CustomControl::OnMouseMove(WPARAM, LPARAM) {}
void CustomControl::OnPaint() {}
void CustomControl::OnSetFocus() {}
void CustomControl::OnSize(WPARAM, LPARAM) {}

void CustomControl::NotifyParent(UINT code)
{
    header_.hwndFrom = handle_;
    header_.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(handle_));
    header_.code = code;
    SendMessageA(GetParent(handle_), WM_NOTIFY, static_cast<WPARAM>(id_), reinterpret_cast<LPARAM>(&header_));
}

LRESULT CALLBACK CustomControl::CustomControlProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CustomControl* control = FindCustomControl(GetDlgCtrlID(window));
    if (!control)
        return DefWindowProcA(window, msg, wParam, lParam);
    try {
        if (msg == WM_NCCREATE)
            control->handle_ = window;
        if (Dispatch(*control, msg, wParam, lParam))
            return 0;
        if (msg == WM_NCDESTROY && control->handle_ == window)
            control->handle_ = nullptr;
    } catch (...) {
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

CustomControl* FindCustomControl(int id)
{
    for (const RegistryNode& node : Registry())
        if (node.id == id)
            return node.control;
    return nullptr;
}

void RegisterAllCustomControls()
{
    for (const RegistryNode& node : Registry())
        node.control->RegisterClass();
}
