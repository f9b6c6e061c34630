// CXTPPopupBar and CXTPPopupToolBar: creation, opening, tracking, expanding, copies, persistence
// and the window's messages.
#include "toolkit/commandbars/bars/XTPPopupBar.h"

#include "framework/FrameWnd.h"
#include "toolkit/commandbars/bars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/bars/XTPPopupPlacement.h"
#include "toolkit/commandbars/managers/XTPShadowManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/drawing/XTPScopedDC.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/system/XTPMenuSoundPlayer.h"
#include "toolkit/common/persist/XTPPropExchange.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include <algorithm>


IMPLEMENT_SERIAL(CXTPPopupBar, CXTPCommandBar, XTP_COMMANDBAR_CLASS_SCHEMA)
IMPLEMENT_SERIAL(CXTPPopupToolBar, CXTPPopupBar, XTP_COMMANDBAR_CLASS_SCHEMA)

CRuntimeClass* CXTPPopupBar::s_pPopupBarClass = RUNTIME_CLASS(CXTPPopupBar);
CRuntimeClass* CXTPPopupToolBar::s_pPopupToolBarClass = RUNTIME_CLASS(CXTPPopupToolBar);
UINT CXTPPopupBar::s_nExpandButtonDelay = 900;

namespace
{
const char kPopupBarClass[] = "XTPPopupBar";
// WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | 0x100 (synchronised activation with the owner).
const DWORD kPopupStyle = 0x86000100;
const DWORD kSyncActivate = 0x100;

// "Rarely used commands shown" for the menus that follow in the same tracking (bars live on the UI
// thread only); cleared when no bar tracks any more.
BOOL g_bNextMenusExpanded = FALSE;
} // namespace

BEGIN_MESSAGE_MAP(CXTPPopupBar, CXTPCommandBar)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CXTPPopupBar::CXTPPopupBar()
{
    m_barType = xtpBarTypePopup;
    m_barPosition = xtpBarPopup;
    m_dwStyle &= ~CBRS_GRIPPER_STYLE;
}

CXTPPopupBar::~CXTPPopupBar()
{
    if (m_pTearOffBar)
    {
        m_pTearOffBar->InternalRelease();
        m_pTearOffBar = nullptr;
    }
}

namespace
{
// A popup of the run-time class, given the manager with its controls.
template <class TPopup> TPopup* CreatePopupOfClass(CRuntimeClass* pClass, CXTPCommandBars* pCommandBars)
{
    TPopup* pPopup = static_cast<TPopup*>(pClass->CreateObject());
    if (!pPopup)
        return nullptr;
    pPopup->SetCommandBars(pCommandBars);
    pPopup->GetControls()->SetCommandBars(pCommandBars);
    return pPopup;
}
} // namespace

CXTPPopupBar* CXTPPopupBar::CreatePopupBar(CXTPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = s_pPopupBarClass ? s_pPopupBarClass : RUNTIME_CLASS(CXTPPopupBar);
    return CreatePopupOfClass<CXTPPopupBar>(pClass, pCommandBars);
}

CXTPPopupToolBar::CXTPPopupToolBar()
{
    m_barType = xtpBarTypeNormal;
}

CXTPPopupToolBar* CXTPPopupToolBar::CreatePopupToolBar(CXTPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = s_pPopupToolBarClass ? s_pPopupToolBarClass : RUNTIME_CLASS(CXTPPopupToolBar);
    return CreatePopupOfClass<CXTPPopupToolBar>(pClass, pCommandBars);
}

// ---- the window

