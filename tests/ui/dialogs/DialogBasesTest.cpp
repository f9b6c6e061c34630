// The harness dialog bases: keyboard rules, the close request, tracking limits, placement, the size grip's
// corner, hiding before the end, the temporary profile name and the dialog font.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/UiResourceIds.h"
#include "tests/ui/DialogTestSupport.h"
#include "framework/FrameWnd.h"
#include "framework/MessageMap.h"
#include "ui/dialogs/NonResizableDialog.h"
#include "ui/dialogs/UnitTestResizableDialog.h"
#include "framework/WinApp.h"

using dialog_test::PumpMessages;

namespace
{
class CNonResizableProbe : public CNonResizableDialog
{
public:
    CNonResizableProbe() : CNonResizableDialog(IDD_RUN_INDIVIDUAL, nullptr) {}
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_HELP_COMMAND)
            ++helps;
        return CNonResizableDialog::OnCommand(wParam, lParam);
    }
    int oks = 0;
    int cancels = 0;
    int helps = 0;
};

class CResizableProbe : public CUnitTestResizableDialog
{
public:
    CResizableProbe() : CUnitTestResizableDialog(nullptr, IDD_RUN_INDIVIDUAL) {}
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == ID_HELP_COMMAND)
            ++helps;
        return CUnitTestResizableDialog::OnCommand(wParam, lParam);
    }
    int oks = 0;
    int cancels = 0;
    int helps = 0;
};

// A modeless dialog with two edit boxes added: a multi-line one that wants Enter and a single-line one.
struct KeyFixture
{
    std::unique_ptr<CDialog> dialog;
    int* oks = nullptr;
    int* cancels = nullptr;
    HWND multiLine = nullptr;
    HWND singleLine = nullptr;

    int* helps = nullptr;

    explicit KeyFixture(bool resizable, CWnd* owner = nullptr)
    {
        if (resizable)
        {
            auto* probe = new CResizableProbe;
            dialog.reset(probe);
            oks = &probe->oks;
            cancels = &probe->cancels;
            helps = &probe->helps;
        }
        else
        {
            auto* probe = new CNonResizableProbe;
            dialog.reset(probe);
            oks = &probe->oks;
            cancels = &probe->cancels;
            helps = &probe->helps;
        }
        if (!dialog->Create(IDD_RUN_INDIVIDUAL, owner))
            return;
        multiLine = ::CreateWindowExA(
            0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN, 10, 40, 100, 40,
            dialog->m_hWnd, reinterpret_cast<HMENU>(3001), nullptr, nullptr);
        singleLine = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 90, 100, 20,
                                       dialog->m_hWnd, reinterpret_cast<HMENU>(3002), nullptr, nullptr);
        // Left hidden: under an X server without a window manager, hiding or destroying a shown top-level
        // window waits for a state change that never comes.
        PumpMessages();
    }
    ~KeyFixture()
    {
        if (dialog && dialog->m_hWnd)
            dialog->DestroyWindow();
    }
    HWND Item(int id) const { return ::GetDlgItem(dialog->m_hWnd, id); }
    BOOL Key(HWND target, WPARAM key, UINT message = WM_KEYDOWN)
    {
        MSG msg = {};
        msg.hwnd = target;
        msg.message = message;
        msg.wParam = key;
        msg.lParam = 1;
        return dialog->PreTranslateMessage(&msg);
    }
};

class DialogKeysTest : public ::testing::TestWithParam<bool>
{
};

