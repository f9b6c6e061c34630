// CPoint, CSize and CRect: value types layered directly on POINT, SIZE and RECT so that
// they can be passed wherever Win32 expects the plain structures.
#pragma once

#include <windows.h>

class CSize;
class CRect;

class CPoint : public tagPOINT
{
public:
    CPoint() noexcept { x = y = 0; }
    CPoint(int initX, int initY) noexcept { x = initX, y = initY; }
    CPoint(POINT pt) noexcept { x = pt.x, y = pt.y; }
    CPoint(SIZE sz) noexcept { x = sz.cx, y = sz.cy; }
    // Unpacks the coordinates of a mouse message (signed 16-bit halves).
    explicit CPoint(LPARAM dwPoint) noexcept
    {
        x = static_cast<short>(LOWORD(dwPoint));
        y = static_cast<short>(HIWORD(dwPoint));
    }

    void Offset(int xOffset, int yOffset) noexcept { x += xOffset, y += yOffset; }
    void Offset(POINT pt) noexcept { x += pt.x, y += pt.y; }
    void Offset(SIZE sz) noexcept { x += sz.cx, y += sz.cy; }
    void SetPoint(int X, int Y) noexcept { x = X, y = Y; }

    bool operator==(POINT pt) const noexcept { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const noexcept { return !(*this == pt); }
    void operator+=(SIZE sz) noexcept { Offset(sz); }
    void operator-=(SIZE sz) noexcept { x -= sz.cx, y -= sz.cy; }
    void operator+=(POINT pt) noexcept { Offset(pt); }
    void operator-=(POINT pt) noexcept { x -= pt.x, y -= pt.y; }
    inline CPoint operator+(SIZE sz) const noexcept;
    inline CPoint operator-(SIZE sz) const noexcept;
    CPoint operator-() const noexcept { return CPoint(-x, -y); }
    CPoint operator+(POINT pt) const noexcept { return CPoint(x + pt.x, y + pt.y); }
    inline CSize operator-(POINT pt) const noexcept;
    inline CRect operator+(const RECT* lpRect) const noexcept;
    inline CRect operator-(const RECT* lpRect) const noexcept;
};

class CSize : public tagSIZE
{
public:
    CSize() noexcept { cx = cy = 0; }
    CSize(int initCX, int initCY) noexcept { cx = initCX, cy = initCY; }
    CSize(SIZE sz) noexcept { cx = sz.cx, cy = sz.cy; }
    CSize(POINT pt) noexcept { cx = pt.x, cy = pt.y; }
    explicit CSize(DWORD dwSize) noexcept
    {
        cx = static_cast<short>(LOWORD(dwSize));
        cy = static_cast<short>(HIWORD(dwSize));
    }

