// The small fixed control kinds (labels, bitmaps, mark-up labels, check boxes, radio buttons) and the
// list of open windows: numbered captions, the kinds the type table makes, the space key on a check
// box, and the window list on an MDI frame.
#include "ManagerTestSupport.h"
#include "MenuBarTestSupport.h"

#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/controls/XTPControlCheckBox.h"
#include "toolkit/commandbars/controls/XTPControlHyperlink.h"
#include "toolkit/commandbars/controls/XTPControlSelector.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "framework/DC.h"
#include "tests/common/MemorySurface.h"
#include "tests/common/ScratchFolder.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"
#include "toolkit/commandbars/controls/XTPControlLabel.h"
#include "toolkit/commandbars/controls/XTPControlToolbars.h"
#include "toolkit/commandbars/controls/XTPControlWindowList.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "tests/common/MessagePump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mgr_test;

TEST(NumberedCaptions, Table)
{
    struct Case
    {
        const char* text;
        int nNumber;
        UINT nCodePage;
        const char* expected;
    } cases[] = {
        {"Doc", 0, 1252, "Doc"},
        {"Doc", -3, 1252, "Doc"},
        {"Doc", 1, 1252, "&1 Doc"},
        {"Doc", 9, 1252, "&9 Doc"},
        {"Doc", 10, 1252, "1&0 Doc"},
        {"Doc", 11, 1252, "11 Doc"},
        {"A&B", 1, 1252, "&1 A&&B"},
        {"&&", 0, 1252, "&&&&"},
        {"", 2, 1252, "&2 "},
        {nullptr, 0, 1252, ""},
        // Double-byte text: a character is copied whole, also when its trail byte is '&'-like; a
        // lead byte at the very end is dropped, never read past.
        {"\x82\xA0&", 0, 932, "\x82\xA0&&"},
        {"ab\x82", 0, 932, "ab"},
        {"\x82", 3, 932, "&3 "},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(std::string(c.expected), std::string(FormatNumberedCaption(c.text, c.nNumber, c.nCodePage).GetString()))
            << (c.text ? c.text : "(null)") << " " << c.nNumber;
    }
}

TEST(SimpleKinds, TheTypeTableMakesEachKindAndClonesKeepIt)
{
    struct Case
    {
        int nType;
        int nId;
        CRuntimeClass* pClass;
        int nFlags; // -1: not checked
    } cases[] = {
        {xtpControlLabel, 100, RUNTIME_CLASS(CXTPControlLabel), 26},
        {xtpControlCheckBox, 101, RUNTIME_CLASS(CXTPControlCheckBox), -1},
        {xtpControlRadioButton, 102, RUNTIME_CLASS(CXTPControlRadioButton), -1},
        {xtpControlButton, ID_TK_WINDOW_LIST, RUNTIME_CLASS(CXTPControlWindowList), -1},
        {xtpControlButton, XTP_ID_TOOLBARLIST, RUNTIME_CLASS(CXTPControlToolbars), -1},
        {xtpControlButton, 103, RUNTIME_CLASS(CXTPControlButton), -1},
    };
    CXTPControls* pControls = new CXTPControls();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pClass->m_lpszClassName);
        CXTPControl* pControl = pControls->AddByType(c.nType, c.nId);
        ASSERT_NE(nullptr, pControl);
        EXPECT_EQ(c.pClass, pControl->GetRuntimeClass());
        EXPECT_EQ(c.nType, pControl->GetType());
        if (c.nFlags >= 0)
            EXPECT_EQ(c.nFlags, pControl->GetFlags());
        CXTPControl* pClone = pControl->Clone();
        ASSERT_NE(nullptr, pClone);
        EXPECT_EQ(c.pClass, pClone->GetRuntimeClass());
        pClone->InternalRelease();
    }
    // The label kinds made by the application share the label's flags.
    CXTPControlBitmap bitmap;
    CXTPControlMarkupLabel markup;
    EXPECT_EQ(26, bitmap.GetFlags());
    EXPECT_EQ(xtpControlLabel, markup.GetType());
    pControls->InternalRelease();
}

