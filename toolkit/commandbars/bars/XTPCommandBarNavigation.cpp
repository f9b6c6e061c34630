// Keyboard navigation of a tracking command bar: the bar as receiver of the keyboard manager's
// hook, the key handling (navigation codes, access keys, keyboard tips) and the navigation codes
// themselves.
#include "toolkit/commandbars/bars/XTPCommandBar.h"

#include "framework/FrameWnd.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <algorithm>
#include <vector>

namespace
{
BOOL IsKeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

// Popup, button popup and split-button popup open a popup bar instead of executing.
BOOL IsPopupKind(const CXTPControl* pControl)
{
    const int nType = pControl->GetType();
    return nType == xtpControlPopup || nType == xtpControlButtonPopup || nType == xtpControlSplitButtonPopup;
}

// The focus lies in a child window of the bar (a custom control's window, an edit field).
BOOL IsFocusInChild(HWND hWndBar)
{
    HWND hWndFocus = ::GetFocus();
    return hWndBar && hWndFocus && ::IsChild(hWndBar, hWndFocus);
}

// Holds a reference on a bar for a scope: what the bar calls out to (the site, a control, the end
// of tracking) may release it meanwhile.
class CBarReference
{
public:
    explicit CBarReference(CXTPCommandBar* pBar) : m_pBar(pBar) { m_pBar->InternalAddRef(); }
    ~CBarReference() { m_pBar->InternalRelease(); }
    CBarReference(const CBarReference&) = delete;
    CBarReference& operator=(const CBarReference&) = delete;

private:
    CXTPCommandBar* m_pBar;
};

// Shift and Ctrl never beep, whatever the bar did with them.
void BeepForKey(UINT nChar)
{
    if (nChar != VK_SHIFT && nChar != VK_CONTROL)
        GetCommandBarsSystemQuery()->MessageBeep(0);
}

// The row a control lies in: the top of its row rectangle, or of its own rectangle without a row.
int RowOf(const CXTPControl* pControl)
{
    const CRect rcRow = pControl->GetRowRect();
    return rcRow.Height() > 0 ? rcRow.top : pControl->GetRect().top;
}

BOOL IsNavigable(const CXTPControl* pControl)
{
    return pControl->IsVisible(xtpHideScroll | xtpHideExpand) && !(pControl->GetFlags() & xtpFlagSkipFocus);
}
} // namespace

int CXTPCommandBar::OnHookMessage(HWND /*hWnd*/, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& /*lResult*/)
{
    if (!m_bTracking)
        return 0;
    if (nMessage == WM_KEYDOWN)
        return OnHookKeyDown(static_cast<UINT>(wParam), lParam);
    if (nMessage == WM_MOUSEWHEEL)
    {
        // The hot control may use it; if it does not, a child window with the focus gets it, else
        // the tracking bar eats it.
        CXTPControl* pHot = GetControls()->GetAt(m_nSelected);
        if (pHot && pHot->OnMouseWheel(static_cast<short>(HIWORD(wParam))))
            return 1;
        return IsFocusInChild(GetSafeHwnd()) ? 2 : 1;
    }
    return 0;
}

BOOL CXTPCommandBar::IsHorizontalNavigation() const
{
    return XTPIsHorizontalBarPosition(m_barPosition, IsPopupToolBar());
}

