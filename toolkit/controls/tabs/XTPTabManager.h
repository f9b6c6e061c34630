// The model and input logic of a row of tabs that has no window of its own: the owner window
// forwards mouse and key input here and answers repositioning, redrawing and icon drawing by
// overriding the virtual operations. Layout and drawing belong to CXTPTabPaintManager.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/FrameworkString.h"
#include "framework/Geometry.h"
#include "toolkit/controls/tabs/XTPTabManagerNavigateButton.h"

#include <vector>

#include <commctrl.h>
#include <windows.h>

class CXTPTabManager;
class CXTPTabPaintManager;
class CXTPImageManagerIcon;
class CXTPMarkupContext;
class CXTPMarkupUIElement;

// Anything the paint manager notifies when one of its settings changes.
class CXTPTabManagerAtom
{
public:
    CXTPTabManagerAtom() = default;
    CXTPTabManagerAtom(const CXTPTabManagerAtom&) = delete;
    CXTPTabManagerAtom& operator=(const CXTPTabManagerAtom&) = delete;

    virtual void OnPropertyChanged() { Reposition(); }
    // The owner lays the row out again and redraws it.
    virtual void Reposition() = 0;
    virtual ~CXTPTabManagerAtom() = default;
};

// Automatic item colours: 0x1000000 + n stands for the n-th of eight colours.
enum
{
    xtpTabColorAutomaticFirst = 0x1000000,
    xtpTabColorAutomaticLast = 0x1000007
};

// One tab. Reference counted: the manager's array holds one reference; loops that must outlive a
// deletion by the owner hold another.
class CXTPTabManagerItem : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPTabManagerItem)

public:
    CXTPTabManagerItem();
    ~CXTPTabManagerItem() override;

    // Asks the owner to lay the row out again.
    void OnChanged();
    virtual void SetVisible(BOOL bVisible);
    virtual void RemoveNavigateButtons();

    CString GetCaption() const;
    COLORREF GetColor() const;
    void Select();
    // The owner deletes this item.
    void Remove();
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL IsVisible() const { return m_bVisible; }
    // Stores the rectangle and empties those of the item's own buttons.
    void SetRect(int l, int t, int r, int b);
    void SetRect(const CRect& rc) { SetRect(rc.left, rc.top, rc.right, rc.bottom); }
    CRect GetRect() const { return m_rcItem; }
    // Draws the icon in the image of the item's state; a square rectangle of a left or right row
    // with rotated images turns it a quarter turn.
    void DrawImage(CDC* pDC, CRect rcIcon, CXTPImageManagerIcon* pImage);

    int GetIndex() const { return m_nIndex; }
    CXTPTabManager* GetTabManager() const { return m_pTabManager; }
    BOOL IsSelected() const;
    BOOL IsHighlighted() const;
    BOOL IsPressed() const;
    BOOL IsClosable() const { return m_bClosable; }
    void SetClosable(BOOL bClosable) { m_bClosable = bClosable; }
    void SetCaption(LPCSTR lpszCaption);
    void SetTooltip(LPCSTR lpszTooltip) { m_strToolTip = lpszTooltip; }
    CString GetTooltip() const { return m_strToolTip; }
    void SetImageIndex(int nImage) { m_nImage = nImage; }
    int GetImageIndex() const { return m_nImage; }
    void SetColor(COLORREF clr) { m_clrItem = clr; }
    COLORREF GetRawColor() const { return m_clrItem; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    DWORD_PTR GetData() const { return m_dwData; }
    CXTPTabManagerNavigateButtons& GetNavigateButtons() { return m_arrNavigateButtons; }
    CXTPMarkupUIElement* GetMarkupUIElement() const { return m_pMarkupUIElement; }

public:
    int m_nIndex = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bVisible = TRUE;
    int m_nImage = 0;
    COLORREF m_clrItem = 0;
    CRect m_rcItem;
    int m_nLength = 0;
    int m_nContentLength = 0;
    CXTPTabManager* m_pTabManager = nullptr;
    DWORD_PTR m_dwData = 0;
    BOOL m_bClosable = TRUE;
    CString m_strCaption;
    CString m_strToolTip;
    CXTPTabManagerNavigateButtons m_arrNavigateButtons;
    CXTPMarkupUIElement* m_pMarkupUIElement = nullptr;
    int m_nRow = 0;
};

class CXTPTabManager : public CXTPTabManagerAtom
{
public:
    class CNavigateButtonArrow;
    class CNavigateButtonArrowLeft;
    class CNavigateButtonArrowRight;
    class CNavigateButtonClose;
    class CNavigateButtonTabClose;

