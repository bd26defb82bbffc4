// How messages reach a window object: the shared procedure, the dispatcher
// and the life of the handle.
#include "gui_support.h"
#include "ui/controls.h"
#include "ui/window_object.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class RecordingWnd : public Wnd {
public:
    explicit RecordingWnd(DWORD style = WS_OVERLAPPEDWINDOW) : Wnd(style) { RegisterWindowClass(); }

    bool RegisterWindowClass() override
    {
        static bool registered = false;
        return RegisterOnce(registered, SharedWindowClass("RecordingWnd", 0), true);
    }
    void FillWindowClass(WNDCLASSA* windowClass) override
    {
        windowClass->hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    }
    bool Open(HWND parent = nullptr)
    {
        return CreateWindowObject("RecordingWnd", parent, nullptr, "recording", 10, 10, 200, 100);
    }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(msg);
        if (msg == WM_USER + 1)
            throw std::runtime_error("handler failed");
        return Wnd::WindowProc(msg, wParam, lParam);
    }
    bool OnCreate() override
    {
        ++creates;
        return createSucceeds;
    }
    void OnDestroy() override { calls += "OnDestroy "; }
    int OnSaveState() override
    {
        calls += "OnSaveState ";
        return 0;
    }
    void OnDestroyed() override { calls += "OnDestroyed "; }
    void OnEndSession(WPARAM, LPARAM) override { calls += "OnEndSession "; }
    void OnSysCommand() override { calls += "OnSysCommand "; }
    void OnNotify(WPARAM, LPARAM) override { calls += "OnNotify "; }
    bool OnOtherMessage(UINT msg, WPARAM, LPARAM) override { return msg == WM_USER + 2; }

    std::vector<UINT> messages;
    std::string calls;
    int creates = 0;
    bool createSucceeds = true;
};

class AnsweringControl : public Control {
public:
    AnsweringControl() : Control(WS_CHILD | WS_VISIBLE) {}
    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override
    {
        id_ = TakeId(id);
        return Attach("STATIC", parent, text, x, y, width, height);
    }
    LRESULT OnNotifyMessage(NMHDR* header) override { return 1000 + static_cast<LRESULT>(header->code); }
};

LRESULT Notify(HWND target, HWND from, UINT code)
{
    NMHDR header{from, 0, code};
    return SendMessageA(target, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

} // namespace

TEST(WindowObject, ObjectHearsNothingBeforeNcCreate)
{
    RecordingWnd window;
    ASSERT_TRUE(window.Open());
    ASSERT_FALSE(window.messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), window.messages.front());
    EXPECT_EQ(&window, reinterpret_cast<Wnd*>(GetWindowLongPtrA(window.GetHandle(), GWLP_USERDATA)));
    window.Destroy();
}

