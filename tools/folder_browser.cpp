#include "tools/folder_browser.h"

#include <cstring>

namespace {

// Like the shared procedures, it lets no exception into the system's code.
int CALLBACK BrowseCallback(HWND picker, UINT msg, LPARAM lParam, LPARAM)
{
    try {
        char path[MAX_PATH];
        if (msg == BFFM_INITIALIZED) {
            const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
            if (length > 0 && length < MAX_PATH)
                SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
        } else if (msg == BFFM_SELCHANGED) {
            if (SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path))
                SendMessageA(picker, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
        }
    } catch (...) {
    }
    return 0;
}

} // namespace

bool WithTrailingBackslash(const char* chosen, char* path)
{
    // A drive root comes back as "C:\" and keeps its single backslash. The
    // last character is found as the code page reads it: in a double-byte
    // code page a name's last byte may be a backslash's code.
    const size_t length = strlen(chosen);
    const char* last = CharPrevA(chosen, chosen + length);
    const bool ends = length > 0 && last == chosen + length - 1 && *last == '\\';
    const size_t end = ends ? length : length + 1;
    if (end + 1 > MAX_PATH)
        return false;
    memcpy(path, chosen, length);
    path[end - 1] = '\\';
    path[end] = '\0';
    return true;
}

FolderBrowser::FolderBrowser(HWND owner, bool withCallback, ShellCalls& shell) : shell_(shell)
{
    info_.hwndOwner = owner;
    info_.pszDisplayName = displayName_;
    info_.lpszTitle = title_;
    info_.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE;
    info_.lpfn = withCallback ? BrowseCallback : nullptr;
}

void FolderBrowser::SetTitle(const char* title)
{
    lstrcpynA(title_, title ? title : "", MAX_PATH);
}

int FolderBrowser::Browse()
{
    char chosen[MAX_PATH] = "";
    if (!shell_.BrowseForFolder(info_, chosen))
        return 0;
    chosen[MAX_PATH - 1] = '\0';
    return WithTrailingBackslash(chosen, path_) ? 1 : 0;
}
