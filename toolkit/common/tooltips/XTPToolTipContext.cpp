#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/system/XTPNcMetrics.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/resources/XTPResourceImages.h"
#include "toolkit/common/resources/XTPResourceManager.h"
#include "toolkit/common/system/XTPSystemHelpers.h"

#include <cstdlib>
#include <cstring>

DWORD CXTPToolTipContext::s_dwHtmlTimeout = 3000;

namespace
{
constexpr DWORD kManagedStyleFlags = XTP_TTS_OFFICEFRAME | XTP_TTS_NOSHADOW | XTP_TTS_OFFICE2007FRAME; // 0x7000

LPSTR DuplicateText(LPCSTR lpszText)
{
    if (!lpszText)
        return nullptr;
    size_t n = std::strlen(lpszText) + 1;
    LPSTR p = static_cast<LPSTR>(std::malloc(n));
    if (p)
        std::memcpy(p, lpszText, n);
    return p;
}

BOOL IsOwnText(LPCSTR lpszText)
{
    return lpszText && lpszText != LPSTR_TEXTCALLBACKA && !IS_INTRESOURCE(lpszText);
}

BOOL IsMoveOrRelease(UINT message)
{
    switch (message)
    {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSELEAVE:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL IsClickOrKey(UINT message)
{
    if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_SYSKEYDOWN && message <= WM_SYSDEADCHAR))
        return TRUE;
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return TRUE;
    default:
        return FALSE;
    }
}

// "Open..." -> "Open"; "..." stays.
void StripTrailingDots(LPSTR lpszText)
{
    if (!IsOwnText(lpszText))
        return;
    size_t n = std::strlen(lpszText);
    if (n >= 4 && std::strcmp(lpszText + n - 3, "...") == 0)
        lpszText[n - 3] = 0;
}
} // namespace

CXTPToolTipContext::CXTPToolTipContext()
{
    std::memset(&m_lastInfo, 0, sizeof(m_lastInfo));
    std::memset(&m_lastInfoEx, 0, sizeof(m_lastInfoEx));
    m_nMaxTipWidth = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    m_rcMargin.SetRectEmpty();
    m_dwComCtlVersion = CXTPOsVersion::GetComCtlVersion();

    CXTPNcMetrics metrics;
    LOGFONTA lf = metrics.lfMessageFont;
    lf.lfCharSet = GetResourceManager()->GetFontCharset();
    lf.lfWeight = FW_NORMAL;
    m_fnt.CreateFontIndirect(&lf);
    CreateBoldFont();
}

CXTPToolTipContext::~CXTPToolTipContext()
{
    DestroyToolTip();
}

void CXTPToolTipContext::CreateBoldFont()
{
    LOGFONTA lf = {};
    m_fnt.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.DeleteObject();
    m_fntBold.CreateFontIndirect(&lf);
}

// ---- settings

BOOL CXTPToolTipContext::SetStyle(int nStyle)
{
    if (nStyle == m_nStyle)
        return FALSE;
    if (nStyle == xtpToolTipBalloon && m_dwComCtlVersion <= 0x5004F)
        return FALSE;
    DestroyToolTip();
    m_nStyle = nStyle;
    m_dwStyle &= ~kManagedStyleFlags;
    if (nStyle == xtpToolTipOffice)
        m_dwStyle |= XTP_TTS_OFFICEFRAME | XTP_TTS_NOSHADOW;
    if (nStyle == xtpToolTipResource)
        m_dwStyle |= XTP_TTS_OFFICE2007FRAME;
    return TRUE;
}

void CXTPToolTipContext::ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd)
{
    DWORD dwStyle = (m_dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == m_dwStyle)
        return;
    m_dwStyle = dwStyle;
    DestroyToolTip();
}

void CXTPToolTipContext::SetShowTitleAndDescription(BOOL bShow, int nTitleIcon)
{
    m_bShowTitleAndDescription = bShow;
    m_nTitleIcon = nTitleIcon;
}

void CXTPToolTipContext::SetShowImage(BOOL bShow, int nCommandOffset, int nImageWidth)
{
    m_bShowImage = bShow;
    m_nImageOffset = nCommandOffset;
    m_nImageWidth = nImageWidth;
    DestroyToolTip();
}

void CXTPToolTipContext::SetMaxTipWidth(int nWidth)
{
    m_nMaxTipWidth = nWidth;
    if (m_pToolTip && m_pToolTip->GetSafeHwnd())
        m_pToolTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, nWidth);
}

