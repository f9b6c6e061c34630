#include "toolkit/markup/elements/XTPMarkupTextElements.h"

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/elements/XTPMarkupControls.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/styles/XTPMarkupStyle.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"
#include "toolkit/markup/values/XTPMarkupPathData.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupFrameworkContentElement, CXTPMarkupInputElement,
                          &CXTPMarkupFrameworkContentElement::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupTextElement, CXTPMarkupFrameworkContentElement,
                          &CXTPMarkupTextElement::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupInline, CXTPMarkupTextElement, &CXTPMarkupInline::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupRun, CXTPMarkupInline, &CXTPMarkupRun::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupLineBreak, CXTPMarkupRun, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupInlineCollection, CXTPMarkupCollection, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupSpan, CXTPMarkupInline, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupBold, CXTPMarkupSpan, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupItalic, CXTPMarkupSpan, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupUnderline, CXTPMarkupSpan, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupHyperlink, CXTPMarkupSpan, &CXTPMarkupHyperlink::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupInlineUIContainer, CXTPMarkupInline, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupTextBlock, CXTPMarkupFrameworkElement, &CXTPMarkupTextBlock::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupFrameworkContentElement::m_pTagProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupFrameworkContentElement::m_pResourcesProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pForegroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontSizeProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontWeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontFamilyProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontStyleProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pTextDecorationsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontQualityProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextElement::m_pFontCharsetProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInline::m_pBaselineAlignmentProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRun::m_pTextProperty = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupHyperlink::m_pClickEvent = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextWrappingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextTrimmingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextAlignmentProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pPaddingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pTextProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTextBlock::m_pRenderTransformProperty = nullptr;

typedef CXTPMarkupPropertyMetadata Metadata;

void CXTPMarkupFrameworkContentElement::RegisterMarkupProperties()
{
    CXTPMarkupFrameworkElement::GetMarkupType()->EnsureRegistered();
    m_pTagProperty = CXTPMarkupFrameworkElement::m_pTagProperty->AddOwner(GetMarkupType());
    m_pResourcesProperty = CXTPMarkupFrameworkElement::m_pResourcesProperty->AddOwner(GetMarkupType());
}

CXTPMarkupFrameworkContentElement::CXTPMarkupFrameworkContentElement() {}

void CXTPMarkupTextElement::RegisterMarkupProperties()
{
    CXTPMarkupType* pOwner = GetMarkupType();
    const DWORD dwRender = Metadata::flagInherited | Metadata::flagAffectsRender;
    const DWORD dwMeasure = Metadata::flagInherited | Metadata::flagAffectsMeasure;
    CXTPMarkupType* pBrush = CXTPMarkupBrush::GetMarkupType();
    CXTPMarkupType* pEnum = CXTPMarkupEnum::GetMarkupType();
    typedef CXTPMarkupDependencyProperty P;
    m_pBackgroundProperty = P::RegisterAttached(L"Background", pBrush, pOwner, new Metadata(nullptr, dwRender));
    m_pForegroundProperty = P::RegisterAttached(L"Foreground", pBrush, pOwner, new Metadata(nullptr, dwRender));
    m_pFontSizeProperty = P::RegisterAttached(L"FontSize", CXTPMarkupInt::GetMarkupType(), pOwner,
                                              new Metadata(nullptr, &XTPMarkupConvertLength, dwMeasure));
    m_pFontWeightProperty = P::RegisterAttached(L"FontWeight", pEnum, pOwner,
                                                new Metadata(nullptr, &XTPMarkupConvertFontWeight, dwMeasure));
    m_pFontFamilyProperty =
        P::RegisterAttached(L"FontFamily", CXTPMarkupString::GetMarkupType(), pOwner, new Metadata(nullptr, dwMeasure));
    m_pFontStyleProperty = P::RegisterAttached(L"FontStyle", pEnum, pOwner,
                                               new Metadata(nullptr, &XTPMarkupConvertFontStyle, dwMeasure));
    m_pTextDecorationsProperty = P::RegisterAttached(L"TextDecorations", pEnum, pOwner,
                                                     new Metadata(nullptr, &XTPMarkupConvertTextDecorations, dwRender));
    m_pFontQualityProperty = P::RegisterAttached(L"FontQuality", pEnum, pOwner,
                                                 new Metadata(nullptr, &XTPMarkupConvertFontQuality, dwRender));
    m_pFontCharsetProperty =
        P::RegisterAttached(L"FontCharset", CXTPMarkupInt::GetMarkupType(), pOwner, new Metadata(nullptr, dwRender));
}

