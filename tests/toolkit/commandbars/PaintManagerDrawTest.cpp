// The shared drawing of the paint manager and the plain default theme, probed pixel by pixel on
// a memory surface: state faces, the checked fill, separators, grippers, glyphs, MDI buttons, the
// status bar, the message bar, keyboard tips, edit and combo faces and measures, animations.
#include "TestBar.h"

#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "tests/common/MemorySurface.h"

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

using cb_test::TestBar;
using qvx_test::CMemorySurface;

namespace
{
const COLORREF kBack = CMemorySurface::kInitialColour;

// A default theme with fixed, distinct colours so that every probe names what it expects.
class FixedTheme : public CXTPDefaultTheme
{
public:
    FixedTheme() { RefreshMetrics(); }
    void RefreshStandardColors() override
    {
        for (int i = 0; i < 63; ++i)
            m_arrColor[i].SetStandardValue(RGB(10 + i, 100, 200 - i));
    }
    COLORREF C(int nIndex) const { return GetColor(nIndex); }
};

// A memory surface wrapped in a CDC for the paint manager.
struct Surface
{
    Surface(int cx, int cy) : mem(cx, cy) { dc.Attach(mem.DC()); }
    ~Surface() { dc.Detach(); }
    COLORREF P(int x, int y) const { return mem.Pixel(x, y); }
    CMemorySurface mem;
    CDC dc;
};

struct Theme
{
    Theme() : pm(new FixedTheme()) {}
    ~Theme() { pm->InternalRelease(); }
    FixedTheme* operator->() const { return pm; }
    FixedTheme* pm;
};
} // namespace

TEST(PaintManagerDraw, StateFaceTable)
{
    Theme pm;
    const COLORREF light = pm->C(COLOR_3DHIGHLIGHT), shadow = pm->C(COLOR_3DSHADOW), face = pm->C(COLOR_3DFACE),
                   highlight = pm->C(COLOR_HIGHLIGHT);
    const COLORREF none = kBack;
    struct Case
    {
        const char* name;
        int nSelected, nPressed;
        BOOL bEnabled, bChecked, bPopuped;
        int nBarType;
        COLORREF left, right, inside; // left edge, right edge, a pixel inside
    };
    const Case cases[] = {
        {"idle", 0, 0, TRUE, FALSE, FALSE, 1, none, none, none},
        {"hot", 1, 0, TRUE, FALSE, FALSE, 1, light, shadow, none},
        {"hot and pressed", 1, 1, TRUE, FALSE, FALSE, 1, shadow, light, none},
        {"pressed, left", 0, 1, TRUE, FALSE, FALSE, 1, light, shadow, none},
        {"executing", 0, 2, TRUE, FALSE, FALSE, 1, shadow, light, none},
        {"popup open", 0, 0, TRUE, FALSE, TRUE, 1, shadow, light, none},
        {"checked", 0, 0, TRUE, TRUE, FALSE, 1, shadow, light, face},
        {"checked and hot", 1, 0, TRUE, TRUE, FALSE, 1, shadow, light, none},
        {"disabled", 1, 0, FALSE, FALSE, FALSE, 1, none, none, none},
        {"disabled, keyboard", 2, 0, FALSE, FALSE, FALSE, 1, shadow, light, none},
        {"disabled, checked", 0, 0, FALSE, TRUE, FALSE, 1, shadow, light, none},
        {"menu item, hot", 1, 0, TRUE, FALSE, FALSE, 2, highlight, highlight, highlight},
        {"menu item, idle", 0, 0, TRUE, FALSE, FALSE, 2, none, none, none},
    };
    for (const Case& c : cases)
    {
        Surface s(40, 40);
        pm->DrawStateFace(&s.dc, CRect(4, 4, 30, 26), c.nSelected, c.nPressed, c.bEnabled, c.bChecked, c.bPopuped,
                          c.nBarType, c.nBarType == 2 ? 5 : 0);
        EXPECT_EQ(s.P(4, 10), c.left) << c.name;
        EXPECT_EQ(s.P(29, 10), c.right) << c.name;
        EXPECT_EQ(s.P(3, 10), kBack) << c.name; // nothing outside
        if (c.inside == face)
        {
            // The checkerboard: neighbours alternate face and highlight.
            COLORREF a = s.P(10, 10), b = s.P(11, 10), d = s.P(10, 11);
            EXPECT_TRUE((a == face && b == light) || (a == light && b == face)) << c.name;
            EXPECT_EQ(a, d == face ? light : face) << c.name;
        }
        else
        {
            EXPECT_EQ(s.P(10, 10), c.inside) << c.name;
        }
    }
}

TEST(PaintManagerDraw, TextColoursByBar)
{
    Theme pm;
    struct Case
    {
        BOOL bSelected, bEnabled, bChecked;
        int nType, nPosition, nColor;
    };
    const Case cases[] = {
        {FALSE, FALSE, FALSE, 1, 0, COLOR_GRAYTEXT}, {TRUE, TRUE, FALSE, 1, 0, COLOR_BTNTEXT},
        {FALSE, TRUE, FALSE, 1, 5, COLOR_BTNTEXT},   {TRUE, TRUE, FALSE, 2, 5, COLOR_HIGHLIGHTTEXT},
        {TRUE, TRUE, TRUE, 2, 5, COLOR_BTNTEXT},     {FALSE, TRUE, FALSE, 2, 5, COLOR_BTNTEXT},
        {TRUE, FALSE, FALSE, 2, 5, COLOR_GRAYTEXT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pm->GetStateTextColor(c.bSelected, FALSE, c.bEnabled, c.bChecked, FALSE, c.nType, c.nPosition),
                  pm->C(c.nColor))
            << c.nType << " " << c.bSelected << c.bEnabled << c.bChecked;
    // The popup text colour entry is the theme's own.
    pm->m_nPopupTextColor = COLOR_WINDOWTEXT;
    EXPECT_EQ(pm->GetStateTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, 2, 5), pm->C(COLOR_WINDOWTEXT));
    EXPECT_EQ(pm->GetStateTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, 1, 5), pm->C(COLOR_WINDOWTEXT));
    EXPECT_EQ(pm->GetStateTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, 1, 0), pm->C(COLOR_BTNTEXT));
}

