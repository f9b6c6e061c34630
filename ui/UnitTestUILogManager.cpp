#include "ui/UnitTestUILogManager.h"

#include "engine/UnitTestHost.h"
#include "ui/UiResourceIds.h"
#include "foundation/TimeUtilities.h"
#include "ui/UnitTestLogDisplay.h"

namespace
{
const char kWakeWindowClass[] = "QuorvexResultsSinkWake";
// How often a slice looks at the clock (records).
const size_t kClockStride = 64;
} // namespace

CUnitTestUILogManager::CSinkHold::CSinkHold(CUnitTestUILogManager& sink) : m_sink(sink)
{
    m_sink.m_gate.Lock(m_sink.IsTreeThread());
    m_sink.m_sinkLock.Lock();
}

CUnitTestUILogManager::CSinkHold::~CSinkHold()
{
    m_sink.m_sinkLock.Unlock();
    m_sink.m_gate.Unlock();
}

CUnitTestUILogManager::CUnitTestUILogManager()
    : m_pTree(nullptr), m_treeThreadId(0), m_wakeArmed(false), m_nDeliverIndex(0), m_hWake(nullptr),
      m_bYieldedToPaint(false)
{
    InitializeCriticalSection(&m_queueLock);
    m_errorFormat.LoadString(IDS_TREE_ERROR);
    m_errorLineFormat.LoadString(IDS_TREE_ERROR_LINE);
    m_warningFormat.LoadString(IDS_TREE_WARNING_LINE);
}

CUnitTestUILogManager::~CUnitTestUILogManager()
{
    SetTree(nullptr);
    DestroyWakeWindow();
    DeleteCriticalSection(&m_queueLock);
}

bool CUnitTestUILogManager::IsTreeThread() const
{
    return m_treeThreadId != 0 && m_treeThreadId == GetCurrentThreadId();
}

// ---------------------------------------------------------------------------------------------
// The tree and its thread

void CUnitTestUILogManager::SetTree(CUnitTestLogDisplay* tree)
{
    CSinkHold hold(*this);
    if (m_pTree && IsTreeThread())
        DiscardPending();
    else
    {
        EnterCriticalSection(&m_queueLock);
        m_pending.RemoveAll();
        m_wakeArmed = false;
        LeaveCriticalSection(&m_queueLock);
    }
    if (m_pTree && m_pTree != tree)
        m_pTree->SetRegroupInSteps(false);
    m_pTree = tree;
    // Fed in time slices, the tree also spreads a long regrouping over the messages that follow.
    if (tree)
        tree->SetRegroupInSteps(true);
    if (!tree)
    {
        m_treeThreadId = 0;
        DestroyWakeWindow();
        return;
    }
    // The tree is used on the thread that hands it over (the thread that owns its window).
    if (m_hWake && GetWindowThreadProcessId(m_hWake, nullptr) != GetCurrentThreadId())
        DestroyWakeWindow();
    m_treeThreadId = GetCurrentThreadId();
    CreateWakeWindow();
}

