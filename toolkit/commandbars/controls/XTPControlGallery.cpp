// CXTPControlGallery: state, options, layout, navigation, scrolling, sizes, persistence and drawing.
// Input (keys, mouse, preview) is in XTPControlGalleryInput.cpp, accessibility in
// XTPControlGalleryAccessible.cpp.
#include "toolkit/commandbars/controls/XTPControlGallery.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPControlComboBoxList.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControlGalleryItem.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/commandbars/paint/XTPControlGalleryPaintManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"

#include "framework/GdiObject.h"

IMPLEMENT_SERIAL(CXTPControlGallery, CXTPControlPopup, XTP_CONTROL_CLASS_SCHEMA)

namespace
{
CXTPControl* MakeGallery(int nType, int /*nId*/, BOOL /*bTemporary*/)
{
    return nType == xtpControlGallery ? new CXTPControlGallery() : nullptr;
}

// The gallery joins AddByType and the menu builder with the library.
const CXTPControls::PFNCREATECONTROL s_pfnBeforeGallery =
    CXTPControls::RegisterControlType(xtpControlGallery, &MakeGallery);
} // namespace

CXTPControlGallery::CXTPControlGallery()
{
    m_controlType = xtpControlGallery;
    m_nWidth = 120;
    m_nHeight = 60;
    SetFlags(xtpFlagShowPopupBarTip);
    (void)s_pfnBeforeGallery;
}

CXTPControlGallery::~CXTPControlGallery()
{
    m_arrPositions.RemoveAll();
}

// ---- items and state

CXTPControlGalleryItems* CXTPControlGallery::GetItems() const
{
    return CXTPControlGalleryItems::FromAction(m_pAction);
}

int CXTPControlGallery::GetItemCount() const
{
    CXTPControlGalleryItems* pItems = GetItems();
    return pItems ? pItems->GetItemCount() : 0;
}

CXTPControlGalleryItem* CXTPControlGallery::GetItem(int nIndex) const
{
    CXTPControlGalleryItems* pItems = GetItems();
    return pItems ? pItems->GetItem(nIndex) : nullptr;
}

BOOL CXTPControlGallery::IsItemChecked(CXTPControlGalleryItem* pItem) const
{
    return pItem && m_nCheckedItem != -1 && pItem->GetID() == m_nCheckedItem;
}

void CXTPControlGallery::SetCheckedItem(int nId)
{
    if (m_nCheckedItem == nId)
        return;
    m_nCheckedItem = nId;
    RedrawParent(FALSE);
}

BOOL CXTPControlGallery::IsButtonStyle() const
{
    return GetSizeState() == 4 || m_buttonStyle == xtpButtonIcon;
}

BOOL CXTPControlGallery::IsStripStyle() const
{
    return m_pCommandBar && m_pParent && !m_pParent->IsPopupType();
}

BOOL CXTPControlGallery::IsFocused() const
{
    return !IsButtonStyle() && GetSelected();
}

void CXTPControlGallery::ShowLabels(BOOL bShow)
{
    m_bShowLabels = bShow;
    Reposition();
}

void CXTPControlGallery::ShowScrollBar(BOOL bShow)
{
    m_bShowScrollBar = bShow;
    Reposition();
}

void CXTPControlGallery::ShowBorders(BOOL bShow)
{
    m_bShowBorders = bShow;
    Reposition();
}

void CXTPControlGallery::SetGalleryMargin(CRect rc)
{
    m_rcMargin = rc;
    Reposition();
}

// ---- layout

CRect CXTPControlGallery::GetBorders() const
{
    CRect rcBorders(0, 0, 0, 0);
    if (m_bShowBorders)
        rcBorders.SetRect(1, 1, 1, 1);
    if (m_bShowScrollBar && !m_bScrollBarHidden)
    {
        CXTPControlGalleryPaintManager* pPainter = GetGalleryPaintManager();
        if (IsStripStyle())
            rcBorders.right += pPainter ? pPainter->m_cxPopup : 16;
        else
            rcBorders.right += pPainter ? pPainter->m_cxVScroll : ::GetSystemMetrics(SM_CXVSCROLL);
    }
    if (HasFollowingControl())
        rcBorders.bottom = 2;
    rcBorders.left += m_rcMargin.left;
    rcBorders.top += m_rcMargin.top;
    rcBorders.right += m_rcMargin.right;
    rcBorders.bottom += m_rcMargin.bottom;
    return rcBorders;
}