    void SetSize(int CX, int CY) noexcept { cx = CX, cy = CY; }
    bool operator==(SIZE sz) const noexcept { return cx == sz.cx && cy == sz.cy; }
    bool operator!=(SIZE sz) const noexcept { return !(*this == sz); }
    void operator+=(SIZE sz) noexcept { cx += sz.cx, cy += sz.cy; }
    void operator-=(SIZE sz) noexcept { cx -= sz.cx, cy -= sz.cy; }
    CSize operator+(SIZE sz) const noexcept { return CSize(cx + sz.cx, cy + sz.cy); }
    CSize operator-(SIZE sz) const noexcept { return CSize(cx - sz.cx, cy - sz.cy); }
    CSize operator-() const noexcept { return CSize(-cx, -cy); }
    CPoint operator+(POINT pt) const noexcept { return CPoint(cx + pt.x, cy + pt.y); }
    CPoint operator-(POINT pt) const noexcept { return CPoint(cx - pt.x, cy - pt.y); }
    inline CRect operator+(const RECT* lpRect) const noexcept;
    inline CRect operator-(const RECT* lpRect) const noexcept;
};

class CRect : public tagRECT
{
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept { left = l, top = t, right = r, bottom = b; }
    CRect(const RECT& src) noexcept { CopyRect(&src); }
    CRect(const RECT* lpSrc) noexcept { CopyRect(lpSrc); }
    CRect(POINT point, SIZE size) noexcept
    {
        left = point.x, top = point.y, right = point.x + size.cx, bottom = point.y + size.cy;
    }
    CRect(POINT topLeft, POINT bottomRight) noexcept
    {
        left = topLeft.x, top = topLeft.y, right = bottomRight.x, bottom = bottomRight.y;
    }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(this); }
    CPoint& BottomRight() noexcept { return reinterpret_cast<CPoint*>(this)[1]; }
    const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(this); }
    const CPoint& BottomRight() const noexcept { return reinterpret_cast<const CPoint*>(this)[1]; }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    // Empty means no area (width or height not positive); null means all four are zero.
    BOOL IsRectEmpty() const noexcept { return left >= right || top >= bottom; }
    BOOL IsRectNull() const noexcept { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT pt) const noexcept
    {
        return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom;
    }
    BOOL EqualRect(const RECT* lpRect) const noexcept
    {
        return left == lpRect->left && top == lpRect->top && right == lpRect->right &&
               bottom == lpRect->bottom;
    }

    void SetRect(int x1, int y1, int x2, int y2) noexcept { left = x1, top = y1, right = x2, bottom = y2; }
    void SetRect(POINT topLeft, POINT bottomRight) noexcept
    {
        SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() noexcept { left = top = right = bottom = 0; }
    void CopyRect(const RECT* lpSrc) noexcept
    {
        left = lpSrc->left, top = lpSrc->top, right = lpSrc->right, bottom = lpSrc->bottom;
    }

    void InflateRect(int x, int y) noexcept { left -= x, top -= y, right += x, bottom += y; }
    void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
    void InflateRect(const RECT* lpRect) noexcept
    {
        left -= lpRect->left, top -= lpRect->top, right += lpRect->right, bottom += lpRect->bottom;
    }
    void InflateRect(int l, int t, int r, int b) noexcept { left -= l, top -= t, right += r, bottom += b; }
    void DeflateRect(int x, int y) noexcept { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) noexcept { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(const RECT* lpRect) noexcept
    {
        left += lpRect->left, top += lpRect->top, right -= lpRect->right, bottom -= lpRect->bottom;
    }
    void DeflateRect(int l, int t, int r, int b) noexcept { left += l, top += t, right -= r, bottom -= b; }

    void OffsetRect(int x, int y) noexcept { left += x, top += y, right += x, bottom += y; }
    void OffsetRect(POINT pt) noexcept { OffsetRect(pt.x, pt.y); }
    void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x) noexcept { right = Width() + x, left = x; }
    void MoveToY(int y) noexcept { bottom = Height() + y, top = y; }
    void MoveToXY(int x, int y) noexcept { MoveToX(x), MoveToY(y); }
    void MoveToXY(POINT pt) noexcept { MoveToXY(pt.x, pt.y); }

    // Swaps the edges so that left <= right and top <= bottom.
    void NormalizeRect() noexcept;
    // The three set operations return FALSE (and leave this rectangle empty) when the result is empty.
    BOOL IntersectRect(const RECT* lpRect1, const RECT* lpRect2) noexcept;
    BOOL UnionRect(const RECT* lpRect1, const RECT* lpRect2) noexcept;
    BOOL SubtractRect(const RECT* lpRectSrc1, const RECT* lpRectSrc2) noexcept;

    void operator=(const RECT& src) noexcept { CopyRect(&src); }
    bool operator==(const RECT& rect) const noexcept { return EqualRect(&rect) != FALSE; }
    bool operator!=(const RECT& rect) const noexcept { return !EqualRect(&rect); }
    void operator+=(POINT pt) noexcept { OffsetRect(pt); }
    void operator+=(SIZE size) noexcept { OffsetRect(size); }
    void operator+=(const RECT* lpRect) noexcept { InflateRect(lpRect); }
    void operator-=(POINT pt) noexcept { OffsetRect(-pt.x, -pt.y); }
    void operator-=(SIZE size) noexcept { OffsetRect(-size.cx, -size.cy); }
    void operator-=(const RECT* lpRect) noexcept { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) noexcept { IntersectRect(this, &rect); }
    void operator|=(const RECT& rect) noexcept { UnionRect(this, &rect); }
    CRect operator+(POINT pt) const noexcept
    {
        CRect r(*this);
        r.OffsetRect(pt);
        return r;
    }
    CRect operator-(POINT pt) const noexcept
    {
        CRect r(*this);
        r.OffsetRect(-pt.x, -pt.y);
        return r;
    }
    CRect operator+(SIZE size) const noexcept
    {
        CRect r(*this);
        r.OffsetRect(size);
        return r;
    }
    CRect operator-(SIZE size) const noexcept
    {
        CRect r(*this);
        r.OffsetRect(-size.cx, -size.cy);
        return r;
    }
    CRect operator+(const RECT* lpRect) const noexcept
    {
        CRect r(*this);
        r.InflateRect(lpRect);
        return r;
    }
    CRect operator-(const RECT* lpRect) const noexcept
    {
        CRect r(*this);
        r.DeflateRect(lpRect);
        return r;
    }
    CRect operator&(const RECT& rect2) const noexcept
    {
        CRect r;
        r.IntersectRect(this, &rect2);
        return r;
    }
    CRect operator|(const RECT& rect2) const noexcept
    {
        CRect r;
        r.UnionRect(this, &rect2);
        return r;
    }
};

inline CPoint CPoint::operator+(SIZE sz) const noexcept
{
    return CPoint(x + sz.cx, y + sz.cy);
}
inline CPoint CPoint::operator-(SIZE sz) const noexcept
{
    return CPoint(x - sz.cx, y - sz.cy);
}
inline CSize CPoint::operator-(POINT pt) const noexcept
{
    return CSize(x - pt.x, y - pt.y);
}
inline CRect CPoint::operator+(const RECT* lpRect) const noexcept
{
    CRect r(lpRect);
    r.OffsetRect(x, y);
    return r;
}
inline CRect CPoint::operator-(const RECT* lpRect) const noexcept
{
    CRect r(lpRect);
    r.OffsetRect(-x, -y);
    return r;
}
inline CRect CSize::operator+(const RECT* lpRect) const noexcept
{
    CRect r(lpRect);
    r.OffsetRect(cx, cy);
    return r;
}
inline CRect CSize::operator-(const RECT* lpRect) const noexcept
{
    CRect r(lpRect);
    r.OffsetRect(-cx, -cy);
    return r;
}
