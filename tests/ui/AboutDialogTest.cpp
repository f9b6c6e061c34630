// The about dialog: run modally and ended by posted messages; banner, version field, Help and F1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/AboutDialog.h"
#include "ui/UiResourceIds.h"
#include "tests/ui/DialogTestSupport.h"

using dialog_test::CHelpRecorder;

namespace
{
// Records what the dialog shows once it is up, then asks for help through the Help button and through F1 on
// the OK button (both through the modal loop) and finally closes itself with the close request.
class CAboutProbe : public CAboutDialog
{
public:
    BOOL OnInitDialog() override
    {
        BOOL result = CAboutDialog::OnInitDialog();
        bannerExists = GetBanner().m_hWnd != nullptr;
        if (bannerExists)
        {
            RECT rect;
            GetBanner().GetWindowRect(&rect);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
            bannerRect = rect;
            bannerVisible = (GetBanner().GetStyle() & WS_VISIBLE) != 0;
        }
        BITMAP info = {};
        if (GetBannerBitmap().GetSafeHandle())
            GetBannerBitmap().GetBitmap(&info);
        bitmapSize = {info.bmWidth, info.bmHeight};
        char text[64] = {};
        ::GetDlgItemTextA(m_hWnd, IDC_ABOUT_VERSION, text, sizeof text);
        versionText = text;
        HWND ok = ::GetDlgItem(m_hWnd, IDOK);
        char cls[32] = {};
        ::GetClassNameA(ok, cls, sizeof cls);
        okIsButton = ok && ok != GetBanner().m_hWnd && _stricmp(cls, "Button") == 0;

        PostMessage(WM_COMMAND, ID_HELP_COMMAND, 0);
        ::PostMessageA(::GetDlgItem(m_hWnd, IDOK), WM_KEYDOWN, VK_F1, 1);
        PostMessage(WM_QVX_CLOSE_DIALOG);
        return result;
    }
    bool bannerExists = false;
    bool bannerVisible = false;
    RECT bannerRect = {};
    SIZE bitmapSize = {};
    std::string versionText;
    bool okIsButton = false;
};

TEST(AboutDialogTest, OpensWithBannerAndVersionAnswersHelpAndF1AndClosesOnRequest)
{
    CHelpRecorder help;
    CAboutProbe about;
    about.SetOwnerDialog(&help);
    EXPECT_EQ(about.DoModal(), IDCANCEL);
    EXPECT_EQ(about.m_hWnd, nullptr) << "the window is gone after the modal loop";

    EXPECT_TRUE(about.bannerExists);
    EXPECT_TRUE(about.bannerVisible);
    EXPECT_EQ(about.bannerRect.left, 0);
    EXPECT_EQ(about.bannerRect.top, 0);
    EXPECT_EQ(about.bannerRect.right, 550);
    EXPECT_EQ(about.bannerRect.bottom, 60);
    EXPECT_EQ(about.bitmapSize.cx, 550);
    EXPECT_EQ(about.bitmapSize.cy, 60);
    EXPECT_EQ(about.versionText, "1.0.0.0");
    // The banner does not take the OK button's id: the dialog's item 1 is the OK button.
    EXPECT_TRUE(about.okIsButton);
    EXPECT_EQ(about.GetBanner().m_hWnd, nullptr);
    // Help button and F1 each opened the about topic; the dialog stayed open for the close request.
    ASSERT_EQ(help.topics.size(), 2u);
    EXPECT_EQ(help.topics[0], 1000u);
    EXPECT_EQ(help.topics[1], 1000u);
}

TEST(AboutDialogTest, WithoutOwnerThereIsNoBannerAndHelpDoesNothing)
{
    CAboutProbe about;
    EXPECT_EQ(about.DoModal(), IDCANCEL);
    EXPECT_FALSE(about.bannerExists);
    EXPECT_EQ(about.versionText, "1.0.0.0");
}

TEST(AboutDialogTest, BannerPaintsTheBitmapIntoTheBannerWindow)
{
    CHelpRecorder help;
    CAboutDialog about;
    about.SetOwnerDialog(&help);
    ASSERT_TRUE(about.Create(CAboutDialog::kTemplateId, nullptr));
    // OnInitDialog ran through Create: the banner exists; paint it and read it back from the banner's DC.
    ASSERT_NE(about.GetBanner().m_hWnd, nullptr);
    // The picture that goes into the banner is the bitmap itself, pixel for pixel.
    dialog_test::CMemorySurface surface(550, 60);
    ASSERT_TRUE(about.DrawBanner(surface.DC(), 550, 60));
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(memory, about.GetBannerBitmap().GetSafeHandle());
    int differing = 0, colours = 0;
    COLORREF last = CLR_INVALID;
    for (int y = 0; y < 60; y += 7)
        for (int x = 0; x < 550; x += 13)
        {
            const COLORREF pixel = ::GetPixel(memory, x, y);
            differing += pixel != surface.Pixel(x, y);
            colours += pixel != last;
            last = pixel;
        }
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    EXPECT_EQ(differing, 0);
    EXPECT_GT(colours, 10) << "the banner is a picture, not a plain fill";
    about.PaintBanner();
    // The banner window is validated after painting: nothing is left for its own WM_PAINT.
    RECT update;
    EXPECT_FALSE(::GetUpdateRect(about.GetBanner().m_hWnd, &update, FALSE));
    about.DestroyWindow();
}
} // namespace
