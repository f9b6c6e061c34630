// CXTPMarkupDeviceContext: the GDI back end that every markup element draws through (solid and
// linear-gradient fills, frames, rounded rectangles, lines, polygons, paths, text and clipping),
// and CXTPMarkupStrokeStyle, the pen description that shapes and borders hand to it.
#pragma once

#include <windows.h>

class CXTPMarkupBrush;
class CXTPMarkupThickness;
class CXTPMarkupPathData;
class CXTPMarkupDoubleCollection;

struct CXTPMarkupStrokeStyle
{
    int nStrokeThickness = 0;
    CXTPMarkupBrush* pStrokeBrush = nullptr;
    CXTPMarkupDoubleCollection* pStrokeDashArray = nullptr;
    int nStrokeStartLineCap = 0; // flat
    int nStrokeEndLineCap = 0;
    int nStrokeLineJoin = 0; // miter
};

// The handle SaveClipRegion answers for a DC without a clip region.
#define XTP_MARKUP_NO_CLIP_REGION ((HRGN)(INT_PTR)-1)

class CXTPMarkupDeviceContext
{
public:
    // hAttribDC null: the output DC measures too.
    CXTPMarkupDeviceContext(HDC hDC, HDC hAttribDC = nullptr);
    virtual ~CXTPMarkupDeviceContext();

    // Slots in order, after the destructor.
    virtual void OffsetViewport(const POINT& ptViewportOrg);
    virtual void DrawEllipse(const RECT& rc, CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFillBrush);
    virtual void DrawFrame(const RECT& rc, CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness);
    virtual void FillRectangle(const RECT& rc, CXTPMarkupBrush* pBrush);
    virtual void DrawLine(int x1, int y1, int x2, int y2, CXTPMarkupStrokeStyle* pStroke);
    virtual void Polyline(const POINT* pPoints, int nCount, CXTPMarkupStrokeStyle* pStroke);
    virtual void Polygon(const POINT* pPoints, int nCount, CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFillBrush);
    virtual void DrawPath(const CXTPMarkupPathData* pData, CXTPMarkupStrokeStyle* pStroke, CXTPMarkupBrush* pFillBrush);
    // Radii: eight values (top-left vertical, top-left horizontal, top-right horizontal, top-right
    // vertical, bottom-right vertical, bottom-right horizontal, bottom-left horizontal, bottom-left
    // vertical); null for square corners.
    virtual void FillRoundRectangle(const RECT& rc, CXTPMarkupBrush* pBrush, const double* pCornerRadius);
    virtual void DrawRoundFrame(const RECT& rc, CXTPMarkupBrush* pBrush, const CXTPMarkupThickness* pThickness,
                                const double* pCornerRadius);
    virtual void DrawString(LPCWSTR lpszString, UINT nCount, LPCRECT lpRect);
    virtual SIZE GetTextExtent(LPCWSTR lpszString, int nCount) const;
    virtual void SetTextColor(CXTPMarkupBrush* pBrush);
    // A font handle selected into both DCs; null puts back the one the first selection replaced.
    virtual void SetTextFont(HFONT hFont);
    virtual void IntersectClipRect(const RECT& rc);
    virtual void GetClipBox(RECT* pRect) const;
    // The DC's clip region, XTP_MARKUP_NO_CLIP_REGION when it has none, null when none could be made.
    virtual HRGN SaveClipRegion();
    virtual void RestoreClipRegion(HRGN hrgnClip);
    virtual HDC GetDC();
    virtual void ReleaseDC(HDC hDC);

    // The rounded-rectangle outline both back ends fill and stroke (one reference).
    static CXTPMarkupPathData* CreateRoundRectanglePath(const RECT& rc, const double* pCornerRadius);

protected:
    // A solid pen of the stroke's brush colour, or null (no stroke, thickness 0 or no brush).
    static HPEN CreateStrokePen(const CXTPMarkupStrokeStyle* pStroke);
    static HBRUSH CreateFillBrush(const CXTPMarkupBrush* pBrush);
    void FillSolid(const RECT& rc, COLORREF clr);
    void FillLinearGradient(const RECT& rc, const class CXTPMarkupLinearGradientBrush* pBrush);

    HDC m_hDC;
    HDC m_hAttribDC;
    SIZE m_szWindowExt;
    SIZE m_szViewportExt;
    HFONT m_hOldFont;

private:
    CXTPMarkupDeviceContext(const CXTPMarkupDeviceContext&) = delete;
    CXTPMarkupDeviceContext& operator=(const CXTPMarkupDeviceContext&) = delete;
};
