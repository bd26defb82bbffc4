// Layer: pure core (no <windows.h>, built natively too).
// The files of the chosen folder, each with its current name and the name
// proposed for it. Pure code: the scan fills it through the file seam and the
// list view shows it, but it touches neither.
#pragma once
#include "file_ops.h"
#include "sort_order.h"
#include "text_arena.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// One entry as the set shows it; its texts stay valid until the set next
// changes.
struct FileEntry {
    HeldText name;     // current name, no path; empty once removed from the list
    HeldText newName;  // proposal; empty means no change for this entry
    HeldText tempName; // scratch name of the two-step index rename
    uint64_t size = 0;
    uint64_t modified = 0; // last-write time, a file time in UTC
};

// How the proposal index tells names apart: always by the platform's
// collation keys, or by ASCII case folding while that answers the same.
enum class NameIndex { FoldWhereItCan, CollationOnly };

// The texts lie in arenas, an entry being a few handles and lengths: names
// in one that only grows until the next scan, proposals and scratch names in
// one whose dead texts are reclaimed once they are a fifth of it.
class WorkingSet {
public:
    explicit WorkingSet(NameIndex index = NameIndex::FoldWhereItCan);

    // Entries in the array, removed ones included.
    int Count() const { return count_; }
    FileEntry Entry(int i) const
    {
        const Record& r = RecordAt(i);
        return FileEntry{NameOf(r), Held(r.newName), Held(r.tempName), r.size, r.modified};
    }
    bool IsListed(int i) const { return RecordAt(i).name.length != 0; }

    // Appends an entry; false when memory ran out (the set keeps what it has).
    bool Append(std::string_view name, std::string_view newName = {});
    bool AppendFile(const FoundFile& found);
    // Appends a line of text to show in place of files (the instructions, the
    // floppy saver's log): until the next Clear the set holds no files.
    bool AppendLine(std::string_view text);
    bool HoldsLines() const { return holdsLines_; }
    // Empties the set; the order is kept for the next scan.
    void Clear();

    // The order the entries are to be shown in (see list_order.h), kept
    // across scans; Reorder puts the entry at positions[i] at i.
    const SortOrder& Order() const { return order_; }
    void SetOrder(SortOrder order) { order_ = order; }
    void Reorder(const std::vector<uint32_t>& positions);

    // `text` may be a view of this set's own texts. Throws std::bad_alloc
    // when memory ran out, leaving the entry as it was.
    void SetNewName(int i, std::string_view text);
    void SetTempName(int i, std::string_view text);

    // Takes the first entry whose name is byte-for-byte `name` off the list:
    // it stays in the array with an empty name. False when none matched.
    bool RemoveByName(std::string_view name);

    // True when `text` equals, case-insensitively, the proposal of any entry:
    // removed entries and the asking entry's own old proposal count too.
    bool IsProposedName(std::string_view text) const;
    // Word that entry `asker` is soon to ask about `text` and then to change
    // its proposal: what those will read is fetched meanwhile. Only speed
    // hangs on it.
    void ExpectQuestion(std::string_view text, int asker) const;
    // A text that two texts share only when IsProposedName tells them the
    // same name: their folded text where ASCII folding answers for the
    // platform, else their collation key. Into `key`, whose memory a caller
    // that makes many keys keeps.
    void NameKeyInto(std::string_view text, std::string& key) const;
    // True when the name key of `text` is its folded text, made without the
    // platform: a folded key never equals a collation key.
    bool FoldsName(std::string_view text) const;

private:
    struct Stored {
        uint32_t at = 0;
        uint32_t length = 0;
    };
    struct Record {
        Stored name;
        Stored newName;
        Stored tempName;
        uint64_t size = 0;
        uint64_t modified = 0;
    };
    // Records lie in blocks, so that a million of them never need a second
    // copy while the array grows.
    static constexpr unsigned kRecordBits = 12;
    static constexpr uint32_t kRecordMask = (1u << kRecordBits) - 1;

