// Layer: application (the main window, the application object, the program).
// The Actions menu's commands and the engine actions they stand for.
#pragma once
#include "engine/engine_action.h"

// False for a command that is no engine action.
bool EngineActionOf(int command, EngineAction& action);
