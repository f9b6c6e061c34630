// Shared helpers of the results-tree, log-sink and export tests: a visible window holding a results tree,
// a snapshot of what the tree view shows, and the fixture suite run through the engine's executor.
#pragma once

#include "tests/common/MessagePump.h"
#include "tests/common/TestFolders.h"
#include "tests/common/TestText.h"
#include "tests/common/TreeSnapshot.h"
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/app/QuorvexApp.h"
#include "ui/UnitTestLogDisplay.h"
#include "framework/Wnd.h"

// Folder of the test program (trailing backslash) and the fixture suite built beside it.
std::string UiTestFolder();
std::string ResultsFixturePath();
std::string BundledSamplePath();
// Every "[hh:mm:ss:ms]" time stamp becomes "[TS]".
using qvx_test::FindShown;
using qvx_test::MaskStamps;
using qvx_test::ReadFileBytes;
using qvx_test::ShownItem;
using qvx_test::Snapshot;

// Answers every message waiting for this thread, for at least the given time.
using qvx_test::PumpMessages;

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

// Marks exactly the named tests of the executor as selected and recounts.
void SelectOnly(CUnitTestExecutor* executor, const std::vector<std::string>& names);
