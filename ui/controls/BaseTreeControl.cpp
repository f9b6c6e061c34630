#include "ui/controls/BaseTreeControl.h"

#include "ui/controls/DrawingUtilities.h"
#include "foundation/DravikOptimizedMap.h"
#include "foundation/PathUtilities.h"

#include <vector>

namespace
{
// Bucket count of the item map.
const int kItemMapBuckets = 2017;
// Hit-test flags on which a click expands the item: its icon, label or state icon.
const UINT kExpandingHitFlags = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
} // namespace

BEGIN_MESSAGE_MAP(CBaseTreeControl, CTreeCtrl)
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_MOUSEMOVE()
ON_WM_RBUTTONUP()
ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, OnSelChanged)
ON_NOTIFY_REFLECT(TVN_BEGINRDRAGA, OnBeginRightDrag)
ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGA, OnItemExpanding)
ON_NOTIFY_REFLECT(TVN_ITEMEXPANDEDA, OnItemExpanded)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_WM_MOUSELEAVE()
ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CBaseTreeControl::CBaseTreeControl()
    : m_pSelectedEntry(nullptr), m_pDropTargetEntry(nullptr), m_pDragImageList(nullptr),
      m_bMouseTracking(false), m_bRightDragEnabled(true), m_bKeyHandled(false), m_bHotHighlight(true),
      m_bRedrawEnabled(true)
{
    m_itemMap.SetBucketCount(kItemMapBuckets);
    BuildHighlightTables();
}

CBaseTreeControl::~CBaseTreeControl()
{
    DeleteDragImageList();
    RemoveAllEntries();
    ReleaseHighlightTables();
}

BOOL CBaseTreeControl::Initialize()
{
    CreateDefaultFont();
    // The tree view measures its labels with the font it is given; the labels are drawn with this one.
    if (GetSafeHwnd() && m_font.GetSafeHandle())
        CWnd::SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
    return SetupImageList();
}

BOOL CBaseTreeControl::Reset()
{
    SetSelectedEntry(nullptr);
    return RemoveAllEntries();
}

BOOL CBaseTreeControl::Clear()
{
    RemoveAllEntries();
    return FALSE;
}

BOOL CBaseTreeControl::SetupImageList()
{
    return FALSE;
}

HTREEITEM CBaseTreeControl::InsertEntry(CBaseTreeControlEntry* entry, HTREEITEM parent, CDravikString text,
                                        LPARAM data)
{
    if (!entry)
        return nullptr;
    entry->SetControl(this);
    entry->SetText(text);
    int image = 0;
    int selectedImage = 0;
    entry->GetImages(&image, &selectedImage);

    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    // A new item has no children yet: say so in the insertion instead of a separate update.
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    CDravikString label(entry->PeekText());
    insert.item.pszText = const_cast<LPSTR>(label.GetAnsi());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.cChildren = entry->GetChildCount() > 0 ? 1 : 0;
    insert.item.lParam = data ? data : reinterpret_cast<LPARAM>(entry);
    HTREEITEM item = GetSafeHwnd() ? InsertItem(&insert) : nullptr;
    entry->SetItem(item);
    if (item)
    {
        entry->m_shownImage = image;
        entry->m_shownSelectedImage = selectedImage;
        entry->m_shownHasChildren = static_cast<signed char>(insert.item.cChildren);
        RegisterItem(item, entry);
    }
    entry->UpdateChildIndicator();
    if (item)
    {
        CBaseTreeControlEntry* parentEntry = parent ? FindEntry(parent) : nullptr;
        if (parentEntry)
            parentEntry->AddChild(entry);
        else if (!parent)
            AddRootEntry(entry);
    }
    return item;
}

BOOL CBaseTreeControl::SetItemText(HTREEITEM item, const char* text)
{
    if (!item || !text)
        return FALSE;
    CBaseTreeControlEntry* entry = LookupItem(item);
    if (!entry)
        return FALSE;
    if (!CTreeCtrl::SetItemText(item, text))
        return FALSE;
    entry->SetText(CDravikString(text));
    return TRUE;
}

