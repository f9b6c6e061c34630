// The command bars' text window: the rich-edit class chosen once, its creation, the edit commands it
// answers and runs (through the clipboard, so these run with the input tests), IME composition, and
// the glass helper that makes an area opaque.
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include "framework/CmdUI.h"
#include "framework/DC.h"
#include "framework/Wnd.h"
#include "tests/common/MemorySurface.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include <cstring>
#include <string>

namespace
{
const UINT kCopy = 57634;
const UINT kCut = 57635;
const UINT kPaste = 57637;

class RecordingCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_nEnabled = bOn ? 1 : 0;
        CCmdUI::Enable(bOn);
    }
    int m_nEnabled = -1;
};

struct EditFixture
{
    EditFixture()
    {
        LPCSTR lpszClass = AfxRegisterWndClass(0);
        parent.CreateEx(0, lpszClass, "edit host", WS_POPUP, 0, 0, 200, 40, nullptr, nullptr);
        created = edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, &parent);
    }
    ~EditFixture()
    {
        edit.DestroyWindow();
        parent.DestroyWindow();
    }
    int Update(UINT nId)
    {
        RecordingCmdUI ui;
        ui.m_nID = nId;
        EXPECT_TRUE(edit.OnCmdMsg(nId, CN_UPDATE_COMMAND_UI, &ui, nullptr));
        return ui.m_nEnabled;
    }
    std::string Text()
    {
        char sz[64] = {};
        ::GetWindowTextA(edit.GetSafeHwnd(), sz, sizeof(sz));
        return sz;
    }
    CWnd parent;
    CXTPCommandBarEditCtrl edit;
    BOOL created = FALSE;
};

