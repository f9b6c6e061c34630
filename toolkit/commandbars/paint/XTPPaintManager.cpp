#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControlComboBox.h"
#include "toolkit/commandbars/controls/XTPControlEdit.h"
#include "toolkit/commandbars/managers/XTPShadowManager.h"
#include "toolkit/commandbars/paint/XTPControlGalleryPaintManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/commandbars/paint/XTPProgressPaintManager.h"
#include "toolkit/commandbars/paint/XTPScrollBarPaintManager.h"
#include "toolkit/commandbars/paint/XTPSliderPaintManager.h"
#include "toolkit/commandbars/paint/XTPFramePaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/system/XTPNcMetrics.h"
#include "toolkit/common/resources/XTPResourceManager.h"
#include "toolkit/common/system/XTPWinThemeWrapper.h"

#include <cstdlib>
#include <map>

IMPLEMENT_DYNAMIC(CXTPPaintManager, CCmdTarget)

namespace
{
CXTPPaintManager* g_pGlobalPaintManager = nullptr;

std::map<int, CXTPPaintManager::PFNCREATETHEME>& ThemeMakers()
{
    static std::map<int, CXTPPaintManager::PFNCREATETHEME> makers;
    return makers;
}

// Releases the global paint manager at exit. The handler is registered when the first global
// paint manager is installed, after the colour manager and the image store exist, so it runs
// before their destructors (a theme's destructor may still reach the image store).
bool g_bExitReleaseRegistered = false;

void ReleaseGlobalAtExit()
{
    CXTPPaintManager::ReleaseGlobal();
}

void RegisterExitRelease()
{
    if (g_bExitReleaseRegistered)
        return;
    g_bExitReleaseRegistered = true;
    GetColorManager();
    XTPImageManager();
    std::atexit(ReleaseGlobalAtExit);
}
} // namespace

BOOL CXTPPaintManagerFont::SetCustomFont(const LOGFONTA* pLogFont)
{
    DeleteObject();
    m_bStandardFont = FALSE;
    return pLogFont && CreateFontIndirect(pLogFont);
}

CXTPPaintManager::CXTPPaintManager()
{
    for (int i = 0; i < 63; ++i)
        m_arrColor[i].SetStandardValue(COLORREF(-1));
    HMODULE hUser32 = GetModuleHandleA("USER32");
    if (hUser32)
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<PFNSETLAYEREDWINDOWATTRIBUTES>(
            reinterpret_cast<void*>(GetProcAddress(hUser32, "SetLayeredWindowAttributes")));
    m_themeStatusBar = new CXTPWinThemeWrapper();
    // Derived images (disabled, faded, shadow) follow the new paint manager's options.
    XTPImageManager()->RefreshAll();
    m_themeButton = new CXTPWinThemeWrapper();
    m_pShadowManager = new CXTPShadowManager();
    m_pGalleryPaintManager = new CXTPControlGalleryPaintManager(this);
    m_pProgressPaintManager = new CXTPProgressPaintManager(this);
    m_pScrollBarPaintManager = new CXTPScrollBarPaintManager(this);
    m_pSliderPaintManager = new CXTPSliderPaintManager(this);
    m_pFramePaintManager = new CXTPFramePaintManager(this);
}

CXTPPaintManager::~CXTPPaintManager()
{
    if (m_pShadowManager)
        m_pShadowManager->InternalRelease();
    delete m_themeStatusBar;
    delete m_themeButton;
    delete m_pGalleryPaintManager;
    delete m_pProgressPaintManager;
    delete m_pScrollBarPaintManager;
    delete m_pSliderPaintManager;
    delete m_pFramePaintManager;
}

// ---------------------------------------------------------------- global paint manager

CXTPPaintManager* CXTPPaintManager::GetGlobalIfAny()
{
    return g_pGlobalPaintManager;
}

CXTPPaintManager* CXTPPaintManager::GetGlobal()
{
    if (!g_pGlobalPaintManager)
        SetTheme(0);
    return g_pGlobalPaintManager;
}