TEST_P(DialogKeysTest, F1PostsTheHelpCommandAndIsNotPassedOn)
{
    KeyFixture f(GetParam());
    ASSERT_NE(f.dialog->m_hWnd, nullptr);
    PumpMessages();
    EXPECT_TRUE(f.Key(f.Item(IDOK), VK_F1));
    MSG posted;
    ASSERT_TRUE(::PeekMessageA(&posted, f.dialog->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(posted.wParam, static_cast<WPARAM>(ID_HELP_COMMAND));
    EXPECT_EQ(posted.lParam, 0);
}

TEST_P(DialogKeysTest, KeysOtherThanTabEnterEscapeReachTheControlsUntranslated)
{
    KeyFixture f(GetParam());
    ASSERT_NE(f.dialog->m_hWnd, nullptr);
    for (WPARAM key : {static_cast<WPARAM>(VK_DOWN), static_cast<WPARAM>(VK_RIGHT), static_cast<WPARAM>('R'),
                       static_cast<WPARAM>(VK_SPACE)})
    {
        EXPECT_FALSE(f.Key(f.Item(IDOK), key)) << "key " << key;
        EXPECT_FALSE(f.Key(f.singleLine, key)) << "key " << key;
    }
    // Tab as a character or key-up message is not a dialog key either; neither are mouse messages.
    EXPECT_FALSE(f.Key(f.Item(IDOK), VK_TAB, WM_KEYUP));
    EXPECT_FALSE(f.Key(f.Item(IDOK), 0, WM_LBUTTONDOWN));
    EXPECT_EQ(*f.oks, 0);
    EXPECT_EQ(*f.cancels, 0);
}

TEST_P(DialogKeysTest, TabMovesTheFocusButNotForTheDialogItself)
{
    KeyFixture f(GetParam());
    ASSERT_NE(f.dialog->m_hWnd, nullptr);
    ::SetFocus(f.Item(IDOK));
    ASSERT_EQ(::GetFocus(), f.Item(IDOK));
    EXPECT_FALSE(f.Key(f.dialog->m_hWnd, VK_TAB));
    EXPECT_EQ(::GetFocus(), f.Item(IDOK));
    EXPECT_TRUE(f.Key(f.Item(IDOK), VK_TAB));
    EXPECT_NE(::GetFocus(), f.Item(IDOK));
}

TEST_P(DialogKeysTest, EscapeInAMultiLineEditPressesAnEnabledCancelOnly)
{
    KeyFixture f(GetParam());
    ASSERT_NE(f.multiLine, nullptr);
    EXPECT_TRUE(f.Key(f.multiLine, VK_ESCAPE));
    EXPECT_EQ(*f.cancels, 1);

    ::EnableWindow(f.Item(IDCANCEL), FALSE);
    f.Key(f.multiLine, VK_ESCAPE);
    EXPECT_EQ(*f.cancels, 1) << "a disabled Cancel button is not pressed";
}

TEST_P(DialogKeysTest, EnterInASingleLineEditActivatesTheDefaultButton)
{
    KeyFixture f(GetParam());
    ASSERT_NE(f.singleLine, nullptr);
    EXPECT_TRUE(f.Key(f.singleLine, VK_RETURN));
    EXPECT_EQ(*f.oks, 1);
}

// The access keys of the dialog's buttons ("&Run" is IDOK, "&Help" the help command): Alt+letter from any
// control, a plain letter only from a control that takes no characters; control characters are no access
// keys, and a disabled button's key does nothing.
struct AccessKeyCase
{
    const char* name;
    UINT message;
    WPARAM key;
    int target; // a control id, or 0 for the single-line edit box (which takes characters)
    bool runEnabled;
    int oks;
    int helps;
};

TEST_P(DialogKeysTest, AccessKeysPressTheirButtons)
{
    const AccessKeyCase cases[] = {
        {"Alt+R in the edit box", WM_SYSCHAR, 'r', 0, true, 1, 0},
        {"Alt+R on Cancel", WM_SYSCHAR, 'R', IDCANCEL, true, 1, 0},
        {"Alt+H on Run", WM_SYSCHAR, 'h', IDOK, true, 0, 1},
        {"R on Cancel", WM_CHAR, 'r', IDCANCEL, true, 1, 0},
        {"H on Cancel", WM_CHAR, 'H', IDCANCEL, true, 0, 1},
        {"R in the edit box", WM_CHAR, 'r', 0, true, 0, 0},
        {"Ctrl+R on Cancel", WM_CHAR, 0x12, IDCANCEL, true, 0, 0},
        {"Alt+X, no such key", WM_SYSCHAR, 'x', IDCANCEL, true, 0, 0},
        {"Alt+R with Run disabled", WM_SYSCHAR, 'r', IDCANCEL, false, 0, 0},
    };
    for (const AccessKeyCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        KeyFixture f(GetParam());
        ASSERT_NE(f.singleLine, nullptr);
        ::EnableWindow(f.Item(IDOK), c.runEnabled);
        HWND target = c.target ? f.Item(c.target) : f.singleLine;
        ::SetFocus(target);
        f.Key(target, c.key, c.message);
        PumpMessages();
        EXPECT_EQ(*f.oks, c.oks);
        EXPECT_EQ(*f.helps, c.helps);
        EXPECT_EQ(*f.cancels, 0);
    }
    // A letter typed into the edit box stays there.
    KeyFixture f(GetParam());
    ::SetFocus(f.singleLine);
    EXPECT_TRUE(f.Key(f.singleLine, 'r', WM_CHAR));
    char text[8] = {};
    ::GetWindowTextA(f.singleLine, text, sizeof text);
    EXPECT_STREQ(text, "r");
    // Control characters are left to the control.
    EXPECT_FALSE(f.Key(f.Item(IDCANCEL), 0x12, WM_CHAR));
}

// While the owning frame picks a window for context help, its loop has the keys: the dialog translates
// none (F1 excepted, which comes first).
TEST_P(DialogKeysTest, KeysAreLeftAloneInTheFramesContextHelpMode)
{
    CFrameWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    {
        KeyFixture f(GetParam(), &frame);
        ASSERT_NE(f.multiLine, nullptr);
        EXPECT_EQ(f.dialog->GetTopLevelFrame(), &frame);
        frame.m_bHelpMode = TRUE;
        ::SetFocus(f.Item(IDOK));
        EXPECT_FALSE(f.Key(f.Item(IDOK), VK_TAB));
        EXPECT_EQ(::GetFocus(), f.Item(IDOK));
        EXPECT_FALSE(f.Key(f.multiLine, VK_ESCAPE));
        EXPECT_FALSE(f.Key(f.singleLine, VK_RETURN));
        EXPECT_FALSE(f.Key(f.Item(IDCANCEL), 'r', WM_SYSCHAR));
        PumpMessages();
        EXPECT_EQ(*f.oks, 0);
        EXPECT_EQ(*f.cancels, 0);
        EXPECT_TRUE(f.Key(f.Item(IDOK), VK_F1));
        PumpMessages();
        EXPECT_EQ(*f.helps, 1);

        frame.m_bHelpMode = FALSE;
        EXPECT_TRUE(f.Key(f.multiLine, VK_ESCAPE));
        EXPECT_EQ(*f.cancels, 1);
    }
    frame.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(BothBases, DialogKeysTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Resizable" : "NonResizable");
                         });

TEST(ResizableDialogKeysTest, EnterStaysInAnEditThatWantsItAndKeysCanBeSwitchedOff)
{
    KeyFixture f(true);
    ASSERT_NE(f.multiLine, nullptr);
    EXPECT_FALSE(f.Key(f.multiLine, VK_RETURN));
    EXPECT_FALSE(f.Key(f.dialog->m_hWnd, VK_RETURN));
    EXPECT_EQ(*f.oks, 0);

    static_cast<CResizableDialog*>(f.dialog.get())->EnableDialogKeys(false);
    EXPECT_FALSE(f.Key(f.singleLine, VK_RETURN));
    EXPECT_FALSE(f.Key(f.Item(IDOK), VK_TAB));
    EXPECT_EQ(*f.oks, 0);
    // F1 comes before the dialog keys and still asks for help.
    EXPECT_TRUE(f.Key(f.Item(IDOK), VK_F1));
    // Access keys are dialog keys too.
    EXPECT_FALSE(f.Key(f.Item(IDCANCEL), 'r', WM_SYSCHAR));
    PumpMessages();
    EXPECT_EQ(*f.oks, 0);
}

// ---------------------------------------------------------------- close request

template <class TBase> class CCloseOnStart : public TBase
{
public:
    using TBase::TBase;
    BOOL OnInitDialog() override
    {
        BOOL result = TBase::OnInitDialog();
        ::EnableWindow(::GetDlgItem(this->m_hWnd, IDCANCEL), FALSE);
        this->PostMessage(WM_QVX_CLOSE_DIALOG);
        return result;
    }
};

TEST(DialogCloseRequestTest, CloseRequestEndsAModalDialogEvenWithCancelDisabled)
{
    CCloseOnStart<CNonResizableDialog> fixed(IDD_RUN_INDIVIDUAL, nullptr);
    EXPECT_EQ(fixed.DoModal(), IDCANCEL);
    CCloseOnStart<CUnitTestResizableDialog> resizable(nullptr, IDD_RUN_INDIVIDUAL);
    EXPECT_EQ(resizable.DoModal(), IDCANCEL);
}

// ---------------------------------------------------------------- keys in the modal loop

#define WM_PROBE_FOCUS (WM_USER + 300)

// Inside its own modal loop: focus on OK, an arrow key and a Tab posted to it, then the focus is noted after
// each and the dialog closes itself.
template <class TBase> class CModalKeyProbe : public TBase
{
public:
    using TBase::TBase;
    BOOL OnInitDialog() override
    {
        TBase::OnInitDialog();
        this->ShowWindow(SW_SHOW);
        HWND ok = ::GetDlgItem(this->m_hWnd, IDOK);
        okButton = ok;
        ::SetFocus(ok);
        ::PostMessageA(ok, WM_KEYDOWN, VK_DOWN, 1);
        this->PostMessage(WM_PROBE_FOCUS, 0);
        ::PostMessageA(ok, WM_KEYDOWN, VK_TAB, 1);
        this->PostMessage(WM_PROBE_FOCUS, 1);
        this->PostMessage(WM_QVX_CLOSE_DIALOG);
        return FALSE; // the focus is set here
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PROBE_FOCUS)
        {
            (wParam == 0 ? afterArrow : afterTab) = ::GetFocus();
            return 0;
        }
        return TBase::WindowProc(message, wParam, lParam);
    }
    HWND okButton = nullptr;
    HWND afterArrow = nullptr;
    HWND afterTab = nullptr;
};

// The modal loop offers every input message to the dialog a second time; the harness rules apply there too,
// so an arrow key does not move the focus between the buttons while Tab does.
template <class TProbe> void ExpectModalKeyRules(TProbe& probe)
{
    EXPECT_EQ(probe.DoModal(), IDCANCEL);
    ASSERT_NE(probe.okButton, nullptr);
    EXPECT_EQ(probe.afterArrow, probe.okButton);
    EXPECT_NE(probe.afterTab, probe.okButton);
    EXPECT_NE(probe.afterTab, nullptr);
}

// Inside its own modal loop: the focus on Cancel, Alt+R pressed (the key-down as the system posts it; the
// loop makes the character); "&Run" ends the dialog with IDOK. A timer ends it with IDCANCEL when nothing
// happens.
template <class TBase> class CModalAccessKeyProbe : public TBase
{
public:
    using TBase::TBase;
    static constexpr UINT_PTR kGiveUpTimer = 77;
    BOOL OnInitDialog() override
    {
        TBase::OnInitDialog();
        this->ShowWindow(SW_SHOW);
        HWND cancel = ::GetDlgItem(this->m_hWnd, IDCANCEL);
        ::SetFocus(cancel);
        const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA('R', 0)) << 16;
        ::PostMessageA(cancel, WM_SYSKEYDOWN, 'R', 1 | scan | (1 << 29));
        this->SetTimer(kGiveUpTimer, 5000, nullptr);
        return FALSE; // the focus is set here
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kGiveUpTimer)
        {
            this->KillTimer(kGiveUpTimer);
            this->EndDialog(IDCANCEL);
            return 0;
        }
        return TBase::WindowProc(message, wParam, lParam);
    }
};