BOOL CXTPPopupBar::Create()
{
    if (m_hWnd)
        return TRUE;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    const BOOL bSaveBits =
        !pCommandBars || pCommandBars->GetCommandBarsOptions()->bUseSystemSaveBitsStyle;
    const UINT nClassStyle = bSaveBits ? (CS_DBLCLKS | CS_SAVEBITS) : CS_DBLCLKS;

    WNDCLASSA wc = {};
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    if (!::GetClassInfoA(hInstance, kPopupBarClass, &wc) || wc.style != nClassStyle)
    {
        if (wc.lpszClassName)
            ::UnregisterClassA(kPopupBarClass, hInstance);
        wc = {};
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kPopupBarClass;
        AfxRegisterClass(&wc);
    }

    DWORD dwExStyle = WS_EX_TOOLWINDOW;
    CWnd* pSite = GetSite();
    if (!pSite && GetParentCommandBar())
        pSite = GetParentCommandBar()->GetSite();
    HWND hWndSite = pSite ? pSite->GetSafeHwnd() : nullptr;
    if (pCommandBars ? pCommandBars->IsLayoutRTL()
                     : (hWndSite && (::GetWindowLongA(hWndSite, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)))
        dwExStyle |= WS_EX_LAYOUTRTL;

    if (!CreateEx(dwExStyle, kPopupBarClass, m_strTitle, kPopupStyle, 0, 0, 0, 0, hWndSite, nullptr))
        return FALSE;
    return TRUE;
}

LRESULT CXTPPopupBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NCCREATE:
    {
        LRESULT lResult = CXTPCommandBar::WindowProc(message, wParam, lParam);
        if (lResult && (::GetWindowLongA(m_hWnd, GWL_STYLE) & kSyncActivate))
        {
            HWND hTop = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
            if (hTop == m_hWnd)
                hTop = nullptr;
            HWND hForeground = ::GetForegroundWindow();
            BOOL bActive = hTop && hForeground == hTop;
            if (!bActive && hTop && hForeground && ::GetLastActivePopup(hTop) == hForeground &&
                ::SendMessageA(hForeground, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0)
                bActive = TRUE;
            ::SendMessageA(m_hWnd, WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE, 0);
        }
        return lResult;
    }
    case WM_FLOATSTATUS:
        return ((::GetWindowLongA(m_hWnd, GWL_STYLE) & kSyncActivate) && (wParam & FS_SYNCACTIVE)) ? 1 : 0;
    case WM_NCACTIVATE:
        return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    case WM_CANCELMODE:
        // The system cancels modes (a dialog comes up): the popup closes.
        if (IsTrackingMode())
            SetTrackingMode(FALSE);
        return 0;
    default:
        break;
    }
    return CXTPCommandBar::WindowProc(message, wParam, lParam);
}

int CXTPPopupBar::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

// ---- opening

BOOL CXTPPopupBar::Popup(CXTPControl* pControl, BOOL bSelectFirst)
{
    m_pControlPopup = DYNAMIC_DOWNCAST(CXTPControlPopup, pControl);
    if (!Create())
        return FALSE;
    if (CXTPToolTipContext* pTips = GetToolTipContext())
        pTips->DeactivateToolTip();
    BeginOpening();

    UpdateExcludeRect();
    CSize sz = CalcDynamicLayout(0, 0);
    UpdateLocation(sz);

    if (!m_hWnd)
    {
        --m_nLockCount;
        InternalRelease();
        return FALSE;
    }
    CXTPCommandBar* pParent = GetParentCommandBar();
    if (pParent && !pParent->GetSafeHwnd())
    {
        --m_nLockCount;
        DestroyWindow();
        InternalRelease();
        return FALSE;
    }

    ShowOpened(bSelectFirst, bSelectFirst);
    InternalRelease();
    return TRUE;
}

void CXTPPopupBar::BeginOpening()
{
    ++m_nLockCount;
    // Keep this bar while the site hears of it (it may end tracking).
    InternalAddRef();
    CWnd* pSite = GetSite();
    if (pSite && pSite->GetSafeHwnd())
        ::SendMessageA(pSite->GetSafeHwnd(), XTP_WM_POPUPBAR_OPENING, 0, reinterpret_cast<LPARAM>(this));

    m_bExpanded = FALSE;
    m_bCollapsed = FALSE;
    m_bShowExpanded = IsCustomizeMode() || g_bNextMenusExpanded;
    // Each opening starts unscrolled at the first control.
    m_bScrolling = FALSE;
    m_nFirstVisible = 0;
    m_szLast = CSize(0, 0);
}

void CXTPPopupBar::ShowOpened(BOOL bSelectFirst, BOOL bKeyboard)
{
    SetTrackingMode(1, bSelectFirst, bKeyboard);
    m_dwPending &= ~xtpDelayLayout;
    AnimateShow();
    GetMenuSoundPlayer()->Play(CXTPMenuSoundPlayer::xtpSoundMenuPopup);
    CastShadow();
    --m_nLockCount;
    if (m_bRedrawPending && m_hWnd)
    {
        m_bRedrawPending = FALSE;
        Redraw();
    }
}

