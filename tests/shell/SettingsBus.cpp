#include "SettingsBus.h"

#include <cstdio>
#include <gdk/gdkkeysyms.h>
#include <sstream>

#include "InfoPanel.h"
#include "KeyMap.h"
#include "MueDevice.h"
#include "PortBuffers.h"
#include "ScreenTable.h"

namespace shelltest {

namespace {

// The sink words the cases publish: wheel diameters from the vehicle, the
// two inching enables and the fault codes.
const struct {
    int port, word;
} kPublished[] = {{300, 0}, {300, 2}, {300, 3}, {300, 4}, {300, 5}, {300, 6}, {300, 7},
                  {1215, 0}, {1715, 0}, {1804, 0}, {3300, 9}};

constexpr unsigned short kLowestDiameter = 1016;
constexpr unsigned short kHighestDiameter = 1097;
constexpr unsigned short kHighestInchingTenths = 15;
constexpr int kLastScreen = ScreenSoftwareVer;

}  // namespace

void SettingsBus::SetUp()
{
    mue_sim::InProcessDevice().SetRecordFrames(false);  // long runs keep no frame list
    LayoutTest::SetUp();   // the store's start values first, then this suite's own
    ResetSettings();
    InfoPanel* panel = InfoPanel::getInstance();
    if (panel->m_MenuActive != 0)
        layout().menu_Button();
    Poll();
}

void SettingsBus::TearDown()
{
    ResetSettings();
    display().Reset();
    mue_sim::InProcessDevice().SetRecordFrames(true);
}

void SettingsBus::ResetSettings()
{
    mue_sim::MueDevice& device = mue_sim::InProcessDevice();
    for (const auto& word : kPublished)
        device.SetSinkWord(word.port, word.word, 0);
    std::remove("ActualSpeedVal.txt");
    std::remove("wheeldiameteroutput.txt");

    ReadMVBData& s = store();
    s.StoredActualSpeedVal = 0;
    s.InchingSpeedTenths = 0;
    s.ActualSpeedVal = 0;
    s.InchingUpPressed = s.InchingDownPressed = 0;
    for (unsigned short& d : s.WheelDiameters)
        d = kStartDiameter;
    for (unsigned short& d : s.ReceivedWheelDiameters)
        d = 0;
    s.WheelDiameterDataValid = s.WheelDiameterSendFlag = s.WheelDiameterCursor = 0;
    s.WheelDiameterEditing = s.WheelDiameterState = 0;
    s.PasswordUnlocked = s.EnteredPassword = s.PasswordReturnScreen = 0;
    s.EnteredLocoNumber = 0;
    s.CurrentScreen = 0;
    s.FaultAcknowledge = 0;
    s.EventState = 0;
    s.EnergyMenuRequest = s.InchingMenuRequest = 0;
    for (unsigned short& flag : s.MotorIsolationFlags)
        flag = 0;
    s.MotorIsolationCursor = 0;
    s.TripResetRequest = 0;
    s.FunctionKeyMode = 81;
    for (unsigned short& w : DDU_301)
        w = 0;

    WheelDiameter& wheel = layout().m_WheelDiameter;
    wheel.m_Editing = wheel.m_Changed = wheel.m_CommitRequest = wheel.m_UpStep = wheel.m_DownStep = 0;
    wheel.m_LastDataValid = 0;
    for (int row = 0; row < WheelDiameter::kRows; ++row)
        wheel.m_Values[row] = kStartDiameter;
    LocoNumner& loco = layout().m_LocoNumner;
    loco.m_EnteredNumber = 0;
    loco.m_OverRange = false;
    loco.m_NumberConfirmed = 0;
    confirmedTenths_.clear();
}

void SettingsBus::Publish(int port, int word, unsigned short value)
{
    mue_sim::InProcessDevice().SetSinkWord(port, word, value);
}

void SettingsBus::Poll()
{
    store().FetchData();
    display().Tick();
    CheckAfterTick();
}

void SettingsBus::Key(unsigned char key)
{
    const unsigned short inching = store().InchingSpeedTenths;
    const unsigned short target = layout().m_TargetScreen;
    display().Press(key);
    CheckAfterKey(inching, target, key == kKeyEnter);
    CheckAfterTick();
}

void SettingsBus::KeyboardKey(unsigned keyval)
{
    const unsigned short inching = store().InchingSpeedTenths;
    const unsigned short target = layout().m_TargetScreen;
    const bool enter = keyval == KeyboardEnter && layout().m_KeysEnabled == 1;
    GdkEventKey event = {};
    event.type = GDK_KEY_PRESS;
    event.keyval = keyval;
    layout().OnKeyPress(&event);
    display().Tick();
    CheckAfterKey(inching, target, enter);
    CheckAfterTick();
}

void SettingsBus::CheckAfterTick()
{
    const unsigned short speed = DDU_301[1];
    if (speed > kHighestInchingTenths && confirmedTenths_.count(speed) == 0) {
        ADD_FAILURE() << "port 301 word 1 carries " << speed << " that no Enter on screen 13 sent";
        failed_ = true;
    }
    if (DDU_301[0] & 0x8000u) {
        for (int word = 2; word < 8; ++word)
            if (DDU_301[word] < kLowestDiameter || DDU_301[word] > kHighestDiameter) {
                ADD_FAILURE() << "wheel send bit with word " << word << " = " << DDU_301[word];
                failed_ = true;
            }
    }
}

void SettingsBus::CheckAfterKey(unsigned short inchingBefore, unsigned short targetBefore, bool enter)
{
    const unsigned short inching = store().InchingSpeedTenths;
    if (enter && targetBefore == ScreenInchingMode) {
        confirmedTenths_.insert(inching);
    } else if (inching != inchingBefore) {
        ADD_FAILURE() << "inching speed " << inchingBefore << " -> " << inching << " without Enter on 13";
        failed_ = true;
    }
    const int edit = layout().m_LocoNumberEditState;
    if (edit == 4 || (edit == 3 && layout().m_LocoNumner.m_NumberConfirmed != 1)) {
        ADD_FAILURE() << "loco-number edit waits in state " << edit << " with the number not confirmed";
        failed_ = true;
    }
}

void SettingsBus::GoTo(unsigned short screen)
{
    for (int step = 0; step <= kLastScreen && layout().m_TargetScreen != screen; ++step) {
        const int ahead = (screen - layout().m_TargetScreen + kLastScreen + 1) % (kLastScreen + 1);
        Key(ahead <= (kLastScreen + 1) / 2 ? kKeyRight : kKeyLeft);
    }
    ASSERT_EQ(screen, layout().m_TargetScreen);
}

void SettingsBus::Type(const std::string& cells)
{
    for (char c : cells) {
        const int cell = c == 'C' ? 10 : c == 'K' ? 12 : c == '0' ? 11 : c - '0';
        const std::int16_t selected = layout().m_TargetScreen == ScreenPassword
                                          ? layout().m_Password.m_SelectedCell
                                          : layout().m_LocoNumner.m_SelectedCell;
        for (int moves = (cell - selected + 12) % 12; moves > 0; --moves)
            Key(kKeyRight);
        Key(kKeyEnter);
    }
}

void SettingsBus::Unlock()
{
    const unsigned short screen = layout().m_TargetScreen;
    Key(kKeyEnter);
    ASSERT_EQ(ScreenPassword, layout().m_TargetScreen);
    Type("8316K");
    ASSERT_EQ(screen, layout().m_TargetScreen);
    ASSERT_EQ(1, store().PasswordUnlocked);
}

void SettingsBus::Run(const std::string& script)
{
    static const struct {
        const char* word;
        unsigned char key;
    } kKeys[] = {{"U", kKeyUp},       {"D", kKeyDown},  {"L", kKeyLeft}, {"R", kKeyRight},
                 {"E", kKeyEnter},    {"C", kKeyCancel}, {"M", kKeyMenu}, {"H", kKeyHome},
                 {"F3", kKeyF3}};
    std::istringstream words(script);
    std::string word;
    while (words >> word) {
        bool done = false;
        for (const auto& key : kKeys)
            if (word == key.word) {
                Key(key.key);
                done = true;
            }
        if (done)
            continue;
        if (word == "T")
            Poll();
        else if (word.rfind("go:", 0) == 0)
            GoTo(static_cast<unsigned short>(std::stoi(word.substr(3))));
        else if (word.rfind("type:", 0) == 0)
            Type(word.substr(5));
        else if (word.rfind("fault:", 0) == 0) {
            Publish(1804, 0, static_cast<unsigned short>(std::stoi(word.substr(6))));
            Poll();
        } else if (word.rfind("inching:", 0) == 0) {
            Publish(1715, 0, word.substr(8) == "1" ? 0x4000 : 0);
            Poll();
        } else
            ADD_FAILURE() << "unknown script word " << word;
    }
}

}  // namespace shelltest
