#include "InfoPanel.h"

#include <gtk/gtk.h>
#include <pangomm/fontdescription.h>
#include <sstream>

#include "CompSupport.h"
#include "KeyCodes.h"
#include "PanelWidgets.h"
#include "ReadMVBData.h"

std::string MainMenu[3] = {"1. Vehicle Diagnostics", "2. Information train bus", "3. Process information LOCO 30001"};
std::string HeaderValuesVD[3] = {"1. Loco 30001", "2. Loco 00000", "3. Browse Mode"};
std::string HeaderValuesITB[2] = {"Loco 30001", " Loco 00000"};
std::string HeaderValuesPIL[3] = {"1. Energy Consumption", "2. Commissioning Data", "3. Inching"};
std::string CommissioningData[3] = {"1. Diagnostic Data Sets", "2. Node Information", "3. Simulation"};
std::string NodeInformation[9] = {"FLG1 : ", "FLG2 : ", "SLV    : ", "SLG1 : ", "SLG2 : ",
                                  "ESM    : ", "ALG1 : ", "ALG2 : ", "SIMKEY : "};
std::string SimulationInfo[5] = {"UPRIM    :      KV", "VACT      :     KPH", "TE/BE DEM :     KN", "FLG1 :     ",
                                 "SLG1 :    "};
std::string SubsystemInfo[30] = {
    "SS01 : MAIN_POWER", "SS02 : BUR_1",     "SS03 : HBB_1",     "SS04 : SPEEDOMETER", "SS05 : B1_LC1",
    "SS06 : TRACTION_BOGEL_1", "SS07 : BUR_2", "SS08 : HBB_2",   "SS09 : FLG_1",       "SS10 : B1_LC2",
    "SS11 : TRACTION_BOGEL_2", "SS12 : BUR_3", "SS13 : CAB_1",   "SS14 : FLG_2",       "SS15 : B1_INV1",
    "SS16 : HARMONIC_FILTER", "SS17 : BATTERY", "SS18 : CAB_2",  "SS19 : TRAIN_BUS",   "SS20 : B1_INV2",
    "SS21 : HOTEL_LOAD", "SS22 : BRAKE",     "SS23 : FIRE",      "SS24 : BC_Applied",  "SS25 : B1_INV3",
    "SS26 : B2_LC1",     "SS27 : B2_LC2",    "SS28 : B2_INV1",   "SS29 : B2_INV2",     "SS30 : B2_INV3"};
std::string subsystem_scnHeader = "Loco 30001                Subsystem Status";
std::string BrouseModeHeading = "Loco 30001                fault categary";
std::string BrouseModeMsg = "error message";

InfoPanel* InfoPanel::instance = nullptr;

namespace {

const int kFontSize = 14336;   // 14 pt
const char* const kInfoColour = "#00ffff";
const char* const kVehicleDiagnostics = "Vehicle Diagnostics\t    ";
const std::string kHeaderGap(16, ' ');
const int kInfoX = 10, kInfoY = 25, kListX = 30, kListY = 25, kCursorX = 10, kRowStep = 24;
const int kHeadingX = 3;
// Inside the frame: 495 x 119 less the 7-pixel frame and the 3-pixel margin.
const int kInnerWidth = 475;
// The fault texts of the browse view: the heading and the first info label
// each on one line, cut at the frame.
const compsupport::TextBox kHeadingBox{kInnerWidth - kHeadingX, kInfoY, false};
const compsupport::TextBox kFirstInfoBox{kInnerWidth - kInfoX, kRowStep, false};

// Sections of the menu.
enum Section : unsigned int {
    kMainMenu = 0, kVehicleDiag = 1, kSubsystemPages = 2, kBrowseMode = 3, kTrainBus = 4,
    kProcessInfo = 7, kCommissioning = 9, kDiagnosticData = 10, kNodeInfo = 11, kSimulation = 12, kSecondLoco = 13
};

Pango::FontDescription PanelFont()
{
    Pango::FontDescription font;
    font.set_family("Liberation Mono");
    font.set_size(kFontSize);
    return font;
}

template <typename T>
std::string Decimal(T value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

ReadMVBData* Store() { return ReadMVBData::getInstance(); }

}  // namespace

// An information message: heading, label 1 (its colour, or none to keep it),
// label 4 and the fill texts of labels 2, 3, 5, 6, 7 and 8.
struct InfoPanel::Message {
    const char* heading;
    const char* text;
    const char* colour;
    const char* second;
    const char* const* fills;   // six texts
};


InfoPanel* InfoPanel::getInstance()
{
    if (!instance) instance = new InfoPanel();
    return instance;
}

InfoPanel::InfoPanel() : m_InfoTable(1, 1, false)
{
    Initialaization();
}

InfoPanel::~InfoPanel() = default;

void InfoPanel::Initialaization()
{
    m_HeadingText = "Main Menu";
    m_LocoNumberText = "a";
    m_SecondLocoNumberText.clear();
    m_PopupHold = 11;
    m_MenuActive = 0;
    m_CursorIndex = 0;
    m_CursorY = 25;
    m_Section = kNodeInfo;
    m_MaxCursor = 2;
    m_SubsystemPage = 0;
    m_SubsystemValue = 0;
    m_LastLocoNumber = m_LastSecondLocoNumber = 0;
    m_LastPrimaryVoltage = m_LastTeBeDemand = 0;
    m_LastSpeed = 0;
}

void InfoPanel::ConstructLayout()
{
    m_OuterBox.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    m_OuterBox.set_size_request(495, 119);
    m_FrameBox.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("#b1b5b3"));
    m_FrameBox.set_border_width(7);
    m_OuterBox.add(m_FrameBox);
    m_InnerBox.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    m_InnerBox.set_border_width(3);
    m_FrameBox.add(m_InnerBox);
    add(m_OuterBox);

