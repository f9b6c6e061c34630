// CXTPHookManager: lets any number of toolkit objects watch one window's messages. The window is
// subclassed once; each message is offered to the objects from the most recently added to the
// first, and what nobody handles goes on to the window's previous procedure.
#pragma once

#include "framework/Array.h"
#include "framework/Map.h"
#include "framework/Wnd.h"

// Base of every object that watches a window through the hook manager.
class CXTPHookManagerHookAble
{
public:
    CXTPHookManagerHookAble() = default;
    virtual ~CXTPHookManagerHookAble() = default;
    CXTPHookManagerHookAble(const CXTPHookManagerHookAble&) = delete;
    CXTPHookManagerHookAble& operator=(const CXTPHookManagerHookAble&) = delete;

    // 0: not handled, pass on; 1: handled, lResult is the answer and nobody else sees the
    // message; 2: not handled, and the objects added before this one are not asked.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;

    // When set, the hook manager deletes the object when its hook is removed.
    BOOL m_bAutoDestroy = FALSE;
};

class CXTPHookManager
{
public:
    // The objects hooked to one window, in the order added.
    class CHookSink : public CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*>
    {
    public:
        CHookSink(HWND hWnd, WNDPROC pfnPrevious);
        ~CHookSink() override;

        INT_PTR Find(CXTPHookManagerHookAble* pHook) const;
        // Offers the message to the objects, last added first. TRUE when one handled it.
        BOOL OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);
        LRESULT CallPrevious(UINT nMessage, WPARAM wParam, LPARAM lParam) const;

        WNDPROC m_pOldWndProc;
        HWND m_hWnd;
        BOOL m_bUnicode;
        BOOL m_bWindowDestroyed = FALSE;

    private:
        friend class CXTPHookManager;
        int m_nDispatchDepth = 0;     // dispatches of this sink running (nested)
        BOOL m_bRemoved = FALSE;      // out of the map; deleted when the last dispatch returns
        CArray<CXTPHookManagerHookAble*, CXTPHookManagerHookAble*> m_arrDeferredDelete;
    };

    CXTPHookManager();
    ~CXTPHookManager();
    CXTPHookManager(const CXTPHookManager&) = delete;
    CXTPHookManager& operator=(const CXTPHookManager&) = delete;

    void SetHook(HWND hWnd, CXTPHookManagerHookAble* pHook);
    void RemoveHook(HWND hWnd, CXTPHookManagerHookAble* pHook);
    void RemoveAll(CXTPHookManagerHookAble* pHook);
    // Removes every object of one window (its sink).
    void RemoveAll(HWND hWnd);

    // The previous procedure of the window whose message is being handled, called with that
    // message (or the given parameters); 0 when the window has no sink.
    LRESULT Default();
    LRESULT Default(WPARAM wParam, LPARAM lParam);

    CHookSink* Lookup(HWND hWnd) const;
    // Windows whose sink was removed while a later subclasser that did not cooperate still
    // calls the hook procedure: messages pass through to the saved procedure until
    // WM_NCDESTROY.
    BOOL IsPassingThrough(HWND hWnd) const;
    int GetSinkCount() const { return static_cast<int>(m_mapSinks.GetCount()); }

    static UINT GetSinkRemovedMessage();
    static WNDPROC GetHookWndProc();

private:
    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnHookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Takes the sink out of the map and gives the window its procedure back.
    void Unhook(CHookSink* pSink);
    void ReleaseSink(CHookSink* pSink);
    void DeleteHookObject(CHookSink* pSink, CXTPHookManagerHookAble* pHook);

    CMap<HWND, HWND, CHookSink*, CHookSink*> m_mapSinks;
    CMap<HWND, HWND, WNDPROC, WNDPROC> m_mapPassThrough;
};

CXTPHookManager* GetHookManager();
