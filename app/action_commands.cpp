// Layer: application (the main window, the application object, the program).

#include "action_commands.h"

#include "resources/resource.h"

bool EngineActionOf(int command, EngineAction& action)
{
    switch (command) {
    case ID_UPPERCASE: action = EngineAction::Uppercase; return true;
    case ID_LOWERCASE: action = EngineAction::Lowercase; return true;
    case ID_INDEX_NAMES: action = EngineAction::IndexNames; return true;
    case ID_PREFIX_APPEND: action = EngineAction::PrefixAppend; return true;
    case ID_SHORTEN: action = EngineAction::Shorten; return true;
    case ID_REMOVE_TEXT: action = EngineAction::RemoveText; return true;
    case ID_CHANGE_EXTENSIONS: action = EngineAction::ChangeExtensions; return true;
    case ID_CHANGE_DATES: action = EngineAction::ChangeDates; return true;
    default: return false;
    }
}
