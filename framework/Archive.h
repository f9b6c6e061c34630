// CArchive: the framework's binary serialisation stream over a CFile.
//
// Every value goes on the wire in little-endian order with a fixed width, so 32-bit and 64-bit builds
// read each other's archives. Counts, strings, class records and object references use the encodings
// described in framework/README.md ("Archive encodings"). Reading past the end of the data throws
// CArchiveException(endOfFile); malformed references throw badIndex, unknown classes badClass.
#pragma once

#include "framework/Exceptions.h"
#include "framework/File.h"
#include "framework/FrameworkString.h"
#include "framework/Object.h"

#include <type_traits>
#include <unordered_map>
#include <vector>

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        bNoByteSwap = 4
    };

    // Tags of the object and class stream.
    static const WORD wNullTag = 0;
    static const WORD wNewClassTag = 0xFFFF;
    static const WORD wClassTag = 0x8000;
    static const DWORD dwBigClassTag = 0x80000000;
    static const WORD wBigObjectTag = 0x7FFF;
    static const DWORD nMaxMapCount = 0x3FFFFFFE;

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Flushes a storing archive unless bNoFlushOnDelete was given (errors are swallowed here; call
    // Close to see them).
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    // TRUE when a loading archive has consumed all data.
    BOOL IsBufferEmpty() const;
    CFile* GetFile() const { return m_pFile; }

    // Raw bytes. Read returns the number of bytes actually read (short at the end of the data).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Reads exactly nMax bytes or throws CArchiveException(endOfFile).
    void EnsureRead(void* lpBuf, UINT nMax);
    // Copies up to nMax of the next bytes into lpBuf without consuming them (a later Read returns
    // them again); returns how many were available, fewer than nMax near the end of the data. nMax
    // may be at most 128. Never throws for the end of the data.
    UINT Peek(void* lpBuf, UINT nMax);
    void Flush();
    // Flushes and detaches from the file (the file stays open).
    void Close();
    // Detaches without flushing or throwing.
    void Abort();

    // Text lines: WriteString writes the characters only; ReadString reads up to a line feed and drops
    // the line end ("\n" or "\r\n"). FALSE / null at the end of the data.
    void WriteString(LPCSTR lpsz);
    BOOL ReadString(CString& rString);
    LPSTR ReadString(LPSTR lpsz, UINT nMax);

    // Element counts: WORD below 0xFFFF, else 0xFFFF + DWORD, else 0xFFFF 0xFFFFFFFF + 64-bit.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Classes and objects.
    void WriteClass(const CRuntimeClass* pClassRef);
    // Reads a class record or reference. Returns null (and the object tag in *pObTag) when the next
    // tag refers to an object instead. Throws badClass when the class is not derived from
    // pClassRefRequested, badSchema for an unexpected schema.
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);
    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    // Enters an object into the object map without writing it, so later references resolve to it.
    void MapObject(const CObject* pOb);
    // Schema of the object being loaded (valid once per object), else (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Scalars.
    CArchive& operator<<(BYTE by) { return WriteRaw(&by, 1); }
    CArchive& operator<<(WORD w) { return WriteRaw(&w, 2); }
    CArchive& operator<<(LONG l) { return WriteRaw(&l, 4); }
    CArchive& operator<<(DWORD dw) { return WriteRaw(&dw, 4); }
    CArchive& operator<<(int i) { return WriteRaw(&i, 4); }
    CArchive& operator<<(unsigned int u) { return WriteRaw(&u, 4); }
    CArchive& operator<<(short w) { return WriteRaw(&w, 2); }
    CArchive& operator<<(char ch) { return WriteRaw(&ch, 1); }
    CArchive& operator<<(signed char ch) { return WriteRaw(&ch, 1); }
    CArchive& operator<<(wchar_t ch) { return WriteRaw(&ch, 2); }
    CArchive& operator<<(bool b);
    CArchive& operator<<(float f) { return WriteRaw(&f, 4); }
    CArchive& operator<<(double d) { return WriteRaw(&d, 8); }
    CArchive& operator<<(LONGLONG n) { return WriteRaw(&n, 8); }
    CArchive& operator<<(ULONGLONG n) { return WriteRaw(&n, 8); }

    CArchive& operator>>(BYTE& by) { return ReadRaw(&by, 1); }
    CArchive& operator>>(WORD& w) { return ReadRaw(&w, 2); }
    CArchive& operator>>(LONG& l) { return ReadRaw(&l, 4); }
    CArchive& operator>>(DWORD& dw) { return ReadRaw(&dw, 4); }
    CArchive& operator>>(int& i) { return ReadRaw(&i, 4); }
    CArchive& operator>>(unsigned int& u) { return ReadRaw(&u, 4); }
    CArchive& operator>>(short& w) { return ReadRaw(&w, 2); }
    CArchive& operator>>(char& ch) { return ReadRaw(&ch, 1); }
    CArchive& operator>>(signed char& ch) { return ReadRaw(&ch, 1); }
    CArchive& operator>>(wchar_t& ch) { return ReadRaw(&ch, 2); }
    CArchive& operator>>(bool& b);
    CArchive& operator>>(float& f) { return ReadRaw(&f, 4); }
    CArchive& operator>>(double& d) { return ReadRaw(&d, 8); }
    CArchive& operator>>(LONGLONG& n) { return ReadRaw(&n, 8); }
    CArchive& operator>>(ULONGLONG& n) { return ReadRaw(&n, 8); }

    // Geometry: POINT and SIZE as two LONGs, RECT as four (left, top, right, bottom).
    CArchive& operator<<(const POINT& pt);
    CArchive& operator<<(const SIZE& sz);
    CArchive& operator<<(const RECT& rc);
    CArchive& operator>>(POINT& pt);
    CArchive& operator>>(SIZE& sz);
    CArchive& operator>>(RECT& rc);

    // Strings: length prefix then the characters (see README). Either width reads either record,
    // converting through the ANSI code page.
    CArchive& operator<<(const CString& s);
    CArchive& operator<<(const CStringW& s);
    CArchive& operator>>(CString& s);
    CArchive& operator>>(CStringW& s);
    // A text pointer is stored as the string it points to (not as the bool it would convert to).
    CArchive& operator<<(LPCSTR lpsz) { return *this << CString(lpsz); }
    CArchive& operator<<(LPCWSTR lpsz) { return *this << CStringW(lpsz); }
    // Other pointers have no archive form (CObject pointers go through WriteObject).
    template <typename T, typename = typename std::enable_if<!std::is_base_of<CObject, T>::value>::type>
    CArchive& operator<<(const T* p) = delete;

    // Length prefix of a string record; *pnCharSize becomes 2 for a wide record, else 1.
    void WriteStringLength(ULONGLONG nLength, BOOL bWide);
    ULONGLONG ReadStringLength(int* pnCharSize);

    friend CArchive& operator<<(CArchive& ar, const CObject* pOb);
    friend CArchive& operator>>(CArchive& ar, CObject*& pOb);
    friend CArchive& operator>>(CArchive& ar, const CObject*& pOb);

    // The file's name, for exception messages.
    CString m_strFileName;

protected:
    CArchive& WriteRaw(const void* p, UINT n);
    CArchive& ReadRaw(void* p, UINT n);
    void FillBuffer(UINT nNeeded);
    void FlushBuffer();
    [[noreturn]] void ThrowArchive(int cause) const;
    void CheckMapCount(DWORD nCount) const;

    struct LoadEntry
    {
        void* p;
        bool isClass;
        UINT schema; // stored schema of a class entry
    };

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    // Loading: unread bytes are m_buffer[m_nCur, m_nEnd). Storing: m_buffer[0, m_nCur) is pending.
    UINT m_nCur = 0;
    UINT m_nEnd = 0;
    bool m_bEof = false;
    bool m_bClosed = false;
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    // Storing: object or class -> index. Loading: index -> entry (index 0 is the null object).
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
    DWORD m_nMapCount = 1;
};
