// The six-motor isolation screen: cursor with wrap, the flag Enter sets once
// unlocked, the red flash and white frame, and port 301 word 0 bits 1..6.
#include "SettingsFixture.h"

using namespace settingstest;

namespace {

constexpr const char* kTeal = "#78c4aa";
constexpr const char* kRed = "#fc5751";

struct IsolationCase {
    const char* name;
    const char* keys;        // on screen 15 after the access code
    unsigned short cursor;
    unsigned flags;          // bit m: motor m+1 isolated
};

const IsolationCase kCases[] = {
    {"first motor", "E T", 0, 0x01},
    {"up wraps to motor 6", "U E T", 5, 0x20},
    {"down from 6 wraps to motor 1", "U D E T", 0, 0x01},
    {"two motors", "D E T D D E T", 3, 0x0a},
    {"again on a set flag", "E T E T", 0, 0x01},
    {"menu and cancel set nothing", "M C T", 0, 0x00},
    {"cursor moves without enter", "D D D", 3, 0x00},
};

class IsolationScript : public SettingsTest, public ::testing::WithParamInterface<IsolationCase> {};

TEST_P(IsolationScript, KeysToFlagsToPortBits)
{
    const IsolationCase& c = GetParam();
    Run("go:15 E type:8316K");
    ASSERT_EQ(store().PasswordUnlocked, 1);
    Run(c.keys);
    Poll();
    EXPECT_EQ(store().MotorIsolationCursor, c.cursor);
    for (int m = 0; m < 6; ++m) {
        SCOPED_TRACE(m);
        const bool isolated = (c.flags >> m) & 1u;
        EXPECT_EQ(store().MotorIsolationFlags[m], isolated ? 1 : 0);
        EXPECT_EQ(Bit(DDU_301[0], 1 + m), isolated);
        EXPECT_EQ(Background(Isolation().m_FrameBoxes[m]), m == c.cursor ? "#ffffff" : "#000000");
        EXPECT_EQ(Background(Isolation().m_MotorBoxes[m]), kTeal);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IsolationScript, ::testing::ValuesIn(kCases), CaseName());

using IsolationScreen = SettingsTest;

TEST_F(IsolationScreen, RedOnlyOnTheRefreshThatSetsTheFlag)
{
    Run("go:15 E type:8316K D D kb:E");
    EXPECT_EQ(Background(Isolation().m_MotorBoxes[2]), kRed);
    EXPECT_EQ(Background(Isolation().m_MotorBoxes[1]), kTeal);
    Run("T");
    EXPECT_EQ(Background(Isolation().m_MotorBoxes[2]), kTeal);
    EXPECT_EQ(store().MotorIsolationFlags[2], 1);
}

TEST_F(IsolationScreen, CancelBlackensTheFrameUntilTheNextRefresh)
{
    Run("go:15 T D T");
    EXPECT_EQ(Background(Isolation().m_FrameBoxes[1]), "#ffffff");
    Run("kb:C");
    for (auto& frame : Isolation().m_FrameBoxes) EXPECT_EQ(Background(frame), "#000000");
    Run("T");
    EXPECT_EQ(Background(Isolation().m_FrameBoxes[1]), "#ffffff");
}

TEST_F(IsolationScreen, LockedOrElsewhereNothingReachesThePort)
{
    Run("go:15 E");
    EXPECT_EQ(Shown(), 18) << "locked: Enter asks for the code";
    Run("type:1K E");   // wrong code, back on 15, asks again
    EXPECT_EQ(Shown(), 18);
    Run("type:8316K");
    ASSERT_EQ(Shown(), 15);
    EXPECT_EQ(Isolation().m_EnterRequest, 0) << "no flag was asked for while locked";
    Run("E");
    EXPECT_EQ(store().MotorIsolationFlags[0], 1);
    // Set, but sent only while the screen is current and unlocked.
    DDU_301[0] = 0;
    store().PasswordUnlocked = 0;
    Run("T");
    EXPECT_FALSE(Bit(DDU_301[0], 1)) << "locked";
    store().PasswordUnlocked = 1;
    store().CurrentScreen = 16;
    Run("T");
    EXPECT_FALSE(Bit(DDU_301[0], 1)) << "another screen";
    store().CurrentScreen = 15;
    Run("T");
    EXPECT_TRUE(Bit(DDU_301[0], 1));
}

TEST_F(IsolationScreen, CursorOutOfRangeDrawsNoCursorAndKeepsTheRequest)
{
    Run("go:15 E type:8316K T");
    store().MotorIsolationCursor = 9;
    Run("E");
    EXPECT_EQ(Isolation().m_EnterRequest, 1);
    for (unsigned short flag : store().MotorIsolationFlags) EXPECT_EQ(flag, 0);
    Run("D T");
    EXPECT_EQ(store().MotorIsolationCursor, 0);
    EXPECT_EQ(store().MotorIsolationFlags[0], 1) << "the pending request lands on the cursor";
}

TEST_F(IsolationScreen, LabelsAndHint)
{
    for (int m = 0; m < 6; ++m)
        EXPECT_EQ(Text(Isolation().m_MotorLabels[m]), "ISOLATE MOTOR " + std::to_string(m + 1));
    EXPECT_EQ(Text(Isolation().m_HintLabel),
              " press Enter key-> put Password-> \n Select Motor use UP/Down Key->press Enter");
}

}  // namespace