bool CUnitTestUILogManager::CreateWakeWindow()
{
    if (m_hWake)
        return true;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WakeWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWakeWindowClass;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    m_hWake =
        CreateWindowExA(0, kWakeWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!m_hWake)
        return false;
    SetWindowLongPtrA(m_hWake, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void CUnitTestUILogManager::DestroyWakeWindow()
{
    if (!m_hWake)
        return;
    // A window of another thread cannot be destroyed from here: it forgets the sink and goes with its thread.
    SetWindowLongPtrA(m_hWake, GWLP_USERDATA, 0);
    if (GetWindowThreadProcessId(m_hWake, nullptr) == GetCurrentThreadId())
        DestroyWindow(m_hWake);
    m_hWake = nullptr;
}

LRESULT CALLBACK CUnitTestUILogManager::WakeWindowProc(HWND window, UINT message, WPARAM wParam,
                                                       LPARAM lParam)
{
    CUnitTestUILogManager* sink =
        reinterpret_cast<CUnitTestUILogManager*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == kDeliverMessage || (message == WM_TIMER && wParam == kDeliverTimer))
    {
        if (message == WM_TIMER)
            KillTimer(window, kDeliverTimer);
        if (sink)
        {
            try
            {
                sink->OnWake();
            }
            catch (...)
            {
                // Out of memory while showing: what is left is shown with the next wake-up.
            }
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Waiting records

bool CUnitTestUILogManager::Enqueue(int kind, long number, const char* text, bool stamped)
{
    if (!m_pTree)
        return false;
    char stamp[sizeof(CPendingResults::Record::stamp)] = "";
    if (stamped)
        FormatCurrentTimestamp(stamp, sizeof(stamp));
    bool wake = false;
    EnterCriticalSection(&m_queueLock);
    const bool added = m_pending.Add(kind, number, text, stamped ? stamp : nullptr);
    if (added && !m_wakeArmed)
    {
        m_wakeArmed = true;
        wake = true;
    }
    LeaveCriticalSection(&m_queueLock);
    if (wake && !(m_hWake && PostMessageA(m_hWake, kDeliverMessage, 0, 0)))
    {
        // Nobody will come for the records: the next log call tries again.
        EnterCriticalSection(&m_queueLock);
        m_wakeArmed = false;
        LeaveCriticalSection(&m_queueLock);
    }
    return added;
}

bool CUnitTestUILogManager::Apply(const CPendingResults::Record& record, const char* text)
{
    if (!m_pTree)
        return false;
    const char* stamp = record.stamp[0] ? record.stamp : nullptr;
    switch (record.kind)
    {
    case CPendingResults::KindTestBegin:
        return m_pTree->AddTest(CDravikString(text), record.number);
    case CPendingResults::KindTestEnd:
        // Decided here, where the tree's sets are known: a test is folded only when no error or warning line
        // stands under it, whoever logged it (the engine logs a thrown or faulted test's error line itself,
        // without counting it against the test).
        if (m_pTree->IsCurrentTestClean())
            m_pTree->CollapseCurrentTest();
        return m_pTree->EndTest();
    case CPendingResults::KindError:
        return m_pTree->AddError(CDravikString(text), stamp);
    case CPendingResults::KindWarning:
        return m_pTree->AddWarning(CDravikString(text), stamp);
    case CPendingResults::KindInformation:
        return m_pTree->AddInformation(CDravikString(text), stamp);
    case CPendingResults::KindRunEnd:
        if (m_pTree->GetSafeHwnd())
            InvalidateRect(m_pTree->GetSafeHwnd(), nullptr, TRUE);
        return true;
    case CPendingResults::KindClear:
        return m_pTree->ClearResults();
    default:
        return false;
    }
}

bool CUnitTestUILogManager::Deliver(DWORD budget, long* messages)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        if (m_nDeliverIndex >= m_delivering.GetCount())
        {
            m_delivering.RemoveAll();
            m_nDeliverIndex = 0;
            EnterCriticalSection(&m_queueLock);
            m_pending.Swap(m_delivering);
            if (m_delivering.IsEmpty())
                m_wakeArmed = false;
            LeaveCriticalSection(&m_queueLock);
            if (m_delivering.IsEmpty())
                return true;
        }
        const CPendingResults::Record& record = m_delivering.Get(m_nDeliverIndex++);
        Apply(record, m_delivering.GetText(record));
        if (CPendingResults::IsMessage(record.kind))
            ++*messages;
        if (budget && m_nDeliverIndex % kClockStride == 0 && GetTickCount() - start >= budget)
            return false;
        // The tree catches up between slices, not within one.
        if (budget && m_pTree && m_pTree->IsCatchUpDue())
            return false;
    }
}

void CUnitTestUILogManager::OnWake()
{
    // The tree's paint goes first when one waits, so that it is not done inside the slice. Once only: a
    // paint that keeps coming back does not hold the records back.
    if (!m_bYieldedToPaint && m_hWake && m_pTree && m_pTree->IsPaintWaiting() &&
        SetTimer(m_hWake, kDeliverTimer, USER_TIMER_MINIMUM, nullptr))
    {
        m_bYieldedToPaint = true;
        return;
    }
    m_bYieldedToPaint = false;
    long messages = 0;
    const bool done = Deliver(kDeliverSliceMilliseconds, &messages);
    if (messages)
        NotifyLogUpdated();
    // A slice ends early when the tree is due to catch up; it does so after the slice, and a paint that
    // this asks for goes before the next one.
    if (m_pTree)
        m_pTree->CatchUp();
    if (done || !m_hWake)
        return;
    // More waits. When input, painting or a timer is due, the next slice comes after them.
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER)) != 0 ||
        !PostMessageA(m_hWake, kDeliverMessage, 0, 0))
        SetTimer(m_hWake, kDeliverTimer, USER_TIMER_MINIMUM, nullptr);
}

bool CUnitTestUILogManager::HasPending()
{
    EnterCriticalSection(&m_queueLock);
    const bool waiting = !m_pending.IsEmpty();
    LeaveCriticalSection(&m_queueLock);
    return waiting || m_nDeliverIndex < m_delivering.GetCount();
}

