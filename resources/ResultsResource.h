// Resource ids of the results tree, its log sink and the results export; included from C++ and from the
// resource scripts.
#ifndef QVX_RESULTS_RESOURCE_H
#define QVX_RESULTS_RESOURCE_H

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
