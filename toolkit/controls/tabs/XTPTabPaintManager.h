// CXTPTabPaintManager: measures, lays out and draws tab rows for any CXTPTabManager through one
// appearance set (shape) and one colour set (colours). It holds the settings that tune rows
// (position, layout, margins, fonts, text flags, icon size, tooltip mode) and the row fitting:
// one scrolling row, shrink to fit, fixed, compressed, rotated and several rows.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/GdiObject.h"
#include "toolkit/controls/tabs/XTPTabManager.h"
#include "toolkit/controls/tabs/XTPTabPaintManagerAppearanceSet.h"
#include "toolkit/controls/tabs/XTPTabPaintManagerColorSet.h"

#include <vector>

enum XTPTabPosition
{
    xtpTabPositionTop = 0,
    xtpTabPositionLeft = 1,
    xtpTabPositionBottom = 2,
    xtpTabPositionRight = 3
};

enum XTPTabLayoutStyle
{
    xtpTabLayoutAutoSize = 0,
    xtpTabLayoutSizeToFit = 1,
    xtpTabLayoutFixed = 2,
    xtpTabLayoutCompressed = 3,
    xtpTabLayoutMultiRow = 4,
    xtpTabLayoutRotated = 5
};

enum XTPTabClientFrame
{
    xtpTabFrameBorder = 0,
    xtpTabFrameSingleLine = 1,
    xtpTabFrameNone = 2
};

class CXTPTabPaintManager : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPTabPaintManager)

public:
    class CColorSetDefault;
    class CColorSetVisualStudio2003;
    class CColorSetOffice2003;
    class CColorSetWinNative;
    class CColorSetVisualStudio2005;
    class CColorSetOffice2007;
    class CColorSetVisualStudio2008;
    class CColorSetVisualStudio2010;
    class CColorSetOffice2007Access;
    class CAppearanceSetPropertyPage;
    class CAppearanceSetPropertyPageSelected;
    class CAppearanceSetPropertyPageFlat;
    class CAppearanceSetPropertyPage2003;
    class CAppearanceSetStateButtons;
    class CAppearanceSetVisualStudio;
    class CAppearanceSetFlat;
    class CAppearanceSetExcel;
    class CAppearanceSetVisio;
    class CAppearanceSetVisualStudio2005;
    class CAppearanceSetPropertyPage2007;
    class CAppearanceSetPropertyPageAccess2007;
    class CAppearanceSetVisualStudio2010;

    CXTPTabPaintManager();
    ~CXTPTabPaintManager() override;

    // ---- virtual operations, in their slot order
    virtual void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    virtual void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient);
    virtual void RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    virtual void DrawNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc);
    virtual int DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem, BOOL bDraw);
    virtual void RefreshMetrics();
    virtual void Reposition();
    virtual void DrawFocusRect(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem);

    // ---- sets and settings
    CXTPTabPaintManagerAppearanceSet* SetAppearance(int nAppearance);
    CXTPTabPaintManagerAppearanceSet* SetAppearanceSet(CXTPTabPaintManagerAppearanceSet* pAppearanceSet);
    CXTPTabPaintManagerColorSet* SetColor(int nColor);
    CXTPTabPaintManagerColorSet* SetColorSet(CXTPTabPaintManagerColorSet* pColorSet);
    CXTPTabPaintManagerAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
    CXTPTabPaintManagerColorSet* GetColorSet() const { return m_pColorSet; }
    void SetLayout(int nLayout);
    int GetLayout() const { return m_nLayout; }
    void SetPosition(int nPosition);
    int GetPosition() const { return m_nPosition; }
    int GetAppearance() const { return m_nAppearance; }
    int GetColor() const { return m_nColor; }
    void SetFontIndirect(const LOGFONTA* pLogFont, BOOL bUseDefaultFont = FALSE);
    CFont* GetFont() { return &m_fontNormal; }
    BOOL IsLunaColorsDisabled() const;

    // The managers this paint manager serves (not owned).
    void AddAtom(CXTPTabManagerAtom* pAtom);
    void RemoveAtom(CXTPTabManagerAtom* pAtom);

    // ---- layout
    void DefaultRepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    void RepositionMultiRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    // Lengths of the items after the size-to-fit share of nWidth.
    void ShrinkToFit(CXTPTabManager* pTabManager, int nWidth);
    CRect CalcHeaderRect(CXTPTabManager* pTabManager, CRect rcControl);
    void EnsureVisible(CXTPTabManager* pTabManager, CXTPTabManagerItem* pItem);
    int ClampItemLength(int nLength, int nMin, int nMax) const;
    int MeasureCaptionWidth(CDC* pDC, const CString& strCaption, UINT nFormat) const;
    // The font an item is measured and drawn with.
    CFont* GetItemFont(const CXTPTabManagerItem* pItem);
    BOOL IsItemVertical() const;

    // ---- drawing
    void DefaultDrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    void DrawItemRow(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClipBox, int nRow);
    void DrawTextMiddleEllipsis(CDC* pDC, CXTPTabManager* pTabManager, const CString& strCaption, CRect rc,
                                UINT nFormat);

    // Grows (or with Deflate shrinks) a rectangle by margins given for tabs on top, turned to the
    // position.
    static void InflateRectByPosition(CRect& rc, int l, int t, int r, int b, int nPosition);
    static void DeflateRectByPosition(CRect& rc, int l, int t, int r, int b, int nPosition);
    static void InflateRectByPosition(CRect& rc, const CRect& rcMargin, int nPosition);
    static void DeflateRectByPosition(CRect& rc, const CRect& rcMargin, int nPosition);

    // The split of a caption around "...": byte counts of the head and the tail so that their
    // widths (given by pfnWidth over the caption's bytes) fit nAvail, never cutting a character of
    // the code page in two. k starts at n * nAvail / nWidth and stays within 0..n characters.
    typedef int (*PFNTEXTWIDTH)(void* pContext, LPCSTR lpsz, int nBytes);
    static void SplitMiddleEllipsis(LPCSTR lpszCaption, int nAvail, int nWidth, PFNTEXTWIDTH pfnWidth,
                                    void* pContext, UINT nCodePage, int& nHeadBytes, int& nTailBytes);

