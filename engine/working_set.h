// Layer: pure core (no <windows.h>, built natively too).
// The files of the chosen folder, each with its current name and the name
// proposed for it. Pure code: the scan fills it through the file seam and the
// list view shows it, but it touches neither.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

struct FileEntry {
    std::string name;     // current name, no path; empty once removed from the list
    std::string newName;  // proposal; empty means no change for this entry
    std::string tempName; // scratch name of the two-step index rename
};

class WorkingSet {
public:
    WorkingSet();

    // Entries in the array, removed ones included.
    int Count() const { return static_cast<int>(entries_.size()); }
    const FileEntry& Entry(int i) const { return entries_[static_cast<size_t>(i)]; }
    bool IsListed(int i) const { return !Entry(i).name.empty(); }

    // Appends an entry; false when memory ran out (the set keeps what it has).
    bool Append(const std::string& name, const std::string& newName = std::string());
    // Empties the set; the memory is kept for the next scan.
    void Clear();
    // Orders the entries by name in the platform's case-insensitive collation.
    void SortByName();

    void SetNewName(int i, std::string text);
    void SetTempName(int i, std::string text);

    // Takes the first entry whose name is byte-for-byte `name` off the list:
    // it stays in the array with an empty name. False when none matched.
    bool RemoveByName(const std::string& name);

    // True when `text` equals, case-insensitively, the proposal of any entry:
    // removed entries and the asking entry's own old proposal count too.
    bool IsProposedName(const std::string& text) const;

private:
    void RebuildIndex() const;
    void SyncIndex() const;
    void DropIndex();
    void QueueChange(int i, bool counted);
    void AddKey(const std::string& key) const;
    void DropKey(const std::string& key) const;

    std::vector<FileEntry> entries_;

    // Proposal index: how many entries propose each collation key. Built on the
    // first question after a scan; an entry whose proposal changes afterwards
    // is queued with the proposal the index counted, and the queue is folded
    // in at the next question, so transforms that never ask pay nothing.
    struct Change {
        int entry;
        bool counted;         // false for an entry appended after the build
        std::string previous; // the proposal the index counted
    };
    mutable bool indexed_ = false;
    mutable std::unordered_map<std::string, int> proposals_;
    mutable std::vector<Change> changed_;
    mutable std::vector<bool> queued_;
};
