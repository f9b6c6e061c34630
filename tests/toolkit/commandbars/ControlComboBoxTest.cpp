// Combo boxes on real toolbars of a docking manager: the notifications of opening, choosing and
// cancelling, the list's size, completion from the list, owner-drawn rows, and persistence of the
// combo and its rows by schema.
#include "FieldTestSupport.h"

#include "toolkit/commandbars/bars/XTPControlComboBoxList.h"
#include "toolkit/commandbars/controls/XTPControlComboBox.h"
#include "toolkit/commandbars/controls/XTPControlComboBoxAutoCompleteWnd.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"

#include <shlwapi.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

using field_test::NotifyRecorder;
using field_test::PumpMessages;

namespace
{
const int kComboId = 310;

class ComboOnFrame : public field_test::FieldOnFrame
{
protected:
    // A toolbar with one button and a combo holding rows, owned (for notifications) by the recorder.
    CXTPControlComboBox* AddCombo(const std::vector<const char*>& rows, BOOL bEditable)
    {
        CXTPControlComboBox* pCombo = dynamic_cast<CXTPControlComboBox*>(AddField(xtpControlComboBox, kComboId));
        EXPECT_NE(pCombo, nullptr);
        if (!pCombo)
            return nullptr;
        pCombo->EnableEdit(bEditable);
        for (const char* row : rows)
            pCombo->AddString(row);
        Layout();
        Activate();
        return pCombo;
    }
    static CString WindowText(CXTPControlComboBox* pCombo) { return field_test::WindowText(pCombo->GetEditCtrl()); }
    // Types a key as the keyboard hook and the window see it.
    static void Type(CXTPControlComboBox* pCombo, char ch)
    {
        const UINT nKey = static_cast<UINT>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
        if (pCombo->OnHookKeyDown(nKey, 0) == 2)
            pCombo->GetEditCtrl()->SendMessage(WM_CHAR, static_cast<WPARAM>(ch), 1);
    }

};
} // namespace

TEST_F(ComboOnFrame, KindJoinsAddByTypeWithItsList)
{
    CXTPControls* pControls = new CXTPControls();
    CXTPControlComboBox* pCombo = dynamic_cast<CXTPControlComboBox*>(pControls->AddByType(xtpControlComboBox, 7));
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->GetType(), xtpControlComboBox);
    EXPECT_EQ(pCombo->GetWidth(), 100);
    EXPECT_EQ(pCombo->GetDropDownItemCount(), 12);
    CXTPControlComboBoxList* pList = pCombo->GetComboBoxList();
    ASSERT_NE(pList, nullptr);
    ASSERT_NE(pList->GetSafeHwnd(), nullptr); // made at once
    char cls[32] = {};
    ::GetClassNameA(pList->GetSafeHwnd(), cls, sizeof(cls));
    EXPECT_STREQ(cls, "ListBox");
    EXPECT_FALSE(::IsWindowVisible(pList->GetSafeHwnd()));
    EXPECT_EQ(pCombo->GetCurSel(), -1);
    pControls->InternalRelease();
}

TEST_F(ComboOnFrame, OpenSelectAndEnterNotifyInOrder)
{
    CXTPControlComboBox* pCombo = AddCombo({"Apple", "Apricot", "Banana"}, TRUE);
    ASSERT_NE(pCombo, nullptr);
    ASSERT_NE(pCombo->GetEditCtrl(), nullptr);
    pCombo->GetEditCtrl()->SetFocus();
    PumpMessages();
    ASSERT_TRUE(pCombo->IsFocused());
    EXPECT_EQ(recorder.Count(CBN_SETFOCUS), 1);
    recorder.m_log.clear();

    // Open through the drop-down button, move down one row, Enter on the bar.
    pCombo->OnClick(FALSE, CPoint(pCombo->GetRect().right - 2, pCombo->GetRect().CenterPoint().y));
    ASSERT_TRUE(pCombo->IsListOpen());
    EXPECT_TRUE(::IsWindowVisible(pCombo->GetComboBoxList()->GetSafeHwnd()));
    EXPECT_EQ(pCombo->OnHookKeyDown(VK_DOWN, 0), 1);
    const int nChosen = pCombo->GetCurSel();
    ASSERT_GE(nChosen, 0);
    const CString strChosen = pCombo->GetListText(nChosen);
    EXPECT_EQ(WindowText(pCombo), strChosen);
    EXPECT_EQ(pBar->OnHookKeyDown(VK_RETURN, 0), 1);
    PumpMessages();

    EXPECT_EQ(recorder.Codes(), (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, XTP_CN_EXECUTE, -1,
                                                   CBN_CLOSEUP, CBN_KILLFOCUS}));
    EXPECT_EQ(recorder.m_log[4].nId, kComboId); // the WM_COMMAND
    EXPECT_FALSE(pCombo->IsListOpen());
    EXPECT_FALSE(::IsWindowVisible(pCombo->GetComboBoxList()->GetSafeHwnd()));
    EXPECT_EQ(pCombo->GetCurSel(), nChosen);
    EXPECT_EQ(pCombo->GetEditText(), strChosen);
}

