// The toolkit's store of command icons: CXTPImageManager (icon sets by command id), its icon sets
// (icons by width), icons (eight image slots), image handles, and the shared strip bitmaps that
// hold every stored image of one size. Also the bitmap and icon helpers the toolkit's painters use.
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/Geometry.h"
#include "framework/ImageList.h"
#include "framework/Map.h"

class CArchive;
class CFile;
class CXTPImageManager;
class CXTPImageManagerIcon;
class CXTPImageManagerIconSet;
class CXTPImageManagerResource;
class CXTPPropExchange;

// Image states, numbered alike wherever a state is passed: SetIcon, SetIconsFromBitmap,
// SetIconsFromImageList, SetImageListIcons, GetImageByState.
// SetImageListIcons uses these numbers too (hot = 2, disabled = 1). A description of it that gives
// "0 normal, 1 hot, 2 disabled" is wrong: following it would store hot images as disabled ones
// and disabled images as hot ones.
enum XTPImageState
{
    xtpImageNormal = 0,
    xtpImageDisabled = 1,
    xtpImageHot = 2,
    xtpImageChecked = 3,
    xtpImagePressed = 4
};

// Flags of CXTPImageManagerIcon::Draw with colours and flags.
enum XTPImageDrawFlags
{
    xtpImageDrawDefault = 0, // as the form without colours and flags
    xtpImageDrawMono = 1     // a one-colour silhouette in the given colour (DrawMono)
};

// Ids that SetIconsFromBitmap and SetIconsFromImageList skip (when the id count differs from the
// image count): separators of toolbar id lists.
const UINT XTP_IMAGE_SKIP_ID = 0xDEADBEAF;

// One cell of a shared strip.
struct XTP_IMAGERESOURCE_INFO
{
    // TRUE: the colour cell holds premultiplied 32-bit pixels and the mask is unused; FALSE:
    // colour and mask form an icon.
    BOOL bAlpha;
    // The cell in the strip: left = index x cx, top 0, right = left + cx, bottom = cy.
    CRect rc;
    CXTPImageManagerResource* pResource;
};

// One image: an icon, a 32-bit alpha bitmap or a strip cell.
class CXTPImageHandle
{
public:
    CXTPImageHandle();
    ~CXTPImageHandle();
    CXTPImageHandle(const CXTPImageHandle&) = delete;
    CXTPImageHandle& operator=(const CXTPImageHandle&) = delete;

    // Nothing held, or an extent of 0 x 0.
    BOOL IsEmpty() const;
    // A bitmap, or a cell holding premultiplied pixels.
    BOOL IsAlpha() const;
    CSize GetExtent() const { return m_szIcon; }

    // The owning forms clear the handle and destroy the object later; with bOwn FALSE the caller
    // keeps the object and must keep it alive while the handle refers to it.
    void SetIcon(HICON hIcon, BOOL bOwn = TRUE);
    // lpPreMultipliedBits: the bitmap's pixels when they are premultiplied already, else null
    // (PreMultiply makes a premultiplied copy on first use).
    void SetBitmap(HBITMAP hBitmap, BOOL bOwn = TRUE, LPBYTE lpPreMultipliedBits = nullptr);

    // The handle's images go into this manager's strips when another handle is copied into it.
    void SetImageManager(CXTPImageManager* pImageManager) { m_pImageManager = pImageManager; }
    CXTPImageManager* GetImageManager() const { return m_pImageManager; }

    // Replaces the handle's content by a copy of handle's (into a strip when the handle carries a
    // manager). Copying a handle into itself does nothing.
    void Copy(const CXTPImageHandle& handle);
    // Makes the held bitmap premultiplied (an owned copy) and returns its pixels; null when the
    // handle holds no bitmap or the bitmap is not 32 bits per pixel.
    LPBYTE PreMultiply();
    void Clear();

    // Icon resources: with bGroup and a group-icon resource, the directory entries are tried from
    // the last to the first and the first of exactly cx x cy that loads wins; otherwise the single
    // icon resource of that name is read.
    BOOL LoadFromResource(HMODULE hModule, LPCSTR lpszResourceName, int cx, int cy, BOOL bGroup);
    // The same along the framework's resource modules.
    BOOL LoadIcon(LPCSTR lpszResourceName, int cx, int cy, BOOL bGroup);

