#include "framework/FrameworkString.h"

#include "framework/WinApp.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <new>
#include <utility>

namespace
{
HINSTANCE g_resourceHandle = nullptr;

// One shared empty buffer per width: header {0, 0} and a terminator. Never written.
struct EmptyNarrow
{
    FrameworkStringData header;
    char text[sizeof(void*)];
};
struct EmptyWide
{
    FrameworkStringData header;
    wchar_t text[sizeof(void*)];
};
EmptyNarrow g_emptyNarrow = {{0, 0}, {0}};
EmptyWide g_emptyWide = {{0, 0}, {0}};

template <typename C> C* SharedEmpty();
template <> char* SharedEmpty<char>()
{
    return g_emptyNarrow.text;
}
template <> wchar_t* SharedEmpty<wchar_t>()
{
    return g_emptyWide.text;
}

// Converts between the widths through the ANSI code page; returns the converted length.
int WideToAnsi(const wchar_t* src, int n, CString& out)
{
    if (!src || n <= 0)
    {
        out.Empty();
        return 0;
    }
    int need = WideCharToMultiByte(CP_ACP, 0, src, n, nullptr, 0, nullptr, nullptr);
    char* p = out.GetBuffer(need);
    WideCharToMultiByte(CP_ACP, 0, src, n, p, need, nullptr, nullptr);
    out.ReleaseBuffer(need);
    return need;
}

int AnsiToWide(const char* src, int n, CStringW& out)
{
    if (!src || n <= 0)
    {
        out.Empty();
        return 0;
    }
    int need = MultiByteToWideChar(CP_ACP, 0, src, n, nullptr, 0);
    wchar_t* p = out.GetBuffer(need);
    MultiByteToWideChar(CP_ACP, 0, src, n, p, need);
    out.ReleaseBuffer(need);
    return need;
}
} // namespace

HINSTANCE AfxGetResourceHandle()
{
    return g_resourceHandle ? g_resourceHandle : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstance)
{
    g_resourceHandle = hInstance;
}

// ---- per-width primitives ----

int FrameworkCharTraits<char>::Length(const char* s)
{
    return s ? static_cast<int>(std::strlen(s)) : 0;
}
int FrameworkCharTraits<char>::FormatCount(const char* fmt, va_list args)
{
    return _vscprintf(fmt, args);
}
void FrameworkCharTraits<char>::FormatInto(char* dst, int count, const char* fmt, va_list args)
{
    _vsnprintf(dst, static_cast<size_t>(count) + 1, fmt, args);
    dst[count] = 0;
}
const char* FrameworkCharTraits<char>::FindString(const char* s, const char* sub)
{
    return std::strstr(s, sub);
}
const char* FrameworkCharTraits<char>::FindChar(const char* s, char ch)
{
    return std::strchr(s, ch);
}
int FrameworkCharTraits<char>::SpanIncluding(const char* s, const char* set)
{
    return static_cast<int>(std::strspn(s, set));
}
int FrameworkCharTraits<char>::SpanExcluding(const char* s, const char* set)
{
    return static_cast<int>(std::strcspn(s, set));
}
int FrameworkCharTraits<char>::Compare(const char* a, const char* b)
{
    return std::strcmp(a, b);
}
int FrameworkCharTraits<char>::CompareNoCase(const char* a, const char* b)
{
    return _stricmp(a, b);
}
int FrameworkCharTraits<char>::Collate(const char* a, const char* b)
{
    return std::strcoll(a, b);
}
int FrameworkCharTraits<char>::CollateNoCase(const char* a, const char* b)
{
    return _stricoll(a, b);
}
void FrameworkCharTraits<char>::Upper(char* s, int n)
{
    if (n > 0)
        CharUpperBuffA(s, static_cast<DWORD>(n));
}
void FrameworkCharTraits<char>::Lower(char* s, int n)
{
    if (n > 0)
        CharLowerBuffA(s, static_cast<DWORD>(n));
}
bool FrameworkCharTraits<char>::IsSpace(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}
int FrameworkCharTraits<char>::LoadResourceString(HINSTANCE hInst, UINT id, char* buf, int size)
{
    return LoadStringA(hInst, id, buf, size);
}
int FrameworkCharTraits<char>::FormatSystemMessage(const char* fmt, char** out, va_list* args)
{
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, fmt, 0, 0,
                             reinterpret_cast<LPSTR>(out), 0, args);
    return static_cast<int>(n);
}

