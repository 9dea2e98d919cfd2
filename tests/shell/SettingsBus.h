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

namespace shelltest {

enum SettingsKey : unsigned char {
    kKeyRight = 142, kKeyLeft = 78, kKeyUp = 77, kKeyDown = 141, kKeyEnter = 135, kKeyCancel = 71,
    kKeyMenu = 139, kKeyHome = 75, kKeyF1 = 46, kKeyF3 = 43,
};

// The wheel diameters every case starts from.
constexpr unsigned short kStartDiameter = 1050;

class SettingsBus : public LayoutTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A word a unit publishes on a sink port; it reaches the port buffers
    // with the next poll.
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

    // Port 301 after every tick: word 1 above 15 only as Enter on screen 13
    // put it, bit 15 only with words 2 to 7 within 1016..1097. After every
    // key: the loco-number edit never waits in its transient state 4, and in
    // the Confirm step (3) the number is already confirmed, so the next
    // Enter or Cancel ends the edit.
    void CheckAfterTick();
    void CheckAfterKey(unsigned short inchingBefore, unsigned short targetBefore, bool enter);

    // Tenths that Enter on screen 13 sent.
    std::set<unsigned short> confirmedTenths_;
    // Set once a check failed, so a long run stops at the first finding.
    bool failed_ = false;

private:
    void ResetSettings();
};

}  // namespace shelltest

#endif
