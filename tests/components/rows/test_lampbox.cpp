// Lamp and pantograph row: layout from the settings, the two update
// operations, missing and broken pictures.
#include "CompBoolValRect.h"
#include "RowProbe.h"

using namespace rowprobe;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const std::string kOn = "./Images/BoolValON.jpg";
const std::string kOff = "./Images/BoolValOFF.jpg";
const std::string kUp = "./Images/pantoup.jpg";
const std::string kDown = "./Images/pantodown.jpg";
const std::string kGrey = "./Images/GreyBox.png";

using LampRow = PicturedRowTest;

TEST_F(LampRow, DefaultsBuildCaptionAndOffLamp)
{
    CompBoolValRect row;
    row.ConstructLayout();

    EXPECT_EQ(row.get_spacing(), 4);
    ASSERT_EQ(Children(row), (std::vector<Gtk::Widget*>{&row.CaptionCell, &row.StatusCell}));
    EXPECT_EQ(PackingIn(row, row.CaptionCell), kShrink);
    EXPECT_EQ(PackingIn(row, row.StatusCell), kShrink);
    EXPECT_EQ(RowSize(row), Size(588, 18));

    // Caption cell: grey picture under a 200 x 18 box holding the centred label.
    ASSERT_EQ(Children(row.CaptionCell),
              (std::vector<Gtk::Widget*>{&row.CaptionBackgroundImage, &row.CaptionBox}));
    EXPECT_EQ(LoadedFrom(row.CaptionBackgroundImage), kGrey);
    EXPECT_EQ(PictureSize(row.CaptionBackgroundImage), Size(200, 18));
    EXPECT_EQ(PlaceIn(row.CaptionCell, row.CaptionBackgroundImage), Size(0, 0));
    EXPECT_EQ(PlaceIn(row.CaptionCell, row.CaptionBox), Size(0, 0));
    EXPECT_EQ(Requested(row.CaptionBox), Size(200, 18));
    EXPECT_EQ(PackingIn(row.CaptionBox, row.CaptionLabel), kExpandPadding);
    EXPECT_EQ(row.CaptionLabel.get_text(), "Panto 1");
    EXPECT_EQ(FontSize(row.CaptionLabel), 8601);
    EXPECT_EQ(Foreground(row.CaptionLabel), "#ffffff");

    // Status cell: the off lamp at 384 x 18.
    ASSERT_EQ(Children(row.StatusCell), std::vector<Gtk::Widget*>{&row.StatusImage});
    EXPECT_EQ(PlaceIn(row.StatusCell, row.StatusImage), Size(0, 0));
    EXPECT_EQ(LoadedFrom(row.StatusImage), kOff);
    EXPECT_EQ(PictureSize(row.StatusImage), Size(384, 18));
    EXPECT_EQ(row.CurrentStatusPath, kOff);
    EXPECT_EQ(row.CurrentPantoPath, kDown);

    for (Gtk::Widget* w : std::vector<Gtk::Widget*>{&row.CaptionCell, &row.StatusCell, &row.CaptionLabel,
                                                    &row.CaptionBox, &row.StatusImage, &row.CaptionBackgroundImage})
        EXPECT_TRUE(w->get_visible());
    EXPECT_TRUE(row.CaptionCell.get_child_visible());
    EXPECT_TRUE(row.StatusCell.get_child_visible());
}

TEST_F(LampRow, SettingsChooseFirstPicturesCaptionAndColour)
{
    struct Case {
        unsigned char statusOn, pantoUp;
        std::string status, panto;
    };
    const Case cases[] = {{1, 1, kOn, kUp}, {0, 0, kOff, kDown}, {2, 2, kOff, kDown}, {255, 0, kOff, kDown}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.statusOn));
        CompBoolValRect row;
        row.StatusOn = c.statusOn;
        row.PantoUp = c.pantoUp;
        row.CaptionText = "Driver Switch for Panto";
        row.CaptionColour = "#ff8000";
        row.Spacing = 9.9f;
        row.ConstructLayout();
        EXPECT_EQ(row.CurrentStatusPath, c.status);
        EXPECT_EQ(LoadedFrom(row.StatusImage), c.status);
        EXPECT_EQ(row.CurrentPantoPath, c.panto);
        EXPECT_EQ(row.CaptionLabel.get_text(), "Driver Switch for Panto");
        EXPECT_EQ(Foreground(row.CaptionLabel), "#ff8000");
        EXPECT_EQ(row.get_spacing(), 9);
    }
}

TEST_F(LampRow, SetImageStatusShowsFixedLampPictures)
{
    const std::pair<signed char, std::string> cases[] = {{1, kOn}, {0, kOff}, {2, kOff}, {-1, kOff}, {1, kOn}};
    CompBoolValRect row;
    // The update ignores these: it always uses the two lamp pictures.
    row.OnImagePath = "./Images/Other.png";
    row.OffImagePath = "./Images/Other.png";
    row.ConstructLayout();
    ASSERT_EQ(LoadedFrom(row.StatusImage), "./Images/Other.png");
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.first));
        row.SetImageStatus(c.first);
        EXPECT_EQ(row.CurrentStatusPath, c.second);
        EXPECT_EQ(LoadedFrom(row.StatusImage), c.second);
        EXPECT_EQ(PictureSize(row.StatusImage), Size(384, 18));
    }
}

