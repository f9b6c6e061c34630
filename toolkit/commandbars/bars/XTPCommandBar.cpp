// CXTPCommandBar: data, lookup rules, creation and destruction, copies, removal, menus and
// tool bar resources, sizes, redraw and the message map.
#include "toolkit/commandbars/bars/XTPCommandBar.h"

#include "framework/FrameWnd.h"
#include "framework/Menu.h"
#include "framework/WinThread.h"
#include "toolkit/commandbars/bars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

IMPLEMENT_SERIAL(CXTPCommandBar, CWnd, XTP_COMMANDBAR_CLASS_SCHEMA)

UINT CXTPCommandBar::s_nHoverDelay = 300;
UINT CXTPCommandBar::s_nExpandDelay = 5000;

BEGIN_MESSAGE_MAP(CXTPCommandBar, CWnd)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDownMessage)
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_NCMOUSEMOVE, OnNcMouseMoveMessage)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CXTPCommandBar::CXTPCommandBar()
{
    m_pControls = new CXTPControls();
    m_pControls->SetParent(this);
    m_pAnimation = new CXTPCommandBarAnimation(this);
}

CXTPCommandBar::~CXTPCommandBar()
{
    // The window goes first, while this object still answers its messages as a bar.
    if (m_hWnd)
        DestroyWindow();
    if (m_bTracking)
        CXTPCommandBar::SetTrackingMode(FALSE);
    if (XTPMouseManager()->GetTrackArray().Find(this) >= 0)
        XTPMouseManager()->RemoveTrackingBar(this);
    if (XTPMouseManager()->GetSelected() == this)
        XTPMouseManager()->SetSelected(nullptr);
    XTPKeyboardManager()->UnhookKeyboard(this);
    GetHookManager()->RemoveAll(this);
    if (m_pControls)
    {
        m_pControls->RemoveAll();
        m_pControls->SetParent(nullptr);
        m_pControls->InternalRelease();
        m_pControls = nullptr;
    }
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    if (m_pToolTipContext)
        m_pToolTipContext->InternalRelease();
    delete m_pAnimation;
}

// ---- creation and destruction

int CXTPCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Customisation drops (the drag itself comes with customisation) and the tooltip context
    // are registered by the manager. A bar on its own shows the framework's tooltips.
    if (!GetCommandBars() && !IsPopupType())
        EnableToolTips(TRUE);
    return 0;
}

void CXTPCommandBar::OnDestroy()
{
    if (m_bTracking)
        SetTrackingMode(FALSE);
    m_pAnimation->OnDestroy();
    ::KillTimer(m_hWnd, kTimerHover);
    ::KillTimer(m_hWnd, kTimerFullMenus);
    CWnd::OnDestroy();
}

void CXTPCommandBar::OnRemoved()
{
    if (m_bTracking)
        SetTrackingMode(FALSE);
    XTPKeyboardManager()->UnhookKeyboard(this);
    GetHookManager()->RemoveAll(this);
    if (XTPMouseManager()->GetSelected() == this)
        XTPMouseManager()->SetSelected(nullptr);
    m_pControls->RemoveAll();
    if (m_hWnd)
        DestroyWindow();
}

void CXTPCommandBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    if (!pCommandBar || pCommandBar == this)
        return;
    m_barType = pCommandBar->m_barType;
    m_barPosition = pCommandBar->m_barPosition;
    m_nBarID = pCommandBar->m_nBarID;
    m_dwFlags = pCommandBar->m_dwFlags;
    m_dwStyle = pCommandBar->m_dwStyle;
    m_strTitle = pCommandBar->m_strTitle;
    m_bCustomizable = pCommandBar->m_bCustomizable;
    m_nMRUWidth = pCommandBar->m_nMRUWidth;
    m_pCommandBars = pCommandBar->m_pCommandBars;
    m_szIcons = pCommandBar->m_szIcons;
    m_szButtons = pCommandBar->m_szButtons;
    m_nShowTextBelowIcons = pCommandBar->m_nShowTextBelowIcons;
    m_pControls->SetCommandBars(m_pCommandBars);
    m_pControls->Copy(pCommandBar->m_pControls, bRecursive);
}

