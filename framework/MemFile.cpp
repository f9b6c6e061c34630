#include "framework/MemFile.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes ? nBytes : 1));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes ? nBytes : 1));
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer && m_bAutoDelete)
        Free(m_lpBuffer);
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = lpBuffer ? nBufferSize : 0;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

void CMemFile::AttachOwned(BYTE* lpBuffer, UINT nBufferSize)
{
    Attach(lpBuffer, nBufferSize, 0);
    m_bAutoDelete = TRUE;
}

BYTE* CMemFile::Detach()
{
    BYTE* p = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return p;
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException(); // a fixed attached buffer cannot grow
    // Whole steps of the grow size, and at least half as much again as the buffer holds, so that
    // writing a large file piece by piece does not copy it over and over.
    const SIZE_T step = m_nGrowBytes;
    const SIZE_T limit = static_cast<SIZE_T>(-1) - step;
    SIZE_T want = dwNewLen;
    if (m_nBufferSize <= limit / 3 * 2 && want < m_nBufferSize + m_nBufferSize / 2)
        want = m_nBufferSize + m_nBufferSize / 2;
    if (want > limit)
        AfxThrowMemoryException();
    SIZE_T newSize = (want + step - 1) / step * step;
    BYTE* p;
    if (!m_lpBuffer)
        p = Alloc(newSize);
    else if (m_bAutoDelete)
        p = Realloc(m_lpBuffer, newSize);
    else
    {
        // The caller's buffer: copy into memory of our own, leave theirs alone.
        p = Alloc(newSize);
        if (p)
            std::memcpy(p, m_lpBuffer, m_nFileSize);
    }
    if (!p)
        AfxThrowMemoryException();
    m_lpBuffer = p;
    m_nBufferSize = newSize;
    m_bAutoDelete = TRUE;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base;
    switch (nFrom)
    {
    case begin:
        base = 0;
        break;
    case current:
        base = static_cast<LONGLONG>(m_nPosition);
        break;
    case end:
        base = static_cast<LONGLONG>(m_nFileSize);
        break;
    default:
        AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
    }
    LONGLONG pos = base + lOff;
    if (pos < 0 || static_cast<ULONGLONG>(pos) > static_cast<SIZE_T>(-1))
        AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
    m_nPosition = static_cast<SIZE_T>(pos);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > static_cast<SIZE_T>(-1))
        AfxThrowMemoryException();
    SIZE_T n = static_cast<SIZE_T>(dwNewLen);
    if (n > m_nBufferSize)
        GrowFile(n);
    if (n > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
    if (n < m_nPosition)
        m_nPosition = n;
    m_nFileSize = n;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (!lpBuf)
        AfxThrowInvalidArgException();
    SIZE_T avail = m_nFileSize - m_nPosition;
    UINT n = avail < nCount ? static_cast<UINT>(avail) : nCount;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (!lpBuf)
        AfxThrowInvalidArgException();
    if (m_nPosition > static_cast<SIZE_T>(-1) - nCount)
        AfxThrowMemoryException();
    SIZE_T endPos = m_nPosition + nCount;
    if (endPos > m_nBufferSize)
        GrowFile(endPos);
    // A write after a seek past the end leaves zeros in the gap, not stale memory.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = endPos;
    if (endPos > m_nFileSize)
        m_nFileSize = endPos;
}

void CMemFile::Close()
{
    if (m_lpBuffer && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

void CMemFile::Abort()
{
    Close();
}
