// The calendar and the "Enter date" dialog as the user meets them: real
// windows in the test process, driven with messages.
#include "engine/working_set.h"
#include "gui/gui_support.h"
#include "resources/resource.h"
#include "tools/calendar_rules.h"
#include "tools/date_dialog.h"
#include "tools/date_text.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kCalendarId = 4711;

// The notifications a parent window was sent.
struct Notice {
    WPARAM wParam;
    HWND from;
    UINT_PTR idFrom;
    UINT code;
};
std::vector<Notice> notices;

LRESULT CALLBACK RecordingParentProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        notices.push_back({wParam, header->hwndFrom, header->idFrom, header->code});
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

SYSTEMTIME Date(int year, int month, int day)
{
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    date.wHour = 17;
    date.wMinute = 42;
    date.wDayOfWeek = 6;
    return date;
}

// A calendar on a plain window that records what the calendar tells it.
class CalendarOnWindow {
public:
    CalendarOnWindow() : calendar(kCalendarId)
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA parentClass{};
            parentClass.lpfnWndProc = RecordingParentProc;
            parentClass.hInstance = GetModuleHandleA(nullptr);
            parentClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
            parentClass.lpszClassName = "CalendarTestParent";
            registered = RegisterClassA(&parentClass) != 0;
        }
        RegisterAllCustomControls();
        parent = CreateWindowExA(0, "CalendarTestParent", "calendar", WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 100,
                                 240, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        window = CreateWindowExA(0, "CalendarClass", "Custom1", WS_CHILD | WS_VISIBLE, 10, 10, 170, 150, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCalendarId)),
                                 GetModuleHandleA(nullptr), nullptr);
        notices.clear();
    }
    ~CalendarOnWindow() { DestroyWindow(parent); }

    SYSTEMTIME Shown() const
    {
        SYSTEMTIME date;
        calendar.GetDate(date);
        return date;
    }

    CalendarControl calendar;
    HWND parent;
    HWND window;
};

