// Layer: pure core (no <windows.h>, built natively too).

#include "tools/calendar_rules.h"

namespace {

constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    return kDaysInMonth[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int Weekday(int year, int month, int day)
{
    // Counting from 1 March makes the leap day the last day of the year, so
    // the leap years before a date are those up to the year it counts in.
    static const int kMonthOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        --year;
    return (year + year / 4 - year / 100 + year / 400 + kMonthOffset[month - 1] + day) % 7;
}

CellRect DayCell(int firstWeekday, int day)
{
    const int index = firstWeekday + day - 1;
    const int column = index % kGridColumns;
    const int top = (index / kGridColumns + 3) * kCellHeight;
    return {column * kCellWidth + kGridLeft, top, column * kCellWidth + kCellWidth, top + kCellHeight};
}

int DayAt(int x, int y, int firstWeekday, int daysInMonth)
{
    if (x < 0 || y < kGridTop)
        return 0;
    const int column = x / kCellWidth;
    if (column >= kGridColumns)
        return 0;
    const int row = (y - kGridTop) / kCellHeight;
    const int day = row * kGridColumns - firstWeekday + column + 1;
    return day >= 1 && day <= daysInMonth ? day : 0;
}
