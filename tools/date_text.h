// Layer: pure core (no <windows.h>, built natively too).
// The chosen date and time as text, and the rule that turns what the user
// entered in the time fields into a time. Pure code.
#pragma once
#include "engine/local_time.h"

#include <string>

// Month, day and year, two digits each: "01/11/13".
std::string FormatDateShort(const LocalDateTime& date);

// The time on a 12-hour clock: "08:05:00 PM"; midnight is "12:00:00 AM".
std::string FormatTime12(const LocalDateTime& time);

// What every file shows as its new "name" until the dates are changed: the
// date, two spaces and the time.
std::string FormatDateAndTime(const LocalDateTime& moment);

// The item of the hour box (0 for "1" ... 11 for "12") and the half of the
// day that show a 24-hour `hour`.
int HourItem(int hour);
bool IsMorning(int hour);

// A minute or second as typed: digits only, empty meaning 0. -1 when refused:
// a value above 59, or anything but digits ("5x", "-1", " 5").
int ReadMinuteOrSecond(const std::string& text);

// What the time fields of the date dialog hold when OK is pressed.
struct TimeEntry {
    int hourItem;       // selected item of the hour box; -1 with none
    bool morning;       // "AM" is checked
    std::string minute; // as typed
    std::string second;
};

struct ClockTime {
    int hour;
    int minute;
    int second;
};

// The 24-hour time the entry stands for. False when the minute or the second
// is refused; `time` is then left as it was.
bool TimeFromEntry(const TimeEntry& entry, ClockTime& time);