BOOL CXTPCommandBar::IsLayoutRightToLeft() const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd && (::GetWindowLongPtrA(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

int CXTPCommandBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    // 1. Customisation and the frame's help mode keep the keys; a kept selection eats them.
    if (IsCustomizeMode())
        return 2;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetSite());
    if (pFrame && pFrame->m_bHelpMode)
        return 2;
    if (m_nKeepSelection > 0)
        return 1;

    // 2. The site hears of the key first. It may destroy the bar meanwhile: the bar holds a
    // reference until the key is done, and a bar that lost its window eats the key.
    CBarReference keep(this);
    CWnd* pSite = GetSite();
    if (pSite && pSite->GetSafeHwnd())
    {
        const HWND hWndBar = GetSafeHwnd();
        WPARAM nKey = nChar;
        ::SendMessageA(pSite->GetSafeHwnd(), XTP_WM_TRACKINGKEY, reinterpret_cast<WPARAM>(&nKey),
                       reinterpret_cast<LPARAM>(this));
        if (hWndBar && !GetSafeHwnd())
            return 1;
    }

    // 3. A hot control that takes keys gets the key first.
    CXTPControl* pHot = GetControls()->GetAt(m_nSelected);
    if (pHot)
    {
        const int nAnswer = pHot->OnHookKeyDown(nChar, lParam);
        if (nAnswer == 1 || nAnswer == 2)
            return nAnswer;
    }

    const BOOL bShift = IsKeyDown(VK_SHIFT);
    const BOOL bCtrl = IsKeyDown(VK_CONTROL);

    // 4. Tab moves along the bar (a custom control's own window keeps it); Ctrl+Tab takes the
    // keyboard to the next visible toolbar (Shift: the one before).
    if (nChar == VK_TAB)
    {
        if (pHot && pHot->GetType() == xtpControlCustom && IsFocusInChild(GetSafeHwnd()))
            return 2;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (bCtrl && pCommandBars && IsKindOf(RUNTIME_CLASS(CXTPToolBar)))
        {
            pCommandBars->ActivateBarByKeyboard(this, bShift ? -1 : 1);
            return 1;
        }
        ProcessSpecialKey(bShift ? xtpKeyPrev : xtpKeyNext);
        return 1;
    }

    // 5. Enter and Esc; Space, when the bar refuses it, is looked at as a character below.
    if (nChar == VK_RETURN)
    {
        ProcessSpecialKey(xtpKeyReturn);
        return 1;
    }
    if (nChar == VK_ESCAPE)
    {
        ProcessSpecialKey(xtpKeyEscape);
        return 1;
    }
    if (nChar == VK_SPACE && ProcessSpecialKey(xtpKeySpace))
        return 1;

    // 6. The arrows, Home and End.
    if (IsFocusInChild(GetSafeHwnd()))
        return 2;
    if (nChar != VK_SPACE)
    {
        const int nCode = XTPKeyToSpecialCode(nChar, IsHorizontalNavigation(), IsLayoutRightToLeft(), bShift);
        if (nCode != xtpKeyNone)
        {
            ProcessSpecialKey(nCode);
            return 1;
        }
    }

    // 7. Characters: keyboard tips, then access keys.
    if (::MapVirtualKeyA(nChar, 2 /* MAPVK_VK_TO_CHAR */) == 0)
        return 1;
    if (!bCtrl && GetKeyboardTipsLevel() > 0)
    {
        FilterKeyboardTips(nChar);
        return 1;
    }
    if (!bCtrl)
    {
        BOOL bUnique = FALSE;
        const int nIndex = FindAccessKeyControl(nChar, bUnique);
        if (nIndex >= 0)
        {
            SetSelected(nIndex, TRUE);
            if (bUnique)
            {
                CXTPControl* pControl = GetControls()->GetAt(nIndex);
                if (pControl && IsPopupKind(pControl))
                    SetPopupControl(nIndex, TRUE);
                else if (pControl)
                    pControl->OnExecute();
            }
            return 1;
        }
    }
    BeepForKey(nChar);
    return 1;
}

