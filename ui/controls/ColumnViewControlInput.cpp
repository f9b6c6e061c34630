// CColumnViewControl: size changes, mouse, keyboard, scroll bars and the private messages.
#include "ui/controls/ColumnViewControl.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

void CColumnViewControl::OnSize(UINT, int, int)
{
    Default();
    SendMessage(WM_SETREDRAW, FALSE);
    RefitColumnsAndBars();
    SendMessage(WM_SETREDRAW, TRUE);
    Redraw();
}

UINT CColumnViewControl::OnGetDlgCode()
{
    // Arrows and characters move the caret; Tab, Enter and Escape stay with the dialog.
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void CColumnViewControl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    Redraw();
}

void CColumnViewControl::OnKillFocus(CWnd*)
{
    Default();
    Redraw();
}

// ---------------------------------------------------------------- mouse

CColumnViewControlEntry* CColumnViewControl::PressAt(POINT point)
{
    if (!AcceptsInput())
        return nullptr;
    SetFocus();
    m_mousePressed = true;
    return HitTest(point);
}

void CColumnViewControl::OnLButtonDown(UINT, CPoint point)
{
    CThreadLockGuard guard(m_lock);
    CColumnViewControlEntry* entry = PressAt(point);
    if (!entry)
        return;
    m_caret = entry->m_index;
    if (m_multipleSelection)
    {
        if (IsControlDown())
            ToggleSelection(entry);
        else if (IsShiftDown())
            SelectRange(entry);
        else
        {
            DeselectAll();
            ToggleSelection(entry);
        }
    }
    else
    {
        DeselectAll();
        ToggleSelection(entry);
    }
    Redraw();
    OnEntrySelected();
    OnSelectionChanged();
}

void CColumnViewControl::OnRButtonDown(UINT, CPoint point)
{
    CThreadLockGuard guard(m_lock);
    CColumnViewControlEntry* entry = PressAt(point);
    if (!entry)
        return;
    if (!(m_multipleSelection && entry->m_selected))
        DeselectAll();
    m_caret = entry->m_index;
    MarkSelected(entry);
    Redraw();
    OnEntrySelected();
    OnContextSelect();
}

void CColumnViewControl::OnLButtonDblClk(UINT, CPoint point)
{
    CThreadLockGuard guard(m_lock);
    CColumnViewControlEntry* entry = PressAt(point);
    if (!entry)
        return;
    m_caret = entry->m_index;
    DeselectAll();
    SelectById(entry->m_id);
    Redraw();
    OnActivate();
}

void CColumnViewControl::OnMouseMove(UINT, CPoint point)
{
    if (!AcceptsInput())
        return;
    Default();
    if (!m_mousePressed)
        return;
    if (!m_trackingMouse)
    {
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        track.dwHoverTime = HOVER_DEFAULT;
        m_trackingMouse = ::TrackMouseEvent(&track) != FALSE;
    }
    CThreadLockGuard guard(m_lock);
    CColumnViewControlEntry* entry = HitTest(point);
    if (entry && entry->m_index != m_caret)
    {
        m_caret = entry->m_index;
        OnHotTrack();
        Redraw();
    }
}

void CColumnViewControl::OnMouseLeave()
{
    if (m_trackingMouse)
    {
        OnMouseLeft();
        m_trackingMouse = false;
    }
}

BOOL CColumnViewControl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    if (!AcceptsInput() || !m_verticalEnabled)
        return TRUE;
    CThreadLockGuard guard(m_lock);
    const int rows = static_cast<int>(m_order.size()) + SeparatorRowsVisible();
    const int maxTop = std::max(0, rows - VisibleRowCount());
    if (zDelta <= 0)
        m_topIndex = std::min(m_topIndex + kWheelRows, maxTop);
    else
        m_topIndex = std::max(m_topIndex - kWheelRows, 0);
    UpdateScrollPositions();
    Redraw();
    return TRUE;
}