TEST(DialogModalKeysTest, AltAndAnAccessKeyPressesItsButtonInsideTheModalLoop)
{
    CModalAccessKeyProbe<CNonResizableDialog> fixed(IDD_RUN_INDIVIDUAL, nullptr);
    EXPECT_EQ(fixed.DoModal(), IDOK);
    CModalAccessKeyProbe<CUnitTestResizableDialog> resizable(nullptr, IDD_RUN_INDIVIDUAL);
    EXPECT_EQ(resizable.DoModal(), IDOK);
}

TEST(DialogModalKeysTest, ArrowKeysStayWithTheControlInsideTheModalLoop)
{
    CModalKeyProbe<CNonResizableDialog> fixed(IDD_RUN_INDIVIDUAL, nullptr);
    ExpectModalKeyRules(fixed);
    CModalKeyProbe<CUnitTestResizableDialog> resizable(nullptr, IDD_RUN_INDIVIDUAL);
    ExpectModalKeyRules(resizable);
}

// ---------------------------------------------------------------- hiding before the end

class CHideProbe : public CUnitTestResizableDialog
{
public:
    explicit CHideProbe(UINT command)
        : CUnitTestResizableDialog(nullptr, IDD_RUN_INDIVIDUAL), m_command(command)
    {
    }
    BOOL OnInitDialog() override
    {
        BOOL result = CUnitTestResizableDialog::OnInitDialog();
        PostMessage(WM_COMMAND, m_command, 0);
        return result;
    }
    BOOL OnCloseHook() override
    {
        ++closeHooks;
        visibleAtHook = visibleAtHook || IsWindowVisible();
        return FALSE;
    }
    BOOL OnAcceptHook() override
    {
        ++acceptHooks;
        return FALSE;
    }
    UINT m_command;
    int closeHooks = 0;
    int acceptHooks = 0;
    bool visibleAtHook = false;
};