void CBaseTreeControl::OnEntryClicked(CBaseTreeControlEntry*) {}
void CBaseTreeControl::OnEntryContextMenu(CBaseTreeControlEntry*, const POINT*) {}
void CBaseTreeControl::OnEntrySelected(CBaseTreeControlEntry*) {}
void CBaseTreeControl::OnEntryExpanded(CBaseTreeControlEntry*, bool) {}

void CBaseTreeControl::OnItemExpanded(NMHDR* header, LRESULT* result)
{
    if (result)
        *result = 0;
    if (!AreEventsEnabled() || !header)
        return;
    NMTREEVIEWA* view = reinterpret_cast<NMTREEVIEWA*>(header);
    CBaseTreeControlEntry* entry = FindEntry(view->itemNew.hItem);
    const bool expanded = (view->action & TVE_EXPAND) != 0 && (view->action & TVE_COLLAPSE) == 0;
    if (entry)
        entry->NoteExpanded(expanded);
    OnEntryExpanded(entry, expanded);
}

BOOL CBaseTreeControl::UpdateLinesAtRoot()
{
    if (!GetSafeHwnd())
        return FALSE;
    const DWORD style = GetStyle();
    const bool wanted = GetItemCount() >= 2;
    const bool present = (style & TVS_LINESATROOT) != 0;
    if (wanted == present)
        return FALSE;
    return ModifyStyle(wanted ? 0 : TVS_LINESATROOT, wanted ? TVS_LINESATROOT : 0);
}

CBaseTreeControlEntry* CBaseTreeControl::HitTestMessagePos(UINT* flags, POINT* screenPoint)
{
    DWORD position = GetMessagePos();
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (screenPoint)
        *screenPoint = point;
    ScreenToClient(&point);
    TVHITTESTINFO info = {};
    info.pt = point;
    HTREEITEM item = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return item ? FindEntry(item) : nullptr;
}

void CBaseTreeControl::OnClick(NMHDR*, LRESULT* result)
{
    if (result)
        *result = 0;
    if (!AreEventsEnabled())
        return;
    UINT flags = 0;
    CBaseTreeControlEntry* entry = HitTestMessagePos(&flags, nullptr);
    if (!entry)
        return;
    SetSelectedEntry(entry);
    entry->UpdateItem(false);
    OnEntryClicked(entry);
    if ((flags & kExpandingHitFlags) && entry->GetItem() && Expand(entry->GetItem(), TVE_EXPAND))
        entry->NoteExpanded(true);
}

void CBaseTreeControl::OnRightClick(NMHDR*, LRESULT* result)
{
    if (result)
        *result = 0;
    if (!AreEventsEnabled())
        return;
    POINT screen = {};
    CBaseTreeControlEntry* entry = HitTestMessagePos(nullptr, &screen);
    if (entry)
    {
        SelectEntry(entry);
        OnEntryContextMenu(entry, &screen);
    }
    else
    {
        OnEntryContextMenu(nullptr, &screen);
    }
}

void CBaseTreeControl::OnSelChanged(NMHDR* header, LRESULT* result)
{
    if (result)
        *result = 0;
    if (!AreEventsEnabled() || !header)
        return;
    NMTREEVIEWA* view = reinterpret_cast<NMTREEVIEWA*>(header);
    CBaseTreeControlEntry* entry = FindEntry(view->itemNew.hItem);
    SetSelectedEntry(entry);
    if (entry)
        entry->UpdateItem(false);
    OnEntrySelected(entry);
}