CXTPMarkupTextElement::CXTPMarkupTextElement() {}

void CXTPMarkupInline::RegisterMarkupProperties()
{
    m_pBaselineAlignmentProperty = CXTPMarkupDependencyProperty::Register(
        L"BaselineAlignment", CXTPMarkupEnum::GetMarkupType(), GetMarkupType(),
        new Metadata(nullptr, &XTPMarkupConvertBaselineAlignment, Metadata::flagAffectsArrange));
}

CXTPMarkupInline::CXTPMarkupInline() : m_nIndex(-1) {}

void CXTPMarkupRun::RegisterMarkupProperties()
{
    m_pTextProperty = CXTPMarkupDependencyProperty::Register(L"Text", CXTPMarkupString::GetMarkupType(), GetMarkupType(),
                                                             new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

CXTPMarkupRun::CXTPMarkupRun() {}

LPCWSTR CXTPMarkupRun::GetText() const
{
    LPCWSTR lpszText = XTPMarkupStringOf(GetValue(m_pTextProperty));
    return lpszText ? lpszText : L"";
}

void CXTPMarkupRun::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (XTPMarkupStringOf(pContent))
    {
        pContent->AddRef();
        SetValue(m_pTextProperty, pContent);
        return;
    }
    CXTPMarkupObject::SetContentObject(pBuilder, pContent);
}

BOOL CXTPMarkupRun::HasContentObject() const
{
    return GetValue(m_pTextProperty) != nullptr;
}

CXTPMarkupLineBreak::CXTPMarkupLineBreak()
{
    SetValue(m_pTextProperty, CXTPMarkupString::CreateValue(L"\n"));
}

// --- inline collections --------------------------------------------------------------------------

CXTPMarkupInlineCollection::CXTPMarkupInlineCollection()
{
    m_pItemType = CXTPMarkupInline::GetMarkupType();
}

void CXTPMarkupInlineCollection::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    CXTPMarkupObject* pOwner = GetLogicalParent();
    bool bOwner = pOwner && pOwner->IsKindOf(CXTPMarkupInputElement::GetMarkupType());
    if (bOwner && XTPMarkupStringOf(pContent))
    {
        CXTPMarkupObject* pRun = pBuilder->CreateObject(CXTPMarkupRun::GetMarkupType());
        pContent->AddRef();
        pRun->SetValue(CXTPMarkupRun::m_pTextProperty, pContent);
        Add(pRun);
        return;
    }
    if (bOwner && pContent && pContent->IsKindOf(CXTPMarkupInline::GetMarkupType()))
    {
        pContent->AddRef();
        Add(pContent);
        return;
    }
    if (bOwner && pContent && pContent->IsKindOf(CXTPMarkupUIElement::GetMarkupType()))
    {
        CXTPMarkupInlineUIContainer* pContainer = static_cast<CXTPMarkupInlineUIContainer*>(
            pBuilder->CreateObject(CXTPMarkupInlineUIContainer::GetMarkupType()));
        pContent->AddRef();
        pContainer->SetChild(static_cast<CXTPMarkupUIElement*>(pContent));
        Add(pContainer);
        return;
    }
    pBuilder->ThrowBuilderError(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CXTPMarkupInline'",
                                pContent ? pContent->GetType()->GetClassName() : L"", GetType()->GetClassName());
}

void CXTPMarkupInlineCollection::OnItemAdded(CXTPMarkupObject* pItem, int nIndex)
{
    static_cast<CXTPMarkupInline*>(pItem)->SetIndex(nIndex);
}

