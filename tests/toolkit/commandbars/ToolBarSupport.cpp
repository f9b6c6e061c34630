#include "ToolBarSupport.h"

namespace tb_test
{
IMPLEMENT_DYNCREATE(ProbeToolBar, CXTPToolBar)

int ResetQuestionProbe::s_nAnswer = IDOK;
int ResetQuestionProbe::s_nAsked = 0;
CString ResetQuestionProbe::s_strText;
UINT ResetQuestionProbe::s_nType = 0;

ResetQuestionProbe::ResetQuestionProbe(int nAnswer) : m_pfnOld(CXTPToolBar::s_pfnResetQuestion)
{
    s_nAnswer = nAnswer;
    s_nAsked = 0;
    s_strText.Empty();
    s_nType = 0;
    CXTPToolBar::s_pfnResetQuestion = &ResetQuestionProbe::Ask;
}

ResetQuestionProbe::~ResetQuestionProbe()
{
    CXTPToolBar::s_pfnResetQuestion = m_pfnOld;
}

int ResetQuestionProbe::Ask(HWND, LPCSTR lpszText, UINT nType)
{
    ++s_nAsked;
    s_strText = lpszText;
    s_nType = nType;
    return s_nAnswer;
}

void DockingOnFrame::SetUp()
{
    mgr_test::ManagerOnFrame::SetUp();
    bars->EnableDocking();
}

CXTPToolBar* DockingOnFrame::AddToolBar(LPCSTR lpszTitle, const std::vector<UINT>& ids, int nPosition,
                                        CRuntimeClass* pClass)
{
    CXTPToolBar* pBar = dynamic_cast<CXTPToolBar*>(bars->Add(lpszTitle, nPosition, pClass));
    EXPECT_NE(pBar, nullptr) << lpszTitle;
    if (pBar)
        pBar->SetButtons(ids.data(), static_cast<int>(ids.size()));
    return pBar;
}

void DockingOnFrame::Layout()
{
    frame.RecalcLayout(FALSE);
}

BOOL DockingOnFrame::DockAfter(CXTPToolBar* pBar, CXTPToolBar* pAfter)
{
    CXTPDockBar* pTop = bars->GetDockBar(xtpBarTop);
    Layout();
    const CRect rcAfter = RectIn(pAfter->GetSafeHwnd(), pTop->GetSafeHwnd());
    CRect rcDrop(rcAfter.right + 5, rcAfter.top + 2, rcAfter.right + 60, rcAfter.bottom - 2);
    pTop->ClientToScreen(&rcDrop);
    if (!bars->DockCommandBar(pBar, &rcDrop, pTop))
        return FALSE;
    Layout();
    return TRUE;
}

CRect DockingOnFrame::RectIn(HWND hWnd, HWND hWndParent)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
} // namespace tb_test