int CXTPCommandBar::FindAccessKeyControl(UINT nChar, BOOL& bUnique) const
{
    const int nCount = GetControls()->GetCount();
    std::vector<XTP_MNEMONIC_CANDIDATE> candidates(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
    {
        const CXTPControl* pControl = GetControls()->GetAt(i);
        XTP_MNEMONIC_CANDIDATE& candidate = candidates[static_cast<size_t>(i)];
        candidate.bVisible = pControl->IsVisible();
        candidate.bEnabled = pControl->GetEnabled();
        candidate.strCaption = pControl->GetCaption();
    }
    return XTPFindMnemonicIndex(candidates.data(), nCount, m_nSelected, nChar, bUnique);
}

int CXTPCommandBar::FindNeighbourRowControl(BOOL bDown) const
{
    CXTPControls* pControls = GetControls();
    const CXTPControl* pHot = pControls->GetAt(m_nSelected);
    if (!pHot)
        return pControls->FindNextIndex(-1, bDown ? 1 : -1);

    const int nStep = bDown ? 1 : -1;
    const int nHotRow = RowOf(pHot);
    const CRect rcHot = pHot->GetRect();
    int nTargetRow = 0;
    BOOL bFound = FALSE;
    int nBest = -1;
    int nBestOverlap = 0;
    for (int i = m_nSelected + nStep; i >= 0 && i < pControls->GetCount(); i += nStep)
    {
        const CXTPControl* pControl = pControls->GetAt(i);
        if (!IsNavigable(pControl))
            continue;
        const int nRow = RowOf(pControl);
        if (!bFound)
        {
            if (nRow == nHotRow)
                continue;
            nTargetRow = nRow;
            bFound = TRUE;
        }
        else if (nRow != nTargetRow)
            break; // past the neighbouring row
        const CRect rc = pControl->GetRect();
        const int nOverlap = std::min(rc.right, rcHot.right) - std::max(rc.left, rcHot.left);
        if (nBest < 0 || nOverlap > nBestOverlap)
        {
            nBest = i;
            nBestOverlap = nOverlap;
        }
    }
    return nBest;
}

BOOL CXTPCommandBar::ProcessSpecialKey(int nKey)
{
    CXTPControls* pControls = GetControls();

    if (nKey == xtpKeySpace)
    {
        // Only the menu bar: Space opens the window's system menu.
        if (m_barType != xtpBarTypeMenuBar)
            return FALSE;
        CWnd* pSite = GetSite();
        const HWND hWndSite = pSite ? pSite->GetSafeHwnd() : nullptr;
        XTPMouseManager()->SendTrackLostAll();
        if (hWndSite)
            ::PostMessageA(hWndSite, WM_SYSCOMMAND, SC_KEYMENU, 32);
        return TRUE;
    }

    if (nKey == xtpKeyLeft)
        nKey = xtpKeyPrev;
    else if (nKey == xtpKeyRight)
        nKey = xtpKeyNext;
    if ((nKey == xtpKeyNext || nKey == xtpKeyPrev) && GetCommandBars() && GetCommandBars()->IsKeyboardTipsShown())
        GetCommandBars()->HideKeyboardTips();

    CXTPControl* pHot = pControls->GetAt(m_nSelected);
    const BOOL bPopupToolBar = IsPopupToolBar();
    if (bPopupToolBar && pHot && m_nPopuped >= 0 && m_nPopuped == m_nSelected)
    {
        // The hot control's popup is open: it owns the next step; back closes it.
        if (nKey == xtpKeyNext)
            return FALSE;
        if (nKey == xtpKeyPrev)
            nKey = xtpKeyBack;
    }
    if (nKey == xtpKeyBack && m_nPopuped < 0 && pHot && IsPopupKind(pHot) && pHot->GetEnabled() &&
        (bPopupToolBar || !GetParentCommandBar()))
        nKey = xtpKeyPopup;
    if ((nKey == xtpKeyBack || nKey == xtpKeyPopup) && (bPopupToolBar || m_barPosition == xtpBarFloating))
    {
        // Up and down between the rows of a wrapped bar; a single row leaves the key to its popup.
        const int nIndex = FindNeighbourRowControl(nKey == xtpKeyPopup);
        if (nIndex >= 0 && nIndex != m_nSelected)
        {
            SetSelected(nIndex, TRUE);
            return TRUE;
        }
    }

    switch (nKey)
    {
    case xtpKeyNext:
    case xtpKeyPrev:
    {
        const int nIndex = pControls->FindNextIndex(m_nSelected, nKey == xtpKeyNext ? 1 : -1);
        if (nIndex >= 0)
            SetSelected(nIndex, TRUE);
        return TRUE;
    }
    case xtpKeyHome:
    case xtpKeyEnd:
    {
        const int nIndex = pControls->FindNextIndex(-1, nKey == xtpKeyHome ? 1 : -1);
        if (nIndex >= 0)
            SetSelected(nIndex, TRUE);
        return TRUE;
    }
    case xtpKeyPopup:
        if (!pHot || !IsPopupKind(pHot))
            return FALSE;
        return SetPopupControl(m_nSelected, TRUE);
    case xtpKeyBack:
        if (m_nPopuped < 0)
            return FALSE;
        SetPopupControl(-1);
        SetTrackingMode(1, FALSE, TRUE);
        return TRUE;
    case xtpKeyEscape:
    {
        if (GetKeyboardTipsLevel() > 1)
        {
            // One level of tips back: the deeper tips go, the bar keeps tracking.
            GetCommandBars()->HideKeyboardTips();
            return TRUE;
        }
        // This bar leaves first: closing the parent's popup may release it.
        CXTPCommandBar* pParent = GetParentCommandBar();
        CBarReference keep(this);
        SetTrackingMode(FALSE);
        if (pParent)
        {
            pParent->SetPopupControl(-1);
            pParent->SetTrackingMode(1, FALSE, TRUE);
        }
        return TRUE;
    }
    case xtpKeyReturn:
        if (!pHot)
            return FALSE;
        SetSelected(m_nSelected, TRUE);
        pHot->OnClick(TRUE);
        return TRUE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------- keyboard tips

void CXTPCommandBar::CreateKeyboardTips()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    CXTPKeyboardTipArray& tips = pCommandBars->GetKeyboardTips();
    CXTPControls* pControls = GetControls();
    for (int i = 0; pControls && i < pControls->GetCount(); ++i)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        if (!pControl->IsVisible() || pControl->GetCaption().IsEmpty() || (pControl->GetFlags() & xtpFlagSkipFocus) ||
            pControl->GetType() == xtpControlGallery)
            continue;
        const CRect rc = pControl->GetRect();
        CXTPCommandBarKeyboardTip* pTip = new CXTPCommandBarKeyboardTip(
            pCommandBars, pControl, pControl->GetCaption(), CPoint(rc.left + 12, rc.bottom - 11), 0,
            pControl->GetEnabled());
        pTip->m_strTip = pControl->GetKeyboardTip();
        tips.Add(pTip);
    }
    if (IsPopupBar())
        return;
    for (int i = 0; i < pCommandBars->GetCount(); ++i)
    {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        if (!pBar || pBar == this || !pBar->GetSafeHwnd() || !pBar->IsVisible() ||
            !::IsWindowVisible(pBar->GetSafeHwnd()))
            continue;
        CRect rcBar;
        ::GetWindowRect(pBar->GetSafeHwnd(), &rcBar);
        tips.Add(new CXTPCommandBarKeyboardTip(pCommandBars, pBar, pBar->GetTitle(), rcBar.TopLeft(), 0, TRUE));
    }
}

int CXTPCommandBar::GetKeyboardTipsLevel() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars && pCommandBars->GetKeyboardTipsOwner() == this ? pCommandBars->GetKeyboardTipsLevel() : 0;
}

