#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

#include "framework/FrameWnd.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/manager/XTPCommandBarsFrameHook.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlAction.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCustomizeDropSource.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
// Menu bar (GetMenuBar knows it by its class).
#include "toolkit/commandbars/bars/XTPMenuBar.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/managers/XTPShortcutManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/system/XTPMenuSoundPlayer.h"
#include "toolkit/common/persist/XTPPropExchange.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

IMPLEMENT_DYNCREATE(CXTPCommandBars, CCmdTarget)

BOOL IsVerticalDockPosition(int nBarPosition)
{
    return nBarPosition == xtpBarLeft || nBarPosition == xtpBarRight;
}

BOOL IsVerticalPosition(int nBarPosition)
{
    return IsVerticalDockPosition(nBarPosition) || nBarPosition == xtpBarPopup;
}

CXTPCommandBar* CXTPCommandBarsContextMenus::Add(CXTPCommandBar* pPopupBar)
{
    if (!pPopupBar)
        return nullptr;
    CXTPCommandBarList::Add(pPopupBar);
    pPopupBar->m_bContextMenu = TRUE;
    return pPopupBar;
}

CXTPCommandBars::CXTPCommandBars()
{
    m_pOptions = new CXTPCommandBarsOptions();
    m_pOptions->m_pCommandBars = this;
    m_pToolTipContext = new CXTPToolTipContext();
    m_pToolTipContext->SetStyle(xtpToolTipOffice);
    m_pShortcutManager = new CXTPShortcutManager(this);
    m_pActions = new CXTPControlActions(this);
    m_pContextMenus = new CXTPCommandBarsContextMenus(this);
    m_pDropSource = new CXTPCustomizeDropSource(this);

    // The menu-sound player lives for the whole process: managers make sure it exists but never
    // stop it (another manager's menus may still sound).
    GetMenuSoundPlayer();
    m_pOptions->SetShowKeyboardCues(2);
}

CXTPCommandBars::~CXTPCommandBars()
{
    HideKeyboardTips(); // the manager owns the tip windows
    if (m_pDragControl)
    {
        m_pDragControl->InternalRelease();
        m_pDragControl = nullptr;
    }
    if (m_pContextMenus)
    {
        m_pContextMenus->RemoveAll();
        m_pContextMenus->InternalRelease();
        m_pContextMenus = nullptr;
    }
    // The site is not laid out for a manager that is going away.
    m_bRecalcLayout = TRUE;
    RemoveAll();
    // The dock bars go with the bars they held.
    DestroyDockBars();
    delete m_pFrameHook;
    m_pFrameHook = nullptr;
    if (m_pDropSource)
    {
        m_pDropSource->InternalRelease();
        m_pDropSource = nullptr;
    }
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    if (m_pToolTipContext)
        m_pToolTipContext->InternalRelease();
    if (m_pShortcutManager)
        m_pShortcutManager->InternalRelease();
    if (m_pOptions)
    {
        m_pOptions->m_pCommandBars = nullptr;
        m_pOptions->InternalRelease();
    }
    if (m_pActions)
    {
        m_pActions->RemoveAll();
        m_pActions->InternalRelease();
    }
}

CXTPCommandBars* CXTPCommandBars::CreateCommandBars()
{
    return new CXTPCommandBars();
}

CXTPControlAction* CXTPCommandBars::CreateAction(int nId)
{
    return m_bEnableActions ? m_pActions->Add(nId) : nullptr;
}

CXTPControlAction* CXTPCommandBars::FindAction(int nId) const
{
    return m_bEnableActions ? m_pActions->FindAction(nId) : nullptr;
}

// ---- customisation

void CXTPCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_pOptions->bDirtyState = TRUE;
    m_bCustomizeMode = bMode;
    SetDragControl(nullptr);
    if (bMode)
        ShowKeyboardCues(TRUE);
}

CWnd* CXTPCommandBars::GetCustomizeDialog() const
{
    return m_pDropSource ? m_pDropSource->GetCustomizeWnd() : nullptr;
}

void CXTPCommandBars::SetDragControl(CXTPControl* pControl)
{
    if (pControl == m_pDragControl)
        return;
    if (m_pDragControl)
    {
        m_pDragControl->RedrawParent(FALSE);
        m_pDragControl->InternalRelease();
    }
    m_pDragControl = pControl;
    if (m_pDragControl)
    {
        m_pDragControl->InternalAddRef();
        m_pDragControl->RedrawParent(FALSE);
    }
    CWnd* pTarget = GetCustomizeDialog();
    if (!pTarget || !pTarget->GetSafeHwnd())
        pTarget = GetSite();
    if (pTarget && pTarget->GetSafeHwnd())
        ::SendMessageA(pTarget->GetSafeHwnd(), XTP_WM_DRAG_CONTROL_CHANGED, 0, 0);
}