void CUnitTestUILogManager::DeliverPending()
{
    if (!IsTreeThread())
        return;
    long messages = 0;
    Deliver(0, &messages);
    if (messages)
        NotifyLogUpdated();
}

void CUnitTestUILogManager::DiscardPending()
{
    EnterCriticalSection(&m_queueLock);
    m_pending.RemoveAll();
    m_wakeArmed = false;
    LeaveCriticalSection(&m_queueLock);
    m_delivering.RemoveAll();
    m_nDeliverIndex = 0;
    if (m_hWake)
        KillTimer(m_hWake, kDeliverTimer);
}

// ---------------------------------------------------------------------------------------------
// Log calls

void CUnitTestUILogManager::LogRunBegin(const char*, long)
{
    CSinkHold hold(*this);
}

void CUnitTestUILogManager::LogRunEnd(const char*)
{
    CSinkHold hold(*this);
    if (!m_pTree)
        return;
    if (!IsTreeThread())
    {
        Enqueue(CPendingResults::KindRunEnd, 0, nullptr, false);
        return;
    }
    DeliverPending();
    Apply(CPendingResults::Record{CPendingResults::KindRunEnd, 0, 0, ""}, "");
}

bool CUnitTestUILogManager::LogTestBegin(CDravikString testName, long index)
{
    CSinkHold hold(*this);
    if (!m_pTree)
        return false;
    testName.MakeAnsi();
    if (testName.IsEmpty())
        return false;
    if (!IsTreeThread())
        return Enqueue(CPendingResults::KindTestBegin, index, testName.GetAnsi(), false);
    DeliverPending();
    return m_pTree->AddTest(testName, index);
}

bool CUnitTestUILogManager::LogTestEnd(CDravikString, const CUnitTestCounts&)
{
    CSinkHold hold(*this);
    if (!m_pTree)
        return false;
    if (!IsTreeThread())
        return Enqueue(CPendingResults::KindTestEnd, 0, nullptr, false);
    DeliverPending();
    return Apply(CPendingResults::Record{CPendingResults::KindTestEnd, 0, 0, ""}, "");
}

bool CUnitTestUILogManager::LogError(CDravikString text, long line)
{
    CSinkHold hold(*this);
    text.MakeAnsi();
    bool result = CUnitTestBaseLogManager::LogError(text, line);
    {
        // Nested: the flag is part of what the sink's lock serialises.
        CThreadLockGuard nested(m_sinkLock);
        if (m_pApp)
            m_pApp->MarkErrorsReported();
    }
    if (!m_pTree)
    {
        NotifyLogUpdated();
        return result;
    }
    CDravikString entry;
    if (line == -1)
        entry.FormatFromString(&m_errorFormat, text.GetAnsi());
    else
        entry.FormatFromString(&m_errorLineFormat, line, text.GetAnsi());
    return ShowMessage(CPendingResults::KindError, entry);
}

bool CUnitTestUILogManager::LogWarning(CDravikString text, long line)
{
    CSinkHold hold(*this);
    text.MakeAnsi();
    bool result = CUnitTestBaseLogManager::LogWarning(text, line);
    if (!m_pTree)
        return result;
    CDravikString entry;
    entry.FormatFromString(&m_warningFormat, line, text.GetAnsi());
    return ShowMessage(CPendingResults::KindWarning, entry);
}

bool CUnitTestUILogManager::LogInformation(CDravikString text)
{
    CSinkHold hold(*this);
    text.MakeAnsi();
    bool result = CUnitTestBaseLogManager::LogInformation(text);
    if (!m_pTree)
        return result;
    return ShowMessage(CPendingResults::KindInformation, text);
}

bool CUnitTestUILogManager::ShowMessage(int kind, CDravikString& line)
{
    if (line.IsEmpty())
        return false;
    if (!IsTreeThread())
        return Enqueue(kind, 0, line.GetAnsi(), true);
    DeliverPending();
    CPendingResults::Record record = {kind, 0, 0, ""};
    const bool shown = Apply(record, line.GetAnsi());
    NotifyLogUpdated();
    return shown;
}

bool CUnitTestUILogManager::WriteText(CDravikString&)
{
    CSinkHold hold(*this);
    return false;
}

bool CUnitTestUILogManager::Clear()
{
    CSinkHold hold(*this);
    if (!m_pTree)
        return false;
    if (!IsTreeThread())
        return Enqueue(CPendingResults::KindClear, 0, nullptr, false);
    DiscardPending();
    return m_pTree->ClearResults();
}

void CUnitTestUILogManager::NotifyLogUpdated()
{
    if (m_pApp)
        m_pApp->OnLogUpdated();
}
