// The small buttons at the end of a tab row (scroll back, scroll on, close) and the close button a
// tab may carry: they place themselves, say whether they show, draw their glyph and run their own
// click loop with auto-repeat. The arrow and close kinds are nested in CXTPTabManager
// (toolkit/controls/tabs/XTPTabManagerButtons.h).
#pragma once

#include "framework/DC.h"
#include "framework/FrameworkString.h"
#include "framework/Geometry.h"

#include <memory>
#include <vector>

#include <windows.h>

class CXTPTabManager;
class CXTPTabManagerItem;

enum XTPTabNavigateButton
{
    xtpTabNavigateButtonLeft = 0,
    xtpTabNavigateButtonRight = 1,
    xtpTabNavigateButtonClose = 2
};

// Show modes: 0 never, 1 when the manager says so (automatic), 2 always.
enum XTPTabNavigateButtonFlags
{
    xtpTabNavigateButtonNone = 0,
    xtpTabNavigateButtonAutomatic = 1,
    xtpTabNavigateButtonAlways = 2
};

class CXTPTabManagerNavigateButton
{
public:
    CXTPTabManagerNavigateButton(CXTPTabManager* pManager, int nID, int nFlags);
    virtual ~CXTPTabManagerNavigateButton();
    CXTPTabManagerNavigateButton(const CXTPTabManagerNavigateButton&) = delete;
    CXTPTabManagerNavigateButton& operator=(const CXTPTabManagerNavigateButton&) = delete;

    // Takes the button's extent off the length left for the tabs when the button shows.
    virtual void AdjustWidth(int& nWidth);
    // The paint manager's navigate button size.
    virtual CSize GetSize() const;
    // Captures the mouse and tracks the press until release, Esc, cancel or capture loss.
    virtual void PerformClick(HWND hWnd, CPoint pt);
    // Places the button at the end of rcRow and takes its room from it (empty when hidden).
    virtual void Reposition(CRect& rcRow);
    virtual void DrawSymbol(CDC* pDC, CRect rc) = 0;
    // TRUE for each repeat tick while held, FALSE once for a completed click.
    virtual void OnExecute(BOOL bTick);

    CString GetTooltip() const { return m_strToolTip; }
    void SetTooltip(LPCSTR lpszTooltip) { m_strToolTip = lpszTooltip; }
    void SetRect(int l, int t, int r, int b) { m_rcButton.SetRect(l, t, r, b); }
    CRect GetRect() const { return m_rcButton; }
    void Draw(CDC* pDC);

    int GetID() const { return m_nID; }
    int GetFlags() const { return m_nFlags; }
    void SetFlags(int nFlags) { m_nFlags = nFlags; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsHighlighted() const;
    CXTPTabManager* GetManager() const { return m_pManager; }
    CXTPTabManagerItem* GetItem() const { return m_pItem; }

    // The clock of the repeat; null restores GetTickCount.
    typedef DWORD (*PFNTICKCOUNT)();
    static void SetTickCountProvider(PFNTICKCOUNT pfn);
    // Milliseconds between two repeat ticks.
    enum
    {
        nRepeatPeriod = 20
    };

public:
    int m_nID;
    int m_nFlags;
    CXTPTabManager* m_pManager;
    CRect m_rcButton;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPressed = FALSE;
    CString m_strToolTip;
    CXTPTabManagerItem* m_pItem = nullptr;

protected:
    // Placing shared by every kind once it is decided that the button shows.
    void PlaceAtEnd(CRect& rcRow);

private:
    // Cleared by the destructor: a click loop whose button is deleted by a message it dispatches
    // sees it and stops touching the button.
    std::shared_ptr<bool> m_pAlive;
};

// The owning array of buttons of a manager or of an item.
class CXTPTabManagerNavigateButtons
{
public:
    CXTPTabManagerNavigateButtons() = default;
    ~CXTPTabManagerNavigateButtons() { RemoveAll(); }
    CXTPTabManagerNavigateButtons(const CXTPTabManagerNavigateButtons&) = delete;
    CXTPTabManagerNavigateButtons& operator=(const CXTPTabManagerNavigateButtons&) = delete;

    int GetSize() const { return (int)m_arr.size(); }
    // Null outside 0..size-1.
    CXTPTabManagerNavigateButton* GetAt(int nIndex) const;
    CXTPTabManagerNavigateButton* operator[](int nIndex) const { return GetAt(nIndex); }
    int Add(CXTPTabManagerNavigateButton* pButton);
    // Deletes every button and empties the array.
    void RemoveAll();

private:
    std::vector<CXTPTabManagerNavigateButton*> m_arr;
};
