// The per-thread state: the current message that Default sends on, the routing frame, and the
// per-thread objects that go with their thread.
#include "framework/FrameWnd.h"
#include "framework/HandleMap.h"
#include "framework/ThreadState.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
// What the window's own (original) procedure received last.
struct RawRecord
{
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int calls = 0;
};
RawRecord g_raw;

const UINT kDefaultMsg = WM_APP + 11;
const UINT kNestedMsg = WM_APP + 12;

LRESULT CALLBACK RawProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDefaultMsg)
    {
        g_raw.message = message;
        g_raw.wParam = wParam;
        g_raw.lParam = lParam;
        ++g_raw.calls;
        return static_cast<LRESULT>(wParam + 1000);
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LPCSTR RawClass()
{
    static ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &RawProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "QvxThreadStateRaw";
        return ::RegisterClassA(&wc);
    }();
    return atom ? "QvxThreadStateRaw" : nullptr;
}

// Handles kDefaultMsg by calling Default, optionally after changing the current message or after
// a nested message to itself.
class CDefaultWnd : public CWnd
{
public:
    WPARAM m_newWParam = 0;
    bool m_change = false;
    bool m_nested = false;

protected:
    afx_msg LRESULT OnDefaultMsg(WPARAM, LPARAM)
    {
        if (m_change)
            AfxGetThreadState()->m_lastSentMsg.wParam = m_newWParam;
        if (m_nested)
            SendMessage(kNestedMsg, 77, 88);
        return Default();
    }
    afx_msg LRESULT OnNestedMsg(WPARAM, LPARAM) { return 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDefaultWnd, CWnd)
ON_MESSAGE(kDefaultMsg, OnDefaultMsg)
ON_MESSAGE(kNestedMsg, OnNestedMsg)
END_MESSAGE_MAP()
} // namespace

TEST(ThreadStateTest, DefaultSendsTheCurrentMessageOn)
{
    ASSERT_NE(RawClass(), nullptr);
    CDefaultWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, RawClass(), "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));

    struct Case
    {
        const char* name;
        bool change;
        bool nested;
        WPARAM sent;
        LPARAM lParam;
        WPARAM expected;
    };
    const Case cases[] = {
        {"as sent", false, false, 5, 6, 5},
        {"current message changed", true, false, 5, 6, 99},
        {"after a nested message", false, true, 7, 8, 7},
        {"changed, then nested", true, true, 7, 8, 99},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        g_raw = RawRecord();
        wnd.m_change = c.change;
        wnd.m_nested = c.nested;
        wnd.m_newWParam = 99;
        LRESULT result = wnd.SendMessage(kDefaultMsg, c.sent, c.lParam);
        EXPECT_EQ(g_raw.calls, 1);
        EXPECT_EQ(g_raw.message, kDefaultMsg);
        EXPECT_EQ(g_raw.wParam, c.expected);
        EXPECT_EQ(g_raw.lParam, c.lParam);
        EXPECT_EQ(result, static_cast<LRESULT>(c.expected + 1000)); // the original procedure's answer
    }
    wnd.DestroyWindow();
}

TEST(ThreadStateTest, CurrentMessageIsRestoredAfterDispatch)
{
    MSG& current = AfxGetThreadState()->m_lastSentMsg;
    current.message = WM_APP + 500;
    current.wParam = 1;
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wnd.SendMessage(WM_NULL, 3, 4);
    EXPECT_EQ(current.message, static_cast<UINT>(WM_APP + 500));
    EXPECT_EQ(current.wParam, 1u);
    EXPECT_EQ(AfxGetThreadCurrentMessage(), &current); // the same record the toolkit's hooks set
    wnd.DestroyWindow();
}

TEST(ThreadStateTest, RoutingFrameIsPushedAndRestored)
{
    CFrameWnd outer, inner;
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    ASSERT_EQ(pState->m_pRoutingFrame, nullptr);
    {
        CPushRoutingFrame pushOuter(&outer);
        EXPECT_EQ(pState->m_pRoutingFrame, &outer);
        EXPECT_EQ(AfxGetRoutingFrame(), &outer);
        {
            CPushRoutingFrame pushInner(&inner);
            EXPECT_EQ(pState->m_pRoutingFrame, &inner);
        }
        EXPECT_EQ(pState->m_pRoutingFrame, &outer);
    }
    EXPECT_EQ(pState->m_pRoutingFrame, nullptr);
    EXPECT_EQ(AfxGetRoutingFrame(), nullptr);
}