TEST(PaintManagerDraw, EtchedSeparatorsBySizeAndPlace)
{
    Theme pm;
    const COLORREF light = pm->C(COLOR_3DHIGHLIGHT), shadow = pm->C(COLOR_3DSHADOW);
    struct Case
    {
        const char* name;
        int nType, nPosition;
        BOOL bWrap;
        int nSize;
        POINT shadowAt, lightAt;
    };
    // The control sits at (40, 30)-(90, 52) in a row (0, 28)-(100, 54).
    const Case cases[] = {
        {"toolbar", 1, 0, FALSE, 6, {36, 40}, {37, 40}},
        {"toolbar, new row", 1, 0, TRUE, 6, {20, 26}, {20, 27}},
        {"vertical bar", 1, 2, FALSE, 6, {20, 26}, {20, 27}},
        {"popup", 2, 5, FALSE, 8, {51, 25}, {51, 26}},
        {"popup, new column", 2, 5, TRUE, 8, {35, 40}, {36, 40}},
    };
    for (const Case& c : cases)
    {
        TestBar bar;
        bar.SetType(c.nType);
        bar.SetPosition(c.nPosition);
        CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 1);
        pControl->SetRect(CRect(40, 30, 90, 52));
        pControl->SetRowRect(CRect(0, 28, 100, 54));
        pControl->SetWrap(c.bWrap);
        Surface s(110, 60);
        EXPECT_EQ(pm->DrawCommandBarSeparator(&s.dc, &bar, pControl, FALSE), CSize(c.nSize, c.nSize)) << c.name;
        pm->DrawCommandBarSeparator(&s.dc, &bar, pControl, TRUE);
        EXPECT_EQ(s.P(c.shadowAt.x, c.shadowAt.y), shadow) << c.name;
        EXPECT_EQ(s.P(c.lightAt.x, c.lightAt.y), light) << c.name;
        EXPECT_EQ(s.P(45, 40), kBack) << c.name; // the control itself is left alone
    }
    // Popup separators stop 11 pixels short of either end.
    TestBar popup;
    popup.SetType(2);
    popup.SetPosition(5);
    CXTPControl* pItem = popup.GetControls()->Add(new CXTPControlButton(), 1);
    pItem->SetRect(CRect(10, 30, 90, 50));
    Surface s(110, 60);
    pm->DrawCommandBarSeparator(&s.dc, &popup, pItem, TRUE);
    EXPECT_EQ(s.P(21, 25), shadow);
    EXPECT_EQ(s.P(20, 25), kBack);
    EXPECT_EQ(s.P(77, 25), shadow);
    EXPECT_NE(s.P(78, 25), kBack);
    EXPECT_EQ(s.P(79, 25), kBack);
}

TEST(PaintManagerDraw, BarFillsGrippersAndBorders)
{
    Theme pm;
    const COLORREF light = pm->C(COLOR_3DHIGHLIGHT), shadow = pm->C(COLOR_3DSHADOW), face = pm->C(COLOR_3DFACE),
                   dark = pm->C(COLOR_3DDKSHADOW);
    struct Case
    {
        const char* name;
        int nType, nPosition;
        BOOL bFlat;
        COLORREF outerLeft, outerRight, innerLeft;
    };
    const Case cases[] = {
        {"docked", 1, 0, FALSE, light, shadow, face},
        {"docked, flat", 1, 0, TRUE, face, face, face},
        {"floating", 1, 4, FALSE, face, dark, light},
        {"popup", 2, 5, FALSE, face, dark, light},
    };
    for (const Case& c : cases)
    {
        TestBar bar;
        bar.CreateAt(RECT{0, 0, 80, 30});
        bar.SetType(c.nType);
        bar.SetPosition(c.nPosition);
        pm->m_bFlatToolBar = c.bFlat;
        Surface s(80, 30);
        pm->FillCommandBar(&s.dc, &bar);
        EXPECT_EQ(s.P(0, 15), c.outerLeft) << c.name;
        EXPECT_EQ(s.P(79, 15), c.outerRight) << c.name;
        EXPECT_EQ(s.P(1, 15), c.innerLeft) << c.name;
        EXPECT_EQ(s.P(40, 15), face) << c.name;
        bar.DestroyWindow();
    }
    pm->m_bFlatToolBar = FALSE;

    // Grippers: a raised strip from x 3 to 6 (horizontal) or y 3 to 6 (vertical).
    TestBar bar;
    bar.CreateAt(RECT{0, 0, 80, 30});
    bar.SetPosition(xtpBarTop);
    Surface s(80, 30);
    EXPECT_EQ(pm->DrawCommandBarGripper(&s.dc, &bar, TRUE), CSize(6, 0));
    EXPECT_EQ(s.P(3, 10), light);
    EXPECT_EQ(s.P(5, 10), shadow);
    EXPECT_EQ(s.P(6, 10), kBack);
    EXPECT_EQ(s.P(4, 26), shadow); // bottom of the strip, 3 above the bar's bottom
    EXPECT_EQ(s.P(4, 27), kBack);
    bar.SetPosition(xtpBarLeft);
    s.mem.Clear(kBack);
    EXPECT_EQ(pm->DrawCommandBarGripper(&s.dc, &bar, TRUE), CSize(0, 8));
    EXPECT_EQ(s.P(20, 3), light);
    EXPECT_EQ(s.P(20, 5), shadow);
    bar.SetShowGripper(FALSE);
    s.mem.Clear(kBack);
    EXPECT_EQ(pm->DrawCommandBarGripper(&s.dc, &bar, TRUE), CSize(0, 0));
    EXPECT_EQ(s.mem.CountOtherThan(kBack), 0);

    // A floating bar's caption strip in the caption colours.
    bar.SetPosition(xtpBarFloating);
    bar.SetTitle("Tools");
    s.mem.Clear(kBack);
    CSize sz = pm->DrawCommandBarGripper(&s.dc, &bar, TRUE);
    EXPECT_EQ(sz.cx, 80 - 6);
    EXPECT_GE(sz.cy, 15);
    EXPECT_EQ(s.P(3, 4), pm->C(COLOR_ACTIVECAPTION));
    EXPECT_EQ(s.P(2, 4), kBack);
    bar.DestroyWindow();

    EXPECT_EQ(pm->GetCommandBarBorders(&bar), CRect(2, 2, 2, 2));
    bar.SetType(2);
    EXPECT_EQ(pm->GetCommandBarBorders(&bar), CRect(3, 3, 3, 3));
    EXPECT_EQ(pm->DrawTearOffGripper(&s.dc, CRect(0, 0, 10, 8), TRUE, FALSE), CSize(0, 8));
}

