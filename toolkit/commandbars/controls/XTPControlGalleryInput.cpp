// CXTPControlGallery: highlighting, live preview, keys, mouse, execution, tooltips and the items as
// accessible children (child n is item n - 1).
#include "toolkit/commandbars/controls/XTPControlGallery.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlGalleryItem.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include <cstdlib>

namespace
{
// The preview timer: an item highlighted by the mouse this long starts the live preview.
const UINT kPreviewDelay = 200;
} // namespace

// ---- highlighting and preview

void CXTPControlGallery::StartPreview()
{
    if (m_bPreview)
        return;
    m_bPreview = TRUE;
    NotifySite(XTP_GN_PREVIEWSTART);
}

void CXTPControlGallery::EndPreview()
{
    if (!m_bPreview)
        return;
    m_bPreview = FALSE;
    NotifySite(XTP_GN_PREVIEWCANCEL);
}

void CXTPControlGallery::NotifySelectionChanged(BOOL bKeyboard)
{
    if (bKeyboard)
    {
        if (m_nSelected != -1)
        {
            StartPreview();
            NotifySite(XTP_GN_PREVIEWCHANGE);
        }
        else
        {
            EndPreview();
        }
    }
    NotifySite(XTP_GN_SELCHANGE);
}

void CXTPControlGallery::SetSelectedItem(int nSelected)
{
    if (nSelected < -1 || nSelected >= GetPositionCount())
        nSelected = -1;
    const int nOld = m_nSelected;
    m_nSelected = nSelected;
    m_bHideSelection = FALSE;
    m_bPressed = FALSE;
    m_bKeyboardSelected = TRUE;
    RedrawItem(nOld);
    EnsureVisible(nSelected);
    RedrawItem(nSelected);
    if (m_pParent && m_pParent->GetSafeHwnd() && nSelected != -1)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, m_pParent->GetSafeHwnd(), OBJID_CLIENT, nSelected + 1);
    NotifySelectionChanged(TRUE);
}

void CXTPControlGallery::OnMouseHover()
{
    if (IsButtonStyle())
    {
        CXTPControlPopup::OnMouseHover();
        return;
    }
    if (!m_bPreview && IsHighlightShown() && GetSelected())
    {
        StartPreview();
        NotifySite(XTP_GN_PREVIEWCHANGE);
    }
}

void CXTPControlGallery::OnMouseMove(CPoint point)
{
    if (IsButtonStyle())
    {
        CXTPControlPopup::OnMouseMove(point);
        return;
    }
    const BOOL bLeft = point == CPoint(-1, -1);
    const int nHit = HitTestItem(point);
    BOOL bChange = TRUE;
    if (nHit == -1 && m_bKeyboardSelected)
    {
        bChange = FALSE; // the keyboard's highlight stays
    }
    else if (nHit == -1 && bLeft)
    {
        bChange = FALSE;
        if (m_nSelected != -1 && !m_bHideSelection)
        {
            m_bHideSelection = TRUE;
            RedrawItem(m_nSelected);
            if (m_bPreview)
            {
                NotifySite(XTP_GN_PREVIEWCHANGE);
                EndPreview();
            }
            NotifySite(XTP_GN_SELCHANGE);
        }
    }
    if (bChange && (nHit != m_nSelected || m_bHideSelection || m_bKeyboardSelected))
    {
        const int nOld = m_nSelected;
        m_nSelected = nHit;
        m_bHideSelection = FALSE;
        m_bKeyboardSelected = FALSE;
        RedrawItem(nOld);
        RedrawItem(nHit);
        if (m_bPreview)
        {
            if (nHit != -1)
                NotifySite(XTP_GN_PREVIEWCHANGE);
            else
                EndPreview();
        }
        else if (nHit != -1 && m_pParent && m_pParent->GetSafeHwnd())
        {
            GetCommandBarsSystemQuery()->SetTimer(m_pParent->GetSafeHwnd(), XTP_TID_HOVER, kPreviewDelay);
        }
        NotifySite(XTP_GN_SELCHANGE);
    }

    // A pressed item dragged far enough starts a drag.
    if (m_bPressed && m_ptPressed != CPoint(0, 0) && m_nSelected != -1 && !bLeft)
    {
        if (std::abs(point.x - m_ptPressed.x) > 4 || std::abs(point.y - m_ptPressed.y) >= 5)
        {
            m_ptPressed = CPoint(0, 0);
            NotifySite(XTP_GN_STARTDRAG);
        }
    }

    const int nHot = bLeft ? 0 : HitTestScrollBar(point);
    if (nHot != GetHotScrollPart())
    {
        SetHotScrollPart(nHot);
        RedrawParent(FALSE);
    }
}

BOOL CXTPControlGallery::OnSetSelected(int bSelected)
{
    if (!bSelected)
    {
        m_bPressed = FALSE;
        SetHotScrollPart(0);
        EndPreview();
    }
    return CXTPControlPopup::OnSetSelected(bSelected);
}

BOOL CXTPControlGallery::SetPopup(BOOL bPopup)
{
    EndPreview();
    return CXTPControlPopup::SetPopup(bPopup);
}

// ---- clicks and execution