CRect CXTPControlGallery::GetItemsRect() const
{
    const CRect rcBorders = GetBorders();
    return CRect(m_rcControl.left + rcBorders.left, m_rcControl.top + rcBorders.top,
                 m_rcControl.right - rcBorders.right, m_rcControl.bottom - rcBorders.bottom);
}

CSize CXTPControlGallery::GetDefaultItemSize() const
{
    CXTPControlGalleryItems* pItems = GetItems();
    return pItems ? pItems->GetItemSize() : CSize(0, 0);
}

BOOL CXTPControlGallery::HasFollowingControl() const
{
    if (!m_pParent || !m_pParent->IsPopupType() || m_nResizable)
        return FALSE;
    CXTPControls* pControls = m_pParent->GetControls();
    for (int i = m_nIndex + 1; i < pControls->GetCount(); ++i)
    {
        CXTPControl* pNext = pControls->GetAt(i);
        if (pNext->IsVisible() && !(pNext->GetFlags() & xtpFlagSkipFocus))
            return TRUE;
    }
    return FALSE;
}

void CXTPControlGallery::LayoutItems(const CRect& rcItems)
{
    m_arrPositions.RemoveAll();
    CXTPControlGalleryItems* pItems = GetItems();
    const int nCount = pItems ? pItems->GetItemCount() : 0;
    int x = rcItems.left;
    int y = rcItems.top;
    int nRowHeight = 0;
    BOOL bNextBeginsRow = TRUE;
    for (int i = 0; i < nCount; ++i)
    {
        CXTPControlGalleryItem* pItem = pItems->GetItem(i);
        GALLERYITEM_POSITION pos = {};
        pos.pItem = pItem;
        if (pItem->IsLabel())
        {
            if (m_bShowLabels)
            {
                y += nRowHeight;
                const int nHeight = pItem->GetSize().cy;
                pos.rcItem = CRect(rcItems.left, y, rcItems.right, y + nHeight);
                pos.bBeginRow = TRUE;
                y += nHeight + 1;
                x = rcItems.left;
                nRowHeight = 0;
                bNextBeginsRow = TRUE;
            }
            m_arrPositions.Add(pos);
            continue;
        }
        CSize sz = pItem->GetSize();
        if (sz.cx == 0)
            sz.cx = rcItems.Width();
        if (bNextBeginsRow)
        {
            pos.bBeginRow = TRUE;
            bNextBeginsRow = FALSE;
        }
        else if (x + sz.cx > rcItems.right)
        {
            y += nRowHeight;
            x = rcItems.left;
            nRowHeight = 0;
            pos.bBeginRow = TRUE;
        }
        pos.rcItem = CRect(x, y, x + sz.cx, y + sz.cy);
        if (sz.cy > nRowHeight)
            nRowHeight = sz.cy;
        x += sz.cx;
        m_arrPositions.Add(pos);
        if (m_bAutoScrollBar && m_bScrollBarHidden && y + nRowHeight - rcItems.top > rcItems.Height())
            break; // it overflows: the scroll bar will show
    }
    m_nTotalHeight = y + nRowHeight - rcItems.top;
}

void CXTPControlGallery::Reposition()
{
    if (!m_pParent || IsButtonStyle())
        return;
    if (!m_bAutoScrollBar)
    {
        m_bScrollBarHidden = FALSE;
        LayoutItems(GetItemsRect());
    }
    else
    {
        m_bScrollBarHidden = TRUE;
        LayoutItems(GetItemsRect());
        if (m_nTotalHeight > GetItemsRect().Height())
        {
            m_bScrollBarHidden = FALSE;
            LayoutItems(GetItemsRect());
        }
    }
    ClampScrollPos();
}

void CXTPControlGallery::ClampScrollPos()
{
    const int nMax = m_nTotalHeight - GetItemsRect().Height();
    if (m_nScrollPos > nMax)
        m_nScrollPos = nMax;
    if (m_nScrollPos < 0)
        m_nScrollPos = 0;
}

CRect CXTPControlGallery::GetItemDrawRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_arrPositions.GetSize())
        return CRect(0, 0, 0, 0);
    CRect rc(m_arrPositions[nIndex].rcItem);
    if (rc.IsRectEmpty())
        return CRect(0, 0, 0, 0);
    rc.OffsetRect(0, -m_nScrollPos);
    return rc;
}