    const Pango::FontDescription font = PanelFont();
    m_HeadingLabel.set_text(m_HeadingText);
    m_HeadingLabel.modify_font(font);
    m_HeadingLabel.modify_fg(Gtk::STATE_NORMAL, Gdk::Color("white"));
    m_Fixed.put(m_HeadingLabel, kHeadingX, 0);
    m_CursorLabel.set_text(">");
    m_CursorLabel.modify_font(font);
    m_CursorLabel.modify_fg(Gtk::STATE_NORMAL, Gdk::Color("white"));
    m_Fixed.put(m_CursorLabel, kCursorX, kListY);
    m_CursorLabel.set_child_visible(false);
    m_InnerBox.add(m_Fixed);
    m_ListTable = new Gtk::Table(1, 1, false);  // deleted by the panel when replaced

    m_HeadingLabel.set_text("Node Information");
    CursorOut();
    m_Section = kNodeInfo;
    m_MaxCursor = 0;

    m_InfoTable.set_row_spacings(3);
    m_InfoTable.set_col_spacings(25);
    for (int k = 0; k < 9; ++k) {
        m_InfoLabels[k].modify_fg(Gtk::STATE_NORMAL, Gdk::Color(kInfoColour));
        m_InfoLabels[k].modify_font(font);
        m_InfoBoxes[k].pack_start(m_InfoLabels[k], Gtk::PACK_SHRINK, 0);
        m_InfoTable.attach(m_InfoBoxes[k], k % 3, k % 3 + 1, k / 3, k / 3 + 1,
                           Gtk::EXPAND | Gtk::FILL, Gtk::EXPAND | Gtk::FILL, 0, 0);
    }
    m_Fixed.put(m_InfoTable, kInfoX, kInfoY);
    UpdateNodeInfoScreen();
    show_all_children();
}

// ------------------------------------------------------------------ views

void InfoPanel::UpdateInfoPanelDetails(short rows, short columns, std::string* texts, float rowSpacing,
                                       float columnSpacing)
{
    const Pango::FontDescription font = PanelFont();
    m_ListTable->set_col_spacings(static_cast<int>(columnSpacing));
    m_ListTable->set_row_spacings(static_cast<int>(rowSpacing));
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            Gtk::Label* label = Gtk::manage(new Gtk::Label(*texts++, false));
            label->modify_fg(Gtk::STATE_NORMAL, Gdk::Color("white"));
            label->modify_font(font);
            Gtk::HBox* box = Gtk::manage(new Gtk::HBox(false, 0));
            box->pack_start(*label, Gtk::PACK_SHRINK, 0);
            m_ListTable->attach(*box, j, j + 1, i, i + 1, Gtk::EXPAND | Gtk::FILL, Gtk::EXPAND | Gtk::FILL, 0, 0);
        }
    }
    panelwidgets::PutAt(m_Fixed, *m_ListTable, kListX, kListY);
    show_all_children();
}

void InfoPanel::UpdateNodeInfoDetails(short, short, std::string*, float, float)
{
    show_all_children();
}

