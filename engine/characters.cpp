// Layer: pure core (no <windows.h>, built natively too).

#include "characters.h"

#include <algorithm>
#include <vector>

#include "code_page.h"
#include "name_pieces.h"

namespace {

// The walk by characters that the limits share: calls `visit` with the
// length in bytes and in UTF-16 units of each character until it says stop.
template <typename Visit>
size_t WalkCharacters(std::string_view text, Visit visit)
{
    const bool utf8 = ActiveCodePage() == CodePageKind::Utf8;
    size_t at = 0;
    while (at < text.size()) {
        const size_t length =
            utf8 ? Utf8SequenceLength(text.data() + at, text.size() - at) : CharacterLength(text, at);
        const size_t units = length == 4 && utf8 ? 2 : 1;
        if (!visit(length, units))
            break;
        at += length;
    }
    return at;
}

// Characters beyond ASCII whose small letter the platform's case mapping
// makes an ASCII one, as UTF-8 sequences. Asked once, of every character of
// the Basic Multilingual Plane in one text: those beyond it have no ASCII
// small letter.
std::vector<std::string> LoweringIntoAscii()
{
    std::string all;
    for (unsigned long c = 0x80; c <= 0xFFFF; ++c)
        if (c < 0xD800 || c > 0xDFFF)
            AppendUtf8(c, all);
    const std::string lowered = Utf8CaseMapped(all, false);
    std::vector<std::string> those;
    for (size_t at = 0, to = 0; at < all.size() && to < lowered.size();) {
        const size_t length = Utf8SequenceLength(all.data() + at, all.size() - at);
        const size_t loweredLength = Utf8SequenceLength(lowered.data() + to, lowered.size() - to);
        if (static_cast<unsigned char>(lowered[to]) < 0x80)
            those.push_back(all.substr(at, length));
        at += length;
        to += loweredLength;
    }
    return those;
}

} // namespace

bool FoldsOnlyItsAscii(std::string_view text)
{
    switch (ActiveCodePage()) {
    case CodePageKind::SingleByte: return true;
    case CodePageKind::DoubleByte: return IsAscii(text);
    case CodePageKind::Utf8: break;
    }
    static const std::vector<std::string> lowering = LoweringIntoAscii();
    return std::none_of(lowering.begin(), lowering.end(),
                        [text](const std::string& c) { return text.find(c) != std::string_view::npos; });
}

bool IsAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

size_t CharacterLength(std::string_view text, size_t at)
{
    switch (ActiveCodePage()) {
    case CodePageKind::Utf8: return Utf8SequenceLength(text.data() + at, text.size() - at);
    case CodePageKind::DoubleByte: return IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
    case CodePageKind::SingleByte: break;
    }
    return 1;
}

size_t SystemLength(const std::string& text)
{
    if (ActiveCodePage() == CodePageKind::SingleByte || IsAscii(text))
        return text.size();
    size_t total = 0;
    WalkCharacters(text, [&](size_t, size_t units) {
        total += units;
        return true;
    });
    return total;
}

std::string LeadingCharacters(const std::string& text, size_t count)
{
    return text.substr(0, LeadingLength(text, count));
}

size_t LeadingLength(std::string_view text, size_t count)
{
    // An ASCII byte is a character of its own in every code page.
    const size_t bytes = std::min(count, text.size());
    if (ActiveCodePage() == CodePageKind::SingleByte || IsAscii(text.substr(0, bytes)))
        return bytes;
    size_t taken = 0;
    return WalkCharacters(text, [&](size_t, size_t) { return taken++ < count; });
}

std::string CutToSystemLength(const std::string& text, size_t units)
{
    size_t total = 0;
    return text.substr(0, WalkCharacters(text, [&](size_t, size_t more) {
        total += more;
        return total <= units;
    }));
}

std::string UpperCased(const std::string& text)
{
    if (ActiveCodePage() == CodePageKind::Utf8 && !IsAscii(text))
        return Utf8CaseMapped(text, true);
    return FoldedToUpper(text);
}

std::string LowerCased(const std::string& text)
{
    if (ActiveCodePage() == CodePageKind::Utf8 && !IsAscii(text))
        return Utf8CaseMapped(text, false);
    return FoldedToLower(text);
}

bool IsWellFormedUtf8(const std::string& text)
{
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8SequenceLength(text.data() + at, text.size() - at);
        if (length == 1 && static_cast<unsigned char>(text[at]) >= 0x80)
            return false;
        at += length;
    }
    return true;
}

std::string FromStoredText(const std::string& text)
{
    if (ActiveCodePage() != CodePageKind::Utf8 || IsWellFormedUtf8(text))
        return text;
    return Utf8FromLegacy(text);
}
