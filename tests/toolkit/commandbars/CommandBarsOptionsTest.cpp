// The command-bar options: every key through the three stores, the profile form ("<name>-Options" in an
// INI file or under the registry key), the archive's byte layout, older schemas, damaged command sets,
// and the keyboard-cue modes.
#include "framework/WinApp.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/persist/XTPPropExchangeArchive.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"
#include "toolkit/common/persist/XTPPropExchangeRegistry.h"

#include "PropExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{
std::string ScratchIni(const char* stem)
{
    std::string path = pxtest::ScratchPath(stem, ".ini");
    DeleteFileA(path.c_str());
    return path;
}

std::string RegistryCompany(const char* stem)
{
    static int counter = 0;
    return std::string(stem) + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
}

// A manager with its own paint manager, so the icon flags never touch the shared one.
struct Manager
{
    Manager()
    {
        bars = new CXTPCommandBars();
        bars->SetPaintManager(CXTPPaintManager::CreateTheme(0));
    }
    ~Manager() { bars->InternalRelease(); }
    CXTPCommandBarsOptions* Options() const { return bars->GetCommandBarsOptions(); }
    CXTPCommandBars* bars;
};

std::set<UINT> Ids(const CXTPCommandBarsCommandSet& set)
{
    std::set<UINT> ids;
    POSITION pos = set.GetStartPosition();
    while (pos)
    {
        UINT nId = 0;
        BOOL b = FALSE;
        set.GetNextAssoc(pos, nId, b);
        ids.insert(nId);
    }
    return ids;
}

// Every persisted option away from its default.
void SetEveryOption(Manager& m)
{
    CXTPCommandBarsOptions* o = m.Options();
    o->bAlwaysShowFullMenus = FALSE;
    o->bShowFullAfterDelay = FALSE;
    o->bToolBarScreenTips = FALSE;
    o->bToolBarAccelTips = TRUE;
    o->bLargeIcons = TRUE;
    o->bSyncFloatingBars = FALSE;
    o->bShowExpandButtonAlways = FALSE;
    o->bDblClickFloat = TRUE;
    o->bShowTextBelowIcons = TRUE;
    o->bAltDragCustomization = FALSE;
    o->bAutoHideUnusedPopups = FALSE;
    o->animationType = 3;
    o->keyboardCuesUse = 5;
    o->SetShowKeyboardCues(1);
    o->szIcons = CSize(20, 21);
    o->szLargeIcons = CSize(40, 41);
    o->szPopupIcons = CSize(24, 25);
    o->m_mapUsedCommands.SetAt(100, TRUE);
    o->m_mapUsedCommands.SetAt(40001, TRUE);
    o->m_mapHiddenCommands.SetAt(7, TRUE);
    m.bars->GetPaintManager()->m_bIconsWithShadow = TRUE;
    m.bars->GetPaintManager()->m_bUseDisabledIcons = FALSE;
    m.bars->GetPaintManager()->m_bUseFadedIcons = FALSE;
}

void ExpectEveryOption(Manager& m)
{
    CXTPCommandBarsOptions* o = m.Options();
    EXPECT_FALSE(o->bAlwaysShowFullMenus);
    EXPECT_FALSE(o->bShowFullAfterDelay);
    EXPECT_FALSE(o->bToolBarScreenTips);
    EXPECT_TRUE(o->bToolBarAccelTips);
    EXPECT_TRUE(o->bLargeIcons);
    EXPECT_FALSE(o->bSyncFloatingBars);
    EXPECT_FALSE(o->bShowExpandButtonAlways);
    EXPECT_TRUE(o->bDblClickFloat);
    EXPECT_TRUE(o->bShowTextBelowIcons);
    EXPECT_FALSE(o->bAltDragCustomization);
    EXPECT_FALSE(o->bAutoHideUnusedPopups);
    EXPECT_EQ(3, o->animationType);
    EXPECT_EQ(5, o->keyboardCuesUse);
    EXPECT_EQ(1, o->GetShowKeyboardCues());
    // Mode 1 is applied at once: cues hidden, not toggled by Alt.
    EXPECT_FALSE(m.bars->m_bKeyboardCuesVisible);
    EXPECT_FALSE(m.bars->m_bKeyboardCuesInUse);
    EXPECT_EQ(CSize(20, 21), o->szIcons);
    EXPECT_EQ(CSize(40, 41), o->szLargeIcons);
    EXPECT_EQ(CSize(24, 25), o->szPopupIcons);
    EXPECT_EQ((std::set<UINT>{100, 40001}), Ids(o->m_mapUsedCommands));
    EXPECT_EQ((std::set<UINT>{7}), Ids(o->m_mapHiddenCommands));
    EXPECT_TRUE(m.bars->GetPaintManager()->m_bIconsWithShadow);
    EXPECT_FALSE(m.bars->GetPaintManager()->m_bUseDisabledIcons);
    EXPECT_FALSE(m.bars->GetPaintManager()->m_bUseFadedIcons);
}

