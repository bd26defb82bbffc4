#include "gui_support.h"

#include "engine/wide_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<Step> pending;
size_t nextStep = 0;
UINT_PTR stepTimer = 0;

void CALLBACK OnStepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (nextStep >= pending.size()) {
        KillTimer(nullptr, stepTimer);
        stepTimer = 0;
        return;
    }
    // The step may start a modal loop of its own that runs later steps.
    const size_t index = nextStep;
    if (pending[index]() && nextStep == index)
        ++nextStep;
}

} // namespace

void RunSteps(std::vector<Step> steps)
{
    pending = std::move(steps);
    nextStep = 0;
    if (!stepTimer)
        stepTimer = SetTimer(nullptr, 0, 20, OnStepTimer);
}

bool StepsDone()
{
    return nextStep >= pending.size();
}

Step When(const Dialog& dialog, std::function<void(HWND)> action)
{
    return [&dialog, action] {
        if (!dialog.GetHandle())
            return false;
        action(dialog.GetHandle());
        return true;
    };
}

Step Type(const Dialog& dialog, int id, std::string text)
{
    return When(dialog, [id, text](HWND window) { SetDlgItemTextA(window, id, text.c_str()); });
}

Step Click(const Dialog& dialog, int id)
{
    return When(dialog, [id](HWND window) { SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); });
}

Step Press(const Dialog& dialog, int id)
{
    return When(dialog, [id](HWND window) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    });
}

Step NoteOpen(const Dialog& dialog, bool* open)
{
    return When(dialog, [open](HWND window) { *open = IsWindowVisible(window) != FALSE; });
}

INT_PTR RunScripted(const std::function<INT_PTR(HWND)>& run, std::vector<Step> steps)
{
    OwnerWindow owner(100, 80, 640, 480);
    RunSteps(std::move(steps));
    const INT_PTR result = run(owner.Handle());
    EXPECT_TRUE(StepsDone()) << "the dialog closed before its script ended";
    return result;
}

OwnerWindow::OwnerWindow(int x, int y, int width, int height)
    : window_(CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, width, height, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr))
{
}

OwnerWindow::~OwnerWindow()
{
    DestroyWindow(window_);
}

TEXTMETRICA DisplayMetrics()
{
    HDC info = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    TEXTMETRICA metrics{};
    GetTextMetricsA(info, &metrics);
    DeleteDC(info);
    return metrics;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ChildRect(HWND child)
{
    RECT rect = WindowRect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string TextOf(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND OpenBox()
{
    return FindWindowA("CMSGCLASS", nullptr);
}

HWND BoxButton(HWND box, const char* caption)
{
    return FindWindowExA(box, nullptr, "BUTTON", caption);
}

void RecordingShell::Open(HWND, const char* verb, const char* file, const char* parameters, const char* directory,
                          int show)
{
    opened.push_back(std::string(verb) + "|" + file + "|" + parameters + "|" + directory + "|" +
                     std::to_string(show));
}

bool RecordingShell::BrowseForFolder(BROWSEINFOW& info, wchar_t* path)
{
    lastInfo = info;
    lastTitle = info.lpszTitle ? Narrowed(info.lpszTitle) : "";
    if (chosen.empty())
        return false;
    lstrcpynW(path, Widened(chosen).c_str(), MAX_PATH);
    return true;
}