int FrameworkCharTraits<wchar_t>::Length(const wchar_t* s)
{
    return s ? static_cast<int>(std::wcslen(s)) : 0;
}
int FrameworkCharTraits<wchar_t>::FormatCount(const wchar_t* fmt, va_list args)
{
    return _vscwprintf(fmt, args);
}
void FrameworkCharTraits<wchar_t>::FormatInto(wchar_t* dst, int count, const wchar_t* fmt, va_list args)
{
    _vsnwprintf(dst, static_cast<size_t>(count) + 1, fmt, args);
    dst[count] = 0;
}
const wchar_t* FrameworkCharTraits<wchar_t>::FindString(const wchar_t* s, const wchar_t* sub)
{
    return std::wcsstr(s, sub);
}
const wchar_t* FrameworkCharTraits<wchar_t>::FindChar(const wchar_t* s, wchar_t ch)
{
    return std::wcschr(s, ch);
}
int FrameworkCharTraits<wchar_t>::SpanIncluding(const wchar_t* s, const wchar_t* set)
{
    return static_cast<int>(std::wcsspn(s, set));
}
int FrameworkCharTraits<wchar_t>::SpanExcluding(const wchar_t* s, const wchar_t* set)
{
    return static_cast<int>(std::wcscspn(s, set));
}
int FrameworkCharTraits<wchar_t>::Compare(const wchar_t* a, const wchar_t* b)
{
    return std::wcscmp(a, b);
}
int FrameworkCharTraits<wchar_t>::CompareNoCase(const wchar_t* a, const wchar_t* b)
{
    return _wcsicmp(a, b);
}
int FrameworkCharTraits<wchar_t>::Collate(const wchar_t* a, const wchar_t* b)
{
    return std::wcscoll(a, b);
}
int FrameworkCharTraits<wchar_t>::CollateNoCase(const wchar_t* a, const wchar_t* b)
{
    return _wcsicoll(a, b);
}
void FrameworkCharTraits<wchar_t>::Upper(wchar_t* s, int n)
{
    if (n > 0)
        CharUpperBuffW(s, static_cast<DWORD>(n));
}
void FrameworkCharTraits<wchar_t>::Lower(wchar_t* s, int n)
{
    if (n > 0)
        CharLowerBuffW(s, static_cast<DWORD>(n));
}
bool FrameworkCharTraits<wchar_t>::IsSpace(wchar_t ch)
{
    return std::iswspace(ch) != 0;
}
int FrameworkCharTraits<wchar_t>::LoadResourceString(HINSTANCE hInst, UINT id, wchar_t* buf, int size)
{
    return LoadStringW(hInst, id, buf, size);
}
int FrameworkCharTraits<wchar_t>::FormatSystemMessage(const wchar_t* fmt, wchar_t** out, va_list* args)
{
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, fmt, 0, 0,
                             reinterpret_cast<LPWSTR>(out), 0, args);
    return static_cast<int>(n);
}

// ---- the template ----

template <typename C, typename D> C* CStringImpl<C, D>::EmptyBuffer() noexcept
{
    return SharedEmpty<C>();
}

template <typename C, typename D> CStringImpl<C, D>::CStringImpl() noexcept : m_pszData(EmptyBuffer()) {}

template <typename C, typename D>
CStringImpl<C, D>::CStringImpl(const CStringImpl& src) : m_pszData(EmptyBuffer())
{
    SetString(src.m_pszData, src.GetLength());
}

