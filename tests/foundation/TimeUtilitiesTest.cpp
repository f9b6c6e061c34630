// Tests of the FILETIME helpers and the time texts. Local-time conversions are given an explicit time zone so
// that they do not depend on the machine's zone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/TimeUtilities.h"

namespace
{
long long FileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD milliseconds)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = milliseconds;
    FILETIME fileTime;
    EXPECT_TRUE(SystemTimeToFileTime(&time, &fileTime));
    return MakeInt64(fileTime.dwLowDateTime, fileTime.dwHighDateTime);
}

// A zone without daylight saving, bias in minutes (UTC = local + bias).
TIME_ZONE_INFORMATION FixedZone(LONG bias)
{
    TIME_ZONE_INFORMATION zone = {};
    zone.Bias = bias;
    return zone;
}

// Central European rules: UTC+1, UTC+2 from the last Sunday of March 02:00 to the last Sunday of October
// 03:00.
TIME_ZONE_INFORMATION CentralEuropeanZone()
{
    TIME_ZONE_INFORMATION zone = {};
    zone.Bias = -60;
    zone.StandardBias = 0;
    zone.DaylightBias = -60;
    zone.StandardDate.wMonth = 10;
    zone.StandardDate.wDayOfWeek = 0;
    zone.StandardDate.wDay = 5;
    zone.StandardDate.wHour = 3;
    zone.DaylightDate.wMonth = 3;
    zone.DaylightDate.wDayOfWeek = 0;
    zone.DaylightDate.wDay = 5;
    zone.DaylightDate.wHour = 2;
    return zone;
}

std::string Text(CDravikString text)
{
    const char* ansi = text.GetAnsi();
    return ansi ? ansi : "";
}

const long long kSecond = FileTimeUnitsPerSecond;
const long long kHour = 3600 * kSecond;
const long long kDay = 24 * kHour;
} // namespace

TEST(TimeUtilitiesTest, MakeInt64JoinsHalvesAndElapsedMillisecondsDivides)
{
    EXPECT_EQ(0x0123456789ABCDEFLL, MakeInt64(0x89ABCDEFu, 0x01234567u));
    EXPECT_EQ(0x00000000FFFFFFFFLL, MakeInt64(0xFFFFFFFFu, 0));
    EXPECT_EQ(1500, ElapsedMilliseconds(1000, 1000 + 15000000));
    EXPECT_EQ(-2, ElapsedMilliseconds(20000, 0));
}

TEST(TimeUtilitiesTest, CurrentFileTimeIsTheSystemTime)
{
    FILETIME system;
    GetSystemTimeAsFileTime(&system);
    const long long expected = MakeInt64(system.dwLowDateTime, system.dwHighDateTime);
    const long long now = GetCurrentFileTime();
    EXPECT_LT(now - expected, 10 * kSecond);
    EXPECT_GE(now - expected, -kSecond);
}

