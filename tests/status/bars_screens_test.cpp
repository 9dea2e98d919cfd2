// Per screen, the bar screens: auxiliary converters, traction motors, braking
// system, temperatures and pressures, each a table of stored value -> text
// and bar width (2.55 px per percent plus 1; 0 is a hidden bar).
#include "StatusFixture.h"

#include "AuxiliaryConverter.h"
#include "BrakingSystem.h"
#include "Pressures.h"
#include "Temperatures.h"
#include "TractionMotor.h"

#include <cmath>
#include <functional>
#include <limits>

using namespace statustest;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// One bar row: how to put a value into the store, and the expected text and
// bar for each stored value.
struct BarCase {
    float stored;
    const char* text;
    int barWidth;
};

template <class Screen>
void RunBarCases(ReadMVBData& store, Screen& screen, void (Screen::*update)(), CompProgressBarHolder& row,
                 const std::function<void(ReadMVBData&, float)>& put, std::initializer_list<BarCase> cases)
{
    SetBarRanges(store);
    for (const BarCase& c : cases) {
        put(store, c.stored);
        (screen.*update)();
        EXPECT_EQ(Text(row.ValueLabel), c.text) << c.stored;
        EXPECT_EQ(BarWidth(row), c.barWidth) << c.stored;
    }
}

using BarScreens = StatusTest;

TEST_F(BarScreens, AuxiliaryConverterCappingBars)
{
    AuxiliaryConverter screen;
    const auto update = &AuxiliaryConverter::UpdateAuxiliaryConverterScreen;
    RunBarCases(store(), screen, update, screen.m_BarRows[0],
                [](ReadMVBData& s, float v) { s.BatteryVoltageValue = static_cast<unsigned short>(v); },
                {{69, "69", 128}, {150, "138", 256}, {0, "0", 0}, {138, "138", 256}});
    RunBarCases(store(), screen, update, screen.m_BarRows[1],
                [](ReadMVBData& s, float v) { s.AuxWindingInputVoltage = v; },
                {{560, "560", 128}, {1200, "1120", 256}, {kNaN, "nan", 0}});
    RunBarCases(store(), screen, update, screen.m_BarRows[2],
                [](ReadMVBData& s, float v) { s.AuxWindingInputCurrent = v; }, {{75.5f, "75.5", 65}});
}

TEST_F(BarScreens, AboveTheRangeRedrawnEveryUpdate)
{
    AuxiliaryConverter screen;
    SetBarRanges(store());
    store().BatteryVoltageValue = 150;
    screen.UpdateAuxiliaryConverterScreen();
    screen.m_BarRows[0].ValueLabel.set_text("#");
    screen.UpdateAuxiliaryConverterScreen();
    EXPECT_EQ(Text(screen.m_BarRows[0].ValueLabel), "138");
}

TEST_F(BarScreens, StartValueRangesShowZeroWithoutBar)
{
    // Every range 0..0 at start: no division by zero, no bar.
    AuxiliaryConverter converter;
    BrakingSystem brakes;
    store().BatteryVoltageValue = 25;
    store().BeDemand = 25;
    converter.UpdateAuxiliaryConverterScreen();
    brakes.UpdateBrakingSystemScreen();
    EXPECT_EQ(Text(converter.m_BarRows[0].ValueLabel), "0");
    EXPECT_EQ(BarWidth(converter.m_BarRows[0]), 0);
    EXPECT_EQ(Text(brakes.m_EffortBarRows[0].ValueLabel), "0");
    EXPECT_EQ(BarWidth(brakes.m_EffortBarRows[0]), 0);
}

TEST_F(BarScreens, AuxiliaryConverterTableAndContactors)
{
    AuxiliaryConverter screen;
    EXPECT_EQ(Text(screen.m_TableRows[AuxiliaryConverter::kBurStatus].ValueLabels[0]), "0");
    screen.UpdateAuxiliaryConverterScreen();
    CompValueIndicator& status = screen.m_TableRows[AuxiliaryConverter::kBurStatus];
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(Text(status.ValueLabels[k]), "ON");
    const struct {
        unsigned short cell;
        const char* text;
    } statusCases[] = {{1, "OFF"}, {0, "ON"}, {2, "ON"}};
    for (const auto& c : statusCases) {
        store().SubsystemStates[6] = c.cell;
        screen.UpdateAuxiliaryConverterScreen();
        EXPECT_EQ(Text(status.ValueLabels[1]), c.text) << c.cell;
    }
    store().BurOutputVoltage[2] = 415.3f;
    screen.UpdateAuxiliaryConverterScreen();
    EXPECT_EQ(Text(screen.m_TableRows[AuxiliaryConverter::kOutputVoltage].ValueLabels[2]), "415.3");

    // The contactor cells, 52_1 to 52_5, recoloured on every update.
    ASSERT_NE(screen.m_ContactorCells[0], nullptr);
    ASSERT_NE(screen.m_ContactorCells[4], nullptr);
    EXPECT_EQ(Text(*dynamic_cast<Gtk::Label*>(screen.m_ContactorCells[0]->get_child())), "52_1");
    EXPECT_EQ(Text(*dynamic_cast<Gtk::Label*>(screen.m_ContactorCells[4]->get_child())), "52_5");
    const struct {
        unsigned short value;
        const char* colour;
    } contactorCases[] = {{1, "#78c4aa"}, {0, "#f06705"}, {2, "#f06705"}};
    for (const auto& c : contactorCases) {
        store().AuxContactors[2] = c.value;
        screen.UpdateAuxiliaryConverterScreen();
        EXPECT_EQ(Background(*screen.m_ContactorCells[2]), c.colour) << c.value;
    }
    // The column headings keep their colour whatever the store holds.
    int headings = 0;
    for (Gtk::Widget* cell : Children(screen.m_HeadingRow)) {
        auto* fixed = dynamic_cast<Gtk::Fixed*>(cell);
        auto* box = fixed ? dynamic_cast<Gtk::EventBox*>(Children(*fixed).at(0)) : nullptr;
        if (box) {
            EXPECT_EQ(Background(*box), "#f06705");
            ++headings;
        }
    }
    EXPECT_EQ(headings, 3);
}

