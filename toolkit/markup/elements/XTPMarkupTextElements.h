// Text content: the content elements (runs, line breaks, spans, bold, italic, underline,
// hyperlinks, embedded UI elements) with the nine inheriting text properties, the inline collection
// with its conversions, and the TextBlock that holds them. Text layout and drawing are not built yet.
#pragma once

#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/objects/XTPMarkupCollection.h"

class CXTPMarkupInlineCollection;

class CXTPMarkupFrameworkContentElement : public CXTPMarkupInputElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupFrameworkContentElement)
public:
    CXTPMarkupFrameworkContentElement();
    // The framework element's Tag and Resources with this class as second owner.
    static CXTPMarkupDependencyProperty* m_pTagProperty;
    static CXTPMarkupDependencyProperty* m_pResourcesProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupTextElement : public CXTPMarkupFrameworkContentElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupTextElement)
public:
    CXTPMarkupTextElement();
    // Attached and inheriting: any element may carry them for the content below it.
    static CXTPMarkupDependencyProperty* m_pBackgroundProperty;
    static CXTPMarkupDependencyProperty* m_pForegroundProperty;
    static CXTPMarkupDependencyProperty* m_pFontSizeProperty;
    static CXTPMarkupDependencyProperty* m_pFontWeightProperty;
    static CXTPMarkupDependencyProperty* m_pFontFamilyProperty;
    static CXTPMarkupDependencyProperty* m_pFontStyleProperty;
    static CXTPMarkupDependencyProperty* m_pTextDecorationsProperty;
    static CXTPMarkupDependencyProperty* m_pFontQualityProperty;
    static CXTPMarkupDependencyProperty* m_pFontCharsetProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupInline : public CXTPMarkupTextElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupInline)
public:
    CXTPMarkupInline();
    int GetIndex() const { return m_nIndex; }
    void SetIndex(int nIndex) { m_nIndex = nIndex; }
    static CXTPMarkupDependencyProperty* m_pBaselineAlignmentProperty;
    static void RegisterMarkupProperties();

private:
    int m_nIndex;
};

class CXTPMarkupRun : public CXTPMarkupInline
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupRun)
public:
    CXTPMarkupRun();
    LPCWSTR GetText() const; // "" when unset
    // Text becomes "Text"; anything else is refused.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    static CXTPMarkupDependencyProperty* m_pTextProperty;
    static void RegisterMarkupProperties();
};

class CXTPMarkupLineBreak : public CXTPMarkupRun
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupLineBreak)
public:
    CXTPMarkupLineBreak(); // Text is one line feed
};

class CXTPMarkupInlineCollection : public CXTPMarkupCollection
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupInlineCollection)
public:
    CXTPMarkupInlineCollection();
    CXTPMarkupInline* GetInline(int nIndex) const { return static_cast<CXTPMarkupInline*>(GetItem(nIndex)); }
    // Text becomes a Run, a UI element an InlineUIContainer holding it, an Inline is added as it is.
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    void OnItemAdded(CXTPMarkupObject* pItem, int nIndex) override;
};

class CXTPMarkupSpan : public CXTPMarkupInline
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupSpan)
public:
    CXTPMarkupSpan();
    CXTPMarkupInlineCollection* GetInlines() const { return m_pInlines; }
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override;
    int GetLogicalChildrenCount() const override;
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;

protected:
    ~CXTPMarkupSpan() override;
    CXTPMarkupInlineCollection* m_pInlines;
};

class CXTPMarkupBold : public CXTPMarkupSpan
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupBold)
public:
    CXTPMarkupBold(); // FontWeight 700 as a local value
};

class CXTPMarkupItalic : public CXTPMarkupSpan
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupItalic)
public:
    CXTPMarkupItalic(); // FontStyle Italic
};

class CXTPMarkupUnderline : public CXTPMarkupSpan
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupUnderline)
public:
    CXTPMarkupUnderline(); // TextDecorations Underline
};

class CXTPMarkupHyperlink : public CXTPMarkupSpan
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupHyperlink)
public:
    CXTPMarkupHyperlink();
    // The button's Click with Hyperlink as owner. The type gets its style when registered:
    // underlined, blue, the hand cursor, red while the mouse is over it.
    static CXTPMarkupRoutedEvent* m_pClickEvent;
    static void RegisterMarkupProperties();
};

class CXTPMarkupInlineUIContainer : public CXTPMarkupInline
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupInlineUIContainer)
public:
    CXTPMarkupInlineUIContainer();
    CXTPMarkupUIElement* GetChild() const { return m_pChild; }
    // Takes over one reference; the previous child is detached and released.
    void SetChild(CXTPMarkupUIElement* pChild);
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetLogicalChildrenCount() const override;
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;

protected:
    ~CXTPMarkupInlineUIContainer() override;

private:
    CXTPMarkupUIElement* m_pChild;
};

class CXTPMarkupTextBlock : public CXTPMarkupFrameworkElement
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupTextBlock)
public:
    CXTPMarkupTextBlock();
    CXTPMarkupInlineCollection* GetInlines() const { return m_pInlines; }
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override;
    // The inline collection is the logical child.
    int GetLogicalChildrenCount() const override;
    CXTPMarkupObject* GetLogicalChild(int nIndex) const override;
    // Assigning "Text" replaces the inlines by one Run of it.
    void OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                           CXTPMarkupObject* pNewValue) override;

    static CXTPMarkupDependencyProperty* m_pTextWrappingProperty;
    static CXTPMarkupDependencyProperty* m_pTextTrimmingProperty;
    static CXTPMarkupDependencyProperty* m_pTextAlignmentProperty;
    static CXTPMarkupDependencyProperty* m_pPaddingProperty;
    static CXTPMarkupDependencyProperty* m_pTextProperty;
    static CXTPMarkupDependencyProperty* m_pRenderTransformProperty;
    static void RegisterMarkupProperties();

protected:
    ~CXTPMarkupTextBlock() override;
    CXTPMarkupInlineCollection* m_pInlines;
};
