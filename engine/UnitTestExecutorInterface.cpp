// The callback interface that suites call: naming, registration, messages, counts and helper threads.
#include "engine/UnitTestExecutor.h"
#include "engine/UnitTestHelperExecutor.h"

namespace
{
CDravikString ToAnsi(const wchar_t* text)
{
    CDravikString converted(text);
    converted.MakeAnsi();
    return converted;
}
} // namespace

void QVX_THISCALL CUnitTestExecutor::SetSuiteNameW(const wchar_t* name)
{
    if (!name)
        return;
    m_strSuiteName = ToAnsi(name);
}

void QVX_THISCALL CUnitTestExecutor::SetSuiteName(const char* name)
{
    if (!name)
        return;
    m_strSuiteName = name;
}

void QVX_THISCALL CUnitTestExecutor::AddTestW(QVX_TEST_ENTRY entry, const wchar_t* name)
{
    if (!entry || !name || !m_hModule)
        return;
    CDravikString converted = ToAnsi(name);
    GetInterface()->AddTest(entry, converted.GetAnsi());
}

void QVX_THISCALL CUnitTestExecutor::AddTest(QVX_TEST_ENTRY entry, const char* name)
{
    if (!entry || !name || !m_hModule)
        return;
    try
    {
        CThreadLockGuard hold(m_testLock);
        CTestCaseExecutionContext* test = new CTestCaseExecutionContext();
        test->m_pExecutor = this;
        test->m_pSuite = m_pSuite;
        test->m_name = name;
        test->m_entry = entry;
        m_tests.push_back(test);
    }
    catch (...)
    {
        // Out of memory: the test is not added (nothing may be thrown back into suite code).
    }
}

bool CUnitTestExecutor::ReportMessage(Message kind, CDravikString text, long line)
{
    try
    {
        CUnitTestLogManager* sink = nullptr;
        {
            // The message lock covers the counts only. The line is written after it is left: the sink's own
            // lock keeps lines whole, and a thread that logs or reads a count does not wait for another
            // thread's console write.
            CThreadLockGuard hold(m_messageLock);
            if (m_pCurrentTest)
            {
                if (kind == Message::Error)
                    ++m_pCurrentTest->m_nErrors;
                else if (kind == Message::Warning)
                    ++m_pCurrentTest->m_nWarnings;
                else
                    ++m_pCurrentTest->m_nInformation;
            }
            else if (kind == Message::Error && m_bRunInProgress)
            {
                // An error outside any test (run setup, teardown) still fails the run.
                ++m_nRunProblems;
            }
            sink = m_pLogManager;
        }
        if (!sink)
            return false;
        if (kind == Message::Error)
            return sink->LogError(text, line);
        if (kind == Message::Warning)
            return sink->LogWarning(text, line);
        return sink->LogInformation(text);
    }
    catch (...)
    {
        return false;
    }
}

bool QVX_THISCALL CUnitTestExecutor::LogErrorW(const wchar_t* text, long line)
{
    return ReportMessage(Message::Error, CDravikString(text), line);
}

bool QVX_THISCALL CUnitTestExecutor::LogError(const char* text, long line)
{
    return ReportMessage(Message::Error, CDravikString(text), line);
}

bool QVX_THISCALL CUnitTestExecutor::LogWarningW(const wchar_t* text, long line)
{
    return ReportMessage(Message::Warning, CDravikString(text), line);
}

bool QVX_THISCALL CUnitTestExecutor::LogWarning(const char* text, long line)
{
    return ReportMessage(Message::Warning, CDravikString(text), line);
}

bool QVX_THISCALL CUnitTestExecutor::LogInformationW(const wchar_t* text)
{
    return ReportMessage(Message::Information, CDravikString(text), -1);
}

bool QVX_THISCALL CUnitTestExecutor::LogInformation(const char* text)
{
    return ReportMessage(Message::Information, CDravikString(text), -1);
}

bool QVX_THISCALL CUnitTestExecutor::IsRunning()
{
    return IsKeepRunning();
}

long QVX_THISCALL CUnitTestExecutor::GetErrorCount()
{
    CThreadLockGuard hold(m_messageLock);
    return m_pCurrentTest ? m_pCurrentTest->m_nErrors : 0;
}

long QVX_THISCALL CUnitTestExecutor::GetWarningCount()
{
    CThreadLockGuard hold(m_messageLock);
    return m_pCurrentTest ? m_pCurrentTest->m_nWarnings : 0;
}

