// CMemFile: a file held in memory. Its own buffer grows by whole steps of the grow size (at least by
// half its size each time); a buffer attached by the caller is used in place until it must grow.
#pragma once

#include "framework/File.h"

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Uses lpBuffer as the file's memory. With nGrowBytes 0 the file holds the buffer's bytes (length
    // nBufferSize) and cannot grow; otherwise the file starts empty and the buffer is its first storage.
    // The caller keeps ownership of lpBuffer. When a growable file outgrows it, the contents move to
    // memory the file owns (the caller's buffer is never reallocated or freed).
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Like Attach with nGrowBytes 0 (a fixed file holding the buffer's bytes), but the file takes the
    // buffer over: it must come from malloc, and the file frees it (with free) on Close, on the next
    // Attach or in its destructor. Detach hands it back to the caller instead.
    void AttachOwned(BYTE* lpBuffer, UINT nBufferSize);
    // Hands the current memory to the caller and leaves the file empty. Memory the file allocated
    // itself comes from malloc and is released with free.
    BYTE* Detach();

    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override {}
    void Close() override;
    void Abort() override;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    // Makes the buffer at least dwNewLen bytes (rounded up to the grow size).
    virtual void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    // The file owns m_lpBuffer and frees it on Close.
    BOOL m_bAutoDelete;
};
