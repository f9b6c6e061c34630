#include "toolkit/commandbars/manager/XTPCommandBarsFrameHook.h"

#include "framework/FrameWnd.h"
#include "framework/WinThread.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/commandbars/paint/XTPFramePaintManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/resources/XTPResourceImages.h"

#include <windowsx.h>

namespace
{
// SetWindowPos flags that only make the system recalculate and redraw the frame.
constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
// Style bits taken out while the system frame is recalculated without caption.
constexpr DWORD kCaptionBits = WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL;
// Style bits a frame must have for a z-order change to recalculate its frame.
constexpr DWORD kFrameBits = 0xF00000;
constexpr UINT kPopupSystemMenu = 0x313;
constexpr UINT kDwmCompositionChanged = 0x31E;
constexpr int kStatusBarId = 0xE801;

UINT g_nMsgGetFrameHook = 0;

DWORD WindowStyle(HWND hWnd)
{
    return static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
}

DWORD WindowExStyle(HWND hWnd)
{
    return static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_EXSTYLE));
}

// The process's one EVENT_OBJECT_REORDER hook, held while any frame hook is attached. The functions
// are bound by name; without them the count still moves and nothing is hooked.
class CSharedEventHook
{
public:
    typedef HWINEVENTHOOK(WINAPI* PFNSETWINEVENTHOOK)(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD);
    typedef BOOL(WINAPI* PFNUNHOOKWINEVENT)(HWINEVENTHOOK);

    ~CSharedEventHook()
    {
        if (m_hHook && m_pfnUnhook)
            m_pfnUnhook(m_hHook);
    }

    void AddRef()
    {
        if (m_nRefs++ != 0)
            return;
        Bind();
        if (m_pfnSetHook)
            m_hHook = m_pfnSetHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_REORDER, nullptr, &OnWinEvent,
                                   ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }

    void Release()
    {
        if (m_nRefs <= 0 || --m_nRefs != 0)
            return;
        if (m_hHook && m_pfnUnhook)
            m_pfnUnhook(m_hHook);
        m_hHook = nullptr;
    }

    int GetRefs() const { return m_nRefs; }

private:
    void Bind()
    {
        HMODULE hUser32 = ::GetModuleHandleA("USER32");
        if (!hUser32 || m_pfnSetHook)
            return;
        m_pfnSetHook = reinterpret_cast<PFNSETWINEVENTHOOK>(
            reinterpret_cast<void*>(::GetProcAddress(hUser32, "SetWinEventHook")));
        m_pfnUnhook = reinterpret_cast<PFNUNHOOKWINEVENT>(
            reinterpret_cast<void*>(::GetProcAddress(hUser32, "UnhookWinEvent")));
    }

    static void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG, DWORD, DWORD)
    {
        try
        {
            if (dwEvent != EVENT_OBJECT_REORDER || idObject != OBJID_WINDOW || !hWnd)
                return;
            if (!GetHookManager()->Lookup(hWnd))
                return;
            CXTPCommandBarsFrameHook* pHook = reinterpret_cast<CXTPCommandBarsFrameHook*>(
                ::SendMessageA(hWnd, CXTPCommandBarsFrameHook::GetFrameHookMessage(), 0, 0));
            if (pHook && !pHook->IsDwmEnabled() && (WindowStyle(hWnd) & kFrameBits) != 0)
                ::SetTimer(hWnd, XTP_TID_FRAMEHOOK_REORDER, 100, nullptr);
        }
        catch (...)
        {
            OutputDebugStringA("Quorvex toolkit: exception stopped at the frame hook's event hook\n");
        }
    }

    int m_nRefs = 0;
    HWINEVENTHOOK m_hHook = nullptr;
    PFNSETWINEVENTHOOK m_pfnSetHook = nullptr;
    PFNUNHOOKWINEVENT m_pfnUnhook = nullptr;
};

CSharedEventHook& SharedEventHook()
{
    static CSharedEventHook hook;
    return hook;
}

LRESULT CallPrevious(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CXTPHookManager::CHookSink* pSink = GetHookManager()->Lookup(hWnd);
    return pSink ? pSink->CallPrevious(nMessage, wParam, lParam) : ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}
} // namespace

// ---- caption buttons

