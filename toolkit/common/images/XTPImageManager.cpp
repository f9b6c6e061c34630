// CXTPImageManager and CXTPImageManagerIconSet: icon sets by command id, lookup by width, and
// adding images from handles, bitmaps, image lists, toolbar, icon resources and .ico files.
#include "toolkit/common/images/XTPImageManager.h"

#include "framework/AppGlobals.h"
#include "toolkit/common/images/XTPImageManagerData.h"
#include "toolkit/common/system/XTPSystemHelpers.h"
#include "toolkit/common/XTPResourceIds.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CXTPImageManager, CCmdTarget)
IMPLEMENT_DYNAMIC(CXTPImageManagerIconSet, CCmdTarget)

// The two clipboard formats are registered when the program starts: this file is linked into
// every program that uses an image manager.
CLIPFORMAT CXTPImageManager::m_nImageClipFormat =
    static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Rododo ToolBar Image"));
CLIPFORMAT CXTPImageManager::m_nAlphaClipFormat =
    static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Alpha Bitmap Image"));

namespace
{
// A .ico directory entry as stored: 16 bytes on every architecture.
#pragma pack(push, 1)
struct ICO_DIRENTRY
{
    BYTE bWidth;
    BYTE bHeight;
    BYTE bColorCount;
    BYTE bReserved;
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwBytesInRes;
    DWORD dwImageOffset;
};
#pragma pack(pop)
static_assert(sizeof(ICO_DIRENTRY) == 16, ".ico entries are 16 bytes");

DWORD g_dwComCtlOverride = 0;
} // namespace

DWORD CXTPImageManager::GetComCtlVersion()
{
    return g_dwComCtlOverride ? g_dwComCtlOverride : CXTPOsVersion::GetComCtlVersion();
}

void CXTPImageManager::SetComCtlVersion(DWORD dwVersion)
{
    g_dwComCtlOverride = dwVersion;
}

// ---- CXTPImageManagerIconSet

CXTPImageManagerIconSet::CXTPImageManagerIconSet(UINT nID, CXTPImageManager* pImageManager)
    : m_nID(nID), m_pImageManager(pImageManager), m_mapIcons(10)
{
}

CXTPImageManagerIconSet::~CXTPImageManagerIconSet()
{
    RemoveAll();
}

CXTPImageManagerIcon* CXTPImageManagerIconSet::GetIcon(UINT nWidth, BOOL bScaled)
{
    if (m_mapIcons.IsEmpty())
        return nullptr;
    CXTPImageManagerIcon* pIcon = nullptr;
    if (nWidth != 0 && nWidth != 1)
    {
        if (m_mapIcons.Lookup(nWidth, pIcon))
            return pIcon;
        if (!bScaled)
            return nullptr;
    }
    // Ascending widths: on a tie the smaller icon, which is visited first, stays.
    std::vector<UINT> widths;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos)
    {
        UINT nKey;
        CXTPImageManagerIcon* p;
        m_mapIcons.GetNextAssoc(pos, nKey, p);
        widths.push_back(nKey);
    }
    std::sort(widths.begin(), widths.end());
    UINT nBest = widths.front();
    if (nWidth == 1)
    {
        nBest = widths.back();
    }
    else if (nWidth != 0)
    {
        long long nBestDiff = -1;
        for (UINT nKey : widths)
        {
            long long nDiff = static_cast<long long>(nKey) - nWidth;
            if (nDiff < 0)
                nDiff = -nDiff;
            if (nBestDiff < 0 || nDiff < nBestDiff)
            {
                nBestDiff = nDiff;
                nBest = nKey;
            }
        }
    }
    m_mapIcons.Lookup(nBest, pIcon);
    return pIcon;
}