void CXTPPaintManager::SetCustomTheme(CXTPPaintManager* pPaintManager)
{
    if (g_pGlobalPaintManager && g_pGlobalPaintManager != pPaintManager)
        g_pGlobalPaintManager->InternalRelease();
    g_pGlobalPaintManager = pPaintManager;
    if (pPaintManager)
    {
        RegisterExitRelease();
        pPaintManager->m_nTheme = 10;
        pPaintManager->RefreshMetrics();
    }
}

void CXTPPaintManager::SetTheme(int nTheme)
{
    SetCustomTheme(CreateTheme(nTheme));
    g_pGlobalPaintManager->m_nTheme = nTheme;
}

CXTPPaintManager* CXTPPaintManager::CreateTheme(int nTheme)
{
    CXTPPaintManager* pPaintManager = nullptr;
    auto it = ThemeMakers().find(nTheme);
    if (it != ThemeMakers().end() && it->second)
        pPaintManager = it->second();
    if (!pPaintManager)
        pPaintManager = new CXTPDefaultTheme();
    pPaintManager->m_nTheme = nTheme;
    return pPaintManager;
}

CXTPPaintManager::PFNCREATETHEME CXTPPaintManager::RegisterTheme(int nTheme, PFNCREATETHEME pfnCreate)
{
    PFNCREATETHEME pfnOld = nullptr;
    auto it = ThemeMakers().find(nTheme);
    if (it != ThemeMakers().end())
        pfnOld = it->second;
    ThemeMakers()[nTheme] = pfnCreate;
    return pfnOld;
}

void CXTPPaintManager::ReleaseGlobal()
{
    if (g_pGlobalPaintManager)
        g_pGlobalPaintManager->InternalRelease();
    g_pGlobalPaintManager = nullptr;
}

// ---------------------------------------------------------------- colours, fonts, metrics

COLORREF CXTPPaintManager::GetColor(int nIndex) const
{
    if (static_cast<unsigned>(nIndex) > 62)
        return static_cast<COLORREF>(nIndex);
    return m_arrColor[nIndex].GetColor();
}

void CXTPPaintManager::SetColors(int nCount, const int* pIndexes, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; ++i)
    {
        if (static_cast<unsigned>(pIndexes[i]) <= 62)
            m_arrColor[pIndexes[i]].SetStandardValue(pColors[i]);
    }
}

void CXTPPaintManager::RefreshStandardColors()
{
    GetColorManager()->RefreshColors();
    for (int i = 0; i < 63; ++i)
        m_arrColor[i].SetStandardValue(GetColorManager()->GetColor(i));
}

void CXTPPaintManager::RefreshMetrics()
{
    RefreshFonts();
    RefreshStandardColors();
    if (m_pShadowManager)
        m_pShadowManager->ResetCachedState();
    if (m_pGalleryPaintManager)
        m_pGalleryPaintManager->RefreshMetrics();
    if (m_pProgressPaintManager)
        m_pProgressPaintManager->RefreshMetrics();
    if (m_pScrollBarPaintManager)
        m_pScrollBarPaintManager->RefreshMetrics();
    if (m_pSliderPaintManager)
        m_pSliderPaintManager->RefreshMetrics();
    m_clrStatusTextColor = GetColor(COLOR_BTNTEXT);
    m_clrStatusTextGrayColor = GetColor(COLOR_GRAYTEXT);
    m_clrMessageBarText = GetColor(COLOR_INFOTEXT);
    m_clrFloatingGripper.SetStandardValue(GetColor(COLOR_3DSHADOW));
    m_clrFloatingGripperText.SetStandardValue(GetColor(COLOR_3DHIGHLIGHT));
    m_clrDisabledIcon.SetStandardValues(GetColor(COLOR_3DFACE), GetColor(COLOR_3DSHADOW), 0.5f);

    m_themeStatusBar->CloseThemeData();
    if (m_bThemedStatusBar && m_themeStatusBar->OpenThemeData(nullptr, L"STATUS"))
    {
        COLORREF clr = 0;
        if (SUCCEEDED(m_themeStatusBar->GetThemeColor(1, 0, 3803, &clr)))
            m_clrStatusTextColor = clr;
    }
    m_themeButton->CloseThemeData();
    if (m_bThemedCheckBox)
        m_themeButton->OpenThemeData(nullptr, L"BUTTON");
    if (m_pFramePaintManager)
        m_pFramePaintManager->RefreshMetrics();
}

