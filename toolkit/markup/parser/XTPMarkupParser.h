// CXTPMarkupParser: the XML tokenizer of the markup. It reads an 8-bit text range, decodes it to
// UTF-16 with a code page (the ANSI one, or UTF-8 once the builder has seen encoding="utf-8") and
// hands out one token at a time: tags, attributes, text, whitespace, the pieces of comments, CDATA
// sections and processing instructions, the end of input, or an error with its message. It keeps
// the line and position counters for the builder's messages and builds nothing.
//
// Counting: every character decoded from the input advances the position by one; CR and LF each
// start a new line at position 0 (so CR LF counts as two lines). A character given back to the
// input (at most one) is not counted again when it is read the second time.
//
// Every read stays inside the range: a multi-byte sequence (UTF-8 or a DBCS lead and trail byte)
// that the end of the range cuts ends the input.
#pragma once

#include <windows.h>

#include <string>

class CXTPMarkupParser
{
public:
    enum TokenType
    {
        tokenEof,
        tokenError,
        tokenTagStart,
        tokenTagEnd,
        tokenAttribute,
        tokenText,
        tokenWhiteSpace,
        tokenData,
        tokenCommentStart,
        tokenCommentEnd,
        tokenCDataStart,
        tokenCDataEnd,
        tokenInstructionStart,
        tokenInstructionEnd,
    };

    enum
    {
        nMaxNameLength = 127, // tag and attribute names keep at most this many characters
        nMaxDataLength = 1023, // a data token holds at most this many characters
        nMaxEntityLength = 31, // an entity name longer than this is not an entity
    };

    CXTPMarkupParser();
    virtual ~CXTPMarkupParser();

    // The bytes from lpszBegin up to lpszEnd are the input; the range must outlive the parse.
    void SetBuffer(LPCSTR lpszBegin, LPCSTR lpszEnd);
    LPCSTR GetBufferBegin() const { return m_pBegin; }
    LPCSTR GetBufferEnd() const { return m_pEnd; }

    TokenType NextToken();

    LPCWSTR GetTagName() const { return m_strTagName.c_str(); }
    LPCWSTR GetAttributeName() const { return m_strAttributeName.c_str(); }
    LPCWSTR GetValue() const { return m_strValue.c_str(); }
    int GetValueLength() const { return (int)m_strValue.size(); }
    int GetLine() const { return m_nLine; }
    int GetPosition() const { return m_nPosition; }

    // 65001 switches to UTF-8; 0 (the start) is the ANSI code page.
    void SetCodePage(UINT nCodePage) { m_nCodePage = nCodePage; }
    UINT GetCodePage() const { return m_nCodePage; }
    // The ANSI code page the parser decodes with (GetACP() at construction); tests set a multi-byte
    // one (932) to reach the lead-byte path on systems whose own is single-byte.
    void SetAnsiCodePage(UINT nCodePage) { m_nAnsiCodePage = nCodePage; }

    // "&#65;", "&#x41;": the character of a numeric reference, or 0 when the name is none.
    virtual WCHAR ResolveCharReference(LPCWSTR lpszName, int nLength);

private:
    enum ScanState
    {
        stateContent,
        stateTag,
        stateComment,
        stateCData,
        stateInstruction,
    };

    WCHAR GetChar();
    WCHAR DecodeChar();
    void PushBack(WCHAR ch) { m_chPushBack = ch; }
    static bool IsWhiteSpace(WCHAR ch);
    // Reads an entity after '&' and appends what it stands for to the value. FALSE when the input
    // ended inside it.
    BOOL ReadEntity();
    TokenType Error(LPCWSTR lpszMessage);

    TokenType ScanContent();
    TokenType ScanTagOpening();
    TokenType ScanTag();
    TokenType ScanMarked(LPCWSTR lpszMarker, TokenType nEndToken, bool bKeepWhiteSpace);

    ScanState m_nState;
    std::wstring m_strValue;
    std::wstring m_strTagName;
    std::wstring m_strAttributeName;
    WCHAR m_chPushBack;
    BOOL m_bMarkerReached;
    int m_nLine;
    int m_nPosition;
    LPCSTR m_pBegin;
    LPCSTR m_pCursor;
    LPCSTR m_pEnd;
    UINT m_nCodePage;
    UINT m_nAnsiCodePage;
};
