#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"

#include "framework/AppGlobals.h"
#include "framework/CmdUI.h"
#include "framework/DC.h"
#include "framework/FrameworkIds.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/commandbars/controls/XTPControlFieldText.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include <richedit.h>

namespace
{
// Owns the library for the process's lifetime.
struct RichEditLibrary
{
    CXTPCommandBarEditCtrl::RICHEDIT_CONTEXT context;
    RichEditLibrary()
    {
        context.hLibrary = ::LoadLibraryA("RICHED20.DLL");
        if (context.hLibrary)
        {
            context.lpszClass = "RichEdit20A";
            context.bRichEdit2 = TRUE;
            return;
        }
        context.hLibrary = ::LoadLibraryA("RICHED32.DLL");
        if (context.hLibrary)
            context.lpszClass = "RICHEDIT";
    }
    ~RichEditLibrary()
    {
        if (context.hLibrary)
            ::FreeLibrary(context.hLibrary);
    }
};
} // namespace

IMPLEMENT_DYNAMIC(CXTPCommandBarEditCtrl, CEdit)

BEGIN_MESSAGE_MAP(CXTPCommandBarEditCtrl, CEdit)
ON_MESSAGE(WM_IME_STARTCOMPOSITION, OnImeStartComposition)
ON_MESSAGE(WM_IME_ENDCOMPOSITION, OnImeEndComposition)
ON_WM_KILLFOCUS()
ON_WM_PAINT()
ON_WM_SETFOCUS()
ON_WM_MOUSEMOVE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_CONTEXTMENU()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_XTP_TOOLTIP_QUERY, OnTooltipQuery)
ON_CONTROL_REFLECT_EX(EN_CHANGE, OnEditChange)
END_MESSAGE_MAP()

const CXTPCommandBarEditCtrl::RICHEDIT_CONTEXT& CXTPCommandBarEditCtrl::GetRichEditContext()
{
    static RichEditLibrary library;
    return library.context;
}

CXTPCommandBarEditCtrl::CXTPCommandBarEditCtrl() = default;

CXTPCommandBarEditCtrl::~CXTPCommandBarEditCtrl() = default;

BOOL CXTPCommandBarEditCtrl::Create(DWORD dwStyle, CWnd* pParentWnd)
{
    const RICHEDIT_CONTEXT& context = GetRichEditContext();
    if (!context.lpszClass)
        return CEdit::Create(dwStyle, CRect(0, 0, 0, 0), pParentWnd, 0);
    if (!CreateEx(0, context.lpszClass, "", dwStyle, 0, 0, 0, 0, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                  nullptr))
        return FALSE;
    SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
    SendMessage(EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO);
    return TRUE;
}

void CXTPCommandBarEditCtrl::SetTextQuietly(const CString& strText)
{
    if (!m_hWnd)
        return;
    CString strWindow;
    GetWindowText(strWindow);
    if (strWindow == strText)
        return;
    m_bIgnoreChange = TRUE;
    SetWindowText("");
    SetWindowText(strText);
    m_bIgnoreChange = FALSE;
}

void CXTPCommandBarEditCtrl::SetFieldColors(COLORREF clrText, COLORREF clrBack)
{
    if (!m_hWnd)
        return;
    static const UINT kCharFormat2Size = 84;
    static const UINT kCharFormat1Size = 60;
    static_assert(sizeof(CHARFORMAT2A) >= 84, "CHARFORMAT2A holds the colour fields");
    CHARFORMAT2A cf;
    ZeroMemory(&cf, sizeof(cf));
    cf.cbSize = GetRichEditContext().bRichEdit2 ? kCharFormat2Size : kCharFormat1Size;
    cf.dwMask = CFM_COLOR | CFM_BACKCOLOR;
    cf.crTextColor = clrText;
    cf.crBackColor = clrBack;
    SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(clrBack));
}

BOOL CXTPCommandBarEditCtrl::HasSelection() const
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    return nStart != nEnd;
}

BOOL CXTPCommandBarEditCtrl::IsWritable() const
{
    return (GetStyle() & ES_READONLY) == 0 && IsWindowEnabled();
}

BOOL CXTPCommandBarEditCtrl::CanCopy() const
{
    return HasSelection();
}

BOOL CXTPCommandBarEditCtrl::CanCut() const
{
    return HasSelection() && IsWritable();
}

BOOL CXTPCommandBarEditCtrl::CanPaste() const
{
    return IsWritable() && ::IsClipboardFormatAvailable(CF_TEXT);
}

BOOL CXTPCommandBarEditCtrl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == CN_UPDATE_COMMAND_UI && pExtra && GetSafeHwnd())
    {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        switch (nID)
        {
        case ID_EDIT_COPY:
            pCmdUI->Enable(CanCopy());
            return TRUE;
        case ID_EDIT_CUT:
            pCmdUI->Enable(CanCut());
            return TRUE;
        case ID_EDIT_PASTE:
            pCmdUI->Enable(CanPaste());
            return TRUE;
        default:
            break;
        }
    }
    return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CXTPCommandBarEditCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
    {
        switch (LOWORD(wParam))
        {
        case ID_EDIT_COPY:
            SendMessage(WM_COPY);
            return TRUE;
        case ID_EDIT_CUT:
            SendMessage(WM_CUT);
            return TRUE;
        case ID_EDIT_PASTE:
            SendMessage(WM_PASTE);
            return TRUE;
        default:
            break;
        }
    }
    return CEdit::OnCommand(wParam, lParam);
}

LRESULT CXTPCommandBarEditCtrl::OnImeStartComposition(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    m_bImeMode = TRUE;
    return lResult;
}

LRESULT CXTPCommandBarEditCtrl::OnImeEndComposition(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    m_bImeMode = FALSE;
    return lResult;
}

void CXTPCommandBarEditCtrl::OnKillFocus(CWnd*)
{
    Default();
    m_bImeMode = FALSE;
    if (GetFieldControl())
        m_pField->GetOwner()->OnFieldKillFocus();
}

void CXTPCommandBarEditCtrl::OnPaint()
{
    Default();
    if (!m_bComposited)
        return;
    CClientDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CXTPPaintManager::MakeRectOpaque(&dc, rc.left, rc.top, rc.right, rc.bottom);
}