CXTPImageManagerIcon* CXTPImageManagerIconSet::GetIconByWidth(UINT nWidth)
{
    CXTPImageManagerIcon* pIcon = nullptr;
    if (m_mapIcons.Lookup(nWidth, pIcon))
        return pIcon;
    pIcon = new CXTPImageManagerIcon(m_nID, static_cast<int>(nWidth), 15, this);
    m_mapIcons[nWidth] = pIcon;
    return pIcon;
}

void CXTPImageManagerIconSet::SetIcon(const CXTPImageHandle& hIcon, UINT nWidth)
{
    GetIconByWidth(nWidth)->SetNormalIcon(hIcon);
}

void CXTPImageManagerIconSet::SetDisabledIcon(const CXTPImageHandle& hIcon, UINT nWidth)
{
    GetIconByWidth(nWidth)->SetDisabledIcon(hIcon);
}

void CXTPImageManagerIconSet::SetHotIcon(const CXTPImageHandle& hIcon, UINT nWidth)
{
    GetIconByWidth(nWidth)->SetHotIcon(hIcon);
}

void CXTPImageManagerIconSet::SetCheckedIcon(const CXTPImageHandle& hIcon, UINT nWidth)
{
    GetIconByWidth(nWidth)->SetCheckedIcon(hIcon);
}

void CXTPImageManagerIconSet::SetPressedIcon(const CXTPImageHandle& hIcon, UINT nWidth)
{
    GetIconByWidth(nWidth)->SetPressedIcon(hIcon);
}

void CXTPImageManagerIconSet::RemoveAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos)
    {
        UINT nKey;
        CXTPImageManagerIcon* pIcon;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        pIcon->Clear();
        pIcon->m_pIconSet = nullptr;
        pIcon->InternalRelease();
    }
    m_mapIcons.RemoveAll();
}

void CXTPImageManagerIconSet::RefreshAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos)
    {
        UINT nKey;
        CXTPImageManagerIcon* pIcon;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        pIcon->ResetDerived();
    }
}

// ---- CXTPImageManager

CXTPImageManager::CXTPImageManager() : m_mapImages(10), m_mapResources(10), m_clrMask((COLORREF)-1), m_nMirrorMode(2)
{
    m_mapImages.InitHashTable(127);
}

CXTPImageManager::~CXTPImageManager()
{
    RemoveAll();
}

CXTPImageManager* XTPImageManager()
{
    static CXTPImageManager s_imageManager;
    return &s_imageManager;
}

CXTPImageManagerIconSet* CXTPImageManager::GetIconSet(UINT nCommand) const
{
    CXTPImageManagerIconSet* pIconSet = nullptr;
    return m_mapImages.Lookup(nCommand, pIconSet) ? pIconSet : nullptr;
}

CXTPImageManagerIcon* CXTPImageManager::GetImage(UINT nCommand, int nWidth) const
{
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    return pIconSet ? pIconSet->GetIcon(static_cast<UINT>(nWidth), TRUE) : nullptr;
}

BOOL CXTPImageManager::IconExists(UINT nCommand, int nWidth) const
{
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    return pIconSet && pIconSet->GetIcon(static_cast<UINT>(nWidth), FALSE) != nullptr;
}

COLORREF CXTPImageManager::SetMaskColor(COLORREF clrMask)
{
    COLORREF clrOld = m_clrMask;
    m_clrMask = clrMask;
    return clrOld;
}

CXTPImageManagerResource* CXTPImageManager::GetResource(CSize szIcon)
{
    if (szIcon.cx <= 0 || szIcon.cy <= 0 || szIcon.cx > 0xFFFF || szIcon.cy > 0xFFFF)
        return nullptr;
    DWORD dwKey = (static_cast<DWORD>(szIcon.cy) << 16) | (static_cast<DWORD>(szIcon.cx) & 0xFFFF);
    CXTPImageManagerResource* pResource = nullptr;
    if (!m_mapResources.Lookup(dwKey, pResource))
    {
        pResource = new CXTPImageManagerResource(this, szIcon);
        m_mapResources[dwKey] = pResource;
    }
    return pResource;
}

