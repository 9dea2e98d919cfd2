// Renders the text panel in its views, the fault pop-up with a looked-up
// fault, the diagnostics screen with 20 log rows and the USB pop-up, with the
// image set of the build, into renders/ under the build tree.
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "DiagnosticScreen.h"
#include "PanelProbe.h"
#include "UsbPopup.h"
#include "WarningPopup.h"

namespace {

std::string StartFolder()
{
    char* cwd = ::getcwd(nullptr, 0);
    const std::string folder = cwd ? cwd : ".";
    std::free(cwd);
    return folder;
}

// The build tree, where the program starts (before any fixture moves away).
const std::string kBuildTree = StartFolder();

// Works in a private folder that sees the build's Images/.
class RenderPanel : public paneltest::PanelFixture {
protected:
    void SetUp() override
    {
        build_ = kBuildTree;
        PanelFixture::SetUp();
        ASSERT_EQ(::symlink((build_ + "/Images").c_str(), "Images"), 0);
    }
    void Snap(Gtk::Widget& widget, int width, int height, const std::string& name)
    {
        EXPECT_TRUE(testsupport::SnapshotWidget(widget, width, height, build_ + "/renders/" + name)) << name;
    }
    void SnapPanel(const std::string& name) { Snap(*panel, 495, 119, name); }

