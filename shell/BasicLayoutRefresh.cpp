// The 100 ms refresh: fault pop-up control, then the refresh work of the
// screen in front (the main page, the bars, the caption, the title bar and
// the mini status grids around the notebook).
#include "BasicLayout.h"

#include "CompSupport.h"
#include "Conversions.h"
#include "InfoPanel.h"
#include "MediaListing.h"
#include "ReadMVBData.h"

namespace {

ReadMVBData& Store() { return *ReadMVBData::getInstance(); }

// Sets a label's text and colour (none: the colour stays), touching the
// widget only when either differs from what it shows.
void ShowLabel(Gtk::Label& label, const std::string& text, const char* colour)
{
    compsupport::ShowText(label, text);
    if (colour)
        compsupport::ShowForeground(label, Gdk::Color(colour));
}

const char kButton1On[] = "./Images/Button1ON.png";
const char kButton1Off[] = "./Images/Button1OFF.png";
const char kButton2On[] = "./Images/Button2ON.png";
const char kButton2Off[] = "./Images/Button2OFF.png";

// A cell of the mini status grid and the status element that drives it.
struct MiniStatusCell {
    unsigned char element;  // index into SubsystemStates
    unsigned char row, column;
    signed char motor;      // motor grid column it also drives; -1 none
};

const MiniStatusCell kMiniStatusCells[30] = {
    {0, 0, 0, -1},  {1, 1, 0, -1},  {2, 2, 0, -1},  {3, 3, 0, -1},  {4, 4, 0, -1},  {5, 0, 1, -1},
    {6, 1, 1, -1},  {7, 2, 1, -1},  {8, 3, 1, -1},  {9, 4, 1, -1},  {10, 0, 2, -1}, {11, 1, 2, -1},
    {12, 2, 2, -1}, {13, 3, 2, -1}, {14, 4, 2, -1}, {15, 0, 3, -1}, {16, 1, 3, -1}, {17, 2, 3, -1},
    {18, 3, 3, -1}, {20, 4, 3, -1}, {22, 0, 4, -1}, {23, 1, 4, -1}, {24, 2, 4, 0},  {25, 3, 4, 1},
    {26, 4, 4, 2},  {27, 5, 0, -1}, {28, 5, 1, -1}, {29, 5, 2, 3},  {30, 5, 3, 4},  {31, 5, 4, 5},
};
const unsigned char kBcAppliedElement = 20;

// A cell of the locomotive state grid.
struct StateCell {
    unsigned short ReadMVBData::*field;
    unsigned short BasicLayout::*cache;
    unsigned char row, column;
    bool oneIsOn;      // 1 shows the ON picture (else 1 shows OFF)
    bool otherIsOff;   // values other than 0 and 1 show OFF (else they are only cached)
};

const StateCell kStateCells[8] = {
    {&ReadMVBData::VcbClosed, &BasicLayout::m_LastVcbClosed, 0, 0, true, false},
    {&ReadMVBData::ParkingBrakeApplied, &BasicLayout::m_LastParkingBrakeApplied, 1, 0, false, false},
    {&ReadMVBData::IdleState, &BasicLayout::m_LastIdleState, 0, 1, false, false},
    {&ReadMVBData::DirectionForward, &BasicLayout::m_LastDirectionForward, 1, 1, true, false},
    {&ReadMVBData::VcuRedundant, &BasicLayout::m_LastVcuRedundant, 0, 2, true, false},
    {&ReadMVBData::LineFrequencyOk, &BasicLayout::m_LastLineFrequencyOk, 1, 2, true, true},
    {&ReadMVBData::ShuntingMode, &BasicLayout::m_LastShuntingMode, 0, 3, true, true},
    {&ReadMVBData::DirectionReverse, &BasicLayout::m_LastDirectionReverse, 1, 3, true, true},
};

// An indicator picture switched by a 0/1 flag.
struct IndicatorCell {
    unsigned short ReadMVBData::*field;
    unsigned short BasicLayout::*cache;
    int type;
};

const IndicatorCell kIndicatorCells[3] = {
    {&ReadMVBData::BlKeyActive, &BasicLayout::m_LastBlKeyActive, 1},
    {&ReadMVBData::BcAppliedIcon, &BasicLayout::m_LastBcAppliedIcon, 3},
    {&ReadMVBData::WheelSlip, &BasicLayout::m_LastWheelSlip, 4},
};

// A cell of the pressure and sanding grid switched by a flag.
struct PressureCell {
    unsigned short ReadMVBData::*field;
    unsigned short BasicLayout::*cache;
    unsigned char column;
    const char* pictureOn1;
    const char* captionOn1;
    const char* pictureOther;
    const char* captionOther;
};

const PressureCell kPressureCells[3] = {
    {&ReadMVBData::MainReservoirLow, &BasicLayout::m_LastMainReservoirLow, 1, kButton2Off, "MR <5.6\nkg/cm^2",
     kButton2On, "MR >6.4\nkg/cm^2"},
    {&ReadMVBData::BpcsOn, &BasicLayout::m_LastBpcsOn, 2, kButton2On, "BPCS \nON", kButton2Off, "BPCS\nOFF"},
    {&ReadMVBData::SandingOn, &BasicLayout::m_LastSandingOn, 3, kButton2On, "Sanding\nON", kButton2Off,
     "Sanding\nOFF"},
};

// An earth-fault lamp of the title bar.
struct EarthFaultLamp {
    Gtk::Label TitleBar::*label;
    const char* text;
    const char* lit;
};

const EarthFaultLamp kEarthFaultLamps[3] = {
    {&TitleBar::EfPLabel, "EF/P", "red"},
    {&TitleBar::EfCLabel, "EF/C", "red"},
    {&TitleBar::EfALabel, "EF/A", "RED"},
};

}  // namespace

