#include "toolkit/common/persist/XTPPropExchangeRegistry.h"

#include "framework/WinApp.h"

#include <cstdlib>
#include <cstring>
#include <memory>

IMPLEMENT_DYNAMIC(CXTPPropExchangeRegistry, CXTPPropExchange)

namespace
{
// Access masks of the section key: KEY_READ when loading, KEY_WRITE when storing.
const REGSAM kLoadAccess = 0x20019;
const REGSAM kStoreAccess = 0x20006;
} // namespace

CXTPPropExchangeRegistry::CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCSTR lpszSection)
    : CXTPPropExchangeRegistry(bLoading, hParentKey, lpszSection, TRUE)
{
}

CXTPPropExchangeRegistry::CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCSTR lpszSection,
                                                   BOOL bAppKeyWhenNull)
    : m_hParentKey(hParentKey), m_hSectionKey(nullptr), m_bCloseParentKey(FALSE),
      m_strSectionName(lpszSection)
{
    m_bLoading = bLoading;
    if (!m_hParentKey && bAppKeyWhenNull && AfxGetApp())
    {
        m_hParentKey = AfxGetApp()->GetAppRegistryKey();
        m_bCloseParentKey = m_hParentKey != nullptr;
    }
}

CXTPPropExchangeRegistry::~CXTPPropExchangeRegistry()
{
    if (m_hSectionKey)
        RegCloseKey(m_hSectionKey);
    if (m_bCloseParentKey && m_hParentKey)
        RegCloseKey(m_hParentKey);
}

BOOL CXTPPropExchangeRegistry::PrepareStore()
{
    if (m_hSectionKey)
        return TRUE;
    if (!m_hParentKey)
        return FALSE;
    DWORD disposition = 0;
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(m_hParentKey, m_strSectionName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        m_bLoading ? kLoadAccess : kStoreAccess, nullptr, &hKey,
                        &disposition) != ERROR_SUCCESS)
        return FALSE;
    m_hSectionKey = hKey;
    m_bPrepared = TRUE;
    return TRUE;
}

CXTPPropExchange* CXTPPropExchangeRegistry::GetSection(LPCSTR pszSection)
{
    PrepareStore();
    // A section under a key that could not be opened stays unopened (never the application's key).
    CXTPPropExchangeRegistry* pSection =
        new CXTPPropExchangeRegistry(m_bLoading, m_hSectionKey, pszSection, FALSE);
    InitSection(pSection);
    return pSection;
}

void CXTPPropExchangeRegistry::EmptySection()
{
    // Without a name the section is the parent key itself (for a root exchange, the application's whole
    // key): never deleted this way.
    if (m_strSectionName.IsEmpty() || !m_hParentKey)
        return;
    m_bEmptySection = TRUE;
    if (m_hSectionKey)
    {
        RegCloseKey(m_hSectionKey);
        m_hSectionKey = nullptr;
    }
    m_bPrepared = FALSE;
    RegDeleteTreeA(m_hParentKey, m_strSectionName);
}

BOOL CXTPPropExchangeRegistry::HasBinaryValues() const
{
    return TRUE;
}

BOOL CXTPPropExchangeRegistry::QueryValue(LPCSTR pszPropName, DWORD dwType, CString* pText, BYTE* pBytes,
                                          DWORD cbExact)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(m_hSectionKey, pszPropName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != dwType)
        return FALSE;
    if (pText)
    {
        // Room for a terminator the stored text may lack.
        std::unique_ptr<char[]> buf(new (std::nothrow) char[static_cast<size_t>(size) + 1]);
        if (!buf)
            return FALSE;
        DWORD got = size;
        if (RegQueryValueExA(m_hSectionKey, pszPropName, nullptr, &type, reinterpret_cast<BYTE*>(buf.get()),
                             &got) != ERROR_SUCCESS ||
            type != dwType || got > size)
            return FALSE;
        buf[got] = 0;
        *pText = buf.get();
        return TRUE;
    }
    if (size != cbExact)
        return FALSE;
    DWORD got = cbExact;
    return RegQueryValueExA(m_hSectionKey, pszPropName, nullptr, &type, pBytes, &got) == ERROR_SUCCESS &&
           type == dwType && got == cbExact;
}

void CXTPPropExchangeRegistry::DeleteValue(LPCSTR pszPropName)
{
    if (!m_bEmptySection)
        RegDeleteValueA(m_hSectionKey, pszPropName);
}