    std::string build_;
};

TEST_F(RenderPanel, PanelViews)
{
    const unsigned short nodes[9] = {1234, 2, 3, 4, 5, 1, 7, 8, 0};
    std::copy(nodes, nodes + 9, store->NodeStates);
    store->LocoNumber = 31234;
    store->SubsystemStates[5] = 1;
    panel->UpdateInfoPanelValues();
    SnapPanel("panel-node.png");
    Keys("M");
    SnapPanel("panel-main-menu.png");
    Keys("D");
    SnapPanel("panel-main-menu-row2.png");
    Keys("UEE");
    Key('E'); Key('E'); Key('E'); Key('E'); Key('E');
    SnapPanel("panel-subsystem.png");
    Keys("C");
    SnapPanel("panel-vehicle-diagnostics.png");
    Keys("MM");
    store->UsbCopyStatus = 1;
    panel->UpdateInfoPanelValues();
    SnapPanel("panel-message-usb.png");
    store->UsbCopyStatus = 0;
    store->ThrottleNotZero = 1;
    panel->UpdateInfoPanelValues();
    SnapPanel("panel-message-throttle.png");
    store->ThrottleNotZero = 0;
    store->SelfHoldMode = 1;
    panel->UpdateInfoPanelValues();
    SnapPanel("panel-message-selfhold.png");
}

TEST_F(RenderPanel, FaultPopup)
{
    dir.WriteFile("LookUpError.csv",
                  "\"F0122P1\",\"SS22 : BRAKE\",\"Brake pipe pressure low\",\"Brake pipe pressure below 4.5 bar. "
                  "Traction blocked until the pressure is restored. Check the driver's brake valve, the brake pipe "
                  "couplings and the angle cocks of the first wagon before releasing the brake again.\"\n");
    store->FaultSource = 10;
    WarningPopup popup;
    popup.UpdateFaultMessage1(10122, "", "");
    Snap(popup, 800, 600, "popup-fault.png");
}

// Texts longer than the field: rows cut with an ellipsis, the detail cut to
// the lines above the field's edge; damaged bytes shown as marks.
TEST_F(RenderPanel, FaultPopupLongTexts)
{
    std::string message = "Main circuit breaker opened by the protection relay of the transformer, oil ";
    message += "temperature above the limit set by the relay";   // 120 characters
    std::string detail;
    while (detail.size() < 20000) detail += "Check the oil level and the Buchholz relay before closing the breaker. ";
    dir.WriteFile("LookUpError.csv", "\xEF\xBB\xBF\"F0101P1\",\"SS01 : MAIN_POWER \xC4\",\"" + message + "\",\"" +
                                         detail + "\"\n");
    store->FaultSource = 40;
    WarningPopup popup;
    popup.UpdateFaultMessage1(10101, "", "");
    Snap(popup, 800, 600, "popup-fault-long.png");
}

TEST_F(RenderPanel, BrowseModeLongTexts)
{
    ShowBrowseView("SS22 : BRAKE_SYSTEM_OF_THE_LEADING_BOGIE",
                   "Brake pipe pressure below the release level of the driver's brake valve");
    SnapPanel("panel-browse-long.png");
}

TEST_F(RenderPanel, UsbPopup)
{
    UsbPopup popup;
    popup.CodeRowLabel.set_text("USB DEVICE");
    popup.UpdateMessage("Diagnostics log copied to the stick",
                        "DiagnosticsData.csv holds every fault row of this locomotive; the stick can now be removed "
                        "and read on any office computer.");
    Snap(popup, 800, 600, "popup-usb.png");
}

TEST_F(RenderPanel, DiagnosticScreen20)
{
    std::string log;
    const char* messages[] = {"Main circuit breaker tripped", "Battery voltage low", "Brake pipe pressure low",
                              "Fire detected in machine room"};
    for (int n = 1; n <= 20; ++n) {
        log += "\"" + std::to_string(n) + "\" \" F01" + std::to_string(10 + n % 20) + "P1\" \" 1\" \" SS " +
               std::to_string(10 + n % 20) + " \" \" 2024-05-06  14:" + std::to_string(10 + n) + ":59\" \" " +
               messages[n % 4] + "\" \" " + std::to_string(n % 7 + 1) + "\"\n";
    }
    dir.WriteFile("DiagnosticsData.csv", log);
    DiagnosticScreen screen;
    screen.TimerFunc();
    Snap(screen, 790, 532, "diagnostics-20.png");
}

TEST_F(RenderPanel, DiagnosticScreenLongFields)
{
    dir.WriteFile("DiagnosticsData.csv",
                  "\"1\" \" F0101P1\" \" 1\" \" SS 01 \" \" 2024-05-06  14:03:59\" \" "
                  "Brake pipe pressure low\" \" 1\"\n"
                  "\"2\" \" F0101P1F0101P1F0101P1\" \" 1\" \" SS \xC4\xD6 01 \" \" 2024-05-06  14:03:59\" \" "
                  "Main circuit breaker opened by the protection relay of the transformer, oil temperature above "
                  "the limit\" \" 123456789012345\"\n");
    DiagnosticScreen screen;
    screen.TimerFunc();
    Snap(screen, 790, 532, "diagnostics-long.png");
}

// A log that a power cut left with a megabyte of zero bytes mid-way and at
// its end: the damaged stretches are skipped, the rows around them shown.
TEST_F(RenderPanel, DiagnosticScreenAfterAPowerCut)
{
    std::string log;
    for (int n = 1; n <= 6; ++n) {
        log += "\"" + std::to_string(n) + "\" \" F010" + std::to_string(n) + "P1\" \" 1\" \" SS 0" +
               std::to_string(n) + " \" \" 2024-05-06  14:1" + std::to_string(n) + ":59\" \" Row " +
               std::to_string(n) + (n == 3 ? " before the power cut" : "") + "\" \" 1\"\n";
        if (n == 3) log += std::string(1 << 20, '\0') + "\n";
    }
    dir.WriteFile("DiagnosticsData.csv", log + std::string(1 << 20, '\0'));
    DiagnosticScreen screen;
    screen.TimerFunc();
    int rows = 0;
    for (const auto& row : screen.Cells) rows += !row[0].empty();
    EXPECT_EQ(rows, 6);
    EXPECT_EQ(screen.Cells[5][1], " F0106P1");  // the newest, index 1
    EXPECT_EQ(screen.Cells[5][0], "1");
    Snap(screen, 790, 532, "diagnostics-power-cut.png");
}

}  // namespace
