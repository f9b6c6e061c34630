// The generated theme resources against the theme table the generator reads (compiled into this
// program as "THEMETABLE"): every key where the rules put it, every image present, decodable,
// at most 512 pixels and of the listed size and kind.
#include "toolkit/common/resources/XTPResourceImages.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
struct ImageEntry
{
    std::string name;
    int cells, cx, cy;
    bool keyed;
};

struct KeyEntry
{
    std::string section, key, kind, value, tables;
};

struct ThemeTable
{
    std::vector<ImageEntry> images;
    std::vector<std::string> omitted;
    std::vector<KeyEntry> keys;
};

const ThemeTable& Table()
{
    static ThemeTable table;
    static bool loaded = false;
    if (loaded)
        return table;
    loaded = true;
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    HRSRC hInfo = ::FindResourceA(hModule, "THEMETABLE", MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!hInfo)
        return table;
    const char* pData = static_cast<const char*>(::LockResource(::LoadResource(hModule, hInfo)));
    std::istringstream in(std::string(pData, ::SizeofResource(hModule, hInfo)));
    std::string line;
    while (std::getline(in, line))
    {
        line = line.substr(0, line.find('#'));
        std::istringstream fields(line);
        std::string kind;
        if (!(fields >> kind))
            continue;
        if (kind == "image")
        {
            ImageEntry e;
            std::string margins, mode, style;
            fields >> e.name >> e.cells >> e.cx >> e.cy >> margins >> mode >> style;
            e.keyed = mode == "keyed";
            table.images.push_back(e);
        }
        else if (kind == "omit")
        {
            std::string name;
            fields >> name;
            table.omitted.push_back(name);
        }
        else if (kind == "key")
        {
            KeyEntry e;
            fields >> e.section >> e.key >> e.kind >> e.value >> e.tables;
            table.keys.push_back(e);
        }
    }
    return table;
}

struct Theme
{
    const char* ini;
    const char* folder;
};
const Theme kThemes[] = {{"Office2007Blue.ini", "Blue"},
                         {"Office2007Silver.ini", "Silver"},
                         {"Office2007Aqua.ini", "Aqua"},
                         {"Office2007Black.ini", "Black"}};

bool InTable(const KeyEntry& key, const std::string& folder)
{
    if (key.tables == "all")
        return true;
    if (key.tables == "black")
        return folder == "Black";
    if (key.tables == "not-aqua")
        return folder != "Aqua";
    return false;
}
} // namespace

TEST(ThemeGen, TableIsCompiledIn)
{
    const ThemeTable& table = Table();
    EXPECT_GE(table.images.size(), 100u);
    EXPECT_GE(table.keys.size(), 100u);
    std::set<std::string> names;
    for (const ImageEntry& e : table.images)
        EXPECT_TRUE(names.insert(e.name).second) << e.name << " listed twice";
}

TEST(ThemeGen, EveryKeyIsWhereTheRulesPutIt)
{
    for (const Theme& theme : kThemes)
    {
        CXTPResourceImages images;
        images.SetResourceModule(::GetModuleHandleA(nullptr), theme.ini);
        ASSERT_TRUE(images.IsLoaded()) << theme.ini;
        for (const KeyEntry& key : Table().keys)
        {
            CString value = images.GetIniValue(key.section.c_str(), key.key.c_str());
            EXPECT_EQ(InTable(key, theme.folder), !value.IsEmpty())
                << theme.ini << " [" << key.section << "] " << key.key;
        }
    }
}

TEST(ThemeGen, RulesOfTheFourTables)
{
    struct Case
    {
        const char* section;
        const char* key;
        bool blue, silver, aqua, black;
    } cases[] = {
        {"Ribbon", "GroupSpacing", false, false, false, false},
        {"Ribbon", "ControlEditSelected", false, false, false, false},
        {"Ribbon", "MenuPopupSeparator", false, false, false, false},
        {"Ribbon", "MenuPopupGripperShadow", false, false, false, false},
        {"Window", "FlatFrame", false, false, false, false},
        {"Ribbon", "RibbonGrayText", false, false, false, true},
        {"Toolbar", "ControlEditDisabledBorder", true, true, false, true},
        {"Window", "TooltipLight", true, true, true, true},
        {"Window", "TooltipDark", true, true, true, true},
        {"Window", "TooltipBorder", true, true, true, true},
        {"Global", "PremultiplyImages", true, true, true, true},
    };
    for (const Case& c : cases)
    {
        const bool expected[] = {c.blue, c.silver, c.aqua, c.black};
        for (int i = 0; i < 4; ++i)
        {
            CXTPResourceImages images;
            images.SetResourceModule(::GetModuleHandleA(nullptr), kThemes[i].ini);
            EXPECT_EQ(expected[i], !images.GetIniValue(c.section, c.key).IsEmpty())
                << kThemes[i].ini << " " << c.section << " " << c.key;
        }
    }
}