void InfoPanel::CreateNodeInfoScreen() { InfoTableAt(); }
void InfoPanel::CreateSimulationModeScreen() { InfoTableAt(); }
void InfoPanel::CreateSubsystemScreen() { InfoTableAt(); }

void InfoPanel::SetInfoLabels(int first, int last, const std::string& text)
{
    for (int k = first; k <= last; ++k) m_InfoLabels[k - 1].set_text(text);
}

// Runs every tick while the node view is up: only what differs is written.
void InfoPanel::UpdateNodeInfoScreen()
{
    compsupport::ShowText(m_HeadingLabel, "Node Information");
    for (int k = 0; k < 9; ++k) compsupport::ShowText(m_InfoLabels[k], m_NodeTexts[k]);
    compsupport::ShowForeground(m_InfoLabels[0], Gdk::Color(kInfoColour));
}

// Written whole on every entry: the labels are shared with the other views.
void InfoPanel::UpdateSimulationModeScreen()
{
    const ReadMVBData* store = Store();
    m_LastPrimaryVoltage = store->PrimaryVoltage;
    SimulationInfo[0] = "UPRIM    :" + compsupport::FormatNumber(store->PrimaryVoltage) + "KV";
    m_InfoLabels[0].set_text(SimulationInfo[0]);
    m_LastSpeed = static_cast<unsigned short>(store->ActualSpeed);
    SimulationInfo[1] = "VACT      :" + compsupport::FormatNumber(store->ActualSpeed) + "KPH";
    m_InfoLabels[3].set_text(SimulationInfo[1]);
    m_LastTeBeDemand = store->TeBeDemandIndicator;
    SimulationInfo[2] = "TE/BE DEM :" + compsupport::FormatNumber(store->TeBeDemandIndicator) + "KN";
    m_InfoLabels[6].set_text(SimulationInfo[2]);

    for (int k : {2, 5, 8}) m_InfoLabels[k - 1].set_text("");
    m_InfoLabels[2].set_text(m_NodeTexts[0]);
    m_InfoLabels[5].set_text(m_NodeTexts[3]);
}

void InfoPanel::UpdateSubsystemScreen()
{
    if (m_SubsystemPage > 29) m_SubsystemPage = 0;
    const int page = m_SubsystemPage;
    const int cell = page <= 18 ? page : (page == 19 ? 20 : page + 2);
    m_SubsystemValue = static_cast<short>(Store()->SubsystemStates[cell]);
    m_InfoLabels[0].set_text(SubsystemInfo[page] + std::string(12, ' ') + Decimal(m_SubsystemValue));
    for (int k : {2, 3, 4, 5, 6, 8}) m_InfoLabels[k - 1].set_text("");
    m_InfoLabels[6].set_text("<ENTER> : Next  ,  <home> : Main_Menu ");
}

// ------------------------------------------------------- common view steps

void InfoPanel::ReplaceList() { panelwidgets::ReplaceTable(m_Fixed, m_ListTable); }
void InfoPanel::InfoTableOut() { panelwidgets::TakeOut(m_Fixed, m_InfoTable); }
// A table already in its place is left alone: moving it, even to where it
// is, lays the panel out anew.
void InfoPanel::InfoTableAt()
{
    if (m_InfoTable.get_parent() == &m_Fixed) {
        int x = 0, y = 0;
        gtk_container_child_get(GTK_CONTAINER(m_Fixed.gobj()), GTK_WIDGET(m_InfoTable.gobj()), "x", &x, "y", &y,
                                nullptr);
        if (x == kInfoX && y == kInfoY) return;
    }
    panelwidgets::PutAt(m_Fixed, m_InfoTable, kInfoX, kInfoY);
}

void InfoPanel::CursorAtRow(short maxCursor)
{
    m_CursorY = kListY;
    panelwidgets::PutAt(m_Fixed, m_CursorLabel, kCursorX, m_CursorY);
    m_CursorIndex = 0;
    m_MaxCursor = maxCursor;
}

void InfoPanel::CursorOut()
{
    m_CursorY = kListY;
    m_CursorIndex = 0;
    panelwidgets::TakeOut(m_Fixed, m_CursorLabel);
}

