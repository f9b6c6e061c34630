// The object model without markup text: reference counts, the property store, inheritance and
// change notification, shared values, the type table and the property registry.
#include <gtest/gtest.h>

#include <set>

#include "MarkupTestSupport.h"
#include "toolkit/markup/elements/XTPMarkupControls.h"
#include "toolkit/markup/elements/XTPMarkupPanel.h"
#include "toolkit/markup/elements/XTPMarkupTextElements.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

namespace
{
class MarkupObjects : public MarkupTest
{
};

TEST_F(MarkupObjects, WrongTypedValueChangesNothingAndLeaksNothing)
{
    CXTPMarkupBorder* pBorder = new CXTPMarkupBorder();
    ASSERT_TRUE(pBorder->SetValue(CXTPMarkupFrameworkElement::m_pMarginProperty, new CXTPMarkupThickness(4)));
    LONG nLive = CXTPMarkupObject::GetLiveObjectCount();

    EXPECT_FALSE(pBorder->SetValue(CXTPMarkupFrameworkElement::m_pMarginProperty, new CXTPMarkupInt(3)));
    EXPECT_FALSE(pBorder->SetValue(nullptr, new CXTPMarkupInt(3)));
    EXPECT_EQ(nLive, CXTPMarkupObject::GetLiveObjectCount());
    CXTPMarkupThickness* pMargin =
        static_cast<CXTPMarkupThickness*>(pBorder->GetValue(CXTPMarkupFrameworkElement::m_pMarginProperty));
    ASSERT_NE(nullptr, pMargin);
    EXPECT_EQ(4, pMargin->GetLeft());
    pBorder->Release();
}

TEST_F(MarkupObjects, UnsetPropertyGivesTheDefaultOrNull)
{
    CXTPMarkupBorder* pBorder = new CXTPMarkupBorder();
    EXPECT_EQ(nullptr, pBorder->GetValue(CXTPMarkupBorder::m_pBackgroundProperty));
    CXTPMarkupObject* pPadding = pBorder->GetValue(CXTPMarkupBorder::m_pPaddingProperty);
    CXTPMarkupThickness* pZero = CXTPMarkupThickness::CreateZero();
    EXPECT_EQ(pZero, pPadding);
    pZero->Release();
    EXPECT_EQ(nullptr, pBorder->GetProperties()) << "no store before the first value";
    pBorder->Release();
}

// A run that records the changes it is told about.
class RecordingRun : public CXTPMarkupRun
{
public:
    void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                           CXTPMarkupObject* pNewValue) override
    {
        if (pProperty == CXTPMarkupTextElement::m_pFontSizeProperty)
        {
            nChanges++;
            pLastNew = pNewValue;
        }
        CXTPMarkupRun::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    }
    int nChanges = 0;
    CXTPMarkupObject* pLastNew = nullptr;
};

TEST_F(MarkupObjects, InheritedValueReachesAndNotifiesDescendantsOfTheOwnerType)
{
    CXTPMarkupStackPanel* pPanel = new CXTPMarkupStackPanel();
    CXTPMarkupTextBlock* pText = new CXTPMarkupTextBlock();
    RecordingRun* pRun = new RecordingRun();
    pText->GetInlines()->Add(pRun);
    pPanel->GetChildren()->Add(pText);

    CXTPMarkupInt* pSize = new CXTPMarkupInt(20);
    pPanel->SetValue(CXTPMarkupTextElement::m_pFontSizeProperty, pSize);
    EXPECT_EQ(pSize, pRun->GetValue(CXTPMarkupTextElement::m_pFontSizeProperty));
    EXPECT_EQ(pSize, pText->GetValue(CXTPMarkupTextElement::m_pFontSizeProperty));
    EXPECT_EQ(1, pRun->nChanges);
    EXPECT_EQ(pSize, pRun->pLastNew);

    // A value of the run's own hides the panel's, and the run hears of its own change only.
    pRun->SetValue(CXTPMarkupTextElement::m_pFontSizeProperty, new CXTPMarkupInt(9));
    EXPECT_EQ(9, *static_cast<CXTPMarkupInt*>(pRun->GetValue(CXTPMarkupTextElement::m_pFontSizeProperty)));
    EXPECT_EQ(2, pRun->nChanges);

    // Not inheriting: the panel's Margin does not reach the text block.
    pPanel->SetValue(CXTPMarkupFrameworkElement::m_pMarginProperty, new CXTPMarkupThickness(3));
    CXTPMarkupThickness* pMargin =
        static_cast<CXTPMarkupThickness*>(pText->GetValue(CXTPMarkupFrameworkElement::m_pMarginProperty));
    EXPECT_EQ(0, pMargin->GetLeft());
    pPanel->Release();
}

