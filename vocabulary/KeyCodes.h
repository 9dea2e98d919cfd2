// The display's key codes: the bytes of the serial keypad, the keys of the
// service keyboard, and the codes the main layout passes on to a screen's
// key operation.
#ifndef CABDISPLAY_VOCABULARY_KEYCODES_H
#define CABDISPLAY_VOCABULARY_KEYCODES_H

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

// Codes passed to a screen's key operation.
enum ScreenKey : short {
    KeyUp = 1,
    KeyDown = 2,
    KeyEnter = 3,
    KeyMenu = 4,
    KeyCancel = 5,
    KeyLeft = 6,
    KeyRight = 7,
};

#endif
