// CXTPControlSelector: a grid of cells the user sweeps over to choose a size (columns by rows), as a
// table-size picker. Moving selects the cells up to the pointer and tells the site (4102); releasing
// with cells selected executes; held beyond the right or bottom edge the grid grows toward the pointer
// up to its maximum. Before each layout the selection clears and the grid returns to its default.
#pragma once

#include "toolkit/commandbars/controls/XTPControl.h"

class CXTPControlSelector : public CXTPControl
{
    DECLARE_SERIAL(CXTPControlSelector)

public:
    CXTPControlSelector();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;

    // Draws one cell's content after its face and frame (nothing here); clrText is the colour
    // content should take.
    virtual void OnDrawItem(CDC* pDC, CRect rcItem, COLORREF clrText);

    CSize GetSelectedSize() const { return m_szSelected; }
    CSize GetLastSelectedSize() const { return m_szLastSelected; }
    CSize GetGridSize() const { return m_szGrid; }
    void SetItemsCount(CSize sz) { m_szDefault = m_szGrid = sz; }
    void SetItemsMax(CSize sz) { m_szMax = sz; }
    void SetItemSize(CSize sz) { m_szItem = sz; }

    // The selection a point gives: the cell left edges left of it and the top edges above it.
    static CSize SelectionAt(CPoint ptOffset, CSize szGrid, CSize szItem);

protected:
    CSize m_szDefault = CSize(5, 4);
    CSize m_szMax = CSize(12, 12);
    CSize m_szItem = CSize(28, 28);
    CSize m_szSelected = CSize(0, 0);
    CSize m_szLastSelected = CSize(0, 0);
    CSize m_szGrid = CSize(5, 4);
    BOOL m_bResizing = FALSE;
};
