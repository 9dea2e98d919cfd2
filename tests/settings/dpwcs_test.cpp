// The distributed-power pages: layouts, the keypad edit of the configuration
// page, the table pages' cell mapping and which updates redraw what.
#include "DpwcsBpContinuityCheck.h"
#include "DpwcsConfiguration.h"
#include "DpwcsOverview.h"
#include "DpwcsSelectLoco.h"
#include "KeypadEntry.h"
#include "SettingsFixture.h"
#include "TablePage.h"
#include "WagonDetails.h"

#include <gtkmm/offscreenwindow.h>

#include <vector>

using namespace settingstest;

namespace {

std::vector<std::string> Texts(CompRectangleGrid& grid)
{
    std::vector<std::string> texts;
    for (auto& row : grid.CellLabels)
        for (Gtk::Label* label : row) texts.push_back(label->get_text());
    return texts;
}

void Mark(CompRectangleGrid& grid)
{
    for (auto& row : grid.CellLabels)
        for (Gtk::Label* label : row) label->set_text("x");
}

std::pair<int, int> Position(Gtk::Fixed& page, Gtk::Widget& child)
{
    auto property = [&](const char* name) {
        Glib::Value<int> value;
        value.init(Glib::Value<int>::value_type());
        gtk_container_child_get_property(GTK_CONTAINER(page.gobj()), child.gobj(), name, value.gobj());
        return value.get();
    };
    return {property("x"), property("y")};
}

// ---- Cell mapping, without widgets ----

TEST(TableCells, ContinuityOverviewAndWagonEntries)
{
    const struct {
        const char* name;
        tablepage::CellRef (*map)(int);
        int entry;
        tablepage::CellRef cell;
    } cases[] = {
        {"continuity 0", tablepage::ContinuityCell, 0, {0, 0, 0}},
        {"continuity 4", tablepage::ContinuityCell, 4, {0, 1, 1}},
        {"continuity 14", tablepage::ContinuityCell, 14, {0, 4, 2}},
        {"overview 11", tablepage::OverviewCell, 11, {0, 0, 11}},
        {"overview 12", tablepage::OverviewCell, 12, {0, 1, 0}},
        {"overview 59", tablepage::OverviewCell, 59, {0, 4, 11}},
        {"wagon 0", tablepage::WagonCell, 0, {0, 0, 1}},
        {"wagon 7", tablepage::WagonCell, 7, {0, 1, 1}},
        {"wagon 27", tablepage::WagonCell, 27, {0, 3, 7}},
        {"van 28", tablepage::WagonCell, 28, {1, 0, 1}},
        {"van 29", tablepage::WagonCell, 29, {1, 0, 2}},
        {"van 31", tablepage::WagonCell, 31, {1, 1, 2}},
    };
    for (const auto& c : cases) {
        const tablepage::CellRef got = c.map(c.entry);
        EXPECT_EQ(got.table, c.cell.table) << c.name;
        EXPECT_EQ(got.row, c.cell.row) << c.name;
        EXPECT_EQ(got.column, c.cell.column) << c.name;
    }
}

using DpwcsPages = SettingsTest;

// ---- Layouts ----

TEST_F(DpwcsPages, TablePagesStartWithHeadingsAndZeros)
{
    DpwcsBpContinuityCheck continuity;
    EXPECT_EQ(Texts(continuity.m_HeadingGrid), (std::vector<std::string>{"Heading 1", "Heading 2", "Heading 3"}));
    EXPECT_EQ(Texts(continuity.m_ValueGrid), std::vector<std::string>(15, "0"));
    EXPECT_EQ(continuity.m_ValueGrid.CellTable.get_default_col_spacing(), 30u);
    EXPECT_EQ(Position(continuity, continuity.m_ValueGrid), std::make_pair(15, 60));

    DpwcsOverview overview;
    EXPECT_EQ(Texts(overview.m_HeadingGrid),
              (std::vector<std::string>{"REMOTE\n LOCO", "TE/BE", "SPEED", "BP", "BC", "MR", "SS02", "BUR",
                                        "SS03", "VCB", "PANTO", "Sanding"}));
    EXPECT_EQ(Texts(overview.m_ValueGrid), std::vector<std::string>(60, "0"));
    EXPECT_EQ(Position(overview, overview.m_ValueGrid), std::make_pair(0, 50));

    WagonDetails wagons;
    EXPECT_EQ(Texts(wagons.m_HeadingGrid),
              (std::vector<std::string>{"BETWEEN\n LOCO's", "BOXN/\n BOBRN", "BCNHL/\n BOXNHL", "BOXNHS", "BTPN",
                                        "BOBR", "BRN", "BCN/\n CONCOR"}));
    const std::vector<std::string> wagonTexts = Texts(wagons.m_WagonGrid);
    ASSERT_EQ(wagonTexts.size(), 32u);
    const char* sections[] = {" Lead &\n Remote-1", " Remote-1 &\n Remote-2", " Remote-2 &\n Remote-3",
                              " Remote-3 &\n Remote-4"};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(wagonTexts[row * 8], sections[row]);
        for (int column = 1; column < 8; ++column) EXPECT_EQ(wagonTexts[row * 8 + column], "0");
    }
    EXPECT_EQ(Texts(wagons.m_BrakeVanGrid),
              (std::vector<std::string>{" Brake Van\n 8 wheeler", "0", "0", " Brake Van\n 4 wheeler", "0", "0"}));
    EXPECT_EQ(Position(wagons, wagons.m_BrakeVanGrid), std::make_pair(5, 164));
    for (CompRectangleGrid* grid : {&wagons.m_HeadingGrid, &wagons.m_WagonGrid, &wagons.m_BrakeVanGrid}) {
        EXPECT_EQ(grid->CellBoxes[0][0]->get_border_width(), 1u);
        EXPECT_EQ(grid->CellTable.get_default_col_spacing(), 0u);
    }
}

