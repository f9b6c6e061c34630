// CXTPCustomizeDropSource: the customisation drag engine of one command-bars manager. It keeps
// the bars that accept dropped controls (each bar registers when its window is made and leaves
// when it is destroyed) and the window of the customise dialog while one is open. The drag loop
// itself belongs to the drag-and-drop code.
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"

class CXTPCommandBar;
class CXTPCommandBars;
class CWnd;

class CXTPCustomizeDropSource : public CCmdTarget
{
public:
    explicit CXTPCustomizeDropSource(CXTPCommandBars* pCommandBars);
    ~CXTPCustomizeDropSource() override;
    CXTPCustomizeDropSource(const CXTPCustomizeDropSource&) = delete;
    CXTPCustomizeDropSource& operator=(const CXTPCustomizeDropSource&) = delete;

    // Appends a drop target (null is ignored); Unregister removes every entry of the bar.
    void Register(CXTPCommandBar* pCommandBar);
    void Unregister(CXTPCommandBar* pCommandBar);
    int GetTargetCount() const { return static_cast<int>(m_arrTargets.GetSize()); }
    CXTPCommandBar* GetTargetAt(int nIndex) const;
    BOOL IsRegistered(const CXTPCommandBar* pCommandBar) const;

    // The customisation surface: the customise dialog's window while one is open (not owned).
    void SetCustomizeWnd(CWnd* pWnd) { m_pCustomizeWnd = pWnd; }
    CWnd* GetCustomizeWnd() const { return m_pCustomizeWnd; }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    CWnd* m_pCustomizeWnd = nullptr;
    CArray<CXTPCommandBar*, CXTPCommandBar*> m_arrTargets;
    CXTPCommandBars* m_pCommandBars;
};
