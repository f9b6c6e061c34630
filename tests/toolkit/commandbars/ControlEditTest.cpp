// Edit fields on real toolbars of a docking manager: the hint, focus and Escape, spin steps (the pure
// rule by table and the held button on posted messages with a scripted clock), the buddy button,
// the window's place, vertical bars, persistence by schema, and the notifications the bar's owner
// hears.
#include "FieldTestSupport.h"

#include "toolkit/commandbars/controls/XTPControlEdit.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"

#include <richedit.h>

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using field_test::NotifyRecorder;
using field_test::PumpMessages;
using field_test::ScriptedClock;

namespace
{
const int kEditId = 300;

class EditOnFrame : public field_test::FieldOnFrame
{
protected:
    // A toolbar with one button and an edit field, owned (for notifications) by the recorder.
    CXTPControlEdit* AddEdit(int nPosition = xtpBarTop)
    {
        CXTPControlEdit* pEdit = dynamic_cast<CXTPControlEdit*>(AddField(xtpControlEdit, kEditId, nPosition));
        EXPECT_NE(pEdit, nullptr);
        return pEdit;
    }
    static CString WindowText(CXTPControlEdit* pEdit) { return field_test::WindowText(pEdit->GetEditCtrl()); }
    static COLORREF TextColour(CXTPControlEdit* pEdit)
    {
        CHARFORMAT2A cf;
        ZeroMemory(&cf, sizeof(cf));
        cf.cbSize = 84;
        cf.dwMask = CFM_COLOR;
        pEdit->GetEditCtrl()->SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf.crTextColor;
    }
};
} // namespace

TEST_F(EditOnFrame, KindJoinsAddByTypeWithItsDefaults)
{
    CXTPControls* pControls = new CXTPControls();
    CXTPControlEdit* pEdit = dynamic_cast<CXTPControlEdit*>(pControls->AddByType(xtpControlEdit, 77));
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->GetType(), xtpControlEdit);
    EXPECT_EQ(pEdit->GetWidth(), 100);
    EXPECT_EQ(pEdit->GetEditCtrl(), nullptr); // no window before the first layout
    EXPECT_FALSE(pEdit->IsFocusable());
    // Text kept without a window.
    pEdit->SetEditText("cached");
    EXPECT_EQ(pEdit->GetEditText(), "cached");
    pControls->InternalRelease();
}

TEST_F(EditOnFrame, HintShowsGreyWhileEmptyAndUnfocused)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    Activate();
    pEdit->SetEditHint("Search");
    ASSERT_NE(pEdit->GetEditCtrl(), nullptr);
    ASSERT_TRUE(::IsWindow(pEdit->GetEditCtrl()->GetSafeHwnd()));
    // The text window is a command-bar edit (the dialogs leave its keys untranslated).
    EXPECT_TRUE(pEdit->GetEditCtrl()->IsKindOf(RUNTIME_CLASS(CXTPCommandBarEditCtrl)));

    EXPECT_EQ(WindowText(pEdit), "Search");
    EXPECT_TRUE(pEdit->IsHintShown());
    EXPECT_EQ(pEdit->GetEditTextWithoutHint(), "");
    if (CXTPCommandBarEditCtrl::GetRichEditContext().bRichEdit2)
    {
        EXPECT_EQ(TextColour(pEdit), ::GetSysColor(COLOR_GRAYTEXT));
    }

    // Focus: the hint goes, the field is empty and focused, the site hears 256.
    pEdit->GetEditCtrl()->SetFocus();
    PumpMessages();
    EXPECT_TRUE(pEdit->IsFocused());
    EXPECT_EQ(WindowText(pEdit), "");
    EXPECT_FALSE(pEdit->IsHintShown());
    EXPECT_EQ(pEdit->GetEditTextWithoutHint(), "");
    EXPECT_EQ(recorder.Count(EN_SETFOCUS), 1);
    if (CXTPCommandBarEditCtrl::GetRichEditContext().bRichEdit2)
    {
        EXPECT_EQ(TextColour(pEdit), ::GetSysColor(COLOR_WINDOWTEXT));
    }

    // Leaving it empty brings the hint back; the site hears 512.
    ::SetFocus(frame.m_hWnd);
    PumpMessages();
    EXPECT_FALSE(pEdit->IsFocused());
    EXPECT_EQ(WindowText(pEdit), "Search");
    EXPECT_EQ(pEdit->GetEditTextWithoutHint(), "");
    EXPECT_EQ(recorder.Count(EN_KILLFOCUS), 1);
    EXPECT_EQ(recorder.Count(EN_CHANGE), 0); // the control's own changes are not the user's
}

