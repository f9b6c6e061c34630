#include "engine/QuorvexExecutor.h"

#include "engine/UnitTestHost.h"

CQuorvexExecutor::~CQuorvexExecutor()
{
    // Unload while the overrides are still this class's: a run that ends now notifies the application.
    UnloadSuite();
}

void CQuorvexExecutor::OnTestStarted(CTestCaseExecutionContext* test, long index)
{
    CUnitTestExecutor::OnTestStarted(test, index);
    if (m_pApp)
        m_pApp->OnTestStarted(index);
}

void CQuorvexExecutor::OnTestFinished(CTestCaseExecutionContext* test, long index)
{
    CUnitTestExecutor::OnTestFinished(test, index);
    if (m_pApp)
        m_pApp->OnTestFinished(index, test ? test->GetCounts() : CUnitTestCounts());
}

void CQuorvexExecutor::OnRunBegun(long selectedCount)
{
    if (m_pApp)
        m_pApp->OnRunBegun(selectedCount);
}

void CQuorvexExecutor::OnRunEnded()
{
    if (m_pApp)
        m_pApp->OnRunEnded();
}
