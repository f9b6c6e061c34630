// The navigate button kinds a tab manager makes: the two scroll arrows (ids 0 and 1), the row's
// close button (id 2) and a tab's own close button.
#pragma once

#include "toolkit/controls/tabs/XTPTabManager.h"

class CXTPTabManager::CNavigateButtonArrow : public CXTPTabManagerNavigateButton
{
public:
    CNavigateButtonArrow(CXTPTabManager* pManager, int nID, int nFlags)
        : CXTPTabManagerNavigateButton(pManager, nID, nFlags)
    {
    }
    // Only a button always shown takes room from the tabs.
    void AdjustWidth(int& nWidth) override;
    // Decides enabled and shown from the scroll state, then places itself.
    void Reposition(CRect& rcRow) override;
    // Loads the tooltip of the row's direction.
    virtual void UpdateTooltip(BOOL bHorizontal) = 0;
};

class CXTPTabManager::CNavigateButtonArrowLeft : public CXTPTabManager::CNavigateButtonArrow
{
public:
    explicit CNavigateButtonArrowLeft(CXTPTabManager* pManager, int nFlags = xtpTabNavigateButtonAutomatic)
        : CNavigateButtonArrow(pManager, xtpTabNavigateButtonLeft, nFlags)
    {
    }
    void DrawSymbol(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bTick) override;
    void Reposition(CRect& rcRow) override;
    void UpdateTooltip(BOOL bHorizontal) override;
};

class CXTPTabManager::CNavigateButtonArrowRight : public CXTPTabManager::CNavigateButtonArrow
{
public:
    explicit CNavigateButtonArrowRight(CXTPTabManager* pManager, int nFlags = xtpTabNavigateButtonAutomatic)
        : CNavigateButtonArrow(pManager, xtpTabNavigateButtonRight, nFlags)
    {
    }
    void DrawSymbol(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bTick) override;
    void Reposition(CRect& rcRow) override;
    void UpdateTooltip(BOOL bHorizontal) override;
};

class CXTPTabManager::CNavigateButtonClose : public CXTPTabManagerNavigateButton
{
public:
    CNavigateButtonClose(CXTPTabManager* pManager, int nFlags = xtpTabNavigateButtonNone);
    void DrawSymbol(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bTick) override;
};

class CXTPTabManager::CNavigateButtonTabClose : public CXTPTabManager::CNavigateButtonClose
{
public:
    CNavigateButtonTabClose(CXTPTabManagerItem* pItem, int nFlags);
};
