// Runs one helper entry of the suite on a thread of its own (started through the callback interface).
#pragma once

#include "foundation/DravikString.h"
#include "engine/SuiteCallGuard.h"
#include "engine/UnitTestThreadedExecutor.h"

class CTestCaseExecutionContext;
class CUnitTestHelperExecutor;

// What a helper needs of the executor that started it (CUnitTestExecutor implements it).
class CUnitTestHelperOwner
{
public:
    // Whether the owner's run goes on.
    virtual bool IsOwnerKeepRunning() = 0;
    // A fault of the helper's entry: the owner logs it and fails the helper's test while that test runs,
    // else the run.
    virtual void ReportHelperFault(CUnitTestHelperExecutor* helper, const CSuiteFault& fault) = 0;

protected:
    ~CUnitTestHelperOwner() = default;
};

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

    CUnitTestHelperOwner* m_pExecutor = nullptr;
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
