// The layout, render and hit-test walks of CXTPMarkupVisual, CXTPMarkupUIElement and
// CXTPMarkupFrameworkElement (declared in XTPMarkupUIElement.h).
#include <algorithm>

#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/drawing/XTPMarkupDrawingContext.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

namespace
{
int GetIntValue(const CXTPMarkupObject* pObject, CXTPMarkupDependencyProperty* pProperty, int nDefault)
{
    CXTPMarkupInt* pValue = static_cast<CXTPMarkupInt*>(pObject->GetValue(pProperty));
    return pValue ? pValue->GetValue() : nDefault;
}

int ClampToInt(long long n)
{
    return n > 0x7FFFFFFF ? 0x7FFFFFFF : (n < -0x7FFFFFFF ? -0x7FFFFFFF : (int)n);
}
} // namespace

// Visual

BOOL CXTPMarkupVisual::GetClipRect(RECT& /*rc*/) const
{
    return FALSE;
}

void CXTPMarkupVisual::OnRender(CXTPMarkupDrawingContext* /*pDC*/) {}

void CXTPMarkupVisual::OnRenderFocusVisual(CXTPMarkupDrawingContext* /*pDC*/) {}

CXTPMarkupInputElement* CXTPMarkupVisual::HitTestSelf(POINT /*pt*/) const
{
    return const_cast<CXTPMarkupVisual*>(this);
}

void CXTPMarkupVisual::OnRenderSkipped(CXTPMarkupDrawingContext* pDC)
{
    int nCount = GetVisualChildrenCount();
    for (int i = 0; i < nCount; i++)
    {
        CXTPMarkupVisual* pChild = GetVisualChild(i);
        if (pChild)
            pChild->OnRenderSkipped(pDC);
    }
}

void CXTPMarkupVisual::UpdateBoundRect()
{
    m_rcBoundRect = {0, 0, m_szRenderSize.cx, m_szRenderSize.cy};
    int nCount = GetVisualChildrenCount();
    for (int i = 0; i < nCount; i++)
    {
        CXTPMarkupVisual* pChild = GetVisualChild(i);
        if (!pChild)
            continue;
        RECT rcChild = pChild->GetBoundRect();
        OffsetRect(&rcChild, pChild->m_ptVisualOffset.x, pChild->m_ptVisualOffset.y);
        m_rcBoundRect.left = std::min(m_rcBoundRect.left, rcChild.left);
        m_rcBoundRect.top = std::min(m_rcBoundRect.top, rcChild.top);
        m_rcBoundRect.right = std::max(m_rcBoundRect.right, rcChild.right);
        m_rcBoundRect.bottom = std::max(m_rcBoundRect.bottom, rcChild.bottom);
    }
}

void CXTPMarkupVisual::Render(CXTPMarkupDrawingContext* pDC)
{
    RECT rcClipBox = pDC->GetClipBox();
    OffsetRect(&rcClipBox, -m_ptVisualOffset.x, -m_ptVisualOffset.y);
    RECT rcTest;
    if (!IntersectRect(&rcTest, &rcClipBox, &m_rcBoundRect))
    {
        OnRenderSkipped(pDC);
        return;
    }
    RECT rcClip = {0, 0, 0, 0};
    BOOL bClip = GetClipRect(rcClip);
    if (bClip && (IsRectEmpty(&rcClip) || !IntersectRect(&rcTest, &rcClipBox, &rcClip)))
    {
        OnRenderSkipped(pDC);
        return;
    }

    pDC->OffsetViewport(m_ptVisualOffset);
    HRGN hrgnClip = nullptr;
    if (bClip)
    {
        hrgnClip = pDC->SaveClip();
        pDC->IntersectClipRect(rcClip);
    }
    OnRender(pDC);
    int nCount = GetVisualChildrenCount();
    for (int i = 0; i < nCount; i++)
    {
        CXTPMarkupVisual* pChild = GetVisualChild(i);
        if (pChild)
            pChild->Render(pDC);
    }
    CXTPMarkupBool* pFocused = static_cast<CXTPMarkupBool*>(GetValue(m_pIsKeyboardFocusedProperty));
    if (pFocused && pFocused->GetValue())
        OnRenderFocusVisual(pDC);
    if (hrgnClip)
        pDC->RestoreClip(hrgnClip);
    POINT ptBack = {-m_ptVisualOffset.x, -m_ptVisualOffset.y};
    pDC->OffsetViewport(ptBack);
}

