#include "toolkit/markup/values/XTPMarkupThickness.h"

#include <cwchar>

#include "toolkit/markup/objects/XTPMarkupType.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupThickness, CXTPMarkupObject, nullptr)

CXTPMarkupThickness::CXTPMarkupThickness() : m_nLeft(0), m_nTop(0), m_nRight(0), m_nBottom(0) {}

CXTPMarkupThickness::CXTPMarkupThickness(int nThickness)
    : m_nLeft(nThickness), m_nTop(nThickness), m_nRight(nThickness), m_nBottom(nThickness)
{
}

CXTPMarkupThickness::CXTPMarkupThickness(int nLeft, int nTop, int nRight, int nBottom)
    : m_nLeft(nLeft), m_nTop(nTop), m_nRight(nRight), m_nBottom(nBottom)
{
}

BOOL CXTPMarkupThickness::IsEqual(const CXTPMarkupObject* pObject) const
{
    if (!pObject || pObject->GetType() != GetType())
        return FALSE;
    const CXTPMarkupThickness* p = static_cast<const CXTPMarkupThickness*>(pObject);
    return p->m_nLeft == m_nLeft && p->m_nTop == m_nTop && p->m_nRight == m_nRight && p->m_nBottom == m_nBottom;
}

CXTPMarkupThickness* CXTPMarkupThickness::CreateZero()
{
    static CXTPMarkupThickness* s_pZero = [] {
        CXTPMarkupThickness* p = new CXTPMarkupThickness();
        p->MarkShared();
        return p;
    }();
    s_pZero->AddRef();
    return s_pZero;
}

CXTPMarkupObject* CXTPMarkupThickness::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject) const
{
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    if (!lpszText)
        return nullptr;
    size_t nLength = wcslen(lpszText);
    LPCWSTR lpszUnit = nLength > 2 ? lpszText + nLength - 2 : L"";
    static const wchar_t* const units[] = {L"pt", L"in", L"cm", L"mm"};
    const wchar_t* pUnit = nullptr;
    for (const wchar_t* unit : units)
    {
        if (_wcsicmp(lpszUnit, unit) == 0)
            pUnit = unit;
    }

    if (!wcschr(lpszText, L','))
    {
        int nValue = _wtoi(lpszText);
        if (pUnit)
            nValue = XTPMarkupScaleLength(nValue, pUnit);
        return new CXTPMarkupThickness(nValue);
    }

    int arr[4] = {0, 0, 0, 0};
    int nRead;
    if (pUnit)
    {
        // "%ipt, %ipt, %ipt, %ipt" with the text's own unit letters.
        wchar_t szFormat[40];
        swprintf(szFormat, 40, L"%%i%ls, %%i%ls, %%i%ls, %%i%ls", lpszUnit, lpszUnit, lpszUnit, lpszUnit);
        nRead = swscanf(lpszText, szFormat, &arr[0], &arr[1], &arr[2], &arr[3]);
    }
    else
        nRead = swscanf(lpszText, L"%i, %i, %i, %i", &arr[0], &arr[1], &arr[2], &arr[3]);
    if (nRead != 4)
        return nullptr;
    if (pUnit)
    {
        for (int& nValue : arr)
            nValue = XTPMarkupScaleLength(nValue, pUnit);
    }
    return new CXTPMarkupThickness(arr[0], arr[1], arr[2], arr[3]);
}

RECT CXTPMarkupThickness::DeflateRect(RECT rc, const CXTPMarkupThickness* pThickness)
{
    if (!pThickness)
        return rc;
    RECT rcResult;
    rcResult.left = rc.left + pThickness->m_nLeft;
    rcResult.top = rc.top + pThickness->m_nTop;
    rcResult.right = rc.right - pThickness->m_nRight;
    rcResult.bottom = rc.bottom - pThickness->m_nBottom;
    if (rcResult.right < rcResult.left)
        rcResult.right = rcResult.left;
    if (rcResult.bottom < rcResult.top)
        rcResult.bottom = rcResult.top;
    return rcResult;
}
