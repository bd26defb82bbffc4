// Layer: window framework.

#include "ui/working_window.h"

#include <commctrl.h>
#include "ui/gdi_scope.h"
#include "ui/number_text.h"
#include "ui/painted_text.h"

namespace {

constexpr int CANCEL_ID = 2;
constexpr int kProgressSteps = 1000;

void Line(HDC dc, int stockPen, int x, int y)
{
    Selected selected(dc, GetStockObject(stockPen));
    LineTo(dc, x, y);
}

} // namespace

SIZE WorkWndSize(int textLength, int charWidth, int lineHeight, bool withCancel, bool withProgress)
{
    return {(textLength + 12) * charWidth, ((withCancel ? 7 : 5) + (withProgress ? 2 : 0)) * lineHeight};
}

POINT CentredOn(const RECT& around, SIZE size)
{
    return {around.left + (around.right - around.left) / 2 - size.cx / 2,
            around.top + (around.bottom - around.top) / 2 - size.cy / 2};
}

WorkWnd::WorkWnd() : Wnd(WS_POPUP | WS_VISIBLE | WS_DLGFRAME)
{
    exStyle_ = WS_EX_DLGMODALFRAME;
    RegisterWindowClass();
}

bool WorkWnd::RegisterWindowClass()
{
    static bool registered = false;
    WNDCLASSA windowClass = SharedWindowClass("WKWND", CS_BYTEALIGNWINDOW | CS_GLOBALCLASS);
    windowClass.hInstance = nullptr;
    return RegisterOnce(registered, windowClass, false);
}

