#include "foundation/DravikString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace
{

std::string Ansi(CDravikString s)
{
    const char* text = s.GetAnsi();
    return text ? std::string(text) : std::string();
}

std::wstring Wide(CDravikString s)
{
    const wchar_t* text = s.GetWide();
    return text ? std::wstring(text) : std::wstring();
}

} // namespace

TEST(DravikStringTest, DefaultIsEmptyAnsiWithOneByteBuffer)
{
    CDravikString s;
    EXPECT_EQ(0, s.GetLength());
    EXPECT_FALSE(s.IsWide());
    EXPECT_EQ(1, s.GetBufferSize());
    const wchar_t* wide = s.GetWide();
    ASSERT_NE(nullptr, wide);
    EXPECT_EQ(L'\0', wide[0]);
    EXPECT_TRUE(s.IsWide());
    EXPECT_EQ(2, s.GetBufferSize());
    EXPECT_EQ(0, s.GetLength());
}

TEST(DravikStringTest, ConstructorsAndStorage)
{
    EXPECT_EQ(0, CDravikString('\0').GetLength());
    EXPECT_EQ("x", Ansi(CDravikString('x')));
    EXPECT_EQ(0, CDravikString(static_cast<const char*>(nullptr)).GetLength());
    EXPECT_EQ(0, CDravikString(static_cast<const CDravikString*>(nullptr)).GetLength());
    CDravikString wide(L"wide");
    EXPECT_TRUE(wide.IsWide());
    EXPECT_EQ(10, wide.GetBufferSize());
    CDravikString copy(wide);
    EXPECT_TRUE(copy.IsWide());
    EXPECT_TRUE(copy.Equals(wide));

    CDravikString s("abc");
    EXPECT_FALSE(s.SetAnsi(nullptr));
    EXPECT_FALSE(s.SetWide(nullptr));
    EXPECT_EQ("abc", Ansi(s));
    EXPECT_FALSE(s.Copy(s));
    EXPECT_FALSE(s.Allocate(0));
    EXPECT_EQ(0, s.GetBufferSize());
    EXPECT_EQ(0, s.GetLength());
    EXPECT_FALSE(s.Free());
    EXPECT_TRUE(s.Allocate(8));
    EXPECT_EQ(7, s.GetLength());
    EXPECT_TRUE(s.Free());

    // Copy from a string without buffer gives the one-byte empty ANSI string.
    CDravikString target(L"x");
    CDravikString none;
    none.Free();
    EXPECT_TRUE(target.Copy(none));
    EXPECT_FALSE(target.IsWide());
    EXPECT_EQ(1, target.GetBufferSize());
}

TEST(DravikStringTest, SetAtGrowsWithZerosUntilShrink)
{
    CDravikString s("ab");
    EXPECT_TRUE(s.SetAt(5, 'z'));
    EXPECT_EQ(6, s.GetLength());
    const char* raw = s.PeekAnsi();
    ASSERT_NE(nullptr, raw);
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ('\0', raw[i]) << i;
    EXPECT_EQ('z', raw[5]);
    EXPECT_TRUE(s.ShrinkToFit());
    EXPECT_EQ(2, s.GetLength());
    EXPECT_FALSE(s.SetAt(-1, 'x'));
    EXPECT_FALSE(s.GrowToLength(1));
    EXPECT_FALSE(s.EnsureLength(0));
    EXPECT_TRUE(s.EnsureLength(2));
    EXPECT_TRUE(s.EnsureLength(4));
    EXPECT_EQ(4, s.GetLength());

    CDravikString w(L"q");
    EXPECT_TRUE(w.SetWideAt(3, L'\x263A'));
    EXPECT_EQ(4, w.GetLength());
    EXPECT_EQ(L'\x263A', w.PeekWide()[3]);
    wchar_t* at = w.GetWideBufferAt(6);
    ASSERT_NE(nullptr, at);
    EXPECT_EQ(7, w.GetLength());
}

