// Keys fuzz target: random keypad bytes and keyboard keys into the real main
// layout, on a store with start values driven by its own decode tick (no
// bus, no keypad line). After every key and tick:
//   - no toolkit critical (criticals are fatal here);
//   - no panel on the layout twice, every child's parent the layout;
//   - a setting reaches port 301 only from its own screen in front (or under
//     the diagnostics table once the tick after f3 has made it the shown
//     screen again), and the two locked ones only once unlocked;
//   - the password unlocks only on "OK" with 8316 shown as typed.
//
// Input, one step per byte s:
//   s < 0xB0          keypad byte: one of the keypad's ten keys, "no action"
//                     or a key byte the keypad never sends (table below)
//   0xB0 .. 0xDF      keyboard key (table below)
//   0xE0 .. 0xEF      the next byte as a raw keypad byte
//   0xF0 .. 0xF5      (s - 0xEF) decode ticks without a key
//   0xF6              a fault code (next two bytes) from the cab's fault unit
//   0xF7              inching allowed / not allowed (toggle)
//   0xF8 .. 0xFF      one decode tick without a key
#include "FuzzSupport.h"

#include "BasicLayout.h"
#include "KeyMap.h"
#include "KeypadLine.h"
#include "PortBuffers.h"
#include "ReadMVBData.h"
#include "ScreenTable.h"

#include <gdk/gdkkeysyms.h>
#include <glib.h>
#include <gtkmm/main.h>
#include <gtkmm/settings.h>
#include <gtkmm/window.h>

#include <cstdlib>
#include <set>
#include <unistd.h>

namespace {

using fuzzsupport::Check;

const unsigned char kBusKeys[] = {
    BusKeyUp, BusKeyDown, BusKeyLeft, BusKeyRight, BusKeyEnter, BusKeyMenu, BusKeyCancel,
    BusKeyHome, BusKeyF1, BusKeyF3, BusKeyNoAction, 0x01, 0xFF,
    // The password keypad's moves weigh more: they make codes.
    BusKeyUp, BusKeyDown, BusKeyLeft, BusKeyRight, BusKeyEnter,
};
const unsigned kKeyboardKeys[] = {
    KeyboardUp, KeyboardDown, KeyboardLeft, KeyboardRight, KeyboardEnter, KeyboardMenu,
    KeyboardCancel, KeyboardDelete, KeyboardHome, KeyboardF3, GDK_F1, GDK_Escape, 'x',
};

struct Display {
    BasicLayout* layout = nullptr;
    Gtk::Window* window = nullptr;
};

Display& TheDisplay()
{
    static Display display;
    return display;
}

void Drain()
{
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);
}

// What the checks compare across one step.
struct Seen {
    unsigned short port301[16];
    unsigned short unlocked;
    unsigned short target, shown;
    Glib::ustring typedCode;

    explicit Seen(BasicLayout& layout)
        : unlocked(ReadMVBData::instance->PasswordUnlocked), target(layout.m_TargetScreen),
          shown(layout.m_ShownScreen), typedCode(layout.m_Password.m_ValueLabel.get_text())
    {
        for (int i = 0; i < 16; ++i)
            port301[i] = DDU_301[i];
    }
};

bool Changed(const Seen& before, const Seen& after, int word, unsigned mask = 0xFFFFu)
{
    return ((before.port301[word] ^ after.port301[word]) & mask) != 0;
}

bool Raised(const Seen& before, const Seen& after, int word, unsigned bit)
{
    return !(before.port301[word] & bit) && (after.port301[word] & bit);
}

// A setting's screen: the target and the shown screen, with no pop-up over
// it. The diagnostics table may lie on top: from the first tick after f3 the
// shown screen is the target again, and enter, cancel and menu act on it.
bool InFront(const BasicLayout& layout, const Seen& after, unsigned short screen)
{
    return after.target == screen && after.shown == screen && layout.m_FaultPopupActive == 0;
}

// byKey: the step was a key (a bus change may start the inching request of
// a screen that is covered).
void CheckPort301(const BasicLayout& layout, const Seen& before, const Seen& after, bool byKey)
{
    const bool unlocked = after.unlocked == 1;
    if ((byKey && Raised(before, after, 0, 1u)) || Changed(before, after, 1))
        Check(InFront(layout, after, ScreenInchingMode), "inching setting from another screen");
    if (Changed(before, after, 0, 0x7Eu))
        Check(InFront(layout, after, ScreenSixMotorIsolation) && unlocked,
              "motor isolation from a locked or other screen");
    bool wheels = Raised(before, after, 0, 0x8000u);
    for (int w = 2; w < 8; ++w)
        wheels = wheels || Changed(before, after, w);
    if (wheels)
        Check(InFront(layout, after, ScreenWheelDiameter) && unlocked, "wheel diameters from a locked or other screen");
    if (Changed(before, after, 8))
        Check(InFront(layout, after, ScreenLocoNumner), "loco number from another screen");
    if (Changed(before, after, 10))
        Check(InFront(layout, after, ScreenEnergyMonitoring), "trip reset from another screen");
}

