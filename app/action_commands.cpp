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

bool OrderOfCommand(int command, SortOrder current, SortOrder& order)
{
    switch (command) {
    case ID_SORT_BY_NAME:
    case ID_SORT_BY_DATE:
    case ID_SORT_BY_SIZE: order = SortOrder{static_cast<ListOrder>(command - ID_SORT_BY_NAME), current.reversed}; return true;
    case ID_REVERSE_ORDER: order = SortOrder{current.by, !current.reversed}; return true;
    default: return false;
    }
}

void CheckOrderItems(HMENU menu, SortOrder order)
{
    CheckMenuRadioItem(menu, ID_SORT_BY_NAME, ID_SORT_BY_SIZE, ID_SORT_BY_NAME + static_cast<UINT>(order.by),
                       MF_BYCOMMAND);
    CheckMenuItem(menu, ID_REVERSE_ORDER, MF_BYCOMMAND | (order.reversed ? MF_CHECKED : MF_UNCHECKED));
}

bool HasHint(int command)
{
    return (command >= ID_BROWSE && command <= ID_EXIT) || command == ID_UNDO ||
           (command >= ID_SORT_BY_NAME && command <= ID_REVERSE_ORDER);
}
