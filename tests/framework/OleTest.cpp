#include "framework/Archive.h"
#include "framework/MemFile.h"
#include "framework/OleDateTime.h"
#include "framework/OleVariant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
typedef std::vector<BYTE> Bytes;

template <typename F> Bytes StoreBytes(F write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
    }
    Bytes out(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!out.empty())
        file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

template <typename F> void LoadBytes(Bytes bytes, F read)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}
} // namespace

TEST(OleDateTimeTest, ComponentsMapToKnownDates)
{
    struct Case
    {
        int y, mo, d, h, mi, s;
        double date;
        int dayOfWeek;
    } cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0, 7},       {1899, 12, 30, 6, 0, 0, 0.25, 7},
        {1899, 12, 29, 6, 0, 0, -1.25, 6},     {1900, 1, 1, 0, 0, 0, 2.0, 2},
        {1970, 1, 1, 0, 0, 0, 25569.0, 5},     {2000, 1, 1, 12, 0, 0, 36526.5, 7},
        {2010, 3, 5, 0, 0, 0, 40242.0, 6},     {100, 1, 1, 0, 0, 0, -657434.0, 6},
        {9999, 12, 31, 0, 0, 0, 2958465.0, 6}, {2024, 2, 29, 23, 59, 59, 45351.0 + 86399.0 / 86400, 5},
    };
    for (const auto& c : cases)
    {
        COleDateTime t(c.y, c.mo, c.d, c.h, c.mi, c.s);
        ASSERT_EQ(COleDateTime::valid, t.GetStatus()) << c.y;
        EXPECT_NEAR(c.date, t.m_dt, 1e-9) << c.y << "-" << c.mo << "-" << c.d;
        COleDateTime back(c.date);
        EXPECT_EQ(c.y, back.GetYear());
        EXPECT_EQ(c.mo, back.GetMonth());
        EXPECT_EQ(c.d, back.GetDay());
        EXPECT_EQ(c.h, back.GetHour());
        EXPECT_EQ(c.mi, back.GetMinute());
        EXPECT_EQ(c.s, back.GetSecond());
        EXPECT_EQ(c.dayOfWeek, back.GetDayOfWeek()) << c.y << "-" << c.mo << "-" << c.d;
    }
    EXPECT_EQ(60, COleDateTime(2024, 2, 29, 0, 0, 0).GetDayOfYear());
    EXPECT_EQ(365, COleDateTime(2023, 12, 31, 0, 0, 0).GetDayOfYear());
}

TEST(OleDateTimeTest, AgreesWithThePlatformConversions)
{
    std::mt19937 rng(2026);
    for (int i = 0; i < 500; ++i)
    {
        SYSTEMTIME st = {};
        st.wYear = static_cast<WORD>(100 + rng() % 9900);
        st.wMonth = static_cast<WORD>(1 + rng() % 12);
        st.wDay = static_cast<WORD>(1 + rng() % 28);
        st.wHour = static_cast<WORD>(rng() % 24);
        st.wMinute = static_cast<WORD>(rng() % 60);
        st.wSecond = static_cast<WORD>(rng() % 60);
        double platform = 0;
        ASSERT_TRUE(SystemTimeToVariantTime(&st, &platform));
        COleDateTime ours(st);
        EXPECT_NEAR(platform, ours.m_dt, 1e-7) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
        SYSTEMTIME back;
        ASSERT_TRUE(ours.GetAsSystemTime(back));
        EXPECT_EQ(st.wYear, back.wYear);
        EXPECT_EQ(st.wDay, back.wDay);
        EXPECT_EQ(st.wSecond, back.wSecond);
    }
}

TEST(OleDateTimeTest, InvalidInputsGiveInvalidStatus)
{
    struct Case
    {
        int y, mo, d, h, mi, s;
    } cases[] = {
        {1900, 2, 29, 0, 0, 0}, {2023, 13, 1, 0, 0, 0}, {99, 1, 1, 0, 0, 0},    {10000, 1, 1, 0, 0, 0},
        {2023, 4, 31, 0, 0, 0}, {2023, 1, 1, 24, 0, 0}, {2023, 1, 1, 0, 60, 0}, {2023, 1, 0, 0, 0, 0},
    };
    for (const auto& c : cases)
    {
        COleDateTime t(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(COleDateTime::invalid, t.GetStatus()) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(-1, t.GetYear());
        EXPECT_STREQ("Invalid DateTime", t.Format("%Y"));
    }
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(3e6).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(std::nan("")).GetStatus());
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    EXPECT_TRUE(nullDate.Format("%Y").IsEmpty());
}

