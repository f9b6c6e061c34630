// The shared drawing of CXTPPaintManager that every theme inherits: line and rectangle helpers,
// glyphs (check and radio marks, triangles), check-box and radio marks, MDI buttons, the floating
// caption, the status bar, the message bar, keyboard tips, edit and combo measures and the popup
// animations.
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/bars/XTPMessageBar.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/paint/XTPExpandingBands.h"
#include "toolkit/commandbars/bars/XTPStatusBar.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlComboBox.h"
#include "toolkit/commandbars/controls/XTPControlEdit.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/system/XTPWinThemeWrapper.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{
int TextHeight(CDC* pDC, CFont* pFont)
{
    CFont* pOld = pDC->SelectObject(pFont);
    int cy = pDC->GetTextExtent(" ", 1).cy;
    pDC->SelectObject(pOld);
    return cy;
}
} // namespace

// ---------------------------------------------------------------- line and rectangle helpers

void CXTPPaintManager::HorizontalLine(CDC* pDC, int x0, int y, int x1, int nColor)
{
    if (nColor != -1 && x1 > x0)
        pDC->FillSolidRect(x0, y, x1 - x0, 1, GetColor(nColor));
}

void CXTPPaintManager::VerticalLine(CDC* pDC, int x, int y0, int y1, int nColor)
{
    if (nColor != -1 && y1 > y0)
        pDC->FillSolidRect(x, y0, 1, y1 - y0, GetColor(nColor));
}

void CXTPPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1, int nColor)
{
    if (nColor == -1)
        return;
    // Straight lines go through the fill helpers; like a pen line they leave out the end point.
    if (y0 == y1)
    {
        if (x1 >= x0)
            HorizontalLine(pDC, x0, y0, x1, nColor);
        else
            HorizontalLine(pDC, x1 + 1, y0, x0 + 1, nColor);
        return;
    }
    if (x0 == x1)
    {
        if (y1 >= y0)
            VerticalLine(pDC, x0, y0, y1, nColor);
        else
            VerticalLine(pDC, x0, y1 + 1, y0 + 1, nColor);
        return;
    }
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, GetColor(nColor));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
    pDC->SelectObject(pOldPen);
}

void CXTPPaintManager::Rectangle(CDC* pDC, CRect rc, int nFrameColor, int nFillColor)
{
    if (nFillColor != -1)
        pDC->FillSolidRect(&rc, GetColor(nFillColor));
    if (nFrameColor != -1 && nFrameColor != nFillColor)
        pDC->Draw3dRect(&rc, GetColor(nFrameColor), GetColor(nFrameColor));
}

void CXTPPaintManager::Draw3dRect(CDC* pDC, CRect rc, int nTopLeftColor, int nBottomRightColor)
{
    // -1 is no colour: its two edges are skipped.
    if (rc.IsRectEmpty())
        return;
    if (nTopLeftColor != -1)
    {
        pDC->FillSolidRect(rc.left, rc.top, rc.Width() - 1, 1, GetColor(nTopLeftColor));
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height() - 1, GetColor(nTopLeftColor));
    }
    if (nBottomRightColor != -1)
    {
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), GetColor(nBottomRightColor));
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(nBottomRightColor));
    }
}

// ---------------------------------------------------------------- captions, images, scaling

void CXTPPaintManager::SplitCaption(const CString& strCaption, CString& strLine1, CString& strLine2)
{
    strLine1 = strCaption;
    strLine2.Empty();
    const int nLength = strCaption.GetLength();
    if (nLength < 2 || strCaption.Find(' ', 1) < 0)
        return;
    const int m = nLength / 2;
    for (int i = 0; i < m - 1; ++i)
    {
        if (strCaption[m - i] == ' ')
        {
            strLine1 = strCaption.Left(m - i);
            strLine2 = strCaption.Mid(m - i + 1);
            return;
        }
        if (m + i + 1 < nLength && strCaption[m + i + 1] == ' ')
        {
            strLine1 = strCaption.Left(m + i + 1);
            strLine2 = strCaption.Mid(m + i + 2);
            return;
        }
    }
}

CSize CXTPPaintManager::DrawControlText(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bDraw, BOOL bVert,
                                        BOOL bDropDown)
{
    CString strCaption = pControl ? pControl->GetCaption() : CString();
    StripAmpersands(strCaption);
    CString strLine1 = strCaption, strLine2;
    if (m_bWrapCaptionBelowText)
        SplitCaption(strCaption, strLine1, strLine2);
    const CSize sz1 = pDC->GetTextExtent(strLine1.IsEmpty() ? CString(" ") : strLine1);
    const CSize sz2 = pDC->GetTextExtent(strLine2.IsEmpty() ? CString(" ") : strLine2);
    const int nWidth2 = (strLine2.IsEmpty() ? 0 : sz2.cx) + (bDropDown ? 8 : 0);
    const int nWidth = std::max<int>(strLine1.IsEmpty() ? 0 : sz1.cx, nWidth2);
    if (!bDraw)
        return bVert ? CSize(24, nWidth) : CSize(nWidth, 24);

    const int nLineHeight = sz1.cy;
    CRect rc1(rc.left, rc.top, rc.right, rc.top + nLineHeight);
    pDC->DrawText(strLine1, &rc1, DT_SINGLELINE | DT_CENTER | DT_NOPREFIX | DT_NOCLIP);
    if (!strLine2.IsEmpty())
    {
        const int x = rc.left + (rc.Width() - nWidth2) / 2;
        CRect rc2(x, rc.top + nLineHeight, x + sz2.cx, rc.top + 2 * nLineHeight);
        pDC->DrawText(strLine2, &rc2, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX | DT_NOCLIP);
        if (bDropDown)
            DrawDropDownGlyph(pDC, pControl, CPoint(rc2.right + 4, rc2.top + nLineHeight / 2), pControl->GetSelected(),
                              pControl->GetPopped(), pControl->GetEnabled(), FALSE);
    }
    else if (bDropDown)
    {
        DrawDropDownGlyph(pDC, pControl, CPoint(rc.CenterPoint().x, rc.top + nLineHeight + nLineHeight / 2),
                          pControl->GetSelected(), pControl->GetPopped(), pControl->GetEnabled(), FALSE);
    }
    return bVert ? CSize(24, nWidth) : CSize(nWidth, 24);
}