void CXTPToolTipContext::SetMargin(const CRect& rcMargin)
{
    m_rcMargin = rcMargin;
    if (m_pToolTip && m_pToolTip->GetSafeHwnd())
        m_pToolTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_rcMargin));
}

void CXTPToolTipContext::SetDelayTime(DWORD dwKind, int nTime)
{
    switch (dwKind)
    {
    case TTDT_RESHOW:
        m_nDelayReshow = nTime;
        break;
    case TTDT_AUTOPOP:
        m_nDelayAutoPop = nTime;
        break;
    case TTDT_INITIAL:
        m_nDelayInitial = nTime;
        break;
    default:
        return;
    }
    if (m_pToolTip && m_pToolTip->GetSafeHwnd())
        m_pToolTip->SendMessage(TTM_SETDELAYTIME, dwKind, static_cast<LPARAM>(nTime));
}

int CXTPToolTipContext::GetDelayTime(DWORD dwKind) const
{
    switch (dwKind)
    {
    case TTDT_RESHOW:
        return m_nDelayReshow;
    case TTDT_AUTOPOP:
        return m_nDelayAutoPop;
    case TTDT_INITIAL:
        return m_nDelayInitial;
    default:
        return -1;
    }
}

void CXTPToolTipContext::SetFont(CFont* pFont)
{
    if (!pFont || !pFont->GetSafeHandle())
        return;
    LOGFONTA lf = {};
    pFont->GetLogFont(&lf);
    m_fnt.DeleteObject();
    m_fnt.CreateFontIndirect(&lf);
    CreateBoldFont();
    if (m_pToolTip && m_pToolTip->GetSafeHwnd())
        m_pToolTip->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fnt.GetSafeHandle()), TRUE);
}

void CXTPToolTipContext::SetTipBkColor(COLORREF clr)
{
    m_clrTipBack = clr;
    if (clr != (COLORREF)-1 && m_pToolTip && m_pToolTip->GetSafeHwnd())
        m_pToolTip->SendMessage(TTM_SETTIPBKCOLOR, clr, 0);
}

void CXTPToolTipContext::SetTipTextColor(COLORREF clr)
{
    m_clrTipText = clr;
    if (clr != (COLORREF)-1 && m_pToolTip && m_pToolTip->GetSafeHwnd())
        m_pToolTip->SendMessage(TTM_SETTIPTEXTCOLOR, clr, 0);
}

COLORREF CXTPToolTipContext::GetTipBkColor() const
{
    return m_clrTipBack != (COLORREF)-1 ? m_clrTipBack : GetColorManager()->GetColor(COLOR_INFOBK);
}

COLORREF CXTPToolTipContext::GetTipTextColor() const
{
    if (m_clrTipText != (COLORREF)-1)
        return m_clrTipText;
    if (m_dwStyle & XTP_TTS_OFFICE2007FRAME)
        return GetResourceImages()->GetImageColor("Window", "TooltipText", GetColorManager()->GetColor(COLOR_INFOTEXT));
    return GetColorManager()->GetColor(COLOR_INFOTEXT);
}

// ---- the window

CWnd* CXTPToolTipContext::CreateToolTip(CWnd*)
{
    switch (m_nStyle)
    {
    case xtpToolTipOffice:
    case xtpToolTipResource:
        return new CXTPToolTipContextToolTip(this);
    case xtpToolTipRTF:
        return new CRichEditToolTip(this);
    case xtpToolTipLuna:
        return new CLunaToolTip(this);
    case xtpToolTipHTML:
        return new CHTMLToolTip(this);
    case xtpToolTipMarkup:
        return new CMarkupToolTip(this);
    default:
        return new CStandardToolTip();
    }
}

void CXTPToolTipContext::CreateToolTipWindow(CWnd* pWnd, HWND hWndOwner)
{
    CWnd* pToolTip = CreateToolTip(pWnd);
    if (!pToolTip)
        return;
    DWORD dwStyle = m_dwStyle | TTS_ALWAYSTIP | TTS_NOPREFIX;
    if (m_nStyle == xtpToolTipBalloon)
        dwStyle |= TTS_BALLOON;
    BOOL bCreated = FALSE;
    CWnd* pOwner = CWnd::FromHandle(hWndOwner);
    if (CXTPToolTipContextToolTip* pOwnDrawn = dynamic_cast<CXTPToolTipContextToolTip*>(pToolTip))
        bCreated = pOwnDrawn->Create(pOwner, dwStyle);
    else if (CToolTipCtrl* pControl = dynamic_cast<CToolTipCtrl*>(pToolTip))
        bCreated = pControl->Create(pOwner, dwStyle);
    if (!bCreated)
    {
        delete pToolTip;
        return;
    }
    m_pToolTip = pToolTip;
    m_hWndToolTipOwner = hWndOwner;
    ApplySettings();
}