// ---------------------------------------------------------------- scroll bars

void CColumnViewControl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    CThreadLockGuard guard(m_lock);
    const int rows = static_cast<int>(m_order.size()) + SeparatorRowsVisible();
    const int maxTop = rows - VisibleRowCount();
    int top = m_topIndex;
    switch (nSBCode)
    {
    case SB_LINEUP:
        if (top > 0)
            --top;
        break;
    case SB_LINEDOWN:
        if (top < maxTop)
            ++top;
        break;
    case SB_PAGEUP:
        top = std::max(top - 10, 0);
        break;
    case SB_PAGEDOWN:
        top = std::min(top + 10, maxTop);
        break;
    case SB_TOP:
        top = 0;
        break;
    case SB_BOTTOM:
        top = maxTop + 1;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        top = std::max(0, std::min(static_cast<int>(nPos), maxTop));
        break;
    default:
        break;
    }
    int low = 0, high = 0;
    if (m_verticalBar.m_hWnd)
        ::GetScrollRange(m_verticalBar.m_hWnd, SB_CTL, &low, &high);
    m_topIndex = std::max(low, std::min(top, high));
    UpdateScrollPositions();
    Redraw();
}

void CColumnViewControl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    CThreadLockGuard guard(m_lock);
    int offset = m_horizontalOffset;
    switch (nSBCode)
    {
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
        offset += kHorizontalStep;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        offset = static_cast<int>(nPos);
        break;
    case SB_LINELEFT:
    case SB_PAGELEFT:
        offset -= kHorizontalStep;
        break;
    default:
        break;
    }
    int low = 0, high = 0;
    if (m_horizontalBar.m_hWnd)
        ::GetScrollRange(m_horizontalBar.m_hWnd, SB_CTL, &low, &high);
    m_horizontalOffset = std::max(low, std::min(offset, high));
    UpdateScrollPositions();
    m_header.Reposition();
    Redraw();
}

// ---------------------------------------------------------------- keyboard

void CColumnViewControl::ApplyKeyMove()
{
    DeselectAll();
    SelectIndex(m_caret);
    OnKeyboardMoved();
    UpdateScrollPositions();
    Redraw();
}

void CColumnViewControl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!AcceptsInput())
    {
        Default();
        return;
    }
    CThreadLockGuard guard(m_lock);
    const int n = static_cast<int>(m_order.size());
    const int v = VisibleRowCount();
    bool applies = false;
    switch (nChar)
    {
    case VK_RETURN:
        if (CColumnViewControlEntry* first = GetFirstSelected())
        {
            m_caret = first->m_index;
            DeselectAll();
            SelectIndex(m_caret);
            Redraw();
            OnEntrySelected();
            Activate();
        }
        Default();
        return;
    case VK_PRIOR:
        if (n > 1 && m_topIndex > 0)
        {
            m_bottomIndex = m_topIndex;
            m_topIndex = std::max(m_topIndex - v, 0);
            m_topIndex = std::max(m_bottomIndex + SeparatorRowsVisible() - v, 0);
            m_caret = m_topIndex;
            applies = true;
        }
        break;
    case VK_NEXT:
        if (n >= 2 && m_topIndex < n - v + 1)
        {
            m_topIndex = m_bottomIndex;
            m_bottomIndex = m_topIndex + v - 1;
            const int s = SeparatorRowsVisible();
            if (m_bottomIndex > n - 1)
            {
                m_bottomIndex = n - 1;
                m_topIndex = n - v;
                if (s > 0)
                    m_topIndex = m_bottomIndex + s - v;
                m_topIndex = std::max(m_topIndex, 0);
                m_caret = n - 1;
            }
            else
            {
                if (s > 0)
                {
                    m_bottomIndex = v + m_topIndex - s - 1;
                    if (m_bottomIndex > n - 1)
                    {
                        m_bottomIndex = n - 1;
                        m_topIndex = m_bottomIndex + s - v;
                    }
                }
                m_topIndex = std::max(m_topIndex, 0);
                m_caret = m_bottomIndex;
            }
            applies = true;
        }
        break;
    case VK_END:
        if (n >= 2)
        {
            m_bottomIndex = n - 1;
            const int s = SeparatorRowsVisible();
            m_topIndex = s > 0 ? m_bottomIndex + s - v : n - v;
            m_topIndex = std::max(m_topIndex, 0);
            m_caret = n - 1;
            applies = true;
        }
        break;
    case VK_HOME:
        if (n >= 2)
        {
            m_topIndex = 0;
            m_caret = 0;
            applies = true;
        }
        break;
    case VK_UP:
        if (n > 1 && m_caret > 0)
        {
            --m_caret;
            if (m_caret < m_topIndex)
                --m_topIndex;
            applies = true;
        }
        break;
    case VK_DOWN:
        if (n >= 2 && m_caret < n - 1)
        {
            const int before = SeparatorRowsVisible();
            ++m_caret;
            if (m_caret > m_bottomIndex)
            {
                ++m_topIndex;
                ++m_bottomIndex;
                if (SeparatorRowsVisible() > before)
                    ++m_topIndex;
            }
            applies = true;
        }
        break;
    case VK_DELETE:
        OnDeleteKey();
        UpdateScrollPositions();
        Redraw();
        return;
    default:
        break;
    }
    if (applies)
        ApplyKeyMove();
    else
        Default();
}

