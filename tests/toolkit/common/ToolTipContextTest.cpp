// The tooltip context: texts, titles and ampersands by table, styles and the windows they make, the
// settings a new window receives, and the tool records of FillToolInfo and FillToolInfoEx.
#include "ToolTipTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <typeinfo>

using namespace tk_tooltip;

namespace
{
constexpr int kX = 820, kY = 610;

struct TextCase
{
    const char* name;
    const char* text;
    const char* title;
    const char* description;
    BOOL bKeepAmpersands; // style flag 2
    const char* expectText;
    const char* expectTitle;
};

const TextCase kTextCases[] = {
    {"trailing dots dropped", "Open...", "", "", TRUE, "Open", ""},
    {"three dots stay", "...", "", "", TRUE, "...", ""},
    {"title equal to description shows the text only", "Save", "Save", "Save", TRUE, "Save", ""},
    {"title and description", "Save", "Save", "Saves the document", TRUE, "Saves the document", "Save"},
    {"ampersands kept with flag 2", "&Open && close", "", "", TRUE, "&Open && close", ""},
    {"ampersands stripped without flag 2", "&Open && close", "", "", FALSE, "Open & close", ""},
    {"title ampersands stripped without flag 2", "x", "&File", "Opens a &file", FALSE, "Opens a file", "File"},
    {"a description without a title is no title", "Cut", "", "Removes it", TRUE, "Cut", ""},
};
} // namespace

TEST(ToolTipContext, TextsTitlesAndAmpersandsByTable)
{
    FakeCursorScope cursor;
    for (const TextCase& tc : kTextCases)
    {
        SCOPED_TRACE(tc.name);
        ToolWindow wnd;
        ASSERT_TRUE(wnd.CreateAt(kX, kY, 200, 60));
        wnd.tools.push_back({CRect(0, 0, 100, 60), 11, tc.text, tc.title, tc.description});
        CXTPToolTipContext context;
        context.SetStyle(xtpToolTipOffice);
        context.SetShowTitleAndDescription(TRUE, TTI_INFO);
        if (!tc.bKeepAmpersands)
            context.ModifyToolTipStyle(XTP_TTS_NOPREFIX_FLAG, 0);
        MoveTo(context, wnd, wnd.ScreenCentre(0));
        CXTPToolTipContextToolTip* pTip = OwnerDrawn(context);
        ASSERT_NE(pTip, nullptr);
        ASSERT_EQ(pTip->GetToolCount(), 1);
        EXPECT_STREQ(pTip->GetToolText(pTip->GetTool(0)), tc.expectText);
        EXPECT_STREQ(pTip->GetTitle(), tc.expectTitle);
        EXPECT_TRUE(pTip->IsActive());
    }
}

TEST(ToolTipContext, SetStyleAnswersAndManagedFlags)
{
    CXTPToolTipContext context;
    EXPECT_EQ(context.GetStyle(), 0);
    EXPECT_EQ(context.GetToolTipStyle(), 2u);
    EXPECT_FALSE(context.SetStyle(0)) << "the current style";

    context.SetComCtlVersion(0x5004F); // 5.79
    EXPECT_FALSE(context.SetStyle(xtpToolTipBalloon));
    EXPECT_EQ(context.GetStyle(), 0);
    context.SetComCtlVersion(0x50051); // 5.81
    EXPECT_TRUE(context.SetStyle(xtpToolTipBalloon));
    EXPECT_EQ(context.GetStyle(), 1);

    for (int nStyle = 0; nStyle <= 7; nStyle++)
    {
        SCOPED_TRACE(nStyle);
        context.SetStyle(nStyle == 1 ? 0 : 1);
        EXPECT_TRUE(context.SetStyle(nStyle));
        DWORD dwManaged = context.GetToolTipStyle() & 0x7000;
        EXPECT_EQ(dwManaged, nStyle == 2 ? 0x3000u : nStyle == 5 ? 0x4000u : 0u);
        EXPECT_EQ(context.GetToolTipStyle() & 2u, 2u) << "other flags stay";
    }
}

