// Image handles, the shared strips, and reading icon images from resources.
#include "toolkit/common/images/XTPImageManager.h"

#include "framework/AppGlobals.h"
#include "toolkit/common/images/XTPImageManagerData.h"

#include <cstring>
#include <vector>

namespace
{
const BYTE* RowOf(const BYTE* pBits, int nWidth, int nHeight, int y, BOOL bTopDown)
{
    int nRow = bTopDown ? y : nHeight - 1 - y;
    return pBits + static_cast<size_t>(nRow) * nWidth * 4;
}

} // namespace

// ---- CXTPImageHandle

CXTPImageHandle::CXTPImageHandle()
    : m_hIcon(nullptr), m_hBitmap(nullptr), m_pBits(nullptr), m_bOwn(FALSE), m_pImageManager(nullptr),
      m_pRInfo(nullptr), m_szIcon(0, 0)
{
}

CXTPImageHandle::~CXTPImageHandle()
{
    Clear();
}

BOOL CXTPImageHandle::IsEmpty() const
{
    return (!m_hIcon && !m_hBitmap && !m_pRInfo) || (m_szIcon.cx == 0 && m_szIcon.cy == 0);
}

BOOL CXTPImageHandle::IsAlpha() const
{
    return m_hBitmap != nullptr || (m_pRInfo && m_pRInfo->bAlpha);
}

void CXTPImageHandle::Clear()
{
    if (m_pRInfo)
    {
        if (m_pRInfo->pResource)
            m_pRInfo->pResource->Free(m_pRInfo);
        else
            delete m_pRInfo; // its strip was destroyed first
    }
    if (m_bOwn)
    {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
    }
    m_hIcon = nullptr;
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_pRInfo = nullptr;
    m_bOwn = FALSE;
    m_szIcon = CSize(0, 0);
}

void CXTPImageHandle::UpdateExtent()
{
    m_szIcon = CSize(0, 0);
    if (m_pRInfo)
    {
        if (m_pRInfo->pResource)
            m_szIcon = m_pRInfo->pResource->GetExtent();
    }
    else if (m_hIcon)
    {
        m_szIcon = GetIconSize(m_hIcon);
    }
    else if (m_hBitmap)
    {
        BITMAP bm;
        if (::GetObjectA(m_hBitmap, sizeof(bm), &bm) == sizeof(bm))
            m_szIcon = CSize(bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight);
    }
}

void CXTPImageHandle::SetIcon(HICON hIcon, BOOL bOwn)
{
    Clear();
    m_hIcon = hIcon;
    m_bOwn = hIcon ? bOwn : FALSE;
    UpdateExtent();
}

void CXTPImageHandle::SetBitmap(HBITMAP hBitmap, BOOL bOwn, LPBYTE lpPreMultipliedBits)
{
    Clear();
    m_hBitmap = hBitmap;
    m_pBits = hBitmap ? lpPreMultipliedBits : nullptr;
    m_bOwn = hBitmap ? bOwn : FALSE;
    UpdateExtent();
}

void CXTPImageHandle::Copy(const CXTPImageHandle& handle)
{
    if (&handle == this)
        return;
    Clear();
    if (handle.IsEmpty() || (handle.m_pRInfo && !handle.m_pRInfo->pResource))
        return;
    if (m_pImageManager)
    {
        CXTPImageManagerResource* pResource = m_pImageManager->GetResource(handle.GetExtent());
        if (!pResource)
            return;
        if (handle.m_pRInfo)
        {
            CXTPImageHandle free;
            handle.m_pRInfo->pResource->Extract(handle.m_pRInfo, free);
            m_pRInfo = pResource->Add(free);
        }
        else
        {
            m_pRInfo = pResource->Add(handle);
        }
        if (m_pRInfo)
        {
            m_bOwn = TRUE;
            m_szIcon = handle.GetExtent();
        }
        return;
    }
    if (handle.m_pRInfo)
    {
        handle.m_pRInfo->pResource->Extract(handle.m_pRInfo, *this);
    }
    else if (handle.m_hIcon)
    {
        m_hIcon = ::CopyIcon(handle.m_hIcon);
    }
    else if (handle.m_hBitmap)
    {
        LPBYTE pBits = nullptr;
        m_hBitmap = CopyAlphaBitmap(handle.m_hBitmap, &pBits);
        m_pBits = m_hBitmap && handle.m_pBits ? pBits : nullptr;
    }
    if (m_hIcon || m_hBitmap)
    {
        m_bOwn = TRUE;
        m_szIcon = handle.GetExtent();
    }
}