int WorkWnd::Show(HWND owner, const char* text, bool disableOwner)
{
    disableOwner_ = disableOwner;
    owner_ = owner;
    text_ = text ? text : "";
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    TEXTMETRICA metrics{};
    if (!DisplayTextMetrics(metrics))
        return 0;
    charWidth_ = metrics.tmAveCharWidth;
    lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
    const SIZE size =
        WorkWndSize(static_cast<int>(text_.size()), charWidth_, lineHeight_, bool(cancelHandler_), withProgress_);
    const POINT at = CentredOn(ownerRect, size);
    if (CreateWindowObject("WKWND", owner, nullptr, nullptr, at.x, at.y, size.cx, size.cy)) {
        if (disableOwner_)
            EnableWindow(owner_, FALSE);
        if (cancelButton_)
            SetFocus(cancelButton_);
        RedrawWindow(GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return 1;
}

void WorkWnd::CreateCancelButton()
{
    RECT client;
    GetClientRect(GetHandle(), &client);
    const int width = 10 * charWidth_;
    cancelButton_ = CreateWindowExA(0, "BUTTON", "&Cancel", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON,
                                    client.right / 2 - width / 2, (withProgress_ ? 6 : 5) * lineHeight_, width,
                                    lineHeight_ + lineHeight_ / 2, GetHandle(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(CANCEL_ID)),
                                    GetModuleHandleA(nullptr), nullptr);
    if (cancelButton_)
        SendMessageA(cancelButton_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
}

// The bar fills the width of the text's frame, half a line under it.
void WorkWnd::CreateProgressBar()
{
    RECT client;
    GetClientRect(GetHandle(), &client);
    const int top = 4 * lineHeight_ + lineHeight_ / 2;
    progressBar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 3 * charWidth_, top,
                                   client.right - 6 * charWidth_, lineHeight_, GetHandle(), nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (progressBar_)
        SendMessageA(progressBar_, PBM_SETRANGE32, 0, kProgressSteps);
}

void WorkWnd::SetProgress(int64_t done, int64_t total)
{
    if (!progressBar_ || total <= 0)
        return;
    const int64_t step = done * kProgressSteps / total;
    SendMessageA(progressBar_, PBM_SETPOS, static_cast<WPARAM>(step), 0);
}

void WorkWnd::SetText(const std::string& text)
{
    text_ = text;
    if (GetHandle())
        InvalidateRect(GetHandle(), &textRect_, TRUE);
}

void WorkWnd::Layout()
{
    RECT client;
    GetClientRect(GetHandle(), &client);
    textRect_.left = 3 * charWidth_;
    textRect_.right = client.right - 3 * charWidth_;
    textRect_.top = lineHeight_;
    textRect_.bottom = cancelHandler_ || withProgress_ ? 4 * lineHeight_ : client.bottom - lineHeight_;
}

void WorkWnd::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(GetHandle(), &paint);
    if (dc) {
        GdiObject brush(CreateSolidBrush(background_));
        if (brush)
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(brush.Get()));
        SetBkColor(dc, background_);
        MoveToEx(dc, textRect_.left, textRect_.bottom, nullptr);
        Line(dc, BLACK_PEN, textRect_.left, textRect_.top);
        Line(dc, BLACK_PEN, textRect_.right, textRect_.top);
        Line(dc, WHITE_PEN, textRect_.right, textRect_.bottom);
        Line(dc, WHITE_PEN, textRect_.left, textRect_.bottom);
        SetTextColor(dc, textColour_);
        PaintTextIn(dc, text_, textRect_, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    EndPaint(GetHandle(), &paint);
}

LRESULT WorkWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        if (withProgress_)
            CreateProgressBar();
        if (cancelHandler_)
            CreateCancelButton();
        return 0;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_COMMAND:
        if (cancelButton_ && reinterpret_cast<HWND>(lParam) == cancelButton_ && cancelHandler_)
            cancelHandler_();
        return 0;
    case WM_DESTROY:
        cancelButton_ = nullptr;
        progressBar_ = nullptr;
        if (disableOwner_)
            EnableWindow(owner_, TRUE);
        BringWindowToTop(owner_);
        return 0;
    }
    return DefWindowProcA(GetHandle(), msg, wParam, lParam);
}

WorkProgress::~WorkProgress()
{
    if (shown_)
        Close();
}

void WorkProgress::Show(HWND owner, HWND blocked, const std::string& text)
{
    blocked_ = blocked;
    shown_ = true;
    cancelled_ = false;
    window_.SetCancelHandler([this] { cancelled_ = true; });
    window_.SetProgressShown(true);
    EnableWindow(blocked_, FALSE);
    window_.Show(owner, text.c_str(), false);
    // The first interval counts from a window in place: a short run ends
    // before it and never hands the thread to other windows.
    lastProgress_ = GetTickCount();
}

bool WorkProgress::KeepGoing(int64_t done, int64_t total)
{
    constexpr DWORD kInterval = 50;
    const DWORD now = GetTickCount();
    if (now - lastProgress_ < kInterval)
        return !cancelled_;
    lastProgress_ = now;
    window_.SetProgress(done, total);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            cancelled_ = true;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            cancelled_ = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !cancelled_;
}

void WorkProgress::Close()
{
    shown_ = false;
    EnableWindow(blocked_, TRUE);
    window_.Destroy();
    window_.SetCancelHandler(nullptr);
    window_.SetProgressShown(false);
}

namespace {

std::string CountText(const char* what, const char* items, int64_t done)
{
    char digits[34];
    return std::string(what) + ": " + FormatInt(static_cast<int>(done), digits, 10) + " " + items;
}

} // namespace

bool CountedRun::KeepGoing(HWND owner, HWND blocked, const char* what, const char* items, int64_t done)
{
    constexpr DWORD kDelay = 500;
    constexpr DWORD kCountInterval = 200;
    const DWORD now = GetTickCount();
    if (done == 0) {
        start_ = now;
        return true;
    }
    if (!showing_) {
        if (now - start_ < kDelay)
            return true;
        showing_ = true;
        lastCount_ = now;
        if (beforeShow)
            beforeShow();
        progress_.Show(owner, blocked, CountText(what, items, done));
    } else if (now - lastCount_ >= kCountInterval) {
        lastCount_ = now;
        progress_.SetText(CountText(what, items, done));
    }
    return progress_.KeepGoing(done, 0);
}

void CountedRun::End()
{
    if (showing_)
        progress_.Close();
    showing_ = false;
}
