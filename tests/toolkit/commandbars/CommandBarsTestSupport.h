// Helpers of the command-bar tests: plain test windows that record what reaches their own
// procedure, and hook objects that record what they are offered.
#pragma once

#include "toolkit/commandbars/managers/XTPHookManager.h"
#include "tests/common/MessagePump.h"

#include <functional>
#include <vector>
#include <windows.h>

namespace cb_test
{
// A top-level popup window whose procedure records every message it gets.
class RecordingWindow
{
public:
    explicit RecordingWindow(DWORD dwStyle = WS_POPUP | WS_VISIBLE, RECT rc = RECT{100, 100, 300, 200},
                             HWND hWndParent = nullptr, DWORD dwExStyle = 0);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    int Count(UINT message) const;
    void Clear()
    {
        m_messages.clear();
        m_withParams.clear();
        m_moves.clear();
        m_log.clear();
    }
    void Destroy();

    std::vector<UINT> m_messages;
    std::vector<std::pair<UINT, WPARAM>> m_withParams;
    std::vector<MSG> m_moves; // WM_MOUSEMOVE with its parameters
    LRESULT m_nAnswer = 0; // what the window answers to the test message
    HWND m_hWnd = nullptr;
    // Every message with both parameters, and a filter that may answer one itself (TRUE: the
    // result in the LRESULT goes back, the default procedure is not called).
    std::vector<MSG> m_log;
    std::function<BOOL(const MSG&, LRESULT&)> m_filter;

    static const UINT kTestMessage = WM_APP + 0x21;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// A hook object that records the messages it is offered and answers as told.
class RecordingHook : public CXTPHookManagerHookAble
{
public:
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    std::vector<UINT> m_messages;
    std::vector<int>* m_pOrder = nullptr; // shared log of which hook saw the test message
    int m_nTag = 0;
    int m_nAnswer = 0;          // for the test message
    LRESULT m_lResult = 0;      // result when answering 1
    std::function<void()> m_onTestMessage;
    int Count(UINT message) const;
};
} // namespace cb_test
