#include "toolkit/markup/styles/XTPMarkupStyle.h"

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/elements/XTPMarkupInputElement.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupSetter, CXTPMarkupObject, &CXTPMarkupSetter::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupSetterColection, CXTPMarkupCollection, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupTrigger, CXTPMarkupObject, &CXTPMarkupTrigger::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupTriggerCollection, CXTPMarkupCollection, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupResourceDictionary, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupStyle, CXTPMarkupObject, &CXTPMarkupStyle::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupSetter::m_pPropertyProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupSetter::m_pValueProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupTrigger::m_pSettersProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStyle::m_pResourcesProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStyle::m_pTargetTypeProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStyle::m_pBasedOnProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStyle::m_pTriggersProperty = nullptr;

namespace
{
// BasedOn chains are sealed recursively; a chain deeper than this is cut (a style cannot be based
// on itself through markup, which knows only styles already built).
const int kMaxBasedOnDepth = 64;
} // namespace

// --- setters -------------------------------------------------------------------------------------

void CXTPMarkupSetter::RegisterMarkupProperties()
{
    m_pPropertyProperty =
        CXTPMarkupDependencyProperty::Register(L"Property", CXTPMarkupObject::GetMarkupType(), GetMarkupType());
    m_pValueProperty =
        CXTPMarkupDependencyProperty::Register(L"Value", CXTPMarkupObject::GetMarkupType(), GetMarkupType());
}

CXTPMarkupSetter::CXTPMarkupSetter() {}

