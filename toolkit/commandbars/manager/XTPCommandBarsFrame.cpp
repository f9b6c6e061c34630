// The site's messages as the command-bars manager sees them: pre-translation (Alt and access keys,
// tracking keys, the wheel, shortcuts) and the frame messages it answers.
#include "toolkit/commandbars/manager/XTPCommandBars.h"

#include "framework/FrameworkIds.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboard.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/managers/XTPMouseManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/managers/XTPShortcutManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/drawing/XTPColorManager.h"
#include "toolkit/common/images/XTPImageManager.h"

#include <vector>

namespace
{
// "KeyboardCuesUse": bit 1 lets access keys reach every visible bar, 2 turns them off, bit 4 takes
// only explicit "&" markers.
const int kCuesUseAllBars = 1;
const int kCuesUseNone = 2;
const int kCuesUseAmpersandOnly = 4;
} // namespace

BOOL CXTPCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    if (!pMsg)
        return FALSE;
    CXTPMouseManager* pMouseManager = GetMouseManager();
    const BOOL bTracking = pMouseManager->IsTracking();

    if (pMsg->message == WM_SYSKEYDOWN && (static_cast<DWORD>(pMsg->lParam) & 0x20000000) != 0 &&
        !pMouseManager->IsMouseLocked() && !bTracking)
    {
        CWnd* pSite = GetSite();
        CWnd* pTop = pSite ? pSite->GetTopLevelParent() : nullptr;
        if (pTop && pTop->GetSafeHwnd() == ::GetActiveWindow())
        {
            const UINT nKey = static_cast<UINT>(pMsg->wParam);
            if (nKey == VK_MENU)
            {
                ShowKeyboardCues(TRUE);
                return FALSE;
            }
            if (nKey != 0 && !(m_bIgnoreShiftMenuKey && ::GetKeyState(VK_SHIFT) < 0) && ProcessMnemonicKey(nKey))
                return TRUE;
        }
    }

    if ((pMsg->message == WM_SYSKEYUP || pMsg->message == WM_KEYUP) && m_bKeyboardCuesInUse &&
        m_bKeyboardCuesVisible && !bTracking)
        ShowKeyboardCues(FALSE);

    if ((pMsg->message == WM_CONTEXTMENU || pMsg->message == WM_SYSKEYUP) && bTracking)
    {
        GetKeyboardManager()->OfferToReceivers(WM_CONTEXTMENU, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }

    if (pMsg->message == WM_MOUSEWHEEL)
    {
        CXTPKeyboardManager* pKeyboardManager = GetKeyboardManager();
        if (pKeyboardManager->IsKeyboardHooked())
            return pKeyboardManager->OfferToReceivers(WM_MOUSEWHEEL, pMsg->wParam, pMsg->lParam);
        CXTPCommandBar* pMenuBar = GetMenuBar();
        if (pMenuBar && pMenuBar->GetType() == 3)
        {
            const short nDelta = static_cast<short>(HIWORD(pMsg->wParam));
            if (pMenuBar->OnFrameMouseWheel(nDelta <= 0))
                return TRUE;
        }
        return FALSE;
    }

    // WM_KEYDOWN .. 0x108 (the last key message of the older headers).
    if (pMsg->message >= WM_KEYDOWN && pMsg->message <= 0x108)
        return m_pShortcutManager->TranslateAccelerator(pMsg);
    return FALSE;
}

CXTPCommandBar* CXTPCommandBars::FindMnemonicBar() const
{
    CXTPCommandBar* pMenuBar = GetMenuBar();
    CXTPCommandBar* pCandidate = pMenuBar && pMenuBar->IsVisibleOnScreen() ? pMenuBar : nullptr;
    const BOOL bAllBars = (m_pOptions->keyboardCuesUse & kCuesUseAllBars) != 0;
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPCommandBar* pBar = GetAt(i);
        if (pBar->IsTrackingMode())
            return pBar;
        if (!pCandidate && bAllBars && pBar->IsVisibleOnScreen())
            pCandidate = pBar;
    }
    return pCandidate;
}

BOOL CXTPCommandBars::ProcessMnemonicKey(UINT nKey)
{
    if (m_pOptions->keyboardCuesUse == kCuesUseNone)
        return FALSE;
    const BOOL bKeypadDigit = nKey >= VK_NUMPAD0 && nKey <= VK_NUMPAD9;
    if (bKeypadDigit && !m_pOptions->bUseAltNumPadKeys)
        return FALSE;
    // Keypad digits stand for their digit whatever the layout maps them to.
    if (!bKeypadDigit && ::MapVirtualKeyA(nKey, 2 /* MAPVK_VK_TO_CHAR */) == 0)
        return FALSE;

    CXTPCommandBar* pBar = FindMnemonicBar();
    if (!pBar)
        return FALSE;

    BOOL bDuplicate = FALSE;
    CXTPControl* pControl = FindAccessKeyControl(pBar, nKey, bDuplicate);
    if (!pControl)
        return FALSE;
    CXTPCommandBar* pControlBar = pControl->GetParent();
    if (!pControlBar)
        return FALSE;
    // The control may go while tracking ends: keep it until it has run.
    pControl->InternalAddRef();
    pControlBar->InternalAddRef();
    if (!pControlBar->IsTrackingMode())
        EndAllTracking();
    ShowKeyboardCues(TRUE);
    m_nKeyboardTipsLevel = 1;
    pControlBar->SetTrackingMode(TRUE, FALSE, TRUE);
    pControlBar->SetSelected(pControl->GetIndex(), TRUE);
    if (!bDuplicate)
        pControl->OnClick(TRUE);
    pControlBar->InternalRelease();
    pControl->InternalRelease();
    PostShowKeyboardTips();
    return TRUE;
}

