#include "toolkit/commandbars/managers/XTPHookManager.h"

#include <cstdio>
#include <memory>

namespace
{
WNDPROC GetWndProc(HWND hWnd, BOOL bUnicode)
{
    return reinterpret_cast<WNDPROC>(bUnicode ? GetWindowLongPtrW(hWnd, GWLP_WNDPROC)
                                              : GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

void SetWndProc(HWND hWnd, BOOL bUnicode, WNDPROC pfn)
{
    if (bUnicode)
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfn));
    else
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfn));
}

LRESULT CallProc(WNDPROC pfn, BOOL bUnicode, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!pfn)
        return bUnicode ? DefWindowProcW(hWnd, message, wParam, lParam) : DefWindowProcA(hWnd, message, wParam, lParam);
    return bUnicode ? CallWindowProcW(pfn, hWnd, message, wParam, lParam)
                    : CallWindowProcA(pfn, hWnd, message, wParam, lParam);
}

// Restores the thread's current message when a dispatch ends, also by an exception.
class CurrentMessageScope
{
public:
    CurrentMessageScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
        : m_pCurrent(AfxGetThreadCurrentMessage()), m_saved(*m_pCurrent)
    {
        m_pCurrent->hwnd = hWnd;
        m_pCurrent->message = message;
        m_pCurrent->wParam = wParam;
        m_pCurrent->lParam = lParam;
    }
    ~CurrentMessageScope() { *m_pCurrent = m_saved; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

private:
    MSG* m_pCurrent;
    MSG m_saved;
};

std::unique_ptr<CXTPHookManager>& HookManagerInstance()
{
    static std::unique_ptr<CXTPHookManager> instance; // destroyed at exit
    return instance;
}
} // namespace

// ---------------------------------------------------------------- sink

CXTPHookManager::CHookSink::CHookSink(HWND hWnd, WNDPROC pfnPrevious)
    : m_pOldWndProc(pfnPrevious), m_hWnd(hWnd), m_bUnicode(IsWindowUnicode(hWnd))
{
}

CXTPHookManager::CHookSink::~CHookSink()
{
    for (INT_PTR i = GetSize() - 1; i >= 0; --i)
    {
        CXTPHookManagerHookAble* pHook = GetAt(i);
        if (pHook->m_bAutoDestroy)
            delete pHook;
    }
    for (INT_PTR i = 0; i < m_arrDeferredDelete.GetSize(); ++i)
        delete m_arrDeferredDelete[i];
}

INT_PTR CXTPHookManager::CHookSink::Find(CXTPHookManagerHookAble* pHook) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (GetAt(i) == pHook)
            return i;
    }
    return -1;
}

BOOL CXTPHookManager::CHookSink::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                               LRESULT& lResult)
{
    // An object may remove itself (or others) while it is asked: walk a snapshot and skip the
    // objects that left in the meantime.
    CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> snapshot;
    snapshot.Copy(*this);
    for (INT_PTR i = snapshot.GetSize() - 1; i >= 0; --i)
    {
        CXTPHookManagerHookAble* pHook = snapshot[i];
        if (Find(pHook) < 0)
            continue;
        int nResult = pHook->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
        if (nResult == 1)
            return TRUE;
        if (nResult == 2)
            break;
    }
    return FALSE;
}

LRESULT CXTPHookManager::CHookSink::CallPrevious(UINT nMessage, WPARAM wParam, LPARAM lParam) const
{
    return CallProc(m_pOldWndProc, m_bUnicode, m_hWnd, nMessage, wParam, lParam);
}

// ---------------------------------------------------------------- manager

CXTPHookManager::CXTPHookManager()
{
    GetSinkRemovedMessage();
}

CXTPHookManager::~CXTPHookManager()
{
    POSITION pos = m_mapSinks.GetStartPosition();
    while (pos)
    {
        HWND hWnd = nullptr;
        CHookSink* pSink = nullptr;
        m_mapSinks.GetNextAssoc(pos, hWnd, pSink);
        if (IsWindow(hWnd) && GetWndProc(hWnd, pSink->m_bUnicode) == &HookWndProc)
            SetWndProc(hWnd, pSink->m_bUnicode, pSink->m_pOldWndProc);
        delete pSink;
    }
    m_mapSinks.RemoveAll();
}

