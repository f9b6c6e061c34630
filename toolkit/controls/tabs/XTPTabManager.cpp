#include "toolkit/controls/tabs/XTPTabManager.h"

#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/text/XTPMarkupServices.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"
#include "toolkit/controls/tabs/XTPTabManagerButtons.h"
#include "toolkit/controls/tabs/XTPTabPaintManager.h"

#include <algorithm>
#include <cassert>

#include <windowsx.h>

IMPLEMENT_DYNAMIC(CXTPTabManagerItem, CCmdTarget)

namespace
{
const COLORREF kAutoColors[8] = {RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
                                 RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192)};

CXTPTabManager::PFNISACTIVE g_pfnIsTopLevelActive = nullptr;

// Holds one reference on an item for the length of a modal loop.
class CItemHold
{
public:
    explicit CItemHold(CXTPTabManagerItem* pItem) : m_pItem(pItem) { m_pItem->InternalAddRef(); }
    ~CItemHold() { m_pItem->InternalRelease(); }
    CItemHold(const CItemHold&) = delete;
    CItemHold& operator=(const CItemHold&) = delete;

private:
    CXTPTabManagerItem* m_pItem;
};
} // namespace

// ---------------------------------------------------------------- item

CXTPTabManagerItem::CXTPTabManagerItem() = default;

CXTPTabManagerItem::~CXTPTabManagerItem()
{
    m_arrNavigateButtons.RemoveAll();
    MarkupReleaseElement(m_pMarkupUIElement);
}

void CXTPTabManagerItem::OnChanged()
{
    if (m_pTabManager)
        m_pTabManager->Reposition();
}

void CXTPTabManagerItem::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    OnChanged();
}

void CXTPTabManagerItem::RemoveNavigateButtons()
{
    m_arrNavigateButtons.RemoveAll();
}

CString CXTPTabManagerItem::GetCaption() const
{
    return m_pTabManager ? m_pTabManager->GetItemCaption(this) : m_strCaption;
}

COLORREF CXTPTabManagerItem::GetColor() const
{
    return m_pTabManager ? m_pTabManager->GetItemColor(this) : CXTPTabManager::GetAutoColor(m_clrItem);
}

void CXTPTabManagerItem::Select()
{
    if (m_pTabManager)
        m_pTabManager->OnItemClick(this);
}

void CXTPTabManagerItem::Remove()
{
    if (m_pTabManager)
        m_pTabManager->DeleteItem(m_nIndex);
}

void CXTPTabManagerItem::SetRect(int l, int t, int r, int b)
{
    m_rcItem.SetRect(l, t, r, b);
    for (int i = 0; i < m_arrNavigateButtons.GetSize(); i++)
        m_arrNavigateButtons[i]->SetRect(0, 0, 0, 0);
}

BOOL CXTPTabManagerItem::IsSelected() const
{
    return m_pTabManager && m_pTabManager->GetSelectedItem() == this;
}

BOOL CXTPTabManagerItem::IsHighlighted() const
{
    return m_pTabManager && m_pTabManager->GetHighlightedItem() == this;
}

BOOL CXTPTabManagerItem::IsPressed() const
{
    return m_pTabManager && m_pTabManager->GetPressedItem() == this;
}

void CXTPTabManagerItem::SetCaption(LPCSTR lpszCaption)
{
    m_strCaption = lpszCaption ? lpszCaption : "";
    MarkupReleaseElement(m_pMarkupUIElement);
    if (m_pTabManager && m_pTabManager->GetMarkupContext())
        m_pMarkupUIElement = MarkupParseText(m_pTabManager->GetMarkupContext(), m_strCaption);
    OnChanged();
}

