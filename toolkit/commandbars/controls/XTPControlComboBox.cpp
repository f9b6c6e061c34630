#include "toolkit/commandbars/controls/XTPControlComboBox.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPControlComboBoxList.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlComboBox, CXTPControlPopup, XTP_CONTROL_CLASS_SCHEMA)

namespace
{
// The bar's tracking mode while a combo holds the focus.
const int kTrackingByFocus = 1;
} // namespace

CXTPControlComboBox::CXTPControlComboBox(CXTPCommandBars* pCommandBars)
{
    m_controlType = xtpControlComboBox;
    m_nWidth = 100;
    CXTPControlComboBoxList* pList = new CXTPControlComboBoxList();
    pList->SetCommandBars(pCommandBars);
    pList->CreateListWindow();
    SetCommandBar(pList);
    pList->InternalRelease();
}

CXTPControlComboBox::~CXTPControlComboBox()
{
    if (m_pEdit)
    {
        m_pEdit->m_pComboBox = nullptr;
        if (m_pEdit->GetSafeHwnd())
            m_pEdit->DestroyWindow();
        delete m_pEdit;
        m_pEdit = nullptr;
    }
}

// ---------------------------------------------------------------- the edit part

void CXTPControlComboBox::EnableEdit(BOOL bEnable)
{
    m_bDropDown = bEnable;
    if (bEnable && !m_pEdit)
    {
        m_pEdit = new CXTPControlComboBoxEditCtrl();
        m_pEdit->m_pComboBox = this;
    }
    else if (!bEnable && m_pEdit)
    {
        m_pEdit->m_pComboBox = nullptr;
        if (m_pEdit->GetSafeHwnd())
            m_pEdit->DestroyWindow();
        delete m_pEdit;
        m_pEdit = nullptr;
    }
    m_bForceLayout = TRUE;
    DelayLayoutParent();
}

CString CXTPControlComboBox::GetEditText() const
{
    if (m_pEdit && m_pEdit->GetSafeHwnd() && m_bTextStale)
    {
        m_pEdit->GetWindowText(m_strText);
        m_bTextStale = FALSE;
    }
    return m_strText;
}

void CXTPControlComboBox::SetEditText(const CString& strText)
{
    if (m_pEdit)
        m_pEdit->SetTextQuietly(strText);
    m_strText = strText;
    m_bTextStale = FALSE;
}

BOOL CXTPControlComboBox::IsHintShown() const
{
    return m_pEdit && !m_strEditHint.IsEmpty() && !m_bFocused && GetEditText() == m_strEditHint;
}

void CXTPControlComboBox::RemoveShownHint()
{
    if (m_pEdit && !m_strEditHint.IsEmpty() && GetEditText() == m_strEditHint)
    {
        SetEditText("");
        ApplyCharFormat();
    }
}

void CXTPControlComboBox::ShowHintIfEmpty()
{
    if (!m_pEdit || m_bFocused || m_strEditHint.IsEmpty() || !GetEditText().IsEmpty())
        return;
    SetEditText(m_strEditHint);
    ApplyCharFormat();
}

void CXTPControlComboBox::SetEditHint(LPCSTR lpszHint)
{
    if (!m_bFocused)
        RemoveShownHint();
    m_strEditHint = lpszHint ? lpszHint : "";
    ShowHintIfEmpty();
    RedrawParent(FALSE);
}

CString CXTPControlComboBox::GetEditTextWithoutHint() const
{
    const CString strText = GetEditText();
    if (!m_strEditHint.IsEmpty() && strText == m_strEditHint)
        return CString();
    return strText;
}

BOOL CXTPControlComboBox::EnableShellAutoComplete(DWORD dwFlags)
{
    m_dwShellAutoCompleteFlags = dwFlags;
    // The shell's suggestion window is not attached yet: a request for one fails.
    return dwFlags == 0;
}

