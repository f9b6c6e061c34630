#include "toolkit/controls/tabs/XTPTabColorSetNative.h"

#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/controls/tabs/XTPTabManagerNavigateButton.h"

#include <vssym32.h>

namespace
{
COLORREF SysColor(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}

// A 32-bit DIB section selected into its own memory DC.
class CPixelBuffer
{
public:
    CPixelBuffer(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        m_hDC = ::CreateCompatibleDC(nullptr);
        LPBYTE pBits = nullptr;
        m_hBitmap = CreateDIBSection32(m_hDC, nWidth, nHeight, &pBits);
        m_pBits = reinterpret_cast<DWORD*>(pBits);
        if (m_hBitmap)
            m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~CPixelBuffer()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    CPixelBuffer(const CPixelBuffer&) = delete;
    CPixelBuffer& operator=(const CPixelBuffer&) = delete;

    bool IsValid() const { return m_pBits != nullptr; }
    // The pixel at (x, y) from the top-left corner (the rows are stored bottom-up).
    DWORD& At(int x, int y) { return m_pBits[(m_nHeight - 1 - y) * m_nWidth + x]; }

    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
    int m_nWidth, m_nHeight;
};
} // namespace

CXTPTabPaintManager::CColorSetWinNative::~CColorSetWinNative()
{
    m_themeTab.CloseThemeData();
    m_themeToolbar.CloseThemeData();
}

void CXTPTabPaintManager::CColorSetWinNative::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    m_themeTab.OpenThemeData(nullptr, L"TAB");
    if (m_themeTab.HasTheme())
    {
        m_pageHighlight.SetStandardValue(COLORREF(-1));
        m_pageShadow.SetStandardValue(COLORREF(-1));
        m_pageDarkShadow.SetStandardValue(COLORREF(-1));
        // Each only when the style gives it.
        COLORREF clr = 0;
        if (SUCCEEDED(m_themeTab.GetThemeColor(TABP_PANE, 0, TMT_FILLCOLORHINT, &clr)))
            m_paneFace.SetStandardValue(clr);
        if (SUCCEEDED(m_themeTab.GetThemeColor(TABP_TOPTABITEM, TIS_NORMAL, TMT_TEXTCOLOR, &clr)))
        {
            m_normalText.SetStandardValue(clr);
            m_inactiveText.SetStandardValue(clr);
        }
        if (SUCCEEDED(m_themeTab.GetThemeColor(TABP_TOPTABITEM, TIS_SELECTED, TMT_TEXTCOLOR, &clr)))
            m_selectedText.SetStandardValue(clr);
        if (SUCCEEDED(m_themeTab.GetThemeColor(TABP_TOPTABITEM, TIS_HOT, TMT_TEXTCOLOR, &clr)))
            m_hotText.SetStandardValue(clr);
    }
    m_themeToolbar.OpenThemeData(nullptr, L"TOOLBAR");
}

CPoint CXTPTabPaintManager::CColorSetWinNative::MapToUpright(int x, int y, int nWidth, int nHeight, int nPosition)
{
    switch (nPosition)
    {
    case xtpTabPositionBottom: // mirrored top to bottom
        return CPoint(x, nHeight - 1 - y);
    case xtpTabPositionLeft: // the outer edge at the left, the row's start at the top
        return CPoint(y, x);
    case xtpTabPositionRight: // the outer edge at the right, the row's start at the top
        return CPoint(y, nWidth - 1 - x);
    default:
        return CPoint(x, y);
    }
}

