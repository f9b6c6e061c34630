#include "toolkit/commandbars/paint/XTPScrollBarPaintManager.h"

#include "toolkit/commandbars/controls/XTPScrollBase.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/system/XTPWinThemeWrapper.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace
{
// The rectangles a scroll bar is drawn from.
struct ScrollRects
{
    CRect rcUp, rcDown, rcTrack, rcPageUp, rcPageDown, rcThumb;
    BOOL bThumb = FALSE; // the thumb fits between the arrows
};

CRect AxisRect(const XTP_SCROLLBAR_LAYOUT& layout, int pxFrom, int pxTo)
{
    return CXTPScrollBase::AxisRect(layout, pxFrom, pxTo);
}

ScrollRects CalcRects(const XTP_SCROLLBAR_LAYOUT& layout)
{
    ScrollRects r;
    r.rcUp = AxisRect(layout, layout.pxStart, layout.pxUpArrow);
    r.rcDown = AxisRect(layout, layout.pxDownArrow, layout.pxEnd);
    r.rcTrack = AxisRect(layout, layout.pxUpArrow, layout.pxDownArrow);
    r.bThumb = layout.cxThumb > 0 && layout.pxThumbTop >= layout.pxUpArrow &&
               layout.pxThumbBottom <= layout.pxDownArrow;
    r.rcPageUp = AxisRect(layout, layout.pxUpArrow, layout.pxThumbTop);
    r.rcPageDown = AxisRect(layout, layout.pxThumbBottom, layout.pxDownArrow);
    r.rcThumb = AxisRect(layout, layout.pxThumbTop, layout.pxThumbBottom);
    return r;
}

// State within a group of four: 0 normal, 1 hot, 2 pressed, 3 disabled.
int StateOffset(int nPart, int nHot, int nPressed, BOOL bEnabled)
{
    if (!bEnabled)
        return 3;
    if (nPressed == nPart)
        return 2;
    if (nHot == nPart && nPressed == 0)
        return 1;
    return 0;
}
} // namespace

CXTPScrollBarPaintManager::CXTPScrollBarPaintManager(CXTPPaintManager* pPaintManager)
    : m_themeScrollBar(new CXTPWinThemeWrapper()), m_pPaintManager(pPaintManager)
{
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
}

CXTPScrollBarPaintManager::~CXTPScrollBarPaintManager()
{
    delete m_themeScrollBar;
}

void CXTPScrollBarPaintManager::RefreshMetrics()
{
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_themeScrollBar->OpenThemeData(nullptr, L"SCROLLBAR");
}

BOOL CXTPScrollBarPaintManager::IsScrollBarDrawnEnabled(CXTPScrollBase* pScrollBar)
{
    const XTP_SCROLLBAR_LAYOUT& layout = pScrollBar->GetScrollBarLayout();
    const long long nRange = static_cast<long long>(layout.nMax) - layout.nMin + 1;
    return nRange > layout.nPage && pScrollBar->IsScrollBarEnabled();
}

