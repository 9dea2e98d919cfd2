// Key dispatch: keypad bytes and keyboard keys reach the ten key handlers,
// which move between the screens, drive the text panel's menu, page the
// diagnostics table, start the log export, acknowledge a fault, or pass the
// key on to the settings screen in front.
#include "BasicLayout.h"

#include "InfoPanel.h"
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

// While the diagnostics table is open, up and down only page it (0 towards
// the newest entries, 1 towards older ones): neither the panel's menu nor
// the screen under the table takes the key.
bool BasicLayout::PageDiagnostics(int direction)
{
    if (m_DiagnosticMode == DiagnosticTableClosed)
        return false;
    m_DiagnosticScreen.changepage(direction);
    m_DiagnosticScreen.TimerFunc();
    return true;
}

void BasicLayout::up_Button()
{
    if (PageDiagnostics(0))
        return;
    InfoPanel* panel = InfoPanel::getInstance();
    if (panel->m_MenuActive == 1)
        panel->NavigateIndicator(BusKeyUp);
    ReadMVBData& store = Store();
    switch (m_TargetScreen) {
    case ScreenInchingMode:
        m_InchingMode.SelectPassword(KeyUp);
        store.InchingUpPressed = 1;
        store.InchingDownPressed = 0;
        break;
    case ScreenSixMotorIsolation: m_SixMotorIsolation.SelectSixMtrCurPos(KeyUp); break;
    case ScreenWheelDiameter: m_WheelDiameter.SelectPassword(KeyUp); break;
    case ScreenLocoNumner:
        if (m_LocoNumberEditState == 2) {
            m_LocoNumner.selectionChange(KeyUp);
        } else if (m_LocoNumberEditState == 3) {
            m_LocoNumberEditState = 1;
            m_LocoNumner.boxSelection(1);
        }
        break;
    case ScreenPassword: m_Password.selectionChange(KeyUp); break;
    default: break;
    }
}

void BasicLayout::down_Button()
{
    if (PageDiagnostics(1))
        return;
    InfoPanel* panel = InfoPanel::getInstance();
    if (panel->m_MenuActive == 1) {
        panel->NavigateIndicator(BusKeyDown);
        return;
    }
    ReadMVBData& store = Store();
    switch (m_TargetScreen) {
    case ScreenInchingMode:
        m_InchingMode.SelectPassword(KeyDown);
        store.InchingDownPressed = 1;
        store.InchingUpPressed = 0;
        break;
    case ScreenSixMotorIsolation: m_SixMotorIsolation.SelectSixMtrCurPos(KeyDown); break;
    case ScreenWheelDiameter: m_WheelDiameter.SelectPassword(KeyDown); break;
    case ScreenLocoNumner:
        // In the second box down does nothing.
        if (m_LocoNumberEditState == 2) {
            m_LocoNumner.selectionChange(KeyDown);
        } else if (m_LocoNumberEditState == 1) {
            m_LocoNumberEditState = 3;
            m_LocoNumner.boxSelection(3);
        }
        break;
    case ScreenPassword: m_Password.selectionChange(KeyDown); break;
    default: break;
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
        if (m_TargetScreen == ScreenLocoNumner)
            m_LocoNumner.selectionChange(key);
        else if (m_TargetScreen == ScreenPassword)
            m_Password.selectionChange(key);
        return;
    }
    StepScreen(key == KeyRight ? ScreenRightOf(m_ShownScreen, m_TargetScreen)
                               : ScreenLeftOf(m_ShownScreen, m_TargetScreen));
}

void BasicLayout::left_Button() { SideKey(KeyLeft); }

void BasicLayout::right_Button() { SideKey(KeyRight); }

// The text panel's jump requests: switch to the screen and clear the request.
void BasicLayout::TakePanelJump()
{
    ReadMVBData& store = Store();
    struct Jump {
        unsigned short ReadMVBData::*request;
        unsigned short screen;
    } const jumps[] = {{&ReadMVBData::EnergyMenuRequest, ScreenEnergyMonitoring},
                       {&ReadMVBData::InchingMenuRequest, ScreenInchingMode}};
    for (const Jump& jump : jumps)
        if (store.*jump.request == 1) {
            StepScreen(jump.screen);
            store.*jump.request = 0;
            InfoPanel::getInstance()->m_MenuActive = 0;
            return;
        }
}

// Enter on a locked settings screen shows the password screen first.
void BasicLayout::EnterLockedScreen()
{
    ReadMVBData& store = Store();
    const bool isolation = m_TargetScreen == ScreenSixMotorIsolation;
    if (store.PasswordUnlocked != 0) {
        if (isolation) {
            m_SixMotorIsolation.SelectSixMtrCurPos(KeyEnter);
            m_SixMotorIsolation.UpdateSixMotorIsolationScreen();
        } else {
            m_WheelDiameter.SelectPassword(KeyEnter);
            m_WheelDiameter.UpdateWheelDiameterScreen();
        }
        return;
    }
    const unsigned short locked = m_TargetScreen;
    m_TargetScreen = ScreenPassword;
    ChangeScreen(ScreenPassword);
    m_ShownScreen = ScreenPassword;
    store.PasswordReturnScreen = locked;
}

