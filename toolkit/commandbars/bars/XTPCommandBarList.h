// CXTPCommandBarList: a list of command bars that holds one reference on each bar it contains
// (built on the stack for the bars to save or the bars loaded, and the base of the manager's
// context menus). The destructor releases every bar.
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"

class CXTPCommandBar;
class CXTPCommandBars;

class CXTPCommandBarList : public CCmdTarget
{
public:
    explicit CXTPCommandBarList(CXTPCommandBars* pCommandBars = nullptr) : m_pCommandBars(pCommandBars) {}
    ~CXTPCommandBarList() override;
    CXTPCommandBarList(const CXTPCommandBarList&) = delete;
    CXTPCommandBarList& operator=(const CXTPCommandBarList&) = delete;

    // Appends the bar with a reference of the list's own (the caller keeps its reference); null
    // is not added. Returns the bar.
    CXTPCommandBar* Add(CXTPCommandBar* pCommandBar);
    BOOL Contains(const CXTPCommandBar* pCommandBar) const;
    // The first bar whose bar id is nBarID, or null.
    CXTPCommandBar* FindCommandBar(UINT nBarID) const;
    int GetCount() const { return static_cast<int>(m_arrBars.GetSize()); }
    // Null out of range.
    CXTPCommandBar* GetAt(int nIndex) const;
    // Releases every bar and empties the list.
    void RemoveAll();

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    CArray<CXTPCommandBar*, CXTPCommandBar*> m_arrBars;
    CXTPCommandBars* m_pCommandBars;
};
