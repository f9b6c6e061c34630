// The row layout of a bar's controls (CXTPControls::CalcDynamicSize).
#include "toolkit/commandbars/controls/XTPControls.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/images/XTPImageManager.h"

#include <vector>

namespace
{
struct LayoutRecord
{
    CRect rc;
    CRect rcRow;
    int cx = 0, cy = 0;
    BOOL bVisible = FALSE, bWrap = FALSE, bHidden = FALSE, bBeginGroup = FALSE;
    int nStyle = 0;
    CXTPControl* pControl = nullptr;
};

class RowLayout
{
public:
    RowLayout(std::vector<LayoutRecord>& recs, int nSeparatorW, int nSeparatorH, DWORD dwMode)
        : m_recs(recs), m_nSepW(nSeparatorW), m_nSepH(nSeparatorH), m_dwMode(dwMode)
    {
    }

    // Breaks the controls into rows at a limit; TRUE when a row broke (the bar takes the length).
    // bGroupBreaks: in mode 0x100 every begin-group control after the first opens a row.
    BOOL WrapAt(int nLimit, BOOL bGroupBreaks = TRUE)
    {
        BOOL bBroke = FALSE;
        for (LayoutRecord& r : m_recs)
            r.bWrap = r.bHidden = FALSE;
        int x = 0, nRowStart = -1;
        BOOL bFirstOverall = TRUE;
        const int n = static_cast<int>(m_recs.size());
        for (int i = 0; i < n; ++i)
        {
            LayoutRecord& r = m_recs[static_cast<size_t>(i)];
            if (!r.bVisible || r.bHidden)
                continue;
            BOOL bFirstInRow = nRowStart < 0;
            int nGap = bFirstInRow ? 0 : (r.bBeginGroup ? m_nSepW : 0);
            BOOL bForced = !bFirstOverall && (r.pControl->GetFlags() & xtpFlagWrapRow);
            BOOL bOver = !bFirstInRow && x + nGap + r.cx > nLimit;
            BOOL bGroupBreak = bGroupBreaks && (m_dwMode & 0x100) && r.bBeginGroup && !bFirstOverall;
            if (bForced)
            {
                r.bWrap = TRUE;
                nRowStart = i;
                x = r.cx;
                continue;
            }
            if (bOver || bGroupBreak)
            {
                bBroke = TRUE;
                if ((m_dwMode & 0x80) && !bFirstOverall)
                {
                    // This and the following controls up to the next forced row are hidden.
                    int j = i;
                    while (j < n && !(j > i && (m_recs[static_cast<size_t>(j)].pControl->GetFlags() & xtpFlagWrapRow)))
                        m_recs[static_cast<size_t>(j++)].bHidden = TRUE;
                    i = j - 1;
                    continue;
                }
                int nBack = -1;
                if (bOver && !bGroupBreak)
                {
                    for (int m = i - 1; m > nRowStart; --m)
                    {
                        const LayoutRecord& rm = m_recs[static_cast<size_t>(m)];
                        if (rm.bVisible && !rm.bHidden && rm.bBeginGroup)
                        {
                            nBack = m;
                            break;
                        }
                    }
                }
                if (nBack > 0)
                {
                    // The row breaks at the last group of the row instead.
                    m_recs[static_cast<size_t>(nBack)].bWrap = TRUE;
                    nRowStart = nBack;
                    x = 0;
                    for (int m = nBack; m < i; ++m)
                    {
                        const LayoutRecord& rm = m_recs[static_cast<size_t>(m)];
                        if (!rm.bVisible || rm.bHidden)
                            continue;
                        x += (m == nBack ? 0 : (rm.bBeginGroup ? m_nSepW : 0)) + rm.cx;
                    }
                    --i; // this control is placed again on the new row
                    continue;
                }
                r.bWrap = TRUE;
                nRowStart = i;
                x = r.cx;
                bFirstOverall = FALSE;
                continue;
            }
            if (bFirstInRow)
                nRowStart = i;
            x += nGap + r.cx;
            bFirstOverall = FALSE;
        }
        return bBroke;
    }

