#include "toolkit/commandbars/controls/XTPControlComboBox.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlComboBoxAutoCompleteWnd.h"
#include "toolkit/commandbars/bars/XTPControlComboBoxList.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlComboBox, CXTPControlPopup, XTP_CONTROL_CLASS_SCHEMA)

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
    delete m_pAutoCompleteWnd;
    m_pAutoCompleteWnd = nullptr;
    if (m_pEdit)
    {
        // The window goes on its own: it tells this combo nothing any more.
        m_field.SetWindow(nullptr);
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
        m_field.SetWindow(m_pEdit);
    }
    else if (!bEnable && m_pEdit)
    {
        m_field.DestroyFieldWindow();
        m_field.SetWindow(nullptr);
        m_pEdit->m_pComboBox = nullptr;
        delete m_pEdit;
        m_pEdit = nullptr;
    }
    m_bForceLayout = TRUE;
    DelayLayoutParent();
}

CString CXTPControlComboBox::GetEditText() const
{
    return m_field.GetText();
}

void CXTPControlComboBox::SetEditText(const CString& strText)
{
    m_field.SetText(strText);
}

void CXTPControlComboBox::SetEditHint(LPCSTR lpszHint)
{
    if (!m_bFocused && m_pEdit)
        m_field.RemoveShownHint(m_bFocused);
    m_field.SetHint(lpszHint ? lpszHint : "");
    if (m_pEdit)
        m_field.ShowHintIfEmpty(m_bFocused);
    RedrawParent(FALSE);
}

CString CXTPControlComboBox::GetEditTextWithoutHint() const
{
    return m_field.GetTextWithoutHint();
}

BOOL CXTPControlComboBox::EnableShellAutoComplete(DWORD dwFlags)
{
    m_dwShellAutoCompleteFlags = dwFlags;
    return CXTPControlComboBoxAutoCompleteWnd::Reattach(m_pAutoCompleteWnd, m_pEdit ? m_pEdit->GetSafeHwnd() : nullptr,
                                                        dwFlags);
}

void CXTPControlComboBox::SetMeasures(int nLabelWidth, int nDropDownWidth)
{
    if (nLabelWidth == m_nLabelWidth && nDropDownWidth == m_nThumbWidth)
        return;
    m_nLabelWidth = nLabelWidth;
    m_nThumbWidth = nDropDownWidth;
    m_bForceLayout = TRUE;
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
    if (!m_field.CreateFieldWindow(m_dwEditStyle, m_nTextLimit))
        return FALSE;
    if (m_dwShellAutoCompleteFlags)
        EnableShellAutoComplete(m_dwShellAutoCompleteFlags);
    return TRUE;
}

void CXTPControlComboBox::SetRect(CRect rcControl)
{
    if (m_field.IsWindowStale(m_bRecreate))
        m_field.DestroyFieldWindow();
    m_bRecreate = FALSE;
    const BOOL bHasWindow = m_field.HasWindow();
    if (m_rcControl == rcControl && (bHasWindow || !m_pEdit) && !m_bForceLayout)
        return;
    m_rcControl = rcControl;
    m_bForceLayout = FALSE;
    if (!m_pEdit || !m_pParent || !m_pParent->GetSafeHwnd())
        return;
    if (!bHasWindow && !CreateEditWindow())
        return;
    m_field.PlaceWindow(GetEditWindowRect(), m_bFocused);
}

void CXTPControlComboBox::SetHideFlags(int dwFlags)
{
    if (dwFlags == m_dwHideFlags)
        return;
    CXTPControlPopup::SetHideFlags(dwFlags);
    m_field.RefreshVisibility();
    DelayLayoutParent();
}

