// What a tree view shows, item by item in display order: depth, text (time stamps masked), picture,
// expanded state and number of child items; for tests of tree controls.
#pragma once

#include <string>
#include <vector>

#include "framework/TreeCtrl.h"
#include "tests/common/TestText.h"

namespace qvx_test
{
// One item of the tree view as it is shown.
struct ShownItem
{
    int depth;
    std::string text; // time stamps masked
    int image;
    bool expanded;
    int children; // child items in the tree view
};

inline void WalkShown(CTreeCtrl& tree, HTREEITEM item, int depth, std::vector<ShownItem>& items)
{
    for (; item; item = tree.GetNextSiblingItem(item))
    {
        char text[8192] = {};
        TVITEMA info = {};
        info.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        info.stateMask = TVIS_EXPANDED;
        tree.GetItem(&info);
        int children = 0;
        for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
            ++children;
        items.push_back({depth, MaskStamps(text), info.iImage, (info.state & TVIS_EXPANDED) != 0, children});
        WalkShown(tree, tree.GetChildItem(item), depth + 1, items);
    }
}

// The items of the whole tree.
inline std::vector<ShownItem> Snapshot(CTreeCtrl& tree)
{
    std::vector<ShownItem> items;
    WalkShown(tree, tree.GetRootItem(), 0, items);
    return items;
}

// The shown item whose text (masked) equals text; null when none.
inline const ShownItem* FindShown(const std::vector<ShownItem>& items, const std::string& text)
{
    for (const ShownItem& item : items)
        if (item.text == text)
            return &item;
    return nullptr;
}
} // namespace qvx_test