void CXTPControlComboBox::SetMeasures(int nLabelWidth, int nDropDownWidth)
{
    if (nLabelWidth == m_nLabelWidth && nDropDownWidth == m_nThumbWidth)
        return;
    m_nLabelWidth = nLabelWidth;
    m_nThumbWidth = nDropDownWidth;
    m_bForceLayout = TRUE;
}

void CXTPControlComboBox::ApplyCharFormat()
{
    if (!m_pEdit || !m_pEdit->GetSafeHwnd())
        return;
    const BOOL bGrey = !GetEnabled() || IsHintShown();
    CXTPPaintManager* pPaintManager = GetPaintManager();
    const COLORREF clrBack = pPaintManager ? pPaintManager->GetEditFieldBackColor(this) : ::GetSysColor(COLOR_WINDOW);
    m_pEdit->SetFieldColors(GetColorManager()->GetColor(bGrey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT), clrBack);
}

// ---------------------------------------------------------------- the list

CXTPControlComboBoxList* CXTPControlComboBox::GetComboBoxList() const
{
    return DYNAMIC_DOWNCAST(CXTPControlComboBoxList, m_pCommandBar);
}

int CXTPControlComboBox::GetCount() const
{
    CXTPControlComboBoxList* pList = GetComboBoxList();
    return pList ? pList->GetCount() : 0;
}

int CXTPControlComboBox::AddString(LPCSTR lpszText)
{
    CXTPControlComboBoxList* pList = GetComboBoxList();
    return pList ? pList->AddString(lpszText) : LB_ERR;
}

CString CXTPControlComboBox::GetListText(int nIndex) const
{
    CXTPControlComboBoxList* pList = GetComboBoxList();
    return pList ? pList->GetText(nIndex) : CString();
}

int CXTPControlComboBox::GetCurSel() const
{
    CXTPControlComboBoxList* pList = GetComboBoxList();
    return pList && pList->GetSafeHwnd() ? pList->GetCurSel() : m_nCurSelNoList;
}

void CXTPControlComboBox::SetCurSel(int nIndex)
{
    CXTPControlComboBoxList* pList = GetComboBoxList();
    if (pList && pList->GetSafeHwnd() && pList->GetCurSel() == nIndex && m_nCurSelNoList == nIndex)
        return;
    m_nCurSelNoList = nIndex;
    if (pList)
        pList->SetCurSel(nIndex);
    OnSelChanged();
}

CString CXTPControlComboBox::GetSelectedItemText() const
{
    const int nSel = GetCurSel();
    return nSel < 0 ? CString() : GetListText(nSel);
}

int CXTPControlComboBox::GetListIconId() const
{
    CXTPControlComboBoxList* pList = GetComboBoxList();
    return pList ? pList->GetListIconId() : -1;
}

void CXTPControlComboBox::OnSelChanged()
{
    m_bUpdatingFromList = TRUE;
    SetEditText(GetSelectedItemText());
    m_bUpdatingFromList = FALSE;
    ApplyCharFormat();
    RedrawParent(FALSE);
    NotifySite(CBN_SELCHANGE);
}

void CXTPControlComboBox::SynchronizeSelection()
{
    CXTPControlComboBoxList* pList = GetComboBoxList();
    if (m_bUpdatingFromList || !m_pEdit || !m_pEdit->GetSafeHwnd() || !pList || !pList->GetSafeHwnd())
        return;
    // Searched from the first row: the first match wins.
    const CString strText = GetEditText();
    const int nExact = pList->FindStringExact(-1, strText);
    if (nExact != LB_ERR)
    {
        pList->SetCurSel(nExact);
        m_nCurSelNoList = nExact;
        return;
    }
    const int nPrefix = pList->FindString(-1, strText);
    if (nPrefix != LB_ERR)
    {
        pList->SetTopIndex(nPrefix);
        pList->SetCurSel(nPrefix);
    }
    pList->SetCurSel(-1);
    m_nCurSelNoList = -1;
}

