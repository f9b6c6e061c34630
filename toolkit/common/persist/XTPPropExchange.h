// CXTPPropExchange: the toolkit's one persistence interface. A caller describes its state once as
// named, typed values, counts, blobs and nested sections; the same calls store or load that state,
// and the concrete store (registry, INI file or archive; see the XTPPropExchange*.h headers) decides
// where it lives. Also the typed wrappers (ExchangeIntProperty, ...) callers use.
#pragma once

#include "framework/Archive.h"
#include "framework/CmdTarget.h"
#include "framework/CollectionHelpers.h"
#include "framework/FrameworkString.h"
#include "framework/Geometry.h"
#include "framework/OleDateTime.h"
#include "framework/OleVariant.h"

#include <windows.h>

// Value types beyond the platform's variant codes. VT_LPSTR (30) means a framework CString here.
#define VT_XTP_RECT 100 // RECT / CRect: left, top, right, bottom
#define VT_XTP_SIZE 101 // SIZE / CSize: cx, cy

// Schema number of an exchange when nothing else was set, and the one assumed for archives written
// without the schema marker.
#define XTP_PROPEXCHANGE_SCHEMA 38
#define XTP_PROPEXCHANGE_SCHEMA_UNMARKED 17
// Marks the schema number in an archive.
#define XTP_PROPEXCHANGE_SCHEMA_MARKER 0x0FF0ADBF

class CXTPCommandBars;
class CXTPPropExchangeEnumerator;

// Parameters that a persisting owner (the command bars) hands down to every object it exchanges.
// The exchange only carries the pointer; child sections inherit it and nothing stores it.
struct XTP_COMMANDBARS_PROPEXCHANGE_PARAM
{
    BOOL bSerializeControls = TRUE;    // controls are written with their bars
    BOOL bSaveOnlyCustomized = FALSE;  // only bars the user changed
    BOOL bSaveOriginalControls = TRUE; // include the original (program-made) controls
    BOOL bLoadSilent = FALSE;          // never ask the user while merging
    int nNextBarNumber = 0;            // next number given to a bar without an id
    CXTPCommandBars* pCommandBars = nullptr;
    BOOL bSerializeImages = FALSE;
    BOOL bSerializeOptions = FALSE;
    BOOL bSerializeLayout = TRUE;
    BOOL bSerializeActions = FALSE;
};