using pxtest::StoreKind;
using pxtest::TestStore;

class OptionsStores : public ::testing::TestWithParam<StoreKind>
{
};

TEST_P(OptionsStores, EveryKeyRoundTrips)
{
    TestStore store(GetParam());
    {
        Manager m;
        SetEveryOption(m);
        m.Options()->DoPropExchange(store.Open(false), FALSE);
        store.Close();
    }
    Manager fresh;
    fresh.Options()->m_mapUsedCommands.SetAt(555, TRUE); // replaced by the stored set
    fresh.Options()->DoPropExchange(store.Open(true), FALSE);
    store.Close();
    ExpectEveryOption(fresh);
}

TEST_P(OptionsStores, EmptySetsLoadEmpty)
{
    TestStore store(GetParam());
    {
        Manager m;
        m.Options()->DoPropExchange(store.Open(false), FALSE);
        store.Close();
    }
    Manager fresh;
    fresh.Options()->bDblClickFloat = TRUE;
    fresh.Options()->DoPropExchange(store.Open(true), FALSE);
    store.Close();
    EXPECT_TRUE(fresh.Options()->m_mapUsedCommands.IsEmpty());
    EXPECT_TRUE(fresh.Options()->m_mapHiddenCommands.IsEmpty());
    EXPECT_FALSE(fresh.Options()->bDblClickFloat); // the stored default was written and read back
}

INSTANTIATE_TEST_SUITE_P(All, OptionsStores,
                         ::testing::Values(StoreKind::Registry, StoreKind::Ini, StoreKind::Archive),
                         [](const ::testing::TestParamInfo<StoreKind>& info) {
                             return std::string(pxtest::StoreName(info.param));
                         });

// ---- profile form ----

std::vector<std::string> IniKeys(const std::string& path, const char* section)
{
    return pxtest::IniSectionLines(path, section);
}

TEST(CommandBarsOptionsProfile, IniHoldsExactlyTheUserOptions)
{
    std::string ini = ScratchIni("qvx_cbprof_");
    {
        CWinApp app("QvxCbOptionsIni");
        app.m_pszProfileName = ini.c_str();
        {
            Manager m;
            SetEveryOption(m);
            m.bars->SaveOptions("Prof");
        }
        std::vector<std::string> keys = IniKeys(ini, "Prof-Options");
        EXPECT_EQ((std::vector<std::string>{"Schema=38", "AlwaysShowFullMenus=0", "ShowFullAfterDelay=0",
                                            "ToolBarScreenTips=0", "ToolBarAccelTips=1", "LargeIcons=1",
                                            "Animation=3"}),
                  keys);
        std::vector<std::string> used = IniKeys(ini, "Prof-Options\\UsedCommands");
        std::sort(used.begin(), used.end());
        // The two ids numbered from 0, in the set's order.
        EXPECT_TRUE(used == (std::vector<std::string>{"Count=2", "Item0=100", "Item1=40001"}) ||
                    used == (std::vector<std::string>{"Count=2", "Item0=40001", "Item1=100"}));

        Manager fresh;
        fresh.bars->LoadOptions("Prof");
        CXTPCommandBarsOptions* o = fresh.Options();
        EXPECT_FALSE(o->bAlwaysShowFullMenus);
        EXPECT_FALSE(o->bShowFullAfterDelay);
        EXPECT_FALSE(o->bToolBarScreenTips);
        EXPECT_TRUE(o->bToolBarAccelTips);
        EXPECT_TRUE(o->bLargeIcons);
        EXPECT_EQ(3, o->animationType);
        EXPECT_EQ((std::set<UINT>{100, 40001}), Ids(o->m_mapUsedCommands));
        // Nothing else is part of the profile form.
        EXPECT_FALSE(o->bDblClickFloat);
        EXPECT_TRUE(o->m_mapHiddenCommands.IsEmpty());
        EXPECT_EQ(CSize(0, 0), o->szIcons);
        EXPECT_EQ(1, o->keyboardCuesUse);
        app.m_pszProfileName = nullptr;
    }
    DeleteFileA(ini.c_str());
}

