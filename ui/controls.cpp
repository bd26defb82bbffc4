// Layer: window framework.

#include "ui/controls.h"

#include <commctrl.h>

#include <cstring>
#include <unordered_set>

namespace {

// Every live control object. A window's user data is trusted as a control only
// when it names one of these: windows of the program's own classes keep window
// objects there, and other code may keep anything.
std::unordered_set<const Control*>& LiveControls()
{
    static std::unordered_set<const Control*> controls;
    return controls;
}

LRESULT CALLBACK SharedControlProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Control* control = Control::FromWindow(window);
    try {
        if (control)
            return control->SubclassProc(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

char LetterAfterAmpersand(const char* text)
{
    const char* mark = text ? strchr(text, '&') : nullptr;
    return mark ? mark[1] : 0;
}

} // namespace

void ReportMissingCreate()
{
    MessageBoxA(nullptr, "Missing Create", "App Error", MB_ICONWARNING);
}

int NextControlId()
{
    static int next = 900;
    return next++;
}

Control::Control(DWORD style, DWORD exStyle) : style_(style), exStyle_(exStyle)
{
    LiveControls().insert(this);
}

Control::~Control()
{
    LiveControls().erase(this);
    if (handle_ && IsWindow(handle_) && GetWindowLongPtrA(handle_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
}

Control* Control::FromWindow(HWND window)
{
    if (!window)
        return nullptr;
    auto* candidate = reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!candidate || !LiveControls().count(candidate) || candidate->handle_ != window)
        return nullptr;
    return candidate;
}

bool Control::Create(HWND, int, const char*, int, int, int, int)
{
    ReportMissingCreate();
    return false;
}

bool Control::OnCommandNotify(int, int) { return false; }
void Control::OnDrawItemNotify(DRAWITEMSTRUCT*) {}
LRESULT Control::OnNotifyMessage(NMHDR*) { return 0; }
void Control::SetHandler(Handler handler) { handler_ = std::move(handler); }

LRESULT Control::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallPrevious(msg, wParam, lParam);
}

int Control::TakeId(int id)
{
    return id ? id : NextControlId();
}

bool Control::CallHandler(int id)
{
    if (!handler_)
        return false;
    handler_(id);
    return true;
}

bool Control::Attach(const char* className, HWND parent, const char* text, int x, int y, int width, int height)
{
    HWND window = GetDlgItem(parent, id_);
    if (!window)
        window = CreateWindowExA(exStyle_, className, text, style_, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr), nullptr);
    if (!window)
        return false;
    handle_ = window;
    previous_ = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void Control::Subclass(WNDPROC procedure)
{
    if (!handle_)
        return;
    const auto replacement = reinterpret_cast<LONG_PTR>(procedure ? procedure : SharedControlProc);
    const auto before = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(handle_, GWLP_WNDPROC, replacement));
    if (!previous_)
        previous_ = before;
}

LRESULT Control::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!previous_)
        return DefWindowProcA(handle_, msg, wParam, lParam);
    return CallWindowProcA(previous_, handle_, msg, wParam, lParam);
}

ButtonCtl::ButtonCtl(bool subclassOnCreate) : Control(WS_CHILD | WS_VISIBLE), subclassOnCreate_(subclassOnCreate) {}

bool ButtonCtl::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    id_ = TakeId(id);
    accelerator_ = LetterAfterAmpersand(text);
    if (!Attach("BUTTON", parent, text, x, y, width, height))
        return false;
    if (subclassOnCreate_)
        Subclass(nullptr);
    return true;
}

bool ButtonCtl::OnCommandNotify(int code, int id)
{
    return code == BN_CLICKED && CallHandler(id);
}

EditCtl::EditCtl() : Control(0x503001C4, WS_EX_CLIENTEDGE) {}

bool EditCtl::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    id_ = TakeId(id);
    if (!Attach("EDIT", parent, text, x, y, width, height))
        return false;
    SetWindowTextA(handle_, text ? text : "");
    return true;
}

bool EditCtl::OnCommandNotify(int code, int id)
{
    return code == EN_KILLFOCUS && CallHandler(id);
}

ListViewCtl::ListViewCtl() : Control(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT) {}

bool ListViewCtl::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    id_ = TakeId(id);
    return Attach(WC_LISTVIEWA, parent, text, x, y, width, height);
}

void ListViewCtl::GetItemText(int item, int subitem, char* buffer, int size) const
{
    LVITEMA request{};
    request.iSubItem = subitem;
    request.pszText = buffer;
    request.cchTextMax = size;
    SendMessageA(handle_, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
}

ComboCtl::ComboCtl(DWORD style) : Control(style) {}

bool ComboCtl::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    id_ = TakeId(id);
    return Attach("COMBOBOX", parent, text, x, y, width, height);
}

bool ComboCtl::OnCommandNotify(int code, int id)
{
    if (code != CBN_SELCHANGE)
        return false;
    selection_ = static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0));
    return CallHandler(id);
}
