#include "framework/FrameworkString.h"

#include <gtest/gtest.h>

#include <string>

TEST(StringTest, ConstructionForms)
{
    EXPECT_STREQ("", CString());
    EXPECT_STREQ("", CString(static_cast<const char*>(nullptr)));
    EXPECT_STREQ("abc", CString("abc"));
    EXPECT_STREQ("ab", CString("abcdef", 2));
    EXPECT_STREQ("xxx", CString('x', 3));
    EXPECT_STREQ("", CString('x', 0));
    EXPECT_STREQ(L"wide", CStringW(L"wide"));
    EXPECT_STREQ(L"", CStringW(L"wide", 0));
    EXPECT_EQ(sizeof(void*), sizeof(CString)); // one pointer, as callers' layouts expect
}

TEST(StringTest, CopiesAreIndependentAndMovesEmptyTheSource)
{
    CString a("hello");
    CString b(a);
    b.SetAt(0, 'J');
    EXPECT_STREQ("hello", a);
    EXPECT_STREQ("Jello", b);
    CString c(std::move(b));
    EXPECT_STREQ("Jello", c);
    EXPECT_TRUE(b.IsEmpty());
    a = a; // self-assignment keeps the text
    EXPECT_STREQ("hello", a);
    a = a.Mid(1); // assignment from a piece of itself
    EXPECT_STREQ("ello", a);
    a += a; // append itself
    EXPECT_STREQ("elloello", a);
}

