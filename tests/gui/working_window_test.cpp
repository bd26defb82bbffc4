// The working window: its size from the text, its place over the owner, and
// the owner it holds while shown.
#include "gui_support.h"
#include "ui/working_window.h"

#include <gtest/gtest.h>

#include <string>

TEST(WorkingWindow, SizeFollowsTheTextAndTheCancelButton)
{
    struct Case {
        int length, charWidth, lineHeight;
        bool cancel;
        LONG width, height;
    } cases[] = {
        {30, 7, 16, false, 294, 80},
        {30, 7, 16, true, 294, 112},
        {0, 8, 13, false, 96, 65},
    };
    for (const Case& c : cases) {
        const SIZE size = WorkWndSize(c.length, c.charWidth, c.lineHeight, c.cancel);
        EXPECT_EQ(c.width, size.cx) << c.length;
        EXPECT_EQ(c.height, size.cy) << c.length;
    }
}

TEST(WorkingWindow, CentresOnTheOwnerTruncatingHalves)
{
    struct Case {
        RECT around;
        SIZE size;
        LONG x, y;
    } cases[] = {
        {{100, 100, 500, 400}, {294, 80}, 153, 210},
        {{0, 0, 101, 51}, {11, 5}, 45, 23},
        {{-50, -50, 50, 50}, {200, 200}, -100, -100},
    };
    for (const Case& c : cases) {
        const POINT at = CentredOn(c.around, c.size);
        EXPECT_EQ(c.x, at.x);
        EXPECT_EQ(c.y, at.y);
    }
}

TEST(WorkingWindow, ShowsCentredOverItsOwnerAtItsTextsSize)
{
    OwnerWindow owner(100, 100, 400, 300);
    const std::string text = "Renaming files - please wait.";
    WorkWnd working;
    ASSERT_EQ(1, working.Show(owner.Handle(), text.c_str(), false));
    ASSERT_NE(nullptr, working.GetHandle());
    const TEXTMETRICA metrics = DisplayMetrics();
    const SIZE size = WorkWndSize(static_cast<int>(text.size()), metrics.tmAveCharWidth,
                                  metrics.tmHeight + metrics.tmExternalLeading, false);
    const POINT at = CentredOn(WindowRect(owner.Handle()), size);
    const RECT rect = WindowRect(working.GetHandle());
    EXPECT_EQ(at.x, rect.left);
    EXPECT_EQ(at.y, rect.top);
    EXPECT_EQ(size.cx, rect.right - rect.left);
    EXPECT_EQ(size.cy, rect.bottom - rect.top);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    HWND first = working.GetHandle();
    working.Show(owner.Handle(), text.c_str(), false);
    EXPECT_EQ(first, working.GetHandle());
    EXPECT_TRUE(working.Destroy());
}

TEST(WorkingWindow, HoldsItsOwnerOnlyWhenAsked)
{
    OwnerWindow owner(100, 100, 400, 300);
    WorkWnd working;
    ASSERT_EQ(1, working.Show(owner.Handle(), "Changing dates - please wait...", true));
    EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
    working.Destroy();
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(WorkingWindow, CancelButtonCallsItsHandler)
{
    OwnerWindow owner(100, 100, 400, 300);
    WorkWnd working;
    int cancelled = 0;
    working.SetCancelHandler([&] { ++cancelled; });
    ASSERT_EQ(1, working.Show(owner.Handle(), "Copying disk 3", false));
    HWND cancel = FindWindowExA(working.GetHandle(), nullptr, "BUTTON", "&Cancel");
    ASSERT_NE(nullptr, cancel);
    EXPECT_EQ(2, GetDlgCtrlID(cancel));
    SendMessageA(cancel, BM_CLICK, 0, 0);
    EXPECT_EQ(1, cancelled);
    working.Destroy();
}

// A run of unknown length shows nothing for its first half second; then the
// window comes, the list behind it refilled first, holds the blocked window,
// and its Cancel stops the run.
TEST(WorkingWindow, ACountedRunShowsOnlyOnceItIsLong)
{
    OwnerWindow owner(100, 100, 400, 300);
    WorkWnd working;
    WorkProgress progress(working);
    CountedRun run(progress);
    int refilled = 0;
    run.beforeShow = [&] { ++refilled; };
    const auto keepGoing = [&](int done) {
        return run.KeepGoing(owner.Handle(), owner.Handle(), "Reading the folder", "files", done);
    };
    EXPECT_TRUE(keepGoing(0));
    EXPECT_TRUE(keepGoing(256));
    EXPECT_EQ(nullptr, working.GetHandle()) << "a short run shows no window";
    Sleep(600);
    EXPECT_TRUE(keepGoing(512));
    const HWND shown = working.GetHandle();
    ASSERT_NE(nullptr, shown);
    EXPECT_EQ(1, refilled);
    EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
    SendMessageA(FindWindowExA(shown, nullptr, "BUTTON", "&Cancel"), BM_CLICK, 0, 0);
    EXPECT_FALSE(keepGoing(768));
    run.End();
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}
