// Shared system data of the toolkit's controls.
#include "toolkit/common/system/XTPAuxData.h"

#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/drawing/XTPDrawHelpers.h"
#include "toolkit/common/system/XTPNcMetrics.h"
#include "toolkit/common/resources/XTPResourceManager.h"
#include "toolkit/common/system/XTPSystemHelpers.h"
#include "toolkit/common/XTPResourceIds.h"

#include <memory>

namespace
{
const int s_nColorIndex[XTP_AUXDATA_COLORS] = {
    COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DLIGHT, COLOR_BTNTEXT,
    COLOR_GRAYTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_MENU, COLOR_MENUTEXT, COLOR_WINDOW,
    COLOR_WINDOWFRAME, COLOR_WINDOWTEXT, COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION,
    COLOR_GRADIENTACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION, COLOR_CAPTIONTEXT, COLOR_INACTIVECAPTIONTEXT,
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49};

// Creates pFont from lf with the given changes; FALSE when the system refuses.
BOOL CreateFontFrom(CFont& font, const LOGFONTA& lfBase, LONG lWeight = -1, BYTE bUnderline = 0,
                    LONG lEscapement = 0, LONG lOrientation = 0)
{
    LOGFONTA lf = lfBase;
    if (lWeight >= 0)
        lf.lfWeight = lWeight;
    if (bUnderline)
        lf.lfUnderline = bUnderline;
    if (lEscapement)
        lf.lfEscapement = lEscapement;
    if (lOrientation)
        lf.lfOrientation = lOrientation;
    return font.CreateFontIndirect(&lf);
}

void SetFace(LOGFONTA& lf, LPCSTR lpszFace)
{
    lstrcpynA(lf.lfFaceName, lpszFace, LF_FACESIZE);
}
} // namespace

CXTPAuxData::CXTPAuxData()
{
    bUseOfficeFont = FALSE;
    bReserved1 = FALSE;
    bReserved2 = TRUE;
    dwComCtlVersion = (DWORD)-1;
    hcurDragCopy = hcurDragMove = hcurDragNone = hcurHand = hcurHSplitBar = hcurVSplitBar = hcurMove = nullptr;

    CXTPOsVersion* pVersion = GetOsVersion();
    bWin95 = pVersion->IsWin95();
    bWin98 = pVersion->IsWin98();
    bWinNT4 = pVersion->IsWinNT4();
    bWin2K = pVersion->IsWin2000();
    bWinXP = pVersion->IsWinXP();

    UpdateSysColors();
    UpdateSysMetrics();
    LoadSysCursors();
    UpdateSysFonts();
    dwComCtlVersion = CXTPOsVersion::GetComCtlVersion();
}

CXTPAuxData::~CXTPAuxData()
{
    DeleteFonts();
}

int CXTPAuxData::GetColorIndex(int i)
{
    return i >= 0 && i < XTP_AUXDATA_COLORS ? s_nColorIndex[i] : -1;
}

COLORREF CXTPAuxData::GetColor(int i) const
{
    if (i < 0 || i >= XTP_AUXDATA_COLORS)
        return (COLORREF)-1;
    return i < 20 ? (&clr3DFace)[i] : clrToolkit[i - 20];
}

void CXTPAuxData::UpdateSysColors()
{
    CXTPColorManager* pColors = GetColorManager();
    COLORREF* pSystem[20] = {&clr3DFace,         &clr3DShadow,        &clr3DDkShadow,      &clr3DHilight,
                             &clr3DLight,        &clrBtnText,         &clrGrayText,        &clrHighlight,
                             &clrHighlightText,  &clrMenu,            &clrMenuText,        &clrWindow,
                             &clrWindowFrame,    &clrWindowText,      &clrActiveCaption,   &clrInActiveCaption,
                             &clrGradActiveCapt, &clrGradInActiveCapt, &clrActiveCaptText, &clrInactiveCaptText};
    for (int i = 0; i < 20; ++i)
        *pSystem[i] = pColors->GetColor(s_nColorIndex[i]);
    for (int i = 20; i < XTP_AUXDATA_COLORS; ++i)
        clrToolkit[i - 20] = pColors->GetColor(s_nColorIndex[i]);
}

void CXTPAuxData::UpdateSysMetrics()
{
    cxSmIcon = ::GetSystemMetrics(SM_CXSMICON);
    cySmIcon = ::GetSystemMetrics(SM_CYSMICON);
    cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    cyMenuItem = ::GetSystemMetrics(SM_CYMENU);
    sizeFixedButton = CSize(18, 18);
}

