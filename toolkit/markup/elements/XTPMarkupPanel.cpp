#include "toolkit/markup/elements/XTPMarkupPanel.h"

#include "toolkit/markup/drawing/XTPMarkupDrawingContext.h"
#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPanel, CXTPMarkupFrameworkElement, &CXTPMarkupPanel::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupStackPanel, CXTPMarkupPanel, &CXTPMarkupStackPanel::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupWrapPanel, CXTPMarkupPanel, &CXTPMarkupWrapPanel::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupDockPanel, CXTPMarkupPanel, &CXTPMarkupDockPanel::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupUniformGrid, CXTPMarkupPanel, &CXTPMarkupUniformGrid::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupCanvas, CXTPMarkupPanel, &CXTPMarkupCanvas::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupImage, CXTPMarkupFrameworkElement, &CXTPMarkupImage::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupPanel::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStackPanel::m_pOrientationProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupWrapPanel::m_pOrientationProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupWrapPanel::m_pItemHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupWrapPanel::m_pItemWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupDockPanel::m_pLastChildFillProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupDockPanel::m_pDockProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUniformGrid::m_pFirstColumnProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUniformGrid::m_pColumnsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUniformGrid::m_pRowsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pTopProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pRightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pLeftProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pBottomProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupImage::m_pSourceProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupImage::m_pStretchProperty = nullptr;

typedef CXTPMarkupPropertyMetadata Metadata;

CXTPMarkupUIElementCollection::CXTPMarkupUIElementCollection()
{
    m_pItemType = CXTPMarkupUIElement::GetMarkupType();
}

void CXTPMarkupPanel::RegisterMarkupProperties()
{
    m_pBackgroundProperty = CXTPMarkupDependencyProperty::Register(
        L"Background", CXTPMarkupBrush::GetMarkupType(), GetMarkupType(),
        new Metadata(nullptr, Metadata::flagAffectsRender));
}

CXTPMarkupPanel::CXTPMarkupPanel() : m_pChildren(new CXTPMarkupUIElementCollection())
{
    m_pChildren->SetLogicalParent(this);
}

CXTPMarkupPanel::~CXTPMarkupPanel()
{
    m_pChildren->SetLogicalParent(nullptr);
    m_pChildren->Release();
}

int CXTPMarkupPanel::GetVisualChildrenCount() const
{
    return m_pChildren->GetCount();
}

CXTPMarkupVisual* CXTPMarkupPanel::GetVisualChild(int nIndex) const
{
    return m_pChildren->GetElement(nIndex);
}

void CXTPMarkupPanel::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    m_pChildren->SetContentObject(pBuilder, pContent);
}

BOOL CXTPMarkupPanel::HasContentObject() const
{
    return m_pChildren->HasContentObject();
}

void CXTPMarkupUIElementCollection::OnChanged()
{
    CXTPMarkupCollection::OnChanged();
    CXTPMarkupObject* pOwner = GetLogicalParent();
    if (pOwner && pOwner->IsKindOf(CXTPMarkupUIElement::GetMarkupType()))
        static_cast<CXTPMarkupUIElement*>(pOwner)->InvalidateMeasure();
}

CXTPMarkupBrush* CXTPMarkupPanel::GetBackground() const
{
    return static_cast<CXTPMarkupBrush*>(GetValue(m_pBackgroundProperty));
}

void CXTPMarkupPanel::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupBrush* pBackground = GetBackground();
    if (m_szRenderSize.cx > 0 && m_szRenderSize.cy > 0 && pBackground)
        pDC->FillRectangle({0, 0, m_szRenderSize.cx, m_szRenderSize.cy}, pBackground);
}

CXTPMarkupInputElement* CXTPMarkupPanel::HitTestSelf(POINT pt) const
{
    return GetBackground() ? CXTPMarkupFrameworkElement::HitTestSelf(pt) : nullptr;
}

SIZE CXTPMarkupCanvas::MeasureOverride(CXTPMarkupDrawingContext* pDC, int /*nAvailableWidth*/, int /*nAvailableHeight*/)
{
    for (int i = 0; i < m_pChildren->GetCount(); i++)
    {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (pChild)
            pChild->Measure(pDC, XTP_MARKUP_UNBOUNDED, XTP_MARKUP_UNBOUNDED);
    }
    return {0, 0};
}

