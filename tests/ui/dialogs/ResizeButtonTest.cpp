// The size grip: its dots, its corner, and the drag protocol with its owner (message 0x47C).
#include <gtest/gtest.h>

#include <vector>

#include "ui/UiResourceIds.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/controls/ResizeButton.h"
#include "ui/dialogs/UnitTestResizableDialog.h"

using dialog_test::CMemorySurface;
using dialog_test::PumpMessages;

namespace
{
// The expected picture: background, then 2 x 2 squares (rows of 3, 2, 1 from the bottom, 4 pixels apart) at
// offset 1 in the highlight colour and at offset 2 in the shadow colour on top.
std::vector<COLORREF> ExpectedGrip(int width, int height, COLORREF background)
{
    std::vector<COLORREF> picture(width * height, background);
    auto dots = [&](int offset, COLORREF colour) {
        const int counts[3] = {3, 2, 1};
        for (int row = 0; row < 3; ++row)
            for (int dot = 0; dot < counts[row]; ++dot)
            {
                const int x = width - offset - 2 - 4 * dot, y = height - offset - 2 - 4 * row;
                for (int py = y; py < y + 2; ++py)
                    for (int px = x; px < x + 2; ++px)
                        if (px >= 0 && py >= 0 && px < width && py < height)
                            picture[py * width + px] = colour;
            }
    };
    dots(1, CResizeButton::kHighlightColour);
    dots(2, CResizeButton::kShadowColour);
    return picture;
}

TEST(ResizeButtonTest, GripPictureIsTwoTrianglesOfSixDots)
{
    for (int size : {12, 20})
    {
        CResizeButton grip;
        CMemorySurface surface(size, size);
        ASSERT_TRUE(surface.IsValid());
        grip.DrawGrip(surface.DC(), size, size);
        const std::vector<COLORREF> expected = ExpectedGrip(size, size, grip.GetBackgroundColour());
        int shadow = 0, highlight = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
            {
                ASSERT_EQ(surface.Pixel(x, y), expected[y * size + x])
                    << "size " << size << " at " << x << "," << y;
                shadow += surface.Pixel(x, y) == CResizeButton::kShadowColour;
                highlight += surface.Pixel(x, y) == CResizeButton::kHighlightColour;
            }
        // Six shadow squares of 4 pixels; the highlight shows one L-shaped rim of 3 pixels per dot.
        EXPECT_EQ(shadow, 24);
        EXPECT_EQ(highlight, 18);
    }
}

TEST(ResizeButtonTest, WithoutWindowOrOwnerNothingHappens)
{
    CResizeButton grip;
    grip.SetOwnerRect(0, 0, 100, 100);
    EXPECT_EQ(grip.m_hWnd, nullptr);
    EXPECT_FALSE(grip.Create(nullptr, 100));
    EXPECT_FALSE(grip.NotifyOwner());
    EXPECT_EQ(grip.GetControlId(), 100u);
    EXPECT_FALSE(grip.IsDragging());
}

class GripDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create(IDD_RUN_INDIVIDUAL, nullptr));
        m_dialog.GetWindowRect(&m_start);
        m_grip = &m_dialog.GetGrip();
        ASSERT_NE(m_grip->m_hWnd, nullptr);
    }
    void TearDown() override
    {
        if (m_grip && ::GetCapture() == m_grip->m_hWnd)
            ::ReleaseCapture();
        m_dialog.DestroyWindow();
    }
    SIZE Growth() const
    {
        RECT now;
        ::GetWindowRect(m_dialog.m_hWnd, &now);
        return {(now.right - now.left) - (m_start.right - m_start.left),
                (now.bottom - now.top) - (m_start.bottom - m_start.top)};
    }
    // The grip's top-left corner in the dialog's client coordinates.
    POINT GripOrigin() const
    {
        POINT origin = {0, 0};
        ::MapWindowPoints(m_grip->m_hWnd, m_dialog.m_hWnd, &origin, 1);
        return origin;
    }
    // A mouse message at a point of the grip: to the dialog (which passes it on) or straight to the grip.
    void Mouse(UINT message, int x, int y, bool throughDialog)
    {
        if (throughDialog)
        {
            POINT origin = GripOrigin();
            m_dialog.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                                 MAKELPARAM(origin.x + x, origin.y + y));
        }
        else
            m_grip->SendMessage(message, MK_LBUTTON, MAKELPARAM(x, y));
        PumpMessages();
    }

    CUnitTestResizableDialog m_dialog{nullptr, IDD_RUN_INDIVIDUAL};
    CResizeButton* m_grip = nullptr;
    RECT m_start = {};
};