BOOL CXTPPopupBar::Popup(int x, int y, LPCRECT rcExclude)
{
    m_pControlPopup = nullptr;
    if (!Create())
        return FALSE;
    BeginOpening();

    // The anchor is the point; a given rectangle is kept clear (the popup goes above it when it
    // does not fit below). The tracked alignment reverses the directions.
    m_ptPopup = CPoint(x, y);
    m_rcExclude = (rcExclude && !CRect(*rcExclude).IsRectEmpty()) ? CRect(*rcExclude) : CRect(x, y, x, y);
    DWORD dwDirection = xtpPopupDirectionBelow;
    if (m_popupFlags & xtpPopupAlignRight)
        dwDirection |= xtpPopupDirectionLeft;
    if (m_popupFlags & xtpPopupAlignBottom)
        dwDirection |= xtpPopupDirectionUpward;
    m_dwDirection = dwDirection;

    CSize sz = CalcDynamicLayout(0, 0);
    UpdateLocation(sz);
    if (!m_hWnd)
    {
        --m_nLockCount;
        InternalRelease();
        return FALSE;
    }
    ShowOpened(FALSE, FALSE);
    InternalRelease();
    return TRUE;
}

void CXTPPopupBar::CastShadow()
{
    if (!m_hWnd || m_barPosition != xtpBarPopup || !m_bShowShadow || IsCustomizeMode())
        return;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (!pPaintManager || !pPaintManager->m_bShowShadow || !pPaintManager->GetShadowManager())
        return;
    CXTPShadowManager* pShadows = pPaintManager->GetShadowManager();
    pShadows->RemoveShadows(this);
    pShadows->SetMenuShadow(this, m_rcExclude.IsRectEmpty() ? nullptr : &m_rcExclude,
                            m_pControlPopup != nullptr);
}

void CXTPPopupBar::UpdateLocation(CSize sz)
{
    if (!m_hWnd)
        return;
    CRect rc = CalcPopupRect(m_ptPopup, sz);
    const UINT nFlags = ::IsWindowVisible(m_hWnd) ? 0x254 : 0x250;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
    m_szLast = rc.Size();
}

int CXTPPopupBar::GetAnimationKind() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || (m_hWnd && ::GetWindow(m_hWnd, GW_CHILD)))
        return xtpAnimateNone;
    int nOption = pCommandBars->GetCommandBarsOptions()->animationType;
    CXTPCommandBarsSystemQuery* pQuery = GetCommandBarsSystemQuery();
    if (nOption == xtpAnimateWindowsDefault)
    {
        BOOL bAnimation = FALSE;
        if (!pQuery->GetMenuAnimation(bAnimation) || !bAnimation)
            return xtpAnimateNone;
        BOOL bFade = FALSE;
        if (!pQuery->GetMenuFade(bFade))
            return xtpAnimateSlide;
        return bFade ? xtpAnimateFade : xtpAnimateSlide;
    }
    if (nOption == xtpAnimateRandom)
    {
        static const int kinds[3] = {xtpAnimateFade, xtpAnimateSlide, xtpAnimateUnfold};
        int n = pQuery->Random() % 3;
        return kinds[n < 0 ? -n : n];
    }
    return nOption;
}

void CXTPPopupBar::AnimateShow()
{
    if (!m_hWnd)
        return;
    CXTPCommandBar* pParent = GetParentCommandBar();
    BOOL bAnimate = !pParent || pParent->IsEnteredByMouse();
    if (pParent)
        pParent->ClearEnteredByMouse();
    if (IsCustomizeMode() || ::GetWindow(m_hWnd, GW_CHILD))
        bAnimate = FALSE;
    const int nKind = bAnimate ? GetAnimationKind() : xtpAnimateNone;
    if (nKind < xtpAnimateUnfold || nKind > xtpAnimateFade)
    {
        ::ShowWindow(m_hWnd, SW_SHOWNA);
        ::UpdateWindow(m_hWnd);
        return;
    }
    if (m_pControlPopup)
        m_pControlPopup->RedrawParent(FALSE);
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    CWindowDC dcWindow(this);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcWindow, rc.Width(), rc.Height());
    CXTPCompatibleDC dcBuffer(&dcWindow, &bmp);
    DrawCommandBar(&dcBuffer, rc);
    // The screen under the window goes in first, then the picture animates over it.
    CWindowDC dcScreen(nullptr);
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    dcWindow.BitBlt(0, 0, rc.Width(), rc.Height(), &dcScreen, rcWindow.left, rcWindow.top, SRCCOPY);
    GetPaintManager()->Animate(&dcWindow, &dcBuffer, rc, nKind);
    ::ValidateRect(m_hWnd, nullptr);
}

