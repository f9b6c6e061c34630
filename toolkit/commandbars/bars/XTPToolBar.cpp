// CXTPToolBar: data, creation, visibility, position, copies, reset and the message map. The layouts
// are in XTPToolBarLayout.cpp, the window's own messages in XTPToolBarFloating.cpp, the auxiliary
// controls in XTPToolBarControls.cpp.
#include "toolkit/commandbars/bars/XTPToolBar.h"

#include "framework/AppGlobals.h"
#include "framework/FrameWnd.h"
#include "framework/ThreadState.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/docking/XTPDockContext.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/resources/XTPResourceManager.h"

IMPLEMENT_SERIAL(CXTPToolBar, CXTPCommandBar, XTP_COMMANDBAR_CLASS_SCHEMA)

BEGIN_MESSAGE_MAP(CXTPToolBar, CXTPCommandBar)
    ON_WM_SETCURSOR()
    ON_WM_RBUTTONUP()
    ON_MESSAGE(WM_NCCREATE, OnNcCreateMessage)
    ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMessage)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDownMessage)
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace
{
const char kToolBarClass[] = "XTPToolBar";

// The reset question as the system asks it: a message box owned by the routing frame.
int DefaultResetQuestion(HWND hWndOwner, LPCSTR lpszText, UINT nType)
{
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(hWndOwner));
    CPushRoutingFrame push(pFrame);
    return AfxMessageBox(lpszText, nType);
}
} // namespace

CXTPToolBar::PFN_RESET_QUESTION CXTPToolBar::s_pfnResetQuestion = DefaultResetQuestion;

BOOL CXTPToolBar::RegisterWindowClass()
{
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (::GetClassInfoA(hInstance, kToolBarClass, &wc))
        return TRUE;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kToolBarClass;
    return ::RegisterClassA(&wc) != 0;
}

CXTPToolBar::CXTPToolBar()
{
    m_pDockContext = new CXTPDockContext(this);
    // May dock on every side and float; the gripper bits.
    m_dwFlags = 0x3F;
    RegisterWindowClass();
}

CXTPToolBar::~CXTPToolBar()
{
    // A bar that goes while docked leaves no dangling entry in its dock bar.
    if (m_pDockBar)
        m_pDockBar->RemoveCommandBar(this);
    delete m_pDockContext;
    m_pDockContext = nullptr;
}

void CXTPToolBar::OnRemoved()
{
    if (m_pDockBar)
        m_pDockBar->RemoveCommandBar(this);
    CXTPCommandBar::OnRemoved();
}

// ---- filling

BOOL CXTPToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_nResourceID = nIDResource;
    BOOL bResult = CXTPCommandBar::LoadToolBar(nIDResource, bLoadIcons);
    // The buttons stay even when the icons failed: they are the bar's original set.
    if (m_pControls->GetCount() > 0)
        m_pControls->CreateOriginalControls();
    return bResult;
}

// ---- visibility and position

void CXTPToolBar::RecalcSiteLayout()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars)
    {
        pCommandBars->RecalcFrameLayout(FALSE);
        return;
    }
    CWnd* pSite = GetSite();
    if (pSite && pSite->GetSafeHwnd())
    {
        CRect rc;
        ::GetClientRect(pSite->GetSafeHwnd(), &rc);
        ::SendMessageA(pSite->GetSafeHwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
    }
}

void CXTPToolBar::SetVisible(BOOL bVisible)
{
    bVisible = bVisible ? TRUE : FALSE;
    if (bVisible == m_bVisible)
        return;
    m_bVisible = bVisible;
    if (!bVisible && IsTrackingMode())
        SetTrackingMode(FALSE);
    if (m_hWnd)
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
    if (bVisible)
        OnRecalcLayout();
    else if (!IsFloating())
        RecalcSiteLayout();

    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    CWnd* pSite = GetSite();
    if (pSite && pSite->GetSafeHwnd())
        ::SendMessageA(pSite->GetSafeHwnd(), XTP_WM_TOOLBARVISIBLECHANGED, reinterpret_cast<WPARAM>(this),
                       static_cast<LPARAM>(bVisible));
    pCommandBars->GetCommandBarsOptions()->bDirtyState = TRUE;
    // Last: the manager's reference may be the last one.
    if (!bVisible && m_bTearOff)
        pCommandBars->Remove(this);
}

