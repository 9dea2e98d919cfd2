// The display's UI states, by index: the screens the keys switch between
// (0..18), the fault pop-up and the diagnostics table. The main layout keeps
// them, the store publishes the one chosen (CurrentScreen) for port 301.
#ifndef CABDISPLAY_VOCABULARY_SCREENIDS_H
#define CABDISPLAY_VOCABULARY_SCREENIDS_H

#include <cstddef>

enum ScreenId : short {
    ScreenMain = 0,
    ScreenSubsystemStatus = 1,
    ScreenHighVoltageCircuit = 2,
    ScreenTractionConverter = 3,
    ScreenTractionConverter1 = 4,
    ScreenAuxiliaryConverter = 5,
    ScreenTractionMotor = 6,
    ScreenAuxiliarySystem = 7,
    ScreenBrakingSystem = 8,
    ScreenEnergyMonitoring = 9,
    ScreenTemperatures = 10,
    ScreenPressures = 11,
    ScreenNode = 12,
    ScreenInchingMode = 13,
    ScreenLocoNumner = 14,
    ScreenSixMotorIsolation = 15,
    ScreenWheelDiameter = 16,
    ScreenSoftwareVer = 17,
    ScreenPassword = 18,
    ScreenFaultPopup = 19,
    ScreenDiagnostics = 20,
};

// How many states there are (0..20).
constexpr std::size_t kScreenCount = ScreenDiagnostics + 1;

#endif
