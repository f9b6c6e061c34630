#include "framework/Object.h"

#include <cstring>
#include <vector>

namespace
{
// Every registered class, in registration order. Function-local so that registrations made during
// static initialisation of other files find it constructed.
std::vector<CRuntimeClass*>& Registry()
{
    static std::vector<CRuntimeClass*> classes;
    return classes;
}
} // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr,
                                       nullptr};
static const CRuntimeClassRegistration qvx_register_CObject(&CObject::classCObject);

void CRuntimeClass::Register(CRuntimeClass* pClass)
{
    if (!pClass)
        return;
    for (CRuntimeClass* c : Registry())
        if (c == pClass)
            return;
    Registry().push_back(pClass);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (!pBaseClass)
        return FALSE;
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    for (CRuntimeClass* c : Registry())
        if (std::strcmp(c->m_lpszClassName, lpszClassName) == 0)
            return c;
    return nullptr;
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    // Class names are plain ASCII identifiers; anything else matches no class.
    char narrow[256];
    size_t i = 0;
    for (; lpszClassName[i]; ++i)
    {
        if (i + 1 >= sizeof(narrow) || lpszClassName[i] > 0x7F)
            return nullptr;
        narrow[i] = static_cast<char>(lpszClassName[i]);
    }
    narrow[i] = 0;
    return FromName(narrow);
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* c = FromName(lpszClassName);
    return c ? c->CreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* c = FromName(lpszClassName);
    return c ? c->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&) {}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
