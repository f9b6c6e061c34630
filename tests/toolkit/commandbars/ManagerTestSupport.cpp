#include "ManagerTestSupport.h"

#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"

#include <cstring>

namespace mgr_test
{
bool IsRecorded(UINT message)
{
    return message == WM_COMMAND || message == WM_SYSCOMMAND || (message >= 0x2854 && message <= 0x2867) ||
           message == WM_SETMESSAGESTRING || message == WM_POPMESSAGESTRING || message == WM_COMMANDHELP ||
           message == WM_SIZE;
}

BOOL RecordingFrame::CreateSite(DWORD dwStyle, DWORD dwExStyle)
{
    // Shown without activation: tests that take the foreground hold the desktop-input lock.
    if (!CreateEx(dwExStyle, nullptr, "site frame", dwStyle & ~WS_VISIBLE, CRect(20, 20, 420, 220), nullptr, 0))
        return FALSE;
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNA);
    return TRUE;
}

void RecordingFrame::RecalcLayout(BOOL bNotify)
{
    ++m_nLayouts;
    CFrameWnd::RecalcLayout(bNotify);
}

BOOL RecordingDialog::CreateSite()
{
    // A template without controls: DLGTEMPLATE, then empty menu, class and title.
    alignas(4) static WORD s_template[32] = {};
    DLGTEMPLATE* pTemplate = reinterpret_cast<DLGTEMPLATE*>(s_template);
    std::memset(s_template, 0, sizeof(s_template));
    pTemplate->style = WS_POPUP | WS_CAPTION;
    pTemplate->cx = 200;
    pTemplate->cy = 100;
    pTemplate->x = 30;
    pTemplate->y = 30;
    if (!CreateIndirect(pTemplate, nullptr))
        return FALSE;
    ShowWindow(SW_SHOWNA); // without activation
    return TRUE;
}

IMPLEMENT_DYNCREATE(RowBar, CXTPCommandBar)

BOOL RowBar::CreateOn(CWnd* pSite, int nTop, int nBarType, int nPosition)
{
    SetType(nBarType);
    SetPosition(nPosition);
    return CreateEx(0, nullptr, "row bar", WS_CHILD | WS_VISIBLE, CRect(0, nTop, 300, nTop + 22), pSite, 0);
}

CXTPControl* RowBar::AddButton(int nId, LPCSTR lpszCaption)
{
    const int nIndex = GetControls()->GetCount();
    CXTPControl* pControl = GetControls()->Add(new CXTPControlButton(), nId);
    pControl->SetCaption(lpszCaption);
    pControl->SetRect(CRect(nIndex * 60, 0, nIndex * 60 + 60, 22));
    return pControl;
}

BOOL RowBar::OnFrameMouseWheel(BOOL bForward)
{
    m_wheel.push_back(bForward);
    return m_bWheelAnswer;
}

LRESULT RowBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_IDLEUPDATECMDUI)
        ++m_nIdleUpdates;
    return CXTPCommandBar::WindowProc(message, wParam, lParam);
}

void RowBar::SetVisible(BOOL bVisible)
{
    m_bShown = bVisible;
    CXTPCommandBar::SetVisible(bVisible);
}

FixedSystemQuery::FixedSystemQuery()
{
    m_pOld = SetCommandBarsSystemQuery(this);
}

FixedSystemQuery::~FixedSystemQuery()
{
    SetCommandBarsSystemQuery(m_pOld);
}

BOOL FixedSystemQuery::GetKeyboardCues(BOOL& bShow)
{
    bShow = m_bCuesShown;
    return TRUE;
}

int FixedSystemQuery::GetInputDesktopName(CHAR* pszName, int cchName)
{
    if (m_nDesktopResult == 1)
        lstrcpynA(pszName, m_desktop.c_str(), cchName);
    return m_nDesktopResult;
}
} // namespace mgr_test
