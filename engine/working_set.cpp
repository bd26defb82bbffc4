// Layer: pure core (no <windows.h>, built natively too).

#include "working_set.h"

#include "collation.h"

#include <algorithm>
#include <new>
#include <numeric>

namespace {
constexpr size_t kInitialCapacity = 200;
}

WorkingSet::WorkingSet()
{
    entries_.reserve(kInitialCapacity);
}

bool WorkingSet::Append(const std::string& name, const std::string& newName)
{
    try {
        entries_.push_back(FileEntry{name, newName, std::string()});
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
    DropIndex();
}

void WorkingSet::SortByName()
{
    std::vector<std::string> keys;
    keys.reserve(entries_.size());
    for (const FileEntry& e : entries_)
        keys.push_back(CollationKey(e.name));
    std::vector<size_t> order(entries_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<FileEntry> sorted;
    sorted.reserve(entries_.capacity());
    for (size_t i : order)
        sorted.push_back(std::move(entries_[i]));
    entries_.swap(sorted);
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