    // Premultiplies a held bitmap first (see PreMultiply).
    void Draw(CDC* pDC, int x, int y, int cx, int cy, BOOL bComposited);

    HICON GetIcon() const { return m_hIcon; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    LPBYTE GetBits() const { return m_pBits; }
    BOOL IsOwner() const { return m_bOwn; }
    const XTP_IMAGERESOURCE_INFO* GetResourceInfo() const { return m_pRInfo; }

private:
    void UpdateExtent();

    HICON m_hIcon;
    HBITMAP m_hBitmap;
    LPBYTE m_pBits;
    BOOL m_bOwn;
    CXTPImageManager* m_pImageManager;
    XTP_IMAGERESOURCE_INFO* m_pRInfo;
    CSize m_szIcon;

    friend class CXTPImageManagerResource;
};

// A shared strip: every stored image of one size lives in one cell of its colour bitmap (and mask).
class CXTPImageManagerResource
{
public:
    // A memory DC that selects one bitmap and puts back the one it replaced.
    class CBitmapDC : public CDC
    {
    public:
        CBitmapDC() = default;
        ~CBitmapDC() override { SetBitmap(nullptr); }
        // Selects hBitmap (null: puts back the original bitmap).
        void SetBitmap(HBITMAP hBitmap);

    private:
        HGDIOBJ m_hOldBitmap = nullptr;
    };

    CXTPImageManagerResource(CXTPImageManager* pImageManager, CSize szIcon);
    ~CXTPImageManagerResource();
    CXTPImageManagerResource(const CXTPImageManagerResource&) = delete;
    CXTPImageManagerResource& operator=(const CXTPImageManagerResource&) = delete;

    // Stores the handle's image in a cell; null when the extent differs from the cell size, the
    // handle holds neither icon nor bitmap, or the strip cannot grow.
    XTP_IMAGERESOURCE_INFO* Add(const CXTPImageHandle& handle);
    // A free-standing owning copy of the cell's image.
    void Extract(const XTP_IMAGERESOURCE_INFO* pInfo, CXTPImageHandle& handle);
    // Frees the cell; the last freed cell empties the strip and destroys its bitmaps.
    void Free(XTP_IMAGERESOURCE_INFO* pInfo);
    void Draw(CDC* pDC, const XTP_IMAGERESOURCE_INFO* pInfo, CPoint pt, CSize sz, BOOL bComposited);

    CSize GetExtent() const { return m_szIcon; }
    // The width of every cell handed out (used and freed ones); the spare room is not counted.
    int GetStripWidth() const { return m_nAllocWidth; }
    // The width the strip's bitmaps have room for: at least GetStripWidth. The bitmaps grow to
    // twice their width when a new cell does not fit, so that adding a cell copies the strip only
    // now and then.
    int GetCapacityWidth() const { return m_nCapacityWidth; }
    // The strip's bitmaps, exactly GetStripWidth wide (the spare room is given back first, so the
    // handle may change); null when the strip is empty or the exact copy cannot be made. A handle
    // stays valid until the next cell is added or freed.
    HBITMAP GetImageBitmap();
    HBITMAP GetMaskBitmap();
    INT_PTR GetUsedCount() const { return m_arrAlloc.GetSize(); }
    INT_PTR GetFreeCount() const { return m_arrFree.GetSize(); }

private:
    XTP_IMAGERESOURCE_INFO* AllocCell();
    // New bitmaps nWidth wide (at least GetStripWidth) holding every cell handed out.
    BOOL Reallocate(int nWidth);
    // Gives the spare room back; FALSE when the exact copy cannot be made.
    BOOL TrimToStrip();
    void DestroyBitmaps();
    // Address of pixel (x, y) (top-down coordinates) of the bottom-up colour strip.
    LPBYTE PixelAt(int x, int y) const;

