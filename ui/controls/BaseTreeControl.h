// The program's own tree view: a tree of CBaseTreeControlEntry objects beside the native items, with an
// item-to-entry map, the selected entry, its own label drawing (gradient bars for the selected and hot
// items), a right-button drag image and whole-tree operations.
#pragma once

#include "ui/controls/BaseTreeControlEntry.h"
#include "foundation/DravikList.h"
#include "foundation/DravikMap.h"
#include "framework/GdiObject.h"
#include "framework/ImageList.h"
#include "framework/TreeCtrl.h"

class CBaseTreeControl : public CTreeCtrl
{
public:
    CBaseTreeControl();
    ~CBaseTreeControl() override;

    // Called by the owner once the window exists: the default font, then the image list.
    virtual BOOL Initialize();
    // Clears the selection and removes every entry.
    virtual BOOL Reset();
    virtual BOOL Clear();
    // Fills and sets the icon list; FALSE here.
    virtual BOOL SetupImageList();
    // Binds the entry, sets its text and inserts its item under parent (the root for 0) after the last
    // item; lParam is data, or the entry itself when data is 0. Returns the new item (0 on failure).
    virtual HTREEITEM InsertEntry(CBaseTreeControlEntry* entry, HTREEITEM parent, CDravikString text,
                                  LPARAM data);
    // Sets the label of an item that has an entry and then the entry's text; 1 on success.
    virtual BOOL SetItemText(HTREEITEM item, const char* text);
    virtual void OnEntryClicked(CBaseTreeControlEntry* entry);
    virtual void OnEntryContextMenu(CBaseTreeControlEntry* entry, const POINT* screenPoint);
    virtual void OnEntrySelected(CBaseTreeControlEntry* entry);
    virtual void OnItemExpanded(NMHDR* header, LRESULT* result);
    virtual void OnEntryExpanded(CBaseTreeControlEntry* entry, bool expanded);
    // Root lines (TVS_LINESATROOT) while the tree holds two or more items; TRUE when the style changed.
    virtual BOOL UpdateLinesAtRoot();

    virtual void OnClick(NMHDR* header, LRESULT* result);
    virtual void OnRightClick(NMHDR* header, LRESULT* result);
    virtual void OnSelChanged(NMHDR* header, LRESULT* result);
    virtual void OnBeginRightDrag(NMHDR* header, LRESULT* result);
    virtual void OnItemExpanding(NMHDR* header, LRESULT* result);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnMouseLeave();
    virtual LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    virtual void OnCustomDraw(NMHDR* header, LRESULT* result);

