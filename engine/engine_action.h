// Layer: pure core (no <windows.h>, built natively too).
// The actions the engine proposes names for and carries out. The menus that
// start them are the program's business: it maps its commands to these.
#pragma once

enum class EngineAction {
    Uppercase,
    Lowercase,
    IndexNames,
    PrefixAppend,
    Shorten,
    RemoveText,
    ChangeExtensions,
    ChangeDates,
};
