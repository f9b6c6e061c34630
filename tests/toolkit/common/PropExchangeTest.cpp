// Property exchange: typed values in every store (round trips, defaults, unsupported types), the
// enumerator, object instances and serialised objects.
#include "PropExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace pxtest;

namespace
{
// Value comparison per type (records with padding are never compared byte for byte).
template <class T> bool Same(const T& a, const T& b)
{
    return a == b;
}
template <> bool Same(const RECT& a, const RECT& b)
{
    return std::memcmp(&a, &b, sizeof(RECT)) == 0;
}
template <> bool Same(const SIZE& a, const SIZE& b)
{
    return a.cx == b.cx && a.cy == b.cy;
}
template <> bool Same(const CY& a, const CY& b)
{
    return a.int64 == b.int64;
}
template <> bool Same(const COleDateTime& a, const COleDateTime& b)
{
    return a.m_dt == b.m_dt && a.m_status == b.m_status;
}
template <> bool Same(const COleVariant& a, const COleVariant& b)
{
    return a == static_cast<const VARIANT&>(b);
}

// The default as ExchangeProp takes it: a text for strings, else the value's address.
template <class T> const void* DefaultPtr(const T& d)
{
    return &d;
}
const void* DefaultPtr(const CString& d)
{
    return static_cast<LPCSTR>(d);
}

struct StoreSupport
{
    bool registry, ini, archive;
    bool In(StoreKind kind) const
    {
        return kind == StoreKind::Registry ? registry : kind == StoreKind::Ini ? ini : archive;
    }
};

// Runs the round-trip rules for one type in one store.
template <class T>
void CheckType(StoreKind kind, VARTYPE vt, StoreSupport support, const T& value, const T& def, const T& other)
{
    SCOPED_TRACE(std::string(StoreName(kind)) + " type " + std::to_string(vt));
    TestStore store(kind);
    const bool supported = support.In(kind);

    // Storing a value and loading it back.
    {
        CXTPPropExchange* px = store.Open(false);
        T v = value;
        EXPECT_EQ(supported, px->ExchangeProp("Value", vt, &v, DefaultPtr(def)) != FALSE);
        T d = def; // equal to its default
        EXPECT_EQ(supported, px->ExchangeProp("AtDefault", vt, &d, DefaultPtr(def)) != FALSE);
        store.Close();
    }
    {
        CXTPPropExchange* px = store.Open(true);
        T v = other;
        EXPECT_EQ(supported, px->ExchangeProp("Value", vt, &v, DefaultPtr(def)) != FALSE);
        if (!supported)
        {
            EXPECT_TRUE(Same(v, other));
            return;
        }
        EXPECT_TRUE(Same(v, value));
        if (kind == StoreKind::Archive)
        {
            // Every value is in the stream, including one equal to its default.
            T d = other;
            EXPECT_TRUE(px->ExchangeProp("AtDefault", vt, &d, DefaultPtr(def)));
            EXPECT_TRUE(Same(d, def));
            return;
        }
        // Absent: the default; no default: unchanged and FALSE. A value equal to its default is absent.
        T absent = other;
        EXPECT_TRUE(px->ExchangeProp("Missing", vt, &absent, DefaultPtr(def)));
        EXPECT_TRUE(Same(absent, def));
        T noDefault = other;
        EXPECT_FALSE(px->ExchangeProp("Missing", vt, &noDefault, nullptr));
        EXPECT_TRUE(Same(noDefault, other));
        T atDefault = other;
        EXPECT_FALSE(px->ExchangeProp("AtDefault", vt, &atDefault, nullptr));
        store.Close();
    }
    // Storing the default over an old value deletes it.
    {
        CXTPPropExchange* px = store.Open(false);
        T d = def;
        EXPECT_TRUE(px->ExchangeProp("Value", vt, &d, DefaultPtr(def)));
        store.Close();
        px = store.Open(true);
        T v = other;
        EXPECT_FALSE(px->ExchangeProp("Value", vt, &v, nullptr));
        store.Close();
    }
    // After EmptySection a value equal to its default is neither written nor needed to be deleted.
    {
        CXTPPropExchange* px = store.Open(false);
        T v = value;
        EXPECT_TRUE(px->ExchangeProp("Value", vt, &v, DefaultPtr(def)));
        px->EmptySection();
        EXPECT_TRUE(px->IsEmptied());
        T d = def;
        EXPECT_TRUE(px->ExchangeProp("Value", vt, &d, DefaultPtr(def)));
        store.Close();
        px = store.Open(true);
        T loaded = other;
        EXPECT_FALSE(px->ExchangeProp("Value", vt, &loaded, nullptr));
        store.Close();
    }
}

class PropExchangeStores : public ::testing::TestWithParam<StoreKind>
{
};

TEST_P(PropExchangeStores, EveryTypeRoundTripsWithItsDefaults)
{
    const StoreKind kind = GetParam();
    const StoreSupport all{true, true, true};
    const StoreSupport noRegistry{false, true, true};
    const StoreSupport archiveOnly{false, false, true};

    CheckType<short>(kind, VT_I2, all, -2, 7, 99);
    CheckType<LONG>(kind, VT_I4, all, -123456, 5, 1);
    CheckType<float>(kind, VT_R4, all, 0.1f, 1.5f, 9.0f);
    CheckType<double>(kind, VT_R8, all, 0.1, 2.5, 9.0);
    CY cyValue, cyDefault, cyOther;
    cyValue.int64 = 123456789012345LL;
    cyDefault.int64 = 10000;
    cyOther.int64 = 1;
    CheckType<CY>(kind, VT_CY, archiveOnly, cyValue, cyDefault, cyOther);
    CheckType<COleDateTime>(kind, VT_DATE, noRegistry, COleDateTime(2010, 3, 5, 14, 30, 15),
                            COleDateTime(2000, 1, 1, 0, 0, 0), COleDateTime(1999, 12, 31, 0, 0, 0));
    CheckType<BOOL>(kind, VT_BOOL, all, TRUE, FALSE, 7);
    // The text forms keep a variant's text (or a date); the archive keeps any variant.
    CheckType<COleVariant>(kind, VT_VARIANT, noRegistry, COleVariant("some text"), COleVariant("dflt"),
                           COleVariant(static_cast<long>(3)));
    CheckType<BYTE>(kind, VT_UI1, all, 0xFE, 3, 4);
    CheckType<CString>(kind, VT_LPSTR, all, CString("Hello, world"), CString("dflt"), CString("other"));
    CheckType<RECT>(kind, VT_XTP_RECT, all, RECT{-1, 2, 300, 4000}, RECT{2, 4, 2, 4}, RECT{0, 0, 0, 0});
    CheckType<SIZE>(kind, VT_XTP_SIZE, all, SIZE{-5, 6}, SIZE{0, 0}, SIZE{1, 1});
}

TEST_P(PropExchangeStores, SystemStringsAndUnknownTypesAreRefused)
{
    TestStore store(GetParam());
    for (bool loading : {false, true})
    {
        CXTPPropExchange* px = store.Open(loading);
        BSTR bstr = nullptr;
        int dflt = 0;
        EXPECT_FALSE(px->ExchangeProp("Str", VT_BSTR, &bstr, nullptr));
        EXPECT_FALSE(px->ExchangeProp("Str", VT_BSTR, &bstr, &bstr));
        EXPECT_EQ(nullptr, bstr);
        int v = 1;
        EXPECT_FALSE(px->ExchangeProp("Unknown", VT_DISPATCH, &v, &dflt));
        EXPECT_FALSE(px->ExchangeProp("Unknown", 99, &v, &dflt));
        EXPECT_EQ(1, v);
        store.Close();
    }
}

TEST_P(PropExchangeStores, BlobsRoundTripIntoNewAndCallerBuffers)
{
    TestStore store(GetParam());
    const BYTE data[] = {0x00, 0xFF, 0x10, 0x7A};
    {
        CXTPPropExchange* px = store.Open(false);
        BYTE* p = const_cast<BYTE*>(data);
        DWORD n = sizeof(data);
        EXPECT_TRUE(ExchangeBlobProperty(px, "Blob", p, n));
        BYTE* pEmpty = nullptr;
        DWORD nEmpty = 0;
        EXPECT_TRUE(ExchangeBlobProperty(px, "Empty", pEmpty, nEmpty));
        store.Close();
    }
    CXTPPropExchange* px = store.Open(true);
    BYTE* p = nullptr;
    DWORD n = 0;
    ASSERT_TRUE(ExchangeBlobProperty(px, "Blob", p, n));
    ASSERT_EQ(sizeof(data), n);
    EXPECT_EQ(0, std::memcmp(p, data, n));
    std::free(p);
    if (GetParam() != StoreKind::Ini) // the INI form stores an empty blob as its default: nothing
    {
        BYTE* pEmpty = nullptr;
        DWORD nEmpty = 5;
        EXPECT_TRUE(ExchangeBlobProperty(px, "Empty", pEmpty, nEmpty));
        EXPECT_EQ(0u, nEmpty);
    }
    if (GetParam() != StoreKind::Archive)
    {
        BYTE small[2];
        BYTE* pSmall = small;
        DWORD nSmall = sizeof(small);
        EXPECT_FALSE(ExchangeBlobProperty(px, "Blob", pSmall, nSmall)); // the caller's buffer is too small
        BYTE big[8] = {};
        BYTE* pBig = big;
        DWORD nBig = sizeof(big);
        EXPECT_TRUE(ExchangeBlobProperty(px, "Blob", pBig, nBig));
        EXPECT_EQ(sizeof(data), nBig);
        EXPECT_EQ(0, std::memcmp(big, data, sizeof(data)));
        BYTE* pMissing = nullptr;
        DWORD nMissing = 0;
        EXPECT_FALSE(ExchangeBlobProperty(px, "Missing", pMissing, nMissing));
    }
}

TEST_P(PropExchangeStores, EnumeratorYieldsNumberedSectionsThenStops)
{
    TestStore store(GetParam());
    for (BOOL compact : {TRUE, FALSE})
    {
        {
            CXTPPropExchange* px = store.Open(false);
            std::unique_ptr<CXTPPropExchangeEnumerator> en(px->GetEnumerator("Item"));
            POSITION pos = en->GetPosition(3, compact);
            int i = 0;
            while (pos)
            {
                std::unique_ptr<CXTPPropExchange> sec(en->GetNext(pos));
                int v = 10 + i++;
                EXPECT_TRUE(ExchangeIntProperty(sec.get(), "V", v, 0));
            }
            EXPECT_EQ(3, i);
            store.Close();
        }
        CXTPPropExchange* px = store.Open(true);
        std::unique_ptr<CXTPPropExchangeEnumerator> en(px->GetEnumerator("Item"));
        POSITION pos = en->GetPosition(0, compact);
        EXPECT_EQ(3u, en->GetCount());
        std::vector<int> values;
        while (pos)
        {
            std::unique_ptr<CXTPPropExchange> sec(en->GetNext(pos));
            int v = -1;
            EXPECT_TRUE(ExchangeIntProperty(sec.get(), "V", v, 0));
            values.push_back(v);
        }
        EXPECT_EQ((std::vector<int>{10, 11, 12}), values);
        store.Close();
    }
    if (GetParam() == StoreKind::Ini)
    {
        // The sections are named "<prefix><index>" under the parent.
        char buf[64];
        EXPECT_EQ(
            2u, GetPrivateProfileStringA("Root\\Item2", "V", "", buf, sizeof(buf), store.IniPath().c_str()));
        EXPECT_STREQ("12", buf);
        EXPECT_EQ(
            0u, GetPrivateProfileStringA("Root\\Item3", "V", "", buf, sizeof(buf), store.IniPath().c_str()));
    }
}

TEST_P(PropExchangeStores, SerializedObjectsRoundTripAndTruncatedOnesFail)
{
    TestStore store(GetParam());
    {
        CXTPPropExchange* px = store.Open(false);
        CPxItem item;
        item.m_nValue = 77;
        item.m_strText = "serialised text";
        EXPECT_TRUE(ExchangeSerializedObject(px, "Object", &item));
        store.Close();
    }
    {
        CXTPPropExchange* px = store.Open(true);
        CPxItem item;
        EXPECT_TRUE(ExchangeSerializedObject(px, "Object", &item));
        EXPECT_EQ(77, item.m_nValue);
        EXPECT_STREQ("serialised text", item.m_strText);
        EXPECT_FALSE(ExchangeSerializedObject(nullptr, "Object", &item));
        store.Close();
    }
    // The same object with its last bytes missing.
    switch (GetParam())
    {
    case StoreKind::Archive:
        store.Bytes().resize(store.Bytes().size() - 3);
        break;
    case StoreKind::Registry: {
        HKEY hRoot = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(store.RootKey(), "Root", 0, KEY_ALL_ACCESS, &hRoot));
        DWORD type;
        std::vector<BYTE> data;
        ASSERT_TRUE(RegValue(hRoot, "Object", type, data));
        EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
        RegSetValueExA(hRoot, "Object", 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size() - 3));
        RegCloseKey(hRoot);
        break;
    }
    case StoreKind::Ini: {
        char buf[256];
        GetPrivateProfileStringA("Root", "Object", "", buf, sizeof(buf), store.IniPath().c_str());
        std::string text(buf);
        ASSERT_GT(text.size(), 6u);
        text.resize(text.size() - 6);
        WritePrivateProfileStringA("Root", "Object", text.c_str(), store.IniPath().c_str());
        break;
    }
    }
    CXTPPropExchange* px = store.Open(true);
    CPxItem item;
    EXPECT_FALSE(ExchangeSerializedObject(px, "Object", &item));
    if (GetParam() != StoreKind::Archive)
    {
        EXPECT_FALSE(ExchangeSerializedObject(px, "Missing", &item)); // no archive at all
    }
}