void CBaseTreeControl::OnBeginRightDrag(NMHDR*, LRESULT* result)
{
    if (result)
        *result = 0;
    if (!AreEventsEnabled() || !m_bRightDragEnabled)
        return;
    POINT screen = {};
    CBaseTreeControlEntry* entry = HitTestMessagePos(nullptr, &screen);
    if (!entry || !entry->GetItem())
        return;
    SetSelectedEntry(entry);
    entry->UpdateItem(false);
    DeleteDragImageList();
    CImageList* image = CreateDragImage(entry->GetItem());
    if (!image)
        return;
    SetDragImageList(image);
    image->BeginDrag(0, CPoint(0, 0));
    POINT client = screen;
    ScreenToClient(&client);
    CImageList::DragEnter(this, CPoint(client.x, client.y));
}

void CBaseTreeControl::CollapseChildItems(CBaseTreeControlEntry* entry)
{
    if (!entry)
        return;
    CDravikList* children = entry->GetChildren();
    for (CDravikListElement* e = children->GetFirst(); e; e = e->GetNext())
    {
        CBaseTreeControlEntry* child = static_cast<CBaseTreeControlEntry*>(e->GetData());
        // An item without children is never expanded.
        if (child->GetItem() && child->GetChildCount() > 0 && Expand(child->GetItem(), TVE_COLLAPSE))
            child->NoteExpanded(false);
    }
}

void CBaseTreeControl::OnItemExpanding(NMHDR* header, LRESULT* result)
{
    if (result)
        *result = 0;
    if (!AreEventsEnabled() || !header)
        return;
    NMTREEVIEWA* view = reinterpret_cast<NMTREEVIEWA*>(header);
    if (view->action & TVE_EXPAND)
        CollapseChildItems(FindEntry(view->itemNew.hItem));
}

void CBaseTreeControl::OnSize(UINT, int, int)
{
    Default();
}

void CBaseTreeControl::OnRButtonUp(UINT, CPoint)
{
    Default();
    if (AreEventsEnabled() && m_pDragImageList)
        ClearDropHighlight();
}

void CBaseTreeControl::OnMouseMove(UINT, CPoint point)
{
    Default();
    if (!AreEventsEnabled())
        return;
    TVHITTESTINFO info = {};
    info.pt = point;
    HTREEITEM item = HitTest(&info);
    CBaseTreeControlEntry* entry = item ? FindEntry(item) : nullptr;
    if (entry && m_pDragImageList && entry != m_pSelectedEntry)
    {
        SetDropTargetEntry(nullptr);
        SelectDropTarget(nullptr);
        if (CanDropOn(entry))
        {
            SetDropTargetEntry(entry);
            Invalidate();
            UpdateWindow();
            CImageList::DragMove(point);
            SelectDropTarget(entry->GetItem());
        }
    }
    TrackMouseLeave();
}

void CBaseTreeControl::OnKeyDown(UINT key, UINT, UINT)
{
    if (!AreEventsEnabled())
    {
        Default();
        return;
    }
    m_bKeyHandled = false;
    ClearDropHighlight();
    if (key == VK_DELETE)
    {
        SelectCaretItem();
        return;
    }
    Default();
}

void CBaseTreeControl::OnChar(UINT, UINT, UINT)
{
    if (m_bKeyHandled)
        return;
    Default();
}

void CBaseTreeControl::OnMouseLeave()
{
    m_bMouseTracking = false;
}

LRESULT CBaseTreeControl::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_font.GetSafeHandle());
}

