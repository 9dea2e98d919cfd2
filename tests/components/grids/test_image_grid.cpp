// The main screen's picture grid: which picture and caption each cell shows
// after the build and after UpdateValues, the bounds of the grid, missing
// and broken pictures, and the debug lines.
#include "CompImageGrid.h"
#include "GridTestSupport.h"

#include <memory>

using namespace gridtest;

namespace {

// One fixture picture per file, each of its own colour and size, so a cell
// tells which file it shows and whether it was scaled.
struct Fixture {
    const char* name;
    int width;
    int height;
    unsigned rgb;
};
const Fixture kPictures[] = {
    {"BlKeyON.png", 20, 10, 0x10ff10},      {"BlKeyOFF.png", 21, 11, 0x108010},
    {"TrainBrakeON.png", 22, 12, 0x20ff20}, {"TrainBrakeOFF.png", 23, 13, 0x208020},
    {"LocoBrakeON.png", 24, 14, 0x30ff30},  {"LocoBrakeOFF.png", 25, 15, 0x308030},
    {"WheelSlipON.png", 26, 16, 0x40ff40},  {"WheelSlipOFF.png", 27, 17, 0x408040},
};

const Fixture& PictureOf(const std::string& name)
{
    for (const Fixture& f : kPictures)
        if (name == f.name)
            return f;
    throw std::logic_error("no fixture " + name);
}

class ImageGridTest : public GridTest {
protected:
    ImageGridTest()
    {
        for (const Fixture& f : kPictures)
            Picture(f.name, f.width, f.height, f.rgb);
    }
    // The cell at (row, column) shows this fixture at this size.
    void ExpectCell(int row, int column, const std::string& picture, const std::string& caption, int width,
                    int height)
    {
        SCOPED_TRACE("cell " + std::to_string(row) + "," + std::to_string(column));
        ASSERT_NE(grid.CellImages[row][column], nullptr);
        const Shown shown = ShownPicture(*grid.CellImages[row][column]);
        EXPECT_EQ(shown.rgb, long(PictureOf(picture).rgb)) << picture;
        EXPECT_EQ(shown.width, width);
        EXPECT_EQ(shown.height, height);
        EXPECT_EQ(grid.CellLabels[row][column]->get_text(), caption);
    }
    void ExpectFileSize(int row, int column, const std::string& picture, const std::string& caption)
    {
        ExpectCell(row, column, picture, caption, PictureOf(picture).width, PictureOf(picture).height);
    }
    std::size_t BuiltCells() const
    {
        std::size_t count = 0;
        for (const auto& row : grid.CellImages)
            for (Gtk::Image* image : row)
                count += image != nullptr;
        return count;
    }

    CompImageGrid grid;
};

TEST_F(ImageGridTest, BuildShowsOnOrOffPerCellStateAtFileSize)
{
    const std::uint8_t states[4] = {1, 0, 2, 1};  // 2 counts as OFF
    std::copy(states, states + 4, grid.CellStates);
    grid.ConstructLayout();

    ExpectFileSize(0, 0, "BlKeyON.png", "BL Key\n  On");
    ExpectFileSize(0, 1, "TrainBrakeOFF.png", "Train Brake\n      Off");
    ExpectFileSize(1, 0, "LocoBrakeOFF.png", "Loco Brake\n      Off");
    ExpectFileSize(1, 1, "WheelSlipON.png", "Wheel Slip\n      On");

    // Each cell: a fixed holding the picture and the caption box; attached
    // at its own row and column of the table, which sits in the black frame.
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column) {
            Gtk::Widget* cell = TableCell(grid.CellTable, row, column);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(Attach(*cell), (std::vector<int>{column, column + 1, row, row + 1}));
            EXPECT_EQ(grid.CellImages[row][column]->get_parent(), cell);
            EXPECT_TRUE(grid.CellLabels[row][column]->get_visible());
        }
    EXPECT_EQ(grid.CellTable.get_parent(), &grid.FrameBox);
    EXPECT_EQ(grid.FrameBox.get_parent(), &grid);
    EXPECT_EQ(Background(grid.FrameBox), "#000000");
    EXPECT_TRUE(grid.FrameBox.get_visible());
}

