#include "toolkit/controls/tabs/XTPTabManagerNavigateButton.h"

#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/resources/XTPResourceManager.h"
#include "toolkit/controls/tabs/XTPTabManagerButtons.h"
#include "toolkit/controls/tabs/XTPTabPaintManager.h"

#include <windowsx.h>

namespace
{
CXTPTabManagerNavigateButton::PFNTICKCOUNT g_pfnTickCount = nullptr;

DWORD ReadTickCount()
{
    return g_pfnTickCount ? g_pfnTickCount() : ::GetTickCount();
}

CString LoadToolkitString(UINT nID)
{
    CString str;
    GetResourceManager()->LoadString(&str, nID);
    return str;
}
} // namespace

// ---------------------------------------------------------------- base

CXTPTabManagerNavigateButton::CXTPTabManagerNavigateButton(CXTPTabManager* pManager, int nID, int nFlags)
    : m_nID(nID), m_nFlags(nFlags), m_pManager(pManager), m_pAlive(std::make_shared<bool>(true))
{
}

CXTPTabManagerNavigateButton::~CXTPTabManagerNavigateButton()
{
    *m_pAlive = false;
    if (m_pManager && m_pManager->m_pHighlightedNavigateButton == this)
        m_pManager->m_pHighlightedNavigateButton = nullptr;
}

void CXTPTabManagerNavigateButton::SetTickCountProvider(PFNTICKCOUNT pfn)
{
    g_pfnTickCount = pfn;
}

BOOL CXTPTabManagerNavigateButton::IsHighlighted() const
{
    return m_pManager && m_pManager->m_pHighlightedNavigateButton == this;
}

void CXTPTabManagerNavigateButton::AdjustWidth(int& nWidth)
{
    if (m_pManager->IsNavigateButtonVisible(this))
        nWidth -= m_pManager->IsHorizontalPosition() ? GetSize().cx : GetSize().cy;
}

CSize CXTPTabManagerNavigateButton::GetSize() const
{
    CXTPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    return pPaintManager ? pPaintManager->m_szNavigateButton : CSize(14, 15);
}

void CXTPTabManagerNavigateButton::PlaceAtEnd(CRect& rcRow)
{
    CSize sz = GetSize();
    if (m_pManager->IsHorizontalPosition())
    {
        int nBottom = (rcRow.top + rcRow.bottom) / 2 + sz.cy / 2;
        SetRect(rcRow.right - sz.cx, nBottom - sz.cy, rcRow.right, nBottom);
        rcRow.right -= sz.cx;
    }
    else
    {
        int nLeft = (rcRow.left + rcRow.right) / 2 - sz.cx / 2;
        SetRect(nLeft, rcRow.bottom - sz.cy, nLeft + sz.cx, rcRow.bottom);
        rcRow.bottom -= sz.cy;
    }
}

void CXTPTabManagerNavigateButton::Reposition(CRect& rcRow)
{
    if (!m_pManager->IsNavigateButtonVisible(this))
    {
        m_rcButton.SetRectEmpty();
        return;
    }
    PlaceAtEnd(rcRow);
}

void CXTPTabManagerNavigateButton::Draw(CDC* pDC)
{
    CXTPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    if (!m_rcButton.IsRectEmpty() && pPaintManager)
    {
        CRect rc = m_rcButton;
        pPaintManager->DrawNavigateButton(pDC, this, rc);
    }
}

void CXTPTabManagerNavigateButton::OnExecute(BOOL /*bTick*/)
{
}

