#include "toolkit/commandbars/bars/XTPDialogBar.h"

#include "framework/DC.h"
#include "framework/FrameWnd.h"
#include "toolkit/commandbars/bars/XTPPopupPlacement.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/drawing/XTPScopedDC.h"

IMPLEMENT_SERIAL(CXTPDialogBar, CXTPToolBar, XTP_COMMANDBAR_CLASS_SCHEMA)

namespace
{
const int kHideButtonId = ID_TK_TOOLBAR_HIDE;
const int kCaptionPopupId = ID_TK_DIALOGBAR_BUTTON;
const int kCaptionPopupFlags = 30;               // no keyboard access, no command update, fixed, opens left
const int kCaptionButtonSize = 16;

// The caption strip as the paint manager measures it for the bar: the leading offset and the height.
CSize MeasureCaption(CXTPDialogBar* pBar)
{
    CXTPPaintManager* pPaintManager = pBar->GetPaintManager();
    if (!pPaintManager)
        return CSize(0, 0);
    CClientDC dc(pBar->GetSafeHwnd() ? pBar : nullptr);
    // The caption strip reads across in every position: the regular font, never the vertical one.
    CXTPFontDC font(&dc, pPaintManager->GetRegularFont());
    return pPaintManager->DrawDialogBarGripper(&dc, pBar, FALSE);
}

BOOL IsDescendant(HWND hWndParent, HWND hWnd)
{
    return hWnd && (hWnd == hWndParent || ::IsChild(hWndParent, hWnd));
}
} // namespace

// ---------------------------------------------------------------- caption controls

void CXTPDialogBar::CControlButtonHide::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (!pDC || !pPaintManager)
        return;
    const int nHeight = ::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSX));
    CFont font;
    font.CreatePointFont(nHeight, "Marlett", pDC);
    CFont* pOldFont = pDC->SelectObject(&font);
    pPaintManager->DrawControlBackground(pDC, this);
    pDC->SetTextColor(pPaintManager->GetControlTextColor(this));
    pDC->SetBkMode(TRANSPARENT);
    CRect rc = GetRect();
    pDC->DrawText(CString("r"), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
}

CXTPDialogBar::CControlCaptionPopup::CControlCaptionPopup()
{
    SetFlags(kCaptionPopupFlags);
}

BOOL CXTPDialogBar::CControlCaptionPopup::SetPopup(BOOL bPopup)
{
    if (!m_bMenuEnabled)
        return TRUE;
    return CXTPControlPopup::SetPopup(bPopup);
}

