// Resizing the harness's resizable dialogs away from the screen origin: drag steps on the size grip grow the
// main dialog and the run-individual dialog by exactly the mouse's movement, and the main dialog's progress
// indicator follows the layout and is drawn again at its new width, frame included.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/app/QuorvexApp.h"
#include "tests/ui/DialogTestSupport.h"
#include "tests/ui/MainDialogTestSupport.h"
#include "ui/QuorvexRunIndividualDialog.h"
#include "ui/UiResourceIds.h"
#include "ui/controls/QuorvexgressIndicator.h"

using dialog_test::CMemorySurface;
using dialog_test::PumpMessages;

namespace
{
SIZE WindowSize(HWND window)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Drags the dialog's grip the way the system delivers a drag: the press reaches the dialog (the grip lets
// mouse messages through to it), the moves go to the grip that captured the mouse, each in the grip's
// coordinates at the moment the mouse gets there. The mouse starts on the grip and moves by each step in
// turn; after every step the dialog's size must have grown by exactly the distance moved so far.
void ExpectGripDragFollowsTheMouse(CResizableDialog& dialog, const char* which)
{
    SCOPED_TRACE(which);
    // Away from the screen origin, placed after the dialog's last size change.
    dialog.SetWindowPos(nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    CResizeButton& grip = dialog.GetGrip();
    ASSERT_NE(grip.m_hWnd, nullptr);
    const SIZE start = WindowSize(dialog.m_hWnd);

    RECT onScreen;
    grip.GetWindowRect(&onScreen);
    POINT mouse = {onScreen.left + 4, onScreen.top + 5};
    POINT inDialog = mouse;
    ::ScreenToClient(dialog.m_hWnd, &inDialog);
    dialog.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inDialog.x, inDialog.y));
    PumpMessages();
    ASSERT_TRUE(grip.IsDragging());

    const POINT steps[] = {{5, 5}, {5, 5}, {5, 5}, {20, 3}, {-7, 11}, {1, 0}};
    int totalX = 0, totalY = 0;
    for (const POINT& step : steps)
    {
        mouse.x += step.x;
        mouse.y += step.y;
        totalX += step.x;
        totalY += step.y;
        POINT onGrip = mouse;
        ::ScreenToClient(grip.m_hWnd, &onGrip);
        grip.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(onGrip.x, onGrip.y));
        PumpMessages();
        const SIZE now = WindowSize(dialog.m_hWnd);
        EXPECT_EQ(now.cx - start.cx, totalX) << "after the step " << step.x << "," << step.y;
        EXPECT_EQ(now.cy - start.cy, totalY) << "after the step " << step.x << "," << step.y;
    }
    grip.PostMessage(WM_LBUTTONUP, 0, 0);
    PumpMessages();
    EXPECT_FALSE(grip.IsDragging());
    RECT window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(window.left, 300) << "the grip grows the dialog to the right and down only";
    EXPECT_EQ(window.top, 200);
}

using DialogResizeTest = dialog_test::CMainDialogFixture;

TEST_F(DialogResizeTest, GripStepsGrowTheMainDialogByTheMouseMovement)
{
    m_dialog->ShowWindow(SW_SHOW);
    ExpectGripDragFollowsTheMouse(*m_dialog, "main dialog");
}

TEST(DialogResizeRunIndividualTest, GripStepsGrowTheRunIndividualDialogByTheMouseMovement)
{
    CQuorvexApp app;
    ASSERT_EQ(app.LoadTestSuite(CDravikString(dialog_test::FixturePath("fx_pick.dll").c_str())), 0);
    {
        CQuorvexRunIndividualDialog dialog;
        dialog.SetExecutor(app.GetExecutor());
        ASSERT_TRUE(dialog.Create(CQuorvexRunIndividualDialog::kTemplateId, nullptr));
        dialog.ShowWindow(SW_SHOW);
        PumpMessages();
        ExpectGripDragFollowsTheMouse(dialog, "run-individual dialog");
        dialog.DestroyWindow();
    }
    app.UnloadTestSuite();
}

// What the dialog's client area shows, read back from its window into a memory surface. A print
// (WM_PRINT) would draw every control afresh; the read-back sees what the last paints left.
struct CClientPicture
{
    explicit CClientPicture(HWND dialog) : surface(Width(dialog), Height(dialog))
    {
        HDC window = ::GetDC(dialog);
        ::BitBlt(surface.DC(), 0, 0, Width(dialog), Height(dialog), window, 0, 0, SRCCOPY);
        ::ReleaseDC(dialog, window);
    }
    static int Width(HWND dialog)
    {
        RECT client;
        ::GetClientRect(dialog, &client);
        return client.right;
    }
    static int Height(HWND dialog)
    {
        RECT client;
        ::GetClientRect(dialog, &client);
        return client.bottom;
    }
    CMemorySurface surface;
};

TEST_F(DialogResizeTest, ProgressIndicatorFollowsTheLayoutAndIsDrawnAtItsNewWidth)
{
    m_dialog->ShowWindow(SW_SHOW);
    m_dialog->SetWindowPos(nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpMessages(200);
    const SIZE start = WindowSize(m_dialog->m_hWnd);
    HWND progress = ::GetDlgItem(m_dialog->m_hWnd, IDC_PROGRESS_INDICATOR);
    ASSERT_NE(progress, nullptr);

    struct Case
    {
        const char* what;
        int width;
    };
    // Wider (as a drag of the frame does it), narrower again, then back to the starting width.
    const Case cases[] = {{"widened", start.cx + 200}, {"shrunk back", start.cx + 40}, {"narrowest", start.cx}};
    for (const Case& step : cases)
    {
        SCOPED_TRACE(step.what);
        m_dialog->SetWindowPos(nullptr, 0, 0, step.width, start.cy, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages(200);
        RECT client, bar;
        m_dialog->GetClientRect(&client);
        ::GetWindowRect(progress, &bar);
        ::MapWindowPoints(nullptr, m_dialog->m_hWnd, reinterpret_cast<POINT*>(&bar), 2);
        EXPECT_EQ(bar.left, 12);
        EXPECT_EQ(bar.right, client.right - 12) << "the bar keeps its margin to the client area's right edge";

        CClientPicture picture(m_dialog->m_hWnd);
        const int middle = (bar.top + bar.bottom) / 2;
        const COLORREF frame = CQuorvexgressIndicator::kFrameColour;
        EXPECT_EQ(picture.surface.Pixel(bar.left, middle), frame) << "left edge of the frame";
        EXPECT_EQ(picture.surface.Pixel(bar.right - 1, middle), frame) << "right edge of the frame at the new width";
        EXPECT_EQ(picture.surface.Pixel((bar.left + bar.right) / 2, bar.top), frame) << "top edge";
        EXPECT_EQ(picture.surface.Pixel((bar.left + bar.right) / 2, bar.bottom - 1), frame) << "bottom edge";
        // Nothing of the bar lies in the margin or inside it at another width.
        for (int x = bar.right; x < client.right; ++x)
            EXPECT_NE(picture.surface.Pixel(x, bar.top), frame) << "margin pixel " << x;
        for (int x = bar.left + 1; x < bar.right - 1; ++x)
            ASSERT_NE(picture.surface.Pixel(x, middle), frame) << "a frame edge inside the bar at " << x;
    }
}
} // namespace
