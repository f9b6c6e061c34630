#include "toolkit/commandbars/controls/XTPControlHyperlink.h"

#include "framework/DC.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

IMPLEMENT_SERIAL(CXTPControlHyperlink, CXTPControl, XTP_CONTROL_CLASS_SCHEMA)

CXTPControlHyperlink::CXTPControlHyperlink() : m_hCursorHand(::LoadCursor(nullptr, IDC_HAND))
{
    m_controlType = xtpControlError; // made by the application, not by the type table
}

CFont* CXTPControlHyperlink::GetLinkFont() const
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->GetRegularFont() : nullptr;
}

COLORREF CXTPControlHyperlink::GetLinkColor() const
{
    if (!GetEnabled())
        return ::GetSysColor(COLOR_GRAYTEXT);
    return GetSelected() ? RGB(255, 0, 0) : RGB(0, 0, 255);
}

CSize CXTPControlHyperlink::GetSize(CDC* pDC)
{
    if (!pDC)
        return CSize(0, 0);
    CFont* pFont = GetLinkFont();
    HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), pFont ? pFont->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
    const CString strCaption = GetCaption();
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32A(pDC->GetSafeHdc(), strCaption, strCaption.GetLength(), &sz);
    ::SelectObject(pDC->GetSafeHdc(), hOld);
    return CSize(sz.cx, sz.cy);
}

void CXTPControlHyperlink::Draw(CDC* pDC)
{
    if (!pDC)
        return;
    CFont* pFont = GetLinkFont();
    HDC hDC = pDC->GetSafeHdc();
    HGDIOBJ hOld = ::SelectObject(hDC, pFont ? pFont->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    const COLORREF clrOld = ::SetTextColor(hDC, GetLinkColor());
    CRect rc = GetRect();
    const CString strCaption = GetCaption();
    ::DrawTextA(hDC, strCaption, strCaption.GetLength(), &rc, DT_SINGLELINE | DT_NOPREFIX);
    ::SetTextColor(hDC, clrOld);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOld);
}

void CXTPControlHyperlink::OnClick(BOOL /*bKeyboard*/, CPoint pt)
{
    if (IsCustomizeMode())
    {
        if (IsCustomizeMovable())
            OnCustomizeMouseDown(pt);
        return;
    }
    OnExecute();
}

void CXTPControlHyperlink::OnExecute()
{
    const CString strTarget = GetTooltip();
    if (strTarget.IsEmpty())
        return;
    GetCommandBarsSystemQuery()->OpenWithShell(nullptr, "open", strTarget, SW_SHOW);
}

BOOL XTPSetHyperlinkCursor(CXTPCommandBar* pBar)
{
    if (!pBar || !pBar->GetSafeHwnd())
        return FALSE;
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(pBar->GetSafeHwnd(), &pt);
    CXTPControlHyperlink* pLink = DYNAMIC_DOWNCAST(CXTPControlHyperlink, pBar->GetControls()->HitTest(pt));
    if (!pLink || !pLink->GetEnabled() || pLink->IsCustomizeMode())
        return FALSE;
    ::SetCursor(pLink->GetHandCursor());
    return TRUE;
}