    Record& RecordAt(int i)
    {
        return records_[static_cast<size_t>(i) >> kRecordBits][static_cast<size_t>(i) & kRecordMask];
    }
    const Record& RecordAt(int i) const
    {
        return records_[static_cast<size_t>(i) >> kRecordBits][static_cast<size_t>(i) & kRecordMask];
    }
    HeldText NameOf(const Record& r) const
    {
        return r.name.length == 0 ? HeldText() : HeldText(names_.At(r.name.at), r.name.length);
    }
    HeldText Held(const Stored& s) const
    {
        return s.length == 0 ? HeldText() : HeldText(changes_.At(s.at), s.length);
    }
    HeldText ProposalOf(uint32_t i) const { return Held(RecordAt(static_cast<int>(i)).newName); }
    bool Add(std::string_view name, std::string_view newName, uint64_t size, uint64_t modified);
    void Replace(Stored& slot, std::string_view text);
    void Release(Stored& slot);
    void ReclaimIfWasteful();
    static size_t Footprint(size_t length);
    bool Relay(TextArena& arena, std::initializer_list<Stored Record::*> slots);

    void RebuildIndex(bool mayFold) const;
    void LinkAll() const;
    void SyncIndex() const;
    void DropIndex();
    void QueueChange(int i);
    void Count(uint32_t i, HeldText proposal, uint32_t hash) const;
    void Uncount(uint32_t i) const;
    uint32_t ProposalHash(HeldText proposal) const;
    uint32_t HeadOf(uint32_t first) const;
    uint32_t HashOf(std::string_view text, std::string& key) const;
    bool HashNeedsKey(std::string_view text) const;
    uint32_t ExpectedHash(std::string_view text, std::string& key) const;
    bool SameName(std::string_view text, std::string& key, HeldText proposal) const;

    std::vector<std::vector<Record>> records_;
    int count_ = 0;
    TextArena names_;
    TextArena changes_;  // proposals and scratch names
    size_t liveBytes_ = 0; // of changes_, each text with its NUL
    size_t deadBytes_ = 0;
    SortOrder order_;
    bool holdsLines_ = false;

    // Proposal index: each entry's proposal linked into the chain of its
    // hash. Built on the first question after a scan; an entry whose proposal
    // changes afterwards is queued and linked anew at the next question, so
    // transforms that never ask pay nothing, and no old text is kept. Once
    // half the entries changed, all are linked anew, the unchanged ones
    // under the hashes they had.
    // While every proposal and question is plain ASCII, and the platform is
    // known to tell such texts apart as ASCII case folding does, a proposal
    // hashes as its folded text and no collation key is made; the first other
    // text turns the index over to collation keys, and a proposal then hashes
    // as the letter weights of its key, the key itself being made again only
    // to confirm a match. An ASCII text's weights are then made without a
    // key where the platform weighs ASCII character by character.
    struct Chain {
        uint32_t first = 0xFFFFFFFFu; // no entry
        uint32_t head = 0;            // HeadOf(first)
    };
    static constexpr uint32_t kMore = 1;
    struct Link {
        uint32_t hash = 0;
        uint32_t next = 0;
    };
    enum : uint8_t { kQueued = 1, kLinked = 2, kCountedEmpty = 4 };
    bool mayFold_;
    mutable bool indexed_ = false;
    mutable bool folding_ = false;
    mutable bool composing_ = false;
    mutable uint32_t emptyProposals_ = 0;
    mutable std::vector<Chain> chains_;
    mutable std::vector<Link> links_;
    mutable std::vector<uint8_t> state_;
    mutable std::vector<uint32_t> changed_;
    mutable bool relinkAll_ = false; // too many changed to queue: each is marked
    mutable std::string emptyKey_; // the collation key of the empty text
    mutable std::string weights_;  // room for those of an ASCII text hashed by them
    mutable std::string questionKey_; // of the last question, once made
    // The questions lately expected whose hashes cost a key.
    struct Expected {
        std::string text;
        std::string key;
        uint32_t hash = 0;
    };
    static constexpr unsigned kExpected = 8;
    mutable Expected expected_[kExpected];
    mutable unsigned nextExpected_ = 0;
    mutable std::string proposalKey_; // of a proposal hashed or compared
    mutable std::string asked_;    // the last question, and its hash
    mutable uint32_t askedHash_ = 0;
    mutable bool askedFolding_ = false;
};
