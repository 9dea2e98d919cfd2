// The content of the display's one window: an 800 x 600 fixed layout that
// owns every screen, the pop-ups, the diagnostics screen, the title bar and
// the main screen's display components, switches between the screens,
// refreshes the one in front every 100 ms and dispatches the keys.
#ifndef CABDISPLAY_SHELL_BASICLAYOUT_H
#define CABDISPLAY_SHELL_BASICLAYOUT_H

#include <gtkmm/box.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/notebook.h>

#include <sstream>
#include <string>

#include "CompButtonGrid.h"
#include "CompCircularGauge.h"
#include "CompImageGrid.h"
#include "CompPressureBar1.h"
#include "CompProgressBar.h"
#include "AuxiliaryConverter.h"
#include "AuxiliarySystem.h"
#include "BrakingSystem.h"
#include "CompSingleVal.h"
#include "DataLog.h"
#include "DiagnosticScreen.h"
#include "DpwcsBpContinuityCheck.h"
#include "DpwcsConfiguration.h"
#include "DpwcsOverview.h"
#include "DpwcsSelectLoco.h"
#include "EnergyMonitoring.h"
#include "HighVoltageCircuit.h"
#include "InchingMode.h"
#include "KeyMap.h"
#include "LocoNumner.h"
#include "Node.h"
#include "Password.h"
#include "Pressures.h"
#include "ScreenTable.h"
#include "SixMotorIsolation.h"
#include "SoftwareVer.h"
#include "SubsystemStatus.h"
#include "Temperatures.h"
#include "TitleBar.h"
#include "TractionConverter.h"
#include "TractionConverter1.h"
#include "TractionMotor.h"
#include "UsbPopup.h"
#include "WagonDetails.h"
#include "WarningPopup.h"
#include "WheelDiameter.h"

class BasicLayout : public Gtk::Fixed {
public:
    BasicLayout();
    virtual ~BasicLayout();

    void Initialaization();
    void ConstructLayout();
    void ChangeScreen(short screen);

    // Refresh tick (slot of the store's data-updated signal) and its parts.
    void UpdateValues();
    void UpdateSSMini();
    void UpdateSSMiniExtended();
    void UpdateSSMiniNext();
    void UpdateDefaultScreen();
    void UpdateProgressBar();
    void UpdateMasterSlaveconfig();
    void UpdateTitleBar();
    void UpdateSpeed(float speed);
    void Usbdetection();

    // Keys: keypad bytes (slot of the store's key signal), keyboard keys,
    // and the ten handlers.
    void KeyPressed(unsigned char key);
    bool OnKeyPress(GdkEventKey* event);
    void up_Button();
    void down_Button();
    void left_Button();
    void right_Button();
    void enter_Button();
    void cancel_Button();
    void menu_Button();
    void f1_Button();
    void f3_Button();
    void home_Button();

    // Picture helpers; none of them throws or reports.
    bool FileExists(const std::string& path);
    void GetReSizedImage(Gtk::Image& image, std::string path, float width, float height);
    void GetOriginalImage(Gtk::Image& image, std::string path);
    void PrintStatement(std::string text);

    std::stringstream m_NumberStream;
    std::stringstream m_LocoNumberStream;
    Gtk::Image m_BackgroundImage;
    Gtk::Image m_Panto1Image, m_Panto2Image;
    Gtk::EventBox m_MiniStatusBackdrop;
    Gtk::EventBox m_MiniStateBackdrop;
    Gtk::EventBox m_MiniStatusBox;
    Gtk::EventBox m_PressureStatusBackdrop;
    Gtk::EventBox m_MotorStatusBackdrop;
    Gtk::EventBox m_MiniStateBox;
    Gtk::EventBox m_Panto2Box, m_Panto1Box;
    Gtk::EventBox m_PressureStatusBox;
    Gtk::EventBox m_MotorStatusBox;
    Gtk::EventBox m_GaugeBox;
    Gtk::HBox m_MainPage;
    Gtk::Fixed m_MainPageFixed;
    Gtk::Notebook m_ScreenBook;
    TitleBar m_TitleBar;
    SubsystemStatus m_SubsystemStatus;
    HighVoltageCircuit m_HighVoltageCircuit;
    AuxiliaryConverter m_AuxiliaryConverter;
    TractionMotor m_TractionMotor;
    AuxiliarySystem m_AuxiliarySystem;
    BrakingSystem m_BrakingSystem;
    EnergyMonitoring m_EnergyMonitoring;
    Temperatures m_Temperatures;
    Pressures m_Pressures;
    Node m_Node;
    Password m_Password;
    DpwcsConfiguration m_DpwcsConfiguration;
    WagonDetails m_WagonDetails;
    DpwcsBpContinuityCheck m_DpwcsBpContinuityCheck;
    DpwcsOverview m_DpwcsOverview;
    DpwcsSelectLoco m_DpwcsSelectLoco;
    WarningPopup m_WarningPopup;
    DiagnosticScreen m_DiagnosticScreen;
    TractionConverter m_TractionConverter;
    TractionConverter1 m_TractionConverter1;
    InchingMode m_InchingMode;
    DataLog m_DataLog;
    UsbPopup m_UsbPopup;
    LocoNumner m_LocoNumner;
    SixMotorIsolation m_SixMotorIsolation;
    WheelDiameter m_WheelDiameter;
    SoftwareVer m_SoftwareVer;
    CompButtonGrid m_MiniStatusGrid;
    CompButtonGrid m_MiniStateGrid;
    CompButtonGrid m_PressureStatusGrid;
    CompButtonGrid m_MotorStatusGrid;
    CompProgressBar m_AmpBar, m_VoltBar;
    CompPressureBar1 m_PressureBar;
    CompCircularGauge m_CircularGauge;
    CompImageGrid m_IndicatorImageGrid;
    CompSingleVal m_SpareSingleVal;
    Gtk::Label m_CaptionLabel;
    Gtk::VBox m_CaptionBox;
    Gtk::Fixed m_CaptionFixed;
    Gdk::Color m_CaptionColour;