void CXTPPaintManager::DrawCompositedText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bGlass)
{
    if (bGlass)
    {
        CXTPWinThemeWrapper theme;
        if (theme.OpenThemeData(nullptr, L"GLOBALS") && theme.IsAppThemed())
        {
            HDC hBuffer = nullptr;
            HPAINTBUFFER hPaint = theme.BeginBufferedPaint(pDC->GetSafeHdc(), &rc, BPBF_TOPDOWNDIB, nullptr, &hBuffer);
            if (hPaint && hBuffer)
            {
                ::BitBlt(hBuffer, rc.left, rc.top, rc.Width(), rc.Height(), pDC->GetSafeHdc(), rc.left, rc.top,
                         SRCCOPY);
                HGDIOBJ hOldFont = ::SelectObject(hBuffer, ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
                DTTOPTS options = {};
                options.dwSize = sizeof(DTTOPTS);
                options.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
                options.crText = pDC->GetTextColor();
                std::wstring strWide(static_cast<size_t>(strText.GetLength()) + 1, L'\0');
                const int nWide = ::MultiByteToWideChar(CP_ACP, 0, strText, strText.GetLength(), &strWide[0],
                                                        static_cast<int>(strWide.size()));
                CRect rcText = rc;
                const HRESULT hr = theme.DrawThemeTextEx(hBuffer, 0, 0, strWide.c_str(), nWide, nFormat, &rcText, &options);
                ::SelectObject(hBuffer, hOldFont);
                theme.EndBufferedPaint(hPaint, SUCCEEDED(hr));
                if (SUCCEEDED(hr))
                    return;
            }
        }
    }
    pDC->DrawText(strText, &rc, nFormat);
}

CSize CXTPPaintManager::FitImage(CSize szImage, int nWidth, int nHeight)
{
    if (szImage.cx <= 0 || szImage.cy <= 0)
        return CSize(nWidth, nHeight);
    const int h = nWidth * szImage.cy / szImage.cx;
    if (nHeight + 1 < h)
        return CSize(nHeight * szImage.cx / szImage.cy, nHeight);
    return CSize(nWidth, h);
}

int CXTPPaintManager::ScaleX(int nValue, int nThreshold)
{
    const int nDpi = GetCommandBarsSystemQuery()->GetScreenDpi().cx;
    return nThreshold < nDpi ? nValue * nDpi / 96 : nValue;
}

int CXTPPaintManager::ScaleY(int nValue, int nThreshold)
{
    const int nDpi = GetCommandBarsSystemQuery()->GetScreenDpi().cy;
    return nThreshold < nDpi ? nValue * nDpi / 96 : nValue;
}

void CXTPPaintManager::DrawAntialiasedCircle(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom,
                                             COLORREF clrEdge, COLORREF clrFill)
{
    const int nSize = nRight - nLeft;
    if (nSize <= 0 || nBottom - nTop <= 0)
        return;
    const double r = (nSize - 1) / 2.0 - 0.25;
    const double cx = nLeft + (nSize - 1) / 2.0, cy = nTop + (nBottom - nTop - 1) / 2.0;
    for (int y = nTop; y < nBottom; ++y)
    {
        for (int x = nLeft; x < nRight; ++x)
        {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d < r - 1)
            {
                pDC->SetPixelV(x, y, clrFill);
            }
            else if (d <= r + 1)
            {
                // The nearer to the inner border, the more of the edge colour.
                const double t = (r + 1 - d) / 2;
                const COLORREF clrOld = pDC->GetPixel(x, y);
                auto mix = [t](int a, int b) { return static_cast<int>(a * t + b * (1 - t) + 0.5); };
                pDC->SetPixelV(x, y,
                               RGB(mix(GetRValue(clrEdge), GetRValue(clrOld)), mix(GetGValue(clrEdge), GetGValue(clrOld)),
                                   mix(GetBValue(clrEdge), GetBValue(clrOld))));
            }
        }
    }
}

// ---------------------------------------------------------------- glyphs