void CBaseTreeControl::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    if (!result)
        return;
    *result = CDRF_DODEFAULT;
    if (!header || !AreEventsEnabled())
        return;
    NMTVCUSTOMDRAW* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(header);
    const DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT)
    {
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (stage == CDDS_ITEMPREPAINT)
    {
        *result = CDRF_NOTIFYPOSTPAINT;
        return;
    }
    if (stage != CDDS_ITEMPOSTPAINT || !m_bRedrawEnabled)
        return;
    CBaseTreeControlEntry* entry = reinterpret_cast<CBaseTreeControlEntry*>(draw->nmcd.lItemlParam);
    HTREEITEM item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
    // Only items inserted with their entry as data are drawn here.
    if (!entry || !item || LookupItem(item) != entry || !entry->GetItem())
        return;
    RECT row = {};
    RECT text = {};
    if (!GetItemRect(item, &row, FALSE) || !GetItemRect(item, &text, TRUE))
        return;
    HDC dc = draw->nmcd.hdc;
    const bool enabled = IsWindowEnabled() != FALSE;
    RECT band = {text.left - 1, row.top, row.right, row.bottom};
    HBRUSH background = CreateSolidBrush(enabled ? GetSysColor(COLOR_WINDOW) : draw->clrTextBk);
    FillRect(dc, &band, background);
    DeleteObject(background);

    const UINT state = draw->nmcd.uItemState;
    const bool selected = (state & CDIS_SELECTED) != 0;
    const bool hot = (state & (CDIS_FOCUS | CDIS_HOT)) != 0;
    CDravikList* table = nullptr;
    if (selected || (hot && m_bHotHighlight && enabled))
    {
        const bool focused = ::GetFocus() == GetSafeHwnd();
        if (focused)
            table = selected ? GetFocusedSelectionTable() : GetFocusedHotTable();
        else if (selected)
            table = GetUnfocusedSelectionTable();
    }
    CDravikString label(entry->PeekText());
    COLORREF colour = draw->clrText;
    HGDIOBJ oldFont = nullptr;
    if (m_font.GetSafeHandle())
        oldFont = SelectObject(dc, m_font.GetSafeHandle());
    if (table)
    {
        SIZE extent = {};
        if (label.IsWide())
            GetTextExtentPoint32W(dc, label.GetWide(), label.GetLength(), &extent);
        else
            GetTextExtentPoint32A(dc, label.GetAnsi(), label.GetLength(), &extent);
        const int right = (extent.cx <= band.right - band.left - 4) ? row.right - 4 : row.right;
        DrawGradientBar(dc, band.left, band.top, right, band.bottom, table);
        colour = RGB(0, 0, 0);
    }
    else if (hot)
    {
        colour = RGB(0, 0, 0);
    }
    ::SetTextColor(dc, colour);
    ::SetBkColor(dc, draw->clrTextBk);
    SetBkMode(dc, TRANSPARENT);
    if (label.IsWide())
        TextOutW(dc, text.left + 2, text.top + 1, label.GetWide(), label.GetLength());
    else
        TextOutA(dc, text.left + 2, text.top + 1, label.GetAnsi(), label.GetLength());
    if (oldFont)
        SelectObject(dc, oldFont);
    *result = CDRF_SKIPDEFAULT;
}

CBaseTreeControlEntry* CBaseTreeControl::GetSelectedEntry() const
{
    return m_pSelectedEntry;
}

void CBaseTreeControl::SetSelectedEntry(CBaseTreeControlEntry* entry)
{
    m_pSelectedEntry = entry;
}

BOOL CBaseTreeControl::CanDropOn(CBaseTreeControlEntry*)
{
    return FALSE;
}

BOOL CBaseTreeControl::AddRootEntry(CBaseTreeControlEntry* entry)
{
    if (!entry)
        return FALSE;
    return m_rootEntries.AddTail(entry) ? TRUE : FALSE;
}

int CBaseTreeControl::GetRootEntryCount() const
{
    return m_rootEntries.GetCount();
}

BOOL CBaseTreeControl::RemoveAllEntries()
{
    SetSelectedEntry(nullptr);
    m_pDropTargetEntry = nullptr;
    const BOOL hadEntries = m_rootEntries.GetCount() > 0 ? TRUE : FALSE;
    const bool window = GetSafeHwnd() != nullptr;
    if (window)
        SetRedraw(false);
    m_itemMap.RemoveAll();
    if (window)
        DeleteAllItems();
    // Every item is gone: the entries forget theirs before they are deleted, so that no item is deleted a
    // second time (a freed item handle may already belong to another item).
    std::vector<CBaseTreeControlEntry*> roots;
    roots.reserve(static_cast<size_t>(m_rootEntries.GetCount()));
    for (CDravikListElement* e = m_rootEntries.GetFirst(); e; e = e->GetNext())
        roots.push_back(static_cast<CBaseTreeControlEntry*>(e->GetData()));
    m_rootEntries.RemoveAll();
    for (CBaseTreeControlEntry* root : roots)
    {
        root->DetachItems();
        delete root;
    }
    if (window)
        SetRedraw(true);
    return hadEntries;
}

