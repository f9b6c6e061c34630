// CQuorvexDlg: initialisation, tool bar and appearance, the layout of the fields, and the paths beside the
// program (help file, skin module).
#include "ui/QuorvexDlg.h"

#include <algorithm>

#include "ui/controls/ClipboardAndHelp.h"
#include "ui/UiResourceIds.h"
#include "foundation/PathUtilities.h"
#include "ui/QuorvexDialogApp.h"
#include "ui/UnitTestUILogManager.h"
#include "toolkit/common/tooltips/XTPToolTipContext.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"

BOOL CQuorvexDlg::OnInitDialog()
{
    BOOL result = CUnitTestResizableDialog::OnInitDialog();

    CUnitTestExecutor* executor = GetExecutor();
    // A suite loaded before the dialog opened (named on the command line) is runnable at once.
    SnapshotTests();
    CDravikString suite = executor ? executor->GetSuiteName() : CDravikString("");
    if (suite.IsEmpty())
        suite.LoadString(IDS_NO_SUITE_LOADED);
    m_suiteName.SetWindowText(suite.GetAnsi());

    RECT window;
    GetWindowRect(&window);
    SetMinTrackSize(window.right - window.left, window.bottom - window.top);

    RECT treeRect = {0, 0, 0, 0};
    CWnd* templateTree = GetDlgItem(IDC_RESULTS_TREE);
    GetControlRect(templateTree, &treeRect);

    SetDialogIcon(IDI_QUORVEX);
    if (CreateToolbar(IDS_TOOLBAR_TITLE, IDR_QUORVEX_TOOLBAR, IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED,
                      IDB_TOOLBAR_HOT))
    {
        for (UINT command :
             {ID_LOAD_TEST_SUITE, ID_RUN_ALL, ID_RUN_INDIVIDUAL, ID_CANCEL_RUN, ID_EXPORT_RESULTS, ID_ABOUT})
            SetToolbarButtonText(command);
    }
    SetupAppearance();

    if (templateTree && templateTree->m_hWnd)
        ::DestroyWindow(templateTree->m_hWnd);
    const DWORD treeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                            TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP |
                            TVS_SHOWSELALWAYS | TVS_TRACKSELECT;
    if (m_tree.Create(treeStyle, treeRect, this, IDC_RESULTS_TREE))
        m_tree.Initialize();
    if (CUnitTestUILogManager* sink = GetUILogManager())
        sink->SetTree(&m_tree);
    // The notifications reach this window from now on (none of an earlier window is waiting for it).
    ConnectRunObserver();

    UpdateCurrentTestField();
    UpdateStatusField();
    UpdateElapsedTimeField();
    ApplyFixedToolbarMembers();
    LoadLayout(1, IDS_TOOLBAR_TITLE);
    LayoutControls();
    UpdateData(FALSE);
    PlaceGrip();
    GetWindowRect(&window);
    ::MoveWindow(m_hWnd, window.left, window.top, window.right - window.left + 1, window.bottom - window.top,
                 TRUE);
    PlaceDefault();
    return result;
}

bool CQuorvexDlg::CreateToolbar(UINT titleId, UINT toolbarId, UINT bitmap0, UINT bitmap1, UINT bitmap2)
{
    if (!SetCommandBars(RUNTIME_CLASS(CXTPCommandBars)) || !GetCommandBars())
        return false;
    CDravikString title;
    title.LoadString(static_cast<int>(titleId));
    CXTPToolBar* bar = dynamic_cast<CXTPToolBar*>(
        GetCommandBars()->Add(title.GetAnsi(), xtpBarTop, RUNTIME_CLASS(CXTPToolBar)));
    if (bar)
    {
        SetToolBar(bar);
        // The icons come from the three strips, not from the toolbar resource's own bitmap.
        bar->LoadToolBar(toolbarId, FALSE);
        SetToolbarImages(toolbarId, bitmap0, bitmap1, bitmap2);
        bar->SetFlags(kToolbarFlags);
        ApplyFixedToolbarMembers();
        ApplyFixedBarOptions();
    }
    RepositionControlBars();
    return bar != nullptr;
}

void CQuorvexDlg::ApplyFixedToolbarMembers()
{
    if (CXTPToolBar* bar = GetToolBar())
    {
        bar->SetShowGripper(FALSE);
        bar->EnableCustomization(FALSE);
    }
}

