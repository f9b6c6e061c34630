// Results-tree benchmark: 100,000 messages logged by the executor's worker thread (the fixture suite's
// "Flood" test) into the results tree through the dialog's log sink, against baselines that insert the
// same number of items straight into a plain tree-view control: from the user-interface thread under a
// folded parent (nothing to lay out), from that thread under an open parent with painting held back until
// the end (the items are shown, as the results tree shows them), and from a worker thread; and the same
// flood shared by 10 helper threads of the test, against the worker thread's figure. For each: the time
// until the tree holds every item, the longest time the user-interface thread left a probe message waiting (a
// thread posts one every 5 ms), and the private memory the process gained. Each mode runs in a process of its
// own; without arguments the program runs all modes and prints the ratios.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/app/QuorvexApp.h"
#include "foundation/TimeUtilities.h"
#include "ui/UnitTestLogDisplay.h"
#include "ui/UnitTestUILogManager.h"
#include "framework/Wnd.h"

namespace
{
long kMessages = 100000; // QVX_BENCH_COUNT overrides
const UINT kProbeMessage = WM_APP + 1;

struct Probe
{
    HWND window = nullptr;
    std::atomic<bool> stop{false};
    std::atomic<long long> maxWaitUs{0};
    LARGE_INTEGER frequency = {};
};
Probe g_probe;

long long NowTicks()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

DWORD WINAPI ProbeThread(LPVOID)
{
    while (!g_probe.stop.load())
    {
        PostMessageA(g_probe.window, kProbeMessage, 0, static_cast<LPARAM>(NowTicks() & 0x7FFFFFFF));
        Sleep(5);
    }
    return 0;
}

// Dispatches every waiting message; probe messages record how long they waited.
void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        if (message.message == kProbeMessage)
        {
            long long sent = message.lParam;
            long long now = NowTicks() & 0x7FFFFFFF;
            long long waited = now >= sent ? now - sent : now + 0x80000000LL - sent;
            long long us = waited * 1000000 / g_probe.frequency.QuadPart;
            if (us > g_probe.maxWaitUs.load())
                g_probe.maxWaitUs = us;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

std::string ExeFolder()
{
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

struct Result
{
    double seconds = 0;
    double maxStallMs = 0;
    double megabytes = 0;
    long items = 0;
};

// A plain tree view in a top-level window.
HWND MakeTreeWindow(HWND* frame)
{
    *frame = CreateWindowExA(0, "STATIC", "baseline", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 900, 700,
                             nullptr, nullptr, nullptr, nullptr);
    RECT client = {};
    GetClientRect(*frame, &client);
    return CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, 0, 0,
                           client.right, client.bottom, *frame, nullptr, nullptr, nullptr);
}

HTREEITEM InsertPlain(HWND tree, HTREEITEM parent, const char* text)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPSTR>(text);
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

struct SenderJob
{
    HWND tree;
    HTREEITEM parent;
};

DWORD WINAPI SenderThread(LPVOID parameter)
{
    SenderJob* job = static_cast<SenderJob*>(parameter);
    char text[96];
    for (long i = 1; i <= kMessages; ++i)
    {
        CDravikString stamp = FormatCurrentTimestamp();
        std::snprintf(text, sizeof(text), "[%s] flood message %ld", stamp.GetAnsi(), i);
        InsertPlain(job->tree, job->parent, text);
    }
    return 0;
}

Result RunBaseline(bool fromWorker, bool expanded, bool noRedraw)
{
    Result result;
    HWND frame = nullptr;
    HWND tree = MakeTreeWindow(&frame);
    g_probe.window = frame;
    Pump();
    const SIZE_T before = PrivateBytes();
    HANDLE probe = CreateThread(nullptr, 0, ProbeThread, nullptr, 0, nullptr);
    const long long start = NowTicks();
    HTREEITEM parent = InsertPlain(tree, TVI_ROOT, "1. Flood");
    InsertPlain(tree, parent, "first");
    if (expanded)
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    if (noRedraw)
        SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    if (fromWorker)
    {
        SenderJob job = {tree, parent};
        HANDLE sender = CreateThread(nullptr, 0, SenderThread, &job, 0, nullptr);
        while (MsgWaitForMultipleObjects(1, &sender, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
            Pump();
        CloseHandle(sender);
    }
    else
    {
        SenderThread(new SenderJob{tree, parent});
    }
    if (noRedraw)
        SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    result.seconds = static_cast<double>(NowTicks() - start) / g_probe.frequency.QuadPart;
    Pump();
    g_probe.stop = true;
    WaitForSingleObject(probe, INFINITE);
    CloseHandle(probe);
    Pump();
    result.maxStallMs = g_probe.maxWaitUs.load() / 1000.0;
    if (!fromWorker)
        result.maxStallMs = result.seconds * 1000.0; // the inserting thread answered nothing meanwhile
    result.megabytes = static_cast<double>(PrivateBytes() - before) / (1024.0 * 1024.0);
    result.items = static_cast<long>(SendMessageA(tree, TVM_GETCOUNT, 0, 0));
    DestroyWindow(frame);
    return result;
}

// The executor's flood test, from its worker thread (threads 0) or from that many helper threads.
Result RunHarness(long threads)
{
    Result result;
    CQuorvexApp app;
    CWnd frame;
    LPCSTR windowClass =
        AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    frame.CreateEx(0, windowClass, "harness", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 900, 700, nullptr,
                   nullptr);
    RECT client = {};
    frame.GetClientRect(&client);
    CUnitTestLogDisplay tree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS, client, &frame,
                2036);
    tree.Initialize();
    CUnitTestUILogManager* sink = new CUnitTestUILogManager;
    app.SetLogManager(sink);
    sink->SetTree(&tree);
    char count[32];
    std::snprintf(count, sizeof(count), "%ld", kMessages);
    SetEnvironmentVariableA("QVX_UI_FLOOD", count);
    char helpers[32];
    std::snprintf(helpers, sizeof(helpers), "%ld", threads);
    SetEnvironmentVariableA("QVX_UI_FLOOD_THREADS", helpers);
    std::string suite = ExeFolder() + "..\\tests\\ui_fixtures\\fx_results.dll";
    if (app.LoadTestSuite(CDravikString(suite.c_str())) != 0)
    {
        std::fprintf(stderr, "cannot load %s\n", suite.c_str());
        std::exit(2);
    }
    CUnitTestExecutor* executor = app.GetExecutor();
    {
        CThreadLockGuard hold(executor->GetTestLock());
        for (CTestCaseExecutionContext* test = executor->FirstTest(); test; test = executor->NextTest())
            test->m_bSelected = std::strcmp(test->m_name.GetAnsi(), "Flood") == 0;
        executor->EndTestIteration();
    }
    executor->CountSelectedTests();
    g_probe.window = frame.GetSafeHwnd();
    Pump();
    const SIZE_T before = PrivateBytes();
    HANDLE probe = CreateThread(nullptr, 0, ProbeThread, nullptr, 0, nullptr);
    const long long start = NowTicks();
    executor->RunSelectedTests(false);
    // Until the run is over and the tree shows everything that was logged, where it belongs.
    while (executor->IsRunInProgress() || sink->HasPending() || tree.IsRegrouping())
    {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
    result.seconds = static_cast<double>(NowTicks() - start) / g_probe.frequency.QuadPart;
    g_probe.stop = true;
    WaitForSingleObject(probe, INFINITE);
    CloseHandle(probe);
    Pump();
    result.maxStallMs = g_probe.maxWaitUs.load() / 1000.0;
    result.megabytes = static_cast<double>(PrivateBytes() - before) / (1024.0 * 1024.0);
    result.items = tree.GetMessageCount();
    executor->Stop();
    sink->SetTree(nullptr);
    tree.DestroyWindow();
    frame.DestroyWindow();
    return result;
}

bool RunChild(const char* mode, Result* result)
{
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string output = std::string(path) + "." + mode + ".out";
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE file =
        CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = file;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string command = std::string("\"") + path + "\" " + mode;
    BOOL started =
        CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(file);
    if (!started)
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    FILE* in = std::fopen(output.c_str(), "r");
    if (!in)
        return false;
    int read = std::fscanf(in, "%lf %lf %lf %ld", &result->seconds, &result->maxStallMs, &result->megabytes,
                           &result->items);
    std::fclose(in);
    DeleteFileA(output.c_str());
    return read == 4;
}
} // namespace

int main(int argc, char** argv)
{
    QueryPerformanceFrequency(&g_probe.frequency);
    char count[32] = {};
    if (GetEnvironmentVariableA("QVX_BENCH_COUNT", count, sizeof(count)) > 0 && std::atol(count) > 0)
        kMessages = std::atol(count);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (argc > 1)
    {
        Result result;
        if (std::strcmp(argv[1], "direct") == 0)
            result = RunBaseline(false, false, false);
        else if (std::strcmp(argv[1], "direct-open") == 0)
            result = RunBaseline(false, true, false);
        else if (std::strcmp(argv[1], "direct-open-noredraw") == 0)
            result = RunBaseline(false, true, true);
        else if (std::strcmp(argv[1], "sent") == 0)
            result = RunBaseline(true, false, false);
        else if (std::strcmp(argv[1], "harness-threads") == 0)
            result = RunHarness(10);
        else
            result = RunHarness(0);
        std::printf("%.3f %.1f %.2f %ld\n", result.seconds, result.maxStallMs, result.megabytes,
                    result.items);
        return 0;
    }
    Result direct, shown, sent, harness, threads;
    if (!RunChild("direct", &direct) || !RunChild("direct-open-noredraw", &shown) ||
        !RunChild("sent", &sent) || !RunChild("harness", &harness) || !RunChild("harness-threads", &threads))
    {
        std::printf("a benchmark process failed\n");
        return 1;
    }
    std::printf("%ld messages into a tree view\n", kMessages);
    std::printf("%-52s %10s %14s %12s %9s\n", "", "total s", "max stall ms", "memory MB", "items");
    auto row = [](const char* name, const Result& r) {
        std::printf("%-52s %10.2f %14.1f %12.1f %9ld\n", name, r.seconds, r.maxStallMs, r.megabytes, r.items);
    };
    row("baseline: UI thread inserts under a folded parent", direct);
    row("baseline: UI thread inserts under an open parent", shown);
    row("baseline: worker thread sends the inserts", sent);
    row("harness: executor -> sink -> results tree", harness);
    row("harness: 10 helper threads -> sink -> results tree", threads);
    auto ratio = [&harness](const char* name, const Result& r) {
        std::printf("harness / %-13s time %.2fx, memory %.2fx\n", name, harness.seconds / r.seconds,
                    harness.megabytes / r.megabytes);
    };
    ratio("folded:", direct);
    ratio("open:", shown);
    ratio("sent:", sent);
    std::printf("10 helper threads / one thread: time %.2fx\n", threads.seconds / harness.seconds);
    return 0;
}