LPBYTE CXTPImageHandle::PreMultiply()
{
    if (!m_hBitmap)
        return nullptr;
    if (m_pBits)
        return m_pBits;
    LPBYTE pBits = nullptr;
    HBITMAP hPre = PreMultiplyAlphaBitmap(m_hBitmap, nullptr, &pBits);
    if (!hPre)
        return nullptr;
    if (m_bOwn)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hPre;
    m_pBits = pBits;
    m_bOwn = TRUE;
    return m_pBits;
}

BOOL CXTPImageHandle::LoadFromResource(HMODULE hModule, LPCSTR lpszResourceName, int cx, int cy, BOOL bGroup)
{
    Clear();
    const BYTE* pData;
    size_t nSize;
    if (bGroup && XTPGetResourceData(hModule, lpszResourceName, RT_GROUP_ICON, pData, nSize))
    {
        std::vector<XTP_GROUP_ICON_ENTRY> entries;
        if (XTPParseGroupIcon(pData, nSize, entries))
        {
            for (size_t i = entries.size(); i-- > 0;)
            {
                if (entries[i].nWidth == cx && entries[i].nHeight == cy &&
                    LoadFromResource(hModule, MAKEINTRESOURCEA(entries[i].nID), cx, cy, FALSE))
                    return TRUE;
            }
        }
    }
    if (XTPGetResourceData(hModule, lpszResourceName, RT_ICON, pData, nSize))
        XTPHandleFromIconImage(pData, nSize, cx, cy, *this);
    return !IsEmpty();
}

BOOL CXTPImageHandle::LoadIcon(LPCSTR lpszResourceName, int cx, int cy, BOOL bGroup)
{
    HMODULE hModule = AfxFindResourceHandle(lpszResourceName, bGroup ? RT_GROUP_ICON : RT_ICON);
    return LoadFromResource(hModule, lpszResourceName, cx, cy, bGroup);
}

// ---- icon images

BOOL XTPParseGroupIcon(const BYTE* pData, size_t nSize, std::vector<XTP_GROUP_ICON_ENTRY>& entries)
{
    entries.clear();
    if (!pData || nSize < 6)
        return FALSE;
    WORD wType, wCount;
    std::memcpy(&wType, pData + 2, 2);
    std::memcpy(&wCount, pData + 4, 2);
    if (wType != 1 || wCount == 0 || static_cast<size_t>(wCount) * 14 > nSize - 6)
        return FALSE;
    for (WORD i = 0; i < wCount; i++)
    {
        const BYTE* p = pData + 6 + static_cast<size_t>(i) * 14;
        XTP_GROUP_ICON_ENTRY entry;
        entry.nWidth = p[0] ? p[0] : 256;
        entry.nHeight = p[1] ? p[1] : 256;
        std::memcpy(&entry.nID, p + 12, 2);
        entries.push_back(entry);
    }
    return TRUE;
}

