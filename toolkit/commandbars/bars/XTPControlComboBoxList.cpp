#include "toolkit/commandbars/bars/XTPControlComboBoxList.h"

#include "toolkit/commandbars/controls/XTPControlComboBox.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"

#include <vector>

IMPLEMENT_DYNCREATE(CXTPControlComboBoxPopupBar, CXTPPopupBar)
IMPLEMENT_DYNCREATE(CXTPControlComboBoxList, CXTPControlComboBoxPopupBar)

namespace
{
// Rows a stored list may hold at most (a damaged count loads no more).
const int kMaxStoredItems = 0x10000;
} // namespace

CXTPControlComboBoxList::CXTPControlComboBoxList()
{
    m_barPosition = xtpBarPopup;
    m_bHideCaret = FALSE;
}

CXTPControlComboBoxList::~CXTPControlComboBoxList()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CXTPControlComboBoxList::CreateListWindow()
{
    std::vector<CString> rows;
    if (m_hWnd)
    {
        for (int i = 0; i < GetCount(); ++i)
            rows.push_back(GetText(i));
        DestroyWindow();
    }
    DWORD dwStyle = m_dwListStyle & ~static_cast<DWORD>(WS_DLGFRAME);
    const BOOL bOwnerDraw = (dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    if (bOwnerDraw)
        dwStyle |= LBS_HASSTRINGS; // the rows keep their texts; item data stays the caller's
    const DWORD dwExStyle = WS_EX_CLIENTEDGE | WS_EX_TOOLWINDOW;
    CWnd* pSite = GetSite();
    HWND hWndSite = pSite ? pSite->GetSafeHwnd() : nullptr;
    if (bOwnerDraw && hWndSite)
    {
        // Made as the site's child so that the site hears its drawing requests, then turned into
        // a popup the site owns.
        if (!CreateEx(dwExStyle, "LISTBOX", "", dwStyle | WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | LBS_NOTIFY, 0, 0,
                      0, 50, hWndSite, nullptr))
            return FALSE;
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE,
                            (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP);
        ::SetParent(m_hWnd, nullptr);
        ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hWndSite));
    }
    else if (!CreateEx(dwExStyle, "LISTBOX", "", dwStyle | WS_POPUP | WS_CLIPCHILDREN | WS_VSCROLL, 0, 0, 0, 50,
                       nullptr, nullptr))
    {
        return FALSE;
    }
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && m_nListIconId > 0)
    {
        CXTPImageManagerIcon* pIcon = GetImageManager()->GetImage(static_cast<UINT>(m_nListIconId), 0);
        if (pIcon)
            SendMessage(LB_SETITEMHEIGHT, 0, pIcon->GetHeight() + 4);
    }
    for (const CString& row : rows)
        AddString(row);
    return TRUE;
}

BOOL CXTPControlComboBoxList::Create()
{
    return m_hWnd || CreateListWindow();
}

BOOL CXTPControlComboBoxList::IsVisible() const
{
    return m_hWnd && ::IsWindowVisible(m_hWnd);
}

// ---------------------------------------------------------------- list-box operations

int CXTPControlComboBoxList::GetCount() const
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)) : 0;
}

int CXTPControlComboBoxList::GetCurSel() const
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0)) : LB_ERR;
}

int CXTPControlComboBoxList::SetCurSel(int nIndex)
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0)) : LB_ERR;
}

int CXTPControlComboBoxList::FindString(int nStartAfter, LPCSTR lpszText) const
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_FINDSTRING, static_cast<WPARAM>(nStartAfter),
                                                    reinterpret_cast<LPARAM>(lpszText)))
                  : LB_ERR;
}

int CXTPControlComboBoxList::FindStringExact(int nStartAfter, LPCSTR lpszText) const
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nStartAfter),
                                                    reinterpret_cast<LPARAM>(lpszText)))
                  : LB_ERR;
}

int CXTPControlComboBoxList::SetTopIndex(int nIndex)
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_SETTOPINDEX, static_cast<WPARAM>(nIndex), 0)) : LB_ERR;
}

