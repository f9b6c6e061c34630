// CXTPHeaderCtrl: messages, sorting from the column menu, frozen columns and column fitting.
#include "toolkit/controls/XTPHeaderCtrl.h"

#include "framework/ListCtrl.h"
#include "framework/Menu.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/common/system/XTPAuxData.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/resources/XTPResourceManager.h"
#include "toolkit/common/drawing/XTPScopedDC.h"
#include "toolkit/controls/XTPControlsResourceIds.h"

IMPLEMENT_DYNAMIC(CXTPHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CXTPHeaderCtrl, CHeaderCtrl)
ON_WM_WINDOWPOSCHANGING()
ON_WM_SETCURSOR()
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_RBUTTONUP()
ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGA, OnItemChanging)
ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGW, OnItemChanging)
ON_COMMAND(XTP_IDC_SORTASC, OnSortAsc)
ON_COMMAND(XTP_IDC_SORTDSC, OnSortDsc)
ON_COMMAND(XTP_IDC_ALIGNLEFT, OnAlignLeft)
ON_COMMAND(XTP_IDC_ALIGNCENTER, OnAlignCenter)
ON_COMMAND(XTP_IDC_ALIGNRIGHT, OnAlignRight)
ON_MESSAGE(HDM_LAYOUT, OnLayout)
ON_MESSAGE(WM_XTP_SETCONTROLTHEME, OnSetTheme)
END_MESSAGE_MAP()

CXTPHeaderCtrl::CXTPHeaderCtrl()
{
    m_bRTL = IsRightToLeftReading() ? 1 : 0;
    SetTheme(0);
}

CXTPHeaderCtrl::~CXTPHeaderCtrl()
{
    if (m_pTheme)
        m_pTheme->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_arFrozenCols.RemoveAll();
}

