// The row frame on its own: caches, number text, the bar rule with its
// clamps and guards, the lamp rules.
#include "StatusFixture.h"
#include "StatusFrame.h"

#include <cmath>
#include <limits>

using namespace statusframe;
using namespace statustest;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(Cache, EmptyDiffersThenHoldsTheValue)
{
    Cache<unsigned short> cache;
    EXPECT_TRUE(cache.Take(0));
    EXPECT_FALSE(cache.Take(0));
    EXPECT_TRUE(cache.Take(1));
    Cache<float> floats;
    EXPECT_TRUE(floats.Take(kNaN));
    // A stored NaN counts as changed on every update.
    EXPECT_TRUE(floats.Take(kNaN));
    EXPECT_TRUE(floats.Take(2.5f));
    EXPECT_FALSE(floats.Take(2.5f));
}

using FrameRows = StatusTest;

TEST_F(FrameRows, NumberTextDefaultStreamFormatPerType)
{
    std::stringstream stream;
    Gtk::Label label;
    const auto text = [&](auto value) {
        DrawNumber(stream, label, value);
        return label.get_text();
    };
    EXPECT_EQ(text(0.0f), "0");
    EXPECT_EQ(text(0.1f), "0.1");
    EXPECT_EQ(text(100.0f), "100");
    EXPECT_EQ(text(12.5f), "12.5");
    EXPECT_EQ(text(230.39999f), "230.4");
    EXPECT_EQ(text(2500000.0f), "2.5e+06");
    EXPECT_EQ(text(static_cast<unsigned short>(65535)), "65535");
    EXPECT_EQ(text(static_cast<short>(-1)), "-1");
    EXPECT_EQ(text(4294967295u), "4294967295");
    // The stream is emptied after every use.
    EXPECT_EQ(stream.str(), "");
}

struct ClampCase {
    float value;
    Clamp clamp;
    unsigned short min, max;
    float expected;
};

class ClampRule : public testing::TestWithParam<ClampCase> {};

