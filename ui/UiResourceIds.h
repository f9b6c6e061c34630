// Resource ids of the harness user interface: dialog templates, pictures, commands, controls, strings and
// help contexts. Included from C++ and from the resource scripts (Dialogs.rc, ResultsTree.rc, and
// Quorvex.rc, which holds the string table), so only #defines and comments; see docs/ids.md for every
// library's blocks; the "// ids: <kind>" lines mark the kind of the constants after them. The numbers
// are the program's own and stay as they are.
#ifndef QVX_UI_RESOURCE_IDS_H
#define QVX_UI_RESOURCE_IDS_H

// ids: resource
// Dialog templates.
#define IDD_ABOUT 3000
#define IDD_QUORVEX_MAIN 3006
#define IDD_RUN_INDIVIDUAL 3007

// Bitmaps, icon and toolbar (a resource of type XTP_RT_TOOLBAR, toolkit/common/XTPResourceIds.h).
#define IDB_ABOUT_BANNER 1000
#define IDB_TOOLBAR_NORMAL 1002
#define IDB_TOOLBAR_DISABLED 1003
#define IDB_TOOLBAR_HOT 1004
// The picture of a test in the run-individual list (16 x 16, 32 bits with alpha).
#define IDB_RUN_INDIVIDUAL_ROW 1010
#define IDI_QUORVEX 5001
#define IDR_QUORVEX_TOOLBAR 5001

// ids: command
// Commands; each command id is also the id of its "caption\ntooltip" string.
#define ID_HELP_COMMAND 9
#define ID_ABOUT 4000
#define ID_CANCEL_RUN 4001
#define ID_EXPORT_RESULTS 4002
#define ID_LOAD_TEST_SUITE 4003
#define ID_RUN_ALL 4004
#define ID_RUN_INDIVIDUAL 4005

// ids: control
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

// A column view gives itself IDC_COLUMN_VIEW_LIST and its children the next three ids.
#define IDC_COLUMN_VIEW_LIST 8888
#define IDC_COLUMN_VIEW_HEADER 8889
#define IDC_COLUMN_VIEW_HORIZONTAL_BAR 8890
#define IDC_COLUMN_VIEW_VERTICAL_BAR 8891

// Controls of the run-individual dialog (its list is a column view).
#define IDC_SELECT_TESTS_LABEL 2040
#define IDC_RUN_INDIVIDUAL_LIST IDC_COLUMN_VIEW_LIST

// The size grip of resizable dialogs.
#define IDC_RESIZE_GRIP 100
// The child id of a native display control made without one.
#define IDC_NATIVE_DISPLAY 265

// ids: string
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

// ids: help
// Help contexts (docs/help/context_ids.h gives the help file the same numbers).
#define QVX_HELP_ABOUT 1000
#define QVX_HELP_MAIN 1005
#define QVX_HELP_RUN_INDIVIDUAL 1007

// ---- The results tree, its log sink and the results export ----
// ids: resource
// Seven 16 x 16 pictures of the results tree in one strip (information, error, warning, clean test without
// messages, clean test with messages, warned test, failed test).
#define IDB_RESULTS_TREE 1005

// ids: string
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
