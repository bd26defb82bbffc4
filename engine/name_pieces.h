// Pieces of file names. Pure code: no window, file or clock.
#pragma once
#include <string>

// The extension of a name: from its last dot to the end, dot included. A name
// whose only dot is its first character is all extension (".profile").
// Empty when there is no dot after the last '\' or ':'.
std::string FindExtension(const std::string& text);

// The text cut at the dot where FindExtension begins; unchanged without one.
std::string StripExtension(const std::string& text);

// Case folding of the 26 ASCII letters only; other bytes stay as they are,
// whatever the code page makes of them.
char FoldToLower(char c);
char FoldToUpper(char c);

// The name as the file system stores it: trailing dots and blanks dropped,
// as every rename to such a name does ("README_old." is stored as "README_old").
std::string StoredName(const std::string& name);

// Longest file name the file systems accept, and longest full path.
constexpr size_t kMaxNameLength = 255;
constexpr size_t kMaxPathLength = 259;

// Where the first character that may not stand in a file name is (a path
// separator, a wildcard, a reserved or a control character), or npos.
size_t FindForbiddenCharacter(const std::string& text);

// False for a name that must never reach a rename: empty, too long, only dots
// and blanks (the system would strip them to nothing, or reach the parent),
// or holding a path separator, a wildcard, a reserved character or a control
// character.
bool IsValidFileName(const std::string& name);
