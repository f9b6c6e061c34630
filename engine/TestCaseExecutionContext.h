// The record of one registered test: its name and entry, the times and message counts of its last execution,
// and whether it is selected to run.
#pragma once

#include "foundation/DravikString.h"
#include "engine/SuiteCallGuard.h"
#include "engine/UnitTestRunObserver.h"

class CUnitTestExecutor;

class CTestCaseExecutionContext
{
public:
    CTestCaseExecutionContext();
    virtual ~CTestCaseExecutionContext() = default;

    // Calls the entry on the suite object inside the suite-call guard. False without an entry or suite
    // object, and when the entry threw or faulted (the fault is kept, see GetFault); then the end time stays
    // as it was.
    bool Execute();
    // Back to the state of a new record.
    void Reset();
    // Forgets the outcome of an earlier execution: no errors, warnings or information messages, no fault,
    // no faulted helper.
    // Every selected test starts a run this way.
    void ClearOutcome();
    void SetName(CDravikString name) { m_name = name; }

    // True when the last execution ended by an exception or platform fault rather than by returning.
    bool HasFaulted() const { return m_faulted; }
    const CSuiteFault& GetFault() const { return m_fault; }
    // The messages of the last execution.
    CUnitTestCounts GetCounts() const { return CUnitTestCounts{m_nErrors, m_nWarnings, m_nInformation}; }

    CDravikString m_name;
    void* m_entry;
    long long m_startTime;
    long long m_endTime;
    void* m_pSuite;
    CUnitTestExecutor* m_pExecutor;
    long m_nErrors;
    long m_nWarnings;
    long m_nInformation;
    // Helper threads started during the test that ended with a fault while the test ran (not counted as the
    // test's errors: like the test's own fault, it fails the test without stopping the run).
    long m_nHelperFaults;
    BYTE m_bSelected;

private:
    bool m_faulted = false;
    CSuiteFault m_fault;
};