TEST_F(EditOnFrame, TypedTextIsReportedAndTheHintItselfCountsAsEmpty)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    Activate();

    struct Case
    {
        const char* name;
        const char* hint;
        const char* typed;
        const char* expected; // text without hint after leaving
        const char* shown;    // window text after leaving
    } const cases[] = {
        {"no hint, nothing typed", "", "", "", ""},
        {"no hint, the word typed", "", "Search", "Search", "Search"},
        {"hint typed itself", "Search", "Search", "", "Search"},
        {"other text", "Search", "cat", "cat", "cat"},
    };
    for (const Case& c : cases)
    {
        pEdit->SetEditText("");
        pEdit->SetEditHint(c.hint);
        recorder.m_log.clear();
        pEdit->GetEditCtrl()->SetFocus();
        PumpMessages();
        for (const char* p = c.typed; *p; ++p)
            ::SendMessageA(pEdit->GetEditCtrl()->GetSafeHwnd(), WM_CHAR, static_cast<WPARAM>(*p), 1);
        PumpMessages();
        EXPECT_EQ(recorder.Count(EN_CHANGE), static_cast<int>(std::string(c.typed).size())) << c.name;
        ::SetFocus(frame.m_hWnd);
        PumpMessages();
        EXPECT_EQ(pEdit->GetEditTextWithoutHint(), c.expected) << c.name;
        EXPECT_EQ(WindowText(pEdit), c.shown) << c.name;
    }
}

TEST_F(EditOnFrame, EscapeRestoresTheTextOfFocusTime)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    Activate();
    pEdit->SetEditText("before");
    pEdit->GetEditCtrl()->SetFocus();
    PumpMessages();
    ASSERT_TRUE(pEdit->IsFocused());
    pEdit->GetEditCtrl()->SetWindowText("changed");
    EXPECT_EQ(pEdit->GetEditText(), "changed");

    // In a toolbar the bar goes on with the key (0); the field is left.
    EXPECT_EQ(pEdit->OnHookKeyDown(VK_ESCAPE, 0), 0);
    EXPECT_EQ(pEdit->GetEditText(), "before");
    EXPECT_EQ(WindowText(pEdit), "before");
    EXPECT_FALSE(pEdit->IsFocused());
}

TEST_F(EditOnFrame, KeysWhileFocused)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    Activate();
    pEdit->ShowSpinButtons(TRUE);
    pEdit->SetEditText("7");
    // Not focused: the bar handles every key.
    EXPECT_EQ(pEdit->OnHookKeyDown('A', 0), 0);
    pEdit->GetEditCtrl()->SetFocus();
    PumpMessages();
    ASSERT_TRUE(pEdit->IsFocused());

    struct Case
    {
        const char* name;
        UINT nKey;
        int nAnswer;
    } const cases[] = {
        {"Tab to the bar", VK_TAB, 0},
        {"Enter to the bar", VK_RETURN, 0},
        {"a letter to the window", 'A', 2},
        {"Up steps the spin", VK_UP, 1},
        {"Down steps the spin", VK_DOWN, 1},
        {"Home is handled here", VK_HOME, 1},
        {"Backspace is handled here", VK_BACK, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pEdit->OnHookKeyDown(c.nKey, 0), c.nAnswer) << c.name;
    // Up then down by one: 8, then 7.
    EXPECT_EQ(pEdit->GetEditText(), "7");
    EXPECT_EQ(recorder.SpinDeltas(), (std::vector<int>{1, -1}));

    // Read-only fields do not spin: Up is only the window's navigation key.
    pEdit->SetReadOnly(TRUE);
    EXPECT_EQ(pEdit->OnHookKeyDown(VK_UP, 0), 1);
    EXPECT_EQ(pEdit->GetEditText(), "7");
    EXPECT_EQ(recorder.SpinDeltas().size(), 2u);
}

