#include "toolkit/markup/objects/XTPMarkupValues.h"

#include <mutex>

#include "toolkit/markup/objects/XTPMarkupType.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupInt, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupDouble, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupEnum, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupBool, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupColor, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupString, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupDoubleCollection, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupColorKey, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupBrushKey, CXTPMarkupObject, nullptr)

LPCWSTR XTPMarkupStringOf(const CXTPMarkupObject* pObject)
{
    if (!pObject || pObject->GetType() != CXTPMarkupString::GetMarkupType())
        return nullptr;
    return static_cast<const CXTPMarkupString*>(pObject)->GetValue();
}

namespace
{
template <typename T> bool SameValue(const T* pThis, const CXTPMarkupObject* pObject)
{
    return pObject && pObject->GetType() == pThis->GetType() &&
           static_cast<const T*>(pObject)->GetValue() == pThis->GetValue();
}

// Shared values, made once on first use and kept for the process.
struct SharedValues
{
    CXTPMarkupEnum* arrEnums[8];
    CXTPMarkupBool* pTrue;
    CXTPMarkupBool* pFalse;
    CXTPMarkupString* pEmpty;
    CXTPMarkupString* pSpace;
    CXTPMarkupString* pNewLine;
};

template <typename T> T* Share(T* pObject)
{
    pObject->MarkShared();
    return pObject;
}

SharedValues& GetSharedValues()
{
    static SharedValues* s_pValues = [] {
        SharedValues* p = new SharedValues();
        for (int i = 0; i < 8; i++)
            p->arrEnums[i] = Share(new CXTPMarkupEnum(i));
        p->pTrue = Share(new CXTPMarkupBool(TRUE));
        p->pFalse = Share(new CXTPMarkupBool(FALSE));
        p->pEmpty = Share(new CXTPMarkupString(L""));
        p->pSpace = Share(new CXTPMarkupString(L" "));
        p->pNewLine = Share(new CXTPMarkupString(L"\n"));
        return p;
    }();
    return *s_pValues;
}
} // namespace

// --- numbers -------------------------------------------------------------------------------------

BOOL CXTPMarkupDouble::ParseDouble(LPCWSTR& lpszText, double& dValue, WCHAR chSeparator, BOOL bWhole)
{
    LPCWSTR p = lpszText;
    while (*p == L' ')
        p++;
    double dSign = 1;
    if (*p == L'-' || *p == L'+')
    {
        if (*p == L'-')
            dSign = -1;
        p++;
    }
    double dResult = 0, dScale = 1;
    BOOL bPoint = FALSE, bDigits = FALSE;
    for (;; p++)
    {
        WCHAR ch = *p;
        if (ch >= L'0' && ch <= L'9')
        {
            bDigits = TRUE;
            if (bPoint)
            {
                dScale /= 10;
                dResult += (ch - L'0') * dScale;
            }
            else
                dResult = dResult * 10 + (ch - L'0');
        }
        else if (ch == L'.')
        {
            if (bPoint)
                return FALSE;
            bPoint = TRUE;
        }
        else if (ch == 0 || ch == L' ' || (chSeparator && ch == chSeparator))
            break;
        else
            return FALSE;
    }
    if (!bDigits)
        return FALSE;
    while (*p == L' ')
        p++;
    if (bWhole && *p)
        return FALSE;
    dValue = dSign * dResult;
    lpszText = p;
    return TRUE;
}

CXTPMarkupInt::CXTPMarkupInt(int nValue) : m_nValue(nValue) {}

CXTPMarkupObject* CXTPMarkupInt::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject) const
{
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    return lpszText ? new CXTPMarkupInt(_wtoi(lpszText)) : nullptr;
}

BOOL CXTPMarkupInt::IsEqual(const CXTPMarkupObject* pObject) const
{
    return SameValue(this, pObject);
}

CXTPMarkupDouble::CXTPMarkupDouble(double dValue) : m_dValue(dValue) {}