void CXTPTabManagerItem::DrawImage(CDC* pDC, CRect rcIcon, CXTPImageManagerIcon* pImage)
{
    if (!pImage || rcIcon.IsRectEmpty())
        return;
    CXTPImageHandle& hImage = !m_bEnabled    ? pImage->GetDisabledImage()
                              : IsHighlighted() ? pImage->GetHotImage()
                              : IsSelected()    ? pImage->GetCheckedImage()
                                                : pImage->GetImage();
    CXTPTabPaintManager* pPaintManager = m_pTabManager ? m_pTabManager->GetPaintManager() : nullptr;
    int nPosition = m_pTabManager ? m_pTabManager->GetPosition() : 0;
    BOOL bRotate = pPaintManager && pPaintManager->m_bRotateImages && rcIcon.Width() == rcIcon.Height() &&
                   (nPosition == xtpTabPositionLeft || nPosition == xtpTabPositionRight);
    if (!bRotate)
    {
        pImage->Draw(pDC, rcIcon.left, rcIcon.top, hImage, rcIcon.Width(), rcIcon.Height());
        return;
    }

    // A quarter turn: the square under the icon is turned into a bitmap, the icon drawn upright on
    // it, and the result turned back into place.
    const int n = rcIcon.Width();
    HDC hScreen = ::GetDC(nullptr);
    HDC hSrc = ::CreateCompatibleDC(hScreen);
    HDC hDst = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    DWORD* pSrc = nullptr;
    DWORD* pDst = nullptr;
    HBITMAP hbmSrc = CreateDIBSection32(pDC->GetSafeHdc(), n, n, reinterpret_cast<LPBYTE*>(&pSrc));
    HBITMAP hbmDst = CreateDIBSection32(pDC->GetSafeHdc(), n, n, reinterpret_cast<LPBYTE*>(&pDst));
    if (hSrc && hDst && hbmSrc && hbmDst && pSrc && pDst)
    {
        HGDIOBJ hOldSrc = ::SelectObject(hSrc, hbmSrc);
        HGDIOBJ hOldDst = ::SelectObject(hDst, hbmDst);
        ::BitBlt(hSrc, 0, 0, n, n, pDC->GetSafeHdc(), rcIcon.left, rcIcon.top, SRCCOPY);
        ::GdiFlush();
        // Bottom-up rows: row r of the picture is at index (n - 1 - r) * n.
        for (int y = 0; y < n; y++)
            for (int x = 0; x < n; x++)
                pDst[(n - 1 - x) * n + (n - 1 - y)] = pSrc[(n - 1 - y) * n + x];
        CDC* pTurned = CDC::FromHandle(hDst);
        pImage->Draw(pTurned, 0, 0, hImage, n, n);
        ::GdiFlush();
        for (int y = 0; y < n; y++)
            for (int x = 0; x < n; x++)
                pSrc[(n - 1 - y) * n + x] = pDst[(n - 1 - x) * n + (n - 1 - y)];
        ::SelectObject(hDst, hOldDst);
        ::SelectObject(hSrc, hOldSrc);
        pDC->DrawState(rcIcon.TopLeft(), CSize(n, n), hbmSrc, DST_BITMAP);
    }
    if (hbmSrc)
        ::DeleteObject(hbmSrc);
    if (hbmDst)
        ::DeleteObject(hbmDst);
    if (hSrc)
        ::DeleteDC(hSrc);
    if (hDst)
        ::DeleteDC(hDst);
}

// ---------------------------------------------------------------- row table

CXTPTabManager::ROW_ITEMS* CXTPTabManager::CRowIndexer::CreateIndexer(int nRowCount)
{
    if (nRowCount < 0)
        nRowCount = 0;
    if (nRowCount != GetRowCount())
        m_arrRows.assign(nRowCount, ROW_ITEMS{0, -1});
    if (nRowCount > 0)
    {
        m_arrRows[0].nFirstItem = 0;
        m_arrRows[0].nLastItem = m_pManager->GetItemCount() - 1;
    }
    return GetRowItems();
}

CXTPTabManager::ROW_ITEMS* CXTPTabManager::CRowIndexer::GetRow(int nRow)
{
    if (nRow < 0 || nRow >= GetRowCount())
    {
        assert(!"row index out of range");
        return nullptr;
    }
    return &m_arrRows[nRow];
}

// ---------------------------------------------------------------- manager

CXTPTabManager::CXTPTabManager()
{
    m_arrNavigateButtons.Add(new CNavigateButtonArrowLeft(this));
    m_arrNavigateButtons.Add(new CNavigateButtonArrowRight(this));
    m_arrNavigateButtons.Add(new CNavigateButtonClose(this, xtpTabNavigateButtonNone));
    m_pRowIndexer = new CRowIndexer(this);
    m_pRowIndexer->CreateIndexer(1);
}

CXTPTabManager::~CXTPTabManager()
{
    for (CXTPTabManagerItem* pItem : m_arrItems)
    {
        pItem->RemoveNavigateButtons();
        pItem->m_pTabManager = nullptr;
        pItem->InternalRelease();
    }
    m_arrItems.clear();
    m_pSelected = m_pHighlighted = m_pPressed = nullptr;
    m_arrNavigateButtons.RemoveAll();
    delete m_pRowIndexer;
}