CXTPMarkupInputElement* CXTPMarkupVisual::InputHitTest(POINT pt) const
{
    pt.x -= m_ptVisualOffset.x;
    pt.y -= m_ptVisualOffset.y;
    if (!PtInRect(&m_rcBoundRect, pt))
        return nullptr;
    RECT rcClip;
    if (GetClipRect(rcClip) && !PtInRect(&rcClip, pt))
        return nullptr;
    for (int i = GetVisualChildrenCount() - 1; i >= 0; i--)
    {
        CXTPMarkupVisual* pChild = GetVisualChild(i);
        CXTPMarkupInputElement* pHit = pChild ? pChild->InputHitTest(pt) : nullptr;
        if (pHit)
            return pHit;
    }
    RECT rcRender = {0, 0, m_szRenderSize.cx, m_szRenderSize.cy};
    return PtInRect(&rcRender, pt) ? HitTestSelf(pt) : nullptr;
}

CXTPMarkupVisual* CXTPMarkupVisual::GetVisualParent() const
{
    for (CXTPMarkupObject* pParent = GetLogicalParent(); pParent; pParent = pParent->GetLogicalParent())
    {
        if (pParent->IsKindOf(CXTPMarkupVisual::GetMarkupType()))
            return static_cast<CXTPMarkupVisual*>(pParent);
    }
    return nullptr;
}

// UI element

int CXTPMarkupUIElement::GetVisibility() const
{
    CXTPMarkupEnum* pValue = static_cast<CXTPMarkupEnum*>(GetValue(m_pVisibilityProperty));
    return pValue ? pValue->GetValue() : 0;
}

BOOL CXTPMarkupUIElement::GetClipRect(RECT& rc) const
{
    if (GetVisibility() != 0)
    {
        SetRectEmpty(&rc);
        return TRUE;
    }
    return FALSE;
}

int CXTPMarkupUIElement::Measure(CXTPMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    if (GetVisibility() == 2)
    {
        m_szPreviousAvailableSize = {nAvailableWidth, nAvailableHeight};
        m_bDrawingContextDemandsMeasure = TRUE;
        m_bMeasureDirty = FALSE;
        m_szDesiredSize = {0, 0};
        return 0;
    }
    if (!m_bDrawingContextDemandsMeasure && !m_bMeasureDirty && m_szPreviousAvailableSize.cx == nAvailableWidth &&
        m_szPreviousAvailableSize.cy == nAvailableHeight && !pDC->AlwaysRemeasure())
    {
        return 0;
    }
    m_bMeasuredSinceArrange = TRUE;
    m_bInMeasure = TRUE;
    m_bMeasureDirty = FALSE;
    m_szDesiredSize = MeasureElement(pDC, nAvailableWidth, nAvailableHeight);
    m_bInMeasure = FALSE;
    m_szPreviousAvailableSize = {nAvailableWidth, nAvailableHeight};
    m_bDrawingContextDemandsMeasure = pDC->AlwaysRemeasure();
    return m_bDrawingContextDemandsMeasure;
}

void CXTPMarkupUIElement::Arrange(const RECT& rcFinalRect)
{
    if (GetVisibility() == 2)
    {
        m_rcFinalRect = rcFinalRect;
        m_bArrangeDirty = FALSE;
        return;
    }
    if (m_bMeasureDirty)
    {
        CXTPMarkupDrawingContext dc(m_pMarkupContext);
        Measure(&dc, rcFinalRect.right - rcFinalRect.left, rcFinalRect.bottom - rcFinalRect.top);
    }
    if (m_bMeasuredSinceArrange || m_bArrangeDirty || !EqualRect(&rcFinalRect, &m_rcFinalRect))
    {
        m_bArrangeDirty = FALSE;
        m_bInArrange = TRUE;
        ArrangeElement(rcFinalRect);
        m_bInArrange = FALSE;
        UpdateBoundRect();
    }
    m_rcFinalRect = rcFinalRect;
    m_bMeasuredSinceArrange = FALSE;
}

