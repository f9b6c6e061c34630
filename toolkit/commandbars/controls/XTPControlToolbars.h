// CXTPControlToolbars: the placeholder of the list of toolbars (command 0xE800) in the toolbars
// context menu. Before each layout it replaces the items it added last time by one checked item per
// toolbar of the manager that is closeable and shown in the toolbars list; executing an item shows or
// hides that toolbar.
#pragma once

#include "toolkit/commandbars/controls/XTPControlButton.h"

class CXTPControlToolbars : public CXTPControlButton
{
    DECLARE_DYNCREATE(CXTPControlToolbars)

public:
    // One item of the list: its tag is the toolbar's index in the manager.
    class CXTPControlToolbar : public CXTPControlButton
    {
    public:
        CXTPControlToolbar();
        void OnExecute() override;
        CXTPControl* Clone(BOOL bRecursive = FALSE) override;
    };

    CXTPControlToolbars();
    void OnCalcDynamicSize(DWORD dwMode) override;

    // The parameter that marks the list's items.
    static const char* const kItemParameter;
    // Appends "&Customize..." (35001) after the toolbars when the manager may be customised (the
    // manager's context menu asks for it).
    BOOL m_bShowCustomizeItem = FALSE;
};
