// The compressed memory file: when a block is compressed, its header, the round trip and damaged blocks.
#include "toolkit/common/persist/XTPZipMemFile.h"

#include "PropExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>
#include <zlib.h>

namespace
{
// Writes the bytes into a new file and detaches them.
std::vector<BYTE> Detach(const std::vector<BYTE>& data)
{
    CXTPZipMemFile file;
    file.Write(data.data(), static_cast<UINT>(data.size()));
    BYTE* p = nullptr;
    DWORD n = 0;
    file.DetachCompressedBuffer(p, n);
    std::vector<BYTE> out(p, p + n);
    std::free(p);
    EXPECT_EQ(0u, file.GetLength()); // the file is left empty
    return out;
}

std::vector<BYTE> ReadAll(CFile& file)
{
    std::vector<BYTE> out(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!out.empty())
    {
        EXPECT_EQ(out.size(), file.Read(out.data(), static_cast<UINT>(out.size())));
    }
    return out;
}

std::vector<BYTE> Attach(std::vector<BYTE> stored)
{
    CXTPZipMemFile file(stored.empty() ? nullptr : stored.data(), static_cast<UINT>(stored.size()));
    return ReadAll(file);
}

TEST(ZipMemFile, SmallDataStaysPlain)
{
    std::vector<BYTE> data(19, 'a');
    EXPECT_EQ(data, Detach(data));
    EXPECT_TRUE(Detach({}).empty());
}

TEST(ZipMemFile, TwentyRepeatedBytesAreCompressedAndComeBack)
{
    std::vector<BYTE> data(20, 'a');
    std::vector<BYTE> block = Detach(data);
    ASSERT_GT(block.size(), 8u);
    EXPECT_LT(block.size(), 20u);
    EXPECT_EQ((std::vector<BYTE>{0x5A, 0x49, 0x50, 0x21, 0x14, 0x00, 0x00, 0x00}),
              std::vector<BYTE>(block.begin(), block.begin() + 8));
    // The rest is a zlib stream (header byte 0x78).
    EXPECT_EQ(0x78, block[8]);
    EXPECT_EQ(data, Attach(block));
}

TEST(ZipMemFile, DataThatDoesNotShrinkStaysPlain)
{
    std::mt19937 rng(1234);
    std::vector<BYTE> data(4000);
    for (BYTE& b : data)
        b = static_cast<BYTE>(rng());
    std::vector<BYTE> out = Detach(data);
    EXPECT_EQ(data, out);
    EXPECT_EQ(data, Attach(out));
}

TEST(ZipMemFile, LargeTextRoundTrips)
{
    std::vector<BYTE> data;
    for (int i = 0; i < 20000; ++i)
        data.push_back(static_cast<BYTE>("toolbar layout "[i % 15]));
    std::vector<BYTE> block = Detach(data);
    EXPECT_LT(block.size(), data.size() / 10);
    EXPECT_EQ(data, Attach(block));
}

TEST(ZipMemFile, MagicDecidesOnlyFromTwelveBytes)
{
    // 11 bytes starting with the magic: plain data.
    std::vector<BYTE> eleven = {0x5A, 0x49, 0x50, 0x21, 0x05, 0, 0, 0, 1, 2, 3};
    EXPECT_EQ(eleven, Attach(eleven));
    // 12 bytes: taken as compressed; this stream is damaged, so the file is empty.
    std::vector<BYTE> twelve = {0x5A, 0x49, 0x50, 0x21, 0x05, 0, 0, 0, 1, 2, 3, 4};
    EXPECT_TRUE(Attach(twelve).empty());
    // A real 12-byte block: the compressed form of nothing, recorded length 0.
    Bytef stream[16];
    uLongf n = sizeof(stream);
    ASSERT_EQ(Z_OK, compress(stream, &n, reinterpret_cast<const Bytef*>(""), 0));
    ASSERT_EQ(8u, n);
    std::vector<BYTE> empty = {0x5A, 0x49, 0x50, 0x21, 0, 0, 0, 0};
    empty.insert(empty.end(), stream, stream + n);
    EXPECT_TRUE(Attach(empty).empty());
}

TEST(ZipMemFile, DamagedBlocksGiveAnEmptyFileOrWhatTheStreamHolds)
{
    std::vector<BYTE> data(100, 'q');
    std::vector<BYTE> block = Detach(data);
    ASSERT_EQ(0x5A, block[0]);
    struct Case
    {
        const char* name;
        DWORD recorded;
        size_t keep;
        size_t expected;
    } cases[] = {
        {"recorded length larger than the data", 200, block.size(), 100},
        {"recorded length smaller than the data", 50, block.size(), 0},
        {"stream cut short", 100, block.size() - 3, 0},
        {"length beyond 1032 times the stream", 0x7FFFFFFF, block.size(), 0},
        {"length -1", 0xFFFFFFFF, block.size(), 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> damaged(block.begin(), block.begin() + static_cast<long>(c.keep));
        std::memcpy(&damaged[4], &c.recorded, 4);
        std::vector<BYTE> out = Attach(damaged);
        EXPECT_EQ(c.expected, out.size());
        if (!out.empty())
        {
            EXPECT_EQ(data, out);
        }
    }
}

TEST(ZipMemFile, AttachWithOwnershipFreesTheInput)
{
    std::vector<BYTE> data(64, 'z');
    std::vector<BYTE> block = Detach(data);
    for (const std::vector<BYTE>* stored : {&block, &data})
    {
        BYTE* p = static_cast<BYTE*>(std::malloc(stored->size()));
        std::memcpy(p, stored->data(), stored->size());
        CXTPZipMemFile file;
        file.AttachCompressed(p, static_cast<UINT>(stored->size()), TRUE);
        EXPECT_EQ(data, ReadAll(file)); // the file owns p (plain) or has freed it (compressed)
    }
}

TEST(ZipMemFile, DetachAfterAttachingACallersBufferLeavesThatBufferAlone)
{
    std::vector<BYTE> data(30, 'k');
    std::vector<BYTE> copy = data;
    CXTPZipMemFile file(data.data(), static_cast<UINT>(data.size()));
    file.SeekToEnd();
    BYTE* p = nullptr;
    DWORD n = 0;
    file.DetachCompressedBuffer(p, n);
    ASSERT_NE(data.data(), p);
    std::free(p); // the caller's copy to free
    EXPECT_EQ(copy, data);
}

TEST(ZipMemFile, OpenCompressedFile)
{
    std::vector<BYTE> data(500, 'm');
    std::vector<BYTE> block = Detach(data);
    std::string path = pxtest::ScratchPath("qvx_zip_", ".bin");
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fwrite(block.data(), 1, block.size(), f);
    std::fclose(f);
    CXTPZipMemFile file;
    EXPECT_TRUE(file.OpenCompressedFile(path.c_str()));
    EXPECT_EQ(data, ReadAll(file));
    DeleteFileA(path.c_str());
    CXTPZipMemFile missing;
    EXPECT_FALSE(missing.OpenCompressedFile(path.c_str()));
    EXPECT_FALSE(missing.OpenCompressedFile(nullptr));
}

TEST(ZipMemFile, NullNameIsAnInvalidArgument)
{
    CXTPZipMemFile file;
    file.SetFilePath("controls.bin");
    EXPECT_STREQ("controls.bin", file.GetFilePath());
    bool thrown = false;
    try
    {
        file.SetFilePath(nullptr);
    }
    catch (CInvalidArgException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(ZipMemFile, ArchiveThroughTheCompressedFileRoundTrips)
{
    // The way persisted controls travel: an archive exchange on a compressed memory file.
    std::vector<BYTE> stored;
    {
        CXTPZipMemFile file;
        CArchive ar(&file, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        px.ExchangeSchema();
        for (int i = 0; i < 50; ++i)
        {
            CString s("repeated control caption");
            ExchangeStringProperty(&px, "s", s, "");
        }
        ar.Flush();
        BYTE* p = nullptr;
        DWORD n = 0;
        file.DetachCompressedBuffer(p, n);
        ar.Abort();
        stored.assign(p, p + n);
        std::free(p);
    }
    ASSERT_EQ(0x5A, stored[0]);
    CXTPZipMemFile file(stored.data(), static_cast<UINT>(stored.size()));
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    px.ExchangeSchema();
    EXPECT_EQ(38, px.m_nSchema);
    for (int i = 0; i < 50; ++i)
    {
        CString s;
        ExchangeStringPropertyNoDefault(&px, "s", s);
        EXPECT_STREQ("repeated control caption", s);
    }
}
} // namespace
