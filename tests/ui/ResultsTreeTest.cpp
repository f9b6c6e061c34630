// The results tree fed directly on the user-interface thread: pictures and sets per kind of test, messages
// outside tests, grouping of long logs, and clearing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/ResultsTreeTestSupport.h"

namespace
{
class ResultsTreeTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_host.IsReady()); }
    CUnitTestLogDisplay& Tree() { return m_host.Tree(); }
    CResultsTreeHost m_host{false};
};

struct TestCase
{
    const char* name;
    const char* messages; // e = error, w = warning, i = information, in order
    int testImage;
    bool failed;
    bool warned;
    std::vector<int> messageImages;
};
} // namespace

TEST_F(ResultsTreeTest, PicturesAndSetsFollowTheMessagesOfEachTest)
{
    const TestCase cases[] = {
        {"Nothing", "", CUnitTestLogDisplay::ImageTestEmpty, false, false, {}},
        {"InfoOnly", "ii", CUnitTestLogDisplay::ImageTestClean, false, false, {0, 0}},
        {"Warned", "iw", CUnitTestLogDisplay::ImageTestWarned, false, true, {0, 2}},
        {"WarnThenError", "we", CUnitTestLogDisplay::ImageTestFailed, true, false, {2, 1}},
        {"ErrorThenWarning", "ew", CUnitTestLogDisplay::ImageTestFailed, true, false, {1, 2}},
    };
    long number = 0;
    long errors = 0, warnings = 0, infos = 0, failed = 0, warned = 0;
    for (const TestCase& test : cases)
    {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(Tree().AddTest(CDravikString(test.name), ++number));
        for (const char* m = test.messages; *m; ++m)
        {
            std::string text = std::string(test.name) + " " + *m;
            if (*m == 'e')
            {
                EXPECT_TRUE(Tree().AddError(CDravikString(text.c_str())));
                ++errors;
            }
            else if (*m == 'w')
            {
                EXPECT_TRUE(Tree().AddWarning(CDravikString(text.c_str())));
                ++warnings;
            }
            else
            {
                EXPECT_TRUE(Tree().AddInformation(CDravikString(text.c_str())));
                ++infos;
            }
        }
        CUnitTestLogDisplayEntry* entry = Tree().GetCurrentTest();
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(Tree().EndTest());
        EXPECT_EQ(Tree().GetCurrentTest(), nullptr);
        failed += test.failed;
        warned += test.warned;
        EXPECT_EQ(Tree().IsErrorEntry(entry), test.failed);
        EXPECT_EQ(Tree().IsWarningEntry(entry), test.warned);

        std::vector<ShownItem> shown = Snapshot(Tree());
        std::string title = std::to_string(number) + ". " + test.name;
        const ShownItem* item = FindShown(shown, title);
        ASSERT_NE(item, nullptr) << title;
        EXPECT_EQ(item->image, test.testImage);
        EXPECT_EQ(item->depth, 0);
        std::vector<int> images;
        for (const char* m = test.messages; *m; ++m)
        {
            const ShownItem* message = FindShown(shown, std::string("[TS] ") + test.name + " " + *m);
            ASSERT_NE(message, nullptr);
            EXPECT_EQ(message->depth, 1);
            images.push_back(message->image);
        }
        EXPECT_EQ(images, test.messageImages);
    }
    EXPECT_EQ(Tree().GetErrorCount(), errors);
    EXPECT_EQ(Tree().GetWarningCount(), warnings);
    EXPECT_EQ(Tree().GetInformationCount(), infos);
    EXPECT_EQ(Tree().GetMessageCount(), errors + warnings + infos);
    EXPECT_EQ(Tree().GetFailedTestCount(), failed);
    EXPECT_EQ(Tree().GetWarnedTestCount(), warned);
    EXPECT_EQ(Tree().CountTests(), number);
}

