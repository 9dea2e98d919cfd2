#include "Temperatures.h"

using namespace statusframe;

namespace {

const char* const kKilonewton = "./Images/KilonewtonUnit.jpg";
const char* const kCelsius = "./Images/CelsiusUnit.jpg";

}  // namespace

const LampSpec Temperatures::kLampTable[2] = {
    {"BL Key", [](const ReadMVBData& s) { return s.BlKeyActive; }, Lamp::OneOn},
    {"HighTemp Control Electronics Relay", [](const ReadMVBData& s) { return s.HighTempControlElectronicsRelay; },
     Lamp::OneOn},
};

const BarSpec<float> Temperatures::kTractionBars[2] = {
    {"TE Demand(W)", "0", kKilonewton, [](const ReadMVBData& s) { return s.TeDemand; },
     [](const ReadMVBData& s) { return s.TeDemandMin; }, [](const ReadMVBData& s) { return s.TeDemandMax; },
     Clamp::Zeroing},
    {"TE Actual(X)", "0", kKilonewton, [](const ReadMVBData& s) { return s.TeActual; },
     [](const ReadMVBData& s) { return s.TeActualMin; }, [](const ReadMVBData& s) { return s.TeActualMax; },
     Clamp::Zeroing},
};

const BarSpec<unsigned short> Temperatures::kBrakeBars[2] = {
    {"BE Demand(W)", "0", kKilonewton, [](const ReadMVBData& s) { return s.BeDemand; },
     [](const ReadMVBData& s) { return s.BeDemandMin; }, [](const ReadMVBData& s) { return s.BeDemandMax; },
     Clamp::Zeroing},
    {"BE Actual(X)", "0", kKilonewton, [](const ReadMVBData& s) { return s.BeActual; },
     [](const ReadMVBData& s) { return s.BeActualMin; }, [](const ReadMVBData& s) { return s.BeActualMax; },
     Clamp::Zeroing},
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
    BuildBarRows(*this, m_TractionBarRows, kTractionBars);
    BuildBarRows(*this, m_BrakeBarRows, kBrakeBars);
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
        WholeBarStep(store, kTractionBars[i], m_TractionBarCaches[i], m_Stream, m_TractionBarRows[i]);
    for (int i = 0; i < 2; ++i)
        BarStep(store, kBrakeBars[i], m_BrakeBarCaches[i], m_Stream, m_BrakeBarRows[i]);
    for (int i = 0; i < 3; ++i)
        PairStep(store, kPairTable[i], m_PairCaches[i], m_Stream, m_PairRows[i]);
    GroupStep(m_MotorCaches, Values(store.TractionMotorTemperature), m_Stream, IndicatorLabels<6>(m_MotorRow));
}
