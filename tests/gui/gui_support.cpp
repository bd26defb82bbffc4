#include "gui_support.h"

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

bool RecordingShell::BrowseForFolder(BROWSEINFOA& info, char* path)
{
    lastInfo = info;
    lastTitle = info.lpszTitle ? info.lpszTitle : "";
    if (chosen.empty())
        return false;
    lstrcpynA(path, chosen.c_str(), MAX_PATH);
    return true;
}
