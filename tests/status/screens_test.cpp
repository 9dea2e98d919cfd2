// Per screen, store values -> what the screen shows: the subsystem grid, the
// high-voltage circuit, the two traction converter pages, the auxiliary
// system, energy, node and software version screens.
#include "StatusFixture.h"

#include "AuxiliarySystem.h"
#include "EnergyMonitoring.h"
#include "HighVoltageCircuit.h"
#include "Node.h"
#include "SoftwareVer.h"
#include "SubsystemStatus.h"
#include "TractionConverter.h"
#include "TractionConverter1.h"

using namespace statustest;

namespace {

const std::string kOn = "./Images/BoolValON.jpg";
const std::string kOff = "./Images/BoolValOFF.jpg";
const std::string kDualOn = "./Images/DualBoolValON.jpg";
const std::string kDualOff = "./Images/DualBoolValOFF.jpg";
const std::string kButtonNormal = "./Images/Button3ON.png";
const std::string kButtonFaulty = "./Images/Button3OFF.png";

// ---- Subsystem status ----------------------------------------------------

using SubsystemGrid = StatusTest;

Gtk::Image& Cell(SubsystemStatus& screen, unsigned row, unsigned column)
{
    return *screen.m_Grid.CellImages.at(row).at(column);
}

// The ends of the cell table: identifier n shows cell n-1 up to 19, cell 20
// for n = 20 and cell n+1 from 21; the grid is indexed row, then column.
struct GridCase {
    unsigned stateIndex;
    unsigned row, column;
    const char* identifier;
    const char* caption;
};

TEST_F(SubsystemGrid, CellTableEndsAndGridIndexing)
{
    const GridCase cases[] = {
        {0, 0, 0, "SS01", "Main Power"},    {18, 3, 3, "SS019", "Train Bus"},
        {20, 4, 3, "SS020", "BC_Applied"},  {22, 0, 4, "SS021", "B1-LC1"},
        {26, 4, 4, "SS025", "B1-INV3"},     {27, 5, 0, "SS026", "B2-LC1"},
        {31, 5, 4, "SS030", "B2-INV3"},     {1, 1, 0, "SS02", "Traction Bogle 1"},
    };
    SubsystemStatus screen;
    screen.UpdateSSScreen();
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.identifier);
        EXPECT_EQ(Text(*screen.m_Grid.CellLabels.at(c.row).at(c.column)), c.caption);
        store().SubsystemStates[c.stateIndex] = 1;
        screen.UpdateSSScreen();
        for (unsigned r = 0; r < 6; ++r)
            for (unsigned col = 0; col < 5; ++col)
                EXPECT_EQ(LoadedFrom(Cell(screen, r, col)),
                          r == c.row && col == c.column ? kButtonFaulty : kButtonNormal)
                    << r << "," << col;
        store().SubsystemStates[c.stateIndex] = 0;
        screen.UpdateSSScreen();
    }
}

TEST_F(SubsystemGrid, EntriesNineteenAndTwentyOneDrawNothing)
{
    SubsystemStatus screen;
    screen.UpdateSSScreen();
    Gtk::Image& marker = Cell(screen, 0, 0);
    marker.clear();
    store().SubsystemStates[19] = 1;
    store().SubsystemStates[21] = 1;
    screen.UpdateSSScreen();
    for (unsigned r = 0; r < 6; ++r)
        for (unsigned col = 0; col < 5; ++col)
            EXPECT_EQ(LoadedFrom(Cell(screen, r, col)), r + col == 0 ? "" : kButtonNormal);
}

TEST_F(SubsystemGrid, BuiltCellsAndOtherValues)
{
    SubsystemStatus screen;
    EXPECT_EQ(Requested(screen), std::make_pair(790, 370));
    EXPECT_EQ(Background(screen), "#000000");
    // Before any update every cell shows the normal picture at 158 x 48.
    EXPECT_EQ(LoadedFrom(Cell(screen, 2, 3)), kButtonNormal);
    EXPECT_EQ(Cell(screen, 2, 3).get_pixbuf()->get_width(), 158);
    EXPECT_EQ(Cell(screen, 2, 3).get_pixbuf()->get_height(), 48);
    // A status of 2 is remembered only; a later 1 draws.
    store().SubsystemStates[5] = 1;
    screen.UpdateSSScreen();
    Cell(screen, 0, 1).clear();
    store().SubsystemStates[5] = 2;
    screen.UpdateSSScreen();
    EXPECT_EQ(LoadedFrom(Cell(screen, 0, 1)), "");
    store().SubsystemStates[5] = 1;
    screen.UpdateSSScreen();
    EXPECT_EQ(LoadedFrom(Cell(screen, 0, 1)), kButtonFaulty);
}