TEST_F(ComboOnFrame, EscapeCancelsAndRestoresTextAndSelection)
{
    CXTPControlComboBox* pCombo = AddCombo({"Apple", "Apricot", "Banana", "Cherry"}, TRUE);
    ASSERT_NE(pCombo, nullptr);
    pCombo->SetEditText("Banana");
    pCombo->GetEditCtrl()->SetFocus();
    PumpMessages();
    ASSERT_TRUE(pCombo->IsFocused());
    EXPECT_EQ(pCombo->GetCurSel(), 2); // the text's row
    ASSERT_TRUE(pBar->SetPopupControl(pCombo->GetIndex()));
    ASSERT_TRUE(pCombo->IsListOpen());
    EXPECT_EQ(pCombo->OnHookKeyDown(VK_DOWN, 0), 1);
    EXPECT_EQ(pCombo->GetEditText(), "Cherry");
    recorder.m_log.clear();

    EXPECT_EQ(pCombo->OnHookKeyDown(VK_ESCAPE, 0), 0); // a toolbar goes on with the key
    PumpMessages();
    EXPECT_EQ(recorder.Codes(), (std::vector<int>{CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
    EXPECT_EQ(pCombo->GetEditText(), "Banana");
    EXPECT_EQ(pCombo->GetCurSel(), 2);
    EXPECT_FALSE(pCombo->IsFocused());
    EXPECT_FALSE(pCombo->IsListOpen());
}

TEST_F(ComboOnFrame, ListShowsAtMostTheItemCount)
{
    struct Case
    {
        const char* name;
        int nRows;
        int nShown;
    } const cases[] = {
        {"20 rows show 12", 20, 12},
        {"3 rows show 3", 3, 3},
        {"an empty list is sized for 1", 0, 1},
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < c.nRows; ++i)
            texts.push_back("Row " + std::to_string(i));
        std::vector<const char*> rows;
        for (const std::string& t : texts)
            rows.push_back(t.c_str());
        CXTPControlComboBox* pCombo = AddCombo(rows, FALSE);
        ASSERT_NE(pCombo, nullptr) << c.name;
        ASSERT_TRUE(pBar->SetPopupControl(pCombo->GetIndex())) << c.name;
        CXTPControlComboBoxList* pList = pCombo->GetComboBoxList();
        CRect rc;
        ::GetWindowRect(pList->GetSafeHwnd(), &rc);
        EXPECT_EQ(rc.Height(), pList->GetItemHeight() * c.nShown + 4) << c.name;
        EXPECT_EQ(rc.Width(), pCombo->GetRect().Width()) << c.name;
        pBar->SetPopupControl(-1);
        EXPECT_FALSE(::IsWindowVisible(pList->GetSafeHwnd())) << c.name;
        bars->Remove(pBar);
    }
}

TEST_F(ComboOnFrame, TypingCompletesFromTheFirstMatchingRow)
{
    CXTPControlComboBox* pCombo = AddCombo({"Apple", "Apricot", "Banana"}, TRUE);
    ASSERT_NE(pCombo, nullptr);
    pCombo->SetAutoComplete(TRUE);
    pCombo->GetEditCtrl()->SetFocus();
    PumpMessages();
    ASSERT_TRUE(pCombo->IsFocused());

    Type(pCombo, 'A');
    Type(pCombo, 'p');
    int nStart = 0, nEnd = 0;
    pCombo->GetEditCtrl()->GetSel(nStart, nEnd);
    EXPECT_EQ(WindowText(pCombo), "Apple");
    EXPECT_EQ(nStart, 2); // "ple" selected
    EXPECT_EQ(nEnd, 5);
    EXPECT_EQ(pCombo->GetCurSel(), 0);
    EXPECT_GE(recorder.Count(CBN_EDITCHANGE), 2);

    // Backspace removes the completion and completes nothing.
    Type(pCombo, VK_BACK);
    PumpMessages();
    EXPECT_EQ(WindowText(pCombo), "Ap");
    // The next letter completes again.
    Type(pCombo, 'r');
    EXPECT_EQ(WindowText(pCombo), "Apricot");
    pCombo->GetEditCtrl()->GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 3);
    EXPECT_EQ(nEnd, 7);
}

namespace
{
// A shell whose auto-completion accepts every window and records the requests.
class AcceptingShell : public CXTPCommandBarsSystemQuery
{
public:
    AcceptingShell() : m_pOld(SetCommandBarsSystemQuery(this)) {}
    ~AcceptingShell() override { SetCommandBarsSystemQuery(m_pOld); }
    HRESULT ShellAutoComplete(HWND hWndEdit, DWORD dwFlags) override
    {
        m_requests.push_back({hWndEdit, dwFlags});
        return m_hr;
    }
    std::vector<std::pair<HWND, DWORD>> m_requests;
    HRESULT m_hr = S_OK;
    CXTPCommandBarsSystemQuery* m_pOld;
};

// A window of the shell's suggestion class (the system's may be named otherwise here).
HWND CreateSuggestionWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = CXTPControlComboBoxAutoCompleteWnd::kDropDownClass;
    ::RegisterClassA(&wc); // a second test finds it registered
    return ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, CXTPControlComboBoxAutoCompleteWnd::kDropDownClass, "",
                             WS_POPUP | WS_BORDER, 400, 400, 120, 80, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                             nullptr);
}
} // namespace

