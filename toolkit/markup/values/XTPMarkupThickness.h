// CXTPMarkupThickness: four edge widths (Margin, Padding, BorderThickness, CornerRadius) with
// their text form and units, and the deflating of a rectangle by them.
#pragma once

#include "toolkit/markup/objects/XTPMarkupObject.h"

class CXTPMarkupThickness : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupThickness)
public:
    CXTPMarkupThickness();
    explicit CXTPMarkupThickness(int nThickness);
    CXTPMarkupThickness(int nLeft, int nTop, int nRight, int nBottom);

    int GetLeft() const { return m_nLeft; }
    int GetTop() const { return m_nTop; }
    int GetRight() const { return m_nRight; }
    int GetBottom() const { return m_nBottom; }

    // "5", "2pt", "1in", "1cm", "10mm", or four values "l, t, r, b" in one unit. Null when the text
    // is none of these (fewer than four values among them). Values saturate at +-0x7FFFFFFF.
    CXTPMarkupObject* ConvertFrom(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject) const override;
    BOOL IsEqual(const CXTPMarkupObject* pObject) const override;

    // The shared zero thickness (one reference), the default of every thickness property.
    static CXTPMarkupThickness* CreateZero();
    // The rectangle less the edges; a side never crosses the opposite one. A null thickness changes nothing.
    static RECT DeflateRect(RECT rc, const CXTPMarkupThickness* pThickness);

private:
    int m_nLeft;
    int m_nTop;
    int m_nRight;
    int m_nBottom;
};
