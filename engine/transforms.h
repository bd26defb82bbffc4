// Layer: pure core (no <windows.h>, built natively too).
// The rename actions: each fills the proposals of the listed entries (those
// whose name is not empty, in array order) from its parameters and touches no
// file. The dialogs that collect the parameters live with the windows.
#pragma once
#include "working_set.h"

#include <string>

enum class TextPosition { Prefix, Append };

void MakeUpper(WorkingSet& set);
void MakeLower(WorkingSet& set);

// `text` goes before the whole name, or after the name's base and before its
// extension.
void PrefixOrAppend(WorkingSet& set, const std::string& text, TextPosition position);

// Cuts names to `maxLength` characters, keeping the extension, and numbers
// the names that would meet another proposal with "~1", "~2", ...
void Shorten(WorkingSet& set, int maxLength);

// Removes the first occurrence of `text` (ASCII letters match in any case)
// from each base name; the extension is never altered.
void RemoveText(WorkingSet& set, const std::string& text);

struct IndexOptions {
    TextPosition position = TextPosition::Append;
    bool useNewName = false;   // false: number the existing base names
    std::string newName;       // the common base name when useNewName is set
    bool startWithOne = false; // first number is 1 instead of 0
};

// Numbers the files in list order. Each entry also gets a scratch name
// ("`]000007.jpg") for the two-step rename that lets files exchange names.
void IndexNames(WorkingSet& set, const IndexOptions& options);

// The typed extension made ready for use: blanks and tabs trimmed, then
// everything up to the last dot dropped ("*.JPG" gives "JPG").
std::string CleanExtension(const std::string& typed);

// True when the extension holds a character that may not stand in a name.
bool HasIllegalExtensionCharacter(const std::string& extension);

// Proposes base name + "." + extension for every listed entry (an empty
// extension leaves a trailing dot).
void ProposeExtension(WorkingSet& set, const std::string& extension);

// `value` in decimal with leading zeros to at least `width` digits.
std::string PaddedNumber(int value, int width);
