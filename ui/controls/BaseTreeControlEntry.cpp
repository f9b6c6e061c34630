#include "ui/controls/BaseTreeControlEntry.h"

#include "ui/controls/BaseTreeControl.h"

#include <vector>

CBaseTreeControlEntry::CBaseTreeControlEntry()
    : m_pControl(nullptr), m_hItem(nullptr), m_pParent(nullptr), m_shownImage(-1), m_shownSelectedImage(-1),
      m_shownHasChildren(-1), m_expandedShown(-1)
{
}

CBaseTreeControlEntry::~CBaseTreeControlEntry()
{
    if (m_pParent)
        m_pParent->RemoveChild(this);
    m_pParent = nullptr;
    if (m_pControl && m_hItem)
    {
        m_pControl->UnregisterItem(m_hItem);
        if (m_pControl->GetSafeHwnd())
            m_pControl->DeleteItem(m_hItem);
        m_hItem = nullptr;
    }
    // The tree view deleted the children's items with this item: forget them before the children go, so
    // that no item is deleted twice.
    for (CBaseTreeControlEntry* child = static_cast<CBaseTreeControlEntry*>(m_children.IterateFirst()); child;
         child = static_cast<CBaseTreeControlEntry*>(m_children.IterateNext()))
    {
        if (m_pControl && child->m_hItem)
            m_pControl->UnregisterItem(child->m_hItem);
        child->DetachItems();
    }
    m_children.IterateEnd();
    DeleteChildren();
}

HTREEITEM CBaseTreeControlEntry::GetItem() const
{
    return m_hItem;
}

void CBaseTreeControlEntry::SetItem(HTREEITEM item)
{
    m_hItem = item;
    m_shownImage = -1;
    m_shownSelectedImage = -1;
    m_shownHasChildren = -1;
    m_expandedShown = -1;
}

CBaseTreeControlEntry* CBaseTreeControlEntry::GetParent() const
{
    return m_pParent;
}

void CBaseTreeControlEntry::SetParent(CBaseTreeControlEntry* parent)
{
    m_pParent = parent;
}

CBaseTreeControlEntry* CBaseTreeControlEntry::GetRoot()
{
    return m_pParent ? m_pParent->GetRoot() : this;
}

BOOL CBaseTreeControlEntry::AddChild(CBaseTreeControlEntry* entry)
{
    if (!entry)
        return FALSE;
    entry->SetParent(this);
    return m_children.AddTail(entry) ? TRUE : FALSE;
}

BOOL CBaseTreeControlEntry::RemoveChild(CBaseTreeControlEntry* entry)
{
    if (!entry)
        return FALSE;
    return m_children.Remove(entry) ? TRUE : FALSE;
}

BOOL CBaseTreeControlEntry::DeleteChildren()
{
    // Each child is cut loose first, so that its destructor does not search this entry's list for itself
    // (which would make deleting n children cost n * n).
    std::vector<CBaseTreeControlEntry*> children;
    children.reserve(static_cast<size_t>(m_children.GetCount()));
    for (void* data = m_children.IterateFirst(); data; data = m_children.IterateNext())
        children.push_back(static_cast<CBaseTreeControlEntry*>(data));
    m_children.IterateEnd();
    m_children.RemoveAll();
    for (CBaseTreeControlEntry* child : children)
    {
        child->m_pParent = nullptr;
        delete child;
    }
    return TRUE;
}

int CBaseTreeControlEntry::GetChildCount() const
{
    return m_children.GetCount();
}

void CBaseTreeControlEntry::GetImages(int* image, int* selectedImage)
{
    if (image)
        *image = 0;
    if (selectedImage)
        *selectedImage = 0;
}

CBaseTreeControlEntry* CBaseTreeControlEntry::LookupItem(HTREEITEM item)
{
    return m_pControl ? m_pControl->LookupItem(item) : nullptr;
}

CDravikList* CBaseTreeControlEntry::GetChildren()
{
    return &m_children;
}

BOOL CBaseTreeControlEntry::UpdateItem(bool recursive)
{
    if (!m_pControl)
        return FALSE;
    BOOL any = FALSE;
    if (m_hItem)
    {
        int image = m_shownImage;
        int selectedImage = m_shownSelectedImage;
        GetImages(&image, &selectedImage);
        if (image == m_shownImage && selectedImage == m_shownSelectedImage)
        {
            any = TRUE; // the item already shows these images
        }
        else
        {
            TVITEMA item = {};
            item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
            item.hItem = m_hItem;
            item.iImage = image;
            item.iSelectedImage = selectedImage;
            if (m_pControl->SetItem(&item))
            {
                m_shownImage = image;
                m_shownSelectedImage = selectedImage;
                any = TRUE;
            }
        }
    }
    if (recursive)
    {
        for (CDravikListElement* e = m_children.GetFirst(); e; e = e->GetNext())
            if (static_cast<CBaseTreeControlEntry*>(e->GetData())->UpdateItem(true))
                any = TRUE;
    }
    return any;
}

