// The wheel diameter screen: cursor, edit, steps within 1016..1097, commit,
// the take-over of the vehicle's values, and what port 301 and
// wheeldiameteroutput.txt carry after the decode tick.
#include "SettingsFixture.h"

using namespace settingstest;

namespace {

struct WheelCase {
    const char* name;
    unsigned short start;      // all six diameters when the screen is built
    const char* keys;          // on screen 16 after the access code
    unsigned short cursor;
    const char* label;         // value label of the cursor row
    unsigned short stored;     // WheelDiameters[cursor] after the keys
    bool editing;
    bool sendBit;              // port 301 word 0 bit 15 after a tick
};

const WheelCase kCases[] = {
    {"two steps up and commit", 1050, "E U T U T E", 0, "1052", 1052, false, true},
    {"step down on row 3", 1050, "D D E D T E", 2, "1049", 1049, false, true},
    {"enter twice commits nothing", 1050, "E E", 0, "1050", 1050, true, true},
    {"cancel shows the store's value again", 1050, "E U T C", 0, "1050", 1050, false, true},
    {"edit after cancel goes on from the edit value", 1050, "E U T C E", 0, "1051", 1050, true, true},
    {"top of the range counts as a change", 1097, "E U T E", 0, "1097", 1097, false, true},
    {"bottom of the range", 1016, "E D T E", 0, "1016", 1016, false, true},
    {"below the range up goes to the lower limit", 1000, "E U T", 0, "1016", 1000, true, false},
    {"below the range down goes to the lower limit", 1000, "E D T E", 0, "1016", 1016, false, false},
    {"then steps from the limit", 1000, "E U T U T E", 0, "1017", 1017, false, false},
    {"above the range up goes to the upper limit", 1200, "E U T E", 0, "1097", 1097, false, false},
    {"above the range down goes to the upper limit", 1200, "E D T D T E", 0, "1096", 1096, false, false},
    {"missing file: six zeros are never flagged", 0, "E", 0, "0", 0, true, false},
    {"step just before cancel is dropped", 1050, "E kb:U kb:C E T", 0, "1050", 1050, true, true},
    {"up wraps the cursor", 1050, "U", 5, "1050", 1050, false, false},
    {"down wraps the cursor", 1050, "U D", 0, "1050", 1050, false, false},
};

class WheelScript : public SettingsTest, public ::testing::WithParamInterface<WheelCase> {};

TEST_P(WheelScript, KeysToLabelsToStoreToPortAndFile)
{
    const WheelCase& c = GetParam();
    StartDiameters(c.start);
    Run("go:16 E type:8316K");
    ASSERT_EQ(Shown(), 16);
    ASSERT_EQ(store().PasswordUnlocked, 1);
    Run(c.keys);
    Poll();

    EXPECT_EQ(store().WheelDiameterCursor, c.cursor);
    EXPECT_EQ(Text(Wheel().m_ValueLabels[c.cursor]), c.label);
    EXPECT_EQ(store().WheelDiameters[c.cursor], c.stored);
    EXPECT_EQ(Wheel().m_Editing, c.editing ? 1 : 0);
    EXPECT_EQ(store().WheelDiameterEditing, c.editing ? 1 : 0);
    EXPECT_EQ(Bit(DDU_301[0], 15), c.sendBit);
    EXPECT_EQ(DDU_301[2 + c.cursor], c.stored);

    std::string file;
    for (int row = 0; row < 6; ++row) {
        const unsigned short value = row == c.cursor ? c.stored : c.start;
        file += "BOGIE" + std::to_string(row + 1) + "WHEELDIAMval" + std::to_string(row + 1) + "=" +
                std::to_string(value) + "\n";
    }
    EXPECT_EQ(ReadFile("wheeldiameteroutput.txt"), file);
}

INSTANTIATE_TEST_SUITE_P(Cases, WheelScript, ::testing::ValuesIn(kCases), CaseName());

TEST(WheelLimits, AllSixMustLieWithin)
{
    const struct {
        std::uint16_t values[6];
        bool within;
    } cases[] = {{{1016, 1097, 1050, 1050, 1050, 1050}, true},
                 {{1015, 1050, 1050, 1050, 1050, 1050}, false},
                 {{1050, 1050, 1050, 1050, 1050, 1098}, false},
                 {{0, 0, 0, 0, 0, 0}, false}};
    for (const auto& c : cases) EXPECT_EQ(WheelDiameter::AllWithinLimits(c.values), c.within);
}

class WheelScreen : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        StartDiameters(1050);
    }
    // The vehicle reports six diameters on port 300 with its receipt bit.
    void VehicleSends(unsigned short first)
    {
        Publish(300, 0, 0x8000);
        for (int row = 0; row < 6; ++row) Publish(300, 2 + row, static_cast<unsigned short>(first + row));
    }
};