TEST(StringTest, LeftMidRightClampTheirArguments)
{
    const CString s("abcdef");
    struct Case
    {
        CString got;
        const char* want;
    } cases[] = {
        {s.Left(2), "ab"},    {s.Left(-1), ""},     {s.Left(99), "abcdef"},  {s.Mid(2), "cdef"},
        {s.Mid(2, 3), "cde"}, {s.Mid(-5, 2), "ab"}, {s.Mid(4, 99), "ef"},    {s.Mid(99), ""},
        {s.Mid(1, -3), ""},   {s.Right(2), "ef"},   {s.Right(99), "abcdef"}, {s.Right(-1), ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.want, c.got);
}

TEST(StringTest, FindFamily)
{
    const CString s("one,two;three,four");
    EXPECT_EQ(3, s.Find(','));
    EXPECT_EQ(13, s.Find(',', 4));
    EXPECT_EQ(-1, s.Find(',', 99));
    EXPECT_EQ(-1, s.Find(',', -1));
    EXPECT_EQ(4, s.Find("two"));
    EXPECT_EQ(-1, s.Find("two", 5));
    EXPECT_EQ(0, s.Find(""));
    EXPECT_EQ(13, s.ReverseFind(','));
    EXPECT_EQ(-1, s.ReverseFind('#'));
    EXPECT_EQ(3, s.FindOneOf(";,"));
    EXPECT_EQ(-1, s.FindOneOf("#!"));
    EXPECT_EQ(-1, s.FindOneOf(""));
    EXPECT_STREQ("one", s.SpanExcluding(",;"));
    EXPECT_STREQ("one", CString("onexyz").SpanIncluding("eno"));
}

TEST(StringTest, EditingOperations)
{
    CString s("a-b-c-d");
    EXPECT_EQ(3, s.Replace('-', '+'));
    EXPECT_STREQ("a+b+c+d", s);
    EXPECT_EQ(3, s.Replace("+", "<->"));
    EXPECT_STREQ("a<->b<->c<->d", s);
    EXPECT_EQ(3, s.Replace("<->", ""));
    EXPECT_STREQ("abcd", s);
    EXPECT_EQ(0, s.Replace("", "x"));
    CString aaa("aaaa");
    EXPECT_EQ(2, aaa.Replace("aa", "a")); // non-overlapping, left to right
    EXPECT_STREQ("aa", aaa);
    CString r("banana");
    EXPECT_EQ(3, r.Remove('a'));
    EXPECT_STREQ("bnn", r);
    EXPECT_EQ(4, r.Insert(1, 'X'));
    EXPECT_STREQ("bXnn", r);
    EXPECT_EQ(7, r.Insert(99, "end"));
    EXPECT_STREQ("bXnnend", r);
    EXPECT_EQ(5, r.Delete(1, 2));
    EXPECT_STREQ("bnend", r);
    EXPECT_EQ(2, r.Delete(2, 99));
    EXPECT_STREQ("bn", r);
    CString t("  \t hi there \r\n");
    EXPECT_STREQ("hi there", CString(t).Trim());
    EXPECT_STREQ("hi there \r\n", CString(t).TrimLeft());
    EXPECT_STREQ("  \t hi there", CString(t).TrimRight());
    EXPECT_STREQ("mid", CString("xxmidxx").Trim('x'));
    EXPECT_STREQ("mid", CString("xymidyx").Trim("xy"));
    EXPECT_STREQ("ABC", CString("aBc").MakeUpper());
    EXPECT_STREQ("abc", CString("aBc").MakeLower());
    EXPECT_STREQ("cba", CString("abc").MakeReverse());
    EXPECT_STREQ(L"ABC", CStringW(L"aBc").MakeUpper());
}

TEST(StringTest, ComparisonsAndOperators)
{
    CString a("abc"), b("ABC");
    EXPECT_GT(a.Compare(b), 0);
    EXPECT_EQ(0, a.CompareNoCase(b));
    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE("abc" == a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(b < a);
    EXPECT_FALSE(a < b);
    EXPECT_STREQ("abcABC", a + b);
    EXPECT_STREQ("abc!", a + '!');
    EXPECT_STREQ("!abc", '!' + a);
    EXPECT_STREQ(">abc", ">" + a);
    CString withNul("a\0b", 3), other("a\0c", 3);
    EXPECT_EQ(3, withNul.GetLength());
    EXPECT_FALSE(withNul == other); // the whole length counts, not just up to the first 0
    EXPECT_TRUE(CStringW(L"x") == L"x");
}

TEST(StringTest, BufferAccess)
{
    CString s("abc");
    char* p = s.GetBuffer(10);
    strcpy(p, "longer text");
    s.ReleaseBuffer();
    EXPECT_STREQ("longer text", s);
    EXPECT_EQ(11, s.GetLength());
    p = s.GetBuffer(0);
    p[3] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(3, s.GetLength());
    s.GetBuffer(20);
    s.ReleaseBuffer(2);
    EXPECT_STREQ("lo", s);
    char* q = s.GetBufferSetLength(5);
    EXPECT_EQ(5, s.GetLength());
    q[2] = 'n';
    q[3] = 'g';
    q[4] = '!';
    EXPECT_STREQ("long!", s);
    CString e;
    char* ep = e.GetBuffer(0); // an empty string still gives a writable buffer
    ep[0] = 0;
    e.ReleaseBuffer();
    EXPECT_TRUE(e.IsEmpty());
    // A buffer with no terminator inside its capacity stops at the capacity.
    CString f;
    char* fp = f.GetBuffer(4);
    memset(fp, 'z', 4);
    f.ReleaseBuffer(4);
    EXPECT_STREQ("zzzz", f);
}

TEST(StringTest, GetAtAndSetAtStayInBounds)
{
    CString s("abc");
    EXPECT_EQ('b', s[1]);
    EXPECT_EQ('c', s.GetAt(2));
    EXPECT_EQ(0, s.GetAt(3));
    EXPECT_EQ(0, s.GetAt(99));
    EXPECT_EQ(0, s.GetAt(-1));
    s.SetAt(5, 'x');
    s.SetAt(-1, 'x');
    EXPECT_STREQ("abc", s);
    s.SetAt(0, 'X');
    EXPECT_STREQ("Xbc", s);
}

TEST(StringTest, FormatHasNoLengthLimit)
{
    CString s;
    s.Format("%d-%s-%c-%.2f-%x", 42, "str", 'c', 1.5, 255);
    EXPECT_STREQ("42-str-c-1.50-ff", s);
    std::string big(100000, 'q');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(100002, s.GetLength());
    EXPECT_EQ('q', s[50000]);
    EXPECT_EQ(']', s[100001]);
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
    s = "x=";
    s.AppendFormat("%d", 7);
    s.AppendFormat("%05d", 12);
    EXPECT_STREQ("x=700012", s);
    CStringW w;
    w.Format(L"%s:%d", L"wide", -3);
    EXPECT_STREQ(L"wide:-3", w);
    s.Format("%I64d %u", -1234567890123LL, 4000000000u);
    EXPECT_STREQ("-1234567890123 4000000000", s);
    // Formatting a string into itself reads the old text first.
    s = "abc";
    s.Format("%s%s", static_cast<const char*>(s), static_cast<const char*>(s));
    EXPECT_STREQ("abcabc", s);
    // Appending a formatted copy of itself, while the buffer must grow.
    s = CString('x', 20);
    s.AppendFormat("[%s]", static_cast<const char*>(s));
    EXPECT_STREQ((std::string(20, 'x') + "[" + std::string(20, 'x') + "]").c_str(), s);
    // String objects go in as their characters, as callers of this framework expect.
    CString name("name");
    CStringW wname(L"wide");
    s.Format("<%s|%ls|%d>", name, wname, 3);
    EXPECT_STREQ("<name|wide|3>", s);
    CStringW w2;
    w2.Format(L"%s+%s", wname, wname);
    EXPECT_STREQ(L"wide+wide", w2);
    s.AppendFormat("%s", name);
    EXPECT_STREQ("<name|wide|3>name", s);
    // A malformed format gives an empty result instead of garbage.
    s = "old";
    s.Format(nullptr);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(StringTest, TokenizeWalksTokensAndEndsWithMinusOne)
{
    CString s(";;a;bb;;ccc;");
    int pos = 0;
    const char* want[] = {"a", "bb", "ccc"};
    for (const char* w : want)
    {
        CString t = s.Tokenize(";", pos);
        EXPECT_STREQ(w, t);
        EXPECT_GT(pos, 0);
    }
    CString last = s.Tokenize(";", pos);
    EXPECT_TRUE(last.IsEmpty());
    EXPECT_EQ(-1, pos);
    pos = 0;
    EXPECT_TRUE(CString("").Tokenize(";", pos).IsEmpty());
    EXPECT_EQ(-1, pos);
}

TEST(StringTest, WidthConversionsRoundTrip)
{
    CStringW w(L"Hello \x00E9t\x00E9"); // é is in every ANSI code page Wine uses by default
    CString a(w);
    EXPECT_EQ(w.GetLength(), a.GetLength());
    CStringW back(a);
    EXPECT_TRUE(back == w);
    CString fromWidePtr(L"plain");
    EXPECT_STREQ("plain", fromWidePtr);
    CStringW fromNarrowPtr("plain");
    EXPECT_STREQ(L"plain", fromNarrowPtr);
    CString assigned;
    assigned = L"assigned";
    EXPECT_STREQ("assigned", assigned);
    CStringW wassigned;
    wassigned = "narrow";
    EXPECT_STREQ(L"narrow", wassigned);
    EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
}

TEST(StringTest, LoadStringOfMissingIdLeavesStringAndFails)
{
    CString s("keep");
    EXPECT_FALSE(s.LoadString(54321));
    EXPECT_STREQ("keep", s);
    CStringW w(L"keep");
    EXPECT_FALSE(w.LoadString(54321));
    EXPECT_STREQ(L"keep", w);
}

TEST(StringTest, LoadStringReadsWholeEntriesOfAModule)
{
    // The system's own string tables serve as data: every entry that user32 holds must come back
    // whole, in both widths.
    HMODULE user32 = GetModuleHandleA("user32.dll");
    ASSERT_NE(nullptr, user32);
    int found = 0;
    for (UINT id = 0; id < 2000; ++id)
    {
        const wchar_t* raw = nullptr;
        int n = LoadStringW(user32, id, reinterpret_cast<LPWSTR>(&raw), 0); // points into the resource
        if (n <= 0 || !raw)
            continue;
        ++found;
        CStringW w;
        ASSERT_TRUE(w.LoadString(user32, id)) << id;
        EXPECT_TRUE(w == CStringW(raw, n)) << id;
        CString a;
        ASSERT_TRUE(a.LoadString(user32, id)) << id;
        EXPECT_TRUE(a == CString(raw, n)) << id;
    }
    EXPECT_GT(found, 0);
}

TEST(StringTest, FormatMessageInsertsNumberedArguments)
{
    CString s;
    s.FormatMessage("%2 then %1", "first", "second");
    EXPECT_STREQ("second then first", s);
}