BOOL CXTPPopupBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CXTPCommandBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (bMode)
    {
        if (m_hWnd)
            ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
        return TRUE;
    }
    // Keep this object while it closes (the parent may let go of its control).
    InternalAddRef();
    if (m_hWnd)
    {
        ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
        ::KillTimer(m_hWnd, XTP_TID_POPUP_EXPANDDELAY);
        // Hosted child windows go back to the site before the window goes.
        CWnd* pSite = GetSite();
        HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
        while (hChild)
        {
            HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
            ::ShowWindow(hChild, SW_HIDE);
            ::SetParent(hChild, pSite ? pSite->GetSafeHwnd() : nullptr);
            hChild = hNext;
        }
        if (CXTPPaintManager* pPaintManager = GetPaintManager())
        {
            if (pPaintManager->GetShadowManager())
                pPaintManager->GetShadowManager()->RemoveShadows(this);
        }
        DestroyWindow();
    }
    CXTPCommandBar* pParent = GetParentCommandBar();
    if (pParent && m_pControlPopup && pParent->GetPopped() == m_pControlPopup->GetIndex())
        pParent->SetPopupControl(-1);
    ::Sleep(1);
    m_pControlPopup = nullptr;
    g_bNextMenusExpanded = XTPMouseManager()->IsTracking() ? g_bNextMenusExpanded : FALSE;
    CWnd* pSite = GetSite();
    if (pSite && pSite->GetSafeHwnd())
        ::UpdateWindow(pSite->GetSafeHwnd());
    InternalRelease();
    return TRUE;
}

BOOL CXTPPopupBar::SetSelected(int nSelected, BOOL bKeyboard)
{
    if (!CXTPCommandBar::SetSelected(nSelected, bKeyboard))
        return FALSE;
    CXTPControl* pHot = GetControl(m_nSelected);
    const BOOL bExpandHot = pHot && pHot->GetID() == XTP_ID_POPUPBAR_EXPAND && !bKeyboard;
    if (m_hWnd && !bExpandHot)
        ::KillTimer(m_hWnd, XTP_TID_POPUP_EXPANDDELAY);
    if (m_hWnd && bExpandHot)
    {
        CXTPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars && pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay)
            ::SetTimer(m_hWnd, XTP_TID_POPUP_EXPANDDELAY, s_nExpandButtonDelay, nullptr);
    }
    if (m_bScrolling && pHot && (pHot->GetHideFlags() & xtpHideScroll))
    {
        if (pHot->GetIndex() < m_nFirstVisible)
            m_nFirstVisible = pHot->GetIndex();
        else
            m_nFirstVisible += pHot->GetIndex() - m_nLastVisible;
        OnRecalcLayout();
    }
    return TRUE;
}

int CXTPPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (nChar == VK_DOWN && m_bCollapsed && !m_bExpanded)
    {
        if (::GetKeyState(VK_CONTROL) < 0)
        {
            ExpandBar();
            return 1;
        }
        const int nNext = m_pControls->FindNextIndex(m_nSelected, +1);
        if (m_nSelected != -1 && nNext != -1 && nNext <= m_nSelected)
        {
            ExpandBar();
            return 1;
        }
    }
    return CXTPCommandBar::OnHookKeyDown(nChar, lParam);
}

void CXTPPopupBar::ExpandBar()
{
    if (!m_bCollapsed || m_bExpanded)
        return;
    if (CXTPToolTipContext* pTips = GetToolTipContext())
        pTips->DeactivateToolTip();
    m_bExpanded = TRUE;
    m_bExpandedByUser = TRUE;
    // The controls the expansion reveals are those hidden as rarely used until now.
    m_newlyShown.clear();
    for (int i = 0; i < m_pControls->GetCount(); ++i)
    {
        const CXTPControl* pControl = m_pControls->GetAt(i);
        if (pControl->GetHideFlags() & xtpHideExpand)
            m_newlyShown.push_back(pControl);
    }
    SetPopupControl(-1);
    SetSelected(-1);
    OnRecalcLayout();
    m_bExpandedByUser = FALSE;
    m_newlyShown.clear();
    g_bNextMenusExpanded = TRUE;
}

