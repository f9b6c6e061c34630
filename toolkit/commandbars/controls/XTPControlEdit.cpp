#include "toolkit/commandbars/controls/XTPControlEdit.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlEdit, CXTPControl, XTP_CONTROL_CLASS_SCHEMA)

namespace
{
// The bar's tracking mode while a field holds the focus.
const int kTrackingByFocus = 1;
} // namespace

CXTPControlEdit::CXTPControlEdit()
{
    m_controlType = xtpControlEdit;
    m_nWidth = 100;
}

CXTPControlEdit::~CXTPControlEdit()
{
    if (m_pEdit)
    {
        m_pEdit->m_pControl = nullptr;
        if (m_pEdit->GetSafeHwnd())
            m_pEdit->DestroyWindow();
        delete m_pEdit;
        m_pEdit = nullptr;
    }
}

// ---------------------------------------------------------------- text and hint

CString CXTPControlEdit::GetEditText() const
{
    if (m_pEdit && m_pEdit->GetSafeHwnd() && m_bTextStale)
    {
        m_pEdit->GetWindowText(m_strText);
        m_bTextStale = FALSE;
    }
    return m_strText;
}

void CXTPControlEdit::SetEditText(const CString& strText)
{
    if (m_pEdit)
        m_pEdit->SetTextQuietly(strText);
    m_strText = strText;
    m_bTextStale = FALSE;
}

CString CXTPControlEdit::GetEditHint() const
{
    return m_strEditHint;
}

BOOL CXTPControlEdit::IsHintShown() const
{
    const CString strHint = GetEditHint();
    return !strHint.IsEmpty() && !m_bFocused && GetEditText() == strHint;
}

void CXTPControlEdit::RemoveShownHint()
{
    const CString strHint = GetEditHint();
    if (!strHint.IsEmpty() && GetEditText() == strHint)
    {
        SetEditText("");
        ApplyCharFormat();
    }
}

void CXTPControlEdit::ShowHintIfEmpty()
{
    if (m_bFocused || GetEditHint().IsEmpty() || !GetEditText().IsEmpty())
        return;
    SetEditText(GetEditHint());
    ApplyCharFormat();
}

void CXTPControlEdit::SetEditHint(LPCSTR lpszHint)
{
    if (!m_bFocused)
        RemoveShownHint();
    m_strEditHint = lpszHint ? lpszHint : "";
    ShowHintIfEmpty();
}

CString CXTPControlEdit::GetEditTextWithoutHint() const
{
    CString strText = GetEditText();
    const CString strHint = GetEditHint();
    if (!strHint.IsEmpty() && strText == strHint)
        return CString();
    return strText;
}

void CXTPControlEdit::SetEditTextOrHint(const CString& strText)
{
    SetEditText(strText.IsEmpty() && !m_bFocused ? GetEditHint() : strText);
}

void CXTPControlEdit::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SendMessage(EM_SETREADONLY, bReadOnly);
}

void CXTPControlEdit::SetLabelWidth(int nWidth)
{
    if (nWidth == m_nLabelWidth)
        return;
    m_nLabelWidth = nWidth;
    m_bForceLayout = TRUE;
}

void CXTPControlEdit::SetTextLimit(int nLimit)
{
    m_nTextLimit = nLimit;
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nLimit));
}

BOOL CXTPControlEdit::EnableShellAutoComplete(DWORD dwFlags)
{
    m_dwShellAutoCompleteFlags = dwFlags;
    // The shell's suggestion window is not attached yet: a request for one fails.
    return dwFlags == 0;
}

// ---------------------------------------------------------------- geometry

CRect CXTPControlEdit::GetSpinButtonsRect() const
{
    if (!m_bShowSpinButtons)
        return CRect(0, 0, 0, 0);
    return CRect(m_rcControl.right - 18, m_rcControl.top + 1, m_rcControl.right - 1, m_rcControl.bottom - 1);
}

CRect CXTPControlEdit::GetBuddyButtonRect() const
{
    if (!m_nBuddyButtonId)
        return CRect(0, 0, 0, 0);
    CRect rc(m_rcControl.right - 19, m_rcControl.top + 1, m_rcControl.right - 1, m_rcControl.bottom - 1);
    if (m_bShowSpinButtons)
        rc.OffsetRect(-17, 0);
    return rc;
}