TEST(SimpleKinds, ABitmapTakesItsLargestIconsSize)
{
    CXTPControlBitmap bitmap;
    bitmap.SetID(4321);
    bitmap.SetIconId(4321);
    EXPECT_EQ(CSize(0, 0), bitmap.GetSize(nullptr)) << "no icon";

    // Ids of this test only: the global image manager keeps them.
    CXTPImageManager* pImageManager = ::GetImageManager();
    HBITMAP hBitmap = ::CreateBitmap(48, 32, 1, 32, nullptr);
    const UINT ids[] = {4321, 4322};
    ASSERT_TRUE(pImageManager->SetIconsFromBitmap(hBitmap, ids, 2, 24, 32));
    HBITMAP hSmall = ::CreateBitmap(16, 16, 1, 32, nullptr);
    ASSERT_TRUE(pImageManager->SetIconsFromBitmap(hSmall, ids, 1, 16, 16));
    EXPECT_EQ(CSize(24, 32), bitmap.GetSize(nullptr)) << "the largest of 16 x 16 and 24 x 32";
    ::DeleteObject(hBitmap);
    ::DeleteObject(hSmall);
}

TEST(SimpleKinds, AMarkupLabelWithoutAnEngineIsAPlainLabel)
{
    CXTPControlMarkupLabel label;
    label.SetCaption("<TextBlock>Hello</TextBlock>");
    EXPECT_EQ(nullptr, label.GetMarkupElement()) << "no engine is installed here: the plain path";
    EXPECT_EQ(CString("<TextBlock>Hello</TextBlock>"), label.GetCaption());
}

namespace
{
class SpaceOnBar : public ManagerOnFrame
{
};
} // namespace

TEST_F(SpaceOnBar, SpaceClicksACheckBoxAndARadioButtonOnly)
{
    RowBar* pBar = AddBar(1);
    struct Case
    {
        int nType;
        UINT nKey;
        int nCommands;
    } cases[] = {
        {xtpControlCheckBox, VK_SPACE, 1},
        {xtpControlRadioButton, VK_SPACE, 1},
        {xtpControlCheckBox, 'A', 0},
    };
    int nId = 700;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(nId);
        CXTPControl* pControl = pBar->GetControls()->AddByType(c.nType, ++nId);
        ASSERT_NE(nullptr, pControl);
        frame.m_log.clear();
        EXPECT_EQ(c.nCommands == 1, pControl->OnKeyDown(c.nKey, 0) != FALSE);
        qvx_test::PumpMessages();
        EXPECT_EQ(c.nCommands, frame.Count(WM_COMMAND));
        if (c.nCommands)
            EXPECT_EQ(static_cast<UINT>(nId), LOWORD(frame.Last(WM_COMMAND)->wParam));
        // The bar offers its hot control the key first.
        frame.m_log.clear();
        EXPECT_EQ(c.nCommands == 1, pControl->OnHookKeyDown(c.nKey, 0) != FALSE);
        qvx_test::PumpMessages();
        EXPECT_EQ(c.nCommands, frame.Count(WM_COMMAND));
    }
}