int CXTPCommandBarsFrameHook::CControlCaptionButton::GetSelected() const
{
    return m_pFrameHook->GetHotButton() == this;
}

int CXTPCommandBarsFrameHook::CControlCaptionButton::GetPressed() const
{
    return m_pFrameHook->GetHotButton() == this && m_pFrameHook->IsButtonPressed();
}

// ---- construction

CXTPCommandBarsFrameHook::CXTPCommandBarsFrameHook()
{
    m_nMsgUpdateSkinState = ::RegisterWindowMessageA("WM_SKINFRAMEWORK_UPDATESTATE");
    m_nMsgQuerySkinState = ::RegisterWindowMessageA("WM_SKINFRAMEWORK_QUERYSTATE");
    GetFrameHookMessage();

    m_pCaptionButtons = new CXTPControls();
    struct Button
    {
        int nCommand;
        int nHitCode;
    } const buttons[] = {{SC_CLOSE, HTCLOSE}, {SC_MAXIMIZE, HTMAXBUTTON}, {SC_RESTORE, HTMAXBUTTON},
                         {SC_MINIMIZE, HTMINBUTTON}};
    for (const Button& b : buttons)
    {
        CControlCaptionButton* pButton = new CControlCaptionButton(this);
        pButton->SetID(b.nCommand);
        pButton->SetHelpId(b.nHitCode);
        m_pCaptionButtons->Append(pButton);
    }

    m_pSink = new CXTPNotifySink();
    m_pSink->AdviseDelegate(GetResourceImages()->GetConnection(), XTP_NC_COMMON_RESOURCEIMAGES_CHANGED,
                            new CXTPNotifySinkClassDelegate<CXTPCommandBarsFrameHook>(
                                this, &CXTPCommandBarsFrameHook::OnThemeImagesReloaded));
}

CXTPCommandBarsFrameHook::~CXTPCommandBarsFrameHook()
{
    m_pHotButton = nullptr;
    if (m_pCaptionButtons)
        m_pCaptionButtons->InternalRelease();
    m_pCaptionButtons = nullptr;
    if (m_bAttached)
        Detach();
    if (m_pSink)
        m_pSink->UnadviseAllAndDelete();
    m_pSink = nullptr;
}

UINT CXTPCommandBarsFrameHook::GetFrameHookMessage()
{
    if (!g_nMsgGetFrameHook)
        g_nMsgGetFrameHook = ::RegisterWindowMessageA("WM_GETFRAMEHOOK");
    return g_nMsgGetFrameHook;
}

int CXTPCommandBarsFrameHook::GetSharedEventHookRefs()
{
    return SharedEventHook().GetRefs();
}

// ---- attaching

void CXTPCommandBarsFrameHook::SetCommandBars(CXTPCommandBars* pCommandBars)
{
    if ((pCommandBars != nullptr) == (m_bAttached != FALSE))
        return;
    if (pCommandBars)
        Attach(pCommandBars);
    else
        Detach();
}

BOOL CXTPCommandBarsFrameHook::EvaluateComposition() const
{
    if (!m_hwndSite || (WindowStyle(m_hwndSite) & WS_CHILD) != 0)
        return FALSE;
    return GetCommandBarsSystemQuery()->IsCompositionEnabled();
}

void CXTPCommandBarsFrameHook::Attach(CXTPCommandBars* pCommandBars)
{
    m_pCommandBars = pCommandBars;
    CWnd* pSite = pCommandBars->GetSite();
    m_hwndSite = pSite ? pSite->GetSafeHwnd() : nullptr;
    if (m_hwndSite && !::IsWindow(m_hwndSite))
        m_hwndSite = nullptr;
    m_bActive = TRUE;
    m_szFrameRegion = CSize(0, 0);
    m_pHotButton = nullptr;
    m_bButtonPressed = FALSE;
    m_bDelayRecalc = FALSE;
    m_bAttached = TRUE;

    if (m_hwndSite)
    {
        GetHookManager()->SetHook(m_hwndSite, this);
        ::SendMessageA(m_hwndSite, m_nMsgUpdateSkinState, 0, 0);
        m_bDwmEnabled = EvaluateComposition();
        if (m_bDwmEnabled)
            ::SetWindowRgn(m_hwndSite, nullptr, TRUE);
        else
            RecalcSystemFrameWithoutCaption();
        RefreshFrameRegion();
        ::SetWindowPos(m_hwndSite, nullptr, 0, 0, 0, 0, kFrameChanged);
        RefreshCaptionButtons();
    }
    SharedEventHook().AddRef();
}