TEST_F(LampRow, PantoStatusKeepsLastPantographForOtherValues)
{
    const std::pair<signed char, std::string> steps[] = {
        {30, kDown}, {10, kUp}, {30, kUp}, {20, kDown}, {0, kDown}, {-10, kDown}, {10, kUp}};
    CompBoolValRect row;
    row.ConstructLayout();
    row.SetImageStatus(1);
    for (const auto& step : steps) {
        SCOPED_TRACE(int(step.first));
        row.PantoStatus(step.first);
        EXPECT_EQ(row.CurrentPantoPath, step.second);
        EXPECT_EQ(LoadedFrom(row.StatusImage), step.second);
        EXPECT_EQ(PictureSize(row.StatusImage), Size(384, 18));
    }
    // The pantograph shares the status cell with the lamp.
    row.SetImageStatus(0);
    EXPECT_EQ(LoadedFrom(row.StatusImage), kOff);

    CompBoolValRect raised;
    raised.PantoUp = 1;
    raised.ConstructLayout();
    raised.PantoStatus(7);
    EXPECT_EQ(LoadedFrom(raised.StatusImage), kUp);
}

TEST_F(LampRow, MissingPicturesLeaveCellsOut)
{
    std::remove(kGrey.c_str());
    std::remove(kOff.c_str());
    CompBoolValRect row;
    row.DebugOutput = 1;
    CaptureStdout();
    row.ConstructLayout();
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompBoolValRect\n"
                                   "Image Not Found ./Images/GreyBox.png\n"
                                   "Image Not Found ./Images/BoolValOFF.jpg\n");
    // The caption keeps its text without the picture; the status cell is gone.
    EXPECT_EQ(Children(row.CaptionCell), std::vector<Gtk::Widget*>{&row.CaptionBox});
    EXPECT_EQ(Children(row), std::vector<Gtk::Widget*>{&row.CaptionCell});
    EXPECT_EQ(row.CaptionLabel.get_text(), "Panto 1");
    EXPECT_EQ(RowSize(row), Size(200, 18));
    // Later updates change the picture that is not in the row.
    row.SetImageStatus(1);
    EXPECT_EQ(LoadedFrom(row.StatusImage), kOn);
    EXPECT_EQ(row.StatusImage.get_parent(), nullptr);
}

TEST_F(LampRow, BrokenFirstPicturesCountAsMissing)
{
    WriteBrokenPicture(kGrey);
    WriteBrokenPicture(kOn);
    CompBoolValRect row;
    row.DebugOutput = 1;
    row.StatusOn = 1;
    CaptureStdout();
    row.ConstructLayout();
    EXPECT_EQ(GetCapturedStdout(), "ConstructLayout CompBoolValRect\n"
                                   "Image Not Found ./Images/GreyBox.png\n"
                                   "Image Not Found ./Images/BoolValON.jpg\n");
    EXPECT_EQ(Children(row), std::vector<Gtk::Widget*>{&row.CaptionCell});
}

// The updates load their pictures without an existence check of their own; a
// missing or broken picture must leave the cell as it was, not end the program.
TEST_F(LampRow, UpdatesWithUnreadablePicturesKeepTheCell)
{
    std::remove(kOn.c_str());
    WriteBrokenPicture(kUp);
    CompBoolValRect row;
    row.DebugOutput = 1;
    row.ConstructLayout();
    CaptureStdout();
    row.SetImageStatus(1);
    row.PantoStatus(10);
    row.PantoStatus(30);
    EXPECT_EQ(GetCapturedStdout(), "Image Not Found ./Images/BoolValON.jpg\n"
                                   "Image Not Found ./Images/pantoup.jpg\n"
                                   "Image Not Found ./Images/pantoup.jpg\n");
    EXPECT_EQ(LoadedFrom(row.StatusImage), kOff);
    row.PantoStatus(20);
    EXPECT_EQ(LoadedFrom(row.StatusImage), kDown);
}

TEST_F(LampRow, PantoStatusBeforeLayoutShowsNothing)
{
    CompBoolValRect row;
    row.PantoStatus(30);
    EXPECT_EQ(LoadedFrom(row.StatusImage), "");
    EXPECT_EQ(row.CurrentPantoPath, "");
}

TEST_F(LampRow, EmptyCaptionGetsDefault)
{
    const std::pair<unsigned char, std::string> cases[] = {
        {1, "ConstructLayout CompBoolValRect\nInvalid Label Text. Set to Default \n"}, {0, ""}, {2, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.first));
        CompBoolValRect row;
        row.DebugOutput = c.first;
        row.CaptionText = "";
        CaptureStdout();
        row.ConstructLayout();
        EXPECT_EQ(GetCapturedStdout(), c.second);
        EXPECT_EQ(row.CaptionText, "Panto 1");
        EXPECT_EQ(row.CaptionLabel.get_text(), "Panto 1");
    }
}

TEST_F(LampRow, HiddenCellsKeepTheirRoom)
{
    struct Case {
        unsigned char caption, status;
    };
    for (const Case c : {Case{0, 1}, Case{1, 0}, Case{0, 0}}) {
        SCOPED_TRACE(int(c.caption) * 10 + c.status);
        CompBoolValRect row;
        row.CaptionCellVisible = c.caption;
        row.StatusCellVisible = c.status;
        row.ConstructLayout();
        EXPECT_EQ(row.CaptionCell.get_child_visible(), c.caption != 0);
        EXPECT_EQ(row.StatusCell.get_child_visible(), c.status != 0);
        ShownRow shown(row);
        EXPECT_EQ(row.CaptionCell.get_mapped(), c.caption != 0);
        EXPECT_EQ(row.StatusCell.get_mapped(), c.status != 0);
        EXPECT_EQ(shown.X(row.StatusCell), 204);
        EXPECT_EQ(shown.Width(row.StatusCell), 384);
    }
}

}  // namespace
