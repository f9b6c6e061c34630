// Shared system data: the non-client metrics record, colours in order, cursors and fonts.
#include "toolkit/common/system/XTPAuxData.h"

#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/system/XTPNcMetrics.h"
#include "toolkit/common/resources/XTPResourceManager.h"

#include <gtest/gtest.h>

namespace
{
LOGFONTA FontOf(CFont& font)
{
    LOGFONTA lf = {};
    EXPECT_NE(nullptr, font.GetSafeHandle());
    ::GetObjectA(font.GetSafeHandle(), sizeof(lf), &lf);
    return lf;
}

// A resource manager that takes cursors from one module only, counting the requests.
class ModuleOnlyResourceManager : public CXTPResourceManager
{
public:
    explicit ModuleOnlyResourceManager(HMODULE hModule) : m_hModule(hModule) {}
    HCURSOR LoadCursor(UINT nIDResource) override
    {
        ++nRequests;
        return ::LoadCursorA(m_hModule, MAKEINTRESOURCEA(nIDResource));
    }
    int nRequests = 0;

private:
    HMODULE m_hModule;
};
} // namespace

TEST(AuxData, NonClientMetricsHaveThe32BitSize)
{
    CXTPNcMetrics ncm;
    EXPECT_EQ(340u, ncm.cbSize);
    EXPECT_GT(ncm.iCaptionHeight, 0);
    EXPECT_NE('\0', ncm.lfMenuFont.lfFaceName[0]);
}

TEST(AuxData, ColoursFollowTheColourManagerInOrder)
{
    const int expected[XTP_AUXDATA_COLORS] = {15, 16, 21, 20, 22, 18, 17, 13, 14, 4,  7,  5,  6,  8,
                                              2,  3,  27, 28, 9,  19, 30, 31, 32, 33, 34, 35, 36, 37,
                                              38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49};
    CXTPAuxData* pData = GetAuxData();
    ASSERT_EQ(pData, GetAuxData());
    RefreshGlobalColors();
    pData->UpdateSysColors();
    for (int i = 0; i < XTP_AUXDATA_COLORS; ++i)
    {
        EXPECT_EQ(expected[i], CXTPAuxData::GetColorIndex(i)) << i;
        EXPECT_EQ(GetColorManager()->GetColor(expected[i]), pData->GetColor(i)) << i;
    }
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_3DFACE), pData->clr3DFace);
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_INACTIVECAPTIONTEXT), pData->clrInactiveCaptText);
    EXPECT_EQ(-1, CXTPAuxData::GetColorIndex(40));
}

TEST(AuxData, MetricsAndFacts)
{
    CXTPAuxData* pData = GetAuxData();
    pData->UpdateSysMetrics();
    EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), pData->cxSmIcon);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENU), pData->cyMenuItem);
    EXPECT_EQ(CSize(18, 18), pData->sizeFixedButton);
    EXPECT_NE((DWORD)-1, pData->dwComCtlVersion);
    EXPECT_FALSE(pData->bUseOfficeFont);
    EXPECT_FALSE(pData->bReserved1);
    EXPECT_TRUE(pData->bReserved2);
}

TEST(AuxData, AllCursorsLoadFromTheProgram)
{
    CXTPAuxData* pData = GetAuxData();
    EXPECT_TRUE(pData->LoadSysCursors());
    HCURSOR cursors[] = {pData->hcurDragCopy,  pData->hcurDragMove,  pData->hcurDragNone, pData->hcurHand,
                         pData->hcurHSplitBar, pData->hcurVSplitBar, pData->hcurMove};
    for (HCURSOR h : cursors)
        EXPECT_NE(nullptr, h);
    // The toolkit's own cursors are in this program's resources.
    for (UINT id : {9308u, 9309u, 9310u, 9970u, 9971u, 9973u})
        EXPECT_NE(nullptr, ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id))) << id;
}

TEST(AuxData, CursorLoadingStopsAtTheFirstMissingCursor)
{
    HMODULE hNone = ::LoadLibraryA("tk_fx_none.dll");
    ASSERT_NE(nullptr, hNone);
    ModuleOnlyResourceManager* pManager = new ModuleOnlyResourceManager(hNone);
    SetResourceManager(pManager);
    CXTPAuxData* pData = GetAuxData();
    EXPECT_FALSE(pData->LoadSysCursors());
    EXPECT_EQ(1, pManager->nRequests);
    EXPECT_EQ(nullptr, pData->hcurDragCopy);
    EXPECT_EQ(nullptr, pData->hcurHand);
    EXPECT_EQ(nullptr, pData->hcurMove);
    SetResourceManager(nullptr);
    ::FreeLibrary(hNone);
    EXPECT_TRUE(pData->LoadSysCursors());
}

