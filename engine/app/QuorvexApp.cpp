#include "engine/app/QuorvexApp.h"

#include "engine/app/CommandLineParser.h"
#include "engine/EngineResourceIds.h"
#include "engine/ExitCodes.h"
#include "engine/ModuleMachine.h"
#include "engine/UnitTestCommandLineLogManager.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <io.h>

CQuorvexApp::CQuorvexApp() : CWinApp(nullptr)
{
    try
    {
        m_pExecutor = new CQuorvexExecutor();
        m_pExecutor->SetApp(this);
    }
    catch (...)
    {
        m_pExecutor = nullptr;
    }
}

CQuorvexApp::~CQuorvexApp()
{
    m_testNames.clear();
    delete m_pExecutor;
    m_pExecutor = nullptr;
    delete m_pLogManager;
    m_pLogManager = nullptr;
}

void CQuorvexApp::SetLogManager(CUnitTestBaseLogManager* logManager)
{
    if (m_pLogManager == logManager)
        return;
    if (m_pExecutor)
        m_pExecutor->SetLogManager(logManager);
    delete m_pLogManager;
    m_pLogManager = logManager;
    if (m_pLogManager)
        m_pLogManager->SetApp(this);
    OnLogManagerChanged(m_pLogManager);
}

void CQuorvexApp::SetExecutor(CQuorvexExecutor* executor)
{
    if (m_pExecutor == executor)
        return;
    delete m_pExecutor;
    m_pExecutor = executor;
    if (m_pExecutor)
    {
        m_pExecutor->SetApp(this);
        m_pExecutor->SetLogManager(m_pLogManager);
    }
}

void CQuorvexApp::SetCommandLine(const char* commandLine)
{
    m_strCommandLine = commandLine ? commandLine : "";
    m_bCommandLineSet = true;
}

bool CQuorvexApp::EvaluateCommandLine()
{
    m_bCommandLineMode = 0;
    if (!m_pExecutor)
        return false;
    CCommandLineParser parser;
    CDravikString line = m_bCommandLineSet ? m_strCommandLine : CDravikString(m_lpCmdLine ? m_lpCmdLine : "");
    parser.Parse(line);
    CCommandLineParserCommandEntry* first = parser.GetCommand(0);
    if (first)
    {
        CDravikString cmd;
        if (!cmd.LoadString(IDS_COMMAND_CMD))
            cmd = "cmd";
        if (first->m_strName.CompareNoCase(cmd) == 0)
            m_bCommandLineMode = 1;
    }
    bool first_token = true;
    for (CCommandLineParserEntry* entry = parser.FirstEntry(); entry; entry = parser.NextEntry())
    {
        if (entry->m_bIsCommand)
            continue;
        if (first_token)
        {
            SetSuitePath(entry->m_strText);
            first_token = false;
        }
        else
        {
            m_testNames.push_back(entry->m_strText);
        }
    }
    parser.EndEntryIteration();
    return !GetSuitePath().IsEmpty();
}

void CQuorvexApp::SetSuitePath(CDravikString path)
{
    if (m_pExecutor)
        m_pExecutor->SetSuitePath(path);
}

CDravikString CQuorvexApp::GetSuitePath() const
{
    return m_pExecutor ? m_pExecutor->GetSuitePath() : CDravikString();
}

int CQuorvexApp::LoadTestSuite(CDravikString path)
{
    if (!m_pExecutor)
        return QVX_LOAD_NO_EXECUTOR;
    m_pExecutor->SetSuitePath(path);
    return m_pExecutor->LoadSuite();
}

bool CQuorvexApp::UnloadTestSuite()
{
    if (!m_pExecutor)
        return false;
    m_pExecutor->UnloadSuite();
    m_pExecutor->SetSuitePath(CDravikString(""));
    return true;
}

bool CQuorvexApp::SelectNamedTests()
{
    if (!m_pExecutor)
        return false;
    if (m_testNames.empty())
        return false;
    m_unmatchedNames.clear();
    CThreadLockGuard hold(m_pExecutor->GetTestLock());
    m_pExecutor->SelectAllTests(false);
    for (CDravikString& name : m_testNames)
    {
        bool matched = false;
        for (CTestCaseExecutionContext* test = m_pExecutor->FirstTest(); test; test = m_pExecutor->NextTest())
        {
            if (test->m_name.CompareNoCase(name) == 0)
            {
                test->m_bSelected = 1;
                matched = true;
                break;
            }
        }
        m_pExecutor->EndTestIteration();
        // A name that matches no test selects nothing; it is remembered (once) so that it can be reported.
        bool known = false;
        for (const CDravikString& unmatched : m_unmatchedNames)
            if (CDravikString(unmatched).CompareNoCase(name) == 0)
                known = true;
        if (!matched && !known)
            m_unmatchedNames.push_back(name);
    }
    m_pExecutor->CountSelectedTests();
    m_testNames.clear();
    return true;
}

