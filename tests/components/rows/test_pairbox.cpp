// Two-cell row: image rows and value rows, state pictures, cell widths,
// the debug switch that is on by default.
#include "CompDualVal.h"
#include "RowProbe.h"

using namespace rowprobe;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const std::string kOn = "./Images/DualBoolValON.jpg";
const std::string kOff = "./Images/DualBoolValOFF.jpg";
const std::string kGrey = "./Images/GreyBox.png";
const std::string kHertz = "./Images/HertzUnit.jpg";
const std::string kValue = "./Images/ValIndicator2.jpg";

using PairRow = PicturedRowTest;

TEST_F(PairRow, DefaultsBuildImageRowAndReportEmptyCaption)
{
    CaptureStdout();
    {
        CompDualVal row;
        row.ConstructLayout();
        EXPECT_EQ(row.DebugOutput, 1);
        EXPECT_EQ(row.get_spacing(), 4);
        ASSERT_EQ(Children(row),
                  (std::vector<Gtk::Widget*>{&row.CaptionCell, &row.LeftCell, &row.RightCell, &row.UnitCell}));
        for (Gtk::Widget* cell : Children(row))
            EXPECT_EQ(PackingIn(row, *cell), kShrink);
        EXPECT_EQ(RowSize(row), Size(588, 18));

        EXPECT_EQ(LoadedFrom(row.CaptionBackgroundImage), kGrey);
        EXPECT_EQ(PictureSize(row.CaptionBackgroundImage), Size(200, 18));
        EXPECT_EQ(Requested(row.CaptionBox), Size(200, 18));
        EXPECT_EQ(PackingIn(row.CaptionBox, row.CaptionLabel), kExpandPadding);
        EXPECT_EQ(row.CaptionLabel.get_text(), "");
        EXPECT_EQ(FontSize(row.CaptionLabel), 8601);
        EXPECT_EQ(Foreground(row.CaptionLabel), "#ffffff");

        // Image row: each state cell holds its picture only.
        for (auto cell : {std::make_pair(&row.LeftCell, &row.LeftStateImage),
                          std::make_pair(&row.RightCell, &row.RightStateImage)}) {
            ASSERT_EQ(Children(*cell.first), std::vector<Gtk::Widget*>{cell.second});
            EXPECT_EQ(PlaceIn(*cell.first, *cell.second), Size(0, 0));
            EXPECT_EQ(LoadedFrom(*cell.second), kOff);
            EXPECT_EQ(PictureSize(*cell.second), Size(160, 18));
        }
        EXPECT_EQ(row.LeftValueLabel.get_parent(), nullptr);
        EXPECT_EQ(row.RightValueLabel.get_parent(), nullptr);

        EXPECT_EQ(LoadedFrom(row.UnitImage), kHertz);
        EXPECT_EQ(PictureSize(row.UnitImage), Size(56, 18));
        EXPECT_EQ(PlaceIn(row.UnitCell, row.UnitImage), Size(0, 0));
    }
    EXPECT_EQ(GetCapturedStdout(), "Constructor CompDualVal\n"
                                   "ConstructLayout CompDualVal\n"
                                   "Invalid Label Text. Set to Default\n"
                                   "Destructor CompDualVal\n");
}

TEST_F(PairRow, StateSettingsChooseEachSide)
{
    struct Case {
        unsigned char left, right;
        std::string leftPicture, rightPicture;
    };
    const Case cases[] = {{1, 0, kOn, kOff}, {0, 1, kOff, kOn}, {2, 1, kOff, kOn}, {1, 1, kOn, kOn}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.left) * 10 + c.right);
        CompDualVal row;
        row.DebugOutput = 0;
        row.CaptionText = "Pre charge Contactor";
        row.LeftStateOn = c.left;
        row.RightStateOn = c.right;
        row.ConstructLayout();
        EXPECT_EQ(LoadedFrom(row.LeftStateImage), c.leftPicture);
        EXPECT_EQ(LoadedFrom(row.RightStateImage), c.rightPicture);
        EXPECT_EQ(row.CaptionLabel.get_text(), "Pre charge Contactor");
    }
}

TEST_F(PairRow, ValueRowCentresTextsOnPictures)
{
    CompDualVal row;
    row.DebugOutput = 0;
    row.CaptionText = "DC Link Voltage";
    row.ShowValueTexts = 1;
    row.OnImagePath = kValue;
    row.OffImagePath = kValue;
    row.UnitImagePath = "./Images/VoltsUnit.jpg";
    row.LeftValueText = "0";
    row.RightValueText = "1750";
    row.ValueColour = "#ffff00";
    row.ConstructLayout();

    struct Side {
        Gtk::Fixed& cell;
        Gtk::Image& picture;
        Gtk::VBox& box;
        Gtk::Label& label;
        const char* text;
    };
    for (const Side& side : {Side{row.LeftCell, row.LeftStateImage, row.LeftValueBox, row.LeftValueLabel, "0"},
                             Side{row.RightCell, row.RightStateImage, row.RightValueBox, row.RightValueLabel,
                                  "1750"}}) {
        SCOPED_TRACE(side.text);
        ASSERT_EQ(Children(side.cell), (std::vector<Gtk::Widget*>{&side.picture, &side.box}));
        EXPECT_EQ(PlaceIn(side.cell, side.box), Size(0, 0));
        EXPECT_EQ(Requested(side.box), Size(160, 18));
        EXPECT_EQ(LoadedFrom(side.picture), kValue);
        EXPECT_EQ(PackingIn(side.box, side.label), kExpandPadding);
        EXPECT_EQ(side.label.get_text(), side.text);
        EXPECT_EQ(FontSize(side.label), 8601);
        EXPECT_EQ(Foreground(side.label), "#ffff00");
        EXPECT_TRUE(side.label.get_visible());
    }
    EXPECT_EQ(LoadedFrom(row.UnitImage), "./Images/VoltsUnit.jpg");
    // Owners write values into the labels afterwards.
    row.LeftValueLabel.set_text("1748");
    EXPECT_EQ(row.LeftValueLabel.get_text(), "1748");
}