CXTPCommandBar* CXTPCommandBar::Clone(BOOL bRecursive)
{
    CObject* pObject = GetRuntimeClass()->CreateObject();
    CXTPCommandBar* pBar = static_cast<CXTPCommandBar*>(pObject);
    if (!pBar)
        return nullptr;
    pBar->Copy(this, bRecursive);
    return pBar;
}

void CXTPCommandBar::DoPropExchange(CXTPPropExchange* pPX)
{
    ExchangeIntProperty(pPX, "Type", m_barType, xtpBarTypeNormal);
    ExchangeIntProperty(pPX, "Position", m_barPosition, xtpBarTop);
    ExchangeIntProperty(pPX, "BarID", m_nBarID, 0u);
    ExchangeIntProperty(pPX, "Flags", m_dwFlags, 0ul);
    ExchangeIntProperty(pPX, "Style", m_dwStyle, 0ul);
    ExchangeStringProperty(pPX, "Title", m_strTitle, "");
    ExchangeBoolProperty(pPX, "Customizable", m_bCustomizable, TRUE);
    ExchangeIntProperty(pPX, "MRUWidth", m_nMRUWidth, 0);
    if (pPX->m_nSchema > 2)
    {
        SIZE sz = m_szIcons;
        ExchangeSizeProperty(pPX, "IconSize", sz, SIZE{0, 0});
        m_szIcons = sz;
    }
    if (pPX->m_nSchema > 17)
    {
        SIZE sz = m_szButtons;
        ExchangeSizeProperty(pPX, "ButtonSize", sz, SIZE{0, 0});
        m_szButtons = sz;
        ExchangeIntProperty(pPX, "ShowTextBelowIcons", m_nShowTextBelowIcons, 2);
        BOOL bAnimation = m_pAnimation->IsAnimationEnabled();
        ExchangeBoolProperty(pPX, "EnableAnimation", bAnimation, FALSE);
        m_pAnimation->EnableAnimation(bAnimation);
    }
    if (pPX->m_nSchema > 18)
        ExchangeIntProperty(pPX, "DefaultButtonStyle", m_nDefaultButtonStyle, 0);
    CXTPPropExchange* pSection = pPX->GetSection("Controls");
    if (pSection)
    {
        m_pControls->DoPropExchange(pSection);
        pSection->InternalRelease();
    }
}

// ---- menus and tool bar resources

BOOL CXTPCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveControls)
{
    HMENU hMenu = pMenu ? pMenu->GetSafeHmenu() : nullptr;
    if (!hMenu || !::IsMenu(hMenu))
        return FALSE;
    if (bRemoveControls)
        m_pControls->RemoveAll();

    BOOL bBeginGroup = FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if ((info.fType & MFT_SEPARATOR) || (info.wID == 0 && !info.hSubMenu))
        {
            bBeginGroup = TRUE;
            continue;
        }
        CXTPControl* pControl = m_pControls->AddMenuItem(hMenu, i);
        if (!pControl)
            continue;
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
        if (info.fType & (MFT_MENUBARBREAK | MFT_MENUBREAK))
        {
            pControl->SetFlags(pControl->GetFlags() | xtpFlagWrapRow);
            if (info.fType & MFT_MENUBARBREAK)
                pControl->SetBeginGroup(TRUE);
        }
        if (!pControl->GetAction())
        {
            if (info.fState & MFS_CHECKED)
                pControl->SetChecked(TRUE);
            if (info.fState & (MFS_GRAYED | MFS_DISABLED))
                pControl->SetEnabled(FALSE);
        }
    }
    if (m_hWnd)
    {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->m_nFrameFlags |= 0x4 | 0x8;
    }
    return TRUE;
}

BOOL CXTPCommandBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_pControls->RemoveAll();
    if (LOWORD(nIDResource) == 0)
        return FALSE;
    UINT* pItems = nullptr;
    int nItems = 0;
    CSize szButton(0, 0);
    // A resource shorter than its item count says is refused (no buttons from beyond its end).
    if (!CXTPImageManager::LoadToolbar(nIDResource, pItems, nItems, szButton, TRUE))
        return FALSE;
    BOOL bResult = SetButtons(pItems, nItems);
    if (bLoadIcons)
    {
        CArray<UINT, UINT> commands;
        for (int i = 0; i < nItems; ++i)
        {
            if (pItems[i] != 0)
                commands.Add(pItems[i]);
        }
        CXTPImageManager* pImageManager = GetImageManager();
        if (!pImageManager ||
            !pImageManager->SetIconsFromResourceId(nIDResource, commands.GetData(), static_cast<int>(commands.GetSize()),
                                                   szButton.cx, szButton.cy, xtpImageNormal))
            bResult = FALSE;
        else if (szButton.cx != 16)
            SetIconSize(szButton);
    }
    delete[] pItems;
    DelayLayout();
    return bResult;
}

