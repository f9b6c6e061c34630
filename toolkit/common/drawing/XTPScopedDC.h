// Scoped device contexts of the toolkit's painting: double buffers that copy themselves to their
// target once, and font, pen, brush and bitmap selections that restore what they changed.
#pragma once

#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "framework/Geometry.h"

// Off-screen buffer in the target's coordinates; the destructor copies the rectangle to the target.
class CXTPBufferDC : public CDC
{
public:
    // A bitmap of rcPaint.right × rcPaint.bottom (at least 1 × 1).
    CXTPBufferDC(HDC hDestDC, const CRect& rcPaint);
    // Buffers a paint DC's paint rectangle; the memory DC is clipped to it.
    explicit CXTPBufferDC(CPaintDC& paintDC);
    ~CXTPBufferDC() override;

    // Nothing is copied back (the window went away during painting).
    void Discard();
    CDC* GetDestDC();
    const CRect& GetRect() const { return m_rect; }

protected:
    void Create(HDC hDestDC, int cx, int cy);

    HDC m_hDestDC = nullptr;
    CRect m_rect;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// Off-screen buffer of the rectangle's own size whose viewport is moved so that drawing uses the
// target's coordinates; the destructor copies the whole bitmap to the rectangle.
class CXTPBufferDCEx : public CDC
{
public:
    CXTPBufferDCEx(HDC hDestDC, const CRect& rcPaint);
    ~CXTPBufferDCEx() override;

protected:
    HDC m_hDestDC = nullptr;
    CRect m_rect;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// Selects a font (and optionally a text colour) and restores the previous ones.
class CXTPFontDC
{
public:
    explicit CXTPFontDC(CDC* pDC, CFont* pFont = nullptr);
    CXTPFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor);
    virtual ~CXTPFontDC();
    CXTPFontDC(const CXTPFontDC&) = delete;
    CXTPFontDC& operator=(const CXTPFontDC&) = delete;

    // Only the first selection remembers the font selected before.
    void SetFont(CFont* pFont);
    void SetFont(HFONT hFont);
    // Sets the text colour; the first call remembers the previous one.
    void SetColor(COLORREF clrTextColor);
    void SetFontColor(CFont* pFont, COLORREF clrTextColor);
    // Reselects the remembered font and forgets it; what that selection returned (null when nothing
    // was remembered).
    HGDIOBJ ReleaseFont();

protected:
    CDC* m_pDC;
    HGDIOBJ m_hOldFont = nullptr;
    COLORREF m_clrOldTextColor = COLORREF(-1);
};

// Selects a pen: an existing one, or a solid 1-pixel pen of a colour that it owns.
class CXTPPenDC
{
public:
    CXTPPenDC(CDC* pDC, CPen* pPen);
    CXTPPenDC(HDC hDC, COLORREF clrColor);
    virtual ~CXTPPenDC();
    CXTPPenDC(const CXTPPenDC&) = delete;
    CXTPPenDC& operator=(const CXTPPenDC&) = delete;

    // Replaces the pen by a new solid pen of the colour.
    void SetColor(COLORREF clrColor);
    COLORREF GetColor() const { return m_clrColor; }

protected:
    HDC m_hDC;
    HPEN m_hPen = nullptr;
    HGDIOBJ m_hOldPen = nullptr;
    COLORREF m_clrColor = COLORREF(-1);
};

// Selects a solid brush of a colour that it owns.
class CXTPBrushDC
{
public:
    CXTPBrushDC(HDC hDC, COLORREF clrColor);
    virtual ~CXTPBrushDC();
    CXTPBrushDC(const CXTPBrushDC&) = delete;
    CXTPBrushDC& operator=(const CXTPBrushDC&) = delete;

    void SetColor(COLORREF clrColor);

protected:
    HDC m_hDC;
    HBRUSH m_hBrush = nullptr;
    HGDIOBJ m_hOldBrush = nullptr;
};

// A memory DC compatible with a reference DC (null: the screen) with a bitmap selected.
class CXTPCompatibleDC : public CDC
{
public:
    CXTPCompatibleDC(CDC* pDC, CBitmap* pBitmap);
    CXTPCompatibleDC(CDC* pDC, HBITMAP hBitmap);
    ~CXTPCompatibleDC() override;

protected:
    HGDIOBJ m_hOldBitmap = nullptr;
};
