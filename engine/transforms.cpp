// Layer: pure core (no <windows.h>, built natively too).

#include "transforms.h"

#include "characters.h"
#include "name_pieces.h"
#include "../ui/number_text.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace {

// Appends the extension of `name` to `work`. The dot that separates name and
// extension is added when the name has no extension, so a name without one
// ends in a dot ("README_old.").
void AppendExtensionOf(std::string& work, std::string_view name)
{
    const std::string_view extension = name.substr(ExtensionStart(name));
    if (extension.empty())
        work += '.';
    work += extension;
}

std::string_view BaseOf(std::string_view name)
{
    return name.substr(0, ExtensionStart(name));
}

template <typename Change>
void ForEachListed(WorkingSet& set, Change change)
{
    for (int i = 0; i < set.Count(); ++i)
        if (set.IsListed(i))
            change(i, set.Entry(i));
}

// An ASCII name folds where it lies, as every code page folds it.
void ChangeCase(WorkingSet& set, std::string (*fold)(const std::string&), char (*foldAscii)(char))
{
    std::string work;
    ForEachListed(set, [&](int i, const FileEntry& e) {
        work.assign(e.name);
        if (IsAscii(work))
            std::transform(work.begin(), work.end(), work.begin(), foldAscii);
        else
            work = fold(work);
        set.SetNewName(i, work);
    });
}

// Walks the listed entries as ForEachListed does, the text each is to ask
// about (`make` says false for none, and `answer` then gets an empty one)
// made a few entries ahead: the set can then fetch what those questions
// will read while the entries before them are answered, which in a set too
// large for the caches saves most of the waiting for memory. `asked` gives
// the text of the first question the entry will put, where that is not the
// text made.
template <typename Make, typename Asked, typename Answer>
void AskAhead(WorkingSet& set, Make make, Asked asked, Answer answer)
{
    constexpr int kAhead = 8;
    std::string works[kAhead];
    const auto prepare = [&](int j) {
        std::string& work = works[j % kAhead];
        work.clear();
        if (!set.IsListed(j))
            return;
        const FileEntry e = set.Entry(j);
        if (make(e, work))
            set.ExpectQuestion(asked(e, work), j);
        else
            work.clear();
    };
    for (int j = 0; j < std::min(kAhead, set.Count()); ++j)
        prepare(j);
    for (int i = 0; i < set.Count(); ++i) {
        if (set.IsListed(i))
            answer(i, set.Entry(i), works[i % kAhead]);
        if (i + kAhead < set.Count())
            prepare(i + kAhead);
    }
}

// "abc.txt" with k = 2 gives "abc~2.txt".
void Numbered(std::string_view work, int k, std::string& numbered)
{
    char digits[34];
    const size_t at = ExtensionStart(work);
    numbered.assign(work.substr(0, at)).append("~").append(FormatInt(k, digits, 10)).append(work.substr(at));
}

// The inverse of Numbered: true when `name` is some work text with "~k".
bool SplitNumbered(const std::string& name, std::string& work, int& k)
{
    const std::string stem = StripExtension(name);
    const size_t tilde = stem.rfind('~');
    if (tilde == std::string::npos || tilde + 1 == stem.size() || stem[tilde + 1] == '0')
        return false;
    long long value = 0;
    for (size_t i = tilde + 1; i < stem.size(); ++i) {
        if (stem[i] < '0' || stem[i] > '9')
            return false;
        value = value * 10 + (stem[i] - '0');
        if (value > INT_MAX)
            return false;
    }
    work = stem.substr(0, tilde) + FindExtension(name);
    k = static_cast<int>(value);
    return true;
}

// Collision numbering for one Shorten run. The answer must be the smallest
// free k, as a plain count from 1 would give, but counting from 1 for every
// name makes 10,000 equal names cost 50 million questions. So each work text
// remembers the k below which every "~k" is known to be taken; a proposal that
// leaves the set may free a smaller k, and lowers the mark again.
class SuffixCounter {
public:
    explicit SuffixCounter(const WorkingSet& set) : set_(set) {}