void CXTPControlComboBox::OnEditChanged()
{
    CXTPControlComboBoxList* pList = GetComboBoxList();
    if (!m_bUpdatingFromList && m_bAutoComplete && !m_bIgnoreAutoComplete && m_pEdit && m_pEdit->GetSafeHwnd() &&
        pList && pList->GetSafeHwnd())
    {
        CString strTyped;
        m_pEdit->GetWindowText(strTyped);
        int nStart = 0, nEnd = 0;
        m_pEdit->GetSel(nStart, nEnd);
        if (!strTyped.IsEmpty() && nStart == nEnd && nEnd == strTyped.GetLength())
        {
            const int nRow = pList->FindString(-1, strTyped);
            if (nRow != LB_ERR)
            {
                const CString strFull = pList->GetText(nRow);
                SetEditText(strFull);
                // The caret stays after the typed part; the completion is selected.
                m_pEdit->SendMessage(EM_SETSEL, static_cast<WPARAM>(strFull.GetLength()),
                                     static_cast<LPARAM>(strTyped.GetLength()));
                m_pEdit->SendMessage(EM_SCROLLCARET);
            }
        }
        m_bIgnoreAutoComplete = TRUE;
    }
    SynchronizeSelection();
    NotifySite(CBN_EDITCHANGE);
}

// ---------------------------------------------------------------- layout and visibility

CRect CXTPControlComboBox::GetEditWindowRect() const
{
    CRect rc(m_rcControl.left + m_nLabelWidth + 4, m_rcControl.top + 3, m_rcControl.right - (m_nThumbWidth + 3),
             m_rcControl.bottom - 3);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager && pPaintManager->m_nEditOffset > 0)
        rc.OffsetRect(0, 1);
    if (m_nEditIconId > 0)
    {
        CXTPImageManagerIcon* pIcon = GetImageManager()->GetImage(static_cast<UINT>(m_nEditIconId), 0);
        if (pIcon)
            rc.left += pIcon->GetWidth() + 2;
    }
    return rc;
}

BOOL CXTPControlComboBox::CreateEditWindow()
{
    if (!m_pEdit->Create(m_dwEditStyle | WS_CHILD | ES_AUTOHSCROLL, m_pParent))
        return FALSE;
    if (!GetEnabled())
        m_pEdit->EnableWindow(FALSE);
    if (m_nTextLimit)
        m_pEdit->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(m_nTextLimit));
    return TRUE;
}

void CXTPControlComboBox::SetRect(CRect rcControl)
{
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (m_pEdit && m_pEdit->GetSafeHwnd())
    {
        const BOOL bRtl = (m_pEdit->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        if (m_bRecreate || bRtl || ::GetParent(m_pEdit->GetSafeHwnd()) != hWndBar)
        {
            GetEditText();
            m_pEdit->DestroyWindow();
        }
    }
    m_bRecreate = FALSE;
    const BOOL bHasWindow = m_pEdit && m_pEdit->GetSafeHwnd();
    if (m_rcControl == rcControl && (bHasWindow || !m_pEdit) && !m_bForceLayout)
        return;
    m_rcControl = rcControl;
    m_bForceLayout = FALSE;
    if (!m_pEdit || !hWndBar)
        return;
    if (!bHasWindow && !CreateEditWindow())
        return;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CFont* pFont = pPaintManager ? pPaintManager->GetControlFont(this) : nullptr;
    m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), FALSE);
    m_pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (::GetFocus() != m_pEdit->GetSafeHwnd())
    {
        const CString strText = GetEditTextWithoutHint();
        SetEditText(strText.IsEmpty() && !m_bFocused ? m_strEditHint : strText);
    }
    ApplyCharFormat();
    m_pEdit->m_bComposited = IsOnDwmGlass();
    const CRect rcEdit = GetEditWindowRect();
    m_pEdit->MoveWindow(rcEdit.left, rcEdit.top, rcEdit.Width(), rcEdit.Height(), TRUE);
    RefreshVisibility();
}

