// Layer: window framework.

#include "ui/message_box.h"

#include "ui/centring.h"
#include "ui/gdi_scope.h"
#include "ui/message_pump.h"
#include "ui/painted_text.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <string>

namespace {

constexpr int BUTTON_WIDTH = 60;
constexpr int BUTTON_HEIGHT = 30;

// The buttons every box shares, and which of them has the keyboard.
struct BoxButtons {
    ButtonCtl buttons[3];
    int inUse = 0;
    int focused = 0;
};

BoxButtons& Buttons()
{
    static BoxButtons shared;
    return shared;
}

bool boxOpen = false;

int IndexOf(HWND window)
{
    BoxButtons& shared = Buttons();
    for (int i = 0; i < shared.inUse; ++i)
        if (shared.buttons[i].GetHandle() == window)
            return i;
    return -1;
}

void FocusButton(int index)
{
    BoxButtons& shared = Buttons();
    shared.focused = index;
    SetFocus(shared.buttons[index].GetHandle());
}

void Press(HWND box, const ButtonCtl& button)
{
    SendMessageA(box, WM_COMMAND, static_cast<WPARAM>(button.Id()), reinterpret_cast<LPARAM>(button.GetHandle()));
}

void HandleBoxKey(HWND box, WPARAM key)
{
    BoxButtons& shared = Buttons();
    const int count = shared.inUse;
    switch (key) {
    case VK_TAB:
    case VK_RIGHT:
        FocusButton((shared.focused + 1) % count);
        return;
    case VK_LEFT:
        FocusButton((shared.focused + count - 1) % count);
        return;
    case VK_RETURN:
        Press(box, shared.buttons[shared.focused]);
        return;
    }
    for (int i = 0; i < count; ++i) {
        const char letter = shared.buttons[i].AcceleratorLetter();
        if (letter && static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(letter))) == key) {
            Press(box, shared.buttons[i]);
            return;
        }
    }
}

// Replaces the procedure of every box button: arrows, Tab, Enter and the
// underlined letters work the box without a dialog manager.
// Like the shared procedures, it lets no exception into the system's code.
LRESULT CALLBACK BoxKeyboardProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        const int focused = IndexOf(GetFocus());
        if (focused >= 0)
            Buttons().focused = focused;
        if (msg == WM_KEYDOWN && Buttons().inUse > 0)
            HandleBoxKey(GetParent(window), wParam);
        Control* button = Control::FromWindow(window);
        if (!button)
            return DefWindowProcA(window, msg, wParam, lParam);
        return button->CallPrevious(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

// Calls `line` with the start and length of every line; a final "\n" ends
// the last line rather than starting an empty one.
template <class LineFunction>
int ForEachLine(const char* text, LineFunction line)
{
    int count = 0;
    while (*text) {
        const char* end = strchr(text, '\n');
        const int length = end ? static_cast<int>(end - text) : lstrlenA(text);
        line(text, length, count++);
        text += length;
        if (*text)
            ++text;
    }
    return count;
}

int TextWidth(HDC dc, const char* text, int length)
{
    return PaintedTextExtent(dc, std::string(text, static_cast<size_t>(length))).cx;
}

void FillWith(HDC dc, const RECT& rect, COLORREF colour)
{
    GdiObject brush(CreateSolidBrush(colour));
    if (brush)
        FillRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
}

} // namespace

MsgBox::MsgBox()
{
    RegisterWindowClass();
}

bool MsgBox::RegisterWindowClass()
{
    static bool registered = false;
    WNDCLASSA windowClass = SharedWindowClass("CMSGCLASS", CS_HREDRAW | CS_VREDRAW);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    return RegisterOnce(registered, windowClass, true);
}

int MsgBox::Show(HWND owner, const char* text, const char* caption, UINT type, int iconId, COLORREF textColour,
                 COLORREF background, COLORREF frameDark)
{
    if (boxOpen || GetHandle())
        return 0;
    text = text ? text : "";
    owner_ = owner;
    type_ = type;
    textColour_ = textColour;
    background_ = background;
    running_ = true;
    result_ = 0;
    frame_.light = 0xFFFFFF;
    frame_.dark = frameDark;
    const size_t length = strlen(text);
    textCopy_.reset(new (std::nothrow) char[length + 2]);
    if (textCopy_)
        memcpy(textCopy_.get(), text, length + 1);
    text_ = textCopy_ ? textCopy_.get() : "Out of memory";
    caption_ = caption ? caption : "";
    if (!Measure(text))
        return 0;
    icon_ = nullptr;
    boxOpen = true;
    CreateBoxWindow();
    AfterCreate();
    LoadBoxIcon(iconId);
    if (!GetHandle()) {
        boxOpen = false;
        textCopy_.reset();
        return 0;
    }
    EnableWindow(owner_, FALSE);
    RunModalLoop();
    boxOpen = false;
    return result_;
}

