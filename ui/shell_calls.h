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
    // path then in `path` (MAX_PATH bytes). The picker's item list is freed.
    virtual bool BrowseForFolder(BROWSEINFOA& info, char* path) = 0;
};

// The real shell.
ShellCalls& SystemShellCalls();
