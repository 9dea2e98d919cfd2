// A long seeded random run of keys and bus changes through the real main
// layout, checked after every tick and key (see SettingsBus): the page and
// panels on the layout follow the screen chosen, port 301 and the store hold
// only settings in range, Enter on the inching screen sends what it shows,
// no key changes a setting under the diagnostics table or a fault pop-up,
// the loco-number edit never sticks in its Confirm step, and after Cancel on
// a settings screen with no pop-up, left changes the store's CurrentScreen.
// The run also opens the text panel's jumps, f3 with keys over the table,
// fault pop-ups coming and going, set speeds the screen finds in the store
// (as a damaged file left them), and dial faces replaced or removed on
// disk: the next needle move then draws the whole dial.
// CABDISPLAY_INVARIANT_SEED and CABDISPLAY_INVARIANT_STEPS give a run of
// another seed or length.
#include "SettingsBus.h"

#include <cstdlib>
#include <fstream>
#include <gdk/gdkkeysyms.h>
#include <random>
#include <sstream>
#include <string>

#include "InfoPanel.h"
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
    BusKeyUp, BusKeyDown, BusKeyLeft, BusKeyRight, BusKeyEnter, BusKeyMenu, BusKeyCancel, BusKeyHome, BusKeyF3, BusKeyNoAction, 0x01,
    // Keys that act inside the settings screens weigh more.
    BusKeyUp, BusKeyDown, BusKeyEnter, BusKeyEnter, BusKeyCancel, BusKeyMenu, BusKeyLeft, BusKeyRight,
};
const unsigned kKeyboardKeys[] = {KeyboardUp,   KeyboardDown,   KeyboardLeft,   KeyboardRight, KeyboardEnter,
                                  KeyboardMenu, KeyboardCancel, KeyboardDelete, KeyboardHome, KeyboardF3,
                                  GDK_Escape};
// Keys pressed over the diagnostics table.
const unsigned char kTableKeys[] = {BusKeyUp, BusKeyDown, BusKeyEnter, BusKeyCancel, BusKeyMenu, BusKeyLeft, BusKeyRight, BusKeyF3};
// Diameters the vehicle may report: around both limits, none and damaged.
const unsigned short kDiameters[] = {0, 1000, 1015, 1016, 1017, 1050, 1096, 1097, 1098, 1200, 65535};
const char* const kSavedSpeeds[] = {"ActualSpeedVal=0.000000", "ActualSpeedVal=0.400000",
                                    "ActualSpeedVal=0.500000", "ActualSpeedVal=1.500000",
                                    "ActualSpeedVal=1.600000", "ActualSpeedVal=15.000000",
                                    "ActualSpeedVal=6553.500000", "ActualSpeedVal=nan", "garbage"};
const unsigned short kFaultCodes[] = {0, 0, 0, 0, 10100, 10101, 20000, 59999, 60000};
// Set speeds the inching screen may find in the store.
const float kSetSpeeds[] = {0.0f, 0.4f, 0.5f, 1.45f, 1.5f, 1.6f, 15.0f, 6553.5f, -1.0f, NAN};

// The dial faces the run replaces or removes; the originals come back after
// the run.
struct DialFace {
    const char* path;
    int width, height;
};
const DialFace kDialFaces[] = {{"./Images/CircularGauge.png", 240, 252}, {"./Images/Voltmeter.png", 96, 90}};

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

template <typename T, std::size_t N>
const T& Pick(std::mt19937& random, const T (&items)[N])
{
    return items[random() % N];
}

