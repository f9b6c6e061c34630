// CDialog from a template: the framework's modal loop (pre-translation, WM_KICKIDLE, command-UI
// updates following handler state), data exchange, modeless creation and failures.
#include "framework/CmdUI.h"
#include "framework/Dialog.h"
#include "framework/HandleMap.h"
#include "framework/StdControls.h"
#include "framework/WinThread.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const UINT kModalTemplate = 100;
const UINT kIdRun = 1001;
const UINT kIdStop = 1002;
const UINT kIdEdit = 1003;
const UINT kIdLabel = 1004;
const UINT_PTR kStepTimer = 1;
const UINT kEndMessage = WM_USER + 20;

// Runs a scripted session: each timer tick changes the state the update handlers read, and
// records what the buttons showed after the idle updates in between.
class CModalProbeDialog : public CDialog
{
public:
    CModalProbeDialog() : CDialog(kModalTemplate) {}

    bool running = false;
    int kickIdleCount = 0;
    int preTranslateCount = 0;
    int step = 0;
    int idleAtLastStep = 0;
    std::vector<std::pair<BOOL, BOOL>> observed; // (Run enabled, Stop enabled) per step
    CStatic label;
    CString editText = "initial";
    bool initCalled = false;
    int runCommands = 0;

    BOOL OnInitDialog() override
    {
        initCalled = true;
        CDialog::OnInitDialog();
        SetTimer(kStepTimer, 30);
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, kIdLabel, label);
        DDX_Text(pDX, kIdEdit, editText);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        ++preTranslateCount;
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++kickIdleCount;
        UpdateDialogControls(this, FALSE);
        return 0; // no more idle work
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        // A tick is only a step once an idle update has run since the last one: on a busy machine the
        // timer can come due again before the queue ever empties.
        if (kickIdleCount == idleAtLastStep)
            return;
        idleAtLastStep = kickIdleCount;
        observed.emplace_back(GetDlgItem(kIdRun)->IsWindowEnabled(), GetDlgItem(kIdStop)->IsWindowEnabled());
        ++step;
        if (step == 1)
            running = true; // the next idle update must swap the two buttons
        else if (step == 2)
            running = false;
        else if (step == 3)
        {
            // A click on Run while it is enabled reaches its command handler.
            SendMessage(WM_COMMAND, MAKEWPARAM(kIdRun, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(kIdRun)->m_hWnd));
            GetDlgItem(kIdEdit)->SetWindowText("typed");
            KillTimer(kStepTimer);
            PostMessage(kEndMessage);
        }
    }
    afx_msg LRESULT OnEnd(WPARAM, LPARAM)
    {
        OnOK(); // reads the data back, then ends with IDOK
        return 0;
    }
    afx_msg void OnRun() { ++runCommands; }
    afx_msg void OnStop() {}
    afx_msg void OnUpdateRun(CCmdUI* pCmdUI) { pCmdUI->Enable(!running); }
    afx_msg void OnUpdateStop(CCmdUI* pCmdUI) { pCmdUI->Enable(running); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModalProbeDialog, CDialog)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
ON_WM_TIMER()
ON_MESSAGE(kEndMessage, OnEnd)
ON_COMMAND(kIdRun, OnRun)
ON_COMMAND(kIdStop, OnStop)
ON_UPDATE_COMMAND_UI(kIdRun, OnUpdateRun)
ON_UPDATE_COMMAND_UI(kIdStop, OnUpdateStop)
END_MESSAGE_MAP()

class CCountingThread : public CWinThread
{
public:
    int preTranslated = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        ++preTranslated;
        return CWinThread::PreTranslateMessage(pMsg);
    }
};

// Ends itself from OnInitDialog: the loop must not start.
class CEndsAtOnceDialog : public CDialog
{
public:
    CEndsAtOnceDialog() : CDialog(kModalTemplate) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        EndDialog(IDCANCEL);
        return TRUE;
    }
};

class CCancelledByEscapeDialog : public CDialog
{
public:
    CCancelledByEscapeDialog() : CDialog(kModalTemplate) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        // Escape goes through IsDialogMessage and becomes IDCANCEL.
        HWND hFocus = GetDlgItem(kIdEdit)->m_hWnd;
        ::SetFocus(hFocus);
        PostMessage(WM_NULL);
        ::PostMessageA(hFocus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        return FALSE;
    }
};
} // namespace