TEST(PaintManagerDraw, ExcludeRectAdjustment)
{
    Theme pm;
    TestBar toolbar, popup;
    popup.SetType(2);
    CXTPControl* pOnBar = toolbar.GetControls()->Add(new CXTPControlButton(), 1);
    CXTPControl* pOnPopup = popup.GetControls()->Add(new CXTPControlButton(), 2);
    CXTPControl* pCombo = toolbar.GetControls()->Add(new CXTPControlButton(), 3);
    pCombo->SetType(xtpControlComboBox);
    struct Case
    {
        CXTPControl* pControl;
        BOOL bVertical;
        CRect expected;
    };
    const Case cases[] = {
        {pOnBar, FALSE, CRect(9, 10, 31, 20)},   {pOnBar, TRUE, CRect(10, 9, 30, 21)},
        {pOnPopup, FALSE, CRect(11, 10, 29, 20)}, {pCombo, FALSE, CRect(10, 10, 30, 20)},
        {nullptr, FALSE, CRect(10, 10, 30, 20)},
    };
    for (const Case& c : cases)
    {
        CRect rc(10, 10, 30, 20);
        pm->AdjustExcludeRect(rc, c.pControl, c.bVertical);
        EXPECT_EQ(rc, c.expected);
    }
}

TEST(PaintManagerDraw, GlyphsAndMarks)
{
    Theme pm;
    const COLORREF ink = RGB(200, 0, 0);
    // Check mark: the two strokes from (cx - 4, cy - 1) and (cx - 4, cy).
    {
        Surface s(20, 20);
        pm->DrawCheckMark(&s.dc, CRect(0, 0, 20, 20), ink);
        EXPECT_EQ(s.P(6, 9), ink);
        EXPECT_EQ(s.P(6, 10), ink);
        EXPECT_EQ(s.P(8, 11), ink);
        EXPECT_EQ(s.P(12, 7), ink);
        EXPECT_EQ(s.P(6, 12), kBack);
        pm->m_bThickCheckMark = TRUE;
        s.mem.Clear(kBack);
        pm->DrawCheckMark(&s.dc, CRect(0, 0, 20, 20), ink);
        EXPECT_EQ(s.P(6, 11), ink); // one pixel lower as well
        pm->m_bThickCheckMark = FALSE;
    }
    // Right-to-left: the mirrored shape, whose left column (cx - 4) holds rows cy - 3 and cy - 2
    // where the left-to-right shape holds cy - 1 and cy; mirroring puts that column at the right.
    {
        Surface s(20, 20);
        ::SetLayout(s.mem.DC(), LAYOUT_RTL);
        pm->DrawCheckMark(&s.dc, CRect(0, 0, 20, 20), ink);
        ::SetLayout(s.mem.DC(), 0);
        int nRightmost = -1;
        for (int x = 0; x < 20; ++x)
            for (int y = 0; y < 20; ++y)
                if (s.P(x, y) == ink)
                    nRightmost = x;
        ASSERT_GE(nRightmost, 0);
        EXPECT_EQ(s.P(nRightmost, 7), ink);
        EXPECT_EQ(s.P(nRightmost, 8), ink);
        EXPECT_EQ(s.P(nRightmost, 9), kBack);
        EXPECT_EQ(s.P(nRightmost, 10), kBack);
    }
    // Radio mark: a filled 7 x 7 dot around the centre.
    {
        Surface s(20, 20);
        pm->DrawRadioMark(&s.dc, CRect(0, 0, 20, 20), ink);
        EXPECT_EQ(s.P(10, 10), ink);
        EXPECT_EQ(s.P(10, 7) != kBack, true);
        EXPECT_EQ(s.P(10, 5), kBack);
        EXPECT_EQ(s.P(4, 10), kBack);
    }
    // Combo arrow: half width 16 / 2 - 4 = 4 at the middle.
    {
        Surface s(20, 20);
        pm->DrawComboExpandMark(&s.dc, CRect(0, 0, 16, 16), ink);
        EXPECT_EQ(s.P(4, 6), ink);
        EXPECT_EQ(s.P(12, 6), ink);
        EXPECT_EQ(s.P(8, 9), ink);
        EXPECT_EQ(s.P(8, 11), kBack);
        EXPECT_EQ(s.P(3, 6), kBack);
    }
    // Drop-down glyph in the state text colour.
    {
        TestBar bar;
        CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 1);
        Surface s(20, 20);
        pm->DrawDropDownGlyph(&s.dc, pControl, CPoint(10, 10), FALSE, FALSE, TRUE, FALSE);
        EXPECT_EQ(s.P(10, 9), pm->C(COLOR_BTNTEXT));
        EXPECT_EQ(s.P(8, 9), pm->C(COLOR_BTNTEXT));
        EXPECT_EQ(s.P(10, 12), kBack);
        s.mem.Clear(kBack);
        pm->DrawDropDownGlyph(&s.dc, pControl, CPoint(10, 10), FALSE, FALSE, FALSE, TRUE);
        EXPECT_EQ(s.P(11, 10), pm->C(COLOR_GRAYTEXT)); // disabled, vertical
    }
    // Check-box and radio marks measure 13 x 13 and draw only when asked.
    {
        Surface s(20, 20);
        EXPECT_EQ(pm->DrawControlCheckBoxMark(&s.dc, CRect(2, 2, 15, 15), FALSE, FALSE, FALSE, TRUE, TRUE),
                  CSize(13, 13));
        EXPECT_EQ(s.mem.CountOtherThan(kBack), 0);
        EXPECT_EQ(pm->DrawControlRadioButtonMark(&s.dc, CRect(2, 2, 15, 15), TRUE, FALSE, FALSE, TRUE, TRUE),
                  CSize(13, 13));
        EXPECT_GT(s.mem.CountOtherThan(kBack), 20);
        EXPECT_EQ(s.P(17, 17), kBack);
    }
}