int CXTPControlEdit::GetEditIconWidth() const
{
    if (!m_nEditIconId)
        return 0;
    CXTPImageManagerIcon* pIcon = GetImageManager()->GetImage(static_cast<UINT>(m_nEditIconId), 0);
    return pIcon ? pIcon->GetWidth() : 0;
}

CRect CXTPControlEdit::GetEditWindowRect() const
{
    CRect rc(m_rcControl.left + m_nLabelWidth + 4, m_rcControl.top + 3, m_rcControl.right - 38,
             m_rcControl.bottom - 3);
    if (!m_nBuddyButtonId)
        rc.right += 18;
    if (!m_bShowSpinButtons)
        rc.right += 17;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager && pPaintManager->m_nEditOffset > 0)
        rc.OffsetRect(0, 1);
    const int nIcon = GetEditIconWidth();
    if (nIcon > 0)
        rc.left += nIcon + 2;
    return rc;
}

// ---------------------------------------------------------------- the window

BOOL CXTPControlEdit::CreateEditWindow()
{
    if (!m_pEdit->Create(m_dwEditStyle | WS_CHILD | ES_AUTOHSCROLL, m_pParent))
        return FALSE;
    if (!GetEnabled())
        m_pEdit->EnableWindow(FALSE);
    if (m_dwShellAutoCompleteFlags)
        EnableShellAutoComplete(m_dwShellAutoCompleteFlags);
    if (m_nTextLimit)
        m_pEdit->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(m_nTextLimit));
    return TRUE;
}

void CXTPControlEdit::SetRect(CRect rcControl)
{
    if (!m_pEdit)
    {
        m_pEdit = new CXTPControlEditCtrl();
        m_pEdit->m_pControl = this;
    }
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (m_pEdit->GetSafeHwnd())
    {
        const BOOL bRtl = (m_pEdit->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        if (m_bRecreate || bRtl || ::GetParent(m_pEdit->GetSafeHwnd()) != hWndBar)
        {
            GetEditText();
            m_pEdit->DestroyWindow();
        }
        m_bRecreate = FALSE;
    }
    const BOOL bHasWindow = m_pEdit->GetSafeHwnd() != nullptr;
    if (m_rcControl == rcControl && bHasWindow && !m_bForceLayout)
        return;
    m_rcControl = rcControl;
    if (!hWndBar)
        return;

    if (!bHasWindow && !CreateEditWindow())
        return;

    CXTPPaintManager* pPaintManager = GetPaintManager();
    CFont* pFont = pPaintManager ? pPaintManager->GetControlFont(this) : nullptr;
    m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), FALSE);
    m_pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (::GetFocus() != m_pEdit->GetSafeHwnd())
        SetEditTextOrHint(GetEditTextWithoutHint());
    ApplyCharFormat();
    m_pEdit->m_bComposited = IsOnDwmGlass();
    m_pEdit->SendMessage(EM_SETREADONLY, m_bReadOnly);

    const CRect rcEdit = GetEditWindowRect();
    m_pEdit->MoveWindow(rcEdit.left, rcEdit.top, rcEdit.Width(), rcEdit.Height(), TRUE);
    RefreshVisibility();
    m_bForceLayout = FALSE;
}

