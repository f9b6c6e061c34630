// Helpers of the bar-window tests: a bar that lays its controls out in a row, recording sites (a
// frame and a dialog) that log commands, site messages and status texts and answer command-UI
// updates by rules, and a button that records what the bar hands it.
#pragma once

#include "framework/Dialog.h"
#include "framework/FrameWnd.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace cb_bar_test
{
// A tool bar that is a child of its site and lays its controls out in one row (2-pixel margins).
class RowBar : public CXTPCommandBar
{
public:
    BOOL CreateIn(HWND hWndParent, const RECT& rc, UINT nId = 0xE810);
    BOOL IsVisible() const override { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    void OnRecalcLayout() override;
    int m_nLayouts = 0;
};

// A button that records the bar's calls on it.
class RecordingButton : public CXTPControlButton
{
public:
    BOOL OnRButtonUp(CPoint) override
    {
        ++m_nRButtonUp;
        return TRUE;
    }
    void OnMouseHover() override { ++m_nHover; }
    int m_nRButtonUp = 0;
    int m_nHover = 0;
};

// One message the site received.
struct SiteMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string text; // WM_SETMESSAGESTRING with a text
};

// What the site's update handler does for a command.
struct UpdateRule
{
    int nEnable = -1; // -1 leaves it, else Enable(nEnable)
    int nCheck = -1;  // -1 leaves it, else SetCheck(nCheck), before Enable
    const char* pszText = nullptr;
};

// The recording part of a site: logs WM_COMMAND, WM_SYSCOMMAND, 0x2854-0x2867 and status texts;
// answers site messages from a table; runs update rules and reports command handlers.
class SiteRecorder
{
public:
    bool Record(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo, BOOL& bResult);
    int Count(UINT message) const;
    const SiteMessage* Last(UINT message) const;

    std::vector<SiteMessage> m_log;
    std::map<UINT, LRESULT> m_answers;
    std::map<UINT, UpdateRule> m_rules;
    std::set<UINT> m_handled; // commands with a handler (and no update handler)
    std::function<void(const SiteMessage&)> m_onMessage; // called for every logged message
};

// A site window of any framework kind that records through a SiteRecorder.
template <class Base>
class RecordingSite : public Base
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT lResult = 0;
        if (rec.Record(message, wParam, lParam, lResult))
            return lResult;
        return Base::WindowProc(message, wParam, lParam);
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        BOOL bResult = FALSE;
        if (rec.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo, bResult))
            return bResult;
        return Base::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    SiteRecorder rec;
};

class RecordingFrame : public RecordingSite<CFrameWnd>
{
public:
    BOOL CreateAt(const RECT& rc);
};

class RecordingDialog : public RecordingSite<CDialog>
{
public:
    // A modeless dialog from an in-memory template.
    BOOL CreateAt(int x, int y, int cx, int cy);
};

// Makes a window the active foreground window and pumps until it is.
void Activate(HWND hWnd);

// A frame site with a row bar of captioned buttons (ids 101, 102, ...).
struct BarFixture
{
    explicit BarFixture(std::vector<const char*> captions = {"One", "Two", "Three"}, int nBarType = 1)
    {
        frame.CreateAt(RECT{60, 60, 460, 260});
        bar.SetType(nBarType);
        bar.SetPosition(xtpBarTop);
        bar.CreateIn(frame.m_hWnd, RECT{0, 0, 380, 30});
        int nId = 101;
        for (const char* caption : captions)
        {
            CXTPControl* p = bar.GetControls()->Add(new RecordingButton(), nId++);
            p->SetCaption(caption);
            p->SetStyle(xtpButtonCaption);
        }
        bar.OnRecalcLayout();
        frame.rec.m_log.clear();
    }
    ~BarFixture()
    {
        bar.DestroyWindow();
        frame.DestroyWindow();
    }
    RecordingButton* Button(int i) { return static_cast<RecordingButton*>(bar.GetControl(i)); }
    LPARAM ClientPoint(int i)
    {
        CPoint pt = bar.GetControl(i)->GetRect().CenterPoint();
        return MAKELPARAM(pt.x, pt.y);
    }
    RecordingFrame frame;
    RowBar bar;
};
} // namespace cb_bar_test