BOOL PutClipboardText(HWND hWnd, const char* psz)
{
    for (int i = 0; i < 20 && !::OpenClipboard(hWnd); ++i)
        ::Sleep(10);
    ::EmptyClipboard();
    if (!psz)
    {
        ::CloseClipboard();
        return TRUE;
    }
    size_t n = std::strlen(psz) + 1;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, n);
    std::memcpy(::GlobalLock(hMem), psz, n);
    ::GlobalUnlock(hMem);
    BOOL bOk = ::SetClipboardData(CF_TEXT, hMem) != nullptr;
    ::CloseClipboard();
    return bOk;
}
std::string ClipboardText(HWND hWnd)
{
    std::string text;
    for (int i = 0; i < 20 && !::OpenClipboard(hWnd); ++i)
        ::Sleep(10);
    if (HANDLE hData = ::GetClipboardData(CF_TEXT))
    {
        if (const char* psz = static_cast<const char*>(::GlobalLock(hData)))
        {
            text = psz;
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    return text;
}
} // namespace

TEST(CommandBarEditCtrl, RichEditClassIsChosenOnceAndUsed)
{
    const CXTPCommandBarEditCtrl::RICHEDIT_CONTEXT& context = CXTPCommandBarEditCtrl::GetRichEditContext();
    EXPECT_EQ(&context, &CXTPCommandBarEditCtrl::GetRichEditContext());
    ASSERT_NE(context.lpszClass, nullptr) << "no rich-edit library in this system";
    EXPECT_STREQ(context.bRichEdit2 ? "RichEdit20A" : "RICHEDIT", context.lpszClass);

    EditFixture f;
    ASSERT_TRUE(f.created);
    char szClass[64] = {};
    ::GetClassNameA(f.edit.GetSafeHwnd(), szClass, sizeof(szClass));
    EXPECT_STREQ(context.lpszClass, szClass);
    EXPECT_EQ(0, ::GetDlgCtrlID(f.edit.GetSafeHwnd()));
    EXPECT_EQ(static_cast<LRESULT>(ENM_CHANGE), f.edit.SendMessage(EM_GETEVENTMASK));
    if (context.bRichEdit2)
    {
        // Plain text (this system's rich edit keeps its own undo and code-page bits).
        LRESULT nMode = f.edit.SendMessage(EM_GETTEXTMODE);
        EXPECT_EQ(TM_PLAINTEXT, nMode & (TM_PLAINTEXT | TM_RICHTEXT)) << nMode;
    }
    // The harness recognises the focused window by its class.
    EXPECT_TRUE(CWnd::FromHandle(f.edit.GetSafeHwnd())->IsKindOf(RUNTIME_CLASS(CXTPCommandBarEditCtrl)));
}

TEST(CommandBarEditCtrl, EditCommandsAreEnabledByTheRules)
{
    EditFixture f;
    ASSERT_TRUE(f.created);
    ::SetWindowTextA(f.edit.GetSafeHwnd(), "hello");
    ASSERT_TRUE(PutClipboardText(f.parent.GetSafeHwnd(), "xy"));

    struct Case
    {
        const char* pszName;
        int nStart, nEnd;
        BOOL bReadOnly, bDisabled, bClipboardText;
        int nCopy, nCut, nPaste;
    } cases[] = {
        {"no selection", 2, 2, FALSE, FALSE, TRUE, 0, 0, 1},
        {"a selection", 0, 2, FALSE, FALSE, TRUE, 1, 1, 1},
        {"read-only with a selection", 0, 2, TRUE, FALSE, TRUE, 1, 0, 0},
        {"disabled with a selection", 0, 2, FALSE, TRUE, TRUE, 1, 0, 0},
        {"nothing to paste", 0, 2, FALSE, FALSE, FALSE, 1, 1, 0},
    };
    for (const Case& c : cases)
    {
        if (!c.bClipboardText)
            PutClipboardText(f.parent.GetSafeHwnd(), nullptr);
        f.edit.SendMessage(EM_SETREADONLY, c.bReadOnly);
        ::EnableWindow(f.edit.GetSafeHwnd(), !c.bDisabled);
        f.edit.SetSel(c.nStart, c.nEnd);
        EXPECT_EQ(c.nCopy, f.Update(kCopy)) << c.pszName;
        EXPECT_EQ(c.nCut, f.Update(kCut)) << c.pszName;
        EXPECT_EQ(c.nPaste, f.Update(kPaste)) << c.pszName;
        f.edit.SendMessage(EM_SETREADONLY, FALSE);
        ::EnableWindow(f.edit.GetSafeHwnd(), TRUE);
        PutClipboardText(f.parent.GetSafeHwnd(), "xy");
    }
    // Other commands go their usual way.
    RecordingCmdUI other;
    other.m_nID = 57600;
    EXPECT_FALSE(f.edit.OnCmdMsg(57600, CN_UPDATE_COMMAND_UI, &other, nullptr));
    EXPECT_EQ(-1, other.m_nEnabled);
}

TEST(CommandBarEditCtrl, EditCommandsRunThroughTheClipboard)
{
    EditFixture f;
    ASSERT_TRUE(f.created);
    ::SetWindowTextA(f.edit.GetSafeHwnd(), "hello");
    f.edit.SetSel(0, 2);
    EXPECT_TRUE(f.edit.OnCommand(kCut, 0));
    EXPECT_EQ("llo", f.Text());
    EXPECT_EQ("he", ClipboardText(f.parent.GetSafeHwnd()));

    f.edit.SetSel(1, 3);
    EXPECT_TRUE(f.edit.OnCommand(kCopy, 0));
    EXPECT_EQ("lo", ClipboardText(f.parent.GetSafeHwnd()));
    EXPECT_EQ("llo", f.Text());

    ASSERT_TRUE(PutClipboardText(f.parent.GetSafeHwnd(), "XY"));
    f.edit.SetSel(3, 3);
    EXPECT_TRUE(f.edit.OnCommand(kPaste, 0));
    // Windows inserts at the caret ("lloXY"); this system's rich edit may replace the line.
    std::string text = f.Text();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ("XY", text.substr(text.size() - 2));

    // Commands of other windows (lParam set) and other ids are not taken.
    EXPECT_FALSE(f.edit.OnCommand(kCut, reinterpret_cast<LPARAM>(f.parent.GetSafeHwnd())));
    EXPECT_FALSE(f.edit.OnCommand(57600, 0));
}

TEST(CommandBarEditCtrl, ImeCompositionEndsWithItsEndOrTheFocus)
{
    EditFixture f;
    ASSERT_TRUE(f.created);
    EXPECT_FALSE(f.edit.IsImeComposing());
    f.edit.SendMessage(WM_IME_STARTCOMPOSITION);
    EXPECT_TRUE(f.edit.IsImeComposing());
    f.edit.SendMessage(WM_IME_ENDCOMPOSITION);
    EXPECT_FALSE(f.edit.IsImeComposing());
    f.edit.SendMessage(WM_IME_STARTCOMPOSITION);
    f.edit.SendMessage(WM_KILLFOCUS);
    EXPECT_FALSE(f.edit.IsImeComposing());
}

TEST(CommandBarEditCtrl, MakeRectOpaqueSetsAlphaOnlyInsideTheArea)
{
    qvx_test::CMemorySurface surface(20, 10);
    ASSERT_TRUE(surface.IsValid());
    surface.Clear(RGB(10, 20, 30));
    ASSERT_EQ(0, surface.Alpha(5, 5));
    CDC dc;
    dc.Attach(surface.DC());
    CXTPPaintManager::MakeRectOpaque(&dc, 4, 2, 12, 8);
    CXTPPaintManager::MakeRectOpaque(&dc, 5, 5, 5, 9); // empty: nothing
    CXTPPaintManager::MakeRectOpaque(nullptr, 0, 0, 20, 10);
    dc.Detach();
    struct
    {
        int x, y;
        BYTE alpha;
    } probes[] = {{4, 2, 255}, {11, 7, 255}, {8, 5, 255}, {3, 2, 0}, {12, 7, 0}, {4, 1, 0}, {11, 8, 0}};
    for (const auto& p : probes)
    {
        EXPECT_EQ(p.alpha, surface.Alpha(p.x, p.y)) << p.x << "," << p.y;
        EXPECT_EQ(RGB(10, 20, 30), surface.Pixel(p.x, p.y)) << p.x << "," << p.y;
    }
}