TEST_P(PropExchangeStores, ObjectInstancesKeepTheirClass)
{
    TestStore store(GetParam());
    const int alive = CPxItem::s_nAlive;
    {
        CXTPPropExchange* px = store.Open(false);
        std::unique_ptr<CXTPPropExchange> a(px->GetSection("A"));
        std::unique_ptr<CXTPPropExchange> b(px->GetSection("B"));
        CPxDerivedItem derived;
        CPxItem plain;
        CObject* pDerived = &derived;
        CObject* pPlain = &plain;
        EXPECT_TRUE(a->ExchangeObjectInstance(&pDerived, RUNTIME_CLASS(CPxItem)));
        EXPECT_TRUE(b->ExchangeObjectInstance(&pPlain, RUNTIME_CLASS(CPxItem)));
        a.reset();
        b.reset();
        store.Close();
    }
    if (GetParam() == StoreKind::Ini)
    {
        // An object of exactly the expected class stores no class name.
        char buf[64];
        GetPrivateProfileStringA("Root\\A", "Class", "", buf, sizeof(buf), store.IniPath().c_str());
        EXPECT_STREQ("CPxDerivedItem", buf);
        EXPECT_EQ(
            0u, GetPrivateProfileStringA("Root\\B", "Class", "", buf, sizeof(buf), store.IniPath().c_str()));
    }
    CXTPPropExchange* px = store.Open(true);
    std::unique_ptr<CXTPPropExchange> a(px->GetSection("A"));
    std::unique_ptr<CXTPPropExchange> b(px->GetSection("B"));
    CObject* pA = nullptr;
    CObject* pB = nullptr;
    ASSERT_TRUE(a->ExchangeObjectInstance(&pA, RUNTIME_CLASS(CPxItem)));
    ASSERT_TRUE(b->ExchangeObjectInstance(&pB, RUNTIME_CLASS(CPxItem)));
    EXPECT_EQ(RUNTIME_CLASS(CPxDerivedItem), pA->GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CPxItem), pB->GetRuntimeClass());
    delete pA;
    delete pB;
    EXPECT_EQ(alive, CPxItem::s_nAlive);
}

