// The program's own message box: answers by keyboard and mouse, its shape,
// the about box's link, and how it waits.
#include "gui_support.h"
#include "ui/message_box.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

// The button that has the keyboard, or the box's first button.
HWND KeyTarget(HWND box)
{
    HWND focus = GetFocus();
    return focus && GetParent(focus) == box ? focus : GetWindow(box, GW_CHILD);
}

Step PressKey(WPARAM key)
{
    return [key] {
        HWND box = OpenBox();
        if (!box)
            return false;
        PostMessageA(KeyTarget(box), WM_KEYDOWN, key, 1);
        return true;
    };
}

Step Click(const char* caption)
{
    return [caption] {
        HWND button = BoxButton(OpenBox(), caption);
        if (!button)
            return false;
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    };
}

int ShowWithSteps(MsgBox& box, HWND owner, const char* text, UINT type, std::vector<Step> steps)
{
    RunSteps(std::move(steps));
    return box.Show(owner, text, "Quillet", type, 0, 0, 0xC0C0C0, 0x808080);
}

double ProcessCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

} // namespace

TEST(MsgBox, KeyboardAnswers)
{
    struct Case {
        const char* what;
        UINT type;
        std::vector<WPARAM> keys;
        int result;
    } cases[] = {
        {"Y in a yes/no box", BOX_YESNO, {'Y'}, 6},
        {"N in a yes/no box", BOX_YESNO, {'N'}, 7},
        {"Enter on the first default", BOX_YESNO, {VK_RETURN}, 6},
        {"Enter on the second default", BOX_YESNO | BOX_DEFBUTTON2, {VK_RETURN}, 7},
        {"Enter on the third default", BOX_YESNOCANCEL | BOX_DEFBUTTON3, {VK_RETURN}, 2},
        {"Left on the first wraps to the last", BOX_YESNOCANCEL, {VK_LEFT, VK_RETURN}, 2},
        {"Right on the last wraps to the first", BOX_YESNOCANCEL | BOX_DEFBUTTON3, {VK_RIGHT, VK_RETURN}, 6},
        {"Tab moves on", BOX_OKCANCEL, {VK_TAB, VK_RETURN}, 2},
        {"C for Cancel", BOX_OKCANCEL, {'C'}, 2},
        {"Enter in a box with Ok only", BOX_OK, {VK_RETURN}, 1},
        {"a letter of no button", BOX_YESNO, {'Q', 'N'}, 7},
    };
    OwnerWindow owner(100, 100, 500, 400);
    for (const Case& c : cases) {
        MsgBox box;
        std::vector<Step> steps;
        for (WPARAM key : c.keys)
            steps.push_back(PressKey(key));
        EXPECT_EQ(c.result, ShowWithSteps(box, owner.Handle(), "Do you want to do this?", c.type, steps)) << c.what;
        EXPECT_EQ(nullptr, box.GetHandle()) << c.what;
    }
}

