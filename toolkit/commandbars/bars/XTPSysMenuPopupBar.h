// CXTPControlMDISysMenuPopup (CXTPMenuBar::CControlMDISysMenuPopup): the maximised MDI child's icon at
// the start of the menu bar, opening the child's system menu in a CXTPSysMenuPopupBar (a popup bar
// that cannot be customised; CXTPMenuBar::CControlMDISysMenuPopup::CXTPSysMenuPopupBar).
#pragma once

#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/bars/XTPMenuBar.h"
#include "toolkit/commandbars/bars/XTPPopupBar.h"

class CXTPSysMenuPopupBar : public CXTPPopupBar
{
    DECLARE_DYNCREATE(CXTPSysMenuPopupBar)

public:
    CXTPSysMenuPopupBar();
    BOOL IsCustomizable() const override { return FALSE; }
};

class CXTPControlMDISysMenuPopup : public CXTPControlPopup
{
    DECLARE_DYNCREATE(CXTPControlMDISysMenuPopup)

public:
    typedef ::CXTPSysMenuPopupBar CXTPSysMenuPopupBar;

    CXTPControlMDISysMenuPopup() : CXTPControlMDISysMenuPopup(nullptr, nullptr) {}
    CXTPControlMDISysMenuPopup(HWND hWndChild, HMENU hSysMenu);
    ~CXTPControlMDISysMenuPopup() override;

    // Shows another child's (or the same child's changed) system menu and icon.
    void SetMDISysMenu(HWND hWndChild, HMENU hSysMenu);
    HMENU GetSysMenu() const { return m_hSysMenu; }
    HWND GetChild() const { return m_hWndChild; }
    HICON GetIcon() const { return m_hIcon; }

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;
    BOOL IsCustomizeMovable() const override { return FALSE; }

private:
    void RebuildPopup();

    HMENU m_hSysMenu = nullptr;
    HWND m_hWndChild = nullptr;
    HICON m_hIcon = nullptr; // a 16 x 16 copy, destroyed with the control
};
