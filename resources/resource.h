// Resource ids of Quillet. Ids only: included by the resource script and the code.
#pragma once

#define IDI_QUILLET 103

// Actions menu: the command ids double as the pending action.
#define ID_UPPERCASE 40002
#define ID_LOWERCASE 40003
#define ID_INDEX_NAMES 40004
#define ID_PREFIX_APPEND 40005
#define ID_SHORTEN 40006
#define ID_REMOVE_TEXT 40007
#define ID_CHANGE_EXTENSIONS 40008
#define ID_CHANGE_DATES 40009
