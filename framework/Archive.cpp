#include "framework/Archive.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace
{
const UINT kMinBuffer = 128;
// Longest class name accepted from an archive; longer records are treated as damage.
const WORD kMaxClassName = 1024;
// Strings are read in pieces of this many characters, so a damaged length cannot force a huge
// allocation before the end of the data is noticed.
const ULONGLONG kStringChunk = 64 * 1024;
} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*) : m_pFile(pFile), m_nMode(nMode)
{
    if (!pFile)
        AfxThrowInvalidArgException();
    UINT size = nBufSize > static_cast<int>(kMinBuffer) ? static_cast<UINT>(nBufSize) : kMinBuffer;
    m_buffer.resize(size);
    m_strFileName = pFile->GetFilePath();
    if (IsLoading())
        m_loadArray.push_back({nullptr, false, 0}); // index 0: the null object
}

CArchive::~CArchive()
{
    if (m_pFile && !(m_nMode & bNoFlushOnDelete))
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    m_pFile = nullptr;
}

void CArchive::ThrowArchive(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strFileName));
}

BOOL CArchive::IsBufferEmpty() const
{
    return m_nCur >= m_nEnd;
}

// ---- raw bytes ----

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    if (!m_pFile)
        ThrowArchive(CArchiveException::genericException);
    if (nMax == 0)
        return 0;
    if (!lpBuf)
        AfxThrowInvalidArgException();
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax)
    {
        if (m_nCur < m_nEnd)
        {
            UINT n = std::min(nMax - done, m_nEnd - m_nCur);
            std::memcpy(out + done, m_buffer.data() + m_nCur, n);
            m_nCur += n;
            done += n;
            continue;
        }
        if (m_bEof)
            break;
        UINT want = nMax - done;
        if (want >= m_buffer.size())
        {
            // Large reads go straight into the caller's memory.
            UINT n = m_pFile->Read(out + done, want);
            if (n == 0)
                m_bEof = true;
            done += n;
            continue;
        }
        m_nCur = 0;
        m_nEnd = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
        if (m_nEnd == 0)
            m_bEof = true;
    }
    return done;
}

UINT CArchive::Peek(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    if (!m_pFile)
        ThrowArchive(CArchiveException::genericException);
    if (nMax > kMinBuffer)
        AfxThrowInvalidArgException();
    if (nMax == 0)
        return 0;
    if (!lpBuf)
        AfxThrowInvalidArgException();
    // Move the unread bytes to the front and top the buffer up until nMax are there or the data ends.
    if (m_nEnd - m_nCur < nMax && !m_bEof)
    {
        UINT have = m_nEnd - m_nCur;
        std::memmove(m_buffer.data(), m_buffer.data() + m_nCur, have);
        m_nCur = 0;
        m_nEnd = have;
        while (m_nEnd < nMax && !m_bEof)
        {
            UINT n = m_pFile->Read(m_buffer.data() + m_nEnd, static_cast<UINT>(m_buffer.size()) - m_nEnd);
            if (n == 0)
                m_bEof = true;
            m_nEnd += n;
        }
    }
    UINT n = std::min(nMax, m_nEnd - m_nCur);
    std::memcpy(lpBuf, m_buffer.data() + m_nCur, n);
    return n;
}

void CArchive::EnsureRead(void* lpBuf, UINT nMax)
{
    if (Read(lpBuf, nMax) != nMax)
        ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (IsLoading())
        ThrowArchive(CArchiveException::readOnly);
    if (!m_pFile)
        ThrowArchive(CArchiveException::genericException);
    if (nMax == 0)
        return;
    if (!lpBuf)
        AfxThrowInvalidArgException();
    const UINT size = static_cast<UINT>(m_buffer.size());
    if (nMax <= size - m_nCur)
    {
        std::memcpy(m_buffer.data() + m_nCur, lpBuf, nMax);
        m_nCur += nMax;
        return;
    }
    FlushBuffer();
    if (nMax >= size)
    {
        m_pFile->Write(lpBuf, nMax);
        return;
    }
    std::memcpy(m_buffer.data(), lpBuf, nMax);
    m_nCur = nMax;
}

