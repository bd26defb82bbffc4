// Layer: pure core (no <windows.h>, built natively too).
// What the action dialogs accept from the user, as rules over the typed text.
// Pure code: the dialogs only read their fields and apply these.
#pragma once
#include <string>

// Longest length names may be shortened to.
constexpr int kLongestShortenLength = 250;

// The length typed into the shorten dialog: a whole number (an optional sign,
// then only digits) from 1 to kLongestShortenLength. False for anything else.
bool ParseShortenLength(const std::string& typed, int& length);

// Blanks and tabs taken off both ends.
std::string TrimBlanks(const std::string& text);

// The files the extension change is for: the pattern as typed, trimmed; a
// blank one would match nothing at all, so it means every file ("*.*").
std::string SourcePattern(const std::string& typed);

// The extension as typed without the leading '*', '.' and '?' of "*.jpg" or
// ".jpg", which are common ways of saying "jpg".
std::string BareExtension(const std::string& typed);