BOOL XTPHandleFromIconImage(const BYTE* pData, size_t nSize, int cx, int cy, CXTPImageHandle& handle)
{
    handle.Clear();
    if (!pData)
        return FALSE;
    if (XTPIsPngData(pData, nSize))
    {
        HBITMAP hBitmap = XTPDecodePngData(pData, nSize, nullptr);
        if (hBitmap)
            handle.SetBitmap(hBitmap, TRUE);
        return !handle.IsEmpty();
    }
    if (nSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, pData, sizeof(bih));
    // The header's height covers the colour image and the AND mask.
    if (bih.biHeight <= 0 || bih.biHeight % 2 != 0)
        return FALSE;
    BITMAPINFOHEADER colour = bih;
    colour.biHeight = bih.biHeight / 2;
    XTP_DIB_LAYOUT layout;
    if (!XTPGetDibLayout(colour, nSize, layout))
        return FALSE;
    size_t nMaskBytes = static_cast<size_t>((layout.nWidth + 31) / 32) * 4 * layout.nHeight;
    if (bih.biBitCount == 32)
    {
        if (layout.nImageBytes > nSize - layout.nHeaderBytes)
            return FALSE;
        LPBYTE pBits = nullptr;
        HBITMAP hBitmap = CreateDIBSection32(nullptr, layout.nWidth, layout.nHeight, &pBits);
        if (!hBitmap)
            return FALSE;
        std::memcpy(pBits, pData + layout.nHeaderBytes, layout.nImageBytes);
        handle.SetBitmap(hBitmap, TRUE);
        return !handle.IsEmpty();
    }
    // The system reads the rest; it only gets data whose image and mask fit.
    if (layout.nImageBytes > nSize - layout.nHeaderBytes ||
        nMaskBytes > nSize - layout.nHeaderBytes - layout.nImageBytes || nSize > 0x7FFFFFFF)
        return FALSE;
    HICON hIcon = ::CreateIconFromResourceEx(const_cast<PBYTE>(pData), static_cast<DWORD>(nSize), TRUE, 0x30000, cx,
                                             cy, 0);
    if (hIcon)
        handle.SetIcon(hIcon, TRUE);
    return !handle.IsEmpty();
}

// ---- CXTPImageManagerResource

void CXTPImageManagerResource::CBitmapDC::SetBitmap(HBITMAP hBitmap)
{
    if (!m_hDC)
        return;
    if (hBitmap)
    {
        HGDIOBJ hOld = ::SelectObject(m_hDC, hBitmap);
        if (!m_hOldBitmap)
            m_hOldBitmap = hOld;
    }
    else if (m_hOldBitmap)
    {
        ::SelectObject(m_hDC, m_hOldBitmap);
        m_hOldBitmap = nullptr;
    }
}

CXTPImageManagerResource::CXTPImageManagerResource(CXTPImageManager* pImageManager, CSize szIcon)
    : m_pImageManager(pImageManager), m_szIcon(szIcon), m_hbmpImage(nullptr), m_pBits(nullptr), m_hbmpMask(nullptr),
      m_nAllocWidth(0), m_nCapacityWidth(0)
{
    ::InitializeCriticalSection(&m_cs);
}

CXTPImageManagerResource::~CXTPImageManagerResource()
{
    for (INT_PTR i = 0; i < m_arrAlloc.GetSize(); i++)
    {
        // A handle still holding a cell would free it later: detach it from this strip first.
        m_arrAlloc[i]->pResource = nullptr;
    }
    for (INT_PTR i = 0; i < m_arrFree.GetSize(); i++)
        delete m_arrFree[i];
    m_arrFree.RemoveAll();
    DestroyBitmaps();
    ::DeleteCriticalSection(&m_cs);
}

void CXTPImageManagerResource::DestroyBitmaps()
{
    m_dc.SetBitmap(nullptr);
    if (m_hbmpImage)
        ::DeleteObject(m_hbmpImage);
    if (m_hbmpMask)
        ::DeleteObject(m_hbmpMask);
    m_hbmpImage = nullptr;
    m_hbmpMask = nullptr;
    m_pBits = nullptr;
    m_nAllocWidth = 0;
    m_nCapacityWidth = 0;
}