void CXTPPaintManager::DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clr);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const int cx = rc.left + rc.Width() / 2, cy = rc.top + rc.Height() / 2;
    const BOOL bRtl = IsContextRightToLeft(pDC);
    for (int nPass = 0; nPass < (m_bThickCheckMark ? 2 : 1); ++nPass)
    {
        const int y = cy + nPass;
        if (!bRtl)
        {
            const POINT a[3] = {{cx - 4, y - 1}, {cx - 2, y + 1}, {cx + 3, y - 4}};
            const POINT b[3] = {{cx - 4, y}, {cx - 2, y + 2}, {cx + 3, y - 3}};
            pDC->Polyline(a, 3);
            pDC->Polyline(b, 3);
        }
        else
        {
            const POINT a[3] = {{cx - 4, y - 3}, {cx, y + 1}, {cx + 3, y - 2}};
            const POINT b[3] = {{cx - 4, y - 2}, {cx, y + 2}, {cx + 3, y - 1}};
            pDC->Polyline(a, 3);
            pDC->Polyline(b, 3);
        }
    }
    pDC->SelectObject(pOldPen);
}

void CXTPPaintManager::DrawRadioMark(CDC* pDC, CRect rc, COLORREF clr)
{
    const int cx = rc.left + rc.Width() / 2, cy = rc.top + rc.Height() / 2;
    DrawAntialiasedCircle(pDC, cx - 3, cy - 3, cx + 4, cy + 4, clr, clr);
}

void CXTPPaintManager::DrawComboExpandMark(CDC* pDC, CRect rc, COLORREF clr)
{
    const int nHalf = rc.Width() / 2;
    const int f = nHalf > 5 ? nHalf - 4 : 2;
    const int cx = rc.left + nHalf, y = rc.top + rc.Height() / 2 - f / 2;
    DrawTriangle(pDC, CPoint(cx - f, y), CPoint(cx + f, y), CPoint(cx, y + f), clr);
}

void CXTPPaintManager::DrawDropDownGlyph(CDC* pDC, CXTPControl* pControl, CPoint pt, BOOL bSelected,
                                         BOOL bPopuped, BOOL bEnabled, BOOL bVert)
{
    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    const COLORREF clr = GetStateTextColor(bSelected, FALSE, bEnabled, FALSE, bPopuped,
                                           pBar ? pBar->GetType() : xtpBarTypeNormal, pBar ? pBar->GetPosition() : 0);
    if (bVert)
        DrawTriangle(pDC, CPoint(pt.x + 2, pt.y - 2), CPoint(pt.x + 2, pt.y + 2), pt, clr);
    else
        DrawTriangle(pDC, CPoint(pt.x - 2, pt.y - 1), CPoint(pt.x + 2, pt.y - 1), CPoint(pt.x, pt.y + 1), clr);
}

namespace
{
// A check-box (visual-style part 3, frame kind DFCS_BUTTONCHECK) or radio (part 2,
// DFCS_BUTTONRADIO) mark: the "BUTTON" visual style when given, else the system frame control.
// The style state is 1 + base (+4 checked, +8 indeterminate).
void DrawButtonMark(CDC* pDC, CRect rc, CXTPWinThemeWrapper* pTheme, int nPart, UINT nKind, BOOL bSelected,
                    BOOL bPressed, int nChecked, BOOL bEnabled)
{
    if (pTheme)
    {
        const int nBase = !bEnabled ? 3 : !bSelected ? 0 : bPressed ? 2 : 1;
        const int nState = 1 + nBase + (nChecked == 1 ? 4 : nChecked == 2 ? 8 : 0);
        pTheme->DrawThemeBackground(pDC->GetSafeHdc(), nPart, nState, &rc, nullptr);
        return;
    }
    const UINT nState = nKind | (nChecked ? DFCS_CHECKED : 0) | (bPressed ? DFCS_PUSHED : 0) |
                        ((!bEnabled || nChecked == 2) ? DFCS_INACTIVE : 0);
    pDC->DrawFrameControl(&rc, DFC_BUTTON, nState);
}
} // namespace

CSize CXTPPaintManager::DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                                BOOL bChecked, BOOL bEnabled)
{
    if (bDraw)
        DrawButtonMark(pDC, rc, m_bThemedCheckBox && m_themeButton->HasTheme() ? m_themeButton : nullptr, 3,
                       DFCS_BUTTONCHECK, bSelected, bPressed, bChecked, bEnabled);
    return CSize(13, 13);
}

CSize CXTPPaintManager::DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                                   BOOL bChecked, BOOL bEnabled)
{
    if (bDraw)
        DrawButtonMark(pDC, rc, m_bThemedCheckBox && m_themeButton->HasTheme() ? m_themeButton : nullptr, 2,
                       DFCS_BUTTONRADIO, bSelected, bPressed, bChecked, bEnabled);
    return CSize(13, 13);
}

CSize CXTPPaintManager::DrawControlMDIButton(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    // The menu bar's caption buttons are 16 x 16; the glyph is the caption in the Marlett font
    // ("0" minimise, "2" restore, "r" close).
    if (!bDraw || !pControl)
        return CSize(16, 16);
    const int nDpi = pDC->GetDeviceCaps(LOGPIXELSX);
    CFont font;
    font.CreatePointFont(80 * 96 / (nDpi > 0 ? nDpi : 96), "Marlett", pDC);
    DrawControlBackground(pDC, pControl);
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetControlTextColor(pControl));
    CRect rc = pControl->GetRect();
    pDC->DrawText(pControl->GetCaption(), &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
    return rc.Size();
}

