// The log sink interface through which every line of a run's log passes, and the base of the concrete sinks.
#pragma once

#include "foundation/DravikString.h"
#include "foundation/ThreadLock.h"
#include "engine/UnitTestRunObserver.h"

#include <windows.h>

class CUnitTestHost;

// Sink interface. The defaults do nothing; text arguments are taken by value (each sink gets its own copy).
class CUnitTestLogManager
{
public:
    virtual ~CUnitTestLogManager() {}
    virtual void LogRunBegin(const char* suiteName, long selectedCount) {}
    virtual void LogRunEnd(const char* suiteName) {}
    virtual bool LogTestBegin(CDravikString testName, long index) { return false; }
    // The test's end with the messages it reported.
    virtual bool LogTestEnd(CDravikString testName, const CUnitTestCounts& counts) { return false; }
    // line -1: no line number.
    virtual bool LogError(CDravikString text, long line) { return true; }
    virtual bool LogWarning(CDravikString text, long line) { return true; }
    virtual bool LogInformation(CDravikString text) { return false; }
    virtual bool WriteText(CDravikString& text) { return false; }
    // The file handle the sink writes its lines to, for the process-end watch's last line (written with
    // nothing but the system when the process ends during a run); null for a sink that writes to no file.
    virtual HANDLE GetRawOutput() { return nullptr; }
};

// Base of the concrete sinks: the application (the engine's host) and the sink lock that serialises every
// operation.
class CUnitTestBaseLogManager : public CUnitTestLogManager
{
public:
    CUnitTestBaseLogManager() = default;
    // Removes what the sink has shown (the dialog's sink clears its results); false here.
    virtual bool Clear() { return false; }

    void SetApp(CUnitTestHost* app) { m_pApp = app; }
    CUnitTestHost* GetApp() const { return m_pApp; }
    CThreadLock& GetSinkLock() { return m_sinkLock; }

protected:
    CUnitTestHost* m_pApp = nullptr;
    CThreadLock m_sinkLock;
};
