// Mouse routing of a context on a hidden host window, by calling OnWndMsg with built messages:
// enter and leave along the element chains, capture, the cursor query, buttons, the loss of the
// capture, and the host told of every invalidation. Also the engine's entry points.
#include <gtest/gtest.h>

#include <string>

#include "MarkupTestSupport.h"
#include "toolkit/markup/XTPMarkupIds.h"
#include "toolkit/markup/context/XTPMarkupEngine.h"
#include "toolkit/markup/elements/XTPMarkupControls.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"

namespace
{
int g_nInvalidated = 0;

LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_XTP_MARKUPINVALIDATED)
        g_nInvalidated++;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

// Logs "<delegate name>" for every event it gets.
class LogDelegate : public CXTPMarkupDelegate
{
public:
    LogDelegate(std::string* pLog, const char* pszName, bool bHandle = false)
        : m_pLog(pLog), m_strName(pszName), m_bHandle(bHandle)
    {
    }
    void Execute(CXTPMarkupObject*, CXTPMarkupRoutedEventArgs* pArgs) override
    {
        *m_pLog += m_strName + ";";
        if (m_bHandle)
            pArgs->SetHandled();
    }

private:
    std::string* m_pLog;
    std::string m_strName;
    bool m_bHandle;
};

class MarkupRouting : public MarkupTest
{
protected:
    void SetUp() override
    {
        MarkupTest::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QvxMarkupRoutingHost";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_TRUE(m_hWnd);
        m_pHost = XTPMarkupEngineCreateContext(m_hWnd);
        const char* arrNames[] = {"OuterEnter", "OuterLeave", "InnerEnter", "InnerLeave", "InnerLost", "InnerDown"};
        for (const char* pszName : arrNames)
        {
            LogDelegate* pDelegate = new LogDelegate(&m_strLog, pszName);
            m_pHost->SetDelegate(std::wstring(pszName, pszName + strlen(pszName)).c_str(), pDelegate);
            pDelegate->Release();
        }
        m_pRoot = XTPMarkupEngineParseText(
            m_pHost, "<Border Background='White' Cursor='Hand' MouseEnter='OuterEnter' MouseLeave='OuterLeave'>"
                     "<Border Margin='10' Background='Red' MouseEnter='InnerEnter' MouseLeave='InnerLeave' "
                     "LostMouseCapture='InnerLost' MouseLeftButtonDown='InnerDown'/></Border>");
        ASSERT_TRUE(m_pRoot);
        RECT rc = {0, 0, 100, 100};
        HDC hdc = CreateCompatibleDC(nullptr);
        XTPMarkupEngineRenderElement(m_pRoot, hdc, &rc);
        DeleteDC(hdc);
        m_pInner = static_cast<CXTPMarkupDecorator*>(m_pRoot)->GetChild();
    }
    void TearDown() override
    {
        XTPMarkupEngineReleaseElement(m_pRoot);
        XTPMarkupEngineReleaseContext(m_pHost);
        if (m_hWnd)
            DestroyWindow(m_hWnd);
        MarkupTest::TearDown();
    }
    BOOL Send(UINT message, WPARAM wParam, int x, int y, LRESULT* pResult = nullptr)
    {
        LRESULT lResult = 0;
        return m_pHost->OnWndMsg(m_pRoot, message, wParam, MAKELPARAM(x, y), pResult ? pResult : &lResult);
    }
    static bool IsMouseOver(CXTPMarkupObject* pElement)
    {
        CXTPMarkupBool* pValue =
            static_cast<CXTPMarkupBool*>(pElement->GetValue(CXTPMarkupInputElement::m_pIsMouseOverProperty));
        return pValue && pValue->GetValue();
    }

    HWND m_hWnd = nullptr;
    CXTPMarkupContext* m_pHost = nullptr;
    CXTPMarkupUIElement* m_pRoot = nullptr;
    CXTPMarkupUIElement* m_pInner = nullptr;
    std::string m_strLog;
};

