#include "Temperatures.h"

using namespace statusframe;

namespace {

const char* const kCelsius = "./Images/CelsiusUnit.jpg";

}  // namespace

const LampSpec Temperatures::kLampTable[2] = {
    {"BL Key", [](const ReadMVBData& s) { return s.BlKeyActive; }, Lamp::OneOn},
    {"HighTemp Control Electronics Relay", [](const ReadMVBData& s) { return s.HighTempControlElectronicsRelay; },
     Lamp::OneOn},
};

const PairSpec<float> Temperatures::kPairTable[3] = {
    {"Transformer Oil Temperature", kCelsius, [](const ReadMVBData& s) { return s.TransformerOilTemperature[0]; },
     [](const ReadMVBData& s) { return s.TransformerOilTemperature[1]; }},
    {"Coolant Temperature Converter", kCelsius,
     [](const ReadMVBData& s) { return s.CoolantTemperatureConverter[0]; },
     [](const ReadMVBData& s) { return s.CoolantTemperatureConverter[1]; }},
    {"MUB Sim. Temperature", kCelsius, [](const ReadMVBData& s) { return s.MubSimTemperature[0]; },
     [](const ReadMVBData& s) { return s.MubSimTemperature[1]; }},
};

Temperatures::Temperatures()
{
    ConstructLayout();
}

Temperatures::~Temperatures() = default;

void Temperatures::ConstructLayout()
{
    set_spacing(3);
    BuildLampRows(*this, m_LampRows, kLampTable);
    BuildBarRows(*this, m_TractionBarRows, kTractionEffortBars);
    BuildBarRows(*this, m_BrakeBarRows, kBrakeEffortBars);
    for (int i = 0; i < 3; ++i)
        BuildValuePair(*this, m_PairRows[i], kPairTable[i].caption, kPairTable[i].unit);
    BuildIndicatorRow(*this, m_MotorRow, "Traction Motor Temperature", kCelsius, true);
    show_all_children(true);
}

void Temperatures::UpdateTemperatureScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    LampSteps(store, m_LampCaches, m_LampRows, kLampTable);
    for (int i = 0; i < 2; ++i)
        // The float efforts kept as whole numbers in 16-bit caches.
        WholeBarStep(store, kTractionEffortBars[i], m_TractionBarCaches[i], m_Stream, m_TractionBarRows[i]);
    for (int i = 0; i < 2; ++i)
        BarStep(store, kBrakeEffortBars[i], m_BrakeBarCaches[i], m_Stream, m_BrakeBarRows[i]);
    for (int i = 0; i < 3; ++i)
        PairStep(store, kPairTable[i], m_PairCaches[i], m_Stream, m_PairRows[i]);
    GroupStep(m_MotorCaches, Values(store.TractionMotorTemperature), m_Stream, IndicatorLabels<6>(m_MotorRow));
}