    // First and last item index (both inclusive) of one row of tabs.
    struct ROW_ITEMS
    {
        int nFirstItem;
        int nLastItem;
    };

    // The rows the paint manager laid out.
    class CRowIndexer
    {
    public:
        explicit CRowIndexer(CXTPTabManager* pManager) : m_pManager(pManager) {}
        // Reallocates when the count changes; row 0 becomes (0, item count - 1).
        ROW_ITEMS* CreateIndexer(int nRowCount);
        int GetRowCount() const { return (int)m_arrRows.size(); }
        // Null outside the table.
        ROW_ITEMS* GetRow(int nRow);
        ROW_ITEMS* GetRowItems() { return m_arrRows.empty() ? nullptr : &m_arrRows[0]; }

    private:
        CXTPTabManager* m_pManager;
        std::vector<ROW_ITEMS> m_arrRows;
    };

    CXTPTabManager();
    ~CXTPTabManager() override;

    // ---- virtual operations, in their slot order
    virtual CString GetItemCaption(const CXTPTabManagerItem* pItem) const;
    virtual int GetItemImage(const CXTPTabManagerItem* pItem) const;
    virtual COLORREF GetItemColor(const CXTPTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CXTPTabManagerItem* pItem) const;
    virtual void OnItemsChanged();
    virtual void SetSelectedItem(CXTPTabManagerItem* pItem);
    virtual void SelectItem(CXTPTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* lpszButton, CSize* lpszMin = nullptr, CSize* lpszMax = nullptr) const;
    virtual int GetItemsLength() const;
    virtual CXTPTabPaintManager* GetPaintManager() const = 0;
    // Hook for an owner that keeps an item of its own (a workspace's new-tab item); no-op here.
    virtual void OnNewTabItem(CXTPTabManagerItem* pItem);
    virtual void RedrawControl(LPCRECT lpRect, BOOL bAnimate) = 0;
    virtual BOOL IsAllowReorder() const { return m_bAllowReorder; }
    virtual void SetAllowReorder(BOOL bAllowReorder) { m_bAllowReorder = bAllowReorder; }
    virtual BOOL IsDrawStaticFrame() const;
    virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const = 0;
    virtual int GetPosition() const;
    virtual void OnScroll(BOOL bRight);
    virtual INT_PTR PerformToolHitTest(HWND hWnd, CPoint point, TOOLINFOA* pTI) const;
    virtual BOOL PerformKeyDown(HWND hWnd, UINT nChar);
    virtual BOOL DrawParentBackground(CDC* pDC, CRect rc);
    virtual CXTPMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    virtual BOOL IsCloseButtonEnabled(CXTPTabManagerNavigateButton* pButton) const;
    virtual BOOL IsNavigateButtonVisible(CXTPTabManagerNavigateButton* pButton) const;
    virtual void OnItemClick(CXTPTabManagerItem* pItem);
    virtual BOOL IsItemClickAllowed(CXTPTabManagerItem* pItem) const;
    virtual void ReOrder(HWND hWnd, CPoint pt, CXTPTabManagerItem* pItem);
    virtual void OnItemsSwapped(CXTPTabManagerItem* pItem, CXTPTabManagerItem* pOtherItem);
    virtual void OnItemMoved(CXTPTabManagerItem* pItem, int nOldIndex, int nNewIndex);
    // Called by OnNavigateButtonClick with the button's id just before the owner's reaction.
    virtual void OnBeforeNavigateButtonClick(int nID);
    virtual void OnNavigateButtonClick(CXTPTabManagerNavigateButton* pButton);
    virtual BOOL IsMouseLocked() const { return FALSE; }
    virtual BOOL HasFocus() const { return FALSE; }
    // Hook for owners that route notifications of their own through the manager; no-op here.
    virtual void OnOwnerNotify(UINT nCode, WPARAM wParam, LPARAM lParam);

    // ---- items
    CXTPTabManagerItem* AddItem(int nItem, CXTPTabManagerItem* pItem = nullptr);
    BOOL DeleteItem(int nItem);
    void DeleteAllItems();
    int GetItemCount() const { return (int)m_arrItems.size(); }
    // Null (and an assertion in debug builds) outside 0..count-1.
    CXTPTabManagerItem* GetItem(int nIndex) const;
    int FindIndex(const CXTPTabManagerItem* pItem) const;
    void SetCurSel(int nIndex);
    int GetCurSel() const;
    CXTPTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CXTPTabManagerItem* GetHighlightedItem() const { return m_pHighlighted; }
    CXTPTabManagerItem* GetPressedItem() const { return m_pPressed; }
    CXTPTabManagerNavigateButton* GetHighlightedButton() const { return m_pHighlightedNavigateButton; }
    CXTPTabManagerItem* FindNextFocusable(int nIndex, int nDirection) const;

