#include "toolkit/common/persist/XTPPropExchangeArchive.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CXTPPropExchangeArchive, CXTPPropExchange)

namespace
{
// Blobs of unknown size are read in pieces, so a damaged size cannot allocate more than the data holds
// (plus one piece) before the end of the data stops it.
const DWORD kBlobChunk = 64 * 1024;

DWORD ReadCount32(CArchive& ar)
{
    DWORD_PTR n = ar.ReadCount();
    if ((static_cast<ULONGLONG>(n) >> 32) != 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    return static_cast<DWORD>(n);
}
} // namespace

CXTPPropExchangeArchive::CXTPPropExchangeArchive(CArchive& ar) : m_ar(ar)
{
    m_bLoading = ar.IsLoading();
    m_bPrepared = TRUE;
}

BOOL CXTPPropExchangeArchive::ExchangeProp(LPCSTR, VARTYPE vtProp, void* pvProp, const void*)
{
    if (!pvProp)
        return FALSE;
    const bool load = IsLoading() != FALSE;
    switch (vtProp)
    {
    case VT_I2:
        if (load)
            m_ar >> *static_cast<short*>(pvProp);
        else
            m_ar << *static_cast<short*>(pvProp);
        return TRUE;
    case VT_I4:
        if (load)
            m_ar >> *static_cast<LONG*>(pvProp);
        else
            m_ar << *static_cast<LONG*>(pvProp);
        return TRUE;
    case VT_R4:
        if (load)
            m_ar >> *static_cast<float*>(pvProp);
        else
            m_ar << *static_cast<float*>(pvProp);
        return TRUE;
    case VT_R8:
        if (load)
            m_ar >> *static_cast<double*>(pvProp);
        else
            m_ar << *static_cast<double*>(pvProp);
        return TRUE;
    case VT_CY:
        if (load)
            m_ar >> *static_cast<LONGLONG*>(pvProp);
        else
            m_ar << *static_cast<LONGLONG*>(pvProp);
        return TRUE;
    case VT_DATE:
        if (load)
            m_ar >> *static_cast<COleDateTime*>(pvProp);
        else
            m_ar << *static_cast<COleDateTime*>(pvProp);
        return TRUE;
    case VT_BOOL:
        if (load)
            m_ar >> *static_cast<int*>(pvProp);
        else
            m_ar << *static_cast<int*>(pvProp);
        return TRUE;
    case VT_VARIANT:
        if (load)
            m_ar >> *static_cast<COleVariant*>(pvProp);
        else
            m_ar << *static_cast<COleVariant*>(pvProp);
        return TRUE;
    case VT_UI1:
        if (load)
            m_ar >> *static_cast<BYTE*>(pvProp);
        else
            m_ar << *static_cast<BYTE*>(pvProp);
        return TRUE;
    case VT_LPSTR:
        if (load)
            m_ar >> *static_cast<CString*>(pvProp);
        else
            m_ar << *static_cast<CString*>(pvProp);
        return TRUE;
    case VT_XTP_RECT:
        if (load)
            m_ar >> *static_cast<RECT*>(pvProp);
        else
            m_ar << *static_cast<RECT*>(pvProp);
        return TRUE;
    case VT_XTP_SIZE:
        if (load)
            m_ar >> *static_cast<SIZE*>(pvProp);
        else
            m_ar << *static_cast<SIZE*>(pvProp);
        return TRUE;
    default:
        return FALSE; // system string pointers and unknown types have no archive form here
    }
}

BOOL CXTPPropExchangeArchive::ExchangeBlob(LPCSTR, BYTE** ppData, DWORD* pcbData)
{
    if (!ppData || !pcbData)
        return FALSE;
    if (IsStoring())
    {
        if (*pcbData > 0 && !*ppData)
            return FALSE;
        m_ar.WriteCount(*pcbData);
        m_ar.Write(*ppData, *pcbData);
        return TRUE;
    }
    DWORD nBytes = ReadCount32(m_ar);
    if (*ppData)
    {
        if (nBytes > *pcbData)
            AfxThrowArchiveException(CArchiveException::genericException); // larger than the caller's buffer
        m_ar.EnsureRead(*ppData, nBytes);
        *pcbData = nBytes;
        return TRUE;
    }
    if (nBytes == 0)
    {
        *pcbData = 0;
        return TRUE;
    }
    BYTE* pOut = nullptr;
    DWORD done = 0;
    try
    {
        while (done < nBytes)
        {
            DWORD piece = nBytes - done < kBlobChunk ? nBytes - done : kBlobChunk;
            BYTE* p = static_cast<BYTE*>(std::realloc(pOut, static_cast<size_t>(done) + piece));
            if (!p)
                AfxThrowMemoryException();
            pOut = p;
            m_ar.EnsureRead(pOut + done, piece);
            done += piece;
        }
    }
    catch (...)
    {
        std::free(pOut);
        throw;
    }
    *ppData = pOut;
    *pcbData = nBytes;
    return TRUE;
}

BOOL CXTPPropExchangeArchive::ExchangeRuntimeClass(LPCSTR, CRuntimeClass** ppClass, CRuntimeClass*)
{
    if (!ppClass)
        return FALSE;
    if (IsStoring())
    {
        if (!*ppClass)
            return FALSE;
        m_ar.WriteClass(*ppClass);
        return TRUE;
    }
    UINT nSchema = 0;
    CRuntimeClass* pClass = m_ar.ReadClass(nullptr, &nSchema);
    if (!pClass)
        return FALSE;
    *ppClass = pClass;
    return TRUE;
}

BOOL CXTPPropExchangeArchive::ExchangeObjectInstance(CObject** ppObject, CRuntimeClass* pObjectRuntime)
{
    if (!ppObject || !pObjectRuntime)
        return FALSE;
    if (IsStoring())
    {
        if (!*ppObject)
            return FALSE;
        CRuntimeClass* pClass = (*ppObject)->GetRuntimeClass();
        if (!ExchangeRuntimeClass(nullptr, &pClass, pObjectRuntime))
            return FALSE;
        m_ar.MapObject(*ppObject);
        return TRUE;
    }
    CRuntimeClass* pClass = nullptr;
    if (!ExchangeRuntimeClass(nullptr, &pClass, pObjectRuntime))
        return FALSE;
    // Checked before anything is made, so a refused class leaves nothing behind.
    if (!pClass->IsDerivedFrom(pObjectRuntime))
        return FALSE;
    CObject* pObject = pClass->CreateObject();
    if (!pObject)
        AfxThrowArchiveException(CArchiveException::badClass);
    try
    {
        m_ar.MapObject(pObject);
    }
    catch (...)
    {
        delete pObject;
        throw;
    }
    *ppObject = pObject;
    return TRUE;
}

CArchive* CXTPPropExchangeArchive::GetArchive(LPCSTR)
{
    return &m_ar;
}

void CXTPPropExchangeArchive::ReleaseArchive(LPCSTR, CArchive*) {}

CXTPPropExchange* CXTPPropExchangeArchive::GetSection(LPCSTR)
{
    CXTPPropExchangeArchive* pSection = new CXTPPropExchangeArchive(m_ar);
    InitSection(pSection);
    return pSection;
}

void CXTPPropExchangeArchive::WriteCount(DWORD dwCount)
{
    m_ar.WriteCount(dwCount);
}

DWORD CXTPPropExchangeArchive::ReadCount()
{
    return ReadCount32(m_ar);
}

void CXTPPropExchangeArchive::WriteBlock(const void* pData, DWORD dwCount)
{
    m_ar.Write(pData, dwCount);
}

DWORD CXTPPropExchangeArchive::ReadBlock(void* pBuffer, DWORD dwCount)
{
    return m_ar.Read(pBuffer, dwCount);
}

BOOL CXTPPropExchangeArchive::HasNamedValues() const
{
    return FALSE;
}

BOOL CXTPPropExchangeArchive::HasBinaryValues() const
{
    return TRUE;
}

void CXTPPropExchangeArchive::ExchangeSchema()
{
    if (IsStoring())
    {
        m_ar << static_cast<DWORD>(XTP_PROPEXCHANGE_SCHEMA_MARKER) << static_cast<LONG>(m_nSchema);
        return;
    }
    DWORD marker = 0;
    if (m_ar.Peek(&marker, sizeof(marker)) == sizeof(marker) && marker == XTP_PROPEXCHANGE_SCHEMA_MARKER)
    {
        LONG nSchema = 0;
        m_ar >> marker >> nSchema;
        m_nSchema = nSchema;
        return;
    }
    m_nSchema = XTP_PROPEXCHANGE_SCHEMA_UNMARKED;
}
