#include "engine/TestCaseExecutionContext.h"

#include "foundation/TimeUtilities.h"

CTestCaseExecutionContext::CTestCaseExecutionContext()
{
    Reset();
}

void CTestCaseExecutionContext::Reset()
{
    m_name = "";
    m_entry = nullptr;
    m_startTime = GetCurrentFileTime();
    m_endTime = m_startTime;
    m_pSuite = nullptr;
    m_pExecutor = nullptr;
    m_bSelected = 1;
    ClearOutcome();
}

void CTestCaseExecutionContext::ClearOutcome()
{
    m_nErrors = 0;
    m_nWarnings = 0;
    m_nInformation = 0;
    m_nHelperFaults = 0;
    m_faulted = false;
    m_fault = CSuiteFault();
}

bool CTestCaseExecutionContext::Execute()
{
    if (!m_entry || !m_pSuite)
        return false;
    m_faulted = false;
    m_fault = CSuiteFault();
    m_startTime = GetCurrentFileTime();
    if (!CSuiteCallGuard::CallTestEntry(m_entry, m_pSuite, &m_fault))
    {
        m_faulted = true;
        return false;
    }
    m_endTime = GetCurrentFileTime();
    return true;
}
