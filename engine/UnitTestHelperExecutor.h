// Runs one helper entry of the suite on a thread of its own (started through the callback interface).
#pragma once

#include "foundation/DravikString.h"
#include "engine/UnitTestThreadedExecutor.h"

class CTestCaseExecutionContext;
class CUnitTestExecutor;

class CUnitTestHelperExecutor : public CUnitTestThreadedExecutor
{
public:
    CUnitTestHelperExecutor();
    ~CUnitTestHelperExecutor() override;

    // Calls the entry with the context object inside the suite-call guard; a fault is reported to the
    // executor (it fails the helper's test while that test runs). False without an executor, suite object or
    // entry.
    bool Run() override;
    // The helper's own flag, and false once the executor's run has been told to stop.
    bool IsKeepRunning() override;

    CUnitTestExecutor* m_pExecutor = nullptr;
    // The test that was running when the helper was started (null outside a test); only compared with the
    // running test, never used once that test has ended.
    CTestCaseExecutionContext* m_pOwnerTest = nullptr;
    void* m_pSuite = nullptr;
    void* m_entry = nullptr;
    void* m_pContext = nullptr;
    long m_nId = -1;
    long long m_startTime;
    long long m_endTime;
    CDravikString m_name;
};
