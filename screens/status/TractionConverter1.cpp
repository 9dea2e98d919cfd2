#include "TractionConverter1.h"

#include "CompSupport.h"

using namespace statusframe;

namespace {

const char* const kAmps = "./Images/AmpsUnit.jpg";
// "Bogie1" over the left cells, "Bogie2" over the right cells.
const char* const kHeading = "   Bogie1                                 Bogie2";

}  // namespace

const PairSpec<float> TractionConverter1::kPairTable[3] = {
    {"LC-1 Currents", kAmps, [](const ReadMVBData& s) { return s.LineConverterCurrents[0]; },
     [](const ReadMVBData& s) { return s.LineConverterCurrents[2]; }},
    {"LC-2 Currents", kAmps, [](const ReadMVBData& s) { return s.LineConverterCurrents[1]; },
     [](const ReadMVBData& s) { return s.LineConverterCurrents[3]; }},
    {"Input Power", "./Images/KwButtonUnit.jpg", [](const ReadMVBData& s) { return s.ConverterInputPower[0]; },
     [](const ReadMVBData& s) { return s.ConverterInputPower[1]; }},
};

const ValueSpec<unsigned int> TractionConverter1::kVentilationTable[2] = {
    {"Bogie1 ventilation Demand", "0", kNoUnit, [](const ReadMVBData& s) { return s.BogieVentilationDemand[0]; }},
    {"Bogie2 ventilation Demand", "0", kNoUnit, [](const ReadMVBData& s) { return s.BogieVentilationDemand[1]; }},
};

TractionConverter1::TractionConverter1()
{
    ConstructLayout();
}

TractionConverter1::~TractionConverter1() = default;

void TractionConverter1::ConstructLayout()
{
    for (Cache<unsigned int>& cache : m_VentilationCaches)
        cache.Set(kNoDemand);

    m_HeadingLabel.set_text(kHeading);
    compsupport::SetFont(m_HeadingLabel, compsupport::PangoSize(9));
    m_HeadingColour = compsupport::Colour("white");
    m_HeadingLabel.modify_fg(Gtk::STATE_NORMAL, m_HeadingColour);
    m_HeadingBox.set_size_request(240, 18);
    m_HeadingBox.pack_start(m_HeadingLabel, Gtk::PACK_EXPAND_PADDING, 0);
    m_HeadingLayout.put(m_HeadingBox, 250, 0);
    pack_start(m_HeadingLayout, Gtk::PACK_SHRINK, 0);
    m_HeadingLayout.set_child_visible(true);

    for (int i = 0; i < 3; ++i)
        BuildValuePair(*this, m_PairRows[i], kPairTable[i].caption, kPairTable[i].unit);
    BuildSpacer(*this, m_Spacer);
    BuildSingleRows(*this, m_VentilationRows, kVentilationTable);
    // No show-all here: the main layout shows the page with its notebook.
}

void TractionConverter1::UpdateTractionConverter1Screen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    for (int i = 0; i < 3; ++i)
        PairStep(store, kPairTable[i], m_PairCaches[i], m_Stream, m_PairRows[i]);
    SingleSteps(store, kVentilationTable, m_VentilationCaches, m_Stream, m_VentilationRows, {0, 1});
}