TEST(DravikStringTest, AppendFollowsTheWidthOfTheArgument)
{
    struct Case
    {
        bool thisWide;
        bool otherWide;
        bool resultWide;
    } cases[] = {{false, false, false}, {false, true, true}, {true, false, false}, {true, true, true}};
    for (const Case& c : cases)
    {
        CDravikString s = c.thisWide ? CDravikString(L"ab") : CDravikString("ab");
        CDravikString other = c.otherWide ? CDravikString(L"cd") : CDravikString("cd");
        EXPECT_TRUE(s.Append(other));
        EXPECT_EQ(c.resultWide, s.IsWide()) << c.thisWide << c.otherWide;
        EXPECT_EQ(4, s.GetLength());
        EXPECT_EQ("abcd", Ansi(s));
    }
    CDravikString s("x");
    CDravikString empty;
    EXPECT_FALSE(s.Append(empty));
    EXPECT_FALSE(s.AppendAnsi(""));
    EXPECT_FALSE(s.AppendAnsi(nullptr));
    EXPECT_FALSE(s.AppendWide(nullptr));
    EXPECT_FALSE(s.AppendWide(L""));
    EXPECT_TRUE(s.IsWide()); // AppendWide converts before it looks at the text
    CDravikString joined = CDravikString("a") + CDravikString(L"b");
    EXPECT_TRUE(joined.IsWide());
    EXPECT_EQ(L"ab", Wide(joined));
    s = "p";
    s += "q";
    s += CDravikString("r");
    EXPECT_EQ("pqr", Ansi(s));
}

// Each of these used to read the freed old buffer: the new buffer is now filled first.
TEST(DravikStringTest, SelfAliasingOperationsKeepTheText)
{
    CDravikString a("hello");
    a = a.GetAnsi();
    EXPECT_EQ("hello", Ansi(a));

    CDravikString b("ab");
    EXPECT_TRUE(b.AppendAnsi(b.GetAnsi()));
    EXPECT_EQ("abab", Ansi(b));

    CDravikString c("xy");
    EXPECT_TRUE(c.Append(c));
    EXPECT_EQ("xyxy", Ansi(c));

    CDravikString d("12");
    d += d;
    EXPECT_EQ("1212", Ansi(d));

    CDravikString e(L"wide");
    EXPECT_TRUE(e.AppendWide(e.GetWide()));
    EXPECT_EQ(L"widewide", Wide(e));
    e = e.GetWide();
    EXPECT_EQ(L"widewide", Wide(e));

    CDravikString f("aaa");
    EXPECT_TRUE(f.Replace(f.GetAnsi(), "b"));
    EXPECT_EQ("b", Ansi(f));

    CDravikString g("%d-%d");
    CDravikString* format = &g;
    EXPECT_TRUE(g.FormatFromString(format, 1, 2));
    EXPECT_EQ("1-2", Ansi(g));

    CDravikString h("7 apples");
    long long value = 0;
    EXPECT_TRUE(h.ToInt64(value, h));
    EXPECT_EQ(7, value);
    EXPECT_EQ(" apples", Ansi(h));
}

TEST(DravikStringTest, MakeAnsiBlanksNonPrintableButKeepsTabCrLf)
{
    CDravikString s(L"a\tb\x2028"
                    L"c\r\n");
    const char* text = s.GetAnsi();
    EXPECT_FALSE(s.IsWide());
    EXPECT_STREQ("a\tb c\r\n", text);
    EXPECT_EQ(7, s.GetLength());
}

// A character the code page cannot hold used to drop the whole text; now it becomes one '?'
// and every other character survives, one byte per character.
TEST(DravikStringTest, MakeAnsiReplacesUnconvertibleCharacters)
{
    CDravikString s(L"ab\x4E2D\x6587yz");
    EXPECT_STREQ("ab??yz", s.GetAnsi());
    EXPECT_EQ(6, s.GetLength());

    CDravikString surrogate(L"x\xD83D\xDE00y");
    // Unpaired halves of a surrogate pair are not printable on their own: each becomes a blank.
    EXPECT_STREQ("x  y", surrogate.GetAnsi());

    if (GetACP() == 1252)
    {
        CDravikString latin(L"caf\xE9");
        EXPECT_STREQ("caf\xE9", latin.GetAnsi());
        EXPECT_EQ(L"caf\xE9", Wide(latin)); // and back through the same code page
    }
}