BOOL CXTPPopupBar::IsControlNewlyShown(const CXTPControl* pControl) const
{
    return m_bExpandedByUser && std::find(m_newlyShown.begin(), m_newlyShown.end(), pControl) != m_newlyShown.end();
}

void CXTPPopupBar::DelayRedraw()
{
    if (m_nLockCount > 0)
    {
        m_bRedrawPending = TRUE;
        return;
    }
    Redraw();
}

void CXTPPopupBar::DelayLayout()
{
    OnRecalcLayout();
}

BOOL CXTPPopupBar::IsVisible() const
{
    return m_hWnd && ::IsWindowVisible(m_hWnd);
}

CXTPCommandBar* CXTPPopupBar::GetParentCommandBar() const
{
    return m_pControlPopup ? m_pControlPopup->GetParent() : nullptr;
}

int CXTPPopupBar::OnMouseHitTest(CPoint pt)
{
    return CXTPCommandBar::OnMouseHitTest(pt);
}

CRect CXTPPopupBar::GetBorders()
{
    if (m_barType == xtpBarTypeNormal)
        return m_rcBorders;
    return CXTPCommandBar::GetBorders();
}

// ---- copies and persistence

void CXTPPopupBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPCommandBar::Copy(pCommandBar, bRecursive);
    CXTPPopupBar* pSource = DYNAMIC_DOWNCAST(CXTPPopupBar, pCommandBar);
    if (!pSource || pSource == this)
        return;
    m_bTearOffPopup = pSource->m_bTearOffPopup;
    m_strTearOffCaption = pSource->m_strTearOffCaption;
    m_nTearOffID = pSource->m_nTearOffID;
    m_nTearOffWidth = pSource->m_nTearOffWidth;
    m_strTitle = pSource->m_strTitle;
    m_bShowShadow = pSource->m_bShowShadow;
    m_rcBorders = pSource->m_rcBorders;
    m_bDoubleGripper = pSource->m_bDoubleGripper;
    m_bAllowFlip = pSource->m_bAllowFlip;
    m_bContextMenu = pSource->m_bContextMenu;
    m_nMaxHeight = pSource->m_nMaxHeight;
}

CXTPCommandBar* CXTPPopupBar::Clone(BOOL bRecursive)
{
    CXTPPopupBar* pClone = static_cast<CXTPPopupBar*>(GetRuntimeClass()->CreateObject());
    if (!pClone)
        return nullptr;
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CXTPPopupBar::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPCommandBar::DoPropExchange(pPX);
    ExchangeBoolProperty(pPX, "TearOffPopup", m_bTearOffPopup, FALSE);
    ExchangeStringProperty(pPX, "TearOffCaption", m_strTearOffCaption, "");
    ExchangeIntProperty(pPX, "TearOffId", m_nTearOffID, 0u);
    ExchangeIntProperty(pPX, "TearOffWidth", m_nTearOffWidth, 0);
    if (pPX->m_nSchema > 3)
    {
        RECT rc = m_rcBorders;
        ExchangeRectProperty(pPX, "Borders", rc, RECT{2, 4, 2, 4});
        m_rcBorders = rc;
        ExchangeBoolProperty(pPX, "ShowShadow", m_bShowShadow, TRUE);
    }
    if (pPX->m_nSchema > 8)
        ExchangeBoolProperty(pPX, "DoubleGripper", m_bDoubleGripper, FALSE);
    if (pPX->IsLoading() && pPX->m_nSchema < 20)
        m_dwStyle |= CBRS_GRIPPER_STYLE;
    if (pPX->m_nSchema > 18)
        ExchangeBoolProperty(pPX, "ContextMenu", m_bContextMenu, FALSE);
}

// ---- tear-off settings

void CXTPPopupBar::SetTearOffPopup(LPCSTR lpszCaption, UINT nID, int nWidth)
{
    m_bTearOffPopup = TRUE;
    m_strTearOffCaption = lpszCaption ? lpszCaption : "";
    m_nTearOffID = nID;
    m_nTearOffWidth = nWidth;
}

BOOL CXTPPopupBar::IsTearOffPopup(CString& strCaption, UINT& nID, int& nWidth) const
{
    strCaption = m_strTearOffCaption;
    nID = m_nTearOffID;
    nWidth = m_nTearOffWidth;
    return m_bTearOffPopup;
}
