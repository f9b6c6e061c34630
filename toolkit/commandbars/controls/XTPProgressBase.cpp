#include "toolkit/commandbars/controls/XTPProgressBase.h"

#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/paint/XTPProgressPaintManager.h"
#include "toolkit/common/persist/XTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlProgress, CXTPControl, XTP_CONTROL_CLASS_SCHEMA)

void CXTPProgressBase::SetRange(int nLower, int nUpper)
{
    if (nLower == m_nLower && nUpper == m_nUpper)
        return;
    m_nLower = nLower;
    m_nUpper = nUpper;
    RedrawProgress();
}

void CXTPProgressBase::SetPos(int nPos)
{
    const int nMin = m_nLower < m_nUpper ? m_nLower : m_nUpper;
    const int nMax = m_nLower < m_nUpper ? m_nUpper : m_nLower;
    if (nPos < nMin)
        nPos = nMin;
    if (nPos > nMax)
        nPos = nMax;
    if (nPos == m_nPos)
        return;
    m_nPos = nPos;
    RedrawProgress();
}

int CXTPProgressBase::CalcFilledLength(int nInnerWidth, int nLower, int nUpper, int nPos)
{
    if (nUpper <= nLower || nInnerWidth <= 0)
        return 0;
    const long long nSpan = static_cast<long long>(nUpper) - nLower;
    long long nDone = static_cast<long long>(nPos) - nLower;
    if (nDone < 0)
        nDone = 0;
    if (nDone > nSpan)
        nDone = nSpan;
    return static_cast<int>(nInnerWidth * nDone / nSpan);
}

CXTPControlProgress::CXTPControlProgress()
{
    m_nWidth = 100;
}

CXTPProgressPaintManager* CXTPControlProgress::GetProgressPaintManager() const
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->GetProgressPaintManager() : nullptr;
}

CSize CXTPControlProgress::GetSize(CDC*)
{
    CXTPProgressPaintManager* pPainter = GetProgressPaintManager();
    const int nHeight = m_nHeight > 0 ? m_nHeight : (pPainter ? pPainter->m_cyProgress : 16);
    return CSize(m_nWidth, nHeight);
}

void CXTPControlProgress::Draw(CDC* pDC)
{
    if (CXTPProgressPaintManager* pPainter = GetProgressPaintManager())
        pPainter->DrawProgress(pDC, this);
}

void CXTPControlProgress::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    ExchangeIntProperty(pPX, "Min", m_nLower, 0);
    ExchangeIntProperty(pPX, "Max", m_nUpper, 100);
    ExchangeIntProperty(pPX, "Pos", m_nPos, 0);
}

void CXTPControlProgress::Copy(CXTPControl* pControl, BOOL bRecursive)
{
    CXTPControl::Copy(pControl, bRecursive);
    CXTPControlProgress* pSrc = DYNAMIC_DOWNCAST(CXTPControlProgress, pControl);
    if (!pSrc || pSrc == this)
        return;
    m_nLower = pSrc->m_nLower;
    m_nUpper = pSrc->m_nUpper;
    m_nPos = pSrc->m_nPos;
}

void CXTPControlProgress::OnClick(BOOL, CPoint pt)
{
    if (IsCustomizeMode() && IsCustomizeMovable())
        OnCustomizeMouseDown(pt);
}
