#include "tools/fuzz/PropExchangeMutation.h"

#include "framework/MemFile.h"
#include "toolkit/common/persist/XTPPropExchangeArchive.h"
#include "toolkit/common/persist/XTPZipMemFile.h"

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <set>

namespace pxmutation
{
namespace
{
// A serialisable fixture object: one of everything an archive record can hold. A damaged stream can
// make any reference point at any object read before, so the child is not owned: every item made on
// the heap is swept after each copy instead (items on the stack are marked local).
class CMutationItem : public CObject
{
    DECLARE_SERIAL(CMutationItem)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_n << m_text << m_wide << m_var << m_date << static_cast<const CObject*>(m_pChild);
        }
        else
        {
            ar >> m_n >> m_text >> m_wide >> m_var >> m_date;
            ar >> m_pChild;
        }
    }
    CMutationItem() { Items().insert(this); }
    ~CMutationItem() override { Items().erase(this); }
    // Every item alive; the ones made on the heap (not marked local) are deleted by Sweep.
    static std::set<CMutationItem*>& Items()
    {
        static std::set<CMutationItem*> items;
        return items;
    }
    static void Sweep()
    {
        std::vector<CMutationItem*> heap;
        for (CMutationItem* p : Items())
            if (!p->m_bLocal)
                heap.push_back(p);
        for (CMutationItem* p : heap)
            delete p;
    }

    bool m_bLocal = false;
    int m_n = 0;
    CString m_text;
    CStringW m_wide;
    COleVariant m_var;
    COleDateTime m_date;
    CObject* m_pChild = nullptr;
};
IMPLEMENT_SERIAL(CMutationItem, CObject, 1)

// The description that the archive fixture stores and the reader loads.
void Exchange(CXTPPropExchange* px)
{
    px->ExchangeSchema();
    int n = 1234;
    short s = -7;
    BYTE b = 200;
    BOOL f = TRUE;
    CString text("fixture text");
    RECT rc{1, 2, 3, 4};
    SIZE sz{5, 6};
    double d = 0.25;
    float fl = 1.5f;
    COleDateTime date(2010, 3, 5, 1, 2, 3);
    COleVariant var(L"wide variant");
    ExchangeIntProperty(px, "n", n, 0);
    ExchangeShortProperty(px, "s", s, 0);
    ExchangeByteProperty(px, "b", b, 0);
    ExchangeBoolProperty(px, "f", f, FALSE);
    ExchangeStringProperty(px, "text", text, "");
    ExchangeRectProperty(px, "rc", rc, RECT{});
    ExchangeSizeProperty(px, "sz", sz, SIZE{});
    px->ExchangeProp("d", VT_R8, &d, nullptr);
    px->ExchangeProp("fl", VT_R4, &fl, nullptr);
    px->ExchangeProp("date", VT_DATE, &date, nullptr);
    px->ExchangeProp("var", VT_VARIANT, &var, nullptr);

    BYTE blob[40];
    for (int i = 0; i < 40; ++i)
        blob[i] = static_cast<BYTE>(i * 3);
    BYTE* p = px->IsStoring() ? blob : nullptr;
    DWORD nBlob = sizeof(blob);
    if (ExchangeBlobProperty(px, "blob", p, nBlob) && px->IsLoading())
        std::free(p);
    BYTE fixed[40];
    BYTE* pFixed = px->IsStoring() ? blob : fixed;
    DWORD nFixed = sizeof(fixed);
    ExchangeBlobProperty(px, "fixed", pFixed, nFixed);

    std::unique_ptr<CXTPPropExchangeEnumerator> en(px->GetEnumerator("Item"));
    POSITION pos = en->GetPosition(3);
    while (pos)
    {
        std::unique_ptr<CXTPPropExchange> sec(en->GetNext(pos));
        CMutationItem item;
        item.m_bLocal = true;
        item.m_n = 9;
        item.m_text = "item";
        CObject* pObject = px->IsStoring() ? &item : nullptr;
        // Only this class may be made: the stream could name any serialisable class of the program.
        if (sec->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CMutationItem)))
        {
            CString caption("caption");
            ExchangeStringProperty(sec.get(), "caption", caption, "");
        }
    }
    CMutationItem child;
    child.m_bLocal = true;
    ExchangeSerializedObject(px, "object", &child);
}

