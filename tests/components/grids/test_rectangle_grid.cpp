// The text-cell grid: the keypad layout with and without frames, the
// highlight that SelectPasswordValue moves, keys outside the grid, the
// 100-cell limit and the debug lines.
#include "CompRectangleGrid.h"
#include "GridTestSupport.h"

using namespace gridtest;

namespace {

class RectangleGridTest : public GridTest {
protected:
    // The settings screens' keypad: 4 x 3, framed, digits then CLR 0 OK.
    void Keypad(float borderWidth)
    {
        grid.Rows = 4;
        grid.Columns = 3;
        grid.RowSpacing = 5.9f;
        grid.ColumnSpacing = 15;
        grid.CellWidth = 50;
        grid.CellHeight = 40.5f;
        grid.ShowBorder = 1;
        grid.BorderWidth = borderWidth;
        const char* texts[12] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "CLR", "0", "OK"};
        for (int i = 0; i < 12; ++i)
            grid.CellTexts[i] = texts[i];
        grid.ConstructLayout();
    }
    std::vector<int> Borders()
    {
        std::vector<int> borders;
        for (const auto& row : grid.CellBoxes)
            for (Gtk::EventBox* box : row)
                borders.push_back(box ? int(box->get_border_width()) : -1);
        return borders;
    }
    CompRectangleGrid grid;
};

TEST_F(RectangleGridTest, FramedKeypadNestsEachLabelInCellAndFrameBoxes)
{
    grid.PositionX = 2.5f;
    grid.PositionY = 1;
    grid.FrameColour = "#fc5751";
    grid.CellColour = "#102030";
    grid.TextColour = "yellow";
    Keypad(2);

    EXPECT_EQ(grid.CellTable.get_default_row_spacing(), 5u);
    EXPECT_EQ(grid.CellTable.get_default_col_spacing(), 15u);
    EXPECT_EQ(grid.CellTable.get_children().size(), 12u);
    EXPECT_EQ(ChildInt(grid, grid.CellTable, "expand"), 0);
    EXPECT_EQ(ChildInt(grid, grid.CellTable, "fill"), 0);
    ASSERT_EQ(grid.CellBoxes.size(), 4u);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
            SCOPED_TRACE(std::to_string(r) + "," + std::to_string(c));
            Gtk::Label& label = *grid.CellLabels[r][c];
            Gtk::EventBox* cellBox = grid.CellBoxes[r][c];
            ASSERT_NE(cellBox, nullptr);
            EXPECT_EQ(label.get_text(), grid.CellTexts[r * 3 + c]);
            EXPECT_EQ(label.get_parent(), cellBox);
            EXPECT_EQ(Foreground(label), "#ffff00");
            EXPECT_EQ(FontSize(label), 10240);
            EXPECT_EQ(FontWeight(label), 400);
            EXPECT_EQ(Background(*cellBox), "#102030");
            EXPECT_EQ(cellBox->get_border_width(), 2u);
            Gtk::Widget& frame = *cellBox->get_parent();
            EXPECT_EQ(Background(frame), "#fc5751");
            EXPECT_EQ(SizeRequest(frame), std::make_pair(50, 40));
            EXPECT_EQ(FixedPosition(frame), std::make_pair(2, 1));
            Gtk::Widget& cell = *frame.get_parent();
            EXPECT_EQ(TableCell(grid.CellTable, r, c), &cell);
            EXPECT_EQ(Attach(cell), (std::vector<int>{c, c + 1, r, r + 1}));
            EXPECT_TRUE(label.get_visible());
            EXPECT_TRUE(frame.get_visible());
        }
}

TEST_F(RectangleGridTest, UnframedCellsAreSizedThemselvesAndNotKept)
{
    for (int show : {0, 2}) {
        SCOPED_TRACE(show);
        CompRectangleGrid g;
        g.Rows = 2;
        g.Columns = 4;
        g.CellWidth = 150.9f;
        g.CellHeight = 37;
        g.ShowBorder = static_cast<std::uint16_t>(show);
        g.CellTexts[5] = "Slave 1";
        g.ConstructLayout();
        Gtk::Label& label = *g.CellLabels[1][1];
        EXPECT_EQ(label.get_text(), "Slave 1");
        Gtk::EventBox& cellBox = *dynamic_cast<Gtk::EventBox*>(label.get_parent());
        EXPECT_EQ(SizeRequest(cellBox), std::make_pair(150, 37));
        EXPECT_EQ(cellBox.get_border_width(), 0u);
        EXPECT_EQ(Background(cellBox), "#000000");
        EXPECT_EQ(dynamic_cast<Gtk::Fixed*>(cellBox.get_parent()) != nullptr, true);
        for (const auto& row : g.CellBoxes)
            for (Gtk::EventBox* box : row)
                EXPECT_EQ(box, nullptr);
        EXPECT_EQ(g.CellLabels[0][0]->get_text(), "");
    }
}

struct SelectCase {
    int key;
    float border;
    int row, column;
    int width;
};

