#include "toolkit/markup/elements/XTPMarkupGrid.h"

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"

XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupGridLength, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupDefinitionBase, CXTPMarkupObject, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupRowDefinition, CXTPMarkupDefinitionBase, &CXTPMarkupRowDefinition::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupColumnDefinition, CXTPMarkupDefinitionBase,
                          &CXTPMarkupColumnDefinition::RegisterMarkupProperties)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupDefinitionCollection, CXTPMarkupCollection, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupRowDefinitionCollection, CXTPMarkupDefinitionCollection, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupColumnDefinitionCollection, CXTPMarkupDefinitionCollection, nullptr)
XTP_IMPLEMENT_MARKUPCLASS(CXTPMarkupGrid, CXTPMarkupPanel, &CXTPMarkupGrid::RegisterMarkupProperties)

CXTPMarkupDependencyProperty* CXTPMarkupRowDefinition::m_pHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRowDefinition::m_pMinHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupRowDefinition::m_pMaxHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupColumnDefinition::m_pWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupColumnDefinition::m_pMinWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupColumnDefinition::m_pMaxWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pColumnDefinitionsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pRowDefinitionsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pColumnProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pRowProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pColumnSpanProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupGrid::m_pRowSpanProperty = nullptr;

typedef CXTPMarkupPropertyMetadata Metadata;

CXTPMarkupGridLength::CXTPMarkupGridLength(double dValue, UnitType nType) : m_dValue(dValue), m_nType(nType) {}

CXTPMarkupObject* CXTPMarkupGridLength::ConvertFrom(CXTPMarkupBuilder* /*pBuilder*/, CXTPMarkupObject* pObject) const
{
    LPCWSTR lpszText = XTPMarkupStringOf(pObject);
    if (!lpszText || !*lpszText)
        return nullptr;
    size_t nLength = wcslen(lpszText);
    if (nLength == 4 && _wcsicmp(lpszText, L"Auto") == 0)
        return new CXTPMarkupGridLength(1, unitTypeAuto);
    if (wcscmp(lpszText, L"*") == 0)
        return new CXTPMarkupGridLength(1, unitTypeStar);
    std::wstring strNumber(lpszText);
    bool bStar = strNumber.back() == L'*';
    if (bStar)
        strNumber.pop_back();
    LPCWSTR p = strNumber.c_str();
    double dValue = 0;
    if (!CXTPMarkupDouble::ParseDouble(p, dValue, 0, TRUE))
        return nullptr;
    return new CXTPMarkupGridLength(dValue, bStar ? unitTypeStar : unitTypePixel);
}

BOOL CXTPMarkupGridLength::IsEqual(const CXTPMarkupObject* pObject) const
{
    return pObject && pObject->GetType() == GetType() &&
           static_cast<const CXTPMarkupGridLength*>(pObject)->m_dValue == m_dValue &&
           static_cast<const CXTPMarkupGridLength*>(pObject)->m_nType == m_nType;
}

CXTPMarkupDefinitionBase::CXTPMarkupDefinitionBase(BOOL bIsColumn) : m_bIsColumn(bIsColumn) {}

CXTPMarkupGridLength* CXTPMarkupDefinitionBase::GetUserSize() const
{
    return static_cast<CXTPMarkupGridLength*>(GetValue(m_bIsColumn ? CXTPMarkupColumnDefinition::m_pWidthProperty
                                                                   : CXTPMarkupRowDefinition::m_pHeightProperty));
}

int CXTPMarkupDefinitionBase::GetUserMinSize() const
{
    CXTPMarkupInt* pValue = static_cast<CXTPMarkupInt*>(GetValue(
        m_bIsColumn ? CXTPMarkupColumnDefinition::m_pMinWidthProperty : CXTPMarkupRowDefinition::m_pMinHeightProperty));
    return pValue ? pValue->GetValue() : 0;
}

int CXTPMarkupDefinitionBase::GetUserMaxSize() const
{
    CXTPMarkupInt* pValue = static_cast<CXTPMarkupInt*>(GetValue(
        m_bIsColumn ? CXTPMarkupColumnDefinition::m_pMaxWidthProperty : CXTPMarkupRowDefinition::m_pMaxHeightProperty));
    return pValue ? pValue->GetValue() : 0x7FFFFFFF;
}

// Height/Width (1 star), and the minimum and maximum of a definition kind.
static void RegisterDefinitionProperties(CXTPMarkupType* pOwner, LPCWSTR lpszSize, LPCWSTR lpszMin, LPCWSTR lpszMax,
                                         CXTPMarkupDependencyProperty*& pSize, CXTPMarkupDependencyProperty*& pMin,
                                         CXTPMarkupDependencyProperty*& pMax)
{
    pSize = CXTPMarkupDependencyProperty::Register(
        lpszSize, CXTPMarkupGridLength::GetMarkupType(), pOwner,
        new Metadata(new CXTPMarkupGridLength(1, CXTPMarkupGridLength::unitTypeStar)));
    pMin = CXTPMarkupDependencyProperty::Register(lpszMin, CXTPMarkupInt::GetMarkupType(), pOwner);
    pMax = CXTPMarkupDependencyProperty::Register(lpszMax, CXTPMarkupInt::GetMarkupType(), pOwner);
}

