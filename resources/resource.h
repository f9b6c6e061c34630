// Numeric ids of the program's resources; included from C++ and from Quorvex.rc.
#ifndef QVX_RESOURCE_H
#define QVX_RESOURCE_H

// Console log formats.
#define IDS_LOG_ERROR 6010
#define IDS_LOG_ERROR_LINE 6011
#define IDS_LOG_INFORMATION 6012
#define IDS_LOG_RUN_BEGIN 6013
#define IDS_LOG_TEST_BEGIN 6014
#define IDS_LOG_WARNING 6015
// The command that selects command-line mode.
#define IDS_COMMAND_CMD 6016
// Load failures in command-line mode.
#define IDS_LOAD_WRONG_VERSION 6022
#define IDS_LOAD_MISSING 6023
#define IDS_LOAD_UNEXPECTED 6024
#define IDS_LOAD_INVALID 6025
#define IDS_LOAD_DEPENDENCIES 6072
// Texts of the dialogs.
#define IDS_CAPTION 6027
#define IDS_NO_TESTS_SELECTED 6062
#define IDS_PROCESSING_CANCELLED 6063
#define IDS_DLG_LOAD_WRONG_VERSION 6071
#define IDS_DLG_LOAD_INVALID 6073
#define IDS_DLG_LOAD_MISSING 6074
#define IDS_DLG_LOAD_UNEXPECTED 6075
#endif