BOOL CXTPCommandBar::SetButtons(const UINT* pButtons, int nCount)
{
    m_pControls->RemoveAll();
    CWnd* pSite = GetSite();
    HWND hWndSite = pSite ? pSite->GetSafeHwnd() : nullptr;
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount && pButtons; ++i)
    {
        if (pButtons[i] == 0)
        {
            bBeginGroup = TRUE;
            continue;
        }
        XTP_COMMANDBARS_CREATECONTROL cs;
        cs.nID = static_cast<int>(pButtons[i]);
        cs.pControl = nullptr;
        cs.controlType = xtpControlButton;
        cs.buttonStyle = 0;
        cs.pCommandBar = this;
        cs.hMenu = nullptr;
        cs.nIndex = i;
        cs.strCaption = m_strTitle;
        if (hWndSite)
            ::SendMessageA(hWndSite, XTP_WM_CONTROL_CREATE, 0, reinterpret_cast<LPARAM>(&cs));
        CXTPControl* pControl = nullptr;
        if (cs.pControl)
            pControl = m_pControls->Add(cs.pControl, cs.nID);
        else
            pControl = m_pControls->AddByType(cs.controlType, cs.nID);
        if (pControl)
        {
            if (cs.buttonStyle != 0)
                pControl->SetStyle(cs.buttonStyle);
            if (cs.controlType == xtpControlPopup)
                pControl->SetIconId(cs.nID);
            if (bBeginGroup)
                pControl->SetBeginGroup(TRUE);
        }
        bBeginGroup = FALSE;
        cs.pControl = pControl;
        if (hWndSite)
            ::SendMessageA(hWndSite, XTP_WM_CONTROL_CREATED, 0, reinterpret_cast<LPARAM>(&cs));
    }
    return TRUE;
}

// ---- data

int CXTPCommandBar::GetControlCount() const
{
    return m_pControls ? m_pControls->GetCount() : 0;
}

CXTPControl* CXTPCommandBar::GetControl(int nIndex) const
{
    return m_pControls ? m_pControls->GetAt(nIndex) : nullptr;
}

BOOL CXTPCommandBar::GetShowTextBelowIcons() const
{
    if (m_nShowTextBelowIcons != 2)
        return m_nShowTextBelowIcons;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars ? pCommandBars->GetCommandBarsOptions()->bShowTextBelowIcons : FALSE;
}

void CXTPCommandBar::SetVisible(BOOL bVisible)
{
    if (m_hWnd)
        ::ShowWindow(m_hWnd, bVisible ? SW_SHOWNA : SW_HIDE);
}

BOOL CXTPCommandBar::IsVisibleOnScreen() const
{
    if (!m_hWnd || !IsVisible() || !::IsWindowVisible(m_hWnd))
        return FALSE;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    return !::IsRectEmpty(&rc);
}

BOOL CXTPCommandBar::IsPointInBar(CPoint point) const
{
    if (!m_hWnd)
        return FALSE;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    if (!::PtInRect(&rc, point))
        return FALSE;
    if (IsPopupType())
    {
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        BOOL bInside = TRUE;
        if (::GetWindowRgn(m_hWnd, hRgn) != ERROR)
            bInside = ::PtInRegion(hRgn, point.x - rc.left, point.y - rc.top);
        ::DeleteObject(hRgn);
        return bInside;
    }
    return TRUE;
}

BOOL CXTPCommandBar::IsDwmEnabled() const
{
    // A bar at the top of a frame whose manager's frame hook draws with composition.
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return GetPosition() == xtpBarTop && pCommandBars && pCommandBars->IsDwmEnabled();
}

BOOL CXTPCommandBar::IsKeyboardCuesVisible() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return TRUE;
    if (pCommandBars->IsCustomizeMode())
        return FALSE;
    return pCommandBars->m_bKeyboardCuesVisible;
}