LPBYTE CXTPImageManagerResource::PixelAt(int x, int y) const
{
    return m_pBits + (static_cast<size_t>(m_szIcon.cy - 1 - y) * m_nCapacityWidth + x) * 4;
}

BOOL CXTPImageManagerResource::Reallocate(int nWidth)
{
    const int cy = m_szIcon.cy;
    LPBYTE pNewBits = nullptr;
    HBITMAP hNewImage = CreateDIBSection32(nullptr, nWidth, cy, &pNewBits);
    HBITMAP hNewMask = hNewImage ? ::CreateBitmap(nWidth, cy, 1, 1, nullptr) : nullptr;
    if (!hNewMask)
    {
        if (hNewImage)
            ::DeleteObject(hNewImage);
        return FALSE;
    }
    if (!m_dc.GetSafeHdc())
        m_dc.Attach(::CreateCompatibleDC(nullptr));
    m_dc.SetBitmap(nullptr);
    ::GdiFlush();
    if (m_hbmpImage)
    {
        // Both strips are bottom-up and equally tall: memory row r of one is row r of the other.
        // Only the cells handed out are copied; the spare room holds nothing yet.
        for (int r = 0; r < cy; r++)
            std::memcpy(pNewBits + static_cast<size_t>(r) * nWidth * 4,
                        m_pBits + static_cast<size_t>(r) * m_nCapacityWidth * 4,
                        static_cast<size_t>(m_nAllocWidth) * 4);
        HDC hdcNew = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOldNew = ::SelectObject(hdcNew, hNewMask);
        HGDIOBJ hOldDC = ::SelectObject(m_dc.GetSafeHdc(), m_hbmpMask);
        ::BitBlt(hdcNew, 0, 0, m_nAllocWidth, cy, m_dc.GetSafeHdc(), 0, 0, SRCCOPY);
        ::SelectObject(m_dc.GetSafeHdc(), hOldDC);
        ::SelectObject(hdcNew, hOldNew);
        ::DeleteDC(hdcNew);
        ::DeleteObject(m_hbmpImage);
        ::DeleteObject(m_hbmpMask);
    }
    m_hbmpImage = hNewImage;
    m_hbmpMask = hNewMask;
    m_pBits = pNewBits;
    m_nCapacityWidth = nWidth;
    return TRUE;
}

BOOL CXTPImageManagerResource::TrimToStrip()
{
    if (!m_hbmpImage || m_nCapacityWidth == m_nAllocWidth)
        return TRUE;
    return Reallocate(m_nAllocWidth);
}

HBITMAP CXTPImageManagerResource::GetImageBitmap()
{
    ::EnterCriticalSection(&m_cs);
    HBITMAP hBitmap = m_hbmpImage && TrimToStrip() ? m_hbmpImage : nullptr;
    ::LeaveCriticalSection(&m_cs);
    return hBitmap;
}

HBITMAP CXTPImageManagerResource::GetMaskBitmap()
{
    ::EnterCriticalSection(&m_cs);
    HBITMAP hBitmap = m_hbmpMask && TrimToStrip() ? m_hbmpMask : nullptr;
    ::LeaveCriticalSection(&m_cs);
    return hBitmap;
}