int CXTPControlComboBoxList::GetTopIndex() const
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0)) : LB_ERR;
}

CString CXTPControlComboBoxList::GetText(int nIndex) const
{
    CString str;
    if (!m_hWnd)
        return str;
    const int nLength = static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
    if (nLength <= 0)
        return str;
    ::SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(str.GetBuffer(nLength + 1)));
    str.ReleaseBuffer();
    return str;
}

int CXTPControlComboBoxList::AddString(LPCSTR lpszText)
{
    if (!Create())
        return LB_ERR;
    return static_cast<int>(::SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszText)));
}

int CXTPControlComboBoxList::GetItemHeight() const
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_GETITEMHEIGHT, 0, 0)) : 0;
}

DWORD_PTR CXTPControlComboBoxList::GetItemData(int nIndex) const
{
    return m_hWnd ? static_cast<DWORD_PTR>(::SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0)) : 0;
}

int CXTPControlComboBoxList::SetItemData(int nIndex, DWORD_PTR dwData)
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(nIndex),
                                                    static_cast<LPARAM>(dwData)))
                  : LB_ERR;
}

void CXTPControlComboBoxList::ResetContent()
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0);
}

// ---------------------------------------------------------------- opening and closing

CSize CXTPControlComboBoxList::CalcListSize() const
{
    CXTPControlComboBox* pCombo = m_pComboBox;
    int nRows = pCombo ? pCombo->GetDropDownItemCount() : 12;
    if (nRows > GetCount())
        nRows = GetCount();
    if (nRows < 1)
        nRows = 1;
    const int nWidth = m_nListWidth > 0 ? m_nListWidth : (pCombo ? pCombo->GetRect().Width() : 100);
    return CSize(nWidth, GetItemHeight() * nRows + 4);
}

BOOL CXTPControlComboBoxList::Popup(CXTPControl* pControl, BOOL bSelectFirst)
{
    CXTPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CXTPControlComboBox, pControl);
    if (!pCombo || !Create())
        return FALSE;
    m_pControlPopup = pCombo;
    m_pComboBox = pCombo;
    if (CXTPPaintManager* pPaintManager = pCombo->GetPaintManager())
    {
        CFont* pFont = pPaintManager->GetControlFont(pCombo);
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), FALSE);
    }
    CXTPCommandBar* pParent = pCombo->GetParent();
    CWnd* pOwner = pParent ? pParent->GetOwnerSite() : nullptr;
    if (pOwner && pOwner->GetSafeHwnd())
        ::SendMessageA(pOwner->GetSafeHwnd(), XTP_WM_POPUPBAR_OPENING, 0, reinterpret_cast<LPARAM>(this));
    CXTPCommandBars* pCommandBars = GetCommandBars();
    const DWORD dwRtl = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    if (pCommandBars && pCommandBars->IsLayoutRTL())
        ModifyStyleEx(0, dwRtl);
    else
        ModifyStyleEx(dwRtl, 0);

    SetTrackingMode(TRUE, FALSE, bSelectFirst);
    if (!m_bTracking)
        return FALSE;
    UpdateExcludeRect();
    UpdateLocation(CalcListSize());
    EnableWindow(TRUE);
    return TRUE;
}

BOOL CXTPControlComboBoxList::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if ((bMode != 0) == (m_bTracking != 0))
        return FALSE;
    if (bMode)
    {
        if (!CXTPCommandBar::SetTrackingMode(bMode, FALSE, bKeyboard))
            return FALSE;
        ++XTPMouseManager()->m_nLock;
        if (m_pComboBox)
        {
            m_pComboBox->SynchronizeSelection();
            m_pComboBox->NotifySite(CBN_DROPDOWN);
        }
        return TRUE;
    }
    // Keep this object and the combo while the list closes.
    InternalAddRef();
    CXTPControlComboBox* pCombo = m_pComboBox;
    if (pCombo)
        pCombo->InternalAddRef();
    CXTPCommandBar::SetTrackingMode(FALSE, bSelectFirst, bKeyboard);
    if (pCombo)
        pCombo->NotifySite(CBN_CLOSEUP);
    --XTPMouseManager()->m_nLock;
    if (m_hWnd)
        ShowWindow(SW_HIDE);
    CXTPCommandBar* pParent = pCombo ? pCombo->GetParent() : nullptr;
    if (pParent && pParent->GetPopped() == pCombo->GetIndex())
        pParent->SetPopupControl(-1);
    m_pControlPopup = nullptr;
    m_pComboBox = nullptr;
    if (pCombo)
        pCombo->InternalRelease();
    InternalRelease();
    return TRUE;
}

