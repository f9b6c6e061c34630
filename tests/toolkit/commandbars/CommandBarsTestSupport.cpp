#include "CommandBarsTestSupport.h"

#include <algorithm>

namespace cb_test
{
namespace
{
const char* RecordingClass()
{
    static const char* name = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "QvxCbRecordingWindow";
        RegisterClassA(&wc);
        return "QvxCbRecordingWindow";
    }();
    return name;
}
} // namespace

RecordingWindow::RecordingWindow(DWORD dwStyle, RECT rc, HWND hWndParent, DWORD dwExStyle)
{
    m_hWnd = CreateWindowExA(dwExStyle, RecordingClass(), "recording", dwStyle, rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top, hWndParent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc));
}

RecordingWindow::~RecordingWindow()
{
    Destroy();
}

void RecordingWindow::Destroy()
{
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

int RecordingWindow::Count(UINT message) const
{
    return static_cast<int>(std::count(m_messages.begin(), m_messages.end(), message));
}

LRESULT CALLBACK RecordingWindow::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordingWindow* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (self)
    {
        self->m_messages.push_back(message);
        self->m_withParams.emplace_back(message, wParam);
        MSG logged = {};
        logged.hwnd = hWnd;
        logged.message = message;
        logged.wParam = wParam;
        logged.lParam = lParam;
        if (message == WM_MOUSEMOVE)
            self->m_moves.push_back(logged);
        self->m_log.push_back(logged);
        LRESULT lFiltered = 0;
        if (self->m_filter && self->m_filter(logged, lFiltered))
            return lFiltered;
        if (message == kTestMessage)
            return self->m_nAnswer;
        if (message == WM_NCDESTROY)
            self->m_hWnd = nullptr;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

int RecordingHook::OnHookMessage(HWND /*hWnd*/, UINT nMessage, WPARAM& /*wParam*/, LPARAM& /*lParam*/,
                                 LRESULT& lResult)
{
    m_messages.push_back(nMessage);
    if (nMessage != RecordingWindow::kTestMessage)
        return 0;
    if (m_pOrder)
        m_pOrder->push_back(m_nTag);
    if (m_onTestMessage)
        m_onTestMessage();
    if (m_nAnswer == 1)
        lResult = m_lResult;
    return m_nAnswer;
}

int RecordingHook::Count(UINT message) const
{
    return static_cast<int>(std::count(m_messages.begin(), m_messages.end(), message));
}
} // namespace cb_test
