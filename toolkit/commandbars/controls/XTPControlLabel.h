// CXTPControlLabel and its kinds: a text label (type 8), a bitmap label showing the largest icon of
// its id, and a label whose caption is mark-up. Labels are skipped by keyboard navigation, take no
// command-UI updates and cannot be moved (flags 26).
#pragma once

#include "toolkit/commandbars/controls/XTPControl.h"

class CXTPMarkupContext;
class CXTPMarkupUIElement;

class CXTPControlLabel : public CXTPControl
{
    DECLARE_SERIAL(CXTPControlLabel)

public:
    CXTPControlLabel();

    // The flags every label starts with: skip focus, manual update, not movable.
    static const int kLabelFlags = xtpFlagSkipFocus | xtpFlagManualUpdate | xtpFlagNoMovable;
};

class CXTPControlBitmap : public CXTPControlLabel
{
    DECLARE_SERIAL(CXTPControlBitmap)

public:
    CXTPControlBitmap() = default;

    // The size of the image manager's largest icon for the id; (0, 0) without one.
    CSize GetSize(CDC* pDC) override;
    // The largest icon at the rectangle's top-left corner.
    void Draw(CDC* pDC) override;

private:
    CXTPImageManagerIcon* GetLargestIcon() const;
};

// A label whose caption is parsed as mark-up when the caption changes. Without an element (the
// caption is plain text, or no mark-up engine is installed) it is drawn as a plain label.
class CXTPControlMarkupLabel : public CXTPControlLabel
{
    DECLARE_SERIAL(CXTPControlMarkupLabel)

public:
    CXTPControlMarkupLabel() = default;
    ~CXTPControlMarkupLabel() override;

    void OnCaptionChanged() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;

    // The parsed caption, or null.
    CXTPMarkupUIElement* GetMarkupElement() const { return m_pMarkupUIElement; }

private:
    void ReleaseElement();
    // Gives the element's context the paint manager's regular font (the default GUI font without
    // one) and a text colour (-1 keeps it).
    void PrepareFont(COLORREF clrText);

    // The context is kept with its element so that the font can be set before each measure and draw.
    CXTPMarkupContext* m_pMarkupContext = nullptr;
    CXTPMarkupUIElement* m_pMarkupUIElement = nullptr;
};