// ---------------------------------------------------------------- floating caption

CSize CXTPPaintManager::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (!pBar || pBar->GetPosition() != xtpBarFloating)
        return CSize(0, 0);
    CRect rcClient;
    if (pBar->GetSafeHwnd())
        ::GetClientRect(pBar->GetSafeHwnd(), &rcClient);
    const int nTextHeight = TextHeight(pDC, &m_fontSmCaption);
    CRect rc(3, 3, rcClient.right - 3, nTextHeight < 15 ? 18 : nTextHeight + 3);
    if (bDraw)
    {
        pDC->FillSolidRect(&rc, m_clrFloatingGripper);
        CFont* pOldFont = pDC->SelectObject(&m_fontSmCaption);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(m_clrFloatingGripperText);
        CRect rcText(5, rc.top, rc.right - 2 * rc.Height(), rc.bottom);
        pDC->DrawText(pBar->GetTitle(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SelectObject(pOldFont);
    }
    return rc.Size();
}

// ---------------------------------------------------------------- status bar

void CXTPPaintManager::FillStatusBarRect(CDC* pDC, CRect rcClient)
{
    if (m_bThemedStatusBar && m_themeStatusBar->HasTheme())
        m_themeStatusBar->DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, &rcClient, nullptr);
    else
        pDC->FillSolidRect(&rcClient, GetColor(COLOR_3DFACE));
}

void CXTPPaintManager::DrawStatusPaneButton(CDC* pDC, CRect rc, const XTPStatusPaneLook& pane)
{
    if (!pane.bHot && !pane.bPressed && !pane.bChecked)
        return;
    DrawStateFace(pDC, rc, pane.bHot, pane.bPressed, TRUE, pane.bChecked, FALSE, xtpBarTypeNormal, xtpBarBottom);
}

