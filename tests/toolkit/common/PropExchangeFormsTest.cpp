// Property exchange: the stored forms of each store (registry values, INI texts, archive bytes) and the
// damaged or awkward values each must survive.
#include "PropExchangeTestSupport.h"

#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace pxtest;

namespace
{
std::vector<BYTE> Bytes(std::initializer_list<int> list)
{
    std::vector<BYTE> v;
    for (int b : list)
        v.push_back(static_cast<BYTE>(b));
    return v;
}

// ---- registry ----

class PropExchangeRegistryForms : public ::testing::Test
{
protected:
    TestStore m_store{StoreKind::Registry};

    // The "Root" section key, opened for reading and writing.
    HKEY RootSection()
    {
        HKEY h = nullptr;
        RegCreateKeyExA(m_store.RootKey(), "Root", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
        m_keys.push_back(h);
        return h;
    }
    void TearDown() override
    {
        for (HKEY h : m_keys)
            RegCloseKey(h);
    }
    std::vector<HKEY> m_keys;
};

TEST_F(PropExchangeRegistryForms, ValuesHaveTheirRegistryTypes)
{
    CXTPPropExchange* px = m_store.Open(false);
    short s = -1;
    EXPECT_TRUE(ExchangeShortProperty(px, "Short", s, 0));
    BYTE b = 0x80;
    EXPECT_TRUE(ExchangeByteProperty(px, "Byte", b, 0));
    RECT rc{1, 2, 3, 4};
    EXPECT_TRUE(ExchangeRectProperty(px, "Rect", rc, RECT{}));
    SIZE sz{5, 6};
    EXPECT_TRUE(ExchangeSizeProperty(px, "Size", sz, SIZE{}));
    double d = 0.1;
    EXPECT_TRUE(px->ExchangeProp("Double", VT_R8, &d, nullptr));
    m_store.Close();

    HKEY h = RootSection();
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(RegValue(h, "Short", type, data));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(Bytes({0xFF, 0xFF, 0x00, 0x00}), data); // 0x0000FFFF
    ASSERT_TRUE(RegValue(h, "Byte", type, data));
    EXPECT_EQ(Bytes({0x80, 0, 0, 0}), data);
    ASSERT_TRUE(RegValue(h, "Rect", type, data));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_STREQ("1, 2, 3, 4", reinterpret_cast<const char*>(data.data()));
    ASSERT_TRUE(RegValue(h, "Size", type, data));
    EXPECT_STREQ("5, 6", reinterpret_cast<const char*>(data.data()));
    ASSERT_TRUE(RegValue(h, "Double", type, data));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(8u, data.size());

    px = m_store.Open(true);
    s = 0;
    EXPECT_TRUE(ExchangeShortProperty(px, "Short", s, 0));
    EXPECT_EQ(-1, s);
    // Floats and doubles written as REG_BINARY read back.
    d = 0;
    EXPECT_TRUE(px->ExchangeProp("Double", VT_R8, &d, nullptr));
    EXPECT_EQ(0.1, d);
}

TEST_F(PropExchangeRegistryForms, SchemaIsStoredOnlyWhenNotTheDefault)
{
    CXTPPropExchange* px = m_store.Open(false);
    std::unique_ptr<CXTPPropExchange> old(px->GetSection("Old"));
    old->m_nSchema = 32;
    old->ExchangeSchema();
    std::unique_ptr<CXTPPropExchange> current(px->GetSection("Current"));
    EXPECT_EQ(38, current->m_nSchema); // the schema of a new exchange
    current->ExchangeSchema();
    old.reset();
    current.reset();
    m_store.Close();

    px = m_store.Open(true);
    old.reset(px->GetSection("Old"));
    old->ExchangeSchema();
    EXPECT_EQ(32, old->m_nSchema);
    current.reset(px->GetSection("Current"));
    current->ExchangeSchema();
    EXPECT_EQ(38, current->m_nSchema);
    old.reset();
    current.reset();
    HKEY h = RootSection();
    HKEY hOld = nullptr, hCurrent = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(h, "Old", 0, KEY_READ, &hOld));
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(h, "Current", 0, KEY_READ, &hCurrent));
    DWORD type;
    std::vector<BYTE> data;
    EXPECT_FALSE(RegValue(hOld, "Schema", type, data));
    ASSERT_TRUE(RegValue(hCurrent, "Schema", type, data));
    EXPECT_EQ(Bytes({38, 0, 0, 0}), data);
    RegCloseKey(hOld);
    RegCloseKey(hCurrent);
}

