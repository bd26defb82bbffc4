// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).

#include "local_time.h"

#include <windows.h>

bool LocalToUtcFileTime(const LocalDateTime& local, uint64_t& utc)
{
    SYSTEMTIME system;
    system.wYear = local.year;
    system.wMonth = local.month;
    system.wDayOfWeek = local.dayOfWeek;
    system.wDay = local.day;
    system.wHour = local.hour;
    system.wMinute = local.minute;
    system.wSecond = local.second;
    system.wMilliseconds = local.milliseconds;
    // The offset is the one in force on that date, daylight saving or not, so
    // that a summer date chosen in winter shows as chosen. The first call
    // turns away dates that do not exist.
    FILETIME checked;
    SYSTEMTIME universalTime;
    FILETIME universal;
    if (!SystemTimeToFileTime(&system, &checked) ||
        !TzSpecificLocalTimeToSystemTime(nullptr, &system, &universalTime) ||
        !SystemTimeToFileTime(&universalTime, &universal))
        return false;
    utc = (static_cast<uint64_t>(universal.dwHighDateTime) << 32) | universal.dwLowDateTime;
    return true;
}
