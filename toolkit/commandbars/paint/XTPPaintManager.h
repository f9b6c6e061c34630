// CXTPPaintManager: the drawing interface of the command bars. Every bar and control measures and
// draws through one; it owns the command-bar fonts, the colour table and the shadow manager.
// Themes derive from it (later, in toolkit/themes) and register with CreateTheme; until a theme
// is registered every theme number gives CXTPDefaultTheme, a flat classic look in system colours.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "toolkit/common/drawing/XTPColorManager.h"

class CXTPCommandBar;
class CXTPControl;
class CXTPControlComboBox;
class CXTPControlEdit;
class CXTPCommandBars;
class CXTPDockBar;
class CXTPDialogBar;
class CXTPImageManagerIcon;
class CXTPMessageBar;
class CXTPMessageBarButton;
class CXTPPopupBar;
class CXTPShadowManager;
class CXTPStatusBar;
class CXTPStatusBarPane;
class CXTPStatusBarSwitchPane;
class CXTPCommandBarKeyboardTip;
class CXTPControlGalleryPaintManager;
class CXTPSliderPaintManager;
class CXTPProgressPaintManager;
class CXTPScrollBarPaintManager;
class CXTPFramePaintManager;
class CXTPRibbonPaintManager;

// A font the paint manager rebuilds from the system on every refresh while its standard flag is
// set; a caller that installs its own font clears the flag.
class CXTPPaintManagerFont : public CFont
{
public:
    void SetStandardFont(BOOL bStandard) { m_bStandardFont = bStandard; }
    BOOL IsStandardFont() const { return m_bStandardFont || !GetSafeHandle(); }
    BOOL SetCustomFont(const LOGFONTA* pLogFont);

private:
    BOOL m_bStandardFont = TRUE;
};

class CXTPWinThemeWrapper;

// What the paint manager reads of a status-bar pane; the pane kind fills one to have it drawn.
struct XTPStatusPaneLook
{
    CString strText;
    CXTPImageManagerIcon* pIcon = nullptr;
    COLORREF clrBackground = COLORREF(-1);   // -1: no fill
    COLORREF clrText = COLORREF(-1);         // -1: the paint manager's status text colour
    COLORREF clrTextDisabled = COLORREF(-1); // -1: its status disabled text colour
    int nAlignment = 0;                      // 0 left, 1 centred, 2 right
    UINT nStyle = 0;                         // SBPS_* bits; 0x100 draws without borders
    BOOL bEnabled = TRUE;
    BOOL bButton = FALSE; // a pane that acts as a button
    BOOL bHot = FALSE;    // the status bar's hot pane
    BOOL bPressed = FALSE;
    BOOL bChecked = FALSE;
    CRect rcPadding;      // margins inside the rectangle before the content
    CFont* pFont = nullptr; // null: the paint manager's status (tooltip) font
};

// What the paint manager reads of a message-bar button.
struct XTPMessageBarButtonLook
{
    CRect rc;
    UINT nId = 0; // SC_CLOSE draws the close cross
    BOOL bHot = FALSE;
    BOOL bPressed = FALSE;
};

class CXTPPaintManager : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPPaintManager)

