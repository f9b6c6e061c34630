#include "FrameHookTestSupport.h"

#include "toolkit/commandbars/controls/XTPControls.h"

#include <algorithm>

namespace frame_test
{
BOOL LoggingFrame::CreateFrame(DWORD dwStyle, DWORD dwExStyle)
{
    // Shown without activation: the frame never takes the foreground from other windows.
    if (!CreateEx(dwExStyle, nullptr, "Hooked frame", dwStyle & ~WS_VISIBLE, CRect(60, 60, 460, 360), nullptr, 0))
        return FALSE;
    ShowWindow(SW_SHOWNA);
    return TRUE;
}

LRESULT LoggingFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_log.push_back(LoggedMessage{message, wParam, lParam, static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE))});
    if (message == WM_NCHITTEST && m_bFixedHit)
        return m_nHitAnswer;
    if (message == WM_SYSCOMMAND || message == 0x313 || message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONUP)
        return 0;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

int LoggingFrame::Count(UINT message) const
{
    return static_cast<int>(
        std::count_if(m_log.begin(), m_log.end(), [message](const LoggedMessage& m) { return m.message == message; }));
}

const LoggedMessage* LoggingFrame::Last(UINT message) const
{
    auto it = std::find_if(m_log.rbegin(), m_log.rend(), [message](const LoggedMessage& m) { return m.message == message; });
    return it == m_log.rend() ? nullptr : &*it;
}

LPARAM LoggingFrame::ScreenLParam(CPoint ptWindow) const
{
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    return MAKELPARAM(rc.left + ptWindow.x, rc.top + ptWindow.y);
}

LPARAM LoggingFrame::ClientLParam(CPoint ptWindow) const
{
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    POINT pt = {rc.left + ptWindow.x, rc.top + ptWindow.y};
    ::ScreenToClient(m_hWnd, &pt);
    return MAKELPARAM(pt.x, pt.y);
}

UINT g_nSpiedMessage = 0;

int MessageSpy::OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT&)
{
    m_messages.push_back(nMessage);
    g_nSpiedMessage = nMessage;
    return 0;
}

int MessageSpy::Count(UINT nMessage) const
{
    return static_cast<int>(std::count(m_messages.begin(), m_messages.end(), nMessage));
}

void RecordingFramePaintManager::DrawFrame(CDC* pDC, CXTPCommandBarsFrameHook* pFrameHook)
{
    CXTPControl* pHot = pFrameHook->GetHotButton();
    m_drawings.push_back(
        FrameDrawing{g_nSpiedMessage, pHot ? pHot->GetID() : 0, pFrameHook->IsButtonPressed(), pFrameHook->IsFrameActive()});
    CXTPFramePaintManager::DrawFrame(pDC, pFrameHook);
}

FrameTheme::FrameTheme()
{
    delete m_pFramePaintManager;
    m_pFramePaintManager = new RecordingFramePaintManager(this);
}

void FrameTheme::RefreshMetrics()
{
    ++m_nRefreshes;
    CXTPDefaultTheme::RefreshMetrics();
}

FrameSystemQuery::FrameSystemQuery()
{
    m_pOld = SetCommandBarsSystemQuery(this);
}

FrameSystemQuery::~FrameSystemQuery()
{
    SetCommandBarsSystemQuery(m_pOld == this ? nullptr : m_pOld);
}

HRESULT FrameSystemQuery::ExtendFrameIntoClientArea(HWND, int cxLeft, int cxRight, int cyTop, int cyBottom)
{
    m_extensions.push_back(RECT{cxLeft, cyTop, cxRight, cyBottom});
    return S_OK;
}

void FrameHookTest::MakeFrame(DWORD dwStyle, DWORD dwExStyle)
{
    ASSERT_TRUE(frame.CreateFrame(dwStyle, dwExStyle));
    bars = new CXTPCommandBars();
    bars->SetSite(&frame);
    theme = new FrameTheme();
    bars->SetPaintManager(theme);
}

void FrameHookTest::Attach()
{
    bars->EnableFrameTheme(TRUE);
    hook = bars->GetFrameHook();
    ASSERT_NE(hook, nullptr);
}

void FrameHookTest::TearDown()
{
    if (bars)
        bars->InternalRelease();
    bars = nullptr;
    if (frame.GetSafeHwnd())
        frame.DestroyWindow();
}

CXTPControl* FrameHookTest::Button(int nCommand) const
{
    CXTPControls* pButtons = hook->GetCaptionButtons();
    for (int i = 0; i < pButtons->GetCount(); ++i)
    {
        if (pButtons->GetAt(i)->GetID() == nCommand)
            return pButtons->GetAt(i);
    }
    return nullptr;
}

void PumpFor(DWORD nMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - dwStart < nMilliseconds);
}
} // namespace frame_test
