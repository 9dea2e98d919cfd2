// Renders the bar gauges as their owners or launchers set them up, with the
// image set of the build, into renders/ under the build tree.
#include <gtest/gtest.h>

#include "CompPressureBar.h"
#include "CompPressureBar1.h"
#include "CompProgressBar.h"
#include "TestSupport.h"

class RenderBars : public ::testing::Test {
protected:
    void SetUp() override { testsupport::InitToolkit(); }
};

// The main screen's effort bar, as its launcher shows it: full demanded
// traction, no actual effort.
TEST_F(RenderBars, EffortBar)
{
    CompPressureBar1 bar;
    bar.ConstructLayout();
    bar.SetPressureBarLeftInd(100, 1);
    bar.SetPressureBarRightInd(0, 1);
    EXPECT_TRUE(testsupport::SnapshotWidget(bar, 100, 270, "renders/CompPressureBar1.png"));
}

// No screen uses the percentage bar and its launcher leaves it unbuilt; it is
// shown built with half traction and half braking.
TEST_F(RenderBars, PercentBar)
{
    CompPressureBar bar;
    bar.ConstructLayout();
    bar.SetPressureBarLeftInd(50);
    bar.SetPressureBarRightInd(50);
    EXPECT_TRUE(testsupport::SnapshotWidget(bar, 100, 270, "renders/CompPressureBar.png"));
}

// The main screen's primary current and voltage bars.
TEST_F(RenderBars, LevelBars)
{
    struct Bar {
        const char* scale;
        float percent;
        const char* png;
    };
    for (const Bar& b : {Bar{"./Images/ProgressBarAmp.png", 70, "renders/CompProgressBar.png"},
                         Bar{"./Images/ProgressBarVolt.png", 25.0f / 35 * 100, "renders/CompProgressBar-volt.png"}}) {
        CompProgressBar bar;
        bar.BackgroundImagePath = b.scale;
        bar.IndicatorWidth = 16;
        bar.ConstructLayout();
        bar.SetProgressBarInd(b.percent);
        EXPECT_TRUE(testsupport::SnapshotWidget(bar, 96, 270, b.png)) << b.png;
    }
}