void CXTPCommandBarsFrameHook::Detach()
{
    HWND hWnd = m_hwndSite;
    const BOOL bDwmEnabled = m_bDwmEnabled;
    m_pCommandBars = nullptr;
    m_pHotButton = nullptr;
    m_bButtonPressed = FALSE;
    m_bDelayRecalc = FALSE;
    m_nSkipNcPaint = 0;
    m_bAttached = FALSE;
    if (hWnd)
        GetHookManager()->RemoveHook(hWnd, this);
    if (hWnd && ::IsWindow(hWnd))
    {
        if (bDwmEnabled)
            GetCommandBarsSystemQuery()->ExtendFrameIntoClientArea(hWnd, 0, 0, 0, 0);
        ::SendMessageA(hWnd, m_nMsgUpdateSkinState, 0, 0);
        ::SetWindowRgn(hWnd, nullptr, TRUE);
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, kFrameChanged);
    }
    m_hwndSite = nullptr;
    m_bDwmEnabled = FALSE;
    SharedEventHook().Release();
}

// ---- queries

CXTPFramePaintManager* CXTPCommandBarsFrameHook::GetFramePaintManager() const
{
    CXTPPaintManager* pPaintManager = m_pCommandBars ? m_pCommandBars->GetPaintManager() : nullptr;
    return pPaintManager ? pPaintManager->GetFramePaintManager() : nullptr;
}

BOOL CXTPCommandBarsFrameHook::IsCaptionVisible() const
{
    // Only a ribbon that draws the caption itself takes it from the hook; that kind does not exist
    // in this library.
    return TRUE;
}

int CXTPCommandBarsFrameHook::GetCaptionHeight() const
{
    CXTPFramePaintManager* pFramePaintManager = GetFramePaintManager();
    return m_nFrameBorder + (pFramePaintManager ? pFramePaintManager->GetFrameCaptionHeight() : 0);
}

BOOL CXTPCommandBarsFrameHook::HasFrameStatusBar(int* pnHeight) const
{
    CXTPFramePaintManager* pFramePaintManager = GetFramePaintManager();
    if (!pFramePaintManager || !pFramePaintManager->m_bFrameStatusBar || !m_hwndSite)
        return FALSE;
    HWND hStatusBar = ::GetDlgItem(m_hwndSite, kStatusBarId);
    if (!hStatusBar || (WindowStyle(hStatusBar) & WS_VISIBLE) == 0)
        return FALSE;
    if (!pFramePaintManager->GetPaintManager() || !pFramePaintManager->GetPaintManager()->m_bFrameStatusBar)
        return FALSE;
    if (pnHeight)
    {
        CRect rc;
        ::GetWindowRect(hStatusBar, &rc);
        *pnHeight = rc.Height();
    }
    return TRUE;
}

void CXTPCommandBarsFrameHook::DrawRibbonCaption(CDC* /*pDC*/)
{
    // Nothing: without a ribbon the hook draws the whole caption.
}

void CXTPCommandBarsFrameHook::ExtendFrameIntoClientArea()
{
    if (!m_hwndSite)
        return;
    const int nTop = IsCaptionVisible() ? 0 : GetCaptionHeight();
    GetCommandBarsSystemQuery()->ExtendFrameIntoClientArea(m_hwndSite, 0, 0, nTop, 0);
}

// ---- frame changes

void CXTPCommandBarsFrameHook::DelayRecalcFrame()
{
    m_bDelayRecalc = TRUE;
    if (m_hwndSite)
        ::PostMessageA(m_hwndSite, WM_IDLEUPDATECMDUI, 0, 0);
}

