// CXTPControlCustom: a control that hosts a child window of the application inside a bar. The
// window is placed at the control's rectangle less the borders and shown or hidden with the
// control; the control never destroys it. Without a window it acts as a plain button.
#pragma once

#include "toolkit/commandbars/controls/XTPControlButton.h"
#include "toolkit/commandbars/managers/XTPHookManager.h"

// What a custom control does in a vertical layout.
enum XTPControlCustomVerticalOptions
{
    xtpVerticalHide = 0,       // the control is hidden (hide bit 4)
    xtpVerticalShow = 1,       // nothing changes
    xtpVerticalButton = 2      // the window is hidden and the control acts as a button
};

class CXTPControlCustom : public CXTPControlButton, public CXTPHookManagerHookAble
{
    DECLARE_SERIAL(CXTPControlCustom)

public:
    CXTPControlCustom();
    ~CXTPControlCustom() override;

    // The hosted window (not owned); its mouse moves are watched for the bar's hot tracking.
    void SetControl(HWND hWnd);
    HWND GetControl() const { return m_hwndControl; }
    void SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom);
    CRect GetBorders() const { return m_rcBorders; }
    void SetSize(CSize szControl) { m_szControl = szControl; }
    CSize GetControlSize() const { return m_szControl; }
    void SetVerticalPositionOption(int nOption) { m_verticalOptions = nOption; }
    int GetVerticalPositionOption() const { return m_verticalOptions; }
    int GetControlId() const { return m_nControlId; }
    void SetControlId(int nId) { m_nControlId = nId; }
    BOOL IsChildShown() const { return m_bChildShown; }

    // Places the window at the rectangle less the borders (a window parented elsewhere is taken
    // into the bar first) and refreshes its visibility.
    void SetRect(CRect rcControl) override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnEnabledChanged() override;
    void SetHideFlags(int dwFlags) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    BOOL OnSetSelected(int bSelected) override;
    void OnRemoved() override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // Shows the window (SWP_SHOWWINDOW) when it may be shown, the control is visible and the bar
    // has a window, else hides it; nothing while the window is not the bar's child.
    void RefreshVisibility();

private:
    BOOL HasVisibleChild() const;
    // After loading: the window with the stored dialog id in the site, else in each bar.
    void FindControlById(CXTPCommandBars* pCommandBars);

    HWND m_hwndControl = nullptr;
    CRect m_rcBorders;
    CSize m_szControl = CSize(0, 0);
    int m_verticalOptions = xtpVerticalHide;
    int m_nControlId = 0;
    BOOL m_bChildShown = TRUE;
};
