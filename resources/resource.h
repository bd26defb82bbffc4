// Resource ids of Quillet. Ids only: included by the resource script and the code.
#pragma once

#define IDR_ACCELERATORS 101
#define IDI_QUILLET 103
#define IDR_MAIN_MENU 104
#define IDR_LIST_MENU 113

// Menu commands; the string table holds their hints under the same ids.
#define ID_BROWSE 40001
// Actions menu: the command ids double as the pending action.
#define ID_UPPERCASE 40002
#define ID_LOWERCASE 40003
#define ID_INDEX_NAMES 40004
#define ID_PREFIX_APPEND 40005
#define ID_SHORTEN 40006
#define ID_REMOVE_TEXT 40007
#define ID_CHANGE_EXTENSIONS 40008
#define ID_CHANGE_DATES 40009
#define ID_FLOPPY_SAVER 40010
#define ID_ABOUT 40011
#define ID_MAKE_CHANGES 40012
#define ID_EXIT 40013
#define ID_UNDO 40014
#define ID_CHECK_UPDATES 40020
#define ID_PROGRAM_INFO 40022
#define ID_REMOVE_FROM_LIST 40023
#define ID_CREATE_FOLDERS 40026
// View menu: the three orders in the order of ListOrder, then the reverse.
#define ID_SORT_BY_NAME 40030
#define ID_SORT_BY_DATE 40031
#define ID_SORT_BY_SIZE 40032
#define ID_REVERSE_ORDER 40033

// Dialogs of the rename actions.
#define IDD_SHORTEN 105
#define IDD_INDEX_NAMES 106
#define IDD_CHANGE_EXTENSIONS 107
#define IDD_ENTER_DATE 108
#define IDD_REMOVE_TEXT 111
#define IDD_PREFIX_APPEND 112

// Their controls. The dialogs share the numbers: 1000 is each one's entry
// field, 1001 its second edit, 1007 and 1008 the before/after choice.
#define IDC_ENTRY 1000
#define IDC_SECOND_EDIT 1001
#define IDC_BEFORE_NAME 1007
#define IDC_AFTER_NAME 1008
#define IDC_EXISTING_NAME 1009
#define IDC_NEW_NAME 1010
#define IDC_START_WITH_ONE 1014
#define IDC_TRANSFER 1015

// The "Enter date" dialog: the time fields and the calendar.
#define IDC_MINUTE 1000
#define IDC_SECOND 1001
#define IDC_HOUR 1006
#define IDC_AM 1007
#define IDC_PM 1008
#define IDC_CALENDAR 1013

// Folder tools.
#define IDD_FLOPPY_SAVER 109
#define IDD_NEXT_FLOPPY 110
#define IDD_CREATE_FOLDERS 114

// "Create folders using an index number".
#define IDC_CREATE_NAME 1000
#define IDC_CREATE_START 1001
#define IDC_CREATE_LAST 1002
#define IDC_CREATE_LIST 1016
#define IDC_CREATE_LOCATION 1017
#define IDC_CREATE_BROWSE 1018
#define IDC_CREATE_TEST 1019

// "Floppy saver" and "Next floppy".
#define IDC_FLOPPY_HELP 1000
#define IDC_FLOPPY_FOLDER 1001
#define IDC_FLOPPY_DESTINATION 1002
#define IDC_FLOPPY_BROWSE 1012
#define IDC_DRIVE_A 1007
#define IDC_DRIVE_B 1008