BOOL CXTPControlGallery::IsItemAt(int nIndex, BOOL bAllowLabel) const
{
    if (nIndex < 0 || nIndex >= m_arrPositions.GetSize())
        return FALSE;
    CXTPControlGalleryItem* pItem = m_arrPositions[nIndex].pItem;
    if (pItem->IsLabel())
        return bAllowLabel && m_bShowLabels;
    return TRUE;
}

int CXTPControlGallery::HitTestItem(CPoint point, CRect* pRect) const
{
    if (IsButtonStyle() || !GetItemsRect().PtInRect(point))
        return -1;
    for (int i = 0; i < m_arrPositions.GetSize(); ++i)
    {
        CXTPControlGalleryItem* pItem = m_arrPositions[i].pItem;
        if (pItem->IsLabel() || !pItem->GetEnabled())
            continue;
        const CRect rc = GetItemDrawRect(i);
        if (rc.PtInRect(point))
        {
            if (pRect)
                *pRect = rc;
            return i;
        }
    }
    return -1;
}

// ---- navigation

int CXTPControlGallery::GetNext(int nIndex, int nDirection) const
{
    const int nCount = static_cast<int>(m_arrPositions.GetSize());
    if (nCount == 0)
        return -1;
    int nStart = nIndex == -1 && nDirection < 0 ? nCount - 1 : nIndex + nDirection;
    BOOL bWrapped = FALSE;
    int i = nStart;
    for (;;)
    {
        if (i < 0 || i >= nCount)
        {
            if (bWrapped || nIndex == -1)
                return -1;
            bWrapped = TRUE;
            i = i < 0 ? nCount - 1 : 0;
        }
        if (IsItemAt(i, FALSE))
            return i;
        if (i == nIndex)
            return nIndex;
        i += nDirection;
        if (i == nStart)
            return -1;
    }
}

int CXTPControlGallery::GetNextInRow(int nIndex, int nDirection) const
{
    const CSize szItem = GetDefaultItemSize();
    if (szItem.cx == 0 || GetItemsRect().Width() < 2 * szItem.cx || nIndex < 0 ||
        nIndex >= m_arrPositions.GetSize())
        return GetNext(nIndex, nDirection);
    const int nCount = static_cast<int>(m_arrPositions.GetSize());
    // The row of nIndex: from its beginning to the item before the next row.
    int nFirst = nIndex;
    while (nFirst > 0 && !m_arrPositions[nFirst].bBeginRow)
        --nFirst;
    int nLast = nIndex;
    while (nLast + 1 < nCount && !m_arrPositions[nLast + 1].bBeginRow)
        ++nLast;
    if (nDirection < 0)
    {
        if (nIndex == nFirst)
            return nLast;
        for (int i = nIndex - 1; i >= nFirst; --i)
        {
            if (!CRect(m_arrPositions[i].rcItem).IsRectEmpty())
                return i;
        }
        return nLast;
    }
    return nIndex == nLast ? nFirst : nIndex + 1;
}

int CXTPControlGallery::GetNextInColumn(int nIndex, int nDirection) const
{
    if (nIndex < 0 || nIndex >= m_arrPositions.GetSize())
        return -1;
    const CRect rcCurrent(m_arrPositions[nIndex].rcItem);
    int nBest = -1;
    int nBestDistance = 0;
    for (int i = 0; i < m_arrPositions.GetSize(); ++i)
    {
        if (!IsItemAt(i, FALSE) || i == nIndex)
            continue;
        const CRect rc(m_arrPositions[i].rcItem);
        if (rc.left != rcCurrent.left)
            continue;
        const int nDistance = nDirection > 0 ? rc.top - rcCurrent.top : rcCurrent.top - rc.top;
        if (nDistance <= 0)
            continue;
        if (nBest == -1 || nDistance < nBestDistance)
        {
            nBest = i;
            nBestDistance = nDistance;
        }
    }
    return nBest;
}