    // The balanced wrap of a floating bar that came out too tall: between the width wrapped at 0
    // (one control a row) and at 32767 (one row), a binary search for the narrowest width whose
    // height does not grow past it, stopping when a step repeats. Groups share rows here.
    BOOL WrapBalanced()
    {
        WrapAt(0, FALSE);
        int nLow = Measure().cx;
        WrapAt(32767, FALSE);
        int nHigh = Measure().cx;
        int nPrevious = -1;
        while (nLow < nHigh)
        {
            const int nMid = (nLow + nHigh) / 2;
            if (nMid == nPrevious)
                break;
            nPrevious = nMid;
            WrapAt(nMid, FALSE);
            const CSize size = Measure();
            if (size.cy <= size.cx)
                nHigh = nMid;
            else
                nLow = nMid;
        }
        return WrapAt(nHigh, FALSE);
    }

    // Places the rows from (0, 0); the bounding size.
    CSize Measure(std::vector<int>* pRowThickness = nullptr)
    {
        int x = 0, y = 0, nThick = 0, nWidth = 0;
        BOOL bFirst = TRUE;
        for (LayoutRecord& r : m_recs)
        {
            if (!r.bVisible || r.bHidden)
                continue;
            if (!bFirst && r.bWrap)
            {
                if (pRowThickness)
                    pRowThickness->push_back(nThick);
                y += nThick + (r.bBeginGroup ? m_nSepH : 0);
                x = 0;
                nThick = 0;
            }
            else if (!bFirst)
            {
                x += r.bBeginGroup ? m_nSepW : 0;
            }
            r.rc = CRect(x, y, x + r.cx, y + r.cy);
            x += r.cx;
            nThick = nThick > r.cy ? nThick : r.cy;
            nWidth = nWidth > x ? nWidth : x;
            bFirst = FALSE;
        }
        if (pRowThickness && !bFirst)
            pRowThickness->push_back(nThick);
        return CSize(nWidth, bFirst ? 0 : y + nThick);
    }

