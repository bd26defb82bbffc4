// Layer: pure core (no <windows.h>, built natively too).
// Small text routines the dialogs share. Pure code: no window, file or clock.
#pragma once

// Writes the number (0 to 99) as two decimal digits, "07" for 7, and returns
// the position just after them.
char* TwoDigits(int number, char* output);

// Removes the first character of the text in place.
void DeleteFirstChar(char* text);
