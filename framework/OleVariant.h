// COleVariant: a VARIANT that owns its contents (strings, interfaces) and frees them with
// VariantClear. Conversions that the platform refuses raise COleException (by pointer).
#pragma once

#include "framework/Exceptions.h"
#include "framework/FrameworkString.h"

#include <oleauto.h>
#include <windows.h>

class CArchive;
class COleDateTime;

// Read-only VARIANT pointer (the platform headers here do not name it).
typedef const VARIANT* LPCVARIANT;

class COleVariant : public tagVARIANT
{
public:
    COleVariant() { VariantInit(this); }
    COleVariant(const VARIANT& varSrc);
    COleVariant(LPCVARIANT pSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(COleVariant&& varSrc) noexcept;
    // Strings become VT_BSTR (UTF-16).
    COleVariant(LPCSTR lpszSrc);
    COleVariant(LPCWSTR lpszSrc);
    COleVariant(const CString& strSrc);
    COleVariant(const CStringW& strSrc);
    COleVariant(BYTE nSrc);
    // VT_I2, or VT_BOOL (any non-zero value is VARIANT_TRUE).
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    // VT_I4, VT_ERROR or VT_BOOL.
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(int nSrc) : COleVariant(static_cast<long>(nSrc), VT_I4) {}
    COleVariant(LONGLONG nSrc);
    COleVariant(ULONGLONG nSrc);
    COleVariant(bool bSrc);
    COleVariant(float fltSrc);
    // VT_R8 or VT_DATE.
    COleVariant(double dblSrc, VARTYPE vtSrc = VT_R8);
    COleVariant(const COleDateTime& dateSrc);
    ~COleVariant();

    void Clear();
    // Converts in place (or from pSrc into this); throws COleException when the platform refuses.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = nullptr);
    void Attach(VARIANT& varSrc);
    VARIANT Detach();
    void SetString(LPCSTR lpszSrc, VARTYPE vtSrc = VT_BSTR);

    COleVariant& operator=(const COleVariant& varSrc);
    COleVariant& operator=(COleVariant&& varSrc) noexcept;
    COleVariant& operator=(const VARIANT& varSrc);
    COleVariant& operator=(LPCSTR lpszSrc);
    COleVariant& operator=(LPCWSTR lpszSrc);
    COleVariant& operator=(const CString& strSrc);
    COleVariant& operator=(BYTE nSrc);
    COleVariant& operator=(short nSrc);
    COleVariant& operator=(long lSrc);
    COleVariant& operator=(int nSrc) { return *this = static_cast<long>(nSrc); }
    COleVariant& operator=(LONGLONG nSrc);
    COleVariant& operator=(ULONGLONG nSrc);
    COleVariant& operator=(bool bSrc);
    COleVariant& operator=(float fltSrc);
    COleVariant& operator=(double dblSrc);
    COleVariant& operator=(const COleDateTime& dateSrc);

    // Same type and same value (strings by their characters).
    bool operator==(const VARIANT& varSrc) const;
    bool operator==(LPCVARIANT pSrc) const { return pSrc && *this == *pSrc; }
    bool operator!=(const VARIANT& varSrc) const { return !(*this == varSrc); }

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }
};

// Archive form: the type as a WORD, then the value (see framework/README.md).
CArchive& operator<<(CArchive& ar, const COleVariant& varSrc);
CArchive& operator>>(CArchive& ar, COleVariant& varSrc);
