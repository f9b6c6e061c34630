// Control wrappers, menus with command-UI updates, and image lists including drag images.
#include "framework/CmdUI.h"
#include "framework/DC.h"
#include "framework/HeaderCtrl.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/StdControls.h"
#include "framework/TreeCtrl.h"

#include <gtest/gtest.h>

namespace
{
class WndControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "controls", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 300),
                                    nullptr, 0));
    }
    CWnd parent;
};

class CMenuTarget : public CCmdTarget
{
public:
    BOOL enable = FALSE;

protected:
    afx_msg void OnUpdate(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(enable);
        pCmdUI->SetCheck(enable ? 1 : 0);
        pCmdUI->SetText(enable ? "&Run now" : "&Run");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuTarget, CCmdTarget)
ON_UPDATE_COMMAND_UI(500, OnUpdate)
END_MESSAGE_MAP()
} // namespace

TEST_F(WndControlsTest, TreeItemsTextsDataAndDragImage)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(0, 0, 200, 200), &parent, 10));
    HTREEITEM root = tree.InsertItem("root");
    HTREEITEM child = tree.InsertItem("a child with a rather long label", root);
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(2u, tree.GetCount());
    EXPECT_EQ(root, tree.GetParentItem(child));
    EXPECT_EQ(child, tree.GetChildItem(root));
    EXPECT_TRUE(tree.ItemHasChildren(root));
    EXPECT_STREQ("a child with a rather long label", tree.GetItemText(child));
    EXPECT_TRUE(tree.SetItemData(child, 0x1234));
    EXPECT_EQ(0x1234u, tree.GetItemData(child));
    tree.Expand(root, TVE_EXPAND);
    EXPECT_TRUE(tree.SelectItem(child));
    EXPECT_EQ(child, tree.GetSelectedItem());
    CRect itemRect;
    EXPECT_TRUE(tree.GetItemRect(child, &itemRect, TRUE));
    EXPECT_EQ(child, tree.HitTest(itemRect.CenterPoint()));

    CImageList* drag = tree.CreateDragImage(child);
    if (drag) // tree views without an image list may not make one
    {
        EXPECT_GT(drag->GetImageCount(), 0);
        delete drag;
    }
}

TEST_F(WndControlsTest, ListComboEditAndHeader)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_NOTIFY, CRect(0, 0, 100, 100), &parent, 11));
    EXPECT_EQ(0, list.AddString("one"));
    EXPECT_EQ(1, list.AddString("two"));
    list.SetItemData(1, 99);
    CString text;
    list.GetText(1, text);
    EXPECT_STREQ("two", text);
    EXPECT_EQ(99u, list.GetItemData(1));
    EXPECT_EQ(1, list.FindStringExact(-1, "two"));

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &parent, 12));
    combo.AddString("alpha");
    combo.AddString("beta");
    EXPECT_EQ(1, combo.SetCurSel(1));
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_STREQ("beta", text);

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), &parent, 13));
    edit.SetWindowText("hello world");
    edit.SetSel(6, 11);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(6, start);
    EXPECT_EQ(11, end);
    edit.ReplaceSel("there");
    edit.GetWindowText(text);
    EXPECT_STREQ("hello there", text);

    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_CHILD | HDS_HORZ, CRect(0, 0, 200, 20), &parent, 14));
    HDITEMA item = {};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = const_cast<LPSTR>("Name");
    item.cxy = 80;
    EXPECT_EQ(0, header.InsertItem(0, &item));
    EXPECT_EQ(1, header.GetItemCount());
    CRect r;
    EXPECT_TRUE(header.GetItemRect(0, &r));
    EXPECT_EQ(80, r.Width());
}

TEST_F(WndControlsTest, MenuItemsFollowTheirUpdateHandler)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendMenu(MF_STRING, 500, "&Run"));
    EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    EXPECT_EQ(2u, menu.GetMenuItemCount());
    EXPECT_EQ(500u, menu.GetMenuItemID(0));
    EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));

    CMenuTarget target;
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndex = 0;
    state.m_nID = 500;
    for (BOOL enable : {FALSE, TRUE})
    {
        target.enable = enable;
        EXPECT_TRUE(state.DoUpdate(&target, FALSE));
        UINT flags = menu.GetMenuState(0, MF_BYPOSITION);
        EXPECT_EQ(!enable, (flags & MF_GRAYED) != 0);
        EXPECT_EQ(enable, (flags & MF_CHECKED) != 0);
        CString text;
        menu.GetMenuString(0, text, MF_BYPOSITION);
        EXPECT_STREQ(enable ? "&Run now" : "&Run", text);
        EXPECT_EQ(500u, menu.GetMenuItemID(0)); // the id survives the text change
    }
    HMENU hMenu = menu.Detach();
    EXPECT_TRUE(::IsMenu(hMenu));
    ::DestroyMenu(hMenu);
}

TEST_F(WndControlsTest, ImageListDrawsAndDrags)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    CClientDC screen(nullptr);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap strip;
    ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 32, 16));
    CBitmap* old = memory.SelectObject(&strip);
    memory.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 0));
    memory.FillSolidRect(16, 0, 16, 16, RGB(0, 0, 255));
    memory.SelectObject(old);
    EXPECT_EQ(0, images.Add(&strip, RGB(0, 255, 0)));
    EXPECT_EQ(2, images.GetImageCount());

    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(&screen, 16, 16));
    old = memory.SelectObject(&target);
    memory.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    EXPECT_TRUE(images.Draw(&memory, 1, CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(RGB(0, 0, 255), memory.GetPixel(8, 8));
    EXPECT_TRUE(images.DrawIndirect(&memory, 0, CPoint(0, 0), CSize(16, 16), CPoint(0, 0)));
    EXPECT_EQ(RGB(255, 0, 0), memory.GetPixel(8, 8));
    memory.SelectObject(old);

    EXPECT_TRUE(images.BeginDrag(0, CPoint(2, 2)));
    EXPECT_TRUE(CImageList::DragEnter(&parent, CPoint(10, 10)));
    EXPECT_TRUE(CImageList::DragMove(CPoint(40, 40)));
    CPoint at, hotSpot;
    EXPECT_NE(nullptr, CImageList::GetDragImage(&at, &hotSpot));
    EXPECT_TRUE(CImageList::DragLeave(&parent));
    CImageList::EndDrag();
}
