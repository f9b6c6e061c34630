// CXTPDialogBase: a framework dialog that can host a command-bars manager, and CXTPDialog, the dialog
// class of that family.
//
// The manager is made by SetCommandBars with the dialog as its site and four dock bars; from then on the
// dialog's messages pass its frame-message hook first and its keyboard pre-translation sees every message
// before the dialog's own. The manager is reference-counted: the dialog holds one reference and releases it
// when it is replaced and when the dialog is destroyed.
#pragma once

#include "framework/Dialog.h"
#include "framework/Exceptions.h"
#include "framework/Wnd.h"
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPShortcutManager.h"

template <class TBase> class CXTPDialogBase : public TBase
{
public:
    CXTPDialogBase() : TBase() {}
    CXTPDialogBase(UINT nIDTemplate, CWnd* pParentWnd) : TBase(nIDTemplate, pParentWnd) {}
    ~CXTPDialogBase() override { ReleaseCommandBars(); }

    // Keys for an edit box inside a command bar pass untranslated (Tab, Enter and Escape excepted); then the
    // manager's keyboard handling; then the dialog's own.
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        const int decided = PreTranslateCommandBarsMessage(pMsg);
        if (decided >= 0)
            return decided;
        return TBase::PreTranslateMessage(pMsg);
    }

    // The manager's frame-message hook first; what it handles goes no further.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_pCommandBars && m_pCommandBars->OnFrameWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        return TBase::OnWndMsg(message, wParam, lParam, pResult);
    }

    using TBase::Create;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd) override
    {
        return TBase::Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
    }

    // Releases the current manager and makes a new one of the given class (null: CXTPCommandBars) with this
    // dialog as its site and its four dock bars. FALSE when the class cannot be created or makes no
    // command-bars manager, or a dock bar cannot be made; the dialog then has none.
    virtual BOOL SetCommandBars(CRuntimeClass* pCommandBarsClass)
    {
        ReleaseCommandBars();
        if (!pCommandBarsClass)
            pCommandBarsClass = RUNTIME_CLASS(CXTPCommandBars);
        CObject* pObject = pCommandBarsClass->CreateObject();
        if (!pObject)
            return FALSE;
        if (!pObject->IsKindOf(RUNTIME_CLASS(CXTPCommandBars)))
        {
            delete pObject;
            return FALSE;
        }
        m_pCommandBars = static_cast<CXTPCommandBars*>(pObject);
        m_pCommandBars->SetSite(this);
        // The dock bars are windows: when one cannot be made the dialog is left without a manager.
        try
        {
            m_pCommandBars->EnableDocking();
        }
        catch (CException* e)
        {
            e->Delete();
            ReleaseCommandBars();
            return FALSE;
        }
        return TRUE;
    }
    // The options under the profile name ("<profile>-Options"), the bar layout (and the customised
    // controls of a customizable manager), then the shortcuts (under the profile name itself; only when
    // the shortcut manager has a default table); nothing without a manager.
    virtual void SaveCommandBars(const char* profileName)
    {
        if (!m_pCommandBars || !profileName)
            return;
        m_pCommandBars->SaveOptions(profileName);
        m_pCommandBars->SaveBarState(profileName, TRUE);
        if (m_pCommandBars->GetShortcutManager())
            m_pCommandBars->GetShortcutManager()->SaveShortcuts(profileName);
    }
    virtual void LoadCommandBars(const char* profileName, BOOL silent)
    {
        if (!m_pCommandBars || !profileName)
            return;
        m_pCommandBars->LoadOptions(profileName);
        m_pCommandBars->LoadBarState(profileName, silent);
        if (m_pCommandBars->GetShortcutManager())
            m_pCommandBars->GetShortcutManager()->LoadShortcuts(profileName);
    }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // A key message (other than Tab, Enter and Escape) while an edit box inside a command bar has the focus:
    // it reaches the box untranslated.
    static bool IsCommandBarEditKey(const MSG* pMsg)
    {
        if (!pMsg || pMsg->message < WM_KEYDOWN || pMsg->message > 0x109 || pMsg->wParam == VK_TAB ||
            pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)
            return false;
        CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
        return pFocus && pFocus->IsKindOf(RUNTIME_CLASS(CXTPCommandBarEditCtrl));
    }

    // The command-bar steps of the key pre-translation: FALSE for a key (other than Tab, Enter and Escape)
    // meant for a command bar's edit box, TRUE when the manager consumes the message, -1 when the dialog's
    // own rules decide.
    int PreTranslateCommandBarsMessage(MSG* pMsg)
    {
        if (!pMsg)
            return -1;
        if (IsCommandBarEditKey(pMsg))
            return FALSE;
        if (m_pCommandBars && m_pCommandBars->PreTranslateFrameMessage(pMsg))
            return TRUE;
        return -1;
    }

protected:
    void ReleaseCommandBars()
    {
        if (m_pCommandBars)
        {
            CXTPCommandBars* pCommandBars = m_pCommandBars;
            m_pCommandBars = nullptr;
            pCommandBars->InternalRelease();
        }
    }
    CXTPCommandBars* m_pCommandBars = nullptr;
};

class CXTPDialog : public CXTPDialogBase<CDialog>
{
public:
    CXTPDialog() = default;
    CXTPDialog(UINT nIDTemplate, CWnd* pParentWnd) : CXTPDialogBase<CDialog>(nIDTemplate, pParentWnd) {}
};
