// Layer: dialogs (the action dialogs and the tools' windows).
// The shell's folder picker with the program's prompt, giving a path that
// ends in exactly one backslash.
#pragma once
#include "ui/shell_calls.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

class FolderBrowser {
public:
    // With the callback the picker opens at the current directory and shows
    // the selected path as its status text.
    FolderBrowser(HWND owner, bool withCallback, ShellCalls& shell = SystemShellCalls());

    // The prompt shown above the tree; cut to 259 characters.
    void SetTitle(const char* title);
    // 1 when a file-system folder was chosen: Path() then holds it with one
    // trailing backslash ("C:\" for a drive root). 0 leaves Path() as it was,
    // also when the chosen path would not fit with its backslash.
    int Browse();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    wchar_t title_[MAX_PATH] = L"";
    wchar_t displayName_[MAX_PATH] = L"";
    BROWSEINFOW info_{};
    ShellCalls& shell_;
};

// Makes a chosen folder into the program's form, in the program's code page:
// a trailing backslash, and a drive root kept at one. False when that would
// not fit in MAX_PATH characters with its terminating null, the system's
// limit for a path.
bool WithTrailingBackslash(std::wstring chosen, std::string& path);
