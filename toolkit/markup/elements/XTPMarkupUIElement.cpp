#include "toolkit/markup/elements/XTPMarkupUIElement.h"

#include <algorithm>

#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/drawing/XTPMarkupDrawingContext.h"
#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/styles/XTPMarkupStyle.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupVisual, CXTPMarkupInputElement, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupUIElement, CXTPMarkupVisual, &CXTPMarkupUIElement::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupFrameworkElement, CXTPMarkupUIElement,
                          &CXTPMarkupFrameworkElement::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupKeyboardNavigation, CXTPMarkupObject,
                          &CXTPMarkupKeyboardNavigation::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupUIElement::m_pClipToBoundsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUIElement::m_pVisibilityProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUIElement::m_pFocusableProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUIElement::m_pIsEnabledProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMarginProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pHorizontalAlignmentProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pVerticalAlignmentProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMinWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMinHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMaxWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pMaxHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pTagProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkElement::m_pResourcesProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupKeyboardNavigation::m_pIsTabStopProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupKeyboardNavigation::m_pTabNavigationProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupKeyboardNavigation::m_pTabIndexProperty = nullptr;

typedef CXTPMarkupPropertyMetadata Metadata;

CXTPMarkupVisual::CXTPMarkupVisual() : m_ptVisualOffset(), m_szRenderSize(), m_rcBoundRect() {}

int CXTPMarkupVisual::GetLogicalChildrenCount() const
{
    return GetVisualChildrenCount();
}

CXTPMarkupObject* CXTPMarkupVisual::GetLogicalChild(int nIndex) const
{
    return GetVisualChild(nIndex);
}

int CXTPMarkupVisual::GetVisualChildrenCount() const
{
    return 0;
}

CXTPMarkupVisual* CXTPMarkupVisual::GetVisualChild(int /*nIndex*/) const
{
    return nullptr;
}

void CXTPMarkupUIElement::RegisterMarkupProperties()
{
    CXTPMarkupType* pOwner = GetMarkupType();
    m_pClipToBoundsProperty =
        CXTPMarkupDependencyProperty::Register(L"ClipToBounds", CXTPMarkupBool::GetMarkupType(), pOwner);
    m_pVisibilityProperty = CXTPMarkupDependencyProperty::Register(
        L"Visibility", CXTPMarkupEnum::GetMarkupType(), pOwner,
        new Metadata(nullptr, &XTPMarkupConvertVisibility, Metadata::flagAffectsMeasure));
    m_pFocusableProperty = CXTPMarkupDependencyProperty::Register(L"Focusable", CXTPMarkupBool::GetMarkupType(), pOwner,
                                                                  new Metadata(CXTPMarkupBool::CreateFalseValue()));
    m_pIsEnabledProperty = CXTPMarkupDependencyProperty::Register(L"IsEnabled", CXTPMarkupBool::GetMarkupType(), pOwner,
                                                                  new Metadata(CXTPMarkupBool::CreateTrueValue()));
}

CXTPMarkupUIElement::CXTPMarkupUIElement()
    : m_szDesiredSize(), m_rcFinalRect(), m_bMeasureDirty(TRUE), m_bArrangeDirty(TRUE), m_bMeasuredSinceArrange(FALSE),
      m_bDrawingContextDemandsMeasure(FALSE), m_bInMeasure(FALSE), m_bInArrange(FALSE), m_bLayoutInvalidated(FALSE),
      m_szPreviousAvailableSize()
{
}

