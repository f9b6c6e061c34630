// The resource manager: the language table, language detection over fixture modules, loads that
// report absence, menu text in the language's code page and right-to-left message boxes.
#include "toolkit/common/resources/XTPResourceManager.h"

#include "framework/GdiObject.h"
#include "framework/Menu.h"
#include "toolkit/common/XTPResourceIds.h"
#include "FixtureIds.h"
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
// Makes a fixture module the resource module for the life of the object.
class ResourceModule
{
public:
    explicit ResourceModule(const char* name)
    {
        m_hModule = ::LoadLibraryA(tk_test::FixturePath(name).c_str());
        if (m_hModule)
            AfxSetResourceHandle(m_hModule);
    }
    ~ResourceModule()
    {
        AfxSetResourceHandle(nullptr);
        if (m_hModule)
            ::FreeLibrary(m_hModule);
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    HMODULE Handle() const { return m_hModule; }

private:
    HMODULE m_hModule = nullptr;
};

UINT g_lastBoxType = 0;
CString g_lastBoxText;
int RecordBox(LPCSTR lpszText, UINT nType)
{
    g_lastBoxText = lpszText;
    g_lastBoxType = nType;
    return IDOK;
}
} // namespace

TEST(ResourceLanguages, TheTableHas35DistinctLanguagesWithTheirCodePages)
{
    int count = 0;
    const XTP_RESOURCEMANAGER_LANGINFO* table = CXTPResourceManager::GetLanguageTable(&count);
    ASSERT_EQ(count, 35);
    std::set<WORD> ids;
    for (int i = 0; i < count; ++i)
        ids.insert(table[i].wLanguage);
    EXPECT_EQ(ids.size(), 35u);
    const struct
    {
        WORD id;
        UINT codePage;
        const char* encoding;
        const char* caption;
        BYTE charset;
    } rows[] = {{1049, 1251, "windows-1251", "Russian", 204},   {1041, 932, "shift-jis", "Japanese", 128},
                {1033, 0, "windows-1252", "English (United States)", 0},
                {1042, 949, "ks_c_5601", "Korean", 129},        {1058, 1251, "windows-1251", "Ukrainian ", 204},
                {1028, 950, "big5", "Chinese (Taiwan)", 136},   {1054, 874, "windows-874", "Thai", 222}};
    for (const auto& row : rows)
    {
        const XTP_RESOURCEMANAGER_LANGINFO* info = CXTPResourceManager::FindLanguageInfo(row.id);
        ASSERT_NE(info, nullptr) << row.id;
        EXPECT_EQ(info->nCodePage, row.codePage);
        EXPECT_STREQ(info->lpszEncoding, row.encoding);
        EXPECT_STREQ(info->lpszCaption, row.caption);
        EXPECT_EQ(info->nFontCharSet, row.charset);
    }
    EXPECT_STREQ(CXTPResourceManager::FindLanguageInfo(2074)->lpszSubLang, "SUBLANG_SERBIAN_LATIN");
    EXPECT_EQ(CXTPResourceManager::FindLanguageInfo(1034), nullptr);
}

TEST(ResourceLanguages, UnknownIdsSelectEnglish)
{
    CXTPResourceManager manager;
    EXPECT_EQ(manager.GetLanguageId(), 1033);
    manager.SetResourceLanguage(1037);
    EXPECT_EQ(manager.GetLanguageId(), 1037);
    for (WORD id : {WORD(0), WORD(1034), WORD(0xFFFF)})
    {
        manager.SetResourceLanguage(id);
        EXPECT_EQ(manager.GetLanguageId(), 1033) << id;
    }
    EXPECT_EQ(manager.GetCodePage(), ::GetACP()) << "English uses the ANSI code page";
}

TEST(ResourceLanguages, DetectionTakesTheFirstLanguageOtherThanEnglish)
{
    // The German module's first resource (its menu) is English; detection goes on to German.
    const struct
    {
        const char* module;
        WORD expected;
        WORD record;
    } cases[] = {{"tk_fx_german.dll", 1031, 1031}, {"tk_fx_english.dll", 1033, 1033}, {"tk_fx_none.dll", 0, 1033}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.module);
        ResourceModule module(c.module);
        ASSERT_NE(module.Handle(), nullptr);
        EXPECT_EQ(CXTPResourceManager::DetectModuleLanguage(module.Handle()), c.expected);
        CXTPResourceManager manager;
        EXPECT_EQ(manager.DetectResourceLanguage(), c.expected);
        EXPECT_EQ(manager.GetLanguageId(), c.record);
        if (c.record == 1031)
        {
            EXPECT_EQ(manager.GetLanguageInfo()->nCodePage, 1252u);
        }
    }
    EXPECT_EQ(CXTPResourceManager::DetectModuleLanguage(nullptr), 0);
}

TEST(ResourceLoads, StringsOfTheToolkitAndMissingOnes)
{
    CXTPResourceManager manager;
    BOOL bError = TRUE;
    EXPECT_STREQ(manager.LoadString(IDS_TK_CONFIRM_RESET_TOOLBAR, &bError),
                 "Are you sure you want to reset the changes made to the '%s' toolbar?");
    EXPECT_FALSE(bError);
    EXPECT_STREQ(manager.LoadString(ID_TK_ADD_OR_REMOVE_BUTTONS), "\n&Add or Remove Buttons");
    EXPECT_STREQ(manager.LoadString(IDS_TK_WAITING_FOR_CHORD), "(%s) was pressed. Waiting for second key of chord...");
    EXPECT_TRUE(manager.LoadString(9998, &bError).IsEmpty());
    EXPECT_TRUE(bError);
    CString kept("kept");
    EXPECT_FALSE(manager.LoadString(&kept, 9998));
    EXPECT_STREQ(kept, "kept");
    EXPECT_FALSE(manager.LoadString(nullptr, IDS_TK_WAITING_FOR_CHORD));
}

