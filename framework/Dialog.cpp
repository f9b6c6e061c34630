#include "framework/Dialog.h"

#include "framework/AppGlobals.h"
#include "framework/WinApp.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CUserException, CException)

// ---------------------------------------------------------------- dialog procedure

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE; // everything else went through the message map already
    CDialog* pDialog = static_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDialog)
        return TRUE;
    try
    {
        return pDialog->OnInitDialog();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    OutputDebugStringA("Quorvex framework: exception stopped at dialog initialisation\n");
    // A dialog whose initialisation failed must not stay on screen half set up.
    pDialog->EndDialog(IDABORT);
    return FALSE;
}

// ---------------------------------------------------------------- construction

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

LPCDLGTEMPLATE CDialog::LoadTemplate() const
{
    if (!m_lpszTemplateName)
        return m_lpDialogTemplate;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, reinterpret_cast<LPCSTR>(RT_DIALOG));
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!hResource)
        return nullptr;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    return hTemplate ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (!lpDialogTemplate || m_hWnd)
        return FALSE;
    AfxInitCommonControls();
    HWND hWnd;
    {
        AfxWindowCreationScope hook(this);
        if (!hook.Installed())
            return FALSE;
        hWnd =
            ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &AfxDlgProc, 0);
    }

    if (!hWnd)
    {
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    if (m_hWnd != hWnd)
    {
        // Destroyed during initialisation (EndDialog on a modeless dialog) or not seen by the hook.
        if (!m_hWnd && ::IsWindow(hWnd))
            SubclassWindow(hWnd);
    }
    return m_hWnd != nullptr;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    LPCDLGTEMPLATE lpTemplate = LoadTemplate();
    if (!lpTemplate)
        return FALSE;
    return CreateDlgIndirect(lpTemplate, m_pParentWnd, AfxGetInstanceHandle());
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, m_pParentWnd, AfxGetInstanceHandle());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = nullptr;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

// ---------------------------------------------------------------- modal run

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = LoadTemplate();
    if (!lpTemplate || m_hWnd)
        return -1;

    HWND hWndParent = nullptr;
    CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop);
    hWndParent = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : m_hWndTop;
    if (hWndParent && (::GetWindowLongPtrA(hWndParent, GWL_STYLE) & WS_CHILD))
        hWndParent = m_hWndTop;

    // The owner is disabled while the dialog runs, as a modal dialog's owner must be.
    BOOL bEnableParent = FALSE;
    if (hWndParent && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), AfxGetInstanceHandle()))
    {
        if (m_nFlags & WF_CONTINUEMODAL)
        {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);

    if (m_hWnd)
        DestroyWindow();
    m_hWndTop = nullptr;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else if (m_hWnd)
        ::EndDialog(m_hWnd, nResult); // modeless: hides the window
}

// ---------------------------------------------------------------- handlers

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE))
        EndDialog(-1);
    return TRUE; // focus to the first control
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return; // the control in error has the focus
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
        return TRUE;
    }
    catch (CUserException* e)
    {
        e->Delete();
    }
    return FALSE;
}

BOOL CDialog::PreTranslateInput(MSG* pMsg)
{
    if (!m_hWnd)
        return FALSE;
    const bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                       (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!input)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) // tooltips of a dialog that enabled them
        return TRUE;
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Plain commands and their updates go on to the thread and the application objects.
    return AfxRouteCmdToThreadAndApp(nID, nCode, pExtra, pHandlerInfo);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1L);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

// ---------------------------------------------------------------- data exchange

void AfxThrowUserException()
{
    throw new CUserException;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (!hWndCtrl)
    {
        char text[96];
        std::snprintf(text, sizeof text, "Quorvex framework: dialog control %d does not exist\n", nIDC);
        OutputDebugStringA(text);
        AfxThrowUserException();
    }
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return; // bound already (or created by the program in place of the template's control)
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        pDX->Fail(); // the control belongs to another object
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        CWnd temp(hWndCtrl);
        temp.GetWindowText(value);
        temp.m_hWnd = nullptr;
    }
    else
        ::SetWindowTextA(hWndCtrl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        char text[64] = {};
        ::GetWindowTextA(hWndCtrl, text, sizeof text);
        char* end = nullptr;
        errno = 0;
        long parsed = std::strtol(text, &end, 10);
        while (end && (*end == ' ' || *end == '\t'))
            ++end;
        if (end == text || !end || *end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        {
            AfxMessageBox("Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = static_cast<int>(parsed);
    }
    else
    {
        char text[32];
        std::snprintf(text, sizeof text, "%d", value);
        ::SetWindowTextA(hWndCtrl, text);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}
