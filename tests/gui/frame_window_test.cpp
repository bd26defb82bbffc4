// The frame: status panes, layout of its three children, the bar's commands
// and the message loop.
#include "gui_support.h"
#include "gui_test_ids.h"
#include "ui/frame_window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

class TestFrame : public FrameWnd {
public:
    int CanClose() override { return canClose; }
    void OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        senders.push_back(reinterpret_cast<HWND>(lParam));
    }
    bool OnOtherMessage(UINT msg, WPARAM wParam, LPARAM) override
    {
        if (msg != WM_BAR_RELAY)
            return false;
        relayed.push_back(static_cast<int>(wParam));
        return true;
    }
    int canClose = 1;
    std::vector<int> commands;
    std::vector<HWND> senders;
    std::vector<int> relayed;
};

struct FrameParts {
    ListViewCtl list;
    BtnBar bar;
    StatusBar status;
    TestFrame frame;

    FrameParts()
    {
        status.Init(3);
        status.AddPane(7, 0);
        status.AddPane(20, 0);
        status.AddPane(14, 0);
    }
    ~FrameParts()
    {
        frame.Destroy();
        // A destroyed frame ends the loop; later tests must not see its WM_QUIT.
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    bool Create(int width, int height)
    {
        if (!frame.Create(list, bar, status))
            return false;
        SetWindowPos(frame.GetHandle(), nullptr, 50, 50, width, height, SWP_NOZORDER);
        return true;
    }
    void Resize() { SetWindowPos(frame.GetHandle(), nullptr, 50, 50, 601, 400, SWP_NOZORDER); }
};

int StatusCharWidth(HWND status)
{
    HDC dc = GetDC(GetParent(status));
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(status, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(GetParent(status), dc);
    return metrics.tmAveCharWidth;
}

} // namespace

TEST(StatusBar, PaneEdgesCountBackFromTheRightInCharacters)
{
    struct Case {
        std::vector<int> widths;
        int capacity, barWidth, charWidth;
        std::vector<int> edges;
    } cases[] = {
        {{7, 20, 14}, 3, 600, 6, {378, 498, 582}},
        {{5, 10}, 2, 300, 8, {204, 284}},
        // Panes beyond the capacity are ignored.
        {{7, 20, 14}, 2, 600, 6, {468, 588}},
        {{9}, 1, 100, 5, {95}},
    };
    for (const Case& c : cases) {
        StatusBar status;
        ASSERT_TRUE(status.Init(c.capacity));
        for (int width : c.widths)
            status.AddPane(width, 0);
        EXPECT_EQ(c.edges, status.PaneEdges(c.barWidth, c.charWidth)) << c.barWidth;
    }
}

TEST(FrameWindow, ChildrenShareTheClientAreaWithAndWithoutTheBar)
{
    for (bool barShown : {true, false}) {
        FrameParts parts;
        parts.bar.SetVisible(barShown);
        ASSERT_TRUE(parts.Create(600, 400));
        const TEXTMETRICA metrics = DisplayMetrics();
        const int barHeight = barShown ? metrics.tmHeight + 12 : 0;
        RECT client;
        GetClientRect(parts.frame.GetHandle(), &client);
        const int statusHeight = parts.status.VisibleHeight();
        ASSERT_GT(statusHeight, 0);

        const RECT list = ChildRect(parts.list.GetHandle());
        EXPECT_EQ(0, list.left);
        EXPECT_EQ(barHeight, list.top) << barShown;
        EXPECT_EQ(client.right, list.right);
        EXPECT_EQ(client.bottom - statusHeight, list.bottom);
        const RECT status = ChildRect(parts.status.GetHandle());
        EXPECT_EQ(client.bottom, status.bottom);
        EXPECT_EQ(client.right, status.right);
        EXPECT_EQ(barShown, (GetWindowLongPtrA(parts.bar.GetHandle(), GWL_STYLE) & WS_VISIBLE) != 0);
        if (barShown) {
            EXPECT_EQ(client.right, ChildRect(parts.bar.GetHandle()).right);
        }
        EXPECT_EQ(WS_EX_CLIENTEDGE, GetWindowLongPtrA(parts.list.GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    }
}

TEST(FrameWindow, HidingTheBarGivesItsRoomToTheList)
{
    FrameParts parts;
    ASSERT_TRUE(parts.Create(600, 400));
    parts.bar.SetVisible(false);
    parts.Resize();
    EXPECT_EQ(0, ChildRect(parts.list.GetHandle()).top);
    EXPECT_FALSE(IsWindowVisible(parts.bar.GetHandle()));
}

TEST(FrameWindow, StatusPanesFollowTheWidth)
{
    FrameParts parts;
    ASSERT_TRUE(parts.Create(600, 400));
    HWND status = parts.status.GetHandle();
    const int cw = StatusCharWidth(status);
    ASSERT_GT(cw, 0);
    int edges[3] = {};
    ASSERT_EQ(3, SendMessageA(status, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    const RECT rect = WindowRect(status);
    const int width = rect.right - rect.left;
    EXPECT_EQ(width - 3 * cw, edges[2]);
    EXPECT_EQ(edges[2] - 14 * cw, edges[1]);
    EXPECT_EQ(edges[1] - 20 * cw, edges[0]);
    parts.status.SetText(1, "12 files");
    char text[32] = "";
    SendMessageA(status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("12 files", text);
}

TEST(FrameWindow, ClosingAndEndingTheSessionAskCanClose)
{
    for (int canClose : {0, 1}) {
        FrameParts parts;
        ASSERT_TRUE(parts.Create(600, 400));
        parts.frame.canClose = canClose;
        HWND frame = parts.frame.GetHandle();
        EXPECT_EQ(canClose, SendMessageA(frame, WM_QUERYENDSESSION, 0, 0));
        SendMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(canClose == 0, IsWindow(frame) != FALSE);
        // Destroying the frame ends the loop; take its WM_QUIT out again.
        MSG quit;
        EXPECT_EQ(canClose == 1, PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE);
    }
}

TEST(ButtonBar, ClickWithoutHandlerReachesTheFrameAsCommand)
{
    FrameParts parts;
    ASSERT_TRUE(parts.Create(600, 400));
    ButtonCtl plain, handled;
    ASSERT_TRUE(plain.Create(parts.bar.GetHandle(), 0, "Browse", 4, 4, 74, 22));
    ASSERT_TRUE(handled.Create(parts.bar.GetHandle(), 0, "Own", 80, 4, 74, 22));
    int heard = 0;
    handled.SetHandler([&](int id) { heard = id; });
    SendMessageA(plain.GetHandle(), BM_CLICK, 0, 0);
    SendMessageA(handled.GetHandle(), BM_CLICK, 0, 0);
    SendMessageA(parts.bar.GetHandle(), WM_BAR_RELAY, 17, 0);
    EXPECT_EQ(std::vector<int>{plain.Id()}, parts.frame.commands);
    EXPECT_EQ(std::vector<HWND>{parts.bar.GetHandle()}, parts.frame.senders);
    EXPECT_EQ(handled.Id(), heard);
    EXPECT_EQ(std::vector<int>{17}, parts.frame.relayed);
}

TEST(FrameWindow, LoopTranslatesAcceleratorsAndReturnsTheQuitCode)
{
    FrameParts parts;
    ASSERT_TRUE(parts.Create(600, 400));
    ASSERT_TRUE(parts.frame.LoadAccelerators(MAKEINTRESOURCEA(IDA_TEST_KEYS)));
    parts.frame.Show(SW_SHOW);
    HWND list = parts.list.GetHandle();
    PostMessageA(list, WM_KEYDOWN, VK_F5, 1);
    PostMessageA(parts.frame.GetHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, parts.frame.Run());
    EXPECT_EQ(std::vector<int>{IDM_TEST_REFRESH}, parts.frame.commands);
}