unsigned short BasicLayout::MCE_DetectectionState = 0;
unsigned short BasicLayout::throttlepossition = 0;

void BasicLayout::UpdateValues()
{
    // Each picture file is checked once per refresh, however often it is shown.
    compsupport::PictureCheckRound pictureCheck;
    ReadMVBData& store = Store();
    const unsigned short code = store.FaultCode;
    if (code <= 10100) {
        TakePanelOff(m_WarningPopup);
        m_FaultPopupActive = 0;
        store.FaultAcknowledge = 0;
        m_KeysEnabled = 1;
        m_ShownScreen = m_TargetScreen;
    } else if (code <= 59999) {
        if (m_KeysEnabled == 1)
            m_FaultPopupActive = 1;
        m_ShownScreen = ScreenFaultPopup;
    }
    if (store.MasterLoco == 1 && MCE_DetectectionState == 0) {
        m_WarningPopup.UpdateFaultMessage1(34560, "Testing master Fault", "This is Direct Input");
        MCE_DetectectionState = 1;
    }
    if (store.ThrottleNotZero == 1 && throttlepossition == 0) {
        m_WarningPopup.UpdateFaultMessage1(34561, "Testing master Fault", "This is Direct Input");
        throttlepossition = 1;
    }
    for (const RefreshStep* step = RefreshPlan(static_cast<short>(m_ShownScreen)); *step != RefreshStep::End; ++step)
        RunRefreshStep(*step);
    // Grids whose cells changed together are drawn again in one piece.
    Gtk::Widget* const grids[] = {&m_MiniStatusBox, &m_MiniStateBox, &m_PressureStatusBox, &m_MotorStatusBox,
                                  &m_IndicatorImageGrid.FrameBox};
    for (Gtk::Widget* grid : grids)
        compsupport::GatherRedraw(*grid);
}

void BasicLayout::PutFaultPopup()
{
    if (m_KeysEnabled != 1)
        return;
    PutPanel(m_WarningPopup, 3, 3);
    m_WarningPopup.UpdateFaultMessage1(Store().FaultCode, "Testing  master Fault", "This is Direct Input");
    show_all_children(true);
    m_KeysEnabled = 0;
}

void BasicLayout::SetCellPicture(CompButtonGrid& grid, int row, int column, const std::string& path)
{
    if (row < int(grid.CellImages.size()) && column < int(grid.CellImages[row].size()) && grid.CellImages[row][column])
        GetReSizedImage(*grid.CellImages[row][column], path, grid.ImageWidth, grid.ImageHeight);
}