TEST(PaintManagerDraw, MdiButtonsDrawTheirGlyphs)
{
    Theme pm;
    TestBar bar;
    bar.SetType(xtpBarTypeMenuBar);
    bar.SetPosition(xtpBarTop);
    const char* glyphs[] = {"0", "2", "r"};
    int nInk[3] = {};
    for (int i = 0; i < 3; ++i)
    {
        CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 9151 + i);
        pControl->SetCaption(glyphs[i]);
        pControl->SetRect(CRect(2, 2, 18, 18));
        Surface s(20, 20);
        EXPECT_EQ(pm->DrawControlMDIButton(&s.dc, pControl, FALSE), CSize(16, 16));
        EXPECT_EQ(s.mem.CountOtherThan(kBack), 0);
        pm->DrawControlMDIButton(&s.dc, pControl, TRUE);
        // Idle, the face is flat: whatever is drawn is the glyph (its edges may be smoothed).
        nInk[i] = s.mem.CountOtherThan(kBack);
        EXPECT_GT(nInk[i], 3) << glyphs[i];
        int nTextColour = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                nTextColour += s.P(x, y) == pm->C(COLOR_BTNTEXT);
        EXPECT_EQ(s.P(0, 0), kBack);
        // Hot: the raised face around the glyph.
        pControl->OnSetSelected(1);
        s.mem.Clear(kBack);
        pm->DrawControlMDIButton(&s.dc, pControl, TRUE);
        EXPECT_EQ(s.P(2, 10), pm->C(COLOR_3DHIGHLIGHT));
        EXPECT_EQ(s.P(17, 10), pm->C(COLOR_3DSHADOW));
    }
    // The three glyphs differ (minimise, restore, close).
    EXPECT_NE(nInk[0], nInk[2]);
}

TEST(PaintManagerDraw, StatusBarParts)
{
    Theme pm;
    const COLORREF light = pm->C(COLOR_3DHIGHLIGHT), shadow = pm->C(COLOR_3DSHADOW);
    // Gripper lines in a 20 x 20 rectangle at (10, 10).
    {
        Surface s(40, 40);
        pm->DrawStatusBarGripper(&s.dc, CRect(10, 10, 30, 30));
        struct Probe
        {
            int x, y;
            COLORREF clr;
        };
        const Probe probes[] = {
            {27, 28, shadow}, {28, 27, shadow}, {26, 28, shadow}, {25, 28, light}, {28, 25, light},
            {24, 28, kBack},  {23, 28, shadow}, {21, 28, light},  {19, 28, shadow}, {17, 28, light},
            {16, 28, kBack},  {29, 29, kBack},  {20, 20, kBack},
        };
        for (const Probe& p : probes)
            EXPECT_EQ(s.P(p.x, p.y), p.clr) << p.x << "," << p.y;
    }
    // Borders: sunken for a pane, none for a button pane; the separator ends at the left edge.
    {
        Surface s(40, 20);
        pm->DrawStatusPaneBorder(&s.dc, CRect(5, 2, 30, 18), FALSE, FALSE);
        EXPECT_EQ(s.P(5, 10), shadow);
        EXPECT_EQ(s.P(29, 10), light);
        s.mem.Clear(kBack);
        pm->DrawStatusPaneBorder(&s.dc, CRect(5, 2, 30, 18), TRUE, FALSE);
        EXPECT_EQ(s.mem.CountOtherThan(kBack), 0);
        pm->DrawStatusBarPaneSeparator(&s.dc, CRect(10, 2, 30, 18), nullptr);
        EXPECT_EQ(s.P(8, 10), shadow);
        EXPECT_EQ(s.P(9, 10), light);
        EXPECT_EQ(s.P(10, 10), kBack);
        s.mem.Clear(kBack);
        pm->FillStatusBarRect(&s.dc, CRect(0, 0, 40, 20));
        EXPECT_EQ(s.mem.CountOtherThan(pm->C(COLOR_3DFACE)), 0);
    }
}