TEST(ToolTipContext, StylesMakeTheirWindowKinds)
{
    FakeCursorScope cursor;
    ToolWindow wnd;
    ASSERT_TRUE(wnd.CreateAt(kX, kY, 200, 60));
    wnd.tools.push_back({CRect(0, 0, 100, 60), 5, "Tip"});
    for (int nStyle = 0; nStyle <= 8; nStyle++)
    {
        SCOPED_TRACE(nStyle);
        CXTPToolTipContext context;
        context.SetComCtlVersion(0x50051);
        context.SetStyle(nStyle);
        MoveTo(context, wnd, wnd.ScreenCentre(0));
        CWnd* pTip = context.GetToolTip();
        ASSERT_NE(pTip, nullptr);
        ASSERT_TRUE(::IsWindow(pTip->GetSafeHwnd()));
        EXPECT_EQ(::GetWindow(pTip->GetSafeHwnd(), GW_OWNER), wnd.m_hWnd);
        const std::type_info& kind = typeid(*pTip);
        switch (nStyle)
        {
        case 2:
        case 5:
            EXPECT_TRUE(kind == typeid(CXTPToolTipContextToolTip));
            break;
        case 3:
            EXPECT_TRUE(kind == typeid(CXTPToolTipContext::CRichEditToolTip));
            break;
        case 4:
            EXPECT_TRUE(kind == typeid(CXTPToolTipContext::CLunaToolTip));
            break;
        case 6:
            EXPECT_TRUE(kind == typeid(CXTPToolTipContext::CHTMLToolTip));
            break;
        case 7:
            EXPECT_TRUE(kind == typeid(CXTPToolTipContext::CMarkupToolTip));
            break;
        default:
            EXPECT_TRUE(kind == typeid(CXTPToolTipContext::CStandardToolTip));
            char szClass[64] = {};
            ::GetClassNameA(pTip->GetSafeHwnd(), szClass, sizeof(szClass));
            EXPECT_STREQ(szClass, TOOLTIPS_CLASSA);
            LONG style = ::GetWindowLongA(pTip->GetSafeHwnd(), GWL_STYLE);
            EXPECT_EQ((style & TTS_BALLOON) != 0, nStyle == 1);
            EXPECT_EQ(style & (TTS_ALWAYSTIP | TTS_NOPREFIX), TTS_ALWAYSTIP | TTS_NOPREFIX);
            break;
        }
    }
}

TEST(ToolTipContext, SameStyleKeepsTheWindowAndChangesRecreateIt)
{
    FakeCursorScope cursor;
    ToolWindow wnd;
    ASSERT_TRUE(wnd.CreateAt(kX, kY, 200, 60));
    wnd.tools.push_back({CRect(0, 0, 100, 60), 5, "Tip"});
    CXTPToolTipContext context;
    context.SetStyle(xtpToolTipResource);
    MoveTo(context, wnd, wnd.ScreenCentre(0));
    CWnd* pFirst = context.GetToolTip();
    ASSERT_NE(pFirst, nullptr);
    EXPECT_FALSE(context.SetStyle(xtpToolTipResource));
    EXPECT_EQ(context.GetToolTip(), pFirst);
    context.ModifyToolTipStyle(0, 0); // no change
    EXPECT_EQ(context.GetToolTip(), pFirst);
    context.ModifyToolTipStyle(0, XTP_TTS_NOSHADOW);
    EXPECT_EQ(context.GetToolTip(), nullptr);
    MoveTo(context, wnd, wnd.ScreenCentre(0));
    ASSERT_NE(context.GetToolTip(), nullptr);
    context.SetShowImage(TRUE);
    EXPECT_EQ(context.GetToolTip(), nullptr);
}

namespace
{
// A tooltip window that records the setting messages it receives.
class RecordingToolTip : public CXTPToolTipContextToolTip
{
public:
    using CXTPToolTipContextToolTip::CXTPToolTipContextToolTip;
    std::vector<std::pair<UINT, WPARAM>> received;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case WM_SETFONT:
        case TTM_SETMAXTIPWIDTH:
        case TTM_SETMARGIN:
        case TTM_SETTIPBKCOLOR:
        case TTM_SETTIPTEXTCOLOR:
        case TTM_SETDELAYTIME:
        case TTM_ACTIVATE:
            received.emplace_back(message, wParam);
            break;
        default:
            break;
        }
        return CXTPToolTipContextToolTip::WindowProc(message, wParam, lParam);
    }
};

class RecordingContext : public CXTPToolTipContext
{
public:
    RecordingToolTip* pMade = nullptr;
    CWnd* CreateToolTip(CWnd*) override
    {
        pMade = new RecordingToolTip(this);
        return pMade;
    }
};
} // namespace

