#include "engine/UnitTestCommandLineLogManager.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace
{
// Captures what the console sink prints.
class ConsoleCapture
{
public:
    ConsoleCapture()
    {
        GetTempPathA(MAX_PATH, m_path);
        lstrcatA(m_path, "qvx_console_capture.txt");
        m_file = std::fopen(m_path, "w+b");
        m_sink.SetStream(m_file);
    }
    ~ConsoleCapture()
    {
        if (m_file)
            std::fclose(m_file);
        DeleteFileA(m_path);
    }
    std::string Text()
    {
        std::fflush(m_file);
        std::rewind(m_file);
        std::string text;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof(buffer), m_file)) > 0)
            text.append(buffer, n);
        std::fseek(m_file, 0, SEEK_END);
        return text;
    }
    CUnitTestCommandLineLogManager m_sink;

private:
    char m_path[MAX_PATH];
    FILE* m_file = nullptr;
};

std::string Masked(const std::string& text)
{
    return std::regex_replace(text, std::regex(R"(\[\d{2}:\d{2}:\d{2}:\d{1,3}\])"), "[TS]");
}
} // namespace

TEST(ConsoleSink, FormatsEveryKindOfLine)
{
    ConsoleCapture c;
    c.m_sink.LogRunBegin("Suite", 3);
    EXPECT_TRUE(c.m_sink.LogTestBegin(CDravikString("Alpha"), 1));
    EXPECT_TRUE(c.m_sink.LogError(CDravikString("no line"), -1));
    EXPECT_TRUE(c.m_sink.LogError(CDravikString("with line"), 42));
    EXPECT_TRUE(c.m_sink.LogWarning(CDravikString("warn"), -1));
    EXPECT_TRUE(c.m_sink.LogInformation(CDravikString(L"wide\x07text\tTab")));
    c.m_sink.LogRunEnd("Suite");
    EXPECT_FALSE(c.m_sink.LogTestEnd(CDravikString("Alpha"), CUnitTestCounts{}));
    EXPECT_EQ(Masked(c.Text()), "\n\nExecuting Test Suite 'Suite' with 3 Tests\n"
                                "1. Alpha [TS]\n"
                                "   |--> [TS] << ERROR >> no line\n"
                                "   |--> [TS] << ERROR >> [Line 42] with line\n"
                                "   |--> [TS] << WARNING >> [Line -1] warn\n"
                                "   |--> [TS] wide text\tTab\n");
}

// The process-end watch writes its last line with the system alone, to the file under the console sink's
// stream; a sink without a stream, or one that writes to no file, has none to give.
TEST(ConsoleSink, GivesTheFileUnderItsStreamAsRawOutput)
{
    ConsoleCapture c;
    CUnitTestLogManager& sink = c.m_sink;
    HANDLE raw = sink.GetRawOutput();
    ASSERT_NE(raw, nullptr);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(raw, "raw\r\n", 5, &written, nullptr));
    EXPECT_EQ(c.Text(), "raw\r\n");

    FILE* stream = c.m_sink.GetStream();
    c.m_sink.SetStream(nullptr);
    EXPECT_EQ(sink.GetRawOutput(), nullptr);
    c.m_sink.SetStream(stream);

    CUnitTestBaseLogManager other;
    EXPECT_EQ(static_cast<CUnitTestLogManager&>(other).GetRawOutput(), nullptr);
}

TEST(ConsoleSink, PrintsTextAsDataNeverAsFormat)
{
    ConsoleCapture c;
    CDravikString text("100% %d %s %n done\n");
    EXPECT_TRUE(c.m_sink.WriteText(text));
    EXPECT_STREQ(text.GetAnsi(), "100% %d %s %n done\n"); // the caller's text is not changed
    EXPECT_TRUE(c.m_sink.LogInformation(CDravikString("%s%s%s%n")));
    EXPECT_EQ(Masked(c.Text()), "100% %d %s %n done\n   |--> [TS] %s%s%s%n\n");
    CDravikString empty;
    EXPECT_FALSE(c.m_sink.WriteText(empty));
}

TEST(ConsoleSink, TimestampIsLocalTimeWithMilliseconds)
{
    ConsoleCapture c;
    c.m_sink.LogInformation(CDravikString("x"));
    EXPECT_TRUE(std::regex_match(c.Text(), std::regex(R"(   \|--> \[\d{2}:\d{2}:\d{2}:\d{1,3}\] x\n)")))
        << c.Text();
}