    // `work` itself when no entry proposes it, else a numbered form of it,
    // valid until the next call. `ownProposal` says that the asking entry
    // proposes `work` already, which answers the first question.
    // A work text is counted from 1 until it gets past "~1": only then is
    // its mark worth keeping, and most texts never meet more than one other.
    const std::string& FreeName(const std::string& work, bool ownProposal)
    {
        if (!ownProposal && !set_.IsProposedName(work))
            return work;
        int* mark = MarkOf(work);
        int k = mark ? *mark : 1;
        for (Numbered(work, k, numbered_); set_.IsProposedName(numbered_); Numbered(work, ++k, numbered_)) {
        }
        if (mark) {
            *mark = k + 1;
        } else if (k > 1) {
            set_.NameKeyInto(work, key_);
            collatedMarks_ = collatedMarks_ || !set_.FoldsName(work);
            next_.emplace(key_, k + 1);
        }
        return numbered_;
    }

    // Only a proposal with a tilde can have freed a number.
    static bool MayRelease(std::string_view proposal) { return proposal.find('~') != std::string_view::npos; }

    void Released(const std::string& proposal)
    {
        std::string work;
        int k = 0;
        if (next_.empty() || !MayRelease(proposal) || !SplitNumbered(proposal, work, k))
            return;
        int* mark = MarkOf(work);
        if (mark && k < *mark)
            *mark = k;
    }

private:
    // A text's key is made only where a mark of its kind is held: the key of
    // a text beyond ASCII costs a call to the platform, and most runs mark
    // ASCII texts alone, if any.
    int* MarkOf(std::string_view work)
    {
        if (next_.empty() || (!collatedMarks_ && !set_.FoldsName(work)))
            return nullptr;
        set_.NameKeyInto(work, key_);
        const auto found = next_.find(key_);
        return found == next_.end() ? nullptr : &found->second;
    }

    const WorkingSet& set_;
    std::unordered_map<std::string, int> next_;
    bool collatedMarks_ = false;
    std::string key_;
    std::string numbered_;
};

// Where the first occurrence of `what` in `text` begins and how many bytes
// of `text` it takes, the letters of both folded. A match starts and ends on
// characters, never inside one. Folding keeps the count of characters, not
// of bytes, so the folded text is walked in step with the text.
struct Found {
    size_t at = std::string::npos;
    size_t length = 0;
};

// `sought` is already folded. An ASCII text folds byte for byte, each byte a
// character, so it is searched where it lies; so is any text for an ASCII
// sought one, where only the text's ASCII can match it.
Found FindFolded(const std::string& text, const std::string& sought)
{
    Found found;
    if (sought.empty())
        return found;
    if (IsAscii(text) || (IsAscii(sought) && FoldsOnlyItsAscii(text))) {
        const auto at = std::search(text.begin(), text.end(), sought.begin(), sought.end(),
                                    [](char t, char f) { return AsciiLower(t) == f; });
        if (at != text.end())
            found = {static_cast<size_t>(at - text.begin()), sought.size()};
        return found;
    }
    const std::string folded = LowerCased(text);
    for (size_t at = 0, foldedAt = 0; at < text.size() && foldedAt + sought.size() <= folded.size();
         at += CharacterLength(text, at), foldedAt += CharacterLength(folded, foldedAt)) {
        if (folded.compare(foldedAt, sought.size(), sought) != 0)
            continue;
        size_t end = at;
        for (size_t walked = foldedAt; walked < foldedAt + sought.size(); walked += CharacterLength(folded, walked))
            end += CharacterLength(text, end);
        found = {at, end - at};
        return found;
    }
    return found;
}

int DecimalDigits(int value)
{
    int digits = 0;
    for (; value > 0; value /= 10)
        ++digits;
    return digits;
}

} // namespace

std::string PaddedNumber(int value, int width)
{
    char digits[34];
    std::string text = FormatInt(value, digits, 10);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), '0');
    return text;
}

void MakeUpper(WorkingSet& set)
{
    ChangeCase(set, UpperCased, AsciiUpper);
}

void MakeLower(WorkingSet& set)
{
    ChangeCase(set, LowerCased, AsciiLower);
}

