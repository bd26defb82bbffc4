// Layer: window framework.

#include "ui/dialog_object.h"

#include "engine/wide_text.h"
#include "ui/controls.h"
#include "ui/window_object.h"

#include <vector>

bool Dialog::Create(HWND)
{
    ReportMissingCreate();
    return false;
}

INT_PTR Dialog::OnOtherMessage(UINT, WPARAM, LPARAM) { return 0; }
void Dialog::OnActivate(WPARAM, LPARAM) {}
void Dialog::OnChar(WPARAM, LPARAM) {}
void Dialog::OnCommand(WPARAM, LPARAM) {}
void Dialog::OnContextMenu(WPARAM, LPARAM) {}
bool Dialog::OnCreate() { return false; }
INT_PTR Dialog::OnCtlColorListBox(WPARAM, LPARAM) { return 0; }
void Dialog::OnDestroy() {}
void Dialog::OnDrawItem(WPARAM, LPARAM) {}
void Dialog::OnDropFiles(HDROP) {}
void Dialog::OnHScroll(WPARAM, LPARAM) {}
INT_PTR Dialog::OnInitDialog(WPARAM, LPARAM) { return 1; }
void Dialog::OnInitMenu() {}
void Dialog::OnKeyDown(WPARAM, LPARAM) {}
void Dialog::OnKeyUp(WPARAM, LPARAM) {}
void Dialog::OnKillFocus() {}
void Dialog::OnLButtonDown(WPARAM, LPARAM) {}
void Dialog::OnLButtonUp(WPARAM, LPARAM) {}
void Dialog::OnMenuSelect(WPARAM, LPARAM) {}
void Dialog::OnMouseMove(WPARAM, LPARAM) {}
LRESULT Dialog::OnNotify(WPARAM, LPARAM) { return 0; }
void Dialog::OnPaint() {}
INT_PTR Dialog::OnQueryEndSession() { return 1; }
void Dialog::OnRButtonDown(WPARAM, LPARAM) {}
void Dialog::OnRButtonUp(WPARAM, LPARAM) {}
void Dialog::OnSetFocus() {}
void Dialog::OnSize(WPARAM, LPARAM) {}
void Dialog::OnSysColorChange() {}
void Dialog::OnSysKeyDown(WPARAM, LPARAM) {}
void Dialog::OnSysKeyUp(WPARAM, LPARAM) {}
void Dialog::OnTimer(UINT_PTR) {}
INT_PTR Dialog::OnVKeyToItem(WPARAM) { return -1; }
void Dialog::OnVScroll(WPARAM, LPARAM) {}

INT_PTR Dialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_INITDIALOG:
        return OnInitDialog(wParam, lParam);
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_VKEYTOITEM:
        return OnVKeyToItem(wParam);
    case WM_CTLCOLORLISTBOX:
        return OnCtlColorListBox(wParam, lParam);
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (Control* control = Control::FromWindow(item->hwndItem))
            control->OnDrawItemNotify(item);
        else
            OnDrawItem(wParam, lParam);
        messageResult_ = 0;
        return 1;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        Control* control = Control::FromWindow(header->hwndFrom);
        messageResult_ = control ? control->OnNotifyMessage(header) : OnNotify(wParam, lParam);
        return 1;
    }
    case WM_COMMAND: {
        Control* control = Control::FromWindow(reinterpret_cast<HWND>(lParam));
        if (!control || !control->OnCommandNotify(HIWORD(wParam), LOWORD(wParam)))
            OnCommand(wParam, lParam);
        return 0;
    }
    case WM_ACTIVATE: OnActivate(wParam, lParam); return 0;
    case WM_CHAR: OnChar(wParam, lParam); return 0;
    case WM_CONTEXTMENU: OnContextMenu(wParam, lParam); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_HSCROLL: OnHScroll(wParam, lParam); return 0;
    case WM_INITMENU: OnInitMenu(); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam, lParam); return 0;
    case WM_KEYUP: OnKeyUp(wParam, lParam); return 0;
    case WM_KILLFOCUS: OnKillFocus(); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return 0;
    case WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return 0;
    case WM_MENUSELECT: OnMenuSelect(wParam, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 0;
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
    return OnOtherMessage(msg, wParam, lParam);
}

INT_PTR Dialog::Run(HWND owner, const char* templateName)
{
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), templateName, owner, SharedDialogProc,
                                           reinterpret_cast<LPARAM>(this));
    handle_ = nullptr;
    return result;
}

INT_PTR CALLBACK Dialog::SharedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            reinterpret_cast<Dialog*>(lParam)->handle_ = dialog;
        }
        auto* object = reinterpret_cast<Dialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (!object)
            return 0;
        const INT_PTR result = object->DialogProc(msg, wParam, lParam);
        if (result)
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, object->messageResult_);
        return result;
    } catch (...) {
        return 0;
    }
}

std::string ItemText(HWND dialog, int id, int limit)
{
    // Counted wide, as the typing limit counts: a narrow buffer of `limit`
    // bytes would cut a UTF-8 text in the middle of a character.
    std::vector<wchar_t> buffer(static_cast<size_t>(limit) + 1, L'\0');
    const UINT length = GetDlgItemTextW(dialog, id, buffer.data(), limit + 1);
    return Narrowed(buffer.data(), length);
}
