// CXTPDefaultTheme: the classic three-dimensional look in system colours: raised hot and sunken
// pressed one-pixel frames, a checkerboard for checked buttons, etched separators, embossed
// disabled icons.
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPDialogBar.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlComboBox.h"
#include "toolkit/commandbars/controls/XTPControlEdit.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/images/XTPImageManager.h"

IMPLEMENT_DYNAMIC(CXTPDefaultTheme, CXTPPaintManager)

namespace
{
// The colour manager's gripper colour.
const int kGripperColor = 38;

BOOL IsVerticalPosition(int nPosition)
{
    return nPosition == xtpBarLeft || nPosition == xtpBarRight;
}
} // namespace

void CXTPDefaultTheme::RefreshMetrics()
{
    CXTPPaintManager::RefreshMetrics();
    m_clrFloatingGripper.SetStandardValue(GetColor(COLOR_ACTIVECAPTION));
    m_clrFloatingGripperText.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
}

void CXTPDefaultTheme::FillChecked(CDC* pDC, CRect rc)
{
    static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap bitmap;
    if (!bitmap.CreateBitmap(8, 8, 1, 1, kPattern))
        return;
    CBrush brush;
    brush.CreatePatternBrush(&bitmap);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    const COLORREF clrOldBk = pDC->SetBkColor(GetColor(COLOR_3DFACE));
    const COLORREF clrOldText = pDC->SetTextColor(GetColor(COLOR_3DHIGHLIGHT));
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
    pDC->SelectObject(pOldBrush);
}

void CXTPDefaultTheme::DrawStateFace(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                     BOOL bChecked, BOOL bPopuped, int barType, int barPosition)
{
    const BOOL bPopupBar = barType == xtpBarTypePopup;
    if (bPopupBar && !bChecked)
    {
        if (bSelected || bPressed)
            Rectangle(pDC, rc, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
        return;
    }
    if (bPopupBar && m_bSelectImageInPopupBar && barPosition == xtpBarPopup)
    {
        FillChecked(pDC, rc);
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
        return;
    }
    if (!bEnabled)
    {
        if (bChecked || bSelected == 2 || bSelected == 3)
            Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
        return;
    }
    if (!bChecked)
    {
        if (bPopuped || bPressed == 2 || bPressed == 3 || (bSelected && bPressed))
            Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT); // sunken
        else if (bSelected || bPressed)
            Draw3dRect(pDC, rc, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW); // raised
        return;
    }
    if (!bSelected && !bPressed)
        FillChecked(pDC, rc);
    Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
}

COLORREF CXTPDefaultTheme::GetStateTextColor(BOOL bSelected, BOOL, BOOL bEnabled, BOOL bChecked, BOOL, int barType,
                                             int barPosition)
{
    if (!bEnabled)
        return GetColor(COLOR_GRAYTEXT);
    if (barType == xtpBarTypePopup)
        return GetColor(bSelected && !bChecked ? COLOR_HIGHLIGHTTEXT : m_nPopupTextColor);
    return GetColor(barPosition == xtpBarPopup ? m_nPopupTextColor : COLOR_BTNTEXT);
}

