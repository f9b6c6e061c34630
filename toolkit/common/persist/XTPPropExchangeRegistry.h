// CXTPPropExchangeRegistry: the property exchange over a registry key, one sub-key per section. Integers
// are REG_DWORD, floats REG_BINARY of their size, texts, rectangles and sizes REG_SZ, blobs REG_BINARY.
#pragma once

#include "toolkit/common/persist/XTPPropExchange.h"

class CXTPPropExchangeRegistry : public CXTPPropExchange
{
    DECLARE_DYNAMIC(CXTPPropExchangeRegistry)
public:
    // hParentKey null: the application's registry key (closed again by this exchange). The section key
    // is opened (or created) on first use.
    CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCSTR lpszSection);
    ~CXTPPropExchangeRegistry() override;

    BOOL ExchangeProp(LPCSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    BOOL ExchangeBlob(LPCSTR pszPropName, BYTE** ppData, DWORD* pcbData) override;
    CXTPPropExchange* GetSection(LPCSTR pszSection) override;
    // Deletes the section's key with everything below it. Refused (nothing deleted) for a section
    // without a name, which would be the parent key itself.
    void EmptySection() override;
    BOOL HasBinaryValues() const override;
    BOOL PrepareStore() override;

    HKEY GetSectionKey() const { return m_hSectionKey; }

protected:
    // bAppKeyWhenNull FALSE: a null parent stays null (a section under a key that could not be opened).
    CXTPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCSTR lpszSection, BOOL bAppKeyWhenNull);
    // Reads a value of the given registry type; FALSE when absent, of another type or size.
    BOOL QueryValue(LPCSTR pszPropName, DWORD dwType, CString* pText, BYTE* pBytes, DWORD cbExact);
    void DeleteValue(LPCSTR pszPropName);

    HKEY m_hParentKey;
    HKEY m_hSectionKey;
    BOOL m_bCloseParentKey;
    CString m_strSectionName;
};
