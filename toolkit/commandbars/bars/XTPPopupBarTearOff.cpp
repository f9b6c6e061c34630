// CXTPPopupBar: the expand button and tearing a popup off into a floating toolbar.
#include "toolkit/commandbars/bars/XTPPopupBar.h"

#include "framework/AppGlobals.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include <cstdlib>

// ---- the expand button (a nested class: its run-time class is written out by hand)

CObject* CXTPPopupBar::CControlExpandButton::CreateObject()
{
    return new CControlExpandButton;
}
CRuntimeClass CXTPPopupBar::CControlExpandButton::classCControlExpandButton = {
    "CXTPPopupBar::CControlExpandButton", static_cast<int>(sizeof(CXTPPopupBar::CControlExpandButton)), 0xFFFF,
    CXTPPopupBar::CControlExpandButton::CreateObject, RUNTIME_CLASS(CXTPControlButton)};
CRuntimeClass* CXTPPopupBar::CControlExpandButton::GetRuntimeClass() const
{
    return &classCControlExpandButton;
}

CXTPPopupBar::CControlExpandButton::CControlExpandButton()
{
    m_controlType = xtpControlButton;
    m_dwFlags = 0x5A;
    m_nId = XTP_ID_POPUPBAR_EXPAND;
}

CSize CXTPPopupBar::CControlExpandButton::GetSize(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CSize sz = pPaintManager ? pPaintManager->DrawSpecialButton(pDC, 1, this, m_pParent, FALSE, 0) : CSize(0, 12);
    if (sz.cy <= 0)
        sz.cy = 12;
    return CSize(m_rcControl.Width() > 0 ? m_rcControl.Width() : 24, sz.cy);
}

void CXTPPopupBar::CControlExpandButton::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (!pPaintManager)
        return;
    if (GetSelected() || GetPressed())
        pPaintManager->DrawControlBackground(pDC, this);
    // A double chevron pointing down in the middle of the row.
    const COLORREF clr = pPaintManager->GetControlTextColor(this);
    const CPoint c = m_rcControl.CenterPoint();
    for (int nChevron = 0; nChevron < 2; ++nChevron)
    {
        const int y0 = c.y - 3 + nChevron * 4;
        for (int k = 0; k < 3; ++k)
        {
            pDC->FillSolidRect(c.x - 3 + k, y0 + k, 1, 1, clr);
            pDC->FillSolidRect(c.x + 3 - k, y0 + k, 1, 1, clr);
        }
        pDC->FillSolidRect(c.x, y0 + 3, 1, 1, clr);
    }
}

void CXTPPopupBar::CControlExpandButton::OnExecute()
{
    if (CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, m_pParent))
        pPopup->ExpandBar();
}

// ---- tear-off

void CXTPPopupBar::TrackTearOff()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || !m_hWnd)
        return;
    ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
    CXTPMouseManager* pMouse = XTPMouseManager();
    ++pMouse->m_nLock;
    InternalAddRef();
    ::SetCapture(m_hWnd);
    m_bTearOffSelected = TRUE;
    Redraw();

    CXTPCommandBar* pShown = nullptr;
    BOOL bDone = FALSE;
    while (!bDone && ::GetCapture() == m_hWnd)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        {
            CPoint pt;
            ::GetCursorPos(&pt);
            CRect rcPopup;
            ::GetWindowRect(m_hWnd, &rcPopup);
            CRect rcNear = rcPopup;
            rcNear.InflateRect(10, 10);
            if (!rcNear.PtInRect(pt))
            {
                if (!pShown)
                {
                    pShown = pCommandBars->GetToolBar(m_nTearOffID);
                    if (!pShown)
                    {
                        // The floating toolbar is made through the manager from the toolbar's
                        // run-time class, filled with copies of this popup's controls.
                        CRuntimeClass* pClass = CRuntimeClass::FromName("CXTPToolBar");
                        pShown = pClass ? pCommandBars->Add(m_strTearOffCaption, xtpBarFloating, pClass) : nullptr;
                        if (pShown)
                        {
                            pShown->SetBarID(m_nTearOffID);
                            for (int i = 0; i < m_pControls->GetCount(); ++i)
                            {
                                CXTPControl* pControl = m_pControls->GetAt(i);
                                if (pControl->GetID() == XTP_ID_POPUPBAR_EXPAND || pControl->IsTemporary())
                                    continue;
                                CXTPControl* pClone = pShown->GetControls()->AddClone(pControl, -1, TRUE);
                                if (pClone)
                                    pClone->SetHideFlags(pClone->GetHideFlags() & ~(xtpHideScroll | xtpHideExpand));
                            }
                            if (m_nTearOffWidth > 0)
                                pShown->SetWidthLimit(m_nTearOffWidth);
                        }
                    }
                    if (pShown)
                    {
                        if (m_pTearOffBar)
                            m_pTearOffBar->InternalRelease();
                        m_pTearOffBar = pShown;
                        m_pTearOffBar->InternalAddRef();
                    }
                }
                if (pShown)
                {
                    if (!pShown->IsVisible() || !::IsWindowVisible(pShown->GetSafeHwnd()))
                    {
                        pShown->SetVisible(TRUE);
                        CWnd* pSite = GetSite();
                        if (pSite && pSite->GetSafeHwnd())
                            ::SendMessageA(pSite->GetSafeHwnd(), XTP_WM_TEAROFFPOPUP, reinterpret_cast<WPARAM>(pShown),
                                           reinterpret_cast<LPARAM>(this));
                    }
                    CRect rcBar;
                    ::GetWindowRect(pShown->GetSafeHwnd(), &rcBar);
                    ::SetWindowPos(pShown->GetSafeHwnd(), HWND_TOPMOST, pt.x - rcBar.Width() / 2, pt.y - 10, 0, 0,
                                   SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
                }
            }
            else if (pShown && ::IsWindowVisible(pShown->GetSafeHwnd()))
            {
                pShown->SetVisible(FALSE);
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bDone = TRUE;
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            bDone = TRUE;
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            break;
        }
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    --pMouse->m_nLock;
    m_bTearOffSelected = FALSE;
    const BOOL bTornOff = pShown && ::IsWindowVisible(pShown->GetSafeHwnd());
    if (bTornOff)
        pMouse->SendTrackLostAll();
    else if (m_hWnd)
        Redraw();
    InternalRelease();
}
