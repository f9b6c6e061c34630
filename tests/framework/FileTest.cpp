#include "framework/Archive.h"
#include "framework/MemFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace
{
class CInspectableMemFile : public CMemFile
{
public:
    using CMemFile::CMemFile;
    SIZE_T BufferSize() const { return m_nBufferSize; }
    BYTE* Buffer() const { return m_lpBuffer; }
    int m_reallocations = 0;

protected:
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override
    {
        ++m_reallocations;
        return CMemFile::Realloc(lpMem, nBytes);
    }
};

template <typename E, typename F> int ExpectThrows(F f)
{
    try
    {
        f();
        ADD_FAILURE() << "no exception";
    }
    catch (CException* e)
    {
        E* typed = dynamic_cast<E*>(e);
        EXPECT_NE(nullptr, typed);
        int cause = -1;
        if constexpr (std::is_same<E, CFileException>::value)
            cause = typed ? typed->m_cause : -1;
        e->Delete();
        return cause;
    }
    return -1;
}

std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}
} // namespace

TEST(FileTest, MemFileGrowsInStepsAndZeroFillsGaps)
{
    CInspectableMemFile file(1024);
    EXPECT_EQ(0u, file.GetLength());
    file.Write("a", 1);
    EXPECT_EQ(1024u, file.BufferSize());
    std::vector<BYTE> big(3000, 0x5A);
    file.Write(big.data(), static_cast<UINT>(big.size()));
    EXPECT_EQ(3001u, file.GetLength());
    EXPECT_EQ(3072u, file.BufferSize());
    // Past the end: the gap reads as zeros.
    file.Seek(10, CFile::end);
    file.Write("z", 1);
    EXPECT_EQ(3012u, file.GetLength());
    file.Seek(3001, CFile::begin);
    BYTE gap[11];
    EXPECT_EQ(11u, file.Read(gap, sizeof(gap)));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(0, gap[i]);
    EXPECT_EQ('z', gap[10]);
    EXPECT_EQ(0u, file.Read(gap, sizeof(gap))); // at the end
    // Shrinking moves the position back inside the file.
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetPosition());
    EXPECT_EQ(5u, file.GetLength());
    file.SeekToBegin();
    BYTE head[8] = {};
    EXPECT_EQ(5u, file.Read(head, sizeof(head)));
    EXPECT_EQ('a', head[0]);
    EXPECT_EQ(0x5A, head[4]);
    EXPECT_EQ(CFileException::badSeek, ExpectThrows<CFileException>([&] { file.Seek(-6, CFile::current); }));
    EXPECT_EQ(5u, file.GetPosition());
}

TEST(FileTest, MemFileGrowthStaysInStepsWithoutCopyingOverAndOver)
{
    CInspectableMemFile file(1024);
    BYTE piece[100];
    for (int i = 0; i < 100; ++i)
        piece[i] = static_cast<BYTE>(i);
    for (int i = 0; i < 10000; ++i) // 1,000,000 bytes in small writes
        file.Write(piece, sizeof(piece));
    EXPECT_EQ(1000000u, file.GetLength());
    EXPECT_EQ(0u, file.BufferSize() % 1024);
    EXPECT_LT(file.m_reallocations, 40); // growth by a share of the size, not 1,000 fixed steps
    file.Seek(999999, CFile::begin);
    BYTE last = 0;
    EXPECT_EQ(1u, file.Read(&last, 1));
    EXPECT_EQ(99, last);
}

TEST(FileTest, MemFileAttachFixedBufferCannotGrowAndIsNotFreed)
{
    BYTE stackBuffer[8] = {'0', '1', '2', '3', '4', '5', '6', '7'};
    {
        CInspectableMemFile file(stackBuffer, sizeof(stackBuffer)); // grow 0: holds the bytes
        EXPECT_EQ(8u, file.GetLength());
        char first[3] = {};
        file.Read(first, 2);
        EXPECT_STREQ("01", first);
        file.Write("xy", 2);
        EXPECT_EQ('x', stackBuffer[2]); // written in place
        file.SeekToEnd();
        ExpectThrows<CMemoryException>([&] { file.Write("!", 1); });
        EXPECT_EQ(8u, file.GetLength());
    } // destroying the file must not free the stack buffer
    EXPECT_EQ('7', stackBuffer[7]);
}

