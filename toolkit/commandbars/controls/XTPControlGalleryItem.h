// CXTPControlGalleryItem: one cell of a gallery (an item or a full-width label) and
// CXTPControlGalleryItems: the items of one command, owned by the command's action, which every
// gallery bound to that action shows.
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/FrameworkString.h"

class CXTPControlAction;
class CXTPControlGallery;
class CXTPControlGalleryItems;

class CXTPControlGalleryItem : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPControlGalleryItem)

public:
    CXTPControlGalleryItem() = default;

    int GetID() const { return m_nId; }
    void SetID(int nId) { m_nId = nId; }
    // -1 (the default): the id.
    int GetToolTipID() const { return m_nToolTipId == -1 ? m_nId : m_nToolTipId; }
    void SetToolTipID(int nId) { m_nToolTipId = nId; }
    CString GetCaption() const { return m_strCaption; }
    void SetCaption(LPCSTR lpsz) { m_strCaption = lpsz; }
    CString GetToolTip() const { return m_strToolTip; }
    void SetToolTip(LPCSTR lpsz) { m_strToolTip = lpsz; }
    CString GetDescription() const { return m_strDescription; }
    void SetDescription(LPCSTR lpsz) { m_strDescription = lpsz; }
    // The item's own size, else the collection's item size; a width of 0 takes the full row.
    CSize GetSize() const;
    void SetSize(CSize sz) { m_szItem = sz; }
    BOOL IsLabel() const { return m_bLabel; }
    void SetLabel(BOOL bLabel) { m_bLabel = bLabel; }
    BOOL GetEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    CXTPControlGalleryItems* GetItems() const { return m_pItems; }
    int GetIndex() const { return m_nIndex; }

    // Draws the cell: a label through the gallery painter; an item as a state face (highlighted,
    // pressed, checked) with its caption centred in the state's text colour.
    virtual void Draw(CDC* pDC, CXTPControlGallery* pGallery, CRect rcItem, BOOL bEnabled, BOOL bSelected,
                      BOOL bPressed, BOOL bChecked);
    // Runs when the gallery executes on this item; non-zero: handled (the gallery runs no command).
    virtual BOOL OnExecute(CXTPControlGallery* /*pGallery*/) { return FALSE; }

private:
    friend class CXTPControlGalleryItems;
    int m_nId = 0;
    int m_nToolTipId = -1;
    CString m_strCaption;
    CString m_strToolTip;
    CString m_strDescription;
    CSize m_szItem = CSize(0, 0);
    BOOL m_bLabel = FALSE;
    BOOL m_bEnabled = TRUE;
    int m_nIndex = -1;
    CXTPControlGalleryItems* m_pItems = nullptr;
};

class CXTPControlGalleryItems : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPControlGalleryItems)

public:
    // Becomes the items of pAction (which owns and finally releases them); null: free-standing.
    explicit CXTPControlGalleryItems(CXTPControlAction* pAction = nullptr);
    ~CXTPControlGalleryItems() override;
    CXTPControlGalleryItems(const CXTPControlGalleryItems&) = delete;
    CXTPControlGalleryItems& operator=(const CXTPControlGalleryItems&) = delete;

    // The items of an action, or null.
    static CXTPControlGalleryItems* FromAction(const CXTPControlAction* pAction);

    int GetItemCount() const { return static_cast<int>(m_arrItems.GetSize()); }
    // Null outside 0..count-1.
    CXTPControlGalleryItem* GetItem(int nIndex) const;
    // Appends an item (the collection owns it); the item.
    CXTPControlGalleryItem* AddItem(CXTPControlGalleryItem* pItem);
    CXTPControlGalleryItem* AddItem(int nId, LPCSTR lpszCaption);
    CXTPControlGalleryItem* AddLabel(LPCSTR lpszCaption);
    void Remove(int nIndex);
    void RemoveAll();

    CSize GetItemSize() const { return m_szItem; }
    void SetItemSize(CSize sz);
    // Highlight changes redraw only the old and the new item.
    BOOL IsPartialRedraw() const { return m_bPartialRedraw; }
    void SetPartialRedraw(BOOL b) { m_bPartialRedraw = b; }
    CXTPControlAction* GetAction() const { return m_pAction; }

    // Tried before the item's own drawing; TRUE when it drew the item.
    virtual BOOL PreDrawItem(CDC* /*pDC*/, CXTPControlGallery* /*pGallery*/, CXTPControlGalleryItem* /*pItem*/,
                             CRect /*rcItem*/, BOOL /*bEnabled*/, BOOL /*bSelected*/, BOOL /*bPressed*/,
                             BOOL /*bChecked*/)
    {
        return FALSE;
    }

    // Tells every gallery of the action that the items changed.
    void OnItemsChanged();

private:
    CArray<CXTPControlGalleryItem*, CXTPControlGalleryItem*> m_arrItems;
    CSize m_szItem = CSize(20, 20);
    BOOL m_bPartialRedraw = FALSE;
    CXTPControlAction* m_pAction = nullptr;
};
