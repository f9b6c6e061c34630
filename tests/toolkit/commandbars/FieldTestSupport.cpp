#include "FieldTestSupport.h"

#include "toolkit/commandbars/controls/XTPControlEdit.h"
#include "toolkit/commandbars/controls/XTPControls.h"

#include <fstream>
#include <sstream>

namespace field_test
{
BOOL NotifyRecorder::CreateRecorder()
{
    return CreateEx(0, AfxRegisterWndClass(0), "recorder", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
}

LRESULT NotifyRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == XTP_WM_CONTROL_NOTIFY && lParam)
    {
        const NMXTPCONTROL* pNm = reinterpret_cast<const NMXTPCONTROL*>(lParam);
        const int nCode = static_cast<int>(pNm->hdr.code);
        int nDelta = 0;
        if (nCode == XTP_FN_SPINUP || nCode == XTP_FN_SPINDOWN)
            nDelta = reinterpret_cast<const NMXTPUPDOWN*>(lParam)->iDelta;
        m_log.push_back(Notice{message, nCode, static_cast<int>(wParam), nDelta});
        return m_handled.count(nCode) ? 1 : 0;
    }
    if (message == WM_COMMAND)
    {
        m_log.push_back(Notice{message, -1, static_cast<int>(LOWORD(wParam)), 0});
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<int> NotifyRecorder::Codes() const
{
    std::vector<int> codes;
    for (const Notice& n : m_log)
        codes.push_back(n.nCode);
    return codes;
}

int NotifyRecorder::Count(int nCode) const
{
    int n = 0;
    for (const Notice& notice : m_log)
        n += notice.nCode == nCode ? 1 : 0;
    return n;
}

std::vector<int> NotifyRecorder::SpinDeltas() const
{
    std::vector<int> deltas;
    for (const Notice& n : m_log)
    {
        if (n.nCode == XTP_FN_SPINUP || n.nCode == XTP_FN_SPINDOWN)
            deltas.push_back(n.nDelta);
    }
    return deltas;
}

ScriptedClock::ScriptedClock(std::deque<DWORD> ticks) : m_ticks(std::move(ticks))
{
    m_pOld = SetCommandBarsSystemQuery(this);
}

ScriptedClock::~ScriptedClock()
{
    SetCommandBarsSystemQuery(m_pOld);
}

DWORD ScriptedClock::GetTickCount()
{
    if (!m_ticks.empty())
    {
        m_dwLast = m_ticks.front();
        m_ticks.pop_front();
    }
    return m_dwLast;
}

UINT_PTR ScriptedClock::SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse)
{
    m_timers.push_back(TimerCall{nIDEvent, uElapse});
    return CXTPCommandBarsSystemQuery::SetTimer(hWnd, nIDEvent, uElapse);
}

void FieldOnFrame::SetUp()
{
    tb_test::DockingOnFrame::SetUp();
    ASSERT_TRUE(recorder.CreateRecorder());
}

void FieldOnFrame::TearDown()
{
    tb_test::DockingOnFrame::TearDown();
    recorder.DestroyWindow();
}

CXTPControl* FieldOnFrame::AddField(int nType, int nId, int nPosition)
{
    pBar = AddToolBar("Fields", {100}, nPosition);
    if (!pBar)
        return nullptr;
    pBar->SetOwnerWindow(recorder.GetSafeHwnd());
    CXTPControl* pControl = pBar->GetControls()->AddByType(nType, nId);
    EXPECT_NE(pControl, nullptr);
    Layout();
    return pControl;
}

void FieldOnFrame::Activate()
{
    ::SetForegroundWindow(frame.m_hWnd);
    ::SetActiveWindow(frame.m_hWnd);
    ::SetFocus(frame.m_hWnd);
    PumpMessages();
}

void FieldOnFrame::PostToBar(UINT message, WPARAM wParam, CPoint pt)
{
    ::PostMessageA(pBar->GetSafeHwnd(), message, wParam, MAKELPARAM(pt.x, pt.y));
}

void PumpMessages()
{
    MSG msg;
    for (int n = 0; n < 500 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

CString WindowText(CWnd* pWnd)
{
    CString str;
    if (pWnd && pWnd->GetSafeHwnd())
        pWnd->GetWindowText(str);
    return str;
}

std::string ReadFileText(const char* pszPath)
{
    std::ifstream in(pszPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
} // namespace field_test
