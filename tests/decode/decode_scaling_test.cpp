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

TEST(DecodeScaling, WordTenthsFollowTheExactQuotient)
{
    // Words where rounding the float quotient and the exact rule part: the
    // exact value lies just below a half (6558.3496 is 6558.3, not 6558.4).
    const struct { unsigned short word; unsigned multiplier, divisor; float out; } cases[] = {
        {26863, 1000, 4096, 6558.3f}, {27119, 1000, 4096, 6620.8f}, {27247, 500, 4096, 3326.0f},
        {28271, 500, 4096, 3451.0f},  {6115, 1250, 4096, 1866.1f},  {9187, 1250, 4096, 2803.6f},
        // the ordinary cases: halves away from zero, ends of the range
        {1, 1000, 4096, 0.2f},        {128, 1000, 4096, 31.3f},     {4096, 1000, 4096, 1000.0f},
        {0, 1250, 4096, 0.0f},        {65535, 1250, 4096, 19999.7f}, {65535, 1000, 4096, 15999.8f},
        {2545, 1, 100, 25.5f},        {2504, 1, 100, 25.0f},         {65535, 1, 100, 655.4f},
        {25, 1, 100, 0.3f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WordTenths(c.word, c.multiplier, c.divisor), c.out)
            << c.word << " x " << c.multiplier << " / " << c.divisor;
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
