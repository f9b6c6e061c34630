// Styles, setters, triggers and the resource dictionary: the checks made while the builder fills
// them (setter and trigger resolution, dictionary keys), the sealing of a style with its BasedOn
// chain into one table of values, and the resource lookup of the StaticResource extension and of
// implicit styles. Which triggers are active on an element is not built yet.
#pragma once

#include <map>
#include <vector>

#include "toolkit/markup/objects/XTPMarkupCollection.h"
#include "toolkit/markup/objects/XTPMarkupType.h"

class CXTPMarkupSetter : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupSetter)
public:
    CXTPMarkupSetter();
    // A setter made in code; the property gains a reference, the value is taken over.
    CXTPMarkupSetter(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);

    // The property once resolved (null before, or when "Property" holds text).
    CXTPMarkupDependencyProperty* GetSetterProperty() const;
    CXTPMarkupObject* GetSetterValue() const;

    // Turns "Property" text into the property (looked up on pTargetType and its bases, or
    // "Owner.Property") and converts "Value" to the property's type; build errors otherwise.
    static void Resolve(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pSetter, CXTPMarkupType* pTargetType);

    static CXTPMarkupDependencyProperty* m_pPropertyProperty;
    static CXTPMarkupDependencyProperty* m_pValueProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupSetterColection : public CXTPMarkupCollection
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupSetterColection)
public:
    CXTPMarkupSetterColection();
    CXTPMarkupSetter* GetSetter(int nIndex) const { return static_cast<CXTPMarkupSetter*>(GetItem(nIndex)); }
};

class CXTPMarkupTrigger : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupTrigger)
public:
    CXTPMarkupTrigger();
    CXTPMarkupTrigger(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);
    CXTPMarkupDependencyProperty* GetTriggerProperty() const;
    CXTPMarkupObject* GetTriggerValue() const;
    CXTPMarkupSetterColection* GetSetters() const;
    // Setters written between the trigger's tags go to its "Setters".
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;

    static CXTPMarkupDependencyProperty* m_pSettersProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupTriggerCollection : public CXTPMarkupCollection
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupTriggerCollection)
public:
    CXTPMarkupTriggerCollection();
    CXTPMarkupTrigger* GetTrigger(int nIndex) const { return static_cast<CXTPMarkupTrigger*>(GetItem(nIndex)); }
};

class CXTPMarkupResourceDictionary : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupResourceDictionary)
public:
    CXTPMarkupResourceDictionary();
    // Stored under its "Key", or a key-less Style under its TargetType; build errors for no key and
    // for a key already used.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetLogicalChildrenCount() const override;
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;
    // The entry for the key (keys compare with IsEqual), no new reference; null when absent.
    CXTPMarkupObject* Lookup(const CXTPMarkupObject* pKey) const;
    int GetCount() const { return (int)m_arrEntries.size(); }

protected:
    ~CXTPMarkupResourceDictionary() override;

private:
    struct Entry
    {
        CXTPMarkupObject* pKey;
        CXTPMarkupObject* pValue;
    };
    std::vector<Entry> m_arrEntries;
};

class CXTPMarkupStyle : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupStyle)
public:
    CXTPMarkupStyle();

    // A Setter is resolved against TargetType and appended; anything else is refused.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    // "Triggers": every trigger and its setters are resolved before the collection is stored.
    void SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                           CXTPMarkupObject* pValue) override;
    int GetLogicalChildrenCount() const override;
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;

    CXTPMarkupSetterColection* GetSetters() const { return m_pSetters; }
    CXTPMarkupType* GetTargetType() const;
    CXTPMarkupStyle* GetBasedOn() const;
    CXTPMarkupTriggerCollection* GetTriggers() const;

    // Merges the BasedOn chain and the setters into one table, once. Later setters win; this
    // style's setters win over its base's.
    void Seal();
    BOOL IsSealed() const { return m_bSealed; }
    // The sealed table's value for the property (no new reference), or null.
    CXTPMarkupObject* GetStyleValue(CXTPMarkupDependencyProperty* pProperty) const;

    static CXTPMarkupDependencyProperty* m_pResourcesProperty;
    static CXTPMarkupDependencyProperty* m_pTargetTypeProperty;
    static CXTPMarkupDependencyProperty* m_pBasedOnProperty;
    static CXTPMarkupDependencyProperty* m_pTriggersProperty;
    static void RegisterMarkupProperties();

protected:
    ~CXTPMarkupStyle() override;

private:
    void SealCore(int nDepth);

    CXTPMarkupSetterColection* m_pSetters;
    BOOL m_bSealed;
    std::map<CXTPMarkupDependencyProperty*, CXTPMarkupObject*> m_mapValues;
};

// The resource for the key seen from pObject: its own dictionary when it is one; else its
// "Resources", its style's resources, and so on up the logical parents (a Style ends the walk).
// No new reference; null when nothing has it.
CXTPMarkupObject* XTPMarkupFindResource(const CXTPMarkupObject* pObject, const CXTPMarkupObject* pKey);
