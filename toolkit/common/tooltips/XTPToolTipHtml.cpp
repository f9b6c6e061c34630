// The HTML kind of the owner-drawn tooltip window: the tip's text becomes the body of a page in an
// embedded web browser control, measured by a search over widths and drawn from a cached bitmap.
// Every wait for the browser is bounded: a page that never completes gives a 0 x 0 tip.
#include "toolkit/common/tooltips/XTPToolTipContext.h"

#include "framework/FrameworkIds.h"

#include <mshtml.h>
#include <oleauto.h>

#include <cstdio>

namespace
{
// A wide copy of an 8-bit text as a BSTR (freed by the caller).
BSTR ToBstr(LPCSTR lpszText)
{
    int n = ::MultiByteToWideChar(CP_ACP, 0, lpszText, -1, nullptr, 0);
    BSTR bstr = ::SysAllocStringLen(nullptr, n > 0 ? n - 1 : 0);
    if (bstr && n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, lpszText, -1, bstr, n);
    return bstr;
}

template <class T> void SafeRelease(T*& p)
{
    if (p)
    {
        p->Release();
        p = nullptr;
    }
}

BOOL g_bMeasuring = FALSE;
} // namespace

CXTPToolTipContext::CHTMLToolTip::CHTMLToolTip(CXTPToolTipContext* pContext) : CXTPToolTipContextToolTip(pContext)
{
    m_xOleClientSite.m_pOwner = this;
    m_xDocHostUIHandler.m_pOwner = this;
}

CXTPToolTipContext::CHTMLToolTip::~CHTMLToolTip()
{
    DestroyBrowser();
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
}

LPUNKNOWN CXTPToolTipContext::CHTMLToolTip::GetInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
        return &m_xOleClientSite;
    if (IsEqualIID(iid, IID_IDocHostUIHandler))
        return &m_xDocHostUIHandler;
    return CXTPToolTipContextToolTip::GetInterface(iid);
}

CString CXTPToolTipContext::CHTMLToolTip::FormatPageUrl(LPCSTR lpszFace, int nSize, COLORREF clrBack)
{
    char szColor[16];
    std::snprintf(szColor, sizeof(szColor), "#%0.2x%0.2x%0.2x", GetRValue(clrBack), GetGValue(clrBack),
                  GetBValue(clrBack));
    CString strUrl;
    strUrl.Format("about:<head><style> body {font-family:%s; font-size:%i;}table {font-family:%s; font-size:%i;}"
                  "</style></head><body topmargin=0 leftmargin=0 bottommargin=0 rightmargin=0 bgColor=%s></body>",
                  lpszFace, nSize, lpszFace, nSize, szColor);
    return strUrl;
}

void CXTPToolTipContext::CHTMLToolTip::DestroyBrowser()
{
    if (m_pOleObject)
    {
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(nullptr);
    }
    SafeRelease(m_pBrowser);
    SafeRelease(m_pOleObject);
    if (m_hWndHost && ::IsWindow(m_hWndHost))
        ::DestroyWindow(m_hWndHost);
    m_hWndHost = nullptr;
}

BOOL CXTPToolTipContext::CHTMLToolTip::WaitReady()
{
    const DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        READYSTATE state = READYSTATE_UNINITIALIZED;
        if (m_pBrowser && SUCCEEDED(m_pBrowser->get_ReadyState(&state)) && state == READYSTATE_COMPLETE)
            return TRUE;
        if (!m_pBrowser || ::GetTickCount() - dwStart >= s_dwHtmlTimeout)
            return FALSE;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return FALSE;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

BOOL CXTPToolTipContext::CHTMLToolTip::CreateBrowser()
{
    if (m_pBrowser)
        return TRUE;
    if (m_bBrowserFailed || !m_hWnd)
        return FALSE;
    m_bBrowserFailed = TRUE; // until the page is complete

    // The browser's host fills the tip as its pane window.
    m_hWndHost = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                   nullptr, nullptr);
    void* pObject = nullptr;
    if (!m_hWndHost || FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                                 &pObject)) || !pObject)
    {
        DestroyBrowser();
        return FALSE;
    }
    m_pOleObject = static_cast<IOleObject*>(pObject);
    void* pBrowser = nullptr;
    if (FAILED(m_pOleObject->QueryInterface(IID_IWebBrowser2, &pBrowser)) || !pBrowser)
    {
        DestroyBrowser();
        return FALSE;
    }
    m_pBrowser = static_cast<IWebBrowser2*>(pBrowser);
    m_pOleObject->SetClientSite(&m_xOleClientSite);
    RECT rc = {0, 0, 200, 200};
    m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &m_xOleClientSite, 0, m_hWndHost, &rc);

    CString strFace = "Arial";
    int nSize = 11;
    LOGFONTA lf = {};
    CFont* pFont = m_pContext->GetFont();
    if (pFont && pFont->GetSafeHandle() && pFont->GetLogFont(&lf))
    {
        strFace = lf.lfFaceName;
        nSize = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    }
    BSTR bstrUrl = ToBstr(FormatPageUrl(strFace, nSize, m_pContext->GetTipBkColor()));
    VARIANT vEmpty;
    ::VariantInit(&vEmpty);
    HRESULT hr = m_pBrowser->Navigate(bstrUrl, &vEmpty, &vEmpty, &vEmpty, &vEmpty);
    ::SysFreeString(bstrUrl);
    if (FAILED(hr) || !WaitReady())
    {
        DestroyBrowser();
        return FALSE;
    }
    m_bBrowserFailed = FALSE;
    return TRUE;
}

