// Scaling helpers of the decode rules.
#include <gtest/gtest.h>

#include "DecodeRulesScaling.h"

using namespace decoderules;

TEST(DecodeScaling, RoundsToTenthWithHalvesAwayFromZero)
{
    const struct { float in; float out; } cases[] = {
        {0.244f, 0.2f}, {0.25f, 0.3f}, {-0.25f, -0.3f}, {0.35f, 0.4f}, {25.49f, 25.5f},
        {25.45f, 25.5f}, {31.25f, 31.3f}, {156.25f, 156.3f}, {-20.04f, -20.0f}, {0.0f, 0.0f},
        {1000.0f, 1000.0f},
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(RoundedToTenth(c.in), c.out) << c.in;
}

TEST(DecodeScaling, WordDivisionUnsignedSignedAndTruncated)
{
    EXPECT_FLOAT_EQ(Scaled(0xFF38, 10), 6533.6f);     // -200 read unsigned
    EXPECT_FLOAT_EQ(SignedScaled(0xFF38, 10), -20.0f);
    EXPECT_FLOAT_EQ(SignedScaled(0x7FFF, 10), 3276.7f);
    EXPECT_FLOAT_EQ(SignedScaled(0x8000, 10), -3276.8f);
    EXPECT_EQ(Truncated(599, 10), 59);
    EXPECT_EQ(Truncated(65535, 100), 655);
}

TEST(DecodeScaling, BitsAndCounters)
{
    EXPECT_EQ(Bit(0x8000, 15), 1);
    EXPECT_EQ(Bit(0x7FFF, 15), 0);
    EXPECT_EQ(Bit(0x0001, 0), 1);
    EXPECT_EQ(AnyBit(0, 3, 0x10, 4), 1);
    EXPECT_EQ(AnyBit(0x08, 4, 0x10, 3), 0);
    EXPECT_EQ(Join32(0xABCD, 0x1234), 0xABCD1234u);
    EXPECT_EQ(Join32(0, 0xFFFF), 0xFFFFu);
}
