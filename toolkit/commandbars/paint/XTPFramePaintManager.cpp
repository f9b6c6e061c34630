#include "toolkit/commandbars/paint/XTPFramePaintManager.h"

#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBarsFrameHook.h"
#include "toolkit/common/system/XTPNcMetrics.h"

CXTPFramePaintManager::CXTPFramePaintManager(CXTPPaintManager* pPaintManager) : m_pPaintManager(pPaintManager)
{
    RefreshMetrics();
}

CXTPFramePaintManager::~CXTPFramePaintManager() = default;

void CXTPFramePaintManager::RefreshMetrics()
{
    CXTPNcMetrics metrics;
    m_fntFrameCaption.DeleteObject();
    m_fntFrameCaption.CreateFontIndirect(&metrics.lfCaptionFont);
    m_nFrameCaptionHeight = ::GetSystemMetrics(SM_CYCAPTION);
}

HRGN CXTPFramePaintManager::CalcFrameRegion(CXTPCommandBarsFrameHook* /*pFrameHook*/, CSize sz) const
{
    return ::CreateRectRgn(0, 0, sz.cx, sz.cy);
}

void CXTPFramePaintManager::DrawFrame(CDC* pDC, CXTPCommandBarsFrameHook* pFrameHook)
{
    HWND hWnd = pFrameHook ? pFrameHook->GetSite() : nullptr;
    if (!pDC || !hWnd || !::IsWindow(hWnd))
        return;
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
    rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);

    const int nSaved = pDC->SaveDC();
    pDC->ExcludeClipRect(rcClient);

    // Borders: the face colour inside a raised double edge.
    pDC->FillSolidRect(rcWindow, ::GetSysColor(COLOR_3DFACE));
    CRect rcEdge(rcWindow);
    pDC->Draw3dRect(rcEdge, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
    rcEdge.DeflateRect(1, 1);
    pDC->Draw3dRect(rcEdge, ::GetSysColor(COLOR_3DHIGHLIGHT), ::GetSysColor(COLOR_3DSHADOW));

    if (pFrameHook->IsCaptionVisible())
    {
        const int nBorder = pFrameHook->GetFrameBorder();
        CRect rcCaption(nBorder, nBorder, rcWindow.right - nBorder, pFrameHook->GetCaptionHeight() - 1);
        if (!rcCaption.IsRectEmpty())
            DrawCaptionBar(pDC, rcCaption, pFrameHook);
    }
    else
    {
        pFrameHook->DrawRibbonCaption(pDC);
    }
    pDC->RestoreDC(nSaved);
}

void CXTPFramePaintManager::DrawCaptionBar(CDC* pDC, CRect rcCaption, CXTPCommandBarsFrameHook* pFrameHook)
{
    HWND hWnd = pFrameHook->GetSite();
    const BOOL bActive = pFrameHook->IsFrameActive();
    pDC->FillSolidRect(rcCaption, ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));

    // The buttons, and the room they leave for the title.
    int nRight = rcCaption.right;
    CXTPControls* pButtons = pFrameHook->GetCaptionButtons();
    for (int i = 0; pButtons && i < pButtons->GetCount(); ++i)
    {
        CXTPControl* pButton = pButtons->GetAt(i);
        if (!pButton->IsVisible())
            continue;
        const CRect rc = pButton->GetRect();
        DrawFrameCaptionButton(pDC, rc, pButton->GetID(), pButton->GetSelected(), pButton->GetPressed(),
                               pButton->GetEnabled(), bActive);
        nRight = rc.left < nRight ? rc.left : nRight;
    }

    CRect rcText(rcCaption.left + 2, rcCaption.top, nRight - 2, rcCaption.bottom);
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
    if (dwStyle & WS_SYSMENU)
    {
        HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
        if (!hIcon)
            hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICONSM));
        const int cx = ::GetSystemMetrics(SM_CXSMICON);
        const int cy = ::GetSystemMetrics(SM_CYSMICON);
        if (hIcon)
            ::DrawIconEx(pDC->GetSafeHdc(), rcText.left, rcCaption.top + (rcCaption.Height() - cy) / 2, hIcon, cx, cy,
                         0, nullptr, DI_NORMAL);
        rcText.left += cx + 4;
    }

    CHAR szTitle[256] = {};
    ::GetWindowTextA(hWnd, szTitle, static_cast<int>(sizeof(szTitle)));
    if (szTitle[0] && rcText.right > rcText.left)
    {
        CFont* pOldFont = pDC->SelectObject(&m_fntFrameCaption);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        pDC->DrawText(szTitle, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
        pDC->SelectObject(pOldFont);
    }
}

void CXTPFramePaintManager::DrawFrameCaptionButton(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed,
                                                   BOOL bEnabled, BOOL /*bActive*/)
{
    UINT nState = 0;
    switch (nId)
    {
    case SC_CLOSE:
        nState = DFCS_CAPTIONCLOSE;
        break;
    case SC_MAXIMIZE:
        nState = DFCS_CAPTIONMAX;
        break;
    case SC_RESTORE:
        nState = DFCS_CAPTIONRESTORE;
        break;
    case SC_MINIMIZE:
        nState = DFCS_CAPTIONMIN;
        break;
    default:
        return;
    }
    if (!bEnabled)
        nState |= DFCS_INACTIVE;
    else if (bPressed)
        nState |= DFCS_PUSHED;
    else if (bSelected)
        nState |= DFCS_HOT;
    rc.DeflateRect(1, 1);
    ::DrawFrameControl(pDC->GetSafeHdc(), &rc, DFC_CAPTION, nState);
}