TEST(EditSpinRule, StepsToTheNextMultipleInTheStepsDirection)
{
    struct Case
    {
        const char* name;
        const char* text;
        int nCount;
        int nDirection;
        int nExpected;
    } const cases[] = {
        {"7 up by 5", "7", 5, +1, 15},
        {"7 down by 5", "7", 5, -1, 0},
        {"a word counts as 0", "abc", 5, +1, 5},
        {"empty counts as 0", "", 1, -1, -1},
        {"a multiple moves a whole step", "10", 5, +1, 15},
        {"negative up", "-3", 5, +1, 5},
        {"negative up to zero", "-8", 5, +1, 0},
        {"negative down", "-3", 5, -1, -10},
        {"count 0 counts as 1", "7", 0, +1, 8},
        {"negative count counts as 1", "7", -4, -1, 6},
        {"no overflow at the top", "2147483647", 1, +1, INT_MAX},
        {"no overflow at the bottom", "-2147483648", 1, -1, INT_MIN},
        {"a huge text is clamped first", "99999999999", 20, +1, INT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CXTPControlEdit::CalcSpinValue(c.text, c.nCount, c.nDirection), c.nExpected) << c.name;
}

TEST_F(EditOnFrame, SpinStepAsksTheSiteFirst)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetEditText("7");

    // Not handled: the text moves and the site hears 100, never WM_COMMAND.
    pEdit->OnSpinStep(5, +1);
    EXPECT_EQ(pEdit->GetEditText(), "15");
    EXPECT_EQ(recorder.Codes(), (std::vector<int>{XTP_FN_SPINUP, XTP_CN_EXECUTE}));
    EXPECT_EQ(recorder.SpinDeltas(), (std::vector<int>{5}));

    // Handled by the site: nothing else happens.
    recorder.m_log.clear();
    recorder.m_handled.insert(XTP_FN_SPINDOWN);
    pEdit->OnSpinStep(5, -1);
    EXPECT_EQ(pEdit->GetEditText(), "15");
    EXPECT_EQ(recorder.Codes(), (std::vector<int>{XTP_FN_SPINDOWN}));
    EXPECT_EQ(recorder.SpinDeltas(), (std::vector<int>{-5}));
}

TEST_F(EditOnFrame, HeldSpinButtonAcceleratesOnItsTimer)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    pEdit->ShowSpinButtons(TRUE);
    Layout();
    Activate();
    pEdit->SetEditText("0");
    const CRect rcSpin = pEdit->GetSpinButtonsRect();
    ASSERT_FALSE(rcSpin.IsRectEmpty());
    const CPoint ptUp(rcSpin.CenterPoint().x, rcSpin.top + 2);

    // Press at 1000 ms; ticks at 1530 (530 held), 3047 (2047), 3048 (2048), 6120 (5120).
    ScriptedClock clock({1000, 1530, 3047, 3048, 6120});
    PostToBar(WM_LBUTTONDOWN, MK_LBUTTON, ptUp);
    for (int i = 0; i < 4; ++i)
        ::PostMessageA(pBar->GetSafeHwnd(), WM_TIMER, XTP_TID_EDIT_SPIN, 0);
    PostToBar(WM_LBUTTONUP, 0, ptUp);
    PumpMessages();

    EXPECT_EQ(recorder.SpinDeltas(), (std::vector<int>{1, 1, 1, 5, 20}));
    // 0 -> 1 -> 2 -> 3 -> 10 (3 + 5 = 8, on to the next multiple of 5) -> 40 (10 + 20 = 30, on to 40).
    EXPECT_EQ(pEdit->GetEditText(), "40");
    ASSERT_EQ(clock.m_timers.size(), 2u);
    EXPECT_EQ(clock.m_timers[0].nIDEvent, XTP_TID_EDIT_SPIN);
    EXPECT_EQ(clock.m_timers[0].uElapse, 530u);
    EXPECT_EQ(clock.m_timers[1].uElapse, 100u);
    EXPECT_EQ(pEdit->GetPressedPart(), 0);
    EXPECT_NE(::GetCapture(), pBar->GetSafeHwnd());
}