class RectangleGridSelect : public RectangleGridTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(RectangleGridSelect, SetsTheBorderOfTheKeysCellOnly)
{
    const SelectCase& c = GetParam();
    Keypad(0);
    grid.BorderWidth = c.border;
    grid.SelectPasswordValue(static_cast<std::int16_t>(c.key));
    std::vector<int> expected(12, 0);
    expected[c.row * 3 + c.column] = c.width;
    EXPECT_EQ(Borders(), expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, RectangleGridSelect,
                         ::testing::Values(SelectCase{1, 3, 0, 0, 3}, SelectCase{3, 3, 0, 2, 3},
                                           SelectCase{4, 3, 1, 0, 3}, SelectCase{5, 2, 1, 1, 2},
                                           SelectCase{12, 3, 3, 2, 3}, SelectCase{10, 3.9f, 3, 0, 3},
                                           SelectCase{7, -2, 2, 0, 0}));

TEST_F(RectangleGridTest, OwnerMovesTheHighlightFromKeyToKey)
{
    Keypad(0);
    const int moves[] = {1, 2, 5, 8, 11, 12, 12};
    int previous = moves[0];
    for (int key : moves) {
        grid.BorderWidth = 0;
        grid.SelectPasswordValue(static_cast<std::int16_t>(previous));
        grid.BorderWidth = 3.0f;
        grid.SelectPasswordValue(static_cast<std::int16_t>(key));
        std::vector<int> expected(12, 0);
        expected[key - 1] = 3;
        EXPECT_EQ(Borders(), expected) << "key " << key;
        previous = key;
    }
}

TEST_F(RectangleGridTest, KeysOutsideTheGridAreIgnored)
{
    Keypad(1);
    grid.BorderWidth = 3;
    for (int key : {0, -1, -32768, 13, 15, 100, 32767})
        grid.SelectPasswordValue(static_cast<std::int16_t>(key));
    EXPECT_EQ(Borders(), std::vector<int>(12, 1));

    // Without frames there are no cell boxes to highlight.
    CompRectangleGrid plain;
    plain.Rows = 4;
    plain.Columns = 3;
    plain.ConstructLayout();
    for (int key = 1; key <= 12; ++key)
        plain.SelectPasswordValue(static_cast<std::int16_t>(key));

    // Fewer than three columns: key 3 names column 2, which does not exist.
    CompRectangleGrid narrow;
    narrow.Rows = 2;
    narrow.Columns = 2;
    narrow.ShowBorder = 1;
    narrow.BorderWidth = 0;
    narrow.ConstructLayout();
    narrow.BorderWidth = 3;
    for (int key : {3, 6})
        narrow.SelectPasswordValue(static_cast<std::int16_t>(key));
    narrow.SelectPasswordValue(4);  // row 1, column 0
    EXPECT_EQ(narrow.CellBoxes[0][0]->get_border_width(), 0u);
    EXPECT_EQ(narrow.CellBoxes[0][1]->get_border_width(), 0u);
    EXPECT_EQ(narrow.CellBoxes[1][0]->get_border_width(), 3u);
    EXPECT_EQ(narrow.CellBoxes[1][1]->get_border_width(), 0u);
}

TEST_F(RectangleGridTest, EmptyAndOversizedGrids)
{
    for (auto size : {std::make_pair(0, 3), std::make_pair(4, 0), std::make_pair(0, 0)}) {
        CompRectangleGrid g;
        g.Rows = static_cast<std::uint16_t>(size.first);
        g.Columns = static_cast<std::uint16_t>(size.second);
        g.ShowBorder = 1;
        g.ConstructLayout();
        EXPECT_EQ(g.CellTable.get_children().size(), 0u);
        EXPECT_EQ(g.CellLabels.size(), std::size_t(size.first));
        g.SelectPasswordValue(1);
    }
    CompRectangleGrid big;
    big.Rows = 20;
    big.Columns = 6;
    big.ShowBorder = 1;
    big.CellTexts[99] = "99";
    big.ConstructLayout();
    EXPECT_EQ(big.CellTable.get_children().size(), 100u);
    EXPECT_EQ(big.CellLabels[16][3]->get_text(), "99");
    EXPECT_EQ(big.CellLabels[16][4], nullptr);
    EXPECT_EQ(big.CellBoxes[19][5], nullptr);
    big.BorderWidth = 3;
    big.SelectPasswordValue(50);  // row 16, column 1: built
    big.SelectPasswordValue(59);  // row 19, column 1: not built
    EXPECT_EQ(big.CellBoxes[16][1]->get_border_width(), 3u);
}

TEST_F(RectangleGridTest, DebugLinesPerCellOnlyWithExactlyOne)
{
    auto build = [](std::uint16_t debug, std::uint16_t border, std::uint16_t bold) {
        return Stdout([&] {
            CompRectangleGrid g;
            g.DebugOutput = debug;
            g.Rows = 1;
            g.Columns = 2;
            g.ShowBorder = border;
            g.BoldLabels = bold;
            g.ConstructLayout();
            EXPECT_EQ(FontSize(*g.CellLabels[0][1]), 10240);
            EXPECT_EQ(FontWeight(*g.CellLabels[0][1]), 400);
        });
    };
    EXPECT_EQ(build(1, 1, 1),
              "ConstructLayout CompRectangleGrid\n"
              "Border Visible CompRectangleGrid\nLabel Bold CompRectangleGrid\n"
              "Border Visible CompRectangleGrid\nLabel Bold CompRectangleGrid\n"
              "Destructor CompRectangleGrid\n");
    EXPECT_EQ(build(1, 0, 2),
              "ConstructLayout CompRectangleGrid\n"
              "Border Not Visible CompRectangleGrid\nBorder Not Visible CompRectangleGrid\n"
              "Destructor CompRectangleGrid\n");
    EXPECT_EQ(build(0, 1, 1), "");
    EXPECT_EQ(build(2, 1, 1), "");
}

}  // namespace