TEST_F(MarkupRouting, EnterAndLeaveSkipSharedAncestors)
{
    Send(WM_MOUSEMOVE, 0, 50, 50);
    EXPECT_EQ("InnerEnter;OuterEnter;", m_strLog);
    EXPECT_EQ(m_pInner, m_pHost->GetMouseOverElement());
    EXPECT_TRUE(IsMouseOver(m_pInner));
    EXPECT_TRUE(IsMouseOver(m_pRoot));

    m_strLog.clear();
    Send(WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ("InnerLeave;", m_strLog);
    EXPECT_FALSE(IsMouseOver(m_pInner));
    EXPECT_TRUE(IsMouseOver(m_pRoot));

    m_strLog.clear();
    Send(WM_MOUSELEAVE, 0, 0, 0);
    EXPECT_EQ("OuterLeave;", m_strLog);
    EXPECT_EQ(nullptr, m_pHost->GetMouseOverElement());
}

TEST_F(MarkupRouting, UnderCaptureNothingOutsideTheSubtreeIsOver)
{
    Send(WM_MOUSEMOVE, 0, 50, 50);
    EXPECT_FALSE(Send(WM_LBUTTONDOWN, MK_LBUTTON, 50, 50)); // the delegate does not handle it
    m_pInner->SetCapture();
    EXPECT_EQ(m_pInner, m_pHost->GetCaptureElement());
    m_strLog.clear();
    Send(WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(nullptr, m_pHost->GetMouseOverElement());
    EXPECT_EQ("InnerLeave;OuterLeave;", m_strLog);
    // Back over the captured element's area.
    m_strLog.clear();
    Send(WM_MOUSEMOVE, 0, 40, 40);
    EXPECT_EQ(m_pInner, m_pHost->GetMouseOverElement());
    // Buttons go to the captured element.
    m_strLog.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_EQ("InnerDown;", m_strLog);

    m_strLog.clear();
    Send(WM_CAPTURECHANGED, 0, 0, 0);
    EXPECT_EQ("InnerLost;", m_strLog);
    EXPECT_EQ(nullptr, m_pHost->GetCaptureElement());
}

TEST_F(MarkupRouting, CursorQueryWalksUpTheChain)
{
    LRESULT lResult = 0;
    EXPECT_FALSE(Send(WM_SETCURSOR, 0, 0, 0, &lResult));
    Send(WM_MOUSEMOVE, 0, 50, 50);
    EXPECT_TRUE(Send(WM_SETCURSOR, 0, 0, 0, &lResult));
    EXPECT_EQ(1, lResult);
    // The wheel finds no element that takes it.
    EXPECT_FALSE(Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 50, 50));
}

TEST_F(MarkupRouting, HostHearsOfEveryInvalidation)
{
    g_nInvalidated = 0;
    m_pInner->SetValue(CXTPMarkupBorder::m_pBackgroundProperty, new CXTPMarkupSolidColorBrush(RGB(0, 0, 255)));
    EXPECT_EQ(1, g_nInvalidated);
    RECT rc = CXTPMarkupContext::GetElementBounds(m_pInner);
    EXPECT_EQ(10, rc.left);
    EXPECT_EQ(90, rc.bottom);
    m_pHost->InvalidateAll();
    EXPECT_EQ(2, g_nInvalidated);
}

TEST_F(MarkupRouting, WithoutAHostNothingRoutes)
{
    MarkupParse result = Parse("<Border Background='Red'/>");
    ASSERT_TRUE(result.pRoot);
    LRESULT lResult = 0;
    CXTPMarkupUIElement* pRoot = static_cast<CXTPMarkupUIElement*>(result.pRoot);
    EXPECT_FALSE(m_pContext->OnWndMsg(pRoot, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1), &lResult));
    EXPECT_EQ(nullptr, m_pContext->GetMouseOverElement());
}

TEST_F(MarkupRouting, EntryPointsTakeNullEverywhere)
{
    CXTPMarkupContext* pNullContext = nullptr;
    XTPMarkupEngineReleaseContext(pNullContext);
    CXTPMarkupUIElement* pNullElement = nullptr;
    EXPECT_EQ(0u, XTPMarkupEngineReleaseElement(pNullElement));
    EXPECT_EQ(nullptr, XTPMarkupEngineParseText(nullptr, "<Border/>"));
    EXPECT_EQ(nullptr, XTPMarkupEngineParseText(m_pHost, nullptr));
    EXPECT_EQ(nullptr, XTPMarkupEngineParseText(m_pHost, ""));
    EXPECT_EQ(nullptr, XTPMarkupEngineParseText(m_pHost, "plain text"));
    EXPECT_EQ(nullptr, XTPMarkupEngineGetElementContext(nullptr));
    EXPECT_EQ(m_pHost, XTPMarkupEngineGetElementContext(m_pRoot));
    EXPECT_EQ(0, XTPMarkupEngineMeasureElement(nullptr, 10, 10).cx);
    EXPECT_EQ(0, XTPMarkupEngineRenderElement(m_pRoot, nullptr, nullptr));
    XTPMarkupEngineSetDefaultFont(nullptr, nullptr, 0);
    XTPMarkupEngineSetDefaultFont(m_pHost, nullptr, (COLORREF)-1);
    EXPECT_EQ(0u, m_pHost->GetDefaultTextColor());
    XTPMarkupEngineSetDefaultFont(m_pHost, nullptr, 0xFF);
    EXPECT_EQ(0xFFu, m_pHost->GetDefaultTextColor());
    MarkupParse result = Parse("<Border Width='30' Height='7'/>");
    SIZE sz = XTPMarkupEngineMeasureElement(static_cast<CXTPMarkupUIElement*>(result.pRoot), 0x7FFFFFFF, 0x7FFFFFFF);
    EXPECT_EQ(30, sz.cx);
    EXPECT_EQ(7, sz.cy);
}
} // namespace