TEST_F(PropExchangeRegistryForms, ValuesOfTheWrongTypeOrSizeTakeTheDefault)
{
    HKEY h = RootSection();
    const char text[] = {'1', '2', '3'}; // no terminator
    RegSetValueExA(h, "IntAsText", 0, REG_SZ, reinterpret_cast<const BYTE*>("12"), 3);
    RegSetValueExA(h, "ShortDword", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\x01\x02"), 2);
    RegSetValueExA(h, "TextAsDword", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\x01\x02\x03\x04"), 4);
    RegSetValueExA(h, "Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text));
    RegSetValueExA(h, "FloatOf3", 0, REG_BINARY, reinterpret_cast<const BYTE*>("\x01\x02\x03"), 3);
    RegSetValueExA(h, "BadRect", 0, REG_SZ, reinterpret_cast<const BYTE*>("1, 2"), 5);

    CXTPPropExchange* px = m_store.Open(true);
    int n = 0;
    EXPECT_TRUE(ExchangeIntProperty(px, "IntAsText", n, 9));
    EXPECT_EQ(9, n);
    EXPECT_TRUE(ExchangeIntProperty(px, "ShortDword", n, 8));
    EXPECT_EQ(8, n);
    CString s;
    EXPECT_TRUE(ExchangeStringProperty(px, "TextAsDword", s, "dflt"));
    EXPECT_STREQ("dflt", s);
    EXPECT_TRUE(ExchangeStringPropertyNoDefault(px, "Unterminated", s));
    EXPECT_STREQ("123", s);
    float f = 0;
    const float fDefault = 2.5f;
    EXPECT_TRUE(px->ExchangeProp("FloatOf3", VT_R4, &f, &fDefault));
    EXPECT_EQ(2.5f, f);
    RECT rc{};
    EXPECT_TRUE(ExchangeRectProperty(px, "BadRect", rc, RECT{7, 7, 7, 7}));
    EXPECT_EQ(7, rc.left);
    EXPECT_FALSE(px->ExchangeProp("BadRect", VT_XTP_RECT, &rc, nullptr));
}

TEST_F(PropExchangeRegistryForms, EmptySectionDeletesTheTreeButNeverAnUnnamedSection)
{
    {
        CXTPPropExchange* px = m_store.Open(false);
        std::unique_ptr<CXTPPropExchange> child(px->GetSection("Child"));
        int v = 1;
        ExchangeIntProperty(child.get(), "V", v, 0);
        ExchangeIntProperty(px, "W", v, 0);
        m_store.Close();
    }
    // A section without a name is the parent key itself: refused.
    {
        RegSetValueExA(m_store.RootKey(), "Keep", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
        CXTPPropExchangeRegistry unnamed(FALSE, m_store.RootKey(), "");
        unnamed.EmptySection();
        CXTPPropExchangeRegistry nullName(FALSE, m_store.RootKey(), nullptr);
        nullName.EmptySection();
        DWORD type;
        std::vector<BYTE> data;
        EXPECT_TRUE(RegValue(m_store.RootKey(), "Keep", type, data));
        HKEY hRoot = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(m_store.RootKey(), "Root", 0, KEY_READ, &hRoot));
        RegCloseKey(hRoot);
    }
    CXTPPropExchange* px = m_store.Open(false);
    px->EmptySection();
    HKEY hRoot = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(m_store.RootKey(), "Root", 0, KEY_READ, &hRoot));
    // The next value creates the key again.
    int v = 3;
    EXPECT_TRUE(ExchangeIntProperty(px, "Again", v, 0));
    m_store.Close();
    px = m_store.Open(true);
    v = 0;
    EXPECT_TRUE(ExchangeIntPropertyNoDefault(px, "Again", v));
    EXPECT_EQ(3, v);
    std::unique_ptr<CXTPPropExchange> child(px->GetSection("Child"));
    EXPECT_FALSE(ExchangeIntPropertyNoDefault(child.get(), "V", v));
}

TEST(PropExchangeRegistryApp, NullParentUsesTheApplicationKey)
{
    const std::string company = "QuorvexPxApp" + std::to_string(GetCurrentProcessId());
    {
        CWinApp app("QvxPxApp");
        app.SetRegistryKey(company.c_str());
        {
            CXTPPropExchangeRegistry px(FALSE, nullptr, "Section");
            int v = 42;
            EXPECT_TRUE(ExchangeIntProperty(&px, "Value", v, 0));
        }
        EXPECT_EQ(42u, app.GetProfileInt("Section", "Value", 0));
        CXTPPropExchangeRegistry px(TRUE, nullptr, "Section");
        int v = 0;
        EXPECT_TRUE(ExchangeIntPropertyNoDefault(&px, "Value", v));
        EXPECT_EQ(42, v);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + company).c_str());
}

// ---- INI ----

class PropExchangeIniForms : public ::testing::Test
{
protected:
    TestStore m_store{StoreKind::Ini};
    std::string Text(const char* section, const char* key, size_t size = 512)
    {
        std::string buf(size, '\0');
        DWORD n = GetPrivateProfileStringA(section, key, "<absent>", &buf[0], static_cast<DWORD>(size),
                                           m_store.IniPath().c_str());
        buf.resize(n);
        return buf;
    }
    std::string FileText() const
    {
        FILE* f = std::fopen(m_store.IniPath().c_str(), "rb");
        std::string s;
        if (!f)
            return s;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0)
            s.append(buf, n);
        std::fclose(f);
        return s;
    }
};