TEST(OleDateTimeTest, FormatFollowsStrftimeLetters)
{
    COleDateTime t(2010, 3, 5, 14, 7, 9);
    struct Case
    {
        const char* fmt;
        const char* want;
    } cases[] = {
        {"%Y-%d-%m", "2010-05-03"}, {"%Y-%d-%mT%H:%M:%S", "2010-05-03T14:07:09"},
        {"%H:%M:%S", "14:07:09"},   {"%#d/%#m %#H", "5/3 14"},
        {"%I %p", "02 PM"},         {"%a %A %b %B", "Fri Friday Mar March"},
        {"%j %w %y", "064 5 10"},   {"%x %X", "03/05/10 14:07:09"},
        {"100%%", "100%"},          {"plain", "plain"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.want, t.Format(c.fmt)) << c.fmt;
}

TEST(OleDateTimeTest, ArithmeticAcrossTheEpoch)
{
    COleDateTime before(1899, 12, 29, 6, 0, 0); // DATE -1.25
    COleDateTime later = before + COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_NEAR(-1.75, later.m_dt, 1e-9); // 18:00 on the same day
    EXPECT_EQ(18, later.GetHour());
    EXPECT_TRUE(before < later);
    COleDateTime next = later + COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_NEAR(0.25, next.m_dt, 1e-9); // 06:00 on the epoch day
    EXPECT_EQ(30, next.GetDay());
    COleDateTimeSpan span = COleDateTime(2010, 3, 5, 0, 0, 0) - COleDateTime(2010, 3, 1, 18, 0, 0);
    EXPECT_NEAR(3.25, span.GetTotalDays(), 1e-9);
    EXPECT_EQ(3, span.GetDays());
    EXPECT_EQ(6, span.GetHours());
    COleDateTimeSpan s(1, 2, 3, 4);
    EXPECT_EQ(1, s.GetDays());
    EXPECT_EQ(2, s.GetHours());
    EXPECT_EQ(3, s.GetMinutes());
    EXPECT_EQ(4, s.GetSeconds());
    EXPECT_NEAR(26.0 + 3.0 / 60 + 4.0 / 3600, s.GetTotalHours(), 1e-9);
    COleDateTimeSpan neg = -s;
    EXPECT_EQ(-1, neg.GetDays());
    EXPECT_EQ(-2, neg.GetHours());
    COleDateTime invalid(2023, 13, 1, 0, 0, 0);
    EXPECT_EQ(COleDateTime::invalid, (invalid + s).GetStatus());
}

TEST(OleDateTimeTest, OtherSources)
{
    SYSTEMTIME st = {2010, 3, 5, 5, 12, 30, 40, 999};
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    COleDateTime fromFile(ft);
    EXPECT_EQ(2010, fromFile.GetYear());
    EXPECT_EQ(40, fromFile.GetSecond()); // milliseconds are dropped
    WORD dosDate = static_cast<WORD>(((2010 - 1980) << 9) | (3 << 5) | 5);
    WORD dosTime = static_cast<WORD>((12 << 11) | (30 << 5) | (40 / 2));
    EXPECT_EQ(fromFile, COleDateTime(dosDate, dosTime));
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = 40242.5;
    COleDateTime fromVariant(v);
    EXPECT_EQ(12, fromVariant.GetHour());
    // A time_t is taken as local time: the epoch is 1970-01-01 in UTC, a day either side elsewhere.
    COleDateTime fromTimeT(static_cast<__time64_t>(86400 * 10));
    EXPECT_EQ(1970, fromTimeT.GetYear());
    EXPECT_NEAR(11, fromTimeT.GetDay(), 1);
    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(COleDateTime::valid, now.GetStatus());
    EXPECT_GE(now.GetYear(), 2020);
    COleDateTime parsed;
    EXPECT_TRUE(parsed.ParseDateTime("12/25/2009", 0, MAKELCID(0x0409, SORT_DEFAULT)));
    EXPECT_EQ(2009, parsed.GetYear());
    EXPECT_EQ(12, parsed.GetMonth());
    EXPECT_EQ(25, parsed.GetDay());
    EXPECT_FALSE(parsed.ParseDateTime("not a date"));
    EXPECT_EQ(COleDateTime::invalid, parsed.GetStatus());
    EXPECT_FALSE(parsed.ParseDateTime(nullptr));
}

TEST(OleDateTimeTest, ArchiveFormIsStatusThenDouble)
{
    COleDateTime t(0.25);
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << t; });
    EXPECT_EQ((Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xD0, 0x3F}), bytes);
    COleDateTime invalid(2023, 13, 1, 0, 0, 0);
    bytes = StoreBytes([&](CArchive& ar) { ar << t << invalid << COleDateTimeSpan(1.5); });
    LoadBytes(bytes, [](CArchive& ar) {
        COleDateTime a, b;
        COleDateTimeSpan s;
        ar >> a >> b >> s;
        EXPECT_EQ(6, a.GetHour());
        EXPECT_EQ(COleDateTime::valid, a.GetStatus());
        EXPECT_EQ(COleDateTime::invalid, b.GetStatus());
        EXPECT_EQ(1.5, s.GetTotalDays());
    });
}

