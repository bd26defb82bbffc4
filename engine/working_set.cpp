// Layer: pure core (no <windows.h>, built natively too).

#include "working_set.h"

#include "collation.h"
#include "name_pieces.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kEndOfChain = 0xFFFFFFFFu;
constexpr unsigned kChainAhead = 4;

// Blank to tilde: the ASCII that names hold.
bool IsPlainAscii(std::string_view text)
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
            if ((keys[c - ' '] == keys[d - ' ']) != (AsciiLower(c) == AsciiLower(d)))
                return false;
        }
    }
    return true;
}

bool FoldedEqual(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool AsciiFolds()
{
    static const bool folds = CollationIsAsciiFolding();
    return folds;
}

// Asks the memory for what `at` holds, without waiting for it. The
// instruction came with SSE, which every processor the program's systems
// run on has; the 32-bit build is made for processors before it, and its
// compiler drops the builtin there, so the instruction is written out.
void Prefetch(const void* at)
{
    asm volatile("prefetcht0 %0" : : "m"(*static_cast<const char*>(at)));
}

// Hashes of one chain agree in their low bits, the lowest of which a
// chain's head uses for itself.
bool SameHash(uint32_t head, uint32_t hash)
{
    return (head ^ hash) >> 1 == 0;
}

// Eight bytes of plain ASCII with their letters folded: a byte from 'A' to
// 'Z' gains the bit that makes it small. No byte of plain ASCII carries
// into the next.
uint64_t Folded8(uint64_t bytes)
{
    constexpr uint64_t kHigh = 0x8080808080808080u;
    const uint64_t fromA = bytes + 0x3F3F3F3F3F3F3F3Fu;
    const uint64_t pastZ = bytes + 0x2525252525252525u;
    return bytes | (((fromA ^ pastZ) & kHigh) >> 2);
}

uint64_t AsTheyAre(uint64_t bytes)
{
    return bytes;
}

// A hash of `bytes` taken eight at a step, each step's through `step`
// first (the last padded with zeros): the index hashes every question, and
// byte by byte that was a tenth of an action. Its bits are spread so that
// the low ones pick the chain.
template <uint64_t (*step)(uint64_t)>
uint32_t Hashed(std::string_view bytes)
{
    constexpr uint64_t kMultiplier = 0xff51afd7ed558ccdu;
    uint64_t hash = 0x9E3779B97F4A7C15u ^ bytes.size();
    for (size_t at = 0; at < bytes.size(); at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, std::min<size_t>(8, bytes.size() - at));
        hash = (hash ^ step(word)) * kMultiplier;
        hash ^= hash >> 29;
    }
    hash *= 0xc4ceb9fe1a85ec53u;
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

// The letter weights of each ASCII character, by which an ASCII text's are
// made without asking the platform: the weights of a text are then those of
// its characters in turn. Trusted only when the platform was seen to weigh
// every character, and every pair of them, just so: a locale where two
// letters weigh as one (the Czech "ch") fails it. Asked once, as
// AsciiFolds is.
struct AsciiWeights {
    bool sound = false;
    unsigned char bytes[128][4] = {};
    unsigned char length[128] = {};

    AsciiWeights()
    {
        for (char c = ' '; c <= '~'; ++c) {
            const std::string key = CollationKey(std::string(1, c));
            const std::string_view weights = LetterWeights(key);
            if (weights.size() > sizeof bytes[0])
                return;
            std::copy(weights.begin(), weights.end(), bytes[static_cast<unsigned char>(c)]);
            length[static_cast<unsigned char>(c)] = static_cast<unsigned char>(weights.size());
        }
        for (char c = ' '; c <= '~'; ++c) {
            for (char d = ' '; d <= '~'; ++d) {
                const std::string pair{c, d};
                const std::string key = CollationKey(pair);
                const std::string_view weights = LetterWeights(key);
                if (weights.substr(0, Of(c).size()) != Of(c) || weights.substr(Of(c).size()) != Of(d))
                    return;
            }
        }
        sound = true;
    }

    std::string_view Of(char c) const
    {
        const unsigned char at = static_cast<unsigned char>(c);
        return std::string_view(reinterpret_cast<const char*>(bytes[at]), length[at]);
    }

    // The weights of `text`, which is plain ASCII, written into `room`.
    // `room` only grows, so that it is not filled anew for every text.
    std::string_view Compose(std::string_view text, std::string& room) const
    {
        if (room.size() < text.size() * sizeof bytes[0])
            room.resize(text.size() * sizeof bytes[0]);
        char* out = &room[0];
        for (char c : text) {
            const unsigned char at = static_cast<unsigned char>(c);
            std::memcpy(out, bytes[at], sizeof bytes[at]);
            out += length[at];
        }
        return std::string_view(room.data(), static_cast<size_t>(out - room.data()));
    }
};

const AsciiWeights& PlatformAsciiWeights()
{
    static const AsciiWeights weights;
    return weights;
}

} // namespace

