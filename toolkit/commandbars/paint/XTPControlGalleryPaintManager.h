// CXTPControlGalleryPaintManager: draws a gallery's background, its labels and the strip of three
// buttons (up, down, open the popup) of an in-bar gallery, for a paint manager that owns it.
#pragma once

#include "framework/FrameworkString.h"
#include "toolkit/commandbars/paint/XTPScrollBarPaintManager.h"

class CXTPControlGallery;

class CXTPControlGalleryPaintManager : public CXTPScrollBarPaintManager
{
public:
    explicit CXTPControlGalleryPaintManager(CXTPPaintManager* pPaintManager);
    ~CXTPControlGalleryPaintManager() override = default;
    CXTPControlGalleryPaintManager(const CXTPControlGalleryPaintManager&) = delete;
    CXTPControlGalleryPaintManager& operator=(const CXTPControlGalleryPaintManager&) = delete;

    // The scroll-bar metrics first, then strip buttons 19 and 19 high and a strip 16 wide.
    void RefreshMetrics() override;
    // A label cell: filled with colour 56, a colour-52 line along the bottom, the caption in colour
    // 44 inset 10 pixels, single line, vertically centred, ellipsis at the end.
    virtual void DrawLabel(CDC* pDC, const CString& strCaption, CRect rc);
    // Unless the gallery is transparent colour 41; with borders a colour-52 frame; a separator line
    // in colour 39 two pixels above the bottom when a control follows in a popup.
    virtual void DrawBackground(CDC* pDC, CXTPControlGallery* pGallery, CRect rc);
    // The strip in colour 30 and its three buttons as the paint manager's state faces with glyphs.
    virtual void DrawScrollButtons(CDC* pDC, CXTPControlGallery* pGallery, CRect rcScroll);

    // The strip's parts in a strip rectangle: up from the top, down below it, the popup button the rest.
    CRect GetStripPartRect(CRect rcScroll, int nPart) const;

    int m_cyPopupUp = 19;
    int m_cyPopupDown = 19;
    int m_cxPopup = 16;
};