void CXTPTabManagerNavigateButton::PerformClick(HWND hWnd, CPoint pt)
{
    if (::GetCapture() != nullptr || !m_bEnabled || !::IsWindow(hWnd))
        return;
    // The manager may delete this button (a tab's close button with its tab) while a dispatched
    // message runs: the loop watches the button's life and stops touching it once it is gone.
    std::shared_ptr<bool> pAlive = m_pAlive;
    CXTPTabManager* pManager = m_pManager;

    ::SetCapture(hWnd);
    DWORD dwLast = ReadTickCount();
    BOOL bClick = FALSE;
    CPoint ptLast = pt;
    MSG msg;
    for (;;)
    {
        // One tick per turn at most: the clock is read once, and the enabled flag again every turn,
        // so an arrow stops repeating as soon as the row cannot scroll further.
        DWORD dwNow = ReadTickCount();
        if (m_bEnabled && dwNow - dwLast > DWORD(nRepeatPeriod))
        {
            dwLast = dwNow;
            OnExecute(TRUE);
        }
        if (!*pAlive)
            break;
        BOOL bPressed = m_rcButton.PtInRect(ptLast);
        if (bPressed != m_bPressed)
        {
            m_bPressed = bPressed;
            CRect rc = m_rcButton;
            pManager->RedrawControl(&rc, TRUE);
        }

        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            // Nothing waiting: sleep until a message comes or the next repeat is due.
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, nRepeatPeriod, QS_ALLINPUT);
            continue;
        }
        const int nRead = CXTPTabManager::ReadLoopMessage(hWnd, msg);
        if (nRead == CXTPTabManager::loopEnd)
            break;
        if (nRead == CXTPTabManager::loopSwallowed)
            continue;
        if (msg.message == WM_MOUSEMOVE)
        {
            ptLast = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            ptLast = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            bClick = *pAlive && m_rcButton.PtInRect(ptLast);
            break;
        }
        ::DispatchMessageA(&msg);
        if (!*pAlive)
            break;
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (*pAlive)
        m_bPressed = FALSE;
    pManager->PerformMouseMove(hWnd, ptLast);
    pManager->RedrawControl(nullptr, FALSE);
    if (bClick && *pAlive)
        OnExecute(FALSE);
}

// ---------------------------------------------------------------- array

CXTPTabManagerNavigateButton* CXTPTabManagerNavigateButtons::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSize())
        return nullptr;
    return m_arr[nIndex];
}

int CXTPTabManagerNavigateButtons::Add(CXTPTabManagerNavigateButton* pButton)
{
    m_arr.push_back(pButton);
    return GetSize() - 1;
}

void CXTPTabManagerNavigateButtons::RemoveAll()
{
    std::vector<CXTPTabManagerNavigateButton*> arr;
    arr.swap(m_arr);
    for (CXTPTabManagerNavigateButton* pButton : arr)
        delete pButton;
}

// ---------------------------------------------------------------- arrows

void CXTPTabManager::CNavigateButtonArrow::AdjustWidth(int& nWidth)
{
    if (m_nFlags == xtpTabNavigateButtonAlways)
        nWidth -= m_pManager->IsHorizontalPosition() ? GetSize().cx : GetSize().cy;
}

void CXTPTabManager::CNavigateButtonArrow::Reposition(CRect& rcRow)
{
    CXTPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    const BOOL bHorizontal = m_pManager->IsHorizontalPosition();
    UpdateTooltip(bHorizontal);
    if (!pPaintManager || pPaintManager->GetLayout() == xtpTabLayoutMultiRow || m_nFlags == xtpTabNavigateButtonNone)
    {
        m_rcButton.SetRectEmpty();
        return;
    }
    if (m_nFlags == xtpTabNavigateButtonAutomatic)
    {
        CRect rcMargin = pPaintManager->GetAppearanceSet()->GetHeaderMargin();
        int nRow = bHorizontal ? rcRow.Width() : rcRow.Height();
        int nTotal = m_pManager->GetItemsLength() + m_pManager->GetHeaderOffset();
        BOOL bOverflow = nRow - rcMargin.right < nTotal - 1;
        if (pPaintManager->GetLayout() == xtpTabLayoutSizeToFit || (!bOverflow && m_pManager->GetHeaderOffset() >= 0))
        {
            m_rcButton.SetRectEmpty();
            return;
        }
    }
    PlaceAtEnd(rcRow);
}

void CXTPTabManager::CNavigateButtonArrowLeft::Reposition(CRect& rcRow)
{
    m_bEnabled = m_pManager->GetHeaderOffset() < 0;
    CNavigateButtonArrow::Reposition(rcRow);
}

