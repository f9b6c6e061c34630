// The theme store: the colour table of the chosen theme (an INI-style "TEXTFILE" resource) and
// the theme's images (PNG or bitmap resources), loaded by name, cached, and drawn in nine parts
// with fixed corners and stretched edges.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/FrameworkString.h"
#include "framework/Geometry.h"
#include "framework/Map.h"
#include "toolkit/common/XTPResourceIds.h"

class CXTPNotifyConnection;
class CXTPResourceImages;

// XTP_NC_COMMON_RESOURCEIMAGES_CHANGED (XTPResourceIds.h) is sent on the store's connection when the
// theme table was reloaded (both parameters 0).

// Resource type of the theme colour tables, and the table read when none is named.
#define XTP_RESOURCEIMAGES_INI_TYPE "TEXTFILE"
#define XTP_RESOURCEIMAGES_DEFAULT_INI "OFFICE2007BLUE_INI"

// Side of the shared drawing surface; larger images are not drawn by the nine-part draw.
#define XTP_RESOURCEIMAGES_SURFACE 512

// DrawImageEx flag: blend the result with per-pixel alpha (key-coloured pixels transparent).
#define XTP_DI_COMPOSITE 1

class CXTPResourceImage : public CCmdTarget
{
public:
    explicit CXTPResourceImage(CXTPResourceImages* pImages);
    ~CXTPResourceImage() override;

    // Loads a PNG or bitmap resource of the module; FALSE without a module or when the bitmap
    // cannot be had.
    BOOL LoadFromResource(HMODULE hModule, LPCSTR lpszName);
    // Takes the size and the pixels of a bitmap (which stays the caller's); bAlpha says whether
    // its fourth byte is alpha.
    BOOL LoadFromBitmap(HBITMAP hBitmap, BOOL bAlpha);

    // Blue, green and red become channel x alpha / 255 (once, for an alpha image).
    void PremultiplyAlpha();
    // Reverses every row and toggles the mirrored state.
    void MirrorImage();

    CSize GetExtent() const { return CSize(m_nWidth, m_nHeight); }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    // Frame nState of an image of nCount frames stacked vertically; empty for an empty image.
    CRect GetSource(int nState = 0, int nCount = 1) const;
    void GetSource(CRect& rcSrc, int nState, int nCount) const { rcSrc = GetSource(nState, nCount); }

    BOOL IsAlphaImage() const { return m_bAlpha; }
    BOOL IsPremultiplied() const { return m_bPremultiplied; }
    BOOL IsMirrored() const { return m_bMirrored; }
    // Whether the draws mirror the image on right-to-left DCs (off unless a user sets it).
    void SetMirrorForRightToLeft(BOOL bMirror) { m_bMirrorRTL = bMirror; }
    // The pixels, width x height 32-bit values (blue, green, red, alpha), rows bottom-up.
    const DWORD* GetBits() const { return m_pBits; }
    // The pixel at (x, y) counted from the top-left corner, as stored (0 outside).
    DWORD GetPixel(int x, int y) const;

    // Nine-part draw: corners at the margins' sizes, edges stretched along their length, the
    // centre both ways.
    void DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins = CRect());
    void DrawImageStretched(CDC* pDC, const CRect& rcDest, const CRect& rcSrc);
    // As DrawImage; for an image without alpha and a key other than -1, pixels of the key
    // colour stay transparent.
    void DrawImageKeyed(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                        COLORREF clrKey);
    // With XTP_DI_COMPOSITE the result is alpha-blended (key pixels fully transparent, the
    // others opaque); without it as DrawImageKeyed.
    void DrawImageEx(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                     COLORREF clrKey, DWORD dwFlags);

protected:
    void Free();
    void DrawPart(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc) const;
    // The image drawn with DrawImage into a new 32-bit DIB of the destination's size, first
    // filled with the key colour (none for -1); the caller deletes the bitmap.
    HBITMAP DrawIntoBitmap(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                           COLORREF clrKey, DWORD** ppBits);

    DWORD* m_pBits = nullptr;
    BOOL m_bAlpha = FALSE;
    BOOL m_bPremultiplied = FALSE;
    BOOL m_bMirrorRTL = FALSE;
    BOOL m_bMirrored = FALSE;
    int m_nWidth = 0;
    int m_nHeight = 0;
    CXTPResourceImages* m_pImages;
};

