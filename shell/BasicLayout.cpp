// Main layout: members, construction, the main screen's layout and the
// screen switcher.
#include "BasicLayout.h"

#include "CompSupport.h"
#include "InfoPanel.h"
#include "ReadMVBData.h"

#include <pangomm/fontdescription.h>

#include <cmath>
#include <limits>

namespace {

const char* const kMiniStatusCaptions[30] = {
    " Main\nPower",          "BUR - 1", "HBB - 1", " Speedometer", "B1-LC1",
    "Traction\n Bogle 1",    "BUR - 2", "HBB - 2", "FLG - 1",      "B1-LC2",
    "Traction\n Bogle 2",    "BUR - 3", "CAB - 1", "FLG - 2",      "B1-INV1",
    "Harmonic\n    Filter",  "Battery", "CAB - 2", "Train Bus",    "B1-INV2",
    "Hotel\nLoad",           "Brake",   "Fire",    "BC_Applied",   "B1-INV3",
    "B2-LC1",                "B2-LC2",  "B2-INV1", "B2-INV2",      "B2-INV3",
};
const char* const kMiniStateCaptions[10] = {
    "VCB", "Idle", " VcuRed\n undant", " Shun\n ting", "", "Parking\n Brake", "Forward", "Line\nFrq", "Reverse", "",
};
const char* const kPressureStatusCaptions[4] = {"BP-0.0\nkg/cm^2", "MR->7.5\nkg/cm^2", "ESM ACTIVE", "sanding"};
const char* const kMotorStatusCaptions[6] = {"M1", "M2", "M3", "M4", "M5", "M6"};

// The settings of one of the four button grids of the main screen.
struct ButtonGridSetUp {
    unsigned short rows, columns;
    float imageWidth, imageHeight;
    unsigned short fontSize;
    const char* const* captions;
    const char* offImage;  // null: the grid's own pictures and spacing
    const char* onImage;
};

void SetUpButtonGrid(CompButtonGrid& grid, const ButtonGridSetUp& setUp)
{
    grid.Rows = setUp.rows;
    grid.Columns = setUp.columns;
    grid.ImageWidth = setUp.imageWidth;
    grid.ImageHeight = setUp.imageHeight;
    grid.CaptionWidth = setUp.imageWidth;
    grid.CaptionHeight = setUp.imageHeight;
    grid.ShowSecondCaption = 0;
    grid.FontSize = setUp.fontSize;
    for (unsigned i = 0; i < unsigned(setUp.rows) * setUp.columns; ++i)
        grid.Captions[i] = setUp.captions[i];
    if (setUp.offImage) {
        grid.RowSpacing = 0;
        grid.ColumnSpacing = 0;
        grid.OffImagePath = setUp.offImage;
        grid.OnImagePath = setUp.onImage;
    }
    grid.ConstructLayout();
}

void BlackBox(Gtk::EventBox& box, int width, int height)
{
    box.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    box.set_size_request(width, height);
}

// A button grid in a black box over a black backdrop, both put on the layout.
struct FramedGrid {
    Gtk::EventBox& backdrop;
    int backdropWidth, backdropHeight, backdropX, backdropY;
    Gtk::EventBox& box;
    int boxWidth, boxHeight, boxX, boxY;
    CompButtonGrid& grid;
    ButtonGridSetUp setUp;
};

void PutFramedGrid(Gtk::Fixed& layout, const FramedGrid& f)
{
    BlackBox(f.backdrop, f.backdropWidth, f.backdropHeight);
    layout.put(f.backdrop, f.backdropX, f.backdropY);
    BlackBox(f.box, f.boxWidth, f.boxHeight);
    layout.put(f.box, f.boxX, f.boxY);
    SetUpButtonGrid(f.grid, f.setUp);
    f.box.add(f.grid);
}

const char kButton2Off[] = "./Images/Button2OFF.png";
const char kButton2On[] = "./Images/Button2ON.png";

const float kNeverDrawn = std::numeric_limits<float>::quiet_NaN();

}  // namespace

