// Shared helpers of the results-tree, log-sink and export tests: a visible window holding a results tree,
// a snapshot of what the tree view shows, and the fixture suite run through the engine's executor.
#pragma once

#include "TestText.h"
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "QuorvexApp.h"
#include "UnitTestLogDisplay.h"
#include "Wnd.h"

// Folder of the test program (trailing backslash) and the fixture suite built beside it.
std::string UiTestFolder();
std::string ResultsFixturePath();
std::string BundledSamplePath();
// Every "[hh:mm:ss:ms]" time stamp becomes "[TS]".
using qvx_test::MaskStamps;
using qvx_test::ReadFileBytes;

// Answers every message waiting for this thread, for at least the given time.
void PumpMessages(DWORD milliseconds);

// A top-level window with a results tree filling it (control id 2036), initialised with its pictures.
class CResultsTreeHost
{
public:
    explicit CResultsTreeHost(bool visible = true);
    ~CResultsTreeHost();
    CUnitTestLogDisplay& Tree() { return m_tree; }
    CWnd& Frame() { return m_frame; }
    bool IsReady() const { return m_ready; }

private:
    CWnd m_frame;
    CUnitTestLogDisplay m_tree;
    bool m_ready = false;
};

// One item of the tree view as it is shown.
struct ShownItem
{
    int depth;
    std::string text; // time stamps masked
    int image;
    bool expanded;
    int children; // child items in the tree view
};
std::vector<ShownItem> Snapshot(CTreeCtrl& tree);
// The shown item whose text (masked) equals text; null when none.
const ShownItem* FindShown(const std::vector<ShownItem>& items, const std::string& text);

// Marks exactly the named tests of the executor as selected and recounts.
void SelectOnly(CUnitTestExecutor* executor, const std::vector<std::string>& names);
