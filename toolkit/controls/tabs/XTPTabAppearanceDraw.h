// Drawing pieces shared by the appearance sets: one-pixel lines that skip a colour of -1, a tab
// frame that turns shapes given for tabs on top to the row's position, polygon fills through the
// DC's clipping, softened corners, framed client areas and theme pictures turned into place.
#pragma once

#include "framework/DC.h"
#include "framework/Geometry.h"

#include <functional>

#include <windows.h>

class CXTPTabManager;
class CXTPTabManagerItem;
class CXTPTabPaintManagerAppearanceSet;
class CXTPResourceImage;

namespace xtp_tab_draw
{
inline BOOL IsNone(COLORREF clr)
{
    return clr == COLORREF(-1);
}

void HLine(CDC* pDC, int x, int y, int cx, COLORREF clr);
void VLine(CDC* pDC, int x, int y, int cy, COLORREF clr);
void Pixel(CDC* pDC, int x, int y, COLORREF clr);
// The four edges, top and left in the first colour, bottom and right in the second.
void Frame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
// Sets the pixel to ratio (alpha / 255) of clr over what is there.
void BlendPixel(CDC* pDC, int x, int y, COLORREF clr, int nAlpha);

// A tab rectangle seen as if the tab were on top: x runs along the row from the rectangle's start
// (L..R), y across it from the outer side (T) to the client side (B). Map turns such a point to
// the position: bottom tabs mirror it top to bottom, left tabs transpose it, right tabs transpose
// and mirror it.
class CTabFrame
{
public:
    CTabFrame(const CRect& rc, int nPosition);
    CPoint Map(int x, int y) const;
    // A half-open canonical rectangle as the actual half-open rectangle.
    CRect MapRect(int l, int t, int r, int b) const;
    // A line from one canonical point to another, both ends included.
    void Line(CDC* pDC, int x0, int y0, int x1, int y1, COLORREF clr) const;
    // Consecutive points joined by lines (both ends of each included).
    void Polyline(CDC* pDC, const POINT* pts, int nCount, COLORREF clr) const;

    int L, T, R, B;
    int m_nPosition;
    CRect m_rc;
};

// Fills the polygon (actual coordinates, alternate rule) with what fnFill paints over the polygon's
// bounding box: the box is painted off-screen and copied through the polygon intersected with the
// DC's clipping; the DC's clipping region is restored afterwards. Returns fnFill's colour.
COLORREF FillPolygon(CDC* pDC, const POINT* pts, int nCount, const std::function<COLORREF(CDC*, CRect)>& fnFill);

// Softens the outer corners of a canonical outline rectangle (l, t, r, b half-open): the pixels
// next to each outer corner take clrBack at 120 of 255, the pixel diagonally inside it the outline
// colour at 180, and that pixel's two inner neighbours the outline colour at 60.
void SoftenOuterCorners(CDC* pDC, const CTabFrame& frame, int l, int t, int r, int b, COLORREF clrBack,
                        COLORREF clrOutline);

// Header band filled (by the colour set's FillClient, or solid in clrHeader when it is not -2),
// and the client area: with a full frame filled by the colour set's FillItemFace and framed, with
// a single line only the line on the tab side (top or left sides in clrTopLeft, bottom or right in
// clrBottomRight). Returns the header band.
#define XTP_TAB_HEADER_BY_COLORSET COLORREF(-2)
CRect FillFramedClient(CXTPTabPaintManagerAppearanceSet* pSet, CXTPTabManager* pTabManager, CDC* pDC, CRect rc,
                       COLORREF clrTopLeft, COLORREF clrBottomRight, COLORREF clrHeader = XTP_TAB_HEADER_BY_COLORSET);
// The one line of a single-line client frame on the tab side of rcClient: along its top or left
// edge in clrTopLeft, along its bottom or right edge in clrBottomRight.
void DrawTabSideLine(CDC* pDC, const CRect& rcClient, int nPosition, COLORREF clrTopLeft, COLORREF clrBottomRight);
// The client rectangle before its frame deflation (the frame lies on its edges).
CRect GetFramedClientRect(CXTPTabPaintManagerAppearanceSet* pSet, CXTPTabManager* pTabManager);

// Draws into rc (a tab of the given position) what fnDraw paints on a tab on top: the canonical
// picture is drawn off-screen over a copy of what lies under the tab, then turned into place, so
// that transparent parts of the picture keep the background.
void DrawTurned(CDC* pDC, const CRect& rc, int nPosition, const std::function<void(CDC*, CRect)>& fnDraw);
} // namespace xtp_tab_draw

class CXTPTabPaintManager;
namespace xtp_tab_draw
{
// The paint manager's content drawing (icon, caption, own buttons) in rc instead of the item's
// rectangle, which is kept.
void DrawContent(CXTPTabPaintManager* pPaintManager, CDC* pDC, CXTPTabManagerItem* pItem, const CRect& rc);
} // namespace xtp_tab_draw
