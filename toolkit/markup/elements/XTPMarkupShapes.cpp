#include "toolkit/markup/elements/XTPMarkupShapes.h"

#include <algorithm>

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"
#include "toolkit/markup/values/XTPMarkupPathData.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPointCollection, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupShape, CXTPMarkupFrameworkElement, &CXTPMarkupShape::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupRectangle, CXTPMarkupShape, &CXTPMarkupRectangle::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupEllipse, CXTPMarkupShape, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupLine, CXTPMarkupShape, &CXTPMarkupLine::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPolyline, CXTPMarkupShape, &CXTPMarkupPolyline::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPolygon, CXTPMarkupShape, &CXTPMarkupPolygon::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPath, CXTPMarkupShape, &CXTPMarkupPath::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pFillProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeThicknessProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStretchProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeDashArrayProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeStartLineCapProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeEndLineCapProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupShape::m_pStrokeLineJoinProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRectangle::m_pRadiusXProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRectangle::m_pRadiusYProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLine::m_pX1Property = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLine::m_pY1Property = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLine::m_pX2Property = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupLine::m_pY2Property = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupPolyline::m_pPointsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupPolygon::m_pPointsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupPath::m_pDataProperty = nullptr;

typedef CXTPMarkupPropertyMetadata Metadata;

CXTPMarkupPointCollection::CXTPMarkupPointCollection() : m_rcBounds{0, 0, 0, 0} {}

void CXTPMarkupPointCollection::Add(POINT pt)
{
    if (m_arrPoints.empty())
        m_rcBounds = {pt.x, pt.y, pt.x, pt.y};
    else
    {
        m_rcBounds.left = std::min(m_rcBounds.left, pt.x);
        m_rcBounds.top = std::min(m_rcBounds.top, pt.y);
        m_rcBounds.right = std::max(m_rcBounds.right, pt.x);
        m_rcBounds.bottom = std::max(m_rcBounds.bottom, pt.y);
    }
    m_arrPoints.push_back(pt);
}

// One whole number: spaces skipped, an optional '-', digits, ended by a space or comma (consumed)
// or by the end of the text.
static bool ReadWholeNumber(LPCWSTR& p, LONG& nValue)
{
    while (*p == L' ')
        p++;
    bool bNegative = *p == L'-';
    if (bNegative)
        p++;
    if (!(*p >= L'0' && *p <= L'9'))
        return false;
    long long nResult = 0;
    while (*p >= L'0' && *p <= L'9')
    {
        if (nResult < 0x7FFFFFFF)
            nResult = nResult * 10 + (*p - L'0');
        p++;
    }
    if (nResult > 0x7FFFFFFF)
        nResult = 0x7FFFFFFF;
    if (*p == L' ' || *p == L',')
        p++;
    else if (*p)
        return false;
    nValue = (LONG)(bNegative ? -nResult : nResult);
    return true;
}

CXTPMarkupObject* CXTPMarkupPointCollection::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/,
                                                        CXTPMarkupObject* pObject) const
{
    LPCWSTR p = XTPMarkupStringOf(pObject);
    if (!p)
        return nullptr;
    CXTPMarkupPointCollection* pPoints = new CXTPMarkupPointCollection();
    for (;;)
    {
        while (*p == L' ')
            p++;
        if (!*p)
            return pPoints;
        POINT pt;
        if (!ReadWholeNumber(p, pt.x) || !ReadWholeNumber(p, pt.y))
        {
            pPoints->Release();
            return nullptr;
        }
        pPoints->Add(pt);
    }
}