TEST(MsgBox, ClicksAnswerAndTheOwnerIsDisabledMeanwhile)
{
    OwnerWindow owner(100, 100, 500, 400);
    MsgBox box;
    bool ownerEnabledWhileOpen = true;
    const int result = ShowWithSteps(box, owner.Handle(), "Line one\nLine two", BOX_YESNOCANCEL,
                                     {[&] {
                                          if (!OpenBox())
                                              return false;
                                          ownerEnabledWhileOpen = IsWindowEnabled(owner.Handle()) != FALSE;
                                          return true;
                                      },
                                      Click("&No")});
    EXPECT_EQ(7, result);
    EXPECT_FALSE(ownerEnabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(MsgBox, HeightFollowsTheLinesAndAnEmptyTextLeavesButtonsOnly)
{
    struct Case {
        const char* text;
        int lines;
    } cases[] = {{"", 0}, {"one", 1}, {"one\n", 1}, {"one\ntwo\n\nfour", 4}};
    const TEXTMETRICA metrics = DisplayMetrics();
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    OwnerWindow owner(100, 100, 500, 400);
    for (const Case& c : cases) {
        MsgBox box;
        int height = 0, buttons = 0;
        ShowWithSteps(box, owner.Handle(), c.text, BOX_YESNO, {[&] {
                          HWND open = OpenBox();
                          if (!open)
                              return false;
                          const RECT rect = WindowRect(open);
                          height = rect.bottom - rect.top;
                          for (HWND child = GetWindow(open, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                              ++buttons;
                          return true;
                      },
                      Click("&Yes")});
        EXPECT_EQ(lineHeight * (c.lines + 6), height) << c.text;
        EXPECT_EQ(2, buttons) << c.text;
    }
}

TEST(MsgBox, ClosedWithoutAnAnswerReturnsZero)
{
    OwnerWindow owner(100, 100, 500, 400);
    MsgBox box;
    const int result = ShowWithSteps(box, owner.Handle(), "Close me", BOX_OKCANCEL, {[] {
                                         HWND open = OpenBox();
                                         if (open)
                                             PostMessageA(open, WM_CLOSE, 0, 0);
                                         return open != nullptr;
                                     }});
    EXPECT_EQ(0, result);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(MsgBox, PendingQuitEndsTheBoxAndStaysQueued)
{
    OwnerWindow owner(100, 100, 500, 400);
    MsgBox box;
    PostQuitMessage(3);
    EXPECT_EQ(0, box.Show(owner.Handle(), "Quitting", "Quillet", BOX_YESNO, 0, 0, 0xC0C0C0, 0x808080));
    EXPECT_EQ(nullptr, OpenBox());
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, quit.wParam);
}

TEST(MsgBox, WaitingForAnAnswerCostsAlmostNoTime)
{
    OwnerWindow owner(100, 100, 500, 400);
    MsgBox box;
    double cpuStart = 0, cpuUsed = 0;
    DWORD started = 0;
    ShowWithSteps(box, owner.Handle(), "Waiting", BOX_OK,
                  {[&] {
                       if (!OpenBox())
                           return false;
                       cpuStart = ProcessCpuSeconds();
                       started = GetTickCount();
                       return true;
                   },
                   [&] {
                       if (GetTickCount() - started < 1000)
                           return false;
                       cpuUsed = ProcessCpuSeconds() - cpuStart;
                       return true;
                   },
                   Click("&Ok")});
    std::cout << "CPU while a box waited one second: " << cpuUsed << " s\n";
    EXPECT_LT(cpuUsed, 0.2);
}

TEST(WarningBox, AsksYesOrNo)
{
    OwnerWindow owner(100, 100, 500, 400);
    for (const char* answer : {"&Yes", "&No"}) {
        WarningBox box;
        RunSteps({Click(answer)});
        EXPECT_EQ(answer[1] == 'Y', box.Ask(owner.Handle(), "This will rename 12 files.", "Quillet", 0x00FFFF));
    }
}

TEST(AboutBox, LinkOpensTheCaptionAndClosesAsOk)
{
    OwnerWindow owner(100, 100, 500, 400);
    RecordingShell shell;
    AboutBox box(shell);
    bool cornerOutside = false, centreInside = false;
    const char* caption = "https://quillet.example/";
    RunSteps({[&] {
                  HWND open = OpenBox();
                  if (!open)
                      return false;
                  HRGN region = CreateRectRgn(0, 0, 0, 0);
                  if (GetWindowRgn(open, region) != ERROR) {
                      const RECT rect = WindowRect(open);
                      cornerOutside = !PtInRegion(region, 1, 1);
                      centreInside = PtInRegion(region, (rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2);
                  }
                  DeleteObject(region);
                  return true;
              },
              Click(caption)});
    const int result = box.Show(owner.Handle(), "Quillet 1.0\nRenames the files of a folder", caption, BOX_OK, 0, 0,
                                0xFFFFFF, 0x808080);
    EXPECT_EQ(1, result);
    EXPECT_EQ(std::vector<std::string>{std::string("open|") + caption + "|||" + std::to_string(SW_SHOWNORMAL)},
              shell.opened);
    EXPECT_TRUE(cornerOutside);
    EXPECT_TRUE(centreInside);
}

TEST(AboutBox, OkClosesWithoutOpeningAnything)
{
    OwnerWindow owner(100, 100, 500, 400);
    RecordingShell shell;
    AboutBox box(shell);
    RunSteps({Click("&Ok")});
    EXPECT_EQ(1, box.Show(owner.Handle(), "Quillet 1.0", "", BOX_OK, 0, 0, 0xFFFFFF, 0x808080));
    EXPECT_TRUE(shell.opened.empty());
}