namespace
{
// The document's body element (and its IHTMLElement2), or FALSE.
BOOL GetBody(IWebBrowser2* pBrowser, IHTMLElement** ppBody, IHTMLElement2** ppBody2)
{
    IDispatch* pDispatch = nullptr;
    if (FAILED(pBrowser->get_Document(&pDispatch)) || !pDispatch)
        return FALSE;
    IHTMLDocument2* pDocument = nullptr;
    pDispatch->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&pDocument));
    pDispatch->Release();
    if (!pDocument)
        return FALSE;
    pDocument->get_body(ppBody);
    pDocument->Release();
    if (!*ppBody)
        return FALSE;
    (*ppBody)->QueryInterface(IID_IHTMLElement2, reinterpret_cast<void**>(ppBody2));
    if (!*ppBody2)
    {
        SafeRelease(*ppBody);
        return FALSE;
    }
    return TRUE;
}

void ResizeBrowser(IWebBrowser2* pBrowser, HWND hWndHost, int x, int y, int cx, int cy)
{
    ::MoveWindow(hWndHost, x, y, cx, cy, FALSE);
    pBrowser->put_Width(cx);
    pBrowser->put_Height(cy);
}
} // namespace

CSize CXTPToolTipContext::CHTMLToolTip::CalcTipSize(TOOLITEM* pTool, CDC*)
{
    if (m_hBitmap)
    {
        ::DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
    }
    if (g_bMeasuring)
        return CSize(0, 0); // a message pumped while waiting asked again
    g_bMeasuring = TRUE;
    CSize szResult(0, 0);
    CString strText = GetToolText(pTool);
    if (CreateBrowser() && !strText.IsEmpty())
    {
        IHTMLElement* pBody = nullptr;
        IHTMLElement2* pBody2 = nullptr;
        if (GetBody(m_pBrowser, &pBody, &pBody2))
        {
            BSTR bstrText = ToBstr(strText);
            pBody->put_innerHTML(bstrText);
            ::SysFreeString(bstrText);
            ResizeBrowser(m_pBrowser, m_hWndHost, 0, 0, 650, 200);
            long nHeight = 0;
            pBody2->get_scrollHeight(&nHeight);
            int nLow = 0, nHigh = 2 * m_pContext->GetMaxTipWidth();
            while (nLow < nHigh)
            {
                int nMid = (nLow + nHigh) / 2;
                ResizeBrowser(m_pBrowser, m_hWndHost, 0, 0, nMid, nHeight);
                long cx = 0, cy = 0;
                pBody2->get_scrollWidth(&cx);
                pBody2->get_scrollHeight(&cy);
                if (cx > nMid && cy == nHeight)
                {
                    nHigh = cx;
                    break;
                }
                if (cx <= nMid && cy <= nHeight)
                    nHigh = nMid;
                else
                    nLow = nMid + 1;
            }
            const CRect rcMargin = m_pContext->GetMargin();
            if (nHigh > 0 && nHeight > 0)
            {
                ResizeBrowser(m_pBrowser, m_hWndHost, rcMargin.left + 3, rcMargin.top + 3, nHigh, nHeight);
                szResult = CSize(nHigh + rcMargin.left + rcMargin.right + 6, nHeight + rcMargin.top + rcMargin.bottom + 6);
                UpdateBitmap(CSize(nHigh, nHeight));
            }
            SafeRelease(pBody2);
            SafeRelease(pBody);
        }
    }
    g_bMeasuring = FALSE;
    return szResult;
}