void CXTPMarkupUIElement::ArrangeElement(const RECT& rcFinalRect)
{
    m_szRenderSize = {rcFinalRect.right - rcFinalRect.left, rcFinalRect.bottom - rcFinalRect.top};
}

SIZE CXTPMarkupUIElement::MeasureElement(CXTPMarkupDrawingContext* /*pDC*/, int /*nAvailableWidth*/,
                                         int /*nAvailableHeight*/)
{
    return {0, 0};
}

void CXTPMarkupUIElement::InvalidateArrange()
{
    if (m_bInArrange || m_bArrangeDirty)
        return;
    m_bLayoutInvalidated = TRUE;
    m_bArrangeDirty = TRUE;
    Arrange(m_rcFinalRect);
    InvalidateVisual();
}

void CXTPMarkupUIElement::InvalidateVisual()
{
    if (m_pMarkupContext)
        m_pMarkupContext->InvalidateElement(this);
}

void CXTPMarkupUIElement::InvalidateMeasure()
{
    // The guards of InvalidateMeasureInContext first: a new element (measure-dirty) gets its
    // properties from the builder without a memory DC made and dropped for each one.
    if (m_bInMeasure || m_bMeasureDirty)
        return;
    CXTPMarkupDrawingContext dc(m_pMarkupContext);
    InvalidateMeasureInContext(&dc);
}

void CXTPMarkupUIElement::InvalidateMeasureInContext(CXTPMarkupDrawingContext* pDC)
{
    if (m_bInMeasure || m_bMeasureDirty)
        return;
    m_bDrawingContextDemandsMeasure = TRUE;
    m_bLayoutInvalidated = TRUE;
    SIZE szOld = m_szDesiredSize;
    Measure(pDC, m_szPreviousAvailableSize.cx, m_szPreviousAvailableSize.cy);
    if (szOld.cx == m_szDesiredSize.cx && szOld.cy == m_szDesiredSize.cy)
    {
        Arrange(m_rcFinalRect);
        InvalidateVisual();
        return;
    }
    CXTPMarkupVisual* pParent = GetVisualParent();
    if (pParent && pParent->IsKindOf(CXTPMarkupUIElement::GetMarkupType()))
        static_cast<CXTPMarkupUIElement*>(pParent)->InvalidateMeasureInContext(pDC);
    else if (m_pMarkupContext)
        m_pMarkupContext->InvalidateAll();
}

// Framework element

int CXTPMarkupFrameworkElement::SubtractMargin(int nAvailable, int nMargin)
{
    if (nAvailable > 0x3FFFFFFF || -nMargin > 0x3FFFFFFF)
        return XTP_MARKUP_UNBOUNDED;
    int n = nAvailable - nMargin;
    return n > 0 ? n : 0;
}

CXTPMarkupThickness* CXTPMarkupFrameworkElement::GetMargin() const
{
    return static_cast<CXTPMarkupThickness*>(GetValue(m_pMarginProperty));
}

int CXTPMarkupFrameworkElement::GetHorizontalAlignment() const
{
    CXTPMarkupEnum* pValue = static_cast<CXTPMarkupEnum*>(GetValue(m_pHorizontalAlignmentProperty));
    return pValue ? pValue->GetValue() : 3;
}

int CXTPMarkupFrameworkElement::GetVerticalAlignment() const
{
    CXTPMarkupEnum* pValue = static_cast<CXTPMarkupEnum*>(GetValue(m_pVerticalAlignmentProperty));
    return pValue ? pValue->GetValue() : 3;
}

BOOL CXTPMarkupFrameworkElement::GetClipToBounds() const
{
    CXTPMarkupBool* pValue = static_cast<CXTPMarkupBool*>(GetValue(m_pClipToBoundsProperty));
    return pValue ? pValue->GetValue() : FALSE;
}