TEST(WindowObject, WindowWithoutObjectGetsDefaultProcessing)
{
    RecordingWnd registrar;
    HWND bare = CreateWindowExA(0, "RecordingWnd", "bare", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, bare);
    SendMessageA(bare, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set by default"));
    EXPECT_EQ("set by default", TextOf(bare));
    DestroyWindow(bare);
}

TEST(WindowObject, DestroyCallsItsHandlersInOrderAndClearsTheHandle)
{
    RecordingWnd window;
    ASSERT_TRUE(window.Open());
    EXPECT_TRUE(window.Destroy());
    EXPECT_EQ("OnDestroy OnSaveState OnDestroyed ", window.calls);
    EXPECT_EQ(nullptr, window.GetHandle());
    EXPECT_FALSE(window.Destroy());
}

TEST(WindowObject, EndSessionSavesStateOnlyWhenTheSessionEnds)
{
    struct Case {
        WPARAM ending;
        const char* calls;
    } cases[] = {{TRUE, "OnEndSession OnSaveState "}, {FALSE, "OnEndSession "}};
    for (const Case& c : cases) {
        RecordingWnd window;
        ASSERT_TRUE(window.Open());
        EXPECT_EQ(0, SendMessageA(window.GetHandle(), WM_ENDSESSION, c.ending, 0));
        EXPECT_EQ(c.calls, window.calls) << c.ending;
        window.Destroy();
    }
}

TEST(WindowObject, SysCommandReachesItsHandlerAndStillGetsDefaultProcessing)
{
    RecordingWnd window;
    ASSERT_TRUE(window.Open());
    HWND handle = window.GetHandle();
    SendMessageA(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    // The default processing closes the window, and the default OnClose destroys it.
    EXPECT_EQ(0u, window.calls.find("OnSysCommand "));
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(nullptr, window.GetHandle());
}

TEST(WindowObject, CreatingAgainWhileAWindowIsHeldCreatesNothing)
{
    RecordingWnd window;
    ASSERT_TRUE(window.Open());
    HWND first = window.GetHandle();
    EXPECT_TRUE(window.Open());
    EXPECT_EQ(first, window.GetHandle());
    EXPECT_EQ(1, window.creates);
    window.Destroy();
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(2, window.creates);
    window.Destroy();
}

TEST(WindowObject, FailingOnCreateFailsTheCreation)
{
    RecordingWnd window;
    window.createSucceeds = false;
    EXPECT_FALSE(window.Open());
    EXPECT_EQ(nullptr, window.GetHandle());
}

TEST(WindowObject, ChildDestroyedWithItsParentCanBeCreatedAgain)
{
    RecordingWnd parent;
    RecordingWnd child(WS_CHILD | WS_VISIBLE);
    ASSERT_TRUE(parent.Open());
    ASSERT_TRUE(child.Open(parent.GetHandle()));
    parent.Destroy();
    EXPECT_EQ(nullptr, child.GetHandle());
    ASSERT_TRUE(parent.Open());
    EXPECT_TRUE(child.Open(parent.GetHandle()));
    EXPECT_EQ(2, child.creates);
    parent.Destroy();
}

TEST(WindowObject, NotifyGoesToTheSendersControlObjectFirst)
{
    RecordingWnd window;
    ASSERT_TRUE(window.Open());
    AnsweringControl control;
    ASSERT_TRUE(control.Create(window.GetHandle(), 0, "", 0, 0, 10, 10));
    HWND plain = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, window.GetHandle(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    // A window whose user data holds something that is not a control.
    SetWindowLongPtrA(plain, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&window));

    EXPECT_EQ(1007, Notify(window.GetHandle(), control.GetHandle(), 7));
    EXPECT_EQ("", window.calls);
    EXPECT_EQ(0, Notify(window.GetHandle(), plain, 7));
    EXPECT_EQ("OnNotify ", window.calls);
    window.Destroy();
}

TEST(WindowObject, UnlistedMessagesGoToOnOtherMessageThenToDefault)
{
    RecordingWnd window;
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(0, SendMessageA(window.GetHandle(), WM_USER + 2, 0, 0));
    SendMessageA(window.GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other"));
    EXPECT_EQ("other", TextOf(window.GetHandle()));
    window.Destroy();
}

TEST(WindowObject, ExceptionStopsAtTheWindowProcedure)
{
    RecordingWnd window;
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(0, SendMessageA(window.GetHandle(), WM_USER + 1, 0, 0));
    EXPECT_TRUE(IsWindow(window.GetHandle()));
    window.Destroy();
}

TEST(WindowObject, ClassIsRegisteredOncePerRun)
{
    RecordingWnd window;
    EXPECT_FALSE(window.RegisterWindowClass());
    WNDCLASSA registered{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "RecordingWnd", &registered));
    EXPECT_EQ(Wnd::SharedWindowProc, registered.lpfnWndProc);
    EXPECT_NE(nullptr, registered.hCursor);
}

TEST(WindowObject, CreateWithoutOverrideWarnsMissingCreate)
{
    std::string title, text;
    RunSteps({[&] {
        HWND warning = FindWindowA(nullptr, "App Error");
        if (!warning)
            return false;
        title = TextOf(warning);
        for (HWND child = GetWindow(warning, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (TextOf(child) == "Missing Create")
                text = TextOf(child);
        PostMessageA(warning, WM_COMMAND, IDOK, 0);
        return true;
    }});
    RecordingWnd window;
    EXPECT_FALSE(window.Create(nullptr));
    EXPECT_EQ("App Error", title);
    EXPECT_EQ("Missing Create", text);
}
