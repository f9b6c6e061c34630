#include "toolkit/markup/objects/XTPMarkupType.h"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/styles/XTPMarkupStyle.h"

namespace
{
// The tag registry and the list of all types. Types are made on first request from any thread,
// so both are guarded.
struct TypeRegistry
{
    std::mutex lock;
    std::map<std::wstring, CXTPMarkupType*> mapTags;
    CXTPMarkupType* pFirstType = nullptr;
};

TypeRegistry& GetTypeRegistry()
{
    static TypeRegistry* s_pRegistry = new TypeRegistry(); // lives as long as the process
    return *s_pRegistry;
}

struct PropertyRegistry
{
    std::mutex lock;
    std::map<std::pair<std::wstring, CXTPMarkupType*>, CXTPMarkupDependencyProperty*> mapProperties;
    std::vector<CXTPMarkupDependencyProperty*> arrByIndex;
    volatile LONG nCount = 0;
};

PropertyRegistry& GetPropertyRegistry()
{
    static PropertyRegistry* s_pRegistry = new PropertyRegistry();
    return *s_pRegistry;
}

CXTPMarkupDependencyProperty* LookupProperty(LPCWSTR lpszName, CXTPMarkupType* pType)
{
    PropertyRegistry& registry = GetPropertyRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    auto it = registry.mapProperties.find(std::make_pair(std::wstring(lpszName), pType));
    return it == registry.mapProperties.end() ? nullptr : it->second;
}
} // namespace

// --- CXTPMarkupType ------------------------------------------------------------------------------

CXTPMarkupType::CXTPMarkupType(int nTableIndex, PFNCREATEOBJECT pfnCreate, PFNGETBASETYPE pfnGetBase,
                               PFNREGISTERPROPERTIES pfnRegister)
    : m_nTableIndex(nTableIndex), m_pfnCreate(pfnCreate), m_pfnGetBase(pfnGetBase), m_pfnRegister(pfnRegister),
      m_bRegistered(FALSE), m_pNextType(nullptr), m_pTypeStyle(nullptr)
{
    MarkShared();
    TypeRegistry& registry = GetTypeRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    LPCWSTR lpszTag = GetTag();
    if (lpszTag && *lpszTag)
        registry.mapTags[lpszTag] = this;
    m_pNextType = registry.pFirstType;
    registry.pFirstType = this;
}

CXTPMarkupType::~CXTPMarkupType()
{
    XTPMarkupReleaseObject(m_pTypeStyle);
}

CXTPMarkupType* CXTPMarkupType::GetType() const
{
    return GetMarkupType();
}

CXTPMarkupType* CXTPMarkupType::GetMarkupType()
{
    static CXTPMarkupType* s_pType = new CXTPMarkupType(xtpMarkupTypeIndex_CXTPMarkupType, &CreateMarkupObject,
                                                        &CXTPMarkupObject::GetMarkupType, nullptr);
    return s_pType;
}

CXTPMarkupObject* CXTPMarkupType::CreateMarkupObject()
{
    return nullptr; // types are made from the table only
}

LPCWSTR CXTPMarkupType::GetTag() const
{
    return g_xtpMarkupTypeRows[m_nTableIndex].lpszTag;
}

LPCWSTR CXTPMarkupType::GetClassName() const
{
    return g_xtpMarkupTypeRows[m_nTableIndex].lpszClassName;
}

CXTPMarkupType* CXTPMarkupType::GetBaseType() const
{
    return m_pfnGetBase ? m_pfnGetBase() : nullptr;
}

CXTPMarkupObject* CXTPMarkupType::CreateObject() const
{
    return m_pfnCreate ? m_pfnCreate() : nullptr;
}

BOOL CXTPMarkupType::IsDerivedFrom(const CXTPMarkupType* pType) const
{
    for (const CXTPMarkupType* p = this; p; p = p->GetBaseType())
    {
        if (p == pType)
            return TRUE;
    }
    return FALSE;
}

