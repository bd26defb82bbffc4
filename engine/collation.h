// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).
// The platform's case-insensitive collation: the order and equality of
// lstrcmpiA. Declared here so that the pure code can sort and compare names
// without including <windows.h>; defined once per platform.
#pragma once
#include <string>
#include <string_view>

// A byte string whose order (as unsigned bytes) and equality agree with
// lstrcmpiA on the texts it was made from, so it can be sorted and hashed.
// Into `key`, whose memory a caller that makes many keys keeps.
void CollationKeyInto(std::string_view text, std::string& key);

inline std::string CollationKey(const std::string& text)
{
    std::string key;
    CollationKeyInto(text, key);
    return key;
}

// The leading part of a key, which weighs the letters alone: texts whose keys
// are equal share it. It ends at the first byte 1, in the platform's keys as
// in the stand-in's.
inline std::string_view LetterWeights(std::string_view key)
{
    return key.substr(0, key.find('\x01'));
}
