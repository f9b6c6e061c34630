// CXTPDialogBase: a framework dialog that can host a command-bars manager, and CXTPDialog, the dialog
// class of that family.
//
// The command-bars layer of the toolkit is not part of this build yet: the manager pointer stays null, so
// SetCommandBars reports FALSE, saving and loading the layout do nothing and messages and keys take the
// dialog's own route. Every operation already checks for the manager the way it will when it exists.
#pragma once

#include "framework/Dialog.h"

class CXTPCommandBars;

template <class TBase> class CXTPDialogBase : public TBase
{
public:
    CXTPDialogBase() : TBase() {}
    CXTPDialogBase(UINT nIDTemplate, CWnd* pParentWnd) : TBase(nIDTemplate, pParentWnd) {}
    ~CXTPDialogBase() override { m_pCommandBars = nullptr; }

    // Keys for an edit box inside a command bar pass untranslated (Tab, Enter and Escape excepted); then the
    // manager's keyboard handling; then the dialog's own.
    BOOL PreTranslateMessage(MSG* pMsg) override { return TBase::PreTranslateMessage(pMsg); }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        return TBase::OnWndMsg(message, wParam, lParam, pResult);
    }

    using TBase::Create;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd) override
    {
        return TBase::Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
    }

    // Makes a manager of the given class with this dialog as its site. FALSE: no command-bars layer.
    virtual BOOL SetCommandBars(CRuntimeClass* /*pCommandBarsClass*/) { return FALSE; }
    // Options, bar state and shortcuts under the profile name; nothing without a manager.
    virtual void SaveCommandBars(const char* /*profileName*/) {}
    virtual void LoadCommandBars(const char* /*profileName*/, BOOL /*silent*/) {}

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    CXTPCommandBars* m_pCommandBars = nullptr;
};

class CXTPDialog : public CXTPDialogBase<CDialog>
{
public:
    CXTPDialog() = default;
    CXTPDialog(UINT nIDTemplate, CWnd* pParentWnd) : CXTPDialogBase<CDialog>(nIDTemplate, pParentWnd) {}
};
