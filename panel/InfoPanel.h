// The text panel of the main screen: node states by default, a small text
// menu of information pages on the Menu key, and short information messages
// (self hold, throttle, energy saving, USB stick, log copied). One per
// process; the main layout places it and drives its menu.
#ifndef CABDISPLAY_PANEL_INFOPANEL_H
#define CABDISPLAY_PANEL_INFOPANEL_H

#include <gtkmm/box.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>
#include <gtkmm/table.h>
#include <string>

// Texts of the panel's views; entries marked in the refresh follow the loco
// numbers.
extern std::string MainMenu[3];
extern std::string HeaderValuesVD[3];
extern std::string HeaderValuesITB[2];
extern std::string HeaderValuesPIL[3];
extern std::string CommissioningData[3];
extern std::string NodeInformation[9];
extern std::string SimulationInfo[5];
extern std::string SubsystemInfo[30];
extern std::string subsystem_scnHeader;
extern std::string BrouseModeHeading;
extern std::string BrouseModeMsg;

class InfoPanel : public Gtk::EventBox {
public:
    static InfoPanel* instance;
    // The one panel, created on the first call and never freed.
    static InfoPanel* getInstance();

    InfoPanel();
    ~InfoPanel();

    void Initialaization();
    void ConstructLayout();

    // Views.
    void UpdateInfoPanelDetails(short rows, short columns, std::string* texts, float rowSpacing, float columnSpacing);
    void UpdateNodeInfoDetails(short rows, short columns, std::string* texts, float rowSpacing, float columnSpacing);
    void CreateNodeInfoScreen();
    void CreateSimulationModeScreen();
    void CreateSubsystemScreen();
    void UpdateNodeInfoScreen();
    void UpdateSimulationModeScreen();
    void UpdateSubsystemScreen();

    // Menu.
    void Make_Main_Screen();
    void ConnectToKey();
    void DisconnectToKey();
    void NavigateIndicator(unsigned char key);
    void UpdateEnterInfoPanelSection();
    void UpdateCancelInfoPanelSection();

    // Refresh and information messages.
    void UpdateInfoPanelValues();
    void InfoPanelPopup_FltMsg();
    void InfoPanelPopup_NodeInformation();
    void InfoPanelPopup_ESMstatus();
    void InfoPanelPopup_USB_Detected();
    void InfoPanelPopup_Download_Done();

    std::string m_HeadingText;
    std::string m_LocoNumberText;
    std::string m_SecondLocoNumberText;
    int m_PopupHold = 0;
    unsigned char m_MenuActive = 0;
    short m_CursorIndex = 0;
    short m_CursorY = 0;
    unsigned int m_Section = 0;
    short m_MaxCursor = 0;
    short m_SubsystemPage = 0;
    short m_SubsystemValue = 0;
    Gtk::Label m_HeadingLabel;
    Gtk::Label m_CursorLabel;
    Gtk::Fixed m_Fixed;
    Gtk::EventBox m_OuterBox, m_FrameBox, m_InnerBox;
    Gtk::Table* m_ListTable = nullptr;
    Gtk::Table m_InfoTable;
    Gtk::Label m_InfoLabels[9];
    Gtk::HBox m_InfoBoxes[9];
    unsigned int m_LastLocoNumber = 0, m_LastSecondLocoNumber = 0;
    float m_LastPrimaryVoltage = 0, m_LastTeBeDemand = 0;
    unsigned short m_LastSpeed = 0;
    std::string m_NodeTexts[9];

private:
    struct Message;
    void ShowMessage(const Message& message);
    void ReplaceList();
    void InfoTableOut();
    void InfoTableAt();
    void CursorAtRow(short maxCursor);
    void CursorOut();
    void ShowMenuList(std::string* texts, short rows, const std::string& heading, unsigned int section, bool infoOut);
    void ShowNodeView();
    void SetInfoLabels(int first, int last, const std::string& text);
    void RebuildLocoTexts();
    void RebuildBrowseTexts();
    void BuildNodeTexts();

    // Loco text and fault texts the browse-mode texts were built from.
    std::string m_BrowseLocoText{"30001"};
    std::string m_BrowseBuiltSubsystem, m_BrowseBuiltMessage;
};

#endif
