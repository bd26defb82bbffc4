// Small routines the dialogs share.
#pragma once
#include <windows.h>

#include <string>

// Centres the window over its owner (over the screen without one), moved in
// far enough to line up with the owner's right and bottom edges when it is
// larger, but never left of or above position 0.
void CenterOverOwner(HWND window);

// Writes the number (0 to 99) as two decimal digits, "07" for 7, and returns
// the position just after them.
char* TwoDigits(int number, char* output);

// Removes the first character of the text in place.
void DeleteFirstChar(char* text);

// At most `limit` characters of a dialog item's text: text put in by the
// program (which the typing limit does not stop) is cut rather than carried on.
std::string ItemText(HWND dialog, int id, int limit);
