// The level bar: the tree it builds from its settings, missing and broken
// pictures, the debug lines, and the indicator and value of each update.
#include <gtest/gtest.h>

#include <memory>

#include "BarsTestUtil.h"
#include "CompProgressBar.h"

using namespace barstest;

namespace {

const unsigned kAmpScaleRgb = 0xFF0000;
const unsigned kIndicatorRgb = 0x0000FF;

void WriteLevelPictures()
{
    testsupport::WritePicture("Images/ProgressBarAmp.png", 40, 50, kAmpScaleRgb);
    testsupport::WritePicture("Images/PressureGuageRightIndicator.png", 5, 6, kIndicatorRgb);
}

std::string CapturedBuild(CompProgressBar& bar)
{
    testing::internal::CaptureStdout();
    bar.ConstructLayout();
    return testing::internal::GetCapturedStdout();
}

}  // namespace

class LevelBarTest : public BarsTest {};

TEST_F(LevelBarTest, DefaultLayoutPlacesScaleValueAndIndicator)
{
    WriteLevelPictures();
    CompProgressBar bar;
    EXPECT_EQ(CapturedBuild(bar), "");

    const std::vector<Placed> top = ChildrenOf(bar);
    ASSERT_EQ(top.size(), 1u);
    ExpectPlaced(top[0], bar.FrameBox, 0, 0, "frame");
    EXPECT_TRUE(BackgroundIs(bar.FrameBox, "black"));
    EXPECT_EQ(bar.FrameBox.get_child(), &bar.GaugeFixed);

    const std::vector<Placed> gauge = ChildrenOf(bar.GaugeFixed);
    ASSERT_EQ(gauge.size(), 3u);
    ExpectPlaced(gauge[0], bar.BackgroundImage, 0, 0, "scale");
    ExpectPlaced(gauge[1], bar.ValueLabel, 10, 251, "value");
    ExpectPlaced(gauge[2], bar.IndicatorImage, 75, 234, "indicator");
    ExpectPicture(bar.BackgroundImage, 96, 270, kAmpScaleRgb, "scale");
    ExpectPicture(bar.IndicatorImage, 17, 17, kIndicatorRgb, "indicator");

    EXPECT_EQ(bar.ValueLabel.get_text(), "0");
    EXPECT_TRUE(ForegroundIs(bar.ValueLabel, "white"));
    const PangoFontDescription* font = FontOf(bar.ValueLabel);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(pango_font_description_get_weight(font), PANGO_WEIGHT_BOLD);
    // Only the weight is set; the size stays the theme's.
    EXPECT_FALSE(pango_font_description_get_set_fields(font) & PANGO_FONT_MASK_SIZE);
    for (Gtk::Widget* w : {static_cast<Gtk::Widget*>(&bar.BackgroundImage),
                           static_cast<Gtk::Widget*>(&bar.ValueLabel),
                           static_cast<Gtk::Widget*>(&bar.IndicatorImage)}) {
        EXPECT_TRUE(w->get_child_visible());
        EXPECT_TRUE(w->is_visible());
    }
}

// The main screen's two bars: current and voltage scales, 16-pixel indicator.
TEST_F(LevelBarTest, OwnerSettingsAreTruncatedToPixelsAndApplied)
{
    WriteLevelPictures();
    testsupport::WritePicture("Images/ProgressBarVolt.png", 30, 30, 0x00FF00);
    CompProgressBar bar;
    bar.BackgroundImagePath = "./Images/ProgressBarVolt.png";
    bar.IndicatorWidth = 16;
    bar.IndicatorHeight = 17.9f;
    bar.PositionX = 5;
    bar.PositionY = 64;
    bar.BackgroundX = 2.7f;
    bar.BackgroundWidth = 49.9968f;
    bar.ValueX = 4.992f;
    bar.ValueY = 200.5f;
    bar.IndicatorX = 40.9f;
    bar.FrameColour = "#212121";
    bar.ValueColour = "yellow";
    bar.ValueText = "7";
    bar.ConstructLayout();

    ExpectPlaced(ChildrenOf(bar).at(0), bar.FrameBox, 5, 64, "frame");
    EXPECT_TRUE(BackgroundIs(bar.FrameBox, "#212121"));
    const std::vector<Placed> gauge = ChildrenOf(bar.GaugeFixed);
    ASSERT_EQ(gauge.size(), 3u);
    ExpectPlaced(gauge[0], bar.BackgroundImage, 2, 0, "scale");
    ExpectPlaced(gauge[1], bar.ValueLabel, 4, 200, "value");
    ExpectPlaced(gauge[2], bar.IndicatorImage, 40, 234, "indicator");
    ExpectPicture(bar.BackgroundImage, 49, 270, 0x00FF00, "scale");
    ExpectPicture(bar.IndicatorImage, 16, 17, kIndicatorRgb, "indicator");
    EXPECT_EQ(bar.ValueLabel.get_text(), "7");
    EXPECT_TRUE(ForegroundIs(bar.ValueLabel, "yellow"));

    // The first update brings the indicator back to its column.
    bar.SetProgressBarInd(0);
    ExpectPlaced(ChildrenOf(bar.GaugeFixed).at(2), bar.IndicatorImage, 75, 234, "indicator");
}

