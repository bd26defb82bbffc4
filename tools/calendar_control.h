// Layer: dialogs (the action dialogs and the tools' windows).
// A small month calendar drawn by the program: a month box and a year box
// above a grid of days, where a click picks the day. Window class
// "CalendarClass"; it tells its parent of every change with WM_NOTIFY, code
// kCalendarChanged.
#pragma once
#include "tools/custom_control.h"
#include "ui/controls.h"
#include "ui/font_object.h"

constexpr UINT kCalendarChanged = 513;
constexpr int kMonthBoxId = 53700;
constexpr int kYearBoxId = 53701;
// The year box offers ten years: two before the date's year, seven after.
constexpr int kYearsBefore = 2;
constexpr int kYearsOffered = 10;

class CalendarControl : public CustomControl {
public:
    explicit CalendarControl(int id);

    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCreate() override;
    void OnDestroy() override;
    void OnLButtonDown(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

    // Shows the date's month with its day selected; the window must exist.
    void SetDate(const SYSTEMTIME& date);
    // The date shown: year, month and selected day; the other members are
    // those SetDate was given.
    void GetDate(SYSTEMTIME& date) const { date = date_; }

private:
    void LayOutMonth();
    void FillBoxes();
    void DrawDay(HDC dc, int day, bool selected) const;

    int firstWeekday_ = 0;
    int daysInMonth_ = 31;
    int firstYear_ = 0;
    RECT client_{};
    ComboCtl monthBox_;
    ComboCtl yearBox_;
    FontObject normalFont_;
    FontObject headerFont_;
    SYSTEMTIME date_{};
};
