// Keyboard tips: the keys the tips get (pure rules), where a tip goes, and the tips a manager shows
// over real bars on a frame (their windows, translucency, typing over them, hiding).
#include "ManagerTestSupport.h"

#include "framework/DC.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "tests/common/MessagePump.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace mgr_test;
using qvx_test::PumpMessages;

namespace
{
// Tips as plain objects: a caption each, an empty caption with a key given as "=KEY".
std::vector<std::string> AssignKeys(const std::vector<std::string>& captions, const char* pszPreset = nullptr)
{
    CXTPKeyboardTipArray tips;
    for (const std::string& caption : captions)
    {
        const bool bExplicit = caption.size() > 1 && caption[0] == '=';
        CXTPCommandBarKeyboardTip* pTip = new CXTPCommandBarKeyboardTip(
            nullptr, nullptr, bExplicit ? "" : caption.c_str(), CPoint(0, 0), 0, TRUE);
        if (bExplicit)
            pTip->m_strTip = caption.c_str() + 1;
        tips.Add(pTip);
    }
    if (pszPreset && tips.GetSize() > 0)
        tips[0]->m_strPrefix = pszPreset;
    XTPAssignKeyboardTipKeys(tips);
    std::vector<std::string> keys;
    for (INT_PTR i = 0; i < tips.GetSize(); ++i)
    {
        keys.push_back(static_cast<LPCSTR>(tips[i]->m_strTip));
        delete tips[i];
    }
    return keys;
}
} // namespace