void CColumnViewControl::OnChar(UINT nChar, UINT, UINT)
{
    // Characters above 127 arrive as negative chars elsewhere: test the unsigned value.
    const unsigned char ch = static_cast<unsigned char>(nChar & 0xFF);
    if (!AcceptsInput() || m_order.empty() || nChar > 0xFF || !std::isprint(ch))
    {
        Default();
        return;
    }
    CThreadLockGuard guard(m_lock);
    const int wanted = std::toupper(ch);
    for (CColumnViewControlEntry* entry : m_order)
    {
        CDravikString text = entry->GetText(0);
        if (text.IsEmpty())
            continue;
        int first = 0;
        if (text.IsWide())
        {
            const wchar_t c = text.GetWide()[0];
            first = c < 0x100 ? std::toupper(static_cast<unsigned char>(c)) : -1;
        }
        else
            first = std::toupper(static_cast<unsigned char>(text.GetAnsi()[0]));
        if (first == wanted)
        {
            m_caret = entry->m_index;
            DeselectAll();
            EnsureVisible(m_caret);
            SelectIndex(m_caret);
            OnKeyboardMoved();
            UpdateScrollPositions();
            Redraw();
            return;
        }
    }
    Default();
}

// ---------------------------------------------------------------- private messages

CColumnViewControlEntry* CColumnViewControl::FindByText()
{
    if (m_findText.IsEmpty())
        return nullptr;
    for (CColumnViewControlEntry* entry : m_order)
    {
        CDravikString text = entry->GetText(0);
        if (text.CompareNoCase(m_findText) == 0)
            return entry;
    }
    return nullptr;
}

LRESULT CColumnViewControl::SelectIndexFromMessage(int index, bool deselectFirst)
{
    SetFocus();
    CThreadLockGuard guard(m_lock);
    if (deselectFirst && !IsControlDown() && !IsShiftDown())
        DeselectAll();
    EnsureVisible(index);
    const bool selected = SelectIndex(index);
    if (selected)
        m_caret = index;
    UpdateScrollPositions();
    Redraw();
    OnSelectionChanged();
    return selected ? 1 : 0;
}

LRESULT CColumnViewControl::OnSelectIndexMessage(WPARAM, LPARAM lParam)
{
    return SelectIndexFromMessage(static_cast<int>(lParam), true);
}