    int CountRows()
    {
        std::vector<int> rows;
        Measure(&rows);
        return static_cast<int>(rows.size());
    }

private:
    std::vector<LayoutRecord>& m_recs;
    int m_nSepW, m_nSepH;
    DWORD m_dwMode;
};

// The width of the bar's large icons: twice its icon width.
int LargeIconWidth(CXTPCommandBar* pBar)
{
    const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
    return szIcon.cx > 0 ? 2 * szIcon.cx : 32;
}

void MeasureRecords(CDC* pDC, std::vector<LayoutRecord>& recs, BOOL bVert)
{
    for (LayoutRecord& r : recs)
    {
        const CSize sz = r.pControl->GetSize(pDC);
        r.cx = bVert ? sz.cy : sz.cx;
        r.cy = bVert ? sz.cx : sz.cy;
        r.nStyle = r.pControl->GetStyle();
    }
}

// Places the controls of a smart-layout bar: a large control (style 4) takes a column of its own;
// other controls stack three to a column. A begin-group control opens a column after the
// separator gap. Hidden records are skipped; the bounding size.
CSize SmartPlace(std::vector<LayoutRecord>& recs, int nSeparator)
{
    int nRight = 0, nHeight = 0;
    int nColumnLeft = 0, nColumnWidth = 0, nInColumn = 0, y = 0;
    BOOL bFirst = TRUE, bColumnOpen = FALSE;
    auto closeColumn = [&]() {
        if (bColumnOpen)
            nRight = nColumnLeft + nColumnWidth;
        bColumnOpen = FALSE;
        nInColumn = 0;
    };
    for (LayoutRecord& r : recs)
    {
        if (!r.bVisible || r.bHidden)
            continue;
        const int nGap = !bFirst && r.bBeginGroup ? nSeparator : 0;
        r.bWrap = FALSE;
        if (r.pControl->GetStyle() == xtpButtonIconAndCaptionBelow)
        {
            closeColumn();
            nRight += nGap;
            r.rc = CRect(nRight, 0, nRight + r.cx, r.cy);
            nRight += r.cx;
        }
        else
        {
            if (!bColumnOpen || nInColumn == 3 || r.bBeginGroup)
            {
                closeColumn();
                nRight += nGap;
                nColumnLeft = nRight;
                nColumnWidth = 0;
                y = 0;
                bColumnOpen = TRUE;
            }
            r.rc = CRect(nColumnLeft, y, nColumnLeft + r.cx, y + r.cy);
            y += r.cy;
            nColumnWidth = nColumnWidth > r.cx ? nColumnWidth : r.cx;
            ++nInColumn;
        }
        nHeight = nHeight > r.rc.bottom ? nHeight : r.rc.bottom;
        bFirst = FALSE;
    }
    closeColumn();
    return CSize(nRight, nHeight);
}

// The reduction of large buttons on smart-layout bars. Every visible control starts large (style 4)
// when the image manager holds its icon at the large width, else with icon and caption (3); then,
// from the end of the bar, three consecutive large controls of one group, else three consecutive
// controls of one group with a large one among them, become style 3, else three style-3 controls
// stacked in one column become icons only (2), measuring after each step until the set fits. What
// still does not fit with mode 0x80 becomes an icon and is hidden.
CSize ReduceSmartLayout(CDC* pDC, std::vector<LayoutRecord>& recs, int nSeparator, int nAvailable, DWORD dwMode,
                        BOOL bVert)
{
    const int nLarge = LargeIconWidth(recs.empty() ? nullptr : recs[0].pControl->GetParent());
    std::vector<size_t> shown; // indexes of the visible records
    for (size_t i = 0; i < recs.size(); ++i)
    {
        LayoutRecord& r = recs[i];
        if (!r.bVisible)
            continue;
        shown.push_back(i);
        const int nIconId = r.pControl->GetIconId();
        const BOOL bLargeIcon =
            nIconId > 0 && r.pControl->GetImageManager()->IconExists(static_cast<UINT>(nIconId), nLarge);
        r.pControl->SetStyle(bLargeIcon ? xtpButtonIconAndCaptionBelow : xtpButtonIconAndCaption);
    }
    auto measure = [&]() {
        MeasureRecords(pDC, recs, bVert);
        return SmartPlace(recs, nSeparator).cx;
    };
    auto style = [&](size_t k) { return recs[shown[k]].pControl->GetStyle(); };
    // Three consecutive shown controls from k - 2 to k, none but the first beginning a group.
    auto oneGroup = [&](size_t k) { return !recs[shown[k - 1]].bBeginGroup && !recs[shown[k]].bBeginGroup; };
    // FALSE when no style changed (a control whose user style overrides its own).
    auto restyle = [&](size_t k, int nStyle) {
        BOOL bChanged = FALSE;
        for (size_t m = k - 2; m <= k; ++m)
        {
            CXTPControl* pControl = recs[shown[m]].pControl;
            const int nBefore = pControl->GetStyle();
            pControl->SetStyle(nStyle);
            bChanged = bChanged || pControl->GetStyle() != nBefore;
        }
        return bChanged;
    };

    int nWidth = measure();
    while (nWidth > nAvailable && shown.size() >= 3)
    {
        BOOL bReduced = FALSE;
        for (size_t k = shown.size() - 1; k >= 2 && !bReduced; --k)
        {
            if (oneGroup(k) && style(k) == 4 && style(k - 1) == 4 && style(k - 2) == 4)
                bReduced = restyle(k, xtpButtonIconAndCaption);
        }
        for (size_t k = shown.size() - 1; k >= 2 && !bReduced; --k)
        {
            if (oneGroup(k) && (style(k) == 4 || style(k - 1) == 4 || style(k - 2) == 4))
                bReduced = restyle(k, xtpButtonIconAndCaption);
        }
        for (size_t k = shown.size() - 1; k >= 2 && !bReduced; --k)
        {
            const int nLeft = recs[shown[k]].rc.left;
            if (style(k) == 3 && style(k - 1) == 3 && style(k - 2) == 3 && recs[shown[k - 1]].rc.left == nLeft &&
                recs[shown[k - 2]].rc.left == nLeft)
                bReduced = restyle(k, xtpButtonIcon);
        }
        if (!bReduced)
            break;
        nWidth = measure();
    }
    if (nWidth > nAvailable && (dwMode & 0x80))
    {
        for (size_t k = 1; k < shown.size(); ++k)
        {
            LayoutRecord& r = recs[shown[k]];
            if (r.rc.right > nAvailable)
            {
                r.pControl->SetStyle(xtpButtonIcon);
                r.bHidden = TRUE;
            }
        }
        MeasureRecords(pDC, recs, bVert);
    }
    return SmartPlace(recs, nSeparator);
}
} // namespace