class SettingsInvariants : public SettingsBus {
protected:
    void SetUp() override
    {
        SettingsBus::SetUp();
        for (const DialFace& face : kDialFaces)
            faces_.push_back(FileBytes(face.path));
        // What each dial draws, watched at its expose; first what a whole
        // redraw of it draws with the main page in front.
        CompCircularGauge& gauge = layout().m_CircularGauge;
        for (int dial = 0; dial < 2; ++dial) {
            Gtk::DrawingArea& area = dial == 0 ? gauge.SpeedDial : gauge.VoltDial;
            drawn_[dial] = gdk_region_new();
            watches_.push_back(area.signal_expose_event().connect(
                [this, dial](GdkEventExpose* event) {
                    gdk_region_union(drawn_[dial], event->region);
                    return false;
                },
                false));
            area.queue_draw();
            testsupport::DrainEvents();
            wholeDial_[dial] = Drawn(dial);
        }
    }
    void TearDown() override
    {
        for (sigc::connection& watch : watches_)
            watch.disconnect();
        for (GdkRegion* region : drawn_)
            gdk_region_destroy(region);
        for (std::size_t i = 0; i < faces_.size(); ++i)
            std::ofstream(kDialFaces[i].path, std::ios::binary) << faces_[i];
        SettingsBus::TearDown();
    }

    // Pixels the dial drew since the last call.
    long Drawn(int dial)
    {
        GdkRectangle* rects = nullptr;
        int count = 0;
        gdk_region_get_rectangles(drawn_[dial], &rects, &count);
        long pixels = 0;
        for (int i = 0; i < count; ++i)
            pixels += static_cast<long>(rects[i].width) * rects[i].height;
        g_free(rects);
        gdk_region_destroy(drawn_[dial]);
        drawn_[dial] = gdk_region_new();
        return pixels;
    }

    bool SettingsScreenInFront()
    {
        const BasicLayout& l = layout();
        return l.m_TargetScreen >= ScreenInchingMode && l.m_TargetScreen <= ScreenWheelDiameter &&
               l.m_ShownScreen == l.m_TargetScreen && l.m_KeysEnabled == 1 && l.m_FaultPopupActive == 0 &&
               l.m_DiagnosticMode == DiagnosticTableClosed;
    }

