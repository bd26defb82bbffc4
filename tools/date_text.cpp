// Layer: pure core (no <windows.h>, built natively too).

#include "tools/date_text.h"

#include <cstdio>

namespace {

constexpr int kNoon = 12;
constexpr int kLongestMinute = 59;

std::string TwoDigitFields(int first, int second, int third, char separator)
{
    char text[40];
    snprintf(text, sizeof text, "%02d%c%02d%c%02d", first, separator, second, separator, third);
    return text;
}

// The hour as a 12-hour clock shows it: 1 to 12.
int ClockHour(int hour)
{
    const int twelve = hour % kNoon;
    return twelve == 0 ? kNoon : twelve;
}

} // namespace

std::string FormatDateShort(const LocalDateTime& date)
{
    return TwoDigitFields(date.month, date.day, date.year % 100, '/');
}

std::string FormatTime12(const LocalDateTime& time)
{
    return TwoDigitFields(ClockHour(time.hour), time.minute, time.second, ':') +
           (IsMorning(time.hour) ? " AM" : " PM");
}

std::string FormatDateAndTime(const LocalDateTime& moment)
{
    return FormatDateShort(moment) + "  " + FormatTime12(moment);
}

int HourItem(int hour)
{
    return ClockHour(hour) - 1;
}

bool IsMorning(int hour)
{
    return hour < kNoon;
}

int ReadMinuteOrSecond(const std::string& text)
{
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
        if (value > kLongestMinute)
            return -1;
    }
    return value;
}

bool TimeFromEntry(const TimeEntry& entry, ClockTime& time)
{
    const int minute = ReadMinuteOrSecond(entry.minute);
    const int second = ReadMinuteOrSecond(entry.second);
    if (minute < 0 || second < 0)
        return false;
    int hour = entry.hourItem + 1;
    if (entry.morning) {
        if (hour == kNoon)
            hour = 0;
    } else if (hour < kNoon) {
        hour += kNoon;
    }
    time = {hour, minute, second};
    return true;
}
