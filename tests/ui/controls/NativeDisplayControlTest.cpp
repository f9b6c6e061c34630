// The native display control as a host of command bars: the manager it makes (site, dock bars,
// replacement and release), the tool bar at its top edge (flags, gripper, caption, draw rectangle), the
// tool bar's pictures in the image manager's states, the idle update, the manager's view of the
// control's messages and the key rule for an edit box on a command bar. Real windows.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/common/MessagePump.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "ui/UiResourceIds.h"
#include "ui/controls/NativeDisplayControl.h"

using qvx_test::PumpMessages;

namespace
{
// A manager that counts its instances, to see the control release it.
int g_liveManagers = 0;
class CCountedCommandBars : public CXTPCommandBars
{
    DECLARE_DYNCREATE(CCountedCommandBars)

public:
    CCountedCommandBars() { ++g_liveManagers; }
    ~CCountedCommandBars() override { --g_liveManagers; }
};
IMPLEMENT_DYNCREATE(CCountedCommandBars, CXTPCommandBars)

class COwner : public CNativeDisplayOwner
{
public:
    int QueryOwner() override { return 7; }
    void OnCommandBarsCreated(CXTPCommandBars* commandBars) override { told = commandBars; }
    CXTPCommandBars* told = nullptr;
};

class NativeDisplayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RECT rect = {40, 40, 440, 300};
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "display test", WS_POPUP | WS_VISIBLE, rect,
                                      nullptr, 0));
        m_display = new CNativeDisplayControl;
        m_display->SetOwnerObject(&m_owner);
        ASSERT_TRUE(m_display->Create(&m_parent));
        m_display->FitToParent();
    }
    void TearDown() override
    {
        delete m_display;
        m_parent.DestroyWindow();
    }
    bool MakeToolBar()
    {
        return m_display->CreateToolBar(IDS_TOOLBAR_TITLE, IDR_QUORVEX_TOOLBAR, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_HOT,
                                        IDB_TOOLBAR_DISABLED, xtpBarTop, 20);
    }
    CXTPControl* ToolBarControl(UINT id)
    {
        return m_display->GetToolBar()->GetControls()->FindControl(0, static_cast<int>(id), FALSE, TRUE);
    }

    CWnd m_parent;
    COwner m_owner;
    CNativeDisplayControl* m_display = nullptr;
};

TEST_F(NativeDisplayTest, CommandBarsAreMadeOnTheControlReplacedAndReleased)
{
    CNativeDisplayControl windowless;
    EXPECT_EQ(windowless.CreateCommandBars(nullptr), 0) << "no site without a window";
    EXPECT_EQ(m_display->CreateCommandBars(RUNTIME_CLASS(CWnd)), 0) << "a class that makes no manager";
    EXPECT_EQ(m_display->GetCommandBars(), nullptr);

    ASSERT_EQ(m_display->CreateCommandBars(RUNTIME_CLASS(CCountedCommandBars)), 1);
    CXTPCommandBars* first = m_display->GetCommandBars();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetSite(), m_display);
    for (int side = 0; side < 4; ++side)
        EXPECT_NE(first->GetDockBar(side), nullptr) << side;
    EXPECT_EQ(g_liveManagers, 1);
    ASSERT_EQ(m_display->CreateCommandBars(RUNTIME_CLASS(CCountedCommandBars)), 1);
    EXPECT_EQ(g_liveManagers, 1) << "the first manager is released when replaced";
    delete m_display;
    m_display = nullptr;
    EXPECT_EQ(g_liveManagers, 0) << "and the second with the control";
}

TEST_F(NativeDisplayTest, ToolBarAtTheTopWithItsFlagsCaptionsAndDrawRectangle)
{
    RECT client, draw;
    m_display->GetClientRect(&client);
    m_display->GetDrawRect(&draw);
    EXPECT_TRUE(::EqualRect(&client, &draw)) << "no tool bar yet";

    ASSERT_TRUE(MakeToolBar());
    CXTPCommandBar* bar = m_display->GetToolBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(m_owner.told, m_display->GetCommandBars());
    EXPECT_EQ(std::string(bar->GetTitle()), "Quorvex Toolbar");
    EXPECT_EQ(bar->GetFlags(), 97u);
    EXPECT_FALSE(bar->HasGripper());
    EXPECT_FALSE(bar->IsCustomizable());
    EXPECT_EQ(m_display->GetCommandBars()->GetCommandBarsOptions()->szIcons, CSize(20, 20));

    ASSERT_NE(ToolBarControl(ID_RUN_ALL), nullptr);
    EXPECT_TRUE(m_display->SetToolBarCaption(ID_RUN_ALL));
    EXPECT_EQ(std::string(ToolBarControl(ID_RUN_ALL)->GetCaption()), "Run All Tests");
    EXPECT_FALSE(m_display->SetToolBarCaption(12345)) << "no control with that command";

    m_display->FitToParent();
    PumpMessages();
    RECT barRect;
    ASSERT_TRUE(::IsWindowVisible(bar->GetSafeHwnd()));
    ::GetWindowRect(bar->GetSafeHwnd(), &barRect);
    ASSERT_GT(barRect.bottom - barRect.top, 0);
    m_display->GetClientRect(&client);
    m_display->GetDrawRect(&draw);
    EXPECT_EQ(draw.top, client.top + (barRect.bottom - barRect.top));
    EXPECT_EQ(draw.bottom, client.bottom);

    bar->ShowWindow(SW_HIDE);
    m_display->GetDrawRect(&draw);
    EXPECT_TRUE(::EqualRect(&client, &draw)) << "a hidden tool bar takes no room";
}

