// CMiniFrameWnd: a small floating tool frame (tool-window caption) that belongs to a main frame,
// as floating palettes and bars use it. With MFS_SYNCACTIVE it keeps its caption in step with the
// frame that owns it: it answers the frame's WM_FLOATSTATUS FS_SYNCACTIVE query and follows
// FS_ACTIVATE / FS_DEACTIVATE.
#pragma once

#include "framework/FrameWnd.h"

// Mini-frame styles (in the window style's low word, which a popup does not use otherwise).
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)

public:
    CMiniFrameWnd() = default;

    // A popup tool window owned by pParentWnd (WS_EX_TOOLWINDOW gives the small caption).
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd = nullptr, UINT nID = 0);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd = nullptr, UINT nID = 0);
    using CWnd::CreateEx;

    // The caption state the window shows (after the owner's sync rule).
    BOOL IsCaptionActive() const { return m_bActive; }

protected:
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcActivateMini(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bActive = FALSE;
};