TEST(UnitTestResizableDialogTest, OkAndCancelHideTheWindowBeforeTheHooksAndTheEnd)
{
    CHideProbe ok(IDOK);
    EXPECT_EQ(ok.DoModal(), IDOK);
    EXPECT_EQ(ok.closeHooks, 2);
    EXPECT_EQ(ok.acceptHooks, 2);
    EXPECT_FALSE(ok.visibleAtHook);

    CHideProbe cancel(IDCANCEL);
    EXPECT_EQ(cancel.DoModal(), IDCANCEL);
    EXPECT_EQ(cancel.closeHooks, 2);
    EXPECT_EQ(cancel.acceptHooks, 0);
    EXPECT_FALSE(cancel.visibleAtHook);
}

// ---------------------------------------------------------------- tracking limits

TEST(ResizableDialogTrackSizeTest, OnlyPairsWithBothValuesSetReachTheSystem)
{
    struct Case
    {
        int minCx, minCy, maxCx, maxCy;
        bool minApplied, maxApplied;
    };
    const Case cases[] = {
        {0, 0, 0, 0, false, false},    {300, 0, 0, 0, false, false},  {0, 200, 0, 700, false, false},
        {300, 200, 0, 0, true, false}, {0, 0, 900, 700, false, true}, {300, 200, 900, 700, true, true},
    };
    for (const Case& c : cases)
    {
        CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
        ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
        dialog.SetMinTrackSize(c.minCx, c.minCy);
        dialog.SetMaxTrackSize(c.maxCx, c.maxCy);
        EXPECT_EQ(dialog.HasMinTrackSize() != FALSE, c.minApplied);
        EXPECT_EQ(dialog.HasMaxTrackSize() != FALSE, c.maxApplied);
        MINMAXINFO info = {};
        info.ptMinTrackSize = {11, 12};
        info.ptMaxTrackSize = {1111, 1212};
        dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.ptMinTrackSize.x, c.minApplied ? c.minCx : 11);
        EXPECT_EQ(info.ptMinTrackSize.y, c.minApplied ? c.minCy : 12);
        EXPECT_EQ(info.ptMaxTrackSize.x, c.maxApplied ? c.maxCx : 1111);
        EXPECT_EQ(info.ptMaxTrackSize.y, c.maxApplied ? c.maxCy : 1212);
        // The harness class keeps its own pairs; the base's accessors reach them.
        CResizableDialog& base = dialog;
        EXPECT_EQ(base.GetMinTrackSize()->cx, c.minCx);
        EXPECT_EQ(base.GetMaxTrackSize()->cy, c.maxCy);
        dialog.DestroyWindow();
    }
}

