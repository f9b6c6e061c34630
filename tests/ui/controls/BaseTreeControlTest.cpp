// The base tree control: entries beside the tree-view items, the item map, deletions that delete every
// item exactly once, root lines, natural-order sorting and the whole-tree operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/controls/BaseTreeControl.h"
#include "tests/common/TreeSnapshot.h"

namespace
{
int g_liveEntries = 0;

// Counts its instances, so that a test can see every entry go.
class CCountedEntry : public CBaseTreeControlEntry
{
public:
    CCountedEntry() { ++g_liveEntries; }
    ~CCountedEntry() override { --g_liveEntries; }
};

// Records every item deletion the tree view is asked for.
class CRecordingTree : public CBaseTreeControl
{
public:
    CBaseTreeControlEntry* CreateEntry() override
    {
        CCountedEntry* entry = new CCountedEntry;
        entry->SetControl(this);
        return entry;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == TVM_DELETEITEM)
            m_deleted.push_back(reinterpret_cast<HTREEITEM>(lParam));
        return CBaseTreeControl::WindowProc(message, wParam, lParam);
    }
    std::vector<HTREEITEM> m_deleted;
};

class BaseTreeControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_liveEntries = 0;
        LPCSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW),
                                                 reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_frame.CreateEx(0, windowClass, "Base Tree", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                     nullptr, nullptr));
        RECT client = {0, 0, 380, 260};
        ASSERT_TRUE(
            m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, client, &m_frame, 100));
        m_tree.Initialize();
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
        m_frame.DestroyWindow();
    }

    CBaseTreeControlEntry* Add(const char* text, CBaseTreeControlEntry* parent = nullptr)
    {
        CBaseTreeControlEntry* entry = m_tree.CreateEntry();
        HTREEITEM item =
            m_tree.InsertEntry(entry, parent ? parent->GetItem() : nullptr, CDravikString(text), 0);
        EXPECT_NE(item, nullptr) << text;
        return entry;
    }

    // Three roots, each with two children, the first child of the first root with a grandchild.
    void BuildForest()
    {
        for (int r = 0; r < 3; ++r)
        {
            std::string name = "root " + std::to_string(r);
            CBaseTreeControlEntry* root = Add(name.c_str());
            m_roots.push_back(root);
            CBaseTreeControlEntry* first = Add((name + " child a").c_str(), root);
            Add((name + " child b").c_str(), root);
            if (r == 0)
                Add("grandchild", first);
        }
    }

    CWnd m_frame;
    CRecordingTree m_tree;
    std::vector<CBaseTreeControlEntry*> m_roots;
};
} // namespace

TEST_F(BaseTreeControlTest, InsertedEntriesAreMappedLabelledAndCarryThemselvesAsItemData)
{
    CBaseTreeControlEntry* root = Add("parent");
    CBaseTreeControlEntry* child = Add("child", root);
    EXPECT_EQ(m_tree.LookupItem(root->GetItem()), root);
    EXPECT_EQ(m_tree.LookupItem(child->GetItem()), child);
    EXPECT_EQ(m_tree.LookupItem(nullptr), nullptr);
    EXPECT_EQ(child->GetParent(), root);
    EXPECT_EQ(child->GetRoot(), root);
    EXPECT_EQ(root->GetChildCount(), 1);
    EXPECT_EQ(m_tree.GetRootEntryCount(), 1);
    EXPECT_EQ(m_tree.GetItemData(child->GetItem()), reinterpret_cast<DWORD_PTR>(child));
    EXPECT_STREQ(m_tree.GetItemText(child->GetItem()), "child");
    // The parent shows an expand button once it has a child.
    EXPECT_TRUE(m_tree.ItemHasChildren(root->GetItem()));

    EXPECT_TRUE(m_tree.SetItemText(child->GetItem(), "renamed"));
    EXPECT_STREQ(m_tree.GetItemText(child->GetItem()), "renamed");
    EXPECT_STREQ(child->PeekText().PeekAnsi(), "renamed");
    EXPECT_FALSE(m_tree.SetItemText(nullptr, "x"));
    EXPECT_EQ(m_tree.InsertEntry(nullptr, nullptr, CDravikString("x"), 0), nullptr);
}

TEST_F(BaseTreeControlTest, RemovingAllEntriesDeletesTheItemsOnceAndEveryEntry)
{
    BuildForest();
    ASSERT_EQ(g_liveEntries, 10);
    m_tree.m_deleted.clear();
    EXPECT_TRUE(m_tree.RemoveAllEntries());
    // One deletion of the whole tree; no entry deletes its (already freed) item again.
    ASSERT_EQ(m_tree.m_deleted.size(), 1u);
    EXPECT_EQ(m_tree.m_deleted[0], TVI_ROOT);
    EXPECT_EQ(g_liveEntries, 0);
    EXPECT_EQ(m_tree.GetCount(), 0u);
    EXPECT_EQ(m_tree.GetItemCount(), 0);
    EXPECT_EQ(m_tree.GetRootEntryCount(), 0);
    EXPECT_EQ(m_tree.GetSelectedEntry(), nullptr);
    EXPECT_FALSE(m_tree.RemoveAllEntries());

    // The tree is usable afterwards.
    CBaseTreeControlEntry* again = Add("again");
    EXPECT_EQ(m_tree.LookupItem(again->GetItem()), again);
    EXPECT_EQ(m_tree.GetCount(), 1u);
}

