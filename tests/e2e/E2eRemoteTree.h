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

private:
    bool ReadItem(HTREEITEM item, int depth, CRemoteTreeItem& out);
    bool Walk(HTREEITEM first, int depth, std::vector<CRemoteTreeItem>& items);
    HTREEITEM Next(HTREEITEM item, WPARAM relation) const;

    static const size_t kTextChars = 4096;
    HWND m_tree;
    HANDLE m_process = nullptr;
    char* m_remote = nullptr; // TVITEMA followed by the text buffer, in the other process
};