// ---------------------------------------------------------------- keys

int CXTPControlComboBoxList::ProcessListKey(UINT nChar, CXTPControlComboBox* pCombo)
{
    if (!m_hWnd)
        return 0;
    const int nOldSel = GetCurSel();
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    const BOOL bEditable = pCombo ? pCombo->IsEditable() : FALSE;
    if (bEditable)
    {
        if (bAlt)
            return 0;
        if (nChar != VK_PRIOR && nChar != VK_NEXT && nChar != VK_UP && nChar != VK_DOWN)
            return 0;
        DefWindowProc(WM_KEYDOWN, nChar, 0);
    }
    else
    {
        if (((nChar == VK_UP || nChar == VK_DOWN) && bAlt) || (nChar == VK_F4 && !bAlt))
            return 0;
        MSG msg = {};
        msg.hwnd = m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = nChar;
        DefWindowProc(WM_KEYDOWN, nChar, 0);
        // A character the key makes goes to the list at once (type-ahead).
        ::TranslateMessage(&msg);
        MSG chr;
        if (::PeekMessageA(&chr, m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE))
            DefWindowProc(WM_CHAR, chr.wParam, chr.lParam);
    }
    if (GetCurSel() == nOldSel)
        return 1;
    if (pCombo)
    {
        pCombo->OnSelChanged();
        if (CXTPControlComboBoxEditCtrl* pEdit = pCombo->GetEditCtrl())
        {
            if (pEdit->GetSafeHwnd())
            {
                pEdit->SetSel(0, -1);
                pEdit->SendMessage(EM_SCROLLCARET);
            }
        }
    }
    return 1;
}

int CXTPControlComboBoxList::OnHookKeyDown(UINT nChar, LPARAM /*lParam*/)
{
    CXTPControlComboBox* pCombo = m_pComboBox;
    if (!pCombo)
        return CXTPCommandBar::OnHookKeyDown(nChar, 0);
    if (pCombo->GetEditCtrl() && pCombo->GetEditCtrl()->IsImeComposing())
        return 2;
    if (pCombo->IsFocused())
    {
        // A focused combo decides for its list.
        const int nAnswer = pCombo->OnHookKeyDown(nChar, 0);
        if (nAnswer != 0)
            return nAnswer;
        if (nChar == VK_RETURN)
        {
            pCombo->OnExecute();
            return 1;
        }
        return 2;
    }
    if (nChar == VK_ESCAPE)
    {
        SetTrackingMode(FALSE);
        return 1;
    }
    if (nChar == VK_TAB)
        return 0;
    if (nChar == VK_RETURN)
    {
        pCombo->OnExecute();
        return 1;
    }
    return ProcessListKey(nChar, pCombo);
}

// ---------------------------------------------------------------- the window