void CXTPControlComboBox::RefreshVisibility()
{
    if (!m_pEdit || !m_pEdit->GetSafeHwnd())
        return;
    const BOOL bShow = m_pControls && m_pParent && IsVisible() && m_pParent->GetSafeHwnd();
    m_pEdit->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                              (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CXTPControlComboBox::SetHideFlags(int dwFlags)
{
    if (dwFlags == m_dwHideFlags)
        return;
    CXTPControlPopup::SetHideFlags(dwFlags);
    RefreshVisibility();
    DelayLayoutParent();
}

void CXTPControlComboBox::OnCalcDynamicSize(DWORD dwMode)
{
    SetHideFlags((dwMode & 0x10) ? (m_dwHideFlags | xtpHideDockingPosition)
                                 : (m_dwHideFlags & ~xtpHideDockingPosition));
}

CSize CXTPControlComboBox::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawControlComboBox(pDC, this, FALSE);
}

void CXTPControlComboBox::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControlComboBox(pDC, this, TRUE);
}

void CXTPControlComboBox::DrawComboText(CDC* pDC, CRect rcText)
{
    const BOOL bEnabled = GetEnabled();
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (bEnabled && m_bFocused)
        pDC->FillSolidRect(rcText.left - 1, rcText.top + 1, rcText.Width(), rcText.Height() - 2,
                           pPaintManager->GetColor(COLOR_HIGHLIGHT));
    if (m_nEditIconId > 0)
    {
        CXTPImageManagerIcon* pIcon = GetImageManager()->GetImage(static_cast<UINT>(m_nEditIconId), 0);
        if (pIcon)
        {
            pIcon->Draw(pDC, rcText.left, rcText.top + (rcText.Height() - pIcon->GetHeight()) / 2,
                        bEnabled ? pIcon->GetImage() : pIcon->GetDisabledImage());
            rcText.left += pIcon->GetWidth() + 2;
        }
    }
    CString strText = GetSelectedItemText();
    int nColor = !bEnabled ? COLOR_GRAYTEXT : (m_bFocused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (GetCurSel() < 0 && !m_strEditHint.IsEmpty() && bEnabled && !m_bFocused)
    {
        strText = m_strEditHint;
        nColor = COLOR_GRAYTEXT;
    }
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetControlFont(this));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(pPaintManager->GetColor(nColor));
    pDC->DrawText(strText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
}

// ---------------------------------------------------------------- focus

void CXTPControlComboBox::SetFocused(BOOL bFocused)
{
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    HWND hWndEdit = m_pEdit ? m_pEdit->GetSafeHwnd() : nullptr;
    InternalAddRef();
    if (bFocused)
    {
        m_nLastSel = GetCurSel();
        m_bExecuted = FALSE;
        if (hWndEdit && ::GetFocus() != hWndEdit)
            ::SetFocus(hWndEdit);
        if (m_pParent)
        {
            if (!m_pParent->IsTrackingMode())
                m_pParent->SetTrackingMode(kTrackingByFocus, FALSE, TRUE);
            m_pParent->SetSelected(m_nIndex, TRUE);
        }
        ++XTPMouseManager()->m_nLock;
        NotifySite(CBN_SETFOCUS);
    }
    else
    {
        if (!m_bExecuted && !m_bPopup && !m_pEdit)
        {
            if (CXTPControlComboBoxList* pList = GetComboBoxList())
                pList->SetCurSel(m_nLastSel);
            m_nCurSelNoList = m_nLastSel;
            NotifySite(CBN_SELENDCANCEL);
        }
        if (hWndEdit && ::GetFocus() == hWndEdit && m_pParent)
        {
            HWND hWndBack = m_pParent->GetFocusReturnWindow();
            if (hWndBack && ::IsWindow(hWndBack))
                ::SetFocus(hWndBack);
        }
        --XTPMouseManager()->m_nLock;
        NotifySite(CBN_KILLFOCUS);
    }
    RedrawParent(FALSE);
    InternalRelease();
}

void CXTPControlComboBox::OnSetFocus(CWnd* pOldWnd)
{
    RemoveShownHint();
    m_strFocusText = GetEditTextWithoutHint();
    m_bIgnoreAutoComplete = TRUE;
    SynchronizeSelection();
    if (m_pParent)
    {
        if (!m_pParent->GetFocusReturnWindow())
        {
            HWND hWndOld = pOldWnd ? pOldWnd->GetSafeHwnd() : nullptr;
            if (!hWndOld && m_pParent->GetSite())
                hWndOld = m_pParent->GetSite()->GetSafeHwnd();
            m_pParent->SetFocusReturnWindow(hWndOld);
        }
        if (!m_bPopup)
            m_pParent->SetPopupControl(-1);
    }
    SetFocused(TRUE);
    ApplyCharFormat();
}

void CXTPControlComboBox::OnKillFocus()
{
    SetFocused(FALSE);
    ShowHintIfEmpty();
    if (m_bPopup && m_pParent)
        m_pParent->SetPopupControl(-1);
}

BOOL CXTPControlComboBox::OnSetSelected(int bSelected)
{
    const BOOL bChanged = CXTPControlPopup::OnSetSelected(bSelected);
    if (!bSelected)
    {
        if (m_bFocused)
        {
            SetFocused(FALSE);
            ShowHintIfEmpty();
        }
        if (m_bPopup && m_pParent && m_pParent->GetPosition() != xtpBarPopup)
            m_pParent->SetPopupControl(-1);
        ApplyCharFormat();
    }
    return bChanged;
}

// ---------------------------------------------------------------- opening, executing, clicks

BOOL CXTPControlComboBox::SetPopup(BOOL bPopup)
{
    if (bPopup)
    {
        m_bExecuted = FALSE;
        m_nLastSel = GetCurSel();
        m_bPopup = TRUE; // the focus that follows must not close the list it is opening
        if (m_pEdit && m_pEdit->GetSafeHwnd() && ::GetFocus() != m_pEdit->GetSafeHwnd())
            m_pEdit->SetFocus();
    }
    else if (!m_bExecuted)
    {
        if (!m_bFocused && !m_pEdit)
        {
            if (CXTPControlComboBoxList* pList = GetComboBoxList())
                pList->SetCurSel(m_nLastSel);
            m_nCurSelNoList = m_nLastSel;
        }
        NotifySite(CBN_SELENDCANCEL);
    }
    return CXTPControlPopup::SetPopup(bPopup);
}

void CXTPControlComboBox::OnExecute()
{
    const int nSel = GetCurSel();
    if (nSel != -1 && (m_bPopup || (!m_pEdit && m_bFocused)))
        NotifySite(CBN_SELENDOK);
    m_bExecuted = TRUE;
    m_nLastSel = nSel;
    m_nCurSelNoList = nSel;
    // The command runs while the list is still open; then every tracking bar ends (the list
    // closes, the field is left).
    InternalAddRef();
    if (m_nId)
        SendExecuteCommand(m_pParent, m_nId);
    XTPMouseManager()->SendTrackLostAll();
    if (m_bPopup && m_pParent)
        m_pParent->SetPopupControl(-1);
    InternalRelease();
}

void CXTPControlComboBox::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (m_pEdit && m_pEdit->IsImeComposing())
        return;
    if (IsCustomizeMode())
    {
        if (m_pParent)
        {
            m_pParent->SetPopupControl(-1);
            m_pParent->SetSelected(-1);
        }
        OnCustomizeMouseDown(pt);
        return;
    }
    if (bKeyboard)
    {
        if (!GetEnabled())
            return;
        if (m_bFocused)
            OnExecute();
        else
            SetFocused(TRUE);
        return;
    }
    if (m_bPopup && m_bFocused && m_pParent)
    {
        m_pParent->SetPopupControl(-1);
        return;
    }
    CXTPControlPopup::OnClick(bKeyboard, pt);
}