TEST_F(ComboOnFrame, ShellSuggestionsShownWhileEditingAreTrustedAndCloseTheList)
{
    AcceptingShell shell;
    CXTPControlComboBox* pCombo = AddCombo({"Apple", "Apricot", "Banana"}, TRUE);
    ASSERT_NE(pCombo, nullptr);
    ASSERT_NE(pCombo->GetEditCtrl()->GetSafeHwnd(), nullptr);
    ASSERT_TRUE(pCombo->EnableShellAutoComplete(SHACF_FILESYSTEM));
    ASSERT_EQ(shell.m_requests.size(), 1u);
    EXPECT_EQ(shell.m_requests[0].first, pCombo->GetEditCtrl()->GetSafeHwnd());
    EXPECT_EQ(shell.m_requests[0].second, DWORD(SHACF_FILESYSTEM));

    pCombo->GetEditCtrl()->SetFocus();
    PumpMessages();
    ASSERT_TRUE(pCombo->IsFocused());
    ASSERT_TRUE(pBar->SetPopupControl(pCombo->GetIndex()));
    ASSERT_TRUE(pCombo->IsListOpen());

    HWND hSuggest = CreateSuggestionWindow();
    ASSERT_NE(hSuggest, nullptr);
    ::ShowWindow(hSuggest, SW_SHOWNOACTIVATE);
    PumpMessages();
    EXPECT_TRUE(XTPMouseManager()->IsTrustedWindow(hSuggest));
    EXPECT_FALSE(pCombo->IsListOpen());
    EXPECT_FALSE(::IsWindowVisible(pCombo->GetComboBoxList()->GetSafeHwnd()));

    ::ShowWindow(hSuggest, SW_HIDE);
    EXPECT_FALSE(XTPMouseManager()->IsTrustedWindow(hSuggest));
    ::DestroyWindow(hSuggest);
}

TEST_F(ComboOnFrame, ShellSuggestionsIgnoredWithoutFocusAndARefusalFails)
{
    AcceptingShell shell;
    CXTPControlComboBox* pCombo = AddCombo({"Apple"}, TRUE);
    ASSERT_NE(pCombo, nullptr);
    ASSERT_TRUE(pCombo->EnableShellAutoComplete(SHACF_FILESYSTEM));
    HWND hSuggest = CreateSuggestionWindow();
    ::ShowWindow(hSuggest, SW_SHOWNOACTIVATE);
    PumpMessages();
    EXPECT_FALSE(XTPMouseManager()->IsTrustedWindow(hSuggest)) << "the edit never had the focus";
    ::DestroyWindow(hSuggest);

    shell.m_hr = E_FAIL;
    EXPECT_FALSE(pCombo->EnableShellAutoComplete(SHACF_URLALL));
    EXPECT_EQ(pCombo->GetShellAutoCompleteFlags(), DWORD(SHACF_URLALL)) << "kept for saving";
    EXPECT_TRUE(pCombo->EnableShellAutoComplete(0));
}