LRESULT CColumnViewControl::OnAddIndexMessage(WPARAM, LPARAM lParam)
{
    return SelectIndexFromMessage(static_cast<int>(lParam), false);
}

LRESULT CColumnViewControl::SelectFoundFromMessage(bool deselectFirst)
{
    CThreadLockGuard guard(m_lock);
    CColumnViewControlEntry* entry = FindByText();
    if (!entry)
        return 0;
    SetFocus();
    if (deselectFirst && !IsControlDown() && !IsShiftDown())
        DeselectAll();
    EnsureVisible(entry->m_index);
    SelectById(entry->m_id);
    m_caret = entry->m_index;
    UpdateScrollPositions();
    Redraw();
    OnSelectionChanged();
    return 1;
}

LRESULT CColumnViewControl::OnAddTextMessage(WPARAM, LPARAM)
{
    return SelectFoundFromMessage(false);
}

LRESULT CColumnViewControl::OnSelectTextMessage(WPARAM, LPARAM)
{
    return SelectFoundFromMessage(true);
}

LRESULT CColumnViewControl::OnActivateIndexMessage(WPARAM, LPARAM lParam)
{
    const int index = static_cast<int>(lParam);
    if (!GetEntryAt(index))
        return 0;
    SetFocus();
    CThreadLockGuard guard(m_lock);
    DeselectAll();
    EnsureVisible(index);
    SelectIndex(index);
    m_caret = index;
    UpdateScrollPositions();
    Redraw();
    OnActivate();
    return 1;
}

LRESULT CColumnViewControl::OnActivateTextMessage(WPARAM, LPARAM)
{
    CThreadLockGuard guard(m_lock);
    CColumnViewControlEntry* entry = FindByText();
    if (!entry)
        return 0;
    SetFocus();
    DeselectAll();
    m_caret = entry->m_index;
    SelectById(entry->m_id);
    EnsureVisible(entry->m_index);
    UpdateScrollPositions();
    Redraw();
    OnActivate();
    return 1;
}

LRESULT CColumnViewControl::OnPointIndexMessage(WPARAM, LPARAM lParam)
{
    const int index = static_cast<int>(lParam);
    SetFocus();
    CThreadLockGuard guard(m_lock);
    EnsureVisible(index);
    CColumnViewControlEntry* entry = GetEntryAt(index);
    if (entry)
    {
        if (!entry->m_selected)
            DeselectAll();
        PointAt(entry);
    }
    UpdateScrollPositions();
    Redraw();
    return entry ? 1 : 0;
}

LRESULT CColumnViewControl::OnPointTextMessage(WPARAM, LPARAM)
{
    CThreadLockGuard guard(m_lock);
    CColumnViewControlEntry* entry = FindByText();
    if (!entry)
        return 0;
    SetFocus();
    if (!entry->m_selected)
        DeselectAll();
    EnsureVisible(entry->m_index);
    PointAt(entry);
    UpdateScrollPositions();
    Redraw();
    return 1;
}

void CColumnViewControl::PointAt(CColumnViewControlEntry* entry)
{
    if (!entry)
        return;
    m_caret = entry->m_index;
    MarkSelected(entry);
    // Paint first, so that the row's rectangle is where the row now shows.
    Redraw();
    POINT point = {entry->m_rowRect.left + 50, (entry->m_rowRect.top + entry->m_rowRect.bottom) / 2};
    ::ClientToScreen(m_hWnd, &point);
    ::SetCursorPos(point.x, point.y);
    OnEntrySelected();
    OnContextSelect();
}

BOOL CColumnViewControl::OnCopyData(CWnd*, COPYDATASTRUCT* data)
{
    if (!data || data->cbData == 0 || !data->lpData)
        return FALSE;
    // The text need not be terminated within cbData: copy at most cbData characters.
    const char* text = static_cast<const char*>(data->lpData);
    std::string copy(text, strnlen(text, data->cbData));
    m_findText = copy.c_str();
    return TRUE;
}
