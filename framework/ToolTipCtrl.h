// CToolTipCtrl: the tooltip common control as a thin CWnd wrapper (ANSI tool texts).
#pragma once

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)

public:
    CToolTipCtrl() = default;
    using CWnd::CreateEx;
    // A top-level tooltip window owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle = 0, DWORD dwStyleEx = 0);

    // Adds a rectangle tool of pWnd (nIDTool != 0) or the window itself as a tool.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACKA, LPCRECT lpRectTool = nullptr,
                 UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    BOOL GetToolInfo(TOOLINFOA& toolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFOA pToolInfo);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const;
    void Activate(BOOL bActivate);
    void RelayEvent(LPMSG lpMsg);
    void Pop();
    void Update();
    int SetMaxTipWidth(int iWidth);
    int GetMaxTipWidth() const;
    void SetDelayTime(UINT nDelay);
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;
    void SetTipBkColor(COLORREF clr);
    void SetTipTextColor(COLORREF clr);
    void SetMargin(LPRECT lpRect);
    BOOL SetTitle(UINT uIcon, LPCSTR lpstrTitle);
    void TrackActivate(BOOL bActivate, LPTOOLINFOA lpToolInfo);
    void TrackPosition(int xPos, int yPos);
    BOOL AdjustRect(LPRECT lprc, BOOL bLarger = TRUE);

protected:
    static void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool);
};