void ClickAt(HWND calendar, int x, int y)
{
    SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

// Clicks the middle of the day's cell in the month shown.
void ClickDay(HWND calendar, const SYSTEMTIME& shown, int day)
{
    const CellRect cell = DayCell(Weekday(shown.wYear, shown.wMonth, 1), day);
    ClickAt(calendar, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

// Picks an item of the month or year box as the user's choice does.
void ChooseInBox(HWND calendar, int boxId, int item)
{
    HWND box = GetDlgItem(calendar, boxId);
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(calendar, WM_COMMAND, MAKEWPARAM(boxId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

std::string BoxItem(HWND box, int item)
{
    char text[32] = "";
    SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    return text;
}

int BoxCount(HWND box)
{
    return static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
}

int BoxSelection(HWND box)
{
    return static_cast<int>(SendMessageA(box, CB_GETCURSEL, 0, 0));
}

std::string Ymd(const SYSTEMTIME& d)
{
    return std::to_string(d.wYear) + "-" + std::to_string(d.wMonth) + "-" + std::to_string(d.wDay);
}

// The dialog and the status bar its refusals are written to, over a window.
class DialogScene {
public:
    DialogScene() : owner(100, 80, 640, 480), dialog(status)
    {
        status.Init(1);
        status.AddPane(20, 0);
        status.Create(owner.Handle());
    }

    // Runs the dialog with the steps playing inside its loop.
    INT_PTR Run(std::vector<Step> steps)
    {
        RunSteps(std::move(steps));
        const INT_PTR result = dialog.Run(owner.Handle());
        EXPECT_TRUE(StepsDone()) << "the dialog closed before its script ended";
        return result;
    }

    std::string StatusText() const
    {
        char text[64] = "";
        SendMessageA(status.GetHandle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }

    // A step that waits for the dialog to stand and then does `action`.
    Step When(std::function<void(HWND)> action)
    {
        return [this, action] {
            if (!dialog.GetHandle())
                return false;
            action(dialog.GetHandle());
            return true;
        };
    }

    // Posted, so that the next step comes after the button's work.
    Step Press(int id)
    {
        return When([id](HWND window) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); });
    }

    OwnerWindow owner;
    StatusBar status;
    DateDialog dialog;
};

HWND CalendarOf(HWND dialog)
{
    return GetDlgItem(dialog, IDC_CALENDAR);
}

std::string ItemText(HWND dialog, int id)
{
    char text[32] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void SetTime(HWND dialog, int hourItem, bool morning, const char* minute, const char* second)
{
    SendDlgItemMessageA(dialog, IDC_HOUR, CB_SETCURSEL, static_cast<WPARAM>(hourItem), 0);
    CheckRadioButton(dialog, IDC_AM, IDC_PM, morning ? IDC_AM : IDC_PM);
    SetDlgItemTextA(dialog, IDC_MINUTE, minute);
    SetDlgItemTextA(dialog, IDC_SECOND, second);
}

// What the dialog shows, read back from its controls.
struct Shown {
    std::string caption;
    int hours = 0;
    int hourItem = -1;
    bool morning = false;
    bool evening = false;
    std::string minute;
    std::string second;
    int month = -1;
    std::string year;
    int years = 0;
    std::string calendarClass;
    RECT calendarRoom{};
};

Shown ReadDialog(HWND dialog)
{
    Shown s;
    char text[64] = "";
    GetClientRect(GetDlgItem(dialog, IDC_CALENDAR), &s.calendarRoom);
    GetWindowTextA(dialog, text, sizeof text);
    s.caption = text;
    HWND hours = GetDlgItem(dialog, IDC_HOUR);
    s.hours = BoxCount(hours);
    s.hourItem = BoxSelection(hours);
    s.morning = IsDlgButtonChecked(dialog, IDC_AM) == BST_CHECKED;
    s.evening = IsDlgButtonChecked(dialog, IDC_PM) == BST_CHECKED;
    s.minute = ItemText(dialog, IDC_MINUTE);
    s.second = ItemText(dialog, IDC_SECOND);
    HWND calendar = CalendarOf(dialog);
    GetClassNameA(calendar, text, sizeof text);
    s.calendarClass = text;
    s.month = BoxSelection(GetDlgItem(calendar, kMonthBoxId));
    HWND years = GetDlgItem(calendar, kYearBoxId);
    s.years = BoxCount(years);
    s.year = BoxItem(years, BoxSelection(years));
    return s;
}

} // namespace

TEST(Calendar, SetDateFillsTheBoxesAndTellsTheParent)
{
    CalendarOnWindow c;
    ASSERT_TRUE(c.window);
    c.calendar.SetDate(Date(2023, 1, 31));
    HWND months = GetDlgItem(c.window, kMonthBoxId);
    HWND years = GetDlgItem(c.window, kYearBoxId);
    ASSERT_EQ(12, BoxCount(months));
    EXPECT_EQ("January", BoxItem(months, 0));
    EXPECT_EQ("December", BoxItem(months, 11));
    EXPECT_EQ(0, BoxSelection(months));
    ASSERT_EQ(10, BoxCount(years));
    EXPECT_EQ("2021", BoxItem(years, 0));
    EXPECT_EQ("2030", BoxItem(years, 9));
    EXPECT_EQ(2, BoxSelection(years));
    ASSERT_EQ(1u, notices.size());
    EXPECT_EQ(static_cast<WPARAM>(kCalendarId), notices[0].wParam);
    EXPECT_EQ(c.window, notices[0].from);
    EXPECT_EQ(static_cast<UINT_PTR>(kCalendarId), notices[0].idFrom);
    EXPECT_EQ(513u, notices[0].code);

    // A second date refills the boxes rather than adding to them.
    c.calendar.SetDate(Date(2005, 6, 1));
    EXPECT_EQ(12, BoxCount(months));
    EXPECT_EQ(5, BoxSelection(months));
    EXPECT_EQ("2003", BoxItem(years, 0));
}

TEST(Calendar, ClicksSelectDaysAndOnlyThoseTellTheParent)
{
    // June 2024 starts on a Saturday and runs over six rows.
    struct Case {
        const char* what;
        int x, y;
        int day; // selected afterwards
        bool told;
    } cases[] = {
        {"Saturday the 1st", 150, 50, 1, true},
        {"Sunday the 2nd", 10, 66, 2, true},
        {"the 30th on the sixth row", 10, 130, 30, true},
        {"empty cell before the 1st", 10, 50, 30, false},
        {"above the grid", 60, 47, 30, false},
        {"on the month box", 20, 5, 30, false},
        {"right of column 6", 165, 70, 30, false},
        {"empty cell after the 30th", 40, 130, 30, false},
        {"Wednesday the 12th", 80, 82, 12, true},
    };
    CalendarOnWindow c;
    c.calendar.SetDate(Date(2024, 6, 15));
    for (const Case& k : cases) {
        notices.clear();
        ClickAt(c.window, k.x, k.y);
        const SYSTEMTIME shown = c.Shown();
        EXPECT_EQ(k.day, shown.wDay) << k.what;
        EXPECT_EQ(6, shown.wMonth) << k.what;
        EXPECT_EQ(k.told ? 1u : 0u, notices.size()) << k.what;
        if (!notices.empty()) {
            EXPECT_EQ(513u, notices[0].code) << k.what;
        }
    }
    const SYSTEMTIME shown = c.Shown();
    EXPECT_EQ(17, shown.wHour) << "the time is carried through";
    EXPECT_EQ(42, shown.wMinute);
}

TEST(Calendar, MonthAndYearBoxesChangeTheMonthShown)
{
    struct Case {
        const char* what;
        SYSTEMTIME start;
        int box, item;
        const char* shown;
    } cases[] = {
        {"31 January to February of a common year", Date(2023, 1, 31), kMonthBoxId, 1, "2023-2-28"},
        {"31 January to February of a leap year", Date(2024, 1, 31), kMonthBoxId, 1, "2024-2-29"},
        {"a day that exists stays", Date(2023, 1, 15), kMonthBoxId, 11, "2023-12-15"},
        {"31 March to April", Date(2023, 3, 31), kMonthBoxId, 3, "2023-4-30"},
        {"29 February to a common year", Date(2024, 2, 29), kYearBoxId, 3, "2025-2-28"},
        {"29 February to the leap year before", Date(2024, 2, 29), kYearBoxId, 0, "2022-2-28"},
        {"to the last year offered", Date(2024, 5, 9), kYearBoxId, 9, "2031-5-9"},
    };
    for (const Case& k : cases) {
        CalendarOnWindow c;
        c.calendar.SetDate(k.start);
        notices.clear();
        ChooseInBox(c.window, k.box, k.item);
        EXPECT_EQ(k.shown, Ymd(c.Shown())) << k.what;
        ASSERT_EQ(1u, notices.size()) << k.what;
        EXPECT_EQ(513u, notices[0].code);
    }
}

TEST(Calendar, AChosenMonthIsTheOneClicksWorkIn)
{
    CalendarOnWindow c;
    c.calendar.SetDate(Date(2023, 1, 10));
    ChooseInBox(c.window, kMonthBoxId, 6); // July 2023 starts on a Saturday
    ClickAt(c.window, 150, 50);
    EXPECT_EQ("2023-7-1", Ymd(c.Shown()));
    ClickDay(c.window, c.Shown(), 31);
    EXPECT_EQ("2023-7-31", Ymd(c.Shown()));
}

TEST(Calendar, PaintsTheFrameTheLettersAndTheSelectedDay)
{
    CalendarOnWindow c;
    c.calendar.SetDate(Date(2024, 6, 12));
    UpdateWindow(c.window);
    HDC dc = GetDC(c.window);
    const CellRect selected = DayCell(6, 12);
    const CellRect other = DayCell(6, 20);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), GetPixel(dc, 0, 60)) << "left edge";
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), GetPixel(dc, 60, 32)) << "top edge";
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), GetPixel(dc, 169, 60)) << "right edge";
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), GetPixel(dc, 60, 149)) << "bottom edge";
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), GetPixel(dc, selected.left + 1, selected.top + 1));
    EXPECT_EQ(window, GetPixel(dc, other.left + 1, other.top + 1));
    EXPECT_EQ(window, GetPixel(dc, 3, 60)) << "grid ground between the edge and the cells";
    // One letter over each column.
    int lettersPlaced = 0;
    for (int column = 0; column < kGridColumns; ++column) {
        const CellRect below = DayCell(column, 1);
        int ink = 0;
        for (int y = 34; y < kGridTop; ++y)
            for (int x = below.left; x < below.right; ++x)
                ink += GetPixel(dc, x, y) != window;
        lettersPlaced += ink > 5;
    }
    int selectedTextPixels = 0, dayTextPixels = 0;
    for (int y = selected.top; y < selected.bottom; ++y)
        for (int x = selected.left; x < selected.right; ++x)
            selectedTextPixels += GetPixel(dc, x, y) == GetSysColor(COLOR_HIGHLIGHTTEXT);
    for (int y = other.top; y < other.bottom; ++y)
        for (int x = other.left; x < other.right; ++x)
            dayTextPixels += GetPixel(dc, x, y) != window;
    ReleaseDC(c.window, dc);
    EXPECT_EQ(kGridColumns, lettersPlaced) << "the weekday letters";
    EXPECT_GT(selectedTextPixels, 5) << "the selected day's number";
    EXPECT_GT(dayTextPixels, 5) << "another day's number";
}