TEST_F(ImageGridTest, MainScreenSettingsPlaceScaleAndColourTheCells)
{
    // As the main screen configures its indicator grid, plus a frame offset.
    grid.RowSpacing = 2.9f;
    grid.ColumnSpacing = 8;
    grid.ScaleImages = 1;
    grid.ImageWidth = 112;
    grid.ImageHeight = 37.2f;
    grid.CaptionWidth = 80;
    grid.CaptionHeight = 37.2f;
    grid.CaptionX = 35;
    grid.CaptionY = 1.7f;
    grid.ImageX = 3.9f;
    grid.ImageY = 2;
    grid.PositionX = 6.5f;
    grid.PositionY = 7;
    grid.UseCustomFont = 1;
    grid.FontScale = 0.004f;
    grid.CaptionColour = "#ff8000";
    grid.ConstructLayout();

    ExpectCell(0, 0, "BlKeyOFF.png", "BL Key\n  Off", 112, 37);
    ExpectCell(1, 1, "WheelSlipOFF.png", "Wheel Slip\n      Off", 112, 37);
    EXPECT_EQ(FixedPosition(grid.FrameBox), std::make_pair(6, 7));
    EXPECT_EQ(grid.CellTable.get_default_row_spacing(), 2u);
    EXPECT_EQ(grid.CellTable.get_default_col_spacing(), 8u);

    Gtk::Label& label = *grid.CellLabels[0][1];
    Gtk::Widget& captionBox = *label.get_parent();
    EXPECT_EQ(FixedPosition(*grid.CellImages[0][1]), std::make_pair(3, 2));
    EXPECT_EQ(FixedPosition(captionBox), std::make_pair(35, 1));
    EXPECT_EQ(SizeRequest(captionBox), std::make_pair(80, 37));
    EXPECT_EQ(ChildInt(*label.get_parent(), label, "expand"), 1);
    EXPECT_EQ(ChildInt(*label.get_parent(), label, "fill"), 1);
    EXPECT_EQ(FontSize(label), 7340);
    EXPECT_EQ(Foreground(label), "#ff8000");
}

TEST_F(ImageGridTest, AnyNonZeroScaleSwitchScalesTheBuiltPictures)
{
    struct Case { int scale; int width, height; };
    // BlKeyOFF.png is 21 x 11 on file; scaled it is 40.9 x 30.9 truncated.
    const Case cases[] = {{0, 21, 11}, {1, 40, 30}, {2, 40, 30}, {255, 40, 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        CompImageGrid g;
        g.ScaleImages = static_cast<std::uint8_t>(c.scale);
        g.ImageWidth = 40.9f;
        g.ImageHeight = 30.9f;
        g.ConstructLayout();
        const Shown shown = ShownPicture(*g.CellImages[0][0]);
        EXPECT_EQ(shown.rgb, long(PictureOf("BlKeyOFF.png").rgb));
        EXPECT_EQ(shown.width, c.width);
        EXPECT_EQ(shown.height, c.height);
    }
}

TEST_F(ImageGridTest, CustomFontOnlyWhenExactlyOne)
{
    grid.UseCustomFont = 2;
    grid.FontScale = 0.004f;
    grid.ConstructLayout();
    EXPECT_EQ(FontSize(*grid.CellLabels[0][0]), 0);
    EXPECT_EQ(Foreground(*grid.CellLabels[0][0]), "#ffffff");
}

TEST_F(ImageGridTest, SpansWidenTheCells)
{
    grid.Rows = 1;
    grid.ColumnSpan = 2.5f;  // 0 + 2.5 -> 2, 1 + 2.5 -> 3
    grid.RowSpan = 1.9f;
    grid.ConstructLayout();
    EXPECT_EQ(Attach(*grid.CellImages[0][0]->get_parent()), (std::vector<int>{0, 2, 0, 1}));
    EXPECT_EQ(Attach(*grid.CellImages[0][1]->get_parent()), (std::vector<int>{1, 3, 0, 1}));
}

struct BoundsCase {
    int rows, columns, maxRows, maxColumns;
    std::vector<std::pair<int, int>> built;  // (row, column) of every built cell, in order
    bool outOfRange;
};

class ImageGridBounds : public ImageGridTest, public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(ImageGridBounds, BuildsOnlyCellsInsideTheBoundsAndTheFourSettings)
{
    const BoundsCase& c = GetParam();
    grid.Rows = c.rows;
    grid.Columns = c.columns;
    grid.MaxRows = c.maxRows;
    grid.MaxColumns = c.maxColumns;
    grid.DebugOutput = 1;
    const std::string out = Stdout([&] { grid.ConstructLayout(); });

    EXPECT_EQ(out, c.outOfRange ? "ConstructLayout CompImageGrid\nIndex Out of Range\n"
                                : "ConstructLayout CompImageGrid\n");
    EXPECT_EQ(grid.CellImages.size(), c.rows > 0 ? std::size_t(c.rows) : 0u);
    EXPECT_EQ(BuiltCells(), c.built.size());
    EXPECT_EQ(grid.CellTable.get_children().size(), c.built.size());
    EXPECT_EQ(grid.get_children().size(), c.outOfRange ? 0u : 1u);
    // Cells take their settings by running index, row by row.
    const char* pictures[4] = {"BlKeyOFF.png", "TrainBrakeOFF.png", "LocoBrakeOFF.png", "WheelSlipOFF.png"};
    for (std::size_t k = 0; k < c.built.size(); ++k)
        ExpectFileSize(c.built[k].first, c.built[k].second, pictures[k], grid.OffCaptions[k]);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, ImageGridBounds,
    ::testing::Values(BoundsCase{2, 2, 2, 2, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}, false},
                      BoundsCase{1, 2, 2, 2, {{0, 0}, {0, 1}}, false},
                      BoundsCase{2, 1, 2, 2, {{0, 0}, {1, 0}}, false},
                      BoundsCase{0, 2, 2, 2, {}, false},
                      BoundsCase{3, 2, 2, 2, {}, true},
                      BoundsCase{2, 3, 2, 2, {}, true},
                      BoundsCase{-1, 2, 2, 2, {}, true},
                      BoundsCase{2, -1, 2, 2, {}, true},
                      // Raised bounds: only the four cells that have settings are built.
                      BoundsCase{3, 2, 3, 3, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}, false},
                      BoundsCase{1, 6, 3, 6, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}, false}));