CXTPMarkupObject* CXTPMarkupType::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject) const
{
    LPCWSTR lpszTag = XTPMarkupStringOf(pObject);
    CXTPMarkupType* pType = lpszTag ? LookupType(lpszTag) : nullptr;
    if (pType)
        pType->AddRef();
    return pType;
}

CXTPMarkupStyle* CXTPMarkupType::GetTypeStyle() const
{
    return m_pTypeStyle;
}

void CXTPMarkupType::SetTypeStyle(CXTPMarkupStyle* pStyle)
{
    if (pStyle)
    {
        pStyle->Seal();
        pStyle->AddRef();
    }
    XTPMarkupReleaseObject(m_pTypeStyle);
    m_pTypeStyle = pStyle;
}

void CXTPMarkupType::EnsureRegistered()
{
    if (m_bRegistered)
        return;
    CXTPMarkupType* pBase = GetBaseType();
    if (pBase)
        pBase->EnsureRegistered();
    m_bRegistered = TRUE;
    if (m_pfnRegister)
        m_pfnRegister();
}

CXTPMarkupType* CXTPMarkupType::GetNextType() const
{
    return m_pNextType;
}

CXTPMarkupType* CXTPMarkupType::LookupType(LPCWSTR lpszTag)
{
    if (!lpszTag)
        return nullptr;
    TypeRegistry& registry = GetTypeRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    auto it = registry.mapTags.find(lpszTag);
    return it == registry.mapTags.end() ? nullptr : it->second;
}

CXTPMarkupType* CXTPMarkupType::GetFirstType()
{
    TypeRegistry& registry = GetTypeRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    return registry.pFirstType;
}

// --- metadata ------------------------------------------------------------------------------------

CXTPMarkupPropertyMetadata::CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, DWORD dwFlags)
    : CXTPMarkupPropertyMetadata(pDefaultValue, (PFNCONVERTER) nullptr, (PFNPROPERTYCHANGED) nullptr, dwFlags)
{
}

CXTPMarkupPropertyMetadata::CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, PFNCONVERTER pfnConverter,
                                                       DWORD dwFlags)
    : CXTPMarkupPropertyMetadata(pDefaultValue, pfnConverter, (PFNPROPERTYCHANGED) nullptr, dwFlags)
{
}

CXTPMarkupPropertyMetadata::CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue,
                                                       PFNPROPERTYCHANGED pfnChanged, DWORD dwFlags)
    : CXTPMarkupPropertyMetadata(pDefaultValue, (PFNCONVERTER) nullptr, pfnChanged, dwFlags)
{
}

CXTPMarkupPropertyMetadata::CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, PFNCONVERTER pfnConverter,
                                                       PFNPROPERTYCHANGED pfnChanged, DWORD dwFlags)
    : m_pDefaultValue(pDefaultValue), m_pConverter(pfnConverter), m_pPropertyChanged(pfnChanged), m_dwFlags(dwFlags)
{
    if (m_pDefaultValue)
        m_pDefaultValue->MarkShared(); // defaults live with their property, as long as the process
}

CXTPMarkupPropertyMetadata::~CXTPMarkupPropertyMetadata()
{
    XTPMarkupReleaseObject(m_pDefaultValue);
}

// --- dependency properties -----------------------------------------------------------------------

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupDependencyProperty, CXTPMarkupObject, nullptr)

CXTPMarkupDependencyProperty::CXTPMarkupDependencyProperty()
    : m_pPropertyType(nullptr), m_pOwnerType(nullptr), m_bAttached(FALSE), m_pMetadata(nullptr), m_nIndex(-1)
{
}

CXTPMarkupDependencyProperty::~CXTPMarkupDependencyProperty()
{
    delete m_pMetadata;
}

BOOL CXTPMarkupDependencyProperty::IsEvent() const
{
    return FALSE;
}

LPCWSTR CXTPMarkupDependencyProperty::GetName() const
{
    return m_strName.c_str();
}

CXTPMarkupType* CXTPMarkupDependencyProperty::GetPropertyType() const
{
    return m_pPropertyType;
}