int CXTPControlGallery::GetNextInPage(int nIndex, int nDirection) const
{
    const int nCount = static_cast<int>(m_arrPositions.GetSize());
    if (nCount == 0)
        return -1;
    if (nIndex < 0 || nIndex >= nCount)
        nIndex = nDirection > 0 ? GetNext(-1, 1) : GetNext(-1, -1);
    if (nIndex < 0)
        return -1;
    const int nPage = GetItemsRect().Height();
    const CRect rcCurrent(m_arrPositions[nIndex].rcItem);
    int nResult = nIndex;
    for (int i = nIndex + nDirection; i >= 0 && i < nCount; i += nDirection)
    {
        if (!IsItemAt(i, FALSE))
            continue;
        const CRect rc(m_arrPositions[i].rcItem);
        const int nDistance = nDirection > 0 ? rc.bottom - rcCurrent.bottom : rcCurrent.top - rc.top;
        if (nDistance >= nPage)
            break;
        nResult = i;
    }
    return nResult;
}

void CXTPControlGallery::EnsureVisible(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arrPositions.GetSize())
        return;
    const CRect rcItems = GetItemsRect();
    const CRect rcItem(m_arrPositions[nIndex].rcItem);
    const int nTop = rcItem.top - m_nScrollPos;
    const int nBottom = rcItem.bottom - m_nScrollPos;
    if (nTop < rcItems.top)
    {
        int nTarget = rcItem.top - rcItems.top;
        if (m_bShowLabels)
        {
            // The group's label above it comes along when both fit on the page.
            for (int i = nIndex - 1; i >= 0; --i)
            {
                CXTPControlGalleryItem* pItem = m_arrPositions[i].pItem;
                if (!pItem->IsLabel())
                    continue;
                const CRect rcLabel(m_arrPositions[i].rcItem);
                if (rcItem.bottom - rcLabel.top <= rcItems.Height())
                    nTarget = rcLabel.top - rcItems.top;
                break;
            }
        }
        SetScrollPos(nTarget);
    }
    else if (nBottom > rcItems.bottom)
    {
        SetScrollPos(rcItem.bottom - rcItems.top - rcItems.Height());
    }
}

// ---- scrolling

void CXTPControlGallery::SetScrollPos(int nScrollPos)
{
    const int nMax = m_nTotalHeight - GetItemsRect().Height();
    if (nScrollPos > nMax)
        nScrollPos = nMax;
    if (nScrollPos < 0)
        nScrollPos = 0;
    if (m_bAnimating)
    {
        m_bAnimating = FALSE;
        if (m_pParent && m_pParent->GetSafeHwnd())
            ::KillTimer(m_pParent->GetSafeHwnd(), XTP_TID_SCROLLBAR_ANIMATION);
    }
    m_nScrollTarget = nScrollPos;
    if (nScrollPos == m_nScrollPos)
        return;
    m_nScrollPos = nScrollPos;
    Reposition();
    RedrawParent(FALSE);
}

void CXTPControlGallery::ScrollToAnimated(int nTarget)
{
    const int nMax = m_nTotalHeight - GetItemsRect().Height();
    if (nTarget > nMax)
        nTarget = nMax;
    if (nTarget < 0)
        nTarget = 0;
    if (nTarget == m_nScrollPos || (m_bAnimating && nTarget == m_nScrollTarget))
        return;
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (!hWndBar)
    {
        SetScrollPos(nTarget);
        return;
    }
    m_bAnimating = TRUE;
    m_nScrollTarget = nTarget;
    // Quick steps while a button repeats fast, slower ones otherwise.
    m_dScrollStep = (nTarget - m_nScrollPos) / (GetRepeatPeriod() <= 200 ? 3.0 : 8.0);
    if (m_dScrollStep > -1 && m_dScrollStep < 1)
        m_dScrollStep = m_dScrollStep < 0 ? -1 : 1;
    GetCommandBarsSystemQuery()->SetTimer(hWndBar, XTP_TID_SCROLLBAR_ANIMATION, 40);
}

void CXTPControlGallery::OnAnimationTick()
{
    if (!m_bAnimating)
        return;
    const int nRemaining = m_nScrollTarget - m_nScrollPos;
    const int nStep = static_cast<int>(m_dScrollStep);
    if ((nRemaining > 0 && nRemaining > nStep) || (nRemaining < 0 && nRemaining < nStep))
    {
        m_nScrollPos += nStep;
    }
    else
    {
        m_nScrollPos = m_nScrollTarget;
        m_bAnimating = FALSE;
        if (m_pParent && m_pParent->GetSafeHwnd())
            ::KillTimer(m_pParent->GetSafeHwnd(), XTP_TID_SCROLLBAR_ANIMATION);
    }
    Reposition();
    RedrawParent(FALSE);
    if (m_pParent && m_pParent->GetSafeHwnd())
        ::UpdateWindow(m_pParent->GetSafeHwnd());
}