TEST(OleVariantTest, ConstructorsSetTypeAndValue)
{
    EXPECT_EQ(VT_EMPTY, COleVariant().vt);
    COleVariant i(42);
    EXPECT_EQ(VT_I4, i.vt);
    EXPECT_EQ(42, i.lVal);
    COleVariant s("text");
    ASSERT_EQ(VT_BSTR, s.vt);
    EXPECT_STREQ(L"text", s.bstrVal);
    EXPECT_EQ(4u, SysStringLen(s.bstrVal));
    COleVariant w(L"wide");
    EXPECT_STREQ(L"wide", w.bstrVal);
    COleVariant b(true);
    EXPECT_EQ(VT_BOOL, b.vt);
    EXPECT_EQ(VARIANT_TRUE, b.boolVal);
    COleVariant sb(static_cast<short>(5), VT_BOOL);
    EXPECT_EQ(VARIANT_TRUE, sb.boolVal);
    COleVariant err(static_cast<long>(E_FAIL), VT_ERROR);
    EXPECT_EQ(VT_ERROR, err.vt);
    EXPECT_EQ(E_FAIL, err.scode);
    COleVariant d(2.5);
    EXPECT_EQ(VT_R8, d.vt);
    COleVariant dt(40242.0, VT_DATE);
    EXPECT_EQ(VT_DATE, dt.vt);
    COleVariant fromDate(COleDateTime(2010, 3, 5, 0, 0, 0));
    EXPECT_EQ(dt, fromDate);
    EXPECT_EQ(VT_UI1, COleVariant(static_cast<BYTE>(7)).vt);
    EXPECT_EQ(VT_I8, COleVariant(static_cast<LONGLONG>(-7)).vt);
    EXPECT_EQ(VT_UI8, COleVariant(static_cast<ULONGLONG>(7)).vt);
    EXPECT_EQ(VT_R4, COleVariant(1.5f).vt);
    EXPECT_EQ(VT_BSTR, COleVariant(static_cast<LPCSTR>(nullptr)).vt); // an empty string
}

