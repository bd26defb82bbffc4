// A full set of settings, shared by the settings tests, and a way to compare
// two sets that shows which field differs.
#pragma once
#include "app/settings_file.h"

#include <string>

inline Settings Example()
{
    Settings settings;
    settings.path = "C:\\Photos\\";
    settings.fromCol = 250;
    settings.toCol = 180;
    settings.floppyPath = "D:\\Disks\\";
    settings.floppyFolder = "Disk";
    settings.sizeCol = 90;
    settings.modifiedCol = 140;
    settings.order = {ListOrder::Modified, true};
    settings.flags = 2;
    settings.showCmd = 1;
    settings.rcNormal = {100, 50, 760, 542};
    settings.placementLoaded = true;
    return settings;
}

// Every field, in a form that shows which one differs.
inline std::string Describe(const Settings& settings)
{
    return WriteSettings(settings) + (settings.placementLoaded ? "loaded" : "not loaded");
}