// ---------------------------------------------------------------- layout

// Lays out its three buttons along the bottom edge, 12 pixels apart, and its label at the top left.
class CLayoutProbe : public CUnitTestResizableDialog
{
public:
    CLayoutProbe() : CUnitTestResizableDialog(nullptr, IDD_RUN_INDIVIDUAL) {}
    BOOL ArrangeControls() override
    {
        if (!GetDlgItem(IDOK))
            return FALSE;
        int offset = QVX_DIALOG_MARGIN;
        for (int id : {ID_HELP_COMMAND, IDCANCEL, IDOK})
        {
            PlaceBottomRight(GetDlgItem(id), &offset);
            offset += QVX_DIALOG_MARGIN;
        }
        MoveControlTo(GetDlgItem(IDC_SELECT_TESTS_LABEL), QVX_DIALOG_MARGIN, QVX_DIALOG_MARGIN);
        ++arranged;
        return TRUE;
    }
    int arranged = 0;
};

RECT ChildRect(CDialog& dialog, HWND child)
{
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectMargins(CLayoutProbe& dialog, const char* when)
{
    SCOPED_TRACE(when);
    RECT client;
    dialog.GetClientRect(&client);
    RECT help = ChildRect(dialog, ::GetDlgItem(dialog.m_hWnd, ID_HELP_COMMAND));
    RECT cancel = ChildRect(dialog, ::GetDlgItem(dialog.m_hWnd, IDCANCEL));
    RECT ok = ChildRect(dialog, ::GetDlgItem(dialog.m_hWnd, IDOK));
    RECT label = ChildRect(dialog, ::GetDlgItem(dialog.m_hWnd, IDC_SELECT_TESTS_LABEL));
    EXPECT_EQ(help.right, client.right - 12);
    EXPECT_EQ(help.bottom, client.bottom - 12);
    EXPECT_EQ(cancel.right, help.left - 12);
    EXPECT_EQ(ok.right, cancel.left - 12);
    EXPECT_EQ(ok.bottom, client.bottom - 12);
    EXPECT_EQ(label.left, 12);
    EXPECT_EQ(label.top, 12);
    RECT grip = ChildRect(dialog, dialog.GetGrip().m_hWnd);
    EXPECT_EQ(grip.left, client.right - 12);
    EXPECT_EQ(grip.top, client.bottom - 12);
    EXPECT_EQ(grip.right - grip.left, 12);
    EXPECT_EQ(grip.bottom - grip.top, 12);
}

TEST(ResizableDialogLayoutTest, MarginsHoldAtTheMinimumSizeAfterGrowingAndWhenShrinkingStopsAtTheMinimum)
{
    CLayoutProbe dialog;
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    RECT start;
    dialog.GetWindowRect(&start);
    const int width = start.right - start.left, height = start.bottom - start.top;
    dialog.SetMinTrackSize(width, height);
    // A size change lays the dialog out; the grip sits in the corner of the client area.
    dialog.MoveWindow(start.left, start.top, width + 1, height, TRUE);
    dialog.MoveWindow(start.left, start.top, width, height, TRUE);
    PumpMessages();
    EXPECT_GT(dialog.arranged, 0);
    ExpectMargins(dialog, "minimum size");

    dialog.PostMessage(WM_QVX_GRIP_DRAG, 40, 30);
    PumpMessages();
    RECT grown;
    dialog.GetWindowRect(&grown);
    EXPECT_EQ(grown.right - grown.left, width + 40);
    EXPECT_EQ(grown.bottom - grown.top, height + 30);
    EXPECT_EQ(grown.left, start.left);
    EXPECT_EQ(grown.top, start.top);
    ExpectMargins(dialog, "after growing");

    dialog.PostMessage(WM_QVX_GRIP_DRAG, static_cast<WPARAM>(-300), -300);
    PumpMessages();
    RECT shrunk;
    dialog.GetWindowRect(&shrunk);
    EXPECT_EQ(shrunk.right - shrunk.left, width);
    EXPECT_EQ(shrunk.bottom - shrunk.top, height);
    ExpectMargins(dialog, "after shrinking to the minimum");
    dialog.DestroyWindow();
}

TEST(ResizableDialogLayoutTest, PlaceBottomRightLaysControlsFromRightToLeft)
{
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    CWnd* first = dialog.GetDlgItem(IDOK);
    CWnd* second = dialog.GetDlgItem(IDCANCEL);
    first->MoveWindow(0, 0, 75, 23, FALSE);
    second->MoveWindow(0, 0, 75, 23, FALSE);
    RECT client;
    dialog.GetClientRect(&client);

    int offset = 12;
    EXPECT_TRUE(dialog.PlaceBottomRight(first, &offset));
    EXPECT_EQ(offset, 87);
    EXPECT_TRUE(dialog.PlaceBottomRight(second, &offset));
    EXPECT_EQ(offset, 162);
    RECT a = ChildRect(dialog, first->m_hWnd), b = ChildRect(dialog, second->m_hWnd);
    EXPECT_EQ(a.left, client.right - 87);
    EXPECT_EQ(a.bottom, client.bottom - 12);
    EXPECT_EQ(b.left, client.right - 162);
    EXPECT_EQ(b.right, a.left);

    int top = 20;
    EXPECT_TRUE(dialog.PlaceTopRight(first, &top));
    EXPECT_TRUE(dialog.PlaceTopRight(second, &top));
    EXPECT_EQ(top, 20 + 23 + 23);
    a = ChildRect(dialog, first->m_hWnd);
    b = ChildRect(dialog, second->m_hWnd);
    EXPECT_EQ(a.right, client.right - 12);
    EXPECT_EQ(a.top, 20);
    EXPECT_EQ(b.top, 43);

    // Bad offsets and controls without windows leave everything as it was.
    int zero = 0, negative = -5;
    CWnd noWindow;
    EXPECT_FALSE(dialog.PlaceBottomRight(first, &zero));
    EXPECT_FALSE(dialog.PlaceBottomRight(first, &negative));
    EXPECT_FALSE(dialog.PlaceTopRight(first, &zero));
    int offsetKept = 12;
    EXPECT_FALSE(dialog.PlaceBottomRight(&noWindow, &offsetKept));
    EXPECT_EQ(offsetKept, 12);
    EXPECT_EQ(ChildRect(dialog, first->m_hWnd).top, 20);
    dialog.DestroyWindow();
}

TEST(ResizableDialogLayoutTest, ControlRectanglesAreRememberedPerWindowAndCleared)
{
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    CWnd* ok = dialog.GetDlgItem(IDOK);
    CWnd* cancel = dialog.GetDlgItem(IDCANCEL);
    RECT out;
    EXPECT_FALSE(dialog.ClearControlRects());
    EXPECT_FALSE(dialog.LookupControlRect(ok, &out));
    EXPECT_TRUE(dialog.RememberControlRect(ok));
    const RECT okRect = ChildRect(dialog, ok->m_hWnd);
    ok->MoveWindow(1, 2, 30, 40, FALSE);
    ASSERT_TRUE(dialog.LookupControlRect(ok, &out));
    EXPECT_TRUE(EqualRect(&out, &okRect));
    EXPECT_FALSE(dialog.LookupControlRect(cancel, &out));
    EXPECT_TRUE(dialog.RememberControlRect(ok)); // a second time replaces the first
    ASSERT_TRUE(dialog.LookupControlRect(ok, &out));
    EXPECT_EQ(out.right - out.left, 30);
    EXPECT_TRUE(dialog.ClearControlRects());
    EXPECT_FALSE(dialog.LookupControlRect(ok, &out));
    CWnd noWindow;
    EXPECT_FALSE(dialog.RememberControlRect(&noWindow));
    dialog.DestroyWindow();
}

TEST(ResizableDialogTest, DialogIconNeedsAnApplicationObjectAndAnIconResource)
{
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    ASSERT_EQ(AfxGetApp(), nullptr);
    EXPECT_FALSE(dialog.SetDialogIcon(IDI_QUORVEX));
    EXPECT_EQ(dialog.SendMessage(WM_GETICON, ICON_BIG), 0);
    {
        CWinApp app("QvxIconTest");
        EXPECT_FALSE(dialog.SetDialogIcon(4999)) << "no such icon";
        ASSERT_TRUE(dialog.SetDialogIcon(IDI_QUORVEX));
        EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_BIG)), dialog.GetDialogIcon());
        EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_SMALL)),
                  dialog.GetDialogIcon());
    }
    dialog.DestroyWindow();
}

