// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).
// Local time in builds without the platform (the native sanitizer and fuzz
// builds): the local time zone is UTC there.
#include "local_time.h"

namespace {

constexpr uint64_t kTicksPerSecond = 10000000;
constexpr int64_t kDaysFrom1601To1970 = 134774;

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<int64_t>(era) * 146097 + dayOfEra - 719468;
}

} // namespace

bool LocalToUtcFileTime(const LocalDateTime& local, uint64_t& utc)
{
    // The range SystemTimeToFileTime accepts.
    if (local.year < 1601 || local.year > 30827 || local.month < 1 || local.month > 12 || local.day < 1 ||
        local.day > DaysInMonth(local.year, local.month) || local.hour > 23 || local.minute > 59 ||
        local.second > 59 || local.milliseconds > 999)
        return false;
    const int64_t days = DaysFromCivil(local.year, local.month, local.day) + kDaysFrom1601To1970;
    const uint64_t seconds = static_cast<uint64_t>(days) * 86400 + local.hour * 3600u + local.minute * 60u + local.second;
    utc = seconds * kTicksPerSecond + local.milliseconds * 10000u;
    return true;
}
