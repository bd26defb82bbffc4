// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// Reading a folder into the working set.
#pragma once
#include "engine_host.h"

#include <string>
#include <vector>

// Replaces the entries with the files (not folders) matching the search path,
// in the set's order, and refills the list. A folder that cannot be listed is
// told to the user and leaves the list empty.
void Scan(FolderContext& context, const std::string& searchPath);

// Puts every name in the folder (which ends in a backslash), files and
// folders, into `names`. Returns 0, or the system's error code when the
// folder cannot be listed.
[[nodiscard]] uint32_t FolderNames(FileOps& files, const std::string& folder, std::vector<std::string>& names);

// Scans the current folder with a pattern ("*.*", "*.gif") and shows the
// search path and the file count.
void OpenFolder(FolderContext& context, const std::string& pattern);