TEST_P(ClampRule, AboveThenBelow)
{
    const ClampCase& c = GetParam();
    EXPECT_EQ(ClampToBar(c.value, c.clamp, c.min, c.max), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClampRule,
    testing::Values(ClampCase{150, Clamp::Capping, 0, 138, 138}, ClampCase{150, Clamp::Zeroing, 0, 138, 0},
                    ClampCase{69, Clamp::Capping, 0, 138, 69}, ClampCase{0.5f, Clamp::Capping, 1, 6, 1},
                    // Zeroing: above the maximum is 0 even under a minimum.
                    ClampCase{7, Clamp::Zeroing, 1, 6, 0}, ClampCase{-3, Clamp::Zeroing, 0, 6, 0},
                    ClampCase{kInf, Clamp::Capping, 0, 6, 6}, ClampCase{-kInf, Clamp::Capping, 2, 6, 2}));

struct PercentCase {
    float value;
    unsigned short min, max;
    float expected;
};

class Percent : public testing::TestWithParam<PercentCase> {};

TEST_P(Percent, ShareOfRangeNeverDividesByZero)
{
    const PercentCase& c = GetParam();
    EXPECT_NEAR(BarPercent(c.value, c.min, c.max), c.expected, 0.01f);
    if (c.value >= 0 && c.value == std::floor(c.value) && c.value < 65536) {
        EXPECT_NEAR(BarPercent(static_cast<unsigned short>(c.value), c.min, c.max), c.expected, 0.01f);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Percent,
                         testing::Values(PercentCase{69, 0, 138, 50}, PercentCase{75.5f, 0, 300, 25.1667f},
                                         PercentCase{5.2f, 0, 6, 86.6667f}, PercentCase{600, 0, 600, 100},
                                         PercentCase{3, 1, 5, 50},
                                         // Start values: every range 0..0, or reversed.
                                         PercentCase{0, 0, 0, 0}, PercentCase{5, 0, 0, 0},
                                         PercentCase{5, 9, 3, 0}, PercentCase{kNaN, 0, 6, 0}));

struct WholeCase {
    float stored;
    const char* text;
    int barWidth;  // 0: hidden
};

// The 16-bit effort bar fed from a float (range 0..700): truncation, low 16
// bits, zeroing; values that cannot be converted count as above the maximum.
TEST_F(FrameRows, WholeBarStepTable)
{
    const WholeCase cases[] = {
        {350.7f, "350", 128}, {700.5f, "700", 256}, {701, "0", 0}, {-12.5f, "0", 0}, {0, "0", 0},
        {65536 + 350, "350", 128}, {kNaN, "0", 0}, {kInf, "0", 0}, {1e10f, "0", 0}, {-1e10f, "0", 0},
    };
    Gtk::VBox screen;
    CompProgressBarHolder row;
    BuildBarRow(screen, row, "TE Demand(W)", "0", "./Images/KilonewtonUnit.jpg");
    std::stringstream stream;
    for (const WholeCase& c : cases) {
        BarCache<unsigned short> bar;
        WholeBarStep(bar, c.stored, 0, 700, stream, row);
        EXPECT_EQ(Text(row.ValueLabel), c.text) << c.stored;
        EXPECT_EQ(BarWidth(row), c.barWidth) << c.stored;
    }
}

TEST_F(FrameRows, BarAtEmptyRangeDrawsClampedTextAndHidesBar)
{
    Gtk::VBox screen;
    CompProgressBarHolder row;
    BuildBarRow(screen, row, "Battery Voltage", "0.0", "./Images/VoltsUnit.jpg");
    std::stringstream stream;
    BarCache<unsigned short> ints;
    BarStep<unsigned short>(ints, 25, 0, 0, Clamp::Zeroing, stream, row);
    EXPECT_EQ(Text(row.ValueLabel), "0");
    EXPECT_EQ(BarWidth(row), 0);
    BarCache<float> floats;
    BarStep<float>(floats, 25, 0, 0, Clamp::Capping, stream, row);
    EXPECT_EQ(Text(row.ValueLabel), "0");
    EXPECT_EQ(BarWidth(row), 0);
    // A value that is not a number shows as stored, with no bar.
    BarStep<float>(floats, kNaN, 0, 6, Clamp::Capping, stream, row);
    EXPECT_EQ(Text(row.ValueLabel), "nan");
    EXPECT_EQ(BarWidth(row), 0);
}

struct LampCase {
    Lamp rule;
    unsigned short value;
    const char* picture;  // after the lamp-off start
};

TEST_F(FrameRows, LampRulesTable)
{
    const LampCase cases[] = {
        {Lamp::OneOn, 1, "./Images/BoolValON.jpg"},      {Lamp::OneOn, 0, "./Images/BoolValOFF.jpg"},
        {Lamp::OneOn, 2, "./Images/pantoup.jpg"},        {Lamp::NonZeroOn, 5, "./Images/BoolValON.jpg"},
        {Lamp::NonZeroOn, 0, "./Images/BoolValOFF.jpg"}, {Lamp::AppliedUpTo35, 35, "./Images/BoolValON.jpg"},
        {Lamp::AppliedUpTo35, 36, "./Images/BoolValOFF.jpg"}, {Lamp::Pantograph, 1, "./Images/pantoup.jpg"},
        {Lamp::Pantograph, 0, "./Images/pantodown.jpg"}, {Lamp::Pantograph, 2, "./Images/pantoup.jpg"},
    };
    for (const LampCase& c : cases) {
        Gtk::VBox screen;
        CompBoolValRect row;
        BuildLampRow(screen, row, "Lamp");
        // A marker the rules must leave alone for values they ignore.
        row.PantoStatus(10);
        Cache<unsigned short> cache;
        LampStep(cache, c.value, row, c.rule);
        EXPECT_EQ(LoadedFrom(row.StatusImage), c.picture) << int(c.rule) << " " << c.value;
        EXPECT_TRUE(cache.Held());
        EXPECT_EQ(cache.Value(), c.value);
    }
}

}  // namespace