// The values of a theme table, keyed by HashIniKey (section, key).
typedef CMap<UINT, UINT, CString, LPCSTR> CXTPResourceImagesValueMap;

class CXTPResourceImages : public CCmdTarget
{
public:
    CXTPResourceImages();
    ~CXTPResourceImages() override;

    // Binds the theme's module and table (every "." of the name becomes "_"; null for the
    // default table) and reloads. With bFreeOnRelease the store frees the module with
    // FreeLibrary when it is replaced or at destruction.
    void SetResourceModule(HMODULE hResource, LPCSTR lpszIniFileName = nullptr, BOOL bFreeOnRelease = FALSE);
    // Drops the images, finds and parses the table, tells the listeners (event 10575) and reads
    // the premultiply flag. TRUE when a table was found.
    BOOL ReloadIni();
    // Created on first call; listeners subscribe to XTP_NC_COMMON_RESOURCEIMAGES_CHANGED.
    CXTPNotifyConnection* GetConnection();

    CString GetIniValue(LPCSTR lpszSection, LPCSTR lpszKey) const;
    // "r g b"; the default for a missing or empty value.
    COLORREF GetImageColor(LPCSTR lpszSection, LPCSTR lpszKey, COLORREF clrDefault = (COLORREF)-1) const;
    // "left top right bottom"; the default for a missing or empty value.
    CRect GetImageRect(LPCSTR lpszSection, LPCSTR lpszKey, CRect rcDefault = CRect()) const;
    int GetImageInt(LPCSTR lpszSection, LPCSTR lpszKey, int nDefault = -1) const;
    CString GetImageString(LPCSTR lpszSection, LPCSTR lpszKey) const { return GetIniValue(lpszSection, lpszKey); }

    // The resource name of an image: its "Images" entry or the name itself, with every "." and
    // "\" made "_".
    CString GetImageFileName(LPCSTR lpszImageFile) const;
    // The cached image of that name, loaded on first request; null when no module is set, the
    // name is null or the image cannot be loaded (a failure is remembered until the next reload).
    CXTPResourceImage* LoadImage(LPCSTR lpszImageFile);
    void RemoveAllImages();

    // A table is loaded.
    BOOL IsLoaded() const { return m_pIniBegin != nullptr; }
    // A module is set and a table loaded.
    BOOL IsValid() const { return m_hResource != nullptr && IsLoaded(); }
    HMODULE GetResourceModule() const { return m_hResource; }
    const CString& GetIniFileName() const { return m_strIniFileName; }
    // Decode attempts since construction (each image name is decoded at most once per reload).
    int GetImageLoadCount() const { return m_nImageLoads; }

    // The table's key: h = h x 33 + upper-cased character, over the section then the key.
    static UINT HashIniKey(LPCSTR lpszSection, LPCSTR lpszKey);
    // Parses table text into a value map. Lines end at CR, CRLF or LF; a last line without an
    // end is read too.
    static void ParseIni(const char* pBegin, const char* pEnd, CXTPResourceImagesValueMap& map);

protected:
    friend class CXTPResourceImage;
    void CreateSurface();

    HMODULE m_hResource = nullptr;
    BOOL m_bFreeOnRelease = FALSE;
    CString m_strIniFileName;
    const char* m_pIniBegin = nullptr;
    const char* m_pIniEnd = nullptr;
    CXTPResourceImagesValueMap m_mapValues;
    CMap<CString, LPCSTR, CXTPResourceImage*, CXTPResourceImage*> m_mapImages;
    BOOL m_bPremultiplyImages = FALSE;
    int m_nImageLoads = 0;
    CRITICAL_SECTION m_cs;
    HDC m_hdcSurface = nullptr;
    HBITMAP m_hbmSurface = nullptr;
    DWORD* m_pSurfaceBits = nullptr;
    CXTPNotifyConnection* m_pConnection = nullptr;
};

// The process-wide store (built on first call with the program's module and the default table,
// destroyed at exit).
CXTPResourceImages* GetResourceImages();
// LoadImage on the process-wide store.
CXTPResourceImage* LoadResourceImage(LPCSTR lpszImageFile);
