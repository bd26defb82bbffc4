// Layer: pure core (no <windows.h>, built natively too).

#include "transforms.h"

#include "characters.h"
#include "collation.h"
#include "name_pieces.h"
#include "../ui/number_text.h"

#include <climits>
#include <unordered_map>

namespace {

// The dot that separates name and extension is added when the extension has
// none of its own, so a name without extension ends in a dot ("README_old.").
std::string WithExtensionOf(std::string base, const std::string& name)
{
    const std::string extension = FindExtension(name);
    if (extension.empty() || extension[0] != '.')
        base += '.';
    return base + extension;
}

template <typename Change>
void ForEachListed(WorkingSet& set, Change change)
{
    for (int i = 0; i < set.Count(); ++i)
        if (set.IsListed(i))
            change(i, set.Entry(i));
}

void ChangeCase(WorkingSet& set, std::string (*fold)(const std::string&))
{
    ForEachListed(set, [&](int i, const FileEntry& e) { set.SetNewName(i, fold(e.name)); });
}

// "abc.txt" with k = 2 gives "abc~2.txt".
std::string Numbered(const std::string& work, int k)
{
    char digits[34];
    return StripExtension(work) + '~' + FormatInt(k, digits, 10) + FindExtension(work);
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

    std::string FreeName(const std::string& work)
    {
        if (!set_.IsProposedName(work))
            return work;
        int& next = next_.emplace(CollationKey(work), 1).first->second;
        while (set_.IsProposedName(Numbered(work, next)))
            ++next;
        return Numbered(work, next++);
    }

    void Released(const std::string& proposal)
    {
        std::string work;
        int k = 0;
        if (!SplitNumbered(proposal, work, k))
            return;
        auto found = next_.find(CollationKey(work));
        if (found != next_.end() && k < found->second)
            found->second = k;
    }

private:
    const WorkingSet& set_;
    std::unordered_map<std::string, int> next_;
};

// Where the first occurrence of `what` in `text` begins and how many bytes
// of `text` it takes, the letters of both folded. A match starts and ends on
// characters, never inside one. Folding keeps the count of characters, not
// of bytes, so the folded text is walked in step with the text.
struct Found {
    size_t at = std::string::npos;
    size_t length = 0;
};

Found FindFolded(const std::string& text, const std::string& what)
{
    const std::string folded = LowerCased(text);
    const std::string sought = LowerCased(what);
    Found found;
    if (sought.empty())
        return found;
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
    ChangeCase(set, UpperCased);
}

void MakeLower(WorkingSet& set)
{
    ChangeCase(set, LowerCased);
}

void PrefixOrAppend(WorkingSet& set, const std::string& text, TextPosition position)
{
    // A prefix may push a long name past any legal length; it is cut like the
    // name buffer of 260 characters always cut it, and the rename pass refuses
    // what stays too long.
    constexpr size_t kPrefixedLimit = 260;
    ForEachListed(set, [&](int i, const FileEntry& e) {
        if (position == TextPosition::Prefix)
            set.SetNewName(i, CutToSystemLength(text + e.name, kPrefixedLimit));
        else
            set.SetNewName(i, WithExtensionOf(StripExtension(e.name) + text, e.name));
    });
}

void Shorten(WorkingSet& set, int maxLength)
{
    SuffixCounter counter(set);
    ForEachListed(set, [&](int i, const FileEntry& e) {
        const std::string cut = LeadingCharacters(e.name, static_cast<size_t>(maxLength));
        const std::string work = WithExtensionOf(StripExtension(cut), e.name);
        const std::string old = e.newName;
        set.SetNewName(i, counter.FreeName(work));
        counter.Released(old);
    });
}

void RemoveText(WorkingSet& set, const std::string& text)
{
    ForEachListed(set, [&](int i, const FileEntry& e) {
        std::string work = StripExtension(e.name);
        const std::string extension = FindExtension(e.name);
        if (extension.empty() || extension[0] != '.')
            work += '.';
        const Found found = FindFolded(work, text);
        if (found.at != std::string::npos)
            work.erase(found.at, found.length);
        if (found.at == std::string::npos || work.empty()) {
            set.SetNewName(i, e.name);
            return;
        }
        work += extension;
        set.SetNewName(i, set.IsProposedName(work) ? e.name : work);
    });
}

void IndexNames(WorkingSet& set, const IndexOptions& options)
{
    const int width = DecimalDigits(set.Count());
    const int first = options.startWithOne ? 1 : 0;
    int k = 0;
    ForEachListed(set, [&](int i, const FileEntry& e) {
        const std::string extension = FindExtension(e.name);
        set.SetTempName(i, "`]" + PaddedNumber(k, 6) + extension);
        const std::string number = PaddedNumber(k + first, width);
        const std::string base = options.useNewName ? options.newName : StripExtension(e.name);
        if (options.position == TextPosition::Prefix)
            set.SetNewName(i, number + base + extension);
        else
            set.SetNewName(i, base + number + extension);
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
    ForEachListed(set, [&](int i, const FileEntry& e) {
        set.SetNewName(i, StripExtension(e.name) + "." + extension);
    });
}
