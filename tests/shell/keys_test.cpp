// Key dispatch of a real main layout: keypad bytes through the pseudo-terminal
// keypad line, the bus poll and the decode tick; keyboard keys as GDK events.
// Each case starts on the main screen, presses its keys and checks the screen
// the driver sees, the target, what went to the store and what the screens
// did with the key.
#include "LayoutFixture.h"

#include <functional>
#include <vector>

#include "KeyCodes.h"

namespace shelltest {
namespace {

struct KeyCase {
    const char* name;
    std::vector<unsigned char> keys;
    unsigned short target;   // m_TargetScreen afterwards
    unsigned short shown;    // m_ShownScreen afterwards (after the tick's refresh)
    unsigned current;        // the store's CurrentScreen afterwards
    std::function<void(BasicLayout&, ReadMVBData&)> check;
};

class KeyDispatch : public LayoutTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyDispatch, KeysMoveScreensAndReachTheScreenInFront)
{
    const KeyCase& c = GetParam();
    for (unsigned char key : c.keys)
        display().Press(key);
    EXPECT_EQ(c.target, layout().m_TargetScreen);
    EXPECT_EQ(c.shown, layout().m_ShownScreen);
    EXPECT_EQ(c.current, store().CurrentScreen);
    EXPECT_EQ(c.target, store().LastTargetScreen);
    if (c.check)
        c.check(layout(), store());
}

std::vector<unsigned char> Repeat(unsigned char key, int times) { return std::vector<unsigned char>(times, key); }

std::vector<unsigned char> Then(std::vector<unsigned char> a, const std::vector<unsigned char>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// To screen 15 (motor isolation) and enter: the password screen, locked.
const std::vector<unsigned char> kToPassword = {BusKeyLeft, BusKeyLeft, BusKeyLeft, BusKeyEnter};
// 8316 on the password keypad from cell 1, then "OK".
const std::vector<unsigned char> kRightCode = {BusKeyDown, BusKeyDown, BusKeyRight, BusKeyEnter,   // 8
                                               BusKeyUp, BusKeyUp, BusKeyRight, BusKeyEnter,       // 3
                                               BusKeyLeft, BusKeyLeft, BusKeyEnter,                // 1
                                               BusKeyDown, BusKeyRight, BusKeyRight, BusKeyEnter,  // 6
                                               BusKeyDown, BusKeyDown, BusKeyEnter};               // OK

const KeyCase kKeyCases[] = {
    {"right_from_main", {BusKeyRight}, 1, 1, 1, nullptr},
    {"left_from_main_wraps_to_17", {BusKeyLeft}, 17, 17, 17, nullptr},
    {"right_from_17_wraps_to_main", Repeat(BusKeyRight, 18), 0, 0, 0, nullptr},
    {"no_action_byte", {BusKeyNoAction, 200}, 0, 0, 0, nullptr},
    {"home_publishes_the_main_screen", Then(Repeat(BusKeyRight, 13), {BusKeyHome}), 0, 0, 0,
     [](BasicLayout&, ReadMVBData& s) {
         EXPECT_EQ(0, s.FaultAcknowledge);
         EXPECT_EQ(0, s.DDU_300_flag[0]) << "inching is no longer sent";
     }},
    {"inching_up_from_no_speed_to_the_lowest", Then(Repeat(BusKeyRight, 13), {BusKeyUp}), 13, 13, 13,
     [](BasicLayout&, ReadMVBData& s) {
         EXPECT_EQ(0.5f, s.StoredActualSpeedVal);
         EXPECT_EQ(0, s.InchingDownPressed);
     }},
    {"inching_enter_sends_tenths", Then(Repeat(BusKeyRight, 13), {BusKeyUp, BusKeyUp, BusKeyEnter}), 13, 13, 13,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(6, s.InchingSpeedTenths); }},
    {"inching_down_stops_at_the_floor", Then(Repeat(BusKeyRight, 13), {BusKeyUp, BusKeyDown}), 13, 13, 13,
     [](BasicLayout&, ReadMVBData& s) {
         EXPECT_EQ(0.5f, s.StoredActualSpeedVal) << "0.5 is the lowest";
         EXPECT_EQ(0, s.InchingUpPressed);
     }},
    {"inching_cancel_clears", Then(Repeat(BusKeyRight, 13), {BusKeyUp, BusKeyCancel}), 13, 13, 13,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(0.0f, s.StoredActualSpeedVal); }},
    {"loco_number_entered_and_confirmed",
     Then(Repeat(BusKeyRight, 14),
          {BusKeyMenu, BusKeyEnter, BusKeyEnter, BusKeyDown, BusKeyEnter, BusKeyUp, BusKeyLeft, BusKeyEnter}),
     14, 14, 14,
     [](BasicLayout& l, ReadMVBData& s) {
         EXPECT_EQ(14u, s.EnteredLocoNumber);
         EXPECT_EQ(1, l.m_LocoNumner.m_NumberConfirmed);
         EXPECT_EQ(0, l.m_LocoNumberEditState);
         EXPECT_EQ(2u, s.EventState);
     }},
    {"loco_number_keypad_moves_sideways",
     Then(Repeat(BusKeyRight, 14), {BusKeyMenu, BusKeyEnter, BusKeyRight, BusKeyRight, BusKeyEnter}), 14, 14, 14,
     [](BasicLayout& l, ReadMVBData&) { EXPECT_EQ(2, l.m_LocoNumberEditState); }},
    {"loco_number_down_in_second_box_does_nothing",
     Then(Repeat(BusKeyRight, 14), {BusKeyMenu, BusKeyDown, BusKeyDown}), 14, 14, 14,
     [](BasicLayout& l, ReadMVBData&) { EXPECT_EQ(3, l.m_LocoNumberEditState); }},
    {"loco_number_up_back_to_first_box", Then(Repeat(BusKeyRight, 14), {BusKeyMenu, BusKeyDown, BusKeyUp}), 14, 14, 14,
     [](BasicLayout& l, ReadMVBData&) { EXPECT_EQ(1, l.m_LocoNumberEditState); }},
    {"locked_isolation_asks_for_the_password", kToPassword, 18, 18, 15,
     [](BasicLayout& l, ReadMVBData& s) {
         EXPECT_EQ(15, s.PasswordReturnScreen);
         EXPECT_EQ(1, l.m_PasswordEditState);
         EXPECT_EQ(0, s.PasswordUnlocked);
     }},
    {"right_code_unlocks_and_returns", Then(kToPassword, kRightCode), 15, 15, 15,
     [](BasicLayout& l, ReadMVBData& s) {
         EXPECT_EQ(1, s.PasswordUnlocked);
         EXPECT_EQ(8316, s.EnteredPassword);
         EXPECT_EQ(0, l.m_PasswordEditState);
     }},
    {"unlocked_enter_isolates_the_motor", Then(Then(kToPassword, kRightCode), {BusKeyDown, BusKeyEnter}), 15, 15, 15,
     [](BasicLayout&, ReadMVBData& s) {
         EXPECT_EQ(1, s.MotorIsolationCursor);
         EXPECT_EQ(1, s.MotorIsolationFlags[1]);
     }},
    {"wrong_code_returns_locked", Then(kToPassword, {BusKeyLeft, BusKeyEnter}), 15, 15, 15,
     [](BasicLayout& l, ReadMVBData& s) {
         EXPECT_EQ(0, s.PasswordUnlocked);
         EXPECT_EQ(0, l.m_PasswordEditState);
         EXPECT_EQ(0, s.MotorIsolationFlags[0]);
     }},
    {"side_key_locks_again", Then(Then(kToPassword, kRightCode), {BusKeyRight}), 16, 16, 16,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(0, s.PasswordUnlocked); }},
    {"right_from_password_screen", Then(kToPassword, {BusKeyCancel, BusKeyRight}), 18, 18, 15,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(0, s.PasswordUnlocked); }},
    {"isolation_cursor_down_and_up", Then(Repeat(BusKeyLeft, 3), {BusKeyDown, BusKeyDown, BusKeyUp}), 15, 15, 15,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(1, s.MotorIsolationCursor); }},
    {"isolation_cursor_up_wraps", Then(Repeat(BusKeyLeft, 3), {BusKeyUp}), 15, 15, 15,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(5, s.MotorIsolationCursor); }},
    {"wheel_menu_sets_the_state", Then(Repeat(BusKeyLeft, 2), {BusKeyMenu}), 16, 16, 16,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(1, s.WheelDiameterState); }},
    {"wheel_locked_enter_asks_for_the_password", Then(Repeat(BusKeyLeft, 2), {BusKeyEnter}), 18, 18, 16,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(16, s.PasswordReturnScreen); }},
    {"wheel_unlocked_enter_edits",
     Then(Then(Then(Repeat(BusKeyLeft, 2), {BusKeyEnter}), kRightCode), {BusKeyEnter}), 16, 16, 16,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(1, s.WheelDiameterEditing); }},
    {"home_from_unlocked_wheel_screen_stops_sending",
     Then(Then(Then(Repeat(BusKeyLeft, 2), {BusKeyEnter}), kRightCode), {BusKeyEnter, BusKeyHome}), 0, 0, 0,
     [](BasicLayout&, ReadMVBData& s) {
         EXPECT_EQ(0, s.DDU_300_flag[5]);
         EXPECT_EQ(0, DDU_301[0] & 0x8000) << "wheel diameter send bit";
     }},
    {"wheel_cursor_down", Then(Repeat(BusKeyLeft, 2), {BusKeyDown, BusKeyDown}), 16, 16, 16,
     [](BasicLayout&, ReadMVBData& s) { EXPECT_EQ(2, s.WheelDiameterCursor); }},
};

