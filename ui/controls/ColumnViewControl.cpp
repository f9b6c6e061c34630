#include "ui/controls/ColumnViewControl.h"

#include <algorithm>

#include "foundation/PathUtilities.h"
#include "framework/MessageMap.h"
#include "ui/UiMessageIds.h"
#include "ui/controls/DrawingUtilities.h"
#include "ui/controls/TextDrawingUtilities.h"

// Passes of UpdateScrollBars: showing one bar can make the other needed, and that one the first; two
// rounds settle every case, the rest only guards against a layout that never settles.
static const int kMaxScrollBarPasses = 4;

BEGIN_MESSAGE_MAP(CColumnViewControl, CNativeDisplayControl)
ON_WM_PAINT()
ON_WM_NCPAINT()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEWHEEL()
ON_WM_MOUSELEAVE()
ON_WM_GETDLGCODE()
ON_MESSAGE(WM_QVX_LIST_SELECT_INDEX, OnSelectIndexMessage)
ON_MESSAGE(WM_QVX_LIST_ADD_INDEX, OnAddIndexMessage)
ON_MESSAGE(WM_QVX_LIST_ADD_FOUND, OnAddTextMessage)
ON_MESSAGE(WM_QVX_LIST_SELECT_FOUND, OnSelectTextMessage)
ON_MESSAGE(WM_QVX_LIST_ACTIVATE_INDEX, OnActivateIndexMessage)
ON_MESSAGE(WM_QVX_LIST_ACTIVATE_FOUND, OnActivateTextMessage)
ON_MESSAGE(WM_QVX_LIST_POINT_INDEX, OnPointIndexMessage)
ON_MESSAGE(WM_QVX_LIST_POINT_FOUND, OnPointTextMessage)
ON_WM_COPYDATA()
END_MESSAGE_MAP()

CColumnViewControl::CColumnViewControl()
{
    m_header.SetView(this);
    SetBorder(true);
    BuildColourTables();
}

CColumnViewControl::~CColumnViewControl()
{
    RemoveAllEntries();
    RemoveAllColumns();
    FreeColourTables();
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

bool CColumnViewControl::IsControlDown()
{
    return IsControlKeyDown();
}

bool CColumnViewControl::IsShiftDown()
{
    return IsShiftKeyDown();
}

void CColumnViewControl::BuildColourTables()
{
    FreeColourTables();
    FillColourTables(&m_focusedTable, &m_caretTable, &m_unfocusedTable);
}

void CColumnViewControl::FreeColourTables()
{
    FreeColourTable(&m_focusedTable);
    FreeColourTable(&m_caretTable);
    FreeColourTable(&m_unfocusedTable);
}

// ---------------------------------------------------------------- creation, columns, entries

bool CColumnViewControl::Create(CWnd* parent)
{
    if (!CreateControl(parent, kListId))
        return false;
    if (parent && parent->m_hWnd)
    {
        LRESULT font = ::SendMessageA(parent->m_hWnd, WM_GETFONT, 0, 0);
        if (font)
            SetFont(CFont::FromHandle(reinterpret_cast<HFONT>(font)));
    }
    m_header.SetView(this);
    m_header.CreateOnView(kHeaderId);
    LoadImages();
    AddColumns();
    CreateScrollBars();
    return true;
}

void CColumnViewControl::SetHeaderPopupMenu(UINT menuId, int submenuIndex)
{
    m_header.AssignPopupMenu(menuId, submenuIndex);
}

CColumnViewControlColumnEntry* CColumnViewControl::GetColumn(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_columns.size()))
        return nullptr;
    return m_columns[static_cast<size_t>(column)];
}

