#include "engine/UnitTestHelperExecutor.h"

#include "foundation/TimeUtilities.h"

CUnitTestHelperExecutor::CUnitTestHelperExecutor()
{
    m_startTime = GetCurrentFileTime();
    m_endTime = m_startTime;
}

CUnitTestHelperExecutor::~CUnitTestHelperExecutor()
{
    Stop();
}

bool CUnitTestHelperExecutor::Run()
{
    if (!m_pExecutor || !m_pSuite || !m_entry)
        return false;
    m_startTime = GetCurrentFileTime();
    CSuiteFault fault;
    if (!CSuiteCallGuard::CallHelperEntry(m_entry, m_pSuite, m_pContext, &fault))
    {
        m_pExecutor->ReportHelperFault(this, fault);
        return false;
    }
    m_endTime = GetCurrentFileTime();
    return true;
}

bool CUnitTestHelperExecutor::IsKeepRunning()
{
    if (!CUnitTestThreadedExecutor::IsKeepRunning())
        return false;
    return !m_pExecutor || m_pExecutor->IsOwnerKeepRunning();
}