void CXTPHeaderCtrl::RedrawNow()
{
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

int CXTPHeaderCtrl::SetSortImage(int nCol, BOOL bAsc)
{
    int nPrev = m_nSortedCol;
    m_nSortedCol = nCol;
    m_bAscending = bAsc;
    RedrawNow();
    return nPrev;
}

int CXTPHeaderCtrl::GetSortedColumn(BOOL* pbAscending) const
{
    if (pbAscending)
        *pbAscending = m_bAscending;
    return m_nSortedCol;
}

int CXTPHeaderCtrl::HitTest(int x, int y, UINT* pFlags) const
{
    HDHITTESTINFO hti = {};
    hti.pt.x = x;
    hti.pt.y = y;
    int nCol = GetSafeHwnd() ? int(::SendMessageA(m_hWnd, HDM_HITTEST, 0, LPARAM(&hti))) : -1;
    if (pFlags)
        *pFlags = GetSafeHwnd() ? hti.flags : 0;
    return nCol;
}

BOOL CXTPHeaderCtrl::SetTheme(int nTheme)
{
    if (m_pTheme)
    {
        m_pTheme->InternalRelease();
        m_pTheme = nullptr;
    }
    switch (nTheme)
    {
    case 1:
    case 2:
    case 3:
    case 4:
        m_pTheme = new CXTPHeaderCtrlThemeOfficeXP();
        break;
    case 5:
        m_pTheme = new CXTPHeaderCtrlThemeOffice2003();
        break;
    case 6:
    case 8:
    case 9:
    case 10:
        m_pTheme = new CXTPHeaderCtrlThemeExplorer();
        m_pTheme->SetDrawStyle(HDR_XTP_WINDEF | HDR_XTP_HOTTRACKING | HDR_XTP_SORTARROW, this);
        break;
    case 7:
        m_pTheme = new CXTPHeaderCtrlThemeResource();
        break;
    default:
        m_pTheme = new CXTPHeaderCtrlTheme();
        break;
    }
    RefreshMetrics();
    return m_pTheme != nullptr;
}

void CXTPHeaderCtrl::FreezeColumn(int nCol)
{
    if (!IsColFrozen(nCol))
        m_arFrozenCols.AddTail(reinterpret_cast<void*>(INT_PTR(nCol)));
}

void CXTPHeaderCtrl::ThawColumn(int nCol)
{
    POSITION pos = m_arFrozenCols.Find(reinterpret_cast<void*>(INT_PTR(nCol)));
    if (pos)
        m_arFrozenCols.RemoveAt(pos);
}

void CXTPHeaderCtrl::ThawAllColumns()
{
    m_arFrozenCols.RemoveAll();
}

BOOL CXTPHeaderCtrl::IsColFrozen(int nCol) const
{
    return m_arFrozenCols.Find(reinterpret_cast<void*>(INT_PTR(nCol))) != nullptr;
}

void CXTPHeaderCtrl::SetImageManager(CXTPImageManager* pImageManager)
{
    if (pImageManager)
        pImageManager->InternalAddRef();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
    RedrawNow();
}

BOOL CXTPHeaderCtrl::IsListParent() const
{
    if (!GetSafeHwnd())
        return FALSE;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return pParent && pParent->GetSafeHwnd() && ::IsWindow(pParent->GetSafeHwnd()) &&
           (pParent->IsKindOf(RUNTIME_CLASS(CListCtrl)) || pParent->IsKindOf(RUNTIME_CLASS(CListView)));
}

BOOL CXTPHeaderCtrl::IsColumnPressed(int nCol)
{
    if (!m_bLBtnDown || !GetSafeHwnd())
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    UINT nFlags = 0;
    return HitTest(pt.x, pt.y, &nFlags) == nCol && (nFlags & HHT_ONHEADER);
}

BOOL CXTPHeaderCtrl::RecalcLayout()
{
    if (!GetSafeHwnd())
        return FALSE;
    CRect rc;
    GetClientRect(&rc);
    WINDOWPOS wp = {};
    HDLAYOUT layout = {&rc, &wp};
    if (!::SendMessageA(m_hWnd, HDM_LAYOUT, 0, LPARAM(&layout)))
        return FALSE;
    ::SetWindowPos(m_hWnd, wp.hwndInsertAfter, wp.x, wp.y, wp.cx, wp.cy, wp.flags | SWP_FRAMECHANGED);
    HWND hParent = ::GetParent(m_hWnd);
    if (!hParent || !::IsWindow(hParent))
        return FALSE;
    CRect rcParent;
    ::GetWindowRect(hParent, &rcParent);
    ::SetWindowPos(hParent, nullptr, 0, 0, rcParent.Width(), rcParent.Height() + 1,
                   SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(hParent, nullptr, 0, 0, rcParent.Width(), rcParent.Height(),
                   SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CXTPHeaderCtrl::ApplyFont(BOOL bBold)
{
    if (!GetSafeHwnd())
        return;
    CXTPAuxData* pData = GetAuxData();
    CFont& font = bBold ? pData->fontBold : pData->font;
    SendMessage(WM_SETFONT, WPARAM(font.GetSafeHandle()), FALSE);
}

void CXTPHeaderCtrl::SetFontBold(BOOL bBold)
{
    ApplyFont(bBold);
    RedrawNow();
}

void CXTPHeaderCtrl::SetPopupMenu(UINT nMenuID, int nPos)
{
    m_popupMenuID = nMenuID;
    m_nPos = nPos;
}

void CXTPHeaderCtrl::ShowSortArrow(BOOL bShow)
{
    if (!m_pTheme)
        return;
    int nStyle = m_pTheme->GetDrawStyle();
    nStyle = bShow ? (nStyle | HDR_XTP_SORTARROW) : (nStyle & ~HDR_XTP_SORTARROW);
    m_pTheme->SetDrawStyle(nStyle, this);
}

void CXTPHeaderCtrl::SetColumnAlignment(int nFormat)
{
    int nCol = HitTest(m_pt.x, m_pt.y);
    if (nCol < 0 || !IsListParent())
        return;
    HWND hParent = ::GetParent(m_hWnd);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    if (!::SendMessageA(hParent, LVM_GETCOLUMNA, WPARAM(nCol), LPARAM(&column)))
        return;
    column.fmt = (column.fmt & ~LVCFMT_JUSTIFYMASK) | (nFormat & LVCFMT_JUSTIFYMASK);
    ::SendMessageA(hParent, LVM_SETCOLUMNA, WPARAM(nCol), LPARAM(&column));
    ::SendMessageA(hParent, LVM_SETWORKAREAS, 0, 0);
}

BOOL CXTPHeaderCtrl::IsRightToLeftReading()
{
    HDC hDC = ::GetDC(nullptr);
    UINT nAlign = ::GetTextAlign(hDC);
    ::ReleaseDC(nullptr, hDC);
    return nAlign != GDI_ERROR && (nAlign & TA_RTLREADING);
}

void CXTPHeaderCtrl::DistributeColumnWidth(int nWidth)
{
    if (!GetSafeHwnd())
        return;
    const int nCount = GetItemCount();
    int nFree = 0;
    for (int i = 0; i < nCount; ++i)
        if (!IsColFrozen(i))
            ++nFree;
    if (nFree <= 0)
        return;
    const int nShare = nWidth / nFree;
    if (nShare <= m_nMinWidth)
        return;
    HWND hParent = ::GetParent(m_hWnd);
    for (int i = 0; i < nCount; ++i)
        if (!IsColFrozen(i))
            ::SendMessageA(hParent, LVM_SETCOLUMNWIDTH, WPARAM(i), MAKELPARAM(nShare, 0));
}

void CXTPHeaderCtrl::FitColumnsToClient(int nWidth)
{
    if (!GetSafeHwnd())
        return;
    if (nWidth <= 0)
    {
        CRect rc;
        GetWindowRect(&rc);
        nWidth = rc.Width();
    }
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent && (::GetWindowLongA(hParent, GWL_STYLE) & WS_VSCROLL))
        nWidth -= ::GetSystemMetrics(SM_CXVSCROLL);
    DistributeColumnWidth(nWidth - GetFrozenColumnsWidth());
}

int CXTPHeaderCtrl::GetFrozenColumnsWidth()
{
    int nWidth = 0;
    POSITION pos = m_arFrozenCols.GetHeadPosition();
    while (pos)
    {
        int nCol = int(INT_PTR(m_arFrozenCols.GetNext(pos)));
        CRect rc;
        if (GetSafeHwnd() && GetItemRect(nCol, &rc))
            nWidth += rc.Width();
    }
    return nWidth;
}

void CXTPHeaderCtrl::RefreshMetrics()
{
    if (m_pTheme)
        m_pTheme->RefreshMetrics(this);
    RedrawNow();
}

BOOL CXTPHeaderCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
        RefreshMetrics();
    return CHeaderCtrl::OnWndMsg(message, wParam, lParam, pResult);
}

void CXTPHeaderCtrl::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if (!m_bAutoFit)
    {
        Default();
        return;
    }
    if (GetItemCount() > 0 && ::GetCapture() != ::GetParent(m_hWnd) && !(lpwndpos->flags & SWP_NOSIZE))
    {
        CRect rc;
        GetWindowRect(&rc);
        if (lpwndpos->cx != rc.Width())
            FitColumnsToClient(lpwndpos->cx);
    }
}

BOOL CXTPHeaderCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!m_arFrozenCols.IsEmpty())
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        int nCol = HitTest(pt.x, pt.y);
        if (nCol >= 0)
        {
            BOOL bArrow = IsColFrozen(nCol);
            if (!bArrow)
            {
                int nNeighbour = m_bRTL ? nCol + 1 : nCol - 1;
                CRect rc;
                if (nNeighbour >= 0 && nNeighbour < GetItemCount() && IsColFrozen(nNeighbour) &&
                    GetItemRect(nCol, &rc))
                {
                    int nMiddle = rc.left + (rc.right - rc.left) / 2;
                    bArrow = m_bRTL ? pt.x >= nMiddle : pt.x <= nMiddle;
                }
            }
            if (bArrow)
            {
                ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
                return TRUE;
            }
        }
    }
    (void)pWnd;
    (void)nHitTest;
    (void)message;
    return BOOL(Default());
}

void CXTPHeaderCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (!m_pTheme)
    {
        DefWindowProc(WM_PAINT, WPARAM(dc.GetSafeHdc()), 0);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    CXTPBufferDC buffer(dc.GetSafeHdc(), rc);
    m_pTheme->DrawHeader(&buffer, this);
}

LRESULT CXTPHeaderCtrl::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
    CDC* pDC = CDC::FromHandle(HDC(wParam));
    if (m_pTheme && wParam && pDC)
    {
        m_pTheme->DrawHeader(pDC, this);
        return 1;
    }
    return Default();
}

BOOL CXTPHeaderCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CXTPHeaderCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bLBtnDown = TRUE;
    Default();
}

void CXTPHeaderCtrl::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bLBtnDown = FALSE;
    Default();
}

void CXTPHeaderCtrl::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
    if (m_pTheme && m_pTheme->UsesWinTheme(this))
        SetTimer(XTP_TID_HEADER_HOT, 10);
    Default();
}

void CXTPHeaderCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == XTP_TID_HEADER_HOT)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        int nCol = HitTest(pt.x, pt.y);
        if (nCol < 0)
        {
            KillTimer(XTP_TID_HEADER_HOT);
            if (m_bPainted)
                RedrawNow();
            m_bPainted = FALSE;
            m_iHotCol = -1;
            return;
        }
        if (nCol != m_iHotCol)
        {
            m_iHotCol = nCol;
            m_bPainted = FALSE;
        }
        if (!m_bPainted)
        {
            RedrawNow();
            m_bPainted = TRUE;
        }
    }
    Default();
}