TEST_F(BarScreens, TractionMotorEffortsAndGroups)
{
    TractionMotor screen;
    RunBarCases(store(), screen, &TractionMotor::UpdateTractionMotorScreen, screen.m_BarRows[0],
                [](ReadMVBData& s, float v) { s.TeDemand = v; },
                {{700, "700", 256}, {750, "0", 0}, {350, "350", 128}, {0, "0", 0}, {12.5f, "12.5", 5}});
    EXPECT_EQ(Text(screen.m_HeadingRow.LeftValueLabel), "Bogie1");
    EXPECT_EQ(Text(screen.m_HeadingRow.RightValueLabel), "Bogie2");

    // Motor 1's TE reference has its own field; the array holds motors 2 to 6.
    store().TractionMotor1TeRef = 11;
    store().TractionMotorTeRefs[0] = 22;
    store().TractionMotorTeRefs[4] = 66;
    store().TractionMotorSpeed[0] = 1450;
    store().TractionMotorSpeed[5] = 65535;
    screen.UpdateTractionMotorScreen();
    CompValueIndicator& refs = screen.m_EffortRows[TractionMotor::kTeRef];
    EXPECT_EQ(Text(refs.ValueLabels[0]), "11");
    EXPECT_EQ(Text(refs.ValueLabels[1]), "22");
    EXPECT_EQ(Text(refs.ValueLabels[5]), "66");
    EXPECT_EQ(Text(screen.m_SpeedRow.ValueLabels[0]), "1450");
    EXPECT_EQ(Text(screen.m_SpeedRow.ValueLabels[5]), "-1");

    // One motor changing redraws its whole row and no other.
    for (CompValueIndicator& row : screen.m_EffortRows)
        for (Gtk::Label& label : row.ValueLabels)
            label.set_text("#");
    store().TractionMotorTeAct[2] = 57;
    store().TractionMotorBeAct[3] = 12;
    screen.UpdateTractionMotorScreen();
    for (int m = 0; m < 6; ++m) {
        EXPECT_EQ(Text(screen.m_EffortRows[TractionMotor::kTeAct].ValueLabels[m]), m == 2 ? "57" : "0");
        EXPECT_EQ(Text(screen.m_EffortRows[TractionMotor::kBeAct].ValueLabels[m]), m == 3 ? "12" : "0");
        EXPECT_EQ(Text(screen.m_EffortRows[TractionMotor::kBeRef].ValueLabels[m]), "#");
    }
}

TEST_F(BarScreens, TractionMotorContactorPictures)
{
    TractionMotor screen;
    store().ConverterInputContactor[0] = 1;
    screen.UpdateTractionMotorScreen();
    EXPECT_EQ(LoadedFrom(screen.m_ContactorRow.LeftStateImage), "./Images/DualBoolValON.jpg");
    EXPECT_EQ(LoadedFrom(screen.m_ContactorRow.RightStateImage), "./Images/DualBoolValOFF.jpg");
    store().ConverterInputContactor[0] = 2;
    screen.UpdateTractionMotorScreen();
    EXPECT_EQ(LoadedFrom(screen.m_ContactorRow.LeftStateImage), "./Images/DualBoolValOFF.jpg");
}