void CXTPControlGallery::DoScroll(int nCode, int nPos)
{
    const int nFrom = m_bAnimating ? m_nScrollTarget : m_nScrollPos;
    const int nItemHeight = GetDefaultItemSize().cy;
    const int nMax = m_nTotalHeight - GetItemsRect().Height();
    int nTarget = nFrom;
    switch (nCode)
    {
    case SB_LINEUP:
        nTarget = nFrom - nItemHeight;
        break;
    case SB_LINEDOWN:
        nTarget = nFrom + nItemHeight;
        break;
    case SB_PAGEUP:
        nTarget = nFrom - GetItemsRect().Height();
        break;
    case SB_PAGEDOWN:
        nTarget = nFrom + GetItemsRect().Height();
        break;
    case SB_THUMBTRACK:
        nTarget = nPos;
        break;
    case SB_TOP:
        nTarget = 0;
        break;
    case SB_BOTTOM:
        nTarget = nMax;
        break;
    default:
        return;
    }
    if (m_pCommandBar && (nCode == SB_LINEUP || nCode == SB_LINEDOWN))
        ScrollToAnimated(nTarget);
    else
        SetScrollPos(nTarget);
}

BOOL CXTPControlGallery::OnMouseWheel(short zDelta)
{
    if (IsButtonStyle() || zDelta == 0)
        return FALSE;
    const int nNotches = zDelta / WHEEL_DELTA != 0 ? zDelta / WHEEL_DELTA : (zDelta < 0 ? -1 : 1);
    SetScrollPos((m_bAnimating ? m_nScrollTarget : m_nScrollPos) - nNotches * 3 * GetDefaultItemSize().cy);
    return TRUE;
}

void CXTPControlGallery::GetScrollInfo(SCROLLINFO* pScrollInfo)
{
    int nMin = 0, nMax = 0, nPage = 0, nPos = 0;
    GetScrollInfo(nMin, nMax, nPage, nPos);
    pScrollInfo->nMin = nMin;
    pScrollInfo->nMax = nMax;
    pScrollInfo->nPage = static_cast<UINT>(nPage < 0 ? 0 : nPage);
    pScrollInfo->nPos = nPos;
}

CWnd* CXTPControlGallery::GetParentWindow() const
{
    return m_pParent;
}

CXTPScrollBarPaintManager* CXTPControlGallery::GetScrollBarPaintManager() const
{
    return GetGalleryPaintManager();
}

void CXTPControlGallery::GetScrollInfo(int& nMin, int& nMax, int& nPage, int& nPos) const
{
    nMin = 0;
    nMax = m_nTotalHeight - 1 > 0 ? m_nTotalHeight - 1 : 0;
    nPage = GetItemsRect().Height();
    nPos = m_nScrollPos;
}

BOOL CXTPControlGallery::IsScrollButtonEnabled(int nPart) const
{
    if (!GetEnabled())
        return FALSE;
    if (!m_pCommandBar)
        return TRUE;
    if (nPart == xtpGalleryHitUp)
        return m_nScrollPos > 0;
    if (nPart == xtpGalleryHitDown)
        return m_nScrollPos + GetItemsRect().Height() < m_nTotalHeight;
    return TRUE;
}

CRect CXTPControlGallery::GetScrollBarRect()
{
    if (!m_bShowScrollBar || m_bScrollBarHidden || IsButtonStyle())
        return CRect(0, 0, 0, 0);
    const int nBorder = m_bShowBorders ? 1 : 0;
    const CRect rcItems = GetItemsRect();
    return CRect(rcItems.right + m_rcMargin.right, m_rcControl.top + nBorder, m_rcControl.right - nBorder,
                 m_rcControl.bottom - nBorder);
}

int CXTPControlGallery::HitTestScrollBar(CPoint point)
{
    const CRect rcScroll = GetScrollBarRect();
    if (!rcScroll.PtInRect(point))
        return xtpGalleryHitNone;
    if (!IsStripStyle())
    {
        RecalcScrollBarLayout();
        return CXTPScrollBase::HitTestScrollBar(point);
    }
    CXTPControlGalleryPaintManager* pPainter = GetGalleryPaintManager();
    if (!pPainter)
        return xtpGalleryHitNone;
    static const int kParts[] = {xtpGalleryHitUp, xtpGalleryHitDown, xtpGalleryHitPopup};
    for (int nPart : kParts)
    {
        if (pPainter->GetStripPartRect(rcScroll, nPart).PtInRect(point))
            return nPart;
    }
    return xtpGalleryHitNone;
}