void CXTPMarkupFrameworkElement::OnPropertyChanged(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pOldValue,
                                                   CXTPMarkupObject* pNewValue)
{
    CXTPMarkupUIElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    UpdateTriggers(pProperty, pNewValue);
    CXTPMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    DWORD dwFlags = pMetadata ? pMetadata->m_dwFlags : 0;
    if (dwFlags & CXTPMarkupPropertyMetadata::flagAffectsMeasure)
        InvalidateMeasure();
    if (dwFlags & CXTPMarkupPropertyMetadata::flagAffectsArrange)
        InvalidateArrange();
    if (dwFlags & CXTPMarkupPropertyMetadata::flagAffectsRender)
        InvalidateVisual();
}

void CXTPMarkupFrameworkElement::UpdateMinMax()
{
    int nHeight = GetIntValue(this, m_pHeightProperty, XTP_MARKUP_UNBOUNDED);
    int nMinHeight = GetIntValue(this, m_pMinHeightProperty, 0);
    int nMaxHeight = GetIntValue(this, m_pMaxHeightProperty, XTP_MARKUP_UNBOUNDED);
    int nWidth = GetIntValue(this, m_pWidthProperty, XTP_MARKUP_UNBOUNDED);
    int nMinWidth = GetIntValue(this, m_pMinWidthProperty, 0);
    int nMaxWidth = GetIntValue(this, m_pMaxWidthProperty, XTP_MARKUP_UNBOUNDED);
    bool bHeight = nHeight != XTP_MARKUP_UNBOUNDED;
    bool bWidth = nWidth != XTP_MARKUP_UNBOUNDED;

    m_mmLimits.nMaxHeight = std::max(nMinHeight, std::min(nHeight, nMaxHeight));
    m_mmLimits.nMinHeight = std::max(nMinHeight, std::min(m_mmLimits.nMaxHeight, bHeight ? nHeight : 0));
    m_mmLimits.nMaxWidth = std::max(nMinWidth, std::min(nWidth, nMaxWidth));
    m_mmLimits.nMinWidth = std::max(nMinWidth, std::min(m_mmLimits.nMaxWidth, bWidth ? nWidth : 0));
}

SIZE CXTPMarkupFrameworkElement::MeasureOverride(CXTPMarkupDrawingContext* /*pDC*/, int /*nAvailableWidth*/,
                                                 int /*nAvailableHeight*/)
{
    return {0, 0};
}

SIZE CXTPMarkupFrameworkElement::ArrangeOverride(SIZE szFinalSize)
{
    return szFinalSize;
}

SIZE CXTPMarkupFrameworkElement::MeasureElement(CXTPMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    CXTPMarkupThickness* pMargin = GetMargin();
    int nMarginWidth = pMargin ? ClampToInt((long long)pMargin->GetLeft() + pMargin->GetRight()) : 0;
    int nMarginHeight = pMargin ? ClampToInt((long long)pMargin->GetTop() + pMargin->GetBottom()) : 0;
    int nFrameHeight = SubtractMargin(nAvailableHeight, nMarginHeight);
    int nFrameWidth = SubtractMargin(nAvailableWidth, nMarginWidth);

    UpdateMinMax();
    int w = std::max(m_mmLimits.nMinWidth, std::min(nFrameWidth, m_mmLimits.nMaxWidth));
    int h = std::max(m_mmLimits.nMinHeight, std::min(nFrameHeight, m_mmLimits.nMaxHeight));
    SIZE sz = MeasureOverride(pDC, w, h);

    int uw = std::max((int)sz.cx, m_mmLimits.nMinWidth);
    int uh = std::max((int)sz.cy, m_mmLimits.nMinHeight);
    bool bClipped = false;
    int cw = uw, ch = uh;
    if (uw > m_mmLimits.nMaxWidth)
    {
        cw = m_mmLimits.nMaxWidth;
        bClipped = true;
    }
    if (uh > m_mmLimits.nMaxHeight)
    {
        ch = m_mmLimits.nMaxHeight;
        bClipped = true;
    }
    long long dw = (long long)nMarginWidth + cw;
    long long dh = (long long)nMarginHeight + ch;
    if (dw > nAvailableWidth)
    {
        dw = nAvailableWidth;
        bClipped = true;
    }
    if (dh > nAvailableHeight)
    {
        dh = nAvailableHeight;
        bClipped = true;
    }
    m_bNeedsClip = FALSE;
    m_bUnclippedDesiredSize = FALSE;
    if (bClipped || dw < 0 || dh < 0)
    {
        m_bNeedsClip = TRUE;
        m_bUnclippedDesiredSize = TRUE;
        m_szUnclippedDesiredSize = {uw, uh};
    }
    return {(LONG)std::max(0LL, dw), (LONG)std::max(0LL, dh)};
}