CArchive& CArchive::WriteRaw(const void* p, UINT n)
{
    Write(p, n);
    return *this;
}

CArchive& CArchive::ReadRaw(void* p, UINT n)
{
    // Small values are usually in the buffer already.
    if (IsLoading() && m_nEnd - m_nCur >= n && m_nCur <= m_nEnd)
    {
        std::memcpy(p, m_buffer.data() + m_nCur, n);
        m_nCur += n;
        return *this;
    }
    EnsureRead(p, n);
    return *this;
}

void CArchive::FlushBuffer()
{
    if (m_nCur > 0 && m_pFile)
    {
        UINT n = m_nCur;
        m_nCur = 0;
        m_pFile->Write(m_buffer.data(), n);
    }
}

void CArchive::Flush()
{
    if (!m_pFile)
        return;
    if (IsStoring())
    {
        FlushBuffer();
        return;
    }
    // Loading: give the bytes read ahead back to the file, so its position is where the archive is.
    if (m_nEnd > m_nCur)
    {
        m_pFile->Seek(-static_cast<LONGLONG>(m_nEnd - m_nCur), CFile::current);
        m_nCur = m_nEnd = 0;
        m_bEof = false;
    }
}

void CArchive::Close()
{
    if (!m_pFile)
        return;
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_nCur = m_nEnd = 0;
    m_pFile = nullptr;
}

// ---- text ----

void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz)
        Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    bool any = false;
    char ch;
    while (Read(&ch, 1) == 1)
    {
        any = true;
        if (ch == '\n')
            break;
        rString += ch;
    }
    if (!rString.IsEmpty() && rString[rString.GetLength() - 1] == '\r')
        rString.Truncate(rString.GetLength() - 1);
    return any ? TRUE : FALSE;
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax)
{
    if (!lpsz || nMax == 0)
        AfxThrowInvalidArgException();
    // Reads at most nMax - 1 characters, stopping after a line feed (which is kept, "\r\n" becomes "\n").
    UINT n = 0;
    char ch;
    bool any = false;
    while (n + 1 < nMax && Read(&ch, 1) == 1)
    {
        any = true;
        if (ch == '\n')
        {
            if (n > 0 && lpsz[n - 1] == '\r')
                --n;
            lpsz[n++] = '\n';
            break;
        }
        lpsz[n++] = ch;
    }
    lpsz[n] = 0;
    return any ? lpsz : nullptr;
}

// ---- counts and strings ----

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    ULONGLONG n = dwCount;
    if (n < 0xFFFF)
    {
        *this << static_cast<WORD>(n);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (n < 0xFFFFFFFFull)
    {
        *this << static_cast<DWORD>(n);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF);
    *this << n;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD w;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    DWORD dw;
    *this >> dw;
    if (dw != 0xFFFFFFFF)
        return dw;
    ULONGLONG q;
    *this >> q;
    if (q > static_cast<ULONGLONG>(static_cast<DWORD_PTR>(-1)))
        ThrowArchive(CArchiveException::badIndex); // more elements than this build can address
    return static_cast<DWORD_PTR>(q);
}

