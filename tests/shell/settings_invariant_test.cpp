// A long seeded random run of keys and bus changes through the real main
// layout, checked after every tick and key (see SettingsBus): port 301 word
// 1 above 15 only as Enter on screen 13 sent it, the wheel send bit only
// with six words within 1016..1097, the loco-number edit never stuck in its
// Confirm step, and after Cancel on a settings screen with no pop-up, left
// changes the store's CurrentScreen. CABDISPLAY_INVARIANT_SEED and
// CABDISPLAY_INVARIANT_STEPS give a run of another seed or length.
#include "SettingsBus.h"

#include <cstdlib>
#include <gdk/gdkkeysyms.h>
#include <random>
#include <string>

#include "KeyMap.h"
#include "PortBuffers.h"

namespace shelltest {
namespace {

unsigned long FromEnvironment(const char* name, unsigned long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

const unsigned char kKeypadBytes[] = {
    kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyEnter, kKeyMenu, kKeyCancel, kKeyHome, kKeyF3, 45, 0x01,
    // Keys that act inside the settings screens weigh more.
    kKeyUp, kKeyDown, kKeyEnter, kKeyEnter, kKeyCancel, kKeyMenu, kKeyLeft, kKeyRight,
};
const unsigned kKeyboardKeys[] = {KeyboardUp,   KeyboardDown,   KeyboardLeft,   KeyboardRight, KeyboardEnter,
                                  KeyboardMenu, KeyboardCancel, KeyboardDelete, KeyboardHome, GDK_Escape};
// Diameters the vehicle may report: around both limits, none and damaged.
const unsigned short kDiameters[] = {0, 1000, 1015, 1016, 1017, 1050, 1096, 1097, 1098, 1200, 65535};
const char* const kSavedSpeeds[] = {"ActualSpeedVal=0.000000", "ActualSpeedVal=0.400000",
                                    "ActualSpeedVal=0.500000", "ActualSpeedVal=1.500000",
                                    "ActualSpeedVal=1.600000", "ActualSpeedVal=15.000000",
                                    "ActualSpeedVal=6553.500000", "ActualSpeedVal=nan", "garbage"};
const unsigned short kFaultCodes[] = {0, 0, 10100, 20000, 60000};

template <typename T, std::size_t N>
const T& Pick(std::mt19937& random, const T (&items)[N])
{
    return items[random() % N];
}

class SettingsInvariants : public SettingsBus {
protected:
    bool SettingsScreenInFront()
    {
        const BasicLayout& l = layout();
        return l.m_TargetScreen >= ScreenInchingMode && l.m_TargetScreen <= ScreenWheelDiameter &&
               l.m_ShownScreen == l.m_TargetScreen && l.m_KeysEnabled == 1 && l.m_FaultPopupActive == 0 &&
               l.m_DiagnosticMode == 0;
    }

    // Cancel, then (every other time) left, which must change the screen.
    void CancelThenLeft(std::mt19937& random)
    {
        const bool onSettings = SettingsScreenInFront();
        Key(kKeyCancel);
        if (!onSettings || !SettingsScreenInFront() || random() % 2)
            return;
        const unsigned before = store().CurrentScreen;
        const unsigned short screen = layout().m_TargetScreen;
        Key(kKeyLeft);
        if (store().CurrentScreen == before || store().CurrentScreen != layout().m_TargetScreen) {
            ADD_FAILURE() << "left after Cancel on screen " << screen << " left CurrentScreen at "
                          << store().CurrentScreen;
            failed_ = true;
        }
    }

    void SaveAndLoadSpeed(const char* text)
    {
        if (FILE* file = std::fopen("ActualSpeedVal.txt", "w")) {
            std::fputs(text, file);
            std::fclose(file);
        }
        store().StoredActualSpeedVal = 0;
        store().LoadInchingSpeed();
    }

    // Left or right toward a screen while the keys step through screens.
    void Toward(unsigned short screen)
    {
        for (int n = 0; n < 18 && layout().m_TargetScreen != screen; ++n) {
            const BasicLayout& l = layout();
            if (l.m_KeysEnabled != 1 || l.m_DiagnosticMode != 0 || l.m_LocoNumberEditState != 0 ||
                l.m_PasswordEditState != 0)
                return;
            const int ahead = (screen - l.m_TargetScreen + 18) % 18;
            Key(ahead <= 9 ? kKeyRight : kKeyLeft);
        }
    }

    // A number typed on the loco-number keypad: up to seven digits, often
    // past 65535, then OK (or not).
    void TypeNumber(std::mt19937& random)
    {
        std::string cells;
        for (unsigned n = 1 + random() % 7; n > 0; --n)
            cells += static_cast<char>('0' + random() % 10);
        if (random() % 3)
            cells += 'K';
        Type(cells);
    }

    // One step: while the password or the loco-number keypad is in front,
    // often a typed number; else an action picked by its weight.
    void Step(std::mt19937& random)
    {
        const BasicLayout& l = layout();
        const unsigned roll = random() % 100;
        if (l.m_KeysEnabled == 1 && l.m_TargetScreen == ScreenPassword && roll < 30) {
            Type(roll < 25 ? "8316K" : "1234K");
            return;
        }
        if (l.m_KeysEnabled == 1 && l.m_TargetScreen == ScreenLocoNumner && roll < 20) {
            if (l.m_LocoNumberEditState == 2) {
                TypeNumber(random);
                return;
            }
            if (l.m_LocoNumberEditState == 0) {   // an edit to the keypad or the Confirm step
                Key(kKeyMenu);
                Key(roll % 2 ? kKeyEnter : kKeyDown);
                return;
            }
        }
        typedef void (SettingsInvariants::*Run)(std::mt19937&);
        static const struct {
            unsigned weight;
            Run run;
        } kActions[] = {
            {4, &SettingsInvariants::TowardASettingsScreen}, {42, &SettingsInvariants::KeypadKey},
            {6, &SettingsInvariants::AnyKeyboardKey},        {4, &SettingsInvariants::EnterKey},
            {5, &SettingsInvariants::InchingEnable},         {6, &SettingsInvariants::FaultCode},
            {15, &SettingsInvariants::VehicleDiameters},     {2, &SettingsInvariants::SavedSpeed},
            {16, &SettingsInvariants::Ticks},
        };
        unsigned pick = random() % 100;
        for (const auto& action : kActions) {
            if (pick < action.weight) {
                (this->*action.run)(random);
                return;
            }
            pick -= action.weight;
        }
    }

    void TowardASettingsScreen(std::mt19937& random)
    {
        Toward(static_cast<unsigned short>(ScreenInchingMode + random() % 4));
    }
    void KeypadKey(std::mt19937& random)
    {
        const unsigned char key = Pick(random, kKeypadBytes);
        if (key == kKeyCancel)
            CancelThenLeft(random);
        else
            Key(key);
    }
    void AnyKeyboardKey(std::mt19937& random) { KeyboardKey(Pick(random, kKeyboardKeys)); }
    void EnterKey(std::mt19937&) { Key(kKeyEnter); }
    void InchingEnable(std::mt19937& random)
    {
        Publish(random() % 2 ? 1715 : 1215, 0, random() % 3 ? 0x4000 : 0);
        Poll();
    }
    void FaultCode(std::mt19937& random)
    {
        Publish(1804, 0, Pick(random, kFaultCodes));
        Poll();
    }
    // The receipt bit, all six diameters or one of them.
    void VehicleDiameters(std::mt19937& random)
    {
        const unsigned what = random() % 3;
        if (what == 0) {
            Publish(300, 0, random() % 2 ? 0x8000 : 0);
        } else if (what == 1) {
            const unsigned short value = Pick(random, kDiameters);
            for (int word = 2; word < 8; ++word)
                Publish(300, word, value);
        } else {
            Publish(300, 2 + random() % 6, Pick(random, kDiameters));
        }
        Poll();
    }
    void SavedSpeed(std::mt19937& random)
    {
        SaveAndLoadSpeed(Pick(random, kSavedSpeeds));
        Poll();
    }
    void Ticks(std::mt19937& random)
    {
        for (unsigned n = 1 + random() % 3; n > 0; --n)
            Poll();
    }
};

TEST_F(SettingsInvariants, HoldThroughALongRandomRunOfKeysAndBusChanges)
{
    const unsigned long seed = FromEnvironment("CABDISPLAY_INVARIANT_SEED", 15);
    const unsigned long steps = FromEnvironment("CABDISPLAY_INVARIANT_STEPS", 6000);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    unsigned long step = 0;
    for (; step < steps && !failed_; ++step)
        Step(random);
    EXPECT_FALSE(failed_) << "seed " << seed << ", step " << step;
}

}  // namespace
}  // namespace shelltest
