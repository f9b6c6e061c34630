// The message bar on a real frame: the message area its paddings and a close button leave, and the
// paint manager's message-bar slots drawing through it (probed on a memory surface).
#include "ManagerTestSupport.h"

#include "toolkit/commandbars/bars/XTPMessageBar.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "tests/common/MemorySurface.h"

#include <vector>

#include <gtest/gtest.h>

using qvx_test::CMemorySurface;

namespace
{
class MessageBarOnFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateSite());
        ASSERT_TRUE(bar.Create(&frame, CRect(0, 0, 300, 40), 77));
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        frame.DestroyWindow();
    }
    mgr_test::RecordingFrame frame;
    CXTPMessageBar bar;
};
} // namespace

TEST_F(MessageBarOnFrame, MessageRectLeavesPaddingsAndTheCloseButton)
{
    struct Case
    {
        const char* name;
        CRect rcPadding;
        std::vector<UINT> buttons;
        CRect rcExpected;
    } const cases[] = {
        {"no paddings, no buttons", CRect(0, 0, 0, 0), {}, CRect(0, 0, 300, 40)},
        {"paddings", CRect(5, 4, 6, 3), {}, CRect(5, 4, 294, 37)},
        {"a close button", CRect(5, 4, 6, 3), {SC_CLOSE}, CRect(5, 4, 276, 37)},
        {"another button only", CRect(5, 4, 6, 3), {100}, CRect(5, 4, 294, 37)},
        {"close after another button", CRect(5, 4, 6, 3), {100, SC_CLOSE}, CRect(5, 4, 276, 37)},
        {"close without paddings", CRect(0, 0, 0, 0), {SC_CLOSE, 101}, CRect(0, 0, 282, 40)},
    };
    for (const Case& c : cases)
    {
        bar.RemoveButtons();
        bar.SetPaddings(c.rcPadding.left, c.rcPadding.top, c.rcPadding.right, c.rcPadding.bottom);
        for (UINT nId : c.buttons)
            bar.AddButton(nId, "B");
        CRect rc(-1, -1, -1, -1);
        MessageBarGetMessageRect(&bar, &rc);
        EXPECT_EQ(rc, c.rcExpected) << c.name;
    }
    // The close button is found by its id; an id nobody has gives null.
    EXPECT_EQ(bar.FindButton(SC_CLOSE), bar.GetButton(0));
    EXPECT_EQ(bar.FindButton(5), nullptr);
}

TEST_F(MessageBarOnFrame, PaintManagerFillsTheBarAroundItsMessageArea)
{
    CXTPDefaultTheme* pm = new CXTPDefaultTheme();
    pm->RefreshMetrics();
    bar.SetPaddings(5, 4, 6, 3);
    bar.AddButton(SC_CLOSE, "x");
    CRect rcMessage;
    MessageBarGetMessageRect(&bar, &rcMessage);
    ASSERT_EQ(rcMessage, CRect(5, 4, 276, 37));

    CMemorySurface mem(300, 40);
    CDC dc;
    dc.Attach(mem.DC());
    pm->FillMessageBar(&dc, &bar);
    const COLORREF face = pm->GetColor(COLOR_3DFACE), shadow = pm->GetColor(COLOR_3DSHADOW), infoBk = pm->GetColor(COLOR_INFOBK);
    ASSERT_NE(face, shadow); // the probes need distinct colours
    ASSERT_NE(face, infoBk);
    EXPECT_EQ(mem.Pixel(2, 2), face);
    EXPECT_EQ(mem.Pixel(5, 20), shadow);     // the frame's left edge
    EXPECT_EQ(mem.Pixel(275, 20), shadow);   // its right edge, 18 pixels before the paddings' edge
    EXPECT_EQ(mem.Pixel(285, 20), face);     // the close button's room
    EXPECT_EQ(mem.Pixel(100, 20), infoBk);

    // The close button draws its cross at its centre; a plain button its frame.
    CXTPMessageBarButton* pClose = bar.FindButton(SC_CLOSE);
    pClose->SetRect(CRect(278, 10, 298, 30));
    pm->DrawMessageBarButton(&dc, pClose);
    EXPECT_EQ(mem.Pixel(288, 20), RGB(0, 0, 0));
    CXTPMessageBarButton* pPlain = bar.AddButton(100, "Plain");
    pPlain->SetRect(CRect(200, 10, 240, 30));
    pm->DrawMessageBarButton(&dc, pPlain);
    EXPECT_EQ(mem.Pixel(200, 20), shadow);
    EXPECT_EQ(mem.Pixel(220, 20), face);
    dc.Detach();
    pm->InternalRelease();
}
