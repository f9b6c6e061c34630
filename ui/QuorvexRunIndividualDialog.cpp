#include "ui/QuorvexRunIndividualDialog.h"

#include <algorithm>

#include "engine/TestCaseExecutionContext.h"
#include "engine/UnitTestExecutor.h"
#include "framework/MessageMap.h"

BEGIN_MESSAGE_MAP(CQuorvexRunIndividualDialog, CUnitTestResizableDialog)
ON_COMMAND(ID_HELP_COMMAND, OnHelp)
END_MESSAGE_MAP()

CQuorvexRunIndividualDialog::CQuorvexRunIndividualDialog(CWnd* pParentWnd)
    : CUnitTestResizableDialog(pParentWnd, kTemplateId)
{
    m_list.SetDialog(this);
}

CQuorvexRunIndividualDialog::~CQuorvexRunIndividualDialog()
{
    m_list.RemoveAllEntries();
}

void CQuorvexRunIndividualDialog::DoDataExchange(CDataExchange* pDX)
{
    CUnitTestResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_run);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Control(pDX, ID_HELP_COMMAND, m_help);
    DDX_Control(pDX, IDC_SELECT_TESTS_LABEL, m_label);
}

BOOL CQuorvexRunIndividualDialog::OnInitDialog()
{
    BOOL result = CUnitTestResizableDialog::OnInitDialog();
    RECT window;
    GetWindowRect(&window);
    SetMinTrackSize(window.right - window.left, window.bottom - window.top);
    m_list.SetDialog(this);
    m_list.Create(this);
    // The list is made after the template's controls; in the tab order it comes right after its label,
    // before the buttons.
    if (m_list.m_hWnd)
        ::SetWindowPos(m_list.m_hWnd, ::GetDlgItem(m_hWnd, IDC_SELECT_TESTS_LABEL), 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ArrangeControls();
    m_list.FitLastColumn();
    FillTestList();
    GrowToFitTests();
    ArrangeControls();
    UpdateButtons();
    UpdateData(FALSE);
    // The dialog opens with the list focused: the keys pick tests at once.
    if (m_list.m_hWnd)
    {
        GotoDlgCtrl(&m_list);
        return FALSE;
    }
    return result;
}

void CQuorvexRunIndividualDialog::FillTestList()
{
    m_list.RemoveAllEntries();
    if (m_executor)
    {
        CThreadLockGuard hold(m_executor->GetTestLock());
        for (CTestCaseExecutionContext* test = m_executor->FirstTest(); test; test = m_executor->NextTest())
            m_list.AddTestEntry(test);
        m_executor->EndTestIteration();
    }
    m_list.SortByColumn(0, true);
    m_list.UpdateLayout();
}

SIZE CQuorvexRunIndividualDialog::WantedListSize(int count, int nameWidth, int lineHeight)
{
    // Rows start 5 pixels below the 20-pixel header; every row must fit in whole.
    SIZE wanted;
    wanted.cy = std::min(CColumnViewControl::kHeaderHeight + CColumnViewControl::kRowsTopMargin + count * lineHeight + 1,
                         kMaxWantedHeight);
    // The picture, its gap and the cell margins beside the name.
    wanted.cx = std::min(nameWidth + 14 + 21 + 2, kMaxWantedWidth);
    return wanted;
}

void CQuorvexRunIndividualDialog::GrowToFitTests()
{
    const int count = m_list.GetEntryCount();
    if (!m_executor || count < 1 || !m_list.m_hWnd || !m_hWnd)
        return;
    int widest = 0;
    {
        CThreadLockGuard hold(m_executor->GetTestLock());
        HDC dc = ::GetDC(m_list.m_hWnd);
        if (dc)
        {
            // Measured in the list's own font, in which the names are drawn.
            HGDIOBJ previous = ::SelectObject(dc, m_list.GetControlFont().GetSafeHandle());
            for (int i = 0; i < count; ++i)
            {
                CDravikString name = m_list.GetEntryText(m_list.GetEntryAt(i), 0);
                SIZE size = {0, 0};
                if (name.IsWide())
                    ::GetTextExtentPoint32W(dc, name.GetWide(), name.GetLength(), &size);
                else
                    ::GetTextExtentPoint32A(dc, name.GetAnsi(), name.GetLength(), &size);
                widest = std::max(widest, static_cast<int>(size.cx));
            }
            ::SelectObject(dc, previous);
            ::ReleaseDC(m_list.m_hWnd, dc);
        }
    }
    const SIZE wanted = WantedListSize(count, widest, m_list.GetLineHeight());
    RECT client;
    m_list.GetClientRect(&client);
    const int dx = std::max(0, static_cast<int>(wanted.cx - (client.right - client.left)));
    const int dy = std::max(0, static_cast<int>(wanted.cy - (client.bottom - client.top)));
    if (dx == 0 && dy == 0)
        return;
    RECT window;
    GetWindowRect(&window);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, (window.right - window.left) + dx, (window.bottom - window.top) + dy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CQuorvexRunIndividualDialog::ArrangeControls()
{
    if (!m_run.m_hWnd)
        return FALSE;
    RECT client;
    GetClientRect(&client);
    RECT run;
    GetControlRect(&m_run, &run);
    const int buttonHeight = run.bottom - run.top;
    if (m_list.m_hWnd)
    {
        const int top = GetControlBottom(&m_label) + QVX_DIALOG_MARGIN;
        const int bottom = client.bottom - buttonHeight - 2 * QVX_DIALOG_MARGIN;
        ::MoveWindow(m_list.m_hWnd, QVX_DIALOG_MARGIN, top, (client.right - client.left) - 2 * QVX_DIALOG_MARGIN,
                     std::max(0, bottom - top), TRUE);
    }
    // From the bottom-right corner leftwards: Help, Cancel, Run.
    int right = client.right - QVX_DIALOG_MARGIN;
    CButton* buttons[3] = {&m_help, &m_cancel, &m_run};
    for (CButton* button : buttons)
    {
        RECT rect;
        if (!GetControlRect(button, &rect))
            continue;
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        ::MoveWindow(button->m_hWnd, right - width, client.bottom - QVX_DIALOG_MARGIN - height, width, height, TRUE);
        right -= width + QVX_DIALOG_MARGIN;
    }
    if (m_list.m_hWnd)
        m_list.FitLastColumn();
    return TRUE;
}

void CQuorvexRunIndividualDialog::UpdateButtons()
{
    if (!m_executor)
        return;
    if (m_cancel.m_hWnd)
        m_cancel.EnableWindow(TRUE);
    if (m_run.m_hWnd)
        m_run.EnableWindow(m_list.GetSelectedCount() > 0);
}

void CQuorvexRunIndividualDialog::OnOK()
{
    UpdateData(TRUE);
    // Enter reaches the default button even while it is disabled: nothing selected, nothing to run.
    if (m_executor && m_list.GetSelectedCount() < 1)
        return;
    if (m_executor)
    {
        m_executor->SelectAllTests(false);
        std::vector<CColumnViewControlEntry*> selected;
        m_list.GetSelected(selected);
        {
            CThreadLockGuard hold(m_executor->GetTestLock());
            for (CColumnViewControlEntry* entry : selected)
                if (auto* row = static_cast<CRunIndividualDisplayEntry*>(entry); row->m_test)
                    row->m_test->m_bSelected = 1;
        }
        m_executor->CountSelectedTests();
    }
    m_list.RemoveAllEntries();
    CUnitTestResizableDialog::OnOK();
}

void CQuorvexRunIndividualDialog::OnCancel()
{
    if (m_executor)
        m_executor->SelectAllTests(true);
    m_list.RemoveAllEntries();
    CUnitTestResizableDialog::OnCancel();
}

void CQuorvexRunIndividualDialog::OnHelp()
{
    if (m_helpOwner)
        m_helpOwner->ShowHelpTopic(kHelpContext);
}
