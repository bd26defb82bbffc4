// Layer: window framework.
// The small captionless window shown over a window while a long operation
// runs on the one thread: one line of text in a sunken frame, optionally a
// progress bar under it and a Cancel button.
#pragma once
#include "ui/window_object.h"

#include <cstdint>
#include <functional>
#include <string>

class WorkWnd : public Wnd {
public:
    WorkWnd();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool RegisterWindowClass() override;

    // Shows the window centred over `owner` and painted at once, since the
    // caller keeps the thread busy afterwards. 0 only when the display's text
    // metrics cannot be read; an uncreated window is no reason to stop.
    int Show(HWND owner, const char* text, bool disableOwner);
    // With a handler set, the window carries a Cancel button that calls it.
    void SetCancelHandler(std::function<void()> handler) { cancelHandler_ = std::move(handler); }
    // Whether the next Show adds a progress bar under the text.
    void SetProgressShown(bool shown) { withProgress_ = shown; }
    // Moves the bar to `done` of `total`.
    void SetProgress(int64_t done, int64_t total);
    // Changes the text of a shown window; it keeps the size the first text gave it.
    void SetText(const std::string& text);

private:
    void CreateCancelButton();
    void CreateProgressBar();
    void Layout();
    void Paint();

    bool disableOwner_ = false;
    HWND owner_ = nullptr;
    HWND cancelButton_ = nullptr;
    HWND progressBar_ = nullptr;
    bool withProgress_ = false;
    int charWidth_ = 0;
    int lineHeight_ = 0;
    std::function<void()> cancelHandler_;
    std::string text_;
    COLORREF textColour_ = 0;
    COLORREF background_ = 0xC0C0C0;
    RECT textRect_{};
};

// A long run on the window thread, shown in the working window with its bar
// and Cancel button. While it is shown one window takes no input, so that no
// other command starts in the middle of the run.
class WorkProgress {
public:
    explicit WorkProgress(WorkWnd& window) : window_(window) {}
    // A run cut short by an exception still gives the window back.
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Disables `blocked` and shows the window over `owner`.
    void Show(HWND owner, HWND blocked, const std::string& text);
    // Between two steps of the run: shows how far it got and lets the windows
    // answer, at most every 50 ms so that the run keeps its speed. False once
    // Cancel or Escape was pressed, or the program is to quit.
    bool KeepGoing(int64_t done, int64_t total);
    // Enables the blocked window before the working window goes, so that it
    // takes the activation back.
    void Close();
    bool Shown() const { return shown_; }
    void SetText(const std::string& text) { window_.SetText(text); }

private:
    WorkWnd& window_;
    HWND blocked_ = nullptr;
    bool shown_ = false;
    bool cancelled_ = false;
    DWORD lastProgress_ = 0; // tick count of the last progress shown
};

// A run whose length is not known beforehand, such as reading a folder: the
// working window comes only once the run has taken half a second, and then
// counts what was done and takes the Cancel.
class CountedRun {
public:
    explicit CountedRun(WorkProgress& progress) : progress_(progress) {}

    // `done` 0 starts the clock. `what` names the run and what it counts
    // ("Reading the folder", "files"). False once Cancel or Escape was pressed.
    bool KeepGoing(HWND owner, HWND blocked, const char* what, const char* items, int64_t done);
    void End();

    // Called as the window is about to show, from when on the windows paint.
    std::function<void()> beforeShow;

private:
    WorkProgress& progress_;
    DWORD start_ = 0;
    DWORD lastCount_ = 0;
    bool showing_ = false;
};

// Outer size of the working window for a text of this length; a progress bar
// takes two lines more.
SIZE WorkWndSize(int textLength, int charWidth, int lineHeight, bool withCancel, bool withProgress = false);
// Where a window of this size sits centred on `around`.
POINT CentredOn(const RECT& around, SIZE size);
