// Bar row: the cells from their position and size settings, the bar length
// for a percentage, hiding, missing pictures.
#include "CompProgressBarHolder.h"
#include "RowProbe.h"

#include <limits>

using namespace rowprobe;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const std::string kGrey = "./Images/GreyBox.png";
const std::string kHolder = "./Images/ProgressHolder.jpg";
const std::string kVolts = "./Images/VoltsUnit.jpg";

using BarRow = PicturedRowTest;

TEST_F(BarRow, DefaultsBuildCaptionHolderAndUnit)
{
    CompProgressBarHolder row;
    row.ConstructLayout();
    EXPECT_EQ(row.get_spacing(), 5);
    ASSERT_EQ(Children(row), (std::vector<Gtk::Widget*>{&row.CaptionCell, &row.HolderCell, &row.UnitCell}));
    for (Gtk::Widget* cell : Children(row))
        EXPECT_EQ(PackingIn(row, *cell), kShrink);
    // The value box ends at x 326, past the 322-pixel frame, and the holder
    // cell takes that room: 200 + 5 + 326 + 5 + 56.
    EXPECT_EQ(Requested(row.HolderCell), Size(-1, -1));
    EXPECT_EQ(RowSize(row.HolderCell), Size(326, 18));
    EXPECT_EQ(RowSize(row), Size(592, 18));

    ASSERT_EQ(Children(row.CaptionCell),
              (std::vector<Gtk::Widget*>{&row.CaptionBackgroundImage, &row.CaptionBox}));
    EXPECT_EQ(LoadedFrom(row.CaptionBackgroundImage), kGrey);
    EXPECT_EQ(PictureSize(row.CaptionBackgroundImage), Size(200, 18));
    EXPECT_EQ(Requested(row.CaptionBox), Size(200, 18));
    EXPECT_EQ(PackingIn(row.CaptionBox, row.CaptionLabel), kExpandWidget);
    EXPECT_EQ(row.CaptionLabel.get_text(), "Battery Voltage");
    EXPECT_EQ(FontSize(row.CaptionLabel), 8601);
    EXPECT_EQ(Foreground(row.CaptionLabel), "#ffffff");

    ASSERT_EQ(Children(row.HolderCell), (std::vector<Gtk::Widget*>{&row.HolderImage, &row.BarBox, &row.ValueBox}));
    EXPECT_EQ(LoadedFrom(row.HolderImage), kHolder);
    EXPECT_EQ(PictureSize(row.HolderImage), Size(322, 18));
    EXPECT_EQ(PlaceIn(row.HolderCell, row.HolderImage), Size(0, 0));
    EXPECT_EQ(PlaceIn(row.HolderCell, row.BarBox), Size(3, 4));
    EXPECT_EQ(Background(row.BarBox), "#07f714");
    // The first bar is 1 pixel wide, half the holder high.
    EXPECT_EQ(Requested(row.BarBox), Size(1, 9));
    EXPECT_TRUE(row.BarBox.get_visible());
    EXPECT_EQ(PlaceIn(row.HolderCell, row.ValueBox), Size(276, 4));
    EXPECT_EQ(Requested(row.ValueBox), Size(50, 10));
    EXPECT_EQ(PackingIn(row.ValueBox, row.ValueLabel), kExpandWidget);
    EXPECT_EQ(row.ValueLabel.get_text(), "0");
    EXPECT_EQ(FontSize(row.ValueLabel), 8601);
    EXPECT_EQ(Foreground(row.ValueLabel), "#ffffff");

    EXPECT_EQ(LoadedFrom(row.UnitImage), kVolts);
    EXPECT_EQ(PictureSize(row.UnitImage), Size(56, 18));
    EXPECT_EQ(PlaceIn(row.UnitCell, row.UnitImage), Size(0, 0));
}

