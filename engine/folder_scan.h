// Reading a folder into the working set.
#pragma once
#include "engine_host.h"

#include <string>
#include <vector>

// Replaces the entries with the files (not folders) matching the search path,
// sorted by name, and refills the list.
void Scan(FolderContext& context, const std::string& searchPath);

// Every name in the folder (which ends in a backslash), files and folders.
std::vector<std::string> FolderNames(FileOps& files, const std::string& folder);

// Scans the current folder with a pattern ("*.*", "*.gif") and shows the
// search path and the file count.
void OpenFolder(FolderContext& context, const std::string& pattern);