COLORREF CXTPTabManager::GetAutoColor(COLORREF clr)
{
    if (clr >= xtpTabColorAutomaticFirst && clr <= xtpTabColorAutomaticLast)
        return kAutoColors[clr - xtpTabColorAutomaticFirst];
    return clr;
}

CString CXTPTabManager::GetItemCaption(const CXTPTabManagerItem* pItem) const
{
    return pItem->m_strCaption;
}

int CXTPTabManager::GetItemImage(const CXTPTabManagerItem* pItem) const
{
    return pItem->m_nImage;
}

COLORREF CXTPTabManager::GetItemColor(const CXTPTabManagerItem* pItem) const
{
    return GetAutoColor(pItem->m_clrItem);
}

CString CXTPTabManager::GetItemTooltip(const CXTPTabManagerItem* pItem) const
{
    return pItem->m_strToolTip;
}

void CXTPTabManager::OnItemsChanged()
{
    for (int i = 0; i < GetItemCount(); i++)
        m_arrItems[i]->m_nIndex = i;
    Reposition();
}

void CXTPTabManager::SetSelectedItem(CXTPTabManagerItem* pItem)
{
    if (m_pSelected == pItem)
        return;
    m_pSelected = pItem;
    Reposition();
    EnsureVisible(pItem);
}

void CXTPTabManager::SelectItem(CXTPTabManagerItem* pItem)
{
    if (pItem && IsItemClickAllowed(pItem))
        OnItemClick(pItem);
}

void CXTPTabManager::GetItemMetrics(CSize* lpszButton, CSize* lpszMin, CSize* lpszMax) const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (lpszButton)
        *lpszButton = CSize(pPaintManager ? pPaintManager->m_nFixedItemLength : 0, 0);
    if (lpszMin)
        *lpszMin = CSize(pPaintManager ? pPaintManager->m_nMinItemLength : 0, 0);
    if (lpszMax)
        *lpszMax = CSize(pPaintManager ? pPaintManager->m_nMaxItemLength : 0, 0);
}

int CXTPTabManager::GetItemsLength() const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager && pPaintManager->GetLayout() == xtpTabLayoutRotated)
        return GetItemCount() * pPaintManager->GetAppearanceSet()->GetButtonHeight(this);
    int nLength = 0;
    for (const CXTPTabManagerItem* pItem : m_arrItems)
        nLength += pItem->m_nLength;
    return nLength;
}

void CXTPTabManager::OnNewTabItem(CXTPTabManagerItem* /*pItem*/)
{
}

BOOL CXTPTabManager::IsDrawStaticFrame() const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->m_bStaticFrame : FALSE;
}

int CXTPTabManager::GetPosition() const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->GetPosition() : xtpTabPositionTop;
}

void CXTPTabManager::OnScroll(BOOL bRight)
{
    SetHeaderOffset(bRight ? m_nHeaderOffset - m_nScrollDelta : m_nHeaderOffset + m_nScrollDelta);
}

BOOL CXTPTabManager::DrawParentBackground(CDC* /*pDC*/, CRect /*rc*/)
{
    return FALSE;
}

BOOL CXTPTabManager::IsCloseButtonEnabled(CXTPTabManagerNavigateButton* pButton) const
{
    if (pButton->GetID() != xtpTabNavigateButtonClose)
        return TRUE;
    if (pButton->GetItem())
        return pButton->GetItem()->IsClosable() && pButton->GetItem() == m_pSelected;
    return m_pSelected ? m_pSelected->IsClosable() : FALSE;
}

BOOL CXTPTabManager::IsNavigateButtonVisible(CXTPTabManagerNavigateButton* pButton) const
{
    switch (pButton->GetFlags())
    {
    case xtpTabNavigateButtonAutomatic:
        return IsCloseButtonEnabled(pButton);
    case xtpTabNavigateButtonAlways:
        return pButton->GetItem() ? pButton->GetItem()->IsClosable() : TRUE;
    default:
        return FALSE;
    }
}

void CXTPTabManager::OnItemClick(CXTPTabManagerItem* pItem)
{
    SetSelectedItem(pItem);
}

BOOL CXTPTabManager::IsItemClickAllowed(CXTPTabManagerItem* /*pItem*/) const
{
    return TRUE;
}

