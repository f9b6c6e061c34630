// CXTPCommandBar: painting (through the animation object and the paint manager), the drop
// marker and the customisation drop slots.
#include "toolkit/commandbars/bars/XTPCommandBar.h"

#include "framework/DC.h"
#include "toolkit/commandbars/bars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/drawing/XTPScopedDC.h"

#include <climits>
#include <cstdlib>
#include <oleidl.h>

BOOL CXTPCommandBar::OnEraseBkgnd(CDC*)
{
    return TRUE; // everything is painted in WM_PAINT
}

void CXTPCommandBar::OnPaint()
{
    CPaintDC dc(this);
    m_pAnimation->OnPaint(&dc, CRect(dc.m_ps.rcPaint));
}

LRESULT CXTPCommandBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    HDC hDC = reinterpret_cast<HDC>(wParam);
    if (!hDC)
        return 0;
    // The sender may hold the DC in an object of its own (the animation's off-screen picture
    // does): use that object rather than attaching a second one.
    CDC* pDC = CDC::FromHandle(hDC);
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    DrawCommandBar(pDC, rcClient);
    return 1;
}

void CXTPCommandBar::DrawBackground(CDC* pDC)
{
    GetPaintManager()->FillCommandBar(pDC, this);
}

void CXTPCommandBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    if (!pDC || !pDC->GetSafeHdc())
        return;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    DrawBackground(pDC);
    if (HasGripper() || m_barPosition == xtpBarFloating)
        pPaintManager->DrawCommandBarGripper(pDC, this, TRUE);
    pDC->SetBkMode(TRANSPARENT);
    CXTPFontDC font(pDC, pPaintManager->GetCommandBarFont(this));

    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); ++i)
    {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible() || pControl->GetParent() != this)
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPaintManager->DrawCommandBarSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        CRect rcControl = pControl->GetRect();
        CRect rcMeet;
        if (rcMeet.IntersectRect(&rcClipBox, &rcControl))
            pControl->Draw(pDC);
    }
    if (IsCustomizeMode() && !m_rcMarker.IsRectEmpty())
        DrawDropMarker(pDC);
}

void CXTPCommandBar::DrawDropMarker(CDC* pDC)
{
    if (!pDC || m_rcMarker.IsRectEmpty())
        return;
    const CRect& rc = m_rcMarker;
    HBRUSH hBrush = ::CreateSolidBrush(GetColorManager()->GetColor(COLOR_BTNFACE));
    HDC hDC = pDC->GetSafeHdc();
    HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
    // An I-beam: a stem of two pixels and a bar of the band's width at each end.
    if (m_bVerticalMarker)
    {
        int x = rc.left + (rc.Width() - 2) / 2;
        ::PatBlt(hDC, x, rc.top, 2, rc.Height(), PATINVERT);
        ::PatBlt(hDC, rc.left, rc.top, rc.Width(), 2, PATINVERT);
        ::PatBlt(hDC, rc.left, rc.bottom - 2, rc.Width(), 2, PATINVERT);
    }
    else
    {
        int y = rc.top + (rc.Height() - 2) / 2;
        ::PatBlt(hDC, rc.left, y, rc.Width(), 2, PATINVERT);
        ::PatBlt(hDC, rc.left, rc.top, 2, rc.Height(), PATINVERT);
        ::PatBlt(hDC, rc.right - 2, rc.top, 2, rc.Height(), PATINVERT);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBrush);
}

void CXTPCommandBar::SetDropMarker(const CRect& rcMarker, BOOL bVertical)
{
    m_rcMarker = rcMarker;
    m_bVerticalMarker = bVertical;
}

// ---- drop position