void CXTPCommandBarsFrameHook::RecalcFrame()
{
    m_szFrameRegion = CSize(0, 0);
    m_bDelayRecalc = FALSE;
    if (!m_hwndSite)
        return;
    ::SetWindowPos(m_hwndSite, nullptr, 0, 0, 0, 0, kFrameChanged);
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(m_hwndSite));
    if (pFrame)
    {
        pFrame->RecalcLayout(FALSE);
    }
    else
    {
        CRect rc;
        ::GetClientRect(m_hwndSite, &rc);
        ::SendMessageA(m_hwndSite, WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
    }
}

void CXTPCommandBarsFrameHook::RefreshFrameRegion()
{
    if (!m_hwndSite || !::IsWindow(m_hwndSite))
        return;
    CRect rc;
    ::GetWindowRect(m_hwndSite, &rc);
    UpdateFrameRegion(rc.Size(), TRUE);
}

void CXTPCommandBarsFrameHook::RecalcSystemFrameWithoutCaption()
{
    if (m_bDwmEnabled || !m_hwndSite)
        return;
    const DWORD dwStyle = WindowStyle(m_hwndSite);
    if ((dwStyle & kCaptionBits) == 0)
        return;
    ++m_nStyleChanging;
    ::SetWindowLongA(m_hwndSite, GWL_STYLE, static_cast<LONG>(dwStyle & ~kCaptionBits));
    CRect rc;
    ::GetWindowRect(m_hwndSite, &rc);
    ::SendMessageA(m_hwndSite, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rc));
    ::SetWindowLongA(m_hwndSite, GWL_STYLE, static_cast<LONG>(dwStyle));
    --m_nStyleChanging;
    RedrawFrame();
}

