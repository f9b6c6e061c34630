#include "toolkit/common/drawing/XTPScopedDC.h"

#include <algorithm>

// ---- CXTPBufferDC

CXTPBufferDC::CXTPBufferDC(HDC hDestDC, const CRect& rcPaint) : m_hDestDC(hDestDC), m_rect(rcPaint)
{
    Create(hDestDC, m_rect.right, m_rect.bottom);
}

CXTPBufferDC::CXTPBufferDC(CPaintDC& paintDC) : m_hDestDC(paintDC.GetSafeHdc()), m_rect(paintDC.m_ps.rcPaint)
{
    Create(m_hDestDC, m_rect.right, m_rect.bottom);
    if (m_hDC)
    {
        HRGN hRgn = ::CreateRectRgnIndirect(&m_rect);
        ::SelectClipRgn(m_hDC, hRgn);
        ::DeleteObject(hRgn);
    }
}

void CXTPBufferDC::Create(HDC hDestDC, int cx, int cy)
{
    if (!hDestDC)
        return;
    // A bitmap of no size would be a 1 × 1 monochrome one; a colour bitmap of one pixel is made instead.
    cx = std::max(cx, 1);
    cy = std::max(cy, 1);
    if (!Attach(::CreateCompatibleDC(hDestDC)))
        return;
    m_hBitmap = ::CreateCompatibleBitmap(hDestDC, cx, cy);
    if (m_hBitmap)
        m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
}

CXTPBufferDC::~CXTPBufferDC()
{
    if (m_hDC && m_hDestDC)
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
                 m_rect.top, SRCCOPY);
    if (m_hDC && m_hOldBitmap)
        ::SelectObject(m_hDC, m_hOldBitmap);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    DeleteDC();
}

void CXTPBufferDC::Discard()
{
    m_hDestDC = nullptr;
}

CDC* CXTPBufferDC::GetDestDC()
{
    return m_hDestDC ? CDC::FromHandle(m_hDestDC) : nullptr;
}

// ---- CXTPBufferDCEx

CXTPBufferDCEx::CXTPBufferDCEx(HDC hDestDC, const CRect& rcPaint) : m_hDestDC(hDestDC), m_rect(rcPaint)
{
    if (!hDestDC || !Attach(::CreateCompatibleDC(hDestDC)))
        return;
    m_hBitmap = ::CreateCompatibleBitmap(hDestDC, std::max(m_rect.Width(), 1), std::max(m_rect.Height(), 1));
    if (m_hBitmap)
        m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
    ::SetViewportOrgEx(m_hDC, -m_rect.left, -m_rect.top, nullptr);
}

CXTPBufferDCEx::~CXTPBufferDCEx()
{
    if (m_hDC)
    {
        ::SetViewportOrgEx(m_hDC, 0, 0, nullptr);
        if (m_hDestDC)
            ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, 0, 0, SRCCOPY);
        if (m_hOldBitmap)
            ::SelectObject(m_hDC, m_hOldBitmap);
    }
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    DeleteDC();
}

// ---- CXTPFontDC

CXTPFontDC::CXTPFontDC(CDC* pDC, CFont* pFont) : m_pDC(pDC)
{
    if (pFont)
        SetFont(pFont);
}

CXTPFontDC::CXTPFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor) : CXTPFontDC(pDC, pFont)
{
    SetColor(clrTextColor);
}

CXTPFontDC::~CXTPFontDC()
{
    ReleaseFont();
    if (m_clrOldTextColor != COLORREF(-1) && m_pDC && m_pDC->GetSafeHdc())
        ::SetTextColor(m_pDC->GetSafeHdc(), m_clrOldTextColor);
}

void CXTPFontDC::SetFont(HFONT hFont)
{
    HDC hDC = m_pDC ? m_pDC->GetSafeHdc() : nullptr;
    if (!hDC || !hFont)
        return;
    HGDIOBJ hPrevious = ::SelectObject(hDC, hFont);
    if (!m_hOldFont)
        m_hOldFont = hPrevious;
}

