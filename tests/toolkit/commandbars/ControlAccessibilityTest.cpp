// Accessibility of controls on a real bar window: screen location, hit test, selection, the
// parent bar and the children, the default action, and the child-id check.
#include "CommandBarsTestSupport.h"
#include "TestBar.h"

#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"

#include <gtest/gtest.h>

using cb_test::RecordingWindow;
using cb_test::TestBar;

namespace
{
VARIANT Child(LONG id)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// A button that stands for a control with a command bar of its own (a popup kind).
class ButtonWithBar : public CXTPControlButton
{
public:
    CXTPCommandBar* GetCommandBar() const override { return m_pBar; }
    CXTPCommandBar* m_pBar = nullptr;
};

// A bar on screen at (200, 150), 300 x 30, with three buttons laid out in a row; the third
// reaches past the bar's right edge.
struct BarOnScreen
{
    BarOnScreen()
    {
        bar.SetOwnerWindow(owner.Handle());
        bar.CreateAt(RECT{200, 150, 500, 180});
        const CRect rects[] = {CRect(2, 2, 25, 24), CRect(25, 2, 80, 24), CRect(280, 2, 330, 24)};
        for (int i = 0; i < 3; ++i)
        {
            p[i] = bar.GetControls()->Add(new CXTPControlButton(), 100 + i);
            p[i]->SetRect(rects[i]);
        }
        ::GetWindowRect(bar.GetSafeHwnd(), &rcWindow);
    }
    ~BarOnScreen()
    {
        bar.SetTrackingMode(FALSE);
        bar.GetControls()->RemoveAll();
        bar.DestroyWindow();
    }
    RecordingWindow owner;
    TestBar bar;
    CXTPControl* p[3] = {};
    RECT rcWindow = {};
};
} // namespace

TEST(ControlAccessibility, LocationIsTheRectangleOnTheScreen)
{
    BarOnScreen s;
    for (CXTPControl* pControl : s.p)
    {
        long x = -1, y = -1, cx = -1, cy = -1;
        ASSERT_EQ(pControl->GetAccessibleObject()->accLocation(&x, &y, &cx, &cy, Child(CHILDID_SELF)), S_OK);
        CRect rc = pControl->GetRect();
        EXPECT_EQ(x, s.rcWindow.left + rc.left);
        EXPECT_EQ(y, s.rcWindow.top + rc.top);
        EXPECT_EQ(cx, rc.Width());
        EXPECT_EQ(cy, rc.Height());
    }
    // A control whose bar has no window has no place on the screen.
    CXTPControlButton* pLoose = new CXTPControlButton();
    pLoose->SetRect(CRect(1, 2, 3, 4));
    long x = -1, y = -1, cx = -1, cy = -1;
    EXPECT_EQ(pLoose->GetAccessibleObject()->accLocation(&x, &y, &cx, &cy, Child(CHILDID_SELF)), S_FALSE);
    EXPECT_EQ(cx, 0);
    pLoose->InternalRelease();
}

TEST(ControlAccessibility, HitTestTable)
{
    BarOnScreen s;
    struct Case
    {
        int x, y;     // relative to the bar window
        int nControl; // the control that answers, -1 none
    };
    const Case cases[] = {
        {2, 2, 0},    {24, 23, 0},  {25, 2, 1},  {79, 10, 1}, {80, 10, -1}, // right edge is outside
        {150, 10, -1},                                                       // between controls
        {285, 10, 2},                                                        // third, inside the window
        {310, 10, -1},                                                       // third, beyond the window
        {10, 26, -1},                                                        // below the row
        {-5, 10, -1},                                                        // left of the window
    };
    for (const Case& c : cases)
    {
        for (int i = 0; i < 3; ++i)
        {
            VARIANT v;
            VariantInit(&v);
            HRESULT hr = s.p[i]->GetAccessibleObject()->accHitTest(s.rcWindow.left + c.x, s.rcWindow.top + c.y, &v);
            if (i == c.nControl)
            {
                EXPECT_EQ(hr, S_OK) << "point " << c.x << "," << c.y << " control " << i;
                EXPECT_EQ(v.vt, VT_I4);
                EXPECT_EQ(v.lVal, CHILDID_SELF);
            }
            else
            {
                EXPECT_EQ(hr, S_FALSE) << "point " << c.x << "," << c.y << " control " << i;
                EXPECT_EQ(v.vt, VT_EMPTY);
            }
        }
    }
}