TEST(DravikStringTest, MakeWideAndMakeAnsiReportWhetherTheyConverted)
{
    CDravikString s("abc");
    EXPECT_FALSE(s.MakeAnsi());
    EXPECT_TRUE(s.MakeWide());
    EXPECT_FALSE(s.MakeWide());
    EXPECT_EQ(8, s.GetBufferSize());
    EXPECT_TRUE(s.MakeAnsi());
    EXPECT_EQ(4, s.GetBufferSize());
}

TEST(DravikStringTest, FindTable)
{
    struct Case
    {
        const char* text;
        const char* pattern;
        int start;
        bool ignoreCase;
        int expected;
    } cases[] = {
        {"abcabc", "", 0, false, 0},    {"abcabc", "", 0, true, -1},     {"abcabc", "c", 6, false, -1},
        {"abcabc", "c", -1, false, -1}, {"abcabc", "ca", 0, false, 2},   {"abcabc", "bc", 2, false, 4},
        {"abcABC", "ABC", 1, true, 3},  {"abcABC", "Abc", 0, false, -1}, {"abcABC", "aBc", 0, true, 0},
        {"abcABC", "cab", 0, true, 2},  {"abc", "abcd", 0, true, -1},    {"", "a", 0, false, -1},
        {"abc", nullptr, 0, false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CDravikString(c.text).Find(c.pattern, c.start, c.ignoreCase))
            << c.text << " / " << (c.pattern ? c.pattern : "(null)") << " from " << c.start;

    CDravikString s("hello");
    EXPECT_EQ(2, s.FindChar('l'));
    EXPECT_EQ(3, s.FindChar('l', 3));
    EXPECT_EQ(-1, s.FindChar('l', 5));
    EXPECT_EQ(-1, s.FindChar('z'));
    EXPECT_EQ(1, s.FindNoCase("EL"));
}

TEST(DravikStringTest, FindWideTable)
{
    struct Case
    {
        const wchar_t* text;
        const wchar_t* pattern;
        int start;
        bool ignoreCase;
        int expected;
    } cases[] = {
        {L"abcABC", L"ABC", 0, false, 3},
        {L"abcABC", L"ABC", 0, true, 0},
        {L"x\x00C4y\x00E4", L"\x00E4", 0, true, 3}, // non-ASCII pattern characters compare exactly
        {L"abc", L"", 0, true, -1},
        {L"abc", L"c", 3, false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CDravikString(c.text).FindWide(c.pattern, c.start, c.ignoreCase));
    EXPECT_EQ(-1, CDravikString("abc").FindWide(L"a"));
    EXPECT_EQ(2, CDravikString(L"abc").FindWideChar(L'c'));
    EXPECT_EQ(-1, CDravikString("abc").FindWideChar(L'c'));
}

TEST(DravikStringTest, CountNoCase)
{
    EXPECT_EQ(2, CDravikString("aaaa").CountNoCase(CDravikString("aa")));
    EXPECT_EQ(3, CDravikString("Ab ab AB").CountNoCase(CDravikString("ab")));
    EXPECT_EQ(2, CDravikString(L"Ab ab").CountNoCase(CDravikString(L"AB")));
    EXPECT_EQ(0, CDravikString("aaaa").CountNoCase(CDravikString()));
}

TEST(DravikStringTest, ReplaceTable)
{
    struct Case
    {
        const char* text;
        const char* pattern;
        const char* replacement;
        bool ignoreCase;
        bool result;
        const char* expected;
    } cases[] = {
        {"aXa", "a", "aa", false, true, "aaXaa"},
        {"one two one", "one", "1", false, true, "1 two 1"},
        {"One one", "ONE", "x", true, true, "x x"},
        {"One one", "ONE", "x", false, false, "One one"},
        {"abc", "b", "", false, true, "ac"},
        {"abc", "", "x", false, false, "abc"}, // an empty pattern used to loop for ever
        {"abc", nullptr, "x", false, false, "abc"},
        {"abc", "a", nullptr, false, false, "abc"},
    };
    for (const Case& c : cases)
    {
        CDravikString s(c.text);
        EXPECT_EQ(c.result, s.Replace(c.pattern, c.replacement, c.ignoreCase)) << c.text;
        EXPECT_EQ(c.expected, Ansi(s)) << c.text;
    }
}

TEST(DravikStringTest, ReplaceWideTable)
{
    CDravikString s(L"aXa");
    EXPECT_TRUE(s.ReplaceWide(L"a", L"aa"));
    EXPECT_TRUE(s.IsWide());
    EXPECT_EQ(L"aaXaa", Wide(s));
    CDravikString t(L"Path\\PATH");
    EXPECT_TRUE(t.ReplaceWide(L"path", L"p", true));
    EXPECT_EQ(L"p\\p", Wide(t));
    CDravikString u(L"abc");
    EXPECT_FALSE(u.ReplaceWide(L"", L"x"));
    EXPECT_EQ(L"abc", Wide(u));
    EXPECT_TRUE(u.ReplaceWide(L"abc", L""));
    EXPECT_EQ(0, u.GetLength());
}

TEST(DravikStringTest, SubStringTable)
{
    struct Case
    {
        const char* text;
        int first;
        int last;
        const char* expected;
    } cases[] = {
        {"abc", 1, -1, "bc"}, {"abc", 3, -1, ""}, {"abc", 0, 1, "ab"}, {"abc", 1, 99, "bc"},
        {"abc", 2, 1, ""},    {"abc", -1, 2, ""}, {"", 0, -1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Ansi(CDravikString(c.text).SubString(c.first, c.last)))
            << c.text << " " << c.first << ".." << c.last;
    CDravikString wide = CDravikString(L"wxyz").SubString(1, 2);
    EXPECT_TRUE(wide.IsWide());
    EXPECT_EQ(L"xy", Wide(wide));
}

TEST(DravikStringTest, CompareAndEquals)
{
    struct Case
    {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {{"", "", 0},       {"", "x", -1},      {"x", "", 1},
                 {"abc", "ABC", 0}, {"abc", "abd", -1}, {"b", "A", 1}};
    for (const Case& c : cases)
    {
        CDravikString a(c.a);
        CDravikString b(c.b);
        int r = a.CompareNoCase(b);
        EXPECT_EQ(c.sign, (r > 0) - (r < 0)) << c.a << " vs " << c.b;
    }
    CDravikString wideThis(L"Hello");
    CDravikString ansiOther("HELLO");
    EXPECT_EQ(0, wideThis.CompareNoCase(ansiOther));
    EXPECT_TRUE(ansiOther.IsWide()); // the argument is converted in place
    CDravikString s(L"abc");
    EXPECT_EQ(0, s.CompareNoCaseAnsi("ABC"));
    EXPECT_FALSE(s.IsWide());
    EXPECT_EQ(0, s.CompareNoCaseAnsi(nullptr));

    EXPECT_TRUE(CDravikString("text").Equals(CDravikString(L"text")));
    EXPECT_TRUE(CDravikString(L"text").Equals(CDravikString("text")));
    EXPECT_FALSE(CDravikString("text").Equals(CDravikString("Text")));
    EXPECT_FALSE(CDravikString("text").Equals(CDravikString("tex")));
    EXPECT_TRUE(CDravikString().Equals(CDravikString(L"")));
}

TEST(DravikStringTest, CaseAndCharacterTests)
{
    CDravikString s("MiXed 1");
    EXPECT_TRUE(s.MakeUpper());
    EXPECT_EQ("MIXED 1", Ansi(s));
    EXPECT_TRUE(s.MakeLower());
    EXPECT_EQ("mixed 1", Ansi(s));
    CDravikString empty;
    EXPECT_FALSE(empty.MakeUpper());
    EXPECT_FALSE(empty.MakeLower());
    CDravikString w(L"abc");
    EXPECT_TRUE(w.MakeUpper());
    EXPECT_EQ(L"ABC", Wide(w));

    EXPECT_TRUE(CDravikString("ab3").ContainsDigit());
    EXPECT_FALSE(CDravikString("abc").ContainsDigit());
    EXPECT_TRUE(CDravikString(L"x9").ContainsDigit());
    EXPECT_TRUE(CDravikString(L"a\x00E9").HasNonAscii());
    EXPECT_FALSE(CDravikString(L"plain").HasNonAscii());
    EXPECT_FALSE(CDravikString("\xE9").HasNonAscii());
    EXPECT_EQ('c', CDravikString("abc").GetLastChar());
    EXPECT_EQ('\0', CDravikString().GetLastChar());
    EXPECT_TRUE(CDravikString("ab").IsValidIndex(1));
    EXPECT_FALSE(CDravikString("ab").IsValidIndex(2));
}

TEST(DravikStringTest, TrimTable)
{
    struct Case
    {
        const char* text;
        bool left;
        bool result;
        const char* expected;
    } cases[] = {
        {" \t x \r\n", true, true, "x \r\n"},
        {" \t x \r\n", false, true, " \t x"},
        {" \t \t", true, true, ""},
        {" \t \t", false, true, ""},
        {"x", true, false, "x"},
        {"x", false, false, "x"},
        {"", true, false, ""},
        {"", false, false, ""},
    };
    for (const Case& c : cases)
    {
        CDravikString s(c.text);
        EXPECT_EQ(c.result, c.left ? s.TrimLeft() : s.TrimRight()) << '"' << c.text << '"' << c.left;
        EXPECT_EQ(c.expected, Ansi(s));
    }
    CDravikString w(L"  \x263A  ");
    EXPECT_TRUE(w.TrimLeft());
    EXPECT_TRUE(w.TrimRight());
    EXPECT_TRUE(w.IsWide());
    EXPECT_EQ(L"\x263A", Wide(w));
}

TEST(DravikStringTest, EnsureTrailingBackslash)
{
    CDravikString withSlash("C:\\dir\\");
    EXPECT_FALSE(withSlash.EnsureTrailingBackslash());
    EXPECT_EQ("C:\\dir\\", Ansi(withSlash));
    CDravikString without("C:\\dir");
    EXPECT_TRUE(without.EnsureTrailingBackslash());
    EXPECT_EQ("C:\\dir\\", Ansi(without));
    CDravikString wide(L"C:\\dir");
    EXPECT_TRUE(wide.EnsureTrailingBackslash());
    EXPECT_FALSE(wide.IsWide());
    EXPECT_EQ("C:\\dir\\", Ansi(wide));
    CDravikString wideSlash(L"C:\\");
    EXPECT_FALSE(wideSlash.EnsureTrailingBackslash());
}

TEST(DravikStringTest, ToInt64Table)
{
    struct Case
    {
        const char* text;
        bool result;
        long long value;
        const char* rest;
    } cases[] = {
        {"1,234.5 kB", true, 12345, ",. kB"},
        {"12 ab 34", true, 12, " ab "},
        {"-42", true, 42, "-"},
        {"no digits", false, 0, "no digits"},
        {"", false, 0, ""},
        {"9223372036854775807", true, LLONG_MAX, ""},
        {"0000000000000000000000042", true, 42, ""}, // many digits, small value
        // More digits than the value holds: saturated and reported as not exact.
        {"9223372036854775808", false, LLONG_MAX, ""},
        {"123456789012345678901234 B", false, LLONG_MAX, " B"},
    };
    for (const Case& c : cases)
    {
        CDravikString rest("stale");
        long long value = -1;
        EXPECT_EQ(c.result, CDravikString(c.text).ToInt64(value, rest)) << c.text;
        EXPECT_EQ(c.value, value) << c.text;
        EXPECT_EQ(c.rest, Ansi(rest)) << c.text;
    }
    CDravikString rest;
    long long value = 0;
    EXPECT_TRUE(CDravikString(L"x 77").ToInt64(value, rest));
    EXPECT_EQ(77, value);
    EXPECT_TRUE(rest.IsWide());
    EXPECT_EQ(L"x ", Wide(rest));
}

TEST(DravikStringTest, Crc64Vectors)
{
    EXPECT_EQ(0ULL, Crc64TableEntry(0));
    EXPECT_EQ(0x7AD870C830358979ULL, Crc64TableEntry(1));
    EXPECT_EQ(0x95AC9329AC4BC9B5ULL, Crc64TableEntry(128));
    EXPECT_EQ(0x3558E8E979F60D7EULL, Crc64("123456789", 9, 0xFFFFFFFFu, 0xFFFFFFFFu, false));
    // Raw mode skips the final complement; null or empty data return the start value.
    EXPECT_EQ(~0x3558E8E979F60D7EULL, Crc64("123456789", 9, 0xFFFFFFFFu, 0xFFFFFFFFu, true));
    EXPECT_EQ(0x0000000200000001ULL, Crc64(nullptr, 5, 1, 2, true));
    EXPECT_EQ(~0x0000000200000001ULL, Crc64("x", 0, 1, 2, false));
}

TEST(DravikStringTest, Hash64)
{
    struct Case
    {
        CDravikString text;
        unsigned long long hash;
    } cases[] = {
        {CDravikString(), 0xD6B7D047EFEC8728ULL},
        {CDravikString("abc"), 0x423EED2100C018F4ULL},
        {CDravikString(L"abc"), 0x1289337299C41207ULL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.hash, c.text.GetHash64());
    unsigned char zero = 0;
    EXPECT_EQ(Crc64(&zero, 1, 0xFFFFFFFFu, 0xFFFFFFFFu, false), CDravikString().GetHash64());
    CDravikString none;
    none.Free();
    EXPECT_EQ(0ULL, none.GetHash64());
}

TEST(DravikStringTest, FormatIsBoundedAndTerminated)
{
    CDravikString s("keep");
    EXPECT_FALSE(s.Format(nullptr));
    EXPECT_FALSE(s.Format("%s", ""));
    EXPECT_EQ("keep", Ansi(s));
    EXPECT_TRUE(s.Format("%d:%s:%I64d", 7, "x", 123456789012LL));
    EXPECT_EQ("7:x:123456789012", Ansi(s));

    std::string huge(10000, 'y');
    EXPECT_TRUE(s.Format("%s-%s", huge.c_str(), huge.c_str()));
    EXPECT_EQ(CDravikString::kFormatBufferChars - 1, s.GetLength());
    EXPECT_EQ(std::string(CDravikString::kFormatBufferChars - 1, 'y'), Ansi(s));

    std::wstring hugeWide(6000, L'w');
    CDravikString wideFormat(L"%ls|%d");
    CDravikString w;
    EXPECT_TRUE(w.FormatFromString(&wideFormat, hugeWide.c_str(), 5));
    EXPECT_TRUE(w.IsWide());
    EXPECT_EQ(CDravikString::kFormatBufferChars - 1, w.GetLength());
    EXPECT_EQ(std::wstring(CDravikString::kFormatBufferChars - 1, L'w'), Wide(w));

    CDravikString widePercentS(L"%s+%hs");
    EXPECT_TRUE(w.FormatFromString(&widePercentS, L"wide", "ansi"));
    EXPECT_EQ(L"wide+ansi", Wide(w));
    CDravikString ansiPercentLs("%s+%ls");
    EXPECT_TRUE(w.FormatFromString(&ansiPercentLs, "ansi", L"wide"));
    EXPECT_EQ("ansi+wide", Ansi(w));

    CDravikString shortWide(L"%d/%d");
    EXPECT_TRUE(w.FormatFromString(&shortWide, 3, 4));
    EXPECT_EQ(L"3/4", Wide(w));
    CDravikString ansiFormat("%05d");
    EXPECT_TRUE(w.FormatFromString(&ansiFormat, 42));
    EXPECT_FALSE(w.IsWide());
    EXPECT_EQ("00042", Ansi(w));
    CDravikString emptyFormat;
    EXPECT_FALSE(w.FormatFromString(&emptyFormat));
    EXPECT_FALSE(w.FormatFromString(nullptr));
}

TEST(DravikStringTest, LoadStringRejectsBadIds)
{
    CDravikString s("keep");
    EXPECT_FALSE(s.LoadString(0));
    EXPECT_FALSE(s.LoadString(-3));
    EXPECT_FALSE(s.LoadString(31999)); // no string table in the test program
    EXPECT_EQ("keep", Ansi(s));
}
