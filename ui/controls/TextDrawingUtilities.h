// GDI shortcuts of the harness's own controls: solid rectangles, the window border, text widths and the fit
// test. Each leaves the device context with the objects it had.
#pragma once

#include <windows.h>

#include "foundation/DravikString.h"

class CWnd;

// Fills (left, top, right, bottom) with Rectangle, a solid brush and a zero-width pen of the colour.
BOOL FillRectSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour);

// Draws a 1-pixel RGB(169, 177, 184) frame around the whole window on its window DC; FALSE for a null or
// window-less object.
BOOL DrawWindowBorder(CWnd* window);

// Width in pixels of the text (GetTextExtentPoint32A of the whole string); 0 for a null DC or text.
int TextWidth(HDC dc, const char* text);
// Width of one character.
int CharWidth(HDC dc, char ch);

// True when the text is empty, the DC is null or the text's width is at most right - left - margin.
bool TextFits(HDC dc, CDravikString text, int left, int right, int margin);