TEST(ResourceLoads, HtmlMissingEmptyAndPresent)
{
    ResourceModule module("tk_fx_german.dll");
    CXTPResourceManager manager;
    CString html("unchanged");
    EXPECT_FALSE(manager.LoadHtml(html, 999));
    EXPECT_STREQ(html, "unchanged");
    EXPECT_FALSE(manager.LoadHtml(html, IDR_FX_HTML_EMPTY));
    EXPECT_STREQ(html, "unchanged");
    EXPECT_TRUE(manager.LoadHtml(html, IDR_FX_HTML));
    EXPECT_STREQ(html, "<p>Hallo</p>");
}

TEST(ResourceLoads, MenusBitmapsCursorsDialogsIconsAndToolbars)
{
    ResourceModule module("tk_fx_german.dll");
    CXTPResourceManager manager;
    CMenu menu;
    ASSERT_TRUE(manager.LoadMenu(&menu, IDM_FX_MENU));
    EXPECT_EQ(menu.GetMenuItemCount(), 1u);
    CMenu missing;
    EXPECT_FALSE(manager.LoadMenu(&missing, 998));
    EXPECT_EQ(missing.GetSafeHmenu(), nullptr);
    EXPECT_FALSE(manager.LoadMenu(nullptr, IDM_FX_MENU));

    CBitmap bitmap;
    EXPECT_FALSE(manager.LoadBitmap(&bitmap, 998));
    EXPECT_EQ(manager.LoadCursor(998), nullptr);
    EXPECT_EQ(manager.LoadDialogTemplate(0), nullptr);
    EXPECT_EQ(manager.LoadDialogTemplate(998), nullptr);
    EXPECT_EQ(manager.FindDialogTemplate(998), nullptr);
    EXPECT_EQ(manager.LoadIconById(998, CSize(16, 16)), nullptr);
    EXPECT_EQ(manager.CreateIconFromResource(module.Handle(), MAKEINTRESOURCEA(998), CSize(16, 16)), nullptr);
    EXPECT_EQ(manager.CreateIconFromResource(nullptr, MAKEINTRESOURCEA(998), CSize(16, 16)), nullptr);
    EXPECT_FALSE(manager.LoadToolBar(nullptr, 998));
}

TEST(ResourceText, MenuStringsInTheLanguagesCodePage)
{
    CXTPResourceManager manager;
    manager.SetResourceLanguage(1049);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 10, L"\x0424\x0430\x0439\x043B");
    ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 11, L"");
    CString text;
    EXPECT_EQ(manager.GetMenuString(&menu, 10, text, MF_BYCOMMAND), 4);
    EXPECT_STREQ(text, "\xD4\xE0\xE9\xEB");
    text = "stale";
    EXPECT_EQ(manager.GetMenuString(&menu, 11, text, MF_BYCOMMAND), 0);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(manager.GetMenuString(nullptr, 10, text, MF_BYCOMMAND), 0);
    CMenu empty;
    EXPECT_EQ(manager.GetMenuString(&empty, 10, text, MF_BYCOMMAND), 0);
}

TEST(ResourceText, WideCopiesUseTheResourceLanguagesCodePage)
{
    CXTPResourceManager* manager = GetResourceManager();
    manager->SetResourceLanguage(1049);
    {
        CXTPMultiByteToWide wide("\xD4\xE0\xE9\xEB");
        EXPECT_STREQ(wide, L"\x0424\x0430\x0439\x043B");
        CXTPMultiByteToWide none(nullptr);
        EXPECT_STREQ(none, L"");
    }
    manager->SetResourceLanguage(1033);
}

TEST(ResourceText, HebrewAndArabicMessageBoxesReadRightToLeft)
{
    CXTPResourceManager::SetMessageBoxFunction(&RecordBox);
    CXTPResourceManager manager;
    const struct
    {
        WORD language;
        bool rtl;
    } cases[] = {{1037, true}, {1025, true}, {1033, false}, {1049, false}};
    for (const auto& c : cases)
    {
        manager.SetResourceLanguage(c.language);
        EXPECT_EQ(manager.ShowMessageBox("question", MB_YESNO), IDOK);
        EXPECT_EQ((g_lastBoxType & MB_RTLREADING) != 0, c.rtl) << c.language;
        EXPECT_EQ(g_lastBoxType & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    }
    manager.ShowMessageBox(IDS_TK_CONFIRM_RESET_TOOLBAR, MB_OKCANCEL);
    EXPECT_STREQ(g_lastBoxText, "Are you sure you want to reset the changes made to the '%s' toolbar?");
    CXTPResourceManager::SetMessageBoxFunction(nullptr);
}

TEST(ResourceText, FontCharsetFromTheIconTitleFontOrTheLanguage)
{
    LOGFONTA lf = {};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0));
    CXTPResourceManager manager;
    manager.SetResourceLanguage(1041);
    EXPECT_EQ(manager.GetFontCharset(), lf.lfCharSet);
    manager.EnableLanguageCharset(TRUE);
    EXPECT_EQ(manager.GetFontCharset(), SHIFTJIS_CHARSET);
}

TEST(ResourceManagerInstance, OnePerProcessAndReplaceable)
{
    CXTPResourceManager* first = GetResourceManager();
    EXPECT_EQ(first, GetResourceManager());
    CXTPResourceManager* custom = new CXTPResourceManager;
    SetResourceManager(custom);
    EXPECT_EQ(GetResourceManager(), custom);
    SetResourceManager(nullptr);
    EXPECT_NE(GetResourceManager(), nullptr);
    EXPECT_EQ(GetResourceManager()->GetLanguageId(), 1033);
}
