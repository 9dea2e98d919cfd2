// The two effort bars: the tree they build from their settings, the missing
// and broken pictures, the debug lines, and the arrow moves of each.
#include <gtest/gtest.h>
#include <gtkmm/window.h>

#include <ios>
#include <memory>

#include "BarsTestUtil.h"
#include "CompPressureBar.h"
#include "CompPressureBar1.h"

using namespace barstest;

namespace {

const unsigned kScaleRgb = 0xFF0000;
const unsigned kEffortLeftRgb = 0x00FF00;    // lf1.png
const unsigned kPercentLeftRgb = 0xFFFF00;   // PressureGuageLeftIndicator.png
const unsigned kRightRgb = 0x0000FF;

// Where the two classes differ.
template <class Bar> struct Traits;
template <> struct Traits<CompPressureBar1> {
    static constexpr const char* word = "CompPressureBar1";
    static constexpr int leftBarX = 2;
    static constexpr int leftValue[2] = {5, 253};
    static constexpr int rightValue[2] = {7, 2};
    static constexpr const char* leftArrow = "./Images/lf1.png";
    static constexpr unsigned leftArrowRgb = kEffortLeftRgb;
};
template <> struct Traits<CompPressureBar> {
    static constexpr const char* word = "CompPressureBar";
    static constexpr int leftBarX = 4;
    static constexpr int leftValue[2] = {7, 2};
    static constexpr int rightValue[2] = {5, 253};
    static constexpr const char* leftArrow = "./Images/PressureGuageLeftIndicator.png";
    static constexpr unsigned leftArrowRgb = kPercentLeftRgb;
};

// Pictures at sizes unlike the ones the bar scales them to.
void WriteBarPictures()
{
    testsupport::WritePicture("Images/Pressures.jpg", 50, 60, kScaleRgb);
    testsupport::WritePicture("Images/lf1.png", 9, 7, kEffortLeftRgb);
    testsupport::WritePicture("Images/PressureGuageLeftIndicator.png", 9, 7, kPercentLeftRgb);
    testsupport::WritePicture("Images/PressureGuageRightIndicator.png", 9, 7, kRightRgb);
}

template <class Bar>
std::string CapturedBuild(Bar& bar)
{
    testing::internal::CaptureStdout();
    bar.ConstructLayout();
    return testing::internal::GetCapturedStdout();
}

}  // namespace

template <class Bar>
class PressureBarTest : public BarsTest {};
using PressureBars = ::testing::Types<CompPressureBar1, CompPressureBar>;
TYPED_TEST_SUITE(PressureBarTest, PressureBars);

TYPED_TEST(PressureBarTest, DefaultLayoutPlacesScaleBarsArrowsAndValues)
{
    using T = Traits<TypeParam>;
    WriteBarPictures();
    TypeParam bar;
    EXPECT_EQ(CapturedBuild(bar), "");

    const std::vector<Placed> top = ChildrenOf(bar);
    ASSERT_EQ(top.size(), 1u);
    ExpectPlaced(top[0], bar.FrameBox, 0, 0, "frame");
    EXPECT_TRUE(BackgroundIs(bar.FrameBox, "black"));
    EXPECT_EQ(bar.FrameBox.get_child(), &bar.GaugeFixed);

    const std::vector<Placed> gauge = ChildrenOf(bar.GaugeFixed);
    ASSERT_EQ(gauge.size(), 5u);
    ExpectPlaced(gauge[0], bar.BackgroundImage, 0, 0, "scale");
    ExpectPlaced(gauge[1], bar.LeftBarBox, T::leftBarX, 18, "left bar");
    ExpectPlaced(gauge[2], bar.RightBarBox, 83, 18, "right bar");
    ExpectPlaced(gauge[3], bar.LeftValueLabel, T::leftValue[0], T::leftValue[1], "left value");
    ExpectPlaced(gauge[4], bar.RightValueLabel, T::rightValue[0], T::rightValue[1], "right value");

    ExpectPicture(bar.BackgroundImage, 100, 270, kScaleRgb, "scale");
    ExpectPicture(bar.LeftIndicatorImage, 18, 18, T::leftArrowRgb, "left arrow");
    ExpectPicture(bar.RightIndicatorImage, 18, 18, kRightRgb, "right arrow");

    struct Side {
        const char* name;
        Gtk::EventBox& box;
        Gtk::Alignment& alignment;
        Gtk::Image& arrow;
        Gtk::Label& value;
    };
    for (const Side& side : {Side{"left", bar.LeftBarBox, bar.LeftIndicatorAlignment,
                                  bar.LeftIndicatorImage, bar.LeftValueLabel},
                             Side{"right", bar.RightBarBox, bar.RightIndicatorAlignment,
                                  bar.RightIndicatorImage, bar.RightValueLabel}}) {
        SCOPED_TRACE(side.name);
        int w = 0, h = 0;
        side.box.get_size_request(w, h);
        EXPECT_EQ(w, 13);
        EXPECT_EQ(h, 231);
        EXPECT_TRUE(BackgroundIs(side.box, "#033d17"));
        EXPECT_EQ(side.box.get_child(), &side.alignment);
        EXPECT_EQ(side.alignment.get_child(), &side.arrow);
        const AlignmentValues a = AlignmentOf(side.alignment);
        EXPECT_FLOAT_EQ(a.xalign, 0.5f);
        EXPECT_FLOAT_EQ(a.yalign, 0.54f);
        EXPECT_FLOAT_EQ(a.xscale, 0);
        EXPECT_FLOAT_EQ(a.yscale, 0);
        EXPECT_EQ(side.value.get_text(), "0.0");
        EXPECT_TRUE(ForegroundIs(side.value, "white"));
        const PangoFontDescription* font = FontOf(side.value);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(pango_font_description_get_size(font), 8601);
        EXPECT_EQ(pango_font_description_get_weight(font), PANGO_WEIGHT_BOLD);
        EXPECT_TRUE(side.box.get_child_visible());
        EXPECT_TRUE(side.value.get_child_visible());
        EXPECT_TRUE(side.value.is_visible());  // shown with the rest
    }
    EXPECT_TRUE(bar.BackgroundImage.get_child_visible());
}

