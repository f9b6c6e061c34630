// CXTPReBar: a rebar control that holds a frame's toolbars, one band per toolbar, in place of the
// command bars' dock bars. The band's id is the toolbar's bar id and its child the toolbar's window.
// The command-bars manager finds the rebar as its site's child AFX_IDW_REBAR (0xE804) and adds and
// removes the bands of the toolbars it makes and removes.
#pragma once

#include "framework/ReBar.h"

class CXTPToolBar;

class CXTPReBar : public CReBar
{
    DECLARE_DYNAMIC(CXTPReBar)

public:
    CXTPReBar() = default;

    // Lays the toolbar out as one horizontal row, takes it out of its dock bar, clears its docking
    // flags and gripper and appends it as the last band with dwStyle (RBBS_...); the band's id becomes
    // the bar id. FALSE when the rebar refuses the band.
    BOOL AddToolBar(CXTPToolBar* pToolBar, DWORD dwStyle);
    // The toolbar held by band nBand; null for another child, no child or no such band.
    CXTPToolBar* GetToolBar(int nBand) const;
    // The band holding pToolBar, searched from the last band to the first; -1 when none does.
    int FindBand(CXTPToolBar* pToolBar) const;
    // Deletes the toolbar's band (the window stays); nothing when the toolbar has no band.
    void RemoveToolBar(CXTPToolBar* pToolBar);
};
