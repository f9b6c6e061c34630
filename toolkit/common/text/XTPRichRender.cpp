#include "toolkit/common/text/XTPRichRender.h"

#include "toolkit/common/resources/XTPResourceManager.h"
#include "toolkit/common/system/XTPNcMetrics.h"

#include <cstring>

static_assert(sizeof(CHARFORMATW) == 92, "the character format record is 92 bytes");
static_assert(sizeof(PARAFORMAT) == 156, "the paragraph format record is 156 bytes");

const IID XTP_IID_ITextServices = {0x8d33f740, 0xcf58, 0x11ce, {0xa8, 0x9d, 0x00, 0xaa, 0x00, 0x6c, 0xad, 0xc5}};
const IID XTP_IID_ITextHost = {0x13e670f4, 0x1a5a, 0x11cf, {0xab, 0xeb, 0x00, 0xaa, 0x00, 0xb6, 0x5e, 0xa1}};

namespace
{
typedef HRESULT(WINAPI* PFNCREATETEXTSERVICES)(IUnknown* punkOuter, ITextHost* pITextHost, IUnknown** ppUnk);

constexpr DWORD kCharFormatMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET | CFM_FACE |
                                  CFM_COLOR | CFM_SIZE; // 0xE800000F
constexpr DWORD kParaFormatMask = 0x8001003F;

// Reads the text given to EM_STREAMIN from memory.
struct StreamSource
{
    const char* pData;
    LONG nLength;
    LONG nPos;
};

DWORD CALLBACK ReadStream(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    StreamSource* pSource = reinterpret_cast<StreamSource*>(dwCookie);
    LONG n = pSource->nLength - pSource->nPos;
    if (n > cb)
        n = cb;
    if (n < 0)
        n = 0;
    if (n)
        std::memcpy(pbBuff, pSource->pData + pSource->nPos, static_cast<size_t>(n));
    pSource->nPos += n;
    *pcb = n;
    return 0;
}
} // namespace

CXTPRichRender::CXTPRichRender(LPCSTR lpszLibrary) : m_szRequest(-1, -1)
{
    m_xTextHost.m_pOwner = this;

    std::memset(&m_charFormat, 0, sizeof(m_charFormat));
    m_charFormat.cbSize = sizeof(CHARFORMATW);
    m_charFormat.dwMask = kCharFormatMask;
    CXTPNcMetrics metrics;
    HDC hDC = ::GetDC(nullptr);
    m_charFormat.yHeight = -::MulDiv(metrics.lfMessageFont.lfHeight, 1440, ::GetDeviceCaps(hDC, LOGPIXELSY));
    ::ReleaseDC(nullptr, hDC);
    m_charFormat.crTextColor = ::GetSysColor(COLOR_BTNTEXT);
    m_charFormat.bCharSet = metrics.lfMessageFont.lfCharSet;
    m_charFormat.bPitchAndFamily = metrics.lfMessageFont.lfPitchAndFamily;
    ::MultiByteToWideChar(GetResourceManager()->GetCodePage(), 0, metrics.lfMessageFont.lfFaceName, -1,
                          m_charFormat.szFaceName, LF_FACESIZE);
    m_charFormat.szFaceName[LF_FACESIZE - 1] = 0;

    std::memset(&m_paraFormat, 0, sizeof(m_paraFormat));
    m_paraFormat.cbSize = sizeof(PARAFORMAT);
    m_paraFormat.dwMask = kParaFormatMask;
    m_paraFormat.wAlignment = PFA_LEFT;

    m_hModule = lpszLibrary ? ::LoadLibraryA(lpszLibrary) : nullptr;
    if (!m_hModule)
        return;
    PFNCREATETEXTSERVICES pfnCreate =
        reinterpret_cast<PFNCREATETEXTSERVICES>(reinterpret_cast<void*>(::GetProcAddress(m_hModule, "CreateTextServices")));
    if (!pfnCreate)
        return;
    IUnknown* pUnknown = nullptr;
    if (SUCCEEDED(pfnCreate(nullptr, &m_xTextHost, &pUnknown)) && pUnknown)
    {
        void* pServices = nullptr;
        if (SUCCEEDED(pUnknown->QueryInterface(XTP_IID_ITextServices, &pServices)))
            m_pTextServices = static_cast<ITextServices*>(pServices);
        pUnknown->Release();
    }
}

