#include "toolkit/common/persist/XTPZipMemFile.h"

#include <cstdlib>
#include <cstring>
#include <zlib.h>

IMPLEMENT_DYNAMIC(CXTPZipMemFile, CMemFile)

namespace
{
const UINT kHeaderSize = 8;
// Blocks shorter than this are never compressed (and not worth it).
const DWORD kMinCompress = 20;
// deflate cannot shrink data by more than this factor.
const ULONGLONG kMaxRatio = 1032;

DWORD ReadLE32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

void WriteLE32(BYTE* p, DWORD v)
{
    p[0] = static_cast<BYTE>(v);
    p[1] = static_cast<BYTE>(v >> 8);
    p[2] = static_cast<BYTE>(v >> 16);
    p[3] = static_cast<BYTE>(v >> 24);
}
} // namespace

CXTPZipMemFile::CXTPZipMemFile() : CMemFile(1024) {}

CXTPZipMemFile::CXTPZipMemFile(BYTE* lpData, UINT nLength) : CMemFile(1024)
{
    AttachCompressed(lpData, nLength, FALSE);
}

void CXTPZipMemFile::AttachCompressed(BYTE* lpData, UINT nLength, BOOL bAutoDelete)
{
    if (!lpData || nLength <= 11 || ReadLE32(lpData) != XTP_ZIPMEMFILE_MAGIC)
    {
        if (bAutoDelete)
            AttachOwned(lpData, lpData ? nLength : 0);
        else
            Attach(lpData, nLength, 0);
        return;
    }

    const UINT nStream = nLength - kHeaderSize;
    const DWORD nRecorded = ReadLE32(lpData + 4);
    BYTE* pOut = nullptr;
    uLongf nOut = 0;
    // The recorded length is checked against what the stream can hold before anything is allocated.
    if (nRecorded > 0 && nRecorded <= nMaxUncompressed && nRecorded <= kMaxRatio * nStream)
    {
        pOut = static_cast<BYTE*>(std::malloc(nRecorded));
        if (pOut)
        {
            nOut = nRecorded;
            if (uncompress(pOut, &nOut, lpData + kHeaderSize, nStream) != Z_OK)
            {
                std::free(pOut);
                pOut = nullptr;
                nOut = 0;
            }
        }
    }
    if (bAutoDelete)
        std::free(lpData);
    // A stream that fills less than the recorded length leaves the file at the length it produced.
    AttachOwned(pOut, pOut ? static_cast<UINT>(nOut) : 0);
}

BOOL CXTPZipMemFile::OpenCompressedFile(LPCSTR lpszFileName)
{
    if (!lpszFileName)
        return FALSE;
    CFile file;
    if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    BYTE* pData = nullptr;
    UINT nLength = 0;
    try
    {
        ULONGLONG length = file.GetLength();
        if (length > 0xFFFFFFFFull - 1)
            return FALSE;
        nLength = static_cast<UINT>(length);
        pData = static_cast<BYTE*>(std::malloc(nLength ? nLength : 1));
        if (!pData)
            return FALSE;
        UINT done = 0;
        while (done < nLength)
        {
            UINT n = file.Read(pData + done, nLength - done);
            if (n == 0)
                break;
            done += n;
        }
        nLength = done;
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        std::free(pData);
        return FALSE;
    }
    AttachCompressed(pData, nLength, TRUE);
    return TRUE;
}

void CXTPZipMemFile::DetachCompressedBuffer(BYTE*& lpData, DWORD& dwLength)
{
    const DWORD nLength = static_cast<DWORD>(GetPosition());
    const BOOL bOwned = m_bAutoDelete;
    BYTE* pPlain = Detach();
    if (pPlain && !bOwned)
    {
        // The caller's attached buffer: hand out a copy the caller can free, and leave theirs alone.
        BYTE* pCopy = static_cast<BYTE*>(std::malloc(nLength ? nLength : 1));
        if (!pCopy)
            AfxThrowMemoryException();
        std::memcpy(pCopy, pPlain, nLength);
        pPlain = pCopy;
    }
    lpData = pPlain;
    dwLength = nLength;
    if (!pPlain || nLength < kMinCompress)
        return;

    BYTE* pBlock = static_cast<BYTE*>(std::malloc(static_cast<size_t>(nLength) + kHeaderSize));
    if (!pBlock)
        return; // no memory: the plain data
    uLongf nCompressed = nLength;
    if (compress(pBlock + kHeaderSize, &nCompressed, pPlain, nLength) != Z_OK)
    {
        std::free(pBlock); // does not shrink (or failed): the plain data
        return;
    }
    WriteLE32(pBlock, XTP_ZIPMEMFILE_MAGIC);
    WriteLE32(pBlock + 4, nLength);
    std::free(pPlain);
    lpData = pBlock;
    dwLength = static_cast<DWORD>(nCompressed) + kHeaderSize;
}

void CXTPZipMemFile::SetFilePath(LPCSTR lpszNewName)
{
    if (!lpszNewName)
        AfxThrowInvalidArgException();
    CMemFile::SetFilePath(lpszNewName);
}
