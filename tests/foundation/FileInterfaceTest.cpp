// Tests of whole-file access through CFileInterface.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/FileInterface.h"
#include "foundation/PathUtilities.h"
#include "tests/common/ScratchFolder.h"

TEST(FileInterfaceTest, CreateForWritingMakesTheFolderAndWritesTheFile)
{
    CScratchFolder scratch;
    const std::string path = scratch.Under("new\\deeper\\data.bin");
    CFileInterface file;
    EXPECT_FALSE(file.IsOpen());
    ASSERT_TRUE(file.CreateForWriting(path.c_str()));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_TRUE(PathExists(scratch.Under("new\\deeper").c_str()));
    EXPECT_EQ(path, std::string(CDravikString(file.GetPath()).GetAnsi()));

    DWORD written = 0;
    ASSERT_TRUE(file.Write("hello", 5, &written));
    EXPECT_EQ(5u, written);
    ASSERT_TRUE(file.Write(" world", 6, &written));
    EXPECT_EQ(11u, file.GetTotalWritten());
    EXPECT_EQ(11u, file.GetSize());

    // Read back through the same handle after rewinding.
    ASSERT_TRUE(file.SeekToStart());
    char buffer[32] = {};
    DWORD read = 0;
    ASSERT_TRUE(file.Read(buffer, 11, &read, true));
    EXPECT_EQ(11u, read);
    EXPECT_STREQ("hello world", buffer);
    EXPECT_EQ(11u, file.GetTotalRead());

    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(0u, file.GetTotalRead());
    EXPECT_EQ(0u, file.GetTotalWritten());
    EXPECT_EQ(0u, file.GetLastError());
    EXPECT_FALSE(file.Close()) << "nothing was open any more";
}

TEST(FileInterfaceTest, ExactReadOfShortFileFailsButReportsTheBytes)
{
    CScratchFolder scratch;
    const std::string path = scratch.Under("short.txt");
    {
        CFileInterface writer;
        ASSERT_TRUE(writer.CreateForWriting(path.c_str()));
        ASSERT_TRUE(writer.Write("abcde", 5, nullptr));
    }
    CFileInterface file;
    ASSERT_TRUE(file.OpenForReading(path.c_str()));
    EXPECT_EQ(5u, file.GetSize());

    char buffer[16] = {};
    DWORD read = 99;
    EXPECT_FALSE(file.Read(buffer, 10, &read, true));
    EXPECT_EQ(5u, read);
    EXPECT_EQ(std::string("abcde"), std::string(buffer, 5));
    EXPECT_EQ(5u, file.GetTotalRead());

    // At the end nothing more comes: not exact, but still a failure.
    EXPECT_FALSE(file.Read(buffer, 10, &read, false));
    EXPECT_EQ(0u, read);

    ASSERT_TRUE(file.SeekToStart());
    EXPECT_TRUE(file.Read(buffer, 10, &read, false)) << "a short read is enough when not exact";
    EXPECT_EQ(5u, read);
    EXPECT_EQ(10u, file.GetTotalRead());

    // Read-only: writing fails and says so.
    DWORD written = 7;
    EXPECT_FALSE(file.Write("x", 1, &written));
    EXPECT_EQ(0u, written);
    EXPECT_NE(0u, file.GetLastError());
}

TEST(FileInterfaceTest, CreateForWritingEmptiesAnExistingFile)
{
    CScratchFolder scratch;
    const std::string path = scratch.Under("again.txt");
    CFileInterface file;
    ASSERT_TRUE(file.CreateForWriting(path.c_str()));
    ASSERT_TRUE(file.Write("0123456789", 10, nullptr));
    ASSERT_TRUE(file.CreateForWriting(path.c_str())) << "the open file is closed first";
    EXPECT_EQ(0u, file.GetSize());
    EXPECT_EQ(0u, file.GetTotalWritten());
}

TEST(FileInterfaceTest, GuardsRejectBadArgumentsAndClosedFiles)
{
    CScratchFolder scratch;
    CFileInterface file;
    char buffer[4];
    DWORD count = 5;
    EXPECT_FALSE(file.Read(buffer, 4, &count, false));
    EXPECT_EQ(0u, count);
    EXPECT_FALSE(file.Write(buffer, 4, &count));
    EXPECT_FALSE(file.SeekToStart());
    EXPECT_EQ(0u, file.GetSize());

    EXPECT_FALSE(file.Open("", GENERIC_READ, 0, OPEN_EXISTING));
    EXPECT_FALSE(file.Open(nullptr, GENERIC_READ, 0, OPEN_EXISTING));
    EXPECT_FALSE(file.OpenForReading(scratch.Under("missing.txt").c_str()));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(file.GetLastError() == ERROR_FILE_NOT_FOUND || file.GetLastError() == ERROR_PATH_NOT_FOUND)
        << file.GetLastError();

    ASSERT_TRUE(file.CreateForWriting(scratch.Under("guards.txt").c_str()));
    EXPECT_FALSE(file.Read(nullptr, 4, &count, false));
    EXPECT_FALSE(file.Read(buffer, 0, &count, false));
    EXPECT_FALSE(file.Read(buffer, -1, &count, false));
    EXPECT_FALSE(file.Write(nullptr, 4, &count));
    EXPECT_FALSE(file.Write(buffer, 0, &count));
    EXPECT_FALSE(file.Write(buffer, -4, &count));
    EXPECT_EQ(0u, file.GetTotalRead());
    EXPECT_EQ(0u, file.GetTotalWritten());
}

TEST(FileInterfaceTest, EnsureFolderCreatesOnlyWhatIsMissing)
{
    CScratchFolder scratch;
    EXPECT_TRUE(CFileInterface::EnsureFolder(scratch.Under("a\\b\\file.txt").c_str()));
    EXPECT_TRUE(PathExists(scratch.Under("a\\b").c_str()));
    EXPECT_FALSE(CFileInterface::EnsureFolder(scratch.Under("a\\b\\other.txt").c_str()));
    EXPECT_FALSE(CFileInterface::EnsureFolder("bare.txt"));
    EXPECT_FALSE(CFileInterface::EnsureFolder(""));
}