void CXTPPaintManager::DrawStatusPane(CDC* pDC, CRect& rc, const XTPStatusPaneLook& pane)
{
    if (pane.clrBackground != COLORREF(-1))
    {
        CRect rcFill = rc;
        if (!(pane.nStyle & 0x100))
            rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcFill, pane.clrBackground);
    }
    if (pane.bButton)
        DrawStatusPaneButton(pDC, rc, pane);

    CFont* pOldFont = pDC->SelectObject(pane.pFont ? pane.pFont : &m_fontToolTip);
    CRect rcText(rc.left + pane.rcPadding.left, rc.top + pane.rcPadding.top, rc.right - pane.rcPadding.right,
                 rc.bottom - pane.rcPadding.bottom);
    COLORREF clrText;
    if (!pane.bEnabled)
        clrText = pane.clrTextDisabled != COLORREF(-1) ? pane.clrTextDisabled : m_clrStatusTextGrayColor;
    else if (pane.clrText != COLORREF(-1))
        clrText = pane.clrText;
    else if (pane.bButton && (pane.bHot || pane.bPressed))
        clrText = GetStateTextColor(pane.bHot, pane.bPressed, TRUE, FALSE, FALSE, xtpBarTypeNormal, xtpBarBottom);
    else
        clrText = m_clrStatusTextColor;

    const CSize szIcon = pane.pIcon ? pane.pIcon->GetExtent() : CSize(0, 0);
    const int nTextWidth = pane.strText.IsEmpty() ? 0 : pDC->GetTextExtent(pane.strText).cx;
    const int nContent = nTextWidth + (pane.pIcon ? szIcon.cx + 2 : 0);
    if (pane.nAlignment != 0 && nContent < rcText.Width())
    {
        if (pane.nAlignment == 1)
            rcText.left += (rcText.Width() - nContent) / 2;
        else if (pane.nAlignment == 2)
            rcText.left = rcText.right - nContent;
    }
    if (pane.pIcon && szIcon.cx <= rcText.Width())
    {
        CXTPImageHandle& hImage = pane.pIcon->GetImageByState(pane.bEnabled ? 0 : 1);
        pane.pIcon->Draw(pDC, rcText.left, rcText.top + (rcText.Height() - szIcon.cy) / 2, hImage, szIcon.cx,
                         szIcon.cy);
        rcText.left += szIcon.cx + 2;
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    pDC->DrawText(pane.strText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    pDC->SelectObject(pOldFont);
}

void CXTPPaintManager::DrawStatusPaneBorder(CDC* pDC, CRect rc, BOOL bButtonPane, BOOL bLastPane)
{
    if (m_bThemedStatusBar && m_themeStatusBar->HasTheme())
    {
        m_themeStatusBar->DrawThemeBackground(pDC->GetSafeHdc(), bLastPane ? 2 : 1, 0, &rc, nullptr);
        return;
    }
    if (!bButtonPane)
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
}

void CXTPPaintManager::DrawStatusBarPaneSeparator(CDC* pDC, CRect rc, CXTPStatusBarPane*)
{
    Draw3dRect(pDC, CRect(rc.left - 2, rc.top, rc.left, rc.bottom), COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
}

void CXTPPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rc)
{
    if (m_bThemedStatusBar && m_themeStatusBar->HasTheme())
    {
        CRect rcGripper(rc.right - 18, rc.top, rc.right, rc.bottom);
        m_themeStatusBar->DrawThemeBackground(pDC->GetSafeHdc(), 3, 0, &rcGripper, nullptr);
        return;
    }
    const int w = rc.Width(), h = rc.Height(), x = rc.left, y = rc.top;
    for (int i = 0; i < 3; ++i)
    {
        Line(pDC, x + w - 3 - 4 * i, y + h - 2, x + w - 1, y + h - 4 - 4 * i, COLOR_3DSHADOW);
        Line(pDC, x + w - 4 - 4 * i, y + h - 2, x + w - 1, y + h - 5 - 4 * i, COLOR_3DSHADOW);
        Line(pDC, x + w - 5 - 4 * i, y + h - 2, x + w - 1, y + h - 6 - 4 * i, COLOR_3DHIGHLIGHT);
    }
}

// The status bar's panes hand their look to the routines above; the tip window's slot waits for
// its kind. The message bar hands its client, its message area and its buttons to the look
// routines below.
namespace
{
XTPStatusPaneLook StatusPaneLook(CXTPStatusBarPane* pPane)
{
    XTPStatusPaneLook look;
    look.strText = pPane->GetText();
    look.clrBackground = pPane->GetBackgroundColor();
    look.clrText = pPane->GetTextColor();
    look.clrTextDisabled = pPane->GetTextGrayColor();
    look.nAlignment = pPane->GetTextAlignment();
    look.nStyle = pPane->GetStyle();
    look.bEnabled = pPane->IsEnabled();
    look.bButton = pPane->IsButton();
    look.rcPadding = pPane->GetPadding();
    CXTPStatusBar* pBar = pPane->GetStatusBar();
    if (pPane->GetIconId() && pBar && pBar->GetImageManager())
        look.pIcon = pBar->GetImageManager()->GetImage(static_cast<UINT>(pPane->GetIconId()));
    return look;
}
} // namespace

void CXTPPaintManager::DrawStatusBarPane(CDC* pDC, CRect& rc, CXTPStatusBarPane* pPane)
{
    if (!pDC || !pPane)
        return;
    DrawStatusPane(pDC, rc, StatusPaneLook(pPane));
}
void CXTPPaintManager::DrawStatusBarPaneButton(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane)
{
    if (!pDC || !pPane)
        return;
    DrawStatusPaneButton(pDC, rc, StatusPaneLook(pPane));
}
int CXTPPaintManager::DrawStatusBarSwitchPane(CDC* pDC, CRect rc, CXTPStatusBarSwitchPane* pPane)
{
    if (!pPane)
        return 0;
    CXTPStatusBar* pBar = pPane->GetStatusBar();
    CXTPImageManager* pImageManager = pBar ? pBar->GetImageManager() : nullptr;
    int x = rc.left;
    for (int i = 0; i < pPane->GetSwitchCount(); ++i)
    {
        CXTPStatusBarSwitchPane::SWITCH* pSwitch = pPane->GetSwitch(i);
        CRect rcSwitch(x, rc.top, x + pSwitch->nWidth, rc.bottom);
        x += pSwitch->nWidth;
        if (!pDC)
            continue;
        XTPStatusPaneLook look;
        look.bButton = TRUE;
        look.bEnabled = pSwitch->bEnabled;
        look.bHot = pSwitch->bHot;
        look.bPressed = pSwitch->bPressed;
        look.bChecked = pSwitch->bChecked;
        look.nAlignment = 1;
        look.rcPadding.SetRect(0, 0, 0, 0);
        look.pIcon = pImageManager ? pImageManager->GetImage(pSwitch->nID) : nullptr;
        DrawStatusPane(pDC, rcSwitch, look);
    }
    return x - rc.left;
}
void CXTPPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane, BOOL bLastPane)
{
    if (!pDC || !pPane || (pPane->GetStyle() & SBPS_NOBORDERS))
        return;
    DrawStatusPaneBorder(pDC, rc, pPane->IsButton(), bLastPane);
}
void CXTPPaintManager::FillDockBar(CDC* pDC, CXTPDockBar* pBar)
{
    // The plain face behind docked toolbars.
    CRect rc;
    if (pBar && pBar->GetSafeHwnd() && ::GetClientRect(pBar->GetSafeHwnd(), &rc))
        pDC->FillSolidRect(&rc, GetColor(COLOR_3DFACE));
}
void CXTPPaintManager::FillMessageBar(CDC* pDC, CXTPMessageBar* pBar)
{
    CRect rcClient(0, 0, 0, 0);
    if (!pDC || !pBar || !pBar->GetSafeHwnd() || !::GetClientRect(pBar->GetSafeHwnd(), &rcClient))
        return;
    CRect rcMessage;
    MessageBarGetMessageRect(pBar, &rcMessage);
    FillMessageBarRect(pDC, rcClient, rcMessage);
}
void CXTPPaintManager::DrawMessageBarButton(CDC* pDC, CXTPMessageBarButton* pButton)
{
    if (!pDC || !pButton)
        return;
    XTPMessageBarButtonLook look;
    look.rc = pButton->GetRect();
    look.nId = pButton->GetID();
    look.bHot = pButton->IsHot();
    look.bPressed = pButton->IsPressed();
    DrawMessageBarButtonLook(pDC, look);
}
void CXTPPaintManager::FillStatusBar(CDC* pDC, CXTPStatusBar* pBar)
{
    CRect rcClient(0, 0, 0, 0);
    if (!pDC || !pBar || !pBar->GetSafeHwnd() || !::GetClientRect(pBar->GetSafeHwnd(), &rcClient))
        return;
    FillStatusBarRect(pDC, rcClient);
}
void CXTPPaintManager::DrawKeyboardTip(CDC* pDC, CXTPCommandBarKeyboardTip* pWnd, BOOL bSetRegion)
{
    if (!pDC || !pWnd || !pWnd->GetSafeHwnd())
        return;
    CRect rcClient;
    ::GetClientRect(pWnd->GetSafeHwnd(), &rcClient);
    DrawKeyboardTipLook(pDC, rcClient, pWnd->m_strTip, pWnd->m_bEnabled, bSetRegion);
}