BOOL CBaseTreeControlEntry::UpdateChildIndicator()
{
    if (!m_pControl)
        return FALSE;
    SetHasChildren(GetChildCount() > 0);
    m_pControl->UpdateLinesAtRoot();
    return TRUE;
}

BOOL CBaseTreeControlEntry::SetHasChildren(bool hasChildren)
{
    if (!m_pControl || !m_hItem)
        return FALSE;
    if (m_shownHasChildren == (hasChildren ? 1 : 0))
        return TRUE;
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = m_hItem;
    item.cChildren = hasChildren ? 1 : 0;
    if (!m_pControl->SetItem(&item))
        return FALSE;
    m_shownHasChildren = hasChildren ? 1 : 0;
    return TRUE;
}

BOOL CBaseTreeControlEntry::Expand()
{
    return ExpandItem(true);
}

BOOL CBaseTreeControlEntry::Collapse()
{
    return ExpandItem(false);
}

BOOL CBaseTreeControlEntry::SortChildren()
{
    if (!m_pControl || !m_pControl->GetSafeHwnd())
        return FALSE;
    TVSORTCB sort = {};
    sort.hParent = m_hItem;
    sort.lpfnCompare = &CBaseTreeControl::CompareEntries;
    sort.lParam = reinterpret_cast<LPARAM>(m_pControl);
    return static_cast<BOOL>(m_pControl->SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)));
}

BOOL CBaseTreeControlEntry::IsExpanded()
{
    if (!m_pControl || !m_hItem)
        return FALSE;
    return (m_pControl->GetItemState(m_hItem, TVIS_EXPANDED) & TVIS_EXPANDED) ? TRUE : FALSE;
}

CDravikString CBaseTreeControlEntry::GetText() const
{
    return m_text;
}

void CBaseTreeControlEntry::SetText(CDravikString text)
{
    m_text = text;
}

BOOL CBaseTreeControlEntry::RemoveFromTree()
{
    if (!m_pControl || !m_hItem)
        return FALSE;
    BOOL result = FALSE;
    m_pControl->UnregisterItem(m_hItem);
    if (m_pControl->GetSafeHwnd())
        result = m_pControl->DeleteItem(m_hItem);
    SetItem(nullptr);
    return result;
}

BOOL CBaseTreeControlEntry::RemoveFromTreeRecursive()
{
    // Deleting this item deletes those below it too; the descendants only forget theirs.
    BOOL any = RemoveFromTree();
    for (CDravikListElement* e = m_children.GetFirst(); e; e = e->GetNext())
    {
        CBaseTreeControlEntry* child = static_cast<CBaseTreeControlEntry*>(e->GetData());
        if (any)
        {
            if (m_pControl && child->m_hItem)
                m_pControl->UnregisterItem(child->m_hItem);
            child->DetachItems();
        }
        else if (child->RemoveFromTreeRecursive())
        {
            any = TRUE;
        }
    }
    return any;
}

void CBaseTreeControlEntry::DetachItems()
{
    SetItem(nullptr);
    for (CDravikListElement* e = m_children.GetFirst(); e; e = e->GetNext())
    {
        CBaseTreeControlEntry* child = static_cast<CBaseTreeControlEntry*>(e->GetData());
        if (m_pControl && child->m_hItem)
            m_pControl->UnregisterItem(child->m_hItem);
        child->DetachItems();
    }
}

BOOL CBaseTreeControlEntry::ExpandOwnItem(bool expand)
{
    if (!m_hItem || !m_pControl)
        return FALSE;
    const signed char wanted = expand ? 1 : 0;
    if (m_expandedShown == wanted)
        return TRUE;
    if (m_pControl->Expand(m_hItem, expand ? TVE_EXPAND : TVE_COLLAPSE))
    {
        m_expandedShown = wanted;
        return TRUE;
    }
    m_expandedShown = -1;
    return FALSE;
}

BOOL CBaseTreeControlEntry::ExpandItem(bool expand)
{
    BOOL any = FALSE;
    if (m_hItem && m_pControl)
    {
        UpdateChildIndicator();
        any = ExpandOwnItem(expand);
    }
    for (CDravikListElement* e = m_children.GetFirst(); e; e = e->GetNext())
    {
        CBaseTreeControlEntry* child = static_cast<CBaseTreeControlEntry*>(e->GetData());
        if (child->GetChildCount() > 0 && child->ExpandItem(expand))
            any = TRUE;
    }
    return any;
}
