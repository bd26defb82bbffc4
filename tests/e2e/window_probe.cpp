// Tells the end-to-end script what a running Quillet shows where a script
// cannot look: the number of rows of its file list and the text of its first
// status pane. Both messages work from another process of the same prefix.
//   window_probe TITLE   prints "rows N" and "status TEXT-LENGTH"
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    HWND main = FindWindowA(nullptr, argv[1]);
    if (!main)
        return 1;
    HWND list = FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr);
    HWND status = FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr);
    printf("rows %ld\n", static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
    printf("status %ld\n", static_cast<long>(LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, 0, 0))));
    return 0;
}