TEST_F(BarRow, PlacesAndSizesComeFromSettings)
{
    CompProgressBarHolder row;
    row.CaptionImageX = 2.9f;
    row.CaptionImageY = 1.5f;
    row.CaptionImageWidth = 150.7f;
    row.CaptionImageHeight = 20.2f;
    row.CaptionBoxX = 10.99f;
    row.CaptionBoxY = 3;
    row.CaptionBoxWidth = 120.5f;
    row.CaptionBoxHeight = 12.9f;
    row.HolderX = 1.1f;
    row.HolderY = 2.2f;
    row.HolderWidth = 300.9f;
    row.BarX = 5.8f;
    row.BarY = 6.1f;
    row.ValueBoxX = 250.5f;
    row.ValueBoxY = 2.5f;
    row.ValueBoxWidth = 40.9f;
    row.ValueBoxHeight = 11.1f;
    row.UnitX = 4.4f;
    row.UnitY = 1.9f;
    row.UnitWidth = 30.3f;
    row.UnitHeight = 16.6f;
    row.Spacing = 7.9f;
    row.BarColour = "#ff0000";
    row.ValueColour = "#00ff00";
    row.ConstructLayout();
    EXPECT_EQ(row.get_spacing(), 7);
    EXPECT_EQ(PlaceIn(row.CaptionCell, row.CaptionBackgroundImage), Size(2, 1));
    EXPECT_EQ(PictureSize(row.CaptionBackgroundImage), Size(150, 20));
    EXPECT_EQ(PlaceIn(row.CaptionCell, row.CaptionBox), Size(10, 3));
    EXPECT_EQ(Requested(row.CaptionBox), Size(120, 12));
    EXPECT_EQ(PlaceIn(row.HolderCell, row.HolderImage), Size(1, 2));
    EXPECT_EQ(PictureSize(row.HolderImage), Size(300, 18));
    EXPECT_EQ(PlaceIn(row.HolderCell, row.BarBox), Size(5, 6));
    EXPECT_EQ(Background(row.BarBox), "#ff0000");
    EXPECT_EQ(PlaceIn(row.HolderCell, row.ValueBox), Size(250, 2));
    EXPECT_EQ(Requested(row.ValueBox), Size(40, 11));
    EXPECT_EQ(Foreground(row.ValueLabel), "#00ff00");
    EXPECT_EQ(PlaceIn(row.UnitCell, row.UnitImage), Size(4, 1));
    EXPECT_EQ(PictureSize(row.UnitImage), Size(30, 16));
}

TEST_F(BarRow, BarLengthFollowsPercentage)
{
    struct Case {
        float percent;
        int width;
    };
    const Case cases[] = {{0.1f, 1}, {50, 128}, {56.23f, 144}, {100, 256}, {20, 52}, {1, 3}, {150, 383}};
    CompProgressBarHolder row;
    row.ConstructLayout();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        row.SetProgressBarInd(c.percent);
        EXPECT_EQ(Requested(row.BarBox), Size(c.width, 9));
        EXPECT_EQ(int(row.BarWidth), c.width);
        EXPECT_FLOAT_EQ(row.BarHeight, 9);
        EXPECT_TRUE(row.BarBox.get_visible());
    }
}

TEST_F(BarRow, ZeroHidesBarUntilNextValue)
{
    CompProgressBarHolder row;
    row.ConstructLayout();
    row.SetProgressBarInd(50);
    row.SetProgressBarInd(0);
    EXPECT_FALSE(row.BarBox.get_visible());
    EXPECT_EQ(int(row.BarWidth), 128);
    EXPECT_EQ(Requested(row.BarBox), Size(128, 9));
    row.SetProgressBarInd(20);
    EXPECT_TRUE(row.BarBox.get_visible());
    EXPECT_EQ(Requested(row.BarBox), Size(52, 9));
}

// The main window shows all its children on several screen changes: a bar
// hidden at 0 stays hidden through that, inside a screen as on its own, and
// only the next non-zero value brings it back.
TEST_F(BarRow, ShowAllKeepsBarHiddenAtZero)
{
    Gtk::VBox screen;
    CompProgressBarHolder row;
    row.ConstructLayout();
    screen.pack_start(row, Gtk::PACK_SHRINK, 0);
    row.SetProgressBarInd(0);
    for (Gtk::Widget* top : std::vector<Gtk::Widget*>{&row, &screen}) {
        top->show_all();
        EXPECT_FALSE(row.BarBox.get_visible());
    }
    row.SetProgressBarInd(40);
    screen.show_all();
    EXPECT_TRUE(row.BarBox.get_visible());
}

