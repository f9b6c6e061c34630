// Customised controls in the profile: a bar's controls through every store, the compressed archive
// of a customizable manager in "<profile>-Controls" or in the hidden file, its merge with the
// program's bars (the question when the program's toolbar changed), and failures that must not
// leave a profile pointing at nothing.
#include "ProfileTestSupport.h"
#include "PropExchangeTestSupport.h"
#include "ToolBarSupport.h"

#include "toolkit/commandbars/bars/XTPMenuBar.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/persistence/XTPControlsFile.h"
#include "toolkit/common/persist/XTPZipMemFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using profile_test::ScratchProfileApp;
using Ids = std::vector<int>;

namespace
{
Ids ControlIds(const CXTPControls* pControls)
{
    Ids ids;
    for (int i = 0; pControls && i < pControls->GetCount(); ++i)
    {
        if (!pControls->GetAt(i)->IsTemporary())
            ids.push_back(pControls->GetAt(i)->GetID());
    }
    return ids;
}

CXTPPopupBar* MakePopupBar(const std::vector<UINT>& ids)
{
    CXTPPopupBar* pBar = CXTPPopupBar::CreatePopupBar(nullptr);
    pBar->SetButtons(ids.data(), static_cast<int>(ids.size()));
    return pBar;
}

// ---------------------------------------------------------------- a bar through every store

class PopupBarStores : public ::testing::TestWithParam<pxtest::StoreKind>
{
protected:
    // One pass of a bar through the store, with the schema first.
    static void Exchange(pxtest::TestStore& store, CXTPCommandBar* pBar, bool bLoading)
    {
        CXTPPropExchange* pPX = store.Open(bLoading);
        pPX->ExchangeSchema();
        pBar->DoPropExchange(pPX);
        store.Close();
    }
};

TEST_P(PopupBarStores, APopupBarKeepsItsControlsAndTheirOriginals)
{
    pxtest::TestStore store(GetParam());
    {
        CXTPPopupBar* pBar = MakePopupBar({501, 0, 502, 503});
        pBar->SetBarID(77);
        pBar->GetControls()->GetAt(0)->SetCaption("&One");
        pBar->GetControls()->CreateOriginalControls();
        pBar->GetControls()->GetAt(2)->SetCaption("Three, renamed");
        Exchange(store, pBar, false);
        pBar->InternalRelease();
    }
    CXTPPopupBar* pLoaded = MakePopupBar({999});
    Exchange(store, pLoaded, true);

    CXTPControls* pControls = pLoaded->GetControls();
    EXPECT_EQ(77u, pLoaded->GetBarID());
    ASSERT_EQ((Ids{501, 502, 503}), ControlIds(pControls));
    EXPECT_STREQ("&One", pControls->GetAt(0)->GetCaption());
    EXPECT_TRUE(pControls->GetAt(1)->GetBeginGroup());
    EXPECT_STREQ("Three, renamed", pControls->GetAt(2)->GetCaption());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(i, pControls->GetAt(i)->GetIndex());
    ASSERT_NE(nullptr, pControls->GetOriginalControls());
    EXPECT_EQ((Ids{501, 502, 503}), ControlIds(pControls->GetOriginalControls()));
    EXPECT_STRNE("Three, renamed", pControls->GetOriginalControls()->GetAt(2)->GetCaption());
    EXPECT_TRUE(pControls->IsChanged());
    pLoaded->InternalRelease();
}

TEST_P(PopupBarStores, ABarSavedWithoutOriginalsLoadsWithoutThem)
{
    pxtest::TestStore store(GetParam());
    {
        CXTPPopupBar* pBar = MakePopupBar({501});
        Exchange(store, pBar, false);
        pBar->InternalRelease();
    }
    CXTPPopupBar* pLoaded = MakePopupBar({999});
    pLoaded->GetControls()->CreateOriginalControls();
    Exchange(store, pLoaded, true);
    EXPECT_EQ((Ids{501}), ControlIds(pLoaded->GetControls()));
    EXPECT_EQ(nullptr, pLoaded->GetControls()->GetOriginalControls());
    pLoaded->InternalRelease();
}

TEST_P(PopupBarStores, AMenuBarKeepsTheDocumentMenusThatHaveControls)
{
    pxtest::TestStore store(GetParam());
    {
        CXTPMenuBar* pBar = new CXTPMenuBar();
        const UINT top[] = {801, 802};
        pBar->SetButtons(top, 2);
        CXTPMenuBarMDIMenuInfo* pInfo = new CXTPMenuBarMDIMenuInfo(nullptr, 130);
        pInfo->m_pControls->Add(new CXTPControlButton(), 701);
        pInfo->m_pControls->Add(new CXTPControlButton(), 702);
        pBar->GetMDIMenus()->SetAt(130, pInfo);
        pInfo->InternalRelease();
        CXTPMenuBarMDIMenuInfo* pEmpty = new CXTPMenuBarMDIMenuInfo(nullptr, 131);
        pBar->GetMDIMenus()->SetAt(131, pEmpty);
        pEmpty->InternalRelease();
        pBar->SetCloseable(FALSE);
        Exchange(store, pBar, false);
        pBar->InternalRelease();
    }
    CXTPMenuBar* pLoaded = new CXTPMenuBar();
    Exchange(store, pLoaded, true);
    EXPECT_EQ((Ids{801, 802}), ControlIds(pLoaded->GetControls()));
    EXPECT_FALSE(pLoaded->IsCloseable());
    ASSERT_NE(nullptr, pLoaded->GetMDIMenus()->Lookup(130));
    EXPECT_EQ((Ids{701, 702}), ControlIds(pLoaded->GetMDIMenus()->Lookup(130)->m_pControls));
    EXPECT_EQ(nullptr, pLoaded->GetMDIMenus()->Lookup(131)) << "a menu without controls is not saved";
    EXPECT_TRUE(pLoaded->HasMDIMenus());
    pLoaded->InternalRelease();
}

INSTANTIATE_TEST_SUITE_P(Stores, PopupBarStores,
                         ::testing::Values(pxtest::StoreKind::Registry, pxtest::StoreKind::Ini,
                                           pxtest::StoreKind::Archive),
                         [](const ::testing::TestParamInfo<pxtest::StoreKind>& info) {
                             return std::string(pxtest::StoreName(info.param));
                         });

// ---------------------------------------------------------------- file names

TEST(CustomizedControlsFile, EveryCharacterAFileNameCannotHoldBecomesAnUnderscore)
{
    struct Case
    {
        const char* profile;
        const char* file;
    } cases[] = {{"Plain Name", "Plain Name"},
                 {"Software\\Maker\\App", "Software_Maker_App"},
                 {"C:stream", "C_stream"},
                 {"a/b*c?d\"e<f>g|h", "a_b_c_d_e_f_g_h"}};
    for (const Case& c : cases)
        EXPECT_STREQ(c.file, XTPControlsFileName(c.profile)) << c.profile;
}

// ---------------------------------------------------------------- a customizable manager

// Answers the merge question with a fixed answer and counts the questions.
class MergeQuestionProbe
{
public:
    explicit MergeQuestionProbe(int nAnswer) : m_pfnOld(CXTPToolBar::s_pfnMergeQuestion)
    {
        s_nAnswer = nAnswer;
        s_nAsked = 0;
        s_strText.Empty();
        s_nType = 0;
        CXTPToolBar::s_pfnMergeQuestion = &MergeQuestionProbe::Ask;
    }
    ~MergeQuestionProbe() { CXTPToolBar::s_pfnMergeQuestion = m_pfnOld; }

