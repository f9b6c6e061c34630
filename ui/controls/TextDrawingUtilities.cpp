#include "ui/controls/TextDrawingUtilities.h"

#include "framework/DC.h"
#include "framework/Wnd.h"

BOOL FillRectSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    if (!dc)
        return FALSE;
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 0, colour);
    if (!brush || !pen)
    {
        if (brush)
            DeleteObject(brush);
        if (pen)
            DeleteObject(pen);
        return FALSE;
    }
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    BOOL result = Rectangle(dc, left, top, right, bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    return result;
}

BOOL DrawWindowBorder(CWnd* window)
{
    if (!window || !window->GetSafeHwnd())
        return FALSE;
    RECT bounds = {};
    if (!GetWindowRect(window->GetSafeHwnd(), &bounds))
        return FALSE;
    CWindowDC dc(window);
    HDC hdc = dc.GetSafeHdc();
    if (!hdc)
        return FALSE;
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(169, 177, 184));
    LOGBRUSH hollow = {BS_NULL, 0, 0};
    HBRUSH brush = CreateBrushIndirect(&hollow);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    BOOL result = Rectangle(hdc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    return result;
}

int TextWidth(HDC dc, const char* text)
{
    if (!dc || !text)
        return 0;
    SIZE size = {};
    if (!GetTextExtentPoint32A(dc, text, lstrlenA(text), &size))
        return 0;
    return size.cx;
}

int CharWidth(HDC dc, char ch)
{
    char text[2] = {ch, 0};
    return TextWidth(dc, text);
}

bool TextFits(HDC dc, CDravikString text, int left, int right, int margin)
{
    if (!dc || text.IsEmpty())
        return true;
    SIZE size = {};
    BOOL measured = text.IsWide() ? GetTextExtentPoint32W(dc, text.GetWide(), text.GetLength(), &size)
                                  : GetTextExtentPoint32A(dc, text.GetAnsi(), text.GetLength(), &size);
    if (!measured)
        return true;
    return size.cx <= right - left - margin;
}