TEST_F(ImageGridTest, MissingOrBrokenPictureLeavesThatCellOut)
{
    ::remove("./Images/TrainBrakeOFF.png");
    BrokenPicture("LocoBrakeOFF.png");
    grid.DebugOutput = 1;
    const std::string out = Stdout([&] { grid.ConstructLayout(); });

    EXPECT_EQ(out,
              "ConstructLayout CompImageGrid\n"
              "Image Not Found ./Images/TrainBrakeOFF.png\n"
              "Image Not Found ./Images/LocoBrakeOFF.png\n");
    EXPECT_EQ(grid.CellImages[0][1], nullptr);
    EXPECT_EQ(grid.CellLabels[0][1], nullptr);
    EXPECT_EQ(grid.CellImages[1][0], nullptr);
    ExpectFileSize(0, 0, "BlKeyOFF.png", "BL Key\n  Off");
    ExpectFileSize(1, 1, "WheelSlipOFF.png", "Wheel Slip\n      Off");
    EXPECT_EQ(grid.CellTable.get_children().size(), 2u);
}

TEST_F(ImageGridTest, DebugSwitchOnlyExactlyOnePrints)
{
    for (const Fixture& f : kPictures)
        ::remove((std::string("./Images/") + f.name).c_str());
    for (std::uint8_t debug : {0, 2}) {
        SCOPED_TRACE(int(debug));
        std::string out;
        {
            CompImageGrid quiet;
            quiet.DebugOutput = debug;
            out = Stdout([&] {
                quiet.ConstructLayout();
                quiet.UpdateValues(1, 1);
            });
            EXPECT_EQ(quiet.CellTable.get_children().size(), 0u);
            EXPECT_EQ(quiet.get_children().size(), 1u);  // the empty frame is still put
        }
        EXPECT_EQ(out, "");
    }
    std::string out = Stdout([] {
        CompImageGrid loud;  // the switch starts at 0, so no constructor line
        loud.DebugOutput = 1;
        loud.Rows = 1;
        loud.Columns = 1;
        loud.ConstructLayout();
    });
    EXPECT_EQ(out, "ConstructLayout CompImageGrid\nImage Not Found ./Images/BlKeyOFF.png\n"
                   "Destructor CompImageGrid\n");
}

struct UpdateCase {
    int type;
    int value;
    int row, column;
    const char* picture;
    const char* caption;
};

class ImageGridUpdate : public ImageGridTest, public ::testing::WithParamInterface<UpdateCase> {};

