// The text panel: views, menu walk, refresh, messages and loco texts.
#include <gtest/gtest.h>

#include <functional>
#include <gtkmm/window.h>
#include <string>
#include <vector>

#include "PanelProbe.h"

namespace {

using paneltest::PanelFixture;
using paneltest::ShowsStartOf;
using paneltest::ToolkitComplaints;
using Rows = std::vector<std::string>;

std::string ColourOf(const char* name) { return Gdk::Color(name).to_string(); }

const Rows kMainMenu = {"1. Vehicle Diagnostics", "2. Information train bus", "3. Process information LOCO 30001"};
const Rows kVehicle = {"1. Loco 30001", "2. Loco 00000", "3. Browse Mode"};
const Rows kProcess = {"1. Energy Consumption", "2. Commissioning Data", "3. Inching"};
const Rows kCommissioning = {"1. Diagnostic Data Sets", "2. Node Information", "3. Simulation"};

TEST_F(PanelFixture, StartsWithTheEmptyNodeView)
{
    EXPECT_EQ(Heading(), "Node Information");
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(Label(k), "") << k;
    EXPECT_EQ(panel->m_Section, 11u);
    EXPECT_FALSE(CursorShown());
    EXPECT_TRUE(InfoShown());
    EXPECT_EQ(panel->m_PopupHold, 11);
    EXPECT_EQ(panel->m_LocoNumberText, "a");
    EXPECT_EQ(panel->get_child()->get_parent(), panel.get());
}

TEST_F(PanelFixture, GetInstanceIsOnePanel)
{
    InfoPanel* first = InfoPanel::getInstance();
    EXPECT_EQ(InfoPanel::getInstance(), first);
}

TEST_F(PanelFixture, NodeLinesFromTheStore)
{
    const unsigned short states[9] = {1234, 2, 3, 4, 5, 7, 0, 65535, 0};
    std::copy(states, states + 9, store->NodeStates);
    panel->UpdateInfoPanelValues();
    const Rows expected = {"FLG1 : 1234", "FLG2 : 2", "SLV    : 3", "SLG1 : 4", "SLG2 : 5",
                           "ESM    : ON", "ALG1 : 0", "ALG2 : 65535", "SIMKEY : OFF"};
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(Label(k), expected[k - 1]) << k;
    EXPECT_EQ(panel->m_Section, 11u);
}

TEST_F(PanelFixture, SubsystemPages)
{
    const struct { short page; int cell; unsigned short value; const char* line; } cases[] = {
        {0, 0, 1, "SS01 : MAIN_POWER            1"},
        {18, 18, 2, "SS19 : TRAIN_BUS            2"},
        {19, 20, 3, "SS20 : B1_INV2            3"},
        {20, 22, 4, "SS21 : HOTEL_LOAD            4"},
        {28, 30, 5, "SS29 : B2_INV2            5"},
        {29, 31, 65535, "SS30 : B2_INV3            -1"},
        {30, 0, 6, "SS01 : MAIN_POWER            6"}};
    for (const auto& c : cases) {
        store->SubsystemStates[c.cell] = c.value;
        panel->m_SubsystemPage = c.page;
        panel->UpdateSubsystemScreen();
        EXPECT_EQ(Label(1), c.line) << c.page;
        panel->UpdateSubsystemScreen();
        EXPECT_EQ(Label(1), c.line) << "shown again: " << c.page;
        EXPECT_EQ(Label(7), "<ENTER> : Next  ,  <home> : Main_Menu ");
    }
}

// ------------------------------------------------------------- menu walk

struct WalkCase {
    const char* name;
    const char* keys;
    unsigned section;
    std::string heading;
    Rows rows;
    short cursor;
    bool cursorShown;
    bool infoShown;
    const char* jumps;
};

class MenuWalk : public PanelFixture, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(MenuWalk, Keys)
{
    const WalkCase& c = GetParam();
    Keys(c.keys);
    EXPECT_EQ(panel->m_Section, c.section);
    EXPECT_EQ(Heading(), c.heading);
    EXPECT_EQ(ListRows(), c.rows);
    EXPECT_EQ(panel->m_CursorIndex, c.cursor);
    EXPECT_EQ(CursorShown(), c.cursorShown);
    EXPECT_EQ(InfoShown(), c.infoShown);
    EXPECT_EQ(jumps, c.jumps);
    EXPECT_EQ(panel->m_CursorY, 25 + 24 * c.cursor);
}

const std::string kVehicleHeading = "Vehicle Diagnostics\t    ";

INSTANTIATE_TEST_SUITE_P(Table, MenuWalk, ::testing::Values(
    WalkCase{"Open", "M", 0, "Main Menu", kMainMenu, 0, true, false, ""},
    WalkCase{"DownTwice", "MDD", 0, "Main Menu", kMainMenu, 2, true, false, ""},
    WalkCase{"DownPastLast", "MDDDD", 0, "Main Menu", kMainMenu, 2, true, false, ""},
    WalkCase{"UpOnFirst", "MU", 0, "Main Menu", kMainMenu, 0, true, false, ""},
    WalkCase{"VehicleDiagnostics", "ME", 1, kVehicleHeading, kVehicle, 0, true, false, ""},
    WalkCase{"TrainBus", "MDE", 4, "Information Train Bus", {"Loco 30001"}, 0, false, false, ""},
    WalkCase{"ProcessInformation", "MDDE", 7, "Process information Loco a", kProcess, 0, true, false, ""},
    WalkCase{"Energy", "MDDEE", 11, "Node Information", {}, 0, false, true, "9"},
    WalkCase{"Inching", "MDDEDDE", 11, "Node Information", {}, 0, false, true, "13"},
    WalkCase{"Commissioning", "MDDEDE", 9, "Commissioning Data", kCommissioning, 0, true, false, ""},
    WalkCase{"DiagnosticData", "MDDEDEE", 10, "Press f3 to read Diagnostic Data", {}, 0, false, false, ""},
    WalkCase{"NodeInformation", "MDDEDEDE", 11, "Node Information", {}, 0, false, true, ""},
    WalkCase{"NodeThenEnter", "MDDEDEDEE", 0, "Main Menu", kMainMenu, 0, true, false, ""},
    WalkCase{"Simulation", "MDDEDEDDE", 12, "Simulation mode                  status  ", {}, 0, false, true, ""},
    WalkCase{"SubsystemPage", "MEE", 2, "Loco 30001                Subsystem Status", {}, 0, false, true, ""},
    WalkCase{"SecondLocoMissing", "MEDE", 13, "multiple loco not connected..", {}, 0, false, false, ""},
    WalkCase{"BrowseMode", "MEDDE", 3, "Loco 30001                fault categary", {}, 0, false, true, ""},
    WalkCase{"CancelMain", "MDDC", 0, "Main Menu", kMainMenu, 0, true, false, ""},
    WalkCase{"CancelVehicle", "MEC", 0, "Main Menu", kMainMenu, 0, true, false, ""},
    WalkCase{"CancelSubsystem", "MEEC", 1, kVehicleHeading + "Loco Status", kVehicle, 0, true, false, ""},
    WalkCase{"CancelBrowse", "MEDDEC", 1, kVehicleHeading + "Loco Status", kVehicle, 0, true, false, ""},
    WalkCase{"CancelSecondLoco", "MEDEC", 1, kVehicleHeading + "Loco Status", kVehicle, 0, true, false, ""},
    WalkCase{"CancelTrainBus", "MDEC", 0, "Main Menu", kMainMenu, 0, true, false, ""},
    WalkCase{"CancelProcess", "MDDEC", 0, "Main Menu", kMainMenu, 0, true, false, ""},
    WalkCase{"CancelCommissioning", "MDDEDECDD", 7, "Process Information Loco a", kProcess, 2, true, false, ""},
    WalkCase{"CancelDiagnosticData", "MDDEDEEC", 9, "Commissioning Data", kCommissioning, 0, true, false, ""},
    WalkCase{"CancelNode", "MDDEDEDEC", 9, "Commissioning Data", kCommissioning, 0, true, false, ""},
    WalkCase{"CancelSimulation", "MDDEDEDDEC", 9, "Commissioning Data", kCommissioning, 0, true, false, ""},
    WalkCase{"CloseFromList", "MDDEDEM", 11, "Node Information", {}, 0, false, true, ""},
    WalkCase{"CloseFromBrowse", "MEDDEM", 11, "Node Information", {}, 0, false, true, ""},
    WalkCase{"CloseThenReopen", "MEEMM", 0, "Main Menu", kMainMenu, 0, true, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelFixture, CursorMovesReachTheStore)
{
    store->NodeScreenValues[0] = 9;
    Keys("MU");
    EXPECT_EQ(store->NodeScreenValues[0], 9) << "no move, no store write";
    Keys("DD");
    EXPECT_EQ(store->NodeScreenValues[0], 2);
    Keys("D");
    EXPECT_EQ(store->NodeScreenValues[0], 2);
    panel->m_MenuActive = 0;
    panel->NavigateIndicator(77);
    EXPECT_EQ(panel->m_CursorIndex, 2) << "closed menu takes no keys";
}

TEST_F(PanelFixture, TenEntersFromPage25)
{
    Keys("MEE");
    panel->m_SubsystemPage = 25;
    std::vector<std::string> pages;
    for (int i = 0; i < 10; ++i) {
        Key('E');
        pages.push_back(Label(1).substr(0, 4));
    }
    EXPECT_EQ(pages, (std::vector<std::string>{"SS27", "SS28", "SS29", "SS30", "SS01", "SS02", "SS03", "SS04",
                                               "SS05", "SS06"}));
}

TEST_F(PanelFixture, SubsystemPageKeptAcrossCancel)
{
    Keys("MEEEE");
    Keys("CE");
    EXPECT_EQ(Label(1).substr(0, 4), "SS03");
}

TEST_F(PanelFixture, SecondLocoPresent)
{
    store->NodeScreenValues[2] = 1;
    Keys("MEDE");
    EXPECT_EQ(Heading(), "Loco 00000               Subsystem Status");
}

TEST_F(PanelFixture, SimulationLinesWrittenOnEveryEntry)
{
    store->PrimaryVoltage = 25.5f;
    store->ActualSpeed = 42.75f;
    store->TeBeDemandIndicator = 310;
    store->NodeStates[0] = 11;
    store->NodeStates[3] = 44;
    panel->UpdateInfoPanelValues();
    Keys("MDDEDEDDE");
    EXPECT_EQ(Label(1), "UPRIM    :25.5KV");
    EXPECT_EQ(Label(4), "VACT      :42.75KPH");
    EXPECT_EQ(Label(7), "TE/BE DEM :310KN");
    EXPECT_EQ(Label(3), "FLG1 : 11");
    EXPECT_EQ(Label(6), "SLG1 : 44");
    EXPECT_EQ(Label(2), "");
    // Another view writes the shared labels; the values stay the same.
    Keys("CDE");
    EXPECT_EQ(Heading(), "Node Information");
    EXPECT_EQ(Label(1), "FLG1 : 11");
    Keys("CDDE");
    EXPECT_EQ(Label(1), "UPRIM    :25.5KV");
    EXPECT_EQ(Label(4), "VACT      :42.75KPH");
    EXPECT_EQ(Label(7), "TE/BE DEM :310KN");
}

// ------------------------------------------------------------- messages

struct MessageCase {
    const char* name;
    std::function<void(ReadMVBData&)> set;
    const char* heading;   // nullptr: no message
    std::string first;
    const char* colour;
};

class Messages : public PanelFixture, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(Messages, FirstMatchWins)
{
    const MessageCase& c = GetParam();
    panel->m_InfoLabels[8].set_text("label nine");
    c.set(*store);
    panel->UpdateInfoPanelValues();
    if (!c.heading) {
        EXPECT_EQ(Heading(), "Node Information");
        EXPECT_EQ(panel->m_Section, 11u);
        return;
    }
    EXPECT_EQ(Heading(), c.heading);
    EXPECT_EQ(Label(1), c.first);
    EXPECT_EQ(SimulationInfo[0], c.first);
    EXPECT_EQ(Label(9), "label nine");
    EXPECT_EQ(panel->m_Section, 0u);
    EXPECT_EQ(panel->m_PopupHold, 100);
    EXPECT_EQ(Colour(1), ColourOf(c.colour));
    EXPECT_FALSE(CursorShown());
    EXPECT_TRUE(InfoShown());
    EXPECT_TRUE(ListRows().empty());
}

const std::string kThrottle = " TRACTION NOT POSSIBLE WITH THROTTLE \n <> 0 at NODE 590 Please bring throttle\n"
                              "to \xE2\x80\x98" "0\xE2\x80\x99position and resume traction again";

INSTANTIATE_TEST_SUITE_P(Table, Messages, ::testing::Values(
    MessageCase{"SelfHold", [](ReadMVBData& s) { s.SelfHoldMode = 1; }, "Information 001", "SELF HOLD MODE ACTIVE", "#00ffff"},
    MessageCase{"SelfHoldBeforeThrottle", [](ReadMVBData& s) { s.SelfHoldMode = 1; s.ThrottleNotZero = 1; },
                "Information 001", "SELF HOLD MODE ACTIVE", "#00ffff"},
    MessageCase{"Throttle", [](ReadMVBData& s) { s.ThrottleNotZero = 1; s.EnergySavingMode = 5; },
                "Information 002", kThrottle, "YELLOW"},
    MessageCase{"EnergySaving1", [](ReadMVBData& s) { s.EnergySavingMode = 1; }, "Information 002",
                "Energy Saving Mode Activated       ", "GREEN"},
    MessageCase{"EnergySaving150", [](ReadMVBData& s) { s.EnergySavingMode = 150; s.UsbCopyStatus = 1; },
                "Information 002", "Energy Saving Mode Activated       ", "GREEN"},
    MessageCase{"EnergySaving151", [](ReadMVBData& s) { s.EnergySavingMode = 151; }, nullptr, "", nullptr},
    MessageCase{"EnergySaving600", [](ReadMVBData& s) { s.EnergySavingMode = 600; }, nullptr, "", nullptr},
    MessageCase{"UsbFound", [](ReadMVBData& s) { s.UsbCopyStatus = 1; }, "Information 003",
                "USB Device Detected!\n Press F1 to Download Data      ", "GREEN"},
    MessageCase{"UsbCopied", [](ReadMVBData& s) { s.UsbCopyStatus = 2; }, "Information 004",
                "Download Completed! \n USB device can be removed.    ", "GREEN"},
    MessageCase{"UsbRunning", [](ReadMVBData& s) { s.UsbCopyStatus = 3; }, nullptr, "", nullptr},
    MessageCase{"SelfHold2", [](ReadMVBData& s) { s.SelfHoldMode = 2; }, nullptr, "", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelFixture, MessageFillTexts)
{
    store->SelfHoldMode = 1;
    panel->UpdateInfoPanelValues();
    EXPECT_EQ(Label(4), "AFTER 10 MIN MCE WILL SWITCH OFF");
    EXPECT_EQ(SimulationInfo[3], "AFTER 10 MIN MCE WILL SWITCH OFF");
    EXPECT_EQ(Label(2), "");
    EXPECT_EQ(Label(3), " ");
    EXPECT_EQ(Label(5), std::string(13, ' '));
    EXPECT_EQ(Label(7), std::string(31, ' '));
    store->SelfHoldMode = 0;
    store->UsbCopyStatus = 2;
    panel->UpdateInfoPanelValues();
    EXPECT_EQ(Label(3), "  ");
    EXPECT_EQ(Label(6), std::string(16, ' '));
    EXPECT_EQ(Label(8), "   ");
}

TEST_F(PanelFixture, AfterAMessageTheNodeViewComesBackInCyan)
{
    Keys("MDDE");
    store->UsbCopyStatus = 1;
    panel->UpdateInfoPanelValues();
    EXPECT_EQ(Colour(1), ColourOf("GREEN"));
    store->UsbCopyStatus = 0;
    store->NodeStates[0] = 7;
    panel->UpdateInfoPanelValues();
    EXPECT_EQ(Heading(), "Node Information");
    EXPECT_EQ(Label(1), "FLG1 : 7");
    EXPECT_EQ(Colour(1), ColourOf("#00ffff"));
    EXPECT_EQ(panel->m_Section, 11u);
    EXPECT_EQ(panel->m_MenuActive, 1);
    EXPECT_EQ(panel->m_PopupHold, 0);
    // Menu keys again act on the node view.
    Keys("E");
    EXPECT_EQ(Heading(), "Main Menu");
}

TEST_F(PanelFixture, MessageReplacesTheOpenMenu)
{
    Keys("MDDEDE");
    store->ThrottleNotZero = 1;
    panel->UpdateInfoPanelValues();
    EXPECT_EQ(panel->m_Section, 0u);
    Keys("E");   // section 0, row 0
    EXPECT_EQ(Heading(), kVehicleHeading);
}

// ------------------------------------------------------------ loco texts

TEST_F(PanelFixture, LocoNumbersRewriteTheTextsNotTheShownList)
{
    Keys("M");
    store->LocoNumber = 31234;
    panel->UpdateInfoPanelValues();
    EXPECT_EQ(ListRows(), kMainMenu) << "a shown list keeps its rows";
    EXPECT_EQ(panel->m_LocoNumberText, "31234");
    Keys("E");
    EXPECT_EQ(ListRows(), (Rows{"1. Loco 31234", "2. Loco 00000", "3. Browse Mode"}));
    Keys("C");
    EXPECT_EQ(ListRows()[2], "3. Process information LOCO 31234");
    Keys("DE");
    EXPECT_EQ(ListRows(), Rows{"Loco 31234"});
    EXPECT_EQ(subsystem_scnHeader, "Loco 31234                Subsystem Status");
}

TEST_F(PanelFixture, BothLocoNumbersInOneRefresh)
{
    store->LocoNumber = 31234;
    store->SecondLocoNumber = 31235;
    panel->UpdateInfoPanelValues();
    EXPECT_EQ(HeaderValuesVD[1], "2. Loco 31235");
    EXPECT_EQ(subsystem_scnHeader, "Loco 31235                Subsystem Status");
}

TEST_F(PanelFixture, BrowseModeFollowsTheCurrentFault)
{
    ShowBrowseView("SS22 : BRAKE", "Brake pipe pressure low");
    EXPECT_EQ(Heading(), "Loco 31234" + std::string(16, ' ') + "SS22 : BRAKE");
    EXPECT_EQ(Label(1), "Brake pipe pressure low");
    for (int k = 2; k <= 8; ++k) EXPECT_EQ(Label(k), "") << k;

    store->CurrentFaultMessage = "Fire detected";
    store->CurrentFaultSubsystem = "SS23 : FIRE";
    Keys("CDDE");
    EXPECT_EQ(Heading(), "Loco 31234" + std::string(16, ' ') + "SS23 : FIRE");
    EXPECT_EQ(Label(1), "Fire detected");
}

// Fault texts of any length and encoding: the browse view's heading and
// message are cut at the panel's frame, and the panel keeps its size.
TEST_F(PanelFixture, BrowseModeCutsLongFaultTextsToThePanel)
{
    Gtk::Window window;
    window.add(*panel);
    window.show_all();
    std::string subsystem = "SS22 : \xC4" "BREMSE ";
    std::string message = "Bremsdruck \xE4 ";
    while (message.size() < 100000) message += "Brake pipe pressure below the release level of the driver's valve ";
    while (subsystem.size() < 5000) subsystem += "BRAKE ";
    ToolkitComplaints complaints;
    ShowBrowseView(subsystem, message);
    testsupport::DrainEvents();
    EXPECT_EQ(complaints.lines(), std::vector<std::string>{});
    // Each shows the start of its text, cut with the mark where the box
    // ends (wherever the font puts that), the loco number and the first
    // word still in sight.
    EXPECT_TRUE(ShowsStartOf(Heading(), "Loco 31234" + std::string(16, ' ') + subsystem));
    EXPECT_TRUE(ShowsStartOf(Label(1), message));
    for (const std::string& shown : {Heading(), Label(1)}) {
        ASSERT_GT(shown.size(), 3u);
        EXPECT_EQ(shown.compare(shown.size() - 3, 3, paneltest::kEllipsis), 0) << shown;
    }
    EXPECT_EQ(Heading().substr(0, 10), "Loco 31234");
    EXPECT_EQ(Label(1).substr(0, 11), "Bremsdruck ");
    EXPECT_LE(panel->m_HeadingLabel.size_request().width, 472);
    EXPECT_LE(panel->m_InfoLabels[0].size_request().width, 465);
    const Gtk::Requisition size = panel->size_request();
    EXPECT_EQ(size.width, 495);
    EXPECT_EQ(size.height, 119);
    window.remove();
}

}  // namespace
