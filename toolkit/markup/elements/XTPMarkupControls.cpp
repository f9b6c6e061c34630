#include "toolkit/markup/elements/XTPMarkupControls.h"

#include <algorithm>

#include "toolkit/markup/drawing/XTPMarkupDrawingContext.h"
#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/elements/XTPMarkupPanel.h"
#include "toolkit/markup/elements/XTPMarkupTextElements.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupBorder, CXTPMarkupFrameworkElement, &CXTPMarkupBorder::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupPage, CXTPMarkupFrameworkElement, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupWindowContainer, CXTPMarkupFrameworkElement, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupControl, CXTPMarkupFrameworkElement, &CXTPMarkupControl::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupContentControl, CXTPMarkupControl,
                          &CXTPMarkupContentControl::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupButtonBase, CXTPMarkupContentControl, &CXTPMarkupButtonBase::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupButton, CXTPMarkupButtonBase, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupToggleButton, CXTPMarkupButtonBase,
                          &CXTPMarkupToggleButton::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupCheckBox, CXTPMarkupToggleButton, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupRadioButton, CXTPMarkupToggleButton, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupScrollBar, CXTPMarkupControl, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupScrollBarGripper, CXTPMarkupUIElement, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupScrollViewer, CXTPMarkupContentControl,
                          &CXTPMarkupScrollViewer::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pPaddingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pBorderThicknessProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pBorderBrushProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pCornerRadiusProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupControl::m_pPaddingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupControl::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupControl::m_pForegroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupContentControl::m_pContentProperty = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupButtonBase::m_pClickEvent = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupButtonBase::m_pIsPressedProperty = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupToggleButton::m_pCheckedEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupToggleButton::m_pUncheckedEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupToggleButton::m_pIndeterminateEvent = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupToggleButton::m_pIsCheckedProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupToggleButton::m_pIsThreeStateProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupScrollViewer::m_pVerticalScrollBarVisibilityProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupScrollViewer::m_pHorizontalScrollBarVisibilityProperty = nullptr;

typedef CXTPMarkupPropertyMetadata Metadata;

// --- decorators ----------------------------------------------------------------------------------

CXTPMarkupDecorator::CXTPMarkupDecorator() : m_pChild(nullptr) {}

CXTPMarkupDecorator::~CXTPMarkupDecorator()
{
    SetChild(nullptr);
}

void CXTPMarkupDecorator::SetChild(CXTPMarkupUIElement* pChild)
{
    XTPMarkupSetChild(this, m_pChild, pChild);
}

int CXTPMarkupDecorator::GetVisualChildrenCount() const
{
    return m_pChild ? 1 : 0;
}

CXTPMarkupVisual* CXTPMarkupDecorator::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? m_pChild : nullptr;
}

void CXTPMarkupDecorator::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    SetSingleChild(pBuilder, pContent, m_pChild);
}

BOOL CXTPMarkupDecorator::HasContentObject() const
{
    return m_pChild != nullptr;
}

void CXTPMarkupBorder::RegisterMarkupProperties()
{
    CXTPMarkupType* pOwner = GetMarkupType();
    CXTPMarkupType* pBrush = CXTPMarkupBrush::GetMarkupType();
    CXTPMarkupType* pThickness = CXTPMarkupThickness::GetMarkupType();
    m_pBackgroundProperty = CXTPMarkupDependencyProperty::Register(L"Background", pBrush, pOwner,
                                                                   new Metadata(nullptr, Metadata::flagAffectsRender));
    m_pPaddingProperty = CXTPMarkupDependencyProperty::Register(
        L"Padding", pThickness, pOwner, new Metadata(CXTPMarkupThickness::CreateZero(), Metadata::flagAffectsMeasure));
    m_pBorderThicknessProperty = CXTPMarkupDependencyProperty::Register(
        L"BorderThickness", pThickness, pOwner,
        new Metadata(CXTPMarkupThickness::CreateZero(), Metadata::flagAffectsMeasure));
    m_pBorderBrushProperty = CXTPMarkupDependencyProperty::Register(L"BorderBrush", pBrush, pOwner,
                                                                    new Metadata(nullptr, Metadata::flagAffectsRender));
    m_pCornerRadiusProperty = CXTPMarkupDependencyProperty::Register(
        L"CornerRadius", pThickness, pOwner, new Metadata(CXTPMarkupThickness::CreateZero(), Metadata::flagAffectsRender));
}

