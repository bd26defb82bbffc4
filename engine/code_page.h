// The system's ANSI code page, as far as the pure code needs it: in a
// double-byte code page (932, 936, 949, 950) a lead byte starts a character of
// two bytes whose second byte may look like an ASCII letter or a backslash.
// Declared here so that the pure code can walk names character by character
// without including <windows.h>; defined once per platform.
#pragma once

bool IsLeadByte(char c);

// False in the single-byte code pages, where every byte is a character and
// names can be walked byte by byte.
bool HasLeadBytes();
