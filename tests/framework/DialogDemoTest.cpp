// A small demo dialog run modally: a toolbar-like bar and a header placed by RepositionBars
// (WM_SIZEPARENT), a tree filling the rest, and static fields below. With the environment
// variable QVX_DEMO_SECONDS set, the dialog stays open that many seconds (for a screenshot).
#include "framework/DC.h"
#include "framework/Dialog.h"
#include "framework/HeaderCtrl.h"
#include "framework/StdControls.h"
#include "framework/TreeCtrl.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
const UINT kDemoTemplate = 200;
const UINT kBarId = 0xE800;
const UINT kHeaderId = 0xE801;
const UINT kTreeId = 2036;
const int kBarHeight = 30;
const int kFieldsHeight = 44;
const UINT_PTR kEndTimer = 9;
const char* const kButtons[] = {"Load Test Suite", "Run All Tests", "Cancel", "Export Results", "About"};

// A bar that takes the top strip of the free layout space and draws its buttons itself.
class CDemoBar : public CWnd
{
public:
    BOOL Create(CWnd* pParent)
    {
        return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, kBarId);
    }

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect(layout->rect.left, layout->rect.top, layout->rect.right, layout->rect.top + kBarHeight);
        if (layout->hDWP)
            AfxRepositionWindow(layout, m_hWnd, &rect);
        layout->rect.top += kBarHeight;
        layout->sizeTotal.cy += kBarHeight;
        return 0;
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
        dc.Draw3dRect(&client, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        CFont* pOldFont =
            dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        dc.SetBkMode(TRANSPARENT);
        int x = 4;
        for (const char* caption : kButtons)
        {
            CSize extent = dc.GetTextExtent(caption, lstrlenA(caption));
            CRect button(x, 3, x + extent.cx + 16, kBarHeight - 3);
            dc.Draw3dRect(&button, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
            dc.DrawText(caption, -1, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            x = button.right + 4;
        }
        dc.SelectObject(pOldFont);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_PAINT()
END_MESSAGE_MAP()

// The header asks the control itself for its height (HDM_LAYOUT) and takes that strip.
class CLayoutHeader : public CHeaderCtrl
{
protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        RECT available = layout->rect;
        WINDOWPOS pos = {};
        HDLAYOUT hdl = {&available, &pos};
        Layout(&hdl);
        CRect rect(pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy);
        if (layout->hDWP)
            AfxRepositionWindow(layout, m_hWnd, &rect);
        layout->rect.top += pos.cy;
        layout->sizeTotal.cy += pos.cy;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLayoutHeader, CHeaderCtrl)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

class CDemoDialog : public CDialog
{
public:
    CDemoDialog() : CDialog(kDemoTemplate) {}

    CDemoBar bar;
    CLayoutHeader header;
    CTreeCtrl tree;
    CStatic suiteLabel, suiteName, statusLabel, status;
    int seconds = 0;
    int kickIdle = 0;

    // Snapshot of the layout while the dialog runs.
    CRect client, barRect, headerRect, treeRect, fieldsTop;
    UINT treeCount = 0;
    int headerItems = 0;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, kTreeId, tree);
        DDX_Control(pDX, kHeaderId, header);
        DDX_Control(pDX, 2043, suiteLabel);
        DDX_Control(pDX, 2042, suiteName);
        DDX_Control(pDX, 2029, statusLabel);
        DDX_Control(pDX, 2028, status);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        bar.Create(this);
        // Bars are laid out in z-order: the toolbar goes first, above the header.
        bar.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        const char* columns[] = {"Test", "Result", "Time"};
        int widths[] = {260, 140, 100};
        for (int i = 0; i < 3; ++i)
        {
            HDITEMA item = {};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.pszText = const_cast<LPSTR>(columns[i]);
            item.cxy = widths[i];
            item.fmt = HDF_LEFT | HDF_STRING;
            header.InsertItem(i, &item);
        }
        HTREEITEM suite = tree.InsertItem("Quorvex demo suite");
        HTREEITEM group = tree.InsertItem("String tests", suite);
        tree.InsertItem("Format keeps every argument", group);
        tree.InsertItem("Compare ignores case", group);
        HTREEITEM files = tree.InsertItem("File tests", suite);
        tree.InsertItem("Whole-file read and write", files);
        tree.InsertItem("Seek past the end", files);
        tree.Expand(suite, TVE_EXPAND);
        tree.Expand(group, TVE_EXPAND);
        tree.Expand(files, TVE_EXPAND);
        tree.SelectItem(group);
        suiteName.SetWindowText("FrameworkDemo.dll");
        status.SetWindowText("Errors: 0  Warnings: 0");
        Layout();
        if (seconds > 0)
            SetTimer(kEndTimer, static_cast<UINT>(seconds) * 1000, nullptr);
        CenterWindow();
        return TRUE;
    }

    void Layout()
    {
        if (!bar.m_hWnd)
            return;
        CRect rc;
        GetClientRect(&rc);
        CRect above(rc.left, rc.top, rc.right, rc.bottom - kFieldsHeight);
        int y = above.bottom + 6;
        suiteLabel.MoveWindow(8, y, 110, 16);
        suiteName.MoveWindow(120, y, rc.Width() - 128, 16);
        statusLabel.MoveWindow(8, y + 18, 110, 16);
        status.MoveWindow(120, y + 18, rc.Width() - 128, 16);
        RepositionBars(0xE800, 0xE8FF, kTreeId, reposDefault, nullptr, &above);
    }

    void Snapshot()
    {
        GetClientRect(&client);
        auto childRect = [this](CWnd& child) {
            CRect r;
            child.GetWindowRect(&r);
            ScreenToClient(&r);
            return r;
        };
        barRect = childRect(bar);
        headerRect = childRect(header);
        treeRect = childRect(tree);
        fieldsTop = childRect(suiteLabel);
        treeCount = tree.GetCount();
        headerItems = header.GetItemCount();
    }

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CDialog::OnSize(nType, cx, cy);
        Layout();
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (kickIdle++ == 0)
        {
            Snapshot();
            if (seconds <= 0)
                PostMessage(WM_COMMAND, IDOK);
        }
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == kEndTimer)
            EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoDialog, CDialog)