template <typename C, typename D>
CStringImpl<C, D>::CStringImpl(CStringImpl&& src) noexcept : m_pszData(src.m_pszData)
{
    src.m_pszData = EmptyBuffer();
}

template <typename C, typename D> CStringImpl<C, D>::CStringImpl(const C* psz) : m_pszData(EmptyBuffer())
{
    if (psz && IS_INTRESOURCE(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz)));
    else
        SetString(psz);
}

template <typename C, typename D>
CStringImpl<C, D>::CStringImpl(const C* pch, int nLength) : m_pszData(EmptyBuffer())
{
    SetString(pch, pch ? nLength : 0);
}

template <typename C, typename D> CStringImpl<C, D>::CStringImpl(C ch, int nRepeat) : m_pszData(EmptyBuffer())
{
    if (nRepeat > 0)
    {
        C* p = Reserve(nRepeat, 0);
        for (int i = 0; i < nRepeat; ++i)
            p[i] = ch;
        SetLengthInternal(nRepeat);
    }
}

template <typename C, typename D> CStringImpl<C, D>::~CStringImpl()
{
    Release();
}

template <typename C, typename D> void CStringImpl<C, D>::Release() noexcept
{
    C* p = m_pszData;
    m_pszData = EmptyBuffer();
    if (p != m_pszData)
        std::free(reinterpret_cast<FrameworkStringData*>(p) - 1);
}

template <typename C, typename D> C* CStringImpl<C, D>::Reserve(int nLength, int nKeep)
{
    if (nLength < 0)
        nLength = 0;
    FrameworkStringData* h = Header();
    if (!IsShared() && h->nAlloc >= nLength)
        return m_pszData;
    // Grow geometrically so that repeated appends stay linear.
    long long want = nLength;
    if (!IsShared() && want < static_cast<long long>(h->nAlloc) * 3 / 2)
        want = static_cast<long long>(h->nAlloc) * 3 / 2;
    if (want < 15)
        want = 15;
    if (want > (INT_MAX - 64) / static_cast<long long>(sizeof(C)))
        throw std::bad_alloc();
    size_t bytes = sizeof(FrameworkStringData) + (static_cast<size_t>(want) + 1) * sizeof(C);
    auto* nh = static_cast<FrameworkStringData*>(std::malloc(bytes));
    if (!nh)
        throw std::bad_alloc();
    C* np = reinterpret_cast<C*>(nh + 1);
    int keep = nKeep < h->nLength ? nKeep : h->nLength;
    if (keep > 0)
        std::memcpy(np, m_pszData, static_cast<size_t>(keep) * sizeof(C));
    np[keep] = 0;
    nh->nLength = keep;
    nh->nAlloc = static_cast<int>(want);
    Release();
    m_pszData = np;
    return np;
}

template <typename C, typename D> void CStringImpl<C, D>::SetLengthInternal(int nLength)
{
    if (IsShared())
        return; // only an empty string shares the buffer
    Header()->nLength = nLength;
    m_pszData[nLength] = 0;
}

template <typename C, typename D> void CStringImpl<C, D>::SetString(const C* pch, int nLength)
{
    if (!pch || nLength <= 0)
    {
        Empty();
        return;
    }
    // The source may lie inside this string's own buffer.
    if (!IsShared() && pch >= m_pszData && pch <= m_pszData + GetLength())
    {
        std::memmove(m_pszData, pch, static_cast<size_t>(nLength) * sizeof(C));
        SetLengthInternal(nLength);
        return;
    }
    C* p = Reserve(nLength, 0);
    std::memcpy(p, pch, static_cast<size_t>(nLength) * sizeof(C));
    SetLengthInternal(nLength);
}

