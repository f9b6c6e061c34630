// CDialog: a dialog window from a template resource, run modally by the framework's own loop
// (DoModal) or modeless (Create); and the dialog data exchange (CDataExchange, DDX_ functions).
#pragma once

#include "framework/Exceptions.h"
#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless creation from a template resource (found with AfxFindResourceHandle).
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Uses an in-memory template for the next DoModal.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Creates the dialog, disables its owner and runs the framework's modal loop (pre-translation,
    // IsDialogMessage, WM_KICKIDLE when idle) until EndDialog. Returns the EndDialog result, or -1
    // when the template is missing or the dialog cannot be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Transfers data between the controls and the members through DoDataExchange; FALSE when a
    // value failed validation (the control has the focus then).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreTranslateInput(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

    LPCSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    HWND m_hWndTop = nullptr;

protected:
    // Creates the window from a template with the framework's procedure in place.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    // Loads m_lpszTemplateName (or uses m_lpDialogTemplate); null when missing.
    LPCDLGTEMPLATE LoadTemplate() const;

    DECLARE_MESSAGE_MAP()
};

// The dialog procedure of framework dialogs: calls OnInitDialog, leaves the rest to the map.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Thrown by DDX functions after they have told the user about a bad value.
class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)

public:
    CUserException() = default;
};
[[noreturn]] void AfxThrowUserException();

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    // The control with this id (remembered for Fail); throws CUserException when it is missing.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Puts the focus back on the last prepared control and throws CUserException.
    [[noreturn]] void Fail();
};

// Binds the control with id nIDC to rControl by subclassing it (once; a bound control is kept).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// An integer in an edit control; a text that is not a whole number fails with a message.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
