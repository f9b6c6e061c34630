// CXTPControlAction: the shared state of one command id (texts, icon, enabled, checked, visible)
// that every control bound to it shows where its own values are unset. CXTPControlActions: the
// actions of one command bars manager, sorted by id.
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "framework/FrameworkString.h"

class CXTPCommandBars;
class CXTPControl;
class CXTPControlActions;

// Action properties named in change notifications.
const int xtpActionPropertyEnabled = 0;
const int xtpActionPropertyChecked = 1;
const int xtpActionPropertyVisible = 2;
const int xtpActionPropertyCaption = 3;

class CXTPControlAction : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPControlAction)

public:
    explicit CXTPControlAction(CXTPControlActions* pActions = nullptr);
    ~CXTPControlAction() override;

    int GetID() const { return m_nId; }
    void SetID(int nId) { m_nId = nId; }
    int GetIconId() const { return m_nIconId > 0 ? m_nIconId : m_nId; }
    void SetIconId(int nId) { m_nIconId = nId; }
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int nId) { m_nHelpId = nId; }
    CString GetCaption() const { return m_strCaption.IsEmpty() ? m_strTooltipText : m_strCaption; }
    void SetCaption(LPCSTR lpszCaption);
    CString GetTooltip() const { return m_strTooltipText; }
    void SetTooltip(LPCSTR lpsz) { m_strTooltipText = lpsz; }
    CString GetDescription() const { return m_strDescriptionText; }
    void SetDescription(LPCSTR lpsz) { m_strDescriptionText = lpsz; }
    CString GetShortcutText() const { return m_strShortcutText; }
    void SetShortcutText(LPCSTR lpsz) { m_strShortcutText = lpsz; }
    CString GetKeyboardTip() const { return m_strKeyboardTip; }
    void SetKeyboardTip(LPCSTR lpsz) { m_strKeyboardTip = lpsz; }
    CString GetCategory() const { return m_strCategory; }
    void SetCategory(LPCSTR lpsz) { m_strCategory = lpsz; }
    // Enabled as controls see it: every action counts as enabled in customisation mode.
    BOOL GetEnabled() const;
    BOOL GetEnabledState() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled);
    BOOL GetChecked() const { return m_bChecked; }
    void SetChecked(BOOL bChecked);
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible);
    // Applies a command string ("description\ntooltip\ncaption\nkeyboard tip").
    void SetPrompt(LPCSTR lpszPrompt);

    void AttachControl(CXTPControl* pControl);
    void DetachControl(CXTPControl* pControl);
    void RemoveAllControls();
    int GetControlCount() const { return static_cast<int>(m_arrControls.GetSize()); }
    CXTPControl* GetControl(int nIndex) const;
    CXTPCommandBars* GetCommandBars() const;
    // An object the action owns for its controls (a gallery's items); released with the action or
    // when another takes its place.
    CCmdTarget* GetTarget() const { return m_pTarget; }
    void SetTarget(CCmdTarget* pTarget);

private:
    void NotifyChanged(int nProperty, BOOL bLayout);

    CCmdTarget* m_pTarget = nullptr;
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nHelpId = 0;
    BOOL m_bEnabled = TRUE;
    BOOL m_bChecked = FALSE;
    BOOL m_bVisible = TRUE;
    CString m_strCaption;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strShortcutText;
    CString m_strKeyboardTip;
    CString m_strCategory;
    CString m_strParameter;
    CString m_strCustomCaption;
    CArray<CXTPControl*, CXTPControl*> m_arrControls;
    CXTPControlActions* m_pActions;
};

class CXTPControlActions : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPControlActions)

public:
    explicit CXTPControlActions(CXTPCommandBars* pCommandBars = nullptr);
    ~CXTPControlActions() override;

    CXTPControlAction* FindAction(int nId) const;
    CXTPControlAction* Add(int nId);
    int GetCount() const { return static_cast<int>(m_arrActions.GetSize()); }
    // Null outside 0..count-1.
    CXTPControlAction* GetAt(int nIndex) const;
    void RemoveAll();
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

private:
    CArray<CXTPControlAction*, CXTPControlAction*> m_arrActions;
    CXTPCommandBars* m_pCommandBars;
};
