// CXTPDockContext: what a toolbar remembers of its places so that it can go back to them: the dock
// bar it last lay in (index 0 top .. 3 right), its rectangle there, and the screen point of its last
// floating place. Each toolbar owns one. The modal drag and resize loops (StartDrag, StartResize,
// Track) are declared here for the toolbar's gripper and border handlers; they do not move the bar
// yet (see toolkit/commandbars/README.md, "Toolbars and docking").
#pragma once

#include "framework/Geometry.h"

class CXTPToolBar;

class CXTPDockContext
{
public:
    // Drag modes: moving, or resizing by one of the sizing hit codes (HTLEFT 10 .. HTBOTTOMRIGHT 17).
    static const int dragMove = 1;

    explicit CXTPDockContext(CXTPToolBar* pBar);
    virtual ~CXTPDockContext();

    CXTPToolBar* GetToolBar() const { return m_pBar; }

    // ---- the record
    // The bar's rectangle in the dock bar it lay in (that dock bar's client coordinates); empty when
    // it was appended without a place.
    CRect GetDockedRect() const { return m_rectMRUDockPos; }
    void SetDockedRect(const CRect& rc) { m_rectMRUDockPos = rc; }
    // Index of the dock bar the bar lay in (0 top, 1 bottom, 2 left, 3 right); above 3: none.
    UINT GetDockBarIndex() const { return m_uMRUDockPosition; }
    void SetDockBarIndex(UINT nIndex) { m_uMRUDockPosition = nIndex; }
    // Screen top-left of the last floating place; a coordinate of 0 or less means none.
    CPoint GetFloatingPos() const { return m_ptMRUFloatPos; }
    void SetFloatingPos(CPoint pt) { m_ptMRUFloatPos = pt; }
    BOOL HasFloatingPos() const { return m_ptMRUFloatPos.x > 0 && m_ptMRUFloatPos.y > 0; }
    int GetDragMode() const { return m_nDragMode; }

    // ---- operations of the toolbar's handlers
    // Moving by the gripper or empty space from a screen point (not built: the bar stays).
    virtual void StartDrag(CPoint pt);
    // Resizing a floating bar by a sizing border (not built: the bar stays).
    virtual void StartResize(int nHitTest, CPoint pt);
    // Floating bar: docks back into the remembered dock bar at the remembered rectangle; docked bar:
    // floats at the remembered floating point (else at its docked place). 0 when not allowed.
    virtual BOOL ToggleDocking();
    // The modal mouse loop (not built: returns at once).
    virtual void Track();

protected:
    CXTPToolBar* m_pBar = nullptr;
    int m_nDragMode = 0;
    CPoint m_ptLast;
    UINT m_uMRUDockPosition = 0;
    CRect m_rectMRUDockPos;
    CRect m_rectDragFrame;
    CRect m_rectWindow;
    CPoint m_ptMRUFloatPos;
};