CXTPMarkupBorder::CXTPMarkupBorder() {}

CXTPMarkupBrush* CXTPMarkupBorder::GetBackground() const
{
    return static_cast<CXTPMarkupBrush*>(GetValue(m_pBackgroundProperty));
}

CXTPMarkupBrush* CXTPMarkupBorder::GetBorderBrush() const
{
    return static_cast<CXTPMarkupBrush*>(GetValue(m_pBorderBrushProperty));
}

CXTPMarkupThickness* CXTPMarkupBorder::GetBorderThickness() const
{
    return static_cast<CXTPMarkupThickness*>(GetValue(m_pBorderThicknessProperty));
}

CXTPMarkupThickness* CXTPMarkupBorder::GetPadding() const
{
    return static_cast<CXTPMarkupThickness*>(GetValue(m_pPaddingProperty));
}

CXTPMarkupThickness* CXTPMarkupBorder::GetCornerRadius() const
{
    return static_cast<CXTPMarkupThickness*>(GetValue(m_pCornerRadiusProperty));
}

SIZE CXTPMarkupBorder::MeasureOverride(CXTPMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    CXTPMarkupThickness* pBorder = GetBorderThickness();
    CXTPMarkupThickness* pPadding = GetPadding();
    int nExtraWidth = pBorder->GetLeft() + pBorder->GetRight() + pPadding->GetLeft() + pPadding->GetRight();
    int nExtraHeight = pBorder->GetTop() + pBorder->GetBottom() + pPadding->GetTop() + pPadding->GetBottom();
    if (!m_pChild)
        return {nExtraWidth, nExtraHeight};
    m_pChild->Measure(pDC, std::max(0, nAvailableWidth - nExtraWidth), std::max(0, nAvailableHeight - nExtraHeight));
    SIZE szChild = m_pChild->GetDesiredSize();
    return {nExtraWidth + szChild.cx, nExtraHeight + szChild.cy};
}

SIZE CXTPMarkupBorder::ArrangeOverride(SIZE szFinalSize)
{
    if (m_pChild)
    {
        RECT rc = {0, 0, szFinalSize.cx, szFinalSize.cy};
        rc = CXTPMarkupThickness::DeflateRect(rc, GetBorderThickness());
        rc = CXTPMarkupThickness::DeflateRect(rc, GetPadding());
        m_pChild->Arrange(rc);
    }
    return szFinalSize;
}

CXTPMarkupInputElement* CXTPMarkupBorder::HitTestSelf(POINT pt) const
{
    return GetBackground() ? CXTPMarkupDecorator::HitTestSelf(pt) : nullptr;
}

void CXTPMarkupBorder::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupBrush* pBackground = GetBackground();
    CXTPMarkupBrush* pBorderBrush = GetBorderBrush();
    if (m_szRenderSize.cx <= 0 || m_szRenderSize.cy <= 0 || (!pBackground && !pBorderBrush))
        return;
    CXTPMarkupThickness* pRadius = GetCornerRadius();
    double arrRadius[8];
    double* pRadii = nullptr;
    if (pRadius->GetLeft() || pRadius->GetTop() || pRadius->GetRight() || pRadius->GetBottom())
    {
        // The four values are the top-left, top-right, bottom-right and bottom-left radii.
        int arrCorner[4] = {pRadius->GetLeft(), pRadius->GetTop(), pRadius->GetRight(), pRadius->GetBottom()};
        for (int i = 0; i < 8; i++)
            arrRadius[i] = arrCorner[i / 2];
        pRadii = arrRadius;
    }
    CXTPMarkupThickness* pThickness = GetBorderThickness();
    RECT rcAll = {0, 0, m_szRenderSize.cx, m_szRenderSize.cy};
    if (pBorderBrush && (pThickness->GetLeft() || pThickness->GetTop() || pThickness->GetRight() || pThickness->GetBottom()))
        pDC->DrawFrame(rcAll, pBorderBrush, pThickness, pRadii);
    if (!pBackground)
        return;
    RECT rcInner = {pThickness->GetLeft(), pThickness->GetTop(), m_szRenderSize.cx - pThickness->GetRight(),
                    m_szRenderSize.cy - pThickness->GetBottom()};
    if (rcInner.left >= rcInner.right || rcInner.top >= rcInner.bottom)
        return;
    if (pRadii)
    {
        double dInset = pThickness->GetLeft() / 2;
        for (int i = 0; i < 8; i++)
            arrRadius[i] = std::max(0.0, arrRadius[i] - dInset);
    }
    pDC->FillRectangle(rcInner, pBackground, pRadii);
}

