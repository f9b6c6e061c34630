#include "toolkit/markup/parser/XTPMarkupParser.h"

#include <cwchar>

CXTPMarkupParser::CXTPMarkupParser()
    : m_nState(stateContent), m_chPushBack(0), m_bMarkerReached(FALSE), m_nLine(0), m_nPosition(0),
      m_pBegin(nullptr), m_pCursor(nullptr), m_pEnd(nullptr), m_nCodePage(0), m_nAnsiCodePage(::GetACP())
{
    m_strValue.reserve(1024);
}

CXTPMarkupParser::~CXTPMarkupParser() {}

void CXTPMarkupParser::SetBuffer(LPCSTR lpszBegin, LPCSTR lpszEnd)
{
    m_pBegin = m_pCursor = lpszBegin;
    m_pEnd = lpszBegin ? lpszEnd : nullptr;
}

bool CXTPMarkupParser::IsWhiteSpace(WCHAR ch)
{
    return ch == L'\t' || ch == L'\n' || ch == L'\f' || ch == L'\r' || ch == L' ';
}

WCHAR CXTPMarkupParser::DecodeChar()
{
    if (!m_pCursor || m_pCursor >= m_pEnd)
        return 0;
    BYTE b0 = (BYTE)*m_pCursor;
    if (b0 < 0x80)
    {
        m_pCursor++;
        return b0;
    }
    size_t nLeft = (size_t)(m_pEnd - m_pCursor);
    if (m_nCodePage == CP_UTF8)
    {
        size_t nBytes = (b0 >= 0xC0 && b0 <= 0xDF) ? 2 : (b0 >= 0xE0 && b0 <= 0xEF) ? 3 : 0;
        if (nBytes == 0 || nBytes > nLeft)
        {
            // A lone continuation byte, a four-byte lead or a sequence the range cuts: the end.
            m_pCursor = m_pEnd;
            return 0;
        }
        const BYTE* p = (const BYTE*)m_pCursor;
        m_pCursor += nBytes;
        if (nBytes == 2)
            return (WCHAR)(((b0 & 0x1F) << 6) | (p[1] & 0x3F));
        return (WCHAR)(((b0 & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
    }

    CPINFO info;
    bool bMultiByte = ::GetCPInfo(m_nAnsiCodePage, &info) && info.MaxCharSize > 1;
    int nBytes = 1;
    if (bMultiByte && ::IsDBCSLeadByteEx(m_nAnsiCodePage, b0))
    {
        if (nLeft < 2)
        {
            m_pCursor = m_pEnd; // a lead byte without its trail byte
            return 0;
        }
        nBytes = 2;
    }
    WCHAR ch = 0;
    if (::MultiByteToWideChar(m_nAnsiCodePage, 0, m_pCursor, nBytes, &ch, 1) != 1)
        ch = L'?';
    m_pCursor += nBytes;
    return ch;
}

WCHAR CXTPMarkupParser::GetChar()
{
    if (m_chPushBack)
    {
        WCHAR ch = m_chPushBack;
        m_chPushBack = 0;
        return ch; // counted when it was first read
    }
    WCHAR ch = DecodeChar();
    if (!ch)
        return 0;
    if (ch == L'\r' || ch == L'\n')
    {
        m_nLine++;
        m_nPosition = 0;
    }
    else
        m_nPosition++;
    return ch;
}

CXTPMarkupParser::TokenType CXTPMarkupParser::Error(LPCWSTR lpszMessage)
{
    m_strValue = lpszMessage;
    return tokenError;
}

WCHAR CXTPMarkupParser::ResolveCharReference(LPCWSTR lpszName, int nLength)
{
    if (nLength < 2 || lpszName[0] != L'#')
        return 0;
    std::wstring strName(lpszName, nLength);
    unsigned int nValue = 0;
    int nRead;
    if (nLength > 2 && strName[1] == L'x')
        nRead = swscanf(strName.c_str() + 2, L"%x", &nValue);
    else
    {
        int nSigned = 0;
        nRead = swscanf(strName.c_str() + 1, L"%i", &nSigned);
        nValue = (unsigned int)nSigned;
    }
    if (nRead != 1)
        return 0;
    return (WCHAR)(nValue & 0xFFFF);
}

BOOL CXTPMarkupParser::ReadEntity()
{
    std::wstring strName;
    for (;;)
    {
        WCHAR ch = GetChar();
        if (!ch)
        {
            m_strValue += L'&';
            m_strValue += strName;
            return FALSE;
        }
        if (ch == L';')
            break;
        if ((int)strName.size() == nMaxEntityLength)
        {
            // Too long for an entity: the '&' and what was read stay as text.
            PushBack(ch);
            m_strValue += L'&';
            m_strValue += strName;
            return TRUE;
        }
        strName += ch;
    }

    static const struct
    {
        const wchar_t* lpszName;
        wchar_t ch;
    } named[] = {{L"gt", L'>'}, {L"lt", L'<'}, {L"amp", L'&'}, {L"apos", L'\''}, {L"quot", L'"'}};
    for (const auto& entity : named)
    {
        if (strName == entity.lpszName)
        {
            m_strValue += entity.ch;
            return TRUE;
        }
    }
    WCHAR ch = ResolveCharReference(strName.c_str(), (int)strName.size());
    if (ch)
        m_strValue += ch;
    else
    {
        m_strValue += L'&';
        m_strValue += strName;
        m_strValue += L';';
    }
    return TRUE;
}

CXTPMarkupParser::TokenType CXTPMarkupParser::NextToken()
{
    switch (m_nState)
    {
    case stateTag:
        return ScanTag();
    case stateComment:
        return ScanMarked(L"-->", tokenCommentEnd, true);
    case stateCData:
        return ScanMarked(L"]]>", tokenCDataEnd, true);
    case stateInstruction:
        return ScanMarked(L"?>", tokenInstructionEnd, false);
    default:
        return ScanContent();
    }
}

CXTPMarkupParser::TokenType CXTPMarkupParser::ScanContent()
{
    m_strValue.clear();
    WCHAR ch = GetChar();
    if (!ch)
        return tokenEof;
    if (ch == L'<')
        return ScanTagOpening();

    bool bWhiteSpace = IsWhiteSpace(ch);
    if (ch == L'&')
    {
        if (!ReadEntity())
            return tokenText;
    }
    else
        m_strValue += ch;

    for (;;)
    {
        ch = GetChar();
        if (!ch)
            break;
        if (ch == L'<' || ch == L'&' || IsWhiteSpace(ch) != bWhiteSpace)
        {
            PushBack(ch);
            break;
        }
        m_strValue += ch;
    }
    return bWhiteSpace ? tokenWhiteSpace : tokenText;
}

CXTPMarkupParser::TokenType CXTPMarkupParser::ScanTagOpening()
{
    static const wchar_t kEndOfFile[] = L"Unexpected end of file has occurred.";
    WCHAR ch = GetChar();
    if (ch == L'?')
    {
        m_nState = stateInstruction;
        m_bMarkerReached = FALSE;
        return tokenInstructionStart;
    }
    bool bEndTag = false;
    if (ch == L'/')
    {
        bEndTag = true;
        ch = GetChar();
    }

    std::wstring strName;
    for (;;)
    {
        if (!ch)
            return Error(kEndOfFile);
        if (IsWhiteSpace(ch))
        {
            do
                ch = GetChar();
            while (IsWhiteSpace(ch));
            if (!ch)
                return Error(kEndOfFile);
            break;
        }
        if (ch == L'/' || ch == L'>')
            break;
        if ((int)strName.size() < nMaxNameLength)
            strName += ch;
        if (!bEndTag && strName == L"!--")
        {
            m_nState = stateComment;
            m_bMarkerReached = FALSE;
            return tokenCommentStart;
        }
        if (!bEndTag && strName == L"![CDATA[")
        {
            m_nState = stateCData;
            m_bMarkerReached = FALSE;
            return tokenCDataStart;
        }
        ch = GetChar();
    }

    m_strTagName = strName;
    if (bEndTag)
    {
        if (ch != L'>')
            return Error(L"Unexpected token. The expected token is '>'");
        return tokenTagEnd;
    }
    PushBack(ch);
    m_nState = stateTag;
    return tokenTagStart;
}

CXTPMarkupParser::TokenType CXTPMarkupParser::ScanTag()
{
    static const wchar_t kExpectedQuote[] = L"Unexpected token. The expected token is '\"' or '''";
    WCHAR ch;
    do
        ch = GetChar();
    while (IsWhiteSpace(ch));
    if (!ch)
        return tokenEof;
    if (ch == L'>')
    {
        m_nState = stateContent;
        return ScanContent();
    }
    if (ch == L'/')
    {
        if (GetChar() == L'>')
        {
            m_nState = stateContent;
            return tokenTagEnd;
        }
        return Error(L"Unexpected token. The expected token is '>'");
    }

    m_strAttributeName.clear();
    for (;;)
    {
        if (!ch)
            return tokenEof;
        if (ch == L'=')
            break;
        if (ch == L'>')
            return Error(L"'>' is an unexpected token. The expected token is '='");
        if (ch == L'<')
            return Error(L"'<' is an unexpected token. The expected token is '='");
        if (IsWhiteSpace(ch))
        {
            do
                ch = GetChar();
            while (IsWhiteSpace(ch));
            if (ch == L'=')
                break;
            return Error(L"Unexpected token. The expected token is '='");
        }
        if ((int)m_strAttributeName.size() < nMaxNameLength)
            m_strAttributeName += ch;
        ch = GetChar();
    }

    do
        ch = GetChar();
    while (IsWhiteSpace(ch));
    if (ch != L'"' && ch != L'\'')
        return Error(kExpectedQuote);
    WCHAR chQuote = ch;
    m_strValue.clear();
    for (;;)
    {
        ch = GetChar();
        if (!ch)
            return Error(kExpectedQuote);
        if (ch == chQuote)
            break;
        if (ch == L'&')
        {
            if (!ReadEntity())
                return Error(kExpectedQuote);
            continue;
        }
        m_strValue += ch;
    }
    return tokenAttribute;
}

CXTPMarkupParser::TokenType CXTPMarkupParser::ScanMarked(LPCWSTR lpszMarker, TokenType nEndToken,
                                                         bool bKeepWhiteSpace)
{
    if (m_bMarkerReached)
    {
        m_bMarkerReached = FALSE;
        m_nState = stateContent;
        return nEndToken;
    }
    m_strValue.clear();
    size_t nMarker = wcslen(lpszMarker);
    for (;;)
    {
        WCHAR ch = GetChar();
        if (!ch)
            return tokenEof;
        if (!bKeepWhiteSpace && IsWhiteSpace(ch))
            continue;
        m_strValue += ch;
        if (m_strValue.size() >= nMarker && m_strValue.compare(m_strValue.size() - nMarker, nMarker, lpszMarker) == 0)
        {
            m_strValue.erase(m_strValue.size() - nMarker);
            m_bMarkerReached = TRUE;
            return tokenData;
        }
        if ((int)m_strValue.size() >= nMaxDataLength)
            return tokenData;
    }
}
