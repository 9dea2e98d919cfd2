// The diagnostics screen: pages of 15 log rows, newest first.
#include <gtest/gtest.h>

#include <algorithm>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>
#include <string>
#include <vector>

#include "DiagnosticScreen.h"
#include "PanelFixture.h"

namespace {

// Log line n (from 1) with fault label F<n>.
std::string Line(int n)
{
    const std::string c = std::to_string(n);
    return "\"" + c + "\" \" F" + c + "\" \" 1\" \" SS 01 \" \" 2024-05-06  14:03:59\" \" M" + c + "\" \" " + c + "\"\n";
}

std::string Lines(int count)
{
    std::string text;
    for (int n = 1; n <= count; ++n) text += Line(n);
    return text;
}

class DiagnosticScreenTest : public paneltest::WidgetFixture {
protected:
    // The fault labels of the shown rows, top to bottom ("F20", "F19", ...).
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> labels;
        for (int i = 14; i >= 0; --i)
            if (!screen.Cells[i][0].empty()) labels.push_back(screen.Cells[i][1].substr(1));
        return labels;
    }
    int PageCells() const { return static_cast<int>(screen.DataTable->get_children().size()); }
    bool PageTableShown() const { return screen.DataTable->get_parent() == &screen.Area; }

    DiagnosticScreen screen;
};

std::vector<std::string> Labels(int newest, int oldest)
{
    std::vector<std::string> labels;
    for (int n = newest; n >= oldest; --n) labels.push_back("F" + std::to_string(n));
    return labels;
}

TEST_F(DiagnosticScreenTest, HeaderOnlyWithoutALog)
{
    EXPECT_EQ(screen.Area.get_children().size(), 1u);
    screen.TimerFunc();
    EXPECT_EQ(screen.Area.get_children().size(), 1u);
    screen.TimerFunc();   // the unplaced page table is freed without a toolkit complaint
    EXPECT_EQ(screen.Area.get_children().size(), 1u);
}

TEST_F(DiagnosticScreenTest, EmptyLogHasNoPages)
{
    dir.WriteFile("DiagnosticsData.csv", "");
    screen.TimerFunc();
    EXPECT_EQ(screen.LastPage, -1);
    EXPECT_EQ(PageCells(), 0);
    screen.changepage(1);
    EXPECT_EQ(screen.Page, 1);
}

struct PageCase {
    const char* name;
    int lines;
    int downs;
    int page;
    int newest, oldest;
};

class Pages : public DiagnosticScreenTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(Pages, NewestFirst)
{
    const PageCase& c = GetParam();
    dir.WriteFile("DiagnosticsData.csv", Lines(c.lines));
    screen.TimerFunc();
    for (int i = 0; i < c.downs; ++i) {
        screen.changepage(1);
        screen.TimerFunc();
    }
    EXPECT_EQ(screen.Page, c.page);
    EXPECT_EQ(Shown(), Labels(c.newest, c.oldest));
    EXPECT_EQ(PageCells(), 7 * (c.newest - c.oldest + 1));
    EXPECT_TRUE(PageTableShown());
    // Index column: 1 is the newest line of the log.
    EXPECT_EQ(screen.Cells[0][0], std::to_string(c.lines - c.oldest + 1));
}