TEST(DateDialog, OpensWithTheCurrentTimeAndCancelKeepsIt)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    DialogScene scene;
    const LocalDateTime start = scene.dialog.Result();
    EXPECT_EQ(now.wYear, start.year);
    EXPECT_EQ(0, start.second);
    Shown shown;
    const INT_PTR result = scene.Run({scene.When([&](HWND window) {
                                          shown = ReadDialog(window);
                                          SetTime(window, 3, false, "33", "44");
                                      }),
                                      scene.Press(IDCANCEL)});
    EXPECT_EQ(0, result);
    EXPECT_EQ("Enter date", shown.caption);
    EXPECT_EQ("CalendarClass", shown.calendarClass);
    EXPECT_EQ(12, shown.hours);
    EXPECT_EQ(HourItem(start.hour), shown.hourItem);
    EXPECT_EQ(start.hour < 12, shown.morning);
    EXPECT_EQ(start.hour >= 12, shown.evening);
    char minute[3];
    snprintf(minute, sizeof minute, "%02d", start.minute);
    EXPECT_EQ(minute, shown.minute);
    EXPECT_EQ("00", shown.second);
    EXPECT_EQ(start.month - 1, shown.month);
    EXPECT_EQ(std::to_string(start.year), shown.year);
    EXPECT_EQ(10, shown.years);
    // Room for a 31-day month that starts on a Saturday, and for the frame.
    EXPECT_GE(shown.calendarRoom.bottom, DayCell(6, 31).bottom + 2);
    EXPECT_GE(shown.calendarRoom.right, DayCell(6, 1).right + 2);
    const LocalDateTime after = scene.dialog.Result();
    EXPECT_EQ(start.hour, after.hour) << "Cancel changes nothing";
    EXPECT_EQ(start.minute, after.minute);
    EXPECT_EQ(start.day, after.day);
}