BOOL CXTPPropExchangeRegistry::ExchangeProp(LPCSTR pszPropName, VARTYPE vtProp, void* pvProp,
                                            const void* pvDefault)
{
    if (!pvProp)
        return FALSE;
    switch (vtProp)
    {
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
    case VT_UI1:
    case VT_R4:
    case VT_R8:
    case VT_LPSTR:
    case VT_XTP_RECT:
    case VT_XTP_SIZE:
        break;
    default:
        return FALSE; // no registry form
    }

    if (!PrepareStore())
        return IsLoading() ? LoadDefault(vtProp, pvProp, pvDefault) : FALSE;

    const int size = GetPropSize(vtProp);
    if (IsLoading())
    {
        switch (vtProp)
        {
        case VT_I2:
        case VT_I4:
        case VT_BOOL:
        case VT_UI1: {
            // The value's bytes are the low bytes of the word (a 16-bit -1 is 0x0000FFFF).
            DWORD dw = 0;
            if (!QueryValue(pszPropName, REG_DWORD, nullptr, reinterpret_cast<BYTE*>(&dw), sizeof(dw)))
                return LoadDefault(vtProp, pvProp, pvDefault);
            std::memcpy(pvProp, &dw, static_cast<size_t>(size));
            return TRUE;
        }
        case VT_R4:
        case VT_R8: {
            BYTE bytes[8];
            if (!QueryValue(pszPropName, REG_BINARY, nullptr, bytes, static_cast<DWORD>(size)))
                return LoadDefault(vtProp, pvProp, pvDefault);
            std::memcpy(pvProp, bytes, static_cast<size_t>(size));
            return TRUE;
        }
        default: {
            CString text;
            if (!QueryValue(pszPropName, REG_SZ, &text, nullptr, 0))
                return LoadDefault(vtProp, pvProp, pvDefault);
            if (!PropFromString(vtProp, text, pvProp))
                return LoadDefault(vtProp, pvProp, pvDefault);
            return TRUE;
        }
        }
    }

    if (m_bUseDefaultOnSave && pvDefault && IsSamePropValue(vtProp, pvProp, pvDefault))
    {
        DeleteValue(pszPropName);
        return TRUE;
    }
    LONG result;
    switch (vtProp)
    {
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
    case VT_UI1: {
        DWORD dw = 0;
        std::memcpy(&dw, pvProp, static_cast<size_t>(size));
        result = RegSetValueExA(m_hSectionKey, pszPropName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dw),
                                sizeof(dw));
        break;
    }
    case VT_R4:
    case VT_R8:
        result = RegSetValueExA(m_hSectionKey, pszPropName, 0, REG_BINARY, static_cast<const BYTE*>(pvProp),
                                static_cast<DWORD>(size));
        break;
    default: {
        CString text;
        if (!PropToString(vtProp, pvProp, text))
            return FALSE;
        result = RegSetValueExA(m_hSectionKey, pszPropName, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(text)),
                                static_cast<DWORD>(text.GetLength() + 1));
        break;
    }
    }
    return result == ERROR_SUCCESS;
}

BOOL CXTPPropExchangeRegistry::ExchangeBlob(LPCSTR pszPropName, BYTE** ppData, DWORD* pcbData)
{
    if (!ppData || !pcbData || !PrepareStore())
        return FALSE;
    if (IsStoring())
    {
        if (*pcbData > 0 && !*ppData)
            return FALSE;
        return RegSetValueExA(m_hSectionKey, pszPropName, 0, REG_BINARY, *ppData, *pcbData) == ERROR_SUCCESS;
    }
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(m_hSectionKey, pszPropName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return FALSE;
    if (size == 0)
    {
        *pcbData = 0;
        return TRUE;
    }
    BYTE* pOut = *ppData;
    bool allocated = false;
    if (pOut)
    {
        if (*pcbData < size)
            return FALSE;
    }
    else
    {
        pOut = static_cast<BYTE*>(std::malloc(size));
        if (!pOut)
            return FALSE;
        allocated = true;
    }
    DWORD got = size;
    if (RegQueryValueExA(m_hSectionKey, pszPropName, nullptr, &type, pOut, &got) != ERROR_SUCCESS ||
        type != REG_BINARY || got > size)
    {
        if (allocated)
            std::free(pOut);
        return FALSE;
    }
    *ppData = pOut;
    *pcbData = got;
    return TRUE;
}