bool CColumnViewControl::AddColumn(CDravikString title, int kind)
{
    if (title.IsEmpty())
        return false;
    CThreadLockGuard guard(m_lock);
    auto* column = new CColumnViewControlColumnEntry(this, title, kind);
    m_columns.push_back(column);
    if (m_header.m_hWnd)
    {
        HDITEMA item = {};
        item.mask = HDI_WIDTH | HDI_TEXT;
        item.cxy = kNewColumnWidth;
        item.pszText = const_cast<char*>(title.GetAnsi());
        const int position = static_cast<int>(m_columns.size()) - 1;
        if (::SendMessageA(m_header.m_hWnd, HDM_INSERTITEMA, static_cast<WPARAM>(position),
                           reinterpret_cast<LPARAM>(&item)) < 0)
        {
            m_columns.pop_back();
            delete column;
            return false;
        }
    }
    return true;
}

bool CColumnViewControl::AddColumnFromResource(UINT stringId, int kind)
{
    CDravikString title;
    title.LoadString(static_cast<int>(stringId));
    return AddColumn(title, kind);
}

void CColumnViewControl::RemoveAllColumns()
{
    CThreadLockGuard guard(m_lock);
    for (CColumnViewControlColumnEntry* column : m_columns)
        delete column;
    m_columns.clear();
    if (m_header.m_hWnd)
        while (::SendMessageA(m_header.m_hWnd, HDM_GETITEMCOUNT, 0, 0) > 0)
            if (!::SendMessageA(m_header.m_hWnd, HDM_DELETEITEM, 0, 0))
                break;
}

bool CColumnViewControl::AddEntry(CColumnViewControlEntry* entry)
{
    if (!entry)
        return false;
    CThreadLockGuard guard(m_lock);
    entry->m_owner = this;
    entry->m_id = m_nextId++;
    if (!m_entries.emplace(entry->m_id, entry).second)
        return false;
    entry->m_index = static_cast<int>(m_order.size());
    m_order.push_back(entry);
    return true;
}

bool CColumnViewControl::SetEntryText(CColumnViewControlEntry* entry, int column, CDravikString text)
{
    if (!entry || column < 0)
        return false;
    CThreadLockGuard guard(m_lock);
    if (static_cast<int>(entry->m_texts.size()) <= column)
        entry->m_texts.resize(static_cast<size_t>(column) + 1);
    entry->m_texts[static_cast<size_t>(column)] = text;
    return true;
}

CDravikString CColumnViewControl::GetEntryText(CColumnViewControlEntry* entry, int column)
{
    return entry ? entry->GetText(column) : CDravikString();
}

void CColumnViewControl::RemoveAllEntries()
{
    CThreadLockGuard guard(m_lock);
    ClearOrder();
    for (auto& pair : m_entries)
        delete pair.second;
    m_entries.clear();
    m_sortColumn = 0;
    m_nextId = 0;
    m_topIndex = 0;
    m_bottomIndex = 0;
    m_horizontalOffset = 0;
    m_caret = 0;
    m_selectedCount = 0;
}

CColumnViewControlEntry* CColumnViewControl::GetEntryAt(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_order.size()))
        return nullptr;
    return m_order[static_cast<size_t>(index)];
}

CColumnViewControlEntry* CColumnViewControl::GetEntryById(int id) const
{
    auto it = m_entries.find(id);
    return it == m_entries.end() ? nullptr : it->second;
}

void CColumnViewControl::ClearOrder()
{
    m_order.clear();
}

void CColumnViewControl::RebuildOrder()
{
    CThreadLockGuard guard(m_lock);
    ClearOrder();
    for (auto& pair : m_entries)
    {
        pair.second->m_index = static_cast<int>(m_order.size());
        m_order.push_back(pair.second);
    }
    Sort();
}

// ---------------------------------------------------------------- sorting