// A new menu list with the cursor on its first row; the info table is taken
// out too when asked.
void InfoPanel::ShowMenuList(std::string* texts, short rows, const std::string& heading, unsigned int section,
                             bool infoOut)
{
    ReplaceList();
    if (infoOut) InfoTableOut();
    UpdateInfoPanelDetails(rows, 1, texts, 2, 0);
    m_HeadingLabel.set_text(heading);
    CursorAtRow(static_cast<short>(rows - 1));
    m_Section = section;
}

void InfoPanel::ShowNodeView()
{
    CreateNodeInfoScreen();
    UpdateNodeInfoScreen();
    CursorOut();
    m_Section = kNodeInfo;
    m_MaxCursor = 0;
}

// ------------------------------------------------------------------- menu

void InfoPanel::Make_Main_Screen()
{
    panelwidgets::TakeOut(m_Fixed, *m_ListTable);
    InfoTableOut();
    show_all_children();
    ReplaceList();
    UpdateInfoPanelDetails(3, 1, MainMenu, 2, 0);
    m_HeadingLabel.set_text("Main Menu");
    m_CursorLabel.set_text(">");
    CursorAtRow(2);
    m_Section = kMainMenu;
}

void InfoPanel::ConnectToKey()
{
    m_CursorLabel.set_child_visible(true);
    show_all_children();
}

void InfoPanel::DisconnectToKey()
{
    m_CursorLabel.set_child_visible(false);
    show_all_children();
}

void InfoPanel::NavigateIndicator(unsigned char key)
{
    if (m_MenuActive != 1) return;
    switch (key) {
    case BusKeyUp:
        if (m_CursorIndex <= 0) return;
        m_CursorY = static_cast<short>(m_CursorY - kRowStep);
        --m_CursorIndex;
        break;
    case BusKeyDown:
        if (m_CursorIndex >= m_MaxCursor) return;
        m_CursorY = static_cast<short>(m_CursorY + kRowStep);
        ++m_CursorIndex;
        break;
    case BusKeyEnter:
        UpdateEnterInfoPanelSection();
        return;
    case BusKeyCancel:
        UpdateCancelInfoPanelSection();
        return;
    default:
        return;
    }
    if (m_CursorLabel.get_parent() == &m_Fixed) m_Fixed.move(m_CursorLabel, kCursorX, m_CursorY);
    Store()->NodeScreenValues[0] = static_cast<unsigned short>(m_CursorIndex);
}

void InfoPanel::UpdateEnterInfoPanelSection()
{
    ReadMVBData* store = Store();
    const short row = m_CursorIndex;
    switch (m_Section) {
    case kMainMenu:
        if (row == 0) {
            ShowMenuList(HeaderValuesVD, 3, kVehicleDiagnostics, kVehicleDiag, true);
        } else if (row == 1) {
            ReplaceList();
            UpdateInfoPanelDetails(1, 1, HeaderValuesITB, 2, 0);
            m_HeadingLabel.set_text("Information Train Bus");
            CursorOut();
            m_Section = kTrainBus;
            m_MaxCursor = 0;
        } else if (row == 2) {
            ShowMenuList(HeaderValuesPIL, 3, "Process information Loco " + m_LocoNumberText, kProcessInfo, false);
        }
        break;
    case kVehicleDiag:
        ReplaceList();
        if (row == 0) {
            m_HeadingLabel.set_text(subsystem_scnHeader);
            CreateSubsystemScreen();
            UpdateSubsystemScreen();
            CursorOut();
            m_Section = kSubsystemPages;
        } else if (row == 1) {
            if (store->NodeScreenValues[2] != 0) {
                m_HeadingLabel.set_text("Loco 00000               Subsystem Status");
            } else {
                m_HeadingLabel.set_text("multiple loco not connected..");
                InfoTableOut();
            }
            CursorOut();
            m_Section = kSecondLoco;
        } else if (row == 2) {
            InfoTableOut();
            UpdateInfoPanelValues();
            compsupport::ShowFitted(m_HeadingLabel, BrouseModeHeading, kHeadingBox);
            InfoTableAt();
            compsupport::ShowFitted(m_InfoLabels[0], BrouseModeMsg, kFirstInfoBox);
            SetInfoLabels(2, 8, "");
            CursorOut();
            m_Section = kBrowseMode;
        }
        break;
    case kSubsystemPages:
        m_SubsystemPage = static_cast<short>(m_SubsystemPage >= 29 ? 0 : m_SubsystemPage + 1);
        CreateSubsystemScreen();
        UpdateSubsystemScreen();
        m_Section = kSubsystemPages;
        break;
    case kProcessInfo:
        if (row == 1) {
            ShowMenuList(CommissioningData, 3, "Commissioning Data", kCommissioning, false);
        } else if (row == 0 || row == 2) {
            (row == 0 ? store->EnergyMenuRequest : store->InchingMenuRequest) = 1;
            ReplaceList();
            ShowNodeView();
        }
        break;
    case kCommissioning:
        ReplaceList();
        if (row == 0) {
            UpdateInfoPanelDetails(0, 1, CommissioningData, 2, 0);
            m_HeadingLabel.set_text("Press f3 to read Diagnostic Data");
            CursorOut();
            m_Section = kDiagnosticData;
            m_MaxCursor = 1;
        } else if (row == 1) {
            ShowNodeView();
        } else if (row == 2) {
            UpdateInfoPanelDetails(0, 1, CommissioningData, 2, 0);
            m_HeadingLabel.set_text("Simulation mode                  status  ");
            CursorOut();
            CreateSimulationModeScreen();
            UpdateSimulationModeScreen();
            m_Section = kSimulation;
            m_MaxCursor = 1;
        }
        break;
    case kNodeInfo:
        ShowMenuList(MainMenu, 3, "Main Menu", kMainMenu, true);
        break;
    default:
        break;
    }
}