BOOL CBaseTreeControl::DeleteSelectedEntry()
{
    if (!m_pSelectedEntry)
        return FALSE;
    DeleteEntry(m_pSelectedEntry);
    SetSelectedEntry(nullptr);
    return TRUE;
}

BOOL CBaseTreeControl::DeleteEntry(CBaseTreeControlEntry* entry)
{
    if (!entry)
        return FALSE;
    if (m_pSelectedEntry == entry)
        m_pSelectedEntry = nullptr;
    if (m_pDropTargetEntry == entry)
        m_pDropTargetEntry = nullptr;
    CBaseTreeControlEntry* parent = entry->GetParent();
    if (!parent)
        m_rootEntries.Remove(entry);
    delete entry;
    if (parent)
        parent->UpdateChildIndicator();
    UpdateLinesAtRoot();
    return TRUE;
}

void CBaseTreeControl::SelectCaretItem()
{
    HTREEITEM caret = GetSafeHwnd() ? GetNextItem(nullptr, TVGN_CARET) : nullptr;
    SetSelectedEntry(caret ? FindEntry(caret) : nullptr);
}

CBaseTreeControlEntry* CBaseTreeControl::FindEntry(HTREEITEM item)
{
    return LookupItem(item);
}

CBaseTreeControlEntry* CBaseTreeControl::GetNextRootEntry()
{
    if (!m_pSelectedEntry || m_rootEntries.GetCount() < 2)
        return nullptr;
    CDravikListElement* element = m_rootEntries.Find(m_pSelectedEntry);
    if (element && element->GetNext())
        return static_cast<CBaseTreeControlEntry*>(element->GetNext()->GetData());
    return static_cast<CBaseTreeControlEntry*>(m_rootEntries.GetHeadData());
}

BOOL CBaseTreeControl::SelectEntry(CBaseTreeControlEntry* entry)
{
    if (!entry)
        return FALSE;
    if (GetSafeHwnd() && entry->GetItem())
        Select(entry->GetItem(), TVGN_CARET);
    entry->UpdateItem(false);
    return TRUE;
}

BOOL CBaseTreeControl::SelectFirstItem()
{
    return SelectEntry(static_cast<CBaseTreeControlEntry*>(m_rootEntries.GetHeadData()));
}

BOOL CBaseTreeControl::ClearDropHighlight()
{
    if (!m_pDragImageList)
        return FALSE;
    if (GetSafeHwnd())
        SelectDropTarget(nullptr);
    CImageList::DragLeave(this);
    CImageList::EndDrag();
    DeleteDragImageList();
    m_pDropTargetEntry = nullptr;
    return TRUE;
}

BOOL CBaseTreeControl::UpdateAllRootItems()
{
    BOOL any = FALSE;
    for (CDravikListElement* e = m_rootEntries.GetFirst(); e; e = e->GetNext())
        if (static_cast<CBaseTreeControlEntry*>(e->GetData())->UpdateItem(true))
            any = TRUE;
    return any;
}

void CBaseTreeControl::GetDragInfo(int* first, int* second)
{
    if (first)
        *first = 0;
    if (second)
        *second = 0;
}

BOOL CBaseTreeControl::ExpandRootItems()
{
    SetRedraw(false);
    for (CDravikListElement* e = m_rootEntries.GetFirst(); e; e = e->GetNext())
    {
        CBaseTreeControlEntry* entry = static_cast<CBaseTreeControlEntry*>(e->GetData());
        if (entry->GetItem() && Expand(entry->GetItem(), TVE_EXPAND))
            entry->NoteExpanded(true);
    }
    SetRedraw(true);
    return FALSE;
}

