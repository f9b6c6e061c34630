#include "engine/app/CommandLineParser.h"
#include "engine/app/QuorvexApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<std::string> Tokens(const char* line)
{
    CCommandLineParser parser;
    parser.Parse(CDravikString(line));
    std::vector<std::string> tokens;
    for (CCommandLineParserEntry* e = parser.FirstEntry(); e; e = parser.NextEntry())
        tokens.push_back(CDravikString(e->m_strText).GetAnsi());
    parser.EndEntryIteration();
    return tokens;
}

struct TokenCase
{
    const char* line;
    std::vector<std::string> tokens;
};

class TokenTest : public ::testing::TestWithParam<TokenCase>
{
};
} // namespace

TEST_P(TokenTest, SplitsAsDocumented)
{
    EXPECT_EQ(Tokens(GetParam().line), GetParam().tokens) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Parser, TokenTest,
                         ::testing::Values(TokenCase{"", {}}, TokenCase{"   \t\r\n ", {}},
                                           TokenCase{"a b  c", {"a", "b", "c"}},
                                           TokenCase{"\"C:\\My Tests\\suite.dll\" -cmd t1",
                                                     {"C:\\My Tests\\suite.dll", "-cmd", "t1"}},
                                           TokenCase{"a\"b c\"", {"a", "b c"}},
                                           TokenCase{"x \"open quote", {"x"}}, TokenCase{"\"\" y", {}},
                                           TokenCase{"-cmd - t", {"-cmd", "-", "t"}},
                                           TokenCase{"  lead trail  ", {"lead", "trail"}}));

TEST(CommandLineParser, CommandsTakeTheFollowingTokensAsArguments)
{
    CCommandLineParser parser;
    ASSERT_TRUE(parser.Parse(CDravikString("first -CMD Suite.dll T1 - -x y")));
    ASSERT_EQ(parser.GetCommandCount(), 2);
    CCommandLineParserCommandEntry* cmd = parser.GetCommand(0);
    EXPECT_STREQ(CDravikString(cmd->m_strName).GetAnsi(), "cmd");
    ASSERT_EQ(cmd->GetArgumentCount(), 3);
    EXPECT_STREQ(CDravikString(cmd->GetArgument(0)->m_strText).GetAnsi(), "Suite.dll");
    EXPECT_STREQ(CDravikString(cmd->GetArgument(2)->m_strText).GetAnsi(), "-");
    EXPECT_STREQ(CDravikString(parser.GetCommand(1)->m_strName).GetAnsi(), "x");
    EXPECT_EQ(parser.GetCommand(2), nullptr);
    EXPECT_EQ(parser.GetCommand(-1), nullptr);
    EXPECT_TRUE(parser.Clear());
    EXPECT_FALSE(parser.Clear());
}

namespace
{
struct ModeCase
{
    const char* line;
    bool commandLineMode;
    const char* suite;
    std::vector<std::string> names;
};

class ModeTest : public ::testing::TestWithParam<ModeCase>
{
};
} // namespace

TEST_P(ModeTest, EvaluatesModeSuiteAndNames)
{
    const ModeCase& c = GetParam();
    CQuorvexApp app;
    app.SetCommandLine(c.line);
    EXPECT_EQ(app.EvaluateCommandLine(), c.suite[0] != 0) << c.line;
    EXPECT_EQ(app.IsCommandLineMode(), c.commandLineMode) << c.line;
    EXPECT_STREQ(app.GetSuitePath().GetAnsi(), c.suite) << c.line;
    std::vector<std::string> names;
    for (const CDravikString& n : app.GetTestNames())
        names.push_back(CDravikString(n).GetAnsi());
    EXPECT_EQ(names, c.names) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    App, ModeTest,
    ::testing::Values(
        ModeCase{"", false, "", {}}, ModeCase{"-cmd suite.dll t1 t2", true, "suite.dll", {"t1", "t2"}},
        ModeCase{"suite.dll -cmd t1 t2", true, "suite.dll", {"t1", "t2"}},
        ModeCase{"-CMD suite.dll", true, "suite.dll", {}},
        ModeCase{"-cmdx suite.dll", false, "suite.dll", {}},
        ModeCase{"-other -cmd suite.dll", false, "suite.dll", {}}, ModeCase{"-cmd", true, "", {}},
        ModeCase{"-cmd \"C:\\a b\\s.dll\" \"two words\"", true, "C:\\a b\\s.dll", {"two words"}},
        ModeCase{"suite.dll", false, "suite.dll", {}}));