void CXTPToolTipContext::CHTMLToolTip::UpdateBitmap(const CSize& szContent)
{
    IViewObject* pView = nullptr;
    if (!m_pOleObject || FAILED(m_pOleObject->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&pView))))
        return;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    m_hBitmap = ::CreateCompatibleBitmap(hScreen, szContent.cx, szContent.cy);
    m_szBitmap = szContent;
    HGDIOBJ hOld = ::SelectObject(hMem, m_hBitmap);
    RECTL rcl = {0, 0, szContent.cx, szContent.cy};
    pView->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hMem, &rcl, nullptr, nullptr, 0);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    pView->Release();
}

void CXTPToolTipContext::CHTMLToolTip::DrawTip(CDC* pDC, const CRect&, TOOLITEM*)
{
    if (!m_hBitmap)
        return;
    const CRect rcMargin = m_pContext->GetMargin();
    HDC hMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ hOld = ::SelectObject(hMem, m_hBitmap);
    ::BitBlt(pDC->GetSafeHdc(), rcMargin.left + 3, rcMargin.top + 3, m_szBitmap.cx, m_szBitmap.cy, hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
}

void CXTPToolTipContext::CHTMLToolTip::OnVisibleChanged(BOOL bVisible)
{
    if (!bVisible && m_hBitmap)
    {
        ::DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
    }
}

// ---- the client site: nothing beyond IUnknown

STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XOleClientSite::QueryInterface(REFIID iid, void** ppvObject)
{
    return m_pOwner->ExternalQueryInterface(iid, ppvObject);
}
STDMETHODIMP_(ULONG) CXTPToolTipContext::CHTMLToolTip::XOleClientSite::AddRef()
{
    return m_pOwner->ExternalAddRef();
}
STDMETHODIMP_(ULONG) CXTPToolTipContext::CHTMLToolTip::XOleClientSite::Release()
{
    return m_pOwner->ExternalRelease();
}
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XOleClientSite::SaveObject() { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XOleClientSite::GetMoniker(DWORD, DWORD, IMoniker**) { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XOleClientSite::GetContainer(IOleContainer**) { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XOleClientSite::ShowObject() { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XOleClientSite::OnShowWindow(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XOleClientSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// ---- the document host

STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::QueryInterface(REFIID iid, void** ppvObject)
{
    return m_pOwner->ExternalQueryInterface(iid, ppvObject);
}
STDMETHODIMP_(ULONG) CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::AddRef()
{
    return m_pOwner->ExternalAddRef();
}
STDMETHODIMP_(ULONG) CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::Release()
{
    return m_pOwner->ExternalRelease();
}
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*)
{
    return S_OK; // no context menu
}
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* pInfo)
{
    if (!pInfo)
        return E_POINTER;
    pInfo->dwFlags = 0x4000D; // dialog, no 3-D border, no scroll bars, themed
    pInfo->dwDoubleClick = 0;
    return S_OK;
}
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*,
                                                                          IOleCommandTarget*, IOleInPlaceFrame*,
                                                                          IOleInPlaceUIWindow*)
{
    return S_OK;
}
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::HideUI() { return S_OK; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::UpdateUI() { return S_OK; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::EnableModeless(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::OnDocWindowActivate(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::OnFrameWindowActivate(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return E_NOTIMPL;
}
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::TranslateAccelerator(LPMSG, const GUID*, DWORD)
{
    return S_FALSE; // no key is translated
}
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR*, DWORD) { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetDropTarget(IDropTarget*, IDropTarget**)
{
    return E_NOTIMPL;
}
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetExternal(IDispatch**) { return E_NOTIMPL; }
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::TranslateUrl(DWORD, OLECHAR*, OLECHAR**)
{
    return E_NOTIMPL;
}
STDMETHODIMP CXTPToolTipContext::CHTMLToolTip::XDocHostUIHandler::FilterDataObject(IDataObject*, IDataObject**)
{
    return E_NOTIMPL;
}
