// Layer: window framework.
// The shell calls the framework makes, behind one seam so that tests can
// answer them without opening a browser or a folder picker.
#pragma once
#include <windows.h>
#include <shlobj.h>

class ShellCalls {
public:
    virtual ~ShellCalls() = default;
    // Opens a document or address the way the shell would (ShellExecuteA).
    virtual void Open(HWND owner, const char* verb, const char* file, const char* parameters,
                      const char* directory, int show) = 0;
    // Shows the folder picker; true when a file-system folder was chosen, its
    // path then in `path` (MAX_PATH wide characters). The picker's item list
    // is freed. Wide, since the narrow picker gives its path in MAX_PATH
    // bytes, too few for a path of MAX_PATH characters in UTF-8.
    virtual bool BrowseForFolder(BROWSEINFOW& info, wchar_t* path) = 0;
};

// The real shell.
ShellCalls& SystemShellCalls();
