// Layer: platform (the system calls of the pure code: Win32's, or native stand-ins).
// Text between the program's strings, held in the process's code page (UTF-8
// where the system honours the manifest, else the system's 8-bit code page),
// and the UTF-16 of the system's "W" calls. Win32 builds only.
#pragma once
#include <string>

std::wstring Widened(const std::string& text);

// `length` bytes read in another code page, with MultiByteToWideChar's flags;
// empty when they do not convert.
std::wstring WidenedFrom(unsigned int codePage, unsigned long flags, const char* text, size_t length);

// The text in the process's code page, the same bytes an "A" call would give,
// except that a character the code page cannot hold (or a lone surrogate,
// which no code page holds) becomes '?' and is never replaced by a look-alike:
// no file name holds a '?', so a name that comes back with one is known to be
// out of reach of the "A" calls, never taken for another file.
std::string Narrowed(const wchar_t* text, size_t length);
// The same into `narrow`, whose memory is used again: a listing's names.
void NarrowInto(const wchar_t* text, size_t length, std::string& narrow);
std::string Narrowed(const std::wstring& text);