void CQuorvexApp::OnRunBegun(long selectedCount)
{
    if (CUnitTestRunObserver* observer = GetRunObserver())
        observer->OnRunBegun(selectedCount);
}

void CQuorvexApp::OnTestStarted(long index)
{
    if (CUnitTestRunObserver* observer = GetRunObserver())
        observer->OnTestStarted(index);
}

void CQuorvexApp::OnTestFinished(long index, const CUnitTestCounts& counts)
{
    if (CUnitTestRunObserver* observer = GetRunObserver())
        observer->OnTestFinished(index, counts);
}

void CQuorvexApp::OnRunEnded()
{
    if (CUnitTestRunObserver* observer = GetRunObserver())
        observer->OnRunEnded();
}

void CQuorvexApp::OnLogUpdated()
{
    if (CUnitTestRunObserver* observer = GetRunObserver())
        observer->OnLogUpdated();
}

CDravikString CQuorvexApp::GetDataFolder()
{
    char folder[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder)))
        return CDravikString();
    CDravikString result(folder);
    result.EnsureTrailingBackslash();
    result += "Quorvex\\";
    return result;
}

UINT CQuorvexApp::GetLoadFailureStringId(int result, LoadMessageForm form)
{
    // One row per load result: the console's line and the dialog's text.
    struct Row
    {
        int result;
        UINT console;
        UINT dialog;
    };
    static const Row kRows[] = {
        {QVX_LOAD_MISSING, IDS_LOAD_MISSING, IDS_DLG_LOAD_MISSING},
        {QVX_LOAD_INVALID, IDS_LOAD_INVALID, IDS_DLG_LOAD_INVALID},
        {QVX_LOAD_DEPENDENCIES, IDS_LOAD_DEPENDENCIES, IDS_LOAD_DEPENDENCIES},
        {QVX_LOAD_WRONG_VERSION, IDS_LOAD_WRONG_VERSION, IDS_DLG_LOAD_WRONG_VERSION},
        {QVX_LOAD_WRONG_ARCHITECTURE, IDS_LOAD_WRONG_ARCHITECTURE, IDS_DLG_LOAD_WRONG_ARCHITECTURE},
    };
    const Row unexpected = {QVX_LOAD_UNEXPECTED, IDS_LOAD_UNEXPECTED, IDS_DLG_LOAD_UNEXPECTED};
    const Row* row = &unexpected;
    for (const Row& candidate : kRows)
        if (candidate.result == result)
            row = &candidate;
    return form == LoadMessageForm::Dialog ? row->dialog : row->console;
}

CDravikString CQuorvexApp::FormatLoadFailure(int result, const CDravikString& path, WORD suiteMachine,
                                             LoadMessageForm form)
{
    const int id = static_cast<int>(GetLoadFailureStringId(result, form));
    CDravikString format;
    CDravikString text;
    CDravikString name(path);
    // Every format takes the path first; the architecture's also takes the suite's machine, the harness's
    // machine and the harness's machine by its short name (the others ignore them).
    char suite[48], harness[48], harnessName[48];
    DescribeMachine(suiteMachine, suite, sizeof(suite));
    DescribeMachine(GetHarnessMachine(), harness, sizeof(harness));
    GetMachineName(GetHarnessMachine(), harnessName, sizeof(harnessName));
    if (!format.LoadString(id) || !text.FormatFromString(&format, name.GetAnsi(), suite, harness, harnessName))
        text.Format("The test DLL '%s' could not be loaded (result %d).\n", name.GetAnsi(), result);
    return text;
}

CDravikString CQuorvexApp::FormatUnmatchedNames(const std::vector<CDravikString>& names)
{
    CDravikString text;
    if (names.empty())
        return text;
    CDravikString list;
    for (const CDravikString& name : names)
    {
        CDravikString quoted(name);
        if (!list.IsEmpty())
            list += ", ";
        list += "'";
        list += quoted;
        list += "'";
    }
    CDravikString format;
    if (!format.LoadString(names.size() == 1 ? IDS_NO_TEST_NAMED : IDS_NO_TESTS_NAMED) ||
        !text.FormatFromString(&format, list.GetAnsi()))
        text.Format("No test named %s in the suite.", list.GetAnsi());
    return text;
}