// ---- High-voltage circuit -------------------------------------------------

using HighVoltage = StatusTest;

TEST_F(HighVoltage, FirstUpdateDrawsLoweredPantographs)
{
    HighVoltageCircuit screen;
    for (CompBoolValRect& row : screen.m_PantoRows)
        EXPECT_EQ(LoadedFrom(row.StatusImage), kOff);
    screen.UpdateHighVoltageScreen();
    for (CompBoolValRect& row : screen.m_PantoRows)
        EXPECT_EQ(LoadedFrom(row.StatusImage), "./Images/pantodown.jpg");
    store().Panto2Up = 1;
    screen.UpdateHighVoltageScreen();
    EXPECT_EQ(LoadedFrom(screen.m_PantoRows[1].StatusImage), "./Images/pantoup.jpg");
}

TEST_F(HighVoltage, RelayWordAndLampRules)
{
    HighVoltageCircuit screen;
    screen.UpdateHighVoltageScreen();
    store().PrimaryOverCurrentRelay = 5;
    store().DriverSwitchVcb = 5;
    screen.UpdateHighVoltageScreen();
    EXPECT_EQ(LoadedFrom(screen.m_LampRows[4].StatusImage), kOn);
    EXPECT_EQ(LoadedFrom(screen.m_LampRows[3].StatusImage), kOff);
    store().DriverSwitchVcb = 1;
    screen.UpdateHighVoltageScreen();
    EXPECT_EQ(LoadedFrom(screen.m_LampRows[3].StatusImage), kOn);
}

TEST_F(HighVoltage, CurrentsDrawnOnlyWhenChanged)
{
    HighVoltageCircuit screen;
    EXPECT_EQ(Text(screen.m_CurrentRows[0].ValueLabel), "0.0");
    screen.UpdateHighVoltageScreen();
    EXPECT_EQ(Text(screen.m_CurrentRows[0].ValueLabel), "0");
    store().PrimaryCurrent = 2500000;
    store().FilterCurrent = 12.5f;
    for (CompSingleVal& row : screen.m_CurrentRows)
        row.ValueLabel.set_text("#");
    screen.UpdateHighVoltageScreen();
    const char* expected[5] = {"2.5e+06", "12.5", "#", "#", "#"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Text(screen.m_CurrentRows[i].ValueLabel), expected[i]) << i;
}

// ---- Traction converters ----------------------------------------------------

using Converters = StatusTest;

TEST_F(Converters, PictureRowsReloadBothCells)
{
    TractionConverter screen;
    store().PreChargeContactor[0] = 1;
    screen.UpdateTractionConverterScreen();
    CompDualVal& row = screen.m_PairRows[TractionConverter::kPreCharge];
    EXPECT_EQ(LoadedFrom(row.LeftStateImage), kDualOn);
    EXPECT_EQ(LoadedFrom(row.RightStateImage), kDualOff);
    EXPECT_EQ(row.LeftStateImage.get_pixbuf()->get_width(), 160);
    row.RightStateImage.clear();
    store().PreChargeContactor[0] = 2;  // 2 shows OFF
    screen.UpdateTractionConverterScreen();
    EXPECT_EQ(LoadedFrom(row.LeftStateImage), kDualOff);
    EXPECT_EQ(LoadedFrom(row.RightStateImage), kDualOff);
    // The drive converter pulsing row starts empty: drawn at the first update.
    EXPECT_EQ(LoadedFrom(screen.m_PairRows[TractionConverter::kDrivePulsing].LeftStateImage), kDualOff);
}

TEST_F(Converters, ValuePairsRedrawBothNumbers)
{
    TractionConverter screen;
    screen.UpdateTractionConverterScreen();
    CompDualVal& currents = screen.m_PairRows[TractionConverter::kInputCurrents];
    EXPECT_EQ(Text(screen.m_PairRows[TractionConverter::kPhaseCurrents].LeftValueLabel), "0");
    currents.LeftValueLabel.set_text("#");
    store().ConverterInputCurrent[1] = 65535;
    store().DcLinkVoltage[0] = 1750.5f;
    screen.UpdateTractionConverterScreen();
    EXPECT_EQ(Text(currents.LeftValueLabel), "0");
    EXPECT_EQ(Text(currents.RightValueLabel), "65535");
    EXPECT_EQ(Text(screen.m_PairRows[TractionConverter::kDcLinkVoltage].LeftValueLabel), "1750.5");
}

