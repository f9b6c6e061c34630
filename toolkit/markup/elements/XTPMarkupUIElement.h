// The visual element classes: CXTPMarkupVisual (place on the surface, bounds, the render and
// hit-test walks), CXTPMarkupUIElement (the measure and arrange protocol with its dirty flags and
// invalidation) and CXTPMarkupFrameworkElement (margins, explicit and min/max sizes, alignment in
// the layout slot, the clip that keeps an element in its slot). CXTPMarkupKeyboardNavigation owns
// the attached tab properties.
#pragma once

#include "toolkit/markup/elements/XTPMarkupInputElement.h"

class CXTPMarkupThickness;

class CXTPMarkupDrawingContext;

// The unbounded (or unset) layout size.
#define XTP_MARKUP_UNBOUNDED 0x7FFFFFFF

class CXTPMarkupVisual : public CXTPMarkupInputElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupVisual)
public:
    CXTPMarkupVisual();
    // The logical children of a visual are its visual children.
    int GetLogicalChildrenCount() const override;
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;
    virtual int GetVisualChildrenCount() const;
    virtual CXTPMarkupVisual* GetVisualChild(int nIndex) const;
    // TRUE with a rectangle in the element's own coordinates when drawing and hits are clipped.
    virtual BOOL GetClipRect(RECT& rc) const;
    virtual void OnRender(CXTPMarkupDrawingContext* pDC);
    virtual void OnRenderFocusVisual(CXTPMarkupDrawingContext* pDC);
    // The element hit inside its render area: itself here; null lets the point through.
    virtual CXTPMarkupInputElement* HitTestSelf(POINT pt) const;
    // Called instead of rendering a subtree that lies outside the clip; passed to the children.
    virtual void OnRenderSkipped(CXTPMarkupDrawingContext* pDC);

    // Draws the element and its visual children (later children over earlier ones).
    void Render(CXTPMarkupDrawingContext* pDC);
    // The deepest element under the point (in the visual parent's coordinates), or null.
    CXTPMarkupInputElement* InputHitTest(POINT pt) const;
    // The nearest logical ancestor that is a visual.
    CXTPMarkupVisual* GetVisualParent() const;

    POINT GetVisualOffset() const { return m_ptVisualOffset; }
    SIZE GetRenderSize() const { return m_szRenderSize; }
    // The render area united with the children's bounds, in the element's own coordinates.
    RECT GetBoundRect() const { return m_rcBoundRect; }

protected:
    void UpdateBoundRect();

    POINT m_ptVisualOffset;
    SIZE m_szRenderSize;
    RECT m_rcBoundRect;
};

class CXTPMarkupUIElement : public CXTPMarkupVisual
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupUIElement)
public:
    CXTPMarkupUIElement();

    BOOL GetClipRect(RECT& rc) const override;

    // Nonzero when the drawing context asks to be measured again every time.
    int Measure(CXTPMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight);
    void Arrange(const RECT& rcFinalRect);
    SIZE GetDesiredSize() const { return m_szDesiredSize; }
    RECT GetFinalRect() const { return m_rcFinalRect; }
    BOOL IsMeasureDirty() const { return m_bMeasureDirty; }
    BOOL IsArrangeDirty() const { return m_bArrangeDirty; }
    // 2 for Collapsed, 1 for Hidden, 0 for Visible.
    int GetVisibility() const;
    BOOL IsVisible() const { return GetVisibility() == 0; }

    virtual void InvalidateArrange();
    // Asks the context to repaint the element.
    virtual void InvalidateVisual();
    virtual void InvalidateMeasure();

protected:
    // Sets the render size to the rectangle's size.
    virtual void ArrangeElement(const RECT& rcFinalRect);
    virtual SIZE MeasureElement(CXTPMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight);

public:
    // Measures again with the previous available size; a changed desired size goes on to the parent
    // (the context re-lays out everything at the root).
    virtual void InvalidateMeasureInContext(CXTPMarkupDrawingContext* pDC);

protected:
    SIZE m_szDesiredSize;
    RECT m_rcFinalRect;
    BOOL m_bMeasureDirty;
    BOOL m_bArrangeDirty;
    BOOL m_bMeasuredSinceArrange;
    BOOL m_bDrawingContextDemandsMeasure;
    BOOL m_bInMeasure;
    BOOL m_bInArrange;
    BOOL m_bLayoutInvalidated;
    SIZE m_szPreviousAvailableSize;

