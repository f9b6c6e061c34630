// CXTPMarkupDrawingContext: what every element draws through. It holds a DC (the caller's, or a
// memory DC of its own for measuring), the device context that does the drawing, and the current
// clip box, kept equal to the device context's after every origin or clip change.
#pragma once

#include "toolkit/markup/drawing/XTPMarkupDeviceContext.h"

class CXTPMarkupContext;

class CXTPMarkupDrawingContext
{
public:
    // Draws into hDC, which stays the caller's.
    CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext, HDC hDC, HDC hAttribDC = nullptr);
    // Measuring only: a memory DC of its own.
    explicit CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext);
    virtual ~CXTPMarkupDrawingContext();

    // Slots after the destructor.
    virtual BOOL AlwaysRemeasure();
    virtual void DrawString(LPCWSTR lpszString, UINT nCount, LPCRECT lpRect);

    CXTPMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    CXTPMarkupDeviceContext* GetDeviceContext() const { return m_pDeviceContext; }
    HDC GetSafeHdc() const { return m_hDC; }
    // The clip box in the current logical coordinates.
    RECT GetClipBox() const { return m_rcClipBox; }

    void OffsetViewport(const POINT& ptOffset);
    void IntersectClipRect(const RECT& rc);
    HRGN SaveClip();
    void RestoreClip(HRGN hrgnClip);
    SIZE GetTextExtent(LPCWSTR lpszString, int nCount) const;
    HDC GetDC();
    void ReleaseDC(HDC hDC);
    void SetTextColor(CXTPMarkupBrush* pBrush);

    void DrawEllipse(const RECT& rc, CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFillBrush);
    // Nothing without a brush or a thickness; with radii the rounded frame.
    void DrawFrame(const RECT& rc, CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness,
                   const double* pCornerRadius = nullptr);
    void FillRectangle(const RECT& rc, CXTPMarkupBrush* pBrush, const double* pCornerRadius = nullptr);
    void FillSolidRect(const RECT& rc, COLORREF clr);
    // A one-pixel frame on all four sides.
    void DrawFrame1(const RECT& rc, CXTPMarkupBrush* pBrush);
    // Nothing without a stroke of a thickness above 0.
    void DrawLine(int x1, int y1, int x2, int y2, CXTPMarkupStrokeStyle* pStroke);
    void Polyline(const POINT* pPoints, int nCount, CXTPMarkupStrokeStyle* pStroke);
    void DrawPath(const CXTPMarkupPathData* pData, CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFillBrush);

private:
    void Init();
    void UpdateClipBox();

    CXTPMarkupContext* m_pMarkupContext;
    HDC m_hDC;
    HDC m_hAttribDC;
    BOOL m_bOwnsDC;
    RECT m_rcClipBox;
    CXTPMarkupDeviceContext* m_pDeviceContext;

    CXTPMarkupDrawingContext(const CXTPMarkupDrawingContext&) = delete;
    CXTPMarkupDrawingContext& operator=(const CXTPMarkupDrawingContext&) = delete;
};