void CXTPImageManager::RemoveAll()
{
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos)
    {
        UINT nKey;
        CXTPImageManagerIconSet* pIconSet;
        m_mapImages.GetNextAssoc(pos, nKey, pIconSet);
        pIconSet->RemoveAll();
        pIconSet->m_pImageManager = nullptr;
        pIconSet->InternalRelease();
    }
    m_mapImages.RemoveAll();

    pos = m_mapResources.GetStartPosition();
    while (pos)
    {
        DWORD dwKey;
        CXTPImageManagerResource* pResource;
        m_mapResources.GetNextAssoc(pos, dwKey, pResource);
        delete pResource;
    }
    m_mapResources.RemoveAll();
}

void CXTPImageManager::RefreshAll()
{
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos)
    {
        UINT nKey;
        CXTPImageManagerIconSet* pIconSet;
        m_mapImages.GetNextAssoc(pos, nKey, pIconSet);
        pIconSet->RefreshAll();
    }
}

BOOL CXTPImageManager::SetIcon(const CXTPImageHandle& hIcon, UINT nCommand, int cx, int cy, int nState)
{
    if (hIcon.IsEmpty())
        return FALSE;
    if (cx == 0 && cy == 0)
    {
        CSize sz = hIcon.GetExtent();
        cx = sz.cx;
        cy = sz.cy;
        if (cx == 0 && cy == 0)
            return FALSE;
    }
    UINT nWidth = static_cast<UINT>(cx);
    CXTPImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    if (pIconSet)
    {
        switch (nState)
        {
        case xtpImageNormal:
            pIconSet->SetIcon(hIcon, nWidth);
            break;
        case xtpImageDisabled:
            pIconSet->SetDisabledIcon(hIcon, nWidth);
            break;
        case xtpImageHot:
            pIconSet->SetHotIcon(hIcon, nWidth);
            break;
        case xtpImageChecked:
            pIconSet->SetCheckedIcon(hIcon, nWidth);
            break;
        case xtpImagePressed:
            pIconSet->SetPressedIcon(hIcon, nWidth);
            break;
        default:
            break;
        }
        return TRUE;
    }
    if (nState != xtpImageNormal)
        return FALSE;
    pIconSet = new CXTPImageManagerIconSet(nCommand, this);
    pIconSet->SetIcon(hIcon, nWidth);
    m_mapImages[nCommand] = pIconSet;
    return TRUE;
}

BOOL CXTPImageManager::SetIcon(HICON hIcon, UINT nCommand, int cx, int cy, int nState)
{
    CXTPImageHandle handle;
    handle.SetIcon(hIcon, FALSE);
    return SetIcon(handle, nCommand, cx, cy, nState);
}

BOOL CXTPImageManager::SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, int cx, int cy,
                                          int nState, BOOL bAlpha)
{
    BITMAP bm;
    if (!hBitmap || ::GetObjectA(hBitmap, sizeof(bm), &bm) != sizeof(bm) || nCount < 0)
        return FALSE;
    int nHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    if (cx == 0 && cy == 0 && nCount > 0)
    {
        cx = bm.bmWidth / nCount;
        cy = nHeight;
    }
    else if (nCount == 0 && cx > 0)
    {
        nCount = bm.bmWidth / cx;
    }
    if (cx <= 0 || cy < 0)
        return FALSE;
    if (cy == 0)
        cy = nHeight;
    if (bAlpha)
        return SetAlphaIconsFromBitmap(hBitmap, pCommands, nCount, cx, cy, nState);

    CImageList list;
    if (!list.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 1))
        return FALSE;
    COLORREF clrMask = m_clrMask;
    if (clrMask == (COLORREF)-1)
    {
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
        clrMask = ::GetPixel(hdc, 0, 0);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
    }
    if (::ImageList_AddMasked(list.GetSafeHandle(), hBitmap, clrMask) < 0)
        return FALSE;
    return SetIconsFromImageList(&list, pCommands, nCount, cx, cy, nState);
}