template <typename C, typename D> D& CStringImpl<C, D>::Append(const C* pch, int nLength)
{
    if (!pch || nLength <= 0)
        return Self();
    int old = GetLength();
    if (!IsShared() && pch >= m_pszData && pch <= m_pszData + old)
    {
        // Appending a piece of itself: copy first, the buffer may move.
        D copy(pch, nLength);
        return Append(copy.m_pszData, nLength);
    }
    if (static_cast<long long>(old) + nLength > INT_MAX / 2)
        throw std::bad_alloc();
    C* p = Reserve(old + nLength, old);
    std::memcpy(p + old, pch, static_cast<size_t>(nLength) * sizeof(C));
    SetLengthInternal(old + nLength);
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::operator=(const CStringImpl& src)
{
    if (this != &src)
        SetString(src.m_pszData, src.GetLength());
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::operator=(CStringImpl&& src) noexcept
{
    if (this != &src)
    {
        Release();
        m_pszData = src.m_pszData;
        src.m_pszData = EmptyBuffer();
    }
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::operator=(const C* psz)
{
    if (psz && IS_INTRESOURCE(psz))
    {
        Empty();
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz)));
    }
    else
        SetString(psz);
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::operator=(C ch)
{
    SetString(&ch, 1);
    return Self();
}

template <typename C, typename D> void CStringImpl<C, D>::Empty()
{
    if (!IsShared())
        SetLengthInternal(0);
}

template <typename C, typename D> C CStringImpl<C, D>::GetAt(int nIndex) const
{
    // The terminator may be read; anything outside the string reads as 0.
    if (nIndex < 0 || nIndex > GetLength())
        return 0;
    return m_pszData[nIndex];
}

template <typename C, typename D> void CStringImpl<C, D>::SetAt(int nIndex, C ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        return;
    m_pszData[nIndex] = ch;
}

template <typename C, typename D> C* CStringImpl<C, D>::GetBuffer(int nMinBufLength)
{
    int len = GetLength();
    return Reserve(nMinBufLength > len ? nMinBufLength : len, len);
}

template <typename C, typename D> void CStringImpl<C, D>::ReleaseBuffer(int nNewLength)
{
    if (IsShared())
        return;
    int cap = Header()->nAlloc;
    if (nNewLength < 0)
    {
        // Length from the terminator, never past the buffer.
        int n = 0;
        while (n < cap && m_pszData[n])
            ++n;
        nNewLength = n;
    }
    if (nNewLength > cap)
        nNewLength = cap;
    SetLengthInternal(nNewLength);
}

template <typename C, typename D> C* CStringImpl<C, D>::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    int len = GetLength();
    C* p = Reserve(nNewLength, len);
    for (int i = len; i < nNewLength; ++i)
        p[i] = 0;
    SetLengthInternal(nNewLength);
    return m_pszData;
}

template <typename C, typename D> void CStringImpl<C, D>::Preallocate(int nLength)
{
    Reserve(nLength, GetLength());
}

template <typename C, typename D> void CStringImpl<C, D>::FreeExtra()
{
    if (IsShared() || Header()->nAlloc == GetLength())
        return;
    D copy(m_pszData, GetLength());
    *this = std::move(copy);
}

template <typename C, typename D> void CStringImpl<C, D>::Truncate(int nNewLength)
{
    if (nNewLength >= 0 && nNewLength < GetLength())
        SetLengthInternal(nNewLength);
}

template <typename C, typename D> void CStringImpl<C, D>::FormatV(const C* pszFormat, va_list args)
{
    // Formatted into a fresh buffer first: the arguments may point into this string.
    D result;
    result.AppendFormatV(pszFormat, args);
    *this = std::move(result);
}

template <typename C, typename D> void CStringImpl<C, D>::AppendFormatV(const C* pszFormat, va_list args)
{
    if (!pszFormat)
        return;
    va_list count;
    va_copy(count, args);
    int n = Traits::FormatCount(pszFormat, count);
    va_end(count);
    if (n <= 0)
        return;
    if (static_cast<long long>(GetLength()) + n > INT_MAX / 2)
        throw std::bad_alloc();
    D piece;
    C* p = piece.Reserve(n, 0);
    va_list fill;
    va_copy(fill, args);
    Traits::FormatInto(p, n, pszFormat, fill);
    va_end(fill);
    piece.SetLengthInternal(n);
    Append(piece.m_pszData, n);
}

