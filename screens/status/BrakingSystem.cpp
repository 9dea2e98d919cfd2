#include "BrakingSystem.h"

using namespace statusframe;

namespace {

const char* const kKilonewton = "./Images/KilonewtonUnit.jpg";

}  // namespace

const LampSpec BrakingSystem::kLampTable[7] = {
    {"BL Key", [](const ReadMVBData& s) { return s.BlKeyActive; }, Lamp::OneOn},
    {"Emergency Brake", [](const ReadMVBData& s) { return s.EmergencyBrake; }, Lamp::OneOn},
    {"Vigilance", [](const ReadMVBData& s) { return s.Vigilance; }, Lamp::OneOn},
    {"Penalty Brake", [](const ReadMVBData& s) { return s.PenaltyBrake; }, Lamp::OneOn},
    {"Train Brake", [](const ReadMVBData& s) { return s.TrainBrakeValue; }, Lamp::AppliedUpTo35},
    {"Loco Brake", [](const ReadMVBData& s) { return s.LocoBrake; }, Lamp::OneOn},
    {"Anti Slip Brake", [](const ReadMVBData& s) { return s.AntiSlipBrake; }, Lamp::OneOn},
};

const BarSpec<unsigned short> BrakingSystem::kEffortBars[2] = {
    {"BE Demand(W)", "0", kKilonewton, [](const ReadMVBData& s) { return s.BeDemand; },
     [](const ReadMVBData& s) { return s.BeDemandMin; }, [](const ReadMVBData& s) { return s.BeDemandMax; },
     Clamp::Zeroing},
    {"BE Actual(X)", "0", kKilonewton, [](const ReadMVBData& s) { return s.BeActual; },
     [](const ReadMVBData& s) { return s.BeActualMin; }, [](const ReadMVBData& s) { return s.BeActualMax; },
     Clamp::Zeroing},
};

const BarSpec<float> BrakingSystem::kAirBars[2] = {
    {"Pneumatic Brake Demand", "0", kKilonewton, [](const ReadMVBData& s) { return s.PneumaticBrakeDemand; },
     [](const ReadMVBData& s) { return s.PneumaticBrakeDemandMin; },
     [](const ReadMVBData& s) { return s.PneumaticBrakeDemandMax; }, Clamp::Capping},
    {"BP Pressure", "0", "./Images/BarUnit.jpg", [](const ReadMVBData& s) { return s.BrakePipePressureBar; },
     [](const ReadMVBData& s) { return s.BrakePipePressureMin; },
     [](const ReadMVBData& s) { return s.BrakePipePressureMax; }, Clamp::Capping},
};

const PairSpec<unsigned short> BrakingSystem::kCompressors = {
    "Compressor 1&2", kNoUnit, [](const ReadMVBData& s) { return s.CompressorOn[0]; },
    [](const ReadMVBData& s) { return s.CompressorOn[1]; }};

BrakingSystem::BrakingSystem()
{
    ConstructLayout();
}

BrakingSystem::~BrakingSystem() = default;

void BrakingSystem::ConstructLayout()
{
    set_spacing(1);
    BuildLampRows(*this, m_PantoRows, kPantographs);
    BuildLampRows(*this, m_LampRows, kLampTable);
    BuildBarRows(*this, m_EffortBarRows, kEffortBars);
    BuildBarRows(*this, m_AirBarRows, kAirBars);
    BuildPicturePair(*this, m_CompressorRow, kCompressors.caption, kCompressors.unit);
    show_all_children(true);
}

void BrakingSystem::UpdateBrakingSystemScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    LampSteps(store, m_PantoCaches, m_PantoRows, kPantographs);
    LampSteps(store, m_LampCaches, m_LampRows, kLampTable);
    for (int i = 0; i < 2; ++i)
        BarStep(store, kEffortBars[i], m_EffortBarCaches[i], m_Stream, m_EffortBarRows[i]);
    // Brake pipe pressure before the pneumatic brake demand.
    BarStep(store, kAirBars[1], m_AirBarCaches[1], m_Stream, m_AirBarRows[1]);
    BarStep(store, kAirBars[0], m_AirBarCaches[0], m_Stream, m_AirBarRows[0]);
    PicturePairStep(store, kCompressors, m_CompressorCaches, m_CompressorRow);
}
