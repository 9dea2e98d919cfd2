#include "StatusFixture.h"

#include <cstdio>

#include "AuxiliaryConverter.h"
#include "AuxiliarySystem.h"
#include "BrakingSystem.h"
#include "EnergyMonitoring.h"
#include "HighVoltageCircuit.h"
#include "Node.h"
#include "Pressures.h"
#include "SoftwareVer.h"
#include "SubsystemStatus.h"
#include "Temperatures.h"
#include "TractionConverter.h"
#include "TractionConverter1.h"
#include "TractionMotor.h"

namespace statustest {

const std::map<std::string, unsigned>& PictureColours()
{
    static const std::map<std::string, unsigned> colours = {
        {"./Images/GreyBox.png", 0x808080},        {"./Images/BoolValON.jpg", 0x00c000},
        {"./Images/BoolValOFF.jpg", 0xc00000},     {"./Images/pantoup.jpg", 0x0000c0},
        {"./Images/pantodown.jpg", 0xc0c000},      {"./Images/DualBoolValON.jpg", 0x00c0c0},
        {"./Images/DualBoolValOFF.jpg", 0xc000c0}, {"./Images/NULLUnit.jpg", 0x202020},
        {"./Images/AmpsUnit.jpg", 0xe0e0e0},       {"./Images/VoltsUnit.jpg", 0x606000},
        {"./Images/BarUnit.jpg", 0x006000},        {"./Images/CelsiusUnit.jpg", 0x000060},
        {"./Images/HertzUnit.jpg", 0x404040},      {"./Images/KilonewtonUnit.jpg", 0x600000},
        {"./Images/RPMUnit.jpg", 0xa0a000},        {"./Images/KwButtonUnit.jpg", 0x00a0a0},
        {"./Images/KwhUnit.jpg", 0xa000a0},        {"./Images/ProgressHolder.jpg", 0x006060},
        {"./Images/ValIndicator2.jpg", 0x600060},  {"./Images/ValIndicator3.jpg", 0x306090},
        {"./Images/ValIndicator6.jpg", 0x903060},  {"./Images/Button3ON.png", 0x60ff60},
        {"./Images/Button3OFF.png", 0xff6060},
    };
    return colours;
}

void WriteAllPictures()
{
    // A size no cell has, so every shown picture was scaled to its cell.
    for (const auto& entry : PictureColours())
        testsupport::WritePicture(entry.first, 10, 6, entry.second);
}

void WriteBrokenPictures()
{
    for (const auto& entry : PictureColours()) {
        testsupport::MakeParentDirs(entry.first);
        FILE* file = std::fopen(entry.first.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("not a picture", file);
        std::fclose(file);
    }
}

std::string LoadedFrom(Gtk::Image& image)
{
    return rowprobe::LoadedFrom(image, PictureColours());
}

ReadMVBData& FreshStore()
{
    delete ReadMVBData::instance;
    ReadMVBData::instance = new ReadMVBData(ReadMVBData::StartValuesOnly{});
    return *ReadMVBData::instance;
}

void SetBarRanges(ReadMVBData& s)
{
    s.BatteryVoltageMin = 0;
    s.BatteryVoltageMax = 138;
    s.AuxWindingVoltageMin = 0;
    s.AuxWindingVoltageMax = 1120;
    s.AuxWindingCurrentMin = 0;
    s.AuxWindingCurrentMax = 300;
    s.BrakePipePressureMax = 6;
    s.BrakePipePressureMin = 0;
    s.PneumaticBrakeDemandMax = 3;
    s.PneumaticBrakeDemandMin = 0;
    s.TeDemandMax = s.TeActualMax = 700;
    s.TeDemandMin = s.TeActualMin = 0;
    s.BeDemandMax = s.BeActualMax = 600;
    s.BeDemandMin = s.BeActualMin = 0;
}

void SetRunningLocomotive(ReadMVBData& s)
{
    SetBarRanges(s);
    s.Panto1Up = 1;
    s.Panto2Up = 1;
    s.BlKeyActive = 1;
    s.DriverSwitchPanto = 1;
    s.MinimumVoltageRelay = 1;
    s.DriverSwitchVcb = 1;
    s.PrimaryCurrent = 182.5f;
    s.FilterCurrent = 12.4f;
    s.AuxiliaryCurrent = 31.2f;
    s.Hlc1Current = 4.5f;
    s.Hlc2Current = 4.25f;
    s.LineVoltage = 25000;
    s.ConverterInputContactor[0] = s.ConverterInputContactor[1] = 1;
    s.ConverterInputCurrent[0] = 412;
    s.ConverterInputCurrent[1] = 405;
    s.DcLinkVoltage[0] = 1750.5f;
    s.DcLinkVoltage[1] = 1748;
    s.ConverterOilPressure[0] = 2.35f;
    s.ConverterOilPressure[1] = 2.4f;
    s.ConverterOilTemperature[0] = 54.5f;
    s.ConverterOilTemperature[1] = 55.25f;
    s.LineConverterPulsing[0] = s.LineConverterPulsing[1] = 1;
    s.DriveConverterPulsing[0] = s.DriveConverterPulsing[1] = 1;
    s.HarmonicContactors[0] = 1;
    const float lineCurrents[4] = {612.5f, 608, 598.5f, 601};
    for (int i = 0; i < 4; ++i)
        s.LineConverterCurrents[i] = lineCurrents[i];
    s.ConverterInputPower[0] = 4500.25f;
    s.ConverterInputPower[1] = 4420;
    s.BogieVentilationDemand[0] = s.BogieVentilationDemand[1] = 2;
    s.BatteryVoltageValue = 110;
    s.AuxWindingInputVoltage = 1015.5f;
    s.AuxWindingInputCurrent = 75.5f;
    const float burVoltage[3] = {600.2f, 598.7f, 601}, burCurrent[3] = {45.5f, 44, 46.25f};
    const float burOutput[3] = {415.3f, 415, 414.8f}, burFrequency[3] = {50, 50, 49.9f};
    for (int i = 0; i < 3; ++i) {
        s.BurDcLinkVoltage[i] = burVoltage[i];
        s.BurDcLinkCurrent[i] = burCurrent[i];
        s.BurOutputVoltage[i] = burOutput[i];
        s.BurOutputFrequency[i] = burFrequency[i];
    }
    s.AuxContactors[0] = s.AuxContactors[2] = s.AuxContactors[4] = 1;
    s.TeDemand = 350.7f;
    s.TeActual = 342.2f;
    const float phase[6] = {150.5f, 149, 151.25f, 148.5f, 150, 149.75f};
    const float motorTemperature[6] = {85.25f, 84, 86.5f, 83.75f, 85, 84.5f};
    const unsigned short speed[6] = {1450, 1452, 1449, 1451, 1450, 1448};
    const unsigned short teAct[6] = {57, 56, 58, 57, 57, 56};
    for (int i = 0; i < 6; ++i) {
        s.PhaseCurrentR[i] = phase[i];
        s.PhaseCurrentY[i] = phase[i] - 1;
        s.PhaseCurrentB[i] = phase[i] + 1;
        s.TractionMotorTemperature[i] = motorTemperature[i];
        s.TractionMotorSpeed[i] = speed[i];
        s.TractionMotorTeAct[i] = teAct[i];
    }
    s.TractionMotor1TeRef = 58;
    for (unsigned short& ref : s.TractionMotorTeRefs)
        ref = 58;
    s.CircuitBreakerStates[5] = 1;
    s.TrainBrakeValue = 50;
    s.PneumaticBrakeDemand = 0.5f;
    s.BrakePipePressureBar = 5.0f;
    s.CompressorOn[0] = 1;
    s.TransformerOilTemperature[0] = 62.5f;
    s.TransformerOilTemperature[1] = 61.75f;
    s.CoolantTemperatureConverter[0] = 45.5f;
    s.CoolantTemperatureConverter[1] = 46;
    s.MubSimTemperature[0] = 38;
    s.MubSimTemperature[1] = 38.5f;
    const float oil[4] = {2.35f, 2.4f, 1.8f, 1.85f};
    for (int i = 0; i < 4; ++i)
        s.OilPressures[i] = oil[i];
    s.TripMotoringEnergy = 1520;
    s.TripRegeneratingEnergy = 310;
    s.TotalMotoringEnergy = 3000000000u;
    s.TotalRegeneratingEnergy = 812345;
    const unsigned short nodes[7] = {3, 3, 1, 3, 3, 65535, 2};
    const unsigned short versions[7] = {2104, 2104, 1803, 1803, 1210, 1210, 1211};
    for (int i = 0; i < 7; ++i) {
        s.NodeScreenValues[i] = nodes[i];
        s.SoftwareVersions[i] = versions[i];
    }
    s.SubsystemStates[3] = 1;
    s.SubsystemStates[20] = 1;
}

std::string Text(const Gtk::Label& label)
{
    return label.get_text();
}

void Descendants(Gtk::Widget& top, std::vector<Gtk::Widget*>& out)
{
    out.push_back(&top);
    if (Gtk::Container* container = dynamic_cast<Gtk::Container*>(&top))
        for (Gtk::Widget* child : container->get_children())
            Descendants(*child, out);
}

int BarWidth(CompProgressBarHolder& row)
{
    return row.BarBox.get_visible() ? Requested(row.BarBox).first : 0;
}

void StatusTest::SetUp()
{
    testsupport::InitToolkit();
    dir_.reset(new testsupport::TempWorkDir);
    WriteAllPictures();
    FreshStore();
}

namespace {

template <class Screen, void (Screen::*Step)()>
struct ScreenOf : AnyScreen {
    Screen screen;
    Gtk::Widget& widget() override { return screen; }
    void Update() override { (screen.*Step)(); }
};

template <class Screen, void (Screen::*Step)()>
ScreenKind Kind(const char* name, int width = 592, int height = 270)
{
    return {name, [] { return std::unique_ptr<AnyScreen>(new ScreenOf<Screen, Step>); }, width, height};
}

}  // namespace

const std::vector<ScreenKind>& AllScreens()
{
    static const std::vector<ScreenKind> screens = {
        Kind<SubsystemStatus, &SubsystemStatus::UpdateSSScreen>("SubsystemStatus", 790, 370),
        Kind<HighVoltageCircuit, &HighVoltageCircuit::UpdateHighVoltageScreen>("HighVoltageCircuit"),
        Kind<TractionConverter, &TractionConverter::UpdateTractionConverterScreen>("TractionConverter"),
        Kind<TractionConverter1, &TractionConverter1::UpdateTractionConverter1Screen>("TractionConverter1"),
        Kind<AuxiliaryConverter, &AuxiliaryConverter::UpdateAuxiliaryConverterScreen>("AuxiliaryConverter"),
        Kind<TractionMotor, &TractionMotor::UpdateTractionMotorScreen>("TractionMotor"),
        Kind<AuxiliarySystem, &AuxiliarySystem::UpdateAuxiliarySystemScreen>("AuxiliarySystem"),
        Kind<BrakingSystem, &BrakingSystem::UpdateBrakingSystemScreen>("BrakingSystem"),
        Kind<EnergyMonitoring, &EnergyMonitoring::UpdateEnergyMonitoringScreen>("EnergyMonitoring"),
        Kind<Temperatures, &Temperatures::UpdateTemperatureScreen>("Temperatures"),
        Kind<Pressures, &Pressures::UpdatePressureScreen>("Pressures"),
        Kind<Node, &Node::UpdateNode>("Node"),
        Kind<SoftwareVer, &SoftwareVer::UpdateNode>("SoftwareVer"),
    };
    return screens;
}

}  // namespace statustest
