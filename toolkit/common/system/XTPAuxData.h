// CXTPAuxData: the process-wide snapshot of what the toolkit's controls take from the system:
// colours (through the colour manager), metrics, cursors, fonts and operating-system facts.
#pragma once

#include "framework/GdiObject.h"
#include "framework/Geometry.h"

// Number of colours the record keeps: 20 system colours, then toolkit colours 30 to 49.
#define XTP_AUXDATA_COLORS 40

class CXTPAuxData
{
public:
    CXTPAuxData();
    virtual ~CXTPAuxData();
    CXTPAuxData(const CXTPAuxData&) = delete;
    CXTPAuxData& operator=(const CXTPAuxData&) = delete;

    // Refills the colours after the colour manager's refresh.
    void UpdateSysColors();
    void UpdateSysMetrics();
    // Loads the cursors in order; stops at the first that cannot be had and reports FALSE.
    BOOL LoadSysCursors();
    // Rebuilds the ten fonts from the menu font; lpszFaceName and lpszVertFaceName replace the
    // faces when installed. FALSE when a font cannot be created (the rest stay empty).
    BOOL UpdateSysFonts(LPCSTR lpszFaceName = nullptr, LPCSTR lpszVertFaceName = nullptr);
    static BOOL FontExists(LPCSTR lpszFaceName);

    // The colour-manager number of colour i (0 to 39) and the colour held for it.
    static int GetColorIndex(int i);
    COLORREF GetColor(int i) const;

    // ---- colours, in this order
    COLORREF clr3DFace, clr3DShadow, clr3DDkShadow, clr3DHilight, clr3DLight, clrBtnText, clrGrayText,
        clrHighlight, clrHighlightText, clrMenu, clrMenuText, clrWindow, clrWindowFrame, clrWindowText,
        clrActiveCaption, clrInActiveCaption, clrGradActiveCapt, clrGradInActiveCapt, clrActiveCaptText,
        clrInactiveCaptText;
    COLORREF clrToolkit[20]; // colour-manager colours 30 to 49

    // ---- metrics
    int cxSmIcon, cySmIcon, cxHThumb, cyVThumb, cyMenuItem;
    CSize sizeFixedButton; // 18 x 18

    // ---- cursors (shared resources: never destroyed)
    HCURSOR hcurDragCopy;   // toolkit cursor IDC_TK_CURSOR_DRAG_COPY (9310)
    HCURSOR hcurDragMove;   // IDC_TK_CURSOR_DRAG_MOVE (9308)
    HCURSOR hcurDragNone;   // IDC_TK_CURSOR_DRAG_NONE (9309)
    HCURSOR hcurHand;       // the system hand, else toolkit cursor IDC_TK_CURSOR_HAND (9973)
    HCURSOR hcurHSplitBar;  // IDC_TK_CURSOR_HSPLIT (9970)
    HCURSOR hcurVSplitBar;  // IDC_TK_CURSOR_VSPLIT (9971)
    HCURSOR hcurMove;       // the system IDC_SIZEALL

    // ---- fonts, in this order
    CFont font;              // the menu font (normal)
    CFont fontBold;          // weight 700
    CFont fontULine;         // underlined
    CFont fontVert;          // escapement 900, orientation 2700
    CFont fontVertBold;
    CFont fontIconTitle;
    CFont fontIconTitleBold;
    CFont fontMarlett;       // the symbol font at the icon-title height
    CFont fontStatus;
    CFont fontSmCaption;

    // ---- operating-system facts
    BOOL bWin95, bWin98, bWinNT4, bWin2K, bWinXP;
    // COMCTL32's version; -1 until read.
    DWORD dwComCtlVersion;

    // With bUseOfficeFont set and no face given, "Tahoma" replaces the menu font's face (for
    // character sets 0 to 2, when installed). The other two are kept for the record's users.
    BOOL bUseOfficeFont;
    BOOL bReserved1;
    BOOL bReserved2;

protected:
    void DeleteFonts();
};

// The process-wide record, built on first call and destroyed at exit.
CXTPAuxData* GetAuxData();