TYPED_TEST(PressureBarTest, SettingsAreTruncatedToPixelsAndApplied)
{
    WriteBarPictures();
    testsupport::WritePicture("Images/scale.png", 10, 10, 0x808080);
    TypeParam bar;
    bar.PositionX = 12;
    bar.PositionY = -3;
    bar.BackgroundX = 3.9f;
    bar.BackgroundY = 1.2f;
    bar.BackgroundWidth = 49.9968f;
    bar.BackgroundHeight = 60.5f;
    bar.BackgroundImagePath = "./Images/scale.png";
    bar.LeftBarX = 4.992f;
    bar.LeftBarWidth = 10.99f;
    bar.RightBarY = 20.7f;
    bar.RightValueX = 33.3f;
    bar.LeftIndicatorWidth = 12.9f;
    bar.RightIndicatorHeight = 7.5f;
    bar.LeftXAlign = 0.2f;
    bar.LeftYAlign = 0.9f;
    bar.RightYScale = 1;
    bar.FontScale = 0.01f;
    bar.FrameColour = "#ff8000";
    bar.LeftBarColour = "red";
    bar.ValueColour = "yellow";
    bar.LeftValueText = "12";
    bar.ConstructLayout();

    ExpectPlaced(ChildrenOf(bar).at(0), bar.FrameBox, 12, -3, "frame");
    EXPECT_TRUE(BackgroundIs(bar.FrameBox, "#ff8000"));
    const std::vector<Placed> gauge = ChildrenOf(bar.GaugeFixed);
    ASSERT_EQ(gauge.size(), 5u);
    ExpectPlaced(gauge[0], bar.BackgroundImage, 3, 1, "scale");
    EXPECT_EQ(gauge[1].x, 4);
    EXPECT_EQ(gauge[2].y, 20);
    EXPECT_EQ(gauge[4].x, 33);
    ExpectPicture(bar.BackgroundImage, 49, 60, 0x808080, "scale");
    ExpectPicture(bar.LeftIndicatorImage, 12, 18, Traits<TypeParam>::leftArrowRgb, "left arrow");
    ExpectPicture(bar.RightIndicatorImage, 18, 7, kRightRgb, "right arrow");
    int w = 0, h = 0;
    bar.LeftBarBox.get_size_request(w, h);
    EXPECT_EQ(w, 10);
    EXPECT_TRUE(BackgroundIs(bar.LeftBarBox, "red"));
    EXPECT_TRUE(BackgroundIs(bar.RightBarBox, "#033d17"));
    EXPECT_FLOAT_EQ(AlignmentOf(bar.LeftIndicatorAlignment).xalign, 0.2f);
    EXPECT_FLOAT_EQ(AlignmentOf(bar.LeftIndicatorAlignment).yalign, 0.9f);
    EXPECT_FLOAT_EQ(AlignmentOf(bar.RightIndicatorAlignment).yscale, 1);
    EXPECT_EQ(bar.LeftValueLabel.get_text(), "12");
    EXPECT_TRUE(ForegroundIs(bar.LeftValueLabel, "yellow"));
    EXPECT_TRUE(ForegroundIs(bar.RightValueLabel, "yellow"));
    EXPECT_EQ(pango_font_description_get_size(FontOf(bar.RightValueLabel)), 14336);
}