void CQuorvexApp::AttachParentConsole()
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD type = (out && out != INVALID_HANDLE_VALUE) ? GetFileType(out) : FILE_TYPE_UNKNOWN;
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE || type == FILE_TYPE_CHAR)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    FILE* stream = nullptr;
    if (freopen_s(&stream, "CONOUT$", "w", stdout) != 0)
        return;
    freopen_s(&stream, "CONOUT$", "w", stderr);
    // Start on a fresh line after the prompt that the shell has already printed.
    std::fputs("\n", stdout);
}

int CQuorvexApp::RunCommandLine()
{
    if (!m_pExecutor || !m_pLogManager)
        return QVX_EXIT_LOAD_FAILED;
    int result = m_pExecutor->LoadSuite();
    if (result != QVX_LOAD_OK)
    {
        m_pLogManager->LogInformation(FormatLoadFailure(result, GetSuitePath(), m_pExecutor->GetSuiteMachine()));
        return QVX_EXIT_LOAD_FAILED;
    }
    // Names the suite does not have select nothing (the others still run); the console says which they were.
    SelectNamedTests();
    if (!m_unmatchedNames.empty())
        m_pLogManager->LogInformation(FormatUnmatchedNames(m_unmatchedNames));
    int code = QVX_EXIT_NO_TESTS;
    if (m_pExecutor->RunSelectedTests(true))
        code = m_pExecutor->LastRunSucceeded() ? QVX_EXIT_PASSED : QVX_EXIT_TESTS_FAILED;
    // Release the suite (helpers, object, module) now rather than during the process's static destruction.
    m_pExecutor->UnloadSuite();
    return code;
}

void CQuorvexApp::EndProcessForRunThatDoesNotStop()
{
    if (m_pExecutor)
    {
        char text[200];
        std::snprintf(text, sizeof(text),
                      "The test has still not returned %lu seconds after the run was told to stop; the program "
                      "ends with exit code %d",
                      static_cast<unsigned long>(CUnitTestExecutor::kStopBoundMilliseconds / 1000),
                      QVX_EXIT_TEST_NOT_RETURNING);
        m_pExecutor->ReportHarnessError(text);
    }
    std::fflush(stdout);
    ::TerminateProcess(::GetCurrentProcess(), QVX_EXIT_TEST_NOT_RETURNING);
}

int CQuorvexApp::RunDialogMode()
{
    // The main dialog is not part of this program yet: load the suite named on the command line and report
    // what happened, then end.
    int result = m_pExecutor->LoadSuite();
    char text[1024];
    CDravikString path(GetSuitePath());
    if (path.IsEmpty())
        std::snprintf(
            text, sizeof(text),
            "Quorvex runs test suites from the command line:\n\n    Quorvex.exe -cmd <suite.dll> [test ...]");
    else if (result == QVX_LOAD_OK)
        std::snprintf(text, sizeof(text),
                      "The test suite '%s' has %ld tests.\n\nRun it with: Quorvex.exe -cmd \"%s\"",
                      path.GetAnsi(), m_pExecutor->GetTestCount(), path.GetAnsi());
    else
    {
        CDravikString failure = FormatLoadFailure(result, path, m_pExecutor->GetSuiteMachine());
        std::snprintf(text, sizeof(text), "%s", failure.GetAnsi());
    }
    CDravikString caption;
    if (!caption.LoadString(IDS_CAPTION))
        caption = "Quorvex";
    // Only when someone can see it: a hidden desktop (automated runs) gets the text on standard output.
    if (GetStdHandle(STD_OUTPUT_HANDLE) && GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN)
        std::printf("%s\n", text);
    else
        MessageBoxA(nullptr, text, caption.GetAnsi(), MB_OK | MB_ICONINFORMATION);
    return result == QVX_LOAD_OK ? QVX_EXIT_PASSED : QVX_EXIT_LOAD_FAILED;
}

BOOL CQuorvexApp::InitInstance()
{
    InitCommonControls();
    CWinApp::InitInstance();
    EvaluateCommandLine();
    if (!m_pExecutor)
        return FALSE;
    CUnitTestBaseLogManager* sink = nullptr;
    if (m_bCommandLineMode)
    {
        AttachParentConsole();
        try
        {
            sink = new CUnitTestCommandLineLogManager();
        }
        catch (...)
        {
            sink = nullptr;
        }
    }
    else
    {
        try
        {
            sink = CreateDialogLogManager();
            if (!sink)
                sink = new CUnitTestCommandLineLogManager();
        }
        catch (...)
        {
            sink = nullptr;
        }
    }
    if (!sink)
        return FALSE;
    SetLogManager(sink);
    if (m_bCommandLineMode)
        m_nExitCode = RunCommandLine();
    else
        m_nExitCode = RunDialogMode();
    std::fflush(stdout);
    return FALSE;
}
