// Layer: pure core (no <windows.h>, built natively too).
// Pieces of file names. Pure code: no window, file or clock.
#pragma once
#include <string>
#include <string_view>

// The extension of a name: from its last dot to the end, dot included. A name
// whose only dot is its first character is all extension (".profile").
// Empty when there is no dot after the last '\' or ':'.
std::string FindExtension(const std::string& text);

// Where FindExtension begins: at its dot, or at the end without one.
size_t ExtensionStart(std::string_view text);

// The text cut at the dot where FindExtension begins; unchanged without one.
std::string StripExtension(const std::string& text);

// The text with every ASCII letter folded (other letters stay as they are,
// whatever the code page makes of them), the second bytes of double-byte
// characters left alone.
std::string FoldedToLower(const std::string& text);
// One byte with an ASCII letter folded; every other byte as it is. Inline:
// the proposal index folds every byte it hashes.
inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string FoldedToUpper(const std::string& text);

// True when the two names are one name to the file system, which folds
// letters whatever the user's locale: ASCII letters compare folded, and other
// characters by the platform's case-insensitive collation.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

// The name as the file system stores it: trailing dots and blanks dropped,
// as every rename to such a name does ("README_old." is stored as "README_old").
std::string StoredName(const std::string& name);

// Longest file name the file systems accept, and longest full path, in the
// units the system counts (SystemLength).
constexpr size_t kMaxNameLength = 255;
constexpr size_t kMaxPathLength = 259;

// Where the first character that may not stand in a file name is (a path
// separator, a wildcard, a reserved or a control character), or npos.
size_t FindForbiddenCharacter(const std::string& text);

// Where the first character is that would take a search pattern out of the
// folder ('\', '/', ':' or a control character), or npos. Wildcards are fine.
size_t FindPathCharacter(const std::string& pattern);

// Tells the user why the character at `at` cannot stand in a file name,
// ending with a request to change the text.
std::string UnfitCharacterText(const std::string& text, size_t at);

// True for the names the system keeps for devices (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9, the digits also as superscripts), in any case and
// with any extension: "nul.txt" and "Com1 .log" name the device, not a file.
bool IsReservedDeviceName(const std::string& name);

// False for a name that must never reach a rename: empty, too long, only dots
// and blanks (the system would strip them to nothing, or reach the parent),
// holding a path separator, a wildcard, a reserved character or a control
// character, or naming a device.
bool IsValidFileName(const std::string& name);

// False for a listed name that the system's calls cannot reach as it stands:
// a name made elsewhere that ends in a dot or a blank (the calls would strip
// them and reach another file), or that holds a character no name may hold
// (such as the '?' that stands for a character outside the code page), or
// that names a device.
bool IsAddressableName(const std::string& name);