    CXTPImageManager* m_pImageManager;
    CSize m_szIcon;
    HBITMAP m_hbmpImage;
    LPBYTE m_pBits;
    HBITMAP m_hbmpMask;
    CBitmapDC m_dc;
    int m_nAllocWidth;    // cells handed out x cell width
    int m_nCapacityWidth; // the bitmaps' width
    CArray<XTP_IMAGERESOURCE_INFO*, XTP_IMAGERESOURCE_INFO*> m_arrAlloc;
    CArray<XTP_IMAGERESOURCE_INFO*, XTP_IMAGERESOURCE_INFO*> m_arrFree;
    CRITICAL_SECTION m_cs;
};

// The images of one command at one width: normal, the states a caller sets, and the derived
// disabled, faded and shadow looks, generated on first request.
class CXTPImageManagerIcon : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPImageManagerIcon)

public:
    CXTPImageManagerIcon(UINT nID, int nWidth, int nHeight, CXTPImageManagerIconSet* pIconSet = nullptr);
    ~CXTPImageManagerIcon() override;

    UINT GetID() const { return m_nID; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    CSize GetExtent() const;
    CXTPImageManagerIconSet* GetIconSet() const { return m_pIconSet; }

    CXTPImageHandle& GetImage() { return m_hImage; }
    // The hot image, else the normal one.
    CXTPImageHandle& GetHotImage();
    // Their own image, else GetHotImage.
    CXTPImageHandle& GetCheckedImage();
    CXTPImageHandle& GetPressedImage();
    // The caller's disabled image; else the generated one (made first when bGenerate is set).
    CXTPImageHandle& GetDisabledImage(BOOL bGenerate = TRUE);
    // The faded image (generated on first request), else the normal image.
    CXTPImageHandle& GetFadedImage();
    // The shadow image (generated on first request); may be empty.
    CXTPImageHandle& GetShadowImage();
    // 1 disabled, 2 hot, 3 checked, 4 pressed, anything else normal.
    CXTPImageHandle& GetImageByState(int nState);

    BOOL IsAlpha() const { return m_hImage.IsAlpha(); }
    BOOL HasDisabledImage() const { return !m_hDisabled.IsEmpty() || !m_hDisabledAuto.IsEmpty(); }

    // Setting the normal image clears every slot first and takes the image's size.
    void SetNormalIcon(const CXTPImageHandle& hIcon);
    void SetHotIcon(const CXTPImageHandle& hIcon);
    void SetCheckedIcon(const CXTPImageHandle& hIcon);
    void SetPressedIcon(const CXTPImageHandle& hIcon);
    void SetDisabledIcon(const CXTPImageHandle& hIcon);

    void Clear();
    // Clears the derived slots (faded, shadow, generated disabled).
    void ResetDerived();
    // Generates the disabled slot when empty: two-colour mode with both colours set, else the
    // default grey look (either colour -1).
    void CreateDisabledImage(COLORREF clrLight = (COLORREF)-1, COLORREF clrDark = (COLORREF)-1);

    // cx 0: the icon's width; cy 0: cx x height / width.
    void Draw(CDC* pDC, int x, int y, CXTPImageHandle& hImage, int cx = 0, int cy = 0);
    // clrColors and nFlags (XTPImageDrawFlags): xtpImageDrawDefault draws as the form above,
    // xtpImageDrawMono draws a silhouette in clrColors.
    void Draw(CDC* pDC, int x, int y, CXTPImageHandle& hImage, int cx, int cy, COLORREF clrColors, UINT nFlags);
    void DrawSized(CDC* pDC, int x, int y, int cx, int cy);
    void DrawNormal(CDC* pDC, int x, int y);
    // Icons only; alpha images are not drawn.
    void DrawMono(CDC* pDC, int x, int y, CXTPImageHandle& hImage, int cx, int cy, COLORREF clr);

    // Draw icons through a 32-bit alpha bitmap (composited surfaces).
    BOOL m_bDrawComposited;

    // The icon record: height, version, then the normal, disabled, hot, checked and pressed images.
    void Serialize(CArchive& ar) override;
    // The archive version written; records of versions 7 (no checked or pressed images), 16 (no
    // pressed image) and up are read.
    static const int nIconRecordVersion = 38;

    // The two factors of the default disabled look.
    static double m_dDisabledBrightnessFactor; // grey = 255 x luminance ^ factor (0.5)
    static double m_dDisabledAlphaFactor;      // alpha = alpha / factor (1.0)

private:
    void CreateFadedIcon();
    void CreateShadowIcon();
    void SerializeImage(CXTPImageHandle& hImage, CArchive& ar, long nVersion);
    void InitSlots();

    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    CXTPImageHandle m_hImage;
    CXTPImageHandle m_hFaded;
    CXTPImageHandle m_hShadow;
    CXTPImageHandle m_hHot;
    CXTPImageHandle m_hChecked;
    CXTPImageHandle m_hPressed;
    CXTPImageHandle m_hDisabled;
    CXTPImageHandle m_hDisabledAuto;
    CXTPImageManagerIconSet* m_pIconSet;

    friend class CXTPImageManagerIconSet;
    friend class CXTPImageManager;
};

