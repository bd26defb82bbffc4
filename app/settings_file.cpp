// Layer: pure core (no <windows.h>, built natively too).

#include "settings_file.h"

#include "engine/characters.h"
#include "engine/collation.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace {

constexpr size_t kNoSection = std::numeric_limits<size_t>::max();

std::string UpperAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string SectionKey(const std::string& name)
{
    return UpperAscii(name.substr(0, kSectionNameChars));
}

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads a decimal number the way atol does (leading blanks, a sign, digits up
// to the first other character), except that a number beyond the bounds stops
// growing there instead of overflowing.
int64_t ParseDecimal(const std::string& text, int64_t lowest, int64_t highest)
{
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    const int64_t limit = negative ? -lowest : highest;
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value >= limit) {
            value = limit;
            break;
        }
    }
    return negative ? -value : value;
}

// The value of one uppercase hexadecimal digit, or -1.
int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendHexByte(std::string& text, uint8_t byte)
{
    static const char digits[] = "0123456789ABCDEF";
    text += digits[byte >> 4];
    text += digits[byte & 15];
    text += ' ';
}

int32_t LittleEndian(const uint8_t* bytes)
{
    const uint32_t value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return static_cast<int32_t>(value);
}

void PutLittleEndian(uint8_t* bytes, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
}

} // namespace

SettingsReader::SettingsReader(std::string image) : image_(std::move(image)), sectionStart_(kNoSection)
{
}

// A line ends at CR, LF, CR LF or the end of the data; LF CR is two line ends.
// Past kSettingsLineChars the line is passed over, so that the rest of a long
// line never reads as a line of its own. A zero byte ends the line's text.
bool SettingsReader::ReadLine(std::string& line)
{
    if (cursor_ >= image_.size())
        return false;
    const size_t end = image_.find_first_of("\r\n", cursor_);
    const size_t stop = end == std::string::npos ? image_.size() : end;
    line.assign(image_, cursor_, std::min(stop - cursor_, kSettingsLineChars));
    line.resize(std::strlen(line.c_str()));
    cursor_ = stop;
    if (cursor_ < image_.size() && image_[cursor_] == '\r')
        ++cursor_;
    if (cursor_ < image_.size() && image_[cursor_] == '\n')
        ++cursor_;
    return true;
}

bool SettingsReader::FindSection(const std::string& name)
{
    const std::string wanted = SectionKey(name);
    cursor_ = 0;
    std::string line;
    while (ReadLine(line)) {
        if (line.empty() || line[0] != '[')
            continue;
        const size_t close = line.find(']');
        if (SectionKey(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)) == wanted) {
            sectionStart_ = cursor_;
            return true;
        }
    }
    sectionStart_ = kNoSection;
    return false;
}

// Keys compare as the system's case-insensitive comparison does; nothing
// around the "=" is trimmed, so "Path =" is not the key "Path".
bool SettingsReader::FindValue(const std::string& key, std::string& value)
{
    if (sectionStart_ == kNoSection)
        return false;
    const std::string wanted = CollationKey(key);
    cursor_ = sectionStart_;
    std::string line;
    while (ReadLine(line)) {
        if (!line.empty() && line[0] == '[')
            return false;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        if (CollationKey(line.substr(0, equals)) == wanted) {
            value = line.substr(equals + 1);
            return true;
        }
    }
    return false;
}

bool SettingsReader::GetText(const std::string& key, std::string& out, const std::string& fallback,
                             size_t maxChars)
{
    std::string value;
    const bool found = FindValue(key, value);
    out = CutToSystemLength(found ? FromStoredText(value) : fallback, maxChars);
    return found;
}

bool SettingsReader::GetInteger(const std::string& key, int32_t& out, int32_t fallback)
{
    std::string value;
    const bool found = FindValue(key, value);
    out = found ? static_cast<int32_t>(ParseDecimal(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()))
                : fallback;
    return found;
}

// Negative numbers read as 0 and numbers past the 32-bit range as its top, so
// that every value the writer writes reads back as it was.
bool SettingsReader::GetUnsigned(const std::string& key, uint32_t& out, uint32_t fallback)
{
    std::string value;
    const bool found = FindValue(key, value);
    out = found ? static_cast<uint32_t>(ParseDecimal(value, 0, std::numeric_limits<uint32_t>::max()))
                : fallback;
    return found;
}