// ---------------------------------------------------------------- message bar and keyboard tips

void CXTPPaintManager::FillMessageBarRect(CDC* pDC, CRect rcClient, CRect rcMessage)
{
    pDC->FillSolidRect(&rcClient, GetColor(COLOR_3DFACE));
    Rectangle(pDC, rcMessage, COLOR_3DSHADOW, COLOR_INFOBK);
}

void CXTPPaintManager::DrawMessageBarButtonLook(CDC* pDC, const XTPMessageBarButtonLook& button)
{
    const BOOL bClose = button.nId == SC_CLOSE;
    CRect rc = button.rc;
    if (button.bPressed || button.bHot)
    {
        pDC->FillSolidRect(&rc, GetColor(COLOR_3DFACE));
        DrawStateFace(pDC, rc, button.bHot, button.bPressed, TRUE, FALSE, FALSE, xtpBarTypeNormal, xtpBarBottom);
    }
    else if (!bClose)
    {
        pDC->FillSolidRect(&rc, GetColor(COLOR_3DFACE));
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DSHADOW);
        return;
    }
    if (bClose)
    {
        const int cx = rc.left + rc.Width() / 2, cy = rc.top + rc.Height() / 2;
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* pOldPen = pDC->SelectObject(&pen);
        const POINT lines[4][2] = {{{cx - 4, cy - 3}, {cx + 3, cy + 4}},
                                   {{cx - 3, cy - 3}, {cx + 4, cy + 4}},
                                   {{cx - 4, cy + 3}, {cx + 3, cy - 4}},
                                   {{cx - 3, cy + 3}, {cx + 4, cy - 4}}};
        for (const auto& line : lines)
        {
            pDC->MoveTo(line[0]);
            pDC->LineTo(line[1]);
        }
        pDC->SelectObject(pOldPen);
    }
}

void CXTPPaintManager::DrawKeyboardTipLook(CDC* pDC, CRect rcClient, const CString& strText, BOOL bEnabled,
                                           BOOL bSetRegion)
{
    if (bSetRegion)
        return;
    CFont* pOldFont = pDC->SelectObject(&m_fontToolTip);
    pDC->FillSolidRect(&rcClient, GetColor(COLOR_INFOBK));
    const COLORREF clrFrame = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(&rcClient, clrFrame, clrFrame);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetColor(bEnabled ? COLOR_INFOTEXT : COLOR_GRAYTEXT));
    CRect rcText = rcClient;
    pDC->DrawText(strText, &rcText, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
}

// ---------------------------------------------------------------- edit and combo measures

int CXTPPaintManager::GetFieldHeight(CDC* pDC, BOOL bComboBox)
{
    if (m_nFixedControlHeight > 0)
        return m_nFixedControlHeight;
    const int nText = TextHeight(pDC, &m_fontIcon);
    if (bComboBox)
        return nText >= 13 ? nText + 7 : 20;
    return nText + 7;
}

int CXTPPaintManager::GetComboDropDownWidth(int nHeight)
{
    const int q = (nHeight * 9 + 7) / 14; // b x 9 / 14, rounded
    return q >= 14 ? q + 1 : 15;
}

int CXTPPaintManager::GetFieldLabelWidth(CDC* pDC, CXTPControl* pControl)
{
    if (pControl->IsCaptionVisible())
    {
        CString strCaption = CXTPControl::StripAccessKeys(pControl->GetCaption());
        if (!strCaption.IsEmpty())
        {
            CFont* pOldFont = pDC->SelectObject(&m_fntCommandBar);
            int cx = pDC->GetTextExtent(strCaption).cx + 5 + m_nLabelSpacing;
            pDC->SelectObject(pOldFont);
            return cx;
        }
    }
    if (pControl->IsImageVisible())
        return pControl->GetIconSize().cx + 4;
    return 0;
}

CRect CXTPPaintManager::DrawFieldLabel(CDC* pDC, CXTPControl* pControl, int nLabelWidth)
{
    const CRect rc = pControl->GetRect();
    const CRect rcField(rc.left + nLabelWidth, rc.top, rc.right, rc.bottom);
    if (nLabelWidth <= 0 || !pControl->IsCaptionVisible())
        return rcField;
    const BOOL bEnabled = pControl->GetEnabled();
    CRect rcLabel(rc.left, rc.top, rc.left + nLabelWidth, rc.bottom);
    CFont* pOldFont = pDC->SelectObject(GetControlFont(pControl));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextLine(pDC, CXTPControl::StripAccessKeys(pControl->GetCaption()), rcLabel, DT_LEFT | DT_NOPREFIX, TRUE,
                 FALSE, bEnabled);
    pDC->SelectObject(pOldFont);
    return rcField;
}