TEST_P(PropExchangeStores, ChildSectionsInheritFlagsOwnerAndParameters)
{
    TestStore store(GetParam());
    CXTPPropExchange* px = store.Open(false);
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.nNextBarNumber = 0x1000000;
    CPxItem owner;
    px->SetOwner(&owner);
    px->SetExchangeParam(&param);
    px->m_nSchema = 21;
    px->UseDefaultOnSave(FALSE);
    std::unique_ptr<CXTPPropExchange> child(px->GetSection("Child"));
    std::unique_ptr<CXTPPropExchange> grandChild(child->GetSection("GrandChild"));
    EXPECT_TRUE(grandChild->IsChildSection());
    EXPECT_FALSE(px->IsChildSection());
    EXPECT_EQ(&owner, grandChild->GetOwner());
    EXPECT_EQ(&param, grandChild->GetExchangeParam());
    EXPECT_EQ(21, grandChild->m_nSchema);
    EXPECT_FALSE(grandChild->IsLoading());
    // With comparing off, a value equal to its default is written.
    int v = 4;
    EXPECT_TRUE(ExchangeIntProperty(grandChild.get(), "V", v, 4));
    std::unique_ptr<CXTPPropExchangeEnumerator> en(child->GetEnumerator("E"));
    POSITION pos = en->GetPosition(1);
    std::unique_ptr<CXTPPropExchange> item(en->GetNext(pos));
    EXPECT_EQ(&param, item->GetExchangeParam());
    EXPECT_EQ(nullptr, pos);
    item.reset();
    en.reset();
    grandChild.reset();
    child.reset();
    store.Close();
    if (GetParam() != StoreKind::Archive)
    {
        px = store.Open(true);
        child.reset(px->GetSection("Child"));
        grandChild.reset(child->GetSection("GrandChild"));
        v = 0;
        EXPECT_TRUE(ExchangeIntPropertyNoDefault(grandChild.get(), "V", v));
        EXPECT_EQ(4, v);
    }
}