BOOL CBaseTreeControl::ExpandAllEntries()
{
    SetRedraw(false);
    BOOL any = FALSE;
    for (CDravikListElement* e = m_rootEntries.GetFirst(); e; e = e->GetNext())
        if (static_cast<CBaseTreeControlEntry*>(e->GetData())->Expand())
            any = TRUE;
    SetRedraw(true);
    return any;
}

BOOL CBaseTreeControl::CollapseAllEntries()
{
    BOOL any = FALSE;
    for (CDravikListElement* e = m_rootEntries.GetFirst(); e; e = e->GetNext())
        if (static_cast<CBaseTreeControlEntry*>(e->GetData())->Collapse())
            any = TRUE;
    return any;
}

BOOL CBaseTreeControl::IsRightDragEnabled() const
{
    return m_bRightDragEnabled ? TRUE : FALSE;
}

void CBaseTreeControl::SetRightDragEnabled(bool enabled)
{
    m_bRightDragEnabled = enabled;
}

void CBaseTreeControl::KeepChainsShort(CDravikMap& map)
{
    const int buckets = map.GetBucketCount();
    if (map.GetCount() >= 2 * buckets && buckets < (1 << 24))
        map.SetBucketCount(CDravikOptimizedMap::NextBucketCount(buckets));
}

BOOL CBaseTreeControl::RegisterItem(HTREEITEM item, CBaseTreeControlEntry* entry)
{
    if (!entry)
        return FALSE;
    KeepChainsShort(m_itemMap);
    return m_itemMap.AddHashed(ItemKeyLow(item), ItemKeyHigh(item), entry) ? TRUE : FALSE;
}

BOOL CBaseTreeControl::UnregisterItem(HTREEITEM item)
{
    if (m_itemMap.GetCount() == 0)
        return FALSE;
    return m_itemMap.RemoveHashed(ItemKeyLow(item), ItemKeyHigh(item)) ? TRUE : FALSE;
}

CBaseTreeControlEntry* CBaseTreeControl::LookupItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    return static_cast<CBaseTreeControlEntry*>(m_itemMap.LookupHashed(ItemKeyLow(item), ItemKeyHigh(item)));
}

BOOL CBaseTreeControl::AreEventsEnabled() const
{
    return TRUE;
}

BOOL CBaseTreeControl::AreNotificationsEnabled() const
{
    return TRUE;
}

BOOL CBaseTreeControl::IsHotHighlightEnabled() const
{
    return m_bHotHighlight ? TRUE : FALSE;
}

void CBaseTreeControl::SetHotHighlightEnabled(bool enabled)
{
    m_bHotHighlight = enabled;
}

BOOL CBaseTreeControl::SetRedraw(bool redraw)
{
    if (GetSafeHwnd())
        CWnd::SendMessage(WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    m_bRedrawEnabled = redraw;
    return TRUE;
}

BOOL CBaseTreeControl::IsRedrawEnabled() const
{
    return m_bRedrawEnabled ? TRUE : FALSE;
}

CBaseTreeControlEntry* CBaseTreeControl::FirstRootEntry()
{
    return static_cast<CBaseTreeControlEntry*>(m_rootEntries.IterateFirst());
}

CBaseTreeControlEntry* CBaseTreeControl::NextRootEntry()
{
    return static_cast<CBaseTreeControlEntry*>(m_rootEntries.IterateNext());
}

BOOL CBaseTreeControl::EndRootIteration()
{
    return m_rootEntries.IterateEnd() ? TRUE : FALSE;
}

int CALLBACK CBaseTreeControl::CompareEntries(LPARAM first, LPARAM second, LPARAM control)
{
    CBaseTreeControlEntry* a = reinterpret_cast<CBaseTreeControlEntry*>(first);
    CBaseTreeControlEntry* b = reinterpret_cast<CBaseTreeControlEntry*>(second);
    if (!a || !b || !control)
        return 0;
    int result = CompareNatural(a->PeekText(), b->PeekText());
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

BOOL CBaseTreeControl::SortRootItems()
{
    if (!GetSafeHwnd())
        return FALSE;
    TVSORTCB sort = {};
    sort.hParent = TVI_ROOT;
    sort.lpfnCompare = &CBaseTreeControl::CompareEntries;
    sort.lParam = reinterpret_cast<LPARAM>(this);
    return static_cast<BOOL>(CWnd::SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)));
}

