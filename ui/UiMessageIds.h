// The harness user interface's private window messages and timer ids: one block each (see docs/ids.md for
// the blocks of every subsystem). Each message says who sends it, to whom, and what it returns.
#pragma once

#include <windows.h>

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

// ---- Messages a window posts to itself (WM_APP + 0x3D1 .. WM_APP + 0x3DF) ----
// The results tree to itself: switch painting back on after a flood of entries (no parameters). Returns 0.
constexpr UINT WM_QVX_TREE_FLUSH_REDRAW = WM_APP + 0x3D1;
// The log sink's wake-up window to itself, from any thread that logged: show the waiting records (no
// parameters). Returns 0.
constexpr UINT WM_QVX_SINK_DELIVER = WM_APP + 0x3D2;
// The results tree to itself: do the next slice of a regrouping (no parameters). Returns 0.
constexpr UINT WM_QVX_TREE_CONTINUE_REGROUP = WM_APP + 0x3D3;

// ---- Timer ids (0x5150 .. 0x515F), each on the window named ----
// Results tree: switch painting back on.
constexpr UINT_PTR QVX_TIMER_TREE_FLUSH_REDRAW = 0x5154;
// Log sink's wake-up window: the next slice of records.
constexpr UINT_PTR QVX_TIMER_SINK_DELIVER = 0x5155;
// Results tree: the next slice of a regrouping.
constexpr UINT_PTR QVX_TIMER_TREE_CONTINUE_REGROUP = 0x5156;