namespace
{
// A 16 x 16 icon of one opaque colour.
HICON CreateSolidIcon(COLORREF clr)
{
    CClientDC screen(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(screen.GetSafeHdc(), 16, 16);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, nullptr);
    HDC hDC = ::CreateCompatibleDC(screen.GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hDC, hColor);
    CDC::FromHandle(hDC)->FillSolidRect(0, 0, 16, 16, clr);
    ::SelectObject(hDC, hMask);
    ::PatBlt(hDC, 0, 0, 16, 16, BLACKNESS); // opaque everywhere
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ICONINFO info = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}
} // namespace

TEST_F(ComboOnFrame, OwnerDrawnRowsDrawTheirListIconAndText)
{
    const COLORREF kIcon = RGB(200, 0, 100);
    const COLORREF kBackground = RGB(1, 2, 3);
    CXTPControlComboBox* pCombo = AddCombo({"Zero", "One"}, FALSE);
    ASSERT_NE(pCombo, nullptr);
    pCombo->GetComboBoxList()->SetListIconId(900);
    HICON hIcon = CreateSolidIcon(kIcon);
    pCombo->GetImageManager()->SetIcon(hIcon, 901, 16, 16); // row 1 only
    ::DestroyIcon(hIcon);

    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 120, 20);
    CBitmap* pOld = dc.SelectObject(&bmp);
    auto drawRow = [&](UINT nRow) {
        dc.FillSolidRect(0, 0, 120, 20, kBackground);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = nRow;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = RECT{0, 0, 120, 20};
        pCombo->DrawListItem(&dis);
    };
    auto countColumns = [&](int x0, int x1, COLORREF clr) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < 20; ++y)
                n += dc.GetPixel(x, y) == clr ? 1 : 0;
        return n;
    };
    const COLORREF clrWindow = pCombo->GetPaintManager()->GetColor(COLOR_WINDOW);

    drawRow(1);
    EXPECT_EQ(dc.GetPixel(0, 0), clrWindow) << "an unselected row is filled";
    EXPECT_EQ(countColumns(2, 18, kIcon), 16 * 16) << "the icon 2 pixels in, centred";
    EXPECT_EQ(countColumns(0, 2, kIcon) + countColumns(18, 120, kIcon), 0);
    // The text starts the icon's width + 2, then 3 more, from the row's left.
    EXPECT_EQ(countColumns(0, 21, clrWindow), 2 * 20 + 3 * 20 + 16 * 4) << "no text before 16 + 2 + 3";
    EXPECT_GT(countColumns(21, 120, clrWindow), 0);
    EXPECT_LT(countColumns(21, 120, clrWindow), 99 * 20) << "the row's text";

    drawRow(0); // no icon 900: the text starts 3 pixels in
    EXPECT_EQ(countColumns(0, 120, kIcon), 0);
    EXPECT_EQ(countColumns(0, 3, clrWindow), 3 * 20);
    EXPECT_LT(countColumns(3, 40, clrWindow), 37 * 20);
    dc.SelectObject(pOld);
}

TEST(ComboList, OwnerDrawnRowsKeepTheirTextsBesideItemData)
{
    CXTPControlComboBox* pCombo = new CXTPControlComboBox();
    CXTPControlComboBoxList* pList = pCombo->GetComboBoxList();
    ASSERT_NE(pList, nullptr);
    pList->SetListStyle(LBS_OWNERDRAWFIXED);
    ASSERT_TRUE(pList->CreateListWindow());
    EXPECT_NE(::GetWindowLongPtrA(pList->GetSafeHwnd(), GWL_STYLE) & LBS_HASSTRINGS, 0);
    const char* texts[] = {"One", "Two", "Three"};
    for (int i = 0; i < 3; ++i)
    {
        const int nRow = pCombo->AddString(texts[i]);
        pList->SetItemData(nRow, static_cast<DWORD_PTR>(1000 + i));
    }
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(pList->GetText(i), texts[i]);
        EXPECT_EQ(pList->GetItemData(i), static_cast<DWORD_PTR>(1000 + i));
    }
    pCombo->InternalRelease();
}