class CXTPPropExchange : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPPropExchange)
public:
    CXTPPropExchange();
    ~CXTPPropExchange() override;

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }
    // A section made by another exchange (GetSection, an enumerator).
    BOOL IsChildSection() const { return m_bChildSection; }
    BOOL IsPrepared() const { return m_bPrepared; }
    BOOL IsEmptied() const { return m_bEmptySection; }

    // Loading: an absent value takes the caller's default (on by default).
    void UseDefaultOnLoad(BOOL bUseDefaultOnLoad = TRUE) { m_bUseDefaultOnLoad = bUseDefaultOnLoad; }
    // Storing: a value equal to its default is not written and an old one is deleted (on by default).
    void UseDefaultOnSave(BOOL bUseDefaultOnSave = TRUE) { m_bUseDefaultOnSave = bUseDefaultOnSave; }

    // The object being exchanged, for the objects it contains (child sections inherit it).
    CObject* GetOwner() const { return m_pOwner; }
    void SetOwner(CObject* pOwner) { m_pOwner = pOwner; }
    // The owner's parameter record (child sections inherit the pointer; the caller keeps the record).
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM* GetExchangeParam() const { return m_pParam; }
    void SetExchangeParam(XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam) { m_pParam = pParam; }
    // The command bars named by the parameter record, or null.
    CXTPCommandBars* GetCommandBars() const { return m_pParam ? m_pParam->pCommandBars : nullptr; }

    // ---- virtual operations (this order is part of the class's contract) ----

    // Exchanges one value. vtProp: 2 short, 3 int/LONG, 4 float, 5 double, 6 CY, 7 COleDateTime,
    // 11 BOOL, 12 COleVariant, 17 BYTE, 30 CString (the default is an LPCSTR text), 100 RECT,
    // 101 SIZE; every other type (8, a system string pointer, included) gives FALSE. pvDefault may
    // be null: then an absent value leaves *pvProp alone and gives FALSE, and storing always writes.
    virtual BOOL ExchangeProp(LPCSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) = 0;
    // Exchanges bytes. Loading: with *ppData set, the bytes go there when *pcbData (the buffer's size)
    // is large enough, else FALSE; with *ppData null a buffer of the stored size is allocated with
    // malloc (the caller frees it with free) and *pcbData receives the size.
    virtual BOOL ExchangeBlob(LPCSTR pszPropName, BYTE** ppData, DWORD* pcbData);
    // A run-time class by name; absent on loading gives pDefaultClass.
    virtual BOOL ExchangeRuntimeClass(LPCSTR pszPropName, CRuntimeClass** ppClass,
                                      CRuntimeClass* pDefaultClass);
    // Storing: the class of *ppObject ("Class", unless it is exactly pObjectRuntime). Loading: creates
    // an object of the stored class (pObjectRuntime when none is stored) into *ppObject; FALSE, with
    // nothing created, when that class does not derive from pObjectRuntime. A class that cannot be
    // created raises CArchiveException(badClass).
    virtual BOOL ExchangeObjectInstance(CObject** ppObject, CRuntimeClass* pObjectRuntime);
    // An archive over the named entry (null when loading and nothing is stored); give it back to
    // ReleaseArchive.
    virtual CArchive* GetArchive(LPCSTR pszPropName);
    virtual void ReleaseArchive(LPCSTR pszPropName, CArchive* pArchive);
    // A new exchange over the named subsection; the caller deletes it (delete or InternalRelease).
    virtual CXTPPropExchange* GetSection(LPCSTR pszSection) = 0;
    // Removes everything stored in the section (storing: start from a clean section).
    virtual void EmptySection();
    virtual void WriteCount(DWORD dwCount);
    virtual DWORD ReadCount();
    virtual void WriteBlock(const void* pData, DWORD dwCount);
    // Reads at most dwCount bytes; the number read, 0 on failure.
    virtual DWORD ReadBlock(void* pBuffer, DWORD dwCount);
    // Values are found by name, so one equal to its default may be left out (FALSE for archives, which
    // hold every value in call order).
    virtual BOOL HasNamedValues() const;
    // Bytes are stored as bytes (TRUE for the registry and archives; INI files hold blobs as text).
    virtual BOOL HasBinaryValues() const;
    // Opens the store once; FALSE when it cannot be opened.
    virtual BOOL PrepareStore();
    // An enumerator of the numbered subsections <prefix>0, <prefix>1, ...; the caller deletes it.
    virtual CXTPPropExchangeEnumerator* GetEnumerator(LPCSTR lpszSection);
    // The exchange's schema number: "Schema" (default 32) in named stores, the marker in archives.
    virtual void ExchangeSchema();

    // ---- state ----
    BOOL m_bLoading;
    int m_nSchema;

    // Locale of date-time texts: (LCID)-1 (the default) uses the fixed form "%Y-%d-%mT%H:%M:%S";
    // any other value the platform's locale formatting and parsing.
    static LCID m_lcidDateTime;

    // Shared text form of a value (used by every text store). FALSE for types without one.
    static BOOL PropToString(VARTYPE vtProp, const void* pvProp, CString& strValue);
    // Parses a text into the value; FALSE when it does not parse (the value is left alone).
    static BOOL PropFromString(VARTYPE vtProp, const CString& strValue, void* pvProp);
    // Date-time text (fixed form: year, day, month).
    static CString DateTimeToString(const COleDateTime& dt);
    static BOOL StringToDateTime(LPCSTR lpszValue, COleDateTime& dt);
    // Size in bytes of a fixed-size type; 0 for others (strings, variants, unsupported).
    static int GetPropSize(VARTYPE vtProp);