TEST(WindowList, ListsTheVisibleChildrenNumberedAndChecksTheActiveOne)
{
    CMDIFrameWnd frame;
    ASSERT_TRUE(menubar_test::OpenMDIFrame(frame));
    std::vector<HWND> children;
    for (int i = 0; i < 10; ++i)
    {
        const std::string title = i == 0 ? "A&B" : "Doc " + std::to_string(i + 1);
        children.push_back(menubar_test::OpenMDIChild(frame, new CMDIChildWnd(), title.c_str()));
        ASSERT_NE(nullptr, children.back());
    }
    ::SendMessageA(frame.m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[2]), 0);
    menubar_test::Pump();

    CXTPCommandBars* bars = new CXTPCommandBars();
    bars->SetSite(&frame);
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(bars);
    CXTPControls* pControls = pPopup->GetControls();
    pControls->AddByType(xtpControlButton, 500);
    CXTPControl* pList = pControls->AddByType(xtpControlButton, ID_TK_WINDOW_LIST);
    pControls->AddByType(xtpControlButton, 501);
    ASSERT_NE(nullptr, dynamic_cast<CXTPControlWindowList*>(pList));

    // Twice: the second layout replaces the first one's items.
    for (int nPass = 0; nPass < 2; ++nPass)
    {
        pList->OnCalcDynamicSize(0);
        ASSERT_EQ(2 + 1 + 9, pControls->GetCount()) << "nine windows at most";
        EXPECT_FALSE(pList->IsVisible()) << "the placeholder hides itself";
        CXTPControl* pFirst = pControls->GetAt(2);
        EXPECT_EQ(CString("&1 A&&B"), pFirst->GetCaption());
        EXPECT_TRUE(pFirst->GetBeginGroup());
        EXPECT_TRUE(pFirst->IsTemporary());
        EXPECT_EQ(CString("&2 Doc 2"), pControls->GetAt(3)->GetCaption());
        EXPECT_EQ(CString("&9 Doc 9"), pControls->GetAt(10)->GetCaption());
        EXPECT_EQ(501, pControls->GetAt(11)->GetID());
        for (int i = 0; i < 9; ++i)
        {
            CXTPControl* pItem = pControls->GetAt(2 + i);
            EXPECT_EQ(::GetDlgCtrlID(children[i]), pItem->GetID()) << i;
            EXPECT_EQ(i == 2, pItem->GetChecked() != FALSE) << i;
            EXPECT_EQ(61215, pItem->GetHelpId());
            EXPECT_FALSE(pItem->GetTooltip().IsEmpty());
        }
    }

    // In customise mode the placeholder shows itself and lists nothing.
    bars->SetCustomizeMode(TRUE);
    pList->OnCalcDynamicSize(0);
    EXPECT_EQ(3, pControls->GetCount());
    EXPECT_TRUE(pList->IsVisible());
    bars->SetCustomizeMode(FALSE);

    pPopup->InternalRelease();
    bars->InternalRelease();
    frame.DestroyWindow();
}

namespace
{
// Records what the hyperlink asks the shell to open.
class ShellRecorder : public CXTPCommandBarsSystemQuery
{
public:
    ShellRecorder() : m_pOld(SetCommandBarsSystemQuery(this)) {}
    ~ShellRecorder() override { SetCommandBarsSystemQuery(m_pOld == this ? nullptr : m_pOld); }
    INT_PTR OpenWithShell(HWND, LPCSTR lpszVerb, LPCSTR lpszFile, int nShowCmd) override
    {
        m_calls.push_back(std::string(lpszVerb) + " " + lpszFile + " " + std::to_string(nShowCmd));
        return 42;
    }
    std::vector<std::string> m_calls;

private:
    CXTPCommandBarsSystemQuery* m_pOld;
};

// Pixels of exactly a colour in a rectangle of a surface.
int CountColour(const qvx_test::CMemorySurface& surface, CRect rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += surface.Pixel(x, y) == clr;
    return n;
}
} // namespace

TEST(Hyperlink, ColoursByState)
{
    struct Case
    {
        const char* name;
        BOOL bEnabled;
        BOOL bSelected;
        COLORREF clrExpected;
        COLORREF clrAbsent;
    } cases[] = {
        {"normal: blue", TRUE, FALSE, RGB(0, 0, 255), RGB(255, 0, 0)},
        {"selected: red", TRUE, TRUE, RGB(255, 0, 0), RGB(0, 0, 255)},
        {"disabled: grey text", FALSE, FALSE, ::GetSysColor(COLOR_GRAYTEXT), RGB(0, 0, 255)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CXTPControlHyperlink link;
        link.SetCaption("Quorvex home");
        link.SetEnabled(c.bEnabled);
        link.OnSetSelected(c.bSelected);
        EXPECT_EQ(c.clrExpected, link.GetLinkColor());
        qvx_test::CMemorySurface surface(120, 30);
        surface.Clear(RGB(255, 255, 255));
        CDC dc;
        dc.Attach(surface.DC());
        const CSize sz = link.GetSize(&dc);
        EXPECT_GT(sz.cx, 20);
        EXPECT_GT(sz.cy, 5);
        link.SetRect(CRect(2, 2, 2 + sz.cx, 2 + sz.cy));
        link.Draw(&dc);
        dc.Detach();
        EXPECT_GT(CountColour(surface, link.GetRect(), c.clrExpected), 0);
        EXPECT_EQ(0, CountColour(surface, CRect(0, 0, 120, 30), c.clrAbsent));
        int nOutside = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x)
                nOutside += !link.GetRect().PtInRect(CPoint(x, y)) && surface.Pixel(x, y) != RGB(255, 255, 255);
        EXPECT_EQ(0, nOutside) << "nothing outside the link's rectangle";
    }
}

