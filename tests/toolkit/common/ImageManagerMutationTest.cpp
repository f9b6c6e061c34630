// Hostile input: a bounded, seeded mutation run of every image reader. Each mutated copy sits at
// the end of a page followed by an inaccessible page, so a read past its end faults. Every copy
// must be refused cleanly or load; GDI objects must not pile up.
//
// QVX_MUTATION_COPIES sets the number of random copies per fixture (default 1500);
// tools/image-mutation-run.sh runs these tests with a larger number.
#include "toolkit/common/images/XTPGraphicBitmapPng.h"
#include "toolkit/common/images/XTPImageManager.h"

#include "ImageTestHelpers.h"
#include "framework/Archive.h"
#include "framework/MemFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <zlib.h>

using namespace imgtest;

namespace
{
// Memory whose last byte is followed by a PAGE_NOACCESS page.
class GuardedBuffer
{
public:
    GuardedBuffer(const std::vector<BYTE>& data)
    {
        SYSTEM_INFO si;
        ::GetSystemInfo(&si);
        const size_t nPage = si.dwPageSize;
        m_nPages = (data.size() + nPage - 1) / nPage + 1;
        m_pBase = static_cast<BYTE*>(::VirtualAlloc(nullptr, m_nPages * nPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD dwOld;
        ::VirtualProtect(m_pBase + (m_nPages - 1) * nPage, nPage, PAGE_NOACCESS, &dwOld);
        m_pData = m_pBase + (m_nPages - 1) * nPage - data.size();
        if (!data.empty())
            std::memcpy(m_pData, data.data(), data.size());
        m_nSize = data.size();
    }
    ~GuardedBuffer() { ::VirtualFree(m_pBase, 0, MEM_RELEASE); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;
    BYTE* Data() const { return m_pData; }
    size_t Size() const { return m_nSize; }

private:
    BYTE* m_pBase;
    BYTE* m_pData;
    size_t m_nPages;
    size_t m_nSize;
};

// A fixed-seed generator (the same copies on every run).
class Random
{
public:
    explicit Random(uint32_t seed) : m_state(seed) {}
    uint32_t Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }

private:
    uint32_t m_state;
};

int CopiesPerFixture()
{
    const char* psz = std::getenv("QVX_MUTATION_COPIES");
    int n = psz ? std::atoi(psz) : 0;
    return n > 0 ? n : 1500;
}

// Recomputes the CRC of every chunk that fits, so damaged PNG data gets past the CRC check.
void FixPngCrcs(std::vector<BYTE>& d)
{
    size_t pos = 8;
    while (pos + 12 <= d.size())
    {
        uint32_t len = (uint32_t(d[pos]) << 24) | (uint32_t(d[pos + 1]) << 16) | (uint32_t(d[pos + 2]) << 8) | d[pos + 3];
        if (len > d.size() - pos - 12)
            break;
        uLong crc = crc32(0, d.data() + pos + 4, static_cast<uInt>(len + 4));
        size_t at = pos + 8 + len;
        d[at] = BYTE(crc >> 24);
        d[at + 1] = BYTE(crc >> 16);
        d[at + 2] = BYTE(crc >> 8);
        d[at + 3] = BYTE(crc);
        pos = at + 4;
    }
}

// Every copy of one fixture: all truncations, length and count fields set to 0, -1, and huge
// values at every offset of the first 96 bytes, then random bit flips.
template <typename READER> int RunMutations(const std::vector<BYTE>& fixture, bool bPng, uint32_t seed, READER read)
{
    int nLoaded = 0;
    auto run = [&](std::vector<BYTE> copy) {
        GuardedBuffer buffer(copy);
        if (read(buffer.Data(), buffer.Size()))
            nLoaded++;
    };
    for (size_t n = 0; n < fixture.size(); n++)
        run(std::vector<BYTE>(fixture.begin(), fixture.begin() + n));
    const DWORD values[] = {0, 0xFFFFFFFF, 0x7FFFFFFF, 0x0000FFFF, 0x00010000};
    for (size_t off = 0; off < fixture.size() && off < 96; off++)
    {
        for (DWORD v : values)
        {
            for (size_t width : {2u, 4u})
            {
                if (off + width > fixture.size())
                    continue;
                std::vector<BYTE> copy = fixture;
                std::memcpy(copy.data() + off, &v, width);
                if (bPng)
                    FixPngCrcs(copy);
                run(copy);
            }
        }
    }
    Random random(seed);
    const int nCopies = CopiesPerFixture();
    for (int i = 0; i < nCopies; i++)
    {
        std::vector<BYTE> copy = fixture;
        size_t nFlips = 1 + random.Below(4);
        for (size_t f = 0; f < nFlips; f++)
        {
            size_t at = random.Below(copy.size());
            copy[at] ^= BYTE(1u << random.Below(8));
        }
        if (bPng && (i & 1))
            FixPngCrcs(copy);
        run(copy);
    }
    return nLoaded;
}

DWORD GdiObjects()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

struct GdiBalance
{
    DWORD dwBefore = GdiObjects();
    ~GdiBalance() { EXPECT_LE(GdiObjects(), dwBefore + 16) << "GDI objects left behind"; }
};
} // namespace

TEST(ImageMutation, PngDecoder)
{
    GdiBalance balance;
    for (const char* name : {"RGBA_2X3", "RGB2X2", "PALETTE_TRNS", "GREY16", "BKGD", "GAMA", "STRIP_2X16"})
    {
        SCOPED_TRACE(name);
        int nLoaded = RunMutations(ResourceBytes(name, "PNG"), true, 0x5EED0001, [](BYTE* p, size_t n) {
            CMemFile file(p, static_cast<UINT>(n), 0);
            CXTPGraphicBitmapPng png;
            return png.LoadFromStream(&file) != FALSE;
        });
        EXPECT_GT(nLoaded, 0);
    }
}

TEST(ImageMutation, BitmapLoader)
{
    GdiBalance balance;
    for (const char* name : {"FILE_BMP32", "FILE_BMP24"})
    {
        SCOPED_TRACE(name);
        int nLoaded = RunMutations(ResourceBytes(name, RT_RCDATA), false, 0x5EED0002, [](BYTE* p, size_t n) {
            BOOL bAlpha = FALSE;
            HBITMAP hBitmap = LoadBitmapFromMemory(p, n, &bAlpha);
            if (hBitmap)
                ::DeleteObject(hBitmap);
            return hBitmap != nullptr;
        });
        EXPECT_GT(nLoaded, 0);
    }
}

TEST(ImageMutation, IcoReader)
{
    GdiBalance balance;
    CXTPImageManager manager;
    for (const char* name : {"FILE_SMALL_ICO", "FILE_PNG_ENTRY_ICO"})
    {
        SCOPED_TRACE(name);
        int nLoaded = RunMutations(ResourceBytes(name, RT_RCDATA), false, 0x5EED0003, [&](BYTE* p, size_t n) {
            BOOL bResult = manager.SetIconFromIcoData(p, n, 1);
            manager.RemoveAll();
            return bResult != FALSE;
        });
        EXPECT_GT(nLoaded, 0);
    }
}

TEST(ImageMutation, ToolbarReader)
{
    int nLoaded = RunMutations(ResourceBytes("FILE_TOOLBAR", RT_RCDATA), false, 0x5EED0004, [](BYTE* p, size_t n) {
        UINT* pItems = nullptr;
        int nItems = 0;
        CSize sz;
        BOOL bResult = CXTPImageManager::ParseToolbarData(p, n, pItems, nItems, sz);
        if (bResult && nItems > 0 && (!pItems || nItems > static_cast<int>(n)))
            ADD_FAILURE() << "item count beyond the data";
        delete[] pItems;
        return bResult != FALSE;
    });
    EXPECT_GT(nLoaded, 0);
}

TEST(ImageMutation, IconRecordLoader)
{
    GdiBalance balance;
    CXTPImageManager manager;
    // A record with an alpha normal image and an icon as its hot image.
    std::vector<BYTE> record;
    {
        CXTPImageManagerIconSet set(1, &manager);
        CXTPImageManagerIcon* pIcon = set.GetIconByWidth(4);
        HBITMAP hBitmap = MakeSolidBitmap(4, 4, 0x80402010);
        CXTPImageHandle handle;
        handle.SetBitmap(hBitmap, TRUE);
        pIcon->SetNormalIcon(handle);
        HICON hIcon = MakeIcon(4, 4, [](int x, int) { return static_cast<DWORD>(x * 40); });
        handle.SetIcon(hIcon, TRUE);
        pIcon->SetHotIcon(handle);
        record = StoreObject(pIcon);
    }
    CXTPImageManagerIconSet set(1, &manager);
    CXTPImageManagerIcon* pTarget = set.GetIconByWidth(4);
    int nLoaded = RunMutations(record, false, 0x5EED0005, [&](BYTE* p, size_t n) {
        CMemFile file(p, static_cast<UINT>(n), 0);
        CArchive ar(&file, CArchive::load);
        try
        {
            pTarget->Serialize(ar);
            return true;
        }
        catch (CException* e)
        {
            e->Delete();
            return false;
        }
    });
    EXPECT_GT(nLoaded, 0);
}