TEST_F(EditOnFrame, HeldSpinButtonPausesWhileTheCursorIsAway)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    pEdit->ShowSpinButtons(TRUE);
    Layout();
    Activate();
    pEdit->SetEditText("10");
    const CRect rcSpin = pEdit->GetSpinButtonsRect();
    const CPoint ptDown(rcSpin.CenterPoint().x, rcSpin.bottom - 2);
    const CPoint ptAway(rcSpin.left - 30, rcSpin.top + 1);

    // Press at 0; away (clock 100), a tick does nothing; back at 5000 restarts the clock, so a tick
    // at 6000 steps by 1 only.
    ScriptedClock clock({0, 100, 5000, 6000});
    PostToBar(WM_LBUTTONDOWN, MK_LBUTTON, ptDown);
    PostToBar(WM_MOUSEMOVE, MK_LBUTTON, ptAway);
    ::PostMessageA(pBar->GetSafeHwnd(), WM_TIMER, XTP_TID_EDIT_SPIN, 0);
    PostToBar(WM_MOUSEMOVE, MK_LBUTTON, ptDown);
    ::PostMessageA(pBar->GetSafeHwnd(), WM_TIMER, XTP_TID_EDIT_SPIN, 0);
    PostToBar(WM_LBUTTONUP, 0, ptDown);
    PumpMessages();

    EXPECT_EQ(recorder.SpinDeltas(), (std::vector<int>{-1, -1}));
    EXPECT_EQ(pEdit->GetEditText(), "8");
}

TEST_F(EditOnFrame, BuddyButtonNotifiesOnlyWhenReleasedInside)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetBuddyButtonId(555);
    Layout();
    Activate();
    const CRect rcBuddy = pEdit->GetBuddyButtonRect();
    ASSERT_FALSE(rcBuddy.IsRectEmpty());

    struct Case
    {
        const char* name;
        CPoint ptRelease;
        int nNotices;
    } const cases[] = {
        {"released inside", rcBuddy.CenterPoint(), 1},
        {"released outside", CPoint(rcBuddy.left - 40, rcBuddy.top), 0},
    };
    for (const Case& c : cases)
    {
        recorder.m_log.clear();
        PostToBar(WM_LBUTTONDOWN, MK_LBUTTON, rcBuddy.CenterPoint());
        PostToBar(WM_MOUSEMOVE, MK_LBUTTON, c.ptRelease);
        PostToBar(WM_LBUTTONUP, 0, c.ptRelease);
        PumpMessages();
        EXPECT_EQ(recorder.Count(XTP_FN_BUDDYBUTTONCLICK), c.nNotices) << c.name;
        EXPECT_EQ(pEdit->GetPressedPart(), 0) << c.name;
    }
}

TEST_F(EditOnFrame, WindowPlaceAndButtonRectangles)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    struct Case
    {
        const char* name;
        BOOL bSpin;
        int nBuddy;
        int nRightInset;    // the window's right edge from the control's
        int nSpinLeft;      // spin buttons from the right edge (0: none)
        int nBuddyLeft;     // buddy button from the right edge (0: none)
    } const cases[] = {
        {"plain", FALSE, 0, 3, 0, 0},
        {"spin buttons", TRUE, 0, 20, 18, 0},
        {"buddy button", FALSE, 7, 21, 0, 19},
        {"both", TRUE, 7, 38, 18, 36},
    };
    for (const Case& c : cases)
    {
        pEdit->ShowSpinButtons(c.bSpin);
        pEdit->SetBuddyButtonId(c.nBuddy);
        Layout();
        pEdit->SetRect(pEdit->GetRect()); // placed again with the new parts
        const CRect rc = pEdit->GetRect();
        EXPECT_EQ(rc.Width(), 100) << c.name;
        const CRect rcWindow = tb_test::DockingOnFrame::RectIn(pEdit->GetEditCtrl()->GetSafeHwnd(), pBar->GetSafeHwnd());
        EXPECT_EQ(rcWindow, CRect(rc.left + 4, rc.top + 3, rc.right - c.nRightInset, rc.bottom - 3)) << c.name;
        const CRect rcSpin = pEdit->GetSpinButtonsRect();
        if (c.nSpinLeft)
        {
            EXPECT_EQ(rcSpin, CRect(rc.right - c.nSpinLeft, rc.top + 1, rc.right - 1, rc.bottom - 1)) << c.name;
        }
        else
        {
            EXPECT_TRUE(rcSpin.IsRectEmpty()) << c.name;
        }
        const CRect rcBuddy = pEdit->GetBuddyButtonRect();
        if (c.nBuddyLeft)
        {
            EXPECT_EQ(rcBuddy, CRect(rc.right - c.nBuddyLeft, rc.top + 1, rc.right - c.nBuddyLeft + 18, rc.bottom - 1))
                << c.name;
        }
        else
        {
            EXPECT_TRUE(rcBuddy.IsRectEmpty()) << c.name;
        }
    }
}

