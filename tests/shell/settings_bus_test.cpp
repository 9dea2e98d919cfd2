// What reaches port 301 from the settings screens of a real main layout, key
// script by key script: a saved inching speed, the set speed's steps and
// Enter from any speed the screen may find, the wheel diameters the
// vehicle takes over (with and without a fault pop-up over the screen), the
// rows of the wheel screen, and a refused locomotive number with each way
// of leaving its edit, after which left must still change the screen.
#include "SettingsBus.h"

#include <algorithm>
#include <string>
#include <tuple>

namespace shelltest {
namespace {

using testsupport::CaseName;

// ------------------------------------------------------ saved inching speed

struct SavedSpeedCase {
    const char* name;
    const char* file;            // ActualSpeedVal.txt as the last run left it
    float stored;                // the set speed the screen starts from (0: the saved one is not used)
    unsigned short before;       // port 301 word 1 before any key
    const char* keys;            // on screen 13
    unsigned short after;        // port 301 word 1 after the keys
};

const SavedSpeedCase kSavedSpeedCases[] = {
    {"0 without enter", "ActualSpeedVal=0.000000", 0.0f, 0, "T", 0},
    {"0 with enter", "ActualSpeedVal=0.000000", 0.0f, 0, "E", 0},
    {"0.4 without enter", "ActualSpeedVal=0.400000", 0.0f, 0, "T", 0},
    {"0.4 with enter", "ActualSpeedVal=0.400000", 0.0f, 0, "E", 0},
    {"0.4 not used, stepped up from 0", "ActualSpeedVal=0.400000", 0.0f, 0, "U E", 5},
    {"0.5 without enter", "ActualSpeedVal=0.500000", 0.5f, 5, "T", 5},
    {"0.5 with enter", "ActualSpeedVal=0.500000", 0.5f, 5, "E", 5},
    {"1.5 without enter", "ActualSpeedVal=1.500000", 1.5f, 15, "T", 15},
    {"1.5 with enter", "ActualSpeedVal=1.500000", 1.5f, 15, "E", 15},
    {"1.6 without enter", "ActualSpeedVal=1.600000", 0.0f, 0, "T", 0},
    {"1.6 with enter", "ActualSpeedVal=1.600000", 0.0f, 0, "E", 0},
    {"1.6 not used, stepped down from 0", "ActualSpeedVal=1.600000", 0.0f, 0, "D E", 0},
    {"15 without enter", "ActualSpeedVal=15.000000", 0.0f, 0, "T", 0},
    {"15 with enter", "ActualSpeedVal=15.000000", 0.0f, 0, "E", 0},
    {"15 cancelled and stepped up", "ActualSpeedVal=15.000000", 0.0f, 0, "C U U U U U E", 9},
    {"6553.5 without enter", "ActualSpeedVal=6553.500000", 0.0f, 0, "T", 0},
    {"6553.5 with enter", "ActualSpeedVal=6553.500000", 0.0f, 0, "E", 0},
    {"nan without enter", "ActualSpeedVal=nan", 0.0f, 0, "T", 0},
    {"nan with enter", "ActualSpeedVal=nan", 0.0f, 0, "E", 0},
    {"garbage without enter", "\x7f\x01 not a speed", 0.0f, 0, "T", 0},
    {"garbage with enter", "\x7f\x01 not a speed", 0.0f, 0, "E", 0},
};

class SavedInchingSpeed : public SettingsBus, public ::testing::WithParamInterface<SavedSpeedCase> {};

TEST_P(SavedInchingSpeed, OnlyARangeSpeedOrAnEnterReachesWord1)
{
    const SavedSpeedCase& c = GetParam();
    FILE* file = std::fopen("ActualSpeedVal.txt", "w");
    ASSERT_NE(file, nullptr);
    std::fputs(c.file, file);
    std::fclose(file);
    // The store's start-up step, as at the next start of the display.
    store().LoadInchingSpeed();
    EXPECT_FLOAT_EQ(c.stored, store().StoredActualSpeedVal);

    Run("inching:1 go:13 T");
    ASSERT_EQ(1, store().InchingSendFlag);
    EXPECT_EQ(c.before, DDU_301[1]);
    Run(c.keys);
    Run("T");
    EXPECT_EQ(c.after, DDU_301[1]);
    EXPECT_EQ(c.after, store().InchingSpeedTenths);
}

INSTANTIATE_TEST_SUITE_P(Cases, SavedInchingSpeed, ::testing::ValuesIn(kSavedSpeedCases), CaseName());

// ------------------------------------------------------ inching set speed

// The set speed as the inching screen finds it in the store (whatever put it
// there), then Cancel, Up or Down or no key, then Enter: the speed shown
// before Enter and port 301 word 1 after it. 7 tenths went out before, so an
// Enter that stores nothing leaves 7 on the bus.
struct SetSpeedCase {
    const char* name;
    float saved;
    struct Outcome {
        const char* shown;
        unsigned short word1;
    } enter, cancel, up, down;
};

const SetSpeedCase kSetSpeedCases[] = {
    {"no speed set", 0.0f, {"0", 0}, {"0", 0}, {"0.5", 5}, {"0", 0}},
    {"below the range", 0.4f, {"0.4", 7}, {"0", 0}, {"0.5", 5}, {"0.4", 7}},
    {"lowest", 0.5f, {"0.5", 5}, {"0", 0}, {"0.6", 6}, {"0.5", 5}},
    {"between two tenths", 1.45f, {"1.5", 15}, {"0", 0}, {"1.5", 15}, {"1.4", 14}},
    {"highest", 1.5f, {"1.5", 15}, {"0", 0}, {"1.5", 15}, {"1.4", 14}},
    {"above the range", 1.6f, {"1.6", 7}, {"0", 0}, {"1.6", 7}, {"1.5", 15}},
    {"largest word", 6553.5f, {"6553.5", 7}, {"0", 0}, {"6553.5", 7}, {"1.5", 15}},
};

class InchingSetSpeed : public SettingsBus, public ::testing::WithParamInterface<SetSpeedCase> {};

TEST_P(InchingSetSpeed, WhatIsShownIsWhatEnterSendsAndOnlyWithinTheRange)
{
    const SetSpeedCase& c = GetParam();
    const struct {
        const char* key;
        const SetSpeedCase::Outcome& outcome;
    } steps[] = {{"", c.enter}, {"C", c.cancel}, {"U", c.up}, {"D", c.down}};
    Run("inching:1 go:13");
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string("key ") + step.key);
        store().InchingSpeedTenths = 7;
        store().StoredActualSpeedVal = c.saved;
        Run("T");
        ASSERT_EQ(7, DDU_301[1]);
        Run(step.key);
        EXPECT_EQ(step.outcome.shown, layout().m_InchingMode.m_SetSpeedRow.ValueLabel.get_text());
        Run("E T");
        EXPECT_EQ(step.outcome.word1, DDU_301[1]);
        EXPECT_EQ(step.outcome.word1, store().InchingSpeedTenths);
        EXPECT_TRUE(DDU_301[0] & 1u) << "the inching bit";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, InchingSetSpeed, ::testing::ValuesIn(kSetSpeedCases), CaseName());

// From either end of the range every step goes one tenth until the other
// end, and what is shown is what Enter sends at each step.
TEST_F(InchingSetSpeed, StepsTenthByTenthBetweenTheEnds)
{
    Run("inching:1 go:13");
    store().StoredActualSpeedVal = 0.5f;
    for (const char* key : {"U", "D"}) {
        for (int step = 0; step < 12; ++step) {
            Run(std::string(key) + " E T");
            const std::string shown = layout().m_InchingMode.m_SetSpeedRow.ValueLabel.get_text();
            const unsigned short tenths = DDU_301[1];
            EXPECT_GE(tenths, 5);
            EXPECT_LE(tenths, 15);
            EXPECT_EQ(InchingMode::SpeedTenths(std::stof(shown)), tenths) << shown;
        }
        EXPECT_EQ(*key == 'U' ? 15 : 5, DDU_301[1]);
    }
}

// -------------------------------------------------- wheel diameter take-over

// The vehicle's diameters (all six), a fault pop-up over the screen or not,
// and the vehicle's receipt bit changing with them or staying set.
typedef std::tuple<unsigned short, bool, bool> TakeOverCase;

class WheelTakeOver : public SettingsBus, public ::testing::WithParamInterface<TakeOverCase> {
protected:
    void VehicleSends(unsigned short value, bool receipt)
    {
        Publish(300, 0, receipt ? 0x8000 : 0);
        for (int word = 2; word < 8; ++word)
            Publish(300, word, value);
        Poll();
    }
    void ExpectRows(unsigned short value)
    {
        for (int row = 0; row < WheelDiameter::kRows; ++row)
            EXPECT_EQ(std::to_string(value), layout().m_WheelDiameter.m_ValueLabels[row].get_text()) << "row " << row;
    }
    static bool Within(unsigned short value) { return value >= 1016 && value <= 1097; }
    static bool SendBit() { return (DDU_301[0] & 0x8000u) != 0; }
};

TEST_P(WheelTakeOver, SendBitOnlyWithDiametersWithinTheLimits)
{
    const unsigned short value = std::get<0>(GetParam());
    const bool popup = std::get<1>(GetParam());
    const bool receiptStaysSet = std::get<2>(GetParam());

    if (receiptStaysSet)
        VehicleSends(1060, true);
    Run("go:16");
    Unlock();
    Run("E U E T");   // row 1 one up, committed: the send flag is set
    const unsigned short first = receiptStaysSet ? 1061 : kStartDiameter + 1;
    ASSERT_EQ(first, DDU_301[2]);
    ASSERT_TRUE(SendBit());

    if (popup)
        Run("fault:20000");
    ASSERT_EQ(popup ? ScreenFaultPopup : ScreenWheelDiameter, layout().m_ShownScreen);
    VehicleSends(value, true);
    Run("T T");
    for (int word = 2; word < 8; ++word)
        EXPECT_EQ(value, DDU_301[word]) << "the vehicle's values go out as taken over";
    EXPECT_EQ(Within(value), SendBit());

    if (popup)
        Run("fault:0 T");
    ASSERT_EQ(ScreenWheelDiameter, layout().m_ShownScreen);
    EXPECT_EQ(Within(value), SendBit());
    ExpectRows(value);
    const std::string file = display().workDir() + "/wheeldiameteroutput.txt";
    FILE* saved = std::fopen(file.c_str(), "r");
    ASSERT_NE(saved, nullptr);
    int read = 0;
    EXPECT_EQ(1, std::fscanf(saved, "BOGIE1WHEELDIAMval1=%d", &read));
    std::fclose(saved);
    EXPECT_EQ(value, read);

    // An edit of the first row starts from the screen's working value: the
    // vehicle's when its receipt bit changed, else the one committed before.
    // Beyond the limits the first step goes to the nearer limit. Nothing is
    // sent before Enter.
    Run("E U T");
    const unsigned short working = receiptStaysSet ? first : value;
    const unsigned short edited =
        working < 1016 ? 1016 : working > 1097 ? 1097 : std::min<unsigned short>(working + 1, 1097);
    EXPECT_EQ(std::to_string(edited), layout().m_WheelDiameter.m_ValueLabels[0].get_text());
    EXPECT_EQ(value, DDU_301[2]);
    Run("E T");
    EXPECT_EQ(edited, DDU_301[2]);
}

INSTANTIATE_TEST_SUITE_P(Cases, WheelTakeOver,
                         ::testing::Combine(::testing::Values(1000, 1016, 1097, 1098), ::testing::Bool(),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<TakeOverCase>& info) {
                             return std::to_string(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "_under_popup" : "_no_popup") +
                                    (std::get<2>(info.param) ? "_receipt_stays_set" : "_receipt_changes");
                         });

using WheelRows = WheelTakeOver;

// The vehicle changes its diameters while its receipt bit stays set: the
// rows follow what port 301 sends; the row being edited shows its edit value.
TEST_F(WheelRows, ShowWhatIsSentExceptTheRowBeingEdited)
{
    VehicleSends(1063, true);
    Run("go:16 T");
    ExpectRows(1063);
    VehicleSends(1073, true);
    Run("T");
    ExpectRows(1073);
    Unlock();
    Run("T");
    EXPECT_EQ(1073, DDU_301[4]);
    ExpectRows(1073);

    Run("D D E U T");
    WheelDiameter& wheel = layout().m_WheelDiameter;
    EXPECT_EQ("1064", wheel.m_ValueLabels[2].get_text()) << "the edit goes on from the screen's working value";
    EXPECT_EQ("1073", wheel.m_ValueLabels[1].get_text());
    Run("E T");
    const unsigned short sent[6] = {1073, 1073, 1064, 1073, 1073, 1073};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(sent[row], DDU_301[2 + row]);
        EXPECT_EQ(std::to_string(sent[row]), wheel.m_ValueLabels[row].get_text());
    }
    EXPECT_TRUE(SendBit());
}

