// Helpers of the toolbar, dock bar and docking tests: a manager on a recording frame with its four
// dock bars, toolbars made through the manager, and a toolbar that shows its own icon size.
#pragma once

#include "ManagerTestSupport.h"

#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

#include <vector>

namespace tb_test
{
// A toolbar whose own (not inherited) icon size can be read.
class ProbeToolBar : public CXTPToolBar
{
    DECLARE_DYNCREATE(ProbeToolBar)

public:
    CSize OwnIconSize() const { return m_szIcons; }
};

// Answers the reset question with a fixed answer and remembers what was asked (installed for its
// lifetime).
class ResetQuestionProbe
{
public:
    explicit ResetQuestionProbe(int nAnswer);
    ~ResetQuestionProbe();

    static int s_nAnswer;
    static int s_nAsked;
    static CString s_strText;
    static UINT s_nType;

private:
    static int Ask(HWND hWndOwner, LPCSTR lpszText, UINT nType);
    CXTPToolBar::PFN_RESET_QUESTION m_pfnOld;
};

// The manager of ManagerOnFrame with docking enabled.
class DockingOnFrame : public mgr_test::ManagerOnFrame
{
protected:
    void SetUp() override;
    // A toolbar made by the manager at a position, filled with buttons (0: a group starts).
    CXTPToolBar* AddToolBar(LPCSTR lpszTitle, const std::vector<UINT>& ids, int nPosition = xtpBarTop,
                            CRuntimeClass* pClass = nullptr);
    // Lays the frame out now.
    void Layout();
    // Lays the frame out and drops pBar into pAfter's row of the top dock bar, 5 pixels after it;
    // lays out again.
    BOOL DockAfter(CXTPToolBar* pBar, CXTPToolBar* pAfter);

public:
    // A window's rectangle in the client coordinates of another window.
    static CRect RectIn(HWND hWnd, HWND hWndParent);
};
} // namespace tb_test