// --- spans ---------------------------------------------------------------------------------------

CXTPMarkupSpan::CXTPMarkupSpan() : m_pInlines(new CXTPMarkupInlineCollection())
{
    m_pInlines->SetLogicalParent(this);
}

CXTPMarkupSpan::~CXTPMarkupSpan()
{
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->Release();
}

void CXTPMarkupSpan::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CXTPMarkupSpan::HasContentObject() const
{
    return m_pInlines->HasContentObject();
}

BOOL CXTPMarkupSpan::AllowWhiteSpaceContent() const
{
    return TRUE;
}

int CXTPMarkupSpan::GetLogicalChildrenCount() const
{
    return 1;
}

CXTPMarkupObject* CXTPMarkupSpan::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : nullptr;
}

CXTPMarkupBold::CXTPMarkupBold()
{
    SetValue(m_pFontWeightProperty, CXTPMarkupEnum::CreateValue(700));
}

CXTPMarkupItalic::CXTPMarkupItalic()
{
    SetValue(m_pFontStyleProperty, CXTPMarkupEnum::CreateValue(1));
}

CXTPMarkupUnderline::CXTPMarkupUnderline()
{
    SetValue(m_pTextDecorationsProperty, CXTPMarkupEnum::CreateValue(1));
}

void CXTPMarkupHyperlink::RegisterMarkupProperties()
{
    CXTPMarkupButtonBase::GetMarkupType()->EnsureRegistered();
    CXTPMarkupStyle::GetMarkupType()->EnsureRegistered();
    CXTPMarkupTrigger::GetMarkupType()->EnsureRegistered();
    m_pClickEvent = static_cast<CXTPMarkupRoutedEvent*>(CXTPMarkupButtonBase::m_pClickEvent->AddOwner(GetMarkupType()));

    CXTPMarkupStyle* pStyle = new CXTPMarkupStyle();
    CXTPMarkupSetterColection* pSetters = pStyle->GetSetters();
    pSetters->Add(new CXTPMarkupSetter(m_pTextDecorationsProperty, CXTPMarkupEnum::CreateValue(1)));
    pSetters->Add(new CXTPMarkupSetter(m_pForegroundProperty, new CXTPMarkupSolidColorBrush(RGB(0, 0, 255))));
    pSetters->Add(new CXTPMarkupSetter(m_pCursorProperty, new CXTPMarkupInt(32649)));
    CXTPMarkupTrigger* pTrigger = new CXTPMarkupTrigger(m_pIsMouseOverProperty, CXTPMarkupBool::CreateTrueValue());
    pTrigger->GetSetters()->Add(new CXTPMarkupSetter(m_pForegroundProperty, new CXTPMarkupSolidColorBrush(RGB(255, 0, 0))));
    CXTPMarkupTriggerCollection* pTriggers = new CXTPMarkupTriggerCollection();
    pTriggers->Add(pTrigger);
    pStyle->SetValue(CXTPMarkupStyle::m_pTriggersProperty, pTriggers);
    GetMarkupType()->SetTypeStyle(pStyle);
    pStyle->Release();
}

CXTPMarkupHyperlink::CXTPMarkupHyperlink() {}

CXTPMarkupInlineUIContainer::CXTPMarkupInlineUIContainer() : m_pChild(nullptr) {}

CXTPMarkupInlineUIContainer::~CXTPMarkupInlineUIContainer()
{
    SetChild(nullptr);
}

void CXTPMarkupInlineUIContainer::SetChild(CXTPMarkupUIElement* pChild)
{
    XTPMarkupSetChild(this, m_pChild, pChild);
}

void CXTPMarkupInlineUIContainer::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (!pContent || !pContent->IsKindOf(CXTPMarkupUIElement::GetMarkupType()))
    {
        pBuilder->ThrowBuilderError(
            L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CXTPMarkupUIElement'",
            pContent ? pContent->GetType()->GetClassName() : L"", GetType()->GetClassName());
    }
    pContent->AddRef();
    SetChild(static_cast<CXTPMarkupUIElement*>(pContent));
}