void BasicLayout::enter_Button()
{
    InfoPanel* panel = InfoPanel::getInstance();
    if (panel->m_MenuActive == 1) {
        panel->ConnectToKey();
        panel->UpdateEnterInfoPanelSection();
        TakePanelJump();
    } else {
        switch (m_TargetScreen) {
        case ScreenInchingMode:
            m_InchingMode.SelectPassword(KeyEnter);
            m_InchingMode.UpdateinchingModeScreen();
            break;
        case ScreenEnergyMonitoring: m_EnergyMonitoring.SelectPassword(KeyEnter); break;
        case ScreenSixMotorIsolation:
        case ScreenWheelDiameter: EnterLockedScreen(); break;
        case ScreenLocoNumner:
            if (m_LocoNumberEditState == 1 || m_LocoNumberEditState == 3) {
                m_LocoNumner.selectionChange(KeyEnter);
                ++m_LocoNumberEditState;
            } else if (m_LocoNumberEditState == 2) {
                m_LocoNumner.pressEnter(&m_LocoNumberEditState);
            }
            break;
        case ScreenPassword:
            m_Password.pressEnter(&m_PasswordEditState);
            if (m_Password.m_EntryDone == 1) {
                m_PasswordEditState = 0;
                m_TargetScreen = Store().PasswordReturnScreen;
                ChangeScreen(static_cast<short>(m_TargetScreen));
            }
            break;
        default: break;
        }
    }
    if (m_LocoNumner.m_NumberConfirmed == 1) {
        m_LocoNumberEditState = 0;
        Store().EventState = 2;
    }
}

void BasicLayout::cancel_Button()
{
    InfoPanel* panel = InfoPanel::getInstance();
    if (panel->m_MenuActive == 1) {
        panel->m_CursorIndex = 0;
        panel->ConnectToKey();
        panel->UpdateCancelInfoPanelSection();
    }
    switch (m_TargetScreen) {
    case ScreenInchingMode: m_InchingMode.SelectPassword(KeyCancel); break;
    case ScreenSixMotorIsolation: m_SixMotorIsolation.SelectSixMtrCurPos(KeyCancel); break;
    case ScreenWheelDiameter: m_WheelDiameter.SelectPassword(KeyCancel); break;
    case ScreenLocoNumner: m_LocoNumner.pressCancel(KeyCancel); break;
    default: break;
    }
    if (m_LocoNumner.m_NumberConfirmed == 1) {
        m_LocoNumberEditState = 0;
        Store().EventState = 2;
    } else if (m_Password.m_EntryDone == 1) {
        m_PasswordEditState = 0;
    }
}

void BasicLayout::menu_Button()
{
    if (m_TargetScreen == ScreenSixMotorIsolation) {
        m_SixMotorIsolation.SelectSixMtrCurPos(KeyMenu);
        return;
    }
    if (m_TargetScreen == ScreenWheelDiameter) {
        m_WheelDiameter.SelectPassword(KeyMenu);
        return;
    }
    if (m_TargetScreen == ScreenLocoNumner && m_LocoNumberEditState == 0) {
        m_LocoNumner.SelectPassword(KeyMenu);
        m_LocoNumberEditState = 1;
        return;
    }
    if (m_TargetScreen == ScreenPassword && m_PasswordEditState == 0) {
        m_Password.SelectPassword(KeyMenu);
        m_PasswordEditState = 1;
        return;
    }
    InfoPanel* panel = InfoPanel::getInstance();
    if (panel->m_MenuActive != 0) {
        Store().SelfHoldMode = 0;
        panel->DisconnectToKey();
        panel->m_MenuActive = 0;
        panel->m_Section = 9;
        panel->m_CursorIndex = 1;
        panel->UpdateEnterInfoPanelSection();
    } else if (m_DiagnosticMode == DiagnosticTableClosed) {
        panel->m_MenuActive = 1;
        panel->m_Section = 0;
        panel->m_CursorIndex = 0;
        panel->Make_Main_Screen();
        panel->ConnectToKey();
    }
}

void BasicLayout::f3_Button()
{
    Store().FunctionKeyMode = FunctionKeySearch;
    m_DataLog.findUsb();
    if (m_DiagnosticMode != DiagnosticTableClosed)
        return;
    m_DiagnosticMode = DiagnosticTableOpen;
    m_ShownScreen = ScreenDiagnostics;
    const ScreenEntry& entry = kScreenTable[ScreenDiagnostics];
    m_TitleBar.TitleLabel.set_text(entry.title);
    ShowPanelsOf(entry);
    GetReSizedImage(m_TitleBar.TitleIcon, entry.icon, 48, 48);
    show_all_children(true);
    m_DiagnosticScreen.TimerFunc();
}

void BasicLayout::f1_Button()
{
    Store().FunctionKeyMode = FunctionKeyCopy;
    m_DataLog.findUsb();
}

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
