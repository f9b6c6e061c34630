#include "framework/ReBar.h"

#include "framework/GdiObject.h"
#include "framework/RecordSizes.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    AfxInitCommonControls();
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD dwWndStyle = (dwStyle & ~static_cast<DWORD>(CBRS_ALL)) | dwCtrlStyle;
    return CWnd::Create(REBARCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CReBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

BOOL CReBar::AddBar(CWnd* pBar, LPCSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    if (!m_hWnd || !pBar || !pBar->GetSafeHwnd())
        return FALSE;
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);

    REBARBANDINFOA rbbi = {};
    rbbi.cbSize = kReBarBandInfoSize;
    rbbi.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    rbbi.fStyle = dwStyle;
    rbbi.hwndChild = pBar->GetSafeHwnd();
    rbbi.cxMinChild = static_cast<UINT>(rcBar.Width());
    rbbi.cyMinChild = static_cast<UINT>(rcBar.Height());
    rbbi.cx = static_cast<UINT>(rcBar.Width());
    if (pszText)
    {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = const_cast<LPSTR>(pszText);
    }
    if (pbmp && pbmp->GetSafeHandle())
    {
        rbbi.fMask |= RBBIM_BACKGROUND;
        rbbi.hbmBack = static_cast<HBITMAP>(pbmp->GetSafeHandle());
    }
    return static_cast<BOOL>(SendMessage(RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&rbbi)));
}

int CReBar::GetBandCount() const
{
    return static_cast<int>(SendMessage(RB_GETBANDCOUNT));
}

BOOL CReBar::GetBandInfo(int nBand, REBARBANDINFOA* prbbi) const
{
    prbbi->cbSize = kReBarBandInfoSize;
    return static_cast<BOOL>(SendMessage(RB_GETBANDINFOA, static_cast<WPARAM>(nBand), reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBar::SetBandInfo(int nBand, REBARBANDINFOA* prbbi)
{
    prbbi->cbSize = kReBarBandInfoSize;
    return static_cast<BOOL>(SendMessage(RB_SETBANDINFOA, static_cast<WPARAM>(nBand), reinterpret_cast<LPARAM>(prbbi)));
}

BOOL CReBar::DeleteBand(int nBand)
{
    return static_cast<BOOL>(SendMessage(RB_DELETEBAND, static_cast<WPARAM>(nBand)));
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (m_hWnd && bHorz)
        size.cy = static_cast<int>(SendMessage(RB_GETBARHEIGHT));
    return size;
}
