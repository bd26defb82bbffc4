// Layer: dialogs (the action dialogs and the tools' windows).

#include "tools/calendar_control.h"

#include "tools/calendar_rules.h"
#include "ui/painted_text.h"
#include "ui/sunken_frame.h"

#include <string>

namespace {

const char kClassName[] = "CalendarClass";
const char kFace[] = "Arial";
constexpr int kPoints = 9;
constexpr int kBoldWeight = 700;
// The boxes stand above the framed area that holds the weekday letters and
// the grid.
constexpr int kFrameTop = 32;
const char kWeekdayLetters[] = "SMTWTFS";
const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
// Fixed lists to pick from, reached with Tab as the dialog's other fields are.
constexpr DWORD kBoxStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST;

int SelectedItem(const ComboCtl& box)
{
    return static_cast<int>(SendMessageA(box.GetHandle(), CB_GETCURSEL, 0, 0));
}

} // namespace

CalendarControl::CalendarControl(int id) : CustomControl(id, kClassName), monthBox_(kBoxStyle), yearBox_(kBoxStyle)
{
    headerFont_.SetWeight(kBoldWeight);
    headerFont_.SetUnderline(true);
}

void CalendarControl::OnCreate()
{
    GetClientRect(handle_, &client_);
    HDC dc = GetDC(handle_);
    normalFont_.Create(dc, kFace, kPoints);
    headerFont_.Create(dc, kFace, kPoints);
    ReleaseDC(handle_, dc);
    monthBox_.Create(handle_, kMonthBoxId, "", 0, 0, 90, 210);
    yearBox_.Create(handle_, kYearBoxId, "", 96, 0, 60, 200);
    for (const ComboCtl* box : {&monthBox_, &yearBox_})
        SendMessageA(box->GetHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_.Handle()), FALSE);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

void CalendarControl::OnDestroy()
{
    normalFont_.Delete();
    headerFont_.Delete();
}

void CalendarControl::SetDate(const SYSTEMTIME& date)
{
    date_ = date;
    FillBoxes();
    LayOutMonth();
    InvalidateRect(handle_, nullptr, TRUE);
    NotifyParent(kCalendarChanged);
}

void CalendarControl::FillBoxes()
{
    HWND months = monthBox_.GetHandle();
    HWND years = yearBox_.GetHandle();
    SendMessageA(months, CB_RESETCONTENT, 0, 0);
    SendMessageA(years, CB_RESETCONTENT, 0, 0);
    for (const char* name : kMonthNames)
        SendMessageA(months, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageA(months, CB_SETCURSEL, static_cast<WPARAM>(date_.wMonth - 1), 0);
    firstYear_ = date_.wYear - kYearsBefore;
    for (int i = 0; i < kYearsOffered; ++i)
        SendMessageA(years, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(firstYear_ + i).c_str()));
    SendMessageA(years, CB_SETCURSEL, kYearsBefore, 0);
}

void CalendarControl::LayOutMonth()
{
    firstWeekday_ = Weekday(date_.wYear, date_.wMonth, 1);
    daysInMonth_ = DaysInMonth(date_.wYear, date_.wMonth);
}

void CalendarControl::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != CBN_SELCHANGE)
        return;
    const int id = LOWORD(wParam);
    if (id == kMonthBoxId) {
        const int item = SelectedItem(monthBox_);
        if (item < 0)
            return;
        date_.wMonth = static_cast<WORD>(item + 1);
    } else if (id == kYearBoxId) {
        const int item = SelectedItem(yearBox_);
        if (item < 0)
            return;
        date_.wYear = static_cast<WORD>(firstYear_ + item);
    } else {
        return;
    }
    LayOutMonth();
    if (date_.wDay > daysInMonth_)
        date_.wDay = static_cast<WORD>(daysInMonth_);
    InvalidateRect(handle_, nullptr, TRUE);
    UpdateWindow(handle_);
    NotifyParent(kCalendarChanged);
}

void CalendarControl::OnLButtonDown(WPARAM, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    const int day = DayAt(x, y, firstWeekday_, daysInMonth_);
    if (day == 0)
        return;
    HDC dc = GetDC(handle_);
    HGDIOBJ previous = normalFont_.Select(dc);
    DrawDay(dc, date_.wDay, false);
    date_.wDay = static_cast<WORD>(day);
    DrawDay(dc, day, true);
    SelectObject(dc, previous);
    ReleaseDC(handle_, dc);
    NotifyParent(kCalendarChanged);
}

void CalendarControl::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle_, &paint);
    const int width = client_.right;
    const int height = client_.bottom;
    SunkenFrame frame;
    frame.light = GetSysColor(COLOR_BTNHIGHLIGHT);
    frame.dark = GetSysColor(COLOR_BTNSHADOW);
    frame.y = kFrameTop;
    frame.width = width;
    frame.height = height - kFrameTop;
    frame.Draw(dc);
    RECT inside{2, kFrameTop + 2, width - 2, height - 2};
    FillRect(dc, &inside, GetSysColorBrush(COLOR_WINDOW));

    // Each letter stands over its own column, whatever the font's widths.
    HGDIOBJ previous = headerFont_.Select(dc);
    SetBkMode(dc, TRANSPARENT);
    for (int column = 0; column < kGridColumns; ++column) {
        const CellRect below = DayCell(column, 1);
        RECT letter{below.left, inside.top, below.right, below.top};
        PaintTextIn(dc, std::string(1, kWeekdayLetters[column]), letter, DT_SINGLELINE | DT_CENTER | DT_TOP);
    }
    SetBkMode(dc, OPAQUE);

    normalFont_.Select(dc);
    for (int day = 1; day <= daysInMonth_; ++day)
        DrawDay(dc, day, false);
    DrawDay(dc, date_.wDay, true);
    SelectObject(dc, previous);
    EndPaint(handle_, &paint);
}

void CalendarControl::DrawDay(HDC dc, int day, bool selected) const
{
    const CellRect cell = DayCell(firstWeekday_, day);
    RECT rect{cell.left, cell.top, cell.right, cell.bottom};
    const int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    FillRect(dc, &rect, GetSysColorBrush(background));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
    PaintTextIn(dc, std::to_string(day), rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
