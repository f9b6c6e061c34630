// The tokenizer alone: token sequences of small inputs, names and data cut to their limits, entities,
// code pages, line counting, and reads that must stop at the end of the range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MarkupTestSupport.h"

namespace
{
// Every token of the input as one short text: "<Name", "attr=value", "/Name", "text:...", "ws",
// "data:...", "comment{", "}comment", "cdata{", "}cdata", "pi{", "}pi", "error:...".
std::vector<std::string> Tokens(CXTPMarkupParser& parser)
{
    std::vector<std::string> arr;
    for (int i = 0; i < 100000; i++)
    {
        switch (parser.NextToken())
        {
        case CXTPMarkupParser::tokenEof:
            return arr;
        case CXTPMarkupParser::tokenError:
            arr.push_back("error:" + NarrowText(parser.GetValue()));
            return arr;
        case CXTPMarkupParser::tokenTagStart:
            arr.push_back("<" + NarrowText(parser.GetTagName()));
            break;
        case CXTPMarkupParser::tokenTagEnd:
            arr.push_back("/" + NarrowText(parser.GetTagName()));
            break;
        case CXTPMarkupParser::tokenAttribute:
            arr.push_back(NarrowText(parser.GetAttributeName()) + "=" + NarrowText(parser.GetValue()));
            break;
        case CXTPMarkupParser::tokenText:
            arr.push_back("text:" + NarrowText(parser.GetValue()));
            break;
        case CXTPMarkupParser::tokenWhiteSpace:
            arr.push_back("ws");
            break;
        case CXTPMarkupParser::tokenData:
            arr.push_back("data:" + NarrowText(parser.GetValue()));
            break;
        case CXTPMarkupParser::tokenCommentStart:
            arr.push_back("comment{");
            break;
        case CXTPMarkupParser::tokenCommentEnd:
            arr.push_back("}comment");
            break;
        case CXTPMarkupParser::tokenCDataStart:
            arr.push_back("cdata{");
            break;
        case CXTPMarkupParser::tokenCDataEnd:
            arr.push_back("}cdata");
            break;
        case CXTPMarkupParser::tokenInstructionStart:
            arr.push_back("pi{");
            break;
        case CXTPMarkupParser::tokenInstructionEnd:
            arr.push_back("}pi");
            break;
        }
    }
    ADD_FAILURE() << "the tokenizer never reached the end";
    return arr;
}

std::vector<std::string> Tokens(const std::string& strText, UINT nCodePage = 0)
{
    CXTPMarkupParser parser;
    parser.SetBuffer(strText.data(), strText.data() + strText.size());
    parser.SetCodePage(nCodePage);
    return Tokens(parser);
}

std::string Join(const std::vector<std::string>& arr)
{
    std::string str;
    for (const std::string& s : arr)
        str += (str.empty() ? "" : " | ") + s;
    return str;
}

struct TokenCase
{
    const char* lpszName;
    std::string strInput;
    std::string strTokens;
};

class MarkupParserTokens : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(MarkupParserTokens, GivesTheTokens)
{
    EXPECT_EQ(GetParam().strTokens, Join(Tokens(GetParam().strInput)));
}

const TokenCase g_tokenCases[] = {
    {"EntityBetweenWords", "<T>a &amp; b</T>", "<T | text:a | ws | text:& | ws | text:b | /T"},
    {"DecimalReference", "<T>&#65;</T>", "<T | text:A | /T"},
    {"HexReference", "<T>&#x41;</T>", "<T | text:A | /T"},
    {"UnknownEntityStays", "<T>&foo;</T>", "<T | text:&foo; | /T"},
    {"NamedEntities", "<T>&lt;&gt;&apos;&quot;</T>", "<T | text:< | text:> | text:' | text:\" | /T"},
    {"EntityNamesKeepCase", "<T>&AMP;</T>", "<T | text:&AMP; | /T"},
    {"ZeroReferenceStays", "<T>&#0;</T>", "<T | text:&#0; | /T"},
    {"EntityOfMoreThan31CharactersIsText", "<T>&" + std::string(40, 'e') + "</T>",
     "<T | text:&" + std::string(40, 'e') + " | /T"},
    {"EntityInAttribute", "<T a='x&amp;y'/>", "<T | a=x&y | /T"},
    {"DoubleQuotesInsideSingle", "<T a='say \"hi\"'/>", "<T | a=say \"hi\" | /T"},
    {"SingleQuoteInsideDouble", "<T a=\"it's\"/>", "<T | a=it's | /T"},
    {"LineBreakAndTagCharactersInValue", "<T a='1\n<2>'/>", "<T | a=1\n<2> | /T"},
    {"BlanksAroundEquals", "<T a = 'v' >x</T >", "<T | a=v | text:x | /T"},
    {"InstructionDataWithoutBlanks", "<?xml version=\"1.0\" encoding=\"utf-8\"?><T/>",
     "pi{ | data:xmlversion=\"1.0\"encoding=\"utf-8\" | }pi | <T | /T"},
    {"CommentPieces", "<!-- a b --><T/>", "comment{ | data: a b  | }comment | <T | /T"},
    {"CDataPieces", "<T><![CDATA[x<y]]></T>", "<T | cdata{ | data:x<y | }cdata | /T"},
    {"EndTagWithoutClose", "<T></T x>", "<T | error:Unexpected token. The expected token is '>'"},
    {"SlashWithoutClose", "<T /x>", "<T | error:Unexpected token. The expected token is '>'"},
    {"AttributeWithoutEqualsBeforeClose", "<T a>", "<T | error:'>' is an unexpected token. The expected token is '='"},
    {"AttributeWithoutEqualsBeforeOpen", "<T a<", "<T | error:'<' is an unexpected token. The expected token is '='"},
    {"TwoWordsWithoutEquals", "<T a b='1'>", "<T | error:Unexpected token. The expected token is '='"},
    {"ValueWithoutQuote", "<T a=1>", "<T | error:Unexpected token. The expected token is '\"' or '''"},
    {"ValueNotClosed", "<T a='1", "<T | error:Unexpected token. The expected token is '\"' or '''"},
    {"EndOfInputInName", "<Tag", "error:Unexpected end of file has occurred."},
    {"EndOfInputAfterNameBlank", "<Tag  ", "error:Unexpected end of file has occurred."},
    {"EndOfInputInAttributeName", "<T ab", "<T"},
};

INSTANTIATE_TEST_SUITE_P(Table, MarkupParserTokens, ::testing::ValuesIn(g_tokenCases),
                         [](const ::testing::TestParamInfo<TokenCase>& param) { return param.param.lpszName; });

TEST(MarkupParser, TagAndAttributeNamesKeep127Characters)
{
    std::string strName(200, 'N');
    std::vector<std::string> arr = Tokens("<" + strName + " " + strName + "='v'/>");
    ASSERT_EQ(3u, arr.size());
    EXPECT_EQ("<" + std::string(127, 'N'), arr[0]);
    EXPECT_EQ(std::string(127, 'N') + "=v", arr[1]);
}

TEST(MarkupParser, LongCommentComesIn1023CharacterPieces)
{
    std::vector<std::string> arr = Tokens("<!--" + std::string(3000, 'c') + "--><T/>");
    ASSERT_EQ(7u, arr.size());
    EXPECT_EQ("comment{", arr[0]);
    EXPECT_EQ(5u + 1023, arr[1].size());
    EXPECT_EQ(5u + 1023, arr[2].size());
    EXPECT_EQ(5u + 954, arr[3].size());
    EXPECT_EQ("}comment", arr[4]);
}

TEST(MarkupParser, CrLfCountsAsTwoLinesAndPositionsRestart)
{
    std::string strText = "<T>\r\nab";
    CXTPMarkupParser parser;
    parser.SetBuffer(strText.data(), strText.data() + strText.size());
    EXPECT_EQ(CXTPMarkupParser::tokenTagStart, parser.NextToken());
    EXPECT_EQ(0, parser.GetLine());
    EXPECT_EQ(CXTPMarkupParser::tokenWhiteSpace, parser.NextToken());
    // The 'a' that ended the blank run was read and given back: counted once.
    EXPECT_EQ(2, parser.GetLine());
    EXPECT_EQ(1, parser.GetPosition());
    EXPECT_EQ(CXTPMarkupParser::tokenText, parser.NextToken());
    EXPECT_EQ(2, parser.GetLine());
    EXPECT_EQ(2, parser.GetPosition());
}

TEST(MarkupParser, Utf8ThreeByteSequence)
{
    EXPECT_EQ("<T | text:\\u20AC | /T", Join(Tokens("<T>\xE2\x82\xAC</T>", CP_UTF8)));
    EXPECT_EQ("<T | text:\\u00E9 | /T", Join(Tokens("<T>\xC3\xA9</T>", CP_UTF8)));
}

TEST(MarkupParser, Utf8FourByteLeadEndsTheInput)
{
    EXPECT_EQ("<T | text:a", Join(Tokens("<T>a\xF0\x9F\x98\x80</T>", CP_UTF8)));
    EXPECT_EQ("<T | text:a", Join(Tokens("<T>a\x82</T>", CP_UTF8)));
}

// Bytes placed at the very end of a readable page, with a page that faults right after it.
class GuardedBytes
{
public:
    explicit GuardedBytes(const std::string& strBytes)
    {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        m_nPage = info.dwPageSize;
        m_pBase = (char*)::VirtualAlloc(nullptr, 2 * m_nPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        DWORD dwOld;
        ::VirtualProtect(m_pBase + m_nPage, m_nPage, PAGE_NOACCESS, &dwOld);
        m_pBegin = m_pBase + m_nPage - strBytes.size();
        memcpy(m_pBegin, strBytes.data(), strBytes.size());
    }
    ~GuardedBytes() { ::VirtualFree(m_pBase, 0, MEM_RELEASE); }
    const char* Begin() const { return m_pBegin; }
    const char* End() const { return m_pBase + m_nPage; }

private:
    DWORD m_nPage;
    char* m_pBase;
    char* m_pBegin;
};

TEST(MarkupParser, Utf8SequenceCutByThePageEndEndsTheInput)
{
    GuardedBytes bytes("<T>ab\xE2\x82");
    CXTPMarkupParser parser;
    parser.SetBuffer(bytes.Begin(), bytes.End());
    parser.SetCodePage(CP_UTF8);
    EXPECT_EQ("<T | text:ab", Join(Tokens(parser)));
}

TEST(MarkupParser, DoubleByteCodePage)
{
    std::string strText = "<T>\x82\xA0</T>";
    CXTPMarkupParser parser;
    parser.SetAnsiCodePage(932);
    parser.SetBuffer(strText.data(), strText.data() + strText.size());
    EXPECT_EQ("<T | text:\\u3042 | /T", Join(Tokens(parser)));
}

TEST(MarkupParser, DoubleByteLeadByteLastEndsTheInput)
{
    GuardedBytes bytes("<T>a\x82");
    CXTPMarkupParser parser;
    parser.SetAnsiCodePage(932);
    parser.SetBuffer(bytes.Begin(), bytes.End());
    EXPECT_EQ("<T | text:a", Join(Tokens(parser)));
}

TEST(MarkupParser, SingleByteHighCharacterUsesTheCodePage)
{
    std::string strText = "<T>\xE9</T>";
    CXTPMarkupParser parser;
    parser.SetAnsiCodePage(1252);
    parser.SetBuffer(strText.data(), strText.data() + strText.size());
    EXPECT_EQ("<T | text:\\u00E9 | /T", Join(Tokens(parser)));
}
} // namespace
