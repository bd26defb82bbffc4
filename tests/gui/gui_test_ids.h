// Ids of the templates the framework's tests run.
#pragma once

#define IDD_TEST_DIALOG 200
#define IDC_TEST_EDIT 201
#define IDC_TEST_BUTTON 202
#define IDC_TEST_PLAIN 203
#define IDC_TEST_COMBO 204
#define IDA_TEST_KEYS 210
#define IDM_TEST_REFRESH 211
