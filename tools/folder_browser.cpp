// Layer: dialogs (the action dialogs and the tools' windows).

#include "tools/folder_browser.h"

#include "engine/wide_text.h"

namespace {

// Like the shared procedures, it lets no exception into the system's code.
int CALLBACK BrowseCallback(HWND picker, UINT msg, LPARAM lParam, LPARAM)
{
    try {
        wchar_t path[MAX_PATH];
        if (msg == BFFM_INITIALIZED) {
            const DWORD length = GetCurrentDirectoryW(MAX_PATH, path);
            if (length > 0 && length < MAX_PATH)
                SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path));
        } else if (msg == BFFM_SELCHANGED) {
            if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path))
                SendMessageW(picker, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
        }
    } catch (...) {
    }
    return 0;
}

} // namespace

bool WithTrailingBackslash(std::wstring chosen, std::string& path)
{
    // A drive root comes back as "C:\" and keeps its single backslash. Read
    // wide, where no character can end in a backslash's code as a double-byte
    // character of the code page can.
    if (chosen.empty() || chosen.back() != L'\\')
        chosen += L'\\';
    if (chosen.size() + 1 > MAX_PATH)
        return false;
    path = Narrowed(chosen);
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
    lstrcpynW(title_, Widened(title ? title : "").c_str(), MAX_PATH);
}

int FolderBrowser::Browse()
{
    wchar_t chosen[MAX_PATH] = L"";
    if (!shell_.BrowseForFolder(info_, chosen))
        return 0;
    chosen[MAX_PATH - 1] = L'\0';
    return WithTrailingBackslash(chosen, path_) ? 1 : 0;
}
