#include "SettingsHarness.h"

#include "KeypadLine.h"
#include "PortTable.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace settingstest {

namespace {

constexpr int kInching = 13, kLocoNumber = 14, kIsolation = 15, kWheel = 16, kPassword = 18;
constexpr int kLastScreen = 17;

void ZeroBus()
{
    for (const MvbPort& p : mvb_config_ports)
        if (p.buffer) std::memset(p.buffer, 0, p.size);
    std::memset(DDU_301, 0, sizeof DDU_301);
    std::memset(DDU_300, 0, sizeof DDU_300);
}

ReadMVBData& StoreOf() { return *ReadMVBData::getInstance(); }

}  // namespace

CabKeys::CabKeys()
{
    updated_ = StoreOf().DataUpdatedSignal.connect(sigc::mem_fun(*this, &CabKeys::Refresh));
}

CabKeys::~CabKeys()
{
    updated_.disconnect();
}

void CabKeys::Refresh()
{
    switch (shown) {
    case kInching: inching.UpdateinchingModeScreen(); break;
    case kLocoNumber: loco.UpdateDpwcsConfigurationScreen(); break;
    case kIsolation: isolation.UpdateSixMotorIsolationScreen(); break;
    case kWheel: wheel.UpdateWheelDiameterScreen(); break;
    default: break;
    }
}

void CabKeys::ChangeScreen(int screen)
{
    if (screen < 0 || screen > kPassword) return;
    locoEdit = passwordEdit = 0;
    if (screen == kInching) inching.UpdateinchingModeScreen();
    if (screen == kLocoNumber) loco.clearOverRange();
    shown = screen;
    if (screen == kPassword) {
        StoreOf().PasswordUnlocked = 0;
        passwordEdit = 1;
        password.clearPassword();
    }
}

void CabKeys::Tick(int n)
{
    for (int i = 0; i < n; ++i) StoreOf().PrintKey();
}

void CabKeys::Up()
{
    ReadMVBData& store = StoreOf();
    switch (target) {
    case kInching:
        inching.SelectPassword(1);
        store.InchingUpPressed = 1;
        store.InchingDownPressed = 0;
        break;
    case kIsolation: isolation.SelectSixMtrCurPos(1); break;
    case kWheel: wheel.SelectPassword(1); break;
    case kLocoNumber:
        if (locoEdit == 2) {
            loco.selectionChange(1);
        } else if (locoEdit == 3) {
            locoEdit = 1;
            loco.boxSelection(1);
        }
        break;
    case kPassword: password.selectionChange(1); break;
    default: break;
    }
}

void CabKeys::Down()
{
    ReadMVBData& store = StoreOf();
    switch (target) {
    case kInching:
        inching.SelectPassword(2);
        store.InchingDownPressed = 1;
        store.InchingUpPressed = 0;
        break;
    case kIsolation: isolation.SelectSixMtrCurPos(2); break;
    case kWheel: wheel.SelectPassword(2); break;
    case kLocoNumber:
        if (locoEdit == 2) {
            loco.selectionChange(2);
        } else if (locoEdit == 1) {
            locoEdit = 3;
            loco.boxSelection(3);
        }
        break;
    case kPassword: password.selectionChange(2); break;
    default: break;
    }
}

void CabKeys::Left()
{
    StoreOf().WheelDiameterSendFlag = 0;
    StoreOf().PasswordUnlocked = 0;
    if (locoEdit != 0 || passwordEdit != 0) {
        if (target == kLocoNumber) loco.selectionChange(6);
        if (target == kPassword) password.selectionChange(6);
        return;
    }
    target = shown <= 0 ? kLastScreen : target - 1;
    StoreOf().CurrentScreen = unsigned(target);
    ChangeScreen(target);
}

void CabKeys::Right()
{
    StoreOf().WheelDiameterSendFlag = 0;
    StoreOf().PasswordUnlocked = 0;
    if (locoEdit != 0 || passwordEdit != 0) {
        if (target == kLocoNumber) loco.selectionChange(7);
        if (target == kPassword) password.selectionChange(7);
        return;
    }
    target = shown > kLastScreen - 1 ? 0 : target + 1;
    StoreOf().CurrentScreen = unsigned(target);
    ChangeScreen(target);
}

