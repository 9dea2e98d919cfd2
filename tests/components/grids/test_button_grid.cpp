// The button grid: cell pictures chosen by cell state and scaled, captions
// and second captions, table geometry, missing pictures (the last scaled
// picture carries on), the 100-cell limit and the debug lines.
#include "CompButtonGrid.h"
#include "GridTestSupport.h"

#include <algorithm>

using namespace gridtest;

namespace {

constexpr unsigned kOn = 0x00c000;
constexpr unsigned kOff = 0xc00000;

class ButtonGridTest : public GridTest {
protected:
    ButtonGridTest()
    {
        Picture("Button1ON.png", 30, 20, kOn);
        Picture("Button1OFF.png", 31, 21, kOff);
    }
    Gtk::Widget& CellOf(int row, int column) { return *grid.CellImages[row][column]->get_parent(); }
    Gtk::Box& CaptionBoxOf(int row, int column)
    {
        return *dynamic_cast<Gtk::Box*>(grid.CellLabels[row][column]->get_parent());
    }
    CompButtonGrid grid;
};

TEST_F(ButtonGridTest, DefaultsBuildOneOnCell)
{
    grid.ConstructLayout();
    ASSERT_EQ(grid.CellImages.size(), 1u);
    ASSERT_EQ(grid.CellImages[0].size(), 1u);
    const Shown shown = ShownPicture(*grid.CellImages[0][0]);
    EXPECT_EQ(shown.rgb, long(kOn));
    EXPECT_EQ(shown.width, 90);  // 90.0096 x 49.9968
    EXPECT_EQ(shown.height, 49);
    EXPECT_EQ(grid.CellLabels[0][0]->get_text(), "");

    EXPECT_EQ(SizeRequest(grid), std::make_pair(10, 9));
    EXPECT_EQ(grid.get_spacing(), 4);
    EXPECT_FALSE(grid.get_homogeneous());
    EXPECT_FALSE(grid.CellTable.get_homogeneous());
    EXPECT_EQ(grid.CellTable.get_parent(), &grid);
    EXPECT_EQ(ChildInt(grid, grid.CellTable, "expand"), 1);
    EXPECT_EQ(ChildInt(grid, grid.CellTable, "fill"), 1);

    // The cell: picture at (0, 0), caption box over it at (CaptionX, CaptionY).
    Gtk::Widget& cell = CellOf(0, 0);
    EXPECT_EQ(cell.get_parent(), &grid.CellTable);
    EXPECT_EQ(Attach(cell), (std::vector<int>{0, 1, 0, 1}));
    const std::vector<Gtk::Widget*> parts = Children(cell);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0], grid.CellImages[0][0]);
    EXPECT_EQ(FixedPosition(*parts[0]), std::make_pair(0, 0));
    Gtk::Box& box = CaptionBoxOf(0, 0);
    EXPECT_EQ(parts[1], &box);
    EXPECT_EQ(FixedPosition(box), std::make_pair(0, 0));
    EXPECT_EQ(SizeRequest(box), std::make_pair(85, 50));
    EXPECT_EQ(Children(box).size(), 1u);
    EXPECT_EQ(ChildInt(box, *grid.CellLabels[0][0], "expand"), 1);
    EXPECT_EQ(ChildInt(box, *grid.CellLabels[0][0], "fill"), 0);
    EXPECT_EQ(FontSize(*grid.CellLabels[0][0]), 8 * 1024);
    EXPECT_EQ(Foreground(*grid.CellLabels[0][0]), "#ffffff");
    EXPECT_TRUE(grid.CellLabels[0][0]->get_visible());
    EXPECT_TRUE(grid.CellImages[0][0]->get_visible());
}

