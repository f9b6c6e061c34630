// Message-map dispatch: window messages, commands and ranges, update handlers, notifications,
// reflection to controls, registered messages and base-class chaining.
#include "framework/CmdUI.h"
#include "framework/Exceptions.h"
#include "framework/StdControls.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{
const UINT kProbeMessage = WM_USER + 1;
const UINT kBaseOnlyMessage = WM_USER + 2;
const UINT kThrowingMessage = WM_USER + 3;
const UINT kFrameworkExceptionMessage = WM_USER + 4;
const UINT kRegisteredMessage = ::RegisterWindowMessageA("QuorvexFrameworkTestRegistered");
const UINT kOtherRegisteredMessage = ::RegisterWindowMessageA("QuorvexFrameworkTestOtherRegistered");
const int kFakeNotifyCode = -1234;

class CProbeWnd : public CWnd
{
public:
    std::vector<std::string> log;
    CPoint lastPoint;
    int lastSizeCx = -1;
    int lastSizeCy = -1;
    UINT lastRangeId = 0;
    BOOL exResult = TRUE;
    BOOL enableCommand = TRUE;
    bool continueRouting = false;
    int commandCount = 0;
    UINT notifyRangeId = 0;

    BOOL CreateProbe(CWnd* pParent = nullptr)
    {
        DWORD style = pParent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
        return CreateEx(0, nullptr, "probe", style, CRect(0, 0, 200, 150), pParent, pParent ? 50 : 0);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        log.push_back(std::string("create:") + (cs->lpszName ? cs->lpszName : ""));
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        lastSizeCx = cx;
        lastSizeCy = cy;
    }
    afx_msg void OnLButtonDown(UINT, CPoint point)
    {
        log.push_back("lbuttondown");
        lastPoint = point;
    }
    afx_msg LRESULT OnProbe(WPARAM wParam, LPARAM lParam)
    {
        log.push_back("probe");
        return static_cast<LRESULT>(wParam + lParam);
    }
    afx_msg LRESULT OnBaseOnly(WPARAM, LPARAM)
    {
        log.push_back("base-only");
        return 77;
    }
    afx_msg LRESULT OnThrowing(WPARAM, LPARAM) { throw std::runtime_error("handler failure"); }
    afx_msg LRESULT OnFrameworkException(WPARAM, LPARAM) { AfxThrowNotSupportedException(); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        log.push_back("registered");
        return static_cast<LRESULT>(wParam * 2);
    }
    afx_msg void OnCommand100()
    {
        ++commandCount;
        log.push_back("cmd100");
    }
    afx_msg void OnCommandRange(UINT nID)
    {
        lastRangeId = nID;
        log.push_back("range");
    }
    afx_msg BOOL OnCommandEx(UINT nID)
    {
        log.push_back("ex" + std::to_string(nID));
        return exResult;
    }
    afx_msg void OnUpdate100(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(enableCommand);
        if (continueRouting)
            pCmdUI->ContinueRouting();
    }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->SetCheck(pCmdUI->m_nID == 301 ? 1 : 0); }
    afx_msg void OnButtonClicked() { log.push_back("parent-clicked"); }
    afx_msg void OnFakeNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        log.push_back("parent-notify:" + std::to_string(pNMHDR->idFrom));
        *pResult = 42;
    }
    afx_msg void OnNotifyRange(UINT nID, NMHDR*, LRESULT* pResult)
    {
        notifyRangeId = nID;
        log.push_back("parent-notify-range");
        *pResult = 43;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(kProbeMessage, OnProbe)
ON_MESSAGE(kBaseOnlyMessage, OnBaseOnly)
ON_MESSAGE(kThrowingMessage, OnThrowing)
ON_MESSAGE(kFrameworkExceptionMessage, OnFrameworkException)
ON_REGISTERED_MESSAGE(kRegisteredMessage, OnRegistered)
ON_COMMAND(100, OnCommand100)
ON_UPDATE_COMMAND_UI(100, OnUpdate100)
ON_COMMAND_RANGE(200, 210, OnCommandRange)
ON_COMMAND_EX(250, OnCommandEx)
ON_UPDATE_COMMAND_UI_RANGE(300, 302, OnUpdateRange)
ON_BN_CLICKED(60, OnButtonClicked)
ON_BN_CLICKED(61, OnButtonClicked)
ON_NOTIFY(kFakeNotifyCode, 70, OnFakeNotify)
ON_NOTIFY(kFakeNotifyCode, 71, OnFakeNotify)
ON_NOTIFY(kFakeNotifyCode, 72, OnFakeNotify)
ON_NOTIFY_RANGE(kFakeNotifyCode, 80, 89, OnNotifyRange)
END_MESSAGE_MAP()

// Overrides one message of its base and inherits the others through the map chain.
class CDerivedProbeWnd : public CProbeWnd
{
protected:
    afx_msg LRESULT OnProbeDerived(WPARAM, LPARAM)
    {
        log.push_back("derived-probe");
        return -5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbeWnd, CProbeWnd)
ON_MESSAGE(kProbeMessage, OnProbeDerived)
END_MESSAGE_MAP()

// A button that handles its own click when the parent reflects it.
class CReflectingButton : public CButton
{
public:
    int reflectedClicks = 0;
    BOOL passOn = FALSE; // for the _EX variant
    bool useEx = false;

protected:
    afx_msg void OnClickedReflect() { ++reflectedClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClickedReflect)
END_MESSAGE_MAP()

class CPassingButton : public CButton
{
public:
    int reflectedClicks = 0;

protected:
    afx_msg BOOL OnClickedReflectEx()
    {
        ++reflectedClicks;
        return FALSE; // let the parent see it as well
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPassingButton, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedReflectEx)
END_MESSAGE_MAP()

// A child window that sends WM_NOTIFY to its parent, handling the reflection itself (or not).
class CNotifyingChild : public CWnd
{
public:
    int reflected = 0;
    UINT lastCmdMsgHighWord = 0;
    BOOL consume = TRUE;

    LRESULT Notify()
    {
        NMHDR nmhdr = {};
        nmhdr.hwndFrom = m_hWnd;
        nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        nmhdr.code = static_cast<UINT>(kFakeNotifyCode);
        return ::SendMessageA(::GetParent(m_hWnd), WM_NOTIFY, nmhdr.idFrom, reinterpret_cast<LPARAM>(&nmhdr));
    }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        lastCmdMsgHighWord = HIWORD(static_cast<UINT>(nCode));
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    afx_msg BOOL OnReflectedNotify(NMHDR*, LRESULT* pResult)
    {
        ++reflected;
        *pResult = 7;
        return consume;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyingChild, CWnd)
ON_NOTIFY_REFLECT_EX(kFakeNotifyCode, OnReflectedNotify)
END_MESSAGE_MAP()

// A child without any reflection entry.
class CPlainChild : public CWnd
{
};

// A static control that colours itself through the reflected WM_CTLCOLOR.
class CColouredStatic : public CStatic
{
public:
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    ~CColouredStatic() override { ::DeleteObject(brush); }
    HBRUSH CtlColor(CDC*, UINT nCtlColor) override
    {
        lastType = nCtlColor;
        return brush;
    }
    UINT lastType = 0xFFFF;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredStatic, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

bool Contains(const std::vector<std::string>& log, const std::string& entry)
{
    for (const auto& e : log)
        if (e == entry)
            return true;
    return false;
}

class MessageMapTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(wnd.CreateProbe()); }
    CProbeWnd wnd;
};
} // namespace

static_assert(WM_REFLECT_BASE + WM_NOTIFY == 0xBC4E, "reflected WM_NOTIFY number");
static_assert(WM_REFLECT_BASE + WM_COMMAND == 0xBD11, "reflected WM_COMMAND number (0xBC00 + 0x0111)");
static_assert(WM_KICKIDLE == 0x036A && WM_SIZEPARENT == 0x0361 && WM_IDLEUPDATECMDUI == 0x0363,
              "framework message numbers");

TEST_F(MessageMapTest, WindowMessagesReachTheirTypedHandlers)
{
    EXPECT_TRUE(Contains(wnd.log, "create:probe")); // WM_CREATE during CreateEx
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 17));
    EXPECT_EQ(CPoint(-3, 17), wnd.lastPoint); // signed coordinates unpacked
    wnd.SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client.Width(), wnd.lastSizeCx);
    EXPECT_EQ(client.Height(), wnd.lastSizeCy);
    EXPECT_EQ(12, wnd.SendMessage(kProbeMessage, 5, 7));
}

