// CString (8-bit, ANSI code page) and CStringW (UTF-16): value strings with the classic surface.
//
// The object is one pointer wide: it points at the characters, and a small header with the length and
// capacity lies just before them. Every string owns its buffer (copies are deep), an empty string
// points at a shared, read-only empty buffer. Conversion between the two widths goes through the ANSI
// code page (CP_ACP).
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstddef>
#include <type_traits>

// The module that string, dialog and bitmap resources are loaded from (the program by default).
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstance);

// Per-width primitives the string template is written in terms of.
template <typename C> struct FrameworkCharTraits;

template <> struct FrameworkCharTraits<char>
{
    static int Length(const char* s);
    // Number of characters the formatted text needs, or -1 for a bad format.
    static int FormatCount(const char* fmt, va_list args);
    static void FormatInto(char* dst, int count, const char* fmt, va_list args);
    static const char* FindString(const char* s, const char* sub);
    static const char* FindChar(const char* s, char ch);
    static int SpanIncluding(const char* s, const char* set);
    static int SpanExcluding(const char* s, const char* set);
    static int Compare(const char* a, const char* b);
    static int CompareNoCase(const char* a, const char* b);
    static int Collate(const char* a, const char* b);
    static int CollateNoCase(const char* a, const char* b);
    static void Upper(char* s, int n);
    static void Lower(char* s, int n);
    static bool IsSpace(char ch);
    static int LoadResourceString(HINSTANCE hInst, UINT id, char* buf, int size);
    static int FormatSystemMessage(const char* fmt, char** out, va_list* args);
};

template <> struct FrameworkCharTraits<wchar_t>
{
    static int Length(const wchar_t* s);
    static int FormatCount(const wchar_t* fmt, va_list args);
    static void FormatInto(wchar_t* dst, int count, const wchar_t* fmt, va_list args);
    static const wchar_t* FindString(const wchar_t* s, const wchar_t* sub);
    static const wchar_t* FindChar(const wchar_t* s, wchar_t ch);
    static int SpanIncluding(const wchar_t* s, const wchar_t* set);
    static int SpanExcluding(const wchar_t* s, const wchar_t* set);
    static int Compare(const wchar_t* a, const wchar_t* b);
    static int CompareNoCase(const wchar_t* a, const wchar_t* b);
    static int Collate(const wchar_t* a, const wchar_t* b);
    static int CollateNoCase(const wchar_t* a, const wchar_t* b);
    static void Upper(wchar_t* s, int n);
    static void Lower(wchar_t* s, int n);
    static bool IsSpace(wchar_t ch);
    static int LoadResourceString(HINSTANCE hInst, UINT id, wchar_t* buf, int size);
    static int FormatSystemMessage(const wchar_t* fmt, wchar_t** out, va_list* args);
};

// Formatting arguments pass through unchanged, except string objects (see the overloads after the
// string classes), which are handed over as their characters.
template <typename T> inline const T& QvxFormatArg(const T& value)
{
    static_assert(std::is_trivially_copyable<T>::value,
                  "this object cannot pass through a printf-style argument list; pass a pointer or value");
    return value;
}

// Buffer header placed in front of the characters.
struct FrameworkStringData
{
    int nLength;
    int nAlloc; // characters that fit, not counting the terminator; 0 for the shared empty buffer
};