BOOL CXTPMarkupInlineUIContainer::HasContentObject() const
{
    return m_pChild != nullptr;
}

int CXTPMarkupInlineUIContainer::GetLogicalChildrenCount() const
{
    return m_pChild ? 1 : 0;
}

CXTPMarkupObject* CXTPMarkupInlineUIContainer::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pChild : nullptr;
}

// --- text block ----------------------------------------------------------------------------------

void CXTPMarkupTextBlock::RegisterMarkupProperties()
{
    CXTPMarkupTextElement::GetMarkupType()->EnsureRegistered();
    CXTPMarkupType* pOwner = GetMarkupType();
    typedef CXTPMarkupTextElement T;
    for (CXTPMarkupDependencyProperty* pProperty :
         {T::m_pBackgroundProperty, T::m_pForegroundProperty, T::m_pFontSizeProperty, T::m_pFontWeightProperty,
          T::m_pFontFamilyProperty, T::m_pFontStyleProperty, T::m_pTextDecorationsProperty, T::m_pFontQualityProperty,
          T::m_pFontCharsetProperty})
        pProperty->AddOwner(pOwner);

    typedef CXTPMarkupDependencyProperty P;
    CXTPMarkupType* pEnum = CXTPMarkupEnum::GetMarkupType();
    m_pTextWrappingProperty = P::Register(L"TextWrapping", pEnum, pOwner,
                                          new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertTextWrapping,
                                                       Metadata::flagAffectsMeasure));
    m_pTextTrimmingProperty = P::Register(L"TextTrimming", pEnum, pOwner,
                                          new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertTextTrimming,
                                                       Metadata::flagAffectsMeasure));
    m_pTextAlignmentProperty = P::Register(L"TextAlignment", pEnum, pOwner,
                                           new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertTextAlignment,
                                                        Metadata::flagAffectsArrange));
    m_pPaddingProperty = P::Register(L"Padding", CXTPMarkupThickness::GetMarkupType(), pOwner,
                                     new Metadata(CXTPMarkupThickness::CreateZero(), Metadata::flagAffectsMeasure));
    m_pTextProperty = P::Register(L"Text", CXTPMarkupString::GetMarkupType(), pOwner,
                                  new Metadata(nullptr, Metadata::flagAffectsMeasure));
    m_pRenderTransformProperty =
        P::Register(L"RenderTransform", CXTPMarkupRenderTransform::GetMarkupType(), pOwner);
}

CXTPMarkupTextBlock::CXTPMarkupTextBlock() : m_pInlines(new CXTPMarkupInlineCollection())
{
    m_pInlines->SetLogicalParent(this);
}

CXTPMarkupTextBlock::~CXTPMarkupTextBlock()
{
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->Release();
}

void CXTPMarkupTextBlock::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CXTPMarkupTextBlock::HasContentObject() const
{
    return m_pInlines->HasContentObject();
}

BOOL CXTPMarkupTextBlock::AllowWhiteSpaceContent() const
{
    return TRUE;
}

int CXTPMarkupTextBlock::GetLogicalChildrenCount() const
{
    return 1;
}

CXTPMarkupObject* CXTPMarkupTextBlock::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : nullptr;
}

void CXTPMarkupTextBlock::OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                            CXTPMarkupObject* pNewValue)
{
    CXTPMarkupFrameworkElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    if (pProperty != m_pTextProperty)
        return;
    m_pInlines->RemoveAll();
    CXTPMarkupObject* pRun = m_pMarkupContext ? m_pMarkupContext->CreateMarkupObject(CXTPMarkupRun::GetMarkupType())
                                              : CXTPMarkupRun::CreateMarkupObject();
    if (LPCWSTR lpszText = XTPMarkupStringOf(pNewValue))
        pRun->SetValue(CXTPMarkupRun::m_pTextProperty, CXTPMarkupString::CreateValue(lpszText));
    m_pInlines->Add(pRun);
}