TEST(ControlAccessibility, SelectPutsTheBarIntoKeyboardTracking)
{
    BarOnScreen s;
    ASSERT_FALSE(s.bar.IsTrackingMode());
    EXPECT_EQ(s.p[1]->GetAccessibleObject()->accSelect(SELFLAG_TAKEFOCUS, Child(CHILDID_SELF)), S_OK);
    EXPECT_TRUE(s.bar.IsTrackingMode());
    EXPECT_EQ(s.bar.GetSelected(), 1);
    EXPECT_EQ(s.p[2]->GetAccessibleObject()->accSelect(SELFLAG_TAKEFOCUS, Child(CHILDID_SELF)), S_OK);
    EXPECT_EQ(s.bar.GetSelected(), 2);
    EXPECT_EQ(s.p[0]->GetAccessibleObject()->accSelect(SELFLAG_TAKEFOCUS, Child(3)), E_INVALIDARG);
    EXPECT_EQ(s.bar.GetSelected(), 2);
}

TEST(ControlAccessibility, ParentIsTheBarAndChildrenOnlyTheCommandBar)
{
    BarOnScreen s;
    IDispatch* pParent = nullptr;
    ASSERT_EQ(s.p[0]->GetAccessibleObject()->get_accParent(&pParent), S_OK);
    EXPECT_EQ(pParent, static_cast<IDispatch*>(s.bar.GetAccessibleObject()));
    pParent->Release();

    long nCount = -1;
    ASSERT_EQ(s.p[0]->GetAccessibleObject()->get_accChildCount(&nCount), S_OK);
    EXPECT_EQ(nCount, 0);
    IDispatch* pChild = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(s.p[0]->GetAccessibleObject()->get_accChild(Child(1), &pChild), E_INVALIDARG);
    EXPECT_EQ(pChild, nullptr);

    TestBar popupBar;
    ButtonWithBar* pPopup = new ButtonWithBar();
    pPopup->m_pBar = &popupBar;
    s.bar.GetControls()->Add(pPopup, 300);
    ASSERT_EQ(pPopup->GetAccessibleObject()->get_accChildCount(&nCount), S_OK);
    EXPECT_EQ(nCount, 1);
    ASSERT_EQ(pPopup->GetAccessibleObject()->get_accChild(Child(1), &pChild), S_OK);
    EXPECT_EQ(pChild, static_cast<IDispatch*>(popupBar.GetAccessibleObject()));
    pChild->Release();
    EXPECT_EQ(pPopup->GetAccessibleObject()->get_accChild(Child(2), &pChild), E_INVALIDARG);
    VARIANT v;
    VariantInit(&v);
    ASSERT_EQ(pPopup->GetAccessibleObject()->get_accState(Child(CHILDID_SELF), &v), S_OK);
    EXPECT_TRUE(v.lVal & STATE_SYSTEM_HASPOPUP);
    s.bar.GetControls()->Remove(pPopup);

    // A control without a bar has no parent.
    CXTPControlButton* pLoose = new CXTPControlButton();
    pParent = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(pLoose->GetAccessibleObject()->get_accParent(&pParent), S_FALSE);
    EXPECT_EQ(pParent, nullptr);
    pLoose->InternalRelease();
}

TEST(ControlAccessibility, DefaultActionClicksAsTheKeyboard)
{
    BarOnScreen s;
    EXPECT_EQ(s.p[1]->GetAccessibleObject()->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    int nCommands = 0;
    for (const auto& m : s.owner.m_withParams)
        nCommands += (m.first == WM_COMMAND && m.second == 101) ? 1 : 0;
    EXPECT_EQ(nCommands, 1);

    // Disabled: the click does nothing.
    s.owner.Clear();
    s.p[2]->SetEnabled(FALSE);
    EXPECT_EQ(s.p[2]->GetAccessibleObject()->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    EXPECT_EQ(s.owner.Count(WM_COMMAND), 0);
    EXPECT_EQ(s.p[1]->GetAccessibleObject()->accDoDefaultAction(Child(1)), E_INVALIDARG);
    EXPECT_EQ(s.owner.Count(WM_COMMAND), 0);
}

TEST(ControlAccessibility, BadChildIdsAreRefused)
{
    BarOnScreen s;
    long x, y, cx, cy;
    const LONG bad[] = {1, -1, 7};
    for (LONG id : bad)
    {
        EXPECT_EQ(s.p[0]->GetAccessibleObject()->accLocation(&x, &y, &cx, &cy, Child(id)), E_INVALIDARG);
        EXPECT_EQ(s.p[0]->GetAccessibleObject()->accSelect(SELFLAG_TAKEFOCUS, Child(id)), E_INVALIDARG);
    }
    VARIANT notI4;
    VariantInit(&notI4);
    EXPECT_EQ(s.p[0]->GetAccessibleObject()->accLocation(&x, &y, &cx, &cy, notI4), E_INVALIDARG);
    EXPECT_FALSE(s.bar.IsTrackingMode());
}
