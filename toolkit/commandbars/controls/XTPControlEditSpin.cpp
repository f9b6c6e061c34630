// CXTPControlEdit: spin steps, the held spin button, the buddy button and the field's hot parts.
#include "toolkit/commandbars/controls/XTPControlEdit.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <windowsx.h>

#include <climits>
#include <cstdlib>

namespace
{
// Delays of the held spin button: the first repeat, the later ones.
const UINT kSpinFirstDelay = 530;
const UINT kSpinRepeatDelay = 100;
// The step grows with the time held: 1, then 5 from 2,048 ms, then 20 from 5,120 ms.
const DWORD kSpinStep5After = 2048;
const DWORD kSpinStep20After = 5120;

int SpinStepForElapsed(DWORD dwElapsed)
{
    if (dwElapsed < kSpinStep5After)
        return 1;
    if (dwElapsed < kSpinStep20After)
        return 5;
    return 20;
}

// The next message of a capture loop on the bar: FALSE when the loop ends (the bar lost the
// capture, or WM_QUIT, which is posted again for the loop outside).
BOOL NextCaptureMessage(HWND hWndBar, MSG& msg)
{
    if (::GetCapture() != hWndBar)
        return FALSE;
    if (!::GetMessageA(&msg, nullptr, 0, 0))
    {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return FALSE;
    }
    return TRUE;
}

// A point of a mouse message in the bar's client coordinates.
CPoint PointInBar(const MSG& msg, HWND hWndBar)
{
    POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.hwnd && msg.hwnd != hWndBar)
        ::MapWindowPoints(msg.hwnd, hWndBar, &pt, 1);
    return CPoint(pt);
}
} // namespace

int CXTPControlEdit::CalcSpinValue(const CString& strText, int nCount, int nDirection)
{
    const long long nStep = nCount <= 0 ? 1 : nCount;
    const long long nDir = nDirection < 0 ? -1 : 1;
    long long nValue = std::strtoll(strText, nullptr, 10);
    if (nValue > INT_MAX)
        nValue = INT_MAX;
    if (nValue < INT_MIN)
        nValue = INT_MIN;
    nValue += nStep * nDir;
    // On to the next multiple of the count in the step's direction.
    long long nRest = nValue % nStep;
    if (nRest < 0)
        nRest += nStep;
    if (nRest != 0)
        nValue += nDir > 0 ? (nStep - nRest) : -nRest;
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return static_cast<int>(nValue);
}

void CXTPControlEdit::OnSpinStep(int nCount, int nDirection)
{
    NMXTPUPDOWN nm = {};
    nm.iDelta = nCount * (nDirection < 0 ? -1 : 1);
    if (NotifySiteWithData(nDirection < 0 ? XTP_FN_SPINDOWN : XTP_FN_SPINUP, &nm.hdr.hdr))
        return;
    CString strValue;
    strValue.Format("%i", CalcSpinValue(GetEditTextWithoutHint(), nCount, nDirection));
    SetEditText(strValue);
    ApplyCharFormat();
    NotifySite(XTP_CN_EXECUTE);
}

int CXTPControlEdit::HitTestPart(CPoint point) const
{
    const CRect rcSpin = GetSpinButtonsRect();
    if (rcSpin.PtInRect(point))
        return point.y < rcSpin.top + rcSpin.Height() / 2 ? xtpEditHotSpinUp : xtpEditHotSpinDown;
    if (GetBuddyButtonRect().PtInRect(point))
        return xtpEditHotBuddy;
    return xtpEditHotNone;
}

void CXTPControlEdit::OnMouseMove(CPoint point)
{
    if (!GetEnabled())
        return;
    const int nHot = HitTestPart(point);
    if (nHot != m_nHotPart)
    {
        m_nHotPart = nHot;
        RedrawParent(FALSE);
    }
}

