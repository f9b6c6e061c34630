#include "tests/ui/ResultsTreeTestSupport.h"

std::string UiTestFolder()
{
    return qvx_test::TestProgramFolder();
}

std::string ResultsFixturePath()
{
    return qvx_test::UiFixturePath("fx_results.dll");
}

std::string BundledSamplePath()
{
    return qvx_test::SamplePath();
}

CResultsTreeHost::CResultsTreeHost(bool visible)
{
    LPCSTR windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!m_frame.CreateEx(0, windowClass, "Results Tree", WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                          20, 20, 900, 700, nullptr, nullptr))
        return;
    RECT client = {};
    m_frame.GetClientRect(&client);
    if (!m_tree.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS,
                       client, &m_frame, 2036))
        return;
    m_ready = m_tree.Initialize() != FALSE;
}

CResultsTreeHost::~CResultsTreeHost()
{
    if (m_tree.GetSafeHwnd())
        m_tree.DestroyWindow();
    if (m_frame.GetSafeHwnd())
        m_frame.DestroyWindow();
}

void SelectOnly(CUnitTestExecutor* executor, const std::vector<std::string>& names)
{
    CThreadLockGuard hold(executor->GetTestLock());
    for (CTestCaseExecutionContext* test = executor->FirstTest(); test; test = executor->NextTest())
    {
        bool wanted = false;
        for (const std::string& name : names)
            if (test->m_name.PeekAnsi() && name == test->m_name.PeekAnsi())
                wanted = true;
        test->m_bSelected = wanted ? 1 : 0;
    }
    executor->EndTestIteration();
    executor->CountSelectedTests();
}
