// The visual element classes: CXTPMarkupVisual, CXTPMarkupUIElement with its properties, and
// CXTPMarkupFrameworkElement with margins, alignment, sizes, Tag and Resources. Measuring,
// arranging and drawing are not built yet: the layout and drawing slots keep their base answers.
// CXTPMarkupKeyboardNavigation owns the attached tab properties.
#pragma once

#include "toolkit/markup/elements/XTPMarkupInputElement.h"

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
};

class CXTPMarkupUIElement : public CXTPMarkupVisual
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupUIElement)
public:
    CXTPMarkupUIElement();

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
