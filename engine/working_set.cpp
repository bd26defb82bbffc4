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
    if (indexed_)
        changed_.push_back(Count() - 1);
    return true;
}

void WorkingSet::Clear()
{
    entries_.clear();
    indexed_ = false;
    proposals_.clear();
    indexedKeys_.clear();
    changed_.clear();
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
    indexed_ = false;
}

void WorkingSet::SetNewName(int i, std::string text)
{
    entries_[static_cast<size_t>(i)].newName = std::move(text);
    if (!indexed_)
        return;
    changed_.push_back(i);
    // Past one change per entry a rebuild is cheaper than catching up.
    if (changed_.size() > entries_.size()) {
        indexed_ = false;
        changed_.clear();
    }
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

void WorkingSet::RebuildIndex() const
{
    proposals_.clear();
    proposals_.reserve(entries_.size());
    indexedKeys_.clear();
    indexedKeys_.reserve(entries_.size());
    for (const FileEntry& e : entries_) {
        indexedKeys_.push_back(CollationKey(e.newName));
        AddKey(indexedKeys_.back());
    }
    changed_.clear();
    indexed_ = true;
}

void WorkingSet::SyncIndex() const
{
    for (int i : changed_) {
        const size_t at = static_cast<size_t>(i);
        if (at < indexedKeys_.size())
            DropKey(indexedKeys_[at]);
        else
            indexedKeys_.resize(at + 1);
        indexedKeys_[at] = CollationKey(entries_[at].newName);
        AddKey(indexedKeys_[at]);
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
