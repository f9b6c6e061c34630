#include "toolkit/common/tooltips/XTPToolTipContextToolTip.h"

#include "framework/DC.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/system/XTPSystemHelpers.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CXTPToolTipContextToolTip, CWnd)

BOOL (*CXTPToolTipContextToolTip::s_pfnCursorPos)(POINT*) = nullptr;

namespace
{
// The one mouse hook and the window that holds it.
HHOOK g_hMouseHook = nullptr;
CXTPToolTipContextToolTip* g_pHookOwner = nullptr;

BOOL IsRelayedMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) || message == WM_MOUSELEAVE ||
           message == WM_NCMOUSELEAVE;
}

BOOL IsAnyButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) || (::GetKeyState(VK_RBUTTON) & 0x8000) ||
           (::GetKeyState(VK_MBUTTON) & 0x8000);
}
} // namespace

BEGIN_MESSAGE_MAP(CXTPToolTipContextToolTip, CWnd)
    ON_MESSAGE(TTM_ADDTOOLA, OnAddTool)
    ON_MESSAGE(TTM_ACTIVATE, OnActivate)
    ON_MESSAGE(TTM_DELTOOLA, OnDelTool)
    ON_MESSAGE(TTM_RELAYEVENT, OnRelayEvent)
    ON_MESSAGE(TTM_SETTITLEA, OnSetTitle)
    ON_MESSAGE(TTM_UPDATETIPTEXTA, OnUpdateTipText)
    ON_MESSAGE(TTM_SETDELAYTIME, OnSetDelayTime)
    ON_MESSAGE(WM_XTP_TOOLTIP_SETICON, OnSetIcon)
    ON_MESSAGE(WM_XTP_TOOLTIP_QUERY, OnQueryToolTip)
    ON_MESSAGE(TTM_WINDOWFROMPOINT, OnWindowFromPoint)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(TTM_SETMAXTIPWIDTH, OnIgnoredSetting)
    ON_MESSAGE(TTM_SETMARGIN, OnIgnoredSetting)
    ON_MESSAGE(TTM_SETTIPBKCOLOR, OnIgnoredSetting)
    ON_MESSAGE(TTM_SETTIPTEXTCOLOR, OnIgnoredSetting)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEACTIVATE()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CXTPToolTipContextToolTip::CXTPToolTipContextToolTip(CXTPToolTipContext* pContext) : m_pContext(pContext) {}

CXTPToolTipContextToolTip::~CXTPToolTipContextToolTip()
{
    RemoveHook();
    if (m_hWnd)
        DestroyWindow();
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++)
        delete m_arrTools[i];
    m_arrTools.RemoveAll();
    if (m_pIcon)
        m_pIcon->InternalRelease();
}

LPCSTR CXTPToolTipContextToolTip::GetClassNameForStyle(DWORD dwStyle)
{
    return (GetClassStyle(dwStyle) & CS_DROPSHADOW) ? "XTPToolTipShadow" : "XTPToolTip";
}

UINT CXTPToolTipContextToolTip::GetClassStyle(DWORD dwStyle)
{
    UINT nStyle = CS_OWNDC | CS_SAVEBITS; // 0x820
    if (IsWinXPOrGreater() && !(dwStyle & XTP_TTS_NOSHADOW))
        nStyle |= CS_DROPSHADOW;
    return nStyle;
}

BOOL CXTPToolTipContextToolTip::Create(CWnd* pOwner, DWORD dwStyle)
{
    m_hWndOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    LPCSTR lpszClass = GetClassNameForStyle(dwStyle);
    if (!RegisterDefaultWindowClass(nullptr, lpszClass, GetClassStyle(dwStyle)))
        return FALSE;
    return CreateEx(WS_EX_TOOLWINDOW, lpszClass, nullptr, WS_POPUP | dwStyle, 0, 0, 0, 0, m_hWndOwner, nullptr);
}

// ---- measuring and placement

