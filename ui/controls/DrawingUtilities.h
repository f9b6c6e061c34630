// Drawing utilities of the harness's own controls: colour interpolation and the colour tables of the
// selection and caret bars, with the routine that stretches a table to a row height and draws it, and the
// harness's dialog font.
#pragma once

#include <windows.h>

#include "foundation/DravikList.h"

class CFont;

// The harness's dialog font: "MS Shell Dlg", height 14, normal weight, default character set, ClearType
// quality. Inline, so that the end-to-end tests draw the results tree's labels in it without the library.
inline LOGFONTA HarnessDialogFontDescription()
{
    LOGFONTA description = {};
    description.lfHeight = 14;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynA(description.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
    return description;
}

// Makes font the harness's dialog font (whatever font it held before is deleted). FALSE when it cannot be
// created.
BOOL CreateHarnessDialogFont(CFont& font);

// One row colour of a bar; droppable rows are left out first when the bar is lower than its table.
struct CColourRecord
{
    COLORREF colour;
    bool droppable;
};

// Rows in each of the three standard tables.
const int kColourTableRows = 21;
// Highest bar that DrawGradientBar draws.
const int kMaxGradientBarHeight = 1000;

// Per-channel step (from - to) / steps. FALSE (outputs untouched) for steps < 1 or a null output.
BOOL ColourStep(int steps, COLORREF from, COLORREF to, double* dr, double* dg, double* db);

// Per channel: d = (int)((steps - i) * step); base + d, held at the limit's channel when it passes the limit
// in the direction of d.
COLORREF GradientColourAt(int steps, COLORREF limit, COLORREF base, int i, double dr, double dg, double db);

// Appends the 21 records of the focused-selection, caret and unfocused-selection tables (the lists own
// them, through FreeColourTable); TRUE when all three lists are then non-empty. Null lists are skipped.
BOOL FillColourTables(CDravikList* focused, CDravikList* caret, CDravikList* unfocused);

// Deletes every CColourRecord of table and empties it; FALSE when it was empty or null.
BOOL FreeColourTable(CDravikList* table);

// Writes exactly height colours for a bar of height rows into out (which must hold height colours):
// a taller bar repeats the middle record (index n / 2) before itself, a lower one leaves out its first
// droppable records; when there are not enough droppable records the colours are cut off after height.
// FALSE for a null buffer, a null or empty table, or height < 1.
BOOL ExpandColourTable(COLORREF* out, CDravikList* table, int height);

// Draws a bar over (left, top, right, bottom): the rows of ExpandColourTable, the side columns and the
// pixels one in from each corner in the first colour, and white outer corner pixels. Drawn off-screen and
// copied with one BitBlt. FALSE, with nothing drawn, for a null DC, an empty table, a width or height
// below 1, a height above 1000 or when the off-screen bitmap cannot be made.
BOOL DrawGradientBar(HDC dc, int left, int top, int right, int bottom, CDravikList* table);
