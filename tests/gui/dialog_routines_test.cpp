// Centring over the owner, the small text routines and the folder browser's
// path handling.
#include "gui_support.h"
#include "tools/dialog_routines.h"
#include "ui/centring.h"
#include "tools/folder_browser.h"

#include <gtest/gtest.h>

#include <string>

TEST(CenterOverOwner, CentresAndKeepsOnScreen)
{
    struct Case {
        const char* what;
        RECT owner;
        SIZE size;
        LONG x, y;
    } cases[] = {
        {"smaller than its owner", {100, 100, 500, 400}, {200, 100}, 200, 200},
        {"larger: lined up with the owner's right and bottom", {500, 400, 700, 550}, {400, 300}, 300, 250},
        {"larger near the corner: never left of or above 0", {50, 50, 250, 200}, {400, 300}, 0, 0},
    };
    for (const Case& c : cases) {
        OwnerWindow owner(c.owner.left, c.owner.top, c.owner.right - c.owner.left, c.owner.bottom - c.owner.top);
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, c.size.cx, c.size.cy, owner.Handle(),
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
        CenterOverOwner(window);
        const RECT rect = WindowRect(window);
        EXPECT_EQ(c.x, rect.left) << c.what;
        EXPECT_EQ(c.y, rect.top) << c.what;
        EXPECT_EQ(c.size.cx, rect.right - rect.left) << c.what;
        DestroyWindow(window);
    }
}

TEST(CenterOverOwner, WithoutOwnerCentresOnTheScreen)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    CenterOverOwner(window);
    const RECT rect = WindowRect(window);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 100, rect.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN) / 2 - 50, rect.top);
    DestroyWindow(window);
}

TEST(TextRoutines, TwoDigits)
{
    struct Case {
        int number;
        const char* text;
    } cases[] = {{0, "00"}, {7, "07"}, {9, "09"}, {10, "10"}, {12, "12"}, {59, "59"}, {2024, "24"}};
    for (const Case& c : cases) {
        char output[8] = "xxxxxxx";
        EXPECT_EQ(output + 2, TwoDigits(c.number, output));
        EXPECT_STREQ(c.text, output);
    }
}

TEST(TextRoutines, DeleteFirstChar)
{
    struct Case {
        const char* before;
        const char* after;
    } cases[] = {{".txt", "txt"}, {"a", ""}, {"", ""}, {"..jpg", ".jpg"}};
    for (const Case& c : cases) {
        char text[16];
        lstrcpyA(text, c.before);
        DeleteFirstChar(text);
        EXPECT_STREQ(c.after, text) << c.before;
    }
}

TEST(FolderBrowser, ChosenFolderEndsInOneBackslash)
{
    const std::string longest(MAX_PATH - 2, 'a');
    std::string longestGreek; // twice as long in UTF-8 bytes
    for (size_t n = 0; n < longest.size(); ++n)
        longestGreek += u8"λ";
    struct Case {
        std::string chosen;
        int result;
        std::string path;
    } cases[] = {
        {"C:\\", 1, "C:\\"},
        {"C:\\Photos", 1, "C:\\Photos\\"},
        {"\\\\server\\share", 1, "\\\\server\\share\\"},
        {"\\\\a\\share", 1, "\\\\a\\share\\"},
        {longest, 1, longest + "\\"},
        // No room for the backslash: not chosen, and the old path stays.
        {longest + "a", 0, "before\\"},
        {longestGreek, 1, longestGreek + "\\"},
        {longestGreek + u8"λ", 0, "before\\"},
        {"", 0, "before\\"},
    };
    for (const Case& c : cases) {
        RecordingShell shell;
        FolderBrowser browser(nullptr, false, shell);
        shell.chosen = "before";
        ASSERT_EQ(1, browser.Browse());
        shell.chosen = c.chosen;
        const int result = browser.Browse();
        EXPECT_EQ(c.result, result) << c.chosen;
        EXPECT_EQ(c.path, browser.Path()) << c.chosen;
    }
}

TEST(FolderBrowser, AsksThePickerWithThePromptAndFlags)
{
    OwnerWindow owner(0, 0, 100, 100);
    for (bool withCallback : {true, false}) {
        RecordingShell shell;
        FolderBrowser browser(owner.Handle(), withCallback, shell);
        browser.SetTitle(std::string(300, 'p').c_str());
        browser.Browse();
        EXPECT_EQ(std::string(MAX_PATH - 1, 'p'), shell.lastTitle);
        browser.SetTitle("Choose folder where changes are to be made:");
        browser.Browse();
        EXPECT_EQ("Choose folder where changes are to be made:", shell.lastTitle);
        EXPECT_EQ(0x4Du, shell.lastInfo.ulFlags);
        EXPECT_EQ(owner.Handle(), shell.lastInfo.hwndOwner);
        EXPECT_EQ(nullptr, shell.lastInfo.pidlRoot);
        EXPECT_EQ(withCallback, shell.lastInfo.lpfn != nullptr);
    }
}