TEST_F(MarkupObjects, SharedEnumerationsBoolsAndStrings)
{
    for (int i = 0; i < 8; i++)
    {
        CXTPMarkupEnum* p1 = CXTPMarkupEnum::CreateValue(i);
        CXTPMarkupEnum* p2 = CXTPMarkupEnum::CreateValue(i);
        EXPECT_EQ(p1, p2) << i;
        p1->Release();
        p2->Release();
    }
    CXTPMarkupEnum* p1 = CXTPMarkupEnum::CreateValue(8);
    CXTPMarkupEnum* p2 = CXTPMarkupEnum::CreateValue(8);
    EXPECT_NE(p1, p2);
    EXPECT_TRUE(p1->IsEqual(p2));
    EXPECT_FALSE(p1->IsEqual(nullptr));
    p1->Release();
    p2->Release();

    CXTPMarkupString* pTrue = new CXTPMarkupString(L"true");
    CXTPMarkupObject* pValue = CXTPMarkupBool().ConvertFrom(nullptr, pTrue);
    CXTPMarkupBool* pShared = CXTPMarkupBool::CreateTrueValue();
    EXPECT_EQ(pShared, pValue);
    pShared->Release();
    pValue->Release();
    pTrue->Release();

    CXTPMarkupString* pSpace1 = CXTPMarkupString::CreateValue(L" ");
    CXTPMarkupString* pSpace2 = CXTPMarkupString::CreateValue(L" ");
    CXTPMarkupString* pWord1 = CXTPMarkupString::CreateValue(L"ab");
    CXTPMarkupString* pWord2 = CXTPMarkupString::CreateValue(L"ab");
    EXPECT_EQ(pSpace1, pSpace2);
    EXPECT_NE(pWord1, pWord2);
    EXPECT_TRUE(pWord1->IsEqual(pWord2));
    EXPECT_EQ(pWord1->GetHashCode(), pWord2->GetHashCode());
    EXPECT_EQ((UINT)('a' * 33 + 'b'), pWord1->GetHashCode());
    for (CXTPMarkupString* p : {pSpace1, pSpace2, pWord1, pWord2})
        p->Release();
}

TEST_F(MarkupObjects, ReleaseOfAnObjectAlreadyAtZeroDoesNothing)
{
    CXTPMarkupInt* pInt = new CXTPMarkupInt(1);
    pInt->AddRef();
    EXPECT_EQ(1u, pInt->Release());
    EXPECT_EQ(0u, pInt->Release());
}

TEST_F(MarkupObjects, CollectionTakesOnlyItsItemType)
{
    CXTPMarkupStackPanel* pPanel = new CXTPMarkupStackPanel();
    CXTPMarkupUIElementCollection* pChildren = pPanel->GetChildren();
    pChildren->Add(new CXTPMarkupInt(1)); // refused and released
    pChildren->Add(nullptr);
    EXPECT_EQ(0, pChildren->GetCount());
    CXTPMarkupBorder* pFirst = new CXTPMarkupBorder();
    CXTPMarkupBorder* pSecond = new CXTPMarkupBorder();
    pChildren->Add(pSecond);
    pChildren->Insert(0, pFirst);
    EXPECT_EQ(pFirst, pChildren->GetItem(0));
    EXPECT_EQ(pSecond, pChildren->GetItem(1));
    EXPECT_EQ(nullptr, pChildren->GetItem(2));
    EXPECT_EQ(pChildren, pFirst->GetLogicalParent());
    EXPECT_EQ(pPanel, pChildren->GetLogicalParent());
    pChildren->Remove(5);
    pChildren->Remove(0);
    EXPECT_EQ(1, pChildren->GetCount());
    pPanel->Release();
}

