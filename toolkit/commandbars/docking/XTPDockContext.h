// CXTPDockContext: the modal mouse loops with which the user drags a toolbar between the frame's dock
// bars and a floating place (StartDrag), resizes it by a sizing border (StartResize), and the toggle
// between its docked and floating places (ToggleDocking). It remembers what the bar needs to go back:
// the dock bar it last lay in (index 0 top .. 3 right), its rectangle there, and the screen point of
// its last floating place. Each toolbar owns one.
#pragma once

#include "framework/Geometry.h"

class CXTPToolBar;

class CXTPDockContext
{
public:
    // Drag modes: moving, or resizing by one of the sizing hit codes (HTLEFT 10 .. HTBOTTOMRIGHT 17).
    static const int dragMove = 1;
    // Pixels of a floating bar that stay on the work area on every side.
    static const int kKeepOnScreen = 10;

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
    // Moves the bar with the mouse from a screen point until the button is released: it docks into
    // a dock bar within reach whose side its flags allow (0x1 top, 0x2 bottom, 0x4 left, 0x8 right),
    // else floats when flag 0x10 allows it. Afterwards a floating bar remembers its place, and one
    // that was docked before remembers that dock bar and its rectangle there.
    virtual void StartDrag(CPoint pt);
    // Resizes the bar by a sizing border (hit code 10..17) from a screen point; the new width
    // becomes the bar's width limit, so that later layouts keep it.
    virtual void StartResize(int nHitTest, CPoint pt);
    // Floating bar: docks back into the remembered dock bar at the remembered rectangle; docked bar:
    // floats at the remembered floating point (else at its docked place). 0 when not allowed.
    virtual BOOL ToggleDocking();
    // The modal loop of a drag or resize: the bar holds the mouse capture until the button is
    // released, Esc is pressed (the bar stays where it is) or the capture is lost. WM_QUIT ends it
    // and is posted again for the loop outside; a bar destroyed meanwhile ends it too. Nothing
    // happens while another window holds the capture or the bar has no manager.
    virtual void Track();

    // ---- the geometry of the steps
    // The rectangle moved the shortest way that makes it contain the point.
    static CRect MoveToContain(CRect rc, CPoint pt);
    // The rectangle moved so that nKeep pixels of it stay inside the work area on every side.
    static CRect KeepOnWorkArea(CRect rc, const CRect& rcWork, int nKeep = kKeepOnScreen);
    // The edges a sizing hit code names moved by a delta: left for 10, 13, 16; right for 11, 14,
    // 17; top for 12 to 14; bottom for 15 to 17.
    static CRect MoveEdges(CRect rc, int nHitTest, CSize szDelta);
    // A toolbar's rectangle with a new size keeping the edge opposite the dragged one (dragging the
    // left edge keeps the right, the top edge keeps the bottom, any other the left and top).
    static CRect PlaceResized(const CRect& rc, int nHitTest, CSize sz);
    // A rectangle that no longer meets the work area moved back to touch it.
    static CRect TouchWorkArea(CRect rc, const CRect& rcWork);

protected:
    // Sets the mode, the point and both rectangles and runs Track; FALSE when the bar (and with it
    // this object) was deleted meanwhile.
    BOOL RunTrack(int nMode, CPoint pt, const CRect& rcWindow);
    // One mouse move of the loop to a new screen point: the move step or a resize step.
    virtual void OnTrackMove(CPoint pt);
    void MoveStep(CPoint pt);
    void ResizeStep(CPoint pt);
    void FreeResizeStep(CPoint pt);

    CXTPToolBar* m_pBar = nullptr;
    int m_nDragMode = 0;
    CPoint m_ptLast;
    UINT m_uMRUDockPosition = 0;
    CRect m_rectMRUDockPos;
    CRect m_rectDragFrame;
    CRect m_rectWindow;
    CPoint m_ptMRUFloatPos;

private:
    // While a loop runs: the flag the destructor raises, so that the loop and its caller learn
    // that the bar (and with it this object) is gone and touch nothing more.
    BOOL* m_pbDestroyed = nullptr;
};