BOOL CXTPCommandBars::IsRarelyUsedCommand(UINT nId) const
{
    BOOL bValue = FALSE;
    return m_pOptions->m_mapHiddenCommands.Lookup(nId, bValue) && !m_pOptions->m_mapUsedCommands.Lookup(nId, bValue);
}

void CXTPCommandBars::MarkCommandUsed(UINT nId)
{
    if (!IsRarelyUsedCommand(nId))
        return;
    m_pOptions->m_mapUsedCommands.SetAt(nId, TRUE);
    m_pOptions->bDirtyState = TRUE;
}

void CXTPCommandBars::SetCommandUsed(int nId)
{
    ++m_nUsedCount;
    if (nId > 0)
        MarkCommandUsed(static_cast<UINT>(nId));
}

BOOL CXTPCommandBars::IsControlHidden(CXTPControl* pControl) const
{
    if (!pControl)
        return FALSE;
    const BOOL bRarelyUsed = pControl->GetID() > 0 && IsRarelyUsedCommand(static_cast<UINT>(pControl->GetID()));
    const int nType = pControl->GetType();
    if (m_pOptions->bAutoHideUnusedPopups && !bRarelyUsed && nType >= xtpControlPopup &&
        nType <= xtpControlSplitButtonPopup)
    {
        CXTPCommandBar* pPopup = pControl->GetCommandBar();
        CXTPControls* pControls = pPopup ? pPopup->GetControls() : nullptr;
        if (pControls && pControls->GetCount() > 0)
        {
            for (int i = 0; i < pControls->GetCount(); ++i)
            {
                if (!IsControlHidden(pControls->GetAt(i)))
                    return FALSE;
            }
            return TRUE;
        }
    }
    return bRarelyUsed;
}

// ---- site and wiring