TEST_P(PropExchangeStores, CapabilityQueriesDescribeTheStore)
{
    TestStore store(GetParam());
    CXTPPropExchange* px = store.Open(false);
    EXPECT_EQ(GetParam() != StoreKind::Archive, px->HasNamedValues() != FALSE);
    EXPECT_EQ(GetParam() != StoreKind::Ini, px->HasBinaryValues() != FALSE);
}

INSTANTIATE_TEST_SUITE_P(AllStores, PropExchangeStores,
                         ::testing::Values(StoreKind::Registry, StoreKind::Ini, StoreKind::Archive),
                         [](const ::testing::TestParamInfo<StoreKind>& info) {
                             return std::string(StoreName(info.param));
                         });

TEST(PropExchangeWrappers, NullExchangeGivesFalse)
{
    int i = 1;
    short s = 1;
    BYTE b = 1;
    BOOL f = TRUE;
    CString str("x");
    SIZE sz{1, 1};
    RECT rc{1, 1, 1, 1};
    BYTE* p = nullptr;
    DWORD n = 0;
    CPxItem item;
    EXPECT_FALSE(ExchangeIntProperty(nullptr, "a", i, 0));
    EXPECT_FALSE(ExchangeIntPropertyNoDefault(nullptr, "a", i));
    EXPECT_FALSE(ExchangeShortProperty(nullptr, "a", s, 0));
    EXPECT_FALSE(ExchangeByteProperty(nullptr, "a", b, 0));
    EXPECT_FALSE(ExchangeBoolProperty(nullptr, "a", f, FALSE));
    EXPECT_FALSE(ExchangeStringProperty(nullptr, "a", str, ""));
    EXPECT_FALSE(ExchangeStringPropertyNoDefault(nullptr, "a", str));
    EXPECT_FALSE(ExchangeSizeProperty(nullptr, "a", sz, SIZE{}));
    EXPECT_FALSE(ExchangeRectProperty(nullptr, "a", rc, RECT{}));
    EXPECT_FALSE(ExchangeBlobProperty(nullptr, "a", p, n));
    EXPECT_FALSE(ExchangeSerializedObject(nullptr, "a", &item));
    EXPECT_EQ(1, i);
    EXPECT_STREQ("x", str);
}

