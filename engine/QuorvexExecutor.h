// The application's executor: the engine's executor plus the run notifications to its host (the
// application object, through CUnitTestHost).
#pragma once

#include "engine/UnitTestExecutor.h"

class CUnitTestHost;

class CQuorvexExecutor : public CUnitTestExecutor
{
public:
    CQuorvexExecutor() = default;
    ~CQuorvexExecutor() override;

    void OnTestStarted(CTestCaseExecutionContext* test, long index) override;
    void OnTestFinished(CTestCaseExecutionContext* test, long index) override;
    void OnRunBegun(long selectedCount) override;
    void OnRunEnded() override;

    void SetApp(CUnitTestHost* app) { m_pApp = app; }
    CUnitTestHost* GetApp() const { return m_pApp; }

private:
    CUnitTestHost* m_pApp = nullptr;
};
