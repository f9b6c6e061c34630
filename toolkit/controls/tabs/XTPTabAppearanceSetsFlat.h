// Flat appearance sets: flat tabs (id 6) and the flat property page with its softened corners
// (id 2) and the Visual Studio 2010 look built on it (id 12); state buttons (id 4); Visual Studio
// tabs with separators (id 5); and Visio's stacked bars (id 8).
#pragma once

#include "toolkit/controls/tabs/XTPTabPaintManager.h"

class CXTPTabPaintManager::CAppearanceSetFlat : public CXTPTabPaintManagerAppearanceSet
{
public:
    CAppearanceSetFlat() { m_rcHeaderMargin.SetRect(2, 2, 4, 0); }
    CRect FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc) override;
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 2 | 4 | 256; }
    int GetDefaultColorSet() override { return 2; }
};

class CXTPTabPaintManager::CAppearanceSetPropertyPageFlat : public CXTPTabPaintManager::CAppearanceSetFlat
{
public:
    CAppearanceSetPropertyPageFlat() { m_rcHeaderMargin.SetRect(2, 2, 4, 0); }
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 2 | 4 | 256; }
    int GetDefaultColorSet() override { return 1; }

public:
    BOOL m_bSoftCorners = TRUE;
    BOOL m_bSeparatorsOnly = FALSE;
    BOOL m_bOutlineAllTabs = TRUE;

protected:
    // The hot tab's outline takes the colour set's m_lastColor when it is set.
    COLORREF GetOutlineColor(const CXTPTabManagerItem* pItem) const;
    // Without m_bOutlineAllTabs, a tab neither selected nor hot shows its content only: drawn
    // here, TRUE.
    BOOL DrawContentOnly(CDC* pDC, CXTPTabManagerItem* pItem);
};

class CXTPTabPaintManager::CAppearanceSetVisualStudio2010 : public CXTPTabPaintManager::CAppearanceSetPropertyPageFlat
{
public:
    CAppearanceSetVisualStudio2010() { m_bOutlineAllTabs = FALSE; }
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 256; }
};

class CXTPTabPaintManager::CAppearanceSetStateButtons : public CXTPTabPaintManagerAppearanceSet
{
public:
    CAppearanceSetStateButtons()
    {
        m_rcHeaderMargin.SetRect(2, 2, 4, 2);
        m_nRowSpacing = 0;
    }
    // The header band only: the client area is not filled.
    CRect FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc) override;
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 2; }
};

class CXTPTabPaintManager::CAppearanceSetVisualStudio : public CXTPTabPaintManagerAppearanceSet
{
public:
    CAppearanceSetVisualStudio() { m_rcHeaderMargin.SetRect(4, 2, 4, 0); }
    CRect FillClient(CXTPTabManager* pTabManager, CDC* pDC, CRect rc) override;
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 2 | 4; }
    int GetDefaultColorSet() override { return 2; }
};

class CXTPTabPaintManager::CAppearanceSetVisio : public CXTPTabPaintManagerAppearanceSet
{
public:
    CAppearanceSetVisio() { m_rcHeaderMargin.SetRect(0, 0, 0, 0); }
    // No header band: the bars stand in the control itself.
    CRect GetHeaderRect(CRect rcControl, CXTPTabManager* pTabManager) override;
    CRect GetClientRect(CRect rcControl, CXTPTabManager* pTabManager) override;
    void RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient) override;
    void AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient) override;
    void DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleButton(CDC* pDC, CXTPTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 1 | 4; }
    int GetDefaultColorSet() override { return 1; }
};
