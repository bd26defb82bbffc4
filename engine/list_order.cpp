// Layer: pure core (no <windows.h>, built natively too).

#include "list_order.h"

#include "characters.h"
#include "collation.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// What a character weighs before accents and case are looked at.
std::string PrimaryWeights(const std::string& text)
{
    return std::string(LetterWeights(CollationKey(text)));
}

// Byte order of two keys, eight bytes at a time: the keys of a folder's
// names often share a long beginning ("IMG_0"), and the system's memcmp
// goes a byte at a time on some platforms.
int CompareKeys(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    size_t at = 0;
    for (; at + 8 <= common; at += 8) {
        uint64_t x;
        uint64_t y;
        std::memcpy(&x, a.data() + at, 8);
        std::memcpy(&y, b.data() + at, 8);
        if (x != y)
            break;
    }
    for (; at < common; ++at) {
        if (a[at] != b[at])
            return static_cast<unsigned char>(a[at]) < static_cast<unsigned char>(b[at]) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

size_t CommonLength(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    size_t at = 0;
    while (at < common && a[at] == b[at])
        ++at;
    return at;
}

// The eight bytes of the key from `at` as a number that orders as they do
// (a short key padded with zeros, which orders it first or as a tie).
uint64_t HeadOf(std::string_view key, size_t at)
{
    uint64_t head = 0;
    for (size_t i = 0; i < 8; ++i)
        head = (head << 8) | (at + i < key.size() ? static_cast<unsigned char>(key[at + i]) : 0u);
    return head;
}

// The order of names whose keys are the same.
bool TieBefore(const std::string& a, const std::string& b)
{
    const int byCollation = CollationKey(a).compare(CollationKey(b));
    if (byCollation != 0)
        return byCollation < 0;
    return a < b;
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
    for (int c = 1; c < 128; ++c) {
        const std::string weight = PrimaryWeights(std::string(1, static_cast<char>(c)));
        Weight& entry = ascii_[c];
        entry.fits = weight.size() <= sizeof entry.bytes;
        entry.length = entry.fits ? static_cast<uint8_t>(weight.size()) : 0;
        std::memcpy(entry.bytes, weight.data(), entry.length);
        longestAscii_ = std::max<size_t>(longestAscii_, entry.length);
    }
}

std::string NameKeys::KeyOf(const std::string& name)
{
    std::string key;
    AppendKey(name, key);
    return key;
}

void NameKeys::AppendKey(std::string_view name, std::string& keys, size_t limit)
{
    size_t at = 0;
    while (at < name.size() && keys.size() < limit) {
        const unsigned char c = static_cast<unsigned char>(name[at]);
        if (IsDigit(name[at])) {
            AppendNumber(name, at, keys);
        } else if (c < 128 && ascii_[c].fits) {
            AppendAscii(name, at, keys, limit);
        } else {
            AppendOther(name, at, keys);
        }
    }
}

// A run of ASCII characters other than digits, written straight into the
// block, where most of the time of a sort goes. A byte below 128 is a
// character of its own in every code page.
void NameKeys::AppendAscii(std::string_view name, size_t& at, std::string& keys, size_t limit) const
{
    size_t end = at;
    while (end < name.size() && static_cast<unsigned char>(name[end]) < 128 && !IsDigit(name[end]) &&
           ascii_[static_cast<unsigned char>(name[end])].fits)
        ++end;
    const size_t was = keys.size();
    keys.resize(was + (end - at) * longestAscii_ + sizeof ascii_[0].bytes);
    char* out = &keys[was];
    const char* enough = keys.data() + std::min(limit, keys.size());
    for (; at < end && out < enough; ++at) {
        const Weight& weight = ascii_[static_cast<unsigned char>(name[at])];
        std::memcpy(out, weight.bytes, sizeof weight.bytes);
        out += weight.length;
    }
    keys.resize(static_cast<size_t>(out - keys.data()));
}

// A character beyond ASCII, or one whose weight is long. A character is at
// most four bytes, none of them zero: its bytes are its number.
void NameKeys::AppendOther(std::string_view name, size_t& at, std::string& keys)
{
    const size_t length = CharacterLength(name, at);
    uint32_t character = 0;
    std::memcpy(&character, name.data() + at, std::min(length, sizeof character));
    at += length;
    Recent& recent = recent_[(character * 2654435761u) >> 24];
    if (recent.character == character && recent.weight.fits) {
        keys.append(recent.weight.bytes, recent.weight.length);
        return;
    }
    auto found = others_.find(character);
    if (found == others_.end())
        found = others_.emplace(character, PrimaryWeights(std::string(name.substr(at - length, length)))).first;
    const std::string& weight = found->second;
    keys += weight;
    recent.character = character;
    recent.weight.fits = weight.size() <= sizeof recent.weight.bytes;
    recent.weight.length = recent.weight.fits ? static_cast<uint8_t>(weight.size()) : 0;
    std::memcpy(recent.weight.bytes, weight.data(), recent.weight.length);
}

// A run of digits weighs as a digit, then its count of digits without the
// leading zeros, then those digits: a longer number is a larger one.
void NameKeys::AppendNumber(std::string_view name, size_t& at, std::string& keys) const
{
    while (at < name.size() && name[at] == '0' && at + 1 < name.size() && IsDigit(name[at + 1]))
        ++at;
    if (name[at] == '0')
        ++at; // the value zero has no digits left
    const size_t start = at;
    while (at < name.size() && IsDigit(name[at]))
        ++at;
    const size_t count = at - start;
    keys += digitMark_;
    keys += static_cast<char>(count >> 8);
    keys += static_cast<char>(count & 0xff);
    keys.append(name.substr(start, count));
}

bool NameBefore(const std::string& a, std::string_view aKey, const std::string& b, std::string_view bKey)
{
    const int byKey = CompareKeys(aKey, bKey);
    return byKey != 0 ? byKey < 0 : TieBefore(a, b);
}

namespace {

uint64_t ValueOf(const FileEntry& entry, ListOrder by)
{
    return by == ListOrder::Modified ? entry.modified : entry.size;
}

// The order of two entries whose keys are the same.
bool EntryTieBefore(const WorkingSet& set, uint32_t a, uint32_t b)
{
    const HeldText aName = set.Entry(static_cast<int>(a)).name;
    const HeldText bName = set.Entry(static_cast<int>(b)).name;
    if (aName == bName)
        return a < b; // only a test's set holds a name twice
    return TieBefore(aName, bName);
}

// Sorts the positions by their entries' whole keys, made once into one block.
void SortByWholeKeys(const WorkingSet& set, NameKeys& names, std::vector<uint32_t>::iterator first,
                     std::vector<uint32_t>::iterator last)
{
    struct Keyed {
        uint32_t position;
        uint32_t offset;
        uint32_t length;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<size_t>(last - first));
    std::string keys;
    for (auto at = first; at != last; ++at) {
        const size_t offset = keys.size();
        names.AppendKey(set.Entry(static_cast<int>(*at)).name, keys);
        keyed.push_back(Keyed{*at, static_cast<uint32_t>(offset), static_cast<uint32_t>(keys.size() - offset)});
    }
    const std::string_view all(keys);
    const auto keyOf = [&all](const Keyed& k) { return all.substr(k.offset, k.length); };
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        const int byKey = CompareKeys(keyOf(a), keyOf(b));
        return byKey != 0 ? byKey < 0 : EntryTieBefore(set, a.position, b.position);
    });
    for (const Keyed& k : keyed)
        *first++ = k.position;
}

// Eight bytes of a key, from where the keys read so far had all been alike.
struct Headed {
    uint64_t head; // the bytes from `from`, as HeadOf gives them
    uint32_t position;
    uint32_t from;
};

// Moves each head to start at `shared`, where all the keys part. A key read
// when more bytes were alike has the first key's bytes up to its `from`.
void HeadsFrom(size_t shared, std::string_view firstKey, std::vector<Headed>& headed)
{
    for (Headed& h : headed) {
        if (h.from == shared)
            continue;
        const size_t alike = std::min<size_t>(h.from - shared, 8);
        uint64_t head = alike == 8 ? 0 : h.head >> (8 * alike);
        for (size_t i = 0; i < alike; ++i)
            head |= uint64_t{static_cast<unsigned char>(firstKey[shared + i])} << (8 * (7 - i));
        h.head = head;
    }
}

// Sorts the positions by the names of their entries. Only eight bytes of
// each key are kept, from where all the keys part: most names differ
// there, and a folder's keys held whole would be several times its names,
// memory that is new to the process at every sort. Entries whose eight
// bytes tie are sorted again the same way from where they part ("Photo 1"
// and "Photo 2" among names in other scripts), and by their whole keys once
// that finds nothing more alike, or a few rounds have not parted them.
void SortByName(const WorkingSet& set, NameKeys& names, std::vector<uint32_t>::iterator first,
                std::vector<uint32_t>::iterator last, int round = 0, size_t alikeBefore = 0)
{
    constexpr int kRounds = 4;
    if (round == kRounds) {
        SortByWholeKeys(set, names, first, last);
        return;
    }
    std::vector<Headed> headed;
    headed.reserve(static_cast<size_t>(last - first));
    std::string firstKey;
    std::string key;
    size_t shared = 0;
    for (auto at = first; at != last; ++at) {
        key.clear();
        // Past the eight bytes from where the keys part, a key is not read.
        names.AppendKey(set.Entry(static_cast<int>(*at)).name, key, at == first ? key.npos : shared + 8);
        if (at == first) {
            firstKey = key;
            shared = key.size();
        }
        shared = std::min(shared, CommonLength(firstKey, key));
        headed.push_back(Headed{HeadOf(key, shared), *at, static_cast<uint32_t>(shared)});
    }
    if (round != 0 && shared <= alikeBefore) {
        SortByWholeKeys(set, names, first, last);
        return;
    }
    HeadsFrom(shared, firstKey, headed);
    // Tied entries stay in the order they lie in memory, where the next
    // round reads them in turn.
    std::sort(headed.begin(), headed.end(), [](const Headed& a, const Headed& b) {
        return a.head != b.head ? a.head < b.head : a.position < b.position;
    });
    for (size_t i = 0; i < headed.size(); ++i)
        first[static_cast<ptrdiff_t>(i)] = headed[i].position;
    for (size_t run = 0; run < headed.size();) {
        size_t end = run + 1;
        while (end < headed.size() && headed[end].head == headed[run].head)
            ++end;
        if (end - run > 1)
            SortByName(set, names, first + static_cast<ptrdiff_t>(run), first + static_cast<ptrdiff_t>(end),
                       round + 1, shared);
        run = end;
    }
}

// Sorts by date or size; only the entries that tie on it need name keys.
void SortByValue(const WorkingSet& set, ListOrder by, NameKeys& names, std::vector<uint32_t>& positions)
{
    // The values are read once, beside their positions, and sorted there.
    std::vector<std::pair<uint64_t, uint32_t>> valued;
    valued.reserve(positions.size());
    for (uint32_t at : positions)
        valued.emplace_back(ValueOf(set.Entry(static_cast<int>(at)), by), at);
    std::sort(valued.begin(), valued.end());
    for (size_t i = 0; i < valued.size(); ++i)
        positions[i] = valued[i].second;
    for (size_t run = 0; run < valued.size();) {
        size_t end = run + 1;
        while (end < valued.size() && valued[end].first == valued[run].first)
            ++end;
        if (end - run > 1)
            SortByName(set, names, positions.begin() + static_cast<ptrdiff_t>(run),
                       positions.begin() + static_cast<ptrdiff_t>(end));
        run = end;
    }
}

// The positions of the listed entries as `arrange` puts them, then those of
// the entries off the list as they stood.
template <typename Arrange>
std::vector<uint32_t> Arranged(const WorkingSet& set, Arrange arrange)
{
    std::vector<uint32_t> listed;
    std::vector<uint32_t> unlisted;
    listed.reserve(static_cast<size_t>(set.Count()));
    for (int i = 0; i < set.Count(); ++i)
        (set.IsListed(i) ? listed : unlisted).push_back(static_cast<uint32_t>(i));
    arrange(listed);
    listed.insert(listed.end(), unlisted.begin(), unlisted.end());
    return listed;
}

} // namespace

std::vector<uint32_t> SortedPositions(const WorkingSet& set, SortOrder order)
{
    return Arranged(set, [&](std::vector<uint32_t>& listed) {
        NameKeys names;
        if (order.by == ListOrder::Name)
            SortByName(set, names, listed.begin(), listed.end());
        else
            SortByValue(set, order.by, names, listed);
        if (order.reversed)
            std::reverse(listed.begin(), listed.end());
    });
}

void SortShown(WorkingSet& set)
{
    if (!set.HoldsLines())
        set.Reorder(SortedPositions(set, set.Order()));
}

// The order is total, so its reverse is the same list turned round.
void ChangeOrder(WorkingSet& set, SortOrder order)
{
    const SortOrder was = set.Order();
    set.SetOrder(order);
    if (set.HoldsLines() || was == order)
        return;
    if (was.by != order.by)
        SortShown(set);
    else
        set.Reorder(Arranged(set, [](std::vector<uint32_t>& listed) { std::reverse(listed.begin(), listed.end()); }));
}