void CXTPPaintManager::RefreshFonts()
{
    CXTPCommandBarsSystemQuery* pQuery = GetCommandBarsSystemQuery();
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = XTP_NONCLIENTMETRICS_SIZE;
    pQuery->GetNonClientMetrics(&metrics);
    const BOOL bClearType = m_bClearTypeTextQuality && pQuery->IsWindowsXPOrLater();
    BYTE nCharSet = GetResourceManager()->GetFontCharset();
    if (m_bUseStandardFont)
    {
        LOGFONTA lf = {};
        lf.lfHeight = metrics.lfMenuFont.lfHeight;
        if (lf.lfHeight < 0 && lf.lfHeight >= -10)
            lf.lfHeight = -11;
        lf.lfWeight = metrics.lfMenuFont.lfWeight;
        lf.lfItalic = metrics.lfMenuFont.lfItalic;
        lf.lfQuality = metrics.lfMenuFont.lfQuality;
        lstrcpynA(lf.lfFaceName, metrics.lfMenuFont.lfFaceName, LF_FACESIZE);
        lf.lfCharSet = nCharSet;
        // A font-height setting below 13 counts as 11 (12 gives 13 = 11 x 120 / 96).
        if (m_nFontHeight > 0)
            lf.lfHeight = (m_nFontHeight < 13 ? 11 : m_nFontHeight) * 120 / 96;
        if (bClearType)
            lf.lfQuality = 5;
        SetCommandBarsFontIndirect(&lf, TRUE);
    }
    LOGFONTA lfIcon = {};
    pQuery->GetIconTitleFont(&lfIcon);
    lfIcon.lfCharSet = nCharSet;
    metrics.lfSmCaptionFont.lfCharSet = nCharSet;
    metrics.lfStatusFont.lfCharSet = nCharSet;
    if (bClearType)
    {
        lfIcon.lfQuality = 5;
        metrics.lfSmCaptionFont.lfQuality = 5;
        metrics.lfStatusFont.lfQuality = 5;
    }
    if (m_fontSmCaption.IsStandardFont())
    {
        m_fontSmCaption.DeleteObject();
        m_fontSmCaption.CreateFontIndirect(&metrics.lfSmCaptionFont);
    }
    if (m_fontIcon.IsStandardFont())
    {
        m_fontIcon.DeleteObject();
        m_fontIcon.CreateFontIndirect(&lfIcon);
    }
    if (m_fontIconBold.IsStandardFont())
    {
        LOGFONTA lfBold = lfIcon;
        lfBold.lfWeight = FW_BOLD;
        m_fontIconBold.DeleteObject();
        m_fontIconBold.CreateFontIndirect(&lfBold);
    }
    if (m_fontToolTip.IsStandardFont())
    {
        m_fontToolTip.DeleteObject();
        m_fontToolTip.CreateFontIndirect(&metrics.lfStatusFont);
    }
}