void CXTPTabManager::OnItemsSwapped(CXTPTabManagerItem* /*pItem*/, CXTPTabManagerItem* /*pOtherItem*/)
{
}

void CXTPTabManager::OnItemMoved(CXTPTabManagerItem* /*pItem*/, int /*nOldIndex*/, int /*nNewIndex*/)
{
}

void CXTPTabManager::OnBeforeNavigateButtonClick(int /*nID*/)
{
}

void CXTPTabManager::OnNavigateButtonClick(CXTPTabManagerNavigateButton* pButton)
{
    OnBeforeNavigateButtonClick(pButton->GetID());
}

void CXTPTabManager::OnOwnerNotify(UINT /*nCode*/, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
}

// ---- items

CXTPTabManagerItem* CXTPTabManager::AddItem(int nItem, CXTPTabManagerItem* pItem)
{
    if (!pItem)
        pItem = new CXTPTabManagerItem();
    pItem->m_pTabManager = this;
    if (nItem < 0 || nItem > GetItemCount())
        nItem = GetItemCount();
    m_arrItems.insert(m_arrItems.begin() + nItem, pItem);

    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    int nCounter = pPaintManager ? pPaintManager->m_nAutoColorCounter++ : 0;
    pItem->m_clrItem = xtpTabColorAutomaticFirst + (nCounter % 8);

    if (m_nTabCloseButtonMode != 0)
        pItem->m_arrNavigateButtons.Add(new CNavigateButtonTabClose(pItem, m_nTabCloseButtonMode));
    OnItemsChanged();
    return pItem;
}

BOOL CXTPTabManager::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    CXTPTabManagerItem* pItem = m_arrItems[nItem];
    if (m_pHighlighted == pItem)
        m_pHighlighted = nullptr;
    if (m_pPressed == pItem)
        m_pPressed = nullptr;
    BOOL bSelected = m_pSelected == pItem;
    m_arrItems.erase(m_arrItems.begin() + nItem);
    pItem->RemoveNavigateButtons();
    pItem->m_pTabManager = nullptr;
    pItem->m_nIndex = -1;
    pItem->InternalRelease();
    if (bSelected)
    {
        m_pSelected = nullptr;
        SetCurSel(nItem);
    }
    OnItemsChanged();
    return TRUE;
}

void CXTPTabManager::DeleteAllItems()
{
    std::vector<CXTPTabManagerItem*> arrItems;
    arrItems.swap(m_arrItems);
    m_pSelected = m_pHighlighted = m_pPressed = nullptr;
    for (CXTPTabManagerItem* pItem : arrItems)
    {
        pItem->RemoveNavigateButtons();
        pItem->m_pTabManager = nullptr;
        pItem->m_nIndex = -1;
        pItem->InternalRelease();
    }
    OnItemsChanged();
}

CXTPTabManagerItem* CXTPTabManager::GetItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount())
    {
        assert(!"item index out of range");
        return nullptr;
    }
    return m_arrItems[nIndex];
}

int CXTPTabManager::FindIndex(const CXTPTabManagerItem* pItem) const
{
    auto it = std::find(m_arrItems.begin(), m_arrItems.end(), pItem);
    return it == m_arrItems.end() ? -1 : int(it - m_arrItems.begin());
}

void CXTPTabManager::SetCurSel(int nIndex)
{
    if (GetItemCount() == 0)
    {
        SetSelectedItem(nullptr);
        return;
    }
    nIndex = std::max(0, std::min(nIndex, GetItemCount() - 1));
    SetSelectedItem(m_arrItems[nIndex]);
}

int CXTPTabManager::GetCurSel() const
{
    return m_pSelected ? FindIndex(m_pSelected) : -1;
}

CXTPTabManagerItem* CXTPTabManager::FindNextFocusable(int nIndex, int nDirection) const
{
    if (nDirection == 0)
        return nullptr;
    for (nIndex += nDirection; nIndex >= 0 && nIndex < GetItemCount(); nIndex += nDirection)
    {
        CXTPTabManagerItem* pItem = m_arrItems[nIndex];
        if (pItem->IsVisible() && pItem->IsEnabled())
            return pItem;
    }
    return nullptr;
}

CXTPTabManagerNavigateButton* CXTPTabManager::FindNavigateButton(int nID) const
{
    for (int i = 0; i < m_arrNavigateButtons.GetSize(); i++)
        if (m_arrNavigateButtons[i]->GetID() == nID)
            return m_arrNavigateButtons[i];
    return nullptr;
}