long QVX_THISCALL CUnitTestExecutor::GetInformationCount()
{
    CThreadLockGuard hold(m_messageLock);
    return m_pCurrentTest ? m_pCurrentTest->m_nInformation : 0;
}

// ---------------------------------------------------------------------------------------------- helpers

CUnitTestHelperExecutor* CUnitTestExecutor::FindHelper(long id, size_t* index)
{
    for (size_t i = 0; i < m_helpers.size(); ++i)
        if (m_helpers[i]->m_nId == id)
        {
            if (index)
                *index = i;
            return m_helpers[i];
        }
    return nullptr;
}

long QVX_THISCALL CUnitTestExecutor::StartHelperThread(QVX_HELPER_ENTRY entry, void* context)
{
    if (!entry || !context || !m_hModule)
        return -1;
    CUnitTestHelperExecutor* helper = nullptr;
    try
    {
        helper = new CUnitTestHelperExecutor();
    }
    catch (...)
    {
        return -1;
    }
    {
        // A helper started while a test runs belongs to that test: its fault fails the test.
        CThreadLockGuard hold(m_messageLock);
        helper->m_pOwnerTest = m_pOpenTest;
    }
    long id;
    {
        CThreadLockGuard hold(m_helperLock);
        helper->m_pExecutor = this;
        helper->m_pSuite = m_pSuite;
        helper->m_entry = entry;
        helper->m_pContext = context;
        id = m_nNextHelperId;
        helper->m_nId = id;
        // The context's second pointer-sized field receives the id.
        reinterpret_cast<INT_PTR*>(context)[1] = static_cast<INT_PTR>(id);
        try
        {
            m_helpers.push_back(helper);
        }
        catch (...)
        {
            delete helper;
            return -1;
        }
        ++m_nNextHelperId;
    }
    if (!helper->Start())
    {
        CThreadLockGuard hold(m_helperLock);
        size_t index = 0;
        if (FindHelper(id, &index))
            m_helpers.erase(m_helpers.begin() + static_cast<long>(index));
        delete helper;
        return -1;
    }
    return id;
}

bool QVX_THISCALL CUnitTestExecutor::StopHelperThread(long id)
{
    CThreadLockGuard hold(m_helperLock);
    CUnitTestHelperExecutor* helper = FindHelper(id);
    if (!helper)
        return false;
    helper->SetKeepRunning(false);
    return true;
}

bool QVX_THISCALL CUnitTestExecutor::WaitForHelperThread(long id)
{
    CUnitTestHelperExecutor* helper;
    {
        CThreadLockGuard hold(m_helperLock);
        helper = FindHelper(id);
    }
    if (!helper)
        return false;
    // Waited for outside the helper lock: the helper itself may ask for its keep-running flag meanwhile.
    bool result = helper->WaitWithMessagePump();
    {
        CThreadLockGuard hold(m_helperLock);
        size_t index = 0;
        if (FindHelper(id, &index) == helper)
            m_helpers.erase(m_helpers.begin() + static_cast<long>(index));
        else
            helper = nullptr; // someone else removed it
    }
    delete helper;
    return result;
}

bool QVX_THISCALL CUnitTestExecutor::IsHelperKeepRunning(long id)
{
    CThreadLockGuard hold(m_helperLock);
    CUnitTestHelperExecutor* helper = FindHelper(id);
    return helper && helper->IsKeepRunning();
}

void* QVX_THISCALL CUnitTestExecutor::GetFirstHelperContext()
{
    CThreadLockGuard hold(m_helperLock);
    CUnitTestHelperExecutor* helper = m_helperIteration.First(m_helpers);
    return helper ? helper->m_pContext : nullptr;
}

void* QVX_THISCALL CUnitTestExecutor::GetNextHelperContext()
{
    CThreadLockGuard hold(m_helperLock);
    CUnitTestHelperExecutor* helper = m_helperIteration.Next(m_helpers);
    return helper ? helper->m_pContext : nullptr;
}

bool QVX_THISCALL CUnitTestExecutor::EndHelperIteration()
{
    CThreadLockGuard hold(m_helperLock);
    return m_helperIteration.End();
}

void* QVX_THISCALL CUnitTestExecutor::GetHelperContext(long id)
{
    CThreadLockGuard hold(m_helperLock);
    CUnitTestHelperExecutor* helper = FindHelper(id);
    return helper ? helper->m_pContext : nullptr;
}
