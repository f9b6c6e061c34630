#include "toolkit/common/persist/XTPPropExchange.h"

#include "framework/MemFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

IMPLEMENT_DYNAMIC(CXTPPropExchange, CCmdTarget)

LCID CXTPPropExchange::m_lcidDateTime = static_cast<LCID>(-1);

namespace
{
// "Schema" is read and written against this default; new exchanges start at 38, so a current schema is
// always stored and a missing one means an old writer.
const int kSchemaDefault = 32;
} // namespace

CXTPPropExchange::CXTPPropExchange()
    : m_bLoading(FALSE), m_nSchema(XTP_PROPEXCHANGE_SCHEMA), m_bChildSection(FALSE), m_bPrepared(FALSE),
      m_bEmptySection(FALSE), m_bUseDefaultOnLoad(TRUE), m_bUseDefaultOnSave(TRUE), m_pOwner(nullptr),
      m_pParam(nullptr)
{
}

CXTPPropExchange::~CXTPPropExchange() = default;

void CXTPPropExchange::InitSection(CXTPPropExchange* pSection)
{
    pSection->m_bLoading = m_bLoading;
    pSection->m_nSchema = m_nSchema;
    pSection->m_bEmptySection = m_bEmptySection;
    pSection->m_bUseDefaultOnLoad = m_bUseDefaultOnLoad;
    pSection->m_bUseDefaultOnSave = m_bUseDefaultOnSave;
    pSection->m_pOwner = m_pOwner;
    pSection->m_pParam = m_pParam;
    pSection->m_bChildSection = TRUE;
}

int CXTPPropExchange::GetPropSize(VARTYPE vtProp)
{
    switch (vtProp)
    {
    case VT_I2:
        return 2;
    case VT_I4:
    case VT_R4:
    case VT_BOOL:
        return 4;
    case VT_R8:
    case VT_CY:
        return 8;
    case VT_UI1:
        return 1;
    case VT_XTP_RECT:
        return 16;
    case VT_XTP_SIZE:
        return 8;
    default:
        return 0;
    }
}

BOOL CXTPPropExchange::CopyPropValue(VARTYPE vtProp, void* pvDest, const void* pvSrc) const
{
    if (!pvDest || !pvSrc)
        return FALSE;
    switch (vtProp)
    {
    case VT_LPSTR:
        *static_cast<CString*>(pvDest) = static_cast<LPCSTR>(pvSrc);
        return TRUE;
    case VT_DATE:
        *static_cast<COleDateTime*>(pvDest) = *static_cast<const COleDateTime*>(pvSrc);
        return TRUE;
    case VT_VARIANT:
        *static_cast<COleVariant*>(pvDest) = *static_cast<const VARIANT*>(pvSrc);
        return TRUE;
    default:
        break;
    }
    int size = GetPropSize(vtProp);
    if (size == 0)
        return FALSE;
    std::memcpy(pvDest, pvSrc, static_cast<size_t>(size));
    return TRUE;
}

BOOL CXTPPropExchange::IsSamePropValue(VARTYPE vtProp, const void* pv1, const void* pv2) const
{
    if (!pv1 || !pv2)
        return FALSE;
    switch (vtProp)
    {
    case VT_LPSTR:
        return std::strcmp(static_cast<LPCSTR>(*static_cast<const CString*>(pv1)),
                           static_cast<LPCSTR>(pv2)) == 0;
    case VT_DATE: {
        // By value and status: the record has padding, so never byte for byte.
        const COleDateTime& a = *static_cast<const COleDateTime*>(pv1);
        const COleDateTime& b = *static_cast<const COleDateTime*>(pv2);
        return a.m_dt == b.m_dt && a.m_status == b.m_status;
    }
    case VT_VARIANT:
        return *static_cast<const COleVariant*>(pv1) == *static_cast<const VARIANT*>(pv2);
    default:
        break;
    }
    int size = GetPropSize(vtProp);
    return size != 0 && std::memcmp(pv1, pv2, static_cast<size_t>(size)) == 0;
}

