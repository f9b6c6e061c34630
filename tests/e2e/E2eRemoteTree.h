// CRemoteTree: reads the items of a tree-view control that lives in another process. The item structure
// and the text buffer are placed in that process's memory (VirtualAllocEx), TVM_GETITEM fills them there
// and ReadProcessMemory brings them back; handles from TVM_GETNEXTITEM need no memory of their own.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

struct CRemoteTreeItem
{
    int depth = 0;
    std::string text;
    int image = -1;
    bool expanded = false;
    bool hasChildren = false;
};

// One row of the control: the item, its label and the label's rectangle in client coordinates (empty when
// the control has none for the item).
struct CRemoteTreeRow
{
    HTREEITEM item = nullptr;
    std::string text;
    RECT label = {};
};

class CRemoteTree
{
public:
    explicit CRemoteTree(HWND tree);
    ~CRemoteTree();
    CRemoteTree(const CRemoteTree&) = delete;
    CRemoteTree& operator=(const CRemoteTree&) = delete;

    // False when the other process could not be opened or no memory could be placed in it.
    bool IsReady() const { return m_process && m_remote; }
    // Every item, depth first in display order (root items at depth 0). False when a read failed.
    bool ReadAll(std::vector<CRemoteTreeItem>& items);
    // The number of items the control reports (TVM_GETCOUNT).
    long Count() const;
    // The first item of the tree, the one shown at the top of the client area, and the last one that can be
    // shown (the last item whose parents are all open).
    HTREEITEM Root() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM FirstShown() const { return Next(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM LastShowable() const { return Next(nullptr, TVGN_LASTVISIBLE); }
    // The height of every row (TVM_GETITEMHEIGHT); 0 on failure.
    int ItemHeight() const;
    // Up to count rows in display order from first on (TVGN_NEXTVISIBLE). False when a read failed.
    bool ReadRows(HTREEITEM first, int count, std::vector<CRemoteTreeRow>& rows);
    // The number of steps from one item to a later one in display order; -1 when it is not reached within
    // limit steps.
    long Distance(HTREEITEM from, HTREEITEM to, long limit) const;

private:
    bool ReadItem(HTREEITEM item, int depth, CRemoteTreeItem& out);
    // TVM_GETITEMRECT of the label; false when the control has none.
    bool ReadLabelRect(HTREEITEM item, RECT& rect);
    bool Walk(HTREEITEM first, int depth, std::vector<CRemoteTreeItem>& items);
    HTREEITEM Next(HTREEITEM item, WPARAM relation) const;

    static const size_t kTextChars = 4096;
    HWND m_tree;
    HANDLE m_process = nullptr;
    char* m_remote = nullptr; // TVITEMA followed by the text buffer, in the other process
};