bool MsgBox::Measure(const char* text)
{
    DisplayInfoDC display;
    HDC info = display.Get();
    if (!info)
        return false;
    TEXTMETRICA metrics{};
    const bool read = GetTextMetricsA(info, &metrics) != FALSE;
    charWidth_ = metrics.tmMaxCharWidth;
    lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
    widestLine_ = 0;
    lineCount_ = ForEachLine(text, [&](const char* line, int length, int) {
        widestLine_ = std::max(widestLine_, TextWidth(info, line, length));
    });
    const bool withIcon = (type_ & 0xF0) != 0;
    if (!withIcon)
        widestLine_ = std::max(widestLine_, TextWidth(info, caption_, lstrlenA(caption_)));
    if (!read)
        return false;
    const UINT buttons = type_ & 0xF;
    const int minimum = (buttons == BOX_OKCANCEL || buttons == BOX_YESNO) ? 10 * lineHeight_
                      : buttons == BOX_YESNOCANCEL                       ? 13 * lineHeight_
                                                                         : 0;
    textRect_.left = withIcon ? 64 : 8;
    textRect_.right = std::max(minimum, widestLine_ + 4 * charWidth_ + static_cast<int>(textRect_.left));
    return true;
}

void MsgBox::LoadBoxIcon(int iconId)
{
    static const LPCSTR systemIcons[] = {nullptr,
                                         reinterpret_cast<LPCSTR>(IDI_HAND),
                                         reinterpret_cast<LPCSTR>(IDI_QUESTION),
                                         reinterpret_cast<LPCSTR>(IDI_EXCLAMATION),
                                         reinterpret_cast<LPCSTR>(IDI_ASTERISK)};
    const UINT kind = (type_ >> 4) & 0xF;
    if (kind >= 1 && kind <= 4)
        icon_ = LoadIconA(nullptr, systemIcons[kind]);
    else if (iconId)
        icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId));
}

void MsgBox::RunModalLoop()
{
    while (running_) {
        // A waiting WM_QUIT belongs to the program's own loop: leave it queued.
        if (PumpPendingMessages())
            break;
        if (running_)
            WaitMessage();
    }
    running_ = false;
    if (GetHandle())
        OnClose();
}

void MsgBox::CreateBoxWindow()
{
    textRect_.top = lineHeight_;
    textRect_.bottom = lineHeight_ * (lineCount_ + 1) + 8;
    style_ = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    CreateWindowObject("CMSGCLASS", owner_, nullptr, caption_, 0, 0, textRect_.right + 16,
                       lineHeight_ * (lineCount_ + 6));
}

void MsgBox::AfterCreate() {}

bool MsgBox::OnCreate()
{
    Buttons().inUse = 0;
    CreateButtons();
    BoxButtons& shared = Buttons();
    if (shared.inUse == 0)
        return false;
    const UINT defaultButton = (type_ >> 8) & 0xF;
    FocusButton(std::min(defaultButton == 1 ? 1 : defaultButton == 2 ? 2 : 0, shared.inUse - 1));
    for (int i = 0; i < shared.inUse; ++i)
        shared.buttons[i].Subclass(BoxKeyboardProc);
    CenterOverOwner(GetHandle());
    return true;
}

void MsgBox::AddButton(int index, const char* text, int x, int y, int result)
{
    BoxButtons& shared = Buttons();
    if (!shared.buttons[index].Create(GetHandle(), 0, text, x, y, BUTTON_WIDTH, BUTTON_HEIGHT))
        return;
    results_[index] = result;
    shared.inUse = index + 1;
}

int MsgBox::OkButtonId() const
{
    return Buttons().buttons[0].Id();
}

