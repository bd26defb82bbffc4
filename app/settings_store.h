// Layer: Win32 adapters (the real file operations and the settings file's place).
// Loading and saving the settings file through the file seam, and where the
// file lives: "Quillet.ini" in "\OsbrinFreeware\Quillet\" under the user's
// application-data folder. No failure here is reported to the user.
#pragma once
#include "app/settings_file.h"
#include "engine/file_ops.h"

#include <string>

// The settings file's full path under the application-data folder, whose
// missing levels are created on the way. An empty application-data folder
// puts the file under "\OsbrinFreeware\Quillet\" on the current drive.
std::string SettingsPathUnder(FileOps& files, const std::string& appData);

// The same under the user's application-data folder as the shell names it.
std::string SettingsPath(FileOps& files);

// Creates each missing level of a folder path that ends in a backslash,
// after its root (the drive, or \\server\share\). The walk stops at the first
// level that can neither be created nor is there already.
void CreateFolderLevels(FileOps& files, const std::string& folder);

// The settings in the file, or the built-in values when it cannot be read.
Settings LoadSettings(FileOps& files, const std::string& path);

// Writes the settings to a new file beside the old one and then puts it in
// the old one's place, so that a write that fails or is cut short leaves the
// previous file whole. Returns 0 or the system's error code.
uint32_t SaveSettings(FileOps& files, const std::string& path, const Settings& settings);
