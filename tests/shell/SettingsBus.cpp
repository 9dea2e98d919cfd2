#include "SettingsBus.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
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
// two inching enables, the fault codes, the speed and the battery voltage.
const struct {
    int port, word;
} kPublished[] = {{300, 0},  {300, 2},  {300, 3},  {300, 4},  {300, 5},   {300, 6},  {300, 7},
                  {1215, 0}, {1715, 0}, {1804, 0}, {3300, 9}, {1020, 3}, {1020, 10}};

constexpr unsigned short kLowestDiameter = 1016;
constexpr unsigned short kHighestDiameter = 1097;
constexpr unsigned short kLowestInchingTenths = 5;
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
    for (const auto& word : published_)
        device.SetSinkWord(word.first, word.second, 0);
    published_.clear();
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
    s.FunctionKeyMode = FunctionKeyStart;
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
}

void SettingsBus::Publish(int port, int word, unsigned short value)
{
    published_.insert({port, word});
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
    const BeforeKey before = SeeBeforeKey(BusKeyAction(key));
    display().Press(key);
    CheckAfterKey(before);
    CheckAfterTick();
}

void SettingsBus::KeyboardKey(unsigned keyval)
{
    const BeforeKey before = SeeBeforeKey(KeyboardAction(keyval));
    GdkEventKey event = {};
    event.type = GDK_KEY_PRESS;
    event.keyval = keyval;
    layout().OnKeyPress(&event);
    display().Tick();
    CheckAfterKey(before);
    CheckAfterTick();
}

void SettingsBus::Fail(const std::string& what)
{
    ADD_FAILURE() << what;
    failed_ = true;
}

const char* SettingsBus::Cover()
{
    BasicLayout& l = layout();
    if (l.m_WarningPopup.get_parent() == &l)
        return "fault pop-up";
    return l.m_DiagnosticScreen.get_parent() == &l ? "diagnostics table" : nullptr;
}

std::vector<std::pair<std::string, double>> SettingsBus::Settings()
{
    const ReadMVBData& s = store();
    std::vector<std::pair<std::string, double>> values = {
        {"set speed", s.StoredActualSpeedVal},      {"inching tenths", s.InchingSpeedTenths},
        {"trip reset", s.TripResetRequest},         {"loco number", s.EnteredLocoNumber},
        {"wheel send flag", s.WheelDiameterSendFlag},
        // Word 0 without the send bits, which follow the screen, and the
        // acknowledge bit (Home's own on the pop-up).
        {"port 301 word 0", DDU_301[0] & 0x7E},
    };
    for (int i = 0; i < 6; ++i) {
        values.emplace_back("isolation " + std::to_string(i), s.MotorIsolationFlags[i]);
        values.emplace_back("wheel " + std::to_string(i), s.WheelDiameters[i]);
    }
    for (int word : {1, 2, 3, 4, 5, 6, 7, 8, 10})
        values.emplace_back("port 301 word " + std::to_string(word), DDU_301[word]);
    return values;
}

SettingsBus::BeforeKey SettingsBus::SeeBeforeKey(KeyAction action)
{
    BasicLayout& l = layout();
    BeforeKey before;
    before.action = action;
    before.target = l.m_TargetScreen;
    before.inching = store().InchingSpeedTenths;
    before.cover = Cover();
    before.inchingInFront = l.m_TargetScreen == ScreenInchingMode && l.m_KeysEnabled == 1 &&
                            l.m_FaultPopupActive == 0 && l.m_DiagnosticMode == DiagnosticTableClosed && !before.cover;
    before.menuOpen = InfoPanel::getInstance()->m_MenuActive != 0;
    before.shownSetSpeed = l.m_InchingMode.m_SetSpeedRow.ValueLabel.get_text();
    before.setSpeed = InchingMode::SpeedTenths(store().StoredActualSpeedVal);
    before.settings = Settings();
    return before;
}

namespace {

bool SendableTenths(unsigned tenths)
{
    return tenths == 0 || (tenths >= kLowestInchingTenths && tenths <= kHighestInchingTenths);
}

// A set speed text in the whole tenths the vehicle takes, as Enter sends it.
unsigned short TenthsOf(const std::string& text)
{
    return InchingMode::SpeedTenths(std::strtof(text.c_str(), nullptr));
}

std::string TenthsText(unsigned short tenths)
{
    std::ostringstream text;
    text << static_cast<float>(tenths / 10.0);
    return text.str();
}

}  // namespace