public:
    CXTPPaintManager();
    ~CXTPPaintManager() override;

    // Virtual operations, in their order.
    virtual CSize DrawPopupBarControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual CSize DrawToolBarControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual void DrawSplitButtonFace(CDC* pDC, CXTPControl* pControl, CRect rc) = 0;
    virtual CSize DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControl, BOOL bDraw);
    virtual COLORREF GetEditFieldBackColor(CXTPControl* pControl);
    virtual CSize DrawControlEdit(CDC* pDC, CXTPControlEdit* pControl, BOOL bDraw);
    virtual CSize DrawListRowControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                     CXTPCommandBars* pCommandBars) = 0;
    virtual void FillCommandBar(CDC* pDC, CXTPCommandBar* pBar) = 0;
    virtual void DrawControlBackground(CDC* pDC, CXTPControl* pControl);
    virtual COLORREF GetControlTextColor(CXTPControl* pControl);
    virtual COLORREF GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                       int barType, int barPosition) = 0;
    virtual void DrawStateFace(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int barType, int barPosition) = 0;
    virtual CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw);
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw) = 0;
    virtual void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) = 0;
    virtual void DrawStatusBarPane(CDC* pDC, CRect& rc, CXTPStatusBarPane* pPane);
    virtual void DrawStatusBarPaneButton(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane);
    virtual int DrawStatusBarSwitchPane(CDC* pDC, CRect rc, CXTPStatusBarSwitchPane* pPane);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane, BOOL bLastPane);
    virtual void DrawStatusBarPaneSeparator(CDC* pDC, CRect rc, CXTPStatusBarPane* pPane);
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    virtual void FillDockBar(CDC* pDC, CXTPDockBar* pBar);
    virtual void FillMessageBar(CDC* pDC, CXTPMessageBar* pBar);
    virtual void DrawMessageBarButton(CDC* pDC, CXTPMessageBarButton* pButton);
    virtual void FillStatusBar(CDC* pDC, CXTPStatusBar* pBar);
    virtual void RefreshMetrics();
    virtual CSize DrawSpecialButton(CDC* pDC, int nKind, CXTPControl* pControl, CXTPCommandBar* pBar, BOOL bDraw,
                                    LPARAM lParam);
    virtual CRect GetCommandBarBorders(CXTPCommandBar* pBar);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) = 0;
    virtual void DrawResizeGripper(CDC* pDC, CRect rc, int nFlags) = 0;
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, BOOL bSelected,
                           BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) = 0;
    virtual CSize DrawDialogBarGripper(CDC* pDC, CXTPDialogBar* pBar, BOOL bDraw) = 0;
    virtual CRect GetSplitButtonCommandRect(CXTPControl* pControl);
    virtual void SetCommandBarRegion(CXTPCommandBar* pBar);
    virtual CSize DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                          BOOL bChecked, BOOL bEnabled);
    virtual CSize DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                             BOOL bChecked, BOOL bEnabled);
    virtual void FillPopupBarIconColumn(CDC* pDC, int x, int y, int cx, int cy, int nFlags);
    virtual int GetCurrentTheme() const = 0;
    virtual CFont* GetControlFont(CXTPControl* pControl);
    virtual CFont* GetCommandBarFont(CXTPCommandBar* pBar);
    virtual int GetControlTextOrientation(CXTPControl* pControl);
    virtual void RefreshFonts();
    virtual void RefreshStandardColors();
    virtual void DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawRadioMark(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawComboExpandMark(CDC* pDC, CRect rc, COLORREF clr);
    virtual CSize DrawControlMDIButton(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual void DrawDropDownGlyph(CDC* pDC, CXTPControl* pControl, CPoint pt, BOOL bSelected, BOOL bPopuped,
                                   BOOL bEnabled, BOOL bVert);
    virtual void Animate(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimation);
    virtual void AnimateExpanding(CXTPPopupBar* pPopup, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown);
    virtual void AdjustPopupCaption(CString& strCaption);
    virtual int GetPopupBarGripperWidth(CXTPCommandBar* pBar);
    virtual CXTPControlGalleryPaintManager* GetGalleryPaintManager() { return m_pGalleryPaintManager; }
    virtual CXTPSliderPaintManager* GetSliderPaintManager() { return m_pSliderPaintManager; }
    virtual CXTPProgressPaintManager* GetProgressPaintManager() { return m_pProgressPaintManager; }
    virtual CXTPScrollBarPaintManager* GetScrollBarPaintManager() { return m_pScrollBarPaintManager; }
    virtual CXTPFramePaintManager* GetFramePaintManager() { return m_pFramePaintManager; }
    virtual CXTPRibbonPaintManager* GetRibbonPaintManager() { return m_pRibbonPaintManager; }
    virtual void FillWorkspace(CDC* pDC, CRect rc);
    virtual void DrawKeyboardTip(CDC* pDC, CXTPCommandBarKeyboardTip* pWnd, BOOL bSetRegion);
    virtual BOOL IsFlatToolBar(CXTPCommandBar* pBar);
    virtual CSize GetButtonSizeForBar(CXTPCommandBar* pBar);
    virtual int DrawTextLine(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw,
                             BOOL bSelected, BOOL bEnabled);

    // Non-virtual operations.
    COLORREF GetColor(int nIndex) const;
    void SetColors(int nCount, const int* pIndexes, const COLORREF* pColors);
    BOOL* GetIconsInfo() { return &m_bUseFadedIcons; }
    int GetControlHeight() const { return m_nControlHeight < 22 ? 22 : m_nControlHeight; }
    void SetCommandBarsFontIndirect(const LOGFONTA* pLogFont, BOOL bUseStandardFont = FALSE);
    int GetAutoIconSize(BOOL bLarge) const;
    // The band of a split-button popup's drop-down part: from the explicit control size when set,
    // else from the control height (22 below 19).
    int GetSplitButtonPartSize(CXTPControl* pControl) const;
    // The system theme choice: 7 automatic (0 with themed colours off, else the colour manager's
    // current theme), 6 the theme detected at the last refresh, other values as they are.
    int GetCurrentSystemTheme() const;

    // Captions: split for two lines at the space nearest the middle (line 2 empty when none).
    static void SplitCaption(const CString& strCaption, CString& strLine1, CString& strLine2);
    // A two-line caption measured (24 high; the drop-down glyph adds 8 to line 2) or drawn centred.
    CSize DrawControlText(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bDraw, BOOL bVert, BOOL bDropDown);
    // Text drawn through the visual style's composited call when bGlass and a style is open.
    void DrawCompositedText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bGlass);
    // An image of size (iw, ih) fitted into (w, h); (w, h) without an image.
    static CSize FitImage(CSize szImage, int nWidth, int nHeight);
    // DPI scaling per axis: value x dpi / 96 when the threshold is below the screen's dpi.
    static int ScaleX(int nValue, int nThreshold = 96);
    static int ScaleY(int nValue, int nThreshold = 96);
    // Fills a rectangle with a colour at alpha 255 through a 32-bit DIB section.
    static void FillOpaqueRect(CDC* pDC, CRect rc, COLORREF clr);
    // Measures (bDraw FALSE) or draws a control by its bar's kind.
    CSize DrawControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw = TRUE);
    CFont* GetRegularFont() { return &m_fntCommandBar; }
    CFont* GetRegularBoldFont() { return &m_fntCommandBarBold; }
    CFont* GetIconFont() { return &m_fontIcon; }
    CFont* GetCaptionFont() { return &m_fontSmCaption; }
    CXTPShadowManager* GetShadowManager() const { return m_pShadowManager; }
    // Forwards to the drawing helpers' StripAmpersands.
    static void StripAmpersands(CString& str);

    // Line and rectangle helpers; colours are colour numbers (GetColor), -1 skips a part.
    void HorizontalLine(CDC* pDC, int x0, int y, int x1, int nColor);
    void VerticalLine(CDC* pDC, int x, int y0, int y1, int nColor);
    void Line(CDC* pDC, int x0, int y0, int x1, int y1, int nColor);
    void Rectangle(CDC* pDC, CRect rc, int nFrameColor, int nFillColor);
    void Draw3dRect(CDC* pDC, CRect rc, int nTopLeftColor, int nBottomRightColor);
    // An anti-aliased filled circle in a square rectangle.
    static void DrawAntialiasedCircle(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, COLORREF clrEdge,
                                      COLORREF clrFill);

    // The parts of kinds that pass what the paint manager reads as look records: a status-bar
    // pane, the status bar's and the message bar's faces, a message-bar button, a keyboard tip.
    void DrawStatusPane(CDC* pDC, CRect& rc, const XTPStatusPaneLook& pane);
    void DrawStatusPaneButton(CDC* pDC, CRect rc, const XTPStatusPaneLook& pane);
    void DrawStatusPaneBorder(CDC* pDC, CRect rc, BOOL bButtonPane, BOOL bLastPane);
    void FillStatusBarRect(CDC* pDC, CRect rcClient);
    void FillMessageBarRect(CDC* pDC, CRect rcClient, CRect rcMessage);
    void DrawMessageBarButtonLook(CDC* pDC, const XTPMessageBarButtonLook& button);
    // bSetRegion: the preparation of a new tip window (nothing is drawn).
    void DrawKeyboardTipLook(CDC* pDC, CRect rcClient, const CString& strText, BOOL bEnabled, BOOL bSetRegion);
    CFont* GetKeyboardTipFont() { return &m_fontToolTip; }

    // The caption (and shortcut or description) of a control on a popup bar, without its face:
    // measured (bDraw FALSE) or drawn; the control's size. nIconColumn receives the icon column.
    CSize DrawPopupBarText(CDC* pDC, CXTPControl* pControl, BOOL bDraw, int* pIconColumn = nullptr);

    // Heights of combo boxes and edits: the explicit control size, else the text height of " " in
    // the icon title font + 7 (a combo box at least 20 unless that text is 13 or taller).
    int GetFieldHeight(CDC* pDC, BOOL bComboBox);
    // The drop-down button width of a combo box of height b.
    static int GetComboDropDownWidth(int nHeight);
    // The width of the label in front of an edit or combo field: caption extent + 5 in the
    // regular font, or the icon width + 4 when only an image shows; 0 when neither shows.
    int GetFieldLabelWidth(CDC* pDC, CXTPControl* pControl);
    // The caption of a field as its label, in nLabelWidth pixels at the control's left; the
    // field's rectangle right of it.
    CRect DrawFieldLabel(CDC* pDC, CXTPControl* pControl, int nLabelWidth);
    // The label and a plain field (filled in the field colour, framed in the shadow colour); the
    // field's rectangle.
    CRect DrawPlainField(CDC* pDC, CXTPControl* pControl, int nLabelWidth);

    // The global paint manager.
    static CXTPPaintManager* GetGlobal();   // creates theme 0 when none exists
    static CXTPPaintManager* GetGlobalIfAny();
    static void SetCustomTheme(CXTPPaintManager* pPaintManager);
    static void SetTheme(int nTheme);
    static CXTPPaintManager* CreateTheme(int nTheme);
    // A theme library registers the class for a theme number here (null gives the number back to
    // the default theme); returns the previous maker.
    typedef CXTPPaintManager* (*PFNCREATETHEME)();
    static PFNCREATETHEME RegisterTheme(int nTheme, PFNCREATETHEME pfnCreate);
    static void ReleaseGlobal();

    // Makes an area opaque for glass: the pixels go through a 32-bit DIB section whose alpha bytes
    // are all set to 255 (edit windows on glass call it over their client area after painting).
    static void MakeRectOpaque(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom);

    // Fields, in their order.
    COLORREF m_clrStatusTextColor = 0;
    COLORREF m_clrStatusTextGrayColor = 0;
    COLORREF m_clrMessageBarText = 0;
    CXTPPaintManagerColorGradient m_clrDisabledIcon; // bar face gradient
    CXTPPaintManagerColor m_clrFloatingGripper;
    CXTPPaintManagerColor m_clrFloatingGripperText;
    BOOL m_bThickCheckMark = FALSE;
    BOOL m_bShowShadow = TRUE;
    BOOL m_bThemedStatusBar = FALSE;
    BOOL m_bThemedCheckBox = FALSE;
    BOOL m_bClearTypeTextQuality = FALSE;
    BOOL m_bFlatToolBar = FALSE;
    BOOL m_bFlatMenuBar = FALSE;
    int m_nPopupBarTextPadding = 4;
    BOOL m_bSelectImageInPopupBar = FALSE;
    int m_nStatusBarMinHeight = 0;
    BOOL m_bIconSpacing = FALSE; // FALSE: captions beside icons start one pixel closer
    BOOL m_bShowKeyboardCues = TRUE; // icon column for kind 8
    BOOL m_bWrapCaptionBelowText = TRUE;
    CXTPPaintManagerFont m_fontSmCaption;
    CXTPPaintManagerFont m_fontIcon;
    CXTPPaintManagerFont m_fontIconBold;
    CXTPPaintManagerFont m_fontToolTip;
    int m_nSplitButtonDropDownWidth = 11;
    int m_nSplitButtonPopupWidth = 20;
    BOOL m_bAutoResizeIcons = FALSE;
    int m_nEditHeight20 = 20;
    CXTPControlGalleryPaintManager* m_pGalleryPaintManager = nullptr;
    CXTPSliderPaintManager* m_pSliderPaintManager = nullptr;
    CXTPProgressPaintManager* m_pProgressPaintManager = nullptr;
    CXTPScrollBarPaintManager* m_pScrollBarPaintManager = nullptr;
    CXTPRibbonPaintManager* m_pRibbonPaintManager = nullptr;
    CXTPFramePaintManager* m_pFramePaintManager = nullptr;
    typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes = nullptr;
    CRect m_rcStatusBarBorder;
    BOOL m_bUseOfficeFont = FALSE;
    CString m_strOfficeFont = "Tahoma";
    int m_nControlHeight = 0;
    CFont m_fntCommandBar;
    CFont m_fntCommandBarBold;
    CFont m_fntVerticalText;
    CFont m_fntVerticalBoldText;
    int m_nFixedControlHeight = 0;
    int m_nFontHeight = 0;
    BOOL m_bUseStandardFont = TRUE;
    BOOL m_bEmbossedDisabledText = TRUE;
    int m_nTheme = 0;
    BOOL m_bUseFadedIcons = FALSE;
    BOOL m_bUseDisabledIcons = FALSE;
    BOOL m_bIconsWithShadow = FALSE;
    int m_nAnimationType = 0;
    int m_nAnimationSteps = 10;
    int m_nAnimationTime = 100;
    int m_bShowKeyboardCuesMode = -1;
    CXTPPaintManagerColor m_arrColor[63];
    int m_nSystemTheme = 7;
    CXTPShadowManager* m_pShadowManager = nullptr;

    // Visual-style data of the classes "STATUS" and "BUTTON" (opened by RefreshMetrics when the
    // themed status bar or themed check marks are on).
    CXTPWinThemeWrapper* m_themeStatusBar = nullptr;
    CXTPWinThemeWrapper* m_themeButton = nullptr;
    // Members after the fields: roles the bars and controls read that have no field of their own.
    // Above 0: the text windows of edit and combo fields sit one pixel lower.
    int m_nEditOffset = 0;
    // With the frame paint manager's flag: the status bar is part of the frame.
    BOOL m_bFrameStatusBar = FALSE;
    // Command bars cross-fade their changes (CXTPCommandBarAnimation).
    BOOL m_bEnableAnimation = FALSE;
    // Pixels added to the label of edit and combo fields.
    int m_nLabelSpacing = 0;
    // Pixels taken from control widths on popup-type bars.
    int m_nPopupControlMargin = 0;
    // Height of " " in the regular font (set with the control height).
    int m_nTextHeight = 0;
};

