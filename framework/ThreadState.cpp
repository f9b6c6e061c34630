#include "framework/ThreadState.h"

#include "framework/ToolTipCtrl.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
// The objects of one thread, by slot number. Reached only through the fiber-local slot (never a
// C++ thread_local), so it is still there when the thread-end callback runs.
struct ThreadData
{
    std::vector<CNoTrackObject*> slots;
};

LONG g_nextSlot = 0;
volatile LONG g_processEnding = 0;

void DeleteThreadData(ThreadData* pData)
{
    // Later kinds may use earlier ones (the thread state is the first): free them first.
    for (size_t i = pData->slots.size(); i-- > 0;)
    {
        CNoTrackObject* pObject = pData->slots[i];
        pData->slots[i] = nullptr;
        try
        {
            delete pObject;
        }
        catch (...)
        {
            OutputDebugStringA("Quorvex framework: exception while freeing a per-thread object\n");
        }
    }
    delete pData;
}

VOID WINAPI ThreadDataCallback(PVOID pValue)
{
    if (!pValue || g_processEnding)
        return; // at program end other static objects may be gone: leave the few objects
    DeleteThreadData(static_cast<ThreadData*>(pValue));
}

DWORD SlotIndex();

void OnProcessEnd()
{
    g_processEnding = 1;
    ::FlsFree(SlotIndex()); // no callback may run into a module that is going away
}

DWORD SlotIndex()
{
    static const DWORD index = [] {
        DWORD i = ::FlsAlloc(&ThreadDataCallback);
        if (i != FLS_OUT_OF_INDEXES)
            std::atexit(&OnProcessEnd);
        return i;
    }();
    return index;
}

ThreadData* CurrentData(bool create)
{
    DWORD index = SlotIndex();
    if (index == FLS_OUT_OF_INDEXES)
    {
        // No fiber-local storage at all: a plain per-thread pointer (not freed at thread end).
        static thread_local ThreadData* t_fallback = nullptr;
        if (!t_fallback && create)
            t_fallback = new ThreadData;
        return t_fallback;
    }
    ThreadData* pData = static_cast<ThreadData*>(::FlsGetValue(index));
    if (!pData && create && !g_processEnding)
    {
        pData = new ThreadData;
        ::FlsSetValue(index, pData);
    }
    return pData;
}

CThreadLocal<AFX_THREAD_STATE>& ThreadStateSlot()
{
    static CThreadLocal<AFX_THREAD_STATE>* slot = new CThreadLocal<AFX_THREAD_STATE>; // lives for the program
    return *slot;
}
} // namespace

CThreadLocalObject::CThreadLocalObject() : m_nSlot(static_cast<int>(::InterlockedIncrement(&g_nextSlot) - 1)) {}

CNoTrackObject* CThreadLocalObject::GetData(CNoTrackObject* (*pfnCreateObject)())
{
    ThreadData* pData = CurrentData(true);
    if (!pData)
        return nullptr;
    size_t slot = static_cast<size_t>(m_nSlot);
    if (pData->slots.size() <= slot)
        pData->slots.resize(slot + 1, nullptr);
    if (!pData->slots[slot])
        pData->slots[slot] = pfnCreateObject();
    return pData->slots[slot];
}

CNoTrackObject* CThreadLocalObject::GetDataNA() const
{
    ThreadData* pData = CurrentData(false);
    size_t slot = static_cast<size_t>(m_nSlot);
    return pData && slot < pData->slots.size() ? pData->slots[slot] : nullptr;
}

void CThreadLocalObject::DeleteData()
{
    ThreadData* pData = CurrentData(false);
    size_t slot = static_cast<size_t>(m_nSlot);
    if (!pData || slot >= pData->slots.size())
        return;
    CNoTrackObject* pObject = pData->slots[slot];
    pData->slots[slot] = nullptr;
    delete pObject;
}

AFX_THREAD_STATE::AFX_THREAD_STATE() = default;

AFX_THREAD_STATE::~AFX_THREAD_STATE()
{
    // The thread's tooltip window belongs to this thread and goes with the state. It is given its
    // own procedure back first, so that its destruction does not reach the framework (whose state
    // this is) while the thread ends.
    if (m_pToolTip)
    {
        HWND hWnd = m_pToolTip->UnsubclassWindow();
        delete m_pToolTip;
        m_pToolTip = nullptr;
        if (hWnd && ::IsWindow(hWnd) && ::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId())
            ::DestroyWindow(hWnd);
    }
}

AFX_THREAD_STATE* AfxGetThreadState()
{
    AFX_THREAD_STATE* pState = ThreadStateSlot().GetData();
    if (!pState)
    {
        // Only when the program is already ending: one state per thread that is never freed.
        static thread_local AFX_THREAD_STATE* t_late = nullptr;
        if (!t_late)
            t_late = new AFX_THREAD_STATE;
        pState = t_late;
    }
    return pState;
}

AFX_THREAD_STATE* AfxGetThreadStateNA()
{
    return ThreadStateSlot().GetDataNA();
}

CFrameWnd* AfxGetRoutingFrame()
{
    AFX_THREAD_STATE* pState = AfxGetThreadStateNA();
    return pState ? pState->m_pRoutingFrame : nullptr;
}

CPushRoutingFrame::CPushRoutingFrame(CFrameWnd* pNewFrame) : m_pThreadState(AfxGetThreadState())
{
    m_pOldRoutingFrame = m_pThreadState->m_pRoutingFrame;
    m_pThreadState->m_pRoutingFrame = pNewFrame;
}

CPushRoutingFrame::~CPushRoutingFrame()
{
    m_pThreadState->m_pRoutingFrame = m_pOldRoutingFrame;
}