TEST_F(BarScreens, BrakingSystemBarsAndLamps)
{
    BrakingSystem screen;
    const auto update = &BrakingSystem::UpdateBrakingSystemScreen;
    RunBarCases(store(), screen, update, screen.m_EffortBarRows[0],
                [](ReadMVBData& s, float v) { s.BeDemand = static_cast<unsigned short>(v); },
                {{600, "600", 256}, {601, "0", 0}, {0, "0", 0}, {300, "300", 128}, {65535, "0", 0}});
    RunBarCases(store(), screen, update, screen.m_BrakePipeRow,
                [](ReadMVBData& s, float v) { s.BrakePipePressureBar = v; },
                {{7.5f, "6", 256}, {5.2f, "5.2", 222}, {0, "0", 0}});
    RunBarCases(store(), screen, update, screen.m_PneumaticRow,
                [](ReadMVBData& s, float v) { s.PneumaticBrakeDemand = v; }, {{1.5f, "1.5", 128}, {4, "3", 256}});

    const struct {
        unsigned short value;
        const char* picture;
    } trainBrake[] = {{35, "./Images/BoolValON.jpg"}, {36, "./Images/BoolValOFF.jpg"}, {0, "./Images/BoolValON.jpg"}};
    for (const auto& c : trainBrake) {
        store().TrainBrakeValue = c.value;
        screen.UpdateBrakingSystemScreen();
        EXPECT_EQ(LoadedFrom(screen.m_LampRows[4].StatusImage), c.picture) << c.value;
    }
    store().PenaltyBrake = 1;
    screen.UpdateBrakingSystemScreen();
    store().PenaltyBrake = 3;
    screen.UpdateBrakingSystemScreen();
    EXPECT_EQ(LoadedFrom(screen.m_LampRows[3].StatusImage), "./Images/BoolValON.jpg");

    // The right compressor alone changing reloads both cells.
    screen.m_CompressorRow.LeftStateImage.clear();
    store().CompressorOn[1] = 1;
    screen.UpdateBrakingSystemScreen();
    EXPECT_EQ(LoadedFrom(screen.m_CompressorRow.LeftStateImage), "./Images/DualBoolValOFF.jpg");
    EXPECT_EQ(LoadedFrom(screen.m_CompressorRow.RightStateImage), "./Images/DualBoolValON.jpg");
}

TEST_F(BarScreens, TemperaturesWholeNumberEffortBars)
{
    Temperatures screen;
    const auto update = &Temperatures::UpdateTemperatureScreen;
    RunBarCases(store(), screen, update, screen.m_TractionBarRows[0],
                [](ReadMVBData& s, float v) { s.TeDemand = v; },
                {{350.7f, "350", 128}, {700.5f, "700", 256}, {701, "0", 0}, {-12.5f, "0", 0}, {kNaN, "0", 0},
                 {3e9f, "0", 0}});
    RunBarCases(store(), screen, update, screen.m_BrakeBarRows[1],
                [](ReadMVBData& s, float v) { s.BeActual = static_cast<unsigned short>(v); },
                {{600, "600", 256}, {601, "0", 0}});
    EXPECT_EQ(LoadedFrom(screen.m_LampRows[1].StatusImage), "./Images/BoolValOFF.jpg");
}

TEST_F(BarScreens, TemperaturePairsAndMotorsRedrawTogether)
{
    Temperatures screen;
    screen.UpdateTemperatureScreen();
    screen.m_PairRows[0].LeftValueLabel.set_text("#");
    screen.m_PairRows[1].LeftValueLabel.set_text("#");
    for (Gtk::Label& label : screen.m_MotorRow.ValueLabels)
        label.set_text("#");
    store().TransformerOilTemperature[1] = 61.75f;
    store().TractionMotorTemperature[3] = 85.25f;
    screen.UpdateTemperatureScreen();
    EXPECT_EQ(Text(screen.m_PairRows[0].LeftValueLabel), "0");
    EXPECT_EQ(Text(screen.m_PairRows[0].RightValueLabel), "61.75");
    EXPECT_EQ(Text(screen.m_PairRows[1].LeftValueLabel), "#");
    for (int m = 0; m < 6; ++m)
        EXPECT_EQ(Text(screen.m_MotorRow.ValueLabels[m]), m == 3 ? "85.25" : "0");
}

TEST_F(BarScreens, PressuresBarPairsAndLamp)
{
    Pressures screen;
    RunBarCases(store(), screen, &Pressures::UpdatePressureScreen, screen.m_BarRow,
                [](ReadMVBData& s, float v) { s.BrakePipePressureBar = v; },
                {{5.2f, "5.2", 222}, {7.5f, "6", 256}, {0, "0", 0}});
    // A minimum above the stored value draws the minimum, with no bar.
    store().BrakePipePressureMin = 1;
    store().BrakePipePressureBar = 0.5f;
    screen.UpdatePressureScreen();
    EXPECT_EQ(Text(screen.m_BarRow.ValueLabel), "1");
    EXPECT_EQ(BarWidth(screen.m_BarRow), 0);

    for (CompDualVal& row : screen.m_PairRows)
        row.LeftValueLabel.set_text("#");
    store().OilPressures[1] = 2.4f;
    screen.UpdatePressureScreen();
    EXPECT_EQ(Text(screen.m_PairRows[1].LeftValueLabel), "0");
    EXPECT_EQ(Text(screen.m_PairRows[1].RightValueLabel), "2.4");
    EXPECT_EQ(Text(screen.m_PairRows[0].LeftValueLabel), "#");

    store().BlKeyActive = 2;
    screen.UpdatePressureScreen();
    EXPECT_EQ(LoadedFrom(screen.m_LampRow[0].StatusImage), "./Images/BoolValOFF.jpg");
    store().BlKeyActive = 1;
    screen.UpdatePressureScreen();
    EXPECT_EQ(LoadedFrom(screen.m_LampRow[0].StatusImage), "./Images/BoolValON.jpg");
}

}  // namespace