TEST(Hyperlink, ExecutingOpensTheTooltipText)
{
    ShellRecorder shell;
    CXTPControlHyperlink link;
    link.SetCaption("Home");
    link.OnExecute();
    EXPECT_TRUE(shell.m_calls.empty()) << "no address, nothing opened";
    link.SetTooltip("https://example.invalid/quorvex");
    link.OnClick(FALSE, CPoint(1, 1));
    ASSERT_EQ(1u, shell.m_calls.size());
    EXPECT_EQ("open https://example.invalid/quorvex 5", shell.m_calls[0]);
}

TEST_F(SpaceOnBar, TheHandCursorOverAnEnabledHyperlink)
{
    RowBar* pBar = AddBar(1);
    CXTPControlHyperlink* pLink = new CXTPControlHyperlink();
    pBar->GetControls()->Add(pLink, 900);
    pLink->SetCaption("Home");
    pLink->SetRect(CRect(100, 2, 160, 20));
    POINT pt = {130, 10};
    ::ClientToScreen(pBar->GetSafeHwnd(), &pt);
    POINT ptOld;
    ::GetCursorPos(&ptOld);
    ::SetCursorPos(pt.x, pt.y);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    EXPECT_TRUE(XTPSetHyperlinkCursor(pBar));
    EXPECT_EQ(pLink->GetHandCursor(), ::GetCursor());
    pLink->SetEnabled(FALSE);
    EXPECT_FALSE(XTPSetHyperlinkCursor(pBar)) << "disabled";
    pLink->SetEnabled(TRUE);
    pt = POINT{30, 10};
    ::ClientToScreen(pBar->GetSafeHwnd(), &pt);
    ::SetCursorPos(pt.x, pt.y);
    EXPECT_FALSE(XTPSetHyperlinkCursor(pBar)) << "not over the link";
    ::SetCursorPos(ptOld.x, ptOld.y);
}

