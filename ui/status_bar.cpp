// Layer: window framework.

#include "ui/status_bar.h"

#include "ui/gdi_scope.h"

#include <commctrl.h>

#include <new>

StatusBar::StatusBar() : Control(WS_CHILD | WS_VISIBLE) {}

bool StatusBar::Init(int capacity)
{
    try {
        widths_.assign(static_cast<size_t>(capacity), 0);
        types_.assign(static_cast<size_t>(capacity), 0);
        edges_.assign(static_cast<size_t>(capacity), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    capacity_ = capacity;
    added_ = 0;
    return true;
}

void StatusBar::AddPane(int widthInChars, int type)
{
    if (added_ >= capacity_)
        return;
    widths_[static_cast<size_t>(added_)] = widthInChars;
    types_[static_cast<size_t>(added_)] = type;
    ++added_;
}

bool StatusBar::Create(HWND parent)
{
    parent_ = parent;
    id_ = TakeId(0);
    handle_ = CreateStatusWindowA(style_, nullptr, parent, static_cast<UINT>(id_));
    if (!handle_)
        return false;
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendParts();
    for (int pane = 0; pane < capacity_; ++pane)
        SetText(pane, nullptr);
    return true;
}

void StatusBar::SetText(int pane, const char* text)
{
    if (pane < 0 || pane >= capacity_)
        return;
    SendMessageA(handle_, SB_SETTEXTA, static_cast<WPARAM>(pane | types_[static_cast<size_t>(pane)]),
                 reinterpret_cast<LPARAM>(text));
}

int StatusBar::VisibleHeight() const
{
    // The bar's own visible style counts: the frame lays out its children
    // before the frame itself is shown.
    RECT rect;
    if (!handle_ || !(GetWindowLongPtrA(handle_, GWL_STYLE) & WS_VISIBLE) || !GetWindowRect(handle_, &rect))
        return 0;
    return rect.bottom - rect.top;
}

std::vector<int> StatusBar::PaneEdges(int barWidth, int charWidth) const
{
    std::vector<int> edges(static_cast<size_t>(capacity_), 0);
    if (capacity_ == 0)
        return edges;
    size_t last = edges.size() - 1;
    edges[last] = barWidth - capacity_ * charWidth;
    for (size_t i = last; i > 0; --i)
        edges[i - 1] = edges[i] - widths_[i] * charWidth;
    return edges;
}

int StatusBar::CharWidth() const
{
    auto font = reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    WindowDC dc(parent_);
    if (!dc.Get())
        return 0;
    Selected selected(dc.Get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    return metrics.tmAveCharWidth;
}

void StatusBar::SendParts()
{
    SendMessageA(handle_, SB_SETPARTS, static_cast<WPARAM>(capacity_), reinterpret_cast<LPARAM>(edges_.data()));
}

void StatusBar::Resize(WPARAM wParam, LPARAM lParam)
{
    if (!handle_)
        return;
    SendMessageA(handle_, WM_SIZE, wParam, lParam);
    RECT rect;
    GetWindowRect(handle_, &rect);
    edges_ = PaneEdges(rect.right - rect.left, CharWidth());
    SendParts();
}