BOOL CXTPControlComboBox::OnMouseWheel(short zDelta)
{
    CXTPControlComboBoxList* pList = GetComboBoxList();
    if (!m_bFocused || m_bPopup || !pList)
        return FALSE;
    return pList->ProcessListKey(zDelta <= 0 ? VK_DOWN : VK_UP, this) != 0;
}

void CXTPControlComboBox::OnMouseMove(CPoint point)
{
    if (!GetEnabled() || !m_bSelected)
        return;
    const int nHot = point.x >= m_rcControl.right - m_nThumbWidth ? xtpSplitDropDownPart : 1;
    if (nHot != m_bSelected)
    {
        m_bSelected = nHot;
        RedrawParent(FALSE);
    }
}

// ---------------------------------------------------------------- keys

BOOL CXTPControlComboBox::OnHookKeyDown(UINT nChar, LPARAM /*lParam*/)
{
    if (!m_bFocused)
        return 0;
    m_bIgnoreAutoComplete = nChar == VK_DELETE || nChar == VK_BACK;
    if (m_pEdit && m_pEdit->IsImeComposing())
        return 2;
    if (nChar == VK_TAB || nChar == VK_RETURN)
        return 0;
    CXTPControlComboBoxList* pList = GetComboBoxList();
    if (nChar == VK_ESCAPE)
    {
        CXTPCommandBar* pParent = m_pParent;
        if (m_bPopup && pParent)
            pParent->SetPopupControl(-1);
        // Back to the state of focus time, without telling the site of a new selection.
        if (pList)
            pList->SetCurSel(m_nLastSel);
        m_nCurSelNoList = m_nLastSel;
        m_bUpdatingFromList = TRUE;
        SetEditText(m_pEdit ? m_strFocusText : GetSelectedItemText());
        m_bUpdatingFromList = FALSE;
        m_bExecuted = TRUE; // nothing to cancel any more
        SetFocused(FALSE);
        return pParent && pParent->GetPosition() == xtpBarPopup ? 1 : 0;
    }
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    if (bAlt && !bCtrl)
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if ((nChar != VK_UP && nChar != VK_DOWN) && pCommandBars && pCommandBars->ProcessMnemonicKey(nChar))
            return 1;
    }
    if (((nChar == VK_UP || nChar == VK_DOWN) && bAlt) || (nChar == VK_F4 && !bAlt))
    {
        OnClick(FALSE, CPoint(m_rcControl.right - 1, m_rcControl.CenterPoint().y));
        return 1;
    }
    if (!pList)
        return 2;
    if (m_pEdit)
    {
        if (!bAlt && (nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_UP || nChar == VK_DOWN))
        {
            pList->ProcessListKey(nChar, this);
            return 1;
        }
    }
    else
    {
        pList->ProcessListKey(nChar, this);
        return 1;
    }
    const BOOL bEditKey = (bCtrl && (nChar == 'C' || nChar == 'V' || nChar == 'X' || nChar == 'Z')) ||
                          nChar == VK_BACK || (nChar >= VK_PRIOR && nChar <= VK_DELETE);
    if (bEditKey && m_pEdit && m_pEdit->GetSafeHwnd())
    {
        m_pEdit->SendMessage(WM_KEYDOWN, nChar, 0);
        return 1;
    }
    return 2;
}