TEST_F(LevelBarTest, EachVisibilityFlagHidesOnlyItsWidget)
{
    WriteLevelPictures();
    struct Case {
        const char* name;
        unsigned char CompProgressBar::*flag;
        Gtk::Widget& (*widget)(CompProgressBar&);
    };
    const Case cases[] = {
        {"BackgroundVisible", &CompProgressBar::BackgroundVisible,
         [](CompProgressBar& b) -> Gtk::Widget& { return b.BackgroundImage; }},
        {"ValueVisible", &CompProgressBar::ValueVisible,
         [](CompProgressBar& b) -> Gtk::Widget& { return b.ValueLabel; }},
        {"IndicatorVisible", &CompProgressBar::IndicatorVisible,
         [](CompProgressBar& b) -> Gtk::Widget& { return b.IndicatorImage; }},
    };
    for (const Case& hidden : cases) {
        SCOPED_TRACE(hidden.name);
        CompProgressBar bar;
        bar.*hidden.flag = 0;
        bar.ConstructLayout();
        EXPECT_EQ(ChildrenOf(bar.GaugeFixed).size(), 3u);  // placed even when hidden
        for (const Case& other : cases)
            EXPECT_EQ(other.widget(bar).get_child_visible(), &other != &hidden) << other.name;
    }
}

// A picture that exists but does not decode is treated like a missing one.
TEST_F(LevelBarTest, MissingOrBrokenPicturesLeaveScaleOutAndIndicatorEmpty)
{
    for (const bool broken : {false, true}) {
        SCOPED_TRACE(broken ? "broken files" : "missing files");
        testsupport::TempWorkDir dir;
        if (broken) {
            dir.WriteFile("Images/ProgressBarAmp.png", "not a picture");
            dir.WriteFile("Images/PressureGuageRightIndicator.png", "");
        }
        CompProgressBar bar;
        bar.DebugOutput = 1;
        EXPECT_EQ(CapturedBuild(bar), "ConstructLayout CompProgressBar\n"
                                      "Image Not Found ./Images/ProgressBarAmp.png\n"
                                      "Image Not Found ./Images/PressureGuageRightIndicator.png\n");
        std::vector<Placed> gauge = ChildrenOf(bar.GaugeFixed);
        ASSERT_EQ(gauge.size(), 2u);
        ExpectPlaced(gauge[0], bar.ValueLabel, 10, 251, "value");
        ExpectPlaced(gauge[1], bar.IndicatorImage, 75, 234, "indicator");
        EXPECT_EQ(bar.BackgroundImage.get_parent(), nullptr);
        EXPECT_FALSE(HasPicture(bar.IndicatorImage));
        // The empty indicator still follows the updates.
        bar.SetProgressBarInd(50);
        EXPECT_EQ(ChildrenOf(bar.GaugeFixed).at(1).y, 124);
        EXPECT_EQ(bar.ValueLabel.get_text(), "175");
    }
}

TEST_F(LevelBarTest, DebugLinesOnlyWhenSwitchIsExactlyOne)
{
    struct Case {
        unsigned char debug;
        std::string lines;
    };
    // The switch is 0 while the constructor runs, so its line never shows.
    const Case cases[] = {
        {0, ""},
        {1, "ConstructLayout CompProgressBar\n"
            "Image Not Found ./Images/ProgressBarAmp.png\n"
            "Image Not Found ./Images/PressureGuageRightIndicator.png\n"
            "Destructor CompProgressBar\n"},
        {2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.debug));
        testing::internal::CaptureStdout();
        {
            std::unique_ptr<CompProgressBar> bar(new CompProgressBar);
            bar->DebugOutput = c.debug;
            bar->ConstructLayout();
            bar->SetProgressBarInd(10);
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.lines);
    }
}

