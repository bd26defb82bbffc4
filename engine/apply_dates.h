// Giving every listed file one chosen date and time.
#pragma once
#include "engine_host.h"
#include "local_time.h"

#include <cstdint>
#include <string>

// Sets the creation and last-write times of every listed file to `date`
// (local time); the last-access time stays. A date that cannot be converted
// is told to the user and changes nothing: the dates stay pending.
void ApplyDates(FolderContext& context, const LocalDateTime& date);

// Sets a file's creation and last-write times, clearing the attributes that
// refuse it for the change and putting them back after. 0 or the error.
uint32_t SetDatesOfFile(FileOps& files, const std::string& path, uint64_t creation, uint64_t lastWrite);
