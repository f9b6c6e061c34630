#include "toolkit/markup/elements/XTPMarkupInputElement.h"

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/styles/XTPMarkupStyle.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupInputElement, CXTPMarkupObject, &CXTPMarkupInputElement::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pCursorProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pIsMouseOverProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pStyleProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pIsKeyboardFocusedProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pIsFocusableProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupInputElement::m_pToolTipProperty = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseLeaveEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseEnterEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseLeftButtonUpEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseLeftButtonDownEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseRightButtonUpEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseRightButtonDownEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pMouseMoveEvent = nullptr;
CXTPMarkupRoutedEvent* CXTPMarkupInputElement::m_pLostMouseCaptureEvent = nullptr;

// --- routed events -------------------------------------------------------------------------------

BOOL CXTPMarkupRoutedEvent::IsEvent() const
{
    return TRUE;
}

CXTPMarkupRoutedEvent* CXTPMarkupRoutedEvent::RegisterRoutedEvent(LPCWSTR lpszName, RoutingStrategy nRouting,
                                                                  CXTPMarkupType* pOwnerType)
{
    CXTPMarkupPropertyMetadata* pMetadata =
        nRouting != routingDirect ? new CXTPMarkupPropertyMetadata(nullptr, (DWORD)nRouting) : nullptr;
    return static_cast<CXTPMarkupRoutedEvent*>(RegisterCommon(
        new CXTPMarkupRoutedEvent(), lpszName, CXTPMarkupString::GetMarkupType(), pOwnerType, pMetadata, FALSE));
}

CXTPMarkupRoutedEventArgs::CXTPMarkupRoutedEventArgs(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupObject* pSource)
    : m_pEvent(pEvent), m_pSource(pSource), m_bHandled(FALSE)
{
}

// --- input element -------------------------------------------------------------------------------

void CXTPMarkupInputElement::RegisterMarkupProperties()
{
    CXTPMarkupType* pOwner = GetMarkupType();
    m_pCursorProperty = CXTPMarkupDependencyProperty::Register(
        L"Cursor", CXTPMarkupInt::GetMarkupType(), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, &XTPMarkupConvertCursor));
    m_pIsMouseOverProperty =
        CXTPMarkupDependencyProperty::Register(L"IsMouseOver", CXTPMarkupBool::GetMarkupType(), pOwner);
    m_pStyleProperty = CXTPMarkupDependencyProperty::Register(
        L"Style", CXTPMarkupStyle::GetMarkupType(), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, &CXTPMarkupInputElement::OnStyleChanged));
    m_pIsKeyboardFocusedProperty = CXTPMarkupDependencyProperty::Register(
        L"IsKeyboardFocused", CXTPMarkupBool::GetMarkupType(), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, CXTPMarkupPropertyMetadata::flagAffectsRender));
    m_pIsFocusableProperty =
        CXTPMarkupDependencyProperty::Register(L"IsFocusable", CXTPMarkupBool::GetMarkupType(), pOwner);
    m_pToolTipProperty =
        CXTPMarkupDependencyProperty::Register(L"ToolTip", CXTPMarkupObject::GetMarkupType(), pOwner);

    typedef CXTPMarkupRoutedEvent E;
    m_pMouseLeaveEvent = E::RegisterRoutedEvent(L"MouseLeave", E::routingDirect, pOwner);
    m_pMouseEnterEvent = E::RegisterRoutedEvent(L"MouseEnter", E::routingDirect, pOwner);
    m_pMouseLeftButtonUpEvent = E::RegisterRoutedEvent(L"MouseLeftButtonUp", E::routingDirect, pOwner);
    m_pMouseLeftButtonDownEvent = E::RegisterRoutedEvent(L"MouseLeftButtonDown", E::routingDirect, pOwner);
    m_pMouseRightButtonUpEvent = E::RegisterRoutedEvent(L"MouseRightButtonUp", E::routingDirect, pOwner);
    m_pMouseRightButtonDownEvent = E::RegisterRoutedEvent(L"MouseRightButtonDown", E::routingDirect, pOwner);
    m_pMouseMoveEvent = E::RegisterRoutedEvent(L"MouseMove", E::routingDirect, pOwner);
    m_pLostMouseCaptureEvent = E::RegisterRoutedEvent(L"LostMouseCapture", E::routingDirect, pOwner);
}

CXTPMarkupInputElement::CXTPMarkupInputElement() : m_pMarkupContext(nullptr), m_pStyle(nullptr) {}

CXTPMarkupInputElement::~CXTPMarkupInputElement()
{
    for (auto& entry : m_mapHandlers)
    {
        for (CXTPMarkupDelegate* pDelegate : entry.second)
            pDelegate->Release();
    }
    XTPMarkupReleaseObject(m_pStyle);
}