protected:
    // Copies the parent's flags, schema, owner and parameter record into a new child section.
    void InitSection(CXTPPropExchange* pSection);
    // Loading an absent value: copies the default when allowed. FALSE without a default.
    BOOL CopyPropValue(VARTYPE vtProp, void* pvDest, const void* pvSrc) const;
    // Storing: the value equals its default (and defaults are compared on store).
    BOOL IsSamePropValue(VARTYPE vtProp, const void* pv1, const void* pv2) const;
    // Loading with no stored value.
    BOOL LoadDefault(VARTYPE vtProp, void* pvProp, const void* pvDefault) const;

    BOOL m_bChildSection;
    BOOL m_bPrepared;
    BOOL m_bEmptySection;
    BOOL m_bUseDefaultOnLoad;
    BOOL m_bUseDefaultOnSave;
    CObject* m_pOwner;
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM* m_pParam;
};

// Walks numbered subsections: "Count", then <prefix>0 .. <prefix>(Count-1).
//     POSITION pos = pEnum->GetPosition(n);      // storing: n; loading: read
//     while (pos) { CXTPPropExchange* pSec = pEnum->GetNext(pos); ...; delete pSec; }
class CXTPPropExchangeEnumerator
{
public:
    CXTPPropExchangeEnumerator(CXTPPropExchange* pContainer, LPCSTR lpszSection);
    virtual ~CXTPPropExchangeEnumerator();

    // Exchanges the count (storing: dwCount; loading: the stored one). bCompactMode uses the store's
    // own count (WriteCount/ReadCount) instead of the integer "Count". Non-null when the count is
    // above 0.
    virtual POSITION GetPosition(DWORD dwCount = 0, BOOL bCompactMode = TRUE);
    // The next section (a new exchange the caller deletes); pos becomes null after the last one.
    virtual CXTPPropExchange* GetNext(POSITION& pos);
    virtual DWORD GetCount() const { return m_nCount; }

protected:
    CXTPPropExchange* m_pContainer;
    CString m_strSectionName;
    DWORD m_nCount;
};

// ---- typed wrappers: each returns FALSE (0) when pPX is null ----
BOOL ExchangeByteProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, BYTE& nValue, BYTE nDefault);
BOOL ExchangeShortProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, short& sValue, short sDefault);
BOOL ExchangeIntProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, int& nValue, int nDefault);
BOOL ExchangeIntProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, long& nValue, long nDefault);
BOOL ExchangeIntProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, DWORD& nValue, DWORD nDefault);
BOOL ExchangeIntProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, UINT& nValue, UINT nDefault);
BOOL ExchangeIntPropertyNoDefault(CXTPPropExchange* pPX, LPCSTR pszPropName, int& nValue);
BOOL ExchangeBoolProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, BOOL& bValue, BOOL bDefault);
BOOL ExchangeBoolProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, bool& bValue, bool bDefault);
BOOL ExchangeStringProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, CString& strValue, LPCSTR lpszDefault);
BOOL ExchangeStringPropertyNoDefault(CXTPPropExchange* pPX, LPCSTR pszPropName, CString& strValue);
BOOL ExchangeSizeProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, SIZE& szValue, SIZE szDefault);
BOOL ExchangeRectProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, RECT& rcValue, RECT rcDefault);
// See CXTPPropExchange::ExchangeBlob for the buffer rules.
BOOL ExchangeBlobProperty(CXTPPropExchange* pPX, LPCSTR pszPropName, BYTE*& pData, DWORD& nBytes);
// Serialises pObject through GetArchive(pszPropName): FALSE when an archive or OLE exception (or lack of
// memory) stops it, 0 when there is no archive.
BOOL ExchangeSerializedObject(CXTPPropExchange* pPX, LPCSTR pszPropName, CObject* pObject);
