// The password screen through the main layout's keys: typed numbers, the
// access code, the over-range latch, and what the unlock lets reach port 301.
#include "SettingsHarness.h"

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
    CabKeys& cab = Cab();
    cab.Run("go:15 E");
    ASSERT_EQ(cab.shown, 18);
    EXPECT_EQ(Store().PasswordReturnScreen, 15);
    cab.Type(c.typed);

    EXPECT_EQ(cab.shown, 15) << "OK returns to the asking screen, right code or not";
    EXPECT_EQ(cab.passwordEdit, 0);
    EXPECT_EQ(Text(cab.password.m_ValueLabel), c.shown);
    EXPECT_EQ(Text(cab.password.m_MessageLabel), c.unlocked ? "UNLOCKED..." : "Incorrect Password");
    EXPECT_EQ(Store().PasswordUnlocked, c.unlocked ? 1 : 0);
    EXPECT_EQ(Store().EnteredPassword, c.entered);

    // Enter on the isolation screen: a flag only when unlocked, else the
    // password screen again.
    cab.Run("E T");
    EXPECT_EQ(Store().MotorIsolationFlags[0], c.unlocked ? 1 : 0);
    EXPECT_EQ(Bit(DDU_301[0], 1), c.unlocked);
    EXPECT_EQ(cab.shown, c.unlocked ? 15 : 18);
}

INSTANTIATE_TEST_SUITE_P(Cases, PasswordScript, ::testing::ValuesIn(kCases), CaseName());

using PasswordScreen = SettingsTest;

TEST_F(PasswordScreen, EveryVisitStartsBlankOnCellOneAndClearsTheLatch)
{
    CabKeys& cab = Cab();
    cab.Run("go:16 E type:987654");
    EXPECT_TRUE(cab.password.m_OverRange);
    EXPECT_EQ(Text(cab.password.m_ValueLabel), " ");
    cab.Run("H go:16 E");
    EXPECT_FALSE(cab.password.m_OverRange);
    EXPECT_EQ(cab.password.m_SelectedCell, 1);
    EXPECT_EQ(Text(cab.password.m_ValueLabel), " ");
    EXPECT_EQ(Store().EnteredPassword, 0);
    cab.Run("type:8316K");
    EXPECT_EQ(Store().PasswordUnlocked, 1);
    EXPECT_EQ(cab.shown, 16);
}

TEST_F(PasswordScreen, TypedDigitsShowWhileTyping)
{
    CabKeys& cab = Cab();
    cab.Run("go:15 E type:77");
    EXPECT_EQ(Text(cab.password.m_ValueLabel), "77") << "Enter does not move the selection";
    EXPECT_EQ(cab.shown, 18);
    EXPECT_EQ(cab.password.m_EntryDone, 0);
}

TEST_F(PasswordScreen, LeftOrRightLocksAgainAndWithdrawsTheBusFields)
{
    CabKeys& cab = Cab();
    cab.Run("go:15 E type:8316K D E T");
    EXPECT_TRUE(Bit(DDU_301[0], 2));
    cab.Run("R L");
    EXPECT_EQ(Store().PasswordUnlocked, 0);
    cab.Run("D E");
    EXPECT_EQ(cab.shown, 18) << "the access code is needed again";
    EXPECT_EQ(Store().MotorIsolationFlags[2], 0);
}

TEST_F(PasswordScreen, MessageTurnsWhiteOnTheNextEntryAndKeepsItsText)
{
    CabKeys& cab = Cab();
    cab.Run("go:15 E type:1K");
    EXPECT_EQ(Background(cab.password.m_ValueBox), "#ffffff");
    const Gdk::Color orange = cab.password.m_MessageLabel.get_modifier_style()->get_fg(Gtk::STATE_NORMAL);
    EXPECT_EQ(orange.get_red() >> 8, 0xf0);
    cab.Run("E");
    EXPECT_EQ(Text(cab.password.m_MessageLabel), "Incorrect Password");
    const Gdk::Color white = cab.password.m_MessageLabel.get_modifier_style()->get_fg(Gtk::STATE_NORMAL);
    EXPECT_EQ(white.get_blue() >> 8, 0xff);
}

TEST_F(PasswordScreen, SignalIsThereForTheMainLayout)
{
    int emitted = 0;
    Cab().password.m_PasswordSignal.connect([&] { ++emitted; });
    Cab().Run("go:15 E type:8316K");
    EXPECT_EQ(emitted, 0) << "nothing emits it";
}

}  // namespace
