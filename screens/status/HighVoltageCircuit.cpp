#include "HighVoltageCircuit.h"

using namespace statusframe;

namespace {

const char* const kAmps = "./Images/AmpsUnit.jpg";

}  // namespace

const LampSpec HighVoltageCircuit::kLampTable[5] = {
    {"Driver Switch for Panto", [](const ReadMVBData& s) { return s.DriverSwitchPanto; }, Lamp::OneOn},
    {"Minimum Voltage Relay", [](const ReadMVBData& s) { return s.MinimumVoltageRelay; }, Lamp::OneOn},
    {"Driver Switch For Hotel Load", [](const ReadMVBData& s) { return s.DriverSwitchHotelLoad; }, Lamp::OneOn},
    {"Driver Switch For VCB", [](const ReadMVBData& s) { return s.DriverSwitchVcb; }, Lamp::OneOn},
    // A whole bus word: any non-zero value lights the lamp.
    {"Primary Over Current Relay", [](const ReadMVBData& s) { return s.PrimaryOverCurrentRelay; },
     Lamp::NonZeroOn},
};

const ValueSpec<float> HighVoltageCircuit::kCurrentTable[5] = {
    {"Primary Current", "0.0", kAmps, [](const ReadMVBData& s) { return s.PrimaryCurrent; }},
    {"Filter Current", "0.0", kAmps, [](const ReadMVBData& s) { return s.FilterCurrent; }},
    {"Auxilary Current", "0.0", kAmps, [](const ReadMVBData& s) { return s.AuxiliaryCurrent; }},
    {"HLC - 1 Current", "0.0", kAmps, [](const ReadMVBData& s) { return s.Hlc1Current; }},
    {"HLC - 2 Current", "0.0", kAmps, [](const ReadMVBData& s) { return s.Hlc2Current; }},
};

HighVoltageCircuit::HighVoltageCircuit()
{
    ConstructLayout();
}

HighVoltageCircuit::~HighVoltageCircuit() = default;

void HighVoltageCircuit::ConstructLayout()
{
    set_spacing(3);
    BuildLampRows(*this, m_PantoRows, kPantographs);
    BuildLampRows(*this, m_LampRows, kLampTable);
    BuildSingleRows(*this, m_CurrentRows, kCurrentTable);
    for (Cache<unsigned short>& cache : m_PantoCaches)
        cache.Set(kUnshown);
    show_all_children(true);
}

void HighVoltageCircuit::UpdateHighVoltageScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    LampSteps(store, m_PantoCaches, m_PantoRows, kPantographs);
    LampSteps(store, m_LampCaches, m_LampRows, kLampTable);
    SingleSteps(store, kCurrentTable, m_CurrentCaches, m_Stream, m_CurrentRows, {0, 1, 2, 3, 4});
}
