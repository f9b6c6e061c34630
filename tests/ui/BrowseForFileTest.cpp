// The file browser: the results name rule, the bounded default name, the dialogs' answers without an owner,
// and a save dialog driven to its end.
#include <gtest/gtest.h>

#include <string>

#include "ui/BrowseForFile.h"
#include "tests/ui/DialogTestSupport.h"
#include "framework/Wnd.h"

namespace
{
TEST(BrowseForFileTest, ResultsNameGetsTxtOnlyWhenTheFileNameHasNone)
{
    struct Case
    {
        const char* chosen;
        const char* used;
    };
    const Case cases[] = {
        {"C:\\out\\results", "C:\\out\\results.txt"},
        {"C:\\out\\results.txt", "C:\\out\\results.txt"},
        {"C:\\out\\RESULTS.TXT", "C:\\out\\RESULTS.TXT"},
        {"C:\\out\\results.Txt.bak", "C:\\out\\results.Txt.bak"}, // ".txt" in the middle of the name
        {"C:\\out\\results.log", "C:\\out\\results.log.txt"},
        {"C:\\my.txt.files\\results", "C:\\my.txt.files\\results.txt"}, // ".txt" only in a folder name
        {"C:\\logs.TXT\\run", "C:\\logs.TXT\\run.txt"},
        {"D:results", "D:results.txt"},
        {"C:/out/notes.txt", "C:/out/notes.txt"},
        {"C:/out.txt/notes", "C:/out.txt/notes.txt"},
        {"", ""},
    };
    for (const Case& c : cases)
    {
        CDravikString used = CBrowseForFile::ApplyResultsExtension(CDravikString(c.chosen));
        EXPECT_STREQ(used.IsEmpty() ? "" : used.GetAnsi(), c.used) << c.chosen;
    }
}

TEST(BrowseForFileTest, DefaultNameIsCopiedWithABound)
{
    struct Case
    {
        size_t length;
        size_t copied;
    };
    for (Case c : {Case{0, 0}, Case{10, 10}, Case{255, 255}, Case{256, 255}, Case{1000, 255}})
    {
        CBrowseForFile browser;
        std::string name(c.length, 'n');
        browser.SetDefaultFileName(CDravikString(name.c_str()));
        char buffer[CBrowseForFile::kFileBufferChars + 16];
        memset(buffer, '#', sizeof buffer);
        browser.FillFileBuffer(buffer);
        EXPECT_EQ(strlen(buffer), c.copied) << c.length;
        // Nothing is written past the buffer the dialogs get.
        for (size_t i = CBrowseForFile::kFileBufferChars; i < sizeof buffer; ++i)
            ASSERT_EQ(buffer[i], '#') << c.length;
    }
}

TEST(BrowseForFileTest, ResetClearsEverythingAndWithoutOwnerNothingIsAsked)
{
    CBrowseForFile browser;
    CWnd owner;
    browser.SetOwner(&owner);
    browser.SetInitialFolder(CDravikString("C:\\"));
    browser.SetDefaultFileName(CDravikString("x.txt"));
    browser.SetSelectedPath(CDravikString("C:\\x.txt"));
    browser.Reset();
    EXPECT_EQ(browser.GetOwner(), nullptr);
    EXPECT_TRUE(browser.GetInitialFolder().IsEmpty());
    EXPECT_TRUE(browser.GetDefaultFileName().IsEmpty());
    EXPECT_TRUE(browser.GetSelectedPath().IsEmpty());
    EXPECT_TRUE(browser.BrowseForSuite().IsEmpty());
    EXPECT_TRUE(browser.BrowseForResults().IsEmpty());
    EXPECT_TRUE(browser.GetSelectedPath().IsEmpty());
}

class CPlainWindow : public CWnd
{
public:
    CPlainWindow() { CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
    ~CPlainWindow() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

TEST(BrowseForFileTest, SaveDialogAddsTxtToATypedNameAndCancelGivesNothing)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "qvx.browse.txt.folder";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string typed = folder + "\\exported";
    ::DeleteFileA((typed + ".txt").c_str());

    CPlainWindow owner;
    ASSERT_NE(owner.m_hWnd, nullptr);
    CBrowseForFile browser;
    browser.SetOwner(&owner);
    browser.SetInitialFolder(CDravikString(folder.c_str()));
    {
        dialog_test::CFileDialogDriver driver(typed.c_str(), IDOK);
        CDravikString chosen = browser.BrowseForResults();
        ASSERT_TRUE(driver.Found());
        ASSERT_FALSE(chosen.IsEmpty());
        // The dialog may add its own default extension; either way the result ends in ".txt" exactly once.
        std::string path = chosen.GetAnsi();
        EXPECT_EQ(_stricmp(path.c_str(), (typed + ".txt").c_str()), 0) << path;
        EXPECT_STREQ(browser.GetSelectedPath().PeekAnsi(), chosen.GetAnsi());
    }
    {
        dialog_test::CFileDialogDriver driver(typed.c_str(), IDCANCEL);
        CDravikString chosen = browser.BrowseForResults();
        ASSERT_TRUE(driver.Found());
        EXPECT_TRUE(chosen.IsEmpty());
        EXPECT_EQ(_stricmp(browser.GetSelectedPath().PeekAnsi(), (typed + ".txt").c_str()), 0)
            << "a cancelled dialog keeps the last choice";
    }
    ::RemoveDirectoryA(folder.c_str());
}
} // namespace
