// CXTPBarLayoutState: the places of a manager's bars for one save or load of the profile: one
// CXTPToolBar::CToolBarInfo per bar (owned), the screen size now and, when loading, the screen
// size the places were saved on. Saved places are scaled from the saved screen to this one and
// clamped to the work area (XTPAdaptSavedPoint, XTPAdaptSavedDockRect; no windows involved).
#pragma once

#include "framework/Array.h"
#include "framework/Geometry.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

// Schema of the layout sections.
const int XTP_BAR_LAYOUT_SCHEMA = 38;
// Most records, and most entries of one dock bar, that a profile may name; a larger stored count
// is damage and loads nothing.
const int XTP_BAR_LAYOUT_MAX_BARS = 4096;

class CXTPBarLayoutState
{
public:
    // Takes the screen size from the command bars' system query.
    CXTPBarLayoutState();
    ~CXTPBarLayoutState();
    CXTPBarLayoutState(const CXTPBarLayoutState&) = delete;
    CXTPBarLayoutState& operator=(const CXTPBarLayoutState&) = delete;

    int GetCount() const { return static_cast<int>(m_arrBarInfo.GetSize()); }
    CXTPToolBar::CToolBarInfo* GetAt(int nIndex) const;
    // Takes ownership.
    void Add(CXTPToolBar::CToolBarInfo* pInfo) { m_arrBarInfo.Add(pInfo); }
    void RemoveAll();

    // Records with consecutive indices from 0, then "<profile>-Summary" ("Bars", "ScreenCX",
    // "ScreenCY").
    void SaveState(LPCSTR lpszProfileName) const;
    // Reads the summary and "Bars" records; FALSE (and no records) when the stored count is out of
    // range.
    BOOL LoadState(LPCSTR lpszProfileName);

    // Set when the saved screen differs from this one and both saved dimensions are non-zero.
    BOOL IsScaling() const { return m_bScaling; }
    void SetSavedScreen(CSize szSaved);

    int m_nSchema = XTP_BAR_LAYOUT_SCHEMA;
    CSize m_szScreen;
    CSize m_szSavedScreen = CSize(0, 0);

private:
    CArray<CXTPToolBar::CToolBarInfo*, CXTPToolBar::CToolBarInfo*> m_arrBarInfo;
    BOOL m_bScaling = FALSE;
};

// A saved point on this screen: scaled (when bScale) from szSaved to szNow, then kept at least an
// icon's size inside the right and bottom edges of rcWork (the work area of the monitor at the
// point).
CPoint XTPAdaptSavedPoint(CPoint pt, BOOL bScale, CSize szSaved, CSize szNow, const RECT& rcWork, CSize szIcon);
// A saved dock rectangle on this screen: moved (not resized) so that its top-left corner is the
// scaled one (when bScale), then moved back inside the work area's right and bottom edges.
CRect XTPAdaptSavedDockRect(const CRect& rc, BOOL bScale, CSize szSaved, CSize szNow, const RECT& rcWork);