// ---- sizes and customisation

void CXTPControlGallery::SetRect(CRect rcControl)
{
    if (rcControl == m_rcControl)
        return;
    CXTPControlPopup::SetRect(rcControl);
    Reposition();
}

CSize CXTPControlGallery::GetSize(CDC* pDC)
{
    if (IsButtonStyle())
    {
        const int nWidth = m_nWidth, nHeight = m_nHeight;
        m_nWidth = m_nHeight = 0;
        const CSize sz = CXTPControlPopup::GetSize(pDC);
        m_nWidth = nWidth;
        m_nHeight = nHeight;
        return sz;
    }
    int nWidth = m_nWidth;
    if (m_nResizable && GetItemCount() > 0)
    {
        const int nMin = GetCustomizeMinWidth();
        if (nWidth < nMin)
            nWidth = nMin;
    }
    return CSize(nWidth, m_nHeight);
}

BOOL CXTPControlGallery::IsCustomizeResizeAllowed() const
{
    return m_nResizable && !IsButtonStyle() && GetItemCount() > 0;
}

int CXTPControlGallery::GetCustomizeMinWidth() const
{
    if (!m_pParent || GetItemCount() == 0)
        return 0;
    if (CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pParent))
    {
        if (CXTPControlGallery* pOwner = DYNAMIC_DOWNCAST(CXTPControlGallery, pPopup->GetControlPopup()))
            return pOwner->GetWidth();
    }
    int nItemWidth = GetDefaultItemSize().cx;
    if (nItemWidth < 16)
        nItemWidth = 16;
    const CRect rcBorders = GetBorders();
    return nItemWidth + rcBorders.left + rcBorders.right;
}

int CXTPControlGallery::GetCustomizeMinHeight() const
{
    const CRect rcBorders = GetBorders();
    const int nHeight = GetDefaultItemSize().cy + rcBorders.top + rcBorders.bottom;
    return nHeight < 32 ? 32 : nHeight;
}

void CXTPControlGallery::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (IsButtonStyle())
    {
        CXTPControlPopup::AdjustExcludeRect(rc, bVertical);
        return;
    }
    CPoint pt(m_rcControl.left - 1, m_rcControl.top);
    if (m_pParent && m_pParent->GetSafeHwnd())
        ::ClientToScreen(m_pParent->GetSafeHwnd(), &pt);
    rc.SetRect(pt.x, pt.y, pt.x, pt.y);
}

void CXTPControlGallery::OnCalcDynamicSize(DWORD dwMode)
{
    CXTPControlPopup::OnCalcDynamicSize(dwMode);
    if (!DYNAMIC_DOWNCAST(CXTPControlComboBoxPopupBar, m_pParent))
        m_nSelected = -1;
    m_bPressed = FALSE;
    m_bHideSelection = FALSE;
}

BOOL CXTPControlGallery::SetAction(CXTPControlAction* pAction)
{
    if (!CXTPControlPopup::SetAction(pAction))
        return FALSE;
    Reposition();
    return TRUE;
}

void CXTPControlGallery::OnItemsChanged()
{
    m_nSelected = -1;
    m_bHideSelection = FALSE;
    m_bPressed = FALSE;
    m_nScrollPos = 0;
    m_nScrollTarget = 0;
    Reposition();
    EndPreview();
    RedrawParent(FALSE);
}

// ---- persistence and copies

void CXTPControlGallery::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlPopup::DoPropExchange(pPX);
    ExchangeBoolProperty(pPX, "ShowLabels", m_bShowLabels, TRUE);
    ExchangeBoolProperty(pPX, "ShowBorders", m_bShowBorders, TRUE);
    ExchangeBoolProperty(pPX, "ShowScrollBar", m_bShowScrollBar, TRUE);
    RECT rcMargin = m_rcMargin;
    ExchangeRectProperty(pPX, "GalleryMargin", rcMargin, CRect(0, 0, 0, 0));
    m_rcMargin = rcMargin;
    if (pPX->m_nSchema > 23)
        ExchangeIntProperty(pPX, "Resizable", m_nResizable, 0);
}

