// Layer: application (the main window, the application object, the program).

#include "file_list.h"

#include "engine/wide_text.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cwchar>
#include <string>

namespace {

constexpr int kFromColumn = 0;
constexpr int kToColumn = 1;
constexpr int kSizeColumn = 2;
constexpr int kModifiedColumn = 3;
constexpr int kColumnCount = 4;

int ColumnOf(ListOrder order)
{
    switch (order) {
    case ListOrder::Size: return kSizeColumn;
    case ListOrder::Modified: return kModifiedColumn;
    default: return kFromColumn;
    }
}

// The size in whole kilobytes, rounded up, as the shell shows it.
void SizeText(uint64_t size, char* text, int capacity)
{
    if (!StrFormatKBSizeA(static_cast<LONGLONG>(size), text, static_cast<UINT>(capacity)))
        text[0] = '\0';
}

// The date and time in the user's own short forms, in local time.
void ModifiedText(uint64_t modified, char* text, int capacity)
{
    text[0] = '\0';
    FILETIME utc;
    utc.dwLowDateTime = static_cast<DWORD>(modified);
    utc.dwHighDateTime = static_cast<DWORD>(modified >> 32);
    SYSTEMTIME universal;
    SYSTEMTIME local;
    if (modified == 0 || !FileTimeToSystemTime(&utc, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return;
    const int date = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, text, capacity);
    if (date <= 0 || date >= capacity - 1)
        return;
    text[date - 1] = ' ';
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, text + date, capacity - date) <= 0)
        text[date - 1] = '\0';
}

} // namespace

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
    if (header->code == LVN_COLUMNCLICK) {
        const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
        if (onColumnClick && column != kToColumn)
            onColumnClick(column == kSizeColumn ? ListOrder::Size
                                                : column == kModifiedColumn ? ListOrder::Modified : ListOrder::Name);
        return 0;
    }
    if (header->code == LVN_GETDISPINFOA)
        FillItemText(reinterpret_cast<NMLVDISPINFOA*>(header)->item);
    return 0;
}

void FileList::FillItemText(LVITEMA& item) const
{
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || item.iItem >= RowCount())
        return;
    const FileEntry& entry = RowEntry(item.iItem);
    if (item.iSubItem == kFromColumn || item.iSubItem == kToColumn) {
        // The list copies the text before the set can change: the view of the
        // set's own bytes serves.
        const HeldText text = item.iSubItem == kFromColumn ? entry.name : entry.newName;
        item.pszText = const_cast<char*>(text.c_str());
    } else if (item.pszText && item.cchTextMax > 0) {
        // Lines of text in place of files have neither size nor date.
        item.pszText[0] = '\0';
        if (set_.HoldsLines())
            return;
        if (item.iSubItem == kSizeColumn)
            SizeText(entry.size, item.pszText, item.cchTextMax);
        else
            ModifiedText(entry.modified, item.pszText, item.cchTextMax);
    }
}

int FileList::FindTypedRow(const char* typed, int start) const
{
    const int length = lstrlenA(typed);
    if (start < 0 || start >= RowCount())
        start = 0;
    for (int n = 0; n < RowCount(); ++n) {
        const int row = (start + n) % RowCount();
        const HeldText name = RowEntry(row).name;
        if (static_cast<int>(name.size()) >= length &&
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), length, typed, length) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

void FileList::RestoreLayout(const Settings& settings)
{
    const char* titles[kColumnCount] = {"\"From\" File Name", "\"To\" File Name", "Size", "Modified"};
    const int widths[kColumnCount] = {settings.fromCol, settings.toCol, settings.sizeCol, settings.modifiedCol};
    for (int column = 0; column < kColumnCount; ++column) {
        LVCOLUMNA description{};
        description.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        description.fmt = column == kSizeColumn ? LVCFMT_RIGHT : LVCFMT_LEFT;
        description.cx = widths[column];
        description.pszText = const_cast<char*>(titles[column]);
        description.iSubItem = column;
        SendMessageA(handle_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description));
    }
    set_.SetOrder(settings.order);
    ShowSortArrow(settings.order);
}

void FileList::StoreLayout(Settings& settings) const
{
    settings.fromCol = ColumnWidth(kFromColumn);
    settings.toCol = ColumnWidth(kToColumn);
    settings.sizeCol = ColumnWidth(kSizeColumn);
    settings.modifiedCol = ColumnWidth(kModifiedColumn);
    settings.order = set_.Order();
}

void FileList::ShowSortArrow(SortOrder order)
{
    const HWND header = reinterpret_cast<HWND>(SendMessageA(handle_, LVM_GETHEADER, 0, 0));
    for (int column = 0; column < kColumnCount; ++column) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        if (!SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)))
            continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == ColumnOf(order.by))
            item.fmt |= order.reversed ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
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
    // Asking every row of a long list costs more than asking whether any is
    // selected.
    if (!handle_ || !HasSelection())
        return;
    // The rows now show other entries: a selection would point at the wrong files.
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

void FileList::ShowNoRows()
{
    rows_.clear();
    ClearSelection();
    ShowRowCount();
}

void FileList::Empty()
{
    set_.Clear();
    Refill();
}

void FileList::ShowInstructions()
{
    const char* lines[] = {"",
                           "1. Use Browse button to select a folder or drag a folder here.",
                           "",
                           "2. Choose an action from the menu.",
                           "",
                           "3. Preview the changes to be sure they are what you want.",
                           "",
                           "4. Select \"Change\" from the menu to make the changes."};
    for (const char* line : lines)
        AddTextLine(line);
}

void FileList::AddTextLine(const char* text)
{
    if (!set_.AppendLine(text))
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

// An owner-data list counts its selection from its ranges of selected rows,
// where a search for the first selected row would walk every row.
bool FileList::HasSelection() const
{
    return SendMessageA(handle_, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

void FileList::ShowRowCount()
{
    if (!handle_)
        return;
    // The list takes a new count at a cost that grows with the rows.
    if (shownRows_ != RowCount()) {
        SendMessageA(handle_, LVM_SETITEMCOUNT, static_cast<WPARAM>(RowCount()), 0);
        shownRows_ = RowCount();
    }
    InvalidateRect(handle_, nullptr, TRUE);
}
