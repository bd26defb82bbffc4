// Layer: pure core (no <windows.h>, built natively too).
// The arithmetic of the month calendar: the weekday a month starts on, its
// length, where each day's cell lies and which day a click lands on. Pure
// code, all in pixels of the calendar's client area.
#pragma once

// Every day has a cell of this size; the grid's first row starts below the
// month and year boxes and the weekday letters.
constexpr int kCellWidth = 23;
constexpr int kCellHeight = 16;
constexpr int kGridTop = 3 * kCellHeight;
constexpr int kGridLeft = 4;
constexpr int kGridColumns = 7;

// Gregorian rule: every fourth year, but not whole centuries unless they
// divide by 400.
bool IsLeapYear(int year);

// Days of the month (1 to 12) in that year: 28 to 31.
int DaysInMonth(int year, int month);

// Gregorian day of the week, 0 for Sunday to 6 for Saturday.
int Weekday(int year, int month, int day);

struct CellRect {
    int left;
    int top;
    int right;
    int bottom;
};

// The cell of `day` in a month whose day 1 falls on `firstWeekday`.
CellRect DayCell(int firstWeekday, int day);

// The day a click at (x, y) selects, or 0 when the click is above the grid,
// right of its last column, or on a cell that holds no day of the month.
int DayAt(int x, int y, int firstWeekday, int daysInMonth);