LRESULT CXTPControlComboBoxList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_LBUTTONUP:
        if (CXTPControlComboBox* pCombo = m_pComboBox)
        {
            pCombo->OnSelChanged();
            pCombo->OnExecute();
        }
        return 0;
    case WM_MOUSEMOVE:
    {
        const LRESULT lHit = DefWindowProc(LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(lHit) == 0)
        {
            const int nRow = LOWORD(lHit);
            if (nRow != GetCurSel())
                SetCurSel(nRow);
        }
        return 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCPAINT:
    {
        const LRESULT lResult = DefWindowProc(message, wParam, lParam);
        CWindowDC dc(this);
        CRect rc;
        GetWindowRect(&rc);
        rc.OffsetRect(-rc.left, -rc.top);
        CXTPPaintManager* pPaintManager = GetPaintManager();
        const COLORREF clrFrame = pPaintManager ? pPaintManager->GetColor(43) : ::GetSysColor(COLOR_WINDOWFRAME);
        const COLORREF clrInside = pPaintManager ? pPaintManager->GetColor(COLOR_WINDOW) : ::GetSysColor(COLOR_WINDOW);
        dc.Draw3dRect(&rc, clrFrame, clrFrame);
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, clrInside, clrInside);
        return lResult;
    }
    case WM_MOUSEWHEEL:
        return DefWindowProc(message, wParam, lParam);
    case WM_DESTROY:
    case WM_NCDESTROY:
        // The bar's own cleanup.
        return CXTPControlComboBoxPopupBar::WindowProc(message, wParam, lParam);
    default:
        break;
    }
    // Everything else is the list box's own.
    return DefWindowProc(message, wParam, lParam);
}

BOOL CXTPControlComboBoxList::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if ((message == WM_DRAWITEM || message == WM_MEASUREITEM) && m_pComboBox && lParam)
    {
        if (message == WM_DRAWITEM)
            m_pComboBox->DrawListItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        else
            m_pComboBox->MeasureListItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        if (pResult)
            *pResult = TRUE;
        return TRUE;
    }
    return CXTPControlComboBoxPopupBar::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------- copies and persistence

void CXTPControlComboBoxList::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPControlComboBoxList* pSrc = DYNAMIC_DOWNCAST(CXTPControlComboBoxList, pCommandBar);
    if (!pSrc || pSrc == this)
        return;
    CXTPPopupBar::Copy(pCommandBar, bRecursive);
    m_nListIconId = pSrc->m_nListIconId;
    m_dwListStyle = pSrc->m_dwListStyle;
    m_nListWidth = pSrc->m_nListWidth;
    if (!Create())
        return;
    ResetContent();
    for (int i = 0; i < pSrc->GetCount(); ++i)
    {
        const int nRow = AddString(pSrc->GetText(i));
        SetItemData(nRow, pSrc->GetItemData(i));
    }
}

void CXTPControlComboBoxList::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPPopupBar::DoPropExchange(pPX);
    if (pPX->m_nSchema > 23)
        ExchangeIntProperty(pPX, "ListIconId", m_nListIconId, -1);
    CXTPPropExchange* pItems = pPX->GetSection("Items");
    if (!pItems)
        return;
    if (pPX->IsLoading())
    {
        if (Create())
        {
            ResetContent();
            DWORD dwCount = static_cast<DWORD>(pItems->ReadCount());
            // A negative count reads as 0; a huge one is capped.
            int nCount = static_cast<int>(dwCount);
            if (nCount < 0)
                nCount = 0;
            if (nCount > kMaxStoredItems)
                nCount = kMaxStoredItems;
            for (int i = 0; i < nCount; ++i)
            {
                CString strName, strItem;
                strName.Format("Item%i", i);
                ExchangeStringProperty(pItems, strName, strItem, "");
                const int nRow = AddString(strItem);
                if (pPX->m_nSchema > 36)
                {
                    int nData = 0;
                    strName.Format("ItemData%i", i);
                    ExchangeIntProperty(pItems, strName, nData, 0);
                    SetItemData(nRow, static_cast<DWORD_PTR>(static_cast<UINT>(nData)));
                }
            }
        }
    }
    else
    {
        const int nCount = GetCount();
        pItems->WriteCount(static_cast<DWORD>(nCount));
        for (int i = 0; i < nCount; ++i)
        {
            CString strName, strItem = GetText(i);
            strName.Format("Item%i", i);
            ExchangeStringProperty(pItems, strName, strItem, "");
            if (pPX->m_nSchema > 36)
            {
                int nData = static_cast<int>(GetItemData(i));
                strName.Format("ItemData%i", i);
                ExchangeIntProperty(pItems, strName, nData, 0);
            }
        }
    }
    pItems->InternalRelease();
}
