// The question every pass asks when a file could not be changed.
#pragma once
#include "engine_host.h"

#include <cstdint>
#include <string>

// Asks whether to go on after a file could not be changed. False for stop.
bool ReportFileError(EngineHost& host, uint32_t error, const std::string& name);