TEST_F(MessageMapTest, UnhandledMessagesGoToTheDefaultProcedure)
{
    wnd.SetWindowText("title text");
    char buffer[64] = {};
    EXPECT_EQ(10, wnd.SendMessage(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("title text", buffer);
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ("title text", text);
}

TEST_F(MessageMapTest, RegisteredMessagesMatchByTheirRuntimeNumber)
{
    EXPECT_EQ(42, wnd.SendMessage(kRegisteredMessage, 21));
    EXPECT_TRUE(Contains(wnd.log, "registered"));
    wnd.log.clear();
    EXPECT_EQ(0, wnd.SendMessage(kOtherRegisteredMessage, 21)); // a different registered message
    EXPECT_FALSE(Contains(wnd.log, "registered"));
}

TEST_F(MessageMapTest, CommandsRangesAndExtendedCommands)
{
    struct Case
    {
        UINT id;
        const char* expected;
    } cases[] = {{100, "cmd100"}, {200, "range"}, {205, "range"}, {210, "range"}, {250, "ex250"}};
    for (const Case& c : cases)
    {
        wnd.log.clear();
        EXPECT_EQ(1, wnd.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0)) << c.id;
        EXPECT_TRUE(Contains(wnd.log, c.expected)) << c.id;
    }
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(207, 0), 0);
    EXPECT_EQ(207u, wnd.lastRangeId);

    // Outside every range: not handled.
    wnd.log.clear();
    EXPECT_FALSE(wnd.OnCmdMsg(211, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(wnd.OnCmdMsg(199, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(wnd.log.empty());

    // ON_COMMAND_EX reports what its handler returned.
    wnd.exResult = FALSE;
    EXPECT_FALSE(wnd.OnCmdMsg(250, CN_COMMAND, nullptr, nullptr));
    wnd.exResult = TRUE;
    EXPECT_TRUE(wnd.OnCmdMsg(250, CN_COMMAND, nullptr, nullptr));
}

TEST_F(MessageMapTest, HandlerQueryDoesNotCallTheHandler)
{
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    EXPECT_TRUE(wnd.OnCmdMsg(100, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(&wnd, info.pTarget);
    EXPECT_NE(nullptr, info.pmf);
    EXPECT_EQ(0, wnd.commandCount);
    EXPECT_FALSE(wnd.OnCmdMsg(101, CN_COMMAND, nullptr, &info));
}

TEST_F(MessageMapTest, AcceleratorCommandOfADisabledCommandIsNotRun)
{
    wnd.enableCommand = FALSE;
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 1), 0); // from an accelerator
    EXPECT_EQ(0, wnd.commandCount);
    wnd.enableCommand = TRUE;
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 1), 0);
    EXPECT_EQ(1, wnd.commandCount);
}

TEST_F(MessageMapTest, UpdateHandlersDriveTheCommandUserInterface)
{
    CButton button;
    ASSERT_TRUE(
        button.Create("cmd", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 50, 20), &wnd, 100));
    CCmdUI state;
    state.m_nID = 100;
    state.m_pOther = &button;

    struct Case
    {
        BOOL enable;
        bool continueRouting;
        BOOL expectHandled;
    } cases[] = {{FALSE, false, TRUE}, {TRUE, false, TRUE}, {FALSE, true, FALSE}};
    for (const Case& c : cases)
    {
        wnd.enableCommand = c.enable;
        wnd.continueRouting = c.continueRouting;
        EXPECT_EQ(c.expectHandled, state.DoUpdate(&wnd, FALSE));
        EXPECT_EQ(c.enable, button.IsWindowEnabled());
        EXPECT_TRUE(state.m_bEnableChanged);
    }

    // Update ranges: SetCheck follows the handler for each id.
    CButton check301;
    ASSERT_TRUE(check301.Create("301", WS_CHILD | BS_AUTOCHECKBOX, CRect(0, 20, 50, 40), &wnd, 301));
    CCmdUI rangeState;
    rangeState.m_nID = 301;
    rangeState.m_pOther = &check301;
    EXPECT_TRUE(rangeState.DoUpdate(&wnd, FALSE));
    EXPECT_EQ(BST_CHECKED, check301.GetCheck());
}

TEST_F(MessageMapTest, DisableIfNoHandlerFollowsTheCommandHandlers)
{
    CButton withHandler;
    CButton withoutHandler;
    ASSERT_TRUE(withHandler.Create("a", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 10, 10), &wnd, 205));
    ASSERT_TRUE(withoutHandler.Create("b", WS_CHILD | BS_PUSHBUTTON, CRect(0, 10, 10, 20), &wnd, 999));
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_TRUE(withHandler.IsWindowEnabled());     // ON_COMMAND_RANGE covers 205
    EXPECT_FALSE(withoutHandler.IsWindowEnabled()); // nothing handles 999
    wnd.UpdateDialogControls(&wnd, FALSE);          // without the option nothing is disabled
    withoutHandler.EnableWindow(TRUE);
    wnd.UpdateDialogControls(&wnd, FALSE);
    EXPECT_TRUE(withoutHandler.IsWindowEnabled());
}

