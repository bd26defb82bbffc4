// The calendar's arithmetic and the date dialog's texts and time rule, with
// no window.
#include "local_moment.h"
#include "tools/calendar_rules.h"
#include "tools/date_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Days from 1 January 1970 (a Thursday), counted one by one: an independent
// way to the weekday.
int WeekdayByCounting(int year, int month, int day)
{
    long days = 0;
    for (int y = 1970; y < year; ++y)
        days += IsLeapYear(y) ? 366 : 365;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    days += day - 1;
    return static_cast<int>((days + 4) % 7);
}

} // namespace

TEST(CalendarRules, MonthLengths)
{
    struct Case {
        int year, month, days;
    } cases[] = {
        {1900, 2, 28}, {2000, 2, 29}, {2100, 2, 28}, {2400, 2, 29}, {2023, 2, 28}, {2024, 2, 29},
        {2023, 1, 31}, {2023, 4, 30}, {2023, 6, 30}, {2023, 7, 31}, {2023, 9, 30}, {2023, 11, 30},
        {2023, 12, 31},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.days, DaysInMonth(c.year, c.month)) << c.year << "-" << c.month;
}

TEST(CalendarRules, WeekdaysOfKnownDates)
{
    struct Case {
        int year, month, day, weekday;
    } cases[] = {
        {2000, 1, 1, 6},  // Saturday
        {2000, 2, 29, 2}, // Tuesday
        {2000, 3, 1, 3},  // Wednesday
        {1900, 3, 1, 4},  // Thursday: 1900 has no 29 February
        {2023, 1, 1, 0},  // Sunday
        {2024, 3, 1, 5},  // Friday
        {1601, 1, 1, 1},  // Monday: the first day file times count
        {2100, 3, 1, 1},  // Monday
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.weekday, Weekday(c.year, c.month, c.day)) << c.year << "-" << c.month << "-" << c.day;
}

TEST(CalendarRules, FirstWeekdayAgreesWithCountingEveryDay)
{
    for (int year = 1970; year <= 2110; ++year)
        for (int month = 1; month <= 12; ++month)
            ASSERT_EQ(WeekdayByCounting(year, month, 1), Weekday(year, month, 1)) << year << "-" << month;
}

TEST(CalendarRules, DayCells)
{
    struct Case {
        int firstWeekday, day;
        CellRect cell;
    } cases[] = {
        {0, 1, {4, 48, 23, 64}},    // Sunday the 1st: top left
        {6, 1, {142, 48, 161, 64}}, // Saturday the 1st: last column
        {6, 2, {4, 64, 23, 80}},    // and the 2nd starts the second row
        {6, 31, {27, 128, 46, 144}}, // a 31-day month from Saturday reaches row 5
        {3, 15, {73, 80, 92, 96}},
    };
    for (const Case& c : cases) {
        const CellRect r = DayCell(c.firstWeekday, c.day);
        EXPECT_EQ(c.cell.left, r.left) << c.firstWeekday << "/" << c.day;
        EXPECT_EQ(c.cell.top, r.top) << c.firstWeekday << "/" << c.day;
        EXPECT_EQ(c.cell.right, r.right) << c.firstWeekday << "/" << c.day;
        EXPECT_EQ(c.cell.bottom, r.bottom) << c.firstWeekday << "/" << c.day;
    }
}

TEST(CalendarRules, ThirtyOneDaysFromSaturdayUseSixRows)
{
    int lowest = 1000, highest = 0;
    for (int day = 1; day <= 31; ++day) {
        lowest = std::min(lowest, DayCell(6, day).top);
        highest = std::max(highest, DayCell(6, day).top);
    }
    EXPECT_EQ(48, lowest);
    EXPECT_EQ(128, highest);
}

TEST(CalendarRules, ClicksPickTheDayUnderThem)
{
    struct Case {
        const char* what;
        int x, y, firstWeekday, days, day;
    } cases[] = {
        {"first cell", 10, 50, 0, 31, 1},
        {"Saturday column", 150, 50, 0, 31, 7},
        {"second row", 10, 64, 0, 31, 8},
        {"last day of a Saturday month", 30, 130, 6, 31, 31},
        {"above the grid", 10, 47, 0, 31, 0},
        {"on the weekday letters", 100, 40, 0, 31, 0},
        {"right of column 6", 161, 50, 0, 31, 0},
        {"far right", 400, 100, 0, 31, 0},
        {"empty cell before day 1", 10, 50, 3, 30, 0},
        {"day 1 after the empty cells", 75, 50, 3, 30, 1},
        {"empty cell after the last day", 100, 128, 0, 28, 0},
        {"below the last row", 10, 140, 0, 28, 0},
        {"left of the window", -5, 50, 0, 31, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.day, DayAt(c.x, c.y, c.firstWeekday, c.days)) << c.what;
}

TEST(CalendarRules, EveryDayIsFoundAtItsOwnCell)
{
    for (int first = 0; first < 7; ++first)
        for (int days = 28; days <= 31; ++days)
            for (int day = 1; day <= days; ++day) {
                const CellRect r = DayCell(first, day);
                ASSERT_EQ(day, DayAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, first, days))
                    << first << " " << days << " " << day;
            }
}

