// CColumnViewControl: an owner-drawn multi-column list. A themed column header on top, rows of text below,
// its own scroll-bar children, single or multiple selection, sorting by any column (text, number or
// date/time, numbers inside texts compared by value), optional word wrapping and optional separator lines
// between groups. It paints through the off-screen context of CNativeDisplayControl. Everything runs on the
// user-interface thread; the re-entrant lock only guards against a caller from another thread.
//
// Private messages (see ui/UiMessageIds.h) let a test or a helper program select, activate and point at
// rows by index or by the name set through WM_COPYDATA.
#pragma once

#include <map>
#include <vector>

#include "foundation/DravikList.h"
#include "foundation/DravikString.h"
#include "foundation/ThreadLock.h"
#include "framework/ImageList.h"
#include "framework/StdControls.h"
#include "ui/controls/ColumnViewControlEntry.h"
#include "ui/controls/ColumnViewControlHeader.h"
#include "ui/controls/NativeDisplayControl.h"
#include "ui/UiResourceIds.h"

class CColumnViewControl : public CNativeDisplayControl
{
public:
    static constexpr UINT kListId = IDC_COLUMN_VIEW_LIST;
    static constexpr UINT kHeaderId = IDC_COLUMN_VIEW_HEADER;
    static constexpr UINT kHorizontalBarId = IDC_COLUMN_VIEW_HORIZONTAL_BAR;
    static constexpr UINT kVerticalBarId = IDC_COLUMN_VIEW_VERTICAL_BAR;
    static constexpr int kHeaderHeight = 20;
    static constexpr int kDefaultLineHeight = 18;
    // Space above the first row.
    static constexpr int kRowsTopMargin = 5;
    static constexpr int kNewColumnWidth = 50;
    static constexpr COLORREF kGridColour = RGB(208, 211, 217);
    static constexpr COLORREF kDisabledBackground = RGB(238, 238, 244);
    // Rows a wheel notch scrolls and a horizontal scroll step in pixels.
    static constexpr int kWheelRows = 10;
    static constexpr int kHorizontalStep = 50;

    CColumnViewControl();
    ~CColumnViewControl() override;

    // ---- creation, columns and entries
    // Creates the window (id 8888) over the parent, takes the parent's font, makes the header (8889), the
    // images, the columns and the scroll bars.
    bool Create(CWnd* parent) override;
    bool HasBorder() override { return m_borderFlag; }
    void SetBorder(bool border) override { m_borderFlag = border; }
    bool AddColumn(CDravikString title, int kind);
    bool AddColumnFromResource(UINT stringId, int kind);
    void RemoveAllColumns();
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    CColumnViewControlColumnEntry* GetColumn(int column) const;
    // Takes ownership; gives the entry its id and appends it to the display order. False for null.
    bool AddEntry(CColumnViewControlEntry* entry);
    bool SetEntryText(CColumnViewControlEntry* entry, int column, CDravikString text);
    CDravikString GetEntryText(CColumnViewControlEntry* entry, int column);
    void RemoveAllEntries();
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    // The entry at a display index, or null.
    CColumnViewControlEntry* GetEntryAt(int index) const;
    CColumnViewControlEntry* GetEntryById(int id) const;
    int GetSelectedCount() const { return m_selectedCount; }
    int GetTopIndex() const { return m_topIndex; }
    int GetBottomIndex() const { return m_bottomIndex; }
    int GetCaret() const { return m_caret; }
    void SetCaret(int caret) { m_caret = caret; }
    int GetHorizontalOffset() const { return m_horizontalOffset; }
    int GetLineHeight() const { return m_lineHeight; }
    int GetSortColumn() const { return m_sortColumn; }
    bool IsDescending() const { return m_descending; }
    CColumnViewControlHeader& GetHeader() { return m_header; }
    CScrollBar& GetHorizontalBar() { return m_horizontalBar; }
    CScrollBar& GetVerticalBar() { return m_verticalBar; }
    bool IsHorizontalBarEnabled() const { return m_horizontalEnabled; }
    bool IsVerticalBarEnabled() const { return m_verticalEnabled; }
    CImageList& GetRowImages() { return m_rowImages; }
    const CDravikString& GetFindText() const { return m_findText; }
    CColumnViewSeparatorColumn& GetSeparator() { return m_separator; }

