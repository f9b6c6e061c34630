// The application's executor: the engine's executor plus the application's run notifications.
#pragma once

#include "engine/UnitTestExecutor.h"

class CQuorvexApp;

class CQuorvexExecutor : public CUnitTestExecutor
{
public:
    CQuorvexExecutor() = default;
    ~CQuorvexExecutor() override;

    void OnTestStarted(CTestCaseExecutionContext* test, long index) override;
    void OnTestFinished(CTestCaseExecutionContext* test, long index) override;
    void OnRunBegun(long selectedCount) override;
    void OnRunEnded() override;

    void SetApp(CQuorvexApp* app) { m_pApp = app; }
    CQuorvexApp* GetApp() const { return m_pApp; }

private:
    CQuorvexApp* m_pApp = nullptr;
};
