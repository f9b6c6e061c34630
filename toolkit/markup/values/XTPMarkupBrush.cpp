#include "toolkit/markup/values/XTPMarkupBrush.h"

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/objects/XTPMarkupType.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPoint, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupBrush, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupSolidColorBrush, CXTPMarkupBrush, &CXTPMarkupSolidColorBrush::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupGradientStop, CXTPMarkupObject, &CXTPMarkupGradientStop::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupGradientStops, CXTPMarkupCollection, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupLinearGradientBrush, CXTPMarkupBrush,
                          &CXTPMarkupLinearGradientBrush::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupSolidColorBrush::m_pColorProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGradientStop::m_pColorProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGradientStop::m_pOffsetProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLinearGradientBrush::m_pStartPointProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLinearGradientBrush::m_pEndPointProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLinearGradientBrush::m_pGradientStopsProperty = nullptr;

// --- points --------------------------------------------------------------------------------------

CXTPMarkupPoint::CXTPMarkupPoint(double x, double y) : x(x), y(y) {}

CXTPMarkupObject* CXTPMarkupPoint::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject) const
{
    LPCWSTR p = XTPMarkupStringOf(pObject);
    double dx = 0, dy = 0;
    if (!p || !CXTPMarkupDouble::ParseDouble(p, dx, L',', FALSE) || *p != L',')
        return nullptr;
    p++;
    if (!CXTPMarkupDouble::ParseDouble(p, dy, 0, TRUE))
        return nullptr;
    return new CXTPMarkupPoint(dx, dy);
}

BOOL CXTPMarkupPoint::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject && pObject->GetType() == GetType() && static_cast<const CXTPMarkupPoint*>(pObject)->x == x &&
           static_cast<const CXTPMarkupPoint*>(pObject)->y == y;
}

// --- brushes -------------------------------------------------------------------------------------

CXTPMarkupBrush::CXTPMarkupBrush() {}

COLORREF CXTPMarkupBrush::GetColor() const
{
    return 0;
}

CXTPMarkupObject* CXTPMarkupBrush::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject) const
{
    COLORREF clr = 0;
    if (!CXTPMarkupColor::ParseColor(XTPMarkupStringOf(pObject), clr))
        return nullptr;
    return new CXTPMarkupSolidColorBrush(clr & 0xFFFFFF, (BYTE)(clr >> 24));
}

void CXTPMarkupSolidColorBrush::RegisterMarkupProperties()
{
    m_pColorProperty =
        CXTPMarkupDependencyProperty::Register(L"Color", CXTPMarkupColor::GetMarkupType(), GetMarkupType());
}

CXTPMarkupSolidColorBrush::CXTPMarkupSolidColorBrush() {}

CXTPMarkupSolidColorBrush::CXTPMarkupSolidColorBrush(COLORREF clr)
{
    SetValue(m_pColorProperty, new CXTPMarkupColor(clr & 0xFFFFFF, 0xFF));
}

CXTPMarkupSolidColorBrush::CXTPMarkupSolidColorBrush(COLORREF clr, BYTE bAlpha)
{
    SetValue(m_pColorProperty, new CXTPMarkupColor(clr & 0xFFFFFF, bAlpha));
}

COLORREF CXTPMarkupSolidColorBrush::GetColor() const
{
    CXTPMarkupColor* pColor = static_cast<CXTPMarkupColor*>(GetValue(m_pColorProperty));
    return pColor ? pColor->GetRGB() : 0;
}

BOOL CXTPMarkupSolidColorBrush::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject && pObject->GetType() == GetType() &&
           static_cast<const CXTPMarkupSolidColorBrush*>(pObject)->GetColor() == GetColor();
}

void CXTPMarkupGradientStop::RegisterMarkupProperties()
{
    m_pColorProperty = CXTPMarkupDependencyProperty::Register(L"Color", CXTPMarkupColor::GetMarkupType(),
                                                              GetMarkupType());
    m_pOffsetProperty = CXTPMarkupDependencyProperty::Register(L"Offset", CXTPMarkupDouble::GetMarkupType(),
                                                               GetMarkupType());
}

CXTPMarkupGradientStop::CXTPMarkupGradientStop() {}

COLORREF CXTPMarkupGradientStop::GetColor() const
{
    CXTPMarkupColor* pColor = static_cast<CXTPMarkupColor*>(GetValue(m_pColorProperty));
    return pColor ? pColor->GetValue() : 0;
}

double CXTPMarkupGradientStop::GetOffset() const
{
    CXTPMarkupDouble* pOffset = static_cast<CXTPMarkupDouble*>(GetValue(m_pOffsetProperty));
    return pOffset ? pOffset->GetValue() : 0.0;
}

CXTPMarkupGradientStops::CXTPMarkupGradientStops()
{
    m_pItemType = CXTPMarkupGradientStop::GetMarkupType();
}

CXTPMarkupGradientStop* CXTPMarkupGradientStops::GetStop(int nIndex) const
{
    return static_cast<CXTPMarkupGradientStop*>(GetItem(nIndex));
}

void CXTPMarkupLinearGradientBrush::RegisterMarkupProperties()
{
    m_pStartPointProperty = CXTPMarkupDependencyProperty::Register(L"StartPoint", CXTPMarkupPoint::GetMarkupType(),
                                                                   GetMarkupType());
    m_pEndPointProperty = CXTPMarkupDependencyProperty::Register(L"EndPoint", CXTPMarkupPoint::GetMarkupType(),
                                                                 GetMarkupType());
    m_pGradientStopsProperty = CXTPMarkupDependencyProperty::Register(
        L"GradientStops", CXTPMarkupGradientStops::GetMarkupType(), GetMarkupType());
}

CXTPMarkupLinearGradientBrush::CXTPMarkupLinearGradientBrush()
{
    SetValue(m_pGradientStopsProperty, new CXTPMarkupGradientStops());
}

CXTPMarkupGradientStops* CXTPMarkupLinearGradientBrush::GetGradientStops() const
{
    return static_cast<CXTPMarkupGradientStops*>(GetValue(m_pGradientStopsProperty));
}

COLORREF CXTPMarkupLinearGradientBrush::GetColor() const
{
    CXTPMarkupGradientStops* pStops = GetGradientStops();
    CXTPMarkupGradientStop* pFirst = pStops ? pStops->GetStop(0) : nullptr;
    return pFirst ? (pFirst->GetColor() & 0xFFFFFF) : 0;
}

void CXTPMarkupLinearGradientBrush::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    CXTPMarkupGradientStops* pStops = GetGradientStops();
    if (!pStops)
    {
        SetValue(m_pGradientStopsProperty, new CXTPMarkupGradientStops());
        pStops = GetGradientStops();
    }
    pStops->SetContentObject(pBuilder, pContent);
}

BOOL CXTPMarkupLinearGradientBrush::HasContentObject() const
{
    CXTPMarkupGradientStops* pStops = GetGradientStops();
    return pStops && pStops->HasContentObject();
}