TEST(AuxData, TenFontsFromTheMenuFont)
{
    CXTPAuxData* pData = GetAuxData();
    ASSERT_TRUE(pData->UpdateSysFonts());
    CXTPNcMetrics ncm;
    LOGFONTA lf = FontOf(pData->font);
    EXPECT_STREQ(ncm.lfMenuFont.lfFaceName, lf.lfFaceName);
    EXPECT_EQ(ncm.lfMenuFont.lfHeight, lf.lfHeight);
    EXPECT_EQ(700, FontOf(pData->fontBold).lfWeight);
    EXPECT_TRUE(FontOf(pData->fontULine).lfUnderline);
    LOGFONTA lfVert = FontOf(pData->fontVert);
    EXPECT_EQ(900, lfVert.lfEscapement);
    EXPECT_EQ(2700, lfVert.lfOrientation);
    LOGFONTA lfVertBold = FontOf(pData->fontVertBold);
    EXPECT_EQ(700, lfVertBold.lfWeight);
    EXPECT_EQ(900, lfVertBold.lfEscapement);

    LOGFONTA lfIcon = {};
    GetIconTitleLogFont(&lfIcon);
    EXPECT_EQ(lfIcon.lfHeight, FontOf(pData->fontIconTitle).lfHeight);
    EXPECT_EQ(700, FontOf(pData->fontIconTitleBold).lfWeight);
    LOGFONTA lfMarlett = FontOf(pData->fontMarlett);
    EXPECT_STREQ("Marlett", lfMarlett.lfFaceName);
    EXPECT_EQ(lfIcon.lfHeight, lfMarlett.lfHeight);
    EXPECT_EQ(DEFAULT_CHARSET, lfMarlett.lfCharSet);
    EXPECT_EQ(0, lfMarlett.lfWeight);
    EXPECT_STREQ(ncm.lfStatusFont.lfFaceName, FontOf(pData->fontStatus).lfFaceName);
    EXPECT_STREQ(ncm.lfSmCaptionFont.lfFaceName, FontOf(pData->fontSmCaption).lfFaceName);
}

TEST(AuxData, GivenFacesReplaceTheMenuFaceWhenInstalled)
{
    CXTPAuxData* pData = GetAuxData();
    ASSERT_TRUE(FontExists("Tahoma"));
    ASSERT_TRUE(pData->UpdateSysFonts("Tahoma", "Marlett"));
    EXPECT_STREQ("Tahoma", FontOf(pData->font).lfFaceName);
    EXPECT_STREQ("Tahoma", FontOf(pData->fontBold).lfFaceName);
    EXPECT_STREQ("Marlett", FontOf(pData->fontVert).lfFaceName);

    // A face that is not installed is not taken.
    CXTPNcMetrics ncm;
    ASSERT_TRUE(pData->UpdateSysFonts("No Such Face Installed", "Nor This One"));
    EXPECT_STREQ(ncm.lfMenuFont.lfFaceName, FontOf(pData->font).lfFaceName);
    pData->UpdateSysFonts();
}

TEST(AuxData, VerticalFontsUseArialOnlyWhenInstalled)
{
    CXTPAuxData* pData = GetAuxData();
    ASSERT_TRUE(pData->UpdateSysFonts());
    LOGFONTA lf = FontOf(pData->font);
    LOGFONTA lfVert = FontOf(pData->fontVert);
    if (lstrcmpiA(lf.lfFaceName, "Tahoma") != 0 && FontExists("Arial"))
        EXPECT_STREQ("Arial", lfVert.lfFaceName);
    else
        EXPECT_STREQ(lf.lfFaceName, lfVert.lfFaceName); // without "Arial" (the test prefix has none)
}

TEST(AuxData, OfficeFontFlagPicksTahoma)
{
    CXTPAuxData* pData = GetAuxData();
    pData->bUseOfficeFont = TRUE;
    ASSERT_TRUE(pData->UpdateSysFonts());
    CXTPNcMetrics ncm;
    if (GetResourceManager()->GetFontCharset() <= 2 && FontExists("Tahoma"))
        EXPECT_STREQ("Tahoma", FontOf(pData->font).lfFaceName);
    else
        EXPECT_STREQ(ncm.lfMenuFont.lfFaceName, FontOf(pData->font).lfFaceName);
    pData->bUseOfficeFont = FALSE;
    pData->UpdateSysFonts();
}