TEST(ComboPersistence, RowsAndKeysFollowTheSchema)
{
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "qvx_cb_combo.ini";
    struct Case
    {
        const char* name;
        int nSchema;
        BOOL bIconId;
        BOOL bItemData;
    } const cases[] = {
        {"schema 23", 23, FALSE, FALSE},
        {"schema 24", 24, TRUE, FALSE},
        {"schema 36", 36, TRUE, FALSE},
        {"schema 37", 37, TRUE, TRUE},
    };
    for (const Case& c : cases)
    {
        ::DeleteFileA(file.c_str());
        CXTPControlComboBox* pStored = new CXTPControlComboBox();
        pStored->EnableEdit(FALSE);
        pStored->AddString("Red");
        pStored->AddString("Green");
        pStored->GetComboBoxList()->SetItemData(1, 77);
        pStored->GetComboBoxList()->SetListIconId(500);
        pStored->SetDropDownItemCount(5);
        {
            CXTPPropExchangeIniFile px(FALSE, nullptr, "Combo");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            pStored->DoPropExchange(&px);
        }
        const std::string text = field_test::ReadFileText(file.c_str());
        EXPECT_EQ(text.find("ListIconId") != std::string::npos, c.bIconId != FALSE) << c.name;
        EXPECT_EQ(text.find("ItemData1") != std::string::npos, c.bItemData != FALSE) << c.name;

        CXTPControlComboBox* pLoaded = new CXTPControlComboBox();
        {
            CXTPPropExchangeIniFile px(TRUE, nullptr, "Combo");
            px.AssignFile(file.c_str());
            px.m_nSchema = c.nSchema;
            pLoaded->DoPropExchange(&px);
        }
        EXPECT_FALSE(pLoaded->IsEditable()) << c.name;
        ASSERT_EQ(pLoaded->GetCount(), 2) << c.name;
        EXPECT_EQ(pLoaded->GetListText(0), "Red") << c.name;
        EXPECT_EQ(pLoaded->GetListText(1), "Green") << c.name;
        EXPECT_EQ(pLoaded->GetComboBoxList()->GetItemData(1), static_cast<DWORD_PTR>(c.bItemData ? 77 : 0)) << c.name;
        EXPECT_EQ(pLoaded->GetListIconId(), c.bIconId ? 500 : -1) << c.name;
        EXPECT_EQ(pLoaded->GetDropDownItemCount(), 5) << c.name;
        pLoaded->InternalRelease();
        pStored->InternalRelease();
    }
    ::DeleteFileA(file.c_str());
}

TEST(ComboPersistence, WithoutDropDownKeyEditableAndANegativeCountLoadsNoRows)
{
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "qvx_cb_combo_empty.ini";
    ::DeleteFileA(file.c_str());
    // Only a negative row count is stored.
    ::WritePrivateProfileStringA("Combo\\List\\Items", "Count", "-3", file.c_str());
    CXTPControlComboBox* pLoaded = new CXTPControlComboBox();
    pLoaded->AddString("kept?");
    {
        CXTPPropExchangeIniFile px(TRUE, nullptr, "Combo");
        px.AssignFile(file.c_str());
        px.m_nSchema = 38;
        pLoaded->DoPropExchange(&px);
    }
    EXPECT_TRUE(pLoaded->IsEditable());
    EXPECT_NE(pLoaded->GetEditCtrl(), nullptr);
    EXPECT_EQ(pLoaded->GetCount(), 0);
    pLoaded->InternalRelease();
    ::DeleteFileA(file.c_str());
}

TEST(ComboCopy, CloneTakesTheRowsAndSettings)
{
    CXTPControlComboBox* pSrc = new CXTPControlComboBox();
    pSrc->SetID(8);
    pSrc->EnableEdit(TRUE);
    pSrc->SetAutoComplete(TRUE);
    pSrc->SetDropDownItemCount(4);
    pSrc->AddString("x");
    pSrc->AddString("y");
    pSrc->GetComboBoxList()->SetItemData(0, 9);
    CXTPControlComboBox* pCopy = dynamic_cast<CXTPControlComboBox*>(pSrc->Clone());
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetID(), 8);
    EXPECT_TRUE(pCopy->IsEditable());
    EXPECT_TRUE(pCopy->GetAutoComplete());
    EXPECT_EQ(pCopy->GetDropDownItemCount(), 4);
    ASSERT_EQ(pCopy->GetCount(), 2);
    EXPECT_EQ(pCopy->GetListText(1), "y");
    EXPECT_EQ(pCopy->GetComboBoxList()->GetItemData(0), static_cast<DWORD_PTR>(9));
    EXPECT_NE(pCopy->GetComboBoxList(), pSrc->GetComboBoxList());
    pCopy->InternalRelease();
    pSrc->InternalRelease();
}
