// The records that wait between the threads that log and the results tree: order, texts, stamps, and the
// memory given back after a flood.
#include <gtest/gtest.h>

#include <string>

#include "ui/PendingResults.h"

TEST(PendingResultsTest, KeepsRecordsInOrderWithTheirTextsAndStamps)
{
    CPendingResults pending;
    EXPECT_TRUE(pending.IsEmpty());
    ASSERT_TRUE(pending.Add(CPendingResults::KindTestBegin, 7, "Name", nullptr));
    ASSERT_TRUE(pending.Add(CPendingResults::KindInformation, 0, "", "10:00:00:5"));
    ASSERT_TRUE(pending.Add(CPendingResults::KindError, 0, "[Line 3] bad", "10:00:01:17"));
    ASSERT_TRUE(pending.Add(CPendingResults::KindTestEnd, 1, nullptr, nullptr));
    // A stamp longer than the record's field is cut, never overrun.
    const std::string longStamp(100, '9');
    ASSERT_TRUE(pending.Add(CPendingResults::KindWarning, 0, "w", longStamp.c_str()));

    ASSERT_EQ(pending.GetCount(), 5u);
    struct Expected
    {
        int kind;
        long number;
        const char* text;
        std::string stamp;
        bool message;
    };
    const Expected expected[] = {
        {CPendingResults::KindTestBegin, 7, "Name", "", false},
        {CPendingResults::KindInformation, 0, "", "10:00:00:5", true},
        {CPendingResults::KindError, 0, "[Line 3] bad", "10:00:01:17", true},
        {CPendingResults::KindTestEnd, 1, "", "", false},
        {CPendingResults::KindWarning, 0, "w",
         longStamp.substr(0, sizeof(CPendingResults::Record::stamp) - 1), true},
    };
    for (size_t i = 0; i < pending.GetCount(); ++i)
    {
        SCOPED_TRACE(i);
        const CPendingResults::Record& record = pending.Get(i);
        EXPECT_EQ(record.kind, expected[i].kind);
        EXPECT_EQ(record.number, expected[i].number);
        EXPECT_STREQ(pending.GetText(record), expected[i].text);
        EXPECT_EQ(std::string(record.stamp), expected[i].stamp);
        EXPECT_EQ(CPendingResults::IsMessage(record.kind), expected[i].message);
    }
}

TEST(PendingResultsTest, SwapHandsOverABatchAndRemoveAllEmpties)
{
    CPendingResults filling, showing;
    for (int i = 0; i < 50000; ++i)
        ASSERT_TRUE(
            filling.Add(CPendingResults::KindInformation, i, "a line of a flood of lines", "12:00:00:0"));
    filling.Swap(showing);
    EXPECT_TRUE(filling.IsEmpty());
    ASSERT_EQ(showing.GetCount(), 50000u);
    EXPECT_EQ(showing.Get(49999).number, 49999);
    EXPECT_STREQ(showing.GetText(showing.Get(49999)), "a line of a flood of lines");
    // Records added after the swap start a new batch.
    ASSERT_TRUE(filling.Add(CPendingResults::KindRunEnd, 0, nullptr, nullptr));
    EXPECT_EQ(filling.GetCount(), 1u);
    showing.RemoveAll();
    EXPECT_TRUE(showing.IsEmpty());
    ASSERT_TRUE(showing.Add(CPendingResults::KindClear, 0, nullptr, nullptr));
    EXPECT_STREQ(showing.GetText(showing.Get(0)), "");
}