void CXTPDialogBar::CControlCaptionPopup::AdjustExcludeRect(CRect& rc, BOOL /*bVertical*/)
{
    if (CXTPPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->AdjustExcludeRect(rc, this, FALSE);
}

void CXTPDialogBar::CControlCaptionPopup::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (!pDC || !pPaintManager)
        return;
    // Across also when the bar is docked on a side (the bar's own font is the vertical one there).
    CXTPFontDC font(pDC, pPaintManager->GetRegularFont());
    COLORREF clrText;
    if (m_bMenuEnabled)
    {
        pPaintManager->DrawControlBackground(pDC, this);
        clrText = pPaintManager->GetControlTextColor(this);
    }
    else
    {
        clrText = pPaintManager->GetColor(COLOR_BTNTEXT);
    }
    const CRect rcControl = GetRect();
    CRect rcText(rcControl.left + 2, rcControl.top, rcControl.right - (m_bMenuEnabled ? 15 : 2), rcControl.bottom);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    pDC->DrawText(GetCaption(), &rcText, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (!m_bMenuEnabled)
        return;
    // The drop-down mark: a small triangle in the text colour.
    const int m = rcControl.top + (rcControl.bottom - rcControl.top) / 2;
    const POINT pts[3] = {{rcControl.right - 13, m - 2}, {rcControl.right - 5, m - 2}, {rcControl.right - 9, m + 2}};
    CXTPPenDC pen(pDC->GetSafeHdc(), clrText);
    CXTPBrushDC brush(pDC->GetSafeHdc(), clrText);
    pDC->Polygon(pts, 3);
}

CXTPDialogBar::CCaptionPopupBar::CCaptionPopupBar()
{
    m_dwDirection = xtpPopupDirectionBelow;
}

void CXTPDialogBar::CCaptionPopupBar::UpdateExcludeRect()
{
    CXTPPopupBar::UpdateExcludeRect();
    m_ptPopup = CPoint(m_rcExclude.left, m_rcExclude.bottom);
    m_dwDirection = xtpPopupDirectionBelow | xtpPopupDirectionLeft;
}

// ---------------------------------------------------------------- the bar

CXTPDialogBar::CXTPDialogBar() : m_pCaptionPopupBar(new CCaptionPopupBar())
{
    m_bCustomizable = FALSE;
}

CXTPDialogBar::~CXTPDialogBar()
{
    if (m_pCaptionPopupBar)
        m_pCaptionPopupBar->InternalRelease();
}

CRect CXTPDialogBar::GetClientBorders()
{
    CRect rc = m_rcBorders;
    if (m_bCaptionVisible)
        rc.top += MeasureCaption(this).cy;
    return rc;
}

CSize CXTPDialogBar::CalcDialogBarSize(int nLength, DWORD dwMode, int cxClient, int cyClient)
{
    CSize sz(cxClient + m_rcBorders.left + m_rcBorders.right, cyClient + m_rcBorders.top + m_rcBorders.bottom);
    auto stretch = [&]() {
        if (!(dwMode & LM_STRETCH))
            return;
        if (dwMode & LM_VERTDOCK)
            sz.cy = sz.cy < nLength ? nLength : sz.cy;
        else
            sz.cx = sz.cx < nLength ? nLength : sz.cx;
    };
    if (!m_bCaptionVisible)
    {
        m_nCaptionBottom = 0;
        stretch();
        return sz;
    }
    const CSize szCaption = MeasureCaption(this);
    m_nCaptionBottom = m_rcBorders.top + szCaption.cy;
    sz.cy += szCaption.cy;
    stretch();
    if (dwMode & LM_HORZ)
        sz.cx = sz.cx > nLength ? nLength : sz.cx;
    else
        sz.cy = sz.cy > nLength ? nLength : sz.cy;

    int nRight = sz.cx - m_rcBorders.right;
    const int t = m_rcBorders.top + szCaption.cy / 2 - kCaptionButtonSize / 2;
    CXTPControl* pHide = m_pControls->FindControlById(kHideButtonId);
    if (!pHide && IsCloseable())
    {
        pHide = m_pControls->Add(new CControlButtonHide(), kHideButtonId);
        pHide->SetTemporary(TRUE);
    }
    if (pHide && !IsCloseable())
    {
        pHide->SetHideFlags(xtpHideGeneric);
    }
    else if (pHide)
    {
        pHide->SetHideFlags(0);
        pHide->SetRect(CRect(nRight - kCaptionButtonSize, t, nRight, t + kCaptionButtonSize));
        nRight -= kCaptionButtonSize;
    }

    CControlCaptionPopup* pCaption = dynamic_cast<CControlCaptionPopup*>(m_pControls->FindControlById(kCaptionPopupId));
    if (!pCaption)
    {
        pCaption = new CControlCaptionPopup();
        m_pControls->Add(pCaption, kCaptionPopupId);
        pCaption->SetTemporary(TRUE);
        pCaption->SetCommandBar(m_pCaptionPopupBar);
    }
    pCaption->m_bMenuEnabled = m_bCaptionMenu && m_pCaptionPopupBar->GetControls()->GetCount() > 0;
    pCaption->SetRect(CRect(m_rcBorders.left + szCaption.cx, t, nRight, t + kCaptionButtonSize));
    pCaption->SetCaption(m_strCaption.IsEmpty() ? GetTitle() : m_strCaption);
    return sz;
}

CSize CXTPDialogBar::CalcDynamicLayout(int /*nLength*/, DWORD dwMode)
{
    return CalcDialogBarSize(32000, dwMode, m_szFloatingClient.cx, m_szFloatingClient.cy);
}

CSize CXTPDialogBar::CalcDockingLayout(int nLength, DWORD dwMode, int /*nWidth*/)
{
    return CalcDialogBarSize(nLength, dwMode, m_szDockingClient.cx, m_szDockingClient.cy);
}

BOOL CXTPDialogBar::IsPointInBar(CPoint point) const
{
    if (!m_hWnd)
        return FALSE;
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    rc.bottom = rc.top + m_nCaptionBottom;
    return rc.PtInRect(point);
}

void CXTPDialogBar::ResizeBar(const CRect& rcWindow, int nHitTest)
{
    const CRect rc = rcWindow;
    if (rc.Width() < m_szMin.cx || rc.Height() < m_szMin.cy)
        return;
    const CRect rcBorders = GetClientBorders();
    const CSize szClient(rc.Width() - rcBorders.left - rcBorders.right, rc.Height() - rcBorders.top - rcBorders.bottom);
    if (IsFloating())
    {
        m_szFloatingClient = szClient;
        CalcDynamicLayout(0, 0);
        if (m_hWnd)
            ::MoveWindow(m_hWnd, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
        Redraw(nullptr, TRUE);
        return;
    }
    if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
        m_szDockingClient.cx = szClient.cx;
    else
        m_szDockingClient.cy = szClient.cy;
    OnRecalcLayout();
}

LRESULT CXTPDialogBar::HitTestEdges(CPoint point)
{
    if (!m_bResizable || !m_hWnd)
        return CXTPCommandBar::OnNcHitTest(point);
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    rc.DeflateRect(3, 3);
    const int x = point.x, y = point.y;
    const int nPosition = GetPosition();
    if (nPosition == xtpBarFloating)
    {
        if (y < rc.top)
        {
            if (x < rc.left)
                return HTTOPLEFT;
            if (x >= rc.right)
                return HTTOPRIGHT;
        }
        if (y >= rc.bottom)
        {
            if (x < rc.left)
                return HTBOTTOMLEFT;
            if (x >= rc.right)
                return HTBOTTOMRIGHT;
        }
        if (y < rc.top)
            return HTTOP;
        if (y >= rc.bottom)
            return HTBOTTOM;
        if (x < rc.left)
            return HTLEFT;
        if (x >= rc.right)
            return HTRIGHT;
        return CXTPCommandBar::OnNcHitTest(point);
    }
    const BOOL bStretched = (GetFlags() & xtpFlagStretched) != 0;
    const BOOL bVertical = nPosition == xtpBarLeft || nPosition == xtpBarRight;
    if (nPosition == xtpBarBottom)
    {
        if (y <= rc.top)
            return HTTOP;
    }
    else if (y >= rc.bottom && !(bStretched && bVertical))
    {
        return HTBOTTOM;
    }
    if (nPosition == xtpBarRight)
    {
        if (x <= rc.left)
            return HTLEFT;
    }
    else if (x >= rc.right && !(bStretched && !bVertical))
    {
        return HTRIGHT;
    }
    return CXTPCommandBar::OnNcHitTest(point);
}

LRESULT CXTPDialogBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd)
    {
        HWND hWndFocus = ::GetFocus();
        BOOL bActive = IsDescendant(m_hWnd, hWndFocus);
        if (!bActive && hWndFocus)
        {
            // A drop-down list owned by a control of the bar keeps the bar active.
            HWND hWndOwner = ::GetWindow(hWndFocus, GW_OWNER);
            if (!hWndOwner)
                hWndOwner = ::GetParent(hWndFocus);
            bActive = hWndOwner && IsDescendant(m_hWnd, hWndOwner);
        }
        if (bActive != m_bActive)
        {
            m_bActive = bActive;
            Redraw(nullptr, TRUE);
        }
    }
    return CXTPToolBar::OnIdleUpdateCmdUI(wParam, lParam);
}