void CXTPMarkupShape::RegisterMarkupProperties()
{
    CXTPMarkupType* pOwner = GetMarkupType();
    CXTPMarkupType* pEnum = CXTPMarkupEnum::GetMarkupType();
    typedef CXTPMarkupDependencyProperty P;
    m_pFillProperty = P::Register(L"Fill", CXTPMarkupBrush::GetMarkupType(), pOwner,
                                  new Metadata(nullptr, Metadata::flagAffectsRender));
    m_pStrokeProperty = P::Register(L"Stroke", CXTPMarkupBrush::GetMarkupType(), pOwner,
                                    new Metadata(nullptr, Metadata::flagAffectsRender));
    m_pStrokeThicknessProperty = P::Register(L"StrokeThickness", CXTPMarkupInt::GetMarkupType(), pOwner,
                                             new Metadata(nullptr, Metadata::flagAffectsRender));
    m_pStretchProperty = P::Register(L"Stretch", pEnum, pOwner,
                                     new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertStretch,
                                                  Metadata::flagAffectsRender));
    m_pStrokeDashArrayProperty = P::Register(L"StrokeDashArray", CXTPMarkupDoubleCollection::GetMarkupType(), pOwner,
                                             new Metadata(nullptr, Metadata::flagAffectsMeasure));
    m_pStrokeStartLineCapProperty = P::Register(L"StrokeStartLineCap", pEnum, pOwner,
                                                new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertLineCap,
                                                             Metadata::flagAffectsRender));
    m_pStrokeEndLineCapProperty = P::Register(L"StrokeEndLineCap", pEnum, pOwner,
                                              new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertLineCap,
                                                           Metadata::flagAffectsRender));
    m_pStrokeLineJoinProperty = P::Register(L"StrokeLineJoin", pEnum, pOwner,
                                            new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertLineJoin,
                                                         Metadata::flagAffectsRender));
}

CXTPMarkupShape::CXTPMarkupShape() {}

void CXTPMarkupRectangle::RegisterMarkupProperties()
{
    m_pRadiusXProperty = CXTPMarkupDependencyProperty::Register(
        L"RadiusX", CXTPMarkupInt::GetMarkupType(), GetMarkupType(),
        new Metadata(new CXTPMarkupInt(0), Metadata::flagAffectsRender));
    m_pRadiusYProperty = CXTPMarkupDependencyProperty::Register(
        L"RadiusY", CXTPMarkupInt::GetMarkupType(), GetMarkupType(),
        new Metadata(new CXTPMarkupInt(0), Metadata::flagAffectsRender));
}

CXTPMarkupRectangle::CXTPMarkupRectangle() {}

CXTPMarkupEllipse::CXTPMarkupEllipse() {}

void CXTPMarkupLine::RegisterMarkupProperties()
{
    CXTPMarkupDependencyProperty** arr[] = {&m_pX1Property, &m_pY1Property, &m_pX2Property, &m_pY2Property};
    LPCWSTR arrNames[] = {L"X1", L"Y1", L"X2", L"Y2"};
    for (int i = 0; i < 4; i++)
    {
        *arr[i] = CXTPMarkupDependencyProperty::Register(arrNames[i], CXTPMarkupInt::GetMarkupType(), GetMarkupType(),
                                                         new Metadata(new CXTPMarkupInt(0), Metadata::flagAffectsMeasure));
    }
}

CXTPMarkupLine::CXTPMarkupLine() {}

void CXTPMarkupPolyline::RegisterMarkupProperties()
{
    m_pPointsProperty = CXTPMarkupDependencyProperty::Register(L"Points", CXTPMarkupPointCollection::GetMarkupType(),
                                                               GetMarkupType(),
                                                               new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

CXTPMarkupPolyline::CXTPMarkupPolyline() {}

void CXTPMarkupPolygon::RegisterMarkupProperties()
{
    m_pPointsProperty = CXTPMarkupDependencyProperty::Register(L"Points", CXTPMarkupPointCollection::GetMarkupType(),
                                                               GetMarkupType(),
                                                               new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

CXTPMarkupPolygon::CXTPMarkupPolygon() {}

void CXTPMarkupPath::RegisterMarkupProperties()
{
    m_pDataProperty = CXTPMarkupDependencyProperty::Register(L"Data", CXTPMarkupPathData::GetMarkupType(),
                                                             GetMarkupType(),
                                                             new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

CXTPMarkupPath::CXTPMarkupPath() {}

void CXTPMarkupPath::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (pContent && pContent->IsKindOf(CXTPMarkupPathData::GetMarkupType()))
    {
        pContent->AddRef();
        SetValue(m_pDataProperty, pContent);
        return;
    }
    CXTPMarkupFrameworkElement::SetContentObject(pBuilder, pContent);
}
