// The paint manager's settings, sets, fonts, text calls and drawing order, read through an appearance
// set that records what it is asked to draw.
#include "TabTestSupport.h"
#include "toolkit/controls/tabs/XTPTabColorSetsOffice.h"

#include "tests/common/MemorySurface.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/controls/tabs/XTPTabAppearanceSetsSlanted.h"

#include <gtest/gtest.h>
#include <typeinfo>

using qvx_test::CMemorySurface;
using tab_test::CTestTabManager;

namespace
{
struct TextCall
{
    std::string text;
    UINT nFormat;
    CRect rc;
};

// Records the text calls and the order of tab drawing; text is measured as 7 pixels a character
// and 13 high.
class CRecordingAppearance : public tab_test::CFixedAppearance
{
public:
    void DrawText(CDC* pDC, CXTPTabManager*, const CString& str, LPRECT lpRect, UINT nFormat) override
    {
        if (nFormat & DT_CALCRECT)
        {
            lpRect->right = lpRect->left + 7 * str.GetLength();
            lpRect->bottom = lpRect->top + 13;
            return;
        }
        calls.push_back({std::string(str.GetString()), nFormat, CRect(*lpRect)});
        fonts.push_back(::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
    }
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override
    {
        order += pItem->GetCaption();
        CFixedAppearance::DrawSingleButton(pDC, pItem);
    }
    std::vector<TextCall> calls;
    std::vector<HGDIOBJ> fonts;
    std::string order;
};

struct Fixture
{
    Fixture()
    {
        pSet = new CRecordingAppearance();
        manager.m_pPaintManager->SetAppearanceSet(pSet);
    }
    void Draw()
    {
        CDC dc;
        dc.Attach(surface.DC());
        manager.m_pPaintManager->DrawTabControl(&manager, &dc, manager.m_rcLayout);
        dc.Detach();
    }
    CTestTabManager manager;
    CRecordingAppearance* pSet;
    CMemorySurface surface{300, 100};
};

COLORREF Sys(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}
} // namespace

TEST(TabPaintManager, ConstructionDefaults)
{
    CXTPTabPaintManager pm;
    EXPECT_EQ(pm.GetAppearance(), 0);
    EXPECT_EQ(pm.GetColor(), 1);
    EXPECT_EQ(pm.m_rcTextInset, CRect(6, 0, 6, 0));
    EXPECT_EQ(pm.m_szIcon, CSize(16, 16));
    EXPECT_EQ(pm.m_szNavigateButton, CSize(14, 15));
    EXPECT_EQ(pm.m_nFixedItemLength, 70);
    EXPECT_EQ(pm.m_nToolTipMode, 2);
    EXPECT_EQ(pm.m_nTextFormat, UINT(DT_VCENTER));
    EXPECT_TRUE(pm.m_bSelectOnButtonDown);
    EXPECT_TRUE(pm.m_bClipHeader);
    EXPECT_FALSE(pm.m_bHotTracking);
    EXPECT_NE(pm.m_fontNormal.GetSafeHandle(), nullptr);
    EXPECT_NE(pm.m_fontVerticalBold.GetSafeHandle(), nullptr);
    ASSERT_NE(dynamic_cast<CXTPTabPaintManager::CAppearanceSetPropertyPage*>(pm.GetAppearanceSet()), nullptr);
    EXPECT_EQ(pm.GetAppearanceSet()->GetSupportedColorSets(), 13);
    ASSERT_NE(dynamic_cast<CXTPTabPaintManager::CColorSetDefault*>(pm.GetColorSet()), nullptr);
    EXPECT_EQ(pm.GetAppearanceSet()->GetHeaderMargin(), CRect(2, 3, 6, 0));
    EXPECT_EQ(pm.GetAppearanceSet()->m_nRowSpacing, -2);
}

TEST(TabPaintManager, NullSetsKeepThePreviousAndStillReposition)
{
    CTestTabManager manager;
    CXTPTabPaintManager* pm = manager.m_pPaintManager;
    CXTPTabPaintManagerAppearanceSet* pAppearance = pm->GetAppearanceSet();
    CXTPTabPaintManagerColorSet* pColors = pm->GetColorSet();
    const int nBefore = manager.m_nRepositions;
    EXPECT_EQ(pm->SetAppearanceSet(nullptr), nullptr);
    EXPECT_EQ(pm->SetColorSet(nullptr), nullptr);
    EXPECT_EQ(pm->GetAppearanceSet(), pAppearance);
    EXPECT_EQ(pm->GetColorSet(), pColors);
    EXPECT_EQ(manager.m_nRepositions, nBefore + 2);
    EXPECT_EQ(pColors->GetPaintManager(), pm);
    // An appearance id and a colour id make their own sets; a colour id of no set falls back to the
    // default colours.
    pm->SetAppearance(9);
    EXPECT_EQ(pm->GetAppearance(), 9);
    EXPECT_NE(dynamic_cast<CXTPTabPaintManager::CAppearanceSetVisualStudio2005*>(pm->GetAppearanceSet()), nullptr);
    pm->SetColor(4);
    EXPECT_EQ(pm->GetColor(), 4);
    EXPECT_NE(dynamic_cast<CXTPTabPaintManager::CColorSetOffice2003*>(pm->GetColorSet()), nullptr);
    pm->SetColor(3);
    EXPECT_EQ(pm->GetColor(), 3);
    EXPECT_TRUE(typeid(*pm->GetColorSet()) == typeid(CXTPTabPaintManager::CColorSetDefault));
}

TEST(TabPaintManager, FontsFollowTheLogFontAndVerticalHeightsAreNeverTiny)
{
    CXTPTabPaintManager pm;
    LOGFONTA lf = {};
    lf.lfHeight = -8;
    lstrcpyA(lf.lfFaceName, "MS Sans Serif");
    pm.m_bBoldNormal = TRUE;
    pm.SetFontIndirect(&lf, FALSE);
    EXPECT_FALSE(pm.m_bUseDefaultFont);
    LOGFONTA out = {};
    pm.m_fontNormal.GetLogFont(&out);
    EXPECT_EQ(out.lfHeight, -8);
    EXPECT_EQ(out.lfWeight, FW_BOLD);
    pm.m_fontVerticalNormal.GetLogFont(&out);
    EXPECT_EQ(out.lfHeight, -11);
    EXPECT_EQ(out.lfEscapement, 2700);
    EXPECT_EQ(out.lfOrientation, 900);
    pm.m_bVerticalTextTopDown = FALSE;
    lf.lfHeight = -15;
    pm.SetFontIndirect(&lf, FALSE);
    pm.m_fontVerticalBold.GetLogFont(&out);
    EXPECT_EQ(out.lfHeight, -15);
    EXPECT_EQ(out.lfEscapement, 900);
    EXPECT_EQ(out.lfWeight, FW_BOLD);

    HGDIOBJ hBefore = pm.m_fontNormal.GetSafeHandle();
    pm.SetFontIndirect(nullptr, TRUE);
    EXPECT_TRUE(pm.m_bUseDefaultFont);
    EXPECT_EQ(pm.m_fontNormal.GetSafeHandle(), hBefore) << "a null font only stores the flag";
}

TEST(TabPaintManager, CompressedLayoutShowsTheCaptionOfTheSelectedTabOnly)
{
    Fixture f;
    f.manager.m_pPaintManager->m_nLayout = xtpTabLayoutCompressed;
    f.manager.AddItem(-1)->m_strCaption = "ab";
    f.manager.AddItem(-1)->m_strCaption = "abcdefghij";
    f.manager.SetCurSel(0);
    // Not selected: icon width 16 + 8; selected: insets 12 + widest caption 70 (no icon).
    EXPECT_EQ(f.manager.GetItem(1)->m_nContentLength, 24);
    EXPECT_EQ(f.manager.GetItem(0)->m_nContentLength, 12 + 70);
    f.Draw();
    ASSERT_EQ(f.pSet->calls.size(), 1u);
    EXPECT_EQ(f.pSet->calls[0].text, "ab");
}

TEST(TabPaintManager, CaptionFormatsAndAmpersands)
{
    struct Case
    {
        const char* name;
        BOOL bNoPrefix, bEndEllipsis, bStrip;
        const char* drawn;
        UINT nFormat;
    } cases[] = {
        {"defaults", TRUE, TRUE, FALSE, "&Save", DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX},
        {"prefix kept", FALSE, FALSE, FALSE, "&Save", DT_SINGLELINE | DT_VCENTER},
        {"ampersands stripped", FALSE, TRUE, TRUE, "Save", DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Fixture f;
        CXTPTabPaintManager* pm = f.manager.m_pPaintManager;
        pm->m_bNoPrefix = c.bNoPrefix;
        pm->m_bEndEllipsis = c.bEndEllipsis;
        pm->m_bStripAmpersands = c.bStrip;
        f.manager.AddItem(-1)->m_strCaption = "&Save";
        f.manager.Reposition();
        f.Draw();
        ASSERT_EQ(f.pSet->calls.size(), 1u);
        EXPECT_EQ(f.pSet->calls[0].text, c.drawn);
        EXPECT_EQ(f.pSet->calls[0].nFormat, c.nFormat);
        // The text lies inside the tab less the insets.
        CRect rcItem = f.manager.GetItem(0)->GetRect();
        EXPECT_EQ(f.pSet->calls[0].rc.left, rcItem.left + 6);
        EXPECT_EQ(f.pSet->calls[0].rc.right, rcItem.right - 6);
    }
}

TEST(TabPaintManager, VerticalCaptionsUseTheVerticalFont)
{
    Fixture f;
    f.manager.m_pPaintManager->m_nPosition = xtpTabPositionLeft;
    f.manager.AddItem(-1)->m_strCaption = "Vertical";
    f.manager.Reposition();
    f.Draw();
    ASSERT_EQ(f.pSet->calls.size(), 1u);
    EXPECT_EQ(f.pSet->calls[0].nFormat, UINT(DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_END_ELLIPSIS));
    EXPECT_EQ(f.pSet->fonts[0], f.manager.m_pPaintManager->m_fontVerticalNormal.GetSafeHandle());
    // Measured along the column: insets 12 + 8 characters.
    EXPECT_EQ(f.manager.GetItem(0)->GetRect().Height(), 12 + 56);
}

TEST(TabPaintManager, BoldSelectedOnlyWhileTheManagerIsActive)
{
    Fixture f;
    CXTPTabPaintManager* pm = f.manager.m_pPaintManager;
    pm->m_bBoldSelected = TRUE;
    f.manager.AddLengths({40, 40});
    f.manager.SetCurSel(0);
    EXPECT_EQ(pm->GetItemFont(f.manager.GetItem(0)), &pm->m_fontBold);
    EXPECT_EQ(pm->GetItemFont(f.manager.GetItem(1)), &pm->m_fontNormal);
    f.manager.SetActive(FALSE);
    EXPECT_EQ(pm->GetItemFont(f.manager.GetItem(0)), &pm->m_fontNormal);
    pm->m_nLayout = xtpTabLayoutRotated;
    EXPECT_EQ(pm->GetItemFont(f.manager.GetItem(1)), &pm->m_fontVerticalNormal) << "rotated top tabs run vertically";
}

TEST(TabPaintManager, MiddleEllipsis)
{
    struct Case
    {
        const char* name;
        const char* caption;
        int nWidth;
        bool bPath;
        const char* expectedPrefix;
    } cases[] = {
        {"a path uses the path ellipsis", "C:\\folder\\file.txt", 40, true, "C:\\folder\\file.txt"},
        {"fits unchanged", "short", 400, false, "short"},
        {"narrower than the dots", "a long caption", 5, false, "..."},
        {"head and tail around the dots", "abcdefghijklmnopqrstuvwxyz", 90, false, "abc"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Fixture f;
        CDC dc;
        dc.Attach(f.surface.DC());
        CFont* pOld = dc.SelectObject(&f.manager.m_pPaintManager->m_fontNormal);
        f.manager.m_pPaintManager->DrawTextMiddleEllipsis(&dc, &f.manager, c.caption, CRect(0, 0, c.nWidth, 20),
                                                          DT_SINGLELINE);
        const int nFits = c.nWidth;
        ASSERT_EQ(f.pSet->calls.size(), 1u);
        const TextCall& call = f.pSet->calls[0];
        EXPECT_EQ((call.nFormat & DT_PATH_ELLIPSIS) != 0, c.bPath);
        EXPECT_EQ(call.text.compare(0, strlen(c.expectedPrefix), c.expectedPrefix), 0) << call.text;
        if (std::string(c.name) == "head and tail around the dots")
        {
            size_t nDots = call.text.find("...");
            ASSERT_NE(nDots, std::string::npos);
            EXPECT_EQ(call.text.substr(call.text.size() - 2), "yz");
            EXPECT_LE(dc.GetTextExtent(call.text.c_str(), int(call.text.size())).cx, nFits);
            EXPECT_GT(call.text.size(), 6u);
        }
        dc.SelectObject(pOld);
        dc.Detach();
    }
}

TEST(TabPaintManager, SelectedTabIsDrawnLastInItsRow)
{
    Fixture f;
    f.manager.AddLengths({40, 40, 40, 40});
    f.manager.SetCurSel(1);
    f.Draw();
    EXPECT_EQ(f.pSet->order, "DCAB");
    f.pSet->order.clear();
    f.pSet->m_bDrawLeftToRight = TRUE;
    f.Draw();
    EXPECT_EQ(f.pSet->order, "ADCB");
}

TEST(TabPaintManager, TextColourByState)
{
    Fixture f;
    f.manager.AddLengths({40, 40, 40, 40});
    f.manager.SetCurSel(0);
    f.manager.m_pHighlighted = f.manager.GetItem(1);
    f.manager.GetItem(3)->SetEnabled(FALSE);
    CXTPTabPaintManagerColorSet* pColors = f.manager.m_pPaintManager->GetColorSet();
    pColors->m_selectedText.SetCustomValue(RGB(1, 0, 0));
    pColors->m_hotText.SetCustomValue(RGB(2, 0, 0));
    pColors->m_normalText.SetCustomValue(RGB(3, 0, 0));
    pColors->m_inactiveText.SetCustomValue(RGB(4, 0, 0));
    pColors->m_disabledText.SetCustomValue(RGB(5, 0, 0));
    CDC dc;
    dc.Attach(f.surface.DC());
    const COLORREF active[] = {RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(5, 0, 0)};
    const COLORREF inactive[] = {RGB(4, 0, 0), RGB(4, 0, 0), RGB(4, 0, 0), RGB(5, 0, 0)};
    for (int i = 0; i < 4; i++)
    {
        pColors->GetItemTextColor(&dc, f.manager.GetItem(i));
        EXPECT_EQ(dc.GetTextColor(), active[i]) << i;
    }
    f.manager.SetActive(FALSE);
    for (int i = 0; i < 4; i++)
    {
        pColors->GetItemTextColor(&dc, f.manager.GetItem(i));
        EXPECT_EQ(dc.GetTextColor(), inactive[i]) << i;
    }
    dc.Detach();
}

TEST(TabPaintManager, NavigateButtonFaceByState)
{
    struct Case
    {
        const char* name;
        bool bPressed, bHot;
        COLORREF topLeft, bottomRight;
        int nShift;
    } cases[] = {
        {"normal", false, false, qvx_test::CMemorySurface::kInitialColour, qvx_test::CMemorySurface::kInitialColour, 0},
        {"pressed", true, false, Sys(COLOR_3DSHADOW), Sys(COLOR_3DHIGHLIGHT), 1},
        {"highlighted", false, true, Sys(COLOR_3DHIGHLIGHT), Sys(COLOR_3DSHADOW), 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestTabManager manager;
        CXTPTabManagerNavigateButton* pButton = manager.FindNavigateButton(xtpTabNavigateButtonClose);
        pButton->m_bPressed = c.bPressed;
        manager.m_pHighlightedNavigateButton = c.bHot ? pButton : nullptr;
        CMemorySurface surface(40, 40);
        CDC dc;
        dc.Attach(surface.DC());
        CRect rc(10, 10, 24, 25);
        manager.m_pPaintManager->DrawNavigateButton(&dc, pButton, rc);
        dc.Detach();
        EXPECT_EQ(surface.Pixel(10, 10), c.topLeft);
        EXPECT_EQ(surface.Pixel(23, 24), c.bottomRight);
        // The cross's first stroke starts at (cx - 4, cy - 3), moved with a pressed face.
        EXPECT_EQ(surface.Pixel(17 - 4 + c.nShift, 17 - 3 + c.nShift), Sys(COLOR_BTNTEXT));
        manager.m_pHighlightedNavigateButton = nullptr;
    }
}

TEST(TabPaintManager, FramePartsWithAndWithoutTheStaticFrame)
{
    CTestTabManager manager;
    CXTPTabPaintManagerAppearanceSet* pSet = manager.m_pPaintManager->GetAppearanceSet();
    CXTPTabPaintManagerColorSet* pColors = manager.m_pPaintManager->GetColorSet();
    pColors->m_frameBorder.SetCustomValue(RGB(9, 9, 9));
    pColors->m_controlFace.SetCustomValue(RGB(7, 7, 7));
    CMemorySurface surface(40, 40);
    CDC dc;
    dc.Attach(surface.DC());

    CRect rc(0, 0, 20, 20);
    pSet->DrawFocusOrFrame(&dc, rc, 1);
    EXPECT_EQ(rc, CRect(-2, -2, 22, 22)) << "part 1 grows without the static frame";
    rc.SetRect(0, 0, 20, 20);
    pSet->DrawFocusOrFrame(&dc, rc, 0);
    EXPECT_EQ(surface.Pixel(0, 0), qvx_test::CMemorySurface::kInitialColour) << "part 0 draws nothing";
    pSet->DrawFocusOrFrame(&dc, rc, 2);
    EXPECT_EQ(surface.Pixel(5, 5), pColors->m_gradBackground.clrLight.GetColor());

    manager.m_pPaintManager->m_bStaticFrame = TRUE;
    surface.Clear(qvx_test::CMemorySurface::kInitialColour);
    rc.SetRect(0, 0, 30, 30);
    pSet->DrawFocusOrFrame(&dc, rc, 0);
    EXPECT_EQ(surface.Pixel(0, 10), RGB(9, 9, 9));
    EXPECT_EQ(surface.Pixel(1, 10), Sys(COLOR_3DFACE));
    pSet->DrawFocusOrFrame(&dc, rc, 1);
    EXPECT_EQ(rc.top, -1);
    rc.SetRect(0, 0, 30, 30);
    pSet->DrawFocusOrFrame(&dc, rc, 3);
    EXPECT_EQ(surface.Pixel(10, 10), RGB(7, 7, 7));
    EXPECT_EQ(surface.Pixel(10, 29), RGB(9, 9, 9));
    dc.Detach();
}

TEST(TabPaintManager, SettingChangesReachEveryAttachedManager)
{
    CTestTabManager first;
    CTestTabManager second;
    first.m_pPaintManager->AddAtom(&second);
    const int a = first.m_nRepositions, b = second.m_nRepositions;
    first.m_pPaintManager->SetLayout(xtpTabLayoutFixed);
    EXPECT_EQ(first.m_nRepositions, a + 1);
    EXPECT_EQ(second.m_nRepositions, b + 1);
    first.m_pPaintManager->RemoveAtom(&second);
    first.m_pPaintManager->Reposition();
    EXPECT_EQ(second.m_nRepositions, b + 1);
}

TEST(TabPaintManager, ButtonMarginAcrossTheRowSwapsForBottomTabs)
{
    struct Case
    {
        const char* name;
        int nPosition;
        int nTopInset, nBottomInset;
    } cases[] = {
        {"top", xtpTabPositionTop, 2, 5},
        {"bottom", xtpTabPositionBottom, 5, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.manager.m_pPaintManager->m_nPosition = c.nPosition;
        f.manager.m_pPaintManager->m_rcButtonMargin.SetRect(1, 2, 3, 5);
        f.manager.AddItem(-1)->m_strCaption = "Tab";
        f.manager.Reposition();
        f.Draw();
        ASSERT_EQ(f.pSet->calls.size(), 1u);
        const CRect rcItem = f.manager.GetItem(0)->GetRect();
        EXPECT_EQ(f.pSet->calls[0].rc.top, rcItem.top + c.nTopInset);
        EXPECT_EQ(f.pSet->calls[0].rc.bottom, rcItem.bottom - c.nBottomInset);
        EXPECT_EQ(f.pSet->calls[0].rc.left, rcItem.left + 6 + 1);
        // Measured: insets 12, margins 1 + 3, three characters of 7.
        EXPECT_EQ(rcItem.Width(), 12 + 4 + 21);
    }
}
