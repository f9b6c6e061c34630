#include "framework/ToolTipCtrl.h"
#include "framework/RecordSizes.h"

#include "framework/AppGlobals.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace
{
// The tool-information size that every comctl32 version accepts (without the reserved field).
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;
} // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(pParentWnd, dwStyle, 0);
}

BOOL CToolTipCtrl::CreateEx(CWnd* pParentWnd, DWORD dwStyle, DWORD dwStyleEx)
{
    AfxInitCommonControls();
    BOOL ok =
        CWnd::CreateEx(dwStyleEx, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), nullptr, nullptr);
    if (ok)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return ok;
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool)
{
    ZeroMemory(&ti, sizeof ti);
    ti.cbSize = kToolInfoSize;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0)
    {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
    }
    else
    {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!pWnd || !pWnd->m_hWnd)
        return FALSE;
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->m_hWnd, &ti.rect);
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPSTR>(lpszText);
    ti.uFlags |= TTF_SUBCLASS;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    return AddTool(pWnd, MAKEINTRESOURCEA(nIDText), lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = const_cast<LPSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    // The message has no size parameter: give it the largest text a tooltip keeps.
    char buffer[1024] = {};
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = buffer;
    SendMessage(TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
    buffer[sizeof buffer - 1] = '\0';
    str = buffer;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOA& toolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(toolInfo, pWnd, nIDTool);
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&toolInfo)));
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFOA pToolInfo)
{
    SendMessage(TTM_SETTOOLINFOA, 0, reinterpret_cast<LPARAM>(pToolInfo));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    SendMessage(TTM_ACTIVATE, bActivate);
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::Pop()
{
    SendMessage(TTM_POP);
}

void CToolTipCtrl::Update()
{
    SendMessage(TTM_UPDATE);
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth));
}

int CToolTipCtrl::GetMaxTipWidth() const
{
    return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH));
}

void CToolTipCtrl::SetDelayTime(UINT nDelay)
{
    SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(nDelay));
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELONG(iTime, 0));
}

int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const
{
    return static_cast<int>(SendMessage(TTM_GETDELAYTIME, dwDuration));
}

void CToolTipCtrl::SetTipBkColor(COLORREF clr)
{
    SendMessage(TTM_SETTIPBKCOLOR, clr);
}

void CToolTipCtrl::SetTipTextColor(COLORREF clr)
{
    SendMessage(TTM_SETTIPTEXTCOLOR, clr);
}

void CToolTipCtrl::SetMargin(LPRECT lpRect)
{
    SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(lpRect));
}

BOOL CToolTipCtrl::SetTitle(UINT uIcon, LPCSTR lpstrTitle)
{
    return static_cast<BOOL>(SendMessage(TTM_SETTITLEA, uIcon, reinterpret_cast<LPARAM>(lpstrTitle)));
}

void CToolTipCtrl::TrackActivate(BOOL bActivate, LPTOOLINFOA lpToolInfo)
{
    SendMessage(TTM_TRACKACTIVATE, bActivate, reinterpret_cast<LPARAM>(lpToolInfo));
}

void CToolTipCtrl::TrackPosition(int xPos, int yPos)
{
    SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(xPos, yPos));
}

BOOL CToolTipCtrl::AdjustRect(LPRECT lprc, BOOL bLarger)
{
    return static_cast<BOOL>(SendMessage(TTM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(lprc)));
}
