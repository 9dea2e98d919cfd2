// The display's tables without widgets: screen table, refresh plans, key
// maps and gates, the left/right step, the clamped conversions, the stick
// detection and the clock texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "Conversions.h"
#include "KeyMap.h"
#include "ScreenTable.h"
#include "TitleBar.h"

namespace {

TEST(ScreenTable, EveryIndexHasItsTitleIconAndPage)
{
    struct Row {
        short id;
        const char* title;
        const char* icon;
        int page;
    };
    const Row rows[] = {
        {0, "Driver Display System", nullptr, 0},
        {1, "1.Subsystem Status", nullptr, -1},
        {2, "2.High Voltage Circuit", "./Images/HighVoltage.png", 1},
        {3, "3.Traction Converters", "./Images/AuxiliaryConverter.png", 2},
        {4, "3.1.Traction Converters", "./Images/AuxiliaryConverter.png", 3},
        {5, "4.Auxiliary Converters", "./Images/AuxiliaryConverter.png", 4},
        {6, "5.Traction Motors", "./Images/TractionMotor.png", 5},
        {7, "6.Auxiliary System", "./Images/AuxiliarySystem.png", 6},
        {8, "7.Braking System", "./Images/BrakingSystem.png", 7},
        {9, "8.Energy Monitoring", "./Images/EnergyMontioring.png", 8},
        {10, "9.Temperatures", "./Images/Temperatures.png", 9},
        {11, "10.Pressure", "./Images/Pressures.png", 10},
        {12, "11.Node Information", "./Images/BrakingSystem.png", 11},
        {13, "12.InchingMode_Screen", "./Images/BrakingSystem.png", 12},
        {14, "13.Loconumber_Screen", "./Images/BrakingSystem.png", 13},
        {15, "14.Six Motor Isolation Screen", "./Images/BrakingSystem.png", 14},
        {16, "15.Wheel Diameter Screen", "./Images/BrakingSystem.png", 15},
        {17, "16.SoftwareVersion Screen", "./Images/BrakingSystem.png", 16},
        {18, "Password", "./Images/BrakingSystem.png", 17},
        {19, nullptr, nullptr, -1},
        {20, "Diagnostics Screen", "./Images/AuxiliarySystem.png", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        const ScreenEntry* entry = FindScreen(row.id);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(row.id, entry->id);
        EXPECT_EQ(row.title ? std::string(row.title) : "-", entry->title ? std::string(entry->title) : "-");
        EXPECT_EQ(row.icon ? std::string(row.icon) : "-", entry->icon ? std::string(entry->icon) : "-");
        EXPECT_EQ(row.page, entry->page);
    }
    EXPECT_EQ(nullptr, FindScreen(-1));
    EXPECT_EQ(nullptr, FindScreen(21));
    EXPECT_EQ(ScreenShow::SubsystemPanel, FindScreen(1)->show);
    EXPECT_EQ(ScreenShow::FaultPopup, FindScreen(19)->show);
    EXPECT_EQ(ScreenShow::DiagnosticsPanel, FindScreen(20)->show);
}

TEST(ScreenTable, OnlyTheScreensSwitchThroughChangeScreen)
{
    for (short id = -2; id <= 22; ++id)
        EXPECT_EQ(id >= 0 && id <= 18, IsSwitchableScreen(id)) << id;
}

std::string Plan(short shown)
{
    static const char* const kNames[] = {"SSMini", "Next", "Extended", "Default", "Bars", "MS",
                                         "Title", "SS", "screen", "panel", "popup"};
    std::string text;
    for (const RefreshStep* step = RefreshPlan(shown); *step != RefreshStep::End; ++step)
        text += std::string(text.empty() ? "" : " ") + kNames[static_cast<int>(*step)];
    return text;
}

TEST(RefreshPlan, EachShownStateRunsItsRowInOrder)
{
    const std::string main = "SSMini Extended Next Default Bars Title MS SS panel";
    const std::string converters = "SSMini Next Extended MS screen Bars Title panel";
    const std::string motors = "SSMini Next MS screen Extended Bars Title panel";
    const std::string highVoltage = "SSMini Next Extended screen Bars MS Title panel";
    const std::string pressures = "SSMini Next screen Extended MS Bars Title panel";
    const std::string isolation = "SSMini Extended Bars Title MS screen panel";
    const std::vector<std::string> expected = {
        main,                                                   // 0
        "SS Title panel",                                       // 1
        highVoltage, converters, converters, highVoltage,       // 2..5
        motors,                                                 // 6
        "SSMini Next screen Extended Bars Title panel",         // 7
        motors, motors, motors,                                 // 8..10
        pressures, pressures,                                   // 11, 12
        "SSMini Next Extended Bars Title MS screen panel",      // 13
        "SSMini Extended Next Bars Title MS screen panel",      // 14
        isolation, isolation,                                   // 15, 16
        "SSMini Next screen Extended Bars MS Title panel",      // 17
        main,                                                   // 18
        "popup",                                                // 19
        "Title",                                                // 20
    };
    for (short shown = 0; shown <= 20; ++shown)
        EXPECT_EQ(expected[shown], Plan(shown)) << "shown " << shown;
    EXPECT_EQ("", Plan(21));
    EXPECT_EQ("", Plan(-1));
}

TEST(KeyMaps, KeypadBytesAndKeyboardKeysReachTheirHandlers)
{
    struct Row {
        unsigned char byte;
        unsigned keyval;
        KeyAction action;
    };
    const Row rows[] = {
        {43, 0x61, KeyAction::F3},       {135, 0xFF0D, KeyAction::Enter}, {75, 0xFF50, KeyAction::Home},
        {78, 0xFF51, KeyAction::Left},   {77, 0xFF52, KeyAction::Up},     {142, 0xFF53, KeyAction::Right},
        {141, 0xFF54, KeyAction::Down},  {139, 0xFF57, KeyAction::Menu},  {71, 0xFF63, KeyAction::Cancel},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.action, BusKeyAction(row.byte)) << int(row.byte);
        EXPECT_EQ(row.action, KeyboardAction(row.keyval)) << row.keyval;
    }
    EXPECT_EQ(KeyAction::F1, BusKeyAction(46));
    EXPECT_EQ(KeyAction::Cancel, KeyboardAction(0xFFFF));
    for (unsigned char none : {0, 45, 44, 76, 136, 255})
        EXPECT_EQ(KeyAction::None, BusKeyAction(none)) << int(none);
    EXPECT_EQ(KeyAction::None, KeyboardAction('A'));  // only lower-case a is f3
    EXPECT_EQ(KeyAction::None, KeyboardAction(0xFFBE));  // F1 of the keyboard
}

struct GateCase {
    const char* name;
    KeyGateState state;
    unsigned char byte;
    KeyAction keypad;
    unsigned keyval;
    KeyAction keyboard;
};

class KeyGate : public ::testing::TestWithParam<GateCase> {};

TEST_P(KeyGate, DropsOrPassesTheKey)
{
    const GateCase& c = GetParam();
    EXPECT_EQ(c.keypad, GateBusKey(c.state, c.byte));
    EXPECT_EQ(c.keyboard, GateKeyboardKey(c.state, c.keyval));
}

const KeyGateState kNormal{1, 0, ScreenTractionConverter, DiagnosticTableClosed};
const KeyGateState kFaultShown{0, 1, ScreenFaultPopup, DiagnosticTableClosed};
const KeyGateState kKeysOffNoFault{0, 0, ScreenFaultPopup, DiagnosticTableClosed};
const KeyGateState kDiagnostics{1, 0, ScreenDiagnostics, DiagnosticTableOpen};
const KeyGateState kDiagnosticsMode{1, 0, ScreenMain, DiagnosticTableOpen};

INSTANTIATE_TEST_SUITE_P(
    Gates, KeyGate,
    ::testing::Values(
        GateCase{"normal_right", kNormal, 142, KeyAction::Right, 0xFF53, KeyAction::Right},
        GateCase{"fault_home_acknowledges", kFaultShown, 75, KeyAction::Home, 0xFF50, KeyAction::Home},
        GateCase{"fault_other_keys", kFaultShown, 135, KeyAction::None, 0xFF0D, KeyAction::Home},
        GateCase{"fault_unknown_key", kFaultShown, 45, KeyAction::None, 'z', KeyAction::Home},
        GateCase{"keys_off_without_fault", kKeysOffNoFault, 135, KeyAction::None, 0xFF0D, KeyAction::None},
        GateCase{"diagnostics_up", kDiagnostics, 77, KeyAction::Up, 0xFF52, KeyAction::Up},
        GateCase{"diagnostics_down", kDiagnostics, 141, KeyAction::Down, 0xFF54, KeyAction::Down},
        GateCase{"diagnostics_home", kDiagnostics, 75, KeyAction::Home, 0xFF50, KeyAction::Home},
        GateCase{"diagnostics_enter", kDiagnostics, 135, KeyAction::None, 0xFF0D, KeyAction::None},
        GateCase{"diagnostics_f3", kDiagnostics, 43, KeyAction::None, 'a', KeyAction::None},
        GateCase{"diagnostics_left", kDiagnostics, 78, KeyAction::None, 0xFF51, KeyAction::None},
        GateCase{"diagnostics_mode_left", kDiagnosticsMode, 78, KeyAction::None, 0xFF51, KeyAction::None},
        GateCase{"diagnostics_mode_right", kDiagnosticsMode, 142, KeyAction::None, 0xFF53, KeyAction::None},
        // After the first refresh the table still has the keys: only paging,
        // Home, f1 and f3 get through, nothing reaches the screen under it.
        GateCase{"diagnostics_mode_enter", kDiagnosticsMode, 135, KeyAction::None, 0xFF0D, KeyAction::None},
        GateCase{"diagnostics_mode_cancel", kDiagnosticsMode, 71, KeyAction::None, 0xFF63, KeyAction::None},
        GateCase{"diagnostics_mode_delete", kDiagnosticsMode, 71, KeyAction::None, 0xFFFF, KeyAction::None},
        GateCase{"diagnostics_mode_menu", kDiagnosticsMode, 139, KeyAction::None, 0xFF57, KeyAction::None},
        GateCase{"diagnostics_mode_up", kDiagnosticsMode, 77, KeyAction::Up, 0xFF52, KeyAction::Up},
        GateCase{"diagnostics_mode_down", kDiagnosticsMode, 141, KeyAction::Down, 0xFF54, KeyAction::Down},
        GateCase{"diagnostics_mode_home", kDiagnosticsMode, 75, KeyAction::Home, 0xFF50, KeyAction::Home},
        GateCase{"diagnostics_mode_f1", kDiagnosticsMode, 46, KeyAction::F1, 0xFFBE, KeyAction::None},
        GateCase{"diagnostics_mode_f3", kDiagnosticsMode, 43, KeyAction::F3, 'a', KeyAction::F3}),
    [](const ::testing::TestParamInfo<GateCase>& info) { return std::string(info.param.name); });

TEST(ScreenStep, RightAndLeftWrapOverTheEighteenScreens)
{
    struct Row {
        unsigned short shown, target, right, left;
    };
    const Row rows[] = {
        {0, 0, 1, 17},  {1, 1, 2, 0},   {16, 16, 17, 15}, {17, 17, 0, 16},
        {18, 18, 0, 17},  // from the password screen
        {20, 5, 0, 4},    // the wrap test reads the shown state
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.right, ScreenRightOf(row.shown, row.target)) << row.shown << "/" << row.target;
        EXPECT_EQ(row.left, ScreenLeftOf(row.shown, row.target)) << row.shown << "/" << row.target;
    }
}