void CXTPCommandBars::SetSite(CWnd* pSite)
{
    m_hWndSite = pSite ? pSite->GetSafeHwnd() : nullptr;
    m_bCustomizable = FALSE;
    if (pSite && m_hWndSite)
    {
        AFX_CMDHANDLERINFO info = {};
        m_bCustomizable = pSite->OnCmdMsg(ID_TK_CUSTOMIZE, CN_COMMAND, nullptr, &info);
        m_bRightToLeft = (::GetWindowLongA(m_hWndSite, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    }
}

BOOL CXTPCommandBars::IsLayoutRTL() const
{
    if (m_hWndSite && ::IsWindow(m_hWndSite))
        return (::GetWindowLongA(m_hWndSite, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    return m_bRightToLeft;
}

CXTPPaintManager* CXTPCommandBars::GetPaintManager() const
{
    return m_pPaintManager ? m_pPaintManager : CXTPPaintManager::GetGlobal();
}

void CXTPCommandBars::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    if (m_pPaintManager)
        m_pPaintManager->RefreshMetrics();
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPControls* pControls = GetAt(i)->GetControls();
        for (int j = 0; pControls && j < pControls->GetCount(); ++j)
            pControls->GetAt(j)->OnThemeChanged();
        GetAt(i)->DelayLayout();
    }
    GetImageManager()->RefreshAll();
    RedrawCommandBars();
}

void CXTPCommandBars::SetTheme(int nTheme)
{
    SetPaintManager(CXTPPaintManager::CreateTheme(nTheme));
}

CXTPImageManager* CXTPCommandBars::GetImageManager() const
{
    return m_pImageManager ? m_pImageManager : ::GetImageManager();
}

void CXTPCommandBars::SetImageManager(CXTPImageManager* pImageManager)
{
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

CXTPMouseManager* CXTPCommandBars::GetMouseManager() const
{
    if (!m_pMouseManager)
        m_pMouseManager = XTPMouseManager();
    if (!m_pMouseManager)
        AfxThrowInvalidArgException();
    return m_pMouseManager;
}

CXTPKeyboardManager* CXTPCommandBars::GetKeyboardManager() const
{
    if (!m_pKeyboardManager)
        m_pKeyboardManager = XTPKeyboardManager();
    if (!m_pKeyboardManager)
        AfxThrowInvalidArgException();
    return m_pKeyboardManager;
}

// ---- frame theme

void CXTPCommandBars::EnableFrameTheme(BOOL bEnable)
{
    if (bEnable)
    {
        if (!m_pFrameHook)
            m_pFrameHook = new CXTPCommandBarsFrameHook();
        m_pFrameHook->SetCommandBars(this);
    }
    else
    {
        delete m_pFrameHook;
        m_pFrameHook = nullptr;
    }
    RecalcFrameLayout(FALSE);
}

BOOL CXTPCommandBars::IsDwmEnabled() const
{
    return m_pFrameHook && m_pFrameHook->IsDwmEnabled();
}

// ---- options

namespace
{
CString OptionsSection(LPCSTR lpszProfileName)
{
    CString strSection;
    strSection.Format("%s-Options", lpszProfileName ? lpszProfileName : "");
    return strSection;
}
} // namespace

void CXTPCommandBars::SaveOptions(LPCSTR lpszProfileName)
{
    CXTPPropExchangeSectionPtr px(FALSE, OptionsSection(lpszProfileName));
    if (!px.GetPX())
        return;
    px->EmptySection();
    m_pOptions->DoPropExchange(px, TRUE);
}

void CXTPCommandBars::LoadOptions(LPCSTR lpszProfileName)
{
    CXTPPropExchangeSectionPtr px(TRUE, OptionsSection(lpszProfileName));
    if (!px.GetPX())
        return;
    m_pOptions->DoPropExchange(px, TRUE);
}

void CXTPCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    if (!m_bKeyboardCuesInUse || bShow == m_bKeyboardCuesVisible)
        return;
    m_bKeyboardCuesVisible = bShow;
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPCommandBar* pBar = GetAt(i);
        if (pBar->GetSafeHwnd() && pBar->IsVisible())
            pBar->Redraw();
    }
}

// ---- bars

CXTPCommandBar* CXTPCommandBars::Add(LPCSTR lpszTitle, int nBarPosition, CRuntimeClass* pBarClass)
{
    if (!pBarClass)
        pBarClass = RUNTIME_CLASS(CXTPToolBar);
    CObject* pObject = pBarClass->CreateObject();
    CXTPCommandBar* pBar = dynamic_cast<CXTPCommandBar*>(pObject);
    if (!pBar)
    {
        delete pObject;
        return nullptr;
    }
    pBar->SetCommandBars(this);
    pBar->SetTitle(lpszTitle ? lpszTitle : "");
    pBar->SetPosition(nBarPosition);
    CWnd* pSite = GetSite();
    BOOL bCreated = FALSE;
    // Toolbars are docked or floated at their position.
    CXTPToolBar* pToolBar = dynamic_cast<CXTPToolBar*>(pBar);
    if (pToolBar && pSite && pSite->GetSafeHwnd())
    {
        if (nBarPosition == xtpBarFloating)
            bCreated = FloatCommandBar(pToolBar);
        else if (GetDockBar(nBarPosition))
            bCreated = DockCommandBar(pToolBar, nBarPosition);
        else
            bCreated = pToolBar->CreateBarWindow(pSite, FALSE); // placed directly in the site
    }
    else if (pSite && pSite->GetSafeHwnd())
    {
        const DWORD dwStyle = nBarPosition == xtpBarFloating ? WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
                                                             : WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        bCreated = pBar->Create(nullptr, lpszTitle, dwStyle, CRect(0, 0, 0, 0), pSite, 0);
    }
    if (!bCreated)
    {
        pBar->OnRemoved();
        pBar->InternalRelease();
        return nullptr;
    }
    m_arrBars.Add(pBar);
    return pBar;
}

CXTPCommandBar* CXTPCommandBars::AddCommandBar(CXTPCommandBar* pCommandBar)
{
    if (!pCommandBar)
        return nullptr;
    pCommandBar->SetCommandBars(this);
    m_arrBars.Add(pCommandBar);
    return pCommandBar;
}

CXTPCommandBar* CXTPCommandBars::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrBars.GetSize() ? m_arrBars[nIndex] : nullptr;
}

int CXTPCommandBars::IndexOf(const CXTPCommandBar* pCommandBar) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        if (m_arrBars[i] == pCommandBar)
            return i;
    }
    return -1;
}

CXTPCommandBar* CXTPCommandBars::GetToolBar(UINT nBarID) const
{
    return nBarID == 0 ? nullptr : FindCommandBar(nBarID);
}

CXTPCommandBar* CXTPCommandBars::FindCommandBar(UINT nBarID) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        if (m_arrBars[i]->GetBarID() == nBarID)
            return m_arrBars[i];
    }
    return nullptr;
}

