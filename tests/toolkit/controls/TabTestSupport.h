// Helpers of the tab row tests: an owner that lays its row out on a memory DC and records the
// callbacks it receives, an appearance set that measures items by given lengths (no text widths
// depend on the installed fonts), and a window that posted messages can reach during modal loops.
#pragma once

#include "tests/common/MemorySurface.h"
#include "toolkit/controls/tabs/XTPTabManager.h"
#include "toolkit/controls/tabs/XTPTabManagerButtons.h"
#include "toolkit/controls/tabs/XTPTabPaintManager.h"
#include "toolkit/controls/tabs/XTPTabPaintManagerSets.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace tab_test
{
// A CDC over a memory surface's DC for the length of a test.
class CSurfaceDC : public CDC
{
public:
    explicit CSurfaceDC(const qvx_test::CMemorySurface& surface) { Attach(surface.DC()); }
    ~CSurfaceDC() override { Detach(); }
};

// Property-page tabs whose items measure as the length stored in their data (when not 0) and whose
// text line is a fixed height.
class CFixedAppearance : public CXTPTabPaintManager::CAppearanceSetPropertyPage
{
public:
    explicit CFixedAppearance(int nTextHeight = 16) : m_nFixedTextHeight(nTextHeight) {}
    void RefreshMetrics() override { m_nTextHeight = m_nFixedTextHeight; }
    int GetButtonLength(CDC* pDC, CXTPTabManagerItem* pItem) override
    {
        if (pItem->GetData() != 0)
            return int(pItem->GetData());
        return CAppearanceSetPropertyPage::GetButtonLength(pDC, pItem);
    }
    int m_nFixedTextHeight;
};

// Owner of a tab row: lays it out into rcLayout on a memory DC at every Reposition and records
// what the manager tells it.
class CTestTabManager : public CXTPTabManager
{
public:
    explicit CTestTabManager(CRect rcLayout = CRect(0, 0, 300, 100), int nTextHeight = 16) : m_rcLayout(rcLayout)
    {
        m_pPaintManager = new CXTPTabPaintManager();
        m_pPaintManager->SetAppearanceSet(new CFixedAppearance(nTextHeight));
        m_pPaintManager->AddAtom(this);
        m_hDC = ::CreateCompatibleDC(nullptr);
        m_bReady = true;
    }
    ~CTestTabManager() override
    {
        m_bReady = false;
        DeleteAllItems();
        m_pPaintManager->RemoveAtom(this);
        m_pPaintManager->InternalRelease();
        ::DeleteDC(m_hDC);
    }

    CXTPTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void Reposition() override
    {
        m_nRepositions++;
        if (!m_bReady || m_bInLayout)
            return;
        m_bInLayout = true;
        CDC dc;
        dc.Attach(m_hDC);
        m_pPaintManager->RepositionTabControl(this, &dc, m_rcLayout);
        dc.Detach();
        m_bInLayout = false;
    }
    void RedrawControl(LPCRECT lpRect, BOOL bAnimate) override
    {
        m_arrRedraws.push_back(lpRect ? CRect(*lpRect) : CRect(0, 0, 0, 0));
    }
    BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override
    {
        if (!m_bIcons)
            return FALSE;
        if (bDraw && pDC)
            pDC->FillSolidRect(pt.x, pt.y, szIcon.cx, szIcon.cy, RGB(0, 200, 0));
        return TRUE;
    }
    void OnItemClick(CXTPTabManagerItem* pItem) override
    {
        m_arrEvents.push_back("click " + std::to_string(pItem->GetIndex()));
        CXTPTabManager::OnItemClick(pItem);
    }
    void OnItemsSwapped(CXTPTabManagerItem* pItem, CXTPTabManagerItem* pOther) override
    {
        m_arrEvents.push_back("swap " + std::string(pItem->GetCaption()) + "<>" + std::string(pOther->GetCaption()));
        if (m_fnOnSwap)
            m_fnOnSwap();
    }
    void OnItemMoved(CXTPTabManagerItem* pItem, int nOld, int nNew) override
    {
        m_arrEvents.push_back("moved " + std::to_string(nOld) + "->" + std::to_string(nNew));
    }
    void OnNavigateButtonClick(CXTPTabManagerNavigateButton* pButton) override
    {
        m_arrEvents.push_back("button " + std::to_string(pButton->GetID()));
        CXTPTabManager::OnNavigateButtonClick(pButton);
    }
    void OnScroll(BOOL bRight) override
    {
        CXTPTabManager::OnScroll(bRight);
        m_arrOffsets.push_back(GetHeaderOffset());
    }
    BOOL HasFocus() const override { return m_bFocus; }

    // Items with captions "A", "B", ... measuring the given lengths.
    void AddLengths(const std::vector<int>& arrLengths)
    {
        for (int nLength : arrLengths)
        {
            CXTPTabManagerItem* pItem = new CXTPTabManagerItem();
            pItem->m_strCaption = CString(char('A' + GetItemCount()), 1);
            pItem->SetData(DWORD_PTR(nLength));
            AddItem(-1, pItem);
        }
    }
    std::vector<CRect> Rects() const
    {
        std::vector<CRect> arr;
        for (int i = 0; i < GetItemCount(); i++)
            arr.push_back(GetItem(i)->GetRect());
        return arr;
    }
    std::vector<int> Lengths() const
    {
        std::vector<int> arr;
        for (int i = 0; i < GetItemCount(); i++)
            arr.push_back(GetItem(i)->m_nLength);
        return arr;
    }
    std::string Captions() const
    {
        std::string s;
        for (int i = 0; i < GetItemCount(); i++)
            s += GetItem(i)->GetCaption();
        return s;
    }

    CXTPTabPaintManager* m_pPaintManager;
    CRect m_rcLayout;
    HDC m_hDC;
    bool m_bReady = false;
    bool m_bInLayout = false;
    bool m_bIcons = false;
    BOOL m_bFocus = FALSE;
    int m_nRepositions = 0;
    std::vector<CRect> m_arrRedraws;
    std::vector<std::string> m_arrEvents;
    std::vector<int> m_arrOffsets;
    std::function<void()> m_fnOnSwap;
};

// A plain window for the modal loops: they capture the mouse for it and dispatch to it what is
// not theirs. WM_APP + 1 calls the test's action (deleting a tab, say) while a loop runs.
class CLoopWindow
{
public:
    CLoopWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvxTabLoopWindow";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, wc.lpszClassName, "tabs", WS_POPUP | WS_VISIBLE, 0, 0, 320, 120, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, LONG_PTR(this));
        Drain();
    }
    ~CLoopWindow() { ::DestroyWindow(m_hWnd); }
    CLoopWindow(const CLoopWindow&) = delete;
    CLoopWindow& operator=(const CLoopWindow&) = delete;

    // Removes what is already queued so that a test's posts come first.
    static void Drain()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
                continue;
            ::DispatchMessageA(&msg);
        }
    }
    void Post(UINT message, int x = 0, int y = 0, WPARAM wParam = 0)
    {
        ::PostMessageA(m_hWnd, message, wParam, MAKELPARAM(x, y));
    }

    HWND m_hWnd = nullptr;
    std::function<void()> m_fnAction;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CLoopWindow* pThis = reinterpret_cast<CLoopWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (message == WM_APP + 1 && pThis && pThis->m_fnAction)
        {
            pThis->m_fnAction();
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
};
} // namespace tab_test
