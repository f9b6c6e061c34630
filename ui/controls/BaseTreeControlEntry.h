// One node of the program's own tree view: an entry kept beside its native tree-view item.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "foundation/DravikList.h"
#include "foundation/DravikString.h"

class CBaseTreeControl;

class CBaseTreeControlEntry
{
public:
    CBaseTreeControlEntry();
    // Detaches the entry from its parent, unregisters and deletes its item (the tree view removes the items
    // below it with it) and deletes its children.
    virtual ~CBaseTreeControlEntry();

    virtual HTREEITEM GetItem() const;
    virtual void SetItem(HTREEITEM item);
    virtual CBaseTreeControlEntry* GetParent() const;
    virtual void SetParent(CBaseTreeControlEntry* parent);
    // The parent's root, or this entry when it has no parent.
    virtual CBaseTreeControlEntry* GetRoot();
    // FALSE for null; the child's parent becomes this entry and it is appended to the children.
    virtual BOOL AddChild(CBaseTreeControlEntry* entry);
    // FALSE for null; removes the child from the children without deleting it.
    virtual BOOL RemoveChild(CBaseTreeControlEntry* entry);
    // Deletes every child (and so their subtrees) and empties the children.
    virtual BOOL DeleteChildren();
    virtual int GetChildCount() const;
    // The icon of the entry's item: both 0 here; derived entries supply their own.
    virtual void GetImages(int* image, int* selectedImage);
    // The control's entry for an item; null without a control.
    virtual CBaseTreeControlEntry* LookupItem(HTREEITEM item);
    virtual CDravikList* GetChildren();
    // Sets the item's image and selected image from GetImages (and, when recursive, those of every
    // descendant); FALSE without a control; TRUE when any item was set.
    virtual BOOL UpdateItem(bool recursive);
    // Shows the expand button when the entry has children and lets the control update its root lines.
    virtual BOOL UpdateChildIndicator();
    virtual BOOL SetHasChildren(bool hasChildren);
    virtual BOOL Expand();
    virtual BOOL Collapse();
    // Sorts the children's items by label in natural order.
    virtual BOOL SortChildren();
    virtual BOOL IsExpanded();
    virtual CDravikString GetText() const;
    virtual void SetText(CDravikString text);
    // Deletes the entry's item (when the window exists) and forgets it.
    virtual BOOL RemoveFromTree();
    virtual BOOL RemoveFromTreeRecursive();
    // Expands or collapses the entry's item and then, depth first, those of its descendants that have
    // children (an item without children can be neither, so leaves are not visited).
    virtual BOOL ExpandItem(bool expand);

    CBaseTreeControl* GetControl() const { return m_pControl; }
    void SetControl(CBaseTreeControl* control) { m_pControl = control; }
    // The stored text without a copy.
    const CDravikString& PeekText() const { return m_text; }
    // Forgets the items of this entry and its descendants without touching the tree view: for when the
    // tree view has already deleted them (a whole-tree delete, or the item of an ancestor).
    void DetachItems();
    // Expands or collapses this entry's item only (nothing is sent when the item is known to be in that
    // state already); TRUE when it is.
    BOOL ExpandOwnItem(bool expand);
    // Called by the control when the tree view expanded or collapsed the entry's item.
    void NoteExpanded(bool expanded) { m_expandedShown = expanded ? 1 : 0; }

protected:
    CBaseTreeControl* m_pControl;
    HTREEITEM m_hItem;
    CBaseTreeControlEntry* m_pParent;
    CDravikList m_children;
    CDravikString m_text;

    // What the item was last given, so that unchanged images, child indicators and expansion are not sent
    // to the tree view again (every change goes through the entry or is reported to it). -1: not known.
    int m_shownImage;
    int m_shownSelectedImage;
    signed char m_shownHasChildren;
    signed char m_expandedShown;

    friend class CBaseTreeControl;
};