WorkingSet::WorkingSet(NameIndex index) : mayFold_(index == NameIndex::FoldWhereItCan) {}

bool WorkingSet::Append(std::string_view name, std::string_view newName)
{
    return Add(name, newName, 0, 0);
}

bool WorkingSet::AppendFile(const FoundFile& found)
{
    return Add(found.name, std::string_view(), found.size, found.lastWrite);
}

bool WorkingSet::AppendLine(std::string_view text)
{
    holdsLines_ = true;
    return Append(text);
}

bool WorkingSet::Add(std::string_view name, std::string_view newName, uint64_t size, uint64_t modified)
{
    if (indexed_)
        DropIndex();
    Record r;
    r.size = size;
    r.modified = modified;
    try {
        if (static_cast<size_t>(count_) >> kRecordBits == records_.size())
            records_.emplace_back(kRecordMask + 1);
        if (!name.empty())
            r.name = Stored{names_.Add(name, name.size() + 1), static_cast<uint32_t>(name.size())};
        Replace(r.newName, newName);
    } catch (const std::bad_alloc&) {
        return false;
    }
    RecordAt(count_++) = r;
    return true;
}

void WorkingSet::Clear()
{
    records_.clear();
    count_ = 0;
    names_.Clear();
    changes_.Clear();
    liveBytes_ = 0;
    deadBytes_ = 0;
    holdsLines_ = false;
    DropIndex();
}

// Follows each cycle of the permutation, so no second copy of the entries
// is needed.
void WorkingSet::Reorder(const std::vector<uint32_t>& positions)
{
    std::vector<bool> placed(static_cast<size_t>(count_), false);
    for (int start = 0; start < count_; ++start) {
        if (placed[static_cast<size_t>(start)])
            continue;
        const Record held = RecordAt(start);
        int to = start;
        for (;;) {
            const int from = static_cast<int>(positions[static_cast<size_t>(to)]);
            placed[static_cast<size_t>(to)] = true;
            if (from == start) {
                RecordAt(to) = held;
                break;
            }
            RecordAt(to) = RecordAt(from);
            to = from;
        }
    }
    DropIndex();
    // The texts follow, so that a walk down the list reads them in turn.
    Relay(names_, {&Record::name});
    if (Relay(changes_, {&Record::newName, &Record::tempName}))
        deadBytes_ = 0;
}

void WorkingSet::SetNewName(int i, std::string_view text)
{
    // The same proposal again leaves the index as it stands.
    if (Held(RecordAt(i).newName) == text)
        return;
    if (indexed_ && !(state_[static_cast<size_t>(i)] & kQueued))
        QueueChange(i);
    Replace(RecordAt(i).newName, text);
    ReclaimIfWasteful();
}

void WorkingSet::SetTempName(int i, std::string_view text)
{
    Replace(RecordAt(i).tempName, text);
    ReclaimIfWasteful();
}

// A text that fits where the old one lies is written over it; `text` may
// be that very text or a part of it.
void WorkingSet::Replace(Stored& slot, std::string_view text)
{
    if (!text.empty() && slot.length != 0 && Footprint(text.size()) <= Footprint(slot.length)) {
        char* at = changes_.At(slot.at);
        std::memmove(at, text.data(), text.size());
        at[text.size()] = '\0';
        deadBytes_ += Footprint(slot.length) - Footprint(text.size());
        liveBytes_ -= Footprint(slot.length) - Footprint(text.size());
        slot.length = static_cast<uint32_t>(text.size());
        return;
    }
    Stored fresh;
    if (!text.empty()) {
        fresh = Stored{changes_.Add(text, Footprint(text.size())), static_cast<uint32_t>(text.size())};
        liveBytes_ += Footprint(text.size());
    }
    Release(slot);
    slot = fresh;
}

void WorkingSet::Release(Stored& slot)
{
    if (slot.length != 0) {
        deadBytes_ += Footprint(slot.length);
        liveBytes_ -= Footprint(slot.length);
    }
    slot = Stored();
}

