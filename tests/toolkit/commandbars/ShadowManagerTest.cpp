// The shadow manager: the pixel rule of the layered shadow windows (layered pixels cannot be read
// back under Wine, so the buffer is tested), their rectangles, following the owner, offsets.
#include "CommandBarsTestSupport.h"

#include "toolkit/commandbars/managers/XTPShadowManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <gtest/gtest.h>

#include <vector>

using cb_test::RecordingWindow;

namespace
{
struct FixedQuery : CXTPCommandBarsSystemQuery
{
    BOOL IsDropShadowEnabled() override { return m_bDropShadow; }
    int GetScreenBitsPerPixel() override { return m_nBits; }
    BOOL m_bDropShadow = TRUE;
    int m_nBits = 32;
};

struct QueryScope
{
    explicit QueryScope(CXTPCommandBarsSystemQuery* p) : m_pOld(SetCommandBarsSystemQuery(p)) {}
    ~QueryScope() { SetCommandBarsSystemQuery(nullptr); }
    CXTPCommandBarsSystemQuery* m_pOld;
};

DWORD Px(int alpha, int r, int g, int b)
{
    return (DWORD(alpha) << 24) | (DWORD(r) << 16) | (DWORD(g) << 8) | DWORD(b);
}

RECT WindowRect(HWND hWnd)
{
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    return rc;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
} // namespace

TEST(ShadowManager, PixelTable)
{
    const COLORREF clr = RGB(200, 100, 40);
    struct Case
    {
        int nKind, cx, cy, k, x, y;
        DWORD expected;
    } cases[] = {
        {CXTPShadowManager::shadowCorner, 1, 1, 1, 0, 0, Px(60, 200, 100, 40)},
        {CXTPShadowManager::shadowCorner, 1, 1, 2, 0, 0, Px(120, 200, 100, 40)},
        // bottom: middle columns, rows from the lowest up to the owner: 15k..60k, 1/4..4/4
        {CXTPShadowManager::shadowBottom, 20, 4, 2, 10, 0, Px(120, 200, 100, 40)},
        {CXTPShadowManager::shadowBottom, 20, 4, 2, 10, 3, Px(30, 50, 25, 10)},
        {CXTPShadowManager::shadowBottom, 20, 4, 1, 4, 1, Px(45, 150, 75, 30)},
        // bottom ends: 3k*n*r, colour n*r/20 (n from the nearer end, r from the lowest row)
        {CXTPShadowManager::shadowBottom, 20, 4, 2, 0, 0, Px(24, 40, 20, 8)},
        {CXTPShadowManager::shadowBottom, 20, 4, 2, 19, 0, Px(24, 40, 20, 8)},
        {CXTPShadowManager::shadowBottom, 20, 4, 2, 1, 1, Px(36, 60, 30, 12)},
        {CXTPShadowManager::shadowBottom, 20, 4, 1, 16, 3, Px(12, 40, 20, 8)},
        {CXTPShadowManager::shadowBottom, 20, 4, 1, 3, 0, Px(48, 160, 80, 32)},
        // eight wide: no middle column at all
        {CXTPShadowManager::shadowBottom, 8, 4, 1, 4, 0, Px(48, 160, 80, 32)},
        // right: below the top rows 60k..15k from the owner outwards, 4/4..1/4
        {CXTPShadowManager::shadowRight, 4, 20, 1, 0, 10, Px(60, 200, 100, 40)},
        {CXTPShadowManager::shadowRight, 4, 20, 1, 3, 10, Px(15, 50, 25, 10)},
        {CXTPShadowManager::shadowRight, 4, 20, 2, 1, 19, Px(90, 150, 75, 30)},
        // right top rows: 3k*n*r, n from the outer edge, r from the top
        {CXTPShadowManager::shadowRight, 4, 20, 1, 3, 0, Px(3, 10, 5, 2)},
        {CXTPShadowManager::shadowRight, 4, 20, 2, 0, 3, Px(96, 160, 80, 32)},
        {CXTPShadowManager::shadowRight, 4, 20, 2, 2, 1, Px(24, 40, 20, 8)},
    };
    for (const Case& c : cases)
    {
        std::vector<DWORD> pixels(static_cast<size_t>(c.cx) * c.cy, 0xDEADBEEF);
        CXTPShadowManager::ComputeShadowPixels(c.nKind, c.cx, c.cy, c.k, clr, pixels.data());
        EXPECT_EQ(pixels[static_cast<size_t>(c.y) * c.cx + c.x], c.expected)
            << "kind " << c.nKind << " " << c.cx << "x" << c.cy << " k " << c.k << " at " << c.x << "," << c.y;
        for (DWORD px : pixels)
            ASSERT_NE(px, 0xDEADBEEFu);
    }
}

TEST(ShadowManager, RectanglesAtBothDepths)
{
    const RECT owner = {10, 20, 110, 220};
    struct Case
    {
        int nKind, nDepth;
        RECT expected;
    } cases[] = {
        {CXTPShadowManager::shadowBottom, 4, {14, 220, 114, 224}},
        {CXTPShadowManager::shadowRight, 4, {110, 24, 114, 220}},
        {CXTPShadowManager::shadowCorner, 4, {109, 219, 110, 220}},
        {CXTPShadowManager::shadowBottom, 2, {12, 220, 112, 222}},
        {CXTPShadowManager::shadowRight, 2, {110, 22, 112, 220}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(SameRect(CXTPShadowManager::GetShadowRect(c.nKind, owner, c.nDepth), c.expected))
            << "kind " << c.nKind << " depth " << c.nDepth;
}

TEST(ShadowManager, MenuShadowConditions)
{
    FixedQuery query;
    QueryScope scope(&query);
    RecordingWindow owner;
    struct Case
    {
        DWORD dwOptions;
        BOOL bDropShadow;
        int nBits;
        int nShadows;
    } cases[] = {
        {0, TRUE, 32, 2}, {0, FALSE, 32, 0}, {0, TRUE, 8, 0}, {1, FALSE, 8, 2},
    };
    for (const Case& c : cases)
    {
        query.m_bDropShadow = c.bDropShadow;
        query.m_nBits = c.nBits;
        CXTPShadowManager* pManager = new CXTPShadowManager();
        if (!pManager->m_pfnUpdateLayeredWindow && c.dwOptions == 0)
        {
            pManager->InternalRelease();
            continue; // no layered windows on this system: no alpha shadows at all
        }
        pManager->m_dwOptions = c.dwOptions;
        pManager->SetMenuShadow(CWnd::FromHandle(owner.Handle()));
        EXPECT_EQ(pManager->GetShadowCount(), c.nShadows)
            << "options " << c.dwOptions << " drop " << c.bDropShadow << " bits " << c.nBits;
        pManager->RemoveShadows(CWnd::FromHandle(owner.Handle()));
        EXPECT_EQ(pManager->GetShadowCount(), 0);
        EXPECT_EQ(GetHookManager()->Lookup(owner.Handle()), nullptr);
        pManager->InternalRelease();
    }
}

TEST(ShadowManager, ShadowsFollowOwnerShowAndDestroy)
{
    FixedQuery query;
    QueryScope scope(&query);
    CXTPShadowManager* pManager = new CXTPShadowManager();
    pManager->m_dwOptions = 1;
    RecordingWindow owner(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 200});
    pManager->SetMenuShadow(CWnd::FromHandle(owner.Handle()));
    ASSERT_EQ(pManager->GetShadowCount(), 2);
    CXTPShadowManager::CShadowWnd* pBottom = pManager->GetShadowAt(0);
    CXTPShadowManager::CShadowWnd* pRight = pManager->GetShadowAt(1);
    EXPECT_EQ(pBottom->m_nKind, CXTPShadowManager::shadowBottom);
    EXPECT_EQ(pRight->m_nKind, CXTPShadowManager::shadowRight);
    int nDepth = pManager->IsAlphaShadow() ? 4 : 2;
    EXPECT_TRUE(SameRect(WindowRect(pBottom->GetSafeHwnd()), RECT{100 + nDepth, 200, 300 + nDepth, 200 + nDepth}));
    EXPECT_TRUE(SameRect(WindowRect(pRight->GetSafeHwnd()), RECT{300, 100 + nDepth, 300 + nDepth, 200}));
    EXPECT_TRUE(IsWindowVisible(pBottom->GetSafeHwnd()));
    EXPECT_EQ(GetWindowLongA(pBottom->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);

    ShowWindow(owner.Handle(), SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(pBottom->GetSafeHwnd()));
    EXPECT_FALSE(IsWindowVisible(pRight->GetSafeHwnd()));
    ShowWindow(owner.Handle(), SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(pBottom->GetSafeHwnd()));
    EXPECT_TRUE(IsWindowVisible(pRight->GetSafeHwnd()));

    HWND hBottom = pBottom->GetSafeHwnd(), hRight = pRight->GetSafeHwnd();
    owner.Destroy(); // the shadows unhook and destroy themselves on the owner's WM_DESTROY
    EXPECT_FALSE(IsWindow(hBottom));
    EXPECT_FALSE(IsWindow(hRight));
    EXPECT_EQ(pManager->GetShadowCount(), 0);
    pManager->InternalRelease();
}

TEST(ShadowManager, OffsetShadowsBothDirections)
{
    FixedQuery query;
    QueryScope scope(&query);
    struct Case
    {
        DWORD dwExStyle;
        RECT bottomDelta; // added to left, top, right, bottom
        RECT rightDelta;
    } cases[] = {
        {0, {0, 5, 10, 5}, {10, 0, 10, 5}},
        {WS_EX_LAYOUTRTL, {-10, 5, -10, 5}, {0, 0, 0, 5}},
    };
    for (const Case& c : cases)
    {
        CXTPShadowManager* pManager = new CXTPShadowManager();
        pManager->m_dwOptions = 1;
        RecordingWindow owner(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 200}, nullptr, c.dwExStyle);
        pManager->SetMenuShadow(CWnd::FromHandle(owner.Handle()));
        ASSERT_EQ(pManager->GetShadowCount(), 2);
        HWND hBottom = pManager->GetShadowAt(0)->GetSafeHwnd(), hRight = pManager->GetShadowAt(1)->GetSafeHwnd();
        RECT b0 = WindowRect(hBottom), r0 = WindowRect(hRight);
        pManager->OffsetShadows(CWnd::FromHandle(owner.Handle()), 10, 5);
        RECT b1 = WindowRect(hBottom), r1 = WindowRect(hRight);
        EXPECT_TRUE(SameRect(b1, RECT{b0.left + c.bottomDelta.left, b0.top + c.bottomDelta.top,
                                      b0.right + c.bottomDelta.right, b0.bottom + c.bottomDelta.bottom}))
            << "rtl " << (c.dwExStyle != 0);
        EXPECT_TRUE(SameRect(r1, RECT{r0.left + c.rightDelta.left, r0.top + c.rightDelta.top,
                                      r0.right + c.rightDelta.right, r0.bottom + c.rightDelta.bottom}))
            << "rtl " << (c.dwExStyle != 0);
        owner.Destroy();
        EXPECT_EQ(pManager->GetShadowCount(), 0);
        pManager->InternalRelease();
    }
}

TEST(ShadowManager, ControlShadowNeedsBothOptions)
{
    FixedQuery query;
    QueryScope scope(&query);
    RecordingWindow owner;
    for (DWORD dwOptions : {0u, 1u, 2u, 3u})
    {
        CXTPShadowManager* pManager = new CXTPShadowManager();
        pManager->m_dwOptions = dwOptions;
        pManager->SetControlShadow(10, 10, 50, 30, CWnd::FromHandle(owner.Handle()));
        EXPECT_EQ(pManager->GetShadowCount(), dwOptions == 3 ? 2 : 0) << dwOptions;
        if (dwOptions == 3)
        {
            EXPECT_TRUE(pManager->GetShadowAt(0)->m_bKeepPosition);
            // kept shadows do not move with the owner
            RECT before = WindowRect(pManager->GetShadowAt(0)->GetSafeHwnd());
            pManager->OffsetShadows(CWnd::FromHandle(owner.Handle()), 7, 7);
            EXPECT_TRUE(SameRect(before, WindowRect(pManager->GetShadowAt(0)->GetSafeHwnd())));
        }
        pManager->RemoveShadows(CWnd::FromHandle(owner.Handle()));
        pManager->InternalRelease();
    }
}