int CColumnViewControl::Compare(CColumnViewControlEntry* a, CColumnViewControlEntry* b)
{
    if (!a || !b)
        return 0;
    CColumnViewControlColumnEntry* column = GetColumn(m_sortColumn);
    const int kind = column ? column->m_kind : kColumnSortText;
    int result = 0;
    if (kind == kColumnSortText || kind == kColumnSortNumber)
    {
        CColumnTextSortContext& x = a->m_sortKey;
        CColumnTextSortContext& y = b->m_sortKey;
        if (x.m_hasNumber && y.m_hasNumber && x.m_rest.CompareNoCase(y.m_rest) == 0)
            result = x.m_number < y.m_number ? -1 : (x.m_number > y.m_number ? 1 : 0);
        else
        {
            const int text = x.m_text.CompareNoCase(y.m_text);
            result = text < 0 ? -1 : (text > 0 ? 1 : 0);
        }
    }
    else if (kind == kColumnSortDateTime)
    {
        FILETIME ta, tb;
        ta.dwLowDateTime = static_cast<DWORD>(a->m_sortKey.m_time);
        ta.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(a->m_sortKey.m_time) >> 32);
        tb.dwLowDateTime = static_cast<DWORD>(b->m_sortKey.m_time);
        tb.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(b->m_sortKey.m_time) >> 32);
        result = ::CompareFileTime(&ta, &tb);
    }
    return m_descending ? -result : result;
}

void CColumnViewControl::MergeRange(int first, int middle, int last, std::vector<CColumnViewControlEntry*>& buffer)
{
    // [first, middle) and [middle, last] are each in order; take from the right only when it sorts
    // strictly before, so equal entries keep their order.
    buffer.clear();
    int i = first, j = middle;
    while (i < middle && j <= last)
    {
        if (Compare(m_order[static_cast<size_t>(j)], m_order[static_cast<size_t>(i)]) < 0)
            buffer.push_back(m_order[static_cast<size_t>(j++)]);
        else
            buffer.push_back(m_order[static_cast<size_t>(i++)]);
    }
    while (i < middle)
        buffer.push_back(m_order[static_cast<size_t>(i++)]);
    while (j <= last)
        buffer.push_back(m_order[static_cast<size_t>(j++)]);
    std::copy(buffer.begin(), buffer.end(), m_order.begin() + first);
}

void CColumnViewControl::SortRangeWith(int first, int last, std::vector<CColumnViewControlEntry*>& buffer)
{
    if (first >= last)
        return;
    const int middle = first + (last - first) / 2;
    SortRangeWith(first, middle, buffer);
    SortRangeWith(middle + 1, last, buffer);
    // Already in order across the seam: nothing to merge (keeps sorted input linear).
    if (Compare(m_order[static_cast<size_t>(middle + 1)], m_order[static_cast<size_t>(middle)]) >= 0)
        return;
    MergeRange(first, middle + 1, last, buffer);
}

void CColumnViewControl::SortRange(int first, int last)
{
    const int count = static_cast<int>(m_order.size());
    if (first < 0 || last >= count || first >= last)
        return;
    std::vector<CColumnViewControlEntry*> buffer;
    buffer.reserve(static_cast<size_t>(last - first + 1));
    SortRangeWith(first, last, buffer);
}

bool CColumnViewControl::Sort()
{
    CThreadLockGuard guard(m_lock);
    const int count = static_cast<int>(m_order.size());
    if (count >= 2)
    {
        for (CColumnViewControlEntry* entry : m_order)
            entry->PrepareSortKey();
        SortRange(0, count - 1);
        for (int i = 0; i < count; ++i)
            m_order[static_cast<size_t>(i)]->m_index = i;
    }
    UpdateColumnBounds();
    UpdateSortImage(m_sortColumn);
    return true;
}

void CColumnViewControl::UpdateSortImage(int column)
{
    if (m_header.m_hWnd)
        m_header.SetSortImage(column, m_descending ? FALSE : TRUE);
}

void CColumnViewControl::SortByColumnToggle(int column)
{
    CThreadLockGuard guard(m_lock);
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    m_sortColumn = column;
    m_descending = !m_descending;
    Sort();
    UpdateSortImage(column);
    ::SetCursor(previous);
    Redraw();
}

