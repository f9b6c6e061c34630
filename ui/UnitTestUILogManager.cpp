#include "UnitTestUILogManager.h"

#include "QuorvexApp.h"
#include "ResultsResource.h"
#include "UnitTestLogDisplay.h"

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

CUnitTestUILogManager::CUnitTestUILogManager() : m_pTree(nullptr), m_treeThreadId(0)
{
    m_errorFormat.LoadString(IDS_TREE_ERROR);
    m_errorLineFormat.LoadString(IDS_TREE_ERROR_LINE);
    m_warningFormat.LoadString(IDS_TREE_WARNING_LINE);
}

CUnitTestUILogManager::~CUnitTestUILogManager() = default;

bool CUnitTestUILogManager::IsTreeThread() const
{
    return m_treeThreadId != 0 && m_treeThreadId == GetCurrentThreadId();
}

void CUnitTestUILogManager::SetTree(CUnitTestLogDisplay* tree)
{
    CSinkHold hold(*this);
    m_pTree = tree;
    DWORD owner = 0;
    if (tree && tree->GetSafeHwnd())
        owner = GetWindowThreadProcessId(tree->GetSafeHwnd(), nullptr);
    // A tree whose window comes later is used from the thread that hands it over.
    m_treeThreadId = tree ? (owner ? owner : GetCurrentThreadId()) : 0;
}

void CUnitTestUILogManager::LogRunBegin(const char*, long)
{
    CSinkHold hold(*this);
}

void CUnitTestUILogManager::LogRunEnd(const char*)
{
    CSinkHold hold(*this);
    if (m_pTree && m_pTree->GetSafeHwnd())
        InvalidateRect(m_pTree->GetSafeHwnd(), nullptr, TRUE);
}

bool CUnitTestUILogManager::LogTestBegin(CDravikString testName, long index)
{
    CSinkHold hold(*this);
    if (!m_pTree)
        return false;
    return m_pTree->AddTest(testName, index);
}

bool CUnitTestUILogManager::LogTestEnd(CDravikString)
{
    CSinkHold hold(*this);
    if (!m_pTree)
        return false;
    CQuorvexExecutor* executor = m_pApp ? m_pApp->GetExecutor() : nullptr;
    CTestCaseExecutionContext* test = executor ? executor->m_pCurrentTest : nullptr;
    if (test && test->m_nErrors == 0 && test->m_nWarnings == 0)
        m_pTree->CollapseCurrentTest();
    return m_pTree->EndTest();
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
            m_pApp->m_bErrorsReported = 1;
    }
    if (m_pTree)
    {
        CDravikString entry;
        if (line == -1)
            entry.FormatFromString(&m_errorFormat, text.GetAnsi());
        else
            entry.FormatFromString(&m_errorLineFormat, line, text.GetAnsi());
        result = m_pTree->AddError(entry);
    }
    NotifyLogUpdated();
    return result;
}

bool CUnitTestUILogManager::LogWarning(CDravikString text, long line)
{
    CSinkHold hold(*this);
    text.MakeAnsi();
    bool result = CUnitTestBaseLogManager::LogWarning(text, line);
    if (m_pTree)
    {
        CDravikString entry;
        entry.FormatFromString(&m_warningFormat, line, text.GetAnsi());
        result = m_pTree->AddWarning(entry);
        NotifyLogUpdated();
    }
    return result;
}

bool CUnitTestUILogManager::LogInformation(CDravikString text)
{
    CSinkHold hold(*this);
    text.MakeAnsi();
    bool result = CUnitTestBaseLogManager::LogInformation(text);
    if (m_pTree)
    {
        result = m_pTree->AddInformation(text);
        NotifyLogUpdated();
    }
    return result;
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
    return m_pTree->ClearResults();
}

void CUnitTestUILogManager::NotifyLogUpdated()
{
    if (m_pApp)
        m_pApp->OnLogUpdated();
}