// The shared implementation of both widths; Derived is the concrete string class (returned by value).
template <typename C, typename Derived> class CStringImpl
{
public:
    typedef C XCHAR;
    typedef const C* PCXSTR;
    typedef C* PXSTR;
    typedef FrameworkCharTraits<C> Traits;

    CStringImpl() noexcept;
    CStringImpl(const CStringImpl& src);
    CStringImpl(CStringImpl&& src) noexcept;
    // A null pointer gives an empty string; a resource id made with MAKEINTRESOURCE loads that string.
    CStringImpl(const C* psz);
    CStringImpl(const C* pch, int nLength);
    explicit CStringImpl(C ch, int nRepeat = 1);
    ~CStringImpl();

    Derived& operator=(const CStringImpl& src);
    Derived& operator=(CStringImpl&& src) noexcept;
    Derived& operator=(const C* psz);
    Derived& operator=(C ch);

    int GetLength() const noexcept { return Header()->nLength; }
    bool IsEmpty() const noexcept { return GetLength() == 0; }
    void Empty();
    operator const C*() const noexcept { return m_pszData; }
    const C* GetString() const noexcept { return m_pszData; }

    C GetAt(int nIndex) const;
    void SetAt(int nIndex, C ch);
    C operator[](int nIndex) const { return GetAt(nIndex); }

    // Direct buffer access: room for at least nMinBufLength characters plus the terminator.
    // ReleaseBuffer(-1) takes the length from the terminator; ReleaseBuffer(n) cuts at n.
    C* GetBuffer(int nMinBufLength);
    C* GetBuffer() { return GetBuffer(0); }
    void ReleaseBuffer(int nNewLength = -1);
    C* GetBufferSetLength(int nNewLength);
    void Preallocate(int nLength);
    void FreeExtra();
    C* LockBuffer() { return GetBuffer(0); }
    void UnlockBuffer() {}
    void Truncate(int nNewLength);

    // printf-style formatting (the C runtime's conventions: %s takes this width's strings).
    // The buffer is sized to the result, so no length is too long; a malformed format gives "".
    // String objects may be passed for %s directly (they are handed over as their characters);
    // other class objects cannot pass through and are refused at compile time.
    template <typename... Args> void Format(const C* pszFormat, const Args&... args)
    {
        FormatArgs(pszFormat, QvxFormatArg(args)...);
    }
    // The format is string resource nFormatID (empty result when it does not exist).
    template <typename... Args> void Format(UINT nFormatID, const Args&... args)
    {
        Derived fmt;
        if (fmt.LoadString(nFormatID))
            FormatArgs(fmt.GetString(), QvxFormatArg(args)...);
        else
            Empty();
    }
    template <typename... Args> void AppendFormat(const C* pszFormat, const Args&... args)
    {
        AppendFormatArgs(pszFormat, QvxFormatArg(args)...);
    }
    // Inserts %1, %2 ... arguments (FormatMessage conventions).
    template <typename... Args> void FormatMessage(const C* pszFormat, const Args&... args)
    {
        FormatMessageArgs(pszFormat, QvxFormatArg(args)...);
    }
    void FormatV(const C* pszFormat, va_list args);
    void AppendFormatV(const C* pszFormat, va_list args);
    // The C variadic forms behind the templates above (arguments already plain values).
    void FormatArgs(const C* pszFormat, ...);
    void AppendFormatArgs(const C* pszFormat, ...);
    void FormatMessageArgs(const C* pszFormat, ...);

    Derived Left(int nCount) const;
    Derived Mid(int iFirst) const;
    Derived Mid(int iFirst, int nCount) const;
    Derived Right(int nCount) const;
    Derived SpanIncluding(const C* pszCharSet) const;
    Derived SpanExcluding(const C* pszCharSet) const;

    int Find(C ch, int iStart = 0) const;
    int Find(const C* pszSub, int iStart = 0) const;
    int ReverseFind(C ch) const;
    int FindOneOf(const C* pszCharSet) const;

    int Replace(C chOld, C chNew);
    int Replace(const C* pszOld, const C* pszNew);
    int Remove(C chRemove);
    int Insert(int iIndex, C ch);
    int Insert(int iIndex, const C* psz);
    int Delete(int iIndex, int nCount = 1);

    Derived& Trim();
    Derived& Trim(C chTarget);
    Derived& Trim(const C* pszTargets);
    Derived& TrimLeft();
    Derived& TrimLeft(C chTarget);
    Derived& TrimLeft(const C* pszTargets);
    Derived& TrimRight();
    Derived& TrimRight(C chTarget);
    Derived& TrimRight(const C* pszTargets);

    Derived& MakeUpper();
    Derived& MakeLower();
    Derived& MakeReverse();

    int Compare(const C* psz) const;
    int CompareNoCase(const C* psz) const;
    int Collate(const C* psz) const;
    int CollateNoCase(const C* psz) const;

    // Loads string resource nID from AfxGetResourceHandle(); FALSE (string unchanged) when absent.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Token after iStart, skipping leading delimiters; iStart moves past the token's delimiter.
    // At the end the result is empty and iStart becomes -1.
    Derived Tokenize(const C* pszTokens, int& iStart) const;

    Derived& operator+=(const CStringImpl& s) { return Append(s.m_pszData, s.GetLength()); }
    Derived& operator+=(const C* psz) { return Append(psz, psz ? Traits::Length(psz) : 0); }
    Derived& operator+=(C ch) { return Append(&ch, 1); }
    Derived& Append(const C* pch, int nLength);
    Derived& Append(const C* psz) { return Append(psz, psz ? Traits::Length(psz) : 0); }
    Derived& AppendChar(C ch) { return Append(&ch, 1); }

    void SetString(const C* pch, int nLength);
    void SetString(const C* psz) { SetString(psz, psz ? Traits::Length(psz) : 0); }

protected:
    FrameworkStringData* Header() const noexcept
    {
        return reinterpret_cast<FrameworkStringData*>(const_cast<C*>(m_pszData)) - 1;
    }
    bool IsShared() const noexcept { return Header()->nAlloc == 0; }
    static C* EmptyBuffer() noexcept;
    // Makes room for nLength characters (keeping the first nKeep) and returns the buffer.
    C* Reserve(int nLength, int nKeep);
    void SetLengthInternal(int nLength);
    void Release() noexcept;
    Derived& Self() { return static_cast<Derived&>(*this); }

    C* m_pszData;
};

