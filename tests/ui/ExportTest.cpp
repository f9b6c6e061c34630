// The results export: byte for byte against a golden file (time stamps masked), CR LF line ends and no
// byte-order mark; an empty tree writes nothing; a failed write or an unusable path fails the export; lines
// are bounded at 4,095 characters.
#include <gtest/gtest.h>

#include <string>

#include "foundation/FileInterface.h"
#include "tests/ui/ResultsTreeTestSupport.h"

namespace
{
std::string ScratchPath(const char* name)
{
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "qvx_export_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Fails the n-th line it is asked to write (counting from 1), writes the others.
class CFailingWriteTree : public CUnitTestLogDisplay
{
public:
    bool WriteLine(CFileInterface* file, CDravikString text) override
    {
        if (++m_nLines == m_nFailAt)
            return false;
        return CUnitTestLogDisplay::WriteLine(file, text);
    }
    int m_nLines = 0;
    int m_nFailAt = 0;
};

class ExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.IsReady());
        m_path = ScratchPath("results.txt");
        DeleteFileA(m_path.c_str());
    }
    void TearDown() override { DeleteFileA(m_path.c_str()); }

    // Two tests (the second split into groups of two) and a message outside any test.
    static void Fill(CUnitTestLogDisplay& tree)
    {
        tree.SetGroupSize(2);
        tree.AddTest(CDravikString("Alpha"), 1);
        tree.AddInformation(CDravikString("first"));
        tree.AddWarning(CDravikString("[Line 3] careful"));
        tree.EndTest();
        tree.AddTest(CDravikString("Beta"), 2);
        tree.AddError(CDravikString("broken"));
        tree.AddInformation(CDravikString("x"));
        tree.AddInformation(CDravikString("y"));
        tree.EndTest();
        tree.AddInformation(CDravikString("outside"));
    }

    CResultsTreeHost m_host{false};
    std::string m_path;
};
} // namespace

TEST_F(ExportTest, WritesTheGoldenFile)
{
    Fill(m_host.Tree());
    ASSERT_TRUE(m_host.Tree().ExportToFile(CDravikString(m_path.c_str()), CDravikString("Golden Suite"),
                                           CDravikString("00:01:05")));
    std::string written = ReadFileBytes(m_path);
    ASSERT_FALSE(written.empty());
    EXPECT_NE(written.substr(0, 3), "\xEF\xBB\xBF");
    std::string golden = ReadFileBytes(std::string(QVX_UI_GOLDEN_DIR) + "/results_export.txt");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(MaskStamps(written), golden);
    // Every line ends in CR LF: no bare line feed anywhere.
    for (size_t i = 0; i < written.size(); ++i)
    {
        if (written[i] == '\n')
        {
            ASSERT_TRUE(i > 0 && written[i - 1] == '\r') << "bare line feed at " << i;
        }
    }
}

TEST_F(ExportTest, ReplacesAnExistingFile)
{
    {
        CFileInterface old;
        ASSERT_TRUE(old.CreateForWriting(m_path.c_str()));
        std::string junk(50000, 'j');
        DWORD written = 0;
        ASSERT_TRUE(old.Write(junk.data(), static_cast<long>(junk.size()), &written));
    }
    m_host.Tree().AddTest(CDravikString("Only"), 1);
    ASSERT_TRUE(
        m_host.Tree().ExportToFile(CDravikString(m_path.c_str()), CDravikString("S"), CDravikString("")));
    std::string written = ReadFileBytes(m_path);
    EXPECT_EQ(written.find('j'), std::string::npos);
    EXPECT_NE(written.find("1. Only\r\n\r\n"), std::string::npos);
    EXPECT_EQ(written.size() - written.rfind("1. Only"), std::string("1. Only\r\n\r\n").size());
}

TEST_F(ExportTest, AnEmptyTreeFailsAndWritesNoFile)
{
    EXPECT_FALSE(
        m_host.Tree().ExportToFile(CDravikString(m_path.c_str()), CDravikString("S"), CDravikString("")));
    EXPECT_FALSE(FileExists(m_path));
}

TEST_F(ExportTest, AnUnusablePathFails)
{
    Fill(m_host.Tree());
    // A folder in place of the file, and a name the file system refuses.
    std::string folder = ScratchPath("folder");
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_FALSE(
        m_host.Tree().ExportToFile(CDravikString(folder.c_str()), CDravikString("S"), CDravikString("")));
    RemoveDirectoryA(folder.c_str());
    std::string refused = ScratchPath("bad<>|name.txt");
    EXPECT_FALSE(
        m_host.Tree().ExportToFile(CDravikString(refused.c_str()), CDravikString("S"), CDravikString("")));
}

TEST_F(ExportTest, AFailedWriteFailsTheExportAndClosesTheFile)
{
    CFailingWriteTree tree;
    CWnd& frame = m_host.Frame();
    RECT client = {0, 0, 200, 200};
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASBUTTONS, client, &frame, 2037));
    tree.Initialize();
    Fill(tree);
    // The summary's third line, a message line, a test line and the last empty line.
    for (int failAt : {3, 10, 13, 19})
    {
        SCOPED_TRACE(failAt);
        tree.m_nLines = 0;
        tree.m_nFailAt = failAt;
        EXPECT_FALSE(
            tree.ExportToFile(CDravikString(m_path.c_str()), CDravikString("S"), CDravikString("1")));
        // Every other line was still written, and the file is closed: it can be deleted at once.
        EXPECT_EQ(tree.m_nLines, 19);
        EXPECT_TRUE(DeleteFileA(m_path.c_str()));
    }
    tree.m_nLines = 0;
    tree.m_nFailAt = 0;
    EXPECT_TRUE(tree.ExportToFile(CDravikString(m_path.c_str()), CDravikString("S"), CDravikString("1")));
    tree.DestroyWindow();
}

TEST_F(ExportTest, LongMessagesAreCutAtTheLineLimit)
{
    std::string longText(10000, 'x');
    longText.replace(0, 5, "long:");
    m_host.Tree().AddTest(CDravikString("Long"), 1);
    ASSERT_TRUE(m_host.Tree().AddError(CDravikString(longText.c_str())));
    CUnitTestLogDisplayEntry* message =
        static_cast<CUnitTestLogDisplayEntry*>(m_host.Tree().GetCurrentTest()->GetChildren()->GetHeadData());
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->PeekText().GetLength(), 4095);
    ASSERT_TRUE(
        m_host.Tree().ExportToFile(CDravikString(m_path.c_str()), CDravikString("S"), CDravikString("")));
    std::string written = ReadFileBytes(m_path);
    size_t start = written.find("   |--> << ERROR >> [");
    ASSERT_NE(start, std::string::npos);
    size_t end = written.find("\r\n", start);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(end - start, 4095u);
    EXPECT_NE(written.find("long:xxx", start), std::string::npos);
}
