#include "toolkit/commandbars/controls/XTPControlEdit.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlComboBoxAutoCompleteWnd.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlEdit, CXTPControl, XTP_CONTROL_CLASS_SCHEMA)

CXTPControlEdit::CXTPControlEdit()
{
    m_controlType = xtpControlEdit;
    m_nWidth = 100;
}

CXTPControlEdit::~CXTPControlEdit()
{
    delete m_pAutoCompleteWnd;
    m_pAutoCompleteWnd = nullptr;
    if (m_pEdit)
    {
        // The window goes on its own: it tells this control nothing any more.
        m_field.SetWindow(nullptr);
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
    return m_field.GetText();
}

void CXTPControlEdit::SetEditText(const CString& strText)
{
    m_field.SetText(strText);
}

void CXTPControlEdit::SetEditHint(LPCSTR lpszHint)
{
    if (!m_bFocused)
        m_field.RemoveShownHint(m_bFocused);
    m_field.SetHint(lpszHint ? lpszHint : "");
    m_field.ShowHintIfEmpty(m_bFocused);
}

CString CXTPControlEdit::GetEditTextWithoutHint() const
{
    return m_field.GetTextWithoutHint();
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
    return CXTPControlComboBoxAutoCompleteWnd::Reattach(m_pAutoCompleteWnd, m_pEdit ? m_pEdit->GetSafeHwnd() : nullptr,
                                                        dwFlags);
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
    if (!m_field.CreateFieldWindow(m_dwEditStyle, m_nTextLimit))
        return FALSE;
    if (m_dwShellAutoCompleteFlags)
        EnableShellAutoComplete(m_dwShellAutoCompleteFlags);
    return TRUE;
}

void CXTPControlEdit::SetRect(CRect rcControl)
{
    if (!m_pEdit)
    {
        m_pEdit = new CXTPControlEditCtrl();
        m_pEdit->m_pControl = this;
        m_field.SetWindow(m_pEdit);
    }
    if (m_field.IsWindowStale(m_bRecreate))
        m_field.DestroyFieldWindow();
    m_bRecreate = FALSE;
    const BOOL bHasWindow = m_field.HasWindow();
    if (m_rcControl == rcControl && bHasWindow && !m_bForceLayout)
        return;
    m_rcControl = rcControl;
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return;
    if (!bHasWindow && !CreateEditWindow())
        return;
    m_pEdit->SendMessage(EM_SETREADONLY, m_bReadOnly);
    m_field.PlaceWindow(GetEditWindowRect(), m_bFocused);
    m_bForceLayout = FALSE;
}

// ---------------------------------------------------------------- focus

void CXTPControlEdit::OnSetFocus(CWnd* pOldWnd)
{
    m_field.RemoveShownHint(TRUE);
    m_strFocusText = GetEditTextWithoutHint();
    m_field.StoreFocusReturn(pOldWnd);
    if (m_pParent)
        m_pParent->SetPopupControl(-1);
    SetFocused(TRUE);
    ApplyCharFormat();
    if (m_pAutoCompleteWnd)
        m_pAutoCompleteWnd->SetupWindowHook(TRUE);
}

void CXTPControlEdit::OnKillFocus()
{
    if (m_pAutoCompleteWnd)
        m_pAutoCompleteWnd->SetupWindowHook(FALSE);
    SetFocused(FALSE);
    m_field.ShowHintIfEmpty(m_bFocused);
}

void CXTPControlEdit::SetFocused(BOOL bFocused)
{
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    // Keep this control alive while the bar reacts.
    InternalAddRef();
    if (bFocused)
        m_field.EnterFocus(EN_SETFOCUS);
    else
        m_field.LeaveFocus(EN_KILLFOCUS);
    RedrawParent(FALSE);
    InternalRelease();
}

BOOL CXTPControlEdit::OnSetSelected(int bSelected)
{
    const BOOL bChanged = CXTPControl::OnSetSelected(bSelected);
    if (!bSelected && m_bFocused)
    {
        SetFocused(FALSE);
        m_field.ShowHintIfEmpty(m_bFocused);
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
    if (CXTPControlFieldText::IsWindowKey(nChar, bCtrl))
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
    return CXTPControlFieldText::IsCaptionVisible(this, m_bLabel);
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
    SetHideFlags(CXTPControlFieldText::HideFlagsForLayout(m_dwHideFlags, dwMode));
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
        CString strHint = m_field.GetHint();
        ExchangeStringProperty(pPX, "EditHint", strHint, "");
        m_field.SetHint(strHint);
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
    m_field.SetHint(pEdit->GetEditHint());
    m_dwShellAutoCompleteFlags = pEdit->m_dwShellAutoCompleteFlags;
    m_bShowSpinButtons = pEdit->m_bShowSpinButtons;
    m_nTextLimit = pEdit->m_nTextLimit;
    m_nBuddyButtonId = pEdit->m_nBuddyButtonId;
    m_bForceLayout = TRUE;
}

void CXTPControlEdit::SetParent(CXTPCommandBar* pParent)
{
    if (!pParent)
        m_field.DestroyFieldWindow();
    CXTPControl::SetParent(pParent);
}

void CXTPControlEdit::OnRemoved()
{
    RefreshVisibility();
    if (!m_pControls)
        m_field.DestroyFieldWindow();
    CXTPControl::OnRemoved();
}

// ---------------------------------------------------------------- the text window

IMPLEMENT_DYNAMIC(CXTPControlEditCtrl, CXTPCommandBarEditCtrl)

void CXTPControlEdit::OnFieldChanged(BOOL bByUser)
{
    if (bByUser)
        NotifySite(EN_CHANGE);
    m_pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    ApplyCharFormat();
}
