// Hostile input: mutated copies of valid stored data through each reader. Every copy must load or be
// refused with the framework's exceptions; a read past the input faults on the guard page after it.
#include "tools/fuzz/PropExchangeMutation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{
class PropExchangeHostileInput : public ::testing::TestWithParam<size_t>
{
};

TEST_P(PropExchangeHostileInput, EveryMutatedCopyLoadsOrIsRefused)
{
    const pxmutation::Reader& reader = pxmutation::Readers()[GetParam()];
    pxmutation::Stats stats = pxmutation::Run(reader, 20261210u, 2000);
    RecordProperty("figures", pxmutation::Describe(reader, stats));
    std::printf("%s\n", pxmutation::Describe(reader, stats).c_str());
    EXPECT_TRUE(stats.guarded);
    EXPECT_GT(stats.copies, 2000u);
    EXPECT_EQ(stats.copies, stats.loaded + stats.refused);
    EXPECT_GT(stats.refused, 0u); // the mutations do reach the checks
    EXPECT_GT(stats.loaded, 0u);
    // No copy may make the reader allocate without bound (the fixtures are under 1 KB).
    EXPECT_LT(stats.peakCommitGrowth, static_cast<SIZE_T>(64) * 1024 * 1024);
}

std::string ReaderName(const ::testing::TestParamInfo<size_t>& info)
{
    static const char* const names[] = {"Archive", "SerializedObject", "CompressedFile"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Readers, PropExchangeHostileInput, ::testing::Values(0u, 1u, 2u), ReaderName);
} // namespace
