// CColumnViewControl: painting (rows, pictures, selection and caret bars, grid and separator lines).
#include "ui/controls/ColumnViewControl.h"

#include <algorithm>

#include "ui/controls/DrawingUtilities.h"
#include "ui/controls/TextDrawingUtilities.h"

void CColumnViewControl::OnPaint()
{
    CThreadLockGuard guard(m_lock);
    if (m_hWnd)
    {
        RECT rows;
        GetRowsRect(&rows);
        m_offScreen.SetWindow(m_hWnd);
        if (m_offScreen.Create())
        {
            m_separator.Forget();
            SelectFont();
            ComputeRowRects();
            FillBackground();
            DrawRows();
            DrawGridLines();
            RestoreFont();
            HDC dc = ::GetDC(m_hWnd);
            if (dc)
            {
                ::BitBlt(dc, 0, rows.top, rows.right - rows.left, rows.bottom - rows.top, m_offScreen.GetDC(), 0,
                         rows.top, SRCCOPY);
                ::ReleaseDC(m_hWnd, dc);
            }
            m_offScreen.Release();
        }
        RefreshWindow(&m_header);
        if (m_separator.m_enabled)
            UpdateScrollBarsAndLayout();
        ::ValidateRect(m_hWnd, nullptr);
    }
}

void CColumnViewControl::OnNcPaint()
{
    Default();
    DrawBorder();
}

void CColumnViewControl::DrawBorder()
{
    if (m_borderFlag)
        DrawWindowBorder(this);
}

void CColumnViewControl::FillBackground()
{
    m_offScreen.SetBackgroundColor(m_hWnd && !::IsWindowEnabled(m_hWnd) ? kDisabledBackground : RGB(255, 255, 255));
    m_offScreen.Fill(false);
}

void CColumnViewControl::DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previous = ::SelectObject(dc, pen);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
    ::SelectObject(dc, previous);
    ::DeleteObject(pen);
}

bool CColumnViewControl::IsCaretVisible()
{
    return m_caret >= m_topIndex && m_caret <= m_bottomIndex;
}

void CColumnViewControl::ComputeRowRects()
{
    RECT rows;
    GetRowsRect(&rows);
    int y = rows.top + kRowsTopMargin;
    const int x0 = m_horizontalOffset < 1 ? 0 : -m_horizontalOffset;
    const int right = m_columns.empty() ? 0 : static_cast<int>(m_columns.back()->m_bounds.right) - m_horizontalOffset;
    for (int i = std::max(0, m_topIndex); i < static_cast<int>(m_order.size()) && y < rows.bottom; ++i)
    {
        CColumnViewControlEntry* entry = m_order[static_cast<size_t>(i)];
        entry->m_rowHeight = entry->m_lineCount * m_lineHeight;
        entry->m_rowRect = {x0, y, right, y + entry->m_rowHeight - 1};
        y += entry->m_rowHeight;
    }
}

bool CColumnViewControl::DrawCaretBackground(CColumnViewControlEntry* entry, int width)
{
    if (!entry || entry->m_selected || !m_hWnd || ::GetFocus() != m_hWnd)
        return false;
    return DrawRowBar(entry, width, &m_caretTable);
}

bool CColumnViewControl::DrawRowBar(CColumnViewControlEntry* entry, int width, CDravikList* table)
{
    RECT rows;
    GetRowsRect(&rows);
    int left = rows.left + (m_showImages ? 22 : 0), right = width - 2;
    if (m_horizontalOffset > 0)
    {
        left -= m_horizontalOffset;
        right -= m_horizontalOffset;
    }
    return DrawGradientBar(m_offScreen.GetDC(), left, entry->m_rowRect.top - 2, right, entry->m_rowRect.bottom - 2,
                           table) != FALSE;
}

bool CColumnViewControl::DrawSelectedBackground(CColumnViewControlEntry* entry, int width)
{
    if (!entry)
        return false;
    return DrawRowBar(entry, width,
                      (m_hWnd && ::GetFocus() == m_hWnd) ? &m_focusedTable : &m_unfocusedTable);
}