CXTPMarkupPage::CXTPMarkupPage() {}

CXTPMarkupWindowContainer::CXTPMarkupWindowContainer() : m_hWndChild(nullptr), m_szDesired{0, 0} {}

void CXTPMarkupWindowContainer::SetChildWindow(HWND hWnd, SIZE szDesired)
{
    m_hWndChild = hWnd;
    m_szDesired = szDesired;
}

// --- controls ------------------------------------------------------------------------------------

void CXTPMarkupControl::RegisterMarkupProperties()
{
    CXTPMarkupBorder::GetMarkupType()->EnsureRegistered();
    CXTPMarkupPanel::GetMarkupType()->EnsureRegistered();
    CXTPMarkupTextElement::GetMarkupType()->EnsureRegistered();
    m_pPaddingProperty = CXTPMarkupBorder::m_pPaddingProperty->AddOwner(GetMarkupType());
    m_pBackgroundProperty = CXTPMarkupPanel::m_pBackgroundProperty->AddOwner(GetMarkupType());
    m_pForegroundProperty = CXTPMarkupTextElement::m_pForegroundProperty->AddOwner(GetMarkupType());
}

CXTPMarkupControl::CXTPMarkupControl() {}

// Text as content becomes a TextBlock holding one Run of it.
static CXTPMarkupObject* ConvertContent(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject)
{
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    if (!lpszText)
    {
        if (pObject)
            pObject->AddRef();
        return pObject;
    }
    CXTPMarkupTextBlock* pTextBlock = static_cast<CXTPMarkupTextBlock*>(pBuilder->CreateObject(CXTPMarkupTextBlock::GetMarkupType()));
    CXTPMarkupRun* pRun = static_cast<CXTPMarkupRun*>(pBuilder->CreateObject(CXTPMarkupRun::GetMarkupType()));
    pRun->SetValue(CXTPMarkupRun::m_pTextProperty, CXTPMarkupString::CreateValue(lpszText));
    pTextBlock->GetInlines()->Add(pRun);
    return pTextBlock;
}

void CXTPMarkupContentControl::RegisterMarkupProperties()
{
    m_pContentProperty = CXTPMarkupDependencyProperty::Register(
        L"Content", CXTPMarkupUIElement::GetMarkupType(), GetMarkupType(),
        new Metadata(nullptr, &ConvertContent, Metadata::flagAffectsMeasure));
}

CXTPMarkupContentControl::CXTPMarkupContentControl() {}

CXTPMarkupUIElement* CXTPMarkupContentControl::GetContent() const
{
    return static_cast<CXTPMarkupUIElement*>(GetValue(m_pContentProperty));
}

