#include "toolkit/commandbars/paint/XTPProgressPaintManager.h"

#include "toolkit/commandbars/controls/XTPProgressBase.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/system/XTPWinThemeWrapper.h"

#include <uxtheme.h>
#include <vssym32.h>

CXTPProgressPaintManager::CXTPProgressPaintManager(CXTPPaintManager* pPaintManager)
    : m_themeProgress(new CXTPWinThemeWrapper()), m_pPaintManager(pPaintManager)
{
}

CXTPProgressPaintManager::~CXTPProgressPaintManager()
{
    delete m_themeProgress;
}

void CXTPProgressPaintManager::RefreshMetrics()
{
    m_themeProgress->OpenThemeData(nullptr, L"PROGRESS");
}

BOOL CXTPProgressPaintManager::IsThemed() const
{
    const int nTheme = m_pPaintManager ? m_pPaintManager->GetCurrentTheme() : 0;
    return nTheme != 0 && nTheme != 1 && m_themeProgress->HasTheme() && m_themeProgress->IsAppThemed();
}

void CXTPProgressPaintManager::DrawProgress(CDC* pDC, CXTPProgressBase* pProgress)
{
    const CRect rc = pProgress->GetProgressRect();
    int nLower = 0, nUpper = 0;
    pProgress->GetRange(nLower, nUpper);
    const BOOL bThemed = IsThemed();
    CRect rcInner = rc;
    if (bThemed)
        rcInner.DeflateRect(4, 3);
    else
        rcInner.DeflateRect(2, 2);
    const int nFilled = CXTPProgressBase::CalcFilledLength(rcInner.Width(), nLower, nUpper, pProgress->GetPos());
    if (!bThemed)
    {
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_3DFACE));
        const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
        pDC->Draw3dRect(&rc, clrShadow, clrShadow);
        if (rcInner.Width() >= 2 && nFilled > 0)
            pDC->FillSolidRect(rcInner.left, rcInner.top, nFilled, rcInner.Height(), ::GetSysColor(COLOR_HIGHLIGHT));
        return;
    }
    m_themeProgress->DrawThemeBackground(pDC->GetSafeHdc(), PP_BAR, 0, &rc, nullptr);
    int nChunk = 0, nSpace = 0;
    if (FAILED(m_themeProgress->GetThemeInt(PP_CHUNK, 0, TMT_PROGRESSCHUNKSIZE, &nChunk)))
        nChunk = rcInner.Height() * 2 / 3;
    if (FAILED(m_themeProgress->GetThemeInt(PP_CHUNK, 0, TMT_PROGRESSSPACESIZE, &nSpace)))
        nSpace = 2;
    if (nChunk <= 0)
        nChunk = 1;
    const int nChunks = (nFilled + nSpace + nChunk - 1) / (nChunk + nSpace);
    int x = rcInner.left;
    for (int i = 0; i < nChunks && x < rcInner.right; ++i)
    {
        CRect rcChunk(x, rcInner.top, x + nChunk, rcInner.bottom);
        if (rcChunk.right > rcInner.right - 1)
            rcChunk.right = rcInner.right - 1;
        m_themeProgress->DrawThemeBackground(pDC->GetSafeHdc(), PP_CHUNK, 0, &rcChunk, nullptr);
        x += nChunk + nSpace;
    }
}