TEST(DialogModalTest, ModalLoopPreTranslatesKicksIdleAndUpdatesCommands)
{
    CCountingThread thread; // the current thread object while the test runs
    ASSERT_EQ(&thread, AfxGetThread());

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200),
                               nullptr, 0));
    CModalProbeDialog dlg;
    dlg.m_pParentWnd = &owner;
    EXPECT_EQ(IDOK, dlg.DoModal());

    EXPECT_TRUE(dlg.initCalled);
    EXPECT_GT(dlg.kickIdleCount, 0);
    EXPECT_GT(dlg.preTranslateCount, 0); // reached through the loop's pre-translation walk
    EXPECT_GT(thread.preTranslated, 0);  // the thread object was asked first
    ASSERT_EQ(3u, dlg.observed.size());
    EXPECT_EQ(std::make_pair(TRUE, FALSE), dlg.observed[0]); // idle: Run on, Stop off
    EXPECT_EQ(std::make_pair(FALSE, TRUE), dlg.observed[1]); // running: swapped by the idle update
    EXPECT_EQ(std::make_pair(TRUE, FALSE), dlg.observed[2]); // stopped again
    EXPECT_EQ(1, dlg.runCommands);
    EXPECT_STREQ("typed", dlg.editText);  // OnOK read the edit back through DDX
    EXPECT_EQ(nullptr, dlg.m_hWnd);       // destroyed after the loop
    EXPECT_EQ(nullptr, dlg.label.m_hWnd); // its bound control went with it
    EXPECT_TRUE(owner.IsWindowEnabled()); // the owner is enabled again
}

TEST(DialogModalTest, EndDialogDuringInitialisationSkipsTheLoop)
{
    CEndsAtOnceDialog dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(DialogModalTest, EscapeKeyCancelsThroughIsDialogMessage)
{
    CCancelledByEscapeDialog dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST(DialogModalTest, MissingTemplateFailsWithoutAWindow)
{
    CDialog missing(4242u);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_FALSE(missing.Create(4242u));
    CDialog named("NoSuchDialog");
    EXPECT_EQ(-1, named.DoModal());
}

TEST(DialogModalTest, ModelessDialogBindsControlsAndEndsHidden)
{
    CModalProbeDialog dlg;
    ASSERT_TRUE(dlg.Create(kModalTemplate));
    EXPECT_TRUE(dlg.initCalled);
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    ASSERT_NE(nullptr, dlg.label.m_hWnd); // DDX_Control subclassed the static
    EXPECT_EQ(&dlg.label, dlg.GetDlgItem(kIdLabel));
    CString text;
    dlg.GetDlgItem(kIdEdit)->GetWindowText(text);
    EXPECT_STREQ("initial", text); // UpdateData(FALSE) during initialisation
    dlg.KillTimer(kStepTimer);
    dlg.EndDialog(IDOK);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(nullptr, dlg.label.m_hWnd);
}

namespace
{
class CBadDataDialog : public CDialog
{
public:
    CBadDataDialog() : CDialog(kModalTemplate) {}
    int value = 5;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kIdEdit, value); }
};
} // namespace

TEST(DialogModalTest, DataExchangeReportsMissingControls)
{
    class CMissingControlDialog : public CDialog
    {
    public:
        CMissingControlDialog() : CDialog(kModalTemplate) {}
        CStatic none;
        void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 9999, none); }
    } dlg;
    ASSERT_TRUE(dlg.Create(kModalTemplate));
    EXPECT_FALSE(dlg.UpdateData(TRUE)); // a clear failure, no crash
    EXPECT_EQ(nullptr, dlg.none.m_hWnd);

    CBadDataDialog good;
    ASSERT_TRUE(good.Create(kModalTemplate));
    good.GetDlgItem(kIdEdit)->SetWindowText(" 123 ");
    EXPECT_TRUE(good.UpdateData(TRUE));
    EXPECT_EQ(123, good.value);
}

namespace
{
int g_modalTempDeletions = 0;
void* CreateModalTemp(void*)
{
    return new int(0);
}
void DeleteModalTemp(void* object)
{
    ++g_modalTempDeletions;
    delete static_cast<int*>(object);
}
CHandleMap& ModalTempMap()
{
    static CHandleMap map(&CreateModalTemp, &DeleteModalTemp);
    return map;
}

// Makes a temporary object at initialisation and ends from a timer, after idle time passed.
class CTemporaryMakingDialog : public CDialog
{
public:
    CTemporaryMakingDialog() : CDialog(kModalTemplate) {}
    int deletionsSeenAtEnd = -1;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ModalTempMap().FromHandle(reinterpret_cast<void*>(0x20));
        SetTimer(kStepTimer, 300);
        return TRUE;
    }

protected:
    afx_msg void OnTimer(UINT_PTR)
    {
        KillTimer(kStepTimer);
        deletionsSeenAtEnd = g_modalTempDeletions;
        EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTemporaryMakingDialog, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()
} // namespace

TEST(DialogModalTest, OutermostModalLoopDeletesTemporariesWhenIdle)
{
    // A program whose main window is a modal dialog never runs the thread's own idle handler:
    // the dialog's loop has to clean up, or temporary objects pile up for the whole session.
    g_modalTempDeletions = 0;
    CTemporaryMakingDialog dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, dlg.deletionsSeenAtEnd);
}