CSize CXTPToolTipContextToolTip::CalcLayoutSize(const XTP_TOOLTIP_LAYOUT& layout,
                                                const std::function<CSize(int)>& measureDescription)
{
    const int nFrameX = layout.rcMargin.left + layout.rcMargin.right + 6;
    const int nFrameY = layout.rcMargin.top + layout.rcMargin.bottom + 6;
    CSize szTitle(0, 0);
    if (layout.bTitle)
        szTitle = CSize(layout.szTitle.cx + 4, layout.szTitle.cy + 20);

    int nTextIcon = 0;
    const BOOL bIcon = layout.szIcon.cx > 0 && layout.szIcon.cy > 0;
    if (bIcon)
    {
        if (layout.szIcon.cy > 16)
            nTextIcon = layout.szIcon.cx + 5;
        else if (layout.bTitle)
            szTitle.cx += layout.szIcon.cx + 1;
        else
            nTextIcon = layout.szIcon.cx + 3;
    }

    int nWrap = layout.nMaxTipWidth - nFrameX;
    if (layout.bTitle)
        nWrap = std::max(nWrap, static_cast<int>(szTitle.cx)) - 25;
    if (nWrap < 1)
        nWrap = 1;
    CSize szText = measureDescription(nWrap);
    szText.cx += nTextIcon;
    if (bIcon)
        szText.cy = std::max(szText.cy, layout.szIcon.cy);

    CSize sz(nFrameX + szText.cx, nFrameY + szText.cy + szTitle.cy);
    if (layout.bTitle)
        sz.cx = std::max(sz.cx + 25, szTitle.cx);
    return sz;
}

CRect CXTPToolTipContextToolTip::CalcTipRect(const XTP_TOOLTIP_PLACEMENT& placement)
{
    const CSize sz = placement.szTip;
    CRect rc;
    if (placement.bExclude)
    {
        rc = CRect(CPoint(placement.rcExclude.left, placement.rcExclude.bottom), sz);
    }
    else
    {
        rc = CRect(CPoint(placement.ptCursor.x, placement.ptCursor.y + placement.nCursorBelow), sz);
        if (placement.bRightToLeft)
            rc.OffsetRect(-sz.cx, 0);
    }
    const CRect& rcWork = placement.rcWork;
    if (rc.right > rcWork.right - 4)
        rc.OffsetRect(rcWork.right - 4 - rc.right, 0);
    if (rc.left < rcWork.left)
        rc.OffsetRect(rcWork.left - rc.left, 0);
    if (rc.bottom > rcWork.bottom - 4)
        rc.OffsetRect(0, placement.ptCursor.y - 3 - rc.bottom);
    return rc;
}

int CXTPToolTipContextToolTip::GetCursorVisibleBottom(HCURSOR hCursor)
{
    ICONINFO info = {};
    if (!hCursor || !::GetIconInfo(hCursor, &info))
        return ::GetSystemMetrics(SM_CYCURSOR) / 2;
    int nBottom = -1;
    BITMAP bm = {};
    if (info.hbmMask && ::GetObject(info.hbmMask, sizeof(bm), &bm) && bm.bmWidth > 0 && bm.bmHeight > 0)
    {
        const BOOL bMono = info.hbmColor == nullptr;
        const int cy = bMono ? bm.bmHeight / 2 : bm.bmHeight;
        const int cx = bm.bmWidth;
        // Read the mask as 32-bit pixels: white (transparent) in the AND half, colour in the XOR half.
        struct
        {
            BITMAPINFOHEADER bmih;
            RGBQUAD colours[2];
        } bmi = {};
        bmi.bmih.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmih.biWidth = cx;
        bmi.bmih.biHeight = -bm.bmHeight;
        bmi.bmih.biPlanes = 1;
        bmi.bmih.biBitCount = 32;
        bmi.bmih.biCompression = BI_RGB;
        CArray<DWORD, DWORD> bits;
        bits.SetSize(static_cast<INT_PTR>(cx) * bm.bmHeight);
        HDC hDC = ::GetDC(nullptr);
        int nRows = ::GetDIBits(hDC, info.hbmMask, 0, bm.bmHeight, bits.GetData(),
                                reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, hDC);
        if (nRows > 0)
        {
            for (int y = cy - 1; y >= 0 && nBottom < 0; y--)
            {
                for (int x = 0; x < cx; x++)
                {
                    BOOL bAnd = (bits[static_cast<INT_PTR>(y) * cx + x] & 0xFFFFFF) != 0;
                    BOOL bXor = bMono && (bits[static_cast<INT_PTR>(y + cy) * cx + x] & 0xFFFFFF) != 0;
                    if (!bAnd || bXor)
                    {
                        nBottom = y;
                        break;
                    }
                }
            }
        }
    }
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (nBottom < 0)
        return ::GetSystemMetrics(SM_CYCURSOR) / 2;
    return std::max(0, nBottom + 1 - static_cast<int>(info.yHotspot));
}

