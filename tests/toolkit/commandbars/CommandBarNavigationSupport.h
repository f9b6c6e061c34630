// Helpers of the keyboard-navigation tests: a site window that records every message with both
// parameters, a bar that lays its captioned buttons out in a row and records the navigation codes it
// is asked to carry out, a control of a popup kind that records its popup, a beep counter installed
// as the system-query seam, and a scoped keyboard state for Shift and Ctrl.
#pragma once

#include "CommandBarsTestSupport.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <functional>
#include <initializer_list>
#include <vector>

namespace cb_nav
{
// A top-level window that logs what reaches its procedure; hidden unless told (a hidden site takes
// no activation from tests that run beside it). It opens no system menu.
class SiteWindow : public cb_test::RecordingWindow
{
public:
    explicit SiteWindow(RECT rc = RECT{60, 60, 460, 260}, DWORD dwExStyle = 0, bool bVisible = false);

    // The n-th recorded message of a kind (null when there are fewer).
    const MSG* Find(UINT message, int nIndex = 0) const;
    // How often WM_COMMAND came with this command id.
    int CommandCount(WPARAM nId) const;

    // Runs when the key message of a tracking bar arrives (with the key the bar sent).
    std::function<void(UINT)> m_onBarKey;
};

// A control of a popup kind: records the popup requests and answers as told.
class PopupControl : public CXTPControlButton
{
public:
    PopupControl() { m_controlType = xtpControlPopup; }
    BOOL SetPopup(BOOL bPopup) override
    {
        m_requests.push_back(bPopup);
        return m_bOpens;
    }
    BOOL m_bOpens = TRUE;
    std::vector<BOOL> m_requests;
};

// A bar with a child window of the site (or no window), its buttons laid out in rows.
class NavBar : public CXTPCommandBar
{
public:
    // Buttons with ids 101, 102, ... and the given captions; a caption starting with '>' makes a
    // control of a popup kind (the '>' is not part of the caption).
    void AddButtons(std::initializer_list<const char*> captions);
    // Lays the controls out: nPerRow in a row (0: all in one row), 40x20 pixels each.
    void LayOut(int nPerRow = 0);
    BOOL CreateIn(HWND hWndParent, RECT rc, DWORD dwExStyle = 0);

    BOOL ProcessSpecialKey(int nKey) override
    {
        m_codes.push_back(nKey);
        return m_bRecordOnly ? TRUE : CXTPCommandBar::ProcessSpecialKey(nKey);
    }
    int Selected() const { return GetSelected(); }
    int Popped() const { return GetPopped(); }
    void SetKeepSelection(int n) { m_nKeepSelection = n; }
    void SetParentBar(CXTPCommandBar* pParent) { m_pParentBar = pParent; }
    CXTPCommandBar* GetParentCommandBar() const override { return m_pParentBar; }

    std::vector<int> m_codes;
    BOOL m_bRecordOnly = FALSE;

private:
    CXTPCommandBar* m_pParentBar = nullptr;
};

// Counts the beeps the bars ask for while it is installed.
class BeepCounter : public CXTPCommandBarsSystemQuery
{
public:
    BeepCounter() { m_pPrevious = SetCommandBarsSystemQuery(this); }
    ~BeepCounter() override { SetCommandBarsSystemQuery(m_pPrevious); }
    BeepCounter(const BeepCounter&) = delete;
    BeepCounter& operator=(const BeepCounter&) = delete;
    BOOL MessageBeep(UINT uType) override
    {
        m_types.push_back(uType);
        return TRUE;
    }
    int Count() const { return static_cast<int>(m_types.size()); }
    std::vector<UINT> m_types;

private:
    CXTPCommandBarsSystemQuery* m_pPrevious = nullptr;
};

// Holds Shift and Ctrl as given in the thread's keyboard state; puts the old state back.
class ModifierState
{
public:
    ModifierState(bool bShift, bool bCtrl);
    ~ModifierState();
    ModifierState(const ModifierState&) = delete;
    ModifierState& operator=(const ModifierState&) = delete;

private:
    BYTE m_saved[256] = {};
};
} // namespace cb_nav