XTP_IMAGERESOURCE_INFO* CXTPImageManagerResource::AllocCell()
{
    if (m_arrFree.GetSize() > 0)
    {
        XTP_IMAGERESOURCE_INFO* pInfo = m_arrFree[m_arrFree.GetSize() - 1];
        m_arrFree.RemoveAt(m_arrFree.GetSize() - 1);
        m_arrAlloc.Add(pInfo);
        return pInfo;
    }
    const int kMaxStripWidth = XTP_MAX_IMAGE_DIMENSION * 64;
    int cx = m_szIcon.cx, cy = m_szIcon.cy;
    if (cx <= 0 || cy <= 0 || m_nAllocWidth > kMaxStripWidth)
        return nullptr;
    const int nNeeded = m_nAllocWidth + cx;
    if (nNeeded > m_nCapacityWidth)
    {
        // Twice the room (never beyond the widest strip allowed); when that much cannot be had,
        // room for this cell alone.
        int nWidth = m_nCapacityWidth > (kMaxStripWidth + cx) / 2 ? kMaxStripWidth + cx : 2 * m_nCapacityWidth;
        if (nWidth < nNeeded)
            nWidth = nNeeded;
        if (!Reallocate(nWidth) && (nWidth == nNeeded || !Reallocate(nNeeded)))
            return nullptr;
    }
    XTP_IMAGERESOURCE_INFO* pInfo = new XTP_IMAGERESOURCE_INFO;
    pInfo->bAlpha = FALSE;
    pInfo->rc = CRect(m_nAllocWidth, 0, nNeeded, cy);
    pInfo->pResource = this;
    m_nAllocWidth = nNeeded;
    m_arrAlloc.Add(pInfo);
    return pInfo;
}

