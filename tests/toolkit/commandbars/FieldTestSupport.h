// Helpers of the field tests (edit fields and the kinds built on them): a window that records the
// controls' notifications and commands as a bar's owner, and a system query whose clock and timers
// the test drives.
#pragma once

#include "ToolBarSupport.h"

#include "framework/Wnd.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"

#include <deque>
#include <set>
#include <vector>

namespace field_test
{
// One record the owner window received: a control notification (code, id, the spin step of spin
// notifications) or a WM_COMMAND (code 0, id the command).
struct Notice
{
    UINT message;
    int nCode;
    int nId;
    int nDelta;
};

// A hidden window that stands as a bar's owner and logs XTP_WM_CONTROL_NOTIFY and WM_COMMAND.
// Codes in m_handled are answered with 1 (the site handled them).
class NotifyRecorder : public CWnd
{
public:
    BOOL CreateRecorder();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The notification codes received, in order (WM_COMMAND logged as -1).
    std::vector<int> Codes() const;
    int Count(int nCode) const;
    // The spin steps of the spin notifications, in order.
    std::vector<int> SpinDeltas() const;

    std::vector<Notice> m_log;
    std::set<int> m_handled;
};

// Ticks from a script (each GetTickCount takes the next value; the last one repeats) and the
// timers set through the seam (they are set for real too).
class ScriptedClock : public CXTPCommandBarsSystemQuery
{
public:
    explicit ScriptedClock(std::deque<DWORD> ticks);
    ~ScriptedClock() override;
    DWORD GetTickCount() override;
    UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse) override;

    struct TimerCall
    {
        UINT_PTR nIDEvent;
        UINT uElapse;
    };
    std::vector<TimerCall> m_timers;
    std::deque<DWORD> m_ticks;
    DWORD m_dwLast = 0;

private:
    CXTPCommandBarsSystemQuery* m_pOld;
};

// A docking manager on a recording frame with one toolbar for fields: the toolbar's owner is a
// NotifyRecorder.
class FieldOnFrame : public tb_test::DockingOnFrame
{
protected:
    void SetUp() override;
    void TearDown() override;
    // A toolbar with one button (100) and a control of a type, laid out; null when not made.
    CXTPControl* AddField(int nType, int nId, int nPosition = xtpBarTop);
    // The frame becomes the active window with the focus.
    void Activate();
    void PostToBar(UINT message, WPARAM wParam, CPoint pt);

    NotifyRecorder recorder;
    CXTPToolBar* pBar = nullptr;
};

// Dispatches what is queued for the thread.
void PumpMessages();
// The text a field's window shows (empty without a window).
CString WindowText(CWnd* pWnd);
// Reads a whole file as text (empty when missing).
std::string ReadFileText(const char* pszPath);
} // namespace field_test