TEST(PaintManagerDraw, StatusPaneTable)
{
    Theme pm;
    const COLORREF fill = RGB(0, 128, 0);
    struct Case
    {
        const char* name;
        XTPStatusPaneLook look;
        COLORREF corner;   // (0, 0): the fill reaches the edge only without borders
        COLORREF inner;    // (1, 1)
        COLORREF textInk;  // expected colour of the text
        int nTextLeftMin;  // where the text may begin
        int nTextLeftMax;
    };
    auto look = [](LPCSTR text) {
        XTPStatusPaneLook l;
        l.strText = text;
        return l;
    };
    std::vector<Case> cases;
    {
        Case c{"plain", look("Ready"), kBack, kBack, pm->m_clrStatusTextColor, 0, 3};
        cases.push_back(c);
    }
    {
        Case c{"filled", look("Ready"), kBack, fill, pm->m_clrStatusTextColor, 0, 3};
        c.look.clrBackground = fill;
        cases.push_back(c);
    }
    {
        Case c{"filled, no borders", look("Ready"), fill, fill, pm->m_clrStatusTextColor, 0, 3};
        c.look.clrBackground = fill;
        c.look.nStyle = 0x100;
        cases.push_back(c);
    }
    {
        Case c{"disabled", look("Ready"), kBack, kBack, pm->m_clrStatusTextGrayColor, 0, 3};
        c.look.bEnabled = FALSE;
        cases.push_back(c);
    }
    {
        Case c{"disabled, own colour", look("Ready"), kBack, kBack, RGB(0, 0, 250), 0, 3};
        c.look.bEnabled = FALSE;
        c.look.clrTextDisabled = RGB(0, 0, 250);
        cases.push_back(c);
    }
    {
        Case c{"own colour", look("Ready"), kBack, kBack, RGB(250, 0, 0), 0, 3};
        c.look.clrText = RGB(250, 0, 0);
        cases.push_back(c);
    }
    {
        Case c{"right aligned", look("Ready"), kBack, kBack, pm->m_clrStatusTextColor, 100, 190};
        c.look.nAlignment = 2;
        cases.push_back(c);
    }
    {
        Case c{"centred", look("Ready"), kBack, kBack, pm->m_clrStatusTextColor, 50, 120};
        c.look.nAlignment = 1;
        cases.push_back(c);
    }
    {
        Case c{"padded", look("Ready"), kBack, kBack, pm->m_clrStatusTextColor, 20, 23};
        c.look.rcPadding = CRect(20, 0, 0, 0);
        cases.push_back(c);
    }
    for (Case& c : cases)
    {
        Surface s(200, 20);
        CRect rc(0, 0, 200, 20);
        pm->DrawStatusPane(&s.dc, rc, c.look);
        EXPECT_EQ(s.P(0, 0), c.corner) << c.name;
        EXPECT_EQ(s.P(1, 1), c.inner) << c.name;
        int nLeft = -1, nInk = 0;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 20; ++y)
                if (s.P(x, y) == c.textInk)
                {
                    ++nInk;
                    if (nLeft < 0)
                        nLeft = x;
                }
        EXPECT_GT(nInk, 5) << c.name;
        EXPECT_GE(nLeft, c.nTextLeftMin) << c.name;
        EXPECT_LE(nLeft, c.nTextLeftMax) << c.name;
    }
    // A button pane shows its state face only when hot, pressed or checked.
    XTPStatusPaneLook button = look("");
    button.bButton = TRUE;
    Surface s(60, 20);
    CRect rc(0, 0, 60, 20);
    pm->DrawStatusPane(&s.dc, rc, button);
    EXPECT_EQ(s.mem.CountOtherThan(kBack), 0);
    button.bHot = TRUE;
    pm->DrawStatusPane(&s.dc, rc, button);
    EXPECT_EQ(s.P(0, 10), pm->C(COLOR_3DHIGHLIGHT));
    button.bPressed = TRUE;
    pm->DrawStatusPane(&s.dc, rc, button);
    EXPECT_EQ(s.P(0, 10), pm->C(COLOR_3DSHADOW));
}

TEST(PaintManagerDraw, MessageBarAndButtons)
{
    Theme pm;
    const COLORREF face = pm->C(COLOR_3DFACE), shadow = pm->C(COLOR_3DSHADOW), infoBk = pm->C(COLOR_INFOBK);
    Surface s(100, 40);
    pm->FillMessageBarRect(&s.dc, CRect(0, 0, 100, 40), CRect(5, 5, 95, 35));
    EXPECT_EQ(s.P(2, 2), face);
    EXPECT_EQ(s.P(5, 20), shadow);
    EXPECT_EQ(s.P(94, 20), shadow);
    EXPECT_EQ(s.P(50, 20), infoBk);

    struct Case
    {
        const char* name;
        UINT nId;
        BOOL bHot, bPressed;
        COLORREF left, inside, cross; // left edge, an inside pixel off the cross, the cross centre
    };
    const COLORREF black = RGB(0, 0, 0);
    const Case cases[] = {
        {"plain", 100, FALSE, FALSE, shadow, face, face},
        {"hot", 100, TRUE, FALSE, pm->C(COLOR_3DHIGHLIGHT), face, face},
        {"pressed", 100, TRUE, TRUE, shadow, face, face},
        {"close", SC_CLOSE, FALSE, FALSE, kBack, kBack, black},
        {"close, hot", SC_CLOSE, TRUE, FALSE, pm->C(COLOR_3DHIGHLIGHT), face, black},
    };
    for (const Case& c : cases)
    {
        Surface b(30, 30);
        XTPMessageBarButtonLook look;
        look.rc = CRect(5, 5, 25, 25);
        look.nId = c.nId;
        look.bHot = c.bHot;
        look.bPressed = c.bPressed;
        pm->DrawMessageBarButtonLook(&b.dc, look);
        EXPECT_EQ(b.P(5, 15), c.left) << c.name;
        EXPECT_EQ(b.P(8, 20), c.inside) << c.name;
        EXPECT_EQ(b.P(15, 15), c.cross) << c.name; // (cx, cy) lies on the cross
        EXPECT_EQ(b.P(2, 2), kBack) << c.name;
    }
}

TEST(PaintManagerDraw, KeyboardTips)
{
    Theme pm;
    const COLORREF frame = ::GetSysColor(COLOR_BTNSHADOW);
    for (BOOL bEnabled : {TRUE, FALSE})
    {
        Surface s(30, 20);
        pm->DrawKeyboardTipLook(&s.dc, CRect(0, 0, 30, 20), "FI", bEnabled, TRUE);
        EXPECT_EQ(s.mem.CountOtherThan(kBack), 0); // preparing a window draws nothing
        pm->DrawKeyboardTipLook(&s.dc, CRect(0, 0, 30, 20), "FI", bEnabled, FALSE);
        EXPECT_EQ(s.P(0, 10), frame);
        EXPECT_EQ(s.P(29, 19), frame);
        EXPECT_EQ(s.P(2, 2), pm->C(COLOR_INFOBK));
        const COLORREF text = pm->C(bEnabled ? COLOR_INFOTEXT : COLOR_GRAYTEXT);
        int nInk = 0, nLeft = 30, nRight = -1;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                if (s.P(x, y) == text)
                {
                    ++nInk;
                    nLeft = x < nLeft ? x : nLeft;
                    nRight = x > nRight ? x : nRight;
                }
        EXPECT_GT(nInk, 5);
        EXPECT_LE(std::abs((nLeft + nRight) / 2 - 15), 2); // centred
    }
}