void CXTPMarkupContentControl::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    LPCWSTR lpszContentClass = pContent ? pContent->GetType()->GetClassName() : L"";
    if (GetContent())
    {
        pBuilder->ThrowBuilderError(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.",
                                    GetType()->GetClassName(), lpszContentClass, GetType()->GetClassName());
    }
    if (LPCWSTR lpszText = XTPMarkupStringOf(pContent))
    {
        CXTPMarkupObject* pTextBlock = pBuilder->CreateObject(CXTPMarkupTextBlock::GetMarkupType());
        try
        {
            pTextBlock->SetContentObject(pBuilder, pContent);
        }
        catch (...)
        {
            pTextBlock->Release();
            throw;
        }
        (void)lpszText;
        SetValue(m_pContentProperty, pTextBlock);
        return;
    }
    if (!pContent || !pContent->IsKindOf(CXTPMarkupUIElement::GetMarkupType()))
    {
        pBuilder->ThrowBuilderError(
            L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CXTPMarkupUIElement'",
            lpszContentClass, GetType()->GetClassName());
    }
    pContent->AddRef();
    SetValue(m_pContentProperty, pContent);
}

BOOL CXTPMarkupContentControl::HasContentObject() const
{
    return GetContent() != nullptr;
}

int CXTPMarkupContentControl::GetVisualChildrenCount() const
{
    return GetContent() ? 1 : 0;
}

CXTPMarkupVisual* CXTPMarkupContentControl::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? GetContent() : nullptr;
}

void CXTPMarkupButtonBase::RegisterMarkupProperties()
{
    m_pClickEvent = CXTPMarkupRoutedEvent::RegisterRoutedEvent(L"Click", CXTPMarkupRoutedEvent::routingBubble,
                                                               GetMarkupType());
    m_pIsPressedProperty = CXTPMarkupDependencyProperty::Register(
        L"IsPressed", CXTPMarkupBool::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupBool::CreateFalseValue(), Metadata::flagAffectsArrange));
}

CXTPMarkupButtonBase::CXTPMarkupButtonBase()
{
    SetValue(m_pFocusableProperty, CXTPMarkupBool::CreateTrueValue());
}

CXTPMarkupButton::CXTPMarkupButton() {}

void CXTPMarkupToggleButton::RegisterMarkupProperties()
{
    typedef CXTPMarkupRoutedEvent E;
    m_pCheckedEvent = E::RegisterRoutedEvent(L"Checked", E::routingBubble, GetMarkupType());
    m_pUncheckedEvent = E::RegisterRoutedEvent(L"Unchecked", E::routingBubble, GetMarkupType());
    m_pIndeterminateEvent = E::RegisterRoutedEvent(L"Indeterminate", E::routingBubble, GetMarkupType());
    m_pIsCheckedProperty = CXTPMarkupDependencyProperty::Register(
        L"IsChecked", CXTPMarkupEnum::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertCheckState, Metadata::flagAffectsRender));
    m_pIsThreeStateProperty = CXTPMarkupDependencyProperty::Register(
        L"IsThreeState", CXTPMarkupBool::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupBool::CreateFalseValue(), Metadata::flagAffectsRender));
}

CXTPMarkupToggleButton::CXTPMarkupToggleButton() {}

CXTPMarkupCheckBox::CXTPMarkupCheckBox() {}

CXTPMarkupRadioButton::CXTPMarkupRadioButton() {}

CXTPMarkupScrollBar::CXTPMarkupScrollBar() : m_nOrientation(1) {}

CXTPMarkupScrollBarGripper::CXTPMarkupScrollBarGripper() {}

void CXTPMarkupScrollViewer::RegisterMarkupProperties()
{
    m_pVerticalScrollBarVisibilityProperty = CXTPMarkupDependencyProperty::Register(
        L"VerticalScrollBarVisibility", CXTPMarkupEnum::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupEnum::CreateValue(2), &XTPMarkupConvertScrollBarVisibility, Metadata::flagAffectsMeasure));
    m_pHorizontalScrollBarVisibilityProperty = CXTPMarkupDependencyProperty::Register(
        L"HorizontalScrollBarVisibility", CXTPMarkupEnum::GetMarkupType(), GetMarkupType(),
        new Metadata(CXTPMarkupEnum::CreateValue(0), &XTPMarkupConvertScrollBarVisibility, Metadata::flagAffectsMeasure));
}

CXTPMarkupScrollViewer::CXTPMarkupScrollViewer()
{
    SetValue(m_pClipToBoundsProperty, CXTPMarkupBool::CreateTrueValue());
}