UINT CXTPHookManager::GetSinkRemovedMessage()
{
    static const UINT nMessage = RegisterWindowMessageA("WM_HOOKMANAGER_SINKREMOVED");
    return nMessage;
}

WNDPROC CXTPHookManager::GetHookWndProc()
{
    return &HookWndProc;
}

CXTPHookManager::CHookSink* CXTPHookManager::Lookup(HWND hWnd) const
{
    CHookSink* pSink = nullptr;
    if (!m_mapSinks.Lookup(hWnd, pSink))
        return nullptr;
    return pSink;
}

BOOL CXTPHookManager::IsPassingThrough(HWND hWnd) const
{
    WNDPROC pfn = nullptr;
    return m_mapPassThrough.Lookup(hWnd, pfn);
}

void CXTPHookManager::SetHook(HWND hWnd, CXTPHookManagerHookAble* pHook)
{
    if (!hWnd || !pHook || !IsWindow(hWnd))
        return;
    CHookSink* pSink = Lookup(hWnd);
    if (!pSink)
    {
        WNDPROC pfnPassThrough = nullptr;
        if (m_mapPassThrough.Lookup(hWnd, pfnPassThrough))
        {
            // Our procedure is still in the window's chain below a later subclasser: take the
            // window up again where it is, without subclassing it twice.
            m_mapPassThrough.RemoveKey(hWnd);
            pSink = new CHookSink(hWnd, pfnPassThrough);
        }
        else
        {
            BOOL bUnicode = IsWindowUnicode(hWnd);
            pSink = new CHookSink(hWnd, GetWndProc(hWnd, bUnicode));
            SetWndProc(hWnd, bUnicode, &HookWndProc);
        }
        m_mapSinks.SetAt(hWnd, pSink);
    }
    if (pSink->Find(pHook) < 0)
        pSink->Add(pHook);
}

void CXTPHookManager::DeleteHookObject(CHookSink* pSink, CXTPHookManagerHookAble* pHook)
{
    if (pSink->m_nDispatchDepth > 0)
        pSink->m_arrDeferredDelete.Add(pHook); // the object may still be running
    else
        delete pHook;
}

void CXTPHookManager::RemoveHook(HWND hWnd, CXTPHookManagerHookAble* pHook)
{
    CHookSink* pSink = Lookup(hWnd);
    if (!pSink)
        return;
    INT_PTR nIndex = pSink->Find(pHook);
    if (nIndex < 0)
        return;
    pSink->RemoveAt(nIndex);
    if (pHook->m_bAutoDestroy)
        DeleteHookObject(pSink, pHook);
    if (pSink->GetSize() == 0)
    {
        Unhook(pSink);
        ReleaseSink(pSink);
    }
}

void CXTPHookManager::RemoveAll(CXTPHookManagerHookAble* pHook)
{
    CArray<HWND, HWND> windows;
    POSITION pos = m_mapSinks.GetStartPosition();
    while (pos)
    {
        HWND hWnd = nullptr;
        CHookSink* pSink = nullptr;
        m_mapSinks.GetNextAssoc(pos, hWnd, pSink);
        if (pSink->Find(pHook) >= 0)
            windows.Add(hWnd);
    }
    for (INT_PTR i = 0; i < windows.GetSize(); ++i)
        RemoveHook(windows[i], pHook);
}

void CXTPHookManager::RemoveAll(HWND hWnd)
{
    CHookSink* pSink = Lookup(hWnd);
    while (pSink && pSink->GetSize() > 0)
    {
        RemoveHook(hWnd, pSink->GetAt(pSink->GetSize() - 1));
        pSink = Lookup(hWnd);
    }
}

