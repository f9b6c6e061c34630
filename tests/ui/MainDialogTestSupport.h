// The main dialog as the dialog tests drive it: a dialog whose message boxes are recorded instead of shown,
// with an application, and a fixture that creates both (modeless, with a configuration folder of its own)
// and takes them down again after any run has stopped. The dialog hears of runs through its own observer,
// which it connects to the application while its window exists.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/UiResourceIds.h"
#include "tests/ui/DialogTestSupport.h"
#include "tests/common/TestFolders.h"
#include "ui/QuorvexDialogApp.h"
#include "ui/QuorvexDlg.h"
#include "ui/UnitTestUILogManager.h"

namespace dialog_test
{
struct CShownMessage
{
    std::string text;
    std::string caption;
    UINT type;
};

// The main dialog with its message boxes recorded instead of shown.
class CMainDialogProbe : public CQuorvexDlg
{
public:
    int ShowMessageBox(const char* text, const char* caption, UINT type) override
    {
        messages.push_back({text ? text : "", caption ? caption : "", type});
        return IDOK;
    }
    std::vector<CShownMessage> messages;
};

inline std::string Text(CWnd& dialog, int id)
{
    char text[512] = {};
    ::GetDlgItemTextA(dialog.m_hWnd, id, text, sizeof text);
    return text;
}

// The engine's fixture suites lie beside the tests.
inline std::string FixturePath(const char* name)
{
    return qvx_test::EngineFixturePath(name);
}

class CMainDialogFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Runs of the many-tests fixture last (2 ms a test), so that a test can look at a run in progress.
        ::SetEnvironmentVariableA("QVX_FX_EMPTY_SLEEP", "2");
        m_app.reset(new CQuorvexDialogApp);
        m_app->SetUILogManager(new CUnitTestUILogManager);
        m_dialog.reset(new CMainDialogProbe);
        m_dialog->SetApplication(m_app.get());
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_configFolder =
            std::string(temp) + "qvx-main-" + std::to_string(::GetCurrentProcessId()) + "\\data\\";
        m_dialog->SetConfigFile(CClientConfigFile(CDravikString(m_configFolder.c_str())));
        ASSERT_TRUE(m_dialog->Create(CQuorvexDlg::kTemplateId, nullptr));
        PumpMessages();
    }
    void TearDown() override
    {
        if (m_dialog && m_dialog->m_hWnd)
        {
            m_dialog->OnCancelRun();
            PumpUntil([&] { return !m_app->GetExecutor()->IsRunInProgress(); });
            m_dialog->DestroyWindow();
        }
        m_app->UnloadTestSuite();
        m_dialog.reset();
        m_app.reset();
        ::SetEnvironmentVariableA("QVX_FX_EMPTY_SLEEP", nullptr);
        ::DeleteFileA((m_configFolder + "QVXClient.cfg").c_str());
        ::RemoveDirectoryA(m_configFolder.c_str());
        ::RemoveDirectoryA(m_configFolder.substr(0, m_configFolder.size() - 5).c_str());
    }
    CUnitTestExecutor* Executor() { return m_app->GetExecutor(); }
    // Runs all tests and waits for the end of the run as the dialog sees it.
    void RunAllToTheEnd()
    {
        m_dialog->SendMessage(WM_COMMAND, ID_RUN_ALL, 0);
        ASSERT_TRUE(PumpUntil(
            [&] {
                return !Executor()->IsRunInProgress() &&
                       Text(*m_dialog, IDC_CURRENT_TEST) == "All Tests Completed";
            },
            20000));
        PumpMessages();
    }

    std::unique_ptr<CQuorvexDialogApp> m_app;
    std::unique_ptr<CMainDialogProbe> m_dialog;
    std::string m_configFolder;
};
} // namespace dialog_test