void CabKeys::Enter()
{
    ReadMVBData& store = StoreOf();
    switch (target) {
    case kInching:
        inching.SelectPassword(3);
        inching.UpdateinchingModeScreen();
        break;
    case kIsolation:
    case kWheel:
        if (store.PasswordUnlocked != 0) {
            if (target == kIsolation) {
                isolation.SelectSixMtrCurPos(3);
                isolation.UpdateSixMotorIsolationScreen();
            } else {
                wheel.SelectPassword(3);
                wheel.UpdateWheelDiameterScreen();
            }
        } else {
            store.PasswordReturnScreen = static_cast<unsigned short>(target);
            target = kPassword;
            ChangeScreen(kPassword);
        }
        break;
    case kLocoNumber:
        if (locoEdit == 1 || locoEdit == 3) {
            loco.selectionChange(3);
            ++locoEdit;
        } else if (locoEdit == 2) {
            loco.pressEnter(&locoEdit);
        }
        break;
    case kPassword:
        password.pressEnter(&passwordEdit);
        if (password.m_EntryDone == 1) {
            passwordEdit = 0;
            target = store.PasswordReturnScreen;
            ChangeScreen(target);
        }
        break;
    default: break;
    }
    AfterEnterOrCancel(false);
}

void CabKeys::Cancel()
{
    switch (target) {
    case kInching: inching.SelectPassword(5); break;
    case kIsolation: isolation.SelectSixMtrCurPos(5); break;
    case kWheel: wheel.SelectPassword(5); break;
    case kLocoNumber: loco.pressCancel(5); break;
    default: break;
    }
    AfterEnterOrCancel(true);
}

void CabKeys::AfterEnterOrCancel(bool cancel)
{
    if (loco.m_NumberConfirmed == 1) {
        locoEdit = 0;
        StoreOf().EventState = 2;
    } else if (cancel && password.m_EntryDone == 1) {
        passwordEdit = 0;
    }
}

void CabKeys::Menu()
{
    if (target == kIsolation) {
        isolation.SelectSixMtrCurPos(4);
    } else if (target == kWheel) {
        wheel.SelectPassword(4);
    } else if (target == kLocoNumber && locoEdit == 0) {
        loco.SelectPassword(4);
        locoEdit = 1;
    } else if (target == kPassword && passwordEdit == 0) {
        password.SelectPassword(4);
        passwordEdit = 1;
    }
}

void CabKeys::Home()
{
    ChangeScreen(0);
    target = 0;
}

void CabKeys::GoTo(int screen)
{
    for (int step = 0; step <= kLastScreen && target != screen; ++step) Right();
}

void CabKeys::Type(const std::string& cells)
{
    for (char c : cells) {
        const int cell = c == 'C' ? 10 : c == 'K' ? 12 : c == '0' ? 11 : c - '0';
        const std::int16_t selected = target == kPassword ? password.m_SelectedCell : loco.m_SelectedCell;
        for (int moves = (cell - selected + 12) % 12; moves > 0; --moves) Right();
        Enter();
    }
}

void CabKeys::Run(const std::string& script)
{
    std::istringstream words(script);
    std::string word;
    while (words >> word) {
        if (word.rfind("go:", 0) == 0) GoTo(std::stoi(word.substr(3)));
        else if (word.rfind("type:", 0) == 0) Type(word.substr(5));
        else if (word == "U") Up();
        else if (word == "D") Down();
        else if (word == "L") Left();
        else if (word == "R") Right();
        else if (word == "E") Enter();
        else if (word == "C") Cancel();
        else if (word == "M") Menu();
        else if (word == "H") Home();
        else if (word == "T") Tick();
        else ADD_FAILURE() << "unknown script word " << word;
    }
}

SettingsTest::SettingsTest()
{
    testsupport::InitToolkit();
    ZeroBus();
    KeySelected = 0;
    delete ReadMVBData::instance;
    ReadMVBData::instance = new ReadMVBData(ReadMVBData::StartValuesOnly{});
}

SettingsTest::~SettingsTest()
{
    cab_.reset();
    testsupport::DrainEvents();
}

CabKeys& SettingsTest::Cab()
{
    if (!cab_) cab_.reset(new CabKeys());
    return *cab_;
}

void SettingsTest::EnableInching(bool on)
{
    HBB2_1715[0] = static_cast<unsigned short>(on ? (HBB2_1715[0] | 0x4000u) : (HBB2_1715[0] & ~0x4000u));
}

std::string SettingsTest::Background(Gtk::Widget& widget)
{
    const Gdk::Color colour = widget.get_modifier_style()->get_bg(Gtk::STATE_NORMAL);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.get_red() >> 8, colour.get_green() >> 8,
                  colour.get_blue() >> 8);
    return text;
}

}  // namespace settingstest