// A negative percentage (or one that is not a number) must not ask the
// toolkit for a negative size, which it refuses, leaving the last bar
// standing: the bar shrinks to its least length (the toolkit draws a
// zero-wide request as 1 pixel).
TEST_F(BarRow, NegativePercentageGivesShortestBar)
{
    const float cases[] = {-0.2f, -1, -50, -1e30f, std::numeric_limits<float>::quiet_NaN()};
    CompProgressBarHolder row;
    row.ConstructLayout();
    for (float percent : cases) {
        SCOPED_TRACE(percent);
        row.SetProgressBarInd(100);
        row.SetProgressBarInd(percent);
        EXPECT_EQ(Requested(row.BarBox), Size(1, 9));
        EXPECT_TRUE(row.BarBox.get_visible());
    }
    row.SetProgressBarInd(100);
    EXPECT_EQ(Requested(row.BarBox), Size(256, 9));
}

TEST_F(BarRow, HolderHeightSetsFrameAndBarHeight)
{
    CompProgressBarHolder row;
    row.HolderHeight = 30;
    row.ConstructLayout();
    EXPECT_EQ(PictureSize(row.HolderImage), Size(322, 30));
    EXPECT_EQ(Requested(row.BarBox), Size(1, 15));
    // Read again by every update.
    row.HolderHeight = 12;
    row.SetProgressBarInd(50);
    EXPECT_EQ(Requested(row.BarBox), Size(128, 6));
}

TEST_F(BarRow, VisibilitySettings)
{
    CompProgressBarHolder row;
    row.HolderVisible = 0;
    row.ValueVisible = 0;
    row.UnitCellVisible = 0;
    row.ConstructLayout();
    ShownRow shown(row);
    EXPECT_FALSE(row.HolderImage.get_mapped());
    EXPECT_TRUE(row.BarBox.get_mapped());
    EXPECT_FALSE(row.ValueBox.get_mapped());
    EXPECT_FALSE(row.UnitCell.get_mapped());
    EXPECT_TRUE(row.CaptionCell.get_mapped());
    EXPECT_EQ(shown.X(row.UnitCell), 536);

    CompProgressBarHolder noCaption;
    noCaption.CaptionCellVisible = 0;
    noCaption.ConstructLayout();
    ShownRow shownToo(noCaption);
    EXPECT_FALSE(noCaption.CaptionCell.get_mapped());
    EXPECT_TRUE(noCaption.ValueBox.get_mapped());
    EXPECT_EQ(shownToo.X(noCaption.HolderCell), 205);
}

TEST_F(BarRow, EmptyTextsGetDefaultsSilently)
{
    CompProgressBarHolder row;
    row.DebugOutput = 1;
    row.CaptionText = "";
    row.ValueText = "";
    CaptureStdout();
    row.ConstructLayout();
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompProgressBarHolder\n");
    EXPECT_EQ(row.CaptionLabel.get_text(), "Battery Voltage");
    EXPECT_EQ(row.ValueLabel.get_text(), "0");
}

TEST_F(BarRow, MissingPicturesKeepEveryCell)
{
    for (const std::string& path : {kGrey, kVolts})
        std::remove(path.c_str());
    WriteBrokenPicture(kHolder);
    CompProgressBarHolder row;
    row.DebugOutput = 1;
    row.CaptionText = "BP Pressure";
    CaptureStdout();
    row.ConstructLayout();
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompProgressBarHolder\n"
                                   "Image Not Found ./Images/GreyBox.png\n"
                                   "Image Not Found ./Images/ProgressHolder.jpg\n"
                                   "Image Not Found ./Images/VoltsUnit.jpg\n");
    EXPECT_EQ(Children(row), (std::vector<Gtk::Widget*>{&row.CaptionCell, &row.HolderCell, &row.UnitCell}));
    EXPECT_EQ(Children(row.CaptionCell), std::vector<Gtk::Widget*>{&row.CaptionBox});
    EXPECT_EQ(Children(row.HolderCell), (std::vector<Gtk::Widget*>{&row.BarBox, &row.ValueBox}));
    EXPECT_TRUE(Children(row.UnitCell).empty());
    EXPECT_EQ(row.CaptionLabel.get_text(), "BP Pressure");
}

}  // namespace