XTP_IMAGERESOURCE_INFO* CXTPImageManagerResource::Add(const CXTPImageHandle& handle)
{
    if (handle.GetExtent() != m_szIcon || (!handle.m_hIcon && !handle.m_hBitmap))
        return nullptr;
    ::EnterCriticalSection(&m_cs);
    XTP_IMAGERESOURCE_INFO* pInfo = nullptr;
    const int cx = m_szIcon.cx, cy = m_szIcon.cy;

    // Premultiplied pixels to copy into the cell, and the bitmap to delete afterwards.
    HBITMAP hTemp = nullptr;
    const BYTE* pSrc = nullptr;
    BOOL bSrcTopDown = FALSE;
    if (handle.m_hIcon)
    {
        if (CXTPImageManager::GetComCtlVersion() >= MAKELONG(0, 6))
        {
            ICONINFO ii;
            if (::GetIconInfo(handle.m_hIcon, &ii))
            {
                if (ii.hbmColor)
                {
                    BOOL bAlpha = -1;
                    LPBYTE pBits = nullptr;
                    hTemp = PreMultiplyAlphaBitmap(ii.hbmColor, &bAlpha, &pBits);
                    BITMAP bm;
                    if (hTemp && bAlpha == 1 && ::GetObjectA(hTemp, sizeof(bm), &bm) == sizeof(bm) &&
                        bm.bmWidth == cx && bm.bmHeight == cy)
                        pSrc = pBits;
                    ::DeleteObject(ii.hbmColor);
                }
                if (ii.hbmMask)
                    ::DeleteObject(ii.hbmMask);
            }
        }
    }
    else
    {
        // Through GetDIBits, whatever the section's own row order: premultiplied pixels are
        // copied as they are, others premultiplied on the way.
        LPBYTE pBits = nullptr;
        hTemp = handle.m_pBits ? CopyAlphaBitmap(handle.m_hBitmap, &pBits)
                               : PreMultiplyAlphaBitmap(handle.m_hBitmap, nullptr, &pBits);
        pSrc = hTemp ? pBits : nullptr;
    }

    if (pSrc || handle.m_hIcon)
        pInfo = AllocCell();
    if (pInfo)
    {
        if (pSrc)
        {
            ::GdiFlush();
            for (int y = 0; y < cy; y++)
                std::memcpy(PixelAt(pInfo->rc.left, y), RowOf(pSrc, cx, cy, y, bSrcTopDown), static_cast<size_t>(cx) * 4);
            pInfo->bAlpha = TRUE;
        }
        else
        {
            // An icon without real alpha: its colour image and its mask, each onto black.
            HDC hdc = m_dc.GetSafeHdc();
            m_dc.SetBitmap(m_hbmpImage);
            ::PatBlt(hdc, pInfo->rc.left, 0, cx, cy, BLACKNESS);
            ::DrawIconEx(hdc, pInfo->rc.left, 0, handle.m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
            m_dc.SetBitmap(m_hbmpMask);
            ::PatBlt(hdc, pInfo->rc.left, 0, cx, cy, BLACKNESS);
            ::DrawIconEx(hdc, pInfo->rc.left, 0, handle.m_hIcon, cx, cy, 0, nullptr, DI_MASK);
            m_dc.SetBitmap(nullptr);
            pInfo->bAlpha = FALSE;
        }
    }
    if (hTemp)
        ::DeleteObject(hTemp);
    ::LeaveCriticalSection(&m_cs);
    return pInfo;
}

void CXTPImageManagerResource::Extract(const XTP_IMAGERESOURCE_INFO* pInfo, CXTPImageHandle& handle)
{
    handle.Clear();
    if (!pInfo || pInfo->pResource != this || !m_hbmpImage)
        return;
    ::EnterCriticalSection(&m_cs);
    const int cx = m_szIcon.cx, cy = m_szIcon.cy;
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection32(nullptr, cx, cy, &pBits);
    if (hBitmap)
    {
        ::GdiFlush();
        for (int y = 0; y < cy; y++)
            std::memcpy(pBits + static_cast<size_t>(cy - 1 - y) * cx * 4, PixelAt(pInfo->rc.left, y),
                        static_cast<size_t>(cx) * 4);
        if (pInfo->bAlpha)
        {
            handle.SetBitmap(hBitmap, TRUE, pBits);
        }
        else
        {
            HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
            HDC hdcMask = ::CreateCompatibleDC(nullptr);
            HGDIOBJ hOld = ::SelectObject(hdcMask, hMask);
            m_dc.SetBitmap(m_hbmpMask);
            ::BitBlt(hdcMask, 0, 0, cx, cy, m_dc.GetSafeHdc(), pInfo->rc.left, 0, SRCCOPY);
            m_dc.SetBitmap(nullptr);
            ::SelectObject(hdcMask, hOld);
            ::DeleteDC(hdcMask);
            ICONINFO ii = {TRUE, 0, 0, hMask, hBitmap};
            HICON hIcon = ::CreateIconIndirect(&ii);
            ::DeleteObject(hMask);
            ::DeleteObject(hBitmap);
            if (hIcon)
                handle.SetIcon(hIcon, TRUE);
        }
    }
    ::LeaveCriticalSection(&m_cs);
}

void CXTPImageManagerResource::Free(XTP_IMAGERESOURCE_INFO* pInfo)
{
    if (!pInfo)
        return;
    if (pInfo->pResource != this)
        return;
    ::EnterCriticalSection(&m_cs);
    for (INT_PTR i = 0; i < m_arrAlloc.GetSize(); i++)
    {
        if (m_arrAlloc[i] == pInfo)
        {
            m_arrAlloc.RemoveAt(i);
            m_arrFree.Add(pInfo);
            break;
        }
    }
    if (m_arrAlloc.GetSize() == 0 || m_arrFree.GetSize() * m_szIcon.cx >= m_nAllocWidth)
    {
        for (INT_PTR i = 0; i < m_arrFree.GetSize(); i++)
            delete m_arrFree[i];
        m_arrFree.RemoveAll();
        DestroyBitmaps();
    }
    ::LeaveCriticalSection(&m_cs);
}

void CXTPImageManagerResource::Draw(CDC* pDC, const XTP_IMAGERESOURCE_INFO* pInfo, CPoint pt, CSize sz,
                                    BOOL bComposited)
{
    if (!pDC || !pDC->GetSafeHdc() || !pInfo || !m_hbmpImage)
        return;
    ::EnterCriticalSection(&m_cs);
    HDC hdcDest = pDC->GetSafeHdc();
    HDC hdcStrip = m_dc.GetSafeHdc();
    const CRect& rc = pInfo->rc;
    if (pInfo->bAlpha)
    {
        m_dc.SetBitmap(m_hbmpImage);
        CXTPImageManager::AlphaBlend(hdcDest, CRect(pt, sz), hdcStrip, rc);
        m_dc.SetBitmap(nullptr);
    }
    else
    {
        int nOldMode = ::SetStretchBltMode(hdcDest, COLORONCOLOR);
        if (bComposited)
        {
            LPBYTE pBits = nullptr;
            HBITMAP hDib = CreateDIBSection32(nullptr, sz.cx, sz.cy, &pBits);
            if (hDib)
            {
                HDC hdcDib = ::CreateCompatibleDC(hdcDest);
                HGDIOBJ hOld = ::SelectObject(hdcDib, hDib);
                ::SetStretchBltMode(hdcDib, COLORONCOLOR);
                ::SetBkColor(hdcDib, RGB(255, 255, 255));
                ::SetTextColor(hdcDib, RGB(0, 0, 0));
                m_dc.SetBitmap(m_hbmpMask);
                ::StretchBlt(hdcDib, 0, 0, sz.cx, sz.cy, hdcStrip, rc.left, rc.top, rc.Width(), rc.Height(), SRCCOPY);
                ::GdiFlush();
                DWORD* p = reinterpret_cast<DWORD*>(pBits);
                const size_t nPixels = static_cast<size_t>(sz.cx) * sz.cy;
                std::vector<bool> opaque(nPixels);
                for (size_t i = 0; i < nPixels; i++)
                {
                    opaque[i] = (p[i] & 0x00FFFFFF) == 0;
                    p[i] = opaque[i] ? 0xFF000000 : 0;
                }
                m_dc.SetBitmap(m_hbmpImage);
                ::StretchBlt(hdcDib, 0, 0, sz.cx, sz.cy, hdcStrip, rc.left, rc.top, rc.Width(), rc.Height(),
                             SRCINVERT);
                m_dc.SetBitmap(nullptr);
                ::GdiFlush();
                // The alpha byte comes from the mask alone, whatever the colour cell's fourth byte
                // held: opaque where the mask was black, 0 elsewhere.
                for (size_t i = 0; i < nPixels; i++)
                    p[i] = (p[i] & 0x00FFFFFF) | (opaque[i] ? 0xFF000000 : 0);
                CXTPImageManager::AlphaBlend(hdcDest, CRect(pt, sz), hdcDib, CRect(0, 0, sz.cx, sz.cy));
                ::SelectObject(hdcDib, hOld);
                ::DeleteDC(hdcDib);
                ::DeleteObject(hDib);
            }
        }
        else
        {
            CXTPImageManager* pManager = m_pImageManager ? m_pImageManager : XTPImageManager();
            if (pManager->IsMirrored(hdcDest))
            {
                pt.x += sz.cx;
                sz.cx = -sz.cx;
            }
            COLORREF clrOldText = ::SetTextColor(hdcDest, RGB(0, 0, 0));
            COLORREF clrOldBk = ::SetBkColor(hdcDest, RGB(255, 255, 255));
            m_dc.SetBitmap(m_hbmpMask);
            ::StretchBlt(hdcDest, pt.x, pt.y, sz.cx, sz.cy, hdcStrip, rc.left, rc.top, rc.Width(), rc.Height(),
                         SRCAND);
            m_dc.SetBitmap(m_hbmpImage);
            ::StretchBlt(hdcDest, pt.x, pt.y, sz.cx, sz.cy, hdcStrip, rc.left, rc.top, rc.Width(), rc.Height(),
                         SRCINVERT);
            m_dc.SetBitmap(nullptr);
            ::SetTextColor(hdcDest, clrOldText);
            ::SetBkColor(hdcDest, clrOldBk);
        }
        ::SetStretchBltMode(hdcDest, nOldMode);
    }
    ::LeaveCriticalSection(&m_cs);
}
