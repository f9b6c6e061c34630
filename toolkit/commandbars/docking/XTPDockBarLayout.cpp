#include "toolkit/commandbars/docking/XTPDockBarLayout.h"

#include <algorithm>
#include <vector>

namespace
{
// Vertical rows are laid out turned, so that the row always runs along x.
CRect Turned(const CRect& rc)
{
    return CRect(rc.top, rc.left, rc.bottom, rc.right);
}

int AlongOf(CSize size, BOOL bHorz)
{
    return bHorz ? size.cx : size.cy;
}

int AcrossOf(CSize size, BOOL bHorz)
{
    return bHorz ? size.cy : size.cx;
}

// Moves a record along the row (turned coordinates).
void MoveTo(XTP_DOCK_INFO& info, int nLeft)
{
    info.rcBar.OffsetRect(nLeft - info.rcBar.left, 0);
}
} // namespace

int CXTPDockBarLayout::FindBar(const CXTPDockBarRowArray& rows, const CXTPToolBar* pBar, int nSkip)
{
    for (int i = 0; i < static_cast<int>(rows.GetSize()); ++i)
    {
        if (i != nSkip && rows[i] == pBar)
            return i;
    }
    return -1;
}

BOOL CXTPDockBarLayout::RemoveBar(CXTPDockBarRowArray& rows, const CXTPToolBar* pBar, int nSkip)
{
    if (!pBar)
        return FALSE;
    int nIndex = FindBar(rows, pBar, nSkip);
    if (nIndex <= 0)
        return FALSE;
    rows.RemoveAt(nIndex);
    // The bar was alone in its row: its two separators now meet.
    if (nIndex < static_cast<int>(rows.GetSize()) && rows[nIndex - 1] == nullptr && rows[nIndex] == nullptr)
        rows.RemoveAt(nIndex);
    return TRUE;
}

int CXTPDockBarLayout::AppendRow(CXTPDockBarRowArray& rows, CXTPToolBar* pBar)
{
    if (rows.GetSize() == 0 || rows[rows.GetSize() - 1] != nullptr)
        rows.Add(nullptr);
    int nIndex = static_cast<int>(rows.Add(pBar));
    rows.Add(nullptr);
    return nIndex;
}

int CXTPDockBarLayout::InsertBar(CXTPDockBarRowArray& rows, CXTPToolBar* pBar, CPoint ptCentre, BOOL bHorz,
                                 BOOL bFirstRowTakes, CXTPDockBarLayoutSite& site)
{
    if (rows.GetSize() == 0)
        rows.Add(nullptr);
    const int nCross = bHorz ? ptCentre.y : ptCentre.x;

    // The leading separator ends an empty row zero whose far edge is the dock bar's edge: a drop
    // before it opens a new first row. Row zero counts as part of the first row.
    int nRow = 0;
    int nFar = 0;
    int nFarBefore = 0;
    int nRowBegin = 0; // index of the separator that begins the row being walked
    for (int i = 0; i < static_cast<int>(rows.GetSize()); ++i)
    {
        CXTPToolBar* pEntry = rows[i];
        if (pEntry)
        {
            if (site.IsBarVisible(pEntry))
            {
                CRect rc = site.GetBarRect(pEntry);
                nFar = std::max(nFar, bHorz ? static_cast<int>(rc.bottom) : static_cast<int>(rc.right));
            }
            continue;
        }
        // A row ends here.
        BOOL bTakes = nRow > 1 || bFirstRowTakes;
        if (nCross < nFar && bTakes)
        {
            // The bar goes to the start of the row; before the first row, or on the edge between
            // two rows, it opens a row of its own there.
            const int nInsert = nRowBegin + 1;
            if (i == 0 || nCross == nFarBefore)
                rows.InsertAt(nInsert, static_cast<CXTPToolBar*>(nullptr));
            rows.InsertAt(nInsert, pBar);
            return nInsert;
        }
        nFarBefore = nFar;
        nRowBegin = i;
        ++nRow;
    }
    return AppendRow(rows, pBar);
}

void CXTPDockBarLayout::SeparateStretchedBars(CXTPDockBarRowArray& rows, CXTPDockBarLayoutSite& site)
{
    for (int i = 0; i < static_cast<int>(rows.GetSize()); ++i)
    {
        CXTPToolBar* pBar = rows[i];
        if (!pBar || !site.IsBarStretched(pBar))
            continue;
        if (i > 0 && rows[i - 1] != nullptr)
        {
            rows.InsertAt(i, static_cast<CXTPToolBar*>(nullptr));
            ++i;
        }
        if (i + 1 < static_cast<int>(rows.GetSize()) && rows[i + 1] != nullptr)
            rows.InsertAt(i + 1, static_cast<CXTPToolBar*>(nullptr));
    }
}

