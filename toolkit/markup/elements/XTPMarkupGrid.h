// The Grid with its row and column definitions, their collections, the grid lengths (pixel, Auto,
// star) and the attached cell properties. The sizing of rows and columns is not built yet.
#pragma once

#include "toolkit/markup/elements/XTPMarkupPanel.h"

class CXTPMarkupGridLength : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupGridLength)
public:
    enum UnitType
    {
        unitTypeAuto = 0,
        unitTypePixel = 1,
        unitTypeStar = 2,
    };
    CXTPMarkupGridLength(double dValue = 0, UnitType nType = unitTypePixel);
    double GetValue() const { return m_dValue; }
    UnitType GetUnitType() const { return m_nType; }
    // "Auto", "*", "2*", "30"; empty or malformed text gives null.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

private:
    double m_dValue;
    UnitType m_nType;
};

class CXTPMarkupDefinitionBase : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupDefinitionBase)
public:
    explicit CXTPMarkupDefinitionBase(BOOL bIsColumn = FALSE);
    BOOL IsColumn() const { return m_bIsColumn; }
    // The user's length, minimum (0 when unset) and maximum (0x7FFFFFFF when unset).
    CXTPMarkupGridLength* GetUserSize() const;
    int GetUserMinSize() const;
    int GetUserMaxSize() const;

protected:
    BOOL m_bIsColumn;
};

class CXTPMarkupRowDefinition : public CXTPMarkupDefinitionBase
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupRowDefinition)
public:
    CXTPMarkupRowDefinition();
    static CXTPMarkupDependencyProperty* m_pHeightProperty;
    static CXTPMarkupDependencyProperty* m_pMinHeightProperty;
    static CXTPMarkupDependencyProperty* m_pMaxHeightProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupColumnDefinition : public CXTPMarkupDefinitionBase
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupColumnDefinition)
public:
    CXTPMarkupColumnDefinition();
    static CXTPMarkupDependencyProperty* m_pWidthProperty;
    static CXTPMarkupDependencyProperty* m_pMinWidthProperty;
    static CXTPMarkupDependencyProperty* m_pMaxWidthProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupDefinitionCollection : public CXTPMarkupCollection
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupDefinitionCollection)
public:
    CXTPMarkupDefinitionCollection();
    CXTPMarkupDefinitionBase* GetDefinition(int nIndex) const
    {
        return static_cast<CXTPMarkupDefinitionBase*>(GetItem(nIndex));
    }
};

class CXTPMarkupRowDefinitionCollection : public CXTPMarkupDefinitionCollection
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupRowDefinitionCollection)
public:
    CXTPMarkupRowDefinitionCollection();
};

class CXTPMarkupColumnDefinitionCollection : public CXTPMarkupDefinitionCollection
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupColumnDefinitionCollection)
public:
    CXTPMarkupColumnDefinitionCollection();
};

class CXTPMarkupGrid : public CXTPMarkupPanel
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupGrid)
public:
    CXTPMarkupGrid();
    CXTPMarkupRowDefinitionCollection* GetRowDefinitions() const { return m_pRowDefinitions; }
    CXTPMarkupColumnDefinitionCollection* GetColumnDefinitions() const { return m_pColumnDefinitions; }

    // "ColumnDefinitions" and "RowDefinitions" take only their own collection classes (a build
    // error otherwise) and replace the grid's collection; other properties as for any element.
    void SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                           CXTPMarkupObject* pValue) override;

    static CXTPMarkupDependencyProperty* m_pColumnDefinitionsProperty;
    static CXTPMarkupDependencyProperty* m_pRowDefinitionsProperty;
    static CXTPMarkupDependencyProperty* m_pColumnProperty;
    static CXTPMarkupDependencyProperty* m_pRowProperty;
    static CXTPMarkupDependencyProperty* m_pColumnSpanProperty;
    static CXTPMarkupDependencyProperty* m_pRowSpanProperty;
    static void RegisterMarkupProperties();

protected:
    ~CXTPMarkupGrid() override;

private:
    CXTPMarkupRowDefinitionCollection* m_pRowDefinitions;
    CXTPMarkupColumnDefinitionCollection* m_pColumnDefinitions;
};
