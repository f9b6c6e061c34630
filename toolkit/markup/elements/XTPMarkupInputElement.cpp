#include "toolkit/markup/elements/XTPMarkupInputElement.h"

#include <algorithm>

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
    for (CXTPMarkupTrigger* pTrigger : m_arrActiveTriggers)
        pTrigger->Release();
    for (auto& entry : m_mapTriggerValues)
        entry.second->Release();
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
    auto itTrigger = m_mapTriggerValues.find(pProperty);
    if (itTrigger != m_mapTriggerValues.end())
        return itTrigger->second;
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
    if (m_pStyle || GetType()->GetTypeStyle())
        UpdateTriggers(nullptr, nullptr);
}

void CXTPMarkupInputElement::OnMouseLeave(CXTPMarkupMouseEventArgs* /*pArgs*/)
{
    ClearValue(m_pIsMouseOverProperty);
}

void CXTPMarkupInputElement::OnMouseEnter(CXTPMarkupMouseEventArgs* /*pArgs*/)
{
    SetValue(m_pIsMouseOverProperty, CXTPMarkupBool::CreateTrueValue());
}

// The class handlers of the mouse events: a plain element has no behaviour of its own for them (the
// handlers attached in mark-up run through RaiseEvent); buttons, hyperlinks and the like override.
void CXTPMarkupInputElement::OnMouseMove(CXTPMarkupMouseEventArgs* /*pArgs*/) {}

void CXTPMarkupInputElement::OnQueryCursor(CXTPMarkupQueryCursorEventArgs* pArgs)
{
    CXTPMarkupInt* pCursor = static_cast<CXTPMarkupInt*>(GetValue(m_pCursorProperty));
    if (!pCursor)
        return;
    pArgs->SetHandled();
    pArgs->m_hCursor = ::LoadCursor(nullptr, MAKEINTRESOURCE(pCursor->GetValue()));
}

void CXTPMarkupInputElement::OnMouseLeftButtonUp(CXTPMarkupMouseButtonEventArgs* /*pArgs*/) {}
void CXTPMarkupInputElement::OnMouseRightButtonUp(CXTPMarkupMouseButtonEventArgs* /*pArgs*/) {}
void CXTPMarkupInputElement::OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs* /*pArgs*/) {}
void CXTPMarkupInputElement::OnMouseRightButtonDown(CXTPMarkupMouseButtonEventArgs* /*pArgs*/) {}
void CXTPMarkupInputElement::OnLostMouseCapture(CXTPMarkupMouseEventArgs* /*pArgs*/) {}
void CXTPMarkupInputElement::OnMouseWheel(CXTPMarkupMouseWheelEventArgs* /*pArgs*/) {}

void CXTPMarkupInputElement::SetCapture()
{
    if (m_pMarkupContext)
        m_pMarkupContext->SetCapture(this);
}

void CXTPMarkupInputElement::ReleaseCapture()
{
    if (m_pMarkupContext)
        m_pMarkupContext->ReleaseCapture();
}

namespace
{
bool ValuesEqual(const CXTPMarkupObject* pA, const CXTPMarkupObject* pB)
{
    if (pA == pB)
        return true;
    return pA && pB && pA->IsEqual(pB);
}
// Deep enough for every based-on chain the builder accepts.
const int kMaxStyleDepth = 256;
} // namespace

bool CXTPMarkupInputElement::ActivateTriggers(CXTPMarkupStyle* pStyle, CXTPMarkupDependencyProperty* pProperty,
                                              CXTPMarkupObject* pNewValue, int nDepth)
{
    if (!pStyle || nDepth > kMaxStyleDepth)
        return false;
    bool bChanged = ActivateTriggers(pStyle->GetBasedOn(), pProperty, pNewValue, nDepth + 1);
    CXTPMarkupTriggerCollection* pTriggers = pStyle->GetTriggers();
    for (int i = pTriggers ? pTriggers->GetCount() - 1 : -1; i >= 0; i--)
    {
        CXTPMarkupTrigger* pTrigger = pTriggers->GetTrigger(i);
        CXTPMarkupDependencyProperty* pTriggerProperty = pTrigger ? pTrigger->GetTriggerProperty() : nullptr;
        if (!pTriggerProperty || !pTrigger->GetTriggerValue())
            continue;
        if (pProperty && pTriggerProperty != pProperty)
            continue;
        CXTPMarkupObject* pValue = pProperty ? pNewValue : GetValue(pTriggerProperty);
        if (!ValuesEqual(pTrigger->GetTriggerValue(), pValue) || !pValue)
            continue;
        // A trigger that already applies stays once in the active list.
        if (std::find(m_arrActiveTriggers.begin(), m_arrActiveTriggers.end(), pTrigger) != m_arrActiveTriggers.end())
            continue;
        pTrigger->AddRef();
        m_arrActiveTriggers.push_back(pTrigger);
        bChanged = true;
    }
    return bChanged;
}

