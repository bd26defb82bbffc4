// Shared pieces of the framework's GUI tests: steps run from a timer inside
// whatever modal loop is running, plain windows to own the windows under
// test, and a shell that records what it was asked.
#pragma once
#include "ui/dialog_object.h"
#include "ui/shell_calls.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One step of a scripted session; it returns false to be tried again at the
// next tick (waiting for a window to appear, or for time to pass).
using Step = std::function<bool()>;

// Runs the steps one per timer tick, each after the previous one returned.
// The steps run from the message loop of whatever is modal at the time.
void RunSteps(std::vector<Step> steps);
// True once every step has run.
bool StepsDone();

// Steps on a dialog object's window; each waits for the dialog to stand.
Step When(const Dialog& dialog, std::function<void(HWND)> action);
Step Type(const Dialog& dialog, int id, std::string text);
Step Click(const Dialog& dialog, int id);
// Posted, so that whatever the button starts runs in the dialog's own loop
// and the next step comes after it.
Step Press(const Dialog& dialog, int id);
// Notes whether the dialog is still open; a closed one leaves the flag unset.
Step NoteOpen(const Dialog& dialog, bool* open);
// Runs a dialog over a plain owner window with the steps playing inside its
// loop, and expects them all to have run.
INT_PTR RunScripted(const std::function<INT_PTR(HWND)>& run, std::vector<Step> steps);

// A visible top-level window of a plain class at this rectangle, to own
// boxes and dialogs. Destroyed with the object.
class OwnerWindow {
public:
    OwnerWindow(int x, int y, int width, int height);
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

// The system font's metrics on the display, as the framework reads them.
TEXTMETRICA DisplayMetrics();

RECT WindowRect(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
std::string TextOf(HWND window);

// The box of class CMSGCLASS that is open now, or null.
HWND OpenBox();
// The box's button with this caption, or null.
HWND BoxButton(HWND box, const char* caption);

class RecordingShell : public ShellCalls {
public:
    void Open(HWND owner, const char* verb, const char* file, const char* parameters, const char* directory,
              int show) override;
    bool BrowseForFolder(BROWSEINFOW& info, wchar_t* path) override;

    // What Open was asked, one "verb|file|parameters|directory|show" per call.
    std::vector<std::string> opened;
    // What BrowseForFolder answers: the path, or nothing chosen when empty.
    std::string chosen;
    BROWSEINFOW lastInfo{};
    std::string lastTitle;
};