TEST(CommandBarsOptionsProfile, SavingEmptiesTheSectionAndSkipsAnEmptySet)
{
    std::string ini = ScratchIni("qvx_cbprof_");
    WritePrivateProfileStringA("Prof-Options", "Stale", "1", ini.c_str());
    WritePrivateProfileStringA("Prof-Options\\UsedCommands", "Count", "1", ini.c_str());
    {
        CWinApp app("QvxCbOptionsIni2");
        app.m_pszProfileName = ini.c_str();
        {
            Manager m;
            m.bars->SaveOptions("Prof");
        }
        std::vector<std::string> keys = IniKeys(ini, "Prof-Options");
        EXPECT_EQ(7u, keys.size());
        EXPECT_EQ(keys.end(), std::find(keys.begin(), keys.end(), std::string("Stale=1")));
        EXPECT_TRUE(IniKeys(ini, "Prof-Options\\UsedCommands").empty());
        app.m_pszProfileName = nullptr;
    }
    DeleteFileA(ini.c_str());
}

TEST(CommandBarsOptionsProfile, RegistryHoldsTheSetAsOneSerialisedValue)
{
    const std::string company = RegistryCompany("QuorvexCbProfile");
    {
        CWinApp app("QvxCbOptionsReg");
        app.SetRegistryKey(company.c_str());
        {
            Manager m;
            SetEveryOption(m);
            m.bars->SaveOptions("Prof");
        }
        HKEY hKey = app.GetSectionKey("Prof-Options");
        ASSERT_NE(nullptr, hKey);
        DWORD type = 0, size = 0;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "UsedCommands", nullptr, &type, nullptr, &size));
        EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
        DWORD nValues = 0, nSubKeys = 0;
        RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &nSubKeys, nullptr, nullptr, &nValues, nullptr, nullptr,
                         nullptr, nullptr);
        EXPECT_EQ(8u, nValues); // Schema, five switches, UsedCommands, Animation
        EXPECT_EQ(0u, nSubKeys);
        RegCloseKey(hKey);

        Manager fresh;
        fresh.bars->LoadOptions("Prof");
        EXPECT_EQ((std::set<UINT>{100, 40001}), Ids(fresh.Options()->m_mapUsedCommands));
        EXPECT_EQ(3, fresh.Options()->animationType);
        EXPECT_TRUE(fresh.Options()->bLargeIcons);
        EXPECT_FALSE(fresh.Options()->bDblClickFloat);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + company).c_str());
}

TEST(CommandBarsOptionsProfile, NoApplicationNoExchange)
{
    ASSERT_EQ(nullptr, AfxGetApp());
    CXTPPropExchangeSectionPtr px(TRUE, "Prof-Options");
    EXPECT_EQ(nullptr, px.GetPX());
    Manager m;
    m.Options()->animationType = 4;
    m.bars->LoadOptions("Prof");
    EXPECT_EQ(4, m.Options()->animationType);
}

// ---- INI form of the command sets ----