BOOL CXTPCommandBar::IsCustomizeMode() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars && pCommandBars->IsCustomizeMode();
}

int CXTPCommandBar::IsControlEnabled(const CXTPControl* /*pControl*/) const
{
    return -1; // no opinion
}

CRect CXTPCommandBar::GetBorders()
{
    return GetPaintManager()->GetCommandBarBorders(this);
}

void CXTPCommandBar::HideKeyboardTips()
{
    // The manager keeps the shown tips: they go when this bar owns them.
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->GetKeyboardTipsOwner() == this)
        pCommandBars->HideKeyboardTips();
}

// ---- sizes

int CXTPCommandBar::GetAutoIconSize(BOOL bLarge) const
{
    return GetPaintManager()->GetAutoIconSize(bLarge);
}

namespace
{
BOOL IsSizeSet(const CSize& sz)
{
    return sz.cx > 0 && sz.cy > 0;
}
} // namespace

CSize CXTPCommandBar::GetIconSize() const
{
    if (IsSizeSet(m_szIcons))
        return m_szIcons;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return CSize(16, 16);
    const CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    if (IsPopupType())
    {
        if (IsSizeSet(pOptions->szPopupIcons))
            return pOptions->szPopupIcons;
        int n = GetAutoIconSize(FALSE);
        return CSize(n, n);
    }
    if (pOptions->bLargeIcons && !IsSizeSet(m_szButtons))
    {
        if (IsSizeSet(pOptions->szLargeIcons))
            return pOptions->szLargeIcons;
        int n = GetAutoIconSize(TRUE);
        return CSize(n, n);
    }
    if (IsSizeSet(pOptions->szIcons))
        return pOptions->szIcons;
    int n = GetAutoIconSize(FALSE);
    return CSize(n, n);
}

CSize CXTPCommandBar::GetLargeIconSize(BOOL bAutoSize) const
{
    if (IsSizeSet(m_szLargeIcons))
        return m_szLargeIcons;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return IsSizeSet(m_szIcons) ? CSize(m_szIcons.cx * 2, m_szIcons.cy * 2) : CSize(32, 32);
    const CXTPCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    if (IsSizeSet(pOptions->szLargeIcons))
        return pOptions->szLargeIcons;
    if (bAutoSize)
    {
        int n = GetAutoIconSize(TRUE);
        return CSize(n, n);
    }
    CSize szIcon = IsSizeSet(m_szIcons) ? m_szIcons : IsSizeSet(pOptions->szIcons) ? pOptions->szIcons : CSize(16, 16);
    return CSize(szIcon.cx * 2, szIcon.cy * 2);
}

CSize CXTPCommandBar::GetButtonSize() const
{
    if (IsSizeSet(m_szButtons))
        return m_szButtons;
    CSize szIcon = GetIconSize();
    return CSize(szIcon.cx + 6, szIcon.cy + 6);
}

// ---- lookup rules

CXTPCommandBars* CXTPCommandBar::GetCommandBars() const
{
    for (const CXTPCommandBar* pBar = this; pBar; pBar = pBar->GetParentCommandBar())
    {
        if (pBar->m_pCommandBars)
            return pBar->m_pCommandBars;
    }
    return nullptr;
}

CXTPCommandBar* CXTPCommandBar::GetRootParent() const
{
    const CXTPCommandBar* pBar = this;
    while (pBar->GetParentCommandBar())
        pBar = pBar->GetParentCommandBar();
    return const_cast<CXTPCommandBar*>(pBar);
}

CXTPPaintManager* CXTPCommandBar::GetPaintManager() const
{
    if (m_pPaintManager)
        return m_pPaintManager;
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetPaintManager();
    const CXTPCommandBar* pTop = GetRootParent();
    if (pTop != this && pTop->m_pPaintManager)
        return pTop->m_pPaintManager;
    return CXTPPaintManager::GetGlobal();
}

void CXTPCommandBar::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    if (m_pPaintManager)
        m_pPaintManager->RefreshMetrics();
}