TYPED_TEST(PressureBarTest, EachVisibilityFlagHidesOnlyItsWidget)
{
    WriteBarPictures();
    struct Case {
        const char* name;
        unsigned char TypeParam::*flag;
        Gtk::Widget& (*widget)(TypeParam&);
    };
    using B = TypeParam;
    const Case cases[] = {
        {"BackgroundVisible", &B::BackgroundVisible, [](B& b) -> Gtk::Widget& { return b.BackgroundImage; }},
        {"LeftBarVisible", &B::LeftBarVisible, [](B& b) -> Gtk::Widget& { return b.LeftBarBox; }},
        {"RightBarVisible", &B::RightBarVisible, [](B& b) -> Gtk::Widget& { return b.RightBarBox; }},
        {"LeftValueVisible", &B::LeftValueVisible, [](B& b) -> Gtk::Widget& { return b.LeftValueLabel; }},
        {"RightValueVisible", &B::RightValueVisible, [](B& b) -> Gtk::Widget& { return b.RightValueLabel; }},
    };
    for (const Case& hidden : cases) {
        SCOPED_TRACE(hidden.name);
        TypeParam bar;
        bar.*hidden.flag = 0;
        bar.ConstructLayout();
        EXPECT_EQ(ChildrenOf(bar.GaugeFixed).size(), 5u);  // placed even when hidden
        for (const Case& other : cases)
            EXPECT_EQ(other.widget(bar).get_child_visible(), &other != &hidden) << other.name;
    }
}

// A picture that exists but does not decode is treated like a missing one.
TYPED_TEST(PressureBarTest, MissingOrBrokenPicturesAreReportedAndLeftOut)
{
    using T = Traits<TypeParam>;
    for (const bool broken : {false, true}) {
        SCOPED_TRACE(broken ? "broken files" : "missing files");
        testsupport::TempWorkDir dir;
        if (broken) {
            for (const char* path : {"Images/Pressures.jpg", T::leftArrow + 2,
                                     "Images/PressureGuageRightIndicator.png"})
                dir.WriteFile(path, "not a picture");
        }
        TypeParam bar;
        bar.DebugOutput = 1;
        EXPECT_EQ(CapturedBuild(bar), std::string("ConstructLayout ") + T::word + "\n"
                                          "Image Not Found ./Images/Pressures.jpg\n"
                                          "Image Not Found " + T::leftArrow + "\n"
                                          "Image Not Found ./Images/PressureGuageRightIndicator.png\n");
        const std::vector<Placed> gauge = ChildrenOf(bar.GaugeFixed);
        ASSERT_EQ(gauge.size(), 4u);  // no scale; bars and values still there
        ExpectPlaced(gauge[0], bar.LeftBarBox, T::leftBarX, 18, "left bar");
        EXPECT_EQ(bar.BackgroundImage.get_parent(), nullptr);
        EXPECT_FALSE(HasPicture(bar.LeftIndicatorImage));
        EXPECT_FALSE(HasPicture(bar.RightIndicatorImage));
        EXPECT_EQ(bar.LeftIndicatorImage.get_parent(), &bar.LeftIndicatorAlignment);
        EXPECT_EQ(bar.RightValueLabel.get_text(), "0.0");
    }
}

TYPED_TEST(PressureBarTest, DebugLinesOnlyWhenSwitchIsExactlyOne)
{
    using T = Traits<TypeParam>;
    const std::string word = T::word;
    const std::string missing = "Image Not Found ./Images/Pressures.jpg\n"
                                "Image Not Found " + std::string(T::leftArrow) + "\n"
                                "Image Not Found ./Images/PressureGuageRightIndicator.png\n";
    struct Case {
        unsigned char debug;
        std::string lines;
    };
    // The switch is 0 while the constructor runs, so its line never shows.
    const Case cases[] = {
        {0, ""},
        {1, "ConstructLayout " + word + "\n" + missing + "Destructor " + word + "\n"},
        {2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.debug));
        testing::internal::CaptureStdout();
        {
            std::unique_ptr<TypeParam> bar(new TypeParam);
            bar->DebugOutput = c.debug;
            bar->ConstructLayout();
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.lines);
    }
}