CXTPMarkupSetter::CXTPMarkupSetter(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
{
    pProperty->AddRef();
    SetValue(m_pPropertyProperty, pProperty);
    SetValue(m_pValueProperty, pValue);
}

CXTPMarkupDependencyProperty* CXTPMarkupSetter::GetSetterProperty() const
{
    CXTPMarkupObject* pProperty = GetValue(m_pPropertyProperty);
    return pProperty && pProperty->IsKindOf(CXTPMarkupDependencyProperty::GetMarkupType())
               ? static_cast<CXTPMarkupDependencyProperty*>(pProperty)
               : nullptr;
}

CXTPMarkupObject* CXTPMarkupSetter::GetSetterValue() const
{
    return GetValue(m_pValueProperty);
}

void CXTPMarkupSetter::Resolve(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pSetter, CXTPMarkupType* pTargetType)
{
    static const wchar_t kBoth[] = L"Must specify both Property and Value for Setter.";
    CXTPMarkupObject* pPropertyValue = pSetter->GetValue(m_pPropertyProperty);
    if (!pPropertyValue)
        pBuilder->ThrowBuilderError(kBoth);
    CXTPMarkupDependencyProperty* pProperty = nullptr;
    if (LPCWSTR lpszName = XTPMarkupStringOf(pPropertyValue))
    {
        if (wcschr(lpszName, L'.'))
            pProperty = CXTPMarkupDependencyProperty::FindAttachedProperty(lpszName);
        else if (pTargetType)
            pProperty = CXTPMarkupDependencyProperty::FindProperty(pTargetType, lpszName);
        if (!pProperty)
            pBuilder->ThrowBuilderError(L"Cannot find the Style Property '%ls'", lpszName);
        pProperty->AddRef();
        pSetter->SetValue(m_pPropertyProperty, pProperty);
    }
    else if (pPropertyValue->IsKindOf(CXTPMarkupDependencyProperty::GetMarkupType()))
        pProperty = static_cast<CXTPMarkupDependencyProperty*>(pPropertyValue);
    else
        pBuilder->ThrowBuilderError(kBoth);

    CXTPMarkupObject* pValue = pSetter->GetValue(m_pValueProperty);
    if (!pValue)
        pBuilder->ThrowBuilderError(kBoth);
    if (!pValue->IsKindOf(pProperty->GetPropertyType()))
        pSetter->SetValue(m_pValueProperty, pBuilder->ConvertValue(pProperty, pValue));
}

CXTPMarkupSetterColection::CXTPMarkupSetterColection()
{
    m_pItemType = CXTPMarkupSetter::GetMarkupType();
}

// --- triggers ------------------------------------------------------------------------------------

void CXTPMarkupTrigger::RegisterMarkupProperties()
{
    CXTPMarkupSetter::GetMarkupType()->EnsureRegistered();
    CXTPMarkupSetter::m_pPropertyProperty->AddOwner(GetMarkupType());
    CXTPMarkupSetter::m_pValueProperty->AddOwner(GetMarkupType());
    m_pSettersProperty = CXTPMarkupDependencyProperty::Register(L"Setters", CXTPMarkupSetterColection::GetMarkupType(),
                                                                GetMarkupType());
}

CXTPMarkupTrigger::CXTPMarkupTrigger()
{
    SetValue(m_pSettersProperty, new CXTPMarkupSetterColection());
}

CXTPMarkupTrigger::CXTPMarkupTrigger(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
    : CXTPMarkupTrigger()
{
    pProperty->AddRef();
    SetValue(CXTPMarkupSetter::m_pPropertyProperty, pProperty);
    SetValue(CXTPMarkupSetter::m_pValueProperty, pValue);
}

CXTPMarkupDependencyProperty* CXTPMarkupTrigger::GetTriggerProperty() const
{
    CXTPMarkupObject* pProperty = GetValue(CXTPMarkupSetter::m_pPropertyProperty);
    return pProperty && pProperty->IsKindOf(CXTPMarkupDependencyProperty::GetMarkupType())
               ? static_cast<CXTPMarkupDependencyProperty*>(pProperty)
               : nullptr;
}

CXTPMarkupObject* CXTPMarkupTrigger::GetTriggerValue() const
{
    return GetValue(CXTPMarkupSetter::m_pValueProperty);
}

CXTPMarkupSetterColection* CXTPMarkupTrigger::GetSetters() const
{
    return static_cast<CXTPMarkupSetterColection*>(GetValue(m_pSettersProperty));
}

void CXTPMarkupTrigger::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    CXTPMarkupSetterColection* pSetters = GetSetters();
    if (pSetters && pContent && pContent->IsKindOf(CXTPMarkupSetter::GetMarkupType()))
    {
        pSetters->SetContentObject(pBuilder, pContent);
        return;
    }
    CXTPMarkupObject::SetContentObject(pBuilder, pContent);
}

CXTPMarkupTriggerCollection::CXTPMarkupTriggerCollection()
{
    m_pItemType = CXTPMarkupTrigger::GetMarkupType();
}

// --- resource dictionary -------------------------------------------------------------------------

CXTPMarkupResourceDictionary::CXTPMarkupResourceDictionary() {}

CXTPMarkupResourceDictionary::~CXTPMarkupResourceDictionary()
{
    for (Entry& entry : m_arrEntries)
    {
        entry.pValue->SetLogicalParent(nullptr);
        entry.pKey->Release();
        entry.pValue->Release();
    }
}

void CXTPMarkupResourceDictionary::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (!pContent)
        return;
    CXTPMarkupObject* pKey = pContent->GetValue(CXTPMarkupObject::m_pKeyProperty);
    if (!pKey && pContent->IsKindOf(CXTPMarkupStyle::GetMarkupType()))
        pKey = static_cast<CXTPMarkupStyle*>(pContent)->GetTargetType();
    if (!pKey)
        pBuilder->ThrowBuilderError(
            L"Objects added to Dictionary must have Key attribute or some other type of associated Key");
    if (Lookup(pKey))
        pBuilder->ThrowBuilderError(L"Dictionary key is already used. Key attributes must be unique.");
    pKey->AddRef();
    pContent->AddRef();
    pContent->SetLogicalParent(this);
    m_arrEntries.push_back({pKey, pContent});
}

BOOL CXTPMarkupResourceDictionary::HasContentObject() const
{
    return !m_arrEntries.empty();
}

int CXTPMarkupResourceDictionary::GetLogicalChildrenCount() const
{
    return (int)m_arrEntries.size();
}