void CXTPPaintManager::SetCommandBarsFontIndirect(const LOGFONTA* pLogFont, BOOL bUseStandardFont)
{
    m_bUseStandardFont = bUseStandardFont;
    if (!pLogFont)
        return;
    CXTPCommandBarsSystemQuery* pQuery = GetCommandBarsSystemQuery();
    LOGFONTA lf = *pLogFont;
    if (m_bClearTypeTextQuality && pQuery->IsWindowsXPOrLater())
        lf.lfQuality = 5;
    m_fntCommandBar.DeleteObject();
    m_fntCommandBarBold.DeleteObject();
    m_fntVerticalText.DeleteObject();
    m_fntVerticalBoldText.DeleteObject();
    const BOOL bOfficeInstalled = pQuery->IsFontInstalled(m_strOfficeFont);
    m_bUseOfficeFont = lstrcmpiA(lf.lfFaceName, m_strOfficeFont) == 0;
    if (bUseStandardFont && m_bUseOfficeFont && bOfficeInstalled)
        lstrcpynA(lf.lfFaceName, m_strOfficeFont, LF_FACESIZE);

    m_fntCommandBar.CreateFontIndirect(&lf);
    LOGFONTA lfBold = lf;
    lfBold.lfWeight = FW_BOLD;
    m_fntCommandBarBold.CreateFontIndirect(&lfBold);
    LOGFONTA lfVert = lf;
    lfVert.lfEscapement = 2700;
    lfVert.lfOrientation = 900;
    m_fntVerticalText.CreateFontIndirect(&lfVert);
    lfVert.lfWeight = FW_BOLD;
    m_fntVerticalBoldText.CreateFontIndirect(&lfVert);

    HDC hDC = GetDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, m_fntCommandBar.GetSafeHandle());
    SIZE size = {};
    GetTextExtentPoint32A(hDC, " ", 1, &size);
    SelectObject(hDC, hOld);
    ReleaseDC(nullptr, hDC);
    m_nTextHeight = size.cy;
    m_nControlHeight = size.cy + 6;

    // The icon title bold font is rebuilt at once (it would otherwise stay without a handle until
    // the next RefreshFonts).
    if (m_fontIconBold.IsStandardFont())
    {
        LOGFONTA lfIcon = {};
        pQuery->GetIconTitleFont(&lfIcon);
        lfIcon.lfCharSet = GetResourceManager()->GetFontCharset();
        if (m_bClearTypeTextQuality && pQuery->IsWindowsXPOrLater())
            lfIcon.lfQuality = 5;
        lfIcon.lfWeight = FW_BOLD;
        m_fontIconBold.DeleteObject();
        m_fontIconBold.CreateFontIndirect(&lfIcon);
    }
}

int CXTPPaintManager::GetCurrentSystemTheme() const
{
    if (m_nSystemTheme == xtpSystemThemeAuto)
        return GetColorManager()->IsThemeColorsDisabled() ? xtpSystemThemeUnknown
                                                          : GetColorManager()->GetCurrentSystemTheme();
    if (m_nSystemTheme == xtpSystemThemeDefault)
        return GetColorManager()->GetDetectedSystemTheme();
    return m_nSystemTheme;
}

int CXTPPaintManager::GetSplitButtonPartSize(CXTPControl* /*pControl*/) const
{
    if (m_nFixedControlHeight > 0)
        return 2 * m_nFixedControlHeight - 17;
    const int h = GetControlHeight();
    const int h2 = h >= 19 ? h + 3 : 22;
    return 2 * h2 - 17;
}

int CXTPPaintManager::GetControlTextOrientation(CXTPControl* pControl)
{
    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (pBar && (pBar->GetPosition() == xtpBarLeft || pBar->GetPosition() == xtpBarRight))
        return 1;
    return 2;
}

CFont* CXTPPaintManager::GetControlFont(CXTPControl* pControl)
{
    BOOL bBold = pControl && pControl->IsDefaultItem();
    if (GetControlTextOrientation(pControl) == 1)
        return bBold ? &m_fntVerticalBoldText : &m_fntVerticalText;
    return bBold ? &m_fntCommandBarBold : &m_fntCommandBar;
}

CFont* CXTPPaintManager::GetCommandBarFont(CXTPCommandBar* pBar)
{
    if (pBar && (pBar->GetPosition() == xtpBarLeft || pBar->GetPosition() == xtpBarRight))
        return &m_fntVerticalText;
    return &m_fntCommandBar;
}

CSize CXTPPaintManager::GetButtonSizeForBar(CXTPCommandBar* pBar)
{
    CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
    const int c = GetControlHeight();
    return CSize(c + 4 > szIcon.cx + 4 ? c + 4 : szIcon.cx + 4, c > szIcon.cy + 6 ? c : szIcon.cy + 6);
}