BasicLayout::BasicLayout()
    : m_LastPrimaryVoltage(kNeverDrawn),
      m_LastTeBeDemandIndicator(kNeverDrawn),
      m_LastTeBeActualIndicator(kNeverDrawn),
      m_LastMainGaugeVoltage(kNeverDrawn),
      m_LastSpeed(kNeverDrawn),
      m_LastTeBeActual(kNeverDrawn)
{
    m_TargetScreen = ScreenMain;
    m_SubsystemStatusShown = 0;
    m_DiagnosticShown = 0;
    m_ShownScreen = ScreenMain;
    Initialaization();
    ConstructLayout();
    set_can_focus(true);
    m_Password.m_PasswordSignal.connect(sigc::bind(sigc::mem_fun(*this, &BasicLayout::ChangeScreen), ScreenPressures));
    signal_key_press_event().connect(sigc::mem_fun(*this, &BasicLayout::OnKeyPress), true);
    ReadMVBData* store = ReadMVBData::getInstance();
    store->DataUpdatedSignal.connect(sigc::mem_fun(*this, &BasicLayout::UpdateValues));
    store->KeySignal.connect(sigc::mem_fun(*this, &BasicLayout::KeyPressed));
}

BasicLayout::~BasicLayout() {}

void BasicLayout::Initialaization()
{
    m_LastVcbClosed = m_LastParkingBrakeApplied = m_LastIdleState = m_LastVcuRedundant = 3;
    m_LastLineFrequencyOk = m_LastShuntingMode = 3;
    m_LastBrakePipePressure = 0.0f;
    m_LastDirectionForward = m_LastDirectionReverse = 3;
    m_LastBlKeyActive = m_LastWheelSlip = m_LastBcAppliedIcon = 3;
    for (unsigned short& cache : m_LastSubsystemStates)
        cache = 3;
    m_LastBpcsOn = m_LastMainReservoirLow = m_LastSandingOn = 3;
    m_LastPanto1Up = m_LastPanto2Up = 3;
    m_LastPrimaryCurrent = 3.0f;
    m_LastLocoNumber = 0;
    for (unsigned short& cache : m_LastEarthFault)
        cache = 3;
    m_PressureBarMode = 0;
    m_DiagnosticMode = DiagnosticTableClosed;
    m_LocoNumberEditState = 0;
    m_PasswordEditState = 0;
}

