// Header themes: the exchangeable painters of CXTPHeaderCtrl (classic 3-D, Office XP, Office 2003,
// Explorer and the resource theme that reads theme images and "ReportControl" colours).
#pragma once

#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/Map.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/system/XTPWinThemeWrapper.h"

#include <commctrl.h>

class CXTPHeaderCtrl;

// Base of the toolkit's control painters: carries the theme id.
class CXTPControlTheme : public CCmdTarget
{
public:
    CXTPControlTheme() = default;
    int GetThemeId() const { return m_nTheme; }

protected:
    int m_nTheme = 0;
};

// Draw-style bits.
enum XTPHeaderDrawStyle
{
    HDR_XTP_WINDEF = 0x0001,   // the visual-styles "HEADER" class when available
    HDR_XTP_HOTTRACKING = 0x0002,
    HDR_XTP_SORTARROW = 0x0004
};

// What a header painter receives per column: DRAWITEMSTRUCT-shaped, item data = the column's HDITEM.
struct XTP_HEADER_DRAWITEM
{
    UINT itemAction = 0;
    UINT itemID = 0;
    UINT itemState = 0;
    CDC* pDC = nullptr;
    CRect rcItem;
    HDITEMA* pItem = nullptr;
};

class CXTPHeaderCtrlTheme : public CXTPControlTheme
{
public:
    CXTPHeaderCtrlTheme();
    ~CXTPHeaderCtrlTheme() override;

    virtual void DrawHeader(CDC* pDC, CXTPHeaderCtrl* pHeader);
    virtual void RefreshMetrics(CXTPHeaderCtrl* pHeader);
    virtual BOOL UsesWinTheme(CXTPHeaderCtrl* pHeader);
    virtual void SetDrawStyle(int nStyle, CXTPHeaderCtrl* pHeader);
    virtual int GetDrawStyle() const { return m_nDrawStyle; }
    virtual BOOL Layout(HDLAYOUT* pLayout, CXTPHeaderCtrl* pHeader);
    virtual void ReleaseItemImages(CXTPHeaderCtrl* pHeader);
    virtual BOOL SetItemBitmap(int nCol, UINT nBitmapID, BOOL bRemove, COLORREF crMask, CXTPHeaderCtrl* pHeader);
    virtual void DrawBackground(XTP_HEADER_DRAWITEM& item);
    virtual BOOL DrawBackgroundThemed(XTP_HEADER_DRAWITEM& item);
    virtual void DrawItemBackground(XTP_HEADER_DRAWITEM& item);
    virtual BOOL DrawItemBackgroundThemed(XTP_HEADER_DRAWITEM& item);
    virtual void DrawSortArrow(XTP_HEADER_DRAWITEM& item, BOOL bAscending);
    virtual void DrawItemText(XTP_HEADER_DRAWITEM& item, CXTPHeaderCtrl* pHeader);
    virtual void DrawItemImage(XTP_HEADER_DRAWITEM& item, int* pLeft, CXTPHeaderCtrl* pHeader);
    virtual void DrawTriangle(CDC* pDC, POINT pts[3], BOOL bAscending);

    // The image list SetItemBitmap made for a column (null when none).
    HIMAGELIST GetItemImageList(int nCol) const;

public:
    int m_iArrowPadding = 10;   // the arrow gap
    int m_nDrawStyle = 7;
    BOOL m_bUseWinThemes = FALSE;
    int m_sizePadding = 6;      // text margin
    int m_nTextTop = 0;
    int m_cxArrow = 8;
    int m_cyArrow = 7;
    COLORREF m_crText = 0;
    COLORREF m_cr3DFace = 0;
    COLORREF m_cr3DShadow = 0;
    COLORREF m_cr3DDkShadow = 0;
    COLORREF m_cr3DHighLight = 0;
    CXTPWinThemeWrapper* m_themeHeader = nullptr;

protected:
    // Whether the pressed state shifts text and image by (1, 1).
    virtual BOOL ShiftsPressed() const { return TRUE; }
    static void Line(CDC* pDC, int x0, int y0, int x1, int y1, COLORREF clr);
    void FreeItemImage(int nCol);

    // Image lists made by SetItemBitmap, by column; this theme owns them.
    CMap<int, int, UINT_PTR, UINT_PTR> m_mapItemImages;
};

class CXTPHeaderCtrlThemeOfficeXP : public CXTPHeaderCtrlTheme
{
public:
    CXTPHeaderCtrlThemeOfficeXP();
    void DrawBackground(XTP_HEADER_DRAWITEM& item) override;
    void DrawItemBackground(XTP_HEADER_DRAWITEM& item) override;

protected:
    // Last y (exclusive distance from the bottom) of the column divider lines.
    virtual int DividerBottomInset() const { return 2; }
};

class CXTPHeaderCtrlThemeOffice2003 : public CXTPHeaderCtrlThemeOfficeXP
{
public:
    CXTPHeaderCtrlThemeOffice2003();
    void DrawBackground(XTP_HEADER_DRAWITEM& item) override;
    BOOL Layout(HDLAYOUT* pLayout, CXTPHeaderCtrl* pHeader) override;

protected:
    int DividerBottomInset() const override { return 4; }
    virtual int ExtraHeight() const { return 10; }
};

class CXTPHeaderCtrlThemeExplorer : public CXTPHeaderCtrlThemeOffice2003
{
public:
    CXTPHeaderCtrlThemeExplorer();
    void DrawBackground(XTP_HEADER_DRAWITEM& item) override;
    void DrawTriangle(CDC* pDC, POINT pts[3], BOOL bAscending) override;

protected:
    int ExtraHeight() const override { return 6; }
};

class CXTPHeaderCtrlThemeResource : public CXTPHeaderCtrlThemeOfficeXP
{
public:
    CXTPHeaderCtrlThemeResource();
    void RefreshMetrics(CXTPHeaderCtrl* pHeader) override;
    void DrawBackground(XTP_HEADER_DRAWITEM& item) override;
    void DrawItemBackground(XTP_HEADER_DRAWITEM& item) override;
    void DrawTriangle(CDC* pDC, POINT pts[3], BOOL bAscending) override;

    CXTPPaintManagerColorGradient m_grcNormalColumn;
    CXTPPaintManagerColorGradient m_grcPressedColumn;

protected:
    BOOL ShiftsPressed() const override { return FALSE; }
    // Theme images are loaded (the process-wide store holds a table).
    static BOOL HasThemeImages();
};