    // Cancel, then (every other time) left, which must change the screen.
    void CancelThenLeft(std::mt19937& random)
    {
        const bool onSettings = SettingsScreenInFront();
        Key(BusKeyCancel);
        if (!onSettings || !SettingsScreenInFront() || random() % 2)
            return;
        const unsigned before = store().CurrentScreen;
        const unsigned short screen = layout().m_TargetScreen;
        Key(BusKeyLeft);
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
            if (l.m_KeysEnabled != 1 || l.m_DiagnosticMode != DiagnosticTableClosed || l.m_LocoNumberEditState != 0 ||
                l.m_PasswordEditState != 0)
                return;
            const int ahead = (screen - l.m_TargetScreen + 18) % 18;
            Key(ahead <= 9 ? BusKeyRight : BusKeyLeft);
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
                Key(BusKeyMenu);
                Key(roll % 2 ? BusKeyEnter : BusKeyDown);
                return;
            }
        }
        typedef void (SettingsInvariants::*Run)(std::mt19937&);
        static const struct {
            unsigned weight;
            Run run;
        } kActions[] = {
            {4, &SettingsInvariants::TowardASettingsScreen}, {34, &SettingsInvariants::KeypadKey},
            {6, &SettingsInvariants::AnyKeyboardKey},        {4, &SettingsInvariants::EnterKey},
            {5, &SettingsInvariants::InchingEnable},         {6, &SettingsInvariants::FaultCode},
            {13, &SettingsInvariants::VehicleDiameters},     {2, &SettingsInvariants::SavedSpeed},
            {16, &SettingsInvariants::Ticks},                {3, &SettingsInvariants::PanelJump},
            {3, &SettingsInvariants::KeysOverTheTable},      {2, &SettingsInvariants::SetSpeedFound},
            {2, &SettingsInvariants::DialFaceOnDisk},
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
        if (key == BusKeyCancel)
            CancelThenLeft(random);
        else
            Key(key);
    }
    void AnyKeyboardKey(std::mt19937& random) { KeyboardKey(Pick(random, kKeyboardKeys)); }
    void EnterKey(std::mt19937&) { Key(BusKeyEnter); }
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
    // The text panel's menu, "3. Process information", then its energy or
    // its inching row (Menu opens the panel only where the screen leaves
    // it the key).
    void PanelJump(std::mt19937& random)
    {
        Key(BusKeyMenu);
        if (InfoPanel::getInstance()->m_MenuActive == 0)
            return;
        for (unsigned char key : {BusKeyDown, BusKeyDown, BusKeyEnter})
            Key(key);
        if (random() % 2) {
            Key(BusKeyDown);
            Key(BusKeyDown);
        }
        Key(BusKeyEnter);
    }
    // f3, then keys over the table (often Home, which closes it).
    void KeysOverTheTable(std::mt19937& random)
    {
        Key(BusKeyF3);
        for (unsigned n = 1 + random() % 6; n > 0; --n) {
            if (random() % 3 == 0)
                Poll();
            Key(Pick(random, kTableKeys));
        }
        if (random() % 2)
            Key(BusKeyHome);
    }
    // A set speed the inching screen finds in the store, whatever put it
    // there (a damaged file left the like).
    void SetSpeedFound(std::mt19937& random)
    {
        store().StoredActualSpeedVal = Pick(random, kSetSpeeds);
        Poll();
    }
    // On the main screen, a dial face replaced by another picture, removed
    // or put back, then the needle moves: the whole dial must be drawn.
    // Elsewhere the face changes only; the page drawn again shows it whole.
    void DialFaceOnDisk(std::mt19937& random)
    {
        const BasicLayout& l = layout();
        if (l.m_TargetScreen != ScreenMain && l.m_KeysEnabled == 1 && l.m_LocoNumberEditState == 0 &&
            l.m_PasswordEditState == 0)
            Key(BusKeyHome);
        const int dial = static_cast<int>(random() % 2);
        const DialFace& face = kDialFaces[dial];
        // A face other than the one on disk: another colour, none, or the
        // picture of the set (0 stands for it, 1 for none).
        unsigned& onDisk = faceOnDisk_[dial];
        unsigned next = onDisk;
        while (next == onDisk)
            next = random() % 3 == 0 ? random() % 2 : 2 + (random() & 0xFFFFFFu);
        onDisk = next;
        if (next == 0)
            std::ofstream(face.path, std::ios::binary) << faces_[dial];
        else if (next == 1)
            std::remove(face.path);
        else
            testsupport::WritePicture(face.path, face.width, face.height, next - 2);
        if (l.m_TargetScreen != ScreenMain || l.m_ShownScreen != ScreenMain || Cover())
            return;
        // The speed (port 1020 word 3, tenths of km/h) or the battery
        // voltage (word 10, 100 V in 4096) the dial shows, moved.
        speedWord_ = static_cast<unsigned short>((speedWord_ + 50 + random() % 900) % 1800);
        batteryWord_ = static_cast<unsigned short>(2900 + (batteryWord_ - 2900 + 100 + random() % 2000) % 3200);
        Publish(1020, dial == 0 ? 3 : 10, dial == 0 ? speedWord_ : batteryWord_);
        Drawn(dial);
        Poll();
        const long drawn = Drawn(dial);
        if (drawn < wholeDial_[dial])
            Fail(std::string(dial == 0 ? "speed" : "battery") + " dial drawn in part (" + std::to_string(drawn) +
                 " of " + std::to_string(wholeDial_[dial]) + " pixels) after its face changed on disk");
    }

    std::vector<std::string> faces_;
    std::vector<sigc::connection> watches_;
    GdkRegion* drawn_[2] = {};
    long wholeDial_[2] = {};
    unsigned faceOnDisk_[2] = {0, 0};
    unsigned short speedWord_ = 0, batteryWord_ = 2900;
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