// ---- tools

HWND CXTPToolTipContextToolTip::WindowFromPointEx(POINT pt)
{
    HWND hWnd = ::WindowFromPoint(pt);
    if (hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
    {
        DWORD_PTR dwResult = 0;
        if (::SendMessageTimeoutA(hWnd, WM_XTP_TOOLTIP_QUERY, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 200, &dwResult) &&
            dwResult == 1)
            hWnd = ::GetParent(hWnd);
    }
    return hWnd;
}

BOOL CXTPToolTipContextToolTip::GetCursorPosition(POINT* pt)
{
    if (s_pfnCursorPos)
        return s_pfnCursorPos(pt);
    return ::GetCursorPos(pt);
}

CXTPToolTipContextToolTip::TOOLITEM* CXTPToolTipContextToolTip::FindTool(HWND hWnd, UINT_PTR uId) const
{
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++)
    {
        if (m_arrTools[i]->hWnd == hWnd && m_arrTools[i]->uId == uId)
            return m_arrTools[i];
    }
    return nullptr;
}

CXTPToolTipContextToolTip::TOOLITEM* CXTPToolTipContextToolTip::ToolFromPoint(POINT pt, BOOL bButtonDown) const
{
    if (bButtonDown)
        return nullptr;
    HWND hWndUnder = WindowFromPointEx(pt);
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++)
    {
        TOOLITEM* pTool = m_arrTools[i];
        if (!::IsWindow(pTool->hWnd))
            continue;
        const BOOL bIdIsWindow = (pTool->uFlags & TTF_IDISHWND) != 0;
        CRect rc;
        if (bIdIsWindow)
        {
            ::GetWindowRect(reinterpret_cast<HWND>(pTool->uId), &rc);
        }
        else
        {
            rc = pTool->rect;
            ::MapWindowPoints(pTool->hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
            rc.NormalizeRect();
        }
        if (!rc.PtInRect(pt))
            continue;
        if (!bIdIsWindow && pTool->hWnd != hWndUnder)
            continue;
        return pTool;
    }
    return nullptr;
}

CString CXTPToolTipContextToolTip::GetToolText(const TOOLITEM* pTool) const
{
    CString strText;
    if (!pTool)
        return strText;
    if (pTool->bTextCallback)
    {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = m_hWnd;
        info.hdr.idFrom = pTool->uId;
        info.hdr.code = TTN_NEEDTEXTA;
        info.uFlags = pTool->uFlags;
        info.lpszText = info.szText;
        ::SendMessageA(pTool->hWnd, WM_NOTIFY, pTool->uId, reinterpret_cast<LPARAM>(&info));
        if (info.lpszText && !IS_INTRESOURCE(info.lpszText))
        {
            strText = info.lpszText;
        }
        else if (info.lpszText)
        {
            char sz[1024] = {};
            if (::LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), sz, sizeof(sz)))
                strText = sz;
        }
    }
    else
    {
        strText = pTool->strText;
    }
    // The context has already stripped the texts it was given; only the owner's answers are
    // stripped here (twice would turn "&&" into nothing).
    if (pTool->bTextCallback && !(m_pContext->GetToolTipStyle() & XTP_TTS_NOPREFIX_FLAG) && !strText.IsEmpty())
    {
        LPSTR p = strText.GetBuffer(strText.GetLength());
        StripAmpersandsA(p);
        strText.ReleaseBuffer();
    }
    return strText;
}

