// The custom control on real toolbars of a docking manager: its hosted edit window placed at the
// control rectangle less the borders, the vertical options in a left-docked bar, hot tracking over
// the hosted window from posted mouse moves, and finding the window again by its dialog id after
// loading.
#include "ToolBarSupport.h"

#include "toolkit/commandbars/controls/XTPControlCustom.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPHookManager.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using tb_test::DockingOnFrame;

namespace
{
const int kEditId = 4242;

void PumpMessages()
{
    MSG msg;
    for (int n = 0; n < 200 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

BOOL HasStyle(HWND hWnd, DWORD dwStyle)
{
    return (static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_STYLE)) & dwStyle) == dwStyle;
}

// Counts the mouse moves a window still receives after the objects hooked later passed them on.
class MoveCounter : public CXTPHookManagerHookAble
{
public:
    int OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT&) override
    {
        if (nMessage == WM_MOUSEMOVE)
            ++m_nMoves;
        return 0;
    }
    int m_nMoves = 0;
};

class CustomControlOnFrame : public DockingOnFrame
{
protected:
    // An edit window, a popup of its own until a bar takes it, or a child of hWndParent.
    HWND MakeEdit(HWND hWndParent = nullptr, int nId = kEditId)
    {
        const DWORD dwStyle = hWndParent ? (WS_CHILD | WS_BORDER) : (WS_POPUP | WS_BORDER);
        HMENU hId = hWndParent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)) : nullptr;
        HWND hWnd = ::CreateWindowExA(0, "EDIT", "", dwStyle, 0, 0, 20, 20, hWndParent ? hWndParent : frame.m_hWnd,
                                      hId, ::GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(hWnd, nullptr);
        return hWnd;
    }
    // A toolbar with two buttons and a custom control hosting hEdit (80 x 18, borders 3, 2, 4, 1).
    CXTPControlCustom* AddCustom(CXTPToolBar* pBar, HWND hEdit, int nVerticalOptions = 0)
    {
        CXTPControl* pControl = pBar->GetControls()->AddByType(xtpControlCustom, 500);
        CXTPControlCustom* pCustom = dynamic_cast<CXTPControlCustom*>(pControl);
        EXPECT_NE(pCustom, nullptr);
        if (!pCustom)
            return nullptr;
        pCustom->SetControl(hEdit);
        pCustom->SetSize(CSize(80, 18));
        pCustom->SetBorders(3, 2, 4, 1);
        pCustom->SetVerticalPositionOption(nVerticalOptions);
        Layout();
        return pCustom;
    }
};
} // namespace

TEST_F(CustomControlOnFrame, KindJoinsAddByTypeWithItsDefaults)
{
    CXTPControls* pControls = new CXTPControls();
    CXTPControl* p = pControls->AddByType(xtpControlCustom, 77);
    ASSERT_NE(dynamic_cast<CXTPControlCustom*>(p), nullptr);
    EXPECT_EQ(p->GetType(), xtpControlCustom);
    EXPECT_EQ(p->GetID(), 77);
    EXPECT_EQ(p->GetFlags(), xtpFlagNoMovable);
    CXTPControlCustom* pCustom = static_cast<CXTPControlCustom*>(p);
    EXPECT_EQ(pCustom->GetControl(), nullptr);
    EXPECT_EQ(pCustom->GetVerticalPositionOption(), 0);
    EXPECT_TRUE(pCustom->IsChildShown());
    pControls->InternalRelease();
}

TEST_F(CustomControlOnFrame, EditSitsAtTheControlRectangleLessBorders)
{
    CXTPToolBar* pBar = AddToolBar("Custom", {100, 101});
    ASSERT_NE(pBar, nullptr);
    HWND hEdit = MakeEdit();
    CXTPControlCustom* pCustom = AddCustom(pBar, hEdit);
    ASSERT_NE(pCustom, nullptr);

    // The popup became the bar's child and shows.
    EXPECT_EQ(::GetParent(hEdit), pBar->GetSafeHwnd());
    EXPECT_TRUE(HasStyle(hEdit, WS_CHILD));
    EXPECT_FALSE(HasStyle(hEdit, WS_POPUP));
    EXPECT_TRUE(HasStyle(hEdit, WS_VISIBLE));

    const CRect rcControl = pCustom->GetRect();
    EXPECT_EQ(rcControl.Width(), 80 + 3 + 4);
    CRect rcExpected = rcControl;
    rcExpected.DeflateRect(3, 2, 4, 1);
    EXPECT_EQ(DockingOnFrame::RectIn(hEdit, pBar->GetSafeHwnd()), rcExpected);

    // Disabling the control disables the window; hiding it hides the window.
    pCustom->SetEnabled(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hEdit));
    pCustom->SetEnabled(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hEdit));
    pCustom->SetVisible(FALSE);
    EXPECT_FALSE(HasStyle(hEdit, WS_VISIBLE));
    pCustom->SetVisible(TRUE);
    Layout();
    EXPECT_TRUE(HasStyle(hEdit, WS_VISIBLE));

    // Taken off the bar, the window is hidden but lives on.
    pBar->GetControls()->Remove(pCustom);
    EXPECT_TRUE(::IsWindow(hEdit));
    EXPECT_FALSE(HasStyle(hEdit, WS_VISIBLE));
}