TEST_F(ButtonGridTest, StatusGridShowsOffOnlyWhereTheStateIsSet)
{
    // The main screen's mini status grid, with one cell switched off.
    grid.Rows = 6;
    grid.Columns = 5;
    grid.ImageWidth = 55;
    grid.ImageHeight = 30;
    grid.CaptionWidth = 55;
    grid.CaptionHeight = 30;
    grid.CaptionX = 2.9f;
    grid.CaptionY = 7;
    grid.RowSpacing = 3;
    grid.ColumnSpacing = 4;
    grid.Homogeneous = 1;
    grid.CaptionColour = "#123456";
    for (int i = 0; i < 30; ++i)
        grid.Captions[i] = "cell " + std::to_string(i);
    grid.CellStates[7] = 1;
    grid.ConstructLayout();

    ASSERT_EQ(grid.CellImages.size(), 6u);
    EXPECT_EQ(grid.CellTable.get_children().size(), 30u);
    EXPECT_TRUE(grid.CellTable.get_homogeneous());
    EXPECT_EQ(grid.CellTable.get_default_row_spacing(), 3u);
    EXPECT_EQ(grid.CellTable.get_default_col_spacing(), 4u);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c) {
            SCOPED_TRACE(std::to_string(r) + "," + std::to_string(c));
            ASSERT_EQ(grid.CellImages[r].size(), 5u);
            const Shown shown = ShownPicture(*grid.CellImages[r][c]);
            EXPECT_EQ(shown.rgb, long(r == 1 && c == 2 ? kOff : kOn));
            EXPECT_EQ(shown.width, 55);
            EXPECT_EQ(shown.height, 30);
            EXPECT_EQ(grid.CellLabels[r][c]->get_text(), "cell " + std::to_string(r * 5 + c));
            EXPECT_EQ(Foreground(*grid.CellLabels[r][c]), "#123456");
            EXPECT_EQ(TableCell(grid.CellTable, r, c), &CellOf(r, c));
            EXPECT_EQ(FixedPosition(CaptionBoxOf(r, c)), std::make_pair(2, 7));
        }
}

TEST_F(ButtonGridTest, AnyNonZeroStateShowsOffAndAnyNonZeroSwitchMakesTheTableHomogeneous)
{
    const std::uint16_t states[4] = {0, 1, 2, 65535};
    const unsigned shown[4] = {kOn, kOff, kOff, kOff};
    for (int homogeneous : {0, 1, 2, 255}) {
        SCOPED_TRACE(homogeneous);
        CompButtonGrid g;
        g.Rows = 1;
        g.Columns = 4;
        g.Homogeneous = static_cast<std::uint8_t>(homogeneous);
        std::copy(states, states + 4, g.CellStates);
        g.ConstructLayout();
        EXPECT_EQ(g.CellTable.get_homogeneous(), homogeneous != 0);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(ShownPicture(*g.CellImages[0][c]).rgb, long(shown[c])) << "state " << states[c];
    }
}

struct SecondCaptionCase {
    int show;
    bool shown;
};

class ButtonGridSecondCaption : public ButtonGridTest, public ::testing::WithParamInterface<SecondCaptionCase> {};

TEST_P(ButtonGridSecondCaption, OnlyExactlyOneAddsTheBoldNinePointCaptionFirst)
{
    grid.Rows = 1;
    grid.Columns = 2;
    grid.ShowSecondCaption = static_cast<std::uint8_t>(GetParam().show);
    grid.FontSize = 7;
    grid.Captions[1] = "Battery";
    grid.SecondCaptions[1] = "SS09";
    grid.SecondCaptionColour = "yellow";
    grid.ConstructLayout();

    Gtk::Box& box = CaptionBoxOf(0, 1);
    const std::vector<Gtk::Widget*> labels = Children(box);
    EXPECT_EQ(FontSize(*grid.CellLabels[0][1]), 7168);
    EXPECT_EQ(FontWeight(*grid.CellLabels[0][1]), 0);
    if (!GetParam().shown) {
        EXPECT_EQ(labels.size(), 1u);
        return;
    }
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[1], grid.CellLabels[0][1]);
    Gtk::Label& second = *dynamic_cast<Gtk::Label*>(labels[0]);
    EXPECT_EQ(second.get_text(), "SS09");
    EXPECT_EQ(FontSize(second), 9216);
    EXPECT_EQ(FontWeight(second), 700);
    EXPECT_EQ(Foreground(second), "#ffff00");
    EXPECT_EQ(ChildInt(box, second, "expand"), 0);
    EXPECT_EQ(ChildInt(box, second, "fill"), 0);
    EXPECT_TRUE(second.get_visible());
}

INSTANTIATE_TEST_SUITE_P(Switch, ButtonGridSecondCaption,
                         ::testing::Values(SecondCaptionCase{0, false}, SecondCaptionCase{1, true},
                                           SecondCaptionCase{2, false}));

