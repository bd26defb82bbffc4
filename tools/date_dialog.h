// Layer: dialogs (the action dialogs and the tools' windows).
// The "Enter date" dialog: a calendar for the day and 12-hour fields for the
// time that "Change file dates..." gives every listed file. The program keeps
// one for the whole run, so each opening shows the last accepted moment.
#pragma once
#include "engine/local_time.h"
#include "engine/working_set.h"
#include "tools/calendar_control.h"
#include "ui/dialog_object.h"
#include "ui/status_bar.h"

#include <string>

class DateDialog : public Dialog {
public:
    // Starts at the current local time, seconds 0. "Incorrect time" goes to
    // the first pane of `status`.
    explicit DateDialog(StatusBar& status);

    // 1 when a moment was accepted, 0 when cancelled, -1 when the dialog
    // could not be shown.
    INT_PTR Run(HWND owner);
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The last accepted moment, local time.
    LocalDateTime Result() const;
    // The moment as the file list shows it: "01/11/13  08:05:00 PM".
    const std::string& Text() const { return text_; }
    const CalendarControl& Calendar() const { return calendar_; }

private:
    void Init();
    // Keeps the dialog open, with the field to mend in focus, when the time
    // is refused.
    void Accept();
    std::string FieldText(int id) const;

    StatusBar& status_;
    SYSTEMTIME shown_{};
    SYSTEMTIME result_{};
    CalendarControl calendar_;
    std::string text_;
};

// Asks for the moment and proposes its text for every listed file. False when
// the dialog was cancelled or could not be shown: the set is then untouched.
bool ChangeDates(WorkingSet& set, DateDialog& dialog, HWND owner);