void CXTPControlEdit::RefreshVisibility()
{
    if (!m_pEdit || !m_pEdit->GetSafeHwnd())
        return;
    const BOOL bShow = m_pControls && m_pParent && IsVisible() && m_pParent->GetSafeHwnd();
    m_pEdit->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                              (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CXTPControlEdit::ApplyCharFormat()
{
    if (!m_pEdit || !m_pEdit->GetSafeHwnd())
        return;
    const BOOL bGrey = !GetEnabled() || IsHintShown();
    CXTPPaintManager* pPaintManager = GetPaintManager();
    const COLORREF clrBack = pPaintManager ? pPaintManager->GetEditFieldBackColor(this) : ::GetSysColor(COLOR_WINDOW);
    m_pEdit->SetFieldColors(GetColorManager()->GetColor(bGrey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT), clrBack);
}

void CXTPControlEdit::NotifyTextChanged()
{
    NotifySite(EN_CHANGE);
}

// ---------------------------------------------------------------- focus

void CXTPControlEdit::OnSetFocus(CWnd* pOldWnd)
{
    RemoveShownHint();
    m_strFocusText = GetEditTextWithoutHint();
    if (m_pParent)
    {
        if (!m_pParent->GetFocusReturnWindow())
        {
            HWND hWndOld = pOldWnd ? pOldWnd->GetSafeHwnd() : nullptr;
            if (!hWndOld && m_pParent->GetSite())
                hWndOld = m_pParent->GetSite()->GetSafeHwnd();
            m_pParent->SetFocusReturnWindow(hWndOld);
        }
        m_pParent->SetPopupControl(-1);
    }
    SetFocused(TRUE);
    ApplyCharFormat();
}

void CXTPControlEdit::OnKillFocus()
{
    m_bFocused = TRUE; // the hint waits until the state below is cleared
    SetFocused(FALSE);
    ShowHintIfEmpty();
}

void CXTPControlEdit::SetFocused(BOOL bFocused)
{
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    HWND hWndEdit = m_pEdit ? m_pEdit->GetSafeHwnd() : nullptr;
    // Keep this control alive while the bar reacts.
    InternalAddRef();
    if (bFocused)
    {
        if (hWndEdit && ::GetFocus() != hWndEdit)
            ::SetFocus(hWndEdit);
        if (m_pParent)
        {
            if (!m_pParent->IsTrackingMode())
                m_pParent->SetTrackingMode(kTrackingByFocus, FALSE, TRUE);
            m_pParent->SetSelected(m_nIndex, TRUE);
        }
        ++XTPMouseManager()->m_nLock;
        NotifySite(EN_SETFOCUS);
    }
    else
    {
        if (hWndEdit && ::GetFocus() == hWndEdit && m_pParent)
        {
            HWND hWndBack = m_pParent->GetFocusReturnWindow();
            if (hWndBack && ::IsWindow(hWndBack))
                ::SetFocus(hWndBack);
        }
        --XTPMouseManager()->m_nLock;
        NotifySite(EN_KILLFOCUS);
    }
    RedrawParent(FALSE);
    InternalRelease();
}

BOOL CXTPControlEdit::OnSetSelected(int bSelected)
{
    const BOOL bChanged = CXTPControl::OnSetSelected(bSelected);
    if (!bSelected && m_bFocused)
    {
        SetFocused(FALSE);
        ShowHintIfEmpty();
    }
    if (!bSelected)
        ApplyCharFormat();
    return bChanged;
}

void CXTPControlEdit::OnMouseHover()
{
    if (XTPMouseManager()->m_nLock < 1 && m_pParent)
    {
        const BOOL bClosed = m_pParent->GetPopped() != -1;
        m_pParent->SetPopupControl(-1);
        if (bClosed && m_pParent->GetTrackingMode() == 2 && m_pParent->GetPosition() != xtpBarPopup)
            m_pParent->SetTrackingMode(FALSE);
    }
}

// ---------------------------------------------------------------- keys

BOOL CXTPControlEdit::OnHookKeyDown(UINT nChar, LPARAM /*lParam*/)
{
    if (!m_bFocused || !m_pEdit || !m_pEdit->GetSafeHwnd())
        return 0;
    if (m_pEdit->IsImeComposing())
        return 2;
    if (nChar == VK_TAB || nChar == VK_RETURN)
        return 0;
    if (nChar == VK_ESCAPE)
    {
        SetEditText(m_strFocusText);
        CXTPCommandBar* pParent = m_pParent;
        SetFocused(FALSE);
        return pParent && pParent->GetPosition() == xtpBarPopup ? 1 : 0;
    }
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    if (bAlt && !bCtrl)
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars && pCommandBars->ProcessMnemonicKey(nChar))
            return 1;
    }
    if (GetEnabled() && m_bShowSpinButtons && !m_bReadOnly && (nChar == VK_UP || nChar == VK_DOWN))
    {
        OnSpinStep(1, nChar == VK_UP ? +1 : -1);
        if (::GetFocus() == m_pEdit->GetSafeHwnd())
        {
            m_pEdit->SetSel(0, -1);
            m_pEdit->SendMessage(EM_SCROLLCARET);
        }
        return 1;
    }
    const BOOL bEditKey = (bCtrl && (nChar == 'C' || nChar == 'V' || nChar == 'X' || nChar == 'Z')) ||
                          nChar == VK_BACK || (nChar >= VK_PRIOR && nChar <= VK_DELETE);
    if (bEditKey)
    {
        MSG msg = {};
        msg.hwnd = m_pEdit->GetSafeHwnd();
        msg.message = WM_KEYDOWN;
        msg.wParam = nChar;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        return 1;
    }
    return 2;
}