void CXTPControlEdit::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (IsCustomizeMode())
    {
        OnCustomizeMouseDown(pt);
        return;
    }
    HWND hWndEdit = m_pEdit ? m_pEdit->GetSafeHwnd() : nullptr;
    if (bKeyboard)
    {
        if (hWndEdit && ::GetFocus() == hWndEdit)
            OnExecute();
        else if (hWndEdit)
            ::SetFocus(hWndEdit);
        return;
    }
    if (GetEnabled() && !m_bReadOnly && GetSpinButtonsRect().PtInRect(pt))
    {
        TrackSpinButton(pt);
        return;
    }
    if (GetEnabled() && GetBuddyButtonRect().PtInRect(pt))
    {
        TrackBuddyButton();
        return;
    }
    if (hWndEdit)
        ::SetFocus(hWndEdit);
}

void CXTPControlEdit::TrackSpinButton(CPoint point)
{
    CXTPCommandBar* pBar = m_pParent;
    HWND hWndBar = pBar ? pBar->GetSafeHwnd() : nullptr;
    if (!hWndBar)
        return;
    CXTPCommandBarsSystemQuery* pQuery = GetCommandBarsSystemQuery();
    // The bar may drop this control meanwhile: keep it until the loop ends.
    InternalAddRef();
    pBar->SetSelected(m_nIndex);
    const int nPart = HitTestPart(point);
    const int nDirection = nPart == xtpEditHotSpinUp ? +1 : -1;
    m_nPressedPart = nPart;
    m_nHotPart = nPart;
    RedrawParent(FALSE);
    OnSpinStep(1, nDirection);

    ::SetCapture(hWndBar);
    pQuery->SetTimer(hWndBar, XTP_TID_EDIT_SPIN, kSpinFirstDelay);
    DWORD dwStart = pQuery->GetTickCount();
    BOOL bOver = TRUE;
    BOOL bFirstTick = TRUE;
    MSG msg;
    while (NextCaptureMessage(hWndBar, msg))
    {
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_MOUSEMOVE)
        {
            const BOOL bNowOver = HitTestPart(PointInBar(msg, hWndBar)) == nPart;
            if (bNowOver != bOver)
            {
                bOver = bNowOver;
                dwStart = pQuery->GetTickCount();
                m_nPressedPart = bOver ? nPart : 0;
                RedrawParent(FALSE);
            }
            continue;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWndBar && msg.wParam == XTP_TID_EDIT_SPIN)
        {
            if (bFirstTick)
            {
                bFirstTick = FALSE;
                pQuery->SetTimer(hWndBar, XTP_TID_EDIT_SPIN, kSpinRepeatDelay);
            }
            if (bOver)
                OnSpinStep(SpinStepForElapsed(pQuery->GetTickCount() - dwStart), nDirection);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ::KillTimer(hWndBar, XTP_TID_EDIT_SPIN);
    m_nPressedPart = 0;
    if (::GetCapture() == hWndBar)
        ::ReleaseCapture();
    RedrawParent(FALSE);
    if (pBar->GetPosition() != xtpBarPopup && pBar->GetSafeHwnd())
        pBar->SetTrackingMode(FALSE);
    InternalRelease();
}

void CXTPControlEdit::TrackBuddyButton()
{
    CXTPCommandBar* pBar = m_pParent;
    HWND hWndBar = pBar ? pBar->GetSafeHwnd() : nullptr;
    if (!hWndBar)
        return;
    InternalAddRef();
    m_nPressedPart = xtpEditHotBuddy;
    m_nHotPart = xtpEditHotBuddy;
    RedrawParent(FALSE);
    ::SetCapture(hWndBar);
    BOOL bReleasedInside = FALSE;
    MSG msg;
    while (NextCaptureMessage(hWndBar, msg))
    {
        if (msg.message == WM_LBUTTONUP)
        {
            bReleasedInside = GetBuddyButtonRect().PtInRect(PointInBar(msg, hWndBar));
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            const int nHot = GetBuddyButtonRect().PtInRect(PointInBar(msg, hWndBar)) ? xtpEditHotBuddy : xtpEditHotNone;
            if (nHot != m_nHotPart)
            {
                m_nHotPart = nHot;
                RedrawParent(FALSE);
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (::GetCapture() == hWndBar)
        ::ReleaseCapture();
    m_nPressedPart = 0;
    RedrawParent(FALSE);
    if (bReleasedInside)
        NotifySite(XTP_FN_BUDDYBUTTONCLICK);
    InternalRelease();
}