void CColumnViewControl::SortByColumn(int column, bool ascending)
{
    CThreadLockGuard guard(m_lock);
    m_sortColumn = column;
    m_descending = !ascending;
    Sort();
    UpdateSortImage(column);
    Redraw();
}

// ---------------------------------------------------------------- selection

bool CColumnViewControl::DeselectAll()
{
    CThreadLockGuard guard(m_lock);
    for (CColumnViewControlEntry* entry : m_order)
        entry->m_selected = false;
    m_selectedCount = 0;
    return !m_order.empty();
}

bool CColumnViewControl::SelectAll()
{
    CThreadLockGuard guard(m_lock);
    if (!m_multipleSelection || m_order.empty())
        return false;
    for (CColumnViewControlEntry* entry : m_order)
        entry->m_selected = true;
    m_selectedCount = static_cast<int>(m_order.size());
    OnEntrySelected();
    return true;
}

void CColumnViewControl::MarkSelected(CColumnViewControlEntry* entry)
{
    if (entry && !entry->m_selected)
    {
        entry->m_selected = true;
        ++m_selectedCount;
    }
}

bool CColumnViewControl::SelectEntry(CColumnViewControlEntry* entry)
{
    if (!entry)
        return false;
    if (!m_multipleSelection)
        DeselectAll();
    MarkSelected(entry);
    OnEntrySelected();
    return true;
}

bool CColumnViewControl::SelectIndex(int index)
{
    CThreadLockGuard guard(m_lock);
    return SelectEntry(GetEntryAt(index));
}

bool CColumnViewControl::SelectById(int id)
{
    CThreadLockGuard guard(m_lock);
    return SelectEntry(GetEntryById(id));
}

bool CColumnViewControl::ToggleSelection(CColumnViewControlEntry* entry)
{
    if (!entry)
        return false;
    CThreadLockGuard guard(m_lock);
    entry->m_selected = !entry->m_selected;
    m_selectedCount += entry->m_selected ? 1 : -1;
    return true;
}

bool CColumnViewControl::SelectRange(CColumnViewControlEntry* entry)
{
    if (!entry)
        return false;
    CThreadLockGuard guard(m_lock);
    const int count = static_cast<int>(m_order.size());
    const int index = entry->m_index;
    if (index < 0 || index >= count)
        return false;
    MarkSelected(entry);
    int anchor = -1;
    for (int i = index - 1; i >= 0 && anchor < 0; --i)
        if (m_order[static_cast<size_t>(i)]->m_selected)
            anchor = i;
    // Below the entry: up to the last one, not one past it.
    for (int i = index + 1; i <= count - 1 && anchor < 0; ++i)
        if (m_order[static_cast<size_t>(i)]->m_selected)
            anchor = i;
    if (anchor < 0)
        return false;
    const int from = std::min(anchor, index), to = std::max(anchor, index);
    for (int i = from; i <= to; ++i)
        MarkSelected(m_order[static_cast<size_t>(i)]);
    return true;
}

CColumnViewControlEntry* CColumnViewControl::GetFirstSelected()
{
    CThreadLockGuard guard(m_lock);
    for (CColumnViewControlEntry* entry : m_order)
        if (entry->m_selected)
            return entry;
    return nullptr;
}

bool CColumnViewControl::GetSelected(std::vector<CColumnViewControlEntry*>& list)
{
    CThreadLockGuard guard(m_lock);
    bool found = false;
    for (CColumnViewControlEntry* entry : m_order)
    {
        if (entry->m_selected)
        {
            list.push_back(entry);
            found = true;
        }
    }
    return found;
}

int CColumnViewControl::VisibleRowCount()
{
    RECT rows;
    if (!m_hWnd || !GetRowsRect(&rows) || m_lineHeight < 1)
        return 0;
    return std::max(0, static_cast<int>(rows.bottom - rows.top) / m_lineHeight);
}

