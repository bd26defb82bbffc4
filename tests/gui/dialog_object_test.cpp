// Dialogs run as objects, and their controls hear their own notifications.
#include "gui_support.h"
#include "gui_test_ids.h"
#include "ui/controls.h"
#include "ui/dialog_object.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// Runs `body` once the dialog stands, then closes it with the body's answer.
class ScriptedDialog : public Dialog {
public:
    std::function<INT_PTR(HWND)> body;
    std::vector<UINT> seen;
    std::string calls;

    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(msg);
        return Dialog::DialogProc(msg, wParam, lParam);
    }
    INT_PTR OnInitDialog(WPARAM, LPARAM) override
    {
        EndDialog(GetHandle(), body(GetHandle()));
        return 1;
    }
    void OnCommand(WPARAM wParam, LPARAM) override
    {
        calls += "OnCommand " + std::to_string(LOWORD(wParam)) + "/" + std::to_string(HIWORD(wParam)) + " ";
    }
    LRESULT OnNotify(WPARAM, LPARAM) override { return 55; }
};

class AnsweringList : public ListViewCtl {
public:
    LRESULT OnNotifyMessage(NMHDR*) override { return 42; }
};

class CountingButton : public ButtonCtl {
public:
    CountingButton() : ButtonCtl(true) {}
    LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_SETTEXT)
            ++textsSet;
        return ButtonCtl::SubclassProc(msg, wParam, lParam);
    }
    int textsSet = 0;
};

