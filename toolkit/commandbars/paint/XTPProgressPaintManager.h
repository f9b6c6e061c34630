// CXTPProgressPaintManager: draws progress bars for a paint manager (classic, or with the
// "PROGRESS" visual style when the paint manager's theme asks for one and a style is active).
#pragma once

#include "framework/DC.h"

class CXTPPaintManager;
class CXTPProgressBase;
class CXTPWinThemeWrapper;

class CXTPProgressPaintManager
{
public:
    explicit CXTPProgressPaintManager(CXTPPaintManager* pPaintManager);
    virtual ~CXTPProgressPaintManager();
    CXTPProgressPaintManager(const CXTPProgressPaintManager&) = delete;
    CXTPProgressPaintManager& operator=(const CXTPProgressPaintManager&) = delete;

    // Classic: the face, a shadow frame, and the filled length from the inner left (2 x 2 in) in
    // the highlight colour. Themed: the bar part and chunks (4 x 3 in).
    virtual void DrawProgress(CDC* pDC, CXTPProgressBase* pProgress);
    // Opens the visual-style class "PROGRESS" again.
    virtual void RefreshMetrics();

    // Themed drawing: the paint manager's theme is neither 0 nor 1 and a style is active.
    BOOL IsThemed() const;

    CXTPWinThemeWrapper* m_themeProgress;
    CXTPPaintManager* m_pPaintManager;
    int m_cyProgress = 16;
};