void CXTPCommandBarsFrameHook::UpdateFrameRegion(CSize sz, BOOL bForce)
{
    if (m_bInUpdateRegion || !m_hwndSite)
        return;
    if (!bForce && sz == m_szFrameRegion)
        return;
    m_bInUpdateRegion = TRUE;
    const DWORD dwStyle = WindowStyle(m_hwndSite);
    const DWORD dwExStyle = WindowExStyle(m_hwndSite);
    CRect rcAdjust(0, 0, sz.cx, sz.cy);
    ::AdjustWindowRectEx(&rcAdjust, dwStyle, FALSE, dwExStyle);
    m_nFrameBorder = -rcAdjust.left;

    if (m_bDwmEnabled)
    {
        if ((dwStyle & WS_MAXIMIZE) == 0)
            m_nFrameBorder = 4;
        ExtendFrameIntoClientArea();
        m_szFrameRegion = sz;
    }
    else
    {
        HRGN hRgn = nullptr;
        if ((dwStyle & WS_MAXIMIZE) && (dwExStyle & WS_EX_MDICHILD))
        {
            hRgn = nullptr;
        }
        else if (dwStyle & WS_MAXIMIZE)
        {
            const int e = m_nFrameBorder - ((dwExStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
            hRgn = ::CreateRectRgn(e, e, sz.cx - e, sz.cy - e);
        }
        else if (CXTPFramePaintManager* pFramePaintManager = GetFramePaintManager())
        {
            hRgn = pFramePaintManager->CalcFrameRegion(this, sz);
        }
        m_szFrameRegion = sz;
        // The window owns the region from here on.
        if (!::SetWindowRgn(m_hwndSite, hRgn, TRUE) && hRgn)
            ::DeleteObject(hRgn);
    }
    m_bInUpdateRegion = FALSE;
}

void CXTPCommandBarsFrameHook::RedrawFrame()
{
    if (m_bDwmEnabled || !m_hwndSite || !::IsWindow(m_hwndSite))
        return;
    CXTPFramePaintManager* pFramePaintManager = GetFramePaintManager();
    if (!pFramePaintManager)
        return;
    RefreshCaptionButtons();
    HDC hDC = ::GetWindowDC(m_hwndSite);
    if (!hDC)
        return;
    CDC dc;
    dc.Attach(hDC);
    pFramePaintManager->DrawFrame(&dc, this);
    dc.Detach();
    ::ReleaseDC(m_hwndSite, hDC);
}

void CXTPCommandBarsFrameHook::RefreshCaptionButtons()
{
    if (!m_hwndSite || !m_pCaptionButtons)
        return;
    CRect rcWindow;
    ::GetWindowRect(m_hwndSite, &rcWindow);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    const DWORD dwStyle = WindowStyle(m_hwndSite);
    const DWORD dwExStyle = WindowExStyle(m_hwndSite);
    const BOOL bToolWindow = (dwExStyle & WS_EX_TOOLWINDOW) != 0;
    const BOOL bSysMenu = (dwStyle & WS_SYSMENU) != 0;
    const BOOL bMinMax = !bToolWindow && bSysMenu && (dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    const BOOL bMinimized = (dwStyle & WS_MINIMIZE) != 0;
    const BOOL bMaximized = (dwStyle & WS_MAXIMIZE) != 0;

    BOOL bCloseEnabled = TRUE;
    if (bSysMenu && !bToolWindow)
    {
        HMENU hSysMenu = ::GetSystemMenu(m_hwndSite, FALSE);
        const UINT nState = hSysMenu ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : 0;
        if (nState != static_cast<UINT>(-1) && (nState & (MF_GRAYED | MF_DISABLED)) != 0)
            bCloseEnabled = FALSE;
    }

    const int nTop = m_nFrameBorder;
    const int nBottom = GetCaptionHeight() - 3;
    const int nSize = nBottom - nTop;
    int nRight = rcWindow.right - 4;
    for (int i = 0; i < m_pCaptionButtons->GetCount(); ++i)
    {
        CXTPControl* pButton = m_pCaptionButtons->GetAt(i);
        BOOL bShow = FALSE;
        BOOL bEnable = FALSE;
        switch (pButton->GetID())
        {
        case SC_CLOSE:
            bShow = bSysMenu;
            bEnable = bCloseEnabled;
            break;
        case SC_MAXIMIZE:
            bShow = !bMaximized && bMinMax;
            bEnable = (dwStyle & WS_MAXIMIZEBOX) != 0;
            break;
        case SC_RESTORE:
            pButton->SetHelpId(bMinimized ? HTMINBUTTON : HTMAXBUTTON);
            bShow = (bMinimized || bMaximized) && bMinMax;
            bEnable = (dwStyle & (bMinimized ? WS_MINIMIZEBOX : WS_MAXIMIZEBOX)) != 0;
            break;
        case SC_MINIMIZE:
            bShow = !bMinimized && bMinMax;
            bEnable = (dwStyle & WS_MINIMIZEBOX) != 0;
            break;
        default:
            break;
        }
        const int nHide = pButton->GetHideFlags();
        pButton->SetHideFlags(bShow ? (nHide & ~xtpHideGeneric) : (nHide | xtpHideGeneric));
        pButton->SetEnabled(bEnable);
        if (!bShow)
            continue;
        pButton->SetRect(CRect(nRight - nSize, nTop, nRight, nBottom));
        nRight -= nSize;
    }
}

CXTPCommandBarsFrameHook::CControlCaptionButton* CXTPCommandBarsFrameHook::HitTestCaptionButton(
    CPoint ptWindow, BOOL bEnabledOnly) const
{
    for (int i = 0; m_pCaptionButtons && i < m_pCaptionButtons->GetCount(); ++i)
    {
        CXTPControl* pButton = m_pCaptionButtons->GetAt(i);
        if (!pButton->IsVisible() || (bEnabledOnly && !pButton->GetEnabled()))
            continue;
        if (pButton->GetRect().PtInRect(ptWindow))
            return static_cast<CControlCaptionButton*>(pButton);
    }
    return nullptr;
}

CPoint CXTPCommandBarsFrameHook::ScreenToFrame(CPoint ptScreen) const
{
    CRect rcWindow;
    ::GetWindowRect(m_hwndSite, &rcWindow);
    if (WindowExStyle(m_hwndSite) & WS_EX_LAYOUTRTL)
        return CPoint(rcWindow.right - ptScreen.x, ptScreen.y - rcWindow.top);
    return CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top);
}

void CXTPCommandBarsFrameHook::SetHotButton(CControlCaptionButton* pButton)
{
    if (pButton == m_pHotButton)
        return;
    m_pHotButton = pButton;
    RedrawFrame();
    if (pButton)
        ::SetTimer(m_hwndSite, XTP_TID_FRAMEHOOK_HOT, 50, nullptr);
    else
        ::KillTimer(m_hwndSite, XTP_TID_FRAMEHOOK_HOT);
}

void CXTPCommandBarsFrameHook::TrackCaptionButton(CControlCaptionButton* pButton)
{
    HWND hWnd = m_hwndSite;
    const int nCommand = pButton->GetID();
    ::SetCapture(hWnd);
    m_pHotButton = pButton;
    m_bButtonPressed = TRUE;
    RedrawFrame();

    BOOL bReleasedOver = FALSE;
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        const BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
        if (!bGot || bGot == -1)
        {
            if (!bGot)
                AfxPostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            bReleasedOver = m_bButtonPressed;
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            const BOOL bOver = pButton->GetRect().PtInRect(ScreenToFrame(pt));
            if (bOver != m_bButtonPressed)
            {
                m_bButtonPressed = bOver;
                RedrawFrame();
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_bButtonPressed = FALSE;
    m_pHotButton = nullptr;
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    RedrawFrame();
    if (bReleasedOver && ::IsWindow(hWnd))
        ::SendMessageA(hWnd, WM_SYSCOMMAND, static_cast<WPARAM>(nCommand), 0);
}

// ---- events

void CXTPCommandBarsFrameHook::OnThemeImagesReloaded(XTP_NOTIFY_CODE dwCode, WPARAM, LPARAM, DWORD)
{
    if (dwCode != XTP_NC_COMMON_RESOURCEIMAGES_CHANGED || !m_hwndSite || !::IsWindow(m_hwndSite))
        return;
    if (!m_bAttached || m_bDwmEnabled)
        return;
    m_pCommandBars->GetPaintManager()->RefreshMetrics();
    RedrawFrame();
}

// ---- the window's messages

int CXTPCommandBarsFrameHook::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                            LRESULT& lResult)
{
    if (!m_bAttached || hWnd != m_hwndSite)
        return 0;
    return OnFrameMessage(nMessage, wParam, lParam, lResult);
}

int CXTPCommandBarsFrameHook::OnFrameMessage(UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    HWND hWnd = m_hwndSite;
    const DWORD dwStyle = WindowStyle(hWnd);

    // While the hook itself changes the style, the system sees none of it.
    if (!m_bDwmEnabled && m_nStyleChanging > 0)
    {
        if (nMessage == WM_WINDOWPOSCHANGING)
        {
            reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_FRAMECHANGED;
            return 1;
        }
        if (nMessage == WM_STYLECHANGING || nMessage == WM_STYLECHANGED || nMessage == WM_WINDOWPOSCHANGED ||
            nMessage == WM_NCPAINT)
            return 1;
    }

    if (nMessage == WM_WINDOWPOSCHANGING && (dwStyle & WS_CHILD) == 0)
    {
        const WINDOWPOS* pPos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pPos->flags & SWP_NOSIZE) == 0 && CSize(pPos->cx, pPos->cy) != m_szFrameRegion)
            m_nSkipNcPaint = 1;
        return 0;
    }

    if (nMessage == GetFrameHookMessage())
    {
        lResult = reinterpret_cast<LRESULT>(this);
        return 1;
    }

    if (nMessage == WM_WINDOWPOSCHANGED)
    {
        if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_FRAMECHANGED) && !m_bInUpdateRegion)
            RefreshFrameRegion();
        return 0;
    }

    if (nMessage == WM_SIZE || nMessage == WM_STYLECHANGED)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        if (rc.Size() != m_szFrameRegion || nMessage == WM_STYLECHANGED)
        {
            UpdateFrameRegion(rc.Size(), nMessage == WM_STYLECHANGED);
            RefreshCaptionButtons();
            RedrawFrame();
        }
        if (nMessage == WM_SIZE && wParam == SIZE_MINIMIZED && (WindowStyle(hWnd) & WS_MAXIMIZE))
            ::SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>(WindowStyle(hWnd) & ~WS_MAXIMIZE));
        return 0;
    }

    const BOOL bDrawCaption = IsCaptionVisible() && !m_bDwmEnabled;
    if (nMessage == WM_NCRBUTTONUP && wParam == HTCAPTION && bDrawCaption)
    {
        SetHotButton(nullptr);
        ::SendMessageA(hWnd, kPopupSystemMenu, reinterpret_cast<WPARAM>(hWnd), lParam);
        return 1;
    }
    if (nMessage == WM_NCLBUTTONDOWN && bDrawCaption)
    {
        CControlCaptionButton* pButton =
            HitTestCaptionButton(ScreenToFrame(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))), TRUE);
        if (!pButton)
            return 0;
        TrackCaptionButton(pButton);
        lResult = 0;
        return 1;
    }
    if (nMessage == WM_NCMOUSEMOVE && bDrawCaption)
    {
        SetHotButton(HitTestCaptionButton(ScreenToFrame(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))), TRUE));
        return 0;
    }
    if (nMessage == WM_TIMER && wParam == XTP_TID_FRAMEHOOK_REORDER)
    {
        RecalcSystemFrameWithoutCaption();
        ::KillTimer(hWnd, XTP_TID_FRAMEHOOK_REORDER);
        return 1;
    }
    if (nMessage == WM_TIMER && wParam == XTP_TID_FRAMEHOOK_HOT && !m_bDwmEnabled)
    {
        if (::GetCapture() != nullptr)
            return 1;
        CPoint pt;
        ::GetCursorPos(&pt);
        if (!HitTestCaptionButton(ScreenToFrame(pt), TRUE))
            SetHotButton(nullptr);
        return 1;
    }
    if (nMessage == WM_NCHITTEST)
        return OnNcHitTest(lParam, lResult);
    if (nMessage == WM_SETTEXT)
    {
        lResult = CallPrevious(hWnd, nMessage, wParam, lParam);
        if (IsCaptionVisible())
            RedrawFrame();
        else
            RecalcFrame();
        return 1;
    }
    if (nMessage == WM_NCACTIVATE && !m_bDwmEnabled)
        return OnNcActivate(wParam, lParam, lResult);
    if (nMessage == kDwmCompositionChanged)
    {
        const BOOL bDwmEnabled = EvaluateComposition();
        if (bDwmEnabled != m_bDwmEnabled)
        {
            m_bDwmEnabled = bDwmEnabled;
            ::SetWindowRgn(hWnd, nullptr, TRUE);
            if (!bDwmEnabled)
                RecalcSystemFrameWithoutCaption();
            ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, kFrameChanged);
        }
        return 0;
    }
    if (nMessage == WM_NCCALCSIZE && m_nStyleChanging == 0)
        return OnNcCalcSize(wParam, lParam, lResult);
    if (nMessage == m_nMsgQuerySkinState)
    {
        lResult = 1;
        return 1;
    }
    if (!m_bDwmEnabled && OnCompositionOffMessage(nMessage, wParam, lParam, lResult))
        return 1;
    if (nMessage == WM_IDLEUPDATECMDUI && m_bDelayRecalc)
        RecalcFrame();
    return 0;
}

