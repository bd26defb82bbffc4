// Layer: pure core (no <windows.h>, built natively too).
// Characters of the program's strings, whatever the code page makes of them:
// one byte, a double-byte pair, or a UTF-8 sequence. Pure code.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Bytes of the character that starts at `at`: 2 for a double-byte character,
// the length of a UTF-8 sequence, else 1 (also for a lead byte cut off at the
// end and for every malformed byte).
size_t CharacterLength(std::string_view text, size_t at);

// True when every byte is below 128: a character of its own in every code page.
bool IsAscii(std::string_view text);

// The length the system measures names and paths in: UTF-16 units, so that a
// character beyond the Basic Multilingual Plane (an emoji) counts two.
size_t SystemLength(const std::string& text);

// The first `count` characters of the text (all of it when it has fewer),
// never half of one.
std::string LeadingCharacters(const std::string& text, size_t count);
// The bytes of those characters.
size_t LeadingLength(std::string_view text, size_t count);

// The longest beginning of the text that the system measures at most `units`.
std::string CutToSystemLength(const std::string& text, size_t units);

// The text with its letters in upper or lower case: under UTF-8 the letters
// of every script, in the 8-bit code pages the ASCII letters only (the second
// bytes of double-byte characters left alone), as the program always has.
std::string UpperCased(const std::string& text);
std::string LowerCased(const std::string& text);

// True when an ASCII text, its letters folded, is found in LowerCased(text)
// only where it stands in the text itself, ASCII bytes folded: in the 8-bit
// code pages, and under UTF-8 where no character of the text has an ASCII
// small letter (the Kelvin sign's is "k"). In a double-byte code page, whose
// second bytes may look like ASCII, only for an ASCII text.
bool FoldsOnlyItsAscii(std::string_view text);

bool IsWellFormedUtf8(const std::string& text);

// A text read from a settings file or a journal: one that an 8-bit version of
// the program wrote is converted to the code page the program speaks now.
std::string FromStoredText(const std::string& text);