public:
    static CXTPMarkupDependencyProperty* m_pClipToBoundsProperty;
    static CXTPMarkupDependencyProperty* m_pVisibilityProperty;
    static CXTPMarkupDependencyProperty* m_pFocusableProperty;
    static CXTPMarkupDependencyProperty* m_pIsEnabledProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupFrameworkElement : public CXTPMarkupUIElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupFrameworkElement)
public:
    CXTPMarkupFrameworkElement();

    // The base handling, then flag 4 re-measures, flag 2 re-arranges, flag 0x20 repaints.
    void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                           CXTPMarkupObject* pNewValue) override;
    BOOL GetClipRect(RECT& rc) const override;

    // The offset of an ink box in a client box by the element's alignments (Stretch centres, and
    // becomes Left or Top when the ink is larger).
    POINT ComputeAlignmentOffset(int nClientWidth, int nClientHeight, int nInkWidth, int nInkHeight) const;
    // Never null: the shared zero thickness when unset.
    CXTPMarkupThickness* GetMargin() const;
    int GetHorizontalAlignment() const; // 3 (Stretch) when unset
    int GetVerticalAlignment() const;
    BOOL GetClipToBounds() const;
    BOOL NeedsClip() const { return m_bNeedsClip; }

    // Available minus the margin, 0 at the least, unbounded when either side is near unbounded.
    static int SubtractMargin(int nAvailable, int nMargin);

    // The effective limits, refreshed at every measure.
    struct MINMAX
    {
        int nMaxHeight;
        int nMinHeight;
        int nMaxWidth;
        int nMinWidth;
    };
    const MINMAX& GetMinMax() const { return m_mmLimits; }

protected:
    void ArrangeElement(const RECT& rcFinalRect) override;
    SIZE MeasureElement(CXTPMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    // The content's size in the element's own space, margins excluded: 0 x 0 here.
    virtual SIZE MeasureOverride(CXTPMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight);
    // The size actually used: the size given, here.
    virtual SIZE ArrangeOverride(SIZE szFinalSize);

    void UpdateMinMax();

    BOOL m_bNeedsClip;
    BOOL m_bUnclippedDesiredSize;
    SIZE m_szUnclippedDesiredSize;
    MINMAX m_mmLimits;

public:
    static CXTPMarkupDependencyProperty* m_pMarginProperty;
    static CXTPMarkupDependencyProperty* m_pHorizontalAlignmentProperty;
    static CXTPMarkupDependencyProperty* m_pVerticalAlignmentProperty;
    static CXTPMarkupDependencyProperty* m_pWidthProperty;
    static CXTPMarkupDependencyProperty* m_pHeightProperty;
    static CXTPMarkupDependencyProperty* m_pMinWidthProperty;
    static CXTPMarkupDependencyProperty* m_pMinHeightProperty;
    static CXTPMarkupDependencyProperty* m_pMaxWidthProperty;
    static CXTPMarkupDependencyProperty* m_pMaxHeightProperty;
    static CXTPMarkupDependencyProperty* m_pTagProperty;
    // A resource dictionary (the content element is its second owner).
    static CXTPMarkupDependencyProperty* m_pResourcesProperty;
    static void RegisterMarkupProperties();

protected:
    // The one-child content rule of decorators, pages and content controls: a UI element goes
    // into pSlot (one reference, logical parent this); a second child or any other object is a
    // build error.
    void SetSingleChild(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent, CXTPMarkupUIElement*& pSlot);
};

// Puts pChild (one reference taken over, may be null) into a one-child slot of pParent: the child
// held before loses its logical parent and a reference, the new one gets pParent as parent.
void XTPMarkupSetChild(CXTPMarkupObject* pParent, CXTPMarkupUIElement*& pSlot, CXTPMarkupUIElement* pChild);

class CXTPMarkupKeyboardNavigation : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupKeyboardNavigation)
public:
    CXTPMarkupKeyboardNavigation();

    static CXTPMarkupDependencyProperty* m_pIsTabStopProperty;
    static CXTPMarkupDependencyProperty* m_pTabNavigationProperty;
    static CXTPMarkupDependencyProperty* m_pTabIndexProperty;
    static void RegisterMarkupProperties();
};
