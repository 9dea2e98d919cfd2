// One fault from the bus to the USB stick, in one process: the fault code in
// the port buffer, the decode tick, the pop-up looked up from a fixture
// table, the log row, the diagnostics screen's first row and the export.
#include <gtest/gtest.h>

#include <cstdlib>

#include "AllPorts.h"
#include "DataLog.h"
#include "DiagnosticModes.h"
#include "DiagnosticScreen.h"
#include "PanelFixture.h"
#include "PortBuffers.h"
#include "WarningPopup.h"

namespace {

using FlowTest = paneltest::WidgetFixture;

TEST_F(FlowTest, FaultFromBusToStick)
{
    storetest::ZeroAllPorts();
    dir.WriteFile("LookUpError.csv", "\"F0122P1\",\"SS22 : BRAKE\",\"Brake pipe pressure low\",\"Stop the train\"\n");
    ::setenv("CABDISPLAY_MEDIA", (dir.path() + "/media").c_str(), 1);
    dir.WriteFile("media/STICK/old.txt", "");

    WarningPopup popup;
    DiagnosticScreen screen;
    DataLog export_;

    DDA2_1804[0] = 10122;   // local fault code of the cab's fault unit
    store->PrintKey();
    ASSERT_EQ(store->FaultCode, 10122);
    ASSERT_EQ(store->FaultSource, 10);

    // The main layout's refresh at the fault onset.
    popup.UpdateFaultMessage1(store->FaultCode, "Testing  master Fault", "This is Direct Input");
    EXPECT_EQ(popup.CodeRowLabel.get_text(), "F0122P1 Master");
    EXPECT_EQ(popup.SubsystemRowLabel.get_text(), "SS22 : BRAKE");
    EXPECT_EQ(popup.MessageRowLabel.get_text(), "Brake pipe pressure low");
    EXPECT_EQ(popup.DetailRowLabel.get_text(), "Stop the train");
    const std::string row =
        "\"1\" \" F0122P1\" \" 1\" \" SS 22 \" \" 2024-05-06  14:03:59\" \" Brake pipe pressure low\" \" 1\"\n";
    EXPECT_EQ(dir.ReadFile("DiagnosticsData.csv"), row);
    EXPECT_EQ(store->CurrentFaultMessage, "Brake pipe pressure low");

    // f3: diagnostics screen.
    store->FunctionKeyMode = FunctionKeySearch;
    export_.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
    screen.TimerFunc();
    const std::string first[7] = {"1", " F0122P1", " 1", " SS 22 ", " 2024-05-06  14:03:59", " Brake pipe pressure low", " 1"};
    for (int j = 0; j < 7; ++j) EXPECT_EQ(screen.Cells[0][j], first[j]) << j;

    // f1: copy to the stick.
    store->FunctionKeyMode = FunctionKeyCopy;
    export_.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 2);
    EXPECT_EQ(dir.ReadFile("media/STICK/DiagnosticsData.csv"), row);
    ::unsetenv("CABDISPLAY_MEDIA");
}

}  // namespace