TEST(OleVariantTest, CopiesComparisonAndConversion)
{
    COleVariant a("same");
    COleVariant b(a);
    EXPECT_NE(a.bstrVal, b.bstrVal); // a deep copy
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(COleVariant("same") == a);
    EXPECT_FALSE(COleVariant("Same") == a);
    EXPECT_FALSE(COleVariant(1) == COleVariant(static_cast<short>(1))); // different types
    EXPECT_TRUE(COleVariant() == COleVariant());
    COleVariant n(42);
    n.ChangeType(VT_BSTR);
    ASSERT_EQ(VT_BSTR, n.vt);
    EXPECT_STREQ(L"42", n.bstrVal);
    n.ChangeType(VT_I2);
    EXPECT_EQ(VT_I2, n.vt);
    EXPECT_EQ(42, n.iVal);
    COleVariant text("abc");
    try
    {
        text.ChangeType(VT_I4);
        FAIL() << "no exception";
    }
    catch (COleException* e)
    {
        EXPECT_TRUE(FAILED(e->m_sc));
        e->Delete();
    }
    ASSERT_EQ(VT_BSTR, text.vt); // unchanged after the refused conversion
    EXPECT_STREQ(L"abc", text.bstrVal);
    VARIANT raw = text.Detach();
    EXPECT_EQ(VT_EMPTY, text.vt);
    COleVariant attached;
    attached.Attach(raw);
    EXPECT_EQ(VT_EMPTY, raw.vt);
    EXPECT_STREQ(L"abc", attached.bstrVal);
    attached = 3.0;
    EXPECT_EQ(VT_R8, attached.vt);
    attached.Clear();
    EXPECT_EQ(VT_EMPTY, attached.vt);
}

TEST(OleVariantTest, ArchiveRoundTripsEveryStorableType)
{
    CY cy;
    cy.int64 = -123456789012345LL;
    VARIANT cyv;
    VariantInit(&cyv);
    cyv.vt = VT_CY;
    cyv.cyVal = cy;
    COleVariant nullv;
    nullv.vt = VT_NULL;
    std::vector<COleVariant> values;
    values.emplace_back();
    values.push_back(nullv);
    values.emplace_back(true);
    values.emplace_back(static_cast<BYTE>(200));
    values.emplace_back(static_cast<short>(-5));
    values.emplace_back(-100000);
    values.emplace_back(static_cast<long>(E_POINTER), VT_ERROR);
    values.emplace_back(-(static_cast<LONGLONG>(1) << 40));
    values.emplace_back(~0ULL);
    values.emplace_back(-0.5f);
    values.emplace_back(1e300);
    values.emplace_back(40242.75, VT_DATE);
    values.emplace_back("a string");
    values.emplace_back("");
    values.emplace_back(cyv);
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        for (const auto& v : values)
            ar << v;
    });
    LoadBytes(bytes, [&](CArchive& ar) {
        for (const auto& v : values)
        {
            COleVariant back;
            ar >> back;
            EXPECT_TRUE(back == v) << "type " << v.vt;
        }
    });
    EXPECT_EQ((Bytes{3, 0, 0x2A, 0, 0, 0}), StoreBytes([](CArchive& ar) { ar << COleVariant(42); }));
    EXPECT_EQ((Bytes{8, 0, 4, 0, 0, 0, 'h', 0, 'i', 0}),
              StoreBytes([](CArchive& ar) { ar << COleVariant("hi"); }));
    EXPECT_EQ((Bytes{11, 0, 0xFF, 0xFF}), StoreBytes([](CArchive& ar) { ar << COleVariant(true); }));
}

TEST(OleVariantTest, DamagedArchiveRecordsLeaveTheTargetAlone)
{
    struct Case
    {
        Bytes bytes;
        int cause;
    } cases[] = {
        {{0x0D, 0x00}, CArchiveException::genericException},                        // VT_UNKNOWN
        {{0x08, 0x00, 0x03, 0, 0, 0, 'a', 0}, CArchiveException::genericException}, // odd byte length
        {{0x08, 0x00, 0x10, 0, 0, 0, 'a', 0}, CArchiveException::endOfFile},        // cut short
        {{0x05, 0x00, 1, 2, 3}, CArchiveException::endOfFile},
    };
    for (const auto& c : cases)
    {
        COleVariant target("keep");
        try
        {
            LoadBytes(c.bytes, [&](CArchive& ar) { ar >> target; });
            ADD_FAILURE() << "no exception";
        }
        catch (CArchiveException* e)
        {
            EXPECT_EQ(c.cause, e->m_cause);
            e->Delete();
        }
        EXPECT_STREQ(L"keep", target.bstrVal);
    }
    COleVariant unknown;
    unknown.vt = VT_UNKNOWN;
    unknown.punkVal = nullptr;
    try
    {
        StoreBytes([&](CArchive& ar) { ar << unknown; });
        ADD_FAILURE() << "no exception";
    }
    catch (CNotSupportedException* e)
    {
        e->Delete();
    }
}
