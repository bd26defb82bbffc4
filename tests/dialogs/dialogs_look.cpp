// Opens one of the action dialogs over a plain window so that it can be looked
// at: dialogs_look shorten|index|extension|remove|prefix [milliseconds]
// With a time given, the dialog closes by itself after it.
#include "engine/dialogs/action_dialogs.h"

#include <cstdlib>
#include <cstring>

namespace {

UINT_PTR closeTimer = 0;

// Cancels whatever dialog is active when the time is up.
void CALLBACK CloseActive(HWND, UINT, UINT_PTR, DWORD)
{
    KillTimer(nullptr, closeTimer);
    if (HWND active = GetActiveWindow())
        PostMessageA(active, WM_COMMAND, IDCANCEL, 0);
}

INT_PTR Open(const char* which, HWND owner)
{
    if (!strcmp(which, "shorten"))
        return ShortenDialog().Run(owner);
    if (!strcmp(which, "index"))
        return IndexDialog().Run(owner);
    if (!strcmp(which, "extension"))
        return ExtensionDialog().Run(owner);
    if (!strcmp(which, "remove"))
        return RemoveTextDialog().Run(owner, "Copy of Holiday Report 2004.doc");
    if (!strcmp(which, "prefix"))
        return PrefixAppendDialog().Run(owner);
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    HWND owner = CreateWindowExA(0, "STATIC", "Quillet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 700, 500, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    if (argc > 2)
        closeTimer = SetTimer(nullptr, 0, static_cast<UINT>(atoi(argv[2])), CloseActive);
    const INT_PTR result = Open(argv[1], owner);
    DestroyWindow(owner);
    return result < 0 ? 1 : 0;
}
