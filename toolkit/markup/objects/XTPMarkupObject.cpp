#include "toolkit/markup/objects/XTPMarkupObject.h"

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/objects/XTPMarkupType.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"

namespace
{
volatile LONG g_nLiveObjects = 0;

// Change notification walks no deeper than the builder lets a tree grow (elements and the
// collections between them).
const int kMaxNotifyDepth = 4 * CXTPMarkupBuilder::nMaxOpenElements;
} // namespace

CXTPMarkupObject::CXTPMarkupObject()
    : m_pLogicalParent(nullptr), m_pProperties(nullptr), m_dwRef(1), m_bShared(false)
{
    ::InterlockedIncrement(&g_nLiveObjects);
}

CXTPMarkupObject::~CXTPMarkupObject()
{
    XTPMarkupReleaseObject(m_pProperties);
    if (!m_bShared)
        ::InterlockedDecrement(&g_nLiveObjects);
}

CXTPMarkupType* CXTPMarkupObject::GetType() const
{
    return GetMarkupType();
}

CXTPMarkupDependencyProperty* CXTPMarkupObject::m_pNameProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupObject::m_pKeyProperty = nullptr;

static void RegisterObjectProperties()
{
    CXTPMarkupObject::m_pNameProperty = CXTPMarkupDependencyProperty::Register(
        L"Name", CXTPMarkupString::GetMarkupType(), CXTPMarkupObject::GetMarkupType());
    CXTPMarkupObject::m_pKeyProperty = CXTPMarkupDependencyProperty::Register(
        L"Key", CXTPMarkupObject::GetMarkupType(), CXTPMarkupObject::GetMarkupType());
}

CXTPMarkupType* CXTPMarkupObject::GetMarkupType()
{
    static CXTPMarkupType* s_pType = new CXTPMarkupType(xtpMarkupTypeIndex_CXTPMarkupObject, &CreateMarkupObject,
                                                        nullptr, &RegisterObjectProperties);
    return s_pType;
}

CXTPMarkupObject* CXTPMarkupObject::CreateMarkupObject()
{
    return new CXTPMarkupObject();
}

LONG CXTPMarkupObject::GetLiveObjectCount()
{
    return g_nLiveObjects;
}

void CXTPMarkupObject::MarkShared()
{
    if (!m_bShared)
    {
        m_bShared = true;
        ::InterlockedDecrement(&g_nLiveObjects);
    }
}

DWORD CXTPMarkupObject::AddRef()
{
    return (DWORD)::InterlockedIncrement(&m_dwRef);
}

DWORD CXTPMarkupObject::Release()
{
    if (m_dwRef == 0)
        return 0;
    LONG nRef = ::InterlockedDecrement(&m_dwRef);
    if (nRef == 0)
        OnFinalRelease();
    return (DWORD)nRef;
}

void CXTPMarkupObject::OnFinalRelease()
{
    delete this;
}

BOOL CXTPMarkupObject::IsKindOf(CXTPMarkupType* pType) const
{
    CXTPMarkupType* pMyType = GetType();
    return pMyType && pMyType->IsDerivedFrom(pType);
}

CXTPMarkupObject* CXTPMarkupObject::LookupValue(CXTPMarkupDependencyProperty* pProperty) const
{
    return m_pProperties ? m_pProperties->Get(pProperty) : nullptr;
}

UINT CXTPMarkupObject::GetHashCode() const
{
    return (UINT)(UINT_PTR)this;
}

BOOL CXTPMarkupObject::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject == this;
}

int CXTPMarkupObject::GetLogicalChildrenCount() const
{
    return 0;
}

CXTPMarkupObject* CXTPMarkupObject::GetLogicalChild(int /*nIndex*/) const
{
    return nullptr;
}

void CXTPMarkupObject::RefuseContent(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) const
{
    if (LPCWSTR lpszText = XTPMarkupStringOf(pContent))
        pBuilder->ThrowBuilderError(L"Cannot convert the string '%ls' into a '%ls' object", lpszText,
                                    GetType()->GetClassName());
    pBuilder->ThrowBuilderError(L"Cannot add content to an object of type '%ls'", GetType()->GetClassName());
}

void CXTPMarkupObject::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    RefuseContent(pBuilder, pContent);
}

void CXTPMarkupObject::SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                         CXTPMarkupObject* pValue)
{
    if (pValue && pProperty && !pValue->IsKindOf(pProperty->GetPropertyType()))
    {
        CXTPMarkupObject* pConverted = nullptr;
        try
        {
            pConverted = pBuilder->ConvertValue(pProperty, pValue);
        }
        catch (...)
        {
            pValue->Release();
            throw;
        }
        pValue->Release();
        pValue = pConverted;
    }
    SetValue(pProperty, pValue);
}

CXTPMarkupObject* CXTPMarkupObject::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* /*pObject*/) const
{
    return nullptr;
}

BOOL CXTPMarkupObject::HasContentObject() const
{
    return FALSE;
}

BOOL CXTPMarkupObject::AllowWhiteSpaceContent() const
{
    return FALSE;
}

void CXTPMarkupObject::OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                         CXTPMarkupObject* pNewValue)
{
    CXTPMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata && pMetadata->m_pPropertyChanged)
    {
        XTP_MARKUP_PROPERTY_CHANGE change = {pProperty, pOldValue, pNewValue};
        pMetadata->m_pPropertyChanged(this, &change);
    }
}

