// Panels and their children: the UI element collection, the panel base with its Background, the
// layout panels (StackPanel, WrapPanel, DockPanel, UniformGrid, Canvas) with their properties,
// and Image. The panel base draws its Background and Canvas lays out; the other panels and Image
// keep the framework element's layout (not built yet).
#pragma once

#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/objects/XTPMarkupCollection.h"

class CXTPMarkupBrush;

class CXTPMarkupUIElementCollection : public CXTPMarkupCollection
{
public:
    CXTPMarkupUIElementCollection();
    CXTPMarkupUIElement* GetElement(int nIndex) const { return static_cast<CXTPMarkupUIElement*>(GetItem(nIndex)); }

protected:
    // A change re-measures the owning element.
    void OnChanged() override;
};

class CXTPMarkupPanel : public CXTPMarkupFrameworkElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPanel)
public:
    CXTPMarkupPanel();

    CXTPMarkupUIElementCollection* GetChildren() const { return m_pChildren; }
    int GetVisualChildrenCount() const override;
    CXTPMarkupVisual* GetVisualChild(int nIndex) const override;
    // UI elements between the panel's tags are appended to its children.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;

    CXTPMarkupBrush* GetBackground() const;
    // Fills the render area with the Background.
    void OnRender(CXTPMarkupDrawingContext* pDC) override;
    // Transparent without a Background.
    CXTPMarkupInputElement* HitTestSelf(POINT pt) const override;

    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;
    static void RegisterMarkupProperties();

protected:
    ~CXTPMarkupPanel() override;

    CXTPMarkupUIElementCollection* m_pChildren;
};

class CXTPMarkupStackPanel : public CXTPMarkupPanel
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupStackPanel)
public:
    CXTPMarkupStackPanel();
    static CXTPMarkupDependencyProperty* m_pOrientationProperty; // default Vertical (1)
    static void RegisterMarkupProperties();
};

class CXTPMarkupWrapPanel : public CXTPMarkupPanel
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupWrapPanel)
public:
    CXTPMarkupWrapPanel();
    static CXTPMarkupDependencyProperty* m_pOrientationProperty; // default Horizontal (0)
    static CXTPMarkupDependencyProperty* m_pItemHeightProperty;
    static CXTPMarkupDependencyProperty* m_pItemWidthProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupDockPanel : public CXTPMarkupPanel
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupDockPanel)
public:
    CXTPMarkupDockPanel();
    static CXTPMarkupDependencyProperty* m_pLastChildFillProperty;
    static CXTPMarkupDependencyProperty* m_pDockProperty; // attached
    static void RegisterMarkupProperties();
};

class CXTPMarkupUniformGrid : public CXTPMarkupPanel
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupUniformGrid)
public:
    CXTPMarkupUniformGrid();
    static CXTPMarkupDependencyProperty* m_pFirstColumnProperty;
    static CXTPMarkupDependencyProperty* m_pColumnsProperty;
    static CXTPMarkupDependencyProperty* m_pRowsProperty;
    static void RegisterMarkupProperties();

private:
    int m_nColumns;
    int m_nRows;
    int m_nFirstColumn;
};

class CXTPMarkupCanvas : public CXTPMarkupPanel
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupCanvas)
public:
    CXTPMarkupCanvas();

protected:
    // Every child at its desired size with nothing bounding it; the canvas itself wants 0 x 0.
    SIZE MeasureOverride(CXTPMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    // Left beats Right, Top beats Bottom; a child with neither sits at 0.
    SIZE ArrangeOverride(SIZE szFinalSize) override;

public:
    // Attached, no default.
    static CXTPMarkupDependencyProperty* m_pTopProperty;
    static CXTPMarkupDependencyProperty* m_pRightProperty;
    static CXTPMarkupDependencyProperty* m_pLeftProperty;
    static CXTPMarkupDependencyProperty* m_pBottomProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupImage : public CXTPMarkupFrameworkElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupImage)
public:
    CXTPMarkupImage();
    static CXTPMarkupDependencyProperty* m_pSourceProperty;
    static CXTPMarkupDependencyProperty* m_pStretchProperty;
    static void RegisterMarkupProperties();
};
