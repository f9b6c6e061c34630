#include "ResultsTreeTestSupport.h"


std::string UiTestFolder()
{
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string ResultsFixturePath()
{
    return UiTestFolder() + "ui_fixtures\\fx_results.dll";
}

std::string BundledSamplePath()
{
    return UiTestFolder() + "..\\bin\\samples\\QuorvexSample.dll";
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (milliseconds)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
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

namespace
{
void Walk(CTreeCtrl& tree, HTREEITEM item, int depth, std::vector<ShownItem>& items)
{
    for (; item; item = tree.GetNextSiblingItem(item))
    {
        char text[8192] = {};
        TVITEMA info = {};
        info.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        info.stateMask = TVIS_EXPANDED;
        tree.GetItem(&info);
        int children = 0;
        for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
            ++children;
        items.push_back({depth, MaskStamps(text), info.iImage, (info.state & TVIS_EXPANDED) != 0, children});
        Walk(tree, tree.GetChildItem(item), depth + 1, items);
    }
}
} // namespace

std::vector<ShownItem> Snapshot(CTreeCtrl& tree)
{
    std::vector<ShownItem> items;
    Walk(tree, tree.GetRootItem(), 0, items);
    return items;
}

const ShownItem* FindShown(const std::vector<ShownItem>& items, const std::string& text)
{
    for (const ShownItem& item : items)
        if (item.text == text)
            return &item;
    return nullptr;
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