    virtual void SetHeaderPopupMenu(UINT menuId, int submenuIndex);

    // ---- notification hooks (nothing here; subclasses override)
    virtual void OnDeleteKey() {}
    virtual void OnSelectionChanged() {}
    virtual void OnActivate() {}
    virtual void OnContextSelect() {}
    virtual void OnEntrySelected() {}
    virtual void OnHotTrack() {}
    virtual void Activate() { OnActivate(); }
    virtual void OnKeyboardMoved() {}
    virtual void OnMouseLeft() {}
    virtual CNativeDisplayOwner* GetOwnerObject() { return m_owner; }
    virtual bool AddColumns() { return false; }
    virtual bool LoadImages() { return false; }
    virtual bool AcceptsInput() { return true; }

    // ---- order and sorting
    virtual bool GetRowsRect(RECT* rect);
    virtual bool Sort();
    virtual void RebuildOrder();
    virtual void ClearOrder();
    virtual void SortByColumnToggle(int column);
    virtual void SortByColumn(int column, bool ascending);
    virtual void UpdateSortImage(int column);
    // -1, 0 or 1 by the sort column's kind; negated when descending. Not an ordering in the strict sense
    // (texts with and without equal rests mix two rules), so it is only ever used by SortRange.
    virtual int Compare(CColumnViewControlEntry* a, CColumnViewControlEntry* b);
    // Stable merge sort of display positions first to last by Compare: n log n compares whatever the input
    // order, recursion depth log n, equal entries keep their order, no read outside the range.
    virtual void SortRange(int first, int last);

    // ---- selection
    virtual bool DeselectAll();
    virtual bool SelectAll();
    virtual bool SelectById(int id);
    virtual bool ToggleSelection(CColumnViewControlEntry* entry);
    virtual bool SelectIndex(int index);
    virtual bool SelectRange(CColumnViewControlEntry* entry);
    virtual bool EnsureVisible(int index);
    virtual CColumnViewControlEntry* GetFirstSelected();
    virtual bool GetSelected(std::vector<CColumnViewControlEntry*>& list);
    int VisibleRowCount();

    virtual void Lock() { m_lock.Lock(); }
    virtual void Unlock() { m_lock.Unlock(); }

    // ---- columns and layout
    virtual void UpdateLayout();
    virtual void UpdateColumnBounds();
    virtual void FitLastColumn();
    virtual void AutoSizeLastColumn() { AutoSizeColumn(LastColumnIndex()); }
    virtual void AutoSizeColumn(int column);
    virtual void AutoSizeAllColumns();
    virtual void GrowColumnsToTitles();
    virtual int ContentWidth(int column);
    virtual int TitleWidth(int column);
    virtual int ColumnsTotalWidth();
    virtual int GetColumnWidth(int column);
    virtual bool SetColumnWidth(int column, int width);
    virtual int LastColumnIndex() { return m_columns.empty() ? 0 : static_cast<int>(m_columns.size()) - 1; }

    // ---- scroll bars
    virtual bool CreateScrollBars();
    virtual bool UpdateScrollBars();
    virtual void UpdateScrollPositions();
    virtual void UpdateScrollBarsAndLayout();
    virtual bool GetTotalSize(int out[2]);
    virtual void LayoutChildren();

    // ---- texts
    // Shortens the text with "..." to fit width w in the DC; false for an empty text or no DC.
    static bool EllipsizeText(HDC dc, CDravikString& text, int width);
    void WrapTexts();
    void WrapEntry(HDC dc, CColumnViewControlEntry* entry);
    // Rows counting the visible separator rows.
    int SeparatorRowsVisible();

    // ---- painting (ColumnViewControlPaint.cpp)
    void OnPaint() override;
    void OnNcPaint() override;
    virtual void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
    virtual bool IsCaretVisible();
    virtual void ComputeRowRects();
    virtual void DrawSelectionGridLines();
    virtual void DrawGridLines();
    virtual bool DrawCaretBackground(CColumnViewControlEntry* entry, int width);
    virtual bool DrawSelectedBackground(CColumnViewControlEntry* entry, int width);
    virtual bool DrawSeparatorRow(CColumnViewControlEntry* entry, int* y);
    virtual bool DrawEntry(CColumnViewControlEntry* entry, int* y, int width, const RECT& rows);
    virtual bool DrawRows();
    virtual void FillBackground();
    virtual void DrawBorder();
    CColumnViewControlEntry* HitTest(POINT point);

