// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// Setting one file's dates, for the date pass and for putting dates back.
#pragma once
#include "file_ops.h"

#include <cstdint>
#include <string>

// Sets a file's creation and last-write times, clearing the attributes that
// refuse it for the change and putting them back after. 0 or the error.
uint32_t SetDatesOfFile(FileOps& files, const std::string& path, uint64_t creation, uint64_t lastWrite);
