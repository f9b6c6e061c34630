// Layout of framework elements (margins, sizes, alignment, the clip flag and rectangles), the
// measure/arrange/render protocol seen through counting elements, hit tests, and the layout of
// Border and Canvas.
#include <gtest/gtest.h>

#include "MarkupTestSupport.h"
#include "toolkit/markup/drawing/XTPMarkupDrawingContext.h"
#include "toolkit/markup/elements/XTPMarkupControls.h"
#include "toolkit/markup/elements/XTPMarkupPanel.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

namespace
{
// A framework element that counts the protocol's calls and reports a chosen size.
class CountingElement : public CXTPMarkupFrameworkElement
{
public:
    int nMeasures = 0;
    int nArranges = 0;
    int nRenders = 0;
    SIZE szWanted = {0, 0};
    SIZE szArrangeResult = {-1, -1}; // -1: the size given
    SIZE szLastAvailable = {0, 0};

protected:
    SIZE MeasureOverride(CXTPMarkupDrawingContext*, int nWidth, int nHeight) override
    {
        nMeasures++;
        szLastAvailable = {nWidth, nHeight};
        return szWanted;
    }
    SIZE ArrangeOverride(SIZE sz) override
    {
        nArranges++;
        return szArrangeResult.cx < 0 ? sz : szArrangeResult;
    }
    void OnRender(CXTPMarkupDrawingContext*) override { nRenders++; }
};

class MarkupLayout : public MarkupTest
{
protected:
    // Measures with the slot's size and arranges into it.
    void Layout(CXTPMarkupUIElement* pElement, RECT rcSlot)
    {
        CXTPMarkupDrawingContext dc(m_pContext);
        pElement->Measure(&dc, rcSlot.right - rcSlot.left, rcSlot.bottom - rcSlot.top);
        pElement->Arrange(rcSlot);
    }
    static CXTPMarkupUIElement* Root(const MarkupParse& result)
    {
        EXPECT_TRUE(result.pRoot) << result.strError;
        return static_cast<CXTPMarkupUIElement*>(result.pRoot);
    }
    // A memory surface to render into (what is drawn does not matter here).
    void RenderOn(CXTPMarkupUIElement* pElement, int cx, int cy)
    {
        HDC hdcScreen = GetDC(nullptr);
        HDC hdc = CreateCompatibleDC(hdcScreen);
        HBITMAP hbm = CreateCompatibleBitmap(hdcScreen, cx, cy);
        ReleaseDC(nullptr, hdcScreen);
        HGDIOBJ hOld = SelectObject(hdc, hbm);
        {
            CXTPMarkupDrawingContext dc(m_pContext, hdc);
            pElement->Render(&dc);
        }
        SelectObject(hdc, hOld);
        DeleteObject(hbm);
        DeleteDC(hdc);
    }
};

struct LayoutCase
{
    const char* pszName;
    const char* pszMarkup;
    RECT rcSlot;
    SIZE szDesired;
    POINT ptOffset;
    SIZE szRender;
    BOOL bNeedsClip;
};

TEST_F(MarkupLayout, FrameworkElementPlacesItselfInItsSlot)
{
    const LayoutCase cases[] = {
        {"no height", "<Border/>", {0, 0, 200, 100}, {0, 0}, {0, 0}, {200, 100}, FALSE},
        {"Auto height is no height", "<Border Height='Auto'/>", {0, 0, 200, 100}, {0, 0}, {0, 0}, {200, 100}, FALSE},
        {"MinWidth above MaxWidth", "<Border MinWidth='80' MaxWidth='40' HorizontalAlignment='Left'/>",
         {0, 0, 200, 100}, {80, 0}, {0, 0}, {80, 100}, FALSE},
        // The flag is set (the slot is wider than the maximum) but no clip rectangle results.
        {"Width 50 stretched in 200 is centred", "<Border Width='50'/>", {0, 0, 200, 100}, {50, 0}, {75, 0},
         {50, 100}, TRUE},
        {"wider than the slot sits at the left, clipped", "<Border Width='300'/>", {0, 0, 200, 100}, {200, 0},
         {0, 0}, {300, 100}, TRUE},
        {"margin moves the element", "<Border Margin='5,6,7,8' Width='10' Height='10' HorizontalAlignment='Left' "
                                     "VerticalAlignment='Top'/>",
         {10, 20, 200, 100}, {22, 24}, {15, 26}, {10, 10}, FALSE},
        {"negative margin: desired 0, clipped", "<Border Margin='-10'/>", {0, 0, 5, 5}, {0, 0}, {-10, -10},
         {25, 25}, TRUE},
        {"Right alignment", "<Border Width='30' HorizontalAlignment='Right' VerticalAlignment='Bottom' Height='10'/>",
         {0, 0, 100, 50}, {30, 10}, {70, 40}, {30, 10}, FALSE},
        {"padding and border thickness add to the child",
         "<Border Padding='3' BorderThickness='2' HorizontalAlignment='Left' VerticalAlignment='Top'>"
         "<Border Width='10' Height='4'/></Border>",
         {0, 0, 100, 100}, {20, 14}, {0, 0}, {20, 14}, FALSE},
    };
    for (const LayoutCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        MarkupParse result = Parse(c.pszMarkup);
        CXTPMarkupFrameworkElement* pElement = static_cast<CXTPMarkupFrameworkElement*>(Root(result));
        if (!pElement)
            continue;
        Layout(pElement, c.rcSlot);
        EXPECT_EQ(c.szDesired.cx, pElement->GetDesiredSize().cx);
        EXPECT_EQ(c.szDesired.cy, pElement->GetDesiredSize().cy);
        EXPECT_EQ(c.ptOffset.x, pElement->GetVisualOffset().x);
        EXPECT_EQ(c.ptOffset.y, pElement->GetVisualOffset().y);
        EXPECT_EQ(c.szRender.cx, pElement->GetRenderSize().cx);
        EXPECT_EQ(c.szRender.cy, pElement->GetRenderSize().cy);
        EXPECT_EQ(c.bNeedsClip, pElement->NeedsClip());
    }
}

TEST_F(MarkupLayout, AnUnboundedSizeStaysUnboundedThroughAMargin)
{
    CountingElement* pElement = new CountingElement();
    pElement->SetValue(CXTPMarkupFrameworkElement::m_pMarginProperty, new CXTPMarkupThickness(5));
    CXTPMarkupDrawingContext dc(m_pContext);
    pElement->Measure(&dc, XTP_MARKUP_UNBOUNDED, XTP_MARKUP_UNBOUNDED);
    EXPECT_EQ(XTP_MARKUP_UNBOUNDED, pElement->szLastAvailable.cx);
    EXPECT_EQ(XTP_MARKUP_UNBOUNDED, pElement->szLastAvailable.cy);
    pElement->Measure(&dc, 100, 50);
    EXPECT_EQ(90, pElement->szLastAvailable.cx);
    EXPECT_EQ(40, pElement->szLastAvailable.cy);
    EXPECT_EQ(0, CXTPMarkupFrameworkElement::SubtractMargin(5, 10));
    EXPECT_EQ(XTP_MARKUP_UNBOUNDED, CXTPMarkupFrameworkElement::SubtractMargin(0x40000000, 10));
    pElement->Release();
}

TEST_F(MarkupLayout, AlignmentOffsetsHalveTowardZero)
{
    MarkupParse result = Parse("<Border HorizontalAlignment='Center' VerticalAlignment='Stretch'/>");
    CXTPMarkupFrameworkElement* pElement = static_cast<CXTPMarkupFrameworkElement*>(Root(result));
    ASSERT_TRUE(pElement);
    EXPECT_EQ(2, pElement->ComputeAlignmentOffset(10, 10, 5, 10).x);
    EXPECT_EQ(-1, pElement->ComputeAlignmentOffset(10, 10, 13, 10).x);
    // Stretch centres a smaller ink box and puts a larger one at the top.
    EXPECT_EQ(2, pElement->ComputeAlignmentOffset(10, 10, 10, 5).y);
    EXPECT_EQ(0, pElement->ComputeAlignmentOffset(10, 10, 10, 13).y);
}

TEST_F(MarkupLayout, ClipRectangleForTheMaximumSizeAndForTheSlot)
{
    // The element draws wider than its MaxWidth inside a roomy slot: clipped to the maximum size.
    CountingElement* pWide = new CountingElement();
    pWide->szArrangeResult = {80, 20};
    pWide->SetValue(CXTPMarkupFrameworkElement::m_pMaxWidthProperty, new CXTPMarkupInt(40));
    Layout(pWide, {0, 0, 200, 100});
    RECT rc = {};
    ASSERT_TRUE(pWide->GetClipRect(rc));
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(40, rc.right);
    EXPECT_EQ(20, rc.bottom);
    pWide->Release();

    // Wider than the slot: clipped to the slot (the element sits at its left edge).
    MarkupParse result = Parse("<Border Width='300'/>");
    CXTPMarkupUIElement* pElement = Root(result);
    ASSERT_TRUE(pElement);
    Layout(pElement, {0, 0, 200, 100});
    ASSERT_TRUE(pElement->GetClipRect(rc));
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(200, rc.right);
    EXPECT_EQ(100, rc.bottom);

    // Fitting elements do not clip; ClipToBounds clips to the slot.
    MarkupParse fits = Parse("<Border Width='50'/>");
    Layout(Root(fits), {0, 0, 200, 100});
    EXPECT_FALSE(Root(fits)->GetClipRect(rc));
    MarkupParse bounded = Parse("<Border Width='50' ClipToBounds='True'/>");
    Layout(Root(bounded), {0, 0, 200, 100});
    ASSERT_TRUE(Root(bounded)->GetClipRect(rc));
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(50, rc.right);
}

// A canvas with counting children placed by Canvas.Left and Canvas.Top.
class MarkupProtocol : public MarkupLayout
{
protected:
    CountingElement* AddChild(CXTPMarkupCanvas* pCanvas, int x, int y, int cx, int cy)
    {
        CountingElement* pChild = new CountingElement();
        pChild->szWanted = {cx, cy};
        pChild->SetValue(CXTPMarkupCanvas::m_pLeftProperty, new CXTPMarkupInt(x));
        pChild->SetValue(CXTPMarkupCanvas::m_pTopProperty, new CXTPMarkupInt(y));
        pCanvas->GetChildren()->Add(pChild);
        return pChild;
    }
    static void SetVisibility(CXTPMarkupUIElement* pElement, int nVisibility)
    {
        pElement->SetValue(CXTPMarkupUIElement::m_pVisibilityProperty, CXTPMarkupEnum::CreateValue(nVisibility));
    }
};

TEST_F(MarkupProtocol, CollapsedAndHiddenElements)
{
    CXTPMarkupCanvas* pCanvas = new CXTPMarkupCanvas();
    CountingElement* pCollapsed = AddChild(pCanvas, 0, 0, 30, 30);
    CountingElement* pHidden = AddChild(pCanvas, 40, 0, 30, 30);
    CountingElement* pVisible = AddChild(pCanvas, 80, 0, 10, 10);
    SetVisibility(pCollapsed, 2);
    SetVisibility(pHidden, 1);
    Layout(pCanvas, {0, 0, 100, 100});
    RenderOn(pCanvas, 100, 100);

    EXPECT_EQ(0, pCollapsed->nMeasures);
    EXPECT_EQ(0, pCollapsed->GetDesiredSize().cx);
    EXPECT_EQ(0, pCollapsed->GetDesiredSize().cy);
    EXPECT_EQ(0, pCollapsed->nArranges);
    EXPECT_EQ(0, pCollapsed->nRenders);

    EXPECT_EQ(30, pHidden->GetDesiredSize().cx);
    EXPECT_EQ(1, pHidden->nArranges);
    EXPECT_EQ(30, pHidden->GetRenderSize().cx);
    EXPECT_EQ(0, pHidden->nRenders);
    EXPECT_EQ(nullptr, pCanvas->InputHitTest({45, 5}));

    EXPECT_EQ(1, pVisible->nRenders);
    EXPECT_EQ(pVisible, pCanvas->InputHitTest({85, 5}));
    pCanvas->Release();
}

TEST_F(MarkupProtocol, EqualMeasuresAndArrangesRunOnce)
{
    CountingElement* pElement = new CountingElement();
    pElement->szWanted = {10, 10};
    CXTPMarkupDrawingContext dc(m_pContext);
    pElement->Measure(&dc, 100, 100);
    pElement->Measure(&dc, 100, 100);
    EXPECT_EQ(1, pElement->nMeasures);
    pElement->Measure(&dc, 90, 100);
    EXPECT_EQ(2, pElement->nMeasures);

    pElement->Arrange({0, 0, 50, 50});
    pElement->Arrange({0, 0, 50, 50});
    EXPECT_EQ(1, pElement->nArranges);
    pElement->Arrange({0, 0, 60, 50});
    EXPECT_EQ(2, pElement->nArranges);
    // A measure in between makes the same rectangle arrange again.
    pElement->Measure(&dc, 80, 100);
    pElement->Arrange({0, 0, 60, 50});
    EXPECT_EQ(3, pElement->nArranges);
    pElement->Release();
}

TEST_F(MarkupProtocol, ArrangeMeasuresADirtyElementFirst)
{
    CountingElement* pElement = new CountingElement();
    pElement->Arrange({0, 0, 40, 30});
    EXPECT_EQ(1, pElement->nMeasures);
    EXPECT_EQ(40, pElement->szLastAvailable.cx);
    EXPECT_EQ(1, pElement->nArranges);
    EXPECT_FALSE(pElement->IsMeasureDirty());
    EXPECT_FALSE(pElement->IsArrangeDirty());
    pElement->Release();
}

TEST_F(MarkupProtocol, ChildOutsideItsParentCountsForBoundsAndHits)
{
    CXTPMarkupCanvas* pCanvas = new CXTPMarkupCanvas();
    pCanvas->SetValue(CXTPMarkupCanvas::m_pWidthProperty, new CXTPMarkupInt(100));
    pCanvas->SetValue(CXTPMarkupCanvas::m_pHeightProperty, new CXTPMarkupInt(100));
    CountingElement* pOutside = AddChild(pCanvas, 150, 10, 20, 20);
    Layout(pCanvas, {0, 0, 100, 100});
    RECT rcBounds = pCanvas->GetBoundRect();
    EXPECT_EQ(170, rcBounds.right);
    EXPECT_EQ(100, rcBounds.bottom);
    EXPECT_EQ(pOutside, pCanvas->InputHitTest({160, 15}));
    EXPECT_EQ(nullptr, pCanvas->InputHitTest({175, 15}));
    RenderOn(pCanvas, 200, 100);
    EXPECT_EQ(1, pOutside->nRenders);
    // A clip box that misses the child skips it.
    RenderOn(pCanvas, 120, 100);
    EXPECT_EQ(1, pOutside->nRenders);
    pCanvas->Release();
}

TEST_F(MarkupProtocol, TheLaterOfTwoOverlappingChildrenIsHit)
{
    CXTPMarkupCanvas* pCanvas = new CXTPMarkupCanvas();
    CountingElement* pFirst = AddChild(pCanvas, 0, 0, 50, 50);
    CountingElement* pSecond = AddChild(pCanvas, 25, 25, 50, 50);
    Layout(pCanvas, {0, 0, 100, 100});
    EXPECT_EQ(pSecond, pCanvas->InputHitTest({30, 30}));
    EXPECT_EQ(pFirst, pCanvas->InputHitTest({10, 10}));
    EXPECT_EQ(pSecond, pCanvas->InputHitTest({60, 60}));
    // The canvas has no Background: its own area lets points through.
    EXPECT_EQ(nullptr, pCanvas->InputHitTest({90, 5}));
    pCanvas->Release();
}

TEST_F(MarkupLayout, BorderAndPanelAreHitOnlyWithABackground)
{
    const struct
    {
        const char* pszMarkup;
        bool bHit;
    } cases[] = {
        {"<Border Width='20' Height='20'/>", false},
        {"<Border Width='20' Height='20' BorderBrush='Red' BorderThickness='2'/>", false},
        {"<Border Width='20' Height='20' Background='Red'/>", true},
        {"<Canvas Width='20' Height='20'/>", false},
        {"<Canvas Width='20' Height='20' Background='Red'/>", true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszMarkup);
        MarkupParse result = Parse(c.pszMarkup);
        CXTPMarkupUIElement* pElement = Root(result);
        ASSERT_TRUE(pElement);
        Layout(pElement, {0, 0, 20, 20});
        EXPECT_EQ(c.bHit ? pElement : nullptr, pElement->InputHitTest({10, 10}));
    }
}

TEST_F(MarkupLayout, CanvasPlacesItsChildren)
{
    MarkupParse result = Parse("<Canvas>"
                               "<Border Canvas.Right='10' Width='30' Height='5'/>"
                               "<Border Canvas.Left='4' Canvas.Right='10' Width='30' Height='5'/>"
                               "<Border Canvas.Bottom='10' Width='30' Height='5'/>"
                               "<Border Canvas.Top='7' Canvas.Bottom='10' Width='30' Height='5'/>"
                               "<Border Width='30' Height='5'/>"
                               "</Canvas>");
    CXTPMarkupCanvas* pCanvas = static_cast<CXTPMarkupCanvas*>(Root(result));
    ASSERT_TRUE(pCanvas);
    Layout(pCanvas, {0, 0, 100, 50});
    EXPECT_EQ(0, pCanvas->GetDesiredSize().cx);
    EXPECT_EQ(0, pCanvas->GetDesiredSize().cy);
    const POINT expected[] = {{60, 0}, {4, 0}, {0, 35}, {0, 7}, {0, 0}};
    for (int i = 0; i < 5; i++)
    {
        SCOPED_TRACE(i);
        CXTPMarkupUIElement* pChild = pCanvas->GetChildren()->GetElement(i);
        EXPECT_EQ(expected[i].x, pChild->GetVisualOffset().x);
        EXPECT_EQ(expected[i].y, pChild->GetVisualOffset().y);
        EXPECT_EQ(30, pChild->GetRenderSize().cx);
    }
}

TEST_F(MarkupLayout, PropertyChangesInvalidateTheLayout)
{
    MarkupParse result = Parse("<Border Width='100' Height='100'>"
                               "<Border Width='10' Height='10' HorizontalAlignment='Left'/></Border>");
    CXTPMarkupDecorator* pRoot = static_cast<CXTPMarkupDecorator*>(Root(result));
    ASSERT_TRUE(pRoot);
    Layout(pRoot, {0, 0, 100, 100});
    CXTPMarkupUIElement* pChild = pRoot->GetChild();
    EXPECT_EQ(0, pChild->GetVisualOffset().x);
    // An alignment re-arranges the element at once.
    pChild->SetValue(CXTPMarkupFrameworkElement::m_pHorizontalAlignmentProperty, CXTPMarkupEnum::CreateValue(2));
    EXPECT_EQ(90, pChild->GetVisualOffset().x);
    // A width re-measures the child; the parent keeps its size, so it arranges again in place.
    pChild->SetValue(CXTPMarkupFrameworkElement::m_pWidthProperty, new CXTPMarkupInt(30));
    EXPECT_EQ(30, pChild->GetDesiredSize().cx);
    EXPECT_EQ(30, pChild->GetRenderSize().cx);
    EXPECT_EQ(70, pChild->GetVisualOffset().x);
    EXPECT_EQ(100, pRoot->GetDesiredSize().cx);
}
} // namespace