    // ---- colour tables
    CDravikList* GetCaretTable() { return &m_caretTable; }
    CDravikList* GetFocusedSelectionTable() { return &m_focusedTable; }
    CDravikList* GetUnfocusedSelectionTable() { return &m_unfocusedTable; }
    void BuildColourTables();
    void FreeColourTables();

    // ---- input (ColumnViewControlInput.cpp); public so that tests can drive them directly
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseLeave();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnSelectIndexMessage(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnAddIndexMessage(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnAddTextMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnSelectTextMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnActivateTextMessage(WPARAM, LPARAM);
    afx_msg LRESULT OnActivateIndexMessage(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnPointIndexMessage(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnPointTextMessage(WPARAM, LPARAM);
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* data);
    void PointAt(CColumnViewControlEntry* entry);

    // The key-state seam: whether Ctrl and Shift count as held (the keyboard's state unless a test says).
    virtual bool IsControlDown();
    virtual bool IsShiftDown();

    // Flags an owner or subclass sets directly.
    bool m_gridLines = true;
    bool m_multipleSelection = false;
    bool m_showImages = true;
    bool m_drawSelection = true;
    bool m_wordWrap = false;

protected:
    DECLARE_MESSAGE_MAP()

    // The first entry whose column-0 text equals the find text ignoring case; null when none.
    CColumnViewControlEntry* FindByText();
    // Message handling shared by the select and add messages.
    LRESULT SelectIndexFromMessage(int index, bool deselectFirst);
    LRESULT SelectFoundFromMessage(bool deselectFirst);
    void ApplyKeyMove();
    // Marks the entry selected, counting it when it was not (no hook).
    void MarkSelected(CColumnViewControlEntry* entry);
    // Selects the entry (alone in single-selection mode) and tells OnEntrySelected; false for null.
    bool SelectEntry(CColumnViewControlEntry* entry);
    // Auto-sizes the last column, settles the scroll bars and the children, re-wraps the texts.
    void RefitColumnsAndBars();
    // Focus and the pressed flag for a mouse button; the entry under the point, or null.
    CColumnViewControlEntry* PressAt(POINT point);
    // A selection or caret bar behind the entry's row in the colours of the table.
    bool DrawRowBar(CColumnViewControlEntry* entry, int width, CDravikList* table);
    void MergeRange(int first, int middle, int last, std::vector<CColumnViewControlEntry*>& buffer);
    void SortRangeWith(int first, int last, std::vector<CColumnViewControlEntry*>& buffer);

    std::map<int, CColumnViewControlEntry*> m_entries; // by id; owns the entries
    std::vector<CColumnViewControlEntry*> m_order;     // display order, not owning
    bool m_descending = false;
    int m_sortColumn = 0;
    std::vector<CColumnViewControlColumnEntry*> m_columns;
    CColumnViewControlHeader m_header;
    bool m_borderFlag = true;
    int m_nextId = 0;
    int m_topIndex = 0;
    int m_bottomIndex = 0;
    int m_caret = 0;
    int m_horizontalOffset = 0;
    int m_lineHeight = kDefaultLineHeight;
    int m_selectedCount = 0;
    bool m_trackingMouse = false;
    bool m_layoutRunning = false;
    bool m_redrawSuppressed = false;
    bool m_wrapSuppressed = false;
    CImageList m_rowImages;
    CThreadLock m_lock;
    COLORREF m_gridColour = kGridColour;
    CDravikList m_caretTable;
    CDravikList m_focusedTable;
    CDravikList m_unfocusedTable;
    CScrollBar m_horizontalBar;
    CScrollBar m_verticalBar;
    bool m_horizontalEnabled = false;
    bool m_verticalEnabled = false;
    CDravikString m_findText;
    CColumnViewSeparatorColumn m_separator;
    bool m_mousePressed = true;
};