// The plain default theme: flat classic look in system colours (raised hot and sunken pressed
// frames, state icon then caption, etched separators).
class CXTPDefaultTheme : public CXTPPaintManager
{
    DECLARE_DYNAMIC(CXTPDefaultTheme)

public:
    void DrawSplitButtonFace(CDC* pDC, CXTPControl* pControl, CRect rc) override;
    CSize DrawPopupBarControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawListRowControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                             CXTPCommandBars* pCommandBars) override;
    void FillCommandBar(CDC* pDC, CXTPCommandBar* pBar) override;
    COLORREF GetStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, int barType,
                               int barPosition) override;
    void DrawStateFace(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                       int barType, int barPosition) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    void DrawResizeGripper(CDC* pDC, CRect rc, int nFlags) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, BOOL bSelected, BOOL bPressed,
                   BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) override;
    CSize DrawDialogBarGripper(CDC* pDC, CXTPDialogBar* pBar, BOOL bDraw) override;
    int GetCurrentTheme() const override { return 0; }
    CSize GetButtonSizeForBar(CXTPCommandBar* pBar) override;
    CRect GetCommandBarBorders(CXTPCommandBar* pBar) override;
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    void RefreshMetrics() override;
    // The label, the field face, the spin buttons and the buddy button of an edit field.
    CSize DrawControlEdit(CDC* pDC, CXTPControlEdit* pControl, BOOL bDraw) override;
    // The label, the field face with its drop-down button and a drop-down list's text.
    CSize DrawControlComboBox(CDC* pDC, CXTPControlComboBox* pControl, BOOL bDraw) override;

    // Operations this theme adds.
    // nSelected: the field's hot state (0 none, 1 mouse, 2 and 3 keyboard).
    virtual void DrawEditBorder(CDC* pDC, CRect rc, int nSelected, BOOL bEnabled);
    virtual void DrawComboDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bDropped, BOOL bHot);
    // nPressed: 4 the upper half, 5 the lower half, else none.
    virtual void DrawSpinButtons(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bHot, int nPressed);
    // The face of an edit or combo field: the inside filled when enabled, the drop-down button of
    // width nDropDownWidth (0: an edit) and the edit border.
    void DrawFieldFace(CDC* pDC, CXTPControl* pControl, CRect rcField, int nDropDownWidth, BOOL bDropped);
    // The checkerboard of face and highlight that fills a checked button.
    void FillChecked(CDC* pDC, CRect rc);
    // The dialog-bar gripper strip for the current control height.
    CSize DrawDialogBarGripperStrip(CDC* pDC, BOOL bDraw);

    int m_nPopupTextColor = COLOR_BTNTEXT; // colour number of popup items and hot items
};