TEST(DateDialog, OkKeepsTheChosenMomentAndTheNextOpeningShowsIt)
{
    DialogScene scene;
    const int year = scene.dialog.Result().year + 2;
    const INT_PTR result = scene.Run({scene.When([year](HWND window) {
                                          HWND calendar = CalendarOf(window);
                                          ChooseInBox(calendar, kMonthBoxId, 1);
                                          ChooseInBox(calendar, kYearBoxId, 4);
                                          ClickDay(calendar, Date(year, 2, 1), 14);
                                          SetTime(window, 11, true, "7", "09");
                                      }),
                                      scene.Press(IDOK)});
    ASSERT_EQ(1, result);
    const LocalDateTime chosen = scene.dialog.Result();
    EXPECT_EQ(year, chosen.year);
    EXPECT_EQ(2, chosen.month);
    EXPECT_EQ(14, chosen.day);
    EXPECT_EQ(0, chosen.hour) << "12 AM";
    EXPECT_EQ(7, chosen.minute);
    EXPECT_EQ(9, chosen.second);
    EXPECT_EQ(0, chosen.milliseconds);
    char text[32];
    snprintf(text, sizeof text, "02/14/%02d  12:07:09 AM", year % 100);
    EXPECT_EQ(text, scene.dialog.Text());

    Shown shown;
    SYSTEMTIME onCalendar{};
    scene.Run({scene.When([&](HWND window) {
                   shown = ReadDialog(window);
                   scene.dialog.Calendar().GetDate(onCalendar);
               }),
               scene.Press(IDCANCEL)});
    EXPECT_EQ(1, shown.month);
    EXPECT_EQ(std::to_string(year), shown.year);
    EXPECT_EQ(11, shown.hourItem);
    EXPECT_TRUE(shown.morning);
    EXPECT_EQ("07", shown.minute);
    EXPECT_EQ("09", shown.second);
    EXPECT_EQ(14, onCalendar.wDay);
}

