// Single-child elements and controls: the decorator with Border, Page and WindowContainer; Control,
// the content control with its Content rules, the buttons, toggle buttons, and the scroll viewer
// with its bar and gripper. Border lays out and draws; the layout, drawing and input of the others
// are not built yet.
#pragma once

#include "toolkit/markup/elements/XTPMarkupUIElement.h"

class CXTPMarkupRoutedEvent;
class CXTPMarkupBrush;

// One child element; content from the markup becomes the child.
class CXTPMarkupDecorator : public CXTPMarkupFrameworkElement
{
public:
    CXTPMarkupDecorator();
    CXTPMarkupUIElement* GetChild() const { return m_pChild; }
    // Replaces the child (one reference taken over; the old one released).
    void SetChild(CXTPMarkupUIElement* pChild);
    int GetVisualChildrenCount() const override;
    CXTPMarkupVisual* GetVisualChild(int nIndex) const override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;

protected:
    ~CXTPMarkupDecorator() override;
    CXTPMarkupUIElement* m_pChild;
};

class CXTPMarkupBorder : public CXTPMarkupDecorator
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupBorder)
public:
    CXTPMarkupBorder();

    CXTPMarkupBrush* GetBackground() const;
    CXTPMarkupBrush* GetBorderBrush() const;
    CXTPMarkupThickness* GetBorderThickness() const; // never null
    CXTPMarkupThickness* GetPadding() const;         // never null
    CXTPMarkupThickness* GetCornerRadius() const;    // never null

    // Transparent without a Background.
    CXTPMarkupInputElement* HitTestSelf(POINT pt) const override;
    // The frame first, then the background inside it (rounded with a CornerRadius).
    void OnRender(CXTPMarkupDrawingContext* pDC) override;

protected:
    SIZE MeasureOverride(CXTPMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinalSize) override;

public:
    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;
    static CXTPMarkupDependencyProperty* m_pPaddingProperty;
    static CXTPMarkupDependencyProperty* m_pBorderThicknessProperty;
    static CXTPMarkupDependencyProperty* m_pBorderBrushProperty;
    static CXTPMarkupDependencyProperty* m_pCornerRadiusProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupPage : public CXTPMarkupDecorator
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupPage)
public:
    CXTPMarkupPage();
};

class CXTPMarkupWindowContainer : public CXTPMarkupFrameworkElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupWindowContainer)
public:
    CXTPMarkupWindowContainer();
    HWND GetChildWindow() const { return m_hWndChild; }
    void SetChildWindow(HWND hWnd, SIZE szDesired);

private:
    HWND m_hWndChild;
    SIZE m_szDesired;
};

class CXTPMarkupControl : public CXTPMarkupFrameworkElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupControl)
public:
    CXTPMarkupControl();
    // Border's Padding, Panel's Background and TextElement's Foreground, with Control as owner.
    static CXTPMarkupDependencyProperty* m_pPaddingProperty;
    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;
    static CXTPMarkupDependencyProperty* m_pForegroundProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupContentControl : public CXTPMarkupControl
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupContentControl)
public:
    CXTPMarkupContentControl();
    CXTPMarkupUIElement* GetContent() const;
    // Text becomes a TextBlock; a UI element becomes the Content; one child only.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CXTPMarkupVisual* GetVisualChild(int nIndex) const override;

    static CXTPMarkupDependencyProperty* m_pContentProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupButtonBase : public CXTPMarkupContentControl
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupButtonBase)
public:
    CXTPMarkupButtonBase();
    static CXTPMarkupRoutedEvent* m_pClickEvent;
    static CXTPMarkupDependencyProperty* m_pIsPressedProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupButton : public CXTPMarkupButtonBase
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupButton)
public:
    CXTPMarkupButton();
};

class CXTPMarkupToggleButton : public CXTPMarkupButtonBase
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupToggleButton)
public:
    CXTPMarkupToggleButton();
    static CXTPMarkupRoutedEvent* m_pCheckedEvent;
    static CXTPMarkupRoutedEvent* m_pUncheckedEvent;
    static CXTPMarkupRoutedEvent* m_pIndeterminateEvent;
    static CXTPMarkupDependencyProperty* m_pIsCheckedProperty;
    static CXTPMarkupDependencyProperty* m_pIsThreeStateProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupCheckBox : public CXTPMarkupToggleButton
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupCheckBox)
public:
    CXTPMarkupCheckBox();
};

class CXTPMarkupRadioButton : public CXTPMarkupToggleButton
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupRadioButton)
public:
    CXTPMarkupRadioButton();
};

class CXTPMarkupScrollBar : public CXTPMarkupControl
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupScrollBar)
public:
    CXTPMarkupScrollBar();
    int GetOrientation() const { return m_nOrientation; }
    void SetOrientation(int nOrientation) { m_nOrientation = nOrientation; }

private:
    int m_nOrientation; // 1 vertical, 0 horizontal
};

class CXTPMarkupScrollBarGripper : public CXTPMarkupUIElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupScrollBarGripper)
public:
    CXTPMarkupScrollBarGripper();
};

class CXTPMarkupScrollViewer : public CXTPMarkupContentControl
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupScrollViewer)
public:
    CXTPMarkupScrollViewer();
    static CXTPMarkupDependencyProperty* m_pVerticalScrollBarVisibilityProperty;
    static CXTPMarkupDependencyProperty* m_pHorizontalScrollBarVisibilityProperty;
    static void RegisterMarkupProperties();
};