void CXTPHookManager::Unhook(CHookSink* pSink)
{
    m_mapSinks.RemoveKey(pSink->m_hWnd);
    pSink->m_bRemoved = TRUE;
    HWND hWnd = pSink->m_hWnd;
    if (!IsWindow(hWnd))
        return;
    if (GetWndProc(hWnd, pSink->m_bUnicode) == &HookWndProc)
    {
        // Nobody subclassed the window after us: give it its procedure back.
        SetWndProc(hWnd, pSink->m_bUnicode, pSink->m_pOldWndProc);
        return;
    }
    if (pSink->m_bWindowDestroyed)
        return;
    // A later subclasser calls our procedure. Until it says that it took over the saved
    // procedure, messages that still come to us pass straight through to it; setting
    // GWL_WNDPROC here would cut the later subclasser out of the chain.
    m_mapPassThrough.SetAt(hWnd, pSink->m_pOldWndProc);
    LRESULT lTaken = pSink->m_bUnicode
                         ? SendMessageW(hWnd, GetSinkRemovedMessage(), reinterpret_cast<WPARAM>(&HookWndProc),
                                        reinterpret_cast<LPARAM>(pSink->m_pOldWndProc))
                         : SendMessageA(hWnd, GetSinkRemovedMessage(), reinterpret_cast<WPARAM>(&HookWndProc),
                                        reinterpret_cast<LPARAM>(pSink->m_pOldWndProc));
    if (lTaken != 0)
        m_mapPassThrough.RemoveKey(hWnd);
}

void CXTPHookManager::ReleaseSink(CHookSink* pSink)
{
    if (pSink->m_nDispatchDepth == 0)
        delete pSink;
}

LRESULT CXTPHookManager::Default()
{
    const MSG* pMsg = AfxGetThreadCurrentMessage();
    return Default(pMsg->wParam, pMsg->lParam);
}

LRESULT CXTPHookManager::Default(WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = AfxGetThreadCurrentMessage();
    CHookSink* pSink = Lookup(pMsg->hwnd);
    if (!pSink)
        return 0;
    return pSink->CallPrevious(pMsg->message, wParam, lParam);
}

LRESULT CALLBACK CXTPHookManager::HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try
    {
        return GetHookManager()->OnHookWndProc(hWnd, message, wParam, lParam);
    }
    catch (...)
    {
        OutputDebugStringA("Quorvex toolkit: exception stopped at the hook manager's window procedure\n");
        return 0;
    }
}

LRESULT CXTPHookManager::OnHookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CurrentMessageScope scope(hWnd, message, wParam, lParam);

    CHookSink* pSink = Lookup(hWnd);
    if (!pSink)
    {
        // The sink left while a later subclasser still calls us: pass everything through.
        BOOL bUnicode = IsWindowUnicode(hWnd);
        WNDPROC pfn = nullptr;
        if (m_mapPassThrough.Lookup(hWnd, pfn) && message == WM_NCDESTROY)
            m_mapPassThrough.RemoveKey(hWnd);
        return CallProc(pfn, bUnicode, hWnd, message, wParam, lParam);
    }

    // The sink stays alive until the outermost dispatch over it returns, whatever its objects
    // remove meanwhile.
    struct DepthGuard
    {
        CXTPHookManager* pManager;
        CHookSink* pSink;
        ~DepthGuard()
        {
            if (--pSink->m_nDispatchDepth > 0)
                return;
            CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> deferred;
            deferred.Copy(pSink->m_arrDeferredDelete);
            pSink->m_arrDeferredDelete.RemoveAll();
            if (pSink->m_bRemoved)
                delete pSink;
            for (INT_PTR i = 0; i < deferred.GetSize(); ++i)
                delete deferred[i];
        }
    };
    ++pSink->m_nDispatchDepth;
    DepthGuard guard{this, pSink};

    if (message == WM_NCDESTROY)
    {
        pSink->m_bWindowDestroyed = TRUE;
        Unhook(pSink);
        return pSink->CallPrevious(message, wParam, lParam);
    }
    if (message == GetSinkRemovedMessage() && reinterpret_cast<WNDPROC>(wParam) == pSink->m_pOldWndProc)
    {
        // A hook chain below us left the window: call what it called from now on.
        pSink->m_pOldWndProc = reinterpret_cast<WNDPROC>(lParam);
        return 1;
    }
    LRESULT lResult = 0;
    if (pSink->OnHookMessage(hWnd, message, wParam, lParam, lResult))
        return lResult;
    return pSink->CallPrevious(message, wParam, lParam);
}

CXTPHookManager* GetHookManager()
{
    std::unique_ptr<CXTPHookManager>& instance = HookManagerInstance();
    if (!instance)
        instance.reset(new CXTPHookManager());
    return instance.get();
}