CXTPImageManager* CXTPCommandBar::GetImageManager() const
{
    if (m_pImageManager)
        return m_pImageManager;
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetImageManager();
    const CXTPCommandBar* pTop = GetRootParent();
    if (pTop != this && pTop->m_pImageManager)
        return pTop->m_pImageManager;
    return ::GetImageManager();
}

void CXTPCommandBar::SetImageManager(CXTPImageManager* pImageManager)
{
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

CXTPToolTipContext* CXTPCommandBar::GetToolTipContext() const
{
    if (m_pToolTipContext)
        return m_pToolTipContext;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars ? pCommandBars->GetToolTipContext() : nullptr;
}

void CXTPCommandBar::SetToolTipContext(CXTPToolTipContext* pContext)
{
    if (pContext)
        pContext->InternalAddRef();
    if (m_pToolTipContext)
        m_pToolTipContext->InternalRelease();
    m_pToolTipContext = pContext;
}

CWnd* CXTPCommandBar::GetSite() const
{
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
    {
        if (pCommandBars->GetSite())
            return pCommandBars->GetSite();
    }
    const CXTPCommandBar* pTop = GetRootParent();
    if (pTop->m_hWndSite)
        return CWnd::FromHandle(pTop->m_hWndSite);
    if (m_hWnd)
    {
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        if (!hOwner)
            hOwner = ::GetParent(m_hWnd);
        if (hOwner)
            return CWnd::FromHandle(hOwner);
    }
    return AfxGetMainWnd();
}

CWnd* CXTPCommandBar::GetOwnerSite() const
{
    for (const CXTPCommandBar* pBar = this; pBar; pBar = pBar->GetParentCommandBar())
    {
        if (pBar->m_hWndOwner)
            return CWnd::FromHandle(pBar->m_hWndOwner);
    }
    return GetSite();
}

CWnd* CXTPCommandBar::GetFrameSite() const
{
    CWnd* pSite = GetSite();
    if (!pSite || !pSite->GetSafeHwnd())
        return nullptr;
    CWnd* pPermanent = CWnd::FromHandlePermanent(pSite->GetSafeHwnd());
    return pPermanent && pPermanent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? pPermanent : nullptr;
}

BOOL CXTPCommandBar::IsHelpMode() const
{
    CWnd* pFrame = GetFrameSite();
    return pFrame && static_cast<CFrameWnd*>(pFrame)->m_bHelpMode;
}

// ---- delayed layout and redraw

void CXTPCommandBar::DelayRedraw()
{
    m_dwPending |= xtpDelayRedraw;
}

void CXTPCommandBar::DelayLayout()
{
    m_dwPending |= xtpDelayLayout;
}

void CXTPCommandBar::UnlockRedraw()
{
    if (m_nLockRedraw > 0 && --m_nLockRedraw == 0 && (m_dwPending & xtpDelayRedraw))
        Redraw();
}

BOOL CXTPCommandBar::Redraw(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_nLockRedraw > 0)
    {
        m_dwPending |= xtpDelayRedraw;
        return FALSE;
    }
    if (!lpRect)
        m_dwPending &= ~xtpDelayRedraw;
    ++m_nRedrawCount;
    if (m_hWnd && IsVisible())
        m_pAnimation->RedrawRect(lpRect, bAnimate);
    return TRUE;
}

void CXTPCommandBar::EnableAnimation(BOOL bEnable)
{
    m_pAnimation->EnableAnimation(bEnable);
}

BOOL CXTPCommandBar::IsAnimationEnabled() const
{
    return m_pAnimation->IsAnimationEnabled();
}

void CXTPCommandBar::EnableDoubleBuffer(BOOL bEnable)
{
    m_pAnimation->EnableDoubleBuffer(bEnable);
}

// ---- toolbars: what an expand popup shows of a bar

void CXTPCommandBar::CopyOverflowControls(CXTPCommandBar* pTarget) const
{
    if (!pTarget || pTarget == this)
        return;
    for (int i = 0; i < m_pControls->GetCount(); ++i)
    {
        CXTPControl* pControl = m_pControls->GetAt(i);
        if (pControl->GetHideFlags() != xtpHideWrap)
            continue;
        CXTPControl* pClone = pTarget->GetControls()->AddClone(pControl, -1, TRUE);
        if (pClone)
        {
            pClone->SetHideFlags(0);
            pClone->SetFlags(0);
        }
    }
}