TEST(PaintManagerDraw, FieldMeasuresAndFaces)
{
    // The drop-down button width from the field height.
    struct Width
    {
        int b, width;
    };
    const Width widths[] = {{21, 15}, {20, 15}, {27, 18}, {22, 15}, {23, 16}, {35, 24}};
    for (const Width& w : widths)
        EXPECT_EQ(CXTPPaintManager::GetComboDropDownWidth(w.b), w.width) << w.b;

    Theme pm;
    Surface s(120, 30);
    pm->m_nFixedControlHeight = 26;
    EXPECT_EQ(pm->GetFieldHeight(&s.dc, TRUE), 26);
    EXPECT_EQ(pm->GetFieldHeight(&s.dc, FALSE), 26);
    pm->m_nFixedControlHeight = 0;
    LOGFONTA lf = {};
    lf.lfHeight = -9; // text height below 13: a combo box is 20 high, an edit text + 7
    lstrcpyA(lf.lfFaceName, "Tahoma");
    pm->m_fontIcon.SetCustomFont(&lf);
    CFont* pOld = s.dc.SelectObject(&pm->m_fontIcon);
    const int nSmall = s.dc.GetTextExtent(" ", 1).cy;
    s.dc.SelectObject(pOld);
    ASSERT_LT(nSmall, 13);
    EXPECT_EQ(pm->GetFieldHeight(&s.dc, TRUE), 20);
    EXPECT_EQ(pm->GetFieldHeight(&s.dc, FALSE), nSmall + 7);
    lf.lfHeight = -20;
    pm->m_fontIcon.SetCustomFont(&lf);
    pOld = s.dc.SelectObject(&pm->m_fontIcon);
    const int nLarge = s.dc.GetTextExtent(" ", 1).cy;
    s.dc.SelectObject(pOld);
    ASSERT_GE(nLarge, 13);
    EXPECT_EQ(pm->GetFieldHeight(&s.dc, TRUE), nLarge + 7);

    // Label width: caption extent + 5; nothing without a caption or icon.
    TestBar bar;
    CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 1);
    pControl->SetType(xtpControlComboBox);
    pControl->SetStyle(xtpButtonCaption);
    EXPECT_EQ(pm->GetFieldLabelWidth(&s.dc, pControl), 0);
    pControl->SetCaption("&Find");
    pOld = s.dc.SelectObject(pm->GetRegularFont());
    const int nFind = s.dc.GetTextExtent("Find", 4).cx;
    s.dc.SelectObject(pOld);
    EXPECT_EQ(pm->GetFieldLabelWidth(&s.dc, pControl), nFind + 5);

    // Faces: enabled fields are filled inside; a combo box has its drop-down button.
    const COLORREF window = pm->C(COLOR_WINDOW), face = pm->C(COLOR_3DFACE), text = pm->C(COLOR_BTNTEXT);
    pControl->SetRect(CRect(0, 0, 100, 22));
    s.mem.Clear(kBack);
    pm->DrawFieldFace(&s.dc, pControl, CRect(10, 4, 110, 26), 15, FALSE);
    EXPECT_EQ(s.P(50, 15), window);     // inside
    EXPECT_EQ(s.P(11, 15), face);       // the edit border one pixel in
    EXPECT_EQ(s.P(10, 15), kBack);      // not hot: no outer frame
    EXPECT_EQ(s.P(102, 15), text);      // the arrow of the drop-down button
    s.mem.Clear(kBack);
    pControl->OnSetSelected(1);
    pm->DrawFieldFace(&s.dc, pControl, CRect(10, 4, 110, 26), 0, FALSE);
    EXPECT_EQ(s.P(10, 15), pm->C(COLOR_3DSHADOW)); // hot: sunken outer frame
    EXPECT_EQ(s.P(102, 15), window);                // an edit has no button
    pControl->OnSetSelected(0);
    pControl->SetEnabled(FALSE);
    s.mem.Clear(kBack);
    pm->DrawFieldFace(&s.dc, pControl, CRect(10, 4, 110, 26), 15, FALSE);
    EXPECT_EQ(s.P(50, 15), kBack); // disabled: not filled
    EXPECT_EQ(s.P(11, 15), pm->C(COLOR_3DHIGHLIGHT));

    // Drop-down button states.
    struct Button
    {
        BOOL bDropped, bHot;
        COLORREF left;
    };
    const Button buttons[] = {{FALSE, FALSE, pm->C(COLOR_3DHIGHLIGHT)},
                              {FALSE, TRUE, pm->C(COLOR_3DHIGHLIGHT)},
                              {TRUE, FALSE, pm->C(COLOR_3DSHADOW)}};
    for (const Button& b : buttons)
    {
        s.mem.Clear(kBack);
        pm->DrawComboDropDownButton(&s.dc, CRect(0, 0, 20, 24), TRUE, b.bDropped, b.bHot);
        EXPECT_EQ(s.P(1, 10), b.left);
        EXPECT_EQ(s.P(0, 10), kBack);
        EXPECT_EQ(s.P(5, 5), b.bDropped || b.bHot ? face : kBack);
    }
    // Spin buttons: the pressed half sunken, the other raised.
    s.mem.Clear(kBack);
    pm->DrawSpinButtons(&s.dc, CRect(0, 0, 12, 20), TRUE, TRUE, 5);
    EXPECT_EQ(s.P(0, 2), pm->C(COLOR_WINDOW));   // upper half raised
    EXPECT_EQ(s.P(0, 12), pm->C(COLOR_3DSHADOW)); // lower half sunken
}

TEST(PaintManagerDraw, AnimationKinds)
{
    Theme pm;
    pm->m_nAnimationTime = 0;
    const COLORREF src = RGB(200, 100, 50);
    Surface from(20, 20), to(20, 20);
    from.dc.FillSolidRect(0, 0, 20, 20, src);
    // Kinds 0 and 1 draw nothing; no steps draw nothing.
    for (int nKind : {0, 1})
    {
        pm->Animate(&to.dc, &from.dc, CRect(0, 0, 20, 20), nKind);
        EXPECT_EQ(to.mem.CountOtherThan(kBack), 0) << nKind;
    }
    pm->m_nAnimationSteps = 0;
    pm->Animate(&to.dc, &from.dc, CRect(0, 0, 20, 20), 3);
    EXPECT_EQ(to.mem.CountOtherThan(kBack), 0);
    pm->m_nAnimationSteps = 4;
    for (int nKind : {2, 3})
    {
        to.mem.Clear(kBack);
        pm->Animate(&to.dc, &from.dc, CRect(0, 0, 20, 20), nKind);
        EXPECT_EQ(to.mem.CountOtherThan(src), 0) << nKind; // the last step shows the whole picture
    }
    // Fade: with two steps one blend at a = 127.
    pm->m_nAnimationSteps = 2;
    to.mem.Clear(RGB(0, 0, 0));
    pm->Animate(&to.dc, &from.dc, CRect(0, 0, 20, 20), 4);
    EXPECT_EQ(to.P(10, 10), RGB(200 * 127 >> 8, 100 * 127 >> 8, 50 * 127 >> 8));
}