    virtual CBaseTreeControlEntry* GetSelectedEntry() const;
    virtual void SetSelectedEntry(CBaseTreeControlEntry* entry);
    // Whether a dragged entry may be dropped on entry; FALSE here.
    virtual BOOL CanDropOn(CBaseTreeControlEntry* entry);
    virtual BOOL AddRootEntry(CBaseTreeControlEntry* entry);
    virtual int GetRootEntryCount() const;
    // Deletes every item once, then every entry (whose items are forgotten first, so none is deleted
    // twice); TRUE when there were root entries.
    virtual BOOL RemoveAllEntries();
    virtual BOOL DeleteSelectedEntry();
    // Deletes the entry with its subtree and items and updates the former parent's child indicator.
    virtual BOOL DeleteEntry(CBaseTreeControlEntry* entry);
    virtual void SelectCaretItem();
    virtual CBaseTreeControlEntry* FindEntry(HTREEITEM item);
    // The root entry after the selected one, wrapping; null without a selection or with fewer than 2.
    virtual CBaseTreeControlEntry* GetNextRootEntry();
    virtual BOOL SelectEntry(CBaseTreeControlEntry* entry);
    virtual BOOL SelectFirstItem();
    virtual BOOL ClearDropHighlight();
    virtual BOOL UpdateAllRootItems();
    virtual void GetDragInfo(int* first, int* second);
    virtual BOOL ExpandRootItems();
    virtual BOOL ExpandAllEntries();
    virtual BOOL CollapseAllEntries();
    virtual BOOL IsRightDragEnabled() const;
    virtual void SetRightDragEnabled(bool enabled);
    virtual BOOL RegisterItem(HTREEITEM item, CBaseTreeControlEntry* entry);
    virtual BOOL UnregisterItem(HTREEITEM item);
    virtual CBaseTreeControlEntry* LookupItem(HTREEITEM item) const;
    virtual BOOL AreEventsEnabled() const;
    virtual BOOL AreNotificationsEnabled() const;
    virtual BOOL IsHotHighlightEnabled() const;
    virtual void SetHotHighlightEnabled(bool enabled);
    // WM_SETREDRAW with the flag, then remembers it; TRUE.
    virtual BOOL SetRedraw(bool redraw);
    virtual BOOL IsRedrawEnabled() const;
    // Nested iteration over the root entries in insertion order.
    virtual CBaseTreeControlEntry* FirstRootEntry();
    virtual CBaseTreeControlEntry* NextRootEntry();
    virtual BOOL EndRootIteration();
    virtual BOOL SortRootItems();
    virtual CImageList* GetImageListObject();
    virtual CDravikList* GetRootEntries();
    virtual CDravikMap* GetItemMap();
    virtual CImageList* GetDragImageList() const;
    virtual void SetDragImageList(CImageList* list);
    virtual void SetRedrawEnabledFlag(bool redraw);
    virtual void DeleteDragImageList();
    virtual CBaseTreeControlEntry* GetDropTargetEntry() const;
    virtual void SetDropTargetEntry(CBaseTreeControlEntry* entry);
    virtual BOOL TrackMouseLeave();
    virtual BOOL IsMouseTracking() const;
    virtual void SetMouseTracking(bool tracking);
    // A new entry bound to this control; derived controls make their own kind.
    virtual CBaseTreeControlEntry* CreateEntry();
    virtual BOOL IsKeyHandled() const;
    virtual void SetKeyHandled(bool handled);
    virtual CDravikList* GetFocusedHotTable();
    virtual CDravikList* GetFocusedSelectionTable();
    virtual CDravikList* GetUnfocusedSelectionTable();
    virtual BOOL BuildHighlightTables();
    virtual BOOL ReleaseHighlightTables();
    // "MS Shell Dlg", height 14, weight 400, ClearType quality.
    virtual BOOL CreateDefaultFont();

    // Label comparison of the sorts: natural order of the entries' texts, clamped to -1, 0, 1.
    static int CALLBACK CompareEntries(LPARAM first, LPARAM second, LPARAM control);
    // The 64-bit key halves of an item handle (the handle sign-extended).
    static unsigned int ItemKeyLow(HTREEITEM item)
    {
        return static_cast<unsigned int>(reinterpret_cast<UINT_PTR>(item));
    }
    // Gives a map keyed by items more buckets as it fills (a tree may hold hundreds of thousands of
    // items; with the default bucket count every look-up would walk long chains).
    static void KeepChainsShort(CDravikMap& map);
    static unsigned int ItemKeyHigh(HTREEITEM item)
    {
        return static_cast<unsigned int>(
            static_cast<unsigned long long>(static_cast<long long>(reinterpret_cast<INT_PTR>(item))) >> 32);
    }
    // Number of items in the tree: every item is inserted through InsertEntry and registered, so the item
    // map counts them without asking the tree view.
    int GetItemCount() const { return m_itemMap.GetCount(); }

protected:
    // The entry under a screen position (the last message's position when null); flags of the hit test.
    CBaseTreeControlEntry* HitTestMessagePos(UINT* flags, POINT* screenPoint);
    // Collapses the items of those children of entry that have children.
    void CollapseChildItems(CBaseTreeControlEntry* entry);

    CDravikList m_rootEntries;
    CDravikMap m_itemMap;
    CImageList m_imageList;
    CBaseTreeControlEntry* m_pSelectedEntry;
    CBaseTreeControlEntry* m_pDropTargetEntry;
    CImageList* m_pDragImageList;
    bool m_bMouseTracking;
    bool m_bRightDragEnabled;
    bool m_bKeyHandled;
    bool m_bHotHighlight;
    CDravikList m_focusedSelectionTable;
    CDravikList m_focusedHotTable;
    CDravikList m_unfocusedSelectionTable;
    bool m_bRedrawEnabled;
    CFont m_font;

    DECLARE_MESSAGE_MAP()
};