std::vector<BYTE> Store(void (*write)(CArchive&))
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    CMutationItem::Sweep();
    UINT n = static_cast<UINT>(file.GetLength());
    BYTE* p = file.Detach();
    std::vector<BYTE> out(p, p + n);
    std::free(p);
    return out;
}

std::vector<BYTE> ArchiveFixture()
{
    return Store([](CArchive& ar) {
        CXTPPropExchangeArchive px(ar);
        Exchange(&px);
    });
}

Outcome ReadArchive(const BYTE* data, UINT size)
{
    CMemFile file(const_cast<BYTE*>(data), size);
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    try
    {
        Exchange(&px);
    }
    catch (CException* e)
    {
        e->Delete();
        return Outcome::Refused;
    }
    return Outcome::Loaded;
}

std::vector<BYTE> SerializedFixture()
{
    return Store([](CArchive& ar) {
        CXTPPropExchangeArchive px(ar);
        CMutationItem item;
        item.m_bLocal = true;
        item.m_n = 5;
        item.m_text = "outer";
        item.m_wide = L"wide";
        item.m_var = COleVariant(static_cast<long>(77));
        item.m_date = COleDateTime(2001, 2, 3, 4, 5, 6);
        CMutationItem* inner = new CMutationItem;
        inner->m_text = "inner";
        inner->m_var = COleVariant("text variant");
        item.m_pChild = inner;
        ExchangeSerializedObject(&px, "object", &item);
    });
}

Outcome ReadSerialized(const BYTE* data, UINT size)
{
    CMemFile file(const_cast<BYTE*>(data), size);
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    CMutationItem item;
    item.m_bLocal = true;
    return ExchangeSerializedObject(&px, "object", &item) ? Outcome::Loaded : Outcome::Refused;
}

std::vector<BYTE> ZipFixture()
{
    CXTPZipMemFile file;
    const char text[] = "customised toolbar with a few controls; customised toolbar again; ";
    for (int i = 0; i < 6; ++i)
        file.Write(text, sizeof(text) - 1);
    BYTE* p = nullptr;
    DWORD n = 0;
    file.DetachCompressedBuffer(p, n);
    std::vector<BYTE> out(p, p + n);
    std::free(p);
    return out;
}

Outcome ReadZip(const BYTE* data, UINT size)
{
    CXTPZipMemFile file(const_cast<BYTE*>(data), size);
    // Read the whole file back, as a loader would.
    BYTE buf[512];
    UINT total = 0, n;
    while ((n = file.Read(buf, sizeof(buf))) > 0)
        total += n;
    return total > 0 ? Outcome::Loaded : Outcome::Refused;
}

// Memory whose last usable byte is followed by a no-access page.
class GuardedBuffer
{
public:
    explicit GuardedBuffer(size_t capacity)
    {
        SYSTEM_INFO si;
        GetSystemInfo(&si);
        m_page = si.dwPageSize;
        m_usable = (capacity + m_page - 1) / m_page * m_page;
        m_base = static_cast<BYTE*>(
            VirtualAlloc(nullptr, m_usable + m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        if (m_base)
            VirtualProtect(m_base + m_usable, m_page, PAGE_NOACCESS, &old);
    }
    ~GuardedBuffer()
    {
        if (m_base)
            VirtualFree(m_base, 0, MEM_RELEASE);
    }
    // The copy ends right at the guard page.
    const BYTE* Place(const std::vector<BYTE>& data)
    {
        BYTE* p = m_base + m_usable - data.size();
        if (!data.empty())
            std::memcpy(p, data.data(), data.size());
        return p;
    }
    bool Ok() const { return m_base != nullptr; }

private:
    BYTE* m_base = nullptr;
    size_t m_page = 4096;
    size_t m_usable = 0;
};

SIZE_T CommitCharge(bool peak)
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc)))
        return 0;
    return peak ? pmc.PeakPagefileUsage : pmc.PagefileUsage;
}

