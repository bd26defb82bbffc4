// Layer: application (the main window, the application object, the program).
// What the menus' commands stand for: the Actions menu's engine actions and
// the View menu's orders, and which commands the status bar has a hint for.
#pragma once
#include "engine/engine_action.h"
#include "engine/sort_order.h"

#include <windows.h>

// False for a command that is no engine action.
bool EngineActionOf(int command, EngineAction& action);

// The order a View menu command asks for, the order in force being
// `current`. False for a command of another menu.
bool OrderOfCommand(int command, SortOrder current, SortOrder& order);
// Puts the radio check on the order and the check mark on the reverse.
void CheckOrderItems(HMENU menu, SortOrder order);

bool HasHint(int command);