CXTPMarkupObject* CXTPMarkupResourceDictionary::GetLogicalChild(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_arrEntries.size() ? m_arrEntries[nIndex].pValue : nullptr;
}

CXTPMarkupObject* CXTPMarkupResourceDictionary::Lookup(const CXTPMarkupObject* pKey) const
{
    if (!pKey)
        return nullptr;
    UINT nHash = pKey->GetHashCode();
    for (const Entry& entry : m_arrEntries)
    {
        if (entry.pKey->GetHashCode() == nHash && entry.pKey->IsEqual(pKey))
            return entry.pValue;
    }
    return nullptr;
}

// --- styles --------------------------------------------------------------------------------------

void CXTPMarkupStyle::RegisterMarkupProperties()
{
    CXTPMarkupType* pOwner = GetMarkupType();
    typedef CXTPMarkupDependencyProperty P;
    m_pResourcesProperty = P::Register(L"Resources", CXTPMarkupResourceDictionary::GetMarkupType(), pOwner);
    m_pTargetTypeProperty = P::Register(L"TargetType", CXTPMarkupType::GetMarkupType(), pOwner);
    m_pBasedOnProperty = P::Register(L"BasedOn", CXTPMarkupStyle::GetMarkupType(), pOwner);
    m_pTriggersProperty = P::Register(L"Triggers", CXTPMarkupTriggerCollection::GetMarkupType(), pOwner);
}

CXTPMarkupStyle::CXTPMarkupStyle() : m_pSetters(new CXTPMarkupSetterColection()), m_bSealed(FALSE)
{
    m_pSetters->SetLogicalParent(this);
}

CXTPMarkupStyle::~CXTPMarkupStyle()
{
    m_pSetters->SetLogicalParent(nullptr);
    m_pSetters->Release();
    for (auto& entry : m_mapValues)
        entry.second->Release();
}

CXTPMarkupType* CXTPMarkupStyle::GetTargetType() const
{
    return static_cast<CXTPMarkupType*>(GetValue(m_pTargetTypeProperty));
}

CXTPMarkupStyle* CXTPMarkupStyle::GetBasedOn() const
{
    return static_cast<CXTPMarkupStyle*>(GetValue(m_pBasedOnProperty));
}

CXTPMarkupTriggerCollection* CXTPMarkupStyle::GetTriggers() const
{
    return static_cast<CXTPMarkupTriggerCollection*>(GetValue(m_pTriggersProperty));
}

void CXTPMarkupStyle::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (pContent && pContent->IsKindOf(CXTPMarkupSetter::GetMarkupType()))
    {
        CXTPMarkupSetter::Resolve(pBuilder, pContent, GetTargetType());
        pContent->AddRef();
        m_pSetters->Add(pContent);
        return;
    }
    CXTPMarkupObject::SetContentObject(pBuilder, pContent);
}

BOOL CXTPMarkupStyle::HasContentObject() const
{
    return m_pSetters->GetCount() > 0;
}

void CXTPMarkupStyle::SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                        CXTPMarkupObject* pValue)
{
    if (pProperty == m_pTriggersProperty && pValue && pValue->IsKindOf(CXTPMarkupTriggerCollection::GetMarkupType()))
    {
        CXTPMarkupTriggerCollection* pTriggers = static_cast<CXTPMarkupTriggerCollection*>(pValue);
        try
        {
            for (int i = 0; i < pTriggers->GetCount(); i++)
            {
                CXTPMarkupTrigger* pTrigger = pTriggers->GetTrigger(i);
                CXTPMarkupSetter::Resolve(pBuilder, pTrigger, GetTargetType());
                CXTPMarkupSetterColection* pSetters = pTrigger->GetSetters();
                for (int j = 0; pSetters && j < pSetters->GetCount(); j++)
                    CXTPMarkupSetter::Resolve(pBuilder, pSetters->GetSetter(j), GetTargetType());
            }
        }
        catch (...)
        {
            pValue->Release();
            throw;
        }
    }
    CXTPMarkupObject::SetPropertyObject(pBuilder, pProperty, pValue);
}