TEST_F(MarkupObjects, TypeTableTagsAndNames)
{
    std::set<CXTPMarkupType*> types;
    int nTags = 0;
    for (const XTP_MARKUP_TYPE_ROW& row : g_xtpMarkupTypeRows)
    {
        if (!row.lpszTag)
            continue;
        nTags++;
        CXTPMarkupType* pType = CXTPMarkupType::LookupType(row.lpszTag);
        ASSERT_NE(nullptr, pType) << NarrowText(row.lpszTag);
        EXPECT_STREQ(row.lpszClassName, pType->GetClassName());
        types.insert(pType);
        // Every tag makes an object of its own class.
        CXTPMarkupObject* pObject = m_pContext->CreateMarkupObject(pType);
        ASSERT_NE(nullptr, pObject) << NarrowText(row.lpszTag);
        EXPECT_EQ(pType, pObject->GetType());
        pObject->Release();
    }
    EXPECT_EQ(nTags, (int)types.size());
    EXPECT_EQ(nullptr, CXTPMarkupType::LookupType(L"stackpanel"));
    EXPECT_EQ(CXTPMarkupStackPanel::GetMarkupType(), CXTPMarkupType::LookupType(L"StackPanel"));
    EXPECT_EQ(nullptr, CXTPMarkupType::LookupType(L"Inline"));
    EXPECT_STREQ(L"CXTPMarkupSetterColection", g_xtpMarkupTypeRows[xtpMarkupTypeIndex_CXTPMarkupSetterColection].lpszClassName);

    int nAll = 0;
    for (CXTPMarkupType* pType = CXTPMarkupType::GetFirstType(); pType; pType = pType->GetNextType())
        nAll++;
    EXPECT_EQ(86, nAll);
    EXPECT_TRUE(CXTPMarkupCheckBox::GetMarkupType()->IsDerivedFrom(CXTPMarkupContentControl::GetMarkupType()));
    EXPECT_FALSE(CXTPMarkupContentControl::GetMarkupType()->IsDerivedFrom(CXTPMarkupCheckBox::GetMarkupType()));
}

TEST_F(MarkupObjects, PropertiesAreFoundThroughBaseTypesOnly)
{
    typedef CXTPMarkupDependencyProperty P;
    EXPECT_EQ(CXTPMarkupObject::m_pNameProperty, P::FindProperty(CXTPMarkupBorder::GetMarkupType(), L"x:Name"));
    EXPECT_EQ(CXTPMarkupObject::m_pKeyProperty, P::FindProperty(CXTPMarkupBorder::GetMarkupType(), L"Key"));
    EXPECT_EQ(CXTPMarkupFrameworkElement::m_pMarginProperty, P::FindProperty(CXTPMarkupBorder::GetMarkupType(), L"Margin"));
    EXPECT_EQ(nullptr, P::FindProperty(CXTPMarkupFrameworkElement::GetMarkupType(), L"Padding"));
    EXPECT_EQ(nullptr, P::FindProperty(CXTPMarkupBorder::GetMarkupType(), L"margin"));
    EXPECT_EQ(nullptr, P::FindProperty(nullptr, L"Margin"));
    EXPECT_EQ(CXTPMarkupBorder::m_pPaddingProperty, P::FindProperty(CXTPMarkupButton::GetMarkupType(), L"Padding"))
        << "Control is a second owner of Border's Padding";
    EXPECT_EQ(CXTPMarkupTextElement::m_pFontSizeProperty, P::FindAttachedProperty(L"TextElement.FontSize"));
    EXPECT_EQ(nullptr, P::FindAttachedProperty(L"Nothing.FontSize"));
    // Base classes register first: their store indexes are lower.
    EXPECT_LT(CXTPMarkupFrameworkElement::m_pMarginProperty->GetIndex(), CXTPMarkupBorder::m_pPaddingProperty->GetIndex());
    EXPECT_LT(CXTPMarkupObject::m_pNameProperty->GetIndex(), CXTPMarkupFrameworkElement::m_pMarginProperty->GetIndex());
    EXPECT_EQ(-1, CXTPMarkupInputElement::m_pMouseEnterEvent->GetIndex()) << "events take no store slot";
    EXPECT_TRUE(CXTPMarkupInputElement::m_pMouseEnterEvent->IsEvent());
    EXPECT_EQ(CXTPMarkupPropertyMetadata::flagInherited | CXTPMarkupPropertyMetadata::flagAffectsMeasure,
              CXTPMarkupTextElement::m_pFontSizeProperty->GetFlags());
}

TEST_F(MarkupObjects, ContextHeldByEveryInputElementItMade)
{
    CXTPMarkupObject* pBorder = m_pContext->CreateMarkupObject(CXTPMarkupBorder::GetMarkupType());
    EXPECT_EQ(m_pContext, static_cast<CXTPMarkupInputElement*>(pBorder)->GetMarkupContext());
    m_pContext->AddRef();
    EXPECT_EQ(2u, m_pContext->Release()) << "the element holds one reference";
    pBorder->Release();
    m_pContext->AddRef();
    EXPECT_EQ(1u, m_pContext->Release());
    EXPECT_EQ(nullptr, m_pContext->CreateMarkupObject(nullptr));
}
} // namespace