int CXTPDockBarLayout::LayoutRow(const CXTPDockBarRowArray& bars, int nOffset, int nLength, BOOL bHorz,
                                 BOOL bCommit, CXTPDockBarLayoutSite& site, int* pnOverflow,
                                 CXTPDockInfoArray* pInfo)
{
    if (pnOverflow)
        *pnOverflow = -1;
    const int nCount = static_cast<int>(bars.GetSize());
    if (nCount == 0)
        return 0;

    // 1-2: each bar at its preferred place with its size for the whole length, turned when vertical.
    std::vector<XTP_DOCK_INFO> info(nCount);
    std::vector<DWORD> modes(nCount);
    for (int i = 0; i < nCount; ++i)
    {
        CXTPToolBar* pBar = bars[i];
        modes[i] = site.GetBarMode(pBar);
        CSize size = site.CalcBarLayout(pBar, nLength, modes[i], 0);
        CRect rcDocked = site.GetDockedRect(pBar);
        int nLead = bHorz ? rcDocked.left : rcDocked.top;
        CRect rc = bHorz ? CRect(nLead, nOffset, nLead + size.cx, nOffset + size.cy)
                         : CRect(nOffset, nLead, nOffset + size.cx, nLead + size.cy);
        if (!bHorz)
            rc = Turned(rc);
        info[i].pBar = pBar;
        info[i].rcBar = rc;
        info[i].rcMRUPos = rc;
        info[i].nIndex = i;
    }

    // 3: by leading edge (equal edges keep row order).
    std::stable_sort(info.begin(), info.end(), [](const XTP_DOCK_INFO& a, const XTP_DOCK_INFO& b) {
        return a.rcBar.left < b.rcBar.left;
    });

    // 4: push overlapping bars apart, except behind a bar that stayed and comes later in the row.
    std::vector<char> pushed(nCount, 0);
    for (int i = 1; i < nCount; ++i)
    {
        const XTP_DOCK_INFO& prev = info[i - 1];
        if (info[i].rcBar.left >= prev.rcBar.right)
            continue;
        if (!pushed[i - 1] && prev.nIndex > info[i].nIndex)
            continue;
        MoveTo(info[i], prev.rcBar.right);
        pushed[i] = 1;
    }

    // 5: from the last bar, pull back what passes the limit when the bar after it yields.
    std::vector<char> pulled(nCount, 0);
    int nLimit = nLength;
    for (int i = nCount - 1; i >= 0; --i)
    {
        BOOL bAfterYields = i == nCount - 1 || info[i + 1].nIndex < info[i].nIndex || pulled[i + 1];
        if (info[i].rcBar.right - nLimit >= 1 && bAfterYields)
        {
            MoveTo(info[i], nLimit - info[i].rcBar.Width());
            pulled[i] = 1;
        }
        nLimit = info[i].rcBar.left;
    }

    // 6: remove what overlaps still, pushing to the right; no bar starts before the row.
    int nRight = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (info[i].rcBar.left < nRight)
            MoveTo(info[i], nRight);
        nRight = info[i].rcBar.right;
    }

    // 7: the row is too short: shrink from the last bar backwards.
    if (info[nCount - 1].rcBar.right > nLength)
    {
        int nTotalMin = 0;
        for (int i = 0; i < nCount; ++i)
        {
            DWORD dwMode = modes[info[i].nIndex];
            info[i].nMinWidth = (dwMode & modeHideWrap)
                                    ? AlongOf(site.CalcBarLayout(info[i].pBar, 1, dwMode, 0), bHorz)
                                    : info[i].rcBar.Width();
            info[i].nTotalMinWidth = nTotalMin;
            nTotalMin += info[i].nMinWidth;
        }
        nLimit = nLength;
        for (int i = nCount - 1; i >= 0; --i)
        {
            XTP_DOCK_INFO& cur = info[i];
            int nStart = std::min(static_cast<int>(cur.rcMRUPos.left), static_cast<int>(cur.rcBar.left));
            nStart = std::max(nStart, nLimit - cur.rcBar.Width());
            nStart = std::max(nStart, cur.nTotalMinWidth);
            nStart = std::min(nStart, nLimit - cur.nMinWidth);
            if (nCount > 1 && nStart < cur.nTotalMinWidth)
            {
                // The row cannot hold its bars: the last of the row moves to a new row.
                if (pnOverflow)
                    *pnOverflow = nCount - 1;
                return 0;
            }
            cur.rcBar.left = nStart;
            cur.rcBar.right = nLimit;
            nLimit = nStart;
        }
    }

    // 8: turn back; the thickness is the largest size across, each bar measured at its length.
    int nThickness = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (!bHorz)
        {
            info[i].rcBar = Turned(info[i].rcBar);
            info[i].rcMRUPos = Turned(info[i].rcMRUPos);
        }
        int nBarLength = bHorz ? info[i].rcBar.Width() : info[i].rcBar.Height();
        CSize size = site.CalcBarLayout(info[i].pBar, nBarLength, modes[info[i].nIndex], 0);
        nThickness = std::max(nThickness, AcrossOf(size, bHorz));
    }

    // 9: place every bar; a bar sharing its row stretches to its neighbours.
    if (bCommit)
    {
        int nPrevEnd = 0;
        for (int i = 0; i < nCount; ++i)
        {
            XTP_DOCK_INFO& cur = info[i];
            DWORD dwMode = modes[cur.nIndex] | modeCommit;
            int nStart = bHorz ? cur.rcBar.left : cur.rcBar.top;
            int nEnd = bHorz ? cur.rcBar.right : cur.rcBar.bottom;
            if (site.IsBarSharingRow(cur.pBar))
            {
                dwMode |= modeStretch;
                nStart = i == 0 ? 0 : std::min(nStart, nPrevEnd);
                nEnd = i == nCount - 1 ? nLength
                                       : (bHorz ? static_cast<int>(info[i + 1].rcBar.left)
                                                : static_cast<int>(info[i + 1].rcBar.top));
            }
            CSize size = site.CalcBarLayout(cur.pBar, nEnd - nStart, dwMode, nThickness);
            cur.rcBar = bHorz ? CRect(nStart, nOffset, nStart + size.cx, nOffset + size.cy)
                              : CRect(nOffset, nStart, nOffset + size.cx, nStart + size.cy);
            site.PlaceBar(cur.pBar, cur.rcBar, dwMode);
            nPrevEnd = bHorz ? cur.rcBar.right : cur.rcBar.bottom;
        }
    }

    if (pInfo)
    {
        pInfo->RemoveAll();
        for (XTP_DOCK_INFO& record : info)
            pInfo->Add(record);
    }
    return nThickness;
}