TEST_F(ResultsTreeTest, MessagesOutsideTestsGoToTheRootAndEmptyTextsAddNothing)
{
    EXPECT_FALSE(Tree().AddTest(CDravikString(""), 1));
    EXPECT_FALSE(Tree().AddInformation(CDravikString("")));
    EXPECT_FALSE(Tree().AddError(CDravikString("")));
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_EQ(Tree().GetMessageCount(), 0);

    EXPECT_TRUE(Tree().AddError(CDravikString("outside")));
    std::vector<ShownItem> shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "[TS] outside");
    EXPECT_EQ(shown[0].depth, 0);
    EXPECT_EQ(shown[0].image, CUnitTestLogDisplay::ImageError);
    EXPECT_EQ(Tree().GetErrorCount(), 1);
    EXPECT_EQ(Tree().GetFailedTestCount(), 0);
    // A message at the root is no test: only test entries count as tests run.
    EXPECT_EQ(Tree().CountTests(), 0);
    ASSERT_TRUE(Tree().AddTest(CDravikString("Later"), 1));
    ASSERT_TRUE(Tree().EndTest());
    ASSERT_TRUE(Tree().AddInformation(CDravikString("after the test")));
    EXPECT_EQ(Tree().CountTests(), 1);
}

TEST_F(ResultsTreeTest, TimeStampIsTheLocalTimeOfDayWithMilliseconds)
{
    ASSERT_TRUE(Tree().AddTest(CDravikString("Stamp"), 1));
    ASSERT_TRUE(Tree().AddInformation(CDravikString("stamped")));
    std::vector<ShownItem> shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "[TS] stamped");
    char raw[256] = {};
    TVITEMA info = {};
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = Tree().GetChildItem(Tree().GetRootItem());
    info.pszText = raw;
    info.cchTextMax = sizeof(raw);
    ASSERT_TRUE(Tree().GetItem(&info));
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    char hour[4];
    std::snprintf(hour, sizeof(hour), "%02u", now.wHour);
    // "[hh:mm:ss:ms] text" with the hour of now (a test that runs across the hour may see the last one).
    EXPECT_EQ(raw[0], '[');
    EXPECT_TRUE(std::string(raw + 1, 2) == hour || now.wMinute == 0) << raw;
}

TEST_F(ResultsTreeTest, LongLogsAreSplitIntoGroupsOfTheGroupSize)
{
    ASSERT_TRUE(Tree().SetGroupSize(3));
    EXPECT_FALSE(Tree().SetGroupSize(0));
    ASSERT_TRUE(Tree().AddTest(CDravikString("Long"), 1));
    // Message 2 is an error and message 3 a warning: their marks move with them into group 1.
    Tree().AddInformation(CDravikString("m1"));
    Tree().AddError(CDravikString("m2"));
    Tree().AddWarning(CDravikString("m3"));
    {
        std::vector<ShownItem> shown = Snapshot(Tree());
        ASSERT_EQ(shown.size(), 4u);
        EXPECT_EQ(shown[0].children, 3);
        EXPECT_EQ(Tree().GetGroupCount(), 0);
    }
    Tree().AddInformation(CDravikString("m4"));
    {
        std::vector<ShownItem> shown = Snapshot(Tree());
        std::vector<std::string> texts;
        std::vector<int> depths;
        for (const ShownItem& item : shown)
        {
            texts.push_back(item.text);
            depths.push_back(item.depth);
        }
        std::vector<std::string> expected = {"1. Long", "Log Result Group 1 (1 - 3)", "[TS] m1", "[TS] m2",
                                             "[TS] m3", "Log Result Group 2 (4 - 4)", "[TS] m4"};
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(depths, (std::vector<int>{0, 1, 2, 2, 2, 1, 2}));
        const ShownItem* group1 = FindShown(shown, "Log Result Group 1 (1 - 3)");
        ASSERT_NE(group1, nullptr);
        EXPECT_FALSE(group1->expanded);
        EXPECT_EQ(group1->image, CUnitTestLogDisplay::ImageTestClean);
        EXPECT_EQ(FindShown(shown, "[TS] m2")->image, CUnitTestLogDisplay::ImageError);
        EXPECT_EQ(FindShown(shown, "[TS] m3")->image, CUnitTestLogDisplay::ImageWarning);
        EXPECT_TRUE(FindShown(shown, "Log Result Group 2 (4 - 4)")->expanded);
        EXPECT_EQ(Tree().GetErrorCount(), 1);
        EXPECT_EQ(Tree().GetWarningCount(), 1);
        EXPECT_EQ(Tree().GetInformationCount(), 2);
        EXPECT_EQ(Tree().GetCount(), 7u);
        EXPECT_EQ(Tree().GetItemCount(), 7);
    }
    for (const char* text : {"m5", "m6", "m7"})
        Tree().AddInformation(CDravikString(text));
    {
        std::vector<ShownItem> shown = Snapshot(Tree());
        ASSERT_NE(FindShown(shown, "Log Result Group 2 (4 - 6)"), nullptr);
        EXPECT_FALSE(FindShown(shown, "Log Result Group 2 (4 - 6)")->expanded);
        ASSERT_NE(FindShown(shown, "Log Result Group 3 (7 - 7)"), nullptr);
        EXPECT_EQ(FindShown(shown, "Log Result Group 3 (7 - 7)")->children, 1);
    }
    Tree().AddInformation(CDravikString("m8"));
    Tree().EndTest();
    std::vector<ShownItem> shown = Snapshot(Tree());
    EXPECT_NE(FindShown(shown, "Log Result Group 3 (7 - 8)"), nullptr);
    // The failed mark of the test survives the move of its messages.
    EXPECT_EQ(FindShown(shown, "1. Long")->image, CUnitTestLogDisplay::ImageTestFailed);
    EXPECT_EQ(Tree().GetMessageCount(), 8);
}