TEST(ToolTipContext, NewWindowGetsItsSettingsInOrder)
{
    FakeCursorScope cursor;
    ToolWindow wnd;
    ASSERT_TRUE(wnd.CreateAt(kX, kY, 200, 60));
    wnd.tools.push_back({CRect(0, 0, 100, 60), 5, "Tip"});
    for (int withColours = 0; withColours < 2; withColours++)
    {
        SCOPED_TRACE(withColours);
        RecordingContext context;
        context.SetStyle(xtpToolTipOffice);
        if (withColours)
        {
            context.SetTipBkColor(RGB(1, 2, 3));
            context.SetTipTextColor(RGB(4, 5, 6));
        }
        context.SetDelayTime(TTDT_INITIAL, 40);
        MoveTo(context, wnd, wnd.ScreenCentre(0));
        ASSERT_NE(context.pMade, nullptr);
        std::vector<std::pair<UINT, WPARAM>> expected = {
            {WM_SETFONT, reinterpret_cast<WPARAM>(context.GetFont()->GetSafeHandle())},
            {TTM_SETMAXTIPWIDTH, 0},
            {TTM_SETMARGIN, 0}};
        if (withColours)
        {
            expected.emplace_back(TTM_SETTIPBKCOLOR, RGB(1, 2, 3));
            expected.emplace_back(TTM_SETTIPTEXTCOLOR, RGB(4, 5, 6));
        }
        expected.emplace_back(TTM_SETDELAYTIME, TTDT_RESHOW);
        expected.emplace_back(TTM_SETDELAYTIME, TTDT_INITIAL);
        expected.emplace_back(TTM_SETDELAYTIME, TTDT_AUTOPOP);
        expected.emplace_back(TTM_ACTIVATE, FALSE);
        ASSERT_GE(context.pMade->received.size(), expected.size());
        std::vector<std::pair<UINT, WPARAM>> first(context.pMade->received.begin(),
                                                   context.pMade->received.begin() + expected.size());
        EXPECT_EQ(first, expected);
        EXPECT_EQ(context.pMade->GetDelay(TTDT_INITIAL), 40u);
        EXPECT_EQ(context.pMade->GetDelay(TTDT_RESHOW), 200u) << "-1 keeps the window's default";
        EXPECT_EQ(context.pMade->GetDelay(TTDT_AUTOPOP), 0u);
    }
}

TEST(ToolTipContext, RecordSizes)
{
    EXPECT_EQ(XTP_TOOLINFO_V1_SIZE, static_cast<UINT>(TTTOOLINFOA_V1_SIZE));
    EXPECT_EQ(XTP_TOOLINFO_V2_SIZE, static_cast<UINT>(TTTOOLINFOA_V2_SIZE));
    EXPECT_EQ(XTP_TOOLINFO_V1_SIZE, sizeof(void*) == 4 ? 40u : 56u);
    EXPECT_EQ(XTP_TOOLINFO_V2_SIZE, sizeof(void*) == 4 ? 44u : 64u);
}