TEST_F(EditOnFrame, HiddenInAVerticalBar)
{
    CXTPControlEdit* pEdit = AddEdit(xtpBarLeft);
    ASSERT_NE(pEdit, nullptr);
    EXPECT_NE(pEdit->GetHideFlags() & xtpHideDockingPosition, 0);
    EXPECT_FALSE(pEdit->IsVisible());
    if (pEdit->GetEditCtrl() && pEdit->GetEditCtrl()->GetSafeHwnd())
    {
        EXPECT_FALSE(pEdit->GetEditCtrl()->IsWindowVisible());
    }
    ASSERT_TRUE(bars->DockCommandBar(pBar, xtpBarTop));
    Layout();
    EXPECT_EQ(pEdit->GetHideFlags() & xtpHideDockingPosition, 0);
    ASSERT_NE(pEdit->GetEditCtrl(), nullptr);
    EXPECT_TRUE(pEdit->GetEditCtrl()->IsWindowVisible());
}

TEST_F(EditOnFrame, RemovedFieldKeepsItsTextAndLosesItsWindow)
{
    CXTPControlEdit* pEdit = AddEdit();
    ASSERT_NE(pEdit, nullptr);
    pEdit->GetEditCtrl()->SetWindowText("typed");
    pEdit->InternalAddRef();
    pBar->GetControls()->Remove(pEdit);
    EXPECT_FALSE(pEdit->GetEditCtrl() && pEdit->GetEditCtrl()->GetSafeHwnd());
    EXPECT_EQ(pEdit->GetEditText(), "typed");
    pEdit->InternalRelease();
}

TEST(EditPersistence, KeysFollowTheSchema)
{
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "qvx_cb_edit.ini";
    struct Case
    {
        const char* name;
        int nSchema;
        BOOL bSpin, bLimit, bIcon, bBuddy, bHint;
    } const cases[] = {
        {"schema 8", 8, FALSE, FALSE, FALSE, FALSE, FALSE},
        {"schema 9", 9, FALSE, FALSE, FALSE, FALSE, TRUE},
        {"schema 19", 19, TRUE, FALSE, FALSE, FALSE, TRUE},
        {"schema 38", 38, TRUE, TRUE, TRUE, TRUE, TRUE},
    };
    for (const Case& c : cases)
    {
        ::DeleteFileA(file.c_str());
        CXTPControlEdit* pStored = new CXTPControlEdit();
        pStored->SetID(12);
        pStored->ShowSpinButtons(TRUE);
        pStored->SetTextLimit(40);
        pStored->SetEditIconId(41);
        pStored->SetBuddyButtonId(42);
        pStored->SetEditHint("Find");
        pStored->ShowLabel(TRUE);
        {
            CXTPPropExchangeIniFile px(FALSE, nullptr, "Edit");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            pStored->DoPropExchange(&px);
        }
        const std::string text = field_test::ReadFileText(file.c_str());
        EXPECT_EQ(text.find("ShowSpinButtons") != std::string::npos, c.bSpin != FALSE) << c.name;
        EXPECT_EQ(text.find("TextLimit") != std::string::npos, c.bLimit != FALSE) << c.name;
        EXPECT_EQ(text.find("EditIconId") != std::string::npos, c.bIcon != FALSE) << c.name;
        EXPECT_EQ(text.find("BuddyButtonId") != std::string::npos, c.bBuddy != FALSE) << c.name;
        EXPECT_EQ(text.find("EditHint") != std::string::npos, c.bHint != FALSE) << c.name;

        CXTPControlEdit* pLoaded = new CXTPControlEdit();
        {
            CXTPPropExchangeIniFile px(TRUE, nullptr, "Edit");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            pLoaded->DoPropExchange(&px);
        }
        EXPECT_EQ(pLoaded->IsSpinButtonsVisible(), c.bSpin) << c.name;
        EXPECT_EQ(pLoaded->GetTextLimit(), c.bLimit ? 40 : 0) << c.name;
        EXPECT_EQ(pLoaded->GetEditIconId(), c.bIcon ? 41 : 0) << c.name;
        EXPECT_EQ(pLoaded->GetBuddyButtonId(), c.bBuddy ? 42 : 0) << c.name;
        EXPECT_EQ(pLoaded->GetEditHint(), c.bHint ? "Find" : "") << c.name;
        EXPECT_TRUE(pLoaded->IsLabeled()) << c.name;
        pLoaded->InternalRelease();
        pStored->InternalRelease();
    }
    ::DeleteFileA(file.c_str());
}