TEST_F(WheelScreen, LockedEnterOpensNoEditAndSetsNoFlag)
{
    Run("go:16 E");
    EXPECT_EQ(Shown(), 18);
    EXPECT_EQ(Wheel().m_Editing, 0);
    EXPECT_EQ(store().WheelDiameterSendFlag, 0);
    Run("T");
    EXPECT_FALSE(Bit(DDU_301[0], 15));
    EXPECT_EQ(DDU_301[2], 0) << "nothing sent while locked";
}

TEST_F(WheelScreen, NothingSentWhileAnotherScreenIsCurrent)
{
    // The commit with the service keyboard, between two ticks.
    Run("go:16 E type:8316K E U T kb:E");
    ASSERT_EQ(store().WheelDiameters[0], 1051);
    store().CurrentScreen = 15;   // as after a jump that leaves the lock open
    DDU_301[2] = 0;
    Run("T");
    EXPECT_EQ(DDU_301[2], 0);
    EXPECT_FALSE(Bit(DDU_301[0], 15));
    EXPECT_EQ(ReadFile("wheeldiameteroutput.txt").substr(0, 25), "BOGIE1WHEELDIAMval1=1050\n")
        << "the file is kept by the screen's ticks only";
    store().CurrentScreen = 16;
    Run("T");
    EXPECT_EQ(DDU_301[2], 1051);
    EXPECT_TRUE(Bit(DDU_301[0], 15));
    EXPECT_EQ(ReadFile("wheeldiameteroutput.txt").substr(0, 25), "BOGIE1WHEELDIAMval1=1051\n");
}

TEST_F(WheelScreen, TakeOverRewritesTheLabels)
{
    Run("go:16 T");
    VehicleSends(1060);
    Run("T");
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(Wheel().m_Values[row], 1060 + row);
        EXPECT_EQ(Text(Wheel().m_ValueLabels[row]), std::to_string(1060 + row));
    }
    Run("E type:8316K E U T E");
    EXPECT_EQ(store().WheelDiameters[0], 1061);
    EXPECT_EQ(Text(Wheel().m_ValueLabels[0]), "1061");
}

TEST_F(WheelScreen, VehicleValuesOutsideTheLimitsWithdrawTheSendFlag)
{
    Run("go:16 E type:8316K E");
    EXPECT_EQ(store().WheelDiameterSendFlag, 1);
    VehicleSends(1000);
    Run("T T");
    EXPECT_EQ(store().WheelDiameterSendFlag, 0);
    Run("T");
    EXPECT_FALSE(Bit(DDU_301[0], 15));
}

TEST_F(WheelScreen, LeftAndRightClearTheSendFlagButKeepTheEdit)
{
    Run("go:16 E type:8316K E U T");
    EXPECT_EQ(store().WheelDiameterSendFlag, 1);
    Run("R L");
    EXPECT_EQ(store().WheelDiameterSendFlag, 0);
    EXPECT_EQ(Wheel().m_Editing, 1);
    Run("U T E");
    EXPECT_EQ(Shown(), 18) << "commit needs the code again";
    Run("type:8316K E");
    EXPECT_EQ(store().WheelDiameters[0], 1052);
}

TEST_F(WheelScreen, CursorRowIsWhiteAndStateFieldsFollowTheEdit)
{
    Run("go:16 D D T");
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(Background(Wheel().m_ValueBoxes[row]), row == 2 ? "#ffffff" : "#000000");
    Run("M");
    EXPECT_EQ(store().WheelDiameterState, 1);
    Run("E type:8316K E");
    EXPECT_EQ(store().WheelDiameterState, 0);
    EXPECT_EQ(store().WheelDiameterEditing, 1);
    Run("D T E");
    EXPECT_EQ(store().WheelDiameterState, 1);
    EXPECT_EQ(store().WheelDiameterEditing, 0);
    EXPECT_EQ(store().WheelDiameters[2], 1049);
}

TEST_F(WheelScreen, CaptionsAndStartValues)
{
    store().WheelDiameters[4] = 1077;
    WheelDiameter built;   // a screen built on the store's diameters
    for (WheelDiameter* screen : {&Wheel(), &built}) {
        for (int row = 0; row < 6; ++row) {
            const std::string n = std::to_string(row + 1);
            EXPECT_EQ(Text(screen->m_CaptionLabels[row]), "BOGIE " + n + " WHEEL DIAM " + n);
        }
        EXPECT_EQ(screen->m_MinDiameter, 1016);
        EXPECT_EQ(screen->m_MaxDiameter, 1097);
    }
    EXPECT_EQ(Text(built.m_ValueLabels[4]), "1077");
}

}  // namespace