void BasicLayout::SetCellCaption(CompButtonGrid& grid, int row, int column, const std::string& caption)
{
    if (row < int(grid.CellLabels.size()) && column < int(grid.CellLabels[row].size()) && grid.CellLabels[row][column])
        grid.CellLabels[row][column]->set_text(caption);
}

void BasicLayout::UpdateSSMini()
{
    const ReadMVBData& store = Store();
    for (std::size_t i = 0; i < 30; ++i) {
        const MiniStatusCell& cell = kMiniStatusCells[i];
        const unsigned short value = store.SubsystemStates[cell.element];
        if (value == m_LastSubsystemStates[i])
            continue;
        m_LastSubsystemStates[i] = value;
        if (value != 0 && value != 1)
            continue;
        SetCellPicture(m_MiniStatusGrid, cell.row, cell.column, value == 1 ? kButton1Off : kButton1On);
        if (cell.motor >= 0)
            SetCellPicture(m_MotorStatusGrid, 0, cell.motor, value == 1 ? "./Images/motorOFF.png" : "./Images/motorON.png");
        if (cell.element == kBcAppliedElement)
            SetCellCaption(m_MiniStatusGrid, cell.row, cell.column, value == 1 ? "BC\nApplied" : "BC\nReleas");
    }
}

void BasicLayout::UpdateSSMiniExtended()
{
    const ReadMVBData& store = Store();
    for (const StateCell& cell : kStateCells) {
        const unsigned short value = store.*cell.field;
        if (value == this->*cell.cache)
            continue;
        this->*cell.cache = value;
        if (value > 1 && !cell.otherIsOff)
            continue;
        const bool on = cell.oneIsOn ? value == 1 : value == 0;
        SetCellPicture(m_MiniStateGrid, cell.row, cell.column, on ? kButton2On : kButton2Off);
    }
    for (const IndicatorCell& cell : kIndicatorCells) {
        const unsigned short value = store.*cell.field;
        if (value == this->*cell.cache)
            continue;
        this->*cell.cache = value;
        if (value <= 1)
            m_IndicatorImageGrid.UpdateValues(cell.type, static_cast<std::int8_t>(value));
    }
    if (!m_TrainBrakeDrawn || store.TrainBrakeValue != m_LastTrainBrakeValue) {
        m_TrainBrakeDrawn = true;
        m_LastTrainBrakeValue = store.TrainBrakeValue;
        m_IndicatorImageGrid.UpdateValues(2, store.TrainBrakeValue <= 35 ? 1 : 0);
    }
}

void BasicLayout::UpdateSSMiniNext()
{
    const ReadMVBData& store = Store();
    if (store.BrakePipePressure != m_LastBrakePipePressure) {
        m_LastBrakePipePressure = store.BrakePipePressure;
        SetCellCaption(m_PressureStatusGrid, 0, 0,
                       "BP-" + compsupport::FormatNumber(store.BrakePipePressure) + "\nkg/cm^2");
    }
    for (const PressureCell& cell : kPressureCells) {
        const unsigned short value = store.*cell.field;
        if (value == this->*cell.cache)
            continue;
        this->*cell.cache = value;
        SetCellPicture(m_PressureStatusGrid, 0, cell.column, value == 1 ? cell.pictureOn1 : cell.pictureOther);
        SetCellCaption(m_PressureStatusGrid, 0, cell.column, value == 1 ? cell.captionOn1 : cell.captionOther);
    }
}

void BasicLayout::UpdateDefaultScreen()
{
    const ReadMVBData& store = Store();
    struct Panto {
        unsigned short value;
        unsigned short& cache;
        Gtk::Image& image;
        const char* up;
        const char* down;
    } const pantos[] = {
        {store.Panto1Up, m_LastPanto1Up, m_Panto1Image, "./Images/Panto1Up.png", "./Images/Panto1Down.jpg"},
        {store.Panto2Up, m_LastPanto2Up, m_Panto2Image, "./Images/Panto2Up.png", "./Images/Panto2Down.jpg"},
    };
    for (const Panto& panto : pantos)
        if (panto.value != panto.cache) {
            panto.cache = panto.value;
            GetReSizedImage(panto.image, panto.value != 0 ? panto.up : panto.down, 97.6f, 129);
        }
    if (store.TeBeActualIndicator != m_LastTeBeActualIndicator) {
        m_LastTeBeActualIndicator = store.TeBeActualIndicator;
        m_PressureBarMode = store.PressureBarMode;
        m_PressureBar.SetPressureBarRightInd(m_LastTeBeActualIndicator, m_PressureBarMode);
    }
    if (store.TeBeDemandIndicator != m_LastTeBeDemandIndicator) {
        m_LastTeBeDemandIndicator = store.TeBeDemandIndicator;
        m_PressureBarMode = store.PressureBarMode;
        m_PressureBar.SetPressureBarLeftInd(m_LastTeBeDemandIndicator, m_PressureBarMode);
    }
    if (store.MainGaugeVoltage != m_LastMainGaugeVoltage) {
        m_LastMainGaugeVoltage = store.MainGaugeVoltage;
        m_CircularGauge.UpdateVolt(ClampToShort(m_LastMainGaugeVoltage));
    }
}

