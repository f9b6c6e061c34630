#include "ui/MainDialogRunObserver.h"

#include "ui/QuorvexDlg.h"
#include "ui/UiMessageIds.h"

namespace
{
// Posts the message unless one posted earlier still waits; the flag is cleared by the reader (or here when
// the post fails, so that a later notification tries again).
void PostOnce(HWND window, UINT message, long index, std::atomic<bool>& posted)
{
    if (!window || posted.exchange(true))
        return;
    if (!::PostMessageA(window, message, 0, index))
        posted = false;
}
} // namespace

void CMainDialogRunObserver::Attach(CQuorvexDlg* dialog, HWND window)
{
    m_dialog = dialog;
    m_window = window;
    TakeTestStarted();
    TakeTestFinished();
}

void CMainDialogRunObserver::Detach()
{
    m_window = nullptr;
    m_dialog = nullptr;
}

void CMainDialogRunObserver::OnTestStarted(long index)
{
    m_latestStarted = index;
    PostOnce(m_window.load(), WM_QVX_TEST_STARTED, index, m_startedPosted);
}

void CMainDialogRunObserver::OnTestFinished(long index, const CUnitTestCounts&)
{
    m_latestFinished = index;
    PostOnce(m_window.load(), WM_QVX_TEST_FINISHED, index, m_finishedPosted);
}

void CMainDialogRunObserver::OnRunEnded()
{
    // The dialog's run-ended operation only touches its timer and posts.
    if (CQuorvexDlg* dialog = m_dialog.load())
        dialog->OnRunEnded();
}

void CMainDialogRunObserver::OnLogUpdated()
{
    if (HWND window = m_window.load())
        ::PostMessageA(window, WM_QVX_LOG_UPDATED, 0, 0);
}

long CMainDialogRunObserver::TakeTestStarted()
{
    m_startedPosted = false;
    return m_latestStarted.load();
}

long CMainDialogRunObserver::TakeTestFinished()
{
    m_finishedPosted = false;
    return m_latestFinished.load();
}