TEST(CommandBarsOptionsCommandSets, DamagedIniSetLoadsNothingAndTheRestLoads)
{
    struct Case
    {
        const char* count;
        std::set<UINT> expected;
    } cases[] = {
        {"65536", {9}},        // above the cap: damaged, the set keeps its ids
        {"4294967295", {9}},   // as an unsigned count
        {"-1", {9}},
        {"2", {11, 12}},       // sound
        {"3", {11, 12}},       // an item that is not there is skipped, never read as id 0
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.count);
        std::string ini = ScratchIni("qvx_cbset_");
        WritePrivateProfileStringA("Root", "Schema", "38", ini.c_str());
        WritePrivateProfileStringA("Root", "Animation", "2", ini.c_str());
        WritePrivateProfileStringA("Root", "LargeIcons", "1", ini.c_str());
        WritePrivateProfileStringA("Root\\UsedCommands", "Count", c.count, ini.c_str());
        WritePrivateProfileStringA("Root\\UsedCommands", "Item0", "11", ini.c_str());
        WritePrivateProfileStringA("Root\\UsedCommands", "Item1", "12", ini.c_str());
        Manager m;
        m.Options()->m_mapUsedCommands.SetAt(9, TRUE);
        {
            CXTPPropExchangeIniFile px(TRUE, nullptr, "Root");
            px.AssignFile(ini.c_str());
            m.Options()->DoPropExchange(&px, TRUE);
        }
        EXPECT_EQ(c.expected, Ids(m.Options()->m_mapUsedCommands));
        EXPECT_EQ(2, m.Options()->animationType);
        EXPECT_TRUE(m.Options()->bLargeIcons);
        DeleteFileA(ini.c_str());
    }
}

TEST(CommandBarsOptionsCommandSets, DamagedSerialisedSetKeepsTheIds)
{
    // A serialised set whose count promises more entries than the bytes hold.
    TestStore store(StoreKind::Archive);
    {
        CXTPPropExchange* px = store.Open(false);
        CArchive* ar = px->GetArchive("UsedCommands");
        ar->WriteCount(1000);
        *ar << static_cast<UINT>(5) << static_cast<int>(TRUE);
        px->ReleaseArchive("UsedCommands", ar);
        store.Close();
    }
    CXTPCommandBarsCommandSet set;
    set.SetAt(9, TRUE);
    ExchangeCommandSet(store.Open(true), "UsedCommands", set);
    store.Close();
    EXPECT_EQ((std::set<UINT>{9}), Ids(set));
}

// ---- archive ----

void PutLong(std::vector<BYTE>& v, long n)
{
    for (int i = 0; i < 4; ++i)
        v.push_back(static_cast<BYTE>((static_cast<unsigned long>(n) >> (8 * i)) & 0xFF));
}

TEST(CommandBarsOptionsArchive, SerializeWritesEveryKeyInItsOrder)
{
    Manager m;
    CXTPCommandBarsOptions* o = m.Options();
    o->m_mapUsedCommands.SetAt(0x1234, TRUE);
    o->animationType = 2;
    o->szIcons = CSize(16, 15);
    o->szPopupIcons = CSize(3, 4);
    o->keyboardCuesUse = 6;
    o->SetShowKeyboardCues(0);
    m.bars->GetPaintManager()->m_bIconsWithShadow = FALSE;
    m.bars->GetPaintManager()->m_bUseDisabledIcons = TRUE;
    m.bars->GetPaintManager()->m_bUseFadedIcons = FALSE;

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        o->Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> expected;
    PutLong(expected, 38);                    // Schema
    for (long b : {1, 1, 1, 0, 0})            // full menus, after delay, screen tips, accel tips, large
        PutLong(expected, b);
    expected.insert(expected.end(), {1, 0}); // UsedCommands: count, then id and value
    PutLong(expected, 0x1234);
    PutLong(expected, 1);
    PutLong(expected, 2);                     // Animation
    PutLong(expected, 1);                     // SyncFloatingBars
    PutLong(expected, 1);                     // ShowExpandButtonAlways
    for (long n : {16, 15, 0, 0})             // IconsSize, LargeIconsSize
        PutLong(expected, n);
    expected.insert(expected.end(), {0, 0}); // HiddenCommands: empty, still written
    for (long b : {0, 1, 0})                  // IconsWithShadow, UseDisabledIcons, UseFadedIcons
        PutLong(expected, b);
    for (long b : {1, 1, 0, 0, 1, 1})         // Sync, ShowExpand, DblClick, TextBelow, AltDrag, AutoHide
        PutLong(expected, b);
    for (long n : {3, 4})                     // PopupIconsSize
        PutLong(expected, n);
    PutLong(expected, 6);                     // KeyboardCuesUse
    PutLong(expected, 0);                     // KeyboardCuesShow

    UINT n = static_cast<UINT>(file.GetLength());
    BYTE* p = file.Detach();
    std::vector<BYTE> bytes(p, p + n);
    std::free(p);
    EXPECT_EQ(expected, bytes);
}

