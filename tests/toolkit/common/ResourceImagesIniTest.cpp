// The theme table parser and the key hash, on byte buffers.
#include "toolkit/common/resources/XTPResourceImages.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
CXTPResourceImagesValueMap* Parse(const std::string& text, CXTPResourceImagesValueMap& map)
{
    CXTPResourceImages::ParseIni(text.data(), text.data() + text.size(), map);
    return &map;
}

CString Value(const CXTPResourceImagesValueMap& map, LPCSTR section, LPCSTR key)
{
    CString value;
    if (!map.Lookup(CXTPResourceImages::HashIniKey(section, key), value))
        return CString("<none>");
    return value;
}
} // namespace

TEST(ResourceImagesIni, HashIsTimes33OverUpperCasedSectionThenKey)
{
    // h = h * 33 + c over "AB" then "C": ((65 * 33) + 66) * 33 + 67
    EXPECT_EQ(static_cast<UINT>((65 * 33 + 66) * 33 + 67), CXTPResourceImages::HashIniKey("a", "bc"));
    EXPECT_EQ(CXTPResourceImages::HashIniKey("Toolbar", "MenuBarText"),
              CXTPResourceImages::HashIniKey("TOOLBAR", "menubartext"));
    EXPECT_EQ(0u, CXTPResourceImages::HashIniKey("", ""));
    // Only the concatenation counts.
    EXPECT_EQ(CXTPResourceImages::HashIniKey("AB", "C"), CXTPResourceImages::HashIniKey("A", "BC"));
}

TEST(ResourceImagesIni, LinesEndAtCrCrLfOrLfAndTheLastNeedsNoEnd)
{
    struct Case
    {
        const char* name;
        std::string text;
    } cases[] = {
        {"CRLF", "[S]\r\nA=1\r\nB=2\r\n"},
        {"CR", "[S]\rA=1\rB=2\r"},
        {"LF", "[S]\nA=1\nB=2\n"},
        {"no final end", "[S]\r\nA=1\r\nB=2"},
        {"LF, no final end", "[S]\nA=1\nB=2"},
        {"mixed", "[S]\nA=1\r\nB=2"},
    };
    for (const Case& c : cases)
    {
        CXTPResourceImagesValueMap map;
        Parse(c.text, map);
        EXPECT_EQ(2, map.GetCount()) << c.name;
        EXPECT_STREQ("1", Value(map, "S", "A")) << c.name;
        EXPECT_STREQ("2", Value(map, "S", "B")) << c.name;
    }
}

TEST(ResourceImagesIni, SectionsCommentsBlanksAndSeparators)
{
    CXTPResourceImagesValueMap map;
    Parse("Early=1\r\n"                 // before any section: ignored
          "  [ Toolbar ]  \r\n"          // trimmed, then the brackets cut off
          "; a comment line\r\n"
          "   ;Indented=3\r\n"
          "Face = 1 2 3\r\n"
          "Note=5 ; the rest is a comment\r\n"
          "=7\r\n"                       // "=" must follow the first character
          "NoSeparator\r\n"
          "\tSpaced\t=\t  x y  \r\n"
          "[Other]\r\n"
          "Face=9\r\n"
          "Face=10\r\n",                 // a later value replaces the earlier one
          map);
    EXPECT_STREQ("<none>", Value(map, "", "Early"));
    EXPECT_STREQ("1 2 3", Value(map, " Toolbar ", "Face"));
    EXPECT_STREQ("5", Value(map, " Toolbar ", "Note"));
    EXPECT_STREQ("<none>", Value(map, " Toolbar ", ";Indented"));
    EXPECT_STREQ("x y", Value(map, " Toolbar ", "Spaced"));
    EXPECT_STREQ("10", Value(map, "Other", "Face"));
    EXPECT_EQ(4, map.GetCount());
}

TEST(ResourceImagesIni, KeysWithOneHashAreOneEntry)
{
    // "AB" and "B!" hash alike: 65 * 33 + 66 == 66 * 33 + 33.
    ASSERT_EQ(CXTPResourceImages::HashIniKey("S", "AB"), CXTPResourceImages::HashIniKey("S", "B!"));
    CXTPResourceImagesValueMap map;
    Parse("[S]\nAB=first\nB!=second\n", map);
    EXPECT_EQ(1, map.GetCount());
    EXPECT_STREQ("second", Value(map, "S", "AB"));
}

TEST(ResourceImagesIni, EmptyAndDegenerateTextGiveNothing)
{
    const char* texts[] = {"", "\r\n\r\n", ";only\n", "[", "[]\n=\n", "no section=1"};
    for (const char* text : texts)
    {
        CXTPResourceImagesValueMap map;
        Parse(text, map);
        EXPECT_EQ(0, map.GetCount()) << text;
    }
    CXTPResourceImagesValueMap map;
    CXTPResourceImages::ParseIni(nullptr, nullptr, map);
    EXPECT_EQ(0, map.GetCount());
}
