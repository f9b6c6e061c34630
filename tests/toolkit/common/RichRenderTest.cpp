// The rich-text renderer with and without the rich-edit library, the rich-edit and markup tooltip
// kinds, and the HTML kind, whose page never completes here: it measures 0 x 0 within its time-out.
#include "ToolTipTestSupport.h"
#include "ToolkitTestSupport.h"

#include "toolkit/common/text/XTPRichRender.h"

#include <cstring>
#include <objbase.h>

using namespace tk_tooltip;
using tk_test::DibCanvas;

namespace
{
int CountPixelsNot(const DibCanvas& canvas, int cx, int cy, COLORREF clr)
{
    int n = 0;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            n += canvas.Pixel(x, y) != clr;
    return n;
}
} // namespace

TEST(RichRender, WithoutTheLibraryEverythingIsNothing)
{
    CXTPRichRender render("qvx_no_such_richedit.dll");
    EXPECT_FALSE(render.IsAvailable());
    EXPECT_EQ(render.SetText("{\\rtf1 bold}"), 0);
    EXPECT_EQ(render.SetText("plain"), 0);
    CHARFORMATW cf = {};
    cf.cbSize = sizeof(cf);
    render.SetDefaultCharFormat(&cf);
    DibCanvas canvas(100, 40, RGB(255, 255, 255));
    EXPECT_EQ(render.GetTextExtent(canvas.DC(), 100), CSize(0, 0));
    render.DrawText(canvas.DC(), CRect(0, 0, 100, 40));
    EXPECT_EQ(CountPixelsNot(canvas, 100, 40, RGB(255, 255, 255)), 0);
}