    // ---- hit tests and input
    CXTPTabManagerItem* HitTest(CPoint point) const;
    CXTPTabManagerItem* HitTest(int x, int y) const { return HitTest(CPoint(x, y)); }
    CXTPTabManagerNavigateButton* HitTestNavigateButton(CPoint point, BOOL bHeaderOnly, int* pnIndex = nullptr) const;
    BOOL PerformClick(HWND hWnd, CPoint pt, BOOL bNoItemClick = FALSE);
    BOOL PerformClick(HWND hWnd, int x, int y, BOOL bNoItemClick) { return PerformClick(hWnd, CPoint(x, y), bNoItemClick); }
    // (-1, -1) clears the hot item.
    void PerformMouseMove(HWND hWnd, CPoint pt);
    void PerformMouseMove(HWND hWnd, int x, int y) { PerformMouseMove(hWnd, CPoint(x, y)); }

    // ---- row and scrolling
    void EnsureVisible(CXTPTabManagerItem* pItem);
    void SetHeaderOffset(int nOffset);
    int GetHeaderOffset() const { return m_nHeaderOffset; }
    void SetActive(BOOL bActive);
    BOOL IsActive() const { return m_bActive; }
    BOOL IsHorizontalPosition() const;
    CRect GetHeaderRect() const { return m_rcHeaderRect; }
    CRect GetControlRect() const { return m_rcControl; }
    CRect GetClientRect() const { return m_rcClient; }
    CRowIndexer* GetRowIndexer() const { return m_pRowIndexer; }
    int GetRowCount() const { return m_pRowIndexer->GetRowCount(); }
    CXTPTabManagerNavigateButtons& GetNavigateButtons() { return m_arrNavigateButtons; }
    CXTPTabManagerNavigateButton* FindNavigateButton(int nID) const;
    void SetCloseButtonMode(int nMode) { m_nTabCloseButtonMode = nMode; }
    int GetCloseButtonMode() const { return m_nTabCloseButtonMode; }
    void SetMarkupContext(CXTPMarkupContext* pContext) { m_pMarkupContext = pContext; }
    static COLORREF GetAutoColor(COLORREF clr);

    // Whether the window's top-level parent is the active one (hot tracking runs only then);
    // null restores the system test.
    typedef BOOL (*PFNISACTIVE)(HWND hWnd);
    static void SetTopLevelActiveProvider(PFNISACTIVE pfn);
    static BOOL IsTopLevelActive(HWND hWnd);

    // Modal loops read their messages here: TRUE with a message, FALSE when the loop must end
    // (WM_QUIT is posted again with its code; a failing GetMessage ends the loop as well).
    static BOOL PumpMessage(MSG& msg);
    // One message of a capture loop: loopEnd when the loop stops without a click (WM_QUIT, the capture
    // lost (the message is dispatched), WM_CANCELMODE, WM_RBUTTONUP, Esc), loopSwallowed for other
    // key-downs, loopMessage for the caller to handle.
    enum
    {
        loopEnd,
        loopSwallowed,
        loopMessage
    };
    static int ReadLoopMessage(HWND hWnd, MSG& msg);

public:
    CXTPTabManagerItem* m_pSelected = nullptr;
    CXTPTabManagerItem* m_pHighlighted = nullptr;
    CXTPTabManagerItem* m_pPressed = nullptr;
    CXTPTabManagerNavigateButton* m_pHighlightedNavigateButton = nullptr;
    int m_nHeaderOffset = 0;
    BOOL m_bAllowReorder = TRUE;
    BOOL m_bActive = TRUE;
    int m_nTabCloseButtonMode = 0;
    CRect m_rcHeaderRect;
    CRect m_rcControl;
    CRect m_rcClient;
    std::vector<CXTPTabManagerItem*> m_arrItems;
    CXTPTabManagerNavigateButtons m_arrNavigateButtons;
    CRowIndexer* m_pRowIndexer;
    int m_nScrollDelta = 20;
    CXTPMarkupContext* m_pMarkupContext = nullptr;

protected:
    void RedrawItem(CXTPTabManagerItem* pItem, BOOL bAnimate);
    void TrackClick(HWND hWnd, CPoint pt, CXTPTabManagerItem* pItem);
};