TEST_F(Converters, SecondPagePairsAndVentilation)
{
    TractionConverter1 screen;
    screen.UpdateTractionConverter1Screen();
    for (CompDualVal& row : screen.m_PairRows)
        row.LeftValueLabel.set_text("#");
    store().LineConverterCurrents[2] = 598.5f;
    store().ConverterInputPower[0] = 4500.25f;
    store().ConverterInputPower[1] = 2500000;
    store().BogieVentilationDemand[1] = 2;
    screen.UpdateTractionConverter1Screen();
    EXPECT_EQ(Text(screen.m_PairRows[0].LeftValueLabel), "0");
    EXPECT_EQ(Text(screen.m_PairRows[0].RightValueLabel), "598.5");
    EXPECT_EQ(Text(screen.m_PairRows[1].LeftValueLabel), "#");
    EXPECT_EQ(Text(screen.m_PairRows[2].LeftValueLabel), "4500.25");
    EXPECT_EQ(Text(screen.m_PairRows[2].RightValueLabel), "2.5e+06");
    EXPECT_EQ(Text(screen.m_VentilationRows[1].ValueLabel), "2");
    screen.m_VentilationRows[1].ValueLabel.set_text("#");
    screen.UpdateTractionConverter1Screen();
    EXPECT_EQ(Text(screen.m_VentilationRows[1].ValueLabel), "#");
}

TEST_F(Converters, SecondPageHeading)
{
    TractionConverter1 screen;
    EXPECT_EQ(Text(screen.m_HeadingLabel), "   Bogie1                                 Bogie2");
    EXPECT_EQ(Requested(screen.m_HeadingBox), std::make_pair(240, 18));
    // Shown by the main layout, not by the page itself.
    EXPECT_FALSE(screen.m_PairRows[0].get_visible());
}

// ---- Auxiliary system -------------------------------------------------------

using AuxSystem = StatusTest;

// Each breaker byte is its own cell: even bytes left, odd right; 0 is ON.
TEST_F(AuxSystem, BreakerCellsOneAtATime)
{
    AuxiliarySystem screen;
    screen.UpdateAuxiliarySystemScreen();
    for (int byte : {0, 5, 8, 13}) {
        SCOPED_TRACE(byte);
        CompDualVal& row = screen.m_BreakerRows[byte / 2];
        Gtk::Image& cell = byte % 2 ? row.RightStateImage : row.LeftStateImage;
        Gtk::Image& other = byte % 2 ? row.LeftStateImage : row.RightStateImage;
        EXPECT_EQ(LoadedFrom(cell), kDualOn);
        other.clear();
        store().CircuitBreakerStates[byte] = 1;
        screen.UpdateAuxiliarySystemScreen();
        EXPECT_EQ(LoadedFrom(cell), kDualOff);
        EXPECT_EQ(LoadedFrom(other), "");
        store().CircuitBreakerStates[byte] = 0;
        screen.UpdateAuxiliarySystemScreen();
    }
}

struct CompressorCase {
    int side;
    unsigned short value;
    const std::string& picture;
};

TEST_F(AuxSystem, CompressorBreakersFollowTheLowByte)
{
    const CompressorCase cases[] = {
        {0, 4, kDualOff}, {0, 0, kDualOn}, {0, 2, kDualOn}, {0, 5, kDualOn}, {0, 260, kDualOff},
        {1, 2, kDualOff}, {1, 4, kDualOn}, {1, 258, kDualOff},
    };
    AuxiliarySystem screen;
    for (const CompressorCase& c : cases) {
        store().CompressorBreakers[c.side] = c.value;
        screen.UpdateAuxiliarySystemScreen();
        Gtk::Image& cell = c.side ? screen.m_CompressorRow.RightStateImage : screen.m_CompressorRow.LeftStateImage;
        EXPECT_EQ(LoadedFrom(cell), c.picture) << c.side << " " << c.value;
    }
    // Above 255 the field never equals its 8-bit cache: redrawn every update.
    screen.m_CompressorRow.RightStateImage.clear();
    screen.UpdateAuxiliarySystemScreen();
    EXPECT_EQ(LoadedFrom(screen.m_CompressorRow.RightStateImage), kDualOff);
}

TEST_F(AuxSystem, CoolingLampStaysOffAndCappingBar)
{
    AuxiliarySystem screen;
    SetBarRanges(store());
    store().AuxWindingInputVoltage = 1200;
    screen.UpdateAuxiliarySystemScreen();
    EXPECT_EQ(LoadedFrom(screen.m_CoolingRow.StatusImage), kOff);
    EXPECT_EQ(Text(screen.m_BarRow.ValueLabel), "1120");
    EXPECT_EQ(BarWidth(screen.m_BarRow), 256);
    store().AuxWindingInputVoltage = 415.3f;
    screen.UpdateAuxiliarySystemScreen();
    EXPECT_EQ(Text(screen.m_BarRow.ValueLabel), "415.3");
    EXPECT_EQ(Text(screen.m_HeadingRow.LeftValueLabel), "HB-1");
}