TEST_F(BaseTreeControlTest, DeletingAnEntryDeletesItsSubtreeWithOneItemDeletion)
{
    BuildForest();
    CBaseTreeControlEntry* root = m_roots[0];
    CBaseTreeControlEntry* first = static_cast<CBaseTreeControlEntry*>(root->GetChildren()->GetHeadData());
    HTREEITEM firstItem = first->GetItem();
    m_tree.m_deleted.clear();
    EXPECT_TRUE(m_tree.DeleteEntry(first));
    ASSERT_EQ(m_tree.m_deleted.size(), 1u);
    EXPECT_EQ(m_tree.m_deleted[0], firstItem);
    EXPECT_EQ(g_liveEntries, 8);
    EXPECT_EQ(m_tree.GetCount(), 8u);
    EXPECT_EQ(m_tree.GetItemCount(), 8);
    EXPECT_EQ(root->GetChildCount(), 1);
    EXPECT_EQ(m_tree.LookupItem(firstItem), nullptr);

    // A root entry leaves the root list too.
    m_tree.m_deleted.clear();
    EXPECT_TRUE(m_tree.DeleteEntry(m_roots[2]));
    EXPECT_EQ(m_tree.m_deleted.size(), 1u);
    EXPECT_EQ(m_tree.GetRootEntryCount(), 2);
    EXPECT_EQ(m_tree.GetCount(), 5u);
    EXPECT_FALSE(m_tree.DeleteEntry(nullptr));
}

TEST_F(BaseTreeControlTest, RootLinesFollowTheItemCount)
{
    CBaseTreeControlEntry* only = Add("only");
    EXPECT_EQ(m_tree.GetStyle() & TVS_LINESATROOT, 0u);
    CBaseTreeControlEntry* second = Add("second");
    EXPECT_NE(m_tree.GetStyle() & TVS_LINESATROOT, 0u);
    m_tree.DeleteEntry(second);
    EXPECT_EQ(m_tree.GetStyle() & TVS_LINESATROOT, 0u);
    Add("child", only);
    EXPECT_NE(m_tree.GetStyle() & TVS_LINESATROOT, 0u);
}

TEST_F(BaseTreeControlTest, SortsRootsAndChildrenInNaturalOrder)
{
    CBaseTreeControlEntry* parent = nullptr;
    for (const char* name : {"Item 10", "Item 2", "item 1", "Item 100"})
    {
        CBaseTreeControlEntry* root = Add(name);
        if (!parent)
            parent = root;
    }
    for (const char* name : {"b 20", "b 3"})
        Add(name, parent);
    EXPECT_TRUE(m_tree.SortRootItems());
    EXPECT_TRUE(parent->SortChildren());
    std::vector<std::string> order;
    for (const qvx_test::ShownItem& item : qvx_test::Snapshot(m_tree))
        order.push_back(item.text);
    std::vector<std::string> expected = {"item 1", "Item 2", "Item 10", "b 3", "b 20", "Item 100"};
    EXPECT_EQ(order, expected);
}

TEST_F(BaseTreeControlTest, NextRootEntryWrapsAndNeedsASelection)
{
    BuildForest();
    EXPECT_EQ(m_tree.GetNextRootEntry(), nullptr);
    m_tree.SetSelectedEntry(m_roots[0]);
    EXPECT_EQ(m_tree.GetNextRootEntry(), m_roots[1]);
    m_tree.SetSelectedEntry(m_roots[2]);
    EXPECT_EQ(m_tree.GetNextRootEntry(), m_roots[0]);
    // A selected child is not a root entry: the walk starts again at the first root.
    m_tree.SetSelectedEntry(static_cast<CBaseTreeControlEntry*>(m_roots[1]->GetChildren()->GetHeadData()));
    EXPECT_EQ(m_tree.GetNextRootEntry(), m_roots[0]);
}

TEST_F(BaseTreeControlTest, ExpandsAndCollapsesWholeSubtrees)
{
    BuildForest();
    EXPECT_TRUE(m_tree.ExpandAllEntries());
    CBaseTreeControlEntry* first =
        static_cast<CBaseTreeControlEntry*>(m_roots[0]->GetChildren()->GetHeadData());
    for (CBaseTreeControlEntry* root : m_roots)
        EXPECT_TRUE(root->IsExpanded());
    EXPECT_TRUE(first->IsExpanded());
    EXPECT_TRUE(m_tree.CollapseAllEntries());
    for (CBaseTreeControlEntry* root : m_roots)
        EXPECT_FALSE(root->IsExpanded());
    EXPECT_FALSE(first->IsExpanded());
}

TEST_F(BaseTreeControlTest, AnswersGetFontWithItsDefaultFont)
{
    HFONT font = reinterpret_cast<HFONT>(m_tree.SendMessage(WM_GETFONT));
    ASSERT_NE(font, nullptr);
    LOGFONTA info = {};
    ASSERT_NE(GetObjectA(font, sizeof(info), &info), 0);
    EXPECT_STREQ(info.lfFaceName, "MS Shell Dlg");
    EXPECT_EQ(info.lfHeight, 14);
    EXPECT_EQ(info.lfWeight, 400);
    EXPECT_EQ(info.lfQuality, CLEARTYPE_QUALITY);
}
