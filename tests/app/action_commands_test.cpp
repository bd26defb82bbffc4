// Which engine action each command of the Actions menu stands for.
#include "app/action_commands.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

TEST(ActionCommands, EachActionsCommandHasItsEngineAction)
{
    struct Case { int command; EngineAction action; };
    const Case cases[] = {
        {ID_UPPERCASE, EngineAction::Uppercase},
        {ID_LOWERCASE, EngineAction::Lowercase},
        {ID_INDEX_NAMES, EngineAction::IndexNames},
        {ID_PREFIX_APPEND, EngineAction::PrefixAppend},
        {ID_SHORTEN, EngineAction::Shorten},
        {ID_REMOVE_TEXT, EngineAction::RemoveText},
        {ID_CHANGE_EXTENSIONS, EngineAction::ChangeExtensions},
        {ID_CHANGE_DATES, EngineAction::ChangeDates},
    };
    for (const Case& c : cases) {
        EngineAction action = EngineAction::ChangeDates;
        if (c.action == EngineAction::ChangeDates)
            action = EngineAction::Uppercase;
        EXPECT_TRUE(EngineActionOf(c.command, action)) << c.command;
        EXPECT_EQ(c.action, action) << c.command;
    }
    for (int other : {0, ID_BROWSE, ID_MAKE_CHANGES, ID_FLOPPY_SAVER, ID_CREATE_FOLDERS}) {
        EngineAction action = EngineAction::Shorten;
        EXPECT_FALSE(EngineActionOf(other, action)) << other;
    }
}

TEST(ActionCommands, ViewCommandsAskForTheirOrder)
{
    struct Case { int command; SortOrder current; SortOrder order; };
    const Case cases[] = {
        {ID_SORT_BY_DATE, {ListOrder::Name, true}, {ListOrder::Modified, true}},
        {ID_SORT_BY_SIZE, {ListOrder::Modified, false}, {ListOrder::Size, false}},
        {ID_SORT_BY_NAME, {ListOrder::Size, false}, {ListOrder::Name, false}},
        {ID_REVERSE_ORDER, {ListOrder::Size, false}, {ListOrder::Size, true}},
        {ID_REVERSE_ORDER, {ListOrder::Name, true}, {ListOrder::Name, false}},
    };
    for (const Case& c : cases) {
        SortOrder order;
        EXPECT_TRUE(OrderOfCommand(c.command, c.current, order)) << c.command;
        EXPECT_TRUE(c.order == order) << c.command;
    }
    SortOrder order;
    EXPECT_FALSE(OrderOfCommand(ID_UNDO, order, order));
}