void CXTPTabManager::CNavigateButtonArrowRight::Reposition(CRect& rcRow)
{
    CXTPTabPaintManager* pPaintManager = m_pManager->GetPaintManager();
    if (pPaintManager)
    {
        CRect rcMargin = pPaintManager->GetAppearanceSet()->GetHeaderMargin();
        int nRow = m_pManager->IsHorizontalPosition() ? rcRow.Width() : rcRow.Height();
        m_bEnabled = nRow - rcMargin.left - rcMargin.right - 28 <
                     m_pManager->GetItemsLength() + m_pManager->GetHeaderOffset();
    }
    CNavigateButtonArrow::Reposition(rcRow);
}

void CXTPTabManager::CNavigateButtonArrowLeft::UpdateTooltip(BOOL bHorizontal)
{
    m_strToolTip = LoadToolkitString(bHorizontal ? XTP_IDS_TABNAVIGATEBUTTON_LEFT : XTP_IDS_TABNAVIGATEBUTTON_UP);
}

void CXTPTabManager::CNavigateButtonArrowRight::UpdateTooltip(BOOL bHorizontal)
{
    m_strToolTip = LoadToolkitString(bHorizontal ? XTP_IDS_TABNAVIGATEBUTTON_RIGHT : XTP_IDS_TABNAVIGATEBUTTON_DOWN);
}

void CXTPTabManager::CNavigateButtonArrowLeft::DrawSymbol(CDC* pDC, CRect rc)
{
    CPoint c = rc.CenterPoint();
    if (m_pManager->IsHorizontalPosition())
        DrawTrianglePolygon(pDC, c.x + 2, c.y - 5, c.x - 2, c.y - 1, c.x + 2, c.y + 3);
    else
        DrawTrianglePolygon(pDC, c.x - 5, c.y + 2, c.x - 1, c.y - 2, c.x + 3, c.y + 2);
}

void CXTPTabManager::CNavigateButtonArrowRight::DrawSymbol(CDC* pDC, CRect rc)
{
    CPoint c = rc.CenterPoint();
    if (m_pManager->IsHorizontalPosition())
        DrawTrianglePolygon(pDC, c.x - 2, c.y - 5, c.x + 2, c.y - 1, c.x - 2, c.y + 3);
    else
        DrawTrianglePolygon(pDC, c.x - 5, c.y - 2, c.x - 1, c.y + 2, c.x + 3, c.y - 2);
}

void CXTPTabManager::CNavigateButtonArrowLeft::OnExecute(BOOL bTick)
{
    if (bTick)
        m_pManager->OnScroll(FALSE);
}

void CXTPTabManager::CNavigateButtonArrowRight::OnExecute(BOOL bTick)
{
    if (bTick)
        m_pManager->OnScroll(TRUE);
}

// ---------------------------------------------------------------- close buttons

CXTPTabManager::CNavigateButtonClose::CNavigateButtonClose(CXTPTabManager* pManager, int nFlags)
    : CXTPTabManagerNavigateButton(pManager, xtpTabNavigateButtonClose, nFlags)
{
    m_strToolTip = LoadToolkitString(XTP_IDS_TABNAVIGATEBUTTON_CLOSE);
}

void CXTPTabManager::CNavigateButtonClose::DrawSymbol(CDC* pDC, CRect rc)
{
    CPoint c = rc.CenterPoint();
    const int lines[4][4] = {{-4, -3, 3, 4}, {-3, -3, 4, 4}, {-4, 3, 3, -4}, {-3, 3, 4, -4}};
    for (const auto& l : lines)
    {
        pDC->MoveTo(c.x + l[0], c.y + l[1]);
        pDC->LineTo(c.x + l[2], c.y + l[3]);
    }
}

void CXTPTabManager::CNavigateButtonClose::OnExecute(BOOL bTick)
{
    if (!bTick)
        m_pManager->OnNavigateButtonClick(this);
}

CXTPTabManager::CNavigateButtonTabClose::CNavigateButtonTabClose(CXTPTabManagerItem* pItem, int nFlags)
    : CNavigateButtonClose(pItem->GetTabManager(), nFlags)
{
    m_pItem = pItem;
}