CXTPMarkupType* CXTPMarkupDependencyProperty::GetOwnerType() const
{
    return m_pOwnerType;
}

BOOL CXTPMarkupDependencyProperty::IsAttached() const
{
    return m_bAttached;
}

CXTPMarkupPropertyMetadata* CXTPMarkupDependencyProperty::GetMetadata() const
{
    return m_pMetadata;
}

DWORD CXTPMarkupDependencyProperty::GetFlags() const
{
    return m_pMetadata ? m_pMetadata->m_dwFlags : 0;
}

int CXTPMarkupDependencyProperty::GetIndex() const
{
    return m_nIndex;
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::RegisterCommon(
    CXTPMarkupDependencyProperty* pProperty, LPCWSTR lpszName, CXTPMarkupType* pPropertyType,
    CXTPMarkupType* pOwnerType, CXTPMarkupPropertyMetadata* pMetadata, BOOL bAttached)
{
    pProperty->MarkShared();
    pProperty->m_strName = lpszName;
    pProperty->m_pPropertyType = pPropertyType;
    pProperty->m_pOwnerType = pOwnerType;
    pProperty->m_pMetadata = pMetadata;
    pProperty->m_bAttached = bAttached;

    PropertyRegistry& registry = GetPropertyRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    if (!pProperty->IsEvent())
    {
        pProperty->m_nIndex = ::InterlockedIncrement(&registry.nCount) - 1;
        registry.arrByIndex.push_back(pProperty);
    }
    registry.mapProperties[std::make_pair(std::wstring(lpszName), pOwnerType)] = pProperty;
    return pProperty;
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::Register(LPCWSTR lpszName, CXTPMarkupType* pPropertyType,
                                                                     CXTPMarkupType* pOwnerType,
                                                                     CXTPMarkupPropertyMetadata* pMetadata)
{
    return RegisterCommon(new CXTPMarkupDependencyProperty(), lpszName, pPropertyType, pOwnerType, pMetadata, FALSE);
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::RegisterAttached(LPCWSTR lpszName,
                                                                             CXTPMarkupType* pPropertyType,
                                                                             CXTPMarkupType* pOwnerType,
                                                                             CXTPMarkupPropertyMetadata* pMetadata)
{
    return RegisterCommon(new CXTPMarkupDependencyProperty(), lpszName, pPropertyType, pOwnerType, pMetadata, TRUE);
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::AddOwner(CXTPMarkupType* pOwnerType)
{
    PropertyRegistry& registry = GetPropertyRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    AddRef();
    registry.mapProperties[std::make_pair(m_strName, pOwnerType)] = this;
    return this;
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::FindProperty(CXTPMarkupType* pType, LPCWSTR lpszName)
{
    if (!pType || !lpszName)
        return nullptr;
    if (wcsncmp(lpszName, L"x:", 2) == 0)
        lpszName += 2;
    for (CXTPMarkupType* p = pType; p; p = p->GetBaseType())
    {
        CXTPMarkupDependencyProperty* pProperty = LookupProperty(lpszName, p);
        if (pProperty)
            return pProperty;
    }
    return nullptr;
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::FindAttachedProperty(LPCWSTR lpszName)
{
    if (!lpszName)
        return nullptr;
    LPCWSTR lpszDot = wcschr(lpszName, L'.');
    if (!lpszDot)
        return nullptr;
    CXTPMarkupType* pOwner = CXTPMarkupType::LookupType(std::wstring(lpszName, lpszDot - lpszName).c_str());
    return pOwner ? FindProperty(pOwner, lpszDot + 1) : nullptr;
}

int CXTPMarkupDependencyProperty::GetRegisteredCount()
{
    return GetPropertyRegistry().nCount;
}

CXTPMarkupDependencyProperty* CXTPMarkupDependencyProperty::GetRegisteredProperty(int nIndex)
{
    PropertyRegistry& registry = GetPropertyRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    return nIndex >= 0 && nIndex < (int)registry.arrByIndex.size() ? registry.arrByIndex[nIndex] : nullptr;
}