TEST(PropExchangeObjects, RefusedClassCreatesNothing)
{
    // A stored class that does not derive from the expected one: FALSE, and no object was made.
    TestStore store(StoreKind::Ini);
    WritePrivateProfileStringA("Root", "Class", "CPxOther", store.IniPath().c_str());
    CXTPPropExchange* px = store.Open(true);
    const int alive = CPxOther::s_nAlive;
    CObject* pObject = nullptr;
    EXPECT_FALSE(px->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CPxItem)));
    EXPECT_EQ(nullptr, pObject);
    EXPECT_EQ(alive, CPxOther::s_nAlive);
    // A name that is no class at all.
    WritePrivateProfileStringA("Root", "Class", "CNoSuchClassAnywhere", store.IniPath().c_str());
    EXPECT_FALSE(px->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CPxItem)));
    EXPECT_EQ(nullptr, pObject);
}

TEST(PropExchangeObjects, ArchiveRefusedClassCreatesNothing)
{
    TestStore store(StoreKind::Archive);
    {
        CXTPPropExchange* px = store.Open(false);
        CPxOther other;
        CObject* p = &other;
        EXPECT_TRUE(px->ExchangeObjectInstance(&p, RUNTIME_CLASS(CObject)));
        store.Close();
    }
    const int alive = CPxOther::s_nAlive;
    CXTPPropExchange* px = store.Open(true);
    CObject* pObject = nullptr;
    EXPECT_FALSE(px->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CPxItem)));
    EXPECT_EQ(nullptr, pObject);
    EXPECT_EQ(alive, CPxOther::s_nAlive);
}

