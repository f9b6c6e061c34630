// CXTPImageManagerIcon: the image slots of one icon, the generated disabled, faded and shadow
// looks, and drawing.
#include "toolkit/common/images/XTPImageManager.h"

#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/images/XTPImageManagerData.h"

#include <cmath>

IMPLEMENT_DYNAMIC(CXTPImageManagerIcon, CCmdTarget)

double CXTPImageManagerIcon::m_dDisabledBrightnessFactor = 0.5;
double CXTPImageManagerIcon::m_dDisabledAlphaFactor = 1.0;

namespace
{
BYTE ClampByte(double v)
{
    return static_cast<BYTE>(v <= 0 ? 0 : v >= 255 ? 255 : static_cast<int>(v));
}

double Luminance(int r, int g, int b)
{
    return (0.299 * r + 0.587 * g + 0.114 * b) / 255.0;
}

// Calls fn(pixel) for every pixel of the handle's premultiplied 32-bit bitmap.
template <typename FN> BOOL ForEachAlphaPixel(CXTPImageHandle& handle, FN fn)
{
    LPBYTE pBits = handle.PreMultiply();
    BITMAP bm;
    if (!pBits || ::GetObjectA(handle.GetBitmap(), sizeof(bm), &bm) != sizeof(bm))
        return FALSE;
    ::GdiFlush();
    size_t nPixels = static_cast<size_t>(bm.bmWidth) * (bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight);
    for (size_t i = 0; i < nPixels; i++)
        fn(pBits + i * 4);
    return TRUE;
}

// A new icon whose colour pixels under the black (opaque) part of the mask are replaced by
// fn(colour); pixels are read and written through GDI, icons being small.
template <typename FN> HICON TransformIcon(HICON hIcon, FN fn)
{
    ICONINFO ii;
    if (!hIcon || !::GetIconInfo(hIcon, &ii))
        return nullptr;
    HICON hResult = nullptr;
    BITMAP bm;
    if (ii.hbmColor && ii.hbmMask && ::GetObjectA(ii.hbmColor, sizeof(bm), &bm) == sizeof(bm))
    {
        HDC hdcColor = ::CreateCompatibleDC(nullptr);
        HDC hdcMask = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOldColor = ::SelectObject(hdcColor, ii.hbmColor);
        HGDIOBJ hOldMask = ::SelectObject(hdcMask, ii.hbmMask);
        for (int y = 0; y < bm.bmHeight; y++)
        {
            for (int x = 0; x < bm.bmWidth; x++)
            {
                if (::GetPixel(hdcMask, x, y) == RGB(0, 0, 0))
                    ::SetPixelV(hdcColor, x, y, fn(::GetPixel(hdcColor, x, y)));
            }
        }
        ::SelectObject(hdcColor, hOldColor);
        ::SelectObject(hdcMask, hOldMask);
        ::DeleteDC(hdcColor);
        ::DeleteDC(hdcMask);
        hResult = ::CreateIconIndirect(&ii);
    }
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
    return hResult;
}
} // namespace

CXTPImageManagerIcon::CXTPImageManagerIcon(UINT nID, int nWidth, int nHeight, CXTPImageManagerIconSet* pIconSet)
    : m_bDrawComposited(FALSE), m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(pIconSet)
{
    InitSlots();
}

CXTPImageManagerIcon::~CXTPImageManagerIcon()
{
    Clear();
}

void CXTPImageManagerIcon::InitSlots()
{
    CXTPImageManager* pManager = m_pIconSet ? m_pIconSet->GetImageManager() : nullptr;
    CXTPImageHandle* slots[] = {&m_hImage,   &m_hFaded,    &m_hShadow,   &m_hHot,
                                &m_hChecked, &m_hPressed, &m_hDisabled, &m_hDisabledAuto};
    for (CXTPImageHandle* pSlot : slots)
        pSlot->SetImageManager(pManager);
}

CSize CXTPImageManagerIcon::GetExtent() const
{
    return m_hImage.GetExtent();
}

void CXTPImageManagerIcon::Clear()
{
    CXTPImageHandle* slots[] = {&m_hImage,   &m_hFaded,    &m_hShadow,   &m_hHot,
                                &m_hChecked, &m_hPressed, &m_hDisabled, &m_hDisabledAuto};
    for (CXTPImageHandle* pSlot : slots)
        pSlot->Clear();
}

void CXTPImageManagerIcon::ResetDerived()
{
    m_hFaded.Clear();
    m_hShadow.Clear();
    m_hDisabledAuto.Clear();
}

void CXTPImageManagerIcon::SetNormalIcon(const CXTPImageHandle& hIcon)
{
    Clear();
    m_hImage.Copy(hIcon);
    if (!m_hImage.IsEmpty())
    {
        CSize sz = m_hImage.GetExtent();
        m_nWidth = sz.cx;
        m_nHeight = sz.cy;
    }
    if (m_pIconSet)
        m_pIconSet->RefreshAll();
}