void CXTPMarkupFrameworkElement::RegisterMarkupProperties()
{
    CXTPMarkupType* pOwner = GetMarkupType();
    CXTPMarkupType* pInt = CXTPMarkupInt::GetMarkupType();
    CXTPMarkupType* pEnum = CXTPMarkupEnum::GetMarkupType();
    m_pMarginProperty = CXTPMarkupDependencyProperty::Register(
        L"Margin", CXTPMarkupThickness::GetMarkupType(), pOwner,
        new Metadata(CXTPMarkupThickness::CreateZero(), Metadata::flagAffectsMeasure));
    m_pHorizontalAlignmentProperty = CXTPMarkupDependencyProperty::Register(
        L"HorizontalAlignment", pEnum, pOwner,
        new Metadata(nullptr, &XTPMarkupConvertHorizontalAlignment, Metadata::flagAffectsArrange));
    m_pVerticalAlignmentProperty = CXTPMarkupDependencyProperty::Register(
        L"VerticalAlignment", pEnum, pOwner,
        new Metadata(nullptr, &XTPMarkupConvertVerticalAlignment, Metadata::flagAffectsArrange));
    CXTPMarkupDependencyProperty** arrLengths[] = {&m_pWidthProperty,    &m_pHeightProperty,    &m_pMinWidthProperty,
                                                   &m_pMinHeightProperty, &m_pMaxWidthProperty, &m_pMaxHeightProperty};
    LPCWSTR arrNames[] = {L"Width", L"Height", L"MinWidth", L"MinHeight", L"MaxWidth", L"MaxHeight"};
    for (int i = 0; i < 6; i++)
    {
        *arrLengths[i] = CXTPMarkupDependencyProperty::Register(
            arrNames[i], pInt, pOwner, new Metadata(nullptr, &XTPMarkupConvertLength, Metadata::flagAffectsMeasure));
    }
    m_pTagProperty = CXTPMarkupDependencyProperty::Register(L"Tag", CXTPMarkupObject::GetMarkupType(), pOwner);
    m_pResourcesProperty = CXTPMarkupDependencyProperty::Register(
        L"Resources", CXTPMarkupResourceDictionary::GetMarkupType(), pOwner);
}

CXTPMarkupFrameworkElement::CXTPMarkupFrameworkElement()
    : m_bNeedsClip(FALSE), m_bUnclippedDesiredSize(FALSE), m_szUnclippedDesiredSize()
{
    m_mmLimits.nMaxHeight = XTP_MARKUP_UNBOUNDED;
    m_mmLimits.nMinHeight = 0;
    m_mmLimits.nMaxWidth = XTP_MARKUP_UNBOUNDED;
    m_mmLimits.nMinWidth = 0;
}

void CXTPMarkupFrameworkElement::SetSingleChild(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent,
                                                CXTPMarkupUIElement*& pSlot)
{
    LPCWSTR lpszContentClass = pContent ? pContent->GetType()->GetClassName() : L"";
    if (pSlot)
    {
        pBuilder->ThrowBuilderError(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.",
                                    GetType()->GetClassName(), lpszContentClass, GetType()->GetClassName());
    }
    if (!pContent || !pContent->IsKindOf(CXTPMarkupUIElement::GetMarkupType()))
    {
        pBuilder->ThrowBuilderError(
            L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CXTPMarkupUIElement'",
            lpszContentClass, GetType()->GetClassName());
    }
    pContent->AddRef();
    pContent->SetLogicalParent(this);
    pSlot = static_cast<CXTPMarkupUIElement*>(pContent);
}

void XTPMarkupSetChild(CXTPMarkupObject* pParent, CXTPMarkupUIElement*& pSlot, CXTPMarkupUIElement* pChild)
{
    if (pSlot)
    {
        pSlot->SetLogicalParent(nullptr);
        pSlot->Release();
    }
    pSlot = pChild;
    if (pSlot)
        pSlot->SetLogicalParent(pParent);
}

void CXTPMarkupKeyboardNavigation::RegisterMarkupProperties()
{
    CXTPMarkupType* pOwner = GetMarkupType();
    m_pIsTabStopProperty = CXTPMarkupDependencyProperty::RegisterAttached(
        L"IsTabStop", CXTPMarkupBool::GetMarkupType(), pOwner, new Metadata(CXTPMarkupBool::CreateTrueValue()));
    m_pTabNavigationProperty = CXTPMarkupDependencyProperty::RegisterAttached(
        L"TabNavigation", CXTPMarkupEnum::GetMarkupType(), pOwner,
        new Metadata(nullptr, &XTPMarkupConvertTabNavigation));
    m_pTabIndexProperty = CXTPMarkupDependencyProperty::RegisterAttached(
        L"TabIndex", CXTPMarkupInt::GetMarkupType(), pOwner, new Metadata(new CXTPMarkupInt(0x7FFFFFFF)));
}

CXTPMarkupKeyboardNavigation::CXTPMarkupKeyboardNavigation() {}
