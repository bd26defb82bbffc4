// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).
// A local date and time, laid out like the system's SYSTEMTIME, and its
// conversion to a UTC file time (100 ns steps since 1601).
#pragma once
#include <cstdint>

struct LocalDateTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

// Uses the rules of the local time zone for that date (daylight saving or
// not). False when the date is not a valid one or cannot be converted.
bool LocalToUtcFileTime(const LocalDateTime& local, uint64_t& utc);
