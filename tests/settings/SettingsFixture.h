// The settings screens on the display's one main layout (the shell's test
// display): keypad keys go in on the keypad line, each with the bus poll and
// the decode tick that hand it to the layout and then refresh the screen in
// front, as in the cab; bus words come from the in-process device. Every
// keypad key and tick is also checked against the settings rules of
// SettingsBus.
#ifndef CABDISPLAY_TESTS_SETTINGS_SETTINGSFIXTURE_H
#define CABDISPLAY_TESTS_SETTINGS_SETTINGSFIXTURE_H

#include <map>
#include <string>

#include "PortBuffers.h"
#include "SettingsBus.h"

namespace settingstest {

using testsupport::CaseName;

class SettingsTest : public shelltest::SettingsBus {
protected:
    void TearDown() override;

    // The screens the layout holds and its key state.
    InchingMode& Inching() { return layout().m_InchingMode; }
    LocoNumner& Loco() { return layout().m_LocoNumner; }
    SixMotorIsolation& Isolation() { return layout().m_SixMotorIsolation; }
    WheelDiameter& Wheel() { return layout().m_WheelDiameter; }
    Password& PasswordEntry() { return layout().m_Password; }
    unsigned short Shown() { return layout().m_ShownScreen; }
    unsigned short Target() { return layout().m_TargetScreen; }
    int LocoEdit() { return layout().m_LocoNumberEditState; }
    int PasswordEdit() { return layout().m_PasswordEditState; }

    // SettingsBus's key script, and "kb:X" for a service-keyboard key
    // (X one of U D L R E C M H), which the window hands to the layout at
    // once, between two decode ticks: what the key leaves for the next
    // refresh can be seen.
    void Run(const std::string& script);

    // Lets the bus enable inching (port 1715 word 0 bit 14) from the next
    // poll on.
    void EnableInching(bool on = true) { Publish(1715, 0, on ? 0x4000 : 0); }
    // The wheel diameters in the store and on the screen, as when the screen
    // is built on them.
    void StartDiameters(unsigned short diameter);

    // A file of the working directory replaced (or removed) for this case
    // only: it is put back as it was after the case.
    void ReplaceFile(const std::string& path, const std::string& bytes);
    void ReplacePicture(const std::string& path, int width, int height, unsigned rgb);
    void RemoveFile(const std::string& path);
    // A file of the working directory; empty when it is missing.
    static std::string ReadFile(const std::string& path);

    static std::string Text(const Gtk::Label& label) { return label.get_text(); }
    // Background colour of a widget, as "#rrggbb".
    static std::string Background(Gtk::Widget& widget);

private:
    void Save(const std::string& path);
    struct Saved {
        bool existed;
        std::string bytes;
    };
    std::map<std::string, Saved> saved_;
};

}  // namespace settingstest

#endif