TEST_F(PropExchangeIniForms, ValueTexts)
{
    CXTPPropExchange* px = m_store.Open(false);
    struct Case
    {
        const char* key;
        VARTYPE vt;
        std::function<BOOL(const char*)> store;
        const char* text;
    };
    BYTE blob[] = {0x00, 0xFF};
    COleDateTime date(2010, 3, 5, 0, 0, 0);
    COleDateTime time(1899, 12, 30, 7, 8, 9);
    COleDateTime both(2010, 3, 5, 7, 8, 9);
    short s = -3;
    CString lf("a\nb\tc\rd");
    CString backslashN("a\\nb");
    RECT rc{1, 2, 3, 4};
    SIZE sz{5, 6};
    BYTE* pBlob = blob;
    DWORD nBlob = sizeof(blob);
    EXPECT_TRUE(ExchangeBlobProperty(px, "Blob", pBlob, nBlob));
    EXPECT_TRUE(px->ExchangeProp("Date", VT_DATE, &date, nullptr));
    EXPECT_TRUE(px->ExchangeProp("Time", VT_DATE, &time, nullptr));
    EXPECT_TRUE(px->ExchangeProp("Both", VT_DATE, &both, nullptr));
    EXPECT_TRUE(ExchangeShortProperty(px, "Short", s, 0));
    EXPECT_TRUE(ExchangeStringProperty(px, "Lf", lf, ""));
    EXPECT_TRUE(ExchangeStringProperty(px, "BackslashN", backslashN, ""));
    EXPECT_TRUE(ExchangeRectProperty(px, "Rect", rc, RECT{}));
    EXPECT_TRUE(ExchangeSizeProperty(px, "Size", sz, SIZE{}));
    COleVariant varDate(date);
    EXPECT_TRUE(px->ExchangeProp("VarDate", VT_VARIANT, &varDate, nullptr));
    COleVariant varInt(static_cast<long>(12));
    EXPECT_TRUE(px->ExchangeProp("VarInt", VT_VARIANT, &varInt, nullptr));
    m_store.Close();

    const std::pair<const char*, const char*> expected[] = {
        {"Blob", "AAPP"},          {"Date", "2010-05-03"},
        {"Time", "07:08:09"},      {"Both", "2010-05-03T07:08:09"},
        {"Short", "-3"},           {"Lf", "a\\nb\\tc\\rd"},
        {"BackslashN", "a\\\\nb"}, {"Rect", "1, 2, 3, 4"},
        {"Size", "5, 6"},          {"VarDate", "2010-05-03"},
        {"VarInt", "12"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(e.second, Text("Root", e.first)) << e.first;

    px = m_store.Open(true);
    COleDateTime d, t, bt;
    EXPECT_TRUE(px->ExchangeProp("Date", VT_DATE, &d, nullptr));
    EXPECT_TRUE(px->ExchangeProp("Time", VT_DATE, &t, nullptr));
    EXPECT_TRUE(px->ExchangeProp("Both", VT_DATE, &bt, nullptr));
    EXPECT_EQ(date.m_dt, d.m_dt);
    EXPECT_NEAR(time.m_dt, t.m_dt, 1e-9);
    EXPECT_EQ(both.m_dt, bt.m_dt);
    CString text;
    EXPECT_TRUE(ExchangeStringPropertyNoDefault(px, "Lf", text));
    EXPECT_STREQ("a\nb\tc\rd", text);
    EXPECT_TRUE(ExchangeStringPropertyNoDefault(px, "BackslashN", text));
    EXPECT_STREQ("a\\nb", text);
    COleVariant var;
    EXPECT_TRUE(px->ExchangeProp("VarDate", VT_VARIANT, &var, nullptr));
    EXPECT_EQ(VT_DATE, var.vt);
    EXPECT_TRUE(px->ExchangeProp("VarInt", VT_VARIANT, &var, nullptr));
    EXPECT_EQ(VT_BSTR, var.vt);
}

TEST_F(PropExchangeIniForms, LocaleDateTextsRoundTrip)
{
    // With a locale set, dates use the platform's locale text instead of the fixed form.
    struct LocaleScope
    {
        LocaleScope()
        {
            CXTPPropExchange::m_lcidDateTime =
                MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
        }
        ~LocaleScope() { CXTPPropExchange::m_lcidDateTime = static_cast<LCID>(-1); }
    } scope;
    CXTPPropExchange* px = m_store.Open(false);
    COleDateTime date(2010, 3, 5, 7, 8, 9);
    EXPECT_TRUE(px->ExchangeProp("Date", VT_DATE, &date, nullptr));
    m_store.Close();
    EXPECT_NE("2010-05-03T07:08:09", Text("Root", "Date"));
    px = m_store.Open(true);
    COleDateTime loaded;
    EXPECT_TRUE(px->ExchangeProp("Date", VT_DATE, &loaded, nullptr));
    EXPECT_NEAR(date.m_dt, loaded.m_dt, 1e-6);
}

TEST_F(PropExchangeIniForms, BlobTexts)
{
    WritePrivateProfileStringA("Root", "Odd", "AAP", m_store.IniPath().c_str());
    WritePrivateProfileStringA("Root", "Empty", "", m_store.IniPath().c_str());
    WritePrivateProfileStringA("Root", "BadLetter", "AZ", m_store.IniPath().c_str());
    CXTPPropExchange* px = m_store.Open(true);
    BYTE* p = nullptr;
    DWORD n = 9;
    EXPECT_FALSE(ExchangeBlobProperty(px, "Odd", p, n));
    EXPECT_FALSE(ExchangeBlobProperty(px, "BadLetter", p, n));
    EXPECT_EQ(nullptr, p);
    EXPECT_TRUE(ExchangeBlobProperty(px, "Empty", p, n));
    EXPECT_EQ(0u, n);
}

TEST_F(PropExchangeIniForms, LongValuesReadBackWhole)
{
    CXTPPropExchange* px = m_store.Open(false);
    CString text300('x', 300);
    text300.SetAt(299, 'y');
    EXPECT_TRUE(ExchangeStringProperty(px, "Text300", text300, ""));
    // A blob of 10,000 bytes is a text of 20,000 letters: beyond the first two read sizes.
    std::vector<BYTE> big(10000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<BYTE>(i * 7);
    BYTE* p = big.data();
    DWORD n = static_cast<DWORD>(big.size());
    EXPECT_TRUE(ExchangeBlobProperty(px, "Big", p, n));
    m_store.Close();

    px = m_store.Open(true);
    CString text;
    EXPECT_TRUE(ExchangeStringPropertyNoDefault(px, "Text300", text));
    EXPECT_TRUE(text == text300);
    BYTE* loaded = nullptr;
    DWORD nLoaded = 0;
    ASSERT_TRUE(ExchangeBlobProperty(px, "Big", loaded, nLoaded));
    ASSERT_EQ(big.size(), nLoaded);
    EXPECT_EQ(0, std::memcmp(loaded, big.data(), nLoaded));
    std::free(loaded);
}

TEST_F(PropExchangeIniForms, TextsWithOuterBlanksOrQuotesRoundTrip)
{
    const char* texts[] = {" lead",    "trail ", "  ",     "\"quoted\"",
                           "'single'", "\"open", "close'", "in \"mid\" dle"};
    CXTPPropExchange* px = m_store.Open(false);
    int i = 0;
    for (const char* t : texts)
    {
        CString s(t);
        CString key;
        key.Format("T%i", i++);
        EXPECT_TRUE(ExchangeStringProperty(px, key, s, ""));
    }
    m_store.Close();
    // Texts that need it sit inside one pair of double quotes; others are written as they are.
    EXPECT_NE(std::string::npos, FileText().find("T0=\" lead\""));
    EXPECT_NE(std::string::npos, FileText().find("T7=in \"mid\" dle"));
    px = m_store.Open(true);
    i = 0;
    for (const char* t : texts)
    {
        CString s;
        CString key;
        key.Format("T%i", i++);
        EXPECT_TRUE(ExchangeStringPropertyNoDefault(px, key, s));
        EXPECT_STREQ(t, s);
    }
}

TEST_F(PropExchangeIniForms, FloatsKeepEveryDigit)
{
    CXTPPropExchange* px = m_store.Open(false);
    double d = 0.1 + 0.2;
    float f = 1.0f / 3.0f;
    EXPECT_TRUE(px->ExchangeProp("D", VT_R8, &d, nullptr));
    EXPECT_TRUE(px->ExchangeProp("F", VT_R4, &f, nullptr));
    m_store.Close();
    EXPECT_EQ("0.30000000000000004", Text("Root", "D"));
    px = m_store.Open(true);
    double d2 = 0;
    float f2 = 0;
    EXPECT_TRUE(px->ExchangeProp("D", VT_R8, &d2, nullptr));
    EXPECT_TRUE(px->ExchangeProp("F", VT_R4, &f2, nullptr));
    EXPECT_EQ(d, d2);
    EXPECT_EQ(f, f2);
}

TEST_F(PropExchangeIniForms, SectionsNestAndEmptySectionTakesTheSubtree)
{
    {
        CXTPPropExchangeIniFile a(FALSE, nullptr, "A");
        a.AssignFile(m_store.IniPath().c_str());
        std::unique_ptr<CXTPPropExchange> b(a.GetSection("B"));
        std::unique_ptr<CXTPPropExchange> c(b->GetSection("C"));
        CXTPPropExchangeIniFile ab(FALSE, nullptr, "AB");
        ab.AssignFile(m_store.IniPath().c_str());
        int v = 1;
        for (CXTPPropExchange* px :
             {static_cast<CXTPPropExchange*>(&a), b.get(), c.get(), static_cast<CXTPPropExchange*>(&ab)})
            EXPECT_TRUE(ExchangeIntProperty(px, "V", v, 0));
    }
    EXPECT_EQ("1", Text("A\\B\\C", "V"));
    CXTPPropExchangeIniFile a(FALSE, nullptr, "A");
    a.AssignFile(m_store.IniPath().c_str());
    a.EmptySection();
    EXPECT_EQ("<absent>", Text("A", "V"));
    EXPECT_EQ("<absent>", Text("A\\B", "V"));
    EXPECT_EQ("<absent>", Text("A\\B\\C", "V"));
    EXPECT_EQ("1", Text("AB", "V"));
}

TEST(PropExchangeIniTemp, WithoutAFileATemporaryOneIsUsedAndDeleted)
{
    CString path;
    {
        CXTPPropExchangeIniFile px(FALSE, nullptr, "S");
        int v = 5;
        EXPECT_TRUE(ExchangeIntProperty(&px, "V", v, 0));
        path = px.GetFileName();
        ASSERT_FALSE(path.IsEmpty());
        std::unique_ptr<CXTPPropExchange> child(px.GetSection("C"));
        EXPECT_TRUE(ExchangeIntProperty(child.get(), "V", v, 0));
        child.reset(); // a child leaves the file alone
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
        EXPECT_EQ(5u, GetPrivateProfileIntA("S\\C", "V", 0, path));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
}

TEST(PropExchangeIniApp, TheProfileFileNameIsPublic)
{
    CWinApp app("QvxPxIniApp");
    std::string ini = ScratchPath("qvx_px_app_", ".ini");
    app.m_pszProfileName = ini.c_str();
    EXPECT_STREQ(ini.c_str(), app.GetProfileFileName());
    app.m_pszProfileName = nullptr;
    CString def = app.GetProfileFileName();
    EXPECT_EQ(def.GetLength() - 4, def.Find(".INI"));
}

// ---- archive ----

TEST(PropExchangeArchiveForms, GoldenBytesOfEveryType)
{
    TestStore store(StoreKind::Archive);
    CXTPPropExchange* px = store.Open(false);
    px->ExchangeSchema();
    int i = 5;
    short s = -1;
    CString str("ab");
    BYTE blob[] = {0x00, 0xFF};
    BYTE* pBlob = blob;
    DWORD nBlob = sizeof(blob);
    BYTE b = 0x7F;
    BOOL f = TRUE;
    float fl = 1.0f;
    double d = -2.0;
    RECT rc{1, 2, 3, -4};
    SIZE sz{5, 6};
    CY cy;
    cy.int64 = 0x0102030405060708LL;
    COleDateTime date(1900, 1, 1, 0, 0, 0); // DATE 2.0
    COleVariant var(static_cast<long>(9));
    EXPECT_TRUE(ExchangeIntProperty(px, "i", i, 5)); // equal to its default and still written
    EXPECT_TRUE(ExchangeShortProperty(px, "s", s, 0));
    EXPECT_TRUE(ExchangeStringProperty(px, "str", str, ""));
    EXPECT_TRUE(ExchangeBlobProperty(px, "blob", pBlob, nBlob));
    EXPECT_TRUE(ExchangeByteProperty(px, "b", b, 0));
    EXPECT_TRUE(ExchangeBoolProperty(px, "f", f, FALSE));
    EXPECT_TRUE(px->ExchangeProp("fl", VT_R4, &fl, nullptr));
    EXPECT_TRUE(px->ExchangeProp("d", VT_R8, &d, nullptr));
    EXPECT_TRUE(ExchangeRectProperty(px, "rc", rc, RECT{}));
    EXPECT_TRUE(ExchangeSizeProperty(px, "sz", sz, SIZE{}));
    EXPECT_TRUE(px->ExchangeProp("cy", VT_CY, &cy, nullptr));
    EXPECT_TRUE(px->ExchangeProp("date", VT_DATE, &date, nullptr));
    EXPECT_TRUE(px->ExchangeProp("var", VT_VARIANT, &var, nullptr));
    store.Close();

    const std::vector<BYTE> expected = Bytes({
        0xBF, 0xAD, 0xF0, 0x0F, 0x26, 0x00, 0x00, 0x00,                                        // schema 38
        0x05, 0x00, 0x00, 0x00,                                                                // int 5
        0xFF, 0xFF,                                                                            // short -1
        0x02, 0x61, 0x62,                                                                      // "ab"
        0x02, 0x00, 0x00, 0xFF,                                                                // blob 00 FF
        0x7F,                                                                                  // byte
        0x01, 0x00, 0x00, 0x00,                                                                // BOOL
        0x00, 0x00, 0x80, 0x3F,                                                                // 1.0f
        0,    0,    0,    0,    0,    0,    0x00, 0xC0,                                        // -2.0
        1,    0,    0,    0,    2,    0,    0,    0,    3, 0, 0, 0,    0xFC, 0xFF, 0xFF, 0xFF, // rect
        5,    0,    0,    0,    6,    0,    0,    0,                                           // size
        8,    7,    6,    5,    4,    3,    2,    1,                                           // currency
        0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0x40, // date: status 0, DATE 2.0
        0x03, 0x00, 0x09, 0x00, 0x00, 0x00,                            // variant VT_I4 9
    });
    EXPECT_EQ(expected, store.Bytes());

    px = store.Open(true);
    px->ExchangeSchema();
    EXPECT_EQ(38, px->m_nSchema);
}

TEST(PropExchangeArchiveForms, WithoutTheMarkerTheSchemaIs17AndNothingIsConsumed)
{
    for (size_t size : {0u, 2u, 4u, 8u})
    {
        SCOPED_TRACE(size);
        TestStore store(StoreKind::Archive);
        store.Bytes() = Bytes({0x05, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00});
        store.Bytes().resize(size);
        CXTPPropExchange* px = store.Open(true);
        px->ExchangeSchema();
        EXPECT_EQ(17, px->m_nSchema);
        if (size >= 4)
        {
            int v = 0;
            EXPECT_TRUE(ExchangeIntPropertyNoDefault(px, "v", v));
            EXPECT_EQ(5, v);
        }
    }
}

TEST(PropExchangeArchiveForms, BlobLargerThanTheCallersBufferIsRefused)
{
    TestStore store(StoreKind::Archive);
    store.Bytes() = Bytes({0x08, 0x00, 1, 2, 3, 4, 5, 6, 7, 8}); // count 8, then 8 bytes
    CXTPPropExchange* px = store.Open(true);
    BYTE guard[8] = {};
    BYTE* p = guard;
    DWORD n = 4; // the caller's buffer holds 4
    bool thrown = false;
    try
    {
        ExchangeBlobProperty(px, "b", p, n);
    }
    catch (CArchiveException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(0, guard[4]); // nothing written past the caller's size
    EXPECT_EQ(0, guard[0]);
}

TEST(PropExchangeArchiveForms, ReadingPastTheEndRaisesTheArchiveException)
{
    TestStore store(StoreKind::Archive);
    store.Bytes() = Bytes({0x01, 0x00});
    CXTPPropExchange* px = store.Open(true);
    int v = 0;
    bool thrown = false;
    try
    {
        ExchangeIntPropertyNoDefault(px, "v", v);
    }
    catch (CArchiveException* e)
    {
        thrown = e->m_cause == CArchiveException::endOfFile;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(PropExchangeArchiveForms, PeekLeavesTheBytesForTheNextRead)
{
    std::vector<BYTE> data(300);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i);
    CMemFile file(data.data(), static_cast<UINT>(data.size()));
    CArchive ar(&file, CArchive::load, 128);
    BYTE skip[126];
    ar.Read(skip, sizeof(skip)); // the buffer now holds 2 unread bytes
    BYTE peek[4] = {};
    EXPECT_EQ(4u, ar.Peek(peek, 4));
    EXPECT_EQ(Bytes({126, 127, 128, 129}), std::vector<BYTE>(peek, peek + 4));
    DWORD dw = 0;
    ar >> dw;
    EXPECT_EQ(0x81807F7Eu, dw);
    BYTE rest[200];
    EXPECT_EQ(170u, ar.Read(rest, sizeof(rest)));
    EXPECT_EQ(0u, ar.Peek(peek, 4));
}
} // namespace