TEST_F(DpwcsPages, ConfigurationAndSelectionLayouts)
{
    DpwcsConfiguration config;
    EXPECT_EQ(config.m_MasterTitleTile.CellLabels[0][0]->get_text(), "Master loco");
    EXPECT_EQ(config.m_SlaveLoco2TitleTile.CellLabels[0][0]->get_text(), "Slave loco 2");
    EXPECT_EQ(Position(config, config.m_SlaveLoco2ValueBox), std::make_pair(180, 110));
    EXPECT_EQ(Position(config, config.m_SlaveLoco2TitleTile), std::make_pair(20, 111));
    EXPECT_EQ(config.m_MasterValueLabel.get_text(), "");
    EXPECT_EQ(config.m_MessageLabel.get_text(), "Confirm");
    EXPECT_EQ(Texts(config.m_Keypad),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "BACK", "0", "OK"}));

    DpwcsSelectLoco select;
    EXPECT_EQ(Texts(select.m_MasterGrid), std::vector<std::string>{"Master"});
    EXPECT_EQ(Texts(select.m_SlaveGrid), (std::vector<std::string>{"Slave 1", "Slave 2", "Slave 3", "Slave 4"}));
    EXPECT_EQ(select.m_SlaveGrid.CellTable.get_default_col_spacing(), 8u);
    EXPECT_EQ(select.m_MessageLabel.get_text(), "Confirm");
    EXPECT_EQ(Position(select, select.m_MessageBox), std::make_pair(200, 150));
}

// Laid out in a window, every text of the three table pages stays inside
// its framed cell.
TEST_F(DpwcsPages, TableTextsStayInsideTheirCells)
{
    DpwcsBpContinuityCheck continuity;
    DpwcsOverview overview;
    WagonDetails wagons;
    store().DpwcsOverviewValues[59] = 65535;
    overview.UpdateDpwcsOverviewScreen();
    const std::vector<std::pair<Gtk::Fixed*, std::vector<CompRectangleGrid*>>> pages = {
        {&continuity, {&continuity.m_HeadingGrid, &continuity.m_ValueGrid}},
        {&overview, {&overview.m_HeadingGrid, &overview.m_ValueGrid}},
        {&wagons, {&wagons.m_HeadingGrid, &wagons.m_WagonGrid, &wagons.m_BrakeVanGrid}}};
    for (const auto& page : pages) {
        Gtk::OffscreenWindow window;
        window.add(*page.first);
        window.show_all();
        testsupport::DrainEvents();
        for (CompRectangleGrid* grid : page.second)
            for (auto& row : grid->CellLabels)
                for (Gtk::Label* label : row) {
                    int w = 0, h = 0;
                    label->get_layout()->get_pixel_size(w, h);
                    EXPECT_LE(w, int(grid->CellWidth) - 2) << label->get_text();
                    EXPECT_LE(h, int(grid->CellHeight) - 2) << label->get_text();
                }
        window.remove();
    }
}

