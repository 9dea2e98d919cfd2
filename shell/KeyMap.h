// The display's keys: keypad bytes and keyboard keys mapped to the ten key
// handlers, the gates that drop keys while the fault pop-up or the
// diagnostics table is up, and the left/right step through the screens.
#ifndef CABDISPLAY_SHELL_KEYMAP_H
#define CABDISPLAY_SHELL_KEYMAP_H

#include "DiagnosticModes.h"
#include "KeyCodes.h"

// The ten key handlers.
enum class KeyAction { None, Up, Down, Left, Right, Enter, Cancel, Menu, Home, F1, F3 };

KeyAction BusKeyAction(unsigned char byte);
KeyAction KeyboardAction(unsigned keyval);

// What the keys may do in the present state of the display.
struct KeyGateState {
    unsigned short keysEnabled;     // 0 while the fault pop-up is up
    unsigned short faultActive;     // 1 from fault onset until it clears
    unsigned short shownScreen;     // the state being refreshed
    unsigned short diagnosticMode;  // a DiagnosticMode
};

// The handler a keypad byte reaches, None when the key is dropped.
KeyAction GateBusKey(const KeyGateState& state, unsigned char byte);
// The handler a keyboard key reaches, None when the key is dropped.
KeyAction GateKeyboardKey(const KeyGateState& state, unsigned keyval);

// The screen that left and right step to, ScreenMain to ScreenSoftwareVer
// (0..17) with wrap-around: the password screen is never stepped to. The wrap
// test reads the shown state, the step starts from the target.
unsigned short ScreenRightOf(unsigned short shown, unsigned short target);
unsigned short ScreenLeftOf(unsigned short shown, unsigned short target);

#endif