int CXTPMarkupStyle::GetLogicalChildrenCount() const
{
    return 1;
}

CXTPMarkupObject* CXTPMarkupStyle::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pSetters : nullptr;
}

void CXTPMarkupStyle::Seal()
{
    SealCore(0);
}

void CXTPMarkupStyle::SealCore(int nDepth)
{
    if (m_bSealed)
        return;
    m_bSealed = TRUE; // before the base: a chain that comes back here stops
    SetLogicalParent(nullptr);
    CXTPMarkupStyle* pBasedOn = GetBasedOn();
    if (pBasedOn && nDepth < kMaxBasedOnDepth)
    {
        pBasedOn->SealCore(nDepth + 1);
        for (auto& entry : pBasedOn->m_mapValues)
        {
            entry.second->AddRef();
            m_mapValues[entry.first] = entry.second;
        }
    }
    for (int i = 0; i < m_pSetters->GetCount(); i++)
    {
        CXTPMarkupSetter* pSetter = m_pSetters->GetSetter(i);
        CXTPMarkupDependencyProperty* pProperty = pSetter->GetSetterProperty();
        CXTPMarkupObject* pValue = pSetter->GetSetterValue();
        if (!pProperty || !pValue)
            continue;
        pValue->AddRef();
        auto it = m_mapValues.find(pProperty);
        if (it != m_mapValues.end())
        {
            it->second->Release();
            it->second = pValue;
        }
        else
            m_mapValues[pProperty] = pValue;
    }
}

CXTPMarkupObject* CXTPMarkupStyle::GetStyleValue(CXTPMarkupDependencyProperty* pProperty) const
{
    auto it = m_mapValues.find(pProperty);
    return it == m_mapValues.end() ? nullptr : it->second;
}

// --- resource lookup -----------------------------------------------------------------------------

static CXTPMarkupResourceDictionary* ResourcesOf(const CXTPMarkupObject* pObject)
{
    CXTPMarkupDependencyProperty* pProperty = nullptr;
    if (pObject->IsKindOf(CXTPMarkupStyle::GetMarkupType()))
        pProperty = CXTPMarkupStyle::m_pResourcesProperty;
    else if (pObject->IsKindOf(CXTPMarkupInputElement::GetMarkupType()))
        pProperty = CXTPMarkupFrameworkElement::m_pResourcesProperty; // shared with content elements
    CXTPMarkupObject* pValue = pProperty ? pObject->GetValue(pProperty) : nullptr;
    return pValue && pValue->IsKindOf(CXTPMarkupResourceDictionary::GetMarkupType())
               ? static_cast<CXTPMarkupResourceDictionary*>(pValue)
               : nullptr;
}

CXTPMarkupObject* XTPMarkupFindResource(const CXTPMarkupObject* pObject, const CXTPMarkupObject* pKey)
{
    if (!pObject || !pKey)
        return nullptr;
    if (pObject->IsKindOf(CXTPMarkupResourceDictionary::GetMarkupType()))
        return static_cast<const CXTPMarkupResourceDictionary*>(pObject)->Lookup(pKey);
    for (const CXTPMarkupObject* p = pObject; p; p = p->GetLogicalParent())
    {
        if (CXTPMarkupResourceDictionary* pResources = ResourcesOf(p))
        {
            if (CXTPMarkupObject* pFound = pResources->Lookup(pKey))
                return pFound;
        }
        bool bStyle = p->IsKindOf(CXTPMarkupStyle::GetMarkupType());
        if (!bStyle && p->IsKindOf(CXTPMarkupInputElement::GetMarkupType()))
        {
            CXTPMarkupStyle* pStyle = static_cast<const CXTPMarkupInputElement*>(p)->GetStyle();
            if (CXTPMarkupObject* pFound = pStyle ? XTPMarkupFindResource(pStyle, pKey) : nullptr)
                return pFound;
        }
        if (bStyle)
            return nullptr;
    }
    return nullptr;
}