TEST(TimeUtilitiesTest, SplitDurationDropsFractionsAndRejectsNonPositive)
{
    struct Case
    {
        long long duration;
        long days, hours, minutes, seconds;
    } cases[] = {
        {5 * kSecond, 0, 0, 0, 5}, {5 * kSecond + kSecond - 1, 0, 0, 0, 5},
        {25 * kHour, 1, 1, 0, 0},  {3 * kDay + 10 * 60 * kSecond + 7 * kSecond, 3, 0, 10, 7},
        {kDay - 1, 0, 23, 59, 59}, {1, 0, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        long days = -1, hours = -1, minutes = -1, seconds = -1;
        ASSERT_TRUE(SplitDuration(c.duration, days, hours, minutes, seconds)) << c.duration;
        EXPECT_EQ(c.days, days) << c.duration;
        EXPECT_EQ(c.hours, hours) << c.duration;
        EXPECT_EQ(c.minutes, minutes) << c.duration;
        EXPECT_EQ(c.seconds, seconds) << c.duration;
    }
    for (long long duration : {0LL, -1LL, -kDay})
    {
        long days = 7, hours = 7, minutes = 7, seconds = 7;
        EXPECT_FALSE(SplitDuration(duration, days, hours, minutes, seconds));
        EXPECT_EQ(7, days + hours + minutes + seconds - 21) << "outputs must stay untouched";
    }
}

TEST(TimeUtilitiesTest, FormatElapsedTime)
{
    const long long start = FileTimeOf(2009, 12, 31, 10, 0, 0, 0);
    struct Case
    {
        long long elapsed;
        const char* expected;
    } cases[] = {
        {5 * kSecond, "00:00:05"},
        {25 * kHour, "1 day  01:00:00"},
        {49 * kHour, "2 days  01:00:00"},
        {3 * kDay + 10 * 60 * kSecond, "3 days  00:10:00"},
        {12 * kHour + 34 * 60 * kSecond + 56 * kSecond + kSecond / 2, "12:34:56"},
        {kSecond / 2, "00:00:00"},
        {0, ""},
        {-5 * kSecond, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Text(FormatElapsedTime(start, start + c.elapsed))) << c.elapsed;
}

TEST(TimeUtilitiesTest, FileTimeToTimeTextConvertsToTheGivenZone)
{
    const TIME_ZONE_INFORMATION utc = FixedZone(0);
    const TIME_ZONE_INFORMATION plusTwo = FixedZone(-120);
    const TIME_ZONE_INFORMATION minusFiveThirty = FixedZone(330);
    const TIME_ZONE_INFORMATION central = CentralEuropeanZone();
    struct Case
    {
        long long utcTime;
        const TIME_ZONE_INFORMATION* zone;
        const char* expected;
    } cases[] = {
        {FileTimeOf(2009, 12, 31, 13, 5, 9, 7), &utc, "13:05:09:7"},
        {FileTimeOf(2009, 12, 31, 13, 5, 9, 45), &utc, "13:05:09:45"},
        {FileTimeOf(2009, 12, 31, 13, 5, 9, 0), &utc, "13:05:09:0"},
        {FileTimeOf(2009, 12, 31, 11, 5, 9, 123), &plusTwo, "13:05:09:123"},
        {FileTimeOf(2009, 12, 31, 23, 0, 0, 999), &plusTwo, "01:00:00:999"},
        {FileTimeOf(2010, 1, 1, 2, 15, 30, 5), &minusFiveThirty, "20:45:30:5"},
        {FileTimeOf(2009, 1, 15, 12, 0, 0, 0), &central, "13:00:00:0"},
        {FileTimeOf(2009, 7, 15, 12, 0, 0, 0), &central, "14:00:00:0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Text(FileTimeToTimeText(c.utcTime, c.zone))) << c.expected;
}

TEST(TimeUtilitiesTest, CurrentTimestampHasTheTimeTextShape)
{
    const std::string stamp = Text(FormatCurrentTimestamp());
    ASSERT_GE(stamp.size(), 10u) << stamp;
    ASSERT_LE(stamp.size(), 12u) << stamp;
    for (size_t i = 0; i < stamp.size(); ++i)
    {
        if (i == 2 || i == 5 || i == 8)
            EXPECT_EQ(':', stamp[i]) << stamp;
        else
            EXPECT_TRUE(stamp[i] >= '0' && stamp[i] <= '9') << stamp;
    }
    EXPECT_TRUE(stamp.size() == 10 || stamp[9] != '0') << "milliseconds are written without leading zeros";
}

TEST(TimeUtilitiesTest, NormaliseDateSeparators)
{
    struct Case
    {
        const char* text;
        const char* expected;
        bool replaced;
    } cases[] = {
        {"2009/12\\31.5", "2009-12-31-5", true},
        {"12.31.2009", "12-31-2009", true},
        {"2009-12-31 10:00", "2009-12-31 10:00", false},
        {"", "", false},
    };
    for (const Case& c : cases)
    {
        CDravikString text(c.text);
        EXPECT_EQ(c.replaced, NormaliseDateSeparators(text)) << c.text;
        EXPECT_EQ(c.expected, Text(text)) << c.text;
    }
    CDravikString wide(L"1/2.2009");
    EXPECT_TRUE(NormaliseDateSeparators(wide));
    EXPECT_EQ("1-2-2009", Text(wide));
}

TEST(TimeUtilitiesTest, ParseLocalTimeTextReadsTheAcceptedForms)
{
    struct Case
    {
        const char* text;
        WORD year, month, day, hour, minute, second;
    } cases[] = {
        {"12/31/2009", 2009, 12, 31, 0, 0, 0},
        {"2009.12.31", 2009, 12, 31, 0, 0, 0},
        {"2009-12-31 23:59:58", 2009, 12, 31, 23, 59, 58},
        {"2009/12/31 10:30", 2009, 12, 31, 10, 30, 0},
        {"12/31/2009 08:07:06", 2009, 12, 31, 8, 7, 6},
        {"1/2/2009 3:04 PM", 2009, 1, 2, 15, 4, 0},
        {"1/2/2009 3:04:05 am", 2009, 1, 2, 3, 4, 5},
        {"1/2/2009 11:59:59 pm", 2009, 1, 2, 23, 59, 59},
        {"1/2/2009 12:00 PM", 2009, 1, 2, 12, 0, 0},
        {"1/2/2009 12:30 PM", 2009, 1, 2, 12, 30, 0},
        // 12 o'clock AM is the first hour of the day, whatever the minutes and seconds.
        {"1/2/2009 12:00:00 AM", 2009, 1, 2, 0, 0, 0},
        {"1/2/2009 12:30 AM", 2009, 1, 2, 0, 30, 0},
        {"1/2/2009 12:59:59 AM", 2009, 1, 2, 0, 59, 59},
        {"2/29/2008", 2008, 2, 29, 0, 0, 0},
        {"2009/01/02 1:02 PM", 2009, 1, 2, 13, 2, 0},
    };
    for (const Case& c : cases)
    {
        SYSTEMTIME time;
        std::memset(&time, 0xCC, sizeof(time));
        ASSERT_TRUE(ParseLocalTimeText(CDravikString(c.text), time)) << c.text;
        EXPECT_EQ(c.year, time.wYear) << c.text;
        EXPECT_EQ(c.month, time.wMonth) << c.text;
        EXPECT_EQ(c.day, time.wDay) << c.text;
        EXPECT_EQ(c.hour, time.wHour) << c.text;
        EXPECT_EQ(c.minute, time.wMinute) << c.text;
        EXPECT_EQ(c.second, time.wSecond) << c.text;
        EXPECT_EQ(0, time.wMilliseconds) << c.text;
    }
}

TEST(TimeUtilitiesTest, ParseLocalTimeTextRejectsWhatIsNoDate)
{
    const char* texts[] = {"",
                           "hello",
                           "2009",
                           "2009-12",
                           "2009-13-01",
                           "2/30/2009",
                           "2/29/2009",
                           "2009-12-31 24:00:00",
                           "2009-12-31 10:60",
                           "1/2/2009 13:00 PM",
                           "1/2/2009 0:30 AM",
                           "1/2/2009 3 PM",
                           "1/2/2009 1:2:3:4 PM",
                           "-1/-2/-2009"};
    for (const char* text : texts)
    {
        SYSTEMTIME time;
        std::memset(&time, 0xCC, sizeof(time));
        EXPECT_FALSE(ParseLocalTimeText(CDravikString(text), time)) << text;
        EXPECT_EQ(0, time.wYear + time.wMonth + time.wDay + time.wHour + time.wMinute + time.wSecond) << text;
    }
}

TEST(TimeUtilitiesTest, LocalTimeTextToFileTimeUsesTheGivenZone)
{
    const TIME_ZONE_INFORMATION plusTwo = FixedZone(-120);
    const TIME_ZONE_INFORMATION central = CentralEuropeanZone();
    EXPECT_EQ(FileTimeOf(2009, 12, 31, 11, 0, 0, 0),
              LocalTimeTextToFileTime(CDravikString("2009-12-31 13:00:00"), &plusTwo));
    EXPECT_EQ(FileTimeOf(2010, 1, 1, 22, 30, 0, 0),
              LocalTimeTextToFileTime(CDravikString("1/2/2010 12:30 AM"), &plusTwo));
    EXPECT_EQ(FileTimeOf(2009, 7, 15, 10, 0, 0, 0),
              LocalTimeTextToFileTime(CDravikString("7/15/2009 12:00 PM"), &central));

    // An empty or unreadable text gives the current time.
    for (const char* text : {"", "not a date", "2009-02-30"})
    {
        const long long before = GetCurrentFileTime();
        const long long value = LocalTimeTextToFileTime(CDravikString(text), &plusTwo);
        const long long after = GetCurrentFileTime();
        EXPECT_GE(value, before) << text;
        EXPECT_LE(value, after) << text;
    }
}