void CXTPFontDC::SetFont(CFont* pFont)
{
    SetFont(static_cast<HFONT>(pFont ? pFont->GetSafeHandle() : nullptr));
}

void CXTPFontDC::SetColor(COLORREF clrTextColor)
{
    HDC hDC = m_pDC ? m_pDC->GetSafeHdc() : nullptr;
    if (!hDC)
        return;
    const COLORREF clrPrevious = ::SetTextColor(hDC, clrTextColor);
    if (m_clrOldTextColor == COLORREF(-1))
        m_clrOldTextColor = clrPrevious;
}

void CXTPFontDC::SetFontColor(CFont* pFont, COLORREF clrTextColor)
{
    SetFont(pFont);
    SetColor(clrTextColor);
}

HGDIOBJ CXTPFontDC::ReleaseFont()
{
    HGDIOBJ hResult = nullptr;
    HDC hDC = m_pDC ? m_pDC->GetSafeHdc() : nullptr;
    if (m_hOldFont && hDC)
        hResult = ::SelectObject(hDC, m_hOldFont);
    m_hOldFont = nullptr;
    return hResult;
}

// ---- CXTPPenDC

CXTPPenDC::CXTPPenDC(CDC* pDC, CPen* pPen) : m_hDC(pDC ? pDC->GetSafeHdc() : nullptr)
{
    if (m_hDC && pPen && pPen->GetSafeHandle())
        m_hOldPen = ::SelectObject(m_hDC, pPen->GetSafeHandle());
}

CXTPPenDC::CXTPPenDC(HDC hDC, COLORREF clrColor) : m_hDC(hDC)
{
    SetColor(clrColor);
}

CXTPPenDC::~CXTPPenDC()
{
    if (m_hDC && m_hOldPen)
        ::SelectObject(m_hDC, m_hOldPen);
    if (m_hPen)
        ::DeleteObject(m_hPen);
}

void CXTPPenDC::SetColor(COLORREF clrColor)
{
    if (!m_hDC)
        return;
    if (m_hOldPen)
        ::SelectObject(m_hDC, m_hOldPen);
    if (m_hPen)
        ::DeleteObject(m_hPen);
    m_clrColor = clrColor;
    m_hPen = ::CreatePen(PS_SOLID, 1, clrColor);
    m_hOldPen = ::SelectObject(m_hDC, m_hPen);
}

// ---- CXTPBrushDC

CXTPBrushDC::CXTPBrushDC(HDC hDC, COLORREF clrColor) : m_hDC(hDC)
{
    SetColor(clrColor);
}

CXTPBrushDC::~CXTPBrushDC()
{
    if (m_hDC && m_hOldBrush)
        ::SelectObject(m_hDC, m_hOldBrush);
    if (m_hBrush)
        ::DeleteObject(m_hBrush);
}

void CXTPBrushDC::SetColor(COLORREF clrColor)
{
    if (!m_hDC)
        return;
    if (m_hOldBrush)
        ::SelectObject(m_hDC, m_hOldBrush);
    if (m_hBrush)
        ::DeleteObject(m_hBrush);
    m_hBrush = ::CreateSolidBrush(clrColor);
    m_hOldBrush = ::SelectObject(m_hDC, m_hBrush);
}

// ---- CXTPCompatibleDC

CXTPCompatibleDC::CXTPCompatibleDC(CDC* pDC, CBitmap* pBitmap)
    : CXTPCompatibleDC(pDC, static_cast<HBITMAP>(pBitmap ? pBitmap->GetSafeHandle() : nullptr))
{
}

CXTPCompatibleDC::CXTPCompatibleDC(CDC* pDC, HBITMAP hBitmap)
{
    if (!Attach(::CreateCompatibleDC(pDC ? pDC->GetSafeHdc() : nullptr)))
        return;
    if (hBitmap)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CXTPCompatibleDC::~CXTPCompatibleDC()
{
    if (m_hDC && m_hOldBitmap)
        ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
}