// ---- Energy -------------------------------------------------------------------

using Energy = StatusTest;

TEST_F(Energy, ResetRequestCountsAndFlashesForOneUpdate)
{
    EnergyMonitoring screen;
    store().TripResetRequest = 65534;
    screen.SelectPassword(1);
    screen.SelectPassword(2);
    EXPECT_EQ(store().TripResetRequest, 65534);
    screen.SelectPassword(3);
    screen.SelectPassword(3);
    EXPECT_EQ(store().TripResetRequest, 0);
    screen.UpdateEnergyMonitoringScreen();
    EXPECT_EQ(Background(screen.m_ResetBox), "#78c4aa");
    screen.UpdateEnergyMonitoringScreen();
    EXPECT_EQ(Background(screen.m_ResetBox), "#000000");
    EXPECT_EQ(Background(screen.m_ResetFrame), "#ffffff");
}

TEST_F(Energy, CountersPrintUnsigned)
{
    EnergyMonitoring screen;
    store().TotalRegeneratingEnergy = 4294967295u;
    store().TripMotoringEnergy = 2147483648u;
    screen.UpdateEnergyMonitoringScreen();
    EXPECT_EQ(Text(screen.m_CounterRows[3].ValueLabel), "4294967295");
    EXPECT_EQ(Text(screen.m_CounterRows[0].ValueLabel), "2147483648");
    EXPECT_EQ(Text(screen.m_CounterRows[1].ValueLabel), "0");
    screen.m_CounterRows[1].ValueLabel.set_text("#");
    screen.UpdateEnergyMonitoringScreen();
    EXPECT_EQ(Text(screen.m_CounterRows[1].ValueLabel), "#");
}

TEST_F(Energy, FixedPlaces)
{
    EnergyMonitoring screen;
    const auto place = [&](Gtk::Widget& child) {
        gint x = -1, y = -1;
        gtk_container_child_get(GTK_CONTAINER(screen.gobj()), child.gobj(), "x", &x, "y", &y, NULL);
        return std::make_pair(int(x), int(y));
    };
    EXPECT_EQ(place(screen.m_TripHeadingBox), std::make_pair(10, 1));
    EXPECT_EQ(place(screen.m_CounterRows[1]), std::make_pair(10, 67));
    EXPECT_EQ(place(screen.m_ResetFrame), std::make_pair(190, 107));
    EXPECT_EQ(place(screen.m_ResetBox), std::make_pair(192, 109));
    EXPECT_EQ(place(screen.m_LifeHeadingBox), std::make_pair(10, 147));
    EXPECT_EQ(place(screen.m_CounterRows[3]), std::make_pair(10, 212));
    EXPECT_EQ(Requested(screen.m_ResetFrame), std::make_pair(154, 29));
    EXPECT_EQ(Text(screen.m_LifeHeading), "LIFE-TIME Energy Consumption");
}

// ---- Node and software versions ---------------------------------------------

using NodeRows = StatusTest;

TEST_F(NodeRows, EachRowItsOwnWord)
{
    Node screen;
    screen.UpdateNode();
    for (CompSingleVal& row : screen.m_NodeRows)
        row.ValueLabel.set_text("#");
    store().NodeScreenValues[2] = 65535;
    screen.UpdateNode();
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Text(screen.m_NodeRows[i].ValueLabel), i == 2 ? "65535" : "#") << i;
    EXPECT_EQ(Text(screen.m_NodeRows[2].CaptionLabel), "Slv Node Information");
}

TEST_F(NodeRows, SoftwareVersionsAndFixedDisplayVersion)
{
    SoftwareVer screen;
    EXPECT_EQ(Text(screen.m_DisplayRow.ValueLabel), "0");
    store().DisplayUnitSelector = 1;
    store().SoftwareVersions[6] = 65535;
    screen.UpdateNode();
    EXPECT_EQ(Text(screen.m_DisplayRow.ValueLabel), "2280312");
    EXPECT_EQ(Text(screen.m_VersionRows[6].ValueLabel), "65535");
    screen.m_VersionRows[6].ValueLabel.set_text("#");
    screen.UpdateNode();
    EXPECT_EQ(Text(screen.m_VersionRows[6].ValueLabel), "#");
}

}  // namespace