void CXTPMarkupInputElement::OnFinalRelease()
{
    if (m_pMarkupContext)
        m_pMarkupContext->OnElementDestroyed(this);
    CXTPMarkupObject::OnFinalRelease();
}

void CXTPMarkupInputElement::OnStyleChanged(CXTPMarkupObject* pObject, XTP_MARKUP_PROPERTY_CHANGE* pChange)
{
    CXTPMarkupInputElement* pElement = static_cast<CXTPMarkupInputElement*>(pObject);
    CXTPMarkupStyle* pStyle = static_cast<CXTPMarkupStyle*>(pChange->pNewValue);
    if (pStyle)
    {
        pStyle->Seal();
        pStyle->AddRef();
    }
    XTPMarkupReleaseObject(pElement->m_pStyle);
    pElement->m_pStyle = pStyle;
}

CXTPMarkupObject* CXTPMarkupInputElement::LookupValue(CXTPMarkupDependencyProperty* pProperty) const
{
    CXTPMarkupObject* pValue = CXTPMarkupObject::LookupValue(pProperty);
    if (pValue)
        return pValue;
    if (m_pStyle && pProperty != m_pStyleProperty)
    {
        pValue = m_pStyle->GetStyleValue(pProperty);
        if (pValue)
            return pValue;
    }
    CXTPMarkupStyle* pTypeStyle = GetType()->GetTypeStyle();
    return pTypeStyle ? pTypeStyle->GetStyleValue(pProperty) : nullptr;
}

void CXTPMarkupInputElement::SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                               CXTPMarkupObject* pValue)
{
    if (!pProperty || !pProperty->IsEvent())
    {
        CXTPMarkupObject::SetPropertyObject(pBuilder, pProperty, pValue);
        return;
    }
    CXTPMarkupDelegate* pDelegate = nullptr;
    std::wstring strName = XTPMarkupStringOf(pValue) ? XTPMarkupStringOf(pValue) : L"";
    if (pValue)
        pValue->Release();
    if (!m_pMarkupContext)
        pBuilder->ThrowBuilderError(L"Markup Context is NULL");
    pDelegate = m_pMarkupContext->FindDelegate(strName.c_str());
    if (!pDelegate)
        pBuilder->ThrowBuilderError(L"'%ls' delegate not found", strName.c_str());
    AddHandler(static_cast<CXTPMarkupRoutedEvent*>(pProperty), pDelegate);
}

void CXTPMarkupInputElement::AddHandler(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupDelegate* pDelegate)
{
    if (!pEvent || !pDelegate)
        return;
    pDelegate->AddRef();
    m_mapHandlers[pEvent].push_back(pDelegate);
}

int CXTPMarkupInputElement::GetHandlerCount(CXTPMarkupRoutedEvent* pEvent) const
{
    auto it = m_mapHandlers.find(pEvent);
    return it == m_mapHandlers.end() ? 0 : (int)it->second.size();
}

void CXTPMarkupInputElement::RaiseOwnHandlers(CXTPMarkupRoutedEventArgs* pArgs)
{
    auto it = m_mapHandlers.find(pArgs->GetEvent());
    if (it == m_mapHandlers.end())
        return;
    std::vector<CXTPMarkupDelegate*> arrDelegates = it->second;
    for (CXTPMarkupDelegate* pDelegate : arrDelegates)
    {
        pDelegate->Execute(this, pArgs);
        if (pArgs->IsHandled() && (pArgs->GetEvent()->GetFlags() & CXTPMarkupRoutedEvent::routingBubble))
            return;
    }
}

void CXTPMarkupInputElement::RaiseEvent(CXTPMarkupRoutedEventArgs* pArgs)
{
    if (!pArgs || !pArgs->GetEvent())
        return;
    if (!(pArgs->GetEvent()->GetFlags() & CXTPMarkupRoutedEvent::routingBubble))
    {
        RaiseOwnHandlers(pArgs);
        return;
    }
    for (CXTPMarkupObject* p = this; p; p = p->GetLogicalParent())
    {
        if (!p->IsKindOf(CXTPMarkupInputElement::GetMarkupType()))
            continue;
        static_cast<CXTPMarkupInputElement*>(p)->RaiseOwnHandlers(pArgs);
        if (pArgs->IsHandled())
            return;
    }
}

void CXTPMarkupInputElement::OnLoaded()
{
    if (!m_pStyle)
    {
        CXTPMarkupObject* pFound = XTPMarkupFindResource(this, GetType());
        if (pFound && pFound->IsKindOf(CXTPMarkupStyle::GetMarkupType()))
        {
            CXTPMarkupStyle* pStyle = static_cast<CXTPMarkupStyle*>(pFound);
            pStyle->Seal();
            pStyle->AddRef();
            m_pStyle = pStyle;
        }
    }
}
