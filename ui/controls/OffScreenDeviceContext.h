// COffScreenDeviceContext: a memory DC with a bitmap of a window's client size, made for one paint or one
// measurement of the harness's owner-drawn controls and copied to the window with one BitBlt.
#pragma once

#include <windows.h>

class COffScreenDeviceContext
{
public:
    COffScreenDeviceContext() = default;
    virtual ~COffScreenDeviceContext();

    COffScreenDeviceContext(const COffScreenDeviceContext&) = delete;
    COffScreenDeviceContext& operator=(const COffScreenDeviceContext&) = delete;

    // The window whose client area is mirrored; set before each paint.
    void SetWindow(HWND window) { m_window = window; }
    HWND GetWindow() const { return m_window; }
    void SetBackgroundColor(COLORREF colour) { m_background = colour; }
    COLORREF GetBackgroundColor() const { return m_background; }

    // Releases what exists, then makes a memory DC and a compatible bitmap of the window's client size.
    // False without a window or a window DC.
    bool Create();
    bool IsCreated() const { return m_memoryDC != nullptr; }
    // The memory DC, created on demand; null when creation failed.
    HDC GetDC();
    // Puts the previous bitmap back and deletes the bitmap and the DC; false when nothing was created.
    bool Release();
    // The client rectangle taken at creation.
    const RECT& GetArea() const { return m_area; }
    int GetWidth() const { return m_area.right - m_area.left; }
    int GetHeight() const { return m_area.bottom - m_area.top; }

    // Plain: the whole area in the background colour. Gradient: rows from the background colour towards
    // white. False without a memory DC (or, for the gradient, an area lower than one row).
    bool Fill(bool gradient);

    // Rectangle(left, top, right, bottom) with a 1-pixel pen and a solid brush of one colour, each made and
    // deleted for the call; the DC's own pen and brush are put back.
    static void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour);

private:
    HWND m_window = nullptr;
    HDC m_memoryDC = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    RECT m_area = {0, 0, 0, 0};
    COLORREF m_background = RGB(255, 255, 255);
};
