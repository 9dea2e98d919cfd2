// The password screen through the main layout's keys: typed numbers, the
// access code, the over-range latch, and what the unlock lets reach port 301.
#include "SettingsFixture.h"

using namespace settingstest;

namespace {

struct PasswordCase {
    const char* name;
    const char* typed;       // cells typed on screen 18, OK included
    const char* shown;       // value box after OK
    bool unlocked;
    unsigned short entered;  // EnteredPassword
};

const PasswordCase kCases[] = {
    {"access code", "8316K", "8316", true, 8316},
    {"nothing typed", "K", " ", false, 0},
    {"leading zero", "08316K", "8316", true, 8316},
    {"one digit short", "831K", "831", false, 831},
    {"one digit more", "83160K", " ", false, 0},
    {"wraps onto the code", "73852K", " ", false, 0},
    {"far past the range", "1000000000008316K", " ", false, 0},
    {"largest in range", "65535K", "65535", false, 65535},
    {"clear after a wrong digit", "9C8316K", "8316", true, 8316},
    {"clear ends the latch", "73852C8316K", "8316", true, 8316},
    {"zero alone", "0K", " ", false, 0},
};

class PasswordScript : public SettingsTest, public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(PasswordScript, KeysToUnlockToIsolationBitOnPort301)
{
    const PasswordCase& c = GetParam();
    Run("go:15 E");
    ASSERT_EQ(Shown(), 18);
    EXPECT_EQ(store().PasswordReturnScreen, 15);
    Type(c.typed);

    EXPECT_EQ(Shown(), 15) << "OK returns to the asking screen, right code or not";
    EXPECT_EQ(PasswordEdit(), 0);
    EXPECT_EQ(Text(PasswordEntry().m_ValueLabel), c.shown);
    EXPECT_EQ(Text(PasswordEntry().m_MessageLabel), c.unlocked ? "UNLOCKED..." : "Incorrect Password");
    EXPECT_EQ(store().PasswordUnlocked, c.unlocked ? 1 : 0);
    EXPECT_EQ(store().EnteredPassword, c.entered);

    // Enter on the isolation screen: a flag only when unlocked, else the
    // password screen again.
    Run("E T");
    EXPECT_EQ(store().MotorIsolationFlags[0], c.unlocked ? 1 : 0);
    EXPECT_EQ(Bit(DDU_301[0], 1), c.unlocked);
    EXPECT_EQ(Shown(), c.unlocked ? 15 : 18);
}

INSTANTIATE_TEST_SUITE_P(Cases, PasswordScript, ::testing::ValuesIn(kCases), CaseName());

using PasswordScreen = SettingsTest;

TEST_F(PasswordScreen, EveryVisitStartsBlankOnCellOneAndClearsTheLatch)
{
    Run("go:16 E type:987654");
    EXPECT_TRUE(PasswordEntry().m_OverRange);
    EXPECT_EQ(Text(PasswordEntry().m_ValueLabel), " ");
    Run("H go:16 E");
    EXPECT_FALSE(PasswordEntry().m_OverRange);
    EXPECT_EQ(PasswordEntry().m_SelectedCell, 1);
    EXPECT_EQ(Text(PasswordEntry().m_ValueLabel), " ");
    EXPECT_EQ(store().EnteredPassword, 0);
    Run("type:8316K");
    EXPECT_EQ(store().PasswordUnlocked, 1);
    EXPECT_EQ(Shown(), 16);
}

TEST_F(PasswordScreen, TypedDigitsShowWhileTyping)
{
    Run("go:15 E type:77");
    EXPECT_EQ(Text(PasswordEntry().m_ValueLabel), "77") << "Enter does not move the selection";
    EXPECT_EQ(Shown(), 18);
    EXPECT_EQ(PasswordEntry().m_EntryDone, 0);
}

TEST_F(PasswordScreen, LeftOrRightLocksAgainAndWithdrawsTheBusFields)
{
    Run("go:15 E type:8316K D E T");
    EXPECT_TRUE(Bit(DDU_301[0], 2));
    Run("R L");
    EXPECT_EQ(store().PasswordUnlocked, 0);
    Run("D E");
    EXPECT_EQ(Shown(), 18) << "the access code is needed again";
    EXPECT_EQ(store().MotorIsolationFlags[2], 0);
}

TEST_F(PasswordScreen, MessageTurnsWhiteOnTheNextEntryAndKeepsItsText)
{
    Run("go:15 E type:1K");
    EXPECT_EQ(Background(PasswordEntry().m_ValueBox), "#ffffff");
    const Gdk::Color orange = PasswordEntry().m_MessageLabel.get_modifier_style()->get_fg(Gtk::STATE_NORMAL);
    EXPECT_EQ(orange.get_red() >> 8, 0xf0);
    Run("E");
    EXPECT_EQ(Text(PasswordEntry().m_MessageLabel), "Incorrect Password");
    const Gdk::Color white = PasswordEntry().m_MessageLabel.get_modifier_style()->get_fg(Gtk::STATE_NORMAL);
    EXPECT_EQ(white.get_blue() >> 8, 0xff);
}

TEST_F(PasswordScreen, SignalIsThereForTheMainLayout)
{
    int emitted = 0;
    sigc::connection watch = PasswordEntry().m_PasswordSignal.connect([&] { ++emitted; });
    Run("go:15 E type:8316K");
    watch.disconnect();
    EXPECT_EQ(emitted, 0) << "nothing emits it";
}

}  // namespace