BOOL CXTPPropExchange::LoadDefault(VARTYPE vtProp, void* pvProp, const void* pvDefault) const
{
    if (!pvDefault || !m_bUseDefaultOnLoad)
        return FALSE;
    return CopyPropValue(vtProp, pvProp, pvDefault);
}

// ---- text forms ----

CString CXTPPropExchange::DateTimeToString(const COleDateTime& dt)
{
    if (m_lcidDateTime != static_cast<LCID>(-1))
        return dt.Format(0, m_lcidDateTime);
    double days = std::trunc(dt.m_dt);
    if (days == 0)
        return dt.Format("%H:%M:%S");
    if (days == dt.m_dt)
        return dt.Format("%Y-%d-%m"); // year, day, month: the stored form
    return dt.Format("%Y-%d-%mT%H:%M:%S");
}

BOOL CXTPPropExchange::StringToDateTime(LPCSTR lpszValue, COleDateTime& dt)
{
    if (!lpszValue)
        return FALSE;
    if (m_lcidDateTime != static_cast<LCID>(-1))
    {
        COleDateTime parsed;
        if (!parsed.ParseDateTime(lpszValue, 0, m_lcidDateTime))
            return FALSE;
        dt = parsed;
        return TRUE;
    }
    unsigned short year = 0, day = 0, month = 0, hour = 0, minute = 0, second = 0;
    int n = std::sscanf(lpszValue, "%hu-%hu-%huT%hu:%hu:%hu", &year, &day, &month, &hour, &minute, &second);
    if (n == 3 || n == 5 || n == 6)
    {
        COleDateTime parsed;
        if (parsed.SetDateTime(year, month, day, hour, minute, second) != 0)
            return FALSE;
        dt = parsed;
        return TRUE;
    }
    hour = minute = second = 0;
    n = std::sscanf(lpszValue, "%hu:%hu:%hu", &hour, &minute, &second);
    if (n == 2 || n == 3)
    {
        dt = COleDateTime((hour * 3600.0 + minute * 60.0 + second) / 86400.0);
        return TRUE;
    }
    return FALSE;
}

