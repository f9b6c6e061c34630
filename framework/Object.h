// CObject, the root of the framework's class tree, and CRuntimeClass, the run-time class record
// behind IsKindOf, dynamic creation by name and archive serialisation.
#pragma once

#include <windows.h>

class CObject;
class CArchive;

// Schema flag: objects of this class accept any stored schema number (see CArchive::GetObjectSchema).
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    // Schema number of serialisable classes; 0xFFFF for classes that cannot be serialised.
    UINT m_wSchema;
    // Creates a default-constructed object; null for classes without dynamic creation.
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    // A new object of this class, or null when the class cannot be created dynamically.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Lookup among every class registered in the program (exact, case-sensitive class name).
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CRuntimeClass* FromName(LPCWSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCWSTR lpszClassName);

    // The class record of an archive: schema WORD, name length WORD, name bytes.
    void Store(CArchive& ar) const;
    // Reads a class record and returns the registered class of that name (null when unknown);
    // *pwSchemaNum receives the stored schema.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);

    // Adds a class to the program's registry (done by the IMPLEMENT_ macros).
    static void Register(CRuntimeClass* pClass);
};

// Registers a class record during static initialisation.
struct CRuntimeClassRegistration
{
    explicit CRuntimeClassRegistration(CRuntimeClass* pClass) { CRuntimeClass::Register(pClass); }
};

// CArchive::ReadObject, callable where CArchive is only declared (IMPLEMENT_SERIAL).
CObject* AfxReadObject(CArchive& ar, const CRuntimeClass* pClassRefRequested);

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                          \
public:                                                                                                      \
    static CRuntimeClass class##class_name;                                                                  \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                        \
    DECLARE_DYNAMIC(class_name)                                                                              \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                                           \
    DECLARE_DYNCREATE(class_name)                                                                            \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define QVX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                             \
    CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class class_name)),  \
                                                   static_cast<UINT>(wSchema), pfnNew,                       \
                                                   RUNTIME_CLASS(base_class_name)};                          \
    static const CRuntimeClassRegistration qvx_register_##class_name(&class_name::class##class_name);        \
    CRuntimeClass* class_name::GetRuntimeClass() const                                                       \
    {                                                                                                        \
        return RUNTIME_CLASS(class_name);                                                                    \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                       \
    QVX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                     \
    CObject* class_name::CreateObject()                                                                      \
    {                                                                                                        \
        return new class_name;                                                                               \
    }                                                                                                        \
    QVX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                               \
    CObject* class_name::CreateObject()                                                                      \
    {                                                                                                        \
        return new class_name;                                                                               \
    }                                                                                                        \
    QVX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)               \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb)                                    \
    {                                                                                                        \
        pOb = static_cast<class_name*>(AfxReadObject(ar, RUNTIME_CLASS(class_name)));                        \
        return ar;                                                                                           \
    }

class CObject
{
public:
    static CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    // The object's class is pClass or derives from it.
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    // The class was declared with DECLARE_SERIAL (it has a schema).
    BOOL IsSerializable() const;
    // Writes or reads the object's own state; the base stores nothing.
    virtual void Serialize(CArchive& ar);

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// pObject when it is of class pClass (or derived), else null.
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);

#define DYNAMIC_DOWNCAST(class_name, object)                                                                 \
    static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
// A cast the caller knows to be right; a null object stays null.
#define STATIC_DOWNCAST(class_name, object) static_cast<class_name*>(object)