void CXTPToolBar::SetTemporarilyHidden(BOOL bHide)
{
    bHide = bHide ? TRUE : FALSE;
    if (bHide == m_bTemporarilyHidden)
        return;
    m_bTemporarilyHidden = bHide;
    if (bHide)
    {
        m_bPreviewVisible = IsVisible();
        if (m_bPreviewVisible)
            SetVisible(FALSE);
        return;
    }
    if (m_bPreviewVisible)
    {
        SetVisible(TRUE);
        if (GetType() == xtpBarTypeMenuBar)
        {
            CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(GetFrameSite());
            if (pFrame)
                pFrame->RecalcLayout(FALSE);
        }
    }
}

BOOL CXTPToolBar::SetPosition(int nPosition)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return FALSE;
    if (nPosition >= xtpBarTop && nPosition <= xtpBarRight)
        return pCommandBars->DockCommandBar(this, nPosition);
    if (nPosition == xtpBarFloating)
        return pCommandBars->FloatCommandBar(this);
    return FALSE;
}

void CXTPToolBar::OnRecalcLayout()
{
    if (!m_hWnd || !::IsWindowVisible(m_hWnd) || m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    if (IsFloating())
    {
        CSize sz = CalcDynamicLayout(-1, LM_COMMIT | LM_MRUWIDTH | LM_HORZ);
        SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    else
    {
        // Docked, or placed directly in the site: the site lays its bars out again.
        RecalcSiteLayout();
    }
    m_bInRecalcLayout = FALSE;
    Redraw();
}

BOOL CXTPToolBar::CreateBarWindow(CWnd* pParentWnd, BOOL bFloating)
{
    const DWORD dwStyle = bFloating ? 0x86000100 : 0x46000100;
    if (!m_hWnd)
    {
        CPoint pt(100, 100);
        if (m_pDockContext && m_pDockContext->HasFloatingPos())
            pt = m_pDockContext->GetFloatingPos();
        CXTPCommandBars* pCommandBars = GetCommandBars();
        const DWORD dwExStyle = pCommandBars && pCommandBars->IsLayoutRTL() ? WS_EX_LAYOUTRTL : 0;
        HWND hWndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
        if (!CreateEx(dwExStyle, kToolBarClass, GetTitle(), dwStyle & ~WS_VISIBLE, pt.x, pt.y, 0, 0, hWndParent,
                      nullptr))
            return FALSE;
        if (m_bVisible)
            ShowWindow(SW_SHOWNA);
    }
    HWND hWndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    if (bFloating)
    {
        // A popup owned by the parent: changing the parent of a child first makes it top level.
        if (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD)
        {
            ::SetParent(m_hWnd, nullptr);
            ModifyStyle(WS_CHILD, WS_POPUP);
        }
        ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hWndParent));
        const BOOL bTopMost = hWndParent && (::GetWindowLongPtrA(hWndParent, GWL_EXSTYLE) & WS_EX_TOPMOST);
        if (bTopMost)
            ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    else if (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_POPUP)
    {
        ModifyStyle(WS_POPUP, WS_CHILD);
        ::SetParent(m_hWnd, hWndParent);
    }
    else if (hWndParent && ::GetParent(m_hWnd) != hWndParent)
    {
        ::SetParent(m_hWnd, hWndParent);
    }
    return TRUE;
}

CRect CXTPToolBar::GetBorders()
{
    if (IsFloating())
        return CRect(3, 3, 3, 3);
    CRect rcBorders = GetPaintManager()->GetCommandBarBorders(this);
    if (HasGripper() && !IsPopupType())
    {
        CClientDC dc(this);
        CSize szGripper = GetPaintManager()->DrawCommandBarGripper(&dc, this, FALSE);
        rcBorders.left += szGripper.cx;
        rcBorders.top += szGripper.cy;
    }
    return rcBorders;
}

// ---- copies, changes and reset

void CXTPToolBar::Copy(CXTPCommandBar* pCommandBar, BOOL bRecursive)
{
    CXTPCommandBar::Copy(pCommandBar, bRecursive);
    CXTPToolBar* pToolBar = dynamic_cast<CXTPToolBar*>(pCommandBar);
    if (!pToolBar || pToolBar == this)
        return;
    m_bBuiltIn = pToolBar->m_bBuiltIn;
    m_bTearOff = pToolBar->m_bTearOff;
    m_bCloseable = pToolBar->m_bCloseable;
}

CXTPCommandBar* CXTPToolBar::Clone(BOOL bRecursive)
{
    // The run-time class keeps the kind of a derived bar (a menu bar clones as a menu bar).
    return CXTPCommandBar::Clone(bRecursive);
}

BOOL CXTPToolBar::IsChanged() const
{
    if (!IsCustomizable())
        return FALSE;
    CXTPControls* pOriginal = m_pControls->GetOriginalControls();
    return !pOriginal || !m_pControls->IsEqual(pOriginal);
}

void CXTPToolBar::Reset(BOOL bShowWarningMessage)
{
    if (!m_bBuiltIn || m_nResourceID == 0 || !IsCustomizable())
        return;
    if (bShowWarningMessage)
    {
        CString strFormat;
        if (!GetResourceManager()->LoadString(&strFormat, IDS_TK_CONFIRM_RESET_TOOLBAR))
            strFormat = "Are you sure you want to reset the changes made to the '%s' toolbar?";
        CString strMessage;
        strMessage.Format(strFormat, static_cast<LPCSTR>(GetTitle()));
        CWnd* pFrame = GetFrameSite();
        if (s_pfnResetQuestion(pFrame ? pFrame->GetSafeHwnd() : nullptr, strMessage, MB_OKCANCEL | MB_ICONEXCLAMATION) !=
            IDOK)
            return;
    }
    CXTPControls* pOriginal = m_pControls->GetOriginalControls();
    if (pOriginal)
    {
        // The originals stay with the collection: clone them back in.
        pOriginal->InternalAddRef();
        m_pControls->RemoveAll();
        for (int i = 0; i < pOriginal->GetCount(); ++i)
        {
            CXTPControl* pControl = pOriginal->GetAt(i);
            if (pControl && !pControl->IsTemporary())
                m_pControls->AddClone(pControl, -1, TRUE);
        }
        pOriginal->InternalRelease();
    }
    else
    {
        CXTPCommandBar::LoadToolBar(m_nResourceID, TRUE);
    }
    CWnd* pSite = GetSite();
    if (pSite && pSite->GetSafeHwnd())
        ::SendMessageA(pSite->GetSafeHwnd(), XTP_WM_TOOLBARRESET, reinterpret_cast<WPARAM>(this), 0);
    UpdateCmdUI();
    OnRecalcLayout();
    DelayLayout();
}

// ---- keys

int CXTPToolBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (!m_pDockContext && nChar == VK_TAB)
    {
        // In a dialog Tab leaves the bar for the next (Shift: previous) tab stop of the parent.
        HWND hWndParent = ::GetParent(m_hWnd);
        const BOOL bPrevious = ::GetKeyState(VK_SHIFT) < 0;
        HWND hWndNext = hWndParent ? ::GetNextDlgTabItem(hWndParent, m_hWnd, bPrevious) : nullptr;
        SetTrackingMode(FALSE);
        if (hWndNext)
            ::SetFocus(hWndNext);
        return 1;
    }
    return CXTPCommandBar::OnHookKeyDown(nChar, lParam);
}
