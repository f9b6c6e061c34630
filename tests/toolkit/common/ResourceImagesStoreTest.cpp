// The theme store on real modules: finding the table, reading values, image names, the image
// cache, reload notification and module ownership.
#include "toolkit/common/system/XTPNotifyConnection.h"
#include "toolkit/common/resources/XTPResourceImages.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const char kFixture[] = "tk_fx_themestore.dll";

class ReloadListener : public CXTPNotifySinkBase
{
public:
    void OnEvent(XTP_NOTIFY_CODE code, WPARAM wParam, LPARAM lParam, DWORD) override
    {
        events.push_back({code, wParam, static_cast<WPARAM>(lParam)});
    }
    struct Event
    {
        XTP_NOTIFY_CODE code;
        WPARAM wParam, lParam;
    };
    std::vector<Event> events;
};

class ResourceImagesStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hFixture = ::LoadLibraryA(kFixture);
        ASSERT_NE(nullptr, m_hFixture) << "the fixture module " << kFixture << " is missing";
    }
    void TearDown() override
    {
        if (m_hFixture)
            ::FreeLibrary(m_hFixture);
    }
    HMODULE m_hFixture = nullptr;
};
} // namespace

TEST_F(ResourceImagesStore, ProgramModuleGivesTheDefaultTableByName)
{
    CXTPResourceImages* pImages = GetResourceImages();
    EXPECT_EQ(::GetModuleHandleA(nullptr), pImages->GetResourceModule());
    EXPECT_STREQ("OFFICE2007BLUE_INI", pImages->GetIniFileName());
    EXPECT_TRUE(pImages->IsLoaded());
    EXPECT_TRUE(pImages->IsValid());
    EXPECT_EQ(1, pImages->GetImageInt("Global", "PremultiplyImages", 0));
    EXPECT_NE((COLORREF)-1, pImages->GetImageColor("Toolbar", "MenuBarText"));
    EXPECT_NE(nullptr, LoadResourceImage("TOOLBARBUTTONS22"));
    EXPECT_EQ(LoadResourceImage("TOOLBARBUTTONS22"), pImages->LoadImage("TOOLBARBUTTONS22"));
}

TEST_F(ResourceImagesStore, WithoutTheDefaultTableTheFirstTextFileIsRead)
{
    CXTPResourceImages images;
    images.SetResourceModule(m_hFixture);
    EXPECT_STREQ("", images.GetIniFileName());
    EXPECT_TRUE(images.IsValid());
    EXPECT_EQ(RGB(10, 20, 30), images.GetImageColor("Test", "Colour"));
}

TEST_F(ResourceImagesStore, NamedTableAndValueGetters)
{
    CXTPResourceImages images;
    images.SetResourceModule(m_hFixture, "Beta.ini");
    EXPECT_STREQ("Beta_ini", images.GetIniFileName());
    ASSERT_TRUE(images.IsLoaded());
    // The table has LF line ends and no end after its last line.
    EXPECT_EQ(RGB(40, 50, 60), images.GetImageColor("Test", "Colour"));
    EXPECT_EQ(RGB(40, 50, 60), images.GetImageColor("TEST", "colour"));
    EXPECT_EQ(CRect(1, 2, 3, 4), images.GetImageRect("Test", "Rect"));
    EXPECT_EQ(17, images.GetImageInt("Test", "Number"));
    EXPECT_STREQ("17", images.GetImageString("Test", "Number"));

    EXPECT_EQ(RGB(9, 9, 9), images.GetImageColor("Test", "Missing", RGB(9, 9, 9)));
    EXPECT_EQ(CRect(5, 6, 7, 8), images.GetImageRect("Test", "Missing", CRect(5, 6, 7, 8)));
    EXPECT_EQ(-7, images.GetImageInt("Test", "Missing", -7));
    EXPECT_STREQ("", images.GetIniValue("Test", "Missing"));

    images.SetResourceModule(m_hFixture, "NoSuchTable.ini");
    EXPECT_FALSE(images.IsLoaded());
    EXPECT_FALSE(images.IsValid());
    EXPECT_EQ((COLORREF)-1, images.GetImageColor("Test", "Colour"));
}

TEST_F(ResourceImagesStore, ShortValuesFillTheRestWithZero)
{
    CXTPResourceImages images;
    images.SetResourceModule(m_hFixture, "BETA_INI");
    // "17" as a colour and as a rectangle.
    EXPECT_EQ(RGB(17, 0, 0), images.GetImageColor("Test", "Number"));
    EXPECT_EQ(CRect(17, 0, 0, 0), images.GetImageRect("Test", "Number"));
}

TEST_F(ResourceImagesStore, ImageFileNameWithAndWithoutImagesSection)
{
    CXTPResourceImages images;
    images.SetResourceModule(m_hFixture, "ALPHA_INI");
    EXPECT_STREQ("Pictures_Frame_png", images.GetImageFileName("Frame.png"));
    EXPECT_STREQ("Other_png", images.GetImageFileName("Other.png"));
    EXPECT_STREQ("a_b_c", images.GetImageFileName("a\\b.c"));

    images.SetResourceModule(m_hFixture, "BETA_INI");
    EXPECT_STREQ("Frame_png", images.GetImageFileName("Frame.png"));
    EXPECT_STREQ("", images.GetImageFileName(nullptr));
}

