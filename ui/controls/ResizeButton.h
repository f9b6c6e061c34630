// CResizeButton: the 12 x 12 size grip in the bottom-right corner of a resizable harness dialog. It draws a
// triangle of six dots and turns mouse drags into requests to its owner to grow by (dx, dy).
#pragma once

#include "ui/controls/OffScreenDeviceContext.h"
#include "framework/Wnd.h"
#include "ui/UiMessageIds.h"
#include "ui/UiResourceIds.h"

class CResizeButton : public CWnd
{
public:
    static constexpr int kSize = 12;
    static constexpr UINT kDefaultId = IDC_RESIZE_GRIP;
    static constexpr COLORREF kShadowColour = RGB(184, 180, 163);
    static constexpr COLORREF kHighlightColour = RGB(255, 255, 255);

    CResizeButton();
    ~CResizeButton() override;

    // A visible "STATIC" child of owner with the given id; FALSE for a null owner or when creation fails.
    using CWnd::Create;
    virtual BOOL Create(CWnd* owner, UINT id);
    // Posts WM_QVX_GRIP_DRAG with the last drag delta to the owner.
    virtual BOOL NotifyOwner();

    // Keeps the owner's client rectangle and moves the grip into its bottom-right corner.
    void SetOwnerRect(int left, int top, int right, int bottom);
    void SetOwnerRect(const RECT& rect) { SetOwnerRect(rect.left, rect.top, rect.right, rect.bottom); }

    // The grip's picture: the background, then the dots in the highlight colour (offset 1) and in the shadow
    // colour (offset 2), for a client area of width x height.
    void DrawGrip(HDC dc, int width, int height) const;
    // One set of dots: rows of 3, 2 and 1 filled 2 x 2 squares from the bottom right, 4 pixels apart.
    static void DrawDots(HDC dc, int width, int height, int offset, COLORREF colour);

    CWnd* GetOwnerWindow() const { return m_owner; }
    UINT GetControlId() const { return m_controlId; }
    bool IsDragging() const { return m_dragging; }
    POINT GetDragDelta() const { return {m_dx, m_dy}; }
    POINT GetLastPoint() const { return m_lastPoint; }
    COLORREF GetBackgroundColour() const { return m_background; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void Reposition();
    void UpdateCursor() const;

    CWnd* m_owner = nullptr;
    RECT m_ownerRect = {0, 0, 0, 0};
    CDC* m_windowDC = nullptr;
    UINT m_controlId = kDefaultId;
    bool m_dragging = false;
    int m_dx = 0;
    int m_dy = 0;
    COLORREF m_background;
    COLORREF m_shadow = kShadowColour;
    COLORREF m_highlight = kHighlightColour;
    COffScreenDeviceContext m_surface;
    POINT m_lastPoint = {0, 0};
    // The grip's top-left corner in the owner's client area after the last reposition; valid once placed.
    POINT m_placedAt = {0, 0};
    bool m_placed = false;
};