CXTPMarkupObject* CXTPMarkupDouble::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject) const
{
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    double dValue = 0;
    if (!lpszText || !CXTPMarkupDouble::ParseDouble(lpszText, dValue, 0, TRUE))
        return nullptr;
    return new CXTPMarkupDouble(dValue);
}

BOOL CXTPMarkupDouble::IsEqual(const CXTPMarkupObject* pObject) const
{
    return SameValue(this, pObject);
}

// --- enumerations and booleans -------------------------------------------------------------------

CXTPMarkupEnum::CXTPMarkupEnum(int nValue) : m_nValue(nValue) {}

BOOL CXTPMarkupEnum::IsEqual(const CXTPMarkupObject* pObject) const
{
    return SameValue(this, pObject);
}

CXTPMarkupEnum* CXTPMarkupEnum::CreateValue(int nValue)
{
    if (nValue >= 0 && nValue < 8)
    {
        CXTPMarkupEnum* pValue = GetSharedValues().arrEnums[nValue];
        pValue->AddRef();
        return pValue;
    }
    return new CXTPMarkupEnum(nValue);
}

CXTPMarkupBool::CXTPMarkupBool(BOOL bValue) : m_bValue(bValue ? TRUE : FALSE) {}

BOOL CXTPMarkupBool::IsEqual(const CXTPMarkupObject* pObject) const
{
    return SameValue(this, pObject);
}

CXTPMarkupBool* CXTPMarkupBool::CreateTrueValue()
{
    return CreateValue(TRUE);
}

CXTPMarkupBool* CXTPMarkupBool::CreateFalseValue()
{
    return CreateValue(FALSE);
}

CXTPMarkupBool* CXTPMarkupBool::CreateValue(BOOL bValue)
{
    CXTPMarkupBool* pValue = bValue ? GetSharedValues().pTrue : GetSharedValues().pFalse;
    pValue->AddRef();
    return pValue;
}

CXTPMarkupObject* CXTPMarkupBool::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject) const
{
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    if (!lpszText)
        return nullptr;
    if (_wcsicmp(lpszText, L"True") == 0)
        return CreateTrueValue();
    if (_wcsicmp(lpszText, L"False") == 0)
        return CreateFalseValue();
    return nullptr;
}

// --- colours -------------------------------------------------------------------------------------

CXTPMarkupColor::CXTPMarkupColor(COLORREF clr) : m_clr((clr & 0xFF000000) ? clr : (clr | 0xFF000000)) {}

CXTPMarkupColor::CXTPMarkupColor(COLORREF clr, BYTE bAlpha) : m_clr((clr & 0xFFFFFF) | ((COLORREF)bAlpha << 24)) {}

BOOL CXTPMarkupColor::IsEqual(const CXTPMarkupObject* pObject) const
{
    return SameValue(this, pObject);
}

static BOOL ReadHexByte(LPCWSTR p, BYTE& b)
{
    int nValue = 0;
    for (int i = 0; i < 2; i++)
    {
        WCHAR ch = p[i];
        int nDigit;
        if (ch >= L'0' && ch <= L'9')
            nDigit = ch - L'0';
        else if (ch >= L'a' && ch <= L'f')
            nDigit = ch - L'a' + 10;
        else if (ch >= L'A' && ch <= L'F')
            nDigit = ch - L'A' + 10;
        else
            return FALSE; // never a half-read colour
        nValue = nValue * 16 + nDigit;
    }
    b = (BYTE)nValue;
    return TRUE;
}

BOOL CXTPMarkupColor::ParseColor(LPCWSTR lpszText, COLORREF& clr)
{
    if (!lpszText)
        return FALSE;
    if (lpszText[0] != L'#')
        return XTPMarkupLookupColorName(lpszText, clr);
    size_t nLength = wcslen(lpszText);
    BYTE a = 0xFF, r, g, b;
    LPCWSTR p = lpszText + 1;
    if (nLength == 9)
    {
        if (!ReadHexByte(p, a))
            return FALSE;
        p += 2;
    }
    else if (nLength != 7)
        return FALSE;
    if (!ReadHexByte(p, r) || !ReadHexByte(p + 2, g) || !ReadHexByte(p + 4, b))
        return FALSE;
    clr = ((COLORREF)a << 24) | ((COLORREF)b << 16) | ((COLORREF)g << 8) | r;
    return TRUE;
}