TEST_F(MessageMapTest, BaseClassMapIsChained)
{
    CDerivedProbeWnd derived;
    ASSERT_TRUE(derived.CreateProbe());
    EXPECT_EQ(-5, derived.SendMessage(kProbeMessage, 1, 1)); // the derived entry wins
    EXPECT_EQ(77, derived.SendMessage(kBaseOnlyMessage));    // the base entry still works
    EXPECT_TRUE(Contains(derived.log, "derived-probe"));
    EXPECT_FALSE(Contains(derived.log, "probe"));
    EXPECT_EQ(1, derived.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0));
}

TEST_F(MessageMapTest, ExceptionsStopAtTheWindowProcedure)
{
    EXPECT_EQ(0, wnd.SendMessage(kThrowingMessage));
    EXPECT_EQ(0, wnd.SendMessage(kFrameworkExceptionMessage));
    // The window still works afterwards.
    EXPECT_EQ(3, wnd.SendMessage(kProbeMessage, 1, 2));
}

TEST_F(MessageMapTest, ControlNotificationsAreReflectedToTheControlFirst)
{
    CReflectingButton consuming;
    CPassingButton passing;
    ASSERT_TRUE(consuming.Create("c", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 20, 20), &wnd, 60));
    ASSERT_TRUE(passing.Create("p", WS_CHILD | BS_PUSHBUTTON, CRect(20, 0, 40, 20), &wnd, 61));

    wnd.log.clear();
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(60, BN_CLICKED), reinterpret_cast<LPARAM>(consuming.m_hWnd));
    EXPECT_EQ(1, consuming.reflectedClicks);
    EXPECT_FALSE(Contains(wnd.log, "parent-clicked")); // consumed by the control

    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(61, BN_CLICKED), reinterpret_cast<LPARAM>(passing.m_hWnd));
    EXPECT_EQ(1, passing.reflectedClicks);
    EXPECT_TRUE(Contains(wnd.log, "parent-clicked")); // the _EX handler passed it on

    // A real click goes the same way.
    consuming.SendMessage(BM_CLICK);
    EXPECT_EQ(2, consuming.reflectedClicks);
}