bool CColumnViewControl::DrawSeparatorRow(CColumnViewControlEntry* entry, int* y)
{
    if (!m_separator.m_enabled || !entry || !y || !m_separator.StartsGroup(entry))
        return false;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int right = client.right - 5 - (m_verticalEnabled ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    HDC dc = m_offScreen.GetDC();
    const int middle = *y + m_lineHeight / 2;
    DrawLine(dc, client.left + 5, middle - 1, right, middle - 1, RGB(4, 203, 219));
    DrawLine(dc, client.left + 5, middle, right, middle, RGB(0, 0, 215));
    *y += m_lineHeight;
    return true;
}

bool CColumnViewControl::DrawEntry(CColumnViewControlEntry* entry, int* y, int width, const RECT& rows)
{
    if (!entry || !y)
        return false;
    DrawSeparatorRow(entry, y);
    const int height = entry->m_lineCount * m_lineHeight;
    if (*y + height > rows.bottom)
        return false;
    HDC dc = m_offScreen.GetDC();
    const int x0 = m_horizontalOffset < 1 ? 0 : -m_horizontalOffset;
    entry->m_rowHeight = height;
    entry->m_rowRect = {x0, *y, x0, *y + height - 1};
    if (m_drawSelection)
    {
        if (entry->m_selected)
            DrawSelectedBackground(entry, width);
        else if (entry->m_index == m_caret)
            DrawCaretBackground(entry, width);
    }
    const int imageCount = m_rowImages.GetSafeHandle() ? m_rowImages.GetImageCount() : 0;
    for (size_t i = 0; i < m_columns.size(); ++i)
    {
        const RECT& bounds = m_columns[i]->m_bounds;
        entry->m_rowRect.right = bounds.right;
        HRGN clip = ::CreateRectRgn(bounds.left - m_horizontalOffset, *y, bounds.right - m_horizontalOffset,
                                    *y + height);
        ::SelectClipRgn(dc, clip);
        int x = bounds.left - m_horizontalOffset + 5;
        if (i == 0 && m_showImages && imageCount > 0)
        {
            if (entry->m_image > 0 && entry->m_image <= imageCount)
                ImageList_DrawEx(static_cast<HIMAGELIST>(m_rowImages.GetSafeHandle()), entry->m_image - 1, dc, x, *y,
                                 16, 16, CLR_NONE, CLR_NONE, ILD_NORMAL);
            x = bounds.left - m_horizontalOffset + 26;
        }
        ::SetTextColor(dc, entry->GetTextColour(static_cast<int>(i)));
        if (i < entry->m_lines.size())
        {
            std::vector<CDravikString>& lines = entry->m_lines[i].m_lines;
            for (size_t j = 0; j < lines.size(); ++j)
            {
                CDravikString& line = lines[j];
                const int ly = *y + static_cast<int>(j) * m_lineHeight;
                if (line.IsWide())
                    ::TextOutW(dc, x, ly, line.GetWide(), line.GetLength());
                else
                    ::TextOutA(dc, x, ly, line.GetAnsi(), line.GetLength());
            }
        }
        ::SelectClipRgn(dc, nullptr);
        ::DeleteObject(clip);
    }
    *y += height;
    return true;
}

bool CColumnViewControl::DrawRows()
{
    if (!m_offScreen.IsCreated() || m_order.empty())
        return false;
    RECT rows;
    GetRowsRect(&rows);
    int total[2];
    GetTotalSize(total);
    int y = rows.top + kRowsTopMargin;
    m_bottomIndex = m_topIndex;
    for (int i = std::max(0, m_topIndex); i < static_cast<int>(m_order.size()); ++i)
    {
        if (!DrawEntry(m_order[static_cast<size_t>(i)], &y, total[0], rows))
            break;
        m_bottomIndex = i;
    }
    return true;
}

void CColumnViewControl::DrawGridLines()
{
    if (!m_gridLines || m_order.empty() || !m_offScreen.IsCreated())
        return;
    HDC dc = m_offScreen.GetDC();
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    for (size_t i = 0; i < m_columns.size(); ++i)
    {
        const RECT& bounds = m_columns[i]->m_bounds;
        const int x = (i + 1 == m_columns.size() ? bounds.left : bounds.right) - m_horizontalOffset;
        if (x >= 0)
            DrawLine(dc, x, 0, x, client.bottom, m_gridColour);
    }
    DrawSelectionGridLines();
}

void CColumnViewControl::DrawSelectionGridLines()
{
    HDC dc = m_offScreen.GetDC();
    CDravikList* table = (::GetFocus() == m_hWnd) ? &m_focusedTable : &m_unfocusedTable;
    COLORREF colour = m_gridColour;
    if (table->GetCount() > 0)
        colour = static_cast<CColourRecord*>(table->GetHeadData())->colour;
    const int last = std::min(m_bottomIndex, static_cast<int>(m_order.size()) - 1);
    for (int e = std::max(0, m_topIndex); e <= last; ++e)
    {
        CColumnViewControlEntry* entry = m_order[static_cast<size_t>(e)];
        if (!entry->m_selected)
            continue;
        for (size_t i = 0; i < m_columns.size(); ++i)
        {
            const RECT& bounds = m_columns[i]->m_bounds;
            const int x = (i + 1 == m_columns.size() ? bounds.left : bounds.right) - m_horizontalOffset;
            if (x >= 0)
                DrawLine(dc, x, entry->m_rowRect.top - 2, x, entry->m_rowRect.bottom - 2, colour);
        }
    }
}

CColumnViewControlEntry* CColumnViewControl::HitTest(POINT point)
{
    if (m_order.empty())
        return nullptr;
    const int last = std::min(m_bottomIndex, static_cast<int>(m_order.size()) - 1);
    for (int i = std::max(0, m_topIndex); i <= last; ++i)
    {
        CColumnViewControlEntry* entry = m_order[static_cast<size_t>(i)];
        const RECT& r = entry->m_rowRect;
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y <= r.bottom)
            return entry;
    }
    return nullptr;
}
