// CWnd::EnableToolTips: the thread's tooltip carries the tool OnToolHitTest names under the
// cursor, and the window answers TTN_NEEDTEXT for callback tools from its string resources.
#include "framework/ThreadState.h"
#include "framework/ToolTipCtrl.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const UINT kToolWithTip = 3300;  // "Status of seven\nTip of seven"
const UINT kToolPlainText = 3301; // "Only one text"

// Two rectangle tools side by side; the right one is a child control's window tool.
class CToolWnd : public CWnd
{
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override
    {
        if (CRect(0, 0, 50, 50).PtInRect(point))
        {
            pTI->hwnd = m_hWnd;
            pTI->uId = kToolWithTip;
            pTI->rect = CRect(0, 0, 50, 50);
            pTI->lpszText = LPSTR_TEXTCALLBACKA;
            return kToolWithTip;
        }
        return CWnd::OnToolHitTest(point, pTI); // the child window under the point
    }
};

TOOLINFOA ToolAt(HWND hWndToolTip, UINT index, bool* pFound)
{
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    *pFound = ::SendMessageA(hWndToolTip, TTM_ENUMTOOLSA, index, reinterpret_cast<LPARAM>(&ti)) != 0;
    return ti;
}

void MoveOver(CWnd& wnd, int x, int y)
{
    MSG msg = {};
    msg.hwnd = wnd.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(x, y);
    msg.time = ::GetTickCount();
    wnd.PreTranslateMessage(&msg);
}

// Sends TTN_NEEDTEXT for a tool; the answer is in ttt (its text in szText when it points there).
template <class TOOLTIPTEXT> void Ask(CWnd& wnd, UINT_PTR id, UINT flags, UINT code, TOOLTIPTEXT& ttt)
{
    ttt = TOOLTIPTEXT();
    ttt.hdr.hwndFrom = wnd.m_hWnd;
    ttt.hdr.idFrom = id;
    ttt.hdr.code = code;
    ttt.uFlags = flags;
    wnd.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&ttt));
}

std::string AskText(CWnd& wnd, UINT_PTR id, UINT flags, bool wide)
{
    if (!wide)
    {
        TOOLTIPTEXTA ttt;
        Ask(wnd, id, flags, TTN_NEEDTEXTA, ttt);
        return ttt.lpszText ? (ttt.lpszText == ttt.szText ? std::string(ttt.szText) : std::string("(elsewhere)")) : "";
    }
    TOOLTIPTEXTW ttt;
    Ask(wnd, id, flags, TTN_NEEDTEXTW, ttt);
    char text[80] = {};
    if (ttt.lpszText == ttt.szText)
        ::WideCharToMultiByte(CP_ACP, 0, ttt.szText, -1, text, sizeof text, nullptr, nullptr);
    return text;
}
} // namespace

TEST(WndToolTipsTest, ThreadToolTipFollowsTheToolUnderTheCursor)
{
    CToolWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "tools", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(100, 0, 150, 50), &wnd, kToolPlainText));

    // Without tooltips enabled nothing is added.
    MoveOver(wnd, 10, 10);
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    EXPECT_TRUE(pState->m_pToolTip == nullptr || pState->m_pToolTip->GetToolCount() == 0);

    EXPECT_FALSE(wnd.EnableToolTips(TRUE));
    EXPECT_TRUE(wnd.m_nFlags & WF_TOOLTIPS);
    ASSERT_NE(pState->m_pToolTip, nullptr);
    HWND hWndTip = pState->m_pToolTip->m_hWnd;
    ASSERT_NE(hWndTip, nullptr);

    struct Case
    {
        const char* name;
        int x, y;
        int count;
        UINT_PTR uId;
        bool isHwnd;
    };
    const Case cases[] = {
        {"over the rectangle tool", 10, 10, 1, kToolWithTip, false},
        {"still over it", 20, 30, 1, kToolWithTip, false},
        {"over the child", 120, 10, 1, 0, true},
        {"over nothing", 180, 80, 0, 0, false},
        {"back over the rectangle tool", 5, 5, 1, kToolWithTip, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        MoveOver(wnd, c.x, c.y);
        EXPECT_EQ(pState->m_pToolTip->GetToolCount(), c.count);
        if (c.count == 0)
            continue;
        bool found = false;
        TOOLINFOA ti = ToolAt(hWndTip, 0, &found);
        ASSERT_TRUE(found);
        EXPECT_EQ(ti.hwnd, wnd.m_hWnd);
        if (c.isHwnd)
        {
            EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
            EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(child.m_hWnd));
        }
        else
        {
            EXPECT_EQ(ti.uId, c.uId);
            EXPECT_EQ(CRect(ti.rect), CRect(0, 0, 50, 50));
        }
    }

    // Turned off, the window's tool is taken away and moves are no longer looked at.
    EXPECT_TRUE(wnd.EnableToolTips(FALSE));
    EXPECT_EQ(pState->m_pToolTip->GetToolCount(), 0);
    MoveOver(wnd, 10, 10);
    EXPECT_EQ(pState->m_pToolTip->GetToolCount(), 0);
    wnd.DestroyWindow();
}

TEST(WndToolTipsTest, WindowAnswersNeedTextFromItsStrings)
{
    CToolWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "tools", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(100, 0, 150, 50), &wnd, kToolPlainText));
    wnd.EnableToolTips(TRUE);
    struct Case
    {
        const char* name;
        UINT_PTR id;
        UINT flags;
        const char* expected;
    };
    const Case cases[] = {
        {"text after the line feed", kToolWithTip, 0, "Tip of seven"},
        {"a string without a line feed", kToolPlainText, 0, "Only one text"},
        {"a window tool by its control id", reinterpret_cast<UINT_PTR>(child.m_hWnd), TTF_IDISHWND, "Only one text"},
        {"an id without a string", 3998, 0, ""},
    };
    for (bool wide : {false, true})
    {
        for (const Case& c : cases)
        {
            SCOPED_TRACE(std::string(c.name) + (wide ? " (wide)" : ""));
            EXPECT_EQ(AskText(wnd, c.id, c.flags, wide), c.expected);
        }
    }
    wnd.DestroyWindow();
}
