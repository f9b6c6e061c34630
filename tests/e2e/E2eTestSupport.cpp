#include "tests/e2e/E2eTestSupport.h"

#include <cctype>

namespace qvx_e2e
{
const char kHarnessCaption[] = "Deva Vozi Vozadod";
const char kNoSuiteText[] = "<< No Test Suite Loaded >>";

namespace
{
void DeleteFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteFolder(folder + name + "\\");
            else
            {
                ::SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA((folder + name).c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}
} // namespace

void CHarnessTest::SetUp()
{
    char temp[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();
    for (char& ch : name)
    {
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    }
    m_scratch = std::string(temp) + "qvx-e2e-" + std::to_string(::GetCurrentProcessId()) + "-" + name + "\\";
    DeleteFolder(m_scratch);
    ASSERT_TRUE(::CreateDirectoryA(m_scratch.c_str(), nullptr)) << m_scratch;
}

void CHarnessTest::TearDown()
{
    if (m_process.Handle())
    {
        const bool closed = m_process.Close();
        EXPECT_TRUE(closed) << "the program did not end within 10 s of closing its dialog and was terminated";
        if (closed)
        {
            EXPECT_EQ(m_process.ExitCode(), m_expectedExitCode) << "exit code of the program";
        }
    }
    DeleteFolder(m_scratch);
}

void CHarnessTest::Launch(const std::string& suitePath, const std::string& emptyTestSleepMs,
                          const std::string& currentFolder)
{
    ASSERT_TRUE(m_process.Start(suitePath, emptyTestSleepMs, currentFolder)) << m_process.Error();
}

::testing::AssertionResult CHarnessTest::WaitForField(int id, const std::string& text, DWORD timeoutMs) const
{
    std::string last;
    if (WaitUntil(
            [&] {
                last = Field(id);
                return last == text;
            },
            timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "field " << id << " shows \"" << last << "\", not \"" << text << "\"";
}

::testing::AssertionResult CHarnessTest::RunAllToTheEnd(DWORD timeoutMs) const
{
    PostCommand(Main(), kCommandRunAll);
    return WaitForField(kCurrentTestField, "All Tests Completed", timeoutMs);
}

std::vector<std::string> CHarnessTest::TreeLines() const
{
    std::vector<std::string> lines;
    CRemoteTree tree(::GetDlgItem(Main(), kResultsTree));
    std::vector<CRemoteTreeItem> items;
    if (!tree.ReadAll(items))
    {
        lines.push_back("<the results tree could not be read>");
        return lines;
    }
    for (const CRemoteTreeItem& item : items)
    {
        // "+" marks an unfolded test: tests that failed or were warned stay unfolded, clean ones are folded.
        const bool marked = item.depth == 0;
        lines.push_back(std::string(static_cast<size_t>(item.depth) * 4, ' ') + "{" +
                        std::to_string(item.image) + (marked && item.expanded ? "+" : "") + "} " +
                        MaskStamps(item.text));
    }
    return lines;
}

::testing::AssertionResult CHarnessTest::WaitForMessageBoxText(HWND& box, CMessageBoxText& text,
                                                               DWORD timeoutMs) const
{
    box = WaitForMessageBox(ProcessId(), timeoutMs);
    if (!box)
        return ::testing::AssertionFailure() << "no message box within " << timeoutMs << " ms";
    text = ReadMessageBox(box);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CHarnessTest::LoadThroughOpenDialog(const std::string& path) const
{
    PostCommand(Main(), kCommandLoad);
    HWND open = WaitForFileDialog(ProcessId(), 15000);
    if (!open)
        return ::testing::AssertionFailure() << "the Open dialog did not show";
    if (!AnswerFileDialog(open, path, IDOK))
        return ::testing::AssertionFailure() << "the Open dialog could not be answered";
    if (!WaitUntil([&] { return !::IsWindow(open); }, 15000))
        return ::testing::AssertionFailure() << "the Open dialog stayed open";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CHarnessTest::DrainCommandsThroughAbout() const
{
    PostCommand(Main(), kCommandAbout);
    HWND about = nullptr;
    if (!WaitUntil(
            [&] {
                about = FindProcessWindow(ProcessId(), "#32770", "About Quorvex");
                return about != nullptr;
            },
            15000))
        return ::testing::AssertionFailure() << "the about box did not show";
    if (!DismissAndWait(about, IDOK, 10000))
        return ::testing::AssertionFailure() << "the about box did not close";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CHarnessTest::WaitForProgressColour(double share, COLORREF expected, int tolerance,
                                                               DWORD timeoutMs) const
{
    HWND indicator = ::GetDlgItem(Main(), kProgressIndicator);
    RECT client;
    if (!indicator || !::GetClientRect(indicator, &client) || client.bottom < 8 || client.right < 8)
        return ::testing::AssertionFailure() << "no progress indicator of a usable size";
    int x = static_cast<int>(client.right * share);
    x = x < 2 ? 2 : (x > client.right - 3 ? client.right - 3 : x);
    // Two rows above the bottom edge the bar has almost its base colour. The screen may lag behind the
    // painting (or show the window just raised before it has been repainted): look until it matches.
    COLORREF colour = CLR_INVALID;
    bool seen = false;
    if (WaitUntil(
            [&] {
                seen = ReadClientPixel(indicator, x, client.bottom - 3, colour, 1000) || seen;
                return seen && IsNearColour(colour, expected, tolerance);
            },
            timeoutMs, 50))
        return ::testing::AssertionSuccess();
    if (!seen)
        return ::testing::AssertionFailure() << "the indicator could not be seen on the screen";
    return ::testing::AssertionFailure()
           << "at " << share << " of the bar the screen shows " << DescribeColour(colour)
           << ", expected about " << DescribeColour(expected);
}
} // namespace qvx_e2e
