// Saving and loading icon sets through the registry, INI and archive stores.
#include "toolkit/common/images/XTPImageManager.h"

#include "ImageTestHelpers.h"
#include "PropExchangeTestSupport.h"
#include "framework/MemFile.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace imgtest;
using pxtest::StoreKind;
using pxtest::TestStore;

namespace
{
BOOL SetImage(CXTPImageManager& manager, UINT nId, int cx, DWORD seed, int nState = xtpImageNormal)
{
    HBITMAP hBitmap = MakeBitmap(cx, cx, [=](int x, int y) {
        return (static_cast<DWORD>(128 + (x + y + seed) % 128) << 24) | ((x * 8 + seed) & 0x7F) << 16 |
               ((y * 8) & 0x7F);
    });
    CXTPImageHandle handle;
    handle.SetBitmap(hBitmap, TRUE);
    return manager.SetIcon(handle, nId, cx, cx, nState);
}

// (id, width, state) -> pixels of every image the manager holds.
std::vector<std::vector<DWORD>> AllPixels(CXTPImageManager& manager, const std::vector<std::pair<UINT, int>>& icons)
{
    std::vector<std::vector<DWORD>> result;
    for (const auto& icon : icons)
    {
        CXTPImageManagerIcon* pIcon = manager.GetImage(icon.first, icon.second);
        if (!pIcon || pIcon->GetWidth() != icon.second)
        {
            result.push_back({});
            continue;
        }
        for (int nState = 0; nState <= 4; nState++)
            result.push_back(HandlePixels(pIcon->GetImageByState(nState)));
    }
    return result;
}

const StoreKind kStores[] = {StoreKind::Registry, StoreKind::Ini, StoreKind::Archive};
} // namespace

TEST(ImageManagerPersist, SaveAndLoadKeepEveryPixelInEveryStore)
{
    CXTPImageManager source;
    ASSERT_TRUE(SetImage(source, 10, 16, 1));
    ASSERT_TRUE(SetImage(source, 10, 16, 2, xtpImageHot));
    ASSERT_TRUE(SetImage(source, 10, 16, 3, xtpImagePressed));
    ASSERT_TRUE(SetImage(source, 10, 32, 4));
    ASSERT_TRUE(SetImage(source, 20, 16, 5));
    ASSERT_TRUE(SetImage(source, 20, 16, 6, xtpImageDisabled));
    const std::vector<std::pair<UINT, int>> icons = {{10, 16}, {10, 32}, {20, 16}};
    const auto expected = AllPixels(source, icons);
    for (StoreKind kind : kStores)
    {
        SCOPED_TRACE(pxtest::StoreName(kind));
        TestStore store(kind);
        source.DoPropExchange(store.Open(false));
        store.Close();
        CXTPImageManager target;
        // Loading replaces every set, also those the store does not have.
        ASSERT_TRUE(SetImage(target, 99, 16, 7));
        target.DoPropExchange(store.Open(true));
        store.Close();
        EXPECT_EQ(nullptr, target.GetIconSet(99));
        EXPECT_EQ(2, target.GetImages()->GetCount());
        EXPECT_EQ(expected, AllPixels(target, icons));
        EXPECT_EQ(&target.GetImage(10, 32)->GetImage(), &target.GetImage(10, 32)->GetHotImage());
    }
}

TEST(ImageManagerPersist, AWrongCheckSumFailsTheLoad)
{
    for (StoreKind kind : kStores)
    {
        SCOPED_TRACE(pxtest::StoreName(kind));
        TestStore store(kind);
        {
            CXTPPropExchange* pPX = store.Open(false);
            std::unique_ptr<CXTPPropExchangeEnumerator> pEnum(pPX->GetEnumerator("IconSet"));
            POSITION pos = pEnum->GetPosition(1);
            std::unique_ptr<CXTPPropExchange> pSection(pEnum->GetNext(pos));
            int nId = 5;
            ExchangeIntPropertyNoDefault(pSection.get(), "Id", nId);
            CString strCheckSum = "SomethingElse";
            ExchangeStringProperty(pSection.get(), "CheckSum", strCheckSum, "");
            std::unique_ptr<CXTPPropExchangeEnumerator> pIcons(pSection->GetEnumerator("Icon"));
            pIcons->GetPosition(0);
            store.Close();
        }
        CXTPImageManager target;
        int nCause = 0;
        try
        {
            target.DoPropExchange(store.Open(true));
        }
        catch (CArchiveException* e)
        {
            nCause = e->m_cause;
            e->Delete();
        }
        store.Close();
        EXPECT_EQ(CArchiveException::badClass, nCause);
        EXPECT_EQ(nullptr, target.GetImage(5, 16));
    }
}

TEST(ImageManagerPersist, ASetWithoutIconsLoadsAsAnEmptySet)
{
    TestStore store(StoreKind::Ini);
    CXTPImageManager source;
    source.ExchangeIcons(77, store.Open(false));
    store.Close();
    CXTPImageManager target;
    ASSERT_TRUE(SetImage(target, 77, 16, 1));
    target.ExchangeIcons(77, store.Open(true));
    store.Close();
    ASSERT_NE(nullptr, target.GetIconSet(77));
    EXPECT_EQ(0, target.GetIconSet(77)->GetIcons()->GetCount());
    EXPECT_EQ(nullptr, target.GetImage(77, 16));
}

TEST(ImageManagerPersist, SerializeGoesThroughAnArchiveExchange)
{
    CXTPImageManager source;
    ASSERT_TRUE(SetImage(source, 3, 24, 9));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        source.Serialize(ar);
        ar.Close();
    }
    UINT nLength = static_cast<UINT>(file.GetLength());
    BYTE* p = file.Detach();
    std::vector<BYTE> bytes(p, p + nLength);
    std::free(p);
    CMemFile in(bytes.data(), nLength, 0);
    CArchive ar(&in, CArchive::load);
    CXTPImageManager target;
    target.Serialize(ar);
    ASSERT_NE(nullptr, target.GetImage(3, 24));
    EXPECT_EQ(HandlePixels(source.GetImage(3, 24)->GetImage()), HandlePixels(target.GetImage(3, 24)->GetImage()));
}
