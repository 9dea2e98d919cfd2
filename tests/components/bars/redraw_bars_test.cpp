// The bars on a shown screen: a moved indicator or arrow draws again only its
// old and new place and its value, never the whole scale, and leaves the
// picture a whole redraw would draw.
#include <gtest/gtest.h>

#include "BarsTestUtil.h"
#include "CompPressureBar.h"
#include "CompPressureBar1.h"
#include "CompProgressBar.h"
#include "RedrawProbe.h"

using namespace barstest;

namespace {

class BarRedrawTest : public BarsTest {
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        testsupport::WritePicture("Images/ProgressBarAmp.png", 40, 50, 0xff0000);
        testsupport::WritePicture("Images/ProgressBarVolt.png", 40, 50, 0x00a000);
        testsupport::WritePicture("Images/Pressures.jpg", 50, 60, 0x3050c0);
        testsupport::WritePicture("Images/lf1.png", 9, 7, 0xffc000);
        testsupport::WritePicture("Images/PressureGuageLeftIndicator.png", 9, 7, 0xc000ff);
        testsupport::WritePicture("Images/PressureGuageRightIndicator.png", 9, 7, 0x00ffff);
    }
};

TEST_F(BarRedrawTest, LevelIndicatorMoveLeavesTheScaleAlone)
{
    for (const char* scale : {"./Images/ProgressBarAmp.png", "./Images/ProgressBarVolt.png"}) {
        SCOPED_TRACE(scale);
        CompProgressBar bar;
        bar.BackgroundImagePath = scale;
        bar.IndicatorWidth = 16;
        bar.ConstructLayout();
        testsupport::RedrawProbe probe(bar, 96, 270);
        for (float percent : {50.0f, 70.0f, 100.0f, 100.0f / 3, 0.0f, 0.1f}) {
            SCOPED_TRACE(percent);
            bar.SetProgressBarInd(percent);
            probe.Settle();
            // Scale left of the indicator column, above the value.
            EXPECT_TRUE(probe.Untouched({0, 0, 70, 245}));
            const GdkRectangle indicator = testsupport::PlaceInWindow(bar.IndicatorImage, probe.window());
            EXPECT_EQ(indicator.x, 75);
            EXPECT_EQ(indicator.y, static_cast<int>(234 - 2.19 * percent));
            EXPECT_EQ(probe.StaleArea(), "");
        }
    }
}

// The two bar boxes of the effort bars and what two places of an arrow
// (18 high, cut to the 13-pixel bar) cover.
const GdkRectangle kLeftBar = {2, 18, 13, 231};
const GdkRectangle kRightBar = {83, 18, 13, 231};
const long kTwoArrows = 2 * 13 * 18;

TEST_F(BarRedrawTest, EffortArrowMoveRedrawsOnlyItsOldAndNewPlace)
{
    CompPressureBar1 bar;
    bar.ConstructLayout();
    testsupport::RedrawProbe probe(bar, 100, 270);
    for (float effort : {700.0f, 350.0f, 0.0f, -300.0f, -600.0f, 1000.0f, -900.0f}) {
        SCOPED_TRACE(effort);
        bar.SetPressureBarLeftInd(effort, 0);
        probe.Settle();
        EXPECT_TRUE(probe.Untouched({20, 20, 60, 225}));  // scale between the bars
        EXPECT_TRUE(probe.Untouched({83, 18, 13, 231}));  // right bar
        EXPECT_LE(probe.DrawnPixelsIn(kLeftBar), kTwoArrows);
        EXPECT_EQ(probe.StaleArea(), "");
        bar.SetPressureBarRightInd(-effort, 0);
        probe.Settle();
        EXPECT_TRUE(probe.Untouched({20, 20, 60, 225}));
        EXPECT_TRUE(probe.Untouched(kLeftBar));
        EXPECT_LE(probe.DrawnPixelsIn(kRightBar), kTwoArrows);
        EXPECT_EQ(probe.StaleArea(), "");
    }
}

TEST_F(BarRedrawTest, PercentArrowMoveLeavesTheScaleAlone)
{
    CompPressureBar bar;
    bar.ConstructLayout();
    testsupport::RedrawProbe probe(bar, 100, 270);
    for (float percent : {100.0f, 50.0f, 0.0f, 25.0f}) {
        SCOPED_TRACE(percent);
        bar.SetPressureBarLeftInd(percent);
        bar.SetPressureBarRightInd(percent);
        probe.Settle();
        EXPECT_TRUE(probe.Untouched({20, 20, 60, 225}));
        EXPECT_LE(probe.DrawnPixelsIn(kLeftBar), kTwoArrows);
        EXPECT_LE(probe.DrawnPixelsIn(kRightBar), kTwoArrows);
        EXPECT_EQ(probe.StaleArea(), "");
    }
}

}  // namespace