struct SpanCase {
    float columnSpan, rowSpan;
    std::vector<int> cell01;  // attach of the cell at row 0, column 1
};

class ButtonGridSpan : public ButtonGridTest, public ::testing::WithParamInterface<SpanCase> {};

TEST_P(ButtonGridSpan, SpansAreAddedThenTruncated)
{
    grid.Rows = 2;
    grid.Columns = 2;
    grid.ColumnSpan = GetParam().columnSpan;
    grid.RowSpan = GetParam().rowSpan;
    grid.ConstructLayout();
    EXPECT_EQ(Attach(CellOf(0, 1)), GetParam().cell01);
    EXPECT_EQ(grid.CellTable.get_children().size(), 4u);  // every cell is in the table
}

INSTANTIATE_TEST_SUITE_P(Spans, ButtonGridSpan,
                         ::testing::Values(SpanCase{1, 1, {1, 2, 0, 1}}, SpanCase{2, 3, {1, 3, 0, 3}},
                                           SpanCase{1.9f, 1.5f, {1, 2, 0, 1}},
                                           // A span below one still covers one column and row.
                                           SpanCase{0.5f, 0, {1, 2, 0, 1}}));

TEST_F(ButtonGridTest, MissingOnPictureRepeatsTheLastScaledPicture)
{
    ::remove("./Images/Button1ON.png");
    grid.Rows = 2;
    grid.Columns = 2;
    grid.CellStates[0] = 1;
    grid.DebugOutput = 1;
    const std::string out = Stdout([&] { grid.ConstructLayout(); });
    EXPECT_EQ(out,
              "ConstructLayout CompButtonGrid\n"
              "Image Not Found ./Images/Button1ON.png\n"
              "Image Not Found ./Images/Button1ON.png\n"
              "Image Not Found ./Images/Button1ON.png\n");
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(ShownPicture(*grid.CellImages[r][c]).rgb, long(kOff)) << r << "," << c;
}

TEST_F(ButtonGridTest, MissingOrBrokenFirstPictureGivesAnEmptyPictureAndCellStillBuilt)
{
    for (bool broken : {false, true}) {
        SCOPED_TRACE(broken ? "broken" : "missing");
        if (broken)
            BrokenPicture("Button1ON.png");
        else
            ::remove("./Images/Button1ON.png");
        CompButtonGrid g;
        g.Rows = 1;
        g.Columns = 2;
        g.CellStates[1] = 1;
        g.Captions[0] = "Main Power";
        g.ConstructLayout();
        EXPECT_EQ(g.CellImages[0][0]->get_storage_type(), Gtk::IMAGE_EMPTY);
        EXPECT_EQ(g.CellLabels[0][0]->get_text(), "Main Power");
        EXPECT_EQ(ShownPicture(*g.CellImages[0][1]).rgb, long(kOff));
    }
}

TEST_F(ButtonGridTest, CellsPastTheHundredEntriesAreNotBuilt)
{
    grid.Rows = 11;
    grid.Columns = 10;
    grid.Captions[99] = "last";
    grid.ConstructLayout();
    ASSERT_EQ(grid.CellLabels.size(), 11u);
    EXPECT_EQ(grid.CellTable.get_children().size(), 100u);
    EXPECT_EQ(grid.CellLabels[9][9]->get_text(), "last");
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(grid.CellLabels[10][c], nullptr);
        EXPECT_EQ(grid.CellImages[10][c], nullptr);
    }
}

TEST_F(ButtonGridTest, DebugLinesOnlyWithExactlyOne)
{
    ::remove("./Images/Button1ON.png");
    for (std::uint8_t debug : {0, 2}) {
        std::string out = Stdout([&] {
            CompButtonGrid g;
            g.DebugOutput = debug;
            g.ConstructLayout();
        });
        EXPECT_EQ(out, "") << int(debug);
    }
    std::string out = Stdout([] {
        CompButtonGrid g;
        g.DebugOutput = 1;
        g.ConstructLayout();
    });
    EXPECT_EQ(out, "ConstructLayout CompButtonGrid\nImage Not Found ./Images/Button1ON.png\n"
                   "Destructor CompButtonGrid\n");
}

}  // namespace
