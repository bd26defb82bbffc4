// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// Changing the extensions of the files that match a pattern.
#pragma once
#include "engine_host.h"

#include <string>

// Rescans the folder with `pattern`, so that only matching files stay listed,
// then proposes the typed extension for each. A pattern that would reach
// another folder is refused with a warning before anything is listed. A typed extension holding a
// character that may not stand in a name is refused with a warning, leaving
// the rescanned list without proposals: false then.
bool ChangeExtensions(FolderContext& context, const std::string& pattern, const std::string& typedExtension);
