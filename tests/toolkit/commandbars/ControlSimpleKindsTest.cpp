// The small fixed control kinds (labels, bitmaps, mark-up labels, check boxes, radio buttons) and the
// list of open windows: numbered captions, the kinds the type table makes, the space key on a check
// box, and the window list on an MDI frame.
#include "ManagerTestSupport.h"
#include "MenuBarTestSupport.h"

#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/controls/XTPControlCheckBox.h"
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
