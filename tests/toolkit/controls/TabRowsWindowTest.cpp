// Tab rows as a window shows them: rows on the four sides, a scrolled row with its arrows and a
// header of several rows, laid out with the real message font and painted in the window's WM_PAINT.
// With the environment variable QVX_TAB_ROWS_HOLD_MS set, the window stays on screen that long so
// that it can be looked at.
#include "TabTestSupport.h"

#include "framework/DC.h"
#include "tests/common/MemorySurface.h"
#include "tests/common/MessagePump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace tab_test;

namespace
{
const char* const kCaptions[] = {"General", "Details", "Preview", "Log"};

// Managers measured by their captions (no fixed lengths), each laid out in its own rectangle and
// painted by the window (also for WM_PRINTCLIENT).
class CRowsWindow
{
public:
    CRowsWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "QvxTabRowsWindow";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, wc.lpszClassName, "Tab rows", WS_POPUP | WS_BORDER, 30, 30, 900, 420, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, LONG_PTR(this));
    }
    ~CRowsWindow() { ::DestroyWindow(m_hWnd); }
    CRowsWindow(const CRowsWindow&) = delete;
    CRowsWindow& operator=(const CRowsWindow&) = delete;

    CTestTabManager* Add(CRect rc, int nPosition, int nLayout, const std::vector<std::string>& captions, int nSelected)
    {
        auto pManager = std::make_unique<CTestTabManager>(rc);
        pManager->m_pPaintManager->SetPosition(nPosition);
        pManager->m_pPaintManager->SetLayout(nLayout);
        for (const std::string& caption : captions)
        {
            CXTPTabManagerItem* pItem = pManager->AddItem(-1);
            pItem->SetCaption(caption.c_str());
        }
        pManager->SetSelectedItem(pManager->GetItem(nSelected));
        pManager->Reposition();
        m_managers.push_back(std::move(pManager));
        return m_managers.back().get();
    }
    void Show()
    {
        ::ShowWindow(m_hWnd, SW_SHOWNA);
        ::UpdateWindow(m_hWnd);
    }

    HWND m_hWnd = nullptr;
    std::vector<std::unique_ptr<CTestTabManager>> m_managers;
    int m_nPaints = 0;

private:
    void Paint(HDC hDC)
    {
        CDC dc;
        dc.Attach(hDC);
        for (auto& pManager : m_managers)
            pManager->GetPaintManager()->DrawTabControl(pManager.get(), &dc, pManager->m_rcLayout);
        dc.Detach();
    }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* pThis = reinterpret_cast<CRowsWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (message == WM_PAINT && pThis)
        {
            PAINTSTRUCT ps;
            HDC hDC = ::BeginPaint(hWnd, &ps);
            pThis->Paint(hDC);
            ::EndPaint(hWnd, &ps);
            ++pThis->m_nPaints;
            return 0;
        }
        if (message == WM_PRINTCLIENT && pThis)
        {
            pThis->Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
};

std::vector<std::string> Documents(int nCount)
{
    std::vector<std::string> captions;
    for (int i = 1; i <= nCount; ++i)
        captions.push_back("Document " + std::to_string(i));
    return captions;
}
} // namespace