BOOL CXTPPropExchange::PropToString(VARTYPE vtProp, const void* pvProp, CString& strValue)
{
    switch (vtProp)
    {
    case VT_I2:
        strValue.Format("%i", static_cast<int>(*static_cast<const short*>(pvProp)));
        return TRUE;
    case VT_I4:
        strValue.Format("%i", static_cast<int>(*static_cast<const LONG*>(pvProp)));
        return TRUE;
    case VT_BOOL:
        strValue.Format("%i", static_cast<int>(*static_cast<const BOOL*>(pvProp)));
        return TRUE;
    case VT_UI1:
        strValue.Format("%i", static_cast<int>(*static_cast<const BYTE*>(pvProp)));
        return TRUE;
    case VT_R4:
        // 9 significant digits bring every float back exactly, 17 every double.
        strValue.Format("%.9g", static_cast<double>(*static_cast<const float*>(pvProp)));
        return TRUE;
    case VT_R8:
        strValue.Format("%.17g", *static_cast<const double*>(pvProp));
        return TRUE;
    case VT_DATE:
        strValue = DateTimeToString(*static_cast<const COleDateTime*>(pvProp));
        return TRUE;
    case VT_VARIANT: {
        const VARIANT& var = *static_cast<const VARIANT*>(pvProp);
        if (var.vt == VT_DATE)
        {
            strValue = DateTimeToString(COleDateTime(var.date));
            return TRUE;
        }
        VARIANT text;
        VariantInit(&text);
        if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&var), 0, VT_BSTR)))
            return FALSE;
        strValue = CString(CStringW(text.bstrVal ? text.bstrVal : L""));
        VariantClear(&text);
        return TRUE;
    }
    case VT_LPSTR:
        strValue = *static_cast<const CString*>(pvProp);
        return TRUE;
    case VT_XTP_RECT: {
        const RECT& rc = *static_cast<const RECT*>(pvProp);
        strValue.Format("%i, %i, %i, %i", static_cast<int>(rc.left), static_cast<int>(rc.top),
                        static_cast<int>(rc.right), static_cast<int>(rc.bottom));
        return TRUE;
    }
    case VT_XTP_SIZE: {
        const SIZE& sz = *static_cast<const SIZE*>(pvProp);
        strValue.Format("%i, %i", static_cast<int>(sz.cx), static_cast<int>(sz.cy));
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CXTPPropExchange::PropFromString(VARTYPE vtProp, const CString& strValue, void* pvProp)
{
    LPCSTR text = strValue;
    switch (vtProp)
    {
    case VT_I2:
        *static_cast<short*>(pvProp) = static_cast<short>(std::atoi(text));
        return TRUE;
    case VT_I4:
        *static_cast<LONG*>(pvProp) = static_cast<LONG>(std::atoi(text));
        return TRUE;
    case VT_BOOL:
        *static_cast<BOOL*>(pvProp) = static_cast<BOOL>(std::atoi(text));
        return TRUE;
    case VT_UI1:
        *static_cast<BYTE*>(pvProp) = static_cast<BYTE>(std::atoi(text));
        return TRUE;
    case VT_R4:
        *static_cast<float*>(pvProp) = static_cast<float>(std::strtod(text, nullptr));
        return TRUE;
    case VT_R8:
        *static_cast<double*>(pvProp) = std::strtod(text, nullptr);
        return TRUE;
    case VT_DATE:
        return StringToDateTime(text, *static_cast<COleDateTime*>(pvProp));
    case VT_VARIANT: {
        COleDateTime dt;
        if (StringToDateTime(text, dt))
            *static_cast<COleVariant*>(pvProp) = dt;
        else
            *static_cast<COleVariant*>(pvProp) = text;
        return TRUE;
    }
    case VT_LPSTR:
        *static_cast<CString*>(pvProp) = strValue;
        return TRUE;
    case VT_XTP_RECT: {
        int l, t, r, b;
        if (std::sscanf(text, "%i, %i, %i, %i", &l, &t, &r, &b) != 4)
            return FALSE;
        RECT& rc = *static_cast<RECT*>(pvProp);
        rc.left = l, rc.top = t, rc.right = r, rc.bottom = b;
        return TRUE;
    }
    case VT_XTP_SIZE: {
        int cx, cy;
        if (std::sscanf(text, "%i, %i", &cx, &cy) != 2)
            return FALSE;
        SIZE& sz = *static_cast<SIZE*>(pvProp);
        sz.cx = cx, sz.cy = cy;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// ---- base behaviour of the named stores ----

BOOL CXTPPropExchange::ExchangeBlob(LPCSTR pszPropName, BYTE** ppData, DWORD* pcbData)
{
    if (!ppData || !pcbData)
        return FALSE;
    if (IsStoring())
    {
        if (*pcbData > 0 && !*ppData)
            return FALSE;
        if (*pcbData > 0x3FFFFFFF)
            return FALSE; // its text would not fit a string
        CString text;
        if (*pcbData > 0)
        {
            char* p = text.GetBufferSetLength(static_cast<int>(*pcbData * 2));
            const BYTE* src = *ppData;
            for (DWORD i = 0; i < *pcbData; ++i)
            {
                p[i * 2] = static_cast<char>('A' + (src[i] & 0x0F));
                p[i * 2 + 1] = static_cast<char>('A' + ((src[i] >> 4) & 0x0F));
            }
            text.ReleaseBuffer(static_cast<int>(*pcbData * 2));
        }
        return ExchangeProp(pszPropName, VT_LPSTR, &text, "");
    }

    CString text;
    if (!ExchangeProp(pszPropName, VT_LPSTR, &text, nullptr))
        return FALSE;
    int length = text.GetLength();
    if (length % 2 != 0)
        return FALSE;
    DWORD nBytes = static_cast<DWORD>(length / 2);
    if (nBytes == 0)
    {
        *pcbData = 0;
        return TRUE;
    }
    BYTE* pOut = *ppData;
    bool allocated = false;
    if (pOut)
    {
        if (*pcbData < nBytes)
            return FALSE;
    }
    else
    {
        pOut = static_cast<BYTE*>(std::malloc(nBytes));
        if (!pOut)
            return FALSE;
        allocated = true;
    }
    LPCSTR src = text;
    for (DWORD i = 0; i < nBytes; ++i)
    {
        int lo = src[i * 2] - 'A';
        int hi = src[i * 2 + 1] - 'A';
        if (lo < 0 || lo > 15 || hi < 0 || hi > 15)
        {
            if (allocated)
                std::free(pOut);
            return FALSE;
        }
        pOut[i] = static_cast<BYTE>(lo | (hi << 4));
    }
    *ppData = pOut;
    *pcbData = nBytes;
    return TRUE;
}

BOOL CXTPPropExchange::ExchangeRuntimeClass(LPCSTR pszPropName, CRuntimeClass** ppClass,
                                            CRuntimeClass* pDefaultClass)
{
    if (!ppClass)
        return FALSE;
    if (IsStoring())
    {
        if (!*ppClass)
            return FALSE;
        CString name((*ppClass)->m_lpszClassName);
        return ExchangeProp(pszPropName, VT_LPSTR, &name,
                            pDefaultClass ? pDefaultClass->m_lpszClassName : nullptr);
    }
    CString name;
    if (!ExchangeProp(pszPropName, VT_LPSTR, &name, nullptr))
    {
        if (!pDefaultClass)
            return FALSE;
        *ppClass = pDefaultClass;
        return TRUE;
    }
    CRuntimeClass* pClass = CRuntimeClass::FromName(static_cast<LPCSTR>(name));
    if (!pClass)
        return FALSE;
    *ppClass = pClass;
    return TRUE;
}

BOOL CXTPPropExchange::ExchangeObjectInstance(CObject** ppObject, CRuntimeClass* pObjectRuntime)
{
    if (!ppObject || !pObjectRuntime)
        return FALSE;
    if (IsStoring())
    {
        if (!*ppObject)
            return FALSE;
        CRuntimeClass* pClass = (*ppObject)->GetRuntimeClass();
        return ExchangeRuntimeClass("Class", &pClass, pObjectRuntime);
    }
    CRuntimeClass* pClass = nullptr;
    if (!ExchangeRuntimeClass("Class", &pClass, pObjectRuntime))
        return FALSE;
    // Checked before anything is made, so a refused class leaves nothing behind.
    if (!pClass->IsDerivedFrom(pObjectRuntime))
        return FALSE;
    CObject* pObject = pClass->CreateObject();
    if (!pObject)
        AfxThrowArchiveException(CArchiveException::badClass);
    *ppObject = pObject;
    return TRUE;
}

CArchive* CXTPPropExchange::GetArchive(LPCSTR pszPropName)
{
    if (IsLoading())
    {
        BYTE* pData = nullptr;
        DWORD nBytes = 0;
        if (!ExchangeBlob(pszPropName, &pData, &nBytes))
            return nullptr;
        std::unique_ptr<CMemFile> file(new CMemFile());
        if (pData)
            file->AttachOwned(pData, nBytes); // freed with the file
        CArchive* pArchive = new CArchive(file.get(), CArchive::load, 4096);
        file.release();
        return pArchive;
    }
    std::unique_ptr<CMemFile> file(new CMemFile(1024));
    CArchive* pArchive = new CArchive(file.get(), CArchive::store, 4096);
    file.release();
    return pArchive;
}

void CXTPPropExchange::ReleaseArchive(LPCSTR pszPropName, CArchive* pArchive)
{
    if (!pArchive)
        return;
    std::unique_ptr<CArchive> archive(pArchive);
    std::unique_ptr<CFile> file(pArchive->GetFile());
    struct Cleanup
    {
        CArchive* ar;
        CFile* f;
        ~Cleanup()
        {
            ar->Abort();
            f->Abort();
        }
    } cleanup{pArchive, file.get()};
    if (IsStoring())
    {
        pArchive->Flush();
        CMemFile* pMemFile = static_cast<CMemFile*>(file.get());
        DWORD nBytes = static_cast<DWORD>(pMemFile->GetPosition());
        std::unique_ptr<BYTE, decltype(&std::free)> data(pMemFile->Detach(), &std::free);
        BYTE* p = data.get();
        ExchangeBlob(pszPropName, &p, &nBytes);
    }
}

void CXTPPropExchange::EmptySection()
{
    m_bEmptySection = TRUE;
}

void CXTPPropExchange::WriteCount(DWORD dwCount)
{
    LONG n = static_cast<LONG>(dwCount);
    const LONG zero = 0;
    ExchangeProp("Count", VT_I4, &n, &zero);
}

DWORD CXTPPropExchange::ReadCount()
{
    LONG n = 0;
    const LONG zero = 0;
    ExchangeProp("Count", VT_I4, &n, &zero);
    return n > 0 ? static_cast<DWORD>(n) : 0;
}

void CXTPPropExchange::WriteBlock(const void* pData, DWORD dwCount)
{
    BYTE* p = static_cast<BYTE*>(const_cast<void*>(pData));
    ExchangeBlob("Data", &p, &dwCount);
}

DWORD CXTPPropExchange::ReadBlock(void* pBuffer, DWORD dwCount)
{
    if (!pBuffer)
        return 0;
    BYTE* p = static_cast<BYTE*>(pBuffer);
    DWORD n = dwCount;
    return ExchangeBlob("Data", &p, &n) ? n : 0;
}

BOOL CXTPPropExchange::HasNamedValues() const
{
    return TRUE;
}

BOOL CXTPPropExchange::HasBinaryValues() const
{
    return FALSE;
}

BOOL CXTPPropExchange::PrepareStore()
{
    m_bPrepared = TRUE;
    return TRUE;
}

CXTPPropExchangeEnumerator* CXTPPropExchange::GetEnumerator(LPCSTR lpszSection)
{
    return new CXTPPropExchangeEnumerator(this, lpszSection);
}

void CXTPPropExchange::ExchangeSchema()
{
    LONG nSchema = m_nSchema;
    ExchangeProp("Schema", VT_I4, &nSchema, &kSchemaDefault);
    m_nSchema = nSchema;
}

// ---- enumerator ----

CXTPPropExchangeEnumerator::CXTPPropExchangeEnumerator(CXTPPropExchange* pContainer, LPCSTR lpszSection)
    : m_pContainer(pContainer), m_strSectionName(lpszSection), m_nCount(0)
{
}

CXTPPropExchangeEnumerator::~CXTPPropExchangeEnumerator() = default;

POSITION CXTPPropExchangeEnumerator::GetPosition(DWORD dwCount, BOOL bCompactMode)
{
    m_nCount = 0;
    if (!m_pContainer)
        return nullptr;
    if (!bCompactMode)
    {
        LONG n = static_cast<LONG>(dwCount);
        const LONG zero = 0;
        m_pContainer->ExchangeProp("Count", VT_I4, &n, &zero);
        m_nCount = n > 0 ? static_cast<DWORD>(n) : 0;
    }
    else if (m_pContainer->IsStoring())
    {
        m_pContainer->WriteCount(dwCount);
        m_nCount = dwCount;
    }
    else
    {
        m_nCount = m_pContainer->ReadCount();
    }
    return m_nCount > 0 ? reinterpret_cast<POSITION>(static_cast<DWORD_PTR>(1)) : nullptr;
}

CXTPPropExchange* CXTPPropExchangeEnumerator::GetNext(POSITION& pos)
{
    DWORD_PTR n = reinterpret_cast<DWORD_PTR>(pos);
    if (n == 0 || !m_pContainer)
        return nullptr;
    CString name;
    name.Format("%s%i", static_cast<LPCSTR>(m_strSectionName), static_cast<int>(n - 1));
    CXTPPropExchange* pSection = m_pContainer->GetSection(name);
    pos = n < m_nCount ? reinterpret_cast<POSITION>(n + 1) : nullptr;
    return pSection;
}

// ---- wrappers ----

BOOL ExchangeByteProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, BYTE& nValue, BYTE nDefault)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_UI1, &nValue, &nDefault) : FALSE;
}

BOOL ExchangeShortProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, short& sValue, short sDefault)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_I2, &sValue, &sDefault) : FALSE;
}

