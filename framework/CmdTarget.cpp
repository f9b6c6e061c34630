#include "framework/CmdTarget.h"

#include "framework/CmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace
{
thread_local int t_waitCursorCount = 0;
thread_local HCURSOR t_cursorBeforeWait = nullptr;

const AFX_MSGMAP_ENTRY g_cmdTargetEntries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
const AFX_MSGMAP g_cmdTargetMap = {nullptr, g_cmdTargetEntries};

const AFX_MSGMAP* BaseOf(const AFX_MSGMAP* pMap)
{
    return pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr;
}
} // namespace

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    return &g_cmdTargetMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage)
{
    for (; pMap; pMap = BaseOf(pMap))
    {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->nSig != AfxSig_end; ++e)
        {
            if (e->pnRegisteredMessage)
            {
                if (*e->pnRegisteredMessage == nMessage && nMessage != 0)
                    return e;
            }
            else if (e->nMessage == nMessage && e->nCode == 0 && e->nID == 0)
                return e;
        }
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindCommandEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode,
                                                     UINT nID)
{
    for (; pMap; pMap = BaseOf(pMap))
    {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->nSig != AfxSig_end; ++e)
        {
            if (e->pnRegisteredMessage || e->nMessage != nMessage)
                continue;
            const bool codeMatches = nCode == CN_UPDATE_COMMAND_UI ? e->nCode == CN_UPDATE_COMMAND_UI
                                                                   : (e->nCode != CN_UPDATE_COMMAND_UI &&
                                                                      LOWORD(e->nCode) == LOWORD(nCode));
            if (codeMatches && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMessage;
    UINT code;
    if (static_cast<UINT>(nCode) == CN_UPDATE_COMMAND_UI)
    {
        nMessage = WM_COMMAND;
        code = CN_UPDATE_COMMAND_UI;
    }
    else
    {
        nMessage = HIWORD(static_cast<UINT>(nCode));
        code = LOWORD(static_cast<UINT>(nCode));
        if (nMessage == 0)
            nMessage = WM_COMMAND;
    }
    const AFX_MSGMAP_ENTRY* e = FindCommandEntry(GetMessageMap(), nMessage, code, nID);
    if (!e)
        return FALSE;
    return DispatchCmdMsg(this, nID, e, pExtra, pHandlerInfo);
}

BOOL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, const AFX_MSGMAP_ENTRY* pEntry, void* pExtra,
                                AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo)
    {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pEntry->pfn;
        return TRUE;
    }
    const AFX_PMSG pfn = pEntry->pfn;
    switch (pEntry->nSig)
    {
    case AfxSig_vv:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSig_bv:
        return (pTarget->*AfxMemberFunctionCast<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSig_vw:
        (pTarget->*AfxMemberFunctionCast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSig_bw:
        return (pTarget->*AfxMemberFunctionCast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSig_cmdui:
    case AfxSig_cmduiw: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (!pCmdUI)
            return FALSE;
        pCmdUI->m_bContinueRouting = FALSE;
        if (pEntry->nSig == AfxSig_cmdui)
            (pTarget->*AfxMemberFunctionCast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        else
            (pTarget->*AfxMemberFunctionCast<void (CCmdTarget::*)(CCmdUI*, UINT)>(pfn))(pCmdUI, nID);
        return !pCmdUI->m_bContinueRouting;
    }
    case AfxSig_notify_v:
    case AfxSig_notify_b:
    case AfxSig_notify_wv:
    case AfxSig_notify_wb: {
        AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        if (!pNotify || !pNotify->pNMHDR || !pNotify->pResult)
            return FALSE;
        NMHDR* nmhdr = pNotify->pNMHDR;
        LRESULT* result = pNotify->pResult;
        switch (pEntry->nSig)
        {
        case AfxSig_notify_v:
            (pTarget->*AfxMemberFunctionCast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(nmhdr, result);
            return TRUE;
        case AfxSig_notify_b:
            return (pTarget->*AfxMemberFunctionCast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(nmhdr,
                                                                                                  result);
        case AfxSig_notify_wv:
            (pTarget->*AfxMemberFunctionCast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, nmhdr,
                                                                                                 result);
            return TRUE;
        default:
            return (pTarget->*AfxMemberFunctionCast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
                nID, nmhdr, result);
        }
    }
    default:
        // A window-message signature in a command entry: nothing sensible to call.
        return FALSE;
    }
}

DWORD CCmdTarget::InternalAddRef()
{
    return static_cast<DWORD>(InterlockedIncrement(&m_dwRef));
}

DWORD CCmdTarget::InternalRelease()
{
    if (m_dwRef <= 0)
        return 0; // already released; a surplus release must not delete twice
    LONG n = InterlockedDecrement(&m_dwRef);
    if (n == 0)
        OnFinalRelease();
    return static_cast<DWORD>(n);
}

DWORD CCmdTarget::ExternalAddRef()
{
    return InternalAddRef();
}

DWORD CCmdTarget::ExternalRelease()
{
    return InternalRelease();
}

LPUNKNOWN CCmdTarget::GetInterface(REFIID)
{
    return nullptr;
}

HRESULT CCmdTarget::ExternalQueryInterface(REFIID iid, LPVOID* ppvObj)
{
    if (!ppvObj)
        return E_POINTER;
    LPUNKNOWN pUnknown = GetInterface(iid);
    *ppvObj = pUnknown;
    if (!pUnknown)
        return E_NOINTERFACE;
    ExternalAddRef();
    return S_OK;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

void CCmdTarget::BeginWaitCursor()
{
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (t_waitCursorCount++ == 0)
        t_cursorBeforeWait = previous;
}

void CCmdTarget::EndWaitCursor()
{
    if (t_waitCursorCount == 0)
        return;
    if (--t_waitCursorCount == 0)
    {
        SetCursor(t_cursorBeforeWait ? t_cursorBeforeWait : LoadCursor(nullptr, IDC_ARROW));
        t_cursorBeforeWait = nullptr;
    }
}

void CCmdTarget::RestoreWaitCursor()
{
    if (t_waitCursorCount > 0)
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
}
