#include "toolkit/commandbars/controls/XTPControlWindowList.h"

#include "framework/MDIFrameWnd.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/common/resources/XTPResourceManager.h"

IMPLEMENT_SERIAL(CXTPControlWindowList, CXTPControlButton, XTP_CONTROL_CLASS_SCHEMA)

UINT CXTPControlWindowList::s_nFirstMDIChild = 0xFF00;

namespace
{
// The help id of a window item; its description and tooltip come from this string.
const int kWindowItemHelpId = 61215;
} // namespace

CString FormatNumberedCaption(LPCSTR lpszText, int nNumber, UINT nCodePage)
{
    CString strText;
    if (lpszText)
    {
        for (LPCSTR p = lpszText; *p; ++p)
        {
            if (::IsDBCSLeadByteEx(nCodePage, static_cast<BYTE>(*p)))
            {
                if (!p[1])
                    break; // a lead byte without its trail byte ends the text
                strText += p[0];
                strText += p[1];
                ++p;
                continue;
            }
            strText += *p;
            if (*p == '&')
                strText += '&';
        }
    }
    if (nNumber <= 0)
        return strText;
    CString strCaption;
    if (nNumber < 10)
        strCaption.Format("&%i %s", nNumber, strText.GetString());
    else if (nNumber == 10)
        strCaption.Format("1&0 %s", strText.GetString());
    else
        strCaption.Format("%i %s", nNumber, strText.GetString());
    return strCaption;
}

BOOL XTPPreparePlaceholderItems(CXTPControl* pPlaceholder, PFNPLACEHOLDEROWNS pfnOwns)
{
    CXTPControls* pControls = pPlaceholder ? pPlaceholder->GetControls() : nullptr;
    if (!pControls)
        return FALSE;
    for (int i = pControls->GetCount() - 1; i >= 0; --i)
    {
        CXTPControl* pControl = pControls->GetAt(i);
        if (pControl != pPlaceholder && pControl->IsTemporary() && pfnOwns(pPlaceholder, pControl))
            pControls->RemoveAt(i);
    }
    if (pPlaceholder->IsCustomizeMode())
    {
        pPlaceholder->SetHideFlags(0);
        return FALSE;
    }
    pPlaceholder->SetHideFlags(pPlaceholder->GetHideFlags() | xtpHideGeneric);
    return TRUE;
}

CXTPControlWindowList::CXTPControlWindowList()
{
    m_nId = ID_TK_WINDOW_LIST;
}

void CXTPControlWindowList::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    // The items of the last layout: the ids from the first MDI child up.
    auto owns = [](const CXTPControl*, const CXTPControl* pItem) -> BOOL {
        const UINT nId = static_cast<UINT>(pItem->GetID());
        return nId >= s_nFirstMDIChild && nId < s_nFirstMDIChild + 0x100;
    };
    if (!XTPPreparePlaceholderItems(this, owns))
        return;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CMDIFrameWnd* pFrame = pCommandBars ? DYNAMIC_DOWNCAST(CMDIFrameWnd, pCommandBars->GetSite()) : nullptr;
    if (!pFrame || !pFrame->m_hWndMDIClient)
    {
        SetHideFlags(0); // no windows to list: the placeholder stands for itself
        return;
    }
    CXTPControls* pControls = GetControls();

    const HWND hWndActive = reinterpret_cast<HWND>(::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    if (hWndActive)
    {
        const UINT nActiveId = static_cast<UINT>(::GetDlgCtrlID(hWndActive));
        if (nActiveId >= 0x8000 && nActiveId <= 0x802E)
            s_nFirstMDIChild = 0x8000;
        else if (nActiveId >= 1 && nActiveId <= 46)
            s_nFirstMDIChild = 1;
    }

    // Every item's description and tooltip: "description\ntooltip".
    CString strPrompt;
    GetResourceManager()->LoadString(&strPrompt, kWindowItemHelpId);
    int nInsert = GetIndex() + 1;
    int nListed = 0;
    for (UINT nId = s_nFirstMDIChild; nListed < kMaxWindows; ++nId)
    {
        HWND hWndChild = ::GetDlgItem(pFrame->m_hWndMDIClient, static_cast<int>(nId));
        if (!hWndChild)
            break;
        if (!::IsWindowVisible(hWndChild))
            continue;
        char szTitle[256] = {};
        ::GetWindowTextA(hWndChild, szTitle, static_cast<int>(sizeof(szTitle)));
        ++nListed;
        CXTPControl* pItem = pControls->AddByType(xtpControlButton, static_cast<int>(nId), "", nInsert++, TRUE);
        if (!pItem)
            break;
        pItem->SetCaption(FormatNumberedCaption(szTitle, nListed));
        pItem->SetFlags(xtpFlagManualUpdate | (nListed == 1 ? (GetFlags() & xtpFlagWrapRow) : 0));
        pItem->SetBeginGroup(nListed == 1);
        pItem->SetChecked(hWndChild == hWndActive);
        pItem->SetHelpId(kWindowItemHelpId);
        if (!strPrompt.IsEmpty())
        {
            const int nBreak = strPrompt.Find('\n');
            pItem->SetDescription(nBreak < 0 ? strPrompt : strPrompt.Left(nBreak));
            pItem->SetTooltip(nBreak < 0 ? strPrompt : strPrompt.Mid(nBreak + 1));
        }
    }
}