TEST_F(ResultsTreeTest, ClearingForgetsTheCurrentTestAndGroup)
{
    ASSERT_TRUE(Tree().SetGroupSize(2));
    ASSERT_TRUE(Tree().AddTest(CDravikString("Before"), 1));
    for (const char* text : {"a", "b", "c"})
        Tree().AddWarning(CDravikString(text));
    ASSERT_NE(Tree().GetCurrentGroup(), nullptr);
    EXPECT_TRUE(Tree().ClearResults());
    EXPECT_EQ(Tree().GetCurrentTest(), nullptr);
    EXPECT_EQ(Tree().GetCurrentGroup(), nullptr);
    EXPECT_EQ(Tree().GetGroupCount(), 0);
    EXPECT_EQ(Tree().GetMessagesInCurrentGroup(), 0);
    EXPECT_EQ(Tree().GetMessageCount(), 0);
    EXPECT_EQ(Tree().GetWarnedTestCount(), 0);
    EXPECT_EQ(Tree().GetCount(), 0u);

    // Messages after the clear go to the root, not under a deleted entry; ending the test is harmless.
    EXPECT_TRUE(Tree().AddError(CDravikString("after")));
    EXPECT_FALSE(Tree().CollapseCurrentTest());
    EXPECT_FALSE(Tree().EndTest());
    std::vector<ShownItem> shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].depth, 0);
    EXPECT_EQ(Tree().GetErrorCount(), 1);
}

TEST_F(ResultsTreeTest, FullSizeGroupsHoldThirtyThousandMessages)
{
    ASSERT_EQ(Tree().GetGroupSize(), CUnitTestLogDisplay::kDefaultGroupSize);
    ASSERT_TRUE(Tree().AddTest(CDravikString("Full"), 1));
    char text[32];
    for (long i = 1; i <= 60001; ++i)
    {
        std::snprintf(text, sizeof(text), "n%ld", i);
        ASSERT_TRUE(Tree().AddInformation(CDravikString(text)));
        if (i == 30000)
        {
            EXPECT_EQ(Tree().GetGroupCount(), 0);
            EXPECT_EQ(Tree().GetCurrentTest()->GetChildCount(), 30000);
        }
        if (i == 30001)
        {
            EXPECT_EQ(Tree().GetGroupCount(), 2);
            EXPECT_EQ(Tree().GetCurrentTest()->GetChildCount(), 2);
            EXPECT_STREQ(Tree().GetItemText(Tree().GetChildItem(Tree().GetRootItem())),
                         "Log Result Group 1 (1 - 30000)");
            EXPECT_EQ(Tree().GetCurrentGroup()->GetChildCount(), 1);
        }
    }
    EXPECT_EQ(Tree().GetGroupCount(), 3);
    HTREEITEM group1 = Tree().GetChildItem(Tree().GetRootItem());
    HTREEITEM group2 = Tree().GetNextSiblingItem(group1);
    HTREEITEM group3 = Tree().GetNextSiblingItem(group2);
    EXPECT_STREQ(Tree().GetItemText(group2), "Log Result Group 2 (30001 - 60000)");
    EXPECT_STREQ(Tree().GetItemText(group3), "Log Result Group 3 (60001 - 60001)");
    EXPECT_EQ(Tree().LookupItem(group1)->GetChildCount(), 30000);
    EXPECT_EQ(Tree().LookupItem(group2)->GetChildCount(), 30000);
    EXPECT_EQ(Tree().GetInformationCount(), 60001);
    EXPECT_EQ(Tree().GetCount(), 60001u + 4u);
    // The first message moved into group 1 keeps its text.
    EXPECT_EQ(MaskStamps(std::string(Tree().GetItemText(Tree().GetChildItem(group1)))), "[TS] n1");
}