    static int s_nAnswer;
    static int s_nAsked;
    static CString s_strText;
    static UINT s_nType;

private:
    static int Ask(HWND, LPCSTR lpszText, UINT nType)
    {
        ++s_nAsked;
        s_strText = lpszText;
        s_nType = nType;
        return s_nAnswer;
    }
    CXTPToolBar::PFN_RESET_QUESTION m_pfnOld;
};
int MergeQuestionProbe::s_nAnswer = IDYES;
int MergeQuestionProbe::s_nAsked = 0;
CString MergeQuestionProbe::s_strText;
UINT MergeQuestionProbe::s_nType = 0;

class CustomizableManager : public tb_test::DockingOnFrame
{
protected:
    void SetUp() override
    {
        tb_test::DockingOnFrame::SetUp();
        frame.m_handled.insert(ID_TK_CUSTOMIZE);
        bars->SetSite(&frame);
        ASSERT_TRUE(bars->IsCustomizable());
        bar = AddToolBar("Standard", {40001, 40002, 40003});
        bar->SetBarID(100);
        bar->GetControls()->CreateOriginalControls();
    }
    // The program's bar of a version: these controls, made the originals.
    void ProgramBar(const std::vector<UINT>& ids)
    {
        bar->SetButtons(ids.data(), static_cast<int>(ids.size()));
        bar->GetControls()->CreateOriginalControls();
    }
    // The user's changes: the second control goes, 40009 joins at the end.
    void Customise()
    {
        bar->GetControls()->RemoveAt(1);
        bar->GetControls()->Add(new CXTPControlButton(), 40009);
        ASSERT_TRUE(bar->IsChanged());
    }

