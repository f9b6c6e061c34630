// CXTPMarkupObject: the reference-counted root of every markup class, with its logical parent and
// its sparse store of property values (CXTPMarkupProperties). The type of each class, its dependency
// properties and their metadata are in objects/XTPMarkupType.h.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/markup/objects/XTPMarkupTypeTable.h"

class CXTPMarkupType;
class CXTPMarkupBuilder;
class CXTPMarkupDependencyProperty;
class CXTPMarkupProperties;

// Declares the type plumbing of a markup class: its type object, GetType and the function that
// makes an instance. Every class of the type table carries it.
#define XTP_DECLARE_MARKUPCLASS(cls)                                                                         \
public:                                                                                                      \
    static CXTPMarkupType* GetMarkupType();                                                                 \
    CXTPMarkupType* GetType() const override;                                                               \
    static CXTPMarkupObject* CreateMarkupObject();                                                          \
                                                                                                             \
private:

class CXTPMarkupObject
{
public:
    CXTPMarkupObject();

    // Slots in order: GetType, the deleting destructor, LookupValue, GetHashCode, IsEqual,
    // GetLogicalChildrenCount, GetLogicalChild, SetContentObject, SetPropertyObject, ConvertFrom,
    // HasContentObject, AllowWhiteSpaceContent, OnPropertyChanged, OnFinalRelease.
    virtual CXTPMarkupType* GetType() const;

protected:
    virtual ~CXTPMarkupObject();

public:
    // The local value from the property store, or null.
    virtual CXTPMarkupObject* LookupValue(CXTPMarkupDependencyProperty* pProperty) const;
    virtual UINT GetHashCode() const;
    virtual BOOL IsEqual(const CXTPMarkupObject* pObject) const;
    virtual int GetLogicalChildrenCount() const;
    virtual CXTPMarkupObject* GetLogicalChild(int nIndex) const;
    // Content written between the object's tags. The caller keeps its reference (the object takes
    // one of its own for what it stores). The base refuses every content with a builder error.
    virtual void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent);
    // A property given as an attribute or property element. Takes over the reference to pValue
    // (also when it throws): values of another type are converted through the builder first.
    virtual void SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                   CXTPMarkupObject* pValue);
    // A new object of this class made from pObject (a string as a rule), or null.
    virtual CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const;
    virtual BOOL HasContentObject() const;
    virtual BOOL AllowWhiteSpaceContent() const;
    virtual void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                   CXTPMarkupObject* pNewValue);
    virtual void OnFinalRelease();

    static CXTPMarkupType* GetMarkupType();
    static CXTPMarkupObject* CreateMarkupObject();

    // "Name" (a string) and "Key" (any object), registered on the root class.
    static CXTPMarkupDependencyProperty* m_pNameProperty;
    static CXTPMarkupDependencyProperty* m_pKeyProperty;

public:
    DWORD AddRef();
    // 0 for an object whose count is already 0 (nothing happens); at 0 the object goes.
    DWORD Release();
    BOOL IsKindOf(CXTPMarkupType* pType) const;

    // Local value, then (inheriting properties) the logical ancestors, then the metadata default.
    // No new reference.
    CXTPMarkupObject* GetValue(CXTPMarkupDependencyProperty* pProperty) const;
    // The store takes over the reference to pValue. A null property or a value of another type
    // changes nothing, releases pValue and answers FALSE.
    BOOL SetValue(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);
    void ClearValue(CXTPMarkupDependencyProperty* pProperty);

    // The local value store (null until the first non-null value).
    CXTPMarkupProperties* GetProperties() const { return m_pProperties; }

    CXTPMarkupObject* GetLogicalParent() const;
    void SetLogicalParent(CXTPMarkupObject* pParent);

    // The start tag the builder made the object from (checked against the end tag).
    LPCWSTR GetTagName() const;
    void SetTagName(LPCWSTR lpszTagName);

    // Objects alive now, leaving out the shared ones that live as long as the process (types,
    // properties, shared values): a test that releases all it made finds the same number after.
    static LONG GetLiveObjectCount();
    // Marks a process-wide shared object so that it no longer counts as live.
    void MarkShared();

protected:
    // GetValue without the default: local value, then inherited ones.
    CXTPMarkupObject* GetValueCore(CXTPMarkupDependencyProperty* pProperty) const;
    // Calls OnPropertyChanged below pParent on every logical descendant of the property's owner type.
    static void PassChangeOn(CXTPMarkupObject* pParent, CXTPMarkupDependencyProperty* pProperty,
                             CXTPMarkupObject* pOldValue, CXTPMarkupObject* pNewValue, int nDepth);
    // Throws the object model's message for refused content.
    void RefuseContent(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) const;

    CXTPMarkupObject* m_pLogicalParent;
    CXTPMarkupProperties* m_pProperties;
    std::wstring m_strTagName;
    volatile LONG m_dwRef;
    bool m_bShared;

private:
    CXTPMarkupObject(const CXTPMarkupObject&) = delete;
    CXTPMarkupObject& operator=(const CXTPMarkupObject&) = delete;
};

// The sparse property store: one slot per property registered when it was made.
class CXTPMarkupProperties : public CXTPMarkupObject
{
public:
    explicit CXTPMarkupProperties(CXTPMarkupObject* pOwner);

    CXTPMarkupObject* Get(CXTPMarkupDependencyProperty* pProperty) const;
    // Takes over pValue. The previous value loses its logical parent and a reference; the new one
    // gets the owner as logical parent. Ignored (pValue released) for a property the store has no slot for.
    void Set(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);
    int GetCount() const;

protected:
    ~CXTPMarkupProperties() override;

private:
    CXTPMarkupObject* m_pOwner;
    CXTPMarkupObject** m_pValues;
    int m_nCount;
};

// Releases an object reference held in a pointer and clears it; a null pointer is left alone.
template <typename T> inline void XTPMarkupReleaseObject(T*& pObject)
{
    if (pObject)
    {
        pObject->Release();
        pObject = nullptr;
    }
}
