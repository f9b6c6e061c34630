// CXTPPropExchangeIniFile: the property exchange over an INI file. A section is "Parent\Name"; values
// are texts (numbers "%i", floats "%.9g"/"%.17g", dates "year-day-month", strings with backslash
// escapes, blobs two letters per byte).
#pragma once

#include "toolkit/common/persist/XTPPropExchange.h"

class CXTPPropExchangeIniFile : public CXTPPropExchange
{
    DECLARE_DYNAMIC(CXTPPropExchangeIniFile)
public:
    // The section is lpszParentSection + "\" + lpszSection, or lpszSection alone without a parent.
    CXTPPropExchangeIniFile(BOOL bLoading, LPCSTR lpszParentSection, LPCSTR lpszSection);
    // A root exchange that made a temporary file deletes it.
    ~CXTPPropExchangeIniFile() override;

    // The file to use (give a full path: a bare name means the Windows folder). Without one, the first
    // access creates a temporary file.
    void AssignFile(LPCSTR lpszFileName);
    CString GetFileName() const { return m_strFileName; }
    CString GetSectionName() const { return m_strSectionName; }

    BOOL ExchangeProp(LPCSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    CXTPPropExchange* GetSection(LPCSTR pszSection) override;
    // Deletes the section and every section below it ("Name\..."), once per exchange.
    void EmptySection() override;
    BOOL PrepareStore() override;

    // String escapes of the INI form: backslash, LF, CR and TAB become "\\", "\n", "\r" and "\t".
    static CString EscapeString(const CString& str);
    static CString UnescapeString(const CString& str);

protected:
    // The stored text of a key; FALSE when the key is absent.
    BOOL ReadValue(LPCSTR pszPropName, CString& strValue) const;

    CString m_strSectionName;
    CString m_strFileName;
    BOOL m_bTempFile;
};