void CXTPTabPaintManager::CColorSetWinNative::DrawTabPart(CDC* pDC, CRect rc, int nPart, int nState, int nPosition)
{
    if (rc.IsRectEmpty())
        return;
    if (nPosition == xtpTabPositionTop)
    {
        m_themeTab.DrawThemeBackground(pDC->GetSafeHdc(), nPart, nState, &rc, nullptr);
        return;
    }
    const BOOL bVertical = nPosition == xtpTabPositionLeft || nPosition == xtpTabPositionRight;
    const int cx = rc.Width(), cy = rc.Height();
    CPixelBuffer place(cx, cy);
    CPixelBuffer upright(bVertical ? cy : cx, bVertical ? cx : cy);
    if (!place.IsValid() || !upright.IsValid())
        return;
    // The background under the tab goes through the same turn, so that the style's transparent
    // corners show what was there.
    ::BitBlt(place.m_hDC, 0, 0, cx, cy, pDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            const CPoint pt = MapToUpright(x, y, cx, cy, nPosition);
            upright.At(pt.x, pt.y) = place.At(x, y);
        }
    CRect rcUpright(0, 0, upright.m_nWidth, upright.m_nHeight);
    m_themeTab.DrawThemeBackground(upright.m_hDC, nPart, nState, &rcUpright, nullptr);
    ::GdiFlush();
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            const CPoint pt = MapToUpright(x, y, cx, cy, nPosition);
            place.At(x, y) = upright.At(pt.x, pt.y);
        }
    ::SelectObject(place.m_hDC, place.m_hOld);
    place.m_hOld = nullptr;
    ::DrawStateA(pDC->GetSafeHdc(), nullptr, nullptr, LPARAM(place.m_hBitmap), 0, rc.left, rc.top, cx, cy,
                 DST_BITMAP);
}

COLORREF CXTPTabPaintManager::CColorSetWinNative::FillItem(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pManager = pItem->GetTabManager();
    if (!m_themeTab.HasTheme() || !pManager)
        return CColorSetDefault::FillItem(pDC, rc, pItem);
    const BOOL bSelected = pItem->IsSelected();
    int nPart = TABP_TOPTABITEM;
    if (pManager->GetItem(0) == pItem)
        nPart = TABP_TOPTABITEMLEFTEDGE;
    else if (pManager->GetItem(pManager->GetItemCount() - 1) == pItem && !bSelected)
        nPart = TABP_TOPTABITEMRIGHTEDGE;
    const int nState = bSelected ? TIS_SELECTED : pItem->IsHighlighted() ? TIS_HOT : TIS_NORMAL;
    const int nPosition = pManager->GetPosition();
    if (bSelected && nPosition == xtpTabPositionTop)
        rc.bottom += 2;
    else if (bSelected && nPosition == xtpTabPositionLeft)
        rc.right += 1;
    DrawTabPart(pDC, rc, nPart, nState, nPosition);
    return GetItemColorByState(pItem);
}

void CXTPTabPaintManager::CColorSetWinNative::FillItemFace(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    if (!m_themeTab.HasTheme())
    {
        CColorSetDefault::FillItemFace(pDC, rc, pTabManager);
        return;
    }
    const int nPosition = pTabManager->GetPosition();
    if (nPosition == xtpTabPositionBottom)
        rc.bottom += 1;
    else if (nPosition == xtpTabPositionRight)
        rc.right += 1;
    m_themeTab.DrawThemeBackground(pDC->GetSafeHdc(), TABP_PANE, 0, &rc, nullptr);
}

void CXTPTabPaintManager::CColorSetWinNative::AdjustClientClip(CDC* pDC, CRect& rcClient, CXTPTabManager* pTabManager)
{
    if (!m_themeTab.HasTheme())
        return;
    CPoint pt(rcClient.left, rcClient.top);
    switch (pTabManager->GetPosition())
    {
    case xtpTabPositionBottom:
        pt.y = rcClient.bottom - 2;
        break;
    case xtpTabPositionRight:
        pt.x = rcClient.right - 2;
        break;
    default:
        break;
    }
    ::ExcludeClipRect(pDC->GetSafeHdc(), pt.x, pt.y, pt.x + 1, pt.y + 1);
}

void CXTPTabPaintManager::CColorSetWinNative::FillSelectedItemFace(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (!m_themeToolbar.HasTheme() || !pItem->IsSelected())
    {
        CColorSetDefault::FillSelectedItemFace(pDC, rc, pItem);
        return;
    }
    m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON, pItem->IsHighlighted() ? TS_HOTCHECKED : TS_CHECKED,
                                       &rc, nullptr);
}

void CXTPTabPaintManager::CColorSetWinNative::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton,
                                                                 CRect& rc)
{
    if (!m_themeToolbar.HasTheme())
    {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    pDC->SetTextColor(SysColor(COLOR_BTNTEXT));
    if (!pButton->IsEnabled())
        return;
    const int nState = pButton->IsPressed() ? TS_PRESSED : pButton->IsHighlighted() ? TS_HOT : TS_NORMAL;
    m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, &rc, nullptr);
}