    // Customises the bar, saves the state under "Prof" and answers the stored archive.
    std::vector<BYTE> SaveCustomised(ScratchProfileApp& app)
    {
        Customise();
        bars->SaveBarState("Prof");
        return app.Binary("Prof-Controls", "Controls");
    }

    CXTPToolBar* bar = nullptr;
};

TEST_F(CustomizableManager, ACustomisedToolbarTravelsAsACompressedBlobInTheProfile)
{
    ScratchProfileApp app("qvx_ctrls_blob_");
    Customise();
    bars->SaveBarState("Prof");
    const std::vector<std::string> lines = app.Lines("Prof-Controls");
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(0u, lines[0].find("Controls=KFJEAFBC")) << "the block starts with \"ZIP!\"";
    EXPECT_EQ("LoadFromFile=0", lines[1]);

    MergeQuestionProbe probe(IDYES);
    ProgramBar({40001, 40002, 40003});
    bars->LoadBarState("Prof");
    EXPECT_EQ((Ids{40001, 40003, 40009}), ControlIds(bar->GetControls()));
    EXPECT_EQ((Ids{40001, 40002, 40003}), ControlIds(bar->GetControls()->GetOriginalControls()));
    EXPECT_EQ(0, probe.s_nAsked) << "the program's bar did not change: no question";
    EXPECT_EQ(bar, bars->GetToolBar(100));
    EXPECT_EQ(1, bars->GetCount()) << "the loaded copy merged, not added";
}

TEST_F(CustomizableManager, OnlyCustomisedBarsAreSavedUnlessAskedOtherwise)
{
    ScratchProfileApp app("qvx_ctrls_only_");
    bars->SaveBarState("Prof", FALSE);
    const std::vector<BYTE> all = app.Binary("Prof-Controls", "Controls");
    bars->SaveBarState("Prof", TRUE);
    const std::vector<BYTE> changed = app.Binary("Prof-Controls", "Controls");
    ASSERT_FALSE(changed.empty());
    EXPECT_LT(changed.size(), all.size()) << "an unchanged built-in bar is left out";
}

struct MergeCase
{
    const char* name;
    BOOL bSilent;
    int nAnswer;
    int nAsked;
    Ids result;
};

class MergeQuestion : public CustomizableManager, public ::testing::WithParamInterface<MergeCase>
{
};

TEST_P(MergeQuestion, AChangedProgramToolbarAsksWhetherToKeepTheUsersCopy)
{
    const MergeCase& c = GetParam();
    ScratchProfileApp app("qvx_ctrls_merge_");
    Customise();
    bars->SaveBarState("Prof");

    // The next version of the program adds 40004 to the bar.
    ProgramBar({40001, 40002, 40003, 40004});
    MergeQuestionProbe probe(c.nAnswer);
    bars->LoadBarState("Prof", c.bSilent);
    EXPECT_EQ(c.nAsked, probe.s_nAsked);
    EXPECT_EQ(c.result, ControlIds(bar->GetControls()));
    EXPECT_EQ((Ids{40001, 40002, 40003, 40004}), ControlIds(bar->GetControls()->GetOriginalControls()));
    if (c.nAsked)
    {
        EXPECT_NE(-1, probe.s_strText.Find("'Standard'")) << probe.s_strText.GetString();
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), probe.s_nType);
    }

    // Saved again and loaded again, the question does not come back.
    bars->SaveBarState("Prof");
    bars->LoadBarState("Prof", FALSE);
    EXPECT_EQ(c.nAsked, probe.s_nAsked);
    EXPECT_EQ(c.result, ControlIds(bar->GetControls()));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MergeQuestion,
    ::testing::Values(MergeCase{"Silent", TRUE, IDNO, 0, Ids{40001, 40002, 40003, 40004}},
                      MergeCase{"Yes", FALSE, IDYES, 1, Ids{40001, 40002, 40003, 40004}},
                      MergeCase{"No", FALSE, IDNO, 1, Ids{40001, 40003, 40009}}),
    [](const ::testing::TestParamInfo<MergeCase>& info) { return std::string(info.param.name); });