void CXTPDefaultTheme::FillCommandBar(CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rc;
    ::GetClientRect(pBar->GetSafeHwnd(), &rc);
    pDC->FillSolidRect(&rc, GetColor(COLOR_3DFACE));
    if (pBar->IsPopupType() || pBar->GetPosition() == xtpBarFloating)
    {
        Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
        Draw3dRect(pDC, rc, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
    }
    else if (!IsFlatToolBar(pBar))
    {
        Draw3dRect(pDC, rc, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
    }
}

CSize CXTPDefaultTheme::DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    const BOOL bPopup = pBar && pBar->IsPopupType();
    const CSize size = bPopup ? CSize(8, 8) : CSize(6, 6);
    if (!bDraw || !pControl)
        return size;
    const CRect rc = pControl->GetRect();
    CRect rcRow = pControl->GetRowRect();
    if (rcRow.IsRectEmpty())
        rcRow = rc;
    CRect rcLine;
    if (bPopup)
    {
        if (pControl->GetWrap())
            rcLine = CRect(rc.left - 5, rcRow.top + 3, rc.left - 3, rcRow.bottom - 3); // a new column
        else
            rcLine = CRect(rc.left + 11, rc.top - 5, rc.right - 11, rc.top - 3);
    }
    else
    {
        // Across the bar beside the control; a control that starts a new row gets the line above it.
        const BOOL bVert = pBar && IsVerticalPosition(pBar->GetPosition());
        const BOOL bAcross = bVert ? !pControl->GetWrap() : pControl->GetWrap();
        if (bAcross)
            rcLine = CRect(rcRow.left, rc.top - 4, rcRow.right, rc.top - 2);
        else
            rcLine = CRect(rc.left - 4, rcRow.top, rc.left - 2, rcRow.bottom);
    }
    Draw3dRect(pDC, rcLine, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
    return size;
}

void CXTPDefaultTheme::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical)
{
    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (!pBar || pControl->GetType() == xtpControlComboBox)
        return;
    if (pBar->IsPopupType())
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

CRect CXTPDefaultTheme::GetCommandBarBorders(CXTPCommandBar* pBar)
{
    if (pBar && pBar->IsPopupType())
        return CRect(3, 3, 3, 3);
    return CXTPPaintManager::GetCommandBarBorders(pBar);
}

CSize CXTPDefaultTheme::GetButtonSizeForBar(CXTPCommandBar* pBar)
{
    const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
    const int c = GetControlHeight();
    return CSize(szIcon.cx + 4 > c ? szIcon.cx + 4 : c, szIcon.cy + 4 > c ? szIcon.cy + 4 : c);
}

CSize CXTPDefaultTheme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (!pBar)
        return CSize(0, 0);
    // A dialog bar has a caption strip instead of a gripper.
    if (pBar->IsKindQuery1())
        return DrawDialogBarGripper(pDC, static_cast<CXTPDialogBar*>(pBar), bDraw);
    const int nPosition = pBar->GetPosition();
    if (nPosition == xtpBarFloating)
        return CXTPPaintManager::DrawCommandBarGripper(pDC, pBar, bDraw);
    if (!pBar->HasGripper() || pBar->IsPopupType())
        return CSize(0, 0);
    CRect rc;
    if (pBar->GetSafeHwnd())
        ::GetClientRect(pBar->GetSafeHwnd(), &rc);
    if (nPosition == xtpBarTop || nPosition == xtpBarBottom)
    {
        if (bDraw)
            Draw3dRect(pDC, CRect(3, 3, 6, rc.bottom - 3), COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
        return CSize(6, 0);
    }
    if (IsVerticalPosition(nPosition))
    {
        if (bDraw)
            Draw3dRect(pDC, CRect(3, 3, rc.right - 3, 6), COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
        return CSize(0, 8);
    }
    return CSize(0, 0);
}

CSize CXTPDefaultTheme::DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw)
{
    if (bDraw)
    {
        CRect rcBand(rc.left, rc.top, rc.right, rc.bottom - 1);
        pDC->FillSolidRect(&rcBand, GetColor(bSelected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    }
    return CSize(0, 8);
}

void CXTPDefaultTheme::DrawResizeGripper(CDC* pDC, CRect rc, int nFlags)
{
    // Pairs of 2 x 2 dots: a dark dot and a light one a pixel right of and below it.
    auto dot = [this, pDC](int x, int y) {
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, GetColor(COLOR_WINDOW));
        pDC->FillSolidRect(x, y, 2, 2, GetColor(kGripperColor));
    };
    if (nFlags == 2)
    {
        // A row of four pairs every 4 pixels, centred, 3 to 6 pixels below the top.
        const int x = rc.left + (rc.Width() - 15) / 2;
        for (int i = 0; i < 4; ++i)
            dot(x + 4 * i, rc.top + 3);
        return;
    }
    // Three pairs 1, 5 and 1 pixels from the right and 1, 1 and 5 pixels from the bottom.
    const int offsets[3][2] = {{1, 1}, {5, 1}, {1, 5}};
    for (const auto& o : offsets)
        dot(rc.right - o[0] - 3, rc.bottom - o[1] - 3);
}

void CXTPDefaultTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, BOOL bSelected,
                                 BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage)
{
    if (!pImage)
        return;
    if (!bEnabled)
    {
        if (!m_bUseDisabledIcons && !pImage->HasDisabledImage())
        {
            // Embossed: the silhouette in the highlight colour one pixel down and right, then in
            // the shadow colour in place.
            CXTPImageHandle& hImage = pImage->GetImage();
            pImage->Draw(pDC, pt.x + 1, pt.y + 1, hImage, sz.cx, sz.cy, GetColor(COLOR_3DHIGHLIGHT), xtpImageDrawMono);
            pImage->Draw(pDC, pt.x, pt.y, hImage, sz.cx, sz.cy, GetColor(COLOR_3DSHADOW), xtpImageDrawMono);
        }
        else
        {
            pImage->Draw(pDC, pt.x, pt.y, pImage->GetDisabledImage(), sz.cx, sz.cy);
        }
        return;
    }
    const BOOL bHot = bSelected || bPopuped;
    if (bPressed || bChecked)
    {
        pImage->Draw(pDC, pt.x + 1, pt.y + 1, bPressed ? pImage->GetPressedImage() : pImage->GetCheckedImage(), sz.cx,
                     sz.cy);
        return;
    }
    if (bHot && !bToolBarImage)
    {
        pImage->Draw(pDC, pt.x, pt.y, pImage->GetHotImage(), sz.cx, sz.cy); // a hot item of a popup
        return;
    }
    if (bHot && m_bIconsWithShadow)
    {
        pImage->Draw(pDC, pt.x + 1, pt.y + 1, pImage->GetShadowImage(), sz.cx, sz.cy);
        pImage->Draw(pDC, pt.x - 1, pt.y - 1, pImage->GetHotImage(), sz.cx, sz.cy);
        return;
    }
    if (bHot)
    {
        pImage->Draw(pDC, pt.x, pt.y, pImage->GetHotImage(), sz.cx, sz.cy);
        return;
    }
    pImage->Draw(pDC, pt.x, pt.y, m_bUseFadedIcons ? pImage->GetFadedImage() : pImage->GetImage(), sz.cx, sz.cy);
}

CSize CXTPDefaultTheme::DrawDialogBarGripperStrip(CDC* pDC, BOOL bDraw)
{
    const int nControlHeight = m_nControlHeight;
    const int nHeight = nControlHeight < 18 ? 22 : nControlHeight + 4;
    if (bDraw)
        Draw3dRect(pDC, CRect(3, 3, 6, nHeight), COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
    return CSize(6, nHeight);
}

CSize CXTPDefaultTheme::DrawDialogBarGripper(CDC* pDC, CXTPDialogBar*, BOOL bDraw)
{
    return DrawDialogBarGripperStrip(pDC, bDraw);
}

void CXTPDefaultTheme::DrawSplitButtonFace(CDC* pDC, CXTPControl* pControl, CRect rc)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    const int nBarType = pBar ? pBar->GetType() : xtpBarTypeNormal;
    const int nBarPosition = pBar ? pBar->GetPosition() : xtpBarTop;
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bSelected = pControl->GetSelected(), bPressed = pControl->GetPressed(),
               bPopuped = pControl->GetPopped(), bChecked = pControl->GetChecked();
    const int nSplit = m_nSplitButtonDropDownWidth + 1;
    CRect rcButton(rc.left, rc.top, rc.right - nSplit, rc.bottom);
    CRect rcDropDown(rc.right - nSplit, rc.top, rc.right, rc.bottom);
    if (bPopuped)
    {
        DrawStateFace(pDC, rc, FALSE, FALSE, bEnabled, FALSE, TRUE, nBarType, nBarPosition);
    }
    else
    {
        DrawStateFace(pDC, rcButton, bSelected, bPressed, bEnabled, bChecked, FALSE, nBarType, nBarPosition);
        DrawStateFace(pDC, rcDropDown, bSelected, FALSE, bEnabled, FALSE, FALSE, nBarType, nBarPosition);
    }
    const CPoint pt(rc.right - 7, rc.top + rc.Height() / 2);
    DrawDropDownGlyph(pDC, pControl, pt, bSelected, bPopuped, bEnabled, FALSE);
}

CSize CXTPDefaultTheme::DrawPopupBarControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    if (!bDraw)
        return DrawPopupBarText(pDC, pControl, FALSE);
    const CRect rc = pControl->GetRect();
    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    const BOOL bChecked = pControl->GetChecked();
    const int nType = pControl->GetType();
    const CSize szIcon = pControl->GetIconSize();
    const int nBox = szIcon.cx + 4 > GetControlHeight() ? szIcon.cx + 4 : GetControlHeight();
    const CRect rcBox(rc.left, rc.top, rc.left + nBox, rc.bottom);
    CXTPImageManagerIcon* pIcon = pControl->IsImageVisible() ? pControl->GetImage(szIcon.cx) : nullptr;

    // The hot row: over the icon column too with the menu look, else from the icon box on.
    if (nSelected)
    {
        CRect rcRow = rc;
        if (!m_bSelectImageInPopupBar)
            rcRow.left = rcBox.right;
        DrawStateFace(pDC, rcRow, nSelected, FALSE, bEnabled, FALSE, FALSE, xtpBarTypePopup, xtpBarPopup);
    }
    if (bChecked)
        DrawStateFace(pDC, rcBox, nSelected, FALSE, bEnabled, TRUE, FALSE, xtpBarTypePopup, xtpBarPopup);
    if (pIcon)
    {
        if (!m_bSelectImageInPopupBar && !bChecked)
            DrawStateFace(pDC, rcBox, bEnabled ? nSelected : 0, FALSE, bEnabled, FALSE, FALSE, xtpBarTypeNormal,
                          xtpBarTop);
        const CPoint pt(rcBox.left + (nBox - szIcon.cx) / 2, rc.top + (rc.Height() - szIcon.cy) / 2);
        DrawImage(pDC, pt, szIcon, pIcon, nSelected, FALSE, bEnabled, bChecked, FALSE, FALSE);
    }
    else if (bChecked)
    {
        // The mark in a 20 x 20 square in the middle of the icon box.
        const CRect rcSquare(rcBox.left + (nBox - 20) / 2, rc.top + (rc.Height() - 20) / 2,
                             rcBox.left + (nBox - 20) / 2 + 20, rc.top + (rc.Height() - 20) / 2 + 20);
        const COLORREF clrMark = GetColor(bEnabled ? m_nPopupTextColor : COLOR_GRAYTEXT);
        if (nType == xtpControlRadioButton)
            DrawRadioMark(pDC, rcSquare, clrMark);
        else
            DrawCheckMark(pDC, rcSquare, clrMark);
    }

    const COLORREF clrText =
        GetStateTextColor(nSelected, FALSE, bEnabled, bChecked, FALSE, xtpBarTypePopup, xtpBarPopup);
    const int cy = rc.top + rc.Height() / 2;
    if (nType == xtpControlPopup || nType == xtpControlButtonPopup)
    {
        // A sub-menu: a right-pointing triangle 3 pixels wide and 6 high, 11 from the right.
        DrawTriangle(pDC, CPoint(rc.right - 11, cy - 3), CPoint(rc.right - 11, cy + 3), CPoint(rc.right - 8, cy), clrText);
    }
    else if (nType == xtpControlSplitButtonPopup)
    {
        const CRect rcDropDown(rc.right - 20, rc.top, rc.right, rc.bottom);
        if (nSelected && bEnabled)
            Draw3dRect(pDC, rcDropDown, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
        VerticalLine(pDC, rcDropDown.left, rc.top, rc.bottom, nSelected ? COLOR_3DSHADOW : m_nPopupTextColor);
        DrawTriangle(pDC, CPoint(rc.right - 11, cy - 3), CPoint(rc.right - 11, cy + 3), CPoint(rc.right - 8, cy), clrText);
    }
    return DrawPopupBarText(pDC, pControl, TRUE);
}

CSize CXTPDefaultTheme::DrawListRowControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                           CXTPCommandBars*)
{
    if (bDraw)
    {
        pDC->FillSolidRect(&rc, GetColor(COLOR_3DFACE));
        const int nIconBox = GetControlHeight();
        if (bSelected)
        {
            CRect rcSel(rc.left + nIconBox, rc.top, rc.right, rc.bottom);
            Rectangle(pDC, rcSel, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
        }
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        CRect rcText(rc.left + nIconBox + 4, rc.top, rc.right, rc.bottom);
        pDC->DrawText(CXTPControl::StripAccessKeys(pControl->GetCaption()), &rcText,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    return CSize(rc.Width(), GetControlHeight());
}

// ---------------------------------------------------------------- edit and combo faces

void CXTPDefaultTheme::DrawEditBorder(CDC* pDC, CRect rc, int nSelected, BOOL bEnabled)
{
    if (bEnabled)
    {
        if (nSelected)
            Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
        rc.DeflateRect(1, 1);
        Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DFACE);
        return;
    }
    rc.DeflateRect(1, 1);
    const int nColor = (nSelected == 2 || nSelected == 3) ? COLOR_3DSHADOW : COLOR_3DHIGHLIGHT;
    Draw3dRect(pDC, rc, nColor, nColor);
}

void CXTPDefaultTheme::DrawComboDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bDropped, BOOL bHot)
{
    CRect rcButton(rc.left + 1, rc.top + 2, rc.right - 2, rc.bottom - 2);
    if (bEnabled)
        Draw3dRect(pDC, rcButton, COLOR_3DFACE, COLOR_3DFACE);
    CRect rcArrow = rcButton;
    if (bEnabled && bDropped)
    {
        pDC->FillSolidRect(&rcButton, GetColor(COLOR_3DFACE));
        Draw3dRect(pDC, rcButton, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
        rcArrow.OffsetRect(1, 1);
    }
    else if (bEnabled && bHot)
    {
        pDC->FillSolidRect(&rcButton, GetColor(COLOR_3DFACE));
        Draw3dRect(pDC, rcButton, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
    }
    else
    {
        Draw3dRect(pDC, rcButton, COLOR_3DHIGHLIGHT, COLOR_3DHIGHLIGHT);
    }
    DrawComboExpandMark(pDC, rcArrow, GetColor(COLOR_BTNTEXT));
}

void CXTPDefaultTheme::DrawSpinButtons(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bHot, int nPressed)
{
    CRect rcUp(rc.left, rc.top, rc.right, rc.top + rc.Height() / 2);
    CRect rcDown(rc.left, rcUp.bottom, rc.right, rc.bottom);
    if (bEnabled && bHot)
    {
        pDC->FillSolidRect(&rc, GetColor(COLOR_3DFACE));
        const CRect* halves[2] = {&rcUp, &rcDown};
        for (int i = 0; i < 2; ++i)
        {
            const BOOL bDown = nPressed == 4 + i;
            if (bDown)
                Draw3dRect(pDC, *halves[i], COLOR_3DSHADOW, COLOR_WINDOW);
            else
                Draw3dRect(pDC, *halves[i], COLOR_WINDOW, COLOR_3DSHADOW);
        }
    }
    else if (bEnabled)
    {
        CRect rcIn = rc;
        rcIn.DeflateRect(1, 1);
        Rectangle(pDC, rcIn, COLOR_WINDOW, COLOR_3DFACE);
    }
    const COLORREF clr = GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    CPoint ptUp = rcUp.CenterPoint(), ptDown = rcDown.CenterPoint();
    DrawTriangle(pDC, CPoint(ptUp.x - 2, ptUp.y + 1), CPoint(ptUp.x + 2, ptUp.y + 1), CPoint(ptUp.x, ptUp.y - 1), clr);
    DrawTriangle(pDC, CPoint(ptDown.x - 2, ptDown.y - 1), CPoint(ptDown.x + 2, ptDown.y - 1),
             CPoint(ptDown.x, ptDown.y + 1), clr);
}

void CXTPDefaultTheme::DrawFieldFace(CDC* pDC, CXTPControl* pControl, CRect rcField, int nDropDownWidth,
                                     BOOL bDropped)
{
    const BOOL bEnabled = pControl->GetEnabled();
    if (bEnabled)
    {
        CRect rcInside = rcField;
        rcInside.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcInside, GetEditFieldBackColor(pControl));
    }
    if (nDropDownWidth > 0)
    {
        CRect rcButton(rcField.right - nDropDownWidth, rcField.top, rcField.right, rcField.bottom);
        DrawComboDropDownButton(pDC, rcButton, bEnabled, bDropped, pControl->GetSelected() != 0);
    }
    DrawEditBorder(pDC, rcField, pControl->GetSelected(), bEnabled);
}

CSize CXTPDefaultTheme::DrawControlEdit(CDC* pDC, CXTPControlEdit* pControl, BOOL bDraw)
{
    const CSize size = CXTPPaintManager::DrawControlEdit(pDC, pControl, FALSE);
    if (!bDraw)
        return size;
    const BOOL bEnabled = pControl->GetEnabled();
    DrawFieldFace(pDC, pControl, DrawFieldLabel(pDC, pControl, pControl->GetLabelWidth()), 0, FALSE);
    pControl->DrawEditIcon(pDC);
    const CRect rcSpin = pControl->GetSpinButtonsRect();
    const int nHot = pControl->GetHotPart();
    if (!rcSpin.IsRectEmpty())
    {
        const BOOL bHot = pControl->GetSelected() && (nHot == xtpEditHotSpinUp || nHot == xtpEditHotSpinDown);
        DrawSpinButtons(pDC, rcSpin, bEnabled, bHot || pControl->GetPressedPart() != 0, pControl->GetPressedPart());
    }
    const CRect rcBuddy = pControl->GetBuddyButtonRect();
    if (!rcBuddy.IsRectEmpty())
    {
        const BOOL bPressed = pControl->GetPressedPart() == xtpEditHotBuddy && nHot == xtpEditHotBuddy;
        const BOOL bHot = nHot == xtpEditHotBuddy && pControl->GetSelected();
        if (bEnabled && (bHot || bPressed))
        {
            pDC->FillSolidRect(&rcBuddy, GetColor(COLOR_3DFACE));
            if (bPressed)
                Draw3dRect(pDC, rcBuddy, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
            else
                Draw3dRect(pDC, rcBuddy, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
        }
        CXTPImageManagerIcon* pIcon =
            pControl->GetImageManager()->GetImage(static_cast<UINT>(pControl->GetBuddyButtonId()), 0);
        if (pIcon)
        {
            const int x = rcBuddy.left + (rcBuddy.Width() - pIcon->GetWidth()) / 2;
            const int y = rcBuddy.top + (rcBuddy.Height() - pIcon->GetHeight()) / 2;
            pIcon->Draw(pDC, x, y, bEnabled ? pIcon->GetImage() : pIcon->GetDisabledImage());
        }
        else
        {
            // Without a picture the buddy button shows an ellipsis of three dots.
            const COLORREF clr = GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
            const CPoint pt = rcBuddy.CenterPoint();
            for (int i = -1; i <= 1; ++i)
                pDC->FillSolidRect(pt.x + i * 3 - 1, pt.y, 2, 2, clr);
        }
    }
    return size;
}

CSize CXTPDefaultTheme::DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControl, BOOL bDraw)
{
    const CSize size = CXTPPaintManager::DrawControlComboBox(pDC, pControl, FALSE);
    if (!bDraw)
        return size;
    const CRect rcField = DrawFieldLabel(pDC, pControl, pControl->GetLabelWidth());
    DrawFieldFace(pDC, pControl, rcField, pControl->GetThumbWidth(), pControl->IsListOpen());
    if (!pControl->IsEditable())
    {
        pControl->DrawComboText(pDC, CRect(rcField.left + 3, rcField.top + 3,
                                           rcField.right - pControl->GetThumbWidth() - 1, rcField.bottom - 3));
    }
    return size;
}