void CXTPMarkupInputElement::UpdateTriggers(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pNewValue)
{
    std::vector<std::pair<CXTPMarkupDependencyProperty*, CXTPMarkupObject*>> arrOld;
    auto Record = [&](CXTPMarkupDependencyProperty* pSetterProperty) {
        for (auto& entry : arrOld)
        {
            if (entry.first == pSetterProperty)
                return;
        }
        auto it = m_mapTriggerValues.find(pSetterProperty);
        CXTPMarkupObject* pOld = it == m_mapTriggerValues.end() ? nullptr : it->second;
        if (pOld)
            pOld->AddRef();
        arrOld.push_back({pSetterProperty, pOld});
    };

    bool bChanged = false;
    for (int i = (int)m_arrActiveTriggers.size() - 1; i >= 0; i--)
    {
        CXTPMarkupTrigger* pTrigger = m_arrActiveTriggers[i];
        if (!pProperty || pTrigger->GetTriggerProperty() != pProperty || ValuesEqual(pTrigger->GetTriggerValue(), pNewValue))
            continue;
        CXTPMarkupSetterColection* pSetters = pTrigger->GetSetters();
        for (int j = 0; pSetters && j < pSetters->GetCount(); j++)
        {
            CXTPMarkupSetter* pSetter = static_cast<CXTPMarkupSetter*>(pSetters->GetItem(j));
            CXTPMarkupDependencyProperty* pSetterProperty = pSetter->GetSetterProperty();
            if (!pSetterProperty)
                continue;
            Record(pSetterProperty);
            auto it = m_mapTriggerValues.find(pSetterProperty);
            if (it != m_mapTriggerValues.end())
            {
                it->second->Release();
                m_mapTriggerValues.erase(it);
            }
        }
        m_arrActiveTriggers.erase(m_arrActiveTriggers.begin() + i);
        pTrigger->Release();
        bChanged = true;
    }

    CXTPMarkupStyle* pStyle = m_pStyle ? m_pStyle : GetType()->GetTypeStyle();
    if (ActivateTriggers(pStyle, pProperty, pNewValue, 0))
        bChanged = true;

    if (bChanged)
    {
        for (CXTPMarkupTrigger* pTrigger : m_arrActiveTriggers)
        {
            CXTPMarkupSetterColection* pSetters = pTrigger->GetSetters();
            for (int j = 0; pSetters && j < pSetters->GetCount(); j++)
            {
                CXTPMarkupSetter* pSetter = static_cast<CXTPMarkupSetter*>(pSetters->GetItem(j));
                CXTPMarkupDependencyProperty* pSetterProperty = pSetter->GetSetterProperty();
                CXTPMarkupObject* pValue = pSetter->GetSetterValue();
                if (!pSetterProperty || !pValue)
                    continue;
                auto it = m_mapTriggerValues.find(pSetterProperty);
                if (it != m_mapTriggerValues.end() && ValuesEqual(it->second, pValue))
                    continue;
                Record(pSetterProperty);
                pValue->AddRef();
                if (it != m_mapTriggerValues.end())
                {
                    it->second->Release();
                    it->second = pValue;
                }
                else
                    m_mapTriggerValues[pSetterProperty] = pValue;
            }
        }
    }

    for (auto& entry : arrOld)
    {
        auto it = m_mapTriggerValues.find(entry.first);
        CXTPMarkupObject* pNew = it == m_mapTriggerValues.end() ? nullptr : it->second;
        if (entry.second || pNew)
        {
            OnPropertyChanged(entry.first, entry.second, pNew);
            CXTPMarkupPropertyMetadata* pMetadata = entry.first->GetMetadata();
            if (pMetadata && (pMetadata->m_dwFlags & CXTPMarkupPropertyMetadata::flagInherited))
                PassChangeOn(this, entry.first, entry.second, pNew, 0);
        }
        if (entry.second)
            entry.second->Release();
    }
}
