// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// What the file passes tell the user: the question after a failed file, and
// the closing warnings about files that were left alone.
#pragma once
#include "engine_host.h"

#include <cstdint>
#include <string>
#include <vector>

// Asks whether to go on after a file could not be changed. False for stop.
bool ReportFileError(EngineHost& host, uint32_t error, const std::string& name);

// What the user is told of a folder (ending in a backslash) whose listing
// failed with the system's error code.
std::string UnreadableFolderText(const std::string& folder, uint32_t error);

// True when the file can be reached by the name it is listed under: a name
// that the system's calls would read as another (see IsAddressableName), or
// whose full path is too long for them, is never touched.
bool CanReach(const std::string& folder, const std::string& name);

// A file that could neither take its new name nor get its old one back.
struct Stranded {
    std::string tempName;
    std::string name;
};

// What a pass could not do, said after it in warnings.
struct PassOutcome {
    std::vector<Stranded> stranded;
    std::vector<std::string> unreachable; // listed names the pass left alone
    std::vector<std::string> notPutBack;  // files a rollback could not put back
    std::string failure;                  // why the pass broke off, if it did
    bool cancelled = false;               // the user stopped the pass
    int changed = 0;                      // files the pass changed
};

// One warning for each kind of trouble the pass met; nothing when it met none.
void TellOutcome(EngineHost& host, const PassOutcome& outcome);

// Up to five lines of names, then how many more there are.
std::string ListOfNames(const std::vector<std::string>& names);
