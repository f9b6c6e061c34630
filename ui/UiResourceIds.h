// Resource ids of the harness user interface: dialog templates, pictures, commands, controls, strings and
// help contexts. Included from C++ and from the resource scripts (Dialogs.rc, ResultsTree.rc, and
// Quorvex.rc, which holds the string table); see docs/ids.md for every subsystem's blocks. The numbers
// are the program's own and stay as they are.
#ifndef QVX_UI_RESOURCE_IDS_H
#define QVX_UI_RESOURCE_IDS_H

// Dialog templates.
#define IDD_ABOUT 3000
#define IDD_QUORVEX_MAIN 3006
#define IDD_RUN_INDIVIDUAL 3007

// Bitmaps, icon and toolbar.
#define IDB_ABOUT_BANNER 1000
#define IDB_TOOLBAR_NORMAL 1002
#define IDB_TOOLBAR_DISABLED 1003
#define IDB_TOOLBAR_HOT 1004
// The picture of a test in the run-individual list (16 x 16, 32 bits with alpha).
#define IDB_RUN_INDIVIDUAL_ROW 1010
#define IDI_QUORVEX 5001
#define IDR_QUORVEX_TOOLBAR 5001
// The resource type of toolbar layouts (16-bit words: version, button width, height, count, ids).
#define QVX_RT_TOOLBAR 241

// Commands; each command id is also the id of its "caption\ntooltip" string.
#define ID_HELP_COMMAND 9
#define ID_ABOUT 4000
#define ID_CANCEL_RUN 4001
#define ID_EXPORT_RESULTS 4002
#define ID_LOAD_TEST_SUITE 4003
#define ID_RUN_ALL 4004
#define ID_RUN_INDIVIDUAL 4005

// Controls of the about dialog.
#define IDC_ABOUT_VERSION 2007
#define IDC_ABOUT_VERSION_LABEL 2008
#define IDC_ABOUT_TEXT 2009
#define IDC_ABOUT_BANNER 2010

// Controls of the main dialog.
#define IDC_CURRENT_STATUS 2028
#define IDC_CURRENT_STATUS_LABEL 2029
#define IDC_CURRENT_TEST 2030
#define IDC_CURRENT_TEST_LABEL 2031
#define IDC_ELAPSED_TIME 2032
#define IDC_ELAPSED_TIME_LABEL 2033
#define IDC_RESULTS_TREE 2036
#define IDC_PROGRESS_INDICATOR 2037
#define IDC_PROGRESS_LABEL 2038
#define IDC_SUITE_NAME 2042
#define IDC_SUITE_NAME_LABEL 2043

// Controls of the run-individual dialog.
#define IDC_SELECT_TESTS_LABEL 2040
#define IDC_RUN_INDIVIDUAL_LIST 8888

// The size grip of resizable dialogs.
#define IDC_RESIZE_GRIP 100

// Strings of the dialogs.
#define IDS_STATUS_FORMAT 6017
#define IDS_ALL_TESTS_COMPLETED 6018
#define IDS_NOT_RUNNING 6019
#define IDS_CURRENT_TEST_FORMAT 6020
#define IDS_NO_SUITE_LOADED 6021
#define IDS_EXPORT_FAILED 6031
#define IDS_EXPORT_SUCCEEDED 6032
#define IDS_HELP_FILE 6033
#define IDS_TOOLBAR_TITLE 6057
#define IDS_TEST_NAME_COLUMN 6069
#define IDS_NO_TESTS_SELECTED 6062
#define IDS_PROCESSING_CANCELLED 6063

// Help contexts.
#define QVX_HELP_ABOUT 1000
#define QVX_HELP_MAIN 1005
#define QVX_HELP_RUN_INDIVIDUAL 1007
// ---- The results tree, its log sink and the results export ----
// Seven 16 x 16 pictures of the results tree in one strip (information, error, warning, clean test without
// messages, clean test with messages, warned test, failed test).
#define IDB_RESULTS_TREE 1005

// Message line formats of the results export.
#define IDS_EXPORT_ERROR_LINE 6028
#define IDS_EXPORT_PLAIN_LINE 6029
#define IDS_EXPORT_WARNING_LINE 6030
// Entry texts of the results tree and the dialog's log sink.
#define IDS_TREE_ERROR 6052
#define IDS_TREE_ERROR_LINE 6053
#define IDS_TREE_GROUP 6054
#define IDS_TREE_MESSAGE 6055
#define IDS_TREE_WARNING_LINE 6056
#define IDS_TREE_TEST 6070
#endif