CXTPControl* CXTPCommandBars::FindAccessKeyControl(CXTPCommandBar* pStartBar, UINT nKey, BOOL& bDuplicate) const
{
    bDuplicate = FALSE;
    if (!pStartBar || !pStartBar->GetControls())
        return nullptr;

    // The bars searched, in order: the start bar, then (all-bars mode) every other visible bar
    // from it onwards, so that the search wraps back to the start bar's first controls.
    std::vector<CXTPCommandBar*> bars{pStartBar};
    if ((m_pOptions->keyboardCuesUse & kCuesUseAllBars) != 0)
    {
        const int nCount = GetCount();
        const int nStart = IndexOf(pStartBar);
        for (int n = 1; n <= nCount; ++n)
        {
            CXTPCommandBar* pBar = GetAt(((nStart < 0 ? 0 : nStart) + n) % nCount);
            if (pBar != pStartBar && pBar->IsVisibleOnScreen())
                bars.push_back(pBar);
        }
    }

    const BOOL bAmpersandOnly = (m_pOptions->keyboardCuesUse & kCuesUseAmpersandOnly) != 0;
    std::vector<XTP_MNEMONIC_CANDIDATE> candidates;
    std::vector<CXTPControl*> controls;
    for (CXTPCommandBar* pBar : bars)
    {
        CXTPControls* pControls = pBar->GetControls();
        const BOOL bFirstLetter = !bAmpersandOnly && (pBar->GetType() == xtpBarTypeMenuBar || pBar->IsTrackingMode());
        for (int i = 0; pControls && i < pControls->GetCount(); ++i)
        {
            CXTPControl* pControl = pControls->GetAt(i);
            XTP_MNEMONIC_CANDIDATE candidate;
            candidate.bVisible = pControl->IsVisible() && pControl->IsCaptionVisible();
            candidate.bEnabled = pControl->GetEnabled();
            const CString strCaption = pControl->GetCaption();
            if (FindMnemonicAmpersand(strCaption) >= 0 || bFirstLetter)
                candidate.strCaption = strCaption;
            candidates.push_back(candidate);
            controls.push_back(pControl);
        }
    }
    if (candidates.empty())
        return nullptr;

    BOOL bUnique = FALSE;
    const int nHot = pStartBar->GetSelected();
    const int nFound =
        XTPFindMnemonicIndex(candidates.data(), static_cast<int>(candidates.size()), nHot, nKey, bUnique);
    if (nFound < 0)
        return nullptr;
    bDuplicate = !bUnique;
    return controls[static_cast<size_t>(nFound)];
}

BOOL CXTPCommandBars::IsInputDesktopNotDefault() const
{
    CHAR szName[260] = {};
    const int nResult = GetCommandBarsSystemQuery()->GetInputDesktopName(szName, static_cast<int>(sizeof(szName)));
    if (nResult == 0)
        return TRUE; // the input desktop cannot even be opened: a secure desktop
    if (nResult < 0)
        return FALSE;
    return ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, szName, -1, "Default", -1) != CSTR_EQUAL;
}

BOOL CXTPCommandBars::OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_CLOSE:
    {
        // Closing under an open customise dialog would pull the bars from under it.
        CWnd* pDialog = GetCustomizeDialog();
        if (pDialog && pDialog->GetSafeHwnd())
        {
            if (pResult)
                *pResult = 0;
            return TRUE;
        }
        return FALSE;
    }
    case WM_SYSCOLORCHANGE:
        GetColorManager()->RefreshColors();
        GetPaintManager()->RefreshMetrics();
        GetImageManager()->RefreshAll();
        RedrawCommandBars();
        return FALSE;
    case WM_SETTINGCHANGE:
        GetPaintManager()->RefreshMetrics();
        if (!IsInputDesktopNotDefault())
            RedrawCommandBars();
        return FALSE;
    case WM_ACTIVATEAPP:
        if (wParam == 0)
            EndAllTracking();
        return FALSE;
    case WM_CANCELMODE:
        EndAllTracking();
        return FALSE;
    case WM_COMMAND:
    {
        // Edit commands go to the field that has the focus (Cut, Copy, Paste in its text window).
        CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
        if (pFocus && pFocus->IsKindOf(RUNTIME_CLASS(CXTPCommandBarEditCtrl)) && pFocus->OnCommand(wParam, lParam))
        {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        if (LOWORD(wParam) != ID_HELP || m_nIDHelpTracking <= 0)
            return FALSE;
        CWnd* pSite = GetSite();
        if (!pSite || !pSite->GetSafeHwnd())
            return FALSE;
        AFX_CMDHANDLERINFO info = {};
        if (!pSite->OnCmdMsg(ID_HELP, CN_COMMAND, nullptr, &info))
            return FALSE;
        ::SendMessageA(pSite->GetSafeHwnd(), WM_COMMANDHELP, 0,
                       static_cast<LPARAM>(static_cast<DWORD>(m_nIDHelpTracking) + 0x10000));
        if (pResult)
            *pResult = 1;
        return TRUE;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU)
            return FALSE;
        if (wParam != 0 && LOWORD(wParam) == 0)
            return FALSE;
        if (!m_bCustomizeMode)
            EndAllTracking();
        return FALSE;
    case WM_IDLEUPDATECMDUI:
        for (int i = 0; i < GetCount(); ++i)
        {
            CXTPCommandBar* pBar = GetAt(i);
            if (pBar->GetPosition() == xtpBarFloating && pBar->GetSafeHwnd())
                ::SendMessageA(pBar->GetSafeHwnd(), WM_IDLEUPDATECMDUI, TRUE, 0);
        }
        return FALSE;
    default:
        return FALSE;
    }
}