void PrefixOrAppend(WorkingSet& set, const std::string& text, TextPosition position)
{
    // A prefix may push a long name past any legal length; it is cut like the
    // name buffer of 260 characters always cut it, and the rename pass refuses
    // what stays too long.
    constexpr size_t kPrefixedLimit = 260;
    std::string work;
    ForEachListed(set, [&](int i, const FileEntry& e) {
        if (position == TextPosition::Prefix) {
            work.assign(text).append(e.name);
            // Bytes are never fewer than the units the system counts.
            set.SetNewName(i, work.size() <= kPrefixedLimit ? work : CutToSystemLength(work, kPrefixedLimit));
            return;
        }
        work.assign(BaseOf(e.name)).append(text);
        AppendExtensionOf(work, e.name);
        set.SetNewName(i, work);
    });
}

void Shorten(WorkingSet& set, int maxLength)
{
    SuffixCounter counter(set);
    std::string old;
    const auto cut = [maxLength](const FileEntry& e, std::string& work) {
        const std::string_view kept = e.name.substr(0, LeadingLength(e.name, static_cast<size_t>(maxLength)));
        work.assign(BaseOf(kept));
        AppendExtensionOf(work, e.name);
        return true;
    };
    // An entry that proposes its text already asks first about its "~1".
    std::string numbered;
    const auto asked = [&numbered](const FileEntry& e, const std::string& work) -> std::string_view {
        if (e.newName != work)
            return work;
        Numbered(work, 1, numbered);
        return numbered;
    };
    AskAhead(set, cut, asked, [&](int i, const FileEntry& e, const std::string& work) {
        // The old proposal is written over: what the counter needs of it is kept.
        const bool released = SuffixCounter::MayRelease(e.newName);
        if (released)
            old.assign(e.newName);
        set.SetNewName(i, counter.FreeName(work, e.newName == work));
        if (released)
            counter.Released(old);
    });
}

void RemoveText(WorkingSet& set, const std::string& text)
{
    const std::string sought = LowerCased(text);
    const auto removed = [&sought](const FileEntry& e, std::string& work) {
        const std::string_view extension = e.name.substr(ExtensionStart(e.name));
        work.assign(BaseOf(e.name));
        if (extension.empty())
            work += '.';
        const Found found = FindFolded(work, sought);
        if (found.at == std::string::npos)
            return false;
        work.erase(found.at, found.length);
        if (work.empty())
            return false;
        work += extension;
        return true;
    };
    // An entry that proposes the text already keeps its name, asking
    // nothing: what is fetched for it is the place of its name.
    const auto asked = [](const FileEntry& e, const std::string& work) {
        return e.newName == work ? std::string_view(e.name) : std::string_view(work);
    };
    AskAhead(set, removed, asked, [&](int i, const FileEntry& e, const std::string& work) {
        if (work.empty() || e.newName == work || set.IsProposedName(work))
            set.SetNewName(i, e.name);
        else
            set.SetNewName(i, work);
    });
}

void IndexNames(WorkingSet& set, const IndexOptions& options)
{
    const int width = DecimalDigits(set.Count());
    const int first = options.startWithOne ? 1 : 0;
    int k = 0;
    std::string work;
    ForEachListed(set, [&](int i, const FileEntry& e) {
        const std::string_view extension = e.name.substr(ExtensionStart(e.name));
        set.SetTempName(i, work.assign("`]").append(PaddedNumber(k, 6)).append(extension));
        const std::string number = PaddedNumber(k + first, width);
        const std::string_view base = options.useNewName ? std::string_view(options.newName) : BaseOf(e.name);
        if (options.position == TextPosition::Prefix)
            work.assign(number).append(base);
        else
            work.assign(base).append(number);
        set.SetNewName(i, work.append(extension));
        ++k;
    });
}

std::string CleanExtension(const std::string& typed)
{
    const size_t begin = typed.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::string();
    const size_t end = typed.find_last_not_of(" \t");
    std::string extension = typed.substr(begin, end - begin + 1);
    const size_t dot = extension.rfind('.');
    if (dot != std::string::npos)
        extension.erase(0, dot + 1);
    return extension;
}

bool HasIllegalExtensionCharacter(const std::string& extension)
{
    return extension.find_first_of(":\\/*?\"<>|") != std::string::npos;
}

void ProposeExtension(WorkingSet& set, const std::string& extension)
{
    std::string work;
    ForEachListed(set, [&](int i, const FileEntry& e) {
        set.SetNewName(i, work.assign(BaseOf(e.name)).append(".").append(extension));
    });
}