void WorkingSet::ReclaimIfWasteful()
{
    if (deadBytes_ > liveBytes_ / 4 + TextArena::kBlockSize && Relay(changes_, {&Record::newName, &Record::tempName}))
        deadBytes_ = 0;
}

// The bytes a proposal or scratch name takes: its NUL and up to three more,
// so that one a little longer (a "~1" added) is written where it lies.
size_t WorkingSet::Footprint(size_t length)
{
    return (length + 4) & ~size_t{3};
}

// Copies the texts of the entries' `slots` into a new arena, in entry order.
// The new places are all found before any entry moves to them, so that
// running out of memory on the way leaves every entry as it was (false).
bool WorkingSet::Relay(TextArena& arena, std::initializer_list<Stored Record::*> slots)
{
    TextArena fresh;
    std::vector<TextArena::Handle> places;
    try {
        places.reserve(static_cast<size_t>(count_) * slots.size());
        for (int i = 0; i < count_; ++i) {
            for (Stored Record::*slot : slots) {
                const Stored& text = RecordAt(i).*slot;
                if (text.length == 0) {
                    places.push_back(0);
                    continue;
                }
                const size_t room = &arena == &changes_ ? Footprint(text.length) : text.length + 1;
                places.push_back(fresh.Add(std::string_view(arena.At(text.at), text.length), room));
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t next = 0;
    for (int i = 0; i < count_; ++i)
        for (Stored Record::*slot : slots)
            (RecordAt(i).*slot).at = places[next++];
    arena.Swap(fresh);
    return true;
}

bool WorkingSet::RemoveByName(std::string_view name)
{
    for (int i = 0; i < count_; ++i) {
        Record& r = RecordAt(i);
        if (r.name.length != 0 && NameOf(r) == name) {
            r.name = Stored();
            return true;
        }
    }
    return false;
}

bool WorkingSet::IsProposedName(std::string_view text) const
{
    if (!indexed_)
        RebuildIndex(mayFold_);
    else
        SyncIndex();
    if (folding_ && !IsPlainAscii(text))
        RebuildIndex(false);
    std::string& key = questionKey_;
    key.clear();
    const uint32_t hash = ExpectedHash(text, key);
    asked_.assign(text);
    askedHash_ = hash;
    askedFolding_ = folding_;
    if (emptyProposals_ != 0 && (text.empty() || (!key.empty() && key == emptyKey_)))
        return true;
    // The head's hash lies in the chain itself, with word of whether more
    // follow: a text that no entry proposes mostly costs one read.
    const Chain& chain = chains_[hash & (chains_.size() - 1)];
    if (chain.first == kEndOfChain)
        return false;
    if (SameHash(chain.head, hash) && SameName(text, key, ProposalOf(chain.first)))
        return true;
    if (!(chain.head & kMore))
        return false;
    for (uint32_t j = links_[chain.first].next; j != kEndOfChain; j = links_[j].next)
        if (links_[j].hash == hash && SameName(text, key, ProposalOf(j)))
            return true;
    return false;
}

void WorkingSet::ExpectQuestion(std::string_view text, int asker) const
{
    if (!indexed_ || relinkAll_ || (folding_ && !IsPlainAscii(text)))
        return;
    uint32_t hash = 0;
    if (!HashNeedsKey(text)) {
        std::string unused;
        hash = HashOf(text, unused);
    } else {
        // A hash that costs a key is made now, and kept for the question.
        Expected& expected = expected_[nextExpected_++ % kExpected];
        expected.text.assign(text);
        expected.hash = hash = HashOf(text, expected.key);
    }
    const size_t mask = chains_.size() - 1;
    Prefetch(&chains_[hash & mask]);
    const Link& own = links_[static_cast<size_t>(asker)];
    if (state_[static_cast<size_t>(asker)] & kLinked) {
        Prefetch(&chains_[own.hash & mask]);
        if (own.next != kEndOfChain)
            Prefetch(&links_[own.next]);
    }
    // Leaving a chain reads the links before the entry's own: the chain of
    // an entry a few questions back, asked for then, is read now, and its
    // first link asked for. Askers come in turn down the list.
    const size_t earlier = static_cast<size_t>(asker) - kChainAhead;
    if (asker >= static_cast<int>(kChainAhead) && (state_[earlier] & kLinked)) {
        const uint32_t first = chains_[links_[earlier].hash & mask].first;
        if (first != kEndOfChain && first != earlier)
            Prefetch(&links_[first]);
    }
}

// The hash of `text`, and its key where the hash needs one, as
// ExpectQuestion made them or else now. Out of folding, a text's hash and
// key are the same whatever the index became since.
uint32_t WorkingSet::ExpectedHash(std::string_view text, std::string& key) const
{
    if (!HashNeedsKey(text))
        return HashOf(text, key);
    // Questions come in the order they were expected: the oldest one kept
    // is mostly the one asked.
    for (unsigned i = 0; i < kExpected; ++i) {
        const Expected& expected = expected_[(nextExpected_ + i) % kExpected];
        if (!expected.key.empty() && expected.text == text) {
            key.assign(expected.key);
            return expected.hash;
        }
    }
    return HashOf(text, key);
}

void WorkingSet::NameKeyInto(std::string_view text, std::string& key) const
{
    if (!FoldsName(text)) {
        CollationKeyInto(text, key);
        key.insert(key.begin(), 'C');
        return;
    }
    key.assign(1, 'F');
    for (char c : text)
        key += AsciiLower(c);
}

bool WorkingSet::FoldsName(std::string_view text) const
{
    return mayFold_ && AsciiFolds() && IsPlainAscii(text);
}

// False where HashOf hashes the text as it is, or as its weights made without
// the platform.
bool WorkingSet::HashNeedsKey(std::string_view text) const
{
    return !folding_ && !(composing_ && IsPlainAscii(text));
}

// Out of folding, a text hashes as its letter weights alone, so that an
// ASCII text, whose weights are known, needs no key; `key` is then left
// empty, else it is the text's collation key.
uint32_t WorkingSet::HashOf(std::string_view text, std::string& key) const
{
    if (folding_)
        return Hashed<Folded8>(text);
    if (!HashNeedsKey(text)) {
        return Hashed<AsTheyAre>(PlatformAsciiWeights().Compose(text, weights_));
    }
    CollationKeyInto(text, key);
    return Hashed<AsTheyAre>(LetterWeights(key));
}

// `key` is what HashOf left for `text`; a key it left unmade is made here,
// when a proposal beyond ASCII weighs the same.
bool WorkingSet::SameName(std::string_view text, std::string& key, HeldText proposal) const
{
    if (folding_)
        return FoldedEqual(text, proposal);
    if (proposal == text)
        return true;
    if (composing_ && IsPlainAscii(text) && IsPlainAscii(proposal))
        return FoldedEqual(text, proposal);
    if (key.empty())
        CollationKeyInto(text, key);
    CollationKeyInto(proposal, proposalKey_);
    return proposalKey_ == key;
}

void WorkingSet::QueueChange(int i)
{
    // Once half the entries wait, linking them all again is cheaper than
    // catching up: the changed ones are then known by their mark alone, and
    // the chains, made anew then, give their memory back meanwhile (most
    // actions that change so many never ask).
    if (!relinkAll_ && changed_.size() >= static_cast<size_t>(count_) / 2 + 16) {
        std::vector<uint32_t>().swap(changed_);
        std::vector<Chain>().swap(chains_);
        relinkAll_ = true;
    }
    if (!relinkAll_)
        changed_.push_back(static_cast<uint32_t>(i));
    state_[static_cast<size_t>(i)] |= kQueued;
}

// Its memory goes too: the actions that never ask need none.
void WorkingSet::DropIndex()
{
    indexed_ = false;
    std::vector<Chain>().swap(chains_);
    std::vector<Link>().swap(links_);
    std::vector<uint8_t>().swap(state_);
    std::vector<uint32_t>().swap(changed_);
    relinkAll_ = false;
}

void WorkingSet::RebuildIndex(bool mayFold) const
{
    asked_.clear();
    folding_ = mayFold && AsciiFolds();
    composing_ = mayFold_ && AsciiFolds() && PlatformAsciiWeights().sound;
    for (int i = 0; folding_ && i < count_; ++i)
        folding_ = IsPlainAscii(ProposalOf(static_cast<uint32_t>(i)));
    if (!folding_)
        emptyKey_ = CollationKey(std::string());
    links_.assign(static_cast<size_t>(count_), Link());
    state_.assign(static_cast<size_t>(count_), kQueued);
    LinkAll();
}

// Links every entry into chains made anew, hashing only the proposals marked
// as changed: a proposal beyond ASCII costs a collation key to hash.
void WorkingSet::LinkAll() const
{
    // Twice the chains of the entries: most chains then hold one entry or
    // none, and a question is answered without reading past the chain.
    size_t chains = 16;
    while (chains < 2 * static_cast<size_t>(count_))
        chains *= 2;
    chains_.assign(chains, Chain());
    // The hashes first, in turn; then the links, from the last entry, so that
    // the first of a chain is the first of the list (actions walk down the
    // list, and find each entry at the head), each chain asked for a few
    // entries before it is written.
    for (int i = 0; i < count_; ++i) {
        uint8_t& state = state_[static_cast<size_t>(i)];
        if (state & kQueued) {
            const HeldText proposal = ProposalOf(static_cast<uint32_t>(i));
            links_[static_cast<size_t>(i)].hash = proposal.empty() ? 0 : ProposalHash(proposal);
        }
        state = 0;
    }
    std::vector<uint32_t>().swap(changed_);
    relinkAll_ = false;
    emptyProposals_ = 0;
    constexpr int kAhead = 16;
    const size_t mask = chains_.size() - 1;
    for (int i = count_; i-- > 0;) {
        if (i >= kAhead)
            Prefetch(&chains_[links_[static_cast<size_t>(i - kAhead)].hash & mask]);
        const uint32_t entry = static_cast<uint32_t>(i);
        Count(entry, ProposalOf(entry), links_[entry].hash);
    }
    indexed_ = true;
}

void WorkingSet::SyncIndex() const
{
    const auto beyondAscii = [this](uint32_t i) { return !IsPlainAscii(ProposalOf(i)); };
    if (relinkAll_) {
        bool foldable = folding_;
        for (uint32_t i = 0; foldable && i < static_cast<uint32_t>(count_); ++i)
            foldable = !(state_[i] & kQueued) || !beyondAscii(i);
        if (folding_ && !foldable)
            RebuildIndex(false);
        else
            LinkAll();
        return;
    }
    if (folding_ && std::any_of(changed_.begin(), changed_.end(), beyondAscii)) {
        RebuildIndex(false);
        return;
    }
    for (uint32_t i : changed_) {
        state_[i] &= static_cast<uint8_t>(~kQueued);
        const HeldText proposal = ProposalOf(i);
        const uint32_t hash = proposal.empty() ? 0 : ProposalHash(proposal);
        // A proposal that hashes as before stays where it is.
        if (!proposal.empty() && (state_[i] & kLinked) && links_[i].hash == hash)
            continue;
        Uncount(i);
        Count(i, proposal, hash);
    }
    changed_.clear();
}

// An action mostly proposes the text it just asked about, or one whose
// question it had said to expect (a name kept without asking).
uint32_t WorkingSet::ProposalHash(HeldText proposal) const
{
    return askedFolding_ == folding_ && proposal == asked_ ? askedHash_ : ExpectedHash(proposal, proposalKey_);
}

// Puts the entry's proposal at the head of its chain.
void WorkingSet::Count(uint32_t i, HeldText proposal, uint32_t hash) const
{
    if (proposal.empty()) {
        ++emptyProposals_;
        state_[i] |= kCountedEmpty;
        return;
    }
    Chain& chain = chains_[hash & (chains_.size() - 1)];
    links_[i] = Link{hash, chain.first};
    chain = Chain{i, HeadOf(i)};
    state_[i] |= kLinked;
}

// The hash of a chain's first entry, its lowest bit (which every hash of the
// chain shares) telling whether more entries follow.
uint32_t WorkingSet::HeadOf(uint32_t first) const
{
    const Link& link = links_[first];
    return (link.hash & ~kMore) | (link.next != kEndOfChain ? kMore : 0);
}

// Takes the entry out as the index counted it: by the hash it was linked under.
void WorkingSet::Uncount(uint32_t i) const
{
    if (state_[i] & kCountedEmpty)
        --emptyProposals_;
    if (state_[i] & kLinked) {
        Chain& chain = chains_[links_[i].hash & (chains_.size() - 1)];
        if (chain.first == i) {
            chain.first = links_[i].next;
        } else {
            uint32_t* at = &links_[chain.first].next;
            while (*at != i)
                at = &links_[*at].next;
            *at = links_[i].next;
        }
        if (chain.first != kEndOfChain)
            chain.head = HeadOf(chain.first);
    }
    state_[i] &= static_cast<uint8_t>(~(kCountedEmpty | kLinked));
}
