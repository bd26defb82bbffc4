// Layer: pure core (no <windows.h>, built natively too).

#include "working_set.h"

#include "collation.h"

#include <algorithm>
#include <new>

namespace {

constexpr size_t kInitialCapacity = 200;

char FoldedAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Blank to tilde: the ASCII that names hold.
bool IsPlainAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

// True when the platform's collation tells plain ASCII texts apart exactly
// as ASCII case folding does: each character equals only itself and its
// other case, and none is passed over. A Turkish locale, where "I" is not
// the capital of "i", fails it. Asked once: the answer holds for the run.
bool CollationIsAsciiFolding()
{
    std::string keys[95];
    for (char c = ' '; c <= '~'; ++c)
        keys[c - ' '] = CollationKey(std::string("a") + c + "b");
    const std::string without = CollationKey("ab");
    for (char c = ' '; c <= '~'; ++c) {
        if (keys[c - ' '] == without)
            return false;
        for (char d = ' '; d < c; ++d) {
            if ((keys[c - ' '] == keys[d - ' ']) != (FoldedAscii(c) == FoldedAscii(d)))
                return false;
        }
    }
    return true;
}

} // namespace

WorkingSet::WorkingSet(NameIndex index) : mayFold_(index == NameIndex::FoldWhereItCan)
{
    entries_.reserve(kInitialCapacity);
}

size_t WorkingSet::FoldedHash::operator()(const std::string& text) const
{
    size_t hash = 2166136261u;
    for (char c : text)
        hash = (hash ^ static_cast<unsigned char>(FoldedAscii(c))) * 16777619u;
    return hash;
}

bool WorkingSet::FoldedEqual::operator()(const std::string& a, const std::string& b) const
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldedAscii(x) == FoldedAscii(y); });
}

bool WorkingSet::Append(const std::string& name, const std::string& newName)
{
    return Add(FileEntry{name, newName, std::string(), 0, 0});
}

bool WorkingSet::AppendFile(const FoundFile& found)
{
    return Add(FileEntry{found.name, std::string(), std::string(), found.size, found.lastWrite});
}

bool WorkingSet::AppendLine(const std::string& text)
{
    holdsLines_ = true;
    return Append(text);
}

bool WorkingSet::Add(FileEntry entry)
{
    try {
        entries_.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (indexed_) {
        queued_.push_back(false);
        QueueChange(Count() - 1, false);
    }
    return true;
}

void WorkingSet::Clear()
{
    entries_.clear();
    holdsLines_ = false;
    DropIndex();
}

// Follows each cycle of the permutation, so no second copy of the entries
// is needed.
void WorkingSet::Reorder(const std::vector<uint32_t>& positions)
{
    std::vector<bool> placed(entries_.size(), false);
    for (size_t start = 0; start < entries_.size(); ++start) {
        if (placed[start])
            continue;
        FileEntry held = std::move(entries_[start]);
        size_t to = start;
        for (;;) {
            const size_t from = positions[to];
            placed[to] = true;
            if (from == start) {
                entries_[to] = std::move(held);
                break;
            }
            entries_[to] = std::move(entries_[from]);
            to = from;
        }
    }
    DropIndex();
}

void WorkingSet::SetNewName(int i, std::string text)
{
    if (indexed_ && !queued_[static_cast<size_t>(i)])
        QueueChange(i, true);
    entries_[static_cast<size_t>(i)].newName = std::move(text);
}

void WorkingSet::SetTempName(int i, std::string text)
{
    entries_[static_cast<size_t>(i)].tempName = std::move(text);
}

bool WorkingSet::RemoveByName(const std::string& name)
{
    for (FileEntry& e : entries_) {
        if (!e.name.empty() && e.name == name) {
            e.name.clear();
            return true;
        }
    }
    return false;
}

bool WorkingSet::IsProposedName(const std::string& text) const
{
    if (!indexed_)
        RebuildIndex(mayFold_);
    else
        SyncIndex();
    if (folding_ && !IsPlainAscii(text))
        RebuildIndex(false);
    return folding_ ? folded_.count(text) != 0 : proposals_.count(CollationKey(text)) != 0;
}

void WorkingSet::QueueChange(int i, bool counted)
{
    // Once half the entries wait, a rebuild is cheaper than catching up, and
    // the queue's old proposals stop growing.
    if (changed_.size() >= entries_.size() / 2 + 16) {
        DropIndex();
        return;
    }
    queued_[static_cast<size_t>(i)] = true;
    // The old proposal is about to be replaced: the queue takes it over.
    changed_.push_back(Change{i, counted, counted ? std::move(entries_[static_cast<size_t>(i)].newName) : std::string()});
}

void WorkingSet::DropIndex()
{
    indexed_ = false;
    folded_.clear();
    proposals_.clear();
    changed_.clear();
    queued_.clear();
}

void WorkingSet::RebuildIndex(bool mayFold) const
{
    static const bool asciiFolds = CollationIsAsciiFolding();
    folding_ = mayFold && asciiFolds &&
               std::all_of(entries_.begin(), entries_.end(), [](const FileEntry& e) { return IsPlainAscii(e.newName); });
    folded_.clear();
    proposals_.clear();
    if (folding_)
        folded_.reserve(entries_.size());
    else
        proposals_.reserve(entries_.size());
    for (const FileEntry& e : entries_)
        AddKey(e.newName);
    changed_.clear();
    queued_.assign(entries_.size(), false);
    indexed_ = true;
}

void WorkingSet::SyncIndex() const
{
    if (folding_ && std::any_of(changed_.begin(), changed_.end(),
                                [this](const Change& c) { return !IsPlainAscii(Entry(c.entry).newName); })) {
        RebuildIndex(false);
        return;
    }
    for (const Change& change : changed_) {
        if (change.counted)
            DropKey(change.previous);
        AddKey(Entry(change.entry).newName);
        queued_[static_cast<size_t>(change.entry)] = false;
    }
    changed_.clear();
}

void WorkingSet::AddKey(const std::string& proposal) const
{
    if (folding_)
        ++folded_[proposal];
    else
        ++proposals_[CollationKey(proposal)];
}

void WorkingSet::DropKey(const std::string& proposal) const
{
    if (folding_) {
        auto found = folded_.find(proposal);
        if (found != folded_.end() && --found->second == 0)
            folded_.erase(found);
        return;
    }
    auto found = proposals_.find(CollationKey(proposal));
    if (found != proposals_.end() && --found->second == 0)
        proposals_.erase(found);
}