SIZE CXTPMarkupCanvas::ArrangeOverride(SIZE szFinalSize)
{
    for (int i = 0; i < m_pChildren->GetCount(); i++)
    {
        CXTPMarkupUIElement* pChild = m_pChildren->GetElement(i);
        if (!pChild)
            continue;
        SIZE szDesired = pChild->GetDesiredSize();
        CXTPMarkupInt* pLeft = static_cast<CXTPMarkupInt*>(pChild->GetValue(m_pLeftProperty));
        CXTPMarkupInt* pRight = static_cast<CXTPMarkupInt*>(pChild->GetValue(m_pRightProperty));
        CXTPMarkupInt* pTop = static_cast<CXTPMarkupInt*>(pChild->GetValue(m_pTopProperty));
        CXTPMarkupInt* pBottom = static_cast<CXTPMarkupInt*>(pChild->GetValue(m_pBottomProperty));
        int x = pLeft ? pLeft->GetValue() : (pRight ? szFinalSize.cx - pRight->GetValue() - szDesired.cx : 0);
        int y = pTop ? pTop->GetValue() : (pBottom ? szFinalSize.cy - pBottom->GetValue() - szDesired.cy : 0);
        pChild->Arrange({x, y, x + szDesired.cx, y + szDesired.cy});
    }
    return szFinalSize;
}

void CXTPMarkupStackPanel::RegisterMarkupProperties()
{
    m_pOrientationProperty = CXTPMarkupDependencyProperty::Register(
        L"Orientation", CXTPMarkupEnum::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupEnum::CreateValue(1), &XTPMarkupConvertOrientation, Metadata::flagAffectsMeasure));
}

CXTPMarkupStackPanel::CXTPMarkupStackPanel() {}

void CXTPMarkupWrapPanel::RegisterMarkupProperties()
{
    m_pOrientationProperty = CXTPMarkupDependencyProperty::Register(
        L"Orientation", CXTPMarkupEnum::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertOrientation, Metadata::flagAffectsMeasure));
    m_pItemHeightProperty = CXTPMarkupDependencyProperty::Register(
        L"ItemHeight", CXTPMarkupInt::GetMarkupType(), GetMarkupType(), new Metadata(nullptr, Metadata::flagAffectsMeasure));
    m_pItemWidthProperty = CXTPMarkupDependencyProperty::Register(
        L"ItemWidth", CXTPMarkupInt::GetMarkupType(), GetMarkupType(), new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

CXTPMarkupWrapPanel::CXTPMarkupWrapPanel() {}

void CXTPMarkupDockPanel::RegisterMarkupProperties()
{
    m_pLastChildFillProperty = CXTPMarkupDependencyProperty::Register(
        L"LastChildFill", CXTPMarkupBool::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupBool::CreateTrueValue(), Metadata::flagAffectsArrange));
    m_pDockProperty = CXTPMarkupDependencyProperty::RegisterAttached(
        L"Dock", CXTPMarkupEnum::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertDock));
}

CXTPMarkupDockPanel::CXTPMarkupDockPanel() {}

void CXTPMarkupUniformGrid::RegisterMarkupProperties()
{
    CXTPMarkupDependencyProperty** arr[] = {&m_pFirstColumnProperty, &m_pColumnsProperty, &m_pRowsProperty};
    LPCWSTR arrNames[] = {L"FirstColumn", L"Columns", L"Rows"};
    for (int i = 0; i < 3; i++)
    {
        *arr[i] = CXTPMarkupDependencyProperty::Register(arrNames[i], CXTPMarkupInt::GetMarkupType(), GetMarkupType(),
                                                         new Metadata(new CXTPMarkupInt(0), Metadata::flagAffectsMeasure));
    }
}

CXTPMarkupUniformGrid::CXTPMarkupUniformGrid() : m_nColumns(1), m_nRows(1), m_nFirstColumn(0) {}

void CXTPMarkupCanvas::RegisterMarkupProperties()
{
    CXTPMarkupDependencyProperty** arr[] = {&m_pTopProperty, &m_pRightProperty, &m_pLeftProperty, &m_pBottomProperty};
    LPCWSTR arrNames[] = {L"Top", L"Right", L"Left", L"Bottom"};
    for (int i = 0; i < 4; i++)
        *arr[i] = CXTPMarkupDependencyProperty::RegisterAttached(arrNames[i], CXTPMarkupInt::GetMarkupType(), GetMarkupType());
}

CXTPMarkupCanvas::CXTPMarkupCanvas() {}

void CXTPMarkupImage::RegisterMarkupProperties()
{
    m_pSourceProperty = CXTPMarkupDependencyProperty::Register(
        L"Source", CXTPMarkupString::GetMarkupType(), GetMarkupType(), new Metadata(nullptr, Metadata::flagAffectsMeasure));
    m_pStretchProperty = CXTPMarkupDependencyProperty::Register(
        L"Stretch", CXTPMarkupEnum::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertStretch, Metadata::flagAffectsMeasure));
}

CXTPMarkupImage::CXTPMarkupImage() {}
