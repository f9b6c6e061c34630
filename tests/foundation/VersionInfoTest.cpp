// Tests of CVersionInfo against the version block built into this test program (FoundationTests.rc).
#include <gtest/gtest.h>

#include <string>

#include "tests/common/ScratchFolder.h"
#include "foundation/VersionInfo.h"

namespace
{
std::string Text(CDravikString text)
{
    const char* ansi = text.GetAnsi();
    return ansi ? ansi : "";
}
} // namespace

TEST(VersionInfoTest, ReadsTheProgramsOwnVersionBlock)
{
    CVersionInfo info;
    ASSERT_TRUE(info.IsValid());
    ASSERT_NE(nullptr, info.GetFixedInfo());
    EXPECT_EQ(0xFEEF04BDu, info.GetFixedInfo()->dwSignature);

    WORD file[4] = {}, product[4] = {};
    ASSERT_TRUE(info.GetFileVersion(file));
    EXPECT_EQ(1, file[0]);
    EXPECT_EQ(2, file[1]);
    EXPECT_EQ(3, file[2]);
    EXPECT_EQ(4, file[3]);
    ASSERT_TRUE(info.GetProductVersion(product));
    EXPECT_EQ(5, product[0]);
    EXPECT_EQ(6, product[1]);
    EXPECT_EQ(700, product[2]);
    EXPECT_EQ(8, product[3]);
    EXPECT_EQ("1.2.3.4", Text(info.GetFileVersionText()));

    // The prefix comes from the first translation: language 0x0409, code page 1252 (0x04e4).
    EXPECT_EQ("\\StringFileInfo\\040904e4\\", Text(info.GetStringTablePrefix()));
    EXPECT_EQ("Quorvex foundation tests", Text(info.GetStringValue("FileDescription")));
    EXPECT_EQ("Quorvex", Text(info.GetStringValue("ProductName")));
    EXPECT_EQ("", Text(info.GetStringValue("NoSuchKey")));
    EXPECT_EQ("", Text(info.GetStringValue("")));
    EXPECT_EQ("", Text(info.GetStringValue(nullptr)));
}

TEST(VersionInfoTest, ModuleHandleOfTheProgramGivesTheSameBlock)
{
    CVersionInfo info(GetModuleHandleA(nullptr));
    ASSERT_TRUE(info.IsValid());
    EXPECT_EQ("1.2.3.4", Text(info.GetFileVersionText()));
}

TEST(VersionInfoTest, LoadWithoutVersionBlockLeavesItInvalid)
{
    CVersionInfo info;
    ASSERT_TRUE(info.IsValid());

    CScratchFolder scratch;
    const std::string plain = scratch.Make("no_version.txt", "no resources here");
    EXPECT_FALSE(info.Load(plain.c_str()));
    EXPECT_FALSE(info.IsValid()) << "a failed load must drop the earlier block";
    EXPECT_EQ(nullptr, info.GetFixedInfo());
    EXPECT_EQ("", Text(info.GetFileVersionText()));
    EXPECT_EQ("", Text(info.GetStringValue("ProductName")));
    WORD parts[4];
    EXPECT_FALSE(info.GetFileVersion(parts));

    EXPECT_FALSE(info.Load(""));
    EXPECT_FALSE(info.Load(nullptr));
    EXPECT_FALSE(info.Load("C:\\no\\such\\module.dll"));
    EXPECT_FALSE(info.IsValid());

    // And it can be loaded again afterwards.
    char program[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);
    EXPECT_TRUE(info.Load(program));
    EXPECT_EQ("Quorvex", Text(info.GetStringValue("ProductName")));
}
