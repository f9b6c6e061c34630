// CXTPRichRender: draws and measures rich text without a window, through the rich-edit text
// services of "RICHED20.dll" (bound by name; without it every call does nothing). The embedded
// text host answers the services' questions with fixed values.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/Geometry.h"

#include <richedit.h>
#include <textserv.h>
#include <windows.h>

// The interface ids of the text services and the text host.
extern const IID XTP_IID_ITextServices;
extern const IID XTP_IID_ITextHost;

class CXTPRichRender : public CCmdTarget
{
public:
    // lpszLibrary: the rich-edit library to bind (tests name a missing one).
    explicit CXTPRichRender(LPCSTR lpszLibrary = "RICHED20.dll");
    ~CXTPRichRender() override;
    CXTPRichRender(const CXTPRichRender&) = delete;
    CXTPRichRender& operator=(const CXTPRichRender&) = delete;

    BOOL IsAvailable() const { return m_pTextServices != nullptr; }
    ITextServices* GetTextServices() const { return m_pTextServices; }

    void SetDefaultCharFormat(const CHARFORMATW* pCharFormat);
    const CHARFORMATW& GetDefaultCharFormat() const { return m_charFormat; }
    const PARAFORMAT& GetDefaultParaFormat() const { return m_paraFormat; }
    // Null or empty text clears. Text beginning with "{" is tried as RTF first; when that takes no
    // characters it is taken as plain text. Returns the characters taken.
    LRESULT SetText(LPCSTR lpszText);
    // TRUE when the last SetText took the RTF path.
    BOOL IsLastTextRtf() const { return m_bLastRtf; }
    // The smallest (width, height) within nMaxWidth that keeps the height of the widest layout.
    CSize GetTextExtent(CDC* pDC, int nMaxWidth);
    void DrawText(CDC* pDC, const CRect& rc);
    // The size the services last asked for (EN_REQUESTRESIZE); (-1, -1) before any request.
    CSize GetRequestedSize() const { return m_szRequest; }
    int GetRequestCount() const { return m_nRequests; }

    class XTextHost : public ITextHost
    {
    public:
        CXTPRichRender* m_pOwner = nullptr;
        // IUnknown (stdcall).
        STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        // ITextHost: the member convention of the interface's declaration (thiscall on i686).
        HDC TxGetDC() override;
        INT TxReleaseDC(HDC hdc) override;
        WINBOOL TxShowScrollBar(INT fnBar, WINBOOL fShow) override;
        WINBOOL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) override;
        WINBOOL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, WINBOOL fRedraw) override;
        WINBOOL TxSetScrollPos(INT fnBar, INT nPos, WINBOOL fRedraw) override;
        void TxInvalidateRect(LPCRECT prc, WINBOOL fMode) override;
        void TxViewChange(WINBOOL fUpdate) override;
        WINBOOL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) override;
        WINBOOL TxShowCaret(WINBOOL fShow) override;
        WINBOOL TxSetCaretPos(INT x, INT y) override;
        WINBOOL TxSetTimer(UINT idTimer, UINT uTimeout) override;
        void TxKillTimer(UINT idTimer) override;
        void TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate, LPRECT lprcUpdate,
                              UINT fuScroll) override;
        void TxSetCapture(WINBOOL fCapture) override;
        void TxSetFocus() override;
        void TxSetCursor(HCURSOR hcur, WINBOOL fText) override;
        WINBOOL TxScreenToClient(LPPOINT lppt) override;
        WINBOOL TxClientToScreen(LPPOINT lppt) override;
        HRESULT TxActivate(LONG* plOldState) override;
        HRESULT TxDeactivate(LONG lNewState) override;
        HRESULT TxGetClientRect(LPRECT prc) override;
        HRESULT TxGetViewInset(LPRECT prc) override;
        HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override;
        HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override;
        COLORREF TxGetSysColor(int nIndex) override;
        HRESULT TxGetBackStyle(TXTBACKSTYLE* pstyle) override;
        HRESULT TxGetMaxLength(DWORD* plength) override;
        HRESULT TxGetScrollBars(DWORD* pdwScrollBar) override;
        HRESULT TxGetPasswordChar(TCHAR* pch) override;
        HRESULT TxGetAcceleratorPos(LONG* pcp) override;
        HRESULT TxGetExtent(LPSIZEL lpExtent) override;
        HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf) override;
        HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf) override;
        HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
        HRESULT TxNotify(DWORD iNotify, void* pv) override;
        HIMC TxImmGetContext() override;
        void TxImmReleaseContext(HIMC himc) override;
        HRESULT TxGetSelectionBarWidth(LONG* lSelBarWidth) override;
    };

protected:
    LPUNKNOWN GetInterface(REFIID iid) override;
    LRESULT StreamIn(LPCSTR lpszText, UINT nFormat);
    void Probe(HDC hDC, int nWidth);

    XTextHost m_xTextHost;
    HMODULE m_hModule = nullptr;
    ITextServices* m_pTextServices = nullptr;
    CHARFORMATW m_charFormat;
    PARAFORMAT m_paraFormat;
    CSize m_szRequest;
    int m_nRequests = 0;
    BOOL m_bLastRtf = FALSE;
};