// ---------------------------------------------------------------- the control's operations

void CXTPControlComboBox::OnEnabledChanged()
{
    if (m_pEdit && m_pEdit->GetSafeHwnd())
        m_pEdit->EnableWindow(GetEnabled());
    ApplyCharFormat();
}

BOOL CXTPControlComboBox::IsCaptionVisible() const
{
    if (m_pParent && m_pParent->IsPopupType())
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    const int nStyle = GetStyle();
    if (nStyle == xtpButtonCaption || nStyle == xtpButtonIconAndCaption || nStyle == xtpButtonIconAndCaptionBelow)
        return TRUE;
    return m_nComboStyle == 1;
}

BOOL CXTPControlComboBox::Compare(CXTPControl* pOther)
{
    return DYNAMIC_DOWNCAST(CXTPControlComboBox, pOther) != nullptr && CXTPControl::Compare(pOther);
}

void CXTPControlComboBox::SetParent(CXTPCommandBar* pParent)
{
    if (pParent)
    {
        CWnd* pSite = pParent->GetSite();
        CXTPControlComboBoxList* pList = GetComboBoxList();
        if (pSite && pSite->GetSafeHwnd() && pList && pList->GetSafeHwnd())
            ::SetWindowLongPtrA(pList->GetSafeHwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pSite->GetSafeHwnd()));
    }
    else if (m_pEdit && m_pEdit->GetSafeHwnd())
    {
        GetEditText();
        m_pEdit->DestroyWindow();
    }
    CXTPControlPopup::SetParent(pParent);
}

