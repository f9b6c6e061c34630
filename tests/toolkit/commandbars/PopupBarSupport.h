// Helpers of the popup tests: a frame site with a top row bar whose popup controls open popup bars,
// a system query with a fixed work area and animation settings, and a message pump.
#pragma once

#include "BarWindowSupport.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <vector>

namespace cb_popup_test
{
// Fixed answers for the work area, the menu animation settings and the random numbers.
class FixedQuery : public CXTPCommandBarsSystemQuery
{
public:
    FixedQuery() { m_pPrevious = SetCommandBarsSystemQuery(this); }
    ~FixedQuery() override { SetCommandBarsSystemQuery(m_pPrevious); }
    RECT GetWorkArea(POINT) override { return m_rcWork; }
    RECT GetWorkArea(HWND) override { return m_rcWork; }
    BOOL GetMenuAnimation(BOOL& bAnimation) override
    {
        bAnimation = m_bAnimation;
        return m_bAnimationOk;
    }
    BOOL GetMenuFade(BOOL& bFade) override
    {
        bFade = m_bFade;
        return m_bFadeOk;
    }
    int Random() override { return m_nRandom; }

    RECT m_rcWork = {0, 0, 800, 600};
    BOOL m_bAnimation = FALSE;
    BOOL m_bAnimationOk = TRUE;
    BOOL m_bFade = FALSE;
    BOOL m_bFadeOk = TRUE;
    int m_nRandom = 0;

private:
    CXTPCommandBarsSystemQuery* m_pPrevious = nullptr;
};

// Dispatches the waiting messages of the thread.
void Pump();

// Presses and releases a key through the system (SendInput; input tests only).
void SendKey(WORD vk);

// A popup bar (made by CreatePopupBar without a manager) holding buttons with the given ids, each
// captioned "Item <id>"; the caller owns one reference.
CXTPPopupBar* MakePopup(const std::vector<int>& ids);

// Appends to a popup bar a popup control (id 402, caption "More") whose own popup bar holds buttons
// with the ids; returns the control.
CXTPControlPopup* AddSubMenu(CXTPPopupBar* pParent, const std::vector<int>& ids);

// A frame with a top row bar: a plain button (101) and popup controls opening popup bars.
struct PopupFixture : cb_bar_test::BarFixture
{
    PopupFixture() : cb_bar_test::BarFixture({"One"}) {}
    // Appends a popup control of a type whose bar holds buttons with the ids; lays the bar out.
    CXTPControlPopup* AddPopup(int nType, const std::vector<int>& ids, const char* caption = "Menu");
    // The site messages of a kind, in order.
    int CountSite(UINT message) const { return frame.rec.Count(message); }
};
} // namespace cb_popup_test