CSize CXTPControls::CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorder, int nMinWidth)
{
    CXTPPaintManager* pPaintManager = m_pParent ? m_pParent->GetPaintManager() : CXTPPaintManager::GetGlobal();
    CSize szSeparator = pPaintManager->DrawCommandBarSeparator(pDC, m_pParent, nullptr, FALSE);
    for (int i = GetCount() - 1; i >= 0; --i)
        GetAt(i)->OnCalcDynamicSize(dwMode);

    const int nMarginW = rcBorder.left + rcBorder.right, nMarginH = rcBorder.top + rcBorder.bottom;
    if (GetVisibleCount(FALSE) == 0)
    {
        CSize size(nMarginW + 23, nMarginH + 22);
        if (dwMode & 8)
            size.cy = size.cy > nMinWidth ? size.cy : nMinWidth;
        else
            size.cx = size.cx > nMinWidth ? size.cx : nMinWidth;
        return size;
    }

    const BOOL bVert = (dwMode & 0x10) != 0;
    std::vector<LayoutRecord> recs(static_cast<size_t>(GetCount()));
    for (int i = 0; i < GetCount(); ++i)
    {
        LayoutRecord& r = recs[static_cast<size_t>(i)];
        r.pControl = GetAt(i);
        r.rc = r.pControl->GetRect();
        CSize sz = r.pControl->GetSize(pDC);
        r.cx = bVert ? sz.cy : sz.cx; // vertical layouts run in turned coordinates
        r.cy = bVert ? sz.cx : sz.cy;
        r.bVisible = r.pControl->IsVisible(xtpHideWrap);
        r.bBeginGroup = r.pControl->GetBeginGroup();
        r.nStyle = r.pControl->GetStyle();
    }
    RowLayout layout(recs, bVert ? szSeparator.cy : szSeparator.cx, bVert ? szSeparator.cx : szSeparator.cy, dwMode);

    if ((dwMode & 4) && m_pParent)
        nLength = m_pParent->GetWidthLimit();

    BOOL bStretch = FALSE;
    CSize size;
    const BOOL bSmartLayout = m_pParent && (m_pParent->GetFlags() & xtpFlagSmartLayout);
    if (bSmartLayout)
    {
        // One band of columns: the bar takes the whole length; no centring, packing or stretching.
        const int nAlong = nLength - (bVert ? nMarginH : nMarginW);
        size = ReduceSmartLayout(pDC, recs, bVert ? szSeparator.cy : szSeparator.cx, nAlong, dwMode, bVert);
        size.cx = size.cx > nAlong ? size.cx : nAlong;
        if (nMinWidth > 0 && !bVert && !(dwMode & 8))
            size.cx = size.cx > nMinWidth - nMarginW ? size.cx : nMinWidth - nMarginW;
        if (nMinWidth > 0 && (dwMode & 8))
            size.cy = size.cy > nMinWidth - nMarginH ? size.cy : nMinWidth - nMarginH;
        if (dwMode & 0x40)
        {
            for (LayoutRecord& r : recs)
            {
                CRect rcRow(0, 0, size.cx, size.cy);
                if (bVert)
                {
                    r.rc = CRect(r.rc.top, r.rc.left, r.rc.bottom, r.rc.right);
                    rcRow = CRect(0, 0, size.cy, size.cx);
                }
                r.rc.OffsetRect(rcBorder.left, rcBorder.top);
                rcRow.OffsetRect(rcBorder.left, rcBorder.top);
                const int dwHide = r.pControl->GetHideFlags();
                r.pControl->SetHideFlags(r.bHidden ? (dwHide | xtpHideWrap) : (dwHide & ~xtpHideWrap));
                r.pControl->SetRowRect(rcRow);
                if (!r.bHidden && r.bVisible)
                    r.pControl->SetRect(r.rc);
                r.pControl->SetWrap(FALSE);
            }
        }
        if (bVert)
            size = CSize(size.cy, size.cx);
        return CSize(size.cx + nMarginW, size.cy + nMarginH);
    }
    if (dwMode & 0x100)
    {
        int nRemembered = m_pParent ? m_pParent->GetWidthLimit() : 32767;
        bStretch = layout.WrapAt(nRemembered);
        size = layout.Measure();
        if (size.cy > 3 * size.cx && nRemembered >= 32767)
            bStretch = layout.WrapBalanced();
        else
            bStretch = layout.WrapAt(size.cx);
        // The remembered width is a limit, not a length: a row broken at a group stretches to the
        // width the set was wrapped to, not to the limit (32767 would make a screen-wide bar).
        nLength = layout.Measure().cx + (bVert ? nMarginH : nMarginW);
    }
    else if (dwMode & 8)
    {
        bStretch = layout.WrapAt(nLength - nMarginW);
    }
    else if (bVert)
    {
        bStretch = layout.WrapAt(nLength - nMarginH);
    }
    else if (dwMode & 0x20)
    {
        // The length is a height: the narrowest width whose height fits it.
        int nLow = 0, nHigh = 32767;
        while (nLow < nHigh)
        {
            int nMid = (nLow + nHigh) / 2;
            layout.WrapAt(nMid);
            if (layout.Measure().cy + nMarginH <= nLength)
                nHigh = nMid;
            else
                nLow = nMid + 1;
        }
        layout.WrapAt(nHigh);
        bStretch = layout.WrapAt(layout.Measure().cx);
    }
    else
    {
        // Fitting: the smallest limit that gives as many rows as the length does.
        layout.WrapAt(nLength);
        int nRows = layout.CountRows();
        int nLow = 0, nHigh = nLength > 0 ? nLength : 0;
        while (nLow < nHigh)
        {
            int nMid = (nLow + nHigh) / 2;
            layout.WrapAt(nMid);
            if (layout.CountRows() <= nRows)
                nHigh = nMid;
            else
                nLow = nMid + 1;
        }
        layout.WrapAt(nHigh);
        bStretch = layout.WrapAt(layout.Measure().cx);
    }
    if (bStretch)
        dwMode |= 1;

    std::vector<int> rowThickness;
    size = layout.Measure(&rowThickness);
    if (nMinWidth > 0)
    {
        if (dwMode & 8)
            size.cy = size.cy > nMinWidth - nMarginH ? size.cy : nMinWidth - nMarginH;
        else if (!bVert)
            size.cx = size.cx > nMinWidth - nMarginW ? size.cx : nMinWidth - nMarginW;
    }
    if (dwMode & 1)
    {
        int nAlong = nLength - (bVert ? nMarginH : nMarginW);
        size.cx = size.cx > nAlong ? size.cx : nAlong;
    }

    if (dwMode & 0x40)
    {
        // Centre each control across its row, span the row, pack far-end controls, share the
        // free room among stretched controls.
        size_t nRow = 0;
        int nRowTop = -1;
        std::vector<std::vector<size_t>> rows;
        for (size_t i = 0; i < recs.size(); ++i)
        {
            LayoutRecord& r = recs[i];
            if (!r.bVisible || r.bHidden)
                continue;
            if (rows.empty() || (r.bWrap && r.rc.top != nRowTop))
            {
                if (!rows.empty())
                    ++nRow;
                rows.emplace_back();
                nRowTop = r.rc.top;
            }
            rows.back().push_back(i);
        }
        for (size_t row = 0; row < rows.size(); ++row)
        {
            int nThick = rows.size() == 1 ? size.cy : rowThickness[row];
            std::vector<size_t>& items = rows[row];
            for (size_t k = 0; k < items.size(); ++k)
            {
                LayoutRecord& r = recs[items[k]];
                int dy = (nThick - r.cy) / 2;
                r.rc.OffsetRect(0, dy);
                r.rcRow = CRect(0, r.rc.top - dy, size.cx, r.rc.top - dy + nThick);
            }
            int nRight = size.cx;
            for (size_t k = items.size(); k-- > 0;)
            {
                LayoutRecord& r = recs[items[k]];
                if (!(r.pControl->GetFlags() & xtpFlagRightAlign))
                    break;
                int nLeftLimit = k > 0 ? recs[items[k - 1]].rc.right : 0;
                if (nRight - r.cx < nLeftLimit)
                    break;
                r.rc.OffsetRect(nRight - r.cx - r.rc.left, 0);
                nRight = r.rc.left;
            }
            int nStretchCount = 0;
            for (size_t k = 0; k < items.size(); ++k)
                nStretchCount += (recs[items[k]].pControl->GetFlags() & xtpFlagControlStretched) ? 1 : 0;
            if (nStretchCount > 0 && !items.empty() && size.cx > recs[items.back()].rc.right)
            {
                int nFree = size.cx - recs[items.back()].rc.right;
                int nShift = 0;
                for (size_t k = 0; k < items.size(); ++k)
                {
                    LayoutRecord& r = recs[items[k]];
                    r.rc.OffsetRect(nShift, 0);
                    if (r.pControl->GetFlags() & xtpFlagControlStretched)
                    {
                        int nAdd = nFree / nStretchCount;
                        nFree -= nAdd;
                        --nStretchCount;
                        r.rc.right += nAdd;
                        nShift += nAdd;
                    }
                }
            }
        }
        for (LayoutRecord& r : recs)
        {
            if (bVert)
            {
                r.rc = CRect(r.rc.top, r.rc.left, r.rc.bottom, r.rc.right);
                r.rcRow = CRect(r.rcRow.top, r.rcRow.left, r.rcRow.bottom, r.rcRow.right);
            }
            r.rc.OffsetRect(rcBorder.left, rcBorder.top);
            r.rcRow.OffsetRect(rcBorder.left, rcBorder.top);
            int dwHide = r.pControl->GetHideFlags();
            r.pControl->SetHideFlags(r.bHidden ? (dwHide | xtpHideWrap) : (dwHide & ~xtpHideWrap));
            r.pControl->SetRowRect(r.rcRow);
            if (!r.bHidden)
                r.pControl->SetRect(r.rc);
            r.pControl->SetWrap(r.bWrap);
        }
    }
    if (bVert)
        size = CSize(size.cy, size.cx);
    return CSize(size.cx + nMarginW, size.cy + nMarginH);
}