BOOL CXTPDialogBar::GetDialogBarClientSizes(CSize& szDocking, CSize& szFloating) const
{
    szDocking = m_szDockingClient;
    szFloating = m_szFloatingClient;
    return TRUE;
}

void CXTPDialogBar::SetDialogBarClientSizes(CSize szDocking, CSize szFloating)
{
    m_szDockingClient = szDocking;
    m_szFloatingClient = szFloating;
}

CXTPCommandBar* CXTPDialogBar::Clone(BOOL bRecursive)
{
    return CXTPToolBar::Clone(bRecursive);
}

LRESULT CXTPDialogBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCHITTEST)
        return HitTestEdges(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
    const LRESULT lResult = CXTPToolBar::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE && m_hWndChild && ::IsWindow(m_hWndChild))
    {
        const CRect rcBorders = GetClientBorders();
        CRect rcClient;
        ::GetClientRect(m_hWnd, &rcClient);
        ::SetWindowPos(m_hWndChild, nullptr, rcBorders.left, rcBorders.top,
                       rcClient.Width() - rcBorders.left - rcBorders.right,
                       rcClient.Height() - rcBorders.top - rcBorders.bottom, SWP_NOACTIVATE | SWP_NOZORDER);
        ::InvalidateRect(m_hWndChild, nullptr, FALSE);
    }
    return lResult;
}
