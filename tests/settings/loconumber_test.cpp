// The locomotive number screen: the edit states of the main layout, the
// number accepted or committed, what port 301 word 8 carries after a decode
// tick, and the over-range latch that keeps word 8 honest.
#include "SettingsFixture.h"

using namespace settingstest;

namespace {

struct LocoCase {
    const char* name;
    const char* keys;          // on screen 14
    const char* shown;         // value box text at the end
    unsigned entered;          // EnteredLocoNumber
    int editState;             // main layout's edit state at the end
    unsigned eventState;       // 2 once an edit ended
    unsigned short word8;      // port 301 word 8 after a tick
};

const LocoCase kCases[] = {
    {"five digits and ok", "M E type:12345K", "12345", 12345, 0, 2, 12345},
    {"zero in the middle", "M E type:703K", "703", 703, 0, 2, 703},
    {"largest word", "M E type:65535K", "65535", 65535, 0, 2, 65535},
    {"past the word is refused and ends the edit", "M E type:70000K", " ", 0, 0, 2, 0},
    {"five nines refused", "M E type:99999K", " ", 0, 0, 2, 0},
    {"ten digits never wrap into range", "M E type:4294967297K", " ", 0, 0, 2, 0},
    {"refused number leaves the last one sent", "M E type:321K M E type:70000K", " ", 321, 0, 2, 321},
    {"six digits refused, a new edit takes five", "M E type:123456K M E type:12345K", "12345", 12345, 0, 2,
     12345},
    {"clear before ok takes the number", "M E type:123456 type:C12345K", "12345", 12345, 0, 2, 12345},
    {"cancel in the keypad", "M E type:12 C", " ", 0, 0, 2, 0},
    {"confirm step commits the entry", "M E type:42 H go:14 M D E", "42", 42, 0, 2, 42},
    {"a leftover past the word is dropped on a new visit", "M E type:123456 H go:14 M D", " ", 0, 3, 0, 0},
    {"refused then confirm step commits the empty entry", "M E type:70000K M D E", " ", 0, 0, 2, 0},
    {"confirm step after cancel commits 0", "M E type:5 C M D E", " ", 0, 0, 2, 0},
    {"menu only starts an edit", "M", "0", 0, 1, 0, 0},
    {"up in the first box does nothing", "M U", "0", 0, 1, 0, 0},
    {"second box up goes back", "M D U", "0", 0, 1, 0, 0},
};

class LocoScript : public SettingsTest, public ::testing::WithParamInterface<LocoCase> {};

TEST_P(LocoScript, KeysToShownTextToStoreToWord8)
{
    const LocoCase& c = GetParam();
    Run("go:14");
    Run(c.keys);
    EXPECT_EQ(Text(Loco().m_ValueLabel), c.shown);
    EXPECT_EQ(store().EnteredLocoNumber, c.entered);
    EXPECT_EQ(LocoEdit(), c.editState);
    EXPECT_EQ(store().EventState, c.eventState);
    Poll();
    EXPECT_EQ(DDU_301[8], c.word8);
}

INSTANTIATE_TEST_SUITE_P(Cases, LocoScript, ::testing::ValuesIn(kCases), CaseName());

using LocoScreen = SettingsTest;

TEST_F(LocoScreen, NumberRowFollowsTheVehicleOnEveryRefresh)
{
    LocoNumner built;   // a screen before its first refresh
    EXPECT_EQ(Text(built.m_LocoNumberRow.ValueLabel), "00000");
    EXPECT_EQ(Text(built.m_LocoTypeRow.ValueLabel), "WAG-9");
    Run("go:14 T");
    EXPECT_EQ(Text(Loco().m_LocoTypeRow.ValueLabel), "WAG-9");
    EXPECT_EQ(Text(Loco().m_LocoNumberRow.ValueLabel), "0");
    // The vehicle reports its number on port 1040 word 4.
    Publish(1040, 4, 31245);
    Run("M E type:777 T");
    EXPECT_EQ(Text(Loco().m_LocoNumberRow.ValueLabel), "31245") << "the number typed is not shown here";
    Loco().m_LocoNumberRow.ValueLabel.set_text("x");
    Run("T");
    EXPECT_EQ(Text(Loco().m_LocoNumberRow.ValueLabel), "31245") << "unchanged, drawn again";
}

TEST_F(LocoScreen, Word8OnlyWhileTheScreenIsCurrent)
{
    Run("go:14 M E type:321K");
    EXPECT_EQ(DDU_301[8], 321) << "the tick that brings OK sends the number";
    Run("R");
    DDU_301[8] = 0;
    Run("T");
    EXPECT_EQ(DDU_301[8], 0) << "another screen: nothing sent";
    Run("L T");
    EXPECT_EQ(DDU_301[8], 321);
    // With the service keyboard, OK and right come within one poll.
    Run("M E type:C9 kb:R kb:R kb:R kb:E kb:R T");
    EXPECT_EQ(Target(), 15);
    EXPECT_EQ(store().EnteredLocoNumber, 9u);
    EXPECT_EQ(DDU_301[8], 321) << "the word keeps its last value off the screen";
    EXPECT_EQ(store().LocoNumberConfirmed, 0);
    Publish(1040, 4, 9);
    Run("L T");
    EXPECT_EQ(DDU_301[8], 9);
    EXPECT_EQ(store().LocoNumberConfirmed, 1);
}

TEST_F(LocoScreen, BoxColoursAndConfirmFollowTheEdit)
{
    Run("go:14");
    EXPECT_EQ(Background(Loco().m_ValueBox), "#000000");
    Run("M");
    EXPECT_EQ(Background(Loco().m_ValueBox), "#ffffff");
    EXPECT_EQ(Loco().m_ValueBox.get_border_width(), 1u);
    Run("D");
    const Gdk::Color confirm = Loco().m_MessageLabel.get_modifier_style()->get_fg(Gtk::STATE_NORMAL);
    EXPECT_EQ(confirm.get_red() >> 8, 0xf0) << "Confirm turns orange";
    Run("U");
    EXPECT_EQ(Background(Loco().m_ValueBox), "#000000");
    Run("C M E type:8");
    EXPECT_EQ(Text(Loco().m_ValueLabel), "8");
    Run("C");
    EXPECT_EQ(Background(Loco().m_ValueBox), "#000000");
    EXPECT_EQ(Text(Loco().m_ValueLabel), " ") << "Cancel blanks the digits Confirm would not send";
}

TEST_F(LocoScreen, LeftAndRightMoveTheKeypadDuringAnEdit)
{
    Run("go:14 M E R R");
    EXPECT_EQ(Loco().m_SelectedCell, 3);
    Run("L");
    EXPECT_EQ(Loco().m_SelectedCell, 2);
    EXPECT_EQ(Target(), 14);
}

}  // namespace