void CXTPMarkupRowDefinition::RegisterMarkupProperties()
{
    RegisterDefinitionProperties(GetMarkupType(), L"Height", L"MinHeight", L"MaxHeight", m_pHeightProperty,
                                 m_pMinHeightProperty, m_pMaxHeightProperty);
}

CXTPMarkupRowDefinition::CXTPMarkupRowDefinition() : CXTPMarkupDefinitionBase(FALSE) {}

void CXTPMarkupColumnDefinition::RegisterMarkupProperties()
{
    RegisterDefinitionProperties(GetMarkupType(), L"Width", L"MinWidth", L"MaxWidth", m_pWidthProperty,
                                 m_pMinWidthProperty, m_pMaxWidthProperty);
}

CXTPMarkupColumnDefinition::CXTPMarkupColumnDefinition() : CXTPMarkupDefinitionBase(TRUE) {}

CXTPMarkupDefinitionCollection::CXTPMarkupDefinitionCollection()
{
    m_pItemType = CXTPMarkupDefinitionBase::GetMarkupType();
}

CXTPMarkupRowDefinitionCollection::CXTPMarkupRowDefinitionCollection()
{
    m_pItemType = CXTPMarkupRowDefinition::GetMarkupType();
}

CXTPMarkupColumnDefinitionCollection::CXTPMarkupColumnDefinitionCollection()
{
    m_pItemType = CXTPMarkupColumnDefinition::GetMarkupType();
}

void CXTPMarkupGrid::RegisterMarkupProperties()
{
    CXTPMarkupType* pOwner = GetMarkupType();
    CXTPMarkupType* pInt = CXTPMarkupInt::GetMarkupType();
    typedef CXTPMarkupDependencyProperty P;
    m_pColumnDefinitionsProperty =
        P::Register(L"ColumnDefinitions", CXTPMarkupColumnDefinitionCollection::GetMarkupType(), pOwner);
    m_pRowDefinitionsProperty = P::Register(L"RowDefinitions", CXTPMarkupRowDefinitionCollection::GetMarkupType(), pOwner);
    m_pColumnProperty = P::RegisterAttached(L"Column", pInt, pOwner, new Metadata(new CXTPMarkupInt(0)));
    m_pRowProperty = P::RegisterAttached(L"Row", pInt, pOwner, new Metadata(new CXTPMarkupInt(0)));
    m_pColumnSpanProperty = P::RegisterAttached(L"ColumnSpan", pInt, pOwner, new Metadata(new CXTPMarkupInt(1)));
    m_pRowSpanProperty = P::RegisterAttached(L"RowSpan", pInt, pOwner, new Metadata(new CXTPMarkupInt(1)));
}

CXTPMarkupGrid::CXTPMarkupGrid()
    : m_pRowDefinitions(new CXTPMarkupRowDefinitionCollection()),
      m_pColumnDefinitions(new CXTPMarkupColumnDefinitionCollection())
{
    m_pRowDefinitions->SetLogicalParent(this);
    m_pColumnDefinitions->SetLogicalParent(this);
}

CXTPMarkupGrid::~CXTPMarkupGrid()
{
    m_pRowDefinitions->SetLogicalParent(nullptr);
    m_pRowDefinitions->Release();
    m_pColumnDefinitions->SetLogicalParent(nullptr);
    m_pColumnDefinitions->Release();
}

void CXTPMarkupGrid::SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                                       CXTPMarkupObject* pValue)
{
    if (pProperty == m_pColumnDefinitionsProperty || pProperty == m_pRowDefinitionsProperty)
    {
        bool bColumns = pProperty == m_pColumnDefinitionsProperty;
        CXTPMarkupType* pExpected = bColumns ? CXTPMarkupColumnDefinitionCollection::GetMarkupType()
                                             : CXTPMarkupRowDefinitionCollection::GetMarkupType();
        if (!pValue || pValue->GetType() != pExpected)
        {
            if (pValue)
                pValue->Release();
            pBuilder->ThrowBuilderError(L"%ls class expected", pExpected->GetClassName());
        }
        pValue->SetLogicalParent(this);
        if (bColumns)
        {
            m_pColumnDefinitions->SetLogicalParent(nullptr);
            m_pColumnDefinitions->Release();
            m_pColumnDefinitions = static_cast<CXTPMarkupColumnDefinitionCollection*>(pValue);
        }
        else
        {
            m_pRowDefinitions->SetLogicalParent(nullptr);
            m_pRowDefinitions->Release();
            m_pRowDefinitions = static_cast<CXTPMarkupRowDefinitionCollection*>(pValue);
        }
        return;
    }
    CXTPMarkupPanel::SetPropertyObject(pBuilder, pProperty, pValue);
}
