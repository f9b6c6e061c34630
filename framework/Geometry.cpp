#include "framework/Geometry.h"

#include <utility>

void CRect::NormalizeRect() noexcept
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

// The set operations are computed here rather than through USER so that they work
// on any thread and give the same answers everywhere.
BOOL CRect::IntersectRect(const RECT* a, const RECT* b) noexcept
{
    RECT r;
    r.left = a->left > b->left ? a->left : b->left;
    r.top = a->top > b->top ? a->top : b->top;
    r.right = a->right < b->right ? a->right : b->right;
    r.bottom = a->bottom < b->bottom ? a->bottom : b->bottom;
    if (r.left >= r.right || r.top >= r.bottom)
    {
        SetRectEmpty();
        return FALSE;
    }
    CopyRect(&r);
    return TRUE;
}

BOOL CRect::UnionRect(const RECT* a, const RECT* b) noexcept
{
    const bool aEmpty = a->left >= a->right || a->top >= a->bottom;
    const bool bEmpty = b->left >= b->right || b->top >= b->bottom;
    if (aEmpty && bEmpty)
    {
        SetRectEmpty();
        return FALSE;
    }
    if (aEmpty)
    {
        CopyRect(b);
        return TRUE;
    }
    if (bEmpty)
    {
        CopyRect(a);
        return TRUE;
    }
    RECT r;
    r.left = a->left < b->left ? a->left : b->left;
    r.top = a->top < b->top ? a->top : b->top;
    r.right = a->right > b->right ? a->right : b->right;
    r.bottom = a->bottom > b->bottom ? a->bottom : b->bottom;
    CopyRect(&r);
    return TRUE;
}

BOOL CRect::SubtractRect(const RECT* src1, const RECT* src2) noexcept
{
    // The difference is representable only when src2 covers a whole side strip of src1.
    RECT r = *src1;
    if (r.left >= r.right || r.top >= r.bottom)
    {
        SetRectEmpty();
        return FALSE;
    }
    CRect inter;
    if (inter.IntersectRect(src1, src2))
    {
        if (inter.left <= r.left && inter.right >= r.right)
        {
            if (inter.top <= r.top && inter.bottom >= r.bottom)
            {
                SetRectEmpty();
                return FALSE;
            }
            if (inter.top <= r.top)
                r.top = inter.bottom;
            else if (inter.bottom >= r.bottom)
                r.bottom = inter.top;
        }
        else if (inter.top <= r.top && inter.bottom >= r.bottom)
        {
            if (inter.left <= r.left)
                r.left = inter.right;
            else if (inter.right >= r.right)
                r.right = inter.left;
        }
    }
    CopyRect(&r);
    return TRUE;
}