int CXTPCommandBar::FindDropIndex(CXTPControl* pDragged, CPoint point, CRect& rcMarker, int& nDropIndex,
                                  BOOL& bDropAfter)
{
    rcMarker.SetRectEmpty();
    nDropIndex = -1;
    bDropAfter = FALSE;
    const BOOL bVertBar = m_barPosition == xtpBarLeft || m_barPosition == xtpBarRight || IsPopupType();
    m_bVerticalMarker = !bVertBar; // a horizontal bar marks between controls with a standing I-beam

    int nBest = -1;
    int nBestDistance = INT_MAX;
    int nRowBottom = INT_MIN;
    for (int i = 0; i < GetControlCount(); ++i)
    {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible() || !pControl->IsCustomizeMovable())
            continue;
        CRect rc = pControl->GetRect();
        int nDistance;
        if (bVertBar)
        {
            nDistance = std::abs(point.y - rc.CenterPoint().y);
        }
        else
        {
            // A control that begins a new row ends the search when the point lies above that row;
            // otherwise the earlier rows are behind the point and the search starts afresh.
            BOOL bNewRow = nRowBottom != INT_MIN && (rc.top >= nRowBottom || pControl->GetWrap());
            if (bNewRow)
            {
                if (point.y < rc.top)
                    break;
                nBest = -1;
                nBestDistance = INT_MAX;
                nRowBottom = INT_MIN;
            }
            if (rc.bottom > nRowBottom)
                nRowBottom = rc.bottom;
            nDistance = std::abs(point.x - rc.CenterPoint().x);
        }
        if (nDistance < nBestDistance)
        {
            nBestDistance = nDistance;
            nBest = i;
        }
    }

    if (nBest == -1)
    {
        // An empty bar: a band at the left edge of the client area.
        if (m_hWnd && !IsRibbonBar())
        {
            CRect rcClient;
            ::GetClientRect(m_hWnd, &rcClient);
            rcMarker.SetRect(rcClient.left + 2, rcClient.top + 2, rcClient.left + 8, rcClient.bottom - 2);
        }
        m_bVerticalMarker = TRUE;
        return -1;
    }

    CXTPControl* pControl = GetControl(nBest);
    CRect rc = pControl->GetRect();
    nDropIndex = nBest;
    // After the control when the point lies past its centre; the band then stays inside the
    // control when it is the last one or the next begins a group, else just past it.
    int nNext = nBest + 1;
    while (nNext < GetControlCount() && !GetControl(nNext)->IsVisible())
        ++nNext;
    CXTPControl* pNext = GetControl(nNext);
    BOOL bInside = !pNext || pNext->GetBeginGroup();
    // In a horizontal bar a control that ends its row is the last of that row.
    if (!bVertBar && pNext && (pNext->GetWrap() || pNext->GetRect().top >= rc.bottom))
        bInside = TRUE;
    if (bVertBar)
    {
        bDropAfter = point.y > rc.CenterPoint().y;
        if (!bDropAfter)
            rcMarker.SetRect(rc.left, rc.top, rc.right, rc.top + 6);
        else if (bInside)
            rcMarker.SetRect(rc.left, rc.bottom - 6, rc.right, rc.bottom);
        else
            rcMarker.SetRect(rc.left, rc.bottom, rc.right, rc.bottom + 6);
    }
    else
    {
        bDropAfter = point.x > rc.CenterPoint().x;
        if (!bDropAfter)
            rcMarker.SetRect(rc.left, rc.top, rc.left + 6, rc.bottom);
        else if (bInside)
            rcMarker.SetRect(rc.right - 6, rc.top, rc.right, rc.bottom);
        else
            rcMarker.SetRect(rc.right, rc.top, rc.right + 6, rc.bottom);
    }
    if (pDragged && pControl == pDragged)
        rcMarker.SetRectEmpty(); // its own place
    return nDropIndex;
}

// ---- customisation drops

void CXTPCommandBar::OnCustomizeDragEnter(CXTPControl* pDataObject, CPoint point, DWORD& dropEffect)
{
    m_rcMarker.SetRectEmpty();
    OnCustomizeDragOver(pDataObject, point, dropEffect);
}

void CXTPCommandBar::OnCustomizeDragOver(CXTPControl* pDataObject, CPoint point, DWORD& dropEffect)
{
    if (!GetCommandBars() || !IsVisible() || !IsCustomizable())
    {
        dropEffect = DROPEFFECT_NONE;
        return;
    }
    CRect rcMarker;
    int nIndex;
    BOOL bAfter;
    FindDropIndex(pDataObject, point, rcMarker, nIndex, bAfter);

    // The control under the point may take the drag (a popup opening, a resize); else the drag
    // data decides: a copy with Ctrl held, a move otherwise.
    dropEffect = ::GetKeyState(VK_CONTROL) < 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    CXTPControl* pUnder = HitTestControl(point);
    int nEffect = static_cast<int>(dropEffect);
    if (pUnder && pUnder->IsCustomizeDragOverAvail(this, point, nEffect))
        dropEffect = static_cast<DWORD>(nEffect);
    if (!pDataObject)
        dropEffect = DROPEFFECT_NONE;

    if (rcMarker != m_rcMarker)
    {
        m_rcMarker = rcMarker;
        Redraw();
    }
}

void CXTPCommandBar::OnCustomizeDragLeave()
{
    if (!m_rcMarker.IsRectEmpty())
    {
        m_rcMarker.SetRectEmpty();
        Redraw();
    }
}

void CXTPCommandBar::OnCustomizeDrop(CXTPControl* pDataObject, DWORD& dropEffect, CPoint ptDrop, CPoint ptDrag)
{
    CRect rcMarker;
    int nIndex;
    BOOL bAfter;
    FindDropIndex(pDataObject, ptDrop, rcMarker, nIndex, bAfter);
    CXTPControl* pNearest = GetControl(nIndex);

    if (pDataObject && pNearest != pDataObject)
    {
        SetPopupControl(-1);
        SetSelected(-1);
        int nInsert = nIndex == -1 ? GetControlCount() : (bAfter ? nIndex + 1 : nIndex);
        CXTPControl* pDisplaced = GetControl(nInsert);
        CXTPControl* pClone = m_pControls->AddClone(pDataObject, nInsert, TRUE);
        if (pClone)
        {
            pClone->SetBeginGroup(FALSE);
            if (pDisplaced && pDisplaced->GetBeginGroup())
            {
                pClone->SetBeginGroup(TRUE);
                pDisplaced->SetBeginGroup(FALSE);
            }
        }
    }
    else if (pDataObject && (std::abs(ptDrop.x - ptDrag.x) > 4 || std::abs(ptDrop.y - ptDrag.y) > 4))
    {
        // Dropped on its own place after a real move: only the group start toggles.
        pDataObject->SetBeginGroup(!pDataObject->GetBeginGroup());
        dropEffect = 5;
    }
    OnRecalcLayout();
    m_rcMarker.SetRectEmpty();
    Redraw();
}
