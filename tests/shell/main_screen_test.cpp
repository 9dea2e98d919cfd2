// The main screen and the title bar of a real main layout, fed through the
// decode tick from port words: mini status grids, state and pressure grids,
// indicator pictures, pantographs, dials, bars, caption and title bar.
#include "LayoutFixture.h"

#include <cmath>
#include <limits>
#include <vector>

#include "PortsByNumber.h"

namespace shelltest {
namespace {

constexpr unsigned short B(int k) { return static_cast<unsigned short>(1u << k); }

struct Word {
    int port;
    int word;
    unsigned short value;
};
using Words = std::vector<Word>;

const Word kCab1Key{1010, 3, B(7)};
const Word kCab2Key{1010, 4, B(8)};

const char kButton1On[] = "./Images/Button1ON.png";
const char kButton1Off[] = "./Images/Button1OFF.png";
const char kButton2On[] = "./Images/Button2ON.png";
const char kButton2Off[] = "./Images/Button2OFF.png";

class MainScreen : public LayoutTest {
protected:
    // Puts the words on an otherwise silent bus and runs one decode tick,
    // whose data-updated signal refreshes the layout.
    void Bus(const Words& words)
    {
        decodetest::ZeroAllPorts();
        for (const Word& w : words) {
            const MvbPort* port = decodetest::FindPort(w.port);
            ASSERT_NE(nullptr, port) << w.port;
            port->buffer[w.word] |= w.value;
        }
        store().PrintKey();
        testsupport::DrainEvents();
    }
    unsigned Cell(CompButtonGrid& grid, int row, int column) { return ShownColour(*grid.CellImages[row][column]); }
    std::string Caption(CompButtonGrid& grid, int row, int column) { return grid.CellLabels[row][column]->get_text(); }
};

bool ShowsMark(Gtk::Image& image, const std::string& path) { return SameColour(ShownColour(image), MarkColour(path)); }

bool HasColour(Gtk::Label& label, const char* colour)
{
    const Gdk::Color shown = label.get_style()->get_fg(Gtk::STATE_NORMAL);
    const Gdk::Color wanted(colour);
    return shown.get_red() == wanted.get_red() && shown.get_green() == wanted.get_green() &&
           shown.get_blue() == wanted.get_blue();
}

// A mini status cell, the port bit that drives it and the motor it shows.
struct MiniCell {
    Word bit;
    int row, column;
    int motor;
};

const MiniCell kMiniCells[] = {
    {{1035, 1, B(14)}, 0, 0, -1}, {{1035, 1, B(15)}, 1, 0, -1}, {{1035, 1, B(0)}, 2, 0, -1},
    {{1035, 1, B(1)}, 3, 0, -1},  {{1035, 1, B(2)}, 4, 0, -1},  {{1035, 1, B(3)}, 0, 1, -1},
    {{1035, 1, B(4)}, 1, 1, -1},  {{1035, 1, B(5)}, 2, 1, -1},  {{1035, 1, B(6)}, 3, 1, -1},
    {{1035, 1, B(7)}, 4, 1, -1},  {{1035, 2, B(14)}, 0, 2, -1}, {{1035, 2, B(15)}, 1, 2, -1},
    {{1035, 2, B(0)}, 2, 2, -1},  {{1035, 2, B(1)}, 3, 2, -1},  {{1035, 2, B(2)}, 4, 2, -1},
    {{1035, 2, B(3)}, 0, 3, -1},  {{1035, 2, B(4)}, 1, 3, -1},  {{1035, 2, B(5)}, 2, 3, -1},
    {{1035, 2, B(6)}, 3, 3, -1},  {{1605, 0, B(6)}, 4, 3, -1},  {{1035, 4, B(14)}, 0, 4, -1},
    {{1035, 4, B(15)}, 1, 4, -1}, {{1035, 4, B(0)}, 2, 4, 0},   {{1035, 4, B(1)}, 3, 4, 1},
    {{1035, 4, B(2)}, 4, 4, 2},   {{1035, 2, B(8)}, 5, 0, -1},  {{1035, 2, B(9)}, 5, 1, -1},
    {{1035, 2, B(10)}, 5, 2, 3},  {{1035, 2, B(11)}, 5, 3, 4},  {{1035, 2, B(12)}, 5, 4, 5},
};

TEST_F(MainScreen, EachStatusBitTurnsItsMiniCellAndMotorOff)
{
    BasicLayout& l = layout();
    for (const MiniCell& cell : kMiniCells) {
        SCOPED_TRACE(::testing::Message() << "cell " << cell.row << "," << cell.column);
        Bus({cell.bit});
        for (const MiniCell& other : kMiniCells) {
            const bool off = &other == &cell;
            EXPECT_TRUE(ShowsMark(*l.m_MiniStatusGrid.CellImages[other.row][other.column], off ? kButton1Off : kButton1On))
                << other.row << "," << other.column;
            if (other.motor >= 0) {
                EXPECT_TRUE(ShowsMark(*l.m_MotorStatusGrid.CellImages[0][other.motor],
                                      off ? "./Images/motorOFF.png" : "./Images/motorON.png"));
            }
        }
        Bus({});
    }
}

TEST_F(MainScreen, BrakeCylinderCellChangesItsCaption)
{
    Bus({{1605, 0, B(6)}});
    EXPECT_EQ("BC\nApplied", Caption(layout().m_MiniStatusGrid, 4, 3));
    Bus({});
    EXPECT_EQ("BC\nReleas", Caption(layout().m_MiniStatusGrid, 4, 3));
}

TEST_F(MainScreen, StatusCellsRedrawOnlyOnChangeAndAfterAScreenChange)
{
    BasicLayout& l = layout();
    Bus({});
    Gtk::Image& cell = *l.m_MiniStatusGrid.CellImages[0][0];
    cell.clear();
    Bus({});
    EXPECT_EQ(0xFFFFFFFFu, ShownColour(cell)) << "a steady value draws nothing";
    l.ChangeScreen(0);
    Bus({});
    EXPECT_TRUE(ShowsMark(cell, kButton1On)) << "after a screen change every cell is drawn again";
}

struct StateCase {
    const char* name;
    Words words;
    int row, column;
    const char* picture;
};

class StateGrid : public MainScreen, public ::testing::WithParamInterface<StateCase> {};

TEST_P(StateGrid, PortWordsSetTheStateCell)
{
    const StateCase& c = GetParam();
    Bus(c.words);
    EXPECT_TRUE(ShowsMark(*layout().m_MiniStateGrid.CellImages[c.row][c.column], c.picture));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, StateGrid,
    ::testing::Values(
        StateCase{"vcb_open", {}, 0, 0, kButton2Off},
        StateCase{"vcb_closed", {{1035, 0, B(10)}}, 0, 0, kButton2On},
        StateCase{"parking_brake_released", {}, 1, 0, kButton2On},
        StateCase{"parking_brake_applied", {{1695, 0, B(10)}}, 1, 0, kButton2Off},
        StateCase{"idle", {}, 0, 1, kButton2On},
        StateCase{"traction", {{1215, 0, B(10)}}, 0, 1, kButton2Off},
        StateCase{"forward", {kCab1Key, {1105, 0, B(12)}}, 1, 1, kButton2On},
        StateCase{"vcu_redundant", {{1035, 2, B(4)}, {1000, 2, 0xF2AC}}, 0, 2, kButton2On},
        StateCase{"line_frequency", {{1035, 0, B(3)}}, 1, 2, kButton2On},
        StateCase{"no_line_frequency", {}, 1, 2, kButton2Off},
        StateCase{"shunting", {{1047, 5, 32}}, 0, 3, kButton2On},
        StateCase{"reverse", {kCab1Key, {1105, 0, B(13)}}, 1, 3, kButton2On},
        StateCase{"no_reverse", {kCab1Key}, 1, 3, kButton2Off}),
    [](const ::testing::TestParamInfo<StateCase>& info) { return std::string(info.param.name); });

TEST_F(MainScreen, IndicatorPicturesFollowKeyBrakesAndSlip)
{
    CompImageGrid& grid = layout().m_IndicatorImageGrid;
    Bus({{1040, 6, 500}});  // brake pipe 5 bar: train brake released
    EXPECT_TRUE(ShowsMark(*grid.CellImages[0][0], "./Images/BlKeyOFF.png"));
    EXPECT_TRUE(ShowsMark(*grid.CellImages[0][1], "./Images/TrainBrakeOFF.png"));
    EXPECT_TRUE(ShowsMark(*grid.CellImages[1][0], "./Images/LocoBrakeOFF.png"));
    EXPECT_TRUE(ShowsMark(*grid.CellImages[1][1], "./Images/WheelSlipOFF.png"));
    Bus({kCab1Key, {1040, 6, 359}, {1605, 0, B(6)}, {101, 14, B(9)}});
    EXPECT_TRUE(ShowsMark(*grid.CellImages[0][0], "./Images/BlKeyON.png"));
    EXPECT_TRUE(ShowsMark(*grid.CellImages[0][1], "./Images/TrainBrakeON.png")) << "35 or less applies the train brake";
    EXPECT_TRUE(ShowsMark(*grid.CellImages[1][0], "./Images/LocoBrakeON.png"));
    EXPECT_TRUE(ShowsMark(*grid.CellImages[1][1], "./Images/WheelSlipON.png"));
    Bus({{1040, 6, 360}});
    EXPECT_TRUE(ShowsMark(*grid.CellImages[0][1], "./Images/TrainBrakeOFF.png")) << "36 releases it";
}

struct PressureCase {
    const char* name;
    Words words;
    int column;
    const char* picture;  // null: picture not checked
    const char* caption;
};

class PressureGrid : public MainScreen, public ::testing::WithParamInterface<PressureCase> {};

TEST_P(PressureGrid, PortWordsSetThePressureCell)
{
    const PressureCase& c = GetParam();
    Bus(c.words);
    CompButtonGrid& grid = layout().m_PressureStatusGrid;
    EXPECT_EQ(c.caption, Caption(grid, 0, c.column));
    if (c.picture) {
        EXPECT_TRUE(ShowsMark(*grid.CellImages[0][c.column], c.picture));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, PressureGrid,
    ::testing::Values(
        PressureCase{"brake_pipe", {{1040, 6, 520}}, 0, nullptr, "BP-5.2\nkg/cm^2"},
        PressureCase{"brake_pipe_empty", {{1040, 6, 1}}, 0, nullptr, "BP-0.01\nkg/cm^2"},
        PressureCase{"reservoir_low", {{1710, 0, B(10)}}, 1, kButton2Off, "MR <5.6\nkg/cm^2"},
        PressureCase{"reservoir_full", {}, 1, kButton2On, "MR >6.4\nkg/cm^2"},
        PressureCase{"bpcs_on", {{1010, 2, B(14)}}, 2, kButton2On, "BPCS \nON"},
        PressureCase{"bpcs_off", {}, 2, kButton2Off, "BPCS\nOFF"},
        PressureCase{"sanding_on", {{1105, 0, B(11)}}, 3, kButton2On, "Sanding\nON"},
        PressureCase{"sanding_off", {}, 3, kButton2Off, "Sanding\nOFF"}),
    [](const ::testing::TestParamInfo<PressureCase>& info) { return std::string(info.param.name); });

TEST_F(MainScreen, PantographPicturesFollowTheRaisedPantograph)
{
    BasicLayout& l = layout();
    const Word pantoKeyed{1115, 0, B(8)}, pantoSwitch{1035, 0, B(9)};
    Bus({pantoKeyed, pantoSwitch, kCab1Key});
    EXPECT_TRUE(ShowsMark(l.m_Panto2Image, "./Images/Panto2Up.png"));
    EXPECT_TRUE(ShowsMark(l.m_Panto1Image, "./Images/Panto1Down.jpg"));
    EXPECT_EQ(97, l.m_Panto2Image.get_pixbuf()->get_width());
    EXPECT_EQ(129, l.m_Panto2Image.get_pixbuf()->get_height());
    Bus({pantoKeyed, pantoSwitch, kCab2Key});
    EXPECT_TRUE(ShowsMark(l.m_Panto1Image, "./Images/Panto1Up.png"));
    EXPECT_TRUE(ShowsMark(l.m_Panto2Image, "./Images/Panto2Down.jpg"));
}

TEST_F(MainScreen, DialsBarsAndTitleBarShowTheCabValues)
{
    BasicLayout& l = layout();
    Bus({kCab1Key,
         {1020, 3, 905},                           // 90.5 km/h
         {1020, 10, 4506},                         // battery 110 V
         {1020, 11, static_cast<unsigned short>(-123)},  // effort -12.3 kN
         {1020, 12, 4000},                         // 400 A: above the bar's 350
         {1020, 13, 1750},                         // 17.5 kV
         {1040, 4, 31024}});
    EXPECT_EQ("90.5", l.m_TitleBar.SpeedLabel.get_text());
    EXPECT_FLOAT_EQ(static_cast<float>(90.5 * 1.556 + 260), l.m_TitleBar.NeedleAngle);
    EXPECT_EQ("90", l.m_CircularGauge.SpeedLabel.get_text());
    EXPECT_EQ("110", l.m_CircularGauge.VoltLabel.get_text());
    EXPECT_EQ("110", l.m_TitleBar.BatteryLabel.get_text());
    EXPECT_EQ("-12.3", l.m_TitleBar.TeBeValueLabel.get_text());
    EXPECT_TRUE(HasColour(l.m_TitleBar.TeBeValueLabel, "#00ffff"));
    EXPECT_EQ("31024", l.m_TitleBar.LocoNumberLabel.get_text());
    EXPECT_EQ(350.0f, l.m_LastPrimaryCurrent) << "the current is limited to a full bar";
    EXPECT_EQ("350", l.m_AmpBar.ValueText);
    EXPECT_EQ("17.5", l.m_VoltBar.ValueText);
    EXPECT_EQ("CAB1", l.m_TitleBar.Cab1Label.get_text());
    EXPECT_TRUE(HasColour(l.m_TitleBar.Cab1Label, "green"));
    EXPECT_TRUE(HasColour(l.m_TitleBar.Cab2Label, "white"));
    EXPECT_EQ("M", l.m_TitleBar.MasterSlaveLabel.get_text());
}

TEST_F(MainScreen, CabLampsAndMasterLetterFollowTheKeyedCab)
{
    BasicLayout& l = layout();
    struct Row {
        Words words;
        const char* cab1;
        const char* cab2;
        const char* letter;
    };
    const Row rows[] = {
        {{kCab1Key}, "green", "white", "M"},
        {{kCab2Key}, "white", "green", "M"},
        {{}, "white", "white", "S"},
    };
    for (const Row& row : rows) {
        Bus(row.words);
        EXPECT_TRUE(HasColour(l.m_TitleBar.Cab1Label, row.cab1)) << row.cab1;
        EXPECT_TRUE(HasColour(l.m_TitleBar.Cab2Label, row.cab2)) << row.cab2;
        EXPECT_EQ(row.letter, l.m_TitleBar.MasterSlaveLabel.get_text());
        EXPECT_TRUE(HasColour(l.m_TitleBar.MasterSlaveLabel, "#00ffff"));
    }
}

TEST_F(MainScreen, EarthFaultLampsLightRedAndGoBlack)
{
    BasicLayout& l = layout();
    struct Lamp {
        Word bit;
        Gtk::Label& label;
        const char* text;
        const char* lit;
    };
    const Lamp lamps[] = {
        {{1216, 11, B(1)}, l.m_TitleBar.EfPLabel, "EF/P", "red"},
        {{1216, 7, B(4)}, l.m_TitleBar.EfCLabel, "EF/C", "red"},
        {{1610, 1, B(2)}, l.m_TitleBar.EfALabel, "EF/A", "red"},
    };
    for (const Lamp& lamp : lamps) {
        Bus({lamp.bit});
        EXPECT_EQ(lamp.text, lamp.label.get_text());
        EXPECT_TRUE(HasColour(lamp.label, lamp.lit)) << lamp.text;
        Bus({});
        EXPECT_TRUE(HasColour(lamp.label, "black")) << lamp.text;
    }
}

TEST_F(MainScreen, SpeedIsClampedAndNanCountsAsZero)
{
    BasicLayout& l = layout();
    struct Row {
        float speed;
        const char* text;
        float angle;
    };
    const Row rows[] = {
        {-5, "0", 260}, {200, "180", 540.08f}, {90.5f, "90.5", static_cast<float>(90.5 * 1.556 + 260)},
        {std::numeric_limits<float>::quiet_NaN(), "0", 260},
        {std::numeric_limits<float>::infinity(), "180", 540.08f},
    };
    for (const Row& row : rows) {
        l.UpdateSpeed(row.speed);
        EXPECT_EQ(row.text, l.m_TitleBar.SpeedLabel.get_text());
        EXPECT_FLOAT_EQ(row.angle, l.m_TitleBar.NeedleAngle);
    }
}

TEST_F(MainScreen, OutOfRangeVoltagesAndBatteryAreClamped)
{
    BasicLayout& l = layout();
    ReadMVBData& s = store();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    s.MainGaugeVoltage = nan;
    s.BatteryVoltage = nan;
    l.UpdateDefaultScreen();
    l.UpdateTitleBar();
    EXPECT_EQ("70", l.m_CircularGauge.VoltLabel.get_text());
    EXPECT_EQ("0", l.m_TitleBar.BatteryLabel.get_text());
    s.MainGaugeVoltage = 1e9f;
    s.BatteryVoltage = 1e9f;
    l.UpdateDefaultScreen();
    l.UpdateTitleBar();
    EXPECT_EQ("150", l.m_CircularGauge.VoltLabel.get_text());
    EXPECT_EQ("65535", l.m_TitleBar.BatteryLabel.get_text());
}

TEST_F(MainScreen, SpeedDialWaitsOnOtherScreens)
{
    BasicLayout& l = layout();
    Bus({{1020, 3, 500}});
    EXPECT_EQ("50", l.m_CircularGauge.SpeedLabel.get_text());
    l.m_TargetScreen = 3;
    Bus({{1020, 3, 700}});
    EXPECT_EQ("50", l.m_CircularGauge.SpeedLabel.get_text()) << "the main page's dial keeps its value";
    EXPECT_EQ("70", l.m_TitleBar.SpeedLabel.get_text());
    l.m_TargetScreen = 0;
}

TEST_F(MainScreen, CaptionShowsTheMultipleUnitState)
{
    BasicLayout& l = layout();
    Bus({{1035, 1, B(11) | B(12)}});
    EXPECT_EQ("MU Configure", l.m_CaptionLabel.get_text());
    EXPECT_TRUE(HasColour(l.m_CaptionLabel, "#fc5751"));
    Bus({});
    EXPECT_EQ(" ", l.m_CaptionLabel.get_text());
}

TEST_F(MainScreen, UsbIconChangesOnlyWhenTheStateChanges)
{
    TitleBar& bar = layout().m_TitleBar;
    bar.GetReSizedImage(bar.UsbIcon, "./Images/blank.png", 40, 30);
    bar.LastUsbState = 0;
    struct Step {
        int state;
        const char* picture;
    };
    const Step steps[] = {{0, "./Images/blank.png"},   {1, "./Images/usb_off.png"}, {1, "./Images/usb_off.png"},
                          {3, "./Images/usb_off.png"}, {1, "./Images/usb_off.png"}, {2, "./Images/usb_on.png"},
                          {2, "./Images/usb_on.png"},  {0, "./Images/blank.png"}};
    for (const Step& step : steps) {
        bar.UpdateUsb(step.state);
        EXPECT_TRUE(ShowsMark(bar.UsbIcon, step.picture)) << step.state;
        EXPECT_EQ(step.state, bar.LastUsbState);
    }
}

}  // namespace
}  // namespace shelltest

namespace shelltest {
namespace {

TEST_F(MainScreen, ClockShowsTheLocalTimeAndNeedleStartsAtZero)
{
    TitleBar& bar = layout().m_TitleBar;
    EXPECT_TRUE(bar.SetDateTime());
    std::tm local = {};
    localtime_r(&bar.ClockTime, &local);
    EXPECT_EQ(FormatClock(local, "%a  %b  %d  %H:%M:%S  %Y", 80), bar.DateTimeLabel.get_text());
    EXPECT_EQ(std::string(bar.DateTimeText), bar.DateTimeLabel.get_text());
    EXPECT_EQ(FormatClock(local, "%d", 10), bar.DayLabel.get_text());
    TitleBar fresh;
    EXPECT_FLOAT_EQ(260.0f, fresh.NeedleAngle) << "the angle of 0 km/h before the first speed";
}

}  // namespace
}  // namespace shelltest