namespace
{
double g_dPopupWidthFactor = 1.0 / 3.0;
} // namespace

double CXTPControls::GetPopupWidthFactor()
{
    return g_dPopupWidthFactor;
}

void CXTPControls::SetPopupWidthFactor(double dFactor)
{
    g_dPopupWidthFactor = dFactor;
}

CSize CXTPControls::WrapRows(CDC* pDC, int nHeightLimit, const CRect& rcBorder, int nFixedWidth, BOOL bNoWidthCap)
{
    CXTPPaintManager* pPaintManager = m_pParent ? m_pParent->GetPaintManager() : CXTPPaintManager::GetGlobal();
    CFont* pOldFont = pDC ? pDC->SelectObject(pPaintManager->GetCommandBarFont(m_pParent)) : nullptr;
    CSize szSeparator = pPaintManager->DrawCommandBarSeparator(pDC, m_pParent, nullptr, FALSE);

    int nMaxWidth = 32767;
    if (!bNoWidthCap)
    {
        RECT rcWork = GetCommandBarsSystemQuery()->GetWorkArea(m_pParent ? m_pParent->GetSafeHwnd() : nullptr);
        nMaxWidth = static_cast<int>(rcWork.right * g_dPopupWidthFactor);
    }

    struct Column
    {
        std::vector<CXTPControl*> controls;
        int nLeft = 0;
        int nWidth = 0;
    };
    std::vector<Column> columns(1);
    columns[0].nLeft = rcBorder.left;
    std::vector<CSize> sizes(static_cast<size_t>(GetCount()));
    int y = rcBorder.top, nTallest = 0;
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPControl* pControl = GetAt(i);
        if (!pControl->IsVisible(xtpHideWrap))
            continue;
        CSize sz = pControl->GetSize(pDC);
        if (sz.cx > nMaxWidth)
            sz.cx = nMaxWidth;
        sizes[static_cast<size_t>(i)] = sz;
        Column& col = columns.back();
        BOOL bNewColumn = !bFirst && ((pControl->GetFlags() & xtpFlagWrapRow) || y + sz.cy > nHeightLimit - rcBorder.bottom);
        if (bNewColumn && !col.controls.empty())
        {
            Column next;
            next.nLeft = col.nLeft + col.nWidth + (pControl->GetBeginGroup() ? szSeparator.cx : 0);
            columns.push_back(next);
            y = rcBorder.top;
            pControl->SetWrap(TRUE);
        }
        else
        {
            if (!col.controls.empty() && pControl->GetBeginGroup())
                y += szSeparator.cy;
            pControl->SetWrap(FALSE);
        }
        Column& current = columns.back();
        pControl->SetRect(CRect(current.nLeft, y, current.nLeft + sz.cx, y + sz.cy));
        current.controls.push_back(pControl);
        current.nWidth = current.nWidth > sz.cx ? current.nWidth : sz.cx;
        y += sz.cy;
        nTallest = nTallest > y - rcBorder.top ? nTallest : y - rcBorder.top;
        bFirst = FALSE;
    }
    if (nFixedWidth > 0 && nFixedWidth < 30000)
        columns.back().nWidth = nFixedWidth;
    int nRight = rcBorder.left;
    for (Column& col : columns)
    {
        for (CXTPControl* pControl : col.controls)
        {
            CRect rc = pControl->GetRect();
            pControl->SetRect(CRect(col.nLeft, rc.top, col.nLeft + col.nWidth, rc.bottom));
            pControl->SetRowRect(CRect(col.nLeft, rcBorder.top, col.nLeft + col.nWidth, rcBorder.top + nTallest));
        }
        nRight = col.nLeft + col.nWidth;
    }
    if (pDC && pOldFont)
        pDC->SelectObject(pOldFont);
    int nContentWidth = nRight - rcBorder.left;
    int nContentHeight = bFirst ? 22 : nTallest;
    return CSize(rcBorder.left + rcBorder.right + (nContentWidth > 24 ? nContentWidth : 24),
                 rcBorder.top + rcBorder.bottom + nContentHeight);
}
