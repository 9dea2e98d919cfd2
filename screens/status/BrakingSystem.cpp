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

const BarSpec<float> BrakingSystem::kPneumaticBar = {
    "Pneumatic Brake Demand", "0", kKilonewton, [](const ReadMVBData& s) { return s.PneumaticBrakeDemand; },
    [](const ReadMVBData& s) { return s.PneumaticBrakeDemandMin; },
    [](const ReadMVBData& s) { return s.PneumaticBrakeDemandMax; }, Clamp::Capping};

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
    BuildBarRows(*this, m_EffortBarRows, kBrakeEffortBars);
    BuildBarRow(*this, m_PneumaticRow, kPneumaticBar);
    BuildBarRow(*this, m_BrakePipeRow, kBrakePipeBar);
    BuildPicturePair(*this, m_CompressorRow, kCompressors.caption, kCompressors.unit);
    show_all_children(true);
}

void BrakingSystem::UpdateBrakingSystemScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    LampSteps(store, m_PantoCaches, m_PantoRows, kPantographs);
    LampSteps(store, m_LampCaches, m_LampRows, kLampTable);
    for (int i = 0; i < 2; ++i)
        BarStep(store, kBrakeEffortBars[i], m_EffortBarCaches[i], m_Stream, m_EffortBarRows[i]);
    // Brake pipe pressure before the pneumatic brake demand.
    BarStep(store, kBrakePipeBar, m_BrakePipeCache, m_Stream, m_BrakePipeRow);
    BarStep(store, kPneumaticBar, m_PneumaticCache, m_Stream, m_PneumaticRow);
    PicturePairStep(store, kCompressors, m_CompressorCaches, m_CompressorRow);
}