namespace
{
// The ribbon's bar type: it derives from the menu bar.
const int kRibbonBarType = 3;
} // namespace

CXTPCommandBar* CXTPCommandBars::GetMenuBar() const
{
    CXTPCommandBar* pBar = FindCommandBar(1);
    // Menu bar: known by its class (the ribbon derives from it); other bars by the type rule.
    if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CXTPMenuBar)))
        return pBar;
    if (pBar && (pBar->GetType() == xtpBarTypeMenuBar || pBar->GetType() == kRibbonBarType))
        return pBar;
    return nullptr;
}

int CXTPCommandBars::GetNextVisibleIndex(int nIndex, int nStep) const
{
    const int nCount = GetCount();
    if (nCount == 0 || (nStep != 1 && nStep != -1))
        return -1;
    int nCurrent = nIndex;
    if (nCurrent < -1 || nCurrent >= nCount)
        nCurrent = -1;
    if (nCurrent == -1 && nStep == -1)
        nCurrent = nCount; // begins at the last bar
    // One full turn and the start bar again: a single visible bar wraps back to itself.
    for (int n = 0; n < nCount + 1; ++n)
    {
        nCurrent += nStep;
        if (nCurrent >= nCount)
            nCurrent = 0;
        else if (nCurrent < 0)
            nCurrent = nCount - 1;
        if (m_arrBars[nCurrent]->IsVisibleOnScreen())
            return nCurrent;
    }
    return -1;
}

void CXTPCommandBars::ToggleVisible(int nIndex)
{
    CXTPCommandBar* pBar = GetAt(nIndex);
    if (!pBar)
        return;
    pBar->SetVisible(!pBar->IsVisible());
    m_pOptions->bDirtyState = TRUE;
}

void CXTPCommandBars::Remove(CXTPCommandBar* pCommandBar)
{
    const int nIndex = IndexOf(pCommandBar);
    if (nIndex < 0)
        return;
    if (pCommandBar->GetSafeHwnd())
        pCommandBar->ShowWindow(SW_HIDE);
    RecalcFrameLayout(FALSE);
    RemoveRebarBand(pCommandBar);
    pCommandBar->OnRemoved();
    m_arrBars.RemoveAt(nIndex);
    pCommandBar->InternalRelease();
}

void CXTPCommandBars::RemoveAll()
{
    const BOOL bLocked = m_bRecalcLayout;
    m_bRecalcLayout = TRUE;
    // Walk a copy: a bar's removal may reach back into the manager.
    CArray<CXTPCommandBar*, CXTPCommandBar*> arrBars;
    arrBars.Copy(m_arrBars);
    m_arrBars.RemoveAll();
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i)
    {
        CXTPCommandBar* pBar = arrBars[i];
        if (pBar->GetSafeHwnd())
            pBar->ShowWindow(SW_HIDE);
        RemoveRebarBand(pBar);
        pBar->OnRemoved();
        pBar->InternalRelease();
    }
    m_bRecalcLayout = bLocked;
    RecalcFrameLayout(FALSE);
}

// ---- layout and drawing

void CXTPCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_bRecalcLayout)
        return;
    CWnd* pSite = GetSite();
    if (!pSite || !pSite->GetSafeHwnd() || !::IsWindow(pSite->GetSafeHwnd()))
        return;
    if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(pSite->GetSafeHwnd())))
    {
        if (bDelay)
            pFrame->DelayRecalcLayout(FALSE);
        else
            pFrame->RecalcLayout(FALSE);
        return;
    }
    RECT rc;
    ::GetClientRect(pSite->GetSafeHwnd(), &rc);
    ::SendMessageA(pSite->GetSafeHwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
}

void CXTPCommandBars::PerformPendingLayout()
{
    CWnd* pSite = GetSite();
    CFrameWnd* pFrame = pSite ? dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(pSite->GetSafeHwnd())) : nullptr;
    if (pFrame && pFrame->IsLayoutDelayed())
    {
        pFrame->RecalcLayout(FALSE);
        pFrame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
    }
}