void CXTPScrollBarPaintManager::DrawArrowGlyph(CDC* pDC, CRect rcButton, char chGlyph, BOOL bEnabled)
{
    const int nShorter = rcButton.Width() < rcButton.Height() ? rcButton.Width() : rcButton.Height();
    if (nShorter < 6)
        return;
    LOGFONTA lf = {};
    lf.lfHeight = nShorter - 4;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SYMBOL_CHARSET;
    lstrcpynA(lf.lfFaceName, "MARLETT", LF_FACESIZE);
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return;
    CFont* pOldFont = pDC->SelectObject(&font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(bEnabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_BTNSHADOW));
    pDC->TextOut((rcButton.Width() - nShorter) / 2 + rcButton.left + 2,
                 (rcButton.Height() - nShorter) / 2 + rcButton.top + 2, &chGlyph, 1);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CXTPScrollBarPaintManager::DrawScrollBar(CDC* pDC, CXTPScrollBase* pScrollBar)
{
    const XTP_SCROLLBAR_LAYOUT& layout = pScrollBar->GetScrollBarLayout();
    if (layout.pxEnd - layout.pxStart <= 0)
        return;
    const int nStyle = pScrollBar->GetScrollBarStyle();
    if (nStyle == xtpScrollStyleSystem && m_themeScrollBar->HasTheme() && m_themeScrollBar->IsAppThemed())
        DrawThemed(pDC, pScrollBar);
    else
        DrawClassic(pDC, pScrollBar, nStyle == xtpScrollStyleFlat);
}

void CXTPScrollBarPaintManager::DrawThemed(CDC* pDC, CXTPScrollBase* pScrollBar)
{
    const XTP_SCROLLBAR_LAYOUT& layout = pScrollBar->GetScrollBarLayout();
    const ScrollRects r = CalcRects(layout);
    const BOOL bEnabled = IsScrollBarDrawnEnabled(pScrollBar);
    const int nHot = pScrollBar->GetHotScrollPart();
    const int nPressed = pScrollBar->GetPressedScrollPart();
    const HDC hDC = pDC->GetSafeHdc();
    const BOOL bVert = layout.bVertical;

    const int nUpGroup = bVert ? ABS_UPNORMAL : ABS_LEFTNORMAL;
    const int nDownGroup = bVert ? ABS_DOWNNORMAL : ABS_RIGHTNORMAL;
    m_themeScrollBar->DrawThemeBackground(
        hDC, SBP_ARROWBTN, nUpGroup + StateOffset(xtpScrollPartUpArrow, nHot, nPressed, bEnabled), &r.rcUp, nullptr);
    m_themeScrollBar->DrawThemeBackground(
        hDC, SBP_ARROWBTN, nDownGroup + StateOffset(xtpScrollPartDownArrow, nHot, nPressed, bEnabled), &r.rcDown,
        nullptr);

    const BOOL bThumb = bEnabled && r.bThumb;
    const int nUpperTrack = bVert ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ;
    const int nLowerTrack = bVert ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ;
    if (!bThumb)
    {
        m_themeScrollBar->DrawThemeBackground(hDC, nUpperTrack, bEnabled ? SCRBS_NORMAL : SCRBS_DISABLED, &r.rcTrack,
                                              nullptr);
        return;
    }
    m_themeScrollBar->DrawThemeBackground(
        hDC, nUpperTrack, 1 + StateOffset(xtpScrollPartPageUp, nHot, nPressed, TRUE), &r.rcPageUp, nullptr);
    m_themeScrollBar->DrawThemeBackground(
        hDC, nLowerTrack, 1 + StateOffset(xtpScrollPartPageDown, nHot, nPressed, TRUE), &r.rcPageDown, nullptr);
    m_themeScrollBar->DrawThemeBackground(hDC, bVert ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ,
                                          1 + StateOffset(xtpScrollPartThumb, nHot, nPressed, TRUE), &r.rcThumb,
                                          nullptr);
    if (layout.cxThumb > 13)
        m_themeScrollBar->DrawThemeBackground(hDC, bVert ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ,
                                              1 + StateOffset(xtpScrollPartThumb, nHot, nPressed, TRUE), &r.rcThumb,
                                              nullptr);
}

void CXTPScrollBarPaintManager::DrawClassic(CDC* pDC, CXTPScrollBase* pScrollBar, BOOL bFlat)
{
    const XTP_SCROLLBAR_LAYOUT& layout = pScrollBar->GetScrollBarLayout();
    ScrollRects r = CalcRects(layout);
    const BOOL bEnabled = IsScrollBarDrawnEnabled(pScrollBar);
    const int nPressed = pScrollBar->GetPressedScrollPart();
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    const COLORREF clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);

    // Arrows.
    const struct
    {
        CRect rc;
        int nPart;
        char chGlyph;
        UINT nFrameState;
    } arrows[] = {
        {r.rcUp, xtpScrollPartUpArrow, layout.bVertical ? '5' : '3',
         static_cast<UINT>(layout.bVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT)},
        {r.rcDown, xtpScrollPartDownArrow, layout.bVertical ? '6' : '4',
         static_cast<UINT>(layout.bVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT)},
    };
    for (const auto& arrow : arrows)
    {
        CRect rc = arrow.rc;
        if (rc.IsRectEmpty())
            continue;
        const BOOL bPressed = nPressed == arrow.nPart;
        if (bFlat)
        {
            pDC->FillSolidRect(&rc, clrFace);
            if (bPressed)
                pDC->Draw3dRect(&rc, clrShadow, clrLight);
            else
                pDC->Draw3dRect(&rc, clrLight, clrShadow);
            DrawArrowGlyph(pDC, rc, arrow.chGlyph, bEnabled);
        }
        else
        {
            pDC->DrawFrameControl(&rc, DFC_SCROLL,
                                  arrow.nFrameState | (bPressed ? DFCS_PUSHED : 0u) | (bEnabled ? 0u : DFCS_INACTIVE));
        }
    }

    // The track in the parent's scroll-bar brush; a pressed page part shows inverted.
    if (!r.rcTrack.IsRectEmpty())
    {
        CWnd* pParent = pScrollBar->GetParentWindow();
        HWND hWndParent = pParent ? pParent->GetSafeHwnd() : nullptr;
        HBRUSH hBrush = nullptr;
        if (hWndParent)
            hBrush = reinterpret_cast<HBRUSH>(::DefWindowProcA(hWndParent, WM_CTLCOLORSCROLLBAR,
                                                               reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                               reinterpret_cast<LPARAM>(hWndParent)));
        if (!hBrush)
            hBrush = ::GetSysColorBrush(COLOR_SCROLLBAR);
        ::FillRect(pDC->GetSafeHdc(), &r.rcTrack, hBrush);
    }
    const BOOL bThumb = bEnabled && r.bThumb;
    if (bThumb && nPressed == xtpScrollPartPageUp && !r.rcPageUp.IsRectEmpty())
        pDC->InvertRect(&r.rcPageUp);
    if (bThumb && nPressed == xtpScrollPartPageDown && !r.rcPageDown.IsRectEmpty())
        pDC->InvertRect(&r.rcPageDown);
    if (!bThumb || r.rcThumb.IsRectEmpty())
        return;
    pDC->FillSolidRect(&r.rcThumb, clrFace);
    if (bFlat)
        pDC->Draw3dRect(&r.rcThumb, clrLight, clrShadow);
    else
        pDC->DrawEdge(&r.rcThumb, EDGE_RAISED, BF_RECT | BF_ADJUST);
}
