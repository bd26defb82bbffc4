// Tells the end-to-end scripts what a running Quillet shows where a script
// cannot look: the number of rows of its file list and the text of its first
// status pane, or in a dialog the control that has the keyboard focus and
// the buttons that are checked. These calls work from another process of the
// same prefix.
//   window_probe TITLE         prints "rows N" and "status TEXT-LENGTH"
//   window_probe focus TITLE   prints "focus ID" and "checked ID" for each checked button
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {

int PrintMainWindow(HWND main)
{
    HWND list = FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr);
    HWND status = FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr);
    printf("rows %ld\n", static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
    printf("status %ld\n", static_cast<long>(LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, 0, 0))));
    return 0;
}

// The focus is the dialog's thread's: asked of that thread, not this one.
int PrintFocus(HWND dialog)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info))
        return 1;
    printf("focus %d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED)
            printf("checked %d\n", GetDlgCtrlID(child));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool focus = argc == 3 && strcmp(argv[1], "focus") == 0;
    if (argc != 2 && !focus)
        return 2;
    HWND window = FindWindowA(nullptr, argv[argc - 1]);
    if (!window)
        return 1;
    return focus ? PrintFocus(window) : PrintMainWindow(window);
}