void CXTPControlGallery::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (IsButtonStyle())
    {
        CXTPControlPopup::OnClick(bKeyboard, pt);
        return;
    }
    if (IsCustomizeMode())
    {
        OnCustomizeMouseDown(pt);
        return;
    }
    if (!GetEnabled() || bKeyboard || !m_pParent)
        return;
    if (m_pParent->GetPopped() != -1 && m_pParent->GetPopped() != m_nIndex)
        m_pParent->SetPopupControl(-1);
    m_pParent->SetSelected(m_nIndex);
    OnMouseMove(pt);
    const int nPart = HitTestScrollBar(pt);
    if (nPart == xtpGalleryHitPopup)
    {
        m_pParent->SetPopupControl(m_nIndex, FALSE);
    }
    else if (nPart != xtpGalleryHitNone && IsStripStyle())
    {
        if (IsScrollButtonEnabled(nPart))
            DoScroll(nPart == xtpGalleryHitUp ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    else if (nPart != xtpGalleryHitNone)
    {
        // The scroll bar's own loop: line and page repeat, thumb drag.
        TrackScrollBar(m_pParent->GetSafeHwnd(), pt, ::GetKeyState(VK_SHIFT) < 0);
    }
    else if (nPart == xtpGalleryHitNone && m_nSelected != -1 && !m_bHideSelection && !m_bKeyboardSelected)
    {
        m_bPressed = TRUE;
        m_ptPressed = pt;
        RedrawItem(m_nSelected);
    }
}

void CXTPControlGallery::OnLButtonUp(CPoint point)
{
    if (IsButtonStyle())
    {
        CXTPControlPopup::OnLButtonUp(point);
        return;
    }
    const BOOL bPopupHighlight = m_pParent && m_pParent->GetPosition() == xtpBarPopup && IsHighlightShown();
    if (!m_bPressed && !bPopupHighlight)
        return;
    m_bPressed = FALSE;
    m_ptPressed = CPoint(0, 0);
    RedrawItem(m_nSelected);
    OnExecute();
}

void CXTPControlGallery::OnExecute()
{
    if (m_bPreview)
    {
        m_bPreview = FALSE;
        NotifySite(XTP_GN_PREVIEWAPPLY);
    }
    CXTPControlGalleryItem* pItem = IsHighlightShown() ? GetItem(m_nSelected) : nullptr;
    if (pItem && pItem->OnExecute(this))
        return;
    CXTPControlPopup::OnExecute();
}

// ---- keys

BOOL CXTPControlGallery::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (!IsFocused())
        return CXTPControlPopup::OnHookKeyDown(nChar, lParam);
    if (m_nSelected == -1 && IsStripStyle())
    {
        if (nChar == VK_RETURN || nChar == VK_SPACE)
        {
            m_pParent->SetPopupControl(m_nIndex, TRUE);
            return TRUE;
        }
        return FALSE;
    }
    const int nCurrent = m_nSelected;
    int nNext = -1;
    switch (nChar)
    {
    case VK_TAB:
    {
        const BOOL bBack = ::GetKeyState(VK_SHIFT) < 0;
        nNext = GetNext(nCurrent, bBack ? -1 : 1);
        // Past the end the bar moves the focus on.
        if (nNext == -1 || (nCurrent != -1 && (bBack ? nNext >= nCurrent : nNext <= nCurrent)))
            return FALSE;
        SetSelectedItem(nNext);
        return TRUE;
    }
    case VK_RETURN:
    case VK_SPACE:
        if (IsHighlightShown())
        {
            OnExecute();
            return TRUE;
        }
        return FALSE;
    case VK_PRIOR:
    case VK_NEXT:
        nNext = GetNextInPage(nCurrent, nChar == VK_NEXT ? 1 : -1);
        break;
    case VK_HOME:
        nNext = GetNext(-1, 1);
        break;
    case VK_END:
        nNext = GetNext(-1, -1);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        nNext = GetNextInRow(nCurrent, nChar == VK_RIGHT ? 1 : -1);
        break;
    case VK_UP:
    case VK_DOWN:
    {
        const int nDirection = nChar == VK_DOWN ? 1 : -1;
        nNext = GetNextInColumn(nCurrent, nDirection);
        if (nNext == -1)
        {
            // Nothing in this column that way: when the bar's next control is the gallery itself,
            // wrap around; else the bar moves on.
            const int nControl = m_pParent ? m_pParent->GetControls()->FindNextIndex(m_nIndex, nDirection) : -1;
            if (nControl != m_nIndex)
                return FALSE;
            nNext = GetNext(-1, nDirection);
        }
        break;
    }
    default:
        return FALSE;
    }
    if (nNext != -1)
        SetSelectedItem(nNext);
    return TRUE;
}

// ---- tooltips

INT_PTR CXTPControlGallery::OnToolHitTest(CPoint point, TOOLINFOA* pTI)
{
    if (IsButtonStyle() || GetItemCount() == 0)
        return -1;
    CRect rcItem;
    const int nHit = HitTestItem(point, &rcItem);
    if (nHit == -1)
        return 0;
    CXTPControlGalleryItem* pItem = GetItem(nHit);
    const INT_PTR nId = pItem->GetToolTipID();
    if (pTI)
    {
        const CString strTip = pItem->GetToolTip();
        CXTPToolTipContext::FillToolInfoEx(pTI, m_pParent ? m_pParent->GetSafeHwnd() : nullptr, rcItem, nId, strTip,
                                           strTip, pItem->GetDescription(), nullptr);
    }
    return nId;
}