// ---- Configuration page keys ----

struct ConfigCase {
    const char* name;
    int state;
    std::vector<std::int16_t> cells;   // cells entered in turn
    int stateAfter;
    std::uint16_t numbers[3];
    const char* shown[3];
};

const ConfigCase kConfig[] = {
    {"master typing", 2, {1, 2, 3}, 2, {123, 0, 0}, {"123", " ", " "}},
    {"first slave typing", 4, {1, 2, 3}, 4, {0, 123, 0}, {" ", "123", " "}},
    {"second slave with zero", 6, {4, 11}, 6, {0, 0, 40}, {" ", " ", "40"}},
    {"zero first", 2, {11}, 2, {0, 0, 0}, {" ", " ", " "}},
    {"back clears all", 2, {9, 9, 10}, 2, {0, 0, 0}, {" ", " ", " "}},
    {"plain sixteen-bit wrap", 2, {7, 11, 11, 11, 11}, 2, {4464, 0, 0}, {"4464", " ", " "}},
    {"ok while typing returns to the box", 4, {5, 12}, 3, {0, 5, 0}, {" ", "5", " "}},
    {"ok on master then digits change nothing", 2, {12, 3}, 1, {0, 0, 0}, {" ", " ", " "}},
    {"chosen box takes no digits", 1, {3}, 1, {0, 0, 0}, {" ", " ", " "}},
    {"no edit", 0, {3, 12}, 0, {0, 0, 0}, {" ", " ", " "}},
};

class ConfigKeys : public SettingsTest, public ::testing::WithParamInterface<ConfigCase> {};

TEST_P(ConfigKeys, CellsToNumbersAndBoxes)
{
    const ConfigCase& c = GetParam();
    DpwcsConfiguration page;
    int state = c.state;
    for (std::int16_t cell : c.cells) {
        page.m_SelectedCell = cell;
        page.pressEnter(&state);
    }
    EXPECT_EQ(state, c.stateAfter);
    EXPECT_EQ(page.m_MasterNumber, c.numbers[0]);
    EXPECT_EQ(page.m_SlaveLoco1Number, c.numbers[1]);
    EXPECT_EQ(page.m_SlaveLoco2Number, c.numbers[2]);
    EXPECT_EQ(page.m_MasterValueLabel.get_text(), c.shown[0]);
    EXPECT_EQ(page.m_SlaveLoco1ValueLabel.get_text(), c.shown[1]);
    EXPECT_EQ(page.m_SlaveLoco2ValueLabel.get_text(), c.shown[2]);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConfigKeys, ::testing::ValuesIn(kConfig), CaseName());

TEST_F(DpwcsPages, ConfigurationBoxSelectionPaintsTheChosenBox)
{
    DpwcsConfiguration page;
    const struct {
        short state;
        const char* colours[3];
    } cases[] = {{1, {"#000000", "#ffffff", "#ffffff"}},
                 {3, {"#ffffff", "#000000", "#ffffff"}},
                 {5, {"#ffffff", "#ffffff", "#000000"}},
                 {2, {"#ffffff", "#ffffff", "#000000"}}};   // typing states repaint nothing
    for (const auto& c : cases) {
        page.selectionChange(KeyDown);
        page.boxSelection(c.state);
        EXPECT_EQ(page.m_Keypad.CellBoxes[(page.m_SelectedCell - 1) / 3][(page.m_SelectedCell - 1) % 3]
                      ->get_border_width(),
                  0u)
            << c.state;
        EXPECT_EQ(Background(page.m_MasterValueBox), c.colours[0]) << c.state;
        EXPECT_EQ(Background(page.m_SlaveLoco1ValueBox), c.colours[1]) << c.state;
        EXPECT_EQ(Background(page.m_SlaveLoco2ValueBox), c.colours[2]) << c.state;
    }
    page.SelectPassword(4);
    EXPECT_EQ(page.m_MasterValueBox.get_border_width(), 1u);
    EXPECT_EQ(Background(page.m_MasterValueBox), "#000000");
    page.UpdateDpwcsConfigurationScreen();
    EXPECT_EQ(page.m_MasterValueLabel.get_text(), "");
}

// ---- Updates of the table pages ----