bool SettingsReader::GetBytes(const std::string& key, uint8_t* out, size_t count)
{
    std::fill(out, out + count, uint8_t{0});
    std::string value;
    if (!FindValue(key, value))
        return false;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = i * 3;
        if (at + 1 >= value.size())
            return false;
        const int high = HexDigit(value[at]);
        const int low = HexDigit(value[at + 1]);
        if (high < 0 || low < 0)
            return false;
        out[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return true;
}

void SettingsWriter::CommentLine(const std::string& text)
{
    text_ += "; " + text + "\r\n\r\n";
}

void SettingsWriter::Section(const std::string& name)
{
    text_ += "[" + name + "]\r\n";
}

// A line break inside a value would start a line of its own on reading, so
// the value is written up to it only.
void SettingsWriter::TextKey(const std::string& key, const std::string& value)
{
    text_ += key + "=" + value.substr(0, value.find_first_of("\r\n")) + "\r\n";
}

void SettingsWriter::SignedKey(const std::string& key, int32_t value)
{
    text_ += key + "=" + std::to_string(value) + "\r\n";
}

void SettingsWriter::UnsignedKey(const std::string& key, uint32_t value)
{
    text_ += key + "=" + std::to_string(value) + "\r\n";
}

// Every byte is followed by a space, the last one too.
void SettingsWriter::BytesKey(const std::string& key, const uint8_t* bytes, size_t count)
{
    text_ += key + "=";
    for (size_t i = 0; i < count; ++i)
        AppendHexByte(text_, bytes[i]);
    text_ += "\r\n";
}

namespace {

// The SortBy values, in the order of ListOrder.
const char* const kOrderNames[] = {"Name", "Modified", "Size"};

// An order the file does not name is the name order.
SortOrder ReadOrder(SettingsReader& reader)
{
    SortOrder order;
    std::string by;
    reader.GetText("SortBy", by, "", kSettingsLineChars);
    for (int i = 0; i < 3; ++i)
        if (UpperAscii(by) == UpperAscii(kOrderNames[i]))
            order.by = static_cast<ListOrder>(i);
    int32_t reversed = 0;
    reader.GetInteger("Reverse", reversed, 0);
    order.reversed = reversed != 0;
    return order;
}

} // namespace

Settings ReadSettings(const std::string& image)
{
    Settings settings;
    SettingsReader reader(image);
    reader.FindSection("Settings");
    reader.GetText("Path", settings.path, "", kSettingsPathChars);
    reader.GetInteger("FromCol", settings.fromCol, 320);
    reader.GetInteger("ToCol", settings.toCol, 320);
    reader.GetText("FPath", settings.floppyPath, "", kSettingsPathChars);
    reader.GetText("FFolder", settings.floppyFolder, "Floppy", kFloppyFolderChars);
    reader.GetInteger("SizeCol", settings.sizeCol, 80);
    reader.GetInteger("ModifiedCol", settings.modifiedCol, 130);
    settings.order = ReadOrder(reader);

    reader.FindSection("Window");
    reader.GetUnsigned("flags", settings.flags, 0);
    // A partly decoded rectangle keeps the bytes read before the bad pair.
    uint8_t rect[16];
    reader.GetBytes("rcNormal", rect, sizeof rect);
    settings.rcNormal = {LittleEndian(rect), LittleEndian(rect + 4), LittleEndian(rect + 8), LittleEndian(rect + 12)};
    settings.placementLoaded = reader.GetUnsigned("showCmd", settings.showCmd, 0);
    return settings;
}

std::string WriteSettings(const Settings& settings)
{
    SettingsWriter writer;
    writer.CommentLine("Quillet settings");
    writer.Section("Settings");
    writer.TextKey("Path", settings.path);
    writer.SignedKey("FromCol", settings.fromCol);
    writer.SignedKey("ToCol", settings.toCol);
    writer.TextKey("FPath", settings.floppyPath);
    writer.TextKey("FFolder", settings.floppyFolder);
    writer.SignedKey("SizeCol", settings.sizeCol);
    writer.SignedKey("ModifiedCol", settings.modifiedCol);
    writer.TextKey("SortBy", kOrderNames[static_cast<int>(settings.order.by)]);
    writer.SignedKey("Reverse", settings.order.reversed ? 1 : 0);
    writer.Section("Window");
    writer.UnsignedKey("flags", settings.flags);
    writer.UnsignedKey("showCmd", settings.showCmd);
    uint8_t rect[16];
    PutLittleEndian(rect, settings.rcNormal.left);
    PutLittleEndian(rect + 4, settings.rcNormal.top);
    PutLittleEndian(rect + 8, settings.rcNormal.right);
    PutLittleEndian(rect + 12, settings.rcNormal.bottom);
    writer.BytesKey("rcNormal", rect, sizeof rect);
    return writer.Text();
}