    // Screen indices and the panels put on the layout.
    unsigned short m_TargetScreen = ScreenMain;
    unsigned char m_SubsystemStatusShown = 0;
    unsigned char m_DiagnosticShown = 0;
    unsigned short m_ShownScreen = ScreenMain;
    unsigned short m_KeysEnabled = 1;
    unsigned short m_DiagnosticMode = DiagnosticTableClosed;
    int m_LocoNumberEditState = 0;
    int m_PasswordEditState = 0;
    unsigned short m_FaultPopupActive = 0;
    unsigned short m_PressureBarMode = 0;
    unsigned short m_MuConfigured = 0;
    int m_UsbCharsRead = 0, m_UsbNameChars = 0;
    char m_UsbLastChar = 0;

    // Change caches: what the main screen and the title bar last showed.
    unsigned short m_LastVcbClosed, m_LastParkingBrakeApplied, m_LastIdleState, m_LastVcuRedundant;
    unsigned short m_LastLineFrequencyOk, m_LastShuntingMode;
    float m_LastBrakePipePressure;
    unsigned short m_LastDirectionForward, m_LastDirectionReverse;
    unsigned short m_LastBlKeyActive, m_LastWheelSlip, m_LastBcAppliedIcon;
    unsigned short m_LastTrainBrakeValue = 0;
    unsigned short m_LastSubsystemStates[30];
    unsigned short m_LastBpcsOn, m_LastMainReservoirLow, m_LastSandingOn;
    unsigned short m_LastPanto1Up, m_LastPanto2Up;
    float m_LastPrimaryCurrent;
    float m_LastPrimaryVoltage;
    float m_LastTeBeDemandIndicator, m_LastTeBeActualIndicator;
    float m_LastMainGaugeVoltage;
    float m_LastSpeed;
    unsigned short m_LastLocoNumber;
    unsigned short m_LastBatteryVoltage = 0;
    unsigned short m_LastTitleBarValue = 0;
    float m_LastTeBeActual;
    unsigned short m_LastEarthFault[3];

    // Internal faults reported once per run.
    static unsigned short MCE_DetectectionState;
    static unsigned short throttlepossition;

    // The 16-bit caches that the first refresh after start draws.
    bool m_TrainBrakeDrawn = false;
    bool m_BatteryVoltageDrawn = false;
    bool m_TitleBarValueDrawn = false;

private:
    void RunRefreshStep(RefreshStep step);
    void ShowScreenEntry(const ScreenEntry& entry);
    void PutPanel(Gtk::Widget& panel, int x, int y);
    void TakePanelOff(Gtk::Widget& panel);
    void RestoreMiniStatusBox();
    void ShowPanelsOf(const ScreenEntry& entry);
    void SetCellPicture(CompButtonGrid& grid, int row, int column, const std::string& path);
    void SetCellCaption(CompButtonGrid& grid, int row, int column, const std::string& caption);
    void RunKeyAction(KeyAction action);
    KeyGateState GateState() const;
    void StepScreen(unsigned short next);
    void SideKey(ScreenKey key);
    bool PageDiagnostics(int direction);
    void TakePanelJump();
    void EnterLockedScreen();
    void RefreshShownScreen();
    void PutFaultPopup();
};

#endif