void MsgBox::CreateButtons()
{
    RECT client;
    GetClientRect(GetHandle(), &client);
    const int cx = client.right / 2;
    const int y = client.bottom - 2 * lineHeight_;
    switch (type_ & 0xF) {
    case BOX_OKCANCEL:
        AddButton(0, "&Ok", cx - 70, y, IDOK);
        AddButton(1, "&Cancel", cx + 10, y, IDCANCEL);
        break;
    case BOX_YESNO:
        AddButton(0, "&Yes", cx - 70, y, IDYES);
        AddButton(1, "&No", cx + 10, y, IDNO);
        break;
    case BOX_YESNOCANCEL:
        AddButton(0, "&Yes", cx - 100, y, IDYES);
        AddButton(1, "&No", cx - 30, y, IDNO);
        AddButton(2, "&Cancel", cx + 40, y, IDCANCEL);
        break;
    default:
        AddButton(0, "&Ok", cx - 30, y, IDOK);
        break;
    }
}

void MsgBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam))
        return;
    const int id = LOWORD(wParam);
    BoxButtons& shared = Buttons();
    int pressed = -1;
    for (int i = 0; i < shared.inUse; ++i)
        if (shared.buttons[i].Id() == id)
            pressed = i;
    if (pressed >= 0)
        result_ = results_[pressed];
    else
        OnOtherCommand(id, reinterpret_cast<HWND>(lParam));
    // A nested command may already have closed the box.
    if (result_ && running_) {
        running_ = false;
        PostMessageA(GetHandle(), WM_CLOSE, 0, 0);
    }
}

void MsgBox::OnOtherCommand(int, HWND) {}

void MsgBox::OnClose()
{
    // Closed from the system menu the loop must end too, answering 0.
    running_ = false;
    EnableWindow(owner_, TRUE);
    Destroy();
    textCopy_.reset();
    text_ = "";
    Buttons().inUse = 0;
}

void MsgBox::OnLButtonDown(WPARAM, LPARAM)
{
    SendMessageA(GetHandle(), WM_NCLBUTTONDOWN, HTCAPTION, 0x00050005);
}

void MsgBox::OnSetFocus()
{
    if (Buttons().inUse > 0)
        FocusButton(Buttons().focused);
}

void MsgBox::FillBackground(HDC dc) const
{
    RECT client;
    GetClientRect(GetHandle(), &client);
    FillWith(dc, client, background_);
}

void MsgBox::PaintIconAndFrame(HDC dc) const
{
    if (icon_) {
        DrawIcon(dc, 16, textRect_.top + (textRect_.bottom - textRect_.top) / 2 - 16, icon_);
        SunkenFrame frame = frame_;
        frame.x = textRect_.left;
        frame.y = textRect_.top;
        frame.width = textRect_.right - textRect_.left + 1;
        frame.height = textRect_.bottom - textRect_.top + 1;
        frame.Draw(dc);
    }
}

void MsgBox::PaintLines(HDC dc, int y, int left, int right) const
{
    SetTextColor(dc, textColour_);
    SetBkColor(dc, background_);
    ForEachLine(text_, [&](const char* line, int length, int index) {
        const int x = left + (right - left - TextWidth(dc, line, length)) / 2;
        PaintText(dc, x, y + index * lineHeight_, std::string(line, static_cast<size_t>(length)));
    });
}

void MsgBox::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(GetHandle(), &paint);
    if (dc) {
        FillBackground(dc);
        PaintIconAndFrame(dc);
        PaintLines(dc, textRect_.top + 3, textRect_.left, textRect_.right);
    }
    EndPaint(GetHandle(), &paint);
}

bool WarningBox::Ask(HWND owner, const char* text, const char* caption, COLORREF bannerColour)
{
    bannerColour_ = bannerColour;
    return Show(owner, text, caption, BOX_YESNO, 0, 0xFFFFFF, 0x0000FF, 0x808080) == IDYES;
}

void WarningBox::CreateBoxWindow()
{
    textRect_.top = 2 * LineHeight();
    textRect_.bottom = LineHeight() * (LineCount() + 2) + 8;
    style_ = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    CreateWindowObject("CMSGCLASS", Owner(), nullptr, Caption(), 0, 0, textRect_.right + 16,
                       LineHeight() * (LineCount() + 8));
}

void WarningBox::CreateButtons()
{
    RECT client;
    GetClientRect(GetHandle(), &client);
    const int cx = client.right / 2;
    const int y = client.bottom - 3 * LineHeight();
    AddButton(0, "&Yes", cx - 70, y, IDYES);
    AddButton(1, "&No", cx + 10, y, IDNO);
}