void CArchive::WriteStringLength(ULONGLONG nLength, BOOL bWide)
{
    if (bWide)
    {
        *this << static_cast<BYTE>(0xFF);
        *this << static_cast<WORD>(0xFFFE);
    }
    if (nLength < 0xFF)
    {
        *this << static_cast<BYTE>(nLength);
        return;
    }
    *this << static_cast<BYTE>(0xFF);
    if (nLength < 0xFFFE)
    {
        *this << static_cast<WORD>(nLength);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (nLength < 0xFFFFFFFFull)
    {
        *this << static_cast<DWORD>(nLength);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF);
    *this << nLength;
}

ULONGLONG CArchive::ReadStringLength(int* pnCharSize)
{
    int charSize = 1;
    BYTE b;
    WORD w;
    *this >> b;
    if (b < 0xFF)
    {
        if (pnCharSize)
            *pnCharSize = charSize;
        return b;
    }
    *this >> w;
    if (w == 0xFFFE)
    {
        // Wide marker: the length follows in the same scheme.
        charSize = 2;
        *this >> b;
        if (b < 0xFF)
        {
            if (pnCharSize)
                *pnCharSize = charSize;
            return b;
        }
        *this >> w;
    }
    if (pnCharSize)
        *pnCharSize = charSize;
    if (w < 0xFFFF)
        return w;
    DWORD dw;
    *this >> dw;
    if (dw < 0xFFFFFFFF)
        return dw;
    ULONGLONG q;
    *this >> q;
    return q;
}

CArchive& CArchive::operator<<(const CString& s)
{
    WriteStringLength(static_cast<ULONGLONG>(s.GetLength()), FALSE);
    Write(s.GetString(), static_cast<UINT>(s.GetLength()));
    return *this;
}

CArchive& CArchive::operator<<(const CStringW& s)
{
    WriteStringLength(static_cast<ULONGLONG>(s.GetLength()), TRUE);
    Write(s.GetString(), static_cast<UINT>(s.GetLength()) * 2u);
    return *this;
}

namespace
{
// Reads nLength characters of one width into str, piece by piece.
template <typename S> void ReadChars(CArchive& ar, S& str, ULONGLONG nLength)
{
    typedef typename S::XCHAR C;
    str.Empty();
    if (nLength > static_cast<ULONGLONG>(INT_MAX / 2 / sizeof(C)))
        AfxThrowArchiveException(CArchiveException::genericException); // no string this long exists
    ULONGLONG done = 0;
    while (done < nLength)
    {
        UINT n = static_cast<UINT>(std::min(nLength - done, kStringChunk));
        C* p = str.GetBufferSetLength(static_cast<int>(done + n));
        ar.EnsureRead(p + done, n * static_cast<UINT>(sizeof(C)));
        done += n;
    }
}
} // namespace

CArchive& CArchive::operator>>(CString& s)
{
    int charSize;
    ULONGLONG n = ReadStringLength(&charSize);
    if (charSize == 1)
    {
        ReadChars(*this, s, n);
    }
    else
    {
        CStringW w;
        ReadChars(*this, w, n);
        s = w;
    }
    return *this;
}

CArchive& CArchive::operator>>(CStringW& s)
{
    int charSize;
    ULONGLONG n = ReadStringLength(&charSize);
    if (charSize == 2)
    {
        ReadChars(*this, s, n);
    }
    else
    {
        CString a;
        ReadChars(*this, a, n);
        s = a;
    }
    return *this;
}

// ---- other scalars ----

CArchive& CArchive::operator<<(bool b)
{
    return *this << static_cast<BYTE>(b ? 1 : 0);
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by;
    *this >> by;
    b = by != 0;
    return *this;
}

CArchive& CArchive::operator<<(const POINT& pt)
{
    return *this << pt.x << pt.y;
}
CArchive& CArchive::operator<<(const SIZE& sz)
{
    return *this << sz.cx << sz.cy;
}
CArchive& CArchive::operator<<(const RECT& rc)
{
    return *this << rc.left << rc.top << rc.right << rc.bottom;
}
CArchive& CArchive::operator>>(POINT& pt)
{
    return *this >> pt.x >> pt.y;
}
CArchive& CArchive::operator>>(SIZE& sz)
{
    return *this >> sz.cx >> sz.cy;
}
CArchive& CArchive::operator>>(RECT& rc)
{
    return *this >> rc.left >> rc.top >> rc.right >> rc.bottom;
}

// ---- classes and objects ----

void CArchive::CheckMapCount(DWORD nCount) const
{
    if (nCount >= nMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
}

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema, nLen;
    ar >> wSchema >> nLen;
    if (pwSchemaNum)
        *pwSchemaNum = wSchema;
    if (nLen > kMaxClassName)
        return nullptr;
    char name[kMaxClassName + 1];
    ar.EnsureRead(name, nLen);
    name[nLen] = 0;
    return FromName(name);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (!pClassRef || pClassRef->m_wSchema == 0xFFFF)
        ThrowArchive(CArchiveException::badClass); // the class cannot be serialised
    auto it = m_storeMap.find(pClassRef);
    if (it != m_storeMap.end())
    {
        DWORD idx = it->second;
        if (idx < wBigObjectTag)
            *this << static_cast<WORD>(wClassTag | idx);
        else
            *this << wBigObjectTag << static_cast<DWORD>(dwBigClassTag | idx);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    CheckMapCount(m_nMapCount);
    m_storeMap[pClassRef] = m_nMapCount++;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag))
    {
        // An object reference (or null), not a class.
        if (!pObTag)
            ThrowArchive(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (!pClassRef || pClassRef->m_wSchema == 0xFFFF)
            ThrowArchive(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema &&
            !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            ThrowArchive(CArchiveException::badSchema);
        CheckMapCount(static_cast<DWORD>(m_loadArray.size()));
        m_loadArray.push_back({pClassRef, true, nSchema});
    }
    else
    {
        DWORD idx = obTag & ~dwBigClassTag;
        if (idx == 0 || idx >= m_loadArray.size() || !m_loadArray[idx].isClass)
            ThrowArchive(CArchiveException::badIndex);
        pClassRef = static_cast<CRuntimeClass*>(m_loadArray[idx].p);
        nSchema = m_loadArray[idx].schema;
    }

    if (pClassRefRequested && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowArchive(CArchiveException::badClass);
    if (pSchema)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag)
        *pObTag = obTag;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (IsLoading())
        ThrowArchive(CArchiveException::readOnly);
    if (!pOb)
    {
        *this << wNullTag;
        return;
    }
    auto it = m_storeMap.find(pOb);
    if (it != m_storeMap.end())
    {
        DWORD idx = it->second;
        if (idx < wBigObjectTag)
            *this << static_cast<WORD>(idx);
        else
            *this << wBigObjectTag << idx;
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    CheckMapCount(m_nMapCount);
    m_storeMap[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (!pClassRef)
    {
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].isClass)
            ThrowArchive(CArchiveException::badIndex);
        CObject* pOb = static_cast<CObject*>(m_loadArray[obTag].p);
        if (pOb && pClassRefRequested && !pOb->IsKindOf(pClassRefRequested))
            ThrowArchive(CArchiveException::badClass);
        return pOb;
    }
    CObject* pOb = pClassRef->CreateObject();
    if (!pOb)
        ThrowArchive(CArchiveException::badClass);
    // Entered before its contents are read, so references to it from inside resolve.
    CheckMapCount(static_cast<DWORD>(m_loadArray.size()));
    m_loadArray.push_back({pOb, false, 0});
    UINT saved = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    pOb->Serialize(*this);
    m_nObjectSchema = saved;
    return pOb;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring())
    {
        if (pOb && m_storeMap.find(pOb) == m_storeMap.end())
        {
            CheckMapCount(m_nMapCount);
            m_storeMap[pOb] = m_nMapCount++;
        }
    }
    else
    {
        CheckMapCount(static_cast<DWORD>(m_loadArray.size()));
        m_loadArray.push_back({const_cast<CObject*>(pOb), false, 0});
    }
}

UINT CArchive::GetObjectSchema()
{
    UINT n = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return n;
}

CObject* AfxReadObject(CArchive& ar, const CRuntimeClass* pClassRefRequested)
{
    return ar.ReadObject(pClassRefRequested);
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}