BOOL CXTPCommandBar::FilterKeyboardTips(UINT nChar)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return FALSE;
    CXTPKeyboardTipArray& tips = pCommandBars->GetKeyboardTips();
    int nTyped = pCommandBars->GetKeyboardTipsPrefix();
    const int nChosen = XTPFilterKeyboardTips(tips.GetData(), static_cast<int>(tips.GetSize()), nTyped, nChar);
    if (nChosen == xtpTipFilterNoMatch)
    {
        BeepForKey(nChar);
        return TRUE;
    }
    pCommandBars->SetKeyboardTipsPrefix(nTyped);
    for (INT_PTR i = 0; i < tips.GetSize(); ++i)
    {
        if (!tips[i]->m_bVisible && tips[i]->GetSafeHwnd())
            tips[i]->ShowWindow(SW_HIDE);
    }
    if (nChosen >= 0)
        OnKeyboardTipSelected(tips[nChosen]);
    return TRUE;
}

void CXTPCommandBar::OnKeyboardTipSelected(CXTPCommandBarKeyboardTip* pTip)
{
    // Hiding the tips deletes pTip: take what it labels first.
    CXTPControl* pControl = pTip->GetControl();
    CXTPCommandBar* pTipBar = pTip->GetCommandBar();
    if (pControl)
    {
        CXTPCommandBar* pBar = pControl->GetParent();
        if (GetCommandBars())
            GetCommandBars()->HideKeyboardTips();
        if (pBar)
        {
            const int nIndex = pControl->GetIndex();
            pBar->SetSelected(nIndex, TRUE);
            if (IsPopupKind(pControl))
            {
                pBar->SetPopupControl(nIndex, TRUE);
                return;
            }
        }
        pControl->OnExecute();
        return;
    }
    if (pTipBar && pTipBar != this)
    {
        // Another bar: the keyboard moves over to it.
        if (GetCommandBars())
            GetCommandBars()->HideKeyboardTips();
        XTPMouseManager()->SendTrackLostAll();
        pTipBar->SetTrackingMode(TRUE, TRUE, TRUE);
        const int nFirst = pTipBar->GetControls()->FindNextIndex(-1, 1);
        if (nFirst >= 0)
            pTipBar->SetSelected(nFirst, TRUE);
    }
}
