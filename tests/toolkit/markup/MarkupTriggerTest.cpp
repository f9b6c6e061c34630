// Style triggers as elements see them: setters applied and withdrawn with the trigger's property,
// local values winning, the later of two triggers winning, and a trigger set again to the same
// value staying once in the active list.
#include <gtest/gtest.h>

#include "MarkupTestSupport.h"
#include "toolkit/markup/elements/XTPMarkupControls.h"
#include "toolkit/markup/elements/XTPMarkupPanel.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

namespace
{
class MarkupTriggers : public MarkupTest
{
protected:
    static int MarginOf(CXTPMarkupObject* pElement)
    {
        return static_cast<CXTPMarkupThickness*>(pElement->GetValue(CXTPMarkupFrameworkElement::m_pMarginProperty))
            ->GetLeft();
    }
    static CXTPMarkupInputElement* Child(CXTPMarkupObject* pPanel, int nIndex)
    {
        return static_cast<CXTPMarkupInputElement*>(static_cast<CXTPMarkupPanel*>(pPanel)->GetChildren()->GetItem(nIndex));
    }
    static void SetMouseOver(CXTPMarkupObject* pElement, BOOL bOver)
    {
        pElement->SetValue(CXTPMarkupInputElement::m_pIsMouseOverProperty, CXTPMarkupBool::CreateValue(bOver));
    }
};

const char kStyled[] =
    "<StackPanel><StackPanel.Resources>"
    "<Style TargetType='Border'><Style.Triggers>"
    "<Trigger Property='IsMouseOver' Value='True'><Setter Property='Margin' Value='4'/>"
    "<Setter Property='Padding' Value='6'/></Trigger>"
    "<Trigger Property='IsMouseOver' Value='True'><Setter Property='Margin' Value='9'/></Trigger>"
    "</Style.Triggers><Setter Property='Margin' Value='1'/></Style>"
    "</StackPanel.Resources>"
    "<Border/><Border Margin='2'/></StackPanel>";

TEST_F(MarkupTriggers, MouseOverTriggerSetsAndWithdrawsItsSetters)
{
    MarkupParse result = Parse(kStyled);
    ASSERT_TRUE(result.pRoot) << result.strError;
    CXTPMarkupInputElement* pBorder = Child(result.pRoot, 0);
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

TEST_F(MarkupTriggers, LocalValuesWinOverTriggers)
{
    MarkupParse result = Parse(kStyled);
    ASSERT_TRUE(result.pRoot) << result.strError;
    CXTPMarkupInputElement* pBorder = Child(result.pRoot, 1);
    SetMouseOver(pBorder, TRUE);
    EXPECT_EQ(2, pBorder->GetActiveTriggerCount());
    EXPECT_EQ(2, MarginOf(pBorder));
}

TEST_F(MarkupTriggers, TriggersApplyOnLoadAgainstCurrentValues)
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
