// The GoogleTest side of the empty-test benchmark: 10,000 empty parameterised tests.
#include <gtest/gtest.h>

class EmptyTest : public ::testing::TestWithParam<int>
{
};

TEST_P(EmptyTest, Nothing) {}

INSTANTIATE_TEST_SUITE_P(Empty, EmptyTest, ::testing::Range(0, 10000));