// ---- hit tests

CXTPTabManagerItem* CXTPTabManager::HitTest(CPoint point) const
{
    if (!m_rcControl.PtInRect(point))
        return nullptr;
    if (!m_rcHeaderRect.IsRectEmpty() && !m_rcHeaderRect.PtInRect(point))
        return nullptr;
    for (CXTPTabManagerItem* pItem : m_arrItems)
        if (pItem->m_rcItem.PtInRect(point) && pItem->IsEnabled() && pItem->IsVisible())
            return pItem;
    return nullptr;
}

CXTPTabManagerNavigateButton* CXTPTabManager::HitTestNavigateButton(CPoint point, BOOL bHeaderOnly, int* pnIndex) const
{
    auto search = [&](const CXTPTabManagerNavigateButtons& arr, CXTPTabManagerNavigateButton*& pHit) -> bool {
        for (int i = 0; i < arr.GetSize(); i++)
        {
            CXTPTabManagerNavigateButton* pButton = arr[i];
            if (pButton->GetRect().PtInRect(point))
            {
                pHit = pButton->IsEnabled() ? pButton : nullptr;
                if (pnIndex)
                    *pnIndex = i;
                return true;
            }
        }
        return false;
    };
    CXTPTabManagerNavigateButton* pHit = nullptr;
    if (search(m_arrNavigateButtons, pHit))
        return pHit;
    if (!bHeaderOnly)
    {
        CXTPTabManagerItem* pItem = HitTest(point);
        if (pItem && search(pItem->m_arrNavigateButtons, pHit))
            return pHit;
    }
    return nullptr;
}

// ---- activation seam

void CXTPTabManager::SetTopLevelActiveProvider(PFNISACTIVE pfn)
{
    g_pfnIsTopLevelActive = pfn;
}

BOOL CXTPTabManager::IsTopLevelActive(HWND hWnd)
{
    return g_pfnIsTopLevelActive ? g_pfnIsTopLevelActive(hWnd) : IsTopLevelParentActive(hWnd);
}

BOOL CXTPTabManager::PumpMessage(MSG& msg)
{
    BOOL bResult = ::GetMessageA(&msg, nullptr, 0, 0);
    if (bResult == 0)
    {
        ::PostQuitMessage(int(msg.wParam));
        return FALSE;
    }
    return bResult != -1;
}

int CXTPTabManager::ReadLoopMessage(HWND hWnd, MSG& msg)
{
    if (!PumpMessage(msg))
        return loopEnd;
    if (::GetCapture() != hWnd)
    {
        ::DispatchMessageA(&msg);
        return loopEnd;
    }
    if (msg.message == WM_CANCELMODE || msg.message == WM_RBUTTONUP)
        return loopEnd;
    if (msg.message == WM_KEYDOWN)
        return msg.wParam == VK_ESCAPE ? loopEnd : loopSwallowed;
    return loopMessage;
}

// ---- input

void CXTPTabManager::RedrawItem(CXTPTabManagerItem* pItem, BOOL bAnimate)
{
    if (pItem)
    {
        CRect rc = pItem->GetRect();
        RedrawControl(&rc, bAnimate);
    }
}

void CXTPTabManager::PerformMouseMove(HWND hWnd, CPoint pt)
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (!IsTopLevelActive(hWnd) || IsMouseLocked())
    {
        if (m_pHighlighted)
        {
            CXTPTabManagerItem* pOld = m_pHighlighted;
            m_pHighlighted = nullptr;
            RedrawItem(pOld, TRUE);
        }
        return;
    }

    auto requestLeave = [hWnd]() {
        if (!::IsWindow(hWnd))
            return;
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = hWnd;
        ::TrackMouseEvent(&tme);
    };

    if (pPaintManager && pPaintManager->m_bHotTracking)
    {
        CXTPTabManagerItem* pItem = HitTest(pt);
        if (pItem != m_pHighlighted)
        {
            CXTPTabManagerItem* pOld = m_pHighlighted;
            RedrawItem(pOld, TRUE);
            m_pHighlighted = pItem;
            RedrawItem(pItem, FALSE);
            if (pItem)
                requestLeave();
        }
    }

    CXTPTabManagerNavigateButton* pButton = HitTestNavigateButton(pt, FALSE);
    if (pButton != m_pHighlightedNavigateButton)
    {
        if (m_pHighlightedNavigateButton)
        {
            CRect rc = m_pHighlightedNavigateButton->GetRect();
            RedrawControl(&rc, TRUE);
        }
        m_pHighlightedNavigateButton = pButton;
        if (pButton)
        {
            CRect rc = pButton->GetRect();
            RedrawControl(&rc, FALSE);
            requestLeave();
        }
    }
}