void CXTPImageManagerIcon::SetHotIcon(const CXTPImageHandle& hIcon)
{
    ResetDerived();
    m_hHot.Copy(hIcon);
}

void CXTPImageManagerIcon::SetCheckedIcon(const CXTPImageHandle& hIcon)
{
    ResetDerived();
    m_hChecked.Copy(hIcon);
}

void CXTPImageManagerIcon::SetPressedIcon(const CXTPImageHandle& hIcon)
{
    ResetDerived();
    m_hPressed.Copy(hIcon);
}

void CXTPImageManagerIcon::SetDisabledIcon(const CXTPImageHandle& hIcon)
{
    ResetDerived();
    m_hDisabled.Copy(hIcon);
}

CXTPImageHandle& CXTPImageManagerIcon::GetHotImage()
{
    return m_hHot.IsEmpty() ? m_hImage : m_hHot;
}

CXTPImageHandle& CXTPImageManagerIcon::GetCheckedImage()
{
    return m_hChecked.IsEmpty() ? GetHotImage() : m_hChecked;
}

CXTPImageHandle& CXTPImageManagerIcon::GetPressedImage()
{
    return m_hPressed.IsEmpty() ? GetHotImage() : m_hPressed;
}

CXTPImageHandle& CXTPImageManagerIcon::GetDisabledImage(BOOL bGenerate)
{
    if (!m_hDisabled.IsEmpty())
        return m_hDisabled;
    if (m_hDisabledAuto.IsEmpty() && bGenerate)
        CreateDisabledImage();
    return m_hDisabledAuto;
}

CXTPImageHandle& CXTPImageManagerIcon::GetFadedImage()
{
    if (m_hFaded.IsEmpty())
        CreateFadedIcon();
    return m_hFaded.IsEmpty() ? m_hImage : m_hFaded;
}

CXTPImageHandle& CXTPImageManagerIcon::GetShadowImage()
{
    if (m_hShadow.IsEmpty())
        CreateShadowIcon();
    return m_hShadow;
}

CXTPImageHandle& CXTPImageManagerIcon::GetImageByState(int nState)
{
    switch (nState)
    {
    case xtpImageDisabled:
        return GetDisabledImage(TRUE);
    case xtpImageHot:
        return GetHotImage();
    case xtpImageChecked:
        return GetCheckedImage();
    case xtpImagePressed:
        return GetPressedImage();
    default:
        return m_hImage;
    }
}

void CXTPImageManagerIcon::CreateFadedIcon()
{
    if (m_hImage.IsEmpty())
        return;
    CXTPImageHandle handle;
    handle.Copy(m_hImage);
    if (handle.IsAlpha())
    {
        // 30 % toward white, in premultiplied form.
        if (!ForEachAlphaPixel(handle, [](LPBYTE p) {
                int a = p[3];
                if (a == 0)
                    return;
                for (int c = 0; c < 3; c++)
                    p[c] = ClampByte(0.7 * p[c] + 0.3 * a);
            }))
            return;
    }
    else if (!CXTPColorManager::IsLowResolution())
    {
        HICON hFaded = TransformIcon(handle.GetIcon(), [](COLORREF clr) { return LightenColor(clr, 0.3); });
        if (!hFaded)
            return;
        handle.SetIcon(hFaded, TRUE);
    }
    m_hFaded.Copy(handle);
}

void CXTPImageManagerIcon::CreateShadowIcon()
{
    if (m_hImage.IsEmpty())
        return;
    // Toolkit colour 31, darkened.
    COLORREF clrBase = GetColorManager()->GetColor(31);
    const int nRed = static_cast<int>(GetRValue(clrBase) * 0.75);
    const int nGreen = static_cast<int>(GetGValue(clrBase) * 0.75);
    const int nBlue = static_cast<int>(GetBValue(clrBase) * 0.75);
    CXTPImageHandle handle;
    handle.Copy(GetHotImage());
    if (handle.IsEmpty())
        return;
    if (handle.IsAlpha())
    {
        if (!ForEachAlphaPixel(handle, [=](LPBYTE p) {
                int a = p[3];
                p[0] = static_cast<BYTE>(nBlue * a / 255);
                p[1] = static_cast<BYTE>(nGreen * a / 255);
                p[2] = static_cast<BYTE>(nRed * a / 255);
            }))
            return;
    }
    else
    {
        COLORREF clrShadow = RGB(nRed, nGreen, nBlue);
        HICON hShadow = TransformIcon(handle.GetIcon(), [=](COLORREF) { return clrShadow; });
        if (!hShadow)
            return;
        handle.SetIcon(hShadow, TRUE);
    }
    m_hShadow.Copy(handle);
}

