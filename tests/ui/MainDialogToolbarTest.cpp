// The main dialog's command bars: the look it sets up (tooltips, paint theme, bar options).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/ui/MainDialogTestSupport.h"
#include "toolkit/common/XTPToolTipContext.h"
#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPPaintManager.h"
#include "ui/UiResourceIds.h"

using dialog_test::PumpMessages;
using dialog_test::PumpUntil;

namespace
{
class MainDialogToolbarTest : public dialog_test::CMainDialogFixture
{
protected:
    void SetUp() override
    {
        CMainDialogFixture::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        m_bars = m_dialog->GetCommandBars();
        ASSERT_NE(m_bars, nullptr);
    }

    CXTPCommandBars* m_bars = nullptr;
};

TEST_F(MainDialogToolbarTest, AppearanceSetsTheTooltipsThemeAndBarOptions)
{
    CXTPToolTipContext* tips = m_bars->GetToolTipContext();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->GetStyle(), xtpToolTipResource);
    EXPECT_TRUE(tips->IsShowTitleAndDescription());
    EXPECT_EQ(tips->GetTitleIcon(), TTI_INFO);
    EXPECT_TRUE(tips->IsShowImage());
    EXPECT_EQ(tips->GetImageOffset(), 0);
    EXPECT_EQ(tips->GetImageWidth(), 1);
    EXPECT_EQ(tips->GetMargin(), CRect(2, 2, 2, 2));
    EXPECT_EQ(tips->GetMaxTipWidth(), 180);
    EXPECT_EQ(tips->GetDelayTime(TTDT_INITIAL), 900);
    // The tips' font is the paint manager's icon-title font.
    LOGFONTA tipFont = {}, iconFont = {};
    ASSERT_TRUE(tips->GetFont()->GetSafeHandle());
    tips->GetFont()->GetLogFont(&tipFont);
    m_bars->GetPaintManager()->GetIconFont()->GetLogFont(&iconFont);
    EXPECT_STREQ(tipFont.lfFaceName, iconFont.lfFaceName);
    EXPECT_EQ(tipFont.lfHeight, iconFont.lfHeight);

    // The process-wide theme and the bars' own are made by the factory for theme 6; no faded icons.
    CXTPPaintManager* global = CXTPPaintManager::GetGlobalIfAny();
    ASSERT_NE(global, nullptr);
    EXPECT_EQ(global->m_nTheme, 6);
    EXPECT_FALSE(*global->GetIconsInfo());
    EXPECT_NE(m_bars->GetPaintManager(), global) << "the bars hold a paint manager of their own";
    EXPECT_EQ(m_bars->GetPaintManager()->m_nTheme, 6);

    CXTPCommandBarsOptions* options = m_bars->GetCommandBarsOptions();
    EXPECT_FALSE(options->bShowExpandButtonAlways);
    EXPECT_FALSE(options->bAltDragCustomization);
    EXPECT_EQ(options->szIcons, CSize(20, 20));
    EXPECT_FALSE(options->bLargeIcons);
}

TEST(MainDialogAppearanceTest, WithoutCommandBarsNothingIsSetUp)
{
    dialog_test::CMainDialogProbe dialog;
    EXPECT_EQ(dialog.GetCommandBars(), nullptr);
    EXPECT_FALSE(dialog.SetupAppearance());
}
} // namespace