TEST_F(ResourceImagesStore, PremultiplyFlagOfTheTableIsHonoured)
{
    CXTPResourceImages images;
    images.SetResourceModule(m_hFixture, "ALPHA_INI");
    CXTPResourceImage* pFrame = images.LoadImage("Frame.png");
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->IsAlphaImage());
    EXPECT_TRUE(pFrame->IsPremultiplied());
    // White at alpha 160 becomes 160, 160, 160.
    EXPECT_EQ(0xA0A0A0A0u, pFrame->GetPixel(1, 1));

    images.SetResourceModule(m_hFixture, "BETA_INI");
    CXTPResourceImage* pPlain = images.LoadImage("Plain.Name");
    ASSERT_NE(nullptr, pPlain);
    EXPECT_FALSE(pPlain->IsPremultiplied());
    EXPECT_EQ(0xA0FFFFFFu, pPlain->GetPixel(1, 1));
}

TEST_F(ResourceImagesStore, FailedImageIsNotLoadedAgainUntilReload)
{
    CXTPResourceImages images;
    images.SetResourceModule(m_hFixture, "BETA_INI");
    int before = images.GetImageLoadCount();
    EXPECT_EQ(nullptr, images.LoadImage("Missing.png"));
    EXPECT_EQ(nullptr, images.LoadImage("Missing.png"));
    EXPECT_EQ(before + 1, images.GetImageLoadCount());

    CXTPResourceImage* pPlain = images.LoadImage("Plain.Name");
    EXPECT_EQ(pPlain, images.LoadImage("Plain.Name"));
    EXPECT_EQ(before + 2, images.GetImageLoadCount());

    EXPECT_TRUE(images.ReloadIni());
    EXPECT_EQ(nullptr, images.LoadImage("Missing.png"));
    EXPECT_EQ(before + 3, images.GetImageLoadCount());

    EXPECT_EQ(nullptr, images.LoadImage(nullptr));
    images.SetResourceModule(nullptr);
    EXPECT_EQ(nullptr, images.LoadImage("Plain.Name"));
    EXPECT_FALSE(images.IsValid());
}

TEST_F(ResourceImagesStore, ReloadNotifiesListenersWithBothParametersZero)
{
    CXTPResourceImages images;
    ReloadListener listener;
    listener.Advise(images.GetConnection(), XTP_NC_COMMON_RESOURCEIMAGES_CHANGED);
    EXPECT_EQ(images.GetConnection(), images.GetConnection());

    images.SetResourceModule(m_hFixture, "ALPHA_INI");
    images.ReloadIni();
    ASSERT_EQ(2u, listener.events.size());
    for (const auto& e : listener.events)
    {
        EXPECT_EQ(static_cast<XTP_NOTIFY_CODE>(10575), e.code);
        EXPECT_EQ(0u, e.wParam);
        EXPECT_EQ(0u, e.lParam);
    }
    listener.UnadviseAll();
}

TEST_F(ResourceImagesStore, ListenerLoadingDuringTheReloadGetsTheNewTablesForm)
{
    // From a table without premultiplying to one with it: an image loaded by a listener of the
    // reload event is premultiplied as the new table asks.
    CXTPResourceImages images;
    images.SetResourceModule(m_hFixture, "BETA_INI");
    struct Loader : CXTPNotifySinkBase
    {
        CXTPResourceImages* pImages = nullptr;
        CXTPResourceImage* pLoaded = nullptr;
        void OnEvent(XTP_NOTIFY_CODE, WPARAM, LPARAM, DWORD) override { pLoaded = pImages->LoadImage("Frame.png"); }
    } loader;
    loader.pImages = &images;
    loader.Advise(images.GetConnection(), XTP_NC_COMMON_RESOURCEIMAGES_CHANGED);
    images.SetResourceModule(m_hFixture, "ALPHA_INI");
    ASSERT_NE(nullptr, loader.pLoaded);
    EXPECT_TRUE(loader.pLoaded->IsPremultiplied());
    EXPECT_EQ(0xA0A0A0A0u, loader.pLoaded->GetPixel(1, 1));
    loader.UnadviseAll();
}

TEST_F(ResourceImagesStore, OwnedModuleIsFreedWhenReplaced)
{
    HMODULE hOwned = ::LoadLibraryA(kFixture); // a second reference, handed to the store
    ASSERT_EQ(m_hFixture, hOwned);
    {
        CXTPResourceImages images;
        images.SetResourceModule(hOwned, "ALPHA_INI", TRUE);
        images.SetResourceModule(::GetModuleHandleA(nullptr));
    }
    // Only the test's own reference is left: one more FreeLibrary unloads the module.
    ::FreeLibrary(m_hFixture);
    EXPECT_EQ(nullptr, ::GetModuleHandleA(kFixture));
    m_hFixture = nullptr;

    HMODULE hAgain = ::LoadLibraryA(kFixture);
    ASSERT_NE(nullptr, hAgain);
    {
        CXTPResourceImages images;
        images.SetResourceModule(hAgain, "ALPHA_INI", TRUE); // freed with the store
    }
    EXPECT_EQ(nullptr, ::GetModuleHandleA(kFixture));
}
