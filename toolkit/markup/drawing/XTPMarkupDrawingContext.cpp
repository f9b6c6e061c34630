#include "toolkit/markup/drawing/XTPMarkupDrawingContext.h"

#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

CXTPMarkupDrawingContext::CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext, HDC hDC, HDC hAttribDC)
    : m_pMarkupContext(pMarkupContext), m_hDC(hDC), m_hAttribDC(hAttribDC ? hAttribDC : hDC), m_bOwnsDC(FALSE),
      m_rcClipBox(), m_pDeviceContext(nullptr)
{
    Init();
}

CXTPMarkupDrawingContext::CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext)
    : m_pMarkupContext(pMarkupContext), m_hDC(CreateCompatibleDC(nullptr)), m_hAttribDC(nullptr), m_bOwnsDC(TRUE),
      m_rcClipBox(), m_pDeviceContext(nullptr)
{
    m_hAttribDC = m_hDC;
    Init();
}

void CXTPMarkupDrawingContext::Init()
{
    // GDI+ drawing is not built yet: every drawing context draws with GDI.
    m_pDeviceContext = new CXTPMarkupDeviceContext(m_hDC, m_hAttribDC);
    UpdateClipBox();
    if (m_hDC)
        SetBkMode(m_hDC, TRANSPARENT);
}

CXTPMarkupDrawingContext::~CXTPMarkupDrawingContext()
{
    m_pDeviceContext->SetTextFont(nullptr);
    delete m_pDeviceContext;
    if (m_bOwnsDC && m_hDC)
        DeleteDC(m_hDC);
}

BOOL CXTPMarkupDrawingContext::AlwaysRemeasure()
{
    return FALSE;
}

void CXTPMarkupDrawingContext::DrawString(LPCWSTR lpszString, UINT nCount, LPCRECT lpRect)
{
    m_pDeviceContext->DrawString(lpszString, nCount, lpRect);
}

void CXTPMarkupDrawingContext::UpdateClipBox()
{
    m_pDeviceContext->GetClipBox(&m_rcClipBox);
}

void CXTPMarkupDrawingContext::OffsetViewport(const POINT& ptOffset)
{
    m_pDeviceContext->OffsetViewport(ptOffset);
    UpdateClipBox();
}

void CXTPMarkupDrawingContext::IntersectClipRect(const RECT& rc)
{
    m_pDeviceContext->IntersectClipRect(rc);
    UpdateClipBox();
}

HRGN CXTPMarkupDrawingContext::SaveClip()
{
    return m_pDeviceContext->SaveClipRegion();
}

void CXTPMarkupDrawingContext::RestoreClip(HRGN hrgnClip)
{
    if (!hrgnClip)
        return;
    m_pDeviceContext->RestoreClipRegion(hrgnClip);
    UpdateClipBox();
}

SIZE CXTPMarkupDrawingContext::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    return m_pDeviceContext->GetTextExtent(lpszString, nCount);
}

HDC CXTPMarkupDrawingContext::GetDC()
{
    return m_pDeviceContext->GetDC();
}

void CXTPMarkupDrawingContext::ReleaseDC(HDC hDC)
{
    m_pDeviceContext->ReleaseDC(hDC);
}

void CXTPMarkupDrawingContext::SetTextColor(CXTPMarkupBrush* pBrush)
{
    m_pDeviceContext->SetTextColor(pBrush);
}

void CXTPMarkupDrawingContext::DrawEllipse(const RECT& rc, CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFillBrush)
{
    m_pDeviceContext->DrawEllipse(rc, pStroke, pFillBrush);
}

void CXTPMarkupDrawingContext::DrawFrame(const RECT& rc, CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness,
                                         const double* pCornerRadius)
{
    if (!pBrush || !pThickness)
        return;
    if (pCornerRadius)
        m_pDeviceContext->DrawRoundFrame(rc, pBrush, pThickness, pCornerRadius);
    else
        m_pDeviceContext->DrawFrame(rc, pBrush, pThickness);
}

void CXTPMarkupDrawingContext::FillRectangle(const RECT& rc, CXTPMarkupBrush* pBrush, const double* pCornerRadius)
{
    if (pCornerRadius)
        m_pDeviceContext->FillRoundRectangle(rc, pBrush, pCornerRadius);
    else
        m_pDeviceContext->FillRectangle(rc, pBrush);
}

void CXTPMarkupDrawingContext::FillSolidRect(const RECT& rc, COLORREF clr)
{
    CXTPMarkupSolidColorBrush* pBrush = new CXTPMarkupSolidColorBrush(clr);
    m_pDeviceContext->FillRectangle(rc, pBrush);
    pBrush->Release();
}

void CXTPMarkupDrawingContext::DrawFrame1(const RECT& rc, CXTPMarkupBrush* pBrush)
{
    CXTPMarkupThickness* pThickness = new CXTPMarkupThickness(1);
    DrawFrame(rc, pBrush, pThickness);
    pThickness->Release();
}

void CXTPMarkupDrawingContext::DrawLine(int x1, int y1, int x2, int y2, CXTPMarkupStrokeStyle* pStroke)
{
    if (!pStroke || pStroke->nStrokeThickness <= 0)
        return;
    m_pDeviceContext->DrawLine(x1, y1, x2, y2, pStroke);
}

void CXTPMarkupDrawingContext::Polyline(const POINT* pPoints, int nCount, CXTPMarkupStrokeStyle* pStroke)
{
    m_pDeviceContext->Polyline(pPoints, nCount, pStroke);
}

void CXTPMarkupDrawingContext::DrawPath(const CXTPMarkupPathData* pData, CXTPMarkupStrokeStyle* pStroke,
                                        CXTPMarkupBrush* pFillBrush)
{
    m_pDeviceContext->DrawPath(pData, pStroke, pFillBrush);
}