TEST_F(LevelBarTest, EmptyValueTextBecomesZeroAndPlainFontStaysTheTheme)
{
    CompProgressBar bar;
    bar.DebugOutput = 1;
    bar.ValueText = "";
    bar.BoldValue = 0;
    const std::string out = CapturedBuild(bar);
    EXPECT_EQ(out.find("Invalid"), std::string::npos) << out;
    EXPECT_EQ(bar.ValueText, "0");
    EXPECT_EQ(bar.ValueLabel.get_text(), "0");
    EXPECT_EQ(FontOf(bar.ValueLabel), nullptr);
}

TEST_F(LevelBarTest, NegativeSizesGiveNoPictures)
{
    WriteLevelPictures();
    CompProgressBar bar;
    bar.BackgroundHeight = -270;
    bar.IndicatorWidth = -1;
    bar.ConstructLayout();
    const std::vector<Placed> gauge = ChildrenOf(bar.GaugeFixed);
    ASSERT_EQ(gauge.size(), 2u);
    EXPECT_EQ(bar.BackgroundImage.get_parent(), nullptr);
    EXPECT_FALSE(HasPicture(bar.IndicatorImage));
}

// Updates on one bar one after the other: the scale path is read again by
// each, and a stale value text would show.
TEST_F(LevelBarTest, UpdateMovesIndicatorAndShowsValueOfTheScale)
{
    const std::string amp = "./Images/ProgressBarAmp.png";
    const std::string volt = "./Images/ProgressBarVolt.png";
    struct Case {
        const std::string& scale;
        float percent;
        float y;       // IndicatorY as kept
        int shownY;    // truncated toward zero
        const char* text;
    };
    const std::string other = "./Images/ProgressBarVolt.jpg";
    const Case cases[] = {
        {amp, 0, 234, 234, "0"},
        {amp, 50, 124.5f, 124, "175"},
        {volt, 50, 124.5f, 124, "17.5"},
        {amp, 70, 80.7f, 80, "245"},
        {volt, 70, 80.7f, 80, "24.5"},
        {amp, 100, 15, 15, "350"},
        {volt, 100, 15, 15, "35"},
        {amp, 100.0f / 3, 161, 161, "116.667"},
        {other, 70, 80.7f, 80, ""},
        {amp, 110, -6.9f, -6, "385"},
        {volt, -10, 255.9f, 255, "-3.5"},
        {"./Images/progressbaramp.png", 20, 190.2f, 190, ""},
    };
    WriteLevelPictures();
    CompProgressBar bar;
    bar.ConstructLayout();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale + " " + std::to_string(c.percent));
        bar.BackgroundImagePath = c.scale;
        bar.IndicatorX = 3;
        bar.SetProgressBarInd(c.percent);
        EXPECT_FLOAT_EQ(bar.IndicatorX, 75);
        EXPECT_NEAR(bar.IndicatorY, c.y, 1e-4);
        ExpectPlaced(ChildrenOf(bar.GaugeFixed).at(2), bar.IndicatorImage, 75, c.shownY, "indicator");
        EXPECT_EQ(bar.ValueText, c.text);
        EXPECT_EQ(bar.ValueLabel.get_text(), c.text);
    }
}

// An update before the layout keeps the settings and value, and moves nothing.
TEST_F(LevelBarTest, UpdateBeforeLayoutOnlyRewritesSettings)
{
    WriteLevelPictures();
    CompProgressBar bar;
    bar.SetProgressBarInd(50);
    EXPECT_NEAR(bar.IndicatorY, 124.5f, 1e-4);
    EXPECT_EQ(bar.ValueText, "175");
    EXPECT_EQ(bar.IndicatorImage.get_parent(), nullptr);
    bar.ConstructLayout();
    const std::vector<Placed> gauge = ChildrenOf(bar.GaugeFixed);
    ASSERT_EQ(gauge.size(), 3u);
    ExpectPlaced(gauge[2], bar.IndicatorImage, 75, 124, "indicator");
    EXPECT_EQ(bar.ValueLabel.get_text(), "175");
}