void WarningBox::PaintBanner(HDC dc, int y, int width) const
{
    const char* word = "WARNING ";
    const int wordWidth = std::max(1, TextWidth(dc, word, 8));
    std::string banner;
    for (int x = 0; x < width; x += wordWidth)
        banner += word;
    PaintText(dc, 0, y, banner);
}

void WarningBox::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(GetHandle(), &paint);
    if (dc) {
        RECT client;
        GetClientRect(GetHandle(), &client);
        FillBackground(dc);
        SetTextColor(dc, bannerColour_);
        SetBkColor(dc, Background());
        PaintBanner(dc, 0, client.right);
        PaintBanner(dc, client.bottom - LineHeight(), client.right);
        PaintIconAndFrame(dc);
        PaintLines(dc, textRect_.top + 3, textRect_.left, textRect_.right);
    }
    EndPaint(GetHandle(), &paint);
}

AboutBox::AboutBox(ShellCalls& shell) : shell_(shell)
{
    link_.SetStyle(WS_CHILD | WS_VISIBLE | BS_OWNERDRAW);
}

int AboutBox::FirstLineY() const
{
    return 2 * LineHeight() + 32;
}

void AboutBox::CreateBoxWindow()
{
    style_ = WS_POPUP | WS_VISIBLE;
    const int lines = LineCount() + (*Caption() ? 10 : 8);
    CreateWindowObject("CMSGCLASS", Owner(), nullptr, "", 0, 0, WidestLine() + 4 * CharWidth(),
                       LineHeight() * lines);
}

void AboutBox::CreateButtons()
{
    RECT client;
    GetClientRect(GetHandle(), &client);
    const int width = client.right + 1;
    const int height = client.bottom + 1;
    SetWindowPos(GetHandle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GdiObject round(CreateEllipticRgn(0, 0, width, height));
    // The window owns the region once it is set; otherwise it is ours to free.
    if (round && SetWindowRgn(GetHandle(), static_cast<HRGN>(round.Get()), TRUE))
        round.Release();
    AddButton(0, "&Ok", client.right / 2 - 30, client.bottom - 3 * LineHeight(), 1);
    if (*Caption())
        CreateLink();
}

void AboutBox::CreateLink()
{
    SIZE size{};
    {
        WindowDC dc(GetHandle());
        if (!dc.Get())
            return;
        linkFont_.SetUnderline(true);
        linkFont_.SetColour(0x800000);
        if (linkFont_.Handle() || linkFont_.Create(dc.Get(), "MS Sans Serif", 12)) {
            Selected selected(dc.Get(), linkFont_.Handle());
            size = PaintedTextExtent(dc.Get(), Caption());
        }
    }
    RECT client;
    GetClientRect(GetHandle(), &client);
    const int y = FirstLineY() + LineCount() * LineHeight();
    link_.Create(GetHandle(), 0, Caption(), (client.right - size.cx) / 2, y, size.cx, size.cy);
}

void AboutBox::OnDrawItem(WPARAM, LPARAM lParam)
{
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->hwndItem != link_.GetHandle() || !linkFont_.Handle())
        return;
    HGDIOBJ previous = linkFont_.Select(item->hDC);
    SetBkColor(item->hDC, Background());
    PaintText(item->hDC, 0, 0, Caption());
    SelectObject(item->hDC, previous);
}

void AboutBox::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(GetHandle(), &paint);
    if (dc) {
        RECT client;
        GetClientRect(GetHandle(), &client);
        {
            GdiObject brush(CreateSolidBrush(Background()));
            GdiObject ring(CreatePen(PS_SOLID, 3, 0x0000FF));
            Selected brushSelected(dc, brush.Get());
            Selected ringSelected(dc, ring.Get());
            Ellipse(dc, 1, 1, client.right - 2, client.bottom - 2);
        }
        if (Icon())
            DrawIcon(dc, client.right / 2 - 16, 18, Icon());
        PaintLines(dc, FirstLineY(), 0, client.right);
    }
    EndPaint(GetHandle(), &paint);
}

void AboutBox::OnOtherCommand(int, HWND control)
{
    if (!control || control != link_.GetHandle())
        return;
    shell_.Open(Owner(), "open", Caption(), "", "", SW_SHOWNORMAL);
    SendMessageA(GetHandle(), WM_COMMAND, static_cast<WPARAM>(OkButtonId()), 0);
}