ON_WM_SIZE()
ON_WM_TIMER()
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()
} // namespace

TEST(DialogDemoTest, DemoDialogLaysOutBarHeaderTreeAndFields)
{
    CDemoDialog dlg;
    char value[16] = {};
    if (::GetEnvironmentVariableA("QVX_DEMO_SECONDS", value, sizeof value) > 0)
        dlg.seconds = std::atoi(value);
    EXPECT_EQ(IDOK, dlg.DoModal());

    ASSERT_FALSE(dlg.client.IsRectEmpty());
    // The bar: the top strip across the whole width.
    EXPECT_EQ(CRect(0, 0, dlg.client.right, kBarHeight), dlg.barRect);
    // The header right below it, as high as the control wants.
    EXPECT_EQ(kBarHeight, dlg.headerRect.top);
    EXPECT_EQ(0, dlg.headerRect.left);
    EXPECT_EQ(dlg.client.right, dlg.headerRect.right);
    EXPECT_GT(dlg.headerRect.Height(), 0);
    // The tree takes what is left above the fields; its border lies outside that space.
    CRect leftOver(0, dlg.headerRect.bottom, dlg.client.right, dlg.client.bottom - kFieldsHeight);
    CRect expectedTree = leftOver;
    ::AdjustWindowRectEx(&expectedTree, static_cast<DWORD>(::GetWindowLongPtrA(dlg.tree.m_hWnd, GWL_STYLE)),
                         FALSE, 0); // the template's tree has WS_BORDER and no client edge
    EXPECT_EQ(expectedTree, dlg.treeRect);
    EXPECT_GE(dlg.fieldsTop.top, leftOver.bottom);
    EXPECT_EQ(7u, dlg.treeCount);
    EXPECT_EQ(3, dlg.headerItems);
}