void BasicLayout::UpdateProgressBar()
{
    const ReadMVBData& store = Store();
    struct Bar {
        float value;
        float& cache;
        float limit;
        CompProgressBar& bar;
    } const bars[] = {
        {store.PrimaryCurrent, m_LastPrimaryCurrent, 350, m_AmpBar},
        {store.PrimaryVoltage, m_LastPrimaryVoltage, 35, m_VoltBar},
    };
    for (const Bar& bar : bars) {
        if (bar.value == bar.cache)
            continue;
        bar.cache = bar.value > bar.limit ? bar.limit : bar.value;
        bar.bar.SetProgressBarInd(AsFloat(static_cast<long double>(bar.cache) / bar.limit * 100));
    }
}

void BasicLayout::UpdateMasterSlaveconfig()
{
    m_MuConfigured = Store().MuConfigured;
    if (m_MuConfigured == 1) {
        m_CaptionColour = Gdk::Color("#fc5751");
        ShowLabel(m_CaptionLabel, "MU Configure", "#fc5751");
    } else {
        ShowLabel(m_CaptionLabel, " ", nullptr);
    }
}

void BasicLayout::UpdateTitleBar()
{
    ReadMVBData& store = Store();
    Usbdetection();
    m_TitleBar.UpdateUsb(store.UsbCopyStatus);

    if (store.LocoNumber != m_LastLocoNumber) {
        m_LastLocoNumber = static_cast<unsigned short>(store.LocoNumber & 0xFFFF);
        ShowLabel(m_TitleBar.LocoNumberLabel, std::to_string(m_LastLocoNumber), nullptr);
    }
    if (!m_BatteryVoltageDrawn || store.BatteryVoltage != static_cast<float>(m_LastBatteryVoltage)) {
        m_BatteryVoltageDrawn = true;
        m_LastBatteryVoltage = ClampToUnsignedShort(store.BatteryVoltage);
        ShowLabel(m_TitleBar.BatteryLabel, std::to_string(m_LastBatteryVoltage), nullptr);
    }
    if (store.TeBeActual != m_LastTeBeActual) {
        m_LastTeBeActual = store.TeBeActual;
        ShowLabel(m_TitleBar.TeBeValueLabel, compsupport::FormatNumber(m_LastTeBeActual), "#00ffff");
    }
    ShowLabel(m_TitleBar.Cab1Label, "CAB1", store.ActiveCab == 1 ? "green" : "white");
    ShowLabel(m_TitleBar.Cab2Label, "CAB2", store.ActiveCab == 2 ? "green" : "white");
    if (store.ActualSpeed != m_LastSpeed) {
        m_LastSpeed = store.ActualSpeed;
        UpdateSpeed(m_LastSpeed);
    }
    if (!m_TitleBarValueDrawn || store.TitleBarValue != m_LastTitleBarValue) {
        m_TitleBarValueDrawn = true;
        m_LastTitleBarValue = store.TitleBarValue;
        ShowLabel(m_TitleBar.ValueLabel, std::to_string(m_LastTitleBarValue), nullptr);
    }
    ShowLabel(m_TitleBar.MasterSlaveLabel, store.MasterLoco == 1 ? "M" : "S", "#00ffff");
    for (std::size_t i = 0; i < 3; ++i) {
        const unsigned short flag = store.EarthFaultFlags[i];
        if (flag == m_LastEarthFault[i])
            continue;
        m_LastEarthFault[i] = flag;
        const EarthFaultLamp& lamp = kEarthFaultLamps[i];
        ShowLabel(m_TitleBar.*lamp.label, lamp.text, flag != 0 ? lamp.lit : "black");
    }
}

