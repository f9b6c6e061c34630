// CXTPScrollBarPaintManager: draws scroll bars for a paint manager: themed ("SCROLLBAR" parts) for
// style 3 with an active visual style, flat for style 2, else with DrawFrameControl arrows.
#pragma once

#include "framework/DC.h"

class CXTPPaintManager;
class CXTPScrollBase;
class CXTPWinThemeWrapper;

class CXTPScrollBarPaintManager
{
public:
    explicit CXTPScrollBarPaintManager(CXTPPaintManager* pPaintManager);
    virtual ~CXTPScrollBarPaintManager();
    CXTPScrollBarPaintManager(const CXTPScrollBarPaintManager&) = delete;
    CXTPScrollBarPaintManager& operator=(const CXTPScrollBarPaintManager&) = delete;

    // Draws the scroll block's calculated layout; nothing for a bar without length.
    virtual void DrawScrollBar(CDC* pDC, CXTPScrollBase* pScrollBar);
    // Re-reads the four scroll-bar metrics and opens the visual-style class "SCROLLBAR" again.
    virtual void RefreshMetrics();

    // The bar draws enabled: its range (maximum - minimum + 1) exceeds the page and its owner is
    // enabled.
    static BOOL IsScrollBarDrawnEnabled(CXTPScrollBase* pScrollBar);
    // An arrow glyph from "MARLETT" ('5' up, '6' down, '3' left, '4' right) on a button whose
    // shorter side is at least 6 pixels.
    static void DrawArrowGlyph(CDC* pDC, CRect rcButton, char chGlyph, BOOL bEnabled);

    int m_cxHScroll = 0; // arrow width of a horizontal bar (SM_CXHSCROLL)
    int m_cyHScroll = 0; // height of a horizontal bar (SM_CYHSCROLL)
    int m_cyVScroll = 0; // arrow height of a vertical bar (SM_CYVSCROLL)
    int m_cxVScroll = 0; // width of a vertical bar (SM_CXVSCROLL)
    int m_cThumb = 0;    // a fixed thumb size; 0 sizes the thumb by the page
    CXTPWinThemeWrapper* m_themeScrollBar;
    CXTPPaintManager* m_pPaintManager;

private:
    void DrawThemed(CDC* pDC, CXTPScrollBase* pScrollBar);
    void DrawClassic(CDC* pDC, CXTPScrollBase* pScrollBar, BOOL bFlat);
};