TEST(PaintManagerDraw, ResizeGripperDots)
{
    Theme pm;
    const COLORREF dark = pm->C(38), light = pm->C(COLOR_WINDOW);
    Surface s(40, 20);
    pm->DrawResizeGripper(&s.dc, CRect(0, 0, 40, 20), 0);
    // Pairs whose light dot ends 1 pixel from the corner.
    EXPECT_EQ(s.P(36, 16), dark);
    EXPECT_EQ(s.P(38, 18), light);
    EXPECT_EQ(s.P(39, 19), kBack);
    EXPECT_EQ(s.P(32, 16), dark);
    EXPECT_EQ(s.P(36, 12), dark);
    EXPECT_EQ(s.P(32, 12), kBack);
    s.mem.Clear(kBack);
    pm->DrawResizeGripper(&s.dc, CRect(0, 0, 40, 20), 2);
    const int x = (40 - 15) / 2;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.P(x + 4 * i, 3), dark) << i;
    EXPECT_EQ(s.P(x + 2, 5), light);
    EXPECT_EQ(s.P(x, 7), kBack);
}

TEST(PaintManagerDraw, ButtonSizeOfTheBaseRule)
{
    // Themes that keep the base rule: width max(c + 4, icon + 4), height max(c, icon + 6).
    struct BaseSizes : FixedTheme
    {
        CSize GetButtonSizeForBar(CXTPCommandBar* pBar) override { return CXTPPaintManager::GetButtonSizeForBar(pBar); }
    };
    BaseSizes* pm = new BaseSizes();
    const int c = pm->GetControlHeight();
    TestBar bar;
    const CSize icons[] = {CSize(16, 16), CSize(32, 32), CSize(24, 12)};
    for (const CSize& icon : icons)
    {
        bar.SetIconSize(icon);
        const CSize sz = pm->GetButtonSizeForBar(&bar);
        EXPECT_EQ(sz.cx, c + 4 > icon.cx + 4 ? c + 4 : icon.cx + 4);
        EXPECT_EQ(sz.cy, c > icon.cy + 6 ? c : icon.cy + 6);
    }
    pm->InternalRelease();
}

TEST(PaintManagerDraw, PopupControlMeasureTable)
{
    Theme pm;
    TestBar bar;
    bar.SetType(xtpBarTypePopup);
    bar.SetPosition(xtpBarPopup);
    Surface s(220, 60);
    const int nColumn = pm->GetPopupBarGripperWidth(&bar) - 1;
    const CSize szButton = pm->GetButtonSizeForBar(&bar);
    ASSERT_GT(nColumn, 0);
    auto width = [&s](CFont* pFont, LPCSTR text) {
        CFont* pOld = s.dc.SelectObject(pFont);
        const int cx = s.dc.GetTextExtent(text, lstrlenA(text)).cx;
        s.dc.SelectObject(pOld);
        return cx;
    };
    auto height = [&s](CFont* pFont) {
        CFont* pOld = s.dc.SelectObject(pFont);
        const int cy = s.dc.GetTextExtent(" ", 1).cy;
        s.dc.SelectObject(pOld);
        return cy;
    };
    CFont* pRegular = pm->GetRegularFont();
    CFont* pBold = pm->GetRegularBoldFont();
    struct Case
    {
        const char* name;
        int nType;
        const char* caption;
        const char* shortcut;
        int nStyle;
        const char* description;
        BOOL bLabelColumn;
        int nCustomWidth;
        CSize expected;
    };
    const Case cases[] = {
        {"item", xtpControlButton, "Open", "", 0, "", TRUE, 0,
         CSize(4 + nColumn + width(pRegular, "Open") + 32, szButton.cy)},
        {"with shortcut", xtpControlButton, "&Save", "Ctrl+S", 0, "", TRUE, 0,
         CSize(4 + nColumn + width(pRegular, "Save") + width(pRegular, "Ctrl+S") + 32, szButton.cy)},
        {"label without its column", xtpControlLabel, "Heading", "", xtpButtonCaption, "", FALSE, 0,
         CSize(4 + width(pRegular, "Heading") + 32, pm->GetControlHeight())},
        {"label keeping its column", xtpControlLabel, "Heading", "", xtpButtonCaption, "", TRUE, 0,
         CSize(4 + nColumn + width(pRegular, "Heading") + 32, pm->GetControlHeight())},
        {"custom width", xtpControlButton, "Open", "", 0, "", TRUE, 150, CSize(150, szButton.cy)},
        {"with description", xtpControlButton, "Print", "", xtpButtonCaptionAndDescription, "Print the file", TRUE, 0,
         CSize(4 + nColumn + width(pBold, "Print") + 32, height(pBold) + 10 + 2 * height(pRegular))},
        {"style 5 without description", xtpControlButton, "Print", "", xtpButtonCaptionAndDescription, "", TRUE, 0,
         CSize(4 + nColumn + width(pRegular, "Print") + 32, szButton.cy)},
    };
    for (const Case& c : cases)
    {
        CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 0);
        pControl->SetType(c.nType);
        pControl->SetCaption(c.caption);
        pControl->SetShortcutText(c.shortcut);
        pControl->SetStyle(c.nStyle);
        pControl->SetDescription(c.description);
        pControl->SetWidth(c.nCustomWidth);
        pm->m_bShowKeyboardCues = c.bLabelColumn;
        EXPECT_EQ(pm->DrawPopupBarControl(&s.dc, pControl, FALSE), c.expected) << c.name;
        EXPECT_EQ(s.mem.CountOtherThan(kBack), 0) << c.name; // measuring draws nothing
        bar.GetControls()->Remove(pControl);
    }
    pm->m_bShowKeyboardCues = TRUE;

    // Drawn hot: the highlight row, the caption after the icon column, the shortcut ending 19
    // pixels before the right edge.
    CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 0);
    pControl->SetCaption("Open");
    pControl->SetShortcutText("F3");
    pControl->SetRect(CRect(0, 0, 220, 22));
    pControl->OnSetSelected(1);
    pm->DrawPopupBarControl(&s.dc, pControl, TRUE);
    EXPECT_EQ(s.P(nColumn + 2, 1), pm->C(COLOR_HIGHLIGHT)); // the row right of the icon box
    const COLORREF text = pm->C(COLOR_HIGHLIGHTTEXT);
    int nLeft = -1, nRight = -1;
    for (int x = 0; x < 220; ++x)
        for (int y = 0; y < 22; ++y)
            if (s.P(x, y) == text)
            {
                nLeft = nLeft < 0 ? x : nLeft;
                nRight = x;
            }
    EXPECT_GE(nLeft, 4 + nColumn);
    EXPECT_LE(nLeft, 4 + nColumn + 2);
    EXPECT_LE(nRight, 220 - 19);
    EXPECT_GE(nRight, 220 - 19 - 4);
}

