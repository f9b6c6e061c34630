#include "BarWindowSupport.h"

#include "tests/common/MessagePump.h"
#include "toolkit/commandbars/controls/XTPControls.h"

namespace cb_bar_test
{
BOOL RowBar::CreateIn(HWND hWndParent, const RECT& rc, UINT nId)
{
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    return CreateEx(0, lpszClass, "row bar", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                    rc.bottom - rc.top, hWndParent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)));
}

void RowBar::OnRecalcLayout()
{
    ++m_nLayouts;
    if (!m_hWnd)
        return;
    HDC hDC = ::GetDC(m_hWnd);
    CDC dc;
    dc.Attach(hDC);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    GetControls()->CalcDynamicSize(&dc, rc.right, 8 | 0x40, CRect(2, 2, 2, 2));
    dc.Detach();
    ::ReleaseDC(m_hWnd, hDC);
}

bool SiteRecorder::Record(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    const bool bLogged = message == WM_COMMAND || message == WM_SYSCOMMAND ||
                         (message >= 0x2854 && message <= 0x2867) || message == WM_SETMESSAGESTRING ||
                         message == WM_POPMESSAGESTRING;
    if (!bLogged)
        return false;
    SiteMessage m{message, wParam, lParam, std::string()};
    if (message == WM_SETMESSAGESTRING && wParam == 0 && lParam)
        m.text = reinterpret_cast<LPCSTR>(lParam);
    m_log.push_back(m);
    if (m_onMessage)
        m_onMessage(m);
    auto it = m_answers.find(message);
    if (it == m_answers.end())
        return false;
    lResult = it->second;
    return true;
}

bool SiteRecorder::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo, BOOL& bResult)
{
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI))
    {
        auto it = m_rules.find(nID);
        if (it == m_rules.end() || !pExtra)
            return false;
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (it->second.nCheck != -1)
            pCmdUI->SetCheck(it->second.nCheck);
        if (it->second.nEnable != -1)
            pCmdUI->Enable(it->second.nEnable);
        if (it->second.pszText)
            pCmdUI->SetText(it->second.pszText);
        bResult = TRUE;
        return true;
    }
    if (nCode == CN_COMMAND && m_handled.count(nID))
    {
        (void)pHandlerInfo;
        bResult = TRUE;
        return true;
    }
    return false;
}

int SiteRecorder::Count(UINT message) const
{
    int n = 0;
    for (const SiteMessage& m : m_log)
        n += m.message == message ? 1 : 0;
    return n;
}

const SiteMessage* SiteRecorder::Last(UINT message) const
{
    for (auto it = m_log.rbegin(); it != m_log.rend(); ++it)
    {
        if (it->message == message)
            return &*it;
    }
    return nullptr;
}

BOOL RecordingFrame::CreateAt(const RECT& rc)
{
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    // Shown without taking the activation: the tests that need an active site activate it (and
    // run under the desktop input lock).
    if (!CreateEx(0, lpszClass, "Command bar site", WS_OVERLAPPEDWINDOW, rc.left, rc.top, rc.right - rc.left,
                  rc.bottom - rc.top, nullptr, nullptr))
        return FALSE;
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    return TRUE;
}


namespace
{
// A dialog template without items: the header, then empty menu, class and title.
struct EmptyDialogTemplate
{
    DLGTEMPLATE dlg;
    WORD menu, windowClass, title;
};
} // namespace

BOOL RecordingDialog::CreateAt(int x, int y, int cx, int cy)
{
    static EmptyDialogTemplate tmpl; // dialog units; the window is moved to pixels afterwards
    tmpl.dlg.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    tmpl.dlg.dwExtendedStyle = 0;
    tmpl.dlg.cdit = 0;
    tmpl.dlg.x = 0;
    tmpl.dlg.y = 0;
    tmpl.dlg.cx = 100;
    tmpl.dlg.cy = 60;
    tmpl.menu = tmpl.windowClass = tmpl.title = 0;
    if (!CreateIndirect(&tmpl.dlg, nullptr))
        return FALSE;
    ::SetWindowPos(m_hWnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}


void Activate(HWND hWnd)
{
    ::SetForegroundWindow(hWnd);
    ::SetActiveWindow(hWnd);
    qvx_test::PumpUntil([&] { return ::GetActiveWindow() == hWnd; }, 2000);
    qvx_test::PumpMessages(20);
}
} // namespace cb_bar_test
