// Layer: pure core (no <windows.h>, built natively too).
// The settings file's text: a reader over the file image held in memory and
// a writer that builds the text, both byte for byte in the program's own
// format (";" comment, "[Section]" lines, "Key=value" lines, CR LF ends).
// No file is touched here; settings_store does the disk side.
#pragma once
#include "engine/sort_order.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Longest values the owners' buffers take (their size less the terminator).
constexpr size_t kSettingsPathChars = 259;
constexpr size_t kFloppyFolderChars = 39;

// Longest line the reader looks at, and longest section name it compares;
// the rest of a longer line is passed over unread.
constexpr size_t kSettingsLineChars = 301;
constexpr size_t kSectionNameChars = 41;

struct PlacementRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Everything the settings file keeps, with the values used when it is missing.
struct Settings {
    std::string path;                 // the current folder
    int32_t fromCol = 320;            // width of the "From" column
    int32_t toCol = 320;              // width of the "To" column
    int32_t sizeCol = 80;             // widths of the "Size" and "Modified" columns
    int32_t modifiedCol = 130;
    SortOrder order;                  // the list's order, by name unless stored
    std::string floppyPath;           // floppy saver destination folder
    std::string floppyFolder = "Floppy"; // floppy saver first folder name
    uint32_t flags = 0;               // main window placement
    uint32_t showCmd = 0;
    PlacementRect rcNormal;
    bool placementLoaded = false;     // true when the file held a show command
};

class SettingsReader {
public:
    explicit SettingsReader(std::string image);

    // Makes the named section current; any letter case matches.
    bool FindSection(const std::string& name);

    // Each looks the key up in the current section (any letter case; the
    // first of repeated keys wins) and returns whether it was found; a key
    // that is missing leaves the fallback in `out`.
    bool GetText(const std::string& key, std::string& out, const std::string& fallback, size_t maxChars);
    bool GetInteger(const std::string& key, int32_t& out, int32_t fallback);
    bool GetUnsigned(const std::string& key, uint32_t& out, uint32_t fallback);
    // Decodes `count` bytes written as two uppercase hexadecimal digits and a
    // separator each. Returns true only when all were decoded; `out` then
    // holds the bytes decoded before the first bad pair and zeros after them.
    bool GetBytes(const std::string& key, uint8_t* out, size_t count);

private:
    bool ReadLine(std::string& line);
    bool FindValue(const std::string& key, std::string& value);

    std::string image_;
    size_t cursor_ = 0;
    size_t sectionStart_;
};

class SettingsWriter {
public:
    void CommentLine(const std::string& text);
    void Section(const std::string& name);
    void TextKey(const std::string& key, const std::string& value);
    void SignedKey(const std::string& key, int32_t value);
    void UnsignedKey(const std::string& key, uint32_t value);
    void BytesKey(const std::string& key, const uint8_t* bytes, size_t count);

    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

Settings ReadSettings(const std::string& image);
std::string WriteSettings(const Settings& settings);
