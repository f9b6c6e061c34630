// String ids of the test execution engine: console log formats, the command-line command, the caption, and
// the messages of the suite load results (console and dialog forms). Included from C++ and from the
// program's resource script Quorvex.rc, which holds the string table, so only #defines and comments;
// see docs/ids.md for every library's blocks. The numbers are the program's own and stay as they are.
#ifndef QVX_ENGINE_RESOURCE_IDS_H
#define QVX_ENGINE_RESOURCE_IDS_H

// ids: string
// Console log formats.
#define IDS_LOG_ERROR 6010
#define IDS_LOG_ERROR_LINE 6011
#define IDS_LOG_INFORMATION 6012
#define IDS_LOG_RUN_BEGIN 6013
#define IDS_LOG_TEST_BEGIN 6014
#define IDS_LOG_WARNING 6015
// The command that selects command-line mode.
#define IDS_COMMAND_CMD 6016
// Load failures as the console prints them.
#define IDS_LOAD_WRONG_VERSION 6022
#define IDS_LOAD_MISSING 6023
#define IDS_LOAD_UNEXPECTED 6024
#define IDS_LOAD_INVALID 6025
// The program's caption.
#define IDS_CAPTION 6027
// Load failures as the main dialog shows them (the missing-dependency text serves both).
#define IDS_DLG_LOAD_WRONG_VERSION 6071
#define IDS_LOAD_DEPENDENCIES 6072
#define IDS_DLG_LOAD_INVALID 6073
#define IDS_DLG_LOAD_MISSING 6074
#define IDS_DLG_LOAD_UNEXPECTED 6075
// A suite built for another architecture than the harness's: console and dialog forms.
#define IDS_LOAD_WRONG_ARCHITECTURE 6080
#define IDS_DLG_LOAD_WRONG_ARCHITECTURE 6081
// Test names on the command line that the suite does not have: one name, several names.
#define IDS_NO_TEST_NAMED 6082
#define IDS_NO_TESTS_NAMED 6083
#endif