TEST_F(CustomControlOnFrame, VerticalOptionsInALeftDockedBar)
{
    struct Case
    {
        const char* name;
        int nPosition;
        int nOption;
        BOOL bHideBit;     // hide bit 4 on the control
        BOOL bChildShown;  // the window visible
    } const cases[] = {
        {"left, option 0 hides the control", xtpBarLeft, 0, TRUE, FALSE},
        {"left, option 1 keeps the window", xtpBarLeft, 1, FALSE, TRUE},
        {"left, option 2 hides only the window", xtpBarLeft, 2, FALSE, FALSE},
        {"top, option 0 shows it", xtpBarTop, 0, FALSE, TRUE},
        {"top, option 2 shows it", xtpBarTop, 2, FALSE, TRUE},
    };
    for (const Case& c : cases)
    {
        CXTPToolBar* pBar = AddToolBar(c.name, {100, 101}, c.nPosition);
        ASSERT_NE(pBar, nullptr) << c.name;
        HWND hEdit = MakeEdit();
        CXTPControlCustom* pCustom = AddCustom(pBar, hEdit, c.nOption);
        ASSERT_NE(pCustom, nullptr) << c.name;
        // The window joins the bar once the control is laid out somewhere visible.
        if (c.bChildShown)
        {
            EXPECT_EQ(::GetParent(hEdit), pBar->GetSafeHwnd()) << c.name;
        }
        EXPECT_EQ((pCustom->GetHideFlags() & xtpHideDockingPosition) != 0, c.bHideBit != FALSE) << c.name;
        EXPECT_EQ(pCustom->IsVisible() != FALSE, c.bHideBit == FALSE) << c.name;
        EXPECT_EQ(HasStyle(hEdit, WS_VISIBLE), c.bChildShown) << c.name;
        if (c.nOption == 2)
        {
            EXPECT_EQ(pCustom->IsChildShown(), c.bChildShown) << c.name;
        }
        bars->Remove(pBar);
        ::DestroyWindow(hEdit);
    }
}

TEST_F(CustomControlOnFrame, OptionTwoBringsTheWindowBackWhenDockedAtTheTop)
{
    CXTPToolBar* pBar = AddToolBar("Moving", {100}, xtpBarLeft);
    ASSERT_NE(pBar, nullptr);
    HWND hEdit = MakeEdit();
    CXTPControlCustom* pCustom = AddCustom(pBar, hEdit, 2);
    ASSERT_NE(pCustom, nullptr);
    EXPECT_FALSE(HasStyle(hEdit, WS_VISIBLE));
    ASSERT_TRUE(bars->DockCommandBar(pBar, xtpBarTop));
    Layout();
    EXPECT_TRUE(pCustom->IsChildShown());
    EXPECT_EQ(::GetParent(hEdit), pBar->GetSafeHwnd());
    EXPECT_TRUE(HasStyle(hEdit, WS_VISIBLE));
}

