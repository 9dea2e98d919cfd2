#include "TractionMotor.h"

using namespace statusframe;

namespace {

const char* const kKilonewton = "./Images/KilonewtonUnit.jpg";
const char* const kAmps = "./Images/AmpsUnit.jpg";
const char* const kVolts = "./Images/VoltsUnit.jpg";

template <typename T>
void BuildMotorRow(Gtk::Box& screen, CompValueIndicator& row, const TractionMotor::MotorSpec<T>& spec)
{
    BuildIndicatorRow(screen, row, spec.caption, spec.unit, true);
}

template <typename T>
void MotorStep(const ReadMVBData& store, const TractionMotor::MotorSpec<T>& spec,
               std::array<Cache<T>, TractionMotor::kMotors>& caches, std::stringstream& stream,
               CompValueIndicator& row)
{
    GroupStep(caches, spec.values(store), stream, IndicatorLabels<TractionMotor::kMotors>(row));
}

}  // namespace

const LampSpec TractionMotor::kWheelSlip[1] = {
    {"Wheel Slip", [](const ReadMVBData& s) { return s.WheelSlip; }, Lamp::OneOn},
};

const PairSpec<float> TractionMotor::kDcLinkPair = {
    "DC Link Voltage", kVolts, [](const ReadMVBData& s) { return s.DcLinkVoltage[0]; },
    [](const ReadMVBData& s) { return s.DcLinkVoltage[1]; }};

const PairSpec<unsigned short> TractionMotor::kContactorPair = {
    "Converter Input Contactor", kNoUnit, [](const ReadMVBData& s) { return s.ConverterInputContactor[0]; },
    [](const ReadMVBData& s) { return s.ConverterInputContactor[1]; }};

const TractionMotor::MotorSpec<float> TractionMotor::kPhaseTable[3] = {
    {"Output Phase Current R", kAmps, [](const ReadMVBData& s) { return Values(s.PhaseCurrentR); }},
    {"Output Phase Current Y", kAmps, [](const ReadMVBData& s) { return Values(s.PhaseCurrentY); }},
    {"Output Phase Current B", kAmps, [](const ReadMVBData& s) { return Values(s.PhaseCurrentB); }},
};

const TractionMotor::MotorSpec<float> TractionMotor::kTemperatureRow = {
    "Traction Motor Temperature", "./Images/CelsiusUnit.jpg",
    [](const ReadMVBData& s) { return Values(s.TractionMotorTemperature); }};

// Speeds are signed: a stored 65535 shows as -1.
const TractionMotor::MotorSpec<short> TractionMotor::kSpeedRow = {
    "Traction Motor Speed", "./Images/RPMUnit.jpg", [](const ReadMVBData& s) {
        std::array<short, kMotors> speeds{};
        for (std::size_t i = 0; i < kMotors; ++i)
            speeds[i] = static_cast<short>(s.TractionMotorSpeed[i]);
        return speeds;
    }};

const TractionMotor::MotorSpec<unsigned short> TractionMotor::kEffortTable[kEffortRows] = {
    // Motor 1 has its own field; the array holds motors 2 to 6.
    {"TractionMotor TE_Ref", kKilonewton,
     [](const ReadMVBData& s) {
         return std::array<unsigned short, kMotors>{s.TractionMotor1TeRef,  s.TractionMotorTeRefs[0],
                                                    s.TractionMotorTeRefs[1], s.TractionMotorTeRefs[2],
                                                    s.TractionMotorTeRefs[3], s.TractionMotorTeRefs[4]};
     }},
    {"TractionMotor TE_Act", kKilonewton, [](const ReadMVBData& s) { return Values(s.TractionMotorTeAct); }},
    {"TractionMotor BE_Ref", kKilonewton, [](const ReadMVBData& s) { return Values(s.TractionMotorBeRef); }},
    {"TractionMotor BE_Act", kKilonewton, [](const ReadMVBData& s) { return Values(s.TractionMotorBeAct); }},
};

TractionMotor::TractionMotor()
{
    ConstructLayout();
}

TractionMotor::~TractionMotor() = default;

void TractionMotor::ConstructLayout()
{
    BuildBarRows(*this, m_BarRows, kTractionEffortBars);
    BuildLampRows(*this, m_WheelSlipRow, kWheelSlip);
    BuildValuePair(*this, m_HeadingRow, "Label Heading", kVolts);
    BuildValuePair(*this, m_DcLinkRow, kDcLinkPair.caption, kDcLinkPair.unit);
    for (int i = 0; i < 3; ++i)
        BuildMotorRow(*this, m_PhaseRows[i], kPhaseTable[i]);
    BuildPicturePair(*this, m_ContactorRow, kContactorPair.caption, kContactorPair.unit);
    BuildMotorRow(*this, m_TemperatureRow, kTemperatureRow);
    BuildMotorRow(*this, m_SpeedRow, kSpeedRow);
    for (int i = 0; i < kEffortRows; ++i)
        BuildMotorRow(*this, m_EffortRows[i], kEffortTable[i]);
    show_all_children(true);
}

void TractionMotor::UpdateTractionMotorScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    for (int i = 0; i < 2; ++i)
        BarStep(store, kTractionEffortBars[i], m_BarCaches[i], m_Stream, m_BarRows[i]);
    LampSteps(store, m_WheelSlipCache, m_WheelSlipRow, kWheelSlip);
    PairStep(store, kDcLinkPair, m_DcLinkCaches, m_Stream, m_DcLinkRow);
    // The heading texts are set on every update.
    m_HeadingRow.LeftValueLabel.set_text("Bogie1");
    m_HeadingRow.RightValueLabel.set_text("Bogie2");
    PicturePairStep(store, kContactorPair, m_ContactorCaches, m_ContactorRow);
    MotorStep(store, kTemperatureRow, m_TemperatureCaches, m_Stream, m_TemperatureRow);
    MotorStep(store, kSpeedRow, m_SpeedCaches, m_Stream, m_SpeedRow);
    for (int i = 0; i < kEffortRows; ++i)
        MotorStep(store, kEffortTable[i], m_EffortCaches[i], m_Stream, m_EffortRows[i]);
    for (int i = 0; i < 3; ++i)
        MotorStep(store, kPhaseTable[i], m_PhaseCaches[i], m_Stream, m_PhaseRows[i]);
}
