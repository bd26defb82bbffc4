// Layer: application (the main window, the application object, the program).
// The list of the main window, showing the working set: each row is an
// entry's current name ("From"), its proposal ("To"), its size and the date
// it was last changed, in the set's order.
#pragma once
#include "app/settings_file.h"
#include "engine/sort_order.h"
#include "engine/working_set.h"
#include "ui/controls.h"

#include <commctrl.h>

#include <functional>
#include <vector>


class FileList : public ListViewCtl {
public:
    explicit FileList(WorkingSet& set);

    // The list asks for its rows' text as it paints them (an owner-data list
    // view), so a folder of 100,000 files is shown without inserting a row
    // each; the texts come straight from the entries, never copied.
    bool Create(HWND parent, int id, const char* text, int x, int y, int width, int height) override;
    LRESULT OnNotifyMessage(NMHDR* header) override;

    // The columns at their stored widths and the set in its stored order,
    // once the list is created; and back into the settings at the end.
    void RestoreLayout(const Settings& settings);
    void StoreLayout(Settings& settings) const;
    // The header's sort arrow on the column of the order.
    void ShowSortArrow(SortOrder order);
    // The steps of the job, shown until a folder is opened.
    void ShowInstructions();
    // Told which order's column header was clicked.
    std::function<void(ListOrder column)> onColumnClick;

    // One row for every entry whose name is not empty, in array order.
    void Refill();
    // Takes every entry off the set and the list.
    void Empty();
    // Shows no rows, the set as it is: for while it is being filled.
    void ShowNoRows();
    // Appends an entry holding a line of text, shown even when it is empty.
    void AddTextLine(const char* text);
    // Takes the selected rows' entries off the list; the scan's count stays.
    void RemoveSelected();
    bool HasSelection() const;

    // The first row from `start` on, around to the rows before it, whose name
    // begins with the typed text (any case), or -1: the list's type-ahead, so
    // typing a letter again steps through the names that begin with it.
    int FindTypedRow(const char* typed, int start) const;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    FileEntry RowEntry(int row) const { return set_.Entry(rows_[static_cast<size_t>(row)]); }

private:
    int ColumnWidth(int column) const;
    void FillItemText(LVITEMA& item) const;
    void ShowRowCount();
    void ClearSelection();

    WorkingSet& set_;
    int shownRows_ = 0; // the count the list view was last given
    std::vector<int> rows_; // the entry shown in each row
};