BOOL CXTPTabManager::PerformClick(HWND hWnd, CPoint pt, BOOL bNoItemClick)
{
    CXTPTabManagerNavigateButton* pButton = HitTestNavigateButton(pt, FALSE);
    if (pButton)
    {
        pButton->PerformClick(hWnd, pt);
        return TRUE;
    }
    if (bNoItemClick)
        return FALSE;
    CXTPTabManagerItem* pItem = HitTest(pt);
    if (!pItem || !IsItemClickAllowed(pItem))
        return FALSE;

    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (IsAllowReorder())
        ReOrder(hWnd, pt, pItem);
    else if (!pPaintManager || pPaintManager->m_bSelectOnButtonDown)
        OnItemClick(pItem);
    else
        TrackClick(hWnd, pt, pItem);
    return TRUE;
}

void CXTPTabManager::TrackClick(HWND hWnd, CPoint pt, CXTPTabManagerItem* pItem)
{
    if (!::IsWindow(hWnd))
    {
        OnItemClick(pItem); // nothing to capture the mouse for
        return;
    }
    CItemHold hold(pItem);
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    BOOL bHot = pPaintManager && pPaintManager->m_bHotTracking;
    if (bHot)
        m_pHighlighted = pItem;
    m_pPressed = pItem;
    RedrawControl(nullptr, FALSE);

    ::SetCapture(hWnd);
    BOOL bInside = TRUE;
    BOOL bClick = FALSE;
    CPoint ptLast = pt;
    MSG msg;
    while (::GetCapture() == hWnd)
    {
        const int nRead = ReadLoopMessage(hWnd, msg);
        if (nRead == loopEnd)
            break;
        if (nRead == loopSwallowed)
            continue;
        if (msg.message == WM_LBUTTONUP)
        {
            ptLast = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            bClick = pItem->GetRect().PtInRect(ptLast);
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            ptLast = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            BOOL bNow = pItem->GetRect().PtInRect(ptLast);
            if (bNow != bInside)
            {
                bInside = bNow;
                if (bHot && FindIndex(pItem) >= 0)
                {
                    m_pHighlighted = bInside ? pItem : nullptr;
                    RedrawItem(pItem, FALSE);
                }
            }
            continue;
        }
        ::DispatchMessageA(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();

    if (m_pPressed == pItem)
        m_pPressed = nullptr;
    PerformMouseMove(hWnd, ptLast);
    RedrawControl(nullptr, FALSE);
    // An item the owner removed meanwhile gets no click.
    if (bClick && FindIndex(pItem) >= 0)
        OnItemClick(pItem);
}

void CXTPTabManager::ReOrder(HWND hWnd, CPoint pt, CXTPTabManagerItem* pItem)
{
    if (!::IsWindow(hWnd))
    {
        OnItemClick(pItem); // nothing to capture the mouse for
        return;
    }
    CItemHold hold(pItem);
    CXTPTabManagerItem* pSelected = m_pSelected;
    m_pSelected = pItem;
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager && pPaintManager->m_bHotTracking)
        m_pHighlighted = pItem;
    Reposition();

    std::vector<CRect> arrRects;
    for (CXTPTabManagerItem* p : m_arrItems)
        arrRects.push_back(p->GetRect());
    const int nStart = FindIndex(pItem);

    ::SetCapture(hWnd);
    CPoint ptLast = pt;
    MSG msg;
    while (::GetCapture() == hWnd)
    {
        const int nRead = ReadLoopMessage(hWnd, msg);
        if (nRead == loopEnd || msg.message == WM_LBUTTONUP)
            break;
        if (nRead == loopSwallowed)
            continue;
        if (msg.message == WM_MOUSEMOVE)
        {
            ptLast = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            int nCurrent = FindIndex(pItem);
            if (nCurrent < 0)
                break; // the owner removed the item
            int nTarget = -1;
            for (int i = 0; i < (int)arrRects.size() && i < GetItemCount(); i++)
            {
                if (i != nCurrent && arrRects[i].PtInRect(ptLast))
                {
                    nTarget = i;
                    break;
                }
            }
            while (nTarget >= 0 && nCurrent != nTarget)
            {
                int nNext = nCurrent + (nTarget > nCurrent ? 1 : -1);
                CXTPTabManagerItem* pOther = m_arrItems[nNext];
                std::swap(m_arrItems[nCurrent], m_arrItems[nNext]);
                OnItemsChanged();
                OnItemsSwapped(pItem, pOther);
                nCurrent = FindIndex(pItem);
                if (nCurrent < 0)
                    break;
            }
            continue;
        }
        ::DispatchMessageA(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();

    PerformMouseMove(hWnd, ptLast);
    // The selection goes back to what it was unless that item has gone meanwhile.
    m_pSelected = FindIndex(pSelected) >= 0 ? pSelected : nullptr;
    const int nEnd = FindIndex(pItem);
    if (nEnd < 0)
    {
        Reposition();
        return; // the owner removed the dragged item: no callbacks on it
    }
    OnItemClick(pItem);
    if (FindIndex(pItem) >= 0 && nEnd != nStart)
        OnItemMoved(pItem, nStart, nEnd);
}

BOOL CXTPTabManager::PerformKeyDown(HWND hWnd, UINT nChar)
{
    if (GetItemCount() == 0)
        return FALSE;
    if (hWnd && (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL))
    {
        if (nChar == VK_LEFT)
            nChar = VK_RIGHT;
        else if (nChar == VK_RIGHT)
            nChar = VK_LEFT;
    }
    const BOOL bHorizontal = IsHorizontalPosition();
    const int nCount = GetItemCount();
    const int nSel = GetCurSel();
    switch (nChar)
    {
    case VK_HOME:
        SelectItem(FindNextFocusable(-1, +1));
        return TRUE;
    case VK_END:
        SelectItem(FindNextFocusable(nCount, -1));
        return TRUE;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    {
        BOOL bAlongRow = (nChar == VK_LEFT || nChar == VK_RIGHT) ? bHorizontal : !bHorizontal;
        BOOL bBack = nChar == VK_LEFT || nChar == VK_UP;
        if (bAlongRow && nSel >= 0)
        {
            if (bBack && nSel > 0)
                SelectItem(FindNextFocusable(nSel, -1));
            else if (!bBack && nSel < nCount - 1)
                SelectItem(FindNextFocusable(nSel, +1));
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

INT_PTR CXTPTabManager::PerformToolHitTest(HWND hWnd, CPoint point, TOOLINFOA* pTI) const
{
    if (IsMouseLocked())
        return -1;
    int nIndex = -1;
    CXTPTabManagerNavigateButton* pButton = HitTestNavigateButton(point, FALSE, &nIndex);
    if (pButton && !pButton->GetTooltip().IsEmpty())
    {
        CXTPToolTipContext::FillToolInfo(pTI, hWnd, pButton->GetRect(), nIndex, pButton->GetTooltip());
        return nIndex;
    }
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    CXTPTabManagerItem* pItem = HitTest(point);
    if (!pItem || !pPaintManager || pPaintManager->m_nToolTipMode == 0)
        return -1;
    if (pPaintManager->m_nToolTipMode == 2 && pItem->m_nLength >= pItem->m_nContentLength)
        return -1;
    CString strTip = GetItemTooltip(pItem);
    if (strTip.IsEmpty())
        return -1;
    CString strCaption = GetItemCaption(pItem);
    CXTPToolTipContext::FillToolInfoEx(pTI, hWnd, pItem->GetRect(), pItem->GetIndex(), strTip, strCaption, strTip,
                                       nullptr);
    return pItem->GetIndex();
}

// ---- row and scrolling

void CXTPTabManager::EnsureVisible(CXTPTabManagerItem* pItem)
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem && pPaintManager)
        pPaintManager->EnsureVisible(this, pItem);
}

void CXTPTabManager::SetHeaderOffset(int nOffset)
{
    nOffset = std::min(nOffset, 0);
    if (nOffset == m_nHeaderOffset)
        return;
    m_nHeaderOffset = nOffset;
    Reposition();
}

void CXTPTabManager::SetActive(BOOL bActive)
{
    if (m_bActive == bActive)
        return;
    m_bActive = bActive;
    Reposition();
}

BOOL CXTPTabManager::IsHorizontalPosition() const
{
    int nPosition = GetPosition();
    return nPosition == xtpTabPositionTop || nPosition == xtpTabPositionBottom;
}
