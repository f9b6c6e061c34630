// Styles, setters, triggers and resources as the builder fills them: resolution, sealing with
// BasedOn, dictionary keys, implicit styles and the resource lookup.
#include <gtest/gtest.h>

#include "MarkupTestSupport.h"
#include "toolkit/markup/elements/XTPMarkupControls.h"
#include "toolkit/markup/elements/XTPMarkupPanel.h"
#include "toolkit/markup/elements/XTPMarkupTextElements.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/styles/XTPMarkupStyle.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

namespace
{
class MarkupStyles : public MarkupTest
{
protected:
    static int MarginOf(CXTPMarkupObject* pElement)
    {
        return static_cast<CXTPMarkupThickness*>(pElement->GetValue(CXTPMarkupFrameworkElement::m_pMarginProperty))
            ->GetLeft();
    }
    static CXTPMarkupObject* Child(CXTPMarkupObject* pPanel, int nIndex)
    {
        return static_cast<CXTPMarkupPanel*>(pPanel)->GetChildren()->GetItem(nIndex);
    }
    // Sets IsMouseOver as the mouse routing does.
    static void SetMouseOver(CXTPMarkupObject* pElement, BOOL bOver)
    {
        pElement->SetValue(CXTPMarkupInputElement::m_pIsMouseOverProperty, CXTPMarkupBool::CreateValue(bOver));
    }
    static CXTPMarkupObject* FindByKey(CXTPMarkupObject* pObject, LPCWSTR lpszKey)
    {
        CXTPMarkupString* pKey = new CXTPMarkupString(lpszKey);
        CXTPMarkupObject* pFound = XTPMarkupFindResource(pObject, pKey);
        pKey->Release();
        return pFound;
    }
};

TEST_F(MarkupStyles, LaterSetterWinsAndLocalValueBeatsTheStyle)
{
    MarkupParse result = Parse(
        "<StackPanel><StackPanel.Resources>"
        "<Style TargetType='Border'><Setter Property='Margin' Value='1'/><Setter Property='Margin' Value='2'/></Style>"
        "</StackPanel.Resources><Border/><Border Margin='7'/><TextBlock/></StackPanel>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    EXPECT_EQ(2, MarginOf(Child(result.pRoot, 0))) << "the key-less style applies to every Border below";
    EXPECT_EQ(7, MarginOf(Child(result.pRoot, 1)));
    EXPECT_EQ(0, MarginOf(Child(result.pRoot, 2))) << "not a Border";
}

TEST_F(MarkupStyles, BasedOnChainGivesTheBaseValuesUnlessOverridden)
{
    MarkupParse result = Parse(
        "<StackPanel><StackPanel.Resources>"
        "<Style x:Key='base' TargetType='Border'><Setter Property='Margin' Value='1'/>"
        "<Setter Property='Padding' Value='5'/></Style>"
        "<Style x:Key='derived' TargetType='Border' BasedOn='{StaticResource base}'>"
        "<Setter Property='Margin' Value='3'/></Style>"
        "</StackPanel.Resources><Border Style='{StaticResource derived}'/></StackPanel>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupObject* pBorder = Child(result.pRoot, 0);
    EXPECT_EQ(3, MarginOf(pBorder));
    EXPECT_EQ(5, static_cast<CXTPMarkupThickness*>(pBorder->GetValue(CXTPMarkupBorder::m_pPaddingProperty))->GetLeft());
}

TEST_F(MarkupStyles, OwnerFormResolvesWithoutTargetType)
{
    MarkupParse result = Parse(
        "<StackPanel><StackPanel.Resources><Style x:Key='s'><Setter Property='TextBlock.FontSize' Value='12pt'/>"
        "</Style></StackPanel.Resources><TextBlock Style='{StaticResource s}'/></StackPanel>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupInt* pSize =
        static_cast<CXTPMarkupInt*>(Child(result.pRoot, 0)->GetValue(CXTPMarkupTextElement::m_pFontSizeProperty));
    ASSERT_NE(nullptr, pSize);
    EXPECT_EQ(16, pSize->GetValue()) << "the setter's value went through the property's converter";
}

TEST_F(MarkupStyles, ResourcesOfAStyleAndAboveIt)
{
    MarkupParse result = Parse(
        "<StackPanel><StackPanel.Resources>"
        "<SolidColorBrush x:Key='outer' Color='Red'/>"
        "<Style x:Key='s' TargetType='Border'><Style.Resources><SolidColorBrush x:Key='inner' Color='Blue'/>"
        "</Style.Resources></Style>"
        "</StackPanel.Resources><Border Style='{StaticResource s}'/></StackPanel>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupObject* pBorder = Child(result.pRoot, 0);
    CXTPMarkupInputElement* pElement = static_cast<CXTPMarkupInputElement*>(pBorder);
    ASSERT_NE(nullptr, pElement->GetStyle());
    CXTPMarkupObject* pInner = FindByKey(pBorder, L"inner");
    ASSERT_NE(nullptr, pInner) << "found through the element's style";
    EXPECT_EQ(0xFF0000u, static_cast<CXTPMarkupBrush*>(pInner)->GetColor());
    EXPECT_NE(nullptr, FindByKey(pBorder, L"outer")) << "found up the element's parents";
    EXPECT_EQ(nullptr, FindByKey(pElement->GetStyle(), L"outer")) << "a style's lookup ends at the style";
    EXPECT_EQ(nullptr, FindByKey(pBorder, L"Outer")) << "keys are case sensitive";
}

TEST_F(MarkupStyles, TriggersAreResolvedWhenTheStyleGetsThem)
{
    MarkupParse result = ParseObject(
        "<Style TargetType='Border'><Style.Triggers><Trigger Property='IsMouseOver' Value='True'>"
        "<Setter Property='Margin' Value='4'/></Trigger></Style.Triggers></Style>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupStyle* pStyle = static_cast<CXTPMarkupStyle*>(result.pRoot);
    ASSERT_NE(nullptr, pStyle->GetTriggers());
    ASSERT_EQ(1, pStyle->GetTriggers()->GetCount());
    CXTPMarkupTrigger* pTrigger = pStyle->GetTriggers()->GetTrigger(0);
    EXPECT_EQ(CXTPMarkupInputElement::m_pIsMouseOverProperty, pTrigger->GetTriggerProperty());
    CXTPMarkupBool* pTrue = CXTPMarkupBool::CreateTrueValue();
    EXPECT_EQ(pTrue, pTrigger->GetTriggerValue());
    pTrue->Release();
    CXTPMarkupSetter* pSetter = pTrigger->GetSetters()->GetSetter(0);
    ASSERT_NE(nullptr, pSetter);
    EXPECT_EQ(CXTPMarkupFrameworkElement::m_pMarginProperty, pSetter->GetSetterProperty());
    EXPECT_EQ(CXTPMarkupThickness::GetMarkupType(), pSetter->GetSetterValue()->GetType());
}

TEST_F(MarkupStyles, TriggerWithUnknownPropertyFails)
{
    MarkupParse result = ParseObject(
        "<Style TargetType='Border'><Style.Triggers><Trigger Property='Nothing' Value='True'/>"
        "</Style.Triggers></Style>");
    EXPECT_EQ(nullptr, result.pRoot);
    EXPECT_EQ("Cannot find the Style Property 'Nothing'. Line 1, position 103", result.strError);
}

TEST_F(MarkupStyles, SealingHappensOnceAndLaterSettersDoNotReachIt)
{
    CXTPMarkupStyle* pStyle = new CXTPMarkupStyle();
    pStyle->GetSetters()->Add(
        new CXTPMarkupSetter(CXTPMarkupFrameworkElement::m_pMarginProperty, new CXTPMarkupThickness(1)));
    pStyle->Seal();
    EXPECT_TRUE(pStyle->IsSealed());
    pStyle->GetSetters()->Add(
        new CXTPMarkupSetter(CXTPMarkupFrameworkElement::m_pMarginProperty, new CXTPMarkupThickness(9)));
    pStyle->Seal();
    CXTPMarkupThickness* pValue =
        static_cast<CXTPMarkupThickness*>(pStyle->GetStyleValue(CXTPMarkupFrameworkElement::m_pMarginProperty));
    ASSERT_NE(nullptr, pValue);
    EXPECT_EQ(1, pValue->GetLeft());
    pStyle->Release();
}

TEST_F(MarkupStyles, HyperlinkTypeStyle)
{
    MarkupParse result = Parse("<TextBlock><Hyperlink>x</Hyperlink></TextBlock>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupObject* pLink = static_cast<CXTPMarkupTextBlock*>(result.pRoot)->GetInlines()->GetItem(0);
    ASSERT_NE(nullptr, pLink);
    EXPECT_EQ(1, *static_cast<CXTPMarkupEnum*>(pLink->GetValue(CXTPMarkupTextElement::m_pTextDecorationsProperty)));
    EXPECT_EQ(RGB(0, 0, 255),
              static_cast<CXTPMarkupBrush*>(pLink->GetValue(CXTPMarkupTextElement::m_pForegroundProperty))->GetColor());
    EXPECT_EQ(32649, *static_cast<CXTPMarkupInt*>(pLink->GetValue(CXTPMarkupInputElement::m_pCursorProperty)));
    CXTPMarkupTriggerCollection* pTriggers = CXTPMarkupHyperlink::GetMarkupType()->GetTypeStyle()->GetTriggers();
    ASSERT_NE(nullptr, pTriggers);
    EXPECT_EQ(CXTPMarkupInputElement::m_pIsMouseOverProperty, pTriggers->GetTrigger(0)->GetTriggerProperty());
    // The run inside inherits the link's foreground.
    CXTPMarkupObject* pRun = static_cast<CXTPMarkupHyperlink*>(pLink)->GetInlines()->GetItem(0);
    EXPECT_EQ(RGB(0, 0, 255),
              static_cast<CXTPMarkupBrush*>(pRun->GetValue(CXTPMarkupTextElement::m_pForegroundProperty))->GetColor());
}

TEST_F(MarkupStyles, BoldKeepsItsWeightInsideALightSpan)
{
    MarkupParse result = Parse("<TextBlock><Span FontWeight='Light'><Bold>b</Bold></Span><Bold FontWeight='Thin'/></TextBlock>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupInlineCollection* pInlines = static_cast<CXTPMarkupTextBlock*>(result.pRoot)->GetInlines();
    CXTPMarkupObject* pBold = static_cast<CXTPMarkupSpan*>(pInlines->GetItem(0))->GetInlines()->GetItem(0);
    EXPECT_EQ(700, *static_cast<CXTPMarkupEnum*>(pBold->GetValue(CXTPMarkupTextElement::m_pFontWeightProperty)));
    EXPECT_EQ(100, *static_cast<CXTPMarkupEnum*>(pInlines->GetItem(1)->GetValue(CXTPMarkupTextElement::m_pFontWeightProperty)));
}
// Triggers as elements see them: setters applied and withdrawn with the trigger's property, local
// values winning, the later of two active triggers winning, an active trigger never added twice.
const char kStyled[] =
    "<StackPanel><StackPanel.Resources>"
    "<Style TargetType='Border'><Style.Triggers>"
    "<Trigger Property='IsMouseOver' Value='True'><Setter Property='Margin' Value='4'/>"
    "<Setter Property='Padding' Value='6'/></Trigger>"
    "<Trigger Property='IsMouseOver' Value='True'><Setter Property='Margin' Value='9'/></Trigger>"
    "</Style.Triggers><Setter Property='Margin' Value='1'/></Style>"
    "</StackPanel.Resources>"
    "<Border/><Border Margin='2'/></StackPanel>";

TEST_F(MarkupStyles, MouseOverTriggerSetsAndWithdrawsItsSetters)
{
    MarkupParse result = Parse(kStyled);
    ASSERT_TRUE(result.pRoot) << result.strError;
    CXTPMarkupInputElement* pBorder = static_cast<CXTPMarkupInputElement*>(Child(result.pRoot, 0));
    EXPECT_EQ(1, MarginOf(pBorder));
    EXPECT_EQ(0, pBorder->GetActiveTriggerCount());

    SetMouseOver(pBorder, TRUE);
    EXPECT_EQ(2, pBorder->GetActiveTriggerCount());
    // Both triggers set Margin: the later one in the active list wins. The style's triggers are
    // searched from the last declared, so the first declared joins the list last.
    EXPECT_EQ(4, MarginOf(pBorder));
    EXPECT_EQ(6, static_cast<CXTPMarkupThickness*>(pBorder->GetValue(CXTPMarkupBorder::m_pPaddingProperty))->GetLeft());

    // The same value again adds no trigger a second time.
    SetMouseOver(pBorder, TRUE);
    EXPECT_EQ(2, pBorder->GetActiveTriggerCount());

    SetMouseOver(pBorder, FALSE);
    EXPECT_EQ(0, pBorder->GetActiveTriggerCount());
    EXPECT_EQ(1, MarginOf(pBorder));
    EXPECT_EQ(0, static_cast<CXTPMarkupThickness*>(pBorder->GetValue(CXTPMarkupBorder::m_pPaddingProperty))->GetLeft());
}

TEST_F(MarkupStyles, LocalValuesWinOverTriggers)
{
    MarkupParse result = Parse(kStyled);
    ASSERT_TRUE(result.pRoot) << result.strError;
    CXTPMarkupInputElement* pBorder = static_cast<CXTPMarkupInputElement*>(Child(result.pRoot, 1));
    SetMouseOver(pBorder, TRUE);
    EXPECT_EQ(2, pBorder->GetActiveTriggerCount());
    EXPECT_EQ(2, MarginOf(pBorder));
}

TEST_F(MarkupStyles, TriggersApplyOnLoadAgainstCurrentValues)
{
    MarkupParse result = Parse("<StackPanel><StackPanel.Resources>"
                               "<Style TargetType='Border'><Style.Triggers>"
                               "<Trigger Property='Width' Value='20'><Setter Property='Margin' Value='5'/></Trigger>"
                               "</Style.Triggers></Style></StackPanel.Resources>"
                               "<Border Width='20'/><Border Width='30'/></StackPanel>");
    ASSERT_TRUE(result.pRoot) << result.strError;
    EXPECT_EQ(5, MarginOf(Child(result.pRoot, 0)));
    EXPECT_EQ(0, MarginOf(Child(result.pRoot, 1)));
    // Changing the property withdraws and applies.
    Child(result.pRoot, 0)->SetValue(CXTPMarkupFrameworkElement::m_pWidthProperty, new CXTPMarkupInt(30));
    EXPECT_EQ(0, MarginOf(Child(result.pRoot, 0)));
    Child(result.pRoot, 1)->SetValue(CXTPMarkupFrameworkElement::m_pWidthProperty, new CXTPMarkupInt(20));
    EXPECT_EQ(5, MarginOf(Child(result.pRoot, 1)));
}
} // namespace