void CXTPToolTipContext::ApplySettings()
{
    CWnd* p = m_pToolTip;
    p->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fnt.GetSafeHandle()), FALSE);
    p->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    p->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_rcMargin));
    if (m_clrTipBack != (COLORREF)-1)
        p->SendMessage(TTM_SETTIPBKCOLOR, m_clrTipBack, 0);
    if (m_clrTipText != (COLORREF)-1)
        p->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrTipText, 0);
    p->SendMessage(TTM_SETDELAYTIME, TTDT_RESHOW, static_cast<LPARAM>(m_nDelayReshow));
    p->SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, static_cast<LPARAM>(m_nDelayInitial));
    p->SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, static_cast<LPARAM>(m_nDelayAutoPop));
    p->SendMessage(TTM_ACTIVATE, FALSE, 0);
}

void CXTPToolTipContext::DestroyToolTip()
{
    if (m_pToolTip)
    {
        CWnd* pToolTip = m_pToolTip;
        m_pToolTip = nullptr;
        if (pToolTip->GetSafeHwnd())
            pToolTip->DestroyWindow();
        delete pToolTip;
    }
    m_hWndToolTipOwner = nullptr;
    m_nLastHit = -1;
    std::memset(&m_lastInfo, 0, sizeof(m_lastInfo));
}

void CXTPToolTipContext::DeactivateToolTip()
{
    if (m_pToolTip && m_pToolTip->GetSafeHwnd())
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
}

HWND CXTPToolTipContext::GetParentOwner(HWND hWnd)
{
    HWND hWndParent = hWnd;
    HWND hWndNext;
    while ((::GetWindowLongA(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndNext = ::GetParent(hWndParent)) != nullptr)
        hWndParent = hWndNext;
    return hWndParent;
}

BOOL CXTPToolTipContext::IsAnyMouseButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) || (::GetKeyState(VK_RBUTTON) & 0x8000) ||
           (::GetKeyState(VK_MBUTTON) & 0x8000);
}

HWND CXTPToolTipContext::WindowFromPointEx(POINT pt)
{
    return CXTPToolTipContextToolTip::WindowFromPointEx(pt);
}

// ---- tools

INT_PTR CXTPToolTipContext::ToolHitTest(CWnd* pWnd, CPoint point, TOOLINFOA* pToolInfo)
{
    return pWnd ? pWnd->OnToolHitTest(point, pToolInfo) : -1;
}

void CXTPToolTipContext::FillToolInfo(TOOLINFOA* pToolInfo, HWND hWnd, CRect rcTool, INT_PTR nHit, LPCSTR lpszText)
{
    if (!pToolInfo || pToolInfo->cbSize < TTTOOLINFOA_V1_SIZE)
        return;
    pToolInfo->hwnd = hWnd;
    pToolInfo->uId = static_cast<UINT_PTR>(nHit);
    pToolInfo->rect = rcTool;
    if (IsOwnText(pToolInfo->lpszText))
        std::free(pToolInfo->lpszText);
    pToolInfo->lpszText = lpszText == LPSTR_TEXTCALLBACKA ? LPSTR_TEXTCALLBACKA : DuplicateText(lpszText);
}

void CXTPToolTipContext::FillToolInfoEx(TOOLINFOA* pToolInfo, HWND hWnd, CRect rcTool, INT_PTR nHit, LPCSTR lpszText,
                                        LPCSTR lpszTitle, LPCSTR lpszDescription, CXTPImageManager* pImageManager)
{
    FillToolInfo(pToolInfo, hWnd, rcTool, nHit, lpszText);
    if (!pToolInfo || pToolInfo->cbSize < TTTOOLINFOA_V2_SIZE || !pToolInfo->lParam)
        return;
    XTP_TOOLTIP_TOOLINFO_EX* pEx = reinterpret_cast<XTP_TOOLTIP_TOOLINFO_EX*>(pToolInfo->lParam);
    if (lpszTitle && *lpszTitle && lpszDescription && *lpszDescription)
    {
        std::free(pEx->lpszTitle);
        std::free(pEx->lpszDescription);
        pEx->lpszTitle = DuplicateText(lpszTitle);
        pEx->lpszDescription = DuplicateText(lpszDescription);
    }
    pEx->pImageManager = pImageManager;
}

