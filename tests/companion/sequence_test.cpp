#include "companion/plauditor/Sequence.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

TEST(SequenceNumbers, StepByOneSkippingMinusOneAndWrapping)
{
    EXPECT_EQ(NextSequence(5), 6);
    EXPECT_EQ(NextSequence(-2), 0);
    EXPECT_EQ(NextSequence(std::numeric_limits<std::int32_t>::max()), std::numeric_limits<std::int32_t>::min());
}

// The plug-in remembers one last-taken number per channel for all scenes: companions of two
// scenes started in the same tick must not count through the same numbers.
TEST(SequenceNumbers, CompanionsStartedTogetherCountFarApart)
{
    constexpr std::uint32_t tick = 5'000'000;
    for (std::uint32_t a = 1000; a < 1040; a += 4)
        for (std::uint32_t b = a + 4; b < 1044; b += 4) {
            const std::int64_t first = FirstSequence(tick, a, Channel::Text);
            const std::int64_t second = FirstSequence(tick, b, Channel::Text);
            EXPECT_GT(std::llabs(first - second), 100'000) << a << " and " << b;
        }
}

TEST(SequenceNumbers, RestartsOfOneCompanionStartElsewhere)
{
    EXPECT_NE(FirstSequence(1000, 64, Channel::Text), FirstSequence(1001, 64, Channel::Text));
    EXPECT_NE(FirstSequence(1000, 64, Channel::Text), FirstSequence(1000, 64, Channel::Style));
}
