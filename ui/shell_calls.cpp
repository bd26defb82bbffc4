// Layer: window framework.

#include "ui/shell_calls.h"

#include <shellapi.h>

namespace {

class SystemShell : public ShellCalls {
public:
    void Open(HWND owner, const char* verb, const char* file, const char* parameters, const char* directory,
              int show) override
    {
        ShellExecuteA(owner, verb, file, parameters, directory, show);
    }

    bool BrowseForFolder(BROWSEINFOW& info, wchar_t* path) override
    {
        IMalloc* allocator = nullptr;
        if (FAILED(SHGetMalloc(&allocator)) || !allocator)
            return false;
        bool chosen = false;
        if (PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info)) {
            chosen = SHGetPathFromIDListW(list, path) != FALSE;
            allocator->Free(list);
        }
        allocator->Release();
        return chosen;
    }
};

} // namespace

ShellCalls& SystemShellCalls()
{
    static SystemShell shell;
    return shell;
}