// ---- older schemas ----

TEST(CommandBarsOptionsSchema, SchemaSevenReadsOnlyTheOlderKeys)
{
    std::string ini = ScratchIni("qvx_cbschema_");
    const char* entries[][2] = {
        {"Schema", "7"},          {"LargeIcons", "1"},        {"SyncFloatingBars", "0"},
        {"IconsSize", "20,20"},   {"Animation", "3"},         {"DblClickFloat", "1"},
        {"KeyboardCuesUse", "2"}, {"PopupIconsSize", "9,9"},  {"ShowTextBelowIcons", "1"},
    };
    for (auto& e : entries)
        WritePrivateProfileStringA("Root", e[0], e[1], ini.c_str());
    WritePrivateProfileStringA("Root\\UsedCommands", "Count", "1", ini.c_str());
    WritePrivateProfileStringA("Root\\UsedCommands", "Item0", "77", ini.c_str());
    WritePrivateProfileStringA("Root\\HiddenCommands", "Count", "1", ini.c_str());
    WritePrivateProfileStringA("Root\\HiddenCommands", "Item0", "78", ini.c_str());

    Manager m;
    {
        CXTPPropExchangeIniFile px(TRUE, nullptr, "Root");
        px.AssignFile(ini.c_str());
        m.Options()->DoPropExchange(&px, FALSE);
    }
    CXTPCommandBarsOptions* o = m.Options();
    EXPECT_TRUE(o->bLargeIcons);
    EXPECT_FALSE(o->bSyncFloatingBars);
    EXPECT_EQ(CSize(20, 20), o->szIcons);
    EXPECT_EQ((std::set<UINT>{78}), Ids(o->m_mapHiddenCommands));
    // Keys of later schemas are left alone.
    EXPECT_EQ(0, o->animationType);
    EXPECT_FALSE(o->bDblClickFloat);
    EXPECT_EQ(1, o->keyboardCuesUse);
    EXPECT_EQ(CSize(0, 0), o->szPopupIcons);
    EXPECT_FALSE(o->bShowTextBelowIcons);
    EXPECT_TRUE(o->m_mapUsedCommands.IsEmpty());
    DeleteFileA(ini.c_str());
}

// ---- keyboard cues ----

class CuesQuery : public CXTPCommandBarsSystemQuery
{
public:
    BOOL GetKeyboardCues(BOOL& bShow) override
    {
        if (!m_bSucceeds)
            return FALSE;
        bShow = m_bShow;
        return TRUE;
    }
    BOOL m_bSucceeds = TRUE;
    BOOL m_bShow = TRUE;
};

TEST(CommandBarsOptionsCues, ModesTable)
{
    struct Case
    {
        int mode;
        BOOL succeeds, systemShows;
        BOOL inUse, visible;
    } cases[] = {
        {0, TRUE, FALSE, FALSE, TRUE},  {1, TRUE, TRUE, FALSE, FALSE}, {2, TRUE, TRUE, FALSE, TRUE},
        {2, TRUE, FALSE, TRUE, FALSE},  {2, FALSE, FALSE, FALSE, TRUE},
    };
    CuesQuery query;
    CXTPCommandBarsSystemQuery* pOld = SetCommandBarsSystemQuery(&query);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " succeeds " << c.succeeds << " shows "
                                        << c.systemShows);
        query.m_bSucceeds = c.succeeds;
        query.m_bShow = c.systemShows;
        Manager m;
        m.bars->m_bKeyboardCuesInUse = !c.inUse;
        m.bars->m_bKeyboardCuesVisible = !c.visible;
        m.Options()->SetShowKeyboardCues(c.mode);
        EXPECT_EQ(c.mode, m.Options()->GetShowKeyboardCues());
        EXPECT_EQ(c.inUse, m.bars->m_bKeyboardCuesInUse);
        EXPECT_EQ(c.visible, m.bars->m_bKeyboardCuesVisible);
    }
    SetCommandBarsSystemQuery(pOld == &query ? nullptr : pOld);
}
} // namespace