TEST(FileTest, MemFileAttachGrowableCopiesOutOfTheCallersBuffer)
{
    BYTE callers[4] = {9, 9, 9, 9};
    CInspectableMemFile file;
    file.Attach(callers, sizeof(callers), 16);
    EXPECT_EQ(0u, file.GetLength()); // a growable attach starts empty
    file.Write("abc", 3);
    EXPECT_EQ(callers, file.Buffer());
    EXPECT_EQ('c', callers[2]);
    file.Write("defgh", 5); // outgrows the caller's 4 bytes
    EXPECT_NE(callers, file.Buffer());
    EXPECT_EQ(16u, file.BufferSize()); // a whole step
    EXPECT_EQ(9, callers[3]);          // the caller's buffer is left alone
    UINT length = static_cast<UINT>(file.GetLength());
    BYTE* detached = file.Detach();
    ASSERT_NE(nullptr, detached);
    EXPECT_EQ(0, memcmp(detached, "abcdefgh", length));
    EXPECT_EQ(0u, file.GetLength());
    std::free(detached); // detached memory is the caller's, from malloc
    // The emptied file works as a fresh one.
    file.Write("k", 1);
    EXPECT_EQ(1u, file.GetLength());
}

TEST(FileTest, DiskFileReadWriteSeekAndLength)
{
    std::string path = TempPath("qvx_file_test.bin");
    DeleteFileA(path.c_str());
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        file.Write("hello world", 11);
        EXPECT_EQ(11u, file.GetPosition());
        file.Close();
    }
    {
        CFile file(path.c_str(), CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate);
        EXPECT_EQ(11u, file.GetLength()); // not truncated
        EXPECT_EQ(6u, file.Seek(6, CFile::begin));
        char buf[16] = {};
        EXPECT_EQ(5u, file.Read(buf, sizeof(buf) - 1));
        EXPECT_STREQ("world", buf);
        EXPECT_EQ(0u, file.Read(buf, 4));
        file.SetLength(5);
        EXPECT_EQ(5u, file.GetLength());
        EXPECT_EQ(5u, file.SeekToEnd());
        EXPECT_STREQ("qvx_file_test.bin", file.GetFileName());
        EXPECT_STREQ("qvx_file_test", file.GetFileTitle());
        EXPECT_STREQ(path.c_str(), file.GetFilePath());
    } // closed by the destructor
    {
        // An archive over a disk file.
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar << CString("stored") << 42;
    }
    {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        CString s;
        int n;
        ar >> s >> n;
        EXPECT_STREQ("stored", s);
        EXPECT_EQ(42, n);
    }
    std::string renamed = TempPath("qvx_file_test_renamed.bin");
    DeleteFileA(renamed.c_str());
    CFile::Rename(path.c_str(), renamed.c_str());
    CFile::Remove(renamed.c_str());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(renamed.c_str()));
    EXPECT_EQ(CFileException::fileNotFound,
              ExpectThrows<CFileException>([&] { CFile::Remove(renamed.c_str()); }));
}

TEST(FileTest, OpenFailuresReportTheirCause)
{
    std::string missing = TempPath("qvx_no_such_file.bin");
    DeleteFileA(missing.c_str());
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_STREQ(missing.c_str(), error.m_strFileName);
    EXPECT_FALSE(file.Open(nullptr, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_FALSE(file.Open(missing.c_str(), 3, &error)); // no such access mode
    EXPECT_EQ(CFileException::fileNotFound,
              ExpectThrows<CFileException>([&] { CFile thrower(missing.c_str(), CFile::modeRead); }));
    // A null name for the path setter is refused.
    ExpectThrows<CInvalidArgException>([&] { file.SetFilePath(nullptr); });
}