// ---------------------------------------------------------------- the control's operations

void CXTPControlEdit::OnEnabledChanged()
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->EnableWindow(GetEnabled());
    ApplyCharFormat();
}

BOOL CXTPControlEdit::IsCaptionVisible() const
{
    if (m_pParent && m_pParent->IsPopupType())
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    const int nStyle = GetStyle();
    if (nStyle == xtpButtonCaption || nStyle == xtpButtonIconAndCaption || nStyle == xtpButtonIconAndCaptionBelow)
        return TRUE;
    return m_bLabel;
}

BOOL CXTPControlEdit::Compare(CXTPControl* pOther)
{
    return DYNAMIC_DOWNCAST(CXTPControlEdit, pOther) != nullptr && CXTPControl::Compare(pOther);
}

void CXTPControlEdit::SetHideFlags(int dwFlags)
{
    if (dwFlags == m_dwHideFlags)
        return;
    CXTPControl::SetHideFlags(dwFlags);
    RefreshVisibility();
    DelayLayoutParent();
}

void CXTPControlEdit::OnCalcDynamicSize(DWORD dwMode)
{
    SetHideFlags((dwMode & 0x10) ? (m_dwHideFlags | xtpHideDockingPosition)
                                 : (m_dwHideFlags & ~xtpHideDockingPosition));
}

CSize CXTPControlEdit::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawControlEdit(pDC, this, FALSE);
}

void CXTPControlEdit::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControlEdit(pDC, this, TRUE);
}

void CXTPControlEdit::DrawEditIcon(CDC* pDC)
{
    if (!m_nEditIconId)
        return;
    CXTPImageManagerIcon* pIcon = GetImageManager()->GetImage(static_cast<UINT>(m_nEditIconId), 0);
    if (!pIcon)
        return;
    const CRect rcEdit = GetEditWindowRect();
    const int x = rcEdit.left - pIcon->GetWidth() - 2;
    const int y = m_rcControl.top + (m_rcControl.Height() - pIcon->GetHeight()) / 2;
    pIcon->Draw(pDC, x, y, GetEnabled() ? pIcon->GetImage() : pIcon->GetDisabledImage());
}

void CXTPControlEdit::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    const int nSchema = pPX->m_nSchema;
    if (nSchema > 5)
    {
        ExchangeBoolProperty(pPX, "HasLabel", m_bLabel, FALSE);
        ExchangeIntProperty(pPX, "Width", m_nWidth, 0);
    }
    if (nSchema > 7)
        ExchangeBoolProperty(pPX, "ReadOnly", m_bReadOnly, FALSE);
    if (nSchema > 8)
    {
        ExchangeStringProperty(pPX, "EditHint", m_strEditHint, "");
        ExchangeIntProperty(pPX, "ShellAutoCompleteFlags", m_dwShellAutoCompleteFlags, 0);
    }
    if (nSchema > 16)
        ExchangeIntProperty(pPX, "EditStyle", m_dwEditStyle, 0);
    if (nSchema > 18)
        ExchangeBoolProperty(pPX, "ShowSpinButtons", m_bShowSpinButtons, FALSE);
    if (nSchema > 34)
        ExchangeIntProperty(pPX, "TextLimit", m_nTextLimit, 0);
    if (nSchema > 36)
        ExchangeIntProperty(pPX, "EditIconId", m_nEditIconId, 0);
    if (nSchema > 37)
        ExchangeIntProperty(pPX, "BuddyButtonId", m_nBuddyButtonId, 0);
    if (pPX->IsLoading())
    {
        EnableShellAutoComplete(m_dwShellAutoCompleteFlags);
        m_bForceLayout = TRUE;
    }
}

void CXTPControlEdit::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControl::Copy(pControl, bRecursive);
    CXTPControlEdit* pEdit = DYNAMIC_DOWNCAST(CXTPControlEdit, pControl);
    if (!pEdit || pEdit == this)
        return;
    m_dwEditStyle = pEdit->m_dwEditStyle;
    SetEditText(pEdit->GetEditTextWithoutHint());
    m_bLabel = pEdit->m_bLabel;
    m_bReadOnly = pEdit->m_bReadOnly;
    m_strEditHint = pEdit->m_strEditHint;
    m_dwShellAutoCompleteFlags = pEdit->m_dwShellAutoCompleteFlags;
    m_bShowSpinButtons = pEdit->m_bShowSpinButtons;
    m_nTextLimit = pEdit->m_nTextLimit;
    m_nBuddyButtonId = pEdit->m_nBuddyButtonId;
    m_bForceLayout = TRUE;
}

