// Layer: dialogs (the action dialogs and the tools' windows).

#include "tools/date_dialog.h"

#include "resources/resource.h"
#include "tools/date_text.h"
#include "tools/dialog_routines.h"
#include "ui/centring.h"

#include <vector>

namespace {

constexpr int kStatusPane = 0;
constexpr int kHours = 12;

LocalDateTime AsLocal(const SYSTEMTIME& s)
{
    LocalDateTime t;
    t.year = s.wYear;
    t.month = s.wMonth;
    t.dayOfWeek = s.wDayOfWeek;
    t.day = s.wDay;
    t.hour = s.wHour;
    t.minute = s.wMinute;
    t.second = s.wSecond;
    t.milliseconds = s.wMilliseconds;
    return t;
}

void SetTwoDigits(HWND dialog, int id, int value)
{
    char digits[3];
    TwoDigits(value, digits);
    SetDlgItemTextA(dialog, id, digits);
}

void FocusField(HWND dialog, int id)
{
    HWND field = GetDlgItem(dialog, id);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SendMessageA(field, EM_SETSEL, 0, -1);
}

} // namespace

DateDialog::DateDialog(StatusBar& status) : status_(status), calendar_(IDC_CALENDAR)
{
    GetLocalTime(&shown_);
    result_ = shown_;
    result_.wSecond = 0;
    text_ = FormatDateAndTime(AsLocal(result_));
    RegisterAllCustomControls();
}

INT_PTR DateDialog::Run(HWND owner)
{
    return Dialog::Run(owner, MAKEINTRESOURCEA(IDD_ENTER_DATE));
}

LocalDateTime DateDialog::Result() const
{
    return AsLocal(result_);
}

INT_PTR DateDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        Init();
        return 1;
    }
    if (msg != WM_COMMAND)
        return 0;
    if (LOWORD(wParam) == IDOK)
        Accept();
    else if (LOWORD(wParam) == IDCANCEL)
        EndDialog(handle_, 0);
    return 0;
}

void DateDialog::Init()
{
    HWND hours = GetDlgItem(handle_, IDC_HOUR);
    for (int hour = 1; hour <= kHours; ++hour) {
        char digits[4];
        wsprintfA(digits, "%d", hour);
        SendMessageA(hours, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(digits));
    }
    calendar_.SetDate(shown_);
    SendMessageA(hours, CB_SETCURSEL, static_cast<WPARAM>(HourItem(result_.wHour)), 0);
    CheckRadioButton(handle_, IDC_AM, IDC_PM, IsMorning(result_.wHour) ? IDC_AM : IDC_PM);
    SetTwoDigits(handle_, IDC_MINUTE, result_.wMinute);
    SetTwoDigits(handle_, IDC_SECOND, result_.wSecond);
    CenterOverOwner(handle_);
}

std::string DateDialog::FieldText(int id) const
{
    HWND field = GetDlgItem(handle_, id);
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    GetWindowTextA(field, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void DateDialog::Accept()
{
    calendar_.GetDate(shown_);
    TimeEntry entry;
    entry.hourItem = static_cast<int>(SendDlgItemMessageA(handle_, IDC_HOUR, CB_GETCURSEL, 0, 0));
    entry.morning = IsDlgButtonChecked(handle_, IDC_AM) == BST_CHECKED;
    entry.minute = FieldText(IDC_MINUTE);
    entry.second = FieldText(IDC_SECOND);
    ClockTime time;
    if (!TimeFromEntry(entry, time)) {
        Beep(440, 150);
        status_.SetText(kStatusPane, "Incorrect time");
        FocusField(handle_, ReadMinuteOrSecond(entry.minute) < 0 ? IDC_MINUTE : IDC_SECOND);
        return;
    }
    status_.SetText(kStatusPane, "");
    result_.wYear = shown_.wYear;
    result_.wMonth = shown_.wMonth;
    result_.wDay = shown_.wDay;
    result_.wHour = static_cast<WORD>(time.hour);
    result_.wMinute = static_cast<WORD>(time.minute);
    result_.wSecond = static_cast<WORD>(time.second);
    result_.wMilliseconds = 0;
    text_ = FormatDateAndTime(AsLocal(result_));
    EndDialog(handle_, 1);
}

bool ChangeDates(WorkingSet& set, DateDialog& dialog, HWND owner)
{
    if (dialog.Run(owner) != 1)
        return false;
    for (int i = 0; i < set.Count(); ++i)
        if (set.IsListed(i))
            set.SetNewName(i, dialog.Text());
    return true;
}