// The icons of one command, by width.
class CXTPImageManagerIconSet : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPImageManagerIconSet)

public:
    typedef CMap<UINT, UINT, CXTPImageManagerIcon*, CXTPImageManagerIcon*> CIconSetMap;

    CXTPImageManagerIconSet(UINT nID, CXTPImageManager* pImageManager);
    ~CXTPImageManagerIconSet() override;

    UINT GetID() const { return m_nID; }
    CXTPImageManager* GetImageManager() const { return m_pImageManager; }
    CIconSetMap* GetIcons() { return &m_mapIcons; }

    // Width 0: the smallest icon, 1: the largest; another width exactly, else (bScaled) the nearest.
    // Icons are visited by ascending width, so a tie goes to the smaller one.
    CXTPImageManagerIcon* GetIcon(UINT nWidth, BOOL bScaled = TRUE);
    // The icon of exactly that width, created (height 15) when missing.
    CXTPImageManagerIcon* GetIconByWidth(UINT nWidth);

    void SetIcon(const CXTPImageHandle& hIcon, UINT nWidth);
    void SetDisabledIcon(const CXTPImageHandle& hIcon, UINT nWidth);
    void SetHotIcon(const CXTPImageHandle& hIcon, UINT nWidth);
    void SetCheckedIcon(const CXTPImageHandle& hIcon, UINT nWidth);
    void SetPressedIcon(const CXTPImageHandle& hIcon, UINT nWidth);

    // Releases every icon.
    void RemoveAll();
    // Clears the derived slots of every icon.
    void RefreshAll();

private:
    UINT m_nID;
    CXTPImageManager* m_pImageManager;
    CIconSetMap m_mapIcons;

    friend class CXTPImageManager;
};

class CXTPImageManager : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPImageManager)

