// The shape of a tab row: header band and its margins, row height, client rectangle and frame,
// the outline of each tab and the text call. The tab paint manager owns one set.
#pragma once

#include "framework/DC.h"
#include "framework/FrameworkString.h"
#include "framework/Geometry.h"

#include <windows.h>

class CXTPTabManager;
class CXTPTabManagerItem;
class CXTPTabPaintManager;
class CXTPTabPaintManagerColorSet;

class CXTPTabPaintManagerAppearanceSet
{
public:
    CXTPTabPaintManagerAppearanceSet() = default;
    CXTPTabPaintManagerAppearanceSet(const CXTPTabPaintManagerAppearanceSet&) = delete;
    CXTPTabPaintManagerAppearanceSet& operator=(const CXTPTabPaintManagerAppearanceSet&) = delete;

    virtual ~CXTPTabPaintManagerAppearanceSet() = default;
    // Text height from the normal font: max(18, space height + 3).
    virtual void RefreshMetrics();
    virtual CRect GetHeaderRect(CRect rcControl, CXTPTabManager* pTabManager);
    virtual CRect GetHeaderClipBox(CDC* pDC, CXTPTabManager* pTabManager);
    virtual CRect GetClientRect(CRect rcControl, CXTPTabManager* pTabManager);
    virtual CRect GetHeaderMargin() { return m_rcHeaderMargin; }
    virtual CRect GetClientMargin();
    virtual int GetButtonLength(CDC* pDC, CXTPTabManagerItem* pItem);
    virtual int GetButtonHeight(const CXTPTabManager* pTabManager);
    virtual CRect GetButtonDrawRect(const CXTPTabManagerItem* pItem);
    virtual void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl);
    virtual CRect FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc);
    virtual void RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient);
    virtual void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient);
    virtual void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem);
    virtual void DrawFocusOrFrame(CDC* pDC, CRect& rc, int nPart);
    virtual int GetSupportedColorSets() { return 95; }
    virtual int GetDefaultColorSet() { return 1; }
    virtual void DrawText(CDC* pDC, CXTPTabManager* pManager, const CString& str, LPRECT lpRect, UINT nFormat);

    // Margins plus the rows (at least the longest item in the rotated layout); 0 without tabs.
    int GetHeaderHeight(const CXTPTabManager* pTabManager);
    CXTPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }
    CXTPTabPaintManagerColorSet* GetColorSet() const;

public:
    CRect m_rcHeaderMargin;
    int m_nRowSpacing = -2;
    int m_nTextHeight = 18;
    CXTPTabPaintManager* m_pPaintManager = nullptr;
    BOOL m_bDrawLeftToRight = FALSE;
};