CXTPRichRender::~CXTPRichRender()
{
    if (m_pTextServices)
    {
        m_pTextServices->Release();
        m_pTextServices = nullptr;
    }
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

LPUNKNOWN CXTPRichRender::GetInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, XTP_IID_ITextHost))
        return &m_xTextHost;
    return CCmdTarget::GetInterface(iid);
}

void CXTPRichRender::SetDefaultCharFormat(const CHARFORMATW* pCharFormat)
{
    if (!pCharFormat || !m_pTextServices)
        return;
    m_charFormat = *pCharFormat;
    m_charFormat.cbSize = sizeof(CHARFORMATW);
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&m_charFormat), &lResult);
    m_pTextServices->OnTxPropertyBitsChange(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
}

LRESULT CXTPRichRender::StreamIn(LPCSTR lpszText, UINT nFormat)
{
    StreamSource source = {lpszText, static_cast<LONG>(std::strlen(lpszText)), 0};
    EDITSTREAM es = {};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    es.pfnCallback = ReadStream;
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_STREAMIN, nFormat, reinterpret_cast<LPARAM>(&es), &lResult);
    return lResult;
}

LRESULT CXTPRichRender::SetText(LPCSTR lpszText)
{
    m_bLastRtf = FALSE;
    if (!m_pTextServices)
        return 0;
    if (!lpszText || !*lpszText)
    {
        m_pTextServices->TxSetText(L"");
        return 0;
    }
    if (lpszText[0] == '{')
    {
        LRESULT n = StreamIn(lpszText, SF_RTF);
        if (n > 0)
        {
            m_bLastRtf = TRUE;
            return n;
        }
    }
    return StreamIn(lpszText, SF_TEXT);
}

void CXTPRichRender::Probe(HDC hDC, int nWidth)
{
    RECTL rc = {0, 0, nWidth, 1};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hDC, nullptr, &rc, nullptr, nullptr, nullptr, 0,
                            TXTVIEW_INACTIVE);
}

CSize CXTPRichRender::GetTextExtent(CDC* pDC, int nMaxWidth)
{
    if (!m_pTextServices || !pDC || !pDC->GetSafeHdc() || nMaxWidth <= 0)
        return CSize(0, 0);
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE, &lResult);
    HDC hDC = pDC->GetSafeHdc();
    int nSaved = ::SaveDC(hDC);
    // Probes draw nothing visible.
    ::IntersectClipRect(hDC, 0, 0, 0, 0);

    m_szRequest = CSize(-1, -1);
    Probe(hDC, nMaxWidth);
    if (m_szRequest.cy < 0)
    {
        ::RestoreDC(hDC, nSaved);
        return CSize(0, 0);
    }
    const int nTarget = m_szRequest.cy;
    int nLow = 0, nHigh = nMaxWidth;
    BOOL bLastFits = TRUE;
    while (nLow < nHigh)
    {
        int nMid = (nLow + nHigh) / 2;
        Probe(hDC, nMid);
        if (m_szRequest.cy > nTarget)
        {
            nLow = nMid + 1;
            bLastFits = FALSE;
        }
        else
        {
            nHigh = nMid;
            bLastFits = TRUE;
        }
    }
    if (!bLastFits)
        Probe(hDC, nHigh);
    ::RestoreDC(hDC, nSaved);
    CSize sz = m_szRequest;
    if (sz.cx > nMaxWidth)
        sz.cx = nMaxWidth;
    return sz;
}

void CXTPRichRender::DrawText(CDC* pDC, const CRect& rc)
{
    if (!m_pTextServices || !pDC || !pDC->GetSafeHdc())
        return;
    RECTL rcl = {rc.left, rc.top, rc.right, rc.bottom};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, pDC->GetSafeHdc(), nullptr, &rcl, nullptr, nullptr,
                            nullptr, 0, TXTVIEW_INACTIVE);
}

// ---- the text host

STDMETHODIMP CXTPRichRender::XTextHost::QueryInterface(REFIID iid, void** ppvObject)
{
    return m_pOwner->ExternalQueryInterface(iid, ppvObject);
}

