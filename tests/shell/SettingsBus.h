// The settings screens and port 301 on a real main layout: key scripts
// through the keypad line, the bus poll and the store's own decode tick,
// with bus words published by the in-process device, and port 301 read
// after every tick. Each case starts from the same settings, bus and screen
// state and leaves them so for the next.
#ifndef CABDISPLAY_TESTS_SHELL_SETTINGSBUS_H
#define CABDISPLAY_TESTS_SHELL_SETTINGSBUS_H

#include "LayoutFixture.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "KeyCodes.h"
#include "KeyMap.h"

namespace shelltest {

// The wheel diameters every case starts from.
constexpr unsigned short kStartDiameter = 1050;

class SettingsBus : public LayoutTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A word a unit publishes on a sink port; it reaches the port buffers
    // with the next poll. Every word published goes back to 0 after the case.
    void Publish(int port, int word, unsigned short value);
    // One poll and one decode tick without a key.
    void Poll();
    // A keypad byte: one poll and one decode tick, which hands it to the
    // layout before the refresh.
    void Key(unsigned char key);
    // A keyboard key as the window delivers it, then one decode tick.
    void KeyboardKey(unsigned keyval);

    // Runs a key script, words separated by blanks: U D L R E C M H F3 are
    // the keys, T a poll and tick, "go:N" steps left or right to screen N,
    // "type:..." types on the keypad shown (digits, C the clear cell, K the
    // OK cell), "fault:N" publishes fault code N (and polls), "inching:0/1"
    // lets the bus enable inching or not.
    void Run(const std::string& script);
    void Type(const std::string& cells);
    void GoTo(unsigned short screen);
    // The password screen from 15 or 16 and back, unlocked.
    void Unlock();

    // After every tick: the notebook page in front is the page of the
    // screen chosen; the subsystem grid lies on the layout only while screen
    // 1 is chosen (the mini status box otherwise); on port 301 word 1 is 0 or
    // 5..15 tenths (and so is the inching speed the store holds), the wheel
    // send bit goes only with words 2 to 7 within 1016..1097, the loco number
    // was committed within 0..65535; the inching screen shows its set speed
    // in the whole tenths Enter sends.
    void CheckAfterTick();

    // What a key is checked against: the settings before it, and whether a
    // panel covered the screen or the inching screen took the key.
    struct BeforeKey {
        KeyAction action;
        unsigned short target;
        unsigned short inching;
        const char* cover;          // the table or pop-up on the layout; null: none
        bool inchingInFront;        // screen 13 in front and taking keys
        bool menuOpen;              // the text panel's menu takes enter and down
        std::string shownSetSpeed;  // the inching screen's set speed label
        unsigned short setSpeed;    // the store's set speed, in whole tenths
        std::vector<std::pair<std::string, double>> settings;
    };
    BeforeKey SeeBeforeKey(KeyAction action);
    // After every key: the inching speed changes only by Enter on screen
    // 13, and then to the set speed shown when the vehicle takes it; an up
    // or down there that moves the set speed leaves it within 0.5..1.5 km/h;
    // no key changes a setting while the diagnostics table or a fault pop-up
    // covers the screen (Home's acknowledge is no setting); the loco-number
    // edit never waits in its transient state 4, and in the Confirm step (3)
    // the number is already confirmed, so the next Enter or Cancel ends the
    // edit.
    void CheckAfterKey(const BeforeKey& before);

    // Every setting a key could change, by name: the store's fields behind
    // port 301 and the port's setting words (not the send bits that follow
    // the screen, nor the acknowledge bit).
    std::vector<std::pair<std::string, double>> Settings();
    // The panel over the screen, null when none.
    const char* Cover();

    void Fail(const std::string& what);

    // Set once a check failed, so a long run stops at the first finding.
    bool failed_ = false;

private:
    void ResetSettings();
    std::set<std::pair<int, int>> published_;  // port, word
};

}  // namespace shelltest

#endif