void CXTPMarkupFrameworkElement::ArrangeElement(const RECT& rcFinalRect)
{
    CXTPMarkupThickness* pMargin = GetMargin();
    int nMarginLeft = pMargin ? pMargin->GetLeft() : 0;
    int nMarginTop = pMargin ? pMargin->GetTop() : 0;
    int nMarginWidth = pMargin ? ClampToInt((long long)nMarginLeft + pMargin->GetRight()) : 0;
    int nMarginHeight = pMargin ? ClampToInt((long long)nMarginTop + pMargin->GetBottom()) : 0;

    int nArrangeWidth = rcFinalRect.right - rcFinalRect.left;
    int nArrangeHeight = rcFinalRect.bottom - rcFinalRect.top;
    int nClientWidth = std::max(0, ClampToInt((long long)nArrangeWidth - nMarginWidth));
    int nClientHeight = std::max(0, ClampToInt((long long)nArrangeHeight - nMarginHeight));
    int w = nClientWidth, h = nClientHeight;

    int uw, uh;
    if (m_bUnclippedDesiredSize)
    {
        uw = m_szUnclippedDesiredSize.cx;
        uh = m_szUnclippedDesiredSize.cy;
    }
    else
    {
        uw = std::max(0, ClampToInt((long long)m_szDesiredSize.cx - nMarginWidth));
        uh = std::max(0, ClampToInt((long long)m_szDesiredSize.cy - nMarginHeight));
    }
    if (w < uw)
    {
        m_bNeedsClip = TRUE;
        w = uw;
    }
    if (h < uh)
    {
        m_bNeedsClip = TRUE;
        h = uh;
    }
    if (GetHorizontalAlignment() != 3)
        w = uw;
    if (GetVerticalAlignment() != 3)
        h = uh;
    int nEffMaxWidth = std::max(uw, m_mmLimits.nMaxWidth);
    if (nEffMaxWidth < w)
    {
        m_bNeedsClip = TRUE;
        w = nEffMaxWidth;
    }
    int nEffMaxHeight = std::max(uh, m_mmLimits.nMaxHeight);
    if (nEffMaxHeight < h)
    {
        m_bNeedsClip = TRUE;
        h = nEffMaxHeight;
    }

    SIZE sz = ArrangeOverride({w, h});
    m_szRenderSize = sz;
    int nInkWidth = std::min((int)sz.cx, m_mmLimits.nMaxWidth);
    int nInkHeight = std::min((int)sz.cy, m_mmLimits.nMaxHeight);
    if (nInkWidth < sz.cx || nInkHeight < sz.cy)
        m_bNeedsClip = TRUE;
    if (nClientWidth < nInkWidth || nClientHeight < nInkHeight)
        m_bNeedsClip = TRUE;
    POINT ptOffset = ComputeAlignmentOffset(nClientWidth, nClientHeight, nInkWidth, nInkHeight);
    m_ptVisualOffset.x = rcFinalRect.left + nMarginLeft + ptOffset.x;
    m_ptVisualOffset.y = rcFinalRect.top + nMarginTop + ptOffset.y;
}

