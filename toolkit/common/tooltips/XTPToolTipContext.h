// CXTPToolTipContext: decides when, where and in which style the toolkit shows tooltips. A window
// passes its mouse and key messages to FilterToolTipMessage (or RelayMessage); the context asks the
// window for the tool under the cursor (OnToolHitTest, which answers through FillToolInfo or
// FillToolInfoEx), creates the tooltip window of its style on first need and hides tips on clicks
// and keys. Nested here are the window kinds other than the owner-drawn one.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/GdiObject.h"
#include "framework/ToolTipCtrl.h"
#include "toolkit/common/text/XTPMarkupServices.h"
#include "toolkit/common/text/XTPRichRender.h"
#include "toolkit/common/tooltips/XTPToolTipContextToolTip.h"

#include <commctrl.h>
#include <cstddef>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <windows.h>

class CXTPImageManager;
class CXTPControl;

// The record sizes of TOOLINFOA: version 1 (up to the text, TTTOOLINFOA_V1_SIZE) and version 2 (with
// lParam, TTTOOLINFOA_V2_SIZE), as constant expressions. They are 40 and 44 bytes on 32-bit Windows.
constexpr UINT XTP_TOOLINFO_V1_SIZE = offsetof(TOOLINFOA, lpszText) + sizeof(LPSTR);
constexpr UINT XTP_TOOLINFO_V2_SIZE = offsetof(TOOLINFOA, lParam) + sizeof(LPARAM);
#if !defined(_WIN64)
static_assert(XTP_TOOLINFO_V1_SIZE == 40, "version-1 TOOLINFOA is 40 bytes on 32-bit Windows");
static_assert(XTP_TOOLINFO_V2_SIZE == 44, "version-2 TOOLINFOA is 44 bytes on 32-bit Windows");
#endif

// The extension that a version-2 tool record's lParam points to; zero-filled by the context before
// each hit test. Texts are malloc'd copies that the context frees.
struct XTP_TOOLTIP_TOOLINFO_EX
{
    LPSTR lpszTitle;
    LPSTR lpszDescription;
    CXTPImageManager* pImageManager;  // holds the tool's icon
    RECT rcExclude;                   // the tip appears below this (owner's client coordinates)
    CXTPControl* pToolControl;        // the control the tool stands for (set by command bars)
};

// Tooltip styles.
enum XTPToolTipStyle
{
    xtpToolTipStandard = 0,
    xtpToolTipBalloon = 1,
    xtpToolTipOffice = 2,
    xtpToolTipRTF = 3,
    xtpToolTipLuna = 4,
    xtpToolTipResource = 5,
    xtpToolTipHTML = 6,
    xtpToolTipMarkup = 7
};

// Style flag bits the context manages.
constexpr DWORD XTP_TTS_NOPREFIX_FLAG = 0x0002;   // keep ampersands
constexpr DWORD XTP_TTS_OFFICEFRAME = 0x1000;     // button-face top-left edge
constexpr DWORD XTP_TTS_NOSHADOW = 0x2000;        // no drop shadow
constexpr DWORD XTP_TTS_OFFICE2007FRAME = 0x4000; // resource-theme drawing, cut corners

class CXTPToolTipContext : public CCmdTarget
{
public:
    CXTPToolTipContext();
    ~CXTPToolTipContext() override;