void CXTPControlComboBox::OnRemoved()
{
    RefreshVisibility();
    if (!m_pControls && m_pEdit && m_pEdit->GetSafeHwnd())
    {
        GetEditText();
        m_pEdit->DestroyWindow();
    }
    CXTPControlPopup::OnRemoved();
}

void CXTPControlComboBox::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    ExchangeBoolProperty(pPX, "DropDown", m_bDropDown, TRUE);
    ExchangeIntProperty(pPX, "Width", m_nWidth, 0);
    ExchangeIntProperty(pPX, "ComboStyle", m_nComboStyle, 0);
    const int nSchema = pPX->m_nSchema;
    if (nSchema > 8)
    {
        ExchangeStringProperty(pPX, "EditHint", m_strEditHint, "");
        ExchangeIntProperty(pPX, "ShellAutoCompleteFlags", m_dwShellAutoCompleteFlags, 0);
        ExchangeBoolProperty(pPX, "AutoComplete", m_bAutoComplete, FALSE);
        ExchangeIntProperty(pPX, "EditIconId", m_nEditIconId, 0);
        ExchangeIntProperty(pPX, "DropDownItemCount", m_nDropDownItemCount, 12);
    }
    if (nSchema > 16)
        ExchangeIntProperty(pPX, "EditStyle", m_dwEditStyle, 0);
    if (nSchema > 34)
        ExchangeIntProperty(pPX, "TextLimit", m_nTextLimit, 0);
    // The list's rows travel in a section of the combo's own.
    if (CXTPControlComboBoxList* pList = GetComboBoxList())
    {
        if (CXTPPropExchange* pSection = pPX->GetSection("List"))
        {
            pList->DoPropExchange(pSection);
            pSection->InternalRelease();
        }
    }
    if (pPX->IsLoading())
    {
        EnableEdit(m_bDropDown);
        EnableShellAutoComplete(m_dwShellAutoCompleteFlags);
    }
}

void CXTPControlComboBox::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControlComboBox* pSrc = DYNAMIC_DOWNCAST(CXTPControlComboBox, pControl);
    if (!pSrc || pSrc == this)
    {
        CXTPControl::Copy(pControl, bRecursive);
        return;
    }
    m_dwEditStyle = pSrc->m_dwEditStyle;
    m_nComboStyle = pSrc->m_nComboStyle;
    SetEditText(pSrc->GetEditTextWithoutHint());
    m_strEditHint = pSrc->m_strEditHint;
    EnableEdit(pSrc->m_bDropDown);
    m_bAutoComplete = pSrc->m_bAutoComplete;
    m_dwShellAutoCompleteFlags = pSrc->m_dwShellAutoCompleteFlags;
    m_nEditIconId = pSrc->m_nEditIconId;
    m_nDropDownItemCount = pSrc->m_nDropDownItemCount;
    m_nTextLimit = pSrc->m_nTextLimit;
    // The control's own fields, then the list: its icon id, rows and item data.
    CXTPControl::Copy(pControl, bRecursive);
    CXTPControlComboBoxList* pList = GetComboBoxList();
    CXTPControlComboBoxList* pSrcList = pSrc->GetComboBoxList();
    if (pList && pSrcList)
        pList->Copy(pSrcList, bRecursive);
}