TEST(PropExchangeObjects, ArchiveObjectMapResolvesLaterReferences)
{
    TestStore store(StoreKind::Archive);
    CArchive* pAr;
    {
        CXTPPropExchange* px = store.Open(false);
        CPxItem item;
        CObject* p = &item;
        ASSERT_TRUE(px->ExchangeObjectInstance(&p, RUNTIME_CLASS(CPxItem)));
        pAr = px->GetArchive(nullptr);
        *pAr << static_cast<const CObject*>(&item); // a reference to the object just exchanged
        store.Close();
    }
    // New class record, then the reference: index 1 is the class, 2 the object.
    const std::vector<BYTE>& bytes = store.Bytes();
    const std::vector<BYTE> expected = {0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'C', 'P',
                                        'x',  'I',  't',  'e',  'm',  0x02, 0x00};
    EXPECT_EQ(expected, bytes);
    CXTPPropExchange* px = store.Open(true);
    CObject* pLoaded = nullptr;
    ASSERT_TRUE(px->ExchangeObjectInstance(&pLoaded, RUNTIME_CLASS(CPxItem)));
    CObject* pRef = nullptr;
    *px->GetArchive(nullptr) >> pRef;
    EXPECT_EQ(pLoaded, pRef);
    delete pLoaded;
}
} // namespace