int CXTPCommandBarsFrameHook::OnNcHitTest(LPARAM lParam, LRESULT& lResult)
{
    // A ribbon drawing the caption answers for itself; without one the hook draws it, and under
    // composition the system answers.
    if (m_bDwmEnabled)
        return 0;
    HWND hWnd = m_hwndSite;
    lResult = CallPrevious(hWnd, WM_NCHITTEST, 0, lParam);
    if (lResult == HTCLOSE || lResult == HTMINBUTTON || lResult == HTMAXBUTTON || lResult == HTHELP)
        lResult = HTCAPTION;
    const CPoint pt = ScreenToFrame(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    if (CControlCaptionButton* pButton = HitTestCaptionButton(pt, FALSE))
    {
        lResult = pButton->GetHelpId();
    }
    else if (lResult == HTNOWHERE && pt.y < GetCaptionHeight())
    {
        const BOOL bSysMenu = (WindowStyle(hWnd) & WS_SYSMENU) != 0;
        lResult = (pt.x < ::GetSystemMetrics(SM_CXSMICON) + 7 && bSysMenu) ? HTSYSMENU : HTCAPTION;
    }
    return 1;
}

int CXTPCommandBarsFrameHook::OnNcCalcSize(WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    HWND hWnd = m_hwndSite;
    RECT* pRect = reinterpret_cast<RECT*>(lParam);
    if (!pRect)
        return 0;
    const CRect rcWindow(*pRect);
    const DWORD dwStyle = WindowStyle(hWnd);
    if (m_bDwmEnabled)
    {
        lResult = CallPrevious(hWnd, WM_NCCALCSIZE, wParam, lParam);
    }
    else
    {
        lResult = 0;
        ::InflateRect(pRect, -m_nFrameBorder, -m_nFrameBorder);
        if (IsCaptionVisible())
            pRect->top += GetCaptionHeight() - m_nFrameBorder;
        if ((dwStyle & WS_MAXIMIZE) == 0 && HasFrameStatusBar())
        {
            int nBottom = (rcWindow.bottom - pRect->bottom) - 3;
            if (nBottom < 1)
                nBottom = 1;
            pRect->bottom = rcWindow.bottom - nBottom;
        }
    }
    if ((dwStyle & WS_MAXIMIZE) && (dwStyle & WS_CHILD) == 0 && GetCommandBarsSystemQuery()->IsTaskbarAutoHide())
        pRect->bottom -= 1;
    return 1;
}

int CXTPCommandBarsFrameHook::OnNcActivate(WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    HWND hWnd = m_hwndSite;
    const DWORD dwStyle = WindowStyle(hWnd);
    const BOOL bEnabled = ::IsWindowEnabled(hWnd);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    BOOL bActive = wParam != 0;
    if (!bEnabled)
        bActive = FALSE;
    else if (pWnd && (pWnd->m_nFlags & WF_STAYACTIVE))
        bActive = TRUE;

    if ((dwStyle & WS_VISIBLE) == 0)
    {
        m_bActive = bActive;
        return 0;
    }

    ++m_nStyleChanging;
    ::SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>(dwStyle & ~WS_THICKFRAME));
    lResult = bEnabled ? CallPrevious(hWnd, WM_NCACTIVATE, static_cast<WPARAM>(bActive), 0)
                       : CallPrevious(hWnd, WM_NCACTIVATE, wParam, lParam);
    ::SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>(dwStyle));
    --m_nStyleChanging;

    if (bActive != m_bActive)
    {
        m_bActive = bActive;
        RefreshCaptionButtons();
        RedrawFrame();
    }
    return 1;
}