BOOL ExchangeIntProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, int& nValue, int nDefault)
{
    static_assert(sizeof(int) == 4, "type 3 is 32 bits");
    return pPX ? pPX->ExchangeProp(pszPropName, VT_I4, &nValue, &nDefault) : FALSE;
}

BOOL ExchangeIntProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, long& nValue, long nDefault)
{
    static_assert(sizeof(long) == 4, "LONG is 32 bits on Windows");
    return pPX ? pPX->ExchangeProp(pszPropName, VT_I4, &nValue, &nDefault) : FALSE;
}

BOOL ExchangeIntProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, DWORD& nValue, DWORD nDefault)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_I4, &nValue, &nDefault) : FALSE;
}

BOOL ExchangeIntProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, UINT& nValue, UINT nDefault)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_I4, &nValue, &nDefault) : FALSE;
}

BOOL ExchangeIntPropertyNoDefault(CXTPPropExchange* pPX, LPCSTR pszPropName, int& nValue)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_I4, &nValue, nullptr) : FALSE;
}

BOOL ExchangeBoolProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, BOOL& bValue, BOOL bDefault)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_BOOL, &bValue, &bDefault) : FALSE;
}

BOOL ExchangeBoolProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, bool& bValue, bool bDefault)
{
    if (!pPX)
        return FALSE;
    BOOL b = bValue ? TRUE : FALSE;
    BOOL bDef = bDefault ? TRUE : FALSE;
    BOOL result = pPX->ExchangeProp(pszPropName, VT_BOOL, &b, &bDef);
    if (pPX->IsLoading())
        bValue = b != FALSE;
    return result;
}

