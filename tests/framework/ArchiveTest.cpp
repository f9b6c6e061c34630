#include "framework/Archive.h"
#include "framework/MemFile.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
typedef std::vector<BYTE> Bytes;

// Runs a storing step and returns the archive's bytes.
Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    Bytes out(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!out.empty())
        file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

// Runs a loading step over the given bytes.
void Load(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// The archive exception cause a loading step throws, or -1 when it throws none.
int LoadCause(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    try
    {
        Load(bytes, read);
    }
    catch (CArchiveException* e)
    {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

Bytes B(std::initializer_list<int> v)
{
    Bytes b;
    for (int x : v)
        b.push_back(static_cast<BYTE>(x));
    return b;
}

// The bytes of a text without its terminator.
Bytes Text(const char* s)
{
    return Bytes(s, s + strlen(s));
}

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Damaged bytes, how to read them, and the archive exception cause that reading must raise.
struct DamageCase
{
    const char* what;
    Bytes bytes;
    std::function<void(CArchive&)> read;
    int cause;
};

template <size_t N> void ExpectCauses(const DamageCase (&cases)[N])
{
    for (const auto& c : cases)
        EXPECT_EQ(c.cause, LoadCause(c.bytes, c.read)) << c.what;
}

class CArcTestPoint : public CObject
{
    DECLARE_SERIAL(CArcTestPoint)
public:
    CArcTestPoint() = default;
    CArcTestPoint(LONG x, LONG y) : m_x(x), m_y(y) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_x << m_y;
        else
            ar >> m_x >> m_y;
    }
    LONG m_x = 0, m_y = 0;
};

// Holds references to other objects (possibly itself), to exercise the object map.
class CArcTestNode : public CObject
{
    DECLARE_SERIAL(CArcTestNode)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_name << m_next;
        }
        else
        {
            m_schemaSeen = ar.GetObjectSchema();
            ar >> m_name;
            CObject* p;
            ar >> p;
            m_next = static_cast<CArcTestNode*>(p);
        }
    }
    CString m_name;
    CArcTestNode* m_next = nullptr;
    UINT m_schemaSeen = 0;
};

// Versionable: accepts any stored schema and reports it.
class CArcTestVersioned : public CObject
{
    DECLARE_SERIAL(CArcTestVersioned)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading())
            m_schemaSeen = ar.GetObjectSchema();
    }
    UINT m_schemaSeen = 0;
};

class CArcTestPlain : public CObject
{
    DECLARE_DYNCREATE(CArcTestPlain)
};
IMPLEMENT_SERIAL(CArcTestPoint, CObject, 1)
IMPLEMENT_SERIAL(CArcTestNode, CObject, 2)
IMPLEMENT_SERIAL(CArcTestVersioned, CObject, VERSIONABLE_SCHEMA | 5)
IMPLEMENT_DYNCREATE(CArcTestPlain, CObject)
} // namespace

TEST(ArchiveTest, ScalarOperatorsHaveFixedWidthsAndRoundTrip)
{
    const BYTE by = 0xAB;
    const WORD w = 0xBEEF;
    const LONG l = -123456789;
    const DWORD dw = 0xDEADBEEF;
    const int i = INT_MIN;
    const unsigned int u = 0xFFFFFFFEu;
    const short sh = -2;
    const char ch = 'z';
    const signed char sc = -100;
    const wchar_t wc = L'\x20AC';
    const float f = -1.25f;
    const double d = DBL_MAX;
    const LONGLONG ll = LLONG_MIN + 7;
    const ULONGLONG ull = 0xFEDCBA9876543210ull;
    Bytes bytes = Store([&](CArchive& ar) {
        ar << by << w << l << dw << i << u << sh << ch << sc << wc << true << false << f << d << ll << ull;
    });
    // 1+2+4+4+4+4+2+1+1+2+1+1+4+8+8+8
    ASSERT_EQ(55u, bytes.size());
    EXPECT_EQ(B({0xAB, 0xEF, 0xBE}), Bytes(bytes.begin(), bytes.begin() + 3)); // little-endian
    Load(bytes, [&](CArchive& ar) {
        BYTE by2;
        WORD w2;
        LONG l2;
        DWORD dw2;
        int i2;
        unsigned int u2;
        short sh2;
        char ch2;
        signed char sc2;
        wchar_t wc2;
        bool t2, f2;
        float fl2;
        double d2;
        LONGLONG ll2;
        ULONGLONG ull2;
        ar >> by2 >> w2 >> l2 >> dw2 >> i2 >> u2 >> sh2 >> ch2 >> sc2 >> wc2 >> t2 >> f2 >> fl2 >> d2 >>
            ll2 >> ull2;
        EXPECT_EQ(by, by2);
        EXPECT_EQ(w, w2);
        EXPECT_EQ(l, l2);
        EXPECT_EQ(dw, dw2);
        EXPECT_EQ(i, i2);
        EXPECT_EQ(u, u2);
        EXPECT_EQ(sh, sh2);
        EXPECT_EQ(ch, ch2);
        EXPECT_EQ(sc, sc2);
        EXPECT_EQ(wc, wc2);
        EXPECT_TRUE(t2);
        EXPECT_FALSE(f2);
        EXPECT_EQ(f, fl2);
        EXPECT_EQ(d, d2);
        EXPECT_EQ(ll, ll2);
        EXPECT_EQ(ull, ull2);
        EXPECT_TRUE(ar.IsBufferEmpty());
    });
}

