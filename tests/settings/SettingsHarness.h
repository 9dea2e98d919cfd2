// The settings screens as the main layout drives them: its key handlers for
// screens 13 to 16 and 18, its screen switch and its refresh on the store's
// data-updated signal. Each test gets a fresh store (start values only, no
// bus), an all-zero bus and a private working directory.
#ifndef CABDISPLAY_TESTS_SETTINGS_SETTINGSHARNESS_H
#define CABDISPLAY_TESTS_SETTINGS_SETTINGSHARNESS_H

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "InchingMode.h"
#include "LocoNumner.h"
#include "Password.h"
#include "PortBuffers.h"
#include "ReadMVBData.h"
#include "SixMotorIsolation.h"
#include "TestSupport.h"
#include "WheelDiameter.h"

namespace settingstest {

// The main layout's side of the settings screens.
class CabKeys {
public:
    CabKeys();
    ~CabKeys();

    void Up();
    void Down();
    void Left();
    void Right();
    void Enter();
    void Cancel();
    void Menu();
    void Home();
    // Steps with left or right until the screen is reached, as the driver does.
    void GoTo(int screen);
    void ChangeScreen(int screen);
    // The decode tick, which ends with the refresh of the shown screen.
    void Tick(int n = 1);

    // Runs a key script: words separated by blanks. U D L R E C M H are the
    // keys, T a decode tick, "go:N" steps to screen N, "type:..." types on
    // the keypad shown (digits, C the clear cell, K the OK cell) by moving
    // right to each cell and pressing Enter.
    void Run(const std::string& script);
    void Type(const std::string& cells);

    InchingMode inching;
    LocoNumner loco;
    SixMotorIsolation isolation;
    WheelDiameter wheel;
    Password password;

    int target = 0;
    int shown = 0;
    int locoEdit = 0;
    int passwordEdit = 0;

private:
    void Refresh();
    void AfterEnterOrCancel(bool cancel);
    sigc::connection updated_;
};

using testsupport::CaseName;

// A fresh store and bus per test; the screens are built on first use, after
// the test has given the store its start values.
class SettingsTest : public ::testing::Test {
protected:
    SettingsTest();
    ~SettingsTest() override;

    ReadMVBData& Store() { return *ReadMVBData::instance; }
    CabKeys& Cab();
    // Lets the bus enable inching (port 1715 word 0 bit 14).
    void EnableInching(bool on = true);
    static bool Bit(unsigned short word, int bit) { return (word >> bit) & 1u; }
    static std::string Text(const Gtk::Label& label) { return label.get_text(); }
    // Background colour of a widget, as "#rrggbb".
    static std::string Background(Gtk::Widget& widget);

    testsupport::TempWorkDir dir;

private:
    std::unique_ptr<CabKeys> cab_;
};

}  // namespace settingstest

#endif