void CXTPToolTipContext::FreeToolInfo(TOOLINFOA* pToolInfo)
{
    if (!pToolInfo || pToolInfo->cbSize < TTTOOLINFOA_V1_SIZE)
        return;
    if (IsOwnText(pToolInfo->lpszText))
        std::free(pToolInfo->lpszText);
    pToolInfo->lpszText = nullptr;
    if (pToolInfo->cbSize >= TTTOOLINFOA_V2_SIZE && pToolInfo->lParam)
    {
        XTP_TOOLTIP_TOOLINFO_EX* pEx = reinterpret_cast<XTP_TOOLTIP_TOOLINFO_EX*>(pToolInfo->lParam);
        std::free(pEx->lpszTitle);
        std::free(pEx->lpszDescription);
        pEx->lpszTitle = nullptr;
        pEx->lpszDescription = nullptr;
    }
}

// ---- messages

void CXTPToolTipContext::RelayMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {};
    msg.hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ::GetMessageTime();
    CXTPToolTipContextToolTip::GetCursorPosition(&msg.pt);
    FilterToolTipMessage(pWnd, &msg, TRUE);
}

void CXTPToolTipContext::FilterToolTipMessage(CWnd* pWnd, MSG* pMsg, BOOL bOwn)
{
    if (!pWnd || !pWnd->GetSafeHwnd() || !pMsg)
        return;
    const UINT message = pMsg->message;
    if (IsClickOrKey(message))
    {
        DeactivateToolTip();
        return;
    }
    if (!IsMoveOrRelease(message) || IsAnyMouseButtonDown())
        return;
    const HWND hWnd = pWnd->GetSafeHwnd();
    if (!bOwn)
    {
        HWND h = pMsg->hwnd;
        while (h && h != hWnd)
            h = (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : nullptr;
        if (h != hWnd)
            return;
    }
    if (m_pToolTip && m_pToolTip->GetSafeHwnd() && ::IsWindowVisible(m_pToolTip->GetSafeHwnd()) &&
        !IsTopLevelParentActive(hWnd))
    {
        DeactivateToolTip();
        return;
    }
    const HWND hWndOwner = GetParentOwner(hWnd);
    if (m_pToolTip && m_hWndToolTipOwner != hWndOwner)
        DestroyToolTip();
    if (!m_pToolTip)
        CreateToolTipWindow(pWnd, hWndOwner);
    if (!m_pToolTip)
        return;

    CPoint point = pMsg->pt;
    ::ScreenToClient(hWnd, &point);
    TOOLINFOA ti;
    std::memset(&ti, 0, sizeof(ti));
    XTP_TOOLTIP_TOOLINFO_EX ext;
    std::memset(&ext, 0, sizeof(ext));
    const BOOL bExtended = m_bShowTitleAndDescription || m_bShowImage;
    ti.cbSize = bExtended ? TTTOOLINFOA_V2_SIZE : TTTOOLINFOA_V1_SIZE;
    if (bExtended)
        ti.lParam = reinterpret_cast<LPARAM>(&ext);
    INT_PTR nHit = ToolHitTest(pWnd, point, &ti);
    if (!m_pToolTip || !m_pToolTip->GetSafeHwnd())
    {
        FreeToolInfo(&ti);
        return; // the hit test destroyed the window
    }

    if (m_bShowTitleAndDescription && ext.lpszTitle && ext.lpszDescription &&
        std::strcmp(ext.lpszTitle, ext.lpszDescription) == 0)
    {
        std::free(ext.lpszDescription);
        ext.lpszDescription = nullptr;
    }
    if (!(m_dwStyle & XTP_TTS_NOPREFIX_FLAG))
    {
        if (IsOwnText(ti.lpszText))
            StripAmpersandsA(ti.lpszText);
        StripAmpersandsA(ext.lpszTitle);
        StripAmpersandsA(ext.lpszDescription); // shown as the tip text
    }
    if (m_bStripEllipsis)
        StripTrailingDots(ti.lpszText);

    // The window under the cursor receives the relayed coordinates.
    MSG msgRelay = *pMsg;
    HWND hWndUnder = WindowFromPointEx(pMsg->pt);
    if (hWndUnder && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
    {
        POINT pt = pMsg->pt;
        ::ScreenToClient(hWndUnder, &pt);
        msgRelay.hwnd = hWndUnder;
        msgRelay.lParam = MAKELPARAM(pt.x, pt.y);
    }

    const BOOL bSameTool = nHit == m_nLastHit && ti.hwnd == m_lastInfo.hwnd && ti.uId == m_lastInfo.uId &&
                           ::EqualRect(&ti.rect, &m_lastInfo.rect);
    if (bSameTool)
    {
        if (nHit != -1)
            m_pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msgRelay));
        FreeToolInfo(&ti);
        return;
    }

    if (m_nLastHit != -1)
        m_pToolTip->SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&m_lastInfo));
    if (nHit == -1)
    {
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
    }
    else
    {
        TOOLINFOA tiAdd = ti;
        tiAdd.uFlags &= ~(0x80000000u | XTP_TTF_SHOWNOW);
        m_pToolTip->SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tiAdd));
        const BOOL bTitleKind = m_nStyle != xtpToolTipRTF && m_nStyle != xtpToolTipHTML && m_nStyle != xtpToolTipMarkup;
        if (bTitleKind && (m_dwComCtlVersion > 0x5004F || m_nStyle != xtpToolTipStandard))
        {
            if (m_bShowTitleAndDescription && ext.lpszTitle && ext.lpszDescription)
            {
                m_pToolTip->SendMessage(TTM_SETTITLEA, m_nTitleIcon, reinterpret_cast<LPARAM>(ext.lpszTitle));
                TOOLINFOA tiText = tiAdd;
                tiText.lpszText = ext.lpszDescription;
                m_pToolTip->SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tiText));
            }
            else
            {
                m_pToolTip->SendMessage(TTM_SETTITLEA, TTI_NONE, reinterpret_cast<LPARAM>(""));
            }
        }
        if (m_bShowImage)
        {
            CXTPImageManagerIcon* pIcon =
                ext.pImageManager ? ext.pImageManager->GetImage(static_cast<UINT>(m_nImageOffset + nHit), m_nImageWidth)
                                  : nullptr;
            m_pToolTip->SendMessage(WM_XTP_TOOLTIP_SETICON, 0, reinterpret_cast<LPARAM>(pIcon));
        }
        if ((ti.uFlags & XTP_TTF_SHOWNOW) || IsTopLevelParentActive(hWnd))
        {
            m_pToolTip->SendMessage(TTM_ACTIVATE, TRUE, 0);
            ::SetWindowPos(m_pToolTip->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0,
                           SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
        }
    }
    m_pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msgRelay));

    FreeToolInfo(&ti);
    m_lastInfo = ti;
    m_lastInfo.lParam = 0;
    m_nLastHit = nHit;
}