TEST(KeyboardTipKeys, Table)
{
    struct Case
    {
        std::vector<std::string> captions;
        std::vector<std::string> keys;
        const char* what;
    } cases[] = {
        {{"File", "Format"}, {"FI", "FO"}, "same first letter: the next unused letter of each"},
        {{"File", "Edit", "View"}, {"F", "E", "V"}, "distinct letters stay single"},
        {{"&Edit", "Save &As"}, {"E", "A"}, "the access key counts"},
        {{"Print Preview", "Paste"}, {"PP", "PA"}, "a letter after a space first"},
        {{"file", "view"}, {"F", "V"}, "upper case"},
        {{"A", "A", "A"}, {"A1", "A2", "A3"}, "no letter left: digits"},
        {{"Save", "", "Edit"}, {"S", "E"}, "a tip without caption and key is dropped"},
        {{"=ZZ", "Zoom"}, {"ZZ", "ZO"}, "a key of its own stays and is taken as used"},
        {{"A&&B", "Copy"}, {"A", "C"}, "a doubled ampersand is no access key"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.keys, AssignKeys(c.captions)) << c.what;
    EXPECT_EQ((std::vector<std::string>{"Q", "E"}), AssignKeys({"Edit", "Exit"}, "Q")) << "a preset key is used";
}

TEST(KeyboardTipKeys, ElevenCollidingCaptionsGetDistinctKeys)
{
    const std::vector<std::string> keys = AssignKeys(std::vector<std::string>(11, "X"));
    ASSERT_EQ(11u, keys.size());
    EXPECT_EQ(11u, std::set<std::string>(keys.begin(), keys.end()).size());
    EXPECT_EQ("X1", keys[0]);
    EXPECT_EQ("X9", keys[8]);
    for (const std::string& key : keys)
        EXPECT_EQ(2u, key.size()) << key;
}

TEST(KeyboardTipKeys, Placement)
{
    struct Case
    {
        CSize text;
        int nAlign;
        BOOL bRtl;
        CRect expected;
        const char* what;
    } cases[] = {
        {CSize(20, 14), 0, FALSE, CRect(100, 50, 126, 66), "text + 6 by text + 2 at the anchor"},
        {CSize(4, 8), 0, FALSE, CRect(100, 50, 116, 65), "at least 16 by 15"},
        {CSize(20, 14), xtpKeyboardTipAlignCenterX, FALSE, CRect(87, 50, 113, 66), "centred across"},
        {CSize(20, 14), xtpKeyboardTipAlignRight, FALSE, CRect(74, 50, 100, 66), "right edge at the anchor"},
        {CSize(20, 14), 0, TRUE, CRect(74, 50, 100, 66), "right to left"},
        {CSize(20, 14), xtpKeyboardTipAlignCenterY, FALSE, CRect(100, 42, 126, 58), "centred down"},
        {CSize(20, 14), xtpKeyboardTipAlignBottom, FALSE, CRect(100, 34, 126, 50), "bottom at the anchor"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, XTPKeyboardTipRect(CPoint(100, 50), c.text, c.nAlign, c.bRtl)) << c.what;
}

namespace
{
class KeyboardTips : public ManagerOnFrame
{
protected:
    void SetUp() override
    {
        ManagerOnFrame::SetUp();
        bars->GetCommandBarsOptions()->bKeyboardTipsEnabled = TRUE;
        pBar = AddBar(1, 0);
        pBar->SetTitle("Standard");
        pBar->AddButton(101, "File");
        pBar->AddButton(102, "Format");
        pDisabled = pBar->AddButton(103, "Edit");
        pDisabled->SetEnabled(FALSE);
        pOther = AddBar(2, 40);
        pOther->SetTitle("Web");
        pOther->AddButton(201, "Go");
    }
    void TearDown() override
    {
        bars->HideKeyboardTips();
        XTPMouseManager()->SendTrackLostAll();
        ManagerOnFrame::TearDown();
    }
    CXTPCommandBarKeyboardTip* FindTip(const char* key) const
    {
        CXTPKeyboardTipArray& tips = bars->GetKeyboardTips();
        for (INT_PTR i = 0; i < tips.GetSize(); ++i)
        {
            if (tips[i]->m_strTip == key)
                return tips[i];
        }
        return nullptr;
    }
    static int KeyDown(CXTPCommandBar* pBar, UINT nKey)
    {
        WPARAM wParam = nKey;
        LPARAM lParam = 1;
        LRESULT lResult = 0;
        return pBar->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, lResult);
    }

    RowBar* pBar = nullptr;
    RowBar* pOther = nullptr;
    CXTPControl* pDisabled = nullptr;
};
} // namespace

TEST_F(KeyboardTips, ShownOverTheControlsAndTheOtherBars)
{
    bars->ShowKeyboardTips(pBar, 1);
    EXPECT_EQ(1, pBar->GetKeyboardTipsLevel());
    ASSERT_EQ(4, bars->GetKeyboardTips().GetSize()) << "three controls and the other bar";

    CXTPCommandBarKeyboardTip* pFile = FindTip("FI");
    CXTPCommandBarKeyboardTip* pFormat = FindTip("FO");
    CXTPCommandBarKeyboardTip* pEdit = FindTip("E");
    CXTPCommandBarKeyboardTip* pWeb = FindTip("W");
    ASSERT_TRUE(pFile && pFormat && pEdit && pWeb);
    EXPECT_EQ(pBar->GetControls()->GetAt(1), pFormat->GetControl());
    EXPECT_EQ(pOther, pWeb->GetCommandBar());

    // Measured with the tip font, anchored at (left + 12, bottom - 11) of the control on the screen.
    CSize szText;
    {
        CClientDC dc(pBar);
        CFont* pOld = dc.SelectObject(bars->GetPaintManager()->GetKeyboardTipFont());
        szText = dc.GetTextExtent(CString("FO"));
        dc.SelectObject(pOld);
    }
    CPoint ptAnchor(60 + 12, 22 - 11);
    ::ClientToScreen(pBar->GetSafeHwnd(), &ptAnchor);
    CRect rcTip;
    ::GetWindowRect(pFormat->GetSafeHwnd(), &rcTip);
    EXPECT_EQ(XTPKeyboardTipRect(ptAnchor, szText, 0, FALSE), rcTip);
    EXPECT_TRUE(::IsWindowVisible(pFormat->GetSafeHwnd()));
    // Owned by the bar, which Windows takes as its top-level window (a child owns nothing).
    EXPECT_EQ(::GetAncestor(pBar->GetSafeHwnd(), GA_ROOT), ::GetWindow(pFormat->GetSafeHwnd(), GW_OWNER));
    EXPECT_TRUE(::GetWindowLongA(pFormat->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    // The other bar's tip sits at its top-left corner.
    CRect rcOther, rcWeb;
    ::GetWindowRect(pOther->GetSafeHwnd(), &rcOther);
    ::GetWindowRect(pWeb->GetSafeHwnd(), &rcWeb);
    EXPECT_EQ(rcOther.TopLeft(), rcWeb.TopLeft());

    // The disabled control's tip is translucent; the others are not layered.
    EXPECT_FALSE(::GetWindowLongA(pFile->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    ASSERT_TRUE(::GetWindowLongA(pEdit->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE nAlpha = 0;
    DWORD dwFlags = 0;
    COLORREF clrKey = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(pEdit->GetSafeHwnd(), &clrKey, &nAlpha, &dwFlags));
    EXPECT_EQ(150, nAlpha);
    EXPECT_TRUE(dwFlags & LWA_ALPHA);

    // Hiding destroys the windows and empties the list.
    const HWND hWndFile = pFile->GetSafeHwnd();
    bars->HideKeyboardTips();
    EXPECT_FALSE(::IsWindow(hWndFile));
    EXPECT_EQ(0, bars->GetKeyboardTips().GetSize());
    EXPECT_EQ(0, pBar->GetKeyboardTipsLevel());
}

TEST_F(KeyboardTips, NothingWithTheOptionOffOrWithoutAWindow)
{
    bars->GetCommandBarsOptions()->bKeyboardTipsEnabled = FALSE;
    bars->ShowKeyboardTips(pBar, 1);
    EXPECT_EQ(0, bars->GetKeyboardTips().GetSize());
    EXPECT_FALSE(bars->IsKeyboardTipsShown());

    bars->GetCommandBarsOptions()->bKeyboardTipsEnabled = TRUE;
    RowBar unmade;
    bars->ShowKeyboardTips(&unmade, 1);
    EXPECT_EQ(0, bars->GetKeyboardTips().GetSize());
}

TEST_F(KeyboardTips, TypingTheKeysExecutesTheControl)
{
    pBar->SetTrackingMode(TRUE, FALSE, TRUE);
    bars->ShowKeyboardTips(pBar, 1);
    ASSERT_TRUE(FindTip("FO"));
    const HWND hWndEdit = FindTip("E")->GetSafeHwnd();
    EXPECT_EQ(1, KeyDown(pBar, 'F'));
    EXPECT_FALSE(::IsWindowVisible(hWndEdit)) << "Edit's tip is ruled out by F";
    EXPECT_EQ(0, frame.Count(WM_COMMAND));
    EXPECT_EQ(1, KeyDown(pBar, 'O'));
    PumpMessages();
    ASSERT_EQ(1, frame.Count(WM_COMMAND));
    EXPECT_EQ(102u, LOWORD(frame.Last(WM_COMMAND)->wParam)) << "FO chose Format";
    EXPECT_EQ(0, bars->GetKeyboardTips().GetSize());
}

TEST_F(KeyboardTips, ActivatingABarByKeyboardShowsItsTips)
{
    ASSERT_TRUE(bars->ActivateBarByKeyboard(pBar, 0));
    EXPECT_EQ(0, bars->GetKeyboardTips().GetSize()) << "the tips come once the queued messages are handled";
    PumpMessages();
    EXPECT_EQ(pBar, bars->GetKeyboardTipsOwner());
    EXPECT_EQ(4, bars->GetKeyboardTips().GetSize());

    // Without the option, activation shows none.
    XTPMouseManager()->SendTrackLostAll();
    bars->HideKeyboardTips();
    bars->GetCommandBarsOptions()->bKeyboardTipsEnabled = FALSE;
    ASSERT_TRUE(bars->ActivateBarByKeyboard(pBar, 0));
    PumpMessages();
    EXPECT_EQ(0, bars->GetKeyboardTips().GetSize());
}
