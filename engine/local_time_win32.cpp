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
    FILETIME localTime;
    FILETIME universal;
    if (!SystemTimeToFileTime(&system, &localTime) || !LocalFileTimeToFileTime(&localTime, &universal))
        return false;
    utc = (static_cast<uint64_t>(universal.dwHighDateTime) << 32) | universal.dwLowDateTime;
    return true;
}
