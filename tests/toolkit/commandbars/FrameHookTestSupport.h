// Helpers of the frame hook tests: a frame whose own procedure logs what reaches it, a frame paint
// manager that records each drawing, a paint manager that carries it, and a system query with fixed
// composition, taskbar and window-manager answers.
#pragma once

#include "framework/FrameWnd.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsFrameHook.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/commandbars/paint/XTPFramePaintManager.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"

#include <gtest/gtest.h>

#include <vector>

namespace frame_test
{
struct LoggedMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD dwStyle; // the window's style when the message arrived
};

// A top-level frame. Its own procedure (the one the hook passes messages on to) logs every
// message; it answers WM_NCHITTEST with m_nHitAnswer when that is set, and keeps system commands,
// the system-menu message 0x313 and non-client clicks to itself (so that nothing closes, moves or
// opens a menu loop).
class LoggingFrame : public CFrameWnd
{
public:
    BOOL CreateFrame(DWORD dwStyle = WS_OVERLAPPEDWINDOW, DWORD dwExStyle = 0);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int Count(UINT message) const;
    const LoggedMessage* Last(UINT message) const;
    // A point in window coordinates as a screen point packed for a non-client message.
    LPARAM ScreenLParam(CPoint ptWindow) const;
    // A point in window coordinates as client coordinates packed for WM_MOUSEMOVE.
    LPARAM ClientLParam(CPoint ptWindow) const;

    std::vector<LoggedMessage> m_log;
    BOOL m_bFixedHit = FALSE;
    LRESULT m_nHitAnswer = HTNOWHERE;
};

// The last message a spy placed after the frame hook saw (the one the hook is handling).
extern UINT g_nSpiedMessage;

// Sees every message of the window before the frame hook does and passes it on.
class MessageSpy : public CXTPHookManagerHookAble
{
public:
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    int Count(UINT nMessage) const;

    std::vector<UINT> m_messages;
};

// What one drawing of the frame saw.
struct FrameDrawing
{
    UINT nMessage; // the message being handled (see MessageSpy), 0 without a spy
    int nHotId;    // the hot caption button's command, 0 for none
    BOOL bPressed; // the press flag
    BOOL bActive;
};

class RecordingFramePaintManager : public CXTPFramePaintManager
{
public:
    using CXTPFramePaintManager::CXTPFramePaintManager;
    void DrawFrame(CDC* pDC, CXTPCommandBarsFrameHook* pFrameHook) override;

    std::vector<FrameDrawing> m_drawings;
};

// The default theme with a recording frame paint manager; counts its metrics refreshes.
class FrameTheme : public CXTPDefaultTheme
{
public:
    FrameTheme();
    void RefreshMetrics() override;
    RecordingFramePaintManager* Frame() const { return static_cast<RecordingFramePaintManager*>(m_pFramePaintManager); }

    int m_nRefreshes = 0;
};

// Composition, the taskbar's auto-hide state and the frame extensions, installed for its lifetime.
class FrameSystemQuery : public CXTPCommandBarsSystemQuery
{
public:
    FrameSystemQuery();
    ~FrameSystemQuery() override;
    BOOL IsCompositionEnabled() override { return m_bComposition; }
    BOOL IsTaskbarAutoHide() override { return m_bAutoHide; }
    HRESULT ExtendFrameIntoClientArea(HWND hWnd, int cxLeft, int cxRight, int cyTop, int cyBottom) override;

    BOOL m_bComposition = FALSE;
    BOOL m_bAutoHide = FALSE;
    std::vector<RECT> m_extensions; // left, top, right, bottom margins in that order

private:
    CXTPCommandBarsSystemQuery* m_pOld;
};

// A logging frame with a manager that has a frame theme and the frame hook attached.
class FrameHookTest : public ::testing::Test
{
protected:
    void TearDown() override;
    // Makes the frame and the manager (not attached yet).
    void MakeFrame(DWORD dwStyle = WS_OVERLAPPEDWINDOW, DWORD dwExStyle = 0);
    void Attach();
    CXTPControl* Button(int nCommand) const;
    CPoint Centre(int nCommand) const { return Button(nCommand)->GetRect().CenterPoint(); }
    LRESULT HitTest(CPoint ptWindow) { return frame.SendMessage(WM_NCHITTEST, 0, frame.ScreenLParam(ptWindow)); }

    FrameSystemQuery query;
    LoggingFrame frame;
    CXTPCommandBars* bars = nullptr;
    FrameTheme* theme = nullptr;
    CXTPCommandBarsFrameHook* hook = nullptr;
};

// Pumps the thread's messages for about nMilliseconds.
void PumpFor(DWORD nMilliseconds);
} // namespace frame_test
