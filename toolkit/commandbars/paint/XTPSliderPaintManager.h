// CXTPSliderPaintManager: draws a horizontal scroll block as a slider: a channel with tick marks,
// round minus and plus buttons for the arrows, and a pointer for the thumb (11 pixels, fixed).
#pragma once

#include "toolkit/commandbars/paint/XTPScrollBarPaintManager.h"

class CXTPSliderPaintManager : public CXTPScrollBarPaintManager
{
public:
    explicit CXTPSliderPaintManager(CXTPPaintManager* pPaintManager);

    // Horizontal blocks only; a vertical one draws nothing.
    void DrawScrollBar(CDC* pDC, CXTPScrollBase* pScrollBar) override;
    // The scroll bar's metrics, then 16-pixel buttons, a 16-pixel bar and an 11-pixel thumb.
    void RefreshMetrics() override;
};