TEST_F(CustomizableManager, AnUncustomisedCopyOfAChangedBarLeavesTheNewBarWithoutAQuestion)
{
    ScratchProfileApp app("qvx_ctrls_plain_");
    bars->SaveBarState("Prof", FALSE);
    ProgramBar({40001, 40004});
    MergeQuestionProbe probe(IDNO);
    bars->LoadBarState("Prof");
    EXPECT_EQ(0, probe.s_nAsked);
    EXPECT_EQ((Ids{40001, 40004}), ControlIds(bar->GetControls()));
}

TEST_F(CustomizableManager, APopupBarWithoutAnIdIsNumberedAndFoundAgain)
{
    ScratchProfileApp app("qvx_ctrls_popup_");
    MergeQuestionProbe probe(IDNO);
    // The program's bar: a popup whose menu has no id.
    auto addPopup = [this](const std::vector<UINT>& items) {
        CXTPControlPopup* pPopup = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
        CXTPPopupBar* pMenu = MakePopupBar(items);
        pPopup->SetCommandBar(pMenu);
        pMenu->InternalRelease();
        bar->GetControls()->Add(pPopup, 40100);
        bar->GetControls()->CreateOriginalControls();
        return pMenu;
    };
    CXTPPopupBar* pMenu = addPopup({601, 602});
    ASSERT_EQ(0u, pMenu->GetBarID());
    // The user adds an item to the menu.
    pMenu->GetControls()->Add(new CXTPControlButton(), 603);
    ASSERT_TRUE(bar->IsChanged());

    bars->SaveBarState("Prof");
    EXPECT_GE(pMenu->GetBarID(), 0x1000000u);
    const UINT nSavedId = pMenu->GetBarID();

    // The program's bar again: the user's menu comes back through its number.
    ProgramBar({40001, 40002, 40003});
    addPopup({601, 602});
    bars->LoadBarState("Prof");
    EXPECT_EQ(0, probe.s_nAsked);
    CXTPControl* pLoaded = bar->GetControls()->FindControlById(40100);
    ASSERT_NE(nullptr, pLoaded);
    CXTPCommandBar* pLoadedMenu = pLoaded->GetCommandBar();
    ASSERT_NE(nullptr, pLoadedMenu);
    EXPECT_EQ(nSavedId, pLoadedMenu->GetBarID());
    EXPECT_EQ((Ids{601, 602, 603}), ControlIds(pLoadedMenu->GetControls()));
    EXPECT_EQ(0u, static_cast<CXTPControlPopup*>(pLoaded)->GetPendingCommandBarId());
}

// ---------------------------------------------------------------- profile or hidden file

std::vector<BYTE> Bytes(DWORD n)
{
    std::vector<BYTE> bytes(n);
    DWORD x = 12345;
    for (BYTE& b : bytes)
    {
        x = x * 1103515245u + 12345u;
        b = static_cast<BYTE>(x >> 16);
    }
    return bytes;
}

std::vector<BYTE> ReadFileBytes(const CString& path)
{
    std::vector<BYTE> bytes;
    HANDLE h = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(::GetFileSize(h, nullptr));
    DWORD n = 0;
    if (!bytes.empty() && !::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr))
        bytes.clear();
    ::CloseHandle(h);
    return bytes;
}

void RemoveFile(const CString& path)
{
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path);
}