TEST_F(CustomControlOnFrame, MovesOverTheWindowKeepTheBarsHotTracking)
{
    CXTPToolBar* pBar = AddToolBar("Hot", {100, 101});
    ASSERT_NE(pBar, nullptr);
    HWND hEdit = MakeEdit();
    MoveCounter counter; // hooked before the control: it sees what the control passes on
    GetHookManager()->SetHook(hEdit, &counter);
    CXTPControlCustom* pCustom = AddCustom(pBar, hEdit);
    ASSERT_NE(pCustom, nullptr);
    ::SetForegroundWindow(frame.m_hWnd);
    ::SetActiveWindow(frame.m_hWnd);
    PumpMessages();
    ASSERT_EQ(::GetActiveWindow(), frame.m_hWnd);

    // Hot on the first button, then a move over the hosted window makes the custom control hot.
    const CPoint ptButton = pBar->GetControl(0)->GetRect().CenterPoint();
    ::PostMessageA(pBar->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(ptButton.x, ptButton.y));
    PumpMessages();
    ASSERT_EQ(pBar->GetSelected(), 0);
    ::PostMessageA(hEdit, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(pBar->GetSelected(), pCustom->GetIndex());
    EXPECT_EQ(counter.m_nMoves, 1); // the window still got the move

    // Back over the button: tracking goes on as before.
    ::PostMessageA(pBar->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(ptButton.x, ptButton.y));
    PumpMessages();
    EXPECT_EQ(pBar->GetSelected(), 0);
    GetHookManager()->RemoveHook(hEdit, &counter);
}

TEST_F(CustomControlOnFrame, ControlIdFindsTheWindowAfterLoadingAboveSchemaFive)
{
    CXTPToolBar* pBar = AddToolBar("Holder", {100});
    ASSERT_NE(pBar, nullptr);
    HWND hInSite = MakeEdit(frame.m_hWnd, kEditId);
    HWND hInBar = MakeEdit(pBar->GetSafeHwnd(), kEditId + 1);
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "qvx_cb_custom.ini";

    struct Case
    {
        const char* name;
        int nSchema;
        int nId;
        HWND hExpected;
    } const cases[] = {
        {"schema 6, in the site", 6, kEditId, hInSite},
        {"schema 6, in a bar", 6, kEditId + 1, hInBar},
        {"schema 6, nowhere", 6, kEditId + 9, nullptr},
        {"schema 5 keeps no id", 5, kEditId, nullptr},
    };
    for (const Case& c : cases)
    {
        ::DeleteFileA(file.c_str());
        CXTPControlCustom* pStored = new CXTPControlCustom();
        pStored->SetID(500);
        pStored->SetBorders(1, 2, 3, 4);
        pStored->SetSize(CSize(60, 16));
        pStored->SetVerticalPositionOption(2);
        pStored->SetControlId(c.nId);
        XTP_COMMANDBARS_PROPEXCHANGE_PARAM param;
        param.pCommandBars = bars;
        {
            CXTPPropExchangeIniFile px(FALSE, nullptr, "Custom");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            px.SetExchangeParam(&param);
            pStored->DoPropExchange(&px);
        }
        CXTPControlCustom* pLoaded = new CXTPControlCustom();
        {
            CXTPPropExchangeIniFile px(TRUE, nullptr, "Custom");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            px.SetExchangeParam(&param);
            pLoaded->DoPropExchange(&px);
        }
        EXPECT_EQ(pLoaded->GetControl(), c.hExpected) << c.name;
        EXPECT_EQ(pLoaded->GetControlId(), c.nSchema > 5 ? c.nId : 0) << c.name;
        EXPECT_EQ(pLoaded->GetBorders(), CRect(1, 2, 3, 4)) << c.name;
        EXPECT_EQ(pLoaded->GetControlSize(), CSize(60, 16)) << c.name;
        EXPECT_EQ(pLoaded->GetVerticalPositionOption(), 2) << c.name;
        pLoaded->InternalRelease();
        pStored->InternalRelease();
    }
    ::DeleteFileA(file.c_str());
}

TEST_F(CustomControlOnFrame, CopyTakesTheWindowAndSettings)
{
    HWND hEdit = MakeEdit();
    CXTPControlCustom* pSrc = new CXTPControlCustom();
    pSrc->SetID(9);
    pSrc->SetControl(hEdit);
    pSrc->SetBorders(1, 1, 2, 2);
    pSrc->SetSize(CSize(50, 20));
    pSrc->SetVerticalPositionOption(1);
    pSrc->SetControlId(kEditId);
    CXTPControlCustom* pCopy = dynamic_cast<CXTPControlCustom*>(pSrc->Clone());
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetID(), 9);
    EXPECT_EQ(pCopy->GetControl(), hEdit);
    EXPECT_EQ(pCopy->GetBorders(), CRect(1, 1, 2, 2));
    EXPECT_EQ(pCopy->GetControlSize(), CSize(50, 20));
    EXPECT_EQ(pCopy->GetVerticalPositionOption(), 1);
    EXPECT_EQ(pCopy->GetControlId(), kEditId);
    pCopy->InternalRelease();
    pSrc->InternalRelease();
}
