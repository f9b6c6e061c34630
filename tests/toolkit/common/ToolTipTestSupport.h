// Helpers of the tooltip tests: a top-level test window with tools in its client area (its hit test
// answers through FillToolInfoEx), a cursor position the tooltip code reads instead of the real one,
// and a context that records the tooltip messages of the window it creates.
#pragma once

#include "framework/Wnd.h"
#include "tests/common/MessagePump.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <windows.h>

namespace tk_tooltip
{
// The cursor the tooltip code sees (screen coordinates).
inline POINT& FakeCursor()
{
    static POINT pt = {0, 0};
    return pt;
}

inline BOOL ReadFakeCursor(POINT* pt)
{
    *pt = FakeCursor();
    return TRUE;
}

// Installs the fake cursor for the life of the object.
struct FakeCursorScope
{
    FakeCursorScope() { CXTPToolTipContextToolTip::SetCursorPosProvider(ReadFakeCursor); }
    ~FakeCursorScope() { CXTPToolTipContextToolTip::SetCursorPosProvider(nullptr); }
};

struct TestTool
{
    CRect rect; // client coordinates
    INT_PTR nId;
    std::string text;
    std::string title;
    std::string description;
    CXTPImageManager* pImageManager = nullptr;
};

// A topmost popup window whose tools are rectangles of its client area.
class ToolWindow : public CWnd
{
public:
    std::vector<TestTool> tools;
    std::vector<UINT> notifications; // WM_NOTIFY codes received
    BOOL bShowNow = TRUE;            // hit tests ask for the tip to be activated at once

    BOOL CreateAt(int x, int y, int cx, int cy, DWORD dwExStyle = 0)
    {
        static const char kClass[] = "QvxToolTipTestWindow";
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kClass;
        ::RegisterClassA(&wc);
        if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | dwExStyle, kClass, "tooltip test", WS_POPUP | WS_VISIBLE, x,
                      y, cx, cy, nullptr, nullptr))
            return FALSE;
        ::SetForegroundWindow(m_hWnd);
        qvx_test::PumpMessages(50);
        return TRUE;
    }

    ~ToolWindow() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override
    {
        for (const TestTool& tool : tools)
        {
            if (!tool.rect.PtInRect(point))
                continue;
            CXTPToolTipContext::FillToolInfoEx(pTI, m_hWnd, tool.rect, tool.nId, tool.text.c_str(),
                                               tool.title.c_str(), tool.description.c_str(), tool.pImageManager);
            if (pTI && bShowNow)
                pTI->uFlags |= XTP_TTF_SHOWNOW;
            return tool.nId;
        }
        return -1;
    }

    // The screen point at the centre of a tool.
    POINT ScreenCentre(size_t nTool) const
    {
        CPoint pt = tools[nTool].rect.CenterPoint();
        ::ClientToScreen(m_hWnd, &pt);
        return pt;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && lParam)
            notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Moves the fake cursor to a tool's centre (or a screen point) and relays a mouse move.
inline void MoveTo(CXTPToolTipContext& context, ToolWindow& wnd, POINT ptScreen)
{
    FakeCursor() = ptScreen;
    CPoint ptClient = ptScreen;
    ::ScreenToClient(wnd.m_hWnd, &ptClient);
    ::SetForegroundWindow(wnd.m_hWnd);
    context.RelayMessage(&wnd, WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
}

// One tool ("text", id 3) on a window at (700, 500) and a context of the style with a short
// initial delay; Hover moves onto the tool.
struct SingleTool
{
    FakeCursorScope cursor;
    ToolWindow wnd;
    CXTPToolTipContext context;

    SingleTool(int nStyle, const char* lpszText)
    {
        EXPECT_TRUE(wnd.CreateAt(700, 500, 200, 60));
        wnd.tools.push_back({CRect(0, 0, 100, 60), 3, lpszText});
        context.SetStyle(nStyle);
        context.SetDelayTime(TTDT_INITIAL, 30);
    }
    void Hover();
    template <class T> T* Tip() { return dynamic_cast<T*>(context.GetToolTip()); }
};

inline CXTPToolTipContextToolTip* OwnerDrawn(CXTPToolTipContext& context)
{
    return dynamic_cast<CXTPToolTipContextToolTip*>(context.GetToolTip());
}

inline void SingleTool::Hover()
{
    MoveTo(context, wnd, wnd.ScreenCentre(0));
}

inline bool TipVisible(CXTPToolTipContext& context)
{
    CWnd* p = context.GetToolTip();
    return p && p->GetSafeHwnd() && ::IsWindowVisible(p->GetSafeHwnd());
}
} // namespace tk_tooltip
