#include "KeyMap.h"

#include "ScreenTable.h"

#include <cstddef>

namespace {

struct BusKey {
    unsigned char byte;
    KeyAction action;
};

const BusKey kBusKeys[] = {
    {BusKeyF3, KeyAction::F3},         {BusKeyF1, KeyAction::F1},     {BusKeyCancel, KeyAction::Cancel},
    {BusKeyHome, KeyAction::Home},     {BusKeyUp, KeyAction::Up},     {BusKeyLeft, KeyAction::Left},
    {BusKeyEnter, KeyAction::Enter},   {BusKeyMenu, KeyAction::Menu}, {BusKeyDown, KeyAction::Down},
    {BusKeyRight, KeyAction::Right},
};

struct KeyboardKey {
    unsigned keyval;
    KeyAction action;
};

const KeyboardKey kKeyboardKeys[] = {
    {KeyboardF3, KeyAction::F3},       {KeyboardEnter, KeyAction::Enter},   {KeyboardHome, KeyAction::Home},
    {KeyboardLeft, KeyAction::Left},   {KeyboardUp, KeyAction::Up},         {KeyboardRight, KeyAction::Right},
    {KeyboardDown, KeyAction::Down},   {KeyboardMenu, KeyAction::Menu},     {KeyboardCancel, KeyAction::Cancel},
    {KeyboardDelete, KeyAction::Cancel},
};

// While the diagnostics table lies on top it has the keys: up and down page
// it, Home closes it, f1 and f3 start the log export and the stick search.
// No other key reaches the screen under it, which the driver cannot see.
KeyAction KeepToTheTable(const KeyGateState& state, KeyAction action)
{
    if (state.diagnosticMode == DiagnosticTableClosed)
        return action;
    switch (action) {
    case KeyAction::Up:
    case KeyAction::Down:
    case KeyAction::Home:
    case KeyAction::F1:
    case KeyAction::F3: return action;
    default: return KeyAction::None;
    }
}

// Over the diagnostics table only paging and home get through.
bool PassesDiagnosticsTable(const KeyGateState& state, KeyAction action)
{
    return state.shownScreen != ScreenDiagnostics || action == KeyAction::Up || action == KeyAction::Down ||
           action == KeyAction::Home;
}

}  // namespace

KeyAction BusKeyAction(unsigned char byte)
{
    for (const BusKey& key : kBusKeys)
        if (key.byte == byte)
            return key.action;
    return KeyAction::None;
}

KeyAction KeyboardAction(unsigned keyval)
{
    for (const KeyboardKey& key : kKeyboardKeys)
        if (key.keyval == keyval)
            return key.action;
    return KeyAction::None;
}

KeyAction GateBusKey(const KeyGateState& state, unsigned char byte)
{
    const KeyAction action = BusKeyAction(byte);
    if (state.keysEnabled == 0)
        return action == KeyAction::Home ? action : KeyAction::None;
    if (!PassesDiagnosticsTable(state, action))
        return KeyAction::None;
    return KeepToTheTable(state, action);
}

KeyAction GateKeyboardKey(const KeyGateState& state, unsigned keyval)
{
    KeyAction action = KeyboardAction(keyval);
    if (state.keysEnabled == 0) {
        // With the fault pop-up up, any key acknowledges the fault.
        if (state.faultActive != 1)
            return KeyAction::None;
        action = KeyAction::Home;
    }
    if (!PassesDiagnosticsTable(state, action))
        return KeyAction::None;
    return KeepToTheTable(state, action);
}

unsigned short ScreenRightOf(unsigned short shown, unsigned short target)
{
    if (shown >= ScreenSoftwareVer)
        return ScreenMain;
    return static_cast<unsigned short>(target + 1);
}

unsigned short ScreenLeftOf(unsigned short shown, unsigned short target)
{
    if (shown == ScreenMain)
        return ScreenSoftwareVer;
    return static_cast<unsigned short>(target - 1);
}