// ----------------------------------------------- refused locomotive number

struct LocoCase {
    const char* name;
    const char* keys;        // on screen 14 after 321 was accepted
    unsigned short word8;    // port 301 word 8 at the end
    const char* message;     // colour of "Confirm" at the end
};

const char kOrange[] = "#f06705";
const char kRed[] = "#fc5751";
const char kWhite[] = "#ffffff";

const LocoCase kLocoCases[] = {
    {"refused ok ends the edit", "M E type:70000K", 321, kRed},
    {"refused ok then home and the confirm step", "M E type:70000K H go:14 M D E", 0, kOrange},
    {"refused ok then left", "M E type:70000K L go:14 M D E", 0, kOrange},
    {"refused ok then right", "M E type:70000K R go:14 M D E", 0, kOrange},
    {"refused ok then a fault popup", "M E type:70000K fault:20000 R E fault:0 M D E", 0, kOrange},
    {"refused ok then cancel", "M E type:70000K C M D E", 0, kOrange},
    {"refused ok then the confirm step at once", "M E type:70000K M D E", 0, kOrange},
    {"refused ok then a number that fits", "M E type:70000K M E type:4444K", 4444, kOrange},
    {"entry past the word left by home", "M E type:70000 H go:14", 321, kWhite},
    {"entry past the word left by home, confirm step", "M E type:70000 H go:14 M D E", 0, kOrange},
    {"entry past the word under a fault popup, then ok", "M E type:70000 fault:20000 fault:0 type:K", 321, kRed},
    {"entry past the word cancelled", "M E type:70000 C", 321, kWhite},
    {"left and right in the keypad, then cancel", "M E type:700 L R C", 321, kWhite},
    {"confirm step ignores down, enter ends it", "M D D E", 321, kOrange},
};

