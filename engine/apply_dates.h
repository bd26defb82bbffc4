// Giving every listed file one chosen date and time.
#pragma once
#include "engine_host.h"
#include "local_time.h"

// Sets the creation and last-write times of every listed file to `date`
// (local time); the last-access time stays. A date that cannot be converted
// is told to the user and changes nothing: the dates stay pending.
void ApplyDates(FolderContext& context, const LocalDateTime& date);