template <typename C, typename D> void CStringImpl<C, D>::FormatArgs(const C* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

template <typename C, typename D> void CStringImpl<C, D>::AppendFormatArgs(const C* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

template <typename C, typename D> void CStringImpl<C, D>::FormatMessageArgs(const C* pszFormat, ...)
{
    Empty();
    if (!pszFormat)
        return;
    va_list args;
    va_start(args, pszFormat);
    C* out = nullptr;
    int n = Traits::FormatSystemMessage(pszFormat, &out, &args);
    va_end(args);
    if (out)
    {
        SetString(out, n);
        LocalFree(out);
    }
}

template <typename C, typename D> D CStringImpl<C, D>::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > GetLength())
        nCount = GetLength();
    return D(m_pszData, nCount);
}

template <typename C, typename D> D CStringImpl<C, D>::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength());
}

template <typename C, typename D> D CStringImpl<C, D>::Mid(int iFirst, int nCount) const
{
    int len = GetLength();
    if (iFirst < 0)
        iFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (iFirst > len)
        iFirst = len;
    if (nCount > len - iFirst)
        nCount = len - iFirst;
    return D(m_pszData + iFirst, nCount);
}

template <typename C, typename D> D CStringImpl<C, D>::Right(int nCount) const
{
    int len = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > len)
        nCount = len;
    return D(m_pszData + len - nCount, nCount);
}

template <typename C, typename D> D CStringImpl<C, D>::SpanIncluding(const C* pszCharSet) const
{
    if (!pszCharSet)
        return D();
    return Left(Traits::SpanIncluding(m_pszData, pszCharSet));
}

template <typename C, typename D> D CStringImpl<C, D>::SpanExcluding(const C* pszCharSet) const
{
    if (!pszCharSet)
        return D(*static_cast<const D*>(this));
    return Left(Traits::SpanExcluding(m_pszData, pszCharSet));
}

template <typename C, typename D> int CStringImpl<C, D>::Find(C ch, int iStart) const
{
    int len = GetLength();
    if (iStart < 0 || iStart >= len)
        return -1;
    for (int i = iStart; i < len; ++i)
        if (m_pszData[i] == ch)
            return i;
    return -1;
}

template <typename C, typename D> int CStringImpl<C, D>::Find(const C* pszSub, int iStart) const
{
    if (!pszSub || iStart < 0 || iStart > GetLength())
        return -1;
    const C* p = Traits::FindString(m_pszData + iStart, pszSub);
    return p ? static_cast<int>(p - m_pszData) : -1;
}

template <typename C, typename D> int CStringImpl<C, D>::ReverseFind(C ch) const
{
    for (int i = GetLength() - 1; i >= 0; --i)
        if (m_pszData[i] == ch)
            return i;
    return -1;
}

template <typename C, typename D> int CStringImpl<C, D>::FindOneOf(const C* pszCharSet) const
{
    if (!pszCharSet || !*pszCharSet)
        return -1;
    int n = Traits::SpanExcluding(m_pszData, pszCharSet);
    return n < GetLength() ? n : -1;
}

template <typename C, typename D> int CStringImpl<C, D>::Replace(C chOld, C chNew)
{
    int count = 0;
    int len = GetLength();
    for (int i = 0; i < len; ++i)
    {
        if (m_pszData[i] == chOld)
        {
            m_pszData[i] = chNew;
            ++count;
        }
    }
    if (chNew == 0 && count)
        ReleaseBuffer(-1); // a replaced character ended the string
    return count;
}

