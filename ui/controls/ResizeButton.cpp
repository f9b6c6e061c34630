#include "ui/controls/ResizeButton.h"

#include "framework/DC.h"
#include "framework/MessageMap.h"

BEGIN_MESSAGE_MAP(CResizeButton, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CResizeButton::CResizeButton() : m_background(::GetSysColor(COLOR_BTNFACE))
{
    Reposition();
}

CResizeButton::~CResizeButton()
{
    m_surface.Release();
    if (m_hWnd)
        DestroyWindow();
}

BOOL CResizeButton::Create(CWnd* owner, UINT id)
{
    if (!owner || !owner->m_hWnd)
        return FALSE;
    m_owner = owner;
    m_controlId = id;
    m_placed = false;
    RECT empty = {0, 0, 0, 0};
    if (!CWnd::Create("STATIC", "", WS_CHILD | WS_VISIBLE, empty, owner, id))
        return FALSE;
    m_surface.SetWindow(m_hWnd);
    m_surface.SetBackgroundColor(m_background);
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CResizeButton::NotifyOwner()
{
    if (!m_owner || !m_owner->m_hWnd)
        return FALSE;
    return m_owner->PostMessage(WM_QVX_GRIP_DRAG, static_cast<WPARAM>(m_dx), static_cast<LPARAM>(m_dy));
}

void CResizeButton::SetOwnerRect(int left, int top, int right, int bottom)
{
    m_ownerRect = {left, top, right, bottom};
    Reposition();
}

void CResizeButton::Reposition()
{
    if (!m_hWnd || !m_owner)
        return;
    // The grip's place in the owner's client area. Measured there rather than on the screen, it moves only
    // when the owner changes size: a dialog moved (centred, placed by its owner) between two drag steps does
    // not move its grip.
    const POINT placed = {m_ownerRect.right - kSize, m_ownerRect.bottom - kSize};
    MoveWindow(placed.x, placed.y, kSize, kSize, FALSE);
    RECT client;
    GetClientRect(&client);
    if (m_placed)
    {
        // The mouse stays where it is while the grip moves under it: the last point, in grip coordinates,
        // moves the other way, so the next drag step measures only the mouse's own movement.
        m_lastPoint.x -= placed.x - m_placedAt.x;
        m_lastPoint.y -= placed.y - m_placedAt.y;
    }
    else
    {
        m_lastPoint.x = (client.left + client.right) / 2;
        m_lastPoint.y = (client.top + client.bottom) / 2;
    }
    m_placedAt = placed;
    m_placed = true;
}

void CResizeButton::DrawDots(HDC dc, int width, int height, int offset, COLORREF colour)
{
    if (!dc)
        return;
    static const int kRowDots[3] = {3, 2, 1};
    for (int row = 0; row < 3; ++row)
    {
        const int y = height - offset - 2 - 4 * row;
        for (int dot = 0; dot < kRowDots[row]; ++dot)
        {
            const int x = width - offset - 2 - 4 * dot;
            COffScreenDeviceContext::FillSolid(dc, x, y, x + 2, y + 2, colour);
        }
    }
}

void CResizeButton::DrawGrip(HDC dc, int width, int height) const
{
    if (!dc)
        return;
    COffScreenDeviceContext::FillSolid(dc, 0, 0, width, height, m_background);
    DrawDots(dc, width, height, 1, m_highlight);
    DrawDots(dc, width, height, 2, m_shadow);
}

void CResizeButton::OnPaint()
{
    if (m_windowDC)
    {
        ReleaseDC(m_windowDC);
        m_windowDC = nullptr;
    }
    m_windowDC = GetDC();
    if (m_windowDC)
    {
        m_surface.SetWindow(m_hWnd);
        m_surface.SetBackgroundColor(m_background);
        if (m_surface.Create())
        {
            const int width = m_surface.GetWidth();
            const int height = m_surface.GetHeight();
            DrawGrip(m_surface.GetDC(), width, height);
            ::BitBlt(m_windowDC->GetSafeHdc(), 0, 0, width, height, m_surface.GetDC(), 0, 0, SRCCOPY);
            m_surface.Release();
        }
        ReleaseDC(m_windowDC);
        m_windowDC = nullptr;
    }
    ValidateRect(nullptr);
}

void CResizeButton::UpdateCursor() const
{
    POINT cursor;
    RECT window;
    bool inside = false;
    if (m_hWnd && ::GetCursorPos(&cursor))
    {
        ::GetWindowRect(m_hWnd, &window);
        inside = ::PtInRect(&window, cursor) != FALSE;
    }
    ::SetCursor(::LoadCursorA(nullptr, inside ? IDC_SIZENWSE : IDC_ARROW));
}

void CResizeButton::OnLButtonDown(UINT, CPoint point)
{
    m_dragging = true;
    UpdateCursor();
    m_lastPoint = {point.x, point.y};
    SetCapture();
}

void CResizeButton::OnLButtonUp(UINT, CPoint)
{
    m_dragging = false;
    UpdateCursor();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CResizeButton::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging)
    {
        UpdateCursor();
        return;
    }
    m_dx = point.x - m_lastPoint.x;
    m_dy = point.y - m_lastPoint.y;
    m_lastPoint = {point.x, point.y};
    // A move message without movement (one follows the capture, for example) asks for nothing.
    if (m_dx != 0 || m_dy != 0)
        NotifyOwner();
}
