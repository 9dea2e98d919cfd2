// One-value row: caption, cyan value on the grey picture, unit.
#include "CompSingleVal.h"
#include "RowProbe.h"

using namespace rowprobe;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const std::string kGrey = "./Images/GreyBox.png";
const std::string kNullUnit = "./Images/NULLUnit.jpg";

using ValueRow = PicturedRowTest;

TEST_F(ValueRow, DefaultsShowCyanZeroOnGrey)
{
    CompSingleVal row;
    row.ConstructLayout();
    EXPECT_EQ(row.get_spacing(), 4);
    ASSERT_EQ(Children(row), (std::vector<Gtk::Widget*>{&row.CaptionCell, &row.ValueCell, &row.UnitCell}));
    for (Gtk::Widget* cell : Children(row))
        EXPECT_EQ(PackingIn(row, *cell), kShrink);
    EXPECT_EQ(RowSize(row), Size(584, 18));

    struct Cell {
        Gtk::Fixed& cell;
        Gtk::Image& picture;
        Gtk::VBox& box;
        Gtk::Label& label;
        int width;
        const char* text;
        const char* colour;
    };
    for (const Cell& c : {Cell{row.CaptionCell, row.CaptionBackgroundImage, row.CaptionBox, row.CaptionLabel, 200,
                               "", "#ffffff"},
                          Cell{row.ValueCell, row.ValueBackgroundImage, row.ValueBox, row.ValueLabel, 320, "0",
                               "#00ffff"}}) {
        SCOPED_TRACE(c.width);
        ASSERT_EQ(Children(c.cell), (std::vector<Gtk::Widget*>{&c.picture, &c.box}));
        EXPECT_EQ(PlaceIn(c.cell, c.picture), Size(0, 0));
        EXPECT_EQ(PlaceIn(c.cell, c.box), Size(0, 0));
        EXPECT_EQ(LoadedFrom(c.picture), kGrey);
        EXPECT_EQ(PictureSize(c.picture), Size(c.width, 18));
        EXPECT_EQ(Requested(c.box), Size(c.width, 18));
        EXPECT_EQ(PackingIn(c.box, c.label), kExpandPadding);
        EXPECT_EQ(c.label.get_text(), c.text);
        EXPECT_EQ(FontSize(c.label), 8601);
        EXPECT_EQ(Foreground(c.label), c.colour);
    }
    EXPECT_EQ(LoadedFrom(row.UnitImage), kNullUnit);
    EXPECT_EQ(PictureSize(row.UnitImage), Size(56, 18));
}

TEST_F(ValueRow, OwnerSettingsReachTheirCells)
{
    CompSingleVal row;
    row.CaptionText = "Primary Current";
    row.CaptionColour = "#ff0000";
    row.ValueText = "0.0";
    row.UnitImagePath = "./Images/AmpsUnit.jpg";
    row.CaptionBackgroundPath = "./Images/Other.png";
    row.ConstructLayout();
    EXPECT_EQ(row.CaptionLabel.get_text(), "Primary Current");
    EXPECT_EQ(Foreground(row.CaptionLabel), "#ff0000");
    EXPECT_EQ(row.ValueLabel.get_text(), "0.0");
    EXPECT_EQ(Foreground(row.ValueLabel), "#00ffff");
    EXPECT_EQ(LoadedFrom(row.UnitImage), "./Images/AmpsUnit.jpg");
    // One background setting for both cells.
    EXPECT_EQ(LoadedFrom(row.CaptionBackgroundImage), "./Images/Other.png");
    EXPECT_EQ(LoadedFrom(row.ValueBackgroundImage), "./Images/Other.png");
    row.ValueLabel.set_text("123.5");
    EXPECT_EQ(row.ValueLabel.get_text(), "123.5");
}

TEST_F(ValueRow, EmptyTexts)
{
    CompSingleVal row;
    row.DebugOutput = 1;
    row.ValueText = "";
    CaptureStdout();
    row.ConstructLayout();
    // Only the caption is checked; both stay empty.
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompSingleVal\nInvalid Label Text. Set to Default\n");
    EXPECT_EQ(row.CaptionLabel.get_text(), "");
    EXPECT_EQ(row.ValueLabel.get_text(), "");
}

TEST_F(ValueRow, MissingPictures)
{
    std::remove(kGrey.c_str());
    std::remove(kNullUnit.c_str());
    CompSingleVal row;
    row.DebugOutput = 1;
    row.CaptionText = "Filter Current";
    CaptureStdout();
    row.ConstructLayout();
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompSingleVal\n"
                                   "Image Not Found ./Images/GreyBox.png\n"
                                   "Image Not Found ./Images/NULLUnit.jpg\n");
    EXPECT_EQ(Children(row), (std::vector<Gtk::Widget*>{&row.CaptionCell, &row.ValueCell}));
    EXPECT_EQ(LoadedFrom(row.CaptionBackgroundImage), "");
    EXPECT_EQ(LoadedFrom(row.ValueBackgroundImage), "");
    EXPECT_EQ(row.ValueLabel.get_text(), "0");
    EXPECT_EQ(RowSize(row), Size(524, 18));
}

TEST_F(ValueRow, BrokenGreyPictureCountsAsMissing)
{
    WriteBrokenPicture(kGrey);
    CompSingleVal row;
    row.DebugOutput = 1;
    row.CaptionText = "x";
    CaptureStdout();
    row.ConstructLayout();
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompSingleVal\nImage Not Found ./Images/GreyBox.png\n");
    EXPECT_EQ(LoadedFrom(row.ValueBackgroundImage), "");
}

TEST_F(ValueRow, HiddenValueCellLeavesGap)
{
    CompSingleVal row;
    row.ValueCellVisible = 0;
    row.ConstructLayout();
    ShownRow shown(row);
    EXPECT_TRUE(row.CaptionCell.get_mapped());
    EXPECT_FALSE(row.ValueCell.get_mapped());
    EXPECT_TRUE(row.UnitCell.get_mapped());
    EXPECT_EQ(shown.X(row.UnitCell), 528);
}

TEST_F(ValueRow, GetReSizedImage)
{
    CompSingleVal row;
    row.DebugOutput = 1;
    row.GetReSizedImage(row.UnitImage, "./Images/AmpsUnit.jpg", 56.9f, 18);
    EXPECT_EQ(PictureSize(row.UnitImage), Size(56, 18));
    CaptureStdout();
    row.GetReSizedImage(row.UnitImage, "./Images/Absent.jpg", 56, 18);
    row.GetReSizedImage(row.UnitImage, "./Images/HertzUnit.jpg", 56, -18);
    EXPECT_EQ(GetCapturedStdout(), "Image Dosen't Exists./Images/Absent.jpg\n"
                                   "Image Dosen't Exists./Images/HertzUnit.jpg\n");
    EXPECT_EQ(LoadedFrom(row.UnitImage), "./Images/AmpsUnit.jpg");
}

}  // namespace