BOOL CXTPToolTipContextToolTip::IsOwnerRightToLeft(const TOOLITEM* pTool) const
{
    HWND hWnd = pTool ? pTool->hWnd : m_hWndOwner;
    return hWnd && (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

CRect CXTPToolTipContextToolTip::GetContentRect(const CRect& rcClient) const
{
    CRect rcMargin = m_pContext->GetMargin();
    return CRect(rcClient.left + rcMargin.left + 3, rcClient.top + rcMargin.top + 3,
                 rcClient.right - rcMargin.right - 3, rcClient.bottom - rcMargin.bottom - 3);
}

CSize CXTPToolTipContextToolTip::CalcTipSize(TOOLITEM* pTool, CDC* pDC)
{
    CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    CXTPFontDC font(pDC, m_pContext->GetFont());

    XTP_TOOLTIP_LAYOUT layout;
    layout.rcMargin = m_pContext->GetMargin();
    layout.nMaxTipWidth = m_pContext->GetMaxTipWidth();
    if (layout.nMaxTipWidth == -1)
        layout.nMaxTipWidth = ::GetSystemMetrics(SM_CXSCREEN);
    layout.bTitle = !m_strTitle.IsEmpty();
    if (layout.bTitle)
    {
        CXTPFontDC fontBold(pDC, m_pContext->GetBoldFont());
        CRect rc(0, 0, 0, 0);
        pDC->DrawText(m_strTitle, rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        layout.szTitle = rc.Size();
    }
    if (m_pIcon)
        layout.szIcon = CSize(m_pIcon->GetWidth(), m_pIcon->GetHeight());
    return CalcLayoutSize(layout, [&](int nWidth) {
        CRect rc(0, 0, nWidth, 0);
        pDC->DrawText(strText, rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        return rc.Size();
    });
}

void CXTPToolTipContextToolTip::DrawTip(CDC* pDC, const CRect& rcClient, TOOLITEM* pTool)
{
    CString strText = GetToolText(pTool);
    const BOOL bRtl = IsOwnerRightToLeft(pTool);
    CXTPFontDC font(pDC, m_pContext->GetFont());
    pDC->SetTextColor(m_pContext->GetTipTextColor());
    pDC->SetBkMode(TRANSPARENT);

    CRect rc = GetContentRect(rcClient);
    CRect rcTitle = rc;
    CRect rcText = rc;
    const BOOL bTitle = !m_strTitle.IsEmpty();
    const BOOL bSmallIcon = m_pIcon && m_pIcon->GetHeight() <= 16;
    if (bSmallIcon)
    {
        int cx = m_pIcon->GetWidth();
        m_pIcon->Draw(pDC, bRtl ? rc.right - cx : rc.left, rc.top, m_pIcon->GetImage());
        int nPush = bTitle ? cx + 1 : cx + 3;
        CRect& rcPushed = bTitle ? rcTitle : rcText;
        if (bRtl)
            rcPushed.right -= nPush;
        else
            rcPushed.left += nPush;
    }
    if (bTitle)
    {
        CXTPFontDC fontBold(pDC, m_pContext->GetBoldFont());
        CRect rcCalc(0, 0, 0, 0);
        pDC->DrawText(m_strTitle, rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        CRect rcDraw = rcTitle;
        rcDraw.DeflateRect(2, 2);
        pDC->DrawText(m_strTitle, rcDraw, DT_SINGLELINE | DT_NOPREFIX | (bRtl ? DT_RIGHT | DT_RTLREADING : 0));
        rcText = rc;
        rcText.top += rcCalc.Height() + 12;
        rcText.left += bRtl ? 15 : 10;
        rcText.right -= bRtl ? 10 : 15;
    }
    if (m_pIcon && !bSmallIcon)
    {
        int cx = m_pIcon->GetWidth();
        m_pIcon->Draw(pDC, bRtl ? rcText.right - cx : rcText.left, rcText.top, m_pIcon->GetImage());
        if (bRtl)
            rcText.right -= cx + 5;
        else
            rcText.left += cx + 5;
    }
    pDC->DrawText(strText, rcText,
                  DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | (bRtl ? DT_RIGHT | DT_RTLREADING : 0));
}

void CXTPToolTipContextToolTip::DrawBackground(CDC* pDC, const CRect& rcClient)
{
    m_pContext->DrawBackground(pDC, rcClient);
}

void CXTPToolTipContextToolTip::OnVisibleChanged(BOOL) {}

// ---- showing and hiding

void CXTPToolTipContextToolTip::ShowTool(TOOLITEM* pTool)
{
    if (!pTool)
    {
        HideTip();
        return;
    }
    if (pTool == m_pShown || !m_hWnd)
        return;
    CSize sz;
    {
        CClientDC dc(this);
        sz = CalcTipSize(pTool, &dc);
    }
    if (sz.cx <= 0 || sz.cy <= 0)
    {
        HideTip();
        return;
    }
    ShowWindow(SW_HIDE);
    if (m_bRegion)
    {
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        m_bRegion = FALSE;
    }
    m_pShown = pTool;

    XTP_TOOLTIP_PLACEMENT placement;
    placement.szTip = sz;
    GetCursorPosition(&placement.ptCursor);
    placement.nCursorBelow = GetCursorVisibleBottom(::GetCursor());
    placement.bRightToLeft = IsOwnerRightToLeft(pTool);
    if (pTool->bExclude)
    {
        placement.bExclude = TRUE;
        placement.rcExclude = pTool->rcExclude;
        ::MapWindowPoints(pTool->hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&placement.rcExclude), 2);
        placement.rcExclude.NormalizeRect();
    }
    placement.rcWork = GetMonitorHelper()->GetWorkAreaFromPoint(placement.ptCursor);
    CRect rc = CalcTipRect(placement);

    SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE);
    // The window's text is what it shows (title, then text), for accessibility and automation.
    CString strShown = GetToolText(pTool);
    if (!m_strTitle.IsEmpty())
        strShown = m_strTitle + "\r\n" + strShown;
    ::SetWindowTextA(m_hWnd, strShown);
    NMHDR nmhdr = {m_hWnd, pTool->uId, static_cast<UINT>(TTN_SHOW)};
    ::SendMessageA(pTool->hWnd, WM_NOTIFY, pTool->uId, reinterpret_cast<LPARAM>(&nmhdr));
    if (!m_hWnd || m_pShown != pTool)
        return; // the owner hid or destroyed the tip
    if (GetStyle() & XTP_TTS_OFFICE2007FRAME)
    {
        HRGN hRgn = ::CreateRectRgn(0, 0, rc.Width(), rc.Height());
        const POINT corners[4] = {{0, 0}, {rc.Width() - 1, 0}, {0, rc.Height() - 1}, {rc.Width() - 1, rc.Height() - 1}};
        for (const POINT& pt : corners)
        {
            HRGN hCorner = ::CreateRectRgn(pt.x, pt.y, pt.x + 1, pt.y + 1);
            ::CombineRgn(hRgn, hRgn, hCorner, RGN_DIFF);
            ::DeleteObject(hCorner);
        }
        ::SetWindowRgn(m_hWnd, hRgn, FALSE); // the window owns the region now
        m_bRegion = TRUE;
    }
    ShowWindow(SW_SHOWNOACTIVATE);
    Invalidate(FALSE);
    InstallHook();
    OnVisibleChanged(TRUE);
    if (m_nDelayAutoPop != 0)
        SetTimer(kTimerAutoPop, m_nDelayAutoPop, nullptr);
    m_dwLastShowHide = ::GetTickCount();
    m_bEverShown = TRUE;
}

void CXTPToolTipContextToolTip::HideTip()
{
    if (!m_pShown)
        return;
    m_pShown = nullptr;
    if (m_hWnd)
    {
        ShowWindow(SW_HIDE);
        KillTimer(kTimerAutoPop);
    }
    RemoveHook();
    m_dwLastShowHide = ::GetTickCount();
    m_bEverShown = TRUE;
    OnVisibleChanged(FALSE);
}

// ---- the mouse

void CXTPToolTipContextToolTip::ProcessMouse(UINT message)
{
    POINT pt = {};
    GetCursorPosition(&pt);
    TOOLITEM* pFound = ToolFromPoint(pt, FALSE);
    TOOLITEM* pTool = nullptr;
    if (message == WM_LBUTTONDOWN)
    {
        m_pClicked = pFound;
    }
    else
    {
        if (pFound != m_pClicked)
            m_pClicked = nullptr;
        if (pFound != m_pClicked && !IsAnyButtonDown())
            pTool = pFound;
    }

    if (m_pPending && m_pPending != pTool)
    {
        KillTimer(kTimerInitial);
        m_pPending = nullptr;
    }
    if (!pTool)
    {
        HideTip();
        return;
    }
    if (pTool == m_pShown)
        return;
    if (!m_bEverShown || ::GetTickCount() - m_dwLastShowHide >= m_nDelayReshow)
    {
        if (m_pPending != pTool)
        {
            m_pPending = pTool;
            SetTimer(kTimerInitial, m_nDelayInitial, nullptr);
        }
    }
    else
    {
        ShowTool(pTool);
    }
}

void CXTPToolTipContextToolTip::InstallHook()
{
    if (g_hMouseHook)
        return; // one hook at a time
    g_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseProc, nullptr, ::GetCurrentThreadId());
    if (g_hMouseHook)
        g_pHookOwner = this;
}

void CXTPToolTipContextToolTip::RemoveHook()
{
    if (g_pHookOwner != this)
        return;
    if (g_hMouseHook)
        ::UnhookWindowsHookEx(g_hMouseHook);
    g_hMouseHook = nullptr;
    g_pHookOwner = nullptr;
}

BOOL CXTPToolTipContextToolTip::IsHookInstalled() const
{
    return g_pHookOwner == this && g_hMouseHook != nullptr;
}

LRESULT CALLBACK CXTPToolTipContextToolTip::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_hMouseHook;
    try
    {
        CXTPToolTipContextToolTip* pOwner = g_pHookOwner;
        if (nCode == HC_ACTION && pOwner && pOwner->m_pShown && lParam)
        {
            const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
            if (WindowFromPointEx(pInfo->pt) != pOwner->m_pShown->hWnd)
                ::SendMessageA(pOwner->m_hWnd, WM_MOUSEMOVE, 0, 0);
        }
    }
    catch (...)
    {
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// ---- delays

UINT CXTPToolTipContextToolTip::GetDelay(int nKind) const
{
    switch (nKind)
    {
    case TTDT_RESHOW:
        return m_nDelayReshow;
    case TTDT_AUTOPOP:
        return m_nDelayAutoPop;
    case TTDT_INITIAL:
        return m_nDelayInitial;
    default:
        return 0;
    }
}

void CXTPToolTipContextToolTip::SetDelay(int nKind, int nDelay)
{
    // A negative time restores the window's own default.
    switch (nKind)
    {
    case TTDT_RESHOW:
        m_nDelayReshow = nDelay < 0 ? 200 : nDelay;
        break;
    case TTDT_AUTOPOP:
        m_nDelayAutoPop = nDelay < 0 ? 0 : nDelay;
        break;
    case TTDT_INITIAL:
        m_nDelayInitial = nDelay < 0 ? 500 : nDelay;
        break;
    case TTDT_AUTOMATIC:
        m_nDelayInitial = nDelay < 0 ? 500 : nDelay;
        m_nDelayReshow = nDelay < 0 ? 200 : nDelay / 5;
        m_nDelayAutoPop = nDelay < 0 ? 0 : nDelay * 10;
        break;
    default:
        break;
    }
}

// ---- messages

LRESULT CXTPToolTipContextToolTip::OnAddTool(WPARAM, LPARAM lParam)
{
    const TOOLINFOA* pInfo = reinterpret_cast<const TOOLINFOA*>(lParam);
    if (!pInfo || pInfo->cbSize < TTTOOLINFOA_V1_SIZE)
        return FALSE;
    TOOLITEM* pTool = FindTool(pInfo->hwnd, pInfo->uId);
    if (!pTool)
    {
        pTool = new TOOLITEM;
        m_arrTools.Add(pTool);
    }
    pTool->hWnd = pInfo->hwnd;
    pTool->uId = pInfo->uId;
    pTool->uFlags = pInfo->uFlags;
    pTool->rect = pInfo->rect;
    pTool->hInst = pInfo->hinst;
    pTool->bTextCallback = pInfo->lpszText == LPSTR_TEXTCALLBACKA;
    pTool->strText.Empty();
    if (!pTool->bTextCallback && pInfo->lpszText)
    {
        if (IS_INTRESOURCE(pInfo->lpszText))
        {
            char sz[1024] = {};
            if (::LoadStringA(pInfo->hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(pInfo->lpszText)), sz,
                              sizeof(sz)))
                pTool->strText = sz;
        }
        else
        {
            pTool->strText = pInfo->lpszText;
        }
    }
    pTool->bExclude = FALSE;
    if (pInfo->cbSize >= TTTOOLINFOA_V2_SIZE && pInfo->lParam)
    {
        const XTP_TOOLTIP_TOOLINFO_EX* pEx = reinterpret_cast<const XTP_TOOLTIP_TOOLINFO_EX*>(pInfo->lParam);
        if (!::IsRectEmpty(&pEx->rcExclude))
        {
            pTool->bExclude = TRUE;
            pTool->rcExclude = pEx->rcExclude;
        }
    }
    return TRUE;
}

LRESULT CXTPToolTipContextToolTip::OnActivate(WPARAM wParam, LPARAM)
{
    m_bActive = wParam != 0;
    if (!m_bActive)
    {
        KillTimer(kTimerInitial);
        m_pPending = nullptr;
        HideTip();
    }
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnDelTool(WPARAM, LPARAM lParam)
{
    const TOOLINFOA* pInfo = reinterpret_cast<const TOOLINFOA*>(lParam);
    if (!pInfo)
        return 0;
    TOOLITEM* pTool = FindTool(pInfo->hwnd, pInfo->uId);
    if (!pTool)
        return 0;
    if (m_pShown == pTool)
        HideTip();
    if (m_pPending == pTool)
    {
        KillTimer(kTimerInitial);
        m_pPending = nullptr;
    }
    if (m_pClicked == pTool)
        m_pClicked = nullptr;
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); i++)
    {
        if (m_arrTools[i] == pTool)
        {
            m_arrTools.RemoveAt(i);
            break;
        }
    }
    delete pTool;
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnRelayEvent(WPARAM, LPARAM lParam)
{
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (pMsg && m_bActive && IsRelayedMouseMessage(pMsg->message))
        ProcessMouse(pMsg->message);
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnSetTitle(WPARAM, LPARAM lParam)
{
    m_strTitle = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnUpdateTipText(WPARAM, LPARAM lParam)
{
    const TOOLINFOA* pInfo = reinterpret_cast<const TOOLINFOA*>(lParam);
    if (!pInfo)
        return 0;
    TOOLITEM* pTool = FindTool(pInfo->hwnd, pInfo->uId);
    if (!pTool)
        return 0;
    pTool->bTextCallback = pInfo->lpszText == LPSTR_TEXTCALLBACKA;
    pTool->strText = (!pTool->bTextCallback && pInfo->lpszText && !IS_INTRESOURCE(pInfo->lpszText)) ? pInfo->lpszText : "";
    if (pTool == m_pShown)
        Invalidate(FALSE);
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnSetDelayTime(WPARAM wParam, LPARAM lParam)
{
    const int nDelay = static_cast<int>(lParam) < 0 ? -1 : static_cast<int>(LOWORD(lParam));
    SetDelay(static_cast<int>(wParam), nDelay);
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnSetIcon(WPARAM, LPARAM lParam)
{
    CXTPImageManagerIcon* pIcon = reinterpret_cast<CXTPImageManagerIcon*>(lParam);
    if (pIcon)
        pIcon->InternalAddRef();
    if (m_pIcon)
        m_pIcon->InternalRelease();
    m_pIcon = pIcon;
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnQueryToolTip(WPARAM, LPARAM)
{
    return 1;
}

LRESULT CXTPToolTipContextToolTip::OnWindowFromPoint(WPARAM, LPARAM lParam)
{
    const POINT* pt = reinterpret_cast<const POINT*>(lParam);
    return pt ? reinterpret_cast<LRESULT>(WindowFromPointEx(*pt)) : 0;
}

LRESULT CXTPToolTipContextToolTip::OnSetFont(WPARAM, LPARAM)
{
    // The fonts are the context's.
    return 0;
}

LRESULT CXTPToolTipContextToolTip::OnIgnoredSetting(WPARAM, LPARAM)
{
    // Width, margins and colours are read from the context when the tip is measured and painted.
    return 0;
}

void CXTPToolTipContextToolTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    DrawBackground(&dc, rc);
    if (m_pShown)
        DrawTip(&dc, rc, m_pShown);
}

BOOL CXTPToolTipContextToolTip::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CXTPToolTipContextToolTip::OnNcHitTest(CPoint)
{
    return HTTRANSPARENT;
}

int CXTPToolTipContextToolTip::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void CXTPToolTipContextToolTip::OnMouseMove(UINT, CPoint)
{
    if (m_bActive)
        ProcessMouse(WM_MOUSEMOVE);
}

void CXTPToolTipContextToolTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerInitial)
    {
        KillTimer(kTimerInitial);
        TOOLITEM* pPending = m_pPending;
        m_pPending = nullptr;
        POINT pt = {};
        GetCursorPosition(&pt);
        TOOLITEM* pTool = ToolFromPoint(pt, IsAnyButtonDown());
        if (pPending && pTool == pPending && pTool != m_pClicked && m_bActive)
            ShowTool(pTool);
    }
    else if (nIDEvent == kTimerAutoPop)
    {
        KillTimer(kTimerAutoPop);
        OnActivate(FALSE, 0);
    }
}

void CXTPToolTipContextToolTip::OnDestroy()
{
    RemoveHook();
    KillTimer(kTimerInitial);
    KillTimer(kTimerAutoPop);
    m_pShown = nullptr;
    m_pPending = nullptr;
    m_pClicked = nullptr;
    CWnd::OnDestroy();
}
