// The dock bar's row arithmetic, apart from any window: the row array (toolbars in rows, a null
// entry ends a row and the array always starts with one), inserting a dropped bar into the right
// row, removing a bar, giving stretched bars rows of their own, and laying one row or all rows out
// (preferred places, pushing apart, pulling back, shrinking, moving what cannot fit to a new row).
// Everything a bar must answer goes through CXTPDockBarLayoutSite, which the dock bar implements
// over its toolbars and tests implement over tables.
#pragma once

#include "framework/Array.h"
#include "framework/Geometry.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

// A dock bar's row array: its docked toolbars in order, a null entry ending each row.
typedef CArray<CXTPToolBar*, CXTPToolBar*> CXTPDockBarRowArray;

// One bar of a row during layout.
struct XTP_DOCK_INFO
{
    CXTPToolBar* pBar = nullptr;
    // Current rectangle; along the row it is x (vertical rows are turned while laid out).
    CRect rcBar;
    // Preferred rectangle: the bar's docked place and its size for the whole length.
    CRect rcMRUPos;
    // Index of the bar in its row.
    int nIndex = 0;
    // Smallest length the bar accepts, and the sum of those of the bars before it.
    int nMinWidth = 0;
    int nTotalMinWidth = 0;
};
typedef CArray<XTP_DOCK_INFO, XTP_DOCK_INFO&> CXTPDockInfoArray;

// What the row arithmetic asks of the bars.
class CXTPDockBarLayoutSite
{
public:
    virtual ~CXTPDockBarLayoutSite() = default;

    // The bar's size for a length along the dock bar with a layout mode; nThickness is 0 when the
    // bar is measured and the row's thickness when it is committed.
    virtual CSize CalcBarLayout(CXTPToolBar* pBar, int nLength, DWORD dwMode, int nThickness) = 0;
    // The bar's layout mode (orientation, stretch, hide what does not fit).
    virtual DWORD GetBarMode(CXTPToolBar* pBar) = 0;
    // The bar's docked rectangle (its dock context's record), in the dock bar's client coordinates.
    virtual CRect GetDockedRect(CXTPToolBar* pBar) = 0;
    // The bar's window rectangle in the dock bar's client coordinates.
    virtual CRect GetBarRect(CXTPToolBar* pBar) = 0;
    virtual BOOL IsBarVisible(CXTPToolBar* pBar) = 0;
    // Flag 0x40: the bar fills its row. Flag 0x100000: the bar shares its row, stretched to its
    // neighbours.
    virtual BOOL IsBarStretched(CXTPToolBar* pBar) = 0;
    virtual BOOL IsBarSharingRow(CXTPToolBar* pBar) = 0;
    // A committed bar takes its place (client coordinates).
    virtual void PlaceBar(CXTPToolBar* pBar, const CRect& rc, DWORD dwMode) = 0;
};

class CXTPDockBarLayout
{
public:
    // Layout-mode bits the row layout adds or reads.
    static constexpr DWORD modeStretch = 0x01;
    static constexpr DWORD modeCommit = 0x40;
    static constexpr DWORD modeHideWrap = 0x80;

    // Index of the bar in the row array, ignoring the entry at nSkip; -1 when absent.
    static int FindBar(const CXTPDockBarRowArray& rows, const CXTPToolBar* pBar, int nSkip = -1);

    // Takes the bar's entry out (ignoring nSkip); when that leaves two separators side by side one
    // goes too. FALSE when the bar is absent (or would be the leading separator's place).
    static BOOL RemoveBar(CXTPDockBarRowArray& rows, const CXTPToolBar* pBar, int nSkip = -1);

    // Appends the bar as a new last row.
    static int AppendRow(CXTPDockBarRowArray& rows, CXTPToolBar* pBar);

    // Inserts a bar dropped with its centre at ptCentre (client coordinates) and returns its index.
    // bFirstRowTakes is FALSE while a ribbon lies in the first row.
    static int InsertBar(CXTPDockBarRowArray& rows, CXTPToolBar* pBar, CPoint ptCentre, BOOL bHorz,
                         BOOL bFirstRowTakes, CXTPDockBarLayoutSite& site);

    // Gives every stretched bar a row of its own.
    static void SeparateStretchedBars(CXTPDockBarRowArray& rows, CXTPDockBarLayoutSite& site);

    // Lays one row out at nOffset across the dock bar. Returns the row's thickness; when a bar cannot
    // get its smallest length, returns 0 and sets *pnOverflow to the row index of the bar to move to
    // a new row (else -1). With bCommit every bar is placed. pInfo, when given, receives the records.
    static int LayoutRow(const CXTPDockBarRowArray& bars, int nOffset, int nLength, BOOL bHorz, BOOL bCommit,
                         CXTPDockBarLayoutSite& site, int* pnOverflow, CXTPDockInfoArray* pInfo = nullptr);

    // Lays a row out, moving the bars that do not fit into following rows (in their order).
    // Returns the thickness of all the rows it made.
    static int LayoutRowWithOverflow(const CXTPDockBarRowArray& bars, int nOffset, int nLength, BOOL bHorz,
                                     BOOL bCommit, CXTPDockBarLayoutSite& site);

    // Lays every row of the array out (visible bars only) for a length along the dock bar. The size
    // along starts at 32767 with bStretch, else 0; the size across is the sum of the rows.
    static CSize CalcRowsLayout(const CXTPDockBarRowArray& rows, int nLength, BOOL bStretch, BOOL bHorz,
                                BOOL bCommit, CXTPDockBarLayoutSite& site);
};