STDMETHODIMP_(ULONG) CXTPRichRender::XTextHost::AddRef()
{
    return m_pOwner->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CXTPRichRender::XTextHost::Release()
{
    return m_pOwner->ExternalRelease();
}

HDC CXTPRichRender::XTextHost::TxGetDC() { return nullptr; }
INT CXTPRichRender::XTextHost::TxReleaseDC(HDC) { return 1; }
WINBOOL CXTPRichRender::XTextHost::TxShowScrollBar(INT, WINBOOL) { return FALSE; }
WINBOOL CXTPRichRender::XTextHost::TxEnableScrollBar(INT, INT) { return FALSE; }
WINBOOL CXTPRichRender::XTextHost::TxSetScrollRange(INT, LONG, INT, WINBOOL) { return FALSE; }
WINBOOL CXTPRichRender::XTextHost::TxSetScrollPos(INT, INT, WINBOOL) { return FALSE; }
void CXTPRichRender::XTextHost::TxInvalidateRect(LPCRECT, WINBOOL) {}
void CXTPRichRender::XTextHost::TxViewChange(WINBOOL) {}
WINBOOL CXTPRichRender::XTextHost::TxCreateCaret(HBITMAP, INT, INT) { return FALSE; }
WINBOOL CXTPRichRender::XTextHost::TxShowCaret(WINBOOL) { return FALSE; }
WINBOOL CXTPRichRender::XTextHost::TxSetCaretPos(INT, INT) { return FALSE; }
WINBOOL CXTPRichRender::XTextHost::TxSetTimer(UINT, UINT) { return FALSE; }
void CXTPRichRender::XTextHost::TxKillTimer(UINT) {}
void CXTPRichRender::XTextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {}
void CXTPRichRender::XTextHost::TxSetCapture(WINBOOL) {}
void CXTPRichRender::XTextHost::TxSetFocus() {}
void CXTPRichRender::XTextHost::TxSetCursor(HCURSOR, WINBOOL) {}
WINBOOL CXTPRichRender::XTextHost::TxScreenToClient(LPPOINT) { return FALSE; }
WINBOOL CXTPRichRender::XTextHost::TxClientToScreen(LPPOINT) { return FALSE; }
HRESULT CXTPRichRender::XTextHost::TxActivate(LONG*) { return E_FAIL; }
HRESULT CXTPRichRender::XTextHost::TxDeactivate(LONG) { return E_FAIL; }
HRESULT CXTPRichRender::XTextHost::TxGetClientRect(LPRECT) { return E_FAIL; }

HRESULT CXTPRichRender::XTextHost::TxGetViewInset(LPRECT prc)
{
    if (prc)
        ::SetRectEmpty(prc);
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetCharFormat(const CHARFORMATW** ppCF)
{
    *ppCF = &m_pOwner->m_charFormat;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetParaFormat(const PARAFORMAT** ppPF)
{
    *ppPF = &m_pOwner->m_paraFormat;
    return S_OK;
}

COLORREF CXTPRichRender::XTextHost::TxGetSysColor(int nIndex) { return ::GetSysColor(nIndex); }

HRESULT CXTPRichRender::XTextHost::TxGetBackStyle(TXTBACKSTYLE* pstyle)
{
    *pstyle = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetMaxLength(DWORD* plength)
{
    *plength = 0x1000000;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetScrollBars(DWORD* pdwScrollBar)
{
    *pdwScrollBar = 0;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetPasswordChar(TCHAR*) { return S_FALSE; }

HRESULT CXTPRichRender::XTextHost::TxGetAcceleratorPos(LONG* pcp)
{
    *pcp = -1;
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxGetExtent(LPSIZEL) { return E_NOTIMPL; }
HRESULT CXTPRichRender::XTextHost::OnTxCharFormatChange(const CHARFORMATW*) { return E_FAIL; }
HRESULT CXTPRichRender::XTextHost::OnTxParaFormatChange(const PARAFORMAT*) { return E_FAIL; }

HRESULT CXTPRichRender::XTextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits)
{
    *pdwBits = dwMask & (TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP);
    return S_OK;
}

HRESULT CXTPRichRender::XTextHost::TxNotify(DWORD iNotify, void* pv)
{
    if (iNotify == EN_REQUESTRESIZE && pv)
    {
        const REQRESIZE* pResize = static_cast<const REQRESIZE*>(pv);
        // Every layout is drawn into a rectangle at the origin, so the requested rectangle's right
        // and bottom edges are the width and height the text needs.
        m_pOwner->m_szRequest = CSize(pResize->rc.right, pResize->rc.bottom);
        m_pOwner->m_nRequests++;
    }
    return S_OK;
}

HIMC CXTPRichRender::XTextHost::TxImmGetContext() { return nullptr; }
void CXTPRichRender::XTextHost::TxImmReleaseContext(HIMC) {}

HRESULT CXTPRichRender::XTextHost::TxGetSelectionBarWidth(LONG* lSelBarWidth)
{
    *lSelBarWidth = 0;
    return S_OK;
}
