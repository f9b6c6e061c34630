// Helpers of the command-bars manager tests: a recording frame and a recording dialog as sites, a
// bar that lays captioned buttons out in a row, and a system query with fixed answers.
#pragma once

#include "framework/Dialog.h"
#include "framework/FrameWnd.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace mgr_test
{
// One message a site received.
struct SiteMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What a recording site logs: WM_COMMAND, WM_SYSCOMMAND, the command bars' private messages
// 0x2854-0x2867, status texts, context help and WM_SIZE.
bool IsRecorded(UINT message);

// A site of window class Base that logs what IsRecorded names. Commands in m_handled count as
// handled by the site (OnCmdMsg answers TRUE for them).
template <class Base> class RecordingSite : public Base
{
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && m_handled.count(nID) != 0)
            return TRUE;
        return Base::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (IsRecorded(message))
            m_log.push_back(SiteMessage{message, wParam, lParam});
        return Base::WindowProc(message, wParam, lParam);
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (const SiteMessage& m : m_log)
            n += m.message == message ? 1 : 0;
        return n;
    }
    const SiteMessage* Last(UINT message) const
    {
        for (auto it = m_log.rbegin(); it != m_log.rend(); ++it)
        {
            if (it->message == message)
                return &*it;
        }
        return nullptr;
    }

    std::vector<SiteMessage> m_log;
    std::set<UINT> m_handled;
};

// A frame site that counts its layouts.
class RecordingFrame : public RecordingSite<CFrameWnd>
{
public:
    BOOL CreateSite(DWORD dwStyle = WS_POPUP | WS_VISIBLE, DWORD dwExStyle = 0);
    void RecalcLayout(BOOL bNotify = TRUE) override;

    int m_nLayouts = 0;
};

// A dialog site made from an in-memory template.
class RecordingDialog : public RecordingSite<CDialog>
{
public:
    BOOL CreateSite();
};

// A bar on a site: a child window whose buttons (caption, id) are laid out in a row of 60 by 22.
class RowBar : public CXTPCommandBar
{
    DECLARE_DYNCREATE(RowBar)

public:
    BOOL CreateOn(CWnd* pSite, int nTop = 0, int nBarType = xtpBarTypeNormal, int nPosition = xtpBarTop);
    CXTPControl* AddButton(int nId, LPCSTR lpszCaption);
    BOOL IsVisible() const override { return m_bShown; }
    BOOL OnFrameMouseWheel(BOOL bForward) override;
    BOOL IsRibbonBar() const override { return m_bRibbon; }
    CRect GetDwmGlassRect() const override { return m_rcGlass; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void SetVisible(BOOL bVisible) override;

    BOOL m_bShown = TRUE;
    int m_nIdleUpdates = 0;
    std::vector<BOOL> m_wheel;
    BOOL m_bWheelAnswer = TRUE;
    BOOL m_bRibbon = FALSE;
    CRect m_rcGlass = CRect(0, 0, 0, 0);
};

// Fixed answers for the keyboard-cue setting, the input desktop's name and composition. Installed
// for its lifetime.
class FixedSystemQuery : public CXTPCommandBarsSystemQuery
{
public:
    FixedSystemQuery();
    ~FixedSystemQuery() override;
    BOOL GetKeyboardCues(BOOL& bShow) override;
    int GetInputDesktopName(CHAR* pszName, int cchName) override;
    BOOL IsCompositionEnabled() override { return m_bComposition; }

    BOOL m_bCuesShown = TRUE;
    int m_nDesktopResult = 1;
    std::string m_desktop = "Default";
    BOOL m_bComposition = FALSE;

private:
    CXTPCommandBarsSystemQuery* m_pOld;
};

// A manager on a recording frame; bars are made with AddBar and owned by the manager.
class ManagerOnFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateSite());
        bars = new CXTPCommandBars();
        bars->SetSite(&frame);
    }
    void TearDown() override
    {
        bars->InternalRelease();
        frame.DestroyWindow();
    }
    RowBar* AddBar(UINT nBarID, int nTop = 0, int nType = xtpBarTypeNormal, int nPosition = xtpBarTop)
    {
        RowBar* pBar = new RowBar();
        pBar->SetBarID(nBarID);
        bars->AddCommandBar(pBar);
        EXPECT_TRUE(pBar->CreateOn(&frame, nTop, nType, nPosition));
        return pBar;
    }
    // A system-key message as the site's pre-translation sees it (Alt down: bit 29).
    static MSG SysKey(UINT message, UINT nKey)
    {
        MSG msg = {};
        msg.message = message;
        msg.wParam = nKey;
        msg.lParam = 0x20000001;
        return msg;
    }

    FixedSystemQuery query;
    RecordingFrame frame;
    CXTPCommandBars* bars = nullptr;
};
} // namespace mgr_test