void BasicLayout::ConstructLayout()
{
    GetReSizedImage(m_BackgroundImage, "./Images/Background.jpg", 800, 600);
    put(m_BackgroundImage, 0, 0);
    show_all_children();

    m_TitleBar.ConstructLayout();
    put(m_TitleBar, 5, 5);

    m_AmpBar.BackgroundImagePath = "./Images/ProgressBarAmp.png";
    m_AmpBar.IndicatorWidth = 16;
    m_AmpBar.ConstructLayout();
    put(m_AmpBar, 5, 64);
    m_VoltBar.BackgroundImagePath = "./Images/ProgressBarVolt.png";
    m_VoltBar.IndicatorWidth = 16;
    m_VoltBar.ConstructLayout();
    put(m_VoltBar, 103, 64);

    PutFramedGrid(*this, {m_MiniStatusBackdrop, 290, 215, 7, 340, m_MiniStatusBox, 280, 205, 12, 345, m_MiniStatusGrid,
                          {6, 5, 55, 30, 8, kMiniStatusCaptions, nullptr, nullptr}});
    PutFramedGrid(*this, {m_MiniStateBackdrop, 495, 90, 300, 340, m_MiniStateBox, 225, 82, 305, 345, m_MiniStateGrid,
                          {2, 5, 56, 37, 9, kMiniStateCaptions, kButton2Off, kButton2On}});

    m_IndicatorImageGrid.RowSpacing = 2;
    m_IndicatorImageGrid.ColumnSpacing = 8;
    m_IndicatorImageGrid.ScaleImages = 1;
    m_IndicatorImageGrid.ImageWidth = 112;
    m_IndicatorImageGrid.ImageHeight = 37.2f;
    m_IndicatorImageGrid.CaptionWidth = 80;
    m_IndicatorImageGrid.CaptionHeight = 37.2f;
    m_IndicatorImageGrid.CaptionX = 35;
    m_IndicatorImageGrid.CaptionY = 1;
    m_IndicatorImageGrid.UseCustomFont = 1;
    m_IndicatorImageGrid.FontScale = 0.004f;
    const std::uint8_t indicatorStates[4] = {1, 0, 0, 1};
    std::copy(indicatorStates, indicatorStates + 4, m_IndicatorImageGrid.CellStates);
    m_IndicatorImageGrid.ConstructLayout();
    put(m_IndicatorImageGrid, 550, 346);

    m_MainPage.set_size_request(592, 270);
    m_PressureBar.ConstructLayout();
    m_MainPageFixed.put(m_PressureBar, 387, 0);

    struct Panto {
        Gtk::EventBox& box;
        Gtk::Image& image;
        const char* picture;
        int y;
    } const pantos[] = {{m_Panto1Box, m_Panto1Image, "./Images/Panto1Down.jpg", 0},
                        {m_Panto2Box, m_Panto2Image, "./Images/Panto2Down.jpg", 137}};
    for (const Panto& panto : pantos) {
        panto.box.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("#b1b5b3"));
        panto.box.set_size_request(102, 133);
        GetReSizedImage(panto.image, panto.picture, 97, 46);
        panto.box.add(panto.image);
        m_MainPageFixed.put(panto.box, 490, panto.y);
    }

    m_GaugeBox.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("white"));
    m_GaugeBox.set_size_request(384, 270);
    m_CircularGauge.set_border_width(2);
    m_CircularGauge.DebugOutput = 1;
    m_CircularGauge.SpeedBoxWidth = 35;
    m_CircularGauge.SpeedBoxHeight = 20;
    m_CircularGauge.SpeedBoxX = 133;
    m_CircularGauge.SpeedBoxY = 178;
    m_CircularGauge.SpeedFontSize = 12;
    m_CircularGauge.UnitBoxWidth = 50;
    m_CircularGauge.UnitBoxHeight = 20;
    m_CircularGauge.UnitBoxX = 126;
    m_CircularGauge.UnitBoxY = 200;
    m_CircularGauge.UnitFontSize = 10;
    m_CircularGauge.VoltBoxWidth = 30;
    m_CircularGauge.VoltBoxHeight = 12;
    m_CircularGauge.VoltBoxX = 300;
    m_CircularGauge.VoltBoxY = 230;
    m_CircularGauge.VoltDialY = 170;
    m_CircularGauge.VoltFontSize = 7;
    m_CircularGauge.ConstructLayout();
    UpdateSpeed(0);
    m_CircularGauge.UpdateVolt(0);
    m_GaugeBox.add(m_CircularGauge);
    m_MainPageFixed.put(m_GaugeBox, 0, 0);

    InfoPanel* panel = InfoPanel::getInstance();
    panel->ConstructLayout();
    put(*panel, 300, 430);

    m_MainPage.pack_start(m_MainPageFixed, Gtk::PACK_EXPAND_WIDGET, 0);

    m_CaptionLabel.set_text("Tarvek");
    Pango::FontDescription captionFont;
    captionFont.set_size(15360);
    m_CaptionLabel.modify_font(captionFont);
    m_CaptionColour = Gdk::Color("white");
    m_CaptionLabel.modify_fg(Gtk::STATE_NORMAL, m_CaptionColour);
    m_CaptionBox.set_size_request(200, 18);
    m_CaptionBox.pack_start(m_CaptionLabel, Gtk::PACK_EXPAND_PADDING, 0);
    m_CaptionFixed.put(m_CaptionBox, 0, 0);
    put(m_CaptionFixed, 280, 570);
    m_CaptionFixed.set_child_visible(true);
    show_all_children();

    PutFramedGrid(*this, {m_PressureStatusBackdrop, 286, 38, 9, 556, m_PressureStatusBox, 286, 38, 9, 556,
                          m_PressureStatusGrid, {1, 4, 70, 37, 9, kPressureStatusCaptions, kButton2Off, kButton2On}});
    PutFramedGrid(*this, {m_MotorStatusBackdrop, 282, 38, 509, 556, m_MotorStatusBox, 282, 38, 509, 556,
                          m_MotorStatusGrid,
                          {1, 6, 45, 33, 7, kMotorStatusCaptions, "./Images/motorOFF.png", "./Images/motorON.png"}});

    m_ScreenBook.set_show_border(false);
    m_ScreenBook.set_show_tabs(false);
    Gtk::Widget* const pages[] = {&m_MainPage,          &m_HighVoltageCircuit, &m_TractionConverter,
                                  &m_TractionConverter1, &m_AuxiliaryConverter, &m_TractionMotor,
                                  &m_AuxiliarySystem,   &m_BrakingSystem,      &m_EnergyMonitoring,
                                  &m_Temperatures,      &m_Pressures,          &m_Node,
                                  &m_InchingMode,       &m_LocoNumner,         &m_SixMotorIsolation,
                                  &m_WheelDiameter,     &m_SoftwareVer,        &m_Password};
    for (Gtk::Widget* page : pages)
        m_ScreenBook.append_page(*page);
    put(m_ScreenBook, 203, 64);
    show_all_children();
}