CXTPMarkupObject* CXTPMarkupColor::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject) const
{
    COLORREF clr = 0;
    if (!ParseColor(XTPMarkupStringOf(pObject), clr))
        return nullptr;
    return new CXTPMarkupColor(clr & 0xFFFFFF, (BYTE)(clr >> 24));
}

// --- strings -------------------------------------------------------------------------------------

CXTPMarkupString::CXTPMarkupString(LPCWSTR lpszValue, int nLength)
{
    if (!lpszValue)
        lpszValue = L"";
    if (nLength < 0)
        m_strValue = lpszValue;
    else
        m_strValue.assign(lpszValue, nLength);
}

UINT CXTPMarkupString::GetHashCode() const
{
    UINT nHash = 0;
    for (wchar_t ch : m_strValue)
        nHash = nHash * 33 + ch;
    return nHash;
}

BOOL CXTPMarkupString::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject && pObject->GetType() == GetType() &&
           static_cast<const CXTPMarkupString*>(pObject)->m_strValue == m_strValue;
}

CXTPMarkupString* CXTPMarkupString::CreateValue(LPCWSTR lpszValue, int nLength)
{
    if (!lpszValue)
        lpszValue = L"";
    if (nLength < 0)
        nLength = (int)wcslen(lpszValue);
    CXTPMarkupString* pShared = nullptr;
    if (nLength == 0)
        pShared = GetSharedValues().pEmpty;
    else if (nLength == 1 && lpszValue[0] == L' ')
        pShared = GetSharedValues().pSpace;
    else if (nLength == 1 && lpszValue[0] == L'\n')
        pShared = GetSharedValues().pNewLine;
    if (pShared)
    {
        pShared->AddRef();
        return pShared;
    }
    return new CXTPMarkupString(lpszValue, nLength);
}

// --- float lists and keys ------------------------------------------------------------------------

CXTPMarkupDoubleCollection::CXTPMarkupDoubleCollection() {}

CXTPMarkupObject* CXTPMarkupDoubleCollection::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/,
                                                         CXTPMarkupObject* pObject) const
{
    LPCWSTR p = XTPMarkupStringOf(pObject);
    if (!p)
        return nullptr;
    CXTPMarkupDoubleCollection* pList = new CXTPMarkupDoubleCollection();
    for (;;)
    {
        while (*p == L' ')
            p++;
        if (!*p)
            break;
        float fSign = 1;
        if (*p == L'-')
        {
            fSign = -1;
            p++;
        }
        double dValue = 0, dScale = 1;
        BOOL bPoint = FALSE, bDigits = FALSE;
        for (;; p++)
        {
            if (*p >= L'0' && *p <= L'9')
            {
                bDigits = TRUE;
                if (bPoint)
                {
                    dScale /= 10;
                    dValue += (*p - L'0') * dScale;
                }
                else
                    dValue = dValue * 10 + (*p - L'0');
            }
            else if (*p == L'.' && !bPoint)
                bPoint = TRUE;
            else
                break;
        }
        if (!bDigits || (*p != 0 && *p != L' ' && *p != L','))
        {
            pList->Release();
            return nullptr;
        }
        pList->Add(fSign * (float)dValue);
        if (*p == L',')
            p++;
    }
    return pList;
}

CXTPMarkupColorKey::CXTPMarkupColorKey(int nIndex) : m_nIndex(nIndex) {}

CXTPMarkupBrushKey::CXTPMarkupBrushKey(int nIndex) : m_nIndex(nIndex) {}