bool CColumnViewControl::EnsureVisible(int index)
{
    CThreadLockGuard guard(m_lock);
    if (index >= m_topIndex && index <= m_bottomIndex)
        return false;
    const int visible = VisibleRowCount();
    const int count = static_cast<int>(m_order.size());
    int top = index - visible / 2;
    if (top + visible > count)
        top = count - visible;
    top = std::max(0, top);
    const bool moved = top != m_topIndex;
    m_topIndex = top;
    // Until the next paint says otherwise, the rows from the top that fit are the visible ones.
    m_bottomIndex = std::min(count - 1, top + std::max(visible, 1) - 1);
    return moved;
}

bool CColumnViewControl::GetRowsRect(RECT* rect)
{
    if (!rect)
        return false;
    GetDrawRect(rect);
    if (m_header.m_hWnd)
    {
        RECT header;
        ::GetWindowRect(m_header.m_hWnd, &header);
        ScreenRectToClient(m_hWnd, &header);
        rect->top = header.bottom;
    }
    if (m_horizontalEnabled && m_horizontalBar.m_hWnd)
        rect->bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
    if (m_verticalEnabled && m_verticalBar.m_hWnd)
        rect->right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (rect->bottom < rect->top)
        rect->bottom = rect->top;
    return true;
}

bool CColumnViewControl::GetTotalSize(int out[2])
{
    out[0] = m_columns.empty() ? 0 : static_cast<int>(m_columns.back()->m_bounds.right);
    out[1] = static_cast<int>(m_order.size());
    return !m_columns.empty();
}

// ---------------------------------------------------------------- columns and layout

