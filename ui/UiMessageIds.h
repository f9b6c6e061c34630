// The harness user interface's private window messages and timer ids: one block each (see docs/ids.md for
// the blocks of every library; the "// ids: <kind>" lines mark the kind of the constants after them). Each
// message says who sends it, to whom, and what it returns.
#pragma once

#include <windows.h>

// ids: message
// ---- Messages posted to the main dialog (WM_USER + 100 .. WM_USER + 103 are the program's own numbers) ----
// Posted by the main dialog's run observer on the engine's worker thread: a test has started. lParam: its
// number within the run (the dialog reads the latest one from the observer). Returns 1.
constexpr UINT WM_QVX_TEST_STARTED = WM_USER + 100;
// Posted by the run observer: a test has finished (wParam 0, lParam its number), or by the dialog's
// run-ended operation: the run has ended (wParam kRunEndedNotification, lParam the selected-test count).
// Returns 1.
constexpr UINT WM_QVX_TEST_FINISHED = WM_USER + 101;
// Posted by the run observer when the log sink has shown lines (no parameters). Returns 1.
constexpr UINT WM_QVX_LOG_UPDATED = WM_USER + 102;
// Posted by the elapsed-time timer's thread to its target while armed (no parameters). Returns 1.
constexpr UINT WM_QVX_ELAPSED_TIME_TICK = WM_USER + 103;

// ---- Messages of the dialog bases and controls ----
// Posted to a harness dialog by anyone to have it closed (no parameters). Returns 0.
constexpr UINT WM_QVX_CLOSE_DIALOG = WM_USER + 107;
// Posted by a size grip to its owner dialog: grow by wParam (dx) and lParam (dy) pixels. Returns 0.
constexpr UINT WM_QVX_GRIP_DRAG = WM_USER + 124;
// Posted by a static field's mouse timer (its own thread) to the field: the mouse has rested; show the
// tooltip. lParam: screen x in the low word, y in the high word. Returns 0.
constexpr UINT WM_QVX_FIELD_SHOW_TOOLTIP = WM_USER + 128;

// ---- Requests to a column view (WM_USER + 131 .. WM_USER + 138; the program's own numbers) ----
// Sent or posted by anyone (tests, helper programs). lParam is a display index; the "found" messages use
// the text set by WM_COPYDATA and do nothing while it is empty or matches no row's first column.
// Select the row (others deselected unless Ctrl or Shift is down). Returns 1 when a row was selected.
constexpr UINT WM_QVX_LIST_SELECT_INDEX = WM_USER + 131;
// Add the row to the selection. Returns 1 when a row was selected.
constexpr UINT WM_QVX_LIST_ADD_INDEX = WM_USER + 132;
// Add the found row to the selection. Returns 1 when found.
constexpr UINT WM_QVX_LIST_ADD_FOUND = WM_USER + 133;
// Select the found row (others deselected unless Ctrl or Shift is down). Returns 1 when found.
constexpr UINT WM_QVX_LIST_SELECT_FOUND = WM_USER + 134;
// Select the row alone and activate it (as a double click). Returns 1 when the row exists.
constexpr UINT WM_QVX_LIST_ACTIVATE_INDEX = WM_USER + 135;
// Select the found row alone and activate it. Returns 1 when found.
constexpr UINT WM_QVX_LIST_ACTIVATE_FOUND = WM_USER + 136;
// Select the row and put the mouse pointer on it. Returns 1 when the row exists.
constexpr UINT WM_QVX_LIST_POINT_INDEX = WM_USER + 137;
// Select the found row and put the mouse pointer on it. Returns 1 when found.
constexpr UINT WM_QVX_LIST_POINT_FOUND = WM_USER + 138;

// ---- Messages a window posts to itself (WM_APP + 0x3D1 .. WM_APP + 0x3DF) ----
// The results tree to itself: switch painting back on after a flood of entries (no parameters). Returns 0.
constexpr UINT WM_QVX_TREE_FLUSH_REDRAW = WM_APP + 0x3D1;
// The log sink's wake-up window to itself, from any thread that logged: show the waiting records (no
// parameters). Returns 0.
constexpr UINT WM_QVX_SINK_DELIVER = WM_APP + 0x3D2;
// The results tree to itself: do the next slice of a regrouping (no parameters). Returns 0.
constexpr UINT WM_QVX_TREE_CONTINUE_REGROUP = WM_APP + 0x3D3;

// ids: timer
// ---- Timer ids (0x5150 .. 0x515F), each on the window named ----
// Results tree: switch painting back on.
constexpr UINT_PTR QVX_TIMER_TREE_FLUSH_REDRAW = 0x5154;
// Log sink's wake-up window: the next slice of records.
constexpr UINT_PTR QVX_TIMER_SINK_DELIVER = 0x5155;
// Results tree: the next slice of a regrouping.
constexpr UINT_PTR QVX_TIMER_TREE_CONTINUE_REGROUP = 0x5156;
