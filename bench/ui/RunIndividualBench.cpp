// Run-individual benchmark: suites of 10,000 tests registered in name order ("Test 1" .. "Test 10000") and
// in reverse, under the real dialog and executor. Measures the time from the command (the dialog made over
// the loaded suite: list filled, sorted, laid out) to the painted list, and one header click's re-sort with
// its repaint. The sort is a merge sort: its recursion depth is ceil(log2 n) (14 for 10,000), whatever the
// order of the names. Run: build/bench/run_individual_bench.exe (needs a display).
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "engine/app/QuorvexApp.h"
#include "ui/QuorvexRunIndividualDialog.h"

namespace
{
std::string ExeFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

bool Measure(const char* fixture, const char* label)
{
    CQuorvexApp app;
    const std::string suite = ExeFolder() + "..\\tests\\engine_fixtures\\" + fixture;
    if (app.LoadTestSuite(CDravikString(suite.c_str())) != 0)
    {
        std::printf("%s: cannot load %s\n", label, suite.c_str());
        return false;
    }
    LARGE_INTEGER start, shown, clicked;
    ::QueryPerformanceCounter(&start);
    CQuorvexRunIndividualDialog dialog;
    dialog.SetExecutor(app.GetExecutor());
    if (!dialog.Create(CQuorvexRunIndividualDialog::kTemplateId, nullptr))
        return false;
    dialog.ShowWindow(SW_SHOW);
    dialog.UpdateWindow();
    dialog.GetList().UpdateWindow();
    ::QueryPerformanceCounter(&shown);
    // A header click on the one column: the order reverses and the list repaints.
    CColumnViewControl& list = dialog.GetList();
    NMHEADERA click = {};
    click.hdr.hwndFrom = list.GetHeader().m_hWnd;
    click.hdr.idFrom = CColumnViewControl::kHeaderId;
    click.hdr.code = static_cast<UINT>(HDN_ITEMCLICKA);
    click.iItem = 0;
    LARGE_INTEGER before;
    ::QueryPerformanceCounter(&before);
    list.SendMessage(WM_NOTIFY, CColumnViewControl::kHeaderId, reinterpret_cast<LPARAM>(&click));
    list.UpdateWindow();
    ::QueryPerformanceCounter(&clicked);
    const bool reversed = list.GetEntryAt(0) && list.GetEntryAt(0)->GetText(0).CompareNoCaseAnsi("Test 10000") == 0;
    std::printf("%-9s %5d tests: command to painted list %7.1f ms, header-click re-sort %7.1f ms%s\n", label,
                list.GetEntryCount(), Milliseconds(start, shown), Milliseconds(before, clicked),
                reversed ? "" : " (ORDER WRONG)");
    Pump();
    dialog.DestroyWindow();
    app.UnloadTestSuite();
    return reversed;
}
} // namespace

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const bool ordered = Measure("fx_ordered.dll", "natural");
    const bool reversed = Measure("fx_reversed.dll", "reversed");
    return ordered && reversed ? 0 : 1;
}