int CXTPPaintManager::GetPopupBarGripperWidth(CXTPCommandBar* pBar)
{
    if (!pBar || pBar->GetType() != xtpBarTypePopup)
        return 0;
    CXTPPopupBar* pPopup = DYNAMIC_DOWNCAST(CXTPPopupBar, pBar);
    const int k = pPopup && pPopup->IsDoubleGripper() ? 2 : 1;
    return k * GetButtonSizeForBar(pBar).cx + 1;
}

int CXTPPaintManager::GetAutoIconSize(BOOL bLarge) const
{
    if (m_bAutoResizeIcons)
    {
        const int c = GetControlHeight();
        int n = (bLarge ? 2 * c - 8 : c - 4) / 8;
        if (n < 2)
            n = 2;
        return n * 8;
    }
    return bLarge ? 32 : 16;
}

CRect CXTPPaintManager::GetCommandBarBorders(CXTPCommandBar* /*pBar*/)
{
    return CRect(2, 2, 2, 2);
}

BOOL CXTPPaintManager::IsFlatToolBar(CXTPCommandBar* pBar)
{
    if (pBar && pBar->GetType() == xtpBarTypeMenuBar)
        return m_bFlatMenuBar;
    return m_bFlatToolBar;
}

void CXTPPaintManager::StripAmpersands(CString& str)
{
    ::StripAmpersands(str);
}

// ---------------------------------------------------------------- measuring and drawing

CSize CXTPPaintManager::DrawControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    // Menus draw menu items; a popup laid out as a toolbar (the overflow of a toolbar) draws
    // toolbar buttons, with their icon and caption side by side.
    // Edits and combo boxes have their own layout on every bar.
    if (CXTPControlEdit* pEdit = DYNAMIC_DOWNCAST(CXTPControlEdit, pControl))
        return DrawControlEdit(pDC, pEdit, bDraw);
    if (CXTPControlComboBox* pCombo = DYNAMIC_DOWNCAST(CXTPControlComboBox, pControl))
        return DrawControlComboBox(pDC, pCombo, bDraw);
    CXTPCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (pBar && pBar->IsPopupType() && pBar->GetType() == xtpBarTypePopup)
        return DrawPopupBarControl(pDC, pControl, bDraw);
    return DrawToolBarControl(pDC, pControl, bDraw);
}

int CXTPPaintManager::DrawTextLine(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw,
                                   BOOL bSelected, BOOL bEnabled)
{
    CRect rcText = rc;
    if (!bDraw)
        return pDC->DrawText(strText, &rcText, nFormat | DT_CALCRECT);
    nFormat |= DT_SINGLELINE | DT_VCENTER;
    if (!bEnabled && !bSelected && m_bEmbossedDisabledText)
    {
        // Embossed: the text in the highlight colour one pixel down and right first.
        const COLORREF clrText = pDC->SetTextColor(GetColor(COLOR_3DHIGHLIGHT));
        CRect rcShadow = rcText;
        rcShadow.OffsetRect(1, 1);
        pDC->DrawText(strText, &rcShadow, nFormat);
        pDC->SetTextColor(clrText);
    }
    return pDC->DrawText(strText, &rcText, nFormat);
}