template <typename C, typename D> int CStringImpl<C, D>::Replace(const C* pszOld, const C* pszNew)
{
    int oldLen = Traits::Length(pszOld);
    if (oldLen == 0)
        return 0;
    int newLen = Traits::Length(pszNew);
    D result;
    int count = 0;
    int i = 0;
    int len = GetLength();
    while (i < len)
    {
        const C* hit = Traits::FindString(m_pszData + i, pszOld);
        if (!hit)
            break;
        int at = static_cast<int>(hit - m_pszData);
        result.Append(m_pszData + i, at - i);
        result.Append(pszNew, newLen);
        i = at + oldLen;
        ++count;
    }
    if (count)
    {
        result.Append(m_pszData + i, len - i);
        *this = std::move(result);
    }
    return count;
}

template <typename C, typename D> int CStringImpl<C, D>::Remove(C chRemove)
{
    int len = GetLength();
    int out = 0;
    for (int i = 0; i < len; ++i)
        if (m_pszData[i] != chRemove)
            m_pszData[out++] = m_pszData[i];
    int removed = len - out;
    if (removed)
        SetLengthInternal(out);
    return removed;
}

template <typename C, typename D> int CStringImpl<C, D>::Insert(int iIndex, C ch)
{
    C buf[2] = {ch, 0};
    return Insert(iIndex, buf);
}

template <typename C, typename D> int CStringImpl<C, D>::Insert(int iIndex, const C* psz)
{
    int len = GetLength();
    if (iIndex < 0)
        iIndex = 0;
    if (iIndex > len)
        iIndex = len;
    int n = Traits::Length(psz);
    if (n == 0)
        return len;
    D result(m_pszData, iIndex);
    result.Append(psz, n);
    result.Append(m_pszData + iIndex, len - iIndex);
    *this = std::move(result);
    return GetLength();
}

template <typename C, typename D> int CStringImpl<C, D>::Delete(int iIndex, int nCount)
{
    int len = GetLength();
    if (iIndex < 0)
        iIndex = 0;
    if (nCount <= 0 || iIndex >= len)
        return len;
    if (nCount > len - iIndex)
        nCount = len - iIndex;
    std::memmove(m_pszData + iIndex, m_pszData + iIndex + nCount,
                 static_cast<size_t>(len - iIndex - nCount) * sizeof(C));
    SetLengthInternal(len - nCount);
    return len - nCount;
}