TEST_F(DpwcsPages, ContinuityAndOverviewDrawEveryCellEveryTime)
{
    DpwcsBpContinuityCheck continuity;
    DpwcsOverview overview;
    for (int k = 0; k < 15; ++k) store().BpContinuityValues[k] = static_cast<unsigned short>(k * 1000);
    store().BpContinuityValues[14] = 65535;
    for (int k = 0; k < 60; ++k) store().DpwcsOverviewValues[k] = static_cast<unsigned short>(k);
    continuity.UpdateDpwcsBpContinuityCheckScreen();
    overview.UpdateDpwcsOverviewScreen();
    EXPECT_EQ(continuity.m_ValueGrid.CellLabels[1][1]->get_text(), "4000");
    EXPECT_EQ(continuity.m_ValueGrid.CellLabels[4][2]->get_text(), "65535");
    EXPECT_EQ(overview.m_ValueGrid.CellLabels[1][0]->get_text(), "12");
    EXPECT_EQ(overview.m_ValueGrid.CellLabels[4][11]->get_text(), "59");
    Mark(continuity.m_ValueGrid);
    Mark(overview.m_ValueGrid);
    continuity.UpdateDpwcsBpContinuityCheckScreen();
    overview.UpdateDpwcsOverviewScreen();
    for (const std::string& text : Texts(continuity.m_ValueGrid)) EXPECT_NE(text, "x");
    for (const std::string& text : Texts(overview.m_ValueGrid)) EXPECT_NE(text, "x");
}

TEST_F(DpwcsPages, WagonDetailsRedrawOnlyWhatChanged)
{
    WagonDetails page;
    Mark(page.m_WagonGrid);
    Mark(page.m_BrakeVanGrid);
    page.UpdateWagonDetailsScreen();
    for (int k = 0; k < 32; ++k) {
        const tablepage::CellRef cell = tablepage::WagonCell(k);
        CompRectangleGrid& grid = cell.table == 0 ? page.m_WagonGrid : page.m_BrakeVanGrid;
        EXPECT_EQ(grid.CellLabels[cell.row][cell.column]->get_text(), "0") << "first update draws " << k;
    }
    Mark(page.m_WagonGrid);
    Mark(page.m_BrakeVanGrid);
    store().WagonDetailValues[7] = 12;
    store().WagonDetailValues[31] = 65535;
    page.UpdateWagonDetailsScreen();
    EXPECT_EQ(page.m_WagonGrid.CellLabels[1][1]->get_text(), "12");
    EXPECT_EQ(page.m_BrakeVanGrid.CellLabels[1][2]->get_text(), "65535");
    int redrawn = 0;
    for (CompRectangleGrid* grid : {&page.m_WagonGrid, &page.m_BrakeVanGrid})
        for (const std::string& text : Texts(*grid)) redrawn += text != "x";
    EXPECT_EQ(redrawn, 2);
    page.m_WagonGrid.CellLabels[1][1]->set_text("x");
    page.UpdateWagonDetailsScreen();
    EXPECT_EQ(page.m_WagonGrid.CellLabels[1][1]->get_text(), "x") << "unchanged, not drawn";
}

TEST_F(DpwcsPages, SelectLocoRedrawsChangedRoleNames)
{
    DpwcsSelectLoco page;
    page.UpdateDpwcsSelectLocoScreen();
    EXPECT_EQ(Texts(page.m_SlaveGrid), (std::vector<std::string>{"Slave 1", "Slave 2", "Slave 3", "Slave 4"}));
    Mark(page.m_MasterGrid);
    Mark(page.m_SlaveGrid);
    page.UpdateDpwcsSelectLocoScreen();
    EXPECT_EQ(Texts(page.m_SlaveGrid), std::vector<std::string>(4, "x")) << "unchanged names are not drawn";
    store().LocoRoleNames[2] = "Remote 2";
    page.UpdateDpwcsSelectLocoScreen();
    EXPECT_EQ(Texts(page.m_SlaveGrid), (std::vector<std::string>{"x", "Remote 2", "x", "x"}));
    store().LocoRoleNames[2] = "";
    page.UpdateDpwcsSelectLocoScreen();
    EXPECT_EQ(page.m_SlaveGrid.CellLabels[0][1]->get_text(), "");
}

TEST_F(DpwcsPages, EmptyNameBeforeAnyDrawKeepsTheTile)
{
    store().LocoRoleNames[0] = "";
    DpwcsSelectLoco page;
    page.UpdateDpwcsSelectLocoScreen();
    EXPECT_EQ(page.m_MasterGrid.CellLabels[0][0]->get_text(), "Master");
}

}  // namespace