TEST(EditCopy, CloneTakesTheSettingsAndTheTextWithoutHint)
{
    CXTPControlEdit* pSrc = new CXTPControlEdit();
    pSrc->SetID(5);
    pSrc->SetEditHint("Hint");
    pSrc->SetEditText("Hint");
    pSrc->SetReadOnly(TRUE);
    pSrc->ShowSpinButtons(TRUE);
    pSrc->SetTextLimit(9);
    pSrc->SetBuddyButtonId(3);
    pSrc->ShowLabel(TRUE);
    CXTPControlEdit* pCopy = dynamic_cast<CXTPControlEdit*>(pSrc->Clone());
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetID(), 5);
    EXPECT_EQ(pCopy->GetEditHint(), "Hint");
    EXPECT_EQ(pCopy->GetEditText(), "");
    EXPECT_TRUE(pCopy->GetReadOnly());
    EXPECT_TRUE(pCopy->IsSpinButtonsVisible());
    EXPECT_EQ(pCopy->GetTextLimit(), 9);
    EXPECT_EQ(pCopy->GetBuddyButtonId(), 3);
    EXPECT_TRUE(pCopy->IsLabeled());
    EXPECT_TRUE(pCopy->Compare(pSrc));
    CXTPControl* pButton = new CXTPControl();
    EXPECT_FALSE(pSrc->Compare(pButton));
    pButton->InternalRelease();
    pCopy->InternalRelease();
    pSrc->InternalRelease();
}

TEST(EditPaint, DefaultThemeDrawsTheFieldAndSpinButtons)
{
    // A free control drawn on a memory DC: the inside of the field in the window colour, the spin
    // part in the face colour while hot.
    CXTPControlEdit* pEdit = new CXTPControlEdit();
    pEdit->ShowSpinButtons(TRUE);
    pEdit->SetRect(CRect(0, 0, 100, 22));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bmp;
    CClientDC screen(nullptr);
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 120, 30));
    CBitmap* pOld = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 120, 30, RGB(1, 2, 3));
    CXTPPaintManager* pPaintManager = CXTPPaintManager::GetGlobal();
    const CSize size = pPaintManager->DrawControlEdit(&dc, pEdit, FALSE);
    EXPECT_EQ(size.cx, 100);
    EXPECT_EQ(size.cy, pPaintManager->GetFieldHeight(&dc, FALSE));
    pPaintManager->DrawControlEdit(&dc, pEdit, TRUE);
    EXPECT_EQ(dc.GetPixel(30, 11), pPaintManager->GetEditFieldBackColor(pEdit));
    EXPECT_EQ(dc.GetPixel(110, 11), RGB(1, 2, 3)); // nothing outside the control
    dc.SelectObject(pOld);
    pEdit->InternalRelease();
}