void CXTPHeaderCtrl::OnDestroy()
{
    KillTimer(XTP_TID_HEADER_HOT);
    if (m_pTheme)
        m_pTheme->ReleaseItemImages(this);
    Default();
}

void CXTPHeaderCtrl::OnRButtonUp(UINT /*nFlags*/, CPoint point)
{
    m_pt = point;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    HWND hParent = ::GetParent(m_hWnd);
    if ((hParent && (::GetWindowLongA(hParent, GWL_STYLE) & LVS_NOSORTHEADER)) || !m_bEnableMenu)
    {
        Default();
        return;
    }
    if (m_popupMenuID)
    {
        CMenu menu;
        if (!menu.LoadMenu(m_popupMenuID))
            return;
        CMenu* pPopup = menu.GetSubMenu(m_nPos);
        CWnd* pOwner = GetOwner() ? GetOwner() : GetParent();
        if (pPopup && pOwner)
            pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, pOwner);
        menu.DestroyMenu();
        return;
    }
    const int nCol = HitTest(point.x, point.y);
    if (nCol < 0)
        return;
    CMenu menu;
    if (!GetResourceManager()->LoadMenu(&menu, XTP_IDR_MENU_HEADERCTRL))
        return;
    CMenu* pPopup = menu.GetSubMenu(2);
    if (pPopup)
    {
        if (nCol == m_nSortedCol)
            pPopup->CheckMenuItem(m_bAscending ? XTP_IDC_SORTASC : XTP_IDC_SORTDSC, MF_BYCOMMAND | MF_CHECKED);
        if (IsListParent())
        {
            LVCOLUMNA column = {};
            column.mask = LVCF_FMT;
            if (::SendMessageA(hParent, LVM_GETCOLUMNA, WPARAM(nCol), LPARAM(&column)))
            {
                switch (column.fmt & LVCFMT_JUSTIFYMASK)
                {
                case LVCFMT_LEFT:
                    pPopup->CheckMenuItem(XTP_IDC_ALIGNLEFT, MF_BYCOMMAND | MF_CHECKED);
                    break;
                case LVCFMT_RIGHT:
                    pPopup->CheckMenuItem(XTP_IDC_ALIGNRIGHT, MF_BYCOMMAND | MF_CHECKED);
                    break;
                case LVCFMT_CENTER:
                    pPopup->CheckMenuItem(XTP_IDC_ALIGNCENTER, MF_BYCOMMAND | MF_CHECKED);
                    break;
                default:
                    break;
                }
            }
        }
        // Without TPM_RETURNCMD the popup sends the chosen command to this header once.
        CXTPCommandBars::TrackCommandBarsPopupMenu(pPopup, TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this,
                                                   XTP_IDR_TBAR_HDR, FALSE);
    }
    menu.DestroyMenu();
}