CRect CXTPPaintManager::DrawPlainField(CDC* pDC, CXTPControl* pControl, int nLabelWidth)
{
    const CRect rcField = DrawFieldLabel(pDC, pControl, nLabelWidth);
    pDC->FillSolidRect(&rcField, GetEditFieldBackColor(pControl));
    Draw3dRect(pDC, rcField, COLOR_3DSHADOW, COLOR_3DSHADOW);
    return rcField;
}

CSize CXTPPaintManager::DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControl, BOOL bDraw)
{
    // The label, then the field with its drop-down button; a list without edit part draws its
    // selected text.
    const int nLabel = GetFieldLabelWidth(pDC, pControl);
    const int nHeight = GetFieldHeight(pDC, TRUE);
    const int nDropDown = GetComboDropDownWidth(nHeight);
    pControl->SetMeasures(nLabel, nDropDown);
    const CSize size(pControl->GetWidth(), nHeight);
    if (!bDraw)
        return size;
    const CRect rcField = DrawPlainField(pDC, pControl, nLabel);
    CRect rcButton(rcField.right - nDropDown, rcField.top + 1, rcField.right - 1, rcField.bottom - 1);
    pDC->FillSolidRect(&rcButton, GetColor(COLOR_3DFACE));
    DrawComboExpandMark(pDC, rcButton, GetColor(pControl->GetEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    if (!pControl->IsEditable())
        pControl->DrawComboText(pDC, CRect(rcField.left + 3, rcField.top + 3, rcButton.left - 1, rcField.bottom - 3));
    return size;
}

CSize CXTPPaintManager::DrawControlEdit(CDC* pDC, CXTPControlEdit* pControl, BOOL bDraw)
{
    // The label (caption or icon) at the left, then the field; the width is the control's own.
    const int nLabel = GetFieldLabelWidth(pDC, pControl);
    pControl->SetLabelWidth(nLabel);
    const CSize size(pControl->GetWidth(), GetFieldHeight(pDC, FALSE));
    if (!bDraw)
        return size;
    DrawPlainField(pDC, pControl, nLabel);
    pControl->DrawEditIcon(pDC);
    return size;
}

// ---------------------------------------------------------------- special buttons

CSize CXTPPaintManager::DrawSpecialButton(CDC* pDC, int nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                                          BOOL bDraw, LPARAM lParam)
{
    if (nKind == 1)
        return CSize(0, 12);
    if (!pControl)
        return CSize(0, 0);
    (void)lParam; // whether the bar has hidden controls: the glyph is the same here
    CRect rcBar;
    if (pBar && pBar->GetSafeHwnd())
        ::GetClientRect(pBar->GetSafeHwnd(), &rcBar);
    const CSize szBar = rcBar.Size();
    if (nKind == 0 && !bDraw && pBar)
    {
        // The expand button sits at the end of the bar.
        const int nPos = pBar->GetPosition();
        const BOOL bVert = nPos == xtpBarLeft || nPos == xtpBarRight || nPos == xtpBarPopup;
        if (bVert)
            pControl->SetRect(CRect(2, szBar.cy - 13, szBar.cx - 2, szBar.cy - 2));
        else
            pControl->SetRect(CRect(szBar.cx - 13, 2, szBar.cx - 2, szBar.cy - 2));
        return CSize(0, 0);
    }
    if (!bDraw)
        return CSize(0, 0);
    CRect rc = pControl->GetRect();
    const BOOL bActive = pControl->GetSelected() || pControl->GetPressed();
    if (nKind == 0 || bActive)
        DrawControlBackground(pDC, pControl);
    const COLORREF clr = (nKind == 0 || bActive) ? GetControlTextColor(pControl) : COLORREF(m_clrFloatingGripperText);
    if (nKind == 2)
    {
        const int nDpi = pDC->GetDeviceCaps(LOGPIXELSX);
        CFont font;
        font.CreatePointFont(80 * 96 / (nDpi > 0 ? nDpi : 96), "Marlett", pDC);
        CFont* pOldFont = pDC->SelectObject(&font);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(clr);
        pDC->DrawText("r", 1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        pDC->SelectObject(pOldFont);
    }
    else
    {
        // Kind 0 a down arrow under the bar's end, kind 3 a small arrow in the middle.
        const CPoint pt = rc.CenterPoint();
        DrawTriangle(pDC, CPoint(pt.x - 2, pt.y - 1), CPoint(pt.x + 2, pt.y - 1), CPoint(pt.x, pt.y + 1), clr);
    }
    return CSize(0, 0);
}

// ---------------------------------------------------------------- popup animations

void CXTPPaintManager::Animate(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimation)
{
    const int n = m_nAnimationSteps, t = m_nAnimationTime;
    if (n <= 0 || rc.IsRectEmpty())
        return;
    const int cx = rc.Width(), cy = rc.Height();
    if (nAnimation == 2)
    {
        // Unfold: the top-left part grows, taken from the source's bottom-right corner.
        for (int k = 1; k <= n; ++k)
        {
            const int w = cx * k / n, h = cy * k / n;
            pDestDC->BitBlt(rc.left, rc.top, w, h, pSrcDC, rc.right - w, rc.bottom - h, SRCCOPY);
            ::Sleep(static_cast<DWORD>(t / n));
        }
    }
    else if (nAnimation == 3)
    {
        // Slide: the bottom of the source comes down from the top.
        for (int k = 1; k <= n; ++k)
        {
            const int h = cy * k / n;
            pDestDC->BitBlt(rc.left, rc.top, cx, h, pSrcDC, rc.left, rc.bottom - h, SRCCOPY);
            ::Sleep(static_cast<DWORD>(t / n));
        }
    }
    else if (nAnimation == 4)
    {
        // Fade: each step blends the source over what the destination showed.
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = cx;
        info.bmiHeader.biHeight = -cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC hMemDC = ::CreateCompatibleDC(pDestDC->GetSafeHdc());
        if (!hMemDC)
            return;
        BYTE* pSrc = nullptr;
        BYTE* pDest = nullptr;
        BYTE* pStep = nullptr;
        HBITMAP hSrc = ::CreateDIBSection(hMemDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pSrc), nullptr, 0);
        HBITMAP hDest = ::CreateDIBSection(hMemDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pDest), nullptr, 0);
        HBITMAP hStep = ::CreateDIBSection(hMemDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pStep), nullptr, 0);
        if (hSrc && hDest && hStep)
        {
            HGDIOBJ hOld = ::SelectObject(hMemDC, hSrc);
            ::BitBlt(hMemDC, 0, 0, cx, cy, pSrcDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
            ::SelectObject(hMemDC, hDest);
            ::BitBlt(hMemDC, 0, 0, cx, cy, pDestDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
            ::SelectObject(hMemDC, hStep);
            ::GdiFlush();
            const size_t nBytes = static_cast<size_t>(cx) * static_cast<size_t>(cy) * 4;
            for (int k = 1; k < n; ++k)
            {
                const DWORD dwStart = ::GetTickCount();
                const int a = 255 * k / n;
                for (size_t i = 0; i < nBytes; ++i)
                {
                    if (i % 4 == 3)
                        pStep[i] = pDest[i]; // alpha untouched
                    else
                        pStep[i] = static_cast<BYTE>((pSrc[i] * a + pDest[i] * (255 - a)) >> 8);
                }
                ::BitBlt(pDestDC->GetSafeHdc(), rc.left, rc.top, cx, cy, hMemDC, 0, 0, SRCCOPY);
                const DWORD dwStep = static_cast<DWORD>(t / n);
                const DWORD dwSpent = ::GetTickCount() - dwStart;
                if (dwSpent < dwStep)
                    ::Sleep(dwStep - dwSpent);
            }
            ::SelectObject(hMemDC, hOld);
        }
        if (hSrc)
            ::DeleteObject(hSrc);
        if (hDest)
            ::DeleteObject(hDest);
        if (hStep)
            ::DeleteObject(hStep);
        ::DeleteDC(hMemDC);
    }
}

void CXTPPaintManager::AnimateExpanding(CXTPPopupBar* pPopup, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown)
{
    const int n = m_nAnimationSteps, t = m_nAnimationTime;
    if (n <= 0 || !pPopup || !pPopup->GetSafeHwnd() || !pDestDC || !pSrcDC)
        return;
    CRect rc;
    ::GetClientRect(pPopup->GetSafeHwnd(), &rc);
    std::vector<XTP_EXPANDING_CONTROL> controls;
    CXTPControls* pControls = pPopup->GetControls();
    for (int i = 0; pControls && i < pControls->GetCount(); ++i)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        if (pControl->IsVisible())
            controls.push_back(XTP_EXPANDING_CONTROL{pControl->GetRect().top, pPopup->IsControlNewlyShown(pControl) != FALSE});
    }
    // Columns of a wrapped popup are walked by height.
    std::stable_sort(controls.begin(), controls.end(),
                     [](const XTP_EXPANDING_CONTROL& a, const XTP_EXPANDING_CONTROL& b) { return a.nTop < b.nTop; });
    std::vector<XTP_EXPANDING_BAND> bands = XTPCutExpandingBands(controls, rc.Height());
    const int nOldMode = pDestDC->SetStretchBltMode(COLORONCOLOR);
    for (int k = 1; k <= n; ++k)
    {
        XTPPlaceExpandingBands(bands, k, n, bExpandDown != FALSE, rc.Height());
        for (const XTP_EXPANDING_BAND& band : bands)
        {
            if (band.nDestHeight <= 0)
                continue;
            if (band.nDestHeight == band.nSrcHeight)
                pDestDC->BitBlt(0, band.nDestTop, rc.Width(), band.nDestHeight, pSrcDC, 0, band.nSrcTop, SRCCOPY);
            else
                pDestDC->StretchBlt(0, band.nDestTop, rc.Width(), band.nDestHeight, pSrcDC, 0, band.nSrcTop, rc.Width(),
                                    band.nSrcHeight, SRCCOPY);
        }
        ::Sleep(static_cast<DWORD>(t / n));
    }
    pDestDC->SetStretchBltMode(nOldMode);
}
