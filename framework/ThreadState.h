// The framework's per-thread state and per-thread objects.
//
// AFX_THREAD_STATE holds what the framework keeps for each thread: the message being dispatched
// (CWnd::Default sends it again to the original procedure), the routing frame (the frame that
// command routing and owner-less message boxes stand for) and the thread's tooltip for windows
// that enabled tooltips. CThreadLocal<T> gives each thread its own T, made on first use.
//
// Every per-thread object is freed when its thread ends, whoever started the thread (the C++
// runtime, CreateThread, a suite's helper): they hang off one fiber-local slot whose callback
// runs on the ending thread. Objects left when the program itself ends are not freed then (other
// static objects they might use may be gone already).
#pragma once

#include <windows.h>

#include <commctrl.h>

class CFrameWnd;
class CToolTipCtrl;
class CWnd;

// Base of objects that the framework keeps per thread and deletes at thread end.
class CNoTrackObject
{
public:
    CNoTrackObject() = default;
    virtual ~CNoTrackObject() = default;
    CNoTrackObject(const CNoTrackObject&) = delete;
    CNoTrackObject& operator=(const CNoTrackObject&) = delete;
};

// One slot number per kind of per-thread object; the value lives per thread.
class CThreadLocalObject
{
public:
    CThreadLocalObject();
    CThreadLocalObject(const CThreadLocalObject&) = delete;
    CThreadLocalObject& operator=(const CThreadLocalObject&) = delete;

    // The calling thread's object of this slot, made by pfnCreateObject on first use.
    CNoTrackObject* GetData(CNoTrackObject* (*pfnCreateObject)());
    // The calling thread's object, or null when it has none yet.
    CNoTrackObject* GetDataNA() const;
    // Deletes the calling thread's object of this slot now (the next GetData makes a new one).
    void DeleteData();

private:
    int m_nSlot;
};

template <class TYPE> class CThreadLocal : public CThreadLocalObject
{
public:
    TYPE* GetData() { return static_cast<TYPE*>(CThreadLocalObject::GetData(&CreateObject)); }
    TYPE* GetDataNA() const { return static_cast<TYPE*>(CThreadLocalObject::GetDataNA()); }
    TYPE* operator->() { return GetData(); }
    operator TYPE*() { return GetData(); }

private:
    static CNoTrackObject* CreateObject() { return new TYPE; }
};

// Everything the framework keeps for one thread.
class AFX_THREAD_STATE : public CNoTrackObject
{
public:
    AFX_THREAD_STATE();
    ~AFX_THREAD_STATE() override;

    // The message the innermost framework window procedure (or a hook chain that set it) is
    // processing. CWnd::Default passes its message, wParam and lParam to the original procedure.
    MSG m_lastSentMsg = {};
    // The frame command routing currently runs for (CPushRoutingFrame); message boxes without
    // an owner are owned by it.
    CFrameWnd* m_pRoutingFrame = nullptr;

    // Tooltips of windows that called EnableToolTips: one tooltip window per thread, and the
    // tool the cursor was over last (the window asked, its answer, the tool added for it).
    CToolTipCtrl* m_pToolTip = nullptr;
    HWND m_hWndLastHit = nullptr;
    INT_PTR m_nLastHit = -1;
    TOOLINFOA m_lastInfo = {};
};

// The calling thread's state, made on first use; never null.
AFX_THREAD_STATE* AfxGetThreadState();
// The calling thread's state when it has one, else null (never makes one).
AFX_THREAD_STATE* AfxGetThreadStateNA();

// The calling thread's routing frame, or null.
CFrameWnd* AfxGetRoutingFrame();

// Makes a frame the routing frame for its lifetime and puts the previous one back afterwards.
class CPushRoutingFrame
{
public:
    explicit CPushRoutingFrame(CFrameWnd* pNewFrame);
    ~CPushRoutingFrame();
    CPushRoutingFrame(const CPushRoutingFrame&) = delete;
    CPushRoutingFrame& operator=(const CPushRoutingFrame&) = delete;

private:
    CFrameWnd* m_pOldRoutingFrame;
    AFX_THREAD_STATE* m_pThreadState;
};
