// Layer: pure core (no <windows.h>, built natively too).
// Splitting the program's command line into its first few arguments.
#pragma once

// Splits the writable text in place into `count` arguments separated by
// spaces; an argument in double quotes may hold spaces, and one whose closing
// quote is missing runs to the end. Every slot is filled: those past the end
// point at an empty string. Returns how many arguments are not empty.
int SplitCommandLine(char* text, char* arguments[], int count);