TEST(ToolTipContext, FillToolInfoNeedsTheRecordSizes)
{
    HWND hWnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
    CXTPImageManager* pManager = reinterpret_cast<CXTPImageManager*>(static_cast<UINT_PTR>(0x5678));
    struct SizeCase
    {
        UINT cbSize;
        const char* title;
        const char* description;
        bool filled;
        bool extended;
        bool texts;
    };
    const SizeCase cases[] = {
        {XTP_TOOLINFO_V1_SIZE - 1, "T", "D", false, false, false},
        {XTP_TOOLINFO_V1_SIZE, "T", "D", true, false, false},
        {XTP_TOOLINFO_V2_SIZE - 1, "T", "D", true, false, false},
        {XTP_TOOLINFO_V2_SIZE, "T", "D", true, true, true},
        {XTP_TOOLINFO_V2_SIZE, "", "D", true, true, false},
        {XTP_TOOLINFO_V2_SIZE, "T", "", true, true, false},
    };
    for (const SizeCase& sc : cases)
    {
        SCOPED_TRACE(sc.cbSize);
        TOOLINFOA ti;
        std::memset(&ti, 0, sizeof(ti));
        ti.cbSize = sc.cbSize;
        XTP_TOOLTIP_TOOLINFO_EX ext = {};
        ti.lParam = reinterpret_cast<LPARAM>(&ext);
        const char text[] = "Open";
        CXTPToolTipContext::FillToolInfoEx(&ti, hWnd, CRect(1, 2, 3, 4), 77, text, sc.title, sc.description, pManager);
        EXPECT_EQ(ti.hwnd == hWnd, sc.filled);
        if (sc.filled)
        {
            EXPECT_EQ(ti.uId, 77u);
            EXPECT_EQ(CRect(ti.rect), CRect(1, 2, 3, 4));
            ASSERT_NE(ti.lpszText, nullptr);
            EXPECT_NE(ti.lpszText, text) << "a heap copy";
            EXPECT_STREQ(ti.lpszText, "Open");
        }
        else
        {
            EXPECT_EQ(ti.lpszText, nullptr);
        }
        EXPECT_EQ(ext.pImageManager == pManager, sc.extended);
        EXPECT_EQ(ext.lpszTitle != nullptr, sc.texts);
        EXPECT_EQ(ext.lpszDescription != nullptr, sc.texts);
        if (sc.texts)
        {
            EXPECT_STREQ(ext.lpszTitle, sc.title);
            EXPECT_STREQ(ext.lpszDescription, sc.description);
        }
        CXTPToolTipContext::FreeToolInfo(&ti);
        EXPECT_EQ(ti.lpszText, nullptr);
        EXPECT_EQ(ext.lpszTitle, nullptr);
    }
    CXTPToolTipContext::FillToolInfo(nullptr, hWnd, CRect(), 1, "x"); // nothing to fill
}

TEST(ToolTipContext, CallbackTextComesFromTheOwner)
{
    FakeCursorScope cursor;
    class CallbackWindow : public ToolWindow
    {
    public:
        INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override
        {
            if (!CRect(0, 0, 100, 60).PtInRect(point))
                return -1;
            CXTPToolTipContext::FillToolInfo(pTI, m_hWnd, CRect(0, 0, 100, 60), 9, LPSTR_TEXTCALLBACKA);
            pTI->uFlags |= XTP_TTF_SHOWNOW;
            return 9;
        }

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TTN_NEEDTEXTA)
            {
                NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(lParam);
                EXPECT_EQ(pInfo->hdr.idFrom, 9u);
                lstrcpynA(pInfo->szText, "Fro&m owner", sizeof(pInfo->szText));
                return 0;
            }
            return ToolWindow::WindowProc(message, wParam, lParam);
        }
    } wnd;
    ASSERT_TRUE(wnd.CreateAt(kX, kY, 200, 60));
    CXTPToolTipContext context;
    context.SetStyle(xtpToolTipOffice);
    context.ModifyToolTipStyle(XTP_TTS_NOPREFIX_FLAG, 0);
    FakeCursor() = CPoint(kX + 50, kY + 30);
    context.RelayMessage(&wnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 30));
    CXTPToolTipContextToolTip* pTip = OwnerDrawn(context);
    ASSERT_NE(pTip, nullptr);
    ASSERT_EQ(pTip->GetToolCount(), 1);
    EXPECT_STREQ(pTip->GetToolText(pTip->GetTool(0)), "From owner");
}

TEST(ToolTipContext, MissesRemoveTheToolAndDeactivate)
{
    FakeCursorScope cursor;
    ToolWindow wnd;
    ASSERT_TRUE(wnd.CreateAt(kX, kY, 300, 60));
    wnd.tools.push_back({CRect(0, 0, 100, 60), 1, "A"});
    wnd.tools.push_back({CRect(200, 0, 300, 60), 2, "B"});
    CXTPToolTipContext context;
    context.SetStyle(xtpToolTipOffice);
    MoveTo(context, wnd, wnd.ScreenCentre(0));
    CXTPToolTipContextToolTip* pTip = OwnerDrawn(context);
    ASSERT_NE(pTip, nullptr);
    EXPECT_EQ(pTip->GetToolCount(), 1);
    EXPECT_EQ(context.GetLastInfo().uId, 1u);
    MoveTo(context, wnd, CPoint(kX + 150, kY + 30));
    EXPECT_EQ(pTip->GetToolCount(), 0);
    EXPECT_FALSE(pTip->IsActive());
    MoveTo(context, wnd, wnd.ScreenCentre(1));
    EXPECT_EQ(pTip->GetToolCount(), 1);
    EXPECT_EQ(pTip->GetTool(0)->uId, 2u);
    EXPECT_TRUE(pTip->IsActive());
}
