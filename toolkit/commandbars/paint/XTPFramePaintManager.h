// CXTPFramePaintManager: how a paint manager draws the non-client frame that a command-bars frame
// hook takes over: the caption height, the window region for a frame size, and the drawing of
// borders, caption and caption buttons on a window device context. The base is the plain look in
// system colours (caption colours of the active and inactive state, 3D borders, the system's caption
// button faces); themes derive from it.
#pragma once

#include "framework/DC.h"
#include "framework/GdiObject.h"

class CXTPPaintManager;
class CXTPCommandBarsFrameHook;
class CXTPControl;

class CXTPFramePaintManager
{
public:
    explicit CXTPFramePaintManager(CXTPPaintManager* pPaintManager);
    virtual ~CXTPFramePaintManager();
    CXTPFramePaintManager(const CXTPFramePaintManager&) = delete;
    CXTPFramePaintManager& operator=(const CXTPFramePaintManager&) = delete;

    // Re-reads the caption font and height from the system.
    virtual void RefreshMetrics();
    // The caption's height below the top border.
    virtual int GetFrameCaptionHeight() const { return m_nFrameCaptionHeight; }
    // The window region of a frame of that size (the hook hands it to SetWindowRgn); null keeps
    // the window without a region.
    virtual HRGN CalcFrameRegion(CXTPCommandBarsFrameHook* pFrameHook, CSize sz) const;
    // Draws the whole non-client frame of the hook's window on a device context in window
    // coordinates; the client area is left alone.
    virtual void DrawFrame(CDC* pDC, CXTPCommandBarsFrameHook* pFrameHook);
    // One caption button (its id is the system command) in its state.
    virtual void DrawFrameCaptionButton(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                        BOOL bActive);

    CXTPPaintManager* GetPaintManager() const { return m_pPaintManager; }
    CFont* GetCaptionFont() { return &m_fntFrameCaption; }

    // The frame's status bar is drawn as part of the frame (together with the paint manager's
    // status-bar flag).
    BOOL m_bFrameStatusBar = FALSE;
    // The desktop frame extension under composition takes in the ribbon's height.
    BOOL m_bRibbonInDwmFrame = FALSE;

protected:
    // The caption strip: fill, icon and title.
    virtual void DrawCaptionBar(CDC* pDC, CRect rcCaption, CXTPCommandBarsFrameHook* pFrameHook);

    CXTPPaintManager* m_pPaintManager;
    int m_nFrameCaptionHeight = 0;
    CFont m_fntFrameCaption;
};