TEST(ArchiveTest, GeometryAndRawBlocks)
{
    POINT pt = {-1, 2};
    SIZE sz = {30, 40};
    RECT rc = {1, 2, 3, 4};
    std::vector<BYTE> big(10000);
    for (size_t k = 0; k < big.size(); ++k)
        big[k] = static_cast<BYTE>(k * 7);
    Bytes bytes = Store([&](CArchive& ar) {
        ar << pt << sz << rc;
        ar.Write(big.data(), static_cast<UINT>(big.size())); // larger than the archive buffer
    });
    ASSERT_EQ(8u + 8u + 16u + big.size(), bytes.size());
    EXPECT_EQ(B({0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0}), Bytes(bytes.begin(), bytes.begin() + 8));
    Load(bytes, [&](CArchive& ar) {
        POINT pt2;
        SIZE sz2;
        RECT rc2;
        ar >> pt2 >> sz2 >> rc2;
        EXPECT_EQ(-1, pt2.x);
        EXPECT_EQ(40, sz2.cy);
        EXPECT_EQ(4, rc2.bottom);
        std::vector<BYTE> back(big.size() + 10);
        EXPECT_EQ(big.size(), ar.Read(back.data(), static_cast<UINT>(back.size()))); // short at the end
        back.resize(big.size());
        EXPECT_EQ(big, back);
    });
}

TEST(ArchiveTest, CountEncodingAtItsBoundaries)
{
    struct Case
    {
        DWORD_PTR count;
        Bytes want;
    } cases[] = {
        {0, B({0, 0})},
        {0xFFFE, B({0xFE, 0xFF})},
        {0xFFFF, B({0xFF, 0xFF, 0xFF, 0xFF, 0, 0})},
        {0x12345678, B({0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12})},
        {0xFFFFFFFE, B({0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF})},
        {0xFFFFFFFF, B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0})},
    };
    for (const auto& c : cases)
    {
        Bytes got = Store([&](CArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(c.want, got) << c.count;
        Load(got, [&](CArchive& ar) { EXPECT_EQ(c.count, ar.ReadCount()); });
    }
    Bytes beyond32 = B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0});
    if (sizeof(DWORD_PTR) == 8)
    {
        const ULONGLONG n = 0x100000000ull;
        Bytes big = Store([&](CArchive& ar) { ar.WriteCount(static_cast<DWORD_PTR>(n)); });
        EXPECT_EQ(beyond32, big);
        Load(big, [&](CArchive& ar) { EXPECT_EQ(n, static_cast<ULONGLONG>(ar.ReadCount())); });
    }
    else
    {
        // A 64-bit count that a 32-bit build cannot hold is an error, not a silently cut value.
        EXPECT_EQ(CArchiveException::badIndex, LoadCause(beyond32, [](CArchive& ar) { ar.ReadCount(); }));
    }
}