TEST(ThemeGen, SilverTableHoldsTheHarnessValues)
{
    CXTPResourceImages images;
    images.SetResourceModule(::GetModuleHandleA(nullptr), "Office2007Silver.INI");
    EXPECT_STREQ("Office2007Silver_INI", images.GetIniFileName());
    EXPECT_EQ(1, images.GetImageInt("Global", "PremultiplyImages", 0));
    // Every colour of the table is the silver table's own value.
    for (const KeyEntry& key : Table().keys)
    {
        if (key.kind != "colour" || !InTable(key, "Silver"))
            continue;
        int r = -1, g = -1, b = -1;
        ASSERT_EQ(3, sscanf(key.value.c_str(), "%d,%d,%d", &r, &g, &b)) << key.key;
        EXPECT_EQ(RGB(r, g, b), images.GetImageColor(key.section.c_str(), key.key.c_str()))
            << key.section << " " << key.key;
    }
    // A few of the resource theme's and the ribbon theme's values, as the harness shows them.
    EXPECT_EQ(RGB(35, 38, 42), images.GetImageColor("StatusBar", "StatusBarText"));
    EXPECT_EQ(RGB(153, 151, 181), images.GetImageColor("Toolbar", "ToolbarFaceDark"));
    EXPECT_EQ(RGB(212, 216, 219), images.GetImageColor("MessageBar", "MessageBar"));
    EXPECT_EQ(RGB(76, 83, 92), images.GetImageColor("Ribbon", "RibbonText"));
    EXPECT_EQ(RGB(194, 194, 194), images.GetImageColor("Toolbar", "ControlEditDisabledBorder"));
}

TEST(ThemeGen, TablesDifferByPalette)
{
    CXTPResourceImages blue, silver;
    blue.SetResourceModule(::GetModuleHandleA(nullptr), "OFFICE2007BLUE_INI");
    silver.SetResourceModule(::GetModuleHandleA(nullptr), "OFFICE2007SILVER_INI");
    EXPECT_NE(blue.GetImageColor("Toolbar", "ToolbarFaceDark"), silver.GetImageColor("Toolbar", "ToolbarFaceDark"));
    // Saturated highlight colours are the same in every palette.
    EXPECT_EQ(blue.GetImageColor("Window", "HighlightPressed"), silver.GetImageColor("Window", "HighlightPressed"));
}

TEST(ThemeGen, EveryImageLoadsWithItsListedSizeAndKind)
{
    int nImages = 0;
    for (const Theme& theme : kThemes)
    {
        CXTPResourceImages images;
        images.SetResourceModule(::GetModuleHandleA(nullptr), theme.ini);
        for (const ImageEntry& e : Table().images)
        {
            CString file = images.GetImageFileName(e.name.c_str());
            EXPECT_EQ(0, file.Find(theme.folder)) << file.GetString();
            CXTPResourceImage* pImage = images.LoadImage(e.name.c_str());
            ASSERT_NE(nullptr, pImage) << theme.ini << " " << e.name;
            EXPECT_LE(pImage->GetWidth(), XTP_RESOURCEIMAGES_SURFACE) << e.name;
            EXPECT_LE(pImage->GetHeight(), XTP_RESOURCEIMAGES_SURFACE) << e.name;
            EXPECT_EQ(e.cx, pImage->GetWidth()) << e.name;
            EXPECT_EQ(e.cy * e.cells, pImage->GetHeight()) << e.name;
            EXPECT_EQ(!e.keyed, !!pImage->IsAlphaImage()) << e.name;
            EXPECT_EQ(!e.keyed, !!pImage->IsPremultiplied()) << e.name;
            ++nImages;
        }
        for (const std::string& name : Table().omitted)
            EXPECT_EQ(nullptr, images.LoadImage(name.c_str())) << theme.ini << " " << name;
    }
    EXPECT_EQ(static_cast<int>(Table().images.size() * 4), nImages);
}

TEST(ThemeGen, KeyedImagesShowTheKeyWhereNothingIsDrawn)
{
    // The close glyph's cells are drawn on magenta: its corner is the key colour.
    CXTPResourceImage* pImage = LoadResourceImage("FRAMECAPTIONCLOSE17");
    ASSERT_NE(nullptr, pImage);
    EXPECT_EQ(0xFF00FFu, pImage->GetPixel(0, 0) & 0xFFFFFF);
    // Alpha images are transparent there instead.
    CXTPResourceImage* pFace = LoadResourceImage("TOOLBARBUTTONS22");
    ASSERT_NE(nullptr, pFace);
    EXPECT_EQ(0u, pFace->GetPixel(0, 0) >> 24);
    EXPECT_EQ(255u, pFace->GetPixel(5, 5) >> 24);
}
