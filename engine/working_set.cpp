#include "working_set.h"

#include "collation.h"

#include <new>

namespace {
constexpr size_t kInitialCapacity = 200;
}

WorkingSet::WorkingSet()
{
    entries_.reserve(kInitialCapacity);
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
        RebuildIndex();
    else
        SyncIndex();
    return proposals_.count(CollationKey(text)) != 0;
}

void WorkingSet::QueueChange(int i, bool counted)
{
    // Once half the entries wait, a rebuild is cheaper than catching up, and
    // the queue's copies of old proposals stop growing.
    if (changed_.size() >= entries_.size() / 2 + 16) {
        DropIndex();
        return;
    }
    queued_[static_cast<size_t>(i)] = true;
    changed_.push_back(Change{i, counted, counted ? Entry(i).newName : std::string()});
}

void WorkingSet::DropIndex()
{
    indexed_ = false;
    proposals_.clear();
    changed_.clear();
    queued_.clear();
}

void WorkingSet::RebuildIndex() const
{
    proposals_.clear();
    proposals_.reserve(entries_.size());
    for (const FileEntry& e : entries_)
        AddKey(CollationKey(e.newName));
    changed_.clear();
    queued_.assign(entries_.size(), false);
    indexed_ = true;
}

void WorkingSet::SyncIndex() const
{
    for (const Change& change : changed_) {
        if (change.counted)
            DropKey(CollationKey(change.previous));
        AddKey(CollationKey(Entry(change.entry).newName));
        queued_[static_cast<size_t>(change.entry)] = false;
    }
    changed_.clear();
}

void WorkingSet::AddKey(const std::string& key) const
{
    ++proposals_[key];
}

void WorkingSet::DropKey(const std::string& key) const
{
    auto found = proposals_.find(key);
    if (found != proposals_.end() && --found->second == 0)
        proposals_.erase(found);
}