TEST(ArchiveTest, StringLengthPrefixAtItsBoundaries)
{
    struct Case
    {
        int length;
        Bytes prefix;
    } cases[] = {
        {0, B({0})},
        {1, B({1})},
        {0xFE, B({0xFE})},
        {0xFF, B({0xFF, 0xFF, 0x00})},
        {0x100, B({0xFF, 0x00, 0x01})},
        {0xFFFD, B({0xFF, 0xFD, 0xFF})},
        {0xFFFE, B({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {0xFFFF, B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {0x10000, B({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00})},
    };
    for (const auto& c : cases)
    {
        CString s('a', c.length);
        if (c.length > 2)
            s.SetAt(c.length - 1, 'z');
        Bytes got = Store([&](CArchive& ar) { ar << s; });
        ASSERT_EQ(c.prefix.size() + static_cast<size_t>(c.length), got.size()) << c.length;
        EXPECT_EQ(c.prefix, Bytes(got.begin(), got.begin() + static_cast<long>(c.prefix.size()))) << c.length;
        Load(got, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_TRUE(back == s) << c.length;
        });

        // Wide: the marker 0xFF 0xFFFE, the same length scheme in characters, then UTF-16 units.
        CStringW w(L'\x0416', c.length);
        Bytes gotW = Store([&](CArchive& ar) { ar << w; });
        Bytes wantPrefix = Cat(B({0xFF, 0xFE, 0xFF}), c.prefix);
        ASSERT_EQ(wantPrefix.size() + 2u * static_cast<size_t>(c.length), gotW.size()) << c.length;
        EXPECT_EQ(wantPrefix, Bytes(gotW.begin(), gotW.begin() + static_cast<long>(wantPrefix.size())));
        if (c.length > 0)
        {
            EXPECT_EQ(0x16, gotW[wantPrefix.size()]);
            EXPECT_EQ(0x04, gotW[wantPrefix.size() + 1]);
        }
        Load(gotW, [&](CArchive& ar) {
            CStringW back;
            ar >> back;
            EXPECT_TRUE(back == w) << c.length;
        });
    }
}

TEST(ArchiveTest, TextPointersAreStoredAsStrings)
{
    const char* text = "abc";
    Bytes bytes = Store([&](CArchive& ar) { ar << text << L"w"; });
    EXPECT_EQ(B({3, 'a', 'b', 'c', 0xFF, 0xFE, 0xFF, 1, 'w', 0}), bytes);
}

TEST(ArchiveTest, StringsCrossWidthsWhenLoading)
{
    Bytes narrow = Store([](CArchive& ar) { ar << CString("plain text"); });
    Bytes wide = Store([](CArchive& ar) { ar << CStringW(L"wide text"); });
    EXPECT_EQ(B({0xFF, 0xFE, 0xFF, 9, 'w', 0}), Bytes(wide.begin(), wide.begin() + 6));
    Load(narrow, [](CArchive& ar) {
        CStringW w;
        ar >> w;
        EXPECT_STREQ(L"plain text", w);
    });
    Load(wide, [](CArchive& ar) {
        CString a;
        ar >> a;
        EXPECT_STREQ("wide text", a);
    });
}

TEST(ArchiveTest, ReadStringAndWriteStringHandleLines)
{
    Bytes bytes = Store([](CArchive& ar) {
        ar.WriteString("first\r\nsecond\n");
        ar.WriteString("last");
    });
    EXPECT_EQ(18u, bytes.size());
    Load(bytes, [](CArchive& ar) {
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("first", line);
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("second", line);
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("last", line);
        EXPECT_FALSE(ar.ReadString(line));
        EXPECT_TRUE(line.IsEmpty());
    });
    Load(bytes, [](CArchive& ar) {
        char buf[4];
        EXPECT_STREQ("fir", ar.ReadString(buf, sizeof(buf)));
        char buf2[16];
        EXPECT_STREQ("st\n", ar.ReadString(buf2, sizeof(buf2)));
    });
}

TEST(ArchiveTest, ClassRecordsAndObjectReferencesGolden)
{
    CArcTestPoint a(1, 2), b(3, 4);
    Bytes bytes = Store([&](CArchive& ar) { ar << &a << &b << &a << static_cast<CObject*>(nullptr); });
    Bytes want;
    want = Cat(want, B({0xFF, 0xFF, 0x01, 0x00, 13, 0x00})); // new class, schema 1, name length
    want = Cat(want, Text("CArcTestPoint"));
    want = Cat(want, B({1, 0, 0, 0, 2, 0, 0, 0})); // a's fields
    want = Cat(want, B({0x01, 0x80}));             // class index 1 again
    want = Cat(want, B({3, 0, 0, 0, 4, 0, 0, 0})); // b's fields
    want = Cat(want, B({0x02, 0x00}));             // a again: object index 2
    want = Cat(want, B({0x00, 0x00}));             // null
    EXPECT_EQ(want, bytes);

    Load(bytes, [](CArchive& ar) {
        CObject *p1, *p2, *p3, *p4;
        ar >> p1 >> p2 >> p3 >> p4;
        std::unique_ptr<CObject> own1(p1), own2(p2);
        ASSERT_TRUE(p1 && p1->IsKindOf(RUNTIME_CLASS(CArcTestPoint)));
        EXPECT_EQ(2, static_cast<CArcTestPoint*>(p1)->m_y);
        EXPECT_EQ(3, static_cast<CArcTestPoint*>(p2)->m_x);
        EXPECT_EQ(p1, p3); // the same object, not a copy
        EXPECT_EQ(nullptr, p4);
    });
}

TEST(ArchiveTest, ObjectGraphWithCycleRoundTrips)
{
    CArcTestNode n1, n2;
    n1.m_name = "one";
    n2.m_name = "two";
    n1.m_next = &n2;
    n2.m_next = &n1; // cycle
    Bytes bytes = Store([&](CArchive& ar) { ar << &n1; });
    Load(bytes, [](CArchive& ar) {
        CArcTestNode* p = nullptr;
        ar >> p; // the typed extraction from IMPLEMENT_SERIAL
        ASSERT_NE(nullptr, p);
        ASSERT_NE(nullptr, p->m_next);
        EXPECT_STREQ("one", p->m_name);
        EXPECT_STREQ("two", p->m_next->m_name);
        EXPECT_EQ(p, p->m_next->m_next);
        EXPECT_EQ(2u, p->m_schemaSeen);
        delete p->m_next;
        delete p;
    });
}

TEST(ArchiveTest, BigIndicesUseTheEscapeTags)
{
    // Enough objects that both object and class indices pass 0x7FFF.
    const int count = 0x8001;
    std::vector<std::unique_ptr<CArcTestPoint>> points;
    for (int k = 0; k < count; ++k)
        points.emplace_back(new CArcTestPoint(k, -k));
    CArcTestVersioned v1, v2;
    Bytes bytes = Store([&](CArchive& ar) {
        for (auto& p : points)
            ar << p.get();
        ar << &v1 << &v2 << points[0x7FFE].get();
    });
    // Map: 1 = point class, 2.. = points, 0x8003 = versioned class, 0x8004 = v1.
    const size_t pointsSize = 6 + 13 + 8 + static_cast<size_t>(count - 1) * (2 + 8);
    const size_t v1Size = 2 + 2 + 2 + 17;
    Bytes tail(bytes.begin() + static_cast<long>(pointsSize + v1Size), bytes.end());
    Bytes want = B({0xFF, 0x7F, 0x03, 0x80, 0x00, 0x80,   // v2: big class tag | 0x8003
                    0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00}); // points[0x7FFE] is object index 0x8000
    EXPECT_EQ(want, tail);
    Load(bytes, [&](CArchive& ar) {
        std::vector<std::unique_ptr<CObject>> loaded;
        for (int k = 0; k < count; ++k)
        {
            CObject* p;
            ar >> p;
            loaded.emplace_back(p);
        }
        CObject *pv1, *pv2, *again;
        ar >> pv1 >> pv2 >> again;
        loaded.emplace_back(pv1);
        loaded.emplace_back(pv2);
        EXPECT_EQ(loaded[0x7FFE].get(), again);
        EXPECT_EQ(0x7FFE, static_cast<CArcTestPoint*>(again)->m_x);
        EXPECT_TRUE(pv2->IsKindOf(RUNTIME_CLASS(CArcTestVersioned)));
        EXPECT_EQ(5u, static_cast<CArcTestVersioned*>(pv2)->m_schemaSeen);
    });
}

TEST(ArchiveTest, TruncatedArchiveThrowsEndOfFileAtEveryCut)
{
    CArcTestNode node;
    node.m_name = CString('n', 300);
    CStringW wide(L"wide");
    Bytes full = Store([&](CArchive& ar) {
        ar << static_cast<LONGLONG>(1) << CString("text") << wide << &node;
        ar.WriteCount(70000);
        ar << 2.5;
    });
    auto read = [](CArchive& ar) {
        LONGLONG n;
        CString s;
        CStringW w;
        CObject* p;
        ar >> n >> s >> w >> p;
        std::unique_ptr<CObject> own(p);
        ar.ReadCount();
        double d;
        ar >> d;
    };
    EXPECT_EQ(-1, LoadCause(full, read));
    for (size_t cut = 0; cut < full.size(); ++cut)
    {
        Bytes part(full.begin(), full.begin() + static_cast<long>(cut));
        EXPECT_EQ(CArchiveException::endOfFile, LoadCause(part, read)) << "cut at " << cut;
    }
}

TEST(ArchiveTest, DamagedRecordsRaiseTheirCause)
{
    auto readObject = [](CArchive& ar) {
        CObject* p;
        ar >> p;
        delete p;
    };
    auto readPoint = [](CArchive& ar) { delete ar.ReadObject(RUNTIME_CLASS(CArcTestPoint)); };
    CArcTestNode node;
    Bytes nodeBytes = Store([&](CArchive& ar) { ar << &node; });
    DamageCase cases[] = {
        {"unknown class", Cat(B({0xFF, 0xFF, 1, 0, 5, 0}), Text("CNone")), readObject,
         CArchiveException::badClass},
        {"class without serialisation", Cat(B({0xFF, 0xFF, 1, 0, 13, 0}), Text("CArcTestPlain")), readObject,
         CArchiveException::badClass},
        {"wrong schema", Cat(B({0xFF, 0xFF, 9, 0, 13, 0}), Text("CArcTestPoint")), readObject,
         CArchiveException::badSchema},
        {"reference to unknown object", B({0x05, 0x00}), readObject, CArchiveException::badIndex},
        {"reference to unknown class", B({0x03, 0x80}), readObject, CArchiveException::badIndex},
        {"class zero", B({0x00, 0x80}), readObject, CArchiveException::badIndex},
        {"unexpected class", nodeBytes, readPoint, CArchiveException::badClass},
        {"overlong class name", B({0xFF, 0xFF, 1, 0, 0xFF, 0x7F}), readObject, CArchiveException::badClass},
    };
    ExpectCauses(cases);
}

TEST(ArchiveTest, DamagedStringLengthsEndCleanly)
{
    auto readNarrow = [](CArchive& ar) {
        CString s;
        ar >> s;
    };
    auto readWide = [](CArchive& ar) {
        CStringW s;
        ar >> s;
    };
    DamageCase cases[] = {
        // Claims 768 MB but holds three bytes: the end of the data, not a 768 MB allocation.
        {"long claim", B({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x30, 'a', 'b', 'c'}), readNarrow,
         CArchiveException::endOfFile},
        {"wide long claim", B({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10, 'a', 0}), readWide,
         CArchiveException::endOfFile},
        // Longer than any string can be.
        {"2 GB claim", B({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a'}), readNarrow,
         CArchiveException::genericException},
        {"64-bit claim", B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 1, 0, 0, 0}), readNarrow,
         CArchiveException::genericException},
    };
    ExpectCauses(cases);
}

TEST(ArchiveTest, VersionableClassAcceptsOtherSchemas)
{
    Bytes bytes = Cat(B({0xFF, 0xFF, 2, 0, 17, 0}), Text("CArcTestVersioned"));
    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> p(ar.ReadObject(nullptr));
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(2u, static_cast<CArcTestVersioned*>(p.get())->m_schemaSeen);
    });
}

TEST(ArchiveTest, WrongDirectionAndUnserialisableClassesAreRefused)
{
    Bytes some = B({1, 2, 3, 4});
    EXPECT_EQ(CArchiveException::readOnly, LoadCause(some, [](CArchive& ar) { ar << 1; }));
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    int i;
    try
    {
        ar >> i;
        FAIL();
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::writeOnly, e->m_cause);
        e->Delete();
    }
    CArcTestPlain plain;
    try
    {
        ar << &plain;
        FAIL();
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::badClass, e->m_cause);
        e->Delete();
    }
}