void BasicLayout::UpdateSpeed(float speed)
{
    const float shown = ClampSpeed(speed);
    if (m_TargetScreen == ScreenMain)
        m_CircularGauge.UpdateSpeed(static_cast<short>(shown));
    m_TitleBar.NeedleAngle = SpeedNeedleAngle(shown);
    m_TitleBar.SpeedIcon.queue_draw();
    ShowLabel(m_TitleBar.SpeedLabel, compsupport::FormatNumber(shown), nullptr);
}

void BasicLayout::Usbdetection()
{
    ReadMVBData& store = Store();
    if (store.UsbCopyStatus == 3)
        return;
    std::string listing;
    if (!cabmedia::ListMediaRoot(listing))
        listing.clear();  // no listing: no stick
    m_UsbCharsRead = static_cast<int>(listing.size() < 201 ? listing.size() : 201);
    m_UsbLastChar = m_UsbCharsRead > 0 ? listing[m_UsbCharsRead - 1] : 0;
    m_UsbNameChars = CountNameChars(listing);
    store.UsbCopyStatus = UsbStateAfterListing(store.UsbCopyStatus, m_UsbNameChars);
}

void BasicLayout::RunRefreshStep(RefreshStep step)
{
    switch (step) {
    case RefreshStep::SSMini: UpdateSSMini(); break;
    case RefreshStep::SSMiniNext: UpdateSSMiniNext(); break;
    case RefreshStep::SSMiniExtended: UpdateSSMiniExtended(); break;
    case RefreshStep::DefaultScreen: UpdateDefaultScreen(); break;
    case RefreshStep::ProgressBar: UpdateProgressBar(); break;
    case RefreshStep::MasterSlave: UpdateMasterSlaveconfig(); break;
    case RefreshStep::TitleBar: UpdateTitleBar(); break;
    case RefreshStep::SubsystemScreen: m_SubsystemStatus.UpdateSSScreen(); break;
    case RefreshStep::Screen: RefreshShownScreen(); break;
    case RefreshStep::Panel: InfoPanel::getInstance()->UpdateInfoPanelValues(); break;
    case RefreshStep::FaultPopup: PutFaultPopup(); break;
    default: break;
    }
}

// The shown screen's own refresh.
void BasicLayout::RefreshShownScreen()
{
    switch (m_ShownScreen) {
    case ScreenHighVoltageCircuit: m_HighVoltageCircuit.UpdateHighVoltageScreen(); break;
    case ScreenTractionConverter: m_TractionConverter.UpdateTractionConverterScreen(); break;
    case ScreenTractionConverter1: m_TractionConverter1.UpdateTractionConverter1Screen(); break;
    case ScreenAuxiliaryConverter: m_AuxiliaryConverter.UpdateAuxiliaryConverterScreen(); break;
    case ScreenTractionMotor: m_TractionMotor.UpdateTractionMotorScreen(); break;
    case ScreenAuxiliarySystem: m_AuxiliarySystem.UpdateAuxiliarySystemScreen(); break;
    case ScreenBrakingSystem: m_BrakingSystem.UpdateBrakingSystemScreen(); break;
    case ScreenEnergyMonitoring: m_EnergyMonitoring.UpdateEnergyMonitoringScreen(); break;
    case ScreenTemperatures: m_Temperatures.UpdateTemperatureScreen(); break;
    case ScreenPressures: m_Pressures.UpdatePressureScreen(); break;
    case ScreenNode: m_Node.UpdateNode(); break;
    case ScreenInchingMode: m_InchingMode.UpdateinchingModeScreen(); break;
    case ScreenLocoNumner: m_LocoNumner.UpdateDpwcsConfigurationScreen(); break;
    case ScreenSixMotorIsolation: m_SixMotorIsolation.UpdateSixMotorIsolationScreen(); break;
    case ScreenWheelDiameter: m_WheelDiameter.UpdateWheelDiameterScreen(); break;
    case ScreenSoftwareVer: m_SoftwareVer.UpdateNode(); break;
    default: break;
    }
}