TEST(TabRowsWindow, RowsOnEverySideAScrolledRowAndSeveralRows)
{
    CRowsWindow window;
    ASSERT_TRUE(window.m_hWnd);
    const std::vector<std::string> four(kCaptions, kCaptions + 4);
    struct Side
    {
        int nPosition;
        CRect rc;
        const char* name;
    } sides[] = {
        {xtpTabPositionTop, CRect(10, 10, 290, 190), "top"},
        {xtpTabPositionBottom, CRect(300, 10, 580, 190), "bottom"},
        {xtpTabPositionLeft, CRect(590, 10, 720, 400), "left"},
        {xtpTabPositionRight, CRect(730, 10, 888, 400), "right"},
    };
    for (const Side& side : sides)
    {
        SCOPED_TRACE(side.name);
        CTestTabManager* pManager = window.Add(side.rc, side.nPosition, xtpTabLayoutAutoSize, four, 1);
        const CRect rcHeader = pManager->GetHeaderRect();
        ASSERT_FALSE(rcHeader.IsRectEmpty());
        // The header lies along its side of the control; the tabs follow one another along it.
        switch (side.nPosition)
        {
        case xtpTabPositionTop: EXPECT_LT(rcHeader.top - side.rc.top, 4); break;
        case xtpTabPositionBottom: EXPECT_LT(side.rc.bottom - rcHeader.bottom, 4); break;
        case xtpTabPositionLeft: EXPECT_LT(rcHeader.left - side.rc.left, 4); break;
        case xtpTabPositionRight: EXPECT_LT(side.rc.right - rcHeader.right, 4); break;
        }
        const bool bVertical = side.nPosition == xtpTabPositionLeft || side.nPosition == xtpTabPositionRight;
        for (int i = 1; i < 4; ++i)
        {
            const CRect rcPrev = pManager->GetItem(i - 1)->GetRect();
            const CRect rc = pManager->GetItem(i)->GetRect();
            if (bVertical)
                EXPECT_LE(rcPrev.bottom, rc.top + 1) << i;
            else
                EXPECT_LE(rcPrev.right, rc.left + 1) << i;
        }
    }

    // Twelve documents in a row too short for them: scrolled to the last, arrows at the row's end.
    CTestTabManager* pScrolled =
        window.Add(CRect(10, 200, 290, 300), xtpTabPositionTop, xtpTabLayoutAutoSize, Documents(12), 11);
    pScrolled->EnsureVisible(pScrolled->GetItem(11));
    pScrolled->Reposition();
    EXPECT_LT(pScrolled->GetHeaderOffset(), 0);
    CXTPTabManagerNavigateButton* pLeft = pScrolled->FindNavigateButton(xtpTabNavigateButtonLeft);
    CXTPTabManagerNavigateButton* pRight = pScrolled->FindNavigateButton(xtpTabNavigateButtonRight);
    ASSERT_TRUE(pLeft && pRight);
    EXPECT_FALSE(pLeft->GetRect().IsRectEmpty());
    EXPECT_TRUE(pLeft->IsEnabled()) << "scrolled: the row can go back";
    EXPECT_LE(pScrolled->GetItem(11)->GetRect().right, pScrolled->GetHeaderRect().right);
    EXPECT_LE(pScrolled->GetHeaderRect().right, pLeft->GetRect().left);

    // The same documents on several rows: every tab shown, none scrolled, rows justified.
    CTestTabManager* pRows =
        window.Add(CRect(300, 200, 580, 400), xtpTabPositionTop, xtpTabLayoutMultiRow, Documents(9), 4);
    EXPECT_GE(pRows->GetRowCount(), 2);
    EXPECT_EQ(0, pRows->GetHeaderOffset());
    for (int i = 0; i < 9; ++i)
    {
        const CRect rc = pRows->GetItem(i)->GetRect();
        EXPECT_FALSE(rc.IsRectEmpty()) << i;
        EXPECT_GE(rc.left, pRows->m_rcLayout.left) << i;
        EXPECT_LE(rc.right, pRows->m_rcLayout.right) << i;
    }
    EXPECT_TRUE(pRows->FindNavigateButton(xtpTabNavigateButtonLeft)->GetRect().IsRectEmpty())
        << "no arrows with several rows";

    // Painted on screen: the window's pixels inside each control differ from the empty background.
    window.Show();
    qvx_test::PumpUntil([&] { return window.m_nPaints > 0; }, 5000);
    EXPECT_GT(window.m_nPaints, 0);
    // What the window paints, printed into a memory surface (the screen may be shared with other
    // windows): the selected tab of every control has ink inside its outline.
    qvx_test::CMemorySurface surface(900, 420);
    surface.Clear(RGB(255, 255, 255));
    ::SendMessageA(window.m_hWnd, WM_PRINTCLIENT, WPARAM(surface.DC()), PRF_CLIENT);
    for (auto& pManager : window.m_managers)
    {
        const CRect rc = pManager->GetSelectedItem()->GetRect();
        int nInk = 0;
        for (int x = rc.left + 1; x < rc.right - 1; ++x)
            for (int y = rc.top + 1; y < rc.bottom - 1; ++y)
                nInk += surface.Pixel(x, y) != RGB(255, 255, 255);
        EXPECT_GT(nInk, 0) << "the selected tab of the control at " << pManager->m_rcLayout.left << ","
                           << pManager->m_rcLayout.top;
    }

    if (const char* pszHold = std::getenv("QVX_TAB_ROWS_HOLD_MS"))
        qvx_test::PumpMessages(static_cast<DWORD>(std::atoi(pszHold)));
}
