// The display's keys: keypad bytes and keyboard keys mapped to the ten key
// handlers, the gates that drop keys while the fault pop-up or the
// diagnostics table is up, the codes passed on to the settings screens, and
// the left/right step through the screens.
#ifndef CABDISPLAY_SHELL_KEYMAP_H
#define CABDISPLAY_SHELL_KEYMAP_H

// Keypad bytes of the serial keypad.
enum BusKeyCode : unsigned char {
    BusKeyF3 = 43,
    BusKeyNoAction = 45,
    BusKeyF1 = 46,
    BusKeyCancel = 71,
    BusKeyHome = 75,
    BusKeyUp = 77,
    BusKeyLeft = 78,
    BusKeyEnter = 135,
    BusKeyMenu = 139,
    BusKeyDown = 141,
    BusKeyRight = 142,
};

// Keyboard keys (GDK key values) of the service keyboard.
enum KeyboardKeyMap : unsigned {
    KeyboardF3 = 0x61,  // lower-case 'a'
    KeyboardEnter = 0xFF0D,
    KeyboardHome = 0xFF50,
    KeyboardLeft = 0xFF51,
    KeyboardUp = 0xFF52,
    KeyboardRight = 0xFF53,
    KeyboardDown = 0xFF54,
    KeyboardMenu = 0xFF57,    // End
    KeyboardCancel = 0xFF63,  // Insert
    KeyboardDelete = 0xFFFF,  // Delete, also cancel
};

// Codes passed to a settings screen's key operation.
enum ScreenKey : short {
    KeyUp = 1,
    KeyDown = 2,
    KeyEnter = 3,
    KeyMenu = 4,
    KeyCancel = 5,
    KeyLeft = 6,
    KeyRight = 7,
};

// The ten key handlers.
enum class KeyAction { None, Up, Down, Left, Right, Enter, Cancel, Menu, Home, F1, F3 };

KeyAction BusKeyAction(unsigned char byte);
KeyAction KeyboardAction(unsigned keyval);

// What the keys may do in the present state of the display.
struct KeyGateState {
    unsigned short keysEnabled;     // 0 while the fault pop-up is up
    unsigned short faultActive;     // 1 from fault onset until it clears
    unsigned short shownScreen;     // the state being refreshed
    unsigned short diagnosticMode;  // not 0 while the diagnostics table is open
};

// The handler a keypad byte reaches, None when the key is dropped.
KeyAction GateBusKey(const KeyGateState& state, unsigned char byte);
// The handler a keyboard key reaches, None when the key is dropped.
KeyAction GateKeyboardKey(const KeyGateState& state, unsigned keyval);

// The screen that left and right step to, 0..17 with wrap-around. The wrap
// test reads the shown state, the step starts from the target.
unsigned short ScreenRightOf(unsigned short shown, unsigned short target);
unsigned short ScreenLeftOf(unsigned short shown, unsigned short target);

#endif