TEST_F(CustomizableManager, SixteenThousandBytesStayInTheProfileOneMoreGoesToAHiddenFile)
{
    ScratchProfileApp app("qvx_ctrls_size_");
    const char* kProfile = "Tests\\Layout:One";
    const CString strSection = CString(kProfile) + "-Controls";

    const std::vector<BYTE> small = Bytes(16000);
    ASSERT_TRUE(bars->WriteControlsBuffer(kProfile, small.data(), 16000));
    EXPECT_EQ(0u, app.GetProfileInt(strSection, "LoadFromFile", -1));
    EXPECT_EQ(small, app.Binary(strSection, "Controls")) << "32,000 letters read back whole";

    CString strPath;
    ASSERT_TRUE(bars->GetControlsFilePath(strPath, kProfile));
    EXPECT_EQ(strPath.GetLength() - 17, strPath.Find("\\Tests_Layout_One")) << strPath.GetString();
    const std::vector<BYTE> large = Bytes(16001);
    ASSERT_TRUE(bars->WriteControlsBuffer(kProfile, large.data(), 16001));
    EXPECT_EQ(1u, app.GetProfileInt(strSection, "LoadFromFile", 0));
    EXPECT_STREQ(strPath, app.GetProfileString(strSection, "Controls", ""));
    const DWORD dwAttributes = ::GetFileAttributesA(strPath);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, dwAttributes);
    EXPECT_TRUE(dwAttributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(large, ReadFileBytes(strPath));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strPath + ".new")) << "nothing left beside it";

    // Written again over the hidden file.
    const std::vector<BYTE> larger = Bytes(17000);
    ASSERT_TRUE(bars->WriteControlsBuffer(kProfile, larger.data(), 17000));
    EXPECT_EQ(larger, ReadFileBytes(strPath));
    RemoveFile(strPath);
}

TEST_F(CustomizableManager, AFailedSaveEmptiesTheSectionAndLeavesNoHalfFile)
{
    ScratchProfileApp app("qvx_ctrls_fail_");
    // The file's place is taken by a folder: it cannot be replaced.
    const std::string folder = pxtest::ScratchPath("qvx_ctrls_dir_", "");
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    bars->SetControlsFileName(folder.c_str());
    app.Write("Prof-Controls", "LoadFromFile", "1");
    app.Write("Prof-Controls", "Controls", "old.bin");

    const std::vector<BYTE> large = Bytes(20000);
    EXPECT_FALSE(bars->WriteControlsBuffer("Prof", large.data(), 20000));
    EXPECT_TRUE(app.Lines("Prof-Controls").empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((folder + ".new").c_str()));
    EXPECT_TRUE(::GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(CustomizableManager, AnArchiveInTheNamedFileIsLoaded)
{
    ScratchProfileApp app("qvx_ctrls_fromfile_");
    const std::vector<BYTE> blob = SaveCustomised(app);
    ASSERT_FALSE(blob.empty());
    const CString strPath = pxtest::ScratchPath("qvx_ctrls_file_", ".bin").c_str();
    ASSERT_TRUE(XTPWriteFileReplacing(strPath, blob.data(), static_cast<DWORD>(blob.size()), FILE_ATTRIBUTE_HIDDEN));
    app.Write("Prof-Controls", "Controls", strPath);
    app.Write("Prof-Controls", "LoadFromFile", "1");

    ProgramBar({40001, 40002, 40003});
    bars->LoadBarState("Prof");
    EXPECT_EQ((Ids{40001, 40003, 40009}), ControlIds(bar->GetControls()));

    // A missing file leaves the program's bar.
    RemoveFile(strPath);
    ProgramBar({40001, 40002, 40003});
    bars->LoadBarState("Prof");
    EXPECT_EQ((Ids{40001, 40002, 40003}), ControlIds(bar->GetControls()));
}

TEST_F(CustomizableManager, ADamagedBlobLeavesTheProgramsBars)
{
    ScratchProfileApp app("qvx_ctrls_damaged_");
    std::vector<BYTE> blob = SaveCustomised(app);
    ASSERT_FALSE(blob.empty());
    // Cut the stored block in half.
    ASSERT_TRUE(app.WriteProfileBinary("Prof-Controls", "Controls", blob.data(), static_cast<UINT>(blob.size() / 2)));
    ProgramBar({40001, 40002, 40003});
    bars->LoadBarState("Prof");
    EXPECT_EQ((Ids{40001, 40002, 40003}), ControlIds(bar->GetControls()));
    EXPECT_EQ(1, bars->GetCount());
}
} // namespace