TEST(DateDialog, RefusedTimesKeepTheDialogOpenAndSaySo)
{
    struct Case {
        const char* minute;
        const char* second;
        int focused;
    } cases[] = {{"60", "00", IDC_MINUTE}, {"00", "75", IDC_SECOND}, {"5x", "00", IDC_MINUTE}, {"1", "-1", IDC_SECOND}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.minute) + ":" + c.second);
        DialogScene scene;
        const std::string before = scene.dialog.Text();
        bool open = false;
        std::string status;
        int focused = 0;
        const INT_PTR result = scene.Run({scene.When([&c](HWND window) { SetTime(window, 4, false, c.minute, c.second); }),
                                          scene.Press(IDOK),
                                          scene.When([&](HWND window) {
                                              open = IsWindowVisible(window) != FALSE;
                                              status = scene.StatusText();
                                              focused = GetDlgCtrlID(GetFocus());
                                          }),
                                          scene.Press(IDCANCEL)});
        EXPECT_EQ(0, result);
        EXPECT_TRUE(open);
        EXPECT_EQ("Incorrect time", status);
        EXPECT_EQ(c.focused, focused) << "the field to mend has the focus";
        EXPECT_EQ(before, scene.dialog.Text()) << "the moment is not changed";
    }
}

TEST(DateDialog, AnAcceptedTimeClearsTheComplaint)
{
    DialogScene scene;
    const INT_PTR result = scene.Run({scene.When([](HWND window) { SetTime(window, 0, false, "75", ""); }),
                                      scene.Press(IDOK),
                                      scene.When([](HWND window) { SetDlgItemTextA(window, IDC_MINUTE, ""); }),
                                      scene.Press(IDOK)});
    EXPECT_EQ(1, result);
    EXPECT_EQ("", scene.StatusText());
    EXPECT_EQ(13, scene.dialog.Result().hour) << "1 PM";
    EXPECT_EQ(0, scene.dialog.Result().minute) << "an empty field is 0";
}

TEST(DateDialog, ChangeDatesProposesTheTextForEveryListedFile)
{
    for (bool confirmed : {true, false}) {
        DialogScene scene;
        WorkingSet set;
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            set.Append(name);
        set.RemoveByName("b.jpg");
        RunSteps({scene.When([](HWND window) { SetTime(window, 7, false, "30", "00"); }),
                  scene.Press(confirmed ? IDOK : IDCANCEL)});
        EXPECT_EQ(confirmed, ChangeDates(set, scene.dialog, scene.owner.Handle()));
        EXPECT_TRUE(StepsDone());
        const std::string expected = confirmed ? scene.dialog.Text() : "";
        EXPECT_EQ(expected, set.Entry(0).newName);
        EXPECT_EQ("", set.Entry(1).newName) << "a file off the list gets nothing";
        EXPECT_EQ(expected, set.Entry(2).newName);
        if (confirmed) {
            EXPECT_NE(std::string::npos, expected.find("08:30:00 PM")) << expected;
        }
    }
}