BOOL CXTPImageManager::SetAlphaIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, int cx, int cy,
                                               int nState)
{
    PBITMAPINFO pbmi = nullptr;
    LPVOID pvBits = nullptr;
    UINT nSize = 0;
    if (!GetBitmapBits32(nullptr, hBitmap, pbmi, pvBits, nSize))
        return FALSE;
    const int nWidth = pbmi->bmiHeader.biWidth, nHeight = pbmi->bmiHeader.biHeight;
    if (nWidth % cx != 0)
    {
        std::free(pbmi);
        std::free(pvBits);
        return FALSE;
    }
    const int nCells = nWidth / cx;
    std::vector<HBITMAP> cells;
    for (int i = 0; i < nCells; i++)
    {
        LPBYTE pCell = nullptr;
        HBITMAP hCell = CreateDIBSection32(nullptr, cx, nHeight, &pCell);
        if (!hCell)
            break;
        const BYTE* pSrc = static_cast<const BYTE*>(pvBits);
        for (int r = 0; r < nHeight; r++)
            std::memcpy(pCell + static_cast<size_t>(r) * cx * 4,
                        pSrc + (static_cast<size_t>(r) * nWidth + static_cast<size_t>(i) * cx) * 4,
                        static_cast<size_t>(cx) * 4);
        cells.push_back(hCell);
    }
    std::free(pbmi);
    std::free(pvBits);

    size_t nNext = 0;
    for (int j = 0; j < nCount; j++)
    {
        if (pCommands && nCount != nCells && (pCommands[j] == 0 || pCommands[j] == XTP_IMAGE_SKIP_ID))
            continue;
        if (nNext >= cells.size())
            continue;
        CXTPImageHandle handle;
        handle.SetBitmap(cells[nNext++], FALSE);
        SetIcon(handle, pCommands ? pCommands[j] : static_cast<UINT>(j), cx, cy, nState);
    }
    for (HBITMAP hCell : cells)
        ::DeleteObject(hCell);
    return TRUE;
}

BOOL CXTPImageManager::SetIconsFromImageList(CImageList* pImageList, const UINT* pCommands, int nCount, int cx,
                                             int cy, int nState)
{
    if (!pImageList || !pImageList->GetSafeHandle() || nCount < 0)
        return FALSE;
    HIMAGELIST hList = pImageList->GetSafeHandle();
    int nImages = ::ImageList_GetImageCount(hList);
    if (!pCommands && nCount == 0)
        nCount = nImages;
    if (cx == 0 && cy == 0 && nCount > 0)
    {
        IMAGEINFO info;
        if (!::ImageList_GetImageInfo(hList, 0, &info))
            return FALSE;
        cx = info.rcImage.right - info.rcImage.left;
        cy = info.rcImage.bottom - info.rcImage.top;
    }
    int nNext = 0;
    for (int j = 0; j < nCount; j++)
    {
        if (pCommands && nCount != nImages && (pCommands[j] == 0 || pCommands[j] == XTP_IMAGE_SKIP_ID))
            continue;
        HICON hIcon = nNext < nImages ? ::ImageList_GetIcon(hList, nNext, ILD_NORMAL) : nullptr;
        nNext++;
        if (!hIcon)
            return FALSE;
        CXTPImageHandle handle;
        handle.SetIcon(hIcon, FALSE);
        SetIcon(handle, pCommands ? pCommands[j] : static_cast<UINT>(j), cx, cy, nState);
        handle.Clear();
        ::DestroyIcon(hIcon);
    }
    return TRUE;
}