BOOL CXTPHeaderCtrl::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    // HDN_ITEMCHANGINGA and W carry the same NMHEADER; only the item's text differs.
    const NMHEADERA* pHeader = reinterpret_cast<const NMHEADERA*>(pNMHDR);
    *pResult = FALSE;
    if (pHeader->pitem && (pHeader->pitem->mask & HDI_WIDTH))
    {
        if (IsColFrozen(pHeader->iItem) || pHeader->pitem->cxy < m_nMinWidth)
            *pResult = TRUE;
    }
    // The parent still sees the notification unless the change is refused.
    return *pResult != FALSE;
}

void CXTPHeaderCtrl::SortFromMenu(BOOL bAscending)
{
    int nCol = HitTest(m_pt.x, m_pt.y);
    if (nCol < 0 || (nCol == m_nSortedCol && bAscending == m_bAscending))
        return;
    m_bAscending = bAscending;
    m_nSortedCol = nCol;
    SendItemClick(nCol);
}

void CXTPHeaderCtrl::SendItemClick(int nCol)
{
    if (!IsListParent())
        return;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    char szText[256] = {};
    HDITEMA hdi = {};
    hdi.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE | HDI_ORDER;
    hdi.pszText = szText;
    hdi.cchTextMax = 255;
    GetItem(nCol, &hdi);
    NMHEADERA nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    nm.hdr.code = UINT(HDN_ITEMCLICKA);
    nm.iItem = nCol;
    nm.iButton = 1;
    nm.pitem = &hdi;
    HWND hParent = pParent->GetSafeHwnd();
    ::SendMessageA(hParent, WM_NOTIFY, WPARAM(nm.hdr.idFrom), LPARAM(&nm));
    if (::IsWindow(hParent))
        CWnd::SendMessageToDescendants(hParent, WM_NOTIFY, WPARAM(nm.hdr.idFrom), LPARAM(&nm), TRUE, FALSE);
}

void CXTPHeaderCtrl::OnSortAsc()
{
    SortFromMenu(TRUE);
}

void CXTPHeaderCtrl::OnSortDsc()
{
    SortFromMenu(FALSE);
}

void CXTPHeaderCtrl::OnAlignLeft()
{
    SetColumnAlignment(LVCFMT_LEFT);
}

void CXTPHeaderCtrl::OnAlignCenter()
{
    SetColumnAlignment(LVCFMT_CENTER);
}

void CXTPHeaderCtrl::OnAlignRight()
{
    SetColumnAlignment(LVCFMT_RIGHT);
}

LRESULT CXTPHeaderCtrl::OnLayout(WPARAM wParam, LPARAM lParam)
{
    if (m_pTheme)
        return m_pTheme->Layout(reinterpret_cast<HDLAYOUT*>(lParam), this);
    return DefWindowProc(HDM_LAYOUT, wParam, lParam);
}

LRESULT CXTPHeaderCtrl::OnSetTheme(WPARAM wParam, LPARAM /*lParam*/)
{
    SetTheme(int(wParam));
    return 0;
}