TEST(ArchiveTest, ClassesAndMappedObjects)
{
    CArcTestPoint shared(7, 8);
    Bytes bytes = Store([&](CArchive& ar) {
        ar.SerializeClass(RUNTIME_CLASS(CArcTestNode));
        ar.WriteClass(RUNTIME_CLASS(CArcTestNode));
        ar.MapObject(&shared); // known to both sides without being written
        ar << &shared;         // written as a reference only
    });
    EXPECT_EQ(Cat(Cat(B({0xFF, 0xFF, 2, 0, 12, 0}), Text("CArcTestNode")), B({0x01, 0x80, 0x02, 0x00})),
              bytes);
    Load(bytes, [&](CArchive& ar) {
        ar.SerializeClass(RUNTIME_CLASS(CArcTestNode));
        EXPECT_EQ(2u, ar.GetObjectSchema());
        EXPECT_EQ(static_cast<UINT>(-1), ar.GetObjectSchema()); // valid once
        UINT schema = 0;
        EXPECT_EQ(RUNTIME_CLASS(CArcTestNode), ar.ReadClass(RUNTIME_CLASS(CObject), &schema));
        EXPECT_EQ(2u, schema);
        CArcTestPoint mine(0, 0);
        ar.MapObject(&mine);
        CObject* p;
        ar >> p;
        EXPECT_EQ(&mine, p);
    });
}

TEST(ArchiveTest, CloseOnLoadReturnsUnreadBytesToTheFile)
{
    Bytes bytes = Store([](CArchive& ar) { ar << 1 << 2 << 3; });
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    {
        CArchive ar(&file, CArchive::load);
        int one;
        ar >> one;
        EXPECT_EQ(1, one);
        ar.Close();
    }
    EXPECT_EQ(4u, file.GetPosition());
}