CSize CXTPPaintManager::DrawToolBarControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    // State icon, then the caption; the frame comes from the theme's state face.
    CSize szButton = pControl->GetButtonSize();
    CSize szIcon = pControl->GetIconSize();
    BOOL bImage = pControl->IsImageVisible();
    BOOL bCaption = pControl->IsCaptionVisible();
    CString strCaption = CXTPControl::StripAccessKeys(pControl->GetCaption());
    CFont* pOldFont = pDC->SelectObject(GetControlFont(pControl));
    CSize szText = bCaption ? pDC->GetTextExtent(strCaption, strCaption.GetLength()) : CSize(0, 0);
    CSize size(szButton.cx, szButton.cy);
    if (bCaption)
        size.cx = (bImage ? szIcon.cx + 7 : 3) + szText.cx + 6;
    if (size.cx < szButton.cx && !bCaption)
        size.cx = szButton.cx;
    if (pControl->GetWidth() > 0)
        size.cx = pControl->GetWidth();
    if (pControl->GetHeight() > 0)
        size.cy = pControl->GetHeight();
    if (bDraw)
    {
        CRect rc = pControl->GetRect();
        CXTPCommandBar* pBar = pControl->GetParent();
        DrawStateFace(pDC, rc, pControl->GetSelected(), pControl->GetPressed(), pControl->GetEnabled(),
                      pControl->GetChecked(), pControl->GetPopped(), pBar ? pBar->GetType() : 1,
                      pBar ? pBar->GetPosition() : 0);
        int x = rc.left + 3;
        if (bImage)
        {
            CPoint pt(x, rc.top + (rc.Height() - szIcon.cy) / 2);
            DrawImage(pDC, pt, szIcon, pControl->GetImage(szIcon.cx), pControl->GetSelected(),
                      pControl->GetPressed(), pControl->GetEnabled(), pControl->GetChecked(), pControl->GetPopped(),
                      TRUE);
            x += szIcon.cx + 4;
        }
        if (bCaption)
        {
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(GetControlTextColor(pControl));
            CRect rcText(x, rc.top, rc.right, rc.bottom);
            pDC->DrawText(pControl->GetCaption(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        }
    }
    pDC->SelectObject(pOldFont);
    return size;
}

CSize CXTPPaintManager::DrawPopupBarControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    if (bDraw)
        DrawStateFace(pDC, pControl->GetRect(), pControl->GetSelected(), FALSE, pControl->GetEnabled(),
                      pControl->GetChecked(), FALSE, xtpBarTypePopup, xtpBarPopup);
    return DrawPopupBarText(pDC, pControl, bDraw);
}

CSize CXTPPaintManager::DrawPopupBarText(CDC* pDC, CXTPControl* pControl, BOOL bDraw, int* pIconColumn)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    const CSize szButton = GetButtonSizeForBar(pBar);
    int nIconColumn = GetPopupBarGripperWidth(pBar) - 1;
    if (nIconColumn < 0)
        nIconColumn = 0;
    int nRowHeight = szButton.cy;
    if (pControl->GetType() == xtpControlLabel && !pControl->IsImageVisible())
    {
        if (!m_bShowKeyboardCues) // the icon column of labels without an icon
            nIconColumn = 0;
        if (pControl->GetStyle() == xtpButtonCaption)
            nRowHeight = GetControlHeight();
    }
    if (pIconColumn)
        *pIconColumn = nIconColumn;

    // Keyboard cues: the paint manager's setting, else the bar's answer.
    const BOOL bCues = m_bShowKeyboardCuesMode != -1 ? m_bShowKeyboardCuesMode != 0
                                                     : (!pBar || pBar->IsKeyboardCuesVisible());
    CString strCaption = pControl->GetCaption();
    if (!bCues)
        strCaption = CXTPControl::StripAccessKeys(strCaption);
    const UINT nFormat = DT_END_ELLIPSIS | (bCues ? 0 : DT_NOPREFIX);
    CString strShortcut = pControl->GetShortcutText();
    const CString strDescription = pControl->GetDescription();
    const BOOL bDescribed = pControl->GetStyle() == xtpButtonCaptionAndDescription && !strDescription.IsEmpty();

    CFont* pOldFont = pDC->SelectObject(bDescribed ? &m_fntCommandBarBold : GetControlFont(pControl));
    const CString strMeasured = CXTPControl::StripAccessKeys(pControl->GetCaption());
    const CSize szText = pDC->GetTextExtent(strMeasured.IsEmpty() ? CString(" ") : strMeasured);
    const int nShortcutWidth = strShortcut.IsEmpty() ? 0 : pDC->GetTextExtent(strShortcut).cx;
    CSize size(4 + nIconColumn + (strMeasured.IsEmpty() ? 0 : szText.cx) + nShortcutWidth + 32, nRowHeight);
    if (bDescribed)
    {
        CFont* pBold = pDC->SelectObject(&m_fntCommandBar);
        const int nLine = pDC->GetTextExtent(" ", 1).cy;
        pDC->SelectObject(pBold);
        size.cy = szText.cy + 10 + 2 * nLine;
    }

    if (bDraw)
    {
        const CRect rc = pControl->GetRect();
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(GetControlTextColor(pControl));
        CRect rcText(rc.left + m_nPopupBarTextPadding + nIconColumn, rc.top, rc.right, rc.bottom);
        const CRect rcShortcut(rc.left + nIconColumn + 8, rc.top, rc.right - 19, rc.bottom);
        if (pControl->GetType() == xtpControlButton && !strShortcut.IsEmpty())
            rcText.right -= nShortcutWidth + 19;
        if (bDescribed)
        {
            rcText.bottom = rcText.top + szText.cy + 10;
            DrawTextLine(pDC, strCaption, rcText, nFormat, TRUE, pControl->GetSelected(), pControl->GetEnabled());
            pDC->SelectObject(&m_fntCommandBar);
            CRect rcDescription(rcText.left, rcText.bottom - 2, rc.right - 10, rc.bottom);
            pDC->DrawText(strDescription, &rcDescription, DT_WORDBREAK | DT_NOPREFIX);
        }
        else
        {
            DrawTextLine(pDC, strCaption, rcText, nFormat, TRUE, pControl->GetSelected(), pControl->GetEnabled());
            if (pControl->GetType() == xtpControlButton && !strShortcut.IsEmpty())
                DrawTextLine(pDC, strShortcut, rcShortcut, DT_RIGHT | DT_NOPREFIX, TRUE, pControl->GetSelected(),
                             pControl->GetEnabled());
        }
    }
    pDC->SelectObject(pOldFont);

    // A custom width or height replaces the measured one.
    if (pControl->GetWidth() > 0)
        size.cx = pControl->GetWidth();
    if (pControl->GetHeight() > 0)
        size.cy = pControl->GetHeight();
    return size;
}