public:
    BOOL m_bHotTracking = FALSE;
    BOOL m_bShowIcons = TRUE;
    BOOL m_bBoldSelected = FALSE;
    BOOL m_bBoldNormal = FALSE;
    BOOL m_bDisableLunaColors = FALSE;
    // Tabs take the item colour (GetItemColor) as their face.
    BOOL m_bColorByItem = FALSE;
    int m_nClientFrame = xtpTabFrameBorder;
    BOOL m_bStaticFrame = FALSE;
    CRect m_rcClientMargin;
    CRect m_rcControlMargin;
    CRect m_rcButtonMargin;
    CRect m_rcTextInset;
    BOOL m_bReserved2 = FALSE;
    BOOL m_bFillBackground = TRUE;
    CSize m_szIcon;
    BOOL m_bMiddleEllipsis = FALSE;
    BOOL m_bEndEllipsis = TRUE;
    BOOL m_bNoPrefix = TRUE;
    UINT m_nTextFormat = DT_VCENTER;
    BOOL m_bStripAmpersands = FALSE;
    BOOL m_bKeepSelectedRow = FALSE;
    BOOL m_bJustifyRows = TRUE;
    BOOL m_bShowFocusRect = TRUE;
    int m_nReserved3 = 2;
    int m_nItemExtraLength = 0;
    BOOL m_bSelectOnButtonDown = TRUE;
    BOOL m_bClearType = FALSE;
    BOOL m_bRotateImages = FALSE;
    BOOL m_bClipHeader = TRUE;
    CSize m_szNavigateButton;
    BOOL m_bShowTabs = TRUE;
    int m_nMinItemLength = 0;
    int m_nMaxItemLength = 0;
    int m_nFixedItemLength = 70;
    int m_nToolTipMode = 2;
    BOOL m_bVerticalTextTopDown = TRUE;
    CXTPTabPaintManagerAppearanceSet* m_pAppearanceSet = nullptr;
    CXTPTabPaintManagerColorSet* m_pColorSet = nullptr;
    std::vector<CXTPTabManagerAtom*> m_arrAttached;
    int m_nAppearance = 0;
    int m_nColor = 1;
    int m_nPosition = xtpTabPositionTop;
    int m_nLayout = xtpTabLayoutAutoSize;
    CFont m_fontNormal;
    CFont m_fontBold;
    CFont m_fontVerticalNormal;
    CFont m_fontVerticalBold;
    BOOL m_bUseDefaultFont = TRUE;
    int m_nAutoColorCounter = 0;

protected:
    // Fills rows depth.. of the row table; FALSE when the items do not fit the rows left.
    BOOL DistributeRows(CXTPTabManager* pTabManager, int nWidth, int nDepth, int nRemaining,
                        std::vector<unsigned char>& arrFailed);
    void ArrangeRows(CXTPTabManager* pTabManager, CDC* pDC, int nWidth);
    void DrawItemContent(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem);
    BOOL IsItemCaptionShown(const CXTPTabManagerItem* pItem) const;
};