INSTANTIATE_TEST_SUITE_P(Table, Pages, ::testing::Values(
    PageCase{"Seven", 7, 3, 1, 7, 1},
    PageCase{"Fifteen", 15, 1, 1, 15, 1},
    PageCase{"SixteenFirst", 16, 0, 1, 16, 2},
    PageCase{"SixteenSecond", 16, 1, 2, 15, 1},
    PageCase{"SixteenStaysAtLast", 16, 4, 2, 15, 1},
    PageCase{"TwentySecond", 20, 1, 2, 15, 1},
    PageCase{"ThirtyOneSecond", 31, 1, 2, 16, 2},
    PageCase{"ThirtyOneThird", 31, 2, 3, 15, 1},
    PageCase{"FortyFiveThird", 45, 5, 3, 15, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiagnosticScreenTest, UpAtPageOneStays)
{
    dir.WriteFile("DiagnosticsData.csv", Lines(31));
    screen.TimerFunc();
    screen.changepage(1);
    screen.changepage(0);
    screen.changepage(0);
    EXPECT_EQ(screen.Page, 1);
}

TEST_F(DiagnosticScreenTest, ShortLineLeavesItsMissingColumnsEmpty)
{
    dir.WriteFile("DiagnosticsData.csv", Line(1) + "\"2\" \" F2\" \" 3\n");
    screen.TimerFunc();
    EXPECT_EQ(screen.Cells[1][1], " F2");
    EXPECT_EQ(screen.Cells[1][2], " 3");
    for (int j = 3; j < 7; ++j) EXPECT_EQ(screen.Cells[1][j], "") << j;
    EXPECT_EQ(screen.Cells[0][5], " M1");
}

TEST_F(DiagnosticScreenTest, ShorterLogDropsOldRows)
{
    dir.WriteFile("DiagnosticsData.csv", Lines(20));
    screen.TimerFunc();
    dir.WriteFile("DiagnosticsData.csv", Lines(3));
    screen.TimerFunc();
    EXPECT_EQ(Shown(), Labels(3, 1));
    EXPECT_EQ(PageCells(), 21);
}

TEST_F(DiagnosticScreenTest, ProcessStringKeepsLeadingBlanks)
{
    screen.processString(Line(4));
    EXPECT_EQ(screen.Fields[0], "4");
    EXPECT_EQ(screen.Fields[1], " F4");
    EXPECT_EQ(screen.Fields[4], " 2024-05-06  14:03:59");
    EXPECT_EQ(screen.Fields[6], " 4");
}

// Log rows of any length and encoding: each cell shows the start of its
// field inside its frame, and the screen keeps its size in a shown window.
TEST_F(DiagnosticScreenTest, LongAndDamagedFieldsAreCutToTheirCells)
{
    std::string message = "Bremsdruck \xE4\xF6 ";
    while (message.size() < 100000) message += "Brake pipe pressure low ";
    const std::string label(5000, 'F');
    const std::string damaged = "\"1\" \" " + label + "\" \" 1\" \" SS \xFF\xFE 01 \" \" 2024-05-06  14:03:59\" \" " +
                                message + "\" \" 123456789012345678901234567890\"\n";
    dir.WriteFile("DiagnosticsData.csv", damaged + Line(2));
    Gtk::Window window;
    window.set_default_size(800, 600);
    window.add(screen);
    window.show_all();
    paneltest::ToolkitComplaints complaints;
    screen.TimerFunc();
    testsupport::DrainEvents();
    EXPECT_EQ(complaints.lines(), std::vector<std::string>{});
    EXPECT_EQ(screen.Cells[0][5], " " + message) << "the page keeps the log's bytes";

    std::vector<const Gtk::Label*> labels;
    for (Gtk::Widget* holder : screen.DataTable->get_children()) {
        auto* fixed = dynamic_cast<Gtk::Fixed*>(holder);
        ASSERT_TRUE(fixed);
        const std::vector<Gtk::Widget*> inside = fixed->get_children();
        auto* outer = dynamic_cast<Gtk::Bin*>(inside.at(0));
        auto* inner = dynamic_cast<Gtk::Bin*>(outer->get_child());
        labels.push_back(dynamic_cast<Gtk::Label*>(inner->get_child()));
        ASSERT_TRUE(labels.back());
        EXPECT_LE(labels.back()->size_request().width, outer->size_request().width - 2);
        EXPECT_LE(labels.back()->size_request().height, 29);
    }
    ASSERT_EQ(labels.size(), 14u);
    std::reverse(labels.begin(), labels.end());   // the table keeps its newest child first
    for (std::size_t column = 1; column < 7; ++column)   // the oldest row, the long one
        EXPECT_TRUE(paneltest::ShowsStartOf(labels[column]->get_text(), screen.Cells[0][column])) << column;
    const Gtk::Requisition size = screen.size_request();
    EXPECT_EQ(size.width, 790);
    EXPECT_EQ(size.height, 532);
    int width = 0, height = 0;
    window.get_window()->get_size(width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    window.remove();
}

}  // namespace
