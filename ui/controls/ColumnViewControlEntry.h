// The rows, columns and sort keys of the column view (CColumnViewControl): one column's description, a
// row with its texts, colours, picture and display lines, the sort key of a row, and the separator that
// can draw a line between groups of rows.
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/DravikString.h"

class CColumnViewControl;

// How a column sorts.
enum ColumnSortKind
{
    kColumnSortText = 0,
    kColumnSortDateTime = 1,
    kColumnSortNumber = 2
};

// The sort key of one row: the text of the sort column split into a number (its digits) and the rest.
class CColumnTextSortContext
{
public:
    CColumnTextSortContext();
    virtual ~CColumnTextSortContext() = default;

    void Reset();

    CDravikString m_text;
    long long m_number = 0;
    CDravikString m_rest;
    bool m_hasNumber = false;
    long long m_time = 0; // FILETIME (UTC) as a 64-bit count
};

// The display lines of one cell (one line, or several with word wrapping).
class CColumnViewControlColumnText
{
public:
    virtual ~CColumnViewControlColumnText() = default;

    int m_reserved = 0;
    std::vector<CDravikString> m_lines;
};

// One column: how it sorts, its title and its bounds in content coordinates.
class CColumnViewControlColumnEntry
{
public:
    CColumnViewControlColumnEntry(CColumnViewControl* owner, const CDravikString& title, int kind)
        : m_owner(owner), m_kind(kind), m_title(title)
    {
    }
    virtual ~CColumnViewControlColumnEntry() = default;

    CColumnViewControl* m_owner;
    int m_kind;
    CDravikString m_title;
    RECT m_bounds = {0, 0, 0, 0};
};

// One row.
class CColumnViewControlEntry
{
public:
    CColumnViewControlEntry() = default;
    virtual ~CColumnViewControlEntry() = default;

    // Builds the sort key from the text in the owner's sort column (see CColumnViewControl::Compare).
    virtual void PrepareSortKey();
    virtual void ResetSortKey() { m_sortKey.Reset(); }
    virtual int Reserved() { return 0; }

    // The text of a column (empty when missing) and its colour (black when missing).
    CDravikString GetText(int column) const;
    COLORREF GetTextColour(int column) const;

    CColumnViewControl* m_owner = nullptr;
    int m_id = 0;
    int m_index = 0;
    std::vector<CDravikString> m_texts;
    std::vector<COLORREF> m_colours;
    RECT m_rowRect = {0, 0, 0, 0};
    int m_lineCount = 1;
    int m_rowHeight = 18;
    bool m_selected = false;
    int m_image = 0; // 1-based into the owner's image list; 0: none
    CColumnTextSortContext m_sortKey;
    std::vector<CColumnViewControlColumnText> m_lines;
};

// Draws a separator line before each row whose text in one column differs from the row above it.
class CColumnViewSeparatorColumn
{
public:
    virtual ~CColumnViewSeparatorColumn() = default;

    // True when the entry's text differs (ignoring case) from the text remembered last; the first entry
    // seen only sets the remembered text.
    bool StartsGroup(const CColumnViewControlEntry* entry);
    void Forget() { m_lastText = CDravikString(); }

    bool m_enabled = false;
    int m_column = 0;
    CDravikString m_lastText;
};