// ---- painting

void CXTPToolTipContext::DrawBackground(CDC* pDC, CRect rc)
{
    if (m_dwStyle & XTP_TTS_OFFICE2007FRAME)
    {
        CXTPResourceImages* pImages = GetResourceImages();
        COLORREF clrLight = pImages->GetImageColor("Window", "TooltipLight", RGB(0xFF, 0xFF, 0xFF));
        COLORREF clrDark = pImages->GetImageColor("Window", "TooltipDark", 0xEFD9C9);
        GetDrawHelpers()->GradientFill(pDC, rc, clrLight, clrDark, FALSE);
        CXTPResourceImage* pImage = pImages->LoadImage("TOOLTIPFRAME");
        if (pImage)
        {
            pImage->DrawImageKeyed(pDC, rc, pImage->GetSource(0, 1), CRect(3, 3, 3, 3), RGB(0xFF, 0, 0xFF));
        }
        else
        {
            COLORREF clrBorder = pImages->GetImageColor("Window", "TooltipBorder", 0x767676);
            pDC->Draw3dRect(rc, clrBorder, clrBorder);
        }
    }
    else
    {
        pDC->FillSolidRect(rc, GetTipBkColor());
        COLORREF clrTopLeft = (m_dwStyle & XTP_TTS_OFFICEFRAME) ? GetColorManager()->GetColor(COLOR_BTNFACE) : 0;
        pDC->Draw3dRect(rc, clrTopLeft, 0);
    }
    pDC->SetTextColor(GetTipTextColor());
}

// ---- the system control kind

LRESULT CXTPToolTipContext::CStandardToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CToolTipCtrl::WindowProc(message, wParam, lParam);
    if (message == TTM_WINDOWFROMPOINT && lResult)
    {
        HWND hWnd = reinterpret_cast<HWND>(lResult);
        if ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) && ::SendMessageA(hWnd, WM_XTP_TOOLTIP_QUERY, 0, 0) == 1)
            lResult = reinterpret_cast<LRESULT>(::GetParent(hWnd));
    }
    return lResult;
}