TEST_F(MessageMapTest, NotificationsReflectRouteAndCarryResults)
{
    CNotifyingChild consuming;
    CNotifyingChild passing;
    CPlainChild plain;
    CPlainChild inRange;
    passing.consume = FALSE;
    ASSERT_TRUE(consuming.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &wnd, 70));
    ASSERT_TRUE(passing.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &wnd, 71));
    ASSERT_TRUE(plain.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &wnd, 72));
    ASSERT_TRUE(inRange.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 5, 5), &wnd, 85));

    wnd.log.clear();
    EXPECT_EQ(7, consuming.Notify()); // the child's result, parent not involved
    EXPECT_EQ(1, consuming.reflected);
    EXPECT_EQ(WM_REFLECT_BASE + WM_NOTIFY, consuming.lastCmdMsgHighWord);
    EXPECT_FALSE(Contains(wnd.log, "parent-notify:70"));

    EXPECT_EQ(42, passing.Notify()); // child saw it, then the parent set the result
    EXPECT_EQ(1, passing.reflected);
    EXPECT_TRUE(Contains(wnd.log, "parent-notify:71"));

    NMHDR nmhdr = {plain.m_hWnd, 72, static_cast<UINT>(kFakeNotifyCode)};
    EXPECT_EQ(42, wnd.SendMessage(WM_NOTIFY, 72, reinterpret_cast<LPARAM>(&nmhdr)));
    EXPECT_TRUE(Contains(wnd.log, "parent-notify:72"));

    NMHDR ranged = {inRange.m_hWnd, 85, static_cast<UINT>(kFakeNotifyCode)};
    EXPECT_EQ(43, wnd.SendMessage(WM_NOTIFY, 85, reinterpret_cast<LPARAM>(&ranged)));
    EXPECT_EQ(85u, wnd.notifyRangeId);

    // Another code from the same control is not handled.
    NMHDR other = {plain.m_hWnd, 72, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(0, wnd.SendMessage(WM_NOTIFY, 72, reinterpret_cast<LPARAM>(&other)));
}