bool CQuorvexDlg::SetupAppearance()
{
    // Tooltips, paint theme, resource theme and skin all hang on the command bars.
    CXTPCommandBars* bars = GetCommandBars();
    if (!bars)
        return false;

    // Resource-style tips with a title, the command's icon and its description, in the icon-title font.
    if (CXTPToolTipContext* tips = bars->GetToolTipContext())
    {
        tips->SetStyle(xtpToolTipResource);
        tips->SetShowTitleAndDescription(TRUE, TTI_INFO);
        tips->SetShowImage(TRUE, 0, 1);
        tips->SetMargin(CRect(2, 2, 2, 2));
        tips->SetMaxTipWidth(kToolTipWidth);
        tips->SetFont(bars->GetPaintManager()->GetIconFont());
        tips->SetDelayTime(TTDT_INITIAL, kToolTipDelay);
    }
    // The bar is never customised and shows its expand button only when buttons do not fit.
    ApplyFixedBarOptions();

    // The process-wide theme, without faded icons.
    CXTPPaintManager::SetTheme(kToolbarTheme);
    CXTPPaintManager* global = CXTPPaintManager::GetGlobal();
    *global->GetIconsInfo() = FALSE;

    bars->SetTheme(kToolbarTheme);

    global->RefreshMetrics();
    bars->GetPaintManager()->RefreshMetrics();
    bars->RedrawCommandBars();
    return true;
}

void CQuorvexDlg::ApplyFixedBarOptions()
{
    CXTPCommandBars* bars = GetCommandBars();
    if (!bars)
        return;
    CXTPCommandBarsOptions* options = bars->GetCommandBarsOptions();
    options->bShowExpandButtonAlways = FALSE;
    options->bAltDragCustomization = FALSE;
}

bool CQuorvexDlg::LayoutControls()
{
    if (!m_tree.m_hWnd)
        return false;
    const int margin = QVX_DIALOG_MARGIN;
    // The free area is the layout rectangle: the client area less the docked tool bar.
    const RECT free = *GetLayoutRect();
    RECT client;
    GetClientRect(&client);
    auto width = [this](CWnd& control) {
        RECT rect = {0, 0, 0, 0};
        GetControlRect(&control, &rect);
        return static_cast<int>(rect.right - rect.left);
    };
    // Fields reach to 12 pixels from the client area's right edge.
    auto stretch = [&](CWnd& field) { SetControlRight(&field, client.right - margin); };

    const int rowTop = free.top + margin;
    MoveControlTo(&m_suiteNameLabel, rowTop, margin);
    MoveControlTo(&m_suiteName, rowTop, width(m_suiteNameLabel) + 2 * margin);
    stretch(m_suiteName);

    MoveControlTo(&m_progressLabel, GetControlBottom(&m_suiteName) + margin, margin);
    MoveControlTo(&m_progress, GetControlBottom(&m_progressLabel) + margin, margin);
    stretch(m_progress);
    // The bar's picture is as wide as the control: once its width changes, all of it is drawn again (a move
    // without repaint would leave the old picture, frame included, at the old width).
    if (m_progress.m_hWnd)
        m_progress.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);

    const int labels =
        std::max(width(m_currentTestLabel), std::max(width(m_statusLabel), width(m_elapsedLabel)));
    const int fieldLeft = labels + 2 * margin;
    int top = GetControlBottom(&m_progress) + margin;
    MoveControlTo(&m_currentTestLabel, top, margin);
    MoveControlTo(&m_currentTest, top, fieldLeft);
    stretch(m_currentTest);
    top = GetControlBottom(&m_currentTest) + margin;
    MoveControlTo(&m_statusLabel, top, margin);
    MoveControlTo(&m_status, top, fieldLeft);
    stretch(m_status);
    top = GetControlBottom(&m_status) + margin;
    MoveControlTo(&m_elapsedLabel, top, margin);
    MoveControlTo(&m_elapsed, top, fieldLeft);
    stretch(m_elapsed);

    const int treeTop = GetControlBottom(&m_elapsed) + margin;
    m_tree.MoveWindow(margin, treeTop, free.right - 2 * margin, free.bottom - margin - treeTop, TRUE);
    return true;
}

CDravikString CQuorvexDlg::GetProgramFolder()
{
    CDravikString path = GetModuleFilePath(nullptr);
    if (path.IsEmpty())
        return CDravikString("");
    return GetDriveAndDirectory(path.GetAnsi());
}

CDravikString CQuorvexDlg::GetHelpFilePath()
{
    CDravikString name;
    name.LoadString(IDS_HELP_FILE);
    return GetProgramFolder() + name;
}

CDravikString CQuorvexDlg::GetSkinModulePath()
{
    return GetProgramFolder() + CDravikString("Styles.dll");
}

BOOL CQuorvexDlg::ShowHelpTopic(UINT contextId)
{
    return OpenHelpWindow(GetHelpFilePath(), contextId) ? TRUE : FALSE;
}
