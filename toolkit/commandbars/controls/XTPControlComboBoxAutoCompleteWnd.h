// CXTPControlComboBoxAutoCompleteWnd: the shell's auto-completion on the text window of a combo box
// or an edit field. While that window has the focus it watches, through a thread hook, for the
// shell's suggestion drop-down ("Auto-Suggest Dropdown"): when one shows, its mouse input no longer
// ends the bar's tracking and the combo's own list closes; its paging and arrow keys go to it.
#pragma once

#include "toolkit/commandbars/managers/XTPHookManager.h"

class CXTPControlComboBoxAutoCompleteWnd : public CXTPHookManagerHookAble
{
public:
    CXTPControlComboBoxAutoCompleteWnd() = default;
    ~CXTPControlComboBoxAutoCompleteWnd() override;
    CXTPControlComboBoxAutoCompleteWnd(const CXTPControlComboBoxAutoCompleteWnd&) = delete;
    CXTPControlComboBoxAutoCompleteWnd& operator=(const CXTPControlComboBoxAutoCompleteWnd&) = delete;

    // Turns on the shell's completion for the window (shlwapi's "SHAutoComplete", through the
    // system query); null when it fails. A window that has the focus is watched at once.
    static CXTPControlComboBoxAutoCompleteWnd* Attach(HWND hWndEdit, DWORD dwFlags);
    // A field's flags changed: drops its old object and attaches a new one for non-zero flags
    // when the window exists (without one the flags wait for the window). FALSE when the shell
    // refuses.
    static BOOL Reattach(CXTPControlComboBoxAutoCompleteWnd*& pWnd, HWND hWndEdit, DWORD dwFlags);

    // The text window took (TRUE) or lost (FALSE) the focus: install or remove the thread's hook and
    // the keyboard manager's registration. One watched window per process at a time.
    void SetupWindowHook(BOOL bSetup);
    BOOL IsWatching() const;
    // The shell's drop-down while it is shown; null otherwise.
    HWND GetDropDown() const { return m_hWndDropDown; }
    void HideDropDown();

    // Keyboard manager receiver: paging and arrow keys (without Alt) go to the shown drop-down's
    // list; the wheel passes on while it shows.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // What the thread hook hands on: a window about to change its place or visibility.
    void OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pPos);

    static constexpr const char* kDropDownClass = "Auto-Suggest Dropdown";

private:
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    void ForgetDropDown();

    HWND m_hWndEdit = nullptr;
    HWND m_hWndDropDown = nullptr;
};
