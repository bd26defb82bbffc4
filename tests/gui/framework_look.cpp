// Shows one of the framework's windows so that it can be looked at:
//   framework_look frame|working|warning|about [milliseconds]
// With a time given, the program quits by itself after it.
#include "ui/frame_window.h"
#include "ui/message_box.h"
#include "ui/working_window.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

namespace {

struct LookWindow {
    ListViewCtl list;
    BtnBar bar;
    StatusBar status;
    FrameWnd frame;
    ButtonCtl browse;
    EditCtl path;
};

void AddColumn(HWND list, int index, const char* title, int width)
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(title);
    column.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, int row, const char* from, const char* to)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(from);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(to);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool BuildFrame(LookWindow& look)
{
    look.status.Init(3);
    look.status.AddPane(7, 0);
    look.status.AddPane(20, 0);
    look.status.AddPane(14, 0);
    if (!look.frame.Create(look.list, look.bar, look.status))
        return false;
    SetWindowTextA(look.frame.GetHandle(), "C:\\Photos\\*.*");
    SetWindowPos(look.frame.GetHandle(), nullptr, 40, 40, 640, 420, SWP_NOZORDER);
    look.browse.Create(look.bar.GetHandle(), 40001, "Browse", 4, 4, 74, 22);
    look.path.SetStyle(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
    look.path.Create(look.bar.GetHandle(), 0, "C:\\Photos\\", 82, 3, 540, 24);
    SendMessageA(look.path.GetHandle(), EM_SETREADONLY, TRUE, 0);
    HWND list = look.list.GetHandle();
    AddColumn(list, 0, "From File Name", 280);
    AddColumn(list, 1, "To File Name", 280);
    AddRow(list, 0, "holiday 01.jpg", "HOLIDAY 01.JPG");
    AddRow(list, 1, "holiday 02.jpg", "HOLIDAY 02.JPG");
    AddRow(list, 2, "notes.txt", "NOTES.TXT");
    look.status.SetText(0, "Rename to uppercase");
    look.status.SetText(1, "3 files");
    look.status.SetText(2, "Changes pending");
    look.frame.Show(SW_SHOW);
    return true;
}

void CALLBACK QuitNow(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    char what[32] = "";
    int milliseconds = 0;
    const char* space = strchr(commandLine, ' ');
    lstrcpynA(what, commandLine, space ? static_cast<int>(space - commandLine) + 1 : sizeof what);
    if (space)
        milliseconds = atoi(space + 1);
    if (milliseconds > 0)
        SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), QuitNow);

    static LookWindow look;
    if (!BuildFrame(look))
        return 1;
    HWND frame = look.frame.GetHandle();
    if (!strcmp(what, "working")) {
        static WorkWnd working;
        working.Show(frame, "Renaming files - please wait...", false);
    } else if (!strcmp(what, "warning")) {
        WarningBox warning;
        warning.Ask(frame, "This will convert these files to uppercase.\nDo you want to do this?", "Quillet",
                    0x00FFFF);
        return 0;
    } else if (!strcmp(what, "about")) {
        AboutBox about;
        about.Show(frame, "Quillet 1.0\nRenames every file of a folder at once\n\nFreeware", "https://quillet.example/",
                   BOX_OK, 0, 0, 0xFFFFFF, 0x808080);
        return 0;
    }
    return static_cast<int>(look.frame.Run());
}