void CheckUnlock(const Seen& before, const Seen& after, bool enter)
{
    if (before.unlocked == 0 && after.unlocked != 0) {
        Check(enter && before.target == ScreenPassword, "unlocked without OK on the password screen");
        Check(before.typedCode == "8316", "unlocked without 8316 typed");
    }
}

void CheckPanels(BasicLayout& layout)
{
    std::set<Gtk::Widget*> seen;
    for (Gtk::Widget* child : layout.get_children()) {
        Check(seen.insert(child).second, "a panel put twice");
        Check(child->get_parent() == &layout, "a child of the layout with another parent");
    }
}

void Tick()
{
    ReadMVBData::instance->PrintKey();
    Drain();
}

void KeypadByte(unsigned char byte)
{
    bufkey[0] = byte;
    KeySelected = byte;
    Tick();
}

void KeyboardKey(BasicLayout& layout, unsigned keyval)
{
    GdkEventKey event = {};
    event.type = GDK_KEY_PRESS;
    event.keyval = keyval;
    layout.OnKeyPress(&event);
    Tick();
}

void Reset(BasicLayout& layout)
{
    KeySelected = 0;
    bufkey[0] = 0;
    HBB1_1215[0] = 0;
    DDA2_1804[0] = 0;
    layout.home_Button();
    Tick();
    // A fault pop-up of the last input is acknowledged away.
    for (int i = 0; i < 3 && layout.m_FaultPopupActive; ++i) {
        layout.home_Button();
        Tick();
    }
    ReadMVBData::instance->PasswordUnlocked = 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzsupport::QuietInPrivateWorkDir(argc, argv);
    // Any critical of the toolkit is a finding.
    g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_ERROR));
    if (::symlink(CABDISPLAY_IMAGE_DIR, "Images") != 0)
        std::fprintf(stderr, "no pictures: %s\n", CABDISPLAY_IMAGE_DIR);
    ::setenv("CABDISPLAY_MEDIA", "./media", 1);
    static int toolkitArgc = 1;
    static char name[] = "fuzz_keys";
    static char* args[] = {name, nullptr};
    static char** toolkitArgv = args;
    new Gtk::Main(toolkitArgc, toolkitArgv);
    Gtk::Settings::get_default()->property_gtk_xft_dpi() = 96 * 1024;
    ReadMVBData::instance = new ReadMVBData(ReadMVBData::StartValuesOnly{});
    Display& d = TheDisplay();
    d.layout = new BasicLayout;
    d.window = new Gtk::Window;
    d.window->set_default_size(800, 600);
    d.window->add(*d.layout);
    d.window->show_all();
    Drain();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BasicLayout& layout = *TheDisplay().layout;
    Reset(layout);
    fuzzsupport::Input input(data, size);
    for (int steps = 0; !input.Empty() && steps < 400; ++steps) {
        const Seen before(layout);
        const unsigned char s = input.Byte();
        bool enter = false;
        const bool byKey = s < 0xF0;
        if (s < 0xB0) {
            const unsigned char key = kBusKeys[s % sizeof kBusKeys];
            enter = key == BusKeyEnter;
            KeypadByte(key);
        } else if (s < 0xE0) {
            const unsigned key = kKeyboardKeys[s % (sizeof kKeyboardKeys / sizeof kKeyboardKeys[0])];
            enter = key == KeyboardEnter;
            KeyboardKey(layout, key);
        } else if (s < 0xF0) {
            const unsigned char key = input.Byte();
            enter = key == BusKeyEnter;
            KeypadByte(key);
        } else if (s <= 0xF5) {
            for (int n = 0; n < s - 0xEF; ++n)
                Tick();
        } else if (s == 0xF6) {
            DDA2_1804[0] = input.Word();
            Tick();
        } else if (s == 0xF7) {
            HBB1_1215[0] ^= 0x4000;
            Tick();
        } else {
            Tick();
        }
        const Seen after(layout);
        CheckPort301(layout, before, after, byKey);
        CheckUnlock(before, after, enter);
        CheckPanels(layout);
    }
    return 0;
}