TEST(DateText, ShortDatesAndTwelveHourTimes)
{
    struct Case {
        LocalDateTime moment;
        const char* date;
        const char* time;
    } cases[] = {
        {Moment(2013, 1, 11, 20, 5, 0), "01/11/13", "08:05:00 PM"},
        {Moment(2005, 12, 31, 0, 0, 0), "12/31/05", "12:00:00 AM"},
        {Moment(2000, 2, 29, 12, 30, 59), "02/29/00", "12:30:59 PM"},
        {Moment(1999, 7, 4, 11, 59, 9), "07/04/99", "11:59:09 AM"},
        {Moment(2024, 10, 1, 13, 0, 0), "10/01/24", "01:00:00 PM"},
        {Moment(2024, 10, 1, 23, 1, 2), "10/01/24", "11:01:02 PM"},
        {Moment(2024, 10, 1, 1, 1, 2), "10/01/24", "01:01:02 AM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.date, FormatDateShort(c.moment));
        EXPECT_EQ(c.time, FormatTime12(c.moment));
        EXPECT_EQ(std::string(c.date) + "  " + c.time, FormatDateAndTime(c.moment));
    }
    EXPECT_EQ(21u, FormatDateAndTime(Moment(2013, 1, 11, 20, 5, 0)).size());
}

TEST(DateText, MinutesAndSecondsAcceptDigitsOnly)
{
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"", 0},    {"0", 0},    {"00", 0},   {"5", 5},     {"05", 5},  {"59", 59},     {"0000059", 59},
        {"60", -1}, {"75", -1},  {"99", -1},  {"5x", -1},   {"x5", -1}, {" 5", -1},     {"5 ", -1},
        {"-1", -1}, {"+5", -1},  {"5.0", -1}, {"1e1", -1},  {"123", -1}, {"99999999999999999999", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, ReadMinuteOrSecond(c.text)) << "\"" << c.text << "\"";
}

TEST(DateText, HourItemAndHalfOfTheDayGiveTheHour)
{
    struct Case {
        int item;
        bool morning;
        int hour;
    } cases[] = {
        {11, true, 0},   // 12 AM
        {11, false, 12}, // 12 PM
        {0, false, 13},  // 1 PM
        {0, true, 1},    // 1 AM
        {10, true, 11},  // 11 AM
        {10, false, 23}, // 11 PM
        {-1, true, 0},   // no hour chosen
        {-1, false, 12},
    };
    for (const Case& c : cases) {
        ClockTime time{};
        ASSERT_TRUE(TimeFromEntry({c.item, c.morning, "07", "09"}, time)) << c.item;
        EXPECT_EQ(c.hour, time.hour) << c.item << (c.morning ? " AM" : " PM");
        EXPECT_EQ(7, time.minute);
        EXPECT_EQ(9, time.second);
    }
}

TEST(DateText, EveryHourShowsAndReadsBackTheSame)
{
    for (int hour = 0; hour < 24; ++hour) {
        ClockTime time{};
        ASSERT_TRUE(TimeFromEntry({HourItem(hour), IsMorning(hour), "", ""}, time));
        EXPECT_EQ(hour, time.hour);
        EXPECT_EQ(0, time.minute);
        EXPECT_EQ(0, time.second);
    }
}

TEST(DateText, ARefusedFieldLeavesTheTimeAsItWas)
{
    struct Case {
        const char* minute;
        const char* second;
    } cases[] = {{"60", "0"}, {"0", "75"}, {"5x", "0"}, {"0", "5x"}};
    for (const Case& c : cases) {
        ClockTime time{3, 4, 5};
        EXPECT_FALSE(TimeFromEntry({0, true, c.minute, c.second}, time)) << c.minute << ":" << c.second;
        EXPECT_EQ(3, time.hour);
        EXPECT_EQ(4, time.minute);
        EXPECT_EQ(5, time.second);
    }
}
