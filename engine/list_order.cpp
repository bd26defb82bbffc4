#include "list_order.h"

#include "characters.h"
#include "collation.h"

#include <algorithm>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// What a character weighs before accents and case are looked at: the part
// of its collation key up to the first level mark.
std::string PrimaryWeights(const std::string& text)
{
    const std::string key = CollationKey(text);
    return key.substr(0, key.find('\x01'));
}

} // namespace

SortOrder ClickedOrder(SortOrder current, ListOrder column)
{
    if (current.by == column)
        return SortOrder{column, !current.reversed};
    return SortOrder{column, false};
}

NameKeys::NameKeys() : digitMark_(PrimaryWeights("0"))
{
    for (int c = 1; c < 128; ++c)
        ascii_[c] = PrimaryWeights(std::string(1, static_cast<char>(c)));
}

std::string NameKeys::KeyOf(const std::string& name)
{
    std::string key;
    key.reserve(name.size() * 2 + 8);
    size_t at = 0;
    while (at < name.size()) {
        const unsigned char c = static_cast<unsigned char>(name[at]);
        if (IsDigit(name[at])) {
            AddNumber(name, at, key);
            continue;
        }
        const size_t length = CharacterLength(name, at);
        key += length == 1 && c < 128 ? ascii_[c] : WeightOf(name, at, length);
        at += length;
    }
    return key;
}

const std::string& NameKeys::WeightOf(const std::string& name, size_t at, size_t length)
{
    const std::string character = name.substr(at, length);
    auto found = others_.find(character);
    if (found == others_.end())
        found = others_.emplace(character, PrimaryWeights(character)).first;
    return found->second;
}

// A run of digits weighs as a digit, then its count of digits without the
// leading zeros, then those digits: a longer number is a larger one.
void NameKeys::AddNumber(const std::string& name, size_t& at, std::string& key) const
{
    while (at < name.size() && name[at] == '0' && at + 1 < name.size() && IsDigit(name[at + 1]))
        ++at;
    if (name[at] == '0')
        ++at; // the value zero has no digits left
    const size_t start = at;
    while (at < name.size() && IsDigit(name[at]))
        ++at;
    const size_t count = at - start;
    key += digitMark_;
    key += static_cast<char>(count >> 8);
    key += static_cast<char>(count & 0xff);
    key.append(name, start, count);
}

bool NameBefore(const std::string& a, const std::string& aKey, const std::string& b, const std::string& bKey)
{
    const int byKey = aKey.compare(bKey);
    if (byKey != 0)
        return byKey < 0;
    const int byCollation = CollationKey(a).compare(CollationKey(b));
    if (byCollation != 0)
        return byCollation < 0;
    return a < b;
}

std::vector<uint32_t> SortedPositions(const WorkingSet& set, SortOrder order)
{
    NameKeys names;
    std::vector<std::string> keys(static_cast<size_t>(set.Count()));
    std::vector<uint32_t> listed;
    std::vector<uint32_t> unlisted;
    listed.reserve(keys.size());
    for (int i = 0; i < set.Count(); ++i) {
        if (set.IsListed(i)) {
            keys[static_cast<size_t>(i)] = names.KeyOf(set.Entry(i).name);
            listed.push_back(static_cast<uint32_t>(i));
        } else {
            unlisted.push_back(static_cast<uint32_t>(i));
        }
    }
    const auto before = [&](uint32_t a, uint32_t b) {
        const FileEntry& x = set.Entry(static_cast<int>(a));
        const FileEntry& y = set.Entry(static_cast<int>(b));
        if (order.by == ListOrder::Modified && x.modified != y.modified)
            return x.modified < y.modified;
        if (order.by == ListOrder::Size && x.size != y.size)
            return x.size < y.size;
        return NameBefore(x.name, keys[a], y.name, keys[b]);
    };
    std::stable_sort(listed.begin(), listed.end(), before);
    if (order.reversed)
        std::reverse(listed.begin(), listed.end());
    listed.insert(listed.end(), unlisted.begin(), unlisted.end());
    return listed;
}

void SortShown(WorkingSet& set)
{
    if (!set.HoldsLines())
        set.Reorder(SortedPositions(set, set.Order()));
}