public:
    typedef CMap<UINT, UINT, CXTPImageManagerIconSet*, CXTPImageManagerIconSet*> CIconSetsMap;
    typedef CMap<DWORD, DWORD, CXTPImageManagerResource*, CXTPImageManagerResource*> CResourcesMap;

    CXTPImageManager();
    ~CXTPImageManager() override;

    // ---- queries
    // The command's icon at that width, else the nearest; null without an icon set. The pointer is
    // valid until the icon is replaced or the manager cleared (add a reference to keep it).
    CXTPImageManagerIcon* GetImage(UINT nCommand, int nWidth = 16) const;
    // An icon of exactly that width exists (widths 0 and 1: any icon).
    BOOL IsIconExists(UINT nCommand, int nWidth) const { return IconExists(nCommand, nWidth); }
    BOOL IconExists(UINT nCommand, int nWidth) const;
    CXTPImageManagerIconSet* GetIconSet(UINT nCommand) const;
    CIconSetsMap* GetImages() { return &m_mapImages; }
    // Returns the previous mask colour; -1: the top-left pixel of each bitmap is transparent.
    COLORREF SetMaskColor(COLORREF clrMask);
    COLORREF GetMaskColor() const { return m_clrMask; }
    // 0 never mirror, 1 always, 2 on right-to-left device contexts (the default).
    int GetMirrorMode() const { return m_nMirrorMode; }
    void SetMirrorMode(int nMode) { m_nMirrorMode = nMode; }
    // Icons of this manager mirror on this DC.
    BOOL IsMirrored(HDC hDC) const;

    // ---- adding images (TRUE on success; nState is an XTPImageState)
    BOOL SetIcon(const CXTPImageHandle& hIcon, UINT nCommand, int cx = 0, int cy = 0, int nState = xtpImageNormal);
    BOOL SetIcon(HICON hIcon, UINT nCommand, int cx = 0, int cy = 0, int nState = xtpImageNormal);
    BOOL SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, int cx, int cy,
                            int nState = xtpImageNormal, BOOL bAlpha = FALSE);
    BOOL SetIconsFromResourceId(UINT nIDResourceBitmap, const UINT* pCommands, int nCount, int cx, int cy,
                                int nState = xtpImageNormal);
    BOOL SetIconsFromResourceName(LPCSTR lpszResourceBitmap, const UINT* pCommands, int nCount, int cx, int cy,
                                  int nState = xtpImageNormal);
    BOOL SetIconsFromToolbarBitmap(UINT nIDResourceToolBar, UINT nIDResourceBitmap, int nState = xtpImageNormal);
    BOOL SetIconsFromToolbar(UINT nIDResourceToolBar, int nState = xtpImageNormal);
    BOOL SetImageListIcons(UINT nIDResourceToolBar, CImageList* pImageList, int nState = xtpImageNormal);
    BOOL SetIconsFromImageList(CImageList* pImageList, const UINT* pCommands, int nCount, int cx, int cy,
                               int nState = xtpImageNormal);
    BOOL SetIconFromResource(LPCSTR lpszResourceName, UINT nCommand, int cx = 0, int cy = 0,
                             int nState = xtpImageNormal);
    BOOL SetIconFromIconResource(HMODULE hModule, LPCSTR lpszResourceName, UINT nCommand, int cx, int cy,
                                 int nState = xtpImageNormal);
    BOOL SetIconFromIcoFile(LPCSTR lpszFileName, UINT nCommand, int cx = 0, int cy = 0, int nState = xtpImageNormal);
    // The contents of a .ico file held in memory (the file reader reads the file and calls this).
    BOOL SetIconFromIcoData(const BYTE* pData, size_t nSize, UINT nCommand, int cx = 0, int cy = 0,
                            int nState = xtpImageNormal);

    // Releases every icon set and destroys every strip.
    void RemoveAll();
    // Clears the derived images of every icon.
    void RefreshAll();

    // ---- strips
    // The strip for images of this size, created on first use.
    CXTPImageManagerResource* GetResource(CSize szIcon);
    CResourcesMap* GetResources() { return &m_mapResources; }

    // ---- drawing
    // Per-pixel alpha blend (constant alpha 255) of a premultiplied source; the system's when it
    // can, else the toolkit's own (AlphaBlendFallback).
    static BOOL AlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc);
    static BOOL AlphaBlendFallback(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc);
    // Copies every source pixel except those of clrTransparent; the system's when available,
    // else a mask copy (TransparentBltFallback).
    static BOOL TransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                         UINT clrTransparent);
    static BOOL TransparentBltFallback(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                                 UINT clrTransparent);

    // ---- the common-controls version (MAKELONG(minor, major)) the icon alpha test depends on
    static DWORD GetComCtlVersion();
    // Overrides the detected version (0: detect again), for tests of both paths.
    static void SetComCtlVersion(DWORD dwVersion);

    // ---- toolbar resources (type 241): the ids of the non-zero items (with bSeparators, every
    // item, 0 for a separator) and the button size. A resource shorter than its item count says is
    // refused. The array comes from new[] and the caller deletes it with delete[].
    static BOOL LoadToolbar(UINT nIDResource, UINT*& pItems, int& nItems, CSize& szButton,
                            BOOL bSeparators = FALSE);
    static BOOL ParseToolbarData(const BYTE* pData, size_t nSize, UINT*& pItems, int& nItems,
                                           CSize& szButton, BOOL bSeparators = FALSE);

    // ---- persistence
    // Saves or loads every icon set; loading removes all sets first. A set whose "CheckSum" is
    // wrong throws CArchiveException (badClass), which the exchange reports as a failed load.
    void DoPropExchange(CXTPPropExchange* pPX);
    // Saves or loads the icons of one command.
    void ExchangeIcons(UINT nCommand, CXTPPropExchange* pPX);
    // Through a CXTPPropExchangeArchive over the archive.
    void Serialize(CArchive& ar) override;

    // Registered clipboard formats ("Rododo ToolBar Image", "Alpha Bitmap Image").
    static CLIPFORMAT m_nImageClipFormat;
    static CLIPFORMAT m_nAlphaClipFormat;