int CXTPCommandBarsFrameHook::OnCompositionOffMessage(UINT nMessage, WPARAM wParam, LPARAM lParam,
                                                      LRESULT& lResult)
{
    HWND hWnd = m_hwndSite;
    const DWORD dwStyle = WindowStyle(hWnd);
    switch (nMessage)
    {
    case WM_GETMINMAXINFO:
    {
        lResult = CallPrevious(hWnd, nMessage, wParam, lParam);
        MINMAXINFO* pInfo = reinterpret_cast<MINMAXINFO*>(lParam);
        const int nCaption = GetCaptionHeight() + m_nFrameBorder;
        const int cxMin = 3 * nCaption + 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CYSIZE);
        if (pInfo->ptMinTrackSize.x < cxMin)
            pInfo->ptMinTrackSize.x = cxMin;
        if (pInfo->ptMinTrackSize.y < nCaption)
            pInfo->ptMinTrackSize.y = nCaption;
        return 1;
    }
    case WM_NCPAINT:
        lResult = 0;
        if (m_nSkipNcPaint > 0)
        {
            --m_nSkipNcPaint;
            return 1;
        }
        if ((dwStyle & WS_MAXIMIZE) && (WindowExStyle(hWnd) & WS_EX_MDICHILD))
            return 1;
        RedrawFrame();
        return 1;
    case WM_SYSCOMMAND:
        if (wParam != SC_MINIMIZE || (dwStyle & WS_CHILD) == 0)
            return 0;
        lResult = CallPrevious(hWnd, nMessage, wParam, lParam);
        RedrawFrame();
        return 1;
    case WM_PRINT:
        lResult = CallPrevious(hWnd, nMessage, wParam, lParam);
        if ((lParam & PRF_NONCLIENT) && GetFramePaintManager())
        {
            RefreshCaptionButtons();
            CDC dc;
            dc.Attach(reinterpret_cast<HDC>(wParam));
            GetFramePaintManager()->DrawFrame(&dc, this);
            dc.Detach();
        }
        return 1;
    default:
        return 0;
    }
}
