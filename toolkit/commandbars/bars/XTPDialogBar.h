// CXTPDialogBar: a toolbar that hosts one child window (a dialog or any control) below an optional
// caption strip. It docks and floats like a toolbar, keeps a client size for the docked and for the
// floating state, is resized by its edges (the dock context's free resize calls ResizeBar), and
// shows in its caption a popup control (with an optional menu, 9147) and a hide button (9149).
// Dialog bars take no part in customisation.
#pragma once

#include "toolkit/commandbars/bars/XTPPopupBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

class CXTPDialogBar : public CXTPToolBar
{
    DECLARE_SERIAL(CXTPDialogBar)

public:
    // The hide button of the caption: hides the bar; never begins a group; draws Marlett's "r".
    class CControlButtonHide : public CXTPToolBar::CControlButtonHide
    {
    public:
        void SetBeginGroup(BOOL /*bBeginGroup*/) override {}
        void Draw(CDC* pDC) override;
    };
    // The caption as a popup control: opens the caption menu only when that is enabled.
    class CControlCaptionPopup : public CXTPControlPopup
    {
    public:
        CControlCaptionPopup();
        BOOL SetPopup(BOOL bPopup) override;
        void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;
        void Draw(CDC* pDC) override;
        BOOL m_bMenuEnabled = FALSE;
    };
    // The caption menu: opens below its control, towards the left.
    class CCaptionPopupBar : public CXTPPopupBar
    {
    public:
        CCaptionPopupBar();
        void UpdateExcludeRect() override;
    };

    CXTPDialogBar();
    ~CXTPDialogBar() override;

    // ---- state
    void SetChild(CWnd* pChild) { m_hWndChild = pChild ? pChild->GetSafeHwnd() : nullptr; }
    void SetChildHandle(HWND hWnd) { m_hWndChild = hWnd; }
    HWND GetChildHandle() const { return m_hWndChild; }
    void SetCaption(LPCSTR lpszCaption) { m_strCaption = lpszCaption ? lpszCaption : ""; }
    CString GetCaption() const { return m_strCaption; }
    void ShowCaption(BOOL bShow) { m_bCaptionVisible = bShow; }
    BOOL IsCaptionVisible() const { return m_bCaptionVisible; }
    void SetCaptionMenu(BOOL bEnable) { m_bCaptionMenu = bEnable; }
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
    BOOL IsResizable() const { return m_bResizable; }
    void SetMinimumSize(int cx, int cy) { m_szMin = CSize(cx, cy); }
    CSize GetMinimumSize() const { return m_szMin; }
    void SetBorders(int nLeft, int nTop, int nRight, int nBottom) { m_rcBorders.SetRect(nLeft, nTop, nRight, nBottom); }
    CSize GetDockingClientSize() const { return m_szDockingClient; }
    void SetDockingClientSize(CSize sz) { m_szDockingClient = sz; }
    CSize GetFloatingClientSize() const { return m_szFloatingClient; }
    void SetFloatingClientSize(CSize sz) { m_szFloatingClient = sz; }
    int GetCaptionBottom() const { return m_nCaptionBottom; }
    BOOL IsActive() const { return m_bActive; }
    CCaptionPopupBar* GetCaptionPopupBar() const { return m_pCaptionPopupBar; }

    // The margins around the child; the top one includes the caption when it is shown.
    CRect GetClientBorders();
    // The bar's size for a client size (see the layout rules in the source).
    CSize CalcDialogBarSize(int nLength, DWORD dwMode, int cxClient, int cyClient);
    // A resize by the user to the window rectangle (screen) through the edge nHitTest: below the
    // minimum size nothing changes; else the client size of the state is kept and the bar laid out.
    void ResizeBar(const CRect& rcWindow, int nHitTest) override;

    // ---- the bar's operations
    BOOL IsKindQuery1() const override { return TRUE; }
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    BOOL IsPointInBar(CPoint point) const override;
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) override;
    CXTPCommandBar* Clone(BOOL bRecursive = FALSE) override;
    CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0) override;
    // The bar layout saves and restores both client sizes.
    BOOL GetDialogBarClientSizes(CSize& szDocking, CSize& szFloating) const override;
    void SetDialogBarClientSizes(CSize szDocking, CSize szFloating) override;

    // The bar's hit test for a screen point (edges of a resizable bar).
    LRESULT HitTestEdges(CPoint point);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CRect m_rcBorders = CRect(3, 3, 3, 3);
    BOOL m_bResizable = TRUE;
    CSize m_szMin = CSize(50, 50);
    BOOL m_bCaptionVisible = TRUE;
    BOOL m_bCaptionMenu = TRUE;
    int m_nCaptionBottom = 0;
    CSize m_szDockingClient = CSize(200, 200);
    CSize m_szFloatingClient = CSize(200, 200);
    HWND m_hWndChild = nullptr;
    CString m_strCaption;
    CCaptionPopupBar* m_pCaptionPopupBar = nullptr;
    BOOL m_bActive = FALSE;
};
