// The type of every markup class (CXTPMarkupType), the tag registry, dependency properties with their
// metadata and the property registry.
#pragma once

#include "toolkit/markup/objects/XTPMarkupObject.h"

class CXTPMarkupStyle;

// The object model's C++ side of a type-table row: the type object of cls with base's type as base,
// made on first request. The base written here must be the row's base.
#define XTP_IMPLEMENT_MARKUPCLASS(cls, base, pfnRegister)                                                   \
    static_assert(g_xtpMarkupTypeRows[xtpMarkupTypeIndex_##cls].nBaseIndex == xtpMarkupTypeIndex_##base,   \
                  "the base of " #cls " differs from its row in the type table");                          \
    CXTPMarkupType* cls::GetType() const                                                                    \
    {                                                                                                        \
        return GetMarkupType();                                                                              \
    }                                                                                                        \
    CXTPMarkupObject* cls::CreateMarkupObject()                                                             \
    {                                                                                                        \
        return new cls();                                                                                    \
    }                                                                                                        \
    CXTPMarkupType* cls::GetMarkupType()                                                                    \
    {                                                                                                        \
        static CXTPMarkupType* s_pType = new CXTPMarkupType(xtpMarkupTypeIndex_##cls, &cls::CreateMarkupObject, \
                                                            &base::GetMarkupType, pfnRegister);             \
        return s_pType;                                                                                      \
    }

class CXTPMarkupType : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupType)
public:
    typedef CXTPMarkupObject* (*PFNCREATEOBJECT)();
    typedef CXTPMarkupType* (*PFNGETBASETYPE)();
    typedef void (*PFNREGISTERPROPERTIES)();

    // Enters the type in the registry: under its tag when it has one, and at the head of the list
    // of all types. Types live as long as the process.
    CXTPMarkupType(int nTableIndex, PFNCREATEOBJECT pfnCreate, PFNGETBASETYPE pfnGetBase,
                   PFNREGISTERPROPERTIES pfnRegister);

    LPCWSTR GetTag() const;
    LPCWSTR GetClassName() const;
    CXTPMarkupType* GetBaseType() const;
    // A new instance with one reference (null for the type class itself).
    CXTPMarkupObject* CreateObject() const;
    // Whether this type is pType or derives from it.
    BOOL IsDerivedFrom(const CXTPMarkupType* pType) const;

    // A string naming a registered tag gives that type (one more reference).
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;

    // The style every element of this type without a style of its own uses (may be null).
    CXTPMarkupStyle* GetTypeStyle() const;
    // Seals the style and keeps one reference to it (the previous one is released); takes over none.
    void SetTypeStyle(CXTPMarkupStyle* pStyle);

    // Registers the base type's properties first, then this type's; once per process.
    void EnsureRegistered();

    CXTPMarkupType* GetNextType() const;

    // Registry queries. Tags compare exactly, case included.
    static CXTPMarkupType* LookupType(LPCWSTR lpszTag);
    static CXTPMarkupType* GetFirstType();

protected:
    ~CXTPMarkupType() override;

private:
    int m_nTableIndex;
    PFNCREATEOBJECT m_pfnCreate;
    PFNGETBASETYPE m_pfnGetBase;
    PFNREGISTERPROPERTIES m_pfnRegister;
    BOOL m_bRegistered;
    CXTPMarkupType* m_pNextType;
    CXTPMarkupStyle* m_pTypeStyle;
};

// What a change callback is told.
struct XTP_MARKUP_PROPERTY_CHANGE
{
    CXTPMarkupDependencyProperty* pProperty;
    CXTPMarkupObject* pOldValue;
    CXTPMarkupObject* pNewValue;
};