namespace
{
class CRoutingFrame : public CFrameWnd
{
public:
    CFrameWnd* m_pSeen = nullptr;
    HWND m_hWndOwnerSeen = nullptr;

protected:
    afx_msg void OnProbe()
    {
        m_pSeen = AfxGetThreadState()->m_pRoutingFrame;
        m_hWndOwnerSeen = CWnd::GetSafeOwner(nullptr)->GetSafeHwnd();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
ON_COMMAND(4711, OnProbe)
END_MESSAGE_MAP()
} // namespace

TEST(ThreadStateTest, FrameRoutesCommandsAsTheRoutingFrameAndOwnsMessageBoxes)
{
    CRoutingFrame frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "routing", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    frame.SendMessage(WM_COMMAND, 4711, 0);
    EXPECT_EQ(frame.m_pSeen, &frame);
    EXPECT_EQ(frame.m_hWndOwnerSeen, frame.m_hWnd);
    EXPECT_EQ(AfxGetThreadState()->m_pRoutingFrame, nullptr);
    {
        // A message box raised for a frame that is not active takes it as its owner.
        CPushRoutingFrame push(&frame);
        EXPECT_EQ(CWnd::GetSafeOwner(nullptr)->GetSafeHwnd(), frame.m_hWnd);
    }
    frame.DestroyWindow();
}

namespace
{
LONG g_made = 0;
LONG g_freed = 0;

struct CCountedObject : CNoTrackObject
{
    CCountedObject() { ::InterlockedIncrement(&g_made); }
    ~CCountedObject() override { ::InterlockedIncrement(&g_freed); }
    DWORD m_threadId = ::GetCurrentThreadId();
};

CThreadLocal<CCountedObject>& CountedSlot()
{
    static CThreadLocal<CCountedObject>* slot = new CThreadLocal<CCountedObject>;
    return *slot;
}

LONG g_tempsMade = 0;
LONG g_tempsFreed = 0;

void* MakeTemp(void* handle)
{
    ::InterlockedIncrement(&g_tempsMade);
    return new int(static_cast<int>(reinterpret_cast<INT_PTR>(handle)));
}

void FreeTemp(void* object)
{
    ::InterlockedIncrement(&g_tempsFreed);
    delete static_cast<int*>(object);
}

CHandleMap& CountingMap()
{
    static CHandleMap* map = new CHandleMap(&MakeTemp, &FreeTemp); // registered for the program
    return *map;
}

// What a worker does: its own per-thread object, thread state and temporary handle objects.
struct WorkerResult
{
    CCountedObject* pObject = nullptr;
    bool sameObjectTwice = false;
    bool ownThread = false;
    AFX_THREAD_STATE* pState = nullptr;
};

void Work(WorkerResult* pResult)
{
    pResult->pObject = CountedSlot().GetData();
    pResult->sameObjectTwice = CountedSlot().GetData() == pResult->pObject;
    pResult->ownThread = pResult->pObject->m_threadId == ::GetCurrentThreadId();
    pResult->pState = AfxGetThreadState();
    CountingMap().FromHandle(reinterpret_cast<void*>(static_cast<INT_PTR>(0x1234)));
    CountingMap().FromHandle(reinterpret_cast<void*>(static_cast<INT_PTR>(0x5678)));
}

DWORD WINAPI WorkerThread(LPVOID pParam)
{
    Work(static_cast<WorkerResult*>(pParam));
    return 0;
}
} // namespace

TEST(ThreadStateTest, PerThreadObjectsOfAWorkerAreFreedWhenItEnds)
{
    enum Start
    {
        createThread,
        runtimeThread
    };
    for (Start start : {createThread, runtimeThread})
    {
        SCOPED_TRACE(start == createThread ? "CreateThread" : "std::thread");
        LONG made = g_made, freed = g_freed, tempsMade = g_tempsMade, tempsFreed = g_tempsFreed;
        WorkerResult result;
        if (start == createThread)
        {
            HANDLE hThread = ::CreateThread(nullptr, 0, &WorkerThread, &result, 0, nullptr);
            ASSERT_NE(hThread, nullptr);
            ASSERT_EQ(::WaitForSingleObject(hThread, 10000), WAIT_OBJECT_0);
            ::CloseHandle(hThread);
        }
        else
        {
            std::thread worker(&Work, &result);
            worker.join();
        }
        EXPECT_TRUE(result.sameObjectTwice);
        EXPECT_TRUE(result.ownThread);
        EXPECT_NE(result.pState, AfxGetThreadState());
        EXPECT_EQ(g_made, made + 1);
        EXPECT_EQ(g_freed, freed + 1);         // the object went with its thread
        EXPECT_EQ(g_tempsMade, tempsMade + 2);
        EXPECT_EQ(g_tempsFreed, tempsFreed + 2); // so did the temporary handle objects
    }
    // This thread's object is another one and stays until deleted.
    LONG freed = g_freed;
    CCountedObject* pMine = CountedSlot().GetData();
    ASSERT_NE(pMine, nullptr);
    EXPECT_EQ(CountedSlot().GetDataNA(), pMine);
    CountedSlot().DeleteData();
    EXPECT_EQ(g_freed, freed + 1);
    EXPECT_EQ(CountedSlot().GetDataNA(), nullptr);
}

TEST(ThreadStateTest, IdleCleanupFreesTemporariesOfThisThreadOnly)
{
    LONG tempsFreed = g_tempsFreed;
    void* first = CountingMap().FromHandle(reinterpret_cast<void*>(static_cast<INT_PTR>(0x42)));
    EXPECT_EQ(CountingMap().FromHandle(reinterpret_cast<void*>(static_cast<INT_PTR>(0x42))), first);
    EXPECT_EQ(CountingMap().LookupTemporary(reinterpret_cast<void*>(static_cast<INT_PTR>(0x42))), first);
    AfxDeleteTempMaps();
    EXPECT_EQ(g_tempsFreed, tempsFreed + 1);
    EXPECT_EQ(CountingMap().LookupTemporary(reinterpret_cast<void*>(static_cast<INT_PTR>(0x42))), nullptr);
}