TYPED_TEST(PressureBarTest, EmptyValueTextBecomesZeroAndPlainFontStaysTheTheme)
{
    TypeParam bar;
    bar.DebugOutput = 1;
    bar.LeftValueText = "";
    bar.RightValueText = "";
    bar.LeftValueBold = 0;
    const std::string out = CapturedBuild(bar);
    EXPECT_EQ(out.find("Invalid"), std::string::npos) << out;
    EXPECT_EQ(bar.LeftValueText, "0.0");
    EXPECT_EQ(bar.LeftValueLabel.get_text(), "0.0");
    EXPECT_EQ(bar.RightValueLabel.get_text(), "0.0");
    EXPECT_EQ(FontOf(bar.LeftValueLabel), nullptr);
    EXPECT_NE(FontOf(bar.RightValueLabel), nullptr);
}

// Negative sizes from an owner: never a negative size request, no picture.
TYPED_TEST(PressureBarTest, NegativeSizesGiveEmptyBarsAndNoPictures)
{
    WriteBarPictures();
    TypeParam bar;
    bar.LeftBarWidth = -13;
    bar.RightBarHeight = -2;
    bar.BackgroundWidth = -100;
    bar.LeftIndicatorHeight = -18;
    bar.DebugOutput = 1;
    const std::string out = CapturedBuild(bar);
    // The toolkit turns a zero request into its one-pixel minimum.
    int w = 0, h = 0;
    bar.LeftBarBox.get_size_request(w, h);
    EXPECT_TRUE(w == 0 || w == 1) << w;
    EXPECT_EQ(h, 231);
    bar.RightBarBox.get_size_request(w, h);
    EXPECT_EQ(w, 13);
    EXPECT_TRUE(h == 0 || h == 1) << h;
    EXPECT_EQ(bar.BackgroundImage.get_parent(), nullptr);
    EXPECT_FALSE(HasPicture(bar.LeftIndicatorImage));
    EXPECT_TRUE(HasPicture(bar.RightIndicatorImage));
    EXPECT_NE(out.find("Image Not Found ./Images/Pressures.jpg\n"), std::string::npos) << out;
}

namespace {

struct Move {
    float value;     // effort, or percent for the percentage bar
    float yalign;    // as computed and kept in the setting
    float shown;     // as the alignment widget keeps it (within 0..1)
    const char* text;
};

void ExpectSide(float setting, Gtk::Alignment& alignment, Gtk::Label& label, const Move& m)
{
    EXPECT_NEAR(setting, m.yalign, 1e-5);
    const AlignmentValues a = AlignmentOf(alignment);
    EXPECT_FLOAT_EQ(a.xalign, 0.5f);
    EXPECT_NEAR(a.yalign, m.shown, 1e-5);
    EXPECT_FLOAT_EQ(a.xscale, 0);
    EXPECT_FLOAT_EQ(a.yscale, 0);
    EXPECT_EQ(label.get_text(), m.text);
}

// Signed effort: traction up over 0..700, braking down over 0..600. Applied
// one after the other on one bar, so a stale value text would show.
const Move kEffortMoves[] = {
    {700, 0.01f, 0.01f, "700"},
    {350, 0.275f, 0.275f, "350"},
    {0, 0.54f, 0.54f, "0"},
    {-300, 0.77f, 0.77f, "-300"},
    {-600, 1.0f, 1.0f, "-600"},
    {12.5f, 0.530536f, 0.530536f, "12.5"},
    {1000, -0.217143f, 0.0f, "1000"},
    {-1200, 1.46f, 1.0f, "-1200"},
    {123.4567f, 0.4465256f, 0.4465256f, "123.457"},
};

}  // namespace

class EffortBarTest : public BarsTest {};

TEST_F(EffortBarTest, LeftArrowFollowsDemandedEffortAndTurnsGreen)
{
    CompPressureBar1 bar;
    bar.LeftXAlign = 0.1f;
    bar.LeftXScale = 1;
    bar.LeftYScale = 1;
    bar.ConstructLayout();
    EXPECT_TRUE(ForegroundIs(bar.LeftValueLabel, "white"));
    for (const Move& m : kEffortMoves) {
        SCOPED_TRACE(m.value);
        bar.SetPressureBarLeftInd(m.value, 1);
        ExpectSide(bar.LeftYAlign, bar.LeftIndicatorAlignment, bar.LeftValueLabel, m);
        EXPECT_EQ(bar.LeftValueText, m.text);
        EXPECT_TRUE(ForegroundIs(bar.LeftValueLabel, "green"));
    }
    EXPECT_FLOAT_EQ(bar.RightYAlign, 0.54f);
    EXPECT_EQ(bar.RightValueLabel.get_text(), "0.0");
}