int CColumnViewControl::GetColumnWidth(int column)
{
    if (!m_header.m_hWnd)
        return 0;
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    if (!::SendMessageA(m_header.m_hWnd, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.cxy > 0 ? item.cxy : 0;
}

bool CColumnViewControl::SetColumnWidth(int column, int width)
{
    if (!m_header.m_hWnd)
        return false;
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    return ::SendMessageA(m_header.m_hWnd, HDM_SETITEMA, static_cast<WPARAM>(column),
                          reinterpret_cast<LPARAM>(&item)) != 0;
}

int CColumnViewControl::ColumnsTotalWidth()
{
    int total = 0;
    for (int i = 0; i < static_cast<int>(m_columns.size()); ++i)
        total += GetColumnWidth(i);
    return total;
}

void CColumnViewControl::UpdateColumnBounds()
{
    RECT draw;
    GetDrawRect(&draw);
    int x = 0;
    for (int i = 0; i < static_cast<int>(m_columns.size()); ++i)
    {
        const int width = GetColumnWidth(i);
        if (width > 0)
        {
            m_columns[static_cast<size_t>(i)]->m_bounds = {x, draw.top, x + width, draw.top + kHeaderHeight};
            x += width;
        }
    }
}

int CColumnViewControl::ContentWidth(int column)
{
    if (!m_hWnd)
        return 0;
    HDC dc = ::GetDC(m_hWnd);
    if (!dc)
        return 0;
    HGDIOBJ previous = m_font.GetSafeHandle() ? ::SelectObject(dc, m_font.GetSafeHandle()) : nullptr;
    int widest = 0;
    for (CColumnViewControlEntry* entry : m_order)
    {
        if (column < 0 || column >= static_cast<int>(entry->m_texts.size()))
            continue;
        CDravikString& text = entry->m_texts[static_cast<size_t>(column)];
        SIZE size = {0, 0};
        if (text.IsWide())
            ::GetTextExtentPoint32W(dc, text.GetWide(), text.GetLength(), &size);
        else
            ::GetTextExtentPoint32A(dc, text.GetAnsi(), text.GetLength(), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    if (previous)
        ::SelectObject(dc, previous);
    ::ReleaseDC(m_hWnd, dc);
    if (widest <= 0)
        return 0;
    return widest + 14 + ((column == 0 && m_showImages) ? 21 : 0);
}

int CColumnViewControl::TitleWidth(int column)
{
    CColumnViewControlColumnEntry* entry = GetColumn(column);
    if (!entry || entry->m_title.IsEmpty() || !m_header.m_hWnd)
        return 0;
    HDC dc = ::GetDC(m_header.m_hWnd);
    if (!dc)
        return 0;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(m_header.m_hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    const int width = TextWidth(dc, entry->m_title.GetAnsi());
    if (previous)
        ::SelectObject(dc, previous);
    ::ReleaseDC(m_header.m_hWnd, dc);
    return width + 31;
}

void CColumnViewControl::AutoSizeColumn(int column)
{
    if (!GetColumn(column))
        return;
    const int width = std::max(ContentWidth(column), TitleWidth(column));
    if (width != GetColumnWidth(column))
        SetColumnWidth(column, width);
}

void CColumnViewControl::FitLastColumn()
{
    if (m_columns.empty())
        return;
    const int total = ColumnsTotalWidth();
    RECT rows;
    GetRowsRect(&rows);
    const int available = rows.right - rows.left;
    const int last = LastColumnIndex();
    if (total < available)
    {
        const int width = GetColumnWidth(last);
        if (width > 0)
            SetColumnWidth(last, width + (available - total));
    }
    else if (total > available)
        AutoSizeLastColumn();
    UpdateColumnBounds();
    WrapTexts();
}

void CColumnViewControl::AutoSizeAllColumns()
{
    const bool suppressed = m_redrawSuppressed;
    m_redrawSuppressed = true;
    for (int i = 0; i < static_cast<int>(m_columns.size()); ++i)
        AutoSizeColumn(i);
    FitLastColumn();
    UpdateColumnBounds();
    WrapTexts();
    m_redrawSuppressed = suppressed;
}

void CColumnViewControl::GrowColumnsToTitles()
{
    const bool suppressed = m_redrawSuppressed;
    m_redrawSuppressed = true;
    for (int i = 0; i < static_cast<int>(m_columns.size()); ++i)
    {
        const int title = TitleWidth(i);
        if (GetColumnWidth(i) < title)
            SetColumnWidth(i, title);
    }
    FitLastColumn();
    UpdateColumnBounds();
    WrapTexts();
    m_redrawSuppressed = suppressed;
}

void CColumnViewControl::UpdateLayout()
{
    if (!m_header.m_hWnd || m_layoutRunning)
        return;
    m_layoutRunning = true;
    SendMessage(WM_SETREDRAW, FALSE);
    RefitColumnsAndBars();
    m_header.Reposition();
    UpdateColumnBounds();
    SendMessage(WM_SETREDRAW, TRUE);
    if (!m_redrawSuppressed)
        Redraw();
    m_layoutRunning = false;
}

void CColumnViewControl::RefitColumnsAndBars()
{
    AutoSizeLastColumn();
    if (UpdateScrollBars())
        FitLastColumn();
    else
        LayoutChildren();
    UpdateScrollPositions();
    WrapTexts();
}

void CColumnViewControl::LayoutChildren()
{
    if (!m_hWnd)
        return;
    RECT draw;
    GetDrawRect(&draw);
    const int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    if (m_horizontalEnabled && m_horizontalBar.m_hWnd)
        ::MoveWindow(m_horizontalBar.m_hWnd, draw.left, draw.bottom - barHeight, draw.right - draw.left, barHeight,
                     TRUE);
    if (m_verticalEnabled && m_verticalBar.m_hWnd)
        ::MoveWindow(m_verticalBar.m_hWnd, draw.right - barWidth, draw.top, barWidth,
                     (draw.bottom - draw.top) - (m_horizontalEnabled ? barHeight : 0), TRUE);
    RECT header = {draw.left, draw.top, draw.right - (m_verticalEnabled ? barWidth : 0), draw.top + kHeaderHeight};
    if (m_header.m_hWnd)
    {
        m_header.RememberRect(header);
        m_header.Reposition();
    }
    FitLastColumn();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// ---------------------------------------------------------------- scroll bars

bool CColumnViewControl::CreateScrollBars()
{
    if (!m_hWnd)
        return false;
    RECT rect = {0, 0, 0, 30};
    m_horizontalBar.Create(WS_CHILD | SBS_HORZ | SBS_TOPALIGN, rect, this, kHorizontalBarId);
    m_verticalBar.Create(WS_CHILD | WS_TABSTOP | SBS_VERT | SBS_LEFTALIGN, rect, this, kVerticalBarId);
    UpdateScrollBars();
    UpdateScrollPositions();
    return m_horizontalBar.m_hWnd && m_verticalBar.m_hWnd;
}

bool CColumnViewControl::UpdateScrollBars()
{
    CThreadLockGuard guard(m_lock);
    if (!m_hWnd || !m_horizontalBar.m_hWnd || !m_verticalBar.m_hWnd)
        return false;
    bool changedAny = false;
    for (int pass = 0; pass < kMaxScrollBarPasses; ++pass)
    {
        int total[2];
        GetTotalSize(total);
        const int rows = static_cast<int>(m_order.size()) + SeparatorRowsVisible();
        RECT rowsRect;
        GetRowsRect(&rowsRect);
        const int width = rowsRect.right - rowsRect.left;
        const bool horizontal = width < total[0];
        if (horizontal)
        {
            ::SetScrollRange(m_horizontalBar.m_hWnd, SB_CTL, 0, total[0] - width, FALSE);
            m_horizontalOffset = std::min(m_horizontalOffset, total[0] - width);
        }
        else
        {
            ::SetScrollRange(m_horizontalBar.m_hWnd, SB_CTL, 0, 0, FALSE);
            m_horizontalOffset = 0;
        }
        const int visible = VisibleRowCount();
        const bool vertical = visible < rows;
        ::SetScrollRange(m_verticalBar.m_hWnd, SB_CTL, 0, vertical ? rows - visible : 0, FALSE);
        const bool changed = horizontal != m_horizontalEnabled || vertical != m_verticalEnabled;
        if (changed)
        {
            m_horizontalEnabled = horizontal;
            m_verticalEnabled = vertical;
            ::EnableWindow(m_horizontalBar.m_hWnd, horizontal);
            ::EnableWindow(m_verticalBar.m_hWnd, vertical);
            ::ShowWindow(m_horizontalBar.m_hWnd, horizontal ? SW_SHOWNA : SW_HIDE);
            ::ShowWindow(m_verticalBar.m_hWnd, vertical ? SW_SHOWNA : SW_HIDE);
            changedAny = true;
            continue;
        }
        break;
    }
    if (!changedAny)
        m_header.Reposition();
    if (!m_verticalEnabled)
        m_topIndex = 0;
    else
        m_topIndex = std::min(m_topIndex, std::max(0, static_cast<int>(m_order.size()) + SeparatorRowsVisible() -
                                                          VisibleRowCount()));
    return changedAny;
}

void CColumnViewControl::UpdateScrollPositions()
{
    if (m_horizontalEnabled && m_horizontalBar.m_hWnd)
        ::SetScrollPos(m_horizontalBar.m_hWnd, SB_CTL, m_horizontalOffset, TRUE);
    if (m_verticalEnabled && m_verticalBar.m_hWnd)
        ::SetScrollPos(m_verticalBar.m_hWnd, SB_CTL, m_topIndex, TRUE);
}

void CColumnViewControl::UpdateScrollBarsAndLayout()
{
    if (UpdateScrollBars())
        LayoutChildren();
    UpdateScrollPositions();
}

// ---------------------------------------------------------------- texts

bool CColumnViewControl::EllipsizeText(HDC dc, CDravikString& text, int width)
{
    if (text.IsEmpty() || !dc)
        return false;
    const bool wide = text.IsWide();
    const int length = text.GetLength();
    SIZE size = {0, 0};
    if (wide)
        ::GetTextExtentPoint32W(dc, text.GetWide(), length, &size);
    else
        ::GetTextExtentPoint32A(dc, text.GetAnsi(), length, &size);
    if (size.cx <= width - 2)
        return true;
    SIZE dots = {0, 0};
    ::GetTextExtentPoint32A(dc, "...", 3, &dots);
    // Prefix widths from one measurement of the whole text.
    std::vector<INT> extents(static_cast<size_t>(length), 0);
    int fit = 0;
    if (wide)
        ::GetTextExtentExPointW(dc, text.GetWide(), length, INT_MAX, &fit, extents.data(), &size);
    else
        ::GetTextExtentExPointA(dc, text.GetAnsi(), length, INT_MAX, &fit, extents.data(), &size);
    // The longest prefix for which dots + prefix + next character stays within width - 4.
    int keep = 0;
    while (keep < length && dots.cx + extents[static_cast<size_t>(keep)] <= width - 4)
        ++keep;
    CDravikString shortened = text.SubString(0, keep - 1);
    if (keep == 0)
        shortened = wide ? CDravikString(L"") : CDravikString();
    shortened += "...";
    text = shortened;
    return true;
}

void CColumnViewControl::WrapEntry(HDC dc, CColumnViewControlEntry* entry)
{
    entry->m_lines.clear();
    entry->m_lines.resize(m_columns.size());
    int lineCount = 1;
    for (size_t i = 0; i < m_columns.size(); ++i)
    {
        const RECT& bounds = m_columns[i]->m_bounds;
        const int width = (bounds.right - bounds.left) - 10;
        CDravikString text = entry->GetText(static_cast<int>(i));
        std::vector<CDravikString>& lines = entry->m_lines[i].m_lines;
        if (m_wordWrap)
        {
            const int length = text.GetLength();
            int start = 0, sum = 0;
            for (int c = 0; c < length; ++c)
            {
                SIZE size = {0, 0};
                if (text.IsWide())
                    ::GetTextExtentPoint32W(dc, text.GetWide() + c, 1, &size);
                else
                    ::GetTextExtentPoint32A(dc, text.GetAnsi() + c, 1, &size);
                sum += size.cx;
                if (sum > width)
                {
                    CDravikString line = text.SubString(start, c);
                    if (!line.IsEmpty())
                        lines.push_back(line);
                    start = c + 1;
                    sum = 0;
                }
            }
            if (start < length)
            {
                CDravikString line = text.SubString(start);
                if (!line.IsEmpty())
                    lines.push_back(line);
            }
            lineCount = std::max(lineCount, static_cast<int>(lines.size()));
        }
        else
        {
            EllipsizeText(dc, text, width);
            if (!text.IsEmpty())
                lines.push_back(text);
        }
    }
    entry->m_lineCount = m_wordWrap ? lineCount : 1;
    entry->m_rowHeight = entry->m_lineCount * m_lineHeight;
}

void CColumnViewControl::WrapTexts()
{
    if (m_order.empty() || m_wrapSuppressed || !m_hWnd)
        return;
    CThreadLockGuard guard(m_lock);
    const bool created = m_offScreen.IsCreated();
    if (!created)
    {
        m_offScreen.SetWindow(m_hWnd);
        if (!m_offScreen.Create())
            return;
    }
    SelectFont();
    HDC dc = m_offScreen.GetDC();
    for (CColumnViewControlEntry* entry : m_order)
        WrapEntry(dc, entry);
    RestoreFont();
    if (!created)
        m_offScreen.Release();
}

int CColumnViewControl::SeparatorRowsVisible()
{
    if (!m_separator.m_enabled || m_order.empty() || m_topIndex >= m_bottomIndex)
        return 0;
    m_separator.Forget();
    int rows = 0;
    const int last = std::min(m_bottomIndex, static_cast<int>(m_order.size()) - 1);
    for (int i = m_topIndex; i <= last; ++i)
        if (m_separator.StartsGroup(m_order[static_cast<size_t>(i)]))
            ++rows;
    return rows;
}