// The hot and disabled bitmaps land in the image manager's hot (2) and disabled (1) states.
TEST_F(NativeDisplayTest, ToolBarPicturesGoToTheImageManagerStatesByKind)
{
    CNativeDisplayControl bare;
    EXPECT_FALSE(bare.LoadToolBarImages(IDR_QUORVEX_TOOLBAR, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_HOT,
                                        IDB_TOOLBAR_DISABLED, 20))
        << "only with a manager";
    ASSERT_TRUE(MakeToolBar());
    CXTPImageManagerIcon* icon = XTPImageManager()->GetImage(ID_RUN_ALL, 20);
    ASSERT_NE(icon, nullptr);
    // Each state's picture is drawn next to the matching image list's cell (ID_RUN_ALL is the
    // second button) and compared pixel by pixel.
    struct Case
    {
        int state;
        CImageList* list;
    } cases[] = {{xtpImageNormal, m_display->GetImageList()},
                 {xtpImageHot, m_display->GetHotImageList()},
                 {xtpImageDisabled, m_display->GetDisabledImageList()}};
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 40, 20);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    for (const Case& c : cases)
    {
        RECT all = {0, 0, 40, 20};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        CXTPImageHandle& handle = icon->GetImageByState(c.state);
        ASSERT_FALSE(handle.IsEmpty()) << c.state;
        icon->Draw(CDC::FromHandle(dc), 0, 0, handle, 20, 20);
        ::ImageList_Draw(c.list->GetSafeHandle(), 1, dc, 20, 0, ILD_TRANSPARENT);
        int differing = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                differing += ::GetPixel(dc, x, y) != ::GetPixel(dc, 20 + x, y) ? 1 : 0;
        EXPECT_EQ(differing, 0) << "state " << c.state;
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
}

TEST_F(NativeDisplayTest, IdleUpdateDisablesCommandsNobodyHandles)
{
    ASSERT_TRUE(MakeToolBar());
    CXTPControl* run = ToolBarControl(ID_RUN_ALL);
    ASSERT_NE(run, nullptr);
    EXPECT_TRUE(run->GetEnabled());
    m_display->SendMessage(0x036A /* WM_KICKIDLE */, 0, 0);
    EXPECT_FALSE(run->GetEnabled()) << "the control has no handler for the command";
}

TEST_F(NativeDisplayTest, CancelModeSentToTheControlEndsTheBarsTracking)
{
    ASSERT_TRUE(MakeToolBar());
    CXTPCommandBar* bar = m_display->GetToolBar();
    bar->SetTrackingMode(TRUE, FALSE, FALSE);
    ASSERT_TRUE(bar->IsTrackingMode());
    m_display->SendMessage(WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(bar->IsTrackingMode());
}

// Tab (and Enter, Escape) keep the control's rules while an edit box on a command bar has the focus;
// other keys are left to the box untranslated.
TEST_F(NativeDisplayTest, KeysForACommandBarEditBoxPassUntranslatedTabExcepted)
{
    ASSERT_TRUE(m_display->CreateCommandBars(nullptr));
    CXTPCommandBarEditCtrl barEdit;
    ASSERT_TRUE(barEdit.Create(WS_CHILD | WS_VISIBLE, m_display));
    barEdit.MoveWindow(0, 0, 80, 20);
    CEdit plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 80, 50), m_display, 301));
    m_display->AddTabChild(&barEdit);
    m_display->AddTabChild(&plain);
    barEdit.SetFocus();
    ASSERT_EQ(::GetFocus(), barEdit.m_hWnd);
    MSG key = {barEdit.m_hWnd, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(m_display->PreTranslateMessage(&key));
    EXPECT_EQ(::GetFocus(), barEdit.m_hWnd);
    MSG tab = {barEdit.m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    m_display->PreTranslateMessage(&tab);
    EXPECT_EQ(::GetFocus(), plain.m_hWnd) << "Tab still moves among the registered children";
    m_display->RemoveAllTabChildren();
}
} // namespace