TEST_F(GripDragTest, DragGrowsTheDialogByTheMouseMovementAndKeepsTheGripInTheCorner)
{
    // Pressed off the grip's centre: each step must still grow the dialog by exactly the mouse's movement.
    Mouse(WM_LBUTTONDOWN, 2, 3, true);
    ASSERT_TRUE(m_grip->IsDragging()) << "the dialog passes a press on the grip to the grip";
    EXPECT_EQ(::GetCapture(), m_grip->m_hWnd);

    struct Step
    {
        int dx, dy;
    };
    const Step steps[] = {{10, 7}, {1, 1}, {1, 0}, {0, 1}, {25, -4}, {-6, 12}};
    int totalX = 0, totalY = 0;
    for (const Step& step : steps)
    {
        // The mouse moves by the step on the screen; the grip moved with the dialog after the last step, so
        // in the grip's coordinates the pointer is the press point plus this step.
        Mouse(WM_MOUSEMOVE, 2 + step.dx, 3 + step.dy, false);
        totalX += step.dx;
        totalY += step.dy;
        SIZE growth = Growth();
        EXPECT_EQ(growth.cx, totalX) << "after step " << step.dx << "," << step.dy;
        EXPECT_EQ(growth.cy, totalY) << "after step " << step.dx << "," << step.dy;
        RECT client;
        m_dialog.GetClientRect(&client);
        POINT origin = GripOrigin();
        EXPECT_EQ(origin.x, client.right - 12);
        EXPECT_EQ(origin.y, client.bottom - 12);
    }

    Mouse(WM_LBUTTONUP, 2, 3, false);
    EXPECT_FALSE(m_grip->IsDragging());
    EXPECT_NE(::GetCapture(), m_grip->m_hWnd);
    // Moves after the release change nothing.
    Mouse(WM_MOUSEMOVE, 9, 9, false);
    EXPECT_EQ(Growth().cx, totalX);
    EXPECT_EQ(Growth().cy, totalY);
}

TEST_F(GripDragTest, ClickWithoutMovementPostsNothing)
{
    Mouse(WM_LBUTTONDOWN, 6, 6, true);
    ASSERT_TRUE(m_grip->IsDragging());
    Mouse(WM_MOUSEMOVE, 6, 6, false);
    Mouse(WM_LBUTTONUP, 6, 6, false);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, m_dialog.m_hWnd, WM_QVX_GRIP_DRAG, WM_QVX_GRIP_DRAG, PM_NOREMOVE));
    EXPECT_EQ(Growth().cx, 0);
    EXPECT_EQ(Growth().cy, 0);
}

TEST_F(GripDragTest, PressOutsideTheGripIsNotPassedOn)
{
    m_dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_FALSE(m_grip->IsDragging());
}

TEST_F(GripDragTest, DraggingInwardStopsAtTheMinimumTrackingSize)
{
    const int width = m_start.right - m_start.left, height = m_start.bottom - m_start.top;
    m_dialog.SetMinTrackSize(width - 20, height - 10);
    Mouse(WM_LBUTTONDOWN, 6, 6, true);
    Mouse(WM_MOUSEMOVE, 6 - 50, 6 - 50, false);
    EXPECT_EQ(Growth().cx, -20);
    EXPECT_EQ(Growth().cy, -10);
    Mouse(WM_LBUTTONUP, 6, 6, false);
}
} // namespace