TEST(ResizableDialogTest, DialogFontIsMsShellDlgOfHeight14)
{
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    ASSERT_TRUE(dialog.CreateDialogFont());
    HFONT font = static_cast<HFONT>(dialog.GetDialogFont().GetSafeHandle());
    ASSERT_NE(font, nullptr);
    LOGFONTA info = {};
    ASSERT_NE(::GetObjectA(font, sizeof info, &info), 0);
    EXPECT_STREQ(info.lfFaceName, "MS Shell Dlg");
    EXPECT_EQ(info.lfHeight, 14);
    EXPECT_EQ(info.lfWeight, FW_NORMAL);
    dialog.DestroyWindow();
}

TEST(ResizableDialogTest, WithoutCommandBarsOrStoreTheLayoutOperationsReportFalse)
{
    CUnitTestResizableDialog dialog(nullptr, IDD_RUN_INDIVIDUAL);
    ASSERT_TRUE(dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
    CDravikString text("unchanged");
    EXPECT_FALSE(dialog.SaveLayout(1, IDS_TOOLBAR_TITLE));
    EXPECT_FALSE(dialog.LoadLayout(1, IDS_TOOLBAR_TITLE));
    EXPECT_FALSE(dialog.SaveBarsToText(text, IDS_TOOLBAR_TITLE));
    EXPECT_STREQ(text.GetAnsi(), "unchanged");
    EXPECT_FALSE(dialog.SetToolbarButtonText(ID_RUN_ALL));
    EXPECT_FALSE(dialog.PlaceBelowToolBar(dialog.GetDlgItem(IDOK), 10));
    EXPECT_TRUE(dialog.RepositionControlBars());
    dialog.DestroyWindow();
}

// ---------------------------------------------------------------- temporary profile name

TEST(ResizableDialogTest, TemporaryProfileNameReplacesOnlyTheFileNamesExtension)
{
    char tempFolder[MAX_PATH];
    ASSERT_NE(::GetTempPathA(MAX_PATH, tempFolder), 0u);
    // A temporary folder whose path has a dot in a folder name (as "C:\Users\first.last\...").
    std::string dotted = std::string(tempFolder) + "qvx.dotted.folder\\";
    ::CreateDirectoryA(dotted.c_str(), nullptr);
    char previous[MAX_PATH] = {};
    const DWORD hadTmp = ::GetEnvironmentVariableA("TMP", previous, MAX_PATH);
    ::SetEnvironmentVariableA("TMP", dotted.c_str());

    CDravikString name = CResizableDialog::MakeTempProfileName();

    ::SetEnvironmentVariableA("TMP", hadTmp ? previous : nullptr);
    std::string path = name.GetAnsi() ? name.GetAnsi() : "";
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.compare(0, dotted.size(), dotted), 0) << path;
    const std::string file = path.substr(dotted.size());
    EXPECT_EQ(file.compare(0, 3, "SRI"), 0) << file;
    EXPECT_EQ(file.substr(file.size() - 4), ".ini") << file;
    EXPECT_EQ(file.find('.'), file.size() - 4) << file;
    // The file the system made for the unique name is gone, and the profile name is not there either.
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    std::string made = path.substr(0, path.size() - 4) + ".tmp";
    EXPECT_EQ(::GetFileAttributesA(made.c_str()), INVALID_FILE_ATTRIBUTES);
    ::RemoveDirectoryA(dotted.c_str());
}
} // namespace