void CXTPControlEdit::SetParent(CXTPCommandBar* pParent)
{
    if (!pParent && m_pEdit && m_pEdit->GetSafeHwnd())
    {
        GetEditText();
        m_pEdit->DestroyWindow();
    }
    CXTPControl::SetParent(pParent);
}

void CXTPControlEdit::OnRemoved()
{
    RefreshVisibility();
    if (!m_pControls && m_pEdit && m_pEdit->GetSafeHwnd())
    {
        GetEditText();
        m_pEdit->DestroyWindow();
    }
    CXTPControl::OnRemoved();
}

// ---------------------------------------------------------------- the text window

IMPLEMENT_DYNAMIC(CXTPControlEditCtrl, CXTPCommandBarEditCtrl)

BEGIN_MESSAGE_MAP(CXTPControlEditCtrl, CXTPCommandBarEditCtrl)
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_MOUSEMOVE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_CONTEXTMENU()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_XTP_TOOLTIP_QUERY, OnQueryBarEdit)
ON_CONTROL_REFLECT(EN_CHANGE, OnEditChange)
END_MESSAGE_MAP()

BOOL CXTPControlEditCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CXTPCommandBar* pBar = m_pControl ? m_pControl->GetParent() : nullptr;
    if (pBar && pBar->GetSafeHwnd())
    {
        MSG msg = {};
        msg.hwnd = m_hWnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        pBar->FilterToolTipMessage(&msg);
    }
    return CXTPCommandBarEditCtrl::OnWndMsg(message, wParam, lParam, pResult);
}

void CXTPControlEditCtrl::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pControl && m_pControl->IsCustomizeMode())
        return;
    if (m_pControl)
        m_pControl->OnSetFocus(pOldWnd);
    Default();
    SendMessage(EM_SETSEL, 0, 0);
    SendMessage(EM_SCROLLCARET);
    PostMessage(EM_SETSEL, 0, -1);
}

void CXTPControlEditCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CXTPCommandBarEditCtrl::OnKillFocus(pNewWnd);
    if (m_pControl)
        m_pControl->OnKillFocus();
}

void CXTPControlEditCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    CXTPCommandBar* pBar = m_pControl ? m_pControl->GetParent() : nullptr;
    if (pBar && pBar->GetSafeHwnd())
    {
        MapWindowPoints(pBar, &point, 1);
        pBar->OnTrackedMouseMove(nFlags, point);
    }
}

void CXTPControlEditCtrl::OnDestroy()
{
    if (m_pControl)
    {
        GetWindowText(m_pControl->m_strText);
        m_pControl->m_bTextStale = FALSE;
    }
    Default();
}

void CXTPControlEditCtrl::OnLButtonDown(UINT, CPoint point)
{
    if (m_pControl && m_pControl->IsCustomizeMode())
    {
        if (m_pControl->IsCustomizeMovable())
            m_pControl->OnClick(FALSE, point);
        return;
    }
    Default();
}

void CXTPControlEditCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPCommandBar* pBar = m_pControl ? m_pControl->GetParent() : nullptr;
    if (m_pControl && m_pControl->IsCustomizeMode())
    {
        if (pBar && pBar->GetSafeHwnd())
        {
            MapWindowPoints(pBar, &point, 1);
            pBar->SendMessage(WM_RBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
        }
        return;
    }
    if (m_pControl)
        m_pControl->SetFocused(TRUE);
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (!ShowContextMenu(m_pControl, ptScreen))
        Default();
}

void CXTPControlEditCtrl::OnContextMenu(CWnd*, CPoint)
{
}

void CXTPControlEditCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_RETURN && ::GetFocus() == m_hWnd && m_pControl)
    {
        m_pControl->OnExecute();
        return;
    }
    Default();
}

LRESULT CXTPControlEditCtrl::OnQueryBarEdit(WPARAM, LPARAM)
{
    return 1;
}

void CXTPControlEditCtrl::OnEditChange()
{
    if (!m_pControl)
        return;
    m_pControl->m_bTextStale = TRUE;
    if (::GetFocus() == m_hWnd && !m_bIgnoreChange)
        m_pControl->NotifyTextChanged();
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    m_pControl->ApplyCharFormat();
}