void BasicLayout::PutPanel(Gtk::Widget& panel, int x, int y)
{
    // A panel already on the layout is taken off first, so it is put once
    // and comes out on top.
    TakePanelOff(panel);
    put(panel, x, y);
}

void BasicLayout::TakePanelOff(Gtk::Widget& panel)
{
    if (panel.get_parent() == this)
        remove(panel);
}

void BasicLayout::RestoreMiniStatusBox()
{
    if (m_SubsystemStatusShown != 1)
        return;
    PutPanel(m_MiniStatusBox, 12, 345);
    TakePanelOff(m_SubsystemStatus);
    m_SubsystemStatusShown = 0;
}

// The one place that decides which panel lies on the layout: the subsystem
// status panel belongs to screen 1 (in place of the mini status box), the
// diagnostics table to the state f3 opens over the screen shown. A switch
// to any screen takes off every panel that is not its own, so no panel is
// left over a screen whose keys are live.
void BasicLayout::ShowPanelsOf(const ScreenEntry& entry)
{
    if (entry.show == ScreenShow::DiagnosticsPanel) {
        PutPanel(m_DiagnosticScreen, 5, 64);
        m_DiagnosticShown = 1;
        return;
    }
    if (m_DiagnosticShown == 1) {
        TakePanelOff(m_DiagnosticScreen);
        m_DiagnosticShown = 0;
    }
    if (entry.show != ScreenShow::SubsystemPanel) {
        RestoreMiniStatusBox();
        return;
    }
    TakePanelOff(m_MiniStatusBox);
    PutPanel(m_SubsystemStatus, 5, 64);
    m_SubsystemStatusShown = 1;
}

void BasicLayout::ShowScreenEntry(const ScreenEntry& entry)
{
    if (entry.title)
        m_TitleBar.TitleLabel.set_text(entry.title);
    if (entry.icon)
        GetReSizedImage(m_TitleBar.TitleIcon, entry.icon, 48, 48);
    if (entry.page >= 0)
        m_ScreenBook.set_current_page(entry.page);
}

void BasicLayout::ChangeScreen(short screen)
{
    if (!IsSwitchableScreen(screen))
        return;
    Initialaization();
    m_ShownScreen = static_cast<unsigned short>(screen);
    const ScreenEntry& entry = kScreenTable[screen];
    ShowPanelsOf(entry);
    switch (screen) {
    case ScreenInchingMode:
        m_InchingMode.UpdateinchingModeScreen();
        break;
    case ScreenLocoNumner:
        m_LocoNumner.clearOverRange();
        break;
    case ScreenPassword:
        ReadMVBData::getInstance()->PasswordUnlocked = 0;
        m_PasswordEditState = 1;
        m_Password.clearPassword();
        break;
    default:
        break;
    }
    ShowScreenEntry(entry);
    if (screen == ScreenMain || screen == ScreenSubsystemStatus)
        show_all_children(true);
}

bool BasicLayout::FileExists(const std::string& path) { return compsupport::FileExists(path); }

void BasicLayout::GetReSizedImage(Gtk::Image& image, std::string path, float width, float height)
{
    compsupport::SetPicture(image, path, width, height, 0, "");
}

void BasicLayout::GetOriginalImage(Gtk::Image& image, std::string path)
{
    compsupport::ShowPicture(image, compsupport::LoadPicture(path));
}

void BasicLayout::PrintStatement(std::string) {}