void CXTPImageManagerIcon::CreateDisabledImage(COLORREF clrLight, COLORREF clrDark)
{
    if (!m_hDisabledAuto.IsEmpty() || m_hImage.IsEmpty())
        return;
    const BOOL bTwoColors = clrLight != (COLORREF)-1 && clrDark != (COLORREF)-1;
    const double dBrightness = m_dDisabledBrightnessFactor;
    const double dAlphaFactor = m_dDisabledAlphaFactor > 0 ? m_dDisabledAlphaFactor : 1.0;
    // The colour of luminance l.
    auto toneOf = [=](double l, int& r, int& g, int& b) {
        if (bTwoColors)
        {
            r = ClampByte(GetRValue(clrDark) * (1 - l) + GetRValue(clrLight) * l);
            g = ClampByte(GetGValue(clrDark) * (1 - l) + GetGValue(clrLight) * l);
            b = ClampByte(GetBValue(clrDark) * (1 - l) + GetBValue(clrLight) * l);
        }
        else
        {
            r = g = b = ClampByte(255 * std::pow(l, dBrightness));
        }
    };

    CXTPImageHandle handle;
    handle.Copy(m_hImage);
    if (handle.IsAlpha())
    {
        if (!ForEachAlphaPixel(handle, [&](LPBYTE p) {
                int a = p[3];
                if (a == 0)
                    return;
                int b0 = p[0] * 255 / a, g0 = p[1] * 255 / a, r0 = p[2] * 255 / a;
                int r, g, b;
                toneOf(Luminance(r0 > 255 ? 255 : r0, g0 > 255 ? 255 : g0, b0 > 255 ? 255 : b0), r, g, b);
                int a2 = bTwoColors ? a : ClampByte(a / dAlphaFactor);
                p[0] = static_cast<BYTE>(b * a2 / 255);
                p[1] = static_cast<BYTE>(g * a2 / 255);
                p[2] = static_cast<BYTE>(r * a2 / 255);
                p[3] = static_cast<BYTE>(a2);
            }))
            return;
    }
    else
    {
        HICON hDisabled = TransformIcon(handle.GetIcon(), [&](COLORREF clr) {
            int r, g, b;
            toneOf(Luminance(GetRValue(clr), GetGValue(clr), GetBValue(clr)), r, g, b);
            return RGB(r, g, b);
        });
        if (!hDisabled)
            return;
        handle.SetIcon(hDisabled, TRUE);
    }
    m_hDisabledAuto.Copy(handle);
}

void CXTPImageManagerIcon::Draw(CDC* pDC, int x, int y, CXTPImageHandle& hImage, int cx, int cy)
{
    if (cx == 0)
        cx = m_nWidth;
    if (cy == 0)
        cy = m_nWidth != 0 ? cx * m_nHeight / m_nWidth : 0;
    hImage.Draw(pDC, x, y, cx, cy, m_bDrawComposited);
}

void CXTPImageManagerIcon::Draw(CDC* pDC, int x, int y, CXTPImageHandle& hImage, int cx, int cy, COLORREF clrColors,
                                UINT nFlags)
{
    if (nFlags & xtpImageDrawMono)
    {
        if (cx == 0)
            cx = m_nWidth;
        if (cy == 0)
            cy = m_nWidth != 0 ? cx * m_nHeight / m_nWidth : 0;
        DrawMono(pDC, x, y, hImage, cx, cy, clrColors);
        return;
    }
    Draw(pDC, x, y, hImage, cx, cy);
}

void CXTPImageManagerIcon::DrawSized(CDC* pDC, int x, int y, int cx, int cy)
{
    Draw(pDC, x, y, m_hImage, cx, cy);
}

void CXTPImageManagerIcon::DrawNormal(CDC* pDC, int x, int y)
{
    Draw(pDC, x, y, m_hImage, 0, 0);
}

void CXTPImageManagerIcon::DrawMono(CDC* pDC, int x, int y, CXTPImageHandle& hImage, int cx, int cy, COLORREF clr)
{
    if (!pDC || !pDC->GetSafeHdc() || hImage.IsAlpha() || hImage.IsEmpty() || cx <= 0 || cy <= 0)
        return;
    HDC hdc = pDC->GetSafeHdc();
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdc, cx, cy);
    if (!hBitmap)
        return;
    {
        CDC dcMem;
        dcMem.Attach(::CreateCompatibleDC(hdc));
        HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hBitmap);
        ::PatBlt(dcMem.GetSafeHdc(), 0, 0, cx, cy, WHITENESS);
        hImage.Draw(&dcMem, 0, 0, cx, cy, FALSE);
        ::SelectObject(dcMem.GetSafeHdc(), hOld);
    }
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    ::DrawStateA(hdc, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, x, y, cx, cy, DST_BITMAP | DSS_MONO);
    ::DeleteObject(hBrush);
    ::DeleteObject(hBitmap);
}