// Painting held back during a burst comes back with the newest entry scrolled into view; a test folded at
// its end in the meantime stays folded (scrolling to its last message would open it again).
TEST_F(ResultsTreeTest, AFoldedTestStaysFoldedWhenPaintingComesBack)
{
    ASSERT_TRUE(Tree().AddTest(CDravikString("Clean"), 1));
    ASSERT_TRUE(Tree().AddInformation(CDravikString("one")));
    ASSERT_TRUE(Tree().AddInformation(CDravikString("two")));
    EXPECT_TRUE(Tree().IsRedrawDeferred());
    ASSERT_TRUE(Tree().CollapseCurrentTest());
    ASSERT_TRUE(Tree().EndTest());
    PumpMessages(3 * CUnitTestLogDisplay::kFlushRedrawMilliseconds);
    EXPECT_FALSE(Tree().IsRedrawDeferred());
    std::vector<ShownItem> shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_FALSE(shown[0].expanded);

    // A later test's messages are scrolled to as usual, and the folded one stays folded.
    ASSERT_TRUE(Tree().AddTest(CDravikString("Next"), 2));
    ASSERT_TRUE(Tree().AddWarning(CDravikString("three")));
    PumpMessages(3 * CUnitTestLogDisplay::kFlushRedrawMilliseconds);
    shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_FALSE(shown[0].expanded);
    EXPECT_TRUE(shown[3].expanded);
}

namespace
{
// A tree that regroups in steps, as the dialog's log sink sets it up, with groups just above the size that
// regroups at once.
class SteppedRegroupTest : public ResultsTreeTest
{
protected:
    static constexpr int kGroup = static_cast<int>(CUnitTestLogDisplay::kRegroupStepThreshold) + 200;
    void SetUp() override
    {
        ResultsTreeTest::SetUp();
        Tree().SetRegroupInSteps(true);
        ASSERT_TRUE(Tree().SetGroupSize(kGroup));
    }
    // One group's worth of messages and one more: message 2 is an error, message 3 a warning.
    void Fill()
    {
        ASSERT_TRUE(Tree().AddTest(CDravikString("Long"), 1));
        char text[32];
        for (int i = 1; i <= kGroup + 1; ++i)
        {
            std::snprintf(text, sizeof(text), "m%d", i);
            if (i == 2)
                ASSERT_TRUE(Tree().AddError(CDravikString(text)));
            else if (i == 3)
                ASSERT_TRUE(Tree().AddWarning(CDravikString(text)));
            else
                ASSERT_TRUE(Tree().AddInformation(CDravikString(text)));
        }
    }
    void ExpectCounts()
    {
        EXPECT_EQ(Tree().GetErrorCount(), 1);
        EXPECT_EQ(Tree().GetWarningCount(), 1);
        EXPECT_EQ(Tree().GetInformationCount(), kGroup - 1);
    }
    void PumpUntilRegrouped()
    {
        const DWORD start = GetTickCount();
        while (Tree().IsRegrouping() && GetTickCount() - start < 30000)
            PumpMessages(10);
        ASSERT_FALSE(Tree().IsRegrouping());
    }
};
} // namespace