CImageList* CBaseTreeControl::GetImageListObject()
{
    return &m_imageList;
}

CDravikList* CBaseTreeControl::GetRootEntries()
{
    return &m_rootEntries;
}

CDravikMap* CBaseTreeControl::GetItemMap()
{
    return &m_itemMap;
}

CImageList* CBaseTreeControl::GetDragImageList() const
{
    return m_pDragImageList;
}

void CBaseTreeControl::SetDragImageList(CImageList* list)
{
    m_pDragImageList = list;
}

void CBaseTreeControl::SetRedrawEnabledFlag(bool redraw)
{
    m_bRedrawEnabled = redraw;
}

void CBaseTreeControl::DeleteDragImageList()
{
    delete m_pDragImageList;
    m_pDragImageList = nullptr;
}

CBaseTreeControlEntry* CBaseTreeControl::GetDropTargetEntry() const
{
    return m_pDropTargetEntry;
}

void CBaseTreeControl::SetDropTargetEntry(CBaseTreeControlEntry* entry)
{
    m_pDropTargetEntry = entry;
}

BOOL CBaseTreeControl::TrackMouseLeave()
{
    if (m_bMouseTracking || !GetSafeHwnd())
        return FALSE;
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = GetSafeHwnd();
    track.dwHoverTime = HOVER_DEFAULT;
    if (!::TrackMouseEvent(&track))
        return FALSE;
    m_bMouseTracking = true;
    return TRUE;
}

BOOL CBaseTreeControl::IsMouseTracking() const
{
    return m_bMouseTracking ? TRUE : FALSE;
}

void CBaseTreeControl::SetMouseTracking(bool tracking)
{
    m_bMouseTracking = tracking;
}

CBaseTreeControlEntry* CBaseTreeControl::CreateEntry()
{
    CBaseTreeControlEntry* entry = new CBaseTreeControlEntry;
    entry->SetControl(this);
    return entry;
}

BOOL CBaseTreeControl::IsKeyHandled() const
{
    return m_bKeyHandled ? TRUE : FALSE;
}

void CBaseTreeControl::SetKeyHandled(bool handled)
{
    m_bKeyHandled = handled;
}

CDravikList* CBaseTreeControl::GetFocusedHotTable()
{
    return &m_focusedHotTable;
}

CDravikList* CBaseTreeControl::GetFocusedSelectionTable()
{
    return &m_focusedSelectionTable;
}

CDravikList* CBaseTreeControl::GetUnfocusedSelectionTable()
{
    return &m_unfocusedSelectionTable;
}

BOOL CBaseTreeControl::BuildHighlightTables()
{
    ReleaseHighlightTables();
    return FillColourTables(&m_focusedSelectionTable, &m_focusedHotTable, &m_unfocusedSelectionTable);
}

BOOL CBaseTreeControl::ReleaseHighlightTables()
{
    BOOL any = FreeColourTable(&m_focusedSelectionTable);
    if (FreeColourTable(&m_focusedHotTable))
        any = TRUE;
    if (FreeColourTable(&m_unfocusedSelectionTable))
        any = TRUE;
    return any;
}

BOOL CBaseTreeControl::CreateDefaultFont()
{
    return CreateHarnessDialogFont(m_font);
}