int CXTPDockBarLayout::LayoutRowWithOverflow(const CXTPDockBarRowArray& bars, int nOffset, int nLength, BOOL bHorz,
                                             BOOL bCommit, CXTPDockBarLayoutSite& site)
{
    int nTotal = 0;
    CXTPDockBarRowArray row;
    row.Copy(bars);
    while (row.GetSize() > 0)
    {
        CXTPDockBarRowArray overflow;
        int nThickness = 0;
        for (;;)
        {
            int nOverflow = -1;
            nThickness = LayoutRow(row, nOffset, nLength, bHorz, bCommit, site, &nOverflow);
            if (nOverflow < 0)
                break;
            // Bars leave from the end of the row, so inserting in front keeps their order.
            overflow.InsertAt(0, row[nOverflow]);
            row.RemoveAt(nOverflow);
        }
        nTotal += nThickness;
        nOffset += nThickness;
        row.Copy(overflow);
    }
    return nTotal;
}

CSize CXTPDockBarLayout::CalcRowsLayout(const CXTPDockBarRowArray& rows, int nLength, BOOL bStretch, BOOL bHorz,
                                        BOOL bCommit, CXTPDockBarLayoutSite& site)
{
    int nAlong = bStretch ? 32767 : 0;
    int nAcross = 0;
    int nOffset = 0;
    CXTPDockBarRowArray row;
    const int nEntries = static_cast<int>(rows.GetSize());
    for (int i = 0; i <= nEntries; ++i)
    {
        CXTPToolBar* pEntry = i < nEntries ? rows[i] : nullptr;
        if (pEntry)
        {
            if (site.IsBarVisible(pEntry))
                row.Add(pEntry);
            continue;
        }
        if (row.GetSize() > 0)
        {
            nOffset += LayoutRowWithOverflow(row, nOffset, nLength, bHorz, bCommit, site);
            nAcross = std::max(nAcross, nOffset);
            row.RemoveAll();
        }
    }
    return bHorz ? CSize(nAlong, nAcross) : CSize(nAcross, nAlong);
}