TEST(Selector, SelectionByPointTable)
{
    struct Case
    {
        CPoint pt;
        CSize expected;
    } cases[] = {
        {CPoint(0, 0), CSize(0, 0)},     {CPoint(1, 1), CSize(1, 1)},     {CPoint(28, 28), CSize(1, 1)},
        {CPoint(29, 1), CSize(2, 1)},    {CPoint(57, 57), CSize(3, 3)},   {CPoint(1000, 1000), CSize(5, 4)},
        {CPoint(-5, 40), CSize(0, 0)},   {CPoint(40, -5), CSize(0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CXTPControlSelector::SelectionAt(c.pt, CSize(5, 4), CSize(28, 28)))
            << c.pt.x << "," << c.pt.y;
}

TEST_F(SpaceOnBar, SelectorSelectsNotifiesGrowsAndExecutes)
{
    RowBar* pBar = AddBar(1);
    CXTPControlSelector* pSelector = new CXTPControlSelector();
    pBar->GetControls()->Add(pSelector, 910);
    EXPECT_EQ(CSize(140, 112), pSelector->GetSize(nullptr)) << "5 x 4 cells of 28";
    pSelector->SetRect(CRect(10, 0, 150, 112));
    frame.m_log.clear();

    pSelector->OnMouseMove(CPoint(10 + 40, 30));
    EXPECT_EQ(CSize(2, 2), pSelector->GetSelectedSize());
    pSelector->OnMouseMove(CPoint(10 + 45, 35));
    EXPECT_EQ(1, frame.Count(0x2862)) << "one notification per change";
    pSelector->OnMouseMove(CPoint(10 + 60, 35));
    EXPECT_EQ(2, frame.Count(0x2862));

    // Released with nothing selected: no command.
    pSelector->OnMouseMove(CPoint(5, 5));
    EXPECT_EQ(CSize(0, 0), pSelector->GetSelectedSize());
    pSelector->OnLButtonUp(CPoint(5, 5));
    qvx_test::PumpMessages();
    EXPECT_EQ(0, frame.Count(WM_COMMAND));

    // Held beyond the right edge with the last column selected: the grid grows toward the pointer.
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE oldButton = keys[VK_LBUTTON];
    keys[VK_LBUTTON] = 0x80;
    ::SetKeyboardState(keys);
    pSelector->OnMouseMove(CPoint(10 + 139, 50));
    EXPECT_EQ(CSize(5, 2), pSelector->GetSelectedSize());
    pSelector->OnMouseMove(CPoint(10 + 200, 50));
    EXPECT_EQ(8, pSelector->GetGridSize().cx) << "200 / 28 + 1 columns";
    EXPECT_EQ(CSize(8, 2), pSelector->GetSelectedSize());
    pSelector->OnMouseMove(CPoint(10 + 2000, 50));
    EXPECT_EQ(12, pSelector->GetGridSize().cx) << "never past the maximum";
    keys[VK_LBUTTON] = oldButton;
    ::SetKeyboardState(keys);

    pSelector->OnLButtonUp(CPoint(10 + 2000, 50));
    qvx_test::PumpMessages();
    EXPECT_EQ(1, frame.Count(WM_COMMAND));
    EXPECT_EQ(CSize(12, 2), pSelector->GetLastSelectedSize());

    // The next layout clears the selection and shows the default grid again.
    pSelector->OnCalcDynamicSize(0);
    EXPECT_EQ(CSize(0, 0), pSelector->GetSelectedSize());
    EXPECT_EQ(CSize(5, 4), pSelector->GetGridSize());
}

TEST(Selector, GridSizesRoundTripAndStoredNonsenseIsKeptSane)
{
    CScratchFolder folder("qvx_selector");
    const std::string file = folder.Path() + "\\selector.ini";
    CXTPControlSelector stored;
    stored.SetID(77);
    stored.SetItemsCount(CSize(6, 3));
    stored.SetItemsMax(CSize(10, 9));
    stored.SetItemSize(CSize(20, 18));
    {
        CXTPPropExchangeIniFile px(FALSE, nullptr, "Selector");
        px.AssignFile(file.c_str());
        stored.DoPropExchange(&px);
    }
    CXTPControlSelector loaded;
    {
        CXTPPropExchangeIniFile px(TRUE, nullptr, "Selector");
        px.AssignFile(file.c_str());
        loaded.DoPropExchange(&px);
    }
    EXPECT_EQ(CSize(6, 3), loaded.GetGridSize());
    EXPECT_EQ(CSize(120, 54), loaded.GetSize(nullptr)) << "6 x 3 cells of 20 x 18";

    // A damaged file: no zero or negative cells, the default within the maximum.
    ::WritePrivateProfileStringA("Selector", "ItemsMax", "-3 4", file.c_str());
    ::WritePrivateProfileStringA("Selector", "ItemSize", "0 0", file.c_str());
    CXTPControlSelector damaged;
    {
        CXTPPropExchangeIniFile px(TRUE, nullptr, "Selector");
        px.AssignFile(file.c_str());
        damaged.DoPropExchange(&px);
    }
    const CSize szGrid = damaged.GetGridSize();
    EXPECT_GE(szGrid.cx, 1);
    EXPECT_GE(szGrid.cy, 1);
    EXPECT_GT(damaged.GetSize(nullptr).cx, 0);
}