TEST(Conversions, OutOfRangeAndNanAreClampedBeforeConversion)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(0, ClampToShort(nan));
    EXPECT_EQ(32767, ClampToShort(1e9f));
    EXPECT_EQ(-32768, ClampToShort(-inf));
    EXPECT_EQ(110, ClampToShort(110.9f));
    EXPECT_EQ(-3, ClampToShort(-3.7f));
    EXPECT_EQ(0, ClampToUnsignedShort(nan));
    EXPECT_EQ(0, ClampToUnsignedShort(-5));
    EXPECT_EQ(65535, ClampToUnsignedShort(1e12f));
    EXPECT_EQ(110, ClampToUnsignedShort(110.99f));
    EXPECT_EQ(0.0f, ClampSpeed(nan));
    EXPECT_EQ(0.0f, ClampSpeed(-5));
    EXPECT_EQ(180.0f, ClampSpeed(200));
    EXPECT_EQ(180.0f, ClampSpeed(inf));
    EXPECT_EQ(90.5f, ClampSpeed(90.5f));
    EXPECT_FLOAT_EQ(260.0f, SpeedNeedleAngle(0));
    EXPECT_FLOAT_EQ(540.08f, SpeedNeedleAngle(180));
}

TEST(StickDetection, ThreeNameCharactersMeanAStick)
{
    struct Row {
        std::string listing;
        unsigned short before, after;
    };
    const Row rows[] = {
        {"", 1, 0},          {"ab\n", 0, 0},       {"abc\n", 0, 1},   {"abc\n", 1, 1},
        {"STICK\n", 2, 2},   {"", 2, 0},           {"..-\n /", 1, 0}, {"z{|", 0, 0},
        {std::string(201, ' ') + "abc", 0, 0},  // only the first 201 characters count
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.after, UsbStateAfterListing(row.before, CountNameChars(row.listing)))
            << "'" << row.listing << "' from " << row.before;
}

TEST(Clock, TextsOfTheTitleBarClock)
{
    std::tm t = {};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 1;
    t.tm_mday = 6;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    t.tm_wday = 2;
    EXPECT_EQ("Tue  Feb  06  09:05:03  2024", FormatClock(t, "%a  %b  %d  %H:%M:%S  %Y", 80));
    EXPECT_EQ("06", FormatClock(t, "%d", 10));
    EXPECT_EQ(" Feb\n2024", FormatClock(t, " %b\n%Y", 20));
    // A text that does not fit its buffer gives an empty text.
    EXPECT_EQ("", FormatClock(t, "%a  %b  %d  %H:%M:%S  %Y", 10));
}

}  // namespace