TEST(PaintManagerDraw, DisabledTextIsEmbossed)
{
    Theme pm;
    Surface s(80, 24);
    CFont* pOld = s.dc.SelectObject(pm->GetRegularFont());
    s.dc.SetBkMode(TRANSPARENT);
    s.dc.SetTextColor(pm->C(COLOR_GRAYTEXT));
    pm->DrawTextLine(&s.dc, "Mil", CRect(2, 0, 80, 24), 0, TRUE, FALSE, FALSE);
    int nGray = 0, nLight = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
        {
            nGray += s.P(x, y) == pm->C(COLOR_GRAYTEXT);
            nLight += s.P(x, y) == pm->C(COLOR_3DHIGHLIGHT);
        }
    EXPECT_GT(nGray, 5);
    EXPECT_GT(nLight, 2); // the highlight copy shows one pixel down and right
    s.mem.Clear(kBack);
    pm->m_bEmbossedDisabledText = FALSE;
    pm->DrawTextLine(&s.dc, "Mil", CRect(2, 0, 80, 24), 0, TRUE, FALSE, FALSE);
    EXPECT_EQ(s.mem.CountOtherThan(kBack) > 0, true);
    nLight = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            nLight += s.P(x, y) == pm->C(COLOR_3DHIGHLIGHT);
    EXPECT_EQ(nLight, 0);
    // Measuring answers the height and draws nothing.
    s.mem.Clear(kBack);
    EXPECT_GT(pm->DrawTextLine(&s.dc, "Mil", CRect(2, 0, 80, 24), DT_SINGLELINE, FALSE, FALSE, TRUE), 0);
    EXPECT_EQ(s.mem.CountOtherThan(kBack), 0);
    s.dc.SelectObject(pOld);
}

TEST(PaintManagerDraw, MenuItemFacesTable)
{
    Theme pm;
    TestBar bar;
    bar.SetType(xtpBarTypePopup);
    bar.SetPosition(xtpBarPopup);
    const int nBox = pm->GetControlHeight() > 20 ? pm->GetControlHeight() : 20;
    const COLORREF highlight = pm->C(COLOR_HIGHLIGHT), text = pm->C(COLOR_BTNTEXT), gray = pm->C(COLOR_GRAYTEXT),
                   shadow = pm->C(COLOR_3DSHADOW);
    struct Probe
    {
        int x, y;
        COLORREF clr;
    };
    struct Case
    {
        const char* name;
        int nType;
        int nSelected;
        BOOL bChecked, bEnabled, bMenuLook;
        std::vector<Probe> probes;
        COLORREF markColour; // ink expected inside the icon box (kBack: none)
    };
    const Case cases[] = {
        {"hot item", xtpControlButton, 1, FALSE, TRUE, FALSE, {{nBox + 2, 2, highlight}, {2, 2, kBack}}, kBack},
        {"hot item, menu look", xtpControlButton, 1, FALSE, TRUE, TRUE, {{2, 2, highlight}}, kBack},
        {"checked", xtpControlButton, 0, TRUE, TRUE, FALSE, {{0, 12, shadow}, {nBox + 2, 2, kBack}}, text},
        {"checked, disabled", xtpControlButton, 0, TRUE, FALSE, FALSE, {{0, 12, shadow}}, gray},
        {"radio", xtpControlRadioButton, 0, TRUE, TRUE, FALSE, {{0, 12, shadow}}, text},
        {"sub-menu", xtpControlPopup, 0, FALSE, TRUE, FALSE, {{200 - 11, 12, text}, {200 - 6, 12, kBack}}, kBack},
        {"split, hot", xtpControlSplitButtonPopup, 1, FALSE, TRUE, FALSE,
         {{180, 12, shadow}, {199, 12, pm->C(COLOR_3DHIGHLIGHT)}, {200 - 11, 12, pm->C(COLOR_HIGHLIGHTTEXT)}},
         kBack},
        {"split", xtpControlSplitButtonPopup, 0, FALSE, TRUE, FALSE, {{180, 12, text}, {199, 12, kBack}}, kBack},
    };
    for (const Case& c : cases)
    {
        CXTPControl* pControl = bar.GetControls()->Add(new CXTPControlButton(), 0);
        pControl->SetType(c.nType);
        pControl->SetChecked(c.bChecked);
        pControl->SetEnabled(c.bEnabled);
        pControl->SetRect(CRect(0, 0, 200, 24));
        pControl->OnSetSelected(c.nSelected);
        pm->m_bSelectImageInPopupBar = c.bMenuLook;
        Surface s(200, 24);
        pm->DrawPopupBarControl(&s.dc, pControl, TRUE);
        for (const Probe& p : c.probes)
            EXPECT_EQ(s.P(p.x, p.y), p.clr) << c.name << " at " << p.x << "," << p.y;
        int nMark = 0;
        for (int y = 2; y < 22; ++y)
            for (int x = 2; x < nBox - 2; ++x)
                nMark += s.P(x, y) == c.markColour;
        if (c.markColour != kBack)
            EXPECT_GT(nMark, 4) << c.name;
        bar.GetControls()->Remove(pControl);
    }
}