class RefusedLocoNumber : public SettingsBus, public ::testing::WithParamInterface<LocoCase> {
protected:
    static std::string Colour(Gtk::Widget& widget)
    {
        const Gdk::Color colour = widget.get_modifier_style()->get_fg(Gtk::STATE_NORMAL);
        char text[8];
        std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.get_red() >> 8, colour.get_green() >> 8,
                      colour.get_blue() >> 8);
        return text;
    }
};

TEST_P(RefusedLocoNumber, LeftChangesTheScreenAfterwards)
{
    const LocoCase& c = GetParam();
    Run("go:14 M E type:321K T");
    ASSERT_EQ(321, DDU_301[8]);
    ASSERT_EQ(0, layout().m_LocoNumberEditState);

    Run(c.keys);
    Run("T");
    EXPECT_EQ(c.word8, DDU_301[8]);
    EXPECT_EQ(c.word8, store().EnteredLocoNumber);
    EXPECT_EQ(c.message, Colour(layout().m_LocoNumner.m_MessageLabel));
    EXPECT_EQ(ScreenLocoNumner, layout().m_TargetScreen);
    EXPECT_EQ(0, layout().m_LocoNumberEditState) << "the edit has ended";

    const unsigned before = store().CurrentScreen;
    Key(BusKeyLeft);
    EXPECT_NE(before, store().CurrentScreen);
    EXPECT_EQ(unsigned(ScreenInchingMode), store().CurrentScreen);
    EXPECT_EQ(ScreenInchingMode, layout().m_ShownScreen);
    Run("T");
    EXPECT_EQ(c.word8, DDU_301[8]) << "word 8 keeps its value off the screen";
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedLocoNumber, ::testing::ValuesIn(kLocoCases), CaseName());

}  // namespace
}  // namespace shelltest