TEST_P(ImageGridUpdate, SwitchesOneCellToTheFixedPictureScaled)
{
    const UpdateCase& c = GetParam();
    const std::uint8_t states[4] = {1, 1, 0, 0};  // opposite of most updates below
    std::copy(states, states + 4, grid.CellStates);
    // The build settings do not feed UpdateValues.
    for (int k = 0; k < 4; ++k) {
        grid.OnCaptions[k] = "build on";
        grid.OffCaptions[k] = "build off";
    }
    grid.ImageWidth = 40.9f;
    grid.ImageHeight = 30;
    grid.ConstructLayout();  // ScaleImages 0: cells at file size

    Glib::RefPtr<Gdk::Pixbuf> others[2][2];
    for (int r = 0; r < 2; ++r)
        for (int col = 0; col < 2; ++col)
            others[r][col] = grid.CellImages[r][col]->get_pixbuf();

    grid.UpdateValues(c.type, static_cast<std::int8_t>(c.value));
    ExpectCell(c.row, c.column, c.picture, c.caption, 40, 30);
    for (int r = 0; r < 2; ++r)
        for (int col = 0; col < 2; ++col)
            if (r != c.row || col != c.column) {
                EXPECT_EQ(grid.CellImages[r][col]->get_pixbuf(), others[r][col]) << r << "," << col;
            }
}

INSTANTIATE_TEST_SUITE_P(
    Types, ImageGridUpdate,
    ::testing::Values(UpdateCase{1, 0, 0, 0, "BlKeyOFF.png", "BL Key\n  Off"},
                      UpdateCase{1, 1, 0, 0, "BlKeyON.png", "BL Key\n  On"},
                      UpdateCase{2, 2, 0, 1, "TrainBrakeOFF.png", "Train Brake\n      Off"},
                      UpdateCase{2, 1, 0, 1, "TrainBrakeON.png", "Train Brake\n      On"},
                      UpdateCase{3, 1, 1, 0, "LocoBrakeON.png", "Loco Brake\n      On"},
                      UpdateCase{3, -1, 1, 0, "LocoBrakeOFF.png", "Loco Brake\n      Off"},
                      UpdateCase{4, 1, 1, 1, "WheelSlipON.png", "Wheel Slip\n      On"},
                      UpdateCase{4, 127, 1, 1, "WheelSlipOFF.png", "Wheel Slip\n      Off"}));

TEST_F(ImageGridTest, UpdateWithOtherTypesChangesNothing)
{
    grid.ConstructLayout();
    Glib::RefPtr<Gdk::Pixbuf> before = grid.CellImages[0][0]->get_pixbuf();
    grid.DebugOutput = 1;
    const std::string out = Stdout([&] {
        for (int type : {0, 5, -1, 100})
            for (int value : {0, 1})
                grid.UpdateValues(type, static_cast<std::int8_t>(value));
    });
    EXPECT_EQ(out, "");
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(grid.CellLabels[r][c]->get_text(), grid.OffCaptions[r * 2 + c]);
    EXPECT_EQ(grid.CellImages[0][0]->get_pixbuf(), before);
}

TEST_F(ImageGridTest, UpdateWithMissingOrBrokenPictureLeavesTheCellAsItWas)
{
    grid.ConstructLayout();
    ::remove("./Images/BlKeyON.png");
    BrokenPicture("WheelSlipON.png");
    grid.DebugOutput = 1;
    const std::string out = Stdout([&] {
        grid.UpdateValues(1, 1);
        grid.UpdateValues(4, 1);
    });
    EXPECT_EQ(out, "Image Not Found ./Images/BlKeyON.png\nImage Not Found ./Images/WheelSlipON.png\n");
    ExpectFileSize(0, 0, "BlKeyOFF.png", "BL Key\n  Off");
    ExpectFileSize(1, 1, "WheelSlipOFF.png", "Wheel Slip\n      Off");
}

TEST_F(ImageGridTest, UpdateOnCellsThatWereNotBuiltIsIgnored)
{
    ::remove("./Images/TrainBrakeOFF.png");
    grid.ConstructLayout();  // cell 2 missing
    CompImageGrid small;
    small.Rows = 1;
    small.Columns = 1;
    small.ConstructLayout();
    CompImageGrid refused;
    refused.Rows = 5;
    refused.ConstructLayout();
    for (int value : {0, 1}) {
        grid.UpdateValues(2, static_cast<std::int8_t>(value));
        for (int type = 1; type <= 4; ++type) {
            small.UpdateValues(type, static_cast<std::int8_t>(value));
            refused.UpdateValues(type, static_cast<std::int8_t>(value));
        }
    }
    EXPECT_EQ(grid.CellImages[0][1], nullptr);
    ExpectFileSize(1, 1, "WheelSlipOFF.png", "Wheel Slip\n      Off");
    // Type 1 reached the single cell (last with value 1); the others were ignored.
    EXPECT_EQ(ShownPicture(*small.CellImages[0][0]).rgb, long(PictureOf("BlKeyON.png").rgb));
    EXPECT_EQ(ShownPicture(*small.CellImages[0][0]).width, 102);
    EXPECT_EQ(refused.get_children().size(), 0u);
}

}  // namespace
