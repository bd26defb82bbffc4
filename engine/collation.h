// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).
// The platform's case-insensitive collation: the order and equality of
// lstrcmpiA. Declared here so that the pure code can sort and compare names
// without including <windows.h>; defined once per platform.
#pragma once
#include <string>

// A byte string whose order (as unsigned bytes) and equality agree with
// lstrcmpiA on the texts it was made from, so it can be sorted and hashed.
std::string CollationKey(const std::string& text);
