#include "ScreenTable.h"

namespace {

const char kBrakeIcon[] = "./Images/BrakingSystem.png";
const char kConverterIcon[] = "./Images/AuxiliaryConverter.png";

}  // namespace

const ScreenEntry kScreenTable[kScreenCount] = {
    {ScreenMain, "Driver Display System", nullptr, ScreenShow::Page, 0},
    {ScreenSubsystemStatus, "1.Subsystem Status", nullptr, ScreenShow::SubsystemPanel, -1},
    {ScreenHighVoltageCircuit, "2.High Voltage Circuit", "./Images/HighVoltage.png", ScreenShow::Page, 1},
    {ScreenTractionConverter, "3.Traction Converters", kConverterIcon, ScreenShow::Page, 2},
    {ScreenTractionConverter1, "3.1.Traction Converters", kConverterIcon, ScreenShow::Page, 3},
    {ScreenAuxiliaryConverter, "4.Auxiliary Converters", kConverterIcon, ScreenShow::Page, 4},
    {ScreenTractionMotor, "5.Traction Motors", "./Images/TractionMotor.png", ScreenShow::Page, 5},
    {ScreenAuxiliarySystem, "6.Auxiliary System", "./Images/AuxiliarySystem.png", ScreenShow::Page, 6},
    {ScreenBrakingSystem, "7.Braking System", kBrakeIcon, ScreenShow::Page, 7},
    {ScreenEnergyMonitoring, "8.Energy Monitoring", "./Images/EnergyMontioring.png", ScreenShow::Page, 8},
    {ScreenTemperatures, "9.Temperatures", "./Images/Temperatures.png", ScreenShow::Page, 9},
    {ScreenPressures, "10.Pressure", "./Images/Pressures.png", ScreenShow::Page, 10},
    {ScreenNode, "11.Node Information", kBrakeIcon, ScreenShow::Page, 11},
    {ScreenInchingMode, "12.InchingMode_Screen", kBrakeIcon, ScreenShow::Page, 12},
    {ScreenLocoNumner, "13.Loconumber_Screen", kBrakeIcon, ScreenShow::Page, 13},
    {ScreenSixMotorIsolation, "14.Six Motor Isolation Screen", kBrakeIcon, ScreenShow::Page, 14},
    {ScreenWheelDiameter, "15.Wheel Diameter Screen", kBrakeIcon, ScreenShow::Page, 15},
    {ScreenSoftwareVer, "16.SoftwareVersion Screen", kBrakeIcon, ScreenShow::Page, 16},
    {ScreenPassword, "Password", kBrakeIcon, ScreenShow::Page, 17},
    {ScreenFaultPopup, nullptr, nullptr, ScreenShow::FaultPopup, -1},
    {ScreenDiagnostics, "Diagnostics Screen", "./Images/AuxiliarySystem.png", ScreenShow::DiagnosticsPanel, -1},
};

const ScreenEntry* FindScreen(short id)
{
    if (id < 0 || static_cast<std::size_t>(id) >= kScreenCount)
        return nullptr;
    return &kScreenTable[id];
}

namespace {

typedef RefreshStep S;

// The refresh rows differ from screen to screen in their order; they are kept
// as the screens have always been refreshed.
const RefreshStep kMain[] = {S::SSMini, S::SSMiniExtended, S::SSMiniNext, S::DefaultScreen, S::ProgressBar,
                             S::TitleBar, S::MasterSlave, S::SubsystemScreen, S::Panel, S::End};
const RefreshStep kSubsystem[] = {S::SubsystemScreen, S::TitleBar, S::Panel, S::End};
const RefreshStep kHighVoltage[] = {S::SSMini, S::SSMiniNext, S::SSMiniExtended, S::Screen, S::ProgressBar,
                                    S::MasterSlave, S::TitleBar, S::Panel, S::End};
const RefreshStep kConverters[] = {S::SSMini, S::SSMiniNext, S::SSMiniExtended, S::MasterSlave, S::Screen,
                                   S::ProgressBar, S::TitleBar, S::Panel, S::End};
const RefreshStep kMotorsBrakes[] = {S::SSMini, S::SSMiniNext, S::MasterSlave, S::Screen, S::SSMiniExtended,
                                     S::ProgressBar, S::TitleBar, S::Panel, S::End};
const RefreshStep kAuxSystem[] = {S::SSMini, S::SSMiniNext, S::Screen, S::SSMiniExtended, S::ProgressBar,
                                  S::TitleBar, S::Panel, S::End};
const RefreshStep kPressuresNode[] = {S::SSMini, S::SSMiniNext, S::Screen, S::SSMiniExtended, S::MasterSlave,
                                      S::ProgressBar, S::TitleBar, S::Panel, S::End};
const RefreshStep kInching[] = {S::SSMini, S::SSMiniNext, S::SSMiniExtended, S::ProgressBar, S::TitleBar,
                                S::MasterSlave, S::Screen, S::Panel, S::End};
const RefreshStep kLocoNumber[] = {S::SSMini, S::SSMiniExtended, S::SSMiniNext, S::ProgressBar, S::TitleBar,
                                   S::MasterSlave, S::Screen, S::Panel, S::End};
const RefreshStep kIsolationWheels[] = {S::SSMini, S::SSMiniExtended, S::ProgressBar, S::TitleBar,
                                        S::MasterSlave, S::Screen, S::Panel, S::End};
const RefreshStep kSoftware[] = {S::SSMini, S::SSMiniNext, S::Screen, S::SSMiniExtended, S::ProgressBar,
                                 S::MasterSlave, S::TitleBar, S::Panel, S::End};
const RefreshStep kFault[] = {S::FaultPopup, S::End};
const RefreshStep kDiagnostics[] = {S::TitleBar, S::End};
const RefreshStep kNothing[] = {S::End};

const RefreshStep* const kPlans[kScreenCount] = {
    kMain,           kSubsystem,    kHighVoltage,  kConverters,      kConverters,      kHighVoltage,
    kMotorsBrakes,   kAuxSystem,    kMotorsBrakes, kMotorsBrakes,    kMotorsBrakes,    kPressuresNode,
    kPressuresNode,  kInching,      kLocoNumber,   kIsolationWheels, kIsolationWheels, kSoftware,
    kMain,           kFault,        kDiagnostics,
};

}  // namespace

const RefreshStep* RefreshPlan(short shown)
{
    if (shown < 0 || static_cast<std::size_t>(shown) >= kScreenCount)
        return kNothing;
    return kPlans[shown];
}