class CStringW;

class CString : public CStringImpl<char, CString>
{
public:
    using CStringImpl::CStringImpl;
    using CStringImpl::operator=;
    CString() noexcept = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;

    // From wide text through the ANSI code page.
    CString(const wchar_t* pwsz);
    CString(const wchar_t* pwch, int nLength);
    CString(const CStringW& s);
    CString& operator=(const wchar_t* pwsz);
    CString& operator=(const CStringW& s);
};

class CStringW : public CStringImpl<wchar_t, CStringW>
{
public:
    using CStringImpl::CStringImpl;
    using CStringImpl::operator=;
    CStringW() noexcept = default;
    CStringW(const CStringW&) = default;
    CStringW(CStringW&&) noexcept = default;
    CStringW& operator=(const CStringW&) = default;
    CStringW& operator=(CStringW&&) noexcept = default;

    // From ANSI text through the ANSI code page.
    CStringW(const char* psz);
    CStringW(const char* pch, int nLength);
    CStringW(const CString& s);
    CStringW& operator=(const char* psz);
    CStringW& operator=(const CString& s);
};

typedef CString CStringA;

inline const char* QvxFormatArg(const CString& value)
{
    return value.GetString();
}
inline const wchar_t* QvxFormatArg(const CStringW& value)
{
    return value.GetString();
}

extern template class CStringImpl<char, CString>;
extern template class CStringImpl<wchar_t, CStringW>;

// Concatenation and comparison, for each width.
#define QVX_STRING_OPERATORS(S, C)                                                                           \
    S operator+(const S& a, const S& b);                                                                     \
    S operator+(const S& a, const C* b);                                                                     \
    S operator+(const C* a, const S& b);                                                                     \
    S operator+(const S& a, C b);                                                                            \
    S operator+(C a, const S& b);                                                                            \
    bool operator==(const S& a, const S& b);                                                                 \
    bool operator==(const S& a, const C* b);                                                                 \
    bool operator==(const C* a, const S& b);                                                                 \
    bool operator!=(const S& a, const S& b);                                                                 \
    bool operator!=(const S& a, const C* b);                                                                 \
    bool operator!=(const C* a, const S& b);                                                                 \
    bool operator<(const S& a, const S& b);                                                                  \
    bool operator<(const S& a, const C* b);                                                                  \
    bool operator<(const C* a, const S& b);                                                                  \
    bool operator>(const S& a, const S& b);                                                                  \
    bool operator<=(const S& a, const S& b);                                                                 \
    bool operator>=(const S& a, const S& b);

QVX_STRING_OPERATORS(CString, char)
QVX_STRING_OPERATORS(CStringW, wchar_t)
#undef QVX_STRING_OPERATORS