BOOL CXTPAuxData::LoadSysCursors()
{
    CXTPResourceManager* pResources = GetResourceManager();
    hcurDragCopy = hcurDragMove = hcurDragNone = hcurHand = hcurHSplitBar = hcurVSplitBar = hcurMove = nullptr;

    if (!(hcurDragCopy = pResources->LoadCursor(IDC_TK_CURSOR_DRAG_COPY)))
        return FALSE;
    if (!(hcurDragMove = pResources->LoadCursor(IDC_TK_CURSOR_DRAG_MOVE)))
        return FALSE;
    if (!(hcurDragNone = pResources->LoadCursor(IDC_TK_CURSOR_DRAG_NONE)))
        return FALSE;
    hcurHand = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)); // IDC_HAND
    if (!hcurHand && !(hcurHand = pResources->LoadCursor(IDC_TK_CURSOR_HAND)))
        return FALSE;
    if (!(hcurHSplitBar = pResources->LoadCursor(IDC_TK_CURSOR_HSPLIT)))
        return FALSE;
    if (!(hcurVSplitBar = pResources->LoadCursor(IDC_TK_CURSOR_VSPLIT)))
        return FALSE;
    if (!(hcurMove = ::LoadCursorA(nullptr, IDC_SIZEALL)))
        return FALSE;
    return TRUE;
}

BOOL CXTPAuxData::FontExists(LPCSTR lpszFaceName)
{
    return ::FontExists(lpszFaceName);
}

void CXTPAuxData::DeleteFonts()
{
    CFont* fonts[] = {&font,          &fontBold,          &fontULine,   &fontVert,   &fontVertBold,
                      &fontIconTitle, &fontIconTitleBold, &fontMarlett, &fontStatus, &fontSmCaption};
    for (CFont* pFont : fonts)
        pFont->DeleteObject();
}

BOOL CXTPAuxData::UpdateSysFonts(LPCSTR lpszFaceName, LPCSTR lpszVertFaceName)
{
    DeleteFonts();

    CXTPNcMetrics ncm;
    const BYTE nCharSet = GetResourceManager()->GetFontCharset();
    LOGFONTA lf = ncm.lfMenuFont;
    lf.lfCharSet = nCharSet;

    if (lpszFaceName && *lpszFaceName && FontExists(lpszFaceName))
        SetFace(lf, lpszFaceName);
    else if ((!lpszFaceName || !*lpszFaceName) && bUseOfficeFont && lf.lfCharSet <= 2 && FontExists("Tahoma"))
        SetFace(lf, "Tahoma");

    if (!CreateFontFrom(font, lf) || !CreateFontFrom(fontBold, lf, FW_BOLD) ||
        !CreateFontFrom(fontULine, lf, -1, TRUE))
        return FALSE;

    LOGFONTA lfVert = lf;
    if (lpszVertFaceName && *lpszVertFaceName && FontExists(lpszVertFaceName))
        SetFace(lfVert, lpszVertFaceName);
    else if (lstrcmpiA(lf.lfFaceName, "Tahoma") != 0 && FontExists("Arial"))
        SetFace(lfVert, "Arial");
    if (!CreateFontFrom(fontVert, lfVert, -1, 0, 900, 2700) ||
        !CreateFontFrom(fontVertBold, lfVert, FW_BOLD, 0, 900, 2700))
        return FALSE;

    LOGFONTA lfIcon = {};
    GetIconTitleLogFont(&lfIcon);
    if (!CreateFontFrom(fontIconTitle, lfIcon) || !CreateFontFrom(fontIconTitleBold, lfIcon, FW_BOLD))
        return FALSE;

    LOGFONTA lfMarlett = {};
    lfMarlett.lfHeight = lfIcon.lfHeight;
    lfMarlett.lfCharSet = DEFAULT_CHARSET;
    SetFace(lfMarlett, "Marlett");
    if (!CreateFontFrom(fontMarlett, lfMarlett))
        return FALSE;

    if (!CreateFontFrom(fontStatus, ncm.lfStatusFont) || !CreateFontFrom(fontSmCaption, ncm.lfSmCaptionFont))
        return FALSE;
    return TRUE;
}

namespace
{
struct AuxDataHolder
{
    std::unique_ptr<CXTPAuxData> pData;
};
} // namespace

CXTPAuxData* GetAuxData()
{
    static AuxDataHolder holder;
    if (!holder.pData)
        holder.pData.reset(new CXTPAuxData());
    return holder.pData.get();
}