void SettingsBus::CheckAfterTick()
{
    BasicLayout& l = layout();
    const unsigned short screen = l.m_TargetScreen;
    if (screen < kScreenCount && kScreenTable[screen].page >= 0 &&
        l.m_ScreenBook.get_current_page() != kScreenTable[screen].page)
        Fail("page " + std::to_string(l.m_ScreenBook.get_current_page()) + " in front of screen " +
             std::to_string(screen));
    const bool grid = l.m_SubsystemStatus.get_parent() == &l;
    const bool miniBox = l.m_MiniStatusBox.get_parent() == &l;
    if (grid != (screen == ScreenSubsystemStatus) || miniBox == grid)
        Fail("subsystem grid " + std::string(grid ? "on" : "off") + ", mini box " + (miniBox ? "on" : "off") +
             " with screen " + std::to_string(screen));

    if (!SendableTenths(DDU_301[1]))
        Fail("port 301 word 1 carries " + std::to_string(DDU_301[1]) + " tenths");
    if (!SendableTenths(store().InchingSpeedTenths))
        Fail("the store holds " + std::to_string(store().InchingSpeedTenths) + " inching tenths");
    if (DDU_301[0] & 0x8000u) {
        for (int word = 2; word < 8; ++word)
            if (DDU_301[word] < kLowestDiameter || DDU_301[word] > kHighestDiameter)
                Fail("wheel send bit with word " + std::to_string(word) + " = " + std::to_string(DDU_301[word]));
    }
    if (store().EnteredLocoNumber > 65535u)
        Fail("loco number " + std::to_string(store().EnteredLocoNumber) + " committed");
    if (screen == ScreenInchingMode && l.m_ShownScreen == ScreenInchingMode) {
        const std::string shown = l.m_InchingMode.m_SetSpeedRow.ValueLabel.get_text();
        const std::string tenths = TenthsText(InchingMode::SpeedTenths(store().StoredActualSpeedVal));
        if (shown != tenths)
            Fail("the inching screen shows " + shown + " for a set speed of " + tenths);
    }
}

void SettingsBus::CheckAfterKey(const BeforeKey& before)
{
    const unsigned short inching = store().InchingSpeedTenths;
    const bool enterOnInching = before.action == KeyAction::Enter && before.inchingInFront && !before.menuOpen;
    if (enterOnInching) {
        const unsigned short shown = TenthsOf(before.shownSetSpeed);
        const unsigned short expected = SendableTenths(shown) ? shown : before.inching;
        if (inching != expected)
            Fail("Enter on " + before.shownSetSpeed + " km/h stored " + std::to_string(inching) + " tenths");
    } else if (inching != before.inching) {
        Fail("inching speed " + std::to_string(before.inching) + " -> " + std::to_string(inching) +
             " without Enter on 13");
    }
    const bool stepOnInching = before.inchingInFront && (before.action == KeyAction::Up ||
                                                         (before.action == KeyAction::Down && !before.menuOpen));
    const unsigned short setSpeed = InchingMode::SpeedTenths(store().StoredActualSpeedVal);
    if (stepOnInching && setSpeed != before.setSpeed &&
        (setSpeed < kLowestInchingTenths || setSpeed > kHighestInchingTenths))
        Fail("a step took the set speed from " + TenthsText(before.setSpeed) + " to " + TenthsText(setSpeed));
    if (before.cover) {
        const auto after = Settings();
        for (std::size_t i = 0; i < after.size(); ++i)
            if (after[i].second != before.settings[i].second &&
                !(std::isnan(after[i].second) && std::isnan(before.settings[i].second))) {
                std::ostringstream what;
                what << after[i].first << " " << before.settings[i].second << " -> " << after[i].second
                     << " by a key under the " << before.cover << " on screen " << before.target;
                Fail(what.str());
            }
    }
    const int edit = layout().m_LocoNumberEditState;
    if (edit == 4 || (edit == 3 && layout().m_LocoNumner.m_NumberConfirmed != 1))
        Fail("loco-number edit waits in state " + std::to_string(edit) + " with the number not confirmed");
}

void SettingsBus::GoTo(unsigned short screen)
{
    for (int step = 0; step <= kLastScreen && layout().m_TargetScreen != screen; ++step) {
        const int ahead = (screen - layout().m_TargetScreen + kLastScreen + 1) % (kLastScreen + 1);
        Key(ahead <= (kLastScreen + 1) / 2 ? BusKeyRight : BusKeyLeft);
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
            Key(BusKeyRight);
        Key(BusKeyEnter);
    }
}

void SettingsBus::Unlock()
{
    const unsigned short screen = layout().m_TargetScreen;
    Key(BusKeyEnter);
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
    } kKeys[] = {{"U", BusKeyUp},       {"D", BusKeyDown},  {"L", BusKeyLeft}, {"R", BusKeyRight},
                 {"E", BusKeyEnter},    {"C", BusKeyCancel}, {"M", BusKeyMenu}, {"H", BusKeyHome},
                 {"F3", BusKeyF3}};
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