TEST_F(MessageMapTest, ControlColoursItselfThroughReflectedCtlColor)
{
    CColouredStatic coloured;
    ASSERT_TRUE(coloured.Create("text", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &wnd));
    HDC hDC = ::GetDC(wnd.m_hWnd);
    LRESULT brush = wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                    reinterpret_cast<LPARAM>(coloured.m_hWnd));
    ::ReleaseDC(wnd.m_hWnd, hDC);
    EXPECT_EQ(reinterpret_cast<LRESULT>(coloured.brush), brush);
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), coloured.lastType);
}

namespace
{
class CCountedTarget : public CCmdTarget
{
public:
    explicit CCountedTarget(int* deletions) : m_deletions(deletions) {}
    ~CCountedTarget() override { ++*m_deletions; }

private:
    int* m_deletions;
};
} // namespace

TEST(CmdTargetTest, ReferenceCountDeletesOnFinalReleaseOnly)
{
    int deletions = 0;
    CCountedTarget* target = new CCountedTarget(&deletions);
    EXPECT_EQ(2u, target->InternalAddRef());
    EXPECT_EQ(3u, target->ExternalAddRef());
    EXPECT_EQ(2u, target->ExternalRelease());
    EXPECT_EQ(1u, target->InternalRelease());
    EXPECT_EQ(0, deletions);
    EXPECT_EQ(0u, target->InternalRelease());
    EXPECT_EQ(1, deletions);
}
