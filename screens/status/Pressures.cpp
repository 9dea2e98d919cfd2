#include "Pressures.h"

using namespace statusframe;

namespace {

const char* const kBarUnit = "./Images/BarUnit.jpg";

}  // namespace

const LampSpec Pressures::kBlKey[1] = {
    {"BL Key", [](const ReadMVBData& s) { return s.BlKeyActive; }, Lamp::OneOn},
};

// Left the first converter group's value, right the second's.
const PairSpec<float> Pressures::kPairTable[2] = {
    {"Transformer Oil Pressure", kBarUnit, [](const ReadMVBData& s) { return s.OilPressures[2]; },
     [](const ReadMVBData& s) { return s.OilPressures[3]; }},
    {"Oil Pressure Converter", kBarUnit, [](const ReadMVBData& s) { return s.OilPressures[0]; },
     [](const ReadMVBData& s) { return s.OilPressures[1]; }},
};

Pressures::Pressures()
{
    ConstructLayout();
}

Pressures::~Pressures() = default;

void Pressures::ConstructLayout()
{
    set_spacing(3);
    BuildLampRows(*this, m_LampRow, kBlKey);
    for (int i = 0; i < 2; ++i)
        BuildValuePair(*this, m_PairRows[i], kPairTable[i].caption, kPairTable[i].unit);
    BuildBarRow(*this, m_BarRow, kBrakePipeBar);
    show_all_children(true);
}

void Pressures::UpdatePressureScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    LampSteps(store, m_LampCache, m_LampRow, kBlKey);
    PairStep(store, kPairTable[1], m_PairCaches[1], m_Stream, m_PairRows[1]);
    PairStep(store, kPairTable[0], m_PairCaches[0], m_Stream, m_PairRows[0]);
    BarStep(store, kBrakePipeBar, m_BarCache, m_Stream, m_BarRow);
}