// The messages move between the window's other work; meanwhile the counts stay right, and at the end the
// tree is the one an immediate regrouping makes.
TEST_F(SteppedRegroupTest, MovesTheMessagesInStepsAndEndsWithTheSameTree)
{
    Fill();
    EXPECT_TRUE(Tree().IsRegrouping());
    ExpectCounts();
    PumpUntilRegrouped();
    ExpectCounts();
    std::vector<ShownItem> shown = Snapshot(Tree());
    ASSERT_EQ(shown.size(), static_cast<size_t>(kGroup) + 4u);
    const std::string group1 = "Log Result Group 1 (1 - " + std::to_string(kGroup) + ")";
    EXPECT_EQ(shown[1].text, group1);
    EXPECT_EQ(shown[1].image, CUnitTestLogDisplay::ImageTestClean);
    EXPECT_FALSE(shown[1].expanded);
    for (int i = 1; i <= kGroup; ++i)
        ASSERT_EQ(shown[1 + i].text, "[TS] m" + std::to_string(i)) << i;
    // The marks moved with their messages.
    EXPECT_EQ(shown[3].image, CUnitTestLogDisplay::ImageError);
    EXPECT_EQ(shown[4].image, CUnitTestLogDisplay::ImageWarning);
    EXPECT_EQ(shown[5].image, CUnitTestLogDisplay::ImageInformation);
    const std::string group2 =
        "Log Result Group 2 (" + std::to_string(kGroup + 1) + " - " + std::to_string(kGroup + 1) + ")";
    EXPECT_EQ(shown[kGroup + 2].text, group2);
    EXPECT_EQ(shown.back().text, "[TS] m" + std::to_string(kGroup + 1));
    // The test went on after the move (and failed): it is shown open again.
    EXPECT_TRUE(shown[0].expanded);
    EXPECT_EQ(shown[0].image, CUnitTestLogDisplay::ImageTestFailed);
}

// A test folded at its end while its messages move stays folded; exporting completes the move first;
// clearing forgets it.
TEST_F(SteppedRegroupTest, FoldingExportingAndClearingDuringTheMove)
{
    Fill();
    ASSERT_TRUE(Tree().IsRegrouping());
    ASSERT_TRUE(Tree().CollapseCurrentTest());
    ASSERT_TRUE(Tree().EndTest());
    PumpUntilRegrouped();
    EXPECT_FALSE(Snapshot(Tree())[0].expanded);

    ASSERT_TRUE(Tree().ClearResults());
    Fill();
    ASSERT_TRUE(Tree().IsRegrouping());
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "qvx-stepped-regroup.txt";
    ASSERT_TRUE(
        Tree().ExportToFile(CDravikString(path.c_str()), CDravikString("Suite"), CDravikString("1s")));
    EXPECT_FALSE(Tree().IsRegrouping());
    const std::string written = ReadFileBytes(path);
    DeleteFileA(path.c_str());
    // Every message once, in order, with the summary's counts.
    const std::string masked = MaskStamps(written);
    EXPECT_NE(masked.find("Total Information Messages: " + std::to_string(kGroup - 1) + "\r\n"),
              std::string::npos);
    EXPECT_NE(masked.find("Total Errors: 1\r\n"), std::string::npos);
    size_t at = 0;
    for (int i = 1; i <= kGroup + 1; ++i)
    {
        const std::string line = "[TS] m" + std::to_string(i) + "\r\n";
        const size_t found = masked.find(line, at);
        ASSERT_NE(found, std::string::npos) << line;
        at = found + line.size();
        EXPECT_EQ(masked.find(line, at), std::string::npos) << line;
    }

    ASSERT_TRUE(Tree().ClearResults());
    Fill();
    ASSERT_TRUE(Tree().IsRegrouping());
    ASSERT_TRUE(Tree().ClearResults());
    EXPECT_FALSE(Tree().IsRegrouping());
    EXPECT_EQ(Tree().GetMessageCount(), 0);
    EXPECT_EQ(Tree().GetCount(), 0u);
    PumpMessages(50);
    EXPECT_EQ(Tree().GetCount(), 0u);
}
