// Layer: application (the main window, the application object, the program).

#include "file_list.h"

#include "engine/wide_text.h"

#include <commctrl.h>

#include <cwchar>
#include <string>

FileList::FileList(WorkingSet& set) : set_(set)
{
    SetStyle(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS);
}

bool FileList::Create(HWND parent, int id, const char* text, int x, int y, int width, int height)
{
    if (!ListViewCtl::Create(parent, id, text, x, y, width, height))
        return false;
    SendMessageA(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    return true;
}

LRESULT FileList::OnNotifyMessage(NMHDR* header)
{
    if (header->code == LVN_ODFINDITEMA) {
        const NMLVFINDITEMA& find = *reinterpret_cast<NMLVFINDITEMA*>(header);
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz)
            return -1;
        return FindTypedRow(find.lvfi.psz, find.iStart);
    }
    // Some list views ask in the wide form even of a parent that talks in
    // the narrow one.
    if (header->code == LVN_ODFINDITEMW) {
        const NMLVFINDITEMW& find = *reinterpret_cast<NMLVFINDITEMW*>(header);
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz)
            return -1;
        return FindTypedRow(Narrowed(find.lvfi.psz, wcslen(find.lvfi.psz)).c_str(), find.iStart);
    }
    if (header->code != LVN_GETDISPINFOA)
        return 0;
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || item.iItem >= RowCount())
        return 0;
    const FileEntry& entry = RowEntry(item.iItem);
    const std::string& text = item.iSubItem == 0 ? entry.name : entry.newName;
    item.pszText = const_cast<char*>(text.c_str());
    return 0;
}

int FileList::FindTypedRow(const char* typed, int start) const
{
    const int length = lstrlenA(typed);
    if (start < 0 || start >= RowCount())
        start = 0;
    for (int n = 0; n < RowCount(); ++n) {
        const int row = (start + n) % RowCount();
        const std::string& name = RowEntry(row).name;
        if (static_cast<int>(name.size()) >= length &&
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), length, typed, length) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

void FileList::InsertColumns(int fromWidth, int toWidth)
{
    const char* titles[2] = {"\"From\" File Name", "\"To\" File Name"};
    const int widths[2] = {fromWidth, toWidth};
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNA description{};
        description.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        description.fmt = LVCFMT_LEFT;
        description.cx = widths[column];
        description.pszText = const_cast<char*>(titles[column]);
        description.iSubItem = column;
        SendMessageA(handle_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description));
    }
}

int FileList::ColumnWidth(int column) const
{
    return static_cast<int>(SendMessageA(handle_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void FileList::Refill()
{
    rows_.clear();
    for (int i = 0; i < set_.Count(); ++i)
        if (set_.IsListed(i))
            rows_.push_back(i);
    ClearSelection();
    ShowRowCount();
}

void FileList::ClearSelection()
{
    if (!handle_)
        return;
    // The rows now show other entries: a selection would point at the wrong files.
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

void FileList::AddTextLine(const char* text)
{
    if (!set_.Append(text))
        return;
    rows_.push_back(set_.Count() - 1);
    ShowRowCount();
}

void FileList::RemoveSelected()
{
    if (!HasSelection())
        return;
    std::vector<std::string> names;
    int row = -1;
    while ((row = static_cast<int>(SendMessageA(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                LVNI_SELECTED))) >= 0 && row < RowCount())
        names.push_back(RowEntry(row).name);
    for (const std::string& name : names)
        set_.RemoveByName(name);
    Refill();
}

bool FileList::HasSelection() const
{
    return SendMessageA(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) >= 0;
}

void FileList::ShowRowCount()
{
    if (!handle_)
        return;
    SendMessageA(handle_, LVM_SETITEMCOUNT, static_cast<WPARAM>(RowCount()), 0);
    InvalidateRect(handle_, nullptr, TRUE);
}
