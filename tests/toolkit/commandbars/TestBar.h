// A command bar for tests: a plain popup window that records how often it lost tracking, and
// can refuse to leave tracking mode (a bar that stays).
#pragma once

#include "toolkit/commandbars/bars/XTPCommandBar.h"

#include <vector>

namespace cb_test
{
class TestBar : public CXTPCommandBar
{
public:
    BOOL CreateAt(RECT rc)
    {
        LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, lpszClass, "bar", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                        rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr);
    }
    BOOL SetTrackingMode(int bMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override
    {
        if (!bMode)
        {
            ++m_nLost;
            if (m_bStays)
                return FALSE; // does not leave
        }
        return CXTPCommandBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard);
    }
    void OnTrackedMouseMove(UINT, CPoint point) override { m_moves.push_back(point); }
    int OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) override
    {
        if (nMessage == WM_KEYDOWN)
            m_keys.push_back(static_cast<UINT>(wParam));
        return m_nKeyAnswer;
    }

    int m_nLost = 0;
    BOOL m_bStays = FALSE;
    int m_nKeyAnswer = 0;
    std::vector<CPoint> m_moves;
    std::vector<UINT> m_keys;
};
} // namespace cb_test