class CXTPMarkupPropertyMetadata
{
public:
    typedef CXTPMarkupObject* (*PFNCONVERTER)(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    typedef void (*PFNPROPERTYCHANGED)(CXTPMarkupObject* pObject, XTP_MARKUP_PROPERTY_CHANGE* pChange);

    enum Flags
    {
        flagInherited = 0x01,
        flagAffectsArrange = 0x02,
        flagAffectsMeasure = 0x04,
        flagAffectsRender = 0x20,
    };

    // The metadata takes over the reference to the default value (may be null).
    CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, DWORD dwFlags = 0);
    CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, PFNCONVERTER pfnConverter, DWORD dwFlags = 0);
    CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, PFNPROPERTYCHANGED pfnChanged, DWORD dwFlags = 0);
    CXTPMarkupPropertyMetadata(CXTPMarkupObject* pDefaultValue, PFNCONVERTER pfnConverter,
                               PFNPROPERTYCHANGED pfnChanged, DWORD dwFlags = 0);
    virtual ~CXTPMarkupPropertyMetadata();

    CXTPMarkupObject* m_pDefaultValue;
    PFNCONVERTER m_pConverter;
    PFNPROPERTYCHANGED m_pPropertyChanged;
    DWORD m_dwFlags;

private:
    CXTPMarkupPropertyMetadata(const CXTPMarkupPropertyMetadata&) = delete;
    CXTPMarkupPropertyMetadata& operator=(const CXTPMarkupPropertyMetadata&) = delete;
};

class CXTPMarkupDependencyProperty : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupDependencyProperty)
public:
    // The slot after the object's: TRUE for routed events.
    virtual BOOL IsEvent() const;

    LPCWSTR GetName() const;
    CXTPMarkupType* GetPropertyType() const;
    CXTPMarkupType* GetOwnerType() const;
    BOOL IsAttached() const;
    CXTPMarkupPropertyMetadata* GetMetadata() const;
    DWORD GetFlags() const;
    // Index into property stores; -1 for events.
    int GetIndex() const;

    // Make a property, take over the metadata (may be null), give it the next store index (events
    // take none) and enter it under (name, owner type). Registration runs once per process.
    static CXTPMarkupDependencyProperty* Register(LPCWSTR lpszName, CXTPMarkupType* pPropertyType,
                                                           CXTPMarkupType* pOwnerType,
                                                           CXTPMarkupPropertyMetadata* pMetadata = nullptr);
    static CXTPMarkupDependencyProperty* RegisterAttached(LPCWSTR lpszName, CXTPMarkupType* pPropertyType,
                                                                   CXTPMarkupType* pOwnerType,
                                                                   CXTPMarkupPropertyMetadata* pMetadata = nullptr);
    // The same property entered under a second owner type.
    CXTPMarkupDependencyProperty* AddOwner(CXTPMarkupType* pOwnerType);

    // The property of that name registered on pType or a base type of it ("x:" is dropped first).
    static CXTPMarkupDependencyProperty* FindProperty(CXTPMarkupType* pType, LPCWSTR lpszName);
    // "Owner.Property": the owner's tag, then the property from that type; null when either is unknown.
    static CXTPMarkupDependencyProperty* FindAttachedProperty(LPCWSTR lpszName);
    // Properties registered in the process so far (the size of new property stores).
    static int GetRegisteredCount();
    // The property with that store index, or null (for walking a store, as a tree dump does).
    static CXTPMarkupDependencyProperty* GetRegisteredProperty(int nIndex);

protected:
    CXTPMarkupDependencyProperty();
    ~CXTPMarkupDependencyProperty() override;
    // Fills a property made by Register or by a subclass (routed events).
    static CXTPMarkupDependencyProperty* RegisterCommon(CXTPMarkupDependencyProperty* pProperty,
                                                                 LPCWSTR lpszName, CXTPMarkupType* pPropertyType,
                                                                 CXTPMarkupType* pOwnerType,
                                                                 CXTPMarkupPropertyMetadata* pMetadata,
                                                                 BOOL bAttached);

    std::wstring m_strName;
    CXTPMarkupType* m_pPropertyType;
    CXTPMarkupType* m_pOwnerType;
    BOOL m_bAttached;
    CXTPMarkupPropertyMetadata* m_pMetadata;
    int m_nIndex;
};