TEST_F(EffortBarTest, RightArrowFollowsActualEffortAndKeepsItsColour)
{
    CompPressureBar1 bar;
    bar.ConstructLayout();
    for (const Move& m : kEffortMoves) {
        SCOPED_TRACE(m.value);
        bar.SetPressureBarRightInd(m.value, 2);
        ExpectSide(bar.RightYAlign, bar.RightIndicatorAlignment, bar.RightValueLabel, m);
        EXPECT_EQ(bar.RightValueText, m.text);
        EXPECT_TRUE(ForegroundIs(bar.RightValueLabel, "white"));
    }
    EXPECT_EQ(bar.LeftValueLabel.get_text(), "0.0");
}

// On screen: the arrow sits at its share of the bar's free height
// (231 - 18 = 213 pixels) and stops at the ends.
TEST_F(EffortBarTest, ArrowIsDrawnAtItsPlaceInTheBar)
{
    WriteBarPictures();
    CompPressureBar1 bar;
    bar.ConstructLayout();
    Gtk::Window window;
    window.add(bar);
    window.show_all();
    struct Case {
        float effort;
        int y;
    };
    for (const Case& c : {Case{0, 115}, Case{700, 2}, Case{1000, 0}, Case{-600, 213}, Case{-900, 213}}) {
        SCOPED_TRACE(c.effort);
        bar.SetPressureBarRightInd(c.effort, 0);
        testsupport::DrainEvents();
        EXPECT_EQ(bar.RightIndicatorImage.get_allocation().get_y(), c.y);
        EXPECT_EQ(bar.RightIndicatorImage.get_allocation().get_height(), 18);
    }
    window.remove();
}

// The arrow's place is float steps (effort / full scale, times 100) and a
// double sum stored as float. The cab's x87 unit keeps more bits than a
// float between the steps; rounded at each step the setting is the same to
// the last bit there as here (these efforts came out one or two bits off).
TEST_F(EffortBarTest, ArrowPlaceIsTheSameFloatOnEveryBuild)
{
    const struct {
        float effort;
        float yalign;
    } cases[] = {{200, 0x1.8de5aap-2f},  {500, 0x1.4a9b0ep-3f},  {1000, -0x1.bcb568p-3f},
                 {18.6f, 0x1.0d4504p-1f}, {22.6f, 0x1.0bb80cp-1f}, {-345.6f, 0x1.9c23b8p-1f}};
    CompPressureBar1 bar;
    bar.ConstructLayout();
    for (const auto& c : cases) {
        bar.SetPressureBarLeftInd(c.effort, 0);
        EXPECT_EQ(bar.LeftYAlign, c.yalign) << c.effort << ": " << std::hexfloat << bar.LeftYAlign;
        bar.SetPressureBarRightInd(c.effort, 0);
        EXPECT_EQ(bar.RightYAlign, c.yalign) << c.effort << ": " << std::hexfloat << bar.RightYAlign;
    }
}

class PercentBarTest : public BarsTest {};

TEST_F(PercentBarTest, LeftPercentRaisesArrowOverFullTraction)
{
    const Move moves[] = {
        {100, 0.01f, 0.01f, "700"},
        {50, 0.275f, 0.275f, "350"},
        {0, 0.54f, 0.54f, "0"},
        {33.3f, 0.36351f, 0.36351f, "233.1"},
        {150, -0.255f, 0.0f, "1050"},
    };
    CompPressureBar bar;
    bar.ConstructLayout();
    for (const Move& m : moves) {
        SCOPED_TRACE(m.value);
        bar.SetPressureBarLeftInd(m.value);
        ExpectSide(bar.LeftYAlign, bar.LeftIndicatorAlignment, bar.LeftValueLabel, m);
        EXPECT_TRUE(ForegroundIs(bar.LeftValueLabel, "white"));
    }
}

TEST_F(PercentBarTest, RightPercentLowersArrowOverFullBraking)
{
    const Move moves[] = {
        {50, 0.77f, 0.77f, "300"},
        {100, 1.0f, 1.0f, "600"},
        {0, 0.54f, 0.54f, "0"},
        {12.5f, 0.5975f, 0.5975f, "75"},
        {-50, 0.31f, 0.31f, "-300"},
    };
    CompPressureBar bar;
    bar.ConstructLayout();
    for (const Move& m : moves) {
        SCOPED_TRACE(m.value);
        bar.SetPressureBarRightInd(m.value);
        ExpectSide(bar.RightYAlign, bar.RightIndicatorAlignment, bar.RightValueLabel, m);
        EXPECT_EQ(bar.RightValueText, m.text);
    }
}