void InfoPanel::UpdateCancelInfoPanelSection()
{
    const std::string vehicleDiagnostics = std::string(kVehicleDiagnostics) + "Loco Status";
    switch (m_Section) {
    case kMainMenu:
        CursorAtRow(m_MaxCursor);
        break;
    case kVehicleDiag:
    case kTrainBus:
    case kProcessInfo:
        ShowMenuList(MainMenu, 3, "Main Menu", kMainMenu, false);
        break;
    case kSubsystemPages:
    case kBrowseMode:
    case kSecondLoco:
        ShowMenuList(HeaderValuesVD, 3, vehicleDiagnostics, kVehicleDiag, true);
        break;
    case kCommissioning:
        ShowMenuList(HeaderValuesPIL, 3, "Process Information Loco " + m_LocoNumberText, kProcessInfo, false);
        break;
    case kDiagnosticData:
    case kNodeInfo:
    case kSimulation:
        ShowMenuList(CommissioningData, 3, "Commissioning Data", kCommissioning, m_Section != kDiagnosticData);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------- refresh and messages

void InfoPanel::UpdateInfoPanelValues()
{
    const ReadMVBData* store = Store();
    if (store->SelfHoldMode == 1) {
        m_PopupHold = 100;
        InfoPanelPopup_FltMsg();
    } else if (store->ThrottleNotZero == 1) {
        InfoPanelPopup_NodeInformation();
        m_PopupHold = 100;
    } else if (store->EnergySavingMode >= 1 && store->EnergySavingMode <= 150) {
        InfoPanelPopup_ESMstatus();
        m_PopupHold = 100;
    } else if (store->UsbCopyStatus == 1) {
        InfoPanelPopup_USB_Detected();
        m_PopupHold = 100;
    } else if (store->UsbCopyStatus == 2) {
        InfoPanelPopup_Download_Done();
        m_PopupHold = 100;
    } else if (m_PopupHold > 50) {
        m_Section = kNodeInfo;
        m_PopupHold = 0;
    }
    RebuildLocoTexts();
    RebuildBrowseTexts();
    if (m_Section == kNodeInfo) {
        BuildNodeTexts();
        CreateNodeInfoScreen();
        UpdateNodeInfoScreen();
    }
}

void InfoPanel::RebuildLocoTexts()
{
    const ReadMVBData* store = Store();
    if (store->LocoNumber != m_LastLocoNumber) {
        m_LastLocoNumber = store->LocoNumber;
        m_LocoNumberText = Decimal(store->LocoNumber);
        MainMenu[2] = "3. Process information LOCO " + m_LocoNumberText;
        HeaderValuesVD[0] = "1. Loco " + m_LocoNumberText;
        HeaderValuesITB[0] = "Loco " + m_LocoNumberText;
        subsystem_scnHeader = "Loco " + m_LocoNumberText + "                Subsystem Status";
        m_BrowseLocoText = m_LocoNumberText;
        m_BrowseBuiltSubsystem = store->CurrentFaultSubsystem;
        m_BrowseBuiltMessage = store->CurrentFaultMessage;
        BrouseModeHeading = "Loco " + m_BrowseLocoText + kHeaderGap + m_BrowseBuiltSubsystem;
        BrouseModeMsg = m_BrowseBuiltMessage;
    }
    if (store->SecondLocoNumber != m_LastSecondLocoNumber) {
        m_LastSecondLocoNumber = store->SecondLocoNumber;
        m_SecondLocoNumberText = Decimal(store->SecondLocoNumber);
        HeaderValuesVD[1] = "2. Loco " + m_SecondLocoNumberText;
        subsystem_scnHeader = "Loco " + m_SecondLocoNumberText + "                Subsystem Status";
    }
}

// The browse mode follows the fault texts as they change, not only with the
// loco number.
void InfoPanel::RebuildBrowseTexts()
{
    const ReadMVBData* store = Store();
    if (store->CurrentFaultSubsystem == m_BrowseBuiltSubsystem && store->CurrentFaultMessage == m_BrowseBuiltMessage)
        return;
    m_BrowseBuiltSubsystem = store->CurrentFaultSubsystem;
    m_BrowseBuiltMessage = store->CurrentFaultMessage;
    BrouseModeHeading = "Loco " + m_BrowseLocoText + kHeaderGap + m_BrowseBuiltSubsystem;
    BrouseModeMsg = m_BrowseBuiltMessage;
}

void InfoPanel::BuildNodeTexts()
{
    const ReadMVBData* store = Store();
    for (int i = 0; i < 9; ++i) {
        const unsigned short value = store->NodeStates[i];
        const bool onOff = (i == 5 || i == 8);
        m_NodeTexts[i] = NodeInformation[i] + (onOff ? std::string(value ? "ON" : "OFF") : Decimal(value));
    }
}

// Runs every tick while the message stands: only what differs is written.
void InfoPanel::ShowMessage(const Message& message)
{
    ReplaceList();
    panelwidgets::TakeOut(m_Fixed, m_CursorLabel);
    compsupport::ShowText(m_HeadingLabel, message.heading);
    InfoTableAt();
    SimulationInfo[0] = message.text;
    SimulationInfo[3] = message.second;
    compsupport::ShowText(m_InfoLabels[0], SimulationInfo[0]);
    compsupport::ShowText(m_InfoLabels[3], SimulationInfo[3]);
    const int fillLabels[6] = {2, 3, 5, 6, 7, 8};
    for (int i = 0; i < 6; ++i) compsupport::ShowText(m_InfoLabels[fillLabels[i] - 1], message.fills[i]);
    if (message.colour) compsupport::ShowForeground(m_InfoLabels[0], Gdk::Color(message.colour));
    m_Section = kMainMenu;
}

namespace {

const char* const kBlanks31 = "                               ";
const char* const kSelfHoldFills[6] = {"", " ", "             ", "             ", kBlanks31, " "};
const char* const kThrottleFills[6] = {"", " ", "     ", "             ", kBlanks31, " "};
const char* const kLongFills[6] = {"", "  ", "      ", "                ", kBlanks31, "   "};

}  // namespace

void InfoPanel::InfoPanelPopup_FltMsg()
{
    static const Message message{"Information 001", "SELF HOLD MODE ACTIVE", nullptr,
                                 "AFTER 10 MIN MCE WILL SWITCH OFF",
                                 kSelfHoldFills};
    ShowMessage(message);
}

void InfoPanel::InfoPanelPopup_NodeInformation()
{
    static const Message message{"Information 002",
                                 " TRACTION NOT POSSIBLE WITH THROTTLE \n"
                                 " <> 0 at NODE 590 Please bring throttle\n"
                                 "to \xE2\x80\x98" "0\xE2\x80\x99position and resume traction again",
                                 "YELLOW", " ", kThrottleFills};
    ShowMessage(message);
}

void InfoPanel::InfoPanelPopup_ESMstatus()
{
    static const Message message{"Information 002", "Energy Saving Mode Activated       ", "GREEN", " ",
                                 kLongFills};
    ShowMessage(message);
}

void InfoPanel::InfoPanelPopup_USB_Detected()
{
    static const Message message{"Information 003", "USB Device Detected!\n Press F1 to Download Data      ",
                                 "GREEN", " ", kLongFills};
    ShowMessage(message);
}

void InfoPanel::InfoPanelPopup_Download_Done()
{
    static const Message message{"Information 004", "Download Completed! \n USB device can be removed.    ",
                                 "GREEN", " ", kLongFills};
    ShowMessage(message);
}
