// CXTPPropExchangeArchive: the property exchange over a framework archive. Names and defaults are not
// stored: every value is written or read in call order in its binary form (little-endian, fixed
// widths), sections are the same stream, and the schema is marked with 0x0FF0ADBF.
#pragma once

#include "toolkit/common/persist/XTPPropExchange.h"

class CXTPPropExchangeArchive : public CXTPPropExchange
{
    DECLARE_DYNAMIC(CXTPPropExchangeArchive)
public:
    // Loads when the archive loads. The archive must outlive the exchange and its sections.
    explicit CXTPPropExchangeArchive(CArchive& ar);

    // Reads past the end of the data (and other damage) raise CArchiveException.
    BOOL ExchangeProp(LPCSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    // The size as the archive's count, then the bytes. Loading into the caller's buffer raises
    // CArchiveException when the stored size exceeds *pcbData.
    BOOL ExchangeBlob(LPCSTR pszPropName, BYTE** ppData, DWORD* pcbData) override;
    // The archive's class records.
    BOOL ExchangeRuntimeClass(LPCSTR pszPropName, CRuntimeClass** ppClass,
                              CRuntimeClass* pDefaultClass) override;
    // Also enters the object into the archive's object map, so later references to it resolve.
    BOOL ExchangeObjectInstance(CObject** ppObject, CRuntimeClass* pObjectRuntime) override;
    CArchive* GetArchive(LPCSTR pszPropName) override;
    void ReleaseArchive(LPCSTR pszPropName, CArchive* pArchive) override;
    CXTPPropExchange* GetSection(LPCSTR pszSection) override;
    void WriteCount(DWORD dwCount) override;
    DWORD ReadCount() override;
    void WriteBlock(const void* pData, DWORD dwCount) override;
    DWORD ReadBlock(void* pBuffer, DWORD dwCount) override;
    BOOL HasNamedValues() const override;
    BOOL HasBinaryValues() const override;
    // Storing: the marker, then the schema. Loading: the schema after a marker; without the marker
    // nothing is consumed and the schema is 17.
    void ExchangeSchema() override;

protected:
    CArchive& m_ar;
};
