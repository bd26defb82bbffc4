// A local date and time for the tests' tables, written as one call.
#pragma once
#include "engine/local_time.h"

inline LocalDateTime Moment(int year, int month, int day, int hour, int minute, int second)
{
    LocalDateTime t;
    t.year = static_cast<uint16_t>(year);
    t.month = static_cast<uint16_t>(month);
    t.day = static_cast<uint16_t>(day);
    t.hour = static_cast<uint16_t>(hour);
    t.minute = static_cast<uint16_t>(minute);
    t.second = static_cast<uint16_t>(second);
    return t;
}