template <typename C, typename D> D& CStringImpl<C, D>::TrimRight()
{
    int n = GetLength();
    while (n > 0 && Traits::IsSpace(m_pszData[n - 1]))
        --n;
    Truncate(n);
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::TrimRight(C chTarget)
{
    int n = GetLength();
    while (n > 0 && m_pszData[n - 1] == chTarget)
        --n;
    Truncate(n);
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::TrimRight(const C* pszTargets)
{
    if (!pszTargets || !*pszTargets)
        return Self();
    int n = GetLength();
    while (n > 0 && Traits::FindChar(pszTargets, m_pszData[n - 1]))
        --n;
    Truncate(n);
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::TrimLeft()
{
    int n = 0;
    int len = GetLength();
    while (n < len && Traits::IsSpace(m_pszData[n]))
        ++n;
    Delete(0, n);
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::TrimLeft(C chTarget)
{
    int n = 0;
    int len = GetLength();
    while (n < len && m_pszData[n] == chTarget)
        ++n;
    Delete(0, n);
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::TrimLeft(const C* pszTargets)
{
    if (!pszTargets || !*pszTargets)
        return Self();
    int n = 0;
    int len = GetLength();
    while (n < len && Traits::FindChar(pszTargets, m_pszData[n]))
        ++n;
    Delete(0, n);
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::Trim()
{
    TrimRight();
    return TrimLeft();
}

template <typename C, typename D> D& CStringImpl<C, D>::Trim(C chTarget)
{
    TrimRight(chTarget);
    return TrimLeft(chTarget);
}

template <typename C, typename D> D& CStringImpl<C, D>::Trim(const C* pszTargets)
{
    TrimRight(pszTargets);
    return TrimLeft(pszTargets);
}

template <typename C, typename D> D& CStringImpl<C, D>::MakeUpper()
{
    Traits::Upper(m_pszData, GetLength());
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::MakeLower()
{
    Traits::Lower(m_pszData, GetLength());
    return Self();
}

template <typename C, typename D> D& CStringImpl<C, D>::MakeReverse()
{
    int len = GetLength();
    for (int i = 0, j = len - 1; i < j; ++i, --j)
    {
        C t = m_pszData[i];
        m_pszData[i] = m_pszData[j];
        m_pszData[j] = t;
    }
    return Self();
}

template <typename C, typename D> int CStringImpl<C, D>::Compare(const C* psz) const
{
    return Traits::Compare(m_pszData, psz ? psz : EmptyBuffer());
}

template <typename C, typename D> int CStringImpl<C, D>::CompareNoCase(const C* psz) const
{
    return Traits::CompareNoCase(m_pszData, psz ? psz : EmptyBuffer());
}

template <typename C, typename D> int CStringImpl<C, D>::Collate(const C* psz) const
{
    return Traits::Collate(m_pszData, psz ? psz : EmptyBuffer());
}

template <typename C, typename D> int CStringImpl<C, D>::CollateNoCase(const C* psz) const
{
    return Traits::CollateNoCase(m_pszData, psz ? psz : EmptyBuffer());
}

template <typename C, typename D> BOOL CStringImpl<C, D>::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

template <typename C, typename D> BOOL CStringImpl<C, D>::LoadString(HINSTANCE hInstance, UINT nID)
{
    // String-table entries hold at most 65,535 characters; grow until the text fits.
    int size = 256;
    for (;;)
    {
        D buf;
        C* p = buf.GetBuffer(size);
        int n = Traits::LoadResourceString(hInstance, nID, p, size + 1);
        if (n <= 0)
            return FALSE;
        if (n < size || size >= 65536)
        {
            buf.ReleaseBuffer(n);
            *this = std::move(buf);
            return TRUE;
        }
        size *= 4;
    }
}

template <typename C, typename D> D CStringImpl<C, D>::Tokenize(const C* pszTokens, int& iStart) const
{
    int len = GetLength();
    if (iStart < 0 || iStart >= len)
    {
        iStart = -1;
        return D();
    }
    if (!pszTokens || !*pszTokens)
    {
        // No delimiters: the rest is one token.
        D rest = Mid(iStart);
        iStart = len;
        return rest;
    }
    int from = iStart + Traits::SpanIncluding(m_pszData + iStart, pszTokens);
    if (from >= len)
    {
        iStart = -1;
        return D();
    }
    int n = Traits::SpanExcluding(m_pszData + from, pszTokens);
    iStart = from + n + 1;
    return D(m_pszData + from, n);
}

template class CStringImpl<char, CString>;
template class CStringImpl<wchar_t, CStringW>;

// ---- width conversions ----

CString::CString(const wchar_t* pwsz)
{
    WideToAnsi(pwsz, FrameworkCharTraits<wchar_t>::Length(pwsz), *this);
}
CString::CString(const wchar_t* pwch, int nLength)
{
    WideToAnsi(pwch, nLength, *this);
}
CString::CString(const CStringW& s)
{
    WideToAnsi(s, s.GetLength(), *this);
}
CString& CString::operator=(const wchar_t* pwsz)
{
    CString tmp(pwsz);
    return *this = std::move(tmp);
}
CString& CString::operator=(const CStringW& s)
{
    CString tmp(s);
    return *this = std::move(tmp);
}

CStringW::CStringW(const char* psz)
{
    if (psz && IS_INTRESOURCE(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz)));
    else
        AnsiToWide(psz, FrameworkCharTraits<char>::Length(psz), *this);
}
CStringW::CStringW(const char* pch, int nLength)
{
    AnsiToWide(pch, nLength, *this);
}
CStringW::CStringW(const CString& s)
{
    AnsiToWide(s, s.GetLength(), *this);
}
CStringW& CStringW::operator=(const char* psz)
{
    CStringW tmp(psz);
    return *this = std::move(tmp);
}
CStringW& CStringW::operator=(const CString& s)
{
    CStringW tmp(s);
    return *this = std::move(tmp);
}

// ---- operators ----

#define QVX_STRING_OPERATORS_IMPL(S, C)                                                                      \
    S operator+(const S& a, const S& b)                                                                      \
    {                                                                                                        \
        S r(a);                                                                                              \
        r += b;                                                                                              \
        return r;                                                                                            \
    }                                                                                                        \
    S operator+(const S& a, const C* b)                                                                      \
    {                                                                                                        \
        S r(a);                                                                                              \
        r += b;                                                                                              \
        return r;                                                                                            \
    }                                                                                                        \
    S operator+(const C* a, const S& b)                                                                      \
    {                                                                                                        \
        S r(a);                                                                                              \
        r += b;                                                                                              \
        return r;                                                                                            \
    }                                                                                                        \
    S operator+(const S& a, C b)                                                                             \
    {                                                                                                        \
        S r(a);                                                                                              \
        r += b;                                                                                              \
        return r;                                                                                            \
    }                                                                                                        \
    S operator+(C a, const S& b)                                                                             \
    {                                                                                                        \
        S r(a, 1);                                                                                           \
        r += b;                                                                                              \
        return r;                                                                                            \
    }                                                                                                        \
    bool operator==(const S& a, const S& b)                                                                  \
    {                                                                                                        \
        return a.GetLength() == b.GetLength() &&                                                             \
               std::memcmp(a.GetString(), b.GetString(), sizeof(C) * static_cast<size_t>(a.GetLength())) ==  \
                   0;                                                                                        \
    }                                                                                                        \
    bool operator==(const S& a, const C* b)                                                                  \
    {                                                                                                        \
        return a.Compare(b) == 0;                                                                            \
    }                                                                                                        \
    bool operator==(const C* a, const S& b)                                                                  \
    {                                                                                                        \
        return b.Compare(a) == 0;                                                                            \
    }                                                                                                        \
    bool operator!=(const S& a, const S& b)                                                                  \
    {                                                                                                        \
        return !(a == b);                                                                                    \
    }                                                                                                        \
    bool operator!=(const S& a, const C* b)                                                                  \
    {                                                                                                        \
        return a.Compare(b) != 0;                                                                            \
    }                                                                                                        \
    bool operator!=(const C* a, const S& b)                                                                  \
    {                                                                                                        \
        return b.Compare(a) != 0;                                                                            \
    }                                                                                                        \
    bool operator<(const S& a, const S& b)                                                                   \
    {                                                                                                        \
        return a.Compare(b) < 0;                                                                             \
    }                                                                                                        \
    bool operator<(const S& a, const C* b)                                                                   \
    {                                                                                                        \
        return a.Compare(b) < 0;                                                                             \
    }                                                                                                        \
    bool operator<(const C* a, const S& b)                                                                   \
    {                                                                                                        \
        return b.Compare(a) > 0;                                                                             \
    }                                                                                                        \
    bool operator>(const S& a, const S& b)                                                                   \
    {                                                                                                        \
        return a.Compare(b) > 0;                                                                             \
    }                                                                                                        \
    bool operator<=(const S& a, const S& b)                                                                  \
    {                                                                                                        \
        return a.Compare(b) <= 0;                                                                            \
    }                                                                                                        \
    bool operator>=(const S& a, const S& b)                                                                  \
    {                                                                                                        \
        return a.Compare(b) >= 0;                                                                            \
    }

QVX_STRING_OPERATORS_IMPL(CString, char)
QVX_STRING_OPERATORS_IMPL(CStringW, wchar_t)