// ---------------------------------------------------------------- the edit part's window

IMPLEMENT_DYNAMIC(CXTPControlComboBoxEditCtrl, CXTPCommandBarEditCtrl)

BEGIN_MESSAGE_MAP(CXTPControlComboBoxEditCtrl, CXTPCommandBarEditCtrl)
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_MOUSEMOVE()
ON_WM_DESTROY()
ON_WM_RBUTTONDOWN()
ON_WM_CONTEXTMENU()
ON_WM_KEYDOWN()
ON_MESSAGE(XTP_WM_COMBO_CLOSELIST, OnCloseList)
ON_MESSAGE(WM_XTP_TOOLTIP_QUERY, OnQueryBarEdit)
ON_CONTROL_REFLECT(EN_CHANGE, OnEditChange)
END_MESSAGE_MAP()

void CXTPControlComboBoxEditCtrl::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pComboBox && m_pComboBox->IsCustomizeMode())
        return;
    if (m_pComboBox)
        m_pComboBox->OnSetFocus(pOldWnd);
    Default();
    SendMessage(EM_SETSEL, 0, 0);
    SendMessage(EM_SCROLLCARET);
    PostMessage(EM_SETSEL, 0, -1);
}

void CXTPControlComboBoxEditCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CXTPCommandBarEditCtrl::OnKillFocus(pNewWnd);
    if (m_pComboBox)
        m_pComboBox->OnKillFocus();
}

void CXTPControlComboBoxEditCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    CXTPCommandBar* pBar = m_pComboBox ? m_pComboBox->GetParent() : nullptr;
    if (pBar && pBar->GetSafeHwnd())
    {
        MapWindowPoints(pBar, &point, 1);
        pBar->OnTrackedMouseMove(nFlags, point);
    }
}

void CXTPControlComboBoxEditCtrl::OnDestroy()
{
    if (m_pComboBox)
    {
        GetWindowText(m_pComboBox->m_strText);
        m_pComboBox->m_bTextStale = FALSE;
    }
    Default();
}

void CXTPControlComboBoxEditCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPCommandBar* pBar = m_pComboBox ? m_pComboBox->GetParent() : nullptr;
    if (m_pComboBox && m_pComboBox->IsCustomizeMode())
    {
        if (pBar && pBar->GetSafeHwnd())
        {
            MapWindowPoints(pBar, &point, 1);
            pBar->SendMessage(WM_RBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
        }
        return;
    }
    if (m_pComboBox)
    {
        if (m_pComboBox->GetCommandBar())
            m_pComboBox->GetCommandBar()->SetTrackingMode(FALSE);
        m_pComboBox->SetFocused(TRUE);
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (!ShowContextMenu(m_pComboBox, ptScreen))
        Default();
}

void CXTPControlComboBoxEditCtrl::OnContextMenu(CWnd*, CPoint)
{
}

void CXTPControlComboBoxEditCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_RETURN && ::GetFocus() == m_hWnd && m_pComboBox)
    {
        m_pComboBox->OnExecute();
        return;
    }
    Default();
}

LRESULT CXTPControlComboBoxEditCtrl::OnCloseList(WPARAM, LPARAM)
{
    if (m_pComboBox && m_pComboBox->GetCommandBar())
        m_pComboBox->GetCommandBar()->SetTrackingMode(FALSE);
    return 0;
}

LRESULT CXTPControlComboBoxEditCtrl::OnQueryBarEdit(WPARAM, LPARAM)
{
    return 1;
}

void CXTPControlComboBoxEditCtrl::OnEditChange()
{
    if (!m_pComboBox)
        return;
    m_pComboBox->m_bTextStale = TRUE;
    if (::GetFocus() == m_hWnd && !m_bIgnoreChange)
        m_pComboBox->OnEditChanged();
}
