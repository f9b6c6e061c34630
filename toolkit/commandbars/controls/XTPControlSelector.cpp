#include "toolkit/commandbars/controls/XTPControlSelector.h"

#include "framework/DC.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"

#include <algorithm>

IMPLEMENT_SERIAL(CXTPControlSelector, CXTPControl, XTP_CONTROL_CLASS_SCHEMA)

namespace
{
// The notification a changed selection sends to the site.
const UINT kSelectionChanged = 4102;
// Paint manager colours of the cell frames and of the content on unselected cells.
const int kCellFrameColor = 43;
const int kCellTextColor = 46;
} // namespace

CXTPControlSelector::CXTPControlSelector()
{
    m_controlType = xtpControlError; // made by the application, not by the type table
}

CSize CXTPControlSelector::SelectionAt(CPoint ptOffset, CSize szGrid, CSize szItem)
{
    CSize sz(0, 0);
    if (szItem.cx <= 0 || szItem.cy <= 0)
        return sz;
    for (int c = 0; c < szGrid.cx && c * szItem.cx < ptOffset.x; ++c)
        ++sz.cx;
    for (int r = 0; r < szGrid.cy && r * szItem.cy < ptOffset.y; ++r)
        ++sz.cy;
    if (sz.cx == 0 || sz.cy == 0)
        return CSize(0, 0);
    return sz;
}

CSize CXTPControlSelector::GetSize(CDC* /*pDC*/)
{
    return CSize(m_szGrid.cx * m_szItem.cx, m_szGrid.cy * m_szItem.cy);
}

void CXTPControlSelector::OnDrawItem(CDC* /*pDC*/, CRect /*rcItem*/, COLORREF /*clrText*/)
{
}

void CXTPControlSelector::Draw(CDC* pDC)
{
    if (!pDC)
        return;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    const COLORREF clrFrame = pPaintManager ? pPaintManager->GetColor(kCellFrameColor) : ::GetSysColor(COLOR_3DSHADOW);
    const CRect rc = GetRect();
    for (int r = 0; r < m_szGrid.cy; ++r)
    {
        for (int c = 0; c < m_szGrid.cx; ++c)
        {
            CRect rcCell(rc.left + c * m_szItem.cx, rc.top + r * m_szItem.cy, rc.left + (c + 1) * m_szItem.cx,
                         rc.top + (r + 1) * m_szItem.cy);
            rcCell.DeflateRect(1, 1);
            const BOOL bSelected = c < m_szSelected.cx && r < m_szSelected.cy;
            pDC->FillSolidRect(&rcCell, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            pDC->Draw3dRect(&rcCell, clrFrame, clrFrame);
            COLORREF clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            if (!bSelected)
                clrText = pPaintManager ? pPaintManager->GetColor(kCellTextColor) : ::GetSysColor(COLOR_BTNTEXT);
            OnDrawItem(pDC, rcCell, clrText);
        }
    }
}

void CXTPControlSelector::OnMouseMove(CPoint point)
{
    const CRect rc = GetRect();
    CPoint ptOffset(point.x - rc.left, point.y - rc.top);
    CSize szSelected = SelectionAt(ptOffset, m_szGrid, m_szItem);

    // Held beyond the right or bottom edge with the selection at that end: the grid grows toward
    // the pointer, up to its maximum, and the selection follows.
    const BOOL bHeld = ::GetKeyState(VK_LBUTTON) < 0;
    if (bHeld && szSelected.cx > 0 && szSelected.cy > 0)
    {
        CSize szGrid = m_szGrid;
        if (ptOffset.x > m_szGrid.cx * m_szItem.cx && szSelected.cx == m_szGrid.cx)
            szGrid.cx = std::min<LONG>(m_szMax.cx, ptOffset.x / m_szItem.cx + 1);
        if (ptOffset.y > m_szGrid.cy * m_szItem.cy && szSelected.cy == m_szGrid.cy)
            szGrid.cy = std::min<LONG>(m_szMax.cy, ptOffset.y / m_szItem.cy + 1);
        if (szGrid != m_szGrid)
        {
            m_szGrid = szGrid;
            m_bResizing = TRUE;
            if (m_pParent)
                m_pParent->OnRecalcLayout();
            m_bResizing = FALSE;
            szSelected = SelectionAt(ptOffset, m_szGrid, m_szItem);
        }
    }
    if (szSelected == m_szSelected)
        return;
    m_szSelected = szSelected;
    RedrawParent(FALSE);
    NotifySite(kSelectionChanged);
}

void CXTPControlSelector::OnLButtonUp(CPoint /*point*/)
{
    if (m_szSelected.cx <= 0 || m_szSelected.cy <= 0)
        return;
    m_szLastSelected = m_szSelected;
    OnExecute();
}

void CXTPControlSelector::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    if (m_bResizing)
        return;
    m_szSelected = CSize(0, 0);
    m_szGrid = m_szDefault;
}

void CXTPControlSelector::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControl::Copy(pControl, bRecursive);
    if (CXTPControlSelector* pSelector = DYNAMIC_DOWNCAST(CXTPControlSelector, pControl))
    {
        m_szDefault = pSelector->m_szDefault;
        m_szMax = pSelector->m_szMax;
        m_szItem = pSelector->m_szItem;
        m_szGrid = m_szDefault;
    }
}

void CXTPControlSelector::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    SIZE szDefault = m_szDefault, szMax = m_szMax, szItem = m_szItem;
    ExchangeSizeProperty(pPX, "ItemsCount", szDefault, CSize(5, 4));
    ExchangeSizeProperty(pPX, "ItemsMax", szMax, CSize(12, 12));
    ExchangeSizeProperty(pPX, "ItemSize", szItem, CSize(28, 28));
    if (pPX->IsLoading())
    {
        // Stored sizes are the user's: keep them positive and the default within the maximum.
        m_szMax = CSize(std::max<LONG>(1, szMax.cx), std::max<LONG>(1, szMax.cy));
        m_szDefault = CSize(std::min<LONG>(std::max<LONG>(1, szDefault.cx), m_szMax.cx),
                            std::min<LONG>(std::max<LONG>(1, szDefault.cy), m_szMax.cy));
        m_szItem = CSize(std::max<LONG>(1, szItem.cx), std::max<LONG>(1, szItem.cy));
        m_szGrid = m_szDefault;
    }
}