void CXTPControlGallery::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlPopup::Copy(pControl, bRecursive);
    CXTPControlGallery* pSrc = DYNAMIC_DOWNCAST(CXTPControlGallery, pControl);
    if (!pSrc || pSrc == this)
        return;
    m_bShowLabels = pSrc->m_bShowLabels;
    m_bShowBorders = pSrc->m_bShowBorders;
    m_bShowScrollBar = pSrc->m_bShowScrollBar;
    m_rcMargin = pSrc->m_rcMargin;
    m_nResizable = pSrc->m_nResizable;
}

CXTPControl* CXTPControlGallery::Clone(BOOL bRecursive)
{
    CXTPControlGallery* pClone = new CXTPControlGallery();
    pClone->Copy(this, bRecursive);
    return pClone;
}

// ---- drawing

CXTPControlGalleryPaintManager* CXTPControlGallery::GetGalleryPaintManager() const
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->GetGalleryPaintManager() : nullptr;
}

void CXTPControlGallery::DrawBackground(CDC* pDC)
{
    if (CXTPControlGalleryPaintManager* pPainter = GetGalleryPaintManager())
        pPainter->DrawBackground(pDC, this, m_rcControl);
}

void CXTPControlGallery::DrawItems(CDC* pDC)
{
    CXTPControlGalleryItems* pItems = GetItems();
    if (!pItems)
        return;
    const CRect rcItems = GetItemsRect();
    const CPoint ptOrigin = pDC->GetViewportOrg();
    CRgn rgnClip;
    rgnClip.CreateRectRgn(rcItems.left + ptOrigin.x, rcItems.top + ptOrigin.y, rcItems.right + ptOrigin.x,
                          rcItems.bottom + ptOrigin.y);
    const int nSaved = pDC->SaveDC();
    pDC->SelectClipRgn(&rgnClip, RGN_AND);
    const BOOL bGalleryEnabled = GetEnabled();
    CXTPControlGalleryPaintManager* pPainter = GetGalleryPaintManager();
    for (int i = 0; i < m_arrPositions.GetSize(); ++i)
    {
        CRect rc(m_arrPositions[i].rcItem);
        if (rc.IsRectEmpty())
            continue;
        rc.OffsetRect(0, -m_nScrollPos);
        if (rc.bottom <= rcItems.top)
            continue;
        if (rc.top >= rcItems.bottom)
            break;
        CXTPControlGalleryItem* pItem = m_arrPositions[i].pItem;
        const BOOL bEnabled = bGalleryEnabled && pItem->GetEnabled();
        const BOOL bSelected = i == m_nSelected && !m_bHideSelection;
        const BOOL bPressed = bSelected && m_bPressed;
        const BOOL bChecked = IsItemChecked(pItem);
        if (pItems->PreDrawItem(pDC, this, pItem, rc, bEnabled, bSelected, bPressed, bChecked))
            continue;
        if (pItem->IsLabel() && pPainter)
            pPainter->DrawLabel(pDC, pItem->GetCaption(), rc);
        else
            pItem->Draw(pDC, this, rc, bEnabled, bSelected, bPressed, bChecked);
    }
    pDC->RestoreDC(nSaved);
}

void CXTPControlGallery::Draw(CDC* pDC)
{
    if (IsButtonStyle())
    {
        CXTPControlPopup::Draw(pDC);
        return;
    }
    DrawBackground(pDC);
    DrawItems(pDC);
    const CRect rcScroll = GetScrollBarRect();
    if (rcScroll.IsRectEmpty())
        return;
    CXTPControlGalleryPaintManager* pPainter = GetGalleryPaintManager();
    if (pPainter && IsStripStyle())
        pPainter->DrawScrollButtons(pDC, this, rcScroll);
    else if (pPainter)
    {
        RecalcScrollBarLayout();
        pPainter->DrawScrollBar(pDC, this);
    }
}

void CXTPControlGallery::RedrawItem(int nIndex)
{
    CXTPControlGalleryItems* pItems = GetItems();
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return;
    if (pItems && pItems->IsPartialRedraw())
    {
        CRect rc = GetItemDrawRect(nIndex);
        if (!rc.IsRectEmpty())
            m_pParent->Redraw(&rc, FALSE);
        return;
    }
    RedrawParent(FALSE);
}