POINT CXTPMarkupFrameworkElement::ComputeAlignmentOffset(int nClientWidth, int nClientHeight, int nInkWidth,
                                                         int nInkHeight) const
{
    int nHorizontal = GetHorizontalAlignment();
    int nVertical = GetVerticalAlignment();
    if (nHorizontal == 3 && nInkWidth > nClientWidth)
        nHorizontal = 0;
    if (nVertical == 3 && nInkHeight > nClientHeight)
        nVertical = 0;
    long long dx = (long long)nClientWidth - nInkWidth;
    long long dy = (long long)nClientHeight - nInkHeight;
    POINT pt;
    pt.x = nHorizontal == 0 ? 0 : (nHorizontal == 2 ? ClampToInt(dx) : ClampToInt(dx / 2));
    pt.y = nVertical == 0 ? 0 : (nVertical == 2 ? ClampToInt(dy) : ClampToInt(dy / 2));
    return pt;
}

BOOL CXTPMarkupFrameworkElement::GetClipRect(RECT& rc) const
{
    if (CXTPMarkupUIElement::GetClipRect(rc))
        return TRUE;
    BOOL bClipToBounds = GetClipToBounds();
    if (!bClipToBounds && !m_bNeedsClip)
        return FALSE;
    int nMaxWidth = m_mmLimits.nMaxWidth == XTP_MARKUP_UNBOUNDED ? m_szRenderSize.cx : m_mmLimits.nMaxWidth;
    int nMaxHeight = m_mmLimits.nMaxHeight == XTP_MARKUP_UNBOUNDED ? m_szRenderSize.cy : m_mmLimits.nMaxHeight;
    bool bClipToMax = bClipToBounds || nMaxWidth < m_szRenderSize.cx || nMaxHeight < m_szRenderSize.cy;
    int nInkWidth = std::min((int)m_szRenderSize.cx, m_mmLimits.nMaxWidth);
    int nInkHeight = std::min((int)m_szRenderSize.cy, m_mmLimits.nMaxHeight);

    CXTPMarkupThickness* pMargin = GetMargin();
    int nMarginWidth = pMargin ? ClampToInt((long long)pMargin->GetLeft() + pMargin->GetRight()) : 0;
    int nMarginHeight = pMargin ? ClampToInt((long long)pMargin->GetTop() + pMargin->GetBottom()) : 0;
    int nSlotWidth = std::max(0, ClampToInt((long long)(m_rcFinalRect.right - m_rcFinalRect.left) - nMarginWidth));
    int nSlotHeight = std::max(0, ClampToInt((long long)(m_rcFinalRect.bottom - m_rcFinalRect.top) - nMarginHeight));
    bool bClipToSlot = bClipToBounds || nSlotWidth < nInkWidth || nSlotHeight < nInkHeight;

    if (bClipToMax && !bClipToSlot)
    {
        rc = {0, 0, nMaxWidth, nMaxHeight};
        return TRUE;
    }
    if (!bClipToMax && !bClipToSlot)
        return FALSE;
    POINT ptOffset = ComputeAlignmentOffset(nSlotWidth, nSlotHeight, nInkWidth, nInkHeight);
    rc = {-ptOffset.x, -ptOffset.y, nSlotWidth - ptOffset.x, nSlotHeight - ptOffset.y};
    if (bClipToMax)
    {
        RECT rcMax = {0, 0, nMaxWidth, nMaxHeight};
        IntersectRect(&rc, &rc, &rcMax);
    }
    return TRUE;
}

POINT CXTPMarkupMouseEventArgs::GetPosition(CXTPMarkupInputElement* pRelativeTo) const
{
    POINT pt = {m_x, m_y};
    for (CXTPMarkupObject* p = pRelativeTo; p; p = p->GetLogicalParent())
    {
        if (!p->IsKindOf(CXTPMarkupVisual::GetMarkupType()))
            continue;
        POINT ptOffset = static_cast<CXTPMarkupVisual*>(p)->GetVisualOffset();
        pt.x -= ptOffset.x;
        pt.y -= ptOffset.y;
    }
    return pt;
}
