// The program's resources, linked into this test executable from the same script.
#include "foundation/DravikString.h"
#include "foundation/VersionInfo.h"
#include "engine/EngineResourceIds.h"
#include "ui/UiResourceIds.h"

#include <gtest/gtest.h>

namespace
{
struct StringCase
{
    int id;
    const char* text;
};

class StringTableTest : public ::testing::TestWithParam<StringCase>
{
};
} // namespace

TEST_P(StringTableTest, HoldsTheExactText)
{
    CDravikString text;
    ASSERT_TRUE(text.LoadString(GetParam().id)) << GetParam().id;
    EXPECT_STREQ(text.GetAnsi(), GetParam().text) << GetParam().id;
}

INSTANTIATE_TEST_SUITE_P(
    Resources, StringTableTest,
    ::testing::Values(
        StringCase{6010, "   |--> [%s] << ERROR >> %s\n"},
        StringCase{6011, "   |--> [%s] << ERROR >> [Line %ld] %s\n"}, StringCase{6012, "   |--> [%s] %s\n"},
        StringCase{6013, "\n\nExecuting Test Suite '%s' with %ld Tests\n"},
        StringCase{6014, "%ld. %s [%s]\n"}, StringCase{6015, "   |--> [%s] << WARNING >> [Line %ld] %s\n"},
        StringCase{6016, "cmd"},
        StringCase{6022, "The test DLL '%s' is for a different version of the Deva Vozi Vozadod.\n"},
        StringCase{6023, "The test DLL file '%s' does not exist.\n"},
        StringCase{6024, "An error occurred loading the test DLL '%s'.\n"},
        StringCase{6025, "The test DLL file '%s' is not a valid test suite DLL.\n"},
        StringCase{6027, "Deva Vozi Vozadod"}, StringCase{6062, "There are no tests selected to run."},
        StringCase{6063, "Processing Cancelled"},
        StringCase{6071, "The test suite DLL '%s' is for a different version of the Deva Vozi Vozadod."},
        StringCase{
            6072,
            "The file '%s' could not be loaded.\n\nCheck the dependencies for your DLL to make sure they "
            "are all accessible. Often this is due to debug or release runtimes not being installed on "
            "the computer."},
        StringCase{6073, "The file '%s' is not a valid test suite DLL."},
        StringCase{6074, "The test suite DLL '%s' does not exist."},
        StringCase{6075, "The file '%s' is not a valid test suite DLL."},
        StringCase{6080, "The test DLL file '%s' is built for %s, but this harness is %s: build the suite for %s.\n"},
        StringCase{6081, "The test suite DLL '%s' is built for %s, but this harness is %s.\n\nBuild the suite for %s."},
        StringCase{6082, "No test named %s in the suite."}, StringCase{6083, "No tests named %s in the suite."}));

TEST(Resources, VersionBlockIsReadable)
{
    CVersionInfo version(nullptr);
    ASSERT_TRUE(version.IsValid());
    WORD parts[4] = {};
    ASSERT_TRUE(version.GetFileVersion(parts));
    EXPECT_EQ(parts[0], 1);
    CDravikString prefix(version.GetStringTablePrefix());
    EXPECT_STREQ(prefix.GetAnsi(), "\\StringFileInfo\\040904b0\\");
    CDravikString product = version.GetStringValue("ProductName");
    EXPECT_STREQ(product.GetAnsi(), "Quorvex");
}