    // ---- settings
    // FALSE when unchanged or when style 1 needs a newer comctl32 than 5.79; else the window goes.
    BOOL SetStyle(int nStyle);
    int GetStyle() const { return m_nStyle; }
    void ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd);
    DWORD GetToolTipStyle() const { return m_dwStyle; }
    void SetShowTitleAndDescription(BOOL bShow = TRUE, int nTitleIcon = TTI_INFO);
    BOOL IsShowTitleAndDescription() const { return m_bShowTitleAndDescription; }
    int GetTitleIcon() const { return m_nTitleIcon; }
    void SetShowImage(BOOL bShow, int nCommandOffset = 0, int nImageWidth = 1);
    BOOL IsShowImage() const { return m_bShowImage; }
    int GetImageOffset() const { return m_nImageOffset; }
    int GetImageWidth() const { return m_nImageWidth; }
    void SetMaxTipWidth(int nWidth);
    int GetMaxTipWidth() const { return m_nMaxTipWidth; }
    void SetMargin(const CRect& rcMargin);
    CRect GetMargin() const { return m_rcMargin; }
    // nKind: TTDT_RESHOW 1, TTDT_AUTOPOP 2, TTDT_INITIAL 3.
    void SetDelayTime(DWORD dwKind, int nTime);
    int GetDelayTime(DWORD dwKind) const;
    void SetFont(CFont* pFont);
    CFont* GetFont() { return &m_fnt; }
    CFont* GetBoldFont() { return &m_fntBold; }
    void SetTipBkColor(COLORREF clr);
    void SetTipTextColor(COLORREF clr);
    COLORREF GetTipBkColor() const;
    COLORREF GetTipTextColor() const;
    void SetStripEllipsis(BOOL bStrip) { m_bStripEllipsis = bStrip; }
    DWORD GetComCtlVersion() const { return m_dwComCtlVersion; }
    // Tests may pretend another comctl32.
    void SetComCtlVersion(DWORD dwVersion) { m_dwComCtlVersion = dwVersion; }

    // ---- messages
    void FilterToolTipMessage(CWnd* pWnd, MSG* pMsg, BOOL bOwn = FALSE);
    void RelayMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void DeactivateToolTip();
    CWnd* GetToolTip() const { return m_pToolTip; }
    const TOOLINFOA& GetLastInfo() const { return m_lastInfo; }

    // ---- virtual operations, in slot order
    virtual CWnd* CreateToolTip(CWnd* pOwner);
    virtual INT_PTR ToolHitTest(CWnd* pWnd, CPoint point, TOOLINFOA* pToolInfo);
    virtual void DrawBackground(CDC* pDC, CRect rc);

    // ---- what a window's OnToolHitTest answers with
    static void FillToolInfo(TOOLINFOA* pToolInfo, HWND hWnd, CRect rcTool, INT_PTR nHit, LPCSTR lpszText);
    static void FillToolInfoEx(TOOLINFOA* pToolInfo, HWND hWnd, CRect rcTool, INT_PTR nHit, LPCSTR lpszText,
                               LPCSTR lpszTitle, LPCSTR lpszDescription, CXTPImageManager* pImageManager);
    // Frees the texts of a record (and of its extension) and clears them.
    static void FreeToolInfo(TOOLINFOA* pToolInfo);

    // The window under a screen point; a tooltip there stands for its parent.
    static HWND WindowFromPointEx(POINT pt);
    // How long the HTML kind waits for its page (milliseconds).
    static void SetHtmlReadyTimeout(DWORD dwTimeout) { s_dwHtmlTimeout = dwTimeout; }
    static DWORD GetHtmlReadyTimeout() { return s_dwHtmlTimeout; }

    // ---- the window kinds
    class CStandardToolTip : public CToolTipCtrl
    {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    };

    class CLunaToolTip : public CXTPToolTipContextToolTip
    {
    public:
        explicit CLunaToolTip(CXTPToolTipContext* pContext) : CXTPToolTipContextToolTip(pContext) {}

    protected:
        void DrawBackground(CDC* pDC, const CRect& rcClient) override;
    };

    class CRichEditToolTip : public CXTPToolTipContextToolTip
    {
    public:
        explicit CRichEditToolTip(CXTPToolTipContext* pContext);
        CXTPRichRender* GetRender() { return &m_render; }

    protected:
        CSize CalcTipSize(TOOLITEM* pTool, CDC* pDC) override;
        void DrawTip(CDC* pDC, const CRect& rcClient, TOOLITEM* pTool) override;
        CXTPRichRender m_render;
    };

    class CMarkupToolTip : public CXTPToolTipContextToolTip
    {
    public:
        explicit CMarkupToolTip(CXTPToolTipContext* pContext);
        ~CMarkupToolTip() override;
        CXTPMarkupUIElement* GetElement() const { return m_pElement; }

    protected:
        CSize CalcTipSize(TOOLITEM* pTool, CDC* pDC) override;
        void DrawTip(CDC* pDC, const CRect& rcClient, TOOLITEM* pTool) override;
        CXTPMarkupContext* m_pMarkupContext = nullptr;
        CXTPMarkupUIElement* m_pElement = nullptr;
    };

    class CHTMLToolTip : public CXTPToolTipContextToolTip
    {
    public:
        explicit CHTMLToolTip(CXTPToolTipContext* pContext);
        ~CHTMLToolTip() override;

        class XOleClientSite : public IOleClientSite
        {
        public:
            CHTMLToolTip* m_pOwner = nullptr;
            STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override;
            STDMETHOD_(ULONG, AddRef)() override;
            STDMETHOD_(ULONG, Release)() override;
            STDMETHOD(SaveObject)() override;
            STDMETHOD(GetMoniker)(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
            STDMETHOD(GetContainer)(IOleContainer** ppContainer) override;
            STDMETHOD(ShowObject)() override;
            STDMETHOD(OnShowWindow)(BOOL fShow) override;
            STDMETHOD(RequestNewObjectLayout)() override;
        };

        class XDocHostUIHandler : public IDocHostUIHandler
        {
        public:
            CHTMLToolTip* m_pOwner = nullptr;
            STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override;
            STDMETHOD_(ULONG, AddRef)() override;
            STDMETHOD_(ULONG, Release)() override;
            STDMETHOD(ShowContextMenu)(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved, IDispatch* pdispReserved) override;
            STDMETHOD(GetHostInfo)(DOCHOSTUIINFO* pInfo) override;
            STDMETHOD(ShowUI)(DWORD dwID, IOleInPlaceActiveObject* pActiveObject, IOleCommandTarget* pCommandTarget,
                              IOleInPlaceFrame* pFrame, IOleInPlaceUIWindow* pDoc) override;
            STDMETHOD(HideUI)() override;
            STDMETHOD(UpdateUI)() override;
            STDMETHOD(EnableModeless)(BOOL fEnable) override;
            STDMETHOD(OnDocWindowActivate)(BOOL fActivate) override;
            STDMETHOD(OnFrameWindowActivate)(BOOL fActivate) override;
            STDMETHOD(ResizeBorder)(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fRameWindow) override;
            STDMETHOD(TranslateAccelerator)(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override;
            STDMETHOD(GetOptionKeyPath)(LPOLESTR* pchKey, DWORD dw) override;
            STDMETHOD(GetDropTarget)(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
            STDMETHOD(GetExternal)(IDispatch** ppDispatch) override;
            STDMETHOD(TranslateUrl)(DWORD dwTranslate, OLECHAR* pchURLIn, OLECHAR** ppchURLOut) override;
            STDMETHOD(FilterDataObject)(IDataObject* pDO, IDataObject** ppDORet) override;
        };

        XOleClientSite* GetClientSite() { return &m_xOleClientSite; }
        XDocHostUIHandler* GetDocHostUIHandler() { return &m_xDocHostUIHandler; }
        IWebBrowser2* GetBrowser() const { return m_pBrowser; }
        // The URL of the empty page: face, size, face, size and the background "#rrggbb".
        static CString FormatPageUrl(LPCSTR lpszFace, int nSize, COLORREF clrBack);

    protected:
        LPUNKNOWN GetInterface(REFIID iid) override;
        CSize CalcTipSize(TOOLITEM* pTool, CDC* pDC) override;
        void DrawTip(CDC* pDC, const CRect& rcClient, TOOLITEM* pTool) override;
        void OnVisibleChanged(BOOL bVisible) override;
        BOOL CreateBrowser();
        void DestroyBrowser();
        BOOL WaitReady();
        void UpdateBitmap(const CSize& szContent);

        XOleClientSite m_xOleClientSite;
        XDocHostUIHandler m_xDocHostUIHandler;
        IOleObject* m_pOleObject = nullptr;
        IWebBrowser2* m_pBrowser = nullptr;
        HWND m_hWndHost = nullptr;
        HBITMAP m_hBitmap = nullptr;
        CSize m_szBitmap;
        BOOL m_bBrowserFailed = FALSE;
    };

protected:
    void CreateToolTipWindow(CWnd* pWnd, HWND hWndOwner);
    void DestroyToolTip();
    void ApplySettings();
    void CreateBoldFont();
    static HWND GetParentOwner(HWND hWnd);
    static BOOL IsAnyMouseButtonDown();

protected:
    CWnd* m_pToolTip = nullptr;
    HWND m_hWndToolTipOwner = nullptr;
    TOOLINFOA m_lastInfo;
    XTP_TOOLTIP_TOOLINFO_EX m_lastInfoEx;
    INT_PTR m_nLastHit = -1;

    BOOL m_bShowTitleAndDescription = FALSE;
    int m_nTitleIcon = TTI_INFO;
    BOOL m_bShowImage = FALSE;
    int m_nImageWidth = 1;
    int m_nImageOffset = 0;
    int m_nStyle = xtpToolTipStandard;
    DWORD m_dwStyle = XTP_TTS_NOPREFIX_FLAG;
    int m_nMaxTipWidth;
    CRect m_rcMargin;
    int m_nDelayInitial = -1;
    int m_nDelayReshow = -1;
    int m_nDelayAutoPop = -1;
    COLORREF m_clrTipBack = (COLORREF)-1;
    COLORREF m_clrTipText = (COLORREF)-1;
    CFont m_fnt;
    CFont m_fntBold;
    BOOL m_bStripEllipsis = TRUE;
    DWORD m_dwComCtlVersion;

    static DWORD s_dwHtmlTimeout;
};