BOOL CXTPImageManager::SetIconsFromResourceName(LPCSTR lpszResourceBitmap, const UINT* pCommands, int nCount, int cx,
                                                int cy, int nState)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFromAppResources(lpszResourceBitmap, &bAlpha);
    if (!hBitmap)
        return FALSE;
    BOOL bResult = SetIconsFromBitmap(hBitmap, pCommands, nCount, cx, cy, nState, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CXTPImageManager::SetIconsFromResourceId(UINT nIDResourceBitmap, const UINT* pCommands, int nCount, int cx,
                                              int cy, int nState)
{
    return SetIconsFromResourceName(MAKEINTRESOURCEA(nIDResourceBitmap), pCommands, nCount, cx, cy, nState);
}

BOOL CXTPImageManager::ParseToolbarData(const BYTE* pData, size_t nSize, UINT*& pItems, int& nItems, CSize& szButton,
                                         BOOL bSeparators)
{
    pItems = nullptr;
    nItems = 0;
    if (!pData || nSize < 8)
        return FALSE;
    WORD header[4];
    std::memcpy(header, pData, sizeof(header));
    const WORD wVersion = header[0], wWidth = header[1], wHeight = header[2], wCount = header[3];
    if (wVersion != 1 || wWidth == 0 || wHeight == 0 || wWidth > 1024 || wHeight > 1024 ||
        static_cast<size_t>(wCount) * 2 > nSize - 8)
        return FALSE;
    std::vector<UINT> ids;
    for (WORD i = 0; i < wCount; i++)
    {
        WORD wId;
        std::memcpy(&wId, pData + 8 + static_cast<size_t>(i) * 2, 2);
        if (wId != 0 || bSeparators)
            ids.push_back(wId);
    }
    if (!ids.empty())
    {
        pItems = new UINT[ids.size()];
        std::copy(ids.begin(), ids.end(), pItems);
    }
    nItems = static_cast<int>(ids.size());
    szButton = CSize(wWidth, wHeight);
    return TRUE;
}

BOOL CXTPImageManager::LoadToolbar(UINT nIDResource, UINT*& pItems, int& nItems, CSize& szButton, BOOL bSeparators)
{
    pItems = nullptr;
    nItems = 0;
    if (LOWORD(nIDResource) == 0)
        return FALSE;
    LPCSTR lpszName = MAKEINTRESOURCEA(nIDResource);
    LPCSTR lpszType = MAKEINTRESOURCEA(XTP_RT_TOOLBAR);
    const BYTE* pData;
    size_t nSize;
    if (!XTPGetResourceData(AfxFindResourceHandle(lpszName, lpszType), lpszName, lpszType, pData, nSize))
        return FALSE;
    return ParseToolbarData(pData, nSize, pItems, nItems, szButton, bSeparators);
}

BOOL CXTPImageManager::SetIconsFromToolbarBitmap(UINT nIDResourceToolBar, UINT nIDResourceBitmap, int nState)
{
    UINT* pItems = nullptr;
    int nItems = 0;
    CSize szButton;
    if (!LoadToolbar(nIDResourceToolBar, pItems, nItems, szButton))
        return FALSE;
    BOOL bResult = SetIconsFromResourceId(nIDResourceBitmap, pItems, nItems, 0, 0, nState);
    delete[] pItems;
    return bResult;
}

BOOL CXTPImageManager::SetIconsFromToolbar(UINT nIDResourceToolBar, int nState)
{
    return SetIconsFromToolbarBitmap(nIDResourceToolBar, nIDResourceToolBar, nState);
}

BOOL CXTPImageManager::SetImageListIcons(UINT nIDResourceToolBar, CImageList* pImageList, int nState)
{
    UINT* pItems = nullptr;
    int nItems = 0;
    CSize szButton;
    if (!LoadToolbar(nIDResourceToolBar, pItems, nItems, szButton))
        return FALSE;
    BOOL bResult = SetIconsFromImageList(pImageList, pItems, nItems, szButton.cx, szButton.cy, nState);
    delete[] pItems;
    return bResult;
}

BOOL CXTPImageManager::SetIconFromIconResource(HMODULE hModule, LPCSTR lpszResourceName, UINT nCommand, int cx,
                                               int cy, int nState)
{
    const BYTE* pData;
    size_t nSize;
    if (!XTPGetResourceData(hModule, lpszResourceName, RT_GROUP_ICON, pData, nSize))
    {
        CXTPImageHandle handle;
        return handle.LoadFromResource(hModule, lpszResourceName, cx, cy, FALSE) &&
               SetIcon(handle, nCommand, cx, cy, nState);
    }
    std::vector<XTP_GROUP_ICON_ENTRY> entries;
    if (!XTPParseGroupIcon(pData, nSize, entries))
        return FALSE;
    for (const XTP_GROUP_ICON_ENTRY& entry : entries)
    {
        if ((cx != 0 || cy != 0) && (entry.nWidth != cx || entry.nHeight != cy))
            continue;
        CXTPImageHandle handle;
        if (!handle.LoadFromResource(hModule, MAKEINTRESOURCEA(entry.nID), entry.nWidth, entry.nHeight, FALSE) ||
            !SetIcon(handle, nCommand, entry.nWidth, entry.nHeight, nState))
            return FALSE;
    }
    return TRUE;
}

BOOL CXTPImageManager::SetIconFromResource(LPCSTR lpszResourceName, UINT nCommand, int cx, int cy, int nState)
{
    HMODULE hModule = AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON);
    if (::FindResourceA(hModule, lpszResourceName, RT_GROUP_ICON))
    {
        SetIconFromIconResource(hModule, lpszResourceName, nCommand, cx, cy, nState);
        return TRUE;
    }
    CXTPImageHandle handle;
    if (handle.LoadIcon(lpszResourceName, cx, cy, FALSE))
        return SetIcon(handle, nCommand, cx, cy, nState);
    // Neither kind of icon: a bitmap of that name holds the image.
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapFromAppResources(lpszResourceName, &bAlpha);
    if (!hBitmap)
        return FALSE;
    BOOL bResult = SetIconsFromBitmap(hBitmap, &nCommand, 1, cx, cy, nState, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CXTPImageManager::SetIconFromIcoFile(LPCSTR lpszFileName, UINT nCommand, int cx, int cy, int nState)
{
    CByteArrayBuffer data;
    if (!XTPReadFileBytes(lpszFileName, data))
        return FALSE;
    return SetIconFromIcoData(data.data(), data.size(), nCommand, cx, cy, nState);
}

BOOL CXTPImageManager::SetIconFromIcoData(const BYTE* pData, size_t nSize, UINT nCommand, int cx, int cy, int nState)
{
    if (!pData || nSize < 6)
        return FALSE;
    WORD header[3];
    std::memcpy(header, pData, sizeof(header));
    const WORD wType = header[1], wCount = header[2];
    if (wType != 1 || wCount == 0 || static_cast<size_t>(wCount) * sizeof(ICO_DIRENTRY) > nSize - 6)
        return FALSE;
    BOOL bSet = FALSE;
    for (WORD i = 0; i < wCount; i++)
    {
        ICO_DIRENTRY entry;
        std::memcpy(&entry, pData + 6 + static_cast<size_t>(i) * sizeof(ICO_DIRENTRY), sizeof(entry));
        int nWidth = entry.bWidth ? entry.bWidth : 256;
        int nHeight = entry.bHeight ? entry.bHeight : 256;
        if ((cx != 0 || cy != 0) && (nWidth != cx || nHeight != cy))
            continue;
        if (entry.dwImageOffset > nSize || entry.dwBytesInRes == 0 || entry.dwBytesInRes > nSize - entry.dwImageOffset)
            continue;
        CXTPImageHandle handle;
        if (XTPHandleFromIconImage(pData + entry.dwImageOffset, entry.dwBytesInRes, nWidth, nHeight, handle) &&
            SetIcon(handle, nCommand, nWidth, nHeight, nState))
            bSet = TRUE;
    }
    return bSet;
}