LRESULT Notify(HWND dialog, HWND from)
{
    NMHDR header{from, 0, LVN_ITEMCHANGED};
    return SendMessageA(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

} // namespace

TEST(DialogObject, ObjectHearsNothingBeforeInitDialog)
{
    ScriptedDialog dialog;
    dialog.body = [](HWND) { return 1; };
    EXPECT_EQ(1, dialog.Run(nullptr, MAKEINTRESOURCEA(IDD_TEST_DIALOG)));
    ASSERT_FALSE(dialog.seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.seen.front());
}

TEST(DialogObject, SharedProcedureAnswersZeroForAWindowWithoutObject)
{
    OwnerWindow plain(0, 0, 50, 50);
    EXPECT_EQ(0, Dialog::SharedDialogProc(plain.Handle(), WM_COMMAND, IDOK, 0));
}

TEST(DialogObject, CommandsReachAControlsHandlerBeforeTheDialog)
{
    ScriptedDialog dialog;
    ButtonCtl go, plain;
    std::vector<int> handled;
    std::string calls;
    dialog.body = [&](HWND window) {
        go.Create(window, IDC_TEST_BUTTON, "&Go", 0, 0, 0, 0);
        plain.Create(window, IDC_TEST_PLAIN, "&Plain", 0, 0, 0, 0);
        go.SetHandler([&](int id) { handled.push_back(id); });
        dialog.calls.clear();
        SendMessageA(go.GetHandle(), BM_CLICK, 0, 0);
        SendMessageA(plain.GetHandle(), BM_CLICK, 0, 0);
        calls = dialog.calls;
        return 1;
    };
    dialog.Run(nullptr, MAKEINTRESOURCEA(IDD_TEST_DIALOG));
    EXPECT_EQ(std::vector<int>{IDC_TEST_BUTTON}, handled);
    EXPECT_EQ("OnCommand " + std::to_string(IDC_TEST_PLAIN) + "/0 ", calls);
    EXPECT_EQ('G', go.AcceleratorLetter());
}

TEST(DialogObject, NotifyAnswersThroughTheMessageResult)
{
    ScriptedDialog dialog;
    AnsweringList list;
    LRESULT fromControl = 0, fromDialog = 0;
    LONG_PTR stored = 0;
    dialog.body = [&](HWND window) {
        list.Create(window, 0, "", 0, 70, 100, 40);
        HWND stranger = GetDlgItem(window, IDC_TEST_EDIT);
        fromControl = Notify(window, list.GetHandle());
        stored = GetWindowLongPtrA(window, DWLP_MSGRESULT);
        fromDialog = Notify(window, stranger);
        return 1;
    };
    dialog.Run(nullptr, MAKEINTRESOURCEA(IDD_TEST_DIALOG));
    EXPECT_EQ(42, fromControl);
    EXPECT_EQ(42, stored);
    EXPECT_EQ(55, fromDialog);
}

TEST(DialogObject, AttachTakesTheTemplatesItem)
{
    ScriptedDialog dialog;
    EditCtl edit;
    HWND templateItem = nullptr;
    int children = 0, childrenAfter = 0;
    std::string text;
    const auto countChildren = [](HWND window) {
        int count = 0;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    };
    dialog.body = [&](HWND window) {
        templateItem = GetDlgItem(window, IDC_TEST_EDIT);
        children = countChildren(window);
        edit.Create(window, IDC_TEST_EDIT, "given", 0, 0, 0, 0);
        childrenAfter = countChildren(window);
        text = TextOf(edit.GetHandle());
        return 1;
    };
    dialog.Run(nullptr, MAKEINTRESOURCEA(IDD_TEST_DIALOG));
    EXPECT_EQ(templateItem, edit.GetHandle());
    EXPECT_EQ(children, childrenAfter);
    EXPECT_EQ("given", text);
}

TEST(DialogObject, NotificationsOfEachVariant)
{
    ScriptedDialog dialog;
    EditCtl edit;
    ComboCtl combo;
    std::vector<int> handled, handledWhileOpen;
    std::string calls;
    int selection = -1;
    dialog.body = [&](HWND window) {
        edit.Create(window, IDC_TEST_EDIT, "", 0, 0, 0, 0);
        combo.Create(window, IDC_TEST_COMBO, "", 0, 0, 0, 0);
        for (const char* item : {"one", "two", "three"})
            SendMessageA(combo.GetHandle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(combo.GetHandle(), CB_SETCURSEL, 2, 0);
        dialog.calls.clear();
        // Without a handler the dialog hears it; the selection is read anyway.
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo.GetHandle()));
        selection = combo.Selection();
        edit.SetHandler([&](int id) { handled.push_back(id); });
        combo.SetHandler([&](int id) { handled.push_back(id); });
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_EDIT, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(edit.GetHandle()));
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_EDIT, EN_CHANGE),
                     reinterpret_cast<LPARAM>(edit.GetHandle()));
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo.GetHandle()));
        handledWhileOpen = handled;
        calls = dialog.calls;
        return 1;
    };
    dialog.Run(nullptr, MAKEINTRESOURCEA(IDD_TEST_DIALOG));
    EXPECT_EQ(2, selection);
    EXPECT_EQ((std::vector<int>{IDC_TEST_EDIT, IDC_TEST_COMBO}), handledWhileOpen);
    // The change the edit has no handler for reaches the dialog.
    EXPECT_EQ("OnCommand " + std::to_string(IDC_TEST_COMBO) + "/1 OnCommand " + std::to_string(IDC_TEST_EDIT) +
                  "/" + std::to_string(EN_CHANGE) + " ",
              calls);
}

TEST(DialogObject, SubclassedButtonPassesItsMessagesOn)
{
    ScriptedDialog dialog;
    CountingButton button;
    std::string text;
    dialog.body = [&](HWND window) {
        button.Create(window, 0, "&First", 130, 10, 50, 14);
        SetWindowTextA(button.GetHandle(), "Second");
        text = TextOf(button.GetHandle());
        return 1;
    };
    dialog.Run(nullptr, MAKEINTRESOURCEA(IDD_TEST_DIALOG));
    EXPECT_EQ(1, button.textsSet);
    EXPECT_EQ("Second", text);
}

TEST(DialogObject, ListViewReadsItemText)
{
    ScriptedDialog dialog;
    ListViewCtl list;
    char text[16] = "";
    dialog.body = [&](HWND window) {
        list.Create(window, 0, "", 0, 70, 100, 40);
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = 50;
        SendMessageA(list.GetHandle(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        SendMessageA(list.GetHandle(), LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.pszText = const_cast<char*>("a.txt");
        SendMessageA(list.GetHandle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>("A.TXT");
        SendMessageA(list.GetHandle(), LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
        list.GetItemText(0, 1, text, sizeof text);
        return 1;
    };
    dialog.Run(nullptr, MAKEINTRESOURCEA(IDD_TEST_DIALOG));
    EXPECT_STREQ("A.TXT", text);
}
