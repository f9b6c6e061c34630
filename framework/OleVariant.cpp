#include "framework/OleVariant.h"

#include "framework/Archive.h"
#include "framework/OleDateTime.h"

#include <cstring>

namespace
{
void Check(HRESULT hr)
{
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

BSTR AllocBstr(const wchar_t* text, int length)
{
    BSTR b = SysAllocStringLen(text, static_cast<UINT>(length));
    if (!b)
        AfxThrowMemoryException();
    return b;
}
} // namespace

COleVariant::COleVariant(const VARIANT& varSrc)
{
    VariantInit(this);
    Check(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
}

COleVariant::COleVariant(LPCVARIANT pSrc)
{
    VariantInit(this);
    if (pSrc)
        Check(VariantCopy(this, const_cast<VARIANT*>(pSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : tagVARIANT()
{
    VariantInit(this);
    Check(VariantCopy(this, const_cast<COleVariant*>(&varSrc)));
}

COleVariant::COleVariant(COleVariant&& varSrc) noexcept : tagVARIANT(varSrc)
{
    VariantInit(&varSrc);
}

COleVariant::COleVariant(LPCSTR lpszSrc)
{
    VariantInit(this);
    *this = lpszSrc;
}

COleVariant::COleVariant(LPCWSTR lpszSrc)
{
    VariantInit(this);
    *this = lpszSrc;
}

COleVariant::COleVariant(const CString& strSrc)
{
    VariantInit(this);
    *this = strSrc;
}

COleVariant::COleVariant(const CStringW& strSrc)
{
    VariantInit(this);
    bstrVal = AllocBstr(strSrc, strSrc.GetLength());
    vt = VT_BSTR;
}

COleVariant::COleVariant(BYTE nSrc)
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_BOOL)
    {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else
    {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_BOOL)
    {
        vt = VT_BOOL;
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else if (vtSrc == VT_ERROR)
    {
        vt = VT_ERROR;
        scode = lSrc;
    }
    else
    {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(LONGLONG nSrc)
{
    VariantInit(this);
    vt = VT_I8;
    llVal = nSrc;
}

COleVariant::COleVariant(ULONGLONG nSrc)
{
    VariantInit(this);
    vt = VT_UI8;
    ullVal = nSrc;
}

COleVariant::COleVariant(bool bSrc)
{
    VariantInit(this);
    vt = VT_BOOL;
    boolVal = bSrc ? VARIANT_TRUE : VARIANT_FALSE;
}

COleVariant::COleVariant(float fltSrc)
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_DATE)
    {
        vt = VT_DATE;
        date = dblSrc;
    }
    else
    {
        vt = VT_R8;
        dblVal = dblSrc;
    }
}

COleVariant::COleVariant(const COleDateTime& dateSrc)
{
    VariantInit(this);
    vt = VT_DATE;
    date = dateSrc.m_dt;
}

COleVariant::~COleVariant()
{
    VariantClear(this);
}

void COleVariant::Clear()
{
    Check(VariantClear(this));
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (!pSrc)
        pSrc = this;
    if (pSrc == this && vt == vartype)
        return;
    // Into a temporary first, so a refused conversion leaves this value unchanged.
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = VariantChangeType(&result, pSrc, 0, vartype);
    if (FAILED(hr))
    {
        VariantClear(&result);
        AfxThrowOleException(hr);
    }
    VariantClear(this);
    static_cast<VARIANT&>(*this) = result;
}

void COleVariant::Attach(VARIANT& varSrc)
{
    VariantClear(this);
    static_cast<VARIANT&>(*this) = varSrc;
    VariantInit(&varSrc);
}

VARIANT COleVariant::Detach()
{
    VARIANT v = *this;
    VariantInit(this);
    return v;
}

void COleVariant::SetString(LPCSTR lpszSrc, VARTYPE vtSrc)
{
    if (vtSrc != VT_BSTR)
        AfxThrowInvalidArgException();
    *this = lpszSrc;
}

COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    if (this != &varSrc)
        *this = static_cast<const VARIANT&>(varSrc);
    return *this;
}

COleVariant& COleVariant::operator=(COleVariant&& varSrc) noexcept
{
    if (this != &varSrc)
    {
        VariantClear(this);
        static_cast<VARIANT&>(*this) = varSrc;
        VariantInit(&varSrc);
    }
    return *this;
}

COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (static_cast<const VARIANT*>(this) != &varSrc)
    {
        // Copied aside first: on failure this value stays as it was.
        VARIANT copy;
        VariantInit(&copy);
        Check(VariantCopy(&copy, const_cast<VARIANT*>(&varSrc)));
        VariantClear(this);
        static_cast<VARIANT&>(*this) = copy;
    }
    return *this;
}

COleVariant& COleVariant::operator=(LPCSTR lpszSrc)
{
    CStringW wide(lpszSrc);
    BSTR b = AllocBstr(wide, wide.GetLength());
    VariantClear(this);
    vt = VT_BSTR;
    bstrVal = b;
    return *this;
}

COleVariant& COleVariant::operator=(LPCWSTR lpszSrc)
{
    BSTR b = AllocBstr(lpszSrc ? lpszSrc : L"", lpszSrc ? static_cast<int>(wcslen(lpszSrc)) : 0);
    VariantClear(this);
    vt = VT_BSTR;
    bstrVal = b;
    return *this;
}

COleVariant& COleVariant::operator=(const CString& strSrc)
{
    return *this = static_cast<LPCSTR>(strSrc);
}

COleVariant& COleVariant::operator=(BYTE nSrc)
{
    return *this = COleVariant(nSrc);
}
COleVariant& COleVariant::operator=(short nSrc)
{
    return *this = COleVariant(nSrc);
}
COleVariant& COleVariant::operator=(long lSrc)
{
    return *this = COleVariant(lSrc);
}
COleVariant& COleVariant::operator=(LONGLONG nSrc)
{
    return *this = COleVariant(nSrc);
}
COleVariant& COleVariant::operator=(ULONGLONG nSrc)
{
    return *this = COleVariant(nSrc);
}
COleVariant& COleVariant::operator=(bool bSrc)
{
    return *this = COleVariant(bSrc);
}
COleVariant& COleVariant::operator=(float fltSrc)
{
    return *this = COleVariant(fltSrc);
}
COleVariant& COleVariant::operator=(double dblSrc)
{
    return *this = COleVariant(dblSrc);
}
COleVariant& COleVariant::operator=(const COleDateTime& dateSrc)
{
    return *this = COleVariant(dateSrc);
}

bool COleVariant::operator==(const VARIANT& v) const
{
    if (static_cast<const VARIANT*>(this) == &v)
        return true;
    if (vt != v.vt)
        return false;
    switch (vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BOOL:
        return boolVal == v.boolVal;
    case VT_UI1:
    case VT_I1:
        return bVal == v.bVal;
    case VT_I2:
    case VT_UI2:
        return iVal == v.iVal;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
        return lVal == v.lVal;
    case VT_ERROR:
        return scode == v.scode;
    case VT_I8:
    case VT_UI8:
        return llVal == v.llVal;
    case VT_CY:
        return cyVal.int64 == v.cyVal.int64;
    case VT_R4:
        return fltVal == v.fltVal;
    case VT_R8:
        return dblVal == v.dblVal;
    case VT_DATE:
        return date == v.date;
    case VT_BSTR: {
        UINT n = SysStringByteLen(bstrVal);
        return n == SysStringByteLen(v.bstrVal) && (n == 0 || std::memcmp(bstrVal, v.bstrVal, n) == 0);
    }
    case VT_UNKNOWN:
    case VT_DISPATCH:
        return punkVal == v.punkVal;
    default:
        // Other kinds (arrays, by-reference values, decimals): the platform's comparison.
        return VarCmp(const_cast<VARIANT*>(static_cast<const VARIANT*>(this)), const_cast<VARIANT*>(&v),
                      LOCALE_USER_DEFAULT, 0) == static_cast<HRESULT>(VARCMP_EQ);
    }
}

// ---- archive ----

CArchive& operator<<(CArchive& ar, const COleVariant& v)
{
    ar << static_cast<WORD>(v.vt);
    switch (v.vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        break;
    case VT_BOOL:
        ar << static_cast<WORD>(v.boolVal);
        break;
    case VT_UI1:
        ar << v.bVal;
        break;
    case VT_I1:
        ar << static_cast<BYTE>(v.cVal);
        break;
    case VT_I2:
        ar << static_cast<WORD>(v.iVal);
        break;
    case VT_UI2:
        ar << v.uiVal;
        break;
    case VT_I4:
    case VT_INT:
        ar << static_cast<LONG>(v.lVal);
        break;
    case VT_UI4:
    case VT_UINT:
        ar << static_cast<DWORD>(v.ulVal);
        break;
    case VT_ERROR:
        ar << static_cast<LONG>(v.scode);
        break;
    case VT_I8:
        ar << static_cast<LONGLONG>(v.llVal);
        break;
    case VT_UI8:
        ar << static_cast<ULONGLONG>(v.ullVal);
        break;
    case VT_CY:
        ar << static_cast<DWORD>(v.cyVal.Lo) << static_cast<LONG>(v.cyVal.Hi);
        break;
    case VT_R4:
        ar << v.fltVal;
        break;
    case VT_R8:
        ar << v.dblVal;
        break;
    case VT_DATE:
        ar << static_cast<double>(v.date);
        break;
    case VT_BSTR: {
        DWORD nLen = v.bstrVal ? SysStringByteLen(v.bstrVal) : 0;
        ar << nLen;
        if (nLen)
            ar.Write(v.bstrVal, nLen);
        break;
    }
    default:
        AfxThrowNotSupportedException(); // interfaces, arrays and references have no archive form
    }
    return ar;
}

CArchive& operator>>(CArchive& ar, COleVariant& varSrc)
{
    WORD type;
    ar >> type;
    COleVariant v; // filled aside, so that a damaged record leaves varSrc unchanged
    switch (type)
    {
    case VT_EMPTY:
    case VT_NULL:
        break;
    case VT_BOOL: {
        WORD w;
        ar >> w;
        v.boolVal = static_cast<VARIANT_BOOL>(w);
        break;
    }
    case VT_UI1:
        ar >> v.bVal;
        break;
    case VT_I1: {
        BYTE b;
        ar >> b;
        v.cVal = static_cast<CHAR>(b);
        break;
    }
    case VT_I2:
    case VT_UI2: {
        WORD w;
        ar >> w;
        v.uiVal = w;
        break;
    }
    case VT_I4:
    case VT_INT:
    case VT_UI4:
    case VT_UINT:
    case VT_ERROR: {
        DWORD dw;
        ar >> dw;
        v.ulVal = dw;
        break;
    }
    case VT_I8:
    case VT_UI8: {
        ULONGLONG q;
        ar >> q;
        v.ullVal = q;
        break;
    }
    case VT_CY: {
        DWORD lo;
        LONG hi;
        ar >> lo >> hi;
        v.cyVal.Lo = lo;
        v.cyVal.Hi = hi;
        break;
    }
    case VT_R4:
        ar >> v.fltVal;
        break;
    case VT_R8:
        ar >> v.dblVal;
        break;
    case VT_DATE: {
        double d;
        ar >> d;
        v.date = d;
        break;
    }
    case VT_BSTR: {
        DWORD nLen;
        ar >> nLen;
        if (nLen % 2 != 0 || nLen > 0x3FFFFFFF)
            AfxThrowArchiveException(CArchiveException::genericException);
        // Read through a string first so a damaged length ends at the end of the data.
        CStringW text;
        const DWORD piece = 64 * 1024;
        for (DWORD done = 0; done < nLen;)
        {
            DWORD n = nLen - done < piece ? nLen - done : piece;
            wchar_t* p = text.GetBufferSetLength(static_cast<int>((done + n) / 2));
            ar.EnsureRead(reinterpret_cast<BYTE*>(p) + done, n);
            done += n;
        }
        v.bstrVal = SysAllocStringLen(text, static_cast<UINT>(text.GetLength()));
        if (!v.bstrVal)
            AfxThrowMemoryException();
        break;
    }
    default:
        AfxThrowArchiveException(CArchiveException::genericException); // a type with no archive form
    }
    v.vt = type;
    varSrc = std::move(v);
    return ar;
}