void Put(std::vector<BYTE>& v, size_t at, size_t width, unsigned long long value)
{
    for (size_t i = 0; i < width && at + i < v.size(); ++i)
        v[at + i] = static_cast<BYTE>(value >> (8 * i));
}
} // namespace

const std::vector<Reader>& Readers()
{
    static const std::vector<Reader> readers = {
        {"archive exchange", &ArchiveFixture, &ReadArchive},
        {"serialised object", &SerializedFixture, &ReadSerialized},
        {"compressed file", &ZipFixture, &ReadZip},
    };
    return readers;
}

Stats Run(const Reader& reader, unsigned seed, size_t nRandom, double maxSeconds)
{
    Stats stats;
    const std::vector<BYTE> fixture = reader.makeFixture();
    GuardedBuffer buffer(fixture.size() + 64);
    if (!buffer.Ok())
        return stats;
    const SIZE_T startCommit = CommitCharge(false);
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    bool stop = false;
    auto one = [&](const std::vector<BYTE>& copy) {
        if (stop)
            return;
        const BYTE* p = buffer.Place(copy);
        Outcome outcome = reader.read(p, static_cast<UINT>(copy.size()));
        CMutationItem::Sweep();
        ++stats.copies;
        (outcome == Outcome::Loaded ? stats.loaded : stats.refused)++;
        if (maxSeconds > 0 && (stats.copies & 63) == 0 && elapsed() > maxSeconds)
            stop = true;
    };

    {
        const BYTE* p = buffer.Place(fixture);
        MEMORY_BASIC_INFORMATION mbi = {};
        stats.guarded = VirtualQuery(p + fixture.size(), &mbi, sizeof(mbi)) == sizeof(mbi) &&
                        mbi.Protect == PAGE_NOACCESS;
    }
    one(fixture);
    // Truncations at every length.
    for (size_t n = 0; n < fixture.size(); ++n)
        one(std::vector<BYTE>(fixture.begin(), fixture.begin() + static_cast<long>(n)));
    // Every single-bit flip.
    for (size_t i = 0; i < fixture.size() * 8; ++i)
    {
        std::vector<BYTE> copy = fixture;
        copy[i / 8] ^= static_cast<BYTE>(1u << (i % 8));
        one(copy);
    }
    // Length and count fields of every width at every offset: 0, -1 and huge.
    for (size_t at = 0; at < fixture.size(); ++at)
        for (size_t width : {1u, 2u, 4u})
            for (unsigned long long value : {0ull, ~0ull, 0x7FFFFFFFull >> (8 * (4 - width))})
            {
                std::vector<BYTE> copy = fixture;
                Put(copy, at, width, value);
                one(copy);
            }
    // Random rewrites: a few bytes changed, sometimes cut short.
    std::mt19937 rng(seed);
    for (size_t k = 0; k < nRandom && !stop; ++k)
    {
        std::vector<BYTE> copy = fixture;
        int changes = 1 + static_cast<int>(rng() % 8);
        for (int c = 0; c < changes && !copy.empty(); ++c)
            copy[rng() % copy.size()] = static_cast<BYTE>(rng());
        if (rng() % 4 == 0)
            copy.resize(rng() % (copy.size() + 1));
        one(copy);
    }
    stats.seconds = elapsed();
    SIZE_T peak = CommitCharge(true);
    stats.peakCommitGrowth = peak > startCommit ? peak - startCommit : 0;
    return stats;
}

std::string Describe(const Reader& reader, const Stats& stats)
{
    char line[256];
    std::snprintf(line, sizeof(line),
                  "%s: %zu copies (%zu loaded, %zu refused) in %.2f s, peak commit +%zu KB", reader.name,
                  stats.copies, stats.loaded, stats.refused, stats.seconds,
                  static_cast<size_t>(stats.peakCommitGrowth / 1024));
    return line;
}
} // namespace pxmutation