BOOL ExchangeStringProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, CString& strValue, LPCSTR lpszDefault)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_LPSTR, &strValue, lpszDefault ? lpszDefault : "") : FALSE;
}

BOOL ExchangeStringPropertyNoDefault(CXTPPropExchange* pPX, LPCSTR pszPropName, CString& strValue)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_LPSTR, &strValue, nullptr) : FALSE;
}

BOOL ExchangeSizeProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, SIZE& szValue, SIZE szDefault)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_XTP_SIZE, &szValue, &szDefault) : FALSE;
}

BOOL ExchangeRectProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, RECT& rcValue, RECT rcDefault)
{
    return pPX ? pPX->ExchangeProp(pszPropName, VT_XTP_RECT, &rcValue, &rcDefault) : FALSE;
}

BOOL ExchangeBlobProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, BYTE*& pData, DWORD& nBytes)
{
    return pPX ? pPX->ExchangeBlob(pszPropName, &pData, &nBytes) : FALSE;
}

BOOL ExchangeSerializedObject(CXTPPropExchange* pPX, LPCSTR pszPropName, CObject* pObject)
{
    if (!pPX || !pObject)
        return FALSE;
    CArchive* pArchive = pPX->GetArchive(pszPropName);
    if (!pArchive)
        return FALSE;
    BOOL bResult = FALSE;
    try
    {
        pObject->Serialize(*pArchive);
        bResult = TRUE;
    }
    catch (CArchiveException* e)
    {
        e->Delete();
    }
    catch (COleException* e)
    {
        e->Delete();
    }
    catch (CMemoryException* e)
    {
        // A damaged count or length that asks for more than there is: refused like any damage.
        e->Delete();
    }
    pPX->ReleaseArchive(pszPropName, pArchive);
    return bResult;
}