private:
    BOOL SetAlphaIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, int cx, int cy, int nState);
    BOOL SetIconFromImageData(const BYTE* pImage, size_t nImage, int cx, int cy, UINT nCommand, int nState);

    CIconSetsMap m_mapImages;
    CResourcesMap m_mapResources;
    COLORREF m_clrMask;
    int m_nMirrorMode;
};

// The process-wide image manager, made on first use and destroyed at exit.
CXTPImageManager* XTPImageManager();
inline CXTPImageManager* GetImageManager()
{
    return XTPImageManager();
}

// ---- bitmap and icon helpers (every returned HBITMAP or HICON belongs to the caller)

// PNG or BMP from a file; *pbAlpha tells whether the bitmap carries alpha (left alone when the
// file was read as a picture).
HBITMAP LoadBitmapFromFile(LPCSTR lpszFileName, BOOL* pbAlpha);
// The same over file contents in memory.
HBITMAP LoadBitmapFromMemory(const BYTE* pData, size_t nSize, BOOL* pbAlpha);
// A "PNG" resource that starts with the PNG signature, else the RT_BITMAP resource.
HBITMAP LoadBitmapFromResource(HMODULE hModule, LPCSTR lpszResource, BOOL* pbAlpha);
// The same along the framework's resource modules.
HBITMAP LoadBitmapFromAppResources(LPCSTR lpszResource, BOOL* pbAlpha);
BOOL IsPngResource(HMODULE hModule, LPCSTR lpszResource);
// A DIB section from a packed DIB (BITMAPINFOHEADER, colour table, pixels), every field checked
// against nSize; *pbAlpha is set when it has 32 bits per pixel.
HBITMAP CreateBitmapFromPackedDib(const BYTE* pData, size_t nSize, BOOL* pbAlpha);
// The icon's colour bitmap carries real alpha (needs common controls 6 or Windows XP).
BOOL IsAlphaIcon(HICON hIcon);
// A premultiplied copy of a 32-bit bitmap. With pbAlpha, *pbAlpha (primed with -1 or FALSE)
// becomes 1 when the image has transparency; without any the copy keeps the plain pixels.
HBITMAP PreMultiplyAlphaBitmap(HBITMAP hBitmap, BOOL* pbAlpha = nullptr, LPBYTE* lpBits = nullptr);
// The header and pixels (bottom-up) of a 32-bit bitmap in two malloc blocks the caller frees with
// free(); FALSE (nothing allocated) for other depths or on failure. hDC may be null.
BOOL GetBitmapBits32(HDC hDC, HBITMAP hBitmap, PBITMAPINFO& pBitmapInfo, LPVOID& pBits, UINT& nSize);
// A 32-bit DIB copy; *lpBits receives its pixels.
HBITMAP CopyAlphaBitmap(HBITMAP hBitmap, LPBYTE* lpBits = nullptr);
// A bottom-up 32-bit BI_RGB DIB section of cx x cy; null on failure.
HBITMAP CreateDIBSection32(HDC hDC, int cx, int cy, LPBYTE* lpBits = nullptr);
// A 32-bit copy with every row reversed left to right.
HBITMAP MirrorBitmap(HBITMAP hBitmap);
CSize GetIconSize(HICON hIcon);
// An icon of nWidth (height scaled alike); null for nWidth 0 or an old size of 0 x 0.
HICON ResizeIcon(HICON hIcon, int cxOld, int cyOld, int nWidth);

// A premultiplied 32-bit bitmap blended onto the DC; a source size of 0 x 0 means the
// destination size.
void DrawAlphaBitmap(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc = 0, int ySrc = 0,
                               int cxSrc = 0, int cySrc = 0);
void DrawAlphaBitmap(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, const CRect& rcSrc);
// The icon drawn through a 32-bit alpha bitmap; a negative cx mirrors it.
void DrawIconAsAlphaBitmap(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon);
// Each channel moved the fraction dFactor toward white (truncated).
COLORREF LightenColor(COLORREF clr, double dFactor);