INSTANTIATE_TEST_SUITE_P(Keys, KeyDispatch, ::testing::ValuesIn(kKeyCases),
                         [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

class Keyboard : public LayoutTest {
protected:
    void Key(unsigned keyval)
    {
        GdkEventKey event = {};
        event.type = GDK_KEY_PRESS;
        event.keyval = keyval;
        EXPECT_TRUE(layout().OnKeyPress(&event));
        Tick();
    }
};

TEST_F(Keyboard, KeysOfTheWindowReachTheSameHandlers)
{
    Key(0xFF53);  // Right
    EXPECT_EQ(1, layout().m_TargetScreen);
    EXPECT_EQ(1u, store().CurrentScreen);
    Key(0xFF51);  // Left
    Key(0xFF51);
    EXPECT_EQ(17, layout().m_TargetScreen);
    Key('A');  // only the lower-case a is f3
    EXPECT_EQ(17, layout().m_TargetScreen);
    EXPECT_EQ(0, layout().m_DiagnosticMode);
    Key(0xFF50);  // Home
    EXPECT_EQ(0, layout().m_TargetScreen);
    EXPECT_EQ(0u, store().CurrentScreen);
}

TEST_F(Keyboard, KeyboardDoesNotWriteTheLastTarget)
{
    store().LastTargetScreen = 77;
    Key(0xFF53);
    EXPECT_EQ(77, store().LastTargetScreen);
}

TEST_F(Keyboard, DeleteAndInsertCancelTheInchingSpeed)
{
    Press({BusKeyRight});
    for (int i = 0; i < 12; ++i)
        Key(0xFF53);
    ASSERT_EQ(13, layout().m_TargetScreen);
    Key(0xFF52);  // Up
    EXPECT_EQ(0.5f, store().StoredActualSpeedVal);
    Key(0xFFFF);  // Delete
    EXPECT_EQ(0.0f, store().StoredActualSpeedVal);
}

}  // namespace
}  // namespace shelltest

namespace shelltest {
namespace {

TEST_F(Keyboard, WindowKeyEventsReachTheLayoutThroughTheFocus)
{
    Gtk::Window& window = display().window();
    window.present();
    testsupport::DrainEvents();
    EXPECT_TRUE(layout().has_focus()) << "the layout takes the keyboard focus";
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
    event->key.keyval = 0xFF53;  // Right
    event->key.send_event = TRUE;
    gtk_main_do_event(event);
    gdk_event_free(event);
    EXPECT_EQ(1, layout().m_TargetScreen);
    EXPECT_EQ(1u, store().CurrentScreen);
}

}  // namespace
}  // namespace shelltest