CXTPMarkupObject* CXTPMarkupObject::GetValueCore(CXTPMarkupDependencyProperty* pProperty) const
{
    CXTPMarkupObject* pValue = LookupValue(pProperty);
    if (pValue)
        return pValue;
    if (pProperty->GetFlags() & CXTPMarkupPropertyMetadata::flagInherited)
    {
        for (const CXTPMarkupObject* pAncestor = m_pLogicalParent; pAncestor; pAncestor = pAncestor->m_pLogicalParent)
        {
            pValue = pAncestor->LookupValue(pProperty);
            if (pValue)
                return pValue;
        }
    }
    return nullptr;
}

CXTPMarkupObject* CXTPMarkupObject::GetValue(CXTPMarkupDependencyProperty* pProperty) const
{
    if (!pProperty)
        return nullptr;
    CXTPMarkupObject* pValue = GetValueCore(pProperty);
    if (pValue)
        return pValue;
    CXTPMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    return pMetadata ? pMetadata->m_pDefaultValue : nullptr;
}

BOOL CXTPMarkupObject::SetValue(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
{
    if (!pProperty || (pValue && !pValue->IsKindOf(pProperty->GetPropertyType())))
    {
        // The store would have taken the reference over: it is dropped here instead of leaking.
        if (pValue)
            pValue->Release();
        return FALSE;
    }
    if (pValue && !m_pProperties)
        m_pProperties = new CXTPMarkupProperties(this);

    CXTPMarkupObject* pOldValue = GetValueCore(pProperty);
    if (pOldValue)
        pOldValue->AddRef(); // the store may drop its reference below
    if (m_pProperties)
        m_pProperties->Set(pProperty, pValue);
    CXTPMarkupObject* pNewValue = GetValueCore(pProperty);

    if (pOldValue || pNewValue)
    {
        OnPropertyChanged(pProperty, pOldValue, pNewValue);
        if (pProperty->GetFlags() & CXTPMarkupPropertyMetadata::flagInherited)
            PassChangeOn(this, pProperty, pOldValue, pNewValue, 0);
    }
    if (pOldValue)
        pOldValue->Release();
    return TRUE;
}

void CXTPMarkupObject::PassChangeOn(CXTPMarkupObject* pParent, CXTPMarkupDependencyProperty* pProperty,
                                    CXTPMarkupObject* pOldValue, CXTPMarkupObject* pNewValue, int nDepth)
{
    if (nDepth > kMaxNotifyDepth)
        return;
    int nCount = pParent->GetLogicalChildrenCount();
    for (int i = 0; i < nCount; i++)
    {
        CXTPMarkupObject* pChild = pParent->GetLogicalChild(i);
        if (!pChild)
            continue;
        if (pChild->IsKindOf(pProperty->GetOwnerType()))
            pChild->OnPropertyChanged(pProperty, pOldValue, pNewValue);
        PassChangeOn(pChild, pProperty, pOldValue, pNewValue, nDepth + 1);
    }
}

void CXTPMarkupObject::ClearValue(CXTPMarkupDependencyProperty* pProperty)
{
    SetValue(pProperty, nullptr);
}

CXTPMarkupObject* CXTPMarkupObject::GetLogicalParent() const
{
    return m_pLogicalParent;
}

void CXTPMarkupObject::SetLogicalParent(CXTPMarkupObject* pParent)
{
    m_pLogicalParent = pParent;
}

LPCWSTR CXTPMarkupObject::GetTagName() const
{
    return m_strTagName.c_str();
}

void CXTPMarkupObject::SetTagName(LPCWSTR lpszTagName)
{
    m_strTagName = lpszTagName ? lpszTagName : L"";
}

// --- the property store --------------------------------------------------------------------------

CXTPMarkupProperties::CXTPMarkupProperties(CXTPMarkupObject* pOwner)
    : m_pOwner(pOwner), m_pValues(nullptr), m_nCount(CXTPMarkupDependencyProperty::GetRegisteredCount())
{
    if (m_nCount > 0)
        m_pValues = new CXTPMarkupObject*[m_nCount]();
}

CXTPMarkupProperties::~CXTPMarkupProperties()
{
    for (int i = 0; i < m_nCount; i++)
    {
        if (m_pValues[i])
        {
            if (m_pOwner)
                m_pValues[i]->SetLogicalParent(nullptr);
            m_pValues[i]->Release();
        }
    }
    delete[] m_pValues;
}

int CXTPMarkupProperties::GetCount() const
{
    return m_nCount;
}

CXTPMarkupObject* CXTPMarkupProperties::Get(CXTPMarkupDependencyProperty* pProperty) const
{
    int nIndex = pProperty ? pProperty->GetIndex() : -1;
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    return m_pValues[nIndex];
}

void CXTPMarkupProperties::Set(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
{
    int nIndex = pProperty ? pProperty->GetIndex() : -1;
    if (nIndex < 0 || nIndex >= m_nCount)
    {
        if (pValue)
            pValue->Release();
        return;
    }
    CXTPMarkupObject* pOld = m_pValues[nIndex];
    m_pValues[nIndex] = pValue;
    if (pValue && m_pOwner)
        pValue->SetLogicalParent(m_pOwner);
    if (pOld)
    {
        if (m_pOwner && pOld != pValue)
            pOld->SetLogicalParent(nullptr);
        pOld->Release();
    }
}