void CXTPCommandBars::RedrawCommandBars()
{
    const BOOL bLocked = m_bRecalcLayout;
    m_bRecalcLayout = TRUE;
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPCommandBar* pBar = GetAt(i);
        CXTPControls* pControls = pBar->GetControls();
        for (int j = 0; pControls && j < pControls->GetCount(); ++j)
            pControls->GetAt(j)->OnThemeChanged();
        if (pBar->IsVisible())
            pBar->Redraw();
    }
    CWnd* pSite = GetSite();
    HWND hWndSite = pSite ? pSite->GetSafeHwnd() : nullptr;
    if (hWndSite)
    {
        for (HWND hWndChild = ::GetWindow(hWndSite, GW_CHILD); hWndChild;
             hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
            ::InvalidateRect(hWndChild, nullptr, FALSE);
    }
    m_bRecalcLayout = bLocked;
    RecalcFrameLayout(FALSE);
    if (hWndSite && ::IsWindow(hWndSite))
    {
        ::SetWindowPos(hWndSite, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ::SendMessageA(hWndSite, WM_NCPAINT, 0, 0);
    }
}

void CXTPCommandBars::UpdateCommandBars() const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        HWND hWnd = GetAt(i)->GetSafeHwnd();
        if (hWnd)
            ::SendMessageA(hWnd, WM_IDLEUPDATECMDUI, TRUE, TRUE);
    }
}

void CXTPCommandBars::SetTemporarilyHidden(void* pValue)
{
    if (pValue == m_pTemporarilyHidden)
        return;
    m_pTemporarilyHidden = pValue;
    m_pShortcutManager->DisableShortcuts(pValue != nullptr);
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPCommandBar* pBar = GetAt(i);
        // Toolbars remember whether they were shown (and leave their dock rows meanwhile).
        if (CXTPToolBar* pToolBar = dynamic_cast<CXTPToolBar*>(pBar))
        {
            pToolBar->SetTemporarilyHidden(pValue != nullptr);
            continue;
        }
        if (pBar->GetType() != xtpBarTypeNormal || !pBar->GetSafeHwnd() || !pBar->IsVisible())
            continue;
        pBar->ShowWindow(pValue ? SW_HIDE : SW_SHOWNA);
    }
    RecalcFrameLayout(TRUE);
}

// ---- tracking

void CXTPCommandBars::EndAllTracking()
{
    HideKeyboardTips();
    GetMouseManager()->SendTrackLostAll();
}

void CXTPCommandBars::HideKeyboardCuesIfIdle()
{
    if (m_bKeyboardCuesInUse && !GetMouseManager()->IsTracking())
        ShowKeyboardCues(FALSE);
}

void CXTPCommandBars::OnTrackingModeChanged(CXTPCommandBar* /*pCommandBar*/, int bMode)
{
    if (!bMode)
        HideKeyboardCuesIfIdle();
    if (IsKeyboardTipsShown() && m_pOptions->bKeyboardTipsEnabled)
    {
        HideKeyboardTips();
        PostShowKeyboardTips();
    }
    m_pToolTipContext->DeactivateToolTip();
}

void CXTPCommandBars::PostShowKeyboardTips()
{
    if (!m_pOptions->bKeyboardTipsEnabled)
        return;
    const CXTPMouseManager::CTrackArray& tracked = GetMouseManager()->GetTrackArray();
    if (tracked.GetSize() == 0)
        return;
    CXTPCommandBar* pInnermost = tracked[tracked.GetSize() - 1];
    if (pInnermost->GetSafeHwnd())
        ::PostMessageA(pInnermost->GetSafeHwnd(), WM_TIMER, XTP_TID_SHOWKEYBOARDTIPS, 0);
}

BOOL CXTPCommandBars::ActivateBarByKeyboard(CXTPCommandBar* pCommandBar, int nStep)
{
    if (!pCommandBar)
        return FALSE;
    if (nStep != 0)
    {
        if (GetCount() < 2)
            return FALSE;
        const int nIndex = GetNextVisibleIndex(IndexOf(pCommandBar), nStep);
        CXTPCommandBar* pNext = GetAt(nIndex);
        if (!pNext || pNext == pCommandBar)
            return FALSE;
        pCommandBar = pNext;
    }
    EndAllTracking();
    ShowKeyboardCues(TRUE);
    m_nKeyboardTipsLevel = 1;
    pCommandBar->SetTrackingMode(TRUE, FALSE, TRUE);
    CXTPControls* pControls = pCommandBar->GetControls();
    for (int i = 0; pControls && i < pControls->GetCount(); ++i)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        if (!pControl->IsVisible())
            continue;
        if (pCommandBar->GetType() != xtpBarTypeMenuBar && !pControl->GetEnabled())
            continue;
        pCommandBar->SetSelected(i, TRUE);
        break;
    }
    PostShowKeyboardTips();
    return TRUE;
}
