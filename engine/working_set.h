// Layer: pure core (no <windows.h>, built natively too).
// The files of the chosen folder, each with its current name and the name
// proposed for it. Pure code: the scan fills it through the file seam and the
// list view shows it, but it touches neither.
#pragma once
#include "file_ops.h"
#include "sort_order.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct FileEntry {
    std::string name;     // current name, no path; empty once removed from the list
    std::string newName;  // proposal; empty means no change for this entry
    std::string tempName; // scratch name of the two-step index rename
    uint64_t size = 0;
    uint64_t modified = 0; // last-write time, a file time in UTC
};

// How the proposal index tells names apart: always by the platform's
// collation keys, or by ASCII case folding while that answers the same.
enum class NameIndex { FoldWhereItCan, CollationOnly };

class WorkingSet {
public:
    explicit WorkingSet(NameIndex index = NameIndex::FoldWhereItCan);

    // Entries in the array, removed ones included.
    int Count() const { return static_cast<int>(entries_.size()); }
    const FileEntry& Entry(int i) const { return entries_[static_cast<size_t>(i)]; }
    bool IsListed(int i) const { return !Entry(i).name.empty(); }

    // Appends an entry; false when memory ran out (the set keeps what it has).
    bool Append(const std::string& name, const std::string& newName = std::string());
    bool AppendFile(const FoundFile& found);
    // Appends a line of text to show in place of files (the instructions, the
    // floppy saver's log): until the next Clear the set holds no files.
    bool AppendLine(const std::string& text);
    bool HoldsLines() const { return holdsLines_; }
    // Empties the set; the memory and the order are kept for the next scan.
    void Clear();

    // The order the entries are to be shown in (see list_order.h), kept
    // across scans; Reorder puts the entry at positions[i] at i.
    const SortOrder& Order() const { return order_; }
    void SetOrder(SortOrder order) { order_ = order; }
    void Reorder(const std::vector<uint32_t>& positions);

    void SetNewName(int i, std::string text);
    void SetTempName(int i, std::string text);

    // Takes the first entry whose name is byte-for-byte `name` off the list:
    // it stays in the array with an empty name. False when none matched.
    bool RemoveByName(const std::string& name);

    // True when `text` equals, case-insensitively, the proposal of any entry:
    // removed entries and the asking entry's own old proposal count too.
    bool IsProposedName(const std::string& text) const;

private:
    bool Add(FileEntry entry);
    void RebuildIndex(bool mayFold) const;
    void SyncIndex() const;
    void DropIndex();
    void QueueChange(int i, bool counted);
    void AddKey(const std::string& proposal) const;
    void DropKey(const std::string& proposal) const;

    // Hash and equality of texts as ASCII case folding sees them.
    struct FoldedHash {
        size_t operator()(const std::string& text) const;
    };
    struct FoldedEqual {
        bool operator()(const std::string& a, const std::string& b) const;
    };

    std::vector<FileEntry> entries_;
    SortOrder order_;
    bool holdsLines_ = false;

    // Proposal index: how many entries propose each name. Built on the first
    // question after a scan; an entry whose proposal changes afterwards is
    // queued with the proposal the index counted, and the queue is folded in
    // at the next question, so transforms that never ask pay nothing.
    // While every proposal and question is plain ASCII, and the platform is
    // known to tell such texts apart as ASCII case folding does, the texts
    // are counted as they are (`folded_`) and no collation key is made; the
    // first other text turns the index over to collation keys.
    struct Change {
        int entry;
        bool counted;         // false for an entry appended after the build
        std::string previous; // the proposal the index counted
    };
    bool mayFold_;
    mutable bool indexed_ = false;
    mutable bool folding_ = false;
    mutable std::unordered_map<std::string, int, FoldedHash, FoldedEqual> folded_;
    mutable std::unordered_map<std::string, int> proposals_;
    mutable std::vector<Change> changed_;
    mutable std::vector<bool> queued_;
};