TEST_F(PairRow, OnlyModeOneBuildsValueRow)
{
    for (unsigned char mode : {0, 2, 255}) {
        SCOPED_TRACE(int(mode));
        CompDualVal row;
        row.DebugOutput = 0;
        row.ShowValueTexts = mode;
        row.LeftValueText = "7";
        row.ConstructLayout();
        EXPECT_EQ(Children(row.LeftCell), std::vector<Gtk::Widget*>{&row.LeftStateImage});
        EXPECT_EQ(row.LeftValueBox.get_parent(), nullptr);
    }
}

TEST_F(PairRow, CellWidthFractionSizesPicturesAndBoxes)
{
    const std::pair<float, int> cases[] = {{0.25f, 200}, {0.2f, 160}, {0.1f, 80}, {0.06249f, 49}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        CompDualVal row;
        row.DebugOutput = 0;
        row.ShowValueTexts = 1;
        row.CellWidthFraction = c.first;
        row.ConstructLayout();
        EXPECT_EQ(PictureSize(row.LeftStateImage), Size(c.second, 18));
        EXPECT_EQ(PictureSize(row.RightStateImage), Size(c.second, 18));
        EXPECT_EQ(Requested(row.LeftValueBox), Size(c.second, 18));
        EXPECT_EQ(Requested(row.RightValueBox), Size(c.second, 18));
        EXPECT_EQ(RowSize(row), Size(200 + 2 * c.second + 56 + 3 * 4, 18));
    }
}

TEST_F(PairRow, EmptyValueTextsAreReportedAndStayEmpty)
{
    CompDualVal row;
    row.CaptionText = "Oil Pressure";
    row.ShowValueTexts = 1;
    CaptureStdout();
    row.ConstructLayout();
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompDualVal\n"
                                   "Invalid Label Text. Set to Default\n"
                                   "Invalid Label Text. Set to Default\n");
    EXPECT_EQ(row.LeftValueLabel.get_text(), "");
    EXPECT_EQ(row.RightValueLabel.get_text(), "");
}

TEST_F(PairRow, MissingPicturesKeepStateCellsDropUnitCell)
{
    for (const std::string& path : {kGrey, kOff, kHertz})
        std::remove(path.c_str());
    CompDualVal row;
    row.CaptionText = "Line Converter Pulsing";
    row.RightStateOn = 1;
    CaptureStdout();
    row.ConstructLayout();
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompDualVal\n"
                                   "Image Not Found ./Images/GreyBox.png\n"
                                   "Image Not Found ./Images/DualBoolValOFF.jpg\n"
                                   "Image Not Found ./Images/HertzUnit.jpg\n");
    EXPECT_EQ(Children(row), (std::vector<Gtk::Widget*>{&row.CaptionCell, &row.LeftCell, &row.RightCell}));
    EXPECT_EQ(Children(row.CaptionCell),
              (std::vector<Gtk::Widget*>{&row.CaptionBackgroundImage, &row.CaptionBox}));
    EXPECT_EQ(LoadedFrom(row.CaptionBackgroundImage), "");
    EXPECT_EQ(Children(row.LeftCell), std::vector<Gtk::Widget*>{&row.LeftStateImage});
    EXPECT_EQ(LoadedFrom(row.LeftStateImage), "");
    EXPECT_EQ(LoadedFrom(row.RightStateImage), kOn);
}

TEST_F(PairRow, HiddenRightCellLeavesGap)
{
    CompDualVal row;
    row.DebugOutput = 0;
    row.RightCellVisible = 0;
    row.ConstructLayout();
    ShownRow shown(row);
    EXPECT_TRUE(row.LeftCell.get_mapped());
    EXPECT_FALSE(row.RightCell.get_mapped());
    EXPECT_EQ(shown.X(row.RightCell), 368);
    EXPECT_EQ(shown.X(row.UnitCell), 532);
    EXPECT_TRUE(row.UnitCell.get_mapped());
}

// The owners' picture step: ON/OFF pictures loaded into the state cells.
TEST_F(PairRow, GetReSizedImageScalesOrKeepsPicture)
{
    CompDualVal row;
    row.ConstructLayout();
    row.GetReSizedImage(row.LeftStateImage, kOn, 160, 18);
    EXPECT_EQ(LoadedFrom(row.LeftStateImage), kOn);
    row.GetReSizedImage(row.CaptionBackgroundImage, kGrey, 49.9968f, 30);
    EXPECT_EQ(PictureSize(row.CaptionBackgroundImage), Size(49, 30));

    WriteBrokenPicture("./Images/Broken.jpg");
    CaptureStdout();
    row.GetReSizedImage(row.LeftStateImage, "./Images/Absent.jpg", 160, 18);
    row.GetReSizedImage(row.LeftStateImage, "./Images/Broken.jpg", 160, 18);
    row.GetReSizedImage(row.LeftStateImage, kOff, -160, 18);
    EXPECT_EQ(GetCapturedStdout(), "Image Dosen't Exists./Images/Absent.jpg\n"
                                   "Image Dosen't Exists./Images/Broken.jpg\n"
                                   "Image Dosen't Exists./Images/DualBoolValOFF.jpg\n");
    EXPECT_EQ(LoadedFrom(row.LeftStateImage), kOn);
}

}  // namespace