COLORREF CXTPPaintManager::GetEditFieldBackColor(CXTPControl* pControl)
{
    return GetColor(pControl && pControl->GetEnabled() ? COLOR_WINDOW : COLOR_3DFACE);
}

void CXTPPaintManager::DrawControlBackground(CDC* pDC, CXTPControl* pControl)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    DrawStateFace(pDC, pControl->GetRect(), pControl->GetSelected(), pControl->GetPressed(), pControl->GetEnabled(),
                  pControl->GetChecked(), pControl->GetPopped(), pBar ? pBar->GetType() : 1,
                  pBar ? pBar->GetPosition() : 0);
}

COLORREF CXTPPaintManager::GetControlTextColor(CXTPControl* pControl)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    int nType = pControl->GetType();
    BOOL bEnabled = pControl->GetEnabled();
    if ((nType == xtpControlCheckBox || nType == xtpControlRadioButton) && !(pBar && pBar->IsPopupType()))
        return GetStateTextColor(FALSE, FALSE, bEnabled, FALSE, FALSE, pBar ? pBar->GetType() : 1,
                                 pBar ? pBar->GetPosition() : 0);
    return GetStateTextColor(pControl->GetSelected(), pControl->GetPressed(), bEnabled, pControl->GetChecked(),
                             pControl->GetPopped(), pBar ? pBar->GetType() : 1, pBar ? pBar->GetPosition() : 0);
}

CRect CXTPPaintManager::GetSplitButtonCommandRect(CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    rc.right -= m_nSplitButtonDropDownWidth + 1;
    return rc;
}

void CXTPPaintManager::SetCommandBarRegion(CXTPCommandBar*) {}
void CXTPPaintManager::FillPopupBarIconColumn(CDC*, int, int, int, int, int) {}
void CXTPPaintManager::AdjustPopupCaption(CString&) {}

void CXTPPaintManager::FillWorkspace(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(&rc, GetColor(COLOR_APPWORKSPACE));
}