void CXTPControlComboBox::OnCalcDynamicSize(DWORD dwMode)
{
    SetHideFlags(CXTPControlFieldText::HideFlagsForLayout(m_dwHideFlags, dwMode));
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
    if (GetCurSel() < 0 && !GetEditHint().IsEmpty() && bEnabled && !m_bFocused)
    {
        strText = GetEditHint();
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
    InternalAddRef();
    if (bFocused)
    {
        m_nLastSel = GetCurSel();
        m_bExecuted = FALSE;
        m_field.EnterFocus(CBN_SETFOCUS);
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
        m_field.LeaveFocus(CBN_KILLFOCUS);
    }
    RedrawParent(FALSE);
    InternalRelease();
}

void CXTPControlComboBox::OnSetFocus(CWnd* pOldWnd)
{
    m_field.RemoveShownHint(TRUE);
    m_strFocusText = GetEditTextWithoutHint();
    m_bIgnoreAutoComplete = TRUE;
    SynchronizeSelection();
    m_field.StoreFocusReturn(pOldWnd);
    if (m_pParent && !m_bPopup)
        m_pParent->SetPopupControl(-1);
    SetFocused(TRUE);
    ApplyCharFormat();
    if (m_pAutoCompleteWnd)
        m_pAutoCompleteWnd->SetupWindowHook(TRUE);
}

void CXTPControlComboBox::OnKillFocus()
{
    if (m_pAutoCompleteWnd)
        m_pAutoCompleteWnd->SetupWindowHook(FALSE);
    SetFocused(FALSE);
    if (m_pEdit)
        m_field.ShowHintIfEmpty(m_bFocused);
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
            if (m_pEdit)
                m_field.ShowHintIfEmpty(m_bFocused);
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
    if (!m_bFocused || m_bPopup || !pList || m_pAutoCompleteWnd)
        return FALSE;
    return pList->ProcessListKey(zDelta <= 0 ? VK_DOWN : VK_UP, this) != 0;
}

void CXTPControlComboBox::DrawListItem(LPDRAWITEMSTRUCT lpDrawItem)
{
    if (!lpDrawItem || static_cast<int>(lpDrawItem->itemID) < 0 || !lpDrawItem->hDC)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItem->hDC);
    CRect rc(lpDrawItem->rcItem);
    const BOOL bSelected = (lpDrawItem->itemState & ODS_SELECTED) != 0;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    COLORREF clrText = ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (pPaintManager)
    {
        clrText = pPaintManager->GetStateTextColor(bSelected, FALSE, TRUE, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
        if (bSelected)
            pPaintManager->DrawStateFace(pDC, rc, TRUE, FALSE, TRUE, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
        else
            pDC->FillSolidRect(&rc, pPaintManager->GetColor(COLOR_WINDOW));
    }
    else
    {
        pDC->FillSolidRect(&rc, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    }

    CRect rcText = rc;
    const int nListIconId = GetListIconId();
    CXTPImageManager* pImageManager = GetImageManager();
    if (nListIconId > 0 && pImageManager)
    {
        CXTPImageManagerIcon* pIcon =
            pImageManager->GetImage(static_cast<UINT>(nListIconId) + lpDrawItem->itemID, 0);
        if (pIcon)
        {
            const CSize sz(pIcon->GetWidth(), pIcon->GetHeight());
            const CPoint pt(rc.left + 2, rc.top + (rc.Height() - sz.cy) / 2);
            pIcon->Draw(pDC, pt.x, pt.y, bSelected ? pIcon->GetHotImage() : pIcon->GetImage(), sz.cx, sz.cy);
            rcText.left += sz.cx + 2;
        }
    }
    rcText.left += 3;
    CFont* pOldFont = pPaintManager ? pDC->SelectObject(pPaintManager->GetControlFont(this)) : nullptr;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const CString strText = GetListText(static_cast<int>(lpDrawItem->itemID));
    pDC->DrawText(strText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
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
    if (CXTPControlFieldText::IsWindowKey(nChar, bCtrl) && m_field.HasWindow())
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
    return CXTPControlFieldText::IsCaptionVisible(this, m_nComboStyle == 1);
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
    else
    {
        m_field.DestroyFieldWindow();
    }
    CXTPControlPopup::SetParent(pParent);
}

void CXTPControlComboBox::OnRemoved()
{
    m_field.RefreshVisibility();
    if (!m_pControls)
        m_field.DestroyFieldWindow();
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
        CString strHint = m_field.GetHint();
        ExchangeStringProperty(pPX, "EditHint", strHint, "");
        m_field.SetHint(strHint);
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
    m_field.SetHint(pSrc->GetEditHint());
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
ON_MESSAGE(XTP_WM_COMBO_CLOSELIST, OnCloseList)
END_MESSAGE_MAP()

void CXTPControlComboBox::OnFieldChanged(BOOL bByUser)
{
    if (bByUser)
        OnEditChanged();
}

void CXTPControlComboBox::OnFieldContextMenu()
{
    if (m_pCommandBar)
        m_pCommandBar->SetTrackingMode(FALSE);
    SetFocused(TRUE);
}

LRESULT CXTPControlComboBoxEditCtrl::OnCloseList(WPARAM, LPARAM)
{
    if (m_pComboBox && m_pComboBox->GetCommandBar())
        m_pComboBox->GetCommandBar()->SetTrackingMode(FALSE);
    return 0;
}