TEST(RichRender, DefaultFormats)
{
    CXTPRichRender render("qvx_no_such_richedit.dll");
    const CHARFORMATW& cf = render.GetDefaultCharFormat();
    EXPECT_EQ(cf.cbSize, 92u);
    EXPECT_EQ(cf.dwMask, 0xE800000Fu);
    EXPECT_GT(cf.yHeight, 0);
    EXPECT_EQ(cf.crTextColor, ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_NE(cf.szFaceName[0], 0);
    const PARAFORMAT& pf = render.GetDefaultParaFormat();
    EXPECT_EQ(pf.cbSize, 156u);
    EXPECT_EQ(pf.dwMask, 0x8001003Fu);
    EXPECT_EQ(pf.wAlignment, PFA_LEFT);
}

TEST(RichRender, RtfAndPlainText)
{
    CXTPRichRender render;
    if (!render.IsAvailable())
        GTEST_SKIP() << "RICHED20.dll gives no text services here";
    LRESULT n = render.SetText("{\\rtf1\\ansi {\\b Bold} text}");
    EXPECT_GT(n, 0);
    EXPECT_TRUE(render.IsLastTextRtf());
    n = render.SetText("{not rtf");
    EXPECT_FALSE(render.IsLastTextRtf()) << "falls back to plain text";
    EXPECT_EQ(n, 8);
    EXPECT_EQ(render.SetText("plain"), 5);
    EXPECT_FALSE(render.IsLastTextRtf());
    EXPECT_EQ(render.SetText(""), 0);
}

TEST(RichRender, ExtentStaysWithinTheMaximum)
{
    CXTPRichRender render;
    if (!render.IsAvailable())
        GTEST_SKIP() << "RICHED20.dll gives no text services here";
    DibCanvas canvas(400, 200, RGB(255, 255, 255));
    render.SetText("Short");
    CSize szShort = render.GetTextExtent(canvas.DC(), 300);
    if (render.GetRequestCount() == 0)
        GTEST_SKIP() << "the text services sent no EN_REQUESTRESIZE";
    EXPECT_GT(szShort.cx, 0);
    EXPECT_LE(szShort.cx, 300);
    EXPECT_GT(szShort.cy, 0);

    render.SetText("A longer text that has to wrap over several lines when the width is small enough to force it.");
    CSize szWide = render.GetTextExtent(canvas.DC(), 1000);
    CSize szNarrow = render.GetTextExtent(canvas.DC(), 120);
    EXPECT_GT(szWide.cx, 0);
    EXPECT_LE(szWide.cx, 1000);
    EXPECT_LE(szNarrow.cx, 120);
    EXPECT_GT(szNarrow.cy, szWide.cy) << "wrapped to more lines";
    EXPECT_EQ(CountPixelsNot(canvas, 400, 200, RGB(255, 255, 255)), 0) << "measuring draws nothing";

    render.DrawText(canvas.DC(), CRect(0, 0, 400, 200));
    EXPECT_GT(CountPixelsNot(canvas, 400, 200, RGB(255, 255, 255)), 20) << "the text is drawn";
}

TEST(RichRender, RichEditTipMeasuresThroughTheRenderer)
{
    SingleTool t(xtpToolTipRTF, "{\\rtf1 rich {\\b tip}}");
    CXTPToolTipContext& context = t.context;
    context.SetMargin(CRect(2, 2, 2, 2));
    context.SetMaxTipWidth(200);
    t.Hover();
    auto* pTip = t.Tip<CXTPToolTipContext::CRichEditToolTip>();
    ASSERT_NE(pTip, nullptr);
    bool bShown = qvx_test::PumpUntil([&] { return TipVisible(context); }, 1500);
    if (!pTip->GetRender()->IsAvailable())
    {
        EXPECT_FALSE(bShown) << "no services: 0 x 0, no tip";
        GTEST_SKIP() << "RICHED20.dll gives no text services here";
    }
    if (pTip->GetRender()->GetRequestCount() == 0)
    {
        EXPECT_FALSE(bShown);
        GTEST_SKIP() << "the text services sent no EN_REQUESTRESIZE";
    }
    ASSERT_TRUE(bShown);
    CRect rc;
    ::GetWindowRect(pTip->m_hWnd, &rc);
    EXPECT_LE(rc.Width(), 200);
    EXPECT_GT(rc.Height(), 10);
}

TEST(RichRender, MarkupTipWithoutAnEngineIsPlainText)
{
    SingleTool t(xtpToolTipMarkup, "<TextBlock>Markup</TextBlock>");
    CXTPToolTipContext& context = t.context;
    t.Hover();
    auto* pTip = t.Tip<CXTPToolTipContext::CMarkupToolTip>();
    ASSERT_NE(pTip, nullptr);
    ASSERT_TRUE(qvx_test::PumpUntil([&] { return TipVisible(context); }, 2000));
    EXPECT_EQ(pTip->GetElement(), nullptr) << "nothing parses without the engine";
    CRect rc;
    ::GetWindowRect(pTip->m_hWnd, &rc);
    EXPECT_GT(rc.Width(), 20) << "measured as the owner-drawn kind";
    EXPECT_STREQ(pTip->GetTitle(), "") << "no title for the markup kind";
}

namespace
{
struct ComScope
{
    HRESULT hr = ::OleInitialize(nullptr);
    ~ComScope()
    {
        if (SUCCEEDED(hr))
            ::OleUninitialize();
    }
};

struct HtmlTimeoutScope
{
    DWORD dwOld = CXTPToolTipContext::GetHtmlReadyTimeout();
    explicit HtmlTimeoutScope(DWORD dw) { CXTPToolTipContext::SetHtmlReadyTimeout(dw); }
    ~HtmlTimeoutScope() { CXTPToolTipContext::SetHtmlReadyTimeout(dwOld); }
};
} // namespace

TEST(HtmlToolTip, MeasuresZeroWithinTheTimeOut)
{
    ComScope com;
    HtmlTimeoutScope timeout(600);
    SingleTool t(xtpToolTipHTML, "<b>Bold</b> tip");
    CXTPToolTipContext& context = t.context;
    ToolWindow& wnd = t.wnd;
    DWORD dwStart = ::GetTickCount();
    t.Hover();
    auto* pTip = t.Tip<CXTPToolTipContext::CHTMLToolTip>();
    ASSERT_NE(pTip, nullptr);
    qvx_test::PumpFor(100); // the initial delay passes and the tip is measured
    const DWORD dwFirst = ::GetTickCount() - dwStart;
    EXPECT_LT(dwFirst, 600u + 2000u) << "the wait is bounded";
    EXPECT_FALSE(TipVisible(context)) << "0 x 0: no tip";
    EXPECT_EQ(pTip->GetShownTool(), nullptr);
    EXPECT_EQ(pTip->GetBrowser(), nullptr) << "the browser that could not complete is gone";
    // Later tips do not wait again.
    MoveTo(context, wnd, CPoint(900, 700));
    dwStart = ::GetTickCount();
    MoveTo(context, wnd, wnd.ScreenCentre(0));
    qvx_test::PumpFor(100);
    EXPECT_LT(::GetTickCount() - dwStart, 500u);
    EXPECT_FALSE(TipVisible(context));
}

TEST(HtmlToolTip, SiteAnswers)
{
    CXTPToolTipContext context;
    CXTPToolTipContext::CHTMLToolTip tip(&context);
    auto* pSite = tip.GetClientSite();
    auto* pHost = tip.GetDocHostUIHandler();
    void* p = nullptr;
    ASSERT_EQ(pSite->QueryInterface(IID_IDocHostUIHandler, &p), S_OK);
    EXPECT_EQ(p, static_cast<IDocHostUIHandler*>(pHost));
    pHost->Release();
    ASSERT_EQ(pHost->QueryInterface(IID_IOleClientSite, &p), S_OK);
    EXPECT_EQ(p, static_cast<IOleClientSite*>(pSite));
    pSite->Release();
    EXPECT_EQ(pHost->QueryInterface(IID_IDispatch, &p), E_NOINTERFACE);

    EXPECT_EQ(pSite->SaveObject(), E_NOTIMPL);
    EXPECT_EQ(pSite->GetMoniker(0, 0, nullptr), E_NOTIMPL);
    EXPECT_EQ(pSite->GetContainer(nullptr), E_NOTIMPL);
    EXPECT_EQ(pSite->ShowObject(), E_NOTIMPL);
    EXPECT_EQ(pSite->OnShowWindow(TRUE), E_NOTIMPL);
    EXPECT_EQ(pSite->RequestNewObjectLayout(), E_NOTIMPL);

    DOCHOSTUIINFO info = {};
    info.cbSize = sizeof(info);
    info.dwDoubleClick = 7;
    EXPECT_EQ(pHost->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 0x4000Du);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(pHost->ShowContextMenu(0, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(pHost->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(pHost->HideUI(), S_OK);
    EXPECT_EQ(pHost->UpdateUI(), S_OK);
    EXPECT_EQ(pHost->TranslateAccelerator(nullptr, nullptr, 0), S_FALSE);
    EXPECT_EQ(pHost->EnableModeless(TRUE), E_NOTIMPL);
    EXPECT_EQ(pHost->OnDocWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(pHost->OnFrameWindowActivate(TRUE), E_NOTIMPL);
    EXPECT_EQ(pHost->ResizeBorder(nullptr, nullptr, FALSE), E_NOTIMPL);
    EXPECT_EQ(pHost->GetOptionKeyPath(nullptr, 0), E_NOTIMPL);
    EXPECT_EQ(pHost->GetDropTarget(nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(pHost->GetExternal(nullptr), E_NOTIMPL);
    EXPECT_EQ(pHost->TranslateUrl(0, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(pHost->FilterDataObject(nullptr, nullptr), E_NOTIMPL);
}

TEST(HtmlToolTip, PageUrl)
{
    CString strUrl = CXTPToolTipContext::CHTMLToolTip::FormatPageUrl("Tahoma", 11, RGB(0xFF, 0xEE, 0x0A));
    EXPECT_STREQ(strUrl, "about:<head><style> body {font-family:Tahoma; font-size:11;}table {font-family:Tahoma; "
                         "font-size:11;}</style></head><body topmargin=0 leftmargin=0 bottommargin=0 rightmargin=0 "
                         "bgColor=#ffee0a></body>");
}
